// The main frame. It owns the one virtual disk of the run, through which the
// engine's sector reader reads the opened image.
#pragma once

#include <afxwin.h>

class CVirtualDisk;

class CMainFrame : public CFrameWnd
{
public:
    CMainFrame();
    ~CMainFrame() override;

    // The frame's virtual disk, made on first need; it is also the sector
    // reader's source from then on.
    CVirtualDisk* EnsureVirtualDisk();

    CVirtualDisk* m_pVirtualDisk;
};
