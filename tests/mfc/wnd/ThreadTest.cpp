// Threads: handle maps shared across threads, the main window on workers,
// modal dialogs on workers, user-interface threads with their own loop.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxpriv.h>

#include "MfcWndTestsRes.h"
#include "TestSupport.h"
#include "WndTestSupport.h"

#include <atomic>
#include <process.h>
#include <string>

using namespace mfcwnd_test;
using tesmir::test::PumpUntil;

namespace {

// Waits for a thread while dispatching this thread's messages.
bool WaitForThread(HANDLE hThread, DWORD dwTimeout = 10000)
{
    return PumpUntil([&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, dwTimeout);
}

struct LookupResult
{
    HWND hWnd = NULL;
    HWND hForeign = NULL;
    CWnd* pPermanent = NULL;
    CWnd* pFromHandle = NULL;
    CWnd* pForeign = NULL;
    HWND hForeignSeen = NULL;   // read on the worker: its temporary objects end with it
    CWnd* pMainWnd = NULL;
    CWnd* pThreadMain = NULL;
};

UINT AFX_CDECL LookupProc(LPVOID pParam)
{
    LookupResult* pResult = (LookupResult*)pParam;
    pResult->pPermanent = CWnd::FromHandlePermanent(pResult->hWnd);
    pResult->pFromHandle = CWnd::FromHandle(pResult->hWnd);
    pResult->pForeign = CWnd::FromHandle(pResult->hForeign);
    pResult->hForeignSeen = pResult->pForeign != NULL ? pResult->pForeign->m_hWnd : NULL;
    pResult->pMainWnd = AfxGetMainWnd();
    pResult->pThreadMain = AfxGetThread() != NULL ? AfxGetThread()->m_pMainWnd : NULL;
    return 17;
}

TEST(Threads, WorkerFindsPermanentObjectsAndTheRealMainWindow)
{
    CScopedApp app(_T("ThreadTest"));
    CWnd frame;
    ASSERT_TRUE(CreateTopLevel(frame));
    app.m_pMainWnd = &frame;
    HWND hForeign = ::CreateWindowEx(0, _T("STATIC"), _T("plain"), WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);

    LookupResult result;
    result.hWnd = frame.m_hWnd;
    result.hForeign = hForeign;
    CWinThread* pThread = AfxBeginThread(LookupProc, &result, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE((CWinThread*)NULL, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_TRUE(WaitForThread(pThread->m_hThread));
    DWORD dwExit = 0;
    ::GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(17u, dwExit);
    delete pThread;

    EXPECT_EQ(&frame, result.pPermanent);
    EXPECT_EQ(&frame, result.pFromHandle);
    EXPECT_EQ(&frame, result.pMainWnd);      // the object itself, not a stand-in
    EXPECT_EQ(&frame, result.pThreadMain);
    EXPECT_NE((CWnd*)NULL, result.pForeign);  // a temporary of the worker
    EXPECT_EQ(hForeign, result.hForeignSeen);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hForeign));
    ::DestroyWindow(hForeign);
    app.m_pMainWnd = NULL;
}

TEST(Threads, DestroyedMainWindowIsForgottenByEveryThread)
{
    CScopedApp app(_T("ThreadTest"));
    CWnd* pFrame = new CWnd;
    ASSERT_TRUE(CreateTopLevel(*pFrame));
    app.m_pMainWnd = pFrame;
    CWinThread thread(LookupProc, NULL);
    thread.m_pMainWnd = pFrame;
    pFrame->DestroyWindow();
    delete pFrame;
    EXPECT_EQ(NULL, app.m_pMainWnd);
    EXPECT_EQ(NULL, thread.m_pMainWnd);
    // The main window ends the message loop.
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

std::atomic<LONG> g_nSpins(0);
std::atomic<bool> g_bStop(false);

UINT AFX_CDECL SpinProc(LPVOID)
{
    while (!g_bStop)
    {
        ++g_nSpins;
        ::Sleep(0);
    }
    return 0;
}

TEST(Threads, SuspendAndResume)
{
    g_bStop = false;
    CWinThread* pThread = AfxBeginThread(SpinProc, NULL);
    ASSERT_NE((CWinThread*)NULL, pThread);
    pThread->m_bAutoDelete = FALSE;
    ASSERT_TRUE(PumpUntil([] { return g_nSpins > 10; }));
    EXPECT_EQ(0u, pThread->SuspendThread());
    LONG nAt = g_nSpins;
    EXPECT_FALSE(PumpUntil([&] { return g_nSpins != nAt; }, 200));
    EXPECT_EQ(1u, pThread->ResumeThread());
    EXPECT_TRUE(PumpUntil([&] { return g_nSpins != nAt; }));
    g_bStop = true;
    ASSERT_TRUE(WaitForThread(pThread->m_hThread));
    delete pThread;
}

// ---------------------------------------------------------------------------
// Desktops: a worker starts on the desktop of the thread that created it

std::wstring DesktopName(HDESK hDesk)
{
    wchar_t szName[256] = {};
    DWORD cbNeeded = 0;
    if (hDesk == NULL || !::GetUserObjectInformationW(hDesk, UOI_NAME, szName, sizeof(szName), &cbNeeded))
        return std::wstring();
    return szName;
}

struct DesktopProbe
{
    HDESK hCreatorDesk = NULL;
    std::wstring strCreator;
    std::wstring strWorker;
    bool bWorkerWindowCreated = false;
};

UINT AFX_CDECL ReportDesktopProc(LPVOID pParam)
{
    DesktopProbe* pProbe = (DesktopProbe*)pParam;
    pProbe->strWorker = DesktopName(::GetThreadDesktop(::GetCurrentThreadId()));
    HWND hWnd = ::CreateWindowEx(0, _T("STATIC"), _T("probe"), WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    pProbe->bWorkerWindowCreated = hWnd != NULL;
    if (hWnd != NULL)
        ::DestroyWindow(hWnd);
    return 0;
}

// A plain thread that moves onto the given desktop and starts a framework
// worker from there.
unsigned __stdcall CreatorProc(void* pParam)
{
    DesktopProbe* pProbe = (DesktopProbe*)pParam;
    if (!::SetThreadDesktop(pProbe->hCreatorDesk))
        return 1;
    pProbe->strCreator = DesktopName(::GetThreadDesktop(::GetCurrentThreadId()));
    CWinThread* pWorker = AfxBeginThread(ReportDesktopProc, pProbe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (pWorker == NULL)
        return 2;
    pWorker->m_bAutoDelete = FALSE;
    pWorker->ResumeThread();
    DWORD dwWait = ::WaitForSingleObject(pWorker->m_hThread, 20000);
    delete pWorker;
    return dwWait == WAIT_OBJECT_0 ? 0 : 3;
}

TEST(Threads, WorkerStartsOnItsCreatorsDesktop)
{
    // The creator is not the process's first thread, and its desktop is not
    // the one the process started on.
    HDESK hDesk = ::CreateDesktopW(L"mfc-thread-desktop", NULL, NULL, 0, GENERIC_ALL, NULL);
    ASSERT_NE((HDESK)NULL, hDesk);
    DesktopProbe probe;
    probe.hCreatorDesk = hDesk;
    HANDLE hCreator = (HANDLE)_beginthreadex(NULL, 0, &CreatorProc, &probe, 0, NULL);
    ASSERT_NE((HANDLE)NULL, hCreator);
    ASSERT_TRUE(WaitForThread(hCreator, 30000));
    DWORD dwCode = 99;
    ::GetExitCodeThread(hCreator, &dwCode);
    ::CloseHandle(hCreator);
    EXPECT_EQ(0u, dwCode);
    EXPECT_EQ(L"mfc-thread-desktop", probe.strCreator);
    EXPECT_EQ(probe.strCreator, probe.strWorker);
    EXPECT_TRUE(probe.bWorkerWindowCreated);
    ::CloseDesktop(hDesk);
}

// ---------------------------------------------------------------------------
// Modal dialog on a worker thread

class CWorkerDialog : public CDialog
{
public:
    CWorkerDialog() : CDialog(IDD_EMPTY) {}
    std::atomic<HWND> m_hWndShown{ NULL };
    std::atomic<int> m_nKickIdle{ 0 };
    std::atomic<int> m_nPreTranslate{ 0 };
    HWND m_hWndOwner = NULL;
protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
        m_hWndShown = m_hWnd;
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        ++m_nPreTranslate;
        return CDialog::PreTranslateMessage(pMsg);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++m_nKickIdle;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWorkerDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

UINT AFX_CDECL ModalProc(LPVOID pParam)
{
    CWorkerDialog* pDlg = (CWorkerDialog*)pParam;
    return (UINT)pDlg->DoModal();
}

TEST(Threads, ModalDialogRunsOnAWorkerWithoutBlockingTheMainWindow)
{
    CScopedApp app(_T("ThreadTest"));
    CWnd frame;
    ASSERT_TRUE(CreateTopLevel(frame));
    app.m_pMainWnd = &frame;

    CWorkerDialog dlg;
    CWinThread* pThread = AfxBeginThread(ModalProc, &dlg, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE((CWinThread*)NULL, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();

    ASSERT_TRUE(PumpUntil([&] { return dlg.m_hWndShown.load() != NULL; }));
    HWND hDlg = dlg.m_hWndShown;
    EXPECT_EQ(NULL, dlg.m_hWndOwner);          // not owned by the other thread's frame
    EXPECT_TRUE(frame.IsWindowEnabled());      // and the frame was not disabled
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_nKickIdle > 0; }));   // the loop idles
    ::PostMessage(hDlg, WM_KEYDOWN, VK_ESCAPE, 0);   // through PreTranslateMessage
    ASSERT_TRUE(WaitForThread(pThread->m_hThread));
    DWORD dwExit = 0;
    ::GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ((DWORD)IDCANCEL, dwExit);
    EXPECT_GT(dlg.m_nPreTranslate.load(), 0);
    EXPECT_FALSE(::IsWindow(hDlg));
    delete pThread;
    app.m_pMainWnd = NULL;
}

TEST(Threads, ModalDialogEndedFromOnInitDialogSkipsTheLoop)
{
    class CQuickDialog : public CDialog
    {
    public:
        CQuickDialog() : CDialog(IDD_EMPTY) {}
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            EndDialog(1234);
            return TRUE;
        }
    };
    CQuickDialog dlg;
    EXPECT_EQ(1234, dlg.DoModal());
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

// ---------------------------------------------------------------------------
// A user-interface thread created by class

class CUiThread : public CWinThread
{
    DECLARE_DYNCREATE(CUiThread)
public:
    static std::atomic<int> s_nIdle;
    static std::atomic<int> s_nThreadMsg;
    static std::atomic<DWORD> s_dwThreadID;
    BOOL InitInstance() override
    {
        m_pMainWnd = new CWnd;
        CreateTopLevel(*m_pMainWnd);
        s_dwThreadID = ::GetCurrentThreadId();
        return TRUE;
    }
    int ExitInstance() override
    {
        CWnd* pMainWnd = m_pMainWnd;   // destroying it clears m_pMainWnd
        if (pMainWnd != NULL)
        {
            pMainWnd->DestroyWindow();
            delete pMainWnd;
        }
        return 321;
    }
    BOOL OnIdle(LONG lCount) override
    {
        if (lCount == 0)
            ++s_nIdle;
        return CWinThread::OnIdle(lCount);
    }
protected:
    afx_msg void OnThreadMessage(WPARAM wParam, LPARAM) { s_nThreadMsg += (int)wParam; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CUiThread, CWinThread)
std::atomic<int> CUiThread::s_nIdle(0);
std::atomic<int> CUiThread::s_nThreadMsg(0);
std::atomic<DWORD> CUiThread::s_dwThreadID(0);

BEGIN_MESSAGE_MAP(CUiThread, CWinThread)
    ON_THREAD_MESSAGE(WM_APP + 1, OnThreadMessage)
END_MESSAGE_MAP()

TEST(Threads, UserInterfaceThreadRunsItsOwnLoop)
{
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE((CWinThread*)NULL, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_TRUE(PumpUntil([] { return CUiThread::s_nIdle > 0; }));
    EXPECT_EQ(pThread->m_nThreadID, CUiThread::s_dwThreadID.load());
    ASSERT_TRUE(pThread->PostThreadMessage(WM_APP + 1, 5, 0));
    ASSERT_TRUE(PumpUntil([] { return CUiThread::s_nThreadMsg == 5; }));
    pThread->PostThreadMessage(WM_QUIT, 0, 0);
    ASSERT_TRUE(WaitForThread(pThread->m_hThread));
    DWORD dwExit = 0;
    ::GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(321u, dwExit);
    delete pThread;
}

// ---------------------------------------------------------------------------
// PreTranslateMessage runs for the target window and each of its parents.

class CTranslatingWnd : public CWnd
{
public:
    int m_nPreTranslate = 0;
    BOOL m_bEat = FALSE;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 3)
        {
            m_nPreTranslate++;
            return m_bEat;
        }
        return FALSE;
    }
};

TEST(Threads, PreTranslateMessageWalksUpTheParentChain)
{
    CScopedApp app(_T("ThreadTest"));
    CTranslatingWnd top, middle, child;
    ASSERT_TRUE(CreateTopLevel(top));
    ASSERT_TRUE(middle.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), &top, 1));
    ASSERT_TRUE(child.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), &middle, 2));
    app.m_pMainWnd = &top;
    MSG msg = {};
    msg.hwnd = child.m_hWnd;
    msg.message = WM_APP + 3;
    EXPECT_FALSE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ(1, child.m_nPreTranslate);
    EXPECT_EQ(1, middle.m_nPreTranslate);
    EXPECT_EQ(1, top.m_nPreTranslate);
    middle.m_bEat = TRUE;
    EXPECT_TRUE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ(2, middle.m_nPreTranslate);
    EXPECT_EQ(1, top.m_nPreTranslate);   // stopped where it was eaten
    app.m_pMainWnd = NULL;
}

}  // namespace
