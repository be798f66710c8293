#include "tests/ui/core/ControlPopupTestSupport.h"
#include "tests/support/ScreenImage.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupUndoRedoListBox.h"
#include "ui/core/ExtPopupUndoRedoMenuWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using List = CExtPopupUndoRedoListBox;
const CPoint POPUP_POINT(120, 90);

std::vector<std::string> Actions(int nCount)
{
    std::vector<std::string> actions;
    for (int i = 0; i < nCount; ++i)
        actions.push_back("Draw Rectangle " + std::to_string(i + 1));
    return actions;
}

class UndoRedoPopup : public ListOwnerTest
{
protected:
    void SetUp() override
    {
        ListOwnerTest::SetUp();
        Owner().m_items = Actions(5);
        Owner().m_nInitialSelection = -1;
    }

    // Tracks the popup at the fixed point; it lives until the tracking ends.
    static CExtPopupUndoRedoMenuWnd* Open()
    {
        return Track(new CExtPopupUndoRedoMenuWnd, POPUP_POINT);
    }
    static List* ListOf(const CExtPopupUndoRedoMenuWnd* pPopup)
    {
        return static_cast<List*>(CWnd::FromHandlePermanent(pPopup->GetControlWindow()));
    }
};

TEST_F(UndoRedoPopup, CaptionStripLiesBelowTheList)
{
    CExtPopupUndoRedoMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    const int nBorder = pPopup->GetBorderSize();
    const int nShadow = pPopup->GetShadowSize();
    EXPECT_EQ(CSize(150 + 2 * nBorder + nShadow + 2, 100 + 2 * nBorder + nShadow + 24 + 2), pPopup->MeasureContent());
    CRect rcList;
    ::GetWindowRect(pPopup->GetControlWindow(), &rcList);
    pPopup->ScreenToClient(&rcList);
    EXPECT_EQ(CRect(nBorder + 1, nBorder + 1, nBorder + 151, nBorder + 101), rcList);
    EXPECT_EQ(CRect(rcList.left, rcList.bottom, rcList.right, rcList.bottom + 24), CRect(pPopup->GetCaptionRect()));
}

// An empty list still opens: the popup shows its control, not items.
TEST_F(UndoRedoPopup, EmptyListOpensWithNoActions)
{
    Owner().m_items.clear();
    CExtPopupUndoRedoMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(::IsWindowVisible(pPopup->GetSafeHwnd()));
    EXPECT_EQ(0, ListOf(pPopup)->GetCount());
    EXPECT_EQ(0, pPopup->GetActionCount());
    PressKey(VK_DOWN);
    PressKey(VK_END);
    EXPECT_EQ(0, pPopup->GetActionCount());
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
}

// The selection runs from the first item to the hovered one, and the caption counts it.
TEST_F(UndoRedoPopup, HoverSelectsFromTheFirstItemAndTheCaptionCounts)
{
    CExtPopupUndoRedoMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(0, pPopup->GetActionCount());
    List* pList = ListOf(pPopup);
    MoveCursorTo(ItemCentreOnScreen(pList->GetSafeHwnd(), 2));
    EXPECT_EQ(3, pList->GetSelCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i <= 2 ? 1 : 0, pList->GetSel(i)) << i;
    EXPECT_EQ(3, pPopup->GetActionCount());

    // Selected rows show in the owner's colour, the caption strip carries its text.
    CRect rcWindow;
    pPopup->GetWindowRect(&rcWindow);
    CRect rcCaption(pPopup->GetCaptionRect());
    pPopup->ClientToScreen(&rcCaption);
    HDC hScreen = ::GetDC(nullptr);
    const POINT ptSelected = ItemCentreOnScreen(pList->GetSafeHwnd(), 1);
    const POINT ptPlain = ItemCentreOnScreen(pList->GetSafeHwnd(), 4);
    EXPECT_EQ(CListOwnerWindow::SELECTED, ::GetPixel(hScreen, ptSelected.x + 60, ptSelected.y));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), ::GetPixel(hScreen, ptPlain.x + 60, ptPlain.y));
    int nDark = 0;
    for (int x = rcCaption.left; x < rcCaption.right; ++x)
        for (int y = rcCaption.top; y < rcCaption.bottom; ++y)
            nDark += GetRValue(::GetPixel(hScreen, x, y)) < 80 ? 1 : 0;
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_GT(nDark, 20);
    EXPECT_TRUE(SaveScreenRectPng(rcWindow, "undo-redo-popup.png"));
}

TEST_F(UndoRedoPopup, KeysMoveTheEndOfTheSelection)
{
    const struct
    {
        const char* name;
        std::vector<WORD> keys;
        int nSelected;
        int nTop;  // -1: not checked
    } cases[] = {
        {"down selects the first", {VK_DOWN}, 1, 0},
        {"down three times", {VK_DOWN, VK_DOWN, VK_DOWN}, 3, 0},
        {"up keeps the first item", {VK_DOWN, VK_UP}, 1, 0},
        {"up from three", {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP}, 2, 0},
        {"page down runs one page", {VK_DOWN, VK_NEXT}, 6, 0},
        {"page down twice scrolls", {VK_DOWN, VK_NEXT, VK_NEXT}, 11, 5},
        {"end selects everything", {VK_END}, 20, -1},
        {"home goes back to the first", {VK_END, VK_HOME}, 1, 0},
        {"ctrl does not move", {VK_CONTROL}, 0, 0},
    };
    Owner().m_items = Actions(20);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Owner().Prepare();
        CExtPopupUndoRedoMenuWnd* pPopup = Open();
        ASSERT_NE(nullptr, pPopup);
        List* pList = ListOf(pPopup);
        for (WORD vk : c.keys)
            PressKey(vk);
        EXPECT_EQ(c.nSelected, pList->GetSelCount());
        EXPECT_EQ(c.nSelected, pPopup->GetActionCount());
        if (c.nTop >= 0) {
            EXPECT_EQ(c.nTop, pList->GetTopIndex());
        }
        EXPECT_TRUE(Owner().m_commands.empty());
        EndPopupTracking();
    }
}

TEST_F(UndoRedoPopup, EnterEndsWithTheChosenActions)
{
    CExtPopupUndoRedoMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_EQ(1, Owner().CountNotices(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
    EXPECT_EQ(0, Owner().CountNotices(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

// A release ends the list only after a press in it.
TEST_F(UndoRedoPopup, ReleaseWithoutAPressInTheListDoesNotEnd)
{
    CExtPopupUndoRedoMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    const HWND hWndList = pPopup->GetControlWindow();
    ::SendMessageA(hWndList, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(0, Owner().CountNotices(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    ::SendMessageA(hWndList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageA(hWndList, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PumpMessagesFor(30);
    EXPECT_EQ(1, Owner().CountNotices(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(UndoRedoPopup, AutoScrollPeriodGrowsShorterWithTheDistance)
{
    const struct
    {
        int nDistance;
        UINT nPeriod;
    } cases[] = {{0, 500}, {9, 500}, {10, 300}, {25, 200}, {39, 100}, {45, 50}, {400, 50}};
    for (const auto& c : cases)
        EXPECT_EQ(c.nPeriod, List::GetAutoScrollPeriod(c.nDistance)) << c.nDistance;
}

// Held beyond the list, one timer runs at the period of the distance; inside, none.
TEST_F(UndoRedoPopup, HeldButtonBeyondTheListScrollsItOn)
{
    Owner().m_items = Actions(30);
    CExtPopupUndoRedoMenuWnd* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    List* pList = ListOf(pPopup);
    const HWND hWndList = pList->GetSafeHwnd();
    CRect rcClient;
    pList->GetClientRect(&rcClient);
    ::SendMessageA(hWndList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    const struct
    {
        int y;
        BYTE nFlags;
        int nPeriodUp;
        int nPeriodDown;
    } steps[] = {
        {-25, List::TIMER_FLAG_UP, 200, 0},
        {0, List::TIMER_FLAG_UP, 200, 0},
        {-5, List::TIMER_FLAG_UP, 500, 0},
        {rcClient.bottom + 45, List::TIMER_FLAG_DOWN, 0, 50},
        {rcClient.bottom / 2, 0, 0, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.y);
        ::SendMessageA(hWndList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, s.y));
        EXPECT_EQ(s.nFlags, pList->m_nTimerFlags);
        EXPECT_EQ(s.nPeriodUp, pList->m_nPeriodUp);
        EXPECT_EQ(s.nPeriodDown, pList->m_nPeriodDown);
    }

    pList->SetTopIndex(10);
    ::SendMessageA(hWndList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, -25));
    PumpMessagesFor(450);
    const int nTop = pList->GetTopIndex();
    EXPECT_LT(nTop, 10);
    EXPECT_GE(nTop, 7);
    EXPECT_EQ(nTop + 1, pList->GetSelCount());
    ::SendMessageA(hWndList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, rcClient.bottom / 2));
    EXPECT_EQ(0, pList->m_nTimerFlags);
}

}  // namespace
