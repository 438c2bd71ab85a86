#include "CVZPAccessibleBase.h"

#include <afxcom_.h>

namespace {

typedef void(WINAPI* PFNNOTIFYWINEVENT)(DWORD, HWND, LONG, LONG);
typedef HRESULT(WINAPI* PFNACCESSIBLEOBJECTFROMWINDOW)(HWND, DWORD, REFIID, void**);
typedef LRESULT(WINAPI* PFNLRESULTFROMOBJECT)(REFIID, WPARAM, LPUNKNOWN);

PFNNOTIFYWINEVENT g_pfnNotifyWinEvent = NULL;
PFNACCESSIBLEOBJECTFROMWINDOW g_pfnAccessibleObjectFromWindow = NULL;
PFNLRESULTFROMOBJECT g_pfnLresultFromObject = NULL;

template <typename TFunction>
TFunction FunctionFromProc(FARPROC pfn)
{
    return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(pfn));
}

// The one loader of oleacc.dll: loaded on first use and kept for the rest
// of the run; while it is missing every call tries again. An entry point
// found once is cached in pfn.
template <typename TFunction>
BOOL ResolveOleacc(TFunction& pfn, const char* pszName)
{
    static HMODULE s_hOleacc = NULL;
    if (pfn != NULL)
        return TRUE;
    if (s_hOleacc == NULL)
        s_hOleacc = ::LoadLibraryW(L"oleacc.dll");
    if (s_hOleacc != NULL)
        pfn = FunctionFromProc<TFunction>(::GetProcAddress(s_hOleacc, pszName));
    return pfn != NULL;
}

// VARIANT references a caller can chain; deeper (or circular) chains give
// no child id.
const int kMaxVariantDepth = 16;

}  // namespace

CVZPAccessibleBase::CVZPAccessibleBase()
{
    if (g_pfnNotifyWinEvent == NULL)
    {
        if (HMODULE hUser = ::GetModuleHandleW(L"USER32"))
            g_pfnNotifyWinEvent = FunctionFromProc<PFNNOTIFYWINEVENT>(::GetProcAddress(hUser, "NotifyWinEvent"));
    }
}

CVZPAccessibleBase::~CVZPAccessibleBase() {}

HRESULT CVZPAccessibleBase::get_accParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accChildCount(long*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::get_accFocus(VARIANT*) { return S_FALSE; }
HRESULT CVZPAccessibleBase::get_accSelection(VARIANT*) { return S_FALSE; }
HRESULT CVZPAccessibleBase::get_accDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::accSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::accLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::accNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::accHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::accDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CVZPAccessibleBase::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
CCmdTarget* CVZPAccessibleBase::GetOwnerCmdTarget() { return NULL; }

void CVZPAccessibleBase::CallNotifyWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild)
{
    if (g_pfnNotifyWinEvent != NULL)
        g_pfnNotifyWinEvent(dwEvent, hWnd, idObject, idChild);
}

HRESULT CVZPAccessibleBase::CallAccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectId, REFIID riid,
                                                           void** ppvObject)
{
    if (!ResolveOleacc(g_pfnAccessibleObjectFromWindow, "AccessibleObjectFromWindow"))
        return E_FAIL;
    return g_pfnAccessibleObjectFromWindow(hWnd, dwObjectId, riid, ppvObject);
}

LRESULT CVZPAccessibleBase::CallLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN pAcc)
{
    if (!ResolveOleacc(g_pfnLresultFromObject, "LresultFromObject"))
        return E_FAIL;
    return g_pfnLresultFromObject(riid, wParam, pAcc);
}

long CVZPAccessibleBase::ChildIdFromVariant(const VARIANT* pVariant)
{
    for (int nDepth = 0; pVariant != NULL && nDepth < kMaxVariantDepth; ++nDepth)
    {
        switch (pVariant->vt)
        {
        case VT_I4:
            return pVariant->lVal;
        case VT_I2:
            return pVariant->iVal;
        case VT_I4 | VT_BYREF:
            return pVariant->plVal != NULL ? *pVariant->plVal : -1;
        case VT_I2 | VT_BYREF:
            return pVariant->piVal != NULL ? *pVariant->piVal : -1;
        case VT_VARIANT | VT_BYREF:
            pVariant = pVariant->pvarVal;
            break;
        default:
            return -1;
        }
    }
    return -1;
}

// ---------------------------------------------------------------------------
// The IAccessible table

CVZPAccessibleBase* CVZPAccessibleBase::XAccessible::Outer()
{
    return reinterpret_cast<CVZPAccessibleBase*>(reinterpret_cast<BYTE*>(this) -
                                                 AFX_MEMBER_OFFSET(CVZPAccessibleBase, m_xAccessible));
}

STDMETHODIMP CVZPAccessibleBase::XAccessible::QueryInterface(REFIID riid, void** ppvObject)
{
    CCmdTarget* pOwner = Outer()->GetOwnerCmdTarget();
    if (pOwner == NULL)
    {
        if (ppvObject != NULL)
            *ppvObject = NULL;
        return E_NOINTERFACE;
    }
    return (HRESULT)pOwner->ExternalQueryInterface(&riid, ppvObject);
}

STDMETHODIMP_(ULONG) CVZPAccessibleBase::XAccessible::AddRef()
{
    CCmdTarget* pOwner = Outer()->GetOwnerCmdTarget();
    return pOwner != NULL ? pOwner->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CVZPAccessibleBase::XAccessible::Release()
{
    CCmdTarget* pOwner = Outer()->GetOwnerCmdTarget();
    return pOwner != NULL ? pOwner->ExternalRelease() : 1;
}

STDMETHODIMP CVZPAccessibleBase::XAccessible::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CVZPAccessibleBase::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP CVZPAccessibleBase::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                                     UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accParent(IDispatch** ppdispParent)
{
    return Outer()->get_accParent(ppdispParent);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accChildCount(long* pcountChildren)
{
    return Outer()->get_accChildCount(pcountChildren);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    return Outer()->get_accChild(varChild, ppdispChild);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    return Outer()->get_accName(varChild, pszName);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    return Outer()->get_accValue(varChild, pszValue);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    return Outer()->get_accDescription(varChild, pszDescription);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    return Outer()->get_accRole(varChild, pvarRole);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    return Outer()->get_accState(varChild, pvarState);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    return Outer()->get_accHelp(varChild, pszHelp);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic)
{
    return Outer()->get_accHelpTopic(pszHelpFile, varChild, pidTopic);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    return Outer()->get_accKeyboardShortcut(varChild, pszKeyboardShortcut);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accFocus(VARIANT* pvarChild)
{
    return Outer()->get_accFocus(pvarChild);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accSelection(VARIANT* pvarChildren)
{
    return Outer()->get_accSelection(pvarChildren);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return Outer()->get_accDefaultAction(varChild, pszDefaultAction);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::accSelect(long flagsSelect, VARIANT varChild)
{
    return Outer()->accSelect(flagsSelect, varChild);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                                          long* pcyHeight, VARIANT varChild)
{
    return Outer()->accLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    return Outer()->accNavigate(navDir, varStart, pvarEndUpAt);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    return Outer()->accHitTest(xLeft, yTop, pvarChild);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::accDoDefaultAction(VARIANT varChild)
{
    return Outer()->accDoDefaultAction(varChild);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::put_accName(VARIANT varChild, BSTR szName)
{
    return Outer()->put_accName(varChild, szName);
}
STDMETHODIMP CVZPAccessibleBase::XAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    return Outer()->put_accValue(varChild, szValue);
}
