#include "CVZPToolBar.h"

#include "CVZPCommandBarTracker.h"

IMPLEMENT_SERIAL(CVZPToolBar, CVZPCommandBar, VERSIONABLE_SCHEMA | 0x10)

CVZPToolBar::CVZPToolBar()
    : m_bVisible(TRUE), m_bBuiltIn(TRUE), m_bTearOff(FALSE), m_pDockBar(NULL), m_pTracker(NULL),
      m_bPreviewVisible(FALSE)
{
    m_dwStyle = CBRS_GRIPPER;
    m_bCloseable = TRUE;
}

CVZPToolBar::~CVZPToolBar()
{
    delete m_pTracker;
}

void CVZPToolBar::SetFlags(DWORD dwFlags)
{
    m_dwFlags = dwFlags;
    if (m_pTracker == NULL)
        m_pTracker = new CVZPCommandBarTracker(this);
}

BOOL CVZPToolBar::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return FALSE;
    m_bVisible = bVisible;
    if (m_hWnd != NULL)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    return TRUE;
}

BOOL CVZPToolBar::Create(CWnd* pParentWnd, BOOL bFloat)
{
    if (m_hWnd != NULL)
        return TRUE;
    DWORD dwStyle = (bFloat ? WS_POPUP : WS_CHILD) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (m_bVisible && !bFloat)
        dwStyle |= WS_VISIBLE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, m_strTitle, dwStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(), NULL);
}

CSize CVZPToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nMinimum)
{
    // Until the controls are laid out here, a docked bar keeps its size.
    (void)nLength;
    (void)dwMode;
    (void)nMinimum;
    CRect rect(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetWindowRect(&rect);
    return rect.Size();
}

void CVZPToolBar::OnSetPreviewMode(BOOL bPreview)
{
    if (bPreview)
    {
        m_bPreviewVisible = m_bVisible;
        SetVisible(FALSE);
    }
    else if (m_bPreviewVisible)
        SetVisible(TRUE);
}
