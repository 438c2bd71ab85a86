// The object through which a frame window owns docking panes: the site
// frame, the pane tree, the docking paint manager (theme), an image store
// for pane icons, the drag context and a tooltip service. Until a site is
// set and a layout adopted it is inert: FindPane finds nothing, ClosePane
// has nothing to close, RefreshPaneFrames does nothing.
#pragma once

#include <afxwin.h>

#include <afxpriv.h>

class CVZPDockingPane;
class CVZPDockingPaneBase;
class CVZPDockingPaneDragContext;
class CVZPDockingPaneSplitterContainer;
class CVZPImageManagerIcon;
struct VZPDockingPaneRecord;
class CVZPDockingPaneLayout;
class CVZPDockingPanePaintManager;
class CVZPImageManager;
class CVZPTooltipService;

// Sent to the site window; wParam is a VZPDockingPaneNotifyCode.
const UINT WM_VZP_DOCKINGPANE_NOTIFY = 10925;

enum VZPDockingPaneNotifyCode
{
    vzpDockingPaneShowWindow = 1,   // lParam the pane
    vzpDockingPaneRClick = 2,       // lParam the pane base
    vzpDockingPaneClosing = 3,      // lParam the pane; -1 keeps it open
    vzpDockingPaneAction = 4,       // lParam a VZPDockingPaneActionRecord
    vzpDockingPaneMenu = 5,         // lParam a VZPDockingPaneMenuRecord
};

enum VZPDockingPaneType
{
    vzpPaneTypeDockingPane = 0,
    vzpPaneTypeTabbedContainer = 1,
    vzpPaneTypeSplitterContainer = 2,
    vzpPaneTypeMiniWnd = 3,
    vzpPaneTypeClient = 4,
    vzpPaneTypeAutoHidePanel = 5,
};

enum VZPDockingPaneDirection
{
    vzpPaneDockLeft = 0,
    vzpPaneDockRight = 1,
    vzpPaneDockTop = 2,
    vzpPaneDockBottom = 3,
};

enum VZPDockingPaneAction
{
    actionFloating = 0,
    actionFloated = 1,
    actionClosing = 2,
    actionClosed = 3,
    actionDocking = 4,
    actionDocked = 5,
    actionAttaching = 6,
    actionAttached = 7,
    actionAutoHiding = 8,
    actionAutoHidden = 9,
    actionCollapsing = 10,
    actionCollapsed = 11,
    actionExpanding = 12,
    actionExpanded = 13,
    actionActivated = 14,
    actionDeactivated = 15,
    actionDetachingTab = 16,
};

// The record of notification 4 (20 bytes); a handler sets the cancel field
// to veto an action that can be vetoed.
struct VZPDockingPaneActionRecord
{
    INT32 nAction;
    INT32 bCancel;
    void* pPane;
    void* pTarget;
    INT32 nSide;
};

// The record of notification 5 (28 bytes): screen coordinates.
struct VZPDockingPaneMenuRecord
{
    CVZPDockingPane* pPane;
    INT32 x;
    INT32 y;
    RECT rcButton;
};

static_assert(sizeof(VZPDockingPaneActionRecord) == 20, "the action record is 20 bytes");
static_assert(sizeof(VZPDockingPaneMenuRecord) == 28, "the menu record is 28 bytes");

// The id of the manager's hidden window in its site; any id but the view's.
const UINT VZP_IDW_DOCKINGPANE_MANAGER = 0xE8F0;

class CVZPDockingPaneManager : public CWnd
{
public:
    // Theme 0, image manager, drag context, tooltip service, OleInitialize.
    CVZPDockingPaneManager();
    // Releases layout, active pane, paint manager and tooltip service,
    // deletes the drag context, releases the image manager, OleUninitialize.
    ~CVZPDockingPaneManager() override;

    virtual CVZPDockingPaneLayout* MakeLayout();
    virtual CVZPDockingPaneBase* CreatePaneObject(int nType, CVZPDockingPaneLayout* pLayout);
    virtual void SetPaneActive(BOOL bActivate, CVZPDockingPane* pPane);

    // Replaces the paint manager by the theme of the number (0 to 9; any
    // other number gives theme 0), which records the number; theme 9 also
    // switches the stickers to their second set.
    void SelectTheme(int nTheme);
    CVZPDockingPanePaintManager* GetPaintManager() const { return m_pPaintManager; }

    // Sets the site (before any pane object is made) and creates the hidden
    // manager window as a permanent child of it, behind the site's other
    // children so that bars take their strips before the panes do.
    BOOL InstallManager(CWnd* pSite);
    // Makes the layout the current one: its windows are created, and the
    // previous layout is released. The manager takes over the reference.
    void AdoptLayout(CVZPDockingPaneLayout* pLayout);

    // The pane with that id in the current layout; NULL without one.
    CVZPDockingPane* FindPane(int nID) const;
    CVZPDockingPaneSplitterContainer* GetRootContainer() const;
    CVZPDockingPaneBase* GetClientPlaceholder() const;
    CList<VZPDockingPaneRecord, const VZPDockingPaneRecord&>* GetPaneRecords() const;
    CVZPImageManagerIcon* LookupPaneIcon(int nIconID, int nWidth) const;
    BOOL IsSiteMirrored() const;
    // Left and right swap on a right-to-left site.
    int MirrorSide(int nSide) const;
    int GetPaneSide(CVZPDockingPaneBase* pObject) const;
    // Whether the object lies in a floating frame.
    static BOOL IsInFloatingFrame(CVZPDockingPaneBase* pObject);
    static BOOL IsFloating(CVZPDockingPaneBase* pObject);

    // Selects the pane in its container (or puts a closed pane back where
    // it was last) and shows its window.
    void RevealPane(CVZPDockingPane* pPane, BOOL bSetFocus = TRUE);
    // Closes the pane unless the site answers -1 (nothing for NULL).
    void ClosePane(CVZPDockingPane* pPane);
    // Docked (or auto-hidden) to floating and back, through the panes'
    // holders.
    void SwitchDockedFloating(CVZPDockingPaneBase* pObject);
    // Moves the pane into the holder (or floats it at its container's
    // rectangle without one); TRUE when it moved.
    BOOL MovePaneToHolder(CVZPDockingPane* pPane, CVZPDockingPaneBase* pHolder);
    void SendToAutoHide(CVZPDockingPaneBase* pObject);
    void FloatPaneAt(CVZPDockingPaneBase* pObject, CRect rc);
    // Docks the object at a side of the neighbour (NULL: of the whole tree).
    void DockPaneAtSide(CVZPDockingPaneBase* pObject, int nSide, CVZPDockingPaneBase* pNeighbour = NULL);
    void InsertDocked(CVZPDockingPaneBase* pObject, int nSide, CVZPDockingPaneBase* pNeighbour);
    // Moves the pane, or the panes of a container, into the target's
    // tabbed container.
    void AttachPaneTo(CVZPDockingPaneBase* pObject, CVZPDockingPaneBase* pTarget);
    // The screen rectangle DockPaneAtSide would give the object.
    CRect ComputeDockRect(CVZPDockingPaneBase* pObject, int nSide, CVZPDockingPaneBase* pNeighbour);
    // Notification 4 with a fresh action record; the cancel field.
    BOOL SendPaneAction(int nAction, void* pPane, CVZPDockingPaneBase* pTarget = NULL, int nSide = 0);
    // Asks every frame that hosts a pane for a delayed layout, and lets
    // floating frames re-apply their frame style; nothing while the manager
    // has no window.
    void RefreshPaneFrames();
    // Remembers each placed pane's container as its holder.
    void RefreshPaneRecords();
    void UpdatePanesIdle();

    CVZPDockingPaneLayout* GetLayout() const { return m_pLayout; }
    CVZPDockingPaneDragContext* GetDragContext() const { return m_pDragContext; }
    CVZPImageManager* GetImageManager() const { return m_pImageManager; }
    CVZPTooltipService* GetTooltipService() const { return m_pTooltipService; }
    int GetStickerStyle() const { return m_nStickerStyle; }

    int m_nSplitterMinimum;
    BOOL m_bCloseGroup;
    BOOL m_bGroupAutoHide;
    CWnd* m_pSite;
    CVZPDockingPaneLayout* m_pLayout;
    CVZPDockingPanePaintManager* m_pPaintManager;
    CVZPDockingPane* m_pActivePane;
    CVZPImageManager* m_pImageManager;
    BOOL m_bHideClient;
    BOOL m_bOutlineSplitterDrag;
    BOOL m_bMaximizeButtons;
    BOOL m_bLockSplitters;
    BOOL m_bDragStyleTranslucent;
    BOOL m_bDragStyleStickers;
    BOOL m_bThemedFloatingFrames;
    BOOL m_bSyncFloatingFrames;
    DWORD m_dwDefaultPaneOptions;
    int m_nVerticalCaptionMode;
    CString m_strFloatingCaption;
    int m_nStickerStyle;
    CVZPDockingPaneDragContext* m_pDragContext;
    CVZPTooltipService* m_pTooltipService;
    BOOL m_bAttaching;
    BOOL m_bLaidOut;

protected:
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    HRESULT m_hrOleInit;   // OleUninitialize only balances a call that succeeded
};
