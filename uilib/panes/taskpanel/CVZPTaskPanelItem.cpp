#include "CVZPTaskPanelItem.h"

#include <memory>

#include <afxdisp.h>

#include "CVZPImageManager.h"
#include "CVZPPropExchangeArchive.h"
#include "CVZPPropExchangeIterator.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelGroup.h"

IMPLEMENT_DYNCREATE(CVZPTaskPanelItem, CCmdTarget)
IMPLEMENT_DYNCREATE(CVZPTaskPanelItems, CCmdTarget)
IMPLEMENT_DYNCREATE(CVZPTaskPanelGroups, CVZPTaskPanelItems)
IMPLEMENT_DYNCREATE(CVZPTaskPanelGroupItems, CVZPTaskPanelItems)

BEGIN_INTERFACE_MAP(CVZPTaskPanelItem, CCmdTarget)
    INTERFACE_PART(CVZPTaskPanelItem, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

namespace {

UINT g_nClipboardFormat = 0;

const RECT kDefaultRect = { VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT,
                            VZP_TASKPANEL_DEFAULT };

BOOL IsSelf(const VARIANT& varChild)
{
    return CVZPAccessibleBase::ChildIdFromVariant(&varChild) == CHILDID_SELF;
}

HRESULT ReturnString(const CString& str, BSTR* pbstr)
{
    if (pbstr == NULL)
        return E_POINTER;
    *pbstr = ::SysAllocString(str);
    return S_OK;
}

}  // namespace

UINT VZPGetTaskPanelClipboardFormat()
{
    return g_nClipboardFormat;
}

void VZPRegisterTaskPanelClipboardFormat()
{
    g_nClipboardFormat = ::RegisterClipboardFormatW(L"TaskPanelGroupItem");
}

CVZPTaskPanelItem::CVZPTaskPanelItem()
    : m_pPanel(NULL), m_nID(0), m_nType(vzpTaskItemLink), m_pCollection(NULL), m_nIconIndex(-1), m_bEnabled(TRUE),
      m_bAllowDrop(TRUE), m_nAllowDrag(1), m_rcText(0, 0, 0, 0), m_nTextFormat(0), m_bVisible(TRUE),
      m_rcIconPadding(kDefaultRect)
{
    EnableAutomation();
}

CVZPTaskPanelItem::~CVZPTaskPanelItem()
{
}

BOOL CVZPTaskPanelItem::CanTakeFocus()
{
    return (m_nType == vzpTaskItemGroup || m_nType == vzpTaskItemLink) && m_bEnabled && m_bVisible;
}

CVZPTaskPanelItem* CVZPTaskPanelItem::GetOwnerGroup()
{
    return this;
}

CRect CVZPTaskPanelItem::GetRectOnPanel()
{
    return CRect(0, 0, 0, 0);
}

void CVZPTaskPanelItem::DoPropExchange(CVZPPropExchange* pPX)
{
    if (pPX->IsLoading())
        m_pPanel = DYNAMIC_DOWNCAST(CVZPTaskPanel, pPX->m_pOwnerObject);
    PropExchangeString(pPX, L"Caption", &m_strCaption, L"");
    PropExchangeString(pPX, L"Tooltip", &m_strTooltip, L"");
    PropExchangeInt(pPX, L"Id", &m_nID, 0);
    PropExchangeInt(pPX, L"Type", &m_nType, vzpTaskItemLink);
    PropExchangeInt(pPX, L"IconIndex", &m_nIconIndex, -1);
    PropExchangeBool(pPX, L"Enabled", &m_bEnabled, TRUE);
    PropExchangeInt(pPX, L"AllowDrag", &m_nAllowDrag, 1);
    PropExchangeBool(pPX, L"AllowDrop", &m_bAllowDrop, TRUE);
    if (pPX->m_nSchema >= 9)
    {
        PropExchangeBool(pPX, L"Visible", &m_bVisible, TRUE);
        PropExchangeRect(pPX, L"IconPadding", &m_rcIconPadding, kDefaultRect);
    }
}

BOOL CVZPTaskPanelItem::IsHot() const
{
    return m_bEnabled && m_pPanel != NULL && m_pPanel->GetHotItem() == this;
}

BOOL CVZPTaskPanelItem::IsPressed() const
{
    return m_pPanel != NULL && m_pPanel->GetPressedItem() == this;
}

BOOL CVZPTaskPanelItem::IsDragged() const
{
    return m_pPanel != NULL && m_pPanel->GetDraggedItem() == this;
}

BOOL CVZPTaskPanelItem::IsDropTarget() const
{
    return m_pPanel != NULL && m_pPanel->GetDropTargetItem() == this;
}

BOOL CVZPTaskPanelItem::IsFocused() const
{
    return m_bEnabled && m_pPanel != NULL && m_pPanel->GetFocusedItem() == this;
}

void CVZPTaskPanelItem::SetCaption(LPCWSTR pszCaption)
{
    if (m_strCaption == pszCaption)
        return;
    m_strCaption = pszCaption;
    RelayoutPanel();
}

CVZPTaskPanelPaintManager* CVZPTaskPanelItem::GetPaintManager() const
{
    return m_pPanel != NULL ? m_pPanel->GetPaintManager() : NULL;
}

void CVZPTaskPanelItem::InvalidatePanel() const
{
    if (m_pPanel != NULL && m_pPanel->GetSafeHwnd() != NULL && m_pPanel->GetLayoutLock() == 0)
        m_pPanel->Invalidate(FALSE);
}

void CVZPTaskPanelItem::RelayoutPanel() const
{
    if (m_pPanel != NULL)
        m_pPanel->LayoutPanel(TRUE);
}

CVZPImageManagerIcon* CVZPTaskPanelItem::GetImage(int nWidth) const
{
    if (m_nIconIndex < 0)
        return NULL;
    CVZPImageManagerIcon* pIcon = NULL;
    if (m_pPanel != NULL && m_pPanel->GetImageManager() != NULL)
        pIcon = m_pPanel->GetImageManager()->GetImage(UINT(m_nIconIndex), nWidth);
    if (pIcon == NULL)
        pIcon = GetImageManager()->GetImage(UINT(m_nIconIndex), nWidth);
    return pIcon;
}

int CVZPTaskPanelItem::GetIndex(const CVZPTaskPanelItem* pItem)
{
    if (pItem == NULL || pItem->m_pCollection == NULL)
        return -1;
    return pItem->m_pCollection->IndexOf(pItem);
}

void CVZPTaskPanelItem::Remove()
{
    if (m_pCollection != NULL)
        m_pCollection->RemoveItem(this);
}

BOOL CVZPTaskPanelItem::AcceptsDrop()
{
    CVZPTaskPanelItem* pGroup = GetOwnerGroup();
    return m_bAllowDrop && (pGroup == NULL || pGroup->m_bAllowDrop) && (m_pPanel == NULL || m_pPanel->m_bAcceptDrops);
}

int CVZPTaskPanelItem::GetDragFlags()
{
    if (m_nAllowDrag != 1)
        return m_nAllowDrag;
    CVZPTaskPanelItem* pGroup = GetOwnerGroup();
    if (pGroup != NULL && pGroup->m_nAllowDrag != 1)
        return pGroup->m_nAllowDrag;
    if (m_pPanel != NULL && m_pPanel->m_nDefaultDragFlags != 1)
        return m_pPanel->m_nDefaultDragFlags;
    return 0xCC;
}

void CVZPTaskPanelItem::RecordTextRect(CDC* pDC, CRect rc, UINT nFormat)
{
    CString strText = m_strCaption.IsEmpty() ? CString(L" ") : m_strCaption;
    CRect rcText(rc);
    pDC->DrawText(strText, &rcText, (nFormat | DT_CALCRECT) & ~(DT_END_ELLIPSIS | DT_VCENTER));
    int d = rc.Height() - rcText.Height();
    if (nFormat & DT_VCENTER)
    {
        rc.top += d / 2;
        rc.bottom -= d - d / 2;
    }
    else
    {
        rc.bottom -= d;
    }
    m_rcText = rc;
    m_nTextFormat = nFormat;
}

HGLOBAL CVZPTaskPanelItem::CopyToGlobalMemory()
{
    CSharedFile file(GMEM_DDESHARE | GMEM_MOVEABLE, 4096);
    try
    {
        CArchive ar(&file, CArchive::store, 4096);
        ar.WriteClass(GetRuntimeClass());
        CVZPPropExchangeArchive px(ar);
        DoPropExchange(&px);
        ar.Close();
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        return NULL;
    }
    catch (COleException* e)
    {
        e->Delete();
        return NULL;
    }
    return file.Detach();
}

CVZPTaskPanelItem* CVZPTaskPanelItem::CreateFromDataObject(COleDataObject* pDataObject)
{
    if (pDataObject == NULL)
        return NULL;
    std::unique_ptr<CFile> pFile(pDataObject->GetFileData(CLIPFORMAT(VZPGetTaskPanelClipboardFormat())));
    if (pFile == NULL)
        return NULL;
    return CreateFromFile(pFile.get());
}

CVZPTaskPanelItem* CVZPTaskPanelItem::CreateFromFile(CFile* pFile)
{
    CVZPTaskPanelItem* pItem = NULL;
    try
    {
        CArchive ar(pFile, CArchive::load, 4096);
        CRuntimeClass* pClass = ar.ReadClass();
        CObject* pObject = pClass != NULL ? pClass->CreateObject() : NULL;
        pItem = DYNAMIC_DOWNCAST(CVZPTaskPanelItem, pObject);
        if (pItem == NULL)
        {
            delete pObject;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        CVZPPropExchangeArchive px(ar);
        pItem->DoPropExchange(&px);
        ar.Close();
    }
    catch (CException* e)
    {
        // Archive, OLE and not-supported errors alike: the half-made item
        // goes.
        e->Delete();
        if (pItem != NULL)
            pItem->InternalRelease();
        return NULL;
    }
    return pItem;
}

HGLOBAL CVZPTaskPanelItem::CopyTextToGlobalMemory(const CString& strText)
{
    if (strText.IsEmpty())
        return NULL;
    // Sized by the conversion itself: a double-byte code page needs more
    // bytes than characters.
    size_t nBytes = wcstombs(NULL, strText, 0);
    if (nBytes == size_t(-1))
        return NULL;
    HGLOBAL hText = ::GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, nBytes + 1);
    if (hText == NULL)
        return NULL;
    char* pText = static_cast<char*>(::GlobalLock(hText));
    wcstombs(pText, strText, nBytes + 1);
    pText[nBytes] = 0;
    ::GlobalUnlock(hText);
    return hText;
}

HRESULT CVZPTaskPanelItem::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_POINTER;
    *ppdispParent = NULL;
    if (m_pPanel == NULL)
        return E_FAIL;
    return (HRESULT)m_pPanel->ExternalQueryInterface(&IID_IAccessible, reinterpret_cast<void**>(ppdispParent));
}

HRESULT CVZPTaskPanelItem::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnString(m_strCaption, pszName);
}

HRESULT CVZPTaskPanelItem::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnString(m_strTooltip, pszDescription);
}

HRESULT CVZPTaskPanelItem::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (pvarRole == NULL)
        return E_POINTER;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT CVZPTaskPanelItem::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (pvarState == NULL)
        return E_POINTER;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (IsFocused())
        nState |= STATE_SYSTEM_FOCUSED;
    if (!m_bVisible)
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!m_bEnabled)
        nState |= STATE_SYSTEM_UNAVAILABLE;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CVZPTaskPanelItem::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return CVZPAccessibleBase::get_accDefaultAction(varChild, pszDefaultAction);
}

HRESULT CVZPTaskPanelItem::accSelect(long flagsSelect, VARIANT varChild)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if ((flagsSelect & SELFLAG_TAKEFOCUS) && m_pPanel != NULL)
        m_pPanel->ChangeFocusedItem(this, FALSE);
    return S_OK;
}

HRESULT CVZPTaskPanelItem::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (m_pPanel == NULL || m_pPanel->GetSafeHwnd() == NULL)
        return S_OK;
    CRect rc = GetRectOnPanel();
    m_pPanel->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CVZPTaskPanelItem::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_POINTER;
    pvarChild->vt = VT_EMPTY;
    if (m_pPanel == NULL || m_pPanel->GetSafeHwnd() == NULL)
        return S_FALSE;
    CRect rcWindow;
    m_pPanel->GetWindowRect(&rcWindow);
    CPoint pt(xLeft, yTop);
    if (!rcWindow.PtInRect(pt))
        return S_FALSE;
    m_pPanel->ScreenToClient(&pt);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return GetRectOnPanel().PtInRect(pt) ? S_OK : S_FALSE;
}

HRESULT CVZPTaskPanelItem::accDoDefaultAction(VARIANT varChild)
{
    return CVZPAccessibleBase::accDoDefaultAction(varChild);
}

CVZPTaskPanelItems::CVZPTaskPanelItems(CVZPTaskPanel* pPanel, CCmdTarget* pOwner)
    : m_pPanel(pPanel), m_pOwner(pOwner), m_nExchangeError(0)
{
}

CVZPTaskPanelItems::~CVZPTaskPanelItems()
{
    ClearItems(FALSE);
}

CRuntimeClass* CVZPTaskPanelItems::GetItemClass() const
{
    return RUNTIME_CLASS(CVZPTaskPanelItem);
}

void CVZPTaskPanelItems::ClearItems(BOOL bLayout)
{
    // The array is emptied first, so a release that reaches back into the
    // list finds nothing.
    CArray<CVZPTaskPanelItem*, CVZPTaskPanelItem*> arrItems;
    arrItems.Copy(m_arrItems);
    m_arrItems.RemoveAll();
    for (INT_PTR i = 0; i < arrItems.GetSize(); i++)
    {
        CVZPTaskPanelItem* pItem = arrItems[i];
        if (m_pPanel != NULL)
            m_pPanel->ReleaseItemReferences(pItem);
        pItem->m_pCollection = NULL;
        pItem->InternalRelease();
    }
    if (bLayout && m_pPanel != NULL)
        m_pPanel->LayoutPanel(TRUE);
}

CVZPTaskPanelItem* CVZPTaskPanelItems::InsertAt(int nIndex, CVZPTaskPanelItem* pItem)
{
    if (pItem == NULL)
        return NULL;
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_arrItems.InsertAt(nIndex, pItem);
    pItem->m_pCollection = this;
    pItem->m_pPanel = m_pPanel;
    // A group made by name before it had a panel gives its items the panel
    // too.
    CVZPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, pItem);
    if (pGroup != NULL && pGroup->GetItems() != NULL)
    {
        pGroup->GetItems()->m_pPanel = m_pPanel;
        for (int i = 0; i < pGroup->GetItemCount(); i++)
            pGroup->GetItems()->GetAt(i)->m_pPanel = m_pPanel;
    }
    if (m_pPanel != NULL)
        m_pPanel->LayoutPanel(TRUE);
    return pItem;
}

int CVZPTaskPanelItems::IndexOf(const CVZPTaskPanelItem* pItem) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrItems[i] == pItem)
            return i;
    }
    return -1;
}

void CVZPTaskPanelItems::MoveItem(CVZPTaskPanelItem* pItem, int nIndex)
{
    int nOld = IndexOf(pItem);
    if (nOld < 0 || nIndex < 0 || nIndex >= GetCount() || nOld == nIndex)
        return;
    m_arrItems.RemoveAt(nOld);
    m_arrItems.InsertAt(nIndex, pItem);
    if (m_pPanel != NULL)
        m_pPanel->LayoutPanel(TRUE);
}

void CVZPTaskPanelItems::RemoveItem(CVZPTaskPanelItem* pItem)
{
    RemoveAt(IndexOf(pItem));
}

void CVZPTaskPanelItems::RemoveAt(int nIndex)
{
    CVZPTaskPanelItem* pItem = GetAt(nIndex);
    if (pItem == NULL)
        return;
    if (m_pPanel != NULL)
        m_pPanel->ReleaseItemReferences(pItem);
    m_arrItems.RemoveAt(nIndex);
    pItem->m_pCollection = NULL;
    pItem->InternalRelease();
    if (m_pPanel != NULL)
        m_pPanel->LayoutPanel(TRUE);
}

int CVZPTaskPanelItems::GetNextVisibleIndex(int nIndex, int nStep) const
{
    if (nStep == 0)
        return -1;
    for (nIndex += nStep; nIndex >= 0 && nIndex < GetCount(); nIndex += nStep)
    {
        if (m_arrItems[nIndex]->IsVisible())
            return nIndex;
    }
    return -1;
}

CVZPTaskPanelItem* CVZPTaskPanelItems::GetFirstVisibleItem() const
{
    return GetAt(GetNextVisibleIndex(-1, 1));
}

CVZPTaskPanelItem* CVZPTaskPanelItems::GetLastVisibleItem() const
{
    return GetAt(GetNextVisibleIndex(GetCount(), -1));
}

void CVZPTaskPanelItems::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPTaskPanel* pPanel = m_pPanel;
    if (pPanel != NULL)
        pPanel->LockLayout(TRUE);
    pPX->m_pOwnerObject = pPanel;
    m_nExchangeError = 0;
    try
    {
        std::unique_ptr<CVZPPropExchangeIterator> pEnum(pPX->GetEnumerator(L"Item"));
        POSITION pos = pEnum->StartEnumeration(pPX->IsLoading() ? 0 : DWORD(GetCount()), FALSE);
        if (pPX->IsLoading())
            ClearItems(FALSE);
        for (int i = 0; pos != 0; i++)
        {
            CVZPPropExchangeSectionRef section(pEnum->GetNextSection(pos));
            if (!pPX->IsLoading())
            {
                CObject* pObject = GetAt(i);
                if (pObject == NULL)
                    break;
                section->ExchangeObject(&pObject, GetItemClass());
                GetAt(i)->DoPropExchange(section);
                continue;
            }
            CObject* pObject = NULL;
            if (!section->ExchangeObject(&pObject, GetItemClass()))
                AfxThrowArchiveException(CArchiveException::badClass);
            CVZPTaskPanelItem* pItem = static_cast<CVZPTaskPanelItem*>(pObject);
            try
            {
                pItem->DoPropExchange(section);
            }
            catch (CException*)
            {
                pItem->InternalRelease();   // an item that failed to load is not kept
                throw;
            }
            pItem->m_pCollection = this;
            m_arrItems.Add(pItem);
        }
    }
    catch (CArchiveException* e)
    {
        m_nExchangeError = e->m_cause != 0 ? e->m_cause : CArchiveException::generic;
        e->Delete();
    }
    catch (COleException* e)
    {
        m_nExchangeError = -1;
        e->Delete();
    }
    if (pPanel != NULL)
        pPanel->LockLayout(FALSE);
}

CRuntimeClass* CVZPTaskPanelGroups::GetItemClass() const
{
    return RUNTIME_CLASS(CVZPTaskPanelGroup);
}

CRuntimeClass* CVZPTaskPanelGroupItems::GetItemClass() const
{
    return RUNTIME_CLASS(CVZPTaskPanelGroupItem);
}
