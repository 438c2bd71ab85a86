// What the preview pane needs of the main frame: where the pane registers
// itself, the preview flags that the viewers and the result list share, and
// the result list that takes the focus after a preview.
#pragma once

#include <afxwin.h>

class CMainPreviewView;

class IPreviewHost
{
public:
    virtual ~IPreviewHost() {}
    virtual void SetPreviewView(CMainPreviewView* pView) = 0;
    // 0 after a viewer failed to show its file.
    virtual void SetPreviewOk(BOOL bOk) = 0;
    virtual BOOL IsPreviewOk() const = 0;
    // The extension gate's last answer.
    virtual void SetPreviewSupported(BOOL bSupported) = 0;
    virtual void FocusResultList() {}
};

// The main window of the calling thread as a preview host, or null.
IPreviewHost* GetPreviewHost();
