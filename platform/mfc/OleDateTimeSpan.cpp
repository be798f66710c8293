#include "platform/mfc/OleDateTimeSpan.h"

#include <cmath>

namespace
{
constexpr double kHoursPerDay = 24;
constexpr double kMinutesPerDay = 24 * 60;
constexpr double kSecondsPerDay = 24 * 60 * 60;
constexpr LONGLONG kSecondsPerDayInt = 24 * 60 * 60;
}

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + nHours / kHoursPerDay + nMins / kMinutesPerDay + nSecs / kSecondsPerDay;
    m_status = valid;
}

double COleDateTimeSpan::GetTotalHours() const { return m_span * kHoursPerDay; }
double COleDateTimeSpan::GetTotalMinutes() const { return m_span * kMinutesPerDay; }
double COleDateTimeSpan::GetTotalSeconds() const { return m_span * kSecondsPerDay; }

LONGLONG COleDateTimeSpan::TotalRoundedSeconds() const
{
    return std::llround(m_span * kSecondsPerDay);
}

LONG COleDateTimeSpan::GetDays() const { return static_cast<LONG>(TotalRoundedSeconds() / kSecondsPerDayInt); }
LONG COleDateTimeSpan::GetHours() const { return static_cast<LONG>(TotalRoundedSeconds() % kSecondsPerDayInt / 3600); }
LONG COleDateTimeSpan::GetMinutes() const { return static_cast<LONG>(TotalRoundedSeconds() % 3600 / 60); }
LONG COleDateTimeSpan::GetSeconds() const { return static_cast<LONG>(TotalRoundedSeconds() % 60); }

// A span that is not valid makes any result of arithmetic with it invalid (null with null stays null).
namespace
{
COleDateTimeSpan::DateTimeSpanStatus CombinedStatus(COleDateTimeSpan::DateTimeSpanStatus a,
                                                    COleDateTimeSpan::DateTimeSpanStatus b)
{
    if (a == COleDateTimeSpan::valid && b == COleDateTimeSpan::valid)
        return COleDateTimeSpan::valid;
    if (a == COleDateTimeSpan::null && b == COleDateTimeSpan::null)
        return COleDateTimeSpan::null;
    return COleDateTimeSpan::invalid;
}
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTimeSpan result(m_span + dateSpan.m_span);
    result.m_status = CombinedStatus(m_status, dateSpan.m_status);
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& dateSpan) const
{
    COleDateTimeSpan result(m_span - dateSpan.m_span);
    result.m_status = CombinedStatus(m_status, dateSpan.m_status);
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& dateSpan)
{
    *this = *this + dateSpan;
    return *this;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& dateSpan)
{
    *this = *this - dateSpan;
    return *this;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& dateSpan) const
{
    return m_status == dateSpan.m_status && m_span == dateSpan.m_span;
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& dateSpan) const
{
    return m_span < dateSpan.m_span;
}
