#include "timeline/InPlaceEdit.h"

#include "timeline/GridCtrl.h"

#include "platform/mfc/DC.h"
#include "platform/mfc/Font.h"

namespace
{
constexpr DWORD EDIT_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;

bool CtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}
}  // namespace

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           CString sInitText, UINT nFirstChar)
    : m_nRow(nRow), m_nColumn(nColumn), m_sInitText(sInitText), m_bExitOnArrows(nFirstChar != VK_LBUTTON),
      m_Rect(rect)
{
    if (!Create(dwStyle | EDIT_STYLE, rect, pParent, nID)) {
        // Nothing to edit in: the cell hears that editing is over.
        if (auto* pGrid = dynamic_cast<CGridCtrl*>(pParent))
            if (CGridCellBase* pCell = pGrid->GetCell(nRow, nColumn))
                pCell->OnEndEdit();
        delete this;
        return;
    }
    if (pParent)
        SetFont(pParent->GetFont());
    SetWindowText(sInitText);
    SetFocus();
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        SetSel(int(m_sInitText.GetLength()), -1);
        return;
    case VK_BACK:
        SetSel(int(m_sInitText.GetLength()), -1);
        break;
    case VK_TAB:
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_SPACE:
    case VK_END:
        SetSel(0, -1);
        return;
    default:
        SetSel(0, -1);
        break;
    }
    // The character that started the edit is typed into it.
    SendMessage(nFirstChar > 127 ? WM_IME_CHAR : WM_CHAR, nFirstChar);
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_DOWN || nChar == VK_UP || nChar == VK_RIGHT ||
         nChar == VK_LEFT) &&
        (m_bExitOnArrows || CtrlDown())) {
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);

    // Widen to the text plus two spaces, up to the grid's right edge.
    CString str;
    GetWindowText(str);
    str += "  ";
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    CFont* pOldFont = pDC->SelectObject(GetFont());
    const CSize size = pDC->GetTextExtent(str);
    pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);
    CRect parentRect;
    GetParent()->GetClientRect(&parentRect);
    const int right = std::min<int>(m_Rect.left + size.cx, parentRect.right);
    if (right > m_Rect.right) {
        m_Rect.right = right;
        MoveWindow(&m_Rect);
    }
}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CInPlaceEdit::EndEdit()
{
    if (m_bEnding)
        return;
    m_bEnding = TRUE;
    CString str;
    GetWindowText(str);
    NM_GRIDEDIT dispinfo{};
    dispinfo.hdr.hwndFrom = GetSafeHwnd();
    dispinfo.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    dispinfo.hdr.code = UINT(GRIDN_ENDEDIT);
    dispinfo.row = m_nRow;
    dispinfo.col = m_nColumn;
    dispinfo.text = str;
    dispinfo.key = m_nLastChar;
    // A child window's owner is its parent, the grid.
    CWnd* pOwner = GetParent();
    if (pOwner && pOwner->GetSafeHwnd())
        pOwner->SendMessage(WM_NOTIFY, dispinfo.hdr.idFrom, reinterpret_cast<LPARAM>(&dispinfo));
    if (GetSafeHwnd())
        PostMessage(WM_CLOSE);
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    // System characters would reach the menu bar from here.
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    delete this;
}
