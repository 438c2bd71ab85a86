#include "database/CMDBListView.h"

IMPLEMENT_DYNCREATE(CMDBListView, CView)

BEGIN_MESSAGE_MAP(CMDBListView, CView)
END_MESSAGE_MAP()

CMDBListView::CMDBListView() : m_pDatabase(NULL), m_nClears(0) {}

CMDBListView::~CMDBListView() {}

void CMDBListView::ClearList() { ++m_nClears; }

void CMDBListView::OnDraw(CDC* pDC) { (void)pDC; }
