// The object tree of the Access database viewer: the database with its
// tables, relations and queries. Selecting a table shows its rows in the
// document's table list; the Delete key removes a table or query from the
// database. The view accepts drops of the "RivIzod" format for feedback
// only.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxcview.h>
#include <afxole.h>

class CDaoDatabase;

// A tree item with the control it lives in.
struct DaoTreeItem
{
    HTREEITEM hItem = NULL;
    CTreeCtrl* pTree = NULL;

    // Inserts a child after the last one; image -1 sets no image.
    DaoTreeItem InsertChild(LPCTSTR lpszText, int nImage) const;
    int GetImage() const;
    CString GetText() const;
    BOOL IsValid() const { return hItem != NULL && pTree != NULL; }

    static DaoTreeItem Root(CTreeCtrl* pTree);
    static DaoTreeItem Selected(CTreeCtrl* pTree);
    static DaoTreeItem AtPoint(CTreeCtrl* pTree, CPoint point);
};

class CDaoTreeView : public CTreeView
{
    DECLARE_DYNCREATE(CDaoTreeView)
public:
    // Images (and so kinds) of the items.
    enum
    {
        ImageDatabase = 0,
        ImageTable = 2,
        ImageTables = 3,
        ImageRelation = 8,
        ImageRelations = 9,
        ImageQuery = 10,
        ImageQueries = 11,
    };

    CDaoTreeView();
    ~CDaoTreeView() override;

    // Rebuilds the tree from m_pDatabase.
    void PopulateTree();
    // Adds a table (kind 2) or a query (kind 10) item; other kinds add
    // nothing.
    void AddObject(int nKind, LPCTSTR lpszName);
    // Deletes the current item's table or query from the database and the
    // tree; a failure is shown and changes nothing.
    void DeleteCurrentItem();

    CTreeCtrl& Tree() const { return GetTreeCtrl(); }

    CDaoDatabase* m_pDatabase;   // not owned
    UINT m_cfRivIzod;
    DaoTreeItem m_currentItem;
    int m_bPopulating;
    CImageList m_images;
    DaoTreeItem m_root, m_tables, m_relations, m_queries;
    COleDropTarget m_dropTarget;

    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSysColorChange();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnKeyDownTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void ShowSelectedTable();
};
