// Fetching: pages (FetchText) and pictures (FetchData) from the program's
// RT_HTML resources, local files and WinINet, and the form POST.
#include "CHtmlBrowser.h"

#include <stdio.h>
#include <wchar.h>
#include <wctype.h>
#include <wininet.h>

namespace {

const wchar_t kAgent[] = L"Vorrin Browser";
// A larger answer is refused: a 32-bit process must not be exhausted by an
// endless or hostile body.
const size_t kMaxBody = 16 * 1024 * 1024;
// Redirects followed for one navigation; a loop ends there.
const int kMaxRedirects = 10;

class CInternetHandle
{
public:
    explicit CInternetHandle(HINTERNET h) : m_h(h) {}
    ~CInternetHandle()
    {
        if (m_h)
            InternetCloseHandle(m_h);
    }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;
    operator HINTERNET() const { return m_h; }

private:
    HINTERNET m_h;
};

// The page's bytes up to the first 0 as UTF-16 text from the ANSI code page.
wchar_t* AnsiToText(const std::vector<BYTE>& body)
{
    const char* bytes = reinterpret_cast<const char*>(body.data());
    int n = 0;
    while (n < (int)body.size() && bytes[n])
        ++n;
    int chars = n ? MultiByteToWideChar(CP_ACP, 0, bytes, n, nullptr, 0) : 0;
    wchar_t* text = new wchar_t[(size_t)chars + 1];
    if (chars)
        MultiByteToWideChar(CP_ACP, 0, bytes, n, text, chars);
    text[chars] = 0;
    return text;
}

// A header as text; false when the answer has none. A header longer than
// the buffer is an error (*tooLong), never cut.
bool QueryHeader(HINTERNET request, DWORD info, wchar_t* buffer, DWORD chars, bool* tooLong)
{
    DWORD size = chars * sizeof(wchar_t);
    DWORD index = 0;
    if (HttpQueryInfoW(request, info, buffer, &size, &index))
        return true;
    buffer[0] = 0;
    if (tooLong && GetLastError() == ERROR_INSUFFICIENT_BUFFER)
        *tooLong = true;
    return false;
}

}  // namespace

void CHtmlBrowser::OnFetchProgress(int received, int total)
{
    if (received < 0)
        return;
    wchar_t text[64];
    if (total <= 0)
        swprintf(text, 64, L"Reading %d", received);
    else
        swprintf(text, 64, L"Reading %d of %d", received, total);
    SetStatusText(text);
}

bool CHtmlBrowser::ReadBody(void* request, std::vector<BYTE>& body, const wchar_t* contentLength, bool post)
{
    // Doubling keeps the copying linear in the body's size.
    body.assign(4096, 0);
    size_t got = 0;
    int total = _wtoi(contentLength);
    for (;;) {
        if (got == body.size()) {
            if (body.size() > kMaxBody)
                return false;
            body.resize(body.size() * 2 > kMaxBody + 1 ? kMaxBody + 1 : body.size() * 2);
        }
        DWORD n = 0;
        if (!InternetReadFile((HINTERNET)request, &body[got], (DWORD)(body.size() - got), &n) || n == 0)
            break;
        got += n;
        if (got > kMaxBody)
            return false;
        if (post) {
            wchar_t text[96];
            swprintf(text, 96, L"Reading %d of %ls", (int)got, contentLength);
            SetStatusText(text);
        } else {
            OnFetchProgress((int)got, total);
        }
    }
    body.resize(got);
    return true;
}

bool CHtmlBrowser::ReadResource(const wchar_t* url, std::vector<BYTE>& body)
{
    HMODULE module = GetModuleHandleW(nullptr);
    const wchar_t* name = url + 6;
    HRSRC found = FindResourceW(module, name, RT_HTML);
    if (!found) {
        const wchar_t* slash = wcsrchr(url, L'/');
        if (slash)
            found = FindResourceW(module, slash + 1, RT_HTML);
    }
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = SizeofResource(module, found);
    if (!data || size > kMaxBody)
        return false;
    body.assign(data, data + size);
    return true;
}

bool CHtmlBrowser::ReadFileUrl(const wchar_t* url, std::vector<BYTE>& body)
{
    // "file://" then the path, with slashes or backslashes; a third slash
    // before a drive letter belongs to the URL, not the path.
    const wchar_t* p = url + 7;
    if ((p[0] == L'/' || p[0] == L'\\') && iswalpha(p[1]) && p[2] == L':')
        ++p;
    std::wstring path = p;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = false;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= (LONGLONG)kMaxBody) {
        body.assign((size_t)size.QuadPart, 0);
        DWORD got = 0;
        ok = body.empty() || (ReadFile(file, body.data(), (DWORD)body.size(), &got, nullptr) &&
                              got == body.size());
        if (ok)
            OnFetchProgress((int)got, (int)got);
    }
    CloseHandle(file);
    return ok;
}

bool CHtmlBrowser::ReadInternetUrl(const wchar_t* url, bool navigating, std::vector<BYTE>& body,
                                   std::wstring* location)
{
    // The page's address goes along as the Referer, except a local file's:
    // that would tell every server the user's folders.
    std::wstring headers;
    std::wstring referer = GetCurrentUrl();
    if (!referer.empty() && !HtmlUrlHasPrefix(referer.c_str(), L"file:"))
        headers = L"Referer: " + referer + L"\r\n";
    if (navigating && !SetCurrentUrl(url))
        return false;
    CInternetHandle session(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session)
        return false;
    CInternetHandle request(InternetOpenUrlW(session, url, headers.empty() ? nullptr : headers.c_str(),
                                             headers.empty() ? 0 : (DWORD)-1L,
                                             INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                                                 INTERNET_FLAG_NO_COOKIES,
                                             0));
    if (!request)
        return false;
    wchar_t contentLength[25];
    QueryHeader(request, HTTP_QUERY_CONTENT_LENGTH, contentLength, 25, nullptr);
    if (location) {
        wchar_t target[2048];
        bool tooLong = false;
        if (QueryHeader(request, HTTP_QUERY_LOCATION, target, 2048, &tooLong))
            *location = target;
        if (tooLong)
            return false;
    }
    return ReadBody(request, body, contentLength, false);
}

bool CHtmlBrowser::ReadUrl(const wchar_t* url, bool navigating, std::vector<BYTE>& body, std::wstring* location)
{
    body.clear();
    if (location)
        location->clear();
    if (HtmlUrlHasPrefix(url, L"res://")) {
        if (!ReadResource(url, body))
            return false;
        return !navigating || SetCurrentUrl(url);
    }
    // WinINet does not open file URLs: local pages are read here.
    if (HtmlUrlHasPrefix(url, L"file://")) {
        if (navigating && !SetCurrentUrl(url))
            return false;
        return ReadFileUrl(url, body);
    }
    return ReadInternetUrl(url, navigating, body, location);
}

wchar_t* CHtmlBrowser::FetchText(const wchar_t* url, int* length)
{
    bool navigating = m_bNavigating != 0;
    std::wstring target = url;
    std::vector<BYTE> body;
    std::wstring location;
    for (int hop = 0;; ++hop) {
        if (!ReadUrl(target.c_str(), navigating, body, navigating ? &location : nullptr))
            return nullptr;
        if (location.empty())
            break;
        // Followed one hop at a time, and not for ever.
        std::wstring next;
        if (hop == kMaxRedirects || !HtmlResolveUrl(location.c_str(), target.c_str(), next))
            return nullptr;
        target = next;
    }
    if (length)
        *length = (int)body.size();
    if (navigating)
        for (BYTE& b : body)
            if (b == 0)
                b = ' ';
    return AnsiToText(body);
}

BYTE* CHtmlBrowser::FetchData(const wchar_t* url, int* length)
{
    // Picture fetches run on their own threads: they never touch the
    // current URL and never rewrite the bytes.
    std::vector<BYTE> body;
    if (!ReadUrl(url, false, body, nullptr))
        return nullptr;
    BYTE* data = new BYTE[body.size() + 1];
    if (!body.empty())
        memcpy(data, body.data(), body.size());
    data[body.size()] = 0;
    if (length)
        *length = (int)body.size();
    return data;
}

wchar_t* CHtmlBrowser::PostForm(const wchar_t* action, const wchar_t* query, int* length)
{
    m_szStatus[0] = 0;
    const wchar_t* scheme = wcsstr(action, L"://");
    if (!scheme)
        return nullptr;
    const wchar_t* hostStart = scheme + 3;
    const wchar_t* slash = wcschr(hostStart, L'/');
    std::wstring host = slash ? std::wstring(hostStart, slash) : std::wstring(hostStart);
    std::wstring path = slash ? slash : L"/";
    // The action's own port and scheme: its form data goes nowhere else.
    bool secure = HtmlUrlHasPrefix(action, L"https://");
    INTERNET_PORT port = secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    size_t colon = host.rfind(L':');
    if (colon != std::wstring::npos) {
        port = (INTERNET_PORT)_wtoi(host.c_str() + colon + 1);
        host.erase(colon);
    }
    if (host.empty())
        return nullptr;

    CInternetHandle session(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return nullptr;
    CInternetHandle connection(
        InternetConnectW(session, host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return nullptr;
    const wchar_t* accept[] = {L"*/*", nullptr};
    CInternetHandle request(HttpOpenRequestW(connection, L"POST", path.c_str(), nullptr, nullptr, accept,
                                             INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                                 (secure ? INTERNET_FLAG_SECURE : 0),
                                             0));
    if (!request)
        return nullptr;
    std::string form;
    int bytes = WideCharToMultiByte(CP_ACP, 0, query, -1, nullptr, 0, nullptr, nullptr);
    if (bytes > 1) {
        form.resize((size_t)bytes);
        WideCharToMultiByte(CP_ACP, 0, query, -1, &form[0], bytes, nullptr, nullptr);
        form.resize((size_t)bytes - 1);
    }
    static const wchar_t kContentType[] = L"Content-Type: application/x-www-form-urlencoded";
    if (!HttpSendRequestW(request, kContentType, (DWORD)-1L, form.empty() ? nullptr : &form[0],
                          (DWORD)form.size()))
        return nullptr;
    wchar_t contentLength[25];
    QueryHeader(request, HTTP_QUERY_CONTENT_LENGTH, contentLength, 25, nullptr);
    std::vector<BYTE> body;
    if (!ReadBody(request, body, contentLength, true))
        return nullptr;
    if (length)
        *length = (int)body.size();
    return AnsiToText(body);
}
