#include "CBrushSelector.h"

CBrushSelector::CBrushSelector(CDC* pDC, COLORREF cr)
    : CVZPBrushSelector(pDC->GetSafeHdc(), cr == CLR_NONE ? 0 : cr), m_hDC(pDC->GetSafeHdc())
{
    if (cr == CLR_NONE)
        ::SelectObject(m_hDC, ::GetStockObject(NULL_BRUSH));
}

void CBrushSelector::SetColor(COLORREF cr)
{
    // The owned solid brush stays until the next colour or the end of the
    // scope; the hollow stock brush only covers it.
    CVZPBrushSelector::SetColor(cr == CLR_NONE ? 0 : cr);
    if (cr == CLR_NONE)
        ::SelectObject(m_hDC, ::GetStockObject(NULL_BRUSH));
}
