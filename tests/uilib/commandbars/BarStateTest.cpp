// The saved bar layout on the test application's registry key: the values
// an application-like frame writes, the dock order restored, positions
// scaled between screen sizes (and a damaged summary restored unscaled),
// and a customisable site's bars in the registry or, when large, in a
// hidden file.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBarTracker.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlButton.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPToolBar.h"
#include "VZPCommandBarsState.h"

#include <TestSupport.h>
#include <afxext.h>
#include <shlwapi.h>

#include <map>
#include <string>
#include <vector>

using namespace vzcommandbars_test;

namespace {

const UINT kToolBarId = 331;

std::wstring SubKey(const std::wstring& section)
{
    return std::wstring(kProfilePath) + L"\\" + section;
}

// The values of a section: name to DWORD (other types as -2); absent
// sections give an empty map.
std::map<std::wstring, DWORD> Values(const std::wstring& section)
{
    std::map<std::wstring, DWORD> values;
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SubKey(section).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; i++)
    {
        wchar_t szName[256];
        DWORD cch = _countof(szName);
        DWORD dwType = 0;
        DWORD dwValue = 0;
        DWORD cb = sizeof(dwValue);
        const LONG lResult = ::RegEnumValueW(hKey, i, szName, &cch, NULL, &dwType, (BYTE*)&dwValue, &cb);
        if (lResult == ERROR_NO_MORE_ITEMS)
            break;
        values[szName] = dwType == REG_DWORD ? dwValue : (DWORD)-2;
    }
    ::RegCloseKey(hKey);
    return values;
}

void SetValue(const std::wstring& section, const wchar_t* pszName, DWORD dwValue)
{
    AfxGetApp()->WriteProfileInt(section.c_str(), pszName, (int)dwValue);
}

void DeleteProfile()
{
    for (const wchar_t* section : {L"CommandBars-Summary", L"CommandBars-Bar0", L"CommandBars-Bar1",
                                   L"CommandBars-DockBar0", L"CommandBars-DockBar1", L"CommandBars-DockBar2",
                                   L"CommandBars-DockBar3", L"CommandBars-Controls", L"CommandBars"})
        ::SHDeleteKeyW(HKEY_CURRENT_USER, SubKey(section).c_str());
}

// The frame as the application builds it: a menu bar (id 1), the toolbar
// "Standard" (331) and a plain status bar.
struct CAppLikeFrame
{
    template <class TFrame>
    static TFrame* Create(CStatusBar* pStatusBar)
    {
        TFrame* pFrame = new TFrame;
        if (!pFrame->CreateTestFrame(TRUE))
            return NULL;
        CVZPCommandBars* pBars = pFrame->GetCommandBars();
        if (pBars->AddMenuBar(L"Menu Bar", IDR_TEST_MENU) == NULL)
            return NULL;
        CVZPToolBar* pBar = pBars->AddToolBar(L"Standard", vzpBarTop);
        if (pBar == NULL)
            return NULL;
        pBar->SetBarID(kToolBarId);
        CVZPControl* pButton = pBar->GetControls()->AddControl(new CVZPControlButton, 1000);
        pButton->SetCaption(L"New");
        pBar->GetControls()->SaveDefaultControls();
        if (pStatusBar != NULL && !pStatusBar->Create(pFrame))
            return NULL;
        pFrame->RecalcLayout();
        return pFrame;
    }
};

std::vector<UINT> DockOrder(CVZPDockBar* pDock)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pDock->GetEntryCount(); i++)
        if (pDock->GetEntry(i) != NULL)
            ids.push_back(pDock->GetEntry(i)->GetBarID());
    return ids;
}

class BarStateTest : public ::testing::Test
{
protected:
    void SetUp() override { DeleteProfile(); }
    void TearDown() override
    {
        for (CFrameWnd* pFrame : m_frames)
            DestroyFrame(pFrame);
        for (CStatusBar* pStatusBar : m_statusBars)
            delete pStatusBar;
        DeleteProfile();
    }

    template <class TFrame = CTestFrame>
    TFrame* NewFrame(CStatusBar** ppStatusBar = NULL)
    {
        CStatusBar* pStatusBar = new CStatusBar;
        m_statusBars.push_back(pStatusBar);
        TFrame* pFrame = CAppLikeFrame::Create<TFrame>(pStatusBar);
        if (pFrame != NULL)
            m_frames.push_back(pFrame);
        if (ppStatusBar != NULL)
            *ppStatusBar = pStatusBar;
        return pFrame;
    }

    std::vector<CFrameWnd*> m_frames;
    std::vector<CStatusBar*> m_statusBars;
};

TEST_F(BarStateTest, TheApplicationLikeFrameWritesItsLayout)
{
    CStatusBar* pStatusBar = NULL;
    CTestFrame* pFrame = NewFrame(&pStatusBar);
    ASSERT_NE(nullptr, pFrame);
    CVZPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->GetCommandBarsOptions()->bDirtyState = TRUE;
    SetValue(L"CommandBars", L"StatusBar", 0);
    pBars->SaveBarState(L"CommandBars", TRUE);

    std::map<std::wstring, DWORD> summary = Values(L"CommandBars-Summary");
    EXPECT_EQ(2u, summary[L"Bars"]);
    EXPECT_EQ((DWORD)::GetSystemMetrics(SM_CXSCREEN), summary[L"ScreenCX"]);
    EXPECT_EQ((DWORD)::GetSystemMetrics(SM_CYSCREEN), summary[L"ScreenCY"]);
    const UINT ids[] = {1, kToolBarId};
    for (int i = 0; i < 2; i++)
    {
        std::map<std::wstring, DWORD> bar = Values(L"CommandBars-Bar" + std::to_wstring(i));
        EXPECT_EQ(ids[i], bar[L"BarID"]) << i;
        EXPECT_EQ(0u, bar.count(L"Visible")) << i;
        EXPECT_EQ(0u, bar.count(L"Floating")) << i;
        EXPECT_EQ(0u, bar[L"DialogBar"]) << i;
        EXPECT_EQ(1u, bar.count(L"MRUDockID")) << i;
    }
    std::map<std::wstring, DWORD> dock = Values(L"CommandBars-DockBar0");
    const std::map<std::wstring, DWORD> expected = {{L"Bars", 5},  {L"Bar#0", 0}, {L"Bar#1", 1},
                                                    {L"Bar#2", 0}, {L"Bar#3", kToolBarId}, {L"Bar#4", 0}};
    EXPECT_EQ(expected, dock);
    for (int i = 1; i < 4; i++)
        EXPECT_TRUE(Values(L"CommandBars-DockBar" + std::to_wstring(i)).empty()) << i;
    // The status bar is shown: its value goes.
    EXPECT_EQ(0u, Values(L"CommandBars").count(L"StatusBar"));
    // The site does not handle Customize: no controls.
    EXPECT_TRUE(Values(L"CommandBars-Controls").empty());
    EXPECT_FALSE(pBars->GetCommandBarsOptions()->bDirtyState);

    // A hidden toolbar and status bar are written as such.
    pBars->GetToolBar(kToolBarId)->SetVisible(FALSE);
    pFrame->ShowControlBar(pStatusBar, FALSE, FALSE);
    pBars->SaveBarState(L"CommandBars", TRUE);
    EXPECT_EQ(0u, Values(L"CommandBars-Bar1")[L"Visible"]);
    EXPECT_EQ(0u, Values(L"CommandBars")[L"StatusBar"]);
}

TEST_F(BarStateTest, TheDockOrderAndTheStatusBarComeBack)
{
    CTestFrame* pFrame = NewFrame();
    ASSERT_NE(nullptr, pFrame);
    CVZPCommandBars* pBars = pFrame->GetCommandBars();
    CVZPDockBar* pDock = pBars->GetDockBar(vzpBarTop);
    ASSERT_EQ((std::vector<UINT>{1, kToolBarId}), DockOrder(pDock));
    // The menu bar moves below the toolbar.
    CVZPToolBar* pMenuBar = pBars->GetToolBar(1);
    pDock->RemoveCommandBar(pMenuBar);
    ASSERT_TRUE(pDock->DockCommandBar(pMenuBar, NULL));
    ASSERT_EQ((std::vector<UINT>{kToolBarId, 1}), DockOrder(pDock));
    pBars->SaveBarState(L"CommandBars");
    SetValue(L"CommandBars", L"StatusBar", 0);

    CStatusBar* pStatusBar = NULL;
    CTestFrame* pNext = NewFrame(&pStatusBar);
    ASSERT_NE(nullptr, pNext);
    CVZPCommandBars* pNextBars = pNext->GetCommandBars();
    ASSERT_TRUE(pStatusBar->IsWindowVisible());
    pNextBars->LoadBarState(L"CommandBars");
    EXPECT_EQ((std::vector<UINT>{kToolBarId, 1}), DockOrder(pNextBars->GetDockBar(vzpBarTop)));
    EXPECT_FALSE(pStatusBar->IsWindowVisible());
    EXPECT_EQ(pNextBars->GetDockBar(vzpBarTop), pNextBars->GetToolBar(1)->GetDockBar());
    EXPECT_FALSE(pNextBars->GetCommandBarsOptions()->bDirtyState);
    // Saved again, the layout holds each bar once, rows ended once.
    pNextBars->SaveBarState(L"CommandBars");
    const std::map<std::wstring, DWORD> expected = {{L"Bars", 5},  {L"Bar#0", 0}, {L"Bar#1", kToolBarId},
                                                    {L"Bar#2", 0}, {L"Bar#3", 1}, {L"Bar#4", 0}};
    EXPECT_EQ(expected, Values(L"CommandBars-DockBar0"));
}

TEST_F(BarStateTest, PositionsScaleBetweenScreenSizesWithinTheScreen)
{
    const CSize szScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const CPoint ptLimit(szScreen.cx - ::GetSystemMetrics(SM_CXICON), szScreen.cy - ::GetSystemMetrics(SM_CYICON));
    struct Case
    {
        CSize szSaved;
        CPoint pt;
        CPoint expected;
    } cases[] = {
        {CSize(1024, 768), CPoint(512, 384),
         CPoint(std::min<int>(szScreen.cx / 2, ptLimit.x), std::min<int>(szScreen.cy / 2, ptLimit.y))},
        {CSize(1024, 768), CPoint(1020, 760), ptLimit},
        {CSize(1024, 768), CPoint(-1, -1), CPoint(::MulDiv(-1, szScreen.cx, 1024), ::MulDiv(-1, szScreen.cy, 768))},
        // A summary without its screen size restores the point as saved.
        {CSize(0, 768), CPoint(100, 50), CPoint(100, 50)},
        {CSize(0, 0), CPoint(100, 50), CPoint(100, 50)},
        {szScreen, CPoint(100, 50), CPoint(100, 50)},
        {szScreen, CPoint(5000, 50), CPoint(ptLimit.x, 50)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.szSaved.cx << "x" << c.szSaved.cy << " " << c.pt.x << "," << c.pt.y);
        CVZPBarStateContainer state;
        state.SetSavedScreenSize(c.szSaved);
        EXPECT_EQ(c.expected, state.ScalePoint(c.pt));
        // Rectangles keep their size.
        const CRect rc = state.ScaleRect(CRect(c.pt, CSize(40, 20)));
        EXPECT_EQ(CSize(40, 20), rc.Size());
        EXPECT_EQ(c.expected, rc.TopLeft());
    }

    // Through a load: the remembered docked place of the toolbar.
    CTestFrame* pFrame = NewFrame();
    ASSERT_NE(nullptr, pFrame);
    CVZPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->SaveBarState(L"CommandBars");
    SetValue(L"CommandBars-Summary", L"ScreenCX", 1024);
    SetValue(L"CommandBars-Summary", L"ScreenCY", 768);
    SetValue(L"CommandBars-Bar1", L"MRUDockLeftPos", 512);
    SetValue(L"CommandBars-Bar1", L"MRUDockTopPos", 384);
    SetValue(L"CommandBars-Bar1", L"MRUDockRightPos", 612);
    SetValue(L"CommandBars-Bar1", L"MRUDockBottomPos", 410);
    pBars->LoadBarState(L"CommandBars");
    CVZPToolBar* pBar = pBars->GetToolBar(kToolBarId);
    ASSERT_NE(nullptr, pBar->m_pTracker);
    EXPECT_EQ(CRect(CPoint(std::min<int>(szScreen.cx / 2, ptLimit.x), std::min<int>(szScreen.cy / 2, ptLimit.y)),
                    CSize(100, 26)),
              pBar->m_pTracker->m_rcDocked);
    // With the summary's width gone the same place is taken as saved.
    AfxGetApp()->WriteProfileString(L"CommandBars-Summary", L"ScreenCX", NULL);
    pBars->LoadBarState(L"CommandBars");
    EXPECT_EQ(CRect(512, 384, 612, 410), pBar->m_pTracker->m_rcDocked);
}

// The remembered floating place of a bar is written and comes back to its
// tracker; a bar without window is saved at that place.
TEST_F(BarStateTest, TheRememberedFloatingPlaceIsSavedAndRestored)
{
    CTestFrame* pFrame = NewFrame();
    ASSERT_NE(nullptr, pFrame);
    CVZPCommandBars* pBars = pFrame->GetCommandBars();
    CVZPToolBar* pBar = pBars->GetToolBar(kToolBarId);
    ASSERT_NE(nullptr, pBar->m_pTracker);
    pBar->m_pTracker->m_ptFloating = CPoint(321, 123);
    pBars->SaveBarState(L"CommandBars");
    std::map<std::wstring, DWORD> bar = Values(L"CommandBars-Bar1");
    EXPECT_EQ(321u, bar[L"MRUFloatXPos"]);
    EXPECT_EQ(123u, bar[L"MRUFloatYPos"]);

    pBar->m_pTracker->m_ptFloating = CPoint(0, 0);
    pBars->LoadBarState(L"CommandBars");
    EXPECT_EQ(CPoint(321, 123), pBar->m_pTracker->m_ptFloating);

    CVZPBarState info;
    CVZPToolBar windowless;
    windowless.SetFlags(0x10);
    windowless.m_pTracker->m_ptFloating = CPoint(40, 60);
    info.GetBarInfo(&windowless);
    EXPECT_EQ(CPoint(40, 60), info.m_pointPos);
    EXPECT_EQ(CPoint(40, 60), info.m_pointMRUFloatPos);
}

class CustomizedBarStateTest : public BarStateTest
{
protected:
    // Customises the toolbar with nControls buttons whose parameter is
    // nChars long, saves, and gives the size of the saved controls.
    static void Customize(CVZPToolBar* pBar, int nControls, int nChars)
    {
        CVZPControls* pControls = pBar->GetControls();
        while (pControls->GetCount() > 1)
            pControls->RemoveAt(1);
        for (int i = 0; i < nControls; i++)
        {
            CVZPControl* pControl = pControls->AddControl(new CVZPControlButton, 1100 + i);
            pControl->SetCaption(L"Added");
            pControl->SetParameter(CString(L'p', i == 0 ? nChars : 10));
        }
    }
};

TEST_F(CustomizedBarStateTest, CustomisedBarsGoToTheRegistryOrAHiddenFile)
{
    CCustomizeFrame* pFrame = NewFrame<CCustomizeFrame>();
    ASSERT_NE(nullptr, pFrame);
    CVZPCommandBars* pBars = pFrame->GetCommandBars();
    ASSERT_TRUE(pBars->IsCustomizeAvail());
    const std::wstring strFile = tesmir::test::BuildPath(L"commandbars-controls.dat");
    pBars->SetControlsFileName(strFile.c_str());
    CString strName;
    ASSERT_TRUE(pBars->GetControlsFileName(strName, L"CommandBars"));
    EXPECT_EQ(CString(strFile.c_str()), strName);
    CVZPToolBar* pBar = pBars->GetToolBar(kToolBarId);

    // Small: the registry.
    Customize(pBar, 2, 10);
    pBars->SaveBarState(L"CommandBars", TRUE);
    std::map<std::wstring, DWORD> controls = Values(L"CommandBars-Controls");
    EXPECT_EQ(0u, controls[L"LoadFromFile"]);
    EXPECT_EQ((DWORD)-2, controls[L"Controls"]);

    CCustomizeFrame* pNext = NewFrame<CCustomizeFrame>();
    ASSERT_NE(nullptr, pNext);
    pNext->GetCommandBars()->LoadBarState(L"CommandBars", TRUE);
    CVZPControls* pLoaded = pNext->GetCommandBars()->GetToolBar(kToolBarId)->GetControls();
    ASSERT_EQ(3, pLoaded->GetCount());
    EXPECT_EQ(CString(L"Added"), pLoaded->GetAt(2)->GetCaption());

    // Find the parameter length that makes the data 16000 and 16001 bytes:
    // the size grows by two bytes a character.
    auto savedSize = [&](int nChars) {
        Customize(pBar, 1, nChars);
        pBars->SetControlsFileName(strFile.c_str());
        pBars->SaveBarState(L"CommandBars", TRUE);
        if (Values(L"CommandBars-Controls")[L"LoadFromFile"] == 1)
        {
            WIN32_FILE_ATTRIBUTE_DATA data = {};
            ::GetFileAttributesExW(strFile.c_str(), GetFileExInfoStandard, &data);
            return (int)data.nFileSizeLow;
        }
        DWORD cb = 0;
        ::RegGetValueW(HKEY_CURRENT_USER, SubKey(L"CommandBars-Controls").c_str(), L"Controls", RRF_RT_REG_BINARY,
                       NULL, NULL, &cb);
        return (int)cb;
    };
    const int nBase = savedSize(300);
    int nChars = 300 + (16000 - nBase) / 2;
    const int nAt = savedSize(nChars);
    ASSERT_EQ(16000 - (16000 - nBase) % 2, nAt);

    // At most 16000 bytes: still the registry.
    EXPECT_EQ(0u, Values(L"CommandBars-Controls")[L"LoadFromFile"]);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strFile.c_str()));

    // Past it: a hidden file named in the registry.
    const int nPast = savedSize(nChars + 1);
    EXPECT_GT(nPast, 16000);
    controls = Values(L"CommandBars-Controls");
    EXPECT_EQ(1u, controls[L"LoadFromFile"]);
    const DWORD dwAttributes = ::GetFileAttributesW(strFile.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwAttributes);
    EXPECT_NE(0u, dwAttributes & FILE_ATTRIBUTE_HIDDEN);

    CCustomizeFrame* pThird = NewFrame<CCustomizeFrame>();
    ASSERT_NE(nullptr, pThird);
    pThird->GetCommandBars()->LoadBarState(L"CommandBars", TRUE);
    pLoaded = pThird->GetCommandBars()->GetToolBar(kToolBarId)->GetControls();
    ASSERT_EQ(2, pLoaded->GetCount());
    EXPECT_EQ(nChars + 1, pLoaded->GetAt(1)->GetParameter().GetLength());

    // A damaged stream loads no controls, and the layout still loads.
    const BYTE junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(AfxGetApp()->WriteProfileBinary(L"CommandBars-Controls", L"Controls", (LPBYTE)junk, sizeof(junk)));
    ASSERT_TRUE(AfxGetApp()->WriteProfileInt(L"CommandBars-Controls", L"LoadFromFile", 0));
    CCustomizeFrame* pFourth = NewFrame<CCustomizeFrame>();
    ASSERT_NE(nullptr, pFourth);
    pFourth->GetCommandBars()->LoadBarState(L"CommandBars", TRUE);
    // (The bar's own expand button, made by its layout, is not a loaded control.)
    CVZPControls* pFourthControls = pFourth->GetCommandBars()->GetToolBar(kToolBarId)->GetControls();
    int nLoaded = 0;
    for (int i = 0; i < pFourthControls->GetCount(); i++)
        nLoaded += pFourthControls->GetAt(i)->IsTemporary() ? 0 : 1;
    EXPECT_EQ(1, nLoaded);

    ::SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(strFile.c_str());
}

}  // namespace
