// The global environment (an application with its own registry key, deleted
// before and after the run, and the library's start-up), the test frames and
// the fixed-metric test theme.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPAcceleratorManager.h"
#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CommandBarsTestRes.h"
#include "CVZPControl.h"
#include "CVZPDockBar.h"
#include "VZPColorIndex.h"
#include "VZPFoundation.h"

#include <TestSupport.h>
#include <shlwapi.h>

namespace vzcommandbars_test {

const wchar_t kProfilePath[] = L"Software\\VZCommandBarsTest\\CommandBarsTests";

namespace {

const wchar_t kRegistryKey[] = L"VZCommandBarsTest";
const wchar_t kRegistryPath[] = L"Software\\VZCommandBarsTest";

class CCommandBarsEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kRegistryPath);
        m_pApp = new CWinApp(L"CommandBarsTests");
        m_pApp->SetRegistryKey(kRegistryKey);
        VZPFoundationRegisterStartup();
        AfxRunStartupInitializers();
    }

    void TearDown() override
    {
        AfxRunShutdownTerminators();
        delete m_pApp;
        ::SHDeleteKeyW(HKEY_CURRENT_USER, kRegistryPath);
    }

private:
    CWinApp* m_pApp = NULL;
};

testing::Environment* const g_pEnvironment = testing::AddGlobalTestEnvironment(new CCommandBarsEnvironment);

}  // namespace

// ---------------------------------------------------------------------------
// Test frames

IMPLEMENT_DYNAMIC(CTestFrame, CVZPFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CVZPFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(1000, 1001, OnTestCommand)
    ON_MESSAGE(WM_VZP_CUSTOMIZESELCHANGED, OnCustomizeSelChanged)
END_MESSAGE_MAP()

BOOL CTestFrame::CreateTestFrame(BOOL bVisible)
{
    DWORD dwStyle = WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0);
    return Create(NULL, L"Command bars test", dwStyle, CRect(40, 40, 440, 340));
}

int CTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CVZPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // As the application's frame starts its command bars.
    CRuntimeClass* pClass = CRuntimeClass::FromName(L"CVZPCommandBars");
    CObject* pObject = pClass != NULL ? pClass->CreateObject() : NULL;
    m_pCommandBars = DYNAMIC_DOWNCAST(CVZPCommandBars, pObject);
    if (m_pCommandBars == NULL)
        return -1;
    m_pCommandBars->SetSite(this);
    m_pCommandBars->CreateDockBars();
    if (m_nAccelResource != 0)
        m_pCommandBars->GetAcceleratorManager()->LoadAcceleratorResource(m_nAccelResource);
    return 0;
}

void CTestFrame::RecalcLayout(BOOL bNotify)
{
    m_nLayouts++;
    CVZPFrameWnd::RecalcLayout(bNotify);
}

LRESULT CTestFrame::OnCustomizeSelChanged(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    m_nSelChanged++;
    return 0;
}

void CTestFrame::OnTestCommand(UINT nID)
{
    m_nCommands++;
    m_nLastCommand = nID;
}

IMPLEMENT_DYNAMIC(CCustomizeFrame, CTestFrame)

BEGIN_MESSAGE_MAP(CCustomizeFrame, CTestFrame)
    ON_COMMAND(35001, OnCustomize)
    ON_NOTIFY(100, 2000, OnControlNotify)
END_MESSAGE_MAP()

void CCustomizeFrame::OnCustomize()
{
    m_nCustomize++;
}

void CCustomizeFrame::OnControlNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    m_nNotifications++;
    *pResult = 77;
}

IMPLEMENT_DYNAMIC(CAppLikeFrame, CTestFrame)

BEGIN_MESSAGE_MAP(CAppLikeFrame, CTestFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CAppLikeFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTestFrame::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (VZPPaintManager() == NULL)
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    m_pCommandBars->GetCommandBarsOptions()->animationType = m_nAnimation;

    m_pMenuBar = m_pCommandBars->AddMenuBar(L"Menu Bar", IDR_APP_MENU);
    if (m_pMenuBar == NULL)
        return -1;
    ((CVZPToolBar*)m_pMenuBar)->SetFlags(0x41);
    m_pMenuBar->SetBarStyle(m_pMenuBar->GetBarStyle() & ~CBRS_GRIPPER);

    m_pStandardBar = m_pCommandBars->AddToolBar(L"Standard");
    if (m_pStandardBar == NULL)
        return -1;
    m_pStandardBar->ModifyFlags(0, 0x1F);
    m_pStandardBar->SetCloseable(FALSE);
    m_pStandardBar->m_bContextMenuPresent = FALSE;
    m_pStandardBar->ShowExpandButton(FALSE);
    m_pStandardBar->m_dwState |= CVZPCommandBar::stateLayoutPending;
    m_pStandardBar->SetBarStyle(m_pStandardBar->GetBarStyle() & ~CBRS_GRIPPER);
    if (!m_pStandardBar->LoadToolBar(IDR_APP_TOOLBAR, TRUE))
        return -1;
    m_pStandardBar->SetShowTextBelowIcons(1);

    const UINT hidden[] = {57607, 57609};
    m_pCommandBars->HideCommands(hidden, 2);
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    return 0;
}

std::vector<UINT> CAppLikeFrame::IdsOf(UINT message) const
{
    std::vector<UINT> ids;
    for (const Received& received : m_received)
        if (received.message == message)
            ids.push_back(received.nId);
    return ids;
}

BOOL CAppLikeFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
        m_received.push_back({message, LOWORD(wParam)});
    else if (message == WM_VZP_CONTROLNOTIFY && lParam != 0)
        m_received.push_back({message, (UINT)((NMHDR*)lParam)->idFrom});
    else if (message == WM_VZP_TOOLBARCONTEXTMENU)
        m_received.push_back({message, 0});
    return CTestFrame::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CAppLikeFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == VZP_ID_CUSTOMIZE && nCode == CN_COMMAND && m_bHandleCustomize)
        return TRUE;
    return CTestFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void DestroyFrame(CFrameWnd* pFrame)
{
    if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
        pFrame->DestroyWindow();
}

// ---------------------------------------------------------------------------
// The test theme

const COLORREF CTestPaintManager::kFaceColor = RGB(250, 200, 40);
const COLORREF CTestPaintManager::kImageColor = RGB(20, 120, 220);

void CWhiteTestTheme::RefreshMetrics()
{
    CVZPSchemeGradientPaintManager::RefreshMetrics();
    const int nIndex = VZPCOLOR_CONTROL_BORDER;
    const COLORREF clr = RGB(255, 255, 255);
    SetColors(1, &nIndex, &clr);
}

void CWhiteTestTheme::FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, RGB(255, 255, 255));
}

void CWhiteTestTheme::FillDockBar(CDC* pDC, CVZPDockBar* pBar)
{
    CVZPSchemeGradientPaintManager::FillDockBar(pDC, pBar);
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, RGB(255, 255, 255));
}

void CTestPaintManager::RefreshMetrics()
{
    m_nRefreshes++;
    CVZPCommandBarPaintManager::RefreshMetrics();
}

CSize CTestPaintManager::DrawControlPopupParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw)
{
    (void)pDC;
    (void)pControl;
    (void)bDraw;
    return CSize(100, 20);
}

CSize CTestPaintManager::DrawComboBox(CDC* pDC, CVZPControlComboBox* pControl, BOOL bDraw)
{
    (void)pDC;
    (void)pControl;
    (void)bDraw;
    return CSize(120, 22);
}

CSize CTestPaintManager::DrawEdit(CDC* pDC, CVZPControlEdit* pControl, BOOL bDraw)
{
    (void)pDC;
    (void)pControl;
    (void)bDraw;
    return CSize(110, 22);
}

CSize CTestPaintManager::DrawListBoxControl(CDC* pDC, CVZPControl* pControl, CRect rcButton, BOOL bSelected,
                                            BOOL bDraw, CVZPCommandBars* pCommandBars)
{
    (void)pDC;
    (void)pControl;
    (void)rcButton;
    (void)bSelected;
    (void)bDraw;
    (void)pCommandBars;
    return CSize(150, 20);
}

void CTestPaintManager::FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar)
{
    FillStatusBar(pDC, pBar);
}

void CTestPaintManager::DrawControlRectangle(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed,
                                             BOOL bChecked, BOOL bPopuped, int barPosition)
{
    (void)bEnabled;
    (void)bPressed;
    (void)bChecked;
    (void)bPopuped;
    (void)barPosition;
    if (bSelected)
        pDC->FillSolidRect(rc, kFaceColor);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
}

void CTestPaintManager::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                      BOOL bChecked, BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    (void)bToolBar;
    DrawControlRectangle(pDC, rc, bEnabled, bSelected, bPressed, bChecked, bPopuped, barPosition);
}

CSize CTestPaintManager::DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    (void)pDC;
    (void)pBar;
    (void)bDraw;
    return CSize(8, 8);
}

CSize CTestPaintManager::DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl, BOOL bDraw)
{
    (void)pDC;
    (void)pBar;
    (void)pControl;
    (void)bDraw;
    return CSize(6, 6);
}

void CTestPaintManager::AdjustExcludeRect(CRect& rc, CVZPControl* pControl, BOOL bVertical)
{
    (void)rc;
    (void)pControl;
    (void)bVertical;
}

CSize CTestPaintManager::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    (void)pDC;
    (void)rcGripper;
    (void)bSelected;
    (void)bDraw;
    return CSize(0, 9);
}

void CTestPaintManager::DrawImage(CDC* pDC, CPoint pt, CSize sz, CVZPImageManagerIcon* pImage, BOOL bSelected,
                                  BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage)
{
    (void)pImage;
    (void)bSelected;
    (void)bPressed;
    (void)bEnabled;
    (void)bChecked;
    (void)bPopuped;
    (void)bToolBarImage;
    m_ptLastImage = pt;
    m_szLastImage = sz;
    pDC->FillSolidRect(pt.x, pt.y, sz.cx, sz.cy, kImageColor);
}

CSize CTestPaintManager::DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    return DrawCommandBarGripper(pDC, pBar, bDraw);
}

// ---------------------------------------------------------------------------
// Test popup bars and controls

IMPLEMENT_DYNCREATE(CTestPopupBar, CVZPPopupBar)

int CTestPopupBar::s_nLive = 0;

CTestPopupBar::CTestPopupBar()
{
    s_nLive++;
}

CTestPopupBar::~CTestPopupBar()
{
    s_nLive--;
}

BOOL CTestPopupBar::Popup(CVZPControl* pControl, BOOL bSelectFirst)
{
    m_pControlPopup = pControl;
    m_pParentBar = pControl != NULL ? pControl->GetParent() : NULL;
    m_nPopups++;
    m_bSelectFirst = bSelectFirst;
    SetTrackingMode(TRUE, bSelectFirst, bSelectFirst);
    return TRUE;
}

CTestPopupBarScope::CTestPopupBarScope() : m_pOldClass(CVZPCommandBars::m_pPopupBarClass)
{
    CVZPCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CTestPopupBar);
}

CTestPopupBarScope::~CTestPopupBarScope()
{
    CVZPCommandBars::m_pPopupBarClass = m_pOldClass;
}

IMPLEMENT_DYNCREATE(CSizedControl, CVZPControlButton)

CSize CSizedControl::GetSize(CDC* pDC)
{
    (void)pDC;
    return m_sz;
}

void CSizedControl::OnMouseHover()
{
    m_nHovers++;
    CVZPControlButton::OnMouseHover();
}

BOOL CreateBarWindow(CVZPCommandBar* pBar, CWnd* pParent, const CRect& rect, DWORD dwExStyle)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
    return pBar->CreateEx(dwExStyle, lpszClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, pParent, 0);
}

CTestPaintManager* InstallTestTheme()
{
    CTestPaintManager* pTheme = new CTestPaintManager;
    CVZPCommandBarPaintManager::SetCustomTheme(pTheme);
    return pTheme;
}

HICON CreateSolidIcon(COLORREF clr)
{
    tesmir::test::CDibCanvas color(16, 16, clr);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hMask);
    ::PatBlt(hdc, 0, 0, 16, 16, BLACKNESS);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ICONINFO ii = {TRUE, 0, 0, hMask, color.Bitmap()};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    return hIcon;
}


}  // namespace vzcommandbars_test
