// MDI frames: the active child's document type chooses the frame's menu
// through WM_MDISETMENU to the MDI client, also once the frame's native menu
// was taken away (a window hooking the client, such as a menu bar, follows
// the switch that way), and a frame without a native menu keeps none.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MfcFrameTestsRes.h"
#include "TestSupport.h"

#include <functional>
#include <utility>
#include <vector>

using namespace mfcframe_test;
using tesmir::test::CSentMessageHook;

namespace {

class CMdiDoc : public CDocument
{
    DECLARE_DYNCREATE(CMdiDoc)
};
IMPLEMENT_DYNCREATE(CMdiDoc, CDocument)

class CMdiView : public CView
{
    DECLARE_DYNCREATE(CMdiView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMdiView, CView)

class MdiFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_TESTDOC, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        m_app.m_pMainWnd = m_pFrame;
        m_pTemplate = new CMultiDocTemplate(IDR_MDIDOC, RUNTIME_CLASS(CMdiDoc), RUNTIME_CLASS(CMDIChildWnd),
                                            RUNTIME_CLASS(CMdiView));
        m_app.AddDocTemplate(m_pTemplate);
        ASSERT_NE(nullptr, m_pTemplate->m_hMenuShared);
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = NULL;
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
    }

    // The menus WM_MDISETMENU brought to the MDI client while fn ran.
    std::vector<std::pair<HMENU, HMENU>> MenusSentDuring(const std::function<void()>& fn)
    {
        std::vector<std::pair<HMENU, HMENU>> menus;
        HWND hClient = m_pFrame->m_hWndMDIClient;
        CSentMessageHook hook([&](const CWPSTRUCT& msg) {
            if (msg.hwnd == hClient && msg.message == WM_MDISETMENU)
                menus.push_back(std::make_pair((HMENU)msg.wParam, (HMENU)msg.lParam));
        });
        fn();
        return menus;
    }
    CMDIChildWnd* OpenChild()
    {
        CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
        return pDoc != NULL ? m_pFrame->MDIGetActive() : NULL;
    }

    CScopedApp m_app;
    CMDIFrameWnd* m_pFrame = NULL;
    CMultiDocTemplate* m_pTemplate = NULL;
};

}  // namespace

TEST_F(MdiFrame, TheActiveChildsDocumentTypeChoosesTheMenu)
{
    HMENU hFrameMenu = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_NE(nullptr, hFrameMenu);
    HMENU hDocMenu = m_pTemplate->m_hMenuShared;
    HMENU hDocWindowMenu = ::GetSubMenu(hDocMenu, 1);

    CMDIChildWnd* pChild = NULL;
    auto sent = MenusSentDuring([&] { pChild = OpenChild(); });
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(hDocMenu, pChild->m_hMenuShared);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(std::make_pair(hDocMenu, hDocWindowMenu), sent.back());
    EXPECT_EQ(hDocMenu, ::GetMenu(m_pFrame->m_hWnd));

    // The last child gone, the frame's own menu comes back.
    sent = MenusSentDuring([&] { pChild->MDIDestroy(); });
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(hFrameMenu, sent.back().first);
    EXPECT_EQ(hFrameMenu, ::GetMenu(m_pFrame->m_hWnd));
}

TEST_F(MdiFrame, AFrameWithoutItsNativeMenuStillTellsTheClientAndKeepsNone)
{
    ::SetMenu(m_pFrame->m_hWnd, NULL);
    HMENU hDocMenu = m_pTemplate->m_hMenuShared;
    CMDIChildWnd* pChild = NULL;
    auto sent = MenusSentDuring([&] { pChild = OpenChild(); });
    ASSERT_NE(nullptr, pChild);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(hDocMenu, sent.back().first);
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));

    // Idle updates and a second child leave it without one too.
    m_pFrame->OnUpdateFrameMenu(NULL);
    CMDIChildWnd* pSecond = OpenChild();
    ASSERT_NE(nullptr, pSecond);
    EXPECT_NE(pChild, pSecond);
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
    sent = MenusSentDuring([&] {
        pSecond->MDIDestroy();
        pChild->MDIDestroy();
    });
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(m_pFrame->m_hMenuDefault, sent.back().first);
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
}
