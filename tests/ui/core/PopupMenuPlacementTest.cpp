#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable rectangles in failure messages.
void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace {

constexpr int SHADOW = 4;
constexpr int BORDER = 2;
const CRect AREA(0, 0, 1000, 700);
const CSize MENU(200, 300);

CExtPopupMenuWnd::PlacementInput At(CPoint pt)
{
    CExtPopupMenuWnd::PlacementInput in{};
    in.rcArea = AREA;
    in.ptTrack = pt;
    in.size = MENU;
    in.rcExclude = CRect(pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3);
    in.bTopLevel = true;
    in.nShadow = SHADOW;
    in.nBorder = BORDER;
    return in;
}

// A submenu opened to the right of its parent's item.
CExtPopupMenuWnd::PlacementInput BesideItem(const CRect& rcItem)
{
    CExtPopupMenuWnd::PlacementInput in = At(CPoint(rcItem.right, rcItem.top));
    in.rcExclude = rcItem;
    in.bExcludeGiven = true;
    in.bSubmenu = true;
    in.bTopLevel = false;
    in.nAlign = CExtPopupMenuWnd::ALIGN_RIGHT;
    return in;
}

// A top-level menu dropped from a button, sharing its outline.
CExtPopupMenuWnd::PlacementInput BelowButton(const CRect& rcButton)
{
    CExtPopupMenuWnd::PlacementInput in = At(CPoint(rcButton.left, rcButton.bottom));
    in.rcExclude = rcButton;
    in.bExcludeGiven = true;
    in.bCombined = true;
    in.nAlign = CExtPopupMenuWnd::ALIGN_BELOW;
    return in;
}

TEST(PopupMenuPlacement, StaysInsideTheScreenArea)
{
    const struct { const char* name; CExtPopupMenuWnd::PlacementInput in; CRect expected; bool bScrolling; } cases[] = {
        {"at a free point", At(CPoint(100, 100)), CRect(100, 100, 300, 400), false},
        {"near the bottom: bottom at the point", At(CPoint(100, 600)), CRect(100, 300, 300, 600), false},
        {"near the right: right edge at the point", At(CPoint(900, 100)), CRect(700, 100, 900, 400), false},
        {"submenu at the right edge flips left", BesideItem(CRect(850, 100, 990, 120)),
         CRect(650, 100, 850, 400), false},
        {"submenu at the bottom lines up with its item", BesideItem(CRect(300, 650, 440, 670)),
         CRect(440, 376, 640, 676), false},
        {"off every edge: clamped", At(CPoint(-500, -400)), CRect(0, 0, 200, 300), false},
    };
    for (const auto& c : cases) {
        const auto out = CExtPopupMenuWnd::PlaceMenu(c.in);
        EXPECT_EQ(c.expected, CRect(out.rcWindow)) << c.name;
        EXPECT_EQ(c.bScrolling, out.bScrolling) << c.name;
        EXPECT_EQ(CRect(0, 0, MENU.cx - SHADOW, MENU.cy - SHADOW), CRect(out.rcMenu)) << c.name;
    }
}

TEST(PopupMenuPlacement, TallMenuScrolls)
{
    CExtPopupMenuWnd::PlacementInput in = At(CPoint(100, 100));
    in.size = CSize(200, 900);
    const auto out = CExtPopupMenuWnd::PlaceMenu(in);
    EXPECT_TRUE(out.bScrolling);
    EXPECT_EQ(AREA.top, out.rcWindow.top);
    EXPECT_EQ(AREA.bottom, out.rcWindow.bottom);
}

TEST(PopupMenuPlacement, CombinedMenuJoinsItsButtonBelowOrAbove)
{
    const struct { const char* name; CRect rcButton; int nSide; CRect menuScreen; } cases[] = {
        {"room below", CRect(100, 50, 160, 72), CExtPopupBaseWnd::SIDE_BELOW, CRect(100, 71, 296, 367)},
        {"no room below", CRect(100, 600, 160, 622), CExtPopupBaseWnd::SIDE_ABOVE, CRect(100, 305, 296, 601)},
    };
    for (const auto& c : cases) {
        const auto out = CExtPopupMenuWnd::PlaceMenu(BelowButton(c.rcButton));
        ASSERT_TRUE(out.bCombined) << c.name;
        EXPECT_EQ(c.nSide, out.nSide) << c.name;
        CRect rcMenu = out.rcMenu;
        rcMenu.OffsetRect(out.rcWindow.left, out.rcWindow.top);
        EXPECT_EQ(c.menuScreen, rcMenu) << c.name;
        // One window covers the menu and the button.
        CRect rcCovered;
        rcCovered.IntersectRect(&c.rcButton, &out.rcWindow);
        EXPECT_EQ(c.rcButton, rcCovered) << c.name;
        CRect rcButtonClient = c.rcButton;
        rcButtonClient.OffsetRect(-out.rcWindow.left, -out.rcWindow.top);
        EXPECT_EQ(rcButtonClient, CRect(out.rcExcludeClient)) << c.name;
    }
}

} // namespace
