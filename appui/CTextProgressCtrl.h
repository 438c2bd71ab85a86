// An owner-painted progress bar: a gradient or solid bar on a coloured
// background with an optional text (by default the percentage) whose colour
// changes where the bar ends; it can also run as a moving block.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// Window style bits of the bar (PBS_VERTICAL of the common control is
// honoured too).
#define TPS_SHOWPERCENT      0x0100   // the window text is a format of the percentage ("%d%%" when empty)
#define TPS_SHOWPOSITION     0x0200   // the window text is a format of the position ("%d" when empty)
#define TPS_TIEDTEXT         0x1000   // the text is centred on the filled part, only when it fits there
#define TPS_STRETCHGRADIENT  0x2000   // the whole gradient spans the filled part, not the full length
#define TPS_REVERSE          0x4000   // fill from the right (horizontal) or from the top (vertical)
#define TPS_MOVINGBLOCK      0x8000   // a block wanders along the bar instead of a growing bar

// The common control keeps the range and the position; the members below say
// how to paint them. Callers set colours, brushes, margins and the block size
// directly.
class CTextProgressCtrl : public CProgressCtrl
{
public:
    // A stretch along the bar's axis, in pixels from the bar's start.
    struct Span
    {
        int nStart;
        int nEnd;
        int Length() const { return nEnd - nStart; }
    };

    // What one paint pass works with.
    struct PaintContext
    {
        CDC* pDC;
        DWORD dwStyle;
        CRect rectClient;   // the client area inset by the margins
        int nPos;
        int nLower;
        int nUpper;
    };

    CTextProgressCtrl();
    ~CTextProgressCtrl() override;

    // With a non-empty format and non-zero bits (TPS_SHOWPERCENT or
    // TPS_SHOWPOSITION), shows the value through the format; otherwise no text.
    void SetTextFormat(LPCTSTR lpszFormat, DWORD dwStyle);

    CDWordArray m_arrGradient;   // colour stops spread evenly over the gradient
    CBrush* m_pBarBrush;         // when set (not owned), fills the bar instead of the gradient
    COLORREF m_crBackground;     // background when no background brush is set
    CBrush* m_pBackgroundBrush;  // background fill when set (not owned)
    COLORREF m_crTextOnBar;      // text over the filled part
    COLORREF m_crTextOnBackground;   // text over the unfilled part
    int m_nBlockStart;           // moving block: start of the block, in range units
    int m_nBlockSize;            // moving block: length of the block, in range units
    int m_nStep;                 // moving block: step of PBM_STEPIT
    CRect m_rectMargins;         // inset of the bar inside the client area

    // The rectangle of a span of the bar.
    static CRect SpanRect(const PaintContext& ctx, const Span& span);

    virtual void DrawGradient(const PaintContext& ctx, const Span& spanGradient, const Span& spanFilled);
    virtual void DrawGradientSegment(const PaintContext& ctx, const Span& spanSegment, const Span& spanVisible,
                                     COLORREF crStart, COLORREF crEnd);
    virtual void DrawBarText(const PaintContext& ctx, const Span& spanFull, const Span& spanFilled);
    virtual void DrawClippedText(const PaintContext& ctx, const Span& span, const CString& strText, CPoint ptOrigin);
    // Moving-block mode only: moves the block to nValue (or by |nValue| when
    // bDelta) and puts the previous position in lResult. FALSE in any other
    // mode, where the common control handles the message.
    virtual BOOL StepMovingBlock(LRESULT& lResult, int nValue, BOOL bDelta);

protected:
    void Paint(CDC* pDC);
    CString FormatBarText(const PaintContext& ctx) const;
    LRESULT MovePosition(int nValue, BOOL bDelta);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
