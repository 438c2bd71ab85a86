#include "CVZPImageManager.h"

#include "CVZPPropExchangeArchive.h"
#include "CVZPPropExchangeIterator.h"
#include "VZPAlphaBitmap.h"

#include <afxole.h>
#include <afxpriv.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <vector>

namespace {

CVZPImageManager* g_pImageManager = NULL;
CLIPFORMAT g_cfIconSet = 0;
CLIPFORMAT g_cfAlphaBitmap = 0;

const wchar_t kCheckSum[] = L"CVZPImageManagerIcons";

COLORREF TopLeftPixel(HBITMAP hBitmap)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    COLORREF clr = ::GetPixel(hDC, 0, 0);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return clr;
}

}  // namespace

CVZPImageManager* GetImageManager()
{
    return g_pImageManager;
}

CLIPFORMAT VZPGetIconSetClipboardFormat()
{
    return g_cfIconSet;
}

CLIPFORMAT VZPGetAlphaBitmapClipboardFormat()
{
    return g_cfAlphaBitmap;
}

void VZPImageManagerStartup()
{
    g_cfIconSet = (CLIPFORMAT)::RegisterClipboardFormatW(L"Vozovu ToolBar Image");
    g_cfAlphaBitmap = (CLIPFORMAT)::RegisterClipboardFormatW(L"Alpha Bitmap Image");
    if (g_pImageManager == NULL)
        g_pImageManager = new CVZPImageManager;
}

void VZPImageManagerShutdown()
{
    if (g_pImageManager != NULL)
    {
        g_pImageManager->InternalRelease();
        g_pImageManager = NULL;
    }
}

BOOL IsComCtl32Version6()
{
    HMODULE hModule = ::LoadLibraryW(L"comctl32.dll");
    if (hModule == NULL)
        return FALSE;
    BOOL bResult = FALSE;
    typedef HRESULT(CALLBACK * PFNDLLGETVERSION)(DLLVERSIONINFO*);
    PFNDLLGETVERSION pfn = (PFNDLLGETVERSION)(void*)::GetProcAddress(hModule, "DllGetVersion");
    if (pfn != NULL)
    {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        bResult = SUCCEEDED(pfn(&info)) && info.dwMajorVersion >= 6;
    }
    ::FreeLibrary(hModule);
    return bResult;
}

CVZPImageManager::CVZPImageManager()
    : m_clrMask((COLORREF)-1), m_nCustomID(0x10AAA), m_hMsImg32(::LoadLibraryW(L"msimg32.dll")),
      m_pfnAlphaBlend(NULL), m_bDrawReverse(FALSE)
{
    if (m_hMsImg32 != NULL)
        m_pfnAlphaBlend = (PFNALPHABLEND)(void*)::GetProcAddress(m_hMsImg32, "AlphaBlend");
}

CVZPImageManager::~CVZPImageManager()
{
    RemoveAll();
    if (m_hMsImg32 != NULL)
        ::FreeLibrary(m_hMsImg32);
}

CVZPImageManagerIconSet* CVZPImageManager::GetIconSet(UINT nID) const
{
    CVZPImageManagerIconSet* pSet = NULL;
    return m_mapIcons.Lookup(nID, pSet) ? pSet : NULL;
}

CVZPImageManagerIcon* CVZPImageManager::GetImage(UINT nID, int nWidth)
{
    CVZPImageManagerIconSet* pSet = GetIconSet(nID);
    return pSet != NULL ? pSet->GetIcon((UINT)nWidth, TRUE) : NULL;
}

void CVZPImageManager::RemoveAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CVZPImageManagerIconSet* pSet = NULL;
        m_mapIcons.GetNextAssoc(pos, nID, pSet);
        pSet->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}

void CVZPImageManager::RefreshAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CVZPImageManagerIconSet* pSet = NULL;
        m_mapIcons.GetNextAssoc(pos, nID, pSet);
        pSet->RemoveScaled();
    }
}

BOOL CVZPImageManager::SetIcon(const CVZPImageManagerIconHandle& handle, UINT nID, SIZE size, VZPImageState state)
{
    if (handle.IsEmpty())
        return FALSE;
    if (size.cx == 0 && size.cy == 0)
        size = handle.GetExtent();
    if (size.cx == 0 && size.cy == 0)
        return FALSE;
    CVZPImageManagerIconSet* pSet = GetIconSet(nID);
    if (pSet == NULL)
    {
        if (state != vzpImageNormal)
            return FALSE;   // a variant needs the normal image first
        pSet = new CVZPImageManagerIconSet(nID, this);
        m_mapIcons.SetAt(nID, pSet);
    }
    switch (state)
    {
    case vzpImageNormal: pSet->SetIcon(handle, (UINT)size.cx); break;
    case vzpImageDisabled: pSet->SetDisabledIcon(handle, (UINT)size.cx); break;
    case vzpImageHot: pSet->SetHotIcon(handle, (UINT)size.cx); break;
    case vzpImageChecked: pSet->SetCheckedIcon(handle, (UINT)size.cx); break;
    }
    return TRUE;
}

BOOL CVZPImageManager::SetIcons(CImageList* pImageList, const UINT* pIDs, int nCount, SIZE size, VZPImageState state)
{
    return pImageList != NULL && SetIconsFromImageList(pImageList->m_hImageList, pIDs, nCount, size, state);
}

BOOL CVZPImageManager::SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pIDs, int nCount, SIZE size,
                                             VZPImageState state)
{
    if (hImageList == NULL)
        return FALSE;
    int nImages = ImageList_GetImageCount(hImageList);
    if (nCount == 0 && pIDs == NULL)
        nCount = nImages;
    if (size.cx == 0 && size.cy == 0 && nCount > 0)
    {
        IMAGEINFO info = {};
        ImageList_GetImageInfo(hImageList, 0, &info);
        size = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    }
    BOOL bAll = nCount == nImages;
    for (int i = 0, n = 0; i < nCount; i++)
    {
        if (pIDs != NULL && !bAll && pIDs[i] == 0)
            continue;   // a separator
        HICON hIcon = ImageList_GetIcon(hImageList, n, ILD_NORMAL);
        if (hIcon == NULL)
            return FALSE;
        SetIcon(CVZPImageManagerIconHandle(hIcon), pIDs != NULL ? pIDs[i] : (UINT)i, size, state);
        ::DestroyIcon(hIcon);
        n++;
    }
    return TRUE;
}

BOOL CVZPImageManager::AddStrip(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy, VZPImageState state,
                                BOOL bAlpha)
{
    if (cx == 0)
        return FALSE;
    if (bAlpha)
        return AddAlphaStrip(hBitmap, pIDs, nCount, cx, state);
    HIMAGELIST hList = ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (hList == NULL)
        return FALSE;
    COLORREF clrMask = m_clrMask != (COLORREF)-1 ? m_clrMask : TopLeftPixel(hBitmap);
    BOOL bResult = ImageList_AddMasked(hList, hBitmap, clrMask) != -1 &&
                   SetIconsFromImageList(hList, pIDs, nCount, CSize(cx, cy), state);
    ImageList_Destroy(hList);
    return bResult;
}

BOOL CVZPImageManager::AddAlphaStrip(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, VZPImageState state)
{
    int nWidth = 0, nHeight = 0;
    const BYTE* pStrip = VZPDibPixels32(hBitmap, &nWidth, &nHeight);
    if (pStrip == NULL || nWidth % cx != 0)
        return FALSE;
    int nParts = nWidth / cx, nRows = abs(nHeight);
    DIBSECTION ds = {};
    ::GetObjectW(hBitmap, sizeof(ds), &ds);
    BITMAPINFOHEADER header = ds.dsBmih;
    header.biWidth = cx;
    header.biHeight = nHeight;   // the strip's row order
    std::vector<HBITMAP> parts;
    ::GdiFlush();
    for (int i = 0; i < nParts; i++)
    {
        BYTE* pBits = NULL;
        HBITMAP hPart = VZPCreateDib32(header, &pBits);
        if (hPart == NULL)
        {
            for (HBITMAP h : parts)
                ::DeleteObject(h);
            return FALSE;
        }
        for (int y = 0; y < nRows; y++)
            memcpy(pBits + (size_t)y * cx * 4, pStrip + ((size_t)y * nWidth + (size_t)i * cx) * 4, (size_t)cx * 4);
        parts.push_back(hPart);
    }
    BOOL bAll = nCount == nParts;
    for (int i = 0, n = 0; i < nCount && n < nParts; i++)
    {
        if (pIDs != NULL && !bAll && pIDs[i] == 0)
            continue;
        SetIcon(CVZPImageManagerIconHandle(parts[n]), pIDs != NULL ? pIDs[i] : (UINT)i, CSize(cx, nRows), state);
        n++;
    }
    for (HBITMAP h : parts)
        ::DeleteObject(h);
    return TRUE;
}

BOOL CVZPImageManager::SetIconsFromResource(UINT nBitmapID, const UINT* pIDs, int nCount, SIZE size,
                                            VZPImageState state)
{
    BOOL bAlpha = BitmapResourceDepth(nBitmapID) == 32;
    LPCWSTR lpszName = MAKEINTRESOURCEW(nBitmapID);
    HBITMAP hBitmap = bAlpha ? LoadAlphaBitmapResource(nBitmapID)
                             : ::LoadBitmapW(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName);
    if (hBitmap == NULL)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    BOOL bResult = FALSE;
    if (size.cx == 0 && size.cy == 0)
    {
        // Split evenly among the ids: a toolbar of separators only has none.
        if (nCount > 0)
            size = CSize(bm.bmWidth / nCount, bm.bmHeight);
    }
    if (size.cx > 0)
    {
        if (nCount == 0)
            nCount = bm.bmWidth / size.cx;
        bResult = AddStrip(hBitmap, pIDs, nCount, size.cx, size.cy, state, bAlpha);
    }
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CVZPImageManager::LoadToolBar(UINT nToolBarID, UINT nBitmapID, VZPImageState state)
{
    AFX_TOOLBAR_RESOURCE toolbar;
    if (!AfxReadToolBarResource(MAKEINTRESOURCEW(nToolBarID), toolbar))
        return FALSE;
    std::vector<UINT> ids;
    for (UINT nID : toolbar.ids)
        if (nID != 0)
            ids.push_back(nID);
    return SetIconsFromResource(nBitmapID, ids.data(), (int)ids.size(), CSize(0, 0), state);
}

BOOL CVZPImageManager::LoadToolBarIcons(UINT nID, VZPImageState state)
{
    return LoadToolBar(nID, nID, state);
}

UINT CVZPImageManager::AddCustomIcon(const CVZPImageManagerIconHandle& handle)
{
    m_nCustomID++;
    SetIcon(handle, m_nCustomID);
    return m_nCustomID;
}

BOOL CVZPImageManager::CopyIconToClipboard(UINT nID)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        CVZPPropExchangeArchive px(ar);
        DoPropExchangeIconSet(nID, &px);
        ar.Close();
    }
    UINT nBytes = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
    if (hGlobal != NULL)
    {
        memcpy(::GlobalLock(hGlobal), pData, nBytes);
        ::GlobalUnlock(hGlobal);
    }
    free(pData);
    if (hGlobal == NULL)
        return FALSE;
    if (::SetClipboardData(g_cfIconSet, hGlobal) == NULL)
    {
        ::GlobalFree(hGlobal);
        return FALSE;
    }
    return TRUE;
}

UINT CVZPImageManager::PasteIconFromDataObject(COleDataObject* pData)
{
    HGLOBAL hGlobal = pData->GetGlobalData(g_cfIconSet);
    if (hGlobal == NULL)
        return 0;
    UINT nID = ++m_nCustomID;
    BOOL bLoaded = FALSE;
    try
    {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
        file.SetHandle(hGlobal, FALSE);   // the file frees the block
        CArchive ar(&file, CArchive::load, 4096);
        CVZPPropExchangeArchive px(ar);
        DoPropExchangeIconSet(nID, &px);
        bLoaded = TRUE;
    }
    catch (CArchiveException* e)
    {
        e->Delete();
    }
    catch (COleException* e)
    {
        e->Delete();
    }
    if (bLoaded)
        return nID;
    // Nothing half-loaded stays behind under an id nobody knows.
    if (CVZPImageManagerIconSet* pSet = GetIconSet(nID))
    {
        m_mapIcons.RemoveKey(nID);
        pSet->InternalRelease();
    }
    return 0;
}

void CVZPImageManager::DoPropExchangeIconSet(UINT nID, CVZPPropExchange* pPX)
{
    if (nID > m_nCustomID)
        m_nCustomID = nID;
    CString strCheck(kCheckSum);
    PropExchangeString(pPX, L"CheckSum", &strCheck, kCheckSum);
    if (pPX->IsLoading() && strCheck != kCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);

    CVZPImageManagerIconSet* pSet = GetIconSet(nID);
    if (pPX->IsLoading())
    {
        if (pSet != NULL)
        {
            pSet->RemoveAll();
        }
        else
        {
            pSet = new CVZPImageManagerIconSet(nID, this);
            m_mapIcons.SetAt(nID, pSet);
        }
    }

    std::unique_ptr<CVZPPropExchangeIterator> pEnum(pPX->GetEnumerator(L"Icon"));
    if (!pPX->IsLoading())
    {
        std::vector<CVZPImageManagerIcon*> icons;
        POSITION posMap = pSet != NULL ? pSet->m_mapIcons.GetStartPosition() : NULL;
        while (posMap != NULL)
        {
            UINT nWidth = 0;
            CVZPImageManagerIcon* pIcon = NULL;
            pSet->m_mapIcons.GetNextAssoc(posMap, nWidth, pIcon);
            if (!pIcon->m_bScaled)
                icons.push_back(pIcon);
        }
        POSITION pos = pEnum->StartEnumeration((DWORD)icons.size(), TRUE);
        for (size_t i = 0; pos != 0 && i < icons.size(); i++)
        {
            CVZPPropExchangeSectionRef section(pEnum->GetNextSection(pos));
            int nWidth = icons[i]->m_nWidth;
            PropExchangeIntNoDefault(section, L"Width", &nWidth);
            PropExchangeSerialize(section, L"Data", icons[i]);
        }
        return;
    }
    POSITION pos = pEnum->StartEnumeration(0, TRUE);
    while (pos != 0)
    {
        CVZPPropExchangeSectionRef section(pEnum->GetNextSection(pos));
        int nWidth = 0;
        PropExchangeIntNoDefault(section, L"Width", &nWidth);
        CVZPImageManagerIcon* pIcon = new CVZPImageManagerIcon(nID, nWidth, 15, pSet);
        CVZPImageManagerIcon* pOld = NULL;
        if (pSet->m_mapIcons.Lookup((UINT)nWidth, pOld))
            pOld->InternalRelease();
        pSet->m_mapIcons.SetAt((UINT)nWidth, pIcon);
        // Icon data that cannot be read leaves the set unusable: the caller
        // is told as for any broken stored form.
        if (!PropExchangeSerialize(section, L"Data", pIcon))
            AfxThrowArchiveException(CArchiveException::generic);
    }
}

void CVZPImageManager::DoPropExchange(CVZPPropExchange* pPX)
{
    if (pPX->IsLoading())
        RemoveAll();
    std::unique_ptr<CVZPPropExchangeIterator> pEnum(pPX->GetEnumerator(L"IconSet"));
    std::vector<UINT> ids;
    POSITION posMap = m_mapIcons.GetStartPosition();
    while (posMap != NULL)
    {
        UINT nID = 0;
        CVZPImageManagerIconSet* pSet = NULL;
        m_mapIcons.GetNextAssoc(posMap, nID, pSet);
        ids.push_back(nID);
    }
    POSITION pos = pEnum->StartEnumeration((DWORD)ids.size(), TRUE);
    for (size_t i = 0; pos != 0; i++)
    {
        CVZPPropExchangeSectionRef section(pEnum->GetNextSection(pos));
        int nID = i < ids.size() ? (int)ids[i] : 0;
        PropExchangeIntNoDefault(section, L"Id", &nID);
        DoPropExchangeIconSet((UINT)nID, section);
    }
}

void CVZPImageManager::Serialize(CArchive& ar)
{
    CVZPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}
