#include "CVZPPropExchange.h"

#include "CVZPPropExchangeIterator.h"
#include "VZPBlobText.h"

#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CVZPPropExchange, CCmdTarget)

UINT VZPPropTypeSize(int nType)
{
    switch (LOWORD(nType))
    {
    case VT_I2: return 2;
    case VT_I4: case VT_R4: case VT_BOOL: case VT_BSTR: return 4;
    case VT_R8: case VT_CY: return 8;
    case VT_DATE: return sizeof(COleDateTime);
    case VT_VARIANT: return sizeof(COleVariant);
    case VT_UI1: return 1;
    case VZP_PROP_RECT: return sizeof(RECT);
    case VZP_PROP_SIZE: return sizeof(SIZE);
    default: return 0;
    }
}

BOOL VZPPropIsEqual(int nType, const void* pvProp, const void* pvDefault)
{
    if (pvProp == pvDefault)
        return TRUE;
    if (pvProp == NULL || pvDefault == NULL)
        return FALSE;
    switch (LOWORD(nType))
    {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_BOOL: case VT_UI1:
    case VZP_PROP_RECT: case VZP_PROP_SIZE:
        return memcmp(pvProp, pvDefault, VZPPropTypeSize(nType)) == 0;
    case VT_DATE:
    {
        const COleDateTime& a = *static_cast<const COleDateTime*>(pvProp);
        const COleDateTime& b = *static_cast<const COleDateTime*>(pvDefault);
        return a.GetStatus() == b.GetStatus() && (DATE)a == (DATE)b;
    }
    case VT_BSTR:
    {
        BSTR a = *static_cast<const BSTR*>(pvProp);
        BSTR b = *static_cast<const BSTR*>(pvDefault);
        return wcscmp(a != NULL ? a : L"", b != NULL ? b : L"") == 0;
    }
    case VT_VARIANT:
        return *static_cast<const COleVariant*>(pvProp) == *static_cast<const COleVariant*>(pvDefault);
    case VZP_PROP_STRING:
        return wcscmp(*static_cast<const CString*>(pvProp), static_cast<LPCWSTR>(pvDefault)) == 0;
    default:
        return FALSE;
    }
}

BOOL VZPPropCopy(int nType, void* pvProp, const void* pvSource)
{
    if (pvSource == NULL)
        return FALSE;
    switch (LOWORD(nType))
    {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_BOOL: case VT_UI1:
    case VZP_PROP_RECT: case VZP_PROP_SIZE:
        memmove(pvProp, pvSource, VZPPropTypeSize(nType));
        return TRUE;
    case VT_DATE:
        *static_cast<COleDateTime*>(pvProp) = *static_cast<const COleDateTime*>(pvSource);
        return TRUE;
    case VT_BSTR:
        *static_cast<BSTR*>(pvProp) = ::SysAllocString(*static_cast<const BSTR*>(pvSource));
        return TRUE;
    case VT_VARIANT:
        try
        {
            *static_cast<COleVariant*>(pvProp) = *static_cast<const COleVariant*>(pvSource);
        }
        catch (CException* e)
        {
            e->Delete();
            return FALSE;
        }
        return TRUE;
    case VZP_PROP_STRING:
        *static_cast<CString*>(pvProp) = static_cast<LPCWSTR>(pvSource);
        return TRUE;
    default:
        return FALSE;
    }
}

CRuntimeClass* VZPFindRuntimeClass(LPCWSTR pszClassName)
{
    // The framework keeps one list of every registered class.
    return CRuntimeClass::FromName(pszClassName);
}

CVZPPropExchange::CVZPPropExchange(BOOL bLoading)
    : m_pExtraData(NULL), m_pOwnerObject(NULL), m_bLoading(bLoading), m_nSchema(16), m_bChildSection(FALSE),
      m_bEmptied(FALSE), m_bPrepared(FALSE), m_bUseDefaultOnLoad(TRUE), m_bUseDefaultOnSave(TRUE)
{
}

void CVZPPropExchange::InheritFrom(const CVZPPropExchange* pParent)
{
    m_pExtraData = pParent->m_pExtraData;
    m_pOwnerObject = pParent->m_pOwnerObject;
    m_nSchema = pParent->m_nSchema;
    m_bEmptied = pParent->m_bEmptied;
    m_bUseDefaultOnLoad = pParent->m_bUseDefaultOnLoad;
    m_bUseDefaultOnSave = pParent->m_bUseDefaultOnSave;
    m_bChildSection = TRUE;
}

BOOL CVZPPropExchange::BeforeExchange()
{
    m_bPrepared = TRUE;
    return TRUE;
}

// The text form, for back ends that hold only strings.
BOOL CVZPPropExchange::ExchangeBlob(LPCWSTR pszName, BYTE** ppData, UINT* pnBytes)
{
    CString strText;
    if (!m_bLoading)
    {
        strText = VZPEncodeBlobText(*ppData, *pnBytes);
        return ExchangeValue(pszName, VZP_PROP_STRING, &strText, L"");
    }
    if (!ExchangeValue(pszName, VZP_PROP_STRING, &strText, L""))
        return FALSE;
    if (strText.IsEmpty())
        return TRUE;
    if (strText.GetLength() % 2 != 0)
        return FALSE;
    UINT nBytes = (UINT)strText.GetLength() / 2;
    if (*ppData == NULL)
    {
        if ((*ppData = (BYTE*)malloc(nBytes)) == NULL)
            return FALSE;
        *pnBytes = nBytes;
    }
    else if (*pnBytes < nBytes)
    {
        return FALSE;
    }
    VZPDecodeBlobText(strText, nBytes, *ppData);
    return TRUE;
}

BOOL CVZPPropExchange::ExchangeRuntimeClass(LPCWSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass)
{
    if (!m_bLoading)
    {
        CString strName((*ppClass)->m_lpszClassName);
        CString strDefault;
        if (pDefaultClass != NULL)
            strDefault = pDefaultClass->m_lpszClassName;
        return ExchangeValue(pszName, VZP_PROP_STRING, &strName, pDefaultClass != NULL ? (LPCWSTR)strDefault : NULL);
    }
    CString strName;
    if (!ExchangeValue(pszName, VZP_PROP_STRING, &strName, NULL))
    {
        *ppClass = pDefaultClass;
        return TRUE;
    }
    *ppClass = VZPFindRuntimeClass(strName);
    return *ppClass != NULL;
}

BOOL CVZPPropExchange::ExchangeObject(CObject** ppObject, CRuntimeClass* pExpectedClass)
{
    if (!m_bLoading)
    {
        CRuntimeClass* pClass = (*ppObject)->GetRuntimeClass();
        ExchangeRuntimeClass(L"Class", &pClass, pExpectedClass);
        return TRUE;
    }
    CRuntimeClass* pClass = NULL;
    if (!ExchangeRuntimeClass(L"Class", &pClass, pExpectedClass) || pClass == NULL)
        return FALSE;
    CObject* pObject = pClass->CreateObject();
    if (pObject != NULL && AfxDynamicDownCast(pExpectedClass, pObject) == NULL)
    {
        delete pObject;
        pObject = NULL;
    }
    *ppObject = pObject;
    return pObject != NULL;
}

CArchive* CVZPPropExchange::GetArchive(LPCWSTR pszName)
{
    if (!m_bLoading)
        return new CArchive(new CMemFile(1024), CArchive::store, 4096);
    BYTE* pData = NULL;
    UINT nBytes = 0;
    if (!ExchangeBlob(pszName, &pData, &nBytes) || nBytes == 0)
    {
        free(pData);
        return NULL;
    }
    return new CArchive(new CMemFile(pData, nBytes, 0), CArchive::load, 4096);
}

void CVZPPropExchange::ReleaseArchive(LPCWSTR pszName, CArchive* pArchive)
{
    CMemFile* pFile = static_cast<CMemFile*>(pArchive->GetFile());
    BYTE* pData;
    if (m_bLoading)
    {
        pData = pFile->Detach();
    }
    else
    {
        pArchive->Flush();
        UINT nBytes = (UINT)pFile->GetLength();
        pData = pFile->Detach();
        ExchangeBlob(pszName, &pData, &nBytes);
    }
    pArchive->Abort();
    pFile->Close();
    free(pData);
    delete pFile;
    delete pArchive;
}

LONG CVZPPropExchange::EmptySection()
{
    m_bEmptied = TRUE;
    return ERROR_SUCCESS;
}

void CVZPPropExchange::WriteCount(DWORD dwCount)
{
    int nCount = (int)dwCount;
    PropExchangeInt(this, L"Count", &nCount, 0);
}

DWORD CVZPPropExchange::ReadCount()
{
    int nCount = 0;
    PropExchangeInt(this, L"Count", &nCount, 0);
    return (DWORD)nCount;
}

void CVZPPropExchange::Write(LPCWSTR pszName, const void* pData, UINT nBytes)
{
    BYTE* p = (BYTE*)pData;
    ExchangeBlob(pszName, &p, &nBytes);
}

UINT CVZPPropExchange::Read(LPCWSTR pszName, void* pBuffer, UINT nBytes)
{
    BYTE* p = (BYTE*)pBuffer;
    return ExchangeBlob(pszName, &p, &nBytes) ? nBytes : 0;
}

CVZPPropExchangeIterator* CVZPPropExchange::GetEnumerator(LPCWSTR pszSectionBase)
{
    return new CVZPPropExchangeIterator(this, pszSectionBase);
}

BOOL CVZPPropExchange::ExchangeSchema()
{
    return PropExchangeInt(this, L"Schema", &m_nSchema, 16);
}

// --- typed exchange functions ------------------------------------------------

BOOL PropExchangeIntNoDefault(CVZPPropExchange* pPX, LPCWSTR pszName, int* pnValue)
{
    return pPX->ExchangeValue(pszName, VT_I4, pnValue, NULL);
}

BOOL PropExchangeInt(CVZPPropExchange* pPX, LPCWSTR pszName, int* pnValue, int nDefault)
{
    return pPX->ExchangeValue(pszName, VT_I4, pnValue, &nDefault);
}

BOOL PropExchangeInt(CVZPPropExchange* pPX, LPCWSTR pszName, long* pnValue, long nDefault)
{
    return pPX->ExchangeValue(pszName, VT_I4, pnValue, &nDefault);
}

BOOL PropExchangeBool(CVZPPropExchange* pPX, LPCWSTR pszName, BOOL* pbValue, BOOL bDefault)
{
    return pPX->ExchangeValue(pszName, VT_BOOL, pbValue, &bDefault);
}

BOOL PropExchangeStringNoDefault(CVZPPropExchange* pPX, LPCWSTR pszName, CString* pstrValue)
{
    return pPX->ExchangeValue(pszName, VZP_PROP_STRING, pstrValue, NULL);
}

BOOL PropExchangeString(CVZPPropExchange* pPX, LPCWSTR pszName, CString* pstrValue, LPCWSTR pszDefault)
{
    return pPX->ExchangeValue(pszName, VZP_PROP_STRING, pstrValue, pszDefault);
}

BOOL PropExchangeSize(CVZPPropExchange* pPX, LPCWSTR pszName, SIZE* pSize, SIZE sizeDefault)
{
    return pPX->ExchangeValue(pszName, VZP_PROP_SIZE, pSize, &sizeDefault);
}

BOOL PropExchangeSize(CVZPPropExchange* pPX, LPCWSTR pszName, POINT* pPoint, POINT ptDefault)
{
    return pPX->ExchangeValue(pszName, VZP_PROP_SIZE, pPoint, &ptDefault);
}

BOOL PropExchangeRect(CVZPPropExchange* pPX, LPCWSTR pszName, RECT* pRect, RECT rcDefault)
{
    return pPX->ExchangeValue(pszName, VZP_PROP_RECT, pRect, &rcDefault);
}

BOOL PropExchangeRuntimeClass(CVZPPropExchange* pPX, LPCWSTR pszName, CRuntimeClass** ppClass,
                              CRuntimeClass* pDefaultClass)
{
    return pPX->ExchangeRuntimeClass(pszName, ppClass, pDefaultClass);
}

BOOL PropExchangeBlob(CVZPPropExchange* pPX, LPCWSTR pszName, BYTE** ppData, UINT* pnBytes)
{
    return pPX->ExchangeBlob(pszName, ppData, pnBytes);
}

BOOL PropExchangeSerialize(CVZPPropExchange* pPX, LPCWSTR pszName, CObject* pObject)
{
    CArchive* pArchive = pPX->GetArchive(pszName);
    if (pArchive == NULL)
        return FALSE;
    BOOL bResult = TRUE;
    try
    {
        pObject->Serialize(*pArchive);
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        bResult = FALSE;
    }
    catch (COleException* e)
    {
        e->Delete();
        bResult = FALSE;
    }
    pPX->ReleaseArchive(pszName, pArchive);
    return bResult;
}
