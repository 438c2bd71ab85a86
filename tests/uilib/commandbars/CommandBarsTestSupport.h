// The command bars' test program: an application with its own registry key,
// a test frame that starts its manager as the application's frame does, and
// a fixed-metric test theme.
#pragma once

#include <afxwin.h>

#include <string>
#include <utility>
#include <vector>

#include "CVZPCommandBarPaintManager.h"
#include "CVZPControlButton.h"
#include "CVZPFrameWnd.h"
#include "CVZPPopupBar.h"
#include "CVZPSchemeGradientPaintManager.h"
#include "CVZPToolBar.h"
#include "TestSupport.h"

namespace vzcommandbars_test {

// Registry path of the test application's profile under HKEY_CURRENT_USER.
extern const wchar_t kProfilePath[];

// A frame built on the frame base whose creation makes its manager from the
// run-time class name, sets itself as the site and creates the dock bars.
// It counts its layouts and answers the notification and commands the tests
// send.
class CTestFrame : public CVZPFrameWnd
{
    DECLARE_DYNAMIC(CTestFrame)
public:
    // A visible (or hidden) overlapped frame at a fixed place.
    BOOL CreateTestFrame(BOOL bVisible = FALSE);
    void RecalcLayout(BOOL bNotify = TRUE) override;

    int m_nLayouts = 0;
    int m_nCommands = 0;       // test command 1000 (Ctrl+A) and 1001 (Esc)
    UINT m_nLastCommand = 0;
    int m_nSelChanged = 0;     // WM_VZP_CUSTOMIZESELCHANGED
    UINT m_nAccelResource = 0; // loaded into the manager at creation when set

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnCustomizeSelChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTestCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// A test frame whose command map handles "Customize" (35001) and the
// notification of control 2000.
class CCustomizeFrame : public CTestFrame
{
    DECLARE_DYNAMIC(CCustomizeFrame)
public:
    int m_nCustomize = 0;
    int m_nNotifications = 0;

protected:
    afx_msg void OnCustomize();
    afx_msg void OnControlNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// The frame the application builds, its own theme, icons and dialogs aside:
// the classic theme, the menu bar "Menu Bar" from menu 128 and the
// "Standard" toolbar from toolbar 331 set up as the application sets them,
// Print and Print Preview hidden, menus not always full. It records the
// commands, control notifications and toolbar context-menu requests it gets.
class CAppLikeFrame : public CTestFrame
{
    DECLARE_DYNAMIC(CAppLikeFrame)
public:
    struct Received
    {
        UINT message;
        UINT nId;      // command id, notified control id, or 0
    };

    // The site answers "Customize" (35001) when set before creation.
    BOOL m_bHandleCustomize = FALSE;
    int m_nAnimation = 5;
    CVZPCommandBar* m_pMenuBar = NULL;
    CVZPToolBar* m_pStandardBar = NULL;
    std::vector<Received> m_received;

    // The received messages of one kind, in order.
    std::vector<UINT> IdsOf(UINT message) const;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

// Destroys a frame made by the tests (the frame deletes itself).
void DestroyFrame(CFrameWnd* pFrame);

// A theme with constant sizes for every operation a theme must give, so that
// layouts depend only on the base operations under test. It fills what it
// draws in plain colours.
class CTestPaintManager : public CVZPCommandBarPaintManager
{
public:
    static const COLORREF kFaceColor;     // DrawControlRectangle of a selected control
    static const COLORREF kImageColor;    // DrawImage

    int m_nRefreshes = 0;
    CPoint m_ptLastImage = CPoint(-1, -1);
    CSize m_szLastImage = CSize(0, 0);

    void RefreshMetrics() override;
    int GetThemeType() const override { return 5; }
    CSize DrawControlPopupParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw) override;
    CSize DrawComboBox(CDC* pDC, CVZPControlComboBox* pControl, BOOL bDraw) override;
    CSize DrawEdit(CDC* pDC, CVZPControlEdit* pControl, BOOL bDraw) override;
    CSize DrawListBoxControl(CDC* pDC, CVZPControl* pControl, CRect rcButton, BOOL bSelected, BOOL bDraw,
                             CVZPCommandBars* pCommandBars) override;
    void FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar) override;
    void DrawControlRectangle(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked,
                              BOOL bPopuped, int barPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, BOOL bToolBar, int barPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CVZPControl* pControl, BOOL bVertical) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CVZPImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                   BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) override;
    CSize DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) override;
};

// The program derives its theme from type 4 this way: white bars, no
// separators, white dock bars and white control borders.
class CWhiteTestTheme : public CVZPSchemeGradientPaintManager
{
public:
    void RefreshMetrics() override;
    void FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar) override;
    CSize DrawCommandBarSeparator(CDC*, CVZPCommandBar*, CVZPControl*, BOOL) override { return CSize(0, 0); }
    void FillDockBar(CDC* pDC, CVZPDockBar* pBar) override;
};

// A popup bar that shows nothing: Popup records the call and answers TRUE
// (the bar enters tracking mode as a shown popup would). It counts the live
// objects of its class.
class CTestPopupBar : public CVZPPopupBar
{
    DECLARE_DYNCREATE(CTestPopupBar)
public:
    CTestPopupBar();
    ~CTestPopupBar() override;
    BOOL Popup(CVZPControl* pControl, BOOL bSelectFirst) override;

    static int s_nLive;
    int m_nPopups = 0;
    BOOL m_bSelectFirst = FALSE;
};

// While it lives, the manager and the collections make CTestPopupBar popups.
class CTestPopupBarScope
{
public:
    CTestPopupBarScope();
    ~CTestPopupBarScope();

private:
    CRuntimeClass* m_pOldClass;
};

// A button of a fixed size that counts its hover and click calls.
class CSizedControl : public CVZPControlButton
{
    DECLARE_DYNCREATE(CSizedControl)
public:
    CSize GetSize(CDC* pDC) override;
    void OnMouseHover() override;
    BOOL IsCustomizeResizeAllowed() const override { return m_bResizable; }
    int GetCustomizeMinWidth() const override { return m_nMinWidth; }
    void SetWidth(int nWidth) override { m_sz.cx = nWidth; m_nWidthSet++; }

    CSize m_sz = CSize(30, 20);
    int m_nHovers = 0;
    BOOL m_bResizable = FALSE;
    int m_nMinWidth = 0;
    int m_nWidthSet = 0;
};

// Gives a bar a visible child window on the parent at the rectangle.
BOOL CreateBarWindow(CVZPCommandBar* pBar, CWnd* pParent, const CRect& rect, DWORD dwExStyle = 0);
using tesmir::test::SendMouseInput;
// The shared input helpers (tests/common) over the bars' CPoint steps and windows.
inline bool SendMouseSteps(const std::vector<std::pair<CPoint, DWORD>>& steps)
{
    return tesmir::test::SendMouseSteps(std::vector<std::pair<POINT, DWORD>>(steps.begin(), steps.end()));
}
inline bool BringToFront(CWnd* pWnd)
{
    return tesmir::test::BringToFront(pWnd->GetSafeHwnd());
}

// Installs a new test theme as the process-wide one and returns it.
CTestPaintManager* InstallTestTheme();
// A 16 x 16 icon of one colour, opaque everywhere.
HICON CreateSolidIcon(COLORREF clr);

using tesmir::test::ScreenshotPath;

}  // namespace vzcommandbars_test
