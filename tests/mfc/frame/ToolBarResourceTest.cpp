// Tool bar resources (type 241): the framework's one reader and
// CToolBar::LoadToolBar over it.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MfcFrameTestsRes.h"

#include <commctrl.h>

TEST(ToolBarResource, LoadsIdsSizesAndBitmap)
{
    AFX_TOOLBAR_RESOURCE resource;
    ASSERT_TRUE(AfxReadToolBarResource(MAKEINTRESOURCE(IDR_TEST_TOOLBAR), resource));
    EXPECT_EQ(resource.wVersion, 1);
    EXPECT_EQ(resource.wWidth, 16);
    EXPECT_EQ(resource.wHeight, 15);
    EXPECT_EQ(resource.ids, (std::vector<UINT>{ ID_TOOL_ONE, 0, ID_TOOL_TWO }));

    mfcframe_test::CScopedApp app;
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("tool bar"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310)));
    CToolBar toolBar;
    ASSERT_TRUE(toolBar.Create(pFrame));
    ASSERT_TRUE(toolBar.LoadToolBar(IDR_TEST_TOOLBAR));
    ASSERT_EQ(toolBar.SendMessage(TB_BUTTONCOUNT), 3);
    EXPECT_EQ(toolBar.GetItemID(0), (UINT)ID_TOOL_ONE);
    EXPECT_EQ(toolBar.GetItemID(1), 0u);
    EXPECT_EQ(toolBar.GetItemID(2), (UINT)ID_TOOL_TWO);
    // The images are the resource's size (button size = image + 7, 7).
    CRect rcButton;
    toolBar.SendMessage(TB_GETITEMRECT, 0, (LPARAM)&rcButton);
    EXPECT_EQ(rcButton.Width(), 16 + 7);
    EXPECT_EQ(rcButton.Height(), 15 + 7);

    // A resource shorter than its count is refused, and so is a missing one.
    EXPECT_FALSE(AfxReadToolBarResource(MAKEINTRESOURCE(IDR_SHORT_TOOLBAR), resource));
    EXPECT_FALSE(toolBar.LoadToolBar(IDR_SHORT_TOOLBAR));
    EXPECT_FALSE(AfxReadToolBarResource(MAKEINTRESOURCE(999), resource));
    pFrame->DestroyWindow();
}

TEST(ToolBarResource, RefusesWhatItCannotTrust)
{
    // Each case breaks one thing the reader checks, in the order it checks.
    const struct
    {
        UINT nID;
        BOOL bRead;
        size_t nIds;
    } cases[] = {
        {IDR_HEADER_TOOLBAR, FALSE, 0},   // shorter than the four-word header
        {IDR_OLD_TOOLBAR, FALSE, 0},      // version 2
        {IDR_SHORT_TOOLBAR, FALSE, 0},    // count beyond the resource's size
        {IDR_EMPTY_TOOLBAR, TRUE, 0},     // a bar without buttons is fine
        {IDR_TEST_TOOLBAR, TRUE, 3},
    };
    for (const auto& c : cases)
    {
        AFX_TOOLBAR_RESOURCE resource;
        resource.ids.assign(5, 7u);
        EXPECT_EQ(c.bRead, AfxReadToolBarResource(MAKEINTRESOURCE(c.nID), resource)) << c.nID;
        if (c.bRead)
        {
            EXPECT_EQ(c.nIds, resource.ids.size()) << c.nID;
        }
    }
}

TEST(SystemCommandPrompts, EveryWindowCommandHasItsPrompt)
{
    // The menu bar shows an MDI child's system menu with these prompts, at
    // ((command - 0xF000) >> 4) + 0xEF00.
    const UINT commands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE, SC_SIZE, SC_MOVE, SC_NEXTWINDOW,
                             SC_PREVWINDOW};
    CString strSeen;
    for (UINT nCommand : commands)
    {
        CString strPrompt;
        EXPECT_TRUE(strPrompt.LoadString(((nCommand - 0xF000) >> 4) + 0xEF00)) << std::hex << nCommand;
        EXPECT_FALSE(strPrompt.IsEmpty()) << std::hex << nCommand;
        EXPECT_EQ(-1, strSeen.Find(strPrompt)) << "two commands share a prompt";
        strSeen += strPrompt + _T("|");
    }
    CString strRestore;
    strRestore.LoadString(AFX_IDS_SCRESTORE);
    CString strFromCommand;
    strFromCommand.LoadString(((SC_RESTORE - 0xF000) >> 4) + 0xEF00);
    EXPECT_EQ(strRestore, strFromCommand);
}
