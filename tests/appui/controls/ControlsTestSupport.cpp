#include "ControlsTestSupport.h"

#include <TestSupport.h>

namespace appui_test {

COLORREF CanvasPattern(int x, int y)
{
    return ((x / 3 + y / 3) % 2) != 0 ? RGB(200, 40, 40) : RGB(40, 160, 60);
}

BEGIN_MESSAGE_MAP(CCanvasWnd, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CCanvasWnd::CreateCanvas(int cx, int cy)
{
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), _T("canvas"),
                  WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 20, 20, cx, cy, NULL, NULL))
        return FALSE;
    PaintNow(this);
    return TRUE;
}

CCanvasWnd* SharedCanvas()
{
    // Showing and destroying a top-level window waits for the display:
    // the tests share one.
    static CCanvasWnd* s_pCanvas = NULL;
    if (s_pCanvas == NULL)
    {
        s_pCanvas = new CCanvasWnd;
        if (!s_pCanvas->CreateCanvas())
            return NULL;
    }
    s_pCanvas->Invalidate();
    PaintNow(s_pCanvas);
    return s_pCanvas;
}

BOOL CCanvasWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    for (int y = 0; y < rect.bottom; y += 3)
        for (int x = 0; x < rect.right; x += 3)
            pDC->FillSolidRect(x, y, 3, 3, CanvasPattern(x, y));
    return TRUE;
}

CCapture::CCapture(CWnd* pWnd, BOOL bWhole) : m_hBitmap(NULL), m_hOld(NULL), m_pBits(NULL), m_cx(0), m_cy(0)
{
    CRect rect;
    if (bWhole)
        pWnd->GetWindowRect(&rect);
    else
        pWnd->GetClientRect(&rect);
    m_cx = rect.Width();
    m_cy = rect.Height();
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = (DWORD*)pBits;
    m_dc.CreateCompatibleDC(NULL);
    m_hOld = m_dc.SelectObject((HGDIOBJ)m_hBitmap);
    HDC hdc = bWhole ? ::GetWindowDC(pWnd->m_hWnd) : ::GetDC(pWnd->m_hWnd);
    ::BitBlt(m_dc.m_hDC, 0, 0, m_cx, m_cy, hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(pWnd->m_hWnd, hdc);
    ::GdiFlush();
}

CCapture::~CCapture()
{
    m_dc.SelectObject(m_hOld);
    m_dc.DeleteDC();
    ::DeleteObject(m_hBitmap);
}

COLORREF CCapture::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    ::GdiFlush();
    DWORD v = m_pBits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

namespace {

BOOL CALLBACK FindUpdateRegion(HWND hWnd, LPARAM lParam)
{
    if (::GetUpdateRect(hWnd, NULL, FALSE))
    {
        *(BOOL*)lParam = TRUE;
        return FALSE;
    }
    return TRUE;
}

// True while pWnd or one of its descendants waits to be painted.
bool NeedsPainting(CWnd* pWnd)
{
    BOOL bPending = ::GetUpdateRect(pWnd->m_hWnd, NULL, FALSE);
    if (!bPending)
        ::EnumChildWindows(pWnd->m_hWnd, FindUpdateRegion, (LPARAM)&bPending);
    return bPending != FALSE;
}

}  // namespace

void PaintNow(CWnd* pWnd)
{
    // Dispatch what was posted (show, size and focus changes), then paint.
    MSG msg;
    for (int i = 0; i < 200 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    ::RedrawWindow(pWnd->m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    tesmir::test::PumpUntil([&] { return !NeedsPainting(pWnd); }, 2000);
}

int LineHeight(HFONT hFont)
{
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    RECT rect = {0, 0, 0, 0};
    ::DrawText(hdc, _T("Ky"), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    return rect.bottom - rect.top;
}

CSize TextSize(HFONT hFont, LPCTSTR lpszText)
{
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(hdc, lpszText, lstrlen(lpszText), &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    return size;
}

}  // namespace appui_test
