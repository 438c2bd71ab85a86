// A vertical side panel of collapsible groups of items (links, texts or
// hosted windows) drawn by an exchangeable paint manager. It reports what
// the user does to its owner through WM_VZP_TASKPANEL_NOTIFY.
#pragma once

#include <afxwin.h>

#include <afxole.h>

class CVZPImageManager;
class CVZPTaskPanelDropTarget;
class CVZPTaskPanelGroup;
class CVZPTaskPanelGroups;
class CVZPTaskPanelItem;
class CVZPTaskPanelPaintManager;
class CVZPTaskPanelScrollButton;
class CVZPTooltipService;

// Sent to the owner (else the parent); wParam is a VZPTaskPanelNotifyCode.
const UINT WM_VZP_TASKPANEL_NOTIFY = 10220;

enum VZPTaskPanelNotifyCode
{
    vzpTaskPanelClick = 1,
    vzpTaskPanelRClick = 2,
    vzpTaskPanelStartDrag = 3,
    vzpTaskPanelEndLabelEdit = 4,
    vzpTaskPanelDropped = 5,
    vzpTaskPanelGroupExpanding = 6,
    vzpTaskPanelAnimationDone = 7,
    vzpTaskPanelDblClick = 8,
    vzpTaskPanelFocusChanged = 9,
};

enum VZPTaskPanelMode
{
    vzpTaskPanelModeIndependent = 0,
    vzpTaskPanelModeSingleGroupList = 1,
    vzpTaskPanelModeSingleGroupPanel = 2,
};

enum VZPTaskPanelAnimation
{
    vzpTaskPanelAnimationOn = 0,
    vzpTaskPanelAnimationOff = 1,
    vzpTaskPanelAnimationSystem = 2,
};

// A button that scrolls the active group's items in the single-group modes.
class CVZPTaskPanelScrollButton
{
public:
    explicit CVZPTaskPanelScrollButton(int nDirection)
        : m_nDirection(nDirection), m_bEnabled(FALSE), m_bPressed(FALSE), m_rc(0, 0, 0, 0), m_bHot(FALSE),
          m_pGroup(NULL), m_pCaptionGroup(NULL)
    {
    }

    int m_nDirection;               // 0 down, 1 up
    BOOL m_bEnabled;
    BOOL m_bPressed;
    CRect m_rc;                     // empty: not placed
    BOOL m_bHot;
    CVZPTaskPanelGroup* m_pGroup;
    CVZPTaskPanelGroup* m_pCaptionGroup;
};

// The edit control of an in-place rename.
class CVZPTaskPanelEditItem : public CEdit
{
    DECLARE_DYNAMIC(CVZPTaskPanelEditItem)
public:
    CVZPTaskPanelEditItem() : m_bCancelled(FALSE), m_pItem(NULL) {}

    BOOL m_bCancelled;
    CVZPTaskPanelItem* m_pItem;
};

// The panel's OLE drop target; it forwards to the panel it is registered
// with.
class CVZPTaskPanelDropTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
};

class CVZPTaskPanel : public CWnd
{
    DECLARE_DYNAMIC(CVZPTaskPanel)
public:
    // Theme 2, the group list, the hand cursor, the image manager, the drop
    // target (not registered), two scroll buttons, the tooltip service,
    // OleInitialize and automation.
    CVZPTaskPanel();
    ~CVZPTaskPanel() override;

    virtual void ItemClicked(CVZPTaskPanelItem* pItem);
    virtual void SetGroupExpanded(CVZPTaskPanelGroup* pGroup, BOOL bExpand);
    virtual void PaintPanel(CDC* pDC);
    virtual LRESULT SendOwnerNotification(WPARAM nCode, LPARAM lParam);
    virtual void BeginItemDragDrop(CVZPTaskPanelItem* pItem);
    virtual BOOL TrackGroupReorder(CVZPTaskPanelGroup* pGroup);
    virtual void ApplyItemRename(CVZPTaskPanelItem* pItem, LPCWSTR pszText);
    virtual DROPEFFECT DragOverPanel(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL DropOnPanel(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Drops every reference the panel holds to the item.
    virtual void ReleaseItemReferences(CVZPTaskPanelItem* pItem);
    virtual void UpdateScrollBar();

    // Replaces the paint manager by the theme of the number (0 to 12; any
    // other number gives theme 2) and lays the panel out.
    void ChoosePaintTheme(int nTheme);
    // Lays the groups out; nothing without a window or while locked.
    void LayoutPanel(BOOL bAnimate);
    // TRUE adds a lock and returns 1; FALSE removes one and returns 0 after
    // laying out when none is left, else -1.
    int LockLayout(BOOL bLock);
    // 0 on, 1 off, 2 as the system's menu animation.
    void SetAnimationMode(int nSetting);

    CVZPTaskPanelPaintManager* GetPaintManager() const { return m_pPaintManager; }
    CVZPTaskPanelGroups* GetGroups() const { return m_pGroups; }
    int GetPaintTheme() const { return m_nTheme; }
    int GetLayoutLock() const { return m_nLayoutLock; }
    BOOL IsAnimationOn() const { return m_bAnimation; }
    int GetAnimationMode() const { return m_nAnimationSetting; }
    CVZPImageManager* GetImageManager() const { return m_pImageManager; }
    CVZPTooltipService* GetTooltipService() const { return m_pTooltipService; }
    CVZPTaskPanelDropTarget* GetDropTarget() const { return m_pDropTarget; }
    HCURSOR GetHandCursor() const { return m_hHandCursor; }
    CVZPTaskPanelScrollButton* GetScrollButton(int nDirection) const
    {
        return nDirection == 0 ? m_pScrollDown : m_pScrollUp;
    }

    CVZPTaskPanelGroups* m_pGroups;
    CVZPTaskPanelPaintManager* m_pPaintManager;
    int m_nTheme;
    int m_nLayoutLock;
    int m_nContentHeight;
    int m_nLastContentHeight;
    CRect m_rcMargins;
    int m_nGroupSpacing;
    BOOL m_bScrollBarShown;
    CVZPTaskPanelItem* m_pHotItem;
    CVZPTaskPanelItem* m_pFocusedItem;
    CVZPTaskPanelItem* m_pPressedItem;
    CVZPTaskPanelItem* m_pDraggedItem;
    CVZPTaskPanelItem* m_pDropTargetItem;
    BOOL m_bAnimation;
    int m_nAnimationSetting;
    HCURSOR m_hHandCursor;
    UINT_PTR m_nAnimationTimer;
    int m_nAnimationSteps;
    CVZPImageManager* m_pImageManager;
    BOOL m_bGroupsExpandable;
    BOOL m_bAcceptFocus;
    BOOL m_bSettingFocus;
    BOOL m_bFocusCue;
    CSize m_szItemIcon;
    CSize m_szGroupIcon;
    BOOL m_bSelectOnFocus;
    CPoint m_ptPressed;
    int m_nDefaultDragFlags;
    BOOL m_bAcceptDrops;
    int m_nLayout;
    BOOL m_bMultiColumn;
    int m_nColumnWidth;
    int m_nHotTrackStyle;
    int m_nMode;
    CVZPTaskPanelGroup* m_pActiveGroup;
    CVZPTaskPanelDropTarget* m_pDropTarget;
    BOOL m_bHoverTimer;
    CVZPTaskPanelScrollButton* m_pScrollDown;
    CVZPTaskPanelScrollButton* m_pScrollUp;
    BOOL m_bFocusIsSelection;
    CVZPTooltipService* m_pTooltipService;
    BOOL m_bInScrollBarUpdate;

private:
    HRESULT m_hrOleInit;   // OleUninitialize only balances a call that succeeded
};

// The cursor resource the panel falls back to when the system has no hand
// cursor.
const UINT VZP_IDC_TASKPANEL_HAND = 9973;
