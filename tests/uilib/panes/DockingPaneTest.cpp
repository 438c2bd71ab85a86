// The docking pane itself: title and tab caption, tab colours, icons,
// copies, placing in a query pass and the attached application window.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <afxpriv.h>

#include "CVZPImageManager.h"
#include "DockingFrameFixture.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

namespace {

class DockingPane : public testing::Test
{
protected:
    void SetUp() override { m_pLayout = m_manager.MakeLayout(); }
    void TearDown() override { m_pLayout->InternalRelease(); }
    CVZPDockingPane* Pane(int nID)
    {
        CVZPDockingPane* pPane =
            static_cast<CVZPDockingPane*>(m_manager.CreatePaneObject(vzpPaneTypeDockingPane, m_pLayout));
        pPane->SetID(nID);
        return pPane;
    }

    CVZPDockingPaneManager m_manager;
    CVZPDockingPaneLayout* m_pLayout = NULL;
};

// A window that answers the tab-colour query.
LRESULT CALLBACK ColourAnswer(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VZP_GETTABCOLOR)
        return LRESULT(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

TEST_F(DockingPane, TheTitleSplitsAtTheFirstLineFeed)
{
    struct Case
    {
        LPCWSTR pszTitle, pszCaption, pszTab;
    };
    const Case cases[] = {
        { L"Output", L"Output", L"Output" },
        { L"Output\nOut", L"Output", L"Out" },
        { L"\nTab", L"", L"Tab" },
        { L"A\nB\nC", L"A", L"B\nC" },
    };
    CVZPDockingPane* pPane = Pane(1);
    for (const Case& c : cases)
    {
        pPane->SetTitle(c.pszTitle);
        EXPECT_EQ(CString(c.pszCaption), pPane->GetTitle()) << c.pszTitle;
        EXPECT_EQ(CString(c.pszTab), pPane->GetTabCaption()) << c.pszTitle;
    }
}

TEST_F(DockingPane, TabColoursComeFromTheSetColourTheWindowOrTheId)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ColourAnswer;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = L"PaneColourAnswer";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, L"PaneColourAnswer", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                  AfxGetInstanceHandle(), NULL);
    ASSERT_NE(nullptr, hWnd);

    struct Case
    {
        int nID;
        COLORREF clrExpected;
    };
    // The remainder keeps the id's sign: -5 gives 0x1000000 - 5.
    const Case cases[] = { { 3, 0x1000003 }, { 11, 0x1000003 }, { -5, 0x1000000 - 5 } };
    CVZPDockingPane* pPane = Pane(0);
    pPane->Attach(hWnd);
    for (const Case& c : cases)
    {
        pPane->SetID(c.nID);
        EXPECT_EQ(c.clrExpected, pPane->GetTabColor()) << c.nID;
    }
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), pPane->GetTabColor()) << "a nonzero answer wins";
    pPane->m_nTabColor = RGB(1, 2, 3);
    EXPECT_EQ(RGB(1, 2, 3), pPane->GetTabColor()) << "a set colour wins";
    pPane->Attach(HWND(NULL));
    ::DestroyWindow(hWnd);
}

TEST_F(DockingPane, TheIconIsThePaneIdsUnlessAnIconIdIsSet)
{
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    ASSERT_TRUE(m_manager.GetImageManager()->SetIcon(CVZPImageManagerIconHandle(hIcon), 7, SIZE{ 16, 16 }));
    CVZPDockingPane* pPane = Pane(7);
    EXPECT_NE(nullptr, pPane->GetPaneIcon(16));
    pPane->m_nIconID = 8;
    EXPECT_EQ(nullptr, pPane->GetPaneIcon(16));
    pPane->SetID(8);
    pPane->m_nIconID = 7;
    EXPECT_NE(nullptr, pPane->GetPaneIcon(16));
}

TEST_F(DockingPane, AClonedPaneKeepsTheIdButNeitherWindowNorColours)
{
    CVZPDockingPane* pPane = Pane(12);
    pPane->SetTitle(L"Source\nSrc");
    pPane->m_nDockingCX = 90;
    pPane->SetOptions(0x05);
    pPane->m_dwTag = 3;
    pPane->m_szMinTrack = CSize(10, 20);
    pPane->m_nTabColor = 0x1000004;
    pPane->m_nHelpID = 5;
    pPane->m_hwndChild = ::GetDesktopWindow();
    CMapPtrToPtr map;
    CVZPDockingPaneBase* pBase = pPane->Clone(m_pLayout, &map, 0);
    pPane->m_hwndChild = NULL;
    ASSERT_NE(nullptr, pBase);
    CVZPDockingPane* pClone = static_cast<CVZPDockingPane*>(pBase);
    EXPECT_EQ(12, pClone->GetID());
    EXPECT_EQ(CString(L"Source\nSrc"), pClone->GetRawTitle());
    EXPECT_EQ(90, pClone->m_nDockingCX);
    EXPECT_EQ(0x05u, pClone->GetOptions());
    EXPECT_EQ(3u, pClone->m_dwTag);
    EXPECT_EQ(CSize(10, 20), pClone->m_szMinTrack);
    EXPECT_EQ(nullptr, pClone->GetChildWindow());
    EXPECT_EQ(-1, pClone->m_nTabColor);
    EXPECT_EQ(0, pClone->m_nHelpID);
    void* pMapped = NULL;
    EXPECT_TRUE(map.Lookup(static_cast<CVZPDockingPaneBase*>(pPane), pMapped));
    EXPECT_EQ(pBase, pMapped);
    EXPECT_EQ(pClone, m_pLayout->FindRecord(pClone)->pPane) << "the clone has a record of its own";
}

TEST_F(DockingPane, AQueryPassChangesOnlyTheHost)
{
    CVZPDockingPane* pPane = Pane(1);
    CWnd wnd;
    AFX_SIZEPARENTPARAMS params = {};
    pPane->PlaceInFrame(&wnd, CRect(1, 2, 3, 4), &params);
    EXPECT_EQ(&wnd, pPane->GetHostWindow());
    EXPECT_EQ(CRect(0, 0, 0, 0), pPane->GetPaneRect());
}

TEST(DockingPaneWindow, AnAttachedWindowIsParkedWhileClosedAndMovesIntoItsContainer)
{
    CDockingTestFrame* pFrame = CDockingTestFrame::Build(CSize(300, 200));
    ASSERT_NE(nullptr, pFrame);
    CVZPDockingPane* pPane = pFrame->NewPane(3, L"Hosted", 120, 100);
    HWND hChild = pPane->GetChildWindow();
    EXPECT_EQ(pFrame->m_manager.GetSafeHwnd(), ::GetParent(hChild));
    EXPECT_FALSE(::IsWindowVisible(hChild));
    pFrame->m_manager.DockPaneAtSide(pPane, vzpPaneDockLeft);
    pFrame->LayoutNow();
    EXPECT_EQ(pFrame->TabbedOf(pPane)->GetSafeHwnd(), ::GetParent(hChild));
    EXPECT_TRUE(::IsWindowVisible(hChild));
    EXPECT_TRUE(pPane->IsSelected());
    ::SetFocus(hChild);
    EXPECT_TRUE(pPane->HasFocus());
    pFrame->Destroy();
}

}  // namespace vzpanes_test
