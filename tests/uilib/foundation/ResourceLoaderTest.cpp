// The library's own resources, loaded through the resource loader as the
// controls that use them do.
#include <gtest/gtest.h>

#include "CVZPResourceLoader.h"
#include "FoundationTestRes.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "uilibres.h"

#include <afxext.h>
#include <commctrl.h>

#include <string>
#include <vector>

using tesmir::test::Utf8;

namespace {

struct MenuItem
{
    UINT id;               // 0 for a separator, (UINT)-1 for a pop-up
    const wchar_t* text;
};

void ExpectMenu(HMENU hMenu, const std::vector<MenuItem>& expected, const char* what)
{
    SCOPED_TRACE(what);
    ASSERT_NE(hMenu, (HMENU)NULL);
    ASSERT_EQ(::GetMenuItemCount(hMenu), (int)expected.size());
    for (int i = 0; i < (int)expected.size(); i++)
    {
        wchar_t text[128] = {};
        ::GetMenuStringW(hMenu, i, text, 128, MF_BYPOSITION);
        UINT id = ::GetMenuItemID(hMenu, i);
        EXPECT_EQ(id, expected[i].id) << i;
        EXPECT_STREQ(text, expected[i].text) << i;
    }
}

}  // namespace

TEST(ResourceLoader, CursorsAndBitmapLoad)
{
    CVZPResourceLoader* pLoader = GetResourceLoader();
    ASSERT_NE(pLoader, nullptr);
    EXPECT_EQ(pLoader, GetResourceLoader());
    for (UINT id : { 9008u, 9009u, 9011u, 9970u, 9971u, 9973u })
    {
        HCURSOR hCursor = pLoader->LoadCursor(id);
        EXPECT_NE(hCursor, (HCURSOR)NULL) << id;
        ICONINFO info = {};
        if (hCursor != NULL && ::GetIconInfo(hCursor, &info))
        {
            // The hot spots: the arrow's tip, the centre, the fingertip.
            POINT expected = id == 9973 ? POINT{ 14, 2 } : id >= 9970 ? POINT{ 16, 16 } : POINT{ 0, 0 };
            EXPECT_EQ((LONG)info.xHotspot, expected.x) << id;
            EXPECT_EQ((LONG)info.yHotspot, expected.y) << id;
            ::DeleteObject(info.hbmMask);
            if (info.hbmColor != NULL)
                ::DeleteObject(info.hbmColor);
        }
    }
    EXPECT_EQ(pLoader->LoadCursor(9999), (HCURSOR)NULL);

    CBitmap bitmap;
    ASSERT_TRUE(pLoader->LoadBitmap(&bitmap, VZP_IDB_PIN_CLOSE));
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 48);
    EXPECT_EQ(bm.bmHeight, 15);
    CBitmap missing;
    EXPECT_FALSE(pLoader->LoadBitmap(&missing, 9999));
}

TEST(ResourceLoader, ContextMenus)
{
    // The high word of an id is ignored.
    for (UINT id : { 9014u, 0x10000u + 9014u })
    {
        CMenu menu;
        ASSERT_TRUE(GetResourceLoader()->LoadMenu(&menu, id)) << id;
        ASSERT_EQ(menu.GetMenuItemCount(), 3u);
        ExpectMenu(::GetSubMenu(menu.m_hMenu, 1),
                   { { 57643, L"&Undo" }, { 0, L"" }, { 57635, L"Cu&t" }, { 57634, L"&Copy" },
                     { 57637, L"&Paste" }, { 57632, L"&Delete" }, { 0, L"" }, { 57642, L"Select &All" } },
                   "edit menu");
        HMENU hHeader = ::GetSubMenu(menu.m_hMenu, 2);
        ExpectMenu(hHeader,
                   { { 9158, L"Sort Ascending" }, { 9159, L"Sort Descending" }, { 0, L"" },
                     { (UINT)-1, L"Alignment" } },
                   "header menu");
        ExpectMenu(::GetSubMenu(hHeader, 3),
                   { { 9160, L"Align Left" }, { 9161, L"Align Center" }, { 9162, L"Align Right" } },
                   "alignment menu");
    }
    CMenu missing;
    EXPECT_FALSE(GetResourceLoader()->LoadMenu(&missing, 9999));
}

TEST(ResourceLoader, Strings)
{
    struct Case
    {
        UINT id;
        const wchar_t* text;
    };
    const Case cases[] = {
        { 9036, L"Click push pin to keep open" },
        { 9037, L"The operating system is out of memory or resources." },
        { 9042, L"The .exe file is invalid (non-Win32\u00AE .exe or error in .exe image)." },
        { 9047, L"The DDE transaction could not be completed because other DDE transactions were being "
                L"processed." },
        { 9050, L"An unknown error number %d occured." },
        { 9393, L"This shortcut is currently assigned.\nDo you want to re-assign this shortcut?" },
    };
    for (const Case& c : cases)
    {
        CString text;
        EXPECT_TRUE(GetResourceLoader()->LoadString(&text, c.id)) << c.id;
        EXPECT_STREQ((LPCWSTR)text, c.text) << c.id;
    }
    for (UINT id = 9036; id <= 9050; id++)
    {
        CString text;
        EXPECT_TRUE(GetResourceLoader()->LoadString(&text, id)) << id;
        EXPECT_FALSE(text.IsEmpty()) << id;
    }
    CString missing;
    EXPECT_FALSE(GetResourceLoader()->LoadString(&missing, 9999));
}

TEST(ResourceLoader, ToolBarsAndDialogTemplate)
{
    struct Case
    {
        UINT id;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        { VZP_IDR_HEADER_TOOLBAR, { 9158, 9159, 9160, 9161, 9162 } },
        { VZP_IDR_EDIT_TOOLBAR, { 57643, 57635, 57634, 57637, 57632, 57642 } },
    };
    for (const Case& c : cases)
    {
        CToolBar toolBar;
        ASSERT_TRUE(toolBar.Create(vzfoundation_test::MainFrame()));
        ASSERT_TRUE(GetResourceLoader()->LoadToolBar(&toolBar, c.id)) << c.id;
        ASSERT_EQ((int)toolBar.SendMessage(TB_BUTTONCOUNT), (int)c.ids.size());
        for (int i = 0; i < (int)c.ids.size(); i++)
            EXPECT_EQ(toolBar.GetItemID(i), c.ids[i]) << c.id << " " << i;
        toolBar.DestroyWindow();
    }

    LPCDLGTEMPLATE pTemplate = GetResourceLoader()->LoadDialogTemplate(IDD_TEST_DIALOG);
    ASSERT_NE(pTemplate, nullptr);
    // A DIALOGEX template starts with version 1 and the signature 0xFFFF.
    const WORD* pWords = reinterpret_cast<const WORD*>(pTemplate);
    EXPECT_EQ(pWords[0], 1);
    EXPECT_EQ(pWords[1], 0xFFFF);
    EXPECT_EQ(GetResourceLoader()->LoadDialogTemplate(9999), nullptr);
}
