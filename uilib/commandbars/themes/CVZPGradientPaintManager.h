// Command-bar theme 2, the gradient look: gradient-filled bars, round expand
// buttons and colour sets that follow the visual-style colour scheme (blue,
// olive, silver), with orange state gradients once a scheme's colours are
// applied. It keeps the flat theme's popup items, combo boxes, edits and
// images.
#pragma once

#include <afxcmn.h>

#include "CVZPFlatPaintManager.h"
#include "CVZPVisualStyle.h"

class CVZPGradientPaintManager : public CVZPFlatPaintManager
{
public:
    CVZPGradientPaintManager();
    ~CVZPGradientPaintManager() override;

    int GetThemeType() const override { return 2; }

    void FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, BOOL bToolBar, int barPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl, BOOL bDraw) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcGripper) override;
    void FillDockBar(CDC* pDC, CVZPDockBar* pBar) override;
    void RefreshMetrics() override;
    CSize DrawSpecialControl(CDC* pDC, int nCode, CVZPControl* pControl, CVZPCommandBar* pBar, BOOL bDraw,
                             LPVOID lpParam) override;
    CRect GetCommandBarBorders(CVZPCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    CSize DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) override;
    void FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded) override;

    // A floating bar draws the caption band of its own: any bar but a menu
    // bar that may dock to some side.
    virtual BOOL IsCaptionBarFloating(CVZPCommandBar* pBar) const;

    // Excludes the four corner pixels of the rectangle from the DC's
    // clipping region (round-cornered bands and tabs).
    static void ExcludeCornerPixels(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);

    // The intensity table of the popup expand button's round knob: 255 is
    // transparent, 0 the knob gradient's end colour.
    static const BYTE s_knobIntensity[16][16];
    // The mask colour of the knob image.
    static const COLORREF kKnobMask = RGB(0, 255, 0);

    // --- Members, in declaration order ------------------------------------
    CVZPGradientColor m_grcDockBar;          // dock bars and the background behind docked toolbars
    CVZPGradientColor m_grcToolBar;          // bodies of docked toolbars, popup gutters
    CVZPGradientColor m_grcExpandButton;     // toolbar expand button when neither hot nor open
    CVZPGradientColor m_grcKnob;             // the popup expand button's knob
    CVZPGradientColor m_grcExpandedGutter;   // gutter of items shown by expanding
    CVZPGradientColor m_grcPopupOpen;        // a control whose popup is open
    CVZPOverridableColor m_clrToolbarLine;   // line along the outer edge of docked toolbars
    CVZPOverridableColor m_clrFloatingCaption;
    CVZPOverridableColor m_clrPaneBorder;    // frame of status-bar panes
    CVZPOverridableColor m_clrTearOffFace;   // face of an unselected tear-off gripper
    BOOL m_bSchemeColors;                    // a colour scheme was applied: orange state gradients
    BOOL m_bSingleSeparators;                // docked-toolbar separators without highlight
    CVZPVisualStyle m_themeStatus;           // "STATUS" visual style
    CImageList m_ilKnob;                     // one 16 x 16 image, mask kKnobMask
    CVZPGradientColor m_grcChecked;
    CVZPGradientColor m_grcPressed;
    CVZPGradientColor m_grcHot;

protected:
    // Rebuilds the knob image from the knob gradient's effective colours.
    void CreateKnobImage();
    // The dock-bar background: the gradient over the rectangle widened to
    // half the screen width, or the gradient's end colour behind a
    // right-hand dock bar; drawn only inside the clip rectangle.
    void FillDockBarBackground(CDC* pDC, CRect rc, BOOL bSolid, LPCRECT lpClip);
    // The toolbar expand button's glyph.
    void DrawExpandGlyph(CDC* pDC, CRect rc, BOOL bVert, BOOL bHiddenControls, COLORREF clr);
};
