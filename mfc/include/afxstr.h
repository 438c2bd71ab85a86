// afxstr.h - CString, the framework's UTF-16 string (included by afx.h).
//
// A CString is one pointer to its characters; the characters follow a
// reference-counted header, and copies share the buffer until one of them is
// written (copy on write). Counts change with interlocked operations, so
// copies of one string may live on several threads.
#pragma once
#ifndef __AFXSTR_H__
#define __AFXSTR_H__

#ifndef __AFX_H__
#include <afx.h>
#endif

struct CStringData
{
    long nRefs;          // < 0: the shared empty string, never freed
    int nDataLength;     // characters, without the terminator
    int nAllocLength;    // room for characters, without the terminator
    TCHAR* data() { return (TCHAR*)(this + 1); }
};

// The shared empty string: a header and a terminator, constant-initialized so
// strings constructed during start-up can use it in any order.
struct CStringEmptyData
{
    CStringData hdr;
    TCHAR chNil[2];
};
extern CStringEmptyData _afxEmptyStringData;
static_assert(offsetof(CStringEmptyData, chNil) == sizeof(CStringData),
              "the empty string's characters follow its header");

class CString;

// Varargs arguments of Format: a CString (or a class derived from it)
// travels as its LPCTSTR, everything else as itself.
template <class T>
inline auto AfxFormatArg(const T& value)
{
    if constexpr (std::is_base_of<CString, T>::value)
        return (LPCTSTR)value;
    else
        return typename std::decay<const T&>::type(value);
}

class CString
{
public:
    CString() : m_pchData(_afxEmptyStringData.chNil) {}
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept : m_pchData(stringSrc.m_pchData)
    {
        stringSrc.m_pchData = _afxEmptyStringData.chNil;
    }
    CString(TCHAR ch, int nRepeat = 1);
    CString(LPCTSTR lpsz);          // a MAKEINTRESOURCE value loads that string
    CString(LPCTSTR lpch, int nLength);
    CString(LPCSTR lpsz);           // ANSI text in the system code page
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    ~CString();

    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    TCHAR GetAt(int nIndex) const { return m_pchData[nIndex]; }
    TCHAR operator[](int nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }
    LPCTSTR GetString() const { return m_pchData; }

    const CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    const CString& operator=(TCHAR ch);
    const CString& operator=(char ch);
    const CString& operator=(LPCSTR lpsz);
    const CString& operator=(LPCTSTR lpsz);
    const CString& operator=(const unsigned char* psz);

    const CString& operator+=(const CString& string);
    const CString& operator+=(TCHAR ch);
    const CString& operator+=(char ch);
    const CString& operator+=(LPCTSTR lpsz);

    friend CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend CString AFXAPI operator+(const CString& string, TCHAR ch);
    friend CString AFXAPI operator+(TCHAR ch, const CString& string);
    friend CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
    friend CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

    int Compare(LPCTSTR lpsz) const { return wcscmp(m_pchData, lpsz); }
    int CompareNoCase(LPCTSTR lpsz) const { return _wcsicmp(m_pchData, lpsz); }
    int Collate(LPCTSTR lpsz) const { return wcscoll(m_pchData, lpsz); }
    int CollateNoCase(LPCTSTR lpsz) const { return _wcsicoll(m_pchData, lpsz); }

    // Out-of-range positions and counts are clamped to the string.
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    CString& TrimRight();
    CString& TrimLeft();
    CString& Trim() { TrimRight(); return TrimLeft(); }
    CString& TrimRight(TCHAR chTarget);
    CString& TrimRight(LPCTSTR lpszTargets);
    CString& TrimLeft(TCHAR chTarget);
    CString& TrimLeft(LPCTSTR lpszTargets);
    CString& Trim(TCHAR chTarget) { TrimRight(chTarget); return TrimLeft(chTarget); }
    CString& Trim(LPCTSTR lpszTargets) { TrimRight(lpszTargets); return TrimLeft(lpszTargets); }

    // Return the number of replacements / removals.
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    // Return the new length.
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    // Return the index found or -1.
    int Find(TCHAR ch) const { return Find(ch, 0); }
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    // Next token after iStart; iStart becomes -1 when there is none.
    CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

    // printf-style formatting with the system's conventions (%s is a
    // UTF-16 string, %S an ANSI one, %I64d a 64-bit integer).
    template <class... Args>
    void Format(LPCTSTR lpszFormat, const Args&... args)
    {
        FormatArgs(lpszFormat, AfxFormatArg(args)...);
    }
    template <class... Args>
    void Format(UINT nFormatID, const Args&... args)
    {
        CString strFormat;
        strFormat.LoadString(nFormatID);
        FormatArgs(strFormat, AfxFormatArg(args)...);
    }
    template <class... Args>
    void AppendFormat(LPCTSTR lpszFormat, const Args&... args)
    {
        CString str;
        str.FormatArgs(lpszFormat, AfxFormatArg(args)...);
        *this += str;
    }
    // Message-style formatting with %1, %2... inserts.
    template <class... Args>
    void FormatMessage(LPCTSTR lpszFormat, const Args&... args)
    {
        FormatMessageArgs(lpszFormat, AfxFormatArg(args)...);
    }
    template <class... Args>
    void FormatMessage(UINT nFormatID, const Args&... args)
    {
        CString strFormat;
        strFormat.LoadString(nFormatID);
        FormatMessageArgs(strFormat, AfxFormatArg(args)...);
    }
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    void FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList);
    void AFX_CDECL FormatArgs(LPCTSTR lpszFormat, ...);
    void AFX_CDECL FormatMessageArgs(LPCTSTR lpszFormat, ...);

    // Loads a string resource (the id is taken modulo 0x10000); FALSE when
    // the string is missing or empty.
    BOOL LoadString(UINT nID);

    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    // Direct access: GetBuffer gives room for at least nMinBufLength
    // characters plus the terminator; ReleaseBuffer(-1) takes the length up
    // to the terminator.
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    void Preallocate(int nLength);
    LPTSTR LockBuffer();
    void UnlockBuffer() {}

    friend CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
    friend CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

protected:
    LPTSTR m_pchData;

    CStringData* GetData() const { return ((CStringData*)m_pchData) - 1; }
    bool IsShared() const { return GetData()->nRefs > 1; }
    bool IsNil() const { return GetData()->nRefs < 0; }
    void AllocBuffer(int nLen);
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void CopyBeforeWrite();
    void Release();
    static void PASCAL Release(CStringData* pData);
    static int PASCAL SafeStrlen(LPCTSTR lpsz) { return lpsz == NULL ? 0 : (int)wcslen(lpsz); }
    static CString PASCAL Concat(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data);
};

// Archive form (see CArchive); declared here too so that text converting to
// a CString can be stored directly.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

inline bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool AFXAPI operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// The empty string, shared.
#define afxEmptyString (*(const CString*)&_afxEmptyStringPtr)
extern LPCTSTR _afxEmptyStringPtr;

#endif // __AFXSTR_H__
