// The main frame's status bar: a message pane and an owner-drawn link,
// "Contact Support", that opens the support page.
#pragma once

#include <afxwin.h>
#include <afxext.h>

// The frame sets the indicators (0, IDS_CONTACT_SUPPORT and the three key
// indicators), hands pane 1 its owner-drawn text with SB_SETTEXT and
// SBT_OWNERDRAW, and calls LayoutPanes on every resize. The control sends
// WM_DRAWITEM to the frame, whose reflection brings it to DrawItem.
class CMainStatusBar : public CStatusBar
{
public:
    static constexpr COLORREF kLinkColor = RGB(29, 117, 189);

    CMainStatusBar();
    ~CMainStatusBar() override;

    // Pane 0 gets nWidth / 2 + 270 pixels; pane 1 stretches over the rest.
    void LayoutPanes(int nWidth);

    // Draws the link in pane 1 and remembers its extent.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The link's extent as last drawn; empty before the first drawing.
    CSize GetLinkSize() const { return CSize(m_nLinkWidth, m_nLinkHeight); }

    static LPCTSTR LinkText() { return _T("Contact Support"); }
    // The support page the link opens (a string resource).
    static CString SupportAddress();
    // Where a click opens the link: from the pane's left + 4, as wide as the
    // link was last drawn.
    CRect GetLinkHitRect() const;

protected:
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CString m_strSpare;
    int m_nLinkWidth;
    int m_nLinkHeight;
};
