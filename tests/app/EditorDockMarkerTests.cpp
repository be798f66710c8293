// A panel dragged by its caption onto a docking marker docks where the marker shows, when the
// button is released and not before.
#include "EditorBars.h"
#include "EditorInput.h"
#include "EditorProcess.h"

#include <gtest/gtest.h>

#include <climits>

using namespace EditorBars;
using namespace EditorInput;
using namespace EditorProcess;

namespace {

constexpr DWORD kStateTimeoutMs = 10000;
constexpr DWORD kSettleMs = 300;
constexpr const char* kMarkerClass = "DadeZAD-DynDockMarker";

struct CMarkerSearch {
    DWORD thread;
    POINT best;
    LONG bestLeft;
};

// The leftmost marker shown: the frame's marker for its left edge.
BOOL CALLBACK FindLeftmostMarker(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CMarkerSearch*>(param);
    if (!::IsWindowVisible(window) || ClassName(window) != kMarkerClass)
        return TRUE;
    const RECT rect = ScreenRect(window);
    if (rect.left < search->bestLeft) {
        search->bestLeft = rect.left;
        search->best = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    return TRUE;
}

bool LeftMarker(HWND main, POINT& centre)
{
    CMarkerSearch search{::GetWindowThreadProcessId(main, nullptr), {}, INT_MAX};
    ::EnumThreadWindows(search.thread, &FindLeftmostMarker, reinterpret_cast<LPARAM>(&search));
    centre = search.best;
    return search.bestLeft != INT_MAX;
}

class EditorDockMarker : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        ASSERT_TRUE(StartEditor(EDITOR_LAUNCHER, ""));
        m_main = WaitForMainWindow();
        ASSERT_NE(m_main, nullptr);
        ::Sleep(kSettleMs);
    }
    void TearDown() override
    {
        if (m_main == nullptr)
            return;
        ::PostMessageA(m_main, WM_CLOSE, 0, 0);
        WaitUntilGone(m_main);
    }
    // Drags the bar by its caption to the frame's left marker and releases there; whether the bar
    // still floated while the button was held over the marker.
    void DropOnLeftMarker(int id, bool& floatedUntilRelease)
    {
        HWND bar = FindBar(m_main, id);
        ASSERT_NE(bar, nullptr);
        // A floating panel is dragged by its frame's caption.
        const POINT grip = GripPoint(Look(m_main, id).floating ? ::GetAncestor(bar, GA_ROOT) : bar);
        const RECT documents = ScreenRect(MdiClient(m_main));
        const POINT middle = {(documents.left + documents.right) / 2, (documents.top + documents.bottom) / 2};
        Press(grip);
        MoveInSteps(grip, middle);
        POINT marker{};
        const bool shown = WaitUntil([&] { return LeftMarker(m_main, marker); }, kStateTimeoutMs);
        if (shown) {
            MoveInSteps(middle, marker);
            ::Sleep(kSettleMs);
            floatedUntilRelease = Look(m_main, id).floating;
        }
        Release();
        ASSERT_TRUE(shown) << "no docking markers during the drag";
    }

    // The bar docked at the frame's left edge, beside the documents.
    bool DockedAtTheLeft(int id) const
    {
        const CBarLook look = Look(m_main, id);
        const RECT documents = ScreenRect(MdiClient(m_main));
        return look.shown && !look.floating && look.rect.right + ScreenRect(m_main).left <= documents.left;
    }
    HWND m_main = nullptr;
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
        bool floatedUntilRelease = false;
        DropOnLeftMarker(id, floatedUntilRelease);
        EXPECT_TRUE(floatedUntilRelease) << "docked before the release";
        EXPECT_TRUE(WaitUntil([&] { return DockedAtTheLeft(id); }, kStateTimeoutMs)) << Describe(Look(m_main, id));
    }
    SaveScreen("dock-marker-left-drops.png");
}

} // namespace
