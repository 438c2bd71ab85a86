// afx.h - core of the framework: Windows headers, diagnostics macros, run-time
// classes and CObject, CString, exceptions, files, archives, time values,
// CPoint/CSize/CRect and the module state.
//
// This header is the base of every other framework header (afxwin.h includes
// it first). Besides the classes above it owns these globals, so window-side
// headers must not declare them again:
//   AfxGetModuleState, AfxGetStaticModuleState, AFX_MANAGE_STATE,
//   AfxGetInstanceHandle, AfxGetResourceHandle, AfxSetResourceHandle,
//   AfxFindResourceHandle, AfxExtractSubString, AfxThrow...Exception,
//   AfxSetModuleState, AfxLockGlobals, CThreadLocal, CProcessLocal.
// AfxMessageBox is declared here (exceptions report through it) and defined
// by the window half of the framework.
#pragma once
#ifndef __AFX_H__
#define __AFX_H__

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef STRICT
#define STRICT
#endif

#include <windows.h>
#include <tchar.h>
#include <ole2.h>
#include <oleauto.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <stdio.h>
#include <time.h>
#include <atomic>
#include <new>
#include <type_traits>
#include <utility>

// A 16-bit leftover of the Windows headers that would rename
// CTime::GetCurrentTime and COleDateTime::GetCurrentTime.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

// ---------------------------------------------------------------------------
// Linkage and calling-convention macros

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif
#ifndef PASCAL
#define PASCAL __stdcall
#endif
#define AFX_DATA
#define AFX_CORE_DATA
#define AFX_DATADEF
#define AFX_API_EXPORT
#define AFX_CLASS_EXPORT
#define AFX_INLINE inline
#define AFX_STATIC static
#define AFX_STATIC_DATA static
#define AFX_NOVTABLE
#define AFX_COMDAT
#define AFX_NORETURN [[noreturn]]

#ifndef _AFX_NO_DEBUG_CRT
#define _AFX_NO_DEBUG_CRT
#endif

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif

// ---------------------------------------------------------------------------
// Diagnostics. The framework is built in its release form: assertions and
// traces compile to nothing, VERIFY still evaluates its argument.

#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define ASSERT_POINTER(p, type) ((void)0)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
#define UNUSED(x)
#define UNUSED_ALWAYS(x) ((void)(x))
#define DEBUG_NEW new
#define THIS_FILE __FILE__

inline BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT_PTR /*nBytes*/, BOOL /*bReadWrite*/ = TRUE)
{
    return lp != NULL;
}
inline BOOL AFXAPI AfxIsValidString(LPCWSTR lpsz, int /*nLength*/ = -1) { return lpsz != NULL; }
inline BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int /*nLength*/ = -1) { return lpsz != NULL; }
inline void AFXAPI AfxDebugBreak() {}

// ---------------------------------------------------------------------------
// Forward declarations

class CObject;
class CRuntimeClass;
class CArchive;
class CDumpContext;
class CString;
class CFile;
class CException;
class CMemoryException;
class CNotSupportedException;
class CArchiveException;
class CFileException;
class CResourceException;
class CUserException;
class CInvalidArgException;
class COleException;
class CCmdTarget;
class CWinThread;
class CWinApp;
class CWnd;
class CPtrArray;
class CMapPtrToPtr;

// Abstract iteration position used by the lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// ---------------------------------------------------------------------------
// Run-time class information

#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;   // ANSI class name, as stored in archives
    int m_nObjectSize;
    UINT m_wSchema;           // 0xFFFF: not serializable
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Looks a registered class up by name; NULL when unknown.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);

    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);

    // Next entry of the process-wide class list (see AFX_CLASSINIT).
    CRuntimeClass* m_pNextClass;
};

// Adds a class to the process-wide class list. The class records are
// constant-initialized, so the order in which these registrations run during
// start-up does not matter; registration is thread-safe.
void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);

struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) { AfxClassInit(pNewClass); }
};

// First class of the process-wide list (newest registration first).
CRuntimeClass* AFXAPI AfxGetFirstRuntimeClass();

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define _RUNTIME_CLASS(class_name) RUNTIME_CLASS(class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define _DECLARE_DYNAMIC(class_name) DECLARE_DYNAMIC(class_name)

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define _DECLARE_DYNCREATE(class_name) DECLARE_DYNCREATE(class_name)

#define DECLARE_SERIAL(class_name) \
    _DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, \
        RUNTIME_CLASS(base_class_name), NULL }; \
    static const AFX_CLASSINIT _init_##class_name(&class_name::class##class_name); \
    CRuntimeClass* class_name::GetRuntimeClass() const \
        { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() \
        { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, \
        class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() \
        { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, \
        class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
        { pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); \
          return ar; }

// ---------------------------------------------------------------------------
// CObject: root of the framework's class hierarchy

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

protected:
    CObject() = default;

private:
    // Objects are not copyable unless a class says so, as in the framework.
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;

public:
    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext& dc) const;

    static CRuntimeClass classCObject;
};

// Checked down-cast: NULL when pObject is not of the class (or NULL).
CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// Minimal dump context: diagnostic dumps go to the debugger output.
class CDumpContext
{
public:
    explicit CDumpContext(CFile* pFile = NULL) : m_pFile(pFile) {}
    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(LPCWSTR lpsz);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    CDumpContext& operator<<(BYTE by);
    CDumpContext& operator<<(WORD w);
    CDumpContext& operator<<(UINT u);
    CDumpContext& operator<<(LONG l);
    CDumpContext& operator<<(DWORD dw);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(double d);
    void HexDump(LPCTSTR lpszLine, BYTE* pby, int nBytes, int nWidth);
    void Flush() {}

private:
    CFile* m_pFile;
    int m_nDepth = 0;
};
extern CDumpContext afxDump;

// ---------------------------------------------------------------------------
// Strings

#include <afxstr.h>

// ---------------------------------------------------------------------------
// Exceptions. Thrown as pointers (throw new CFileException...), caught as
// CException* and released with Delete(). TRY/CATCH delete the exception at
// the end of the handler, unless it is re-thrown with THROW_LAST().

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    ~CException() override = default;

    // Frees a heap-allocated exception; static ones (bAutoDelete FALSE) stay.
    void Delete();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() : CException(TRUE) {}
    explicit CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() : CException(TRUE) {}
    explicit CNotSupportedException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() : CException(TRUE) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() : CException(TRUE) {}
    explicit CResourceException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() : CException(TRUE) {}
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none = 0,
        generic = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none = 0,
        generic = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCTSTR lpszArchiveName = NULL);

    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    AFX_NORETURN static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
    AFX_NORETURN static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) : CException(TRUE), m_sc(sc) {}
    static SCODE PASCAL Process(const CException* pAnyException);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    SCODE m_sc;
};

class COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    WORD m_wCode;
    SCODE m_scError;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    DWORD m_dwHelpContext;
};

// Error record of the database engine, carried by CDaoException.
class CDaoErrorInfo
{
public:
    long m_lErrorCode = 0;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    long m_lHelpContext = 0;
};

#define NO_AFX_DAO_ERROR 0
#define AFX_DAO_ERROR_MIN 2200
#define AFX_DAO_ERROR_ENGINE_INITIALIZATION AFX_DAO_ERROR_MIN + 0
#define AFX_DAO_ERROR_DFX_BIND AFX_DAO_ERROR_MIN + 1
#define AFX_DAO_ERROR_OBJECT_NOT_OPEN AFX_DAO_ERROR_MIN + 2

// Exception of the database classes; the engine may be absent, in which case
// m_scode carries the failure and m_pErrorInfo describes it.
class CDaoException : public CException
{
    DECLARE_DYNAMIC(CDaoException)
public:
    CDaoException();
    ~CDaoException() override;

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    SCODE m_scode;
    int m_nAfxDaoError;
    CDaoErrorInfo* m_pErrorInfo;
};

AFX_NORETURN void AFXAPI AfxThrowMemoryException();
AFX_NORETURN void AFXAPI AfxThrowNotSupportedException();
AFX_NORETURN void AFXAPI AfxThrowInvalidArgException();
AFX_NORETURN void AFXAPI AfxThrowResourceException();
AFX_NORETURN void AFXAPI AfxThrowUserException();
AFX_NORETURN void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);
AFX_NORETURN void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
AFX_NORETURN void AFXAPI AfxThrowOleException(SCODE sc);
AFX_NORETURN void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);
AFX_NORETURN void AFXAPI AfxThrowDaoException(int nAfxDaoError = NO_AFX_DAO_ERROR, SCODE scode = S_OK);

// One frame of the TRY/CATCH macros; deletes the caught exception when the
// handler ends.
struct AFX_EXCEPTION_LINK
{
    AFX_EXCEPTION_LINK();
    ~AFX_EXCEPTION_LINK();
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;

    AFX_EXCEPTION_LINK* m_pLinkPrev;
    CException* m_pException;
};
void AFXAPI AfxThrowLastCleanup();

#define TRY { AFX_EXCEPTION_LINK _afxExceptionLink; try {
#define CATCH(class, e) } catch (class* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH(class, e) } catch (class* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH } }
#define CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH_ALL } }
#define END_TRY } catch (CException* e) { _afxExceptionLink.m_pException = e; } }
#define THROW(e) throw e
#define THROW_LAST() (AfxThrowLastCleanup(), throw)

// ---------------------------------------------------------------------------
// Time values

class CTimeSpan
{
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(__time64_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + (__time64_t)24 * lDays))) {}

    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    __time64_t GetTimeSpan() const { return m_timeSpan; }

    CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) { m_timeSpan -= span.m_timeSpan; return *this; }
    bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

    // %D days, %H hours, %M minutes, %S seconds, %% percent sign.
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nID) const;

private:
    __time64_t m_timeSpan;
};

// A point in time with one-second resolution (seconds since 1970, UTC).
// Values that cannot be represented are kept as -1 and format as "".
class CTime
{
public:
    static CTime PASCAL GetCurrentTime();
    static BOOL PASCAL IsValidFILETIME(const FILETIME& ft);

    CTime() : m_time(0) {}
    CTime(__time64_t time) : m_time(time) {}
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);
    CTime(const FILETIME& ft, int nDST = -1);

    CTime& operator=(__time64_t time) { m_time = time; return *this; }

    struct tm* GetGmtTm(struct tm* ptm) const;
    struct tm* GetLocalTm(struct tm* ptm) const;
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    __time64_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

    // strftime-style formatting in local time / in UTC.
    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

private:
    __time64_t m_time;
};

// OLE automation date (days since 30 December 1899, time as the fraction).
class COleDateTimeSpan;

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        error = -1,
        valid = 0,
        invalid = 1,
        null = 2
    };

    static COleDateTime PASCAL GetCurrentTime();

    COleDateTime() : m_dt(0), m_status(valid) {}
    COleDateTime(const VARIANT& varSrc);
    COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) {}
    COleDateTime(__time64_t timeSrc);
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    COleDateTime(WORD wDosDate, WORD wDosTime);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday
    int GetDayOfYear() const;

    const COleDateTime& operator=(const VARIANT& varSrc);
    const COleDateTime& operator=(DATE dtSrc);
    const COleDateTime& operator=(const __time64_t& timeSrc);
    const COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    const COleDateTime& operator=(const FILETIME& filetimeSrc);

    BOOL operator==(const COleDateTime& date) const;
    BOOL operator!=(const COleDateTime& date) const;
    BOOL operator<(const COleDateTime& date) const;
    BOOL operator>(const COleDateTime& date) const;
    BOOL operator<=(const COleDateTime& date) const;
    BOOL operator>=(const COleDateTime& date) const;

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    // Parses text through the system's variant conversion; the status tells
    // whether it succeeded.
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    CString Format(LPCTSTR lpszFormat) const;
    CString Format(UINT nFormatID) const;

    DATE m_dt;
    DateTimeStatus m_status;
};

// Archive form: the status as a LONG, then the date as a double.
CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() : m_span(0), m_status(valid) {}
    COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc), m_status(valid) {}
    COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    operator double() const { return m_span; }

    double m_span;
    DateTimeSpanStatus m_status;
};

// ---------------------------------------------------------------------------
// Files

struct CFileStatus
{
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size;
    BYTE m_attribute;
    BYTE _m_padding;
    TCHAR m_szFullName[MAX_PATH];
};

// Binary file over a Win32 handle. Errors throw CFileException*.
class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = (int)0x8000
    };

    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };

    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2
    };

    enum BufferCommand
    {
        bufferRead,
        bufferWrite,
        bufferCommit,
        bufferCheck
    };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);   // throws on failure
    ~CFile() override;

    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    virtual ULONGLONG GetPosition() const;
    BOOL GetStatus(CFileStatus& rStatus) const;
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL SetStatus(LPCTSTR lpszFileName, const CFileStatus& status);

    ULONGLONG SeekToEnd() { return Seek(0, CFile::end); }
    void SeekToBegin() { Seek(0, CFile::begin); }

    virtual CFile* Duplicate() const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetLength() const;
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void Abort();     // closes without throwing
    virtual void Flush();
    virtual void Close();

    // Direct buffer access, only offered by memory files.
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL,
                              void** ppBufMax = NULL);

protected:
    // Opens through the virtual Open, throwing its CFileException on failure.
    void OpenOrThrow(LPCTSTR lpszFileName, UINT nOpenFlags);

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// File in memory. Grows by m_nGrowBytes; a buffer attached with nGrowBytes 0
// is a fixed-size file whose whole buffer is the content.
class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    BYTE* Detach();   // the caller owns the returned buffer

    ULONGLONG GetPosition() const override;
    BOOL GetStatus(CFileStatus& rStatus) const;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Abort() override;
    void Flush() override;
    void Close() override;
    ULONGLONG GetLength() const override;
    UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL,
                      void** ppBufMax = NULL) override;

    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    CFile* Duplicate() const override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};

// Memory file in a global memory block, as the clipboard and drag-and-drop
// exchange it (allocation flags GMEM_DDESHARE | GMEM_MOVEABLE by default).
class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Hands the block (content size = GlobalSize) to the caller.
    HGLOBAL Detach();
    // Takes over a block; its whole size is the content.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};

// Text or binary file over the C runtime's stream functions.
class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    explicit CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    FILE* m_pStream;

    virtual void WriteString(LPCTSTR lpsz);
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Reads one line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);

    ULONGLONG GetPosition() const override;
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void Abort() override;
    void Flush() override;
    void Close() override;
    CFile* Duplicate() const override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
};

// Directory enumeration. FindNextFile must be called before the first
// entry is read; it returns FALSE when the entry it just made current is
// the last one.
class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFileURL() const;
    virtual CString GetRoot() const;

    virtual BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetCreationTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastWriteTime(CTime& refTime) const;
    virtual BOOL GetLastAccessTime(CTime& refTime) const;
    virtual BOOL GetCreationTime(CTime& refTime) const;

    virtual BOOL IsDots() const;
    virtual BOOL MatchesMask(DWORD dwMask) const;

    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

    void Close();
    virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
    virtual BOOL FindNextFile();

protected:
    WIN32_FIND_DATA m_found;
    WIN32_FIND_DATA m_next;
    BOOL m_bHaveFound;
    BOOL m_bHaveNext;
    HANDLE m_hContext;
    CString m_strRoot;
    TCHAR m_chDirSeparator;
};

// ---------------------------------------------------------------------------
// Archives: the framework's binary serialisation over a CFile.
//
// Stored objects are preceded by a tag: 0x0000 NULL, 0xFFFF a new class
// (schema WORD, name length WORD, ANSI name) followed by the object,
// 0x8000|index an object of a class already stored, a plain index a
// reference to an object already stored; indexes from 0x7FFF up are written
// as 0x7FFF followed by a DWORD (with 0x80000000 marking a class).

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & CArchive::load) != 0; }
    BOOL IsStoring() const { return (m_nMode & CArchive::load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CObject* m_pDocument;
    CString m_strFileName;

    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();   // closes without writing the buffer or throwing

    // Text lines (with "\r\n" ends) stored as UTF-16 characters.
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);
    CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(NULL); return *this; }
    CArchive& operator>>(const CObject*& pOb) { pOb = ReadObject(NULL); return *this; }

    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL,
                             UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Records an object as already stored/loaded so later references to it
    // become index tags.
    void MapObject(const CObject* pOb);

    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
    void SetLoadParams(UINT nGrowBy = 1024);

    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    CArchive& operator<<(BYTE by) { return WriteRaw(&by, sizeof by); }
    CArchive& operator<<(WORD w) { return WriteRaw(&w, sizeof w); }
    CArchive& operator<<(LONG l) { return WriteRaw(&l, sizeof l); }
    CArchive& operator<<(DWORD dw) { return WriteRaw(&dw, sizeof dw); }
    CArchive& operator<<(float f) { return WriteRaw(&f, sizeof f); }
    CArchive& operator<<(double d) { return WriteRaw(&d, sizeof d); }
    CArchive& operator<<(LONGLONG ll) { return WriteRaw(&ll, sizeof ll); }
    CArchive& operator<<(ULONGLONG ull) { return WriteRaw(&ull, sizeof ull); }
    CArchive& operator<<(int i) { return *this << (LONG)i; }
    CArchive& operator<<(UINT u) { return *this << (DWORD)u; }
    CArchive& operator<<(short w) { return *this << (WORD)w; }
    CArchive& operator<<(char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(signed char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(wchar_t ch) { return *this << (WORD)ch; }

    CArchive& operator>>(BYTE& by) { return ReadRaw(&by, sizeof by); }
    CArchive& operator>>(WORD& w) { return ReadRaw(&w, sizeof w); }
    CArchive& operator>>(LONG& l) { return ReadRaw(&l, sizeof l); }
    CArchive& operator>>(DWORD& dw) { return ReadRaw(&dw, sizeof dw); }
    CArchive& operator>>(float& f) { return ReadRaw(&f, sizeof f); }
    CArchive& operator>>(double& d) { return ReadRaw(&d, sizeof d); }
    CArchive& operator>>(LONGLONG& ll) { return ReadRaw(&ll, sizeof ll); }
    CArchive& operator>>(ULONGLONG& ull) { return ReadRaw(&ull, sizeof ull); }
    CArchive& operator>>(int& i) { return ReadRaw(&i, sizeof i); }
    CArchive& operator>>(UINT& u) { return ReadRaw(&u, sizeof u); }
    CArchive& operator>>(short& w) { return ReadRaw(&w, sizeof w); }
    CArchive& operator>>(char& ch) { return ReadRaw(&ch, sizeof ch); }
    CArchive& operator>>(signed char& ch) { return ReadRaw(&ch, sizeof ch); }
    CArchive& operator>>(wchar_t& ch) { return ReadRaw(&ch, sizeof ch); }

    // Throws CArchiveException::badIndex when the object table is full.
    void CheckCount();

protected:
    CArchive& WriteRaw(const void* p, UINT n);
    CArchive& ReadRaw(void* p, UINT n);   // throws endOfFile when short
    void InitStoreMap();
    void InitLoadArray();
    // Writes the tag of an index already stored (dwClassBit 0x80000000 for
    // a class), escaping indexes from 0x7FFF up.
    void WriteIndexTag(DWORD nIndex, DWORD dwClassBit);
    // Gives a newly stored object or class the next index.
    void AddToStoreMap(const void* p);

    BOOL m_nMode;
    BOOL m_bUserBuf;
    int m_nBufSize;
    CFile* m_pFile;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;

    UINT m_nMapCount;
    CMapPtrToPtr* m_pStoreMap;      // object or class -> index
    CPtrArray* m_pLoadArray;        // index -> object or class
    CMapPtrToPtr* m_pSchemaMap;     // loaded class -> stored schema
    UINT m_nObjectSchema;
    UINT m_nHashSize;
    UINT m_nGrowSize;
    UINT m_nBlockSize;
};

// ---------------------------------------------------------------------------
// Geometry

class CSize;
class CPoint;
class CRect;

class CSize : public tagSIZE
{
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE initSize) { cx = initSize.cx; cy = initSize.cy; }
    CSize(POINT initPt) { cx = initPt.x; cy = initPt.y; }
    CSize(DWORD dwSize) { cx = (short)LOWORD(dwSize); cy = (short)HIWORD(dwSize); }

    BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const { return cx != size.cx || cy != size.cy; }
    void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }
    void SetSize(int CX, int CY) { cx = CX; cy = CY; }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const;
    CPoint operator-(POINT point) const;
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
};

class CPoint : public tagPOINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
    CPoint(SIZE initSize) { x = initSize.cx; y = initSize.cy; }
    // Signed 16-bit halves, as in a mouse message's lParam.
    CPoint(DWORD dwPoint) { x = (short)LOWORD(dwPoint); y = (short)HIWORD(dwPoint); }

    void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
    void Offset(POINT point) { x += point.x; y += point.y; }
    void Offset(SIZE size) { x += size.cx; y += size.cy; }
    void SetPoint(int X, int Y) { x = X; y = Y; }

    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return x != point.x || y != point.y; }
    void operator+=(SIZE size) { x += size.cx; y += size.cy; }
    void operator-=(SIZE size) { x -= size.cx; y -= size.cy; }
    void operator+=(POINT point) { x += point.x; y += point.y; }
    void operator-=(POINT point) { x -= point.x; y -= point.y; }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
};

class CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& srcRect) { ::CopyRect(this, &srcRect); }
    CRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    CRect(POINT point, SIZE size)
    {
        right = (left = point.x) + size.cx;
        bottom = (top = point.y) + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight)
    {
        left = topLeft.x; top = topLeft.y;
        right = bottomRight.x; bottom = bottomRight.y;
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(right - left, bottom - top); }
    CPoint& TopLeft() { return *((CPoint*)this); }
    CPoint& BottomRight() { return *((CPoint*)this + 1); }
    const CPoint& TopLeft() const { return *((const CPoint*)this); }
    const CPoint& BottomRight() const { return *((const CPoint*)this + 1); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() { SwapLeftRight(LPRECT(this)); }
    static void PASCAL SwapLeftRight(LPRECT lpRect)
    {
        LONG temp = lpRect->left;
        lpRect->left = lpRect->right;
        lpRect->right = temp;
    }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight)
    {
        ::SetRect(this, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { ::InflateRect(this, size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect)
    {
        left -= lpRect->left; top -= lpRect->top;
        right += lpRect->right; bottom += lpRect->bottom;
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l; top -= t; right += r; bottom += b;
    }
    void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
    void DeflateRect(SIZE size) { ::InflateRect(this, -size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect)
    {
        left += lpRect->left; top += lpRect->top;
        right -= lpRect->right; bottom -= lpRect->bottom;
    }
    void DeflateRect(int l, int t, int r, int b)
    {
        left += l; top += t; right -= r; bottom -= b;
    }

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void OffsetRect(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void NormalizeRect()
    {
        int nTemp;
        if (left > right) { nTemp = left; left = right; right = nTemp; }
        if (top > bottom) { nTemp = top; top = bottom; bottom = nTemp; }
    }

    void MoveToY(int y) { bottom = Height() + y; top = y; }
    void MoveToX(int x) { right = Width() + x; left = x; }
    void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT point) { MoveToX(point.x); MoveToY(point.y); }

    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2)
    {
        return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
    }

    void operator=(const RECT& srcRect) { ::CopyRect(this, &srcRect); }
    BOOL operator==(const RECT& rect) const { return ::EqualRect(this, &rect); }
    BOOL operator!=(const RECT& rect) const { return !::EqualRect(this, &rect); }
    void operator+=(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void operator+=(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { ::OffsetRect(this, -point.x, -point.y); }
    void operator-=(SIZE size) { ::OffsetRect(this, -size.cx, -size.cy); }
    void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { ::IntersectRect(this, this, &rect); }
    void operator|=(const RECT& rect) { ::UnionRect(this, this, &rect); }

    CRect operator+(POINT pt) const { CRect rect(*this); ::OffsetRect(&rect, pt.x, pt.y); return rect; }
    CRect operator-(POINT pt) const { CRect rect(*this); ::OffsetRect(&rect, -pt.x, -pt.y); return rect; }
    CRect operator+(SIZE size) const { CRect rect(*this); ::OffsetRect(&rect, size.cx, size.cy); return rect; }
    CRect operator-(SIZE size) const { CRect rect(*this); ::OffsetRect(&rect, -size.cx, -size.cy); return rect; }
    CRect operator+(LPCRECT lpRect) const { CRect rect(this); rect.InflateRect(lpRect); return rect; }
    CRect operator-(LPCRECT lpRect) const { CRect rect(this); rect.DeflateRect(lpRect); return rect; }
    // Exact matches, so "rect - rect" is not taken for pointer arithmetic.
    CRect operator+(const CRect& rect2) const { return *this + (LPCRECT)&rect2; }
    CRect operator-(const CRect& rect2) const { return *this - (LPCRECT)&rect2; }
    CRect operator&(const RECT& rect2) const { CRect rect; ::IntersectRect(&rect, this, &rect2); return rect; }
    CRect operator|(const RECT& rect2) const { CRect rect; ::UnionRect(&rect, this, &rect2); return rect; }

    CRect MulDiv(int nMultiplier, int nDivisor) const
    {
        return CRect(::MulDiv(left, nMultiplier, nDivisor), ::MulDiv(top, nMultiplier, nDivisor),
                     ::MulDiv(right, nMultiplier, nDivisor), ::MulDiv(bottom, nMultiplier, nDivisor));
    }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
inline CPoint CSize::operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
inline CRect CSize::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
inline CRect CPoint::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }

// ---------------------------------------------------------------------------
// Module state: one module (the executable) holds the instance and resource
// handles, the application object and the list of run-time classes.

// The module's run-time classes, newest first (walk with m_pNextClass).
struct CRuntimeClassList
{
    CRuntimeClass* GetHead() const { return AfxGetFirstRuntimeClass(); }
    operator CRuntimeClass*() const { return GetHead(); }
};

class CDynLinkLibrary;

// The extension libraries of a module, newest first (walk with m_pNextDLL).
// The program loads none, so the list stays empty; code that looks classes
// up by name walks it all the same.
struct CDynLinkLibraryList
{
    CDynLinkLibrary* m_pHead;
    CDynLinkLibrary* GetHead() const { return m_pHead; }
    operator CDynLinkLibrary*() const { return m_pHead; }
};

// One extension library: its module, its resources and its own classes.
class CDynLinkLibrary
{
public:
    HMODULE m_hModule = NULL;
    HMODULE m_hResource = NULL;
    CRuntimeClass* m_pFirstClass = NULL;   // the library's classes (m_pNextClass)
    BOOL m_bSystem = FALSE;
    CDynLinkLibrary* m_pNextDLL = NULL;
};

struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCTSTR m_lpszCurrentAppName;
    BOOL m_bDLL;
    BOOL m_bSystem;
    DWORD m_dwVersion;        // framework version the module was built for
    DWORD m_fRegisteredClasses;
    CRuntimeClassList m_classList;
    CDynLinkLibraryList m_libraryList;
};

// The calling thread's current module state: the executable's unless
// AfxSetModuleState installed another.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
// Installs pNewState as the calling thread's current module state (NULL: the
// executable's) and returns the one it replaces, for the caller to put back.
AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);

// There is a single module, so switching module state does nothing.
struct AFX_MAINTAIN_STATE
{
    explicit AFX_MAINTAIN_STATE(AFX_MODULE_STATE*) {}
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE _ctlState(p); (void)_ctlState;

// Default to the executable's module handle until the application sets them.
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);
// The module that holds resource lpszName of type lpszType: the current
// resource handle when it has it, else the executable when that has it;
// the current resource handle when neither does.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// ---------------------------------------------------------------------------
// Process-wide locks. Each is recursive, so an object made under a lock may
// take the same lock again (a process-local object whose constructor asks
// for another one).
#define CRIT_DYNLINKLIST        0
#define CRIT_RUNTIMECLASSLIST   1
#define CRIT_PROCESSLOCAL       2
#define CRIT_MAX                3
void AFXAPI AfxLockGlobals(int nLockType);
void AFXAPI AfxUnlockGlobals(int nLockType);

// ---------------------------------------------------------------------------
// Thread-local and process-local objects. TYPE needs a default constructor;
// the object is made on the first GetData() and deleted by the framework.

typedef void* (AFXAPI* AFX_PFNLOCALCREATE)();
typedef void (AFXAPI* AFX_PFNLOCALDELETE)(void*);

// One object per thread (THREAD_LOCAL). A thread's objects are destroyed,
// newest first, when the thread ends: in AfxEndThread for framework threads,
// otherwise when the C++ run-time ends the thread's storage. Objects still
// alive when the CThreadLocal itself is destroyed (at process exit, for a
// static one) are destroyed then; each object is destroyed exactly once.
class CThreadLocalObject
{
public:
    constexpr CThreadLocalObject() {}
    ~CThreadLocalObject();
    CThreadLocalObject(const CThreadLocalObject&) = delete;
    CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

    // The calling thread's object, made with pfnCreate when it has none.
    void* GetData(AFX_PFNLOCALCREATE pfnCreate, AFX_PFNLOCALDELETE pfnDelete);
    // The calling thread's object, or NULL: nothing is made.
    void* GetDataNA() const;
};

template <class TYPE>
class CThreadLocal : public CThreadLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CThreadLocalObject::GetData(&CreateObject, &DeleteObject)); }
    TYPE* GetDataNA() const { return static_cast<TYPE*>(CThreadLocalObject::GetDataNA()); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

private:
    static void* AFXAPI CreateObject() { return new TYPE; }
    static void AFXAPI DeleteObject(void* p) { delete static_cast<TYPE*>(p); }
};

// Destroys the calling thread's thread-local objects, newest first (the
// framework's thread end calls it).
void AFXAPI AfxTermThreadLocals();

// One object per process (PROCESS_LOCAL), made on first use under
// AfxLockGlobals(CRIT_PROCESSLOCAL) and destroyed with the CProcessLocal
// (at process exit for a static one).
class CProcessLocalObject
{
public:
    constexpr CProcessLocalObject() : m_pObject(nullptr), m_pfnDelete(nullptr) {}
    ~CProcessLocalObject();
    CProcessLocalObject(const CProcessLocalObject&) = delete;
    CProcessLocalObject& operator=(const CProcessLocalObject&) = delete;

    void* GetData(AFX_PFNLOCALCREATE pfnCreate, AFX_PFNLOCALDELETE pfnDelete);

private:
    std::atomic<void*> m_pObject;
    AFX_PFNLOCALDELETE m_pfnDelete;
};

template <class TYPE>
class CProcessLocal : public CProcessLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CProcessLocalObject::GetData(&CreateObject, &DeleteObject)); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

private:
    static void* AFXAPI CreateObject() { return new TYPE; }
    static void AFXAPI DeleteObject(void* p) { delete static_cast<TYPE*>(p); }
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
#define PROCESS_LOCAL(class_name, ident_name) CProcessLocal<class_name> ident_name;
#define EXTERN_PROCESS_LOCAL(class_name, ident_name) extern CProcessLocal<class_name> ident_name;

// Message box of the application (defined with the window classes).
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Copies the iSubString-th field of lpszFullString, fields separated by
// chSep; FALSE (and an empty string) when there is no such field.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                TCHAR chSep = '\n');

#include <afxcoll.h>

#endif // __AFX_H__
