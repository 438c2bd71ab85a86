// SwitchView keeps exactly one frame child with AFX_IDW_PANE_FIRST, the
// requested view, visible: also after a click on a control inside a step
// has made another view the frame's active view.
#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "TestSupport.h"

using tesmir::test::PlaceCursorByInput;
using tesmir::test::PumpUntil;
using tesmir::test::SendMouseButtons;

namespace {

// A view nested in a step with a button, as the step panels sit in their
// steps: a click on the button makes it the frame's active view.
class CNestedPanel : public CView
{
protected:
    void OnDraw(CDC*) override {}
};

// The frame's children with AFX_IDW_PANE_FIRST, and how many of the views
// are visible.
std::vector<HWND> FirstPaneChildren(CWnd* pFrame)
{
    std::vector<HWND> found;
    for (HWND child = ::GetWindow(pFrame->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetDlgCtrlID(child) == AFX_IDW_PANE_FIRST)
            found.push_back(child);
    return found;
}

void ExpectOnlyViewShown(int index)
{
    CMainFrame* pFrame = App().GetMainFrame();
    const std::vector<HWND> first = FirstPaneChildren(pFrame);
    ASSERT_EQ(1u, first.size()) << "view " << index;
    EXPECT_EQ(App().m_pViews[index]->m_hWnd, first[0]) << "view " << index;
    for (int other = 0; other < WizardViewCount; ++other)
        EXPECT_EQ(other == index, App().m_pViews[other]->IsWindowVisible() != FALSE)
            << "view " << other << " while " << index << " is shown";
    EXPECT_EQ(index, App().CurrentViewIndex());
    CRect client, view;
    pFrame->GetClientRect(&client);
    App().m_pViews[index]->GetWindowRect(&view);
    EXPECT_EQ(client.Width(), view.Width()) << "view " << index;
}

class SwitchView : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        App().SwitchView(WizardStartPage);
    }
    void TearDown() override { App().SwitchView(WizardStartPage); }
};

TEST_F(SwitchView, TableOfSwitchesShowsExactlyTheRequestedView)
{
    const int pairs[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 3}, {3, 2}, {2, 4}, {4, 2},
                            {2, 1}, {1, 0}, {0, 4}, {4, 0}, {0, 0}, {3, 3}, {1, 4}, {4, 1}};
    for (const auto& pair : pairs) {
        App().SwitchView(pair[0]);
        CView* before = App().m_pViews[pair[0]];
        EXPECT_EQ(before, App().SwitchView(pair[1])) << pair[0] << " -> " << pair[1];
        ExpectOnlyViewShown(pair[1]);
        EXPECT_EQ(App().m_pViews[pair[1]], App().GetMainFrame()->GetActiveView());
    }
}

TEST_F(SwitchView, SwitchToTheCurrentViewChangesNothing)
{
    App().SwitchView(WizardScanStep);
    EXPECT_EQ(App().m_pViews[WizardScanStep], App().SwitchView(WizardScanStep));
    ExpectOnlyViewShown(WizardScanStep);
}

// A real click on a button in a panel nested in the drive step makes the
// panel the frame's active view; the next switches still swap with the
// step that is shown.
TEST_F(SwitchView, ClickOnANestedControlDoesNotSteerTheNextSwitch)
{
    CMainFrame* pFrame = App().GetMainFrame();
    CView* pDrive = App().m_pViews[WizardDriveStep];
    App().SwitchView(WizardDriveStep);
    CNestedPanel* pPanel = new CNestedPanel;
    ASSERT_TRUE(pPanel->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(20, 20, 320, 220), pDrive, 0xE901 + 40));
    // Above the step's own splitter, which covers its client area.
    pPanel->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CButton button;
    ASSERT_TRUE(button.Create(L"Next", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(40, 40, 160, 80), pPanel, 1001));
    pFrame->SetForegroundWindow();
    pFrame->UpdateWindow();

    CRect rc;
    button.GetWindowRect(&rc);
    ASSERT_TRUE(PlaceCursorByInput(rc.CenterPoint().x, rc.CenterPoint().y));
    SendMouseButtons(rc.CenterPoint(), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] { return pFrame->GetActiveView() == pPanel; }, 10000))
        << "the click did not activate the nested panel";

    for (int index : {WizardScanStep, WizardDriveStep, WizardRecoveryStep, WizardStartPage}) {
        App().SwitchView(index);
        ExpectOnlyViewShown(index);
        EXPECT_EQ(0xE901 + 40, pPanel->GetDlgCtrlID());
    }
    pPanel->DestroyWindow();
}

}  // namespace
