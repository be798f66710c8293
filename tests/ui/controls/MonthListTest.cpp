// The month list dropped from a month title, driven by real input from a second thread while
// the date picker's tracking loop reads the real button state.
#include "ControlTestSupport.h"
#include "ui/controls/ExtDatePickerHeaderPopupWnd.h"
#include "ui/controls/ExtDatePickerWnd.h"

#include <gtest/gtest.h>

#include <string>

namespace {
void SendMouse(DWORD dwFlags, int x = 0, int y = 0)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    if ((dwFlags & MOUSEEVENTF_ABSOLUTE) != 0) {
        in.mi.dx = (x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = (y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    ::SendInput(1, &in, sizeof(in));
}

void MoveTo(int x, int y) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y); }

// What the second thread does once the list shows: where to release (a row, or beside the
// list), and whether a key comes first.
struct Script
{
    DWORD dwMainThread;
    int nRow;  // -1: release to the right of the list
    bool bKeyFirst;
    HWND hList = nullptr;
};

DWORD WINAPI RunScript(LPVOID pParam)
{
    auto* s = static_cast<Script*>(pParam);
    for (int i = 0; i < 100 && s->hList == nullptr; ++i) {
        ::Sleep(20);
        GUITHREADINFO gti{};
        gti.cbSize = sizeof(gti);
        if (::GetGUIThreadInfo(s->dwMainThread, &gti) && gti.hwndCapture != nullptr) {
            char szClass[64] = "";
            ::GetClassNameA(gti.hwndCapture, szClass, sizeof(szClass));
            if (std::string(szClass) != "DadeZAD-DatePickerWnd")
                s->hList = gti.hwndCapture;
        }
    }
    if (s->hList != nullptr) {
        RECT rcClient{};
        ::GetClientRect(s->hList, &rcClient);
        POINT pt{rcClient.right / 2, 0};
        const int nRowHeight = (rcClient.bottom - 2) / 7;
        if (s->nRow >= 0)
            pt.y = s->nRow * nRowHeight + nRowHeight / 2;
        else
            pt = POINT{rcClient.right + 30, rcClient.bottom / 2};
        ::ClientToScreen(s->hList, &pt);
        MoveTo(pt.x, pt.y);
        ::Sleep(50);
        MoveTo(pt.x, pt.y + 1);
        ::Sleep(50);
        if (s->bKeyFirst) {
            SendKey(VK_SHIFT);
            ::Sleep(50);
        }
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
    return 0;
}

COleDateTime Day(int y, int m, int d)
{
    COleDateTime dt;
    dt.SetDate(y, m, d);
    return dt;
}

TEST(MonthListTest, ReleasingOnARowBringsThatMonthIntoThePressedPlace)
{
    struct Case
    {
        const char* name;
        int row;
        bool keyFirst;
        int expectedYear, expectedMonth;
    };
    // Pressed on March 2024: the list shows December 2023 to June 2024.
    const Case cases[] = {
        {"first row", 0, false, 2023, 12},
        {"last row", 6, false, 2024, 6},
        {"beside the list", -1, false, 2024, 3},
        {"a key closes without a choice", 2, true, 2024, 3},
    };
    CTestHostWindow& host = CTestHostWindow::Shared(400, 300, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtDatePickerWnd picker;
        SIZE size{};
        picker.CalcWindowSize(&size, SIZE{1, 1});
        ASSERT_TRUE(picker.Create(CWnd::FromHandle(host.Handle()), RECT{20, 20, 20 + size.cx, 20 + size.cy}, 1003));
        picker.SetCurrentDate(Day(2024, 3, 1));
        PumpMessages();
        const RECT rcTitle = picker.GetMonth(0)->m_rcTitle;
        POINT pt{(rcTitle.left + rcTitle.right) / 2, (rcTitle.top + rcTitle.bottom) / 2};
        ::ClientToScreen(picker.m_hWnd, &pt);
        MoveTo(pt.x, pt.y);
        PumpMessages();
        Script script{::GetCurrentThreadId(), c.row, c.keyFirst};
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        HANDLE hThread = ::CreateThread(nullptr, 0, RunScript, &script, 0, nullptr);
        while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            PumpMessages();
        ::CloseHandle(hThread);
        ::Sleep(50);
        PumpMessages();
        EXPECT_NE(nullptr, script.hList);
        EXPECT_FALSE(::IsWindow(script.hList));
        EXPECT_EQ(c.expectedYear, picker.GetCurrentDate().GetYear());
        EXPECT_EQ(c.expectedMonth, picker.GetCurrentDate().GetMonth());
        picker.DestroyWindow();
    }
}

TEST(MonthListTest, ScrollPeriodsGrowShorterWithDistance)
{
    const std::pair<int, UINT> periods[] = {{0, 500}, {9, 500}, {10, 300}, {25, 200}, {35, 100}, {40, 50}, {400, 50}};
    for (const auto& [nDistance, nPeriod] : periods)
        EXPECT_EQ(nPeriod, CExtDatePickerHeaderPopupWnd::GetAutoScrollPeriod(nDistance)) << nDistance;
}
} // namespace
