#include "CVZHeaderCtrlThemeShaded.h"

#include "CVZHeaderCtrl.h"
#include "VZPSelectors.h"

namespace {

// face + fraction * (shadow - face), per channel, truncated.
COLORREF Shade(COLORREF clrFace, COLORREF clrShadow, double dFraction)
{
    auto channel = [dFraction](int nFace, int nShadow) {
        return static_cast<BYTE>(static_cast<int>(nFace + dFraction * (nShadow - nFace)));
    };
    return RGB(channel(GetRValue(clrFace), GetRValue(clrShadow)), channel(GetGValue(clrFace), GetGValue(clrShadow)),
               channel(GetBValue(clrFace), GetBValue(clrShadow)));
}

}  // namespace

CVZHeaderCtrlThemeShaded::CVZHeaderCtrlThemeShaded()
{
    m_dwDrawFlags = drawSortArrow;
    m_nTextTop = 2;
}

BOOL CVZHeaderCtrlThemeShaded::LayoutHeader(HDLAYOUT* pLayout, CVZHeaderCtrl* pHeader)
{
    if (pLayout == NULL || pLayout->prc == NULL || pLayout->pwpos == NULL)
        return FALSE;
    CClientDC dc(pHeader);
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), reinterpret_cast<HGDIOBJ>(pHeader->SendMessage(WM_GETFONT)));
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc.GetSafeHdc(), &tm);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);

    const int nHeight = tm.tmHeight + 10;
    RECT* pRect = pLayout->prc;
    WINDOWPOS* pPos = pLayout->pwpos;
    pPos->hwndInsertAfter = NULL;
    pPos->x = pRect->left;
    pPos->y = pRect->top;
    pPos->cx = pRect->right - pRect->left;
    pPos->cy = nHeight;
    pPos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
    pRect->top += nHeight;
    return TRUE;
}

void CVZHeaderCtrlThemeShaded::DrawHeaderBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    pDC->FillSolidRect(rect, m_clrFace);
    rect.right += 2;
    pDC->Draw3dRect(rect, m_clrHighlight, Shade(m_clrFace, m_clrShadow, 0.6));
    DrawLine(pDC, rect.left, rect.bottom - 2, rect.right, rect.bottom - 2, Shade(m_clrFace, m_clrShadow, 0.4));
    DrawLine(pDC, rect.left, rect.bottom - 3, rect.right, rect.bottom - 3, Shade(m_clrFace, m_clrShadow, 0.25));
}

void CVZHeaderCtrlThemeShaded::DrawItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect r(lpDIS->rcItem);
    DrawLine(pDC, r.right - 2, 2, r.right - 2, r.bottom - 4, m_clrShadow);
    DrawLine(pDC, r.right - 1, 2, r.right - 1, r.bottom - 4, m_clrHighlight);
}
