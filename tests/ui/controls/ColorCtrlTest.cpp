// The colour picker under real windows: picking by posted mouse messages, notifications,
// tracking ends, tiny sizes and the pixels of a few modes.
#include "ControlTestSupport.h"
#include "ui/controls/ExtColorCtrl.h"
#include "ui/core/ExtPaintManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int SIZE = 200;

class ColorCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host = &CTestHostWindow::Shared(SIZE + 20, SIZE + 20, CExtColorCtrl::g_nMsgColorChanged);
        m_host->m_bReadColors = true;
    }
    void TearDown() override
    {
        if (m_pCtrl && m_pCtrl->m_hWnd != nullptr)
            m_pCtrl->DestroyWindow();
        m_pCtrl.reset();
    }

    // A picker of the mode over a fresh child, showing the colour, with no notification yet.
    CExtColorCtrl& Make(int nMode, COLORREF clrStart, COLORREF clrOld = RGB(255, 255, 255), int cx = SIZE,
                        int cy = SIZE)
    {
        TearDown();
        m_pCtrl = std::make_unique<CExtColorCtrl>(nMode);
        HWND hChild = m_host->CreateChild(RECT{0, 0, cx, cy});
        EXPECT_TRUE(m_pCtrl->SubclassWindow(hChild));
        m_pCtrl->SetOldColor(clrOld);
        m_pCtrl->SetCurrentColor(clrStart, false);
        m_pCtrl->RedrawCurrentMode(true);
        PumpMessages();
        m_host->m_records.clear();
        return *m_pCtrl;
    }

    CTestHostWindow* m_host = nullptr;
    std::unique_ptr<CExtColorCtrl> m_pCtrl;
};

struct MouseStep
{
    UINT message;
    UINT flags;
    int x, y;
};

// Points follow the layout of a 200 x 200 picker: honeycomb cell 13 centred at (100, 82), grey
// row on y = 182 from x = 29; mixer columns of 2-pixel cells from y = 10; panel 192 x 168 at
// (4, 4); wheel centre (100, 88), radius 82; cube square (5, 5)-(192, 192), centre vertex (98, 98).
struct PickCase
{
    const char* name;
    int mode;
    COLORREF start;
    std::vector<MouseStep> steps;
    COLORREF expected;
    size_t notifications;
};

TEST_F(ColorCtrlTest, PickingByMouseNotifiesOncePerChange)
{
    const COLORREF old = RGB(200, 100, 50);
    const PickCase cases[] = {
        {"honeycomb centre", 0, RGB(0, 0, 0), {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 82}}, RGB(255, 255, 255), 1},
        {"first ring cell", 0, RGB(0, 0, 0), {{WM_LBUTTONDOWN, MK_LBUTTON, 113, 82}}, RGB(255, 233, 233), 1},
        {"grey 240", 0, RGB(0, 0, 0), {{WM_LBUTTONDOWN, MK_LBUTTON, 55, 177}}, RGB(240, 240, 240), 1},
        {"current colour", 0, RGB(255, 255, 255), {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 82}}, RGB(255, 255, 255), 0},
        {"red column changes red only", 5, RGB(10, 20, 30), {{WM_LBUTTONDOWN, MK_LBUTTON, 30, 100}},
         RGB(127, 20, 30), 1},
        {"cyan column changes cyan only", 8, RGB(10, 20, 30), {{WM_LBUTTONDOWN, MK_LBUTTON, 30, 100}},
         RGB(128, 20, 30), 1},
        {"grey scale", 6, RGB(10, 20, 30), {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 100}}, RGB(127, 127, 127), 1},
        {"pane's lower half is the old colour", 15, RGB(10, 20, 30), {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 150}},
         old, 1},
        {"pane's upper half keeps the colour", 15, RGB(10, 20, 30), {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 40}},
         RGB(10, 20, 30), 0},
        {"cube red handle dragged through three values", 4, RGB(0, 0, 0),
         {{WM_LBUTTONDOWN, MK_LBUTTON, 98, 98},
          {WM_MOUSEMOVE, MK_LBUTTON, 98, 90},
          {WM_MOUSEMOVE, MK_LBUTTON, 98, 80},
          {WM_MOUSEMOVE, MK_LBUTTON, 98, 70}},
         RGB(76, 0, 0), 3},
        {"cube background", 4, RGB(0, 0, 0), {{WM_LBUTTONDOWN, MK_LBUTTON, 8, 8}}, RGB(0, 0, 0), 0},
        {"just outside the wheel is full saturation", 3, RGB(255, 0, 0), {{WM_LBUTTONDOWN, MK_LBUTTON, 192, 88}},
         RGB(0, 255, 255), 1},
        {"farther out does nothing", 3, RGB(255, 0, 0), {{WM_LBUTTONDOWN, MK_LBUTTON, 180, 8}}, RGB(255, 0, 0), 0},
        {"red axis panel corner", 9, RGB(10, 20, 30), {{WM_LBUTTONDOWN, MK_LBUTTON, 4, 4}}, RGB(10, 0, 0), 1},
        {"moves without the button change nothing", 1, RGB(255, 0, 0),
         {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 88}, {WM_MOUSEMOVE, 0, 150, 30}}, RGB(64, 191, 191), 1},
    };
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.name);
        CExtColorCtrl& ctrl = Make(c.mode, c.start, old);
        for (const MouseStep& s : c.steps)
            PostMouse(ctrl.m_hWnd, s.message, s.flags, s.x, s.y);
        PostMouse(ctrl.m_hWnd, WM_LBUTTONUP, 0, c.steps.back().x, c.steps.back().y);
        EXPECT_EQ(c.expected, ctrl.GetCurrentColor());
        ASSERT_EQ(c.notifications, m_host->m_records.size());
        if (c.notifications > 0) {
            EXPECT_EQ(c.expected, m_host->m_records.back().colors.at(1));
        }
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(ColorCtrlTest, NotificationCarriesOldCurrentAndPreviousColours)
{
    CExtColorCtrl& ctrl = Make(5, RGB(10, 20, 30), RGB(1, 2, 3));
    PostMouse(ctrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 30, 100);
    ASSERT_EQ(1u, m_host->m_records.size());
    const auto& r = m_host->m_records[0];
    EXPECT_EQ(reinterpret_cast<WPARAM>(ctrl.m_hWnd), r.wParam);
    EXPECT_EQ((std::vector<COLORREF>{RGB(1, 2, 3), RGB(127, 20, 30), RGB(10, 20, 30)}), r.colors);
}

TEST_F(ColorCtrlTest, SetCurrentColorNotifiesOnlyAChangeWhenAsked)
{
    CExtColorCtrl& ctrl = Make(1, RGB(10, 20, 30));
    ctrl.SetCurrentColor(RGB(10, 20, 30), true);
    EXPECT_EQ(0u, m_host->m_records.size());
    ctrl.SetCurrentColor(RGB(40, 50, 60), false);
    EXPECT_EQ(0u, m_host->m_records.size());
    ctrl.SetCurrentColor(RGB(70, 80, 90), true);
    ASSERT_EQ(1u, m_host->m_records.size());
    EXPECT_EQ(RGB(70, 80, 90), m_host->m_records[0].colors.at(1));
}

// Panel point (96, 84) is hue 0.5, saturation 0.5; Ctrl keeps the hue, Shift the saturation.
TEST_F(ColorCtrlTest, CtrlAndShiftLockAPanelCoordinateInTheMixer)
{
    struct Case
    {
        UINT flag;
        double hue, saturation;
    };
    const Case cases[] = {
        {MK_CONTROL, 0.5, (168.0 - 26.0) / 168.0},
        {MK_SHIFT, 146.0 / 192.0, 0.5},
    };
    for (const Case& c : cases) {
        CExtColorCtrl& ctrl = Make(1, RGB(255, 0, 0));
        PostMouse(ctrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 100, 88);
        PostMouse(ctrl.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON | c.flag, 150, 30);
        PostMouse(ctrl.m_hWnd, WM_LBUTTONUP, 0, 150, 30);
        EXPECT_EQ(CExtPaintManager::HueLightSatToColor(c.hue, 0.5, c.saturation), ctrl.GetCurrentColor()) << c.flag;
        EXPECT_EQ(2u, m_host->m_records.size());
    }
}

TEST_F(ColorCtrlTest, TrackingEndsOnEscapeFocusAndCaptureLoss)
{
    struct Case
    {
        const char* name;
        void (*interrupt)(HWND hCtrl, HWND hHost);
    };
    const Case cases[] = {
        {"escape", [](HWND h, HWND) { ::PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"focus lost", [](HWND h, HWND) { ::PostMessageA(h, WM_KILLFOCUS, 0, 0); }},
        {"cancel mode", [](HWND h, HWND) { ::PostMessageA(h, WM_CANCELMODE, 0, 0); }},
        {"capture taken", [](HWND, HWND hHost) { ::SetCapture(hHost); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtColorCtrl& ctrl = Make(1, RGB(255, 0, 0));
        PostMouse(ctrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 100, 88);
        const COLORREF picked = ctrl.GetCurrentColor();
        EXPECT_EQ(ctrl.m_hWnd, ::GetCapture());
        c.interrupt(ctrl.m_hWnd, m_host->Handle());
        PumpMessages();
        EXPECT_FALSE(ctrl.IsTracking());
        PostMouse(ctrl.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, 150, 30);
        EXPECT_EQ(picked, ctrl.GetCurrentColor());
        EXPECT_EQ(1u, m_host->m_records.size());
        ::ReleaseCapture();
        // The next press captures again.
        PostMouse(ctrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 60, 60);
        EXPECT_EQ(ctrl.m_hWnd, ::GetCapture());
        PostMouse(ctrl.m_hWnd, WM_LBUTTONUP, 0, 60, 60);
    }
}

TEST(ColorCtrlModes, ModeIndexOutsideTheTableIsRefused)
{
    const std::pair<int, int> constructed[] = {{-1, 0}, {16, 0}, {1000, 0}, {7, 7}, {15, 15}};
    for (const auto& [nArgument, nMode] : constructed)
        EXPECT_EQ(nMode, CExtColorCtrl(nArgument).GetMode()) << nArgument;
    CExtColorCtrl ctrl(3);
    for (int nBad : {-1, 16, static_cast<int>(CB_ERR)}) {
        EXPECT_FALSE(ctrl.SetMode(nBad));
        EXPECT_EQ(3, ctrl.GetMode());
    }
    EXPECT_TRUE(ctrl.SetMode(12));
    EXPECT_EQ(12, ctrl.GetMode());
}

TEST(ColorCtrlModes, BuiltInNamesShowWithoutStrings)
{
    const std::pair<int, const char*> names[] = {
        {0, " basic colors"}, {3, " hue, saturation and luminance - roller"}, {6, " gray scale mixer"},
        {14, " yellow axis"}, {15, ""}, {-1, ""}, {16, ""},
    };
    for (const auto& [nMode, pszName] : names)
        EXPECT_STREQ(pszName, CExtColorCtrl::GetModeName(nMode).GetString()) << nMode;
}

TEST(ColorCtrlModes, HoneycombHoldsCentreRingsAndGreys)
{
    CExtColorCtrl::cell_based_data_t mode;
    mode.Layout(nullptr, nullptr, SIZE, SIZE, false);
    ASSERT_EQ(144, mode.m_arrCells.GetSize());
    EXPECT_EQ(RGB(255, 255, 255), mode.m_arrCells[0].m_clr);
    EXPECT_EQ(RGB(255, 255, 255), mode.m_arrCells[127].m_clr);
    EXPECT_EQ(RGB(0, 0, 0), mode.m_arrCells[143].m_clr);
}

TEST_F(ColorCtrlTest, TinyPickersLayOutPaintAndIgnoreBadPresses)
{
    for (int nSize : {0, 1, 2, 3, 5, 9, 11}) {
        for (int nMode = 0; nMode < CExtColorCtrl::MODE_COUNT; ++nMode) {
            SCOPED_TRACE(testing::Message() << "size " << nSize << " mode " << nMode);
            CExtColorCtrl& ctrl = Make(nMode, RGB(10, 20, 30), RGB(255, 255, 255), nSize, nSize);
            ctrl.UpdateWindow();
            PostMouse(ctrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, nSize / 2, nSize / 2);
            PostMouse(ctrl.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, nSize, 0);
            PostMouse(ctrl.m_hWnd, WM_LBUTTONUP, 0, nSize, 0);
            if (nMode == CExtColorCtrl::MODE_RGB_CUBE || nMode == CExtColorCtrl::MODE_CMY_CUBE) {
                EXPECT_EQ(RGB(10, 20, 30), ctrl.GetCurrentColor());
            }
            if (nMode == CExtColorCtrl::MODE_HSL_ROLLER) {
                EXPECT_GE(static_cast<CExtColorCtrl::hsl_roller_data_t*>(ctrl.GetModeData(nMode))->m_nRadius, 1);
            }
        }
    }
}

TEST_F(ColorCtrlTest, PanelsAndSelectionsShowOnScreen)
{
    // Red axis: green grows to the right, blue downwards, red is the colour's.
    CExtColorCtrl& axis = Make(9, RGB(10, 20, 30));
    const CWindowPixels pxAxis(axis.m_hWnd);
    EXPECT_EQ(RGB(10, 0, 0), pxAxis.At(4, 4));
    EXPECT_EQ(RGB(10, 253, 253), pxAxis.At(4 + 191, 4 + 167));
    EXPECT_EQ(RGB(10, 127, 0), pxAxis.At(4 + 96, 4));

    // White is the honeycomb's centre and the grey row's first cell: both show selected (black
    // outer frame above the cell's top vertex); black's cell does not.
    CExtColorCtrl& honeycomb = Make(0, RGB(255, 255, 255));
    const CWindowPixels pxHoney(honeycomb.m_hWnd);
    EXPECT_EQ(RGB(0, 0, 0), pxHoney.At(100, 74));
    EXPECT_EQ(RGB(0, 0, 0), pxHoney.At(29, 167));
    EXPECT_NE(RGB(0, 0, 0), pxHoney.At(137, 167));
}

TEST_F(ColorCtrlTest, ScreenshotOfSeveralModes)
{
    std::vector<std::unique_ptr<CWindowPixels>> shots;
    for (int nMode : {0, 1, 2, 3, 4, 5, 7, 12, 15}) {
        CExtColorCtrl& ctrl = Make(nMode, RGB(40, 160, 220), RGB(250, 200, 20));
        shots.push_back(std::make_unique<CWindowPixels>(ctrl.m_hWnd));
    }
    std::vector<const CWindowPixels*> parts;
    for (const auto& s : shots)
        parts.push_back(s.get());
    EXPECT_TRUE(SaveSheetPng(parts, "color-modes.png"));
}
} // namespace
