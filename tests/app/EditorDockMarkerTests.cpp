// A panel dragged by its caption onto a docking marker docks where the marker shows, when the
// button is released and not before.
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
class EditorDockMarker : public CFreshEditorTest<> {
protected:
    // The bar docked at the frame's left edge, beside the documents.
    bool DockedAtTheLeft(int id) const
    {
        const CBarLook look = Look(m_main, id);
        const RECT documents = ScreenRect(MdiClient(m_main));
        return look.shown && !look.floating && look.rect.right + ScreenRect(m_main).left <= documents.left;
    }
};

TEST_F(EditorDockMarker, DropOnTheFrameMarkerDocksThePanelAtThatEdgeOnRelease)
{
    for (const bool startFloating : {false, true}) {
        SCOPED_TRACE(startFloating ? "from a floating frame" : "from its docked place");
        if (startFloating) {
            HWND bar = FindBar(m_main, kShapeBar);
            ASSERT_NE(bar, nullptr);
            const RECT documents = ScreenRect(MdiClient(m_main));
            Drag(GripPoint(bar), {(documents.left + documents.right) / 2, documents.bottom - 150});
            ASSERT_TRUE(WaitUntil([&] { return Look(m_main, kShapeBar).floating; }, kStateTimeoutMs));
        }
        const int id = startFloating ? kShapeBar : kObjectInspectorBar;
        const RECT documents = ScreenRect(MdiClient(m_main));
        const POINT middle = {(documents.left + documents.right) / 2, (documents.top + documents.bottom) / 2};
        bool floatedUntilRelease = false;
        ASSERT_TRUE(DropOnMarker(m_main, id, middle, {documents.left, middle.y},
                                 [&] { floatedUntilRelease = Look(m_main, id).floating; }))
            << "no docking markers during the drag";
        EXPECT_TRUE(floatedUntilRelease) << "docked before the release";
        EXPECT_TRUE(WaitUntil([&] { return DockedAtTheLeft(id); }, kStateTimeoutMs)) << Describe(Look(m_main, id));
    }
    SaveScreen("dock-marker-left-drops.png");
}

} // namespace
