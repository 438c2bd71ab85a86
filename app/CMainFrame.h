// The program's main window. It hosts the five wizard views one at a time
// (the current one carries AFX_IDW_PANE_FIRST), carries the status bar and
// the toolbar icons, owns the one virtual disk of the run (the engine's
// sector reader reads the opened image through it) and keeps the state the
// wizard's steps share. It is the wizard side of the snapshot commands.
#pragma once

#include <afxcmn.h>
#include <afxcoll.h>
#include <afxext.h>
#include <afxwin.h>

#include <string>
#include <vector>

#include "CHyperlinkStatic.h"
#include "CMainStatusBar.h"
#include "CVZCaption.h"
#include "CVZHyperLink.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPFrameWnd.h"
#include "CVZWindowPlacement.h"
#include "CVZPReBar.h"
#include "CVZPTaskPanel.h"
#include "IPreviewHost.h"
#include "IWizardFrame.h"
#include "snapshot/SnapshotShell.h"

class CFirstDisplay;
class CMainPreviewView;
class CProgressDlg;
class CThirdView_HDD;
class CSecondDisplay;
class CSecondView_HDD;
class CVirtualDisk;
class CVZPToolBar;

// The product page the header logo opens.
extern const wchar_t kProductPageUrl[];

class CMainFrame : public CVZPFrameWnd, public CSnapshotShell, public IWizardFrame, public IPreviewHost
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void ActivateFrame(int nCmdShow = -1) override;

    BOOL HasVirtualDisk() const { return m_pVirtualDisk != NULL; }
    // The frame's virtual disk, made on first need; it is also the sector
    // reader's source from then on.
    CVirtualDisk* EnsureVirtualDisk();
    void SetOpenEnabled(BOOL bEnabled) { m_bOpenEnabled = bEnabled; }
    // Shows the frame (the argument is not used).
    void RestorePlacementAndShow(int nUnused);

    // The header areas in client coordinates: the wider one shows the hand
    // cursor, a click in the logo opens the product page.
    CRect LinkCursorRect() const;
    CRect LogoRect() const;

    // The split view's side of the wizard: the four step flags by index,
    // index 4 while the recovery step is shown; the views by SwitchView's
    // indexes.
    BOOL IsWizardStepSet(int nStep) const override;
    CView* GetWizardView(int nIndex) const override;

    // The snapshot commands' side of the wizard.
    void DriveStepBack() override;
    void SetStepFlag(int index) override;
    void ResetStepFlags() override;
    std::wstring LogicalDriveName(unsigned partitionIndex) override;
    void ShowRecoveryStep() override;
    // The loading progress dialog; its window is also where the result
    // tree's builders report while the snapshot loads.
    void BeginProgress(const wchar_t* text) override;
    void SetProgressText(const wchar_t* text) override;
    void SetProgress(int position) override;
    void EndProgress() override;
    void SetResultColumns(int scanMode) override;
    void ShowRecoveryButtons() override;
    void HideBackButton() override;
    void BuildFatTree() override;
    void BuildNtfsTree() override;
    void BuildTraceTree() override;
    void EnableRecovery(bool enable) override;

    // The preview pane's side of the frame.
    void SetPreviewView(CMainPreviewView* pView) override { m_pPreviewView = pView; }
    void SetPreviewOk(BOOL bOk) override { m_bPreviewOk = bOk; }
    BOOL IsPreviewOk() const override { return m_bPreviewOk; }
    void SetPreviewSupported(BOOL bSupported) override { m_bPreviewSupported = bSupported; }
    void FocusResultList() override;

    // The recovery step (views[4]), or null.
    CThirdView_HDD* RecoveryView() const;

    CVirtualDisk* m_pVirtualDisk;
    HCURSOR m_hLinkCursor;
    CString m_strSelectedItem;
    int m_nSelectedRow;
    CMainPreviewView* m_pPreviewView;
    CSecondView_HDD* m_pScanView;
    CFirstDisplay* m_pDrivePanel;
    CSecondDisplay* m_pScanPanel;
    BOOL m_bDriveStep;
    BOOL m_bScanStep;
    BOOL m_bResultsStep;
    BOOL m_bExtensiveResultsStep;
    BOOL m_bPartitionSelectable;
    BOOL m_bPreviewOk;
    BOOL m_bPreviewSupported;
    BOOL m_bNoFileSelected;
    CImageList m_imlToolbarIcons;
    CVZWindowPlacement m_wndPlacement;
    HWND m_hSnapshotProgress;
    CProgressDlg* m_pSnapshotProgressDlg;
    // Whether previews and Recover may read the source of loaded results.
    BOOL m_bRecoveryEnabled;
    BOOL m_bSnapshotLoadEnabled;
    CMainStatusBar m_wndStatusBar;
    // Holds no pane: the frame only asks it for one (and finds none).
    CVZPDockingPaneManager m_paneManager;
    CVZPToolBar* m_pStandardBar;
    BOOL m_bOpenEnabled;
    // Constructed and destroyed with the frame; never created as windows or
    // filled.
    CVZCaption m_wndCaption;
    CVZHyperLink m_wndHyperLink;
    CVZPReBar m_wndReBar;
    CVZPTaskPanel m_wndTaskPanel;
    CHyperlinkStatic m_wndLink;
    CStatic m_wndStatic;
    CEdit m_wndEdit;
    CImageList m_imlSpare;
    CFont m_font;
    CBitmap m_bitmap;
    CMapPtrToPtr m_mapSpare;
    // The logical drive list: per partition index, a text that begins with
    // the drive letter and a colon.
    std::vector<std::wstring> m_logicalDrives;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg LRESULT OnResetToStart(WPARAM wParam, LPARAM lParam);
    // Open: the start page's image selection.
    afx_msg void OnOpen();
    afx_msg void OnUpdateOpen(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    BOOL CreateStatusBar();
    // The command bars: the menu bar and the "Standard" toolbar; FALSE when
    // a bar cannot be made.
    BOOL CreateCommandBars();
    void CreateToolbarIcons();
    // The Office viewing flags under HKEY_LOCAL_MACHINE; keys that do not
    // open with full access are skipped.
    static void WriteOfficeViewingFlags();
};
