#include "CVZFlatEdit.h"

#include "CVZFlatEditTheme.h"
#include "CVZMemDC.h"
#include "CVZPColorManager.h"

namespace {

const UINT kHotTimer = 1000;

}  // namespace

IMPLEMENT_DYNAMIC(CVZFlatEdit, CVZEdit)

BEGIN_MESSAGE_MAP(CVZFlatEdit, CVZEdit)
    ON_WM_NCPAINT()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CVZFlatEdit::CVZFlatEdit()
    : m_themeHost(RUNTIME_CLASS(CVZFlatEditThemeFactory)), m_bFlat(TRUE), m_bHot(FALSE), m_bHasFocus(FALSE)
{
}

BOOL CVZFlatEdit::HitTestHot() const
{
    CRect rc;
    GetWindowRect(&rc);
    CPoint pt;
    ::GetCursorPos(&pt);
    return rc.PtInRect(pt);
}

void CVZFlatEdit::DrawBorder(CDC* pDC, const CRect& rect)
{
    CVZFlatEditThemeClassic* pTheme = static_cast<CVZFlatEditThemeClassic*>(m_themeHost.GetTheme());
    if (pTheme != NULL)
        pTheme->DrawFlatEdit(pDC, this, rect, (m_bHot || m_bHasFocus) ? 2 : 0);
}

void CVZFlatEdit::OnNcPaint()
{
    if (!m_bFlat)
    {
        Default();
        return;
    }
    CWindowDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    dc.ExcludeClipRect(&rcClient);
    const COLORREF clrBack = GetColorManager()->GetColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_3DFACE);
    CVZMemDC memDC(&dc, rcWindow, CVZPGradientColor(clrBack));
    DrawBorder(&memDC, rcWindow);
}

void CVZFlatEdit::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != kHotTimer)
    {
        CVZEdit::OnTimer(nIDEvent);
        return;
    }
    if (HitTestHot())
    {
        if (!m_bHot)
        {
            m_bHot = TRUE;
            SendMessage(WM_NCPAINT, 1, 0);
        }
    }
    else
    {
        KillTimer(kHotTimer);
        if (m_bHot)
        {
            m_bHot = FALSE;
            SendMessage(WM_NCPAINT, 1, 0);
        }
    }
}

BOOL CVZFlatEdit::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (message == WM_MOUSEMOVE && m_bFlat && HitTestHot())
    {
        SetTimer(kHotTimer, 10, NULL);
        OnTimer(kHotTimer);
    }
    return CVZEdit::OnSetCursor(pWnd, nHitTest, message);
}

void CVZFlatEdit::OnSetFocus(CWnd* pOldWnd)
{
    CVZEdit::OnSetFocus(pOldWnd);
    if (m_bFlat)
    {
        m_bHasFocus = TRUE;
        Invalidate();
    }
}

void CVZFlatEdit::OnKillFocus(CWnd* pNewWnd)
{
    CVZEdit::OnKillFocus(pNewWnd);
    if (m_bFlat)
    {
        m_bHasFocus = FALSE;
        Invalidate();
    }
}
