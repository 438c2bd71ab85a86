// The table list of the Access database viewer. This first form holds the
// database it is given and has nothing to clear.
#pragma once

#include <afxwin.h>

class CDaoDatabase;

class CMDBListView : public CView
{
    DECLARE_DYNCREATE(CMDBListView)
public:
    CMDBListView();
    ~CMDBListView() override;

    // Deletes every row and column.
    void ClearList();

    CDaoDatabase* m_pDatabase;   // not owned
    int m_nClears;

protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
