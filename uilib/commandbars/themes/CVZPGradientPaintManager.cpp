#include "CVZPGradientPaintManager.h"

#include "CVZPColorManager.h"
#include "CVZPCommandBar.h"
#include "CVZPControl.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPDrawTools.h"
#include "CVZPPopupBar.h"
#include "VZPColorIndex.h"
#include "VZPCommandBarsDefs.h"
#include "VZPSelectors.h"

namespace {

const int kDisabledCheckedFrame = 58;
// The visual style's status-bar size grip.
const int kStatusGripperPart = 3;

int Larger(int a, int b)
{
    return a > b ? a : b;
}

BOOL IsPopupOpen(CVZPControl* pControl)
{
    CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pControl);
    return pPopup != NULL && pPopup->IsPopupOpen();
}

CRect ClientRect(CWnd* pWnd)
{
    CRect rc(0, 0, 0, 0);
    if (pWnd->GetSafeHwnd() != NULL)
        pWnd->GetClientRect(&rc);
    return rc;
}

COLORREF Blend(COLORREF a, COLORREF b, int nWeight)
{
    return CVZPColorManager::BlendColors(a, b, nWeight);
}

// The first control of the bar that is shown, NULL when none is.
CVZPControl* FirstVisibleControl(CVZPCommandBar* pBar)
{
    CVZPControls* pControls = pBar->GetControls();
    if (pControls == NULL)
        return NULL;
    for (int i = 0; i < pControls->GetCount(); i++)
        if (pControls->GetAt(i)->IsVisible())
            return pControls->GetAt(i);
    return NULL;
}

// Keeps the DC's clipping (and everything else) as it was when made.
class CSavedDC
{
public:
    explicit CSavedDC(CDC* pDC) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) {}
    ~CSavedDC() { m_pDC->RestoreDC(m_nSaved); }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    CDC* m_pDC;
    int m_nSaved;
};

// One colour set of the gradient theme for a visual-style scheme.
struct SchemeColors
{
    COLORREF dockBar[2];
    float fDockBar;
    COLORREF toolBar[2];
    float fToolBar;
    COLORREF popupOpen[2];
    COLORREF expandButton[2];
    float fExpandButton;
    COLORREF expandedGutter[2];
    float fExpandedGutter;
    COLORREF knob[2];
    COLORREF face[2];
    COLORREF toolbarLine;
    COLORREF floatingCaption;
    COLORREF paneBorder;
    COLORREF tearOffFace;
    COLORREF shadow;
    COLORREF c53, c51, c52, c12, c56, c38, c39, c40, c41, c43, c30, cBorder;
};

const SchemeColors kSchemes[3] = {
    // blue
    {{RGB(158, 190, 245), RGB(196, 218, 250)}, 0.5f,
     {RGB(221, 236, 254), RGB(129, 169, 226)}, 0.75f,
     {RGB(227, 239, 255), RGB(147, 181, 231)},
     {RGB(117, 166, 241), RGB(0, 53, 145)}, 0.75f,
     {RGB(203, 221, 246), RGB(121, 161, 220)}, 0.5f,
     {RGB(227, 239, 254), RGB(129, 169, 226)},
     {RGB(233, 236, 242), RGB(97, 122, 172)},
     RGB(59, 97, 156), RGB(42, 102, 201), RGB(211, 211, 211), RGB(169, 199, 240), RGB(22, 30, 54),
     RGB(203, 225, 252), RGB(216, 231, 252), RGB(158, 190, 245), RGB(144, 153, 174), RGB(189, 211, 247),
     RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150),
     RGB(196, 219, 249), RGB(0, 0, 128)},
    // olive
    {{RGB(217, 217, 167), RGB(242, 241, 228)}, 0.5f,
     {RGB(244, 247, 222), RGB(183, 198, 145)}, 0.3f,
     {RGB(236, 240, 213), RGB(194, 206, 159)},
     {RGB(176, 194, 140), RGB(96, 119, 107)}, 0.3f,
     {RGB(230, 230, 209), RGB(164, 180, 120)}, 0.3f,
     {RGB(236, 240, 213), RGB(184, 198, 147)},
     {RGB(243, 244, 240), RGB(131, 144, 113)},
     RGB(96, 128, 88), RGB(116, 134, 94), RGB(211, 211, 211), RGB(197, 212, 159), RGB(31, 34, 25),
     RGB(216, 227, 182), RGB(226, 231, 191), RGB(171, 192, 138), RGB(151, 160, 123), RGB(222, 227, 189),
     RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94),
     RGB(209, 222, 173), RGB(63, 93, 56)},
    // silver
    {{RGB(215, 215, 229), RGB(243, 243, 247)}, 0.5f,
     {RGB(249, 249, 255), RGB(156, 155, 183)}, 0.75f,
     {RGB(233, 231, 241), RGB(186, 185, 205)},
     {RGB(179, 178, 200), RGB(118, 116, 146)}, 0.75f,
     {RGB(215, 215, 226), RGB(133, 131, 162)}, 0.5f,
     {RGB(232, 232, 241), RGB(176, 174, 197)},
     {RGB(247, 245, 249), RGB(122, 121, 153)},
     RGB(124, 124, 148), RGB(122, 121, 153), RGB(236, 234, 218), RGB(192, 192, 211), RGB(36, 32, 41),
     RGB(214, 211, 231), RGB(223, 223, 234), RGB(177, 176, 195), RGB(155, 154, 179), RGB(214, 215, 231),
     RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255), RGB(124, 124, 148),
     RGB(219, 218, 228), RGB(75, 75, 111)},
};

}  // namespace

const BYTE CVZPGradientPaintManager::s_knobIntensity[16][16] = {
    {255, 255, 255, 255, 234, 234, 234, 198, 198, 198, 198, 252, 255, 255, 255, 255},
    {255, 255, 255, 234, 252, 252, 234, 234, 198, 180, 144, 144, 198, 255, 255, 255},
    {255, 255, 234, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 180, 255, 255},
    {255, 234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 108, 198, 255},
    {252, 234, 252, 252, 252, 252, 234, 198, 198, 180, 144, 126, 108, 90, 90, 252},
    {234, 234, 234, 234, 234, 234, 234, 198, 180, 180, 144, 126, 108, 90, 72, 180},
    {198, 234, 234, 234, 234, 234, 198, 198, 180, 144, 126, 108, 90, 90, 72, 108},
    {180, 198, 198, 198, 198, 198, 180, 180, 144, 126, 126, 108, 90, 72, 72, 72},
    {180, 180, 180, 180, 180, 180, 144, 144, 126, 126, 108, 90, 90, 72, 54, 54},
    {180, 144, 144, 144, 144, 144, 144, 126, 126, 108, 108, 90, 72, 54, 36, 90},
    {198, 126, 126, 126, 126, 126, 126, 126, 108, 90, 72, 54, 54, 36, 36, 126},
    {252, 126, 108, 108, 108, 108, 108, 72, 72, 54, 54, 36, 36, 18, 18, 234},
    {255, 198, 90, 90, 90, 72, 72, 54, 54, 36, 36, 18, 18, 0, 108, 255},
    {255, 255, 144, 54, 54, 54, 36, 36, 18, 18, 18, 0, 0, 54, 255, 255},
    {255, 255, 255, 126, 36, 36, 18, 18, 18, 0, 0, 0, 72, 255, 255, 255},
    {255, 255, 255, 255, 234, 90, 36, 18, 0, 0, 54, 180, 255, 255, 255, 255},
};

CVZPGradientPaintManager::CVZPGradientPaintManager() : m_bSchemeColors(FALSE), m_bSingleSeparators(FALSE)
{
    m_grcChecked.SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85), 0.5f);
    m_grcPressed.SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139), 0.5f);
    m_grcHot.SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151), 0.5f);
    m_bUseFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

CVZPGradientPaintManager::~CVZPGradientPaintManager()
{
}

void CVZPGradientPaintManager::ExcludeCornerPixels(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    pDC->ExcludeClipRect(nLeft, nTop, nLeft + 1, nTop + 1);
    pDC->ExcludeClipRect(nRight - 1, nTop, nRight, nTop + 1);
    pDC->ExcludeClipRect(nLeft, nBottom - 1, nLeft + 1, nBottom);
    pDC->ExcludeClipRect(nRight - 1, nBottom - 1, nRight, nBottom);
}

BOOL CVZPGradientPaintManager::IsCaptionBarFloating(CVZPCommandBar* pBar) const
{
    return pBar->GetType() != vzpBarTypeMenuBar && (pBar->GetFlags() & 0xF) != 0;
}

// ---------------------------------------------------------------------------
// Colours

void CVZPGradientPaintManager::RefreshMetrics()
{
    CVZPFlatPaintManager::RefreshMetrics();

    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd->GetSafeHwnd() != NULL)
        m_themeStatus.Open(pMainWnd->GetSafeHwnd(), L"STATUS");
    else
        m_themeStatus.Close();

    const COLORREF clrWindow = GetColor(COLOR_WINDOW);
    const COLORREF clrFace = GetColor(COLOR_BTNFACE);
    const COLORREF clrShadow = GetColor(COLOR_BTNSHADOW);
    m_grcExpandedGutter.SetStandardValue(Blend(clrWindow, GetColor(VZPCOLOR_SHADED_FACE), 550),
                                         GetColor(VZPCOLOR_SHADED_FACE));
    m_grcToolBar.SetStandardValue(Blend(clrFace, clrWindow, 205), clrFace);
    m_grcDockBar.SetStandardValue(clrFace, Blend(clrFace, clrWindow, 205));
    m_clrTearOffFace = GetColor(VZPCOLOR_TOOLBAR_FACE);
    m_clrToolbarLine = GetColor(VZPCOLOR_TOOLBAR_FACE);
    m_clrFloatingCaption = clrShadow;
    m_grcPopupOpen.SetStandardValue(GetColor(VZPCOLOR_MENU_FACE), Blend(clrWindow, clrFace, 550));
    m_grcKnob.SetStandardValue(GetColor(VZPCOLOR_MENU_FACE), Blend(clrWindow, clrFace, 550));
    m_grcExpandButton.SetStandardValue(Blend(GetColor(VZPCOLOR_FLAT_DISABLED_FACE), clrShadow, 51), clrShadow);
    m_clrPaneBorder = Blend(clrFace, clrWindow, 70);
    m_bSchemeColors = FALSE;
    m_arrColor[55].SetStandardValue(GetColorManager()->m_gradients[1].GetEndColor());

    const int nScheme = GetColorScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        const SchemeColors& s = kSchemes[nScheme - 1];
        m_grcDockBar.SetStandardValue(s.dockBar[0], s.dockBar[1], s.fDockBar);
        m_grcToolBar.SetStandardValue(s.toolBar[0], s.toolBar[1], s.fToolBar);
        m_grcPopupOpen.SetStandardValue(s.popupOpen[0], s.popupOpen[1], 0.5f);
        m_grcExpandButton.SetStandardValue(s.expandButton[0], s.expandButton[1], s.fExpandButton);
        m_grcExpandedGutter.SetStandardValue(s.expandedGutter[0], s.expandedGutter[1], s.fExpandedGutter);
        m_grcKnob.SetStandardValue(s.knob[0], s.knob[1], 0.5f);
        m_grcFace.SetStandardValue(s.face[0], s.face[1], 0.5f);
        m_clrToolbarLine = s.toolbarLine;
        m_clrFloatingCaption = s.floatingCaption;
        m_clrPaneBorder = s.paneBorder;
        m_clrTearOffFace = s.tearOffFace;
        m_clrShadowFactor = s.shadow;
        const int indexes[] = {53, 51, 52, 12, 56, 38, 39, 40, 41, 43, 30, 32, 37, 50, 31, 33, 36, 47};
        const COLORREF colors[] = {s.c53, s.c51, s.c52, s.c12, s.c56, s.c38, s.c39, s.c40, s.c41, s.c43,
                                   s.c30, s.cBorder, s.cBorder, s.cBorder, RGB(255, 238, 194), RGB(254, 128, 62),
                                   RGB(255, 192, 111), RGB(0, 0, 0)};
        SetColors(_countof(indexes), indexes, colors);
        const int grey[] = {58, 60, 35};
        const COLORREF greys[] = {RGB(141, 141, 141), RGB(141, 141, 141), RGB(141, 141, 141)};
        SetColors(_countof(grey), grey, greys);
        m_bSchemeColors = TRUE;
    }
    CreateKnobImage();
}

void CVZPGradientPaintManager::CreateKnobImage()
{
    m_ilKnob.DeleteImageList();
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    CWindowDC dcDesktop(pDesktop);
    CDC dc;
    if (!dc.CreateCompatibleDC(&dcDesktop))
        return;
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(&dcDesktop, 16, 16))
        return;
    const COLORREF S = m_grcKnob.GetStartColor();
    const COLORREF E = m_grcKnob.GetEndColor();
    auto channel = [](int e, int s, int v) { return e - v * (e - s) / 255; };
    {
        CVZPBitmapSelector select(&dc, &bitmap);
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
            {
                const int v = s_knobIntensity[y][x];
                const COLORREF clr = v == 255 ? kKnobMask
                                              : RGB(channel(GetRValue(E), GetRValue(S), v),
                                                    channel(GetGValue(E), GetGValue(S), v),
                                                    channel(GetBValue(E), GetBValue(S), v));
                dc.SetPixel(x, y, clr);
            }
    }
    if (m_ilKnob.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0))
        m_ilKnob.Add(&bitmap, kKnobMask);
}

// ---------------------------------------------------------------------------
// Faces

void CVZPGradientPaintManager::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                             BOOL bChecked, BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    if (bPopuped)
    {
        CVZPDrawTools::FillGradientColor(pDC, rc, &m_grcPopupOpen, FALSE);
        Draw3dRectEx(pDC, rc, VZPCOLOR_POPUP_FRAME, VZPCOLOR_POPUP_FRAME);
        return;
    }
    if (m_bSchemeColors && bToolBar && barPosition >= vzpBarTop && barPosition <= vzpBarFloating)
    {
        const CVZPGradientColor* pGradient = NULL;
        int nBorder = VZPCOLOR_HIGHLIGHT_PUSHED_BORDER;
        if (bEnabled)
        {
            if (bChecked && !bSelected && !bPressed)
                pGradient = &m_grcChecked;
            else if ((bChecked && bSelected && !bPressed) || bPressed == 2 || (bSelected && bPressed))
                pGradient = &m_grcPressed;
            else if (bSelected || bPressed)
            {
                pGradient = &m_grcHot;
                nBorder = VZPCOLOR_HIGHLIGHT_BORDER;
            }
        }
        else if (bSelected == 2)
            pGradient = bChecked ? &m_grcPressed : &m_grcHot;
        else if (bChecked)
        {
            pGradient = &m_grcChecked;
            nBorder = kDisabledCheckedFrame;
        }
        if (pGradient != NULL)
        {
            const BOOL bHorz = barPosition == vzpBarLeft || barPosition == vzpBarRight;
            CVZPDrawTools::FillGradientColor(pDC, rc, pGradient, bHorz);
            Draw3dRectEx(pDC, rc, nBorder, nBorder);
        }
        return;
    }
    CVZPFlatPaintManager::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, bToolBar,
                                        barPosition);
}

void CVZPGradientPaintManager::FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    const CRect rc(x, y, x + cx, y + cy);
    CVZPDrawTools::FillGradientColor(pDC, rc, bExpanded ? &m_grcExpandedGutter : &m_grcToolBar, TRUE);
}

// ---------------------------------------------------------------------------
// Bars

void CVZPGradientPaintManager::FillDockBarBackground(CDC* pDC, CRect rc, BOOL bSolid, LPCRECT lpClip)
{
    if (bSolid)
    {
        CRect rcFill;
        if (rcFill.IntersectRect(rc, lpClip))
            pDC->FillSolidRect(rcFill, m_grcDockBar.GetEndColor());
        return;
    }
    const int nHalfScreen = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    if (rc.Width() < nHalfScreen)
        rc.right = rc.left + nHalfScreen;
    CVZPDrawTools::FillGradientColor(pDC, rc, &m_grcDockBar, TRUE, lpClip);
}

void CVZPGradientPaintManager::FillDockBar(CDC* pDC, CVZPDockBar* pBar)
{
    const CRect rc = ClientRect(pBar);
    FillDockBarBackground(pDC, rc, (pBar->GetStyle() & (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)) != 0, rc);
}

void CVZPGradientPaintManager::FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar)
{
    const CRect rc = ClientRect(pBar);
    const int W = rc.Width();
    const int H = rc.Height();
    const int nPosition = pBar->GetPosition();
    const COLORREF clrFrame = GetColor(VZPCOLOR_POPUP_FRAME);
    auto frameCorners = [&]() {
        for (CPoint pt : {CPoint(2, 2), CPoint(W - 3, 2), CPoint(2, H - 3), CPoint(W - 3, H - 3)})
            pDC->SetPixel(pt, clrFrame);
    };

    if (pBar->GetType() == vzpBarTypeMenuBar)
    {
        FillDockBarBackground(pDC, rc, FALSE, rc);
        if (nPosition == vzpBarFloating)
        {
            pDC->Draw3dRect(rc, clrFrame, clrFrame);
            CRect rcInner = rc;
            rcInner.DeflateRect(1, 1);
            pDC->Draw3dRect(rcInner, clrFrame, clrFrame);
            frameCorners();
        }
        return;
    }

    if (nPosition == vzpBarTop || nPosition == vzpBarBottom || nPosition == vzpBarLeft || nPosition == vzpBarRight)
    {
        const BOOL bVert = nPosition == vzpBarLeft || nPosition == vzpBarRight;
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        CSavedDC saved(pDC);
        CWnd* pParent = pBar->GetParent();
        if (pParent->GetSafeHwnd() != NULL)
        {
            CRect rcParent;
            pParent->GetWindowRect(&rcParent);
            pBar->ScreenToClient(&rcParent);
            const BOOL bSolid = (pParent->GetStyle() & (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)) != 0;
            FillDockBarBackground(pDC, rcParent, bSolid, rc);
        }
        CVZPControl* pFirst = FirstVisibleControl(pBar);
        const COLORREF clrLine = m_clrToolbarLine.GetColor();
        if (!bVert)
        {
            pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 3, rc.bottom);
            ExcludeCornerPixels(pDC, rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1);
            const int B = pFirst != NULL ? pFirst->m_rcRow.bottom + 1 : rc.bottom;
            CVZPDrawTools::FillGradientColor(pDC, CRect(rc.left, rc.top + 1, rc.right, B), &m_grcToolBar, FALSE);
            if (B < rc.bottom - 1)
                pDC->FillSolidRect(CRect(rc.left, B, rc.right, rc.bottom - 1), m_grcToolBar.GetEndColor());
            pDC->FillSolidRect(rc.left + 5, rc.bottom - 1, W - 7, 1, clrLine);
        }
        else
        {
            pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.top + 3);
            ExcludeCornerPixels(pDC, rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom);
            const int R = pFirst != NULL ? pFirst->m_rcRow.right + 1 : rc.right;
            CVZPDrawTools::FillGradientColor(pDC, CRect(rc.left + 1, rc.top, R, rc.bottom), &m_grcToolBar, TRUE);
            if (R < rc.right - 1)
                pDC->FillSolidRect(CRect(R, rc.top, rc.right - 1, rc.bottom), m_grcToolBar.GetEndColor());
            pDC->FillSolidRect(rc.right - 1, rc.top + 5, 1, H - 7, clrLine);
        }
        return;
    }

    if (nPosition == vzpBarFloating && IsCaptionBarFloating(pBar))
    {
        pDC->FillSolidRect(rc, GetColor(VZPCOLOR_TOOLBAR_FACE));
        pDC->Draw3dRect(rc, clrFrame, clrFrame);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        pDC->Draw3dRect(rcInner, clrFrame, clrFrame);
        int nCaption;
        {
            CVZPFontSelector font(pDC, &m_fontSmCaption);
            const int nHeight = pDC->GetTextExtent(L" ", 1).cy;
            nCaption = nHeight < 15 ? 17 : nHeight + 2;
        }
        // The body in bands, one per row of controls.
        int nBandTop = rc.top + nCaption;
        CVZPControls* pControls = pBar->GetControls();
        for (int i = 0; pControls != NULL && i < pControls->GetCount(); i++)
        {
            CVZPControl* pControl = pControls->GetAt(i);
            if (!pControl->IsVisible() || !pControl->m_bWrap || pControl->m_rcRow.top <= nBandTop)
                continue;
            CVZPDrawTools::FillGradientColor(pDC, CRect(rc.left + 2, nBandTop, rc.right - 2, pControl->m_rcRow.top),
                                             &m_grcToolBar, FALSE);
            nBandTop = pControl->m_rcRow.top;
        }
        CVZPDrawTools::FillGradientColor(pDC, CRect(rc.left + 2, nBandTop, rc.right - 2, rc.bottom - 2), &m_grcToolBar,
                                         FALSE);
        frameCorners();
        return;
    }

    if (nPosition == vzpBarPopup)
    {
        DrawRectangleEx(pDC, rc, VZPCOLOR_POPUP_FRAME, VZPCOLOR_MENU_FACE);
        if (pBar->GetType() == vzpBarTypePopup)
            FillPopupGutter(pDC, 1, 2, GetPopupGutterWidth(pBar), rc.bottom - 4, FALSE);
        const CRect rcJoint = GetPopupJoint(pBar);
        if (!rcJoint.IsRectEmpty())
            pDC->FillSolidRect(rcJoint, GetColor(VZPCOLOR_MENU_FACE));
        return;
    }
    CVZPFlatPaintManager::FillCommandBarEntry(pDC, pBar);
}

CSize CVZPGradientPaintManager::DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl,
                                                        BOOL bDraw)
{
    const int nPosition = pBar->GetPosition();
    if (!bDraw)
        return nPosition == vzpBarFloating ? CSize(6, 0)
                                           : CVZPFlatPaintManager::DrawCommandBarSeparator(pDC, pBar, pControl, FALSE);
    if (pBar->GetType() == vzpBarTypePopup || nPosition < vzpBarTop || nPosition > vzpBarFloating)
        return CVZPFlatPaintManager::DrawCommandBarSeparator(pDC, pBar, pControl, TRUE);

    const CRect rcControl = pControl->GetRect();
    const CRect rcRow = pControl->m_rcRow;
    const BOOL bRowStart = pControl->m_bWrap;
    const int nLine = VZPCOLOR_SEPARATOR;
    const int nLight = COLOR_BTNHIGHLIGHT;
    if (nPosition == vzpBarLeft || nPosition == vzpBarRight)
    {
        if (bRowStart)
        {
            Line(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom, nLine);
            Line(pDC, rcRow.right + 3, rcRow.top + 5, rcRow.right + 3, rcRow.bottom, nLight);
        }
        else
        {
            Line(pDC, rcRow.left + 4, rcControl.top - 4, rcRow.right - 4, rcControl.top - 4, nLine);
            if (!m_bSingleSeparators)
                Line(pDC, rcRow.left + 5, rcControl.top - 3, rcRow.right - 3, rcControl.top - 3, nLight);
        }
    }
    else if (bRowStart)
    {
        if (nPosition != vzpBarFloating)
        {
            Line(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4, nLine);
            Line(pDC, rcRow.left + 5, rcRow.top - 3, rcRow.right, rcRow.top - 3, nLight);
        }
    }
    else
    {
        Line(pDC, rcControl.left - 4, rcRow.top + 4, rcControl.left - 4, rcRow.bottom - 4, nLine);
        if (!m_bSingleSeparators)
            Line(pDC, rcControl.left - 3, rcRow.top + 5, rcControl.left - 3, rcRow.bottom - 3, nLight);
    }
    return CSize(0, 0);
}

CSize CVZPGradientPaintManager::DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawCommandBarGripperEx(pDC, pBar, bDraw);
    const CRect rcClient = ClientRect(pBar);
    const COLORREF clrLight = GetColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrDot = GetColor(VZPCOLOR_GRIPPER);
    switch (pBar->GetPosition())
    {
    case vzpBarTop:
    case vzpBarBottom:
        if (bDraw)
            for (int y = 8; y - 3 < rcClient.Height() - 8; y += 4)
            {
                pDC->FillSolidRect(CRect(6, y - 2, 8, y), clrLight);
                pDC->FillSolidRect(CRect(5, y - 3, 7, y - 1), clrDot);
            }
        return CSize(6, 0);
    case vzpBarLeft:
    case vzpBarRight:
        if (bDraw)
            for (int x = 8; x - 3 < rcClient.Width() - 8; x += 4)
            {
                pDC->FillSolidRect(CRect(x - 2, 7, x, 9), clrLight);
                pDC->FillSolidRect(CRect(x - 3, 6, x - 1, 8), clrDot);
            }
        return CSize(0, 9);
    case vzpBarFloating:
    {
        const CRect rcCaption = GetFloatingCaptionRect(pDC, pBar);
        if (bDraw)
        {
            pDC->FillSolidRect(rcCaption, m_clrFloatingCaption.GetColor());
            CVZPFontSelector font(pDC, &m_fontSmCaption);
            CRect rcTitle(5, rcCaption.top, rcCaption.right, rcCaption.bottom);
            const COLORREF clrOld = pDC->SetTextColor(clrLight);
            const int nOldMode = pDC->SetBkMode(TRANSPARENT);
            pDC->DrawText(pBar->GetTitle(), rcTitle, DT_SINGLELINE | DT_VCENTER);
            pDC->SetBkMode(nOldMode);
            pDC->SetTextColor(clrOld);
        }
        return rcCaption.Size();
    }
    default:
        return CSize(0, 0);
    }
}

CSize CVZPGradientPaintManager::DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw)
{
    const int nHeight = Larger(25, m_nTextHeight + 6);
    if (bDraw)
    {
        CRect rc = ClientRect(pBar);
        rc.DeflateRect(3, 3);
        rc.bottom = rc.top + nHeight < rc.bottom ? rc.top + nHeight : rc.bottom;
        CVZPDrawTools::FillGradientColor(pDC, rc, &m_grcToolBar, FALSE);
        for (int y = rc.top + 4; y < rc.bottom - 5; y += 4)
        {
            pDC->FillSolidRect(CRect(6, y + 1, 8, y + 3), GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(CRect(5, y, 7, y + 2), GetColor(VZPCOLOR_GRIPPER));
        }
    }
    return CSize(8, nHeight);
}

CRect CVZPGradientPaintManager::GetCommandBarBorders(CVZPCommandBar* pBar)
{
    if (pBar != NULL && (pBar->GetPosition() == vzpBarTop || pBar->GetPosition() == vzpBarBottom))
        return CRect(4, 2, 2, 2);
    return CVZPCommandBarPaintManager::GetCommandBarBorders(pBar);
}

CSize CVZPGradientPaintManager::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    if (!bDraw)
        return CSize(0, 9);
    CRect rc(1, 1, rcGripper.right + 1, rcGripper.bottom - rcGripper.top + 1);
    pDC->FillSolidRect(rc, GetColor(VZPCOLOR_MENU_FACE));
    rc.DeflateRect(1, 1);
    int nHalf = rcGripper.Width() / 2;
    nHalf = nHalf > 42 ? 32 : nHalf - 10;
    const int nCenter = rc.CenterPoint().x;
    if (bSelected)
        DrawRectangleEx(pDC, rc, VZPCOLOR_HIGHLIGHT_BORDER, VZPCOLOR_HIGHLIGHT);
    else
        pDC->FillSolidRect(rc, m_clrTearOffFace.GetColor());
    for (int x = nCenter - nHalf + 3; x - 3 < nCenter + nHalf; x += 4)
    {
        pDC->FillSolidRect(CRect(x - 2, 5, x, 7), GetColor(COLOR_BTNHIGHLIGHT));
        pDC->FillSolidRect(CRect(x - 3, 4, x - 1, 6), GetColor(VZPCOLOR_GRIPPER));
    }
    return CSize(0, 9);
}

// ---------------------------------------------------------------------------
// The bars' own buttons

void CVZPGradientPaintManager::DrawExpandGlyph(CDC* pDC, CRect rc, BOOL bVert, BOOL bHiddenControls, COLORREF clr)
{
    const int mid = rc.CenterPoint().y;
    const int cx = rc.CenterPoint().x;
    CVZPPenSelector pen(pDC->m_hDC, clr);
    if (bVert)
    {
        Line(pDC, rc.right - 10, mid - 2, rc.right - 10, mid + 3);
        Triangle(pDC, CPoint(rc.right - 5, mid), CPoint(rc.right - 7, mid - 2), CPoint(rc.right - 7, mid + 2), clr);
        if (bHiddenControls)
        {
            Triangle(pDC, CPoint(rc.left + 5, rc.top + 3), CPoint(rc.left + 6, rc.top + 4),
                     CPoint(rc.left + 7, rc.top + 3), clr);
            Triangle(pDC, CPoint(rc.left + 5, rc.top + 7), CPoint(rc.left + 6, rc.top + 8),
                     CPoint(rc.left + 7, rc.top + 7), clr);
        }
    }
    else
    {
        Line(pDC, cx - 2, rc.bottom - 10, cx + 3, rc.bottom - 10);
        Triangle(pDC, CPoint(cx - 2, rc.bottom - 7), CPoint(cx + 2, rc.bottom - 7), CPoint(cx, rc.bottom - 5), clr);
        if (bHiddenControls)
        {
            Triangle(pDC, CPoint(rc.left + 3, rc.top + 5), CPoint(rc.left + 4, rc.top + 6),
                     CPoint(rc.left + 3, rc.top + 7), clr);
            Triangle(pDC, CPoint(rc.left + 7, rc.top + 5), CPoint(rc.left + 8, rc.top + 6),
                     CPoint(rc.left + 7, rc.top + 7), clr);
        }
    }
}

CSize CVZPGradientPaintManager::DrawSpecialControl(CDC* pDC, int nCode, CVZPControl* pControl, CVZPCommandBar* pBar,
                                                   BOOL bDraw, LPVOID lpParam)
{
    if (nCode == 0)
    {
        const int nPosition = pBar != NULL ? pBar->GetPosition() : vzpBarTop;
        const BOOL bVert = nPosition == vzpBarLeft || nPosition == vzpBarRight || nPosition == vzpBarPopup;
        if (!bDraw)
        {
            if (lpParam != NULL)
            {
                const CSize sz = *(CSize*)lpParam;
                pControl->SetRect(bVert ? CRect(0, sz.cy - 12, sz.cx, sz.cy) : CRect(sz.cx - 12, 1, sz.cx, sz.cy));
            }
            return CSize(0, 0);
        }
        const CRect rc = pControl->GetRect();
        const BOOL bPopuped = IsPopupOpen(pControl);
        const BOOL bSelected = pControl->GetSelected();
        CSavedDC saved(pDC);
        if (bVert)
        {
            pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
            pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
            pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.top + 1);
        }
        else
        {
            pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
            pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
            pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.bottom);
        }
        if (bPopuped)
        {
            if (m_bSchemeColors)
                CVZPDrawTools::GradientFill(pDC, rc, RGB(254, 142, 75), RGB(255, 207, 139), bVert);
            else
                pDC->FillSolidRect(rc, GetColor(VZPCOLOR_HIGHLIGHT_CHECKED));
        }
        else if (!bSelected)
            CVZPDrawTools::FillGradientColor(pDC, rc, &m_grcExpandButton, bVert);
        else if (m_bSchemeColors)
            CVZPDrawTools::GradientFill(pDC, rc, RGB(255, 242, 200), RGB(255, 212, 151), bVert);
        else
            pDC->FillSolidRect(rc, GetColor(VZPCOLOR_HIGHLIGHT));
        const int nGlyph = !bPopuped && bSelected ? VZPCOLOR_MENU_TEXT : VZPCOLOR_TOOLBAR_TEXT;
        const BOOL bHidden = lpParam != NULL && *(BOOL*)lpParam;
        DrawExpandGlyph(pDC, rc + CPoint(1, 1), bVert, bHidden, GetColor(COLOR_BTNHIGHLIGHT));
        DrawExpandGlyph(pDC, rc, bVert, bHidden, GetColor(nGlyph));
        return CSize(0, 0);
    }
    if (nCode == 1)
    {
        if (bDraw)
        {
            DrawControlEntry(pDC, pControl);
            const CRect rc = pControl->GetRect();
            const int cx = rc.CenterPoint().x;
            if (m_ilKnob.GetSafeHandle() != NULL)
                m_ilKnob.Draw(pDC, 0, CPoint(cx - 7, rc.top + 1), ILD_NORMAL);
            for (int dy : {0, 1, 4, 5})
            {
                const POINT pts[] = {{cx - 2, rc.top + 5 + dy}, {cx, rc.top + 7 + dy}, {cx + 3, rc.top + 4 + dy}};
                pDC->Polyline(pts, 3);
            }
        }
        return CSize(0, 18);
    }
    return CVZPCommandBarPaintManager::DrawSpecialControl(pDC, nCode, pControl, pBar, bDraw, lpParam);
}

// ---------------------------------------------------------------------------
// Status bar

void CVZPGradientPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    (void)bGripperPane;
    const COLORREF clr = m_clrPaneBorder.GetColor();
    pDC->Draw3dRect(rc, clr, clr);
}

void CVZPGradientPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcGripper)
{
    if (m_themeStatus.GetHandle() != NULL && m_themeStatus.IsAppThemed())
    {
        const CRect rc(rcGripper.right - 18, rcGripper.top, rcGripper.right, rcGripper.bottom);
        if (SUCCEEDED(m_themeStatus.DrawBackground(pDC->m_hDC, kStatusGripperPart, 0, rc, NULL)))
            return;
    }
    const int x = rcGripper.left;
    const int y = rcGripper.top;
    const int W = rcGripper.Width();
    const int H = rcGripper.Height();
    {
        CVZPPenSelector pen(pDC->m_hDC, GetColor(COLOR_BTNSHADOW));
        for (int k = 0; k < 3; k++)
            for (int d = 0; d < 3; d++)
                Line(pDC, x + W - 5 * k - d, y + H - 1, x + W, y + H - 1 - d - 5 * k);
    }
    CVZPPenSelector pen(pDC->m_hDC, GetColor(COLOR_BTNHIGHLIGHT));
    for (int k = 0; k < 3; k++)
        Line(pDC, x + W - 5 * k - 3, y + H - 1, x + W, y + H - 4 - 5 * k);
}
