#include "database/CDaoTreeView.h"

#include <afxdao.h>

#include "CEx_StyleDoc.h"
#include "database/CMDBListView.h"
#include "database/DaoViewerSettings.h"
#include "resource.h"

namespace {

CEx_StyleDoc* StyleDoc(CView* pView)
{
    CDocument* pDoc = pView->GetDocument();
    if (pDoc && strcmp(pDoc->GetRuntimeClass()->m_lpszClassName, "CEx_StyleDoc") == 0)
        return static_cast<CEx_StyleDoc*>(pDoc);
    return NULL;
}

const long kSystemObjectBits = (long)0x80000002;

}  // namespace

// ---------------------------------------------------------------------------
// DaoTreeItem

DaoTreeItem DaoTreeItem::InsertChild(LPCTSTR lpszText, int nImage) const
{
    TVINSERTSTRUCT insert = {};
    insert.hParent = hItem != NULL ? hItem : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPTSTR>(lpszText);
    if (nImage != -1) {
        insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.iImage = nImage;
        insert.item.iSelectedImage = nImage;
    }
    DaoTreeItem child;
    child.pTree = pTree;
    child.hItem = pTree != NULL ? pTree->InsertItem(&insert) : NULL;
    return child;
}

int DaoTreeItem::GetImage() const
{
    if (!IsValid())
        return -1;
    TVITEM item = {};
    item.mask = TVIF_IMAGE;
    item.hItem = hItem;
    if (!::SendMessage(pTree->m_hWnd, TVM_GETITEM, 0, (LPARAM)&item))
        return -1;
    return item.iImage;
}

CString DaoTreeItem::GetText() const { return IsValid() ? pTree->GetItemText(hItem) : CString(); }

DaoTreeItem DaoTreeItem::Root(CTreeCtrl* pTree) { return {pTree->GetRootItem(), pTree}; }

DaoTreeItem DaoTreeItem::Selected(CTreeCtrl* pTree) { return {pTree->GetSelectedItem(), pTree}; }

DaoTreeItem DaoTreeItem::AtPoint(CTreeCtrl* pTree, CPoint point)
{
    UINT flags = 0;
    return {pTree->HitTest(point, &flags), pTree};
}

// ---------------------------------------------------------------------------
// CDaoTreeView

IMPLEMENT_DYNCREATE(CDaoTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CDaoTreeView, CTreeView)
    ON_WM_CREATE()
    ON_WM_SYSCOLORCHANGE()
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownTree)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
END_MESSAGE_MAP()

CDaoTreeView::CDaoTreeView()
    : m_pDatabase(NULL), m_cfRivIzod(::RegisterClipboardFormatW(L"RivIzod")), m_bPopulating(0)
{
}

CDaoTreeView::~CDaoTreeView()
{
    if (CEx_StyleDoc* pDoc = StyleDoc(this))
        if (pDoc->m_pDaoTreeView == this)
            pDoc->m_pDaoTreeView = NULL;
}

BOOL CDaoTreeView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= TVS_HASBUTTONS | TVS_HASLINES;
    return CTreeView::PreCreateWindow(cs);
}

void CDaoTreeView::OnDraw(CDC* pDC) { (void)pDC; }

int CDaoTreeView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    lpCreateStruct->style |= TVS_HASBUTTONS | TVS_HASLINES;
    if (CTreeView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CEx_StyleDoc* pDoc = StyleDoc(this))
        pDoc->m_pDaoTreeView = this;
    if (m_images.Create(IDB_DAO_TREE, 16, 0, RGB(255, 0, 255))) {
        m_images.SetBkColor(::GetSysColor(COLOR_WINDOW));
        Tree().SetImageList(&m_images, TVSIL_NORMAL);
    }
    m_dropTarget.Register(this);
    return 0;
}

void CDaoTreeView::OnSysColorChange()
{
    CTreeView::OnSysColorChange();
    if (m_images.GetSafeHandle())
        m_images.SetBkColor(::GetSysColor(COLOR_WINDOW));
}

void CDaoTreeView::AddObject(int nKind, LPCTSTR lpszName)
{
    if (nKind == ImageTable)
        m_tables.InsertChild(lpszName, ImageTable);
    else if (nKind == ImageQuery)
        m_queries.InsertChild(lpszName, ImageQuery);
}

void CDaoTreeView::PopulateTree()
{
    CTreeCtrl& tree = Tree();
    m_bPopulating = 1;
    tree.DeleteAllItems();
    m_currentItem = DaoTreeItem();
    UpdateWindow();

    DaoTreeItem top{NULL, &tree};
    m_root = top.InsertChild(_T("Access DataBase"), ImageDatabase);
    m_tables = m_root.InsertChild(_T("Tables"), ImageTables);
    m_relations = m_root.InsertChild(_T("Relations"), ImageRelations);
    m_queries = m_root.InsertChild(_T("QueryDefs"), ImageQueries);

    const BOOL bSystem = GetDaoViewerSettings().bSystemObjects;
    if (m_pDatabase != NULL && m_pDatabase->IsOpen()) {
        // An error ends only its own branch.
        try {
            const int nTables = m_pDatabase->GetTableDefCount();
            for (int i = 0; i < nTables; ++i) {
                CDaoTableDefInfo info;
                m_pDatabase->GetTableDefInfo(i, info, AFX_DAO_PRIMARY_INFO);
                if (!bSystem && (info.m_lAttributes & kSystemObjectBits) != 0)
                    continue;
                AddObject(ImageTable, info.m_strName);
            }
        } catch (CDaoException* e) {
            e->Delete();
        }
        try {
            const int nQueries = m_pDatabase->GetQueryDefCount();
            for (int i = 0; i < nQueries; ++i) {
                CDaoQueryDefInfo info;
                m_pDatabase->GetQueryDefInfo(i, info, AFX_DAO_PRIMARY_INFO);
                if (!bSystem && info.m_nType == 5)
                    continue;
                m_queries.InsertChild(info.m_strName, ImageQuery);
            }
        } catch (CDaoException* e) {
            e->Delete();
        }
        try {
            // The engine's own relations are told by their names; their
            // attributes say nothing about it.
            const int nRelations = m_pDatabase->GetRelationCount();
            for (int i = 0; i < nRelations; ++i) {
                CDaoRelationInfo info;
                m_pDatabase->GetRelationInfo(i, info, AFX_DAO_PRIMARY_INFO);
                if (!bSystem && info.m_strName.Left(4).CompareNoCase(_T("MSys")) == 0)
                    continue;
                m_relations.InsertChild(info.m_strName, ImageRelation);
            }
        } catch (CDaoException* e) {
            e->Delete();
        }
    }
    tree.Expand(m_root.hItem, TVE_EXPAND);
    m_bPopulating = 0;
    UpdateWindow();
}

void CDaoTreeView::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bPopulating)
        return;
    m_currentItem = DaoTreeItem::Selected(&Tree());
    if (m_currentItem.GetImage() == ImageTable)
        ShowSelectedTable();
}

void CDaoTreeView::ShowSelectedTable()
{
    CEx_StyleDoc* pDoc = StyleDoc(this);
    CMDBListView* pList = pDoc != NULL ? pDoc->m_pTableView : NULL;
    if (pList == NULL)
        return;
    pList->SendMessage(WM_SETREDRAW, FALSE);
    if (m_currentItem.GetImage() == ImageTable)
        pList->ShowTable(m_currentItem.GetText());
    pList->SendMessage(WM_SETREDRAW, TRUE);
    pList->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CDaoTreeView::OnRightClick(NMHDR*, LRESULT* pResult)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    m_currentItem = DaoTreeItem::AtPoint(&Tree(), point);
    *pResult = 0;
}

void CDaoTreeView::OnKeyDownTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTVKEYDOWN* pKey = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR);
    if (pKey->wVKey != VK_DELETE)
        return;
    if (GetDaoViewerSettings().bConfirmDelete &&
        MessageBox(_T("Are you sure you want to delete this item ?"), _T("RivIzod - Warning"), MB_YESNO) != IDYES)
        return;
    DeleteCurrentItem();
}

void CDaoTreeView::OnBeginDrag(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CDaoTreeView::DeleteCurrentItem()
{
    const int nImage = m_currentItem.GetImage();
    if ((nImage != ImageTable && nImage != ImageQuery) || m_pDatabase == NULL)
        return;
    const CString name = m_currentItem.GetText();
    try {
        if (nImage == ImageTable)
            m_pDatabase->DeleteTableDef(name);
        else
            m_pDatabase->DeleteQueryDef(name);
    } catch (CDaoException* e) {
        CString description;
        if (e->m_pErrorInfo != NULL)
            description = e->m_pErrorInfo->m_strDescription;
        else {
            TCHAR text[512] = _T("");
            e->GetErrorMessage(text, 512);
            description = text;
        }
        MessageBox(description, _T("RivIzod - Warning"), MB_OK);
        e->Delete();
        return;
    }
    // Deleting a selected item selects another, which becomes current.
    const HTREEITEM hDeleted = m_currentItem.hItem;
    Tree().DeleteItem(hDeleted);
    if (m_currentItem.hItem == hDeleted)
        m_currentItem = DaoTreeItem();
}

DROPEFFECT CDaoTreeView::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pDatabase != NULL && pDataObject != NULL && pDataObject->IsDataAvailable((CLIPFORMAT)m_cfRivIzod))
        return DROPEFFECT_COPY;
    return CTreeView::OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CDaoTreeView::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pDatabase != NULL && pDataObject != NULL && pDataObject->IsDataAvailable((CLIPFORMAT)m_cfRivIzod))
        return DROPEFFECT_COPY;
    return CTreeView::OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CDaoTreeView::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
