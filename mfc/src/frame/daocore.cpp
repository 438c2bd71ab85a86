// Database classes: the engine's objects driven by name through IDispatch.
// A missing engine is remembered by AfxDaoInit and reported as CDaoException
// by the operations.
#include "framestate.h"
#include <afxdao.h>

IMPLEMENT_DYNAMIC(CDaoDatabase, CObject)
IMPLEMENT_DYNAMIC(CDaoTableDef, CObject)
IMPLEMENT_DYNAMIC(CDaoRecordset, CObject)

namespace {
struct DaoEngine
{
    CAfxLock lock;
    LPDISPATCH pDBEngine = NULL;
    HRESULT hrInit = S_OK;
    BOOL bTried = FALSE;
};

DaoEngine& Engine()
{
    static DaoEngine* s_pEngine = new DaoEngine;
    return *s_pEngine;
}

// Throws the database exception for hr. The engine's error record goes
// with it only when the engine described the failure; an engine that could
// not be reached, or that failed without a description, leaves the
// exception with its SCODE alone.
AFX_NORETURN void ThrowDao(HRESULT hr, int nAfxDaoError, LPCTSTR lpszDescription, long lErrorCode = -1,
                           LPCTSTR lpszSource = _T("DAO"))
{
    CDaoException* e = new CDaoException;
    e->m_scode = hr;
    e->m_nAfxDaoError = nAfxDaoError;
    if (lpszDescription != NULL && lpszDescription[0] != 0)
    {
        e->m_pErrorInfo = new CDaoErrorInfo;
        e->m_pErrorInfo->m_lErrorCode = lErrorCode >= 0 ? lErrorCode : (long)HRESULT_CODE(hr);
        e->m_pErrorInfo->m_strSource = lpszSource;
        e->m_pErrorInfo->m_strDescription = lpszDescription;
    }
    throw e;
}

// Creates the engine object: a stand-in of the dispatch factory table
// first, then the registered engine of the version the module asks for
// (0x0601: 3.6). Called with the engine's lock held.
void CreateEngine(DaoEngine& engine)
{
    engine.bTried = TRUE;
    DWORD dwVersion = AfxGetModuleState()->m_dwVersion;
    LPCOLESTR rgProgIDs[] = { dwVersion >= 0x0601 ? L"DAO.DBEngine.36" : L"DAO.DBEngine.35", L"DAO.DBEngine.36",
                              L"DAO.DBEngine.120" };
    HRESULT hr = REGDB_E_CLASSNOTREG;
    HRESULT hrFirst = S_OK;
    for (LPCOLESTR lpszProgID : rgProgIDs)
    {
        engine.pDBEngine = AfxCreateFromDispatchFactory(lpszProgID);
        if (engine.pDBEngine != NULL)
            break;
        CLSID clsid;
        hr = ::CLSIDFromProgID(lpszProgID, &clsid);
        if (SUCCEEDED(hr))
        {
            hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IDispatch, (LPVOID*)&engine.pDBEngine);
            if (SUCCEEDED(hr) && engine.pDBEngine != NULL)
                break;
            engine.pDBEngine = NULL;
        }
        // The version asked for decides what is reported.
        if (hrFirst == S_OK)
            hrFirst = FAILED(hr) ? hr : REGDB_E_CLASSNOTREG;
    }
    engine.hrInit = engine.pDBEngine != NULL ? S_OK : hrFirst;
}

LPDISPATCH RequireEngine()
{
    DaoEngine& engine = Engine();
    CAfxLockGuard guard(engine.lock);
    // An engine missing at start-up is looked for again (it may have been
    // registered since).
    if (engine.pDBEngine == NULL)
        CreateEngine(engine);
    if (engine.pDBEngine == NULL)
        ThrowDao(engine.hrInit != S_OK ? engine.hrInit : REGDB_E_CLASSNOTREG, AFX_DAO_ERROR_ENGINE_INITIALIZATION,
                 NULL);
    return engine.pDBEngine;
}

void RequireOpen(LPDISPATCH pObject)
{
    if (pObject == NULL)
        ThrowDao(E_UNEXPECTED, AFX_DAO_ERROR_OBJECT_NOT_OPEN, _T("The object is not open."));
}

// Calls member lpszName of pObject; arguments are given as variants in
// their natural order.
COleVariant Call(LPDISPATCH pObject, LPCOLESTR lpszName, WORD wFlags, std::vector<COleVariant> args = {})
{
    DISPID dispid = 0;
    LPOLESTR lpszMember = const_cast<LPOLESTR>(lpszName);
    HRESULT hr = pObject->GetIDsOfNames(IID_NULL, &lpszMember, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr))
        ThrowDao(hr, NO_AFX_DAO_ERROR, NULL);
    std::vector<VARIANT> rgvarg(args.size());
    for (size_t i = 0; i < args.size(); i++)
        rgvarg[args.size() - 1 - i] = args[i];   // reverse order, not copied
    DISPPARAMS dispparams = { rgvarg.empty() ? NULL : rgvarg.data(), NULL, (UINT)rgvarg.size(), 0 };
    COleVariant varResult;
    EXCEPINFO excepInfo = {};
    hr = pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &dispparams, &varResult, &excepInfo, NULL);
    if (FAILED(hr))
    {
        if (excepInfo.pfnDeferredFillIn != NULL)
            excepInfo.pfnDeferredFillIn(&excepInfo);
        // The engine's error: its number in wCode, or in the SCODE's code.
        CString strDescription = excepInfo.bstrDescription != NULL ? CString(excepInfo.bstrDescription) : CString();
        CString strSource = excepInfo.bstrSource != NULL ? CString(excepInfo.bstrSource) : CString(_T("DAO"));
        HRESULT hrError = excepInfo.scode != 0 ? excepInfo.scode : hr;
        long lCode = excepInfo.wCode != 0 ? (long)excepInfo.wCode : (long)HRESULT_CODE(hrError);
        ::SysFreeString(excepInfo.bstrSource);
        ::SysFreeString(excepInfo.bstrDescription);
        ::SysFreeString(excepInfo.bstrHelpFile);
        ThrowDao(hrError, NO_AFX_DAO_ERROR, strDescription, lCode, strSource);
    }
    return varResult;
}

COleVariant Get(LPDISPATCH pObject, LPCOLESTR lpszName, std::vector<COleVariant> args = {})
{
    return Call(pObject, lpszName, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
}

// A property or method result that is an object (added to for the caller).
LPDISPATCH GetDispatchProp(LPDISPATCH pObject, LPCOLESTR lpszName, std::vector<COleVariant> args = {})
{
    COleVariant var = Get(pObject, lpszName, std::move(args));
    if (var.vt != VT_DISPATCH || var.pdispVal == NULL)
        ThrowDao(DISP_E_TYPEMISMATCH, NO_AFX_DAO_ERROR, lpszName);
    LPDISPATCH pResult = var.pdispVal;
    pResult->AddRef();
    return pResult;
}

// Item nIndex (or named) of collection lpszCollection of pObject.
LPDISPATCH GetItem(LPDISPATCH pObject, LPCOLESTR lpszCollection, const COleVariant& varIndex)
{
    LPDISPATCH pCollection = GetDispatchProp(pObject, lpszCollection);
    try
    {
        LPDISPATCH pItem = GetDispatchProp(pCollection, L"Item", { varIndex });
        pCollection->Release();
        return pItem;
    }
    catch (CException*)
    {
        pCollection->Release();
        throw;
    }
}

long GetLong(LPDISPATCH pObject, LPCOLESTR lpszName)
{
    COleVariant var = Get(pObject, lpszName);
    var.ChangeType(VT_I4);
    return var.lVal;
}

CString GetString(LPDISPATCH pObject, LPCOLESTR lpszName)
{
    COleVariant var = Get(pObject, lpszName);
    if (var.vt == VT_NULL || var.vt == VT_EMPTY)
        return CString();
    var.ChangeType(VT_BSTR);
    return CString(var.bstrVal);
}

short CollectionCount(LPDISPATCH pObject, LPCOLESTR lpszCollection)
{
    LPDISPATCH pCollection = GetDispatchProp(pObject, lpszCollection);
    long nCount = 0;
    try
    {
        nCount = GetLong(pCollection, L"Count");
    }
    catch (CException*)
    {
        pCollection->Release();
        throw;
    }
    pCollection->Release();
    return (short)nCount;
}

// Releases an engine object when the scope ends.
struct DispatchHolder
{
    LPDISPATCH p;
    ~DispatchHolder()
    {
        if (p != NULL)
            p->Release();
    }
};

void ReleaseDispatch(LPDISPATCH& p)
{
    if (p != NULL)
    {
        p->Release();
        p = NULL;
    }
}
}

BOOL AFXAPI AfxDaoInit()
{
    DaoEngine& engine = Engine();
    CAfxLockGuard guard(engine.lock);
    if (engine.pDBEngine == NULL)
        CreateEngine(engine);
    return engine.pDBEngine != NULL;
}

void AFXAPI AfxDaoTerm()
{
    DaoEngine& engine = Engine();
    CAfxLockGuard guard(engine.lock);
    ReleaseDispatch(engine.pDBEngine);
}

// ---------------------------------------------------------------------------
// CDaoDatabase

CDaoDatabase::CDaoDatabase() : m_pDatabase(NULL)
{
}

CDaoDatabase::~CDaoDatabase()
{
    Close();
}

void CDaoDatabase::Open(LPCTSTR lpszName, BOOL bExclusive, BOOL bReadOnly, LPCTSTR lpszConnect)
{
    if (IsOpen())
        Close();
    LPDISPATCH pEngine = RequireEngine();
    COleVariant var = Call(pEngine, L"OpenDatabase", DISPATCH_METHOD,
                           { COleVariant(lpszName != NULL ? lpszName : _T("")), COleVariant((short)bExclusive, VT_BOOL),
                             COleVariant((short)bReadOnly, VT_BOOL),
                             COleVariant(lpszConnect != NULL ? lpszConnect : _T("")) });
    if (var.vt != VT_DISPATCH || var.pdispVal == NULL)
        ThrowDao(E_UNEXPECTED, NO_AFX_DAO_ERROR, _T("OpenDatabase"));
    m_pDatabase = var.pdispVal;
    m_pDatabase->AddRef();
}

void CDaoDatabase::Close()
{
    if (m_pDatabase == NULL)
        return;
    try
    {
        Call(m_pDatabase, L"Close", DISPATCH_METHOD);
    }
    catch (CException* e)
    {
        e->Delete();   // closing never fails for the caller
    }
    ReleaseDispatch(m_pDatabase);
}

CString CDaoDatabase::GetName()
{
    RequireOpen(m_pDatabase);
    return GetString(m_pDatabase, L"Name");
}

short CDaoDatabase::GetTableDefCount()
{
    RequireOpen(m_pDatabase);
    return CollectionCount(m_pDatabase, L"TableDefs");
}

void CDaoDatabase::GetTableDefInfo(int nIndex, CDaoTableDefInfo& info, DWORD dwInfoOptions)
{
    RequireOpen(m_pDatabase);
    DispatchHolder item{ GetItem(m_pDatabase, L"TableDefs", COleVariant((long)nIndex)) };
    info.m_strName = GetString(item.p, L"Name");
    info.m_bUpdatable = GetLong(item.p, L"Updatable") != 0;
    info.m_lAttributes = GetLong(item.p, L"Attributes");
    if (dwInfoOptions & (AFX_DAO_SECONDARY_INFO | AFX_DAO_ALL_INFO))
    {
        info.m_strSrcTableName = GetString(item.p, L"SourceTableName");
        info.m_strConnect = GetString(item.p, L"Connect");
        info.m_strValidationRule = GetString(item.p, L"ValidationRule");
        info.m_strValidationText = GetString(item.p, L"ValidationText");
    }
}

short CDaoDatabase::GetQueryDefCount()
{
    RequireOpen(m_pDatabase);
    return CollectionCount(m_pDatabase, L"QueryDefs");
}

void CDaoDatabase::GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info, DWORD dwInfoOptions)
{
    RequireOpen(m_pDatabase);
    DispatchHolder item{ GetItem(m_pDatabase, L"QueryDefs", COleVariant((long)nIndex)) };
    info.m_strName = GetString(item.p, L"Name");
    info.m_nType = (short)GetLong(item.p, L"Type");
    if (dwInfoOptions & (AFX_DAO_SECONDARY_INFO | AFX_DAO_ALL_INFO))
    {
        info.m_bUpdatable = GetLong(item.p, L"Updatable") != 0;
        info.m_bReturnsRecords = GetLong(item.p, L"ReturnsRecords") != 0;
        info.m_strSQL = GetString(item.p, L"SQL");
    }
}

short CDaoDatabase::GetRelationCount()
{
    RequireOpen(m_pDatabase);
    return CollectionCount(m_pDatabase, L"Relations");
}

// The attributes belong to the secondary information; primary information
// leaves them 0.
void CDaoDatabase::GetRelationInfo(int nIndex, CDaoRelationInfo& info, DWORD dwInfoOptions)
{
    RequireOpen(m_pDatabase);
    DispatchHolder item{ GetItem(m_pDatabase, L"Relations", COleVariant((long)nIndex)) };
    info.m_strName = GetString(item.p, L"Name");
    info.m_strTable = GetString(item.p, L"Table");
    info.m_strForeignTable = GetString(item.p, L"ForeignTable");
    info.m_lAttributes = 0;
    if (dwInfoOptions & (AFX_DAO_SECONDARY_INFO | AFX_DAO_ALL_INFO))
        info.m_lAttributes = GetLong(item.p, L"Attributes");
}

void CDaoDatabase::DeleteTableDef(LPCTSTR lpszName)
{
    RequireOpen(m_pDatabase);
    DispatchHolder collection{ GetDispatchProp(m_pDatabase, L"TableDefs") };
    Call(collection.p, L"Delete", DISPATCH_METHOD, { COleVariant(lpszName) });
}

void CDaoDatabase::DeleteQueryDef(LPCTSTR lpszName)
{
    RequireOpen(m_pDatabase);
    DispatchHolder collection{ GetDispatchProp(m_pDatabase, L"QueryDefs") };
    Call(collection.p, L"Delete", DISPATCH_METHOD, { COleVariant(lpszName) });
}

// ---------------------------------------------------------------------------
// CDaoTableDef

CDaoTableDef::CDaoTableDef(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase), m_pTableDef(NULL)
{
}

CDaoTableDef::~CDaoTableDef()
{
    Close();
}

void CDaoTableDef::Open(LPCTSTR lpszName)
{
    Close();
    RequireOpen(m_pDatabase != NULL ? m_pDatabase->m_pDatabase : NULL);
    m_pTableDef = GetItem(m_pDatabase->m_pDatabase, L"TableDefs", COleVariant(lpszName));
}

void CDaoTableDef::Close()
{
    ReleaseDispatch(m_pTableDef);
}

short CDaoTableDef::GetFieldCount()
{
    RequireOpen(m_pTableDef);
    return CollectionCount(m_pTableDef, L"Fields");
}

static void ReadFieldInfo(LPDISPATCH pObject, int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions)
{
    DispatchHolder item{ GetItem(pObject, L"Fields", COleVariant((long)nIndex)) };
    info.m_strName = GetString(item.p, L"Name");
    info.m_nType = (short)GetLong(item.p, L"Type");
    info.m_lSize = GetLong(item.p, L"Size");
    info.m_lAttributes = GetLong(item.p, L"Attributes");
    if (dwInfoOptions & (AFX_DAO_SECONDARY_INFO | AFX_DAO_ALL_INFO))
    {
        info.m_nOrdinalPosition = (short)GetLong(item.p, L"OrdinalPosition");
        info.m_bRequired = GetLong(item.p, L"Required") != 0;
        info.m_bAllowZeroLength = GetLong(item.p, L"AllowZeroLength") != 0;
    }
}

void CDaoTableDef::GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions)
{
    RequireOpen(m_pTableDef);
    ReadFieldInfo(m_pTableDef, nIndex, info, dwInfoOptions);
}

// ---------------------------------------------------------------------------
// CDaoRecordset

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase), m_pRecordset(NULL)
{
}

CDaoRecordset::~CDaoRecordset()
{
    Close();
}

void CDaoRecordset::Open(int nOpenType, LPCTSTR lpszSQL, int nOptions)
{
    Close();
    RequireOpen(m_pDatabase != NULL ? m_pDatabase->m_pDatabase : NULL);
    COleVariant var = Call(m_pDatabase->m_pDatabase, L"OpenRecordset", DISPATCH_METHOD,
                           { COleVariant(lpszSQL != NULL ? lpszSQL : _T("")), COleVariant((long)nOpenType),
                             COleVariant((long)nOptions) });
    if (var.vt != VT_DISPATCH || var.pdispVal == NULL)
        ThrowDao(E_UNEXPECTED, NO_AFX_DAO_ERROR, _T("OpenRecordset"));
    m_pRecordset = var.pdispVal;
    m_pRecordset->AddRef();
}

void CDaoRecordset::Close()
{
    if (m_pRecordset == NULL)
        return;
    try
    {
        Call(m_pRecordset, L"Close", DISPATCH_METHOD);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    ReleaseDispatch(m_pRecordset);
}

BOOL CDaoRecordset::IsEOF()
{
    RequireOpen(m_pRecordset);
    return GetLong(m_pRecordset, L"EOF") != 0;
}

BOOL CDaoRecordset::IsBOF()
{
    RequireOpen(m_pRecordset);
    return GetLong(m_pRecordset, L"BOF") != 0;
}

void CDaoRecordset::MoveNext()
{
    RequireOpen(m_pRecordset);
    Call(m_pRecordset, L"MoveNext", DISPATCH_METHOD);
}

void CDaoRecordset::MoveFirst()
{
    RequireOpen(m_pRecordset);
    Call(m_pRecordset, L"MoveFirst", DISPATCH_METHOD);
}

short CDaoRecordset::GetFieldCount()
{
    RequireOpen(m_pRecordset);
    return CollectionCount(m_pRecordset, L"Fields");
}

COleVariant CDaoRecordset::GetFieldValue(int nIndex)
{
    RequireOpen(m_pRecordset);
    DispatchHolder item{ GetItem(m_pRecordset, L"Fields", COleVariant((long)nIndex)) };
    return Get(item.p, L"Value");
}

COleVariant CDaoRecordset::GetFieldValue(LPCTSTR lpszName)
{
    RequireOpen(m_pRecordset);
    DispatchHolder item{ GetItem(m_pRecordset, L"Fields", COleVariant(lpszName)) };
    return Get(item.p, L"Value");
}

void CDaoRecordset::GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions)
{
    RequireOpen(m_pRecordset);
    ReadFieldInfo(m_pRecordset, nIndex, info, dwInfoOptions);
}
