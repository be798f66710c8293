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
