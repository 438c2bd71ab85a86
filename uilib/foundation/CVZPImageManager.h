// The store of command images: for each command id an icon set holds its
// image at each width. Images come from image lists, bitmap strips (classic
// with a mask colour, or 32-bit with alpha), toolbar resources and single
// images. A request for a width that is not stored gets the nearest width or
// a resampled copy. One process-wide instance (GetImageManager) serves every
// owner without one of its own; sets can be stored through the property
// exchange and copied through the clipboard.
#pragma once

#include "CVZPImageManagerIconSet.h"

#include <afxcmn.h>
#include <afxtempl.h>

class COleDataObject;
class CVZPPropExchange;

// The image slot an operation fills.
enum VZPImageState
{
    vzpImageNormal = 0,
    vzpImageDisabled = 1,
    vzpImageHot = 2,
    vzpImageChecked = 3,
};

class CVZPImageManager : public CCmdTarget
{
public:
    CVZPImageManager();
    ~CVZPImageManager() override;

    // The handle is always copied. A variant (states 1 to 3) needs the
    // normal image first.
    BOOL SetIcon(const CVZPImageManagerIconHandle& handle, UINT nID, SIZE size = SIZE{ 0, 0 },
                 VZPImageState state = vzpImageNormal);
    // One image per id (0 ids are separators when ids are given; without
    // ids, image i is stored under i).
    BOOL SetIcons(CImageList* pImageList, const UINT* pIDs = NULL, int nCount = 0, SIZE size = SIZE{ 0, 0 },
                  VZPImageState state = vzpImageNormal);
    // The images of a bitmap resource (its 32-bit alpha form when it has
    // one); a size of 0 x 0 splits the strip evenly among the ids.
    BOOL SetIconsFromResource(UINT nBitmapID, const UINT* pIDs, int nCount, SIZE size = SIZE{ 0, 0 },
                              VZPImageState state = vzpImageNormal);
    // The images of a toolbar resource's non-zero ids from a bitmap.
    BOOL LoadToolBar(UINT nToolBarID, UINT nBitmapID, VZPImageState state = vzpImageNormal);
    BOOL LoadToolBarIcons(UINT nID, VZPImageState state = vzpImageNormal);
    // Stores the image under the next custom id (0x10AAB first).
    UINT AddCustomIcon(const CVZPImageManagerIconHandle& handle);

    CVZPImageManagerIcon* GetImage(UINT nID, int nWidth = 0);
    CVZPImageManagerIconSet* GetIconSet(UINT nID) const;
    void RemoveAll();
    // Drops generated images and resampled copies (after a colour change).
    void RefreshAll();
    BOOL IsAlphaIconsSupported() const { return m_pfnAlphaBlend != NULL; }

    // Puts the id's icon set on the open clipboard.
    BOOL CopyIconToClipboard(UINT nID);
    // A pasted icon set stored under a new custom id; 0 when there is none
    // or it cannot be read.
    UINT PasteIconFromDataObject(COleDataObject* pData);

    void DoPropExchangeIconSet(UINT nID, CVZPPropExchange* pPX);
    void DoPropExchange(CVZPPropExchange* pPX);
    void Serialize(CArchive& ar) override;

    typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

    COLORREF m_clrMask;                // classic strips' mask; -1: the top-left pixel
    CMap<UINT, UINT, CVZPImageManagerIconSet*, CVZPImageManagerIconSet*> m_mapIcons;
    UINT m_nCustomID;                  // the last custom id given
    HMODULE m_hMsImg32;
    PFNALPHABLEND m_pfnAlphaBlend;     // alpha images are drawn only with it
    BOOL m_bDrawReverse;               // icons drawn mirrored (right to left)

private:
    BOOL SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pIDs, int nCount, SIZE size, VZPImageState state);
    BOOL AddStrip(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy, VZPImageState state, BOOL bAlpha);
    BOOL AddAlphaStrip(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, VZPImageState state);
};

// The process-wide image manager (made by the foundation's start-up).
CVZPImageManager* GetImageManager();
// Clipboard formats registered at start-up: an icon set, and the marker that
// the clipboard's bitmap has alpha.
CLIPFORMAT VZPGetIconSetClipboardFormat();
CLIPFORMAT VZPGetAlphaBitmapClipboardFormat();
// TRUE when comctl32 reports version 6 or later.
BOOL IsComCtl32Version6();

// Start-up and exit of the process-wide instance and the clipboard formats.
void VZPImageManagerStartup();
void VZPImageManagerShutdown();
