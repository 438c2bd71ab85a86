// A button (check box, radio button, group box) that paints no background of
// its own, for dialogs drawn on skin bitmaps.
#pragma once

#include <afxwin.h>

// The parent must be a framework window (it reflects WM_CTLCOLOR).
class CTransparentButtonCtrl : public CButton
{
    DECLARE_DYNAMIC(CTransparentButtonCtrl)
public:
    CTransparentButtonCtrl();
    ~CTransparentButtonCtrl() override;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
