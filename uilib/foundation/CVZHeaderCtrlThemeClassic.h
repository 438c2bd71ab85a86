// Header themes: every pixel of a CVZHeaderCtrl is painted here. The classic
// theme draws raised 3-D items; the flat and shaded themes derive from it and
// change the background, the item lines and (shaded) the height.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CVZPVisualStyle.h"
#include "CVZThemeManagerStyle.h"

class CVZHeaderCtrl;

class CVZHeaderCtrlThemeClassic : public CVZThemeManagerStyle
{
public:
    // Draw flags.
    enum
    {
        drawVisualStyle = 1,
        drawHotTracking = 2,
        drawSortArrow = 4,
    };
    // itemState values of the items' DRAWITEMSTRUCT.
    enum
    {
        itemPressed = ODS_SELECTED,   // 1
        itemHot = ODS_HOTLIGHT,       // 0x40
    };

    CVZHeaderCtrlThemeClassic();

    // Reloads the five colours.
    void RefreshMetrics() override;

    // The whole header: background, then each item in display order.
    virtual void DrawHeader(CDC* pDC, CVZHeaderCtrl* pHeader);
    // TRUE when draw flag 1 is set and the "HEADER" visual style is usable.
    virtual BOOL UseHeaderVisualStyle(CVZHeaderCtrl* pHeader);
    virtual void SetDrawFlags(DWORD dwFlags, CVZHeaderCtrl* pHeader);
    virtual DWORD GetDrawFlags() const;
    // FALSE: the control lays itself out.
    virtual BOOL LayoutHeader(HDLAYOUT* pLayout, CVZHeaderCtrl* pHeader);
    // Destroys the image lists of every column shown with a bitmap.
    virtual void ReleaseItemImages(CVZHeaderCtrl* pHeader);
    // Gives the column the bitmap resource as its image (the mask colour
    // transparent), or removes its image; FALSE on failure or removal.
    virtual BOOL SetItemBitmap(int nColumn, UINT nBitmapID, BOOL bRemove, COLORREF clrMask, CVZHeaderCtrl* pHeader);
    virtual void DrawHeaderBackground(LPDRAWITEMSTRUCT lpDIS);
    virtual BOOL DrawThemedHeaderBackground(LPDRAWITEMSTRUCT lpDIS);
    virtual void DrawItemBackground(LPDRAWITEMSTRUCT lpDIS);
    virtual BOOL DrawThemedItem(LPDRAWITEMSTRUCT lpDIS);
    // The arrow to the right of the text rectangle in rcItem.
    virtual void DrawSortArrow(LPDRAWITEMSTRUCT lpDIS, BOOL bAscending);
    // The item's image, text and sort arrow.
    virtual void DrawHeaderItem(LPDRAWITEMSTRUCT lpDIS, CVZHeaderCtrl* pHeader);
    virtual void DrawItemBitmap(LPDRAWITEMSTRUCT lpDIS, CRect& rcText, CVZHeaderCtrl* pHeader);
    virtual void DrawArrowTriangle(CDC* pDC, const CPoint* pPoints, BOOL bAscending);

    int m_nArrowGap;
    DWORD m_dwDrawFlags;
    BOOL m_bUseVisualStyle;
    int m_nTextMargin;
    int m_nTextTop;        // 0 or less: centred
    int m_nArrowWidth;
    int m_nArrowHeight;
    COLORREF m_clrText;
    COLORREF m_clrFace;
    COLORREF m_clrShadow;
    COLORREF m_clrDarkShadow;
    COLORREF m_clrHighlight;
    CVZPVisualStyle m_visualStyle;

protected:
    // A one-pixel line from (x1, y1) to (x2, y2), the end point excluded.
    static void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr);
};
