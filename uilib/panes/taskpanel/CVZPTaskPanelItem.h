// The model of the task panel: the item base of groups and of the items in
// them, and the reference-holding item lists (the panel's groups, a group's
// items).
#pragma once

#include <afxwin.h>

#include <afxtempl.h>

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
class CVZPTaskPanelItem : public CCmdTarget
{
    DECLARE_DYNCREATE(CVZPTaskPanelItem)
public:
    CVZPTaskPanelItem();
    ~CVZPTaskPanelItem() override;

    // A group or link that is enabled and visible.
    virtual BOOL CanTakeFocus();
    // The item itself for an item or group; a group item's group.
    virtual CVZPTaskPanelItem* GetOwnerGroup();
    virtual CRect GetRectOnPanel();
    virtual void DoPropExchange(CVZPPropExchange* pPX);

    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsGroup() const { return m_nType == vzpTaskItemGroup; }
    CVZPTaskPanelPaintManager* GetPaintManager() const;

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

// The clipboard format that carries one item through drag and drop,
// registered at start-up (0 before).
UINT VZPGetTaskPanelClipboardFormat();
void VZPRegisterTaskPanelClipboardFormat();
