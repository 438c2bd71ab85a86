#include "CVZPTaskPanelPaintManager.h"

#include <algorithm>
#include <cmath>

#include <afxcmn.h>

#include "CVZPColorManager.h"
#include "CVZPResourceLoader.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelGroup.h"
#include "CVZPVisualStyle.h"
#include "VZPAlphaBitmap.h"
#include "VZPDrawHelpers.h"
#include "VZPPaneMetrics.h"
#include "uilibres.h"

namespace {

COLORREF Sys(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// Each side equal to VZP_TASKPANEL_DEFAULT takes the default's side.
CRect ResolveDefaults(const RECT& rc, const RECT& rcDefault)
{
    return CRect(rc.left == VZP_TASKPANEL_DEFAULT ? rcDefault.left : rc.left,
                 rc.top == VZP_TASKPANEL_DEFAULT ? rcDefault.top : rc.top,
                 rc.right == VZP_TASKPANEL_DEFAULT ? rcDefault.right : rc.right,
                 rc.bottom == VZP_TASKPANEL_DEFAULT ? rcDefault.bottom : rc.bottom);
}

// Hue (0 to 360), luminance and saturation (0 to 1).
struct Hls
{
    double h, l, s;
};

Hls RgbToHls(COLORREF clr)
{
    double r = GetRValue(clr) / 255.0, g = GetGValue(clr) / 255.0, b = GetBValue(clr) / 255.0;
    double dMax = std::max(r, std::max(g, b)), dMin = std::min(r, std::min(g, b));
    Hls hls = { 0, (dMax + dMin) / 2, 0 };
    double d = dMax - dMin;
    if (d <= 0)
        return hls;
    hls.s = hls.l <= 0.5 ? d / (dMax + dMin) : d / (2 - dMax - dMin);
    if (dMax == r)
        hls.h = (g - b) / d;
    else if (dMax == g)
        hls.h = 2 + (b - r) / d;
    else
        hls.h = 4 + (r - g) / d;
    hls.h *= 60;
    if (hls.h < 0)
        hls.h += 360;
    return hls;
}

double HueToChannel(double m1, double m2, double h)
{
    if (h < 0)
        h += 360;
    if (h >= 360)
        h -= 360;
    if (h < 60)
        return m1 + (m2 - m1) * h / 60;
    if (h < 180)
        return m2;
    if (h < 240)
        return m1 + (m2 - m1) * (240 - h) / 60;
    return m1;
}

COLORREF HlsToRgb(const Hls& hls)
{
    auto toByte = [](double v) { return BYTE(std::min(255.0, std::max(0.0, v * 255 + 0.5))); };
    if (hls.s <= 0)
        return RGB(toByte(hls.l), toByte(hls.l), toByte(hls.l));
    double m2 = hls.l <= 0.5 ? hls.l * (1 + hls.s) : hls.l + hls.s - hls.l * hls.s;
    double m1 = 2 * hls.l - m2;
    return RGB(toByte(HueToChannel(m1, m2, hls.h + 120)), toByte(HueToChannel(m1, m2, hls.h)),
               toByte(HueToChannel(m1, m2, hls.h - 120)));
}

}  // namespace

CVZPTaskPanelPaintManager::CVZPTaskPanelPaintManager()
    : m_bExplorerLook(TRUE), m_nExpandButtonStyle(2), m_bCaptionBold(TRUE), m_rcGroupOuterMargins(0, 0, 0, 0),
      m_rcGroupInnerMargins(11, 8, 11, 8), m_rcItemMargins(0, 0, 0, 0), m_rcItemInnerPadding(2, 2, 2, 2),
      m_rcPanelMargins(12, 12, 12, 12), m_nGroupSpacing(15), m_rcGridCellPadding(6, 6, 6, 6),
      m_rcItemIconPadding(0, 0, 0, 0), m_rcGroupIconPadding(0, 0, 0, 0), m_nHighlightStyle(0),
      m_bInvertDropMarks(FALSE), m_bCaptionScrollButtons(FALSE), m_bEmbossDisabledText(FALSE),
      m_bExpandBitmapsLoaded(FALSE), m_hExpandIcon(NULL), m_hExpandIconSpecial(NULL), m_bZeroCaptionWhenHidden(FALSE),
      m_bRoundCaptionLeft(FALSE), m_bRoundCaptionRight(FALSE), m_nCaptionHeight(0), m_pfnAlphaBlend(NULL),
      m_hMsImg32(NULL), m_bUseSystemCaptionFont(TRUE), m_bUseSystemItemFonts(TRUE), m_nItemTextFormat(0x810),
      m_nCaptionTextFormat(0x8824)
{
    for (HBITMAP& hBitmap : m_hExpandBitmaps)
        hBitmap = NULL;
    m_hMsImg32 = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImg32 != NULL)
        m_pfnAlphaBlend =
            reinterpret_cast<PFNALPHABLEND>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "AlphaBlend")));
}

CVZPTaskPanelPaintManager::~CVZPTaskPanelPaintManager()
{
    if (m_hMsImg32 != NULL)
        ::FreeLibrary(m_hMsImg32);
    if (m_hExpandIcon != NULL)
        ::DestroyIcon(m_hExpandIcon);
    if (m_hExpandIconSpecial != NULL)
        ::DestroyIcon(m_hExpandIconSpecial);
    for (HBITMAP hBitmap : m_hExpandBitmaps)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
    }
    m_fntCaption.DeleteObject();
    m_fntItem.DeleteObject();
    m_fntItemBold.DeleteObject();
    m_fntItemUnderline.DeleteObject();
    m_fntItemBoldUnderline.DeleteObject();
}

LOGFONT CVZPTaskPanelPaintManager::GetIconTitleFont()
{
    LOGFONT lf = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), &lf, 0);
    return lf;
}

void CVZPTaskPanelPaintManager::CopyNormalColors()
{
    m_csSpecial = m_csNormal;
}

void CVZPTaskPanelPaintManager::RefreshMetrics()
{
    RefreshColorsThrottled();
    LOGFONT lf = GetIconTitleFont();

    if (m_bUseSystemItemFonts)
    {
        struct ItemFont
        {
            CFont* pFont;
            LONG nWeight;
            BYTE bUnderline;
        };
        const ItemFont fonts[4] = { { &m_fntItem, FW_NORMAL, FALSE },
                                    { &m_fntItemUnderline, FW_NORMAL, TRUE },
                                    { &m_fntItemBold, FW_BOLD, FALSE },
                                    { &m_fntItemBoldUnderline, FW_BOLD, TRUE } };
        for (const ItemFont& font : fonts)
        {
            LOGFONT lfItem = lf;
            lfItem.lfWeight = font.nWeight;
            lfItem.lfUnderline = font.bUnderline;
            font.pFont->DeleteObject();
            font.pFont->CreateFontIndirect(&lfItem);
        }
    }
    if (m_bUseSystemCaptionFont)
    {
        LOGFONT lfCaption = lf;
        lfCaption.lfWeight = m_bCaptionBold ? FW_BOLD : FW_NORMAL;
        lfCaption.lfUnderline = FALSE;
        m_fntCaption.DeleteObject();
        m_fntCaption.CreateFontIndirect(&lfCaption);
        m_nCaptionHeight = std::max(25, VZPMeasureSpaceHeight(&m_fntCaption));
    }

    m_csNormal.dCaptionGradientStart = 0;
    m_csSpecial.dCaptionGradientStart = 0;
    m_bZeroCaptionWhenHidden = FALSE;
    m_grcPanelBackground.SetStandardValue(Sys(COLOR_WINDOW));

    m_csNormal.grcCaption.SetStandardValue(Sys(COLOR_BTNFACE));
    m_csNormal.grcBody.SetStandardValue(Sys(COLOR_WINDOW));
    m_csNormal.clrBorder = Sys(COLOR_BTNFACE);
    m_csNormal.clrCaptionText = Sys(COLOR_BTNTEXT);
    m_csNormal.clrCaptionTextHot = Sys(COLOR_BTNTEXT);
    m_csNormal.clrTextItem = Sys(COLOR_BTNTEXT);
    m_csNormal.clrLink = Sys(COLOR_BTNTEXT);
    m_csNormal.clrLinkSelected = Sys(COLOR_BTNTEXT);
    m_csNormal.clrLinkHot = Sys(COLOR_HIGHLIGHT);

    m_csSpecial.grcCaption.SetStandardValue(Sys(COLOR_ACTIVECAPTION));
    m_csSpecial.grcBody.SetStandardValue(Sys(COLOR_WINDOW));
    m_csSpecial.clrBorder = Sys(COLOR_ACTIVECAPTION);
    m_csSpecial.clrCaptionText = Sys(COLOR_CAPTIONTEXT);
    m_csSpecial.clrCaptionTextHot = Sys(COLOR_CAPTIONTEXT);
    m_csSpecial.clrTextItem = Sys(COLOR_BTNTEXT);
    m_csSpecial.clrLink = Sys(COLOR_BTNTEXT);
    m_csSpecial.clrLinkSelected = Sys(COLOR_BTNTEXT);
    m_csSpecial.clrLinkHot = Sys(COLOR_HIGHLIGHT);

    m_bRoundCaptionLeft = FALSE;
    m_bRoundCaptionRight = FALSE;
    m_nExpandButtonStyle = 2;

    if (m_nHighlightStyle == 0)
    {
        m_clrHighlightHot = Sys(COLOR_BTNFACE);
        m_grcHighlightBorder.SetStandardValue(RGB(128, 128, 128), RGB(198, 198, 198));
    }
    else
    {
        m_clrHighlightHot = Sys(VZPCOLOR_HIGHLIGHT);
        m_clrHighlightSelected = Sys(VZPCOLOR_HIGHLIGHT_CHECKED);
        m_clrHighlightPressed = Sys(VZPCOLOR_HIGHLIGHT_PUSHED);
        m_grcHighlightBorder.SetStandardValue(Sys(VZPCOLOR_HIGHLIGHT_BORDER));
        int nScheme = QueryCurrentColorScheme();
        if (m_nHighlightStyle == 2 && nScheme >= 1 && nScheme <= 3)
        {
            static const COLORREF s_clrBorder[3] = { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) };
            m_clrHighlightHot = RGB(255, 238, 194);
            m_clrHighlightPressed = RGB(254, 128, 62);
            m_clrHighlightSelected = RGB(255, 192, 111);
            m_grcHighlightBorder.SetStandardValue(s_clrBorder[nScheme - 1]);
        }
    }
}

CVZPTaskPanelColorSet* CVZPTaskPanelPaintManager::GetGroupColors(CVZPTaskPanelGroup* pGroup)
{
    return pGroup != NULL && pGroup->IsSpecial() ? &m_csSpecial : &m_csNormal;
}

CRect CVZPTaskPanelPaintManager::GetItemMargins(CVZPTaskPanelGroupItem* pItem)
{
    return pItem != NULL ? ResolveDefaults(pItem->m_rcMargins, m_rcItemMargins) : m_rcItemMargins;
}

CRect CVZPTaskPanelPaintManager::GetItemInnerPadding(CVZPTaskPanelGroupItem* /*pItem*/)
{
    return m_rcItemInnerPadding;
}

CRect CVZPTaskPanelPaintManager::GetGroupOuterMargins(CVZPTaskPanelGroup* pGroup)
{
    return pGroup != NULL ? ResolveDefaults(pGroup->m_rcOuterMargins, m_rcGroupOuterMargins) : m_rcGroupOuterMargins;
}

CRect CVZPTaskPanelPaintManager::GetIconPadding(CVZPTaskPanelItem* pItem)
{
    if (pItem == NULL)
        return m_rcItemIconPadding;
    return ResolveDefaults(pItem->m_rcIconPadding, pItem->IsGroup() ? m_rcGroupIconPadding : m_rcItemIconPadding);
}

CRect CVZPTaskPanelPaintManager::GetGroupInnerMargins(CVZPTaskPanelGroup* pGroup)
{
    return pGroup != NULL ? ResolveDefaults(pGroup->m_rcInnerMargins, m_rcGroupInnerMargins) : m_rcGroupInnerMargins;
}

CRect CVZPTaskPanelPaintManager::GetPanelMargins(CVZPTaskPanel* pPanel)
{
    return pPanel != NULL ? ResolveDefaults(pPanel->m_rcMargins, m_rcPanelMargins) : m_rcPanelMargins;
}

int CVZPTaskPanelPaintManager::GetGroupSpacing(CVZPTaskPanel* pPanel)
{
    if (pPanel == NULL || pPanel->m_nGroupSpacing == VZP_TASKPANEL_DEFAULT)
        return m_nGroupSpacing;
    return pPanel->m_nGroupSpacing;
}

CSize CVZPTaskPanelPaintManager::GetPressedOffset(CVZPTaskPanelGroupItem* pItem)
{
    if (m_nHighlightStyle == 0 && pItem != NULL && pItem->IsSelected())
        return CSize(1, 1);
    return CSize(0, 0);
}

// Groups and items are drawn by the panel's window; without one nothing is
// drawn, and measuring gives nothing.
void CVZPTaskPanelPaintManager::FillPanelBackground(CDC* /*pDC*/, CVZPTaskPanel* /*pPanel*/)
{
}

void CVZPTaskPanelPaintManager::DrawGroupBody(CDC* /*pDC*/, CVZPTaskPanelGroup* /*pGroup*/)
{
}

int CVZPTaskPanelPaintManager::DrawGroupCaption(CDC* /*pDC*/, CVZPTaskPanelGroup* /*pGroup*/, BOOL /*bDraw*/)
{
    return 0;
}

CRect CVZPTaskPanelPaintManager::DrawGroupItem(CDC* /*pDC*/, CVZPTaskPanelGroupItem* /*pItem*/, CRect rc,
                                               BOOL /*bDraw*/)
{
    return rc;
}

void CVZPTaskPanelPaintManager::DrawItemHighlight(CDC* /*pDC*/, CVZPTaskPanelGroupItem* /*pItem*/, CRect /*rc*/)
{
}

void CVZPTaskPanelPaintManager::DrawScrollButton(CDC* /*pDC*/, CVZPTaskPanelScrollButton* /*pButton*/)
{
}

void CVZPTaskPanelPaintManager::FillGroupClientFace(CDC* /*pDC*/, CVZPTaskPanelGroup* /*pGroup*/, CRect /*rc*/)
{
}

void CVZPTaskPanelPaintManager::DrawGroupItems(CDC* /*pDC*/, CVZPTaskPanelGroup* /*pGroup*/, CRect /*rc*/)
{
}

CRect CVZPTaskPanelPaintManager::DrawExpandButton(CDC* /*pDC*/, CVZPTaskPanelGroup* /*pGroup*/, CRect rc)
{
    return rc;
}

int CVZPTaskPanelPaintManager::GetExpandButtonWidth(CVZPTaskPanelGroup* /*pGroup*/, CRect /*rc*/)
{
    return 0;
}

void CVZPTaskPanelPaintManager::DrawItemText(CDC* /*pDC*/, CVZPTaskPanelItem* /*pItem*/, CRect /*rc*/,
                                             UINT /*nFormat*/)
{
}

void CVZPTaskPanelPaintManager::DrawItemImage(CDC* /*pDC*/, CVZPTaskPanelItem* /*pItem*/, int /*x*/, int /*y*/,
                                              CVZPImageManagerIcon* /*pImage*/, int /*cx*/, int /*cy*/)
{
}

void CVZPTaskPanelPaintManager::DrawDropMark(CDC* /*pDC*/, CVZPTaskPanelItem* /*pItem*/, CRect /*rc*/,
                                             BOOL /*bAfter*/)
{
}

void CVZPTaskPanelPaintManager::DrawFocusRectangle(CDC* /*pDC*/, CRect /*rc*/)
{
}

void CVZPTaskPanelPaintManager::LoadExpandResources()
{
    m_bExpandBitmapsLoaded = FALSE;
    int nScheme = QueryCurrentColorScheme();
    if (nScheme != 0)
    {
        WCHAR szFileName[MAX_PATH] = {};
        CString strFolder;
        if (SUCCEEDED(CVZPVisualStyle::GetCurrentThemeName(szFileName, MAX_PATH, NULL, 0, NULL, 0)))
        {
            CString strLower(szFileName);
            strLower.MakeLower();
            int nSlash = strLower.ReverseFind(L'\\');
            if (strLower.Find(L"luna.msstyles") >= 0 && nSlash >= 0)
                strFolder = CString(szFileName).Left(nSlash + 1);
        }
        if (strFolder.IsEmpty())
        {
            WCHAR szWindows[MAX_PATH] = {};
            ::GetWindowsDirectoryW(szWindows, MAX_PATH);
            strFolder = CString(szWindows) + L"\\Resources\\Themes\\Luna\\";
        }
        LPCWSTR pszColor = nScheme == 2 ? L"Homestead" : nScheme == 3 ? L"Metallic" : L"NormalColor";
        CString strLibrary = strFolder + L"shell\\" + pszColor + L"\\shellstyle.dll";
        HMODULE hShellStyle = ::LoadLibraryExW(strLibrary, NULL, LOAD_LIBRARY_AS_DATAFILE);
        if (hShellStyle != NULL)
        {
            m_bExpandBitmapsLoaded = TRUE;
            for (int i = 0; i < 8; i++)
            {
                if (m_hExpandBitmaps[i] != NULL)
                    ::DeleteObject(m_hExpandBitmaps[i]);
                m_hExpandBitmaps[i] = static_cast<HBITMAP>(
                    ::LoadImageW(hShellStyle, MAKEINTRESOURCEW(100 + i), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
                if (m_hExpandBitmaps[i] == NULL)
                    m_bExpandBitmapsLoaded = FALSE;
                if (m_bExpandBitmapsLoaded)
                {
                    HBITMAP hPremultiplied = CreatePremultipliedBitmap(m_hExpandBitmaps[i]);
                    if (hPremultiplied != NULL)
                    {
                        ::DeleteObject(m_hExpandBitmaps[i]);
                        m_hExpandBitmaps[i] = hPremultiplied;
                    }
                }
            }
            ::FreeLibrary(hShellStyle);
        }
    }
    if (!m_bExpandBitmapsLoaded)
    {
        MakeTintedIcon(&m_hExpandIconSpecial, VZP_IDB_TASKPANEL_EXPAND_SPECIAL, m_csSpecial.grcCaption.GetEndColor());
        MakeTintedIcon(&m_hExpandIcon, VZP_IDB_TASKPANEL_EXPAND, m_csNormal.grcCaption.GetEndColor());
    }
}

void CVZPTaskPanelPaintManager::MakeTintedIcon(HICON* phIcon, UINT nResourceID, COLORREF clr)
{
    if (*phIcon != NULL)
        ::DestroyIcon(*phIcon);
    *phIcon = NULL;

    CBitmap bmpSource;
    if (!GetResourceLoader()->LoadBitmap(&bmpSource, nResourceID))
        return;
    BITMAP bm = {};
    bmpSource.GetBitmap(&bm);
    int cx = bm.bmWidth;
    if (cx <= 0 || bm.bmHeight <= 0)
        return;

    CWindowDC dcDesktop(CWnd::GetDesktopWindow());
    CDC dcSource, dcTarget;
    dcSource.CreateCompatibleDC(&dcDesktop);
    dcTarget.CreateCompatibleDC(&dcDesktop);
    CBitmap bmpTarget;
    bmpTarget.CreateCompatibleBitmap(&dcDesktop, cx, cx);
    CBitmap* pOldSource = dcSource.SelectObject(&bmpSource);
    CBitmap* pOldTarget = dcTarget.SelectObject(&bmpTarget);

    const COLORREF clrMask = RGB(0, 255, 0);
    COLORREF clrKey = dcSource.GetPixel(0, 0);
    Hls hlsColor = RgbToHls(clr);
    double dKey = RgbToHls(clrKey).l;
    for (int y = 0; y < cx; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            COLORREF clrPixel = dcSource.GetPixel(x, y);
            if (clrPixel == clrKey || clrPixel == CLR_INVALID)
            {
                dcTarget.SetPixel(x, y, clrMask);
                continue;
            }
            double dPixel = RgbToHls(clrPixel).l;
            Hls hls = hlsColor;
            if (dPixel > 0.9 && hlsColor.l <= 0.9)
                hls.l = dPixel;
            else
                hls.l = std::min(1.0, hlsColor.l * (dKey > 0 ? dPixel / dKey : 1.0));   // a black key scales by 1
            dcTarget.SetPixel(x, y, HlsToRgb(hls));
        }
    }
    dcSource.SelectObject(pOldSource);
    dcTarget.SelectObject(pOldTarget);

    CImageList il;
    if (il.Create(cx, cx, ILC_COLOR24 | ILC_MASK, 0, 1))
    {
        il.Add(&bmpTarget, clrMask);
        *phIcon = il.ExtractIcon(0);
        il.DeleteImageList();
    }
}
