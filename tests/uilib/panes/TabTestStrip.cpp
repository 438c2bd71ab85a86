#include "TabTestStrip.h"

#include "CVZPDoubleBufferDC.h"
#include "CVZPTabAppearanceSet.h"
#include "CVZPTabColorSet.h"

namespace vzpanes_test {

BEGIN_MESSAGE_MAP(CTestStripWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_APP, OnDropCapture)
END_MESSAGE_MAP()

void CTestStripWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CVZPDoubleBufferDC dcBuffer(dc.GetSafeHdc(), rc);
    m_pStrip->Paint(&dcBuffer);
}

BOOL CTestStripWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

LRESULT CTestStripWnd::OnDropCapture(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    ::ReleaseCapture();
    return 0;
}

CTestStrip::CTestStrip()
    : m_pPaintManager(new CVZPTabPaintManager), m_wnd(this), m_rcStrip(0, 0, 300, 120), m_nRepositions(0),
      m_nRedraws(0), m_nButtonClicks(0)
{
    LOGFONT lf = TestLogFont();
    m_pPaintManager->ApplyLogFont(&lf, FALSE);
    m_pPaintManager->RefreshMetrics();
    m_icons[1] = { CSize(16, 16), RGB(200, 0, 0) };
    m_icons[2] = { CSize(12, 10), RGB(0, 150, 0) };
}

CTestStrip::~CTestStrip()
{
    if (m_wnd.GetSafeHwnd() != NULL)
        m_wnd.DestroyWindow();
    DeleteAllItems();
    m_pPaintManager->InternalRelease();
}

LOGFONT CTestStrip::TestLogFont()
{
    LOGFONT lf = {};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    return lf;
}

BOOL CTestStrip::CreateWnd(CSize szClient, DWORD dwExStyle)
{
    CRect rc(0, 0, szClient.cx, szClient.cy);
    ::AdjustWindowRectEx(&rc, WS_POPUP | WS_BORDER, FALSE, dwExStyle);
    rc.OffsetRect(200 - rc.left, 150 - rc.top);
    CString strClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!m_wnd.CreateEx(dwExStyle, strClass, L"Tab strip", WS_POPUP | WS_BORDER | WS_VISIBLE, rc, NULL, 0))
        return FALSE;
    m_rcStrip.SetRect(0, 0, szClient.cx, szClient.cy);
    Reposition();
    return TRUE;
}

void CTestStrip::Reposition()
{
    m_nRepositions++;
    if (m_wnd.GetSafeHwnd() != NULL)
    {
        CClientDC dc(&m_wnd);
        m_pPaintManager->LayoutTabStrip(this, &dc, m_rcStrip);
        m_wnd.Invalidate(FALSE);
    }
    else
    {
        CWindowDC dc(NULL);
        m_pPaintManager->LayoutTabStrip(this, &dc, m_rcStrip);
    }
}

void CTestStrip::RedrawControl()
{
    m_nRedraws++;
    if (m_wnd.GetSafeHwnd() != NULL)
        m_wnd.Invalidate(FALSE);
}

BOOL CTestStrip::DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon)
{
    if (pItem == NULL)
        return FALSE;
    auto it = m_icons.find(pItem->m_dwImage);
    if (it == m_icons.end())
        return FALSE;
    *pszIcon = it->second.first;
    if (bDraw && pDC != NULL)
        pDC->FillSolidRect(pt.x, pt.y, pszIcon->cx, pszIcon->cy, it->second.second);
    return TRUE;
}

CVZPTabManagerItem* CTestStrip::Add(LPCWSTR lpszCaption, DWORD dwImage)
{
    CVZPTabManagerItem* pItem = new CVZPTabManagerItem;
    pItem->m_strCaption = lpszCaption;
    pItem->m_dwImage = dwImage;
    return InsertItem(-1, pItem);
}

void CTestStrip::Paint(CDC* pDC)
{
    m_pPaintManager->DrawTabStrip(this, pDC, m_rcStrip);
}

void CTestStrip::Refresh()
{
    m_pPaintManager->RefreshMetrics();
    Reposition();
}

void CTestStrip::OnNavigateButtonClick(int /*nId*/)
{
    m_nButtonClicks++;
}

}  // namespace vzpanes_test
