// The exception classes, the AfxThrow helpers and the TRY/CATCH frames.
#include <afx.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)
IMPLEMENT_DYNAMIC(CDaoException, CException)

// ---------------------------------------------------------------------------
// TRY/CATCH frames: each thread keeps the chain of open frames so that an
// exception deleted by hand inside CATCH is not deleted again by its frame.

static thread_local AFX_EXCEPTION_LINK* t_pLinkTop = NULL;

AFX_EXCEPTION_LINK::AFX_EXCEPTION_LINK() : m_pLinkPrev(t_pLinkTop), m_pException(NULL)
{
    t_pLinkTop = this;
}

AFX_EXCEPTION_LINK::~AFX_EXCEPTION_LINK()
{
    t_pLinkTop = m_pLinkPrev;
    if (m_pException != NULL)
        m_pException->Delete();
}

void AFXAPI AfxThrowLastCleanup()
{
    // THROW_LAST passes the exception on: its frame must not delete it.
    if (t_pLinkTop != NULL)
        t_pLinkTop->m_pException = NULL;
}

void CException::Delete()
{
    for (AFX_EXCEPTION_LINK* pLink = t_pLinkTop; pLink != NULL; pLink = pLink->m_pLinkPrev)
    {
        if (pLink->m_pException == this)
            pLink->m_pException = NULL;
    }
    if (m_bAutoDelete > 0)
        delete this;
}

// ---------------------------------------------------------------------------
// Messages

static BOOL CopyMessage(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszText)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, lpszText, nMaxError);
    return TRUE;
}

// A fixed message without help context.
static BOOL FixedMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext, LPCTSTR lpszText)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage(lpszError, nMaxError, lpszText);
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError != 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR szErrorMessage[512];
    UINT nHelpContext;
    if (GetErrorMessage(szErrorMessage, _countof(szErrorMessage), &nHelpContext))
        return AfxMessageBox(szErrorMessage, nType, nHelpContext);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox(L"An unsupported operation was attempted.", nType);
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return FixedMessage(lpszError, nMaxError, pnHelpContext, L"Out of memory.");
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return FixedMessage(lpszError, nMaxError, pnHelpContext, L"An unsupported operation was attempted.");
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return FixedMessage(lpszError, nMaxError, pnHelpContext, L"Encountered an improper argument.");
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return FixedMessage(lpszError, nMaxError, pnHelpContext, L"A required resource was unavailable.");
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : CException(TRUE), m_cause(cause), m_strFileName(lpszArchiveName)
{
}

// Fills %1 of a message with the file name (or "an unnamed file").
static BOOL FormatFileMessage(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszTemplate, const CString& strFileName)
{
    CString strName = strFileName.IsEmpty() ? CString(L"an unnamed file") : strFileName;
    CString strText(lpszTemplate);
    strText.Replace(L"%1", strName);
    return CopyMessage(lpszError, nMaxError, strText);
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    static const LPCTSTR s_texts[] = {
        L"No error occurred.",
        L"An unknown error occurred while accessing %1.",
        L"An attempt was made to write to the reading %1.",
        L"An attempt was made to access %1 past its end.",
        L"An attempt was made to read from the writing %1.",
        L"%1 has a bad format.",
        L"%1 contained an unexpected object.",
        L"%1 contains an incorrect schema.",
    };
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    int cause = (m_cause >= 0 && m_cause < (int)_countof(s_texts)) ? m_cause : generic;
    return FormatFileMessage(lpszError, nMaxError, s_texts[cause], m_strFileName);
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : CException(TRUE), m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    static const LPCTSTR s_texts[] = {
        L"No error occurred.",
        L"An unknown error occurred while accessing %1.",
        L"%1 was not found.",
        L"%1 contains an invalid path.",
        L"%1 could not be opened because there are too many open files.",
        L"Access to %1 was denied.",
        L"An invalid file handle was associated with %1.",
        L"%1 could not be removed because it is the current directory.",
        L"%1 could not be created because the directory is full.",
        L"Seek failed on %1",
        L"A hardware I/O error was reported while accessing %1.",
        L"A sharing violation occurred while accessing %1.",
        L"A locking violation occurred while accessing %1.",
        L"Disk full while accessing %1.",
        L"An attempt was made to access %1 past its end.",
    };
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    int cause = (m_cause >= 0 && m_cause < (int)_countof(s_texts)) ? m_cause : generic;
    return FormatFileMessage(lpszError, nMaxError, s_texts[cause], m_strFileName);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch ((DWORD)lOsError)
    {
    case NO_ERROR:
        return CFileException::none;
    case ERROR_FILE_NOT_FOUND:
        return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE:
        return CFileException::invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return CFileException::removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return CFileException::directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return CFileException::badSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return CFileException::hardIO;
    case ERROR_SHARING_VIOLATION:
        return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
        return CFileException::lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return CFileException::diskFull;
    case ERROR_HANDLE_EOF:
        return CFileException::endOfFile;
    default:
        return CFileException::generic;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case EPERM:
    case EACCES:
        return CFileException::accessDenied;
    case EBADF:
        return CFileException::invalidFile;
    case EDEADLOCK:
        return CFileException::sharingViolation;
    case EMFILE:
        return CFileException::tooManyOpenFiles;
    case ENOENT:
    case ENFILE:
        return CFileException::fileNotFound;
    case ENOSPC:
        return CFileException::diskFull;
    case EINVAL:
    case EIO:
        return CFileException::hardIO;
    default:
        return CFileException::generic;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError == 0)
        lOsError = (LONG)ERROR_GEN_FAILURE;
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == NULL)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return ((const COleException*)pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

// Text of an HRESULT from the system, or its number.
static BOOL FormatScode(LPTSTR lpszError, UINT nMaxError, SCODE sc)
{
    LPTSTR lpBuffer = NULL;
    if (::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         NULL, (DWORD)sc, 0, (LPTSTR)&lpBuffer, 0, NULL) != 0 &&
        lpBuffer != NULL)
    {
        BOOL bResult = CopyMessage(lpszError, nMaxError, lpBuffer);
        LocalFree(lpBuffer);
        return bResult;
    }
    CString str;
    str.Format(L"Error 0x%08lX.", (DWORD)sc);
    return CopyMessage(lpszError, nMaxError, str);
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return FormatScode(lpszError, nMaxError, m_sc);
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : CException(TRUE), m_wCode(wCode), m_scError(wCode != 0 ? 0 : E_UNEXPECTED),
      m_strDescription(lpszDescription), m_dwHelpContext(nHelpID)
{
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_dwHelpContext;
    if (!m_strDescription.IsEmpty())
        return CopyMessage(lpszError, nMaxError, m_strDescription);
    return FormatScode(lpszError, nMaxError, m_scError != 0 ? m_scError : E_UNEXPECTED);
}

CDaoException::CDaoException() : CException(TRUE), m_scode(S_OK), m_nAfxDaoError(NO_AFX_DAO_ERROR), m_pErrorInfo(NULL)
{
}

CDaoException::~CDaoException()
{
    delete m_pErrorInfo;
}

BOOL CDaoException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_pErrorInfo != NULL ? (UINT)m_pErrorInfo->m_lHelpContext : 0;
    if (m_pErrorInfo != NULL && !m_pErrorInfo->m_strDescription.IsEmpty())
        return CopyMessage(lpszError, nMaxError, m_pErrorInfo->m_strDescription);
    if (m_nAfxDaoError == AFX_DAO_ERROR_ENGINE_INITIALIZATION)
        return CopyMessage(lpszError, nMaxError, L"Unable to initialize DAO/Jet db engine.");
    if (m_scode != S_OK)
        return FormatScode(lpszError, nMaxError, m_scode);
    return CopyMessage(lpszError, nMaxError, L"An unknown database error occurred.");
}

// ---------------------------------------------------------------------------
// Throw helpers

void AFXAPI AfxThrowMemoryException()
{
    // Preallocated: reporting a lack of memory must not need memory.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}

void AFXAPI AfxThrowDaoException(int nAfxDaoError, SCODE scode)
{
    CDaoException* pException = new CDaoException;
    pException->m_nAfxDaoError = nAfxDaoError;
    pException->m_scode = scode;
    throw pException;
}
