#include "FrameTestSupport.h"

namespace mfcframe_test {

BOOL CTestBar::Create(CWnd* pParent, DWORD dwBarStyle, UINT nID, BOOL bVisible)
{
    m_dwStyle = dwBarStyle;
    SetBorders(0, 0, 0, 0);
    return CWnd::Create(NULL, NULL, WS_CHILD | (bVisible ? WS_VISIBLE : 0), CRect(0, 0, 0, 0), pParent, nID);
}

CSize CTestBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bHorz)
        return CSize(bStretch ? 32767 : 50, m_nThickness);
    return CSize(m_nThickness, bStretch ? 32767 : 50);
}

LRESULT CTestBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_SIZEPARENT)
    {
        AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
        (pLayout->hDWP == NULL ? m_nQueryPasses : m_nLayoutPasses)++;
        if (m_pReenter != NULL)
            m_pReenter->RecalcLayout();
    }
    return CControlBar::WindowProc(nMsg, wParam, lParam);
}

CRect ChildRect(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    pWnd->GetParent()->ScreenToClient(rect);
    return rect;
}

}  // namespace mfcframe_test
