#include "CProgressMemDC.h"

CProgressMemDC::CProgressMemDC(CDC* pDC, const CRect& rect)
    : m_pDC(pDC), m_rect(rect), m_hOldBitmap(NULL), m_bMemDC(!pDC->IsPrinting())
{
    if (m_bMemDC && CreateCompatibleDC(pDC) && m_bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
    {
        m_hOldBitmap = SelectObject(m_bitmap.GetSafeHandle());
        SetWindowOrg(rect.left, rect.top);
        FillSolidRect(&m_rect, pDC->GetBkColor());
        return;
    }
    // Printing, or no memory: draw into the given context.
    if (m_hDC != NULL)
        DeleteDC();
    m_bMemDC = FALSE;
    m_bPrinting = pDC->IsPrinting();
    m_hDC = pDC->m_hDC;
    m_hAttribDC = pDC->m_hAttribDC;
}

CProgressMemDC::~CProgressMemDC()
{
    if (m_bMemDC)
    {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        SelectObject(m_hOldBitmap);
        DeleteDC();
    }
    else
    {
        m_hDC = NULL;
        m_hAttribDC = NULL;
    }
}
