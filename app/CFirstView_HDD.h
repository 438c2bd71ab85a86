// The drive step: the device tree and the drive panel. For now it paints its background and goes Back to the start page.
#pragma once

#include <afxwin.h>

class CFirstView_HDD : public CView
{
    DECLARE_DYNCREATE(CFirstView_HDD)
public:
    CFirstView_HDD();
    ~CFirstView_HDD() override;

    // Back to the start page: every result list freed, the step flags and
    // the start page's commands reset.
    void OnBack();
protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
