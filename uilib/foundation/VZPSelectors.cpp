#include "VZPSelectors.h"

CVZPObjectSelector::CVZPObjectSelector(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOldObject(NULL)
{
    if (hDC != NULL && hObject != NULL)
        m_hOldObject = ::SelectObject(hDC, hObject);
}

CVZPObjectSelector::~CVZPObjectSelector()
{
    if (m_hOldObject != NULL)
        ::SelectObject(m_hDC, m_hOldObject);
}

CVZPBitmapSelector::CVZPBitmapSelector(CDC* pDC, CBitmap* pBitmap)
    : CVZPObjectSelector(pDC != NULL ? pDC->GetSafeHdc() : NULL, pBitmap != NULL ? pBitmap->GetSafeHandle() : NULL)
{
}

CVZPFontSelector::CVZPFontSelector(CDC* pDC, CFont* pFont)
    : CVZPObjectSelector(pDC != NULL ? pDC->GetSafeHdc() : NULL, pFont != NULL ? pFont->GetSafeHandle() : NULL)
{
}

namespace {

// Puts the DC's previous object back and deletes the owned one.
void DeselectOwned(HDC hDC, HGDIOBJ& hOldObject, CGdiObject& owned)
{
    if (hOldObject != NULL)
        ::SelectObject(hDC, hOldObject);
    hOldObject = NULL;
    owned.DeleteObject();
}

// Replaces the owned object by hNew (which it takes over) and selects it.
void SelectOwned(HDC hDC, HGDIOBJ& hOldObject, CGdiObject& owned, HGDIOBJ hNew)
{
    DeselectOwned(hDC, hOldObject, owned);
    if (hNew != NULL && owned.Attach(hNew))
        hOldObject = ::SelectObject(hDC, hNew);
}

}  // namespace

CVZPPenSelector::CVZPPenSelector(HDC hDC, COLORREF clr) : m_hDC(hDC), m_hOldObject(NULL)
{
    SetColor(clr);
}

CVZPPenSelector::~CVZPPenSelector()
{
    DeselectOwned(m_hDC, m_hOldObject, m_pen);
}

void CVZPPenSelector::SetColor(COLORREF clr)
{
    SelectOwned(m_hDC, m_hOldObject, m_pen, ::CreatePen(PS_SOLID, 1, clr));
}

COLORREF CVZPPenSelector::GetColor() const
{
    LOGPEN lp = {};
    if (m_pen.m_hObject == NULL || ::GetObject(m_pen.m_hObject, sizeof(lp), &lp) == 0)
        return CLR_INVALID;
    return lp.lopnColor;
}

CVZPBrushSelector::CVZPBrushSelector(HDC hDC, COLORREF clr) : m_hDC(hDC), m_hOldObject(NULL)
{
    SetColor(clr);
}

CVZPBrushSelector::~CVZPBrushSelector()
{
    DeselectOwned(m_hDC, m_hOldObject, m_brush);
}

void CVZPBrushSelector::SetColor(COLORREF clr)
{
    SelectOwned(m_hDC, m_hOldObject, m_brush, ::CreateSolidBrush(clr));
}
