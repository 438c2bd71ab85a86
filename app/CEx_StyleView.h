// The start page, the wizard's first view (made by the document template). For now it only paints its background; the image choice and the mode buttons come with the start page's own work.
#pragma once

#include <afxwin.h>

class CEx_StyleView : public CView
{
    DECLARE_DYNCREATE(CEx_StyleView)
public:
    CEx_StyleView();
    ~CEx_StyleView() override;

protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
