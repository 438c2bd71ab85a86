// CString: reference-counted UTF-16 string with copy on write.
#include <afx.h>
#include <limits.h>

CStringEmptyData _afxEmptyStringData = {{-1, 0, 0}, {0, 0}};
LPCTSTR _afxEmptyStringPtr = _afxEmptyStringData.chNil;

// ---------------------------------------------------------------------------
// Buffer management

void CString::AllocBuffer(int nLen)
{
    if (nLen < 0 || (size_t)nLen > (INT_MAX - sizeof(CStringData)) / sizeof(TCHAR) - 1)
        AfxThrowMemoryException();
    if (nLen == 0)
    {
        m_pchData = _afxEmptyStringData.chNil;
        return;
    }
    CStringData* pData = (CStringData*)malloc(sizeof(CStringData) + (nLen + 1) * sizeof(TCHAR));
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nRefs = 1;
    pData->data()[nLen] = '\0';
    pData->nDataLength = nLen;
    pData->nAllocLength = nLen;
    m_pchData = pData->data();
}

void PASCAL CString::Release(CStringData* pData)
{
    // The shared empty string is never freed (its count stays -1); the
    // address test also tells the compiler so.
    if (pData == &_afxEmptyStringData.hdr)
        return;
    if (pData->nRefs >= 0 && InterlockedDecrement(&pData->nRefs) <= 0)
        free(pData);
}

void CString::Release()
{
    Release(GetData());
    m_pchData = _afxEmptyStringData.chNil;
}

void CString::Empty()
{
    Release();
}

void CString::CopyBeforeWrite()
{
    if (IsShared())
    {
        CStringData* pData = GetData();
        AllocBuffer(pData->nDataLength);
        memcpy(m_pchData, pData->data(), (pData->nDataLength + 1) * sizeof(TCHAR));
        Release(pData);
    }
}

// Replaces the content with nSrcLen characters that may lie inside this
// string's own buffer.
void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData)
{
    CStringData* pData = GetData();
    if (!IsNil() && !IsShared() && nSrcLen <= pData->nAllocLength && nSrcLen > 0)
    {
        memmove(m_pchData, lpszSrcData, nSrcLen * sizeof(TCHAR));
        pData->nDataLength = nSrcLen;
        m_pchData[nSrcLen] = '\0';
        return;
    }
    AllocBuffer(nSrcLen);
    if (nSrcLen > 0)
        memcpy(m_pchData, lpszSrcData, nSrcLen * sizeof(TCHAR));
    Release(pData);
}

void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen == 0)
        return;
    CStringData* pData = GetData();
    int nOldLen = pData->nDataLength;
    if ((long long)nOldLen + nSrcLen > INT_MAX / 2)
        AfxThrowMemoryException();
    if (IsNil() || IsShared() || nOldLen + nSrcLen > pData->nAllocLength)
    {
        // Grow geometrically so repeated appends stay linear.
        int nNewAlloc = nOldLen + nSrcLen;
        if (!IsNil() && !IsShared())
            nNewAlloc += nNewAlloc / 2;
        AllocBuffer(nNewAlloc);
        memcpy(m_pchData, pData->data(), nOldLen * sizeof(TCHAR));
        memcpy(m_pchData + nOldLen, lpszSrcData, nSrcLen * sizeof(TCHAR));
        GetData()->nDataLength = nOldLen + nSrcLen;
        m_pchData[nOldLen + nSrcLen] = '\0';
        Release(pData);
    }
    else
    {
        memmove(m_pchData + nOldLen, lpszSrcData, nSrcLen * sizeof(TCHAR));
        pData->nDataLength = nOldLen + nSrcLen;
        m_pchData[pData->nDataLength] = '\0';
    }
}

CString PASCAL CString::Concat(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data)
{
    CString str;
    if ((long long)nSrc1Len + nSrc2Len > INT_MAX / 2)
        AfxThrowMemoryException();
    int nNewLen = nSrc1Len + nSrc2Len;
    if (nNewLen != 0)
    {
        str.AllocBuffer(nNewLen);
        memcpy(str.m_pchData, lpszSrc1Data, nSrc1Len * sizeof(TCHAR));
        memcpy(str.m_pchData + nSrc1Len, lpszSrc2Data, nSrc2Len * sizeof(TCHAR));
    }
    return str;
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        nMinBufLength = 0;
    CStringData* pData = GetData();
    if (IsNil() || IsShared() || nMinBufLength > pData->nAllocLength)
    {
        int nOldLen = pData->nDataLength;
        if (nMinBufLength < nOldLen)
            nMinBufLength = nOldLen;
        if (nMinBufLength == 0)
            nMinBufLength = 1;   // a real buffer, never the shared empty one
        AllocBuffer(nMinBufLength);
        memcpy(m_pchData, pData->data(), (nOldLen + 1) * sizeof(TCHAR));
        GetData()->nDataLength = nOldLen;
        Release(pData);
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (IsNil())
        return;
    CopyBeforeWrite();
    CStringData* pData = GetData();
    if (nNewLength < 0)
        nNewLength = (int)wcsnlen(m_pchData, pData->nAllocLength);
    if (nNewLength > pData->nAllocLength)
        nNewLength = pData->nAllocLength;
    pData->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
    return m_pchData;
}

void CString::Preallocate(int nLength)
{
    int nOldLen = GetLength();
    GetBuffer(nLength);
    ReleaseBuffer(nOldLen);
}

void CString::FreeExtra()
{
    CStringData* pData = GetData();
    if (IsNil() || pData->nDataLength == pData->nAllocLength)
        return;
    AllocBuffer(pData->nDataLength);
    memcpy(m_pchData, pData->data(), pData->nDataLength * sizeof(TCHAR));
    Release(pData);
}

LPTSTR CString::LockBuffer()
{
    return GetBuffer(0);
}

// ---------------------------------------------------------------------------
// Construction and assignment

CString::CString(const CString& stringSrc)
{
    CStringData* pData = stringSrc.GetData();
    if (pData->nRefs >= 0)
    {
        InterlockedIncrement(&pData->nRefs);
        m_pchData = stringSrc.m_pchData;
    }
    else
    {
        m_pchData = _afxEmptyStringData.chNil;
    }
}

CString::CString(TCHAR ch, int nRepeat) : m_pchData(_afxEmptyStringData.chNil)
{
    if (nRepeat >= 1)
    {
        AllocBuffer(nRepeat);
        for (int i = 0; i < nRepeat; i++)
            m_pchData[i] = ch;
    }
}

CString::CString(LPCTSTR lpsz) : m_pchData(_afxEmptyStringData.chNil)
{
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
    {
        LoadString(LOWORD((ULONG_PTR)lpsz));
        return;
    }
    int nLen = SafeStrlen(lpsz);
    if (nLen != 0)
    {
        AllocBuffer(nLen);
        memcpy(m_pchData, lpsz, nLen * sizeof(TCHAR));
    }
}

CString::CString(LPCTSTR lpch, int nLength) : m_pchData(_afxEmptyStringData.chNil)
{
    if (lpch != NULL && nLength > 0)
    {
        AllocBuffer(nLength);
        memcpy(m_pchData, lpch, nLength * sizeof(TCHAR));
    }
}

// ANSI text in the system code page.
static void AssignAnsi(CString& str, LPCSTR lpsz, int nLength)
{
    if (lpsz == NULL || nLength == 0)
    {
        str.Empty();
        return;
    }
    int nWide = MultiByteToWideChar(CP_ACP, 0, lpsz, nLength, NULL, 0);
    if (nWide <= 0)
    {
        str.Empty();
        return;
    }
    LPTSTR p = str.GetBufferSetLength(nWide);
    MultiByteToWideChar(CP_ACP, 0, lpsz, nLength, p, nWide);
    str.ReleaseBuffer(nWide);
}

CString::CString(LPCSTR lpsz) : m_pchData(_afxEmptyStringData.chNil)
{
    if (lpsz != NULL)
        AssignAnsi(*this, lpsz, lstrlenA(lpsz));
}

CString::CString(LPCSTR lpsz, int nLength) : m_pchData(_afxEmptyStringData.chNil)
{
    if (lpsz != NULL && nLength > 0)
        AssignAnsi(*this, lpsz, nLength);
}

CString::CString(const unsigned char* psz) : CString((LPCSTR)psz)
{
}

CString::~CString()
{
    Release(GetData());
}

const CString& CString::operator=(const CString& stringSrc)
{
    if (m_pchData != stringSrc.m_pchData)
    {
        CStringData* pSrc = stringSrc.GetData();
        if (pSrc->nRefs < 0)
        {
            Release();
        }
        else
        {
            InterlockedIncrement(&pSrc->nRefs);
            Release(GetData());
            m_pchData = stringSrc.m_pchData;
        }
    }
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
    {
        Release(GetData());
        m_pchData = stringSrc.m_pchData;
        stringSrc.m_pchData = _afxEmptyStringData.chNil;
    }
    return *this;
}

const CString& CString::operator=(LPCTSTR lpsz)
{
    AssignCopy(SafeStrlen(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(char ch)
{
    return *this = (TCHAR)(unsigned char)ch;
}

const CString& CString::operator=(LPCSTR lpsz)
{
    AssignAnsi(*this, lpsz, lpsz == NULL ? 0 : lstrlenA(lpsz));
    return *this;
}

const CString& CString::operator=(const unsigned char* psz)
{
    return *this = (LPCSTR)psz;
}

const CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetLength(), string.m_pchData);
    return *this;
}

const CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(char ch)
{
    return *this += (TCHAR)(unsigned char)ch;
}

const CString& CString::operator+=(LPCTSTR lpsz)
{
    ConcatInPlace(SafeStrlen(lpsz), lpsz);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    return CString::Concat(string1.GetLength(), string1.m_pchData, string2.GetLength(), string2.m_pchData);
}

CString AFXAPI operator+(const CString& string, TCHAR ch)
{
    return CString::Concat(string.GetLength(), string.m_pchData, 1, &ch);
}

CString AFXAPI operator+(TCHAR ch, const CString& string)
{
    return CString::Concat(1, &ch, string.GetLength(), string.m_pchData);
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz)
{
    return CString::Concat(string.GetLength(), string.m_pchData, CString::SafeStrlen(lpsz), lpsz);
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string)
{
    return CString::Concat(CString::SafeStrlen(lpsz), lpsz, string.GetLength(), string.m_pchData);
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        return;
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

// ---------------------------------------------------------------------------
// Extraction

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, INT_MAX);
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLen = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if ((long long)nFirst + nCount > nLen)
        nCount = nLen - nFirst;
    if (nFirst > nLen)
        nCount = 0;
    if (nFirst == 0 && nCount == nLen)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    int nLen = GetLength();
    if (nCount >= nLen)
        return *this;
    return CString(m_pchData + nLen - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    return Left((int)wcsspn(m_pchData, lpszCharSet));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    return Left((int)wcscspn(m_pchData, lpszCharSet));
}

// ---------------------------------------------------------------------------
// Case, trimming, editing

CString& CString::MakeUpper()
{
    if (!IsEmpty())
    {
        CopyBeforeWrite();
        CharUpperBuffW(m_pchData, GetLength());
    }
    return *this;
}

CString& CString::MakeLower()
{
    if (!IsEmpty())
    {
        CopyBeforeWrite();
        CharLowerBuffW(m_pchData, GetLength());
    }
    return *this;
}

CString& CString::MakeReverse()
{
    if (!IsEmpty())
    {
        CopyBeforeWrite();
        for (int i = 0, j = GetLength() - 1; i < j; i++, j--)
        {
            TCHAR ch = m_pchData[i];
            m_pchData[i] = m_pchData[j];
            m_pchData[j] = ch;
        }
    }
    return *this;
}

// Keeps characters [nStart, nEnd) of the string.
static void KeepRange(CString& str, int nStart, int nEnd)
{
    if (nStart == 0 && nEnd == str.GetLength())
        return;
    str = CString((LPCTSTR)str + nStart, nEnd - nStart);
}

template <class Pred>
static void TrimRightIf(CString& str, Pred pred)
{
    LPCTSTR p = str;
    int nEnd = str.GetLength();
    while (nEnd > 0 && pred(p[nEnd - 1]))
        nEnd--;
    KeepRange(str, 0, nEnd);
}

template <class Pred>
static void TrimLeftIf(CString& str, Pred pred)
{
    LPCTSTR p = str;
    int nLen = str.GetLength();
    int nStart = 0;
    while (nStart < nLen && pred(p[nStart]))
        nStart++;
    KeepRange(str, nStart, nLen);
}

CString& CString::TrimRight()
{
    TrimRightIf(*this, [](TCHAR ch) { return iswspace(ch) != 0; });
    return *this;
}

CString& CString::TrimLeft()
{
    TrimLeftIf(*this, [](TCHAR ch) { return iswspace(ch) != 0; });
    return *this;
}

CString& CString::TrimRight(TCHAR chTarget)
{
    TrimRightIf(*this, [chTarget](TCHAR ch) { return ch == chTarget; });
    return *this;
}

CString& CString::TrimLeft(TCHAR chTarget)
{
    TrimLeftIf(*this, [chTarget](TCHAR ch) { return ch == chTarget; });
    return *this;
}

CString& CString::TrimRight(LPCTSTR lpszTargets)
{
    if (SafeStrlen(lpszTargets) != 0)
        TrimRightIf(*this, [lpszTargets](TCHAR ch) { return wcschr(lpszTargets, ch) != NULL; });
    return *this;
}

CString& CString::TrimLeft(LPCTSTR lpszTargets)
{
    if (SafeStrlen(lpszTargets) != 0)
        TrimLeftIf(*this, [lpszTargets](TCHAR ch) { return wcschr(lpszTargets, ch) != NULL; });
    return *this;
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    if (chOld == chNew)
        return 0;
    int nCount = 0;
    int nLen = GetLength();
    for (int i = 0; i < nLen; i++)
    {
        if (m_pchData[i] == chOld)
        {
            if (nCount++ == 0)
                CopyBeforeWrite();
            m_pchData[i] = chNew;
        }
    }
    return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    int nSourceLen = SafeStrlen(lpszOld);
    if (nSourceLen == 0)
        return 0;
    int nReplacementLen = SafeStrlen(lpszNew);

    // Build the result left to right; matches do not overlap.
    CString strResult;
    int nCount = 0;
    int nLen = GetLength();
    int nPos = 0;
    for (;;)
    {
        int nFound = Find(lpszOld, nPos);
        if (nFound < 0)
            break;
        strResult.ConcatInPlace(nFound - nPos, m_pchData + nPos);
        strResult.ConcatInPlace(nReplacementLen, lpszNew);
        nPos = nFound + nSourceLen;
        nCount++;
    }
    if (nCount == 0)
        return 0;
    strResult.ConcatInPlace(nLen - nPos, m_pchData + nPos);
    *this = std::move(strResult);
    return nCount;
}

int CString::Remove(TCHAR chRemove)
{
    int nLen = GetLength();
    int nCount = 0;
    for (int i = 0; i < nLen; i++)
        nCount += (m_pchData[i] == chRemove);
    if (nCount == 0)
        return 0;
    CopyBeforeWrite();
    int nDest = 0;
    for (int i = 0; i < nLen; i++)
    {
        if (m_pchData[i] != chRemove)
            m_pchData[nDest++] = m_pchData[i];
    }
    m_pchData[nDest] = '\0';
    GetData()->nDataLength = nDest;
    return nCount;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    TCHAR sz[2] = {ch, 0};
    return Insert(nIndex, sz);
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLen)
        nIndex = nLen;
    int nInsertLen = SafeStrlen(pstr);
    if (nInsertLen > 0)
    {
        CString strResult = Concat(nIndex, m_pchData, nInsertLen, pstr);
        strResult.ConcatInPlace(nLen - nIndex, m_pchData + nIndex);
        *this = std::move(strResult);
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < nLen)
    {
        if (nCount > nLen - nIndex)
            nCount = nLen - nIndex;
        CopyBeforeWrite();
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, (nLen - nIndex - nCount + 1) * sizeof(TCHAR));
        GetData()->nDataLength = nLen - nCount;
    }
    return GetLength();
}

// ---------------------------------------------------------------------------
// Searching

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    LPCTSTR lpsz = wcschr(m_pchData + nStart, ch);
    return lpsz == NULL ? -1 : (int)(lpsz - m_pchData);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL || nStart < 0 || nStart > GetLength())
        return -1;
    if (*lpszSub == 0)
        return nStart;   // the empty string is found where the search starts
    LPCTSTR lpsz = wcsstr(m_pchData + nStart, lpszSub);
    return lpsz == NULL ? -1 : (int)(lpsz - m_pchData);
}

int CString::ReverseFind(TCHAR ch) const
{
    LPCTSTR lpsz = wcsrchr(m_pchData, ch);
    return lpsz == NULL ? -1 : (int)(lpsz - m_pchData);
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return -1;
    LPCTSTR lpsz = wcspbrk(m_pchData, lpszCharSet);
    return lpsz == NULL ? -1 : (int)(lpsz - m_pchData);
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const
{
    if (iStart >= 0 && iStart <= GetLength())
    {
        if (pszTokens == NULL || *pszTokens == 0)
        {
            if (iStart < GetLength())
                return Mid(iStart);
        }
        else
        {
            LPCTSTR pszPlace = m_pchData + iStart;
            LPCTSTR pszEnd = m_pchData + GetLength();
            pszPlace += wcsspn(pszPlace, pszTokens);
            if (pszPlace < pszEnd)
            {
                int nToken = (int)wcscspn(pszPlace, pszTokens);
                int iFrom = (int)(pszPlace - m_pchData);
                iStart = iFrom + nToken + 1;
                return Mid(iFrom, nToken);
            }
        }
    }
    iStart = -1;
    return CString();
}

// ---------------------------------------------------------------------------
// Formatting

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL)
    {
        Empty();
        return;
    }
    va_list argCount;
    va_copy(argCount, argList);
    int nLen = _vscwprintf(lpszFormat, argCount);
    va_end(argCount);
    if (nLen <= 0)
    {
        Empty();
        return;
    }
    // The format may be this string's own text: build a new one.
    CString strResult;
    LPTSTR p = strResult.GetBuffer(nLen);
    _vsnwprintf(p, nLen + 1, lpszFormat, argList);
    p[nLen] = '\0';
    strResult.ReleaseBuffer(nLen);
    *this = std::move(strResult);
}

void AFX_CDECL CString::FormatArgs(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void CString::FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList)
{
    LPTSTR lpszTemp = NULL;
    if (lpszFormat == NULL ||
        ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0, 0,
                         (LPTSTR)&lpszTemp, 0, pArgList) == 0 ||
        lpszTemp == NULL)
    {
        Empty();
        return;
    }
    *this = lpszTemp;
    LocalFree(lpszTemp);
}

void AFX_CDECL CString::FormatMessageArgs(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatMessageV(lpszFormat, &argList);
    va_end(argList);
}

// ---------------------------------------------------------------------------
// Resources and OLE strings

// Finds string nID in a module's string table (blocks of 16 counted strings).
static BOOL FindStringResource(HINSTANCE hInst, UINT nID, LPCWSTR* ppch, int* pnLen)
{
    HRSRC hRsrc = FindResourceW(hInst, MAKEINTRESOURCEW((nID >> 4) + 1), (LPCWSTR)RT_STRING);
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = LoadResource(hInst, hRsrc);
    DWORD cbSize = SizeofResource(hInst, hRsrc);
    const WORD* p = hGlobal != NULL ? (const WORD*)LockResource(hGlobal) : NULL;
    if (p == NULL)
        return FALSE;
    const WORD* pEnd = p + cbSize / sizeof(WORD);
    for (UINT i = 0; i < (nID & 15); i++)
    {
        if (p >= pEnd || *p > pEnd - p - 1)
            return FALSE;
        p += 1 + *p;
    }
    if (p >= pEnd || *p > pEnd - p - 1)
        return FALSE;
    *pnLen = *p;
    *ppch = (LPCWSTR)(p + 1);
    return TRUE;
}

BOOL CString::LoadString(UINT nID)
{
    nID &= 0xFFFF;
    LPCWSTR pch = NULL;
    int nLen = 0;
    HINSTANCE hRes = AfxGetResourceHandle();
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!FindStringResource(hRes, nID, &pch, &nLen) &&
        (hInst == hRes || !FindStringResource(hInst, nID, &pch, &nLen)))
    {
        Empty();
        return FALSE;
    }
    AssignCopy(nLen, pch);
    return nLen != 0;
}

BSTR CString::AllocSysString() const
{
    BSTR bstr = ::SysAllocStringLen(m_pchData, GetLength());
    if (bstr == NULL)
        AfxThrowMemoryException();
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (!::SysReAllocStringLen(pbstr, m_pchData, GetLength()))
        AfxThrowMemoryException();
    return *pbstr;
}

// ---------------------------------------------------------------------------

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    if (lpszFullString == NULL || iSubString < 0)
    {
        rString.Empty();
        return FALSE;
    }
    while (iSubString--)
    {
        lpszFullString = wcschr(lpszFullString, chSep);
        if (lpszFullString == NULL)
        {
            rString.Empty();
            return FALSE;
        }
        lpszFullString++;   // past the separator
    }
    LPCTSTR lpchEnd = wcschr(lpszFullString, chSep);
    int nLen = (lpchEnd == NULL) ? lstrlenW(lpszFullString) : (int)(lpchEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}
