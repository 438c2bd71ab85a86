// The manager of all command bars of one site window (as a rule the main
// frame): it owns the bars, the four dock bars, the options, the keyboard
// shortcuts and a tooltip service; it routes the frame's keys to access keys
// and shortcuts, shows keyboard cues, tracks popups modally, keeps the hidden
// and used commands, and asks the site to lay itself out when bars change.
// Reference counted: the holder calls InternalRelease.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "VZPCommandBarsDefs.h"

class CMDIChildWnd;
class CMultiDocTemplate;
class CVZPAcceleratorManager;
class CVZPCommandBar;
class CVZPCommandBarRefList;
class CVZPCommandBarPaintManager;
class CVZPCommandBarsOptions;
class CVZPControl;
class CVZPControls;
class CVZPCustomizeDragTracker;
class CVZPDockBar;
class CVZPImageManager;
class CVZPKeyboardHookManager;
class CVZPMouseHookManager;
class CVZPPopupBar;
class CVZPPropExchange;
class CVZPToolBar;
class CVZPTooltipService;
struct VZPCommandBarsStateOptions;

class CVZPCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CVZPCommandBars)
public:
    CVZPCommandBars();
    ~CVZPCommandBars() override;

    // Classes the manager and popups create; an application may replace
    // them before bars are made.
    static CRuntimeClass* m_pToolBarClass;
    static CRuntimeClass* m_pMenuBarClass;
    static CRuntimeClass* m_pPopupBarClass;

    // The calling thread's hook managers, made on first use.
    static CVZPMouseHookManager* AFX_CDECL GetThreadMouseManager();
    static CVZPKeyboardHookManager* AFX_CDECL GetThreadKeyboardManager();
    // The mouse manager of the thread that first asked (cached).
    CVZPMouseHookManager* GetMouseManager();

    // Creation and structure
    void SetSite(CWnd* pSite);
    void CreateDockBars();
    CVZPCommandBar* AddMenuBar(LPCTSTR lpszName, UINT nID);
    CVZPToolBar* AddToolBar(LPCTSTR lpszName, int nPosition = vzpBarTop, CRuntimeClass* pToolBarClass = NULL);
    void Remove(CVZPToolBar* pToolBar);
    CVZPToolBar* GetAt(int nIndex) const;
    int FindIndex(CVZPToolBar* pToolBar) const;
    CVZPToolBar* GetToolBar(UINT nBarID) const;
    int GetCount() const { return (int)m_arrBars.GetSize(); }
    CVZPCommandBar* GetMenuBar() const { return m_pMenuBar; }
    CWnd* GetSite() const { return m_pFrame; }
    CVZPDockBar* GetDockBar(int nPosition) const;
    CVZPCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    CVZPTooltipService* GetToolTipContext() const { return m_pToolTipContext; }
    CVZPAcceleratorManager* GetAcceleratorManager() const { return m_pKeyboardManager; }
    CVZPCustomizeDragTracker* GetDropSource() const { return m_pDropSource; }
    // The manager's own theme, else the process-wide one (the classic theme
    // is made when there is none).
    CVZPCommandBarPaintManager* GetPaintManager() const;
    // Takes over the caller's reference; NULL returns to the process-wide theme.
    void SetPaintManager(CVZPCommandBarPaintManager* pPaintManager);
    CVZPImageManager* GetImageManager() const;
    void SetImageManager(CVZPImageManager* pImageManager);
    void ToggleVisible(int nIndex);
    BOOL IsLayoutRTL() const;
    void SetLayoutRTL(BOOL bRightToLeft) { m_bRightToLeft = bRightToLeft; }

    // Docking
    CVZPDockBar* CanDock(CPoint point, CVZPDockBar* pDockBar = NULL) const;
    BOOL DockCommandBar(CVZPToolBar* pBar, LPCRECT lpRect, CVZPDockBar* pDockBar);
    BOOL DockCommandBar(CVZPToolBar* pBar, int nPosition);
    BOOL FloatCommandBar(CVZPToolBar* pBar);

    // Layout
    void RecalcFrameLayout(BOOL bDelay = FALSE);
    void ApplyDelayedLayout();
    void RedrawCommandBars();
    void UpdateCommandBars();
    void OnSetPreviewMode(BOOL bPreview);
    BOOL IsLayoutLocked() const { return m_bRecalcLayout; }
    void LockLayout(BOOL bLock) { m_bRecalcLayout = bLock; }

    // Keyboard
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    BOOL OnFrameAccel(UINT chAccel);
    void ShowKeyboardCues(BOOL bShow);
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    // Cues hidden until Alt is pressed (the options' keyboard-cue mode).
    void SetCuesFollowAlt(BOOL bFollow) { m_bCuesFollowAlt = bFollow; }
    BOOL SetTrackingBar(CVZPCommandBar* pBar, int nStep);
    int GetNextVisible(int nIndex, int nStep) const;
    CVZPControl* FindAccelControl(CVZPCommandBar* pBar, UINT chAccel, BOOL& bSelectOnly);
    CVZPControl* GetNextAccelControl(CVZPControls** ppControls, int nIndex);
    BOOL m_bIgnoreShiftMenuKey;   // Shift blocks access keys

    // Commands and customisation
    void HideCommands(const UINT* pCommands, int nCount);
    void HideCommand(UINT nCommand);
    void SetCommandUsed(UINT nCommand);
    void ResetUsageData();
    void SetCustomizeMode(BOOL bMode);
    BOOL IsCustomizeMode() const { return m_bCustomizeMode || m_bQuickCustomizeMode; }
    // Alt+drag of a toolbar control: customise mode for the one drag.
    void SetQuickCustomizeMode(BOOL bMode) { m_bQuickCustomizeMode = bMode; }
    BOOL IsCustomizeAvail() const { return m_bCustomizeAvail; }
    void SetDragControl(CVZPControl* pControl);
    CVZPControl* GetDragControl() const { return m_pDragSelected; }

    // Popups and menus
    static UINT AFX_CDECL TrackPopupBar(CVZPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWndOwner,
                                       LPCRECT lpRect = NULL, CWnd* pWndCommand = NULL);
    static UINT AFX_CDECL TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner,
                                         LPCRECT lpRect = NULL, CWnd* pWndCommand = NULL,
                                         CVZPCommandBars* pCommandBars = NULL);
    static void AFX_CDECL ClosePopups();
    CMultiDocTemplate* FindDocTemplate(CMDIChildWnd* pChild) const;

    // Frame messages; TRUE when consumed.
    BOOL OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Saving and loading under the profile name.
    void SaveOptions(LPCTSTR lpszProfileName);
    void LoadOptions(LPCTSTR lpszProfileName);
    // Where every toolbar is, the status bar's visibility and, for a site
    // that handles Customize, the customised bars ("%s-Summary", "%s-Bar%d",
    // "%s-DockBar%d", "%s-Controls").
    void SaveBarState(LPCTSTR lpszProfileName, BOOL bSaveOnlyCustomized = FALSE);
    void LoadBarState(LPCTSTR lpszProfileName, BOOL bSilent = FALSE);
    // The file that holds customised bars too large for the registry.
    BOOL GetControlsFileName(CString& strFileName, LPCTSTR lpszProfileName);
    void SetControlsFileName(LPCTSTR lpszFileName) { m_strControlsFileName = lpszFileName; }

    // Virtual operations.
    virtual BOOL IsCommandHidden(UINT nCommand);
    virtual BOOL IsControlHidden(CVZPControl* pControl);
    virtual UINT GetActiveMenuId();
    virtual void ContextMenu(CVZPToolBar* pToolBar, int x, int y);
    virtual CVZPPopupBar* GetToolbarsPopup();
    virtual void UpdateHiddenControlsPopup(CVZPToolBar* pToolBar, CVZPPopupBar* pPopup);
    virtual CVZPControl* BuildAddRemovePopup(CVZPToolBar* pToolBar, CVZPPopupBar* pPopup);
    virtual BOOL AddBarToReBar(CVZPToolBar* pToolBar);
    virtual BOOL RemoveBarFromReBar(CVZPToolBar* pToolBar);
    virtual void OnTrackingModeChanged(CVZPCommandBar* pCommandBar, BOOL bMode);
    virtual CVZPToolBar* AddCustomBar(LPCTSTR lpszName, UINT nID, BOOL bTearOffBar = FALSE);

    // --- The saved bar model (customised bars and their controls) ---------
    // The bars to save, with the popup bars they reach.
    virtual void GenerateCommandBarList(CVZPCommandBarRefList* pList, VZPCommandBarsStateOptions* pOptions);
    // The listed bars as objects of section "CommandBars"; FALSE when the
    // exchange fails.
    virtual BOOL SaveCommandBarList(CVZPPropExchange* pPX, CVZPCommandBarRefList* pList);
    // Re-creates the saved bars into the list; FALSE when any of them
    // cannot be made or read.
    virtual BOOL LoadCommandBarList(CVZPPropExchange* pPX, CVZPCommandBarRefList* pList);
    // Merges loaded bars into the running ones; bars the user made are added.
    virtual void RestoreCommandBarList(CVZPCommandBarRefList* pList, BOOL bSilent = FALSE);

protected:
    // Makes a bar of the class, with this manager, the flags and the title;
    // NULL when the class makes no toolbar.
    CVZPToolBar* CreateBar(CRuntimeClass* pClass, DWORD dwFlags, LPCTSTR lpszName);
    // Appends a bar that took its place (the list holds the caller's reference).
    void AddBar(CVZPToolBar* pBar) { m_arrBars.Add(pBar); }
    // A bar that could not be placed: its window goes and its reference is
    // released.
    static void DestroyBar(CVZPToolBar* pBar);
    // The visible bars of the dock-bar row that holds the toolbar, in row
    // order; empty when it is not docked.
    void GetRowBars(CVZPToolBar* pToolBar, CArray<CVZPToolBar*, CVZPToolBar*>& arrBars) const;

    CVZPCustomizeDragTracker* m_pDropSource;
    CVZPCommandBarPaintManager* m_pPaintManager;
    CVZPImageManager* m_pImageManager;
    CVZPControl* m_pDragSelected;
    BOOL m_bCustomizeMode;
    BOOL m_bCustomizeAvail;
    UINT m_nMenuID;
    CString m_strControlsFileName;
    CVZPCommandBarsOptions* m_pOptions;
    CArray<CVZPToolBar*, CVZPToolBar*> m_arrBars;
    CVZPDockBar* m_pDocks[4];
    CWnd* m_pFrame;
    CVZPCommandBar* m_pMenuBar;
    CVZPTooltipService* m_pToolTipContext;
    CVZPMouseHookManager* m_pMouseManager;
    BOOL m_bKeyboardCuesVisible;
    CVZPAcceleratorManager* m_pKeyboardManager;
    BOOL m_bRecalcLayout;    // the layout lock
    BOOL m_bCuesFollowAlt;
    BOOL m_bRightToLeft;
    BOOL m_bQuickCustomizeMode;
};
