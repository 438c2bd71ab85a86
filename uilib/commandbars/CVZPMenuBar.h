// The command bar that takes the place of a frame's Win32 menu: it loads a
// menu resource into controls, takes the native menu off the frame, turns
// the frame's keyboard menu activation (Alt, F10) into keyboard tracking of
// the bar, keeps one control set per document-template menu of an MDI frame,
// and shows a maximised MDI child's system menu and window buttons.
#pragma once

#include "CVZPToolBar.h"

#include <afxtempl.h>

class CVZPMenuBar : public CVZPToolBar
{
    DECLARE_SERIAL(CVZPMenuBar)
public:
    CVZPMenuBar();
    ~CVZPMenuBar() override;

    // Ids of the MDI controls, their timer and the system-command images.
    enum
    {
        idMDISysMenu = 9406,
        idMDIMinimize = 9405,
        idMDIRestore = 9404,
        idMDIClose = 9403,
        idSysCommandImages = 9407,
        timerUpdateMDI = 12223
    };
    // Flags word bits of the MDI controls.
    enum
    {
        flagNoMinimize = 0x100,
        flagNoRestore = 0x200,
        flagFixedMenu = 0x400,     // does not follow the frame's menu changes
        flagNoClose = 0x1000,
        flagMDISysMenu = 0x2000
    };

    // Loads the menu resource into the controls (none for id 0), hooks the
    // site, files the system-command images and takes the native menu off
    // the site. FALSE when the menu cannot be loaded.
    virtual BOOL LoadMenuBar(UINT nIDResource);
    // Shows the control set of the menu the frame wants to show.
    void SwitchMenu(HMENU hMenu);
    // Follows the active MDI child (hooks) and refreshes the MDI controls.
    void UpdateMDIState();
    void UpdateMDIControls();
    // The site's active MDI child, NULL when the site is no MDI frame.
    CWnd* GetActiveMDIChild(BOOL* pbMaximized = NULL) const;
    // Drops the stored control sets nobody customised.
    void ReleaseUncustomizedMenus();
    // The text of a menu item; its length.
    static int AFX_CDECL GetMenuItemText(CMenu* pMenu, int nItem, CString& strText, UINT nFlags);

    HMENU GetFrameMenu() const { return m_hMenu; }
    UINT GetCurrentMenuId() const { return m_nIDResourceCurrent; }
    int GetStoredMenuCount() const { return (int)m_mapMenus.GetCount(); }

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // The toolbar's keys, the menu id and the control sets of the stored
    // menus ("MDIMenu0", "MDIMenu1", ...).
    void DoPropExchange(CVZPPropExchange* pPX) override;
    // The stored menus' popup bars are collected and bound again too.
    void AddToCommandBarList(UINT* pnNextId, CVZPCommandBarRefList* pList,
                             VZPCommandBarsStateOptions* pOptions) override;
    void ResolvePopupBars(CVZPCommandBarRefList* pList) override;
    void Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    void ResetCustomization() override;

    BOOL m_bMDIApp;
    HWND m_hwndMDIChild;          // the hooked MDI child
    HMENU m_hMenu;                // the site's native menu, owned from the load on
    UINT m_nIDResource;           // menu loaded by LoadMenuBar
    UINT m_nIDResourceCurrent;    // menu whose controls the bar shows
    CMap<UINT, UINT, CVZPControls*, CVZPControls*> m_mapMenus;
    BOOL m_bStoredMenusKept;

protected:
    // The bar's control set becomes pControls (the bar takes the caller's
    // reference); the previous set is returned with the bar's reference.
    CVZPControls* AttachControls(CVZPControls* pControls);
    void ReleaseStoredMenus();
    // The maximised child's icon, scaled to 16 pixels.
    HICON GetChildIcon(CWnd* pChild) const;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};

// The system menu of a maximised MDI child at the menu bar's left end: a
// popup with the child's system commands, drawn as the child's icon.
class CVZPControlMDISysMenu : public CVZPControlPopup
{
    DECLARE_DYNCREATE(CVZPControlMDISysMenu)
public:
    CVZPControlMDISysMenu();
    ~CVZPControlMDISysMenu() override;

    // Takes the icon (destroyed with the control or the next icon).
    void SetIcon(HICON hIcon);
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void AdjustExcludeRect(CRect& rc) override;

    HMENU m_hSysMenu;
    HICON m_hIcon;
};

// Minimise, restore and close of the maximised MDI child, drawn with the
// symbol font; executing posts the system command to the child.
class CVZPControlMDIButton : public CVZPControlButton
{
    DECLARE_DYNCREATE(CVZPControlMDIButton)
public:
    CVZPControlMDIButton();
    void Draw(CDC* pDC) override;
    void OnExecute() override;
};
