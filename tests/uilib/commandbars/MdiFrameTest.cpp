// The menu bar on an MDI frame: a maximised child's system menu and window
// buttons on the bar, and one control set per document type.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControls.h"
#include "CVZPMenuBar.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

#include <afxpriv.h>

#include <algorithm>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::PumpUntil;

namespace {

// An MDI frame that hosts a command-bars manager as the frame base does
// for single-document frames: the manager sees the frame's messages first
// and its keys before translation. Its menu bar shows the maximised child's
// system menu (flag 0x2000).
class CMdiSiteFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CMdiSiteFrame)
public:
    ~CMdiSiteFrame() override
    {
        if (m_pCommandBars != NULL)
            m_pCommandBars->InternalRelease();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (CMDIFrameWnd::PreTranslateMessage(pMsg))
            return TRUE;
        return m_pCommandBars != NULL && m_pCommandBars->PreTranslateFrameMessage(pMsg);
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars != NULL && m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        return CMDIFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == VZP_ID_CUSTOMIZE && nCode == CN_COMMAND && m_bHandleCustomize)
            return TRUE;
        return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    BOOL m_bHandleCustomize = FALSE;
    CVZPCommandBars* m_pCommandBars = NULL;
    CVZPMenuBar* m_pMenuBar = NULL;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_pCommandBars = DYNAMIC_DOWNCAST(CVZPCommandBars, RUNTIME_CLASS(CVZPCommandBars)->CreateObject());
        if (m_pCommandBars == NULL)
            return -1;
        m_pCommandBars->GetCommandBarsOptions()->animationType = 5;
        m_pCommandBars->SetSite(this);
        m_pCommandBars->CreateDockBars();
        m_pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, m_pCommandBars->AddMenuBar(L"Menu Bar", IDR_MDI_FRAME_MENU));
        if (m_pMenuBar == NULL)
            return -1;
        m_pMenuBar->ModifyFlags(CVZPMenuBar::flagMDISysMenu, 0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(CMdiSiteFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CMdiSiteFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CMdiTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CMdiTestDoc)
};
IMPLEMENT_DYNCREATE(CMdiTestDoc, CDocument)

class CMdiTestView : public CView
{
    DECLARE_DYNCREATE(CMdiTestView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMdiTestView, CView)

// The ids of a bar's controls, in order.
std::vector<UINT> ControlIds(CVZPCommandBar* pBar, BOOL bTemporaryOnly = FALSE)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (!bTemporaryOnly || pBar->GetControl(i)->IsTemporary())
            ids.push_back((UINT)pBar->GetControl(i)->GetID());
    return ids;
}

// The captions of a bar's controls that are not its own special ones.
std::vector<CString> Titles(CVZPCommandBar* pBar)
{
    std::vector<CString> titles;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (!pBar->GetControl(i)->IsTemporary())
            titles.push_back(pBar->GetControl(i)->GetCaption());
    return titles;
}

// Takes the title of the caption off the bar, as a user customising it would.
void RemoveTitle(CVZPCommandBar* pBar, LPCTSTR lpszCaption)
{
    CVZPControls* pControls = pBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
        if (pControls->GetAt(i)->GetCaption() == lpszCaption)
        {
            pControls->Remove(pControls->GetAt(i));
            return;
        }
}

const std::vector<UINT> kWindowControls = {CVZPMenuBar::idMDISysMenu, CVZPMenuBar::idMDIMinimize,
                                           CVZPMenuBar::idMDIRestore, CVZPMenuBar::idMDIClose};

// A visible MDI frame with a menu bar and two document types.
class MdiFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
        m_pOldMainWnd = AfxGetApp()->m_pMainWnd;
        m_pFrame = new CMdiSiteFrame;
        m_pFrame->m_bHandleCustomize = HandleCustomize();
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDI_FRAME_MENU, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        m_pFrame->MoveWindow(30, 30, 640, 420);
        m_pFrame->RecalcLayout();
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pMenuBar = m_pFrame->m_pMenuBar;
        for (UINT nID : {IDR_MDI_DOCA_MENU, IDR_MDI_DOCB_MENU})
        {
            CMultiDocTemplate* pTemplate = new CMultiDocTemplate(nID, RUNTIME_CLASS(CMdiTestDoc),
                                                                 RUNTIME_CLASS(CMDIChildWnd),
                                                                 RUNTIME_CLASS(CMdiTestView));
            pTemplate->LoadTemplate();
            m_templates.push_back(pTemplate);
        }
    }
    void TearDown() override
    {
        CVZPCommandBars::ClosePopups();
        DestroyFrame(m_pFrame);
        AfxGetApp()->m_pMainWnd = m_pOldMainWnd;
        for (CMultiDocTemplate* pTemplate : m_templates)
            delete pTemplate;
    }
    virtual BOOL HandleCustomize() const { return FALSE; }

    // A new document of the type in a new child, active.
    CMDIChildWnd* OpenDocument(int nType)
    {
        if (m_templates[nType]->OpenDocumentFile(NULL) == NULL)
            return NULL;
        CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
        PumpUntil([] { return false; }, 30);
        return pChild;
    }
    // A child of the style made straight on the frame, active.
    CMDIChildWnd* OpenPlainChild(DWORD dwStyle)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        if (!pChild->Create(NULL, L"Plain", dwStyle, CRect(10, 10, 250, 170), m_pFrame))
            return NULL;
        pChild->MDIActivate();
        PumpUntil([] { return false; }, 30);
        return pChild;
    }
    bool HasWindowControls() const
    {
        return m_pMenuBar->GetControls()->FindControl(CVZPMenuBar::idMDIClose) != NULL ||
               m_pMenuBar->GetControls()->FindControl(CVZPMenuBar::idMDISysMenu) != NULL;
    }
    // Maximises the child and waits for the bar's posted update.
    bool Maximize(CMDIChildWnd* pChild)
    {
        pChild->MDIMaximize();
        return PumpUntil([&] { return m_pMenuBar->GetControls()->FindControl(CVZPMenuBar::idMDISysMenu) != NULL; },
                         3000);
    }
    bool Restore(CMDIChildWnd* pChild)
    {
        pChild->MDIRestore();
        return PumpUntil([&] { return !HasWindowControls(); }, 3000);
    }

    CMdiSiteFrame* m_pFrame = NULL;
    CVZPMenuBar* m_pMenuBar = NULL;
    CWnd* m_pOldMainWnd = NULL;
    std::vector<CMultiDocTemplate*> m_templates;
};

class MdiCustomizeFrameTest : public MdiFrameTest
{
protected:
    BOOL HandleCustomize() const override { return TRUE; }
};

}  // namespace

TEST_F(MdiFrameTest, AMaximisedChildPutsItsSystemMenuAndButtonsOnTheBar)
{
    ASSERT_NE(nullptr, m_pMenuBar);
    EXPECT_TRUE(m_pMenuBar->m_bMDIApp);
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
    CMDIChildWnd* pChild = OpenDocument(0);
    ASSERT_NE(nullptr, pChild);
    const std::vector<UINT> restoredIds = ControlIds(m_pMenuBar);
    EXPECT_FALSE(HasWindowControls());

    ASSERT_TRUE(Maximize(pChild));
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
    std::vector<UINT> ids = ControlIds(m_pMenuBar);
    ASSERT_EQ(restoredIds.size() + 4, ids.size());
    EXPECT_EQ((UINT)CVZPMenuBar::idMDISysMenu, ids.front());
    EXPECT_EQ(std::vector<UINT>(restoredIds.begin(), restoredIds.end()),
              std::vector<UINT>(ids.begin() + 1, ids.end() - 3));
    EXPECT_EQ((std::vector<UINT>{CVZPMenuBar::idMDIMinimize, CVZPMenuBar::idMDIRestore, CVZPMenuBar::idMDIClose}),
              std::vector<UINT>(ids.end() - 3, ids.end()));

    // The system menu's popup: the child's system commands, described by
    // the framework's prompts.
    CVZPControl* pSysMenu = m_pMenuBar->GetControl(0);
    EXPECT_EQ(vzpControlPopup, pSysMenu->GetType());
    EXPECT_TRUE(pSysMenu->IsTemporary());
    CVZPCommandBar* pSysPopup = pSysMenu->GetCommandBar();
    ASSERT_NE(nullptr, pSysPopup);
    CVZPControl* pClose = pSysPopup->GetControls()->FindControl(SC_CLOSE);
    ASSERT_NE(nullptr, pClose);
    EXPECT_FALSE(pClose->GetCaption().IsEmpty());
    CString strPrompt;
    ASSERT_TRUE(strPrompt.LoadString(((SC_CLOSE - 0xF000) >> 4) + 0xEF00));
    EXPECT_EQ(strPrompt, pClose->GetDescription());
    CVZPControl* pRestoreItem = pSysPopup->GetControls()->FindControl(SC_RESTORE);
    ASSERT_NE(nullptr, pRestoreItem);
    EXPECT_TRUE(pRestoreItem->GetEnabled());

    // The bar lays the buttons out at its right end, the icon at its left.
    m_pFrame->RecalcLayout();
    tesmir::test::PaintNow(m_pFrame);
    CRect rcBar;
    m_pMenuBar->GetClientRect(&rcBar);
    CVZPControl* pCloseButton = m_pMenuBar->GetControls()->FindControl(CVZPMenuBar::idMDIClose);
    EXPECT_LE(pCloseButton->GetRect().right, rcBar.right);
    EXPECT_GT(pCloseButton->GetRect().left, rcBar.right / 2);
    EXPECT_LT(pSysMenu->GetRect().left, m_pMenuBar->GetControl(1)->GetRect().left);
    {
        CRect rcWindow;
        m_pMenuBar->GetWindowRect(&rcWindow);
        tesmir::test::CDibCanvas canvas(rcWindow.Width(), rcWindow.Height());
        tesmir::test::CaptureWindow(m_pMenuBar->m_hWnd, canvas);
        canvas.SaveBmp(ScreenshotPath(L"commandbars_mdi_maximised.bmp"));
    }

    // Restoring by the bar's own restore button (a real click) takes the
    // controls away again.
    ASSERT_TRUE(BringToFront(m_pFrame));
    CRect rcRestore = m_pMenuBar->GetControls()->FindControl(CVZPMenuBar::idMDIRestore)->GetRect();
    m_pMenuBar->ClientToScreen(&rcRestore);
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(rcRestore.CenterPoint().x, rcRestore.CenterPoint().y));
    tesmir::test::SendMouseButtons(rcRestore.CenterPoint(), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    EXPECT_TRUE(PumpUntil([&] { return !pChild->IsZoomed() && !HasWindowControls(); }));
    EXPECT_EQ(restoredIds, ControlIds(m_pMenuBar));
}

TEST_F(MdiFrameTest, TheButtonsFollowTheChildsStyleAndTheBarsFlags)
{
    const DWORD dwFull = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    const DWORD dwBase = m_pMenuBar->GetFlags();
    const struct
    {
        const char* name;
        DWORD dwStyle;
        DWORD dwFlags;
        std::vector<UINT> ids;   // the bar's special controls when maximised
    } cases[] = {
        {"all", dwFull, dwBase, kWindowControls},
        {"no minimise box", dwFull & ~WS_MINIMIZEBOX, dwBase,
         {CVZPMenuBar::idMDISysMenu, CVZPMenuBar::idMDIRestore, CVZPMenuBar::idMDIClose}},
        {"no close", dwFull, dwBase | CVZPMenuBar::flagNoClose,
         {CVZPMenuBar::idMDISysMenu, CVZPMenuBar::idMDIMinimize, CVZPMenuBar::idMDIRestore}},
        {"no system menu", dwFull, dwBase & ~CVZPMenuBar::flagMDISysMenu,
         {CVZPMenuBar::idMDIMinimize, CVZPMenuBar::idMDIRestore, CVZPMenuBar::idMDIClose}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_pMenuBar->SetFlags(c.dwFlags);
        CMDIChildWnd* pChild = OpenPlainChild(c.dwStyle);
        ASSERT_NE(nullptr, pChild);
        pChild->MDIMaximize();
        EXPECT_TRUE(PumpUntil([&] { return ControlIds(m_pMenuBar, TRUE).size() >= c.ids.size(); }, 3000));
        std::vector<UINT> ids = ControlIds(m_pMenuBar, TRUE);
        ids.erase(std::remove(ids.begin(), ids.end(), (UINT)CVZPToolBar::idExpandButton), ids.end());
        EXPECT_EQ(c.ids, ids);
        pChild->MDIDestroy();
        EXPECT_TRUE(PumpUntil([&] { return !HasWindowControls() &&
                                           m_pMenuBar->GetControls()->FindControl(CVZPMenuBar::idMDIMinimize) == NULL; },
                              3000));
    }
}

TEST_F(MdiFrameTest, CyclesOfMaximisingLeaveNoPopupBarBehind)
{
    CTestPopupBarScope popups;
    CMDIChildWnd* pChild = OpenDocument(0);
    ASSERT_NE(nullptr, pChild);
    const int nLive = CTestPopupBar::s_nLive;
    ASSERT_TRUE(Maximize(pChild));
    EXPECT_EQ(nLive + 1, CTestPopupBar::s_nLive);
    ASSERT_TRUE(Restore(pChild));
    EXPECT_EQ(nLive, CTestPopupBar::s_nLive);
    for (int i = 0; i < 100; i++)
    {
        ASSERT_TRUE(Maximize(pChild)) << i;
        ASSERT_TRUE(Restore(pChild)) << i;
    }
    EXPECT_EQ(nLive, CTestPopupBar::s_nLive);
}

// Each document type shows its own menu; with a site that handles
// "Customize" each type also keeps the controls the user changed, without
// one the menu is loaded again.
TEST_F(MdiFrameTest, SwitchingDocumentTypesSwitchesTheTitles)
{
    const std::vector<CString> frameTitles = Titles(m_pMenuBar);
    EXPECT_EQ((std::vector<CString>{L"&File"}), frameTitles);
    CMDIChildWnd* pA = OpenDocument(0);
    ASSERT_NE(nullptr, pA);
    EXPECT_EQ((UINT)IDR_MDI_DOCA_MENU, m_pMenuBar->GetCurrentMenuId());
    EXPECT_EQ((std::vector<CString>{L"&File", L"&Alpha", L"&Window"}), Titles(m_pMenuBar));
    RemoveTitle(m_pMenuBar, L"&Alpha");
    CMDIChildWnd* pB = OpenDocument(1);
    ASSERT_NE(nullptr, pB);
    EXPECT_EQ((UINT)IDR_MDI_DOCB_MENU, m_pMenuBar->GetCurrentMenuId());
    EXPECT_EQ((std::vector<CString>{L"&File", L"&Beta", L"&Gamma", L"&Window"}), Titles(m_pMenuBar));
    pA->MDIActivate();
    PumpUntil([] { return false; }, 30);
    EXPECT_EQ((UINT)IDR_MDI_DOCA_MENU, m_pMenuBar->GetCurrentMenuId());
    EXPECT_EQ((std::vector<CString>{L"&File", L"&Alpha", L"&Window"}), Titles(m_pMenuBar))
        << "without Customize the menu is loaded again";
    EXPECT_EQ(0, m_pMenuBar->GetStoredMenuCount());

    // The last child gone, the frame's own menu is back.
    pB->MDIDestroy();
    pA->MDIDestroy();
    PumpUntil([] { return false; }, 30);
    EXPECT_EQ((UINT)IDR_MDI_FRAME_MENU, m_pMenuBar->GetCurrentMenuId());
    EXPECT_EQ(frameTitles, Titles(m_pMenuBar));
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
}

TEST_F(MdiCustomizeFrameTest, EachDocumentTypeKeepsItsCustomisedControls)
{
    CMDIChildWnd* pA = OpenDocument(0);
    ASSERT_NE(nullptr, pA);
    ASSERT_EQ((UINT)IDR_MDI_DOCA_MENU, m_pMenuBar->GetCurrentMenuId());
    // The user takes "&Alpha" off the first type's bar.
    RemoveTitle(m_pMenuBar, L"&Alpha");
    const std::vector<CString> customised = {L"&File", L"&Window"};
    ASSERT_EQ(customised, Titles(m_pMenuBar));

    CMDIChildWnd* pB = OpenDocument(1);
    ASSERT_NE(nullptr, pB);
    EXPECT_EQ((std::vector<CString>{L"&File", L"&Beta", L"&Gamma", L"&Window"}), Titles(m_pMenuBar));
    pA->MDIActivate();
    PumpUntil([] { return false; }, 30);
    EXPECT_EQ(customised, Titles(m_pMenuBar));
    pB->MDIActivate();
    PumpUntil([] { return false; }, 30);
    EXPECT_EQ((std::vector<CString>{L"&File", L"&Beta", L"&Gamma", L"&Window"}), Titles(m_pMenuBar));
    pA->MDIActivate();
    PumpUntil([] { return false; }, 30);
    EXPECT_EQ(customised, Titles(m_pMenuBar));
    // The set of the other type and the frame's own wait in the bar.
    EXPECT_EQ(2, m_pMenuBar->GetStoredMenuCount());
}

// Updating the bars asks the MDI client to refresh (the panes' tab client
// answers that registered message) with the frame's layout.
TEST_F(MdiFrameTest, UpdatingTheBarsAsksTheMdiClientToRefresh)
{
    const UINT nRefresh = ::RegisterWindowMessageW(L"VZPTabClientRefresh");
    std::vector<WPARAM> requests;
    HWND hClient = m_pFrame->m_hWndMDIClient;
    {
        tesmir::test::CSentMessageHook hook([&](const CWPSTRUCT& msg) {
            if (msg.hwnd == hClient && msg.message == nRefresh)
                requests.push_back(msg.wParam);
        });
        m_pFrame->m_pCommandBars->UpdateCommandBars();
    }
    EXPECT_EQ(std::vector<WPARAM>{TRUE}, requests);
}
