#include "CColorControlColors.h"

CColorControlColors::CColorControlColors()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_crBackground(::GetSysColor(COLOR_WINDOW)), m_bTransparent(FALSE)
{
}

void CColorControlColors::SetColors(COLORREF crText, COLORREF crBackground, BOOL bTransparent)
{
    m_crText = crText;
    m_crBackground = crBackground;
    m_bTransparent = bTransparent;
    m_brushBackground.DeleteObject();
    m_brushBackground.CreateSolidBrush(crBackground);
    if (m_brushTransparent.GetSafeHandle() == NULL)
    {
        LOGBRUSH lb = { BS_NULL, 0, 0 };
        m_brushTransparent.CreateBrushIndirect(&lb);
    }
}

HBRUSH CColorControlColors::CtlColor(CDC* pDC)
{
    pDC->SetTextColor(m_crText);
    if (m_bTransparent)
    {
        pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)m_brushTransparent.GetSafeHandle();
    }
    pDC->SetBkMode(OPAQUE);
    pDC->SetBkColor(m_crBackground);
    return (HBRUSH)m_brushBackground.GetSafeHandle();
}

void CColorControlColors::PrepareErase(CDC* pDC)
{
    if (m_bTransparent)
        pDC->SetBkMode(TRANSPARENT);
    else
        pDC->SetBkColor(m_crBackground);
}
