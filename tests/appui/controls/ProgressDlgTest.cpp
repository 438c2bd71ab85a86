// The progress dialog: its owner, its bar and percentage, the messages it
// dispatches while it is advanced, and its skin.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "AppuiTestsRes.h"
#include "CProgressDlg.h"
#include "ControlsTestSupport.h"

using namespace appui_test;

namespace {

const COLORREF kAccent = RGB(29, 117, 189);

// A dialog whose window cannot be created.
class CFailingProgressDlg : public CProgressDlg
{
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingProgressDlg, CProgressDlg)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// Counts the messages posted to it.
class CPostTarget : public CWnd
{
public:
    int m_nReceived = 0;
protected:
    afx_msg LRESULT OnPing(WPARAM, LPARAM)
    {
        m_nReceived++;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT WM_TEST_PING = WM_APP + 7;

BEGIN_MESSAGE_MAP(CPostTarget, CWnd)
    ON_MESSAGE(WM_TEST_PING, OnPing)
END_MESSAGE_MAP()

class ProgressDlgTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pOwner = m_pCanvas;
        ASSERT_TRUE(m_pOwner->IsWindowEnabled());
    }
    void TearDown() override { m_pOwner->EnableWindow(TRUE); }

    CString PercentText(CProgressDlg& dlg)
    {
        CString str;
        dlg.m_staticPercent.GetWindowText(str);
        return str;
    }

    CCanvasWnd* m_pOwner = NULL;
};

TEST_F(ProgressDlgTest, CreateDisablesTheOwnerAndSetsUpTheBar)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(m_pOwner));
    EXPECT_FALSE(m_pOwner->IsWindowEnabled());
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(m_pOwner->m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER));
    CString strCaption;
    dlg.GetWindowText(strCaption);
    EXPECT_STREQ(_T("Progress..."), (LPCTSTR)strCaption);

    int nLower = -1, nUpper = -1;
    dlg.m_progress.GetRange(nLower, nUpper);
    EXPECT_EQ(0, nLower);
    EXPECT_EQ(100, nUpper);
    EXPECT_EQ(0, dlg.m_progress.GetPos());
    EXPECT_EQ((DWORD)TPS_SHOWPERCENT, dlg.m_progress.GetStyle() & (TPS_SHOWPERCENT | TPS_SHOWPOSITION));
    CString strFormat;
    dlg.m_progress.GetWindowText(strFormat);
    EXPECT_STREQ(_T("%d%%"), (LPCTSTR)strFormat);
    EXPECT_EQ(RGB(242, 242, 242), dlg.m_progress.m_crBackground);
    EXPECT_EQ(RGB(255, 255, 255), dlg.m_progress.m_crTextOnBar);
    EXPECT_EQ(kAccent, dlg.m_progress.m_crTextOnBackground);
    ASSERT_NE(nullptr, dlg.m_progress.m_pBarBrush);
    LOGBRUSH lb = {};
    dlg.m_progress.m_pBarBrush->GetLogBrush(&lb);
    EXPECT_EQ(kAccent, lb.lbColor);
    LOGFONT lf = {};
    dlg.m_progress.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(18, lf.lfHeight);
    EXPECT_EQ(600, lf.lfWeight);
    EXPECT_STREQ(_T("Arial"), lf.lfFaceName);
    dlg.m_staticStatus.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(16, lf.lfHeight);
    EXPECT_STREQ(_T("Arial"), lf.lfFaceName);

    // The status text is the caller's.
    dlg.m_staticStatus.SetWindowText(_T("Reading the folders"));
    CString strStatus;
    dlg.GetDlgItemText(IDC_PROGRESS_STATUS, strStatus);
    EXPECT_STREQ(_T("Reading the folders"), (LPCTSTR)strStatus);

    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_TRUE(m_pOwner->IsWindowEnabled());
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

TEST_F(ProgressDlgTest, SetPosMovesTheBarAndWritesThePercentage)
{
    CProgressDlg dlg(IDS_TEST_CAPTION);
    ASSERT_TRUE(dlg.Create(m_pOwner));
    CString strCaption;
    dlg.GetWindowText(strCaption);
    EXPECT_STREQ(_T("Loading the snapshot"), (LPCTSTR)strCaption);
    dlg.SetRange(0, 100);

    const struct
    {
        int nPos;
        int nPrevious;     // the bar's position before
        int nBar;          // the bar's position after
        LPCTSTR lpszPercent;
    } steps[] = {
        { 45, 0, 45, _T("45%") },
        { 100, 45, 100, _T("100%") },
        { 200, 100, 100, _T("0%") },    // percentages other than 100 wrap at 100
        { 0, 100, 0, _T("0%") },
        { 99, 0, 99, _T("99%") },
    };
    for (const auto& s : steps)
    {
        EXPECT_EQ(s.nPrevious, (int)dlg.SendMessage(WM_PROGRESSDLG_SETPOS, (WPARAM)s.nPos, 0)) << s.nPos;
        EXPECT_EQ(s.nBar, dlg.m_progress.GetPos()) << s.nPos;
        EXPECT_STREQ(s.lpszPercent, (LPCTSTR)PercentText(dlg)) << s.nPos;
    }

    // Another range: the percentage follows it.
    dlg.SetRange(50, 150);
    int nLower = 0, nUpper = 0;
    dlg.m_progress.GetRange(nLower, nUpper);
    EXPECT_EQ(50, nLower);
    EXPECT_EQ(150, nUpper);
    dlg.SendMessage(WM_PROGRESSDLG_SETPOS, 75, 0);
    EXPECT_STREQ(_T("25%"), (LPCTSTR)PercentText(dlg));

    // An empty range shows 0 instead of dividing by zero.
    dlg.SetRange(5, 5);
    dlg.SendMessage(WM_PROGRESSDLG_SETPOS, 5, 0);
    EXPECT_STREQ(_T("0%"), (LPCTSTR)PercentText(dlg));
}

TEST_F(ProgressDlgTest, SetPosDispatchesPendingMessagesAndKeepsAQuitRequest)
{
    CPostTarget target;
    ASSERT_TRUE(target.CreateEx(0, NULL, _T("target"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(m_pOwner));

    target.PostMessage(WM_TEST_PING);
    target.PostMessage(WM_TEST_PING);
    dlg.SendMessage(WM_PROGRESSDLG_SETPOS, 10, 0);
    EXPECT_EQ(2, target.m_nReceived);

    // A quit request found while pumping stays for the thread's own loop.
    ::PostQuitMessage(7);
    EXPECT_EQ(10, (int)dlg.SendMessage(WM_PROGRESSDLG_SETPOS, 20, 0));
    EXPECT_EQ(20, dlg.m_progress.GetPos());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    target.DestroyWindow();
}

TEST_F(ProgressDlgTest, EscapeHidesTheDialogAndTheOwnerStaysDisabled)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(m_pOwner));
    for (UINT nCommand : {IDCANCEL, IDOK})
    {
        dlg.ShowWindow(SW_SHOW);
        dlg.SendMessage(WM_COMMAND, nCommand, 0);
        EXPECT_FALSE(dlg.IsWindowVisible()) << nCommand;
    }
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_FALSE(m_pOwner->IsWindowEnabled());
    // The caller's work goes on.
    dlg.SendMessage(WM_PROGRESSDLG_SETPOS, 30, 0);
    EXPECT_STREQ(_T("30%"), (LPCTSTR)PercentText(dlg));
}

TEST_F(ProgressDlgTest, DestructorAndFailedCreateEnableTheOwnerAgain)
{
    HWND hWnd = NULL;
    {
        CProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(m_pOwner));
        hWnd = dlg.m_hWnd;
        EXPECT_FALSE(m_pOwner->IsWindowEnabled());
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(m_pOwner->IsWindowEnabled());

    CFailingProgressDlg failing;
    EXPECT_FALSE(failing.Create(m_pOwner));
    EXPECT_EQ(NULL, failing.m_hWnd);
    EXPECT_TRUE(m_pOwner->IsWindowEnabled());

    // An owner that was already disabled stays disabled.
    m_pOwner->EnableWindow(FALSE);
    {
        CProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(m_pOwner));
        dlg.DestroyWindow();
    }
    EXPECT_FALSE(m_pOwner->IsWindowEnabled());
}

TEST_F(ProgressDlgTest, SkinIsDrawnFromTheTopLeftCorner)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(m_pOwner));
    PaintNow(&dlg);

    CBitmap skin;
    ASSERT_TRUE(skin.LoadBitmap(IDB_PROGRESS_SKIN));
    BITMAP bm = {};
    skin.GetBitmap(&bm);
    EXPECT_EQ(399, bm.bmWidth);
    EXPECT_EQ(174, bm.bmHeight);
    CDC dcSkin;
    dcSkin.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = dcSkin.SelectObject(skin.m_hObject);

    CCapture capture(&dlg);
    // Left of the controls, down the whole height of the skin that shows.
    CRect rectStatus;
    dlg.m_staticStatus.GetWindowRect(&rectStatus);
    dlg.ScreenToClient(&rectStatus);
    ASSERT_GT(rectStatus.left, 2);
    int nRows = std::min<int>(bm.bmHeight, capture.Height());
    for (int y = 0; y < nRows; y++)
        for (int x = 0; x < rectStatus.left; x++)
            ASSERT_EQ(dcSkin.GetPixel(x, y), capture.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(kAccent, capture.Pixel(0, 0));
    // Beyond the skin, its background colour goes on.
    if (capture.Width() > bm.bmWidth)
    {
        EXPECT_EQ(dcSkin.GetPixel(bm.bmWidth - 1, bm.bmHeight - 1), capture.Pixel(capture.Width() - 1, capture.Height() - 1));
    }
    dcSkin.SelectObject(hOld);
}

}  // namespace
