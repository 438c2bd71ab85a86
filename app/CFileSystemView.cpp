#include "CFileSystemView.h"

IMPLEMENT_DYNCREATE(CFileSystemView, CView)

BEGIN_MESSAGE_MAP(CFileSystemView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CFileSystemView::CFileSystemView() {}

CFileSystemView::~CFileSystemView() {}

int CFileSystemView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD treeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    if (!m_tree.Create(treeStyle, CRect(0, 0, 200, 300), this, IdTree) ||
        !m_form.Create(this, CRect(200, 0, 600, 300), AFX_IDW_PANE_FIRST + 1))
        return -1;
    m_tree.m_pForm = &m_form;
    return 0;
}

void CFileSystemView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (!m_tree.GetSafeHwnd() || !m_form.GetSafeHwnd())
        return;
    const int height = cy > 50 ? cy - 50 : 0;
    m_tree.MoveWindow(0, 0, cx / 3, height);
    m_form.MoveWindow(cx / 3, 0, cx - cx / 3, height);
}

void CFileSystemView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(242, 242, 242));
}
