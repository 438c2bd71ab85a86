#include "CVZPTransparentBitmap.h"

#include "CVZPCompatibleDC.h"

#include <commctrl.h>

COLORREF CVZPTransparentBitmap::GetTransparentColor() const
{
    if (::GetObjectType(m_hBitmap) == 0)
        return COLORREF(-1);
    CVZPCompatibleDC dc(NULL, CBitmap::FromHandle(m_hBitmap));
    return dc.GetPixel(0, 0);
}

HICON CVZPTransparentBitmap::ConvertToIcon() const
{
    BITMAP bm = {};
    if (::GetObject(m_hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth == 0 || bm.bmHeight == 0)
        return NULL;
    HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (hList == NULL)
        return NULL;
    ::ImageList_AddMasked(hList, m_hBitmap, GetTransparentColor());
    HICON hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ::ImageList_Destroy(hList);
    return hIcon;
}
