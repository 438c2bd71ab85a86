// The preview pane's view of a raster picture: the picture is reloaded from
// the previewed file at every paint and drawn 200 pixels wide (its height
// scaled plus 100), centred across the view near its top.
#pragma once

#include <afxwin.h>

class CImage_View : public CView
{
    DECLARE_DYNCREATE(CImage_View)
public:
    CImage_View();
    ~CImage_View() override;

    // Where the picture of the size is drawn in a view client cx wide.
    static CRect PictureRect(int cx, DWORD width, DWORD height);

protected:
    void OnDraw(CDC* pDC) override;
    // Document updates do not repaint the view.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
