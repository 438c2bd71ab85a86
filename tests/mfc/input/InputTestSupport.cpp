#include "InputTestSupport.h"

#include <vector>

namespace mfcinput_test {

void MoveCursorTo(int x, int y)
{
    // Absolute moves are in 0..65535 over the primary screen.
    int cx = ::GetSystemMetrics(SM_CXSCREEN);
    int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (LONG)(((LONGLONG)x * 65536 + cx / 2) / cx);
    input.mi.dy = (LONG)(((LONGLONG)y * 65536 + cy / 2) / cy);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

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
