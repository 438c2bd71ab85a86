#include "CVZPTaskPanelThemes.h"

#include <algorithm>

#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelGroup.h"
#include "VZPDrawHelpers.h"
#include "VZPPaneMetrics.h"

namespace {

COLORREF Sys(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// Per channel (a x w + b x (255 - w)) / 255.
COLORREF Blend(COLORREF a, COLORREF b, int w)
{
    auto channel = [w](int ca, int cb) { return std::min(255, std::max(0, (ca * w + cb * (255 - w)) / 255)); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

// The colour manager's blend with a's share in per cent.
COLORREF Mix(COLORREF a, COLORREF b, int nPercent)
{
    return CVZPColorManager::BlendColors(a, b, nPercent);
}

void SetLinks(CVZPTaskPanelColorSet& cs, COLORREF clrLink, COLORREF clrLinkHot)
{
    cs.clrLink = clrLink;
    cs.clrLinkHot = clrLinkHot;
}


// The explorer-bar look of themes 2 and 6 for a scheme (0: from the system
// colours).
struct ExplorerColors
{
    COLORREF clrBackStart, clrBackEnd, clrSpecialStart, clrSpecialEnd, clrSpecialText, clrSpecialHot, clrSpecialBody,
        clrNormalStart, clrNormalEnd, clrNormalText, clrNormalHot, clrNormalBody, clrLink, clrLinkHot;
};

ExplorerColors GetExplorerColors(int nScheme)
{
    static const ExplorerColors s_schemes[3] = {
        { RGB(123, 162, 231), RGB(99, 117, 214), RGB(0, 73, 181), RGB(41, 93, 206), RGB(255, 255, 255),
          RGB(66, 142, 255), RGB(239, 243, 255), RGB(255, 255, 255), RGB(198, 211, 247), RGB(33, 93, 198),
          RGB(66, 142, 255), RGB(214, 223, 247), RGB(33, 93, 198), RGB(66, 142, 255) },
        { RGB(204, 217, 173), RGB(165, 189, 132), RGB(119, 140, 64), RGB(150, 168, 103), RGB(255, 255, 255),
          RGB(224, 231, 184), RGB(246, 246, 236), RGB(255, 252, 236), RGB(224, 231, 184), RGB(86, 102, 45),
          RGB(114, 146, 29), RGB(246, 246, 236), RGB(86, 102, 45), RGB(114, 146, 29) },
        { RGB(196, 200, 212), RGB(177, 179, 200), RGB(119, 119, 146), RGB(180, 182, 199), RGB(255, 255, 255),
          RGB(230, 230, 230), RGB(240, 241, 245), RGB(255, 255, 255), RGB(214, 215, 224), RGB(63, 61, 61),
          RGB(126, 124, 124), RGB(240, 241, 245), RGB(63, 61, 61), RGB(126, 124, 124) },
    };
    if (nScheme >= 1 && nScheme <= 3)
        return s_schemes[nScheme - 1];
    COLORREF clrWindow = Sys(COLOR_WINDOW), clrActive = Sys(COLOR_ACTIVECAPTION);
    COLORREF clrHighlight = Sys(COLOR_HIGHLIGHT), clrText = Sys(COLOR_BTNTEXT);
    COLORREF t = Blend(Sys(COLOR_BTNFACE), clrWindow, 24);
    return { Blend(Sys(COLOR_INACTIVECAPTION), clrWindow, 128), Blend(clrActive, clrWindow, 192), clrActive,
             Blend(clrActive, clrWindow, 92), Sys(COLOR_CAPTIONTEXT), Blend(Sys(COLOR_BTNHIGHLIGHT), clrHighlight, 128),
             t, clrWindow, Blend(Sys(COLOR_INACTIVECAPTION), clrWindow, 92), Blend(clrHighlight, clrText, 192),
             Blend(clrHighlight, clrText, 240), Blend(t, clrActive, 230), clrText, clrHighlight };
}

}  // namespace

// --- theme 1 --------------------------------------------------------------

CVZPTaskPanelTheme1::CVZPTaskPanelTheme1()
{
    m_nHighlightStyle = 2;
    m_rcPanelMargins.SetRect(8, 8, 0, 8);
    m_nGroupSpacing = 15;
}

void CVZPTaskPanelTheme1::RefreshMetrics()
{
    CVZPTaskPanelPaintManager::RefreshMetrics();
    m_nExpandButtonStyle = 0;
    if (m_bUseSystemCaptionFont)
    {
        LOGFONT lf = GetIconTitleFont();
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 18;
        lf.lfUnderline = FALSE;
        if (FontExists(L"Tahoma"))
            lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
        m_fntCaption.DeleteObject();
        m_fntCaption.CreateFontIndirect(&lf);
        m_nCaptionHeight = std::max(20, VZPMeasureSpaceHeight(&m_fntCaption));
    }

    struct SchemeColors
    {
        COLORREF clrBackStart, clrBackEnd, clrCaptionStart, clrCaptionEnd, clrCaptionText, clrBody, clrLink;
    };
    COLORREF clrFace = Sys(COLOR_BTNFACE), clrWindow = Sys(COLOR_WINDOW);
    const SchemeColors schemes[4] = {
        { Mix(clrFace, clrWindow, 50), clrFace, Mix(clrFace, clrWindow, 39), Mix(clrFace, clrWindow, 70),
          Sys(COLOR_BTNTEXT), Mix(clrFace, clrWindow, 49), RGB(0, 0, 255) },
        { RGB(221, 236, 254), RGB(74, 122, 201), RGB(196, 219, 249), RGB(101, 143, 224), RGB(0, 45, 134),
          RGB(221, 236, 254), RGB(0, 61, 178) },
        { RGB(243, 242, 231), RGB(190, 198, 152), RGB(210, 223, 174), RGB(161, 176, 128), RGB(90, 107, 70),
          RGB(243, 242, 231), RGB(0, 61, 178) },
        { RGB(238, 238, 244), RGB(177, 176, 195), RGB(207, 207, 222), RGB(169, 168, 191), RGB(92, 91, 121),
          RGB(238, 238, 244), RGB(0, 61, 178) },
    };
    int nScheme = QueryCurrentColorScheme();
    const SchemeColors& s = schemes[nScheme >= 1 && nScheme <= 3 ? nScheme : 0];
    m_grcPanelBackground.SetStandardValue(s.clrBackStart, s.clrBackEnd);
    m_csNormal.grcCaption.SetStandardValue(s.clrCaptionStart, s.clrCaptionEnd);
    m_csNormal.clrCaptionText = s.clrCaptionText;
    m_csNormal.clrCaptionTextHot = s.clrCaptionText;
    m_csNormal.grcBody.SetStandardValue(s.clrBody);
    SetLinks(m_csNormal, s.clrLink, s.clrLink);
    m_csNormal.clrBorder = Sys(COLOR_WINDOW);
    CopyNormalColors();
    m_bRoundCaptionLeft = TRUE;
    m_bRoundCaptionRight = FALSE;
    m_bZeroCaptionWhenHidden = TRUE;
}

// --- theme 2 --------------------------------------------------------------

CVZPTaskPanelTheme2::CVZPTaskPanelTheme2() : m_bSchemeLook(FALSE)
{
    m_nHighlightStyle = 2;
}

void CVZPTaskPanelTheme2::RefreshMetrics()
{
    CVZPTaskPanelPaintManager::RefreshMetrics();
    m_bSchemeLook = FALSE;
    int nScheme = QueryCurrentColorScheme();
    if (!m_bExplorerLook && nScheme == 0)
        return;
    m_bSchemeLook = TRUE;
    m_nExpandButtonStyle = 1;
    m_bRoundCaptionLeft = TRUE;
    m_bRoundCaptionRight = TRUE;
    m_csNormal.clrBorder = Sys(COLOR_WINDOW);
    m_csSpecial.clrBorder = Sys(COLOR_WINDOW);

    const ExplorerColors c = GetExplorerColors(nScheme);
    m_grcPanelBackground.SetStandardValue(c.clrBackStart, c.clrBackEnd);
    m_csSpecial.grcCaption.SetStandardValue(c.clrSpecialStart, c.clrSpecialEnd);
    m_csSpecial.clrCaptionText = c.clrSpecialText;
    m_csSpecial.clrCaptionTextHot = c.clrSpecialHot;
    m_csSpecial.grcBody.SetStandardValue(c.clrSpecialBody);
    m_csNormal.grcCaption.SetStandardValue(c.clrNormalStart, c.clrNormalEnd);
    // Blue captions are white over their left half.
    m_csNormal.dCaptionGradientStart = nScheme == 1 ? 0.5 : 0;
    m_csNormal.clrCaptionText = c.clrNormalText;
    m_csNormal.clrCaptionTextHot = c.clrNormalHot;
    m_csNormal.grcBody.SetStandardValue(c.clrNormalBody);
    SetLinks(m_csNormal, c.clrLink, c.clrLinkHot);
    SetLinks(m_csSpecial, c.clrLink, c.clrLinkHot);
    LoadExpandResources();
}

// --- themes 3 to 6 ----------------------------------------------------------

CVZPTaskPanelTheme3::CVZPTaskPanelTheme3() : m_bGroupFrame(TRUE), m_bCaptionUnderline(FALSE)
{
    m_nCaptionTextFormat = DT_WORDBREAK | DT_NOPREFIX;
    m_rcGroupIconPadding.SetRect(0, 0, 3, 0);
}

void CVZPTaskPanelTheme3::RefreshMetrics()
{
    CVZPTaskPanelPaintManager::RefreshMetrics();
    m_nExpandButtonStyle = 3;
    m_grcPanelBackground.SetStandardValue(Sys(COLOR_BACKGROUND));
    m_csNormal.grcBody.SetStandardValue(Sys(COLOR_WINDOW));
    m_csNormal.clrBorder = Sys(COLOR_BTNTEXT);
    SetLinks(m_csNormal, Sys(COLOR_BTNTEXT), Sys(COLOR_HIGHLIGHT));
    CopyNormalColors();
}

void CVZPTaskPanelTheme3::FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel)
{
    CVZPTaskPanelPaintManager::FillPanelBackground(pDC, pPanel);
    if (!m_bGroupFrame || pPanel == NULL)
        return;
    CVZPTaskPanelGroup* pFirst = pPanel->NextVisibleGroup(-1, 1);
    CVZPTaskPanelGroup* pLast = pPanel->NextVisibleGroup(pPanel->GetGroupCount(), -1);
    if (pFirst == NULL || pLast == NULL)
        return;
    CRect rcCaption = pFirst->GetCaptionRect();
    CRect rcFrame(rcCaption.left - 1, rcCaption.top - 3, rcCaption.right + 1, pLast->GetBodyRect().bottom + 8);
    CPen pen(PS_SOLID, 1, m_csNormal.clrBorder);
    CBrush brush(m_csNormal.grcBody.GetEndColor());
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->RoundRect(rcFrame, CPoint(10, 10));
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CVZPTaskPanelTheme3::FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    FillGroupFace(pDC, pGroup, rc, NULL, FALSE);
}

int CVZPTaskPanelTheme3::DrawGroupCaption(CDC* pDC, CVZPTaskPanelGroup* pGroup, BOOL bDraw)
{
    if (!pGroup->IsCaptionVisible())
        return 0;
    int w = GroupIconWidth(pGroup);
    CRect rcPad = GetIconPadding(pGroup);
    if (!bDraw)
    {
        CRect rc = pGroup->GetCaptionTargetRect();
        rc.right -= GetExpandButtonWidth(pGroup, rc);
        if (!m_bCaptionUnderline)
            rc.DeflateRect(13, 0);
        if (pGroup->GetImage(w) != NULL)
            rc.left += rcPad.left + rcPad.right + w;
        int nSaved = pDC->SaveDC();
        pDC->SelectObject(&m_fntCaption);
        CString strText = pGroup->m_strCaption.IsEmpty() ? CString(L" ") : pGroup->m_strCaption;
        pDC->DrawText(strText, &rc, m_nCaptionTextFormat | DT_CALCRECT);
        pDC->RestoreDC(nSaved);
        return rc.Height() + 5;
    }
    CRect rc = pGroup->GetCaptionRect();
    if (rc.IsRectEmpty())
        return pGroup->m_nCaptionHeight;
    int nSaved = pDC->SaveDC();
    pDC->SelectObject(&m_fntCaption);
    CRect rcText = DrawExpandButton(pDC, pGroup, rc);
    if (!m_bCaptionUnderline)
    {
        rcText.left += 13;
        rcText.top += 5;
        rcText.right -= 13;
    }
    rcText.left = DrawCaptionIcon(pDC, pGroup, rcText, rc, 0, 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pGroup->IsEnabled() ? COLORREF(m_csNormal.clrTextItem) : Sys(COLOR_GRAYTEXT));
    DrawItemText(pDC, pGroup, rcText, m_nCaptionTextFormat);
    if (m_bCaptionUnderline)
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, m_csNormal.grcCaption.GetStartColor());
    if (pGroup->IsFocused() && pGroup->m_pPanel != NULL && pGroup->m_pPanel->HasFocusCue())
    {
        CRect rcFocus(rcText);
        CString strText = pGroup->m_strCaption.IsEmpty() ? CString(L" ") : pGroup->m_strCaption;
        pDC->DrawText(strText, &rcFocus, m_nCaptionTextFormat | DT_CALCRECT);
        DrawFocusRectangle(pDC, rcFocus);
    }
    pDC->RestoreDC(nSaved);
    if (pGroup->IsDropTarget() && (!pGroup->IsExpanded() || pGroup->GetItems()->GetFirstVisibleItem() == NULL))
        DrawDropMark(pDC, pGroup, rc, TRUE);
    return pGroup->m_nCaptionHeight;
}

CVZPTaskPanelTheme4::CVZPTaskPanelTheme4()
{
    m_nHighlightStyle = 1;
    m_bCaptionUnderline = TRUE;
    m_bGroupFrame = FALSE;
}

void CVZPTaskPanelTheme4::RefreshMetrics()
{
    CVZPTaskPanelPaintManager::RefreshMetrics();
    m_nExpandButtonStyle = 0;
    m_grcPanelBackground.SetStandardValue(Sys(VZPCOLOR_MENU_FACE));
    m_csNormal.grcBody.SetStandardValue(Sys(VZPCOLOR_MENU_FACE));
    m_csNormal.grcCaption.SetStandardValue(Sys(COLOR_BTNSHADOW));
    SetLinks(m_csNormal, RGB(0, 0, 255), RGB(0, 0, 255));
    CopyNormalColors();
}

CVZPTaskPanelTheme5::CVZPTaskPanelTheme5()
{
    m_nHighlightStyle = 2;
}

void CVZPTaskPanelTheme5::RefreshMetrics()
{
    CVZPTaskPanelPaintManager::RefreshMetrics();
    m_nExpandButtonStyle = 0;
    COLORREF b, c;
    switch (QueryCurrentColorScheme())
    {
    case 1:
        b = RGB(123, 164, 224), c = RGB(221, 236, 254);
        break;
    case 2:
        b = RGB(188, 187, 177), c = RGB(243, 242, 231);
        break;
    case 3:
        b = RGB(161, 160, 187), c = RGB(238, 238, 244);
        break;
    default:
        b = Sys(COLOR_BTNSHADOW), c = Mix(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 50);
        break;
    }
    m_grcPanelBackground.SetStandardValue(c);
    m_csNormal.grcBody.SetStandardValue(c);
    m_csNormal.grcCaption.SetStandardValue(b);
    SetLinks(m_csNormal, RGB(0, 0, 255), RGB(0, 0, 255));
    CopyNormalColors();
}

CVZPTaskPanelTheme6::CVZPTaskPanelTheme6() : m_bSchemeLook(FALSE)
{
    m_nHighlightStyle = 2;
}

void CVZPTaskPanelTheme6::RefreshMetrics()
{
    CVZPTaskPanelTheme3::RefreshMetrics();
    m_bSchemeLook = FALSE;
    int nScheme = QueryCurrentColorScheme();
    if (!m_bExplorerLook && nScheme == 0)
        return;
    m_bSchemeLook = TRUE;
    m_nExpandButtonStyle = 1;
    m_csNormal.clrBorder = Sys(COLOR_WINDOW);
    m_csSpecial.clrBorder = Sys(COLOR_WINDOW);
    const ExplorerColors c = GetExplorerColors(nScheme);
    m_grcPanelBackground.SetStandardValue(c.clrBackStart, c.clrBackEnd);
    m_csNormal.grcBody.SetStandardValue(c.clrNormalBody);
    SetLinks(m_csNormal, c.clrLink, c.clrLinkHot);
    CopyNormalColors();
    LoadExpandResources();
}

CRect CVZPTaskPanelTheme6::DrawExpandButton(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    if (!m_bSchemeLook)
        return CVZPTaskPanelTheme3::DrawExpandButton(pDC, pGroup, rc);
    if (!pGroup->IsUserToggleable() || rc.Width() <= 25)
        return rc;
    return DrawVisualStyleButton(pDC, pGroup, rc);
}

// --- themes 7 to 12 ---------------------------------------------------------

CVZPTaskPanelTheme7::CVZPTaskPanelTheme7()
{
    m_bCaptionBold = FALSE;
    m_bGroupFrame = FALSE;
    m_nHighlightStyle = 0;
    m_rcGroupInnerMargins.SetRect(0, 4, 0, 2);
    m_rcPanelMargins.SetRect(2, 2, 2, 2);
    m_bInvertDropMarks = TRUE;
    m_bCaptionScrollButtons = TRUE;
    m_nGroupSpacing = 1;
    m_rcGroupIconPadding.SetRect(2, 2, 0, 2);
    m_nCaptionTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
}

void CVZPTaskPanelTheme7::RefreshMetrics()
{
    CVZPTaskPanelPaintManager::RefreshMetrics();
    COLORREF clrFace = Sys(COLOR_BTNFACE);
    m_grcPanelBackground.SetStandardValue(clrFace);
    m_csNormal.grcBody.SetStandardValue(clrFace);
    m_csNormal.clrBorder = clrFace;
    m_csNormal.grcCaption.SetStandardValue(clrFace);
    m_csNormal.clrCaptionText = Sys(COLOR_BTNTEXT);
    m_csNormal.clrCaptionTextHot = Sys(COLOR_BTNTEXT);
    SetLinks(m_csNormal, Sys(COLOR_BTNTEXT), Sys(COLOR_HIGHLIGHT));
    CopyNormalColors();
    m_nCaptionHeight = std::max(18, VZPMeasureSpaceHeight(&m_fntCaption) + 5);
    if (m_nHighlightStyle == 0)
    {
        m_grcHighlightBorder.SetStandardValue(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        // A tint of the face toward the highlight colour.
        COLORREF h = Sys(COLOR_BTNHIGHLIGHT);
        int fr = GetRValue(clrFace), fg = GetGValue(clrFace), fb = GetBValue(clrFace);
        int m = fr >= fg && fr >= fb ? fr : std::min(fr, std::min(fg, fb));
        auto clamp = [](int v) { return std::min(255, std::max(0, v)); };
        m_clrHighlightHot = RGB(clamp((fr + GetRValue(h)) / 2), clamp((2 * fg - m + GetGValue(h)) / 2),
                                clamp((2 * fb - m + GetBValue(h)) / 2));
    }
}

CRect CVZPTaskPanelTheme7::DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    COLORREF clrFill = GetGroupColors(pGroup)->grcCaption.GetEndColor();
    pDC->FillSolidRect(rc, clrFill);
    CRect rcContent(rc);
    if (pGroup->IsHot() && pGroup->IsPressed())
    {
        pDC->Draw3dRect(rc, Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        CRect rcInner(rc);
        rcInner.DeflateRect(1, 1);
        pDC->Draw3dRect(rcInner, Sys(COLOR_BTNSHADOW), clrFill);
        rcContent.OffsetRect(1, 1);
    }
    else
    {
        pDC->Draw3dRect(rc, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    }
    return rcContent;
}

int CVZPTaskPanelTheme7::DrawGroupCaption(CDC* pDC, CVZPTaskPanelGroup* pGroup, BOOL bDraw)
{
    if (!pGroup->IsCaptionVisible())
        return 0;
    int w = GroupIconWidth(pGroup);
    CVZPImageManagerIcon* pImage = pGroup->GetImage(w);
    CRect rcPad = GetIconPadding(pGroup);
    int nIconHeight = pImage != NULL && pImage->m_nWidth > 0 ? w * pImage->m_nHeight / pImage->m_nWidth : 0;
    int nHeight = std::max(m_nCaptionHeight, nIconHeight + int(rcPad.top + rcPad.bottom));
    if (!bDraw)
        return nHeight;
    CRect rc = pGroup->GetCaptionRect();
    if (rc.IsRectEmpty())
        return nHeight;
    int nSaved = pDC->SaveDC();
    pDC->SelectObject(&m_fntCaption);
    CRect rcContent = DrawCaptionBackground(pDC, pGroup, rc);
    CRect rcText(rcContent);
    rcText.left = DrawCaptionIcon(pDC, pGroup, rcContent, rcContent, 0, 0);
    rcText.DeflateRect(3, 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pGroup->IsEnabled() ? COLORREF(GetGroupColors(pGroup)->clrCaptionText) : Sys(COLOR_GRAYTEXT));
    DrawItemText(pDC, pGroup, rcText, m_nCaptionTextFormat);
    pDC->RestoreDC(nSaved);
    if (pGroup->IsDragged())
        pDC->InvertRect(rc);
    if (pGroup->IsDropTarget() &&
        (m_bInvertDropMarks || !pGroup->IsExpanded() || pGroup->GetItems()->GetFirstVisibleItem() == NULL))
        DrawDropMark(pDC, pGroup, rc, TRUE);
    if (pGroup->HoldsDropTarget() && m_bInvertDropMarks)
        pDC->InvertRect(rc);
    if (pGroup->IsFocused() && pGroup->m_pPanel != NULL && pGroup->m_pPanel->HasFocusCue())
    {
        CRect rcFocus(rcContent.left - 1, rcContent.top + 2, rcContent.right + 1, rcContent.bottom - 2);
        DrawFocusRectangle(pDC, rcFocus);
    }
    return nHeight;
}

CVZPTaskPanelTheme8::CVZPTaskPanelTheme8()
{
    m_nHighlightStyle = 1;
    m_bCaptionBold = TRUE;
    m_bInvertDropMarks = FALSE;
    m_bCaptionScrollButtons = FALSE;
}

void CVZPTaskPanelTheme8::RefreshMetrics()
{
    CVZPTaskPanelTheme7::RefreshMetrics();
    m_grcPanelBackground.SetStandardValue(Sys(COLOR_BTNFACE));
    switch (QueryCurrentColorScheme())
    {
    case 1:
        m_csNormal.grcCaption.SetStandardValue(RGB(222, 220, 203), RGB(196, 193, 176));
        m_grcPanelBackground.SetStandardValue(RGB(243, 241, 230), RGB(228, 225, 208));
        break;
    case 2:
        m_csNormal.grcCaption.SetStandardValue(RGB(223, 228, 209), RGB(222, 227, 206));
        m_grcPanelBackground.SetStandardValue(RGB(243, 241, 230), RGB(228, 225, 208));
        m_clrHighlightHot = RGB(182, 198, 141);
        m_clrHighlightPressed = RGB(147, 160, 112);
        m_clrHighlightSelected = RGB(194, 207, 158);
        break;
    case 3:
        m_csNormal.grcCaption.SetStandardValue(RGB(233, 232, 237), RGB(223, 224, 227));
        m_grcPanelBackground.SetStandardValue(RGB(234, 233, 238), RGB(215, 213, 218));
        m_clrHighlightHot = RGB(255, 238, 194);
        m_clrHighlightPressed = RGB(254, 128, 50);
        m_clrHighlightSelected = RGB(255, 192, 111);
        m_grcHighlightBorder.SetStandardValue(RGB(75, 75, 111));
        break;
    default:
        m_csNormal.grcCaption.SetStandardValue(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE));
        break;
    }
    m_csNormal.grcBody.SetStandardValue(m_grcPanelBackground.GetStartColor(), m_grcPanelBackground.GetEndColor());
    CopyNormalColors();
}

void CVZPTaskPanelTheme8::FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel)
{
    CRect rc = PanelFillRect(pDC, pPanel);
    CVZPDrawTools::FillGradientColor(pDC, rc, &m_grcPanelBackground, TRUE);
}

void CVZPTaskPanelTheme8::FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    FillGroupFace(pDC, pGroup, rc, &GetGroupColors(pGroup)->grcBody, TRUE);
}

CRect CVZPTaskPanelTheme8::DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    CVZPTaskPanelColorSet* pColors = GetGroupColors(pGroup);
    BOOL bHot = pGroup->IsHot(), bPressed = pGroup->IsPressed();
    if (pGroup->IsFocused())
    {
        COLORREF clr = !bHot && !bPressed ? COLORREF(m_clrHighlightSelected)
                       : bHot             ? COLORREF(m_clrHighlightPressed)
                                          : COLORREF(m_clrHighlightHot);
        pDC->FillSolidRect(rc, clr);
        pDC->Draw3dRect(rc, m_grcHighlightBorder.GetStartColor(), m_grcHighlightBorder.GetStartColor());
    }
    else
    {
        CRect rcBar(rc.left, rc.top, rc.right, rc.bottom - 2);
        CVZPDrawTools::FillGradientColor(pDC, rcBar, &pColors->grcCaption, FALSE);
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pColors->grcCaption.GetStartColor());
    }
    // The plus/minus box.
    int x = rc.left, m = (rc.top + rc.bottom) / 2;
    COLORREF clrShadow = Sys(COLOR_BTNSHADOW), clrWhite = RGB(255, 255, 255), clrBlack = RGB(0, 0, 0);
    pDC->FillSolidRect(x + 6, m - 6, 9, 9, pColors->grcCaption.GetStartColor());
    pDC->FillSolidRect(x + 7, m - 5, 7, 7, Sys(COLOR_BTNFACE));
    pDC->FillSolidRect(x + 7, m - 6, 7, 1, clrShadow);
    pDC->FillSolidRect(x + 7, m + 2, 7, 1, clrShadow);
    pDC->FillSolidRect(x + 6, m - 5, 1, 7, clrShadow);
    pDC->FillSolidRect(x + 14, m - 5, 1, 7, clrShadow);
    pDC->FillSolidRect(x + 7, m - 5, 7, 3, clrWhite);
    pDC->FillSolidRect(x + 7, m - 2, 5, 2, clrWhite);
    pDC->FillSolidRect(x + 8, m - 2, 5, 1, clrBlack);
    if (!pGroup->IsExpanded())
        pDC->FillSolidRect(x + 10, m - 4, 1, 5, clrBlack);
    return CRect(rc.left + 19, rc.top, rc.right, rc.bottom - 2);
}

CVZPTaskPanelTheme9::CVZPTaskPanelTheme9()
{
    m_rcGroupInnerMargins.SetRect(8, 6, 8, 6);
    m_rcPanelMargins.SetRect(0, 0, 0, 0);
    m_bEmbossDisabledText = TRUE;
    m_nGroupSpacing = 0;
    m_nHighlightStyle = 0;
    m_bInvertDropMarks = FALSE;
    m_bCaptionScrollButtons = FALSE;
}

void CVZPTaskPanelTheme9::RefreshMetrics()
{
    CVZPTaskPanelTheme7::RefreshMetrics();
    m_grcPanelBackground.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_csNormal.grcBody.SetStandardValue(Sys(COLOR_BTNSHADOW));
    COLORREF clrWindow = Sys(COLOR_WINDOW);
    m_csNormal.clrTextItem = clrWindow;
    SetLinks(m_csNormal, clrWindow, clrWindow);
    m_csNormal.clrLinkSelected = clrWindow;
    m_nCaptionHeight = std::max(20, m_nCaptionHeight);
    if (m_nHighlightStyle == 0)
    {
        m_clrHighlightHot = Sys(COLOR_BTNSHADOW);
        m_grcHighlightBorder.SetStandardValue(Sys(COLOR_BTNTEXT), Sys(COLOR_BTNFACE));
    }
    CopyNormalColors();
}

CVZPTaskPanelTheme10::CVZPTaskPanelTheme10()
{
    m_nHighlightStyle = 1;
    m_bEmbossDisabledText = FALSE;
}

void CVZPTaskPanelTheme10::RefreshMetrics()
{
    CVZPTaskPanelTheme9::RefreshMetrics();
    m_grcPanelBackground.SetStandardValue(Sys(VZPCOLOR_TOOLBAR_FACE));
    m_csNormal.grcBody.SetStandardValue(Sys(VZPCOLOR_TOOLBAR_FACE));
    COLORREF clrText = Sys(COLOR_BTNTEXT);
    m_csNormal.clrTextItem = clrText;
    SetLinks(m_csNormal, clrText, clrText);
    m_csNormal.clrLinkSelected = Sys(VZPCOLOR_MENU_TEXT);
    m_nCaptionHeight = std::max(20, m_nCaptionHeight);
    CopyNormalColors();
}

CVZPTaskPanelTheme11::CVZPTaskPanelTheme11()
{
    m_nHighlightStyle = 2;
    m_bEmbossDisabledText = FALSE;
}

void CVZPTaskPanelTheme11::RefreshMetrics()
{
    CVZPTaskPanelTheme10::RefreshMetrics();
    m_grcCaptionPressed.SetStandardValue(Sys(VZPCOLOR_HIGHLIGHT_PUSHED));
    m_grcCaptionHot.SetStandardValue(Sys(VZPCOLOR_HIGHLIGHT));
    if (!IsVisualStyleDisabled())
    {
        static const COLORREF s_clrBack[3] = { RGB(216, 231, 252), RGB(226, 231, 191), RGB(223, 223, 234) };
        int nScheme = QueryCurrentColorScheme();
        if (nScheme >= 1 && nScheme <= 3)
        {
            m_grcPanelBackground.SetStandardValue(s_clrBack[nScheme - 1]);
            m_csNormal.grcBody.SetStandardValue(s_clrBack[nScheme - 1]);
            m_grcCaptionPressed.SetStandardValue(RGB(232, 127, 8), RGB(247, 218, 124));
            m_grcCaptionHot.SetStandardValue(RGB(255, 255, 220), RGB(247, 192, 91));
        }
    }
    CopyNormalColors();
}

CRect CVZPTaskPanelTheme11::DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    if (pGroup->IsHot() || pGroup->IsPressed())
    {
        CVZPDrawTools::FillGradientColor(pDC, rc, pGroup->IsPressed() ? &m_grcCaptionPressed : &m_grcCaptionHot,
                                         FALSE);
    }
    else
    {
        const CVZPGradientColor& grc = GetColorManager()->m_gradients[1];
        CVZPDrawTools::GradientFill(pDC, rc, grc.GetEndColor(), grc.GetStartColor(), FALSE);
    }
    pDC->Draw3dRect(rc, Sys(COLOR_BTNHIGHLIGHT), Sys(54));
    return rc;
}

CVZPTaskPanelTheme12::CVZPTaskPanelTheme12()
{
    m_nCaptionTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER;
}

void CVZPTaskPanelTheme12::RefreshMetrics()
{
    CVZPTaskPanelTheme11::RefreshMetrics();
    m_nCaptionHeight = std::max(22, VZPMeasureSpaceHeight(&m_fntCaption) + 3);
    m_csNormal.grcBody.SetStandardValue(Sys(COLOR_WINDOW));
    SetLinks(m_csNormal, Sys(COLOR_WINDOW), Sys(COLOR_WINDOW));
    CopyNormalColors();
}

void CVZPTaskPanelTheme12::FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel)
{
    CRect rc = PanelFillRect(pDC, pPanel);
    CVZPDrawTools::FillGradientColor(pDC, rc, &GetColorManager()->m_gradients[0], FALSE);
}

void CVZPTaskPanelTheme12::FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    FillGroupFace(pDC, pGroup, rc, &GetColorManager()->m_gradients[0], FALSE);
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, Sys(54));
}

CRect CVZPTaskPanelTheme12::DrawCaptionBackground(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc)
{
    if (pGroup->IsHot() || pGroup->IsPressed())
    {
        CVZPDrawTools::FillGradientColor(pDC, rc, pGroup->IsPressed() ? &m_grcCaptionPressed : &m_grcCaptionHot,
                                         FALSE);
    }
    else
    {
        CVZPDrawTools::FillGradientColor(pDC, rc, &GetColorManager()->m_gradients[3], FALSE);
    }
    if (pGroup->GetIndex() > 0)
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, Sys(54));
    return rc;
}

CVZPTaskPanelPaintManager* CreateTaskPanelTheme(int nTheme)
{
    switch (nTheme)
    {
    case 0:
        return new CVZPTaskPanelPaintManager;
    case 1:
        return new CVZPTaskPanelTheme1;
    case 3:
        return new CVZPTaskPanelTheme3;
    case 4:
        return new CVZPTaskPanelTheme4;
    case 5:
        return new CVZPTaskPanelTheme5;
    case 6:
        return new CVZPTaskPanelTheme6;
    case 7:
        return new CVZPTaskPanelTheme7;
    case 8:
        return new CVZPTaskPanelTheme8;
    case 9:
        return new CVZPTaskPanelTheme9;
    case 10:
        return new CVZPTaskPanelTheme10;
    case 11:
        return new CVZPTaskPanelTheme11;
    case 12:
        return new CVZPTaskPanelTheme12;
    default:
        return new CVZPTaskPanelTheme2;
    }
}
