// Visual-style wrapper: one theme handle, with every visual-style function
// reached by name at run time so that the program starts and runs where
// UxTheme.dll is missing. Each call is guarded: a missing library, a missing
// entry point or a fault inside the call yields E_FAIL (FALSE for the BOOL
// queries) and the owner draws its classic look.
#pragma once

#include <windows.h>
#include <uxtheme.h>

class CVZPVisualStyle
{
public:
    CVZPVisualStyle();
    virtual ~CVZPVisualStyle();
    CVZPVisualStyle(const CVZPVisualStyle&) = delete;
    CVZPVisualStyle& operator=(const CVZPVisualStyle&) = delete;

    // Closes any open handle, then opens the theme data of the class list
    // ("BUTTON", "TOOLBAR", ...). The handle stays NULL when the call is
    // unavailable or fails.
    void Open(HWND hWnd, LPCWSTR pszClassList);
    // Closes the handle when one is held; the handle is NULL afterwards.
    void Close();
    HTHEME GetHandle() const { return m_hTheme; }

    HRESULT DrawBackground(HDC hDC, int nPart, int nState, const RECT* pRect, const RECT* pClipRect);
    HRESULT GetColor(int nPart, int nState, int nProperty, COLORREF* pColor);
    // FALSE when no handle is open, else the system's answer (FALSE on failure).
    BOOL IsAppThemed() const;

    static HRESULT GetCurrentThemeName(LPWSTR pszFileName, int cchFileName, LPWSTR pszColorName, int cchColorName,
                                       LPWSTR pszSizeName, int cchSizeName);
    static BOOL IsThemeActive();
    // UxTheme.dll is loaded, themes are active and comctl32 is version 6 or later.
    static BOOL IsThemingAvailable();
    // comctl32's version as major << 16 | minor, read at start-up; 0 unknown.
    static DWORD GetComCtl32Version();

    // Process-wide state, set up by a start-up initialiser: loads UxTheme.dll
    // (kept for the process) and reads comctl32's version.
    static void InitializeProcessState();

    // Entry points that the wrapper calls, in the order of its cache.
    enum EntryPoint
    {
        entryOpenThemeData,
        entryCloseThemeData,
        entryDrawThemeBackground,
        entryGetThemeColor,
        entryGetCurrentThemeName,
        entryIsThemeActive,
        entryIsAppThemed,
        entryCount
    };
    // Test seam: replaces a cached entry point (NULL: resolve it by name
    // again on the next call). Nothing in the program calls it.
    static void SetEntryPointForTest(EntryPoint nEntry, FARPROC pfn);

private:
    HTHEME m_hTheme;
};

// comctl32's (or any module's) version from its "DllGetVersion" as
// major << 16 | minor; 0 when the entry point is missing or the call fails.
DWORD GetComCtl32PackedVersion(HMODULE hModule);
