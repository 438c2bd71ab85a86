#include "CVZPShadowManager.h"

#include "CVZPCommandBar.h"
#include "CVZPColorManager.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPControl.h"
#include "CVZPPopupBar.h"
#include "CVZPWindowHookManager.h"
#include "VZPColorIndex.h"

#include <vector>

namespace {

// Alpha and colour of the weighted pixels; m doubles the alpha of shadows
// drawn for themes that are not flat.
DWORD ShadowPixel(int nAlpha, int nNumerator, int nDenominator, COLORREF clr)
{
    const DWORD r = (DWORD)(GetRValue(clr) * nNumerator / nDenominator);
    const DWORD g = (DWORD)(GetGValue(clr) * nNumerator / nDenominator);
    const DWORD b = (DWORD)(GetBValue(clr) * nNumerator / nDenominator);
    return ((DWORD)nAlpha << 24) + (r << 16) + (g << 8) + b;
}

// A pixel of the fading ends: weight w from 1 to 16, colour factor w / 20.
DWORD CornerPixel(int w, int m, COLORREF clr)
{
    return ShadowPixel(3 * m * w, w, 20, clr);
}

// A pixel of the strip's body: k from 1 to 4, colour factor k / 4.
DWORD BodyPixel(int k, int m, COLORREF clr)
{
    return ShadowPixel(15 * m * k, k, 4, clr);
}

}  // namespace

// ---------------------------------------------------------------------------
// Shadow window

IMPLEMENT_DYNAMIC(CVZPShadowWnd, CWnd)

BEGIN_MESSAGE_MAP(CVZPShadowWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CVZPShadowWnd::CVZPShadowWnd() : m_bBottom(FALSE), m_bThemeShadow(FALSE), m_pOwner(NULL)
{
}

CVZPShadowWnd::~CVZPShadowWnd()
{
    CVZPWindowHookManager::GetInstance()->RemoveReceiver(this);
}

CRect CVZPShadowWnd::GetStripRect(BOOL bBottom, const CRect& rcOwner, int f)
{
    if (bBottom)
        return CRect(rcOwner.left + f, rcOwner.bottom, rcOwner.right + f, rcOwner.bottom + f);
    return CRect(rcOwner.right, rcOwner.top + f, rcOwner.right + f, rcOwner.bottom);
}

void CVZPShadowWnd::FillShadowBits(DWORD* pBits, int cx, int cy, BOOL bBottom, COLORREF clr, BOOL bThemeShadow)
{
    if (pBits == NULL || cx <= 0 || cy <= 0)
        return;
    const int m = bThemeShadow ? 1 : 2;
    // The DIB is bottom-up: row y counted from the top lies at cy - 1 - y.
    auto pixel = [&](int x, int y) -> DWORD& { return pBits[(size_t)(cy - 1 - y) * cx + x]; };
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pixel(x, y) = 0;
    if (!bBottom)
    {
        // Column n = x + 1 counts from the owner, row r = y + 1 from the top;
        // the top four rows fade in.
        for (int x = 0; x < cx && x < 4; x++)
        {
            const int n = x + 1;
            for (int y = 0; y < cy; y++)
                pixel(x, y) = y < 4 ? CornerPixel((5 - n) * (y + 1), m, clr) : BodyPixel(5 - n, m, clr);
        }
        return;
    }
    // Row r = y + 1 counts from the owner. The first four columns fade in
    // and the last four out; a strip shorter than eight pixels gets what
    // fits of both ends.
    const int nLeft = std::min(4, (cx + 1) / 2);
    const int nRight = std::min(4, cx / 2);
    for (int y = 0; y < cy && y < 4; y++)
    {
        const int r = y + 1;
        for (int x = 0; x < cx; x++)
        {
            if (x < nLeft)
                pixel(x, y) = CornerPixel((x + 1) * (5 - r), m, clr);
            else if (x >= cx - nRight)
                pixel(x, y) = CornerPixel((cx - x) * (5 - r), m, clr);
            else
                pixel(x, y) = BodyPixel(5 - r, m, clr);
        }
    }
}

BOOL CVZPShadowWnd::PlaceShadow(BOOL bBottom, const CRect& rcOwner)
{
    CVZPShadowManager* pManager = VZPGetShadowManager();
    if (m_hWnd == NULL)
    {
        const CString strClass = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC, ::LoadCursorW(NULL, IDC_ARROW));
        const DWORD dwExStyle = pManager->IsAlphaShadow() ? WS_EX_LAYERED | WS_EX_TOOLWINDOW : WS_EX_TOOLWINDOW;
        CWnd* pSite = m_pOwner != NULL ? m_pOwner->GetSite() : NULL;
        if (!CreateEx(dwExStyle, strClass, NULL, WS_POPUP, CRect(0, 0, 0, 0), pSite, 0))
            return FALSE;
    }
    SetWindowRgn(NULL, FALSE);
    m_bBottom = bBottom;
    const CRect rc = GetStripRect(bBottom, rcOwner, pManager->GetShadowThickness());
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    return TRUE;
}

void CVZPShadowWnd::ExcludeRect(const CRect& rcScreen)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcCut;
    if (!rcCut.IntersectRect(rcWindow, rcScreen))
        return;
    rcCut.OffsetRect(-rcWindow.TopLeft());
    CRect rcClient;
    GetClientRect(&rcClient);
    HRGN hRegion = ::CreateRectRgnIndirect(&rcClient);
    HRGN hCut = ::CreateRectRgnIndirect(&rcCut);
    ::CombineRgn(hRegion, hRegion, hCut, RGN_DIFF);
    ::DeleteObject(hCut);
    // The window owns a region it accepts.
    if (SetWindowRgn(hRegion, FALSE) == 0)
        ::DeleteObject(hRegion);
}

void CVZPShadowWnd::AlignWithShadows(CPtrList& listShadows)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    BOOL bMoved = FALSE;
    for (POSITION pos = listShadows.GetHeadPosition(); pos != NULL;)
    {
        CVZPShadowWnd* pOther = static_cast<CVZPShadowWnd*>(listShadows.GetNext(pos));
        if (pOther == this || pOther->m_bBottom == m_bBottom || pOther->GetSafeHwnd() == NULL)
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        if (!m_bBottom)
        {
            if (rcWindow.top == rcOther.bottom - 1 && rcOther.left < rcWindow.right && rcWindow.right < rcOther.right)
            {
                rcWindow.top -= 2 * rcOther.Height();
                bMoved = TRUE;
            }
        }
        else if (rcWindow.left == rcOther.right - 1 && rcOther.top < rcWindow.top && rcWindow.bottom < rcOther.bottom)
        {
            rcWindow.left -= 2 * rcOther.Width() + 1;
            bMoved = TRUE;
        }
    }
    if (bMoved)
        SetWindowPos(NULL, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

int CVZPShadowWnd::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& /*lParam*/, LRESULT& /*lResult*/)
{
    if (m_pOwner == NULL || hWnd != m_pOwner->GetSafeHwnd())
        return 0;
    if (nMessage == WM_SHOWWINDOW)
        ShowWindow(wParam != 0 ? SW_SHOWNA : SW_HIDE);
    else if (nMessage == WM_DESTROY)
    {
        CVZPWindowHookManager::GetInstance()->RemoveHook(hWnd, this);
        VZPGetShadowManager()->DestroyShadow(this);   // deletes this
    }
    return 0;
}

BOOL CVZPShadowWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZPShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // With alpha shadows the layered bitmap replaces what is painted here.
    dc.FillSolidRect(rc, VZPGetShadowManager()->IsAlphaShadow() ? RGB(0, 0, 0) : GetColorManager()->GetColor(COLOR_BTNSHADOW));
}

void CVZPShadowWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    CVZPShadowManager* pManager = VZPGetShadowManager();
    if (cx <= 0 || cy <= 0 || !pManager->IsAlphaShadow() || m_pOwner == NULL)
        return;

    CClientDC dcClient(this);
    HDC hdcMem = ::CreateCompatibleDC(dcClient.GetSafeHdc());
    if (hdcMem == NULL)
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = (DWORD)(cx * cy * 4);
    void* pvBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hdcMem, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hBitmap != NULL && pvBits != NULL)
    {
        FillShadowBits(static_cast<DWORD*>(pvBits), cx, cy, m_bBottom, m_pOwner->GetPaintManager()->m_clrShadowFactor,
                       m_bThemeShadow);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        SIZE size = {cx, cy};
        POINT ptSource = {0, 0};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        pManager->GetUpdateLayeredWindow()(m_hWnd, NULL, NULL, &size, hdcMem, &ptSource, 0, &blend, ULW_ALPHA);
        ::SelectObject(hdcMem, hOld);
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    ::DeleteDC(hdcMem);
}

UINT CVZPShadowWnd::OnNcHitTest(CPoint /*point*/)
{
    return HTTRANSPARENT;
}

// ---------------------------------------------------------------------------
// Manager

CVZPShadowManager::CVZPShadowManager() : m_pfnUpdateLayeredWindow(NULL), m_listShadows(10)
{
    HMODULE hUser = ::GetModuleHandleW(L"USER32");
    if (hUser != NULL)
        m_pfnUpdateLayeredWindow =
            reinterpret_cast<PFNVZPUPDATELAYEREDWINDOW>(
                reinterpret_cast<void*>(::GetProcAddress(hUser, "UpdateLayeredWindow")));
}

CVZPShadowManager::~CVZPShadowManager()
{
    // Windows still listed at exit go with their owners.
    m_listShadows.RemoveAll();
}

CVZPShadowManager* VZPGetShadowManager()
{
    static CVZPShadowManager s_shadowManager;
    return &s_shadowManager;
}

void CVZPShadowManager::AddShadow(CVZPPopupBar* pPopupBar, const CRect& rcExclude)
{
    if (pPopupBar == NULL || pPopupBar->GetSafeHwnd() == NULL || pPopupBar->IsCustomizeMode())
        return;
    if (!pPopupBar->GetPaintManager()->IsFlatStyle())
    {
        // Themes that are not flat follow the system's drop-shadow setting.
        BOOL bDropShadow = FALSE;
        if (!IsAlphaShadow() || !::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bDropShadow, 0) || !bDropShadow)
            return;
    }
    CRect rc;
    pPopupBar->GetWindowRect(&rc);
    CreateShadow(TRUE, rc, rcExclude, pPopupBar);
    CreateShadow(FALSE, rc, rcExclude, pPopupBar);
}

void CVZPShadowManager::AddControlShadow(CVZPControl* pControl)
{
    if (pControl == NULL || pControl->IsCustomizeMode() || !pControl->GetPaintManager()->IsFlatStyle())
        return;
    CVZPCommandBar* pBar = pControl->GetParent();
    CVZPCommandBar* pOwner = pControl->GetCommandBar();
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL || pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return;
    CRect rc = pControl->GetRect();
    pBar->ClientToScreen(&rc);
    CreateShadow(TRUE, rc, CRect(0, 0, 0, 0), pOwner);
    CreateShadow(FALSE, rc, CRect(0, 0, 0, 0), pOwner);
}

CVZPShadowWnd* CVZPShadowManager::CreateShadow(BOOL bBottom, const CRect& rcOwner, const CRect& rcExclude,
                                              CVZPCommandBar* pOwner)
{
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return NULL;
    CVZPCommandBarPaintManager* pPaintManager = pOwner->GetPaintManager();
    if (!pPaintManager->IsPopupShadows())
        return NULL;

    CVZPShadowWnd* pShadow = new CVZPShadowWnd;
    pShadow->m_bThemeShadow = pPaintManager->IsFlatStyle();
    pShadow->m_pOwner = pOwner;
    if (!pShadow->PlaceShadow(bBottom, rcOwner))
    {
        delete pShadow;
        return NULL;
    }
    pShadow->AlignWithShadows(m_listShadows);
    m_listShadows.AddTail(pShadow);

    // Each cut replaces the region the previous one left.
    if (pShadow->m_bThemeShadow)
        pShadow->ExcludeRect(rcExclude);
    for (POSITION pos = m_listShadows.GetHeadPosition(); pos != NULL;)
    {
        CVZPShadowWnd* pListed = static_cast<CVZPShadowWnd*>(m_listShadows.GetNext(pos));
        if (pListed->m_pOwner != NULL && pListed->m_pOwner->GetSafeHwnd() != NULL)
        {
            CRect rcListedOwner;
            pListed->m_pOwner->GetWindowRect(&rcListedOwner);
            pShadow->ExcludeRect(rcListedOwner);
        }
    }
    pShadow->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    CVZPWindowHookManager::GetInstance()->SetHook(pOwner->GetSafeHwnd(), pShadow);
    return pShadow;
}

void CVZPShadowManager::RemoveShadows(CVZPCommandBar* pOwner)
{
    std::vector<CVZPShadowWnd*> shadows;
    for (POSITION pos = m_listShadows.GetHeadPosition(); pos != NULL;)
    {
        CVZPShadowWnd* pShadow = static_cast<CVZPShadowWnd*>(m_listShadows.GetNext(pos));
        if (pShadow->m_pOwner == pOwner)
            shadows.push_back(pShadow);
    }
    for (CVZPShadowWnd* pShadow : shadows)
    {
        if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL)
            CVZPWindowHookManager::GetInstance()->RemoveHook(pOwner->GetSafeHwnd(), pShadow);
        DestroyShadow(pShadow);
    }
}

void CVZPShadowManager::DestroyShadow(CVZPShadowWnd* pShadow)
{
    if (pShadow->GetSafeHwnd() != NULL)
        pShadow->ShowWindow(SW_HIDE);
    pShadow->m_pOwner = NULL;
    POSITION pos = m_listShadows.Find(pShadow);
    if (pos != NULL)
        m_listShadows.RemoveAt(pos);
    if (m_listShadows.IsEmpty())
        m_listShadows.RemoveAll();   // gives the list's blocks back
    if (pShadow->GetSafeHwnd() != NULL)
        pShadow->DestroyWindow();
    delete pShadow;
}
