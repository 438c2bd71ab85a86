// A text static turned into a link: drawn in a link colour, in a hover
// colour while the cursor is over the text itself, with the hand cursor
// there and a tooltip with the target; a click opens the URL through the
// shell and marks the link visited.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CVZHyperLink : public CStatic
{
    DECLARE_DYNAMIC(CVZHyperLink)
public:
    CVZHyperLink();
    ~CVZHyperLink() override;

    // Stores the URL; the first non-empty one creates the tooltip.
    virtual void SetURL(CString strURL);
    virtual CString GetURL() const { return m_strURL; }
    virtual void SetLinkColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover);
    virtual COLORREF GetLinkColor() const { return m_clrLink; }
    virtual COLORREF GetVisitedColor() const { return m_clrVisited; }
    virtual COLORREF GetHoverColor() const { return m_clrHover; }
    virtual void SetVisited(BOOL bVisited = TRUE);
    virtual BOOL GetVisited() const { return m_bVisited; }
    virtual void SetLinkCursor(HCURSOR hCursor) { m_hLinkCursor = hCursor; }
    virtual HCURSOR GetLinkCursor() const { return m_hLinkCursor; }
    virtual void SetUnderline(BOOL bUnderline = TRUE);
    virtual BOOL GetUnderline() const { return m_bUnderline; }
    virtual void SetBackColor(COLORREF clr);
    // Colour 15 (3-D face) while none is set.
    virtual COLORREF GetBackColor() const;
    // Opens the URL (NULL: the link's own) with the shell's "open"; shows the
    // shell's error and returns FALSE when that fails.
    virtual BOOL GotoURL(LPCTSTR lpszURL, int nShowCmd, LPCTSTR lpszParameters = NULL,
                         LPCTSTR lpszDirectory = NULL);
    // TRUE for SS_LEFT, SS_CENTER and SS_RIGHT statics.
    virtual BOOL IsTextStatic() const;
    // Whether the cursor is over the text as the static aligns it (always
    // for statics that show no text).
    virtual BOOL IsCursorOverText() const;
    // A message box with the text of a ShellExecute error code.
    virtual void ReportError(int nError);
    virtual void InitControl();
    // Makes the link font and gives it to the window; TRUE when made.
    virtual BOOL UpdateFont();
    virtual BOOL MakeLinkFont(CFont& font, BOOL bUnderline);

    void SetOpenOnClick(BOOL bOpen) { m_bOpenOnClick = bOpen; }
    void SetTooltips(BOOL bTooltips) { m_bTooltips = bTooltips; }
    BOOL IsHover() const { return m_bHover; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

    void Redraw();

    BOOL m_bOpenOnClick;
    BOOL m_bInitOnSubclass;
    BOOL m_bUnderline;
    BOOL m_bHover;
    BOOL m_bVisited;
    BOOL m_bTooltips;
    CFont m_fontLink;
    CString m_strURL;
    CString m_strTipText;
    HCURSOR m_hLinkCursor;
    COLORREF m_clrLink;
    COLORREF m_clrHover;
    COLORREF m_clrVisited;
    COLORREF m_clrBack;
    CToolTipCtrl m_toolTip;
};
