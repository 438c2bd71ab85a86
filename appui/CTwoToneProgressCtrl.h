// A progress bar that keeps its range, position and step itself and paints a
// dark blue bar with a centred caption or percentage whose colour flips where
// the bar ends.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// Private messages of the bar.
#define WM_PROGRESS_SETTEXTCOLOR  0x0464   // lParam: text colour (CLR_DEFAULT: contrasting colours); the previous one
#define WM_PROGRESS_SHOWTEXT      0x0465   // wParam: draw a text at all

// Every progress message is answered here; the common control underneath
// only supplies the window. The filled part is always RGB(0,0,144).
class CTwoToneProgressCtrl : public CProgressCtrl
{
public:
    static constexpr COLORREF kBarColor = RGB(0, 0, 144);

    CTwoToneProgressCtrl();
    ~CTwoToneProgressCtrl() override;

    // Paints the client area into any DC. An empty range paints nothing.
    void PaintTo(CDC& dc);

    // Pixels of the filled part along the bar for the current position: the
    // truncated share of nLength, 0 for an empty range, may exceed nLength.
    int FilledLength(int nLength) const;

protected:
    BOOL HasRange() const { return m_nUpper > m_nLower; }
    // The bar's length along its axis, in pixels.
    int BarLength() const;
    void InvalidateIfCreated();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crText;        // CLR_DEFAULT: the background colour over the bar, the bar colour elsewhere
    int m_nPos;
    int m_nStep;
    int m_nUpper;
    int m_nLower;
    CString m_strCaption;     // drawn instead of the percentage when not empty
    BOOL m_bShowText;
    int m_nBarWidth;          // filled pixels at the last position change; -1 forces the next redraw
    COLORREF m_crBar;         // kept for PBM_SETBARCOLOR; the painting does not use it
    COLORREF m_crBackground;  // CLR_DEFAULT: COLOR_WINDOW
};
