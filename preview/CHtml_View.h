// The preview pane's view of pages, pictures and workbooks shown by the
// system's web browser control. An empty transparent child dialog lies over
// the browser, all but an 8-pixel strip at the right and the bottom, and
// keeps the keyboard focus.
#pragma once

#include <afxhtml.h>

class CHtmlHostDlg;

class CHtml_View : public CHtmlView
{
    DECLARE_DYNCREATE(CHtml_View)
public:
    CHtml_View();
    ~CHtml_View() override;

    CHtmlHostDlg* m_pHostDlg;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
