// Drag and drop: drop targets, drop sources and data sources.
#include "framestate.h"
#include <afxole.h>
#include <shlobj.h>

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)

// An interface part's AddRef, Release and QueryInterface, forwarded to the
// object that owns the part.
#define OWNER_IUNKNOWN(theClass, localClass) \
    STDMETHODIMP_(ULONG) theClass::X##localClass::AddRef() \
    { \
        METHOD_PROLOGUE(theClass, localClass) \
        return pThis->ExternalAddRef(); \
    } \
    STDMETHODIMP_(ULONG) theClass::X##localClass::Release() \
    { \
        METHOD_PROLOGUE(theClass, localClass) \
        return pThis->ExternalRelease(); \
    } \
    STDMETHODIMP theClass::X##localClass::QueryInterface(REFIID iid, LPVOID* ppvObj) \
    { \
        METHOD_PROLOGUE(theClass, localClass) \
        return (HRESULT)pThis->ExternalQueryInterface(&iid, ppvObj); \
    }

// ---------------------------------------------------------------------------
// COleDropTarget

BEGIN_INTERFACE_MAP(COleDropTarget, CCmdTarget)
    INTERFACE_PART(COleDropTarget, IID_IDropTarget, DropTarget)
END_INTERFACE_MAP()

COleDropTarget::COleDropTarget() : m_hWnd(NULL), m_lpDataObject(NULL)
{
}

COleDropTarget::~COleDropTarget()
{
    if (m_hWnd != NULL)
        Revoke();
    if (m_lpDataObject != NULL)
        m_lpDataObject->Release();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL || m_hWnd != NULL)
        return FALSE;
    LPUNKNOWN lpUnknown = GetInterface(&IID_IUnknown);
    if (FAILED(::CoLockObjectExternal(lpUnknown, TRUE, FALSE)))
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, (LPDROPTARGET)GetInterface(&IID_IDropTarget))))
    {
        ::CoLockObjectExternal(lpUnknown, FALSE, FALSE);
        return FALSE;
    }
    m_hWnd = pWnd->m_hWnd;
    pWnd->m_pDropTarget = this;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == NULL)
        return;
    HWND hWnd = m_hWnd;
    m_hWnd = NULL;
    ::RevokeDragDrop(hWnd);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->m_pDropTarget == this)
        pWnd->m_pDropTarget = NULL;
    // Our own lock goes last: it may hold the last reference.
    InternalAddRef();
    ::CoLockObjectExternal(GetInterface(&IID_IUnknown), FALSE, TRUE);
    InternalRelease();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL ? pView->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL ? pView->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL && pView->OnDrop(pDataObject, dropEffect, point);
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                    DROPEFFECT dropList, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL ? pView->OnDropEx(pDataObject, dropDefault, dropList, point) : (DROPEFFECT)-1;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    if (pView != NULL)
        pView->OnDragLeave();
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    return pView != NULL ? pView->OnDragScroll(dwKeyState, point) : DROPEFFECT_NONE;
}

OWNER_IUNKNOWN(COleDropTarget, DropTarget)

// The window the drop target serves and the point in its client coordinates.
static CWnd* DropWindow(HWND hWnd, POINTL pt, CPoint& point)
{
    point = CPoint(pt.x, pt.y);
    ::ScreenToClient(hWnd, &point);
    return CWnd::FromHandle(hWnd);
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt,
                                                    LPDWORD pdwEffect)
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    if (pdwEffect == NULL)
        return E_POINTER;
    *pdwEffect = DROPEFFECT_NONE;
    if (pThis->m_hWnd == NULL || lpDataObject == NULL)
        return S_OK;
    if (pThis->m_lpDataObject != NULL)
        pThis->m_lpDataObject->Release();
    pThis->m_lpDataObject = lpDataObject;
    lpDataObject->AddRef();
    CPoint point;
    CWnd* pWnd = DropWindow(pThis->m_hWnd, pt, point);
    COleDataObject dataObject;
    dataObject.Attach(lpDataObject, FALSE);
    DROPEFFECT dwEffect = pThis->OnDragScroll(pWnd, dwKeyState, point);
    if ((dwEffect & DROPEFFECT_SCROLL) == 0)
        dwEffect = pThis->OnDragEnter(pWnd, &dataObject, dwKeyState, point);
    *pdwEffect = dwEffect;
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD dwKeyState, POINTL pt, LPDWORD pdwEffect)
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    if (pdwEffect == NULL)
        return E_POINTER;
    *pdwEffect = DROPEFFECT_NONE;
    if (pThis->m_hWnd == NULL || pThis->m_lpDataObject == NULL)
        return S_OK;
    CPoint point;
    CWnd* pWnd = DropWindow(pThis->m_hWnd, pt, point);
    COleDataObject dataObject;
    dataObject.Attach(pThis->m_lpDataObject, FALSE);
    DROPEFFECT dwEffect = pThis->OnDragScroll(pWnd, dwKeyState, point);
    if ((dwEffect & DROPEFFECT_SCROLL) == 0)
        dwEffect = pThis->OnDragOver(pWnd, &dataObject, dwKeyState, point);
    *pdwEffect = dwEffect;
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    if (pThis->m_hWnd != NULL)
        pThis->OnDragLeave(CWnd::FromHandle(pThis->m_hWnd));
    if (pThis->m_lpDataObject != NULL)
    {
        pThis->m_lpDataObject->Release();
        pThis->m_lpDataObject = NULL;
    }
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt,
                                               LPDWORD pdwEffect)
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    if (pdwEffect == NULL)
        return E_POINTER;
    DROPEFFECT dropList = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    if (pThis->m_hWnd != NULL && lpDataObject != NULL)
    {
        CPoint point;
        CWnd* pWnd = DropWindow(pThis->m_hWnd, pt, point);
        COleDataObject dataObject;
        dataObject.Attach(lpDataObject, FALSE);
        DROPEFFECT dropDefault = pThis->OnDragOver(pWnd, &dataObject, dwKeyState, point);
        DROPEFFECT dwEffect = pThis->OnDropEx(pWnd, &dataObject, dropDefault, dropList, point);
        if (dwEffect == (DROPEFFECT)-1)
        {
            dwEffect = dropDefault;
            if (!pThis->OnDrop(pWnd, &dataObject, dwEffect, point))
                dwEffect = DROPEFFECT_NONE;
        }
        *pdwEffect = dwEffect;
    }
    if (pThis->m_lpDataObject != NULL)
    {
        pThis->m_lpDataObject->Release();
        pThis->m_lpDataObject = NULL;
    }
    return S_OK;
}

// ---------------------------------------------------------------------------
// COleDropSource

BEGIN_INTERFACE_MAP(COleDropSource, CCmdTarget)
    INTERFACE_PART(COleDropSource, IID_IDropSource, DropSource)
END_INTERFACE_MAP()

COleDropSource::COleDropSource() : m_bDragStarted(FALSE), m_dwButtonCancel(0), m_dwButtonDrop(0)
{
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    (void)pWnd;
    // The caller already applied its own drag threshold: start at once.
    m_bDragStarted = TRUE;
    return TRUE;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0)
        return DRAGDROP_S_CANCEL;
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return m_bDragStarted ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    (void)dropEffect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

OWNER_IUNKNOWN(COleDropSource, DropSource)

STDMETHODIMP COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    METHOD_PROLOGUE(COleDropSource, DropSource)
    return pThis->QueryContinueDrag(fEscapePressed, grfKeyState);
}

STDMETHODIMP COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect)
{
    METHOD_PROLOGUE(COleDropSource, DropSource)
    return pThis->GiveFeedback(dwEffect);
}

// ---------------------------------------------------------------------------
// COleDataSource

BEGIN_INTERFACE_MAP(COleDataSource, CCmdTarget)
    INTERFACE_PART(COleDataSource, IID_IDataObject, DataObject)
END_INTERFACE_MAP()

COleDataSource::COleDataSource()
{
}

COleDataSource::~COleDataSource()
{
    Empty();
}

void COleDataSource::Empty()
{
    for (CacheEntry& entry : m_cache)
        ::ReleaseStgMedium(&entry.stgMedium);
    m_cache.clear();
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    CacheEntry entry;
    if (lpFormatEtc != NULL)
        entry.formatEtc = *lpFormatEtc;
    else
        entry.formatEtc = FORMATETC{ cfFormat, NULL, DVASPECT_CONTENT, -1, lpStgMedium->tymed };
    entry.formatEtc.cfFormat = cfFormat;
    entry.stgMedium = *lpStgMedium;
    // A format cached again replaces the old data.
    for (CacheEntry& old : m_cache)
    {
        if (old.formatEtc.cfFormat == cfFormat && old.formatEtc.tymed == entry.formatEtc.tymed)
        {
            ::ReleaseStgMedium(&old.stgMedium);
            old = entry;
            return;
        }
    }
    m_cache.push_back(entry);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM stgMedium = {};
    stgMedium.tymed = TYMED_HGLOBAL;
    stgMedium.hGlobal = hGlobal;
    stgMedium.pUnkForRelease = NULL;
    CacheData(cfFormat, &stgMedium, lpFormatEtc);
}

const COleDataSource::CacheEntry* COleDataSource::Lookup(LPFORMATETC lpFormatEtc) const
{
    for (const CacheEntry& entry : m_cache)
    {
        if (entry.formatEtc.cfFormat == lpFormatEtc->cfFormat && (entry.formatEtc.tymed & lpFormatEtc->tymed) &&
            (lpFormatEtc->dwAspect == 0 || entry.formatEtc.dwAspect == lpFormatEtc->dwAspect))
            return &entry;
    }
    return NULL;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    (void)lpRectStartDrag;
    COleDropSource dropSource;
    if (pDropSource == NULL)
        pDropSource = &dropSource;
    // Which button started the drag decides which one drops.
    pDropSource->m_dwButtonDrop = (::GetKeyState(VK_RBUTTON) < 0) ? MK_RBUTTON : MK_LBUTTON;
    pDropSource->m_dwButtonCancel = pDropSource->m_dwButtonDrop == MK_LBUTTON ? MK_RBUTTON : MK_LBUTTON;
    if (!pDropSource->OnBeginDrag(CWnd::GetCapture()))
        return DROPEFFECT_NONE;
    DWORD dwResultEffect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop((LPDATAOBJECT)GetInterface(&IID_IDataObject),
                              (LPDROPSOURCE)pDropSource->GetInterface(&IID_IDropSource), dwEffects, &dwResultEffect);
    if (hr != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return dwResultEffect;
}

void COleDataSource::SetClipboard()
{
    ::OleSetClipboard((LPDATAOBJECT)GetInterface(&IID_IDataObject));
}

void PASCAL COleDataSource::FlushClipboard()
{
    ::OleFlushClipboard();
}

// Copies a cached medium for a caller (global memory is duplicated).
static HRESULT CopyMedium(const STGMEDIUM& src, LPSTGMEDIUM lpDest)
{
    *lpDest = STGMEDIUM();
    lpDest->tymed = src.tymed;
    switch (src.tymed)
    {
    case TYMED_HGLOBAL:
        lpDest->hGlobal = AfxCopyGlobalMemory(src.hGlobal, GMEM_MOVEABLE);
        return lpDest->hGlobal != NULL ? S_OK : E_OUTOFMEMORY;
    case TYMED_ISTREAM:
        lpDest->pstm = src.pstm;
        lpDest->pstm->AddRef();
        return S_OK;
    default:
        return DV_E_TYMED;
    }
}

OWNER_IUNKNOWN(COleDataSource, DataObject)

STDMETHODIMP COleDataSource::XDataObject::GetData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    METHOD_PROLOGUE(COleDataSource, DataObject)
    if (lpFormatEtc == NULL || lpStgMedium == NULL)
        return E_POINTER;
    const CacheEntry* pEntry = pThis->Lookup(lpFormatEtc);
    if (pEntry == NULL)
        return DV_E_FORMATETC;
    return CopyMedium(pEntry->stgMedium, lpStgMedium);
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(LPFORMATETC, LPSTGMEDIUM)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(LPFORMATETC lpFormatEtc)
{
    METHOD_PROLOGUE(COleDataSource, DataObject)
    if (lpFormatEtc == NULL)
        return E_POINTER;
    return pThis->Lookup(lpFormatEtc) != NULL ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(LPFORMATETC, LPFORMATETC lpFormatEtcOut)
{
    if (lpFormatEtcOut != NULL)
        lpFormatEtcOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(LPFORMATETC, LPSTGMEDIUM, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, LPENUMFORMATETC* ppenumFormatEtc)
{
    METHOD_PROLOGUE(COleDataSource, DataObject)
    if (ppenumFormatEtc == NULL)
        return E_POINTER;
    *ppenumFormatEtc = NULL;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const CacheEntry& entry : pThis->m_cache)
        formats.push_back(entry.formatEtc);
    return ::SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.empty() ? NULL : formats.data(), ppenumFormatEtc);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(LPFORMATETC, DWORD, LPADVISESINK, LPDWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(LPENUMSTATDATA*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

BOOL AFXAPI AfxOleSetEditMenu(COleClientItem* pItem, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin,
                              UINT nIDVerbMax, UINT nIDConvert)
{
    (void)pItem;
    (void)nIDVerbMax;
    (void)nIDConvert;
    if (pMenu != NULL)
        pMenu->EnableMenuItem(iMenuItem, MF_BYPOSITION | MF_GRAYED);
    (void)nIDVerbMin;
    return FALSE;
}
