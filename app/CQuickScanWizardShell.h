// The wizard side of the Quick Scan worker: the scan step's panel and
// buttons and the recovery step's result tree. Every call comes from the
// worker thread and acts through window messages.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "scan/QuickScanShell.h"

class CFolderTreeCtrl;
class CSecondDisplay;

class CQuickScanWizardShell : public CQuickScanShell
{
public:
    CQuickScanWizardShell(CSecondDisplay* pPanel, CFolderTreeCtrl* pTree);

    void ResetCounters() override;
    std::wstring LogicalDriveName(unsigned partitionIndex) override;
    void BeginTreeBuild() override;
    void BuildFatTree() override;
    void BuildNtfsTree() override;

    // The scan step's "Scan", "Back", "Home" and "Stop" buttons (any may be
    // null).
    CWnd* m_pScanButton = NULL;
    CWnd* m_pBackButton = NULL;
    CWnd* m_pHomeButton = NULL;
    CWnd* m_pStopButton = NULL;
    // The logical drive list: per partition index, a text that begins with
    // the drive letter and a colon.
    std::vector<std::wstring> m_logicalDrives;
    // Set while the tree is built; the step's timer clears it and ends the
    // wait cursor.
    volatile LONG m_bBuildingTree = 0;

private:
    CSecondDisplay* m_pPanel;
    CFolderTreeCtrl* m_pTree;
};

// Enables or disables, and shows or hides, a button that may be null.
void ShowStepButton(CWnd* pButton, BOOL bShow);
