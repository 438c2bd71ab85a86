#include "CEx_StyleView.h"

IMPLEMENT_DYNCREATE(CEx_StyleView, CView)

BEGIN_MESSAGE_MAP(CEx_StyleView, CView)
END_MESSAGE_MAP()

CEx_StyleView::CEx_StyleView() {}

CEx_StyleView::~CEx_StyleView() {}

void CEx_StyleView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(242, 242, 242));
}
