// CBitmapButton
#include "wndstate.h"

#include <afxext.h>

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

BOOL CBitmapButton::LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel,
                                LPCTSTR lpszBitmapResourceFocus, LPCTSTR lpszBitmapResourceDisabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!m_bitmap.LoadBitmap(lpszBitmapResource))
        return FALSE;
    BOOL bAllLoaded = TRUE;
    if (lpszBitmapResourceSel != NULL && !m_bitmapSel.LoadBitmap(lpszBitmapResourceSel))
        bAllLoaded = FALSE;
    if (lpszBitmapResourceFocus != NULL && !m_bitmapFocus.LoadBitmap(lpszBitmapResourceFocus))
        bAllLoaded = FALSE;
    if (lpszBitmapResourceDisabled != NULL && !m_bitmapDisabled.LoadBitmap(lpszBitmapResourceDisabled))
        bAllLoaded = FALSE;
    return bAllLoaded;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    return LoadBitmaps(MAKEINTRESOURCE(nIDBitmapResource),
                       nIDBitmapResourceSel != 0 ? MAKEINTRESOURCE(nIDBitmapResourceSel) : NULL,
                       nIDBitmapResourceFocus != 0 ? MAKEINTRESOURCE(nIDBitmapResourceFocus) : NULL,
                       nIDBitmapResourceDisabled != 0 ? MAKEINTRESOURCE(nIDBitmapResourceDisabled) : NULL);
}

BOOL CBitmapButton::AutoLoad(UINT nID, CWnd* pParent)
{
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    // Bitmaps are named after the caption: "<text>U", "<text>D", "<text>F", "<text>X".
    CString strText;
    GetWindowText(strText);
    if (!LoadBitmaps(strText + _T("U"), strText + _T("D"), NULL, NULL))
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP bm = {};
    if (m_bitmap.m_hObject == NULL || !m_bitmap.GetBitmap(&bm))
        return;
    SetWindowPos(NULL, -1, -1, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CBitmap* pBitmap = &m_bitmap;
    UINT state = lpDIS->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.m_hObject != NULL)
        pBitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.m_hObject != NULL)
        pBitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.m_hObject != NULL)
        pBitmap = &m_bitmapDisabled;
    if (pBitmap->m_hObject == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOld = memDC.SelectObject(pBitmap);
    CRect rect(lpDIS->rcItem);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
}
