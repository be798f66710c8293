#include "timeline/GridCell.h"

#include "timeline/GridCtrl.h"
#include "timeline/GridDefaultCell.h"
#include "timeline/InPlaceEdit.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

CGridCell::CGridCell() = default;

CGridCell::~CGridCell() = default;

void CGridCell::SetBackColor(COLORREF clr)
{
    m_crPrevBkClr = m_crBkClr;
    m_crBkClr = clr;
}

void CGridCell::SetFont(const LOGFONTA* plf)
{
    if (!plf) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont)
        m_plfFont = std::make_unique<LOGFONTA>();
    *m_plfFont = *plf;
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat == GRID_DEFAULT_VALUE) {
        if (const CGridDefaultCell* pDefaultCell = GetDefaultCell())
            return pDefaultCell->GetFormat();
        return 0;
    }
    return m_nFormat;
}

const LOGFONTA* CGridCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    const CGridDefaultCell* pDefaultCell = GetDefaultCell();
    return pDefaultCell ? pDefaultCell->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject() const
{
    if (m_plfFont) {
        // One font object serves every cell with a font of its own; it is made again per call.
        static CFont s_font;
        s_font.DeleteObject();
        s_font.CreateFontIndirect(m_plfFont.get());
        return &s_font;
    }
    const CGridDefaultCell* pDefaultCell = GetDefaultCell();
    return pDefaultCell ? pDefaultCell->GetFontObject() : nullptr;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin == GRID_DEFAULT_VALUE) {
        const CGridDefaultCell* pDefaultCell = GetDefaultCell();
        return pDefaultCell ? pDefaultCell->GetMargin() : 0;
    }
    return m_nMargin;
}

void CGridCell::CopyFrom(const CGridCellBase& cell)
{
    CGridCellBase::CopyFrom(cell);
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.Empty();
    m_nImage = -1;
    m_lParam = 0;
    m_pGrid = nullptr;
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
    m_nFormat = GRID_DEFAULT_VALUE;
    m_crBkClr = GRID_DEFAULT_COLOR;
    m_crPrevBkClr = GRID_DEFAULT_COLOR;
    m_crFgClr = GRID_DEFAULT_COLOR;
    m_nMargin = GRID_DEFAULT_VALUE;
    m_plfFont.reset();
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint /*point*/, UINT nID, UINT nChar)
{
    if (m_bEditing) {
        if (m_pEditWnd)
            m_pEditWnd->SendMessage(WM_CHAR, nChar);
        return TRUE;
    }
    DWORD dwStyle = ES_LEFT;
    if (GetFormat() & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (GetFormat() & DT_CENTER)
        dwStyle = ES_CENTER;
    m_bEditing = TRUE;
    // The edit deletes itself when its window closes.
    m_pEditWnd = new CInPlaceEdit(GetGrid(), rect, dwStyle, nID, nRow, nCol, GetText(), nChar);
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (m_pEditWnd)
        static_cast<CInPlaceEdit*>(m_pEditWnd)->EndEdit();
}

void CGridCell::OnEndEdit()
{
    m_pEditWnd = nullptr;
    m_bEditing = FALSE;
}
