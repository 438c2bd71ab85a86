// A memory device context that buffers the painting of a rectangle and copies
// itself back when it goes away.
#pragma once

#include <afxwin.h>

// On a screen context: a compatible memory context and bitmap of the
// rectangle, its window origin at the rectangle's corner, filled with the
// given context's background colour. When printing it draws straight into the
// given context.
class CProgressMemDC : public CDC
{
public:
    CProgressMemDC(CDC* pDC, const CRect& rect);
    ~CProgressMemDC() override;

private:
    CDC* m_pDC;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    BOOL m_bMemDC;
};
