// A dockable, floatable bar of controls filled from a toolbar resource: it
// lives in a dock bar, a rebar band or a floating window of its own, hides
// what does not fit behind an expand button, offers its own controls to
// show or hide ("&Add or Remove Buttons"), and is the base of the menu bar.
// The icon-size rules and the tooltip lookup of every bar live here too.
#pragma once

#include "CVZPCommandBar.h"
#include "CVZPControlButton.h"
#include "CVZPControlPopup.h"

class CVZPDockBar;
class CVZPCommandBarTracker;
class CVZPPopupBar;

class CVZPToolBar : public CVZPCommandBar
{
    DECLARE_SERIAL(CVZPToolBar)
public:
    CVZPToolBar();
    ~CVZPToolBar() override;

    // Command ids of the toolbar's own special controls.
    enum { idExpandButton = 9400, idCloseButton = 9401 };
    // Pixels kept at the far end of a docked bar for the expand button.
    enum { kExpandButtonRoom = 11 };
    // Flags word bits (the five low bits let the user drag the bar).
    enum
    {
        flagDockTop = 0x01,
        flagDockBottom = 0x02,
        flagDockLeft = 0x04,
        flagDockRight = 0x08,
        flagFloat = 0x10,
        flagDragMask = 0x1F,
        flagHideWrap = 0x20,      // hide what does not fit instead of wrapping
        flagStretched = 0x40,     // takes the whole length of its dock bar
        flagFillRow = 0x100000    // fills the free room of its dock-bar line
    };

    // The bar's behaviour bits; the first call also makes the bar's drag
    // tracker, so only a bar given flags can be dragged.
    void SetFlags(DWORD dwFlags);
    BOOL HasTracker() const { return m_pTracker != NULL; }
    CVZPCommandBarTracker* GetTracker() const { return m_pTracker; }
    CVZPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CVZPDockBar* pDockBar) { m_pDockBar = pDockBar; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void ShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    BOOL IsExpandButtonShown() const { return m_bShowExpandButton; }

    // Positions 0 to 3 dock through the manager, 4 floats; FALSE without a
    // manager or for any other position.
    BOOL SetPosition(int nPosition) override;
    // The bar's window, docked (a child of the site) or floating (owned by
    // it); made once and restyled when the bar moves between the two.
    virtual BOOL CreateToolBar(CWnd* pSite, BOOL bFloat);
    BOOL Create(CWnd* pSite, BOOL bFloat) { return CreateToolBar(pSite, bFloat); }
    BOOL SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override { return m_bVisible; }
    // Hidden for print preview and shown again after it when it was visible.
    virtual void OnSetPreviewMode(BOOL bPreview);
    void OnRecalcLayout() override;
    void DoPropExchange(CVZPPropExchange* pPX) override;

    // Takes the resource's buttons (and with bLoadIcons its images) and
    // keeps them as the default controls.
    BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE) override;
    // One control per id; a 0 id makes the next control begin a group.
    BOOL SetButtons(const UINT* pButtons, int nCount);
    // 0 no, 1 yes, 2 as the options say; the bar is measured again.
    void SetShowTextBelowIcons(int nMode);

    // Asks, then puts the default controls back.
    virtual void ResetCustomization();
    // Sizes a floating dialog bar to the window rectangle while its edge of
    // the hit-test code is dragged; plain toolbars are sized by their rows
    // instead and never get here.
    virtual void ResizeDialogBar(const CRect& rcWindow, UINT nHitCode) { (void)rcWindow; (void)nHitCode; }
    void Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;

    // Docked and rebar layout; nMinimum is the least thickness across.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nMinimum = 0);
    // Floating layout; a docking mode (LM_HORZDOCK, LM_VERTDOCK) is the
    // docked layout, as rebars ask for it.
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;

    // The expand button's popup: the controls the bar's row hides and the
    // "&Add or Remove Buttons" entry. Called when the button opens.
    virtual CVZPPopupBar* CreateExpandPopup(BOOL bKeyboard);
    // Fills the popup with one check button per control of the bar (and a
    // Reset entry for a built-in bar).
    void BuildCustomizePopup(CVZPCommandBar* pPopup);

    // Fields (the manager and the trackers read them directly).
    CVZPDockBar* m_pDockBar;
    CVZPCommandBarTracker* m_pTracker;
    BOOL m_bBuiltIn;
    BOOL m_bTearOff;
    BOOL m_bPreviewVisible;   // visible when print preview began
    BOOL m_bInPreview;
    BOOL m_bShowExpandButton;

protected:
    // The bar's special control with the id, made (hidden, temporary) when
    // missing.
    CVZPControl* GetSpecialControl(UINT nID);
    // The controls' layout with the bar's font on a client DC of the bar.
    CSize CalcControlsSize(int nLength, DWORD dwMode, const CRect& rcBorder, int nMinimum);
    BOOL HasOverflowHidden() const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

// The expand button at the far end of a toolbar (id 9400): it shows whether
// controls are hidden for lack of room and opens the bar's expand popup.
class CVZPToolBarExpandButton : public CVZPControlPopup
{
    DECLARE_DYNCREATE(CVZPToolBarExpandButton)
public:
    CVZPToolBarExpandButton();

    BOOL HasHiddenControls() const { return m_bHiddenControls; }
    void SetRect(CRect rcControl) override;
    void Draw(CDC* pDC) override;
    BOOL SetPopuped(BOOL bPopuped) override;

    BOOL m_bHiddenControls;
};

// The close button of a floating toolbar (id 9401): hides its bar.
class CVZPToolBarCloseButton : public CVZPControlButton
{
    DECLARE_DYNCREATE(CVZPToolBarCloseButton)
public:
    CVZPToolBarCloseButton();
    void Draw(CDC* pDC) override;
    void OnExecute() override;
};

// A check button of the "&Add or Remove Buttons" list: it stands for one
// control of a bar (hiding or showing it), or for the bar (Reset).
class CVZPToolBarListButton : public CVZPControlButton
{
    DECLARE_DYNCREATE(CVZPToolBarListButton)
public:
    CVZPToolBarListButton();
    ~CVZPToolBarListButton() override;

    // Holds a reference on the control it stands for.
    void SetTarget(CVZPControl* pTarget);
    void SetResetBar(CVZPToolBar* pBar) { m_pResetBar = pBar; }
    CVZPControl* GetTarget() const { return m_pTarget; }
    void OnExecute() override;
    void Copy(CVZPControl* pControl, BOOL bRecursive = FALSE) override;

    CVZPControl* m_pTarget;
    CVZPToolBar* m_pResetBar;
};
