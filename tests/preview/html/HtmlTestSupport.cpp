#include "HtmlTestSupport.h"

#include <commctrl.h>
#include <stdio.h>
#include <wininet.h>

#include "TestSupport.h"
#include "html/HtmlCanvas.h"

namespace html_test {

std::wstring ServerUrl(const wchar_t* path)
{
    std::string state = tesmir::test::ReadWholeFile(tesmir::test::BuildPath(L"html-server.state"));
    int port = atoi(state.c_str());
    if (port <= 0)
        return std::wstring();
    wchar_t base[64];
    swprintf(base, 64, L"http://127.0.0.1:%d", port);
    return base + std::wstring(path);
}

std::string HttpGet(const std::wstring& url)
{
    std::string body;
    HINTERNET session = InternetOpenW(L"test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET request = session ? InternetOpenUrlW(session, url.c_str(), nullptr, 0,
                                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)
                                : nullptr;
    char buffer[4096];
    DWORD n = 0;
    while (request && InternetReadFile(request, buffer, sizeof(buffer), &n) && n > 0)
        body.append(buffer, n);
    if (request)
        InternetCloseHandle(request);
    if (session)
        InternetCloseHandle(session);
    return body;
}

std::wstring UniqueTag(const wchar_t* prefix)
{
    static int counter = 0;
    wchar_t tag[64];
    swprintf(tag, 64, L"%ls%lu_%d", prefix, GetCurrentProcessId(), ++counter);
    return tag;
}

namespace {
CBrowserWindow* g_pWindow = nullptr;
}

LRESULT CALLBACK CBrowserWindow::CanvasWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = g_pWindow && g_pWindow->m_browser ? g_pWindow->m_browser->CanvasProc(hwnd, message, wParam, lParam)
                                                      : HtmlCanvasWndProc(hwnd, message, wParam, lParam);
    if (message >= WM_USER || message == WM_HSCROLL || message == WM_VSCROLL || message == WM_SIZE)
        return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

CBrowserWindow::CBrowserWindow()
{
    InitCommonControls();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CanvasWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = L"TesmirHtmlTestCanvas";
    RegisterClassW(&wc);
    m_hOwner = CreateWindowW(L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 480, 360, nullptr,
                             nullptr, instance, nullptr);
    m_hCanvas = CreateWindowW(L"TesmirHtmlTestCanvas", L"", WS_CHILD | WS_VISIBLE, 0, 0, 460, 280, m_hOwner,
                              nullptr, instance, nullptr);
    m_hStatus = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", m_hOwner, 100);
    g_pWindow = this;
}

CBrowserWindow::~CBrowserWindow()
{
    m_browser.reset();
    g_pWindow = nullptr;
    DestroyWindow(m_hOwner);
}

void CBrowserWindow::Attach(CHtmlBrowser* browser)
{
    m_browser.reset(browser);
}

std::wstring CBrowserWindow::StatusText() const
{
    wchar_t text[256] = L"";
    GetWindowTextW(m_hStatus, text, 256);
    return text;
}

static BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*(int*)count;
    return TRUE;
}

int CBrowserWindow::ChildCount() const
{
    int count = 0;
    EnumChildWindows(m_hCanvas, CountWindow, (LPARAM)&count);
    return count;
}

}  // namespace html_test
