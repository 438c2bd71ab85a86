#include "CThirdView_HDD.h"

IMPLEMENT_DYNCREATE(CThirdView_HDD, CView)

BEGIN_MESSAGE_MAP(CThirdView_HDD, CView)
END_MESSAGE_MAP()

CThirdView_HDD::CThirdView_HDD() {}

CThirdView_HDD::~CThirdView_HDD() {}

void CThirdView_HDD::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(242, 242, 242));
}
