#include "CBitmapPairButton.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CBitmapPairButton, CBitmapButton)

namespace {

HBITMAP LoadButtonBitmap(UINT nID)
{
    if (nID == 0)
        return NULL;
    LPCTSTR lpszName = MAKEINTRESOURCE(nID);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    return (HBITMAP)::LoadImage(hInst, lpszName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
}

}  // namespace

BOOL TrackHoverAndLeave(CWnd* pWnd)
{
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = pWnd->GetSafeHwnd();
    tme.dwHoverTime = 1;
    return ::_TrackMouseEvent(&tme);
}

CBitmapPairButton::CBitmapPairButton() : m_nWidth(0), m_nHeight(0) {}

CBitmapPairButton::~CBitmapPairButton() = default;

BOOL CBitmapPairButton::LoadBitmaps(UINT nIDNormal, UINT nIDHover)
{
    m_bitmapNormal.DeleteObject();
    m_bitmapHover.DeleteObject();
    HBITMAP hNormal = LoadButtonBitmap(nIDNormal);
    if (hNormal == NULL)
        return FALSE;
    m_bitmapNormal.Attach(hNormal);
    HBITMAP hHover = LoadButtonBitmap(nIDHover);
    if (hHover != NULL)
        m_bitmapHover.Attach(hHover);
    BITMAP bm = {};
    m_bitmapNormal.GetBitmap(&bm);
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight;
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

void CBitmapPairButton::DrawImage(LPDRAWITEMSTRUCT lpDrawItemStruct, BOOL bHover)
{
    CBitmap& bitmap = bHover && m_bitmapHover.GetSafeHandle() != NULL ? m_bitmapHover : m_bitmapNormal;
    if (bitmap.GetSafeHandle() == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOld = dcMem.SelectObject(&bitmap);
    pDC->BitBlt(0, 0, m_nWidth, m_nHeight, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}
