#include "CVZPReBar.h"

#include "CVZPDockBar.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPToolBar.h"

IMPLEMENT_DYNAMIC(CVZPReBar, CReBar)

BEGIN_MESSAGE_MAP(CVZPReBar, CReBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(RBN_CHILDSIZE, OnHeightChange)
END_MESSAGE_MAP()

namespace {

// The band record in the size comctl32 5 and 6 both accept.
const UINT kBandInfoSize = 80;
static_assert(sizeof(REBARBANDINFOW) >= kBandInfoSize, "REBARBANDINFOW holds the 80-byte form");

REBARBANDINFOW BandInfo(UINT fMask)
{
    REBARBANDINFOW rbbi;
    memset(&rbbi, 0, sizeof(rbbi));
    rbbi.cbSize = kBandInfoSize;
    rbbi.fMask = fMask;
    return rbbi;
}

}  // namespace

CVZPReBar::CVZPReBar()
{
}

CVZPReBar::~CVZPReBar()
{
}

BOOL CVZPReBar::AddToolBar(CVZPToolBar* pToolBar, DWORD dwBandStyle)
{
    CSize size = pToolBar->CalcDynamicLayout(32000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    pToolBar->MoveWindow(0, 0, size.cx, size.cy);
    if (CVZPDockBar* pDockBar = pToolBar->GetDockBar())
    {
        pDockBar->RemoveCommandBar(pToolBar);
        pToolBar->m_dwFlags = 0;
        pToolBar->m_dwStyle &= ~CBRS_GRIPPER;
    }
    if (!AddBar(pToolBar, NULL, NULL, dwBandStyle))
        return FALSE;
    UINT nCount = (UINT)SendMessage(RB_GETBANDCOUNT, 0, 0);
    REBARBANDINFOW rbbi = BandInfo(RBBIM_ID);
    rbbi.wID = pToolBar->GetBarID();
    SendMessage(RB_SETBANDINFOW, nCount - 1, (LPARAM)&rbbi);
    return TRUE;
}

int CVZPReBar::RemoveToolBar(CVZPToolBar* pToolBar)
{
    int nBand = FindBand(pToolBar);
    if (nBand == -1)
        return -1;
    return (int)SendMessage(RB_DELETEBAND, nBand, 0);
}

CVZPToolBar* CVZPReBar::GetToolBar(int nBand) const
{
    REBARBANDINFOW rbbi = BandInfo(RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE);
    if (!::SendMessage(m_hWnd, RB_GETBANDINFOW, nBand, (LPARAM)&rbbi) || rbbi.hwndChild == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CVZPToolBar, CWnd::FromHandlePermanent(rbbi.hwndChild));
}

int CVZPReBar::FindBand(CVZPToolBar* pToolBar) const
{
    int nCount = (int)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0);
    for (int i = nCount - 1; i >= 0; i--)
        if (GetToolBar(i) == pToolBar)
            return i;
    return -1;
}

CSize CVZPReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CReBar::CalcFixedLayout(bStretch, bHorz);
    Invalidate(FALSE);
    int nCount = (int)SendMessage(RB_GETBANDCOUNT, 0, 0);
    for (int i = nCount - 1; i >= 0; i--)
    {
        CVZPToolBar* pToolBar = GetToolBar(i);
        if (pToolBar == NULL)
            continue;
        CRect rcBar;
        pToolBar->GetWindowRect(&rcBar);
        int nMinWidth = pToolBar->CalcDynamicLayout(32000, LM_HORZ | LM_HORZDOCK).cx;
        // 0x80: the bars' own flag for a band of a rebar.
        DWORD dwMode = pToolBar->GetType() == vzpBarTypeMenuBar ? LM_STRETCH | LM_HORZ | LM_HORZDOCK | LM_COMMIT
                                                                 : LM_HORZ | LM_HORZDOCK | LM_COMMIT | 0x80;
        CSize szBar = pToolBar->CalcDynamicLayout(rcBar.Width(), dwMode);
        REBARBANDINFOW rbbi = BandInfo(RBBIM_CHILDSIZE | RBBIM_IDEALSIZE);
        rbbi.cxMinChild = nMinWidth;
        rbbi.cyMinChild = szBar.cy;
        rbbi.cxIdeal = szBar.cx;
        SendMessage(RB_SETBANDINFOW, i, (LPARAM)&rbbi);
        pToolBar->Invalidate(FALSE);
    }
    return size;
}

void CVZPReBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZPDoubleBufferDC memDC(dc.m_hDC, rcClient);
    memDC.FillSolidRect(rcClient, ::GetSysColor(COLOR_BTNFACE));
    DefWindowProc(WM_ERASEBKGND, (WPARAM)memDC.m_hDC, 0);
    DefWindowProc(WM_PAINT, (WPARAM)memDC.m_hDC, 0);
}

BOOL CVZPReBar::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}
