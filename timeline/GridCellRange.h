#pragma once
// An inclusive rectangle of cells: minimum and maximum row and column.
#include "timeline/GridCellId.h"

class CGridCellRange
{
public:
    CGridCellRange() { Set(-1, -1, -1, -1); }
    CGridCellRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
    {
        Set(nMinRow, nMinCol, nMaxRow, nMaxCol);
    }

    void Set(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
    {
        m_nMinRow = nMinRow;
        m_nMinCol = nMinCol;
        m_nMaxRow = nMaxRow;
        m_nMaxCol = nMaxCol;
    }
    bool IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 && m_nMinRow <= m_nMaxRow &&
               m_nMinCol <= m_nMaxCol;
    }
    bool InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    bool InRange(const CGridCellId& cell) const { return InRange(cell.row, cell.col); }
    CGridCellId GetTopLeft() const { return CGridCellId(m_nMinRow, m_nMinCol); }
    bool operator==(const CGridCellRange& other) const
    {
        return m_nMinRow == other.m_nMinRow && m_nMinCol == other.m_nMinCol && m_nMaxRow == other.m_nMaxRow &&
               m_nMaxCol == other.m_nMaxCol;
    }

    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMinRow(int row) { m_nMinRow = row; }
    void SetMinCol(int col) { m_nMinCol = col; }
    void SetMaxRow(int row) { m_nMaxRow = row; }
    void SetMaxCol(int col) { m_nMaxCol = col; }
    int Count() const { return IsValid() ? (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1) : 0; }

private:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};
