#include "CVZPPropExchangeArchive.h"

#include <stdlib.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CVZPPropExchangeArchive, CVZPPropExchange)

CVZPPropExchangeArchive::CVZPPropExchangeArchive(CArchive& ar) : CVZPPropExchange(ar.IsLoading()), m_pArchive(&ar)
{
}

BOOL CVZPPropExchangeArchive::ExchangeValue(LPCWSTR, int nType, void* pvProp, const void*)
{
    BeforeExchange();
    CArchive& ar = *m_pArchive;
    switch (LOWORD(nType))
    {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_BOOL: case VT_UI1:
    case VZP_PROP_RECT: case VZP_PROP_SIZE:
    {
        UINT nSize = VZPPropTypeSize(nType);
        if (m_bLoading)
        {
            if (ar.Read(pvProp, nSize) != nSize)
                AfxThrowArchiveException(CArchiveException::endOfFile);
        }
        else
        {
            ar.Write(pvProp, nSize);
        }
        break;
    }
    case VT_DATE:
        if (m_bLoading)
            ar >> *static_cast<COleDateTime*>(pvProp);
        else
            ar << *static_cast<const COleDateTime*>(pvProp);
        break;
    case VT_VARIANT:
        if (m_bLoading)
            ar >> *static_cast<COleVariant*>(pvProp);
        else
            ar << *static_cast<COleVariant*>(pvProp);
        break;
    case VZP_PROP_STRING:
        if (m_bLoading)
            ar >> *static_cast<CString*>(pvProp);
        else
            ar << *static_cast<const CString*>(pvProp);
        break;
    default:
        break;   // nothing is exchanged (BSTR included)
    }
    return TRUE;
}

BOOL CVZPPropExchangeArchive::ExchangeBlob(LPCWSTR, BYTE** ppData, UINT* pnBytes)
{
    BeforeExchange();
    CArchive& ar = *m_pArchive;
    if (!m_bLoading)
    {
        ar.WriteCount(*pnBytes);
        ar.Write(*ppData, *pnBytes);
        return TRUE;
    }
    // The block is read in pieces, so a count larger than what the archive
    // still holds allocates no more than the bytes that are there; a buffer
    // too small for the block still has the block skipped, so the values
    // after it read right.
    const UINT nPiece = 0x10000;
    UINT nBytes = (UINT)ar.ReadCount();
    BYTE* pOwn = NULL;
    BYTE scratch[512];
    BOOL bFits = *ppData != NULL && *pnBytes >= nBytes;
    for (UINT nDone = 0; nDone < nBytes;)
    {
        UINT nRead = std::min(nBytes - nDone, nPiece);
        BYTE* pTarget;
        if (bFits)
        {
            pTarget = *ppData + nDone;
        }
        else if (*ppData == NULL)
        {
            BYTE* pGrown = (BYTE*)realloc(pOwn, nDone + nRead);
            if (pGrown == NULL)
            {
                free(pOwn);
                return FALSE;
            }
            pOwn = pGrown;
            pTarget = pOwn + nDone;
        }
        else
        {
            nRead = std::min(nRead, (UINT)sizeof(scratch));
            pTarget = scratch;
        }
        if (ar.Read(pTarget, nRead) != nRead)
        {
            free(pOwn);
            return FALSE;
        }
        nDone += nRead;
    }
    if (*ppData == NULL)
    {
        *ppData = pOwn != NULL ? pOwn : (BYTE*)malloc(1);
        *pnBytes = nBytes;
        return *ppData != NULL;
    }
    return bFits;
}

BOOL CVZPPropExchangeArchive::ExchangeRuntimeClass(LPCWSTR, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass)
{
    BeforeExchange();
    if (!m_bLoading)
    {
        m_pArchive->WriteClass(*ppClass);
        return TRUE;
    }
    UINT nSchema = (UINT)m_nSchema;
    *ppClass = m_pArchive->ReadClass(pDefaultClass, &nSchema, NULL);
    m_nSchema = (int)nSchema;
    return *ppClass != NULL;
}

BOOL CVZPPropExchangeArchive::ExchangeObject(CObject** ppObject, CRuntimeClass* pExpectedClass)
{
    if (!CVZPPropExchange::ExchangeObject(ppObject, pExpectedClass))
        return FALSE;
    // Entered in the archive's object map under the next index, as the
    // archive's own object serialisation would.
    m_pArchive->CheckCount();
    m_pArchive->MapObject(*ppObject);
    return TRUE;
}

CArchive* CVZPPropExchangeArchive::GetArchive(LPCWSTR)
{
    return m_pArchive;
}

void CVZPPropExchangeArchive::ReleaseArchive(LPCWSTR, CArchive*)
{
}

CVZPPropExchange* CVZPPropExchangeArchive::GetSection(LPCWSTR)
{
    CVZPPropExchangeArchive* pSection = new CVZPPropExchangeArchive(*m_pArchive);
    pSection->InheritFrom(this);
    return pSection;
}

void CVZPPropExchangeArchive::WriteCount(DWORD dwCount)
{
    m_pArchive->WriteCount(dwCount);
}

DWORD CVZPPropExchangeArchive::ReadCount()
{
    return (DWORD)m_pArchive->ReadCount();
}

void CVZPPropExchangeArchive::Write(LPCWSTR, const void* pData, UINT nBytes)
{
    m_pArchive->Write(pData, nBytes);
}

UINT CVZPPropExchangeArchive::Read(LPCWSTR, void* pBuffer, UINT nBytes)
{
    return m_pArchive->Read(pBuffer, nBytes);
}
