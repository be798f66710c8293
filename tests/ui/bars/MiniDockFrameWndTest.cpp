// The floating frame with real input: resizing from its border down to its minimum, keys and
// the application's end during a resize, and its caption kept on the work area.
#include "DockingTestFrame.h"
#include "DragInputScript.h"

#include "ui/bars/ExtMiniDockFrameWnd.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const CRect FRAME_RECT(60, 60, 700, 520);
constexpr DWORD WATCHDOG_MS = 8000;

class MiniDockFrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = std::make_unique<CDockTestFrame>();
        ASSERT_TRUE(m_frame->Open(FRAME_RECT));
        m_pBar = m_frame->AddBar("Floating", AFX_IDW_DOCKBAR_LEFT, 1, CSize(200, 150));
        ASSERT_NE(nullptr, m_pBar);
        ASSERT_TRUE(m_pBar->FloatAt(FRAME_RECT.left + 200, FRAME_RECT.top + 120, CBRS_ALIGN_TOP));
        m_frame->Settle();
        m_pFloating = static_cast<CExtMiniDockFrameWnd*>(m_pBar->GetParentFrame());
        ASSERT_NE(nullptr, m_pFloating);
        ASSERT_TRUE(m_pFloating->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
    }
    void TearDown() override
    {
        m_frame.reset();
        PumpMessagesFor(50);
    }
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
    CSize NonClientExtent() const
    {
        CRect rcWindow, rcClient;
        m_pFloating->GetWindowRect(&rcWindow);
        m_pFloating->GetClientRect(&rcClient);
        return CSize(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    }
    CPoint RightBorder() const
    {
        const CRect rc = CDockTestFrame::WindowRectOf(m_pFloating);
        return CPoint(rc.right - 1 - ::GetSystemMetrics(SM_CXFRAME) / 2, rc.CenterPoint().y);
    }

    std::unique_ptr<CDockTestFrame> m_frame;
    CDockTestBar* m_pBar = nullptr;
    CExtMiniDockFrameWnd* m_pFloating = nullptr;
};

TEST_F(MiniDockFrameWndTest, ResizingFromABorderFollowsTheCursorButNotBelowTheMinimum)
{
    const CSize nc = NonClientExtent();
    const CSize minimum = m_pBar->GetMinimalFloatingSize();
    const struct
    {
        int dx;
        bool bClampedToMinimum;
    } cases[] = {{60, false}, {-600, true}};
    for (const auto& c : cases) {
        const CRect rcBefore = CDockTestFrame::WindowRectOf(m_pFloating);
        const CPoint from = RightBorder();
        auto steps = PressAndMove(from, from + CSize(c.dx, 0), 20);
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps));
        const CRect rcAfter = CDockTestFrame::WindowRectOf(m_pFloating);
        EXPECT_EQ(rcBefore.left, rcAfter.left) << "the left edge stays";
        EXPECT_EQ(rcBefore.Height(), rcAfter.Height());
        const int nExpected = c.bClampedToMinimum ? minimum.cx + nc.cx : rcBefore.Width() + c.dx;
        EXPECT_EQ(nExpected, rcAfter.Width());
        EXPECT_EQ(rcAfter.Width() - nc.cx, m_pBar->m_sizeFloating.cx);
        EXPECT_EQ(0u, m_pFloating->GetResizeHitTest());
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(MiniDockFrameWndTest, AKeyEndsTheResizeAtTheSizeReached)
{
    const CRect rcBefore = CDockTestFrame::WindowRectOf(m_pFloating);
    const CPoint from = RightBorder();
    auto steps = PressAndMove(from, from + CSize(40, 0), 20);
    steps.push_back(InputStep::KeyDown(VK_ESCAPE));
    steps.push_back(InputStep::KeyUp(VK_ESCAPE));
    steps.push_back(InputStep::Move(from.x + 120, from.y));
    steps.push_back(InputStep::Up());
    ASSERT_TRUE(Run(steps));
    EXPECT_EQ(rcBefore.Width() + 40, CDockTestFrame::WindowRectOf(m_pFloating).Width());
    EXPECT_EQ(0u, m_pFloating->GetResizeHitTest());
}

bool g_bSawResize = false;
CExtMiniDockFrameWnd* g_pResizing = nullptr;
// Runs inside the resize loop's pump; acts once, when the resize runs.
void CALLBACK QuitDuringResize(HWND, UINT, UINT_PTR nId, DWORD)
{
    if (g_bSawResize || g_pResizing == nullptr || g_pResizing->GetResizeHitTest() == 0)
        return;
    ::KillTimer(nullptr, nId);
    g_bSawResize = true;
    ::PostQuitMessage(9);
}

TEST_F(MiniDockFrameWndTest, QuitDuringAResizeEndsItWithTheCaptureReleasedAndReachesTheMainLoop)
{
    g_pResizing = m_pFloating;
    g_bSawResize = false;
    const CPoint from = RightBorder();
    auto steps = PressAndMove(from, from + CSize(100, 0), 5);
    steps.push_back(InputStep::Up());
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 40, QuitDuringResize);
    ASSERT_TRUE(Run(steps));
    ::KillTimer(nullptr, nTimer);
    EXPECT_TRUE(g_bSawResize);
    EXPECT_EQ(0u, m_pFloating->GetResizeHitTest());
    EXPECT_NE(m_pFloating->GetSafeHwnd(), ::GetCapture());
    EXPECT_NE(0u, m_pFloating->GetStyle() & FWS_SNAPTOBARS) << "the snapping style comes back";
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(9u, msg.wParam);
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    g_pResizing = nullptr;
}

TEST_F(MiniDockFrameWndTest, TheCaptionIsPulledBackOntoTheWorkAreaUpAndDownButNotSideways)
{
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    const CSize size = CDockTestFrame::WindowRectOf(m_pFloating).Size();
    const struct
    {
        const char* name;
        CPoint to;
        CPoint expected;
    } cases[] = {
        {"above", CPoint(200, rcWork.top - 80), CPoint(200, rcWork.top)},
        {"below", CPoint(200, rcWork.bottom + 40), CPoint(200, rcWork.bottom - cyCaption)},
        {"left", CPoint(rcWork.left - 60, 200), CPoint(rcWork.left - 60, 200)},
    };
    for (const auto& c : cases) {
        m_pFloating->SetWindowPos(nullptr, c.to.x, c.to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessagesFor(30);
        const CRect rc = CDockTestFrame::WindowRectOf(m_pFloating);
        EXPECT_EQ(c.expected, rc.TopLeft()) << c.name;
        EXPECT_EQ(size, rc.Size()) << c.name;
    }
}

TEST_F(MiniDockFrameWndTest, FloatingABarAloneInItsFrameOnlyMovesTheFrame)
{
    const HWND hFloating = m_pFloating->GetSafeHwnd();
    const CSize size = CDockTestFrame::WindowRectOf(m_pFloating).Size();
    ASSERT_TRUE(m_pBar->FloatAt(FRAME_RECT.left + 90, FRAME_RECT.top + 70, CBRS_ALIGN_TOP));
    PumpMessagesFor(30);
    EXPECT_EQ(hFloating, m_pBar->GetParentFrame()->GetSafeHwnd());
    const CRect rc = CDockTestFrame::WindowRectOf(m_pFloating);
    EXPECT_EQ(CPoint(FRAME_RECT.left + 90, FRAME_RECT.top + 70), rc.TopLeft());
    EXPECT_EQ(size, rc.Size());
    EXPECT_EQ(rc.TopLeft(), m_pBar->m_ptFloatPos);
}

TEST_F(MiniDockFrameWndTest, ARightClickOnTheCaptionShowsTheBarListMenu)
{
    // The menu lists the bars through the frame's command profile.
    g_CmdManagerHolder->CreateProfile("floating-frame-menu-test", m_frame->GetSafeHwnd());
    const CRect rc = CDockTestFrame::WindowRectOf(m_pFloating);
    const CPoint caption(rc.left + 30, rc.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
    m_pFloating->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
    PumpMessagesFor(30);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    CExtPopupMenuWnd::EndActiveTracking();
    PumpMessagesFor(30);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    g_CmdManagerHolder->DetachProfileWindow(m_frame->GetSafeHwnd(), true);
}

} // namespace
