#include "image/CThumbView.h"

IMPLEMENT_DYNCREATE(CThumbView, CView)

BEGIN_MESSAGE_MAP(CThumbView, CView)
END_MESSAGE_MAP()

CThumbView::CThumbView() : m_nLoads(0) {}

CThumbView::~CThumbView() {}

void CThumbView::LoadThumbnails() { ++m_nLoads; }

void CThumbView::OnDraw(CDC* pDC) { (void)pDC; }
