// The scan step: the partition tree and the scan panel side by side in a
// pane splitter, Scan, Back and Stop along the bottom edge. Scan checks the
// selection, turns the panel to its scanning face and starts the mode's one
// worker through the scan starter; when the worker has ended the step moves
// on: to the file-system step after an Extensive Scan, to the recovery step
// after a Quick Scan or a File Trace. Back and Home throw every result away.
#pragma once

#include <afxwin.h>

#include <memory>

#include "CDeviceTreeCtrl.h"
#include "CPaneSplitter.h"
#include "CScanStarter.h"
#include "CToolButton.h"

class CExtensiveScanWizardShell;
class CFolderTreeCtrl;
class CQuickScanWizardShell;
class CScanStepPanelHost;
class CSecondDisplay;

// The mode text every wizard step draws at its bottom left.
extern CString g_ModeText;

class CSecondView_HDD : public CView
{
    DECLARE_DYNCREATE(CSecondView_HDD)
public:
    enum
    {
        IdTree = 162,
        IdSplitter = 157,
        IdScan = 159,
        IdBack = 160,
        IdStop = 132,
        IdHome = 61481,
    };
    // The keyboard highlight: exactly one of the tree, Scan and Back.
    enum Highlight
    {
        HighlightTree,
        HighlightScan,
        HighlightBack,
    };

    CSecondView_HDD();
    ~CSecondView_HDD() override;

    // Scan: checks the selection (and in an Extensive Scan the range),
    // enters the running state and starts the mode's worker.
    afx_msg void OnScan();
    // Back to the drive step: the partition tree emptied, every result list
    // freed, the drive step idle again.
    afx_msg void OnBack();
    afx_msg void OnStop();
    // Back, then the drive step's Back: the start page.
    afx_msg void OnHome();

    // Shows the partition tree (the drive step's Next prepares it).
    void ShowPartitionTree();
    // The buttons, the tree and the panel as before a scan (the recovery
    // step's Back).
    void RestoreIdle();
    // The tree's Tab: the highlight back on the tree.
    void ResetHighlight() { m_nHighlight = HighlightTree; }
    int HighlightState() const { return m_nHighlight; }
    BOOL IsWaitCursorShown() const;

    // What the end of each scan does (the scan starter's finish).
    void OnScanFinished(CScanStarter::Job job);

    CSecondDisplay* m_pPanel;
    CDeviceTreeCtrl m_tree;
    CPaneSplitter m_splitter;
    CToolButton m_scan;
    CToolButton m_back;
    CToolButton m_stop;
    CToolButton m_home;
    CScanStarter m_starter;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    // The checks and the range of an Extensive Scan over a virtual disk;
    // FALSE after telling the user what is wrong.
    BOOL ReadExtensiveRange();
    void EnterRunningState();
    // A worker that could not start: the step as it was before Scan.
    void WorkerNotStarted();
    void StartExtensive();
    void StartQuick();
    void StartFileTrace();
    void OnExtensiveScanFinished();
    void ShowResultStep();
    void EndWaitCursor();
    void ShowButton(CWnd& button, BOOL bShow);

    int m_nHighlight;
    BOOL m_bWaitCursor;
    CFont m_modeFont;
    int m_nLeftBannerWidth;
    int m_nRightBannerLeft;
    std::unique_ptr<CScanStepPanelHost> m_pHost;
    std::unique_ptr<CQuickScanWizardShell> m_pQuickShell;
    std::unique_ptr<CExtensiveScanWizardShell> m_pExtensiveShell;
};
