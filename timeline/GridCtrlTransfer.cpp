// CGridCtrl: cell texts through the clipboard and drag and drop, and in-place editing.
#include "timeline/GridCtrl.h"

#include "timeline/MemDC.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/OleDataObject.h"
#include "platform/mfc/OleDataSource.h"
#include "platform/mfc/SharedFile.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// Movable, zero-initialised and shareable, as clipboard blocks must be.
constexpr UINT TEXT_BLOCK_FLAGS = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;
constexpr UINT TEXT_GROW_BYTES = 4096;

// The text of a CF_TEXT block, read no further than the block's size or its first NUL.
std::string ReadTextBlock(HGLOBAL hMem)
{
    if (!hMem)
        return std::string();
    const SIZE_T nSize = ::GlobalSize(hMem);
    const char* p = static_cast<const char*>(::GlobalLock(hMem));
    if (!p)
        return std::string();
    const void* nul = std::memchr(p, '\0', nSize);
    const std::string text(p, nul ? static_cast<const char*>(nul) - p : nSize);
    ::GlobalUnlock(hMem);
    return text;
}

// Rows at "\n" (a CR before it dropped); fields at TAB or comma.
std::vector<std::vector<std::string>> SplitPastedText(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!(end == text.size() && line.empty() && !rows.empty())) {
            std::vector<std::string> fields;
            std::size_t fieldStart = 0;
            while (true) {
                const std::size_t sep = line.find_first_of("\t,", fieldStart);
                fields.push_back(line.substr(fieldStart, sep == std::string::npos ? std::string::npos : sep - fieldStart));
                if (sep == std::string::npos)
                    break;
                fieldStart = sep + 1;
            }
            rows.push_back(std::move(fields));
        }
        if (end == text.size())
            break;
        start = end + 1;
    }
    return rows;
}
}  // namespace

// Clipboard ----------------------------------------------------------------------------------

CString CGridCtrl::GetSelectedText() const
{
    const CGridCellRange selection = GetSelectionRange();
    if (!IsValid(selection))
        return CString();
    std::string text;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row) {
        if (GetRowHeight(row) <= 0)
            continue;
        bool first = true;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            if (!first)
                text += '\t';
            first = false;
            if (IsCellSelected(row, col))
                if (const CGridCellBase* pCell = GetCell(row, col))
                    text += pCell->GetText();
        }
        if (row != selection.GetMaxRow())
            text += "\r\n";
    }
    return CString(text.c_str());
}

COleDataSource* CGridCtrl::MakeTextDataSource()
{
    const CGridCellRange selection = GetSelectionRange();
    if (!IsValid(selection))
        return nullptr;
    if (m_bVirtualMode)
        SendCacheHintToParent(selection);
    const CString text = GetSelectedText();
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(-1, -1, -1, -1));

    CSharedFile file(TEXT_BLOCK_FLAGS, TEXT_GROW_BYTES);
    // The text and its terminating NUL.
    file.Write(static_cast<LPCSTR>(text), UINT(text.GetLength()) + 1);
    HGLOBAL hMem = file.Detach();
    if (!hMem)
        return nullptr;
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hMem);
    return pSource;
}

void CGridCtrl::OnEditCopy()
{
    COleDataSource* pSource = MakeTextDataSource();
    if (pSource && !pSource->SetClipboard())
        pSource->InternalRelease();
}

void CGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    OnEditCopy();
    ClearSelectedTexts();
}

void CGridCtrl::ClearSelectedTexts()
{
    // A grid that is not editable keeps its texts, also after a drag that moved them away.
    if (!m_bEditable)
        return;
    const auto selected = m_SelectedCellMap;
    for (const auto& entry : selected)
        ApplyCellText(entry.second.row, entry.second.col, "");
}

void CGridCtrl::OnEditSelectAll()
{
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGING);
    SelectAllCells();
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGED);
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    CGridCellId cell;
    const CGridCellRange selection = GetSelectionRange();
    if (IsValid(selection))
        cell = selection.GetTopLeft();
    else if (IsValid(m_idCurrentCell))
        cell = m_idCurrentCell;
    else
        cell = GetTopLeftNonFixedCell();
    if (!IsValid(cell))
        return;
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (pCell && pCell->IsEditing() && pCell->GetEditWindow()) {
        pCell->GetEditWindow()->SendMessage(WM_PASTE);
        return;
    }
    COleDataObject data;
    if (data.AttachClipboard())
        PasteTextAt(cell.row, cell.col, &data, TRUE);
}

BOOL CGridCtrl::PasteTextAt(int nRow, int nCol, COleDataObject* pDataObject, BOOL bSelect)
{
    if (!m_bEditable || !pDataObject || !IsCellEditable(nRow, nCol) || !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    HGLOBAL hMem = pDataObject->GetGlobalData(CF_TEXT);
    if (!hMem)
        return FALSE;
    const std::string text = ReadTextBlock(hMem);
    ::GlobalFree(hMem);

    const auto rows = SplitPastedText(text);
    int row = nRow;
    int lastRow = nRow, lastCol = nCol;
    for (const auto& fields : rows) {
        while (row < m_nRows && GetRowHeight(row) == 0)
            ++row;
        if (row >= m_nRows)
            break;
        int col = nCol;
        for (const auto& field : fields) {
            while (col < m_nCols && GetColumnWidth(col) == 0)
                ++col;
            if (col >= m_nCols)
                break;
            ApplyCellText(row, col, field.c_str());
            lastCol = std::max(lastCol, col);
            ++col;
        }
        lastRow = row;
        ++row;
    }
    if (bSelect)
        SelectRange(nRow, nCol, lastRow, lastCol);
    return TRUE;
}

BOOL CGridCtrl::ApplyCellText(int nRow, int nCol, LPCSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell || pCell->IsReadOnly())
        return FALSE;
    if (SendMessageToParent(nRow, nCol, GRIDN_BEGINEDIT) < 0)
        return FALSE;
    const CString oldText = pCell->GetText();
    if (oldText == str)
        return TRUE;
    pCell->SetText(str);
    if (AcceptEditedText(nRow, nCol, str) && SendMessageToParent(nRow, nCol, GRIDN_ENDEDIT) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RedrawCell(nRow, nCol);
        return TRUE;
    }
    pCell->SetText(oldText);
    return FALSE;
}

// Drag and drop ------------------------------------------------------------------------------

void CGridCtrl::BeginTextDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    COleDataSource* pSource = MakeTextDataSource();
    if (!pSource)
        return;
    const CGridCellRange selection = GetSelectionRange();
    SendMessageToParent(selection.GetMinRow(), selection.GetMinCol(), GRIDN_BEGINDRAG);
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (effect & DROPEFFECT_MOVE)
        ClearSelectedTexts();
    m_MouseMode = MOUSE_NOTHING;
    pSource->InternalRelease();
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !pDataObject || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    m_LastDragOverCell = CellAtPoint(point, FALSE);
    if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell.row, m_LastDragOverCell.col))
        return DROPEFFECT_NONE;
    SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                 GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) | GCS_DROPHILITED);
    RedrawCell(m_LastDragOverCell);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !m_bEditable || !pDataObject || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    const CGridCellId cell = CellAtPoint(point, FALSE);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_LastDragOverCell = CGridCellId();
        return DROPEFFECT_NONE;
    }
    if (cell != m_LastDragOverCell) {
        OnDragLeave();
        m_LastDragOverCell = cell;
        if (IsCellEditable(cell.row, cell.col)) {
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_DROPHILITED);
            RedrawCell(cell);
        }
    }
    if (!IsCellEditable(cell.row, cell.col))
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    if (!IsValid(m_LastDragOverCell))
        return;
    const UINT state = GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col);
    if (state & GCS_DROPHILITED) {
        SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col, state & ~GCS_DROPHILITED);
        RedrawCell(m_LastDragOverCell);
    }
}

BOOL CGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT /*dropEffect*/, CPoint /*point*/)
{
    m_MouseMode = MOUSE_NOTHING;
    if (!m_bAllowDragAndDrop || !m_bEditable || !IsCellEditable(m_LastDragOverCell.row, m_LastDragOverCell.col))
        return FALSE;
    OnDragLeave();
    return PasteTextAt(m_LastDragOverCell.row, m_LastDragOverCell.col, pDataObject, FALSE);
}

CImageList* CGridCtrl::CreateDragImage(CPoint* pHotSpot)
{
    CRect rect;
    if (!IsValid(m_idCurrentCell) || !GetCellRect(m_idCurrentCell, &rect) || !GetSafeHwnd())
        return nullptr;
    CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (!pCell)
        return nullptr;
    const CSize size(rect.Width() + 1, rect.Height() + 1);
    if (pHotSpot)
        *pHotSpot = CPoint(size.cx, size.cy);
    CDC* pDC = GetDC();
    if (!pDC)
        return nullptr;
    CDC memDC;
    CBitmap bitmap;
    CImageList* pList = nullptr;
    if (memDC.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, size.cx, size.cy)) {
        CBitmap* pOld = memDC.SelectObject(&bitmap);
        memDC.FillSolidRect(0, 0, size.cx, size.cy, ::GetSysColor(COLOR_WINDOW));
        pCell->Draw(&memDC, m_idCurrentCell.row, m_idCurrentCell.col, CRect(0, 0, size.cx - 1, size.cy - 1), TRUE);
        memDC.SelectObject(pOld);
        pList = new CImageList;
        if (!pList->Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 1, 1) || pList->Add(&bitmap, RGB(255, 0, 255)) < 0) {
            delete pList;
            pList = nullptr;
        }
    }
    ReleaseDC(pDC);
    return pList;
}

// In-place editing ---------------------------------------------------------------------------

void CGridCtrl::BeginCellEdit(int nRow, int nCol, CPoint point, UINT nChar)
{
    m_TitleTip.Hide();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return;
    EnsureVisible(nRow, nCol);
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return;
    if (SendMessageToParent(nRow, nCol, GRIDN_BEGINEDIT) < 0)
        return;
    pCell->Edit(nRow, nCol, rect, point, IDC_GRID_INPLACE_EDIT, nChar);
}

void CGridCtrl::EndCurrentEdit()
{
    if (CGridCellBase* pCell = IsValid(m_idCurrentCell) ? GetCell(m_idCurrentCell.row, m_idCurrentCell.col) : nullptr)
        pCell->EndEdit();
}

BOOL CGridCtrl::AcceptEditedText(int nRow, int nCol, LPCSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->AcceptEditedText(str) : FALSE;
}

void CGridCtrl::FinishCellEdit(int nRow, int nCol, LPCSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return;
    const CString oldText = pCell->GetText();
    if (str && oldText != str) {
        pCell->SetText(str);
        if (AcceptEditedText(nRow, nCol, str) && SendMessageToParent(nRow, nCol, GRIDN_ENDEDIT) >= 0) {
            SetModified(TRUE, nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            pCell->SetText(oldText);
        }
    }
    pCell->OnEndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pEdit = reinterpret_cast<const NM_GRIDEDIT*>(pNMHDR);
    FinishCellEdit(pEdit->row, pEdit->col, pEdit->text);
    switch (pEdit->key) {
    case VK_TAB:
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
        // The key that ended the edit moves on and edits the next cell.
        OnKeyDown(pEdit->key, 0, 0);
        if (IsValid(m_idCurrentCell))
            BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), pEdit->key);
        break;
    default:
        break;
    }
    *pResult = 0;
}
