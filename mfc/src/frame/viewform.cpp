// CFormView: a view made from a dialog template.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(NULL), m_hWndFocus(NULL)
{
}

CFormView::CFormView(UINT nIDTemplate)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pCreateContext(NULL), m_hWndFocus(NULL)
{
}

static INT_PTR CALLBACK FormViewProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

BOOL CFormView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwRequestedStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, void* pContext)
{
    (void)lpszClassName;
    (void)lpszWindowName;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hRsrc = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hRsrc != NULL ? ::LoadResource(hInst, hRsrc) : NULL;
    LPCDLGTEMPLATE lpTemplate = hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
    if (lpTemplate == NULL)
    {
        PostNcDestroy();
        return FALSE;
    }
    // The dialog's WM_CREATE cannot carry the context: it waits here.
    m_pCreateContext = (CCreateContext*)pContext;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpTemplate, pParentWnd->GetSafeHwnd(), FormViewProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    m_pCreateContext = NULL;
    if (hWnd == NULL)
        return FALSE;
    // The template's size is the scroll area; id, place and visibility are
    // the caller's.
    CRect rectTemplate;
    GetWindowRect(rectTemplate);
    SetScrollSizes(MM_TEXT, rectTemplate.Size());
    SetDlgCtrlID((int)nID);
    ModifyStyle(0, dwRequestedStyle & (WS_BORDER | WS_CLIPSIBLINGS), 0);
    if (dwRequestedStyle & WS_BORDER)
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ExecuteDlgInit(m_lpszTemplateName);
    if (dwRequestedStyle & WS_VISIBLE)
        ShowWindow(SW_NORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs)
{
    CREATESTRUCT cs = *lpcs;
    cs.lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(&cs);
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

void CFormView::OnSetFocus(CWnd* pOldWnd)
{
    // The focus goes to the control that had it last, or the first one.
    if (m_hWndFocus != NULL && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus))
    {
        ::SetFocus(m_hWndFocus);
        return;
    }
    HWND hWndFirst = ::GetNextDlgTabItem(m_hWnd, NULL, FALSE);
    if (hWndFirst != NULL)
        ::SetFocus(hWndFirst);
    else
        CScrollView::OnSetFocus(pOldWnd);
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // The frames' accelerators come before the dialog keys.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame())
    {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsDialogMessage(m_hWnd, pMsg))
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus))
            m_hWndFocus = hWndFocus;
        return TRUE;
    }
    return FALSE;
}
