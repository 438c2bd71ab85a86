// The scan step: the partition tree that the partition search fills. For
// now it shows the tree and goes Back to the drive step.
#pragma once

#include <afxwin.h>

#include "CDeviceTreeCtrl.h"

class CSecondView_HDD : public CView
{
    DECLARE_DYNCREATE(CSecondView_HDD)
public:
    enum { IdTree = 162 };

    CSecondView_HDD();
    ~CSecondView_HDD() override;

    // Back to the drive step: every result list freed, the step flags reset,
    // Load Recovery Snapshot enabled, and the drive step idle again.
    void OnBack();
    // Shows the partition tree (the drive step's Next prepares it).
    void ShowPartitionTree();

    CDeviceTreeCtrl m_tree;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
