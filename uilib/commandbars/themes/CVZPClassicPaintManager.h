// Command-bar theme 0, the classic three-dimensional look, and the theme of
// every unlisted number: grey bars with raised and sunken edges, checked
// buttons on a dithered face, popup items highlighted in the system
// highlight colour, and disabled images and texts embossed. The theme every
// manager falls back to, and the base of the native visual-style theme.
#pragma once

#include "CVZPCommandBarPaintManager.h"

class CVZPClassicPaintManager : public CVZPCommandBarPaintManager
{
public:
    CVZPClassicPaintManager();
    ~CVZPClassicPaintManager() override;

    int GetThemeType() const override { return 0; }

    CSize DrawControlPopupParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CVZPControl* pControl, CRect rcButton) override;
    CSize DrawComboBox(CDC* pDC, CVZPControlComboBox* pControl, BOOL bDraw) override;
    CSize DrawEdit(CDC* pDC, CVZPControlEdit* pControl, BOOL bDraw) override;
    CSize DrawListBoxControl(CDC* pDC, CVZPControl* pControl, CRect rcButton, BOOL bSelected, BOOL bDraw,
                             CVZPCommandBars* pCommandBars = NULL) override;
    void FillCommandBarEntry(CDC* pDC, CVZPCommandBar* pBar) override;
    void DrawControlRectangle(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked,
                              BOOL bPopuped, int barPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, BOOL bToolBar, int barPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CVZPCommandBar* pBar, CVZPControl* pControl, BOOL bDraw) override;
    // bHorizontal: the control's bar runs horizontally.
    void AdjustExcludeRect(CRect& rc, CVZPControl* pControl, BOOL bHorizontal) override;
    CSize DrawSpecialControl(CDC* pDC, int nCode, CVZPControl* pControl, CVZPCommandBar* pBar, BOOL bDraw,
                             LPVOID lpParam) override;
    CRect GetCommandBarBorders(CVZPCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CVZPImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                   BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) override;
    CSize DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) override;

    // Further operations of this theme.
    // The frame of an edit or combo box.
    virtual void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected);
    // The drop-down button of a combo box.
    virtual void DrawComboDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped);
    // Measures (DT_CALCRECT into rc) or draws a popup item's text, always
    // single-line and centred vertically; a disabled, unselected text is
    // embossed. Returns what DrawText returns.
    virtual int DrawPopupItemText(CDC* pDC, const CString& strText, CRect& rc, UINT nFormat, BOOL bDraw,
                                  BOOL bSelected, BOOL bEnabled);

    // Sizes of popup rows from the text height and the icon size.
    int GetPopupRowHeight(CSize szIcon) const;
    int GetPopupGutterWidth(CSize szIcon) const;

    // A selected popup item is highlighted over its whole row, images
    // included, and check boxes get no frame.
    BOOL m_bFullRowHighlight;
    // Colour index of enabled, unselected popup items' text.
    int m_nPopupTextColor;

protected:
    void DrawRaisedFrame(CDC* pDC, CRect rc) { Draw3dRectEx(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW); }
    void DrawSunkenFrame(CDC* pDC, CRect rc) { Draw3dRectEx(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT); }
    // The checked face: an 8 x 8 pattern of alternating face and highlight
    // pixels.
    void DrawDitheredFace(CDC* pDC, CRect rc);
    // Label and box of an edit or combo box: measures, or draws the label
    // and returns the box.
    CSize DrawLabeledBox(CDC* pDC, CVZPControl* pControl, BOOL bDraw, CRect* pBox);
};
