// A vertical side panel of collapsible groups of items (links, texts or
// hosted windows) drawn by an exchangeable paint manager. It reports what
// the user does to its owner through WM_VZP_TASKPANEL_NOTIFY.
#pragma once

#include <afxwin.h>

#include <afxole.h>

#include "CVZPAccessibleBase.h"

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

// The edit control of an in-place rename: Enter or leaving it commits a
// non-empty text, Esc cancels; the window closes itself either way.
class CVZPTaskPanelEditItem : public CEdit
{
    DECLARE_DYNAMIC(CVZPTaskPanelEditItem)
public:
    CVZPTaskPanelEditItem() : m_bCancelled(FALSE), m_pItem(NULL), m_bClosing(FALSE) {}

    BOOL m_bCancelled;
    CVZPTaskPanelItem* m_pItem;

protected:
    void PostNcDestroy() override;
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bClosing;   // the kill-focus handling runs once
};

// The panel's OLE drop target; it forwards to the panel it is registered
// with.
class CVZPTaskPanelDropTarget : public COleDropTarget
{
public:
    // The framework's default answers "none" for a window that is not a
    // view; the panel decides instead.
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
};

// The lParam of notification 6: the group and the state it is to take.
struct VZPTaskPanelGroupExpanding
{
    CVZPTaskPanelGroup* pGroup;
    BOOL bExpanding;
};

// Timer ids of the panel's window.
enum
{
    VZP_TASKPANEL_TIMER_ANIMATION = 200,   // 30 ms while a group animates
    VZP_TASKPANEL_TIMER_SCROLLBUTTON = 202,
    VZP_TASKPANEL_TIMER_HOVER = 203,       // expands a collapsed group under a drag
};

class CVZPTaskPanel : public CWnd, public CVZPAccessibleBase
{
    DECLARE_DYNAMIC(CVZPTaskPanel)
    DECLARE_INTERFACE_MAP()
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

    // A child window with the drop target registered.
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Options (each lays the panel out where it changes the layout).
    void SetMode(int nMode);
    int GetMode() const { return m_nMode; }
    void SetItemLayout(int nLayout);
    void SetHotTrackStyle(int nStyle);
    int GetEffectiveLayout() const;
    int GetEffectiveHotTrack() const;
    void SetMargins(const RECT& rcMargins);
    void SetGroupSpacing(int nSpacing);
    void SetIconSizes(CSize szItemIcon, CSize szGroupIcon);
    void SetMultiColumn(BOOL bMultiColumn, int nColumnWidth);
    void SetDragDropOptions(int nDefaultDragFlags, BOOL bAcceptDrops);
    void SetFocusOptions(BOOL bAcceptFocus, BOOL bSelectOnFocus, BOOL bFocusIsSelection);
    void SetGroupsExpandable(BOOL bExpandable) { m_bGroupsExpandable = bExpandable; }
    // Starts a rename of the item in an edit control over its text; NULL
    // when the panel has no window or the item is not shown.
    CVZPTaskPanelEditItem* RenameItem(CVZPTaskPanelItem* pItem);

    // Groups.
    int GetGroupCount() const;
    CVZPTaskPanelGroup* GetAt(int nIndex) const;
    CVZPTaskPanelGroup* AddGroup(LPCWSTR pszCaption, int nID = 0);
    BOOL IsGroupExpanded(const CVZPTaskPanelGroup* pGroup) const;
    CVZPTaskPanelGroup* GetActiveGroup() const { return m_pActiveGroup; }
    CVZPTaskPanelGroup* NextVisibleGroup(int nIndex, int nDirection) const;

    // State.
    CVZPTaskPanelItem* GetHotItem() const { return m_pHotItem; }
    CVZPTaskPanelItem* GetFocusedItem() const { return m_pFocusedItem; }
    CVZPTaskPanelItem* GetPressedItem() const { return m_pPressedItem; }
    CVZPTaskPanelItem* GetDraggedItem() const { return m_pDraggedItem; }
    CVZPTaskPanelItem* GetDropTargetItem() const { return m_pDropTargetItem; }
    int GetContentHeight() const { return m_nContentHeight; }
    // The scroll bar's position while it is shown, else 0.
    using CWnd::GetScrollPos;
    int GetScrollPos() const;
    // The largest scroll position.
    int GetScrollMax();
    BOOL IsScrollBarShown() const { return m_bScrollBarShown; }
    BOOL HasFocusCue() const { return m_bFocusCue; }

    void ChangeFocusedItem(CVZPTaskPanelItem* pItem, BOOL bByKeyboard);
    void SetHotItem(CVZPTaskPanelItem* pItem);
    void MakeItemVisible(CVZPTaskPanelItem* pItem);
    void ScrollPanelTo(int nPos);
    void ScrollRectIntoView(CRect rc);
    CVZPTaskPanelGroup* GroupAtPoint(CPoint pt) const;
    CVZPTaskPanelItem* ItemAtPoint(CPoint pt, BOOL bGroupIfNoItem) const;
    CVZPTaskPanelScrollButton* ScrollButtonAtPoint(CPoint pt) const;
    CVZPTaskPanelItem* NextKeyboardItem(CVZPTaskPanelItem* pItem, int nDirection, BOOL bTabStep, BOOL bRowStep);
    // Moves every (or every animating) group one step; TRUE when one moved.
    BOOL StepGroupAnimations(BOOL bAnimatingOnly);
    void PlaceScrollButtons();
    void UpdateScrollButtonStates();
    void TrackScrollButton(CVZPTaskPanelScrollButton* pButton);
    // The handlers of the panel's timers.
    void OnAnimationTimer();
    void OnScrollButtonTimer(CVZPTaskPanelScrollButton* pButton, BOOL* pbFirstRepeat);
    void OnHoverTimer();
    // The child id of an item in the accessibility tree (groups and their
    // items in order from 1); 0 for an item not in the panel.
    long GetAccessibleChildId(const CVZPTaskPanelItem* pItem) const;
    CVZPTaskPanelItem* GetAccessibleChild(long nChildId) const;

    // Accessibility of the panel itself.
    CCmdTarget* GetOwnerCmdTarget() override { return this; }
    HRESULT get_accParent(IDispatch** ppdispParent) override;
    HRESULT get_accChildCount(long* pcountChildren) override;
    HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
    HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

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
    // The period timer 202 runs with (0 while no scroll button is held).
    UINT m_nScrollButtonDelay;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Sets the focus to the panel (when it accepts it and lacks it).
    void TakeFocus();
    void UpdateScrollButtonHot(CPoint pt);
    // The neighbouring tab stop of the parent; NULL when it is the panel.
    CWnd* NextTabStopWindow(BOOL bPrevious) const;
    // Dispatches the pending paints, then takes the next message; FALSE on
    // WM_QUIT, which is posted again.
    BOOL PumpModalMessage(MSG* pMsg);
    // What the panel's modal mouse loops do with a message: 1 ends the loop
    // (button release, Esc), 0 swallows it (other keys), -1 leaves it to
    // the loop.
    static int FilterModalMessage(const MSG& msg);
    void StopHoverTimer();
    // Command-bar popups block the mouse, or a modal mouse loop runs.
    static BOOL IsInputBlocked();
    static BOOL IsScrollButtonVisible(const CVZPTaskPanelScrollButton* pButton, BOOL bOnCaptions);

    HRESULT m_hrOleInit;   // OleUninitialize only balances a call that succeeded
};

// The cursor resource the panel falls back to when the system has no hand
// cursor.
const UINT VZP_IDC_TASKPANEL_HAND = 9973;
