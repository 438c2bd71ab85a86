#include "FakeDaoEngine.h"

#include <afxdao.h>

namespace tesmir::test {

namespace {

using Args = std::vector<COleVariant>;
using Body = std::function<HRESULT(const Args&, VARIANT*)>;

// A member that first looks for a scripted failure of "object.member".
void Define(CFakeDaoEngine* engine, CFakeDispatch* object, const wchar_t* member, Body body)
{
    std::wstring key = object->Name() + L"." + member;
    object->On(member, [engine, key, body](const Args& args, VARIANT* pResult, EXCEPINFO* pExcepInfo) {
        HRESULT hr = S_OK;
        if (engine->Failing(key, pExcepInfo, &hr))
            return hr;
        return body(args, pResult);
    });
}

HRESULT Put(VARIANT* pResult, const COleVariant& value)
{
    return pResult ? ::VariantCopy(pResult, const_cast<COleVariant*>(&value)) : S_OK;
}

HRESULT PutObject(VARIANT* pResult, CFakeDispatch* object)
{
    ReturnDispatch(pResult, object);
    object->Release();
    return S_OK;
}

COleVariant Text(const std::wstring& s) { return COleVariant(s.c_str()); }
COleVariant Long(long n) { return COleVariant(n); }

// An index argument, by number or by name, into a list of named things.
template <class T>
int FindIndex(const std::vector<T>& list, const COleVariant& arg)
{
    if (arg.vt == VT_BSTR) {
        for (size_t i = 0; i < list.size(); ++i)
            if (_wcsicmp(list[i].name.c_str(), arg.bstrVal) == 0)
                return (int)i;
        return -1;
    }
    COleVariant n(arg);
    n.ChangeType(VT_I4);
    return n.lVal >= 0 && (size_t)n.lVal < list.size() ? (int)n.lVal : -1;
}

const HRESULT kItemNotFound = 0x800A0CC1;   // "Item not found in this collection."

HRESULT NotFound(const Args&) { return DISP_E_BADINDEX; }

// A collection over a list of the model: Count, Item and (when deletable)
// Delete; make gives the object of item i.
template <class T>
CFakeDispatch* MakeCollection(CFakeDaoEngine* engine, const wchar_t* name, std::vector<T>* list,
                              std::function<CFakeDispatch*(int)> make, bool bDeletable)
{
    CFakeDispatch* collection = new CFakeDispatch(name, engine->log);
    Define(engine, collection, L"Count", [list](const Args&, VARIANT* r) { return Put(r, Long((long)list->size())); });
    Define(engine, collection, L"Item", [list, make](const Args& args, VARIANT* r) {
        int i = args.empty() ? -1 : FindIndex(*list, args[0]);
        if (i < 0)
            return NotFound(args);
        return PutObject(r, make(i));
    });
    if (bDeletable)
        Define(engine, collection, L"Delete", [list](const Args& args, VARIANT*) {
            int i = args.empty() || args[0].vt != VT_BSTR ? -1 : FindIndex(*list, args[0]);
            if (i < 0)
                return kItemNotFound;
            list->erase(list->begin() + i);
            return S_OK;
        });
    return collection;
}

// A field definition (table or recordset field); row points at the
// recordset's current row, null for a table definition's field.
CFakeDispatch* MakeField(CFakeDaoEngine* engine, FakeDaoField field, int ordinal, std::shared_ptr<long> row)
{
    CFakeDispatch* f = new CFakeDispatch(L"Field", engine->log);
    Define(engine, f, L"Name", [field](const Args&, VARIANT* r) { return Put(r, Text(field.name)); });
    Define(engine, f, L"Type", [field](const Args&, VARIANT* r) { return Put(r, COleVariant(field.type)); });
    Define(engine, f, L"Size", [](const Args&, VARIANT* r) { return Put(r, Long(4)); });
    Define(engine, f, L"Attributes", [](const Args&, VARIANT* r) { return Put(r, Long(1)); });
    Define(engine, f, L"OrdinalPosition", [ordinal](const Args&, VARIANT* r) { return Put(r, Long(ordinal)); });
    Define(engine, f, L"Required", [](const Args&, VARIANT* r) { return Put(r, Long(0)); });
    Define(engine, f, L"AllowZeroLength", [](const Args&, VARIANT* r) { return Put(r, Long(0)); });
    Define(engine, f, L"Value", [field, row](const Args&, VARIANT* r) {
        if (!row)
            return (HRESULT)0x800A0C5A;   // no current record
        return Put(r, field.value ? field.value(*row) : Long(*row));
    });
    return f;
}

CFakeDispatch* MakeFields(CFakeDaoEngine* engine, const FakeDaoTable& table, std::shared_ptr<long> row)
{
    auto fields = std::make_shared<std::vector<FakeDaoField>>(table.fields);
    // The item maker holds the list, so it lives as long as the collection.
    return MakeCollection<FakeDaoField>(
        engine, L"Fields", fields.get(),
        [engine, fields, row](int i) { return MakeField(engine, (*fields)[(size_t)i], i, row); }, false);
}

CFakeDispatch* MakeTableDef(CFakeDaoEngine* engine, const FakeDaoTable& table)
{
    CFakeDispatch* t = new CFakeDispatch(L"TableDef", engine->log);
    Define(engine, t, L"Name", [table](const Args&, VARIANT* r) { return Put(r, Text(table.name)); });
    Define(engine, t, L"Updatable", [](const Args&, VARIANT* r) { return Put(r, Long(1)); });
    Define(engine, t, L"Attributes", [table](const Args&, VARIANT* r) { return Put(r, Long(table.attributes)); });
    for (const wchar_t* empty : {L"SourceTableName", L"Connect", L"ValidationRule", L"ValidationText"})
        Define(engine, t, empty, [](const Args&, VARIANT* r) { return Put(r, Text(L"")); });
    Define(engine, t, L"Fields", [engine, table](const Args&, VARIANT* r) {
        return PutObject(r, MakeFields(engine, table, nullptr));
    });
    return t;
}

CFakeDispatch* MakeQueryDef(CFakeDaoEngine* engine, const FakeDaoQuery& query)
{
    CFakeDispatch* q = new CFakeDispatch(L"QueryDef", engine->log);
    Define(engine, q, L"Name", [query](const Args&, VARIANT* r) { return Put(r, Text(query.name)); });
    Define(engine, q, L"Type", [query](const Args&, VARIANT* r) { return Put(r, COleVariant(query.type)); });
    Define(engine, q, L"Updatable", [](const Args&, VARIANT* r) { return Put(r, Long(1)); });
    Define(engine, q, L"ReturnsRecords", [](const Args&, VARIANT* r) { return Put(r, Long(1)); });
    Define(engine, q, L"SQL", [](const Args&, VARIANT* r) { return Put(r, Text(L"SELECT 1")); });
    return q;
}

CFakeDispatch* MakeRelation(CFakeDaoEngine* engine, const FakeDaoRelation& relation)
{
    CFakeDispatch* rel = new CFakeDispatch(L"Relation", engine->log);
    Define(engine, rel, L"Name", [relation](const Args&, VARIANT* r) { return Put(r, Text(relation.name)); });
    Define(engine, rel, L"Table", [relation](const Args&, VARIANT* r) { return Put(r, Text(relation.table)); });
    Define(engine, rel, L"ForeignTable",
           [relation](const Args&, VARIANT* r) { return Put(r, Text(relation.foreignTable)); });
    Define(engine, rel, L"Attributes",
           [relation](const Args&, VARIANT* r) { return Put(r, Long(relation.attributes)); });
    return rel;
}

// A recordset over "Select * From [name]".
CFakeDispatch* MakeRecordset(CFakeDaoEngine* engine, const FakeDaoTable& table)
{
    CFakeDispatch* rs = new CFakeDispatch(L"Recordset", engine->log);
    auto row = std::make_shared<long>(0);
    const long rows = table.rows;
    Define(engine, rs, L"EOF", [row, rows](const Args&, VARIANT* r) {
        return Put(r, COleVariant((short)(*row >= rows ? -1 : 0), VT_BOOL));
    });
    Define(engine, rs, L"BOF", [row, rows](const Args&, VARIANT* r) {
        return Put(r, COleVariant((short)(rows == 0 ? -1 : 0), VT_BOOL));
    });
    Define(engine, rs, L"MoveNext", [row, rows](const Args&, VARIANT*) {
        if (*row >= rows)
            return (HRESULT)0x800A0C5A;
        ++*row;
        return S_OK;
    });
    Define(engine, rs, L"MoveFirst", [row](const Args&, VARIANT*) {
        *row = 0;
        return S_OK;
    });
    Define(engine, rs, L"Close", [](const Args&, VARIANT*) { return S_OK; });
    Define(engine, rs, L"Fields", [engine, table, row](const Args&, VARIANT* r) {
        return PutObject(r, MakeFields(engine, table, row));
    });
    return rs;
}

CFakeDispatch* MakeDatabase(CFakeDaoEngine* engine, const std::wstring& path)
{
    CFakeDispatch* db = new CFakeDispatch(L"Database", engine->log);
    Define(engine, db, L"Name", [path](const Args&, VARIANT* r) { return Put(r, Text(path)); });
    Define(engine, db, L"Close", [](const Args&, VARIANT*) { return S_OK; });
    Define(engine, db, L"TableDefs", [engine](const Args&, VARIANT* r) {
        return PutObject(r, MakeCollection<FakeDaoTable>(
                                engine, L"TableDefs", &engine->tables,
                                [engine](int i) { return MakeTableDef(engine, engine->tables[(size_t)i]); }, true));
    });
    Define(engine, db, L"QueryDefs", [engine](const Args&, VARIANT* r) {
        return PutObject(r, MakeCollection<FakeDaoQuery>(
                                engine, L"QueryDefs", &engine->queries,
                                [engine](int i) { return MakeQueryDef(engine, engine->queries[(size_t)i]); }, true));
    });
    Define(engine, db, L"Relations", [engine](const Args&, VARIANT* r) {
        return PutObject(r, MakeCollection<FakeDaoRelation>(
                                engine, L"Relations", &engine->relations,
                                [engine](int i) { return MakeRelation(engine, engine->relations[(size_t)i]); },
                                false));
    });
    Define(engine, db, L"OpenRecordset", [engine](const Args& args, VARIANT* r) {
        if (args.empty() || args[0].vt != VT_BSTR)
            return E_INVALIDARG;
        std::wstring sql = args[0].bstrVal;
        size_t open = sql.find(L'['), close = sql.rfind(L']');
        if (open == std::wstring::npos || close == std::wstring::npos || close < open)
            return (HRESULT)0x800A0C1A;   // syntax error
        COleVariant name(sql.substr(open + 1, close - open - 1).c_str());
        int i = FindIndex(engine->tables, name);
        if (i < 0)
            return (HRESULT)0x800A0BCD;
        return PutObject(r, MakeRecordset(engine, engine->tables[(size_t)i]));
    });
    return db;
}

}  // namespace

CFakeDaoEngine::CFakeDaoEngine() : log(std::make_shared<DispatchLog>()) {}

CFakeDaoEngine::~CFakeDaoEngine() { Uninstall(); }

void CFakeDaoEngine::Install()
{
    AfxDaoTerm();
    AfxSetDispatchFactory(_T("DAO.DBEngine.36"), [this]() -> LPDISPATCH { return CreateEngineObject(); });
    m_bInstalled = true;
}

void CFakeDaoEngine::Uninstall()
{
    if (!m_bInstalled)
        return;
    AfxSetDispatchFactory(_T("DAO.DBEngine.36"), AFX_DISPATCH_FACTORY());
    AfxDaoTerm();
    m_bInstalled = false;
}

void CFakeDaoEngine::Fail(const std::wstring& objectDotMember, FakeDaoFailure failure, int nSucceedFirst)
{
    m_failures[objectDotMember] = {std::move(failure), nSucceedFirst};
}

bool CFakeDaoEngine::Failing(const std::wstring& objectDotMember, EXCEPINFO* pExcepInfo, HRESULT* phr)
{
    auto it = m_failures.find(objectDotMember);
    if (it == m_failures.end())
        return false;
    if (it->second.nSucceedFirst > 0) {
        --it->second.nSucceedFirst;
        return false;
    }
    const FakeDaoFailure& f = it->second.failure;
    *phr = f.description.empty() ? f.hr : RaiseDispatchError(pExcepInfo, f.hr, f.description.c_str(), f.code);
    return true;
}

IDispatch* CFakeDaoEngine::CreateEngineObject()
{
    CFakeDispatch* dbe = new CFakeDispatch(L"DBEngine", log);
    Define(this, dbe, L"OpenDatabase", [this](const Args& args, VARIANT* r) {
        openedPath = !args.empty() && args[0].vt == VT_BSTR ? args[0].bstrVal : L"";
        return PutObject(r, MakeDatabase(this, openedPath));
    });
    return dbe;
}

FakeDaoTable MakeFakeTable(const std::wstring& name, int nFields, long rows)
{
    FakeDaoTable table;
    table.name = name;
    table.rows = rows;
    for (int i = 0; i < nFields; ++i)
        table.fields.push_back({L"F" + std::to_wstring(i), 4, nullptr});
    return table;
}

}  // namespace tesmir::test
