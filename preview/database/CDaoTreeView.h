// The object tree of the Access database viewer. This first form holds the
// database it is given and builds no items.
#pragma once

#include <afxwin.h>

class CDaoDatabase;

class CDaoTreeView : public CView
{
    DECLARE_DYNCREATE(CDaoTreeView)
public:
    CDaoTreeView();
    ~CDaoTreeView() override;

    // Rebuilds the tree from m_pDatabase.
    void PopulateTree();

    CDaoDatabase* m_pDatabase;   // not owned
    int m_nPopulates;

protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()
};
