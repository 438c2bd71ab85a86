// A single-line edit that shows its line in the vertical middle of a taller
// control, with white bands above and below.
#pragma once

#include <afxwin.h>

// The client area is narrowed to the height of one line of the control's
// font; the bands between it and the frame are painted white. Works when
// created through Create and when subclassed from a dialog template. The
// layout follows the font the control had when its frame was calculated:
// after SetFont, SetWindowPos with SWP_FRAMECHANGED lays it out again.
class CCentredEdit : public CEdit
{
    DECLARE_DYNAMIC(CCentredEdit)
public:
    CCentredEdit();
    ~CCentredEdit() override;

    // The bands above and below the text area, in window coordinates (empty
    // until the frame was calculated).
    CRect m_rectBandTop;
    CRect m_rectBandBottom;

protected:
    int MeasureLineHeight();

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    BOOL m_bFrameCalculated;
};
