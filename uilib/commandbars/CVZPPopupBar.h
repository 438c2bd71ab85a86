// A popup menu or sub-menu as a command bar: a borderless, top-most tool
// window that lists its controls one per row, places itself beside the
// control or point that opened it inside the monitor's work area, scrolls
// when it is taller than that, hides rarely used commands behind an expand
// button, can be torn off into a floating toolbar and animates when it
// opens. Its window lives only while it tracks.
#pragma once

#include "CVZPCommandBar.h"

class CVZPToolBar;

class CVZPPopupBar : public CVZPCommandBar
{
    DECLARE_SERIAL(CVZPPopupBar)
public:
    CVZPPopupBar();
    ~CVZPPopupBar() override;

    // Placement flags.
    enum { placeLeft = 0x1, placeDropDown = 0x2 };
    // Timers on the popup window.
    enum { timerScrollDown = 5001, timerScrollUp = 5002, timerTearOff = 5003, timerExpand = 5004 };
    // Command id of the expand button.
    enum { kExpandButtonId = 9402 };

    // A popup bar of the popup-bar class (CVZPCommandBars::m_pPopupBarClass)
    // for the manager (which may be NULL).
    static CVZPPopupBar* AFX_CDECL CreatePopupBar(CVZPCommandBars* pCommandBars);

    // Stores the anchor and, when given, the rectangle the popup must not
    // cover, then opens the popup there.
    BOOL ShowPopupAt(int x, int y, LPCRECT lpExclude = NULL);
    // Creates the window once; FALSE when it cannot be made.
    BOOL CreatePopupWindow();

    // Shows the rarely used items; FALSE when nothing was hidden.
    virtual BOOL ExpandBar() { return ExpandHiddenControls(); }
    BOOL ExpandHiddenControls();
    // Marks the rarely used controls and hides them unless the bar is expanded.
    void RefreshHiddenState();
    // The screen rectangle of a popup of the size at the anchor.
    CRect ComputePopupRect(CSize sz);
    void MoveToComputedRect(CSize sz);
    // Lays the controls out between the scroll arrows, from the first
    // visible one down or from the end visible one up.
    void LayoutScrolled(const CSize* pSize, BOOL bFromBottom, BOOL bInvalidate);
    // 2 unfold, 3 slide, 4 fade, 5 none.
    int GetAnimationType() const;
    void AnimateFirstPaint();
    void ShowTearOffBar(BOOL bNearGripper, int x, int y);
    void TrackTearOff();
    // The first visible default item: its index or command id; -1 none.
    int GetDefaultItem(BOOL bByPosition) const;

    void SetTearOffPopup(LPCTSTR lpszCaption, UINT nBarID, int nWidth = 400);
    BOOL IsTearOffPopup() const { return m_bTearOffPopup; }
    BOOL HasHiddenControls() const { return m_bCollapsed; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetEndVisible() const { return m_nLastVisible; }
    CRect GetScrollDownRect() const { return m_scrollDown.rc; }
    CRect GetScrollUpRect() const { return m_scrollUp.rc; }
    CRect GetTearOffGripperRect() const { return m_rcTearOffGripper; }
    int GetPlacementFlags() const { return m_popupFlags; }
    void SetPlacementFlags(int nFlags) { m_popupFlags = nFlags; }
    CVZPToolBar* GetTearOffBar() const { return m_pTearOffBar; }
    // The expand button among the bar's controls, NULL when none.
    CVZPControl* FindExpandButton() const;

    // Overrides, in the base's slot order.
    BOOL DestroyWindow() override;
    void DelayRedraw() override;
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetHotControl(int nIndex, BOOL bKeyboard = FALSE) override;
    BOOL Popup(CVZPControl* pControl, BOOL bSelectFirst) override;
    BOOL IsVisible() const override;
    void OnRecalcLayout() override { DelayLayout(); }
    CVZPCommandBar* GetParentCommandBar() const override { return m_pControlPopup != NULL ? m_pParentBar : NULL; }
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void DrawCommandBar(CDC* pDC) override;
    void DelayLayout() override;
    void Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CVZPCommandBar* Clone(BOOL bRecursive) override;
    void DoPropExchange(CVZPPropExchange* pPX) override;
    // Added after the base's.
    virtual void RefreshShortcutTexts();
    virtual void PlaceAtControl();

    // The popup draws its check marks and images in two columns.
    BOOL m_bDoubleGripper;
    CVZPControl* m_pControlPopup;   // the control that opened the popup
    CVZPCommandBar* m_pParentBar;   // that control's bar
    UINT* m_pReturnCmd;             // where a tracked popup writes the chosen command

    // One scroll arrow: its client rectangle (empty when not shown) and
    // the running timer.
    struct SCROLLARROW
    {
        CRect rc;
        UINT_PTR nTimer;
        UINT nTimerId;
    };

    CPoint m_ptPopup;               // anchor, screen
    CRect m_rcExclude;              // screen rectangle not to cover
    int m_popupFlags;               // placeLeft | placeDropDown
    BOOL m_bDynamicLayout;          // the size is being computed
    BOOL m_bCollapsed;              // some controls hidden as rarely used
    BOOL m_bExpanded;               // all controls shown
    BOOL m_bExpanding;              // the next repositioning animates
    BOOL m_bTearOffPopup;
    CRect m_rcTearOffGripper;
    BOOL m_bTearOffSelected;        // the cursor is over the gripper
    UINT_PTR m_nTearOffTimer;
    BOOL m_bTearOffTracking;
    CSize m_szTearOffBar;
    CVZPToolBar* m_pTearOffBar;
    CString m_strTearOffCaption;
    UINT m_nTearOffID;
    int m_nTearOffWidth;
    BOOL m_bShowShadow;
    CRect m_rcBorders;              // margins of the popup-toolbar layout
    BOOL m_bScrolling;
    int m_nFirstVisible;
    int m_nLastVisible;             // index after the last laid-out control
    SCROLLARROW m_scrollDown;
    SCROLLARROW m_scrollUp;

protected:
    // The popup hosts a child window (an edit or combo box being edited).
    BOOL HasChildWindow() const;
    CSize CalcPopupMenuSize(CDC* pDC);
    // Borders, separator height and tear-off gripper height of the menu layout.
    void GetMenuMetrics(CDC* pDC, CRect& rcBorders, int& nSeparator, int& nGripper);
    // The expand button, made when missing, and its height.
    CVZPControl* EnsureExpandButton(CDC* pDC, int& nHeight);
    void OnScrollTimer(SCROLLARROW& arrow, CPoint point);

    BOOL m_bDestroying;             // the window is on its way out

    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
