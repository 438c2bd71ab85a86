// Popup bars on a real test frame: placement inside an injected work area,
// the menu layout, modal tracking of menus and context menus with real
// input, scrolling, rarely used commands behind the expand button, hosted
// windows, copies, and the classic theme's look of a drop-down and a
// context menu.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPMonitorApi.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"
#include "CVZPPopupToolBar.h"
#include "CVZPToolBar.h"
#include "VZPTrackContextMenu.h"

#include <TestSupport.h>

#include <afxpriv.h>
#include <afxres.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::CDibCanvas;
using tesmir::test::CSentMessageHook;
using tesmir::test::PumpUntil;

namespace {

// The popup the thread tracks last (the innermost submenu), NULL when none.
CVZPPopupBar* TopPopup()
{
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    for (int i = pMouseManager->GetTrackedCount() - 1; i >= 0; i--)
        if (CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pMouseManager->GetTrackedAt(i)))
            return pPopup;
    return NULL;
}

bool PopupShown()
{
    CVZPPopupBar* pPopup = TopPopup();
    return pPopup != NULL && pPopup->GetSafeHwnd() != NULL && pPopup->IsWindowVisible();
}

// The screen centre of a control of the popup.
CPoint ControlCentre(CVZPPopupBar* pPopup, int nIndex)
{
    CRect rc = pPopup->GetControl(nIndex)->GetRect();
    pPopup->ClientToScreen(&rc);
    return rc.CenterPoint();
}

// Steps run from a thread timer while a modal popup loop runs: each step is
// tried every 30 ms until it answers true. A script still running at its
// deadline closes every popup, so no test hangs in a loop.
class CInputScript
{
public:
    using Step = std::function<bool()>;

    explicit CInputScript(std::vector<Step> steps, DWORD dwTimeout = 15000)
        : m_steps(std::move(steps)), m_dwTimeout(dwTimeout), m_dwStart(::GetTickCount())
    {
        s_pActive = this;
        m_nTimer = ::SetTimer(NULL, 0, 30, &TimerProc);
    }
    ~CInputScript()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        s_pActive = NULL;
    }
    CInputScript(const CInputScript&) = delete;
    CInputScript& operator=(const CInputScript&) = delete;

    bool Finished() const { return m_nNext >= m_steps.size(); }
    size_t Reached() const { return m_nNext; }
    bool TimedOut() const { return m_bTimedOut; }

    // Common steps.
    static Step WaitShown() { return [] { return PopupShown(); }; }
    // Moves the pointer to the point and waits until it has stayed there.
    static Step MoveTo(std::function<CPoint()> point)
    {
        auto settled = std::make_shared<int>(0);
        return [point, settled] {
            const CPoint pt = point();
            CPoint now;
            ::GetCursorPos(&now);
            if (now != pt)
            {
                tesmir::test::MoveCursorTo(pt.x, pt.y);
                *settled = 0;
                return false;
            }
            return ++*settled >= 3;
        };
    }
    static Step Click(std::function<CPoint()> point)
    {
        return [point] {
            tesmir::test::SendMouseButtons(point(), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
            return true;
        };
    }
    static Step Keys(std::initializer_list<WORD> keys)
    {
        std::vector<WORD> list(keys);
        return [list] {
            for (WORD key : list)
                tesmir::test::PressKeys({key});
            return true;
        };
    }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CInputScript* pScript = s_pActive;
        if (pScript == NULL || pScript->m_bBusy)
            return;
        pScript->m_bBusy = true;
        if (::GetTickCount() - pScript->m_dwStart > pScript->m_dwTimeout)
        {
            pScript->m_bTimedOut = true;
            pScript->Stop();
            CVZPCommandBars::ClosePopups();
        }
        else
        {
            while (!pScript->Finished() && pScript->m_steps[pScript->m_nNext]())
                pScript->m_nNext++;
            if (pScript->Finished())
                pScript->Stop();
        }
        pScript->m_bBusy = false;
    }
    void Stop()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        m_nTimer = 0;
    }

    static CInputScript* s_pActive;
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    DWORD m_dwTimeout;
    DWORD m_dwStart;
    UINT_PTR m_nTimer = 0;
    bool m_bBusy = false;
    bool m_bTimedOut = false;
};

CInputScript* CInputScript::s_pActive = NULL;

// A menu of the items; a caption beginning with ">" is a submenu holding the
// item after it, "-" a separator.
struct MenuItem
{
    const wchar_t* caption;
    UINT nId;
};

void BuildMenu(CMenu& menu, const std::vector<MenuItem>& items)
{
    menu.CreatePopupMenu();
    for (size_t i = 0; i < items.size(); i++)
    {
        const MenuItem& item = items[i];
        if (item.caption[0] == L'-')
            menu.AppendMenu(MF_SEPARATOR, 0, (LPCTSTR)NULL);
        else if (item.caption[0] == L'>')
        {
            CMenu sub;
            sub.CreatePopupMenu();
            const MenuItem& inner = items[++i];
            sub.AppendMenu(MF_STRING, inner.nId, inner.caption);
            menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), item.caption + 1);
        }
        else
            menu.AppendMenu(MF_STRING, item.nId, item.caption);
    }
}

// Prints the window (WM_PRINT) into a canvas of its client size and saves it.
void PrintToScreenshot(CWnd* pWnd, CDibCanvas& canvas, const wchar_t* name)
{
    pWnd->SendMessage(WM_PRINT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_TRUE(canvas.SaveBmp(ScreenshotPath(name)));
}

class PopupBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallTestTheme();
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pCommandBars->GetCommandBarsOptions()->animationType = 5;
        ASSERT_TRUE(BringToFront(m_pFrame));
        // Away from where the popups open, so no item starts hot.
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(1200, 1000));
    }
    void TearDown() override
    {
        CVZPCommandBars::ClosePopups();
        CVZPMonitorApi::SetWorkAreaForTest(NULL);
        for (CVZPCommandBar* pBar : m_bars)
            pBar->InternalRelease();
        DestroyFrame(m_pFrame);
    }

    // A bar with a window on the frame (as a docked bar would be), given to
    // the frame's manager.
    CVZPCommandBar* MakeHostBar()
    {
        CVZPCommandBar* pBar = new CVZPCommandBar;
        pBar->SetCommandBars(m_pCommandBars);
        pBar->m_barPosition = vzpBarTop;
        CreateBarWindow(pBar, m_pFrame, CRect(0, 0, 380, 24));
        m_bars.push_back(pBar);
        return pBar;
    }
    // A title on the host bar whose popup holds the menu's items.
    CVZPControlPopup* AddTitle(CVZPCommandBar* pHost, LPCTSTR lpszCaption, const std::vector<MenuItem>& items,
                               CRect rc)
    {
        CVZPControlPopup* pTitle = (CVZPControlPopup*)pHost->GetControls()->Add(vzpControlPopup, 0);
        pTitle->SetCaption(lpszCaption);
        pTitle->SetRect(rc);
        CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
        CMenu menu;
        BuildMenu(menu, items);
        pPopup->LoadMenu(&menu, TRUE);
        pTitle->SetCommandBar(pPopup);
        pPopup->InternalRelease();
        return pTitle;
    }

    CTestFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    std::vector<CVZPCommandBar*> m_bars;
};

// ---------------------------------------------------------------------------
// Placement

TEST_F(PopupBarTest, PlacementKeepsPopupsInsideTheWorkArea)
{
    const CRect rcWork(100, 50, 900, 650);   // usable bottom: 645
    CVZPMonitorApi::SetWorkAreaForTest(&rcWork);
    const CRect none(0, 0, 0, 0);
    const int L = CVZPPopupBar::placeLeft;
    const int D = CVZPPopupBar::placeDropDown;
    struct Case
    {
        const char* name;
        CPoint anchor;
        CRect exclude;
        int nFlags;
        CSize size;
        CRect expected;
        int nFlagsAfter;
        BOOL bScrolling;
    };
    const Case cases[] = {
        {"point near the right edge", {880, 200}, none, D, {150, 100}, {750, 200, 900, 300}, D, FALSE},
        {"point 3 px above the bottom opens upwards", {300, 647}, none, D, {150, 100}, {300, 547, 450, 647}, D, FALSE},
        {"point at the bottom, taller than the room above", {300, 650}, none, D, {150, 700}, {300, 50, 450, 645}, D,
         TRUE},
        {"point in the lower half, too tall below", {300, 400}, none, D, {150, 300}, {300, 100, 450, 400}, D, FALSE},
        {"leftward from a point at the left edge", {150, 200}, none, L, {150, 100}, {100, 200, 250, 300}, 0, FALSE},
        {"right-aligned at a point", {500, 200}, none, L | D, {150, 100}, {350, 200, 500, 300}, L | D, FALSE},
        {"drop-down without room below opens above", {300, 620}, {300, 600, 380, 620}, D, {150, 100},
         {300, 500, 450, 600}, D, FALSE},
        {"drop-down fitting neither way takes the upper side", {300, 320}, {300, 300, 380, 320}, D, {150, 500},
         {300, 50, 450, 300}, D, TRUE},
        {"drop-down fitting neither way takes the lower side", {300, 120}, {300, 100, 380, 120}, D, {150, 600},
         {300, 120, 450, 645}, D, TRUE},
        {"submenu past the right edge opens left", {890, 200}, {800, 200, 890, 220}, 0, {150, 100},
         {650, 200, 800, 300}, L, FALSE},
        {"leftward submenu at the left edge opens right", {120, 200}, {120, 200, 210, 220}, L, {150, 100},
         {210, 200, 360, 300}, 0, FALSE},
        {"drop-down past the right edge ends at it", {850, 120}, {850, 100, 890, 120}, D, {150, 100},
         {750, 120, 900, 220}, L | D, FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(NULL);
        pPopup->m_ptPopup = c.anchor;
        pPopup->m_rcExclude = c.exclude;
        pPopup->SetPlacementFlags(c.nFlags);
        EXPECT_EQ(c.expected, pPopup->ComputePopupRect(c.size));
        EXPECT_EQ(c.nFlagsAfter, pPopup->GetPlacementFlags());
        EXPECT_EQ(c.bScrolling, pPopup->IsScrolling());
        pPopup->InternalRelease();
    }

    // A popup toolbar is clipped the same way but never scrolls.
    CVZPPopupToolBar* pToolBar = CVZPPopupToolBar::CreatePopupToolBar(NULL);
    pToolBar->m_ptPopup = CPoint(300, 650);
    pToolBar->SetPlacementFlags(D);
    EXPECT_EQ(CRect(300, 50, 450, 645), pToolBar->ComputePopupRect(CSize(150, 700)));
    EXPECT_FALSE(pToolBar->IsScrolling());
    pToolBar->InternalRelease();
}

// ---------------------------------------------------------------------------
// Layout

TEST_F(PopupBarTest, MenuLayoutRowsGroupsMinimumAndWidthCap)
{
    // The test theme: borders 2 on every side, separators 6 high, items
    // 100 x 20.
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
    EXPECT_EQ(CSize(26, 24), pPopup->CalcDynamicLayout(0, 0)) << "an empty menu is 22 x 22 inside its borders";

    CMenu menu;
    BuildMenu(menu, {{L"One", 4001}, {L"Two", 4002}, {L"-", 0}, {L"Three", 4003}});
    ASSERT_TRUE(pPopup->LoadMenu(&menu, TRUE));
    EXPECT_EQ(CSize(104, 70), pPopup->CalcDynamicLayout(0, 0));
    EXPECT_EQ(CRect(2, 2, 102, 22), pPopup->GetControl(0)->GetRect());
    EXPECT_EQ(CRect(2, 22, 102, 42), pPopup->GetControl(1)->GetRect());
    EXPECT_EQ(CRect(2, 48, 102, 68), pPopup->GetControl(2)->GetRect());

    // Items wider than a third of the work area are cut to that width, and
    // every row takes the width of the widest.
    CSizedControl* pWide = new CSizedControl;
    pWide->m_sz = CSize(5000, 20);
    pPopup->GetControls()->AddControl(pWide);
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int nCap = rcWork.right / 3;
    EXPECT_EQ(CSize(nCap + 4, 90), pPopup->CalcDynamicLayout(0, 0));
    EXPECT_EQ(nCap, pPopup->GetControl(0)->GetRect().Width());
    pPopup->InternalRelease();
}

// A popup toolbar lays its buttons out inside its margins (2, 4, 2, 4),
// below the tear-off gripper when it has one.
TEST_F(PopupBarTest, PopupToolBarLayoutKeepsItsMargins)
{
    CVZPPopupToolBar* pPopup = CVZPPopupToolBar::CreatePopupToolBar(m_pCommandBars);
    for (int i = 0; i < 3; i++)
    {
        CSizedControl* pButton = new CSizedControl;
        pButton->m_sz = CSize(30, 20);
        pPopup->GetControls()->AddControl(pButton, 4400 + i);
    }
    for (BOOL bTearOff : {FALSE, TRUE})
    {
        SCOPED_TRACE(bTearOff);
        pPopup->SetTearOffPopup(bTearOff ? L"Torn" : NULL, 0);
        const int nTop = 4 + (bTearOff ? 9 : 0);
        const CSize sz = pPopup->CalcDynamicLayout(0, 0);
        CRect rcAll(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int i = 0; i < 3; i++)
        {
            const CRect rc = pPopup->GetControl(i)->GetRect();
            EXPECT_EQ(CSize(30, 20), rc.Size()) << i;
            rcAll.left = std::min(rcAll.left, rc.left);
            rcAll.top = std::min(rcAll.top, rc.top);
            rcAll.right = std::max(rcAll.right, rc.right);
            rcAll.bottom = std::max(rcAll.bottom, rc.bottom);
        }
        EXPECT_EQ(2, rcAll.left);
        EXPECT_EQ(nTop, rcAll.top);
        EXPECT_EQ(sz.cx - 2, rcAll.right);
        EXPECT_EQ(sz.cy - 4, rcAll.bottom);
        EXPECT_EQ(CRect(2, nTop - (bTearOff ? 9 : 0), sz.cx - 2, nTop), pPopup->GetTearOffGripperRect());
    }
    pPopup->InternalRelease();
}

// The default item is the first visible one marked so: by position or by
// command.
TEST_F(PopupBarTest, DefaultItemByPositionOrCommand)
{
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
    CMenu menu;
    BuildMenu(menu, {{L"One", 4001}, {L"Two", 4002}, {L"Three", 4003}});
    pPopup->LoadMenu(&menu, TRUE);
    EXPECT_EQ(-1, pPopup->GetDefaultItem(TRUE));
    pPopup->GetControl(0)->SetDefaultItem(TRUE);
    pPopup->GetControl(0)->SetHideFlags(CVZPControl::hideGenerated);
    pPopup->GetControl(2)->SetDefaultItem(TRUE);
    EXPECT_EQ(2, pPopup->GetDefaultItem(TRUE));
    EXPECT_EQ(4003, pPopup->GetDefaultItem(FALSE));
    pPopup->InternalRelease();
}

// ---------------------------------------------------------------------------
// Modal tracking with real input

TEST_F(PopupBarTest, TrackPopupMenuReturnsTheChosenCommandAndNeverSendsIt)
{
    CMenu menu;
    BuildMenu(menu, {{L"One", 4001}, {L"Two", 4002}, {L">Sub", 0}, {L"Three", 4003}, {L"Four", 4004}});
    const CPoint ptOpen(600, 200);
    auto item = [](int nIndex) { return [nIndex] { return ControlCentre(TopPopup(), nIndex); }; };
    auto submenuOpen = [] { return CVZPCommandBars::GetThreadMouseManager()->GetTrackedCount() == 2 && PopupShown(); };
    using S = CInputScript;
    struct Case
    {
        const char* name;
        std::vector<S::Step> steps;
        UINT nExpected;
    };
    const Case cases[] = {
        {"click an item", {S::WaitShown(), S::MoveTo(item(1)), S::Click(item(1))}, 4002},
        {"Esc", {S::WaitShown(), S::Keys({VK_ESCAPE})}, 0},
        {"click outside", {S::WaitShown(), S::Click([&] { return CPoint(200, 250); })}, 0},
        {"submenu on hover", {S::WaitShown(), S::MoveTo(item(2)), submenuOpen, S::MoveTo(item(0)), S::Click(item(0))},
         4003},
        {"submenu on Right", {S::WaitShown(), S::Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}), submenuOpen,
                              S::Keys({VK_RETURN})},
         4003},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(1200, 1000));
        int nCommands = 0;
        int nShowing = 0;
        int nClosed = 0;
        CSentMessageHook hook([&](const CWPSTRUCT& msg) {
            if (msg.hwnd != m_pFrame->m_hWnd)
                return;
            nCommands += msg.message == WM_COMMAND;
            nShowing += msg.message == WM_VZP_POPUPSHOWING;
            nClosed += msg.message == WM_VZP_POPUPCLOSED;
        });
        CInputScript script(c.steps);
        const UINT nResult = CVZPCommandBars::TrackPopupMenu(&menu, TPM_RETURNCMD | TPM_NONOTIFY, ptOpen.x, ptOpen.y,
                                                            m_pFrame);
        EXPECT_TRUE(script.Finished()) << "stopped at step " << script.Reached();
        EXPECT_EQ(c.nExpected, nResult);
        EXPECT_EQ(0, nCommands);
        EXPECT_GE(nShowing, 1);
        EXPECT_EQ(nShowing, nClosed);
        EXPECT_FALSE(CVZPCommandBars::GetThreadMouseManager()->IsTrackingPopup());
        PumpUntil([] { return !::GetAsyncKeyState(VK_LBUTTON); }, 1000);
    }
}

// A quit request taken by the popup's loop ends the tracking and is still
// there for the loop outside.
TEST_F(PopupBarTest, QuitWhileAMenuTracksEndsItAndStaysQueued)
{
    CMenu menu;
    BuildMenu(menu, {{L"One", 4001}, {L"Two", 4002}});
    CInputScript script({CInputScript::WaitShown(), [] {
                             ::PostQuitMessage(7);
                             return true;
                         }});
    const UINT nResult = CVZPCommandBars::TrackPopupMenu(&menu, TPM_RETURNCMD, 600, 200, m_pFrame);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(0u, nResult);
    EXPECT_FALSE(CVZPCommandBars::GetThreadMouseManager()->IsTrackingPopup());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(PopupBarTest, ALongMenuScrollsToItsLastItemAndBack)
{
    const CRect rcWork(0, 0, 1280, 400);
    CVZPMonitorApi::SetWorkAreaForTest(&rcWork);
    std::vector<MenuItem> items;
    std::vector<std::wstring> captions;
    for (int i = 0; i < 60; i++)
        captions.push_back(L"Item " + std::to_wstring(i));
    for (int i = 0; i < 60; i++)
        items.push_back({captions[i].c_str(), (UINT)(4100 + i)});
    CMenu menu;
    BuildMenu(menu, items);

    auto visible = [](int nIndex) { return TopPopup()->GetControl(nIndex)->GetHideFlags() == 0; };
    auto arrow = [](bool bDown) {
        return [bDown] {
            CRect rc = bDown ? TopPopup()->GetScrollDownRect() : TopPopup()->GetScrollUpRect();
            TopPopup()->ClientToScreen(&rc);
            return rc.CenterPoint();
        };
    };
    CRect rcShown;
    CInputScript script({
        CInputScript::WaitShown(),
        [&] {
            CVZPPopupBar* pPopup = TopPopup();
            pPopup->GetWindowRect(&rcShown);
            EXPECT_TRUE(pPopup->IsScrolling());
            EXPECT_TRUE(visible(0));
            EXPECT_FALSE(visible(59));
            EXPECT_TRUE(pPopup->GetScrollUpRect().IsRectEmpty());
            EXPECT_FALSE(pPopup->GetScrollDownRect().IsRectEmpty());
            return true;
        },
        CInputScript::MoveTo(arrow(true)),
        [&] { return TopPopup()->GetEndVisible() == 60 && visible(59); },
        [&] {
            EXPECT_FALSE(visible(0));
            EXPECT_TRUE(TopPopup()->GetScrollDownRect().IsRectEmpty());
            return true;
        },
        CInputScript::MoveTo(arrow(false)),
        [&] { return TopPopup()->GetFirstVisible() == 0 && visible(0); },
        // The keyboard scrolls what it selects into view.
        CInputScript::Keys({VK_END}),
        [&] { return TopPopup()->GetHotIndex() == 59 && visible(59); },
        CInputScript::Keys({VK_HOME}),
        [&] { return TopPopup()->GetHotIndex() == 0 && visible(0); },
        CInputScript::Keys({VK_ESCAPE}),
    });
    CVZPCommandBars::TrackPopupMenu(&menu, TPM_RETURNCMD, 300, 20, m_pFrame);
    EXPECT_TRUE(script.Finished()) << "stopped at step " << script.Reached();
    // Opened in the upper half and too tall for the room below: it takes
    // the whole height, 5 pixels short of the bottom.
    EXPECT_EQ(0, rcShown.top);
    EXPECT_EQ(395, rcShown.bottom);
}

// A frame that fills the bars' context menu with the given number of
// commands and counts the requests.
class CContextMenuFrame : public CTestFrame
{
public:
    int m_nItems = 0;
    int m_nRequests = 0;
    WPARAM m_wLastBar = 0;

protected:
    afx_msg LRESULT OnToolBarContextMenu(WPARAM wParam, LPARAM lParam)
    {
        m_nRequests++;
        m_wLastBar = wParam;
        CVZPPopupBar* pPopup = (CVZPPopupBar*)lParam;
        for (int i = 0; i < m_nItems; i++)
            pPopup->GetControls()->Add(vzpControlButton, 4200 + i)->SetCaption(L"Toolbar");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CContextMenuFrame, CTestFrame)
    ON_MESSAGE(WM_VZP_TOOLBARCONTEXTMENU, OnToolBarContextMenu)
END_MESSAGE_MAP()

// The bars' context menu asks the site for its entries, opens only when
// there are some, tracks until closed and keeps a quit request for the loop
// outside.
TEST_F(PopupBarTest, BarContextMenuAsksTheSiteAndTracksWhatItGets)
{
    CContextMenuFrame* pFrame = new CContextMenuFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    ASSERT_TRUE(BringToFront(pFrame));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    struct Case
    {
        const char* name;
        int nItems;
        std::vector<CInputScript::Step> steps;
        bool bShown;
        bool bQuit;
    };
    bool bShown = false;
    auto noteShown = [&] {
        bShown = PopupShown();
        return bShown;
    };
    const Case cases[] = {
        {"empty", 0, {}, false, false},
        {"closed with Esc", 2, {noteShown, CInputScript::Keys({VK_ESCAPE})}, true, false},
        {"quit while open", 1, {noteShown, [] {
                                    ::PostQuitMessage(3);
                                    return true;
                                }},
         true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        bShown = false;
        pFrame->m_nItems = c.nItems;
        const int nBefore = pFrame->m_nRequests;
        CInputScript script(c.steps, 8000);
        pCommandBars->ContextMenu(NULL, 500, 300);
        EXPECT_EQ(nBefore + 1, pFrame->m_nRequests);
        EXPECT_EQ(0u, pFrame->m_wLastBar);
        EXPECT_EQ(c.bShown, bShown);
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(script.TimedOut());
        EXPECT_FALSE(CVZPCommandBars::GetThreadMouseManager()->IsTrackingPopup());
        MSG msg;
        const bool bQuit = ::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        EXPECT_EQ(c.bQuit, bQuit);
        if (bQuit)
        {
            EXPECT_EQ(3u, msg.wParam);
        }
    }
    // Nothing opens while the bars are customised.
    pCommandBars->SetCustomizeMode(TRUE);
    pCommandBars->ContextMenu(NULL, 500, 300);
    pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_EQ(3, pFrame->m_nRequests);
    DestroyFrame(pFrame);
}

// Keyboard tracking moves to the next visible bar and lights its first
// control the keyboard can reach.
TEST_F(PopupBarTest, SetTrackingBarMovesToTheNextBar)
{
    CVZPToolBar* pFirst = m_pCommandBars->AddToolBar(L"First", vzpBarTop);
    ASSERT_TRUE(pFirst != NULL);
    EXPECT_FALSE(m_pCommandBars->SetTrackingBar(pFirst, 1)) << "a single bar";
    CVZPToolBar* pSecond = m_pCommandBars->AddToolBar(L"Second", vzpBarTop);
    ASSERT_TRUE(pSecond != NULL);
    pFirst->GetControls()->Add(vzpControlButton, 4301);
    CVZPControl* pSkipped = pSecond->GetControls()->Add(vzpControlButton, 4302);
    pSkipped->SetFlags(CVZPControl::flagSkipNavigate);
    CVZPControl* pHidden = pSecond->GetControls()->Add(vzpControlButton, 4303);
    pHidden->SetHideFlags(CVZPControl::hideWrap);
    pSecond->GetControls()->Add(vzpControlButton, 4304);

    ASSERT_TRUE(m_pCommandBars->SetTrackingBar(pFirst, 1));
    EXPECT_TRUE(pSecond->IsTrackingMode());
    EXPECT_EQ(2, pSecond->GetHotIndex());
    // Back again, the way Ctrl+Shift+Tab goes; the bar left stops tracking.
    ASSERT_TRUE(m_pCommandBars->SetTrackingBar(pSecond, -1));
    EXPECT_FALSE(pSecond->IsTrackingMode());
    EXPECT_TRUE(pFirst->IsTrackingMode());
    EXPECT_EQ(0, pFirst->GetHotIndex());
    EXPECT_FALSE(m_pCommandBars->SetTrackingBar(NULL, 1));
}

// ---------------------------------------------------------------------------
// Rarely used commands

TEST_F(PopupBarTest, HiddenCommandsWaitBehindTheExpandButton)
{
    CVZPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->bAlwaysShowFullMenus = FALSE;
    pOptions->bShowFullAfterDelay = FALSE;
    const UINT hidden[] = {5002, 5004, 5005, 5006};
    m_pCommandBars->HideCommands(hidden, 4);
    CVZPCommandBar* pHost = MakeHostBar();
    CVZPControlPopup* pA = AddTitle(pHost, L"A", {{L"Shown", 5001}, {L"Rare", 5002}}, CRect(0, 0, 40, 24));
    CVZPControlPopup* pB = AddTitle(pHost, L"B", {{L"Shown", 5003}, {L"Rare", 5004}}, CRect(40, 0, 80, 24));
    CVZPControlPopup* pC = AddTitle(pHost, L"C", {{L"Rare", 5005}, {L"Rarer", 5006}}, CRect(80, 0, 120, 24));

    // Opened by the keyboard: the rare command hides and the expand button
    // closes the menu.
    pHost->SetTrackingMode(1, FALSE, TRUE);
    ASSERT_TRUE(pHost->SetPopupedControl(0, TRUE));
    CVZPPopupBar* pPopupA = (CVZPPopupBar*)pA->GetCommandBar();
    ASSERT_TRUE(PumpUntil([&] { return pPopupA->IsVisible(); }));
    EXPECT_TRUE(pPopupA->HasHiddenControls());
    EXPECT_EQ((DWORD)CVZPControl::hideExpand, pPopupA->GetControl(1)->GetHideFlags());
    CVZPControl* pExpand = pPopupA->FindExpandButton();
    ASSERT_TRUE(pExpand != NULL);
    EXPECT_EQ(0u, pExpand->GetHideFlags());
    EXPECT_EQ(pPopupA->GetControl(0)->GetRect().bottom, pExpand->GetRect().top);
    EXPECT_TRUE(pExpand->GetCaption().IsEmpty());
    EXPECT_EQ(CString(L"Expand"), pExpand->GetTooltip());
    const CRect rcCollapsed = [&] { CRect rc; pPopupA->GetWindowRect(&rc); return rc; }();
    EXPECT_EQ(0, pPopupA->GetHotIndex());

    // Down on the last command expands instead of wrapping.
    tesmir::test::PressKeys({VK_DOWN});
    ASSERT_TRUE(PumpUntil([&] { return pPopupA->IsExpanded(); }));
    EXPECT_EQ(0u, pPopupA->GetControl(1)->GetHideFlags());
    EXPECT_NE(0u, pExpand->GetHideFlags());
    CRect rcExpanded;
    pPopupA->GetWindowRect(&rcExpanded);
    EXPECT_GT(rcExpanded.Height(), rcCollapsed.Height());
    EXPECT_TRUE(CVZPCommandBars::GetThreadMouseManager()->m_bFullMenus);

    // The next drop-down of the same tracking opens expanded.
    ASSERT_TRUE(pHost->SetPopupedControl(1, TRUE));
    CVZPPopupBar* pPopupB = (CVZPPopupBar*)pB->GetCommandBar();
    ASSERT_TRUE(PumpUntil([&] { return pPopupB->IsVisible(); }));
    EXPECT_FALSE(pPopupA->IsVisible());
    EXPECT_TRUE(pPopupB->IsExpanded());
    EXPECT_EQ(0u, pPopupB->GetControl(1)->GetHideFlags());
    EXPECT_FALSE(pPopupB->HasHiddenControls());

    // When the tracking ends the next one starts collapsed again.
    CVZPCommandBars::ClosePopups();
    EXPECT_FALSE(CVZPCommandBars::GetThreadMouseManager()->m_bFullMenus);
    pHost->SetTrackingMode(1, FALSE, TRUE);
    ASSERT_TRUE(pHost->SetPopupedControl(1, TRUE));
    ASSERT_TRUE(PumpUntil([&] { return pPopupB->IsVisible(); }));
    EXPECT_TRUE(pPopupB->HasHiddenControls());
    CVZPCommandBars::ClosePopups();

    // A popup of hidden commands counts as hidden until one of them runs.
    EXPECT_TRUE(m_pCommandBars->IsControlHidden(pC));
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pA));
    pC->GetCommandBar()->GetControl(0)->OnExecute();
    EXPECT_FALSE(m_pCommandBars->IsControlHidden(pC));
    // With full menus always shown nothing hides.
    pOptions->bAlwaysShowFullMenus = TRUE;
    pHost->SetTrackingMode(1, FALSE, TRUE);
    ASSERT_TRUE(pHost->SetPopupedControl(0, TRUE));
    ASSERT_TRUE(PumpUntil([&] { return pPopupA->IsVisible(); }));
    EXPECT_FALSE(pPopupA->HasHiddenControls());
    EXPECT_EQ(0u, pPopupA->GetControl(1)->GetHideFlags());
}

// Clicking the expand button expands the menu without executing anything
// or closing it.
TEST_F(PopupBarTest, ClickingTheExpandButtonExpands)
{
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay = FALSE;
    m_pCommandBars->HideCommand(5002);
    CVZPCommandBar* pHost = MakeHostBar();
    CVZPControlPopup* pA = AddTitle(pHost, L"A", {{L"Shown", 5001}, {L"Rare", 5002}}, CRect(0, 0, 40, 24));
    CVZPPopupBar* pPopup = (CVZPPopupBar*)pA->GetCommandBar();
    int nCommands = 0;
    CSentMessageHook hook([&](const CWPSTRUCT& msg) { nCommands += msg.message == WM_COMMAND; });
    pHost->SetTrackingMode(1, FALSE, FALSE);
    ASSERT_TRUE(pHost->SetPopupedControl(0, FALSE));
    ASSERT_TRUE(PumpUntil([&] { return pPopup->IsVisible(); }));
    CVZPControl* pExpand = pPopup->FindExpandButton();
    ASSERT_TRUE(pExpand != NULL);
    CRect rc = pExpand->GetRect();
    pPopup->ClientToScreen(&rc);
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(rc.CenterPoint().x, rc.CenterPoint().y));
    tesmir::test::SendMouseButtons(rc.CenterPoint(), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    EXPECT_TRUE(PumpUntil([&] { return pPopup->IsExpanded(); }));
    PumpUntil([] { return !::GetAsyncKeyState(VK_LBUTTON); }, 1000);
    EXPECT_TRUE(pPopup->IsVisible());
    EXPECT_EQ(0u, pPopup->GetControl(1)->GetHideFlags());
    EXPECT_EQ(0, nCommands);
}

// A shown menu takes its commands' shortcut texts from the manager's
// shortcuts while the options ask for it.
TEST_F(PopupBarTest, ShownMenusTakeTheShortcutTextsOfTheirCommands)
{
    CTestFrame* pFrame = new CTestFrame;
    pFrame->m_nAccelResource = IDR_TEST_MENU;   // Ctrl+Q runs 1000
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(pCommandBars);
    CMenu menu;
    BuildMenu(menu, {{L"Quit", 1000}, {L"None", 4001}});
    pPopup->LoadMenu(&menu, TRUE);
    for (BOOL bAuto : {TRUE, FALSE})
    {
        SCOPED_TRACE(bAuto);
        pCommandBars->GetCommandBarsOptions()->bAutoUpdateShortcuts = bAuto;
        pPopup->GetControl(0)->m_strShortcutTextAuto.Empty();
        ASSERT_TRUE(pPopup->ShowPopupAt(500, 300));
        EXPECT_EQ(CString(bAuto ? L"Ctrl+Q" : L""), pPopup->GetControl(0)->GetShortcutText());
        EXPECT_TRUE(pPopup->GetControl(1)->GetShortcutText().IsEmpty());
        CVZPCommandBars::ClosePopups();
    }
    pPopup->InternalRelease();
    DestroyFrame(pFrame);
}

// Ctrl+Down expands from any command; with the delay option, resting on
// the expand button expands after 900 ms.
TEST_F(PopupBarTest, CtrlDownAndRestingOnTheExpandButtonExpand)
{
    CVZPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->bAlwaysShowFullMenus = FALSE;
    m_pCommandBars->HideCommand(5002);
    CVZPCommandBar* pHost = MakeHostBar();
    CVZPControlPopup* pA =
        AddTitle(pHost, L"A", {{L"First", 5001}, {L"Rare", 5002}, {L"Last", 5003}}, CRect(0, 0, 40, 24));
    CVZPPopupBar* pPopup = (CVZPPopupBar*)pA->GetCommandBar();

    pOptions->bShowFullAfterDelay = FALSE;
    pHost->SetTrackingMode(1, FALSE, TRUE);
    ASSERT_TRUE(pHost->SetPopupedControl(0, TRUE));
    ASSERT_TRUE(PumpUntil([&] { return pPopup->IsVisible(); }));
    EXPECT_EQ(0, pPopup->GetHotIndex());
    tesmir::test::PressKeys({VK_DOWN});   // the next command is after this one: no expansion
    ASSERT_TRUE(PumpUntil([&] { return pPopup->GetHotIndex() == 2; }));
    EXPECT_FALSE(pPopup->IsExpanded());
    tesmir::test::PressKeys({VK_UP});
    ASSERT_TRUE(PumpUntil([&] { return pPopup->GetHotIndex() == 0; }));
    tesmir::test::PressKeys({VK_CONTROL, VK_DOWN});
    EXPECT_TRUE(PumpUntil([&] { return pPopup->IsExpanded(); }));
    CVZPCommandBars::ClosePopups();

    pOptions->bShowFullAfterDelay = TRUE;
    pHost->SetTrackingMode(1, FALSE, FALSE);
    ASSERT_TRUE(pHost->SetPopupedControl(0, FALSE));
    ASSERT_TRUE(PumpUntil([&] { return pPopup->IsVisible(); }));
    ASSERT_TRUE(pPopup->HasHiddenControls());
    CRect rc = pPopup->FindExpandButton()->GetRect();
    pPopup->ClientToScreen(&rc);
    const DWORD dwStart = ::GetTickCount();
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(rc.CenterPoint().x, rc.CenterPoint().y));
    EXPECT_TRUE(PumpUntil([&] { return pPopup->IsExpanded(); }, 5000));
    EXPECT_GE(::GetTickCount() - dwStart, 850u);
}

// A theme that counts the first-paint animations it runs.
class CAnimationCountTheme : public CTestPaintManager
{
public:
    void Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int animationType) override
    {
        m_types.push_back(animationType);
        CTestPaintManager::Animate(pDestDC, pSrcDC, rc, animationType);
    }
    std::vector<int> m_types;
};

// The one test with animation on: popups opened by the mouse (or for a
// point) slide in; menus opened from the keyboard, or hosting a window,
// appear at once.
TEST_F(PopupBarTest, OnlyPopupsOpenedByTheMouseAnimate)
{
    CAnimationCountTheme* pTheme = new CAnimationCountTheme;
    CVZPCommandBarPaintManager::SetCustomTheme(pTheme);
    CVZPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->animationType = 3;
    CVZPCommandBar* pHost = MakeHostBar();
    CVZPControlPopup* pA = AddTitle(pHost, L"A", {{L"One", 5001}, {L"Two", 5002}}, CRect(0, 0, 40, 24));
    CVZPPopupBar* pPopup = (CVZPPopupBar*)pA->GetCommandBar();

    pHost->SetTrackingMode(1, FALSE, TRUE);
    ASSERT_TRUE(pHost->SetPopupedControl(0, TRUE));
    EXPECT_TRUE(pTheme->m_types.empty()) << "opened from the keyboard";
    CVZPCommandBars::ClosePopups();

    pHost->SetTrackingMode(1, FALSE, FALSE);
    EXPECT_TRUE(pHost->m_bEnteredByMouse);
    ASSERT_TRUE(pHost->SetPopupedControl(0, FALSE));
    EXPECT_EQ(std::vector<int>{3}, pTheme->m_types);
    EXPECT_FALSE(pHost->m_bEnteredByMouse) << "the popup takes the flag";
    CVZPCommandBars::ClosePopups();

    CMenu menu;
    BuildMenu(menu, {{L"One", 4001}});
    pTheme->m_types.clear();
    CInputScript script({CInputScript::WaitShown(), CInputScript::Keys({VK_ESCAPE})});
    CVZPCommandBars::TrackPopupMenu(&menu, TPM_RETURNCMD, 600, 200, m_pFrame, NULL, NULL, m_pCommandBars);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(std::vector<int>{3}, pTheme->m_types) << "a context menu";

    // The type: the option's value, random among the three, none without a
    // manager or with a hosted window.
    for (int nType : {2, 3, 4, 5})
    {
        pOptions->animationType = nType;
        EXPECT_EQ(nType, pPopup->GetAnimationType());
    }
    pOptions->animationType = 1;
    for (int i = 0; i < 20; i++)
    {
        const int nType = pPopup->GetAnimationType();
        EXPECT_TRUE(nType >= 2 && nType <= 4) << nType;
    }
    pOptions->animationType = 3;
    CVZPPopupBar* pLoose = CVZPPopupBar::CreatePopupBar(NULL);
    EXPECT_EQ(5, pLoose->GetAnimationType());
    pLoose->InternalRelease();
    ASSERT_TRUE(pPopup->ShowPopupAt(500, 300));
    CWnd child;
    ASSERT_TRUE(child.Create(L"STATIC", L"hosted", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 10), pPopup, 1));
    EXPECT_EQ(5, pPopup->GetAnimationType());
    CVZPCommandBars::ClosePopups();
    child.DestroyWindow();
}

// Dragging the gripper of a tear-off popup away floats a toolbar with the
// popup's commands under the pointer; bringing it back hides the toolbar
// and keeps the popup.
TEST_F(PopupBarTest, TearingOffFloatsAToolbarWithThePopupsCommands)
{
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pCommandBars->HideCommand(4003);
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
    CMenu menu;
    BuildMenu(menu, {{L"One", 4001}, {L"Two", 4002}, {L"Rare", 4003}});
    pPopup->LoadMenu(&menu, TRUE);
    pPopup->SetTearOffPopup(L"Torn", 880, 200);

    // There and back: the torn-off toolbar comes and, hidden, goes for good
    // (a torn-off bar is deleted when hidden); the popup stays.
    ASSERT_TRUE(pPopup->ShowPopupAt(500, 300));
    ASSERT_TRUE(pPopup->FindExpandButton() != NULL);
    CRect rcGripper = pPopup->GetTearOffGripperRect();
    EXPECT_EQ(9, rcGripper.Height());
    pPopup->ClientToScreen(&rcGripper);
    const CPoint ptGrip = rcGripper.CenterPoint();
    const CPoint ptAway = ptGrip + CPoint(150, 120);
    // The drag's loop takes the moves one by one: the display would merge
    // moves sent at once.
    auto drag = [&](std::vector<CPoint> path) {
        std::vector<CInputScript::Step> steps;
        steps.push_back([&] { return pPopup->m_bTearOffTracking != FALSE; });
        for (const CPoint& pt : path)
            steps.push_back(CInputScript::MoveTo([pt] { return pt; }));
        steps.push_back([path] {
            tesmir::test::SendMouseButtons(path.back(), {MOUSEEVENTF_LEFTUP});
            return true;
        });
        CInputScript script(steps, 10000);
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(ptGrip.x, ptGrip.y));
        tesmir::test::SendMouseButtons(ptGrip, {MOUSEEVENTF_LEFTDOWN});
        EXPECT_TRUE(PumpUntil([&] { return script.Finished() && !pPopup->m_bTearOffTracking; }, 10000));
        PumpUntil([] { return !::GetAsyncKeyState(VK_LBUTTON); }, 1000);
    };
    const int nBars = m_pCommandBars->GetCount();
    drag({ptGrip + CPoint(60, 60), ptAway, ptGrip});
    EXPECT_EQ(nullptr, m_pCommandBars->GetToolBar(880));
    EXPECT_EQ(nBars, m_pCommandBars->GetCount());
    EXPECT_TRUE(pPopup->IsTrackingMode());
    EXPECT_TRUE(pPopup->IsVisible());

    // Away for good: a torn-off toolbar floats, the popups close.
    drag({ptGrip + CPoint(60, 60), ptAway});
    EXPECT_FALSE(pPopup->IsTrackingMode());
    CVZPToolBar* pBar = m_pCommandBars->GetToolBar(880);
    ASSERT_TRUE(pBar != NULL);
    EXPECT_TRUE(pBar->IsTearOff());
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(vzpBarFloating, pBar->GetPosition());
    EXPECT_EQ(CString(L"Torn"), pBar->GetTitle());
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->GetControlCount(); i++)
    {
        if (pBar->GetControl(i)->IsTemporary())
            continue;   // the floating bar's own close and expand buttons
        ids.push_back(pBar->GetControl(i)->GetID());
        EXPECT_EQ(0u, pBar->GetControl(i)->GetHideFlags() & (CVZPControl::hideExpand | CVZPControl::hideScroll));
    }
    EXPECT_EQ((std::vector<UINT>{4001, 4002, 4003}), ids);
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    EXPECT_EQ(ptAway.x - rcBar.Width() / 2, rcBar.left);
    EXPECT_EQ(ptAway.y - 10, rcBar.top);
    pPopup->InternalRelease();
}

// ---------------------------------------------------------------------------
// Windows and copies

TEST_F(PopupBarTest, PopupWindowNeverActivatesAndGivesItsChildrenBack)
{
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
    CMenu menu;
    BuildMenu(menu, {{L"One", 4001}});
    pPopup->LoadMenu(&menu, TRUE);
    int nShowing = 0;
    LPARAM lShowing = 0;
    CSentMessageHook hook([&](const CWPSTRUCT& msg) {
        if (msg.message == WM_VZP_POPUPSHOWING)
        {
            nShowing++;
            lShowing = msg.lParam;
        }
    });
    ASSERT_TRUE(pPopup->ShowPopupAt(500, 300));
    EXPECT_EQ(1, nShowing);
    EXPECT_EQ((LPARAM)pPopup, lShowing);
    EXPECT_TRUE(pPopup->IsTrackingMode());
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetWindow(pPopup->m_hWnd, GW_OWNER));
    EXPECT_NE(0u, pPopup->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_NE(0u, pPopup->GetExStyle() & WS_EX_TOPMOST);
    EXPECT_NE(0u, pPopup->GetStyle() & MFS_SYNCACTIVE);
    EXPECT_EQ(1, pPopup->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE, 0));
    EXPECT_EQ(0, pPopup->SendMessage(WM_FLOATSTATUS, FS_ACTIVATE, 0));
    EXPECT_EQ(MA_NOACTIVATE, pPopup->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pFrame->m_hWnd,
                                                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));

    CWnd child;
    ASSERT_TRUE(child.Create(L"STATIC", L"hosted", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 10), pPopup, 1));
    CVZPCommandBars::ClosePopups();
    EXPECT_TRUE(pPopup->GetSafeHwnd() == NULL);
    ASSERT_TRUE(::IsWindow(child.m_hWnd));
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(child.m_hWnd));
    EXPECT_FALSE(child.IsWindowVisible());
    child.DestroyWindow();
    pPopup->InternalRelease();
}

TEST_F(PopupBarTest, CloneKeepsTheClassTearOffAndMarginsButNotTheDoubleGripper)
{
    CVZPPopupToolBar* pPopup = CVZPPopupToolBar::CreatePopupToolBar(m_pCommandBars);
    pPopup->SetTearOffPopup(L"Tools", 77, 300);
    pPopup->m_bShowShadow = FALSE;
    pPopup->m_rcBorders = CRect(1, 2, 3, 4);
    pPopup->m_bDoubleGripper = TRUE;
    pPopup->GetControls()->Add(vzpControlButton, 4001);
    CVZPCommandBar* pClone = pPopup->Clone(TRUE);
    ASSERT_TRUE(pClone != NULL);
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CVZPPopupToolBar)));
    CVZPPopupBar* pCopy = (CVZPPopupBar*)pClone;
    EXPECT_TRUE(pCopy->IsTearOffPopup());
    EXPECT_EQ(CString(L"Tools"), pCopy->m_strTearOffCaption);
    EXPECT_EQ(77u, pCopy->m_nTearOffID);
    EXPECT_EQ(300, pCopy->m_nTearOffWidth);
    EXPECT_FALSE(pCopy->m_bShowShadow);
    EXPECT_EQ(CRect(1, 2, 3, 4), pCopy->m_rcBorders);
    EXPECT_FALSE(pCopy->m_bDoubleGripper);
    EXPECT_EQ(vzpBarTypeNormal, pCopy->GetType());
    ASSERT_EQ(1, pCopy->GetControlCount());
    EXPECT_NE(pPopup->GetControl(0), pCopy->GetControl(0));
    EXPECT_EQ(4001u, pCopy->GetControl(0)->GetID());
    pClone->InternalRelease();
    pPopup->InternalRelease();
}

// ---------------------------------------------------------------------------
// The classic theme's look

class ClassicPopupTest : public PopupBarTest
{
protected:
    void SetUp() override
    {
        PopupBarTest::SetUp();
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    }
};

// Pixels of a row of the canvas that differ from the colour.
int CountOther(const CDibCanvas& canvas, const CRect& rc, COLORREF clr)
{
    CRect r = rc;
    return r.Width() * r.Height() - canvas.Count(r, clr);
}

TEST_F(ClassicPopupTest, DropDownLooksLikeAClassicMenu)
{
    CVZPCommandBar* pHost = MakeHostBar();
    CVZPControlPopup* pFile = AddTitle(
        pHost, L"&Recovery",
        {{L"&Open\tCtrl+O", 1000}, {L"&Recover Selected...", 1001}, {L"-", 0}, {L"E&xit...", 32809}},
        CRect(0, 0, 70, 24));
    pHost->SetTrackingMode(1, FALSE, TRUE);
    ASSERT_TRUE(pHost->SetPopupedControl(0, TRUE));
    CVZPPopupBar* pPopup = (CVZPPopupBar*)pFile->GetCommandBar();
    ASSERT_TRUE(PumpUntil([&] { return pPopup->IsVisible(); }));
    // The drop-down hangs from the title's bottom-left, as the theme widens
    // the title.
    CRect rcTitle = pFile->GetRect();
    pHost->ClientToScreen(&rcTitle);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    EXPECT_EQ(pPopup->m_rcExclude.left, rcPopup.left);
    EXPECT_EQ(pPopup->m_rcExclude.bottom, rcPopup.top);
    EXPECT_LE(abs(rcTitle.left - rcPopup.left), 1);
    EXPECT_LE(abs(rcTitle.bottom - rcPopup.top), 1);

    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    CDibCanvas canvas(rcClient.Width(), rcClient.Height(), RGB(255, 0, 255));
    PrintToScreenshot(pPopup, canvas, L"popup_dropdown_classic.bmp");
    // Every item row has text on the menu face; the separator row has none.
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, rcClient.Width(), rcClient.Height()), RGB(255, 0, 255)));
    for (int i = 0; i < pPopup->GetControlCount(); i++)
    {
        CVZPControl* pItem = pPopup->GetControl(i);
        if (pItem->GetHideFlags() != 0)
            continue;
        CRect rcText = pItem->GetRect();
        rcText.DeflateRect(30, 2);
        EXPECT_GT(CountOther(canvas, rcText, clrFace), 0) << i;
    }
}

TEST_F(ClassicPopupTest, ContextMenuShowsTheToolbarImagesAndSendsTheCommandToItsOwner)
{
    CMenu menu;
    BuildMenu(menu, {{L"Cu&t", ID_EDIT_CUT}, {L"&Copy", ID_EDIT_COPY}, {L"-", 0}, {L"Other", 4010}});
    std::vector<UINT> commands;
    CSentMessageHook hook([&](const CWPSTRUCT& msg) {
        if (msg.hwnd == m_pFrame->m_hWnd && msg.message == WM_COMMAND)
            commands.push_back(LOWORD(msg.wParam));
    });
    bool bImages = false;
    bool bNoImage = false;
    CDibCanvas* pCanvas = NULL;
    int nCopyIcon = 0;
    int nOtherIcon = 0;
    auto item = [](int nIndex) { return [nIndex] { return ControlCentre(TopPopup(), nIndex); }; };
    CInputScript script({
        CInputScript::WaitShown(),
        [&] {
            CVZPPopupBar* pPopup = TopPopup();
            bImages = pPopup->GetControl(0)->GetImage(16) != NULL && pPopup->GetControl(1)->GetImage(16) != NULL;
            bNoImage = pPopup->GetControl(2)->GetImage(16) == NULL;
            CRect rcClient;
            pPopup->GetClientRect(&rcClient);
            pCanvas = new CDibCanvas(rcClient.Width(), rcClient.Height());
            PrintToScreenshot(pPopup, *pCanvas, L"popup_context_menu_classic.bmp");
            const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
            auto iconArea = [&](int nIndex) {
                CRect rc = pPopup->GetControl(nIndex)->GetRect();
                return CRect(rc.left + 2, rc.top + 1, rc.left + 20, rc.bottom - 1);
            };
            nCopyIcon = CountOther(*pCanvas, iconArea(1), clrFace);
            nOtherIcon = CountOther(*pCanvas, iconArea(2), clrFace);
            return true;
        },
        CInputScript::MoveTo(item(1)),
        CInputScript::Click(item(1)),
    });
    const int nResult = TrackContextMenu(&menu, TPM_RIGHTBUTTON, 600, 200, m_pFrame, 9017);
    EXPECT_TRUE(script.Finished()) << "stopped at step " << script.Reached();
    EXPECT_EQ(TRUE, nResult);
    EXPECT_TRUE(bImages);
    EXPECT_TRUE(bNoImage);
    EXPECT_GT(nCopyIcon, 20);
    EXPECT_EQ(0, nOtherIcon);
    delete pCanvas;
    PumpUntil([&] { return !commands.empty(); }, 2000);
    EXPECT_EQ(std::vector<UINT>{ID_EDIT_COPY}, commands);
    // The process-wide images never got the toolbar's.
    EXPECT_TRUE(::GetImageManager()->GetImage(ID_EDIT_COPY, 16) == NULL);
}

}  // namespace
