// CReBar: bands over the common rebar control, each holding a child window.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)
IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar()
{
    SetBorders(0, 0, 0, 0);
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | RBS_VARHEIGHT | dwCtrlStyle;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_COOL_CLASSES };
    ::InitCommonControlsEx(&icc);
    CRect rect;
    rect.SetRectEmpty();
    return CWnd::Create(REBARCLASSNAMEW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CReBar::AddBandHelper(CWnd* pBar, REBARBANDINFO* pRBBI)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return FALSE;
    // The band's window becomes the rebar's child and is sized by its layout.
    pBar->SetParent(this);
    pRBBI->fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE;
    pRBBI->hwndChild = pBar->m_hWnd;
    CRect rect;
    pBar->GetWindowRect(rect);
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    CSize size = pControlBar != NULL ? pControlBar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0)
                                     : rect.Size();
    pRBBI->cxMinChild = (UINT)size.cx;
    pRBBI->cyMinChild = (UINT)size.cy;
    BOOL bResult = (BOOL)SendMessage(RB_INSERTBAND, (WPARAM)-1, (LPARAM)pRBBI);
    CFrameWnd* pFrame = GetParentFrame();
    if (bResult && pFrame != NULL)
        pFrame->RecalcLayout();
    return bResult;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFO rbbi = {};
    rbbi.cbSize = REBARBANDINFO_V6_SIZE;
    rbbi.fMask = RBBIM_STYLE;
    rbbi.fStyle = dwStyle;
    if (pszText != NULL)
    {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = (LPTSTR)pszText;
    }
    if (pbmp != NULL)
    {
        rbbi.fMask |= RBBIM_BACKGROUND;
        rbbi.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
    }
    return AddBandHelper(pBar, &rbbi);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText, DWORD dwStyle)
{
    REBARBANDINFO rbbi = {};
    rbbi.cbSize = REBARBANDINFO_V6_SIZE;
    rbbi.fMask = RBBIM_STYLE | RBBIM_COLORS;
    rbbi.fStyle = dwStyle;
    rbbi.clrFore = clrFore;
    rbbi.clrBack = clrBack;
    if (pszText != NULL)
    {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = (LPTSTR)pszText;
    }
    return AddBandHelper(pBar, &rbbi);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The rebar's own height (all rows), across the whole width.
    CRect rect;
    rect.SetRectEmpty();
    CalcInsideRect(rect, bHorz);
    UINT nHeight = m_hWnd != NULL ? (UINT)SendMessage(RB_GETBARHEIGHT) : 0;
    CSize size;
    if (bHorz)
    {
        size.cx = bStretch ? 32767 : 0;
        size.cy = (int)nHeight - rect.Height();
    }
    else
    {
        size.cx = (int)nHeight - rect.Width();
        size.cy = bStretch ? 32767 : 0;
    }
    return size;
}

CSize CReBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    (void)nLength;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CReBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    // The bands' windows get their own idle messages as descendants.
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CReBar::OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    // A new height means a new frame layout.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
    *pResult = 0;
}
