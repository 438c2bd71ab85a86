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

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*(int*)lParam;
    return TRUE;
}

}  // namespace

int CountThreadWindows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, (LPARAM)&nCount);
    return nCount;
}

}  // namespace appui_test
