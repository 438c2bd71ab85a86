// CStdioFile: a CFile read and written through a C runtime stream, with
// text-mode line handling.
#include <afx.h>
#include <fcntl.h>
#include <io.h>
#include <errno.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(NULL)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : CFile(), m_pStream(pOpenStream)
{
    if (pOpenStream != NULL)
        m_hFile = (HANDLE)_get_osfhandle(_fileno(pOpenStream));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
    OpenOrThrow(lpszFileName, nOpenFlags);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
    m_pStream = NULL;
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pException))
        return FALSE;

    WCHAR szMode[4];
    int nMode = 0;
    if (nOpenFlags & modeCreate)
        szMode[nMode++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
    else if (nOpenFlags & modeWrite)
        szMode[nMode++] = 'a';
    else
        szMode[nMode++] = 'r';
    if ((szMode[0] == 'r' && (nOpenFlags & modeReadWrite)) || (szMode[0] != 'r' && !(nOpenFlags & modeWrite)))
        szMode[nMode++] = '+';

    int nFlags = _O_RDONLY | _O_TEXT;
    if (nOpenFlags & (modeWrite | modeReadWrite))
        nFlags ^= _O_RDONLY;
    if (nOpenFlags & typeBinary)
    {
        szMode[nMode++] = 'b';
        nFlags ^= _O_TEXT;
    }
    else
    {
        szMode[nMode++] = 't';
    }
    szMode[nMode] = 0;

    int nHandle = _open_osfhandle((intptr_t)m_hFile, nFlags);
    if (nHandle != -1)
        m_pStream = _wfdopen(nHandle, szMode);
    if (m_pStream == NULL)
    {
        if (pException != NULL)
        {
            pException->m_lOsError = _doserrno;
            pException->m_cause = CFileException::OsErrorToException(_doserrno);
            pException->m_strFileName = lpszFileName;
        }
        if (nHandle != -1)
            _close(nHandle);   // also closes m_hFile
        else
            ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
        m_bCloseOnDelete = FALSE;
        return FALSE;
    }
    return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    UINT nRead = (UINT)fread(lpBuf, 1, nCount, m_pStream);
    if (nRead == 0 && ferror(m_pStream))
    {
        clearerr(m_pStream);
        CFileException::ThrowErrno(EIO, m_strFileName);
    }
    return nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz != NULL && fputws(lpsz, m_pStream) == WEOF)
        CFileException::ThrowErrno(errno, m_strFileName);
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        return NULL;
    LPTSTR lpszResult = fgetws(lpsz, (int)nMax, m_pStream);
    if (lpszResult == NULL && !feof(m_pStream))
    {
        clearerr(m_pStream);
        CFileException::ThrowErrno(EIO, m_strFileName);
    }
    return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    const int nMaxSize = 128;
    for (;;)
    {
        WCHAR sz[nMaxSize + 1];
        LPTSTR lpszResult = fgetws(sz, nMaxSize + 1, m_pStream);
        if (lpszResult == NULL)
        {
            if (!feof(m_pStream))
            {
                clearerr(m_pStream);
                CFileException::ThrowErrno(EIO, m_strFileName);
            }
            break;
        }
        rString += sz;
        int nLen = rString.GetLength();
        if (nLen > 0 && rString[nLen - 1] == '\n')
            break;
    }
    // Drop the line end ("\n", or "\r\n" read in binary mode).
    int nLen = rString.GetLength();
    BOOL bGotLine = nLen != 0 || !feof(m_pStream);
    if (nLen > 0 && rString[nLen - 1] == '\n')
        rString.Delete(--nLen);
    if (nLen > 0 && rString[nLen - 1] == '\r')
        rString.Delete(--nLen);
    return bGotLine;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    int nOrigin = nFrom == begin ? SEEK_SET : nFrom == end ? SEEK_END : SEEK_CUR;
    if (fseeko64(m_pStream, lOff, nOrigin) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return (ULONGLONG)ftello64(m_pStream);
}

ULONGLONG CStdioFile::GetPosition() const
{
    long long pos = ftello64(m_pStream);
    if (pos < 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return (ULONGLONG)pos;
}

ULONGLONG CStdioFile::GetLength() const
{
    long long posCur = ftello64(m_pStream);
    if (posCur < 0 || fseeko64(m_pStream, 0, SEEK_END) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    long long posEnd = ftello64(m_pStream);
    fseeko64(m_pStream, posCur, SEEK_SET);
    return (ULONGLONG)posEnd;
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close()
{
    int nErr = 0;
    if (m_pStream != NULL)
        nErr = fclose(m_pStream);   // closes the handle as well
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_pStream = NULL;
    CString strName = m_strFileName;
    m_strFileName.Empty();
    if (nErr != 0)
        CFileException::ThrowErrno(errno, strName);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        fclose(m_pStream);
    m_hFile = INVALID_HANDLE_VALUE;
    m_pStream = NULL;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CStdioFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CStdioFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}
