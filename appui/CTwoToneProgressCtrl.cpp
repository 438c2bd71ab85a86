#include "CTwoToneProgressCtrl.h"

#include "CProgressMemDC.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CTwoToneProgressCtrl, CProgressCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(PBM_SETRANGE, OnSetRange)
    ON_MESSAGE(PBM_SETRANGE32, OnSetRange32)
    ON_MESSAGE(PBM_GETRANGE, OnGetRange)
    ON_MESSAGE(PBM_GETPOS, OnGetPos)
    ON_MESSAGE(PBM_SETPOS, OnSetPos)
    ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
    ON_MESSAGE(PBM_STEPIT, OnStepIt)
    ON_MESSAGE(PBM_SETSTEP, OnSetStep)
    ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
    ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
    ON_MESSAGE(WM_PROGRESS_SETTEXTCOLOR, OnSetTextColor)
    ON_MESSAGE(WM_PROGRESS_SHOWTEXT, OnShowText)
END_MESSAGE_MAP()

CTwoToneProgressCtrl::CTwoToneProgressCtrl()
    : m_crText(CLR_DEFAULT),
      m_nPos(0),
      m_nStep(1),
      m_nUpper(100),
      m_nLower(0),
      m_bShowText(TRUE),
      m_nBarWidth(-1),
      m_crBar(CLR_DEFAULT),
      m_crBackground(CLR_DEFAULT)
{
}

CTwoToneProgressCtrl::~CTwoToneProgressCtrl() = default;

int CTwoToneProgressCtrl::FilledLength(int nLength) const
{
    // Multiply before dividing, in 64 bits: integer division first would
    // give 0 or 1.
    if (!HasRange())
        return 0;
    return (int)((long long)(m_nPos - m_nLower) * nLength / ((long long)m_nUpper - m_nLower));
}

int CTwoToneProgressCtrl::BarLength() const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    return (GetStyle() & PBS_VERTICAL) ? rectClient.Height() : rectClient.Width();
}

void CTwoToneProgressCtrl::InvalidateIfCreated()
{
    if (m_hWnd != NULL)
        Invalidate();
}

BOOL CTwoToneProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTwoToneProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (!HasRange())
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CProgressMemDC dcMem(&dc, rectClient);
    PaintTo(dcMem);
}

void CTwoToneProgressCtrl::PaintTo(CDC& dc)
{
    if (!HasRange())
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    BOOL bVertical = (GetStyle() & PBS_VERTICAL) != 0;
    COLORREF crBackground = m_crBackground == CLR_DEFAULT ? ::GetSysColor(COLOR_WINDOW) : m_crBackground;

    CRect rectFilled = rectClient;
    CRect rectEmpty = rectClient;
    if (bVertical)
    {
        int nFilled = std::clamp(FilledLength(rectClient.Height()), 0, rectClient.Height());
        rectFilled.top = rectEmpty.bottom = rectClient.bottom - nFilled;
    }
    else
    {
        int nFilled = std::clamp(FilledLength(rectClient.Width()), 0, rectClient.Width());
        rectFilled.right = rectEmpty.left = rectClient.left + nFilled;
    }
    dc.FillSolidRect(&rectFilled, kBarColor);
    dc.FillSolidRect(&rectEmpty, crBackground);
    if (!m_bShowText || bVertical)
        return;

    CString strText = m_strCaption;
    if (strText.IsEmpty())
        strText.Format(_T("%d%%"), FilledLength(100));
    int nSaved = dc.SaveDC();
    CWnd* pParent = GetParent();
    HFONT hFont = pParent != NULL ? (HFONT)pParent->SendMessage(WM_GETFONT) : NULL;
    if (hFont != NULL)
        dc.SelectObject((HGDIOBJ)hFont);
    dc.SetBkMode(TRANSPARENT);
    const struct
    {
        const CRect& rectClip;
        COLORREF crText;
    } parts[] = {
        { rectFilled, m_crText == CLR_DEFAULT ? crBackground : m_crText },
        { rectEmpty, m_crText == CLR_DEFAULT ? kBarColor : m_crText },
    };
    for (const auto& part : parts)
    {
        dc.SaveDC();
        dc.IntersectClipRect(&part.rectClip);
        dc.SetTextColor(part.crText);
        CRect rectText = rectClient;
        dc.DrawText(strText, &rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.RestoreDC(-1);
    }
    dc.RestoreDC(nSaved);
}

void CTwoToneProgressCtrl::OnSize(UINT nType, int cx, int cy)
{
    CProgressCtrl::OnSize(nType, cx, cy);
    m_nBarWidth = -1;
}

LRESULT CTwoToneProgressCtrl::OnSetText(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    LPCTSTR lpszText = (LPCTSTR)lParam;
    if (lpszText == NULL ? !m_strCaption.IsEmpty() : m_strCaption != lpszText)
    {
        m_strCaption = lpszText != NULL ? lpszText : _T("");
        InvalidateIfCreated();
    }
    return lResult;
}

LRESULT CTwoToneProgressCtrl::OnGetText(WPARAM wParam, LPARAM lParam)
{
    // Room for the terminator: at most wParam - 1 characters are copied.
    LPTSTR lpszBuffer = (LPTSTR)lParam;
    if (wParam == 0 || lpszBuffer == NULL)
        return 0;
    int nCopy = std::min(m_strCaption.GetLength(), (int)wParam - 1);
    memcpy(lpszBuffer, (LPCTSTR)m_strCaption, (size_t)nCopy * sizeof(TCHAR));
    lpszBuffer[nCopy] = 0;
    return nCopy;
}

LRESULT CTwoToneProgressCtrl::OnSetRange(WPARAM, LPARAM lParam)
{
    m_nLower = LOWORD(lParam);
    m_nUpper = HIWORD(lParam);
    return m_nUpper;
}

LRESULT CTwoToneProgressCtrl::OnSetRange32(WPARAM wParam, LPARAM lParam)
{
    m_nLower = (int)wParam;
    m_nUpper = (int)lParam;
    return m_nUpper;
}

LRESULT CTwoToneProgressCtrl::OnGetRange(WPARAM wParam, LPARAM lParam)
{
    PBRANGE* pRange = (PBRANGE*)lParam;
    if (pRange != NULL)
    {
        pRange->iLow = m_nLower;
        pRange->iHigh = m_nUpper;
    }
    return wParam != 0 ? m_nLower : m_nUpper;
}

LRESULT CTwoToneProgressCtrl::OnGetPos(WPARAM, LPARAM)
{
    return m_nPos;
}

LRESULT CTwoToneProgressCtrl::OnSetPos(WPARAM wParam, LPARAM)
{
    int nOldPos = m_nPos;
    m_nPos = (int)wParam;
    // Only a change of the filled part repaints.
    int nBarWidth = FilledLength(BarLength());
    if (nBarWidth != m_nBarWidth)
    {
        m_nBarWidth = nBarWidth;
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return nOldPos;
}

LRESULT CTwoToneProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM)
{
    return SendMessage(PBM_SETPOS, (WPARAM)(m_nPos + (int)wParam));
}

LRESULT CTwoToneProgressCtrl::OnStepIt(WPARAM, LPARAM)
{
    return SendMessage(PBM_SETPOS, (WPARAM)(m_nPos + m_nStep));
}

LRESULT CTwoToneProgressCtrl::OnSetStep(WPARAM wParam, LPARAM)
{
    int nOldStep = m_nStep;
    m_nStep = (int)wParam;
    return nOldStep;
}

LRESULT CTwoToneProgressCtrl::OnSetBarColor(WPARAM, LPARAM lParam)
{
    COLORREF crOld = m_crBar;
    m_crBar = (COLORREF)lParam;
    InvalidateIfCreated();
    return (LRESULT)crOld;
}

LRESULT CTwoToneProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam)
{
    COLORREF crOld = m_crBackground;
    m_crBackground = (COLORREF)lParam;
    InvalidateIfCreated();
    return (LRESULT)crOld;
}

LRESULT CTwoToneProgressCtrl::OnSetTextColor(WPARAM, LPARAM lParam)
{
    COLORREF crOld = m_crText;
    m_crText = (COLORREF)lParam;
    InvalidateIfCreated();
    return (LRESULT)crOld;
}

LRESULT CTwoToneProgressCtrl::OnShowText(WPARAM wParam, LPARAM)
{
    BOOL bShow = wParam != 0;
    if (bShow != m_bShowText)
    {
        m_bShowText = bShow;
        InvalidateIfCreated();
    }
    return 0;
}
