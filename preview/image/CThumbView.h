// The thumbnail list of a folder's pictures in the preview pane. This first
// form loads nothing: LoadThumbnails leaves the list empty.
#pragma once

#include <afxwin.h>

class CThumbView : public CView
{
    DECLARE_DYNCREATE(CThumbView)
public:
    CThumbView();
    ~CThumbView() override;

    // Loads the pictures the document listed.
    void LoadThumbnails();

    // How often LoadThumbnails ran (the document's callers can be checked).
    int m_nLoads;

protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
