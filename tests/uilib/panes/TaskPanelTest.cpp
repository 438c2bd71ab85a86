// The task panel as constructed: its themes by number, the tinted expand
// icons, its model classes, and construction without the expand-button
// resources.
#include <gtest/gtest.h>

#include <algorithm>
#include <typeinfo>

#include "CVZPColorManager.h"
#include "CVZPResourceModuleSwitch.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelGroup.h"
#include "CVZPTaskPanelThemes.h"
#include "PanesTestRes.h"
#include "PanesTestSupport.h"
#include "VZPPaneMetrics.h"
#include "VZPAlphaBitmap.h"
#include "VZPDrawHelpers.h"
#include "VZPPanes.h"

namespace {

struct ThemeCase
{
    int nNumber;
    const std::type_info& type;
    int nHighlightStyle;
    UINT nCaptionFormat;
    int nGroupSpacing;
    RECT rcPanelMargins;
    BOOL bCaptionBold, bInvertDropMarks, bCaptionScrollButtons, bEmboss;
};

const UINT kWrap = DT_WORDBREAK | DT_NOPREFIX;
const UINT kLine = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
const ThemeCase kThemes[] = {
    { -1, typeid(CVZPTaskPanelTheme2), 2, 0x8824, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
    { 0, typeid(CVZPTaskPanelPaintManager), 0, 0x8824, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
    { 1, typeid(CVZPTaskPanelTheme1), 2, 0x8824, 15, { 8, 8, 0, 8 }, 1, 0, 0, 0 },
    { 2, typeid(CVZPTaskPanelTheme2), 2, 0x8824, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
    { 3, typeid(CVZPTaskPanelTheme3), 0, kWrap, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
    { 4, typeid(CVZPTaskPanelTheme4), 1, kWrap, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
    { 5, typeid(CVZPTaskPanelTheme5), 2, kWrap, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
    { 6, typeid(CVZPTaskPanelTheme6), 2, kWrap, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
    { 7, typeid(CVZPTaskPanelTheme7), 0, kLine, 1, { 2, 2, 2, 2 }, 0, 1, 1, 0 },
    { 8, typeid(CVZPTaskPanelTheme8), 1, kLine, 1, { 2, 2, 2, 2 }, 1, 0, 0, 0 },
    { 9, typeid(CVZPTaskPanelTheme9), 0, kLine, 0, { 0, 0, 0, 0 }, 0, 0, 0, 1 },
    { 10, typeid(CVZPTaskPanelTheme10), 1, kLine, 0, { 0, 0, 0, 0 }, 0, 0, 0, 0 },
    { 11, typeid(CVZPTaskPanelTheme11), 2, kLine, 0, { 0, 0, 0, 0 }, 0, 0, 0, 0 },
    { 12, typeid(CVZPTaskPanelTheme12), 2, kLine | DT_CENTER, 0, { 0, 0, 0, 0 }, 0, 0, 0, 0 },
    { 13, typeid(CVZPTaskPanelTheme2), 2, 0x8824, 15, { 12, 12, 12, 12 }, 1, 0, 0, 0 },
};

// Pixels of an icon's colour and mask bitmaps.
struct IconPixels
{
    COLORREF clrColor;
    COLORREF clrMask;
};

IconPixels ReadIconPixel(HICON hIcon, int x, int y)
{
    IconPixels pixels = { CLR_INVALID, CLR_INVALID };
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return pixels;
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, info.hbmColor);
    pixels.clrColor = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, info.hbmMask);
    pixels.clrMask = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
}

void ExpectNear(COLORREF expected, COLORREF actual)
{
    EXPECT_NEAR(GetRValue(expected), GetRValue(actual), 1) << std::hex << actual;
    EXPECT_NEAR(GetGValue(expected), GetGValue(actual), 1) << std::hex << actual;
    EXPECT_NEAR(GetBValue(expected), GetBValue(actual), 1) << std::hex << actual;
}

}  // namespace

TEST(TaskPanel, EachNumberBuildsItsThemeWithItsSettings)
{
    CVZPTaskPanel panel;
    EXPECT_EQ(typeid(CVZPTaskPanelTheme2), typeid(*panel.GetPaintManager()));
    for (const ThemeCase& t : kThemes)
    {
        SCOPED_TRACE(testing::Message() << "theme " << t.nNumber);
        panel.ChoosePaintTheme(t.nNumber);
        CVZPTaskPanelPaintManager* p = panel.GetPaintManager();
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(t.type, typeid(*p));
        EXPECT_EQ(t.nNumber, panel.GetPaintTheme());
        EXPECT_EQ(t.nHighlightStyle, p->m_nHighlightStyle);
        EXPECT_EQ(t.nCaptionFormat, p->m_nCaptionTextFormat);
        EXPECT_EQ(t.nGroupSpacing, p->GetGroupSpacing(&panel));
        EXPECT_EQ(CRect(t.rcPanelMargins), p->GetPanelMargins(&panel));
        EXPECT_EQ(t.bCaptionBold, p->m_bCaptionBold);
        EXPECT_EQ(t.bInvertDropMarks, p->m_bInvertDropMarks);
        EXPECT_EQ(t.bCaptionScrollButtons, p->m_bCaptionScrollButtons);
        EXPECT_EQ(t.bEmboss, p->m_bEmbossDisabledText);
        EXPECT_EQ(0x810u, p->m_nItemTextFormat);
        EXPECT_NE(nullptr, p->m_pfnAlphaBlend);
        if (auto* p3 = dynamic_cast<CVZPTaskPanelTheme3*>(p))
        {
            const BOOL bFrame = t.nNumber == 3 || t.nNumber == 6;
            EXPECT_EQ(bFrame, p3->m_bGroupFrame);
            EXPECT_EQ(t.nNumber == 4 || t.nNumber == 5, p3->m_bCaptionUnderline);
        }
    }
    // Theme 1's captions: weight 700, height 18, "Tahoma" only when present.
    panel.ChoosePaintTheme(1);
    LOGFONT lf = {};
    panel.GetPaintManager()->m_fntCaption.GetLogFont(&lf);
    EXPECT_EQ(18, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    if (FontExists(L"Tahoma"))
    {
        EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
    }
    EXPECT_EQ(std::max(20, VZPMeasureSpaceHeight(&panel.GetPaintManager()->m_fntCaption)),
              panel.GetPaintManager()->m_nCaptionHeight);
    panel.ChoosePaintTheme(0);
    EXPECT_EQ(std::max(25, VZPMeasureSpaceHeight(&panel.GetPaintManager()->m_fntCaption)),
              panel.GetPaintManager()->m_nCaptionHeight);
}

TEST(TaskPanel, PanelAsConstructed)
{
    CVZPTaskPanel panel;
    EXPECT_EQ(NULL, panel.GetSafeHwnd());
    EXPECT_EQ(2, panel.GetPaintTheme());
    ASSERT_NE(nullptr, panel.GetGroups());
    EXPECT_EQ(0, panel.GetGroups()->GetCount());
    EXPECT_EQ(RUNTIME_CLASS(CVZPTaskPanelGroup), panel.GetGroups()->GetItemClass());
    EXPECT_NE(nullptr, panel.GetHandCursor());
    EXPECT_NE(nullptr, panel.GetImageManager());
    ASSERT_NE(nullptr, panel.GetDropTarget());
    EXPECT_EQ(NULL, panel.GetDropTarget()->m_hWnd);   // not registered
    EXPECT_EQ(0, panel.GetScrollButton(0)->m_nDirection);
    EXPECT_EQ(1, panel.GetScrollButton(1)->m_nDirection);
    EXPECT_EQ(CSize(16, 16), panel.m_szItemIcon);
    EXPECT_EQ(CSize(32, 32), panel.m_szGroupIcon);
    EXPECT_EQ(100, panel.m_nColumnWidth);
    EXPECT_TRUE(panel.IsKindOf(RUNTIME_CLASS(CVZPTaskPanel)));

    EXPECT_EQ(1, panel.LockLayout(TRUE));
    EXPECT_EQ(1, panel.LockLayout(TRUE));
    EXPECT_EQ(-1, panel.LockLayout(FALSE));
    EXPECT_EQ(0, panel.LockLayout(FALSE));
    EXPECT_EQ(0, panel.GetLayoutLock());

    panel.SetAnimationMode(vzpTaskPanelAnimationOff);
    EXPECT_FALSE(panel.IsAnimationOn());
    panel.SetAnimationMode(vzpTaskPanelAnimationOn);
    EXPECT_TRUE(panel.IsAnimationOn());
    BOOL bMenuAnimation = FALSE;
    ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bMenuAnimation, 0);
    panel.SetAnimationMode(vzpTaskPanelAnimationSystem);
    EXPECT_EQ(bMenuAnimation != FALSE, panel.IsAnimationOn() != FALSE);
}

TEST(TaskPanel, ModelClassesByName)
{
    // Created by name, as loading does.
    const char* const names[] = { "CVZPTaskPanelItem", "CVZPTaskPanelItems", "CVZPTaskPanelGroups",
                                  "CVZPTaskPanelGroupItems", "CVZPTaskPanelGroup", "CVZPTaskPanelGroupItem" };
    for (const char* pszName : names)
    {
        CRuntimeClass* pClass = CRuntimeClass::FromName(pszName);
        ASSERT_NE(nullptr, pClass) << pszName;
        CObject* pObject = pClass->CreateObject();
        ASSERT_NE(nullptr, pObject) << pszName;
        static_cast<CCmdTarget*>(pObject)->InternalRelease();
    }
    EXPECT_EQ(UINT(VERSIONABLE_SCHEMA | 16), RUNTIME_CLASS(CVZPTaskPanelGroup)->m_wSchema | VERSIONABLE_SCHEMA);
    EXPECT_EQ(16u, RUNTIME_CLASS(CVZPTaskPanelGroupItem)->m_wSchema & 0xFFFF);

    // The clipboard format is registered at start-up.
    UINT nFormat = VZPGetTaskPanelClipboardFormat();
    ASSERT_NE(0u, nFormat);
    WCHAR szName[64] = {};
    ::GetClipboardFormatNameW(nFormat, szName, 64);
    EXPECT_STREQ(L"TaskPanelGroupItem", szName);

    // A group owns its item list; clearing releases the items without a panel.
    CVZPTaskPanelGroup* pGroup = new CVZPTaskPanelGroup;
    EXPECT_EQ(0, pGroup->m_nType);
    EXPECT_TRUE(pGroup->m_bExpanded);
    EXPECT_EQ(pGroup, pGroup->GetItems()->m_pOwner);
    CVZPTaskPanelGroupItem* pItem = new CVZPTaskPanelGroupItem;
    EXPECT_EQ(2, pItem->m_nType);
    EXPECT_EQ(LONG(0x80000000), pItem->m_rcMargins.left);
    pItem->m_pCollection = pGroup->GetItems();
    pGroup->GetItems()->m_arrItems.Add(pItem);
    EXPECT_EQ(pGroup, pItem->GetOwnerGroup());
    pItem->InternalAddRef();
    pGroup->GetItems()->ClearItems(FALSE);
    EXPECT_EQ(0, pGroup->GetItems()->GetCount());
    EXPECT_EQ(1, pItem->m_dwRef);   // only the test's reference is left
    pItem->InternalRelease();
    pGroup->InternalRelease();
}

TEST(TaskPanel, TintedIconTakesTheColoursHueAndScalesLuminance)
{
    CVZPTaskPanelPaintManager manager;
    HICON hIcon = NULL;
    // Pure blue: hue 240, saturation 1, luminance 0.5.
    manager.MakeTintedIcon(&hIcon, IDB_TINT_GREY_KEY, RGB(0, 0, 255));
    ASSERT_NE(nullptr, hIcon);
    CSize size = GetIconSize(hIcon);
    EXPECT_EQ(CSize(4, 4), size);

    // The key colour is transparent wherever it is.
    for (POINT pt : { POINT{ 0, 0 }, POINT{ 1, 1 }, POINT{ 3, 3 } })
        EXPECT_EQ(RGB(255, 255, 255), ReadIconPixel(hIcon, pt.x, pt.y).clrMask) << pt.x << "," << pt.y;
    // Grey 0.2 against the key's 0.4: luminance 0.5 x 0.2 / 0.4 = 0.25.
    IconPixels dark = ReadIconPixel(hIcon, 1, 0);
    EXPECT_EQ(RGB(0, 0, 0), dark.clrMask);
    ExpectNear(RGB(0, 0, 128), dark.clrColor);
    // Near-white (0.96) keeps its luminance with the colour's hue.
    IconPixels bright = ReadIconPixel(hIcon, 2, 0);
    EXPECT_EQ(RGB(0, 0, 0), bright.clrMask);
    ExpectNear(RGB(235, 235, 255), bright.clrColor);

    // A black key (luminance 0) scales by 1: the colour's own luminance.
    manager.MakeTintedIcon(&hIcon, IDB_TINT_BLACK_KEY, RGB(0, 0, 255));
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(RGB(255, 255, 255), ReadIconPixel(hIcon, 0, 0).clrMask);
    ExpectNear(RGB(0, 0, 255), ReadIconPixel(hIcon, 2, 1).clrColor);

    // A missing bitmap leaves no icon.
    manager.MakeTintedIcon(&hIcon, 4242, RGB(0, 0, 255));
    EXPECT_EQ(nullptr, hIcon);
}

TEST(TaskPanel, ShippedExpandFacesHaveAKeyThatIsNotBlack)
{
    for (UINT nID : { 9197u, 9198u })
    {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.Attach(::LoadBitmapW(vzpanes_test::ResourceModule(), MAKEINTRESOURCEW(nID)))) << nID;
        BITMAP bm = {};
        bitmap.GetBitmap(&bm);
        EXPECT_EQ(19, bm.bmWidth);
        EXPECT_EQ(19, bm.bmHeight);
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        EXPECT_NE(RGB(0, 0, 0), dc.GetPixel(0, 0));
        dc.SelectObject(pOld);
    }
    // The default theme, without a colour scheme, tints both.
    CVZPTaskPanel panel;
    EXPECT_FALSE(panel.GetPaintManager()->m_bExpandBitmapsLoaded);
    EXPECT_NE(nullptr, panel.GetPaintManager()->m_hExpandIcon);
    EXPECT_NE(nullptr, panel.GetPaintManager()->m_hExpandIconSpecial);
}

// A forced scheme tries the shell style library, which this system lacks,
// and falls back to the tinted icons.
TEST(TaskPanel, MissingShellStyleLibraryFallsBackToTintedIcons)
{
    for (int nScheme : { 1, 2, 3 })
    {
        vzpanes_test::CForcedColorScheme forced(nScheme, FALSE);
        CVZPTaskPanel panel;
        CVZPTaskPanelPaintManager* p = panel.GetPaintManager();
        EXPECT_FALSE(p->m_bExpandBitmapsLoaded) << nScheme;
        EXPECT_NE(nullptr, p->m_hExpandIcon) << nScheme;
        EXPECT_NE(nullptr, p->m_hExpandIconSpecial) << nScheme;
        for (HBITMAP hBitmap : p->m_hExpandBitmaps)
            EXPECT_EQ(nullptr, hBitmap);
    }
}

TEST(TaskPanel, ConstructsWithoutTheExpandResources)
{
    // Neither the library's resource module nor the framework's resource
    // handle holds 9197 or 9198: the library looks at a system module, the
    // framework at the program.
    ASSERT_EQ(nullptr, VZPGetResourceModule());
    HINSTANCE hSystem = ::GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(nullptr, hSystem);
    ASSERT_EQ(nullptr, ::FindResourceW(hSystem, MAKEINTRESOURCEW(9197), MAKEINTRESOURCEW(2)));
    HINSTANCE hProgram = ::GetModuleHandleW(NULL);
    HINSTANCE hSavedFramework = AfxGetResourceHandle();
    VZPSetResourceModule(hSystem, hSystem);
    AfxSetResourceHandle(hProgram);
    AFX_GDI_COUNTS before = AfxGetGdiCounts();
    {
        CVZPTaskPanel panel;
        EXPECT_EQ(nullptr, panel.GetPaintManager()->m_hExpandIcon);
        EXPECT_EQ(nullptr, panel.GetPaintManager()->m_hExpandIconSpecial);
        panel.ChoosePaintTheme(6);
        EXPECT_EQ(nullptr, panel.GetPaintManager()->m_hExpandIcon);
    }
    AFX_GDI_COUNTS after = AfxGetGdiCounts();
    // The switch put the framework's handle back after each lookup.
    EXPECT_EQ(hProgram, AfxGetResourceHandle());
    VZPSetResourceModule(NULL, NULL);
    AfxSetResourceHandle(hSavedFramework);
    EXPECT_EQ(before.nObjects, after.nObjects);
    EXPECT_EQ(before.nImageLists, after.nImageLists);
}
