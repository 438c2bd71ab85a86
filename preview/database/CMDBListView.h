// The table list of the Access database viewer: the rows of one table, one
// column per field, up to the application's record limit.
#pragma once

#include <afxwin.h>

#include "database/CStatusListCtrl.h"

class CDaoDatabase;

class CMDBListView : public CView
{
    DECLARE_DYNCREATE(CMDBListView)
public:
    enum { IDC_TABLE_LIST = 186 };

    CMDBListView();
    ~CMDBListView() override;

    // Deletes every row and column.
    void ClearList();
    // Fills the list from table lpszName of m_pDatabase.
    void ShowTable(LPCTSTR lpszName);

    CDaoDatabase* m_pDatabase;   // not owned
    CStatusListCtrl* m_pList;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
