// The "Partition Type" question of the partition search: keep the partitions
// already in the table, or search the whole disk for more. OK leaves the
// answer in g_SearchPartitions; Cancel and Close leave it as it was.
#pragma once

#include "CSkinnedDialog.h"
#include "CTransparentButtonCtrl.h"
#include "CXPGroupBox.h"

class CPartitionTypeDlg : public CSkinnedDialog
{
public:
    explicit CPartitionTypeDlg(CWnd* pParent = NULL);
    ~CPartitionTypeDlg() override;

    CButton m_ok;
    CStatic m_heading;
    CXPGroupBox m_group;
    CTransparentButtonCtrl m_existing;
    CTransparentButtonCtrl m_search;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CFont m_headingFont;
    CFont m_textFont;
};
