#include "database/CDaoTreeView.h"

IMPLEMENT_DYNCREATE(CDaoTreeView, CView)

BEGIN_MESSAGE_MAP(CDaoTreeView, CView)
END_MESSAGE_MAP()

CDaoTreeView::CDaoTreeView() : m_pDatabase(NULL), m_nPopulates(0) {}

CDaoTreeView::~CDaoTreeView() {}

void CDaoTreeView::PopulateTree() { ++m_nPopulates; }

void CDaoTreeView::OnDraw(CDC* pDC) { (void)pDC; }
