// A stand-in for the desktop database engine, registered for
// "DAO.DBEngine.36" in the framework's dispatch factory table while it is
// installed: one database of tables with typed fields and generated rows,
// queries with types and relations with attributes, deletions that change
// the model, and failures scripted per member with or without an error
// description. Every call goes to the shared recording log.
#pragma once

#include "FakeDispatch.h"

#include <map>

namespace tesmir::test {

struct FakeDaoField
{
    std::wstring name;
    short type = 4;   // the engine's field type (4 long, 10 text, ...)
    // The value in row (0-based); empty gives the row number as VT_I4.
    std::function<COleVariant(long row)> value;
};

struct FakeDaoTable
{
    std::wstring name;
    long attributes = 0;   // 0x80000002 bits mark system tables
    std::vector<FakeDaoField> fields;
    long rows = 0;
};

struct FakeDaoQuery
{
    std::wstring name;
    short type = 0;   // 5: a pass-through... type the tree hides
};

struct FakeDaoRelation
{
    std::wstring name;
    std::wstring table;
    std::wstring foreignTable;
    long attributes = 0;
};

// A scripted failure: the HRESULT, and the engine's description and error
// number (an empty description reports the failure without one).
struct FakeDaoFailure
{
    HRESULT hr = E_FAIL;
    std::wstring description;
    WORD code = 0;
};

class CFakeDaoEngine
{
public:
    CFakeDaoEngine();
    ~CFakeDaoEngine();

    // Registers the engine for "DAO.DBEngine.36" and drops any engine the
    // framework holds, so the next database operation creates this one.
    void Install();
    void Uninstall();

    // Makes "Object.Member" fail (objects: DBEngine, Database, TableDefs,
    // QueryDefs, Relations, TableDef, QueryDef, Relation, Fields, Field,
    // Recordset); a count of uses that succeed first may be given.
    void Fail(const std::wstring& objectDotMember, FakeDaoFailure failure, int nSucceedFirst = 0);

    std::vector<FakeDaoTable> tables;
    std::vector<FakeDaoQuery> queries;
    std::vector<FakeDaoRelation> relations;
    std::shared_ptr<DispatchLog> log;
    std::wstring openedPath;   // the last OpenDatabase path

    // Internal: the failure scripted for a call, if any (counts the call).
    bool Failing(const std::wstring& objectDotMember, EXCEPINFO* pExcepInfo, HRESULT* phr);
    IDispatch* CreateEngineObject();

private:
    struct Scripted
    {
        FakeDaoFailure failure;
        int nSucceedFirst = 0;
    };
    std::map<std::wstring, Scripted> m_failures;
    bool m_bInstalled = false;
};

// A table of n fields named F0.. of type 4 and rows generated rows.
FakeDaoTable MakeFakeTable(const std::wstring& name, int nFields, long rows);

}  // namespace tesmir::test
