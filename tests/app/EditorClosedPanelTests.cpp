// A panel closed with its tabbed group comes back through its Window menu item and, for the
// Shape panel, through the drawing tools that use it: nothing the user clicks loses a panel.
#include "EditorBars.h"
#include "EditorInput.h"
#include "EditorProcess.h"
#include "FreshEditorTest.h"

#include <gtest/gtest.h>

using namespace EditorBars;
using namespace EditorInput;
using namespace EditorProcess;

namespace {

constexpr DWORD kStateTimeoutMs = 10000;
constexpr DWORD kHoverMs = 200;

POINT Centre(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The tabbed group holding the page: the page sits in the group's own dock bar.
HWND GroupOf(HWND page)
{
    return ::GetParent(::GetParent(page));
}

class EditorClosedPanel : public CFreshEditorTest<> {
protected:
    bool Shown(int id) const { return Look(m_main, id).shown; }
    // ObjectInspector dropped on the Shape panel's centre marker: the two share a tabbed group.
    void MakeTabbedGroup()
    {
        const POINT shape = Centre(ScreenRect(FindBar(m_main, kShapeBar)));
        ASSERT_TRUE(DropOnMarker(m_main, kObjectInspectorBar, shape, shape)) << "no docking markers";
        ASSERT_TRUE(WaitUntil([&] { return GroupOf(FindBar(m_main, kShapeBar)) ==
                                           GroupOf(FindBar(m_main, kObjectInspectorBar)); },
                              kStateTimeoutMs))
            << "no tabbed group";
    }
    void CloseTabbedGroup()
    {
        HWND page = FindBar(m_main, Shown(kShapeBar) ? kShapeBar : kObjectInspectorBar);
        // The caption's buttons light up under the pointer before they take a click.
        const POINT close = CaptionButtonPoint(GroupOf(page), 0);
        MoveTo(close);
        ::Sleep(kHoverMs);
        Click(close);
        ASSERT_TRUE(WaitUntil([&] { return !Shown(kShapeBar) && !Shown(kObjectInspectorBar); }, kStateTimeoutMs))
            << "the group's close button left a panel shown";
    }
};

TEST_F(EditorClosedPanel, ComesBackThroughItsMenuItemAndTheToolsThatUseIt)
{
    ASSERT_NO_FATAL_FAILURE(MakeTabbedGroup());
    ASSERT_NO_FATAL_FAILURE(CloseTabbedGroup());
    for (int id : {kObjectInspectorBar, kShapeBar}) {
        ::PostMessageA(m_main, WM_COMMAND, id, 0);
        EXPECT_TRUE(WaitUntil([&] { return Shown(id); }, kStateTimeoutMs)) << "Window menu item " << id;
    }
    SaveScreen("closed-group-panels-back.png");

    ASSERT_NO_FATAL_FAILURE(CloseTabbedGroup());
    // From the brush, whose options the frame follows, to the rectangle, which uses the Shape panel.
    for (UINT tool : {ID_TOOL_BRUSH, ID_TOOL_RECTANGLE})
        ::PostMessageA(m_main, WM_COMMAND, tool, 0);
    EXPECT_TRUE(WaitUntil([&] { return Shown(kShapeBar); }, kStateTimeoutMs)) << "the rectangle tool";

    // The next start shows the panel this one brought back.
    ASSERT_TRUE(Close(m_main));
    m_main = StartAgain();
    ASSERT_NE(m_main, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return Shown(kShapeBar); }, kStateTimeoutMs)) << "after a restart";
}

} // namespace
