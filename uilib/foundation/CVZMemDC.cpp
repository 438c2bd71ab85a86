#include "CVZMemDC.h"

#include "CVZPDrawTools.h"

IMPLEMENT_DYNAMIC(CVZMemDC, CDC)

CVZMemDC::CVZMemDC(CDC* pDC, const CRect& rect, CVZPGradientColor clrBack, BOOL bHorz)
    : m_pDC(pDC), m_bValid(FALSE), m_rect(rect), m_hOldBitmap(NULL)
{
    if (m_rect.IsRectEmpty())
        pDC->GetClipBox(&m_rect);
    if (!CreateCompatibleDC(pDC))
        return;
    SetMapMode(pDC->GetMapMode());
    if (m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height()))
        m_hOldBitmap = static_cast<HBITMAP>(::SelectObject(m_hDC, m_bitmap.m_hObject));
    if (!clrBack.m_clrEnd.IsEmpty())
    {
        const CRect rcFill(0, 0, m_rect.Width(), m_rect.Height());
        CVZPDrawTools::FillGradientColor(this, rcFill, &clrBack, bHorz, NULL);
    }
    m_bValid = TRUE;
}

CVZMemDC::~CVZMemDC()
{
    if (m_bValid)
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, 0, 0, SRCCOPY);
    if (m_hOldBitmap != NULL)
    {
        ::SelectObject(m_hDC, m_hOldBitmap);
        m_bitmap.DeleteObject();
    }
    DeleteDC();
}
