// ActiveX controls in windows: CWnd::CreateControl over the platform's
// control host window ("AtlAxWin" of atl.dll), and calls into the control.
#include "framestate.h"
#include <afxdisp.h>

namespace {
typedef BOOL(WINAPI* PFN_ATLAXWININIT)();
typedef HRESULT(WINAPI* PFN_ATLAXGETCONTROL)(HWND, IUnknown**);

// atl.dll's host, loaded once; NULL entry points when it is missing.
struct AtlHost
{
    PFN_ATLAXGETCONTROL pfnGetControl = NULL;
    BOOL bReady = FALSE;
};

const AtlHost& GetAtlHost()
{
    static const AtlHost s_atlHost = []() {
        AtlHost host;
        HMODULE hAtl = ::LoadLibrary(_T("atl.dll"));
        if (hAtl == NULL)
            return host;
        PFN_ATLAXWININIT pfnInit = (PFN_ATLAXWININIT)(void*)::GetProcAddress(hAtl, "AtlAxWinInit");
        host.pfnGetControl = (PFN_ATLAXGETCONTROL)(void*)::GetProcAddress(hAtl, "AtlAxGetControl");
        host.bReady = pfnInit != NULL && host.pfnGetControl != NULL && pfnInit();
        return host;
    }();
    return s_atlHost;
}
}

BOOL CWnd::CreateControl(LPCTSTR pszClass, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID, CFile* pPersist, BOOL bStorage, BSTR bstrLicKey)
{
    (void)pszWindowName;
    (void)pPersist;
    (void)bStorage;
    (void)bstrLicKey;
    if (pszClass == NULL || *pszClass == 0)
        return FALSE;
    const AtlHost& host = GetAtlHost();
    if (!host.bReady)
        return FALSE;
    // The host window creates the control named by its window text (a
    // ProgID or a "{CLSID}"); it stays empty when that fails.
    if (!CreateEx(0, _T("AtlAxWin"), pszClass, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID))
        return FALSE;
    IUnknown* pUnk = NULL;
    if (FAILED(host.pfnGetControl(m_hWnd, &pUnk)) || pUnk == NULL)
    {
        DestroyWindow();
        return FALSE;
    }
    pUnk->Release();
    return TRUE;
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID, CFile* pPersist, BOOL bStorage, BSTR bstrLicKey)
{
    WCHAR szClsid[64] = {};
    if (::StringFromGUID2(clsid, szClsid, _countof(szClsid)) == 0)
        return FALSE;
    return CreateControl(szClsid, pszWindowName, dwStyle, rect, pParentWnd, nID, pPersist, bStorage, bstrLicKey);
}

LPUNKNOWN CWnd::GetControlUnknown()
{
    const AtlHost& host = GetAtlHost();
    if (!host.bReady || m_hWnd == NULL)
        return NULL;
    IUnknown* pUnk = NULL;
    if (FAILED(host.pfnGetControl(m_hWnd, &pUnk)) || pUnk == NULL)
        return NULL;
    // The host holds the control as long as the window lives.
    pUnk->Release();
    return pUnk;
}

// The control's IDispatch (not added to), or an OLE exception.
static LPDISPATCH ControlDispatch(CWnd* pWnd)
{
    LPUNKNOWN pUnk = pWnd->GetControlUnknown();
    LPDISPATCH pDisp = NULL;
    if (pUnk == NULL || FAILED(pUnk->QueryInterface(IID_IDispatch, (LPVOID*)&pDisp)) || pDisp == NULL)
        AfxThrowOleException(E_NOINTERFACE);
    pDisp->Release();
    return pDisp;
}

void AFX_CDECL CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                                  ...)
{
    COleDispatchDriver driver(ControlDispatch(this), FALSE);
    va_list argList;
    va_start(argList, pbParamInfo);
    try
    {
        driver.InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void AFX_CDECL CWnd::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    COleDispatchDriver driver(ControlDispatch(this), FALSE);
    BYTE rgbParams[2] = { (BYTE)vtProp, 0 };
    WORD wFlags = (WORD)(vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT);
    va_list argList;
    va_start(argList, vtProp);
    try
    {
        driver.InvokeHelperV(dwDispID, wFlags, VT_EMPTY, NULL, rgbParams, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    COleDispatchDriver driver(ControlDispatch(const_cast<CWnd*>(this)), FALSE);
    driver.GetProperty(dwDispID, vtProp, pvProp);
}
