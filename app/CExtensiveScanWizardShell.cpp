#include "CExtensiveScanWizardShell.h"

#include <stdio.h>

#include "CFileSystemForm.h"
#include "CFileSystemTreeCtrl.h"
#include "CFolderTreeCtrl.h"
#include "CQuickScanWizardShell.h"
#include "CSecondDisplay.h"
#include "state/EngineState.h"

CExtensiveScanWizardShell::CExtensiveScanWizardShell(CSecondDisplay* pPanel, CFileSystemTreeCtrl* pFileSystems,
                                                     CFileSystemForm* pForm, CFolderTreeCtrl* pTree)
    : m_pPanel(pPanel), m_pFileSystems(pFileSystems), m_pForm(pForm), m_pTree(pTree)
{
}

void CExtensiveScanWizardShell::SetCounterCaptions(CSecondDisplay& panel, BOOL bNtfs)
{
    if (bNtfs) {
        panel.ClearValues();
        panel.ShowNtfsSearchCaptions();
    } else {
        panel.ShowFatSearchCaptions();
    }
}

void CExtensiveScanWizardShell::SetProgress(int position) { m_pPanel->SetProgress(position); }

void CExtensiveScanWizardShell::SetStatusText(const wchar_t* text) { m_pPanel->SetStatusText(text); }

void CExtensiveScanWizardShell::SetCounter(ExtensiveCounter counter, uint64_t value)
{
    // The NTFS rows follow the counters' order; the FAT rows are the boot
    // sectors, the folders and the current sector.
    int row = (int)counter;
    if (VolumeParams.selectionCode != FileSystemNtfs) {
        switch (counter) {
        case CounterBootSectors: row = 0; break;
        case CounterFolders: row = 1; break;
        case CounterCurrentSector: row = 2; break;
        default: return;
        }
    }
    if (row < 0 || row >= CSecondDisplay::CounterRows)
        return;
    wchar_t text[24];
    swprintf(text, 24, L"%llu", (unsigned long long)value);
    m_pPanel->m_counterValue[row].SetWindowText(text);
}

void CExtensiveScanWizardShell::ShowStopButton(int show) { ShowStepButton(m_pScanStopButton, show != 0); }

void CExtensiveScanWizardShell::AddFileSystemRoot()
{
    m_hFileSystemRoot = m_pFileSystems->AddItemWithIcon(L"File System", TVI_ROOT);
}

uint32_t CExtensiveScanWizardShell::AddFileSystemItem(const wchar_t* text)
{
    if (!m_hFileSystemRoot)
        AddFileSystemRoot();
    return (uint32_t)(uintptr_t)m_pFileSystems->AddItem(text, m_hFileSystemRoot);
}

void CExtensiveScanWizardShell::ExpandFileSystemRoot()
{
    if (m_hFileSystemRoot)
        m_pFileSystems->Expand(m_hFileSystemRoot, TVE_EXPAND);
}

void CExtensiveScanWizardShell::SetExtractionProgress(int position)
{
    if (m_pForm)
        m_pForm->SetProgress(position);
}

void CExtensiveScanWizardShell::SetExtractionStatusText(const wchar_t* text)
{
    if (m_pForm)
        m_pForm->SetStatusText(text);
}

void CExtensiveScanWizardShell::BeginTreeBuild() { ShowStepButton(m_pFileSystemStopButton, FALSE); }

void CExtensiveScanWizardShell::BuildFatTree() { m_pTree->BuildFatTree(); }

void CExtensiveScanWizardShell::BuildNtfsTree() { m_pTree->BuildNtfsTree(); }
