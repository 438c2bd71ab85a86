// OLE start-up, variants, currency and the dispatch driver.
#include "framestate.h"
#include <afxdisp.h>

IMPLEMENT_DYNAMIC(COleObjectFactory, CCmdTarget)

static LONG g_nOleInit = 0;
static BOOL g_bUserCtrl = TRUE;
static BOOL g_bControlContainer = FALSE;

BOOL AFXAPI AfxOleInit()
{
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    ::InterlockedIncrement(&g_nOleInit);
    return TRUE;
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke)
{
    if (!bJustRevoke && ::InterlockedDecrement(&g_nOleInit) >= 0)
        ::OleUninitialize();
}

void AFXAPI AfxEnableControlContainer()
{
    g_bControlContainer = TRUE;
}

void AFXAPI AfxOleSetUserCtrl(BOOL bUserCtrl)
{
    g_bUserCtrl = bUserCtrl;
}

BOOL AFXAPI AfxOleGetUserCtrl()
{
    return g_bUserCtrl;
}

// ---------------------------------------------------------------------------
// COleVariant

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    if (pSrc != this || vartype != vt)
    {
        HRESULT hr = ::VariantChangeType(this, pSrc, 0, vartype);
        if (FAILED(hr))
            AfxThrowOleException(hr);
    }
}

const COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (static_cast<const VARIANT*>(this) != &varSrc)
    {
        HRESULT hr = ::VariantCopy(this, const_cast<VARIANT*>(&varSrc));
        if (FAILED(hr))
            AfxThrowOleException(hr);
    }
    return *this;
}

const COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    Clear();
    vt = VT_BSTR;
    bstrVal = ::SysAllocString(lpszSrc != NULL ? lpszSrc : L"");
    if (bstrVal == NULL)
        AfxThrowMemoryException();
    return *this;
}

BOOL COleVariant::operator==(const VARIANT& varSrc) const
{
    if (&varSrc == static_cast<const VARIANT*>(this))
        return TRUE;
    if (vt != varSrc.vt)
        return FALSE;
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        return TRUE;
    case VT_BOOL:
        return boolVal == varSrc.boolVal;
    case VT_UI1:
        return bVal == varSrc.bVal;
    case VT_I2:
        return iVal == varSrc.iVal;
    case VT_I4:
        return lVal == varSrc.lVal;
    case VT_ERROR:
        return scode == varSrc.scode;
    case VT_R4:
        return fltVal == varSrc.fltVal;
    case VT_R8:
    case VT_DATE:
        return dblVal == varSrc.dblVal;
    case VT_CY:
        return cyVal.int64 == varSrc.cyVal.int64;
    case VT_BSTR:
        return ::SysStringByteLen(bstrVal) == ::SysStringByteLen(varSrc.bstrVal) &&
               memcmp(bstrVal, varSrc.bstrVal, ::SysStringByteLen(bstrVal)) == 0;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return punkVal == varSrc.punkVal;
    default:
        return FALSE;
    }
}

CArchive& AFXAPI operator<<(CArchive& ar, COleVariant varSrc)
{
    ar << (WORD)varSrc.vt;
    switch (varSrc.vt)
    {
    case VT_BOOL: ar << (WORD)varSrc.boolVal; break;
    case VT_UI1: ar << varSrc.bVal; break;
    case VT_I2: ar << (WORD)varSrc.iVal; break;
    case VT_I4: ar << (LONG)varSrc.lVal; break;
    case VT_ERROR: ar << (LONG)varSrc.scode; break;
    case VT_R4: ar << varSrc.fltVal; break;
    case VT_R8:
    case VT_DATE: ar << varSrc.dblVal; break;
    case VT_CY: ar << (DWORD)varSrc.cyVal.Lo << (LONG)varSrc.cyVal.Hi; break;
    case VT_BSTR: ar << CString(varSrc.bstrVal); break;
    case VT_EMPTY:
    case VT_NULL: break;
    default: AfxThrowNotSupportedException();
    }
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc)
{
    varSrc.Clear();
    WORD wType = 0;
    ar >> wType;
    switch (wType)
    {
    case VT_BOOL: { WORD w; ar >> w; varSrc.boolVal = (VARIANT_BOOL)w; break; }
    case VT_UI1: ar >> varSrc.bVal; break;
    case VT_I2: { WORD w; ar >> w; varSrc.iVal = (SHORT)w; break; }
    case VT_I4: { LONG l; ar >> l; varSrc.lVal = l; break; }
    case VT_ERROR: { LONG l; ar >> l; varSrc.scode = l; break; }
    case VT_R4: ar >> varSrc.fltVal; break;
    case VT_R8:
    case VT_DATE: ar >> varSrc.dblVal; break;
    case VT_CY: { DWORD lo; LONG hi; ar >> lo >> hi; varSrc.cyVal.Lo = lo; varSrc.cyVal.Hi = hi; break; }
    case VT_BSTR:
    {
        CString str;
        ar >> str;
        varSrc = (LPCTSTR)str;
        return ar;
    }
    case VT_EMPTY:
    case VT_NULL: break;
    default: AfxThrowArchiveException(CArchiveException::badIndex);
    }
    varSrc.vt = wType;
    return ar;
}

// ---------------------------------------------------------------------------
// COleCurrency

COleCurrency::COleCurrency(const VARIANT& varSrc) : m_status(valid)
{
    m_cur.int64 = 0;
    VARIANT var;
    ::VariantInit(&var);
    if (SUCCEEDED(::VariantChangeType(&var, const_cast<VARIANT*>(&varSrc), 0, VT_CY)))
        m_cur = var.cyVal;
    else
        m_status = invalid;
}

BOOL COleCurrency::ParseCurrency(LPCTSTR lpszCurrency, DWORD dwFlags, LCID lcid)
{
    CY cy;
    HRESULT hr = ::VarCyFromStr(const_cast<LPOLESTR>(lpszCurrency), lcid, dwFlags, &cy);
    if (FAILED(hr))
    {
        // A text that is no currency leaves the value invalid; other
        // failures are errors of the system.
        if (hr != DISP_E_TYPEMISMATCH && hr != DISP_E_OVERFLOW)
            AfxThrowOleException(hr);
        m_cur.int64 = 0;
        m_status = invalid;
        return FALSE;
    }
    m_cur = cy;
    m_status = valid;
    return TRUE;
}

CString COleCurrency::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status != valid)
        return CString();
    BSTR bstr = NULL;
    if (FAILED(::VarBstrFromCy(m_cur, lcid, dwFlags, &bstr)))
        return CString();
    CString str(bstr);
    ::SysFreeString(bstr);
    return str;
}

// ---------------------------------------------------------------------------
// COleDispatchDriver

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != NULL)
        m_lpDispatch->AddRef();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (this != &dispatchSrc)
    {
        LPDISPATCH lpTemp = dispatchSrc.m_lpDispatch;
        if (lpTemp != NULL)
            lpTemp->AddRef();
        ReleaseDispatch();
        m_lpDispatch = lpTemp;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    LPUNKNOWN lpUnknown = NULL;
    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_ALL, IID_IUnknown, (LPVOID*)&lpUnknown);
    LPDISPATCH lpDispatch = NULL;
    if (SUCCEEDED(hr))
    {
        // A local server may need to be running before it answers.
        ::OleRun(lpUnknown);
        hr = lpUnknown->QueryInterface(IID_IDispatch, (LPVOID*)&lpDispatch);
        lpUnknown->Release();
    }
    if (FAILED(hr))
    {
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    AttachDispatch(lpDispatch, TRUE);
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(lpszProgID, &clsid);
    if (FAILED(hr))
    {
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = NULL;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != NULL)
    {
        if (m_bAutoRelease)
            m_lpDispatch->Release();
        m_lpDispatch = NULL;
    }
}

// Fills one argument from the variable arguments by its VTS_ code.
static void FetchArgument(VARIANT* pArg, BYTE vtCode, va_list& argList)
{
    ::VariantInit(pArg);
    if (vtCode & VT_MFCBYREF)
    {
        pArg->vt = (VARTYPE)((vtCode & ~VT_MFCBYREF) | VT_BYREF);
        pArg->byref = va_arg(argList, void*);
        return;
    }
    pArg->vt = vtCode;
    switch (vtCode)
    {
    case VT_UI1: pArg->bVal = (BYTE)va_arg(argList, int); break;
    case VT_I1: pArg->cVal = (CHAR)va_arg(argList, int); break;
    case VT_I2: pArg->iVal = (SHORT)va_arg(argList, int); break;
    case VT_UI2: pArg->uiVal = (USHORT)va_arg(argList, int); break;
    case VT_I4: pArg->lVal = va_arg(argList, long); break;
    case VT_UI4: pArg->ulVal = va_arg(argList, unsigned long); break;
    case VT_R4: pArg->fltVal = (float)va_arg(argList, double); break;
    case VT_R8: pArg->dblVal = va_arg(argList, double); break;
    case VT_DATE: pArg->date = va_arg(argList, DATE); break;
    case VT_CY: pArg->cyVal = *va_arg(argList, CY*); break;
    case VT_BSTR:
    {
        LPCOLESTR lpsz = va_arg(argList, LPCOLESTR);
        pArg->bstrVal = ::SysAllocString(lpsz != NULL ? lpsz : L"");
        if (pArg->bstrVal == NULL)
            AfxThrowMemoryException();
        break;
    }
    case VT_DISPATCH: pArg->pdispVal = va_arg(argList, LPDISPATCH); break;
    case VT_UNKNOWN: pArg->punkVal = va_arg(argList, LPUNKNOWN); break;
    case VT_ERROR: pArg->scode = va_arg(argList, SCODE); break;
    case VT_BOOL: pArg->boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_VARIANT:
        // Passed by reference so the caller's variant is not copied or freed.
        pArg->vt = VT_VARIANT | VT_BYREF;
        pArg->pvarVal = const_cast<VARIANT*>(va_arg(argList, const VARIANT*));
        break;
    default:
        pArg->vt = VT_EMPTY;
        AfxThrowOleException(E_INVALIDARG);
    }
}

// Stores the call's result in the caller's variable of type vtRet.
static void StoreResult(VARIANT* pResult, VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_VARIANT)
    {
        ::VariantCopy((VARIANT*)pvRet, pResult);
        return;
    }
    if (pResult->vt != vtRet)
    {
        HRESULT hr = ::VariantChangeType(pResult, pResult, 0, vtRet);
        if (FAILED(hr))
            AfxThrowOleException(hr);
    }
    switch (vtRet)
    {
    case VT_UI1: *(BYTE*)pvRet = pResult->bVal; break;
    case VT_I2: *(short*)pvRet = pResult->iVal; break;
    case VT_I4: *(long*)pvRet = pResult->lVal; break;
    case VT_R4: *(float*)pvRet = pResult->fltVal; break;
    case VT_R8: *(double*)pvRet = pResult->dblVal; break;
    case VT_DATE: *(DATE*)pvRet = pResult->date; break;
    case VT_CY: *(CY*)pvRet = pResult->cyVal; break;
    case VT_BSTR: *(CString*)pvRet = CString(pResult->bstrVal); break;
    case VT_ERROR: *(SCODE*)pvRet = pResult->scode; break;
    case VT_BOOL: *(BOOL*)pvRet = pResult->boolVal != VARIANT_FALSE; break;
    case VT_DISPATCH:
        *(LPDISPATCH*)pvRet = pResult->pdispVal;
        pResult->vt = VT_EMPTY;   // the reference goes to the caller
        break;
    case VT_UNKNOWN:
        *(LPUNKNOWN*)pvRet = pResult->punkVal;
        pResult->vt = VT_EMPTY;
        break;
    default:
        break;
    }
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == NULL)
        AfxThrowOleException(E_UNEXPECTED);
    // Arguments go in reverse order.
    size_t nArgs = pbParamInfo != NULL ? strlen((const char*)pbParamInfo) : 0;
    std::vector<VARIANT> args(nArgs);
    for (size_t i = 0; i < nArgs; i++)
        ::VariantInit(&args[i]);
    DISPPARAMS dispparams = {};
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    struct ArgsCleanup
    {
        std::vector<VARIANT>& args;
        ~ArgsCleanup()
        {
            for (VARIANT& var : args)
            {
                // Only the strings made here are ours to free.
                if (var.vt == VT_BSTR)
                    ::VariantClear(&var);
            }
        }
    } cleanup{ args };
    for (size_t i = 0; i < nArgs; i++)
        FetchArgument(&args[nArgs - 1 - i], pbParamInfo[i], argList);
    dispparams.cArgs = (UINT)nArgs;
    dispparams.rgvarg = nArgs > 0 ? args.data() : NULL;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
    {
        dispparams.cNamedArgs = 1;
        dispparams.rgdispidNamedArgs = &dispidNamed;
    }
    VARIANT vaResult;
    ::VariantInit(&vaResult);
    EXCEPINFO excepInfo = {};
    UINT nArgErr = (UINT)-1;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &dispparams,
                                      vtRet == VT_EMPTY ? NULL : &vaResult, &excepInfo, &nArgErr);
    if (FAILED(hr))
    {
        ::VariantClear(&vaResult);
        if (hr == DISP_E_EXCEPTION)
        {
            if (excepInfo.pfnDeferredFillIn != NULL)
                excepInfo.pfnDeferredFillIn(&excepInfo);
            COleDispatchException* e =
                new COleDispatchException(excepInfo.bstrDescription != NULL ? CString(excepInfo.bstrDescription)
                                                                             : CString(),
                                          excepInfo.dwHelpContext, excepInfo.wCode);
            e->m_scError = excepInfo.scode != 0 ? excepInfo.scode : hr;
            if (excepInfo.bstrSource != NULL)
                e->m_strSource = excepInfo.bstrSource;
            if (excepInfo.bstrHelpFile != NULL)
                e->m_strHelpFile = excepInfo.bstrHelpFile;
            ::SysFreeString(excepInfo.bstrSource);
            ::SysFreeString(excepInfo.bstrDescription);
            ::SysFreeString(excepInfo.bstrHelpFile);
            throw e;
        }
        AfxThrowOleException(hr);
    }
    if (vtRet != VT_EMPTY && pvRet != NULL)
    {
        try
        {
            StoreResult(&vaResult, vtRet, pvRet);
        }
        catch (CException*)
        {
            ::VariantClear(&vaResult);
            throw;
        }
    }
    ::VariantClear(&vaResult);
}

void AFX_CDECL COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                                const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try
    {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void AFX_CDECL COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    va_list argList;
    va_start(argList, vtProp);
    BYTE rgbParams[2] = { (BYTE)(vtProp == (VT_BOOL | VT_BYREF) ? (VT_BOOL | VT_MFCBYREF) : vtProp), 0 };
    WORD wFlags = (WORD)(vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT);
    try
    {
        InvokeHelperV(dwDispID, wFlags, VT_EMPTY, NULL, rgbParams, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, NULL);
}
