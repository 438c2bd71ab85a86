// An edit control of the application that shows its text and background in
// chosen colours, or its text over the parent's background.
#pragma once

#include "CColorControlColors.h"

class CColorEdit : public CEdit
{
    DECLARE_DYNAMIC(CColorEdit)
public:
    CColorEdit();
    ~CColorEdit() override;

    void SetColors(COLORREF crText, COLORREF crBackground, BOOL bTransparent = FALSE)
    {
        m_colors.SetColors(crText, crBackground, bTransparent);
    }

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CColorControlColors m_colors;
};
