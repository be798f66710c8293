// The month calendar under real windows: grids per locale, range ends, layout, locale input,
// mouse and keyboard selection and notifications.
#include "ControlTestSupport.h"
#include "ui/controls/ExtDatePickerWnd.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
using Picker = CExtDatePickerWnd;

// A date picker whose locale answers from a table (a missing item is absent) and which can
// pretend to sit in a popup menu.
class CTestDatePicker : public CExtDatePickerWnd
{
public:
    std::map<LCTYPE, std::string> m_locale;
    bool m_bUseLocale = false;
    bool m_bInPopup = false;

protected:
    bool QueryLocaleInfo(LCTYPE lcType, char* pBuffer, int nSize) const override
    {
        if (!m_bUseLocale)
            return CExtDatePickerWnd::QueryLocaleInfo(lcType, pBuffer, nSize);
        const auto it = m_locale.find(lcType);
        if (it == m_locale.end())
            return false;
        lstrcpynA(pBuffer, it->second.c_str(), nSize);
        return true;
    }
    bool IsHostedInPopup() const override { return m_bInPopup; }
};

COleDateTime Day(int y, int m, int d)
{
    COleDateTime dt;
    dt.SetDate(y, m, d);
    return dt;
}

std::string Text(const COleDateTime& dt)
{
    if (dt.GetStatus() == COleDateTime::null)
        return "null";
    char sz[32];
    wsprintfA(sz, "%04d-%02d-%02d", dt.GetYear(), dt.GetMonth(), dt.GetDay());
    return sz;
}

// Copies of the notifications, taken while they are delivered (they live on the sender's stack).
std::vector<CExtDatePickerWnd::SelectionNotificationData> g_received;

void KeepNotification(CTestHostWindow&, WPARAM wParam, LPARAM)
{
    g_received.push_back(*reinterpret_cast<const CExtDatePickerWnd::SelectionNotificationData*>(wParam));
}

POINT CentreOf(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

class DatePickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host = &CTestHostWindow::Shared(700, 400, Picker::g_nMsgSelectionNotification);
        m_host->m_pfnOnRecord = KeepNotification;
        g_received.clear();
    }
    void TearDown() override
    {
        if (m_pPicker && m_pPicker->m_hWnd != nullptr)
            m_pPicker->DestroyWindow();
        m_pPicker.reset();
    }

    // A picker showing the month of the date, of the grid and style, with a locale first weekday.
    CTestDatePicker& Make(const COleDateTime& dtCurrent, int nAcross = 1, DWORD dwStyle = Picker::DPS_DEFAULT,
                          const char* pszFirstDay = "0", SIZE sizeWindow = SIZE{0, 0})
    {
        TearDown();
        m_pPicker = std::make_unique<CTestDatePicker>();
        if (pszFirstDay != nullptr) {
            m_pPicker->m_bUseLocale = true;
            m_pPicker->m_locale[LOCALE_IFIRSTDAYOFWEEK] = pszFirstDay;
            const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
            for (int i = 0; i < 12; ++i)
                m_pPicker->m_locale[LOCALE_SMONTHNAME1 + i] = months[i];
            const char* days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
            for (int i = 0; i < 7; ++i)
                m_pPicker->m_locale[LOCALE_SABBREVDAYNAME1 + i] = days[i];
        }
        SIZE size = sizeWindow;
        if (size.cx == 0) {
            m_pPicker->UpdateCalendarStyle(~0u, dwStyle, false);
            m_pPicker->CalcWindowSize(&size, SIZE{nAcross, 1});
        }
        EXPECT_TRUE(m_pPicker->Create(CWnd::FromHandle(m_host->Handle()), RECT{0, 0, size.cx, size.cy}, 1001, nAcross,
                                      1, nAcross, 1, WS_CHILD | WS_VISIBLE | WS_TABSTOP, dwStyle));
        m_pPicker->SetCurrentDate(dtCurrent, false);
        PumpMessages();
        m_host->m_records.clear();
        g_received.clear();
        return *m_pPicker;
    }


    CTestHostWindow* m_host = nullptr;
    std::unique_ptr<CTestDatePicker> m_pPicker;
};

TEST_F(DatePickerTest, GridStartsOnTheLocaleWeekdayWithAtLeastOneEarlierDay)
{
    struct Case
    {
        int year, month;
        const char* firstDay;
        COleDateTime expected;
    };
    const Case cases[] = {
        {2024, 4, "0", Day(2024, 3, 25)},  // Monday-first; 1 April is a Monday
        {2024, 9, "6", Day(2024, 8, 25)},  // Sunday-first; 1 September is a Sunday
        {2100, 2, "0", Day(2100, 1, 25)},
        {2024, 2, "6", Day(2024, 1, 28)},
        {2024, 2, "0", Day(2024, 1, 29)},
    };
    for (const Case& c : cases) {
        Picker& p = Make(Day(c.year, c.month, 15), 1, Picker::DPS_DEFAULT, c.firstDay);
        ASSERT_EQ(1, p.GetMonthCount());
        EXPECT_EQ(Text(c.expected), Text(p.GetMonth(0)->m_arrDays[0].m_dt)) << c.year << "-" << c.month;
    }
}

TEST_F(DatePickerTest, MonthsHoldTheirDays)
{
    const std::pair<COleDateTime, int> cases[] = {
        {Day(2024, 2, 1), 29}, {Day(2000, 2, 1), 29}, {Day(2100, 2, 1), 28}, {Day(1900, 2, 1), 28},
        {Day(2024, 4, 1), 30}, {Day(2024, 12, 1), 31}, {Day(100, 1, 1), 31}, {Day(9999, 12, 1), 31},
    };
    for (const auto& [dt, nDays] : cases) {
        Picker& p = Make(dt, 1, Picker::DPS_DEFAULT & ~Picker::DPS_NEIGHBOUR_DAYS_AT_ENDS);
        const Picker::MONTH_INFO* m = p.GetMonth(0);
        int nOwn = 0, nLast = 0;
        for (const auto& d : m->m_arrDays)
            if (d.m_dt.GetStatus() == COleDateTime::valid && d.m_dt.GetMonth() == m->m_nMonth) {
                ++nOwn;
                nLast = d.m_dt.GetDay();
            }
        EXPECT_EQ(nDays, nOwn) << Text(dt);
        EXPECT_EQ(nDays, nLast) << Text(dt);
    }
}

TEST_F(DatePickerTest, RangeEndsKeepTheGridInsideAndRefuseOutsideDates)
{
    // January of year 100: the days before it do not exist and stay empty.
    Picker& p = Make(Day(100, 1, 1));
    const Picker::MONTH_INFO* m = p.GetMonth(0);
    EXPECT_EQ(COleDateTime::null, m->m_arrDays[0].m_dt.GetStatus());
    COleDateTime dtFirst, dtLast;
    p.GetDisplayedRange(dtFirst, dtLast);
    EXPECT_EQ("0100-01-01", Text(dtFirst));
    EXPECT_EQ("0100-01-31", Text(dtLast));

    COleDateTime dtNull;
    dtNull.SetStatus(COleDateTime::null);
    COleDateTime dtBad;
    dtBad.SetDate(10000, 1, 1);
    for (const COleDateTime& dt : {dtNull, dtBad, COleDateTime(-700000.0), COleDateTime(3000000.0)}) {
        EXPECT_FALSE(p.SetCurrentDate(dt));
        EXPECT_FALSE(p.EnsureVisible(dt));
        EXPECT_EQ("0100-01-01", Text(p.GetCurrentDate()));
    }

    // Scrolling stops at both ends.
    const struct
    {
        COleDateTime start;
        bool prev;
        const char* expected;
    } scrolls[] = {
        {Day(100, 1, 1), true, "0100-01-01"}, {Day(9999, 12, 1), false, "9999-12-01"},
        {Day(2024, 12, 1), false, "2025-01-01"}, {Day(2025, 1, 1), true, "2024-12-01"},
    };
    for (const auto& s : scrolls) {
        Picker& q = Make(s.start);
        const RECT rc = s.prev ? q.GetMonth(0)->m_rcPrevButton : q.GetMonth(0)->m_rcNextButton;
        const POINT pt = CentreOf(rc);
        PostMouse(q.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pt.x, pt.y);
        PostMouse(q.m_hWnd, WM_LBUTTONUP, 0, pt.x, pt.y);
        EXPECT_EQ(s.expected, Text(q.GetCurrentDate()));
        EXPECT_EQ(Picker::TRACK_NONE, q.GetTrackingCode());
    }
}

// Held, the next-month button scrolls at once and then every 150 ms until released.
TEST_F(DatePickerTest, HeldScrollButtonRepeatsUntilReleased)
{
    Picker& p = Make(Day(2024, 1, 1));
    const POINT pt = CentreOf(p.GetMonth(0)->m_rcNextButton);
    PostMouse(p.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pt.x, pt.y);
    EXPECT_EQ(2, p.GetCurrentDate().GetMonth());
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < 500) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    PostMouse(p.m_hWnd, WM_LBUTTONUP, 0, pt.x, pt.y);
    const int nMonth = p.GetCurrentDate().GetMonth();
    EXPECT_GE(nMonth, 4);
    EXPECT_LE(nMonth, 6);
    // After the release the timer stops at its next tick.
    const DWORD dwAfter = ::GetTickCount();
    while (::GetTickCount() - dwAfter < 400) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    EXPECT_EQ(nMonth, p.GetCurrentDate().GetMonth());
}

TEST_F(DatePickerTest, TwoMonthGridShowsNeighbourDaysOnlyAtItsEnds)
{
    Picker& p = Make(Day(2024, 4, 10), 2);
    ASSERT_EQ(2, p.GetMonthCount());
    const Picker::MONTH_INFO* pLeft = p.GetMonth(0);
    const Picker::MONTH_INFO* pRight = p.GetMonth(1);
    EXPECT_EQ("2024-03-25", Text(pLeft->m_arrDays[0].m_dt));
    EXPECT_EQ("null", Text(pLeft->m_arrDays[41].m_dt));       // no May days in April
    EXPECT_EQ("null", Text(pRight->m_arrDays[0].m_dt));       // no April days in May
    EXPECT_EQ("2024-06-09", Text(pRight->m_arrDays[41].m_dt));
    // Only the first month has a previous arrow and only the last of the first row a next arrow.
    EXPECT_EQ(Picker::HT_PREV, p.HitTest(CentreOf(pLeft->m_rcPrevButton), nullptr));
    EXPECT_NE(Picker::HT_NEXT, p.HitTest(CentreOf(pLeft->m_rcNextButton), nullptr));
    EXPECT_NE(Picker::HT_PREV, p.HitTest(CentreOf(pRight->m_rcPrevButton), nullptr));
    EXPECT_EQ(Picker::HT_NEXT, p.HitTest(CentreOf(pRight->m_rcNextButton), nullptr));
    COleDateTime dtFirst, dtLast;
    p.GetDisplayedRange(dtFirst, dtLast);
    EXPECT_EQ("2024-04-01", Text(dtFirst));
    EXPECT_EQ("2024-05-31", Text(dtLast));
}

TEST_F(DatePickerTest, GridDimensions)
{
    // Two and a half months wide and one high, between 1 x 1 and 3 x 2: 2 x 1.
    Picker probe;
    SIZE sizeMonth{};
    probe.CalcWindowSize(&sizeMonth, SIZE{1, 1});
    const RECT rcBorder = probe.GetBorderMetrics();
    const SIZE sizeWindow{rcBorder.left + rcBorder.right + 5 * probe.GetMonthSize().cx / 2, sizeMonth.cy};
    Picker& p = Make(Day(2024, 4, 10), 1, Picker::DPS_DEFAULT | Picker::DPS_AUTO_DIMENSIONS, "0", sizeWindow);
    p.SetMonthGridDimensions(1, 1, 3, 2, true);
    SIZE sizeCurrent{};
    p.GetMonthGridDimensions(nullptr, nullptr, &sizeCurrent);
    EXPECT_EQ(2, sizeCurrent.cx);
    EXPECT_EQ(1, sizeCurrent.cy);
    EXPECT_EQ(2, p.GetMonthCount());

    // Zero minimums leave them as they are; the maximum keeps at least the minimum.
    p.SetMonthGridDimensions(2, 3, 4, 4);
    p.SetMonthGridDimensions(0, 0, 2, 0);
    SIZE sizeMin{}, sizeMax{};
    p.GetMonthGridDimensions(&sizeMin, &sizeMax, nullptr);
    EXPECT_EQ(2, sizeMin.cx);
    EXPECT_EQ(3, sizeMin.cy);
    EXPECT_EQ(2, sizeMax.cx);
    EXPECT_EQ(3, sizeMax.cy);
}

TEST_F(DatePickerTest, LocaleAnswersAreCheckedAndMonthsKeepTheirMinimumSize)
{
    const std::pair<const char*, int> firstDays[] = {
        {"0", 0}, {"6", 6}, {"3", 3}, {"7", 0}, {"-1", 0}, {"x", 0}, {"", 0}, {nullptr, 0},
    };
    for (const auto& [pszValue, nExpected] : firstDays) {
        CTestDatePicker p;
        p.m_bUseLocale = true;
        if (pszValue != nullptr)
            p.m_locale[LOCALE_IFIRSTDAYOFWEEK] = pszValue;
        EXPECT_EQ(nExpected, p.GetFirstDayOfWeek()) << (pszValue ? pszValue : "missing");
    }
    // A locale without any names: empty texts, and a month no smaller than 143 x 125.
    CTestDatePicker empty;
    empty.m_bUseLocale = true;
    SIZE size{};
    empty.CalcWindowSize(&size, SIZE{1, 1});
    EXPECT_GE(empty.GetMonthSize().cx, 143);
    EXPECT_GE(empty.GetMonthSize().cy, 125);
    EXPECT_STREQ("", empty.GetMonthName(4).GetString());
    EXPECT_STREQ("", empty.GetDayName(1).GetString());

    CTestDatePicker named;
    named.m_bUseLocale = true;
    named.m_locale[LOCALE_SMONTHNAME1 + 3] = "April";
    named.m_locale[LOCALE_SABBREVDAYNAME1] = "mon";
    const struct
    {
        int month, day;
        const char* monthName;
        const char* dayName;
    } names[] = {{4, 1, "April", "M"}, {0, 0, "", ""}, {13, 8, "", ""}, {-1, -1, "", ""}};
    for (const auto& n : names) {
        EXPECT_STREQ(n.monthName, named.GetMonthName(n.month).GetString()) << n.month;
        EXPECT_STREQ(n.dayName, named.GetDayName(n.day, true).GetString()) << n.day;
    }
}

// Presses and releases on day cells, buttons and outside, by posted messages.
TEST_F(DatePickerTest, MouseSelectsAndReportsFinalChoicesOnce)
{
    auto cellOf = [](const Picker& p, int nMonth, int nDay) {
        for (INT_PTR i = 0; i < p.GetMonthCount(); ++i)
            for (const auto& d : p.GetMonth(i)->m_arrDays)
                if (d.m_dt.GetStatus() == COleDateTime::valid && d.m_dt.GetMonth() == nMonth &&
                    d.m_dt.GetDay() == nDay && p.GetMonth(i)->m_nMonth == nMonth)
                    return CentreOf(d.m_rcCell);
        return POINT{-1, -1};
    };
    struct Case
    {
        const char* name;
        DWORD style;
        int pressDay, releaseDay;  // 0: release outside the days
        const char* begin;
        const char* end;
        size_t finals;
    };
    const Case cases[] = {
        {"range", Picker::DPS_DEFAULT | Picker::DPS_MULTIPLE_SELECTION, 10, 17, "2024-04-10", "2024-04-17", 1},
        {"single", Picker::DPS_DEFAULT, 10, 17, "2024-04-17", "2024-04-17", 1},
        {"release outside", Picker::DPS_DEFAULT, 10, 0, "2024-04-10", "2024-04-10", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Picker& p = Make(Day(2024, 4, 1), 1, c.style);
        const POINT ptPress = cellOf(p, 4, c.pressDay);
        const POINT ptRelease = c.releaseDay != 0 ? cellOf(p, 4, c.releaseDay) : POINT{2, 2};
        PostMouse(p.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, ptPress.x, ptPress.y);
        PostMouse(p.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, ptRelease.x, ptRelease.y);
        PostMouse(p.m_hWnd, WM_LBUTTONUP, 0, ptRelease.x, ptRelease.y);
        COleDateTime b, e;
        p.GetSelection(b, e);
        EXPECT_EQ(c.begin, Text(b));
        EXPECT_EQ(c.end, Text(e));
        ASSERT_EQ(c.finals, g_received.size());
        for (const auto& r : g_received) {
            EXPECT_TRUE(r.IsFinal());
            EXPECT_EQ(c.begin, Text(r.m_dtBegin));
            EXPECT_EQ(c.end, Text(r.m_dtEnd));
            EXPECT_EQ(p.m_hWnd, r.m_hWndDatePicker);
        }
        EXPECT_EQ(nullptr, ::GetCapture());
    }

    // "None" clears the selection, "Today" selects today; each reports once as final.
    Picker& p = Make(Day(2024, 4, 1), 1, Picker::DPS_DEFAULT | Picker::DPS_BUTTON_NONE);
    p.SetSelection(Day(2024, 4, 3), Day(2024, 4, 3));
    g_received.clear();
    for (const RECT& rc : {p.GetNoneButtonRect(), p.GetTodayButtonRect()}) {
        const POINT pt = CentreOf(rc);
        PostMouse(p.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pt.x, pt.y);
        PostMouse(p.m_hWnd, WM_LBUTTONUP, 0, pt.x, pt.y);
    }
    ASSERT_EQ(2u, g_received.size());
    EXPECT_TRUE(g_received[0].IsFinal() && g_received[1].IsFinal());
    EXPECT_EQ("null", Text(g_received[0].m_dtBegin));
    const COleDateTime today = COleDateTime::GetCurrentTime();
    const std::string strToday = Text(Day(today.GetYear(), today.GetMonth(), today.GetDay()));
    EXPECT_EQ(strToday, Text(g_received[1].m_dtBegin));
    EXPECT_EQ(strToday, Text(g_received[1].m_dtEnd));
}

TEST_F(DatePickerTest, SetSelectionReportsOnlyAChange)
{
    Picker& p = Make(Day(2024, 4, 1));
    p.SetSelection(Day(2024, 4, 5), Day(2024, 4, 9));
    ASSERT_EQ(1u, g_received.size());
    EXPECT_FALSE(g_received[0].IsFinal());
    p.SetSelection(Day(2024, 4, 5), Day(2024, 4, 9));
    EXPECT_EQ(1u, g_received.size());
    // Normalised, a later begin is exchanged with the end.
    p.SetSelection(Day(2024, 4, 9), Day(2024, 4, 5), true);
    COleDateTime b, e;
    p.GetSelection(b, e);
    EXPECT_EQ("2024-04-05", Text(b));
    EXPECT_EQ("2024-04-09", Text(e));
}

TEST_F(DatePickerTest, KeysMoveTheSelectionAndStopAtTheEnds)
{
    struct Case
    {
        const char* name;
        bool popup;
        COleDateTime current;
        COleDateTime selected;  // null: no selection
        UINT key;
        const char* expectedEnd;
        const char* expectedLead;  // first month of the grid after the key
        size_t notifications;
    };
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const COleDateTime weekOn = Day(now.GetYear(), now.GetMonth(), now.GetDay()) + COleDateTimeSpan(7, 0, 0, 0);
    const std::string strWeekOn = Text(weekOn);
    const std::string strWeekOnLead = Text(Day(weekOn.GetYear(), weekOn.GetMonth(), 1));
    const Case cases[] = {
        {"right from the last day leads with the next month", false, Day(2024, 4, 1), Day(2024, 4, 30), VK_RIGHT,
         "2024-05-01", "2024-05-01", 1},
        {"up a week", false, Day(2024, 4, 1), Day(2024, 4, 10), VK_UP, "2024-04-03", "2024-04-01", 1},
        {"escape on a dialog does nothing", false, Day(2024, 4, 1), Day(2024, 4, 10), VK_ESCAPE, "2024-04-10",
         "2024-04-01", 0},
        {"no selection on a dialog does nothing", false, Day(2024, 4, 1), none, VK_DOWN, "null", "2024-04-01", 0},
        {"no selection in a popup starts from today", true, Day(2024, 4, 1), none, VK_DOWN, strWeekOn.c_str(),
         strWeekOnLead.c_str(), 1},
        {"left at the first day stays", false, Day(100, 1, 1), Day(100, 1, 1), VK_LEFT, "0100-01-01", "0100-01-01", 0},
        {"down at the last week stays", false, Day(9999, 12, 1), Day(9999, 12, 30), VK_DOWN, "9999-12-30",
         "9999-12-01", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestDatePicker& p = Make(c.current);
        p.m_bInPopup = c.popup;
        if (c.selected.GetStatus() == COleDateTime::valid)
            p.SetSelection(c.selected, c.selected);
        p.SetCurrentDate(c.current);
        g_received.clear();
        ::PostMessageA(p.m_hWnd, WM_KEYDOWN, c.key, 1);
        PumpMessages();
        COleDateTime b, e;
        p.GetSelection(b, e);
        EXPECT_EQ(c.expectedEnd, Text(e));
        COleDateTime dtFirst, dtLast;
        p.GetDisplayedRange(dtFirst, dtLast);
        EXPECT_EQ(c.expectedLead, Text(dtFirst));
        ASSERT_EQ(c.notifications, g_received.size());
        for (const auto& r : g_received)
            EXPECT_EQ(!c.popup, r.IsFinal());
    }
}

// A final notification whose handler destroys the date picker ends the handling at once.
TEST_F(DatePickerTest, PickerDestroyedByItsFinalNotificationIsLeftAlone)
{
    auto* p = new CTestDatePicker;
    p->m_nFlags = Picker::FLAG_AUTO_DELETE;
    SIZE size{};
    p->CalcWindowSize(&size, SIZE{1, 1});
    ASSERT_TRUE(p->Create(CWnd::FromHandle(m_host->Handle()), RECT{0, 0, size.cx, size.cy}, 1002, 1, 1, 1, 1,
                          WS_CHILD | WS_VISIBLE, Picker::DPS_DEFAULT | Picker::DPS_BUTTON_NONE));
    p->SetCurrentDate(Day(2024, 4, 1));
    p->SetSelection(Day(2024, 4, 2), Day(2024, 4, 2));
    const HWND hWnd = p->m_hWnd;
    const POINT pt = CentreOf(p->GetNoneButtonRect());
    m_host->m_pfnOnRecord = [](CTestHostWindow&, WPARAM wParam, LPARAM) {
        const auto* pData = reinterpret_cast<const Picker::SelectionNotificationData*>(wParam);
        if (pData->IsFinal())
            ::DestroyWindow(pData->m_hWndDatePicker);
    };
    PostMouse(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pt.x, pt.y);
    PostMouse(hWnd, WM_LBUTTONUP, 0, pt.x, pt.y);
    EXPECT_FALSE(::IsWindow(hWnd));
    m_host->m_pfnOnRecord = nullptr;
}

TEST_F(DatePickerTest, PaintsSelectionAndSavesAScreenshot)
{
    Picker& p = Make(Day(2024, 4, 1), 2, Picker::DPS_DEFAULT | Picker::DPS_MULTIPLE_SELECTION);
    p.SetSelection(Day(2024, 4, 10), Day(2024, 4, 12));
    const Picker::MONTH_INFO* m = p.GetMonth(0);
    RECT rcSelected{};
    for (const auto& d : m->m_arrDays)
        if (d.m_dt.GetStatus() == COleDateTime::valid && d.m_dt.GetMonth() == 4 && d.m_dt.GetDay() == 11)
            rcSelected = d.m_rcCell;
    const CWindowPixels pixels(p.m_hWnd);
    EXPECT_EQ(g_PaintManagerHolder->ColorByIndex(CExtPaintManager::CLRID_FACE_ALT, &p),
              pixels.At(rcSelected.left + 1, rcSelected.top + 1));
    EXPECT_EQ(g_PaintManagerHolder->ColorByIndex(COLOR_WINDOW, &p), pixels.At(m->m_rcDaysArea.left + 1,
                                                                              m->m_rcDaysArea.bottom - 2));
    EXPECT_TRUE(pixels.SavePng("date-picker.png"));
}
} // namespace
