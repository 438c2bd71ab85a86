#include "CPartitionTypeDlg.h"

#include "../res/resource.h"
#include "state/EngineState.h"

BEGIN_MESSAGE_MAP(CPartitionTypeDlg, CSkinnedDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPartitionTypeDlg::CPartitionTypeDlg(CWnd* pParent)
    : CSkinnedDialog(IDD_PARTITION_TYPE, IDB_DRIVE_INFO_SKIN, pParent)
{
}

CPartitionTypeDlg::~CPartitionTypeDlg() {}

void CPartitionTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    CSkinnedDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDC_PARTITION_TYPE_HEADING, m_heading);
    DDX_Control(pDX, IDC_PARTITION_TYPE_GROUP, m_group);
    DDX_Control(pDX, IDC_PARTITION_TYPE_EXISTING, m_existing);
    DDX_Control(pDX, IDC_PARTITION_TYPE_SEARCH, m_search);
}

BOOL CPartitionTypeDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_group.SetBackgroundColor(RGB(255, 255, 255));
    m_group.ShowWindow(SW_HIDE);
    CheckRadioButton(IDC_PARTITION_TYPE_EXISTING, IDC_PARTITION_TYPE_SEARCH, IDC_PARTITION_TYPE_EXISTING);
    MakeArialFont(m_headingFont, 18, FW_BOLD);
    MakeArialFont(m_textFont, 15, FW_NORMAL);
    m_heading.SetFont(&m_headingFont);
    m_existing.SetFont(&m_textFont);
    m_search.SetFont(&m_textFont);
    m_ok.SetFont(&m_textFont);
    return TRUE;
}

void CPartitionTypeDlg::OnOK()
{
    g_SearchPartitions = IsDlgButtonChecked(IDC_PARTITION_TYPE_EXISTING) == BST_CHECKED ? 0 : 1;
    CSkinnedDialog::OnOK();
}

HBRUSH CPartitionTypeDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_PARTITION_TYPE_EXISTING || id == IDC_PARTITION_TYPE_SEARCH || id == IDC_PARTITION_TYPE_HEADING) {
        pDC->SetTextColor(RGB(29, 117, 189));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(RGB(255, 255, 255));
        return WhiteBrush();
    }
    return CSkinnedDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
