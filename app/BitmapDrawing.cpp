#include "BitmapDrawing.h"

CSize DrawBitmapResource(CDC* pDC, UINT nId, int x, int y, int cx, int cy, int srcY)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nId))
        return CSize(0, 0);
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    if (cx < 0)
        pDC->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &memDC, 0, 0, SRCCOPY);
    else if (cx > 0 && cy > 0)
        pDC->StretchBlt(x, y, cx, cy, &memDC, 0, srcY, bm.bmWidth, bm.bmHeight - srcY, SRCCOPY);
    memDC.SelectObject(pOld);
    return CSize(bm.bmWidth, bm.bmHeight);
}
