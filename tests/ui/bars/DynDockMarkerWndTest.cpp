// Dock marker windows: the codes they propose, fading, hover, highlight geometry and a target
// that goes away.
#include "DockingTestFrame.h"
#include "DragInputScript.h"

#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtDynDockHighlightWnd.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const CRect FRAME_RECT(60, 60, 700, 520);
constexpr int MARKER_SET_BAR = 7;
constexpr DWORD FADE_DONE_MS = 200;

CExtDynDockMarkerWnd* MakeMarker(HWND hTarget, int nKind, const CRect& rc = CRect(10, 10, 40, 40))
{
    return new CExtDynDockMarkerWnd(hTarget, nKind, nullptr, nullptr, nullptr, rc.left, rc.top, rc.right, rc.bottom,
                                    nullptr, 0, 0, false);
}

// A running drag of the bar as far as the markers look at it.
class CPretendDrag
{
public:
    explicit CPretendDrag(CExtControlBar* pBar)
    {
        CExtControlBar::g_DragStateNew.m_pBar = pBar;
        CExtControlBar::g_DragStateNew.m_bEmpty = false;
    }
    ~CPretendDrag()
    {
        CExtDynDockMarkerWnd::DestroyAllMarkers();
        CExtControlBar::g_DragStateNew.Reset();
        CExtControlBar::g_DragStateNew.m_pBar = nullptr;
    }
};

// Switches translucent windows off for a test.
class CNoLayeredWindows
{
public:
    CNoLayeredWindows() : m_pfnSaved(g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes)
    {
        g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes = nullptr;
    }
    ~CNoLayeredWindows() { g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes = m_pfnSaved; }

private:
    CExtPaintManagerHolder::PFN_SetLayeredWindowAttributes m_pfnSaved;
};

class DynDockMarkerWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = std::make_unique<CDockTestFrame>();
        ASSERT_TRUE(m_frame->Open(FRAME_RECT));
        m_pBar = m_frame->AddBar("Target", AFX_IDW_DOCKBAR_LEFT, 1, CSize(180, 300));
        ASSERT_NE(nullptr, m_pBar);
    }
    void TearDown() override
    {
        CExtDynDockMarkerWnd::DestroyAllMarkers();
        m_frame.reset();
        PumpMessagesFor(50);
    }
    std::unique_ptr<CDockTestFrame> m_frame;
    CDockTestBar* m_pBar = nullptr;
};

TEST_F(DynDockMarkerWndTest, EachMarkerProposesTheCodeOfItsKindAndTarget)
{
    const HWND hBar = m_pBar->GetSafeHwnd();
    const HWND hView = m_frame->m_wndView.GetSafeHwnd();
    const struct
    {
        HWND hTarget;
        int nKind;
        int nCode;
        bool bDocking;
    } cases[] = {
        {nullptr, 0, 14, true}, {nullptr, 3, 17, true}, {hView, 1, 19, true}, {hView, 2, 20, true},
        {hBar, 0, 22, true},    {hBar, 3, 25, true},    {hBar, 8, 26, true},  {hView, 8, 0, true},
        {hBar, 4, 0, false},    {nullptr, 4, 0, false},
    };
    for (const auto& c : cases) {
        CExtDynDockMarkerWnd* pMarker = MakeMarker(c.hTarget, c.nKind);
        ASSERT_NE(nullptr, pMarker->GetSafeHwnd());
        EXPECT_EQ(c.nCode, pMarker->GetMarkerImageId()) << "kind " << c.nKind;
        EXPECT_EQ(c.bDocking, pMarker->IsDockingKind()) << "kind " << c.nKind;
        EXPECT_FALSE(pMarker->IsWindowVisible()) << "made hidden";
        pMarker->DestroyWindow();
    }
}

TEST_F(DynDockMarkerWndTest, AnimatedMarkersFadeWhereWindowsCanBeTranslucentAndShowAtOnceElsewhere)
{
    for (bool bLayered : {true, false}) {
        std::unique_ptr<CNoLayeredWindows> noLayered;
        if (!bLayered)
            noLayered = std::make_unique<CNoLayeredWindows>();
        const bool bCanFade = CExtDynDockMarkerWnd::CanFade();
        CExtDynDockMarkerWnd::MarkerArray markers;
        markers.Add(MakeMarker(nullptr, 0));
        const HWND hMarker = markers[0]->GetSafeHwnd();
        CExtDynDockMarkerWnd::ShowMarkers(markers, true, true);
        EXPECT_TRUE(::IsWindowVisible(hMarker));
        EXPECT_EQ(bCanFade, (::GetWindowLongA(hMarker, GWL_EXSTYLE) & WS_EX_LAYERED) != 0) << bLayered;
        PumpMessagesFor(FADE_DONE_MS);
        EXPECT_EQ(0, ::GetWindowLongA(hMarker, GWL_EXSTYLE) & WS_EX_LAYERED) << "no longer translucent";
        EXPECT_EQ(100, markers[0]->m_nAlphaPercent);

        // Destroyed while fading out, it stays until the fade ends.
        CExtDynDockMarkerWnd::DestroyMarkerArray(markers, true);
        EXPECT_EQ(0, markers.GetSize());
        EXPECT_EQ(bCanFade, ::IsWindow(hMarker) != FALSE) << bLayered;
        PumpMessagesFor(FADE_DONE_MS);
        EXPECT_FALSE(::IsWindow(hMarker));
    }
}

TEST_F(DynDockMarkerWndTest, HighlightCoversTheSideTheMarkerStandsFor)
{
    CPretendDrag drag(m_pBar);
    m_pBar->m_sizeDockedHorz.cy = 10;
    m_pBar->m_sizeDockedVert.cx = 70;
    CExtControlBar::BuildOuterMarkers(m_frame.get(), true);
    ASSERT_EQ(4, CExtControlBar::g_arrOuterMarkers.GetSize());
    const struct
    {
        int nKind;
        int nThickness;  // height for top and bottom, width for left and right
    } frameCases[] = {{0, 30}, {1, 30}, {2, 70}, {3, 70}};
    for (const auto& c : frameCases) {
        const CRect rc = CExtDynDockHighlightWnd::CalcHighlightRect(CExtDynDockMarkerWnd::FindMarker(nullptr, c.nKind, true));
        EXPECT_EQ(c.nThickness, c.nKind < 2 ? rc.Height() : rc.Width()) << "frame kind " << c.nKind;
    }
    // Over a bar the markers stand for the bar's halves, the centre for all of it.
    const CRect rcBar = CDockTestFrame::WindowRectOf(m_pBar);
    const struct
    {
        int nKind;
        CRect expected;
    } barCases[] = {
        {0, CRect(rcBar.left, rcBar.top, rcBar.right, rcBar.top + rcBar.Height() / 2)},
        {3, CRect(rcBar.right - rcBar.Width() / 2, rcBar.top, rcBar.right, rcBar.bottom)},
        {8, rcBar},
        {4, CRect(0, 0, 0, 0)},
    };
    for (const auto& c : barCases) {
        CExtDynDockMarkerWnd* pMarker = MakeMarker(m_pBar->GetSafeHwnd(), c.nKind);
        EXPECT_EQ(c.expected, CExtDynDockHighlightWnd::CalcHighlightRect(pMarker)) << "bar kind " << c.nKind;
        EXPECT_EQ(c.nKind != 4, pMarker->Highlight(true)) << "bar kind " << c.nKind;
        pMarker->DestroyWindow();
    }
}

TEST_F(DynDockMarkerWndTest, HoveringASideMarkerLightsItsArmOnTheCentreMarker)
{
    CPretendDrag drag(m_pBar);
    const CRect rcBar = CDockTestFrame::WindowRectOf(m_pBar);
    ASSERT_TRUE(CExtDynDockMarkerWnd::PrepareMarkerSet(m_pBar, MARKER_SET_BAR, rcBar, CExtControlBar::g_arrInnerMarkers));
    CExtDynDockMarkerWnd::ShowMarkers(CExtControlBar::g_arrInnerMarkers, true, false);
    CExtDynDockMarkerWnd* pCentre = CExtDynDockMarkerWnd::FindMarker(m_pBar->GetSafeHwnd(), 4, false);
    ASSERT_NE(nullptr, pCentre);
    for (int nKind : {0, 2, 3}) {
        CExtDynDockMarkerWnd* pSide = CExtDynDockMarkerWnd::FindMarker(m_pBar->GetSafeHwnd(), nKind, false);
        ASSERT_NE(nullptr, pSide);
        ::SetCursorPos(CDockTestFrame::WindowRectOf(pSide).CenterPoint().x,
                       CDockTestFrame::WindowRectOf(pSide).CenterPoint().y);
        PumpMessagesFor(150);
        EXPECT_TRUE(pSide->IsHovered()) << nKind;
        EXPECT_EQ(pSide->GetSafeHwnd(), pCentre->m_hWndHoverSibling) << nKind;
        EXPECT_EQ(nKind, CExtPaintManager::QueryDockMarkerHoveredArm(pCentre)) << nKind;
    }
}

TEST_F(DynDockMarkerWndTest, WhenTheTargetGoesTheInnerMarkersHideAndTheDragStepRunsAgain)
{
    CPretendDrag drag(m_pBar);
    CWnd target;
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, CRect(300, 300, 500, 450),
                                nullptr, 0));
    ASSERT_TRUE(CExtDynDockMarkerWnd::PrepareMarkerSet(&target, MARKER_SET_BAR, CRect(300, 300, 500, 450),
                                                       CExtControlBar::g_arrInnerMarkers));
    CExtDynDockMarkerWnd::ShowMarkers(CExtControlBar::g_arrInnerMarkers, true, false);
    const HWND hMarker = CExtControlBar::g_arrInnerMarkers[0]->GetSafeHwnd();
    target.DestroyWindow();
    MSG msg{};
    bool bMoved = false;
    const DWORD dwStart = ::GetTickCount();
    while (!bMoved && ::GetTickCount() - dwStart < 500) {
        bMoved = ::PeekMessageA(&msg, m_pBar->GetSafeHwnd(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE) != FALSE;
        if (::PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(5);
    }
    EXPECT_TRUE(bMoved);
    PumpMessagesFor(FADE_DONE_MS);
    EXPECT_FALSE(::IsWindow(hMarker) && ::IsWindowVisible(hMarker));
}

} // namespace
