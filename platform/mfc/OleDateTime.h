#pragma once
// A date and time as an OLE DATE (days since 30 December 1899; the fraction is the time of day,
// counted forwards from midnight even for negative days) with a status.
#include "platform/mfc/OleDateTimeSpan.h"
#include "platform/mfc/String.h"

#include <windows.h>

#include <ctime>

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

    COleDateTime() = default;
    COleDateTime(DATE dtSrc) : m_dt(dtSrc) {}
    COleDateTime(const SYSTEMTIME& systimeSrc);
    explicit COleDateTime(time_t timeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;

    // Now, from the C run-time clock, in local time.
    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    // 0 on success; 1 (and the status invalid) for a date outside 100-01-01 to 9999-12-31 or a
    // day or time that does not exist.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);
    int SetTime(int nHour, int nMin, int nSec);
    bool GetAsSystemTime(SYSTEMTIME& sysTime) const;

    // The parts, rounded to the nearest second; -1 when the value is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // 1 for Sunday to 7 for Saturday.
    int GetDayOfWeek() const;
    // 1 for the first of January.
    int GetDayOfYear() const;

    // strftime-style format; empty when the value is not valid.
    CString Format(LPCSTR pFormat) const;
    // The locale's date and time (the time is left out at midnight); kDateValueOnly and
    // kTimeValueOnly (the values of VAR_DATEVALUEONLY and VAR_TIMEVALUEONLY) select one part.
    static constexpr DWORD kDateValueOnly = 0x002;
    static constexpr DWORD kTimeValueOnly = 0x001;
    CString Format(DWORD dwFlags = 0, LCID lcid = LOCALE_USER_DEFAULT) const;

    operator DATE() const { return m_dt; }
    COleDateTime& operator=(DATE dtSrc);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);

    bool operator==(const COleDateTime& date) const;
    bool operator!=(const COleDateTime& date) const { return !(*this == date); }
    bool operator<(const COleDateTime& date) const;
    bool operator>(const COleDateTime& date) const { return date < *this; }
    bool operator<=(const COleDateTime& date) const { return !(date < *this); }
    bool operator>=(const COleDateTime& date) const { return !(*this < date); }

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan);
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan);
    COleDateTimeSpan operator-(const COleDateTime& date) const;
};
