#include "tests/ui/core/PopupTestSupport.h"
#include "ui/core/ExtPopupMenuTipWnd.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupMenuTipWnd, TextLosesSurroundingWhiteSpace)
{
    const struct { LPCSTR lpszIn; LPCSTR lpszOut; } cases[] = {
        {"  Open a file  ", "Open a file"},
        {"\t\r\n", ""},
        {nullptr, ""},
        {"Save\t as\n", "Save\t as"},
    };
    CExtPopupMenuTipWnd tip;
    for (const auto& c : cases) {
        tip.SetText(c.lpszIn);
        EXPECT_STREQ(c.lpszOut, LPCSTR(tip.GetText()));
    }
}

TEST(PopupMenuTipWnd, NeverAnimates)
{
    CExtPopupMenuTipWnd tip;
    EXPECT_EQ(CExtPopupBaseWnd::ANIMATION_NONE, tip.GetAnimationType());
    EXPECT_TRUE(tip.IsAnimationFinished());
}

TEST(PopupMenuTipWnd, PointerTurnsTowardTheScreenEdges)
{
    RECT rcWork{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int cx = (rcWork.left + rcWork.right) / 2;
    const int cy = (rcWork.top + rcWork.bottom) / 2;
    const struct { CRect rcItem; BYTE nFlags; } cases[] = {
        {CRect(cx, cy, cx + 120, cy + 20), 0},
        {CRect(rcWork.left + 2, cy, rcWork.left + 122, cy + 20), CExtPopupMenuTipWnd::POINTER_LEFT},
        {CRect(cx, rcWork.top + 2, cx + 120, rcWork.top + 22), CExtPopupMenuTipWnd::POINTER_TOP},
        {CRect(rcWork.left + 2, rcWork.top + 2, rcWork.left + 122, rcWork.top + 22),
         CExtPopupMenuTipWnd::POINTER_LEFT | CExtPopupMenuTipWnd::POINTER_TOP},
    };
    for (const auto& c : cases) {
        CExtPopupMenuTipWnd tip;
        tip.SetText("Copies the selection to the clipboard");
        ASSERT_TRUE(tip.Show(nullptr, &c.rcItem));
        EXPECT_EQ(c.nFlags, tip.GetPointerFlags()) << c.rcItem.left << "," << c.rcItem.top;
        CRect rcWindow;
        tip.GetWindowRect(&rcWindow);
        // The pointer's tip lies on the item: its side of the window overlaps the item.
        EXPECT_TRUE(CRect().IntersectRect(&rcWindow, &c.rcItem)) << c.rcItem.left << "," << c.rcItem.top;
        EXPECT_GE(rcWindow.left, rcWork.left);
        EXPECT_GE(rcWindow.top, rcWork.top);
        tip.Hide();
    }
}

TEST(PopupMenuTipWnd, AppearsAfterTheDelayUnlessHiddenFirst)
{
    const CRect rcItem(300, 300, 420, 320);
    CExtPopupMenuTipWnd shown;
    shown.SetText("Shown");
    ASSERT_TRUE(shown.Show(nullptr, &rcItem));
    CExtPopupMenuTipWnd hidden;
    hidden.SetText("Hidden");
    ASSERT_TRUE(hidden.Show(nullptr, &rcItem));
    PumpMessagesFor(500);
    EXPECT_FALSE(shown.IsWindowVisible());
    hidden.Hide();
    PumpMessagesFor(800);
    EXPECT_TRUE(shown.IsWindowVisible());
    EXPECT_FALSE(hidden.IsWindowVisible());
    EXPECT_TRUE(hidden.GetExcludeArea().IsRectEmpty());
}

} // namespace
