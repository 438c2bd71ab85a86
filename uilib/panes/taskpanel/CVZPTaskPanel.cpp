#include "CVZPTaskPanel.h"

#include "CVZPImageManager.h"
#include "CVZPResourceLoader.h"
#include "CVZPTaskPanelGroup.h"
#include "CVZPTaskPanelThemes.h"

IMPLEMENT_DYNAMIC(CVZPTaskPanel, CWnd)
IMPLEMENT_DYNAMIC(CVZPTaskPanelEditItem, CEdit)

namespace {

// Replaces a counted reference, releasing the old one first.
template <class T>
void ReleaseReference(T*& pRef)
{
    if (pRef != NULL)
        pRef->InternalRelease();
    pRef = NULL;
}

}  // namespace

DROPEFFECT CVZPTaskPanelDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                               CPoint point)
{
    CVZPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CVZPTaskPanel, pWnd);
    return pPanel != NULL ? pPanel->DragOverPanel(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL CVZPTaskPanelDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CVZPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CVZPTaskPanel, pWnd);
    return pPanel != NULL ? pPanel->DropOnPanel(pDataObject, dropEffect, point) : FALSE;
}

void CVZPTaskPanelDropTarget::OnDragLeave(CWnd* pWnd)
{
    CVZPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CVZPTaskPanel, pWnd);
    if (pPanel != NULL)
        pPanel->DragOverPanel(NULL, 0, CPoint(-1, -1));
}

CVZPTaskPanel::CVZPTaskPanel()
    : m_pGroups(NULL), m_pPaintManager(NULL), m_nTheme(2), m_nLayoutLock(0), m_nContentHeight(0),
      m_nLastContentHeight(0),
      m_rcMargins(VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT),
      m_nGroupSpacing(VZP_TASKPANEL_DEFAULT), m_bScrollBarShown(FALSE), m_pHotItem(NULL), m_pFocusedItem(NULL),
      m_pPressedItem(NULL), m_pDraggedItem(NULL), m_pDropTargetItem(NULL), m_bAnimation(TRUE),
      m_nAnimationSetting(vzpTaskPanelAnimationOn), m_hHandCursor(NULL), m_nAnimationTimer(0), m_nAnimationSteps(0),
      m_pImageManager(NULL), m_bGroupsExpandable(TRUE), m_bAcceptFocus(TRUE), m_bSettingFocus(FALSE),
      m_bFocusCue(FALSE), m_szItemIcon(16, 16), m_szGroupIcon(32, 32), m_bSelectOnFocus(FALSE), m_ptPressed(0, 0),
      m_nDefaultDragFlags(0), m_bAcceptDrops(TRUE), m_nLayout(0), m_bMultiColumn(FALSE), m_nColumnWidth(100),
      m_nHotTrackStyle(0), m_nMode(vzpTaskPanelModeIndependent), m_pActiveGroup(NULL), m_pDropTarget(NULL),
      m_bHoverTimer(FALSE), m_pScrollDown(NULL), m_pScrollUp(NULL), m_bFocusIsSelection(FALSE),
      m_pTooltipService(NULL), m_bInScrollBarUpdate(FALSE), m_hrOleInit(E_FAIL)
{
    ChoosePaintTheme(2);
    m_pGroups = new CVZPTaskPanelGroups(this, this);
    m_hHandCursor = ::LoadCursorW(NULL, IDC_HAND);
    if (m_hHandCursor == NULL)
        m_hHandCursor = GetResourceLoader()->LoadCursor(VZP_IDC_TASKPANEL_HAND);
    m_pImageManager = new CVZPImageManager;
    m_hrOleInit = ::OleInitialize(NULL);
    m_pDropTarget = new CVZPTaskPanelDropTarget;
    m_pScrollDown = new CVZPTaskPanelScrollButton(0);
    m_pScrollUp = new CVZPTaskPanelScrollButton(1);
    EnableAutomation();
}

CVZPTaskPanel::~CVZPTaskPanel()
{
    ReleaseReference(m_pHotItem);
    ReleaseReference(m_pFocusedItem);
    ReleaseReference(m_pActiveGroup);
    ReleaseReference(m_pGroups);
    ReleaseReference(m_pImageManager);
    m_pTooltipService = NULL;
    delete m_pPaintManager;
    m_pPaintManager = NULL;
    delete m_pDropTarget;
    m_pDropTarget = NULL;
    delete m_pScrollDown;
    m_pScrollDown = NULL;
    delete m_pScrollUp;
    m_pScrollUp = NULL;
    // A thread already in another apartment refuses OLE: nothing to undo.
    if (SUCCEEDED(m_hrOleInit))
        ::OleUninitialize();
}

void CVZPTaskPanel::ChoosePaintTheme(int nTheme)
{
    delete m_pPaintManager;
    m_pPaintManager = CreateTaskPanelTheme(nTheme);
    m_nTheme = nTheme;
    m_pPaintManager->RefreshMetrics();
    LayoutPanel(TRUE);
}

void CVZPTaskPanel::LayoutPanel(BOOL /*bAnimate*/)
{
    // Groups are laid out in the panel's window; without one, or while the
    // layout is locked, there is nothing to do.
    if (GetSafeHwnd() == NULL || m_nLayoutLock > 0)
        return;
}

int CVZPTaskPanel::LockLayout(BOOL bLock)
{
    if (bLock)
    {
        m_nLayoutLock++;
        return 1;
    }
    m_nLayoutLock--;
    if (m_nLayoutLock == 0)
    {
        LayoutPanel(TRUE);
        return 0;
    }
    return -1;
}

void CVZPTaskPanel::SetAnimationMode(int nSetting)
{
    m_nAnimationSetting = nSetting;
    if (nSetting == vzpTaskPanelAnimationSystem)
    {
        BOOL bMenuAnimation = FALSE;
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bMenuAnimation, 0);
        m_bAnimation = bMenuAnimation;
    }
    else
    {
        m_bAnimation = nSetting == vzpTaskPanelAnimationOn;
    }
}

void CVZPTaskPanel::ReleaseItemReferences(CVZPTaskPanelItem* pItem)
{
    if (pItem == NULL)
        return;
    if (m_pHotItem == pItem)
        ReleaseReference(m_pHotItem);
    if (m_pFocusedItem == pItem)
        ReleaseReference(m_pFocusedItem);
    if (m_pActiveGroup == pItem)
        ReleaseReference(m_pActiveGroup);
    if (m_pPressedItem == pItem)
        m_pPressedItem = NULL;
    if (m_pDraggedItem == pItem)
        m_pDraggedItem = NULL;
    if (m_pDropTargetItem == pItem)
        m_pDropTargetItem = NULL;
}

// The window's own behaviour: input, painting, drag and drop, scrolling.
// Without a window none of it runs.
void CVZPTaskPanel::ItemClicked(CVZPTaskPanelItem* pItem)
{
    SendOwnerNotification(vzpTaskPanelClick, reinterpret_cast<LPARAM>(pItem));
}

void CVZPTaskPanel::SetGroupExpanded(CVZPTaskPanelGroup* /*pGroup*/, BOOL /*bExpand*/)
{
}

void CVZPTaskPanel::PaintPanel(CDC* /*pDC*/)
{
}

LRESULT CVZPTaskPanel::SendOwnerNotification(WPARAM nCode, LPARAM lParam)
{
    if (GetSafeHwnd() == NULL)
        return 0;
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndOwner == NULL)
        hWndOwner = ::GetParent(m_hWnd);
    return hWndOwner != NULL ? ::SendMessageW(hWndOwner, WM_VZP_TASKPANEL_NOTIFY, nCode, lParam) : 0;
}

void CVZPTaskPanel::BeginItemDragDrop(CVZPTaskPanelItem* /*pItem*/)
{
}

BOOL CVZPTaskPanel::TrackGroupReorder(CVZPTaskPanelGroup* /*pGroup*/)
{
    return FALSE;
}

void CVZPTaskPanel::ApplyItemRename(CVZPTaskPanelItem* /*pItem*/, LPCWSTR /*pszText*/)
{
}

DROPEFFECT CVZPTaskPanel::DragOverPanel(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/)
{
    return DROPEFFECT_NONE;
}

BOOL CVZPTaskPanel::DropOnPanel(COleDataObject* /*pDataObject*/, DROPEFFECT /*dropEffect*/, CPoint /*point*/)
{
    return FALSE;
}

void CVZPTaskPanel::UpdateScrollBar()
{
}
