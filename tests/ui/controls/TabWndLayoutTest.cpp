// Tab window layout: item and outside areas, fit and group extents, buttons, scrolling.
#include "TabTestSupport.h"

#include <gtest/gtest.h>

namespace {
using T = CExtTabWnd;
constexpr int ITEM_ALONG = 80;

int ButtonSide()
{
    return std::max(std::min(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, 12);
}

// What Previous and Next reserve at the far end.
int ScrollButtonsLength()
{
    return 2 * (ButtonSide() + 2) + 2;
}

std::vector<int> NearEdges(const CTestTabWnd& strip)
{
    std::vector<int> edges;
    for (int i = 0; i < strip.GetItemCount(); ++i) {
        const CRect rc = strip.GetItemClientRect(i);
        edges.push_back(strip.IsHorizontalLayout() ? rc.left : rc.top);
    }
    return edges;
}

std::vector<int> Extents(const CTestTabWnd& strip)
{
    std::vector<int> extents;
    for (int i = 0; i < strip.GetItemCount(); ++i) {
        const CRect rc = strip.GetItemClientRect(i);
        extents.push_back(strip.IsHorizontalLayout() ? rc.Width() : rc.Height());
    }
    return extents;
}

std::vector<int> Repeat(int nValue, int nCount, int nStep = 0, int nStart = 0)
{
    std::vector<int> v;
    for (int i = 0; i < nCount; ++i)
        v.push_back(nStep != 0 ? nStart + i * nStep : nValue);
    return v;
}

class TabLayout : public ::testing::Test
{
protected:
    void SetUp() override { m_pHost = &CTestHostWindow::Shared(420, 340, 0); }
    void TearDown() override
    {
        if (m_strip.GetSafeHwnd() != nullptr)
            m_strip.DestroyWindow();
    }
    void Make(DWORD dwStyle, int cx, int cy, int nItems, const std::vector<int>& groupStarts = {})
    {
        if (m_strip.GetSafeHwnd() != nullptr)
            m_strip.DestroyWindow();
        m_strip.RemoveAllTabItems(false);
        m_strip.m_nFixedAlong = ITEM_ALONG;
        ASSERT_TRUE(m_strip.Create(m_pHost->Handle(), RECT{0, 0, cx, cy}, dwStyle));
        for (int i = 0; i < nItems; ++i) {
            const bool bStart = std::find(groupStarts.begin(), groupStarts.end(), i) != groupStarts.end();
            m_strip.InsertTabItem(groupStarts.empty() ? "x" : "", nullptr, true, bStart ? T::ITEM_GROUP_START : 0, -1,
                                  0, false);
        }
        m_strip.InvalidateLayout(true);
    }

    CTestHostWindow* m_pHost = nullptr;
    CTestTabWnd m_strip;
};

TEST_F(TabLayout, PlacesItemsAndAreasForEachKindOfStrip)
{
    const int L = 300 - ScrollButtonsLength();
    struct Case
    {
        const char* name;
        DWORD style;
        int cx, cy, items;
        std::vector<int> groupStarts;
        RECT area, outside;
        std::vector<int> nearEdges, extents;
        bool shrunk;
        int scrollMax, firstVisible, lastVisible;
    };
    const Case cases[] = {
        {"one item keeps its width when it fits", T::STYLE_FIT, 300, 40, 1, {}, {0, 0, 300, 20}, {0, 20, 300, 40},
         {0}, {80}, false, 0, 0, 0},
        {"equal extents stretch one item", T::STYLE_FIT | T::STYLE_FIT_EQUAL, 300, 40, 1, {}, {0, 0, 300, 20},
         {0, 20, 300, 40}, {0}, {300}, false, 0, 0, 0},
        {"ten items share 300 pixels", T::STYLE_FIT, 300, 40, 10, {}, {0, 0, 300, 20}, {0, 20, 300, 40},
         Repeat(0, 10, 30), Repeat(30, 10), true, 0, 0, 9},
        {"ten items get no less than 24", T::STYLE_FIT, 200, 40, 10, {}, {0, 0, 200, 20}, {0, 20, 200, 40},
         Repeat(0, 10, 24), Repeat(24, 10), true, 40, 0, 8},
        {"without fit the strip scrolls", T::STYLE_ORIENT_TOP, 300, 20, 10, {}, {0, 0, L, 20}, {0, 0, 0, 0},
         Repeat(0, 10, 80), Repeat(80, 10), false, 800 - L, 0, (L + 8) / 80},
        {"two groups keep a gap and a lead", T::STYLE_GROUPED, 600, 20, 5, {0, 3}, {0, 0, 600 - ScrollButtonsLength(), 20},
         {0, 0, 0, 0}, {0, 80, 160, 260, 340}, Repeat(80, 5), false, 0, 0, 4},
        {"a bottom strip leaves the page above", T::STYLE_ORIENT_BOTTOM | T::STYLE_FIT, 300, 60, 2, {},
         {0, 40, 300, 60}, {0, 0, 300, 40}, {0, 80}, {80, 80}, false, 0, 0, 1},
        {"a left strip runs down", T::STYLE_ORIENT_LEFT | T::STYLE_FIT, 60, 300, 2, {}, {0, 0, 20, 300},
         {20, 0, 60, 300}, {0, 80}, {80, 80}, false, 0, 0, 1},
        {"a right strip leaves the page on its left", T::STYLE_ORIENT_RIGHT | T::STYLE_FIT, 60, 300, 2, {},
         {40, 0, 60, 300}, {0, 0, 40, 300}, {0, 80}, {80, 80}, false, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make(c.style, c.cx, c.cy, c.items, c.groupStarts);
        EXPECT_EQ(CRect(c.area), CRect(m_strip.GetItemArea()));
        EXPECT_EQ(CRect(c.outside), CRect(m_strip.GetOutsideArea()));
        EXPECT_EQ(c.nearEdges, NearEdges(m_strip));
        EXPECT_EQ(c.extents, Extents(m_strip));
        EXPECT_EQ(c.shrunk, (m_strip.GetStateFlags() & T::STATE_SHRUNK) != 0);
        EXPECT_EQ(c.shrunk, m_strip.GetItemAt(0)->IsShrunk());
        EXPECT_EQ(c.scrollMax, m_strip.GetScrollMax());
        EXPECT_EQ(c.firstVisible, m_strip.GetFirstVisibleIndex());
        EXPECT_EQ(c.lastVisible, m_strip.GetLastVisibleIndex());
    }
}

TEST_F(TabLayout, GroupModeStartsTenPixelsInAndCountsGroupGaps)
{
    Make(T::STYLE_GROUPED, 600, 20, 5, {0, 3});
    EXPECT_EQ(10 + 20 + 3 * ITEM_ALONG + 2 * ITEM_ALONG, m_strip.GetTotalExtent());
}

TEST_F(TabLayout, EmptyClientOrNoItemsLayOutNothing)
{
    Make(T::STYLE_ORIENT_TOP, 0, 0, 3);
    EXPECT_TRUE(CRect(m_strip.GetItemArea()).IsRectEmpty());
    EXPECT_TRUE(CRect(m_strip.GetOutsideArea()).IsRectEmpty());
    EXPECT_EQ(-1, m_strip.GetFirstVisibleIndex());
    EXPECT_EQ(-1, m_strip.GetLastVisibleIndex());
    EXPECT_EQ(T::HT_NOWHERE, m_strip.HitTestItem(POINT{0, 0}));
    Make(T::STYLE_ORIENT_TOP, 300, 40, 0);
    EXPECT_EQ(-1, m_strip.GetFirstVisibleIndex());
    EXPECT_EQ(T::HT_ITEMS_AREA, m_strip.HitTestItem(POINT{10, 10}));
    Make(T::STYLE_ORIENT_TOP, 300, 40, 3);
    for (int i = 0; i < 3; ++i)
        m_strip.GetItemAt(i)->ChangeFlags(0, T::ITEM_HIDDEN);
    m_strip.InvalidateLayout(true);
    EXPECT_EQ(-1, m_strip.GetFirstVisibleIndex());
    EXPECT_EQ(T::HT_ITEMS_AREA, m_strip.HitTestItem(POINT{10, 10}));
}

TEST_F(TabLayout, ScrollButtonsOnlyWhenNeededStillReserveTheirRoom)
{
    Make(T::STYLE_SCROLL_ONLY_WHEN_NEEDED, 300, 20, 3);
    EXPECT_TRUE(CRect(m_strip.GetButtonRect(T::HT_PREV)).IsRectEmpty());
    EXPECT_TRUE(CRect(m_strip.GetButtonRect(T::HT_NEXT)).IsRectEmpty());
    EXPECT_EQ(300 - ScrollButtonsLength(), m_strip.GetItemArea().right);
    Make(T::STYLE_SCROLL_ONLY_WHEN_NEEDED, 300, 20, 10);
    EXPECT_FALSE(CRect(m_strip.GetButtonRect(T::HT_NEXT)).IsRectEmpty());
}

TEST_F(TabLayout, ButtonsReadItemsHomePreviousNextEndHelpListClose)
{
    const DWORD dwAll = T::STYLE_HOME | T::STYLE_END | T::STYLE_HELP | T::STYLE_TAB_LIST | T::STYLE_CLOSE;
    Make(dwAll, 400, 20, 10);
    const int order[] = {T::HT_HOME, T::HT_PREV, T::HT_NEXT, T::HT_END, T::HT_HELP, T::HT_TAB_LIST, T::HT_CLOSE};
    int nLastRight = m_strip.GetItemArea().right;
    for (int nCode : order) {
        SCOPED_TRACE(nCode);
        const CRect rc(m_strip.GetButtonRect(nCode));
        EXPECT_EQ(ButtonSide(), rc.Width());
        EXPECT_GE(rc.left, nLastRight);
        EXPECT_EQ(nCode, m_strip.HitTestItem(rc.CenterPoint()));
        nLastRight = rc.right;
    }
    EXPECT_EQ(400 - 2, nLastRight);
    // At the start only the way forward is open.
    const DWORD dwStyle = m_strip.GetStripStyle();
    EXPECT_EQ(T::STYLE_NEXT_ENABLED | T::STYLE_END_ENABLED,
              dwStyle & (T::STYLE_PREV_ENABLED | T::STYLE_NEXT_ENABLED | T::STYLE_HOME_ENABLED | T::STYLE_END_ENABLED));
}

TEST_F(TabLayout, SmoothScrollingStepsTenPixelsAndStops)
{
    Make(T::STYLE_ORIENT_TOP, 300, 20, 10);
    const int nMax = m_strip.GetScrollMax();
    m_strip.ScrollItems(nMax - 35, false);
    ASSERT_EQ(nMax - 35, m_strip.GetScrollPos());
    m_strip.ScrollItems(1, true);
    EXPECT_EQ(35, m_strip.GetRemainingScroll());
    std::vector<int> positions;
    for (int i = 0; i < 4; ++i) {
        m_strip.SendMessage(WM_TIMER, T::TIMER_SCROLL);
        positions.push_back(m_strip.GetScrollPos() - (nMax - 35));
    }
    EXPECT_EQ((std::vector<int>{10, 20, 30, 35}), positions);
    EXPECT_EQ(0, m_strip.GetRemainingScroll());
    m_strip.ScrollItems(1, true);
    EXPECT_EQ(0, m_strip.GetRemainingScroll());
}

TEST_F(TabLayout, EnsureVisibleBringsAnItemIntoTheArea)
{
    Make(T::STYLE_ORIENT_TOP, 300, 20, 10);
    const int L = m_strip.GetItemArea().right - m_strip.GetItemArea().left;
    struct Case
    {
        int index;
        int expectedPos;
    };
    // Forwards the far edge lands at the end plus up to 6 pixels; backwards the near edge 6 in.
    const Case cases[] = {{5, 480 - L + 6}, {9, m_strip.GetScrollMax()}, {2, 160 - 6}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_TRUE(m_strip.EnsureVisible(c.index));
        EXPECT_EQ(c.expectedPos, m_strip.GetScrollPos());
        const CRect rc = m_strip.GetItemClientRect(c.index);
        EXPECT_GE(rc.left, 0);
        EXPECT_LE(rc.right, L + 6);
    }
    m_strip.GetItemAt(3)->ChangeFlags(0, T::ITEM_HIDDEN);
    EXPECT_FALSE(m_strip.EnsureVisible(3));
    EXPECT_FALSE(m_strip.EnsureVisible(42));
}

TEST_F(TabLayout, FitStyleResetsTheScrollPosition)
{
    Make(T::STYLE_ORIENT_TOP, 300, 20, 10);
    m_strip.ScrollItems(100, false);
    ASSERT_EQ(100, m_strip.GetScrollPos());
    m_strip.UpdateStripStyle(0, T::STYLE_FIT);
    EXPECT_EQ(0, m_strip.GetScrollPos());
}
TEST_F(TabLayout, AStripTakesABandFromItsFramesLayout)
{
    struct Case
    {
        DWORD orientation;
        RECT rest;
        SIZE total;
    };
    // The item area is 20 pixels thick; the band adds 9 on the near sides and 8 on the far ones.
    const Case cases[] = {{T::STYLE_ORIENT_TOP, {0, 29, 300, 200}, {300, 29}},
                          {T::STYLE_ORIENT_BOTTOM, {0, 0, 300, 172}, {300, 28}},
                          {T::STYLE_ORIENT_LEFT, {29, 0, 300, 200}, {29, 200}},
                          {T::STYLE_ORIENT_RIGHT, {0, 0, 272, 200}, {28, 200}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        Make(c.orientation | T::STYLE_FIT, 100, 100, 2);
        AFX_SIZEPARENTPARAMS layout{nullptr, {0, 0, 300, 200}, {0, 0}, TRUE};
        m_strip.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        EXPECT_EQ(CRect(c.rest), CRect(layout.rect));
        EXPECT_EQ(c.total.cx, layout.sizeTotal.cx);
        EXPECT_EQ(c.total.cy, layout.sizeTotal.cy);
        // Afterwards the strip lays itself out in its own client rectangle again.
        m_strip.InvalidateLayout(true);
        EXPECT_LE(m_strip.GetItemArea().right, 100);
        EXPECT_LE(m_strip.GetItemArea().bottom, 100);
    }
    // No room at all hides the strip.
    AFX_SIZEPARENTPARAMS empty{::BeginDeferWindowPos(1), {0, 0, 0, 0}, {0, 0}, TRUE};
    m_strip.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&empty));
    ::EndDeferWindowPos(empty.hDWP);
    EXPECT_FALSE(m_strip.IsWindowVisible());
}
} // namespace
