#include "platform/mfc/OleDateTime.h"

#include <cmath>

namespace
{
constexpr LONGLONG kSecondsPerDay = 24 * 60 * 60;
// Days from 1899-12-30 (day 0 of DATE) to 1970-01-01.
constexpr LONGLONG kUnixEpochDay = 25569;
constexpr DATE kMinDate = -657434.0;  // 100-01-01
constexpr DATE kMaxDate = 2958465.99999999;  // 9999-12-31 23:59:59

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
LONGLONG DaysFromCivil(LONGLONG y, unsigned m, unsigned d)
{
    y -= m <= 2;
    LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = static_cast<unsigned>(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<LONGLONG>(doe) - 719468;
}

void CivilFromDays(LONGLONG z, int& y, int& m, int& d)
{
    z += 719468;
    LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = static_cast<unsigned>(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<LONGLONG>(yoe) + era * 400 + (m <= 2));
}

// DATE counts the time forwards from midnight even before day 0, so it is not linear there.
double DateToLinear(DATE dt)
{
    double dDays = std::trunc(dt);
    return dt >= 0 ? dt : dDays + std::fabs(dt - dDays);
}

DATE LinearToDate(double dLinear)
{
    if (dLinear >= 0)
        return dLinear;
    double dDays = std::floor(dLinear);
    return dDays - (dLinear - dDays);
}

// Seconds since day 0 at midnight, rounded to the nearest second.
LONGLONG LinearSeconds(DATE dt)
{
    return std::llround(DateToLinear(dt) * kSecondsPerDay);
}

bool IsValidDate(DATE dt)
{
    return std::isfinite(dt) && dt >= kMinDate && dt <= kMaxDate;
}

bool IsLeapYear(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : kDays[nMonth - 1];
}
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(time_t timeSrc)
{
    std::tm local = {};
    if (localtime_r(&timeSrc, &local) == nullptr)
    {
        m_status = invalid;
        return;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(std::time(nullptr));
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    constexpr int kMinYear = 100;
    constexpr int kMaxYear = 9999;
    if (nYear < kMinYear || nYear > kMaxYear || nMonth < 1 || nMonth > 12 || nDay < 1 ||
        nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 ||
        nSec > 59)
    {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    LONGLONG nDays = DaysFromCivil(nYear, static_cast<unsigned>(nMonth), static_cast<unsigned>(nDay)) + kUnixEpochDay;
    double dTime = static_cast<double>(nHour * 3600 + nMin * 60 + nSec) / kSecondsPerDay;
    m_dt = nDays >= 0 ? static_cast<double>(nDays) + dTime : static_cast<double>(nDays) - dTime;
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
    // A time alone is a time on day 0.
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    if (m_status != valid || !IsValidDate(m_dt))
        return false;
    LONGLONG nSeconds = LinearSeconds(m_dt);
    LONGLONG nDays = nSeconds >= 0 ? nSeconds / kSecondsPerDay : -((-nSeconds + kSecondsPerDay - 1) / kSecondsPerDay);
    LONGLONG nSecondOfDay = nSeconds - nDays * kSecondsPerDay;
    int nYear = 0;
    int nMonth = 0;
    int nDay = 0;
    CivilFromDays(nDays - kUnixEpochDay, nYear, nMonth, nDay);
    sysTime = SYSTEMTIME{};
    sysTime.wYear = static_cast<WORD>(nYear);
    sysTime.wMonth = static_cast<WORD>(nMonth);
    sysTime.wDay = static_cast<WORD>(nDay);
    // 1899-12-30 was a Saturday; Sunday is 0.
    sysTime.wDayOfWeek = static_cast<WORD>(((nDays % 7) + 7 + 6) % 7);
    sysTime.wHour = static_cast<WORD>(nSecondOfDay / 3600);
    sysTime.wMinute = static_cast<WORD>(nSecondOfDay % 3600 / 60);
    sysTime.wSecond = static_cast<WORD>(nSecondOfDay % 60);
    return true;
}

namespace
{
template <class F>
int PartOf(const COleDateTime& date, F part)
{
    SYSTEMTIME st;
    return date.GetAsSystemTime(st) ? part(st) : -1;
}
}

int COleDateTime::GetYear() const { return PartOf(*this, [](const SYSTEMTIME& st) { return int(st.wYear); }); }
int COleDateTime::GetMonth() const { return PartOf(*this, [](const SYSTEMTIME& st) { return int(st.wMonth); }); }
int COleDateTime::GetDay() const { return PartOf(*this, [](const SYSTEMTIME& st) { return int(st.wDay); }); }
int COleDateTime::GetHour() const { return PartOf(*this, [](const SYSTEMTIME& st) { return int(st.wHour); }); }
int COleDateTime::GetMinute() const { return PartOf(*this, [](const SYSTEMTIME& st) { return int(st.wMinute); }); }
int COleDateTime::GetSecond() const { return PartOf(*this, [](const SYSTEMTIME& st) { return int(st.wSecond); }); }
int COleDateTime::GetDayOfWeek() const
{
    return PartOf(*this, [](const SYSTEMTIME& st) { return int(st.wDayOfWeek) + 1; });
}
int COleDateTime::GetDayOfYear() const
{
    return PartOf(*this, [](const SYSTEMTIME& st) {
        return static_cast<int>(DaysFromCivil(st.wYear, st.wMonth, st.wDay) - DaysFromCivil(st.wYear, 1, 1)) + 1;
    });
}

CString COleDateTime::Format(LPCSTR pFormat) const
{
    SYSTEMTIME st;
    if (pFormat == nullptr || !GetAsSystemTime(st))
        return CString();
    std::tm tmTime = {};
    tmTime.tm_year = st.wYear - 1900;
    tmTime.tm_mon = st.wMonth - 1;
    tmTime.tm_mday = st.wDay;
    tmTime.tm_hour = st.wHour;
    tmTime.tm_min = st.wMinute;
    tmTime.tm_sec = st.wSecond;
    tmTime.tm_wday = st.wDayOfWeek;
    tmTime.tm_yday = GetDayOfYear() - 1;
    tmTime.tm_isdst = -1;
    char buffer[256];
    size_t nLength = std::strftime(buffer, sizeof buffer, pFormat, &tmTime);
    return CString(buffer, static_cast<int>(nLength));
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return CString();
    char buffer[128];
    CString result;
    bool bMidnight = st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0;
    if (!(dwFlags & kTimeValueOnly) && ::GetDateFormatA(lcid, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer) > 0)
        result = buffer;
    if (!(dwFlags & kDateValueOnly) && (!bMidnight || (dwFlags & kTimeValueOnly)) &&
        ::GetTimeFormatA(lcid, 0, &st, nullptr, buffer, sizeof buffer) > 0)
    {
        if (!result.IsEmpty())
            result += ' ';
        result += buffer;
    }
    return result;
}

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = IsValidDate(dtSrc) ? valid : invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute,
                systimeSrc.wSecond);
    return *this;
}

bool COleDateTime::operator==(const COleDateTime& date) const
{
    return m_status == date.m_status && (m_status != valid || m_dt == date.m_dt);
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    return DateToLinear(m_dt) < DateToLinear(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result;
    if (m_status != valid || dateSpan.GetStatus() != COleDateTimeSpan::valid)
    {
        result.m_status = (m_status == null || dateSpan.GetStatus() == COleDateTimeSpan::null) ? null : invalid;
        return result;
    }
    result = LinearToDate(DateToLinear(m_dt) + dateSpan.m_span);
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + (-dateSpan);
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& dateSpan)
{
    *this = *this + dateSpan;
    return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& dateSpan)
{
    *this = *this - dateSpan;
    return *this;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span(DateToLinear(m_dt) - DateToLinear(date.m_dt));
    if (m_status != valid || date.m_status != valid)
        span.SetStatus((m_status == null || date.m_status == null) ? COleDateTimeSpan::null : COleDateTimeSpan::invalid);
    return span;
}
