#include "CPartitionTypeDlg.h"

#include "../res/resource.h"
#include "state/EngineState.h"

CPartitionTypeDlg::CPartitionTypeDlg(CWnd* pParent) : CDialog(IDD_PARTITION_TYPE, pParent) {}

BOOL CPartitionTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_PARTITION_TYPE_EXISTING, IDC_PARTITION_TYPE_SEARCH, IDC_PARTITION_TYPE_EXISTING);
    return TRUE;
}

void CPartitionTypeDlg::OnOK()
{
    g_SearchPartitions = IsDlgButtonChecked(IDC_PARTITION_TYPE_EXISTING) == BST_CHECKED ? 0 : 1;
    CDialog::OnOK();
}
