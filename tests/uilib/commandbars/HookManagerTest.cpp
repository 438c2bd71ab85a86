// The hook managers with real input: the mouse manager's clicks, trusted
// windows, swallowed button releases, dropped repeated moves and nested
// tracking; the keyboard manager's Alt, auto-repeat, key routing and
// deactivation; the window subclasser's receivers and its replay of the
// framework's last-sent message; the mouse-leave timer; per-thread managers
// on a framework worker thread.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPHookReceiver.h"
#include "CVZPKeyboardHookManager.h"
#include "CVZPMouseHookManager.h"
#include "CVZPWindowHookManager.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

#include <algorithm>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::MoveCursorTo;
using tesmir::test::PressKeys;
using tesmir::test::PumpUntil;
using tesmir::test::SendMouseButtons;

namespace {

// A child window that records the messages it gets and keeps key messages
// from the default procedure (so Alt never opens the frame's system menu).
class CRecorderWnd : public CWnd
{
public:
    BOOL CreateChild(CWnd* pParent, const CRect& rect, UINT nID)
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)), NULL,
                        WS_CHILD | WS_VISIBLE, rect, pParent, nID);
    }
    int Count(UINT nMessage, WPARAM wParam = (WPARAM)-1) const
    {
        int n = 0;
        for (const MSG& msg : m_messages)
            if (msg.message == nMessage && (wParam == (WPARAM)-1 || msg.wParam == wParam))
                n++;
        return n;
    }
    std::vector<MSG> m_messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        MSG msg = {m_hWnd, message, wParam, lParam, 0, {0, 0}};
        m_messages.push_back(msg);
        if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A bar that tracks as the bars do as far as the hooks see it: turning the
// mode on registers it with both thread managers, turning it off (only
// when it is on) takes it out again. It records the keys it is offered.
class CHookTestBar : public CVZPCommandBar
{
public:
    BOOL CreateChild(CWnd* pParent, const CRect& rect)
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), NULL,
                        WS_CHILD | WS_VISIBLE, rect, pParent, 0);
    }
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard) override
    {
        (void)bSelectFirst;
        (void)bKeyboard;
        if ((m_bTracking != 0) == (bMode != 0))
            return FALSE;
        m_bTracking = bMode;
        if (bMode)
        {
            CVZPMouseHookManager::GetThreadManager()->AddTrackedPopup(this);
            CVZPKeyboardHookManager::GetThreadManager()->AddKeyboardReceiver(this);
        }
        else
        {
            CVZPMouseHookManager::GetThreadManager()->RemoveTrackedPopup(this);
            CVZPKeyboardHookManager::GetThreadManager()->RemoveKeyboardReceiver(this);
        }
        return TRUE;
    }
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override
    {
        (void)hWnd;
        (void)lParam;
        (void)lResult;
        if (nMessage == WM_KEYDOWN)
            m_keys.push_back((UINT)wParam);
        return m_nKeyAnswer;
    }

    std::vector<UINT> m_keys;
    int m_nKeyAnswer = 1;
    int m_nMouseMoves = 0;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        (void)nFlags;
        (void)point;
        m_nMouseMoves++;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHookTestBar, CVZPCommandBar)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CPoint ScreenCenter(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc.CenterPoint();
}

// A frame in front with a target child, a second target and two bars.
class HookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pMouse = CVZPMouseHookManager::GetThreadManager();
        ASSERT_EQ(0, m_pMouse->GetTrackedCount());
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        ASSERT_TRUE(m_target.CreateChild(m_pFrame, CRect(10, 10, 110, 110), 100));
        ASSERT_TRUE(m_trusted.CreateChild(m_pFrame, CRect(120, 10, 220, 110), 101));
        m_pBar = new CHookTestBar;
        m_pInner = new CHookTestBar;
        ASSERT_TRUE(m_pBar->CreateChild(m_pFrame, CRect(10, 150, 150, 180)));
        ASSERT_TRUE(m_pInner->CreateChild(m_pFrame, CRect(160, 150, 300, 180)));
        m_pFrame->SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == m_pFrame->m_hWnd; }));
        m_target.SetFocus();
    }
    void TearDown() override
    {
        m_pMouse->CloseTrackedPopups();
        m_pMouse->m_bEatNextButtonUp = FALSE;
        m_pBar->InternalRelease();
        m_pInner->InternalRelease();
        DestroyFrame(m_pFrame);
        EXPECT_FALSE(CVZPKeyboardHookManager::GetThreadManager()->HasReceivers());
    }

    // Moves the pointer onto the window's centre, waits until it stays
    // there and the window has seen it.
    void MoveOnto(CWnd& wnd)
    {
        const CPoint pt = ScreenCenter(&wnd);
        ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
        ASSERT_TRUE(PumpUntil([] { return HIWORD(::GetQueueStatus(QS_MOUSEMOVE)) == 0; }));
    }
    void Click(CRecorderWnd& wnd)
    {
        MoveOnto(wnd);
        const int nUps = wnd.Count(WM_LBUTTONUP);
        SendMouseButtons(ScreenCenter(&wnd), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
        ASSERT_TRUE(PumpUntil([&] { return wnd.Count(WM_LBUTTONUP) > nUps; }));
    }

    CVZPMouseHookManager* m_pMouse = NULL;
    CTestFrame* m_pFrame = NULL;
    CRecorderWnd m_target;
    CRecorderWnd m_trusted;
    CHookTestBar* m_pBar = NULL;
    CHookTestBar* m_pInner = NULL;
};

TEST_F(HookTest, PressOutsideEndsTrackingAndStillReachesTheWindowUnlessTrusted)
{
    m_pMouse->AddTrustedWindow(m_trusted.m_hWnd);
    m_pBar->SetTrackingMode(1, FALSE, FALSE);
    ASSERT_TRUE(m_pMouse->IsTrackingPopup());

    Click(m_trusted);
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_EQ(1, m_trusted.Count(WM_LBUTTONDOWN));

    Click(m_target);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_FALSE(m_pMouse->IsTrackingPopup());
    EXPECT_EQ(1, m_target.Count(WM_LBUTTONDOWN));
    m_pMouse->RemoveTrustedWindow(m_trusted.m_hWnd);

    // Once removed, the window no longer keeps popups open.
    m_pBar->SetTrackingMode(1, FALSE, FALSE);
    Click(m_trusted);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
}

TEST_F(HookTest, EatNextButtonUpSwallowsOneReleaseAndAPressClearsIt)
{
    MoveOnto(m_target);
    m_pMouse->m_bEatNextButtonUp = TRUE;
    SendMouseButtons(ScreenCenter(&m_target), {MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] { return !m_pMouse->m_bEatNextButtonUp; }));
    Click(m_target);   // waits for the next release: only the second one arrives
    EXPECT_EQ(1, m_target.Count(WM_LBUTTONUP));

    m_pMouse->m_bEatNextButtonUp = TRUE;
    Click(m_target);
    EXPECT_FALSE(m_pMouse->m_bEatNextButtonUp);
    EXPECT_EQ(2, m_target.Count(WM_LBUTTONDOWN));
    EXPECT_EQ(2, m_target.Count(WM_LBUTTONUP));
}

TEST_F(HookTest, RepeatedMovesAtOnePointAreDroppedWhileABarTracks)
{
    // The hook procedure itself: whether the system repeats a move at one
    // point depends on the display, so the filter is driven directly.
    const CPoint pt = ScreenCenter(&m_target);
    MOUSEHOOKSTRUCT hook = {};
    hook.pt = pt;
    hook.hwnd = m_target.m_hWnd;
    auto feed = [&](UINT nMessage, CPoint ptAt) {
        hook.pt = ptAt;
        return CVZPMouseHookManager::MouseProc(HC_ACTION, nMessage, (LPARAM)&hook);
    };
    // Without tracking, every move passes.
    EXPECT_EQ(0, feed(WM_MOUSEMOVE, pt));
    EXPECT_EQ(0, feed(WM_MOUSEMOVE, pt));

    m_pBar->SetTrackingMode(1, FALSE, FALSE);
    m_pBar->m_nMouseMoves = 0;
    const CPoint ptOther = pt + CPoint(5, 5);
    EXPECT_EQ(0, feed(WM_MOUSEMOVE, ptOther));
    EXPECT_NE(0, feed(WM_MOUSEMOVE, ptOther)) << "a repeated move passed while a bar tracks";
    EXPECT_NE(0, feed(WM_NCMOUSEMOVE, ptOther));
    EXPECT_EQ(0, feed(WM_MOUSEMOVE, pt));
    // The moves that pass reach the tracking bar as moves outside it.
    EXPECT_EQ(2, m_pBar->m_nMouseMoves);

    // With real input: no more than the first move at a point (and at most
    // one late motion event of the display) reaches the window under it.
    auto moveAndTake = [](CPoint ptTo) {
        MoveCursorTo(ptTo.x, ptTo.y);
        PumpUntil([] { return HIWORD(::GetQueueStatus(QS_MOUSEMOVE)) == 0; });
    };
    CPoint ptClient = pt;
    m_target.ScreenToClient(&ptClient);
    moveAndTake(ptOther);
    m_target.m_messages.clear();
    for (int i = 0; i < 3; i++)
        moveAndTake(pt);
    const int nAtPoint = (int)std::count_if(m_target.m_messages.begin(), m_target.m_messages.end(), [&](const MSG& msg) {
        return msg.message == WM_MOUSEMOVE && msg.lParam == MAKELPARAM(ptClient.x, ptClient.y);
    });
    EXPECT_GE(2, nAtPoint);
}

TEST_F(HookTest, PressInTheOuterBarOfANestedTrackingClosesOnlyTheUnlockedBars)
{
    m_pBar->SetTrackingMode(1, FALSE, FALSE);
    m_pMouse->LockTrackedPopups(TRUE);
    EXPECT_EQ(1, m_pBar->m_nLockTracking);
    m_pInner->SetTrackingMode(1, FALSE, FALSE);
    ASSERT_EQ(2, m_pMouse->GetTrackedCount());
    EXPECT_TRUE(m_pMouse->IsInputBlocked(m_pBar));
    EXPECT_FALSE(m_pMouse->IsInputBlocked(m_pInner));
    EXPECT_TRUE(m_pMouse->IsInputBlocked(NULL));

    MoveOnto(*m_pBar);
    SendMouseButtons(ScreenCenter(m_pBar), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] { return !m_pInner->IsTrackingMode(); }));
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_EQ(1, m_pMouse->GetTrackedCount());

    m_pMouse->LockTrackedPopups(FALSE);
    EXPECT_EQ(0, m_pBar->m_nLockTracking);
    EXPECT_FALSE(m_pMouse->IsInputBlocked(m_pBar));
    EXPECT_TRUE(m_pMouse->IsInputBlocked(m_pInner));
}

TEST_F(HookTest, AltEndsTrackingUnseenWhileItsAutoRepeatGoesOn)
{
    // A receiver that stays registered when the tracking ends, so the
    // repeated press that follows is still seen by the hook.
    CVZPKeyboardHookManager* pKeyboard = CVZPKeyboardHookManager::GetThreadManager();
    pKeyboard->AddKeyboardReceiver(m_pInner);
    m_pBar->SetTrackingMode(1, FALSE, FALSE);
    // Both presses are queued at once: the second is an auto-repeat.
    INPUT keys[3] = {};
    for (INPUT& key : keys)
    {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_MENU;
    }
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(3u, ::SendInput(3, keys, sizeof(INPUT)));
    ASSERT_TRUE(PumpUntil([&] { return m_target.Count(WM_SYSKEYUP, VK_MENU) + m_target.Count(WM_KEYUP, VK_MENU) > 0; }));
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    ASSERT_EQ(1, m_target.Count(WM_SYSKEYDOWN, VK_MENU));
    for (const MSG& msg : m_target.m_messages)
    {
        if (msg.message == WM_SYSKEYDOWN)
        {
            EXPECT_NE(0, msg.lParam & (1 << 30)) << "the first press reached the window";
        }
    }
    EXPECT_TRUE(m_pInner->m_keys.empty());
    EXPECT_TRUE(m_pBar->m_keys.empty());
    pKeyboard->RemoveKeyboardReceiver(m_pInner);
}

TEST_F(HookTest, KeysGoToTheTrackingBarAndNeverToTheFocusedEdit)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 200, 200, 224), m_pFrame, 102));
    edit.SetFocus();
    m_pBar->SetTrackingMode(1, FALSE, FALSE);
    PressKeys({VK_DOWN});
    PressKeys({'A'});
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->m_keys.size() == 2; }));
    EXPECT_EQ((UINT)VK_DOWN, m_pBar->m_keys[0]);
    EXPECT_EQ((UINT)'A', m_pBar->m_keys[1]);

    // A receiver answering 0 keeps the key from the window as well; one
    // answering 2 lets it through.
    m_pBar->m_nKeyAnswer = 0;
    PressKeys({'B'});
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->m_keys.size() == 3; }));
    m_pBar->m_nKeyAnswer = 2;
    PressKeys({'C'});
    ASSERT_TRUE(PumpUntil([&] { return edit.GetWindowTextLength() > 0; }));
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_STREQ(L"c", (LPCWSTR)strText);

    m_pBar->SetTrackingMode(0, TRUE, FALSE);
    PressKeys({'D'});
    ASSERT_TRUE(PumpUntil([&] { return edit.GetWindowTextLength() == 2; }));
    EXPECT_EQ(4u, m_pBar->m_keys.size());
    edit.DestroyWindow();
}

TEST_F(HookTest, DeactivatingTheApplicationEndsAllTracking)
{
    m_pBar->SetTrackingMode(1, FALSE, FALSE);
    m_pInner->SetTrackingMode(1, FALSE, FALSE);
    m_pFrame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(2, m_pMouse->GetTrackedCount());
    m_pFrame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(0, m_pMouse->GetTrackedCount());
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_FALSE(m_pInner->IsTrackingMode());
    EXPECT_EQ(nullptr, CVZPKeyboardHookManager::GetThreadManager()->GetKeyboardHook());
}

// ---------------------------------------------------------------------------
// Tracked popups without input

// A bar whose mode is off while it is listed (a re-entrant close left it
// so): asking it to end its tracking does nothing.
TEST(MouseHookManager, ClosingEndsEvenWhenAListedBarIsNotTracking)
{
    CVZPMouseHookManager* pMouse = CVZPMouseHookManager::GetThreadManager();
    CHookTestBar* pBar = new CHookTestBar;
    CHookTestBar* pOther = new CHookTestBar;
    pMouse->AddTrackedPopup(pBar);
    pMouse->AddTrackedPopup(pBar);
    pOther->SetTrackingMode(1, FALSE, FALSE);
    EXPECT_EQ(2, pMouse->GetTrackedCount());
    pMouse->CloseTrackedPopups();
    EXPECT_EQ(0, pMouse->GetTrackedCount());
    EXPECT_FALSE(pOther->IsTrackingMode());

    // The same for the bars a nested tracking leaves unlocked.
    pOther->SetTrackingMode(1, FALSE, FALSE);
    pMouse->LockTrackedPopups(TRUE);
    pMouse->AddTrackedPopup(pBar);
    pMouse->CloseUnlockedPopups();
    ASSERT_EQ(1, pMouse->GetTrackedCount());
    EXPECT_EQ(pOther, pMouse->GetTrackedAt(0));
    pMouse->LockTrackedPopups(FALSE);
    pMouse->CloseTrackedPopups();
    pBar->InternalRelease();
    pOther->InternalRelease();
}

TEST(MouseHookManager, TheFirstTrackedBarClearsAnotherBarsHotControl)
{
    CVZPMouseHookManager* pMouse = CVZPMouseHookManager::GetThreadManager();
    CHookTestBar* pHot = new CHookTestBar;
    CHookTestBar* pBar = new CHookTestBar;
    pHot->m_nHotControl = 0;
    pMouse->m_pHotBar = pHot;
    pMouse->AddTrackedPopup(pHot);   // the hot bar itself keeps it
    EXPECT_EQ(0, pHot->m_nHotControl);
    pMouse->CloseTrackedPopups();
    pMouse->AddTrackedPopup(pBar);
    EXPECT_EQ(-1, pHot->m_nHotControl);
    pMouse->CloseTrackedPopups();
    pMouse->m_pHotBar = NULL;
    EXPECT_EQ(0, pMouse->m_nDragCount);
    EXPECT_EQ(0, pMouse->m_nLockCount);
    EXPECT_FALSE(pMouse->IsInputBlocked(NULL));
    pHot->InternalRelease();
    pBar->InternalRelease();
}

// ---------------------------------------------------------------------------
// Mouse leave

TEST_F(HookTest, MouseLeaveIsPostedOnceTheCursorHasLeftAndStopsWithItsWindow)
{
    MoveOnto(m_target);
    m_pMouse->TrackMouseLeave(m_target.m_hWnd);
    EXPECT_EQ(m_target.m_hWnd, m_pMouse->GetMouseLeaveWindow());
    // While the cursor stays, the timer polls without posting.
    PumpUntil([&] { return m_target.Count(WM_MOUSELEAVE) > 0; }, 300);
    EXPECT_EQ(0, m_target.Count(WM_MOUSELEAVE));

    MoveOnto(m_trusted);
    ASSERT_TRUE(PumpUntil([&] { return m_target.Count(WM_MOUSELEAVE) > 0; }));
    EXPECT_EQ(nullptr, m_pMouse->GetMouseLeaveWindow());
    EXPECT_FALSE(::KillTimer(m_target.m_hWnd, 113341));

    // Watching another window tells the one watched before at once.
    m_pMouse->TrackMouseLeave(m_trusted.m_hWnd);
    m_pMouse->TrackMouseLeave(m_target.m_hWnd);
    EXPECT_EQ(1, m_trusted.Count(WM_MOUSELEAVE));

    // A watched window that goes is forgotten.
    CRecorderWnd gone;
    ASSERT_TRUE(gone.CreateChild(m_pFrame, CRect(230, 10, 260, 40), 103));
    m_pMouse->TrackMouseLeave(gone.m_hWnd);
    EXPECT_EQ(2, m_target.Count(WM_MOUSELEAVE));
    gone.DestroyWindow();
    EXPECT_EQ(nullptr, m_pMouse->GetMouseLeaveWindow());
    m_pMouse->TrackMouseLeave(m_target.m_hWnd);
    EXPECT_EQ(m_target.m_hWnd, m_pMouse->GetMouseLeaveWindow());
    m_pMouse->TrackMouseLeave(NULL);
}

// ---------------------------------------------------------------------------
// Window subclassing

LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_APP)
        return (LRESULT)wParam + 1000;
    if (nMessage == WM_NCDESTROY)
        ::SetPropW(::GetParent(hWnd), L"ncdestroy", (HANDLE)1);
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreatePlainWindow(HWND hParent)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &PlainWndProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"VZHookTestPlain";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, L"VZHookTestPlain", NULL, WS_CHILD, 0, 0, 10, 10, hParent, NULL, wc.hInstance, NULL);
}

// A receiver with a fixed answer that counts what it is asked and may
// change wParam.
class CTestReceiver : public CVZPHookReceiver
{
public:
    explicit CTestReceiver(int nAnswer, std::vector<int>* pOrder, int nId)
        : m_nAnswer(nAnswer), m_pOrder(pOrder), m_nId(nId)
    {
    }
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override
    {
        (void)hWnd;
        (void)lParam;
        if (nMessage != WM_APP)
            return 0;
        m_pOrder->push_back(m_nId);
        if (m_nAnswer == 1)
            lResult = 7;
        wParam += 1;
        return m_nAnswer;
    }
    int m_nAnswer;
    std::vector<int>* m_pOrder;
    int m_nId;
};

TEST(WindowHookManager, ReceiversAreAskedNewestFirstAndDecideTheMessage)
{
    CVZPWindowHookManager* pManager = CVZPWindowHookManager::GetInstance();
    HWND hParent = ::CreateWindowExW(0, L"STATIC", NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND hWnd = CreatePlainWindow(hParent);
    ASSERT_NE(nullptr, hWnd);
    const int nBefore = pManager->GetCount();

    struct Case
    {
        int nNewest, nOlder;
        std::vector<int> order;   // receivers asked, newest (2) first
        LRESULT lResult;          // 1000 + wParam as the window got it, or 7
    } cases[] = {
        {0, 0, {2, 1}, 1002},   // both change wParam on the way
        {1, 0, {2}, 7},
        {2, 1, {2}, 1001},
        {0, 1, {2, 1}, 7},
        {0, 2, {2, 1}, 1002},
    };
    for (const Case& c : cases)
    {
        std::vector<int> order;
        CTestReceiver older(c.nOlder, &order, 1);
        CTestReceiver newest(c.nNewest, &order, 2);
        pManager->SetHook(hWnd, &older);
        pManager->SetHook(hWnd, &newest);
        pManager->SetHook(hWnd, &newest);
        EXPECT_EQ(nBefore + 1, pManager->GetCount());
        EXPECT_EQ(c.lResult, ::SendMessageW(hWnd, WM_APP, 0, 0)) << c.nNewest << " " << c.nOlder;
        EXPECT_EQ(c.order, order) << c.nNewest << " " << c.nOlder;
        pManager->RemoveHook(hWnd, &newest);
        EXPECT_NE(nullptr, pManager->Lookup(hWnd));
        pManager->RemoveReceiver(&older);
        EXPECT_EQ(nullptr, pManager->Lookup(hWnd));
        EXPECT_EQ((LONG_PTR)&PlainWndProc, ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    }

    // A hooked window destroyed without unregistering: its own procedure
    // sees its last message and no record stays behind.
    std::vector<int> order;
    CTestReceiver receiver(0, &order, 1);
    pManager->SetHook(hWnd, &receiver);
    ::DestroyWindow(hWnd);
    EXPECT_EQ((HANDLE)1, ::GetPropW(hParent, L"ncdestroy"));
    EXPECT_EQ(nullptr, pManager->Lookup(hWnd));
    EXPECT_EQ(nBefore, pManager->GetCount());
    ::RemovePropW(hParent, L"ncdestroy");
    ::DestroyWindow(hParent);
}

// A framework window whose WM_SETTEXT handler first sends a message to a
// hooked window and then lets the default procedure set its own text.
class CDefaultAfterSendWnd : public CWnd
{
public:
    HWND m_hWndHooked = NULL;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
        {
            ::SendMessageW(m_hWndHooked, WM_APP, 5, 0);
            return Default();
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(WindowHookManager, DefaultReplaysTheOuterMessageAfterAHookedWindowRan)
{
    CDefaultAfterSendWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"before", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    wnd.m_hWndHooked = CreatePlainWindow(wnd.m_hWnd);
    std::vector<int> order;
    CTestReceiver receiver(0, &order, 1);
    CVZPWindowHookManager::GetInstance()->SetHook(wnd.m_hWndHooked, &receiver);
    wnd.SetWindowText(L"after");
    CString strText;
    wnd.GetWindowText(strText);
    EXPECT_STREQ(L"after", (LPCWSTR)strText);
    EXPECT_EQ(std::vector<int>{1}, order);
    CVZPWindowHookManager::GetInstance()->RemoveReceiver(&receiver);
    wnd.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Threads

// The keyboard manager of a framework worker thread installs its hooks for
// that thread and removes them when the thread's objects end.
UINT AFX_CDECL KeyboardWorker(LPVOID pParam)
{
    BOOL* pResults = (BOOL*)pParam;
    CVZPKeyboardHookManager* pManager = CVZPKeyboardHookManager::GetThreadManager();
    std::vector<int> order;
    CTestReceiver receiver(0, &order, 1);
    pManager->AddKeyboardReceiver(&receiver);
    const HHOOK hKeyboard = pManager->GetKeyboardHook();
    const HHOOK hCallWndProc = pManager->GetCallWndProcHook();
    pResults[0] = hKeyboard != NULL && hCallWndProc != NULL;
    // What the framework's thread end runs: the hooks go with the manager
    // (a second removal fails).
    AfxTermThreadLocals();
    pResults[1] = CVZPKeyboardHookManager::FindThreadManager() == NULL && !::UnhookWindowsHookEx(hKeyboard) &&
                  !::UnhookWindowsHookEx(hCallWndProc);
    return 0;
}

TEST(KeyboardHookManager, AWorkerThreadsManagerRemovesItsHooksWhenTheThreadEnds)
{
    BOOL results[2] = {FALSE, FALSE};
    CWinThread* pThread = AfxBeginThread(&KeyboardWorker, results, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 10000));
    delete pThread;
    EXPECT_TRUE(results[0]);
    EXPECT_TRUE(results[1]);
    EXPECT_NE(CVZPKeyboardHookManager::GetThreadManager(), nullptr);
}

}  // namespace
