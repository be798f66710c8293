// Tab window mouse handling with real input: clicks, buttons, hover selection, item dragging, the
// tab-list menu and tool tips.
#include "TabTestSupport.h"

#include <gtest/gtest.h>

namespace {
using T = CExtTabWnd;
constexpr DWORD LDOWN = MOUSEEVENTF_LEFTDOWN;
constexpr DWORD LUP = MOUSEEVENTF_LEFTUP;
constexpr DWORD RDOWN = MOUSEEVENTF_RIGHTDOWN;
constexpr DWORD RUP = MOUSEEVENTF_RIGHTUP;
// Far from the strip, inside the host.
constexpr POINT AWAY{200, 200};

class TabMouse : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pHost = &CTestHostWindow::Shared(420, 260, 0);
        ::SetForegroundWindow(m_pHost->Handle());
        ::SetActiveWindow(m_pHost->Handle());
        MoveMouseTo(Screen(AWAY));
        PumpFor(30);
    }
    void TearDown() override
    {
        if (m_strip.GetSafeHwnd() != nullptr)
            m_strip.DestroyWindow();
        PumpMessages();
    }
    void Make(DWORD dwStyle, int nItems, int nFixedAlong = 80, int cx = 400)
    {
        m_strip.m_nFixedAlong = nFixedAlong;
        ASSERT_TRUE(m_strip.Create(m_pHost->Handle(), RECT{0, 0, cx, 40}, dwStyle));
        m_strip.AddItems(nItems);
        PumpMessages();
    }
    POINT Screen(POINT ptClient) const { return ScreenPoint(m_pHost->Handle(), ptClient); }
    POINT ItemPoint(int nIndex) const { return Screen(Centre(m_strip.GetItemClientRect(nIndex))); }
    POINT ButtonPoint(int nCode) const { return Screen(Centre(m_strip.GetButtonRect(nCode))); }
    // Move, press, release at a point.
    static std::vector<MouseStep> Click(POINT pt)
    {
        return {{0, pt}, {LDOWN, pt}, {LUP, pt}, {0, Offset(pt, 0, 150)}};
    }
    static POINT Offset(POINT pt, int dx, int dy) { return POINT{pt.x + dx, pt.y + dy}; }

    CTestHostWindow* m_pHost = nullptr;
    CTestTabWnd m_strip;
};

TEST_F(TabMouse, RightClickSelectsTheItemAndStillAsksForAContextMenu)
{
    Make(T::STYLE_CLOSE | T::STYLE_CLOSE_ENABLED, 4);
    const POINT pt = ItemPoint(2);
    PlayMouseSteps({{0, pt}, {RDOWN, pt}, {RUP, pt}, {0, Screen(AWAY)}});
    EXPECT_EQ(2, m_strip.GetSelectedIndex());
    EXPECT_EQ(1, m_strip.m_nContextMenus);

    // Buttons answer the left button only.
    const POINT ptClose = ButtonPoint(T::HT_CLOSE);
    PlayMouseSteps({{0, ptClose}, {RDOWN, ptClose}});
    EXPECT_EQ(-1, m_strip.GetTrackedCode());
    EXPECT_EQ(0, m_strip.GetStateFlags() & T::STATE_PRESS_TRACKED);
    PlayMouseSteps({{RUP, ptClose}, {0, Screen(AWAY)}});
    EXPECT_EQ(2, m_strip.GetSelectedIndex());
}

TEST_F(TabMouse, AnItemIsDraggedOnlyAfterTheCursorMovesMoreThanFivePixels)
{
    struct Case
    {
        int distance;
        int dragLoops;
    };
    for (const Case c : {Case{5, 0}, Case{6, 1}}) {
        SCOPED_TRACE(c.distance);
        Make(T::STYLE_ITEM_DRAGGING, 4);
        const POINT pt = ItemPoint(0);
        PlayMouseSteps({{0, pt}, {LDOWN, pt}, {0, Offset(pt, c.distance, 0)}, {LUP, Offset(pt, c.distance, 0)},
                        {0, Screen(AWAY)}});
        EXPECT_EQ(c.dragLoops, m_strip.m_nDragLoops);
        EXPECT_EQ("ABCD", m_strip.ItemTexts());
        EXPECT_FALSE(m_strip.IsDragging());
        m_strip.DestroyWindow();
        m_strip.m_nDragLoops = 0;
        m_strip.RemoveAllTabItems(false);
    }
}

TEST_F(TabMouse, DraggingOntoANeighbourSwapsOnceWhileTheCursorWigglesInItsPlace)
{
    m_strip.m_alongByData = {40, 120, 80};
    Make(T::STYLE_ITEM_DRAGGING, 3);
    const POINT ptA = ItemPoint(0);
    const POINT ptInB = Screen(POINT{100, 10});
    PlayMouseSteps({{0, ptA},
                    {LDOWN, ptA},
                    {0, Offset(ptA, 8, 0)},
                    {0, ptInB},
                    {0, Offset(ptInB, -10, 0)},
                    {0, Offset(ptInB, 12, 0)},
                    {0, Offset(ptInB, -6, 0)},
                    {LUP, Offset(ptInB, -6, 0)},
                    {0, Screen(AWAY)}});
    EXPECT_EQ(1, m_strip.m_nDragLoops);
    EXPECT_EQ("BAC", m_strip.ItemTexts());
    EXPECT_EQ(1, m_strip.GetSelectedIndex());
    EXPECT_NE(m_strip.GetSafeHwnd(), ::GetCapture());
}

TEST_F(TabMouse, GroupModeNeverDragsItems)
{
    Make(T::STYLE_ITEM_DRAGGING | T::STYLE_GROUPED, 3);
    EXPECT_FALSE(m_strip.CanDragItem(0));
    m_strip.UpdateStripStyle(T::STYLE_GROUPED, 0);
    EXPECT_TRUE(m_strip.CanDragItem(0));
    EXPECT_FALSE(m_strip.CanDragItem(3));
}

TEST_F(TabMouse, HoveringSelectsAfterTwoHundredMilliseconds)
{
    struct Case
    {
        DWORD restMs;
        int selected;
    };
    for (const Case c : {Case{400, 2}, Case{80, -1}}) {
        SCOPED_TRACE(c.restMs);
        Make(T::STYLE_HOVER_SELECT, 4);
        const POINT pt = ItemPoint(2);
        PlayMouseSteps({{0, Offset(pt, -3, 0)}, {0, pt, c.restMs}, {0, Screen(AWAY), 300}});
        EXPECT_EQ(c.selected, m_strip.GetSelectedIndex());
        m_strip.DestroyWindow();
        m_strip.RemoveAllTabItems(false);
    }
}

TEST_F(TabMouse, HomeAndEndScrollOnlyWhileEnabled)
{
    Make(T::STYLE_HOME | T::STYLE_END, 10);
    const int nMax = m_strip.GetScrollMax();
    ASSERT_GT(nMax, 0);
    struct Case
    {
        const char* name;
        int code;
        int expectedPos;
    };
    const Case cases[] = {{"Home at the start", T::HT_HOME, 0}, {"End", T::HT_END, nMax}, {"End at the end", T::HT_END, nMax},
                          {"Home", T::HT_HOME, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayMouseSteps(Click(ButtonPoint(c.code)));
        EXPECT_EQ(c.expectedPos, m_strip.GetScrollPos());
    }
}

TEST_F(TabMouse, PreviousScrollsWhileHeldAndStopsOnRelease)
{
    Make(T::STYLE_ORIENT_TOP, 10);
    m_strip.ScrollItems(m_strip.GetScrollMax(), false);
    const int nStart = m_strip.GetScrollPos();
    const POINT pt = ButtonPoint(T::HT_PREV);
    PlayMouseSteps({{0, pt}, {LDOWN, pt, 120}, {LUP, pt}, {0, Screen(AWAY), 150}});
    const int nAfterRelease = m_strip.GetScrollPos();
    EXPECT_LT(nAfterRelease, nStart);
    EXPECT_GT(nAfterRelease, 0);
    EXPECT_EQ(0, m_strip.GetRemainingScroll());
}

TEST_F(TabMouse, APickFromTheTabListSelectsThatItem)
{
    Make(T::STYLE_TAB_LIST | T::STYLE_TAB_LIST_ENABLED, 4);
    const POINT pt = ButtonPoint(T::HT_TAB_LIST);
    const MouseStep down{0, pt, 60, VK_DOWN};
    const MouseStep enter{0, pt, 60, VK_RETURN};
    PlayMouseSteps({{0, pt}, {LDOWN, pt}, {LUP, pt, 300}, down, down, down, enter, {0, Screen(AWAY)}});
    EXPECT_EQ(2, m_strip.GetSelectedIndex());
}

TEST_F(TabMouse, ATipCoversTheItemWhereItIsDrawn)
{
    Make(T::STYLE_CLOSE | T::STYLE_CLOSE_ENABLED, 10);
    for (int i = 0; i < m_strip.GetItemCount(); ++i)
        m_strip.GetItemAt(i)->SetTipText("tip");
    m_strip.ScrollItems(100, false);
    PlayMouseSteps({{0, Offset(ItemPoint(3), -4, 0)}, {0, ItemPoint(3)}});
    EXPECT_EQ(m_strip.GetItemClientRect(3), m_strip.TipRect());
    EXPECT_EQ(3, m_strip.GetHotCode());

    // The Close button has no tip text, so it shows none.
    PlayMouseSteps({{0, ButtonPoint(T::HT_CLOSE)}, {0, Offset(ButtonPoint(T::HT_CLOSE), 1, 0)}});
    EXPECT_EQ(T::HT_CLOSE, m_strip.GetHotCode());
    EXPECT_TRUE(m_strip.TipRect().IsRectEmpty());
    PlayMouseSteps({{0, Screen(AWAY)}});
    EXPECT_EQ(-1, m_strip.GetHotCode());
}

TEST_F(TabMouse, AShrunkItemWithoutTipShowsItsText)
{
    Make(T::STYLE_FIT, 10, 80, 200);
    ASSERT_TRUE(m_strip.GetItemAt(4)->IsShrunk());
    PlayMouseSteps({{0, Offset(ItemPoint(4), -3, 0)}, {0, ItemPoint(4)}});
    EXPECT_EQ(m_strip.GetItemClientRect(4), m_strip.TipRect());
    CString strTip;
    m_strip.ToolTip().GetText(strTip, &m_strip, 1);
    EXPECT_STREQ("E", strTip);
    PlayMouseSteps({{0, Screen(AWAY)}});
}

TEST_F(TabMouse, ButtonTipsFallBackToTheirOwnTexts)
{
    const std::pair<int, const char*> tips[] = {{T::HT_PREV, "Previous"}, {T::HT_NEXT, "Next"}, {T::HT_HELP, "Help"},
                                                {T::HT_CLOSE, ""},        {T::HT_TAB_LIST, ""}, {T::HT_HOME, "Home"},
                                                {T::HT_END, "End"},       {T::HT_NOWHERE, ""}};
    for (const auto& [nCode, pszTip] : tips)
        EXPECT_STREQ(pszTip, T::GetButtonTipText(nCode)) << nCode;
}
TEST_F(TabMouse, TheDragLoopEndsOnQuitOrCancelAndLetsGoOfTheMouse)
{
    struct Case
    {
        const char* name;
        bool quit;
    };
    for (const Case c : {Case{"quit", true}, Case{"cancel", false}}) {
        SCOPED_TRACE(c.name);
        Make(T::STYLE_ITEM_DRAGGING, 3);
        if (c.quit)
            ::PostQuitMessage(7);
        else
            m_strip.PostMessage(WM_CANCELMODE);
        EXPECT_TRUE(m_strip.TrackItemDrag(0));
        EXPECT_FALSE(m_strip.IsDragging());
        EXPECT_NE(m_strip.GetSafeHwnd(), ::GetCapture());
        MSG msg{};
        // The quit request is left for the loop that owns the thread.
        EXPECT_EQ(c.quit, ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE);
        if (c.quit) {
            EXPECT_EQ(7u, msg.wParam);
        }
        m_strip.DestroyWindow();
        m_strip.RemoveAllTabItems(false);
    }
}
} // namespace
