// The model of the task panel: the item base of groups and of the items in
// them, and the reference-holding item lists (the panel's groups, a group's
// items).
#pragma once

#include <afxwin.h>

#include <afxole.h>
#include <afxtempl.h>

#include "CVZPAccessibleBase.h"

class CFile;
class CVZPImageManagerIcon;
class CVZPPropExchange;
class CVZPTaskPanel;
class CVZPTaskPanelGroup;
class CVZPTaskPanelItems;
class CVZPTaskPanelPaintManager;

// A side of a margin, padding or spacing with this value means "the paint
// manager's default".
const LONG VZP_TASKPANEL_DEFAULT = LONG(0x80000000);

enum VZPTaskPanelItemType
{
    vzpTaskItemGroup = 0,
    vzpTaskItemLink = 1,
    vzpTaskItemText = 2,
    vzpTaskItemControl = 3,
};

// An item of the panel (a group, a link, a text or a hosted window).
// Reference counted: a list holds one reference to each of its items.
class CVZPTaskPanelItem : public CCmdTarget, public CVZPAccessibleBase
{
    DECLARE_DYNCREATE(CVZPTaskPanelItem)
    DECLARE_INTERFACE_MAP()
public:
    CVZPTaskPanelItem();
    ~CVZPTaskPanelItem() override;

    // A group or link that is enabled and visible.
    virtual BOOL CanTakeFocus();
    // The item itself for an item or group; a group item's group.
    virtual CVZPTaskPanelItem* GetOwnerGroup();
    virtual CRect GetRectOnPanel();
    virtual void DoPropExchange(CVZPPropExchange* pPX);

    BOOL IsHot() const;
    BOOL IsPressed() const;
    BOOL IsDragged() const;
    BOOL IsDropTarget() const;
    BOOL IsFocused() const;
    BOOL IsEnabled() const { return m_bEnabled; }
    // FALSE for a NULL item.
    static BOOL IsVisible(const CVZPTaskPanelItem* pItem) { return pItem != NULL && pItem->m_bVisible; }
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsGroup() const { return m_nType == vzpTaskItemGroup; }
    // Assigns a changed caption and lays the panel out.
    void SetCaption(LPCWSTR pszCaption);
    CVZPTaskPanelPaintManager* GetPaintManager() const;
    // Invalidates the panel's window unless it has none or its layout is
    // locked.
    void InvalidatePanel() const;
    void RelayoutPanel() const;
    // The icon at that width from the panel's image manager, else from the
    // process-wide one; NULL without an icon.
    CVZPImageManagerIcon* GetImage(int nWidth) const;
    // Index in its list; -1 for NULL or an item without a list.
    static int GetIndex(const CVZPTaskPanelItem* pItem);
    int GetIndex() const { return GetIndex(this); }
    // Removes it from its list (the list releases it).
    void Remove();
    // Its own, its group's and the panel's drop switches are all on.
    BOOL AcceptsDrop();
    // The effective drag flags: own unless 1, else the group's unless 1,
    // else the panel's default unless 1, else 0xCC.
    int GetDragFlags();
    // Records where the text was drawn: its measured height placed in rc as
    // the format places it.
    void RecordTextRect(CDC* pDC, CRect rc, UINT nFormat);

    // The item in the clipboard format (class tag, then its values through
    // an archive exchange); NULL when it cannot be written.
    HGLOBAL CopyToGlobalMemory();
    // The item carried by a data object in the clipboard format; NULL when
    // the format is missing or the data cannot be read.
    static CVZPTaskPanelItem* CreateFromDataObject(COleDataObject* pDataObject);
    // Reads one item (its class, then its values) from the file; NULL when
    // the class is unknown or the data cannot be read.
    static CVZPTaskPanelItem* CreateFromFile(CFile* pFile);
    // A drag text as CF_TEXT in the ANSI code page; NULL for an empty text.
    static HGLOBAL CopyTextToGlobalMemory(const CString& strText);

    // Accessibility (the panel hands out the item as its child).
    CCmdTarget* GetOwnerCmdTarget() override { return this; }
    HRESULT get_accParent(IDispatch** ppdispParent) override;
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
    HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT accSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT accDoDefaultAction(VARIANT varChild) override;

    CVZPTaskPanel* m_pPanel;
    CString m_strCaption;
    CString m_strTooltip;
    int m_nID;
    int m_nType;
    CVZPTaskPanelItems* m_pCollection;
    int m_nIconIndex;
    BOOL m_bEnabled;
    BOOL m_bAllowDrop;
    int m_nAllowDrag;          // VZPTaskPanelDragFlags; 1 inherits
    CRect m_rcText;
    UINT m_nTextFormat;
    BOOL m_bVisible;
    CRect m_rcIconPadding;
};

// A list of items holding one reference to each.
class CVZPTaskPanelItems : public CCmdTarget
{
    DECLARE_DYNCREATE(CVZPTaskPanelItems)
public:
    explicit CVZPTaskPanelItems(CVZPTaskPanel* pPanel = NULL, CCmdTarget* pOwner = NULL);
    // Clears without layout.
    ~CVZPTaskPanelItems() override;

    // The class loading creates.
    virtual CRuntimeClass* GetItemClass() const;

    // Inserts at nIndex (0 to the count; the count appends) without taking
    // a new reference; the item's list and panel become this list's. Lays
    // the panel out. Returns the item.
    CVZPTaskPanelItem* InsertAt(int nIndex, CVZPTaskPanelItem* pItem);
    CVZPTaskPanelItem* Add(CVZPTaskPanelItem* pItem) { return InsertAt(GetCount(), pItem); }
    int IndexOf(const CVZPTaskPanelItem* pItem) const;
    // Moves an item of the list to nIndex (0 to count - 1).
    void MoveItem(CVZPTaskPanelItem* pItem, int nIndex);
    // Unhook from the panel, release, close up, lay out.
    void RemoveItem(CVZPTaskPanelItem* pItem);
    void RemoveAt(int nIndex);
    // nIndex + k x nStep for the smallest k >= 1 that is a visible item;
    // -1 when the walk leaves the list.
    int GetNextVisibleIndex(int nIndex, int nStep) const;
    CVZPTaskPanelItem* GetFirstVisibleItem() const;
    CVZPTaskPanelItem* GetLastVisibleItem() const;
    // The "Item%i" sections with their "Count"; loading replaces the list.
    // Archive and OLE errors end the exchange and keep what was loaded; the
    // last one is kept in m_nExchangeError.
    void DoPropExchange(CVZPPropExchange* pPX);

    // Unhooks every item from the panel, releases it and empties the list;
    // with bLayout the panel is laid out again.
    void ClearItems(BOOL bLayout);
    int GetCount() const { return int(m_arrItems.GetSize()); }
    CVZPTaskPanelItem* GetAt(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetCount() ? m_arrItems[nIndex] : NULL;
    }

    CVZPTaskPanel* m_pPanel;
    CArray<CVZPTaskPanelItem*, CVZPTaskPanelItem*> m_arrItems;
    CCmdTarget* m_pOwner;
    // 0, or the cause of the archive error (or -1 for an OLE error) that
    // ended the last exchange of this list.
    int m_nExchangeError;
};

// The panel's groups.
class CVZPTaskPanelGroups : public CVZPTaskPanelItems
{
    DECLARE_DYNCREATE(CVZPTaskPanelGroups)
public:
    explicit CVZPTaskPanelGroups(CVZPTaskPanel* pPanel = NULL, CCmdTarget* pOwner = NULL)
        : CVZPTaskPanelItems(pPanel, pOwner)
    {
    }
    CRuntimeClass* GetItemClass() const override;
};

// The items of one group.
class CVZPTaskPanelGroupItems : public CVZPTaskPanelItems
{
    DECLARE_DYNCREATE(CVZPTaskPanelGroupItems)
public:
    explicit CVZPTaskPanelGroupItems(CVZPTaskPanel* pPanel = NULL, CCmdTarget* pOwner = NULL)
        : CVZPTaskPanelItems(pPanel, pOwner)
    {
    }
    CRuntimeClass* GetItemClass() const override;
};

// Drops a counted reference and clears the pointer.
template <class T>
void VZPReleaseReference(T*& pRef)
{
    if (pRef != NULL)
        pRef->InternalRelease();
    pRef = NULL;
}

// The clipboard format that carries one item through drag and drop,
// registered at start-up (0 before).
UINT VZPGetTaskPanelClipboardFormat();
void VZPRegisterTaskPanelClipboardFormat();
