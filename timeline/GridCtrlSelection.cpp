// CGridCtrl: the focus cell, the selection, and the document's current frame and layer that
// follow them; sorting and automatic sizing.
#include "timeline/GridCtrl.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"

#include "platform/mfc/WaitCursor.h"

#include <algorithm>

namespace
{
// The layer-name cell's icons: 16-pixel slots counted leftwards from x = 129.
constexpr int LAYER_ICON_FIRST_LEFT = 129;
constexpr int LAYER_ICON_SLOT = 16;
constexpr int LAYER_ICON_LOCK = 1;
constexpr int LAYER_ICON_VISIBLE = 2;

DWORD CellKey(int nRow, int nCol)
{
    return DWORD(nCol) << 16 | DWORD(nRow & 0xFFFF);
}
}  // namespace

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (m_bVirtualMode)
        return m_SelectedCellMap.count(CellKey(nRow, nCol)) != 0;
    const CGridCellBase* pCell = IsValid(nRow, nCol) ? m_RowData[nRow][nCol] : nullptr;
    return pCell && pCell->IsSelected();
}

CGridCellRange CGridCtrl::GetSelectionRange() const
{
    CGridCellRange selection(m_nRows, m_nCols, -1, -1);
    for (const auto& entry : m_SelectedCellMap) {
        const CGridCellId& cell = entry.second;
        if (!IsValid(cell))
            continue;
        selection.SetMinRow(std::min(selection.GetMinRow(), cell.row));
        selection.SetMinCol(std::min(selection.GetMinCol(), cell.col));
        selection.SetMaxRow(std::max(selection.GetMaxRow(), cell.row));
        selection.SetMaxCol(std::max(selection.GetMaxCol(), cell.col));
    }
    return selection;
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    SelectRange(-1, -1, -1, -1);
    if (IsValid(m_idCurrentCell))
        SetFocusCell(-1, -1);
}

void CGridCtrl::ClearSelection()
{
    ResetSelectedRange();
}

CGridCellId CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    if (CGridCellId(nRow, nCol) == m_idCurrentCell)
        return m_idCurrentCell;
    const CGridCellId idPrev = m_idCurrentCell;
    if (nRow != -1)
        nRow = std::max(nRow, m_nFixedRows);
    if (nCol != -1)
        nCol = std::max(nCol, m_nFixedCols);
    m_idCurrentCell = CGridCellId(nRow, nCol);

    if (IsValid(idPrev)) {
        SetItemState(idPrev.row, idPrev.col, GetItemState(idPrev.row, idPrev.col) & ~GCS_FOCUSED);
        RedrawCell(idPrev);
        if (m_bTrackFocusCell) {
            if (idPrev.col != nCol)
                for (int row = 0; row < m_nFixedRows; ++row)
                    RedrawCell(row, idPrev.col);
            if (idPrev.row != nRow)
                for (int col = 0; col < m_nFixedCols; ++col)
                    RedrawCell(idPrev.row, col);
        }
    }
    if (IsValid(m_idCurrentCell)) {
        SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GCS_FOCUSED);
        RedrawCell(m_idCurrentCell);
        if (m_bTrackFocusCell) {
            if (idPrev.col != nCol)
                for (int row = 0; row < m_nFixedRows; ++row)
                    RedrawCell(row, nCol);
            if (idPrev.row != nRow)
                for (int col = 0; col < m_nFixedCols; ++col)
                    RedrawCell(nRow, col);
        }
    }
    return idPrev;
}

void CGridCtrl::SetCurrentCell(int nRow, int nCol)
{
    if (m_pDocument) {
        m_pDocument->SetCurrentFrame(nCol);
        m_pDocument->SetCurrentLayer(nRow);
    }
    SetFocusCell(nRow, nCol);
}

void CGridCtrl::SelectRange(const CGridCellRange& range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SelectRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), bForceRepaint,
                bSelectCells);
}

void CGridCtrl::SelectRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint,
                            BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    CWaitCursor wait;
    if (nMinRow >= 0 && nMinRow < m_nFixedRows)
        nMinRow = m_nFixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_nFixedRows)
        nMaxRow = m_nFixedRows;
    if (nMinCol >= 0 && nMinCol < m_nFixedCols)
        nMinCol = m_nFixedCols;
    if (nMaxCol >= 0 && nMaxCol < m_nFixedCols)
        nMaxCol = m_nFixedCols;
    const CGridCellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);

    if (bSelectCells) {
        // Unselect what was selected, redrawing only what leaves the selection.
        const auto previous = m_SelectedCellMap;
        for (const auto& entry : previous) {
            const CGridCellId cell = entry.second;
            if (!IsValid(cell)) {
                m_SelectedCellMap.erase(entry.first);
                continue;
            }
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GCS_SELECTED);
            if (!range.InRange(cell) || bForceRepaint)
                RedrawCell(cell);
        }
    }
    if (!(m_bSingleRowSelection && m_bListMode) && nMinRow < 0)
        return;
    if (bSelectCells && range.IsValid()) {
        for (const auto& entry : m_PrevSelectedCellMap) {
            const CGridCellId cell = entry.second;
            if (IsValid(cell) && !IsCellSelected(cell.row, cell.col)) {
                SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_SELECTED);
                RedrawCell(cell);
            }
        }
    }
    if (IsValid(range)) {
        for (int row = nMinRow; row <= nMaxRow; ++row)
            for (int col = nMinCol; col <= nMaxCol; ++col) {
                if (bool(IsCellSelected(row, col)) == bool(bSelectCells))
                    continue;
                const UINT state = GetItemState(row, col);
                SetItemState(row, col, bSelectCells ? state | GCS_SELECTED : state & ~GCS_SELECTED);
                RedrawCell(row, col);
            }
    }
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SelectRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CGridCellId currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (currentCell.col < m_nFixedCols || !IsValid(currentCell))
        return;
    if (m_bSingleColSelection)
        SelectRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw, bSelectCells);
    else
        SelectRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), m_nRows - 1,
                    std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectRows(CGridCellId currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (currentCell.row < m_nFixedRows || !IsValid(currentCell))
        return;
    if (m_bSingleRowSelection && m_bListMode)
        SelectRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, bForceRedraw, bSelectCells);
    else
        SelectRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                    std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1, bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectCells(CGridCellId currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!IsValid(currentCell) || currentCell.row < m_nFixedRows || currentCell.col < m_nFixedCols)
        return;
    SelectRange(std::min(m_SelectionStartCell.row, currentCell.row), std::min(m_SelectionStartCell.col, currentCell.col),
                std::max(m_SelectionStartCell.row, currentCell.row), std::max(m_SelectionStartCell.col, currentCell.col),
                bForceRedraw, bSelectCells);
}

void CGridCtrl::ExtendSelection(CGridCellId cell)
{
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        SelectColumns(cell);
        break;
    case MOUSE_SELECT_ROW:
        SelectRows(cell);
        break;
    case MOUSE_SELECT_CELLS:
        SelectCells(cell);
        if (m_pDocument) {
            m_pDocument->SetCurrentFrame(cell.col);
            m_pDocument->SetCurrentLayer(cell.row);
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::OnLayerCellClick(int nRow, int nCol, int x, int /*y*/)
{
    int k = -1;
    for (int i = 0; LAYER_ICON_FIRST_LEFT - LAYER_ICON_SLOT * i >= 1; ++i) {
        const int left = LAYER_ICON_FIRST_LEFT - LAYER_ICON_SLOT * i;
        if (x >= left && x <= left + LAYER_ICON_SLOT) {
            k = i;
            break;
        }
    }
    if (k < 0) {
        SetFocusCell(-1, -1);
        return;
    }
    CFlashEditorLayer* pLayer = (m_pDocument && nRow >= 1) ? m_pDocument->GetLayer(nRow) : nullptr;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pLayer && pCell && k == LAYER_ICON_LOCK) {
        pLayer->SetLocked(!pLayer->IsLocked());
        pCell->SetLayerLocked(pLayer->IsLocked());
        m_pDocument->InvalidateViews();
    } else if (pLayer && pCell && k == LAYER_ICON_VISIBLE) {
        pLayer->SetVisible(!pLayer->IsVisible());
        pCell->SetLayerVisible(pLayer->IsVisible());
        m_pDocument->InvalidateViews();
    }
    RedrawCell(nRow, nCol);
}

void CGridCtrl::OnHeaderRowClick(CGridCellId cell)
{
    if (m_bSortOnClick) {
        CWaitCursor waitCursor;
        SortRowsByText(cell.col, cell.col == m_nSortColumn ? !m_bAscending : TRUE);
        Invalidate();
    } else if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        ExtendSelection(cell);
    }
}

// Sorting ------------------------------------------------------------------------------------

BOOL CGridCtrl::SortRowsByText(int nCol, BOOL bAscending)
{
    auto compare = [](LPARAM lParam1, LPARAM lParam2, LPARAM) -> int {
        const auto* pCell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
        const auto* pCell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
        if (!pCell1 || !pCell2)
            return 0;
        return lstrcmpA(pCell1->GetText(), pCell2->GetText());
    };
    return SortRows(compare, nCol, bAscending);
}

BOOL CGridCtrl::SortRows(GRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high)
{
    if (!pfnCompare || nCol < 0 || nCol >= m_nCols || m_bVirtualMode)
        return FALSE;
    if (low < 0)
        low = m_nFixedRows;
    if (high < 0)
        high = m_nRows - 1;
    if (low >= high || high >= m_nRows)
        return TRUE;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    m_pfnCompare = pfnCompare;
    m_nSortColumn = nCol;
    m_bAscending = bAscending;
    std::vector<std::pair<std::vector<CGridCellBase*>, int>> rows;
    for (int row = low; row <= high; ++row)
        rows.emplace_back(std::move(m_RowData[row]), m_arRowHeights[row]);
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        const int result = pfnCompare(reinterpret_cast<LPARAM>(a.first[nCol]), reinterpret_cast<LPARAM>(b.first[nCol]), data);
        return bAscending ? result < 0 : result > 0;
    });
    for (int row = low; row <= high; ++row) {
        m_RowData[row] = std::move(rows[row - low].first);
        m_arRowHeights[row] = rows[row - low].second;
    }
    return TRUE;
}

// Sizing -------------------------------------------------------------------------------------

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols || !GetSafeHwnd())
        return FALSE;
    CDC* pDC = GetDC();
    if (!pDC)
        return FALSE;
    int nWidth = 0;
    const int nStart = (nAutoSizeStyle & GRID_AUTOSIZE_HEADER) ? 0 : m_nFixedRows;
    const int nEnd = (nAutoSizeStyle & GRID_AUTOSIZE_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
    for (int row = nStart; row <= nEnd; ++row)
        if (CGridCellBase* pCell = GetCell(row, nCol))
            nWidth = std::max<int>(nWidth, pCell->GetContentExtent(pDC).cx);
    ReleaseDC(pDC);
    m_arColWidths[nCol] = nWidth;
    m_idTopLeftCell = CGridCellId();
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || !GetSafeHwnd())
        return FALSE;
    CDC* pDC = GetDC();
    if (!pDC)
        return FALSE;
    int nHeight = 0;
    for (int col = 0; col < m_nCols; ++col)
        if (CGridCellBase* pCell = GetCell(nRow, col))
            nHeight = std::max<int>(nHeight, pCell->GetContentExtent(pDC).cy);
    ReleaseDC(pDC);
    m_arRowHeights[nRow] = nHeight;
    m_idTopLeftCell = CGridCellId();
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}
