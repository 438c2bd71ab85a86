// CFrameWnd: creation from resources, the layout protocol, idle update,
// command routing to the active view, message line; CMiniFrameWnd.
#include "framestate.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_hMenuDefault(NULL), m_hAccelTable(NULL), m_hMenuAlt(NULL), m_nIdleFlags(0),
      m_bInRecalcLayout(FALSE), m_bHelpMode(FALSE), m_nWindow(-1), m_nIDHelp(0), m_nIDTracking(0),
      m_nIDLastMessage(0), m_pViewActive(NULL), m_rectBorder(0, 0, 0, 0), m_bDisableIfNoHndler(TRUE),
      m_nShowDelay(-1), m_pFloatingFrameClass(NULL)
{
}

CFrameWnd::~CFrameWnd()
{
    AfxRemoveIdleUpdateWnd(this);
    // Bars that outlive the frame must not reach back into it.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_pDockSite == this)
            pBar->m_pDockSite = NULL;
    }
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

// ---------------------------------------------------------------------------
// Creation

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxFrameOrViewClass(NULL);
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        hMenu = ::LoadMenu(hInst, lpszMenuName);
        if (hMenu == NULL)
        {
            PostNcDestroy();   // as after a failed creation: the object may go
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, (LPVOID)pContext))
    {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource)
{
    (void)dwDefaultStyle;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
    HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
    if (hIcon == NULL)
        return NULL;
    m_strIconClass = AfxFrameOrViewClass(hIcon);
    return m_strIconClass;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL)
        return FALSE;   // only once
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
    return m_hAccelTable != NULL;
}

LPCTSTR CFrameWnd::LoadFrameResources(DWORD dwDefaultStyle, UINT nIDResource)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFullString, 0);
    return GetIconWndClass(dwDefaultStyle, nIDResource);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = LoadFrameResources(dwDefaultStyle, nIDResource);
    CString strTitle = m_strTitle;
    // A program without an accelerator table of this id is fine.
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0L,
                pContext))
        return FALSE;   // the object was deleted by PostNcDestroy
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, (CCreateContext*)lpcs->lpCreateParams);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    AfxAddIdleUpdateWnd(this);
    // The message line starts with the idle prompt.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    (void)lpcs;
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
    {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL)
            return FALSE;
    }
    return TRUE;
}

CWnd* AFXAPI AfxCreateView(CWnd* pParent, CCreateContext* pContext, UINT nID)
{
    if (pParent == NULL || pContext == NULL || pContext->m_pNewViewClass == NULL)
        return NULL;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pView == NULL)
    {
        delete pObject;
        return NULL;
    }
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), pParent, nID, pContext))
        return NULL;
    // The view draws its own client edge; the parent's goes.
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        pParent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    return AfxCreateView(this, pContext, nID);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnDestroy()
{
    // The menu is left as it is: when a menu bar took it away it also owns
    // it, and a menu still attached goes with the window.
    AfxRemoveIdleUpdateWnd(this);
    CWnd::OnDestroy();
}

// ---------------------------------------------------------------------------
// Activation, views and documents

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;
    if (pViewOld != NULL && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    // The old view may have chosen another view meanwhile.
    if (m_pViewActive != NULL)
        return;
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = NULL;
    if (GetActiveView() == NULL)
    {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        pView = DYNAMIC_DOWNCAST(CView, pWnd);
        if (pView != NULL)
            SetActiveView(pView, FALSE);
    }
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL)
            pView->OnActivateFrame(WA_INACTIVE, this);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this)
        {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;   // only the first time
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::BringToTop(int nCmdShow)
{
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
    {
        CWnd* pWnd = GetTopLevelParent();
        if (pWnd != NULL)
            ::BringWindowToTop(pWnd->GetLastActivePopup()->GetSafeHwnd());
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BringToTop(nCmdShow);
    if (nCmdShow != -1)
    {
        ShowWindow(nCmdShow);
        BringToTop(nCmdShow);
    }
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);

    // The family's caption stays active while activation stays within it:
    // the top-level frame itself, or a floating window of its own that keeps
    // its caption in step (it answers FS_SYNCACTIVE).
    CFrameWnd* pTopLevel = GetTopLevelFrame();
    if (pTopLevel == NULL)
        pTopLevel = this;
    CWnd* pActive = nState == WA_INACTIVE ? pWndOther : this;
    BOOL bStayActive = FALSE;
    if (pActive != NULL && ::IsWindow(pActive->m_hWnd))
    {
        bStayActive = pActive == pTopLevel ||
                      (pActive->GetTopLevelFrame() == pTopLevel &&
                       pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0);
    }
    pTopLevel->m_nFlags &= ~WF_STAYACTIVE;
    if (bStayActive)
        pTopLevel->m_nFlags |= WF_STAYACTIVE;
    NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);

    CFrameWnd* pActiveFrame = GetActiveFrame();
    CView* pActiveView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
    if (pActiveView != NULL)
    {
        if (nState != WA_INACTIVE && !bMinimized)
            pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
        pActiveView->OnActivateFrame(nState, pActiveFrame);
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    // Forced active while a window of the family has activation, inactive
    // while disabled (a modal dialog runs); DefWindowProc directly, since
    // Default() would pass on the original flag.
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    // Only a frame without parent or owner speaks for its family: a floating
    // window it disables or enables must not notify the family once more.
    if (::GetParent(m_hWnd) != NULL)
        return;
    // Windows may think the repaint unnecessary after a modal dialog.
    if (bEnable && (m_nFlags & WF_STAYACTIVE))
        SendMessage(WM_NCACTIVATE, TRUE);
    // Floating windows are disabled and enabled with their frame.
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

// hWnd is hWndAncestor or belongs to it through its parents and owners.
static BOOL IsInFamilyOf(HWND hWndAncestor, HWND hWnd)
{
    for (; hWnd != NULL; hWnd = AfxGetParentOwner(hWnd))
    {
        if (hWnd == hWndAncestor)
            return TRUE;
    }
    return FALSE;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    CFrameWnd* pParent = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pParent == NULL)
        pParent = this;
    if (dwFlags & (FS_ACTIVATE | FS_DEACTIVATE))
    {
        BOOL bActivate = (dwFlags & FS_DEACTIVATE) == 0;
        if (bActivate && pParent->IsWindowEnabled())
        {
            // Mini frames that keep their caption with ours leave theirs
            // alone while we repaint ours.
            pParent->m_nFlags |= WF_KEEPMINIACTIVE;
            pParent->SendMessage(WM_NCACTIVATE, TRUE);
            pParent->m_nFlags &= ~WF_KEEPMINIACTIVE;
        }
        else
        {
            pParent->SendMessage(WM_NCACTIVATE, FALSE);
        }
    }
    // Snapshot first: a window may hide, show or destroy others meanwhile.
    std::vector<HWND> windows;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd != pParent->m_hWnd && IsInFamilyOf(pParent->m_hWnd, hWnd))
            windows.push_back(hWnd);
    }
    for (HWND hWnd : windows)
    {
        if (::IsWindow(hWnd))
            ::SendMessage(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        // The main window: save and close every document first.
        if (pDocument == NULL && !pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd == NULL)
            return;   // closing the documents destroyed this window
    }
    if (pDocument != NULL && pDocument->m_bAutoDelete)
    {
        // Closing the document destroys its frames, this one among them,
        // unless another frame still shows it.
        BOOL bOtherFrame = FALSE;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos != NULL;)
        {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this)
                bOtherFrame = TRUE;
        }
        if (!bOtherFrame)
        {
            pDocument->PreCloseFrame(this);
            pDocument->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

// ---------------------------------------------------------------------------
// Command routing: the active view (then its document), this frame, then the
// application.

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A command from a menu or accelerator ends any prompt shown for it.
    if (lParam == 0 && HIWORD(wParam) <= 1 && m_nIDTracking != 0)
    {
        m_nIDTracking = 0;
        m_nFlags &= ~WF_NOPOPMSG;
    }
    return CWnd::OnCommand(wParam, lParam);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    CDocument* pDoc = GetActiveDocument();
    HACCEL hAccel = pDoc != NULL ? pDoc->GetDefaultAccelerator() : NULL;
    return hAccel != NULL ? hAccel : m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Layout

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    (void)bNotify;
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    // An explicit layout replaces a pending delayed one.
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area.
    if (m_pViewActive != NULL)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    if (m_nIdleFlags & (idleLayout | idleNotify))
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleMenu)
        OnUpdateFrameMenu(m_hMenuAlt);
    m_nIdleFlags = 0;
    return 0;
}

// ---------------------------------------------------------------------------
// Control bars

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (AfxGetDlgCtrlIDSafe(pBar->m_hWnd) == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == NULL)
        return;
    pBar->DelayShow(bShow);
    if (!bDelay)
        RecalcLayout();
    else
        DelayRecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != NULL)
    {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    UINT nVK;
    switch (pCmdUI->m_nID)
    {
    case ID_INDICATOR_CAPS: nVK = VK_CAPITAL; break;
    case ID_INDICATOR_NUM: nVK = VK_NUMLOCK; break;
    case ID_INDICATOR_SCRL: nVK = VK_SCROLL; break;
    case ID_INDICATOR_KANA: nVK = VK_KANA; break;
    default: pCmdUI->ContinueRouting(); return;
    }
    pCmdUI->Enable(::GetKeyState((int)nVK) & 1);
}

// ---------------------------------------------------------------------------
// Message line

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    // The prompt is the part of string nID before the first newline.
    CString str;
    if (str.LoadString(nID))
        AfxExtractSubString(rMessage, str, 0);
    else
        rMessage.Empty();
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL)
    {
        CString strMessage;
        LPCTSTR lpsz = NULL;
        if (lParam != 0)
        {
            lpsz = (LPCTSTR)lParam;   // the text itself
        }
        else if (wParam != 0)
        {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz != NULL ? lpsz : _T(""));
        // The frame that owns the bar remembers the prompt as well.
        CFrameWnd* pFrameWnd = pMessageBar->GetParentFrame();
        if (pFrameWnd != NULL && pFrameWnd != this)
        {
            pFrameWnd->m_nIDLastMessage = (UINT)wParam;
            pFrameWnd->m_nIDTracking = (UINT)wParam;
        }
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    (void)hSysMenu;
    if (nFlags == 0xFFFF)
    {
        // The menu closed: back to the idle prompt.
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
        return;
    }
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);   // system commands
    else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
        m_nIDTracking = AFX_IDS_MDICHILD;
    else
        m_nIDTracking = nItemID;
    m_nFlags |= WF_NOPOPMSG;
    if (m_nIDTracking != m_nIDLastMessage)
    {
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
        m_nFlags |= WF_NOPOPMSG;
    }
}

// ---------------------------------------------------------------------------
// Menus and title

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    (void)nIndex;
    if (bSysMenu || pMenu == NULL)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // separator
        if (state.m_nID == (UINT)-1)
        {
            // A pop-up: it takes the state of its first item's command.
            state.m_pSubMenu = pMenu->GetSubMenu((int)state.m_nIndex);
            if (state.m_pSubMenu == NULL || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // A handler may have removed items.
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // A frame whose menu was taken away (a menu bar draws it) keeps none.
    if (::GetMenu(m_hWnd) == NULL)
        return;
    if (hMenuAlt == NULL)
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
    }
    if (hMenuAlt != NULL && ::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    if (lpszDocName != NULL && *lpszDocName != 0)
    {
        CString strDoc = lpszDocName;
        if (m_nWindow > 0)
            strDoc.Format(_T("%s:%d"), lpszDocName, m_nWindow);
        if (GetStyle() & FWS_PREFIXTITLE)
            strText = strDoc + _T(" - ") + m_strTitle;
        else
            strText = m_strTitle + _T(" - ") + strDoc;
    }
    else
    {
        strText = m_strTitle;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    // Print preview is not offered; entering it leaves the frame as it is.
    (void)bPreview;
    (void)pState;
}

// ---------------------------------------------------------------------------
// CMiniFrameWnd

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd()
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    if (dwStyle & MFS_THICKFRAME)
        dwStyle |= WS_THICKFRAME;
    HMENU hMenu = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxFrameOrViewClass(NULL);
    // A tool window with a small caption; no client edge.
    if (cs.style & WS_CAPTION)
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (wParam & (FS_SHOW | FS_HIDE))
    {
        SetWindowPos(NULL, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE |
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE))
    {
        // Without the style for the moment, OnNcActivate lets the caption
        // take the owner's state.
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return (GetStyle() & MFS_SYNCACTIVE) != 0;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if ((GetStyle() & MFS_SYNCACTIVE) == 0)
        return CFrameWnd::OnNcActivate(bActive);
    // The caption follows the owner frame, which draws it through
    // WM_FLOATSTATUS; the activation changes of this window itself leave it
    // as it is. While the owner repaints its own caption, refuse.
    CFrameWnd* pOwner = GetTopLevelFrame();
    if (pOwner != NULL && pOwner != this && (pOwner->m_nFlags & WF_KEEPMINIACTIVE))
        return FALSE;
    return TRUE;
}

void CMiniFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTSYSMENU && (GetStyle() & MFS_BLOCKSYSMENU))
        return;
    CFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The menu itself stays (owners edit it); only opening it is blocked.
    UINT nCommand = nID & 0xFFF0;
    if ((GetStyle() & MFS_BLOCKSYSMENU) &&
        (nCommand == SC_MOUSEMENU || (nCommand == SC_KEYMENU && lParam == VK_SPACE)))
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}
