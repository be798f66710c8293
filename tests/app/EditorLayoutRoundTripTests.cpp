// The bar layout a person leaves at exit is the one the next start shows, for each kind of
// change the person can make.
#include "EditorBars.h"
#include "EditorInput.h"
#include "EditorProcess.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

using namespace EditorBars;
using namespace EditorInput;
using namespace EditorProcess;

namespace {

// Lets the caption's buttons light up under the pointer before the click.
constexpr DWORD kHoverMs = 250;
// Away from the frame's docking markers and the document's own window edges.
constexpr POINT kFloatOffset = {-120, 60};
constexpr RECT kResizedPlacement = {40, 30, 900, 700};

POINT ClientCentre(HWND main)
{
    const RECT client = ScreenRect(MdiClient(main));
    return {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
}

// Drags the bar by its caption or gripper into the middle of the documents' area.
void FloatBar(HWND main, int id)
{
    HWND bar = FindBar(main, id);
    ASSERT_NE(bar, nullptr);
    const POINT centre = ClientCentre(main);
    Drag(GripPoint(bar), {centre.x + kFloatOffset.x, centre.y + kFloatOffset.y});
}

// The Shape panel's auto-hide button, the one before Close on its caption.
void ParkShape(HWND main)
{
    const POINT pin = CaptionButtonPoint(FindBar(main, kShapeBar), 1);
    MoveTo(pin);
    ::Sleep(kHoverMs);
    Click(pin);
}

void SendViewCommand(HWND main, int id)
{
    ::PostMessageA(main, WM_COMMAND, id, 0);
}

struct CLayoutCase {
    const char* name;
    std::function<void(HWND)> change;
};

const CLayoutCase kLayouts[] = {
    {"Default", [](HWND) {}},
    {"ColorsFloated", [](HWND main) { FloatBar(main, kColorsBar); }},
    {"ShapeFloated", [](HWND main) { FloatBar(main, kShapeBar); }},
    {"ObjectInspectorFloated", [](HWND main) { FloatBar(main, kObjectInspectorBar); }},
    {"ToolsFloated", [](HWND main) { FloatBar(main, kDrawingToolBar); }},
    {"MainToolBarFloated", [](HWND main) { FloatBar(main, kMainToolBar); }},
    {"ShapeParked", ParkShape},
    {"StatusBarHidden", [](HWND main) { SendViewCommand(main, ID_VIEW_STATUS_BAR); }},
    {"WindowResized",
     [](HWND main) {
         const RECT& r = kResizedPlacement;
         ::SetWindowPos(main, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                        SWP_NOZORDER | SWP_NOACTIVATE);
     }},
};

void PrintTo(const CLayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

class EditorLayoutRoundTrip : public ::testing::TestWithParam<CLayoutCase> {};

TEST_P(EditorLayoutRoundTrip, NextStartShowsTheBarsAsTheyWereLeft)
{
    const std::string name = GetParam().name;
    HWND main = StartFresh();
    ASSERT_NE(main, nullptr);
    GetParam().change(main);
    const std::vector<CBarLook> left = SteadyLooks(main);
    SaveScreen("layout-" + name + "-left.png");
    ASSERT_TRUE(Close(main));

    main = StartAgain();
    ASSERT_NE(main, nullptr);
    const std::vector<CBarLook> shown = SteadyLooks(main);
    SaveScreen("layout-" + name + "-next-start.png");
    for (size_t i = 0; i < left.size(); ++i)
        EXPECT_EQ(Describe(shown[i]), Describe(left[i]));
    EXPECT_TRUE(Close(main));
}

INSTANTIATE_TEST_SUITE_P(Layouts, EditorLayoutRoundTrip, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<CLayoutCase>& info) { return info.param.name; });

} // namespace
