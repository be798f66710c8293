// Auto-hide on a real frame: bars parked as tabs of their side's area, slid out in the frame's
// slider by a click or the keyboard, slid back when the mouse leaves or the frame changes, the
// slider's resize edge, its hooks, and parked bars in the saved layout.
#include "DockingTestFrame.h"
#include "DragInputScript.h"

#include "tests/support/ScreenImage.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/bars/ExtDynAutoHideSlider.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/core/ExtCmdManager.h"

#include "platform/mfc/Edit.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const CRect FRAME_RECT(40, 40, 720, 560);
constexpr DWORD GENEROUS_WAIT_MS = 3000;
constexpr char PROFILE[] = "AutoHideTestProfile";
constexpr char COMPANY[] = "QuorvalisAutoHideTests";
constexpr char PRODUCT[] = "AutoHide";

using Slider = CExtDynAutoHideSlider;

// Pumps messages until the condition holds or the time is up; answers the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD dwMs = GENEROUS_WAIT_MS)
{
    const DWORD dwStart = ::GetTickCount();
    while (!condition() && ::GetTickCount() - dwStart < dwMs)
        PumpMessagesFor(20);
    return condition();
}

CRect ScreenRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

CRect RectInFrame(CWnd* pWnd, CWnd* pFrame)
{
    CRect rc = ScreenRect(pWnd);
    pFrame->ScreenToClient(&rc);
    return rc;
}

void Click(POINT pt)
{
    SendMouseMove(pt);
    PumpMessagesFor(40);
    SendLeftButton(true);
    PumpMessagesFor(40);
    SendLeftButton(false);
    PumpMessagesFor(40);
}

bool NoHookLeft()
{
    return Slider::g_pHookedSlider == nullptr && Slider::g_hMouseHook == nullptr &&
           Slider::g_hKeyboardHook == nullptr;
}

// A docking frame with auto-hide areas; its bars hold an edit control as their content.
class AutoHideTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = std::make_unique<CDockTestFrame>();
        ASSERT_TRUE(m_frame->Open(FRAME_RECT));
        ASSERT_TRUE(CExtControlBar::InstallFrameAutoHideAreas(m_frame.get()));
        m_frame->Settle();
    }
    void TearDown() override
    {
        if (m_frame && m_frame->GetSafeHwnd() != nullptr)
            g_CmdManager->DetachProfileWindow(m_frame->GetSafeHwnd(), true);
        m_frame.reset();
        PumpMessagesFor(20);
        EXPECT_TRUE(NoHookLeft());
    }

    CDockTestBar* AddContentBar(const char* pszCaption, UINT nSideId, CSize size = CSize(180, 150))
    {
        CDockTestBar* pBar = m_frame->AddBar(pszCaption, nSideId, 1, size);
        if (pBar == nullptr)
            return nullptr;
        auto edit = std::make_unique<CEdit>();
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, rcClient, pBar, 1))
            return nullptr;
        edit->SetWindowText(pszCaption);
        m_edits.push_back(std::move(edit));
        return pBar;
    }
    bool Park(CExtControlBar* pBar)
    {
        const bool bDone = CExtControlBar::SetAutoHideMode(pBar, true, false, true, true);
        m_frame->Settle();
        return bDone;
    }
    CExtDynAutoHideArea* Area(UINT nSideId) const
    {
        CExtDynAutoHideArea* apAreas[4];
        CExtDynAutoHideArea::GetFrameAreas(m_frame.get(), &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]);
        switch (nSideId) {
        case AFX_IDW_DOCKBAR_TOP:
            return apAreas[0];
        case AFX_IDW_DOCKBAR_BOTTOM:
            return apAreas[1];
        case AFX_IDW_DOCKBAR_LEFT:
            return apAreas[2];
        default:
            return apAreas[3];
        }
    }
    Slider* TheSlider() const { return Area(AFX_IDW_DOCKBAR_LEFT)->GetSlider(); }
    CPoint TabPoint(CExtDynAutoHideArea* pArea, int nIndex) const
    {
        CRect rc = pArea->GetItemClientRect(nIndex);
        pArea->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    // A point of the frame's view far from the left side's area and slider.
    CPoint FarPoint() const
    {
        const CRect rc = ScreenRect(&m_frame->m_wndView);
        return CPoint(rc.right - 20, rc.bottom - 20);
    }
    bool SlideOutByClick(CExtDynAutoHideArea* pArea, int nIndex)
    {
        m_frame->SetFocus();
        Click(TabPoint(pArea, nIndex));
        return PumpUntil([&] { return TheSlider()->IsShown() && !TheSlider()->IsAnimating(); }, 1000);
    }

    std::unique_ptr<CDockTestFrame> m_frame;
    std::vector<std::unique_ptr<CEdit>> m_edits;
};

// A parked bar leaves its row and becomes its side's only tab; its area shows while it has a
// tab, the others stay hidden; unpinning gives the bar back and hides the area again.
TEST_F(AutoHideTest, ParkedBarIsATabOfItsSideOnly)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    for (UINT nSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
        EXPECT_FALSE(Area(nSide)->IsWindowVisible()) << std::hex << nSide;

    ASSERT_TRUE(Park(pBar));
    EXPECT_TRUE(pBar->m_bAutoHidden);
    EXPECT_FALSE(pBar->IsWindowVisible());
    ASSERT_EQ(1, Area(AFX_IDW_DOCKBAR_LEFT)->GetItemCount());
    EXPECT_EQ(pBar, Area(AFX_IDW_DOCKBAR_LEFT)->GetBarAt(0));
    EXPECT_TRUE(Area(AFX_IDW_DOCKBAR_LEFT)->GetItemAt(0)->IsInGroupActive());
    EXPECT_EQ(-1, Area(AFX_IDW_DOCKBAR_LEFT)->GetSelectedIndex());
    EXPECT_FALSE(TheSlider()->IsShown());
    for (UINT nSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_RIGHT})
        EXPECT_FALSE(Area(nSide)->IsWindowVisible()) << std::hex << nSide;
    EXPECT_TRUE(Area(AFX_IDW_DOCKBAR_LEFT)->IsWindowVisible());
    // The areas follow the right outer dock bar in the window order the frame's layout follows.
    HWND hPrev = CExtDockBar::FindRingBar(m_frame.get(), 0, AFX_IDW_DOCKBAR_RIGHT, false)->GetSafeHwnd();
    for (UINT nSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        EXPECT_EQ(Area(nSide)->GetSafeHwnd(), ::GetWindow(hPrev, GW_HWNDNEXT)) << std::hex << nSide;
        hPrev = Area(nSide)->GetSafeHwnd();
    }
    // The left dock bars leave the area's band free.
    EXPECT_GE(ScreenRect(&m_frame->m_wndView).left, ScreenRect(Area(AFX_IDW_DOCKBAR_LEFT)).right);

    ASSERT_TRUE(CExtControlBar::SetAutoHideMode(pBar, false, false, true, true));
    m_frame->Settle();
    EXPECT_FALSE(pBar->m_bAutoHidden);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(0, Area(AFX_IDW_DOCKBAR_LEFT)->GetItemCount());
    EXPECT_FALSE(Area(AFX_IDW_DOCKBAR_LEFT)->IsWindowVisible());
}

// A click on the tab slides the bar out to its final rectangle: the free region's full height
// beside the area, the bar's stored width, its content moved in; the slide takes its five paced
// steps.
TEST_F(AutoHideTest, ClickedTabSlidesBarOutToItsFinalRectangle)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT, CSize(190, 150));
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    CExtDynAutoHideArea* pArea = Area(AFX_IDW_DOCKBAR_LEFT);
    const DWORD dwStart = ::GetTickCount();
    ASSERT_TRUE(SlideOutByClick(pArea, 0));
    const DWORD dwTook = ::GetTickCount() - dwStart;

    Slider* pSlider = TheSlider();
    EXPECT_EQ(pBar, pSlider->GetShownBar());
    EXPECT_EQ(0, pArea->GetSelectedIndex());
    EXPECT_TRUE(pSlider->IsWindowVisible());
    CRect rcClient;
    m_frame->GetClientRect(&rcClient);
    const CRect rcSlider = RectInFrame(pSlider, m_frame.get());
    const CRect rcArea = RectInFrame(pArea, m_frame.get());
    EXPECT_EQ(rcArea.right, rcSlider.left);
    EXPECT_EQ(190, rcSlider.Width());
    EXPECT_EQ(rcClient.top, rcSlider.top);
    EXPECT_EQ(rcClient.bottom, rcSlider.bottom);
    EXPECT_EQ(rcSlider, pSlider->GetLimitRect() & rcSlider);
    // The content fills the slider's client area.
    CEdit* pEdit = m_edits[0].get();
    EXPECT_EQ(pSlider, pEdit->GetParent());
    CRect rcContent, rcSliderClient;
    pEdit->GetWindowRect(&rcContent);
    pSlider->GetClientRect(&rcSliderClient);
    pSlider->ClientToScreen(&rcSliderClient);
    EXPECT_EQ(rcSliderClient, rcContent);
    EXPECT_FALSE(pBar->IsWindowVisible());
    // Five steps of 10 ms, paced by the wall clock.
    EXPECT_GE(dwTook, 50u);
    EXPECT_FALSE(NoHookLeft());

    SaveScreenRectPng(ScreenRect(m_frame.get()), "auto-hide-slider.png");
}

// Resting on a tab for the strip's hover delay slides its bar out without a click.
TEST_F(AutoHideTest, HoveredTabSlidesBarOut)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    m_frame->SetFocus();
    SendMouseMove(TabPoint(Area(AFX_IDW_DOCKBAR_LEFT), 0) + CPoint(0, 3));
    PumpMessagesFor(30);
    SendMouseMove(TabPoint(Area(AFX_IDW_DOCKBAR_LEFT), 0));
    EXPECT_TRUE(PumpUntil([&] { return TheSlider()->GetShownBar() == pBar; }, 1500));
}

// The caption buttons work in the slider: the pin docks the bar again, the close button hides
// it; either way the slider goes and leaves no hook.
TEST_F(AutoHideTest, CaptionButtonsInTheSlider)
{
    struct Case
    {
        CRuntimeClass* pButtonClass;
        bool bVisibleAfter;
    };
    const Case cases[] = {{RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide), true},
                          {RUNTIME_CLASS(CExtBarNcAreaButtonClose), false}};
    for (const Case& c : cases) {
        CDockTestBar* pBar = AddContentBar(c.pButtonClass->m_lpszClassName, AFX_IDW_DOCKBAR_LEFT);
        ASSERT_NE(nullptr, pBar);
        ASSERT_TRUE(Park(pBar));
        CExtDynAutoHideArea* pArea = Area(AFX_IDW_DOCKBAR_LEFT);
        ASSERT_TRUE(SlideOutByClick(pArea, pArea->FindItemByLParam(reinterpret_cast<LPARAM>(pBar))));
        CExtBarNcAreaButton* pButton = nullptr;
        for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize(); ++i)
            if (pBar->m_arrNcButtons[i]->IsKindOf(c.pButtonClass))
                pButton = pBar->m_arrNcButtons[i];
        ASSERT_NE(nullptr, pButton);
        ASSERT_TRUE(pButton->OnQueryVisibility()) << c.pButtonClass->m_lpszClassName;
        const CPoint ptButton = ScreenRect(TheSlider()).TopLeft() + pButton->m_rc.CenterPoint();
        Click(ptButton);
        m_frame->Settle();
        EXPECT_FALSE(TheSlider()->IsShown()) << c.pButtonClass->m_lpszClassName;
        EXPECT_FALSE(pBar->m_bAutoHidden) << c.pButtonClass->m_lpszClassName;
        EXPECT_EQ(c.bVisibleAfter, pBar->IsWindowVisible() != FALSE) << c.pButtonClass->m_lpszClassName;
        EXPECT_EQ(pBar, m_edits.back()->GetParent());
        EXPECT_EQ(-1, pArea->FindItemByLParam(reinterpret_cast<LPARAM>(pBar)));
        EXPECT_TRUE(NoHookLeft());
    }
}

// Parking one page parks its whole group as one group of tabs, the group's selected page the
// active one; any page's tab slides that page out; unparking brings the group back with its
// pages.
TEST_F(AutoHideTest, TabbedGroupParksAsOneGroupOfTabs)
{
    CDockTestBar* pAlpha = AddContentBar("Alpha", AFX_IDW_DOCKBAR_LEFT, CSize(180, 300));
    CDockTestBar* pBeta = AddContentBar("Beta", AFX_IDW_DOCKBAR_RIGHT, CSize(180, 300));
    CDockTestBar* pGamma = AddContentBar("Gamma", AFX_IDW_DOCKBAR_RIGHT, CSize(180, 300));
    ASSERT_NE(nullptr, pGamma);
    ASSERT_TRUE(pAlpha->DockIntoTabbedGroup(pBeta, -1, m_frame.get(), true));
    ASSERT_TRUE(pAlpha->DockIntoTabbedGroup(pGamma, -1, m_frame.get(), true));
    m_frame->Settle();
    auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pAlpha->GetTabbedGroupContainer());
    ASSERT_NE(nullptr, pGroup);
    ASSERT_TRUE(Park(pBeta));
    EXPECT_TRUE(pGroup->m_bAutoHidden);
    EXPECT_FALSE(pGroup->IsWindowVisible());
    CExtDynAutoHideArea* pArea = Area(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(3, pArea->GetItemCount());
    int nActive = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i == 0, pArea->GetItemAt(i)->IsGroupStart()) << i;
        EXPECT_TRUE(pArea->GetBarAt(i)->m_bAutoHidden) << i;
        nActive += pArea->GetItemAt(i)->IsInGroupActive() ? 1 : 0;
    }
    EXPECT_EQ(1, nActive);

    const int nGamma = pArea->FindItemByLParam(reinterpret_cast<LPARAM>(pGamma));
    ASSERT_TRUE(SlideOutByClick(pArea, nGamma));
    EXPECT_EQ(pGamma, TheSlider()->GetShownBar());

    ASSERT_TRUE(CExtControlBar::SetAutoHideMode(pGamma, false, false, true, true));
    m_frame->Settle();
    EXPECT_FALSE(TheSlider()->IsShown());
    EXPECT_EQ(0, pArea->GetItemCount());
    EXPECT_FALSE(pGroup->m_bAutoHidden);
    EXPECT_TRUE(pGroup->IsWindowVisible());
    for (CDockTestBar* pPage : {pAlpha, pBeta, pGamma})
        EXPECT_FALSE(pPage->m_bAutoHidden);
    EXPECT_TRUE(pGamma->IsWindowVisible());
    EXPECT_TRUE(NoHookLeft());
}

// Away from the slider and its area, the bar slides back after about half a second: the tab is
// deselected, the content is back in the bar and no hook is left.
TEST_F(AutoHideTest, SlidesBackWhenTheMouseLeaves)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    ASSERT_TRUE(SlideOutByClick(Area(AFX_IDW_DOCKBAR_LEFT), 0));
    // Still over the tab: nothing happens.
    PumpMessagesFor(800);
    ASSERT_TRUE(TheSlider()->IsShown());

    SendMouseMove(FarPoint());
    EXPECT_TRUE(PumpUntil([&] { return !TheSlider()->IsShown(); }));
    EXPECT_FALSE(TheSlider()->IsWindowVisible());
    EXPECT_EQ(-1, Area(AFX_IDW_DOCKBAR_LEFT)->GetSelectedIndex());
    EXPECT_EQ(pBar, m_edits[0]->GetParent());
    EXPECT_TRUE(NoHookLeft());
}

// A control inside the slid-out bar with the focus keeps it open however long the mouse is
// away; once the focus leaves, it slides back.
TEST_F(AutoHideTest, StaysOpenWhileTheFocusIsInside)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    ASSERT_TRUE(SlideOutByClick(Area(AFX_IDW_DOCKBAR_LEFT), 0));
    m_edits[0]->SetFocus();
    SendMouseMove(FarPoint());
    PumpMessagesFor(1500);
    EXPECT_TRUE(TheSlider()->IsShown());
    EXPECT_TRUE(TheSlider()->IsFocusInside());

    m_frame->m_wndView.SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return !TheSlider()->IsShown(); }));
}

// Ctrl+PageDown in the slider goes to the next parked bar, and on past the last one back to
// the first; the focus follows into the new bar.
TEST_F(AutoHideTest, CtrlPageDownSwitchesToTheNextParkedBar)
{
    CDockTestBar* pFirst = AddContentBar("First", AFX_IDW_DOCKBAR_LEFT);
    CDockTestBar* pSecond = AddContentBar("Second", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    ASSERT_TRUE(Park(pFirst));
    ASSERT_TRUE(Park(pSecond));
    CExtDynAutoHideArea* pArea = Area(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(2, pArea->GetItemCount());
    ASSERT_TRUE(SlideOutByClick(pArea, 0));
    // Off the tabs, so that no hover selection competes with the keys.
    SendMouseMove(ScreenRect(TheSlider()).CenterPoint());
    // Keys reach the frame once the display has made it the foreground window.
    ASSERT_TRUE(PumpUntil([&] {
        m_edits[0]->SetFocus();
        return ::GetForegroundWindow() == m_frame->GetSafeHwnd() && ::GetFocus() == m_edits[0]->GetSafeHwnd();
    }));
    // A typed letter reaching the edit shows that the display routes keys to the frame by now.
    ASSERT_TRUE(PumpUntil([&] {
        SendKey('X', true);
        SendKey('X', false);
        PumpMessagesFor(60);
        CString sText;
        m_edits[0]->GetWindowText(sText);
        return sText.Find('x') >= 0 || sText.Find('X') >= 0;
    }));

    struct Case
    {
        WORD vk;
        CExtControlBar* pExpected;
        int nContent;
    };
    const Case cases[] = {{VK_NEXT, pSecond, 1}, {VK_NEXT, pFirst, 0}, {VK_PRIOR, pSecond, 1}};
    for (const Case& c : cases) {
        for (auto [vk, bDown] : {std::pair<WORD, bool>{VK_CONTROL, true}, {c.vk, true}, {c.vk, false},
                                 {VK_CONTROL, false}}) {
            SendKey(vk, bDown);
            PumpMessagesFor(30);
        }
        EXPECT_TRUE(PumpUntil([&] { return TheSlider()->GetShownBar() == c.pExpected; }, 1000)) << c.nContent;
        EXPECT_EQ(pArea->FindItemByLParam(reinterpret_cast<LPARAM>(c.pExpected)), pArea->GetSelectedIndex());
        EXPECT_EQ(m_edits[c.nContent]->GetSafeHwnd(), ::GetFocus()) << c.nContent;
    }
}

// Resizing the frame slides the bar back at once.
TEST_F(AutoHideTest, FrameResizeSlidesBack)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    ASSERT_TRUE(SlideOutByClick(Area(AFX_IDW_DOCKBAR_LEFT), 0));
    m_edits[0]->SetFocus(); // the hide timer alone would not end it
    // Off the tab it was clicked on: a window moving under a resting cursor reports a move
    // there, which would slide the bar out again.
    SendMouseMove(FarPoint());
    PumpMessagesFor(60);
    const CSize sizeNew(FRAME_RECT.Width() + 60, FRAME_RECT.Height() + 40);
    m_frame->SetWindowPos(nullptr, 0, 0, sizeNew.cx, sizeNew.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return ScreenRect(m_frame.get()).Size() == sizeNew; }));
    m_frame->RecalcLayout();
    EXPECT_TRUE(PumpUntil([&] { return !TheSlider()->IsShown(); }));
    EXPECT_EQ(pBar, m_edits[0]->GetParent());
}

// Dragging the inner edge resizes the slider, stopping 20 pixels short of the free region's far
// side; the bar keeps the new width for its next slide-out.
TEST_F(AutoHideTest, ResizeEdgeStopsTwentyPixelsShort)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT, CSize(160, 150));
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    ASSERT_TRUE(SlideOutByClick(Area(AFX_IDW_DOCKBAR_LEFT), 0));
    Slider* pSlider = TheSlider();
    const CRect rcStart = ScreenRect(pSlider);
    const CPoint ptEdge(rcStart.right - 2, rcStart.CenterPoint().y);
    const CRect rcLimit = pSlider->GetLimitRect();

    SendMouseMove(ptEdge);
    PumpMessagesFor(40);
    SendLeftButton(true);
    PumpMessagesFor(40);
    EXPECT_TRUE(pSlider->IsResizing());
    // A first step inside the frame, then far past its right side.
    SendMouseMove(CPoint(ptEdge.x + 100, ptEdge.y));
    PumpMessagesFor(40);
    EXPECT_EQ(ptEdge.x + 100, ScreenRect(pSlider).right);
    SendMouseMove(CPoint(ScreenRect(m_frame.get()).right + 200, ptEdge.y));
    PumpMessagesFor(40);
    SendLeftButton(false);
    PumpMessagesFor(60);
    EXPECT_FALSE(pSlider->IsResizing());
    const CRect rcEnd = RectInFrame(pSlider, m_frame.get());
    EXPECT_EQ(rcLimit.right - Slider::MIN_EXTENT, rcEnd.right);
    EXPECT_EQ(rcEnd.Width(), pBar->m_sizeDockedVert.cx);
    EXPECT_TRUE(pSlider->IsShown());
}

// The frame destroyed while the slider's edge is being dragged leaves no hook behind.
TEST_F(AutoHideTest, FrameDestroyedMidResizeLeavesNoHook)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    ASSERT_TRUE(SlideOutByClick(Area(AFX_IDW_DOCKBAR_LEFT), 0));
    Slider* pSlider = TheSlider();
    const CRect rc = ScreenRect(pSlider);
    SendMouseMove(CPoint(rc.right - 2, rc.CenterPoint().y));
    PumpMessagesFor(40);
    SendLeftButton(true);
    PumpMessagesFor(40);
    SendMouseMove(CPoint(rc.right + 40, rc.CenterPoint().y));
    PumpMessagesFor(40);
    ASSERT_TRUE(pSlider->IsResizing());

    m_frame->DestroyWindow();
    EXPECT_TRUE(NoHookLeft());
    SendLeftButton(false);
    PumpMessagesFor(40);
}

// A parked bar destroyed while slid out takes its content with it; its tab goes and no hook is
// left.
TEST_F(AutoHideTest, BarDestroyedWhileSlidOutLeavesNoHookOrTab)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    CDockTestBar* pOther = AddContentBar("Other", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    ASSERT_TRUE(Park(pOther));
    ASSERT_TRUE(SlideOutByClick(Area(AFX_IDW_DOCKBAR_LEFT), 0));
    const HWND hContent = m_edits[0]->GetSafeHwnd();
    pBar->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hContent));
    EXPECT_FALSE(TheSlider()->IsShown());
    EXPECT_TRUE(NoHookLeft());
    ASSERT_EQ(1, Area(AFX_IDW_DOCKBAR_LEFT)->GetItemCount());
    EXPECT_EQ(pOther, Area(AFX_IDW_DOCKBAR_LEFT)->GetBarAt(0));
}

// A free region under 20 pixels across slides nothing out.
TEST_F(AutoHideTest, TinyFreeRegionSlidesNothingOut)
{
    CDockTestBar* pBar = AddContentBar("Left", AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Park(pBar));
    CRect rcWnd, rcClient;
    m_frame->GetWindowRect(&rcWnd);
    m_frame->GetClientRect(&rcClient);
    const int nNcHeight = rcWnd.Height() - rcClient.Height();
    m_frame->SetWindowPos(nullptr, 0, 0, rcWnd.Width(), nNcHeight + 15, SWP_NOMOVE | SWP_NOZORDER);
    m_frame->Settle();
    m_frame->GetClientRect(&rcClient);
    ASSERT_LT(rcClient.Height(), Slider::MIN_EXTENT);
    TheSlider()->SlideBar(pBar, true, false);
    EXPECT_FALSE(TheSlider()->IsShown());
    EXPECT_FALSE(TheSlider()->IsWindowVisible());
    EXPECT_EQ(pBar, m_edits[0]->GetParent());
    EXPECT_TRUE(NoHookLeft());
}

// A top area leaves the corners free for the side areas that hold tabs: its leading and
// trailing spacing grow by its own height.
TEST_F(AutoHideTest, TopAreaLeavesCornersForSideAreas)
{
    CDockTestBar* pTop = AddContentBar("Top", AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pTop);
    ASSERT_TRUE(Park(pTop));
    CExtDynAutoHideArea* pArea = Area(AFX_IDW_DOCKBAR_TOP);
    int nLeading0 = 0, nTrailing0 = 0, nOuter = -1;
    pArea->GetItemSpacingMetrics(nLeading0, nTrailing0, nOuter);
    EXPECT_EQ(0, nOuter);

    struct Case
    {
        UINT nSide;
        bool bLeading;
    };
    for (const Case& c : {Case{AFX_IDW_DOCKBAR_LEFT, true}, Case{AFX_IDW_DOCKBAR_RIGHT, false}}) {
        CDockTestBar* pSide = AddContentBar("Side", c.nSide);
        ASSERT_NE(nullptr, pSide);
        ASSERT_TRUE(Park(pSide));
        int nLeading = 0, nTrailing = 0;
        pArea->GetItemSpacingMetrics(nLeading, nTrailing, nOuter);
        const int nHeight = ScreenRect(pArea).Height();
        EXPECT_EQ(nLeading0 + nHeight, nLeading) << std::hex << c.nSide;
        EXPECT_EQ(c.bLeading ? nTrailing0 : nTrailing0 + nHeight, nTrailing) << std::hex << c.nSide;
    }
}

// The saved layout names the parked bar and the active page of a parked tabbed group; a frame
// made anew parks them again, and a frame without areas skips those entries and applies the rest.
TEST_F(AutoHideTest, ParkedBarsSurviveSaveAndLoad)
{
    struct Frame
    {
        std::unique_ptr<CDockTestFrame> frame;
        CDockTestBar* pParked = nullptr;
        CDockTestBar* pDocked = nullptr;
        CDockTestBar* pPageA = nullptr;
        CDockTestBar* pPageB = nullptr;
    };
    auto makeFrame = [](bool bAreas) {
        Frame f;
        f.frame = std::make_unique<CDockTestFrame>();
        if (!f.frame->Open(FRAME_RECT) || !g_CmdManager->CreateProfile(PROFILE, f.frame->GetSafeHwnd()))
            return f;
        if (bAreas && !CExtControlBar::InstallFrameAutoHideAreas(f.frame.get()))
            return f;
        f.pParked = f.frame->AddBar("Parked", AFX_IDW_DOCKBAR_LEFT, 1);
        f.pDocked = f.frame->AddBar("Docked", AFX_IDW_DOCKBAR_RIGHT, 1);
        f.pPageA = f.frame->AddBar("Page A", AFX_IDW_DOCKBAR_TOP, 1);
        f.pPageB = f.frame->AddBar("Page B", AFX_IDW_DOCKBAR_TOP, 1);
        return f;
    };
    auto close = [](Frame& f) {
        g_CmdManager->DetachProfileWindow(f.frame->GetSafeHwnd(), true);
        f.frame.reset();
    };
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + COMPANY).c_str());
    {
        Frame saved = makeFrame(true);
        ASSERT_NE(nullptr, saved.pPageB);
        saved.pDocked->DockIntoDockBar(AFX_IDW_DOCKBAR_BOTTOM, 1, saved.frame.get(), true);
        ASSERT_TRUE(saved.pPageA->DockIntoTabbedGroup(saved.pPageB, -1, saved.frame.get(), true));
        auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, saved.pPageA->GetTabbedGroupContainer());
        ASSERT_NE(nullptr, pGroup);
        pGroup->SelectBar(saved.pPageB);
        ASSERT_TRUE(CExtControlBar::SetAutoHideMode(saved.pParked, true, false, true, true));
        ASSERT_TRUE(CExtControlBar::SetAutoHideMode(saved.pPageA, true, false, true, true));
        ASSERT_TRUE(CExtControlBar::SaveFrameBarState(saved.frame.get(), COMPANY, PRODUCT, PROFILE));
        close(saved);
    }
    struct Case
    {
        bool bAreas;
        bool bParked;
    };
    for (const Case& c : {Case{true, true}, Case{false, false}}) {
        Frame loaded = makeFrame(c.bAreas);
        ASSERT_NE(nullptr, loaded.pPageB);
        ASSERT_TRUE(CExtControlBar::LoadFrameBarState(loaded.frame.get(), COMPANY, PRODUCT, PROFILE));
        loaded.frame->Settle();
        EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM), loaded.pDocked->GetDockBarId()) << c.bAreas;
        auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, loaded.pPageA->GetTabbedGroupContainer());
        ASSERT_NE(nullptr, pGroup) << c.bAreas;
        EXPECT_EQ(pGroup, loaded.pPageB->GetTabbedGroupContainer()) << c.bAreas;
        for (CDockTestBar* pBar : {loaded.pParked, loaded.pPageA, loaded.pPageB}) {
            EXPECT_EQ(c.bParked, pBar->m_bAutoHidden) << c.bAreas;
            int nIndex = -1;
            CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAreaOfBar(pBar, &nIndex);
            EXPECT_EQ(c.bParked, pArea != nullptr) << c.bAreas;
            if (pArea != nullptr) {
                EXPECT_EQ(pBar != loaded.pPageA, pArea->GetItemAt(nIndex)->IsInGroupActive());
            }
        }
        close(loaded);
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + COMPANY).c_str());
}

} // namespace
