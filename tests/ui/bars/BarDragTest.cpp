// Dragging bars with real input in both docking styles: float, dock, Ctrl, Escape, the threshold,
// and the ways a drag loop ends early.
#include "DockingTestFrame.h"
#include "DragInputScript.h"
#include "tests/support/ScreenImage.h"

#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/bars/ExtDynDockHighlightWnd.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const CRect FRAME_RECT(60, 60, 700, 520);
constexpr DWORD WATCHDOG_MS = 8000;
constexpr int STYLE_FRAME = 0;
constexpr int STYLE_MARKERS = 1;

class BarDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = std::make_unique<CDockTestFrame>();
        ASSERT_TRUE(m_frame->Open(FRAME_RECT));
        m_pLeft = m_frame->AddBar("Left", AFX_IDW_DOCKBAR_LEFT);
        ASSERT_NE(nullptr, m_pLeft);
    }
    void TearDown() override
    {
        m_frame.reset();
        PumpMessagesFor(50);
    }

    // Sends the script and lets the loops it starts run; false when the watchdog had to end one.
    static bool Run(std::vector<InputStep> steps)
    {
        // A press too soon after the last one would be a double click.
        steps.insert(steps.begin(), InputStep::Wait(::GetDoubleClickTime() + 50));
        CLoopWatchdog watchdog(WATCHDOG_MS);
        CInputScript script(std::move(steps));
        script.Start();
        script.Finish();
        return !watchdog.Fired();
    }
    CPoint ClientCentre() const
    {
        CRect rc;
        m_frame->m_wndView.GetWindowRect(&rc);
        return rc.CenterPoint();
    }
    static void ExpectNoDragLeft()
    {
        EXPECT_EQ(nullptr, CExtControlBar::GetDraggedBar());
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_EQ(0, CExtControlBar::g_arrOuterMarkers.GetSize());
        EXPECT_EQ(0, CExtControlBar::g_arrInnerMarkers.GetSize());
    }

    std::unique_ptr<CDockTestFrame> m_frame;
    CDockTestBar* m_pLeft = nullptr;
};

TEST_F(BarDragTest, DraggingADockedBarIntoTheClientAreaFloatsItInBothStyles)
{
    for (int nStyle : {STYLE_FRAME, STYLE_MARKERS}) {
        CDockingStyleScope style(nStyle);
        if (m_pLeft->IsInFloatingFrame())
            m_pLeft->DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_frame.get(), true);
        m_frame->Settle();
        ASSERT_FALSE(m_pLeft->IsInFloatingFrame());
        m_frame->m_bRecordTracking = true;
        m_frame->m_trackedAreas.clear();
        const CPoint drop = ClientCentre();
        auto steps = PressAndMove(CDockTestFrame::GrabPoint(m_pLeft), drop);
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps)) << "style " << nStyle;
        EXPECT_TRUE(m_pLeft->IsInFloatingFrame()) << "style " << nStyle;
        const CRect rcFloat = CDockTestFrame::WindowRectOf(m_pLeft->GetParentFrame());
        EXPECT_TRUE(rcFloat.PtInRect(drop)) << "the floating frame lands under the cursor, style " << nStyle;
        // The frame style draws a tracking frame; the marker style moves the bar itself.
        EXPECT_EQ(nStyle == STYLE_MARKERS, m_frame->m_trackedAreas.empty()) << "style " << nStyle;
        ExpectNoDragLeft();
    }
}

// The display's own modifier state overrides a synthesized Ctrl here, so Ctrl comes as the key
// message the loop sees: pressing it without moving turns the proposal into floating at once.
TEST_F(BarDragTest, FrameStyleDocksAFloatingBarAtTheClientEdgeUnlessCtrlIsPressed)
{
    CDockingStyleScope style(STYLE_FRAME);
    for (bool bCtrl : {false, true}) {
        m_pLeft->FloatAt(FRAME_RECT.left + 250, FRAME_RECT.top + 150, CBRS_ALIGN_TOP);
        m_frame->Settle();
        ASSERT_TRUE(m_pLeft->IsInFloatingFrame());
        const CRect rcFloat = CDockTestFrame::WindowRectOf(m_pLeft->GetParentFrame());
        const CPoint caption(rcFloat.left + 30, rcFloat.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
        const CRect rcView = CDockTestFrame::WindowRectOf(&m_frame->m_wndView);
        const CPoint leftEdge(rcView.left + 4, rcView.CenterPoint().y);
        auto steps = PressAndMove(caption, leftEdge);
        steps.push_back(InputStep::Wait(150));
        if (bCtrl) {
            const HWND hBar = m_pLeft->GetSafeHwnd();
            steps.push_back(InputStep::Call([hBar] { ::PostMessageA(hBar, WM_KEYDOWN, VK_CONTROL, 1); }));
            steps.push_back(InputStep::Wait(150));
        }
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps));
        EXPECT_EQ(!bCtrl, !m_pLeft->IsInFloatingFrame()) << "ctrl " << bCtrl;
        if (!bCtrl) {
            EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), m_pLeft->GetDockBarId());
        }
        ExpectNoDragLeft();
    }
}

TEST_F(BarDragTest, EscapeCancelsInTheFrameStyleAndAppliesTheLastProposalInTheMarkerStyle)
{
    const struct
    {
        int nStyle;
        bool bFloatsAfter;
    } cases[] = {{STYLE_FRAME, false}, {STYLE_MARKERS, true}};
    for (const auto& c : cases) {
        CDockingStyleScope style(c.nStyle);
        if (m_pLeft->IsInFloatingFrame())
            m_pLeft->DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_frame.get(), true);
        m_frame->Settle();
        const CRect rcBefore = CDockTestFrame::WindowRectOf(m_pLeft);
        auto steps = PressAndMove(CDockTestFrame::GrabPoint(m_pLeft), ClientCentre());
        steps.push_back(InputStep::KeyDown(VK_ESCAPE));
        steps.push_back(InputStep::KeyUp(VK_ESCAPE));
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps));
        EXPECT_EQ(c.bFloatsAfter, m_pLeft->IsInFloatingFrame()) << "style " << c.nStyle;
        if (!c.bFloatsAfter) {
            EXPECT_EQ(rcBefore, CDockTestFrame::WindowRectOf(m_pLeft));
        }
        ExpectNoDragLeft();
    }
}

TEST_F(BarDragTest, APressWithoutMovingPastTheThresholdDragsNothing)
{
    for (int nStyle : {STYLE_FRAME, STYLE_MARKERS}) {
        CDockingStyleScope style(nStyle);
        const CRect rcBefore = CDockTestFrame::WindowRectOf(m_pLeft);
        const CPoint grab = CDockTestFrame::GrabPoint(m_pLeft);
        ASSERT_TRUE(Run({InputStep::Move(grab.x, grab.y), InputStep::Down(), InputStep::Up()}));
        EXPECT_FALSE(m_pLeft->IsInFloatingFrame());
        EXPECT_EQ(rcBefore, CDockTestFrame::WindowRectOf(m_pLeft));
        ExpectNoDragLeft();
    }
}

TEST_F(BarDragTest, MarkerStyleDocksAFloatingBarOnTheFrameMarkerUnderTheRelease)
{
    CDockingStyleScope style(STYLE_MARKERS);
    CDockTestBar* pRight = m_frame->AddBar("Right", AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_NE(nullptr, pRight);
    pRight->FloatAt(FRAME_RECT.left + 260, FRAME_RECT.top + 160, CBRS_ALIGN_TOP);
    m_frame->Settle();
    const CRect rcFloat = CDockTestFrame::WindowRectOf(pRight->GetParentFrame());
    const CPoint caption(rcFloat.left + 30, rcFloat.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
    // The leftmost marker shown is the frame's left marker.
    auto leftmost = [] {
        return FindShownMarker([](const RECT& a, const RECT& b) { return a.left < b.left; });
    };
    auto steps = PressAndMove(caption, caption + CSize(40, 40));
    steps.push_back(InputStep::Wait(300));
    steps.push_back(InputStep::MoveTo(leftmost));
    steps.push_back(InputStep::Wait(200));
    steps.push_back(InputStep::MoveTo([leftmost] {
        POINT pt = leftmost();
        return POINT{pt.x + 1, pt.y};
    }));
    steps.push_back(InputStep::Up());
    ASSERT_TRUE(Run(steps));
    EXPECT_FALSE(pRight->IsInFloatingFrame());
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), pRight->GetDockBarId());
    ExpectNoDragLeft();
}

CExtControlBar* ContainerOf(CExtControlBar* pBar)
{
    CWnd* pDockBar = pBar->GetParent();
    CWnd* pContainer = pDockBar != nullptr ? pDockBar->GetParent() : nullptr;
    return (pContainer != nullptr && pContainer->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
               ? static_cast<CExtControlBar*>(pContainer)
               : nullptr;
}

// Over a docked bar the frame style nests by bands, the marker style by the bar's own markers.
TEST_F(BarDragTest, DroppingOnADockedBarNestsTheDraggedBarAboveItInBothStyles)
{
    for (int nStyle : {STYLE_FRAME, STYLE_MARKERS}) {
        CDockingStyleScope style(nStyle);
        CDockTestBar* pMoving = m_frame->AddBar("Moving", AFX_IDW_DOCKBAR_RIGHT);
        ASSERT_NE(nullptr, pMoving);
        pMoving->FloatAt(FRAME_RECT.left + 300, FRAME_RECT.top + 200, CBRS_ALIGN_TOP);
        m_frame->Settle();
        const CRect rcFloat = CDockTestFrame::WindowRectOf(pMoving->GetParentFrame());
        const CPoint caption(rcFloat.left + 30, rcFloat.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
        const CRect rcTarget = CDockTestFrame::WindowRectOf(m_pLeft);
        std::vector<InputStep> steps;
        if (nStyle == STYLE_FRAME) {
            // Below the caption band (a tab proposal) lies the band that nests on top.
            steps = PressAndMove(caption, CPoint(rcTarget.CenterPoint().x, rcTarget.top + 32 + 10));
            steps.push_back(InputStep::Wait(150));
        } else {
            steps = PressAndMove(caption, rcTarget.CenterPoint());
            steps.push_back(InputStep::Wait(300));
            // The target's own top marker: the one whose middle is highest inside the target (the
            // cross behind the side markers has its middle at the target's).
            auto topInTarget = [rcTarget] {
                return FindShownMarker([rcTarget](const RECT& a, const RECT& b) {
                    const bool bInA = ::PtInRect(&rcTarget, CPoint(a.left, a.top)) != FALSE;
                    const bool bInB = ::PtInRect(&rcTarget, CPoint(b.left, b.top)) != FALSE;
                    return bInA != bInB ? bInA : a.top + a.bottom < b.top + b.bottom;
                });
            };
            steps.push_back(InputStep::MoveTo(topInTarget));
            steps.push_back(InputStep::Wait(150));
            steps.push_back(InputStep::MoveTo([topInTarget] {
                POINT pt = topInTarget();
                return POINT{pt.x + 1, pt.y};
            }));
        }
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps)) << "style " << nStyle;
        EXPECT_FALSE(pMoving->IsInFloatingFrame()) << "style " << nStyle;
        CExtControlBar* pContainer = ContainerOf(m_pLeft);
        ASSERT_NE(nullptr, pContainer) << "style " << nStyle;
        EXPECT_EQ(pContainer, ContainerOf(pMoving)) << "style " << nStyle;
        EXPECT_LT(CDockTestFrame::WindowRectOf(pMoving).top, CDockTestFrame::WindowRectOf(m_pLeft).top);
        ExpectNoDragLeft();
        // Back to a plain left bar for the other style.
        pMoving->FloatAt(FRAME_RECT.left + 300, FRAME_RECT.top + 200, CBRS_ALIGN_TOP);
        m_frame->Settle();
    }
}

// Timer callbacks run inside the loops' pumps; each acts once, when its loop runs.
CWnd* g_pLoopBar = nullptr;
bool g_bActed = false;
bool g_bActInThreshold = false;
bool IsLoopRunning()
{
    if (g_pLoopBar == nullptr || ::GetCapture() != g_pLoopBar->GetSafeHwnd())
        return false;
    // The threshold wait holds the capture before any drag state exists.
    return g_bActInThreshold == (CExtControlBar::GetDraggedBar() == nullptr);
}
void CALLBACK DestroyDraggedBar(HWND, UINT, UINT_PTR nId, DWORD)
{
    if (g_bActed || !IsLoopRunning())
        return;
    ::KillTimer(nullptr, nId);
    g_bActed = true;
    g_pLoopBar->DestroyWindow();
}
void CALLBACK QuitDuringLoop(HWND, UINT, UINT_PTR nId, DWORD)
{
    if (g_bActed || !IsLoopRunning())
        return;
    ::KillTimer(nullptr, nId);
    g_bActed = true;
    ::PostQuitMessage(7);
}
constexpr UINT LOOP_POLL_MS = 40;

TEST_F(BarDragTest, ABarDestroyedDuringItsDragEndsTheLoop)
{
    for (int nStyle : {STYLE_FRAME, STYLE_MARKERS}) {
        CDockingStyleScope style(nStyle);
        CDockTestBar* pBar = m_frame->AddBar("Doomed", AFX_IDW_DOCKBAR_BOTTOM);
        ASSERT_NE(nullptr, pBar);
        g_pLoopBar = pBar;
        g_bActed = false;
        g_bActInThreshold = false;
        const UINT_PTR nTimer = ::SetTimer(nullptr, 0, LOOP_POLL_MS, DestroyDraggedBar);
        auto steps = PressAndMove(CDockTestFrame::GrabPoint(pBar), ClientCentre(), 6);
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps)) << "style " << nStyle;
        ::KillTimer(nullptr, nTimer);
        EXPECT_TRUE(g_bActed) << "style " << nStyle;
        EXPECT_EQ(nullptr, pBar->GetSafeHwnd());
        ExpectNoDragLeft();
        g_pLoopBar = nullptr;
    }
}

TEST_F(BarDragTest, QuitDuringTheDragOrItsThresholdEndsTheLoopAndReachesTheMainLoop)
{
    const struct
    {
        const char* name;
        bool bThreshold;
    } cases[] = {{"drag", false}, {"threshold", true}};
    for (const auto& c : cases) {
        CDockingStyleScope style(STYLE_FRAME);
        if (m_pLeft->IsInFloatingFrame())
            m_pLeft->DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1, m_frame.get(), true);
        m_frame->Settle();
        const CRect rcBefore = CDockTestFrame::WindowRectOf(m_pLeft);
        g_pLoopBar = m_pLeft;
        g_bActed = false;
        g_bActInThreshold = c.bThreshold;
        const CPoint grab = CDockTestFrame::GrabPoint(m_pLeft);
        std::vector<InputStep> steps =
            c.bThreshold ? std::vector<InputStep>{InputStep::Move(grab.x, grab.y), InputStep::Down(), InputStep::Wait(400)}
                         : PressAndMove(grab, ClientCentre(), 8);
        steps.push_back(InputStep::Up());
        const UINT_PTR nTimer = ::SetTimer(nullptr, 0, LOOP_POLL_MS, QuitDuringLoop);
        ASSERT_TRUE(Run(steps)) << c.name;
        ::KillTimer(nullptr, nTimer);
        EXPECT_TRUE(g_bActed) << c.name;
        EXPECT_FALSE(m_pLeft->m_bDragging) << c.name;
        EXPECT_EQ(rcBefore, CDockTestFrame::WindowRectOf(m_pLeft)) << "cancelled, " << c.name;
        ExpectNoDragLeft();
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.name;
        EXPECT_EQ(7u, msg.wParam);
        EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "posted once, " << c.name;
        g_pLoopBar = nullptr;
    }
}

CRect g_rcShot;
bool g_bShotSaved = false;
// Repeats until the highlight shows under the resting cursor, then takes the picture.
void CALLBACK ShootWhenHighlighted(HWND, UINT, UINT_PTR nId, DWORD)
{
    HWND hHighlight = ::FindWindowA(CExtDynDockHighlightWnd::WINDOW_CLASS, nullptr);
    if (g_bShotSaved || hHighlight == nullptr || !::IsWindowVisible(hHighlight))
        return;
    ::KillTimer(nullptr, nId);
    g_bShotSaved = SaveScreenRectPng(g_rcShot, "docking-marker-drag.png");
}

TEST_F(BarDragTest, MarkerStyleHighlightsTheAreaOfTheLitMarkerAndAFloatingFrameShowsItsCaption)
{
    CDockingStyleScope style(STYLE_MARKERS);
    m_pLeft->FloatAt(FRAME_RECT.left + 240, FRAME_RECT.top + 140, CBRS_ALIGN_TOP);
    m_frame->Settle();
    m_pLeft->GetParentFrame()->RedrawWindow(nullptr, nullptr,
                                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(100);
    const CRect rcFloat = CDockTestFrame::WindowRectOf(m_pLeft->GetParentFrame());
    CRect rcFloatShot(rcFloat);
    rcFloatShot.InflateRect(8, 8);
    EXPECT_TRUE(SaveScreenRectPng(rcFloatShot, "docking-floating-frame.png"));

    g_rcShot = FRAME_RECT;
    g_rcShot.InflateRect(20, 20);
    g_bShotSaved = false;
    const CPoint caption(rcFloat.left + 30, rcFloat.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
    auto leftmost = [] {
        return FindShownMarker([](const RECT& a, const RECT& b) { return a.left < b.left; });
    };
    auto steps = PressAndMove(caption, caption + CSize(30, 30));
    steps.push_back(InputStep::Wait(300));
    steps.push_back(InputStep::MoveTo(leftmost));
    steps.push_back(InputStep::Wait(100));
    steps.push_back(InputStep::MoveTo([leftmost] {
        POINT pt = leftmost();
        return POINT{pt.x + 1, pt.y + 1};
    }));
    steps.push_back(InputStep::Wait(700));
    steps.push_back(InputStep::Up());
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, ShootWhenHighlighted);
    ASSERT_TRUE(Run(steps));
    ::KillTimer(nullptr, nTimer);
    EXPECT_TRUE(g_bShotSaved) << "the highlight showed during the drag";
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), m_pLeft->GetDockBarId());
    ExpectNoDragLeft();
}

} // namespace
