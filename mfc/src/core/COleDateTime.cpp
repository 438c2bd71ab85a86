// COleDateTime: OLE automation dates (days since 30 December 1899; a
// negative date keeps its time of day as a positive fraction).
#include <afx.h>
#include "CoreImpl.h"
#include <math.h>

namespace
{
const double dMinDate = -657434.0;    // 1 January 100
const double dMaxDate = 2958465.0;    // 31 December 9999
const double dHalfSecond = 1.0 / 172800.0;
const long nDaysTo1970 = 25569;       // 30 December 1899 to 1 January 1970

// Proleptic Gregorian calendar, days counted from 1 January 1970.
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long)doe - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = (unsigned)(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = (int)(doy - (153 * mp + 2) / 5 + 1);
    m = (int)(mp < 10 ? mp + 3 : mp - 9);
    y = (int)(yoe + era * 400 + (m <= 2));
}

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// The date as a number that grows with time, for comparisons and spans.
double LinearFromDate(DATE dt)
{
    if (dt >= 0)
        return dt;
    double dTrunc = ceil(dt);
    return dTrunc - (dt - dTrunc);
}

DATE DateFromLinear(double d)
{
    if (d >= 0)
        return d;
    // Whole day below, time of day above it; stored as day minus time.
    double dFloor = floor(d);
    double dFraction = d - dFloor;
    return dFloor - dFraction;
}

// Breaks a date into calendar fields; false outside 100..9999.
bool TmFromOleDate(DATE dtSrc, struct tm& tmDest)
{
    if (!(dtSrc >= dMinDate && dtSrc <= dMaxDate))
        return false;
    double dblDate = dtSrc + ((dtSrc > 0.0) ? dHalfSecond : -dHalfSecond);
    long nDays = (long)dblDate;   // toward zero
    double dblTime = fabs(dblDate - nDays);
    long nSecsInDay = (long)(dblTime * 86400.0);
    if (nSecsInDay >= 86400)
        nSecsInDay = 86399;

    int y, m, d;
    CivilFromDays(nDays - nDaysTo1970, y, m, d);
    memset(&tmDest, 0, sizeof(tmDest));
    tmDest.tm_year = y - 1900;
    tmDest.tm_mon = m - 1;
    tmDest.tm_mday = d;
    tmDest.tm_hour = (int)(nSecsInDay / 3600);
    tmDest.tm_min = (int)((nSecsInDay / 60) % 60);
    tmDest.tm_sec = (int)(nSecsInDay % 60);
    // 30 December 1899 was a Saturday.
    tmDest.tm_wday = (int)(((nDays % 7) + 7 + 6) % 7);
    tmDest.tm_yday = (int)(nDays - nDaysTo1970 - DaysFromCivil(y, 1, 1));
    tmDest.tm_isdst = -1;
    return true;
}

bool OleDateFromTm(int wYear, int wMonth, int wDay, int wHour, int wMinute, int wSecond, DATE& dtDest)
{
    static const int s_monthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (wYear < 100 || wYear > 9999 || wMonth < 1 || wMonth > 12)
        return false;
    int nDaysInMonth = s_monthDays[wMonth] + ((wMonth == 2 && IsLeapYear(wYear)) ? 1 : 0);
    if (wDay < 1 || wDay > nDaysInMonth || wHour < 0 || wHour > 23 || wMinute < 0 || wMinute > 59 || wSecond < 0 ||
        wSecond > 59)
        return false;
    long nDate = DaysFromCivil(wYear, (unsigned)wMonth, (unsigned)wDay) + nDaysTo1970;
    double dblTime = (wHour * 3600L + wMinute * 60L + wSecond) / 86400.0;
    dtDest = (double)nDate + ((nDate >= 0) ? dblTime : -dblTime);
    return true;
}
} // namespace

COleDateTime PASCAL COleDateTime::GetCurrentTime()
{
    return COleDateTime(_time64(NULL));
}

COleDateTime::COleDateTime(const VARIANT& varSrc)
{
    *this = varSrc;
}

COleDateTime::COleDateTime(__time64_t timeSrc)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc)
{
    *this = filetimeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime::COleDateTime(WORD wDosDate, WORD wDosTime)
{
    SetDateTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11,
                (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2);
}

const COleDateTime& COleDateTime::operator=(const VARIANT& varSrc)
{
    if (varSrc.vt == VT_DATE)
    {
        m_dt = varSrc.date;
        m_status = valid;
        return *this;
    }
    if (varSrc.vt == VT_NULL || varSrc.vt == VT_EMPTY)
    {
        m_dt = 0;
        m_status = null;
        return *this;
    }
    VARIANT varDate;
    VariantInit(&varDate);
    if (SUCCEEDED(VariantChangeType(&varDate, const_cast<VARIANT*>(&varSrc), 0, VT_DATE)))
    {
        m_dt = varDate.date;
        m_status = valid;
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    VariantClear(&varDate);
    return *this;
}

const COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = valid;
    return *this;
}

const COleDateTime& COleDateTime::operator=(const __time64_t& timeSrc)
{
    struct tm* ptm = timeSrc >= 0 ? _localtime64(&timeSrc) : NULL;
    if (ptm == NULL)
    {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    struct tm tmCopy = *ptm;
    SetDateTime(tmCopy.tm_year + 1900, tmCopy.tm_mon + 1, tmCopy.tm_mday, tmCopy.tm_hour, tmCopy.tm_min,
                tmCopy.tm_sec);
    return *this;
}

const COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute,
                systimeSrc.wSecond);
    return *this;
}

const COleDateTime& COleDateTime::operator=(const FILETIME& filetimeSrc)
{
    SYSTEMTIME systime;
    if (FileTimeToSystemTime(&filetimeSrc, &systime))
    {
        *this = systime;
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    return *this;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (OleDateFromTm(nYear, nMonth, nDay, nHour, nMin, nSec, m_dt))
    {
        m_status = valid;
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    return m_status;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    struct tm tmTemp;
    if (m_status != valid || !TmFromOleDate(m_dt, tmTemp))
        return FALSE;
    sysTime.wYear = (WORD)(tmTemp.tm_year + 1900);
    sysTime.wMonth = (WORD)(tmTemp.tm_mon + 1);
    sysTime.wDayOfWeek = (WORD)tmTemp.tm_wday;
    sysTime.wDay = (WORD)tmTemp.tm_mday;
    sysTime.wHour = (WORD)tmTemp.tm_hour;
    sysTime.wMinute = (WORD)tmTemp.tm_min;
    sysTime.wSecond = (WORD)tmTemp.tm_sec;
    sysTime.wMilliseconds = 0;
    return TRUE;
}

// One calendar field; -1 (the framework's error value) when invalid.
static int DateField(const COleDateTime& date, int tm::*pField, int nBias)
{
    struct tm tmTemp;
    if (date.GetStatus() != COleDateTime::valid || !TmFromOleDate(date.m_dt, tmTemp))
        return -1;
    return tmTemp.*pField + nBias;
}

int COleDateTime::GetYear() const { return DateField(*this, &tm::tm_year, 1900); }
int COleDateTime::GetMonth() const { return DateField(*this, &tm::tm_mon, 1); }
int COleDateTime::GetDay() const { return DateField(*this, &tm::tm_mday, 0); }
int COleDateTime::GetHour() const { return DateField(*this, &tm::tm_hour, 0); }
int COleDateTime::GetMinute() const { return DateField(*this, &tm::tm_min, 0); }
int COleDateTime::GetSecond() const { return DateField(*this, &tm::tm_sec, 0); }
int COleDateTime::GetDayOfWeek() const { return DateField(*this, &tm::tm_wday, 1); }
int COleDateTime::GetDayOfYear() const { return DateField(*this, &tm::tm_yday, 1); }

BOOL COleDateTime::operator==(const COleDateTime& date) const
{
    return m_status == date.m_status && m_dt == date.m_dt;
}

BOOL COleDateTime::operator!=(const COleDateTime& date) const
{
    return !(*this == date);
}

BOOL COleDateTime::operator<(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) < LinearFromDate(date.m_dt);
}

BOOL COleDateTime::operator>(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) > LinearFromDate(date.m_dt);
}

BOOL COleDateTime::operator<=(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) <= LinearFromDate(date.m_dt);
}

BOOL COleDateTime::operator>=(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) >= LinearFromDate(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime dateResult;
    if (m_status != valid || dateSpan.GetStatus() != COleDateTimeSpan::valid)
    {
        dateResult.SetStatus(m_status != valid ? m_status : invalid);
        return dateResult;
    }
    dateResult = DateFromLinear(LinearFromDate(m_dt) + dateSpan.m_span);
    if (!(dateResult.m_dt >= dMinDate && dateResult.m_dt <= dMaxDate))
        dateResult.SetStatus(invalid);
    return dateResult;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + COleDateTimeSpan(-dateSpan.m_span);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan spanResult(LinearFromDate(m_dt) - LinearFromDate(date.m_dt));
    if (m_status != valid || date.m_status != valid)
        spanResult.SetStatus(COleDateTimeSpan::invalid);
    return spanResult;
}

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    m_dt = 0;
    if (lpszDate == NULL)
    {
        m_status = invalid;
        return FALSE;
    }
    BSTR bstrDate = ::SysAllocString(lpszDate);
    if (bstrDate == NULL)
        AfxThrowMemoryException();
    HRESULT hr = VarDateFromStr(bstrDate, lcid, dwFlags, &m_dt);
    ::SysFreeString(bstrDate);
    if (FAILED(hr))
    {
        if (hr == E_OUTOFMEMORY)
            AfxThrowMemoryException();
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    m_status = valid;
    return TRUE;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString(L"Invalid DateTime");
    BSTR bstr = NULL;
    if (FAILED(VarBstrFromDate(m_dt, lcid, dwFlags, &bstr)) || bstr == NULL)
        return CString(L"Invalid DateTime");
    CString strResult(bstr, (int)::SysStringLen(bstr));
    ::SysFreeString(bstr);
    return strResult;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    struct tm tmTemp;
    if (m_status != valid || !TmFromOleDate(m_dt, tmTemp))
        return CString(L"Invalid DateTime");
    return _AfxFormatTm(lpszFormat, &tmTemp);
}

CString COleDateTime::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format((LPCTSTR)strFormat);
}

COleDateTimeSpan::COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs)
    : m_span(lDays + ((double)nHours) / 24 + ((double)nMins) / (24 * 60) + ((double)nSecs) / (24 * 60 * 60)),
      m_status(valid)
{
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    ar << (LONG)dateSrc.GetStatus();
    return ar << dateSrc.m_dt;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG lStatus;
    ar >> lStatus;
    if (lStatus < COleDateTime::valid || lStatus > COleDateTime::null)
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    dateSrc.SetStatus((COleDateTime::DateTimeStatus)lStatus);
    return ar >> dateSrc.m_dt;
}
