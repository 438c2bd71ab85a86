// The accessibility mix-in: its IAccessible table reaches the owner's
// interface map and reference count and the owner's overrides, child ids
// come out of VARIANTs, and oleacc's entry points work (or fail cleanly
// where oleacc.dll is disabled).
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcom_.h>

#include "CVZPAccessibleBase.h"
#include "TestSupport.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// A command target that answers IID_IAccessible from its interface map.
class CAccessibleOwner : public CCmdTarget, public CVZPAccessibleBase
{
public:
    CCmdTarget* GetOwnerCmdTarget() override { return this; }
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CAccessibleOwner, CCmdTarget)
    INTERFACE_PART(CAccessibleOwner, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

// An owner that names its children.
class CNamedOwner : public CAccessibleOwner
{
public:
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override
    {
        m_nLastChild = ChildIdFromVariant(&varChild);
        *pszName = ::SysAllocString(L"Named");
        return S_OK;
    }
    long m_nLastChild = -2;
};

VARIANT ChildVariant(long nChild)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = nChild;
    return v;
}

// A window that answers WM_GETOBJECT for its client with an owner's object.
class CAccessibleWnd : public CWnd
{
public:
    IAccessible* m_pAccessible = NULL;
    LRESULT m_lLastAnswer = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETOBJECT && (LONG)lParam == OBJID_CLIENT && m_pAccessible != NULL)
        {
            m_lLastAnswer = CVZPAccessibleBase::CallLresultFromObject(IID_IAccessible, wParam, m_pAccessible);
            return m_lLastAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CComInit
{
public:
    CComInit() { m_hr = ::CoInitialize(NULL); }
    ~CComInit()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }

private:
    HRESULT m_hr;
};

}  // namespace

TEST(AccessibleBase, InterfaceUsesTheOwnersIdentityAndCount)
{
    CAccessibleOwner owner;
    IAccessible* pAcc = owner.GetAccessible();
    EXPECT_EQ((void*)pAcc, (void*)((BYTE*)static_cast<CVZPAccessibleBase*>(&owner) + sizeof(void*)));

    const long nStart = owner.m_dwRef;
    EXPECT_EQ((ULONG)nStart + 1, pAcc->AddRef());
    EXPECT_EQ(nStart + 1, owner.m_dwRef);
    EXPECT_EQ((ULONG)nStart, pAcc->Release());
    EXPECT_EQ(nStart, owner.m_dwRef);

    // QueryInterface goes to the owner's map: IAccessible and IUnknown are
    // found there (and counted), other interfaces are not.
    void* pFound = NULL;
    ASSERT_EQ(S_OK, pAcc->QueryInterface(IID_IAccessible, &pFound));
    EXPECT_EQ((void*)pAcc, pFound);
    EXPECT_EQ(nStart + 1, owner.m_dwRef);
    static_cast<IUnknown*>(pFound)->Release();
    ASSERT_EQ(S_OK, pAcc->QueryInterface(IID_IUnknown, &pFound));
    static_cast<IUnknown*>(pFound)->Release();
    EXPECT_EQ(E_NOINTERFACE, pAcc->QueryInterface(IID_IOleWindow, &pFound));
    EXPECT_EQ(nullptr, pFound);
    EXPECT_EQ(nStart, owner.m_dwRef);
}

TEST(AccessibleBase, DefaultsAndOverridesThroughTheComTable)
{
    CAccessibleOwner plain;
    IAccessible* pAcc = plain.GetAccessible();
    VARIANT self = ChildVariant(CHILDID_SELF);
    VARIANT out;
    ::VariantInit(&out);
    BSTR bstr = NULL;
    IDispatch* pDispatch = NULL;
    long n = 0;
    const std::vector<std::pair<const char*, std::function<HRESULT()>>> notImplemented = {
        {"GetTypeInfoCount", [&] { UINT u = 0; return pAcc->GetTypeInfoCount(&u); }},
        {"Invoke", [&] { return pAcc->Invoke(0, IID_NULL, 0, 0, NULL, NULL, NULL, NULL); }},
        {"get_accParent", [&] { return pAcc->get_accParent(&pDispatch); }},
        {"get_accChildCount", [&] { return pAcc->get_accChildCount(&n); }},
        {"get_accChild", [&] { return pAcc->get_accChild(self, &pDispatch); }},
        {"get_accName", [&] { return pAcc->get_accName(self, &bstr); }},
        {"get_accValue", [&] { return pAcc->get_accValue(self, &bstr); }},
        {"get_accDescription", [&] { return pAcc->get_accDescription(self, &bstr); }},
        {"get_accRole", [&] { return pAcc->get_accRole(self, &out); }},
        {"get_accState", [&] { return pAcc->get_accState(self, &out); }},
        {"get_accHelp", [&] { return pAcc->get_accHelp(self, &bstr); }},
        {"get_accHelpTopic", [&] { return pAcc->get_accHelpTopic(&bstr, self, &n); }},
        {"get_accKeyboardShortcut", [&] { return pAcc->get_accKeyboardShortcut(self, &bstr); }},
        {"get_accDefaultAction", [&] { return pAcc->get_accDefaultAction(self, &bstr); }},
        {"accSelect", [&] { return pAcc->accSelect(SELFLAG_TAKEFOCUS, self); }},
        {"accLocation", [&] { long a, b, c, d; return pAcc->accLocation(&a, &b, &c, &d, self); }},
        {"accNavigate", [&] { return pAcc->accNavigate(NAVDIR_NEXT, self, &out); }},
        {"accHitTest", [&] { return pAcc->accHitTest(1, 2, &out); }},
        {"accDoDefaultAction", [&] { return pAcc->accDoDefaultAction(self); }},
        {"put_accName", [&] { return pAcc->put_accName(self, NULL); }},
        {"put_accValue", [&] { return pAcc->put_accValue(self, NULL); }},
    };
    for (const auto& member : notImplemented)
        EXPECT_EQ(E_NOTIMPL, member.second()) << member.first;
    EXPECT_EQ(S_FALSE, pAcc->get_accFocus(&out));
    EXPECT_EQ(S_FALSE, pAcc->get_accSelection(&out));

    CNamedOwner named;
    VARIANT child = ChildVariant(3);
    ASSERT_EQ(S_OK, named.GetAccessible()->get_accName(child, &bstr));
    EXPECT_STREQ(L"Named", bstr);
    EXPECT_EQ(3, named.m_nLastChild);
    ::SysFreeString(bstr);
    CVZPAccessibleBase::CallNotifyWinEvent(EVENT_OBJECT_FOCUS, NULL, OBJID_CLIENT, CHILDID_SELF);
}

TEST(AccessibleBase, ChildIdFromVariant)
{
    long nLong = 41;
    short nShort = 42;
    VARIANT i2;
    ::VariantInit(&i2);
    i2.vt = VT_I2;
    i2.iVal = 5;
    VARIANT toI2;
    toI2.vt = VT_VARIANT | VT_BYREF;
    toI2.pvarVal = &i2;
    VARIANT toToI2;
    toToI2.vt = VT_VARIANT | VT_BYREF;
    toToI2.pvarVal = &toI2;
    VARIANT toNothing;
    toNothing.vt = VT_VARIANT | VT_BYREF;
    toNothing.pvarVal = NULL;
    VARIANT loop;
    loop.vt = VT_VARIANT | VT_BYREF;
    loop.pvarVal = &loop;

    auto make = [](VARTYPE vt, auto set) {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = vt;
        set(v);
        return v;
    };
    const struct
    {
        const char* pszName;
        VARIANT v;
        long nExpected;
    } cases[] = {
        {"VT_I4", make(VT_I4, [](VARIANT& v) { v.lVal = 7; }), 7},
        {"VT_I2", make(VT_I2, [](VARIANT& v) { v.iVal = -3; }), -3},
        {"VT_I4 by reference", make(VT_I4 | VT_BYREF, [&](VARIANT& v) { v.plVal = &nLong; }), 41},
        {"VT_I2 by reference", make(VT_I2 | VT_BYREF, [&](VARIANT& v) { v.piVal = &nShort; }), 42},
        {"NULL VT_I4 reference", make(VT_I4 | VT_BYREF, [](VARIANT& v) { v.plVal = NULL; }), -1},
        {"NULL VT_I2 reference", make(VT_I2 | VT_BYREF, [](VARIANT& v) { v.piVal = NULL; }), -1},
        {"VARIANT chain to VT_I2", toToI2, 5},
        {"NULL VARIANT reference", toNothing, -1},
        {"VARIANT referring to itself", loop, -1},
        {"VT_BSTR", make(VT_BSTR, [](VARIANT& v) { v.bstrVal = NULL; }), -1},
        {"VT_EMPTY", make(VT_EMPTY, [](VARIANT&) {}), -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, CVZPAccessibleBase::ChildIdFromVariant(&c.v)) << c.pszName;
    EXPECT_EQ(-1, CVZPAccessibleBase::ChildIdFromVariant(NULL));
}

// An owner's window answers WM_GETOBJECT with its object, and a client
// asking for the window's object reaches the owner's overrides.
TEST(AccessibleBase, WindowHandsOutTheOwnersObject)
{
    CComInit com;
    // On the heap: COM references could outlive a stack frame.
    CNamedOwner* pOwner = new CNamedOwner;
    CAccessibleWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("accessible"), WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    wnd.m_pAccessible = pOwner->GetAccessible();

    IAccessible* pFound = NULL;
    ASSERT_EQ(S_OK, CVZPAccessibleBase::CallAccessibleObjectFromWindow(wnd.m_hWnd, (DWORD)OBJID_CLIENT,
                                                                       IID_IAccessible, (void**)&pFound));
    EXPECT_GT(wnd.m_lLastAnswer, 0);
    ASSERT_NE(nullptr, pFound);
    BSTR bstr = NULL;
    EXPECT_EQ(S_OK, pFound->get_accName(ChildVariant(9), &bstr));
    EXPECT_STREQ(L"Named", bstr);
    EXPECT_EQ(9, pOwner->m_nLastChild);
    ::SysFreeString(bstr);
    pFound->Release();
    wnd.m_pAccessible = NULL;
    wnd.DestroyWindow();
    EXPECT_EQ(1, pOwner->m_dwRef);
    pOwner->InternalRelease();
}

// Run with oleacc.dll disabled (WINEDLLOVERRIDES oleacc=d): both entry
// points fail, again on every call.
TEST(NoOleaccRun, EntryPointsFail)
{
    CComInit com;
    CAccessibleOwner owner;
    for (int nCall = 0; nCall < 2; ++nCall)
    {
        EXPECT_EQ(E_FAIL, CVZPAccessibleBase::CallLresultFromObject(IID_IAccessible, 0, owner.GetAccessible()));
        void* pFound = reinterpret_cast<void*>(1);
        EXPECT_EQ(E_FAIL, CVZPAccessibleBase::CallAccessibleObjectFromWindow(::GetDesktopWindow(), (DWORD)OBJID_CLIENT,
                                                                            IID_IAccessible, &pFound));
    }
    EXPECT_EQ(1, owner.m_dwRef);
}
