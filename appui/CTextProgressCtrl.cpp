#include "CTextProgressCtrl.h"

#include "CProgressMemDC.h"

#include <algorithm>
#include <stdlib.h>

BEGIN_MESSAGE_MAP(CTextProgressCtrl, CProgressCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
    ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
    ON_MESSAGE(PBM_SETPOS, OnSetPos)
    ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
    ON_MESSAGE(PBM_STEPIT, OnStepIt)
    ON_MESSAGE(PBM_SETSTEP, OnSetStep)
END_MESSAGE_MAP()

namespace {

// Selections and text attributes of one text drawing, put back when it ends.
class CTextAttributes
{
public:
    CTextAttributes(CDC* pDC, HFONT hFont, COLORREF crText)
        : m_pDC(pDC),
          m_hOldFont(hFont != NULL ? pDC->SelectObject((HGDIOBJ)hFont) : NULL),
          m_crOldText(pDC->SetTextColor(crText)),
          m_nOldBkMode(pDC->SetBkMode(TRANSPARENT)),
          m_nOldAlign(pDC->SetTextAlign(TA_CENTER | TA_BOTTOM))
    {
    }
    ~CTextAttributes()
    {
        m_pDC->SetTextAlign(m_nOldAlign);
        m_pDC->SetBkMode(m_nOldBkMode);
        m_pDC->SetTextColor(m_crOldText);
        if (m_hOldFont != NULL)
            m_pDC->SelectObject(m_hOldFont);
    }
    CTextAttributes(const CTextAttributes&) = delete;
    CTextAttributes& operator=(const CTextAttributes&) = delete;

private:
    CDC* m_pDC;
    HGDIOBJ m_hOldFont;
    COLORREF m_crOldText;
    int m_nOldBkMode;
    UINT m_nOldAlign;
};

// True when lpszFormat holds exactly one integer conversion ("%d", "%5i",
// "%-3u", "%x"...) besides "%%" escapes, so that formatting one int with it
// is safe whatever the window text was set to.
bool IsIntegerFormat(LPCTSTR lpszFormat)
{
    int nConversions = 0;
    for (LPCTSTR p = lpszFormat; *p != 0; p++)
    {
        if (*p != '%')
            continue;
        p++;
        if (*p == '%')
            continue;
        while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0')
            p++;
        while (*p >= '0' && *p <= '9')
            p++;
        if (*p == '.')
        {
            p++;
            while (*p >= '0' && *p <= '9')
                p++;
        }
        if (*p != 'd' && *p != 'i' && *p != 'u' && *p != 'x' && *p != 'X')
            return false;
        nConversions++;
    }
    return nConversions == 1;
}

int Percent(int nPos, int nLower, int nUpper)
{
    return nUpper > nLower ? (int)((long long)(nPos - nLower) * 100 / (nUpper - nLower)) : 0;
}

// Pixels along a bar of nLength for a value of the range.
int ScaleToLength(int nLength, int nValue, int nLower, int nUpper)
{
    return nUpper > nLower ? (int)((long long)nLength * (nValue - nLower) / (nUpper - nLower)) : 0;
}

}  // namespace

CTextProgressCtrl::CTextProgressCtrl()
    : m_pBarBrush(NULL),
      m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_pBackgroundBrush(NULL),
      m_crTextOnBar(::GetSysColor(COLOR_CAPTIONTEXT)),
      m_crTextOnBackground(::GetSysColor(COLOR_BTNTEXT)),
      m_nBlockStart(0),
      m_nBlockSize(40),
      m_nStep(10),
      m_rectMargins(0, 0, 0, 0)
{
    BOOL bGradientCaptions = FALSE;
    ::SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &bGradientCaptions, 0);
    m_arrGradient.Add(::GetSysColor(COLOR_ACTIVECAPTION));
    m_arrGradient.Add(::GetSysColor(bGradientCaptions ? COLOR_GRADIENTACTIVECAPTION : COLOR_ACTIVECAPTION));
}

CTextProgressCtrl::~CTextProgressCtrl() = default;

void CTextProgressCtrl::SetTextFormat(LPCTSTR lpszFormat, DWORD dwStyle)
{
    dwStyle &= TPS_SHOWPERCENT | TPS_SHOWPOSITION;
    if (lpszFormat != NULL && *lpszFormat != 0 && dwStyle != 0)
    {
        ModifyStyle(TPS_SHOWPERCENT | TPS_SHOWPOSITION, dwStyle);
        SetWindowText(lpszFormat);
    }
    else
    {
        ModifyStyle(TPS_SHOWPERCENT | TPS_SHOWPOSITION, 0);
        SetWindowText(_T(""));
    }
    Invalidate();
}

CRect CTextProgressCtrl::SpanRect(const PaintContext& ctx, const Span& span)
{
    const CRect& rc = ctx.rectClient;
    BOOL bReverse = (ctx.dwStyle & TPS_REVERSE) != 0;
    if (ctx.dwStyle & PBS_VERTICAL)
    {
        // Vertical bars grow upwards, or down from the top when reversed.
        if (bReverse)
            return CRect(rc.left, rc.top + span.nStart, rc.right, rc.top + span.nEnd);
        return CRect(rc.left, rc.bottom - span.nEnd, rc.right, rc.bottom - span.nStart);
    }
    if (bReverse)
        return CRect(rc.right - span.nEnd, rc.top, rc.right - span.nStart, rc.bottom);
    return CRect(rc.left + span.nStart, rc.top, rc.left + span.nEnd, rc.bottom);
}

BOOL CTextProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTextProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CTextProgressCtrl::Paint(CDC* pPaintDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectPaint;
    if (pPaintDC->GetClipBox(&rectPaint) == NULLREGION || rectPaint.IsRectEmpty())
        rectPaint = rectClient;
    CProgressMemDC dc(pPaintDC, rectPaint);

    if (m_pBackgroundBrush != NULL)
        dc.FillRect(&rectClient, m_pBackgroundBrush);
    else
        dc.FillSolidRect(&rectClient, m_crBackground);

    PaintContext ctx;
    ctx.pDC = &dc;
    ctx.dwStyle = GetStyle();
    ctx.rectClient.SetRect(rectClient.left + m_rectMargins.left, rectClient.top + m_rectMargins.top,
                           rectClient.right - m_rectMargins.right, rectClient.bottom - m_rectMargins.bottom);
    ctx.nPos = GetPos();
    GetRange(ctx.nLower, ctx.nUpper);
    // Outside the range, or an empty range: only the background shows.
    if (ctx.nUpper <= ctx.nLower || ctx.nPos < ctx.nLower || ctx.nPos > ctx.nUpper)
        return;

    int nLength = (ctx.dwStyle & PBS_VERTICAL) ? ctx.rectClient.Height() : ctx.rectClient.Width();
    if (nLength <= 0)
        return;
    Span spanFilled = {0, ScaleToLength(nLength, ctx.nPos, ctx.nLower, ctx.nUpper)};
    if (ctx.dwStyle & TPS_MOVINGBLOCK)
        spanFilled.nStart = std::min(ScaleToLength(nLength, m_nBlockStart, ctx.nLower, ctx.nUpper), spanFilled.nEnd);
    Span spanFull = {0, nLength};

    if (m_pBarBrush != NULL)
    {
        CRect rectBar = SpanRect(ctx, spanFilled);
        dc.FillRect(&rectBar, m_pBarBrush);
    }
    else
    {
        DrawGradient(ctx, (ctx.dwStyle & TPS_STRETCHGRADIENT) ? spanFilled : spanFull, spanFilled);
    }
    DrawBarText(ctx, spanFull, spanFilled);
}

void CTextProgressCtrl::DrawGradient(const PaintContext& ctx, const Span& spanGradient, const Span& spanFilled)
{
    int nStops = (int)m_arrGradient.GetSize();
    if (nStops == 0 || spanFilled.Length() <= 0)
        return;
    if (nStops == 1)
    {
        DrawGradientSegment(ctx, spanGradient, spanFilled, m_arrGradient[0], m_arrGradient[0]);
        return;
    }
    float fWidth = (float)spanGradient.Length() / (float)(nStops - 1);
    for (int i = 0; i < nStops - 1; i++)
    {
        Span spanSegment;
        spanSegment.nStart = spanGradient.nStart + (int)(fWidth * (float)i);
        spanSegment.nEnd = (i == nStops - 2) ? spanGradient.nEnd : spanGradient.nStart + (int)(fWidth * (float)(i + 1));
        if (spanSegment.nEnd < spanFilled.nStart)
            continue;
        Span spanVisible = {std::max(spanSegment.nStart, spanFilled.nStart), std::min(spanSegment.nEnd, spanFilled.nEnd)};
        if (spanVisible.Length() > 0)
            DrawGradientSegment(ctx, spanSegment, spanVisible, m_arrGradient[i], m_arrGradient[i + 1]);
        if (spanVisible.nEnd >= spanFilled.nEnd)
            break;
    }
}

void CTextProgressCtrl::DrawGradientSegment(const PaintContext& ctx, const Span& spanSegment,
                                            const Span& spanVisible, COLORREF crStart, COLORREF crEnd)
{
    int nLength = spanSegment.Length();
    if (nLength <= 0)
        return;
    int dr = GetRValue(crEnd) - GetRValue(crStart);
    int dg = GetGValue(crEnd) - GetGValue(crStart);
    int db = GetBValue(crEnd) - GetBValue(crStart);
    int nBands = std::max(abs(dr), std::max(abs(dg), abs(db)));
    nBands = std::max(1, std::min(nBands, nLength));
    BOOL bPalette = (ctx.pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    if (!bPalette && ctx.pDC->GetDeviceCaps(BITSPIXEL) * ctx.pDC->GetDeviceCaps(PLANES) < 8)
        nBands = 1;

    for (int i = 0; i < nBands; i++)
    {
        Span spanBand;
        spanBand.nStart = spanSegment.nStart + nLength * i / nBands;
        spanBand.nEnd = (i == nBands - 1) ? spanSegment.nEnd : spanSegment.nStart + nLength * (i + 1) / nBands;
        if (spanBand.nEnd <= spanVisible.nStart)
            continue;
        spanBand.nStart = std::max(spanBand.nStart, spanVisible.nStart);
        spanBand.nEnd = std::min(spanBand.nEnd, spanVisible.nEnd);
        COLORREF cr = RGB(GetRValue(crStart) + dr * i / nBands, GetGValue(crStart) + dg * i / nBands,
                          GetBValue(crStart) + db * i / nBands);
        CRect rectBand = SpanRect(ctx, spanBand);
        if (bPalette)
        {
            CBrush brush(cr);
            ctx.pDC->FillRect(&rectBand, &brush);
        }
        else
        {
            ctx.pDC->FillSolidRect(&rectBand, cr);
        }
        if (spanBand.nEnd >= spanVisible.nEnd)
            break;
    }
}

CString CTextProgressCtrl::FormatBarText(const PaintContext& ctx) const
{
    BOOL bPercent = (ctx.dwStyle & TPS_SHOWPERCENT) != 0;
    CString strFormat;
    GetWindowText(strFormat);
    if (!IsIntegerFormat(strFormat))
        strFormat = bPercent ? _T("%d%%") : _T("%d");
    int nValue = bPercent ? Percent(ctx.nPos, ctx.nLower, ctx.nUpper) : ctx.nPos;
    CString strText;
    strText.Format(strFormat, nValue);
    return strText;
}

void CTextProgressCtrl::DrawBarText(const PaintContext& ctx, const Span& spanFull, const Span& spanFilled)
{
    if ((ctx.dwStyle & (TPS_SHOWPERCENT | TPS_SHOWPOSITION)) == 0)
        return;
    CFont* pFont = GetFont();
    CTextAttributes attributes(ctx.pDC, (HFONT)pFont->GetSafeHandle(), m_crTextOnBar);
    CString strText = FormatBarText(ctx);
    CSize sizeText = ctx.pDC->GetTextExtent(strText);
    BOOL bVertical = (ctx.dwStyle & PBS_VERTICAL) != 0;

    // The text is aligned centre-bottom: its anchor is the centre of the
    // rectangle it is centred on, moved half its height along the font's
    // rotation so that the text ends up centred.
    LOGFONT lf = {};
    if (pFont->GetSafeHandle() != NULL)
        pFont->GetLogFont(&lf);
    else
        ::GetObject(::GetCurrentObject(ctx.pDC->m_hDC, OBJ_FONT), sizeof(lf), &lf);
    auto anchorOf = [&](const Span& span) {
        CPoint pt = SpanRect(ctx, span).CenterPoint();
        int nAngle = ((lf.lfEscapement / 10) % 360 + 360) % 360;
        if (nAngle == 90)
            pt.x += sizeText.cy / 2;
        else if (nAngle == 180)
            pt.y -= sizeText.cy / 2;
        else if (nAngle == 270)
            pt.x -= sizeText.cy / 2;
        else
            pt.y += sizeText.cy / 2;
        return pt;
    };

    if (ctx.dwStyle & TPS_TIEDTEXT)
    {
        if (spanFilled.Length() >= (bVertical ? sizeText.cy : sizeText.cx))
            DrawClippedText(ctx, spanFilled, strText, anchorOf(spanFilled));
        return;
    }

    CPoint ptOrigin = anchorOf(spanFull);
    if (m_crTextOnBar == m_crTextOnBackground)
    {
        DrawClippedText(ctx, spanFull, strText, ptOrigin);
        return;
    }
    DrawClippedText(ctx, spanFilled, strText, ptOrigin);
    ctx.pDC->SetTextColor(m_crTextOnBackground);
    Span spanAfter = {spanFilled.nEnd, spanFull.nEnd};
    DrawClippedText(ctx, spanAfter, strText, ptOrigin);
    if (ctx.dwStyle & TPS_MOVINGBLOCK)
    {
        Span spanBefore = {spanFull.nStart, spanFilled.nStart};
        DrawClippedText(ctx, spanBefore, strText, ptOrigin);
    }
}

void CTextProgressCtrl::DrawClippedText(const PaintContext& ctx, const Span& span, const CString& strText,
                                        CPoint ptOrigin)
{
    if (span.Length() <= 0)
        return;
    CRect rectClip = SpanRect(ctx, span);
    int nSaved = ctx.pDC->SaveDC();
    ctx.pDC->IntersectClipRect(&rectClip);
    ctx.pDC->TextOut(ptOrigin.x, ptOrigin.y, strText);
    ctx.pDC->RestoreDC(nSaved);
}

BOOL CTextProgressCtrl::StepMovingBlock(LRESULT& lResult, int nValue, BOOL bDelta)
{
    if ((GetStyle() & TPS_MOVINGBLOCK) == 0)
        return FALSE;
    int nLower = 0, nUpper = 0;
    GetRange(nLower, nUpper);

    int nNew = nValue;
    if (bDelta)
    {
        // The common control stops at the upper bound while the block's end
        // runs on past it: continue from where the block's end is.
        int nCurrent = GetPos();
        if (nCurrent == nUpper && nCurrent - m_nBlockStart < m_nBlockSize)
            nCurrent = m_nBlockStart + m_nBlockSize;
        nNew = nCurrent + abs(nValue);
    }
    int nTurn = nUpper + m_nBlockSize;
    if (nNew > nTurn)
    {
        // Past the end: start over from the lower bound in the other direction.
        nNew = std::min(nTurn, nNew - nTurn + nLower);
        ModifyStyle(TPS_REVERSE, (GetStyle() & TPS_REVERSE) ? 0 : TPS_REVERSE);
        Invalidate();
    }
    else if (nNew > nUpper)
    {
        Invalidate();
    }
    m_nBlockStart = std::max(nNew - m_nBlockSize, nLower);
    lResult = DefWindowProc(PBM_SETPOS, (WPARAM)nNew, 0);
    return TRUE;
}

LRESULT CTextProgressCtrl::OnSetBarColor(WPARAM wParam, LPARAM lParam)
{
    m_arrGradient.RemoveAll();
    m_arrGradient.Add((COLORREF)lParam);
    m_arrGradient.Add(wParam != 0 ? (COLORREF)wParam : (COLORREF)lParam);
    Invalidate();
    return CLR_DEFAULT;
}

LRESULT CTextProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam)
{
    m_crBackground = (COLORREF)lParam;
    Invalidate();
    return CLR_DEFAULT;
}

// The common control repaints only the stretch between the old and the new
// position; the text in the middle of the bar changes too.
LRESULT CTextProgressCtrl::MovePosition(int nValue, BOOL bDelta)
{
    LRESULT lResult = 0;
    if (!StepMovingBlock(lResult, nValue, bDelta))
        lResult = Default();
    Invalidate(FALSE);
    return lResult;
}

LRESULT CTextProgressCtrl::OnSetPos(WPARAM wParam, LPARAM)
{
    return MovePosition((int)wParam, FALSE);
}

LRESULT CTextProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM)
{
    return MovePosition((int)wParam, TRUE);
}

LRESULT CTextProgressCtrl::OnStepIt(WPARAM, LPARAM)
{
    return MovePosition(m_nStep, TRUE);
}

LRESULT CTextProgressCtrl::OnSetStep(WPARAM wParam, LPARAM)
{
    m_nStep = (int)wParam;
    return Default();
}
