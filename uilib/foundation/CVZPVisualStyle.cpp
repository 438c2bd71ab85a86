#include "CVZPVisualStyle.h"

#include "VZPGuardedCall.h"

#include <shlwapi.h>

namespace {

// The one loader of UxTheme.dll. Zero-initialised data: nothing here depends
// on the order in which static objects of other files are constructed.
struct VisualStyleState
{
    HMODULE hModule;             // NULL when absent; never freed
    DWORD dwComCtl32Version;     // major << 16 | minor
    FARPROC entries[CVZPVisualStyle::entryCount];
};
VisualStyleState g_state;

const char* const kEntryNames[CVZPVisualStyle::entryCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "GetThemeColor",
    "GetCurrentThemeName", "IsThemeActive", "IsAppThemed",
};

typedef HTHEME(WINAPI* PFNOPENTHEMEDATA)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* PFNCLOSETHEMEDATA)(HTHEME);
typedef HRESULT(WINAPI* PFNDRAWTHEMEBACKGROUND)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* PFNGETTHEMECOLOR)(HTHEME, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* PFNGETCURRENTTHEMENAME)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
typedef BOOL(WINAPI* PFNBOOLQUERY)();

// An entry point, resolved by name on first use and then kept.
FARPROC Entry(CVZPVisualStyle::EntryPoint nEntry)
{
    if (g_state.entries[nEntry] == NULL && g_state.hModule != NULL)
        g_state.entries[nEntry] = ::GetProcAddress(g_state.hModule, kEntryNames[nEntry]);
    return g_state.entries[nEntry];
}

// Calls an entry point of type TFn under the guard; failure when it is
// missing or faults.
template <class TFn, class TResult, class... TArgs>
TResult CallEntry(CVZPVisualStyle::EntryPoint nEntry, TResult failure, TArgs... args)
{
    FARPROC pfnRaw = Entry(nEntry);
    if (pfnRaw == NULL)
        return failure;
    // Through void (*)(): the one function type that converts to any other
    // without a cast warning.
    TFn pfn = reinterpret_cast<TFn>(reinterpret_cast<void (*)()>(pfnRaw));
    TResult result = failure;
    auto call = [&] { result = pfn(args...); };
    return VZPCallGuarded(call) ? result : failure;
}

}  // namespace

DWORD GetComCtl32PackedVersion(HMODULE hModule)
{
    if (hModule == NULL)
        return 0;
    FARPROC pfnRaw = ::GetProcAddress(hModule, "DllGetVersion");
    if (pfnRaw == NULL)
        return 0;
    DLLGETVERSIONPROC pfn = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void (*)()>(pfnRaw));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);   // 20: the short form
    if (FAILED(pfn(&info)))
        return 0;
    return ((info.dwMajorVersion & 0xFFFF) << 16) | (info.dwMinorVersion & 0xFFFF);
}

void CVZPVisualStyle::InitializeProcessState()
{
    if (g_state.hModule == NULL)
        g_state.hModule = ::LoadLibraryW(L"UxTheme.dll");
    HMODULE hComCtl = ::LoadLibraryW(L"comctl32.dll");
    g_state.dwComCtl32Version = GetComCtl32PackedVersion(hComCtl);
    if (hComCtl != NULL)
        ::FreeLibrary(hComCtl);
}

void CVZPVisualStyle::SetEntryPointForTest(EntryPoint nEntry, FARPROC pfn)
{
    g_state.entries[nEntry] = pfn;
}

DWORD CVZPVisualStyle::GetComCtl32Version()
{
    return g_state.dwComCtl32Version;
}

CVZPVisualStyle::CVZPVisualStyle() : m_hTheme(NULL) {}

CVZPVisualStyle::~CVZPVisualStyle()
{
    Close();
}

void CVZPVisualStyle::Open(HWND hWnd, LPCWSTR pszClassList)
{
    Close();
    m_hTheme = CallEntry<PFNOPENTHEMEDATA>(entryOpenThemeData, HTHEME(NULL), hWnd, pszClassList);
}

void CVZPVisualStyle::Close()
{
    if (m_hTheme != NULL)
        CallEntry<PFNCLOSETHEMEDATA>(entryCloseThemeData, E_FAIL, m_hTheme);
    m_hTheme = NULL;
}

HRESULT CVZPVisualStyle::DrawBackground(HDC hDC, int nPart, int nState, const RECT* pRect, const RECT* pClipRect)
{
    return CallEntry<PFNDRAWTHEMEBACKGROUND>(entryDrawThemeBackground, E_FAIL, m_hTheme, hDC, nPart, nState, pRect,
                                             pClipRect);
}

HRESULT CVZPVisualStyle::GetColor(int nPart, int nState, int nProperty, COLORREF* pColor)
{
    return CallEntry<PFNGETTHEMECOLOR>(entryGetThemeColor, E_FAIL, m_hTheme, nPart, nState, nProperty, pColor);
}

BOOL CVZPVisualStyle::IsAppThemed() const
{
    if (m_hTheme == NULL)
        return FALSE;
    return CallEntry<PFNBOOLQUERY>(entryIsAppThemed, FALSE);
}

HRESULT CVZPVisualStyle::GetCurrentThemeName(LPWSTR pszFileName, int cchFileName, LPWSTR pszColorName,
                                             int cchColorName, LPWSTR pszSizeName, int cchSizeName)
{
    return CallEntry<PFNGETCURRENTTHEMENAME>(entryGetCurrentThemeName, E_FAIL, pszFileName, cchFileName,
                                             pszColorName, cchColorName, pszSizeName, cchSizeName);
}

BOOL CVZPVisualStyle::IsThemeActive()
{
    return CallEntry<PFNBOOLQUERY>(entryIsThemeActive, FALSE);
}

BOOL CVZPVisualStyle::IsThemingAvailable()
{
    return g_state.hModule != NULL && IsThemeActive() && HIWORD(g_state.dwComCtl32Version) > 5;
}
