#include "CFileSystemView.h"

IMPLEMENT_DYNCREATE(CFileSystemView, CView)

BEGIN_MESSAGE_MAP(CFileSystemView, CView)
END_MESSAGE_MAP()

CFileSystemView::CFileSystemView() {}

CFileSystemView::~CFileSystemView() {}

void CFileSystemView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(242, 242, 242));
}
