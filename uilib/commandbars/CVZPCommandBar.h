// The window base of every command bar (toolbars, the menu bar and popup
// bars): its controls, position, type, tracking mode, and the look it asks
// of the paint manager. Reference counted: owners call InternalRelease, and
// the last release destroys the window first.
#pragma once

#include <afxwin.h>

#include "CVZPHookReceiver.h"
#include "VZPCommandBarsDefs.h"

class CVZPCommandBars;
class CVZPCommandBarPaintManager;
class CVZPControls;
class CVZPControl;
class CVZPImageManager;
class CVZPTooltipService;

class CVZPCommandBar : public CWnd, public CVZPHookReceiver
{
    DECLARE_SERIAL(CVZPCommandBar)
public:
    CVZPCommandBar();
    ~CVZPCommandBar() override;

    // State bits.
    enum { stateLayoutPending = 0x1, stateRedrawPending = 0x2 };

    CVZPCommandBars* GetCommandBars() const;
    void SetCommandBars(CVZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CVZPControls* GetControls() const { return m_pControls; }
    // The bar at the top of the GetParentCommandBar chain.
    CVZPCommandBar* GetRootParent();
    // The bar's own theme, else its manager's, else the process-wide one.
    CVZPCommandBarPaintManager* GetPaintManager() const;
    CVZPImageManager* GetImageManager() const;
    // The window that receives the bar's commands: the notify window, the
    // manager's site, else the owner window.
    CWnd* GetOwnerSite() const;

    int GetPosition() const { return m_barPosition; }
    int GetType() const { return m_barType; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    DWORD GetFlags() const { return m_dwFlags; }
    void ModifyFlags(DWORD dwRemove, DWORD dwAdd) { m_dwFlags = (m_dwFlags & ~dwRemove) | dwAdd; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL IsTrackingMode() const { return m_bTracking != 0; }
    BOOL IsCloseable() const { return m_bCloseable; }

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
    // unless the redraw lock is held.
    void Redraw();

    // Virtual operations of the bar.
    virtual void DelayRedraw() { m_dwState |= stateRedrawPending; }
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual BOOL SetHotControl(int nIndex, BOOL bKeyboard = FALSE);
    // Fills the bar from a toolbar resource; with bLoadIcons the images of
    // its buttons go to the image manager. FALSE when there is no such
    // resource.
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    virtual BOOL SetVisible(BOOL bVisible) { (void)bVisible; return FALSE; }
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL SetPosition(int nPosition) { (void)nPosition; return FALSE; }
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    virtual void OnRecalcLayout() {}
    virtual CVZPCommandBar* GetParentCommandBar() const { return NULL; }
    virtual BOOL IsDialogBar() const { return FALSE; }
    virtual BOOL IsKeyboardCuesVisible() const;
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode) { (void)nLength; (void)nMode; return CSize(0, 0); }
    virtual void DelayLayout();
    virtual BOOL IsPointInBar(CPoint point) const;
    virtual void OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler) { (void)bDisableIfNoHandler; }

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // Fields (owned by the bar; later layers read and write them directly).
    int m_nHotControl;             // highlighted control, -1 none
    int m_nPopupedControl;         // control whose popup is open, -1 none
    UINT m_nBarID;
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
    BOOL m_bContextMenuPresent;
    int m_nLockRedraw;             // redraw lock count
    CVZPCommandBarPaintManager* m_pPaintManager;   // bar's own theme, NULL: none
    CVZPImageManager* m_pImageManager;             // bar's own images, NULL: none
    CVZPTooltipService* m_pToolTipContext;

protected:
    void OnFinalRelease() override;
};
