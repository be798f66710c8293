#include "ui/core/ExtPopupInplaceListBox.h"

#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupControlMenuWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPopupInplaceListBox, CListBox)

const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent =
    ::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure =
    ::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw =
    ::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK =
    ::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel =
    ::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange =
    ::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange");

namespace {

bool IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

CPoint PointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

CExtPopupInplaceListBox::CExtPopupInplaceListBox() = default;

CExtPopupControlMenuWnd* CExtPopupInplaceListBox::GetParentPopup() const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return nullptr;
    return DYNAMIC_DOWNCAST(CExtPopupControlMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

HWND CExtPopupInplaceListBox::GetNotificationTarget() const
{
    const CExtPopupControlMenuWnd* pPopup = GetParentPopup();
    const HWND hWndTarget = pPopup != nullptr ? pPopup->GetCommandTargetWindow() : nullptr;
    return hWndTarget != nullptr && ::IsWindow(hWndTarget) ? hWndTarget : nullptr;
}

LRESULT CExtPopupInplaceListBox::SendSelectionMessage(UINT nMessage)
{
    const HWND hWndTarget = GetNotificationTarget();
    if (hWndTarget == nullptr)
        return 0;
    SelectionData data{this, GetCurSel()};
    return ::SendMessageA(hWndTarget, nMessage, reinterpret_cast<WPARAM>(&data), m_lParamNotification);
}

void CExtPopupInplaceListBox::EndSelection(int nCode, UINT nMessage, bool bSilent)
{
    if (IsSelectionEnded())
        return;
    m_nFlags |= FLAG_SELECTION_ENDED;
    if (m_pfnSelectionCallback != nullptr && m_pfnSelectionCallback(*this, m_pSelectionCookie, nCode))
        return;
    const HWND hWnd = m_hWnd;
    if (bSilent || hWnd == nullptr || !::IsWindow(hWnd))
        return;
    const HWND hWndPopup = ::GetParent(hWnd);
    SendSelectionMessage(nMessage);
    // Keys reach the list inside the tracking hook, where ending the tree at once would pump
    // messages under the hook: the popup closes when its cancel mode comes, and the ended flag
    // keeps the list quiet meanwhile.
    if (hWndPopup != nullptr && ::IsWindow(hWndPopup))
        ::PostMessageA(hWndPopup, WM_CANCELMODE, 0, 0);
}

void CExtPopupInplaceListBox::OnSelEndOK()
{
    EndSelection(SELECTION_END_OK, g_nMsgPopupListBoxSelEndOK, false);
}

void CExtPopupInplaceListBox::OnSelEndCancel(bool bSilent)
{
    EndSelection(SELECTION_END_CANCEL, g_nMsgPopupListBoxSelEndCancel, bSilent);
}

LRESULT CExtPopupInplaceListBox::OnSelChange()
{
    if (m_pfnSelectionCallback != nullptr && m_pfnSelectionCallback(*this, m_pSelectionCookie, SELECTION_CHANGED))
        return 0;
    ShowChoiceInOpeningItem();
    return SendSelectionMessage(g_nMsgPopupListBoxSelChange);
}

void CExtPopupInplaceListBox::ShowChoiceInOpeningItem()
{
    const CExtPopupControlMenuWnd* pPopup = GetParentPopup();
    CExtPopupMenuWnd* pMenu = pPopup != nullptr ? pPopup->GetParentMenuWnd() : nullptr;
    CExtPopupMenuWnd::MENUITEMDATA* pItem =
        pMenu != nullptr ? pMenu->ItemDataAt(pMenu->GetCurrentItemIndex()) : nullptr;
    if (pItem == nullptr || pItem->IsSeparator())
        return;
    // The choice shows as the item's pending text, in place of its stored value, without
    // committing it; only an item with an edit field can show it. No text, no choice shown.
    CString sChoice;
    const int nSelection = GetCurSel();
    if ((GetStyle() & LBS_HASSTRINGS) != 0 && nSelection >= 0 && nSelection < GetCount())
        GetText(nSelection, sChoice);
    pItem->sInplacePending = sChoice;
    if (!sChoice.IsEmpty() && pItem->IsInplaceEdit())
        pItem->nInplaceFlags |= CExtPopupMenuWnd::MENUITEMDATA::INPLACE_PENDING;
    else
        pItem->nInplaceFlags &= static_cast<BYTE>(~CExtPopupMenuWnd::MENUITEMDATA::INPLACE_PENDING);
    const HWND hWndMenu = pMenu->GetSafeHwnd();
    if (hWndMenu != nullptr && ::IsWindow(hWndMenu)) {
        ::InvalidateRect(hWndMenu, nullptr, FALSE);
        ::UpdateWindow(hWndMenu);
    }
}

void CExtPopupInplaceListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_pfnItemDrawCallback != nullptr && m_pfnItemDrawCallback(*this, m_pItemCookie, lpDrawItemStruct))
        return;
    if (const HWND hWndTarget = GetNotificationTarget()) {
        ItemDrawData data{this, lpDrawItemStruct};
        ::SendMessageA(hWndTarget, g_nMsgPopupListBoxItemDraw, reinterpret_cast<WPARAM>(&data), m_lParamNotification);
    }
}

void CExtPopupInplaceListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_pfnItemMeasureCallback != nullptr && m_pfnItemMeasureCallback(*this, m_pItemCookie, lpMeasureItemStruct))
        return;
    if (const HWND hWndTarget = GetNotificationTarget()) {
        ItemMeasureData data{this, lpMeasureItemStruct};
        ::SendMessageA(hWndTarget, g_nMsgPopupListBoxItemMeasure, reinterpret_cast<WPARAM>(&data),
                       m_lParamNotification);
    }
}

int CExtPopupInplaceListBox::ItemUnder(CPoint point) const
{
    BOOL bOutside = FALSE;
    const int nItem = static_cast<int>(ItemFromPoint(point, bOutside));
    return !bOutside && nItem >= 0 && nItem < GetCount() ? nItem : -1;
}

void CExtPopupInplaceListBox::OnMouseMove(CPoint point)
{
    const int nCount = GetCount();
    if (nCount <= 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    int nItem = -1;
    if (rcClient.PtInRect(point)) {
        nItem = ItemUnder(point);
    } else if (::GetCapture() == m_hWnd) {
        // Dragged beyond the list: one item past the edge, so that the list scrolls on.
        BOOL bOutside = FALSE;
        const int nNearest = static_cast<int>(ItemFromPoint(point, bOutside));
        const int nTop = GetTopIndex();
        if (nNearest <= nTop && nTop > 0)
            nItem = nTop - 1;
        else if (nNearest > nTop && nNearest < nCount - 1)
            nItem = nNearest + 1;
    }
    if (nItem >= 0 && nItem != GetCurSel()) {
        SetCurSel(nItem);
        OnSelChange();
    }
}

void CExtPopupInplaceListBox::OnLButtonUp(CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (GetCount() <= 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point) && ItemUnder(point) >= 0)
        OnSelEndOK();
}

LRESULT CExtPopupInplaceListBox::OnControlInput(WPARAM wParam)
{
    auto* pData = reinterpret_cast<CExtPopupControlMenuWnd::ControlInputData*>(wParam);
    if (pData == nullptr)
        return 0;
    if (pData->m_nKind == CExtPopupControlMenuWnd::INPUT_MOUSE_WHEEL) {
        const short nDelta = pData->m_pWheelHook != nullptr ? static_cast<short>(HIWORD(pData->m_pWheelHook->mouseData))
                                                            : static_cast<short>(HIWORD(pData->m_wParamWheel));
        const int nCount = GetCount();
        if (!g_PaintManagerHolder.IsWin2000OrLater() || (GetStyle() & WS_VSCROLL) == 0 || nCount <= 0 || nDelta == 0)
            return 1;
        int nLines = static_cast<int>(g_PaintManagerHolder.GetMouseWheelScrollLines());
        if (nLines > 2)
            --nLines;
        const int nTop = GetTopIndex();
        const int nNewTop = std::clamp(nDelta > 0 ? nTop - nLines : nTop + nLines, 0, nCount - 1);
        if (nNewTop != nTop) {
            SetTopIndex(nNewTop);
            if (pData->m_pPassOn != nullptr)
                *pData->m_pPassOn = true;
        }
        return 0;
    }
    if (pData->m_nKind != CExtPopupControlMenuWnd::INPUT_KEY_DOWN)
        return 0;
    // The Alt key's own key-down comes before the key state knows it: its flags tell.
    if (IsKeyDown(VK_MENU) || (pData->m_nFlags & KF_ALTDOWN) != 0) {
        OnSelEndCancel(false);
        return 1;
    }
    if (IsKeyDown(VK_CONTROL) || IsKeyDown(VK_SHIFT))
        return 0;
    switch (pData->m_nChar) {
    case VK_RETURN:
        OnSelEndOK();
        return 1;
    case VK_ESCAPE:
        OnSelEndCancel(false);
        return 1;
    case VK_LEFT:
        // Closes the popup and with it this list.
        if (CExtPopupControlMenuWnd* pPopup = GetParentPopup())
            pPopup->ReturnToParentPopup();
        return 1;
    case VK_RIGHT:
        return 1;
    default:
        break;
    }
    const int nOld = GetCurSel();
    DefWindowProc(WM_KEYDOWN, pData->m_nChar, MAKELPARAM(pData->m_nRepCnt, pData->m_nFlags));
    if (GetCurSel() != nOld)
        OnSelChange();
    return 0;
}

LRESULT CExtPopupInplaceListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        m_nFlags &= static_cast<BYTE>(~FLAG_SELECTION_ENDED);
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (lResult == -1)
            return lResult;
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(g_PaintManagerHolder->m_FontNormal.GetSafeHandle()), TRUE);
        if (m_pfnInitCallback == nullptr || !m_pfnInitCallback(*this, m_pInitCookie)) {
            if (const HWND hWndTarget = GetNotificationTarget())
                ::SendMessageA(hWndTarget, g_nMsgPopupListBoxInitContent, reinterpret_cast<WPARAM>(this),
                               m_lParamNotification);
        }
        return lResult;
    }
    case WM_DESTROY:
        OnSelEndCancel(true);
        break;
    case WM_CANCELMODE:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        OnSelEndCancel(false);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        if (GetCount() > 0)
            ::SetCapture(m_hWnd);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(PointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return 0;
    default:
        if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate)
            return OnControlInput(wParam);
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CExtPopupInplaceListBox::PostNcDestroy()
{
    const bool bDelete = (m_nFlags & FLAG_AUTO_DELETE) != 0;
    CListBox::PostNcDestroy();
    if (bDelete)
        delete this;
}
