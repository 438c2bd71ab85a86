// OLE and database shells: drop target registration and revocation, data
// sources and objects, interface maps and the minimal IDispatch, dispatch
// drivers and controls that are not there, the database engine missing.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"

#include <afxdao.h>
#include <afxhtml.h>
#include <afxole.h>

#include "FakeDaoEngine.h"

using namespace mfcframe_test;

namespace {

struct OleFixture : public ::testing::Test
{
    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
    void TearDown() override { AfxOleTerm(); }
};

// A drop target that answers "copy" for every window.
class CCopyTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
};

TEST_F(OleFixture, DropTargetIsRegisteredAndRevokedWithItsWindow)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, _T("drop"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    HWND hWnd = wnd.m_hWnd;
    COleDropTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    EXPECT_EQ(&target, wnd.m_pDropTarget);
    EXPECT_EQ(hWnd, target.m_hWnd);
    EXPECT_FALSE(target.Register(&wnd));   // once per target
    // The system knows it: a second registration of the window is refused.
    CCopyTarget other;
    EXPECT_FALSE(other.Register(&wnd));
    EXPECT_EQ(&target, wnd.m_pDropTarget);

    // The default handlers answer "none" for a window that is no view.
    IDropTarget* pDropTarget = (IDropTarget*)target.GetInterface(&IID_IDropTarget);
    ASSERT_NE(nullptr, pDropTarget);
    COleDataSource* pSource = new COleDataSource;
    DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    POINTL pt = { 10, 10 };
    EXPECT_EQ(S_OK, pDropTarget->DragEnter((LPDATAOBJECT)pSource->GetInterface(&IID_IDataObject), 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(S_OK, pDropTarget->DragLeave());
    pSource->InternalRelease();

    // Destroying the window revokes the target.
    wnd.DestroyWindow();
    EXPECT_EQ(nullptr, target.m_hWnd);
    CWnd wnd2;
    ASSERT_TRUE(wnd2.CreateEx(0, NULL, _T("drop2"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    EXPECT_TRUE(target.Register(&wnd2));
    target.Revoke();
    EXPECT_EQ(nullptr, wnd2.m_pDropTarget);
    EXPECT_TRUE(other.Register(&wnd2));
    DWORD dwCopy = DROPEFFECT_COPY;
    IDropTarget* pOther = (IDropTarget*)other.GetInterface(&IID_IDropTarget);
    COleDataSource* pSource2 = new COleDataSource;
    EXPECT_EQ(S_OK, pOther->DragEnter((LPDATAOBJECT)pSource2->GetInterface(&IID_IDataObject), 0, pt, &dwCopy));
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwCopy);
    pOther->DragLeave();
    pSource2->InternalRelease();
    wnd2.DestroyWindow();
    EXPECT_EQ(nullptr, other.m_hWnd);
}

TEST_F(OleFixture, DataSourceServesItsCacheToADataObject)
{
    COleDataSource* pSource = new COleDataSource;
    const char szText[] = "cached bytes";
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(szText));
    memcpy(::GlobalLock(hGlobal), szText, sizeof(szText));
    ::GlobalUnlock(hGlobal);
    CLIPFORMAT cf = (CLIPFORMAT)::RegisterClipboardFormat(_T("TesmirFrameTestFormat"));
    pSource->CacheGlobalData(cf, hGlobal);

    COleDataObject data;
    data.Attach((LPDATAOBJECT)pSource->GetInterface(&IID_IDataObject), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(cf));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    std::unique_ptr<CFile> pFile(data.GetFileData(cf));
    ASSERT_NE(nullptr, pFile.get());
    EXPECT_TRUE(pFile->IsKindOf(RUNTIME_CLASS(CSharedFile)));
    char szRead[sizeof(szText)] = {};
    EXPECT_EQ(sizeof(szText), pFile->Read(szRead, sizeof(szRead)));
    EXPECT_STREQ(szText, szRead);
    EXPECT_EQ(nullptr, data.GetGlobalData(CF_TEXT));

    data.BeginEnumFormats();
    FORMATETC fmt;
    ASSERT_TRUE(data.GetNextFormat(&fmt));
    EXPECT_EQ(cf, fmt.cfFormat);
    EXPECT_FALSE(data.GetNextFormat(&fmt));
    data.Release();
    pSource->InternalRelease();
}

TEST(Automation, MinimalDispatchAndInterfaceMaps)
{
    CCmdTarget target;
    EXPECT_EQ(nullptr, target.GetIDispatch(FALSE));
    target.EnableAutomation();
    LPDISPATCH pDisp = target.GetIDispatch(TRUE);
    ASSERT_NE(nullptr, pDisp);
    EXPECT_EQ(2, target.m_dwRef);
    UINT nCount = 99;
    EXPECT_EQ(S_OK, pDisp->GetTypeInfoCount(&nCount));
    EXPECT_EQ(0u, nCount);
    LPOLESTR name = const_cast<LPOLESTR>(L"Anything");
    DISPID dispid = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, pDisp->GetIDsOfNames(IID_NULL, &name, 1, 0, &dispid));
    DISPPARAMS params = {};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, pDisp->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, NULL, NULL, NULL));
    LPUNKNOWN pUnk = NULL;
    EXPECT_EQ(S_OK, pDisp->QueryInterface(IID_IUnknown, (void**)&pUnk));
    EXPECT_EQ((LPUNKNOWN)pDisp, pUnk);
    pUnk->Release();
    LPVOID pNone = NULL;
    EXPECT_EQ(E_NOINTERFACE, pDisp->QueryInterface(IID_IDropTarget, &pNone));
    EXPECT_EQ(&target, CCmdTarget::FromIDispatch(pDisp));
    pDisp->Release();
    EXPECT_EQ(1, target.m_dwRef);

    // An interface map answers its interfaces and counts on the owner.
    COleDropSource* pSource = new COleDropSource;
    IDropSource* pDropSource = NULL;
    ASSERT_EQ(S_OK, (HRESULT)pSource->ExternalQueryInterface(&IID_IDropSource, (void**)&pDropSource));
    EXPECT_EQ(2, pSource->m_dwRef);
    EXPECT_EQ(DRAGDROP_S_CANCEL, pDropSource->QueryContinueDrag(TRUE, 0));
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, pDropSource->GiveFeedback(DROPEFFECT_COPY));
    pDropSource->Release();
    pSource->InternalRelease();   // deletes it
}

TEST_F(OleFixture, MissingServersAndControlsFailCleanly)
{
    COleDispatchDriver driver;
    COleException error;
    EXPECT_FALSE(driver.CreateDispatch(_T("Tesmir.NoSuchServer.1"), &error));
    EXPECT_TRUE(FAILED(error.m_sc));
    EXPECT_EQ(nullptr, driver.m_lpDispatch);
    // Calling nothing throws an OLE exception.
    bool bThrown = false;
    try
    {
        driver.InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, NULL, (const BYTE*)VTS_NONE);
    }
    catch (COleException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, _T("host"), WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
    AfxEnableControlContainer();
    CWnd control;
    EXPECT_FALSE(control.CreateControl(_T("Tesmir.NoSuchControl.1"), NULL, WS_VISIBLE, CRect(0, 0, 50, 50),
                                       &parent, 1));
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_EQ(nullptr, ::GetWindow(parent.m_hWnd, GW_CHILD));

    // The browser view needs the HTML engine; without it the view fails.
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CHtmlView);
    CWnd* pView = AfxCreateView(&parent, &context, AFX_IDW_PANE_FIRST);
    if (pView == NULL)
    {
        EXPECT_EQ(nullptr, ::GetWindow(parent.m_hWnd, GW_CHILD));
    }
    parent.DestroyWindow();
}

TEST(Dao, MissingEngineIsReportedByTheDatabaseNotByInit)
{
    BOOL bEngine = FALSE;
    EXPECT_NO_THROW(bEngine = AfxDaoInit());
    if (bEngine)
        GTEST_SKIP() << "a database engine is installed";
    CDaoDatabase db;
    EXPECT_FALSE(db.IsOpen());
    bool bThrown = false;
    try
    {
        db.Open(_T("C:\\none.mdb"), FALSE, FALSE, _T(""));
    }
    catch (CDaoException* e)
    {
        bThrown = true;
        // The engine's class is unknown: the SCODE alone, no engine error.
        EXPECT_EQ(CO_E_CLASSSTRING, e->m_scode);
        EXPECT_EQ(nullptr, e->m_pErrorInfo);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_FALSE(db.IsOpen());
    db.Close();
    // Objects of a closed database report it instead of crashing.
    CDaoRecordset rs(&db);
    EXPECT_THROW(rs.Open(dbOpenDynaset, _T("SELECT 1"), 0), CDaoException*);
    AfxDaoTerm();
}

// What an application's start-up asks of the framework besides its document
// template: 3-D controls, the class factories and the database engine of a
// chosen version, none of which may stop it when nothing is installed.
TEST(StartupServices, ThreeDControlsFactoriesAndTheEngineVersion)
{
    CScopedApp app;
    EXPECT_TRUE(app.Enable3dControls());
    EXPECT_TRUE(COleObjectFactory::RegisterAll());
    EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(TRUE));

    // The version field selects the engine; asking for one that is missing
    // is no error of its own.
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    DWORD dwDefault = pState->m_dwVersion;
    pState->m_dwVersion = 0x0601;
    EXPECT_NO_THROW(AfxDaoInit());
    EXPECT_EQ(0x0601u, AfxGetModuleState()->m_dwVersion);
    AfxDaoTerm();
    pState->m_dwVersion = dwDefault;
}

// The dispatch factory table: keys compared without regard to case, an
// empty factory removes the entry, no entry gives NULL.
TEST(DispatchFactory, StandInsByProgIdUntilRemoved)
{
    int nMade = 0;
    AfxSetDispatchFactory(_T("Tesmir.Fake.1"), [&nMade]() -> LPDISPATCH {
        ++nMade;
        return new tesmir::test::CFakeDispatch(L"Fake", nullptr);
    });
    LPDISPATCH p = AfxCreateFromDispatchFactory(_T("TESMIR.fake.1"));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(1, nMade);
    EXPECT_EQ(0u, p->Release());
    EXPECT_EQ(nullptr, AfxCreateFromDispatchFactory(_T("Tesmir.Other.1")));
    AfxSetDispatchFactory(_T("Tesmir.Fake.1"), AFX_DISPATCH_FACTORY());
    EXPECT_EQ(nullptr, AfxCreateFromDispatchFactory(_T("Tesmir.Fake.1")));
    EXPECT_EQ(1, nMade);
}

class DaoFake : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitialize(NULL);
        tesmir::test::FakeDaoTable people = tesmir::test::MakeFakeTable(L"People", 3, 5);
        people.fields[1].name = L"Name";
        people.fields[1].type = 10;
        people.fields[1].value = [](long row) { return COleVariant(row % 2 ? _T("odd") : _T("even")); };
        engine.tables.push_back(people);
        engine.tables.push_back(tesmir::test::MakeFakeTable(L"MSysObjects", 1, 0));
        engine.tables.back().attributes = (long)0x80000002;
        engine.queries.push_back({L"Adults", 0});
        engine.queries.push_back({L"~sq_hidden", 5});
        engine.relations.push_back({L"PeopleOrders", L"People", L"Orders", 2});
        engine.Install();
    }
    void TearDown() override { engine.Uninstall(); }

    // The exception a call throws (null when it throws none); owned by the
    // caller.
    template <class F>
    static CDaoException* Thrown(F f)
    {
        try {
            f();
        } catch (CDaoException* e) {
            return e;
        }
        return nullptr;
    }

    tesmir::test::CFakeDaoEngine engine;
};

TEST_F(DaoFake, OpensCountsAndDescribesTheObjects)
{
    CDaoDatabase db;
    db.Open(_T("C:\\x.mdb"), FALSE, FALSE, _T(""));
    ASSERT_TRUE(db.IsOpen());
    EXPECT_EQ(L"C:\\x.mdb", engine.openedPath);
    EXPECT_EQ(2, db.GetTableDefCount());
    EXPECT_EQ(2, db.GetQueryDefCount());
    EXPECT_EQ(1, db.GetRelationCount());

    CDaoTableDefInfo table;
    db.GetTableDefInfo(1, table, AFX_DAO_PRIMARY_INFO);
    EXPECT_EQ(CString(L"MSysObjects"), table.m_strName);
    EXPECT_EQ((long)0x80000002, table.m_lAttributes);
    CDaoQueryDefInfo query;
    db.GetQueryDefInfo(1, query, AFX_DAO_PRIMARY_INFO);
    EXPECT_EQ(CString(L"~sq_hidden"), query.m_strName);
    EXPECT_EQ(5, query.m_nType);

    // A relation's attributes are secondary information.
    CDaoRelationInfo relation;
    relation.m_lAttributes = 77;
    db.GetRelationInfo(0, relation, AFX_DAO_PRIMARY_INFO);
    EXPECT_EQ(CString(L"PeopleOrders"), relation.m_strName);
    EXPECT_EQ(CString(L"Orders"), relation.m_strForeignTable);
    EXPECT_EQ(0, relation.m_lAttributes);
    EXPECT_EQ(0u, engine.log->Count(L"Relation.Attributes"));
    db.GetRelationInfo(0, relation, AFX_DAO_SECONDARY_INFO);
    EXPECT_EQ(2, relation.m_lAttributes);

    CDaoTableDef def(&db);
    def.Open(_T("People"));
    ASSERT_EQ(3, def.GetFieldCount());
    CDaoFieldInfo field;
    def.GetFieldInfo(1, field, AFX_DAO_PRIMARY_INFO);
    EXPECT_EQ(CString(L"Name"), field.m_strName);
    EXPECT_EQ(10, field.m_nType);
    def.Close();

    // The recordset walks every row; values by index.
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, _T("Select * From [People]"), 0);
    std::vector<CString> names;
    long n = 0;
    while (!rs.IsEOF()) {
        EXPECT_EQ(n, rs.GetFieldValue(0).lVal);
        names.push_back(CString(rs.GetFieldValue(1).bstrVal));
        rs.MoveNext();
        ++n;
    }
    EXPECT_EQ(5, n);
    EXPECT_EQ(CString(L"odd"), names[1]);
    rs.Close();
    db.Close();
    EXPECT_FALSE(db.IsOpen());
}

// Failures scripted with and without the engine's description: the error
// record carries description and number only when the engine gave them.
TEST_F(DaoFake, EngineErrorsBecomeErrorRecordsOnlyWithADescription)
{
    struct Case
    {
        const wchar_t* member;
        tesmir::test::FakeDaoFailure failure;
        bool bInfo;
        long lCode;
    };
    const Case cases[] = {
        {L"DBEngine.OpenDatabase", {(HRESULT)0x800A0BD0, L"Not a valid database", 3024}, true, 3024},
        {L"DBEngine.OpenDatabase", {(HRESULT)0x800A0BD0, L"", 0}, false, 0},
        {L"DBEngine.OpenDatabase", {(HRESULT)0x800A0C2A, L"Locked", 0}, true, 0x0C2A},
    };
    for (const Case& c : cases) {
        engine.Fail(c.member, c.failure);
        CDaoDatabase db;
        CDaoException* e = Thrown([&] { db.Open(_T("C:\\x.mdb")); });
        ASSERT_NE(nullptr, e);
        EXPECT_FALSE(db.IsOpen());
        if (c.bInfo) {
            ASSERT_NE(nullptr, e->m_pErrorInfo);
            EXPECT_EQ(CString(c.failure.description.c_str()), e->m_pErrorInfo->m_strDescription);
            EXPECT_EQ(c.lCode, e->m_pErrorInfo->m_lErrorCode);
        } else {
            EXPECT_EQ(nullptr, e->m_pErrorInfo);
            EXPECT_EQ(c.failure.hr, e->m_scode);
        }
        e->Delete();
    }
}

TEST_F(DaoFake, DeletionsChangeTheDatabaseAndReportFailures)
{
    CDaoDatabase db;
    db.Open(_T("C:\\x.mdb"));
    db.DeleteQueryDef(_T("Adults"));
    EXPECT_EQ(1, db.GetQueryDefCount());
    db.DeleteTableDef(_T("People"));
    EXPECT_EQ(1, db.GetTableDefCount());
    // A name that is not there fails and changes nothing.
    CDaoException* e = Thrown([&] { db.DeleteTableDef(_T("Nobody")); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ((HRESULT)0x800A0CC1, e->m_scode);
    e->Delete();
    EXPECT_EQ(1, db.GetTableDefCount());

    engine.Fail(L"QueryDefs.Delete", {(HRESULT)0x800A0BF4, L"Object is read-only", 3028});
    e = Thrown([&] { db.DeleteQueryDef(_T("~sq_hidden")); });
    ASSERT_NE(nullptr, e);
    ASSERT_NE(nullptr, e->m_pErrorInfo);
    EXPECT_EQ(CString(L"Object is read-only"), e->m_pErrorInfo->m_strDescription);
    e->Delete();
    EXPECT_EQ(1, db.GetQueryDefCount());
}

}  // namespace
