#include "CVZListCtrl.h"

IMPLEMENT_DYNAMIC(CVZListCtrl, CListCtrl)
IMPLEMENT_VZLIST_OWNER(CVZListCtrl, CListCtrl)

CVZListCtrl::CVZListCtrl() : m_bInitOnSubclass(TRUE)
{
    m_pListWnd = this;
}

CVZListCtrl::~CVZListCtrl()
{
}
