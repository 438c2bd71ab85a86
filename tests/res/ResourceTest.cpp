// The program's resource script, loaded under Wine the way the code that uses
// each resource loads it: strings, bitmaps at their sizes, icons with their
// entries, cursors, menus, the toolbar, the version and every dialog with its
// controls. Tables list what the dialogs' and frames' code expects.
#include <afxwin.h>
#include <afxpriv.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "appuires.h"
#include "resource.h"

using tesmir::test::CDibCanvas;
using tesmir::test::Utf8;

namespace {

const COLORREF kVisibleWhite = RGB(254, 254, 254);
const COLORREF kMaskWhite = RGB(255, 255, 255);
const COLORREF kRegionKey = RGB(0, 255, 0);
const COLORREF kBackground = RGB(242, 242, 242);

HINSTANCE Module() { return AfxGetResourceHandle(); }

std::wstring LoadText(UINT nID)
{
    const wchar_t* p = nullptr;
    int n = ::LoadStringW(Module(), nID, (LPWSTR)&p, 0);
    return n > 0 ? std::wstring(p, n) : std::wstring();
}

// A bitmap resource read back as a 32-bit top-down canvas.
struct CLoadedBitmap
{
    explicit CLoadedBitmap(UINT nID)
    {
        HBITMAP hbm = (HBITMAP)::LoadImage(Module(), MAKEINTRESOURCE(nID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        if (hbm == nullptr)
            return;
        BITMAP bm = {};
        ::GetObject(hbm, sizeof(bm), &bm);
        m_pCanvas.reset(new CDibCanvas(bm.bmWidth, bm.bmHeight));
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdc, hbm);
        ::BitBlt(m_pCanvas->Dc(), 0, 0, bm.bmWidth, bm.bmHeight, hdc, 0, 0, SRCCOPY);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        ::DeleteObject(hbm);
    }
    bool Loaded() const { return m_pCanvas != nullptr; }
    int Width() const { return m_pCanvas->Width(); }
    int Height() const { return m_pCanvas->Height(); }
    COLORREF Pixel(int x, int y) const { return m_pCanvas->Pixel(x, y); }
    int Count(int x0, int y0, int x1, int y1, COLORREF cr) const
    {
        RECT rc = { x0, y0, x1, y1 };
        return m_pCanvas->Count(rc, cr);
    }
    std::unique_ptr<CDibCanvas> m_pCanvas;
};

// ---------------------------------------------------------------------------
// Strings

struct StringCase
{
    UINT nID;
    const wchar_t* pszText;   // null: any non-empty text
};

const StringCase kStrings[] = {
    { AFX_IDS_APP_TITLE, L"Tesmir for VHD" },
    { IDR_MAINFRAME, L"Tesmir for VHD\n\nQiv\nTesmir Files (*.xwqz)\n.xwqz\nTesmir.Document\nTesmir Document" },
    { IDS_OLE_INIT_FAILED, nullptr },
    { IDS_CONTACT_SUPPORT, L"contact support" },
    { ID_RECOVERY_OPEN, L"Open \nOpen" },
    { ID_RECOVER_SELECTED, L"Recovery Selected \nRecover" },
    { ID_SAVE_SNAPSHOT, L"Save Snapshot \nSave Snapshot" },
    { ID_LOAD_SNAPSHOT, L"Load Snapshot \n Load Snapshot" },
    { ID_FIND_FILES, L"Find \nFind" },
    { ID_SETTINGS, L"Setting \nSetting" },
    { ID_HELP, L"Help \n Help" },
    { ID_SAVE_ALL, L"Save All \nSave All" },
    // The status bar's indicators: without them the frame cannot be created.
    { AFX_IDS_IDLEMESSAGE, L"Ready" },
    { ID_INDICATOR_CAPS, L"CAP" },
    { ID_INDICATOR_NUM, L"NUM" },
    { ID_INDICATOR_SCRL, L"SCRL" },
};

TEST(ResourceStrings, EveryStringHasItsText)
{
    for (const StringCase& c : kStrings)
    {
        std::wstring text = LoadText(c.nID);
        if (c.pszText == nullptr)
            EXPECT_FALSE(text.empty()) << "string " << c.nID;
        else
            EXPECT_EQ(Utf8(c.pszText), Utf8(text)) << "string " << c.nID;
    }
}

// The status bar's SetIndicators finds a text for every indicator id the
// frame passes; a missing one would make the frame's creation fail.
TEST(ResourceStrings, StatusBarTakesTheFramesIndicators)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("status"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310)));
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    const UINT indicators[] = { 0, IDS_CONTACT_SUPPORT, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
    EXPECT_TRUE(bar.SetIndicators(indicators, 5));
    pFrame->DestroyWindow();
}

// ---------------------------------------------------------------------------
// Bitmaps

struct BitmapCase
{
    UINT nID;
    int cx, cy;
};

const BitmapCase kBitmaps[] = {
    { IDB_HEADER_LOGO, 202, 51 }, { IDB_FILE_TYPE_STATES, 64, 16 }, { IDB_LIST_STATES, 32, 16 },
    { IDB_DRIVE_INFO_SKIN, 373, 332 }, { IDB_FIND_SKIN, 630, 439 }, { IDB_FILE_TYPES_SKIN, 458, 434 },
    { IDB_FILE_FILTERS_SKIN, 330, 276 }, { IDB_PROPERTIES_SKIN, 360, 211 }, { IDB_SAVING_SKIN, 450, 179 },
    { IDB_PROGRESS_SKIN, 399, 174 }, { IDB_START_BACKGROUND, 64, 64 }, { IDB_STEP_BACKGROUND, 64, 64 },
    { IDB_MODE_QUICK, 181, 203 }, { IDB_MODE_QUICK_HOVER, 181, 203 }, { IDB_MODE_EXTENSIVE, 173, 203 },
    { IDB_MODE_EXTENSIVE_HOVER, 173, 203 }, { IDB_MODE_TRACE, 163, 203 }, { IDB_MODE_TRACE_HOVER, 163, 203 },
    { IDB_START_HEADER_LEFT, 300, 80 }, { IDB_START_HEADER_RIGHT, 240, 80 }, { IDB_START_HEADER_MIDDLE, 8, 80 },
    { IDB_STEP_BANNER_RIGHT, 240, 60 }, { IDB_STEP_BANNER_MIDDLE, 8, 60 }, { IDB_BANNER_DRIVE, 300, 60 },
    { IDB_BANNER_DRIVE_BUSY, 300, 60 }, { IDB_BANNER_SCAN_BUSY, 300, 60 }, { IDB_BANNER_RECOVERY, 300, 60 },
    { IDB_BANNER_SCAN, 300, 60 }, { IDB_BANNER_FILE_SYSTEM, 300, 60 }, { IDB_BANNER_EXTENSIVE, 300, 60 },
    { IDB_BANNER_LOGICAL, 300, 60 }, { IDR_STANDARD_TOOLBAR, 224, 32 }, { IDB_ABOUT_PICTURE, 120, 120 },
    { IDB_PANEL_PICTURE, 255, 221 },
};

// Owner-drawn buttons show only their bitmap, so each one carries its caption.
const BitmapCase kButtons[] = {
    { IDB_NEXT, 74, 26 }, { IDB_NEXT_HOVER, 74, 26 }, { IDB_BACK, 74, 26 }, { IDB_BACK_HOVER, 74, 26 },
    { IDB_STOP, 74, 26 }, { IDB_STOP_HOVER, 74, 26 }, { IDB_SCAN, 74, 26 }, { IDB_SCAN_HOVER, 74, 26 },
    { IDB_HOME, 74, 26 }, { IDB_HOME_HOVER, 74, 26 }, { IDB_RECOVER, 89, 26 }, { IDB_RECOVER_HOVER, 89, 26 },
    { IDB_STOP_SAVING, 110, 26 }, { IDB_STOP_SAVING_HOVER, 110, 26 }, { IDB_SKIP_FILE, 110, 26 },
    { IDB_SKIP_FILE_HOVER, 110, 26 }, { IDB_FIND_START, 120, 26 }, { IDB_FIND_START_HOVER, 120, 26 },
    { IDB_FIND_STOP, 120, 26 }, { IDB_FIND_STOP_HOVER, 120, 26 }, { IDB_FIND_SAVE, 150, 26 },
    { IDB_FIND_SAVE_HOVER, 150, 26 },
};

TEST(ResourceBitmaps, EveryBitmapLoadsAtItsSizeWithoutTheRegionKey)
{
    std::vector<BitmapCase> all(std::begin(kBitmaps), std::end(kBitmaps));
    all.insert(all.end(), std::begin(kButtons), std::end(kButtons));
    for (const BitmapCase& c : all)
    {
        CLoadedBitmap bm(c.nID);
        ASSERT_TRUE(bm.Loaded()) << "bitmap " << c.nID;
        EXPECT_EQ(c.cx, bm.Width()) << "bitmap " << c.nID;
        EXPECT_EQ(c.cy, bm.Height()) << "bitmap " << c.nID;
        // No window of the program is cut from these bitmaps.
        EXPECT_EQ(0, bm.Count(0, 0, bm.Width(), bm.Height(), kRegionKey)) << "bitmap " << c.nID;
    }
}

TEST(ResourceBitmaps, EveryButtonShowsItsCaptionInsideTheButton)
{
    for (const BitmapCase& c : kButtons)
    {
        CLoadedBitmap bm(c.nID);
        ASSERT_TRUE(bm.Loaded()) << "bitmap " << c.nID;
        // The caption is white on the accent face in the middle band...
        int nCaption = bm.Count(4, c.cy / 2 - 4, c.cx - 4, c.cy / 2 + 4, kVisibleWhite);
        EXPECT_GT(nCaption, 25) << "button " << c.nID;
        // ... and nothing of it reaches the button's edge, whose corners show
        // the background the button stands on.
        int nEdge = bm.Count(0, 0, c.cx, 1, kVisibleWhite) + bm.Count(0, c.cy - 1, c.cx, c.cy, kVisibleWhite) +
                    bm.Count(0, 0, 1, c.cy, kVisibleWhite) + bm.Count(c.cx - 1, 0, c.cx, c.cy, kVisibleWhite);
        EXPECT_EQ(0, nEdge) << "button " << c.nID;
        EXPECT_EQ(kBackground, bm.Pixel(0, 0)) << "button " << c.nID;
        EXPECT_EQ(kBackground, bm.Pixel(c.cx - 1, c.cy - 1)) << "button " << c.nID;
    }
}

// Where white is the mask colour, visible white is RGB(254,254,254): the
// inside of the empty list check box and the logo's white drawing show, the
// area around them does not.
TEST(ResourceBitmaps, MaskedBitmapsKeepPureWhiteForTheMask)
{
    CLoadedBitmap states(IDB_LIST_STATES);
    ASSERT_TRUE(states.Loaded());
    EXPECT_EQ(kVisibleWhite, states.Pixel(7, 7)) << "inside the empty box";
    EXPECT_EQ(kMaskWhite, states.Pixel(0, 0));
    EXPECT_EQ(kMaskWhite, states.Pixel(16, 15));
    EXPECT_GT(states.Count(16, 0, 32, 16, kVisibleWhite), 5) << "the tick of the filled box";

    CLoadedBitmap logo(IDB_HEADER_LOGO);
    ASSERT_TRUE(logo.Loaded());
    EXPECT_EQ(kMaskWhite, logo.Pixel(0, 0));
    EXPECT_EQ(kMaskWhite, logo.Pixel(201, 50));
    EXPECT_GT(logo.Count(0, 0, 50, 51, kVisibleWhite), 50) << "the tile's white drawing";

    CLoadedBitmap fileTypes(IDB_FILE_TYPE_STATES);
    ASSERT_TRUE(fileTypes.Loaded());
    EXPECT_EQ(16 * 16, fileTypes.Count(0, 0, 16, 16, kMaskWhite)) << "state 0 is empty";
}

// The toolbar strip's transparent colour is the light grey of its top-left
// pixel, which no image uses.
TEST(ResourceBitmaps, ToolbarStripKeepsItsKeyColourForTheBackground)
{
    CLoadedBitmap strip(IDR_STANDARD_TOOLBAR);
    ASSERT_TRUE(strip.Loaded());
    const COLORREF key = strip.Pixel(0, 0);
    EXPECT_EQ(RGB(192, 192, 192), key);
    for (int cell = 0; cell < 7; cell++)
    {
        int nKey = strip.Count(cell * 32, 0, cell * 32 + 32, 32, key);
        EXPECT_GT(nKey, 200) << "cell " << cell;
        EXPECT_LT(nKey, 32 * 32 - 100) << "cell " << cell << " has a picture";
    }
}

// ---------------------------------------------------------------------------
// Icons and cursors

struct IconCase
{
    UINT nID;
    std::vector<int> sizes;
};

const std::vector<IconCase>& IconCases()
{
    static const std::vector<IconCase> cases = {
        { IDR_MAINFRAME, { 16, 32, 48 } },
        { IDI_TREE_FOLDER, { 16, 32 } }, { IDI_TREE_DISK_OTHER, { 16, 32 } }, { IDI_TREE_CD, { 16, 32 } },
        { IDI_TREE_REMOVABLE, { 16, 32 } }, { IDI_TREE_FLOPPY, { 16, 32 } }, { IDI_TREE_DISK, { 16, 32 } },
        { IDI_TREE_COMPUTER, { 16, 32 } },
        { IDI_COLUMN_CREATED, { 16, 32, 48 } }, { IDI_COLUMN_TYPE, { 16, 32, 48 } },
        { IDI_COLUMN_NAME, { 16, 32, 48 } }, { IDI_COLUMN_SIZE, { 16, 32, 48 } },
        { IDI_COLUMN_SPARE, { 16, 32, 48 } }, { IDI_COLUMN_MODIFIED, { 16, 32, 48 } },
        { IDI_COLUMN_ID, { 16, 32, 48 } },
        { IDI_TOOL_OPEN, { 16, 32 } }, { IDI_TOOL_RECOVER, { 16, 32 } }, { IDI_TOOL_SAVE_SNAPSHOT, { 16, 32 } },
        { IDI_TOOL_LOAD_SNAPSHOT, { 16, 32 } }, { IDI_TOOL_FIND, { 16, 32 } }, { IDI_TOOL_SETTINGS, { 16, 32 } },
        { IDI_TOOL_HELP, { 16, 32 } },
    };
    return cases;
}

// The entries of an icon group resource as (width, bits per pixel).
std::vector<std::pair<int, int>> IconEntries(UINT nID)
{
    std::vector<std::pair<int, int>> entries;
    HRSRC hRsrc = ::FindResource(Module(), MAKEINTRESOURCE(nID), RT_GROUP_ICON);
    if (hRsrc == nullptr)
        return entries;
    const BYTE* p = (const BYTE*)::LockResource(::LoadResource(Module(), hRsrc));
    DWORD cb = ::SizeofResource(Module(), hRsrc);
    int count = cb >= 6 ? p[4] | (p[5] << 8) : 0;
    for (int i = 0; i < count && 6u + 14u * (i + 1) <= cb; i++)
    {
        const BYTE* e = p + 6 + 14 * i;   // GRPICONDIRENTRY
        entries.push_back({ e[0] == 0 ? 256 : e[0], e[6] | (e[7] << 8) });
    }
    return entries;
}

// The rows of a bitmap as 32-bit top-down pixels (0x00RRGGBB).
std::vector<DWORD> Pixels32(HBITMAP hbm, int cx, int cy)
{
    std::vector<DWORD> pixels((size_t)cx * cy);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    HDC hdc = ::GetDC(nullptr);
    ::GetDIBits(hdc, hbm, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    return pixels;
}

TEST(ResourceIcons, EveryIconHasItsEntriesIn32Bits)
{
    for (const IconCase& c : IconCases())
    {
        std::vector<std::pair<int, int>> entries = IconEntries(c.nID);
        std::vector<int> widths;
        for (const auto& e : entries)
        {
            widths.push_back(e.first);
            EXPECT_EQ(32, e.second) << "icon " << c.nID << " entry " << e.first;
        }
        EXPECT_EQ(c.sizes, widths) << "icon " << c.nID;
        for (int size : c.sizes)
        {
            HICON hIcon = (HICON)::LoadImage(Module(), MAKEINTRESOURCE(c.nID), IMAGE_ICON, size, size, 0);
            ASSERT_NE(nullptr, hIcon) << "icon " << c.nID << " at " << size;
            ICONINFO info = {};
            ASSERT_TRUE(::GetIconInfo(hIcon, &info));
            ASSERT_NE(nullptr, info.hbmColor) << "icon " << c.nID;
            BITMAP bm = {};
            ::GetObject(info.hbmColor, sizeof(bm), &bm);
            EXPECT_EQ(size, bm.bmWidth) << "icon " << c.nID;
            EXPECT_EQ(size, bm.bmHeight) << "icon " << c.nID;
            // Icons sit in image lists with a white background: nothing
            // visible (AND mask 0) is pure white, and something is visible.
            std::vector<DWORD> colour = Pixels32(info.hbmColor, size, size);
            std::vector<DWORD> mask = Pixels32(info.hbmMask, size, size);
            int nVisible = 0, nWhite = 0;
            for (size_t i = 0; i < colour.size(); i++)
            {
                if ((mask[i] & 0xFFFFFF) != 0)
                    continue;
                nVisible++;
                nWhite += (colour[i] & 0xFFFFFF) == 0xFFFFFF;
            }
            EXPECT_GT(nVisible, size * size / 16) << "icon " << c.nID << " at " << size;
            EXPECT_EQ(0, nWhite) << "icon " << c.nID << " at " << size;
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
            ::DestroyIcon(hIcon);
        }
    }
}

TEST(ResourceIcons, CursorsLoadWithTheirHotSpotAtTheTip)
{
    for (UINT nID : { IDC_CURSOR_CHECK_MARK, IDC_CURSOR_EXPAND })
    {
        HCURSOR hCursor = ::LoadCursor(Module(), MAKEINTRESOURCE(nID));
        ASSERT_NE(nullptr, hCursor) << "cursor " << nID;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(hCursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(0u, info.xHotspot);
        EXPECT_EQ(0u, info.yHotspot);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyCursor(hCursor);
    }
}

// ---------------------------------------------------------------------------
// Menus

struct MenuItem
{
    const wchar_t* pszText;   // null: a separator
    UINT nID;                 // 0 for a popup
    std::vector<MenuItem> popup;
};

// Compares a menu with the expected items, naming the path of a difference.
void ExpectMenu(HMENU hMenu, const std::vector<MenuItem>& items, const std::string& path)
{
    ASSERT_NE(nullptr, hMenu) << path;
    ASSERT_EQ((int)items.size(), ::GetMenuItemCount(hMenu)) << path;
    for (int i = 0; i < (int)items.size(); i++)
    {
        wchar_t text[128] = {};
        MENUITEMINFOW info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 127;
        ASSERT_TRUE(::GetMenuItemInfoW(hMenu, i, TRUE, &info)) << path;
        const MenuItem& want = items[i];
        std::string where = path + " item " + std::to_string(i);
        if (want.pszText == nullptr)
        {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << where;
            continue;
        }
        EXPECT_EQ(Utf8(want.pszText), Utf8(text)) << where;
        if (want.popup.empty())
        {
            EXPECT_EQ(nullptr, info.hSubMenu) << where;
            EXPECT_EQ(want.nID, info.wID) << where;
        }
        else
        {
            ExpectMenu(info.hSubMenu, want.popup, where + " (" + Utf8(want.pszText) + ")");
        }
    }
}

const std::vector<MenuItem> kViewPopup = {
    { L"Ico&ns     ", ID_VIEW_ICONS, {} }, { L"&List", ID_VIEW_LIST, {} }, { L"&Details", ID_VIEW_DETAILS, {} },
};

TEST(ResourceMenus, MainMenuHasTheFramesCommands)
{
    const std::vector<MenuItem> menu = {
        { L"Recovery", 0, {
            { L"&Open", 32818, {} }, { L"&Recover Selected...", 32777, {} }, { nullptr, 0, {} },
            { L"&Save Recovery Snapshot...", 32811, {} }, { L"&Load Recovery Snapshot...", 32781, {} },
            { nullptr, 0, {} }, { L"E&xit...", 32809, {} } } },
        { L"View", 0, {
            { L"&Icons", 32782, {} }, { L"&List", 59410, {} }, { L"&Details", 59411, {} } } },
        { L"Tools", 0, {
            { L"&Find Files", 32785, {} }, { L"File Fi&lters", 32786, {} }, { L"&Settings", 32787, {} },
            { nullptr, 0, {} }, { L"&Drive Information", 32788, {} }, { nullptr, 0, {} } } },
        { L"Help", 0, {
            { L"&Help", 57670, {} }, { L"&About Tesmir for VHD", 57664, {} } } },
    };
    HMENU hMenu = ::LoadMenu(Module(), MAKEINTRESOURCE(IDR_MAINFRAME));
    ExpectMenu(hMenu, menu, "menu 128");
    ::DestroyMenu(hMenu);
}

TEST(ResourceMenus, ContextMenusOfTheListAndTheTree)
{
    const std::vector<MenuItem> list = {
        { L"&Recover Selected...", 32777, {} }, { nullptr, 0, {} }, { L"&View", 0, kViewPopup },
        { L"&Find Files...", 32785, {} }, { nullptr, 0, {} }, { L"Re&name", 32802, {} }, { nullptr, 0, {} },
        { L"&Settings...", 32787, {} }, { nullptr, 0, {} }, { L"&Properties...", 32804, {} },
    };
    const std::vector<MenuItem> tree = {
        { L"&Recover Selected...", 32777, {} }, { nullptr, 0, {} }, { L"&View", 0, kViewPopup },
        { L"&Find Files...", 32785, {} }, { nullptr, 0, {} }, { L"&Settings...", 32787, {} }, { nullptr, 0, {} },
        { L"&Properties...", 32804, {} },
    };
    HMENU hList = ::LoadMenu(Module(), MAKEINTRESOURCE(IDR_LIST_CONTEXT));
    ASSERT_NE(nullptr, hList);
    ExpectMenu(::GetSubMenu(hList, 0), list, "menu 192");
    ::DestroyMenu(hList);
    HMENU hTree = ::LoadMenu(Module(), MAKEINTRESOURCE(IDR_TREE_CONTEXT));
    ASSERT_NE(nullptr, hTree);
    ExpectMenu(::GetSubMenu(hTree, 0), tree, "menu 325");
    ::DestroyMenu(hTree);
}

// No accelerator table 128: the frame has no keyboard accelerators.
TEST(ResourceMenus, NoAcceleratorTableForTheFrame)
{
    EXPECT_EQ(nullptr, ::FindResource(Module(), MAKEINTRESOURCE(IDR_MAINFRAME), RT_ACCELERATOR));
}

// ---------------------------------------------------------------------------
// Toolbar and version

const UINT kToolbarIds[] = { 32818, 0, 32777, 0, 32811, 0, 32781, 0, 32785, 0, 32787, 0, 57670 };

// The raw RT_TOOLBAR words: version 1, 32 x 32 images, 13 entries.
TEST(ResourceToolbar, RawResourceHoldsVersionSizeAndIds)
{
    HRSRC hRsrc = ::FindResource(Module(), MAKEINTRESOURCE(IDR_STANDARD_TOOLBAR), RT_TOOLBAR);
    ASSERT_NE(nullptr, hRsrc);
    ASSERT_EQ((4u + 13u) * sizeof(WORD), ::SizeofResource(Module(), hRsrc));
    const WORD* p = (const WORD*)::LockResource(::LoadResource(Module(), hRsrc));
    EXPECT_EQ(1, p[0]);
    EXPECT_EQ(32, p[1]);
    EXPECT_EQ(32, p[2]);
    EXPECT_EQ(13, p[3]);
    for (int i = 0; i < 13; i++)
        EXPECT_EQ(kToolbarIds[i], p[4 + i]) << "entry " << i;
}

TEST(ResourceToolbar, ToolBarLoadsThirteenEntriesWith32PixelImages)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("toolbar"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 610, 310)));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    ASSERT_TRUE(bar.LoadToolBar(IDR_STANDARD_TOOLBAR));
    EXPECT_EQ(13, bar.GetToolBarCtrl().GetButtonCount());
    for (int i = 0; i < 13; i++)
        EXPECT_EQ(kToolbarIds[i], bar.GetItemID(i)) << "entry " << i;
    EXPECT_EQ(CSize(32, 32), bar.m_sizeImage);
    pFrame->DestroyWindow();
}

TEST(ResourceVersion, VersionInfoNamesTheProduct)
{
    HRSRC hRsrc = ::FindResource(Module(), MAKEINTRESOURCE(1), RT_VERSION);
    ASSERT_NE(nullptr, hRsrc);
    DWORD cb = ::SizeofResource(Module(), hRsrc);
    std::vector<BYTE> copy(cb * 2);   // VerQueryValue may write after the block
    memcpy(copy.data(), ::LockResource(::LoadResource(Module(), hRsrc)), cb);
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\", (void**)&pFixed, &len));
    EXPECT_EQ(0x00010000u, pFixed->dwProductVersionMS);
    wchar_t* pszValue = nullptr;
    ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\StringFileInfo\\040904b0\\ProductName", (void**)&pszValue, &len));
    EXPECT_EQ("Tesmir for VHD", Utf8(pszValue));
    ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\StringFileInfo\\040904b0\\ProductVersion", (void**)&pszValue, &len));
    EXPECT_EQ("1.0", Utf8(pszValue));
}

// ---------------------------------------------------------------------------
// Dialogs

enum class Kind { Static, Push, DefPush, Radio, Check, OwnerDraw, Edit, Combo, List, ListView, Progress };

struct ControlCase
{
    int nID;
    Kind kind;
    const wchar_t* pszText;
    bool bVisible;
    bool bEnabled;
};

struct DialogCase
{
    UINT nID;
    const wchar_t* pszCaption;
    UINT nSkin;                 // 0: no skin
    int nSlack;                 // most pixels the skin may exceed the client area by
    std::vector<ControlCase> controls;
};

const std::vector<DialogCase>& DialogCases()
{
    const bool on = true, off = false;
    static const std::vector<DialogCase> cases = {
        { IDD_ABOUTBOX, L"About Tesmir for VHD", 0, 0, {
            { IDOK, Kind::DefPush, L"OK", on, on },
            { IDC_ABOUT_NAME, Kind::Static, L"Tesmir for VHD", on, on },
            { IDC_ABOUT_VERSION, Kind::Static, L"Version", on, on } } },
        { IDD_DRIVE_INFO, L"Drive Information", IDB_DRIVE_INFO_SKIN, 60, {
            { IDC_DRIVE_INFO_HEADING, Kind::Static, L"Drive Properties", on, on },
            { 1016, Kind::Static, L"File System          :", on, on },
            { 1017, Kind::Static, L"Start Sector          :", on, on },
            { 1018, Kind::Static, L"Directories           :", on, on },
            { 1019, Kind::Static, L"Files                      :", on, on },
            { 1020, Kind::Static, L"SPC                       :", on, on },
            { 1029, Kind::Static, L"First FAT                :", on, on },
            { 1030, Kind::Static, L"Second FAT          :", on, on },
            { 1031, Kind::Static, L"MFT Start               :", on, on },
            { 1021, Kind::Static, L"", on, on }, { 1022, Kind::Static, L"", on, on },
            { 1023, Kind::Static, L"", on, on }, { 1024, Kind::Static, L"", on, on },
            { 1025, Kind::Static, L"", on, on }, { 1026, Kind::Static, L"", on, on },
            { 1027, Kind::Static, L"", on, on }, { 1028, Kind::Static, L"", on, on },
            { IDOK, Kind::DefPush, L"OK", on, on }, { IDCANCEL, Kind::Push, L"Cancel", off, on } } },
        { IDD_FIND, L"Find File(s)", IDB_FIND_SKIN, 12, {
            { 1032, Kind::Edit, L"", on, on }, { IDOK, Kind::OwnerDraw, L"&Start Search", on, on },
            { 1039, Kind::OwnerDraw, L"&Stop Search", on, off }, { 1040, Kind::ListView, L"", on, on },
            { 1070, Kind::Check, L"Select All", on, on }, { 1080, Kind::OwnerDraw, L"&Save Selected File", on, on },
            { 1033, Kind::Static, L"Enter pattern to search:", on, on },
            { 1035, Kind::Static, L"Last File  :", on, on }, { 1037, Kind::Static, L"Files Found    :", on, on },
            { 1036, Kind::Static, L"", on, on }, { 1038, Kind::Static, L"", on, on },
            { 1089, Kind::Static, L"", on, on }, { IDCANCEL, Kind::Push, L"Cancel", off, on } } },
        { IDD_RECOVERY_SETTINGS, L"Recovery Settings", IDB_FILE_TYPES_SKIN, 45, {
            { 1016, Kind::Static, L"Sectors to read in single attempt", on, on },
            { 1017, Kind::Static, L"Setting of duplicate file(s)", on, on },
            { 1018, Kind::Static, L"Setting for deleted file(s)", on, on },
            { 1019, Kind::Static, L"Setting for bad sectors", on, on },
            { 1047, Kind::Static, L"Sectors to read in single attempt", on, on },
            { 1054, Kind::Static, L"Number of retries on bad sector(s)", on, on },
            { 1046, Kind::Combo, L"", on, on }, { 1055, Kind::Combo, L"", on, on },
            { 1048, Kind::Radio, L"Rename duplicate file(s)", on, on },
            { 1049, Kind::Radio, L"Overwrite duplicate file(s)", on, on },
            { 1050, Kind::Radio, L"Skip duplicate file(s)", on, on },
            { 1051, Kind::Radio, L"Include deleted file(s)", on, on },
            { 1052, Kind::Radio, L"Recover only deleted file(s)", on, on },
            { 1053, Kind::Radio, L"Exclude deleted file(s)", on, on },
            { IDOK, Kind::DefPush, L"OK", on, on }, { IDCANCEL, Kind::Push, L"Cancel", on, on } } },
        { IDD_FILE_FILTERS, L"File Filters", IDB_FILE_FILTERS_SKIN, 12, {
            { 1064, Kind::Edit, L"", on, on }, { 1063, Kind::List, L"", on, on },
            { 1130, Kind::Push, L"&Add", on, on }, { IDOK, Kind::DefPush, L"&Add", off, on },
            { 1062, Kind::Push, L"&Remove", on, on }, { IDCANCEL, Kind::Push, L"&Close", on, on },
            { 1128, Kind::Static, L"Enter Filter:", on, on } } },
        { IDD_PROPERTIES, L"File/Folder Properties", IDB_PROPERTIES_SKIN, 12, {
            { IDOK, Kind::DefPush, L"OK", on, on }, { IDCANCEL, Kind::Push, L"Cancel", on, on },
            { 1016, Kind::Static, L"Name                      :", on, on },
            { 1017, Kind::Static, L"Size                        :", on, on },
            { 1018, Kind::Static, L"Contains                  :", on, on },
            { 1019, Kind::Static, L"Creation Date           :", on, on },
            { 1020, Kind::Static, L"Modification Date      :", on, on },
            { 1043, Kind::Static, L"", on, on }, { 1068, Kind::Static, L"", on, on },
            { 1069, Kind::Static, L"", on, on }, { 1066, Kind::Static, L"", on, on },
            { 1067, Kind::Static, L"", on, on } } },
        { IDD_SAVING, L"Saving is data please wait...", IDB_SAVING_SKIN, 12, {
            { 1071, Kind::OwnerDraw, L"S&kip File", on, on }, { IDOK, Kind::OwnerDraw, L"&Stop Saving", on, on },
            { IDCANCEL, Kind::OwnerDraw, L"Cancel", off, on },
            { 1078, Kind::Static, L"Total Files    :", on, on }, { 1077, Kind::Static, L"Path            :", on, on },
            { 1073, Kind::Static, L"File Name    :", on, on }, { 1074, Kind::Progress, L"", on, on },
            { 1043, Kind::Static, L"", on, on }, { 1075, Kind::Static, L"", on, on },
            { 1076, Kind::Static, L"", on, on } } },
        { IDD_RECOVER_WAIT, L"", IDB_SAVING_SKIN, 400, {
            { IDOK, Kind::Push, L"Cancel", on, on }, { IDCANCEL, Kind::Push, L"Cancel", off, on },
            { IDC_RECOVER_WAIT_TEXT, Kind::Static, nullptr, on, on } } },
        { IDD_TREE_WAIT, L"", IDB_SAVING_SKIN, 400, {
            { IDOK, Kind::DefPush, L"OK", off, on }, { IDCANCEL, Kind::Push, L"Cancel", off, on },
            { IDC_TREE_WAIT_TEXT, Kind::Static, L"static", on, on } } },
        { IDD_PARTITION_TYPE, L"Partition Type", IDB_DRIVE_INFO_SKIN, 400, {} },
    };
    return cases;
}

std::wstring ClassOf(HWND hWnd)
{
    wchar_t name[64] = {};
    ::GetClassNameW(hWnd, name, 63);
    return name;
}

bool IsKind(HWND hWnd, Kind kind)
{
    std::wstring cls = ClassOf(hWnd);
    LONG style = ::GetWindowLongW(hWnd, GWL_STYLE);
    auto button = [&](LONG type) { return _wcsicmp(cls.c_str(), L"Button") == 0 && (style & BS_TYPEMASK) == type; };
    switch (kind)
    {
    case Kind::Static: return _wcsicmp(cls.c_str(), L"Static") == 0;
    case Kind::Push: return button(BS_PUSHBUTTON);
    case Kind::DefPush: return button(BS_DEFPUSHBUTTON);
    case Kind::Radio: return button(BS_AUTORADIOBUTTON);
    case Kind::Check: return button(BS_AUTOCHECKBOX);
    case Kind::OwnerDraw: return button(BS_OWNERDRAW);
    case Kind::Edit: return _wcsicmp(cls.c_str(), L"Edit") == 0;
    case Kind::Combo: return _wcsicmp(cls.c_str(), L"ComboBox") == 0 && (style & 3) == CBS_DROPDOWNLIST;
    case Kind::List: return _wcsicmp(cls.c_str(), L"ListBox") == 0 && (style & LBS_SORT) == 0;
    case Kind::ListView: return _wcsicmp(cls.c_str(), WC_LISTVIEWW) == 0 && (style & LVS_TYPEMASK) == LVS_REPORT;
    case Kind::Progress: return _wcsicmp(cls.c_str(), PROGRESS_CLASSW) == 0;
    }
    return false;
}

// Pixels per 4 x 8 dialog units of "MS Sans Serif" 8 at 96 dpi, the font
// the skinned templates and their skins are drawn for.
const int kDesignBaseX = 6;
const int kDesignBaseY = 13;

// The client size a dialog template gives, in dialog units.
SIZE TemplateSize(UINT nID)
{
    SIZE size = { 0, 0 };
    HRSRC hRes = ::FindResourceW(Module(), MAKEINTRESOURCEW(nID), (LPCWSTR)RT_DIALOG);
    const WORD* p = hRes ? (const WORD*)::LockResource(::LoadResource(Module(), hRes)) : nullptr;
    if (p == nullptr)
        return size;
    // DLGTEMPLATEEX starts with version 1 and 0xFFFF and has x, y, cx, cy
    // 18 bytes in; DLGTEMPLATE has them 10 bytes in.
    const WORD* xy = (p[0] == 1 && p[1] == 0xFFFF) ? p + 9 : p + 5;
    size.cx = (short)xy[2];
    size.cy = (short)xy[3];
    return size;
}

// The skin of the dialog under test, painted the way the dialogs' own
// classes paint it.
HBITMAP g_hSkin = nullptr;

INT_PTR CALLBACK SkinnedDialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM)
{
    if (nMsg == WM_INITDIALOG)
        return TRUE;
    if (nMsg == WM_ERASEBKGND && g_hSkin != nullptr)
    {
        HDC hdc = ::CreateCompatibleDC((HDC)wParam);
        HGDIOBJ hOld = ::SelectObject(hdc, g_hSkin);
        BITMAP bm = {};
        ::GetObject(g_hSkin, sizeof(bm), &bm);
        ::BitBlt((HDC)wParam, 0, 0, bm.bmWidth, bm.bmHeight, hdc, 0, 0, SRCCOPY);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return FALSE;
}

class ResourceDialogs : public testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES };
        ::InitCommonControlsEx(&icc);
    }

    // Creates the dialog hidden, with its skin as background.
    HWND Create(const DialogCase& c)
    {
        g_hSkin = c.nSkin ? (HBITMAP)::LoadImage(Module(), MAKEINTRESOURCE(c.nSkin), IMAGE_BITMAP, 0, 0,
                                                 LR_CREATEDIBSECTION)
                          : nullptr;
        return ::CreateDialogParamW(Module(), MAKEINTRESOURCEW(c.nID), nullptr, SkinnedDialogProc, 0);
    }

    void Destroy(HWND hWnd)
    {
        ::DestroyWindow(hWnd);
        if (g_hSkin != nullptr)
            ::DeleteObject(g_hSkin);
        g_hSkin = nullptr;
    }
};

TEST_F(ResourceDialogs, EveryDialogHasItsControlsCaptionAndSkin)
{
    for (const DialogCase& c : DialogCases())
    {
        SCOPED_TRACE("dialog " + std::to_string(c.nID));
        HWND hWnd = Create(c);
        ASSERT_NE(nullptr, hWnd);
        wchar_t caption[128] = {};
        ::GetWindowTextW(hWnd, caption, 127);
        EXPECT_EQ(Utf8(c.pszCaption), Utf8(caption));
        for (const ControlCase& ctl : c.controls)
        {
            SCOPED_TRACE("control " + std::to_string(ctl.nID));
            HWND hCtl = ::GetDlgItem(hWnd, ctl.nID);
            ASSERT_NE(nullptr, hCtl);
            EXPECT_TRUE(IsKind(hCtl, ctl.kind)) << Utf8(ClassOf(hCtl));
            if (ctl.pszText != nullptr)
            {
                wchar_t text[256] = {};
                ::GetWindowTextW(hCtl, text, 255);
                EXPECT_EQ(Utf8(ctl.pszText), Utf8(text));
            }
            EXPECT_EQ(ctl.bVisible, (::GetWindowLongW(hCtl, GWL_STYLE) & WS_VISIBLE) != 0);
            EXPECT_EQ(ctl.bEnabled, ::IsWindowEnabled(hCtl) != FALSE);
        }
        if (c.nSkin != 0)
        {
            // The skin is copied at its own size, so it covers the client
            // area as the template lays it out in its own font, "MS Sans
            // Serif" 8 at 96 dpi (6 x 13 pixels per 4 x 8 dialog units). A
            // substitute face with other metrics makes the window another
            // size; where its units are no larger, the skin still covers it.
            BITMAP bm = {};
            ASSERT_NE(nullptr, g_hSkin);
            ::GetObject(g_hSkin, sizeof(bm), &bm);
            const SIZE units = TemplateSize(c.nID);
            const int cx = ::MulDiv(units.cx, kDesignBaseX, 4), cy = ::MulDiv(units.cy, kDesignBaseY, 8);
            EXPECT_GE(bm.bmWidth, cx) << "skin " << c.nSkin;
            EXPECT_GE(bm.bmHeight, cy) << "skin " << c.nSkin;
            EXPECT_LE(bm.bmWidth - cx, c.nSlack) << "skin " << c.nSkin;
            EXPECT_LE(bm.bmHeight - cy, c.nSlack) << "skin " << c.nSkin;
            RECT base = { 0, 0, 4, 8 };
            ::MapDialogRect(hWnd, &base);
            if (base.right <= kDesignBaseX && base.bottom <= kDesignBaseY)
            {
                RECT rc;
                ::GetClientRect(hWnd, &rc);
                EXPECT_GE(bm.bmWidth, rc.right) << "skin " << c.nSkin;
                EXPECT_GE(bm.bmHeight, rc.bottom) << "skin " << c.nSkin;
            }
        }
        Destroy(hWnd);
    }
}

// Every dialog shown on screen with its skin painted behind its controls; the
// screenshots are kept in screenshots/res/ under the build folder.
TEST_F(ResourceDialogs, EveryDialogShowsItsSkinOnScreen)
{
    std::wstring folder = tesmir::test::BuildPath(L"screenshots");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\res";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (const DialogCase& c : DialogCases())
    {
        SCOPED_TRACE("dialog " + std::to_string(c.nID));
        HWND hWnd = Create(c);
        ASSERT_NE(nullptr, hWnd);
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(tesmir::test::PumpUntil(
            [&] { return ::IsWindowVisible(hWnd) && !::GetUpdateRect(hWnd, nullptr, FALSE); }));
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        tesmir::test::CDibCanvas shot(rc.right, rc.bottom);
        tesmir::test::CaptureWindow(hWnd, shot);
        shot.SaveBmp(folder + L"\\dialog_" + std::to_wstring(c.nID) + L".bmp");
        // The skin's accent line runs along the top; the plain dialog keeps
        // the system's face colour.
        COLORREF top = shot.Pixel(rc.right / 2, 1);
        if (c.nSkin != 0)
            EXPECT_EQ(RGB(29, 117, 189), top);
        else
            EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), top);
        Destroy(hWnd);
    }
}

// The Drive Information dialog keeps the positions its code was laid out for.
TEST_F(ResourceDialogs, DriveInformationKeepsItsPositions)
{
    struct Position { int nID, x, y; };
    const Position positions[] = {
        { 1127, 4, 7 }, { 1016, 14, 28 }, { 1017, 14, 43 }, { 1018, 14, 58 }, { 1019, 14, 73 }, { 1020, 14, 88 },
        { 1029, 14, 103 }, { 1030, 14, 118 }, { 1031, 14, 133 }, { 1021, 123, 27 }, { 1024, 123, 42 },
        { 1022, 123, 57 }, { 1023, 123, 72 }, { 1025, 128, 87 }, { 1026, 123, 102 }, { 1027, 123, 117 },
        { 1028, 123, 132 }, { IDOK, 97, 162 }, { IDCANCEL, 4, 159 },
    };
    HWND hWnd = Create(DialogCases()[1]);
    ASSERT_NE(nullptr, hWnd);
    for (const Position& p : positions)
    {
        RECT want = { p.x, p.y, p.x, p.y };
        ::MapDialogRect(hWnd, &want);
        RECT got;
        ::GetWindowRect(::GetDlgItem(hWnd, p.nID), &got);
        ::MapWindowPoints(nullptr, hWnd, (POINT*)&got, 2);
        EXPECT_EQ(want.left, got.left) << "control " << p.nID;
        EXPECT_EQ(want.top, got.top) << "control " << p.nID;
    }
    Destroy(hWnd);
}

// The Recovery Settings lists are filled from the template's initialisation
// data, which the framework's dialog reads: "1" to "100" and "1" to "10".
TEST_F(ResourceDialogs, RecoverySettingsListsComeFromTheTemplate)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_RECOVERY_SETTINGS));
    HWND hWnd = dlg.m_hWnd;
    auto items = [&](int nID) {
        std::vector<std::string> texts;
        HWND hCombo = ::GetDlgItem(hWnd, nID);
        int n = (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; i++)
        {
            wchar_t text[16] = {};
            ::SendMessageW(hCombo, CB_GETLBTEXT, i, (LPARAM)text);
            texts.push_back(Utf8(text));
        }
        return texts;
    };
    std::vector<std::string> sectors, retries;
    for (int i = 1; i <= 100; i++)
        sectors.push_back(std::to_string(i));
    for (int i = 1; i <= 10; i++)
        retries.push_back(std::to_string(i));
    EXPECT_EQ(sectors, items(IDC_SETTINGS_SECTORS));
    EXPECT_EQ(retries, items(IDC_SETTINGS_RETRIES));
    dlg.DestroyWindow();
}

// The about box's picture control shows bitmap 368.
TEST_F(ResourceDialogs, AboutBoxShowsItsPicture)
{
    HWND hWnd = Create(DialogCases()[0]);
    ASSERT_NE(nullptr, hWnd);
    HBITMAP hPicture = nullptr;
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if ((::GetWindowLongW(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            hPicture = (HBITMAP)::SendMessageW(hChild, STM_GETIMAGE, IMAGE_BITMAP, 0);
    ASSERT_NE(nullptr, hPicture);
    BITMAP bm = {};
    ::GetObject(hPicture, sizeof(bm), &bm);
    EXPECT_EQ(120, bm.bmWidth);
    EXPECT_EQ(120, bm.bmHeight);
    Destroy(hWnd);
}

}  // namespace
