#pragma once
// A cell's coordinates in the grid: row and column, -1 meaning none.

class CGridCellId
{
public:
    CGridCellId() = default;
    CGridCellId(int nRow, int nCol) : row(nRow), col(nCol) {}

    // Both parts set; whether the cell exists is the grid's question (CGridCtrl::IsValid).
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CGridCellId& other) const { return row == other.row && col == other.col; }
    bool operator!=(const CGridCellId& other) const { return !(*this == other); }

    int row = -1;
    int col = -1;
};
