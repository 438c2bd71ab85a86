// Document/view: a single-document application made from a template,
// command routing frame -> view -> document -> application, the command
// line and the shell registration.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MfcFrameTestsRes.h"
#include "TestSupport.h"

#include <string>
#include <vector>

using namespace mfcframe_test;

namespace {

std::vector<std::string> g_route;   // who handled the routed commands

// Notifications from a control of this id are handled by one of the view,
// the document, the frame or the application, by code; each sets its own
// result.
const UINT kNotifyCtrlId = 300;
#define ROUTE_NOTIFY_HANDLER(name, result) \
    afx_msg void OnNotifyRoute(NMHDR*, LRESULT* pResult) { g_route.push_back(name); *pResult = result; }
int g_nDocsAlive = 0;

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    CTestDoc() { g_nDocsAlive++; }
    ~CTestDoc() override { g_nDocsAlive--; }
    CString m_strLoaded;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            ar >> m_strLoaded;
        else
            ar << m_strLoaded;
    }
    afx_msg void OnRouteView() { g_route.push_back("doc"); }
    afx_msg void OnRouteDoc() { g_route.push_back("doc"); }
    ROUTE_NOTIFY_HANDLER("doc", 12)
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_ROUTE_VIEW, OnRouteView)
    ON_COMMAND(ID_ROUTE_DOC, OnRouteDoc)
    ON_NOTIFY(NM_DBLCLK, kNotifyCtrlId, OnNotifyRoute)
END_MESSAGE_MAP()

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    int m_nInitialUpdates = 0;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override { m_nInitialUpdates++; CView::OnInitialUpdate(); }
    afx_msg void OnRouteView() { g_route.push_back("view"); }
    ROUTE_NOTIFY_HANDLER("view", 11)
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_ROUTE_VIEW, OnRouteView)
    ON_NOTIFY(NM_CLICK, kNotifyCtrlId, OnNotifyRoute)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CTestFrame)
public:
    afx_msg void OnRoute() { g_route.push_back("frame"); }
    ROUTE_NOTIFY_HANDLER("frame", 13)
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_ROUTE_VIEW, OnRoute)
    ON_COMMAND(ID_ROUTE_DOC, OnRoute)
    ON_COMMAND(ID_ROUTE_FRAME, OnRoute)
    ON_NOTIFY(NM_CLICK, kNotifyCtrlId, OnNotifyRoute)   // the view's comes first
    ON_NOTIFY(NM_RCLICK, kNotifyCtrlId, OnNotifyRoute)
END_MESSAGE_MAP()

class CTestApp : public CScopedApp
{
public:
    afx_msg void OnRoute(UINT) { g_route.push_back("app"); }
    ROUTE_NOTIFY_HANDLER("app", 14)
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CScopedApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND_RANGE(ID_ROUTE_VIEW, ID_ROUTE_APP, OnRoute)
    ON_NOTIFY(NM_RDBLCLK, kNotifyCtrlId, OnNotifyRoute)
END_MESSAGE_MAP()

// A temporary file holding an archived string.
std::wstring WriteDocFile(LPCTSTR lpszText)
{
    WCHAR szDir[MAX_PATH], szPath[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szDir);
    ::GetTempFileNameW(szDir, L"tfx", 0, szPath);
    CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << CString(lpszText);
    ar.Close();
    file.Close();
    return szPath;
}

TEST(SingleDocument, TemplateBuildsFrameViewAndDocumentAndRoutesCommands)
{
    CTestApp app;
    app.m_nCmdShow = SW_SHOWNOACTIVATE;
    app.AddDocTemplate(new CSingleDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CTestView)));
    app.m_lpCmdLine = const_cast<LPTSTR>(_T(""));
    CCommandLineInfo cmdInfo;
    app.ParseCommandLine(cmdInfo);
    EXPECT_EQ(CCommandLineInfo::FileNew, cmdInfo.m_nShellCommand);
    ASSERT_TRUE(app.ProcessShellCommand(cmdInfo));

    // The frame is the main window, loaded from resource 128.
    CTestFrame* pFrame = DYNAMIC_DOWNCAST(CTestFrame, app.m_pMainWnd);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_NE(nullptr, ::GetMenu(pFrame->m_hWnd));
    EXPECT_EQ(::GetMenu(pFrame->m_hWnd), pFrame->m_hMenuDefault);
    EXPECT_EQ(nullptr, pFrame->m_hAccelTable);   // resource 128 has none: that is fine
    EXPECT_EQ(CString(_T("Frame Tests")), pFrame->m_strTitle);
    CString strCaption;
    pFrame->GetWindowText(strCaption);
    EXPECT_EQ(CString(_T("Untitled - Frame Tests")), strCaption);

    // The view is the active pane and belongs to the document.
    CTestView* pView = DYNAMIC_DOWNCAST(CTestView, pFrame->GetActiveView());
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    CTestDoc* pDoc = DYNAMIC_DOWNCAST(CTestDoc, pFrame->GetActiveDocument());
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(pDoc, pView->GetDocument());
    EXPECT_EQ(1, g_nDocsAlive);
    CRect rectClient, rectView;
    pFrame->GetClientRect(rectClient);
    pView->GetWindowRect(rectView);
    EXPECT_EQ(rectClient.Size(), rectView.Size());

    // Commands: the view, then its document, then the frame, then the application.
    const struct { UINT nID; const char* pszHandler; } routes[] = {
        { ID_ROUTE_VIEW, "view" }, { ID_ROUTE_DOC, "doc" }, { ID_ROUTE_FRAME, "frame" }, { ID_ROUTE_APP, "app" },
    };
    for (const auto& route : routes)
    {
        g_route.clear();
        pFrame->SendMessage(WM_COMMAND, route.nID);
        ASSERT_EQ(1u, g_route.size());
        EXPECT_EQ(route.pszHandler, g_route[0]);
    }
    g_route.clear();
    pFrame->SendMessage(WM_COMMAND, ID_ROUTE_NONE);
    EXPECT_TRUE(g_route.empty());

    // Notifications of a control in the frame take the same way; the
    // handler's result is the message's, and one nobody handles is not
    // handled by the frame.
    HWND hCtrl = ::CreateWindowEx(0, _T("STATIC"), NULL, WS_CHILD, 0, 0, 5, 5, pFrame->m_hWnd,
                                  (HMENU)(UINT_PTR)kNotifyCtrlId, NULL, NULL);
    ASSERT_NE((HWND)NULL, hCtrl);
    const struct { UINT nCode; const char* pszHandler; LRESULT lResult; } notifies[] = {
        { NM_CLICK, "view", 11 }, { NM_DBLCLK, "doc", 12 }, { NM_RCLICK, "frame", 13 },
        { NM_RDBLCLK, "app", 14 }, { NM_RETURN, NULL, 0 },
    };
    for (const auto& n : notifies)
    {
        g_route.clear();
        NMHDR nmhdr = { hCtrl, kNotifyCtrlId, n.nCode };
        EXPECT_EQ(n.lResult, pFrame->SendMessage(WM_NOTIFY, kNotifyCtrlId, (LPARAM)&nmhdr)) << n.nCode;
        if (n.pszHandler == NULL)
        {
            EXPECT_TRUE(g_route.empty());
            LRESULT lResult = -1;
            AFX_NOTIFY notify = { &lResult, &nmhdr };
            EXPECT_FALSE(pFrame->OnCmdMsg(kNotifyCtrlId, (int)MAKELONG(n.nCode, WM_NOTIFY), &notify, NULL));
            continue;
        }
        ASSERT_EQ(1u, g_route.size()) << n.nCode;
        EXPECT_EQ(n.pszHandler, g_route[0]);
    }
    ::DestroyWindow(hCtrl);

    // Opening a file reuses the document and the frame.
    std::wstring strPath = WriteDocFile(_T("loaded text"));
    CDocument* pOpened = app.OpenDocumentFile(strPath.c_str());
    EXPECT_EQ(pDoc, pOpened);
    EXPECT_EQ(CString(_T("loaded text")), pDoc->m_strLoaded);
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(strPath.c_str()));
    EXPECT_EQ(pFrame, app.m_pMainWnd);

    // A file that is not there fails with a message and keeps the document.
    {
        CMessageBoxAnswer answer(IDOK);
        EXPECT_EQ(nullptr, app.OpenDocumentFile(_T("C:\\no\\such\\file.tfx")));
        EXPECT_EQ(1u, answer.m_texts.size());
    }
    EXPECT_EQ(1, g_nDocsAlive);

    // Closing the main frame closes the document and ends the frame.
    pFrame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(tesmir::test::PumpUntil([&] { return app.m_pMainWnd == NULL; }, 5000));
    EXPECT_EQ(0, g_nDocsAlive);
    EXPECT_EQ(0, app.GetOpenDocumentCount());
    ::DeleteFileW(strPath.c_str());
}

TEST(SingleDocument, FailedFrameLeavesNoDocument)
{
    // A template whose resource has no menu: LoadFrame fails, and the
    // document made for it is deleted again.
    CTestApp app;
    app.AddDocTemplate(new CSingleDocTemplate(IDR_NOMENU, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CTestView)));
    CMessageBoxAnswer answer(IDOK);
    CCommandLineInfo cmdInfo;
    EXPECT_FALSE(app.ProcessShellCommand(cmdInfo));
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_EQ(0, g_nDocsAlive);
    EXPECT_EQ(1u, answer.m_texts.size());
}

TEST(CommandLine, Parsing)
{
    struct Case
    {
        LPCTSTR lpszLine;
        int nCommand;
        LPCTSTR lpszFile;
        BOOL bEmbedded;
        BOOL bAutomated;
    };
    const Case cases[] = {
        { _T(""), CCommandLineInfo::FileNew, _T(""), FALSE, FALSE },
        { _T("a.xwqz"), CCommandLineInfo::FileOpen, _T("a.xwqz"), FALSE, FALSE },
        { _T("\"C:\\some dir\\b c.xwqz\""), CCommandLineInfo::FileOpen, _T("C:\\some dir\\b c.xwqz"), FALSE, FALSE },
        { _T("/p a.txt"), CCommandLineInfo::FilePrint, _T("a.txt"), FALSE, FALSE },
        { _T("-dde"), CCommandLineInfo::FileDDE, _T(""), FALSE, FALSE },
        { _T("/Unregister"), CCommandLineInfo::AppUnregister, _T(""), FALSE, FALSE },
        { _T("/Embedding"), CCommandLineInfo::FileNew, _T(""), TRUE, FALSE },
        { _T("-automation"), CCommandLineInfo::FileNew, _T(""), FALSE, TRUE },
        // A file whose name looks like a switch is a file.
        { _T("C:\\x\\Embedding"), CCommandLineInfo::FileOpen, _T("C:\\x\\Embedding"), FALSE, FALSE },
    };
    CScopedApp app;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.lpszLine);
        app.m_lpCmdLine = const_cast<LPTSTR>(c.lpszLine);
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(c.nCommand, (int)info.m_nShellCommand);
        EXPECT_EQ(CString(c.lpszFile), info.m_strFileName);
        EXPECT_EQ(c.bEmbedded, info.m_bRunEmbedded);
        EXPECT_EQ(c.bAutomated, info.m_bRunAutomated);
        EXPECT_EQ(!c.bEmbedded && !c.bAutomated, info.m_bShowSplash);
        EXPECT_EQ(c.bEmbedded, app.RunEmbedded());
        EXPECT_EQ(c.bAutomated, app.RunAutomated());
    }
    app.m_lpCmdLine = const_cast<LPTSTR>(_T("/pt f.txt printer driver port"));
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, info.m_nShellCommand);
    EXPECT_EQ(CString(_T("printer")), info.m_strPrinterName);
    EXPECT_EQ(CString(_T("driver")), info.m_strDriverName);
    EXPECT_EQ(CString(_T("port")), info.m_strPortName);
    app.m_lpCmdLine = NULL;
}

CString ReadClassesValue(LPCTSTR lpszKey)
{
    TCHAR szValue[MAX_PATH * 2] = {};
    LONG lSize = sizeof(szValue);
    if (::RegQueryValue(HKEY_CLASSES_ROOT, lpszKey, szValue, &lSize) != ERROR_SUCCESS)
        return _T("<missing>");
    return szValue;
}

TEST(ShellRegistration, OpenCommandPassesTheFileWithoutDde)
{
    CScopedApp app;
    app.AddDocTemplate(new CSingleDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CTestView)));
    app.EnableShellOpen();
    app.RegisterShellFileTypes(TRUE);

    TCHAR szModule[MAX_PATH] = {};
    ::GetModuleFileName(NULL, szModule, MAX_PATH);
    EXPECT_EQ(CString(_T("Frame Tests Document")), ReadClassesValue(_T("TesmirFrameTests.Document")));
    EXPECT_EQ(CString(_T("\"")) + szModule + _T("\" \"%1\""),
              ReadClassesValue(_T("TesmirFrameTests.Document\\shell\\open\\command")));
    EXPECT_EQ(CString(szModule) + _T(",0"), ReadClassesValue(_T("TesmirFrameTests.Document\\DefaultIcon")));
    EXPECT_EQ(CString(_T("<missing>")), ReadClassesValue(_T("TesmirFrameTests.Document\\shell\\open\\ddeexec")));
    EXPECT_EQ(CString(_T("TesmirFrameTests.Document")), ReadClassesValue(_T(".tfx")));

    app.UnregisterShellFileTypes();
    EXPECT_EQ(CString(_T("<missing>")), ReadClassesValue(_T("TesmirFrameTests.Document")));
    EXPECT_EQ(CString(_T("<missing>")), ReadClassesValue(_T(".tfx")));
}

}  // namespace
