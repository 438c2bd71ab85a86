#include "CQuickScanWizardShell.h"

#include "CFolderTreeCtrl.h"
#include "CSecondDisplay.h"
#include "WizardSteps.h"

void ShowStepButton(CWnd* pButton, BOOL bShow)
{
    if (!pButton || !pButton->GetSafeHwnd())
        return;
    pButton->EnableWindow(bShow);
    pButton->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

CQuickScanWizardShell::CQuickScanWizardShell(CSecondDisplay* pPanel, CFolderTreeCtrl* pTree)
    : m_pPanel(pPanel), m_pTree(pTree)
{
}

void CQuickScanWizardShell::ResetCounters() { m_pPanel->ResetCounters(); }

std::wstring CQuickScanWizardShell::LogicalDriveName(unsigned partitionIndex)
{
    return LogicalDriveNameAt(m_logicalDrives, partitionIndex);
}

void CQuickScanWizardShell::BeginTreeBuild()
{
    for (CWnd* button : {m_pScanButton, m_pBackButton, m_pHomeButton})
        if (button && button->GetSafeHwnd())
            button->EnableWindow(FALSE);
    InterlockedExchange(&m_bBuildingTree, 1);
    ShowStepButton(m_pStopButton, FALSE);
}

void CQuickScanWizardShell::BuildFatTree() { m_pTree->BuildFatTree(); }

void CQuickScanWizardShell::BuildNtfsTree() { m_pTree->BuildNtfsTree(); }
