// MDI frames: the frame with its MDI client window, and the child frames.
#include "framestate.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace {

// Tells the MDI client which menu the frame shows now (WM_MDISETMENU; NULL
// keeps the frame's menu as it is). The message goes even when the frame's
// native menu was taken away, so that a window that took the menu over (a
// menu bar hooking the client) follows the switch; a frame without a native
// menu keeps none, whatever the client did with the message.
void SetMDIClientMenu(CMDIFrameWnd* pFrame, HMENU hMenu)
{
    if (pFrame->m_hWndMDIClient == NULL)
        return;
    const BOOL bHadMenu = ::GetMenu(pFrame->m_hWnd) != NULL;
    HMENU hWindowMenu = hMenu != NULL ? pFrame->GetWindowMenuPopup(hMenu) : NULL;
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)hWindowMenu);
    if (!bHadMenu && ::GetMenu(pFrame->m_hWnd) != NULL)
        ::SetMenu(pFrame->m_hWnd, NULL);
    else if (bHadMenu)
        ::DrawMenuBar(pFrame->m_hWnd);
}

}  // namespace

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL), m_hMenuWindow(NULL)
{
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    (void)pContext;
    CMenu* pMenu = NULL;
    if (m_hMenuDefault == NULL)
    {
        HMENU hMenu = ::GetMenu(m_hWnd);
        HMENU hWindowMenu = hMenu != NULL ? GetWindowMenuPopup(hMenu) : NULL;
        pMenu = hWindowMenu != NULL ? CMenu::FromHandle(hWindowMenu) : NULL;
    }
    return CreateClient(lpcs, pMenu);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    // The pop-up whose items include a window command.
    if (hMenuBar == NULL)
        return NULL;
    int nItems = ::GetMenuItemCount(hMenuBar);
    for (int iItem = nItems - 1; iItem >= 0; iItem--)
    {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, iItem);
        if (hMenuPop == NULL)
            continue;
        int nPopItems = ::GetMenuItemCount(hMenuPop);
        for (int i = 0; i < nPopItems; i++)
        {
            UINT nID = ::GetMenuItemID(hMenuPop, i);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
                return hMenuPop;
        }
    }
    return NULL;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpcs, CMenu* pWindowMenu)
{
    (void)lpcs;
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_BORDER | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("MDICLIENT"), NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                                       (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == NULL)
        return FALSE;
    // The client draws its own edge.
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != NULL
                    ? (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : NULL;
    CMDIChildWnd* pWnd = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd));
    if (pbMaximized != NULL)
        *pbMaximized = pWnd != NULL && bMaximized;
    return pWnd;
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    return CMenu::FromHandle((HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU,
                                                  (WPARAM)pFrameMenu->GetSafeHmenu(),
                                                  (LPARAM)pWindowMenu->GetSafeHmenu()));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild != NULL ? (CFrameWnd*)pActiveChild : (CFrameWnd*)this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (and its view) first.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWndMDIClient != NULL &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == NULL)
        return 0;
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pActiveWnd = MDIGetActive();
    if (pActiveWnd != NULL)
    {
        pActiveWnd->OnUpdateFrameMenu(TRUE, pActiveWnd, hMenuAlt);
        return;
    }
    if (hMenuAlt == NULL)
        hMenuAlt = m_hMenuDefault;
    SetMDIClientMenu(this, hMenuAlt);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != NULL ? pActiveChild->GetActiveDocument() : NULL;
    CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
    if (pTemplate == NULL)
        return;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild);
    if (pFrame != NULL)
        pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

// ---------------------------------------------------------------------------
// CMDIChildWnd

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMsg)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL)
{
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndMDIClient = ::GetParent(m_hWnd);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(hWndMDIClient)));
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.style = (LONG)(dwStyle & ~WS_MAXIMIZE);
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = (LPVOID)pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName;
    MDICREATESTRUCT mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = (DWORD)cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == NULL)
        return FALSE;
    if (dwStyle & WS_VISIBLE)
        ::ShowWindow(hWnd, (dwStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = LoadFrameResources(dwDefaultStyle, nIDResource);
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd),
                pContext))
        return FALSE;
    if (pContext != NULL && pContext->m_pNewDocTemplate != NULL)
    {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate);
        if (pTemplate != NULL)
            SetHandles(pTemplate->m_hMenuShared, pTemplate->m_hAccelTable);
    }
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == NULL)
        return 0;
    return ::DefMDIChildProc(m_hWnd, nMsg, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // MDI children are destroyed by their client window.
    HWND hWndClient = ::GetParent(m_hWnd);
    MDIDestroy();
    (void)hWndClient;
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    BOOL bVisibleThen = (GetStyle() & WS_VISIBLE) != 0;
    if (nCmdShow == -1 && !bVisibleThen)
        nCmdShow = SW_SHOWNORMAL;
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    if (hMenuAlt == NULL && bActivate)
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
    }
    if (hMenuAlt == NULL && bActivate)
        hMenuAlt = m_hMenuShared;
    if (hMenuAlt != NULL && bActivate)
        SetMDIClientMenu(pFrame, hMenuAlt);
    else if (!bActivate && pActivateWnd == NULL)
        SetMDIClientMenu(pFrame, pFrame->m_hMenuDefault);   // the last child goes: the frame's own menu
}

LRESULT CMDIChildWnd::OnMDIActivateMsg(WPARAM wParam, LPARAM lParam)
{
    CWnd* pDeactivate = CWnd::FromHandle((HWND)wParam);
    CWnd* pActivate = CWnd::FromHandle((HWND)lParam);
    OnMDIActivate(pActivate != NULL && pActivate->m_hWnd == m_hWnd, pActivate, pDeactivate);
    return Default();
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    (void)pDeactivateWnd;
    CView* pActiveView = GetActiveView();
    if (pActiveView != NULL)
        pActiveView->OnActivateView(bActivate, pActiveView, pActiveView);
    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
}
