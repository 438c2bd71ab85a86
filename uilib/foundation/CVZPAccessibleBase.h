// Active Accessibility for library objects that are not windows (command-bar
// controls and bars, the task panel and its items). A mix-in of a CCmdTarget
// class: the COM identity, reference count and interface lookup are the
// owner's, and every IAccessible member is a virtual operation here that the
// owner overrides. The owner hands out &m_xAccessible for IID_IAccessible
// from its interface map:
//     INTERFACE_PART(COwner, IID_IAccessible, Accessible)
// The accessibility entry points of the system are resolved at run time, so
// the program runs where they are missing.
#pragma once

#include <afxwin.h>
#include <oleacc.h>

class CVZPAccessibleBase
{
public:
    CVZPAccessibleBase();
    virtual ~CVZPAccessibleBase();

    virtual HRESULT get_accParent(IDispatch** ppdispParent);
    virtual HRESULT get_accChildCount(long* pcountChildren);
    virtual HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT get_accName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT get_accValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT get_accState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT get_accHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT get_accFocus(VARIANT* pvarChild);
    virtual HRESULT get_accSelection(VARIANT* pvarChildren);
    virtual HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT accSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT accDoDefaultAction(VARIANT varChild);
    virtual HRESULT put_accName(VARIANT varChild, BSTR szName);
    virtual HRESULT put_accValue(VARIANT varChild, BSTR szValue);
    // The object whose identity and reference count the interface uses;
    // every owner answers itself.
    virtual CCmdTarget* GetOwnerCmdTarget();

    IAccessible* GetAccessible() { return &m_xAccessible; }

    // The system's NotifyWinEvent, when USER32 has it.
    static void CallNotifyWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild);
    // oleacc's entry points; E_FAIL when oleacc.dll or the entry is missing.
    static HRESULT CallAccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectId, REFIID riid, void** ppvObject);
    // Answers WM_GETOBJECT for pAcc.
    static LRESULT CallLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN pAcc);
    // The child id a VARIANT carries (VT_I4, VT_I2, either by reference, or
    // through VT_VARIANT references); -1 for anything else or a NULL pointer.
    static long ChildIdFromVariant(const VARIANT* pVariant);

protected:
    // The IAccessible table: IUnknown goes to the owner, IDispatch answers
    // E_NOTIMPL, and the IAccessible members call the operations above.
    class XAccessible : public IAccessible
    {
    public:
        STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
        STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                          VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
        STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
        STDMETHOD(get_accChildCount)(long* pcountChildren) override;
        STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
        STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
        STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
        STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
        STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
        STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
        STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
        STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
        STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;

    private:
        CVZPAccessibleBase* Outer();
    } m_xAccessible;
    friend class XAccessible;
};
