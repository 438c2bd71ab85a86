// The application's link control: a static, subclassed from a dialog's
// text, that shows its text in link colours, underlines it while the mouse
// is over it, carries a tooltip with the target and opens the target on a
// click.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CHyperlinkStatic : public CStatic
{
    DECLARE_DYNAMIC(CHyperlinkStatic)
public:
    enum
    {
        underlineHover = -1,   // only while the mouse is over the link
        underlineNever = 0,
        underlineAlways = 1,
    };
    static const UINT_PTR kHoverTimer = 100;

    CHyperlinkStatic();
    ~CHyperlinkStatic() override;

    void SetURL(LPCTSTR lpszURL);
    CString GetURL() const { return m_strURL; }
    void SetUnderline(int nMode);
    void SetVisited(BOOL bVisited);
    BOOL IsVisited() const { return m_bVisited; }
    BOOL IsHover() const { return m_bHover; }
    HCURSOR GetLinkCursor() const { return m_hCursor; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

    // The text shown for a result of 32 or less of opening a link.
    static CString ErrorText(INT_PTR nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    COLORREF m_crLink;
    COLORREF m_crVisited;
    COLORREF m_crHover;
    BOOL m_bAutoSize;

protected:
    void PreSubclassWindow() override;
    void FitToText();
    void LoadHandCursor();
    CFont& CurrentFont() { return m_nUnderline == underlineAlways ? m_fontUnderline : m_fontPlain; }

    afx_msg void OnClicked();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    BOOL m_bHover;
    BOOL m_bVisited;
    int m_nUnderline;
    CString m_strURL;
    CFont m_fontUnderline;
    CFont m_fontPlain;
    HCURSOR m_hCursor;
    CToolTipCtrl m_toolTip;
};
