#include "TimelineTestSupport.h"

#include "model/FlashEditorLayer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using namespace TimelineTest;

namespace
{
// Holds or releases Shift and Ctrl for the grid's key-state reads.
void HoldKeys(bool shift, bool ctrl)
{
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(state);
}

CGridCellRange Range(int r1, int c1, int r2, int c2)
{
    return CGridCellRange(r1, c1, r2, c2);
}

std::string Describe(const CGridCellRange& r)
{
    return std::to_string(r.GetMinRow()) + "," + std::to_string(r.GetMinCol()) + "-" + std::to_string(r.GetMaxRow()) +
           "," + std::to_string(r.GetMaxCol());
}
}  // namespace

class GridInteraction : public testing::Test
{
protected:
    void SetUp() override
    {
        m_host.reset();
        m_doc = MakeDocument(3);
        for (int layer = 1; layer <= 3; ++layer)
            BuildSpans(*m_doc, *m_doc->GetLayer(layer), {{1, 4, false, true}, {5, 20, false, false}});
        m_host = std::make_unique<CGridHost>(m_doc.get());
    }
    void TearDown() override { HoldKeys(false, false); }

    CGridCtrl& Grid() { return m_host->Grid(); }

    std::unique_ptr<CFlashEditorDoc> m_doc;
    std::unique_ptr<CGridHost> m_host;
};

// Mouse and keys to focus, selection, and the document's current frame and layer.
TEST_F(GridInteraction, InputMovesFocusSelectionAndCurrentFrame)
{
    struct Case {
        const char* name;
        std::function<void(CGridHost&)> act;
        CGridCellId focus;
        CGridCellRange selection;  // invalid: nothing selected
        int frame;
        int layer;
    };
    const Case cases[] = {
        {"click frame 12 of layer 2", [](CGridHost& h) { h.Click(h.CellCentre(2, 12)); }, CGridCellId(2, 12),
         Range(2, 12, 2, 12), 12, 2},
        {"drag frames 3 to 8 of layer 1", [](CGridHost& h) { h.Drag(h.CellCentre(1, 3), h.CellCentre(1, 8)); },
         CGridCellId(1, 8), Range(1, 3, 1, 8), 8, 1},
        {"drag across layers",
         [](CGridHost& h) { h.Drag(h.CellCentre(3, 6), h.CellCentre(1, 4)); }, CGridCellId(1, 4),
         Range(1, 4, 3, 6), 4, 1},
        {"click a selected frame and release",
         [](CGridHost& h) {
             h.Drag(h.CellCentre(1, 3), h.CellCentre(2, 5));
             h.Click(h.CellCentre(2, 4));
         },
         CGridCellId(), CGridCellRange(), 4, 2},
        {"right arrow from frame 3",
         [](CGridHost& h) {
             h.Click(h.CellCentre(1, 3));
             h.Key(VK_RIGHT);
         },
         CGridCellId(1, 4), Range(1, 4, 1, 4), 4, 1},
        {"down arrow to the next layer",
         [](CGridHost& h) {
             h.Click(h.CellCentre(1, 3));
             h.Key(VK_DOWN);
         },
         CGridCellId(2, 3), Range(2, 3, 2, 3), 3, 2},
        {"shift and right arrow extend",
         [](CGridHost& h) {
             h.Click(h.CellCentre(2, 3));
             HoldKeys(true, false);
             h.Key(VK_RIGHT);
             h.Key(VK_RIGHT);
             HoldKeys(false, false);
         },
         CGridCellId(2, 5), Range(2, 3, 2, 5), 5, 2},
        {"home goes to frame 1",
         [](CGridHost& h) {
             h.Click(h.CellCentre(3, 6));
             h.Key(VK_HOME);
         },
         CGridCellId(3, 1), Range(3, 1, 3, 1), 1, 3},
        {"end goes to the last column",
         [](CGridHost& h) {
             h.Click(h.CellCentre(1, 6));
             h.Key(VK_END);
         },
         CGridCellId(1, kColumns - 1), Range(1, kColumns - 1, 1, kColumns - 1), kColumns - 1, 1},
        {"left arrow stops at frame 1",
         [](CGridHost& h) {
             h.Click(h.CellCentre(1, 1));
             h.Key(VK_LEFT);
         },
         CGridCellId(1, 1), Range(1, 1, 1, 1), 1, 1},
        {"click a frame number selects it in every layer",
         [](CGridHost& h) { h.Click(h.CellCentre(0, 7)); }, CGridCellId(), Range(1, 7, 3, 7), 1, 1},
        {"click the corner selects everything",
         [](CGridHost& h) { h.Click(CPoint(20, 10)); }, CGridCellId(), Range(1, 1, 3, kColumns - 1), 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.act(*m_host);
        const CGridCellId focus = Grid().GetFocusCell();
        EXPECT_EQ(c.focus.row, focus.row);
        EXPECT_EQ(c.focus.col, focus.col);
        const CGridCellRange selection = Grid().GetSelectionRange();
        if (c.selection.IsValid()) {
            EXPECT_EQ(Describe(c.selection), Describe(selection));
            EXPECT_EQ(c.selection.Count(), Grid().GetSelectedCount()) << "a rectangle, nothing else";
        } else {
            EXPECT_EQ(0, Grid().GetSelectedCount());
        }
        EXPECT_EQ(c.frame, m_doc->GetCurrentFrame());
        EXPECT_EQ(c.layer, m_doc->GetCurrentLayerIndex());
        EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, Grid().GetMouseMode());
    }
}

TEST_F(GridInteraction, LayerIconsSwitchLockAndVisibility)
{
    const int y = m_host->CellCentre(2, 0).y;
    const struct {
        const char* name;
        int x;
        bool locked;
        bool visible;
    } steps[] = {
        {"lock icon", 120, true, true},       {"lock icon again", 113, false, true},
        {"eye icon", 100, false, false},       {"eye icon again", 112, false, true},
        {"outline icon changes nothing", 135, false, true}, {"name text changes nothing", 40, false, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        m_host->Click(CPoint(s.x, y));
        EXPECT_EQ(s.locked, m_doc->GetLayer(2)->IsLocked());
        EXPECT_EQ(s.visible, m_doc->GetLayer(2)->IsVisible());
        EXPECT_EQ(s.locked, Grid().GetCell(2, 0)->IsLayerLocked());
        EXPECT_EQ(s.visible, Grid().GetCell(2, 0)->IsLayerVisible());
    }
    // The corner's icons belong to no layer.
    m_host->Click(CPoint(120, 10));
    for (int layer = 1; layer <= 3; ++layer) {
        EXPECT_FALSE(m_doc->GetLayer(layer)->IsLocked());
        EXPECT_TRUE(m_doc->GetLayer(layer)->IsVisible());
    }
}

TEST_F(GridInteraction, ClickNotifiesTheParentInOrder)
{
    m_host->m_notifications.clear();
    m_host->Click(m_host->CellCentre(1, 5));
    EXPECT_EQ((std::vector<int>{GRIDN_SELCHANGING, GRIDN_SELCHANGED, int(NM_CLICK)}), m_host->m_notifications);
}

TEST_F(GridInteraction, RightClickMovesFocusAndCurrentFrame)
{
    m_host->Post(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(m_host->CellCentre(3, 9).x, m_host->CellCentre(3, 9).y));
    m_host->Post(WM_RBUTTONUP, 0, MAKELPARAM(m_host->CellCentre(3, 9).x, m_host->CellCentre(3, 9).y));
    EXPECT_EQ(CGridCellId(3, 9), Grid().GetFocusCell());
    EXPECT_EQ(9, m_doc->GetCurrentFrame());
    EXPECT_EQ(3, m_doc->GetCurrentLayerIndex());
}

TEST_F(GridInteraction, TimelineShowsNoDividerCursor)
{
    // Row and column resizing are off, so a press on a divider selects instead of sizing.
    const CPoint divider(kNameWidth + 2 * kFrameWidth, kRowHeight / 2);
    m_host->Post(WM_MOUSEMOVE, 0, MAKELPARAM(divider.x, divider.y));
    EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, Grid().GetMouseMode());
    m_host->Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(divider.x, divider.y));
    EXPECT_EQ(CGridCtrl::MOUSE_SELECT_COL, Grid().GetMouseMode());
    m_host->Post(WM_LBUTTONUP, 0, MAKELPARAM(divider.x, divider.y));
    EXPECT_EQ(kFrameWidth, Grid().GetColumnWidth(2));
}

// The wheel setting as the grid reads it.
TEST(GridWheel, SettingIsReadWithinItsBounds)
{
    const struct {
        const char* text;
        int lines;
    } texts[] = {
        {"3", 3}, {"0", 0}, {"100", 100}, {"-1", -1}, {"101", 3}, {"-2", 3}, {"abc", 3},
        {"", 3},  {"7x", 3}, {"99999999999999999999", 3}, {nullptr, 3},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.text ? t.text : "(none)");
        EXPECT_EQ(t.lines, CGridCtrl::ParseWheelScrollLines(t.text));
    }

    UINT saved = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    const struct {
        UINT setting;
        int lines;
    } settings[] = {{3, 3}, {0, 0}, {100, 100}, {WHEEL_PAGESCROLL, -1}, {101, 3}, {100000, 3}};
    for (const auto& s : settings) {
        SCOPED_TRACE(s.setting);
        ASSERT_TRUE(::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, s.setting, nullptr, 0));
        EXPECT_EQ(s.lines, CGridCtrl::ReadWheelScrollLines());
    }
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
}

TEST(GridWheel, NotchesScrollRowsAndSmallDeltasAddUp)
{
    UINT saved = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    const struct {
        const char* name;
        std::vector<short> deltas;
        int rowsUp;
    } cases[] = {
        {"one notch away from the user", {WHEEL_DELTA}, 3},
        {"three fine steps make a notch", {40, 40, 40}, 3},
        {"a fine step alone scrolls one row", {40}, 1},
        {"a step of 20 waits for a second", {20}, 0},
        {"two steps of 20 make a row", {20, 20}, 1},
        {"a notch each way", {WHEEL_DELTA, -WHEEL_DELTA}, 0},
    };
    auto doc = MakeDocument(30);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGridHost host(doc.get());
        ASSERT_EQ(3, host.Grid().GetWheelScrollLines());
        host.Grid().SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        const int bottomRow = host.Grid().GetFirstScrollableCell().row;
        ASSERT_GT(bottomRow, 4);
        for (short delta : c.deltas)
            host.Post(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(10, 10));
        EXPECT_EQ(bottomRow - c.rowsUp, host.Grid().GetFirstScrollableCell().row);
    }
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
}
