// The library's own tip windows (kinds 2 to 4) driven through the service
// on real windows: the delay and the quick switch, placement below the
// cursor, clicks, callback text, the mouse hook's life, the look, and the
// rich-text tip's size.
#include "CVZPRichToolTipWnd.h"
#include "CVZPToolTipWnd.h"
#include "CVZPColorManager.h"
#include "FoundationTestSupport.h"
#include "TooltipTestSupport.h"

#include <memory>
#include <stdlib.h>

using namespace vzfoundation_test;
using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

namespace {

class ToolTipWnd : public TooltipFixture
{
protected:
    static CVZPToolTipWnd* Tip(const CVZPTooltipService& service)
    {
        return static_cast<CVZPToolTipWnd*>(service.GetTipWindow());
    }
    static bool Shows(const CVZPTooltipService& service, UINT_PTR uId)
    {
        CVZPToolTipWnd* pTip = Tip(service);
        return pTip != NULL && pTip->IsWindowVisible() && pTip->GetShownTool().uId == uId;
    }
    // Waits until the tool's tip shows (at most 1.5 s).
    static bool WaitUntilShown(const CVZPTooltipService& service, UINT_PTR uId)
    {
        return PumpUntil([&] { return Shows(service, uId); }, 1500);
    }
    // The whole tip window as the screen shows it, kept as a screenshot.
    static void Capture(CVZPToolTipWnd* pTip, CDibCanvas& canvas, const wchar_t* pszName)
    {
        pTip->UpdateWindow();
        tesmir::test::CaptureWindow(pTip->m_hWnd, canvas, true);
        canvas.SaveBmp(ScreenshotPath(pszName));
    }
};

// Each channel within nTolerance.
bool NearColor(COLORREF a, COLORREF b, int nTolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

const wchar_t kLongText[] =
    L"A long tip text that has to wrap: it names every step of the recovery, the image, the partition, "
    L"the scan, the file system, the folders and the files, and it goes on with the settings, the filters, "
    L"the snapshots and the saving of the marked entries to a folder of the user's choice, so that no line "
    L"of the screen's width can hold it and the rich edit breaks it into several lines of text.";

}  // namespace

TEST_F(ToolTipWnd, TipShowsAfterTheDelayBelowTheCursor)
{
    for (int nKind : {CVZPTooltipService::tipLibrary, CVZPTooltipService::tipColorScheme})
    {
        CVZPTooltipService service;
        service.SetTipKind(nKind);
        MoveTo(service, Centre(0));
        const DWORD dwStart = ::GetTickCount();
        CVZPToolTipWnd* pTip = Tip(service);
        ASSERT_NE(nullptr, pTip);
        EXPECT_FALSE(pTip->IsWindowVisible());
        ASSERT_TRUE(PumpUntil([&] { return pTip->IsWindowVisible(); }, 3000)) << "kind " << nKind;
        const DWORD dwElapsed = ::GetTickCount() - dwStart;
        EXPECT_GE(dwElapsed, 400u) << "kind " << nKind;
        EXPECT_LE(dwElapsed, 1500u) << "kind " << nKind;
        EXPECT_EQ(1u, pTip->GetShownTool().uId);
        EXPECT_EQ(pTip, CVZPToolTipWnd::GetMouseHookUser());

        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        CRect rc;
        pTip->GetWindowRect(&rc);
        EXPECT_EQ(ptCursor.x, rc.left);
        EXPECT_EQ(ptCursor.y + 21, rc.top);

        // Framed in black; kind 2 filled in the tip colour, kind 4 (no colour
        // scheme here) from the tip colour at the top to white at the bottom.
        CDibCanvas canvas(rc.Width(), rc.Height());
        Capture(pTip, canvas, nKind == CVZPTooltipService::tipLibrary ? L"tip-library.bmp" : L"tip-scheme.bmp");
        const COLORREF clrBack = service.GetTipBackColor();
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(rc.Width() - 1, rc.Height() - 1));
        const bool bGradient = nKind == CVZPTooltipService::tipColorScheme;
        EXPECT_TRUE(NearColor(clrBack, canvas.Pixel(1, 1), bGradient ? 8 : 0)) << std::hex << canvas.Pixel(1, 1);
        const COLORREF clrBottom = canvas.Pixel(1, rc.Height() - 2);
        EXPECT_TRUE(NearColor(bGradient ? RGB(255, 255, 255) : clrBack, clrBottom, bGradient ? 8 : 0))
            << std::hex << clrBottom;
    }
}

TEST_F(ToolTipWnd, SecondToolWithinTheQuickSwitchShowsAtOnce)
{
    CVZPTooltipService service;
    service.SetTipKind(CVZPTooltipService::tipLibrary);
    // The second tool reaches the cursor within 200 ms of the first tip's
    // show because the owner moves under the cursor: a moved cursor may be
    // put back at its previous place by the system for a while, which a
    // quick move cannot wait out. A slow round is tried again.
    const int nShift = Centre(1).x - Centre(0).x;
    bool bChecked = false;
    for (int nRound = 0; nRound < 3 && !bChecked; ++nRound)
    {
        // Off every tool, then onto the first one: placing the cursor there
        // takes longer than the quick switch, so the first tip waits for the
        // delay.
        MoveTo(service, CPoint(300, 200));
        MoveTo(service, Centre(0));
        ASSERT_TRUE(WaitUntilShown(service, 1));
        const DWORD dwShown = ::GetTickCount();
        m_owner.SetWindowPos(NULL, -nShift, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        service.FilterMouseMessage(&m_owner, WM_MOUSEMOVE, 0, MAKELPARAM(Centre(1).x, Centre(1).y));
        const bool bQuick = ::GetTickCount() - dwShown < 150;
        if (bQuick)
        {
            EXPECT_TRUE(Shows(service, 2));
            bChecked = true;
        }
        m_owner.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EXPECT_TRUE(bChecked) << "no move reached the tip within 150 ms";
}

TEST_F(ToolTipWnd, ClickHidesTheTipUntilAnotherTool)
{
    CVZPTooltipService service;
    service.SetTipKind(CVZPTooltipService::tipLibrary);
    MoveTo(service, Centre(0));
    ASSERT_TRUE(WaitUntilShown(service, 1));
    MoveTo(service, Centre(0), WM_LBUTTONDOWN);
    EXPECT_FALSE(Tip(service)->IsWindowVisible());
    MoveTo(service, Centre(0), WM_LBUTTONUP);
    MoveTo(service, Centre(0) + CPoint(3, 3));
    EXPECT_FALSE(PumpUntil([&] { return Tip(service)->IsWindowVisible(); }, 1000));
    MoveTo(service, Centre(1));
    EXPECT_TRUE(WaitUntilShown(service, 2));

    // A click relayed to an active tip window: the tool stays hidden while
    // the cursor stays on it.
    CVZPToolTipWnd* pTip = Tip(service);
    MSG msg = {};
    msg.hwnd = m_owner.m_hWnd;
    msg.message = WM_LBUTTONDOWN;
    ::GetCursorPos(&msg.pt);
    pTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
    EXPECT_FALSE(pTip->IsWindowVisible());
    msg.message = WM_MOUSEMOVE;
    pTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
    EXPECT_FALSE(PumpUntil([&] { return pTip->IsWindowVisible(); }, 1000));
}

TEST_F(ToolTipWnd, CallbackTextComesFromTheOwner)
{
    m_owner.m_tools[0].pszText = LPSTR_TEXTCALLBACK;
    m_frame.m_strCallbackText = L"Call&back";
    const struct
    {
        DWORD dwRemove;
        const wchar_t* pszShown;
    } cases[] = {{0, L"Call&back"}, {TTS_NOPREFIX, L"Callback"}};
    for (const auto& c : cases)
    {
        m_frame.m_requests.clear();
        CVZPTooltipService service;
        service.SetTipKind(CVZPTooltipService::tipLibrary);
        service.ModifyToolTipStyle(c.dwRemove, 0);
        MoveTo(service, Centre(0));
        ASSERT_TRUE(WaitUntilShown(service, 1));
        EXPECT_STREQ(c.pszShown, (LPCTSTR)Tip(service)->GetShownTool().strText);
        ASSERT_FALSE(m_frame.m_requests.empty());
        EXPECT_EQ(Tip(service)->m_hWnd, m_frame.m_requests.back().hwndFrom);
        EXPECT_EQ(1u, m_frame.m_requests.back().idFrom);
    }
}

// A tip window deleted while it shows a tool takes the mouse hook with it;
// the next mouse events must not reach the deleted window.
TEST_F(ToolTipWnd, DeletedTipWindowLeavesNoHook)
{
    enum Way { serviceDestroyed, styleChanged, parentOwnerChanged };
    for (Way way : {serviceDestroyed, styleChanged, parentOwnerChanged})
    {
        std::unique_ptr<CVZPTooltipService> pService(new CVZPTooltipService);
        pService->SetTipKind(CVZPTooltipService::tipLibrary);
        MoveTo(*pService, Centre(0));
        ASSERT_TRUE(WaitUntilShown(*pService, 1));
        CVZPToolTipWnd* pShowing = Tip(*pService);
        ASSERT_EQ(pShowing, CVZPToolTipWnd::GetMouseHookUser());
        const HWND hShowing = pShowing->m_hWnd;
        switch (way)
        {
        case serviceDestroyed:
            pService.reset();
            break;
        case styleChanged:
            pService->ModifyToolTipStyle(0, TTS_NOANIMATE);
            break;
        case parentOwnerChanged:
            // The new top-level window is the active one, so the move goes
            // on to replace the tip window.
            m_owner.SetParent(&m_other);
            Activate(false);
            MoveTo(*pService, Centre(0));
            break;
        }
        EXPECT_FALSE(::IsWindow(hShowing)) << way;
        EXPECT_EQ(nullptr, CVZPToolTipWnd::GetMouseHookUser()) << way;
        ::SetCursorPos(50, 50);
        PumpUntil([] { return false; }, 300);
        ::SetCursorPos(300, 300);
        PumpUntil([] { return false; }, 300);
        if (way == parentOwnerChanged)
        {
            m_owner.SetParent(&m_frame);
            Activate(true);
        }
    }
}

TEST_F(ToolTipWnd, RichTextTipIsSizedToItsText)
{
    CVZPTooltipService service;
    service.SetTipKind(CVZPTooltipService::tipRichText);
    MoveTo(service, CPoint(300, 200));   // makes the tip window, off every tool
    CVZPRichToolTipWnd* pTip = static_cast<CVZPRichToolTipWnd*>(service.GetTipWindow());
    ASSERT_NE(nullptr, pTip);

    auto sizeOf = [&](const wchar_t* pszText) {
        CVZPTipTool tool;
        tool.hwnd = m_owner.m_hWnd;
        tool.uId = 7;
        tool.strText = pszText;
        return pTip->CalcTipSize(tool);
    };
    const CSize rtf = sizeOf(L"{\\rtf1 Short tip}");
    const CSize plain = sizeOf(L"Short tip");
    const CSize centred = sizeOf(L"{\\rtf1\\qc Short tip}");
    const CSize longText = sizeOf(kLongText);
    EXPECT_GT(rtf.cx, 0);
    EXPECT_GT(rtf.cy, 0);
    EXPECT_GT(plain.cx, 0);
    EXPECT_GT(plain.cy, 0);
    // RTF is read as RTF: its control words take no room.
    EXPECT_NEAR(plain.cx, rtf.cx, 4);
    EXPECT_NEAR(rtf.cx + 5, centred.cx, 6);
    EXPECT_LT(plain.cx, longText.cx);
    EXPECT_GT(longText.cy, plain.cy);   // wrapped
    const int nWidest = 2 * service.GetMaxTipWidth() + 2 + 4 + 5;
    for (const CSize& size : {rtf, plain, centred, longText})
        EXPECT_LE(size.cx, nWidest);
    EXPECT_EQ(CSize(0, 0), sizeOf(L""));

    // Shown: the rich edit draws the text on the tip's background.
    m_owner.m_tools[0].pszText = L"{\\rtf1 Rich {\\b bold} tip}";
    MoveTo(service, Centre(0));
    ASSERT_TRUE(WaitUntilShown(service, 1));
    CRect rc;
    pTip->GetWindowRect(&rc);
    CDibCanvas canvas(rc.Width(), rc.Height());
    Capture(pTip, canvas, L"tip-rich.bmp");
    const COLORREF clrBack = service.GetTipBackColor();
    EXPECT_EQ(clrBack, canvas.Pixel(1, 1));
    const CRect rcInside(1, 1, rc.Width() - 1, rc.Height() - 1);
    EXPECT_LT(canvas.Count(rcInside, clrBack), rcInside.Width() * rcInside.Height()) << "no text drawn";
}
