// The scan step: the partition tree and the scan panel. For now it paints its background and goes Back to the drive step.
#pragma once

#include <afxwin.h>

class CSecondView_HDD : public CView
{
    DECLARE_DYNCREATE(CSecondView_HDD)
public:
    CSecondView_HDD();
    ~CSecondView_HDD() override;

    // Back to the drive step: every result list freed, the step flags reset
    // and Load Recovery Snapshot enabled.
    void OnBack();
protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
