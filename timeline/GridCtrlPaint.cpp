// CGridCtrl: geometry, scroll bars and painting, with the timeline states worked out from the
// document on every paint.
#include "timeline/GridCtrl.h"

#include "timeline/MemDC.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"

#include "platform/mfc/PaintDC.h"
#include "platform/mfc/Pen.h"

#include <algorithm>

namespace
{
constexpr COLORREF SPAN_EDGE_COLOUR = 0x313131;
// The grid-colour ticks of a frame inside a span stop this far from the cell's top and bottom.
constexpr int SPAN_TICK = 2;
}  // namespace

// Geometry -----------------------------------------------------------------------------------

CGridCellId CGridCtrl::GetTopLeftNonFixedCell(BOOL bForceRecalculation)
{
    if (m_idTopLeftCell.IsValid() && !bForceRecalculation)
        return m_idTopLeftCell;
    const int nVertScroll = GetScrollPos(SB_VERT);
    const int nHorzScroll = GetScrollPos(SB_HORZ);
    m_idTopLeftCell.col = m_nFixedCols;
    int nRight = 0;
    while (nRight < nHorzScroll && m_idTopLeftCell.col < m_nCols - 1)
        nRight += GetColumnWidth(m_idTopLeftCell.col++);
    m_idTopLeftCell.row = m_nFixedRows;
    int nTop = 0;
    while (nTop < nVertScroll && m_idTopLeftCell.row < m_nRows - 1)
        nTop += GetRowHeight(m_idTopLeftCell.row++);
    return m_idTopLeftCell;
}

CGridCellId CGridCtrl::GetFirstScrollableCell()
{
    return GetTopLeftNonFixedCell();
}

CGridCellRange CGridCtrl::GetVisibleScrollableRange(LPRECT pRect)
{
    CRect rect;
    if (GetSafeHwnd())
        GetClientRect(&rect);
    const CGridCellId idTopLeft = GetTopLeftNonFixedCell();

    int bottom = GetFixedRowHeight();
    int maxVisibleRow = std::max(idTopLeft.row, m_nFixedRows) - 1;
    for (int i = idTopLeft.row; i < m_nRows && i >= 0; ++i) {
        if (bottom >= rect.bottom) {
            bottom = rect.bottom;
            break;
        }
        bottom += GetRowHeight(i);
        maxVisibleRow = i;
    }
    int right = GetFixedColumnWidth();
    int maxVisibleCol = std::max(idTopLeft.col, m_nFixedCols) - 1;
    for (int i = idTopLeft.col; i < m_nCols && i >= 0; ++i) {
        if (right >= rect.right) {
            right = rect.right;
            break;
        }
        right += GetColumnWidth(i);
        maxVisibleCol = i;
    }
    if (pRect) {
        pRect->left = pRect->top = 0;
        pRect->right = right;
        pRect->bottom = bottom;
    }
    return CGridCellRange(idTopLeft.row, idTopLeft.col, maxVisibleRow, maxVisibleCol);
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    CGridCellId idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        idTopLeft = GetTopLeftNonFixedCell();
    if ((nRow >= m_nFixedRows && nRow < idTopLeft.row) || (nCol >= m_nFixedCols && nCol < idTopLeft.col))
        return FALSE;
    p->x = 0;
    if (nCol < m_nFixedCols) {
        for (int i = 0; i < nCol; ++i)
            p->x += GetColumnWidth(i);
    } else {
        for (int i = 0; i < m_nFixedCols; ++i)
            p->x += GetColumnWidth(i);
        for (int i = idTopLeft.col; i < nCol; ++i)
            p->x += GetColumnWidth(i);
    }
    p->y = 0;
    if (nRow < m_nFixedRows) {
        for (int i = 0; i < nRow; ++i)
            p->y += GetRowHeight(i);
    } else {
        for (int i = 0; i < m_nFixedRows; ++i)
            p->y += GetRowHeight(i);
        for (int i = idTopLeft.row; i < nRow; ++i)
            p->y += GetRowHeight(i);
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, &origin))
        return FALSE;
    pRect->left = origin.x;
    pRect->top = origin.y;
    pRect->right = origin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = origin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

namespace
{
// The index of the cell under offset along one axis: fixed cells from the start, scrolled cells
// from the first one shown after them; -1 outside every cell (or in the fixed cells when they do
// not count).
template <class SizeOf>
int IndexAlongAxis(int offset, bool allowFixed, int fixedExtent, int fixedCount, int firstShown, int count,
                   SizeOf sizeOf)
{
    if (offset < 0 || (!allowFixed && offset < fixedExtent))
        return -1;
    const bool inFixed = offset < fixedExtent;
    int pos = inFixed ? 0 : fixedExtent;
    int index = inFixed ? 0 : firstShown;
    const int end = inFixed ? fixedCount : count;
    while (index < end) {
        pos += sizeOf(index);
        if (pos > offset)
            break;
        ++index;
    }
    return index < end ? index : -1;
}
}  // namespace

CGridCellId CGridCtrl::CellAtPoint(CPoint point, BOOL bAllowFixedCellCheck)
{
    CGridCellId cellID;
    const CGridCellId idTopLeft = GetTopLeftNonFixedCell();
    if (!bAllowFixedCellCheck && !IsValid(idTopLeft))
        return cellID;
    cellID.col = IndexAlongAxis(point.x, bAllowFixedCellCheck, GetFixedColumnWidth(), m_nFixedCols, idTopLeft.col,
                                m_nCols, [this](int col) { return GetColumnWidth(col); });
    cellID.row = IndexAlongAxis(point.y, bAllowFixedCellCheck, GetFixedRowHeight(), m_nFixedRows, idTopLeft.row,
                                m_nRows, [this](int row) { return GetRowHeight(row); });
    return cellID;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!GetSafeHwnd())
        return FALSE;
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, &origin))
        return FALSE;
    CRect rect;
    GetClientRect(&rect);
    return origin.x < rect.right && origin.y < rect.bottom;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !GetSafeHwnd() || !IsValid(nRow, nCol))
        return;
    EndCurrentEdit();
    CRect rectClient;
    GetClientRect(&rectClient);
    // Scroll a line at a time until the cell lies within the non-fixed area, with a bound so
    // that a cell larger than the window cannot loop for ever.
    for (int guard = 0; guard < m_nRows + m_nCols; ++guard) {
        const CGridCellRange visible = GetVisibleScrollableRange();
        bool moved = false;
        if (nRow >= m_nFixedRows && nRow < visible.GetMinRow()) {
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            moved = true;
        } else if (nRow >= m_nFixedRows && nRow > visible.GetMaxRow()) {
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            moved = true;
        } else if (nRow >= m_nFixedRows && nRow == visible.GetMaxRow()) {
            CRect rect;
            if (GetCellRect(nRow, nCol, &rect) && rect.bottom >= rectClient.bottom && nRow > visible.GetMinRow()) {
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                moved = true;
            }
        }
        if (nCol >= m_nFixedCols && nCol < visible.GetMinCol()) {
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            moved = true;
        } else if (nCol >= m_nFixedCols && nCol > visible.GetMaxCol()) {
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            moved = true;
        } else if (nCol >= m_nFixedCols && nCol == visible.GetMaxCol()) {
            CRect rect;
            if (GetCellRect(nRow, nCol, &rect) && rect.right >= rectClient.right && nCol > visible.GetMinCol()) {
                SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                moved = true;
            }
        }
        if (!moved)
            break;
        const CGridCellRange after = GetVisibleScrollableRange();
        if (after == visible)
            break;
    }
}

// Scroll bars --------------------------------------------------------------------------------

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable)
{
    const int bits = (nBar == SB_HORZ ? SB_HORZ_BIT : nBar == SB_VERT ? SB_VERT_BIT : SB_HORZ_BIT | SB_VERT_BIT);
    if (bEnable)
        m_nBarState |= bits;
    else
        m_nBarState &= ~bits;
    if (GetSafeHwnd())
        ShowScrollBar(nBar, bEnable);
}

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    if (bGetTrackPos) {
        if (GetScrollInfo(nBar, &si, SIF_TRACKPOS))
            return si.nTrackPos;
    } else if (GetScrollInfo(nBar, &si, SIF_POS)) {
        return si.nPos;
    }
    return 0;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos)
{
    m_idTopLeftCell = CGridCellId();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    return SetScrollInfo(nBar, &si, TRUE);
}

void CGridCtrl::ResetScrollBars()
{
    m_idTopLeftCell = CGridCellId();
    if (!m_bAllowDraw || !GetSafeHwnd())
        return;
    CRect rect;
    GetClientRect(&rect);
    if (rect.left == rect.right || rect.top == rect.bottom)
        return;
    if (IsVisibleVScroll())
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXBORDER);
    if (IsVisibleHScroll())
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL) + ::GetSystemMetrics(SM_CYBORDER);
    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();

    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        EnableScrollBars(SB_BOTH, FALSE);
        return;
    }
    const long nVirtualWidth = GetVirtualWidth() - GetFixedColumnWidth();
    const long nVirtualHeight = GetVirtualHeight() - GetFixedRowHeight();
    const CRect visible(rect);
    bool bNeedV = nVirtualHeight > visible.Height();
    bool bNeedH = nVirtualWidth > visible.Width();
    // Each bar takes room from the other direction.
    if (bNeedV && !bNeedH)
        bNeedH = nVirtualWidth > visible.Width() - ::GetSystemMetrics(SM_CXVSCROLL);
    if (bNeedH && !bNeedV)
        bNeedV = nVirtualHeight > visible.Height() - ::GetSystemMetrics(SM_CYHSCROLL);
    if (bNeedV)
        rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (bNeedH)
        rect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);

    m_nVScrollMax = bNeedV ? int(nVirtualHeight - 1) : 0;
    m_nHScrollMax = bNeedH ? int(nVirtualWidth - 1) : 0;
    EnableScrollBars(SB_VERT, bNeedV);
    EnableScrollBars(SB_HORZ, bNeedH);

    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_PAGE | SIF_RANGE;
    si.nPage = bNeedH ? UINT(std::max(0, rect.Width())) : 0;
    si.nMin = 0;
    si.nMax = m_nHScrollMax;
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nPage = bNeedV ? UINT(std::max(0, rect.Height())) : 0;
    si.nMax = m_nVScrollMax;
    SetScrollInfo(SB_VERT, &si, TRUE);
    m_idTopLeftCell = CGridCellId();
}

// Painting -----------------------------------------------------------------------------------

BOOL CGridCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemDC memDC(&dc);
        DrawGrid(&memDC);
    } else {
        DrawGrid(&dc);
    }
}

LRESULT CGridCtrl::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    // Window captures (PrintWindow) draw the grid into the caller's context.
    if (CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam)))
        DrawGrid(pDC);
    return 0;
}

void CGridCtrl::UpdateTimelineStates(int nFirstRow, int nLastRow)
{
    if (!m_pDocument || m_bVirtualMode)
        return;
    std::vector<const CFlashEditorFrame*> spans;
    for (int row = nFirstRow; row <= nLastRow; ++row) {
        CFlashEditorLayer* pLayer = m_pDocument->GetLayer(row);
        if (!pLayer || row >= m_nRows)
            continue;
        if (CGridCellBase* pNameCell = GetCell(row, 0)) {
            pNameCell->SetLayerVisible(pLayer->IsVisible());
            pNameCell->SetLayerLocked(pLayer->IsLocked());
        }
        for (int col = 1; col < m_nCols; ++col)
            m_RowData[row][col]->SetTimelineFlags(0);

        // One walk over the layer's spans in frame order instead of a span search per column.
        spans.assign(pLayer->GetSpans().begin(), pLayer->GetSpans().end());
        std::sort(spans.begin(), spans.end(), [](const CFlashEditorFrame* a, const CFlashEditorFrame* b) {
            return a->GetStartFrame() < b->GetStartFrame();
        });
        int col = 1;
        for (std::size_t i = 0; i < spans.size() && col < m_nCols; ++i) {
            const CFlashEditorFrame* span = spans[i];
            const int first = span->GetStartFrame();
            const int last = span->GetEndFrame();
            if (last < col)
                continue;
            for (; col < first && col < m_nCols; ++col)
                m_RowData[row][col]->SetHasSpan(false);
            const CFlashEditorFrame* next =
                i + 1 < spans.size() && spans[i + 1]->GetStartFrame() == last + 1 ? spans[i + 1] : nullptr;
            if (next && span->IsMotionTween() && next->IsMotionTween() && next->GetStartFrame() < m_nCols) {
                CGridCellBase* pJoin = m_RowData[row][next->GetStartFrame()];
                pJoin->SetTimelineFlags(pJoin->GetTimelineFlags() | TLF_TWEENJOIN);
            }
            UINT spanFlags = 0;
            if (span->IsMotionTween())
                spanFlags |= TLF_TWEEN;
            else if (!span->IsEmpty())
                spanFlags |= TLF_CONTENT;
            if (!pLayer->IsTweenValid(span))
                spanFlags |= TLF_TWEENBROKEN;
            for (; col <= last && col < m_nCols; ++col) {
                CGridCellBase* pCell = m_RowData[row][col];
                pCell->SetHasSpan(true);
                UINT flags = pCell->GetTimelineFlags() | spanFlags;
                if (col == first)
                    flags |= TLF_SPANSTART | (span->IsMotionTween() ? TLF_TWEENSTART : 0);
                else if (col == last)
                    flags |= TLF_SPANEND;
                pCell->SetTimelineFlags(flags);
            }
        }
        for (; col < m_nCols; ++col)
            m_RowData[row][col]->SetHasSpan(false);
    }
}

bool CGridCtrl::IsLastFrameOfSpan(int nRow, int nCol) const
{
    const CGridCellBase* pNext = GetCell(nRow, nCol + 1);
    if (pNext)
        return !pNext->HasSpan() || (pNext->GetTimelineFlags() & TLF_SPANSTART) != 0;
    // The grid's last column: only the layer knows whether the span goes on.
    const CFlashEditorLayer* pLayer = m_pDocument ? m_pDocument->GetLayer(nRow) : nullptr;
    const CFlashEditorFrame* span = pLayer ? pLayer->FindSpan(nCol) : nullptr;
    return span && span->GetEndFrame() == nCol;
}

void CGridCtrl::DrawTimelineOverlay(CDC* pDC, const CGridCellRange& visible, int nFixedWidth, int nFixedHeight)
{
    if (!m_pDocument || m_bVirtualMode)
        return;
    CPen gridPen(PS_SOLID, 0, m_crGridLineColour);
    CPen edgePen(PS_SOLID, 1, SPAN_EDGE_COLOUR);
    CPen* pOldPen = pDC->SelectObject(&gridPen);
    int y = nFixedHeight;
    for (int row = visible.GetMinRow(); row <= visible.GetMaxRow(); ++row) {
        const int h = GetRowHeight(row);
        y += h;
        if (h <= 0 || !m_pDocument->GetLayer(row))
            continue;
        int x = nFixedWidth;
        for (int col = visible.GetMinCol(); col <= visible.GetMaxCol(); ++col) {
            const int w = GetColumnWidth(col);
            x += w;
            if (w <= 0)
                continue;
            const CGridCellBase* pCell = GetCell(row, col);
            if (!pCell || !pCell->HasSpan()) {
                pDC->SelectObject(&gridPen);
                pDC->MoveTo(x - 1, y - h);
                pDC->LineTo(x - 1, y);
                continue;
            }
            pDC->SelectObject(&gridPen);
            pDC->MoveTo(x - 1, y - h);
            pDC->LineTo(x - 1, y - h + SPAN_TICK);
            pDC->MoveTo(x - 1, y - 3);
            pDC->LineTo(x - 1, y - 1);
            pDC->SelectObject(&edgePen);
            pDC->MoveTo(x - 1, y - 1);
            pDC->LineTo(x - w - 1, y - 1);
            const UINT flags = pCell->GetTimelineFlags();
            if (flags & TLF_SPANSTART) {
                pDC->MoveTo(x - w - 1, y - 1);
                pDC->LineTo(x - w - 1, y - h - 1);
            }
            if (IsLastFrameOfSpan(row, col)) {
                pDC->MoveTo(x - 1, y - 1);
                pDC->LineTo(x - 1, y - h - 1);
            }
        }
    }
    pDC->SelectObject(pOldPen);
}

void CGridCtrl::DrawGrid(CDC* pDC)
{
    if (!m_bAllowDraw || !pDC)
        return;
    CRect clipRect;
    if (pDC->GetClipBox(&clipRect) == ERROR)
        return;

    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();
    const CGridCellId idTopLeft = GetTopLeftNonFixedCell();
    CRect visRect;
    const CGridCellRange visible = GetVisibleScrollableRange(&visRect);
    const int minVisibleRow = idTopLeft.row;
    const int minVisibleCol = idTopLeft.col;
    const int maxVisibleRow = visible.GetMaxRow();
    const int maxVisibleCol = visible.GetMaxCol();

    CRect rect;
    GetClientRect(&rect);
    // Background: the corner, the fixed columns and rows, the cells and what lies beyond them.
    pDC->FillSolidRect(0, 0, nFixedColWidth, nFixedRowHeight, m_cellFixedRowColDef.GetBackColor());
    pDC->FillSolidRect(0, nFixedRowHeight, nFixedColWidth, visRect.bottom - nFixedRowHeight,
                       m_cellFixedColDef.GetBackColor());
    pDC->FillSolidRect(nFixedColWidth, 0, visRect.right - nFixedColWidth, nFixedRowHeight,
                       m_cellFixedRowDef.GetBackColor());
    CRect cells(nFixedColWidth, nFixedRowHeight, visRect.right, visRect.bottom);
    cells.IntersectRect(&cells, &clipRect);
    if (!cells.IsRectEmpty())
        pDC->FillSolidRect(&cells, m_cellDefault.GetBackColor());
    if (visRect.right < rect.right)
        pDC->FillSolidRect(visRect.right, 0, rect.right - visRect.right, rect.bottom, m_crGridBkColour);
    if (visRect.bottom < rect.bottom)
        pDC->FillSolidRect(0, visRect.bottom, visRect.right, rect.bottom - visRect.bottom, m_crGridBkColour);

    if (m_bVirtualMode)
        SendCacheHintToParent(visible);

    UpdateTimelineStates(minVisibleRow, maxVisibleRow);

    auto drawCell = [&](int row, int col, const CRect& cellRect) {
        if (cellRect.right < clipRect.left || cellRect.left > clipRect.right || cellRect.bottom < clipRect.top ||
            cellRect.top > clipRect.bottom)
            return;
        if (CGridCellBase* pCell = GetCell(row, col)) {
            pCell->SetPosition(row, col);
            pCell->Draw(pDC, row, col, cellRect, FALSE);
        }
    };

    // A block of cells from its top-left corner; a cell past the clip's right or bottom edge ends
    // its row or the block, since sizes only grow the offsets.
    auto drawBlock = [&](int firstRow, int lastRow, int top, int firstCol, int lastCol, int left) {
        CRect cellRect;
        cellRect.top = top;
        for (int row = firstRow; row <= lastRow && cellRect.top <= clipRect.bottom; ++row) {
            const int h = GetRowHeight(row);
            cellRect.bottom = cellRect.top + h - 1;
            cellRect.left = left;
            for (int col = firstCol; col <= lastCol && cellRect.left <= clipRect.right; ++col) {
                const int w = GetColumnWidth(col);
                cellRect.right = cellRect.left + w - 1;
                if (w > 0 && h > 0)
                    drawCell(row, col, cellRect);
                cellRect.left = cellRect.right + 1;
            }
            cellRect.top = cellRect.bottom + 1;
        }
    };
    // Fixed corner, fixed columns of the visible rows, fixed rows over the visible columns,
    // then the visible non-fixed cells.
    drawBlock(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0);
    drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, 0, m_nFixedCols - 1, 0);
    drawBlock(0, m_nFixedRows - 1, 0, minVisibleCol, maxVisibleCol, nFixedColWidth);
    drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, minVisibleCol, maxVisibleCol, nFixedColWidth);

    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    CPen* pOldPen = pDC->SelectObject(&pen);
    if (m_nGridLines == GRID_LINES_HORZ || m_nGridLines == GRID_LINES_BOTH) {
        int y = nFixedRowHeight;
        for (int row = minVisibleRow; row <= maxVisibleRow; ++row) {
            const int h = GetRowHeight(row);
            if (h <= 0)
                continue;
            y += h;
            pDC->MoveTo(nFixedColWidth, y - 1);
            pDC->LineTo(visRect.right, y - 1);
        }
    }
    pDC->SelectObject(pOldPen);

    DrawTimelineOverlay(pDC, visible, nFixedColWidth, nFixedRowHeight);
    pDC->SelectStockObject(NULL_PEN);

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(-1, -1, -1, -1));
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol)
{
    if (!m_bAllowDraw || !GetSafeHwnd() || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    // The next paint draws the cell as a whole paint does: the grid lines along its edges, the
    // span marks over it, and nothing left of a focus frame or a fill drawn a pixel wider.
    rect.InflateRect(1, 1, 2, 2);
    // A frame number is wider than its column and runs into the columns after it.
    if (nRow < m_nFixedRows) {
        CRect client;
        GetClientRect(&client);
        rect.right = std::max(rect.right, client.right);
    }
    InvalidateRect(&rect, FALSE);
    return TRUE;
}
