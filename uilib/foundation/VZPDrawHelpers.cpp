#include "VZPDrawHelpers.h"

#include "CVZPColorManager.h"
#include "CVZPWindowsVersion.h"
#include "VZPSelectors.h"

namespace {

int g_nLowColorAnswer = -1;

int BitsPerPixel(HDC hDC)
{
    if (hDC != NULL)
        return ::GetDeviceCaps(hDC, BITSPIXEL);
    HWND hDesktop = ::GetDesktopWindow();
    HDC hScreen = ::GetDC(hDesktop);
    if (hScreen == NULL)
        return 0;
    const int nBits = ::GetDeviceCaps(hScreen, BITSPIXEL);
    ::ReleaseDC(hDesktop, hScreen);
    return nBits;
}

int CALLBACK MatchFaceProc(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    // 0 stops the enumeration: the face was found.
    return _wcsicmp(pLogFont->lfFaceName, reinterpret_cast<LPCWSTR>(lParam)) == 0 ? 0 : 1;
}

}  // namespace

int QueryCurrentColorScheme()
{
    return GetColorManager()->GetCurrentColorScheme();
}

BOOL IsLowColorDisplay(HDC hDC)
{
    if (g_nLowColorAnswer >= 0)
        return g_nLowColorAnswer != 0;
    const int nBits = BitsPerPixel(hDC);
    return nBits >= 1 && nBits <= 8;
}

void SetLowColorDisplayForTest(int nAnswer)
{
    g_nLowColorAnswer = nAnswer;
}

BOOL FontExists(LPCWSTR pszFaceName)
{
    if (pszFaceName == NULL || *pszFaceName == 0)
        return FALSE;
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    // The callback's 0 (found) is what the enumeration returns.
    const int nResult = ::EnumFontFamiliesExW(hDC, &lf, MatchFaceProc, reinterpret_cast<LPARAM>(pszFaceName), 0);
    ::ReleaseDC(NULL, hDC);
    return nResult == 0;
}

CString ChooseUiFontFace(BOOL bPreferTahoma)
{
    LOGFONTW lfStock = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfStock), &lfStock);
    const OSVERSIONINFOW& version = GetWindowsVersion().GetInfo();
    const BOOL bNt5 = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 4;
    if ((lfStock.lfCharSet > SYMBOL_CHARSET && bNt5) || !FontExists(L"Arial"))
        return CString(lfStock.lfFaceName);
    if (bPreferTahoma && FontExists(L"Tahoma"))
        return CString(L"Tahoma");
    return CString(L"Arial");
}

void StripMnemonicAmpersands(CString& str)
{
    int i = 0;
    while (i < str.GetLength())
    {
        if (str[i] == '&' && (i + 1 == str.GetLength() || str[i + 1] != '&'))
        {
            str.Delete(i);
            i++;   // past the character that followed the deleted '&'
        }
        else
        {
            i++;
        }
    }
}

void StripSingleAmpersands(CString& str)
{
    int i = 0;
    while (i < str.GetLength() - 1)
    {
        if (str[i] != '&')
            i++;
        else if (str[i + 1] == '&')
            i += 2;
        else
            str.Delete(i);
    }
}

void MirrorArrowKeyForRtl(CWnd* pWnd, UINT* pnKey)
{
    if (pWnd == NULL || pnKey == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    if ((pWnd->GetExStyle() & WS_EX_LAYOUTRTL) == 0)
        return;
    if (*pnKey == VK_LEFT)
        *pnKey = VK_RIGHT;
    else if (*pnKey == VK_RIGHT)
        *pnKey = VK_LEFT;
}

void DrawFilledTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr)
{
    const POINT points[3] = { pt0, pt1, pt2 };
    CVZPPenSelector pen(pDC->GetSafeHdc(), clr);
    CVZPBrushSelector brush(pDC->GetSafeHdc(), clr);
    pDC->Polygon(points, 3);
}

void DrawCheckerPattern(CDC* pDC, LPCRECT lpRect)
{
    // Monochrome rows are word-aligned: one WORD per row of 8 pixels.
    static const WORD kRows[8] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
    CBitmap pattern;
    if (!pattern.CreateBitmap(8, 8, 1, 1, kRows))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&pattern))
        return;
    CVZPColorManager* pColors = GetColorManager();
    const COLORREF clrOldBack = pDC->SetBkColor(pColors->GetColor(COLOR_BTNFACE));
    const COLORREF clrOldText = pDC->SetTextColor(pColors->GetColor(COLOR_BTNHIGHLIGHT));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, PATCOPY);
    pDC->SelectObject(pOldBrush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
}

BOOL IsTopParentActive(HWND hWnd)
{
    HWND hTop = hWnd;
    for (HWND hUp = hWnd; hUp != NULL; hUp = AfxGetParentOwner(hUp))
        hTop = hUp;
    return hTop != NULL && ::GetForegroundWindow() == ::GetLastActivePopup(hTop);
}
