#pragma once
// A length of time in days (with fractions), the difference of two COleDateTime values.
#include <windows.h>

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc) {}
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    double m_span = 0;
    DateTimeSpanStatus m_status = valid;

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    // The parts of the span rounded to whole seconds; hours, minutes and seconds share its sign.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    operator double() const { return m_span; }
    COleDateTimeSpan operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan operator-() const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& dateSpan);
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& dateSpan);
    bool operator==(const COleDateTimeSpan& dateSpan) const;
    bool operator!=(const COleDateTimeSpan& dateSpan) const { return !(*this == dateSpan); }
    bool operator<(const COleDateTimeSpan& dateSpan) const;
    bool operator>(const COleDateTimeSpan& dateSpan) const { return dateSpan < *this; }
    bool operator<=(const COleDateTimeSpan& dateSpan) const { return !(dateSpan < *this); }
    bool operator>=(const COleDateTimeSpan& dateSpan) const { return !(*this < dateSpan); }

private:
    LONGLONG TotalRoundedSeconds() const;
};
