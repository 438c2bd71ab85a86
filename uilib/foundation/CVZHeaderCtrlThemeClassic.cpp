#include "CVZHeaderCtrlThemeClassic.h"

#include <commctrl.h>

#include <algorithm>

#include "CVZHeaderCtrl.h"
#include "CVZPColorManager.h"
#include "VZPSelectors.h"

namespace {

// One header item as the drawing operations pass it around.
DRAWITEMSTRUCT MakeDrawItem(CDC* pDC, CVZHeaderCtrl* pHeader, UINT nItem, UINT nState, const CRect& rect,
                            HDITEMW* pItem)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_HEADER;
    dis.CtlID = 0;
    dis.itemID = nItem;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = nState;
    dis.hwndItem = pHeader->GetSafeHwnd();
    dis.hDC = pDC->GetSafeHdc();
    dis.rcItem = rect;
    dis.itemData = reinterpret_cast<ULONG_PTR>(pItem);
    return dis;
}

}  // namespace

CVZHeaderCtrlThemeClassic::CVZHeaderCtrlThemeClassic()
    : m_nArrowGap(10),
      m_dwDrawFlags(drawVisualStyle | drawHotTracking | drawSortArrow),
      m_bUseVisualStyle(FALSE),
      m_nTextMargin(6),
      m_nTextTop(0),
      m_nArrowWidth(8),
      m_nArrowHeight(7),
      m_clrText(0),
      m_clrFace(0),
      m_clrShadow(0),
      m_clrDarkShadow(0),
      m_clrHighlight(0)
{
}

void CVZHeaderCtrlThemeClassic::RefreshMetrics()
{
    CVZThemeManagerStyle::RefreshMetrics();
    CVZPColorManager* pColors = GetColorManager();
    m_clrText = pColors->GetColor(COLOR_BTNTEXT);
    m_clrFace = pColors->GetColor(COLOR_3DFACE);
    m_clrShadow = pColors->GetColor(COLOR_3DSHADOW);
    m_clrDarkShadow = pColors->GetColor(COLOR_3DDKSHADOW);
    m_clrHighlight = pColors->GetColor(COLOR_3DHIGHLIGHT);
}

void CVZHeaderCtrlThemeClassic::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    CVZPPenSelector pen(pDC->GetSafeHdc(), clr);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CVZHeaderCtrlThemeClassic::DrawHeader(CDC* pDC, CVZHeaderCtrl* pHeader)
{
    CRect rcClient;
    pHeader->GetClientRect(&rcClient);
    DRAWITEMSTRUCT disBack = MakeDrawItem(pDC, pHeader, 0, 0, rcClient, NULL);
    if (!m_bUseVisualStyle || !DrawThemedHeaderBackground(&disBack))
        DrawHeaderBackground(&disBack);

    HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), reinterpret_cast<HGDIOBJ>(pHeader->SendMessage(WM_GETFONT)));
    pDC->SetBkColor(m_clrFace);
    pDC->SetTextColor(m_clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    // Display positions to columns.
    const int nCount = pHeader->GetItemCount();
    CArray<int, int> order;
    order.SetSize(nCount > 0 ? nCount : 0);
    for (int i = 0; i < nCount; i++)
        order[i] = i;
    for (int i = 0; i < nCount; i++)
    {
        HDITEMW item = {};
        item.mask = HDI_ORDER;
        if (pHeader->GetItem(i, &item) && item.iOrder >= 0 && item.iOrder < nCount)
            order[item.iOrder] = i;
    }

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pHeader->ScreenToClient(&ptCursor);
    HDHITTESTINFO hit = {};
    hit.pt = ptCursor;
    const int nHotColumn = (m_dwDrawFlags & drawHotTracking) ? pHeader->HitTest(&hit) : -1;

    int x = 0;
    for (int nPos = 0; nPos < nCount; nPos++)
    {
        const int nColumn = order[nPos];
        wchar_t szText[256] = L"";
        HDITEMW item = {};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_ORDER;
        item.pszText = szText;
        item.cchTextMax = 255;
        if (!pHeader->GetItem(nColumn, &item))
            continue;
        UINT nState = 0;
        if (nHotColumn == nColumn && (hit.flags & HHT_ONHEADER))
            nState = itemHot;
        if (pHeader->IsItemPressed(nColumn))
            nState = itemPressed;
        DRAWITEMSTRUCT dis = MakeDrawItem(pDC, pHeader, nColumn, nState,
                                          CRect(x, rcClient.top, x + item.cxy, rcClient.bottom), &item);
        if (!m_bUseVisualStyle || !DrawThemedItem(&dis))
            DrawItemBackground(&dis);
        DrawHeaderItem(&dis, pHeader);
        x += item.cxy;
    }

    pDC->SetBkMode(nOldMode);
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
}

BOOL CVZHeaderCtrlThemeClassic::UseHeaderVisualStyle(CVZHeaderCtrl* pHeader)
{
    if ((m_dwDrawFlags & drawVisualStyle) == 0)
        return FALSE;
    if (m_visualStyle.GetHandle() == NULL && pHeader != NULL)
        m_visualStyle.Open(pHeader->GetSafeHwnd(), L"HEADER");
    return CVZPVisualStyle::IsThemingAvailable() && m_visualStyle.GetHandle() != NULL;
}

void CVZHeaderCtrlThemeClassic::SetDrawFlags(DWORD dwFlags, CVZHeaderCtrl* pHeader)
{
    m_dwDrawFlags = dwFlags;
    m_bUseVisualStyle = UseHeaderVisualStyle(pHeader) && (dwFlags & drawVisualStyle);
}

DWORD CVZHeaderCtrlThemeClassic::GetDrawFlags() const
{
    return m_dwDrawFlags;
}

BOOL CVZHeaderCtrlThemeClassic::LayoutHeader(HDLAYOUT* /*pLayout*/, CVZHeaderCtrl* /*pHeader*/)
{
    return FALSE;
}

void CVZHeaderCtrlThemeClassic::ReleaseItemImages(CVZHeaderCtrl* pHeader)
{
    const int nCount = pHeader->GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        HDITEMW item = {};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        if (pHeader->GetItem(i, &item) && (item.fmt & HDF_BITMAP) && item.hbm != NULL)
        {
            ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
            item.mask = HDI_FORMAT | HDI_BITMAP;
            item.fmt &= ~HDF_BITMAP;
            item.hbm = NULL;
            pHeader->SetItem(i, &item);
        }
    }
}

BOOL CVZHeaderCtrlThemeClassic::SetItemBitmap(int nColumn, UINT nBitmapID, BOOL bRemove, COLORREF clrMask,
                                              CVZHeaderCtrl* pHeader)
{
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    if (!pHeader->GetItem(nColumn, &item))
        return FALSE;
    if ((item.fmt & HDF_BITMAP) && item.hbm != NULL)
        ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
    item.fmt &= ~HDF_BITMAP;
    item.hbm = NULL;
    pHeader->SetItem(nColumn, &item);
    pHeader->Invalidate();
    if (bRemove)
        return FALSE;

    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nBitmapID), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (hBitmap == NULL)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    HIMAGELIST hImages = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    BOOL bDone = hImages != NULL && ImageList_AddMasked(hImages, hBitmap, clrMask) >= 0;
    if (bDone)
    {
        // The image list rides in the bitmap field; HDF_BITMAP alone marks it.
        item.mask = HDI_FORMAT | HDI_BITMAP;
        item.fmt = HDF_BITMAP;
        item.hbm = reinterpret_cast<HBITMAP>(hImages);
        bDone = pHeader->SetItem(nColumn, &item);
    }
    if (!bDone && hImages != NULL)
        ImageList_Destroy(hImages);
    ::DeleteObject(hBitmap);
    pHeader->Invalidate();
    return bDone;
}

void CVZHeaderCtrlThemeClassic::DrawHeaderBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    pDC->FillSolidRect(rect, m_clrFace);
    rect.right += 2;
    pDC->Draw3dRect(rect, m_clrHighlight, m_clrDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, m_clrFace, m_clrShadow);
}

BOOL CVZHeaderCtrlThemeClassic::DrawThemedHeaderBackground(LPDRAWITEMSTRUCT lpDIS)
{
    if ((m_dwDrawFlags & drawHotTracking) == 0)
        return FALSE;
    return SUCCEEDED(m_visualStyle.DrawBackground(lpDIS->hDC, 0, 1, &lpDIS->rcItem, NULL));
}

void CVZHeaderCtrlThemeClassic::DrawItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect r(lpDIS->rcItem);
    if (lpDIS->itemState & itemPressed)
    {
        pDC->Draw3dRect(r, m_clrShadow, m_clrShadow);
        DrawLine(pDC, r.right, 1, r.right, r.bottom - 1, m_clrHighlight);
        DrawLine(pDC, r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 2, m_clrFace);
    }
    else
    {
        DrawLine(pDC, r.right - 2, 1, r.right - 2, r.bottom - 1, m_clrShadow);
        DrawLine(pDC, r.right - 1, 0, r.right - 1, r.bottom - 1, m_clrDarkShadow);
        DrawLine(pDC, r.right, 1, r.right, r.bottom - 1, m_clrHighlight);
    }
}

BOOL CVZHeaderCtrlThemeClassic::DrawThemedItem(LPDRAWITEMSTRUCT lpDIS)
{
    int nState = 1;
    if (lpDIS->itemState == itemPressed)
        nState = 3;
    else if (lpDIS->itemState == itemHot)
        nState = 2;
    return SUCCEEDED(m_visualStyle.DrawBackground(lpDIS->hDC, 1 /* HP_HEADERITEM */, nState, &lpDIS->rcItem, NULL));
}

void CVZHeaderCtrlThemeClassic::DrawSortArrow(LPDRAWITEMSTRUCT lpDIS, BOOL bAscending)
{
    const CRect& rcText = *reinterpret_cast<CRect*>(&lpDIS->rcItem);
    int x = rcText.right + m_nArrowGap;
    if (x < rcText.left)
        return;
    int y = (rcText.bottom - m_nArrowHeight - rcText.top) / 2 + rcText.top;
    if (lpDIS->itemState == itemPressed)
        x += 1;
    else
        y -= 1;
    const int yBase = bAscending ? y + m_nArrowHeight : y;
    const int yTip = bAscending ? y : y + m_nArrowHeight;
    const CPoint points[3] = {CPoint(x, yBase), CPoint(x + (m_nArrowWidth / 2) * 2, yBase),
                              CPoint(x + m_nArrowWidth / 2, yTip)};
    DrawArrowTriangle(CDC::FromHandle(lpDIS->hDC), points, bAscending);
}

void CVZHeaderCtrlThemeClassic::DrawArrowTriangle(CDC* pDC, const CPoint* pPoints, BOOL bAscending)
{
    HDC hDC = pDC->GetSafeHdc();
    if (bAscending)
    {
        {
            CVZPPenSelector pen(hDC, m_clrHighlight);
            pDC->MoveTo(pPoints[2]);
            pDC->LineTo(pPoints[1]);
            pDC->LineTo(pPoints[0]);
        }
        CVZPPenSelector pen(hDC, m_clrShadow);
        pDC->LineTo(pPoints[2]);
    }
    else
    {
        {
            CVZPPenSelector pen(hDC, m_clrShadow);
            pDC->MoveTo(pPoints[2]);
            pDC->LineTo(pPoints[0]);
            pDC->LineTo(pPoints[1]);
        }
        CVZPPenSelector pen(hDC, m_clrHighlight);
        pDC->MoveTo(pPoints[2]);
        pDC->LineTo(pPoints[1]);
    }
}

void CVZHeaderCtrlThemeClassic::DrawHeaderItem(LPDRAWITEMSTRUCT lpDIS, CVZHeaderCtrl* pHeader)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const HDITEMW* pItem = reinterpret_cast<const HDITEMW*>(lpDIS->itemData);
    if (pItem == NULL)
        return;
    HGDIOBJ hOldFont = ::SelectObject(lpDIS->hDC, reinterpret_cast<HGDIOBJ>(pHeader->SendMessage(WM_GETFONT)));

    CRect r(lpDIS->rcItem);
    r.DeflateRect(m_nTextMargin, 0);
    BOOL bAscending = TRUE;
    const BOOL bSortColumn = pHeader->GetSortImage(&bAscending) == static_cast<int>(lpDIS->itemID);
    if (bSortColumn)
        r.right -= 2 * m_nArrowGap + m_nArrowWidth;

    const LPCWSTR pszText = pItem->pszText != NULL ? pItem->pszText : L"";
    const int nLength = lstrlenW(pszText);
    CSize szText(0, 0);
    ::GetTextExtentPoint32W(lpDIS->hDC, pszText, nLength, &szText);
    CRect t(r.left, 0, r.right, 0);
    t.top = m_nTextTop > 0 ? m_nTextTop : (r.bottom - szText.cy - r.top) / 2;
    t.bottom = t.top + szText.cy;

    if ((pItem->fmt & HDF_BITMAP) && pItem->hbm != NULL)
        DrawItemBitmap(lpDIS, t, pHeader);

    switch (pItem->fmt & HDF_JUSTIFYMASK)
    {
    case HDF_RIGHT:
        t.left = t.right - szText.cx;
        break;
    case HDF_CENTER:
        t.left += (r.right - szText.cx - r.left) / 2;
        t.right = t.left + szText.cx;
        break;
    default:
        t.right = t.left + szText.cx;
        break;
    }
    t.left = std::max(t.left, r.left);
    t.right = std::min(t.right, r.right);

    if ((m_dwDrawFlags & drawSortArrow) && bSortColumn)
    {
        DRAWITEMSTRUCT disArrow = *lpDIS;
        disArrow.rcItem = t;
        DrawSortArrow(&disArrow, bAscending);
    }
    if (!t.IsRectEmpty())
    {
        if (lpDIS->itemState == itemPressed)
            t.OffsetRect(1, 1);
        pDC->DrawText(pszText, nLength, &t, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    ::SelectObject(lpDIS->hDC, hOldFont);
}

void CVZHeaderCtrlThemeClassic::DrawItemBitmap(LPDRAWITEMSTRUCT lpDIS, CRect& rcText, CVZHeaderCtrl* pHeader)
{
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    if (!pHeader->GetItem(lpDIS->itemID, &item) || (item.fmt & HDF_BITMAP) == 0 || item.hbm == NULL)
        return;
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(item.hbm);
    int cx = 0;
    int cy = 0;
    if (!ImageList_GetIconSize(hImages, &cx, &cy))
        return;
    const CRect& rcItem = *reinterpret_cast<CRect*>(&lpDIS->rcItem);
    rcText.left += m_nTextMargin + cx;
    int x = rcItem.left + m_nTextMargin;
    int y = (rcItem.Height() - cy) / 2;
    if (lpDIS->itemState == itemPressed)
    {
        x++;
        y++;
    }
    if (x + cx <= rcItem.right)
        ImageList_Draw(hImages, 0, lpDIS->hDC, x, y, ILD_TRANSPARENT);
}
