// Interface maps of command targets and the minimal IDispatch that
// EnableAutomation gives them.
#include "framestate.h"

const AFX_INTERFACEMAP* PASCAL CCmdTarget::GetThisInterfaceMap()
{
    static const AFX_INTERFACEMAP_ENTRY entries[] = { { NULL, (size_t)-1 } };
    static const AFX_INTERFACEMAP interfaceMap = { NULL, &entries[0] };
    return &interfaceMap;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}

namespace {
// IDispatch of an automation-enabled command target: no type information,
// no members; reference counts and QueryInterface are the owner's.
class CAfxDispatch final : public IDispatch
{
public:
    explicit CAfxDispatch(CCmdTarget* pOwner) : m_pOwner(pOwner) {}
    STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override
    {
        return (HRESULT)m_pOwner->ExternalQueryInterface(&iid, ppvObj);
    }
    STDMETHOD_(ULONG, AddRef)() override { return m_pOwner->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return m_pOwner->ExternalRelease(); }
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override
    {
        if (pctinfo == NULL)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** pptinfo) override
    {
        if (pptinfo != NULL)
            *pptinfo = NULL;
        return DISP_E_BADINDEX;
    }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgdispid) override
    {
        for (UINT i = 0; rgdispid != NULL && i < cNames; i++)
            rgdispid[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
    CCmdTarget* m_pOwner;
};
}

AFX_DISPATCH_SLOT::~AFX_DISPATCH_SLOT()
{
    delete static_cast<CAfxDispatch*>(m_pImpl);
}

void CCmdTarget::EnableAutomation()
{
    if (m_xDispatch.m_pImpl == NULL)
        m_xDispatch.m_pImpl = new CAfxDispatch(this);
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    LPDISPATCH lpDispatch = static_cast<CAfxDispatch*>(m_xDispatch.m_pImpl);
    if (lpDispatch != NULL && bAddRef)
        ExternalAddRef();
    return lpDispatch;
}

CCmdTarget* PASCAL CCmdTarget::FromIDispatch(LPDISPATCH lpDispatch)
{
    // Only dispatch objects made here have our vtable.
    static CAfxDispatch s_probe(NULL);
    if (lpDispatch == NULL || *(void**)lpDispatch != *(void**)&s_probe)
        return NULL;
    return static_cast<CAfxDispatch*>(lpDispatch)->m_pOwner;
}

LPUNKNOWN CCmdTarget::GetInterface(const void* piid)
{
    const IID& iid = *(const IID*)piid;
    if (m_xDispatch.m_pImpl != NULL && (iid == IID_IDispatch || iid == IID_IUnknown))
        return static_cast<CAfxDispatch*>(m_xDispatch.m_pImpl);
    // The most derived map first, then its bases; IUnknown is the first
    // interface found.
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        for (const AFX_INTERFACEMAP_ENTRY* pEntry = pMap->pEntry; pEntry != NULL && pEntry->piid != NULL; ++pEntry)
        {
            if (iid == IID_IUnknown || *(const IID*)pEntry->piid == iid)
                return (LPUNKNOWN)((BYTE*)this + pEntry->nOffset);
        }
    }
    return NULL;
}

LPUNKNOWN CCmdTarget::GetControllingUnknown()
{
    return GetInterface(&IID_IUnknown);
}

DWORD CCmdTarget::InternalQueryInterface(const void* piid, LPVOID* ppvObj)
{
    if (ppvObj == NULL)
        return (DWORD)E_POINTER;
    LPUNKNOWN lpUnk = GetInterface(piid);
    *ppvObj = lpUnk;
    if (lpUnk == NULL)
        return (DWORD)E_NOINTERFACE;
    ExternalAddRef();
    return S_OK;
}

DWORD CCmdTarget::ExternalAddRef()
{
    return InternalAddRef();
}

DWORD CCmdTarget::ExternalRelease()
{
    return InternalRelease();
}

DWORD CCmdTarget::ExternalQueryInterface(const void* piid, LPVOID* ppvObj)
{
    return InternalQueryInterface(piid, ppvObj);
}
