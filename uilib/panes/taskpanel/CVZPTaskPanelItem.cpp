#include "CVZPTaskPanelItem.h"

#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelGroup.h"

IMPLEMENT_DYNCREATE(CVZPTaskPanelItem, CCmdTarget)
IMPLEMENT_DYNCREATE(CVZPTaskPanelItems, CCmdTarget)
IMPLEMENT_DYNCREATE(CVZPTaskPanelGroups, CVZPTaskPanelItems)
IMPLEMENT_DYNCREATE(CVZPTaskPanelGroupItems, CVZPTaskPanelItems)

namespace {
UINT g_nClipboardFormat = 0;
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
      m_rcIconPadding(VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT,
                      VZP_TASKPANEL_DEFAULT)
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

// Items are stored and loaded through the property exchange by the panel's
// persistence; an item alone has nothing to exchange.
void CVZPTaskPanelItem::DoPropExchange(CVZPPropExchange* /*pPX*/)
{
}

CVZPTaskPanelPaintManager* CVZPTaskPanelItem::GetPaintManager() const
{
    return m_pPanel != NULL ? m_pPanel->GetPaintManager() : NULL;
}

CVZPTaskPanelItems::CVZPTaskPanelItems(CVZPTaskPanel* pPanel, CCmdTarget* pOwner)
    : m_pPanel(pPanel), m_pOwner(pOwner)
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
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
    {
        CVZPTaskPanelItem* pItem = m_arrItems[i];
        if (m_pPanel != NULL)
            m_pPanel->ReleaseItemReferences(pItem);
        pItem->InternalRelease();
    }
    m_arrItems.RemoveAll();
    if (bLayout && m_pPanel != NULL)
        m_pPanel->LayoutPanel(TRUE);
}

CRuntimeClass* CVZPTaskPanelGroups::GetItemClass() const
{
    return RUNTIME_CLASS(CVZPTaskPanelGroup);
}

CRuntimeClass* CVZPTaskPanelGroupItems::GetItemClass() const
{
    return RUNTIME_CLASS(CVZPTaskPanelGroupItem);
}
