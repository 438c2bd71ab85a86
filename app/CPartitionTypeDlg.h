// The "Partition Type" question of the partition search: keep the partitions
// already in the table, or search the whole disk for more. OK leaves the
// answer in g_SearchPartitions; Cancel and Close leave it as it was.
#pragma once

#include <afxwin.h>

class CPartitionTypeDlg : public CDialog
{
public:
    explicit CPartitionTypeDlg(CWnd* pParent = NULL);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
