#include "database/CMDB_View.h"

#include "database/CDaoTreeView.h"
#include "database/CMDBListView.h"

IMPLEMENT_DYNCREATE(CMDB_View, CView)

BEGIN_MESSAGE_MAP(CMDB_View, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMDB_View::CMDB_View() : m_pTreeView(NULL), m_pListView(NULL) {}

CMDB_View::~CMDB_View() {}

void CMDB_View::OnDraw(CDC* pDC) { (void)pDC; }

int CMDB_View::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Both views join the main frame's active document.
    CCreateContext context;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    context.m_pCurrentDoc = pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
    // Views delete themselves when their windows go.
    m_pTreeView = new CDaoTreeView;
    m_pTreeView->Create(NULL, NULL, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, IDC_TREE, &context);
    m_pListView = new CMDBListView;
    m_pListView->Create(NULL, NULL, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, IDC_LIST, &context);
    m_pTreeView->OnInitialUpdate();
    m_pTreeView->ShowWindow(SW_SHOW);
    m_pListView->OnInitialUpdate();
    m_pListView->ShowWindow(SW_SHOW);
    m_splitter.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | 1, this, m_pTreeView, m_pListView,
                      IDC_SPLITTER, CRect(0, 0, 0, 0), 170, 170);
    return 0;
}

void CMDB_View::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_splitter.GetSafeHwnd()) {
        CRect rc;
        GetClientRect(&rc);
        m_splitter.MoveWindow(&rc, TRUE);
    }
}
