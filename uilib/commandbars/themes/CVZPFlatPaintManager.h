// Command-bar theme 1, the flat look: bars in the bar-face colour, hot and
// pressed controls as framed highlight rectangles, popup menus with an icon
// gutter and raised hot icons with a shadow. The base of the gradient themes,
// which keep its popup items, combo boxes, edits and images.
#pragma once

#include "CVZPCommandBarPaintManager.h"

class CVZPFlatPaintManager : public CVZPCommandBarPaintManager
{
public:
    CVZPFlatPaintManager();
    ~CVZPFlatPaintManager() override;

    int GetThemeType() const override { return 1; }
    BOOL IsFlatStyle() const override { return TRUE; }

    CSize DrawControlPopupParent(CDC* pDC, CVZPControl* pControl, BOOL bDraw) override;
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
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CVZPImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                   BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) override;
    CSize DrawCommandBarGripperEx(CDC* pDC, CVZPCommandBar* pBar, BOOL bDraw) override;

    // Further operations of this theme.
    // The gutter of popup items: the expanded colour for items shown only
    // because the popup was expanded.
    virtual void FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);

    // Popup rows: max(T, h + 6) high; the gutter column max(T + 4, w + 4)
    // wide, two columns with the double gripper (check mark, then image).
    int GetPopupRowHeight(CSize szIcon) const;
    int GetPopupGutterColumn(CSize szIcon) const;
    // The gutter area of the bar's popup rows plus 1.
    int GetPopupGutterWidth(CVZPCommandBar* pBar) const;

protected:
    // The gutter area of the bar's rows: one or two columns.
    int GetPopupGutterArea(CVZPCommandBar* pBar) const;
    // The part of the control that opened the popup lying over the popup
    // window, in the popup's client coordinates, one pixel smaller in each
    // direction wider than one pixel; empty when there is none.
    CRect GetPopupJoint(CVZPCommandBar* pPopupBar) const;
    // Label and box of an edit or combo box: the size when measuring, else
    // draws the label and gives the box.
    CSize DrawLabeledBox(CDC* pDC, CVZPControl* pControl, BOOL bDraw, CRect* pBox);
    // The caption geometry of a floating bar (small-caption font).
    CRect GetFloatingCaptionRect(CDC* pDC, CVZPCommandBar* pBar);
};
