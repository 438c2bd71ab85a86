#include "FakeDispatch.h"

namespace tesmir::test {

std::vector<std::wstring> DispatchLog::Names() const
{
    std::vector<std::wstring> names;
    for (const DispatchCall& call : calls)
        names.push_back(call.object + L"." + call.member);
    return names;
}

size_t DispatchLog::Count(const std::wstring& objectDotMember) const
{
    size_t n = 0;
    for (const DispatchCall& call : calls)
        if (call.object + L"." + call.member == objectDotMember)
            ++n;
    return n;
}

CFakeDispatch::CFakeDispatch(std::wstring name, std::shared_ptr<DispatchLog> log)
    : m_name(std::move(name)), m_log(std::move(log))
{
}

void CFakeDispatch::On(const wchar_t* member, DispatchHandler handler)
{
    for (Member& m : m_members)
        if (_wcsicmp(m.name.c_str(), member) == 0) {
            m.handler = std::move(handler);
            return;
        }
    m_members.push_back({member, std::move(handler)});
}

void CFakeDispatch::Value(const wchar_t* member, const COleVariant& value)
{
    COleVariant copy(value);
    On(member, [copy](const std::vector<COleVariant>&, VARIANT* pResult, EXCEPINFO*) {
        return pResult ? ::VariantCopy(pResult, const_cast<COleVariant*>(&copy)) : S_OK;
    });
}

STDMETHODIMP CFakeDispatch::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CFakeDispatch::AddRef() { return (ULONG)::InterlockedIncrement(&m_nRefs); }

STDMETHODIMP_(ULONG) CFakeDispatch::Release()
{
    LONG n = ::InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return (ULONG)n;
}

STDMETHODIMP CFakeDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo)
        *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CFakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CFakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (cNames == 0 || rgszNames == NULL || rgDispId == NULL)
        return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    for (size_t k = 0; k < m_members.size(); ++k)
        if (_wcsicmp(m_members[k].name.c_str(), rgszNames[0]) == 0) {
            rgDispId[0] = (DISPID)(k + 1);
            return S_OK;
        }
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CFakeDispatch::Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                                   EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    (void)puArgErr;
    if (dispid < 1 || (size_t)dispid > m_members.size())
        return DISP_E_MEMBERNOTFOUND;
    const Member& member = m_members[(size_t)dispid - 1];
    DispatchCall call;
    call.object = m_name;
    call.member = member.name;
    call.dispid = dispid;
    call.flags = wFlags;
    if (pParams != NULL)
        for (UINT i = pParams->cArgs; i-- > 0;)
            call.args.push_back(COleVariant(pParams->rgvarg[i]));
    std::vector<COleVariant> args = call.args;
    if (m_log)
        m_log->calls.push_back(std::move(call));
    if (pResult)
        ::VariantInit(pResult);
    // The handler may release this object's last outside reference.
    AddRef();
    DispatchHandler handler = member.handler;
    HRESULT hr = handler ? handler(args, pResult, pExcepInfo) : S_OK;
    Release();
    return hr;
}

HRESULT RaiseDispatchError(EXCEPINFO* pExcepInfo, HRESULT scode, const wchar_t* description, WORD wCode)
{
    if (pExcepInfo == NULL)
        return scode;
    *pExcepInfo = EXCEPINFO();
    pExcepInfo->wCode = wCode;
    pExcepInfo->scode = wCode != 0 ? 0 : scode;
    pExcepInfo->bstrSource = ::SysAllocString(L"DAO.Database");
    pExcepInfo->bstrDescription = ::SysAllocString(description);
    return DISP_E_EXCEPTION;
}

void ReturnDispatch(VARIANT* pResult, IDispatch* pObject)
{
    if (pResult == NULL)
        return;
    pResult->vt = VT_DISPATCH;
    pResult->pdispVal = pObject;
    pObject->AddRef();
}

}  // namespace tesmir::test
