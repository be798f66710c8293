// Tab window mouse handling: hit testing, press and hot tracking, the buttons, the tab-list menu,
// tool tips, selection by hovering and the loop that drags an item to a new place.
#include "ui/controls/ExtTabWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include <cstdlib>

namespace {
constexpr UINT_PTR TIP_TOOL_ID = 1;
// Menu alignments by strip orientation: below a top strip, above a bottom one, beside the others.
constexpr UINT TAB_LIST_ALIGN[] = {4, 6, 1, 3};
constexpr UINT TAB_LIST_TRACK_FLAGS = 0xFA0;

// What each button is: its code, the style bit that shows it (0: shown unless fit), the style bit
// that enables it, its pressed bit (in the state byte for Previous and Next, else in the pressed
// byte), and its tip.
struct ButtonInfo
{
    int nCode;
    DWORD dwEnabled;
    BYTE nPressed;
    bool bPressedInState;
    UINT nTipId;
    const char* pszTipFallback;
};

// In the order of the button rectangles.
constexpr ButtonInfo BUTTONS[CExtTabWnd::BUTTON_COUNT] = {
    {CExtTabWnd::HT_PREV, CExtTabWnd::STYLE_PREV_ENABLED, CExtTabWnd::STATE_PREV_PRESSED, true, 30052, "Previous"},
    {CExtTabWnd::HT_NEXT, CExtTabWnd::STYLE_NEXT_ENABLED, CExtTabWnd::STATE_NEXT_PRESSED, true, 30053, "Next"},
    {CExtTabWnd::HT_HOME, CExtTabWnd::STYLE_HOME_ENABLED, CExtTabWnd::PRESSED_HOME, false, 30385, "Home"},
    {CExtTabWnd::HT_END, CExtTabWnd::STYLE_END_ENABLED, CExtTabWnd::PRESSED_END, false, 30386, "End"},
    {CExtTabWnd::HT_HELP, CExtTabWnd::STYLE_HELP_ENABLED, CExtTabWnd::PRESSED_HELP, false, 30054, "Help"},
    {CExtTabWnd::HT_CLOSE, CExtTabWnd::STYLE_CLOSE_ENABLED, CExtTabWnd::PRESSED_CLOSE, false, 30055, ""},
    {CExtTabWnd::HT_TAB_LIST, CExtTabWnd::STYLE_TAB_LIST_ENABLED, CExtTabWnd::PRESSED_TAB_LIST, false, 30342, ""},
};

bool IsButtonCode(int nCode)
{
    return nCode <= CExtTabWnd::HT_PREV && nCode >= CExtTabWnd::HT_END;
}

// The tab-list menu paints the button it drops from into the place the menu leaves free.
struct TabListPainterCookie
{
    CExtTabWnd* pTabWnd;
    RECT rcButton;
};

void PaintTabListButton(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup, const RECT* pExcludeArea, int)
{
    const auto* pCookieData = static_cast<const TabListPainterCookie*>(pCookie);
    if (pCookieData == nullptr || pExcludeArea == nullptr || !::IsWindow(pCookieData->pTabWnd->GetSafeHwnd()))
        return;
    CRect rc(*pExcludeArea);
    popup.ScreenToClient(&rc);
    g_PaintManagerHolder->DrawTabStripButton(dc, rc, CExtTabWnd::HT_TAB_LIST,
                                             pCookieData->pTabWnd->IsHorizontalLayout(), true, false, false,
                                             pCookieData->pTabWnd, 0);
}
} // namespace

int CExtTabWnd::ButtonSlot(int nCode)
{
    for (int i = 0; i < BUTTON_COUNT; ++i)
        if (BUTTONS[i].nCode == nCode)
            return i;
    return -1;
}

const RECT& CExtTabWnd::GetButtonRect(int nCode) const
{
    static const RECT s_rcEmpty{};
    const int nSlot = ButtonSlot(nCode);
    return nSlot >= 0 ? m_rcButtons[nSlot] : s_rcEmpty;
}

bool CExtTabWnd::IsButtonEnabled(int nCode) const
{
    const int nSlot = ButtonSlot(nCode);
    if (nSlot < 0 || (m_dwStripStyle & BUTTONS[nSlot].dwEnabled) == 0)
        return false;
    return nCode != HT_TAB_LIST || GetItemCount() > 0;
}

bool CExtTabWnd::IsButtonPressed(int nCode) const
{
    const int nSlot = ButtonSlot(nCode);
    if (nSlot < 0)
        return false;
    const ButtonInfo& b = BUTTONS[nSlot];
    return ((b.bPressedInState ? m_nStateFlags : m_nPressedButtons) & b.nPressed) != 0;
}

void CExtTabWnd::SetButtonPressed(int nCode, bool bPressed)
{
    const int nSlot = ButtonSlot(nCode);
    if (nSlot < 0)
        return;
    const ButtonInfo& b = BUTTONS[nSlot];
    BYTE& nBits = b.bPressedInState ? m_nStateFlags : m_nPressedButtons;
    nBits = static_cast<BYTE>(bPressed ? (nBits | b.nPressed) : (nBits & ~b.nPressed));
}

CString CExtTabWnd::GetButtonTipText(int nCode)
{
    const int nSlot = ButtonSlot(nCode);
    if (nSlot < 0)
        return CString();
    return g_ResourceManagerHolder->LoadStringOrDefault(BUTTONS[nSlot].nTipId, BUTTONS[nSlot].pszTipFallback);
}

int CExtTabWnd::HitTestItem(POINT ptClient) const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return HT_NOWHERE;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty() || !rcClient.PtInRect(ptClient))
        return HT_NOWHERE;
    if (!::IsRectEmpty(&m_rcOutside) && ::PtInRect(&m_rcOutside, ptClient))
        return HT_OUTSIDE;
    for (int nCode : {HT_PREV, HT_NEXT, HT_HOME, HT_END, HT_HELP, HT_CLOSE, HT_TAB_LIST}) {
        const RECT& rc = GetButtonRect(nCode);
        if (!::IsRectEmpty(&rc) && ::PtInRect(&rc, ptClient))
            return nCode;
    }
    if (!::PtInRect(&m_rcItemArea, ptClient))
        return HT_NOWHERE;
    if (m_nVisibleItemCount == 0 || m_nFirstVisible < 0)
        return HT_ITEMS_AREA;
    POINT ptItem = ptClient;
    if (IsHorizontalLayout())
        ptItem.x -= ItemOffsetAlong();
    else
        ptItem.y -= ItemOffsetAlong();
    for (int n = m_nFirstVisible; n <= m_nLastVisible; ++n)
        if (m_arrItems[n]->HitTest(ptItem))
            return n;
    return HT_ITEMS_AREA;
}

bool CExtTabWnd::OnMouseButton(POINT pt, bool bDown, int nMouseButton, UINT nKeys)
{
    const int nCode = HitTestItem(pt);
    if (IsButtonCode(nCode))
        return OnButtonClick(nCode, bDown, nMouseButton, nKeys);
    if (nCode < 0) {
        EndPressTracking(true);
        RelayoutAndRepaint();
        return false;
    }
    if (bDown)
        m_ptPress = pt;
    return OnItemClick(nCode, bDown, nMouseButton, nKeys);
}

bool CExtTabWnd::OnItemClick(int nIndex, bool bDown, int nMouseButton, UINT)
{
    if (bDown && BeginPressTracking(nMouseButton, nIndex))
        SetSelectedItem(nIndex, true, true);
    else
        EndPressTracking(true);
    // The right button goes on to the default handling, which asks for the context menu.
    return nMouseButton != MOUSE_RIGHT;
}

bool CExtTabWnd::BeginPressTracking(int nMouseButton, int nCode)
{
    if (m_nTrackedButton >= 0 && (m_nTrackedButton != nMouseButton || m_nTrackedCode != nCode))
        return false;
    m_nStateFlags &= ~(STATE_PREV_PRESSED | STATE_NEXT_PRESSED);
    m_nPressedButtons = 0;
    if (IsButtonCode(nCode)) {
        if (nMouseButton != MOUSE_LEFT || !IsButtonEnabled(nCode))
            return false;
        SetButtonPressed(nCode, true);
        InvalidateLayout(true);
    }
    m_nTrackedButton = nMouseButton;
    m_nTrackedCode = nCode;
    m_nStateFlags |= STATE_PRESS_TRACKED;
    if (::GetCapture() != m_hWnd)
        SetMouseCapture(m_hWnd);
    return true;
}

void CExtTabWnd::EndPressTracking(bool bReleaseCapture)
{
    // A held scroll button scrolls only while it is held.
    if ((m_dwStripStyle & STYLE_SCROLL_BY_PAGE) == 0 && m_nRemainingScroll != 0)
        SendMessage(WM_CANCELMODE);
    m_ptPress = POINT{-1, -1};
    const int nCode = m_nTrackedCode;
    m_nTrackedCode = -1;
    m_nTrackedButton = -1;
    m_nStateFlags &= ~STATE_PRESS_TRACKED;
    if (IsButtonCode(nCode)) {
        SetButtonPressed(nCode, false);
        InvalidateLayout(true);
    }
    if (bReleaseCapture && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

bool CExtTabWnd::OnButtonClick(int nCode, bool bDown, int nMouseButton, UINT)
{
    if (bDown) {
        if (BeginPressTracking(nMouseButton, nCode)) {
            RelayoutAndRepaint();
            if (nCode == HT_PREV || nCode == HT_NEXT)
                ScrollItems(nCode == HT_PREV ? -1 : 1, true);
        }
        return true;
    }
    // Only the button that was pressed acts on its release.
    const bool bWasPressed = m_nTrackedCode == nCode && m_nTrackedButton == nMouseButton;
    EndPressTracking(true);
    const int nCount = GetItemCount();
    if (!bWasPressed || nMouseButton != MOUSE_LEFT || nCount == 0)
        return true;
    if (nCode == HT_HOME && (m_dwStripStyle & STYLE_HOME_ENABLED) != 0)
        EnsureVisible(0, true);
    else if (nCode == HT_END && (m_dwStripStyle & STYLE_END_ENABLED) != 0)
        EnsureVisible(nCount - 1, true);
    else if (nCode == HT_TAB_LIST && (m_dwStripStyle & STYLE_TAB_LIST_ENABLED) != 0)
        TrackTabListMenu();
    return true;
}

void CExtTabWnd::TrackTabListMenu()
{
    auto* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->PrepareEmptyPopup(m_hWnd)) {
        delete pPopup;
        return;
    }
    for (int n = 0; n < GetItemCount(); ++n) {
        TAB_ITEM_INFO* pItem = m_arrItems[n];
        if (IsGroupMode() && n > 0 && pItem->IsGroupStart())
            pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SEPARATOR);
        CExtCmdIcon* pIcon = GetItemIcon(pItem);
        const CExtCmdIcon icon = pIcon != nullptr ? *pIcon : CExtCmdIcon();
        pPopup->InsertCustomItem(TAB_LIST_FIRST_CMD + n, -1, pItem->GetText(), nullptr, icon,
                                 n == m_nSelIndex ? CExtPopupMenuWnd::CUSTOM_CHECKED
                                                  : CExtPopupMenuWnd::CUSTOM_PLAIN,
                                 m_hWnd);
    }
    TabListPainterCookie cookie{this, GetButtonRect(HT_TAB_LIST)};
    CRect rcExclude(cookie.rcButton);
    ClientToScreen(&rcExclude);
    cookie.rcButton = rcExclude;
    const HWND hWndSelf = m_hWnd;
    UINT nResult = 0;
    const UINT nFlags = TAB_LIST_TRACK_FLAGS | TAB_LIST_ALIGN[GetOrientation()];
    if (!pPopup->StartTracking(nFlags, rcExclude.left, rcExclude.bottom, &rcExclude, &cookie, PaintTabListButton,
                               &nResult)) {
        delete pPopup;
        return;
    }
    if (!::IsWindow(hWndSelf) || nResult < TAB_LIST_FIRST_CMD)
        return;
    const int nIndex = static_cast<int>(nResult - TAB_LIST_FIRST_CMD);
    if (nIndex < GetItemCount()) {
        SetSelectedItem(nIndex, true, true);
        RelayoutAndRepaint();
    }
}

void CExtTabWnd::SetTipTool(const CString& strText, const RECT& rc)
{
    if (m_wndToolTip.GetSafeHwnd() == nullptr)
        return;
    if (strText.IsEmpty()) {
        RemoveTipTool();
        return;
    }
    TOOLINFOA ti{};
    if (m_wndToolTip.GetToolInfo(&ti, this, TIP_TOOL_ID)) {
        m_wndToolTip.SetToolRect(this, TIP_TOOL_ID, &rc);
        m_wndToolTip.UpdateTipText(strText, this, TIP_TOOL_ID);
    } else {
        m_wndToolTip.AddTool(this, strText, &rc, TIP_TOOL_ID);
    }
}

void CExtTabWnd::RemoveTipTool()
{
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.DelTool(this, TIP_TOOL_ID);
}

void CExtTabWnd::OnMouseMoveTracking(UINT, POINT pt)
{
    if (m_nTrackedButton >= 0) {
        if (GetItemCount() == 0 || m_nTrackedCode < 0) {
            RemoveTipTool();
            const bool bButtonPressed =
                (m_nStateFlags & (STATE_PREV_PRESSED | STATE_NEXT_PRESSED)) != 0 || m_nPressedButtons != 0;
            if (!bButtonPressed && m_nRemainingScroll == 0)
                SendMessage(WM_CANCELMODE);
            return;
        }
        if (m_ptPress.x >= 0 &&
            (std::abs(pt.x - m_ptPress.x) > DRAG_START_DISTANCE || std::abs(pt.y - m_ptPress.y) > DRAG_START_DISTANCE) &&
            CanDragItem(m_nTrackedCode)) {
            RemoveTipTool();
            TrackItemDrag(m_nTrackedCode);
            return;
        }
    }
    if ((m_nStateFlags & STATE_PRESS_TRACKED) != 0) {
        RemoveTipTool();
        return;
    }
    if (!IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true))
        return;
    const int nCode = HitTestItem(pt);
    if (!IsButtonCode(nCode)) {
        if (nCode < 0) {
            EndHover(true);
            RelayoutAndRepaint();
        } else if (nCode != m_nHoveredCode) {
            if (!TrackHover(nCode) || RedrawsOnItemHover())
                RelayoutAndRepaint();
        }
        if (nCode >= 0 && m_nVisibleItemCount > 0) {
            TAB_ITEM_INFO* pItem = m_arrItems[nCode];
            if ((m_dwStripStyle & STYLE_HOVER_SELECT) != 0 && nCode != m_nPendingHoverSelect) {
                StartHoverSelect(-1, 0);
                StartHoverSelect(nCode, HOVER_SELECT_PERIOD);
            } else if (AreToolTipsEnabled()) {
                CString strTip = pItem->GetTipText();
                if (strTip.IsEmpty() && pItem->IsShrunk())
                    strTip = pItem->GetText();
                if (!strTip.IsEmpty()) {
                    // The tip covers the item where it is drawn.
                    SetTipTool(strTip, GetItemClientRect(nCode));
                    return;
                }
            }
        }
    } else if (nCode == m_nHoveredCode || TrackHover(nCode)) {
        return;
    }
    RemoveTipTool();
    CancelToolTips();
}

bool CExtTabWnd::TrackHover(int nCode)
{
    if (nCode == m_nHoveredCode)
        return true;
    if (!IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true))
        return false;
    m_nHotCode = nCode;
    m_nStateFlags |= STATE_HOT_TRACKING;
    RelayoutAndRepaint();
    if (::GetCapture() != m_hWnd)
        SetMouseCapture(m_hWnd);
    m_nHoveredCode = nCode;
    if (AreToolTipsEnabled() && m_wndToolTip.GetSafeHwnd() != nullptr && IsButtonCode(nCode)) {
        const CString strTip = GetButtonTipText(nCode);
        if (!strTip.IsEmpty()) {
            SetTipTool(strTip, GetButtonRect(nCode));
        } else {
            RemoveTipTool();
            CancelToolTips();
        }
    }
    return true;
}

void CExtTabWnd::EndHover(bool bReleaseCapture)
{
    m_nHoveredCode = -1;
    if ((m_nStateFlags & STATE_HOT_TRACKING) != 0) {
        m_nStateFlags &= ~STATE_HOT_TRACKING;
        m_nHotCode = -1;
        Invalidate(FALSE);
    }
    if (bReleaseCapture && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

bool CExtTabWnd::StartHoverSelect(int nIndex, UINT nMilliseconds)
{
    if (m_hWnd != nullptr)
        KillTimer(TIMER_HOVER_SELECT);
    m_nPendingHoverSelect = -1;
    if (nIndex < 0)
        return true;
    const TAB_ITEM_INFO* pItem = GetItemAt(nIndex);
    if (m_nVisibleItemCount == 0 || pItem == nullptr || !pItem->IsVisible() || m_hWnd == nullptr)
        return false;
    m_nPendingHoverSelect = nIndex;
    SetTimer(TIMER_HOVER_SELECT, nMilliseconds);
    return true;
}

void CExtTabWnd::OnHoverSelectTimer()
{
    KillTimer(TIMER_HOVER_SELECT);
    const int nPending = m_nPendingHoverSelect;
    m_nPendingHoverSelect = -1;
    const TAB_ITEM_INFO* pItem = GetItemAt(nPending);
    if (pItem == nullptr || nPending == m_nSelIndex || !pItem->IsVisible())
        return;
    POINT pt{};
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTestItem(pt) == nPending)
        SetSelectedItem(nPending, true, true);
}

void CExtTabWnd::OnCancelMode()
{
    StopSmoothScroll();
    EndPressTracking(true);
    EndHover(true);
}

void CExtTabWnd::OnCaptureChanged(HWND hWndNew)
{
    if (hWndNew != nullptr && hWndNew != m_hWnd) {
        EndPressTracking(false);
        EndHover(false);
    } else if ((m_nStateFlags & STATE_HOT_TRACKING) != 0 && hWndNew == nullptr) {
        SendMessage(WM_CANCELMODE);
    }
}

bool CExtTabWnd::TrackItemDrag(int nIndex)
{
    if (GetItemAt(nIndex) == nullptr)
        return false;
    const HWND hWndSelf = m_hWnd;
    if (::GetCapture() != hWndSelf)
        SetMouseCapture(hWndSelf);
    m_nDragFlags |= DRAG_RUNNING;
    int nDragged = nIndex;
    const bool bHorz = IsHorizontalLayout();
    CWinThread* pThread = AfxGetThread();
    while (::IsWindow(hWndSelf)) {
        MSG msg{};
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            for (LONG nIdle = 0; pThread != nullptr && pThread->OnIdle(nIdle); ++nIdle) {
            }
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
                ::WaitMessage();
            continue;
        }
        // A quit request stays queued for the loop that owns it.
        if (msg.message == WM_QUIT)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            MSG last = msg;
            while (::PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
                last = msg;
            POINT pt{static_cast<short>(LOWORD(last.lParam)), static_cast<short>(HIWORD(last.lParam))};
            if (last.hwnd != hWndSelf)
                ::MapWindowPoints(last.hwnd, hWndSelf, &pt, 1);
            CRect rcClient;
            GetClientRect(&rcClient);
            const int nAlong = bHorz ? pt.x : pt.y;
            const int nEnd = bHorz ? rcClient.right : rcClient.bottom;
            if (nAlong < 0 || nAlong > nEnd) {
                if (m_nRemainingScroll == 0)
                    ScrollItems(nAlong < 0 ? -1 : 1, true);
                continue;
            }
            StopSmoothScroll();
            const int nTarget = HitTestItem(pt);
            if (nDragged < 0 || nDragged >= GetItemCount() || nTarget < 0 || nTarget == nDragged)
                continue;
            // Inside the place just swapped into, the neighbour stays where it went.
            if (::PtInRect(&m_rcLastSwap, pt) && std::abs(nTarget - nDragged) == 1)
                continue;
            m_rcLastSwap = GetItemClientRect(nTarget);
            if (MoveTabItem(nDragged, nTarget, true))
                nDragged = nTarget;
            else
                ::SetRectEmpty(&m_rcLastSwap);
            continue;
        }
        bool bEnds = ::GetCapture() != hWndSelf;
        switch (msg.message) {
        case WM_CANCELMODE:
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_ACTIVATEAPP:
        case WM_CONTEXTMENU:
        case WM_CAPTURECHANGED:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
            bEnds = true;
            break;
        default:
            if (msg.message >= WM_NCLBUTTONDOWN && msg.message <= WM_NCMBUTTONDBLCLK)
                bEnds = true;
            break;
        }
        if (!AfxPumpMessage()) {
            const MSG* pQuit = AfxGetCurrentMessage();
            ::PostQuitMessage(pQuit != nullptr ? static_cast<int>(pQuit->wParam) : 0);
            break;
        }
        if (bEnds)
            break;
    }
    if (!::IsWindow(hWndSelf))
        return true;
    if (::GetCapture() == hWndSelf)
        ::ReleaseCapture();
    ::SetRectEmpty(&m_rcLastSwap);
    m_nTrackedCode = -1;
    m_nTrackedButton = -1;
    m_nStateFlags &= ~STATE_PRESS_TRACKED;
    StopSmoothScroll();
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
    if (IsWindowVisible())
        RelayoutAndRepaint();
    m_nDragFlags &= ~DRAG_RUNNING;
    return true;
}
