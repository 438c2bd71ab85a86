// The frame host: control notifications routed through the command chain,
// keys of command-bar edits, Alt and the keyboard cues, the themed edit's
// font and frame, the rebar's toolbar bands and the saved window placement.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPAcceleratorManager.h"
#include "CVZPColorManager.h"
#include "CommandBarsTestRes.h"
#include "CVZPCommandBars.h"
#include "CVZPCustomizeDragTracker.h"
#include "CVZPEdit.h"
#include "CVZPReBar.h"
#include "CVZPThemedEdit.h"
#include "CVZPThemedStatic.h"
#include "CVZPToolBar.h"
#include "CVZWindowPlacement.h"
#include "VZPColorIndex.h"

#include <TestSupport.h>
#include <afxpriv.h>

using namespace vzcommandbars_test;
using tesmir::test::PumpUntil;

namespace {

// ---------------------------------------------------------------------------
// Control notifications

// The frame's default window procedure, replaced by a spy that counts what
// reaches it.
WNDPROC g_pfnFrameSuper = NULL;
int g_nSpyNotifies = 0;

LRESULT CALLBACK SpyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VZP_CONTROLNOTIFY)
        g_nSpyNotifies++;
    return ::CallWindowProcW(g_pfnFrameSuper, hWnd, message, wParam, lParam);
}

TEST(FrameHost, ControlNotificationGoesOnlyThroughTheCommandChain)
{
    CCustomizeFrame* pFrame = new CCustomizeFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    WNDPROC* ppfnSuper = pFrame->GetSuperWndProcAddr();
    g_pfnFrameSuper = *ppfnSuper;
    *ppfnSuper = SpyProc;
    g_nSpyNotifies = 0;

    VZPCONTROLNOTIFY notify = {{NULL, 2000, VZPN_EXECUTE}, NULL};
    EXPECT_EQ(77, pFrame->SendMessage(WM_VZP_CONTROLNOTIFY, 2000, (LPARAM)&notify));
    EXPECT_EQ(1, pFrame->m_nNotifications);

    notify.hdr.idFrom = 2001;   // no ON_NOTIFY entry
    EXPECT_EQ(0, pFrame->SendMessage(WM_VZP_CONTROLNOTIFY, 2001, (LPARAM)&notify));
    EXPECT_EQ(1, pFrame->m_nNotifications);
    EXPECT_EQ(0, g_nSpyNotifies);

    *ppfnSuper = g_pfnFrameSuper;
    DestroyFrame(pFrame);
}

// ---------------------------------------------------------------------------
// Shortcuts and resources

TEST(FrameHost, LoadFrameLeavesShortcutsToAManagerWithATable)
{
    for (BOOL bManagerTable : {FALSE, TRUE})
    {
        SCOPED_TRACE(bManagerTable);
        CTestFrame* pFrame = new CTestFrame;
        pFrame->m_nAccelResource = bManagerTable ? IDR_TEST_MENU : 0;
        ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_MENU, WS_OVERLAPPEDWINDOW));
        CVZPAcceleratorManager* pAccelerators = pFrame->GetCommandBars()->GetAcceleratorManager();
        EXPECT_EQ(bManagerTable, pAccelerators->HasResourceTable());
        EXPECT_EQ(bManagerTable, pFrame->m_hAccelTable == NULL);
        DestroyFrame(pFrame);
    }
    CVZPAcceleratorManager* pAccelerators = new CVZPAcceleratorManager(NULL);
    EXPECT_FALSE(pAccelerators->LoadAcceleratorResource(4321));
    EXPECT_FALSE(pAccelerators->HasResourceTable());
    pAccelerators->InternalRelease();
}

TEST(FrameHost, ToolbarsLoadTheirResources)
{
    CVZPToolBar* pBar = (CVZPToolBar*)RUNTIME_CLASS(CVZPToolBar)->CreateObject();
    EXPECT_TRUE(pBar->LoadToolBar(IDR_TEST_TOOLBAR, FALSE));
    EXPECT_FALSE(pBar->LoadToolBar(4321, FALSE));
    pBar->InternalRelease();
}

// ---------------------------------------------------------------------------
// Keys

class FrameKeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        ACCEL accels[] = {{FVIRTKEY, 'A', 1000}, {FVIRTKEY, VK_ESCAPE, 1001}};
        m_pFrame->m_hAccelTable = ::CreateAcceleratorTableW(accels, 2);
        m_pFrame->SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == m_pFrame->m_hWnd; }));
    }
    void TearDown() override
    {
        if (m_pFrame->m_hAccelTable != NULL)
            ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
        m_pFrame->m_hAccelTable = NULL;
        DestroyFrame(m_pFrame);
    }

    MSG KeyMessage(UINT message, UINT nKey, LPARAM lParam = 1)
    {
        MSG msg = {};
        msg.hwnd = ::GetFocus() != NULL ? ::GetFocus() : m_pFrame->m_hWnd;
        msg.message = message;
        msg.wParam = nKey;
        msg.lParam = lParam;
        return msg;
    }

    CTestFrame* m_pFrame = NULL;
};

TEST_F(FrameKeysTest, CommandBarEditGetsLettersButNotEsc)
{
    MSG msg = KeyMessage(WM_KEYDOWN, 'A');
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));   // the frame's shortcut
    EXPECT_EQ(1000u, m_pFrame->m_nLastCommand);

    CVZPEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), m_pFrame, 3000));
    edit.SetFocus();
    ASSERT_EQ(edit.m_hWnd, ::GetFocus());
    m_pFrame->m_nCommands = 0;
    msg = KeyMessage(WM_KEYDOWN, 'A');
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(0, m_pFrame->m_nCommands);
    msg = KeyMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(1, m_pFrame->m_nCommands);
    EXPECT_EQ(1001u, m_pFrame->m_nLastCommand);

    // A plain edit does not get the exemption.
    CEdit plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 150, 64), m_pFrame, 3001));
    plain.SetFocus();
    msg = KeyMessage(WM_KEYDOWN, 'A');
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
    plain.DestroyWindow();
    edit.DestroyWindow();
}

TEST_F(FrameKeysTest, AltShowsTheKeyboardCuesAndGoesOn)
{
    CVZPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    pCommandBars->SetCuesFollowAlt(TRUE);
    pCommandBars->ShowKeyboardCues(FALSE);
    ASSERT_FALSE(pCommandBars->IsKeyboardCuesVisible());

    MSG msg = KeyMessage(WM_SYSKEYDOWN, VK_MENU, 0x20380001);   // context bit 29
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_TRUE(pCommandBars->IsKeyboardCuesVisible());

    // Releasing it hides them again while they follow Alt.
    msg = KeyMessage(WM_SYSKEYUP, VK_MENU, 0xE0380001);
    m_pFrame->PreTranslateMessage(&msg);
    EXPECT_FALSE(pCommandBars->IsKeyboardCuesVisible());

    // Without the context bit Alt is not the menu key.
    msg = KeyMessage(WM_SYSKEYDOWN, VK_MENU, 0x00380001);
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_FALSE(pCommandBars->IsKeyboardCuesVisible());

    // When cues do not follow Alt they stay as they are.
    pCommandBars->SetCuesFollowAlt(FALSE);
    pCommandBars->ShowKeyboardCues(TRUE);
    EXPECT_FALSE(pCommandBars->IsKeyboardCuesVisible());
}

// An edit on a command bar that handles one of the frame's commands.
class CCommandEdit : public CVZPEdit
{
public:
    int m_nPastes = 0;

protected:
    afx_msg void OnPaste() { m_nPastes++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandEdit, CVZPEdit)
    ON_COMMAND(1000, OnPaste)
END_MESSAGE_MAP()

TEST_F(FrameKeysTest, FrameMessagesGoToTheManagerFirst)
{
    // A command the focused command-bar edit handles does not reach the frame.
    CCommandEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), m_pFrame, 3000));
    edit.SetFocus();
    m_pFrame->m_nCommands = 0;
    EXPECT_EQ(1, m_pFrame->SendMessage(WM_COMMAND, 1000, 0));
    EXPECT_EQ(1, edit.m_nPastes);
    EXPECT_EQ(0, m_pFrame->m_nCommands);
    m_pFrame->SendMessage(WM_COMMAND, 1001, 0);   // not the edit's
    EXPECT_EQ(1, m_pFrame->m_nCommands);
    edit.DestroyWindow();

    // A settings change lays the frame out again.
    m_pFrame->m_nLayouts = 0;
    m_pFrame->SendMessage(WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(1, m_pFrame->m_nLayouts);

    // While the Customize window is open the frame does not close.
    CWnd sheet;
    ASSERT_TRUE(sheet.CreateEx(0, AfxRegisterWndClass(0), L"Customize", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    CVZPCustomizeDragTracker* pTracker = m_pFrame->GetCommandBars()->GetDropSource();
    pTracker->SetSheet(&sheet);
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_pFrame->GetSafeHwnd()));
    pTracker->SetSheet(NULL);
    sheet.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Themed controls

TEST(ThemedControls, EditTakesTheRegularFontAndDrawsAFlatFrame)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE));
    CVZPCommandBarPaintManager::SetTheme(0);
    HFONT hRegular = (HFONT)VZPPaintManager()->m_fontRegular.GetSafeHandle();
    ASSERT_NE(nullptr, hRegular);

    CVZPThemedEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(20, 20, 220, 50), pFrame, 3002));
    EXPECT_EQ(hRegular, (HFONT)edit.SendMessage(WM_GETFONT));
    CVZPThemedStatic label;
    ASSERT_TRUE(label.Create(L"Label", WS_CHILD | WS_VISIBLE, CRect(20, 60, 220, 80), pFrame, 3003));
    EXPECT_EQ(hRegular, (HFONT)label.SendMessage(WM_GETFONT));

    CRect rcWindow, rcClient;
    edit.GetWindowRect(&rcWindow);
    edit.GetClientRect(&rcClient);
    EXPECT_EQ(rcWindow.Width() - 2, rcClient.Width());
    EXPECT_EQ(rcWindow.Height() - 2, rcClient.Height());

    // A real WM_NCPAINT, then the pixels the window shows.
    edit.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const COLORREF clrBorder = GetColorManager()->GetColor(VZPCOLOR_FLAT_DISABLED_BORDER);
    HDC hdc = ::GetWindowDC(edit.m_hWnd);
    const int cx = rcWindow.Width();
    const int cy = rcWindow.Height();
    const POINT border[] = {{0, 0}, {cx / 2, 0}, {cx - 1, cy / 2}, {cx / 2, cy - 1}, {0, cy / 2}, {cx - 1, cy - 1}};
    for (const POINT& pt : border)
        EXPECT_EQ(clrBorder, ::GetPixel(hdc, pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_NE(clrBorder, ::GetPixel(hdc, cx / 2, cy / 2));
    ::ReleaseDC(edit.m_hWnd, hdc);

    tesmir::test::CDibCanvas canvas(rcWindow.Width(), rcWindow.Height());
    tesmir::test::CaptureWindow(edit.m_hWnd, canvas, true);
    canvas.SaveBmp(ScreenshotPath(L"commandbars_themed_edit.bmp"));
    label.DestroyWindow();
    edit.DestroyWindow();
    DestroyFrame(pFrame);
}

// ---------------------------------------------------------------------------
// Rebar bands

TEST(ReBar, CarriesToolbarsAsBandsWithTheirIds)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CVZPReBar* pReBar = new CVZPReBar;
    ASSERT_TRUE(pReBar->Create(pFrame));
    CVZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    CVZPToolBar* pBar = pCommandBars->AddToolBar(L"Standard", vzpBarTop);
    ASSERT_NE(nullptr, pBar);
    pBar->SetBarID(7);

    EXPECT_TRUE(pCommandBars->AddBarToReBar(pBar));
    EXPECT_EQ(nullptr, pBar->GetDockBar());
    EXPECT_EQ(0u, pBar->GetFlags());
    EXPECT_EQ(0u, pBar->GetBarStyle() & CBRS_GRIPPER);
    EXPECT_EQ(1, (int)pReBar->SendMessage(RB_GETBANDCOUNT));
    EXPECT_EQ(pBar, pReBar->GetToolBar(0));
    EXPECT_EQ(0, pReBar->FindBand(pBar));
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = 80;
    rbbi.fMask = RBBIM_ID | RBBIM_STYLE;
    pReBar->SendMessage(RB_GETBANDINFOW, 0, (LPARAM)&rbbi);
    EXPECT_EQ(7u, rbbi.wID);
    EXPECT_EQ((UINT)(RBBS_BREAK | RBBS_GRIPPERALWAYS), rbbi.fStyle & (RBBS_BREAK | RBBS_GRIPPERALWAYS));

    EXPECT_TRUE(pCommandBars->RemoveBarFromReBar(pBar));
    EXPECT_EQ(0, (int)pReBar->SendMessage(RB_GETBANDCOUNT));
    EXPECT_EQ(-1, pReBar->RemoveToolBar(pBar));
    DestroyFrame(pFrame);
    delete pReBar;
}

// ---------------------------------------------------------------------------
// Window placement

class PlacementTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kProfilePath) + L"\\Settings").c_str());
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        ASSERT_TRUE(PumpUntil([&] { return m_pFrame->IsWindowVisible() != FALSE; }));
    }
    void TearDown() override { DestroyFrame(m_pFrame); }

    std::string StoredValue()
    {
        HKEY hKey = NULL;
        std::string data;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kProfilePath) + L"\\Settings").c_str(), 0, KEY_READ,
                            &hKey) != ERROR_SUCCESS)
            return data;
        DWORD dwType = 0;
        DWORD cb = 0;
        if (::RegQueryValueExW(hKey, L"Window Position", NULL, &dwType, NULL, &cb) == ERROR_SUCCESS &&
            dwType == REG_BINARY)
        {
            data.resize(cb);
            ::RegQueryValueExW(hKey, L"Window Position", NULL, &dwType, (BYTE*)&data[0], &cb);
        }
        ::RegCloseKey(hKey);
        return data;
    }

    void StoreValue(const void* pData, DWORD cb)
    {
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER,
                                                   (std::wstring(kProfilePath) + L"\\Settings").c_str(), 0, NULL, 0,
                                                   KEY_WRITE, NULL, &hKey, NULL));
        ::RegSetValueExW(hKey, L"Window Position", 0, REG_BINARY, (const BYTE*)pData, cb);
        ::RegCloseKey(hKey);
    }

    static DWORD Field(const std::string& data, int nOffset) { return *(const DWORD*)(data.data() + nOffset); }

    CTestFrame* m_pFrame = NULL;
};

TEST_F(PlacementTest, FreshRecordSaysFortyEightAndShow)
{
    CVZWindowPlacement placement;
    EXPECT_EQ(48u, placement.GetRecord().wp.length);
    EXPECT_EQ((UINT)SW_SHOW, placement.GetRecord().wp.showCmd);
    EXPECT_FALSE(placement.LoadWindowPos());   // nothing stored
    EXPECT_FALSE(placement.RestoreWindowPos(m_pFrame));
    EXPECT_FALSE(placement.SaveWindowPos(NULL));
}

TEST_F(PlacementTest, MaximisedIsRestoredMaximisedAndMinimisedAsNormal)
{
    m_pFrame->ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return m_pFrame->IsZoomed() != FALSE; }));
    CVZWindowPlacement placement;
    ASSERT_TRUE(placement.SaveWindowPos(m_pFrame));
    std::string data = StoredValue();
    ASSERT_EQ(48u, data.size());
    EXPECT_EQ(0u, Field(data, 0));
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    ::GetWindowPlacement(m_pFrame->m_hWnd, &wp);
    EXPECT_EQ(wp.length, Field(data, 4));   // what the system wrote (44 under Wine)
    EXPECT_EQ(3u, Field(data, 12));

    m_pFrame->ShowWindow(SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->IsZoomed(); }));
    CVZWindowPlacement restorer;
    EXPECT_TRUE(restorer.RestoreWindowPos(m_pFrame));
    EXPECT_TRUE(PumpUntil([&] { return m_pFrame->IsZoomed() != FALSE; }));

    // Minimised from the normal state.
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->IsZoomed(); }));
    m_pFrame->ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return m_pFrame->IsIconic() != FALSE; }));
    ASSERT_TRUE(placement.SaveWindowPos(m_pFrame));
    data = StoredValue();
    ASSERT_EQ(48u, data.size());
    EXPECT_EQ(1u, Field(data, 12));
    EXPECT_TRUE(restorer.RestoreWindowPos(m_pFrame));
    EXPECT_TRUE(PumpUntil([&] { return !m_pFrame->IsIconic() && !m_pFrame->IsZoomed(); }));
}

TEST_F(PlacementTest, RecordOfFortyEightMovesTheWindowAndOtherSizesAreRefused)
{
    // A value that did not come from GetWindowPlacement: its length says 48.
    CVZWindowPlacement::Record record = {};
    record.wp.length = 48;
    record.wp.showCmd = SW_SHOWNORMAL;
    record.wp.rcNormalPosition = {50, 60, 350, 260};
    StoreValue(&record, sizeof(record));
    CVZWindowPlacement placement;
    EXPECT_TRUE(placement.RestoreWindowPos(m_pFrame));
    EXPECT_EQ(48u, placement.GetRecord().wp.length);
    CRect rcWindow;
    EXPECT_TRUE(PumpUntil([&] {
        m_pFrame->GetWindowRect(&rcWindow);
        return rcWindow == CRect(50, 60, 350, 260);
    })) << rcWindow.left << "," << rcWindow.top << "," << rcWindow.right << "," << rcWindow.bottom;

    // Shorter and longer values leave the window where it is.
    record.wp.rcNormalPosition = {70, 80, 370, 280};
    for (DWORD cb : {44u, 47u, 49u})
    {
        StoreValue(&record, cb < sizeof(record) ? cb : sizeof(record));
        if (cb > sizeof(record))
        {
            BYTE longer[49] = {};
            memcpy(longer, &record, sizeof(record));
            StoreValue(longer, sizeof(longer));
        }
        CVZWindowPlacement other;
        EXPECT_FALSE(other.RestoreWindowPos(m_pFrame)) << cb;
        EXPECT_EQ(48u, other.GetRecord().wp.length);
        m_pFrame->GetWindowRect(&rcWindow);
        EXPECT_EQ(CRect(50, 60, 350, 260), rcWindow) << cb;
    }
}

}  // namespace
