// The popup menu while tracked: starting, highlighting, submenus, keys, mouse and the command.
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtItemCoveringNotification.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"
#include "ui/core/ExtResourceManager.h"
#include "ui/core/ExtSoundPlayer.h"

namespace {

constexpr DWORD NON_TRACKING_CLEARED = 0x08F0;
constexpr DWORD NON_TRACKING_SET = 0x1700;
constexpr DWORD SUBMENU_INHERITED_FLAGS = 0x1600;
constexpr UINT SUBMENU_OPEN_DELAY_MS = 500;
constexpr UINT SCROLL_PERIOD_MS = 15;
constexpr int SCROLL_STEP = 5;
constexpr UINT EXPAND_HOVER_PERIOD_MS = 30;
constexpr int EXPAND_HOVER_STEP = 50;
constexpr int EXPAND_HOVER_LIMIT = 1499;
// Waiting for the end of a tracking never blocks longer than this between checks.
constexpr DWORD WAIT_SLICE_MS = 50;

bool IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

void PlaySound(int nSoundId)
{
    if (CExtSoundPlayer* pPlayer = CExtSoundPlayer::GetInstance())
        pPlayer->PlayUiSound(nSoundId);
}

}  // namespace

bool CExtPopupMenuWnd::IsNonTrackingMode() const
{
    return (m_dwTrackFlags & TRACK_NON_TRACKING) != 0;
}

bool CExtPopupMenuWnd::IsHelpMode() const
{
    return (m_dwTrackFlags & TRACK_HELP_MODE) != 0;
}

bool CExtPopupMenuWnd::IsShadowAllowed() const
{
    return (m_dwTrackFlags & TRACK_NO_SHADOW) == 0 && CExtPopupBaseWnd::IsShadowAllowed();
}

bool CExtPopupMenuWnd::IsCombinedWithParentItem() const
{
    return m_pfnOpenSidePainter == &CExtPopupMenuWnd::PaintParentItem && m_pWndParentMenu != nullptr &&
           m_nCombinedSide != SIDE_NONE;
}

void CExtPopupMenuWnd::PaintParentItem(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                       const RECT* pExcludeArea, int /*nSide*/)
{
    const auto& child = static_cast<const CExtPopupMenuWnd&>(popup);
    CExtPopupMenuWnd* pParent = child.m_pWndParentMenu;
    const int nIndex = static_cast<int>(reinterpret_cast<INT_PTR>(pCookie));
    CRect rcItem;
    if (pParent == nullptr || pExcludeArea == nullptr || !pParent->IsWindowAlive() || !child.IsWindowAlive() ||
        !pParent->GetItemRect(nIndex, &rcItem, false))
        return;
    // The item keeps its place on the screen: only the origin moves from the parent's window to this one.
    CPoint ptOffset(0, 0);
    ::MapWindowPoints(pParent->m_hWnd, child.m_hWnd, &ptOffset, 1);
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(pExcludeArea);
    dc.ExcludeClipRect(&child.m_rcMenu);
    dc.OffsetViewportOrg(ptOffset.x, ptOffset.y);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
    pParent->DrawItem(dc, nIndex);
    ::SelectObject(dc.m_hDC, hOldFont);
    dc.RestoreDC(nSaved);
}

void CExtPopupMenuWnd::CloseDroppedComboList()
{
    // The focus is in the combo box or in its edit part.
    const HWND hFocus = ::GetFocus();
    for (HWND hWnd : {hFocus, hFocus != nullptr ? ::GetParent(hFocus) : nullptr}) {
        char szClass[16] = {};
        if (hWnd == nullptr || ::GetClassNameA(hWnd, szClass, sizeof szClass) == 0 || lstrcmpiA(szClass, "ComboBox") != 0)
            continue;
        const DWORD dwType = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & 0x3;
        if ((dwType == CBS_DROPDOWN || dwType == CBS_DROPDOWNLIST) && ::SendMessageA(hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0)
            ::SendMessageA(hWnd, CB_SHOWDROPDOWN, FALSE, 0);
        return;
    }
}

bool CExtPopupMenuWnd::StartTracking(UINT nTrackFlags, int x, int y, const RECT* pExclude, LPVOID pCookie,
                                     OpenSidePainter pfnPainter, UINT* pResultCmdId, bool bCookieGiven)
{
    if (pResultCmdId != nullptr)
        *pResultCmdId = 0;
    DWORD dwFlags = nTrackFlags;
    if (PopupIsFrameInHelpMode(m_hWndCmdReceiver))
        dwFlags |= TRACK_HELP_MODE;
    if ((dwFlags & TRACK_NON_TRACKING) != 0)
        dwFlags = (dwFlags & ~NON_TRACKING_CLEARED) | NON_TRACKING_SET;
    if ((dwFlags & TRACK_HELP_MODE) != 0)
        dwFlags |= TRACK_SHOW_ALL;
    CloseDroppedComboList();
    CExtPopupMenuTrackingState* pState = GetTrackingState();
    if (IsTrackingActive()) {
        if (pState->IsEnding() || pState->m_pTrackedPopup == this)
            return false;
        pState->EndTracking();
    }
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != nullptr && CWnd::FromHandlePermanent(hWndCapture) != nullptr) {
        ::ReleaseCapture();
        ::SendMessageA(hWndCapture, WM_CANCELMODE, 0, 0);
    }
    const bool bNonTracking = (dwFlags & TRACK_NON_TRACKING) != 0;
    const bool bWait = (dwFlags & TRACK_WAIT) != 0;
    if (!bNonTracking) {
        pState->SetTrackedPopup(this);
        // The caller's variable lives only while this call waits.
        pState->m_pResultCmdId = bWait ? pResultCmdId : nullptr;
    }
    m_dwTrackFlags = dwFlags;
    if ((dwFlags & (TRACK_HELP_MODE | TRACK_NON_TRACKING)) == 0)
        UpdateItemsCommandUI();
    if (!TrackPopupInternal(dwFlags, x, y, pExclude, pCookie, pfnPainter, bCookieGiven)) {
        // The popup stays the caller's: the state must not delete it.
        if (!bNonTracking && pState->m_pTrackedPopup == this) {
            pState->m_pTrackedPopup = nullptr;
            pState->EndTracking();
        }
        CloseTree(false);
        return false;
    }
    if (!bWait)
        return true;
    // The tracking state may delete this popup at any moment: watch only its window handle.
    const HWND hWnd = m_hWnd;
    bool bQuit = false;
    WPARAM nQuitCode = 0;
    while (pState->m_pTrackedPopup != nullptr && ::IsWindow(hWnd)) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
            bQuit = true;
            nQuitCode = msg.wParam;
            break;
        }
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, WAIT_SLICE_MS, QS_ALLINPUT);
        PumpPendingMessages(false);
    }
    pState->m_pResultCmdId = nullptr;
    if (!PopupIsBarMenuTracking() && pState->m_pTrackedPopup != nullptr && !pState->IsEnding())
        pState->EndTracking();
    if (bQuit)
        ::PostQuitMessage(static_cast<int>(nQuitCode));
    return true;
}

bool CExtPopupMenuWnd::SendPrepareMessage(UINT nMessage, DWORD dwPresetFlags)
{
    if (m_hWndCmdReceiver == nullptr || !::IsWindow(m_hWndCmdReceiver))
        return true;
    MsgPrepareMenuData data{dwPresetFlags, this};
    ::SendMessageA(m_hWndCmdReceiver, nMessage, reinterpret_cast<WPARAM>(&data), reinterpret_cast<LPARAM>(this));
    if ((data.dwFlags & MsgPrepareMenuData::CANCEL) != 0)
        return false;
    if ((data.dwFlags & MsgPrepareMenuData::UPDATE_AGAIN) != 0)
        UpdateItemsCommandUI();
    return true;
}

bool CExtPopupMenuWnd::TrackPopupInternal(DWORD dwTrackFlags, int x, int y, const RECT* pExclude, LPVOID pCookie,
                                          OpenSidePainter pfnPainter, bool bCookieGiven)
{
    const bool bShowAll = (dwTrackFlags & TRACK_SHOW_ALL) != 0 || !g_bHideRarelyUsedItems;
    const bool bNonTracking = (dwTrackFlags & TRACK_NON_TRACKING) != 0;
    if (!bNonTracking) {
        if (IsTopLevel() && GetTrackingState()->m_pTrackedPopup == this &&
            !SendPrepareMessage(g_nMsgPrepareMenu, 0))
            return false;
        if (!SendPrepareMessage(g_nMsgPrepareOneMenuLevel, MsgPrepareMenuData::ONE_LEVEL))
            return false;
    }
    if (!bNonTracking)
        UpdateSystemCommandStates();
    const BYTE nKept = static_cast<BYTE>(m_nMenuFlags & (MENU_TOP_LEVEL | MENU_HAS_EXPAND));
    ResetTrackingMembers();
    m_nMenuFlags |= nKept;
    m_dwTrackFlags = dwTrackFlags;
    SetOpenSidePainter(pfnPainter, pCookie);
    m_bCookieGiven = bCookieGiven;
    const bool bParentExpanded =
        m_pWndParentMenu != nullptr && (m_pWndParentMenu->m_nMenuFlags & MENU_EXPANDED) != 0;
    if ((IsTopLevel() && bShowAll) || bParentExpanded)
        m_nMenuFlags |= MENU_EXPANDED;
    RecalcLayout();
    // An empty menu, or one of separators only, shows nothing.
    if (IsEveryItemHidden() && (m_nMenuFlags & MENU_HAS_EXPAND) == 0 && !HasOwnContent())
        return false;

    POINT pt = {x, y};
    if ((x < 0 || y < 0) && !::GetCursorPos(&pt))
        return false;
    SetExcludeArea(pExclude, pt);
    const bool bCombine = pExclude != nullptr &&
                          ((dwTrackFlags & TRACK_COMBINE) != 0 ||
                           ((dwTrackFlags & TRACK_COMBINE_BY_THEME) != 0 && g_PaintManagerHolder->IsXpOrNewerTheme()));
    if (bCombine)
        m_nPlacementFlags |= PLACEMENT_COMBINED;
    else
        m_nPlacementFlags &= static_cast<BYTE>(~PLACEMENT_COMBINED);
    if (pExclude != nullptr) {
        const CSize size = MeasureContent();
        const CRect& rc = m_rcExclude;
        switch (dwTrackFlags & ALIGN_MASK) {
        case ALIGN_RIGHT: pt = {rc.right, rc.top}; break;
        case ALIGN_CENTER_HORZ: pt.x -= size.cx / 2; break;
        case ALIGN_LEFT: pt = {rc.left - size.cx, rc.top}; break;
        case ALIGN_BELOW: pt = {rc.left, rc.bottom}; break;
        case ALIGN_CENTER_VERT: pt.y -= size.cy / 2; break;
        case ALIGN_ABOVE: pt = {rc.left, rc.top - size.cy}; break;
        default: break;
        }
        m_ptTrack = pt;
    }
    CWnd* pOwner = m_pWndParentMenu != nullptr ? static_cast<CWnd*>(m_pWndParentMenu)
                                               : CWnd::FromHandle(m_hWndCmdReceiver);
    if (!CreatePopupWindow(pOwner))
        return false;
    if ((dwTrackFlags & TRACK_SELECT_FIRST) != 0)
        HighlightItem(FindNextSelectableItem(NEXT_CURRENT), false, false, true);

    if ((dwTrackFlags & TRACK_NO_ANIMATION) != 0 || bNonTracking) {
        m_nAnimationType = ANIMATION_NONE;
        PickAnimationType();
    } else {
        m_nAnimationType = PopupIsBarMenuTracking() ? ANIMATION_NONE : g_nDefaultPopupAnimation;
        SetClosingSound(CExtSoundPlayer::SOUND_MENU_POPUP);
        BeginOpenAnimation();
        if (m_nAnimationType == ANIMATION_NONE) {
            // One tick still runs so that the popup sound plays.
            m_nAnimationType = ANIMATION_IMMEDIATE;
            BeginOpenAnimation();
        }
    }
    if (m_nCombinedSide != SIDE_NONE) {
        CRgn rgn;
        CRect rcMenu(m_rcMenu);
        CRect rcExclude(m_rcExcludeClient);
        HRGN hMenu = ::CreateRectRgnIndirect(&rcMenu);
        HRGN hExclude = ::CreateRectRgnIndirect(&rcExclude);
        ::CombineRgn(hMenu, hMenu, hExclude, RGN_OR);
        ::DeleteObject(hExclude);
        ::SetWindowRgn(m_hWnd, hMenu, FALSE);  // the window owns the region now
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!bNonTracking)
        MakeCurrent();
    return true;
}

void CExtPopupMenuWnd::UpdateSystemCommandStates()
{
    for (MENUITEMDATA& item : m_items) {
        if (!CExtCmdManager::IsSystemCommandId(item.nCmdId) || item.hWndCmdTarget == nullptr ||
            !::IsWindow(item.hWndCmdTarget))
            continue;
        const HWND hWnd = item.hWndCmdTarget;
        const LONG lStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
        const LONG lExStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
        const bool bMin = ::IsIconic(hWnd) != FALSE;
        const bool bMax = ::IsZoomed(hWnd) != FALSE;
        bool bEnabled = true;
        switch (item.nCmdId & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE: bEnabled = !bMin && !bMax; break;
        case SC_MINIMIZE: bEnabled = (lStyle & WS_MINIMIZEBOX) != 0 && !bMin; break;
        case SC_MAXIMIZE: bEnabled = (lStyle & WS_MAXIMIZEBOX) != 0 && !bMax; break;
        case SC_RESTORE: bEnabled = (lStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && (bMin || bMax); break;
        case SC_CONTEXTHELP: bEnabled = (lExStyle & WS_EX_CONTEXTHELP) != 0; break;
        case SC_CLOSE: {
            HMENU hSys = ::GetSystemMenu(hWnd, FALSE);
            const UINT nState = hSys != nullptr ? ::GetMenuState(hSys, SC_CLOSE, MF_BYCOMMAND) : 0;
            bEnabled = nState == 0xFFFFFFFFu || (nState & (MF_GRAYED | MF_DISABLED)) == 0;
            break;
        }
        default: continue;
        }
        if (bEnabled)
            item.nFlagsB |= MENUITEMDATA::B_ENABLED;
        else
            item.nFlagsB &= static_cast<BYTE>(~MENUITEMDATA::B_ENABLED);
        LPCSTR lpszProfile = g_CmdManager->FindProfileNameForWindow(hWnd);
        if (CExtCmdItem* pCmd = lpszProfile != nullptr ? g_CmdManager->FindCommand(lpszProfile, item.nCmdId) : nullptr)
            pCmd->SetEnabled(bEnabled);
    }
}

void CExtPopupMenuWnd::FinishWithCommand(UINT nCmdId, HWND hWndTarget)
{
    CExtPopupMenuTrackingState* pState = GetTrackingState();
    if (pState->m_pResultCmdId != nullptr)
        *pState->m_pResultCmdId = nCmdId;
    CExtPopupMenuWnd* pRoot = this;
    while (pRoot->m_pWndParentMenu != nullptr)
        pRoot = pRoot->m_pWndParentMenu;
    const DWORD dwRootFlags = pRoot->m_dwTrackFlags;
    const bool bStoreOnly = (dwRootFlags & TRACK_STORE_ONLY) != 0;
    const bool bNonTracking = (dwRootFlags & TRACK_NON_TRACKING) != 0;
    if (hWndTarget == nullptr)
        hWndTarget = m_hWndCmdReceiver;
    LPCSTR lpszProfile = hWndTarget != nullptr ? g_CmdManager->FindProfileNameForWindow(hWndTarget) : nullptr;
    CExtCmdItem* pCmd = (bStoreOnly || lpszProfile == nullptr || nCmdId == 0)
                            ? nullptr
                            : g_CmdManager->FindCommand(lpszProfile, nCmdId);
    const HWND hWndRoot = pRoot->m_hWnd;
    CRect rcRedraw(0, 0, 0, 0);
    for (CExtPopupMenuWnd* pPopup = this; pPopup != nullptr; pPopup = pPopup->m_pWndParentMenu) {
        if (!pPopup->IsWindowAlive())
            continue;
        CRect rc;
        ::GetWindowRect(pPopup->m_hWnd, &rc);
        rcRedraw.UnionRect(rcRedraw, rc);
        pPopup->HideTip(false);
        ::ShowWindow(pPopup->m_hWnd, SW_HIDE);
    }
    HWND hWndTop = hWndTarget != nullptr ? ::GetAncestor(hWndTarget, GA_ROOT) : nullptr;
    if (hWndTop != nullptr && !rcRedraw.IsRectEmpty()) {
        ::ScreenToClient(hWndTop, reinterpret_cast<POINT*>(&rcRedraw.left));
        ::ScreenToClient(hWndTop, reinterpret_cast<POINT*>(&rcRedraw.right));
        ::RedrawWindow(hWndTop, &rcRedraw, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    }
    if (hWndRoot != nullptr && ::IsWindow(hWndRoot))
        ::PostMessageA(hWndRoot, WM_CLOSE, 0, 0);
    if (bNonTracking || hWndTarget == nullptr || !::IsWindow(hWndTarget))
        return;
    // An item opening a choice popup carries no command: its popup has told the owner already.
    if (!bStoreOnly && nCmdId != ID_SUBMENU) {
        if (pCmd != nullptr)
            pCmd->SendCommandMessage(hWndTarget, false);
        else
            ::PostMessageA(hWndTarget, WM_COMMAND, MAKEWPARAM(nCmdId, 0), 0);
    }
    PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
}

bool CExtPopupMenuWnd::IsItemSelectable(int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    return pItem != nullptr && pItem->IsDisplayed() && !pItem->IsSeparator() &&
           (pItem->IsSubmenu() || pItem->IsEnabled());
}

int CExtPopupMenuWnd::FindNextSelectableItem(int nDirection) const
{
    const bool bHidden = (m_nMenuFlags & MENU_HAS_EXPAND) != 0 && (m_nMenuFlags & MENU_EXPANDED) == 0;
    const int nCount = CountItems();
    int nFirst = -1, nLast = -1;
    for (int i = 0; i < nCount; ++i) {
        if (IsItemSelectable(i)) {
            nLast = i;
            if (nFirst < 0)
                nFirst = i;
        }
    }
    if (nFirst < 0)
        return bHidden ? EXPAND_INDEX : -1;
    const int nCurrent = m_nCurrentItem;
    if (nCurrent < 0)
        return nFirst;
    switch (nDirection) {
    case NEXT_CURRENT:
        return nCurrent;
    case NEXT_DOWN:
        for (int i = nCurrent + 1; i < nCount; ++i) {
            if (IsItemSelectable(i))
                return i;
        }
        return bHidden ? EXPAND_INDEX : nFirst;
    case NEXT_UP:
        for (int i = nCurrent - 1; i >= 0; --i) {
            if (IsItemSelectable(i))
                return i;
        }
        return nLast;
    default:
        return bHidden ? EXPAND_INDEX : -1;
    }
}

int CExtPopupMenuWnd::FindItemByAccelChar(char cAccel, int nAfter) const
{
    char sz[2] = {cAccel, 0};
    ::CharUpperA(sz);
    if (sz[0] == 0 || sz[0] == '0')
        return -1;
    const int nCount = CountItems();
    const int nStart = nAfter < 0 ? 0 : nAfter + 1;
    for (int n = 0; n < nCount; ++n) {
        const int i = (nStart + n) % nCount;
        if (i == nAfter)
            continue;
        if (IsItemSelectable(i) && m_items[static_cast<size_t>(i)].cAccelChar == sz[0])
            return i;
    }
    return -1;
}

void CExtPopupMenuWnd::ReleaseCurrentItem(bool bRepaint)
{
    if (!IsNonTrackingMode())
        HideTip(true);
    if (MENUITEMDATA* pItem = ItemDataAt(m_nCurrentItem)) {
        if (pItem->IsInplaceEdit())
            ReleaseInplaceEdit(*pItem);
        pItem->nFlagsA &= static_cast<BYTE>(~MENUITEMDATA::A_HIGHLIGHTED);
        CExtItemCoveringNotification(this, nullptr, m_nCurrentItem, CExtItemCoveringNotification::KIND_LEFT).Notify();
        if (pItem->pChild != nullptr)
            pItem->pChild->CloseTree(false);
    }
    m_nCurrentItem = -1;
    PopupShowIdlePrompt(m_hWndCmdReceiver);
    if (bRepaint && IsWindowAlive() && ::IsWindowVisible(m_hWnd))
        RepaintNow();
}

void CExtPopupMenuWnd::RepaintNow()
{
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CExtPopupMenuWnd::HighlightItem(int nIndex, bool bOpenSubmenu, bool bRepaint, bool bByKeyboard)
{
    const bool bChanged = nIndex != m_nCurrentItem;
    if (bChanged) {
        ReleaseCurrentItem(false);
        m_nCurrentItem = nIndex;
        if (nIndex < 0) {
            if (bRepaint && IsWindowAlive())
                RepaintNow();
            return;
        }
        const HWND hWnd = m_hWnd;
        const BYTE nFlags = static_cast<BYTE>((bOpenSubmenu ? CExtItemCoveringNotification::FLAG_OPEN_SUBMENU : 0) |
                                              (bByKeyboard ? CExtItemCoveringNotification::FLAG_BY_KEYBOARD : 0));
        CExtItemCoveringNotification(this, nullptr, nIndex, CExtItemCoveringNotification::KIND_COVERED, nFlags)
            .Notify();
        if (hWnd != nullptr && !::IsWindow(hWnd))
            return;
    }
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr)
        return;
    if (IsItemSelectable(nIndex)) {
        pItem->nFlagsA |= MENUITEMDATA::A_HIGHLIGHTED;
        if ((m_nMenuFlags & MENU_SCROLLING) != 0)
            ScrollItemIntoView(nIndex);
    }
    if (bRepaint && IsWindowAlive() && ::IsWindowVisible(m_hWnd))
        RepaintNow();
    if (!bChanged || !bOpenSubmenu || !pItem->IsSubmenu() || pItem->pChild == nullptr || pItem->IsInplaceEditVisible() ||
        !pItem->pChild->CanOpenAsSubmenu() || !IsWindowAlive())
        return;
    CExtPopupMenuWnd* pChild = pItem->pChild;
    if (!IsNonTrackingMode())
        ReleaseCurrent();
    CRect rcItem;
    GetItemRect(nIndex, &rcItem, false);
    rcItem.left -= m_nLeftBandWidth;
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rcItem.left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rcItem.right));
    if (pChild->IsWindowAlive()) {
        ::SetWindowPos(pChild->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        pChild->RepaintNow();
    } else {
        DWORD dwFlags = m_dwTrackFlags & SUBMENU_INHERITED_FLAGS;
        if ((pItem->nFlagsA & MENUITEMDATA::A_COMBINED_SUBMENU) != 0)
            dwFlags |= TRACK_COMBINE_BY_THEME;
        pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
        if (!pChild->TrackPopupInternal(dwFlags, rcItem.right, rcItem.top, &rcItem,
                                        reinterpret_cast<LPVOID>(static_cast<INT_PTR>(nIndex)),
                                        &CExtPopupMenuWnd::PaintParentItem, true)) {
            MakeCurrent();
            return;
        }
    }
    if (bByKeyboard && pChild->IsWindowAlive())
        pChild->HighlightItem(pChild->FindNextSelectableItem(NEXT_CURRENT), false, pChild->IsAnimationFinished(), true);
}

void CExtPopupMenuWnd::ScrollItemIntoView(int nIndex)
{
    CRect rcItem;
    if (!GetItemRect(nIndex, &rcItem, false))
        return;
    const int nTop = ::IsRectEmpty(&m_rcScrollUp) ? m_rcMenu.top : m_rcScrollUp.bottom;
    const int nBottom = ::IsRectEmpty(&m_rcScrollDown) ? m_rcMenu.bottom : m_rcScrollDown.top;
    int nPos = m_nScrollPos;
    if (rcItem.top < nTop)
        nPos += nTop - rcItem.top;
    else if (rcItem.bottom > nBottom)
        nPos -= rcItem.bottom - nBottom;
    m_nScrollPos = std::max(GetMinScrollPos(), std::min(nPos, 0));
}

void CExtPopupMenuWnd::ScheduleSubmenuOpen(int nIndex)
{
    if (m_nPendingSubmenuItem >= 0 && m_nPendingSubmenuItem != nIndex && IsWindowAlive())
        KillTimer(SUBMENU_OPEN_TIMER_ID);
    if (nIndex < 0) {
        m_nPendingSubmenuItem = -1;
        return;
    }
    if (m_nPendingSubmenuItem == nIndex)
        return;
    m_nPendingSubmenuItem = nIndex;
    CExtItemCoveringNotification(this, nullptr, nIndex, CExtItemCoveringNotification::KIND_SUBMENU_PENDING).Notify();
    if (IsWindowAlive())
        SetTimer(SUBMENU_OPEN_TIMER_ID, SUBMENU_OPEN_DELAY_MS, nullptr);
}

bool CExtPopupMenuWnd::StartScrolling(int nButton)
{
    if (nButton != SCROLL_UP_INDEX && nButton != SCROLL_DOWN_INDEX)
        return false;
    ScheduleSubmenuOpen(-1);
    ReleaseCurrentItem(false);
    m_nCurrentItem = nButton;
    Invalidate(FALSE);
    SetTimer(SCROLL_TIMER_ID, SCROLL_PERIOD_MS, nullptr);
    if (!IsNonTrackingMode())
        MakeCurrent();
    return true;
}

void CExtPopupMenuWnd::ExpandMenu()
{
    ScheduleSubmenuOpen(-1);
    HideTip(false);
    if (GetTrackingState()->m_pAnimatingPopup != nullptr || (m_nMenuFlags & MENU_EXPANDED) != 0)
        return;
    const CSize sizeOld = m_sizeContent;
    m_nMenuFlags |= MENU_EXPANDED;
    RecalcLayout();
    if (IsWindowAlive() && sizeOld != m_sizeContent) {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        ::ShowWindow(m_hWnd, SW_HIDE);
        DiscardPaintCaches();
        const CRect rcWindow = ComputePlacement();
        CaptureScreenBehind(rcWindow);
        ::SetWindowPos(m_hWnd, nullptr, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ComputeServiceButtonRects();
        SetClosingSound(CExtSoundPlayer::SOUND_MENU_EXPAND);
        m_nAnimationType = g_bAnimateMenuExpand ? ANIMATION_EXPAND : ANIMATION_IMMEDIATE;
        BeginOpenAnimation();
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else if (IsWindowAlive()) {
        ComputeServiceButtonRects();
        RepaintNow();
    }
    if (m_hWndCmdReceiver != nullptr && ::IsWindow(m_hWndCmdReceiver))
        ::SendMessageA(m_hWndCmdReceiver, g_nMsgNotifyMenuExpanded, 0, reinterpret_cast<LPARAM>(this));
}

int CExtPopupMenuWnd::HitTestItem(CPoint point) const
{
    for (int nService : {SCROLL_UP_INDEX, SCROLL_DOWN_INDEX, EXPAND_INDEX}) {
        CRect rc;
        if (GetItemRect(nService, &rc, false) && rc.PtInRect(point))
            return nService;
    }
    for (int i = 0; i < CountItems(); ++i) {
        CRect rc;
        if (GetItemRect(i, &rc, false) && rc.PtInRect(point))
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::IsChoiceItem(const MENUITEMDATA& item, bool bByKeyboard) const
{
    // An item with an enabled edit field keeps its own click: the field, or the drop-down part.
    return item.IsSubmenu() && !item.IsInplaceEditEnabled() && item.pChild != nullptr &&
           item.pChild->EndsMenuFromOpeningItem(bByKeyboard);
}

void CExtPopupMenuWnd::ActivateItem(int nIndex, bool bByKeyboard)
{
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || !IsItemSelectable(nIndex))
        return;
    if (pItem->IsInplaceEditEnabled() && !IsHelpMode()) {
        FocusInplaceEdit(nIndex);
        return;
    }
    if (pItem->pfnClick != nullptr && !IsHelpMode()) {
        pItem->nFlagsB ^= MENUITEMDATA::B_TOGGLED;
        pItem->pfnClick(this, pItem);
        if (IsWindowAlive())
            RepaintNow();
        return;
    }
    const bool bChoice = IsChoiceItem(*pItem, bByKeyboard);
    if (pItem->IsSubmenu() && !bChoice) {
        HighlightItem(nIndex, true, true, true);
        return;
    }
    if (pItem->pfnPreCommand != nullptr && pItem->pfnPreCommand(this, pItem))
        return;
    if (bChoice) {
        const HWND hWnd = m_hWnd;
        pItem->pChild->OnChosenFromOpeningItem();
        if (!::IsWindow(hWnd))
            return;
    }
    FinishWithCommand(pItem->nCmdId, pItem->hWndCmdTarget);
}

bool CExtPopupMenuWnd::HandleKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/, bool* pPassThrough)
{
    if (IsInputIgnored())
        return true;
    MENUITEMDATA* pCurrent = ItemDataAt(m_nCurrentItem);
    const bool bInplaceCurrent = pCurrent != nullptr && pCurrent->IsInplaceEditEnabled();
    if (IsFocusInChildWindow() && !(nChar == VK_RETURN && bInplaceCurrent))
        return HandleInplaceEditKey(nChar, pPassThrough);
    if (IsRightToLeft() && (nChar == VK_LEFT || nChar == VK_RIGHT))
        nChar = nChar == VK_LEFT ? VK_RIGHT : VK_LEFT;
    switch (nChar) {
    case VK_RETURN:
        if (bInplaceCurrent) {
            // A visible edit takes Enter itself: it commits and ends the menu.
            if (pCurrent->IsInplaceEditVisible() && IsFocusInChildWindow()) {
                if (pPassThrough != nullptr)
                    *pPassThrough = true;
                return false;
            }
            FocusInplaceEdit(m_nCurrentItem);
            return true;
        }
        if (pCurrent != nullptr && (!pCurrent->IsSubmenu() || IsChoiceItem(*pCurrent, true))) {
            ActivateItem(m_nCurrentItem, true);
            return true;
        }
        [[fallthrough]];
    case VK_RIGHT:
        if (pCurrent != nullptr && pCurrent->IsSubmenu() && pCurrent->pChild != nullptr) {
            if (pCurrent->pChild->IsWindowAlive() && ::IsWindowVisible(pCurrent->pChild->m_hWnd))
                return false;
            ScheduleSubmenuOpen(-1);
            const int nIndex = m_nCurrentItem;
            m_nCurrentItem = -1;  // a new highlight opens the submenu
            HighlightItem(nIndex, true, true, true);
            return true;
        }
        if (PopupIsBarMenuTracking() && m_hWndCmdReceiver != nullptr)
            ::PostMessageA(m_hWndCmdReceiver, IsRightToLeft() ? g_nMsgPopupPrev : g_nMsgPopupNext, 0,
                           reinterpret_cast<LPARAM>(this));
        return true;
    case VK_MENU:
        FinishWithCommand(0, nullptr);
        return true;
    case VK_ESCAPE:
        if (m_pWndParentMenu == nullptr) {
            FinishWithCommand(0, nullptr);
            return true;
        }
        [[fallthrough]];
    case VK_LEFT:
        if (ReturnToParentMenu())
            return true;
        if (PopupIsBarMenuTracking() && m_hWndCmdReceiver != nullptr)
            ::PostMessageA(m_hWndCmdReceiver, IsRightToLeft() ? g_nMsgPopupNext : g_nMsgPopupPrev, 0,
                           reinterpret_cast<LPARAM>(this));
        return true;
    case VK_SPACE:
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (nChar == VK_DOWN && IsKeyDown(VK_CONTROL)) {
            ExpandMenu();
            return true;
        }
        const int nDirection = nChar == VK_UP ? NEXT_UP : nChar == VK_DOWN ? NEXT_DOWN
                               : nChar == VK_PRIOR ? NEXT_PAGE_UP : NEXT_PAGE_DOWN;
        const int nNext = FindNextSelectableItem(nDirection);
        if (nNext == EXPAND_INDEX) {
            const int nPrevious = m_nCurrentItem;
            ExpandMenu();
            if (!IsWindowAlive())
                return true;
            if (nPrevious >= 0) {
                HighlightItem(nPrevious, false, false, true);
                const int nAfter = FindNextSelectableItem(NEXT_DOWN);
                if (nAfter > nPrevious)
                    HighlightItem(nAfter, false, true, true);
            }
            return true;
        }
        if (nNext >= 0 && nNext != m_nCurrentItem)
            HighlightItem(nNext, false, true, true);
        return true;
    }
    default:
        break;
    }
    if (IsKeyDown(VK_SHIFT) || IsKeyDown(VK_CONTROL))
        return false;
    BYTE keys[256] = {};
    WORD wChar = 0;
    if (::ToAsciiEx(nChar, ::MapVirtualKeyA(nChar, MAPVK_VK_TO_VSC), keys, &wChar, 0,
                    ::GetKeyboardLayout(0)) != 1)
        return false;
    const char cChar = static_cast<char>(wChar & 0xFF);
    const int nFound = FindItemByAccelChar(cChar, m_nCurrentItem);
    if (nFound < 0) {
        const MENUITEMDATA* pItem = ItemDataAt(m_nCurrentItem);
        char sz[2] = {cChar, 0};
        ::CharUpperA(sz);
        if (pItem != nullptr && sz[0] != '0' && pItem->cAccelChar == sz[0]) {
            ActivateItem(m_nCurrentItem, true);
            return true;
        }
        return false;
    }
    const bool bUnique = FindItemByAccelChar(cChar, nFound) < 0;
    HighlightItem(nFound, true, true, true);
    if (bUnique && IsWindowAlive() && !ItemDataAt(nFound)->IsSubmenu())
        ActivateItem(nFound, true);
    return true;
}

bool CExtPopupMenuWnd::HandleMouseMove(UINT message, CPoint point, bool* pPassThrough)
{
    if (IsInputIgnored())
        return true;
    if (const int nEditItem = InplaceEditItemAt(point); nEditItem >= 0) {
        if (nEditItem != m_nCurrentItem)
            HighlightItem(nEditItem, false, true, false);
        if (pPassThrough != nullptr)
            *pPassThrough = true;
        return false;
    }
    if (IsFocusInChildWindow())
        return true;
    if (!IsPointInWindow(point)) {
        if (CExtPopupMenuWnd* pParent = m_pWndParentMenu) {
            CPoint ptParent(point);
            ::ClientToScreen(m_hWnd, &ptParent);
            ::ScreenToClient(pParent->m_hWnd, &ptParent);
            if (pParent->HandleMouseMove(message, ptParent, pPassThrough)) {
                m_nHoverItem = -1;
                return true;
            }
        }
        const MENUITEMDATA* pItem = ItemDataAt(m_nCurrentItem);
        if (GetCurrentPopup() == this && pItem != nullptr && m_nHoverItem >= 0 &&
            (!pItem->IsSubmenu() || pItem->pChild == nullptr || pItem->pChild->m_nCurrentItem < 0))
            ReleaseCurrentItem(true);
        m_nHoverItem = -1;
        return false;
    }
    const int nHit = HitTestItem(point);
    if (nHit == EXPAND_INDEX) {
        ReleaseCurrentItem(true);
        if (g_bExpandOnHover) {
            MakeCurrent();
            if (m_nExpandHoverCount == 0) {
                SetTimer(EXPAND_HOVER_TIMER_ID, EXPAND_HOVER_PERIOD_MS, nullptr);
                m_nExpandHoverCount = 1;
            }
        }
        return true;
    }
    if (nHit == SCROLL_UP_INDEX || nHit == SCROLL_DOWN_INDEX)
        return StartScrolling(nHit);
    if (nHit < 0 || !IsItemSelectable(nHit) || nHit == m_nCurrentItem)
        return false;
    ScheduleSubmenuOpen(-1);
    MakeCurrent();
    HighlightItem(nHit, false, true, false);
    m_nHoverItem = nHit;
    const MENUITEMDATA* pItem = ItemDataAt(nHit);
    if (pItem != nullptr && pItem->IsSubmenu()) {
        HideTip(false);
        if (pItem->pChild == nullptr || !pItem->pChild->IsWindowAlive())
            ScheduleSubmenuOpen(nHit);
    } else if (g_bPopupItemTips && GetCurrentPopup() == this) {
        CRect rcItem;
        GetItemRect(nHit, &rcItem, false);
        ShowItemTip(GetItemTipText(nHit), rcItem);
    }
    return true;
}

bool CExtPopupMenuWnd::HandleMouseClick(UINT message, CPoint point, bool* pPassThrough)
{
    if (IsInputIgnored())
        return true;
    if (const int nEditItem = InplaceEditItemAt(point); nEditItem >= 0) {
        if (nEditItem != m_nCurrentItem)
            HighlightItem(nEditItem, false, true, false);
        if (pPassThrough != nullptr)
            *pPassThrough = true;
        return false;
    }
    const bool bUp = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
    if (!IsPointInWindow(point)) {
        if (!bUp)
            return false;
        if (CExtPopupMenuWnd* pParent = m_pWndParentMenu) {
            CPoint ptParent(point);
            ::ClientToScreen(m_hWnd, &ptParent);
            ::ScreenToClient(pParent->m_hWnd, &ptParent);
            bool bParentPass = false;
            if (!pParent->HandleMouseClick(message, ptParent, &bParentPass) || bParentPass)
                return false;
            return true;
        }
        if (message == WM_NCLBUTTONUP) {
            CloseTree(false);
            return false;
        }
        // A menu opened from a tool-bar button outlives the release of the press that opened
        // it; any other release outside closes it.
        if (PopupIsBarMenuTracking()) {
            CPoint ptScreen(point);
            ::ClientToScreen(m_hWnd, &ptScreen);
            if (!PopupIsOnMenuTrackingButton(ptScreen))
                CloseTree(false);
        }
        return true;
    }
    const int nHit = HitTestItem(point);
    if (!bUp)
        return nHit >= 0 || nHit == EXPAND_INDEX;
    if (nHit == EXPAND_INDEX) {
        ExpandMenu();
        return true;
    }
    if (nHit == SCROLL_UP_INDEX || nHit == SCROLL_DOWN_INDEX)
        return StartScrolling(nHit);
    if (nHit < 0)
        return false;
    if (!IsItemSelectable(nHit)) {
        ReleaseCurrentItem(true);
        MakeCurrent();
        return true;
    }
    const MENUITEMDATA* pItem = ItemDataAt(nHit);
    if (pItem->IsInplaceEditEnabled() && !IsHelpMode()) {
        CRect rcEdit;
        // A submenu's drop-down part opens the submenu; the rest of the item focuses the edit.
        if (!pItem->IsSubmenu() || (GetInplaceEditRect(nHit, &rcEdit) && point.x < rcEdit.right)) {
            MakeCurrent();
            if (nHit != m_nCurrentItem)
                HighlightItem(nHit, false, true, false);
            FocusInplaceEdit(nHit);
            return true;
        }
        ReleaseCurrentItem(false);
    }
    if (pItem->IsSubmenu() && !IsChoiceItem(*pItem, false)) {
        if (pItem->pChild != nullptr && pItem->pChild->IsWindowAlive() && ::IsWindowVisible(pItem->pChild->m_hWnd))
            return false;
        m_nCurrentItem = -1;
        HighlightItem(nHit, true, true, false);
        return true;
    }
    ActivateItem(nHit, false);
    return true;
}

void CExtPopupMenuWnd::OnMenuTimer(UINT_PTR nIDEvent)
{
    CExtPopupMenuTrackingState* pState = GetTrackingState();
    if (nIDEvent == SUBMENU_OPEN_TIMER_ID) {
        if (pState->m_pAnimatingPopup != nullptr)
            return;
        KillTimer(SUBMENU_OPEN_TIMER_ID);
        const int nPending = m_nPendingSubmenuItem;
        m_nPendingSubmenuItem = -1;
        if (pState->IsEnding() || nPending < 0)
            return;
        CPoint pt;
        CRect rc;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        if (GetItemRect(nPending, &rc, false) && rc.PtInRect(pt)) {
            if (nPending == m_nCurrentItem)
                m_nCurrentItem = -1;
            HighlightItem(nPending, true, true, false);
        }
        return;
    }
    if (nIDEvent == SCROLL_TIMER_ID) {
        ScheduleSubmenuOpen(-1);
        if (MENUITEMDATA* pItem = ItemDataAt(m_nCurrentItem); pItem != nullptr && pItem->pChild != nullptr)
            ReleaseCurrentItem(true);
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        m_nScrollDirection = ::PtInRect(&m_rcScrollUp, pt)     ? SCROLL_STEP
                             : ::PtInRect(&m_rcScrollDown, pt) ? -SCROLL_STEP
                                                               : 0;
        const int nMin = GetMinScrollPos();
        m_nScrollPos += m_nScrollDirection;
        if (m_nScrollPos >= 1 || m_nScrollPos < nMin || m_nScrollDirection == 0) {
            m_nScrollPos = std::max(nMin, std::min(m_nScrollPos, 0));
            KillTimer(SCROLL_TIMER_ID);
            m_nScrollDirection = 0;
        }
        Invalidate(FALSE);
        return;
    }
    if (nIDEvent == EXPAND_HOVER_TIMER_ID) {
        m_nExpandHoverCount = (m_nExpandHoverCount < 2 ? 0 : m_nExpandHoverCount) + EXPAND_HOVER_STEP;
        if (m_nExpandHoverCount <= EXPAND_HOVER_LIMIT)
            return;
        KillTimer(EXPAND_HOVER_TIMER_ID);
        m_nExpandHoverCount = 0;
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        if ((m_nMenuFlags & MENU_HAS_EXPAND) != 0 && pState->m_pAnimatingPopup == nullptr &&
            ::PtInRect(&m_rcExpandButton, pt))
            ExpandMenu();
    }
}

bool CExtPopupMenuWnd::ReturnToParentMenu()
{
    CExtPopupMenuWnd* pParent = m_pWndParentMenu;
    if (pParent == nullptr)
        return false;
    // Releasing the parent's item closes this popup: nothing of it is touched afterwards.
    const int nParentItem = pParent->m_nCurrentItem;
    pParent->MakeCurrent();
    pParent->ReleaseCurrentItem(false);
    if (pParent->IsWindowAlive())
        pParent->HighlightItem(nParentItem, false, true, true);
    pParent->MakeCurrent();
    return true;
}

void CExtPopupMenuWnd::ShowItemTip(LPCSTR lpszText, const RECT& rcClient)
{
    if (lpszText == nullptr || *lpszText == 0 || !IsWindowAlive()) {
        HideTip(false);
        return;
    }
    CRect rcScreen(rcClient);
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rcScreen.left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rcScreen.right));
    m_wndTip.SetText(lpszText);
    m_wndTip.Show(this, &rcScreen);
}

CString CExtPopupMenuWnd::GetItemTipText(int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || pItem->IsSeparator() || pItem->IsSubmenu() || pItem->IsCustom())
        return CString();
    if (CExtCmdManager::IsSystemCommandId(pItem->nCmdId)) {
        // The framework's prompt for a window command: status text, a line break, the tip.
        static constexpr struct
        {
            UINT nCommand;
            UINT nPromptId;
        } prompts[] = {{SC_SIZE, 0xEF00},       {SC_MOVE, 0xEF01},       {SC_MINIMIZE, 0xEF02},
                       {SC_MAXIMIZE, 0xEF03},   {SC_NEXTWINDOW, 0xEF04}, {SC_PREVWINDOW, 0xEF05},
                       {SC_CLOSE, 0xEF06},      {SC_RESTORE, 0xEF12},    {SC_TASKLIST, 0xEF13}};
        for (const auto& prompt : prompts) {
            if ((pItem->nCmdId & 0xFFF0) != prompt.nCommand)
                continue;
            CString sPrompt = g_ResourceManagerHolder->LoadStringOrDefault(prompt.nPromptId, "");
            const int nBreak = sPrompt.ReverseFind('\n');
            return nBreak >= 0 ? sPrompt.Left(nBreak) : sPrompt;
        }
        return CString();
    }
    const HWND hWndTarget = pItem->hWndCmdTarget != nullptr ? pItem->hWndCmdTarget : m_hWndCmdReceiver;
    LPCSTR lpszProfile = hWndTarget != nullptr ? g_CmdManager->FindProfileNameForWindow(hWndTarget) : nullptr;
    const CExtCmdItem* pCmd = lpszProfile != nullptr ? g_CmdManager->FindCommand(lpszProfile, pItem->nCmdId) : nullptr;
    return pCmd != nullptr ? pCmd->m_sTipTool : CString();
}
