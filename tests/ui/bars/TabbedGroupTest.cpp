// Tabbed bar groups on a real frame: grouping by drop in both docking styles, the strip shown
// only for two or more visible pages, keyboard page switching, a page floated by a double click
// or dragged out by its tab, OLE drags over the strip, and the group in the saved bar layout.
#include "DockingTestFrame.h"
#include "DragInputScript.h"
#include "tests/support/ScreenImage.h"

#include "platform/mfc/MemFile.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const CRect FRAME_RECT(60, 60, 700, 520);
constexpr DWORD WATCHDOG_MS = 8000;
constexpr int STYLE_FRAME = 0;
constexpr int STYLE_MARKERS = 1;

CExtDynTabControlBar* GroupOf(CExtControlBar* pBar)
{
    return DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar->GetTabbedGroupContainer());
}

// The tab's rectangle on the screen.
CRect TabRect(CExtDynTabControlBar* pGroup, int nIndex)
{
    CRect rc = pGroup->m_wndTabSwitcher.GetItemClientRect(nIndex);
    pGroup->m_wndTabSwitcher.ClientToScreen(&rc);
    return rc;
}

// Lets the framework's message routing see every message, as the application's loop does.
void PumpWithPreTranslate(DWORD dwMs)
{
    const DWORD dwStart = ::GetTickCount();
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (CWnd::WalkPreTranslateTree(nullptr, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount() - dwStart < dwMs);
}

class TabbedGroupTest : public ::testing::Test
{
protected:
    void SetUp() override { OpenFrame(); }
    void TearDown() override
    {
        m_frame.reset();
        PumpMessagesFor(50);
    }

    void OpenFrame()
    {
        m_frame = std::make_unique<CDockTestFrame>();
        ASSERT_TRUE(m_frame->Open(FRAME_RECT));
        m_pAlpha = m_frame->AddBar("Alpha", AFX_IDW_DOCKBAR_LEFT, 1, CSize(180, 300));
        m_pBeta = m_frame->AddBar("Beta", AFX_IDW_DOCKBAR_RIGHT, 1, CSize(160, 300));
        m_pGamma = m_frame->AddBar("Gamma", AFX_IDW_DOCKBAR_BOTTOM, 1, CSize(300, 100));
        ASSERT_NE(nullptr, m_pAlpha);
        ASSERT_NE(nullptr, m_pBeta);
        ASSERT_NE(nullptr, m_pGamma);
    }

    // Alpha with Beta (and Gamma when asked) as tabs, docked at the left.
    CExtDynTabControlBar* MakeGroup(bool bWithGamma)
    {
        if (!m_pAlpha->DockIntoTabbedGroup(m_pBeta, -1, m_frame.get(), true))
            return nullptr;
        if (bWithGamma && !m_pAlpha->DockIntoTabbedGroup(m_pGamma, -1, m_frame.get(), true))
            return nullptr;
        m_frame->Settle();
        return GroupOf(m_pAlpha);
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

    std::unique_ptr<CDockTestFrame> m_frame;
    CDockTestBar* m_pAlpha = nullptr;
    CDockTestBar* m_pBeta = nullptr;
    CDockTestBar* m_pGamma = nullptr;
};

// A floating bar dropped on a docked bar's caption band (frame style) or centre marker (marker
// style) joins it in a group whose strip runs along the group's bottom.
TEST_F(TabbedGroupTest, DroppingABarOnAnotherMakesAGroupInBothStyles)
{
    for (int nStyle : {STYLE_FRAME, STYLE_MARKERS}) {
        SCOPED_TRACE(nStyle == STYLE_FRAME ? "frame style" : "marker style");
        CDockingStyleScope style(nStyle);
        m_pBeta->FloatAt(FRAME_RECT.left + 320, FRAME_RECT.top + 160, CBRS_ALIGN_TOP);
        m_frame->Settle();
        const CRect rcFloat = CDockTestFrame::WindowRectOf(m_pBeta->GetParentFrame());
        const CPoint caption(rcFloat.left + 30, rcFloat.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
        const CRect rcTarget = CDockTestFrame::WindowRectOf(m_pAlpha);
        std::vector<InputStep> steps;
        if (nStyle == STYLE_FRAME) {
            // The caption band, below the frame edge's zone.
            steps = PressAndMove(caption, CPoint(rcTarget.CenterPoint().x, rcTarget.top + 30));
            steps.push_back(InputStep::Wait(150));
        } else {
            steps = PressAndMove(caption, rcTarget.CenterPoint());
            steps.push_back(InputStep::Wait(300));
            // The centre marker: the shown marker nearest the target's middle.
            auto centre = [rcTarget] {
                const CPoint mid = rcTarget.CenterPoint();
                return FindShownMarker([mid](const RECT& a, const RECT& b) {
                    auto dist = [mid](const RECT& r) {
                        return std::abs((r.left + r.right) / 2 - mid.x) + std::abs((r.top + r.bottom) / 2 - mid.y);
                    };
                    return dist(a) < dist(b);
                });
            };
            steps.push_back(InputStep::MoveTo(centre));
            steps.push_back(InputStep::Wait(150));
            steps.push_back(InputStep::MoveTo([centre] {
                POINT pt = centre();
                return POINT{pt.x + 1, pt.y};
            }));
            steps.push_back(InputStep::Wait(100));
        }
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps));
        m_frame->Settle();

        CExtDynTabControlBar* pGroup = GroupOf(m_pAlpha);
        ASSERT_NE(nullptr, pGroup);
        EXPECT_EQ(pGroup, GroupOf(m_pBeta));
        EXPECT_FALSE(pGroup->IsInFloatingFrame());
        CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
        ASSERT_EQ(2, strip.GetItemCount());
        EXPECT_EQ(m_pAlpha, strip.GetBarAt(0, true));
        EXPECT_EQ(m_pBeta, strip.GetBarAt(1, true));
        EXPECT_TRUE(strip.IsWindowVisible());
        const CRect rcGroup = CDockTestFrame::WindowRectOf(pGroup);
        const CRect rcStrip = CDockTestFrame::WindowRectOf(&strip);
        EXPECT_EQ(rcGroup.left, rcStrip.left);
        EXPECT_GE(rcGroup.bottom, rcStrip.bottom);
        EXPECT_LE(rcGroup.bottom - rcStrip.bottom, 4);
        // Every page lies above the strip; the selected one is on top.
        EXPECT_LE(CDockTestFrame::WindowRectOf(m_pAlpha).bottom, rcStrip.top);
        EXPECT_EQ(CDockTestFrame::WindowRectOf(m_pAlpha), CDockTestFrame::WindowRectOf(m_pBeta));
        EXPECT_EQ(nullptr, CExtControlBar::GetDraggedBar());
        EXPECT_FALSE(strip.HasTemporaryTabs());

        // Back to plain bars for the other style.
        m_pBeta->FloatAt(FRAME_RECT.left + 320, FRAME_RECT.top + 160, CBRS_ALIGN_TOP);
        m_frame->Settle();
        EXPECT_EQ(nullptr, GroupOf(m_pAlpha));
    }
}

// The strip measures its tabs for the group and is then laid out for its own client area: the
// tabs stand inside the strip.
TEST_F(TabbedGroupTest, TabsStandInsideTheStripAfterTheGroupMeasuredIt)
{
    CExtDynTabControlBar* pGroup = MakeGroup(false);
    ASSERT_NE(nullptr, pGroup);
    const int nHeight = pGroup->GetStripHeight();
    EXPECT_GT(nHeight, 0);
    CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
    strip.InvalidateLayout(true);
    CRect rcClient;
    strip.GetClientRect(&rcClient);
    for (int i = 0; i < strip.GetItemCount(); ++i) {
        const CRect rcTab = strip.GetItemClientRect(i);
        EXPECT_FALSE(rcTab.IsRectEmpty()) << i;
        CRect rcIn;
        EXPECT_TRUE(rcIn.IntersectRect(&rcTab, &rcClient) && rcIn == rcTab) << i;
    }
    m_frame->ShowWindow(SW_SHOWNA);
    m_frame->UpdateWindow();
    PumpMessagesFor(100);
    EXPECT_TRUE(SaveWindowPng(m_frame->GetSafeHwnd(), "tabbed-group.png"));
}

// The strip shows only while two or more pages are visible; hiding the selected page selects the
// next visible one, and a lone page fills the group.
TEST_F(TabbedGroupTest, TheStripShowsForTwoOrMoreVisiblePages)
{
    CExtDynTabControlBar* pGroup = MakeGroup(true);
    ASSERT_NE(nullptr, pGroup);
    CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
    ASSERT_EQ(3, strip.GetItemCount());
    pGroup->SelectBar(m_pBeta);
    struct Step
    {
        const char* name;
        CExtControlBar* pBar;
        bool bShow;
        bool bStripShown;
        int nSelected;
    };
    const Step steps[] = {
        {"hiding the selected page selects the next", m_pBeta, false, true, 2},
        {"one visible page left hides the strip", m_pGamma, false, false, 0},
        {"a page shown again is selected", m_pBeta, true, true, 1},
        {"every page shown", m_pGamma, true, true, 2},
    };
    for (const Step& s : steps) {
        m_frame->ShowControlBar(s.pBar, s.bShow ? TRUE : FALSE, FALSE);
        pGroup->OnMemberVisibilityChanged(s.pBar);
        m_frame->Settle();
        EXPECT_EQ(s.bStripShown, (strip.GetStyle() & WS_VISIBLE) != 0) << s.name;
        EXPECT_EQ(s.nSelected, strip.GetSelectedIndex()) << s.name;
        if (!s.bStripShown) {
            CRect rcGroupClient, rcPage;
            pGroup->GetClientRect(&rcGroupClient);
            pGroup->ClientToScreen(&rcGroupClient);
            rcPage = CDockTestFrame::WindowRectOf(m_pAlpha);
            EXPECT_EQ(rcGroupClient.bottom, rcPage.bottom) << s.name;
        }
    }
}

// Ctrl+PageDown and Ctrl+PageUp go round the visible pages; a hidden page is passed over.
TEST_F(TabbedGroupTest, CtrlPageDownAndUpCycleTheVisiblePages)
{
    CExtDynTabControlBar* pGroup = MakeGroup(true);
    ASSERT_NE(nullptr, pGroup);
    CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
    pGroup->SelectBar(m_pAlpha);
    PumpWithPreTranslate(50);
    struct Case
    {
        WORD vk;
        int nExpected;
    };
    const Case cases[] = {{VK_NEXT, 1}, {VK_NEXT, 2}, {VK_NEXT, 0}, {VK_PRIOR, 2}, {VK_PRIOR, 1}};
    for (const Case& c : cases) {
        ::SetForegroundWindow(m_frame->GetSafeHwnd());
        if (CExtControlBar* pPage = strip.GetBarAt(strip.GetSelectedIndex(), true))
            pPage->SetFocus();
        SendKey(VK_CONTROL, true);
        SendKey(c.vk, true);
        SendKey(c.vk, false);
        SendKey(VK_CONTROL, false);
        PumpWithPreTranslate(150);
        EXPECT_EQ(c.nExpected, strip.GetSelectedIndex()) << (c.vk == VK_NEXT ? "PageDown" : "PageUp");
    }
    // The page on top is the selected one.
    EXPECT_EQ(strip.GetBarAt(1, true)->GetSafeHwnd(), ::GetWindow(pGroup->GetTabDockBar()->GetSafeHwnd(), GW_CHILD));

    m_frame->ShowControlBar(m_pGamma, FALSE, FALSE);
    pGroup->OnMemberVisibilityChanged(m_pGamma);
    pGroup->SelectBar(m_pBeta);
    m_pBeta->SetFocus();
    SendKey(VK_CONTROL, true);
    SendKey(VK_NEXT, true);
    SendKey(VK_NEXT, false);
    SendKey(VK_CONTROL, false);
    PumpWithPreTranslate(150);
    EXPECT_EQ(0, strip.GetSelectedIndex()) << "the hidden last page is passed over";
}

// A double click on a tab floats that page alone at its last floating place; the group left with
// one page dissolves.
TEST_F(TabbedGroupTest, DoubleClickingATabFloatsThePageAtItsLastFloatingPlace)
{
    CExtDynTabControlBar* pGroup = MakeGroup(false);
    ASSERT_NE(nullptr, pGroup);
    const CPoint ptFloat(FRAME_RECT.left + 300, FRAME_RECT.top + 120);
    m_pBeta->m_ptFloatPos = ptFloat;
    const CPoint pt = TabRect(pGroup, 1).CenterPoint();
    std::vector<InputStep> steps{InputStep::Move(pt.x, pt.y), InputStep::Down(), InputStep::Up(),
                                 InputStep::Down(), InputStep::Up(), InputStep::Wait(100)};
    ASSERT_TRUE(Run(steps));
    m_frame->Settle();
    ASSERT_TRUE(m_pBeta->IsInFloatingFrame());
    EXPECT_EQ(ptFloat, CDockTestFrame::WindowRectOf(m_pBeta->GetParentFrame()).TopLeft());
    EXPECT_EQ(nullptr, GroupOf(m_pAlpha));
    EXPECT_FALSE(m_pAlpha->IsInFloatingFrame());
    EXPECT_TRUE(m_pAlpha->IsVisible());
}

// Dragging a tab drags its page out of the group; Escape (frame style) puts the tab back where
// it stood.
TEST_F(TabbedGroupTest, DraggingATabDragsThePageOutOrBackOnEscape)
{
    CDockingStyleScope style(STYLE_FRAME);
    CExtDynTabControlBar* pGroup = MakeGroup(true);
    ASSERT_NE(nullptr, pGroup);
    CRect rcView;
    m_frame->m_wndView.GetWindowRect(&rcView);
    {
        const CPoint from = TabRect(pGroup, 1).CenterPoint();
        auto steps = PressAndMove(from, rcView.CenterPoint());
        steps.push_back(InputStep::Wait(150));
        steps.push_back(InputStep::KeyDown(VK_ESCAPE));
        steps.push_back(InputStep::KeyUp(VK_ESCAPE));
        steps.push_back(InputStep::Wait(100));
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps));
        m_frame->Settle();
        EXPECT_EQ(pGroup, GroupOf(m_pBeta)) << "cancelled";
        EXPECT_EQ(m_pBeta, pGroup->m_wndTabSwitcher.GetBarAt(1, true)) << "cancelled";
        EXPECT_EQ(3, pGroup->m_wndTabSwitcher.GetItemCount()) << "cancelled";
        EXPECT_EQ(-1, pGroup->m_wndTabSwitcher.m_nDragStartTabIndex);
    }
    {
        const CPoint from = TabRect(pGroup, 1).CenterPoint();
        auto steps = PressAndMove(from, rcView.CenterPoint());
        steps.push_back(InputStep::Wait(150));
        steps.push_back(InputStep::Up());
        ASSERT_TRUE(Run(steps));
        m_frame->Settle();
        EXPECT_TRUE(m_pBeta->IsInFloatingFrame()) << "dropped";
        EXPECT_EQ(pGroup, GroupOf(m_pAlpha)) << "dropped";
        ASSERT_EQ(2, pGroup->m_wndTabSwitcher.GetItemCount()) << "dropped";
        EXPECT_EQ(m_pGamma, pGroup->m_wndTabSwitcher.GetBarAt(1, true)) << "dropped";
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(0u, pGroup->m_wndTabSwitcher.GetItemAt(i)->GetFlags() & CExtTabWnd::ITEM_TEMPORARY);
    }
    EXPECT_EQ(nullptr, CExtControlBar::GetDraggedBar());
    EXPECT_EQ(nullptr, ::GetCapture());
}

// Any OLE data dragged over a tab selects it; the strip takes no drop.
TEST_F(TabbedGroupTest, AnOleDragOverATabSelectsItAndIsNeverDropped)
{
    CExtDynTabControlBar* pGroup = MakeGroup(true);
    ASSERT_NE(nullptr, pGroup);
    CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
    pGroup->SelectBar(m_pAlpha);
    CExtDynTabWnd::CDynDropTarget& target = strip.m_oleDropTarget;
    const CPoint ptTab2 = strip.GetItemClientRect(2).CenterPoint();
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(&strip, nullptr, 0, ptTab2));
    EXPECT_EQ(2, strip.GetSelectedIndex());
    const CPoint ptTab1 = strip.GetItemClientRect(1).CenterPoint();
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(&strip, nullptr, 0, ptTab1));
    EXPECT_EQ(1, strip.GetSelectedIndex());
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(&strip, nullptr, 0, CPoint(-50, -50)));
    EXPECT_EQ(1, strip.GetSelectedIndex());
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDropEx(&strip, nullptr, DROPEFFECT_COPY, DROPEFFECT_COPY, ptTab1));
    EXPECT_FALSE(target.OnDrop(&strip, nullptr, DROPEFFECT_COPY, ptTab1));
    EXPECT_EQ(3, strip.GetItemCount());
}

// The group operations: the n-th visible tab, or tab n itself; past the end nothing. A tab put
// back where its drag started.
TEST_F(TabbedGroupTest, SelectVisibleTabAndRestoreBarTabPosition)
{
    CExtDynTabControlBar* pGroup = MakeGroup(true);
    ASSERT_NE(nullptr, pGroup);
    CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
    m_frame->ShowControlBar(m_pBeta, FALSE, FALSE);
    pGroup->OnMemberVisibilityChanged(m_pBeta);
    struct Case
    {
        int n;
        int nStart;
        int nExpected;
    };
    const Case cases[] = {
        {0, 2, 0},  // the first visible
        {1, 0, 2},  // the second visible passes the hidden Beta
        {2, 0, 2},  // only two visible: tab 2 itself
        {3, 1, 1},  // past the end: nothing changes
        {-1, 1, 1}, // negative: nothing changes
    };
    for (const Case& c : cases) {
        strip.SetSelectedItem(c.nStart, false, false);
        pGroup->SelectVisibleTab(c.n, true, true);
        EXPECT_EQ(c.nExpected, strip.GetSelectedIndex()) << "n = " << c.n;
    }
    m_frame->ShowControlBar(m_pBeta, TRUE, FALSE);
    pGroup->OnMemberVisibilityChanged(m_pBeta);

    strip.m_nDragStartTabIndex = 0;
    strip.RestoreBarTabPosition(m_pGamma);
    EXPECT_EQ(m_pGamma, strip.GetBarAt(0, true));
    EXPECT_EQ(m_pAlpha, strip.GetBarAt(1, true));
    EXPECT_EQ(3, strip.GetItemCount());
    EXPECT_EQ(-1, strip.m_nDragStartTabIndex);
    // Already there: nothing moves, the index is reset all the same.
    strip.m_nDragStartTabIndex = 0;
    strip.RestoreBarTabPosition(m_pGamma);
    EXPECT_EQ(m_pGamma, strip.GetBarAt(0, true));
    EXPECT_EQ(-1, strip.m_nDragStartTabIndex);
}

// A group tabbed into another group brings every page along and goes.
TEST_F(TabbedGroupTest, AGroupDroppedOnAGroupMovesAllItsPages)
{
    CDockTestBar* pDelta = m_frame->AddBar("Delta", AFX_IDW_DOCKBAR_RIGHT, 1, CSize(160, 300));
    ASSERT_NE(nullptr, pDelta);
    ASSERT_TRUE(m_pAlpha->DockIntoTabbedGroup(m_pGamma, -1, m_frame.get(), true));
    ASSERT_TRUE(m_pBeta->DockIntoTabbedGroup(pDelta, -1, m_frame.get(), true));
    m_frame->Settle();
    CExtDynTabControlBar* pFirst = GroupOf(m_pAlpha);
    CExtDynTabControlBar* pSecond = GroupOf(m_pBeta);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    const HWND hSecond = pSecond->GetSafeHwnd();
    ASSERT_TRUE(pFirst->DockIntoTabbedGroup(pSecond, 1, m_frame.get(), true));
    m_frame->Settle();
    EXPECT_FALSE(::IsWindow(hSecond));
    CExtDynTabWnd& strip = pFirst->m_wndTabSwitcher;
    ASSERT_EQ(4, strip.GetItemCount());
    const CExtControlBar* expected[] = {m_pAlpha, m_pBeta, pDelta, m_pGamma};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i], strip.GetBarAt(i, true)) << i;
        EXPECT_EQ(pFirst, GroupOf(strip.GetBarAt(i, true))) << i;
    }
    EXPECT_EQ(1, strip.GetSelectedIndex());
}

// A group saved with the layout comes back on a frame made anew: same pages in the same order,
// the same page selected; a page the new frame lacks is left out and the rest applies.
TEST_F(TabbedGroupTest, AGroupComesBackFromTheSavedLayout)
{
    CExtDynTabControlBar* pGroup = MakeGroup(true);
    ASSERT_NE(nullptr, pGroup);
    pGroup->SelectBar(m_pGamma);
    m_frame->Settle();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(CExtControlBar::SerializeFrameBarState(ar, m_frame.get()));
    }
    auto loadInto = [&file](CDockTestFrame* pFrame) {
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        return CExtControlBar::SerializeFrameBarState(ar, pFrame);
    };

    m_frame.reset();
    PumpMessagesFor(50);
    OpenFrame();
    ASSERT_TRUE(loadInto(m_frame.get()));
    m_frame->Settle();
    CExtDynTabControlBar* pLoaded = GroupOf(m_pAlpha);
    ASSERT_NE(nullptr, pLoaded);
    CExtDynTabWnd& strip = pLoaded->m_wndTabSwitcher;
    ASSERT_EQ(3, strip.GetItemCount());
    const CExtControlBar* expected[] = {m_pAlpha, m_pBeta, m_pGamma};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(expected[i], strip.GetBarAt(i, true)) << i;
    EXPECT_EQ(2, strip.GetSelectedIndex());
    EXPECT_TRUE(strip.IsWindowVisible());
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, static_cast<UINT>(pLoaded->GetDockBarId()));

    // A frame without Beta: the group keeps Alpha and Gamma.
    m_frame.reset();
    PumpMessagesFor(50);
    m_frame = std::make_unique<CDockTestFrame>();
    ASSERT_TRUE(m_frame->Open(FRAME_RECT));
    m_pAlpha = m_frame->AddBar("Alpha", AFX_IDW_DOCKBAR_LEFT, 1, CSize(180, 300));
    m_frame->m_bars.push_back(nullptr); // Beta's id stays unused
    m_pGamma = m_frame->AddBar("Gamma", AFX_IDW_DOCKBAR_BOTTOM, 1, CSize(300, 100));
    ASSERT_TRUE(loadInto(m_frame.get()));
    m_frame->Settle();
    pLoaded = GroupOf(m_pAlpha);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(pLoaded, GroupOf(m_pGamma));
    EXPECT_EQ(2, pLoaded->m_wndTabSwitcher.GetItemCount());
}

} // namespace
