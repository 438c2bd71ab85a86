// Popup shadows and menu sounds on the application-like frame with the
// white type-4 test theme: the strips' alpha bitmap, the shadow windows'
// rectangles, styles and regions (never their pixels: the test display has
// no compositing, so layered windows show unblended), how they follow their
// popup, and the requests the sound player takes.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPColorManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControls.h"
#include "CVZPPopupBar.h"
#include "CVZPShadowManager.h"
#include "CVZPSoundManager.h"
#include "CVZPToolBar.h"

#include <TestSupport.h>

#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::PumpUntil;

namespace {

// The shadows the manager lists for the owner, oldest first.
std::vector<CVZPShadowWnd*> ShadowsOf(CVZPCommandBar* pOwner)
{
    std::vector<CVZPShadowWnd*> shadows;
    CPtrList& list = VZPGetShadowManager()->GetShadows();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CVZPShadowWnd* pShadow = static_cast<CVZPShadowWnd*>(list.GetNext(pos));
        if (pShadow->m_pOwner == pOwner)
            shadows.push_back(pShadow);
    }
    return shadows;
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// Whether the window's region holds the screen point; a window without
// region holds its whole rectangle.
bool RegionHolds(CWnd* pWnd, CPoint ptScreen)
{
    const CRect rc = WindowRect(pWnd);
    if (!rc.PtInRect(ptScreen))
        return false;
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    const int nKind = ::GetWindowRgn(pWnd->GetSafeHwnd(), hRegion);
    const bool bHolds = nKind == ERROR || ::PtInRegion(hRegion, ptScreen.x - rc.left, ptScreen.y - rc.top);
    ::DeleteObject(hRegion);
    return bHolds;
}

bool HasRegion(CWnd* pWnd)
{
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    const int nKind = ::GetWindowRgn(pWnd->GetSafeHwnd(), hRegion);
    ::DeleteObject(hRegion);
    return nKind != ERROR;
}

// Pixels of a strip bitmap, (x, y) counted from the top.
struct StripBits
{
    int cx;
    int cy;
    std::vector<DWORD> bits;
    DWORD At(int x, int y) const { return bits[(size_t)(cy - 1 - y) * cx + x]; }
};

// The strip's pixels inside a guarded buffer: the words on either side must
// stay as they were.
StripBits MakeStrip(int cx, int cy, BOOL bBottom, COLORREF clr, BOOL bThemeShadow)
{
    const DWORD kGuard = 0xA5A5A5A5;
    std::vector<DWORD> buffer((size_t)cx * cy + 2, kGuard);
    CVZPShadowWnd::FillShadowBits(buffer.data() + 1, cx, cy, bBottom, clr, bThemeShadow);
    EXPECT_EQ(kGuard, buffer.front());
    EXPECT_EQ(kGuard, buffer.back());
    return {cx, cy, std::vector<DWORD>(buffer.begin() + 1, buffer.end() - 1)};
}

DWORD Corner(int w, int m, COLORREF clr)
{
    return ((DWORD)(3 * m * w) << 24) + ((DWORD)(GetRValue(clr) * w / 20) << 16) +
           ((DWORD)(GetGValue(clr) * w / 20) << 8) + (DWORD)(GetBValue(clr) * w / 20);
}

DWORD Body(int k, int m, COLORREF clr)
{
    return ((DWORD)(15 * m * k) << 24) + ((DWORD)(GetRValue(clr) * k / 4) << 16) +
           ((DWORD)(GetGValue(clr) * k / 4) << 8) + (DWORD)(GetBValue(clr) * k / 4);
}

// The right strip of height h: the top four rows fade in, 16 corner pixels;
// below them 4 * (h - 4) body pixels, darkest in the column at the owner.
// The bottom strip fades in over its first four columns and out over its
// last four. Non-flat themes double the alpha.
TEST(ShadowBitmap, CornersFadeAndTheBodyDarkensTowardsTheOwner)
{
    const COLORREF clr = RGB(22, 30, 54);
    for (BOOL bThemeShadow : {TRUE, FALSE})
    {
        SCOPED_TRACE(bThemeShadow ? "flat theme" : "other theme");
        const int m = bThemeShadow ? 1 : 2;
        const int h = 30;
        const StripBits right = MakeStrip(4, h, FALSE, clr, bThemeShadow);
        int nCorner = 0;
        int nBody = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < 4; x++)
            {
                const int n = x + 1;
                if (y < 4)
                {
                    EXPECT_EQ(Corner((5 - n) * (y + 1), m, clr), right.At(x, y)) << x << "," << y;
                    nCorner++;
                }
                else
                {
                    EXPECT_EQ(Body(5 - n, m, clr), right.At(x, y)) << x << "," << y;
                    nBody++;
                }
            }
        EXPECT_EQ(16, nCorner);
        EXPECT_EQ(4 * (h - 4), nBody);
        // Alpha falls from the owner outwards.
        for (int x = 1; x < 4; x++)
            EXPECT_GT(right.At(x - 1, h / 2) >> 24, right.At(x, h / 2) >> 24);

        const int w = 40;
        const StripBits bottom = MakeStrip(w, 4, TRUE, clr, bThemeShadow);
        for (int y = 0; y < 4; y++)
        {
            const int r = y + 1;
            for (int x = 0; x < 4; x++)
            {
                EXPECT_EQ(Corner((x + 1) * (5 - r), m, clr), bottom.At(x, y)) << x << "," << y;
                EXPECT_EQ(Corner((x + 1) * (5 - r), m, clr), bottom.At(w - 1 - x, y)) << x << "," << y;
            }
            for (int x = 4; x < w - 4; x++)
                EXPECT_EQ(Body(5 - r, m, clr), bottom.At(x, y)) << x << "," << y;
        }
    }
}

// Strips shorter than both fading ends get what fits of each end and write
// nothing outside the bitmap.
TEST(ShadowBitmap, ShortStripsStayInsideTheBitmap)
{
    const COLORREF clr = RGB(0, 0, 0);
    const StripBits bottom = MakeStrip(5, 4, TRUE, clr, TRUE);
    for (int y = 0; y < 4; y++)
    {
        const int r = y + 1;
        EXPECT_EQ(Corner(1 * (5 - r), 1, clr), bottom.At(0, y));
        EXPECT_EQ(Corner(2 * (5 - r), 1, clr), bottom.At(1, y));
        EXPECT_EQ(Corner(3 * (5 - r), 1, clr), bottom.At(2, y));
        EXPECT_EQ(Corner(2 * (5 - r), 1, clr), bottom.At(3, y));
        EXPECT_EQ(Corner(1 * (5 - r), 1, clr), bottom.At(4, y));
    }
    const StripBits right = MakeStrip(4, 3, FALSE, clr, TRUE);
    for (int y = 0; y < 3; y++)
        EXPECT_EQ(Corner(4 * (y + 1), 1, clr), right.At(0, y));
    MakeStrip(1, 1, TRUE, clr, TRUE);
    MakeStrip(1, 1, FALSE, clr, FALSE);
}

class ShadowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetColorManager()->SetColorScheme(4);
        GetColorManager()->RefreshColors();
        CVZPCommandBarPaintManager::SetCustomTheme(new CWhiteTestTheme);
        m_pFrame = new CAppLikeFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pFrame->RecalcLayout();
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay = FALSE;
        ASSERT_TRUE(BringToFront(m_pFrame));
    }
    void TearDown() override
    {
        CVZPCommandBars::ClosePopups();
        for (CVZPPopupBar* pPopup : m_popups)
        {
            if (pPopup->IsTrackingMode())
                pPopup->SetTrackingMode(0, TRUE, FALSE);
            pPopup->InternalRelease();
        }
        DestroyFrame(m_pFrame);
        CVZPCommandBarPaintManager::SetTheme(0);
        EXPECT_EQ(0, (int)VZPGetShadowManager()->GetShadows().GetCount());
    }

    // A context menu of three commands shown at the point.
    CVZPPopupBar* ShowContextMenu(int x, int y)
    {
        CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
        m_popups.push_back(pPopup);
        for (UINT nId : {4201u, 4202u, 4203u})
            pPopup->GetControls()->Add(vzpControlButton, nId)->SetCaption(L"Command");
        EXPECT_TRUE(pPopup->ShowPopupAt(x, y));
        return pPopup;
    }

    CAppLikeFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pCommandBars = NULL;
    std::vector<CVZPPopupBar*> m_popups;
};

// A context menu gets a layered strip below (also covering the corner) and
// one at its right; they let clicks through, hide and show with the popup
// and go when it closes.
TEST_F(ShadowTest, AContextMenuCastsTwoStripsThatFollowIt)
{
    ASSERT_TRUE(VZPGetShadowManager()->IsAlphaShadow());
    CVZPPopupBar* pPopup = ShowContextMenu(300, 200);
    const CRect rc = WindowRect(pPopup);
    const std::vector<CVZPShadowWnd*> shadows = ShadowsOf(pPopup);
    ASSERT_EQ(2u, shadows.size());
    EXPECT_TRUE(shadows[0]->m_bBottom);
    EXPECT_EQ(CRect(rc.left + 4, rc.bottom, rc.right + 4, rc.bottom + 4), WindowRect(shadows[0]));
    EXPECT_FALSE(shadows[1]->m_bBottom);
    EXPECT_EQ(CRect(rc.right, rc.top + 4, rc.right + 4, rc.bottom), WindowRect(shadows[1]));
    std::vector<HWND> windows;
    for (CVZPShadowWnd* pShadow : shadows)
    {
        windows.push_back(pShadow->GetSafeHwnd());
        EXPECT_TRUE(pShadow->m_bThemeShadow);
        const DWORD dwExStyle = pShadow->GetExStyle();
        EXPECT_EQ((DWORD)(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
                  dwExStyle & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
        EXPECT_TRUE(pShadow->IsWindowVisible());
        EXPECT_FALSE(HasRegion(pShadow));   // nothing of the popup lies under them
        const CRect rcShadow = WindowRect(pShadow);
        EXPECT_EQ(HTTRANSPARENT, (int)pShadow->SendMessage(WM_NCHITTEST, 0,
                                                           MAKELPARAM(rcShadow.left + 1, rcShadow.top + 1)));
    }

    pPopup->ShowWindow(SW_HIDE);
    for (CVZPShadowWnd* pShadow : shadows)
        EXPECT_FALSE(pShadow->IsWindowVisible());
    pPopup->ShowWindow(SW_SHOWNA);
    for (CVZPShadowWnd* pShadow : shadows)
        EXPECT_TRUE(pShadow->IsWindowVisible());

    pPopup->SetTrackingMode(0, TRUE, FALSE);
    EXPECT_EQ(nullptr, pPopup->GetSafeHwnd());
    EXPECT_TRUE(ShadowsOf(pPopup).empty());
    for (HWND hWnd : windows)
        EXPECT_FALSE(::IsWindow(hWnd));
}

// A menu-bar title's drop-down: two strips for the popup and two for the
// open title, owned by the popup; the title's strip below is cut where the
// popup covers it. Closing the drop-down takes all four.
TEST_F(ShadowTest, AMenuBarDropDownAlsoShadowsItsTitle)
{
    CVZPCommandBar* pMenuBar = m_pFrame->m_pMenuBar;
    ASSERT_TRUE(pMenuBar->SetPopupedControl(0));
    CVZPControl* pTitle = pMenuBar->GetControl(0);
    CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pTitle->GetCommandBar());
    ASSERT_NE(nullptr, pPopup);
    ASSERT_NE(nullptr, pPopup->GetSafeHwnd());
    const CRect rcPopup = WindowRect(pPopup);
    CRect rcTitle = pTitle->GetRect();
    pMenuBar->ClientToScreen(&rcTitle);

    const std::vector<CVZPShadowWnd*> shadows = ShadowsOf(pPopup);
    ASSERT_EQ(4u, shadows.size());
    EXPECT_EQ(CRect(rcPopup.left + 4, rcPopup.bottom, rcPopup.right + 4, rcPopup.bottom + 4), WindowRect(shadows[0]));
    EXPECT_EQ(CRect(rcPopup.right, rcPopup.top + 4, rcPopup.right + 4, rcPopup.bottom), WindowRect(shadows[1]));
    const CRect rcTitleBottom(rcTitle.left + 4, rcTitle.bottom, rcTitle.right + 4, rcTitle.bottom + 4);
    EXPECT_EQ(rcTitleBottom, WindowRect(shadows[2]));
    EXPECT_EQ(CRect(rcTitle.right, rcTitle.top + 4, rcTitle.right + 4, rcTitle.bottom), WindowRect(shadows[3]));
    // The popup opens against the title: where it lies under the title's
    // strips they are cut away, and the rest shows.
    const CRect rcTitleRight = WindowRect(shadows[3]);
    ASSERT_TRUE(rcPopup.PtInRect(CPoint(rcTitleRight.left, rcTitleRight.bottom - 1)));
    EXPECT_FALSE(RegionHolds(shadows[3], CPoint(rcTitleRight.left, rcTitleRight.bottom - 1)));
    EXPECT_TRUE(RegionHolds(shadows[3], rcTitleRight.TopLeft()));
    CRect rcCovered;
    ASSERT_TRUE(rcCovered.IntersectRect(rcTitleBottom, rcPopup));
    EXPECT_FALSE(RegionHolds(shadows[2], rcCovered.TopLeft()));
    // The popup's own strips lie outside it.
    EXPECT_FALSE(HasRegion(shadows[0]));
    EXPECT_FALSE(HasRegion(shadows[1]));

    std::vector<HWND> windows;
    for (CVZPShadowWnd* pShadow : shadows)
        windows.push_back(pShadow->GetSafeHwnd());
    pMenuBar->SetTrackingMode(0, TRUE, FALSE);
    EXPECT_TRUE(ShadowsOf(pPopup).empty());
    for (HWND hWnd : windows)
        EXPECT_FALSE(::IsWindow(hWnd));
}

// A second popup's strip that runs into a popup already shadowed is cut
// where it meets that popup's window; the first popup's strips keep no cut.
TEST_F(ShadowTest, AShadowIsCutWhereItMeetsAnotherShadowedPopup)
{
    CVZPPopupBar* pParent = ShowContextMenu(300, 200);
    CVZPPopupBar* pChild = ShowContextMenu(700, 500);
    const CRect rcParent = WindowRect(pParent);
    ASSERT_TRUE(!CRect().IntersectRect(rcParent, WindowRect(pChild)));
    // An owner rectangle whose bottom strip crosses the parent's middle.
    const CRect rcOwner(rcParent.left - 100, rcParent.top - 40, rcParent.left + 40, rcParent.top + 20);
    CVZPShadowWnd* pShadow = VZPGetShadowManager()->CreateShadow(TRUE, rcOwner, CRect(0, 0, 0, 0), pChild);
    ASSERT_NE(nullptr, pShadow);
    const CRect rcStrip = WindowRect(pShadow);
    EXPECT_EQ(CRect(rcOwner.left + 4, rcOwner.bottom, rcOwner.right + 4, rcOwner.bottom + 4), rcStrip);
    EXPECT_TRUE(RegionHolds(pShadow, CPoint(rcStrip.left, rcStrip.top)));
    EXPECT_FALSE(RegionHolds(pShadow, CPoint(rcParent.left, rcStrip.top)));
    EXPECT_FALSE(RegionHolds(pShadow, CPoint(rcStrip.right - 1, rcStrip.bottom - 1)));
    for (CVZPShadowWnd* pParentShadow : ShadowsOf(pParent))
        EXPECT_FALSE(HasRegion(pParentShadow));
    EXPECT_EQ(3u, ShadowsOf(pChild).size());
}

// The classic theme casts shadows only with the system's drop-shadow
// setting on, and never under the title that opened a popup.
TEST_F(ShadowTest, TheClassicThemeFollowsTheSystemSetting)
{
    CVZPCommandBarPaintManager::SetTheme(0);
    BOOL bSaved = FALSE;
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bSaved, 0);

    ASSERT_TRUE(::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, (PVOID)FALSE, 0));
    CVZPPopupBar* pPopup = ShowContextMenu(300, 200);
    EXPECT_TRUE(ShadowsOf(pPopup).empty());
    pPopup->SetTrackingMode(0, TRUE, FALSE);

    BOOL bOn = FALSE;
    if (::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, (PVOID)TRUE, 0) &&
        ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bOn, 0) && bOn)
    {
        pPopup = ShowContextMenu(300, 200);
        const std::vector<CVZPShadowWnd*> shadows = ShadowsOf(pPopup);
        ASSERT_EQ(2u, shadows.size());
        EXPECT_FALSE(shadows[0]->m_bThemeShadow);
        pPopup->SetTrackingMode(0, TRUE, FALSE);

        CVZPCommandBar* pMenuBar = m_pFrame->m_pMenuBar;
        ASSERT_TRUE(pMenuBar->SetPopupedControl(0));
        EXPECT_EQ(2u, ShadowsOf(pMenuBar->GetControl(0)->GetCommandBar()).size());
        pMenuBar->SetTrackingMode(0, TRUE, FALSE);
    }
    ::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, (PVOID)(INT_PTR)bSaved, 0);
}

// A theme with its popup shadows switched off makes none.
TEST_F(ShadowTest, NoShadowWhileTheThemeHasThemOff)
{
    VZPPaintManager()->SetPopupShadows(FALSE);
    CVZPPopupBar* pPopup = ShowContextMenu(300, 200);
    EXPECT_TRUE(ShadowsOf(pPopup).empty());
    VZPPaintManager()->SetPopupShadows(TRUE);
}

// ---------------------------------------------------------------------------
// Sounds

// Waits until the player has taken the expected number of requests of the
// kind, then a little longer, and answers the count.
LONG SettledCount(int nSound, LONG nExpected)
{
    CVZPSoundManager* pSounds = VZPGetSoundManager();
    PumpUntil([&] { return pSounds->GetPlayedCount(nSound) >= nExpected; }, 3000);
    PumpUntil([] { return false; }, 100);
    return pSounds->GetPlayedCount(nSound);
}

// One "MenuPopup" per drop-down and one "MenuCommand" per execution reach
// the player thread.
TEST_F(ShadowTest, DropDownsAndCommandsEachAskForOneSound)
{
    CVZPSoundManager* pSounds = VZPGetSoundManager();
    CVZPCommandBar* pMenuBar = m_pFrame->m_pMenuBar;
    for (int nIndex : {0, 1})
    {
        const LONG nPopups = pSounds->GetPlayedCount(CVZPSoundManager::soundMenuPopup);
        const LONG nCommands = pSounds->GetPlayedCount(CVZPSoundManager::soundMenuCommand);
        ASSERT_TRUE(pMenuBar->SetPopupedControl(nIndex));
        EXPECT_EQ(nPopups + 1, SettledCount(CVZPSoundManager::soundMenuPopup, nPopups + 1));
        pMenuBar->SetTrackingMode(0, TRUE, FALSE);
        EXPECT_EQ(nCommands, pSounds->GetPlayedCount(CVZPSoundManager::soundMenuCommand));
    }
    const LONG nCommands = pSounds->GetPlayedCount(CVZPSoundManager::soundMenuCommand);
    m_pFrame->m_pStandardBar->GetControl(0)->OnExecute();
    EXPECT_EQ(nCommands + 1, SettledCount(CVZPSoundManager::soundMenuCommand, nCommands + 1));
}

// Stopping ends the player within its wait; the next request starts a new
// one; stopping without a player does nothing.
TEST(SoundManager, StoppingEndsThePlayerAndARequestStartsANewOne)
{
    CVZPSoundManager* pSounds = VZPGetSoundManager();
    pSounds->StopSoundThread();
    EXPECT_EQ(nullptr, pSounds->GetThreadHandle());
    pSounds->StopSoundThread();
    EXPECT_EQ(nullptr, pSounds->GetThreadHandle());

    const LONG nPopups = pSounds->GetPlayedCount(CVZPSoundManager::soundMenuPopup);
    pSounds->RequestSound(CVZPSoundManager::soundMenuPopup);
    HANDLE hFirst = NULL;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), pSounds->GetThreadHandle(), ::GetCurrentProcess(), &hFirst,
                                  SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, 0));
    EXPECT_EQ(nPopups + 1, SettledCount(CVZPSoundManager::soundMenuPopup, nPopups + 1));
    pSounds->StopSoundThread();
    EXPECT_EQ(nullptr, pSounds->GetThreadHandle());
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hFirst, 0));

    const LONG nCommands = pSounds->GetPlayedCount(CVZPSoundManager::soundMenuCommand);
    pSounds->RequestSound(CVZPSoundManager::soundMenuCommand);
    ASSERT_NE(nullptr, pSounds->GetThreadHandle());
    EXPECT_NE(::GetThreadId(hFirst), ::GetThreadId(pSounds->GetThreadHandle()));
    EXPECT_EQ(nCommands + 1, SettledCount(CVZPSoundManager::soundMenuCommand, nCommands + 1));
    ::CloseHandle(hFirst);

    // Off, requests start nothing.
    pSounds->StopSoundThread();
    pSounds->m_bEnabled = FALSE;
    pSounds->RequestSound(CVZPSoundManager::soundMenuPopup);
    EXPECT_EQ(nullptr, pSounds->GetThreadHandle());
    pSounds->m_bEnabled = TRUE;
}

}  // namespace
