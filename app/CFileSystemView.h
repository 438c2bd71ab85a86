// The file-system step: the file systems an Extensive Scan found. For now it only paints its background.
#pragma once

#include <afxwin.h>

class CFileSystemView : public CView
{
    DECLARE_DYNCREATE(CFileSystemView)
public:
    CFileSystemView();
    ~CFileSystemView() override;

protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
