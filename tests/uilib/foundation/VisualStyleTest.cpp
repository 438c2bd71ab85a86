// The visual-style wrapper, its call guard and the Windows version record, in
// the three runs: themes off (main), UxTheme.dll missing, themes on.
#include <gtest/gtest.h>

#include "CVZPColorManager.h"
#include "CVZPVisualStyle.h"
#include "CVZPWindowsVersion.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "VZPGuardedCall.h"

#include <stdexcept>

using tesmir::test::CDibCanvas;

namespace {

// Values the visual-style functions take; fixed by the system's headers.
const int kButtonPushButton = 1;   // BP_PUSHBUTTON
const int kNormalState = 1;        // PBS_NORMAL
const int kThemeBorderColor = 3801;

void* ExceptionChainHead()
{
    void* pHead;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(pHead));
    return pHead;
}

// A committed page that may not be touched: every access faults. (Page 0
// is not used for this: an emulated address space may map it.)
volatile LONG* NoAccessPage()
{
    static void* s_pPage = ::VirtualAlloc(NULL, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    return static_cast<volatile LONG*>(s_pPage);
}

// Entry points that fault the way a broken theme library would.
HRESULT WINAPI FaultingGetThemeColor(HTHEME, int, int, int, COLORREF*)
{
    *NoAccessPage() = 1;
    return S_OK;
}

BOOL WINAPI FaultingIsThemeActive()
{
    return *NoAccessPage();
}

FARPROC AsEntry(void* pfn)
{
    return reinterpret_cast<FARPROC>(pfn);
}

// Puts the wrapper's own entry points back when a test ends.
struct CEntryPointRestorer
{
    ~CEntryPointRestorer()
    {
        for (int i = 0; i < CVZPVisualStyle::entryCount; i++)
            CVZPVisualStyle::SetEntryPointForTest(CVZPVisualStyle::EntryPoint(i), NULL);
    }
};

}  // namespace

TEST(VisualStyleGuard, FaultsBecomeFailureValuesAndLeaveTheThreadSound)
{
    CEntryPointRestorer restore;
    ASSERT_NE(nullptr, NoAccessPage());
    CVZPVisualStyle::SetEntryPointForTest(CVZPVisualStyle::entryGetThemeColor,
                                          AsEntry(reinterpret_cast<void*>(&FaultingGetThemeColor)));
    CVZPVisualStyle::SetEntryPointForTest(CVZPVisualStyle::entryIsThemeActive,
                                          AsEntry(reinterpret_cast<void*>(&FaultingIsThemeActive)));
    void* const pChainBefore = ExceptionChainHead();
    CVZPVisualStyle style;
    int nFailures = 0;
    for (int i = 0; i < 1000; i++)
    {
        COLORREF clr = 0;
        if (style.GetColor(0, 0, kThemeBorderColor, &clr) == E_FAIL && !CVZPVisualStyle::IsThemeActive())
            nFailures++;
    }
    EXPECT_EQ(1000, nFailures);
    EXPECT_EQ(pChainBefore, ExceptionChainHead());

    // C++ exceptions unwind through frames as before.
    bool bCaught = false;
    try
    {
        throw std::runtime_error("after the faults");
    }
    catch (const std::runtime_error& e)
    {
        bCaught = std::string(e.what()) == "after the faults";
    }
    EXPECT_TRUE(bCaught);

    // A call that returns normally reports it and keeps its effect.
    int nCalls = 0;
    auto count = [&] { nCalls++; };
    EXPECT_TRUE(VZPCallGuarded(count));
    EXPECT_EQ(1, nCalls);
    EXPECT_EQ(pChainBefore, ExceptionChainHead());
}

TEST(WindowsVersion, PredicatesByVersion)
{
    struct Case
    {
        const char* name;
        DWORD dwPlatform, dwMajor, dwMinor, dwBuild;
        BOOL b95, b98, bNT4, b2000, bXP;
    };
    const Case cases[] = {
        { "95", 1, 4, 0, 950, TRUE, FALSE, FALSE, FALSE, FALSE },
        { "95 OSR2", 1, 4, 0, 1111, TRUE, FALSE, FALSE, FALSE, FALSE },
        { "98", 1, 4, 10, 1998, FALSE, TRUE, FALSE, FALSE, FALSE },
        { "ME", 1, 4, 90, 3000, FALSE, FALSE, FALSE, FALSE, FALSE },
        { "NT 4", 2, 4, 0, 1381, FALSE, FALSE, TRUE, FALSE, FALSE },
        { "2000", 2, 5, 0, 2195, FALSE, FALSE, FALSE, TRUE, FALSE },
        { "XP", 2, 5, 1, 2600, FALSE, FALSE, FALSE, FALSE, TRUE },
        { "Vista", 2, 6, 0, 6000, FALSE, FALSE, FALSE, FALSE, FALSE },
    };
    for (const Case& c : cases)
    {
        OSVERSIONINFOW info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        info.dwPlatformId = c.dwPlatform;
        info.dwMajorVersion = c.dwMajor;
        info.dwMinorVersion = c.dwMinor;
        info.dwBuildNumber = c.dwBuild;
        const CVZPWindowsVersion version(info);
        EXPECT_EQ(c.b95, version.IsWindows95()) << c.name;
        EXPECT_EQ(c.b98, version.IsWindows98()) << c.name;
        EXPECT_EQ(c.bNT4, version.IsWindowsNT4()) << c.name;
        EXPECT_EQ(c.b2000, version.IsWindows2000()) << c.name;
        EXPECT_EQ(c.bXP, version.IsWindowsXP()) << c.name;
        EXPECT_TRUE(version.IsVersion(c.dwMajor, c.dwMinor)) << c.name;
        EXPECT_FALSE(version.IsVersion(c.dwMajor, c.dwMinor + 1)) << c.name;
    }
}

TEST(WindowsVersion, ProcessRecordIsTheSystemsVersion)
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(::GetVersionExW(&info));
    const OSVERSIONINFOW& record = GetWindowsVersion().GetInfo();
    EXPECT_EQ(276u, record.dwOSVersionInfoSize);
    EXPECT_EQ(info.dwPlatformId, record.dwPlatformId);
    EXPECT_EQ(info.dwMajorVersion, record.dwMajorVersion);
    EXPECT_EQ(info.dwMinorVersion, record.dwMinorVersion);
    EXPECT_EQ(info.dwBuildNumber, record.dwBuildNumber);
}

TEST(VisualStyle, ThemesOffInTheTestPrefix)
{
    // The shared prefix keeps visual styles off for every window test.
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER,
                                             L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", 0,
                                             KEY_READ, &hKey));
    wchar_t szValue[8] = {};
    DWORD cb = sizeof(szValue) - sizeof(wchar_t);
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(hKey, L"ThemeActive", NULL, NULL, (LPBYTE)szValue, &cb));
    ::RegCloseKey(hKey);
    EXPECT_STREQ(L"0", szValue);

    EXPECT_NE(nullptr, ::GetModuleHandleW(L"uxtheme.dll"));
    EXPECT_FALSE(CVZPVisualStyle::IsThemeActive());
    EXPECT_FALSE(CVZPVisualStyle::IsThemingAvailable());
    CVZPVisualStyle style;
    style.Open(NULL, L"BUTTON");
    EXPECT_EQ(nullptr, style.GetHandle());
    EXPECT_FALSE(style.IsAppThemed());
}

TEST(VisualStyle, ComCtl32VersionReadAtStartUp)
{
    HMODULE hComCtl = ::LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(nullptr, hComCtl);
    const DWORD dwVersion = GetComCtl32PackedVersion(hComCtl);
    ::FreeLibrary(hComCtl);
    EXPECT_NE(0u, dwVersion);
    EXPECT_EQ(dwVersion, CVZPVisualStyle::GetComCtl32Version());
    // A module without "DllGetVersion" has no version.
    EXPECT_EQ(0u, GetComCtl32PackedVersion(::GetModuleHandleW(L"kernel32.dll")));
}

TEST(NoUxThemeRunVisualStyle, EveryCallFailsQuietly)
{
    ASSERT_EQ(nullptr, ::GetModuleHandleW(L"uxtheme.dll")) << "this run needs UxTheme.dll disabled";
    EXPECT_FALSE(CVZPVisualStyle::IsThemingAvailable());
    EXPECT_FALSE(CVZPVisualStyle::IsThemeActive());

    CVZPVisualStyle style;
    style.Open(NULL, L"BUTTON");
    EXPECT_EQ(nullptr, style.GetHandle());
    EXPECT_FALSE(style.IsAppThemed());

    CDibCanvas canvas(40, 20, RGB(1, 2, 3));
    const RECT rc = { 0, 0, 40, 20 };
    EXPECT_EQ(E_FAIL, style.DrawBackground(canvas.Dc(), kButtonPushButton, kNormalState, &rc, NULL));
    EXPECT_EQ(40 * 20, canvas.Count(rc, RGB(1, 2, 3)));
    COLORREF clr = RGB(9, 9, 9);
    EXPECT_EQ(E_FAIL, style.GetColor(0, 0, kThemeBorderColor, &clr));
    EXPECT_EQ(RGB(9, 9, 9), clr);
    wchar_t szFile[MAX_PATH] = {}, szColor[MAX_PATH] = {};
    EXPECT_EQ(E_FAIL, CVZPVisualStyle::GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, NULL, 0));

    // Colours fall back to the classic scheme.
    EXPECT_EQ(0, GetColorManager()->GetDetectedColorScheme());
}

TEST(ThemedRunVisualStyle, OpensAndDrawsTheSystemsTheme)
{
    ASSERT_TRUE(CVZPVisualStyle::IsThemeActive()) << "this run needs visual styles on";

    CVZPVisualStyle unopened;
    EXPECT_FALSE(unopened.IsAppThemed());

    CVZPVisualStyle button;
    button.Open(NULL, L"BUTTON");
    ASSERT_NE(nullptr, button.GetHandle());
    EXPECT_TRUE(button.IsAppThemed());

    // Without a version-6 manifest comctl32 reports 5.x, and theming counts
    // as unavailable although themes are active.
    const DWORD dwVersion = CVZPVisualStyle::GetComCtl32Version();
    ASSERT_NE(0u, dwVersion);
    EXPECT_EQ(HIWORD(dwVersion) >= 6, bool(CVZPVisualStyle::IsThemingAvailable()));

    CDibCanvas canvas(80, 30, RGB(255, 0, 255));
    const RECT rc = { 0, 0, 80, 30 };
    EXPECT_EQ(S_OK, button.DrawBackground(canvas.Dc(), kButtonPushButton, kNormalState, &rc, NULL));
    EXPECT_LT(canvas.Count(rc, RGB(255, 0, 255)), 80 * 30 / 2);
    canvas.SaveBmp(vzfoundation_test::ScreenshotPath(L"themed-push-button.bmp"));

    wchar_t szFile[MAX_PATH] = {}, szColor[MAX_PATH] = {};
    EXPECT_EQ(S_OK, CVZPVisualStyle::GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, NULL, 0));
    EXPECT_NE(nullptr, wcsstr(_wcslwr(szFile), L".msstyles"));

    // The control-border colour follows the theme's tree-view border.
    CVZPVisualStyle treeView;
    treeView.Open(NULL, L"TREEVIEW");
    COLORREF clrBorder = 0;
    ASSERT_EQ(S_OK, treeView.GetColor(0, 0, kThemeBorderColor, &clrBorder));
    GetColorManager()->RefreshColors();
    EXPECT_EQ(clrBorder, GetColorManager()->GetColor(VZPCOLOR_CONTROL_BORDER));

    button.Close();
    EXPECT_EQ(nullptr, button.GetHandle());
}
