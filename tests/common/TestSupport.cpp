#include "TestSupport.h"

#include <cstdlib>

namespace tesmir {
namespace test {

std::wstring FixturePath(const wchar_t* name)
{
    // Wine maps the Unix root to drive Z:.
    std::wstring dir;
    if (const wchar_t* env = _wgetenv(L"TESMIR_FIXTURES"))
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

}  // namespace test
}  // namespace tesmir
