// CWinApp and the application-wide globals: start-up, message boxes,
// start-up initialisers, framework strings.
#include "wndstate.h"

#include <afxadv.h>
#include <algorithm>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(NULL), m_hInstance(NULL), m_hPrevInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL),
      m_pszHelpFilePath(NULL), m_pszProfileName(NULL), m_pszRegistryKey(NULL), m_pszExeName(NULL),
      m_pRecentFileList(NULL), m_nNumPreviewPages(0)
{
    // The application object is the main thread's thread object.
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_pCurrentWinApp = this;
    AfxGetThreadState()->m_pCurrentWinThread = this;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
    if (lpszAppName != NULL)
        m_pszAppName = _tcsdup(lpszAppName);
    SetCurrentHandles();
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    m_pDocManager = NULL;
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    free((void*)m_pszAppName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszProfileName);
    free((void*)m_pszExeName);
    free((void*)m_pszHelpFilePath);
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    if (pModuleState->m_pCurrentWinApp == this)
    {
        pModuleState->m_pCurrentWinApp = NULL;
        pModuleState->m_lpszCurrentAppName = NULL;
    }
    _AFX_THREAD_STATE* pState = AfxPeekThreadState();
    if (pState != NULL && pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
    m_hThread = NULL;   // the pseudo handle is not closed
}

// Name, executable name and profile name of the application.
void CWinApp::SetCurrentHandles()
{
    if (m_hInstance == NULL)
        m_hInstance = AfxGetInstanceHandle();

    TCHAR szModule[MAX_PATH + 1] = {};
    ::GetModuleFileName(m_hInstance, szModule, MAX_PATH);
    LPTSTR lpszName = _tcsrchr(szModule, '\\');
    lpszName = lpszName != NULL ? lpszName + 1 : szModule;
    LPTSTR lpszExt = _tcsrchr(lpszName, '.');
    if (lpszExt != NULL)
        *lpszExt = 0;
    if (m_pszExeName == NULL)
        m_pszExeName = _tcsdup(lpszName);

    if (m_pszAppName == NULL)
    {
        // String AFX_IDS_APP_TITLE, or the executable's name.
        CString strName = AfxLoadFrameworkString(AFX_IDS_APP_TITLE);
        m_pszAppName = _tcsdup(strName.IsEmpty() ? m_pszExeName : (LPCTSTR)strName);
    }
    AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;

    if (m_pszProfileName == NULL)
    {
        // Without a registry key the profile is <exe>.INI beside the program.
        CString strIni = CString(m_pszExeName) + _T(".INI");
        m_pszProfileName = _tcsdup(strIni);
    }
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);   // nothing to run
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    LPCTSTR lpsz = AfxGetModuleState()->m_lpszCurrentAppName;
    return lpsz != NULL ? lpsz : _T("");
}

// ---------------------------------------------------------------------------
// Start-up initialisers

namespace {
struct StartupEntry
{
    int nOrder;
    int nSeq;
    AFX_STARTUP_PROC pfnInit;
    AFX_STARTUP_PROC pfnTerm;
};

struct StartupRegistry
{
    CAfxLock lock;
    std::vector<StartupEntry> entries;
    std::vector<AFX_STARTUP_PROC> terms;   // in the order to run them
    bool bRan = false;
};

StartupRegistry& Startup()
{
    static StartupRegistry* s_pRegistry = new StartupRegistry;
    return *s_pRegistry;
}
}

void AFXAPI AfxAddStartupInitializer(int nOrder, AFX_STARTUP_PROC pfnInit, AFX_STARTUP_PROC pfnTerm)
{
    StartupRegistry& reg = Startup();
    CAfxLockGuard guard(reg.lock);
    reg.entries.push_back(StartupEntry{ nOrder, (int)reg.entries.size(), pfnInit, pfnTerm });
}

void AFXAPI AfxRunStartupInitializers()
{
    StartupRegistry& reg = Startup();
    std::vector<StartupEntry> entries;
    {
        CAfxLockGuard guard(reg.lock);
        if (reg.bRan)
            return;
        reg.bRan = true;
        entries = reg.entries;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const StartupEntry& a, const StartupEntry& b) { return a.nOrder < b.nOrder; });
    for (const StartupEntry& entry : entries)
    {
        if (entry.pfnInit != NULL)
            entry.pfnInit();
        if (entry.pfnTerm != NULL)
        {
            CAfxLockGuard guard(reg.lock);
            reg.terms.insert(reg.terms.begin(), entry.pfnTerm);
        }
    }
}

void AFXAPI AfxRunShutdownTerminators()
{
    StartupRegistry& reg = Startup();
    std::vector<AFX_STARTUP_PROC> terms;
    {
        CAfxLockGuard guard(reg.lock);
        terms.swap(reg.terms);
    }
    for (AFX_STARTUP_PROC pfn : terms)
        pfn();
}

// ---------------------------------------------------------------------------
// Program start

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    AfxSetResourceHandle(hInstance);
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_hPrevInstance = hPrevInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    AfxInitCommonControls();
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    AfxRunShutdownTerminators();
    CDC::GetHalftoneBrush()->DeleteObject();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    if (pThread == NULL || pApp == NULL)
        return nReturnCode;   // the program defines no application object

    if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
    {
        AfxRunStartupInitializers();
        if (pApp->InitApplication())
        {
            if (!pThread->InitInstance())
            {
                if (pThread->m_pMainWnd != NULL)
                    pThread->m_pMainWnd->DestroyWindow();
                nReturnCode = pThread->ExitInstance();
            }
            else
            {
                nReturnCode = pThread->Run();
            }
        }
    }
    AfxWinTerm();
    return nReturnCode;
}

// ---------------------------------------------------------------------------
// Message boxes

static AFX_MESSAGEBOX_HOOK g_pfnMessageBoxHook = NULL;

AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook)
{
    return (AFX_MESSAGEBOX_HOOK)::InterlockedExchangePointer((PVOID*)&g_pfnMessageBoxHook, (PVOID)pfnHook);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    (void)nIDPrompt;
    // Owned by the active top-level window of this thread, disabled meanwhile.
    HWND hWndTop = NULL;
    CWnd* pOwner = CWnd::GetSafeOwner(NULL, &hWndTop);
    HWND hWndOwner = pOwner->GetSafeHwnd();
    if (hWndOwner != NULL && ::GetWindowThreadProcessId(hWndOwner, NULL) != ::GetCurrentThreadId())
        hWndOwner = NULL;   // never own (and block) another thread's window
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        case MB_ABORTRETRYIGNORE:
        case MB_RETRYCANCEL:
            break;
        }
    }
    return ::MessageBox(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    AFX_MESSAGEBOX_HOOK pfnHook = g_pfnMessageBoxHook;
    if (pfnHook != NULL)
        return pfnHook(lpszText, nType, nIDHelp);
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(NULL, lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt = AfxLoadFrameworkString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

// ---------------------------------------------------------------------------
// Strings

CString AfxLoadFrameworkString(UINT nID)
{
    CString str;
    if (!str.LoadString(nID & 0xFFFF))
        str.Empty();
    return str;
}

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    CString strResult;
    for (LPCTSTR p = lpszFormat; *p != 0; p++)
    {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9')
        {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i] != NULL)
                strResult += rglpsz[i];
            p++;
        }
        else
        {
            strResult += *p;
        }
    }
    rString = strResult;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString strFormat = AfxLoadFrameworkString(nIDS);
    AfxFormatStrings(rString, strFormat, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString strFormat = AfxLoadFrameworkString(nIDS);
    LPCTSTR rglpsz[2] = { lpsz1, lpsz2 };
    AfxFormatStrings(rString, strFormat, rglpsz, 2);
}

BOOL AFXAPI AfxInitRichEdit2()
{
    static const HMODULE s_hRichEdit2 = ::LoadLibrary(_T("riched20.dll"));
    return s_hRichEdit2 != NULL;
}

// riched32.dll registers the version 1 class "RICHEDIT"; riched20.dll is
// loaded too, so callers that create RichEdit20W after this keep working.
BOOL AFXAPI AfxInitRichEdit()
{
    static const HMODULE s_hRichEdit = ::LoadLibrary(_T("riched32.dll"));
    return AfxInitRichEdit2() && s_hRichEdit != NULL;
}
