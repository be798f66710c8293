// CGridCtrl: mouse, keyboard, wheel, auto-scroll and scroll bars.
#include "timeline/GridCtrl.h"

#include "platform/mfc/DC.h"

#include <algorithm>

namespace
{
constexpr int WHEEL_NOTCH = WHEEL_DELTA;

CPoint RelativeTo(CPoint point, const CRect& rect)
{
    return CPoint(point.x - rect.left, point.y - rect.top);
}

bool KeyDown(int vk)
{
    return (::GetKeyState(vk) & 0x8000) != 0;
}
}  // namespace

// Mouse --------------------------------------------------------------------------------------

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point)
{
    if (point.y >= GetFixedRowHeight() && m_nFixedRows > 0)
        return FALSE;
    const CGridCellId idCurrentCell = CellAtPoint(point);
    CPoint start;
    if (!GetCellOrigin(idCurrentCell.row, idCurrentCell.col, &start))
        return FALSE;
    const int endx = start.x + GetColumnWidth(idCurrentCell.col);
    return (point.x - start.x < m_nResizeCaptureRange && idCurrentCell.col != 0) ||
           endx - point.x < m_nResizeCaptureRange;
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point)
{
    if (point.x >= GetFixedColumnWidth() && m_nFixedCols > 0)
        return FALSE;
    const CGridCellId idCurrentCell = CellAtPoint(point);
    CPoint start;
    if (!GetCellOrigin(idCurrentCell.row, idCurrentCell.col, &start))
        return FALSE;
    const int endy = start.y + GetRowHeight(idCurrentCell.row);
    return (point.y - start.y < m_nResizeCaptureRange && idCurrentCell.row != 0) ||
           endy - point.y < m_nResizeCaptureRange;
}

void CGridCtrl::InvertTrackingLine(CPoint point)
{
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    CRect rect;
    GetClientRect(&rect);
    if (m_MouseMode == MOUSE_SIZING_COL)
        rect = CRect(point.x, rect.top, point.x + 2, rect.bottom);
    else
        rect = CRect(rect.left, point.y, rect.right, point.y + 2);
    pDC->InvertRect(&rect);
    ReleaseDC(pDC);
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    m_LeftClickDownPoint = point;
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownCell = CellAtPoint(point);
    if (!IsValid(m_LeftClickDownCell))
        return;

    if (nFlags & MK_SHIFT) {
        if (!IsValid(m_SelectionStartCell))
            m_SelectionStartCell = m_idCurrentCell;
    } else {
        m_SelectionStartCell = m_LeftClickDownCell;
    }

    EndCurrentEdit();
    CGridCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
    CRect cellRect;
    if (pCell && GetCellRect(m_LeftClickDownCell, &cellRect))
        pCell->OnPress(RelativeTo(point, cellRect));

    if (m_LeftClickDownCell == m_idCurrentCell && !(nFlags & MK_CONTROL) && pCell &&
        IsCellEditable(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        CRect textRect(cellRect);
        if (pCell->GetTextRect(&textRect) && textRect.PtInRect(point)) {
            m_MouseMode = MOUSE_PREPARE_EDIT;
            return;
        }
    }

    if (IsCellSelected(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        SetCurrentCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
        if (nFlags & MK_CONTROL) {
            SetFocusCell(m_LeftClickDownCell);
            if (m_bListMode)
                SelectRows(m_LeftClickDownCell, TRUE, FALSE);
            else
                SelectCells(m_LeftClickDownCell, TRUE, FALSE);
            return;
        }
        if (m_bAllowDragAndDrop)
            m_MouseMode = MOUSE_PREPARE_DRAG;
    } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (m_LeftClickDownCell.row < m_nFixedRows || m_LeftClickDownCell.col < m_nFixedCols)
            OnLayerCellClick(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point.x, point.y);
        else
            SetCurrentCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
    }

    SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENS)));
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    }

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        const bool bCol = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
        m_MouseMode = bCol ? MOUSE_SIZING_COL : MOUSE_SIZING_ROW;
        CPoint start;
        GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &start);
        int index = bCol ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
        // The divider belongs to the cell left of (above) it when pressed on a cell's left edge.
        if (bCol ? point.x - start.x < m_nResizeCaptureRange : point.y - start.y < m_nResizeCaptureRange) {
            --index;
            const bool bUnhide = bCol ? m_bHiddenColUnhide : m_bHiddenRowUnhide;
            while (index > 0 && !bUnhide && (bCol ? GetColumnWidth(index) : GetRowHeight(index)) == 0)
                --index;
        }
        m_nResizingIndex = std::max(0, index);
        CRect clientRect;
        GetClientRect(&clientRect);
        CPoint origin;
        if (GetCellOrigin(bCol ? 0 : m_nResizingIndex, bCol ? m_nResizingIndex : 0, &origin)) {
            if (bCol)
                clientRect.left = origin.x + 1;
            else
                clientRect.top = origin.y + 1;
        }
        ClientToScreen(&clientRect);
        ::ClipCursor(&clientRect);
        m_ptTrackLast = point;
        InvertTrackingLine(point);
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGING);
        m_PrevSelectedCellMap.clear();
        if (nFlags & MK_CONTROL)
            m_PrevSelectedCellMap = m_SelectedCellMap;
        if (m_LeftClickDownCell.row < m_nFixedRows) {
            OnHeaderRowClick(m_LeftClickDownCell);
        } else if (m_LeftClickDownCell.col < m_nFixedCols) {
            OnHeaderColumnClick(m_LeftClickDownCell);
        } else {
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            ExtendSelection(m_LeftClickDownCell);
            m_nTimerID = SetTimer(GRID_AUTOSCROLL_TIMER, UINT(m_nTimerInterval));
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rect;
    GetClientRect(&rect);
    if (!rect.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING && !m_bLMouseButtonDown)
        return;

    if (!m_bLMouseButtonDown || !IsValid(m_LeftClickDownCell)) {
        if (m_MouseMode == MOUSE_NOTHING || m_MouseMode == MOUSE_OVER_COL_DIVIDE ||
            m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
            if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
                m_MouseMode = MOUSE_OVER_COL_DIVIDE;
                ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
            } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
                m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
                ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENS)));
            } else if (m_MouseMode != MOUSE_NOTHING) {
                ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
                m_MouseMode = MOUSE_NOTHING;
            }
        }
        if (m_MouseMode == MOUSE_NOTHING && (!m_bVirtualMode || m_bTitleTips)) {
            const CGridCellId idCurrentCell = CellAtPoint(point);
            CGridCellBase* pCell = IsValid(idCurrentCell) ? GetCell(idCurrentCell.row, idCurrentCell.col) : nullptr;
            if (pCell) {
                pCell->OnMouseOver();
                CRect textRect, cellRect;
                if (m_bTitleTips && !m_bRMouseButtonDown && pCell->GetTipText() && *pCell->GetTipText() &&
                    !pCell->IsEditing() && GetCellRect(idCurrentCell, &textRect) && pCell->GetTipRect(&textRect) &&
                    GetCellRect(idCurrentCell, &cellRect)) {
                    m_TitleTip.SetParentWnd(this);
                    m_TitleTip.Show(textRect, pCell->GetTipText(), 0, &cellRect, pCell->GetFont(), m_crTTipTextClr,
                                    m_crTTipBackClr);
                }
            }
        }
        m_LastMousePoint = point;
        return;
    }

    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
        const CGridCellId idCurrentCell = CellAtPoint(point);
        if (IsValid(idCurrentCell) && idCurrentCell != m_idCurrentCell) {
            ExtendSelection(idCurrentCell);
            SetFocusCell(std::max(idCurrentCell.row, m_nFixedRows), std::max(idCurrentCell.col, m_nFixedCols));
        }
        break;
    }
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW:
        InvertTrackingLine(m_ptTrackLast);
        InvertTrackingLine(point);
        m_ptTrackLast = point;
        break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        m_MouseMode = MOUSE_PREPARE_DRAG;
        BeginTextDrag();
        break;
    default:
        break;
    }
    (void)nFlags;
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    m_bLMouseButtonDown = FALSE;
    ::ClipCursor(nullptr);
    if (GetCapture() == this)
        ReleaseCapture();
    if (m_nTimerID) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    CPoint pointClickedRel = point;
    CRect cellRect;
    if (GetCellRect(m_idCurrentCell, &cellRect))
        pointClickedRel -= cellRect.TopLeft();

    switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
        BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, pointClickedRel, VK_LBUTTON);
        break;
    case MOUSE_PREPARE_DRAG: {
        // Released without dragging: the click drops the selection.
        if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(pointClickedRel);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGING);
        ClearSelection();
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGED);
        break;
    }
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
        const bool bCol = m_MouseMode == MOUSE_SIZING_COL;
        InvertTrackingLine(m_ptTrackLast);
        CPoint start;
        if (m_LeftClickDownPoint != point && (point.x != 0 || point.y != 0) &&
            GetCellOrigin(bCol ? 0 : m_nResizingIndex, bCol ? m_nResizingIndex : 0, &start)) {
            int size = bCol ? point.x - start.x : point.y - start.y;
            const bool bAllowZero = bCol ? m_bAllowColHide : m_bAllowRowHide;
            if (!bAllowZero)
                size = std::max(size, 1);
            size = std::max(size, 0);
            if (bCol)
                SetColumnWidth(m_nResizingIndex, size);
            else
                SetRowHeight(m_nResizingIndex, size);
            ResetScrollBars();
            Invalidate();
        }
        break;
    }
    default: {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGED);
        if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(pointClickedRel);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        break;
    }
    }
    m_MouseMode = MOUSE_NOTHING;
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    if (!IsValid(m_LeftClickDownCell))
        return;
    CWnd* pOwner = GetNotifyTarget();
    if (pOwner && pOwner->GetSafeHwnd())
        pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDblClk(nFlags, point);
    const CGridCellId cell = CellAtPoint(point);
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        const bool bCol = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
        CPoint start;
        if (!GetCellOrigin(cell.row, cell.col, &start))
            return;
        int index = bCol ? cell.col : cell.row;
        if (bCol ? point.x - start.x < m_nResizeCaptureRange : point.y - start.y < m_nResizeCaptureRange) {
            --index;
            while (index > 0 && (bCol ? GetColumnWidth(index) : GetRowHeight(index)) == 0)
                --index;
        }
        if (index >= 0) {
            if (bCol)
                AutoSizeColumn(index, m_nAutoSizeColumnStyle);
            else
                AutoSizeRow(index);
            Invalidate();
        }
        return;
    }
    if (m_MouseMode != MOUSE_NOTHING || !IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols)
        return;
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    CRect cellRect;
    if (!pCell || !GetCellRect(cell, &cellRect))
        return;
    CRect textRect(cellRect);
    if (cell == m_LeftClickDownCell && pCell->GetTextRect(&textRect) && textRect.PtInRect(point))
        BeginCellEdit(cell.row, cell.col, RelativeTo(point, cellRect), VK_LBUTTON);
    pCell->OnDoubleClick(RelativeTo(point, cellRect));
    SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
}

void CGridCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_bRMouseButtonDown = TRUE;
    CWnd::OnRButtonDown(nFlags, point);
}

void CGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    // The default processing raises WM_CONTEXTMENU, which the view answers from the focus and
    // selection as they stand before this click.
    CWnd::OnRButtonUp(nFlags, point);
    m_bRMouseButtonDown = FALSE;
    EndCurrentEdit();
    const CGridCellId cell = CellAtPoint(point);
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    const int row = std::max(cell.row, m_nFixedRows);
    const int col = std::max(cell.col, m_nFixedCols);
    SetCurrentCell(row, col);
    CRect cellRect;
    if (CGridCellBase* pCell = GetCell(row, col))
        if (GetCellRect(row, col, &cellRect))
            pCell->OnRightClick(RelativeTo(point, cellRect));
    SendMessageToParent(row, col, NM_RCLICK);
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    switch (m_MouseMode) {
    case MOUSE_OVER_COL_DIVIDE:
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
        return TRUE;
    case MOUSE_OVER_ROW_DIVIDE:
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENS)));
        return TRUE;
    case MOUSE_DRAGGING:
        return TRUE;
    default: {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const CGridCellId cell = CellAtPoint(pt);
        if (CGridCellBase* pCell = IsValid(cell) ? GetCell(cell.row, cell.col) : nullptr)
            return pCell->OnSetCursor();
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        return TRUE;
    }
    }
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd && pWnd->GetSafeHwnd() == m_hWnd)
        return;
    if (m_nTimerID) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    if (m_MouseMode == MOUSE_DRAGGING)
        m_MouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != GRID_AUTOSCROLL_TIMER || !m_bLMouseButtonDown)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    CRect rect;
    GetClientRect(&rect);
    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();
    const CPoint clamped(std::clamp<int>(pt.x, nFixedColWidth, std::max(nFixedColWidth, int(rect.right) - 1)),
                         std::clamp<int>(pt.y, nFixedRowHeight, std::max(nFixedRowHeight, int(rect.bottom) - 1)));
    if (pt.y > rect.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        const CGridCellRange visible = GetVisibleScrollableRange();
        ExtendSelection(CGridCellId(visible.GetMaxRow(), CellAtPoint(clamped).col));
    } else if (pt.y < nFixedRowHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        ExtendSelection(CGridCellId(GetTopLeftNonFixedCell().row, CellAtPoint(clamped).col));
    } else if (pt.x > rect.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        const CGridCellRange visible = GetVisibleScrollableRange();
        ExtendSelection(CGridCellId(CellAtPoint(clamped).row, visible.GetMaxCol()));
    } else if (pt.x < nFixedColWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        ExtendSelection(CGridCellId(CellAtPoint(clamped).row, GetTopLeftNonFixedCell().col));
    }
}

// Keyboard -----------------------------------------------------------------------------------

UINT CGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !KeyDown(VK_CONTROL))
        nCode |= DLGC_WANTTAB;
    return nCode;
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!KeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE &&
        !(m_bHandleTabKey && nChar == VK_TAB)) {
        if (IsValid(m_idCurrentCell))
            BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
        return;
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM wCharCode, LPARAM lParam)
{
    if (!KeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && wCharCode != VK_ESCAPE) {
        if (IsValid(m_idCurrentCell))
            BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), UINT(wCharCode));
        return 0;
    }
    return DefWindowProc(WM_IME_CHAR, wCharCode, lParam);
}

int CGridCtrl::RowsInPage(int nFirstRow, int nHeight) const
{
    int rows = 0;
    for (int row = nFirstRow; row < m_nRows && nHeight > 0; ++row, ++rows)
        nHeight -= GetRowHeight(row);
    return std::max(rows, 1);
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValid(m_idCurrentCell)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const BOOL bShift = KeyDown(VK_SHIFT);
    const BOOL bCtrl = KeyDown(VK_CONTROL);
    if (bCtrl) {
        switch (nChar) {
        case 'A':
            OnEditSelectAll();
            return;
        case 'C':
        case VK_INSERT:
            OnEditCopy();
            return;
        case 'X':
            OnEditCut();
            return;
        case 'V':
            OnEditPaste();
            return;
        default:
            break;
        }
    }
    if (bShift && nChar == VK_INSERT) {
        OnEditPaste();
        return;
    }
    HandleKey(nChar, bShift, bCtrl);
    (void)nRepCnt;
    (void)nFlags;
}

void CGridCtrl::HandleKey(UINT nChar, BOOL bShift, BOOL bCtrl)
{
    CGridCellId next = m_idCurrentCell;
    bool bChangeLine = false;
    bool bHorzScrollAction = false;
    bool bVertScrollAction = false;
    int nScrollBarMoved = 0;

    auto nonZeroRowFrom = [&](int row, int step) {
        for (int r = row + step; r >= m_nFixedRows && r < m_nRows; r += step)
            if (GetRowHeight(r) > 0)
                return r;
        return row;
    };
    auto nonZeroColFrom = [&](int col, int step) {
        for (int c = col + step; c >= m_nFixedCols && c < m_nCols; c += step)
            if (GetColumnWidth(c) > 0)
                return c;
        return col;
    };

    switch (nChar) {
    case VK_DELETE:
        if (IsCellEditable(m_idCurrentCell.row, m_idCurrentCell.col))
            ClearSelectedTexts();
        return;
    case VK_DOWN:
        next.row = nonZeroRowFrom(next.row, 1);
        bVertScrollAction = true;
        break;
    case VK_UP:
        next.row = nonZeroRowFrom(next.row, -1);
        bVertScrollAction = true;
        break;
    case VK_RIGHT:
        next.col = nonZeroColFrom(next.col, 1);
        bHorzScrollAction = true;
        break;
    case VK_LEFT:
        next.col = nonZeroColFrom(next.col, -1);
        bHorzScrollAction = true;
        break;
    case VK_TAB:
        if (!bShift) {
            const int col = nonZeroColFrom(next.col, 1);
            if (col != next.col) {
                next.col = col;
            } else if (nonZeroRowFrom(next.row, 1) != next.row) {
                next.row = nonZeroRowFrom(next.row, 1);
                next.col = m_nFixedCols;
                bChangeLine = true;
            } else {
                CWnd::OnKeyDown(nChar, 0, 0);
                return;
            }
        } else {
            const int col = nonZeroColFrom(next.col, -1);
            if (col != next.col) {
                next.col = col;
            } else if (nonZeroRowFrom(next.row, -1) != next.row) {
                next.row = nonZeroRowFrom(next.row, -1);
                next.col = m_nCols - 1;
                bChangeLine = true;
            } else {
                CWnd::OnKeyDown(nChar, 0, 0);
                return;
            }
        }
        bHorzScrollAction = true;
        break;
    case VK_NEXT:
    case VK_PRIOR: {
        const CGridCellId oldTopLeft = GetTopLeftNonFixedCell();
        SendMessage(WM_VSCROLL, nChar == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP, 0);
        bVertScrollAction = true;
        const CGridCellId newTopLeft = GetTopLeftNonFixedCell(TRUE);
        const int increment = newTopLeft.row - oldTopLeft.row;
        if (increment != 0)
            next.row = std::clamp(next.row + increment, m_nFixedRows, m_nRows - 1);
        else
            next.row = nChar == VK_NEXT ? m_nRows - 1 : m_nFixedRows;
        nScrollBarMoved = increment != 0 ? SB_VERT_BIT : 0;
        break;
    }
    case VK_HOME:
        if (bCtrl) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
            next.row = m_nFixedRows;
            nScrollBarMoved = SB_VERT_BIT | SB_HORZ_BIT;
        } else {
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
            nScrollBarMoved = SB_HORZ_BIT;
        }
        next.col = m_nFixedCols;
        while (next.col < m_nCols - 1 && GetColumnWidth(next.col) == 0)
            ++next.col;
        break;
    case VK_END:
        if (bCtrl) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
            next.row = m_nRows - 1;
            nScrollBarMoved = SB_VERT_BIT | SB_HORZ_BIT;
        } else {
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
            nScrollBarMoved = SB_HORZ_BIT;
        }
        next.col = m_nCols - 1;
        while (next.col > m_nFixedCols && GetColumnWidth(next.col) == 0)
            --next.col;
        break;
    case VK_F2:
        BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
        return;
    default:
        CWnd::OnKeyDown(nChar, 0, 0);
        return;
    }

    if (next != m_idCurrentCell) {
        if (m_MouseMode == MOUSE_NOTHING) {
            m_PrevSelectedCellMap.clear();
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            if (!bShift || nChar == VK_TAB)
                m_SelectionStartCell = next;
            SendMessageToParent(next.row, next.col, GRIDN_SELCHANGING);
            ExtendSelection(next);
            SendMessageToParent(next.row, next.col, GRIDN_SELCHANGED);
            m_MouseMode = MOUSE_NOTHING;
        }
        SetFocusCell(next);
        if (!IsCellVisible(next)) {
            if (bChangeLine || bVertScrollAction)
                SendMessage(WM_VSCROLL, next.row > m_idCurrentCell.row || nChar == VK_DOWN ? SB_LINEDOWN : SB_LINEUP, 0);
            if (bHorzScrollAction && !bChangeLine)
                SendMessage(WM_HSCROLL, nChar == VK_RIGHT || (nChar == VK_TAB && !bShift) ? SB_LINERIGHT : SB_LINELEFT, 0);
            EnsureVisible(next);
            Invalidate();
        }
        EnsureVisible(next);
    }
    if (nScrollBarMoved & SB_VERT_BIT)
        SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
    if (nScrollBarMoved & SB_HORZ_BIT)
        SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
}

// Wheel and scroll bars ----------------------------------------------------------------------

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    // Fine-grained wheels send less than a notch at a time: what is not yet a whole row (or
    // page) waits for the next message.
    if (m_nRowsPerWheelNotch == -1) {
        m_nWheelRemainder += zDelta;
        const int pages = m_nWheelRemainder / WHEEL_NOTCH;
        m_nWheelRemainder -= pages * WHEEL_NOTCH;
        for (int i = 0; i < std::abs(pages); ++i)
            PostMessage(WM_VSCROLL, pages > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    } else {
        m_nWheelRemainder += zDelta * m_nRowsPerWheelNotch;
        const int rows = m_nWheelRemainder / WHEEL_NOTCH;
        m_nWheelRemainder -= rows * WHEEL_NOTCH;
        for (int i = 0; i < std::abs(rows); ++i)
            PostMessage(WM_VSCROLL, rows > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    ScrollLines(SB_HORZ, nSBCode);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    ScrollLines(SB_VERT, nSBCode);
}

void CGridCtrl::ScrollLines(int nBar, UINT nSBCode)
{
    EndCurrentEdit();
    m_TitleTip.Hide();
    const bool bHorz = nBar == SB_HORZ;
    const int scrollPos = GetScrollPos32(nBar);
    const CGridCellId idTopLeft = GetTopLeftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);
    // What repaints: the area right of the fixed columns, or below the fixed rows.
    CRect area(rect);
    if (bHorz)
        area.left = GetFixedColumnWidth();
    else
        area.top = GetFixedRowHeight();
    const int nMax = bHorz ? m_nHScrollMax : m_nVScrollMax;
    const int page = bHorz ? rect.Width() - GetFixedColumnWidth() : rect.Height() - GetFixedRowHeight();
    auto sizeOf = [&](int index) { return bHorz ? GetColumnWidth(index) : GetRowHeight(index); };
    const int first = bHorz ? idTopLeft.col : idTopLeft.row;
    const int fixedCount = bHorz ? m_nFixedCols : m_nFixedRows;
    const int count = bHorz ? m_nCols : m_nRows;

    int newPos = scrollPos;
    switch (nSBCode) {
    case SB_LINEDOWN: {
        if (scrollPos >= nMax)
            return;
        int index = first;
        while (index < count && sizeOf(index) == 0)
            ++index;
        const int offset = index < count ? sizeOf(index) : 0;
        newPos = std::min(scrollPos + offset, nMax);
        break;
    }
    case SB_LINEUP: {
        if (scrollPos <= 0 || first <= fixedCount)
            return;
        int index = first - 1;
        while (index > fixedCount && sizeOf(index) == 0)
            --index;
        newPos = std::max(0, scrollPos - sizeOf(index));
        break;
    }
    case SB_PAGEDOWN:
        newPos = std::min(nMax, scrollPos + std::max(page, 1));
        break;
    case SB_PAGEUP:
        newPos = std::max(0, scrollPos - std::max(page, 1));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        newPos = GetScrollPos32(nBar, TRUE);
        break;
    case SB_TOP:
        newPos = 0;
        break;
    case SB_BOTTOM:
        newPos = nMax;
        break;
    default:
        return;
    }
    if (newPos == scrollPos)
        return;
    SetScrollPos32(nBar, newPos);
    const CGridCellId newTopLeft = GetTopLeftNonFixedCell(TRUE);
    if (newTopLeft != idTopLeft || nSBCode == SB_LINEDOWN || nSBCode == SB_LINEUP)
        InvalidateRect(&area, FALSE);
}
