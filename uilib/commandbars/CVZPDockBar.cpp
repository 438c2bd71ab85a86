#include "CVZPDockBar.h"

#include "CVZPToolBar.h"

#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CVZPDockBar, CWnd)

BEGIN_MESSAGE_MAP(CVZPDockBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CVZPDockBar::CVZPDockBar(CVZPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars), m_dwStyle(0)
{
}

CVZPDockBar::~CVZPDockBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CVZPDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, NULL, dwStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID);
}

int CVZPDockBar::GetPosition() const
{
    if (m_dwStyle & CBRS_ALIGN_TOP)
        return 0;
    if (m_dwStyle & CBRS_ALIGN_BOTTOM)
        return 1;
    if (m_dwStyle & CBRS_ALIGN_LEFT)
        return 2;
    return 3;
}

BOOL CVZPDockBar::DockCommandBar(CVZPToolBar* pBar, LPCRECT lpRect)
{
    (void)lpRect;
    pBar->SetDockBar(this);
    return TRUE;
}

BOOL CVZPDockBar::RemoveCommandBar(CVZPToolBar* pBar)
{
    if (pBar->GetDockBar() != this)
        return FALSE;
    pBar->SetDockBar(NULL);
    return TRUE;
}

LRESULT CVZPDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    // Takes no room until it holds rows.
    (void)wParam;
    (void)lParam;
    return 0;
}
