// The caption bar, its close and text-style buttons, and the popup that
// shows a pane under a push pin.
#include <gtest/gtest.h>

#include "CVZCaption.h"
#include "CVZCaptionButtonTheme.h"
#include "CVZCaptionPopupWnd.h"
#include "CVZCaptionTheme.h"
#include "CVZHyperLink.h"
#include "CVZPGlobalUIData.h"
#include "CVZThemeManager.h"
#include "FoundationTestSupport.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"
#include "VZCaptionMessages.h"

#include <vector>

using tesmir::test::CCapture;
using tesmir::test::PaintNow;
using tesmir::test::PumpUntil;
using vzfoundation_test::ScreenshotPath;

namespace caption_test {

// A visible popup that records the commands and caption messages it gets.
class CCaptionHost : public CFrameWnd
{
public:
    CCaptionHost()
    {
        VERIFY(CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_3DFACE + 1)),
                        L"caption test", WS_POPUP | WS_VISIBLE, CRect(80, 80, 480, 380), NULL, 0));
        ::SetForegroundWindow(m_hWnd);
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(std::make_pair(wParam, (HWND)lParam));
        if (message == VZWM_CAPTION_PINNED || message == VZWM_CAPTION_POPUP_CLOSED)
            m_captionMessages.push_back(message);
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    std::vector<std::pair<WPARAM, HWND>> m_commands;
    std::vector<UINT> m_captionMessages;
};

}  // namespace caption_test

using namespace caption_test;

TEST(Caption, WindowlessCaptionAndLinkLeaveNothingBehind)
{
    GetGlobalUIData();   // its fonts live for the process
    const AFX_GDI_COUNTS before = AfxGetGdiCounts();
    {
        CVZCaption caption;
        CVZHyperLink link;
        EXPECT_EQ(caption.GetButtonRect(), CRect(0, 0, 0, 0));
    }
    const AFX_GDI_COUNTS after = AfxGetGdiCounts();
    EXPECT_EQ(after.nObjects, before.nObjects);
    EXPECT_EQ(after.nDCs, before.nDCs);
    // A new shared caption theme tells every linked host: none may be left.
    CVZThemeManagerStyleFactory* pFactory =
        GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CVZCaptionThemeFactory));
    ASSERT_NE(pFactory, nullptr);
    pFactory->SetTheme(pFactory->CreateTheme(0));
}

TEST(Caption, CloseButtonSitsRightAndForwardsItsClick)
{
    CCaptionHost host;
    CVZCaption caption;
    ASSERT_TRUE(caption.Create(&host, L"Pane", VZCS_CLOSE, WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 31), 321));
    CRect rcClient;
    caption.GetClientRect(&rcClient);
    const int y = (rcClient.Height() - 15) / 2;
    const CRect rcExpected(rcClient.Width() - 18, y, rcClient.Width() - 2, y + 15);
    EXPECT_EQ(caption.GetButtonRect(), rcExpected);
    CRect rcButton;
    caption.GetCaptionButton().GetWindowRect(&rcButton);
    caption.ScreenToClient(&rcButton);
    EXPECT_EQ(rcButton, rcExpected);
    ASSERT_NE(caption.GetCaptionButton().GetIcon(), nullptr);

    PaintNow(&host);
    CCapture capture(&caption);
    capture.Canvas().SaveBmp(ScreenshotPath(L"caption-close.bmp"));

    caption.GetCaptionButton().SendMessage(BM_CLICK);
    ASSERT_TRUE(PumpUntil([&] { return !host.m_commands.empty(); }, 2000));
    EXPECT_EQ(host.m_commands.back().first, MAKEWPARAM(321, 0));
    EXPECT_EQ(host.m_commands.back().second, caption.m_hWnd);
}

TEST(Caption, TextRectangleKeepsRoomForTheIcon)
{
    CCaptionHost host;
    CVZCaption caption;
    ASSERT_TRUE(caption.Create(&host, L"A rather long caption text for a narrow bar", 0, WS_CHILD | WS_VISIBLE,
                               CRect(10, 10, 110, 31), 1));
    EXPECT_EQ(caption.GetTextRect().right, 100);
    caption.ModifyCaption(0, NULL, NULL, ::LoadIcon(NULL, IDI_APPLICATION));
    EXPECT_EQ(caption.GetTextRect().right, 100 - 18);
    caption.ModifyCaption(0, NULL, L"x", NULL);
    TEXTMETRICW tm;
    {
        CClientDC dc(&caption);
        CFont* pOld = dc.SelectObject(caption.GetFont());
        dc.GetTextMetrics(&tm);
        const int cx = dc.GetTextExtent(L"x").cx;
        dc.SelectObject(pOld);
        EXPECT_EQ(caption.GetTextRect().right, cx + tm.tmAveCharWidth + 12);
    }
}

TEST(Caption, TextStylePopupShowsPinsAndCloses)
{
    CCaptionHost host;
    CWnd panel;
    ASSERT_TRUE(panel.Create(NULL, L"panel", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(10, 40, 210, 240), &host,
                             2));
    CEdit pane;
    ASSERT_TRUE(pane.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 30, 200, 200), &panel, 3));
    CEdit outside;
    ASSERT_TRUE(outside.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(250, 40, 350, 60), &host, 4));
    CVZCaption caption;
    ASSERT_TRUE(caption.Create(&host, L"Folders", 0, WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 31), 5));
    EXPECT_TRUE(caption.IsTextButton());
    caption.SetChildWindow(&pane, &host);
    EXPECT_TRUE(caption.GetCaptionButton().IsWindowVisible());

    ASSERT_TRUE(caption.ShowPopup());
    CVZCaptionPopupWnd* pPopup = caption.GetPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pane.GetParent()->GetSafeHwnd(), pPopup->m_hWnd);
    EXPECT_TRUE(caption.GetCaptionButton().SendMessage(BM_GETSTATE) & BST_PUSHED);
    EXPECT_TRUE(caption.ShowPopup());
    EXPECT_EQ(caption.GetPopup(), pPopup);
    PaintNow(pPopup);
    {
        CCapture capture(pPopup, TRUE);
        capture.Canvas().SaveBmp(ScreenshotPath(L"caption-popup.bmp"));
    }

    // The pin: the popup goes while its pin's click is still on the stack.
    pPopup->GetPinButton().SendMessage(BM_CLICK);
    ASSERT_TRUE(PumpUntil([&] { return caption.GetPopup() == nullptr; }, 3000));
    ASSERT_EQ(host.m_captionMessages, std::vector<UINT>{ VZWM_CAPTION_PINNED });
    EXPECT_EQ(pane.GetParent()->GetSafeHwnd(), panel.m_hWnd);
    CRect rcPane;
    pane.GetWindowRect(&rcPane);
    panel.ScreenToClient(&rcPane);
    EXPECT_EQ(rcPane.top, 30);
    EXPECT_FALSE(caption.GetCaptionButton().IsWindowVisible());

    // The focus leaving the popup closes it.
    ASSERT_TRUE(caption.ShowPopup());
    pane.SetFocus();
    PumpUntil([] { return false; }, 100);
    EXPECT_NE(caption.GetPopup(), nullptr);   // the pane itself keeps it open
    outside.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return caption.GetPopup() == nullptr; }, 3000));
    EXPECT_EQ(host.m_captionMessages.back(), VZWM_CAPTION_POPUP_CLOSED);
    EXPECT_EQ(pane.GetParent()->GetSafeHwnd(), panel.m_hWnd);
}

TEST(Caption, PopupNeedsWindowsForCaptionAndChild)
{
    CCaptionHost host;
    CVZCaption windowless;
    CEdit pane;
    ASSERT_TRUE(pane.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &host, 3));
    CVZCaptionPopupWnd popup;
    EXPECT_FALSE(popup.Create(CRect(0, 0, 100, 100), &windowless, &pane));
    EXPECT_FALSE(popup.Create(CRect(0, 0, 100, 100), NULL, &pane));
    EXPECT_EQ(popup.m_hWnd, (HWND)NULL);
    EXPECT_EQ(::FindWindowW(L"VZCaptionPopupWnd", NULL), (HWND)NULL);
}

TEST(Caption, CaptionGradientReadsInsideTheBitmap)
{
    CCaptionHost host;
    CVZCaption caption;
    ASSERT_TRUE(caption.Create(&host, L"Gradient", 0, WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 31), 5));
    ASSERT_EQ(caption.m_nBorderSize, 0);
    CRect rc;
    caption.GetWindowRect(&rc);   // the button reaches the caption's bottom
    CVZCaptionButtonThemeGradient theme;
    theme.RefreshMetrics();
    CVZPGradientColor gradient;
    ASSERT_TRUE(theme.GetCaptionGradient(rc, &caption, gradient));
    EXPECT_NE(gradient.GetStartColor(), CLR_INVALID);
    EXPECT_NE(gradient.GetEndColor(), CLR_INVALID);
    CVZCaption windowless;
    EXPECT_FALSE(theme.GetCaptionGradient(rc, &windowless, gradient));
}
