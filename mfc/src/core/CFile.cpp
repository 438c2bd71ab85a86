// CFile: binary file over a Win32 handle.
#include <afx.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
    OpenOrThrow(lpszFileName, nOpenFlags);
}

void CFile::OpenOrThrow(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    HANDLE hFile;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hFile, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    CFile* pFile = new CFile(hFile);
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        Close();
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    // CFile is binary only; the text flag belongs to CStdioFile.
    nOpenFlags &= ~(UINT)CFile::typeBinary;
    if (lpszFileName == NULL || *lpszFileName == 0 || (nOpenFlags & CFile::typeText) != 0)
    {
        if (pException != NULL)
        {
            pException->m_cause = lpszFileName == NULL || *lpszFileName == 0 ? CFileException::badPath
                                                                              : CFileException::generic;
            pException->m_lOsError = (LONG)ERROR_INVALID_PARAMETER;
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }

    TCHAR szFull[MAX_PATH * 2];
    LPTSTR pszFilePart;
    DWORD nFull = GetFullPathNameW(lpszFileName, _countof(szFull), szFull, &pszFilePart);
    m_strFileName = (nFull != 0 && nFull < _countof(szFull)) ? CString(szFull) : CString(lpszFileName);

    DWORD dwAccess;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    default:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    }

    DWORD dwShareMode;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite:
        dwShareMode = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShareMode = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:   // shareCompat, shareExclusive
        dwShareMode = 0;
        break;
    }

    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    HANDLE hFile = ::CreateFileW(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        if (pException != NULL)
        {
            pException->m_lOsError = (LONG)::GetLastError();
            pException->m_cause = CFileException::OsErrorToException(pException->m_lOsError);
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD nWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DWORD dwMethod = nFrom == begin ? FILE_BEGIN : nFrom == current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, dwMethod))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liZero, liPos;
    liZero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liPos.QuadPart;
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    DWORD dwError = 0;
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        bError = !::CloseHandle(m_hFile);
        dwError = ::GetLastError();
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    CString strName = m_strFileName;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError((LONG)dwError, strName);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, CFile::begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liSize.QuadPart;
}

UINT CFile::GetBufferPtr(UINT nCommand, UINT /*nCount*/, void** ppBufStart, void** ppBufMax)
{
    // Plain files have no buffer to hand out.
    if (nCommand == bufferCheck)
        return 0;
    if (ppBufStart != NULL)
        *ppBufStart = NULL;
    if (ppBufMax != NULL)
        *ppBufMax = NULL;
    return 0;
}

CString CFile::GetFileName() const
{
    int i = m_strFileName.GetLength();
    while (i > 0 && m_strFileName[i - 1] != '\\' && m_strFileName[i - 1] != '/' && m_strFileName[i - 1] != ':')
        i--;
    return m_strFileName.Mid(i);
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

static CTime TimeFromFileTime(const FILETIME& ft)
{
    if (ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0)
        return CTime(0);
    return CTime(ft);
}

static void FillStatus(CFileStatus& rStatus, const WIN32_FILE_ATTRIBUTE_DATA& data)
{
    rStatus.m_size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    rStatus.m_attribute = (BYTE)data.dwFileAttributes;
    rStatus._m_padding = 0;
    rStatus.m_mtime = TimeFromFileTime(data.ftLastWriteTime);
    rStatus.m_ctime = TimeFromFileTime(data.ftCreationTime);
    rStatus.m_atime = TimeFromFileTime(data.ftLastAccessTime);
    if (rStatus.m_ctime.GetTime() == 0)
        rStatus.m_ctime = rStatus.m_mtime;
    if (rStatus.m_atime.GetTime() == 0)
        rStatus.m_atime = rStatus.m_mtime;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    lstrcpynW(rStatus.m_szFullName, m_strFileName, _countof(rStatus.m_szFullName));
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    data.dwFileAttributes = info.dwFileAttributes;
    data.ftCreationTime = info.ftCreationTime;
    data.ftLastAccessTime = info.ftLastAccessTime;
    data.ftLastWriteTime = info.ftLastWriteTime;
    data.nFileSizeHigh = info.nFileSizeHigh;
    data.nFileSizeLow = info.nFileSizeLow;
    FillStatus(rStatus, data);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    if (lpszFileName == NULL)
        return FALSE;
    LPTSTR pszFilePart;
    DWORD n = GetFullPathNameW(lpszFileName, _countof(rStatus.m_szFullName), rStatus.m_szFullName, &pszFilePart);
    if (n == 0 || n >= _countof(rStatus.m_szFullName))
    {
        rStatus.m_szFullName[0] = 0;
        return FALSE;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    FillStatus(rStatus, data);
    return TRUE;
}

void PASCAL CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status)
{
    DWORD wAttr = ::GetFileAttributesW(lpszFileName);
    if (wAttr == INVALID_FILE_ATTRIBUTES)
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);

    if (status.m_mtime.GetTime() != 0)
    {
        // Time stamps need a writable file: drop read-only for the moment.
        if ((wAttr & FILE_ATTRIBUTE_READONLY) &&
            ::SetFileAttributesW(lpszFileName, wAttr & ~FILE_ATTRIBUTE_READONLY))
            wAttr &= ~FILE_ATTRIBUTE_READONLY;
        HANDLE hFile = ::CreateFileW(lpszFileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
        FILETIME ftM, ftA, ftC;
        SYSTEMTIME st;
        auto toFileTime = [&](const CTime& t, FILETIME& ft) -> FILETIME* {
            if (t.GetTime() == 0 || !t.GetAsSystemTime(st))
                return NULL;
            FILETIME ftLocal;
            if (!SystemTimeToFileTime(&st, &ftLocal) || !LocalFileTimeToFileTime(&ftLocal, &ft))
                return NULL;
            return &ft;
        };
        BOOL bOk = ::SetFileTime(hFile, toFileTime(status.m_ctime, ftC), toFileTime(status.m_atime, ftA),
                                 toFileTime(status.m_mtime, ftM));
        DWORD dwError = ::GetLastError();
        ::CloseHandle(hFile);
        if (!bOk)
            CFileException::ThrowOsError((LONG)dwError, lpszFileName);
    }
    if ((DWORD)status.m_attribute != wAttr)
    {
        if (!::SetFileAttributesW(lpszFileName, (DWORD)status.m_attribute))
            CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
    }
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFileW(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!::DeleteFileW(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}
