// Frames and their floating windows: the WM_FLOATSTATUS protocol, captions
// kept active across a family, WM_ACTIVATETOPLEVEL, modal dialogs, and the
// mini frame's own styles.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxpriv.h>

#include "InputTestSupport.h"

#include <vector>

using namespace mfcinput_test;

namespace {

// A frame window on the stack that records the caption states it applies:
// the wParam of each WM_NCACTIVATE that reaches DefWindowProc.
template <class TBase>
class CCaptionRecorder : public TBase
{
public:
    std::vector<BOOL> m_captions;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCACTIVATE)
            m_captions.push_back((BOOL)wParam);
        return TBase::DefWindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

// A frame that also records the WM_ACTIVATETOPLEVEL it gets.
class CRecordingFrame : public CCaptionRecorder<CFrameWnd>
{
public:
    std::vector<UINT> m_topLevelStates;  // WA_* of WM_ACTIVATETOPLEVEL

    BOOL CreateAt(const RECT& rect)
    {
        return Create(NULL, _T("frame"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect);
    }

protected:
    afx_msg LRESULT OnActivateTopLevel(WPARAM wParam, LPARAM lParam)
    {
        m_topLevelStates.push_back(LOWORD(wParam));
        return CFrameWnd::OnActivateTopLevel(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingFrame, CCaptionRecorder<CFrameWnd>)
    ON_MESSAGE(WM_ACTIVATETOPLEVEL, OnActivateTopLevel)
END_MESSAGE_MAP()

// A mini frame that records WM_FLOATSTATUS, its caption states and whether a
// menu loop started (which it ends at once).
class CRecordingMini : public CCaptionRecorder<CMiniFrameWnd>
{
public:
    std::vector<WPARAM> m_floatStatus;
    int m_nMenuLoops = 0;
    int m_nKeyMenus = 0;   // SC_KEYMENU commands handled (a menu opens inside)

    BOOL CreateAt(DWORD dwStyle, const RECT& rect, CWnd* pOwner)
    {
        return CreateEx(0, NULL, _T("mini"), dwStyle | WS_VISIBLE, rect, pOwner);
    }
    // The activation flags of WM_FLOATSTATUS received so far.
    std::vector<WPARAM> ActivationStatus() const
    {
        std::vector<WPARAM> result;
        for (WPARAM w : m_floatStatus)
        {
            if (w & (FS_ACTIVATE | FS_DEACTIVATE))
                result.push_back(w & (FS_ACTIVATE | FS_DEACTIVATE));
        }
        return result;
    }

protected:
    afx_msg LRESULT OnFloatStatusRecorded(WPARAM wParam, LPARAM lParam)
    {
        m_floatStatus.push_back(wParam);
        return CMiniFrameWnd::OnFloatStatus(wParam, lParam);
    }
    afx_msg LRESULT OnEnterMenuLoop(WPARAM, LPARAM)
    {
        m_nMenuLoops++;
        ::PostMessage(m_hWnd, WM_CANCELMODE, 0, 0);
        return 0;
    }
    afx_msg LRESULT OnEnterIdle(WPARAM, LPARAM)
    {
        ::EndMenu();
        return 0;
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam)
    {
        CMiniFrameWnd::OnSysCommand(nID, lParam);
        if ((nID & 0xFFF0) == SC_KEYMENU)
            m_nKeyMenus++;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingMini, CCaptionRecorder<CMiniFrameWnd>)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatusRecorded)
    ON_MESSAGE(WM_ENTERMENULOOP, OnEnterMenuLoop)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

const DWORD kMiniStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
const CRect kFrameRect(40, 40, 440, 340);
const CRect kMiniRect(470, 40, 650, 200);
const CRect kOtherRect(40, 400, 300, 560);

TEST(FloatingWindows, SyncActiveMiniFrameKeepsTheFrameCaptionActive)
{
    CRecordingFrame frame;
    ASSERT_TRUE(frame.CreateAt(kFrameRect));
    CRecordingMini mini;
    ASSERT_TRUE(mini.CreateAt(kMiniStyle | MFS_SYNCACTIVE, kMiniRect, &frame));
    CWnd other;
    ASSERT_TRUE(CreatePopup(other, kOtherRect, _T("other family")));

    ASSERT_TRUE(BringToForeground(frame.m_hWnd));
    EXPECT_TRUE(frame.m_nFlags & WF_STAYACTIVE);

    // Activation moves to the mini frame: the frame stays active.
    frame.m_captions.clear();
    mini.m_floatStatus.clear();
    ASSERT_TRUE(BringToForeground(mini.m_hWnd));
    EXPECT_TRUE(frame.m_nFlags & WF_STAYACTIVE);
    ASSERT_FALSE(frame.m_captions.empty());
    EXPECT_TRUE(frame.m_captions.back());
    ASSERT_FALSE(mini.ActivationStatus().empty());
    EXPECT_EQ((WPARAM)FS_ACTIVATE, mini.ActivationStatus().back());
    ASSERT_FALSE(mini.m_captions.empty());
    EXPECT_TRUE(mini.m_captions.back());
    EXPECT_TRUE(frame.m_topLevelStates.empty() || frame.m_topLevelStates.back() != WA_INACTIVE);

    // Back to the frame: still one active family.
    ASSERT_TRUE(BringToForeground(frame.m_hWnd));
    EXPECT_TRUE(frame.m_nFlags & WF_STAYACTIVE);
    EXPECT_TRUE(mini.m_captions.back());

    // Another family takes activation: both captions go inactive and the
    // frame hears it as its family losing activation.
    frame.m_topLevelStates.clear();
    mini.m_floatStatus.clear();
    ASSERT_TRUE(BringToForeground(other.m_hWnd));
    EXPECT_FALSE(frame.m_nFlags & WF_STAYACTIVE);
    EXPECT_FALSE(frame.m_captions.back());
    ASSERT_FALSE(mini.ActivationStatus().empty());
    EXPECT_EQ((WPARAM)FS_DEACTIVATE, mini.ActivationStatus().back());
    EXPECT_FALSE(mini.m_captions.back());
    EXPECT_EQ(std::vector<UINT>{WA_INACTIVE}, frame.m_topLevelStates);

    other.DestroyWindow();
    mini.DestroyWindow();
    frame.DestroyWindow();
}

TEST(FloatingWindows, ModalDialogDisablesAndReenablesTheFloatingWindows)
{
    CRecordingFrame frame;
    ASSERT_TRUE(frame.CreateAt(kFrameRect));
    CRecordingMini mini;
    ASSERT_TRUE(mini.CreateAt(kMiniStyle | MFS_SYNCACTIVE, kMiniRect, &frame));
    ASSERT_TRUE(BringToForeground(frame.m_hWnd));

    // A dialog that looks at the mini frame while it runs, then ends.
    class CProbeDialog : public CDialog
    {
    public:
        CRecordingMini* m_pMini = NULL;
        BOOL m_bMiniEnabledInside = TRUE;
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            m_bMiniEnabledInside = m_pMini->IsWindowEnabled();
            EndDialog(IDOK);
            return TRUE;
        }
    };
    struct alignas(4)
    {
        DLGTEMPLATE dt;
        WORD wMenu, wClass, wTitle;
    } tmpl = {{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 10, 10, 100, 40}, 0, 0, 0};
    CProbeDialog dlg;
    dlg.m_pMini = &mini;
    ASSERT_TRUE(dlg.InitModalIndirect(&tmpl.dt, &frame));
    mini.m_floatStatus.clear();
    EXPECT_EQ(IDOK, dlg.DoModal());

    EXPECT_FALSE(dlg.m_bMiniEnabledInside);
    EXPECT_TRUE(mini.IsWindowEnabled());
    std::vector<WPARAM> enabling;
    for (WPARAM w : mini.m_floatStatus)
    {
        if (w & (FS_ENABLE | FS_DISABLE))
            enabling.push_back(w);
    }
    EXPECT_EQ((std::vector<WPARAM>{FS_DISABLE, FS_ENABLE}), enabling);

    mini.DestroyWindow();
    frame.DestroyWindow();
}

TEST(FloatingWindows, FloatStatusAnswersAndShowsWithoutMovingOrActivating)
{
    CRecordingFrame frame;
    ASSERT_TRUE(frame.CreateAt(kFrameRect));
    CRecordingMini sync, plain;
    ASSERT_TRUE(sync.CreateAt(kMiniStyle | MFS_SYNCACTIVE, kMiniRect, &frame));
    ASSERT_TRUE(plain.CreateAt(kMiniStyle | MFS_THICKFRAME, kMiniRect + CPoint(0, 200), &frame));
    ASSERT_TRUE(BringToForeground(frame.m_hWnd));

    EXPECT_EQ(1, sync.SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
    EXPECT_EQ(0, plain.SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
    EXPECT_TRUE(plain.GetStyle() & WS_THICKFRAME);
    EXPECT_FALSE(sync.GetStyle() & WS_THICKFRAME);

    CRect rectBefore;
    plain.GetWindowRect(&rectBefore);
    plain.SendMessage(WM_FLOATSTATUS, FS_HIDE);
    EXPECT_FALSE(plain.IsWindowVisible());
    plain.SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_TRUE(plain.IsWindowVisible());
    CRect rectAfter;
    plain.GetWindowRect(&rectAfter);
    EXPECT_EQ(rectBefore, rectAfter);
    EXPECT_EQ(frame.m_hWnd, ::GetActiveWindow());

    plain.SendMessage(WM_FLOATSTATUS, FS_DISABLE);
    EXPECT_FALSE(plain.IsWindowEnabled());
    plain.SendMessage(WM_FLOATSTATUS, FS_ENABLE);
    EXPECT_TRUE(plain.IsWindowEnabled());

    plain.DestroyWindow();
    sync.DestroyWindow();
    frame.DestroyWindow();
}

// Alt+Space opens the system menu of a mini frame, unless it blocks it; the
// menu itself stays in place either way.
TEST(FloatingWindows, BlockSysMenuKeepsAltSpaceFromOpeningTheMenu)
{
    struct
    {
        DWORD dwStyle;
        int nMenuLoops;
    } cases[] = {
        {0x80CC1000, 0},                    // as the docking panes float
        {0x80CC1100, 0},                    // the same, synchronised
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, 1},
    };
    CRecordingFrame frame;
    ASSERT_TRUE(frame.CreateAt(kFrameRect));
    for (const auto& c : cases)
    {
        CRecordingMini mini;
        ASSERT_TRUE(mini.CreateAt(c.dwStyle, kMiniRect, &frame));
        ASSERT_TRUE(BringToForeground(mini.m_hWnd));
        mini.SetFocus();
        PressKeys({VK_MENU, VK_SPACE});
        // A menu that opens runs inside the SC_KEYMENU command.
        ASSERT_TRUE(PumpFrameworkUntil([&] { return mini.m_nKeyMenus == 1; })) << std::hex << c.dwStyle;
        EXPECT_EQ(c.nMenuLoops, mini.m_nMenuLoops) << std::hex << c.dwStyle;
        EXPECT_NE((HMENU)NULL, ::GetSystemMenu(mini.m_hWnd, FALSE));
        mini.DestroyWindow();
    }
    frame.DestroyWindow();
}

}  // namespace
