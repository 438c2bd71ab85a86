#include "CVZListView.h"

IMPLEMENT_DYNCREATE(CVZListView, CListView)
IMPLEMENT_VZLIST_OWNER(CVZListView, CListView)

CVZListView::CVZListView() : m_bInitOnSubclass(TRUE)
{
    m_dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
    m_pListWnd = this;
}

CVZListView::~CVZListView()
{
}
