// CTime and CTimeSpan: seconds since 1970 (UTC), shown in local time.
#include <afx.h>
#include "CoreImpl.h"

namespace
{
const __time64_t timeInvalid = -1;
}

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(_time64(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    // Values outside what the runtime can represent (1970 to 3000) give
    // the invalid time instead of a stopped program.
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
        nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
    {
        m_time = timeInvalid;
        return;
    }
    struct tm atm;
    memset(&atm, 0, sizeof(atm));
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    m_time = _mktime64(&atm);
    if (m_time < 0)
        m_time = timeInvalid;
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11, (wDosTime >> 5) & 0x3F,
            (wDosTime & 0x1F) * 2, nDST)
{
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime((int)st.wYear, (int)st.wMonth, (int)st.wDay, (int)st.wHour, (int)st.wMinute, (int)st.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& ft, int nDST) : m_time(timeInvalid)
{
    FILETIME ftLocal;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &ftLocal) || !FileTimeToSystemTime(&ftLocal, &st))
        return;
    *this = CTime(st, nDST);
}

BOOL PASCAL CTime::IsValidFILETIME(const FILETIME& ft)
{
    FILETIME ftLocal;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &ftLocal) || !FileTimeToSystemTime(&ftLocal, &st))
        return FALSE;
    return CTime(st).GetTime() != timeInvalid;
}

// Breaks a valid time into fields with the runtime's converter.
static struct tm* BreakTime(__time64_t time, struct tm* (__cdecl* pfnConvert)(const __time64_t*), struct tm* ptm)
{
    if (ptm == NULL || time < 0)
        return NULL;
    struct tm* ptmTemp = pfnConvert(&time);
    if (ptmTemp == NULL)
        return NULL;
    *ptm = *ptmTemp;
    return ptm;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    return BreakTime(m_time, _gmtime64, ptm);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    return BreakTime(m_time, _localtime64, ptm);
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm ttm;
    if (GetLocalTm(&ttm) == NULL)
        return FALSE;
    st.wYear = (WORD)(1900 + ttm.tm_year);
    st.wMonth = (WORD)(1 + ttm.tm_mon);
    st.wDayOfWeek = (WORD)ttm.tm_wday;
    st.wDay = (WORD)ttm.tm_mday;
    st.wHour = (WORD)ttm.tm_hour;
    st.wMinute = (WORD)ttm.tm_min;
    st.wSecond = (WORD)ttm.tm_sec;
    st.wMilliseconds = 0;
    return TRUE;
}

// One local-time field, 0 for an invalid time.
static int LocalField(const CTime& time, int tm::*pField, int nBias)
{
    struct tm ttm;
    if (time.GetLocalTm(&ttm) == NULL)
        return 0;
    return ttm.*pField + nBias;
}

int CTime::GetYear() const { return LocalField(*this, &tm::tm_year, 1900); }
int CTime::GetMonth() const { return LocalField(*this, &tm::tm_mon, 1); }
int CTime::GetDay() const { return LocalField(*this, &tm::tm_mday, 0); }
int CTime::GetHour() const { return LocalField(*this, &tm::tm_hour, 0); }
int CTime::GetMinute() const { return LocalField(*this, &tm::tm_min, 0); }
int CTime::GetSecond() const { return LocalField(*this, &tm::tm_sec, 0); }
int CTime::GetDayOfWeek() const { return LocalField(*this, &tm::tm_wday, 1); }

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm ttm;
    return _AfxFormatTm(pFormat, GetLocalTm(&ttm));
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm ttm;
    return _AfxFormatTm(pFormat, GetGmtTm(&ttm));
}

CString CTime::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format(strFormat);
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return FormatGmt(strFormat);
}

// ---------------------------------------------------------------------------

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString strResult;
    if (pFormat == NULL)
        return strResult;
    for (LPCTSTR p = pFormat; *p != 0; p++)
    {
        if (*p != '%')
        {
            strResult += *p;
            continue;
        }
        CString strPart;
        switch (*++p)
        {
        case '%':
            strResult += '%';
            break;
        case 'D':
            strPart.Format(L"%I64d", (LONGLONG)GetDays());
            break;
        case 'H':
            strPart.Format(L"%02ld", (long)GetHours());
            break;
        case 'M':
            strPart.Format(L"%02ld", (long)GetMinutes());
            break;
        case 'S':
            strPart.Format(L"%02ld", (long)GetSeconds());
            break;
        case 0:
            return strResult;   // a lone '%' at the end
        default:
            break;              // unknown directives produce nothing
        }
        strResult += strPart;
    }
    return strResult;
}

CString CTimeSpan::Format(UINT nID) const
{
    CString strFormat;
    strFormat.LoadString(nID);
    return Format(strFormat);
}

CString AFXAPI _AfxFormatTm(LPCTSTR pFormat, const struct tm* ptm)
{
    if (ptm == NULL || pFormat == NULL || *pFormat == 0)
        return CString();
    // wcsftime reports 0 both for "too small" and for an empty result:
    // grow a few times, then take the empty result.
    for (size_t nSize = 128; nSize <= 8192; nSize *= 2)
    {
        CString strResult;
        LPTSTR p = strResult.GetBuffer((int)nSize);
        size_t n = wcsftime(p, nSize, pFormat, ptm);
        if (n > 0 || nSize >= 8192)
        {
            strResult.ReleaseBuffer((int)n);
            return strResult;
        }
    }
    return CString();
}
