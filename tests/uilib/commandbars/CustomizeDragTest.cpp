// The customise drag with real input on a frame that handles Customize: a
// button moved or copied between toolbars, Ctrl switching the cursor during
// the drag, a drop over no bar, Esc, a copy-only drag, a button dropped on
// itself, and the Alt-drag outside customise mode.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlButton.h"
#include "CVZPControls.h"
#include "CVZPCustomizeDragTracker.h"
#include "CVZPToolBar.h"

#include <TestSupport.h>

#include <functional>
#include <memory>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::PumpUntil;

namespace {

// The controls' style that shows their caption only.
const int kCaptionOnly = 1;

// Steps run one after another from a thread timer, so that they also run
// inside the drag's own message loop; a step answers true when done.
class CDragScript
{
public:
    using Step = std::function<bool()>;

    explicit CDragScript(std::vector<Step> steps) : m_steps(std::move(steps)), m_dwStart(::GetTickCount())
    {
        s_pActive = this;
        m_nTimer = ::SetTimer(NULL, 0, 30, &TimerProc);
    }
    ~CDragScript()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        s_pActive = NULL;
    }
    CDragScript(const CDragScript&) = delete;
    CDragScript& operator=(const CDragScript&) = delete;

    bool Finished() const { return m_nNext >= m_steps.size(); }
    size_t Reached() const { return m_nNext; }

    // Moves the pointer there (from wherever it is) and waits until it is.
    static Step MoveTo(std::function<CPoint()> point)
    {
        return [point] {
            const CPoint pt = point();
            CPoint now;
            ::GetCursorPos(&now);
            if (now == pt)
                return true;
            tesmir::test::MoveCursorTo(pt.x, pt.y);
            return false;
        };
    }
    static Step Key(WORD vk, bool bUp)
    {
        return [vk, bUp] {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
            ::SendInput(1, &input, sizeof(INPUT));
            return true;
        };
    }
    static Step Release(std::function<CPoint()> point)
    {
        return [point] {
            tesmir::test::SendMouseButtons(point(), {MOUSEEVENTF_LEFTUP});
            return true;
        };
    }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CDragScript* pScript = s_pActive;
        if (pScript == NULL || pScript->m_bBusy)
            return;
        pScript->m_bBusy = true;
        if (::GetTickCount() - pScript->m_dwStart > 15000)
        {
            // Give up: let go of everything so the drag ends.
            ::ReleaseCapture();
            pScript->Stop();
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

    static CDragScript* s_pActive;
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    DWORD m_dwStart;
    UINT_PTR m_nTimer = 0;
    bool m_bBusy = false;
};

CDragScript* CDragScript::s_pActive = NULL;

class CustomizeDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CCustomizeFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pFrame->MoveWindow(40, 40, 500, 360);
        m_pBars = m_pFrame->GetCommandBars();
        m_pOne = m_pBars->AddToolBar(L"One", vzpBarTop);
        m_pTwo = m_pBars->AddToolBar(L"Two", vzpBarBottom);
        ASSERT_TRUE(m_pOne != NULL && m_pTwo != NULL);
        const wchar_t* captions[] = {L"Alpha", L"Beta", L"Gamma"};
        for (int i = 0; i < 3; i++)
            m_pOne->GetControls()->AddControl(new CVZPControlButton, 1000 + i)->SetCaption(captions[i]);
        m_pTwo->GetControls()->AddControl(new CVZPControlButton, 2001)->SetCaption(L"Delta");
        m_pTwo->GetControls()->AddControl(new CVZPControlButton, 2002)->SetCaption(L"Epsilon");
        for (int i = 0; i < 3; i++)
            m_pOne->GetControl(i)->SetStyle(kCaptionOnly);
        for (int i = 0; i < 2; i++)
            m_pTwo->GetControl(i)->SetStyle(kCaptionOnly);
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(BringToFront(m_pFrame));
        m_pBars->SetCustomizeMode(TRUE);
        PumpUntil([] { return false; }, 100);
    }
    void TearDown() override
    {
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
        if (m_pBars != NULL)
            m_pBars->SetCustomizeMode(FALSE);
        DestroyFrame(m_pFrame);
    }

    static std::vector<UINT> Ids(CVZPToolBar* pBar)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < pBar->GetControlCount(); i++)
            if (!pBar->GetControl(i)->IsTemporary())
                ids.push_back((UINT)pBar->GetControl(i)->GetID());
        return ids;
    }
    // Screen point of a control's rectangle at a fraction of its width.
    static CPoint On(CVZPCommandBar* pBar, int nIndex, int nPercent = 50)
    {
        CRect rc = pBar->GetControl(nIndex)->GetRect();
        CPoint pt(rc.left + rc.Width() * nPercent / 100, rc.CenterPoint().y);
        pBar->ClientToScreen(&pt);
        return pt;
    }
    // A point of the frame's client area that no bar covers.
    CPoint Empty() const
    {
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        CPoint pt = rc.CenterPoint();
        m_pFrame->ClientToScreen(&pt);
        return pt;
    }
    std::function<bool()> WaitCursor(std::function<HCURSOR()> cursor)
    {
        return [cursor] { return ::GetCursor() == cursor(); };
    }
    // Presses at the point and runs the script until it has finished.
    bool PressAndRun(CPoint ptPress, CDragScript& script)
    {
        tesmir::test::SendMouseButtons(ptPress, {MOUSEEVENTF_LEFTDOWN});
        const bool bDone = PumpUntil([&] { return script.Finished(); }, 20000);
        PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) >= 0 && ::GetCapture() == NULL; });
        PumpUntil([] { return false; }, 50);
        return bDone;
    }

    CCustomizeFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pBars = NULL;
    CVZPToolBar* m_pOne = NULL;
    CVZPToolBar* m_pTwo = NULL;
};

}  // namespace

TEST_F(CustomizeDragTest, AButtonMovesOrIsCopiedAndCtrlSwitchesTheCursorAtOnce)
{
    CVZPCustomizeDragTracker* pTracker = m_pBars->GetDropSource();
    ASSERT_NE(nullptr, pTracker->GetMoveCursor());
    ASSERT_NE(nullptr, pTracker->GetCopyCursor());
    ASSERT_NE(nullptr, pTracker->GetNoDropCursor());
    EXPECT_TRUE(pTracker->IsRegistered(m_pOne));
    EXPECT_TRUE(pTracker->IsRegistered(m_pTwo));
    auto moveCursor = [pTracker] { return pTracker->GetMoveCursor(); };
    auto copyCursor = [pTracker] { return pTracker->GetCopyCursor(); };
    auto noDropCursor = [pTracker] { return pTracker->GetNoDropCursor(); };
    CVZPToolBar* pTwo = m_pTwo;

    // Move Beta to bar Two; over no bar on the way, then Ctrl down and up
    // over the target.
    const CPoint ptBeta = On(m_pOne, 1);
    const CPoint ptTarget = On(m_pTwo, 1, 75);
    {
        CDragScript script({CDragScript::MoveTo([=] { return Empty(); }), WaitCursor(noDropCursor),
                            CDragScript::MoveTo([=] { return ptTarget; }),
                            [=] { return pTracker->GetCurrentTarget() == pTwo; }, WaitCursor(moveCursor),
                            CDragScript::Key(VK_CONTROL, false), WaitCursor(copyCursor),
                            [=] { return !pTracker->IsMoving(); }, CDragScript::Key(VK_CONTROL, true),
                            WaitCursor(moveCursor), CDragScript::Release([=] { return ptTarget; })});
        EXPECT_TRUE(PressAndRun(ptBeta, script)) << script.Reached();
    }
    EXPECT_EQ((std::vector<UINT>{1000, 1002}), Ids(m_pOne));
    EXPECT_EQ((std::vector<UINT>{2001, 2002, 1001}), Ids(m_pTwo));

    // With Ctrl held at the release Alpha is copied.
    const CPoint ptAlpha = On(m_pOne, 0);
    const CPoint ptTarget2 = On(m_pTwo, 0, 25);
    {
        CDragScript script({CDragScript::MoveTo([=] { return ptTarget2; }),
                            [=] { return pTracker->GetCurrentTarget() == pTwo; }, CDragScript::Key(VK_CONTROL, false),
                            WaitCursor(copyCursor),
                            CDragScript::Release([=] { return ptTarget2; }), CDragScript::Key(VK_CONTROL, true)});
        EXPECT_TRUE(PressAndRun(ptAlpha, script)) << script.Reached();
    }
    EXPECT_EQ((std::vector<UINT>{1000, 1002}), Ids(m_pOne));
    EXPECT_EQ((std::vector<UINT>{1000, 2001, 2002, 1001}), Ids(m_pTwo));
}

TEST_F(CustomizeDragTest, OverNoBarTheButtonGoesAndEscChangesNothing)
{
    CVZPCustomizeDragTracker* pTracker = m_pBars->GetDropSource();
    CVZPToolBar* pTwo = m_pTwo;
    // Esc over bar Two: the drag ends cancelled and both bars stay.
    const CPoint ptGamma = On(m_pOne, 2);
    const CPoint ptTarget = On(m_pTwo, 0);
    {
        CDragScript script({CDragScript::MoveTo([=] { return ptTarget; }),
                            [=] { return pTracker->GetCurrentTarget() == pTwo; }, CDragScript::Key(VK_ESCAPE, false),
                            CDragScript::Key(VK_ESCAPE, true), [] { return ::GetCapture() == NULL; },
                            CDragScript::Release([=] { return ptTarget; })});
        EXPECT_TRUE(PressAndRun(ptGamma, script)) << script.Reached();
    }
    EXPECT_EQ((std::vector<UINT>{1000, 1001, 1002}), Ids(m_pOne));
    EXPECT_EQ((std::vector<UINT>{2001, 2002}), Ids(m_pTwo));

    // Released over no bar after moving: Gamma is gone. (Pressed elsewhere
    // on it: a second press at one point would be a double click.)
    const CPoint ptGamma2 = On(m_pOne, 2, 30);
    {
        CDragScript script({CDragScript::MoveTo([=] { return Empty(); }),
                            [=] { return ::GetCursor() == pTracker->GetNoDropCursor(); },
                            CDragScript::Release([=] { return Empty(); })});
        EXPECT_TRUE(PressAndRun(ptGamma2, script)) << script.Reached();
    }
    EXPECT_EQ((std::vector<UINT>{1000, 1001}), Ids(m_pOne));
    EXPECT_EQ((std::vector<UINT>{2001, 2002}), Ids(m_pTwo));
}

TEST_F(CustomizeDragTest, ACopyOnlyDragShowsTheCopyCursorAndInsertsACopy)
{
    CVZPCustomizeDragTracker* pTracker = m_pBars->GetDropSource();
    CVZPToolBar* pTwo = m_pTwo;
    // A control of no bar, as the Customize sheet's command list offers.
    CVZPControls* pList = new CVZPControls;
    CVZPControl* pSource = pList->AddControl(new CVZPControlButton, 3000);
    pSource->SetCaption(L"Listed");
    pSource->SetStyle(kCaptionOnly);
    const CPoint ptTarget = On(m_pTwo, 1, 75);
    tesmir::test::SendMouseButtons(Empty(), {MOUSEEVENTF_LEFTDOWN});
    ASSERT_TRUE(PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; }));
    DROPEFFECT effect = 0;
    {
        CDragScript script({CDragScript::MoveTo([=] { return ptTarget; }),
                            [=] { return pTracker->GetCurrentTarget() == pTwo; },
                            [=] { return pTracker->IsMoving() && ::GetCursor() == pTracker->GetCopyCursor(); },
                            CDragScript::Release([=] { return ptTarget; })});
        effect = pTracker->StartDrag(pSource, TRUE);
        EXPECT_TRUE(script.Finished()) << script.Reached();
    }
    EXPECT_NE(5u, effect);
    EXPECT_EQ((std::vector<UINT>{2001, 2002, 3000}), Ids(m_pTwo));
    EXPECT_NE(pSource, m_pTwo->GetControl(2));
    pList->InternalRelease();
}

TEST_F(CustomizeDragTest, AButtonDroppedOnItselfTakesOrLosesItsGroupMark)
{
    CVZPControl* pBeta = m_pOne->GetControl(1);
    ASSERT_FALSE(pBeta->GetBeginGroup());
    const struct
    {
        int nFrom;   // per cent of Beta's width
        int nTo;
        BOOL bGroup;
    } cases[] = {
        {25, 80, TRUE},
        {80, 25, FALSE},
    };
    for (const auto& c : cases)
    {
        const CPoint ptFrom = On(m_pOne, 1, c.nFrom);
        const CPoint ptTo = On(m_pOne, 1, c.nTo);
        ASSERT_GT(abs(ptTo.x - ptFrom.x), 4);
        CDragScript script({CDragScript::MoveTo([=] { return ptTo; }), CDragScript::Release([=] { return ptTo; })});
        EXPECT_TRUE(PressAndRun(ptFrom, script)) << script.Reached();
        EXPECT_EQ((std::vector<UINT>{1000, 1001, 1002}), Ids(m_pOne));
        EXPECT_EQ(c.bGroup, m_pOne->GetControl(1)->GetBeginGroup()) << c.nTo;
    }
}

TEST_F(CustomizeDragTest, OutsideCustomizeModeAltDragMovesOnlyWhenAllowed)
{
    m_pBars->SetCustomizeMode(FALSE);
    CVZPCommandBarsOptions* pOptions = m_pBars->GetCommandBarsOptions();
    const CPoint ptTarget = On(m_pTwo, 1, 75);
    // Alt held from the press to the release; Shift pressed while Alt is down
    // keeps the Alt release from becoming the menu key.
    auto altDrag = [&](CPoint ptFrom) {
        CDragScript script({CDragScript::MoveTo([=] { return ptTarget; }),
                            CDragScript::Release([=] { return ptTarget; })});
        CDragScript::Key(VK_MENU, false)();
        PumpUntil([] { return ::GetAsyncKeyState(VK_MENU) < 0; });
        const bool bDone = PressAndRun(ptFrom, script);
        CDragScript::Key(VK_SHIFT, false)();
        CDragScript::Key(VK_SHIFT, true)();
        CDragScript::Key(VK_MENU, true)();
        PumpUntil([] { return ::GetAsyncKeyState(VK_MENU) >= 0; });
        PumpUntil([] { return false; }, 100);
        return bDone;
    };

    pOptions->bAltDragCustomization = FALSE;
    const int nCommands = m_pFrame->m_nCommands;
    EXPECT_TRUE(altDrag(On(m_pOne, 0)));
    EXPECT_EQ((std::vector<UINT>{1000, 1001, 1002}), Ids(m_pOne));
    EXPECT_EQ((std::vector<UINT>{2001, 2002}), Ids(m_pTwo));
    // The press was an ordinary click, released elsewhere: nothing ran.
    EXPECT_EQ(nCommands, m_pFrame->m_nCommands);

    pOptions->bAltDragCustomization = TRUE;
    EXPECT_TRUE(altDrag(On(m_pOne, 0, 30)));
    EXPECT_EQ((std::vector<UINT>{1001, 1002}), Ids(m_pOne));
    EXPECT_EQ((std::vector<UINT>{2001, 2002, 1000}), Ids(m_pTwo));
    EXPECT_FALSE(m_pBars->IsCustomizeMode());
}
