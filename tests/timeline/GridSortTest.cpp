#include "TimelineTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TimelineTest;

namespace
{
constexpr int kRows = 4;

// The texts of column col of the non-fixed rows, joined.
std::string Column(CGridCtrl& grid, int col)
{
    std::string text;
    for (int row = 1; row < grid.GetRowCount(); ++row)
        text += std::string(grid.GetItemText(row, col)) + ";";
    return text;
}

// A grid without a document: names in column 0, sort keys in column 1, heights that travel.
void Fill(CGridCtrl& grid)
{
    const char* names[kRows] = {"n1", "n2", "n3", "n4"};
    const char* keys[kRows] = {"b", "d", "a", "b"};
    for (int i = 0; i < kRows; ++i) {
        grid.SetItemText(i + 1, 0, names[i]);
        grid.SetItemText(i + 1, 1, keys[i]);
        grid.SetRowHeight(i + 1, 20 + i);
    }
}
}  // namespace

TEST(GridSort, RowsMoveWholeByTheColumnsText)
{
    const struct {
        const char* name;
        int low;
        int high;
        BOOL ascending;
        const char* names;
        const char* keys;
    } cases[] = {
        {"ascending keeps equal keys in order", -1, -1, TRUE, "n3;n1;n4;n2;", "a;b;b;d;"},
        {"descending", -1, -1, FALSE, "n2;n1;n4;n3;", "d;b;b;a;"},
        {"rows 2 to 3 only", 2, 3, TRUE, "n1;n3;n2;n4;", "b;a;d;b;"},
        {"a single row is already sorted", 2, 2, TRUE, "n1;n2;n3;n4;", "b;d;a;b;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGridHost host(nullptr);
        CGridCtrl& grid = host.Grid();
        grid.SetRowCount(kRows + 1);
        Fill(grid);
        grid.SetFocusCell(2, 3);
        grid.SelectRange(1, 1, 2, 3);
        auto byText = [](LPARAM a, LPARAM b, LPARAM) {
            return lstrcmpA(reinterpret_cast<const CGridCellBase*>(a)->GetText(),
                            reinterpret_cast<const CGridCellBase*>(b)->GetText());
        };
        EXPECT_TRUE(grid.SortRows(byText, 1, c.ascending, 0, c.low, c.high));
        EXPECT_EQ(c.names, Column(grid, 0));
        EXPECT_EQ(c.keys, Column(grid, 1));
        // Each row keeps its height: "n3" was 22 pixels high.
        for (int row = 1; row <= kRows; ++row)
            EXPECT_EQ(20 + (grid.GetItemText(row, 0)[1] - '1'), grid.GetRowHeight(row)) << row;
        if (c.low != c.high) {
            EXPECT_EQ(CGridCellId(), grid.GetFocusCell()) << "focus and selection no longer name the same cells";
            EXPECT_EQ(0, grid.GetSelectedCount());
        }
    }
}

TEST(GridSort, HeaderClicksSortAndTurnTheOrderAndBadCallsChangeNothing)
{
    CGridHost host(nullptr);
    CGridCtrl& grid = host.Grid();
    grid.SetRowCount(kRows + 1);
    Fill(grid);
    grid.SetHeaderSort(TRUE);
    const CPoint header = host.CellCentre(0, 1);
    host.Click(header);
    EXPECT_EQ("a;b;b;d;", Column(grid, 1));
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    host.Click(header);
    EXPECT_EQ("d;b;b;a;", Column(grid, 1));
    EXPECT_FALSE(grid.GetSortAscending());

    const std::string before = Column(grid, 0);
    auto never = [](LPARAM, LPARAM, LPARAM) { return 0; };
    EXPECT_FALSE(grid.SortRows(nullptr, 1, TRUE));
    EXPECT_FALSE(grid.SortRows(never, -1, TRUE));
    EXPECT_FALSE(grid.SortRows(never, grid.GetColumnCount(), TRUE));
    EXPECT_FALSE(grid.SortRowsByText(grid.GetColumnCount(), TRUE));
    EXPECT_TRUE(grid.SortRows(never, 1, TRUE, 0, 1, kRows + 5)) << "a range past the rows is left alone";
    EXPECT_EQ(before, Column(grid, 0));
}
