// CFileFind: directory enumeration one entry ahead of the caller.
#include <afx.h>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind()
    : m_bHaveFound(FALSE), m_bHaveNext(FALSE), m_hContext(INVALID_HANDLE_VALUE), m_chDirSeparator('\\')
{
    memset(&m_found, 0, sizeof(m_found));
    memset(&m_next, 0, sizeof(m_next));
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = INVALID_HANDLE_VALUE;
    m_bHaveFound = FALSE;
    m_bHaveNext = FALSE;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD /*dwUnused*/)
{
    Close();
    if (pstrName == NULL || *pstrName == 0)
        pstrName = L"*.*";
    if (wcslen(pstrName) >= MAX_PATH)
    {
        ::SetLastError(ERROR_BAD_ARGUMENTS);
        return FALSE;
    }

    m_hContext = ::FindFirstFileW(pstrName, &m_next);
    if (m_hContext == INVALID_HANDLE_VALUE)
    {
        DWORD dwTemp = ::GetLastError();
        Close();
        ::SetLastError(dwTemp);
        return FALSE;
    }
    m_bHaveNext = TRUE;

    // The root is the full path of the pattern's folder.
    TCHAR szFull[MAX_PATH * 2];
    LPTSTR pszFilePart = NULL;
    DWORD n = ::GetFullPathNameW(pstrName, _countof(szFull), szFull, &pszFilePart);
    CString strFull = (n != 0 && n < _countof(szFull)) ? CString(szFull) : CString(pstrName);
    int nSep = std::max(strFull.ReverseFind('\\'), strFull.ReverseFind('/'));
    if (nSep >= 0)
    {
        m_chDirSeparator = strFull[nSep];
        m_strRoot = strFull.Left(nSep);
    }
    else
    {
        m_strRoot.Empty();
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHaveNext)
        return FALSE;
    m_found = m_next;
    m_bHaveFound = TRUE;
    m_bHaveNext = ::FindNextFileW(m_hContext, &m_next);
    return m_bHaveNext;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bHaveFound && (m_found.dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (!m_bHaveFound || !(m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    LPCTSTR p = m_found.cFileName;
    return p[0] == '.' && (p[1] == 0 || (p[1] == '.' && p[2] == 0));
}

ULONGLONG CFileFind::GetLength() const
{
    if (!m_bHaveFound)
        return 0;
    return ((ULONGLONG)m_found.nFileSizeHigh << 32) | m_found.nFileSizeLow;
}

CString CFileFind::GetFileName() const
{
    return m_bHaveFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bHaveFound)
        return CString();
    CString strResult = m_strRoot;
    int nLen = strResult.GetLength();
    if (nLen == 0 || (strResult[nLen - 1] != '\\' && strResult[nLen - 1] != '/'))
        strResult += m_chDirSeparator;
    strResult += m_found.cFileName;
    return strResult;
}

CString CFileFind::GetFileTitle() const
{
    CString strResult = GetFileName();
    int nDot = strResult.ReverseFind('.');
    return nDot < 0 ? strResult : strResult.Left(nDot);
}

CString CFileFind::GetFileURL() const
{
    CString strResult(L"file://");
    strResult += GetFilePath();
    return strResult;
}

CString CFileFind::GetRoot() const
{
    return m_bHaveFound ? m_strRoot : CString();
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = m_found.ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = m_found.ftLastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = m_found.ftCreationTime;
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.ftLastWriteTime);
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.ftLastAccessTime);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime(m_found.ftCreationTime);
    return TRUE;
}
