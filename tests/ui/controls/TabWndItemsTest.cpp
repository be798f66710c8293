// Tab window items: inserting, removing, selecting and moving, and the flags they keep.
#include "TabTestSupport.h"
#include "ui/core/ExtPaintManager.h"

#include <gtest/gtest.h>

namespace {
using Item = CExtTabWnd::TAB_ITEM_INFO;

class TabItems : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CTestHostWindow& host = CTestHostWindow::Shared(420, 120, 0);
        ASSERT_TRUE(m_strip.Create(host.Handle(), RECT{0, 0, 400, 40}, CExtTabWnd::STYLE_ORIENT_TOP));
    }
    void TearDown() override { m_strip.DestroyWindow(); }

    CTestTabWnd m_strip;
};

TEST_F(TabItems, OperationsKeepTheSelectionOnItsItemAndTheCountsRight)
{
    struct Case
    {
        const char* name;
        std::function<void(CTestTabWnd&)> act;
        const char* texts;       // items in strip order after the action
        const char* selected;    // text of the selected item, "" for none
        int visibleCount;
    };
    const Case cases[] = {
        {"insert at -1 appends", [](CTestTabWnd& s) { s.InsertTabItem("X", nullptr, true, 0, -1); }, "ABCDX", "C", 5},
        {"insert past the end appends", [](CTestTabWnd& s) { s.InsertTabItem("X", nullptr, true, 0, 99); }, "ABCDX",
         "C", 5},
        {"insert before the selection keeps its item", [](CTestTabWnd& s) { s.InsertTabItem("X", nullptr, true, 0, 0); },
         "XABCD", "C", 5},
        {"removing the selected item leaves none", [](CTestTabWnd& s) { s.RemoveTabItems(2, 1); }, "ABD", "", 3},
        {"removing items before it keeps its item", [](CTestTabWnd& s) { s.RemoveTabItems(0, 2); }, "CD", "C", 2},
        {"a count past the end is clipped", [](CTestTabWnd& s) { EXPECT_EQ(1, s.RemoveTabItems(3, 10)); }, "ABC", "C", 3},
        {"removing from a bad index changes nothing", [](CTestTabWnd& s) { EXPECT_EQ(0, s.RemoveTabItems(7, 1)); },
         "ABCD", "C", 4},
        {"selecting -5 clears", [](CTestTabWnd& s) { EXPECT_EQ(2, s.SetSelectedItem(-5)); }, "ABCD", "", 4},
        {"selecting past the end changes nothing", [](CTestTabWnd& s) { EXPECT_EQ(-1, s.SetSelectedItem(4)); },
         "ABCD", "C", 4},
        {"a veto keeps index and flags",
         [](CTestTabWnd& s) {
             s.m_bVetoSelection = true;
             EXPECT_EQ(2, s.SetSelectedItem(0));
             EXPECT_EQ(0u, s.GetItemAt(0)->GetFlags() & CExtTabWnd::ITEM_SELECTED);
         },
         "ABCD", "C", 4},
        {"hiding twice counts once",
         [](CTestTabWnd& s) {
             s.GetItemAt(1)->ChangeFlags(0, CExtTabWnd::ITEM_HIDDEN);
             s.GetItemAt(1)->ChangeFlags(0, CExtTabWnd::ITEM_HIDDEN);
         },
         "ABCD", "C", 3},
        {"showing a hidden item counts it again",
         [](CTestTabWnd& s) {
             s.GetItemAt(1)->ChangeFlags(0, CExtTabWnd::ITEM_HIDDEN);
             s.GetItemAt(1)->ChangeFlags(CExtTabWnd::ITEM_HIDDEN, 0);
         },
         "ABCD", "C", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_strip.RemoveAllTabItems();
        m_strip.m_bVetoSelection = false;
        m_strip.AddItems(4);
        m_strip.SetSelectedItem(2);
        c.act(m_strip);
        EXPECT_EQ(c.texts, m_strip.ItemTexts());
        const Item* pSelected = m_strip.GetSelectedItem();
        EXPECT_EQ(c.selected, std::string(pSelected != nullptr ? static_cast<LPCSTR>(pSelected->GetText()) : ""));
        EXPECT_EQ(c.visibleCount, m_strip.GetVisibleItemCount());
        int nFlagged = 0;
        for (int i = 0; i < m_strip.GetItemCount(); ++i)
            nFlagged += (m_strip.GetItemAt(i)->GetFlags() & CExtTabWnd::ITEM_SELECTED) != 0 ? 1 : 0;
        EXPECT_EQ(pSelected != nullptr ? 1 : 0, nFlagged);
    }
}

TEST_F(TabItems, SelectionIsAnnouncedBeforeAndAfter)
{
    m_strip.AddItems(3);
    m_strip.SetSelectedItem(1);
    m_strip.m_selectionCalls.clear();
    m_strip.SetSelectedItem(2);
    const std::vector<std::vector<int>> expected = {{1, 2, 1}, {1, 2, 0}};
    EXPECT_EQ(expected, m_strip.m_selectionCalls);
}

TEST_F(TabItems, AGroupKeepsOneActiveItem)
{
    using T = CExtTabWnd;
    // Groups: A B C | D E.
    const DWORD flags[] = {T::ITEM_GROUP_START, 0, 0, T::ITEM_GROUP_START, 0};
    for (DWORD f : flags)
        m_strip.InsertTabItem("x", nullptr, true, f, -1, 0, false);
    m_strip.GetItemAt(1)->ChangeFlags(0, T::ITEM_IN_GROUP_ACTIVE);
    m_strip.GetItemAt(4)->ChangeFlags(0, T::ITEM_IN_GROUP_ACTIVE);
    struct Case
    {
        int selectIndex;
        const char* activeMap;  // '1' where the item is active in its group
    };
    const Case cases[] = {{2, "00101"}, {0, "10001"}, {3, "10010"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selectIndex);
        m_strip.SetSelectedItem(c.selectIndex);
        std::string map;
        for (int i = 0; i < m_strip.GetItemCount(); ++i)
            map += m_strip.GetItemAt(i)->IsInGroupActive() ? '1' : '0';
        EXPECT_EQ(c.activeMap, map);
    }
    int nFirst = -1, nLast = -1;
    ASSERT_TRUE(m_strip.GetGroupRange(1, nFirst, nLast));
    EXPECT_EQ(0, nFirst);
    EXPECT_EQ(2, nLast);
    EXPECT_FALSE(m_strip.GetGroupRange(9, nFirst, nLast));
}

TEST_F(TabItems, RemovalListenersStillSeeTheItemsBeforeTheyGo)
{
    m_strip.AddItems(4);
    std::string seen;
    int nCountSeen = -1;
    m_strip.m_onRemovingBefore = [&](CTestTabWnd& s, int nIndex, int nCount) {
        nCountSeen = s.GetItemCount();
        for (int i = nIndex; i < nIndex + nCount; ++i)
            seen += static_cast<LPCSTR>(s.GetItemAt(i)->GetText());
    };
    EXPECT_EQ(2, m_strip.RemoveTabItems(1, 2));
    EXPECT_EQ("BC", seen);
    EXPECT_EQ(4, nCountSeen);
    EXPECT_EQ("AD", m_strip.ItemTexts());
    EXPECT_EQ(m_strip.GetItemAt(1), m_strip.GetItemAt(0)->GetNextItem());
    EXPECT_EQ(m_strip.GetItemAt(0), m_strip.GetItemAt(1)->GetPrevItem());
}

TEST_F(TabItems, AMovedItemTakesItsTipDataAndSelectionAlong)
{
    struct Case
    {
        int from, to;
        const char* texts;
    };
    const Case cases[] = {{0, 2, "BCAD"}, {3, 1, "ADBC"}, {1, 2, "ACBD"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "->" + std::to_string(c.to));
        m_strip.RemoveAllTabItems();
        m_strip.AddItems(4);
        Item* pMoved = m_strip.GetItemAt(c.from);
        pMoved->GetOwnIcon().TakeHICON(CExtPaintManager::CreateSolidColorIcon(RGB(200, 0, 0)), false);
        const CString strText = pMoved->GetText();
        pMoved->SetTipText("tip of " + strText);
        const LPARAM lParam = pMoved->GetItemLParam();
        m_strip.SetSelectedItem(c.from);
        ASSERT_TRUE(m_strip.MoveTabItem(c.from, c.to));
        EXPECT_EQ(c.texts, m_strip.ItemTexts());
        const Item* pAt = m_strip.GetItemAt(c.to);
        EXPECT_EQ(std::string("tip of ") + static_cast<LPCSTR>(strText), static_cast<LPCSTR>(pAt->GetTipText()));
        EXPECT_EQ(lParam, pAt->GetItemLParam());
        // The icon came along as a handle of its own.
        CExtCmdIcon* pIcon = m_strip.GetItemAt(c.to)->GetIcon();
        ASSERT_NE(nullptr, pIcon);
        ICONINFO ii{};
        ASSERT_TRUE(::GetIconInfo(pIcon->MakeHICON(), &ii));
        ::DeleteObject(ii.hbmColor);
        ::DeleteObject(ii.hbmMask);
        EXPECT_EQ(c.to, m_strip.GetSelectedIndex());
        EXPECT_EQ(4, m_strip.GetVisibleItemCount());
    }
}

TEST_F(TabItems, RefusedMovesChangeNothing)
{
    m_strip.AddItems(3);
    const std::pair<int, int> moves[] = {{0, 0}, {-1, 1}, {0, 3}, {5, 1}};
    for (const auto& [from, to] : moves) {
        SCOPED_TRACE(std::to_string(from) + "->" + std::to_string(to));
        EXPECT_FALSE(m_strip.MoveTabItem(from, to));
        EXPECT_EQ("ABC", m_strip.ItemTexts());
    }
    m_strip.RemoveAllTabItems();
    EXPECT_FALSE(m_strip.MoveTabItem(0, 1));
}

TEST_F(TabItems, SearchesLookAfterTheirStart)
{
    m_strip.AddItems(4);
    m_strip.GetItemAt(2)->ChangeFlags(0, CExtTabWnd::ITEM_HIDDEN | CExtTabWnd::ITEM_TEMPORARY);
    EXPECT_EQ(2, m_strip.FindItemByLParam(102));
    EXPECT_EQ(-1, m_strip.FindItemByLParam(102, 2));
    EXPECT_EQ(-1, m_strip.FindItemByLParam(102, -1, true, false));
    EXPECT_EQ(2, m_strip.FindItemByFlags(CExtTabWnd::ITEM_TEMPORARY));
    EXPECT_EQ(3, m_strip.FindItemByFlags(0, CExtTabWnd::ITEM_HIDDEN, 1));
    EXPECT_EQ(nullptr, m_strip.GetItemAt(4));
    EXPECT_EQ(0, m_strip.GetItemLParamAt(-1));
}
TEST_F(TabItems, ThePaintManagerLearnsWhereATabStandsAndTheStripStyle)
{
    m_strip.AddItems(4);
    m_strip.SetSelectedItem(1);
    m_strip.GetItemAt(3)->ChangeFlags(0, CExtTabWnd::ITEM_HIDDEN);
    struct Case
    {
        int index;
        bool first, last, beforeSelected, afterSelected;
    };
    const Case cases[] = {{0, true, false, true, false}, {1, false, false, false, false}, {2, false, true, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        const CExtPaintManager::TabNeighbours n = CExtPaintManager::QueryTabNeighbours(&m_strip, c.index);
        EXPECT_EQ(c.first, n.bFirst);
        EXPECT_EQ(c.last, n.bLast);
        EXPECT_EQ(c.beforeSelected, n.bBeforeSelected);
        EXPECT_EQ(c.afterSelected, n.bAfterSelected);
        EXPECT_TRUE(n.bHorizontal);
    }
    EXPECT_EQ(m_strip.GetStripStyle(), CExtPaintManager::QueryTabWindowStyle(&m_strip));
}
} // namespace
