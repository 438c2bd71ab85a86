// afxext.h - extensions: the bitmap button (control bars join later).
#pragma once
#ifndef __AFXEXT_H__
#define __AFXEXT_H__

#include <afxwin.h>
#include <afxdlgs.h>

// Owner-drawn button showing one of up to four bitmaps for its states
// (up, down, focused, disabled).
class CBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CBitmapButton)
public:
    CBitmapButton() {}
    BOOL LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel = NULL,
                     LPCTSTR lpszBitmapResourceFocus = NULL, LPCTSTR lpszBitmapResourceDisabled = NULL);
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0, UINT nIDBitmapResourceFocus = 0,
                     UINT nIDBitmapResourceDisabled = 0);
    BOOL AutoLoad(UINT nID, CWnd* pParent);
    void SizeToContent();

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
};

#endif // __AFXEXT_H__
