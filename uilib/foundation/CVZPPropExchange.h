// The UI library's one interface for saving and loading a tree of named,
// typed values. A persistent object offers one exchange function that calls
// the exchange once per property; the same code stores and loads, and
// IsLoading() says which way the values flow. Back ends: an archive (values
// in call order, names ignored) and the registry (a key per section, a named
// value per property). The value names, type codes and stored forms bind
// every caller: stored layouts depend on them.
#pragma once

#include <afxdisp.h>
#include <afxwin.h>

class CVZPPropExchangeIterator;

// Type codes of ExchangeValue beyond the VARIANT types it takes (VT_I2,
// VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_BOOL as a 32-bit BOOL,
// VT_VARIANT as a COleVariant, VT_UI1).
enum
{
    VZP_PROP_STRING = 30,   // CString; its default is a wide string
    VZP_PROP_RECT = 100,    // RECT
    VZP_PROP_SIZE = 101,    // SIZE or POINT
};

class CVZPPropExchange : public CCmdTarget
{
    DECLARE_DYNAMIC(CVZPPropExchange)
public:
    BOOL IsLoading() const { return m_bLoading; }

    // One value: pvProp points at the variable, pvDefault at a default of the
    // same type (a wide string for VZP_PROP_STRING) or is NULL.
    virtual BOOL ExchangeValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault) = 0;
    // A byte block; a NULL *ppData gets a malloc'd buffer when loading.
    virtual BOOL ExchangeBlob(LPCWSTR pszName, BYTE** ppData, UINT* pnBytes);
    virtual BOOL ExchangeRuntimeClass(LPCWSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass);
    // Exchanges the object's class as "Class"; when loading, creates the
    // object. The caller then exchanges the object's own properties.
    virtual BOOL ExchangeObject(CObject** ppObject, CRuntimeClass* pExpectedClass);
    // An archive for serialising one object through this exchange, released
    // with ReleaseArchive.
    virtual CArchive* GetArchive(LPCWSTR pszName);
    virtual void ReleaseArchive(LPCWSTR pszName, CArchive* pArchive);
    // A new child exchange (one reference; release it with InternalRelease).
    virtual CVZPPropExchange* GetSection(LPCWSTR pszName) = 0;
    // Clears the section before it is stored; the registry result code.
    virtual LONG EmptySection();
    virtual void WriteCount(DWORD dwCount);
    virtual DWORD ReadCount();
    virtual void Write(LPCWSTR pszName, const void* pData, UINT nBytes);
    virtual UINT Read(LPCWSTR pszName, void* pBuffer, UINT nBytes);
    // TRUE when a value left out while storing reads back as its default.
    virtual BOOL CanOmitDefaults() const { return TRUE; }
    // TRUE when GetArchive may be used.
    virtual BOOL CanStoreBinary() const { return FALSE; }
    virtual BOOL BeforeExchange();

    // A new enumerator of the child sections base0, base1, ...
    CVZPPropExchangeIterator* GetEnumerator(LPCWSTR pszSectionBase);
    // The exchange's schema as the integer "Schema" (default 16).
    BOOL ExchangeSchema();

    void* m_pExtraData;            // the caller's; copied to child sections
    CObject* m_pOwnerObject;       // the caller's; copied to child sections
    BOOL m_bLoading;
    int m_nSchema;
    BOOL m_bChildSection;
    BOOL m_bEmptied;
    BOOL m_bPrepared;
    BOOL m_bUseDefaultOnLoad;      // a missing value takes its default
    BOOL m_bUseDefaultOnSave;      // a value equal to its default is not stored

protected:
    explicit CVZPPropExchange(BOOL bLoading);
    // A child section's settings come from its parent.
    void InheritFrom(const CVZPPropExchange* pParent);
};

// Holds a section from GetSection and releases it when it goes.
class CVZPPropExchangeSectionRef
{
public:
    explicit CVZPPropExchangeSectionRef(CVZPPropExchange* pSection) : m_pSection(pSection) {}
    CVZPPropExchangeSectionRef(CVZPPropExchange* pParent, LPCWSTR pszName) : m_pSection(pParent->GetSection(pszName)) {}
    ~CVZPPropExchangeSectionRef()
    {
        if (m_pSection != NULL)
            m_pSection->InternalRelease();
    }
    CVZPPropExchangeSectionRef(const CVZPPropExchangeSectionRef&) = delete;
    CVZPPropExchangeSectionRef& operator=(const CVZPPropExchangeSectionRef&) = delete;

    CVZPPropExchange* operator->() const { return m_pSection; }
    operator CVZPPropExchange*() const { return m_pSection; }

private:
    CVZPPropExchange* m_pSection;
};

// Size of a type code's variable; 0 for codes without a fixed size.
UINT VZPPropTypeSize(int nType);
// Whether a variable equals a default (NULL on either side: unequal).
BOOL VZPPropIsEqual(int nType, const void* pvProp, const void* pvDefault);
// Copies a default or a read value into a variable; FALSE for a NULL source
// or an unsupported code.
BOOL VZPPropCopy(int nType, void* pvProp, const void* pvSource);
// The run-time class of an ANSI-convertible name, or NULL.
CRuntimeClass* VZPFindRuntimeClass(LPCWSTR pszClassName);

BOOL PropExchangeIntNoDefault(CVZPPropExchange* pPX, LPCWSTR pszName, int* pnValue);
BOOL PropExchangeInt(CVZPPropExchange* pPX, LPCWSTR pszName, int* pnValue, int nDefault);
BOOL PropExchangeInt(CVZPPropExchange* pPX, LPCWSTR pszName, long* pnValue, long nDefault);
BOOL PropExchangeBool(CVZPPropExchange* pPX, LPCWSTR pszName, BOOL* pbValue, BOOL bDefault);
BOOL PropExchangeStringNoDefault(CVZPPropExchange* pPX, LPCWSTR pszName, CString* pstrValue);
BOOL PropExchangeString(CVZPPropExchange* pPX, LPCWSTR pszName, CString* pstrValue, LPCWSTR pszDefault);
BOOL PropExchangeSize(CVZPPropExchange* pPX, LPCWSTR pszName, SIZE* pSize, SIZE sizeDefault);
BOOL PropExchangeSize(CVZPPropExchange* pPX, LPCWSTR pszName, POINT* pPoint, POINT ptDefault);
BOOL PropExchangeRect(CVZPPropExchange* pPX, LPCWSTR pszName, RECT* pRect, RECT rcDefault);
BOOL PropExchangeRuntimeClass(CVZPPropExchange* pPX, LPCWSTR pszName, CRuntimeClass** ppClass,
                              CRuntimeClass* pDefaultClass);
BOOL PropExchangeBlob(CVZPPropExchange* pPX, LPCWSTR pszName, BYTE** ppData, UINT* pnBytes);
// Serialises the object through the exchange's archive; an archive or OLE
// exception from its Serialize gives FALSE.
BOOL PropExchangeSerialize(CVZPPropExchange* pPX, LPCWSTR pszName, CObject* pObject);
