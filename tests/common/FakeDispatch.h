// A recording automation object for tests: members are named handlers,
// DISPIDs are given out in the order the members are declared, and every
// call is logged with its arguments in call order (DISPPARAMS holds them
// last-first; the log turns them round).
#pragma once

#include <afxdisp.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tesmir::test {

struct DispatchCall
{
    std::wstring object;
    std::wstring member;
    DISPID dispid = 0;
    WORD flags = 0;
    std::vector<COleVariant> args;   // in call order
};

class DispatchLog
{
public:
    std::vector<DispatchCall> calls;
    // "object.member" of every call, in order.
    std::vector<std::wstring> Names() const;
    size_t Count(const std::wstring& objectDotMember) const;
};

// What a member answers. A handler fills the result and returns S_OK, or
// returns a failure; DISP_E_EXCEPTION with the EXCEPINFO filled reports an
// error with a description.
using DispatchHandler = std::function<HRESULT(const std::vector<COleVariant>& args, VARIANT* pResult,
                                              EXCEPINFO* pExcepInfo)>;

class CFakeDispatch : public IDispatch
{
public:
    // log may be null (nothing is recorded).
    CFakeDispatch(std::wstring name, std::shared_ptr<DispatchLog> log);
    virtual ~CFakeDispatch() = default;

    void On(const wchar_t* member, DispatchHandler handler);
    // A member whose value is fixed.
    void Value(const wchar_t* member, const COleVariant& value);
    const std::wstring& Name() const { return m_name; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                        EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    struct Member
    {
        std::wstring name;
        DispatchHandler handler;
    };
    std::wstring m_name;
    std::shared_ptr<DispatchLog> m_log;
    std::vector<Member> m_members;
    LONG m_nRefs = 1;
};

// Fills an EXCEPINFO with a description and code and returns
// DISP_E_EXCEPTION, as an engine reporting an error does.
HRESULT RaiseDispatchError(EXCEPINFO* pExcepInfo, HRESULT scode, const wchar_t* description, WORD wCode = 0);
// A dispatch result that hands out pObject (one reference added).
void ReturnDispatch(VARIANT* pResult, IDispatch* pObject);

}  // namespace tesmir::test
