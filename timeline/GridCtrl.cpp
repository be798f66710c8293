#include "timeline/GridCtrl.h"

#include "model/FlashEditorDoc.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/OleInit.h"
#include "platform/mfc/ResourceException.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <new>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

namespace
{
constexpr COLORREF GRID_LINE_COLOUR = 0xC0C0C0;
constexpr int DEFAULT_WHEEL_LINES = 3;
constexpr int MAX_WHEEL_LINES = 100;
constexpr char WHEEL_KEY[] = "Control Panel\\Desktop";
constexpr char WHEEL_VALUE[] = "WheelScrollLines";

// The Select All command of the edit menu.
constexpr UINT ID_EDIT_SELECT_ALL_CMD = 57642;

bool RegisterGridClass()
{
    WNDCLASSA wndcls{};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (::GetClassInfoA(hInst, GRIDCTRL_CLASSNAME, &wndcls))
        return true;
    wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = hInst;
    wndcls.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wndcls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wndcls.lpszClassName = GRIDCTRL_CLASSNAME;
    return AfxRegisterClass(&wndcls) != FALSE;
}

bool EnsureOleInitialised()
{
    // OleInitialize answers S_FALSE when this thread had done it already.
    const HRESULT hr = ::OleInitialize(nullptr);
    return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}
}  // namespace

int CGridCtrl::ParseWheelScrollLines(LPCSTR text)
{
    if (!text)
        return DEFAULT_WHEEL_LINES;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE)
        return DEFAULT_WHEEL_LINES;
    while (*end == ' ')
        ++end;
    if (*end != '\0')
        return DEFAULT_WHEEL_LINES;
    if (value == -1)
        return -1;
    if (value < 0 || value > MAX_WHEEL_LINES)
        return DEFAULT_WHEEL_LINES;
    return int(value);
}

int CGridCtrl::ReadWheelScrollLines()
{
    UINT nLines = 0;
    if (::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0)) {
        if (nLines == WHEEL_PAGESCROLL)
            return -1;
        return nLines <= UINT(MAX_WHEEL_LINES) ? int(nLines) : DEFAULT_WHEEL_LINES;
    }
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, WHEEL_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return DEFAULT_WHEEL_LINES;
    char text[32] = {};
    DWORD cb = sizeof text - 1;
    DWORD type = 0;
    const LONG result = ::RegQueryValueExA(hKey, WHEEL_VALUE, nullptr, &type, reinterpret_cast<BYTE*>(text), &cb);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return DEFAULT_WHEEL_LINES;
    text[std::min<DWORD>(cb, sizeof text - 1)] = '\0';
    return ParseWheelScrollLines(text);
}

CGridCtrl::CGridCtrl(CFlashEditorDoc* pDoc, int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_pDocument(pDoc), m_pRtcDefault(RUNTIME_CLASS(CGridCell))
{
    if (!RegisterGridClass())
        AfxThrowResourceException();
    if (!EnsureOleInitialised())
        AfxMessageBox("OLE initialization failed. Make sure that the OLE libraries are the correct version");

    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crGridLineColour = GRID_LINE_COLOUR;
    m_nRowsPerWheelNotch = ReadWheelScrollLines();

    m_cellDefault.SetGrid(this);
    m_cellFixedColDef.SetGrid(this);
    m_cellFixedRowDef.SetGrid(this);
    m_cellFixedRowColDef.SetGrid(this);
    m_cellDefault.SetTextColor(m_crWindowText);
    m_cellDefault.SetBackColor(m_crWindowColour);
    for (CGridDefaultCell* pCell : {&m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        pCell->SetTextColor(m_crWindowText);
        pCell->SetBackColor(m_cr3DFace);
    }
    m_crGridBkColour = m_crShadow;

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
}

void CGridCtrl::DeleteWhenIdle()
{
    if (m_nMessageDepth == 0)
        delete this;
    else
        m_bDeleteWhenIdle = true;
}

LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    ++m_nMessageDepth;
    LRESULT result = 0;
    try {
        result = CWnd::WindowProc(message, wParam, lParam);
    } catch (...) {
        // The caller reports the failure; the depth must still come down.
        --m_nMessageDepth;
        throw;
    }
    // The flag goes first: the destructor's own window messages come back through here.
    if (--m_nMessageDepth == 0 && m_bDeleteWhenIdle) {
        m_bDeleteWhenIdle = false;
        delete this;
    }
    return result;
}

CGridCtrl::~CGridCtrl()
{
    // The window goes first: its last messages still read the cells.
    if (GetSafeHwnd())
        DestroyWindow();
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    m_idCurrentCell = CGridCellId();
    for (int row = 0; row < int(m_RowData.size()); ++row)
        for (int col = 0; col < int(m_RowData[row].size()); ++col)
            DestroyCell(row, col);
    m_RowData.clear();
    m_nRows = m_nCols = m_nFixedRows = m_nFixedCols = 0;
    if (m_TitleTip.GetSafeHwnd())
        m_TitleTip.DestroyWindow();
    m_DropTarget.Revoke();
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(GRIDCTRL_CLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    try {
        m_arRowHeights.assign(std::size_t(m_nRows), m_cellDefault.GetHeight());
        m_arColWidths.assign(std::size_t(m_nCols), m_cellDefault.GetWidth());
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of memory.");
        DestroyWindow();
        return FALSE;
    }
    ResetScrollBars();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bInPreSubclass)
        return;
    m_bInPreSubclass = TRUE;
    m_TitleTip.SetParentWnd(this);
    if (GetSafeHwnd()) {
        ModifyStyleEx(0, WS_EX_CLIENTEDGE);
        // The new frame only takes effect once the window has been moved.
        CRect rect;
        GetWindowRect(&rect);
        CWnd* pParent = GetParent();
        if (pParent)
            pParent->ScreenToClient(&rect);
        rect.InflateRect(1, 1);
        MoveWindow(&rect);
        rect.DeflateRect(1, 1);
        MoveWindow(&rect);
    }
    m_bInPreSubclass = FALSE;
}

// Size ---------------------------------------------------------------------------------------

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == m_nRows)
        return TRUE;
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);
    const int nOldRows = m_nRows;
    try {
        if (!m_bVirtualMode)
            for (int row = nRows; row < nOldRows; ++row)
                for (int col = 0; col < m_nCols; ++col)
                    DestroyCell(row, col);
        m_arRowHeights.resize(std::size_t(nRows), m_cellDefault.GetHeight());
        if (!m_bVirtualMode) {
            m_RowData.resize(std::size_t(nRows));
            for (int row = nOldRows; row < nRows; ++row) {
                m_RowData[row].assign(std::size_t(m_nCols), nullptr);
                for (int col = 0; col < m_nCols; ++col)
                    m_RowData[row][col] = CreateCell(row, col);
            }
        }
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    m_nRows = nRows;
    m_idTopLeftCell = CGridCellId();
    if (GetSafeHwnd() && m_bAllowDraw) {
        ResetScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_nCols)
        return TRUE;
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);
    const int nOldCols = m_nCols;
    try {
        if (!m_bVirtualMode) {
            for (int row = 0; row < m_nRows; ++row) {
                for (int col = nCols; col < nOldCols; ++col)
                    DestroyCell(row, col);
                m_RowData[row].resize(std::size_t(nCols), nullptr);
                for (int col = nOldCols; col < nCols; ++col)
                    m_RowData[row][col] = CreateCell(row, col);
            }
        }
        m_arColWidths.resize(std::size_t(nCols), m_cellDefault.GetWidth());
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    m_nCols = nCols;
    m_idTopLeftCell = CGridCellId();
    if (GetSafeHwnd() && m_bAllowDraw) {
        ResetScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (m_nFixedRows == nFixedRows)
        return TRUE;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows))
        return FALSE;
    if (!m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row) {
            const bool bWasFixed = row < m_nFixedRows;
            const bool bFixed = row < nFixedRows;
            if (bWasFixed == bFixed)
                continue;
            for (int col = 0; col < m_nCols; ++col) {
                CGridCellBase* pCell = GetCell(row, col);
                if (!pCell)
                    continue;
                if (bFixed)
                    pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDROW);
                else if (col < m_nFixedCols)
                    pCell->SetState(pCell->GetState() & ~GCS_FIXEDROW);
                else
                    pCell->SetState(pCell->GetState() & ~(GCS_FIXED | GCS_FIXEDROW));
            }
        }
    }
    m_nFixedRows = nFixedRows;
    m_idTopLeftCell = CGridCellId();
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (m_nFixedCols == nFixedCols)
        return TRUE;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols))
        return FALSE;
    if (!m_bVirtualMode) {
        for (int col = 0; col < m_nCols; ++col) {
            const bool bWasFixed = col < m_nFixedCols;
            const bool bFixed = col < nFixedCols;
            if (bWasFixed == bFixed)
                continue;
            for (int row = 0; row < m_nRows; ++row) {
                CGridCellBase* pCell = GetCell(row, col);
                if (!pCell)
                    continue;
                if (bFixed)
                    pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDCOL);
                else if (row < m_nFixedRows)
                    pCell->SetState(pCell->GetState() & ~GCS_FIXEDCOL);
                else
                    pCell->SetState(pCell->GetState() & ~(GCS_FIXED | GCS_FIXEDCOL));
            }
        }
    }
    m_nFixedCols = nFixedCols;
    m_idTopLeftCell = CGridCellId();
    Refresh();
    return TRUE;
}

int CGridCtrl::InsertRow(LPCSTR strHeading, int nRow)
{
    if (nRow >= m_nRows)
        return -1;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (nRow < 0)
        nRow = m_nRows;
    try {
        m_arRowHeights.insert(m_arRowHeights.begin() + nRow, 0);
        if (!m_bVirtualMode) {
            m_RowData.insert(m_RowData.begin() + nRow, std::vector<CGridCellBase*>(std::size_t(m_nCols), nullptr));
            ++m_nRows;
            for (int col = 0; col < m_nCols; ++col)
                m_RowData[nRow][col] = CreateCell(nRow, col);
        } else {
            ++m_nRows;
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (m_nCols > 0)
        SetItemText(nRow, 0, strHeading);
    CGridCellBase* pCell = GetCell(nRow, 0);
    int nHeight = m_cellFixedRowDef.GetHeight();
    if (strHeading && *strHeading && pCell)
        nHeight = pCell->GetTextExtent(strHeading).cy;
    m_arRowHeights[nRow] = nHeight;
    m_idTopLeftCell = CGridCellId();
    if (GetSafeHwnd() && m_bAllowDraw)
        ResetScrollBars();
    return nRow;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (!m_bVirtualMode) {
        for (int col = 0; col < m_nCols; ++col)
            DestroyCell(nRow, col);
        m_RowData.erase(m_RowData.begin() + nRow);
    }
    m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;
    m_idTopLeftCell = CGridCellId();
    if (GetSafeHwnd() && m_bAllowDraw)
        ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetRowHeight(int nRow) const
{
    return nRow >= 0 && nRow < int(m_arRowHeights.size()) ? m_arRowHeights[nRow] : -1;
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    return nCol >= 0 && nCol < int(m_arColWidths.size()) ? m_arColWidths[nCol] : -1;
}

BOOL CGridCtrl::SetRowHeight(int nRow, int nHeight)
{
    if (nRow < 0 || nRow >= m_nRows || nHeight < 0)
        return FALSE;
    // Resetting the scroll bars costs a round of window-system calls: only for a real change.
    if (m_arRowHeights[nRow] == nHeight)
        return TRUE;
    m_arRowHeights[nRow] = nHeight;
    m_idTopLeftCell = CGridCellId();
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int nWidth)
{
    if (nCol < 0 || nCol >= m_nCols || nWidth < 0)
        return FALSE;
    if (m_arColWidths[nCol] == nWidth)
        return TRUE;
    m_arColWidths[nCol] = nWidth;
    m_idTopLeftCell = CGridCellId();
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int nHeight = 0;
    for (int row = 0; row < m_nFixedRows; ++row)
        nHeight += GetRowHeight(row);
    return nHeight;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int nWidth = 0;
    for (int col = 0; col < m_nFixedCols; ++col)
        nWidth += GetColumnWidth(col);
    return nWidth;
}

long CGridCtrl::GetVirtualWidth() const
{
    long total = 0;
    for (int col = 0; col < m_nCols; ++col)
        total += m_arColWidths[col];
    return total;
}

long CGridCtrl::GetVirtualHeight() const
{
    long total = 0;
    for (int row = 0; row < m_nRows; ++row)
        total += m_arRowHeights[row];
    return total;
}

// Cells --------------------------------------------------------------------------------------

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

BOOL CGridCtrl::IsValid(const CGridCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
           range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
           range.GetMinCol() <= range.GetMaxCol();
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return nullptr;
    if (!m_bVirtualMode)
        return m_RowData[nRow][nCol];

    // Virtual mode keeps no cells: one shared cell is filled for each request.
    static CGridCell s_cell;
    NM_GRIDDISPINFO dispinfo{};
    GRIDITEM& item = dispinfo.item;
    item.row = nRow;
    item.col = nCol;
    item.mask = GRIDITEM_ALL;
    const CGridDefaultCell* pDefault = GetDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols);
    item.format = pDefault->GetFormat();
    item.image = pDefault->GetImage();
    item.backColor = pDefault->GetBackColor();
    item.textColor = pDefault->GetTextColor();
    item.data = pDefault->GetData();
    item.font = *pDefault->GetFont();
    item.margin = pDefault->GetMargin();
    item.state = 0;
    if (IsCellSelected(nRow, nCol))
        item.state |= GCS_SELECTED;
    if (nRow < m_nFixedRows)
        item.state |= GCS_FIXED | GCS_FIXEDROW;
    if (nCol < m_nFixedCols)
        item.state |= GCS_FIXED | GCS_FIXEDCOL;
    if (CGridCellId(nRow, nCol) == m_idCurrentCell)
        item.state |= GCS_FOCUSED;
    if (m_pfnCallback) {
        m_pfnCallback(&item, m_lParam);
    } else if (CWnd* pOwner = GetNotifyTarget()) {
        dispinfo.hdr.hwndFrom = m_hWnd;
        dispinfo.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
        dispinfo.hdr.code = UINT(GRIDN_GETDISPINFO);
        pOwner->SendMessage(WM_NOTIFY, dispinfo.hdr.idFrom, reinterpret_cast<LPARAM>(&dispinfo));
    }
    s_cell.SetState(item.state);
    s_cell.SetFormat(item.format);
    s_cell.SetImage(item.image);
    s_cell.SetBackColor(item.backColor);
    s_cell.SetTextColor(item.textColor);
    s_cell.SetData(item.data);
    s_cell.SetFont(&item.font);
    s_cell.SetMargin(item.margin);
    s_cell.SetText(item.text);
    s_cell.SetGrid(const_cast<CGridCtrl*>(this));
    return &s_cell;
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    CGridCtrl* self = const_cast<CGridCtrl*>(this);
    if (bFixedRow && bFixedCol)
        return &self->m_cellFixedRowColDef;
    if (bFixedRow)
        return &self->m_cellFixedRowDef;
    if (bFixedCol)
        return &self->m_cellFixedColDef;
    return &self->m_cellDefault;
}

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    auto* pCell = static_cast<CGridCellBase*>(m_pRtcDefault->CreateObject());
    if (!pCell)
        throw std::bad_alloc();
    pCell->SetGrid(this);
    pCell->SetPosition(nRow, nCol);
    DWORD state = pCell->GetState();
    if (nRow < m_nFixedRows)
        state |= GCS_FIXED | GCS_FIXEDROW;
    if (nCol < m_nFixedCols)
        state |= GCS_FIXED | GCS_FIXEDCOL;
    pCell->SetState(state);
    pCell->SetFormat(pCell->GetDefaultCell()->GetFormat());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    if (m_bVirtualMode || nRow < 0 || nRow >= int(m_RowData.size()) || nCol < 0 ||
        nCol >= int(m_RowData[nRow].size()))
        return;
    CGridCellBase*& pCell = m_RowData[nRow][nCol];
    if (!pCell)
        return;
    // Clearing the state takes the cell out of the selection.
    SetItemState(nRow, nCol, 0);
    delete pCell;
    pCell = nullptr;
}

BOOL CGridCtrl::SetItem(const GRIDITEM* pItem)
{
    if (!pItem)
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (!pCell || m_bVirtualMode)
        return FALSE;
    SetModified(TRUE, pItem->row, pItem->col);
    if (pItem->mask & GRIDITEM_TEXT)
        pCell->SetText(pItem->text);
    if (pItem->mask & GRIDITEM_DATA)
        pCell->SetData(pItem->data);
    if (pItem->mask & GRIDITEM_IMAGE)
        pCell->SetImage(pItem->image);
    if (pItem->mask & GRIDITEM_STATE)
        SetItemState(pItem->row, pItem->col, pItem->state);
    if (pItem->mask & GRIDITEM_FORMAT)
        pCell->SetFormat(pItem->format);
    if (pItem->mask & GRIDITEM_BACKCOLOR)
        pCell->SetBackColor(pItem->backColor);
    if (pItem->mask & GRIDITEM_TEXTCOLOR)
        pCell->SetTextColor(pItem->textColor);
    if (pItem->mask & GRIDITEM_FONT)
        pCell->SetFont(&pItem->font);
    if (pItem->mask & GRIDITEM_MARGIN)
        pCell->SetMargin(pItem->margin);
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCSTR str)
{
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetText(str);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? CString(pCell->GetText()) : CString();
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    const BOOL bSelected = IsCellSelected(nRow, nCol);
    const DWORD key = DWORD(nCol) << 16 | DWORD(nRow & 0xFFFF);
    if (bSelected && !(state & GCS_SELECTED))
        m_SelectedCellMap.erase(key);
    else if (!bSelected && (state & GCS_SELECTED))
        m_SelectedCellMap[key] = CGridCellId(nRow, nCol);
    if (m_bVirtualMode)
        return TRUE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? UINT(pCell->GetState()) : 0;
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    // Any change may break the order the grid was sorted in.
    if (bModified)
        m_nSortColumn = -1;
    if (nRow >= 0 && nCol >= 0) {
        if (m_bVirtualMode)
            return;
        const UINT state = GetItemState(nRow, nCol);
        SetItemState(nRow, nCol, bModified ? state | GCS_MODIFIED : state & ~GCS_MODIFIED);
        return;
    }
    if (!bModified && !m_bVirtualMode)
        for (int row = 0; row < m_nRows; ++row)
            for (int col = 0; col < m_nCols; ++col)
                SetItemState(row, col, GetItemState(row, col) & ~GCS_MODIFIED);
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return m_bEditable && pCell && !pCell->IsReadOnly();
}

// Settings -----------------------------------------------------------------------------------

void CGridCtrl::SetListMode(BOOL bEnableListMode)
{
    ResetSelectedRange();
    m_nSortColumn = -1;
    m_bListMode = bEnableListMode;
    m_bSingleRowSelection = FALSE;
    Refresh();
}

void CGridCtrl::EnableSelection(BOOL bEnable)
{
    ResetSelectedRange();
    m_bEnableSelection = bEnable;
    ResetSelectedRange();
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    // Cells are kept only outside virtual mode.
    for (int row = 0; row < int(m_RowData.size()); ++row)
        for (int col = 0; col < int(m_RowData[row].size()); ++col)
            DestroyCell(row, col);
    m_RowData.clear();
    m_bVirtualMode = bVirtual;
    const int nRows = m_nRows;
    const int nCols = m_nCols;
    m_nRows = 0;
    m_nCols = 0;
    m_arRowHeights.clear();
    m_arColWidths.clear();
    SetRowCount(nRows);
    SetColumnCount(nCols);
}

void CGridCtrl::SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam)
{
    m_pfnCallback = pCallback;
    m_lParam = lParam;
}

void CGridCtrl::SetTitleTipColors(COLORREF text, COLORREF back)
{
    m_crTTipTextClr = text;
    m_crTTipBackClr = back;
}

void CGridCtrl::Refresh()
{
    if (GetSafeHwnd() && m_bAllowDraw)
        Invalidate();
}

CWnd* CGridCtrl::GetNotifyTarget() const
{
    if (!GetSafeHwnd())
        return nullptr;
    CWnd* pOwner = GetOwner();
    return pOwner ? pOwner : GetParent();
}

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    if (!GetSafeHwnd())
        return 0;
    NM_GRID nmgv{};
    nmgv.row = nRow;
    nmgv.col = nCol;
    nmgv.hdr.hwndFrom = m_hWnd;
    nmgv.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    nmgv.hdr.code = UINT(nMessage);
    CWnd* pOwner = GetNotifyTarget();
    if (pOwner && pOwner->GetSafeHwnd())
        return pOwner->SendMessage(WM_NOTIFY, nmgv.hdr.idFrom, reinterpret_cast<LPARAM>(&nmgv));
    return 0;
}

void CGridCtrl::SendCacheHintToParent(const CGridCellRange& range) const
{
    if (!GetSafeHwnd())
        return;
    NM_GRIDCACHEHINT hint{};
    hint.range = range;
    hint.hdr.hwndFrom = m_hWnd;
    hint.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    hint.hdr.code = UINT(GRIDN_CACHEHINT);
    CWnd* pOwner = GetNotifyTarget();
    if (pOwner && pOwner->GetSafeHwnd())
        pOwner->SendMessage(WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
}

// Messages -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
    ON_WM_GETDLGCODE()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_NOTIFY(GRIDN_ENDEDIT, IDC_GRID_INPLACE_EDIT, OnEndInPlaceEdit)
    ON_COMMAND(ID_EDIT_SELECT_ALL_CMD, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL_CMD, OnUpdateEditSelectAll)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    if (m_bInSize)
        return;
    m_bInSize = TRUE;
    RegisterDropTarget();
    EndCurrentEdit();
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars();
    m_bInSize = FALSE;
}

BOOL CGridCtrl::RegisterDropTarget()
{
    if (m_DropTarget.IsRegistered())
        return TRUE;
    return m_DropTarget.Register(this);
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    for (CGridDefaultCell* pCell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        if (pCell->GetTextColor() == m_crWindowText)
            pCell->SetTextColor(text);
        if (pCell->GetBackColor() == m_crWindowColour)
            pCell->SetBackColor(window);
        else if (pCell->GetBackColor() == m_cr3DFace)
            pCell->SetBackColor(face);
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = shadow;
    m_crWindowText = text;
    m_crWindowColour = window;
    m_cr3DFace = face;
    m_crShadow = shadow;
}

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM /*lParam*/)
{
    LOGFONTA lf{};
    if (!::GetObjectA(reinterpret_cast<HGDIOBJ>(hFont), sizeof lf, &lf))
        return 0;
    for (CGridDefaultCell* pCell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        pCell->SetFont(&lf);
    Refresh();
    return 0;
}

LRESULT CGridCtrl::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CFont* pFont = m_cellDefault.GetFontObject();
    return reinterpret_cast<LRESULT>(pFont ? pFont->GetSafeHandle() : nullptr);
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bEnableSelection);
}

void CGridCtrl::OnDestroy()
{
    if (m_nTimerID) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    EndCurrentEdit();
    m_DropTarget.Revoke();
    CWnd::OnDestroy();
}
