#include "CDriveStepPanelHost.h"

#include "CDeviceTreeCtrl.h"
#include "CFirstDisplay.h"
#include "CPartitionTypeDlg.h"

CDriveStepPanelHost::CDriveStepPanelHost(CFirstDisplay* pPanel, CDeviceTreeCtrl* pTree)
    : m_pPanel(pPanel), m_pTree(pTree)
{
}

void CDriveStepPanelHost::SetProgress(int position) { m_pPanel->SetProgress(position, 0); }

void CDriveStepPanelHost::SetStatusText(const wchar_t* text) { m_pPanel->SetStatusText(text); }

void CDriveStepPanelHost::SetWaitText(const wchar_t* text) { m_pPanel->SetWaitText(text); }

void CDriveStepPanelHost::AddPartitionItem(const wchar_t* parentText, const wchar_t* itemText)
{
    if (m_pTree)
        m_pTree->AddPartitionItem(parentText, itemText);
}

void CDriveStepPanelHost::ExpandRoot()
{
    if (m_pTree)
        m_pTree->ExpandRoot();
}

void CDriveStepPanelHost::AskPartitionType()
{
    // Shown from the search's worker thread, with no owner.
    CPartitionTypeDlg dialog;
    dialog.DoModal();
}
