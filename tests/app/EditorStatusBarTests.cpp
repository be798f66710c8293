// The status bar stays at the main window's bottom edge whatever size the window takes, and the
// docked bars and the documents' area end above it.
#include "EditorBars.h"
#include "EditorInput.h"
#include "EditorProcess.h"
#include "FreshEditorTest.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace EditorBars;
using namespace EditorInput;
using namespace EditorProcess;

namespace {

constexpr DWORD kLayoutTimeoutMs = 10000;
// Inside the size gripper at the status bar's right end.
constexpr POINT kIntoGripper = {-4, -4};
constexpr SIZE kGripperPull = {-140, -110};

struct CSizeCase {
    const char* name;
    RECT placement; // empty: pulled by the status bar's size gripper instead
};

const CSizeCase kSizes[] = {
    {"Smaller", {30, 20, 830, 620}},
    {"Larger", {0, 0, 1200, 1000}},
    {"PulledByTheGripper", {}},
};

// Whether the status bar lies along the bottom of the main window's client area with every
// docked bar and the documents' area above it; the first misplaced window is named.
bool StatusBarAtBottom(HWND main, std::string& why)
{
    const RECT client = ClientScreenRect(main);
    const CBarLook status = Look(main, kStatusBar);
    RECT bar = status.rect;
    const RECT frame = ScreenRect(main);
    ::OffsetRect(&bar, frame.left, frame.top);
    if (!status.shown || bar.bottom != client.bottom || bar.left != client.left || bar.right != client.right) {
        why = "status bar at " + Describe(status);
        return false;
    }
    const RECT documents = ScreenRect(MdiClient(main));
    if (documents.bottom > bar.top) {
        why = "documents' area reaches below the status bar's top";
        return false;
    }
    for (int id : kUserBars) {
        const CBarLook look = Look(main, id);
        if (id == kStatusBar || !look.shown || look.floating)
            continue;
        if (look.rect.bottom + frame.top > bar.top) {
            why = "docked " + Describe(look);
            return false;
        }
    }
    return true;
}

void PrintTo(const CSizeCase& c, std::ostream* os)
{
    *os << c.name;
}

class EditorStatusBar : public CFreshEditorTest<::testing::TestWithParam<CSizeCase>> {};

TEST_P(EditorStatusBar, StaysAtTheBottomEdgeWithTheBarsAboveIt)
{
    std::string why;
    EXPECT_TRUE(WaitUntil([&] { return StatusBarAtBottom(m_main, why); }, kLayoutTimeoutMs)) << "at start: " << why;

    const RECT before = ScreenRect(m_main);
    const RECT& r = GetParam().placement;
    if (!::IsRectEmpty(&r)) {
        ::SetWindowPos(m_main, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        const RECT client = ClientScreenRect(m_main);
        const POINT grip = {client.right + kIntoGripper.x, client.bottom + kIntoGripper.y};
        Drag(grip, {grip.x + kGripperPull.cx, grip.y + kGripperPull.cy});
        ASSERT_TRUE(WaitUntil([&] { const RECT now = ScreenRect(m_main); return !::EqualRect(&before, &now); }, kLayoutTimeoutMs))
            << "the gripper did not size the window";
    }
    EXPECT_TRUE(WaitUntil([&] { return StatusBarAtBottom(m_main, why); }, kLayoutTimeoutMs)) << why;
    SaveScreen(std::string("status-bar-") + GetParam().name + ".png");
}

INSTANTIATE_TEST_SUITE_P(Sizes, EditorStatusBar, ::testing::ValuesIn(kSizes),
                         [](const ::testing::TestParamInfo<CSizeCase>& info) { return info.param.name; });

} // namespace
