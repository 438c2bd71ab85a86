#include "CMainFramePaintManager.h"

#include "CVZPCommandBar.h"
#include "CVZPDockBar.h"
#include "VZPColorIndex.h"
#include "resource.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
}  // namespace

CMainFramePaintManager::CMainFramePaintManager()
{
    HINSTANCE hResources = AfxFindResourceHandle(MAKEINTRESOURCE(IDB_HEADER_LOGO), RT_BITMAP);
    if (HBITMAP hLogo = ::LoadBitmap(hResources, MAKEINTRESOURCE(IDB_HEADER_LOGO)))
        m_logo.Attach(hLogo);
    m_logo.m_crTransparent = kWhite;
    RefreshMetrics();
}

CMainFramePaintManager::~CMainFramePaintManager() {}

void CMainFramePaintManager::RefreshMetrics()
{
    CVZPSchemeGradientPaintManager::RefreshMetrics();
    const int nIndex = VZPCOLOR_CONTROL_BORDER;
    const COLORREF clr = kWhite;
    SetColors(1, &nIndex, &clr);
}

void CMainFramePaintManager::FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, kWhite);
    if (pBar->GetType() != vzpBarTypeMenuBar)
        pDC->SetTextColor(RGB(0, 0, 0));
}

CSize CMainFramePaintManager::DrawCommandBarSeparator(CDC*, CVZPCommandBar*, CVZPControl*, BOOL)
{
    return CSize(0, 0);
}

void CMainFramePaintManager::FillDockBar(CDC* pDC, CVZPDockBar* pBar)
{
    CVZPSchemeGradientPaintManager::FillDockBar(pDC, pBar);
    CRect rc;
    pBar->GetWindowRect(&rc);
    rc.OffsetRect(-rc.TopLeft());
    pDC->FillSolidRect(rc, kWhite);
    pDC->SetBkColor(kWhite);
    if (m_logo.GetSafeHandle() != NULL)
        m_logo.Draw(pDC, rc.Width() - kLogoRightOffset, kLogoTop, kWhite);
}
