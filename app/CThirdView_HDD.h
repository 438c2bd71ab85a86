// The recovery step: the result tree, the result list and the preview. For now it only paints its background.
#pragma once

#include <afxwin.h>

class CThirdView_HDD : public CView
{
    DECLARE_DYNCREATE(CThirdView_HDD)
public:
    CThirdView_HDD();
    ~CThirdView_HDD() override;

protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
