#include "Screenshots.h"

namespace appui_test {

namespace {

// The screenshot folder, created on first use.
std::wstring ScreenshotFolder()
{
    std::wstring path = tesmir::test::BuildPath(L"screenshots");
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
