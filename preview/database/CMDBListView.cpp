#include "database/CMDBListView.h"

#include <afxdao.h>

#include <stdio.h>

#include "CEx_StyleDoc.h"
#include "database/DaoViewerSettings.h"
#include "database/ReportDaoException.h"
#include "database/VariantToText.h"

namespace {

CString Number(int n)
{
    CString text;
    text.Format(_T("%d"), n);
    return text;
}

// The document the view belongs to, when it is the program's.
CEx_StyleDoc* StyleDoc(CView* pView)
{
    CDocument* pDoc = pView->GetDocument();
    if (pDoc && strcmp(pDoc->GetRuntimeClass()->m_lpszClassName, "CEx_StyleDoc") == 0)
        return static_cast<CEx_StyleDoc*>(pDoc);
    return NULL;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMDBListView, CView)

BEGIN_MESSAGE_MAP(CMDBListView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CMDBListView::CMDBListView() : m_pDatabase(NULL), m_pList(NULL) {}

CMDBListView::~CMDBListView()
{
    if (CEx_StyleDoc* pDoc = StyleDoc(this))
        if (pDoc->m_pTableView == this)
            pDoc->m_pTableView = NULL;
    delete m_pList;
}

void CMDBListView::OnDraw(CDC* pDC) { (void)pDC; }

int CMDBListView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pList = new CStatusListCtrl;
    m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    CRect(0, 0, 0, 0), this, IDC_TABLE_LIST);
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    if (AfxGetMainWnd() != NULL) {
        if (CEx_StyleDoc* pDoc = StyleDoc(this))
            pDoc->m_pTableView = this;
        ClearList();
    }
    return 0;
}

void CMDBListView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_pList && m_pList->m_hWnd) {
        CRect rc;
        GetClientRect(&rc);
        m_pList->MoveWindow(&rc, TRUE);
    }
}

void CMDBListView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { CView::OnKeyDown(nChar, nRepCnt, nFlags); }

void CMDBListView::ClearList()
{
    if (m_pList == NULL || m_pList->m_hWnd == NULL)
        return;
    m_pList->DeleteAllItems();
    int nColumns = m_pList->GetHeaderCtrl() ? m_pList->GetHeaderCtrl()->GetItemCount() : 0;
    for (int i = 0; i < nColumns; ++i)
        m_pList->DeleteColumn(0);
}

void CMDBListView::ShowTable(LPCTSTR lpszName)
{
    if (m_pList == NULL || m_pList->m_hWnd == NULL)
        return;
    ClearList();
    m_pList->InsertColumn(0, _T("Index"), LVCFMT_LEFT, 100);
    if (m_pDatabase == NULL)
        return;

    // The columns: as many fields as could be described.
    int nFields = 0;
    {
        CDaoTableDef table(m_pDatabase);
        try {
            table.Open(lpszName);
            const int nCount = table.GetFieldCount();
            for (int i = 0; i < nCount; ++i) {
                CDaoFieldInfo info;
                table.GetFieldInfo(i, info, AFX_DAO_PRIMARY_INFO);
                m_pList->InsertColumn(i + 1, info.m_strName, LVCFMT_LEFT, 100);
                nFields = i + 1;
            }
        } catch (CDaoException* e) {
            ReportDaoException(e);
            e->Delete();
        }
        table.Close();
    }

    const int nLimit = GetDaoViewerSettings().nRecordLimit;
    CDaoRecordset records(m_pDatabase);
    try {
        records.Open(dbOpenDynaset, CString(_T("Select * From [")) + lpszName + _T("]"), 0);
        int i = 0, nLoaded = 0;
        while (!records.IsEOF()) {
            if (i < nLimit) {
                ++nLoaded;
                m_pList->InsertItem(i, Number(i));
                for (int j = 0; j < nFields; ++j) {
                    // A value that cannot be read leaves its cell empty.
                    try {
                        COleVariant value = records.GetFieldValue(j);
                        m_pList->SetItemText(i, j + 1, VariantToText(value));
                    } catch (CDaoException* e) {
                        e->Delete();
                    }
                }
            }
            ++i;
            records.MoveNext();
        }
        CString text;
        text.Format(_T("Loaded %d of %d total records"), nLoaded, i);
        UpdateWindow();
        if (i >= nLimit)
            MessageBox(text, NULL, MB_OK);
        if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd()))
            pFrame->SetMessageText(text);
        records.Close();
    } catch (CDaoException* e) {
        ReportDaoException(e);
        e->Delete();
    }
}
