#include "ui/core/ExtEditBase.h"

#include "platform/mfc/CmdUI.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"
#include "ui/core/ExtTipText.h"

IMPLEMENT_DYNCREATE(CExtEditBase, CEdit)

namespace
{
constexpr UINT CMD_EDIT_CLEAR = 0xE120;
constexpr UINT CMD_EDIT_COPY = 0xE122;
constexpr UINT CMD_EDIT_CUT = 0xE123;
constexpr UINT CMD_EDIT_PASTE = 0xE125;
constexpr UINT CMD_EDIT_SELECT_ALL = 0xE12A;
constexpr UINT CMD_EDIT_UNDO = 0xE12B;
constexpr int NOTIFY_COMMAND = 0;
constexpr int NOTIFY_UPDATE_COMMAND_UI = -1;
constexpr int CLR_WINDOW_TEXT = COLOR_WINDOWTEXT;
constexpr int CLR_GRAY_TEXT = COLOR_GRAYTEXT;
constexpr UINT CONTEXT_MENU_TRACK_FLAGS = 0x880;
constexpr UINT FULL_REDRAW = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;

CExtPaintManager* PaintManager()
{
    if (g_PaintManagerHolder.GetFirstMember() == nullptr)
        g_PaintManagerHolder.ReplaceManager(nullptr);
    return g_PaintManagerHolder.GetFirstMember();
}
} // namespace

const CExtEditBase::MenuRow CExtEditBase::g_contextMenu[CONTEXT_MENU_ROWS] = {
    {CMD_EDIT_UNDO, "&Undo"},  {0, nullptr},           {CMD_EDIT_CUT, "Cu&t"},   {CMD_EDIT_COPY, "&Copy"},
    {CMD_EDIT_PASTE, "&Paste"}, {CMD_EDIT_CLEAR, "Cl&ear"}, {0, nullptr}, {CMD_EDIT_SELECT_ALL, "Select &All"},
};

CExtEditBase::CExtEditBase() = default;

CExtEditBase::~CExtEditBase()
{
    if (m_hBrush != nullptr)
        ::DeleteObject(m_hBrush);
}

int CExtEditBase::GetTooltipMaxWidth() const { return TOOLTIP_MAX_WIDTH; }

void CExtEditBase::SetTipText(LPCSTR lpszText, bool bActivate)
{
    SetWindowTipText(m_tip, this, lpszText, bActivate, GetTooltipMaxWidth());
}

void CExtEditBase::ActivateToolTip(bool bActivate)
{
    if (m_tip.m_hWnd != nullptr && m_tip.GetToolCount() != 0)
        m_tip.Activate(bActivate ? TRUE : FALSE);
}

bool CExtEditBase::IsEditCommand(UINT nCmdId)
{
    for (const MenuRow& row : g_contextMenu)
        if (row.nCmdId != 0 && row.nCmdId == nCmdId)
            return true;
    return false;
}

bool CExtEditBase::IsEditCommandEnabled(UINT nCmdId) const
{
    if (m_hWnd == nullptr)
        return false;
    const bool bReadOnly = (GetStyle() & ES_READONLY) != 0;
    const DWORD dwSel = static_cast<DWORD>(::SendMessageA(m_hWnd, EM_GETSEL, 0, 0));
    const int nStart = LOWORD(dwSel), nEnd = HIWORD(dwSel);
    const bool bSelection = nEnd > nStart;
    switch (nCmdId)
    {
    case CMD_EDIT_UNDO:
        return !bReadOnly && ::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0) != 0;
    case CMD_EDIT_CUT:
    case CMD_EDIT_CLEAR:
        return !bReadOnly && bSelection;
    case CMD_EDIT_COPY:
        return bSelection;
    case CMD_EDIT_PASTE:
        return !bReadOnly && ::IsClipboardFormatAvailable(CF_TEXT);
    case CMD_EDIT_SELECT_ALL:
    {
        const int nLength = ::GetWindowTextLengthA(m_hWnd);
        return nLength > 0 && !(nStart == 0 && nEnd == nLength);
    }
    default:
        return false;
    }
}

void CExtEditBase::RunEditCommand(UINT nCmdId)
{
    switch (nCmdId)
    {
    case CMD_EDIT_UNDO:
        ::SendMessageA(m_hWnd, EM_UNDO, 0, 0);
        break;
    case CMD_EDIT_CUT:
        ::SendMessageA(m_hWnd, WM_CUT, 0, 0);
        break;
    case CMD_EDIT_COPY:
        ::SendMessageA(m_hWnd, WM_COPY, 0, 0);
        break;
    case CMD_EDIT_PASTE:
        ::SendMessageA(m_hWnd, WM_PASTE, 0, 0);
        break;
    case CMD_EDIT_CLEAR:
        ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0);
        break;
    case CMD_EDIT_SELECT_ALL:
        ::SendMessageA(m_hWnd, EM_SETSEL, 0, -1);
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
        break;
    default:
        break;
    }
}

BOOL CExtEditBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if ((m_nEditFlags & FLAG_HANDLE_COMMANDS) != 0 && IsEditCommand(nID) &&
        (nCode == NOTIFY_COMMAND || nCode == NOTIFY_UPDATE_COMMAND_UI))
    {
        if (nCode == NOTIFY_UPDATE_COMMAND_UI)
        {
            if (auto* pCmdUI = static_cast<CCmdUI*>(pExtra))
                pCmdUI->Enable(IsEditCommandEnabled(nID) ? TRUE : FALSE);
        }
        else if (pHandlerInfo == nullptr)
            RunEditCommand(nID);
        return TRUE;
    }
    return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

bool CExtEditBase::PrepareContextMenuCommands()
{
    LPCSTR lpszProfile = g_CmdManager->FindProfileNameForWindow(m_hWnd);
    if (lpszProfile == nullptr)
        return false;
    for (const MenuRow& row : g_contextMenu)
    {
        if (row.nCmdId == 0)
            continue;
        CExtCmdItem* pItem = g_CmdManager->FindCommand(lpszProfile, row.nCmdId);
        if (pItem == nullptr)
            pItem = g_CmdManager->AllocateCommand(lpszProfile, row.nCmdId);
        if (pItem == nullptr)
            continue;
        if (pItem->m_sMenuText.IsEmpty())
        {
            CString text;
            if (g_ResourceManagerHolder->LoadStringForLanguage(text, row.nCmdId))
            {
                text.Replace('\t', ' ');
                text.Remove('\r');
                text.Trim();
                const int nLineFeed = text.ReverseFind('\n');
                if (nLineFeed >= 0)
                    text = text.Mid(nLineFeed + 1);
                text.Trim();
                pItem->m_sMenuText = text;
            }
        }
        if (pItem->m_sMenuText.IsEmpty())
            pItem->m_sMenuText = row.pszDefaultText;
        pItem->SetBasic(true);
    }
    return true;
}

BOOL CExtEditBase::PreTranslateMessage(MSG* pMsg)
{
    if (m_tip.m_hWnd != nullptr)
        m_tip.RelayEvent(pMsg);
    return CEdit::PreTranslateMessage(pMsg);
}

BOOL CExtEditBase::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORMSGBOX)
        return CEdit::OnChildNotify(message, wParam, lParam, pResult);
    CExtPaintManager* pPM = PaintManager();
    const bool bEnabled = IsWindowEnabled() != FALSE;
    const COLORREF clrText = m_clrText != static_cast<COLORREF>(-1)
                                 ? m_clrText
                                 : pPM->ColorByIndex(bEnabled ? CLR_WINDOW_TEXT : CLR_GRAY_TEXT, this);
    const COLORREF clrBack =
        m_clrBack != static_cast<COLORREF>(-1)
            ? m_clrBack
            : pPM->ColorByIndex((GetStyle() & ES_READONLY) != 0 ? COLOR_BTNFACE : COLOR_WINDOW, this);
    const HDC hDC = reinterpret_cast<HDC>(wParam);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, clrText);
    if (clrBack != m_clrBrush || m_hBrush == nullptr)
    {
        if (m_hBrush != nullptr)
            ::DeleteObject(m_hBrush);
        m_hBrush = ::CreateSolidBrush(clrBack);
        m_clrBrush = clrBack;
    }
    ::SetBkColor(hDC, clrBack);
    if (pResult != nullptr)
        *pResult = reinterpret_cast<LRESULT>(m_hBrush);
    return TRUE;
}

bool CExtEditBase::TrackContextMenu(LPARAM lParam)
{
    if ((m_nEditFlags & FLAG_HANDLE_COMMANDS) == 0 || !PrepareContextMenuCommands())
        return false;
    auto* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->PrepareEmptyPopup(m_hWnd))
    {
        delete pPopup;
        return false;
    }
    for (const MenuRow& row : g_contextMenu)
        pPopup->InsertCommandItem(row.nCmdId, -1);
    // The menu key sends a point outside the edit: the menu opens at its middle.
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (!rcClient.PtInRect(point))
        point = rcClient.CenterPoint();
    const HWND hWnd = m_hWnd;
    SetFocus();
    if (!pPopup->StartTracking(CONTEXT_MENU_TRACK_FLAGS, point.x, point.y))
        delete pPopup;
    // The chosen command may have destroyed the edit.
    else if (::IsWindow(hWnd))
        ::RedrawWindow(hWnd, nullptr, nullptr, FULL_REDRAW);
    return true;
}

LRESULT CExtEditBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU && TrackContextMenu(lParam))
        return 0;
    if (message == WM_NOTIFY && m_tip.m_hWnd != nullptr)
    {
        const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        if (pHeader != nullptr && pHeader->code == TTN_SHOW && pHeader->hwndFrom == m_tip.m_hWnd)
            ::SetWindowPos(m_tip.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

INT_PTR CExtEditBase::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    auto* pThis = const_cast<CExtEditBase*>(this);
    if (TakeToolBarTip(pThis->m_tip, pThis, point, GetTooltipMaxWidth()))
        return -1;
    return CEdit::OnToolHitTest(point, pTI);
}
