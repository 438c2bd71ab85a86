#include "InputTestSupport.h"

namespace mfcinput_test {

bool PumpFrameworkUntil(const std::function<bool()>& pred, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!AfxPumpMessage())
                return pred();   // WM_QUIT
        }
        if (pred())
            return true;
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return pred();
        DWORD wait = timeoutMs - elapsed;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, wait > 10 ? 10 : wait, QS_ALLINPUT);
    }
}

bool BringToForeground(HWND hWnd)
{
    ::SetForegroundWindow(hWnd);
    return PumpFrameworkUntil([&] { return ::GetForegroundWindow() == hWnd && ::GetActiveWindow() == hWnd; });
}

BOOL CreatePopup(CWnd& wnd, const RECT& rect, LPCTSTR lpszTitle, CWnd* pOwner)
{
    return wnd.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)),
                        lpszTitle, WS_POPUP | WS_CAPTION | WS_VISIBLE, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, pOwner->GetSafeHwnd(), NULL);
}

}  // namespace mfcinput_test
