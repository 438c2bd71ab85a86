#include "CTransparentBitmap.h"

CTransparentBitmap::CTransparentBitmap() : m_crMaskText(RGB(0, 0, 0)), m_crTransparent(RGB(255, 255, 255)) {}

CTransparentBitmap::~CTransparentBitmap() = default;

int CTransparentBitmap::GetWidth() const
{
    BITMAP bm = {};
    return m_hObject != NULL && ::GetObject(m_hObject, sizeof(bm), &bm) != 0 ? bm.bmWidth : 0;
}

int CTransparentBitmap::GetHeight() const
{
    BITMAP bm = {};
    return m_hObject != NULL && ::GetObject(m_hObject, sizeof(bm), &bm) != 0 ? bm.bmHeight : 0;
}

void CTransparentBitmap::Draw(CDC* pDC, int x, int y, COLORREF crTransparent)
{
    int cx = GetWidth();
    int cy = GetHeight();
    if (cx <= 0 || cy <= 0)
        return;
    CDC dcImage;
    CDC dcMask;
    CBitmap bmMask;
    if (!dcImage.CreateCompatibleDC(pDC) || !dcMask.CreateCompatibleDC(pDC) ||
        !bmMask.CreateBitmap(cx, cy, 1, 1, NULL))
        return;
    HGDIOBJ hOldImage = dcImage.SelectObject(m_hObject);
    HGDIOBJ hOldMask = dcMask.SelectObject(bmMask.GetSafeHandle());

    // Colour to monochrome: pixels of the background colour become white,
    // all others black.
    dcImage.SetBkColor(crTransparent);
    dcMask.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCCOPY);

    // Monochrome to colour maps white to the background colour and black to
    // the text colour of the target. XOR, mask, XOR: the target survives
    // under the mask's white, the image shows under its black.
    COLORREF crOldBk = pDC->SetBkColor(RGB(255, 255, 255));
    COLORREF crOldText = pDC->SetTextColor(m_crMaskText);
    pDC->BitBlt(x, y, cx, cy, &dcImage, 0, 0, SRCINVERT);
    pDC->BitBlt(x, y, cx, cy, &dcMask, 0, 0, SRCAND);
    pDC->BitBlt(x, y, cx, cy, &dcImage, 0, 0, SRCINVERT);
    pDC->SetTextColor(crOldText);
    pDC->SetBkColor(crOldBk);

    dcMask.SelectObject(hOldMask);
    dcImage.SelectObject(hOldImage);
}
