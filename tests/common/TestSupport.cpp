#include "TestSupport.h"

#include <cstdlib>
#include <vector>

namespace tesmir {
namespace test {

namespace {

// name in the folder that the environment variable envName holds as a Unix
// path, as a Windows path: Wine maps the Unix root to drive Z:.
std::wstring PathUnder(const wchar_t* envName, const wchar_t* name)
{
    std::wstring dir;
    if (const wchar_t* env = _wgetenv(envName))
        dir = env;
    std::wstring path = L"Z:";
    for (wchar_t c : dir)
        path += (c == L'/') ? L'\\' : c;
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    for (const wchar_t* p = name; *p; ++p)
        path += (*p == L'/') ? L'\\' : *p;
    return path;
}

}  // namespace

std::wstring FixturePath(const wchar_t* name)
{
    return PathUnder(L"TESMIR_FIXTURES", name);
}

std::wstring BuildPath(const wchar_t* name)
{
    return PathUnder(L"TESMIR_BUILD_DIR", name);
}

std::wstring ScreenshotPath(const wchar_t* name)
{
    ::CreateDirectoryW(BuildPath(L"screenshots").c_str(), NULL);
    return BuildPath((std::wstring(L"screenshots\\") + name).c_str());
}

void CaptureWindow(HWND hwnd, CDibCanvas& canvas, bool wholeWindow)
{
    HDC dc = wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd);
    BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
}

bool FixtureExists(const wchar_t* name)
{
    return GetFileAttributesW(FixturePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (pred())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return pred();
        DWORD wait = timeoutMs - elapsed;
        if (wait > 10)
            wait = 10;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

namespace {

// The input record of an absolute move to screen point (x, y). Absolute
// moves are in 0..65535 over the primary screen, and the system rounds the
// pixel down: the smallest value that lands on the pixel is taken.
INPUT AbsoluteMove(int x, int y)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (LONG)(((LONGLONG)x * 65536 + cx - 1) / cx);
    input.mi.dy = (LONG)(((LONGLONG)y * 65536 + cy - 1) / cy);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

}  // namespace

void MoveCursorTo(int x, int y)
{
    INPUT input = AbsoluteMove(x, y);
    SendInput(1, &input, sizeof(INPUT));
}

bool PlaceCursorByInput(int x, int y)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        MoveCursorTo(x, y);
        POINT pt = {-1, -1};
        if (!PumpUntil([&] { return GetCursorPos(&pt) && pt.x == x && pt.y == y; }, 2000))
            continue;
        const DWORD placed = GetTickCount();
        bool movedAway = false;
        PumpUntil([&] {
            movedAway = GetCursorPos(&pt) && (pt.x != x || pt.y != y);
            return movedAway || GetTickCount() - placed >= 250;
        });
        if (!movedAway)
            return true;
    }
    return false;
}

void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

void SendMouseButtons(POINT pt, std::initializer_list<DWORD> flags)
{
    std::vector<INPUT> inputs;
    for (DWORD flag : flags) {
        INPUT input = AbsoluteMove(pt.x, pt.y);
        input.mi.dwFlags |= flag;
        inputs.push_back(input);
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

bool SendMouseInput(POINT pt, DWORD flags)
{
    INPUT input = AbsoluteMove(pt.x, pt.y);
    input.mi.dwFlags |= flags;
    if (SendInput(1, &input, sizeof(INPUT)) != 1)
        return false;
    return PumpUntil([&] {
        POINT at;
        return GetCursorPos(&at) && at.x == pt.x && at.y == pt.y;
    });
}

bool SendMouseSteps(const std::vector<std::pair<POINT, DWORD>>& steps)
{
    if (steps.empty() || !SendMouseInput(steps[0].first))
        return false;
    std::vector<INPUT> inputs;
    for (const auto& step : steps) {
        INPUT input = AbsoluteMove(step.first.x, step.first.y);
        input.mi.dwFlags |= step.second;
        inputs.push_back(input);
    }
    return SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool BringToFront(HWND hwnd)
{
    SetForegroundWindow(hwnd);
    return PumpUntil([&] { return GetForegroundWindow() == hwnd; });
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string data;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0)
        data.append(buf, got);
    CloseHandle(h);
    return data;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], n, NULL, NULL);
    return out;
}

CDibCanvas::CDibCanvas(int cx, int cy, COLORREF fill) : m_cx(cx > 0 ? cx : 1), m_cy(cy > 0 ? cy : 1)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;   // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_hdc = CreateCompatibleDC(nullptr);
    m_hBitmap = CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pBits = static_cast<DWORD*>(bits);
    if (m_hBitmap)
        m_hOld = SelectObject(m_hdc, m_hBitmap);
    Fill(fill);
}

CDibCanvas::~CDibCanvas()
{
    if (m_hOld)
        SelectObject(m_hdc, m_hOld);
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    if (m_hdc)
        DeleteDC(m_hdc);
}

// DIB pixels are stored as 0x00RRGGBB; COLORREF is 0x00BBGGRR.
static COLORREF FromDib(DWORD v)
{
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

static DWORD ToDib(COLORREF c)
{
    return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}

COLORREF CDibCanvas::Pixel(int x, int y) const
{
    if (!m_pBits || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    GdiFlush();
    return FromDib(m_pBits[size_t(y) * m_cx + x]);
}

void CDibCanvas::SetPixel(int x, int y, COLORREF color)
{
    if (!m_pBits || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return;
    GdiFlush();
    m_pBits[size_t(y) * m_cx + x] = ToDib(color);
}

void CDibCanvas::Fill(COLORREF color)
{
    if (!m_pBits)
        return;
    GdiFlush();
    const DWORD v = ToDib(color);
    for (size_t i = 0, n = size_t(m_cx) * m_cy; i < n; ++i)
        m_pBits[i] = v;
}

int CDibCanvas::Count(const RECT& rc, COLORREF color) const
{
    if (!m_pBits)
        return 0;
    GdiFlush();
    const DWORD v = ToDib(color);
    int n = 0;
    for (int y = rc.top < 0 ? 0 : rc.top; y < rc.bottom && y < m_cy; ++y)
        for (int x = rc.left < 0 ? 0 : rc.left; x < rc.right && x < m_cx; ++x)
            if ((m_pBits[size_t(y) * m_cx + x] & 0xFFFFFF) == v)
                ++n;
    return n;
}

bool CDibCanvas::SaveBmp(const std::wstring& path) const
{
    if (!m_pBits)
        return false;
    GdiFlush();
    const int stride = (m_cx * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = m_cx;
    ih.biHeight = m_cy;   // bottom-up on disk
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = DWORD(stride) * m_cy;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::string data(reinterpret_cast<const char*>(&fh), sizeof(fh));
    data.append(reinterpret_cast<const char*>(&ih), sizeof(ih));
    std::string row(stride, '\0');
    for (int y = m_cy - 1; y >= 0; --y) {
        for (int x = 0; x < m_cx; ++x) {
            const DWORD v = m_pBits[size_t(y) * m_cx + x];
            row[x * 3] = char(v & 0xFF);
            row[x * 3 + 1] = char((v >> 8) & 0xFF);
            row[x * 3 + 2] = char((v >> 16) & 0xFF);
        }
        data += row;
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, data.data(), DWORD(data.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == data.size();
}

// ---------------------------------------------------------------------------
// CFreeCounter

#ifdef _WIN64
extern "C" void(__cdecl* __imp_free)(void*);
#define TESMIR_FREE_IMPORT_SLOT __imp_free
#else
extern "C" void(__cdecl* _imp__free)(void*);
#define TESMIR_FREE_IMPORT_SLOT _imp__free
#endif

namespace {

CFreeCounter* g_pFreeCounter = nullptr;
void(__cdecl* g_pfnRealFree)(void*) = nullptr;

void __cdecl CountingFree(void* p)
{
    if (g_pFreeCounter != nullptr)
    {
        auto it = g_pFreeCounter->m_frees.find(p);
        if (it != g_pFreeCounter->m_frees.end())
        {
            // Kept until the counter ends, so that the address is not
            // handed out again while it is tracked.
            it->second++;
            return;
        }
    }
    g_pfnRealFree(p);
}

void SetFreeSlot(void(__cdecl* pfn)(void*))
{
    DWORD dwOld = 0;
    ::VirtualProtect((void*)&TESMIR_FREE_IMPORT_SLOT, sizeof(void*), PAGE_READWRITE, &dwOld);
    TESMIR_FREE_IMPORT_SLOT = pfn;
    ::VirtualProtect((void*)&TESMIR_FREE_IMPORT_SLOT, sizeof(void*), dwOld, &dwOld);
}

}  // namespace

CFreeCounter::CFreeCounter()
{
    g_pfnRealFree = TESMIR_FREE_IMPORT_SLOT;
    g_pFreeCounter = this;
    SetFreeSlot(&CountingFree);
}

CFreeCounter::~CFreeCounter()
{
    SetFreeSlot(g_pfnRealFree);
    g_pFreeCounter = nullptr;
    for (const auto& entry : m_frees)
    {
        if (entry.second > 0)
            g_pfnRealFree(entry.first);
    }
}

int CFreeCounter::Frees(void* p) const
{
    auto it = m_frees.find(p);
    return it != m_frees.end() ? it->second : 0;
}

// ---------------------------------------------------------------------------
// CSentMessageHook

namespace {
CSentMessageHook* g_pSentMessageHook = nullptr;
}

CSentMessageHook::CSentMessageHook(std::function<void(const CWPSTRUCT&)> onMessage)
    : m_onMessage(std::move(onMessage))
{
    g_pSentMessageHook = this;
    m_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CSentMessageHook::HookProc, nullptr, ::GetCurrentThreadId());
}

CSentMessageHook::~CSentMessageHook()
{
    ::UnhookWindowsHookEx(m_hHook);
    g_pSentMessageHook = nullptr;
}

LRESULT CALLBACK CSentMessageHook::HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && g_pSentMessageHook != nullptr)
        g_pSentMessageHook->m_onMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

}  // namespace test
}  // namespace tesmir
