// The shared fonts, cursors and copied colours, the colour value type, and the
// command bars' services that the foundation stands on (non-client metrics,
// paint-manager theme, context menus).
#include <gtest/gtest.h>

#include "CVZNonClientMetrics.h"
#include "CVZPColorManager.h"
#include "CVZPColorValue.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPGlobalUIData.h"
#include "CVZPVisualStyle.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "VZPDrawHelpers.h"
#include "VZPTrackContextMenu.h"

#include <string.h>

namespace {

LOGFONTW FontOf(CFont& font)
{
    LOGFONTW lf = {};
    EXPECT_NE(font.GetSafeHandle(), (HGDIOBJ)NULL);
    ::GetObjectW(font.GetSafeHandle(), sizeof(lf), &lf);
    return lf;
}

// The fields a derived font keeps from its base.
void ExpectSameFontBut(const LOGFONTW& a, const LOGFONTW& b)
{
    EXPECT_EQ(a.lfHeight, b.lfHeight);
    EXPECT_EQ(a.lfItalic, b.lfItalic);
    EXPECT_EQ(a.lfCharSet, b.lfCharSet);
    EXPECT_STREQ(a.lfFaceName, b.lfFaceName);
}

}  // namespace

TEST(GlobalUIData, FontsFollowTheMenuFontWithTheirOverrides)
{
    CVZPGlobalUIData* pData = GetGlobalUIData();
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(pData, GetGlobalUIData());

    CVZNonClientMetrics metrics;
    const LOGFONTW normal = FontOf(pData->m_fontNormal);
    EXPECT_EQ(normal.lfHeight, metrics.lfMenuFont.lfHeight);
    EXPECT_EQ(normal.lfWeight, metrics.lfMenuFont.lfWeight);
    EXPECT_EQ(normal.lfItalic, metrics.lfMenuFont.lfItalic);
    EXPECT_STREQ(normal.lfFaceName, metrics.lfMenuFont.lfFaceName);   // Tahoma is not preferred
    EXPECT_EQ(normal.lfEscapement, 0);
    EXPECT_EQ(normal.lfUnderline, 0);

    const LOGFONTW bold = FontOf(pData->m_fontBold);
    ExpectSameFontBut(normal, bold);
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_EQ(bold.lfUnderline, 0);

    const LOGFONTW underline = FontOf(pData->m_fontUnderline);
    ExpectSameFontBut(normal, underline);
    EXPECT_EQ(underline.lfWeight, normal.lfWeight);
    EXPECT_EQ(underline.lfUnderline, 1);

    const LOGFONTW vert = FontOf(pData->m_fontVert);
    EXPECT_EQ(vert.lfEscapement, 2700);
    EXPECT_EQ(vert.lfOrientation, 900);
    EXPECT_EQ(vert.lfHeight, normal.lfHeight);
    EXPECT_EQ(vert.lfWeight, normal.lfWeight);
    // The vertical face: Arial when the menu face is not Tahoma and Arial is
    // installed, else the menu face.
    const bool bArial = lstrcmpiW(metrics.lfMenuFont.lfFaceName, L"Tahoma") != 0 && FontExists(L"Arial");
    EXPECT_STREQ(vert.lfFaceName, bArial ? L"Arial" : normal.lfFaceName);

    const LOGFONTW vertBold = FontOf(pData->m_fontVertBold);
    EXPECT_EQ(vertBold.lfWeight, 700);
    EXPECT_EQ(vertBold.lfEscapement, 2700);
    EXPECT_EQ(vertBold.lfOrientation, 900);
    EXPECT_STREQ(vertBold.lfFaceName, vert.lfFaceName);

    LOGFONTW iconTitle = {};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0));
    const LOGFONTW icon = FontOf(pData->m_fontIconTitle);
    ExpectSameFontBut(iconTitle, icon);
    EXPECT_EQ(icon.lfWeight, iconTitle.lfWeight);
    const LOGFONTW iconBold = FontOf(pData->m_fontIconTitleBold);
    ExpectSameFontBut(iconTitle, iconBold);
    EXPECT_EQ(iconBold.lfWeight, 700);

    const LOGFONTW symbol = FontOf(pData->m_fontSymbol);
    EXPECT_STREQ(symbol.lfFaceName, L"Marlett");
    EXPECT_EQ(symbol.lfHeight, iconTitle.lfHeight);
    EXPECT_EQ(symbol.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(symbol.lfWeight, 0);

    EXPECT_STREQ(FontOf(pData->m_fontStatus).lfFaceName, metrics.lfStatusFont.lfFaceName);
    EXPECT_EQ(FontOf(pData->m_fontStatus).lfHeight, metrics.lfStatusFont.lfHeight);
    EXPECT_STREQ(FontOf(pData->m_fontSmallCaption).lfFaceName, metrics.lfSmCaptionFont.lfFaceName);
    EXPECT_EQ(FontOf(pData->m_fontSmallCaption).lfHeight, metrics.lfSmCaptionFont.lfHeight);
}

TEST(GlobalUIData, AGivenFaceReplacesTheMenuStatusAndCaptionFacesOnlyWhenInstalled)
{
    CVZPGlobalUIData data;
    CVZNonClientMetrics metrics;
    ASSERT_TRUE(data.UpdateFonts(L"No Such Face Here", L"No Such Face Either"));
    EXPECT_STREQ(FontOf(data.m_fontNormal).lfFaceName, metrics.lfMenuFont.lfFaceName);
    EXPECT_STREQ(FontOf(data.m_fontVert).lfFaceName, metrics.lfMenuFont.lfFaceName);
    EXPECT_STREQ(FontOf(data.m_fontStatus).lfFaceName, metrics.lfStatusFont.lfFaceName);

    // Any installed face other than the menu font's.
    const wchar_t* pszFace = NULL;
    for (const wchar_t* pszCandidate : {L"Tahoma", L"Arial", L"MS Sans Serif", L"Courier New", L"Marlett"})
        if (pszFace == NULL && lstrcmpiW(pszCandidate, metrics.lfMenuFont.lfFaceName) != 0 && FontExists(pszCandidate))
            pszFace = pszCandidate;
    ASSERT_NE(pszFace, nullptr) << "no second face installed";
    ASSERT_TRUE(data.UpdateFonts(pszFace, pszFace));
    EXPECT_STREQ(FontOf(data.m_fontNormal).lfFaceName, pszFace);
    EXPECT_STREQ(FontOf(data.m_fontBold).lfFaceName, pszFace);
    EXPECT_STREQ(FontOf(data.m_fontVert).lfFaceName, pszFace);
    EXPECT_STREQ(FontOf(data.m_fontStatus).lfFaceName, pszFace);
    EXPECT_STREQ(FontOf(data.m_fontSmallCaption).lfFaceName, pszFace);
}

TEST(GlobalUIData, CursorsMetricsAndFlags)
{
    CVZPGlobalUIData* pData = GetGlobalUIData();
    const HCURSOR cursors[] = {pData->m_hcurDragCopy,  pData->m_hcurDragMove,  pData->m_hcurDragRemove,
                               pData->m_hcurHand,      pData->m_hcurSplitHorz, pData->m_hcurSplitVert,
                               pData->m_hcurSizeAll};
    for (size_t i = 0; i < sizeof(cursors) / sizeof(cursors[0]); i++)
        EXPECT_NE(cursors[i], (HCURSOR)NULL) << "cursor " << i;
    EXPECT_EQ(pData->m_hcurHand, ::LoadCursorW(NULL, IDC_HAND));
    EXPECT_EQ(pData->m_hcurSizeAll, ::LoadCursorW(NULL, IDC_SIZEALL));

    EXPECT_EQ(pData->m_nSmallIconWidth, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(pData->m_nSmallIconHeight, ::GetSystemMetrics(SM_CYSMICON));
    EXPECT_EQ(pData->m_nFixedWidth, 18);
    EXPECT_EQ(pData->m_nFixedHeight, 18);
    EXPECT_EQ(pData->m_nScrollThumbWidth, ::GetSystemMetrics(SM_CXHTHUMB));
    EXPECT_EQ(pData->m_nScrollThumbHeight, ::GetSystemMetrics(SM_CYVTHUMB));
    EXPECT_EQ(pData->m_nMenuHeight, ::GetSystemMetrics(SM_CYMENU));
    EXPECT_FALSE(pData->m_bPreferTahoma);
    EXPECT_EQ(pData->m_nReserved[0], 0);
    EXPECT_EQ(pData->m_nReserved[1], 1);
    EXPECT_EQ(pData->m_nReserved[2], 0);

    // comctl32 5.81 here; the cache holds major << 16 | minor.
    const DWORD dwVersion = pData->GetComCtl32Version();
    EXPECT_GE(HIWORD(dwVersion), 5u);
    EXPECT_EQ(pData->m_dwComCtl32Version, dwVersion);
    EXPECT_EQ(dwVersion, CVZPVisualStyle::GetComCtl32Version());
}

TEST(GlobalUIData, CopiesFortyColoursInOrderWithIndex28Empty)
{
    CVZPGlobalUIData* pData = GetGlobalUIData();
    const int expectedOrder[] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19};
    CVZPColorManager* pColors = GetColorManager();
    for (int i = 0; i < CVZPGlobalUIData::copiedColorCount; i++)
    {
        const int nIndex = i < 20 ? expectedOrder[i] : 30 + (i - 20);
        EXPECT_EQ(CVZPGlobalUIData::s_nCopiedColorIndex[i], nIndex) << "slot " << i;
        EXPECT_EQ(pData->m_clrCopied[i], pColors->GetColor(nIndex)) << "slot " << i;
    }
    EXPECT_EQ(pData->m_clrCopied[CVZPGlobalUIData::copiedGradientInactiveCaption], 0u);
    EXPECT_EQ(pData->m_clrCopied[CVZPGlobalUIData::copied3DFace], ::GetSysColor(COLOR_3DFACE));
}

TEST(ColorValue, BlendAndSubtractPerChannel)
{
    struct Case
    {
        const char* name;
        COLORREF clrThis;
        COLORREF clrOther;
        int nPercent;   // -1: Subtract
        COLORREF clrExpected;
    };
    const Case cases[] = {
        {"blend 0 keeps", RGB(10, 200, 30), RGB(250, 0, 90), 0, RGB(10, 200, 30)},
        {"blend 100 takes the other", RGB(10, 200, 30), RGB(250, 0, 90), 100, RGB(250, 0, 90)},
        {"blend 50 truncates", RGB(10, 201, 30), RGB(251, 0, 91), 50, RGB(130, 100, 60)},
        {"blend 150 stays within 0..255", RGB(100, 200, 0), RGB(255, 0, 255), 150, RGB(255, 0, 255)},
        {"subtract", RGB(200, 100, 50), RGB(20, 10, 5), -1, RGB(180, 90, 45)},
        {"subtract stops at 0", RGB(10, 100, 0), RGB(20, 100, 255), -1, RGB(0, 0, 0)},
    };
    for (const Case& c : cases)
    {
        CVZPColorValue value(c.clrThis);
        const COLORREF clrResult = c.nPercent < 0 ? COLORREF(value.Subtract(c.clrOther))
                                                  : COLORREF(value.Blend(c.clrOther, c.nPercent));
        EXPECT_EQ(clrResult, c.clrExpected) << c.name;
        EXPECT_EQ(COLORREF(value), c.clrExpected) << c.name << ": changed in place";
    }
    EXPECT_EQ(g_clrVZPBlack, RGB(0, 0, 0));
    EXPECT_EQ(g_clrVZPWhite, RGB(255, 255, 255));
    EXPECT_EQ(g_clrVZPDarkGray, RGB(64, 64, 64));
    EXPECT_EQ(g_clrVZPGray, RGB(128, 128, 128));
    EXPECT_EQ(g_clrVZPLightGray, RGB(192, 192, 192));
}

TEST(CommandBarServices, NonClientMetricsUseThe500ByteForm)
{
    CVZNonClientMetrics metrics;
    EXPECT_EQ(metrics.cbSize, 500u);
    EXPECT_NE(metrics.lfMenuFont.lfFaceName[0], L'\0');
    EXPECT_NE(metrics.lfMenuFont.lfHeight, 0);
}

TEST(CommandBarServices, SetThemeReplacesTheProcessWideInstance)
{
    CVZPCommandBarPaintManager::SetTheme(2);
    CVZPCommandBarPaintManager* pFirst = VZPPaintManager();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->m_nThemeType, 2);

    CVZPCommandBarPaintManager::SetTheme(0);
    ASSERT_NE(VZPPaintManager(), nullptr);
    EXPECT_EQ(VZPPaintManager()->m_nThemeType, 0);
    CVZPCommandBarPaintManager::SetTheme(2);
    EXPECT_EQ(VZPPaintManager()->m_nThemeType, 2);
}

TEST(CommandBarServices, TrackContextMenuShowsAPopupBarUntilATimerEndsIt)
{
    CWnd* pOwner = AfxGetMainWnd();
    ASSERT_NE(pOwner, nullptr);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenuW(MF_STRING, 100, L"First");
    menu.AppendMenuW(MF_STRING, 101, L"Second");

    // Without a paint manager the classic theme is made for the menu.
    for (bool bWithTheme : {false, true})
    {
        if (bWithTheme)
            CVZPCommandBarPaintManager::SetTheme(0);
        else
            CVZPCommandBarPaintManager::ReleaseTheme();
        int nResult = -1;
        EXPECT_TRUE(vzfoundation_test::RunMenuEndedByTimer([&] {
            nResult = TrackContextMenu(&menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, 20, 20, pOwner, 9015);
        })) << "with theme " << bWithTheme;
        EXPECT_EQ(nResult, 0) << "nothing was chosen";
        EXPECT_NE(VZPPaintManager(), nullptr);
    }
    EXPECT_EQ(TrackContextMenu(NULL, 0, 0, 0, pOwner, 0), 0);
}
