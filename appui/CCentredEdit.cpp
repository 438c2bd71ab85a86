#include "CCentredEdit.h"

IMPLEMENT_DYNAMIC(CCentredEdit, CEdit)

BEGIN_MESSAGE_MAP(CCentredEdit, CEdit)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CCentredEdit::CCentredEdit() : m_rectBandTop(0, 0, 0, 0), m_rectBandBottom(0, 0, 0, 0), m_bFrameCalculated(FALSE) {}

CCentredEdit::~CCentredEdit() = default;

// Height of one line in the control's font.
int CCentredEdit::MeasureLineHeight()
{
    CClientDC dc(this);
    CFont* pFont = GetFont();
    HGDIOBJ hOldFont = pFont->GetSafeHandle() != NULL ? dc.SelectObject(pFont->GetSafeHandle()) : NULL;
    CRect rect(0, 0, 0, 0);
    dc.DrawText(_T("Ky"), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    if (hOldFont != NULL)
        dc.SelectObject(hOldFont);
    return rect.Height();
}

void CCentredEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    // The proposed window rectangle, then the default client area inside the
    // frame. Frame and margins come from that default calculation, not from
    // the current client area, so recalculating gives the same layout.
    CRect rectWindow(lpncsp->rgrc[0]);
    Default();
    CRect rectClient(lpncsp->rgrc[0]);

    int h = MeasureLineHeight();
    int m = (rectClient.Height() - h) / 2;           // vertical margin
    if (m < 0)
        m = 0;
    int f = (rectWindow.Height() - rectClient.Height()) / 2;      // frame height
    int s = (rectWindow.Width() - rectClient.Width() + 2) / 2;    // side inset

    CRect rectZero(0, 0, rectWindow.Width(), rectWindow.Height());
    m_rectBandTop.SetRect(rectZero.left + s, rectZero.top + f, rectZero.right - s, rectZero.bottom - (h + m + f));
    m_rectBandBottom.SetRect(rectZero.left + s, rectZero.top + h + m + f, rectZero.right - s, rectZero.bottom - f);
    m_rectBandTop.NormalizeRect();
    m_rectBandBottom.NormalizeRect();

    // The text starts two pixels into the left frame; a control without a
    // frame keeps its left edge.
    lpncsp->rgrc[0].left = rectWindow.left + (f > 2 ? f - 2 : 0);
    lpncsp->rgrc[0].top = rectWindow.top + m;
    lpncsp->rgrc[0].right = rectWindow.right - s;
    lpncsp->rgrc[0].bottom = rectWindow.bottom - m;
    m_bFrameCalculated = TRUE;
}

void CCentredEdit::OnNcPaint()
{
    Default();
    CWindowDC dc(this);
    CBrush brush(RGB(255, 255, 255));
    dc.FillRect(&m_rectBandTop, &brush);
    dc.FillRect(&m_rectBandBottom, &brush);
}

HBRUSH CCentredEdit::CtlColor(CDC*, UINT)
{
    // A control subclassed after creation had its frame calculated by the
    // plain edit: calculate it again, once, before the first paint.
    if (!m_bFrameCalculated)
    {
        m_bFrameCalculated = TRUE;
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    }
    return NULL;   // the default colours
}
