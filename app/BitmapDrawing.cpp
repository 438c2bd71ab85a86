#include "BitmapDrawing.h"

#include "resource.h"

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

void DrawStepSkin(CDC* pDC, CWnd* pWnd, UINT nLeftBanner, CFont& modeFont, const CString& strModeText,
                  int& nLeftBannerWidth, int& nRightBannerLeft)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    DrawBitmapResource(pDC, IDB_STEP_BACKGROUND, 0, 0, rc.Width(), rc.Height());
    nLeftBannerWidth = DrawBitmapResource(pDC, nLeftBanner, 0, 0).cx;
    CBitmap right;
    BITMAP bm = {};
    if (right.LoadBitmap(IDB_STEP_BANNER_RIGHT) && right.GetBitmap(&bm)) {
        nRightBannerLeft = rc.right - bm.bmWidth;
        DrawBitmapResource(pDC, IDB_STEP_BANNER_RIGHT, nRightBannerLeft, 0);
    }
    CBitmap middle;
    BITMAP mid = {};
    if (middle.LoadBitmap(IDB_STEP_BANNER_MIDDLE) && middle.GetBitmap(&mid) && mid.bmHeight > 1)
        DrawBitmapResource(pDC, IDB_STEP_BANNER_MIDDLE, nLeftBannerWidth, 0, nRightBannerLeft - nLeftBannerWidth,
                           mid.bmHeight - 1, 1);
    CFont* pOld = pDC->SelectObject(&modeFont);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect text(rc.left + 25, rc.bottom - 40, rc.left + 250, rc.bottom);
    pDC->DrawText(strModeText, &text, DT_LEFT | DT_TOP | DT_NOCLIP);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOld);
}
