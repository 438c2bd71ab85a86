// The drawing operations every theme must give, measuring nothing and
// drawing nothing: what a theme stands on until its own drawing is written.
#pragma once

#include "CVZPCommandBarPaintManager.h"

template <class TBase>
class CVZPBlankTheme : public TBase
{
public:
    CSize DrawControlPopupParent(CDC*, CVZPControl*, BOOL) override { return CSize(0, 0); }
    CSize DrawComboBox(CDC*, CVZPControlComboBox*, BOOL) override { return CSize(0, 0); }
    CSize DrawEdit(CDC*, CVZPControlEdit*, BOOL) override { return CSize(0, 0); }
    CSize DrawListBoxControl(CDC*, CVZPControl*, CRect, BOOL, BOOL, CVZPCommandBars* = NULL) override
    {
        return CSize(0, 0);
    }
    void FillCommandBarEntry(CDC*, CVZPCommandBar*) override {}
    void DrawControlRectangle(CDC*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL, int) override {}
    void DrawRectangle(CDC*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL, int) override {}
    CSize DrawCommandBarGripper(CDC*, CVZPCommandBar*, BOOL) override { return CSize(0, 0); }
    CSize DrawCommandBarSeparator(CDC*, CVZPCommandBar*, CVZPControl*, BOOL) override { return CSize(0, 0); }
    void AdjustExcludeRect(CRect&, CVZPControl*, BOOL) override {}
    CSize DrawTearOffGripper(CDC*, CRect, BOOL, BOOL) override { return CSize(0, 0); }
    void DrawImage(CDC*, CPoint, CSize, CVZPImageManagerIcon*, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL) override {}
    CSize DrawCommandBarGripperEx(CDC*, CVZPCommandBar*, BOOL) override { return CSize(0, 0); }
};
