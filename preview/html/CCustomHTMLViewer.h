// The preview pane's view of an ".html" file: the page drawn by the
// renderer on a canvas (an empty child dialog that also holds the page's
// form controls), with a status bar below it. The canvas, the status bar
// and the browser object are process-wide, so one such view exists at a
// time.
#pragma once

#include <afxwin.h>

class CHtmlBrowser;

class CCustomHTMLViewer : public CView
{
    DECLARE_DYNCREATE(CCustomHTMLViewer)
public:
    CCustomHTMLViewer();
    ~CCustomHTMLViewer() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    static HWND GetCanvas();
    static HWND GetStatusBar();
    static CHtmlBrowser* GetBrowser();

protected:
    void OnDraw(CDC* pDC) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
