// The viewer of Access databases (".mdb"): the object tree on the left and
// the rows of the chosen table on the right, joined by a splitter. The
// preview pane has the document open the database after creating it.
#pragma once

#include <afxwin.h>

#include "CPaneSplitter.h"

class CDaoTreeView;
class CMDBListView;

class CMDB_View : public CView
{
    DECLARE_DYNCREATE(CMDB_View)
public:
    enum { IDC_TREE = 189, IDC_LIST = 190, IDC_SPLITTER = 157 };

    CMDB_View();
    ~CMDB_View() override;

    CDaoTreeView* m_pTreeView;
    CMDBListView* m_pListView;
    CPaneSplitter m_splitter;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
