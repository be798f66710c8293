// The popup menu's side of its in-place edit items: inserting them, their edit fields, the edit
// windows and the keys the popup's hook forwards to an edit with the focus.
#include "ui/core/ExtPopupMenuInPlaceEditWnd.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <utility>

namespace {

// The field lies inside the item, two pixels shorter at top and bottom, one pixel in from its end.
constexpr int FIELD_INSET_Y = 2;
constexpr int FIELD_INSET_X = 1;

bool IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

}  // namespace

bool CExtPopupMenuWnd::MENUITEMDATA::IsInplaceEditVisible() const
{
    const HWND hEdit = pInplaceEdit != nullptr ? pInplaceEdit->GetSafeHwnd() : nullptr;
    return hEdit != nullptr && ::IsWindow(hEdit) && ::IsWindowVisible(hEdit);
}

CString CExtPopupMenuWnd::MENUITEMDATA::GetInplaceShownText() const
{
    if ((nInplaceFlags & INPLACE_PENDING) != 0)
        return sInplacePending;
    return pInplaceText != nullptr ? *pInplaceText : CString();
}

bool CExtPopupMenuWnd::InsertInplaceEditItem(int nPos, CString* pText, LPCSTR lpszCaption, int nEditWidth,
                                             UINT nCmdId, InplaceValidateCallback pfnValidate,
                                             InplaceCommitCallback pfnCommit, InplaceWndProcHook pfnWndProc,
                                             LPARAM lParamCookie, CExtPopupMenuWnd* pChild)
{
    if (pText == nullptr || pChild == this || nEditWidth < 0 || nPos < -1 || nPos > CountItems() ||
        (pChild == nullptr && (nCmdId == ID_SEPARATOR || nCmdId == ID_SUBMENU)))
        return false;
    MENUITEMDATA item;
    item.nCmdId = pChild != nullptr ? ID_SUBMENU : nCmdId;
    item.hWndCmdTarget = m_hWndCmdReceiver;
    item.nFlagsA = MENUITEMDATA::A_DISPLAYED;
    item.nFlagsB |= MENUITEMDATA::B_CUSTOM;
    item.pInplaceText = pText;
    item.pfnInplaceValidate = pfnValidate;
    item.pfnInplaceCommit = pfnCommit;
    item.pfnInplaceWndProc = pfnWndProc;
    item.lParamInplaceCookie = lParamCookie;
    item.nInplaceEditWidth = nEditWidth;
    item.SetTexts(lpszCaption != nullptr ? lpszCaption : "");
    if (pChild != nullptr) {
        item.pChild = pChild;
        pChild->m_nMenuFlags &= static_cast<BYTE>(~MENU_TOP_LEVEL);
        pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
        pChild->m_pWndParentMenu = this;
    }
    return InsertItemChecked(nPos, item);
}

bool CExtPopupMenuWnd::GetInplaceEditRect(int nIndex, RECT* pRect) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pRect == nullptr || pItem == nullptr || !pItem->IsInplaceEdit())
        return false;
    RECT rcItem;
    if (!GetItemRect(nIndex, &rcItem, true)) {
        ::SetRectEmpty(pRect);
        return true;
    }
    // A submenu keeps a drop-down button beyond the field.
    const int nDropDown = pItem->IsSubmenu() ? ::GetSystemMetrics(SM_CXHTHUMB) : 0;
    RECT rc = {0, rcItem.top + FIELD_INSET_Y, 0, rcItem.bottom - FIELD_INSET_Y};
    if (IsRightToLeft()) {
        rc.left = rcItem.left + FIELD_INSET_X + nDropDown;
        rc.right = rc.left + pItem->nInplaceEditWidth;
    } else {
        rc.right = rcItem.right - FIELD_INSET_X - nDropDown;
        rc.left = rc.right - pItem->nInplaceEditWidth;
    }
    *pRect = rc;
    return true;
}

int CExtPopupMenuWnd::FindInplaceEditItem(HWND hWnd) const
{
    if (hWnd == nullptr)
        return -1;
    for (int i = 0; i < CountItems(); ++i) {
        const MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
        if (item.pInplaceEdit != nullptr && item.pInplaceEdit->GetSafeHwnd() == hWnd)
            return i;
    }
    return -1;
}

void CExtPopupMenuWnd::CreateInplaceEdits()
{
    for (int i = 0; i < CountItems(); ++i) {
        MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
        if (!item.IsInplaceEdit())
            continue;
        RECT rcEdit = {};
        if (item.IsDisplayed())
            GetInplaceEditRect(i, &rcEdit);
        item.pInplaceEdit = nullptr;
        const HWND hWnd = m_hWnd;
        if (item.hWndCmdTarget != nullptr && ::IsWindow(item.hWndCmdTarget)) {
            InplaceEditCreation creation{&item.pInplaceEdit, this, &item, item.pInplaceText, item.pfnInplaceValidate,
                                         item.pfnInplaceCommit, item.pfnInplaceWndProc, item.lParamInplaceCookie,
                                         rcEdit};
            ::SendMessageA(item.hWndCmdTarget, g_nMsgCreateInplaceEdit, reinterpret_cast<WPARAM>(&creation), 0);
            if (!::IsWindow(hWnd))
                return;
            if (item.pInplaceEdit != nullptr)
                continue;
        }
        // The window deletes itself with its window; one that cannot be made is deleted here.
        auto* pEdit = new CInPlaceEditWnd(item.pfnInplaceValidate, item.pfnInplaceCommit, item.pfnInplaceWndProc,
                                          item.lParamInplaceCookie, item.pInplaceText);
        if (!pEdit->CreateInPopup(*this, item.nCmdId, rcEdit)) {
            delete pEdit;
            continue;
        }
        item.pInplaceEdit = pEdit;
    }
}

void CExtPopupMenuWnd::DestroyInplaceEdits()
{
    for (MENUITEMDATA& item : m_items) {
        CWnd* pEdit = std::exchange(item.pInplaceEdit, nullptr);
        if (pEdit != nullptr && pEdit->GetSafeHwnd() != nullptr && ::IsWindow(pEdit->GetSafeHwnd()))
            pEdit->DestroyWindow();
    }
}

void CExtPopupMenuWnd::ForgetInplaceEdit(const CWnd* pEdit)
{
    for (MENUITEMDATA& item : m_items)
        if (item.pInplaceEdit == pEdit)
            item.pInplaceEdit = nullptr;
}

bool CExtPopupMenuWnd::IsFocusInChildWindow() const
{
    const HWND hFocus = ::GetFocus();
    return hFocus != nullptr && IsWindowAlive() && hFocus != m_hWnd && ::IsChild(m_hWnd, hFocus);
}

bool CExtPopupMenuWnd::FocusInplaceEdit(int nIndex)
{
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || !pItem->IsInplaceEditEnabled() || pItem->pInplaceEdit == nullptr ||
        pItem->pInplaceEdit->GetSafeHwnd() == nullptr)
        return false;
    const HWND hEdit = pItem->pInplaceEdit->GetSafeHwnd();
    if (!::IsWindowVisible(hEdit)) {
        RECT rc;
        GetInplaceEditRect(nIndex, &rc);
        ::SetWindowPos(hEdit, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
    }
    ::SetFocus(hEdit);
    return ::GetFocus() == hEdit;
}

void CExtPopupMenuWnd::ReleaseInplaceEdit(MENUITEMDATA& item)
{
    item.nInplaceFlags &= static_cast<BYTE>(~MENUITEMDATA::INPLACE_PENDING);
    item.sInplacePending.Empty();
    if (!item.IsInplaceEditVisible())
        return;
    const HWND hEdit = item.pInplaceEdit->GetSafeHwnd();
    // The edit reverts an uncommitted text when it loses the focus.
    if (::GetFocus() == hEdit && IsWindowAlive())
        ::SetFocus(m_hWnd);
    if (::IsWindow(hEdit))
        ::ShowWindow(hEdit, SW_HIDE);
}

void CExtPopupMenuWnd::ReturnFocusFromInplaceEdit()
{
    if (!IsWindowAlive())
        return;
    ::SetFocus(m_hWnd);
    const int nCurrent = m_nCurrentItem;
    ReleaseCurrentItem(false);
    if (IsWindowAlive())
        HighlightItem(nCurrent, false, true, true);
}

bool CExtPopupMenuWnd::HandleInplaceEditKey(UINT nChar, bool* pPassThrough)
{
    const HWND hFocus = ::GetFocus();
    const bool bControl = IsKeyDown(VK_CONTROL);
    const bool bShift = IsKeyDown(VK_SHIFT);
    if (IsKeyDown(VK_MENU) || nChar == VK_MENU) {
        ::PostMessageA(m_hWnd, WM_CANCELMODE, 0, 0);
        return true;
    }
    UINT nMessage = 0;
    switch (nChar) {
    case VK_ESCAPE:
        ReturnFocusFromInplaceEdit();
        return true;
    case VK_INSERT:
        nMessage = bControl ? WM_COPY : bShift ? WM_PASTE : 0;
        break;
    case 'C':
        nMessage = bControl ? WM_COPY : 0;
        break;
    case 'V':
        nMessage = bControl ? WM_PASTE : 0;
        break;
    case 'X':
        nMessage = bControl ? WM_CUT : 0;
        break;
    case 'A':
        nMessage = bControl ? CInPlaceEditWnd::g_nMsgSelectAll : 0;
        break;
    case VK_DELETE:
        nMessage = bShift ? WM_CUT : CInPlaceEditWnd::g_nMsgDeleteSelection;
        break;
    default:
        break;
    }
    if (nMessage != 0) {
        ::SendMessageA(hFocus, nMessage, 0, 0);
        return true;
    }
    if (pPassThrough != nullptr)
        *pPassThrough = true;
    return false;
}

int CExtPopupMenuWnd::InplaceEditItemAt(CPoint point) const
{
    if (!IsWindowAlive())
        return -1;
    POINT pt = point;
    ::ClientToScreen(m_hWnd, &pt);
    const HWND hUnder = ::WindowFromPoint(pt);
    if (hUnder == nullptr || hUnder == m_hWnd || !::IsChild(m_hWnd, hUnder))
        return -1;
    return FindInplaceEditItem(hUnder);
}

BOOL CExtPopupMenuWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!IsHelpMode() && IsWindowAlive()) {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        for (int i = 0; i < CountItems(); ++i) {
            const MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
            RECT rcEdit;
            if (item.IsInplaceEditEnabled() && item.pfnClick == nullptr && GetInplaceEditRect(i, &rcEdit) &&
                ::PtInRect(&rcEdit, pt)) {
                ::SetCursor(::LoadCursorA(nullptr, IDC_IBEAM));
                return TRUE;
            }
        }
    }
    return CExtPopupBaseWnd::OnSetCursor(pWnd, nHitTest, message);
}
