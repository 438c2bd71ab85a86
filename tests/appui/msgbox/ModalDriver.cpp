#include "ModalDriver.h"

namespace msgbox_test {

namespace {
thread_local CModalDriver* t_pDriver = nullptr;
}

CModalDriver::CModalDriver(std::vector<Step> steps, DWORD dwDeadlineMs)
    : m_steps(std::move(steps)), m_dwDeadline(dwDeadlineMs), m_dwStart(::GetTickCount())
{
    t_pDriver = this;
    m_hHook = ::SetWindowsHookExW(WH_CBT, &CModalDriver::CbtProc, nullptr, ::GetCurrentThreadId());
}

CModalDriver::~CModalDriver()
{
    if (m_nTimer != 0)
        ::KillTimer(nullptr, m_nTimer);
    ::UnhookWindowsHookEx(m_hHook);
    t_pDriver = nullptr;
}

LRESULT CALLBACK CModalDriver::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CModalDriver* pDriver = t_pDriver;
    if (pDriver != nullptr)
    {
        if (nCode == HCBT_CREATEWND)
            pDriver->m_nCreations++;
        else if (nCode == HCBT_ACTIVATE && pDriver->m_hBox == nullptr)
        {
            const HWND hWnd = reinterpret_cast<HWND>(wParam);
            WCHAR szClass[16] = L"";
            ::GetClassNameW(hWnd, szClass, 16);
            if (lstrcmpW(szClass, L"#32770") == 0)
            {
                pDriver->m_hBox = hWnd;
                pDriver->m_dwStart = ::GetTickCount();
                pDriver->m_nTimer = ::SetTimer(nullptr, 0, 30, &CModalDriver::TimerProc);
            }
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CALLBACK CModalDriver::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_pDriver != nullptr)
        t_pDriver->Tick();
}

void CModalDriver::Tick()
{
    if (m_bInTick || m_hBox == nullptr || !::IsWindow(m_hBox))
        return;
    m_bInTick = true;
    if (::GetTickCount() - m_dwStart > m_dwDeadline)
    {
        m_bTimedOut = true;
        ::DestroyWindow(m_hBox);
    }
    else if (m_nStep < m_steps.size() && m_steps[m_nStep](m_hBox))
        m_nStep++;
    m_bInTick = false;
}

std::vector<BoxButton> CModalDriver::Buttons(HWND hBox)
{
    std::vector<BoxButton> buttons;
    for (HWND h = ::GetWindow(hBox, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        WCHAR szClass[16] = L"";
        ::GetClassNameW(h, szClass, 16);
        const LONG style = ::GetWindowLongW(h, GWL_STYLE);
        const LONG type = style & BS_TYPEMASK;
        if (lstrcmpiW(szClass, L"Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON))
            continue;
        BoxButton button;
        button.id = ::GetDlgCtrlID(h);
        button.caption = Caption(h);
        button.enabled = ::IsWindowEnabled(h) != FALSE;
        button.isDefault = type == BS_DEFPUSHBUTTON;
        ::GetWindowRect(h, &button.rect);
        ::MapWindowPoints(nullptr, hBox, reinterpret_cast<POINT*>(&button.rect), 2);
        buttons.push_back(button);
    }
    return buttons;
}

std::wstring CModalDriver::Caption(HWND hWnd)
{
    WCHAR szText[512] = L"";
    ::GetWindowTextW(hWnd, szText, 512);
    return szText;
}

CModalDriver::Step CModalDriver::Click(int nId)
{
    return [nId](HWND hBox) {
        const HWND hButton = ::GetDlgItem(hBox, nId);
        if (hButton != nullptr)
            ::SendMessageW(hButton, BM_CLICK, 0, 0);
        return true;
    };
}

CModalDriver::Step CModalDriver::PressEscape()
{
    return [](HWND hBox) {
        HWND hTarget = ::GetFocus();
        if (hTarget == nullptr || (hTarget != hBox && !::IsChild(hBox, hTarget)))
            hTarget = hBox;
        ::PostMessageW(hTarget, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageW(hTarget, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        return true;
    };
}

CModalDriver::Step CModalDriver::Close()
{
    return [](HWND hBox) {
        ::PostMessageW(hBox, WM_CLOSE, 0, 0);
        return true;
    };
}

CModalDriver::Step CModalDriver::Wait(DWORD dwMs)
{
    auto pStart = std::make_shared<DWORD>(0);
    return [pStart, dwMs](HWND) {
        if (*pStart == 0)
            *pStart = ::GetTickCount() | 1;
        return ::GetTickCount() - *pStart >= dwMs;
    };
}

CModalDriver::Step CModalDriver::Run(std::function<void(HWND)> fn)
{
    return [fn](HWND hBox) {
        fn(hBox);
        return true;
    };
}

}  // namespace msgbox_test
