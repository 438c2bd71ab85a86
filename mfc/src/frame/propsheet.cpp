// Property sheets and pages over the system's property sheet control.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// ---------------------------------------------------------------------------
// CPropertyPage

INT_PTR CALLBACK AfxPropPageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if (message != WM_INITDIALOG)
        return FALSE;
    // The page object rides in the PROPSHEETPAGE; it takes over the window
    // here, after which its message map sees every message.
    const PROPSHEETPAGE* pPSP = (const PROPSHEETPAGE*)lParam;
    CPropertyPage* pPage = pPSP != NULL ? (CPropertyPage*)pPSP->lParam : NULL;
    if (pPage == NULL || !pPage->SubclassWindow(hWnd))
        return TRUE;
    return pPage->OnInitDialog();
}

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE), m_pSheet(NULL)
{
    CommonConstruct(NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : m_bFirstSetActive(TRUE), m_pSheet(NULL)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : m_bFirstSetActive(TRUE), m_pSheet(NULL)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxPropPageProc;
    m_psp.lParam = (LPARAM)this;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && lpszTemplateName != NULL)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    if (nIDCaption != 0)
    {
        m_strCaption.LoadString(nIDCaption);
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

void CPropertyPage::CancelToClose()
{
    ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    ::SendMessage(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
    // The data were exchanged when the page was left (OnKillActive).
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    // The sheet's questions: the answer goes back through DWLP_MSGRESULT.
    LRESULT lResult = 0;
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        if (lResult == PSNRET_NOERROR && m_pSheet != NULL)
            m_pSheet->m_nModalResultSheet = IDOK;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = OnQueryCancel() ? FALSE : TRUE;
        break;
    case PSN_WIZNEXT:
        lResult = OnWizardNext();
        break;
    case PSN_WIZBACK:
        lResult = OnWizardBack();
        break;
    case PSN_WIZFINISH:
        lResult = OnWizardFinish() ? FALSE : TRUE;
        if (!lResult && m_pSheet != NULL)
            m_pSheet->m_nModalResultSheet = ID_WIZFINISH;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CPropertySheet

CPropertySheet::CPropertySheet()
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bModeless = FALSE;
    m_nModalResultSheet = IDCANCEL;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.Add(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd != NULL)
    {
        PROPSHEETPAGE psp = pPage->m_psp;
        if (!pPage->m_strCaption.IsEmpty())
            psp.pszTitle = pPage->m_strCaption;
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&psp);
        if (hPage != NULL)
            SendMessage(PSM_ADDPAGE, 0, (LPARAM)hPage);
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != NULL)
        SendMessage(PSM_REMOVEPAGE, (WPARAM)nPage);
    m_pages.RemoveAt(nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage)
{
    for (int i = 0; i < GetPageCount(); i++)
    {
        if (GetPage(i) == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hWndPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    for (int i = 0; i < GetPageCount(); i++)
    {
        if (GetPage(i)->m_hWnd == hWndPage)
            return i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    int nIndex = GetActiveIndex();
    return nIndex >= 0 && nIndex < GetPageCount() ? GetPage(nIndex) : NULL;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    if (nStyle & PSH_PROPTITLE)
        m_psh.dwFlags |= PSH_PROPTITLE;
    else
        m_psh.dwFlags &= ~PSH_PROPTITLE;
    if (m_hWnd != NULL)
        SendMessage(PSM_SETTITLE, nStyle, (LPARAM)(LPCTSTR)m_strCaption);
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResultSheet = nEndID;
    if (m_bModeless)
        DestroyWindow();
    else
        PressButton(nEndID == IDOK ? PSBTN_OK : PSBTN_CANCEL);
}

void CPropertySheet::BuildPropPageArray()
{
    m_pageArray.clear();
    for (int i = 0; i < GetPageCount(); i++)
    {
        CPropertyPage* pPage = GetPage(i);
        pPage->m_pSheet = this;
        PROPSHEETPAGE psp = pPage->m_psp;
        if (!pPage->m_strCaption.IsEmpty())
            psp.pszTitle = pPage->m_strCaption;
        m_pageArray.push_back(psp);
    }
    m_psh.nPages = (UINT)m_pageArray.size();
    m_psh.ppsp = m_pageArray.empty() ? NULL : m_pageArray.data();
    m_psh.pszCaption = m_strCaption;
    m_psh.hInstance = AfxGetResourceHandle();
}

// The sheet window is taken over as soon as it exists.
static CPropertySheet* g_pSheetInit = NULL;

int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT message, LPARAM lParam)
{
    (void)lParam;
    if (message == PSCB_INITIALIZED && g_pSheetInit != NULL)
    {
        CPropertySheet* pSheet = g_pSheetInit;
        g_pSheetInit = NULL;
        pSheet->SubclassWindow(hWnd);
    }
    return 0;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    (void)dwStyle;
    (void)dwExStyle;
    AfxInitCommonControls();
    BuildPropPageArray();
    m_bModeless = TRUE;
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    m_psh.hwndParent = pParentWnd->GetSafeHwnd();
    g_pSheetInit = this;
    HWND hWnd = (HWND)::PropertySheet(&m_psh);
    g_pSheetInit = NULL;
    return hWnd != NULL && hWnd != (HWND)-1 && m_hWnd == hWnd;
}

BOOL CPropertySheet::ContinueModal()
{
    // A modeless sheet has no current page once a button closed it.
    if (!CWnd::ContinueModal())
        return FALSE;
    return m_hWnd != NULL && ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

INT_PTR CPropertySheet::DoModal()
{
    AfxInitCommonControls();
    // Owned by the parent (or the main window) of this thread, disabled meanwhile.
    HWND hWndParent = m_pParentWnd->GetSafeHwnd();
    if (hWndParent == NULL)
        hWndParent = CWnd::GetSafeOwner(NULL, NULL)->GetSafeHwnd();
    if (hWndParent != NULL && ::GetWindowThreadProcessId(hWndParent, NULL) != ::GetCurrentThreadId())
        hWndParent = NULL;
    BOOL bEnableParent = hWndParent != NULL && ::IsWindowEnabled(hWndParent);
    if (!Create(CWnd::FromHandle(hWndParent)))
        return -1;
    m_bModeless = FALSE;
    m_nModalResultSheet = IDCANCEL;
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);
    RunModalLoop(MLF_NOIDLEMSG);
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (m_hWnd != NULL)
    {
        if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndParent);
        DestroyWindow();
    }
    return m_nModalResultSheet;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return m_hWnd != NULL && (BOOL)::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Then the owner (a frame routes further).
    CWnd* pOwner = m_pParentWnd;
    return pOwner != NULL && pOwner != this && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
