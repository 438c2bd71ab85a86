// CArchive: buffered binary serialisation over a CFile, with the framework's
// object and class tags and its string format.
#include <afx.h>
#include <limits.h>
#include <vector>

namespace
{
const WORD wNullTag = 0;            // NULL object
const WORD wNewClassTag = 0xFFFF;   // a class description follows
const WORD wClassTag = 0x8000;      // 0x8000 | index of a stored class
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;  // a DWORD index follows
const UINT nMaxMapCount = 0x3FFFFFFE;
const int nMinBufSize = 128;
const UINT nMaxClassName = 255;
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_nMode(nMode), m_bUserBuf(lpBuf != NULL), m_nBufSize(nBufSize), m_pFile(pFile),
      m_lpBufCur(NULL), m_lpBufMax(NULL), m_lpBufStart(NULL), m_nMapCount(0), m_pStoreMap(NULL),
      m_pLoadArray(NULL), m_pSchemaMap(NULL), m_nObjectSchema((UINT)-1), m_nHashSize(2053), m_nGrowSize(1024),
      m_nBlockSize(128)
{
    if (pFile != NULL)
        m_strFileName = pFile->GetFilePath();
    if (m_nBufSize < nMinBufSize)
    {
        m_nBufSize = nMinBufSize;
        m_bUserBuf = FALSE;
    }
    if (m_bUserBuf)
    {
        m_lpBufStart = (BYTE*)lpBuf;
    }
    else
    {
        m_lpBufStart = (BYTE*)malloc(m_nBufSize);
        if (m_lpBufStart == NULL)
            AfxThrowMemoryException();
    }
    if (IsStoring())
    {
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart + m_nBufSize;
    }
    else
    {
        // Empty until the first read.
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
}

CArchive::~CArchive()
{
    // A destructor must not throw: a failing final flush is dropped here;
    // callers that care call Close() themselves.
    try
    {
        if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
            Close();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    Abort();
}

void CArchive::Abort()
{
    delete m_pStoreMap;
    m_pStoreMap = NULL;
    delete m_pLoadArray;
    m_pLoadArray = NULL;
    delete m_pSchemaMap;
    m_pSchemaMap = NULL;
    if (!m_bUserBuf && m_lpBufStart != NULL)
        free(m_lpBufStart);
    m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
    m_pFile = NULL;
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Flush()
{
    if (m_pFile == NULL || m_lpBufStart == NULL)
        return;
    if (IsStoring())
    {
        if (m_lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    }
    else
    {
        // Give unread bytes back to the file, so it stands where the
        // archive stopped reading.
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax;
    }
}

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;   // may be read once per object
    return nResult;
}

// ---------------------------------------------------------------------------
// Raw bytes

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return 0;
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    if (IsStoring())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);

    BYTE* pDest = (BYTE*)lpBuf;
    UINT nLeft = nMax;
    for (;;)
    {
        UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        UINT nCopy = std::min(nAvail, nLeft);
        memcpy(pDest, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        pDest += nCopy;
        nLeft -= nCopy;
        if (nLeft == 0)
            break;

        // Large requests bypass the buffer.
        if (nLeft >= (UINT)m_nBufSize)
        {
            while (nLeft >= (UINT)m_nBufSize)
            {
                UINT nRead = m_pFile->Read(pDest, nLeft - nLeft % m_nBufSize);
                if (nRead == 0)
                    return nMax - nLeft;
                pDest += nRead;
                nLeft -= nRead;
            }
            if (nLeft == 0)
                break;
        }
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        UINT nRead = m_pFile->Read(m_lpBufStart, (UINT)m_nBufSize);
        if (nRead == 0)
            break;
        m_lpBufMax = m_lpBufStart + nRead;
    }
    return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return;
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);

    const BYTE* pSrc = (const BYTE*)lpBuf;
    while (nMax > 0)
    {
        UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nRoom == 0)
        {
            Flush();
            // Large writes go straight to the file.
            if (nMax >= (UINT)m_nBufSize)
            {
                m_pFile->Write(pSrc, nMax);
                return;
            }
            continue;
        }
        UINT nCopy = std::min(nRoom, nMax);
        memcpy(m_lpBufCur, pSrc, nCopy);
        m_lpBufCur += nCopy;
        pSrc += nCopy;
        nMax -= nCopy;
    }
}

CArchive& CArchive::WriteRaw(const void* p, UINT n)
{
    if (IsStoring() && m_pFile != NULL && (UINT)(m_lpBufMax - m_lpBufCur) >= n)
    {
        memcpy(m_lpBufCur, p, n);
        m_lpBufCur += n;
    }
    else
    {
        Write(p, n);
    }
    return *this;
}

CArchive& CArchive::ReadRaw(void* p, UINT n)
{
    if (IsLoading() && (UINT)(m_lpBufMax - m_lpBufCur) >= n)
    {
        memcpy(p, m_lpBufCur, n);
        m_lpBufCur += n;
    }
    else if (Read(p, n) != n)
    {
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    }
    return *this;
}

// ---------------------------------------------------------------------------
// Counts and text

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << (WORD)dwCount;
    }
    else
    {
        *this << (WORD)0xFFFF;
        *this << (DWORD)dwCount;
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz != NULL)
        Write(lpsz, (UINT)wcslen(lpsz) * sizeof(TCHAR));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        return NULL;
    UINT nRead = 0;
    while (nRead + 1 < nMax)
    {
        WCHAR ch;
        if (Read(&ch, sizeof(ch)) != sizeof(ch))
            break;
        if (ch == '\r')
            continue;
        lpsz[nRead++] = ch;
        if (ch == '\n')
            break;
    }
    lpsz[nRead] = '\0';
    return nRead == 0 ? NULL : lpsz;
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    BOOL bAny = FALSE;
    for (;;)
    {
        WCHAR ch;
        if (Read(&ch, sizeof(ch)) != sizeof(ch))
            break;
        bAny = TRUE;
        if (ch == '\n')
            break;
        rString += ch;
    }
    if (!rString.IsEmpty() && rString[rString.GetLength() - 1] == '\r')
        rString.Delete(rString.GetLength() - 1);
    return bAny;
}

// ---------------------------------------------------------------------------
// Strings: 0xFF 0xFFFE marks UTF-16, then the length in characters as a BYTE
// (< 0xFF), 0xFF + WORD (< 0xFFFE), or 0xFF 0xFFFF + DWORD; a length without
// the marker counts ANSI bytes.

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    ar << (BYTE)0xFF;
    ar << (WORD)0xFFFE;
    DWORD nLen = (DWORD)string.GetLength();
    if (nLen < 0xFF)
    {
        ar << (BYTE)nLen;
    }
    else if (nLen < 0xFFFE)
    {
        ar << (BYTE)0xFF;
        ar << (WORD)nLen;
    }
    else
    {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << nLen;
    }
    ar.Write((LPCTSTR)string, nLen * sizeof(TCHAR));
    return ar;
}

// Reads a string's length prefix; nCharSize tells ANSI (1) or UTF-16 (2).
static DWORD ReadStringLength(CArchive& ar, int& nCharSize)
{
    nCharSize = 1;
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen;
    ar >> wLen;
    if (wLen == 0xFFFE)
    {
        nCharSize = 2;
        ar >> bLen;
        if (bLen < 0xFF)
            return bLen;
        ar >> wLen;
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen;
    ar >> dwLen;
    if (dwLen == 0xFFFFFFFF)
    {
        // 64-bit lengths never fit a 32-bit process.
        ULONGLONG ullLen;
        ar >> ullLen;
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    }
    return dwLen;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    int nCharSize;
    DWORD nLen = ReadStringLength(ar, nCharSize);
    if (nLen > INT_MAX / 4)
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);

    // Read in bounded pieces: a damaged length runs into the end of the
    // file instead of into one huge allocation.
    const DWORD nPiece = 0x40000;
    if (nCharSize == 2)
    {
        CString strResult;
        DWORD nDone = 0;
        while (nDone < nLen)
        {
            DWORD nChunk = std::min(nLen - nDone, nPiece);
            LPTSTR p = strResult.GetBuffer((int)(nDone + nChunk));
            if (ar.Read(p + nDone, nChunk * sizeof(TCHAR)) != nChunk * sizeof(TCHAR))
            {
                strResult.ReleaseBuffer((int)nDone);
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
            }
            nDone += nChunk;
            strResult.ReleaseBuffer((int)nDone);
        }
        string = std::move(strResult);
    }
    else
    {
        std::vector<char> bytes;
        DWORD nDone = 0;
        while (nDone < nLen)
        {
            DWORD nChunk = std::min(nLen - nDone, nPiece);
            bytes.resize(nDone + nChunk);
            if (ar.Read(bytes.data() + nDone, nChunk) != nChunk)
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
            nDone += nChunk;
        }
        string = nLen == 0 ? CString() : CString(bytes.data(), (int)nLen);
    }
    return ar;
}

// ---------------------------------------------------------------------------
// Objects and classes

void CArchive::SetStoreParams(UINT nHashSize, UINT nBlockSize)
{
    m_nHashSize = nHashSize;
    m_nBlockSize = nBlockSize;
}

void CArchive::SetLoadParams(UINT nGrowBy)
{
    m_nGrowSize = nGrowBy;
}

void CArchive::CheckCount()
{
    if (m_nMapCount >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
}

void CArchive::InitStoreMap()
{
    if (m_pStoreMap != NULL)
        return;
    m_pStoreMap = new CMapPtrToPtr((INT_PTR)m_nBlockSize);
    m_pStoreMap->InitHashTable(m_nHashSize);
    m_nMapCount = 1;   // index 0 is the NULL object
}

void CArchive::InitLoadArray()
{
    if (m_pLoadArray != NULL)
        return;
    m_pLoadArray = new CPtrArray;
    m_pLoadArray->SetSize(1, (INT_PTR)m_nGrowSize);
    m_pLoadArray->SetAt(0, NULL);   // index 0 is the NULL object
    m_pSchemaMap = new CMapPtrToPtr;
    m_nMapCount = 1;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring())
    {
        InitStoreMap();
        void* pIndex;
        if (pOb != NULL && !m_pStoreMap->Lookup((void*)pOb, pIndex))
            AddToStoreMap(pOb);
    }
    else
    {
        InitLoadArray();
        CheckCount();
        m_pLoadArray->SetAtGrow(m_nMapCount++, (void*)pOb);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();   // not a serializable class

    InitStoreMap();
    void* pIndex;
    if (m_pStoreMap->Lookup((void*)pClassRef, pIndex))
    {
        WriteIndexTag((DWORD)(UINT_PTR)pIndex, dwBigClassTag);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    AddToStoreMap(pClassRef);
}

void CArchive::WriteIndexTag(DWORD nIndex, DWORD dwClassBit)
{
    if (nIndex < wBigObjectTag)
    {
        *this << (WORD)(nIndex | (dwClassBit >> 16));
    }
    else
    {
        *this << wBigObjectTag;
        *this << (DWORD)(nIndex | dwClassBit);
    }
}

void CArchive::AddToStoreMap(const void* p)
{
    CheckCount();
    m_pStoreMap->SetAt((void*)p, (void*)(UINT_PTR)m_nMapCount++);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (IsStoring())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    InitLoadArray();

    WORD wTag;
    DWORD obTag;
    *this >> wTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag))
    {
        // An object reference, not a class.
        if (pObTag == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        CheckCount();
        m_pLoadArray->SetAtGrow(m_nMapCount++, pClassRef);
        m_pSchemaMap->SetAt(pClassRef, (void*)(UINT_PTR)nSchema);
    }
    else
    {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_nMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = (CRuntimeClass*)m_pLoadArray->GetAt(nClassIndex);
        void* pStoredSchema;
        // The index must name a class, not an object loaded earlier.
        if (pClassRef == NULL || !m_pSchemaMap->Lookup(pClassRef, pStoredSchema))
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        nSchema = (UINT)(UINT_PTR)pStoredSchema;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);

    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema);
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    InitStoreMap();

    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    void* pIndex;
    if (m_pStoreMap->Lookup((void*)pOb, pIndex))
    {
        WriteIndexTag((DWORD)(UINT_PTR)pIndex, 0);   // stored before
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    AddToStoreMap(pOb);
    ((CObject*)pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == NULL)
    {
        // A reference to an object loaded before (or 0 for NULL).
        if (obTag >= m_nMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        void* pIndexed = m_pLoadArray->GetAt(obTag);
        void* pSchemaUnused;
        if (pIndexed != NULL && m_pSchemaMap->Lookup(pIndexed, pSchemaUnused))
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);   // names a class
        CObject* pOb = (CObject*)pIndexed;
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);   // not creatable by name

    // Enter it before loading its members, which may refer back to it.
    CheckCount();
    m_pLoadArray->SetAtGrow(m_nMapCount++, pOb);

    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    pOb->Serialize(*this);
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

// ---------------------------------------------------------------------------
// Class descriptions in archives: schema WORD, name length WORD, ANSI name.

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)lstrlenA(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen * sizeof(char));
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    *pwSchemaNum = wSchema;
    char szClassName[nMaxClassName + 1];
    if (nLen > nMaxClassName || ar.Read(szClassName, nLen) != nLen)
        return NULL;
    szClassName[nLen] = '\0';
    return FromName(szClassName);
}
