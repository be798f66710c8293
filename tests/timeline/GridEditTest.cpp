#include "TimelineTestSupport.h"

#include <gtest/gtest.h>

using namespace TimelineTest;

namespace
{
// A grid that takes edits: no document, editable cells.
struct EditableGrid
{
    EditableGrid() : host(nullptr)
    {
        host.Grid().SetEditable(TRUE);
        host.Grid().SetItemText(1, 2, "old");
        host.Click(host.CellCentre(1, 2));
    }
    CWnd* Edit() { return host.Grid().GetCell(1, 2)->GetEditWindow(); }
    CGridHost host;
};
}  // namespace

TEST(GridEdit, TypingStartsAnEditThatEndsInTheCell)
{
    const struct {
        const char* name;
        std::vector<UINT> chars;  // the first starts the edit, the rest go to the edit box
        const char* text;
    } cases[] = {
        {"typed text replaces the old", {'x', 'y'}, "xy"},
        {"Esc puts the old text back", {'x', VK_ESCAPE}, "old"},
        {"backspace keeps the old text to work on", {VK_BACK, 'z'}, "olz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditableGrid g;
        g.host.Post(WM_CHAR, c.chars.front(), 1);
        ASSERT_TRUE(g.host.Grid().GetCell(1, 2)->IsEditing());
        ASSERT_NE(nullptr, g.Edit());
        for (std::size_t i = 1; i < c.chars.size(); ++i)
            g.Edit()->SendMessage(WM_CHAR, c.chars[i], 1);
        g.host.Grid().EndCurrentEdit();
        Pump();
        EXPECT_FALSE(g.host.Grid().GetCell(1, 2)->IsEditing());
        EXPECT_EQ(nullptr, g.Edit());
        EXPECT_STREQ(c.text, g.host.Grid().GetItemText(1, 2));
    }
}

TEST(GridEdit, TimelineCellsAreNeverEdited)
{
    auto doc = MakeDocument(1);
    CGridHost host(doc.get());
    host.Click(host.CellCentre(1, 3));
    host.Post(WM_CHAR, 'x', 1);
    host.Key(VK_F2);
    host.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(host.CellCentre(1, 3).x, host.CellCentre(1, 3).y));
    EXPECT_FALSE(host.Grid().GetCell(1, 3)->IsEditing());
    EXPECT_STREQ("", host.Grid().GetItemText(1, 3));
}

TEST(GridTitleTip, ShownOnlyForANameThatDoesNotFit)
{
    auto doc = MakeDocument(2);
    CGridHost host(doc.get(), true);
    host.Grid().SetItemText(2, 0, "A layer name far too long to fit in its cell of the timeline");
    host.SetForegroundWindow();
    host.Grid().SetFocus();
    Pump(50);
    HWND tip = ::FindWindowA(TITLETIP_CLASSNAME, nullptr);

    const CPoint shortName(30, host.CellCentre(1, 0).y);
    host.Post(WM_MOUSEMOVE, 0, MAKELPARAM(shortName.x, shortName.y));
    tip = ::FindWindowA(TITLETIP_CLASSNAME, nullptr);
    EXPECT_TRUE(tip == nullptr || !::IsWindowVisible(tip)) << "\"Layer 1\" fits";

    const CPoint longName(30, host.CellCentre(2, 0).y);
    host.Post(WM_MOUSEMOVE, 0, MAKELPARAM(longName.x, longName.y));
    tip = ::FindWindowA(TITLETIP_CLASSNAME, nullptr);
    ASSERT_NE(nullptr, tip);
    EXPECT_TRUE(::IsWindowVisible(tip));

    // Leaving the cell hides the tip: the tip holds the capture, so the move reaches it.
    CPoint outside = host.CellCentre(2, 5);
    host.ClientToScreen(&outside);
    ::ScreenToClient(tip, &outside);
    ::SendMessageA(tip, WM_MOUSEMOVE, 0, MAKELPARAM(outside.x, outside.y));
    Pump();
    EXPECT_FALSE(::IsWindowVisible(tip));
}

// Input that reaches the shown tip belongs to the grid below it: the tip hides and hands it on.
TEST(GridTitleTip, HandsPressesKeysAndMovesToTheGridBelow)
{
    auto doc = MakeDocument(3);
    CGridHost host(doc.get(), true);
    host.Grid().SetItemText(2, 0, "A layer name far too long to fit in its cell of the timeline");
    host.SetForegroundWindow();
    host.Grid().SetFocus();
    Pump(50);
    const CPoint overName(30, host.CellCentre(2, 0).y);
    // The tip shows for the long name under the pointer; the real pointer stays with the posted one.
    auto showTip = [&]() -> CWnd* {
        host.Grid().SetFocus();
        CPoint screen(overName);
        host.Grid().ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        host.Post(WM_MOUSEMOVE, 0, MAKELPARAM(overName.x + 1, overName.y));
        host.Post(WM_MOUSEMOVE, 0, MAKELPARAM(overName.x, overName.y));
        HWND tip = ::FindWindowA(TITLETIP_CLASSNAME, nullptr);
        return tip && ::IsWindowVisible(tip) ? CWnd::FromHandlePermanent(tip) : nullptr;
    };
    // A message at a grid point, as the tip's own window would receive it. The real pointer goes
    // there too: the platform follows hiding the tip with a move from where the pointer is.
    auto atTip = [&](CWnd* pTip, UINT message, WPARAM wParam, CPoint gridPoint) {
        host.Grid().ClientToScreen(&gridPoint);
        ::SetCursorPos(gridPoint.x, gridPoint.y);
        pTip->ScreenToClient(&gridPoint);
        MSG msg{pTip->GetSafeHwnd(), message, wParam, MAKELPARAM(gridPoint.x, gridPoint.y), 0, {0, 0}};
        return msg;
    };

    // A press over a frame cell under the tip's reach focuses that frame.
    CWnd* pTip = showTip();
    ASSERT_NE(nullptr, pTip);
    MSG press = atTip(pTip, WM_LBUTTONDOWN, MK_LBUTTON, host.CellCentre(2, 4));
    EXPECT_TRUE(pTip->PreTranslateMessage(&press));
    EXPECT_FALSE(pTip->IsWindowVisible());
    Pump();
    host.Post(WM_LBUTTONUP, 0, MAKELPARAM(host.CellCentre(2, 4).x, host.CellCentre(2, 4).y));
    EXPECT_EQ(CGridCellId(2, 4), host.Grid().GetFocusCell());
    EXPECT_EQ(4, doc->GetCurrentFrame());

    // A key goes to the grid as it was pressed.
    pTip = showTip();
    ASSERT_NE(nullptr, pTip);
    MSG key{pTip->GetSafeHwnd(), WM_KEYDOWN, VK_RIGHT, 1, 0, {0, 0}};
    EXPECT_TRUE(pTip->PreTranslateMessage(&key));
    EXPECT_FALSE(pTip->IsWindowVisible());
    Pump();
    EXPECT_EQ(CGridCellId(2, 5), host.Grid().GetFocusCell());

    // A move out of the cell hides the tip and reaches the grid at the same screen point.
    pTip = showTip();
    ASSERT_NE(nullptr, pTip);
    const CPoint frameCell = host.CellCentre(3, 7);
    MSG move = atTip(pTip, WM_MOUSEMOVE, 0, frameCell);
    pTip->SendMessage(WM_MOUSEMOVE, move.wParam, move.lParam);
    Pump();
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_EQ(nullptr, ::GetCapture()) << "the hidden tip let the pointer go";
}
