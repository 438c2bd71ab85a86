// The window base of every command bar (toolbars, the menu bar, popup bars
// and lists): it owns the bar's controls, tracks the hot control and the one
// whose popup is open, runs the tracking mode in which keys and the mouse
// drive the bar like a menu, hands mouse messages to the controls, draws
// through the paint manager, refreshes command states at idle time and takes
// drops while the bars are customised. Reference counted: owners call
// InternalRelease, and the last release destroys the window first.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "CVZPAccessibleBase.h"
#include "CVZPHookReceiver.h"
#include "VZPCommandBarsDefs.h"

class CVZPCommandBars;
class CVZPCommandBarPaintManager;
class CVZPControls;
class CVZPControl;
class CVZPCommandBarRefList;
class CVZPPropExchange;
struct VZPCommandBarsStateOptions;
class CVZPImageManager;
class CVZPTooltipService;

class CVZPCommandBar : public CWnd, public CVZPHookReceiver, public CVZPAccessibleBase
{
    DECLARE_SERIAL(CVZPCommandBar)
public:
    CVZPCommandBar();
    ~CVZPCommandBar() override;

    // State bits.
    enum { stateLayoutPending = 0x1, stateRedrawPending = 0x2 };
    // Timers on the bar window.
    enum { timerHover = 112223, timerShowFull = 112224 };
    // Keyboard actions of Navigate.
    enum
    {
        navNext = 0,
        navPrev = 1,
        navCollapse = 2,
        navExpand = 3,
        navEscape = 4,
        navEnter = 5,
        navFirst = 6,
        navLast = 7
    };

    // Periods of the hover and full-menu timers (process-wide).
    static UINT s_nHoverDelay;
    static UINT s_nExpandDelay;
    // Test seam: the bar's MessageBeep goes here while set.
    typedef void (*PFNBEEP)(UINT nType);
    static void AFX_CDECL SetBeepForTest(PFNBEEP pfn);

    // --- Lookups ------------------------------------------------------------
    CVZPCommandBars* GetCommandBars() const;
    void SetCommandBars(CVZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CVZPControls* GetControls() const { return m_pControls; }
    CVZPControl* GetControl(int nIndex) const;
    int GetControlCount() const;
    // The bar at the top of the GetParentCommandBar chain.
    CVZPCommandBar* GetRootParent() const;
    // The window that hosts the bar: the manager's site, else the root
    // bar's owner, its window's owner or parent, else the thread's main window.
    CWnd* GetSite() const;
    // The root bar's notify window, else GetSite: commands go here.
    CWnd* GetOwnerSite() const;
    CVZPCommandBarPaintManager* GetPaintManager() const;
    CVZPImageManager* GetImageManager() const;
    // Takes over the caller's reference (NULL drops the override).
    void SetImageManager(CVZPImageManager* pImageManager);
    BOOL IsCustomizeMode() const;
    BOOL IsHelpMode() const;
    BOOL IsLayoutRTL() const;
    // Horizontal for keyboard purposes: docked top or bottom, floating, or
    // a popup toolbar.
    BOOL IsHorizontalBar() const;

    int GetPosition() const { return m_barPosition; }
    int GetType() const { return m_barType; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    DWORD GetFlags() const { return m_dwFlags; }
    // Flags = (Flags | dwAdd) & ~dwRemove.
    void ModifyFlags(DWORD dwAdd, DWORD dwRemove) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    int GetTrackingMode() const { return m_bTracking; }
    BOOL IsTrackingMode() const { return m_bTracking != 0; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    int GetHotIndex() const { return m_nHotControl; }
    int GetPopupedIndex() const { return m_nPopupedControl; }
    CRect GetInsertionMarker() const { return m_rcMarker; }

    // Icon size: the bar's, else 16 x 16 (the options' small icons); button
    // size: the bar's, else the icon size plus 7.
    CSize GetIconSize() const;
    void SetIconSize(CSize size) { m_szIcons = size; }
    CSize GetButtonSize() const;
    void SetButtonSize(CSize size) { m_szButtons = size; }
    // Captions below icons: mode 1 always, 0 never, 2 as the options say.
    BOOL IsTextBelowIcons() const;
    void SetShowTextBelowIcons(int nMode) { m_nTextBelowIcons = nMode; }

    // Clears the redraw-pending bit and invalidates the window (no erase)
    // unless the redraw lock is held. Nothing while the bar has no window,
    // so a bar not yet created never repaints the desktop.
    void Redraw();
    // This bar and every bar up the parent chain.
    void InvalidateParents();

    // --- State changes ----------------------------------------------------
    BOOL SetPopupedControl(int nIndex, BOOL bKeyboard = FALSE);
    // The control whose caption matches the key as an access key, -1 none.
    int FindMnemonicControl(UINT nKey, BOOL* pbAmbiguous) const;
    // Fills the bar from a menu: popups for submenus, buttons for commands,
    // group marks for separators, check and disabled states from the menu.
    BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveExisting = TRUE);
    // Status-bar text of the site: a text is shown, an empty one restores
    // the idle prompt.
    void SetStatusText(const CString& strText);
    // Commands and update handlers answered by the owner site.
    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler);
    void UpdateDocTemplateControls();
    // Where a dragged control would go at the client point: index, side
    // (TRUE after it) and the marker rectangle; index -1 with no control.
    void CalcInsertPosition(CPoint point, int& nIndex, BOOL& bAfter, CRect& rcMarker, BOOL& bVertMarker);

    // --- Virtual operations ----------------------------------------------
    virtual void DelayRedraw() { m_dwState |= stateRedrawPending; }
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual BOOL SetHotControl(int nIndex, BOOL bKeyboard = FALSE);
    // Fills the bar from a toolbar resource; with bLoadIcons the images of
    // its buttons go to the image manager. FALSE when there is no such
    // resource.
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    virtual BOOL Popup(CVZPControl* pControl, BOOL bSelectFirst);
    virtual BOOL SetVisible(BOOL bVisible) { (void)bVisible; return FALSE; }
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL SetPosition(int nPosition) { (void)nPosition; return FALSE; }
    virtual DROPEFFECT OnCustomizeDragEnter(CVZPControl* pSource, CPoint point);
    virtual void OnCustomizeDragLeave();
    virtual DROPEFFECT OnCustomizeDragOver(CVZPControl* pSource, CPoint point);
    virtual void OnCustomizeDrop(CVZPControl* pSource, DROPEFFECT* pEffect, CPoint ptDrop, CPoint ptDrag);
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    virtual void OnRecalcLayout() {}
    virtual void OnControlSelected(BOOL bSelected, CVZPControl* pControl);
    virtual CVZPCommandBar* GetParentCommandBar() const { return NULL; }
    virtual BOOL IsDialogBar() const { return FALSE; }
    virtual BOOL IsKeyboardCuesVisible() const;
    // 1 handled, 2 not handled (pass on).
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode) { (void)nLength; (void)nMode; return CSize(0, 0); }
    virtual BOOL Navigate(int nAction);
    virtual void DrawCommandBar(CDC* pDC);
    virtual void DelayLayout();
    virtual void Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual BOOL IsPointInBar(CPoint point) const;
    virtual void OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler);
    virtual CVZPCommandBar* Clone(BOOL bRecursive);
    // The bar's keys and its controls in the saved model.
    virtual void DoPropExchange(CVZPPropExchange* pPX);
    // Appends the bar and the popup bars its controls open (numbering popup
    // bars without an id from *pnNextId) unless it is listed already.
    virtual void AddToCommandBarList(UINT* pnNextId, CVZPCommandBarRefList* pList,
                                     VZPCommandBarsStateOptions* pOptions);
    // Binds loaded popup controls to the listed popup bars they name.
    virtual void ResolvePopupBars(CVZPCommandBarRefList* pList);

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    CCmdTarget* GetOwnerCmdTarget() override { return this; }

    // Fields (owned by the bar; later layers read and write them directly).
    BOOL m_bHideCaret;             // hide the focus window's caret while tracking
    int m_nMRUWidth;               // last width the user gave a resizable bar
    int m_nHotControl;             // highlighted control, -1 none
    int m_nPopupedControl;         // control whose popup is open, -1 none
    HWND m_hwndCaret;              // window whose caret was hidden
    UINT m_nBarID;
    BOOL m_bVisible;               // the bar's own visibility (derived bars)
    int m_bTracking;               // 0 off, 1 tracking, 2 tracking for an open popup
    CWnd* m_pOwnerWnd;             // owner set by TrackPopupBar
    DWORD m_dwState;               // stateLayoutPending | stateRedrawPending
    DWORD m_dwFlags;
    DWORD m_dwStyle;               // CBRS_GRIPPER: draw a gripper
    CString m_strTitle;
    int m_barType;                 // VZPBarType
    CVZPControls* m_pControls;
    int m_barPosition;             // VZPBarPosition
    CVZPCommandBars* m_pCommandBars;
    CWnd* m_pNotifyWnd;
    CSize m_szIcons;
    CSize m_szButtons;
    int m_nTextBelowIcons;
    BOOL m_bRightButton;
    BOOL m_bNoNotify;
    BOOL m_bRecursive;
    int m_nLockTracking;           // nested-tracking lock
    BOOL m_bKeyboardSelected;
    BOOL m_bCloseable;
    BOOL m_bCustomizable;
    CRect m_rcMarker;              // insertion marker while customising
    BOOL m_bVerticalMarker;
    BOOL m_bContextMenuPresent;
    BOOL m_bEnteredByMouse;        // tracking began without keyboard selection
    int m_nLockRedraw;             // redraw lock count
    CVZPCommandBarPaintManager* m_pPaintManager;   // bar's own theme, NULL: none
    CVZPImageManager* m_pImageManager;             // bar's own images, NULL: none
    CVZPTooltipService* m_pToolTipContext;
    int m_nStatusControl;          // control whose status text stays, -1 none

protected:
    void OnFinalRelease() override;
    void PostNcDestroy() override {}
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Raises and lowers the redraw lock; at 0 the bar is redrawn.
    void LockRedraw() { m_nLockRedraw++; }
    void UnlockRedraw();
    // Steps through the controls the way the keyboard does.
    int GetNextNavigable(int nStart, int nStep) const;
    // Grid movement of popup toolbars and floating bars.
    BOOL NavigateGrid(int nStep);
    void Beep(UINT nType) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTestMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUIMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static PFNBEEP s_pfnBeep;
};

// A list of bars that holds a reference on each; its destructor releases
// them all.
class CVZPCommandBarRefList
{
public:
    CVZPCommandBarRefList() {}
    ~CVZPCommandBarRefList() { RemoveAll(); }
    CVZPCommandBarRefList(const CVZPCommandBarRefList&) = delete;
    CVZPCommandBarRefList& operator=(const CVZPCommandBarRefList&) = delete;

    // Adds a reference on the bar and appends it.
    void Add(CVZPCommandBar* pBar);
    void RemoveAll();
    int GetCount() const { return (int)m_list.GetCount(); }
    POSITION GetHeadPosition() const { return m_list.GetHeadPosition(); }
    CVZPCommandBar* GetNext(POSITION& pos) const { return (CVZPCommandBar*)m_list.GetNext(pos); }
    // The first bar whose bar id is nBarID, NULL when none.
    CVZPCommandBar* FindBar(UINT nBarID) const;

private:
    CPtrList m_list;
};
