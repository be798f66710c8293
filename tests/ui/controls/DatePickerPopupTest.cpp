// The calendar dropped from a popup menu: size, the mouse and keys through the popup's tracking
// hooks, the final choice and the forwarded notifications.
#include "ControlTestSupport.h"
#include "ui/controls/ExtDatePickerHeaderPopupWnd.h"
#include "ui/controls/ExtPopupDatePickerMenuWnd.h"
#include "ui/core/ExtPopupMenuTrackingState.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Data = CExtDatePickerWnd::SelectionNotificationData;
constexpr int HOST_SIZE = 560;
const CPoint POPUP_POINT(60, 60);
constexpr DWORD SETTLE_MS = 60;

std::vector<Data> g_forwarded;
int g_nInitCalls = 0;
bool g_bCallbackHandles = false;
int g_nCallbackCalls = 0;

void KeepForwarded(CTestHostWindow&, WPARAM wParam, LPARAM)
{
    g_forwarded.push_back(*reinterpret_cast<const Data*>(wParam));
}

bool CountInit(CExtPopupInplaceDatePicker&, LPVOID)
{
    ++g_nInitCalls;
    return true;
}

bool MaybeHandleSelection(const Data&, LPVOID)
{
    ++g_nCallbackCalls;
    return g_bCallbackHandles;
}

void PumpFor(DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    do {
        PumpMessages();
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < dwMilliseconds);
}

void SendInputs(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(SETTLE_MS);
}

void PressKey(WORD vk)
{
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInputs({in[0], in[1]});
}

void MouseAt(POINT ptScreen, DWORD dwFlags, DWORD dwData = 0)
{
    ::SetCursorPos(ptScreen.x - 1, ptScreen.y);
    PumpFor(10);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | dwFlags;
    in.mi.mouseData = dwData;
    SendInputs({in});
}

COleDateTime Day(int y, int m, int d)
{
    COleDateTime dt;
    dt.SetDate(y, m, d);
    return dt;
}

bool SameDay(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetStatus() == COleDateTime::valid && b.GetStatus() == COleDateTime::valid && a.GetYear() == b.GetYear() &&
           a.GetMonth() == b.GetMonth() && a.GetDay() == b.GetDay();
}

class DatePickerPopup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pHost = &CTestHostWindow::Shared(HOST_SIZE, HOST_SIZE, CExtDatePickerWnd::g_nMsgSelectionNotification);
        m_pHost->m_pfnOnRecord = &KeepForwarded;
        ::SetForegroundWindow(m_pHost->Handle());
        ::SetCursorPos(HOST_SIZE, HOST_SIZE);
        PumpFor(SETTLE_MS);
        g_forwarded.clear();
        g_nInitCalls = 0;
        g_nCallbackCalls = 0;
        g_bCallbackHandles = false;
        m_result[0] = m_result[1] = Day(2024, 4, 10);
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::EndActiveTracking();
        PumpFor(30);
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    }

    // Tracks a popup with result storage; it lives until the tracking ends.
    CExtPopupDatePickerMenuWnd* Open(int nAcross = 1, bool bStorage = true)
    {
        auto* pPopup = new CExtPopupDatePickerMenuWnd(0, nAcross, 1);
        pPopup->PrepareEmptyPopup(m_pHost->Handle());
        pPopup->m_pResult = bStorage ? m_result : nullptr;
        pPopup->m_pfnInitCallback = &CountInit;
        pPopup->m_pfnSelectionCallback = &MaybeHandleSelection;
        if (!pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, POPUP_POINT.x, POPUP_POINT.y)) {
            delete pPopup;
            return nullptr;
        }
        PumpFor(SETTLE_MS);
        // The stored selection shown at creation is reported too: only what follows counts.
        g_forwarded.clear();
        g_nCallbackCalls = 0;
        m_pHost->m_records.clear();
        return pPopup;
    }
    static CExtDatePickerWnd* CalendarOf(const CExtPopupDatePickerMenuWnd* pPopup)
    {
        return static_cast<CExtDatePickerWnd*>(CWnd::FromHandlePermanent(pPopup->GetControlWindow()));
    }
    // The centre of the leading month's cell of the day on the screen.
    static POINT DayOnScreen(const CExtDatePickerWnd& calendar, int nDay)
    {
        const CExtDatePickerWnd::MONTH_INFO* pMonth = calendar.GetMonth(0);
        for (const auto& cell : pMonth->m_arrDays) {
            if (cell.m_dt.GetStatus() == COleDateTime::valid && cell.m_dt.GetMonth() == pMonth->m_nMonth &&
                cell.m_dt.GetDay() == nDay) {
                POINT pt{(cell.m_rcCell.left + cell.m_rcCell.right) / 2, (cell.m_rcCell.top + cell.m_rcCell.bottom) / 2};
                ::ClientToScreen(calendar.GetSafeHwnd(), &pt);
                return pt;
            }
        }
        return POINT{-1, -1};
    }

    CTestHostWindow* m_pHost = nullptr;
    COleDateTime m_result[2];
};

TEST_F(DatePickerPopup, RuntimeClassMakesAOneMonthPopup)
{
    CObject* pObject = RUNTIME_CLASS(CExtPopupDatePickerMenuWnd)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    auto* pPopup = static_cast<CExtPopupDatePickerMenuWnd*>(pObject);
    EXPECT_EQ(1, pPopup->m_nMonthsAcross);
    EXPECT_EQ(1, pPopup->m_nMonthsDown);
    EXPECT_EQ(0x52000000u, pPopup->m_dwCalendarStyle);
    EXPECT_EQ(0x1E17u, pPopup->m_dwDatePickerStyle);
    EXPECT_EQ(nullptr, pPopup->m_pResult);
    EXPECT_GT(pPopup->m_nControlWidth, 0);
    EXPECT_GT(pPopup->m_nControlHeight, 0);
    delete pObject;
    CObject* pCalendar = RUNTIME_CLASS(CExtPopupInplaceDatePicker)->CreateObject();
    ASSERT_NE(nullptr, pCalendar);
    EXPECT_TRUE(pCalendar->IsKindOf(RUNTIME_CLASS(CExtDatePickerWnd)));
    delete pCalendar;
}

// The popup holds as many months as it was made with.
TEST_F(DatePickerPopup, PopupIsSizedToItsMonths)
{
    CExtDatePickerWnd probe;
    SIZE sizeMonth{};
    probe.CalcWindowSize(&sizeMonth, SIZE{1, 1});
    sizeMonth = probe.GetMonthSize();
    const CExtPopupDatePickerMenuWnd one(0, 1, 1);
    const struct
    {
        int nAcross, nDown;
    } cases[] = {{2, 1}, {1, 2}, {3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nAcross << " x " << c.nDown);
        CExtPopupDatePickerMenuWnd popup(0, c.nAcross, c.nDown);
        const CSize grow = popup.MeasureContent() - one.MeasureContent();
        EXPECT_EQ(CSize((c.nAcross - 1) * sizeMonth.cx, (c.nDown - 1) * sizeMonth.cy), grow);
        EXPECT_EQ(popup.m_nControlWidth + 2 * popup.GetBorderSize() + popup.GetShadowSize(), popup.MeasureContent().cx);
    }
}

TEST_F(DatePickerPopup, OpensWithTheStoredSelectionAndKeepsTheOwnerActive)
{
    CExtPopupDatePickerMenuWnd* pPopup = Open(2);
    ASSERT_NE(nullptr, pPopup);
    CExtDatePickerWnd* pCalendar = CalendarOf(pPopup);
    ASSERT_NE(nullptr, pCalendar);
    EXPECT_EQ(1, g_nInitCalls);
    COleDateTime dtBegin, dtEnd;
    pCalendar->GetSelection(dtBegin, dtEnd);
    EXPECT_TRUE(SameDay(Day(2024, 4, 10), dtBegin));
    EXPECT_TRUE(SameDay(Day(2024, 4, 10), dtEnd));
    CRect rcCalendar;
    pCalendar->GetWindowRect(&rcCalendar);
    pPopup->ScreenToClient(&rcCalendar);
    EXPECT_EQ(pPopup->GetControlRect(), rcCalendar);
    EXPECT_EQ(m_pHost->Handle(), ::GetForegroundWindow());
    const CWindowPixels pixels(pPopup->GetSafeHwnd());
    EXPECT_TRUE(pixels.SavePng("date-picker-popup.png"));
}

TEST_F(DatePickerPopup, ClickingADayClosesThePopupAndStoresTheDay)
{
    CExtPopupDatePickerMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    const CExtDatePickerWnd* pCalendar = CalendarOf(pPopup);
    const POINT pt = DayOnScreen(*pCalendar, 18);
    ASSERT_GE(pt.x, 0);
    MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
    MouseAt(pt, MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(SameDay(Day(2024, 4, 18), m_result[0]));
    EXPECT_TRUE(SameDay(Day(2024, 4, 18), m_result[1]));
    ASSERT_EQ(1u, g_forwarded.size());
    EXPECT_TRUE(g_forwarded[0].IsFinal());
    EXPECT_EQ(1, g_nCallbackCalls);
}

// The wheel neither scrolls the calendar nor reaches the window below.
TEST_F(DatePickerPopup, WheelOverThePopupIsEaten)
{
    CExtPopupDatePickerMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    const CExtDatePickerWnd* pCalendar = CalendarOf(pPopup);
    const COleDateTime dtShown = pCalendar->GetCurrentDate();
    m_pHost->m_nRecordedMessage = WM_MOUSEWHEEL;
    m_pHost->m_pfnOnRecord = nullptr;
    MouseAt(DayOnScreen(*pCalendar, 12), MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA));
    EXPECT_TRUE(m_pHost->m_records.empty());
    EXPECT_TRUE(SameDay(dtShown, pCalendar->GetCurrentDate()));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
}

// Keys reach the calendar through the popup; Escape is the popup's own.
TEST_F(DatePickerPopup, KeysMoveTheSelectionAndEnterKeepsIt)
{
    const struct
    {
        const char* name;
        std::vector<WORD> keys;
        bool bStorage;
        COleDateTime dtStored;  // the storage afterwards
        size_t nForwarded;
        bool bFinalLast;
        bool bStillTracking;
    } cases[] = {
        {"right moves a day, not final", {VK_RIGHT}, true, Day(2024, 4, 10), 1, false, true},
        {"enter stores the moved day and closes", {VK_DOWN, VK_RETURN}, true, Day(2024, 4, 17), 2, false, false},
        {"escape closes, storage kept", {VK_LEFT, VK_ESCAPE}, true, Day(2024, 4, 10), 1, false, false},
        {"enter without storage reports a final choice", {VK_RETURN}, false, Day(2024, 4, 10), 1, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        CExtPopupDatePickerMenuWnd* pPopup = Open(1, c.bStorage);
        ASSERT_NE(nullptr, pPopup);
        if (!c.bStorage)
            CalendarOf(pPopup)->SetSelection(Day(2024, 4, 10), Day(2024, 4, 10));
        g_forwarded.clear();
        for (WORD vk : c.keys)
            PressKey(vk);
        EXPECT_TRUE(SameDay(c.dtStored, m_result[0]));
        EXPECT_TRUE(SameDay(c.dtStored, m_result[1]));
        ASSERT_EQ(c.nForwarded, g_forwarded.size());
        EXPECT_EQ(c.bFinalLast, g_forwarded.back().IsFinal());
        EXPECT_EQ(c.bStillTracking, CExtPopupMenuWnd::IsTrackingActive());
        CExtPopupMenuWnd::EndActiveTracking();
        PumpFor(30);
    }
}

TEST_F(DatePickerPopup, HandledSelectionCallbackKeepsTheNoticeFromTheReceiver)
{
    g_bCallbackHandles = true;
    CExtPopupDatePickerMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    PressKey(VK_RIGHT);
    EXPECT_EQ(1, g_nCallbackCalls);
    EXPECT_TRUE(g_forwarded.empty());
}

// The mouse goes straight to the calendar and to its month list, which lies outside the popup.
TEST_F(DatePickerPopup, MouseOverTheCalendarOrItsMonthListPassesOn)
{
    CExtPopupDatePickerMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    CExtDatePickerWnd* pCalendar = CalendarOf(pPopup);
    auto* pList = new CExtDatePickerHeaderPopupWnd(pCalendar, false);
    ASSERT_TRUE(pList->CreateList());
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    ::SetWindowPos(pList->GetSafeHwnd(), HWND_TOPMOST, rcPopup.right + 20, rcPopup.top, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpFor(SETTLE_MS);
    CRect rcList;
    pList->GetWindowRect(&rcList);
    const struct
    {
        const char* name;
        POINT ptScreen;
        bool bPassOn;
    } cases[] = {
        {"a day of the calendar", DayOnScreen(*pCalendar, 12), true},
        {"the month list beyond the popup", rcList.CenterPoint(), true},
        {"the owner beside the popup", POINT{rcPopup.left + 5, rcPopup.bottom + 40}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (UINT message : {UINT(WM_MOUSEMOVE), UINT(WM_LBUTTONDOWN)}) {
            CPoint pt(c.ptScreen);
            pPopup->ScreenToClient(&pt);
            bool bPassOn = false;
            const bool bEaten = message == WM_MOUSEMOVE ? pPopup->HandleMouseMove(message, pt, &bPassOn)
                                                        : pPopup->HandleMouseClick(message, pt, &bPassOn);
            EXPECT_EQ(c.bPassOn, bPassOn);
            if (c.bPassOn) {
                EXPECT_FALSE(bEaten);
            }
        }
    }
    pList->DestroyWindow();
}

// Waits on a second thread for the month list to take the capture, then drags to its last row
// and releases there.
DWORD WINAPI DragToLastMonthRow(LPVOID pParam)
{
    const DWORD dwMainThread = *static_cast<DWORD*>(pParam);
    HWND hList = nullptr;
    for (int i = 0; i < 100 && hList == nullptr; ++i) {
        ::Sleep(20);
        GUITHREADINFO gti{};
        gti.cbSize = sizeof(gti);
        if (::GetGUIThreadInfo(dwMainThread, &gti) && gti.hwndCapture != nullptr &&
            (::GetWindowLongA(gti.hwndCapture, GWL_STYLE) & WS_CHILD) == 0)
            hList = gti.hwndCapture;
    }
    if (hList != nullptr) {
        RECT rc{};
        ::GetClientRect(hList, &rc);
        const int nRowHeight = (rc.bottom - 2 - CExtDatePickerHeaderPopupWnd::SHADOW) / 7;
        POINT pt{rc.right / 2, 6 * nRowHeight + nRowHeight / 2};
        ::ClientToScreen(hList, &pt);
        for (int dy : {0, 1}) {
            ::SetCursorPos(pt.x, pt.y + dy);
            INPUT move{};
            move.type = INPUT_MOUSE;
            move.mi.dwFlags = MOUSEEVENTF_MOVE;
            ::SendInput(1, &move, sizeof(INPUT));
            ::Sleep(50);
        }
    }
    INPUT up{};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &up, sizeof(INPUT));
    return 0;
}

// The month list lies partly outside the popup: the popup lets the drag and the release reach it.
TEST_F(DatePickerPopup, MonthListDraggedFromTheTitleChoosesAMonth)
{
    CExtPopupDatePickerMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    const CExtDatePickerWnd* pCalendar = CalendarOf(pPopup);
    const RECT rcTitle = pCalendar->GetMonth(0)->m_rcTitle;
    POINT pt{(rcTitle.left + rcTitle.right) / 2, (rcTitle.top + rcTitle.bottom) / 2};
    ::ClientToScreen(pCalendar->GetSafeHwnd(), &pt);
    MouseAt(pt, 0);
    DWORD dwThread = ::GetCurrentThreadId();
    HANDLE hScript = ::CreateThread(nullptr, 0, &DragToLastMonthRow, &dwThread, 0, nullptr);
    ASSERT_NE(nullptr, hScript);
    MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
    while (::MsgWaitForMultipleObjects(1, &hScript, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpMessages();
    ::CloseHandle(hScript);
    PumpFor(SETTLE_MS);
    // The list runs from three months before the pressed one to three after.
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(2024, pCalendar->GetCurrentDate().GetYear());
    EXPECT_EQ(7, pCalendar->GetCurrentDate().GetMonth());
}

}  // namespace
