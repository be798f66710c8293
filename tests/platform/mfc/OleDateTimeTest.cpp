#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

TEST(OleDateTime, ConvertsBetweenDatesAndCalendarParts)
{
    struct Case
    {
        DATE dt;
        int year, month, day, hour, minute, second, dayOfWeek;
    } const cases[] = {
        {0.0, 1899, 12, 30, 0, 0, 0, 7},
        {2.0, 1900, 1, 1, 0, 0, 0, 2},
        {36526.5, 2000, 1, 1, 12, 0, 0, 7},
        {39507.25, 2008, 2, 29, 6, 0, 0, 6},
        {-1.25, 1899, 12, 29, 6, 0, 0, 6},  // the time counts forwards from midnight before day 0
        {2958465.0, 9999, 12, 31, 0, 0, 0, 6},
    };
    for (const Case& c : cases)
    {
        COleDateTime date(c.dt);
        EXPECT_EQ(c.year, date.GetYear()) << c.dt;
        EXPECT_EQ(c.month, date.GetMonth()) << c.dt;
        EXPECT_EQ(c.day, date.GetDay()) << c.dt;
        EXPECT_EQ(c.hour, date.GetHour()) << c.dt;
        EXPECT_EQ(c.minute, date.GetMinute()) << c.dt;
        EXPECT_EQ(c.second, date.GetSecond()) << c.dt;
        EXPECT_EQ(c.dayOfWeek, date.GetDayOfWeek()) << c.dt;
        COleDateTime rebuilt(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_DOUBLE_EQ(c.dt, rebuilt.m_dt) << c.dt;
    }
}

TEST(OleDateTime, ImpossibleDatesAreInvalid)
{
    struct Case
    {
        int year, month, day, hour, minute, second;
    } const cases[] = {
        {2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2000, 13, 1, 0, 0, 0}, {2000, 4, 31, 0, 0, 0},
        {99, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0}, {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0},
    };
    for (const Case& c : cases)
    {
        COleDateTime date;
        EXPECT_EQ(1, date.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second)) << c.year << "-" << c.month;
        EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
        EXPECT_EQ(-1, date.GetYear());
    }
    COleDateTime leap;
    EXPECT_EQ(0, leap.SetDate(2000, 2, 29));
    EXPECT_EQ(60, leap.GetDayOfYear());
}

TEST(OleDateTime, ArithmeticIsLinearAcrossDayZero)
{
    COleDateTime before(1899, 12, 29, 18, 0, 0);
    COleDateTime after = before + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_EQ(1899, after.GetYear());
    EXPECT_EQ(30, after.GetDay());
    EXPECT_EQ(6, after.GetHour());
    EXPECT_DOUBLE_EQ(0.5, (after - before).GetTotalDays());
    EXPECT_TRUE(before < after);
    COleDateTime monthEnd(2024, 1, 31, 0, 0, 0);
    COleDateTime next = monthEnd + COleDateTimeSpan(1, 0, 0, 0);
    EXPECT_EQ(2, next.GetMonth());
    EXPECT_EQ(1, next.GetDay());

    COleDateTimeSpan span(2, 3, 4, 5);
    EXPECT_EQ(2, span.GetDays());
    EXPECT_EQ(3, span.GetHours());
    EXPECT_EQ(4, span.GetMinutes());
    EXPECT_EQ(5, span.GetSeconds());

    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    EXPECT_EQ(COleDateTime::null, (nullDate + span).GetStatus());
    EXPECT_STREQ("2024-01-31", monthEnd.Format("%Y-%m-%d"));
}
