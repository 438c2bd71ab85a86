// The table of stand-in automation objects that object creation by name
// consults first (see afxdisp.h).
#include "framestate.h"
#include <afxdisp.h>

#include <map>

namespace {
struct DispatchFactoryTable
{
    CAfxLock lock;
    std::map<CString, AFX_DISPATCH_FACTORY> factories;   // keys upper-cased
};

DispatchFactoryTable& FactoryTable()
{
    static DispatchFactoryTable* s_pTable = new DispatchFactoryTable;
    return *s_pTable;
}
}

void AFXAPI AfxSetDispatchFactory(LPCTSTR lpszKey, AFX_DISPATCH_FACTORY factory)
{
    if (lpszKey == NULL)
        return;
    CString strKey(lpszKey);
    strKey.MakeUpper();
    DispatchFactoryTable& table = FactoryTable();
    CAfxLockGuard guard(table.lock);
    if (factory)
        table.factories[strKey] = std::move(factory);
    else
        table.factories.erase(strKey);
}

LPDISPATCH AFXAPI AfxCreateFromDispatchFactory(LPCTSTR lpszKey)
{
    if (lpszKey == NULL)
        return NULL;
    CString strKey(lpszKey);
    strKey.MakeUpper();
    AFX_DISPATCH_FACTORY factory;
    {
        DispatchFactoryTable& table = FactoryTable();
        CAfxLockGuard guard(table.lock);
        auto it = table.factories.find(strKey);
        if (it == table.factories.end())
            return NULL;
        factory = it->second;
    }
    // Called outside the lock: a factory may create further objects.
    return factory();
}
