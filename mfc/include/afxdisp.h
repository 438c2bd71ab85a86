// afxdisp.h - automation: variants and currency, the dispatch driver that
// calls an automation server, class factories.
#pragma once
#ifndef __AFXDISP_H__
#define __AFXDISP_H__

#include <afxwin.h>
#include <ole2.h>
#include <oleauto.h>

#include <functional>

// Parameter type strings of InvokeHelper (one byte per argument; 0x40 marks
// a by-reference argument).
#define VTS_I2          "\x02"
#define VTS_I4          "\x03"
#define VTS_R4          "\x04"
#define VTS_R8          "\x05"
#define VTS_CY          "\x06"
#define VTS_DATE        "\x07"
#define VTS_BSTR        "\x08"   // LPCOLESTR
#define VTS_DISPATCH    "\x09"
#define VTS_SCODE       "\x0A"
#define VTS_BOOL        "\x0B"
#define VTS_VARIANT     "\x0C"   // const VARIANT*
#define VTS_UNKNOWN     "\x0D"
#define VTS_I1          "\x10"
#define VTS_UI1         "\x11"
#define VTS_UI2         "\x12"
#define VTS_UI4         "\x13"
#define VTS_PI2         "\x42"
#define VTS_PI4         "\x43"
#define VTS_PR4         "\x44"
#define VTS_PR8         "\x45"
#define VTS_PBSTR       "\x48"
#define VTS_PDISPATCH   "\x49"
#define VTS_PBOOL       "\x4B"
#define VTS_PVARIANT    "\x4C"
#define VTS_PUNKNOWN    "\x4D"
#define VTS_NONE        ""
#define VT_MFCBYREF     0x40

typedef const VARIANT* LPCVARIANT;

// A VARIANT that clears itself.
class COleVariant : public tagVARIANT
{
public:
    COleVariant() { ::VariantInit(this); }
    COleVariant(const VARIANT& varSrc) { ::VariantInit(this); ::VariantCopy(this, const_cast<VARIANT*>(&varSrc)); }
    COleVariant(LPCVARIANT pSrc) { ::VariantInit(this); if (pSrc != NULL) ::VariantCopy(this, const_cast<VARIANT*>(pSrc)); }
    COleVariant(const COleVariant& varSrc) { ::VariantInit(this); ::VariantCopy(this, const_cast<COleVariant*>(&varSrc)); }
    COleVariant(LPCTSTR lpszSrc) { ::VariantInit(this); *this = lpszSrc; }
    COleVariant(const CString& strSrc) { ::VariantInit(this); *this = (LPCTSTR)strSrc; }
    COleVariant(BYTE nSrc) { ::VariantInit(this); vt = VT_UI1; bVal = nSrc; }
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2) { ::VariantInit(this); vt = vtSrc == VT_BOOL ? VT_BOOL : VT_I2; if (vt == VT_BOOL) boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE; else iVal = nSrc; }
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4) { ::VariantInit(this); vt = vtSrc == VT_ERROR ? VT_ERROR : VT_I4; if (vt == VT_ERROR) scode = lSrc; else lVal = lSrc; }
    COleVariant(float fltSrc) { ::VariantInit(this); vt = VT_R4; fltVal = fltSrc; }
    COleVariant(double dblSrc) { ::VariantInit(this); vt = VT_R8; dblVal = dblSrc; }
    COleVariant(const COleDateTime& dateSrc) { ::VariantInit(this); vt = VT_DATE; date = dateSrc.m_dt; }
    ~COleVariant() { ::VariantClear(this); }

    void Clear() { ::VariantClear(this); }
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);
    void Attach(VARIANT& varSrc) { Clear(); *static_cast<VARIANT*>(this) = varSrc; varSrc.vt = VT_EMPTY; }
    VARIANT Detach() { VARIANT varResult = *this; vt = VT_EMPTY; return varResult; }

    const COleVariant& operator=(const VARIANT& varSrc);
    const COleVariant& operator=(const COleVariant& varSrc) { return operator=(static_cast<const VARIANT&>(varSrc)); }
    const COleVariant& operator=(LPCTSTR lpszSrc);
    const COleVariant& operator=(const CString& strSrc) { return operator=((LPCTSTR)strSrc); }
    const COleVariant& operator=(long lSrc) { Clear(); vt = VT_I4; lVal = lSrc; return *this; }
    const COleVariant& operator=(double dblSrc) { Clear(); vt = VT_R8; dblVal = dblSrc; return *this; }
    BOOL operator==(const VARIANT& varSrc) const;
    BOOL operator!=(const VARIANT& varSrc) const { return !operator==(varSrc); }
    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};

// Written as the VARTYPE (WORD) and the value; strings in the archive's
// string form.
CArchive& AFXAPI operator<<(CArchive& ar, COleVariant varSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc);

// A currency value (CY) with parsing and formatting through the system's
// variant conversions.
class COleCurrency
{
public:
    enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };
    COleCurrency() : m_status(valid) { m_cur.int64 = 0; }
    COleCurrency(CURRENCY cySrc) : m_cur(cySrc), m_status(valid) {}
    COleCurrency(long nUnits, long nFractionalUnits) : m_status(valid) { SetCurrency(nUnits, nFractionalUnits); }
    COleCurrency(const VARIANT& varSrc);
    CurrencyStatus GetStatus() const { return m_status; }
    void SetStatus(CurrencyStatus status) { m_status = status; }
    void SetCurrency(long nUnits, long nFractionalUnits) { m_cur.int64 = (LONGLONG)nUnits * 10000 + nFractionalUnits; m_status = valid; }
    BOOL ParseCurrency(LPCTSTR lpszCurrency, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    operator CURRENCY() const { return m_cur; }
    BOOL operator==(const COleCurrency& cur) const { return m_status == cur.m_status && m_cur.int64 == cur.m_cur.int64; }
    BOOL operator!=(const COleCurrency& cur) const { return !operator==(cur); }

    CURRENCY m_cur;
    CurrencyStatus m_status;
};

// Calls an automation object through its IDispatch. Failures of calls throw
// COleException or COleDispatchException; creating one that is not there
// returns FALSE.
class COleDispatchDriver
{
public:
    COleDispatchDriver() : m_lpDispatch(NULL), m_bAutoRelease(TRUE) {}
    COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE)
        : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease) {}
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    ~COleDispatchDriver() { ReleaseDispatch(); }
    const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
    operator LPDISPATCH() { return m_lpDispatch; }

    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = NULL);
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = NULL);
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    void AFX_CDECL InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, va_list argList);
    void AFX_CDECL SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;
};

// Class factories: this program registers none, so the calls succeed
// without doing anything.
class COleObjectFactory : public CCmdTarget
{
    DECLARE_DYNAMIC(COleObjectFactory)
public:
    static BOOL PASCAL RegisterAll() { return TRUE; }
    static void PASCAL RevokeAll() {}
    static BOOL PASCAL UpdateRegistryAll(BOOL bRegister = TRUE) { (void)bRegister; return TRUE; }
};

// Stand-in automation objects: a process-wide table, keyed by ProgID or by
// CLSID text ("{...}"), that object creation by name consults before the
// registry. The program leaves it empty; tests fill it with fakes. A factory
// returns an IDispatch the caller owns (one reference), or NULL.
typedef std::function<LPDISPATCH()> AFX_DISPATCH_FACTORY;
// Sets the factory for lpszKey; an empty factory removes the entry.
void AFXAPI AfxSetDispatchFactory(LPCTSTR lpszKey, AFX_DISPATCH_FACTORY factory);
// The object of lpszKey's factory; NULL when the table has none (the key
// is compared without regard to case).
LPDISPATCH AFXAPI AfxCreateFromDispatchFactory(LPCTSTR lpszKey);

// OLE start-up: OleInitialize on this thread (FALSE when it fails).
BOOL AFXAPI AfxOleInit();
void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);
// Allows ActiveX controls in windows (CWnd::CreateControl).
void AFXAPI AfxEnableControlContainer();
void AFXAPI AfxOleSetUserCtrl(BOOL bUserCtrl);
BOOL AFXAPI AfxOleGetUserCtrl();

#endif // __AFXDISP_H__
