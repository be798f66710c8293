#include "TimelineTestSupport.h"

#include "timeline/GridCell.h"
#include "timeline/GridCellRange.h"
#include "timeline/GridDefaultCell.h"
#include "timeline/MemDC.h"

#include <gtest/gtest.h>

using namespace TimelineTest;

TEST(GridCellRange, ValidityAndMembership)
{
    const struct {
        CGridCellRange range;
        bool valid;
        CGridCellId inside;
        CGridCellId outside;
    } cases[] = {
        {CGridCellRange(1, 2, 3, 4), true, CGridCellId(3, 2), CGridCellId(4, 2)},
        {CGridCellRange(0, 0, 0, 0), true, CGridCellId(0, 0), CGridCellId(0, 1)},
        {CGridCellRange(2, 2, 1, 4), false, CGridCellId(-5, -5), CGridCellId(2, 2)},
        {CGridCellRange(-1, 0, 3, 4), false, CGridCellId(-5, -5), CGridCellId(-1, -1)},
        {CGridCellRange(), false, CGridCellId(-5, -5), CGridCellId(0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.range.GetMinRow() << "," << c.range.GetMinCol() << "-"
                                        << c.range.GetMaxRow() << "," << c.range.GetMaxCol());
        EXPECT_EQ(c.valid, c.range.IsValid());
        if (c.valid) {
            EXPECT_TRUE(c.range.InRange(c.inside));
        }
        EXPECT_FALSE(c.range.InRange(c.outside));
    }
    EXPECT_EQ(CGridCellId(2, 3), CGridCellId(2, 3));
    EXPECT_NE(CGridCellId(2, 3), CGridCellId(3, 2));
}

TEST(GridDefaultCell, StateAlwaysReadOnlyAndIgnoresWrites)
{
    CGridDefaultCell cell;
    EXPECT_TRUE(cell.GetState() & GCS_READONLY);
    cell.SetState(GCS_SELECTED);
    cell.SetData(42);
    EXPECT_EQ(DWORD(GCS_READONLY), cell.GetState());
    EXPECT_EQ(0, cell.GetData());
    EXPECT_EQ(DWORD(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS), cell.GetFormat());
    EXPECT_GT(cell.GetWidth(), 0);
    EXPECT_GT(cell.GetHeight(), 0);
}

TEST(GridCell, TakesTheDefaultCellsValuesUntilItHasItsOwn)
{
    auto doc = MakeDocument(1);
    CGridCtrl grid(doc.get(), 3, 3, 1, 1);
    CGridCellBase* pCell = grid.GetCell(1, 1);
    ASSERT_NE(nullptr, pCell);
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetFormat(), pCell->GetFormat());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetMargin(), pCell->GetMargin());
    EXPECT_TRUE(pCell->IsDefaultFont());
    pCell->SetMargin(7);
    pCell->SetFormat(DT_CENTER);
    EXPECT_EQ(7u, pCell->GetMargin());
    EXPECT_EQ(DWORD(DT_CENTER), pCell->GetFormat());
    // Fixed cells answer to the fixed default cells.
    EXPECT_EQ(grid.GetDefaultCell(TRUE, TRUE), grid.GetCell(0, 0)->GetDefaultCell());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, TRUE), grid.GetCell(1, 0)->GetDefaultCell());
    EXPECT_EQ(DWORD(GCS_FIXED | GCS_FIXEDROW), grid.GetCell(0, 1)->GetState());
}

// The span mark makes a frame cell white and, when the span goes, gives back the cell's own
// background, however many paints marked it in between.
TEST(GridCell, SpanMarkRestoresTheOwnBackgroundAfterRepeatedMarks)
{
    const struct {
        const char* name;
        COLORREF own;
        int marks;
    } cases[] = {
        {"shaded fifth frame, one paint", kFifthFrame, 1},
        {"shaded fifth frame, three paints", kFifthFrame, 3},
        {"default background, two paints", GRID_DEFAULT_COLOR, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCell cell;
        if (c.own != GRID_DEFAULT_COLOR)
            cell.SetBackColor(c.own);
        for (int i = 0; i < c.marks; ++i) {
            cell.SetHasSpan(true);
            EXPECT_EQ(TIMELINE_SPAN_BACK, cell.GetBackColor());
        }
        cell.SetHasSpan(false);
        EXPECT_EQ(c.own, cell.GetBackColor());
        cell.SetHasSpan(false);
        EXPECT_EQ(c.own, cell.GetBackColor());
    }
    CGridCell fixed;
    fixed.SetState(GCS_FIXED | GCS_FIXEDROW);
    fixed.SetHasSpan(true);
    EXPECT_TRUE(fixed.HasSpan());
    EXPECT_EQ(GRID_DEFAULT_COLOR, fixed.GetBackColor()) << "fixed cells keep their colours";
}

// Changing the grid's shape never leaves a focus or a selection on cells that are gone.
TEST(GridShape, SizeChangesClearWhatNoLongerExists)
{
    const struct {
        const char* name;
        void (*change)(CGridCtrl&);
        bool focusKept;
        int selectedLeft;
    } cases[] = {
        {"more rows keep both", [](CGridCtrl& g) { g.SetRowCount(8); }, true, 4},
        {"fewer rows drop the focus row", [](CGridCtrl& g) { g.SetRowCount(3); }, false, 2},
        {"fewer columns drop the focus column", [](CGridCtrl& g) { g.SetColumnCount(3); }, false, 2},
        {"inserting a row clears both", [](CGridCtrl& g) { g.InsertRow("new", 1); }, false, 0},
        {"deleting a row clears both", [](CGridCtrl& g) { g.DeleteRow(4); }, false, 0},
        {"another fixed row clears both", [](CGridCtrl& g) { g.SetFixedRowCount(2); }, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid(nullptr, 6, 6, 1, 1);
        grid.SelectRange(2, 2, 3, 3);
        grid.SetFocusCell(3, 3);
        ASSERT_EQ(4, grid.GetSelectedCount());
        c.change(grid);
        EXPECT_EQ(c.focusKept, grid.IsValid(grid.GetFocusCell()));
        EXPECT_EQ(c.selectedLeft, grid.GetSelectedCount());
        const CGridCellId focus = grid.GetFocusCell();
        if (grid.IsValid(focus)) {
            EXPECT_TRUE(grid.GetCell(focus.row, focus.col)->IsFocused());
        }
    }
    CGridCtrl grid(nullptr, 4, 4, 2, 1);
    EXPECT_EQ(DWORD(GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL), grid.GetCell(1, 0)->GetState());
    grid.SetFixedRowCount(1);
    EXPECT_EQ(DWORD(GCS_FIXED | GCS_FIXEDCOL), grid.GetCell(1, 0)->GetState());
    EXPECT_EQ(0u, grid.GetCell(1, 1)->GetState());
}

TEST(GridMemDC, DrawsOffScreenAndLeavesPrintingContextsAlone)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hTarget = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 40, 30);
    HGDIOBJ hOld = ::SelectObject(hTarget, hBitmap);
    CDC target;
    target.Attach(hTarget);
    target.FillSolidRect(0, 0, 40, 30, RGB(0, 0, 0));
    {
        CMemDC mem(&target);
        EXPECT_NE(hTarget, mem.GetSafeHdc());
        mem.FillSolidRect(5, 5, 10, 10, RGB(255, 0, 0));
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hTarget, 7, 7)) << "nothing shows before the copy";
    }
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(hTarget, 7, 7));
    target.m_bPrinting = TRUE;
    {
        CMemDC mem(&target);
        EXPECT_EQ(hTarget, mem.GetSafeHdc());
        EXPECT_TRUE(mem.IsPrinting());
    }
    target.m_bPrinting = FALSE;
    EXPECT_EQ(hTarget, target.GetSafeHdc()) << "the printing context stays its owner's";
    target.Detach();
    ::SelectObject(hTarget, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hTarget);
    ::ReleaseDC(nullptr, hScreen);
}
