#include "CVZPTaskPanelPaintManager.h"

#include <algorithm>
#include <cmath>

#include <afxcmn.h>

#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "CVZPImageManagerIcon.h"
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

namespace {

// Saves the DC's state and restores it when it goes.
class CDCState
{
public:
    explicit CDCState(CDC* pDC) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) {}
    ~CDCState() { m_pDC->RestoreDC(m_nSaved); }
    CDCState(const CDCState&) = delete;
    CDCState& operator=(const CDCState&) = delete;

private:
    CDC* m_pDC;
    int m_nSaved;
};

// Two chevrons centred at (x, y), pointing up for an expanded group.
void DrawDoubleChevron(CDC* pDC, int x, int y, BOOL bUp, COLORREF clr)
{
    static const int s_up[4][6] = { { -3, -2, 0, -5, 4, -1 }, { -2, -2, 0, -4, 3, -1 },
                                    { -3, 2, 0, -1, 4, 3 }, { -2, 2, 0, 0, 3, 3 } };
    static const int s_down[4][6] = { { -3, -4, 0, -1, 4, -5 }, { -2, -4, 0, -2, 3, -5 },
                                      { -3, 0, 0, 3, 4, -1 }, { -2, 0, 0, 2, 3, -1 } };
    const int(*pLines)[6] = bUp ? s_up : s_down;
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    for (int i = 0; i < 4; i++)
    {
        pDC->MoveTo(x + pLines[i][0], y + pLines[i][1]);
        pDC->LineTo(x + pLines[i][2], y + pLines[i][3]);
        pDC->LineTo(x + pLines[i][4], y + pLines[i][5]);
    }
    pDC->SelectObject(pOld);
}

CVZPTaskPanelGroup* GroupOf(CVZPTaskPanelItem* pItem)
{
    return pItem != NULL ? DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, pItem->GetOwnerGroup()) : NULL;
}

int HotTrackOf(CVZPTaskPanelItem* pItem)
{
    return pItem != NULL && pItem->m_pPanel != NULL ? pItem->m_pPanel->GetEffectiveHotTrack() : 1;
}

BOOL HasFocusCue(CVZPTaskPanelItem* pItem)
{
    return pItem != NULL && pItem->m_pPanel != NULL && pItem->IsFocused() && pItem->m_pPanel->HasFocusCue();
}

}  // namespace

int CVZPTaskPanelPaintManager::GroupIconWidth(CVZPTaskPanelGroup* pGroup)
{
    return pGroup->m_pPanel != NULL ? pGroup->m_pPanel->m_szGroupIcon.cx : 32;
}

CRect CVZPTaskPanelPaintManager::PanelFillRect(CDC* pDC, CVZPTaskPanel* pPanel)
{
    CRect rc;
    if (pPanel != NULL && pPanel->GetSafeHwnd() != NULL)
        pPanel->GetClientRect(&rc);
    else
        pDC->GetClipBox(&rc);
    rc.top = 0;
    if (pPanel != NULL)
        rc.bottom = std::max(rc.bottom, LONG(pPanel->GetContentHeight()));
    return rc;
}

void CVZPTaskPanelPaintManager::FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel)
{
    CRect rc = PanelFillRect(pDC, pPanel);
    CVZPDrawTools::FillGradientColor(pDC, rc, &m_grcPanelBackground, FALSE);
}

void CVZPTaskPanelPaintManager::DrawGroupBody(CDC* pDC, CVZPTaskPanelGroup* pGroup)
{
    CRect rc = pGroup->GetBodyRect();
    if (rc.IsRectEmpty())
        return;
    int nVisible = rc.Height(), nHidden = 0, nHeight = nVisible;
    int nExpanded = pGroup->m_nExpandedBodyHeight;
    BOOL bSliding = pGroup->IsExpanding();
    if (bSliding)
    {
        // Drawn as it looks fully open and shown from below.
        nHeight = std::max(nExpanded, nVisible);
        nHidden = nHeight - nVisible;
    }
    CDC dcMem;
    dcMem.CreateCompatibleDC(pDC);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(pDC, rc.Width(), nHeight);
    CBitmap* pOldBitmap = dcMem.SelectObject(&bmp);
    dcMem.SetWindowOrg(rc.left, rc.top);
    FillGroupClientFace(&dcMem, pGroup, CRect(rc.left, rc.top, rc.right, rc.top + nHeight));
    dcMem.SetWindowOrg(0, 0);
    int nAlpha = nExpanded > 0 ? nVisible * 255 / nExpanded : 255;
    if (bSliding && m_pfnAlphaBlend != NULL && nAlpha != 255)
    {
        BLENDFUNCTION blend = { AC_SRC_OVER, 0, BYTE(std::min(255, std::max(0, nAlpha))), 0 };
        m_pfnAlphaBlend(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), nVisible, dcMem.GetSafeHdc(), 0, nHidden,
                        rc.Width(), nVisible, blend);
    }
    else
    {
        pDC->BitBlt(rc.left, rc.top, rc.Width(), nVisible, &dcMem, 0, nHidden, SRCCOPY);
    }
    dcMem.SelectObject(pOldBitmap);
}

int CVZPTaskPanelPaintManager::DrawGroupCaption(CDC* pDC, CVZPTaskPanelGroup* pGroup, BOOL bDraw)
{
    int nHeight = pGroup->IsCaptionVisible() ? m_nCaptionHeight : (m_bZeroCaptionWhenHidden ? 0 : 1);
    if (!bDraw)
        return nHeight;
    CRect rc = pGroup->GetCaptionRect();
    if (rc.IsRectEmpty())
        return nHeight;
    CVZPTaskPanelColorSet* pColors = GetGroupColors(pGroup);
    if (pGroup->IsCaptionVisible())
    {
        {
            CDCState state(pDC);
            if (m_bRoundCaptionLeft)
            {
                pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 2, rc.top + 1);
                pDC->ExcludeClipRect(rc.left, rc.top + 1, rc.left + 1, rc.top + 2);
            }
            if (m_bRoundCaptionRight)
            {
                pDC->ExcludeClipRect(rc.right - 2, rc.top, rc.right, rc.top + 1);
                pDC->ExcludeClipRect(rc.right - 1, rc.top + 1, rc.right, rc.top + 2);
            }
            pDC->FillSolidRect(rc, pColors->grcCaption.GetStartColor());
            CRect rcGradient(rc);
            rcGradient.left = rc.left + int(pColors->dCaptionGradientStart * rc.Width());
            CVZPDrawTools::FillGradientColor(pDC, rcGradient, &pColors->grcCaption, TRUE);
        }
        if (HasFocusCue(pGroup))
        {
            CRect rcFocus(rc);
            rcFocus.DeflateRect(2, 2);
            DrawFocusRectangle(pDC, rcFocus);
        }
        CDCState state(pDC);
        pDC->SelectObject(&m_fntCaption);
        CRect rcText = DrawExpandButton(pDC, pGroup, rc);
        rcText.left = DrawCaptionIcon(pDC, pGroup, rcText, rc);
        rcText.bottom += 2;
        pDC->SetBkMode(TRANSPARENT);
        if (pGroup->IsEnabled())
            pDC->SetTextColor(pGroup->IsHot() ? pColors->clrCaptionTextHot : pColors->clrCaptionText);
        else
            pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        DrawItemText(pDC, pGroup, rcText, m_nCaptionTextFormat);
    }
    else
    {
        pDC->FillSolidRect(rc, pColors->clrBorder);
    }
    if (pGroup->IsDropTarget() && (!pGroup->IsExpanded() || pGroup->GetItems()->GetFirstVisibleItem() == NULL))
        DrawDropMark(pDC, pGroup, rc, TRUE);
    return nHeight;
}

int CVZPTaskPanelPaintManager::DrawCaptionIcon(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rcText, CRect rcCaption,
                                               int nNoIconIndent, int nGap)
{
    int w = GroupIconWidth(pGroup);
    CVZPImageManagerIcon* pImage = pGroup->GetImage(w);
    if (pImage == NULL || w >= rcText.Width() || pImage->m_nWidth <= 0)
        return rcText.left + nNoIconIndent;
    CRect rcPad = GetIconPadding(pGroup);
    int h = w * pImage->m_nHeight / pImage->m_nWidth;
    int nMiddle = (rcCaption.top + rcCaption.bottom) / 2;
    int y = std::min(int(nMiddle + h / 2), int(rcCaption.bottom)) + rcPad.top - rcPad.bottom - h;
    DrawItemImage(pDC, pGroup, rcText.left + rcPad.left, y, pImage, w, h);
    return rcText.left + rcPad.left + rcPad.right + w + nGap;
}

CRect CVZPTaskPanelPaintManager::DrawGroupItem(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    CVZPTaskPanelGroup* pGroup = pItem->GetGroup();
    int nLayout = pGroup != NULL ? pGroup->GetLayout() : 2;
    CRect rcResult;
    {
        CDCState state(pDC);
        if (nLayout == 1)
            rcResult = DrawItemInGrid(pDC, pItem, rc, bDraw);
        else if (nLayout == 3)
            rcResult = DrawItemAboveText(pDC, pItem, rc, bDraw);
        else
            rcResult = DrawItemBesideText(pDC, pItem, rc, bDraw);
    }
    if (bDraw)
    {
        if (pItem->IsDropTarget() && !pItem->IsDragged())
            DrawDropMark(pDC, pItem, rc, FALSE);
        if (pGroup != NULL && pGroup->IsDropTarget() && pGroup->GetItems()->GetLastVisibleItem() == pItem)
            DrawDropMark(pDC, pItem, rc, TRUE);
    }
    return rcResult;
}

void CVZPTaskPanelPaintManager::SelectItemFont(CDC* pDC, CVZPTaskPanelGroupItem* pItem)
{
    BOOL bUnderline = pItem->IsHot() && HotTrackOf(pItem) == 1;
    if (pItem->IsBold())
        pDC->SelectObject(bUnderline ? &m_fntItemBoldUnderline : &m_fntItemBold);
    else
        pDC->SelectObject(bUnderline ? &m_fntItemUnderline : &m_fntItem);
}

CRect CVZPTaskPanelPaintManager::BeginItemBox(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, CRect rcPadding,
                                              int nHotTrack)
{
    if (nHotTrack == 3)
        DrawItemHighlight(pDC, pItem, rc);
    CRect r(rc.left + rcPadding.left, rc.top + rcPadding.top, rc.right - rcPadding.right, rc.bottom - rcPadding.bottom);
    if (nHotTrack == 3)
        r.OffsetRect(GetPressedOffset(pItem));
    return r;
}

CRect CVZPTaskPanelPaintManager::DrawItemBesideText(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    CRect p = GetItemInnerPadding(pItem), i = GetIconPadding(pItem);
    int s = HotTrackOf(pItem);
    CVZPTaskPanelGroup* pGroup = pItem->GetGroup();
    CSize szIcon = pGroup != NULL ? pGroup->GetGroupIconSize() : CSize(16, 16);
    CVZPImageManagerIcon* pImage = pItem->GetImage(szIcon.cx);
    BOOL bImage = pImage != NULL && pItem->m_nType != vzpTaskItemControl;
    int nTextIndent = (pItem->m_nType == vzpTaskItemLink || bImage) ? i.left + i.right + szIcon.cx + 7 : 0;
    SelectItemFont(pDC, pItem);
    if (!bDraw)
    {
        CRect rcText(rc.left + p.left + nTextIndent, rc.top + p.top, rc.right - p.right, rc.bottom);
        int nTextHeight = 0, nTextRight = rcText.left;
        if (rcText.Width() > 0)
        {
            CString strText = pItem->m_strCaption.IsEmpty() ? CString(L" ") : pItem->m_strCaption;
            pDC->DrawText(strText, &rcText, (m_nItemTextFormat & ~(DT_CENTER | DT_VCENTER)) | DT_CALCRECT);
            nTextHeight = rcText.Height();
            nTextRight = rcText.right;
        }
        int nImageHeight = bImage ? i.top + i.bottom + szIcon.cy : 0;
        int nRight = s == 3 ? rc.right : std::min(int(rc.right), int(nTextRight + p.right));
        return CRect(rc.left, rc.top, nRight, rc.top + std::max(nTextHeight, nImageHeight) + p.top + p.bottom);
    }
    CSize szPressed = GetPressedOffset(pItem);
    CRect r = BeginItemBox(pDC, pItem, rc, p, s);
    if (bImage)
    {
        if (s == 2)
            DrawItemHighlight(pDC, pItem,
                              CRect(r.left - p.left, r.top - p.top, r.left + i.left + i.right + szIcon.cx + 2,
                                    r.top + i.top + i.bottom + szIcon.cy + 2));
        CPoint pt(r.left + i.left, r.top + i.top);
        if (s == 2 || s == 3)
            pt += szPressed;
        DrawItemImage(pDC, pItem, pt.x, pt.y, pImage, szIcon.cx, szIcon.cy);
    }
    CRect rcText(r.left + nTextIndent, r.top, r.right, r.bottom);
    if (rcText.Width() > 0)
        DrawItemText(pDC, pItem, rcText, m_nItemTextFormat);
    if (HasFocusCue(pItem))
        DrawFocusRectangle(pDC, r);
    return rc;
}

CRect CVZPTaskPanelPaintManager::DrawItemAboveText(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    CRect p = GetItemInnerPadding(pItem);
    int s = HotTrackOf(pItem);
    CVZPTaskPanelGroup* pGroup = pItem->GetGroup();
    CSize szIcon = pGroup != NULL ? pGroup->GetGroupIconSize() : CSize(16, 16);
    BOOL bLink = pItem->m_nType == vzpTaskItemLink;
    CVZPImageManagerIcon* pImage = bLink ? pItem->GetImage(szIcon.cx) : NULL;
    SelectItemFont(pDC, pItem);
    if (!bDraw)
    {
        CRect rcText(rc.left + p.left, rc.top, rc.right, rc.bottom);
        CString strText = pItem->m_strCaption.IsEmpty() ? CString(L" ") : pItem->m_strCaption;
        pDC->DrawText(strText, &rcText, m_nItemTextFormat | DT_CALCRECT);
        int nImageHeight = pImage != NULL ? szIcon.cy + 3 : 0, nImageWidth = pImage != NULL ? szIcon.cx + 4 : 0;
        int w = std::min(int(std::max(rcText.Width(), nImageWidth) + p.left + p.right), int(rc.Width()));
        CRect rcItem(rc);
        if (s != 3)
        {
            rcItem.left = rc.left + (rc.Width() - w) / 2;
            rcItem.right = rcItem.left + w;
        }
        rcItem.bottom = rc.top + nImageHeight + rcText.Height() + p.top + p.bottom;
        return rcItem;
    }
    CSize szPressed = GetPressedOffset(pItem);
    CRect r = BeginItemBox(pDC, pItem, rc, p, s);
    CRect rcText(r);
    if (bLink)
    {
        if (pImage != NULL)
        {
            int x = (r.left + r.right - szIcon.cx + 1) / 2;
            if (s == 2)
                DrawItemHighlight(pDC, pItem, CRect(x - 2, r.top - 1, x + szIcon.cx + 2, r.top + szIcon.cy + 2));
            CPoint pt(x, r.top);
            if (s == 2 || s == 3)
                pt += szPressed;
            DrawItemImage(pDC, pItem, pt.x, pt.y, pImage, szIcon.cx, szIcon.cy);
        }
        rcText.top += szIcon.cy + 3;
    }
    DrawItemText(pDC, pItem, rcText, m_nItemTextFormat | DT_CENTER);
    if (HasFocusCue(pItem))
        DrawFocusRectangle(pDC, r);
    return rc;
}

CRect CVZPTaskPanelPaintManager::DrawItemInGrid(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    CRect p = GetItemInnerPadding(pItem);
    CVZPTaskPanelGroup* pGroup = pItem->GetGroup();
    CSize szIcon = pGroup != NULL ? pGroup->GetGroupIconSize() : CSize(16, 16);
    if (!bDraw)
    {
        int w = szIcon.cx + p.left + p.right;
        int nLeft = rc.left + (rc.Width() - w) / 2;
        return CRect(nLeft, rc.top, nLeft + w, rc.top + szIcon.cy + p.top + p.bottom);
    }
    CPoint pt(rc.left + m_rcGridCellPadding.left, rc.top + m_rcGridCellPadding.top);
    if (HotTrackOf(pItem) != 4)
    {
        DrawItemHighlight(pDC, pItem, rc);
        pt += GetPressedOffset(pItem);
    }
    DrawItemImage(pDC, pItem, pt.x, pt.y, pItem->GetImage(szIcon.cx), szIcon.cx, szIcon.cy);
    if (HasFocusCue(pItem))
        DrawFocusRectangle(pDC, CRect(rc.left + p.left, rc.top + p.top, rc.right - p.right, rc.bottom - p.bottom));
    return rc;
}

void CVZPTaskPanelPaintManager::DrawItemHighlight(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc)
{
    BOOL bSelected = pItem->IsSelected(), bHot = pItem->IsHot(), bPressed = pItem->IsPressed();
    if (m_nHighlightStyle == 1 || m_nHighlightStyle == 2)
    {
        COLORREF clr;
        if (bSelected && !bHot && !bPressed)
            clr = m_clrHighlightSelected;
        else if ((bHot && bSelected && !bPressed) || (bHot && bPressed))
            clr = m_clrHighlightPressed;
        else if (bHot || bPressed)
            clr = m_clrHighlightHot;
        else
            return;
        pDC->FillSolidRect(rc, clr);
        COLORREF clrBorder = m_grcHighlightBorder.GetStartColor();
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
        return;
    }
    if (bSelected && (!bHot || bPressed))
        pDC->FillSolidRect(rc, m_clrHighlightHot);
    if (bSelected || (bHot && bPressed))
        pDC->Draw3dRect(rc, m_grcHighlightBorder.GetStartColor(), m_grcHighlightBorder.GetEndColor());
    else if (bHot || bPressed)
        pDC->Draw3dRect(rc, m_grcHighlightBorder.GetEndColor(), m_grcHighlightBorder.GetStartColor());
}

void CVZPTaskPanelPaintManager::DrawScrollButton(CDC* pDC, CVZPTaskPanelScrollButton* pButton)
{
    if (pButton == NULL || pButton->m_rc.IsRectEmpty() || pButton->m_pGroup == NULL ||
        !(pButton->m_bEnabled || m_bCaptionScrollButtons))
        return;
    CRect rc = pButton->m_rc;
    if (m_nHighlightStyle == 0 || m_bCaptionScrollButtons)
    {
        pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
        if (pButton->m_bPressed)
            pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    else
    {
        COLORREF clr = pButton->m_bPressed ? COLORREF(m_clrHighlightPressed)
                       : pButton->m_bHot   ? COLORREF(m_clrHighlightHot)
                                           : GetGroupColors(pButton->m_pGroup)->grcBody.GetEndColor();
        pDC->FillSolidRect(rc, clr);
        pDC->Draw3dRect(rc, m_grcHighlightBorder.GetStartColor(), m_grcHighlightBorder.GetStartColor());
    }
    CPoint c = rc.CenterPoint();
    BOOL bDown = pButton->m_nDirection == 0;
    int b = bDown ? c.y - 2 : c.y + 1;
    CPoint pts[3] = { CPoint(c.x - 5, b), CPoint(c.x + 3, b), CPoint(c.x - 1, bDown ? c.y + 2 : c.y - 3) };
    if (pButton->m_bEnabled)
    {
        DrawFilledTriangle(pDC, pts[0], pts[1], pts[2], RGB(0, 0, 0));
        return;
    }
    DrawFilledTriangle(pDC, pts[0] + CSize(1, 1), pts[1] + CSize(1, 1), pts[2] + CSize(1, 1),
                       ::GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawFilledTriangle(pDC, pts[0], pts[1], pts[2], ::GetSysColor(COLOR_BTNSHADOW));
}

void CVZPTaskPanelPaintManager::FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    CVZPTaskPanelColorSet* pColors = GetGroupColors(pGroup);
    pDC->FillSolidRect(rc, pColors->grcBody.GetEndColor());
    pGroup->DrawFaceImage(pDC, rc);
    if (!pGroup->IsExpanded() && !pGroup->IsExpanding())
        return;
    CPen pen(PS_SOLID, 1, pColors->clrBorder);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(rc.left, rc.top);
    pDC->LineTo(rc.left, rc.bottom - 1);
    if (!m_bZeroCaptionWhenHidden)
    {
        pDC->LineTo(rc.right - 1, rc.bottom - 1);
        pDC->LineTo(rc.right - 1, rc.top - 1);
    }
    else
    {
        pDC->LineTo(rc.right, rc.bottom - 1);
        pDC->MoveTo(rc.right - 1, rc.top);
        pDC->LineTo(rc.left, rc.top);
    }
    pDC->SelectObject(pOld);
    DrawGroupItems(pDC, pGroup, rc);
}

void CVZPTaskPanelPaintManager::FillGroupFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc,
                                              const CVZPGradientColor* pFill, BOOL bHorizontal)
{
    if (pFill != NULL)
        CVZPDrawTools::FillGradientColor(pDC, rc, pFill, bHorizontal);
    else
        pDC->FillSolidRect(rc, GetGroupColors(pGroup)->grcBody.GetEndColor());
    pGroup->DrawFaceImage(pDC, rc);
    if (pGroup->IsExpanded() || pGroup->IsExpanding())
        DrawGroupItems(pDC, pGroup, rc);
}

void CVZPTaskPanelPaintManager::DrawGroupItems(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    int nFirst = pGroup->GetFirstVisibleIndex();
    int nOffset = pGroup->GetFirstVisibleOffset();
    for (int i = nFirst; i < pGroup->GetItemCount(); i++)
    {
        CVZPTaskPanelGroupItem* pItem = pGroup->GetItem(i);
        if (!pItem->IsVisible())
            continue;
        CRect rcItem(pItem->m_rcItem);
        rcItem.OffsetRect(0, rc.top - nOffset);
        pItem->DrawItem(pDC, rcItem);
    }
}

CRect CVZPTaskPanelPaintManager::DrawExpandButton(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    if (!pGroup->IsUserToggleable() || rc.Width() <= 25)
        return rc;
    int c = (rc.top + rc.bottom) / 2;
    CVZPTaskPanelColorSet* pColors = GetGroupColors(pGroup);
    COLORREF clrText = pGroup->IsHot() ? pColors->clrCaptionTextHot : pColors->clrCaptionText;
    switch (m_nExpandButtonStyle)
    {
    case 1:
        return DrawVisualStyleButton(pDC, pGroup, rc);
    case 2:
    {
        CRect rcBox(rc.right - 23, c - 8, rc.right - 6, c + 8);
        if (pGroup->IsHot())
            pDC->Draw3dRect(rcBox, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        CPoint pt = rcBox.CenterPoint();
        DrawDoubleChevron(pDC, pt.x, pt.y, pGroup->IsExpanded(), clrText);
        return CRect(rc.left, rc.top, rcBox.left, rc.bottom);
    }
    case 3:
    {
        int r = rc.right;
        COLORREF clr = m_csNormal.clrTextItem;
        if (pGroup->IsExpanded())
            DrawFilledTriangle(pDC, CPoint(r - 19, c), CPoint(r - 9, c), CPoint(r - 14, c + 5), clr);
        else
            DrawFilledTriangle(pDC, CPoint(r - 16, c - 3), CPoint(r - 11, c + 2), CPoint(r - 16, c + 7), clr);
        return CRect(rc.left, rc.top, r - 19, rc.bottom);
    }
    default:
        return rc;
    }
}

CRect CVZPTaskPanelPaintManager::DrawVisualStyleButton(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    int c = (rc.top + rc.bottom) / 2;
    int y = std::max(c - 10, int(rc.top));
    if (m_bExpandBitmapsLoaded)
    {
        int nIndex = (pGroup->IsExpanded() ? 0 : 2) + (pGroup->IsSpecial() ? 4 : 0) + (pGroup->IsHot() ? 1 : 0);
        HBITMAP hBitmap = m_hExpandBitmaps[nIndex];
        BITMAP bm = {};
        if (m_pfnAlphaBlend != NULL && hBitmap != NULL && ::GetObjectW(hBitmap, sizeof(bm), &bm) != 0)
        {
            CDC dcMem;
            dcMem.CreateCompatibleDC(pDC);
            HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hBitmap);
            BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
            m_pfnAlphaBlend(pDC->GetSafeHdc(), rc.right - 23, y, bm.bmWidth, bm.bmHeight, dcMem.GetSafeHdc(), 0, 0,
                            bm.bmWidth, bm.bmHeight, blend);
            ::SelectObject(dcMem.GetSafeHdc(), hOld);
        }
    }
    else
    {
        HICON hIcon = pGroup->IsSpecial() ? m_hExpandIconSpecial : m_hExpandIcon;
        if (hIcon != NULL)
            pDC->DrawState(CPoint(rc.right - 23, y), CSize(19, 19), hIcon, DSS_NORMAL);
        CVZPTaskPanelColorSet* pColors = GetGroupColors(pGroup);
        DrawDoubleChevron(pDC, rc.right - 14, y + 10, pGroup->IsExpanded(),
                          pGroup->IsHot() ? pColors->clrCaptionTextHot : pColors->clrCaptionText);
    }
    return CRect(rc.left, rc.top, rc.right - 23, rc.bottom);
}

int CVZPTaskPanelPaintManager::GetExpandButtonWidth(CVZPTaskPanelGroup* pGroup, CRect rc)
{
    if (!pGroup->IsUserToggleable() || rc.Width() < 26)
        return 0;
    switch (m_nExpandButtonStyle)
    {
    case 1:
    case 2:
        return 23;
    case 3:
        return 19;
    default:
        return 0;
    }
}

void CVZPTaskPanelPaintManager::DrawItemText(CDC* pDC, CVZPTaskPanelItem* pItem, CRect rc, UINT nFormat)
{
    if (!pItem->IsGroup())
    {
        pDC->SetBkMode(TRANSPARENT);
        CVZPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CVZPTaskPanelGroupItem, pItem);
        CVZPTaskPanelColorSet* pColors = GetGroupColors(GroupOf(pItem));
        if (m_bEmbossDisabledText && !pItem->IsEnabled())
        {
            CRect rcShadow(rc);
            rcShadow.OffsetRect(1, 1);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            pDC->DrawText(pItem->m_strCaption, &rcShadow, nFormat);
        }
        COLORREF clr = pColors->clrTextItem;
        if (!pItem->IsEnabled())
        {
            clr = ::GetSysColor(COLOR_GRAYTEXT);
        }
        else if (pItem->m_nType == vzpTaskItemLink)
        {
            int s = HotTrackOf(pItem);
            BOOL bSelected = pGroupItem != NULL && pGroupItem->IsSelected();
            if (s == 1)
                clr = pItem->IsHot() ? pColors->clrLinkHot : pColors->clrLink;
            else if (s == 3)
                clr = (bSelected || pItem->IsHot()) ? pColors->clrLinkSelected : pColors->clrLink;
            else
                clr = pColors->clrLink;
        }
        pDC->SetTextColor(clr);
    }
    pDC->DrawText(pItem->m_strCaption, &rc, nFormat);
    pItem->RecordTextRect(pDC, rc, nFormat);
}

void CVZPTaskPanelPaintManager::DrawItemImage(CDC* pDC, CVZPTaskPanelItem* pItem, int x, int y,
                                              CVZPImageManagerIcon* pImage, int cx, int cy)
{
    if (pImage == NULL)
        return;
    CVZPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CVZPTaskPanelGroupItem, pItem);
    CVZPImageManagerIconHandle* pHandle = &pImage->GetIcon();
    if (!pItem->IsEnabled())
    {
        pHandle = &pImage->GetDisabledIcon(TRUE);
    }
    else if (pItem->IsHot() || pItem->IsPressed())
    {
        if (!pImage->GetHotIcon().IsEmpty())
            pHandle = &pImage->GetHotIcon();
    }
    else if (pGroupItem != NULL && pGroupItem->IsSelected())
    {
        if (!pImage->GetCheckedIcon().IsEmpty())
            pHandle = &pImage->GetCheckedIcon();
    }
    if (pHandle->IsEmpty())
        pHandle = &pImage->GetIcon();
    pImage->Draw(pDC, CPoint(x, y), *pHandle, cx, cy);
}

void CVZPTaskPanelPaintManager::DrawDropMark(CDC* pDC, CVZPTaskPanelItem* pItem, CRect rc, BOOL bAfter)
{
    if (m_bInvertDropMarks)
    {
        pDC->InvertRect(rc);
        return;
    }
    CRect rcMark(rc);
    CVZPTaskPanelGroup* pGroup = GroupOf(pItem);
    CVZPTaskPanel* pPanel = pItem->m_pPanel;
    if (!pItem->IsGroup() && pGroup != NULL && pGroup->GetLayout() != 1 && pPanel != NULL &&
        pPanel->GetSafeHwnd() != NULL)
    {
        CRect rcClient;
        pPanel->GetClientRect(&rcClient);
        CRect rcMargins = GetPanelMargins(pPanel), rcOuter = GetGroupOuterMargins(pGroup);
        rcMark.left = rcClient.left + rcMargins.left + rcOuter.left + 2;
        rcMark.right = rcClient.right - rcMargins.right - rcOuter.right - 2;
    }
    int y = (bAfter ? rc.bottom : rc.top) - 1;
    const COLORREF clrBlack = RGB(0, 0, 0);
    pDC->FillSolidRect(rcMark.left, y, rcMark.Width(), 1, clrBlack);
    for (int i = 0; i < 3; i++)
    {
        int nHalf = 3 - i;
        pDC->FillSolidRect(rcMark.left + i, y - nHalf, 1, 2 * nHalf + 1, clrBlack);
        pDC->FillSolidRect(rcMark.right - 1 - i, y - nHalf, 1, 2 * nHalf + 1, clrBlack);
    }
}

void CVZPTaskPanelPaintManager::DrawFocusRectangle(CDC* pDC, CRect rc)
{
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rc);
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
