// A bitmap that draws itself with every pixel of one colour left out.
#pragma once

#include <afxwin.h>

// The owner attaches a loaded bitmap; the bitmap is deleted with the object.
class CTransparentBitmap : public CBitmap
{
public:
    CTransparentBitmap();
    ~CTransparentBitmap() override;

    int GetWidth() const;
    int GetHeight() const;

    // Copies the bitmap to (x, y) of pDC except where it has crTransparent,
    // through a monochrome mask.
    virtual void Draw(CDC* pDC, int x, int y, COLORREF crTransparent = RGB(255, 255, 255));

    COLORREF m_crMaskText;     // text colour of the target while the mask is applied
    COLORREF m_crTransparent;
};
