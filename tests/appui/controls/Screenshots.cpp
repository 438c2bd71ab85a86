#include "Screenshots.h"

#include <stdlib.h>

namespace appui_test {

namespace {

// The screenshot folder's Windows path: TESMIR_BUILD_DIR is a Unix path,
// which Wine serves under drive Z:. Created on first use.
std::wstring ScreenshotFolder()
{
    const char* dir = getenv("TESMIR_BUILD_DIR");
    std::wstring path = L"Z:";
    for (const char* p = dir != NULL ? dir : ""; *p; ++p)
        path += *p == '/' ? L'\\' : (wchar_t)(unsigned char)*p;
    path += L"\\screenshots";
    ::CreateDirectoryW(path.c_str(), NULL);
    path += L"\\appui";
    ::CreateDirectoryW(path.c_str(), NULL);
    return path;
}

}  // namespace

void SaveScreenshot(const tesmir::test::CDibCanvas& canvas, LPCWSTR lpszName)
{
    canvas.SaveBmp(ScreenshotFolder() + L"\\" + lpszName + L".bmp");
}

void SaveWindowScreenshot(CWnd* pWnd, LPCWSTR lpszName)
{
    CRect rect;
    pWnd->GetClientRect(&rect);
    tesmir::test::CDibCanvas canvas(rect.Width(), rect.Height());
    HDC hdc = ::GetDC(pWnd->m_hWnd);
    ::BitBlt(canvas.Dc(), 0, 0, rect.Width(), rect.Height(), hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(pWnd->m_hWnd, hdc);
    SaveScreenshot(canvas, lpszName);
}

}  // namespace appui_test
