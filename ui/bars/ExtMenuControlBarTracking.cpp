// The menu bar's menu tracking: the system menus of the frame and of the active MDI child as
// framework popups, moving between open popups, and the hooked messages of the frame, the MDI
// client and the active child.
#include "ui/bars/ExtMenuControlBar.h"

#include "ui/core/ExtPopupMenuWnd.h"

namespace
{
constexpr UINT kTrackOwnerDraw = 0x800;
constexpr UINT kTrackCombined = 0x20;
constexpr UINT kTrackKeyboard = 0x40;
constexpr UINT kTrackExpanded = 0x100;
constexpr UINT kAlignMask = 0xF;
constexpr UINT kAlignLeft = 3;
constexpr UINT kAlignBelow = 4;

bool IsMenuOrAcceleratorCommand(WPARAM wParam, LPARAM lParam) { return lParam == 0 && HIWORD(wParam) <= 1; }
} // namespace

void CExtMenuControlBar::CancelFocusMode()
{
    if (CExtPopupMenuWnd::IsTrackingActive())
        return;
    if (const HWND hWndFocus = ::GetFocus())
        ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
}

// --- system menus ---------------------------------------------------------------------------------

bool CExtMenuControlBar::TrackSystemMenu(CWnd* pTarget, const POINT* pPoint, bool bFromKeyboardOrButton,
                                         const RECT* pExclude, UINT nAlignment, bool bCombined)
{
    SetKeyboardMode(false, -1, true);
    const bool bWasTracking = g_bButtonMenuTracking;
    const int nOpenButton = m_nBtnIdxMenuTracking;
    CancelAllBarsMenuTracking();
    const HWND hWndTarget = pTarget != nullptr ? pTarget->GetSafeHwnd() : nullptr;
    const HMENU hSysMenu = hWndTarget != nullptr ? ::GetSystemMenu(hWndTarget, FALSE) : nullptr;
    if (hSysMenu == nullptr || !::IsMenu(hSysMenu))
        return false;
    auto* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->PrepareEmptyPopup(hWndTarget) ||
        !pPopup->FillFromMenu(hWndTarget, CMenu::FromHandle(hSysMenu), false, true, false)) {
        delete pPopup;
        return false;
    }
    const bool bRightToLeft = (::GetWindowLongA(hWndTarget, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    CPoint pt;
    if (pPoint != nullptr) {
        pt = *pPoint;
    } else {
        CRect rcWindow;
        ::GetWindowRect(hWndTarget, &rcWindow);
        POINT ptClient{0, 0};
        ::ClientToScreen(hWndTarget, &ptClient);
        pt.y = ptClient.y;
        const int nInset = ::IsZoomed(hWndTarget) ? 0 : ::GetSystemMetrics(SM_CXFRAME);
        pt.x = bRightToLeft ? rcWindow.right - nInset : rcWindow.left + nInset;
    }
    UINT nFlags = nAlignment == static_cast<UINT>(-1) ? 0 : nAlignment;
    if ((nFlags & kAlignMask) == 0)
        nFlags |= bRightToLeft ? kAlignLeft : kAlignBelow;
    if (bFromKeyboardOrButton)
        nFlags |= kTrackKeyboard;
    if (bWasTracking)
        nFlags |= kTrackExpanded;
    ::SetFocus(hWndTarget);
    g_bButtonMenuTracking = bFromKeyboardOrButton && bWasTracking;
    if (nOpenButton >= 0)
        SetTrackingButton(nOpenButton);
    CWnd* pNotified = m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : GetParent();
    if (pNotified != nullptr)
        pNotified->SendMessage(g_nMsgPrepareSystemMenu, reinterpret_cast<WPARAM>(pPopup),
                               reinterpret_cast<LPARAM>(pTarget));
    if (bRightToLeft && !bCombined)
        pt.x += pPopup->GetShadowSize();
    const CRect rcExclude = pExclude != nullptr ? CRect(*pExclude) : CRect(pt.x, pt.y, pt.x, pt.y);
    const HWND hWndBar = m_hWnd;
    if (!pPopup->StartTracking(nFlags | kTrackOwnerDraw | (bCombined ? kTrackCombined : 0), pt.x, pt.y, &rcExclude,
                               bCombined ? this : nullptr,
                               bCombined ? &CExtToolControlBar::PaintTrackedButtonCallback : nullptr, nullptr,
                               bCombined)) {
        delete pPopup;
        if (::IsWindow(hWndBar))
            CancelAllBarsMenuTracking();
        return false;
    }
    g_bButtonMenuTracking = true;
    return true;
}

bool CExtMenuControlBar::TrackFrameSystemMenu(const POINT* pPoint, bool bKeyboard)
{
    if ((m_nOptionBits & OPT_TRACK_FRAME_SYSMENU) == 0)
        return false;
    CWnd* pTarget = GetTopLevelNonChild(m_bInDialog ? GetParent() : GetDockSiteOrFrame());
    if (pTarget == nullptr)
        return false;
    g_bButtonMenuTracking = true;
    SetTrackingButton(-1);
    const bool bTracked = TrackSystemMenu(pTarget, pPoint, bKeyboard, nullptr, static_cast<UINT>(-1), false);
    SetPopupFromBarUp(bTracked);
    return bTracked;
}

bool CExtMenuControlBar::TrackMdiChildSystemMenu(const POINT* pPoint, bool bKeyboard)
{
    if ((m_nOptionBits & OPT_TRACK_CHILD_SYSMENU) == 0 || !IsMdiApp())
        return false;
    if (HasMdiDocButtonFirst()) {
        CancelFocusMode();
        return TrackButtonMenu(0, false, false, false);
    }
    CWnd* pTarget = CWnd::FromHandle(GetActiveMdiChild());
    if (pTarget == nullptr)
        return false;
    g_bButtonMenuTracking = true;
    SetTrackingButton(-1);
    const bool bTracked = TrackSystemMenu(pTarget, pPoint, bKeyboard, nullptr, static_cast<UINT>(-1), false);
    SetPopupFromBarUp(bTracked);
    return bTracked;
}

void CExtMenuControlBar::SetPopupFromBarUp(bool bUp)
{
    m_nMenuBarState = bUp ? (m_nMenuBarState | STATE_POPUP_UP) : (m_nMenuBarState & ~STATE_POPUP_UP);
}

// --- moving between popups -------------------------------------------------------------------------

int CExtMenuControlBar::NeighbourButton(int nFrom, bool bNext) const
{
    return FindNextButtonForKeyboard(nFrom, bNext, true);
}

void CExtMenuControlBar::OpenNeighbour(int nIndex)
{
    if (nIndex >= 0)
        TrackButtonMenu(nIndex, true, false, (m_nOptionBits & OPT_KEYBOARD_SELECT_FIRST) != 0);
}

bool CExtMenuControlBar::OnFramePopupNextPrev(bool bNext)
{
    const int nCurrent = m_nBtnIdxMenuTracking;
    const bool bPreview = IsDockSiteInPrintPreview();
    if (nCurrent < 0) {
        if (!bNext) {
            OpenNeighbour(NeighbourButton(-1, false));
            return true;
        }
        if (!IsPopupFromBarUp())
            return true;
        if (IsMdiApp() && GetActiveMdiChild() != nullptr) {
            if (TrackMdiChildSystemMenu(nullptr, true))
                return true;
            if ((m_nOptionBits & OPT_TRACK_CHILD_SYSMENU) != 0)
                return false;
        }
        OpenNeighbour(NeighbourButton(-1, true));
        return true;
    }
    const int nNeighbour = NeighbourButton(nCurrent, bNext);
    const bool bWraps = bNext ? nNeighbour <= nCurrent : nNeighbour >= nCurrent;
    if (bWraps && !m_bInDialog) {
        bool bTracked = false;
        if (!bNext && GetActiveMdiChild() != nullptr && !bPreview)
            bTracked = TrackMdiChildSystemMenu(nullptr, true);
        else
            bTracked = TrackFrameSystemMenu(nullptr, true);
        if (bTracked)
            return true;
        if ((m_nOptionBits & OPT_TRACK_FRAME_SYSMENU) != 0)
            return false;
    }
    if (!bPreview)
        OpenNeighbour(nNeighbour);
    return true;
}

bool CExtMenuControlBar::OnChildPopupNextPrev(bool bNext)
{
    if (!bNext) {
        if (TrackFrameSystemMenu(nullptr, true))
            return true;
        if ((m_nOptionBits & OPT_TRACK_FRAME_SYSMENU) != 0)
            return false;
        OpenNeighbour(NeighbourButton(m_nBtnIdxMenuTracking, false));
        return true;
    }
    if (m_nBtnIdxMenuTracking < 0 && !IsPopupFromBarUp())
        return true;
    OpenNeighbour(NeighbourButton(m_nBtnIdxMenuTracking, true));
    return true;
}

// --- hooked messages ---------------------------------------------------------------------------------

bool CExtMenuControlBar::PreTranslateHooked(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    MSG msg{hWnd, nMessage, wParam, lParam, 0, {0, 0}};
    return PreTranslateFrameMessage(&msg);
}

void CExtMenuControlBar::CancelOnFrameChange()
{
    const HWND hWndCapture = ::GetCapture();
    if (hWndCapture != nullptr &&
        (hWndCapture == m_hWnd || DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWndCapture)) != nullptr))
        ::ReleaseCapture();
    SetKeyboardMode(false, -1, true);
    if (g_bButtonMenuTracking)
        CancelAllBarsMenuTracking();
}

bool CExtMenuControlBar::DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                               LPARAM& lParam)
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        bool bConsumed = false;
        if (!m_bInDialog && hWndHooked == m_hWndHooked) {
            bConsumed = DispatchMdiChildMessage(lResult, hWndHooked, nMessage, wParam, lParam);
        } else if (IsMdiApp() && hWndHooked == FindMdiClient()) {
            bConsumed = DispatchMdiClientMessage(lResult, nMessage, wParam, lParam);
            if (!bConsumed && PreTranslateHooked(hWndHooked, nMessage, wParam, lParam)) {
                lResult = 0;
                bConsumed = true;
            }
        } else {
            bConsumed = DispatchFrameMessage(lResult, hWndHooked, nMessage, wParam, lParam);
        }
        if (bConsumed)
            return true;
    }
    return CExtHookSink::DispatchHookedMessage(lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::DispatchFrameMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam,
                                              LPARAM lParam)
{
    const bool bInFrame = !m_bInDialog;
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed) {
        SetPopupFromBarUp(false);
        return false;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgPopupNext || nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev) {
        if (!OnFramePopupNextPrev(nMessage == CExtPopupMenuWnd::g_nMsgPopupNext))
            return false;
        lResult = 0;
        return true;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded) {
        g_bMenuExpanded = true;
        lResult = 0;
        return true;
    }
    switch (nMessage) {
    case WM_COMMAND:
        if (!IsMenuOrAcceleratorCommand(wParam, lParam))
            break;
        [[fallthrough]];
    case WM_SIZE:
    case WM_ACTIVATEAPP:
    case WM_SYSCOMMAND:
        CancelOnFrameChange();
        return false;
    case WM_PARENTNOTIFY:
        if (!CExtPopupMenuWnd::IsTrackingActive())
            return false;
        lResult = 0;
        return true;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
        const bool bRight = nMessage == WM_NCRBUTTONUP;
        if (!bInFrame || !(wParam == HTSYSMENU || (bRight && wParam == HTCAPTION)))
            break;
        g_bMenuExpanded = false;
        lResult = 0;
        CPoint ptCursor;
        if (bRight && !::GetCursorPos(&ptCursor))
            return true;
        return TrackFrameSystemMenu(bRight ? &ptCursor : nullptr, false);
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        if (!bInFrame)
            break;
        if (wParam == HTSYSMENU) {
            CFrameWnd* pFrame = GetDockSiteOrFrame();
            if ((m_nOptionBits & OPT_TRACK_FRAME_SYSMENU) == 0 && pFrame != nullptr &&
                hWndHooked == pFrame->GetSafeHwnd())
                return false;
            lResult = 0;
            return true;
        }
        if (nMessage != WM_NCRBUTTONDOWN || wParam != HTCAPTION)
            break;
        g_bMenuExpanded = false;
        CPoint ptCursor;
        if (!::GetCursorPos(&ptCursor) || !TrackFrameSystemMenu(&ptCursor, false))
            return false;
        lResult = 0;
        return true;
    }
    default:
        break;
    }
    if (bInFrame)
        RemoveFrameWin32Menu();
    if (!PreTranslateHooked(hWndHooked, nMessage, wParam, lParam))
        return false;
    lResult = 0;
    return true;
}

bool CExtMenuControlBar::DispatchMdiChildMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam,
                                                 LPARAM lParam)
{
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed) {
        SetPopupFromBarUp(false);
        lResult = 0;
        return true;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgPopupNext || nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev) {
        if (!OnChildPopupNextPrev(nMessage == CExtPopupMenuWnd::g_nMsgPopupNext))
            return false;
        lResult = 0;
        return true;
    }
    switch (nMessage) {
    case WM_PARENTNOTIFY:
        if (!CExtPopupMenuWnd::IsTrackingActive())
            return false;
        lResult = 0;
        return true;
    case WM_COMMAND:
        if (!IsMenuOrAcceleratorCommand(wParam, lParam))
            break;
        [[fallthrough]];
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_ACTIVATEAPP:
    case WM_SYSCOMMAND: {
        CancelOnFrameChange();
        CExtPopupMenuWnd::EndActiveTracking();
        const auto* pPos = nMessage == WM_WINDOWPOSCHANGED ? reinterpret_cast<const WINDOWPOS*>(lParam) : nullptr;
        const bool bFrameChanged = pPos != nullptr && (pPos->flags & SWP_FRAMECHANGED) != 0;
        if (nMessage != WM_SIZE && (nMessage != WM_WINDOWPOSCHANGED || bFrameChanged))
            RemoveFrameWin32Menu();
        if (bFrameChanged) {
            const bool bMaximized = ::IsZoomed(hWndHooked) != FALSE;
            if (!bMaximized || (GetButtonCount() > 0 && !HasMdiDocButtonFirst()))
                PostUpdateMenuBar();
        }
        return false;
    }
    default:
        break;
    }
    if (IsDockSiteInPrintPreview()) {
        lResult = 0;
        return true;
    }
    const bool bMinimized = ::IsIconic(hWndHooked) != FALSE;
    const bool bOpensMenu = (nMessage == WM_NCLBUTTONDOWN && wParam == HTCAPTION && bMinimized) ||
                            (nMessage == WM_NCLBUTTONUP && wParam == HTSYSMENU) ||
                            (nMessage == WM_NCRBUTTONUP && (wParam == HTCAPTION || wParam == HTSYSMENU)) ||
                            (nMessage == WM_NCRBUTTONDOWN && wParam == HTCAPTION);
    if (bOpensMenu) {
        g_bMenuExpanded = false;
        const bool bRight = nMessage == WM_NCRBUTTONUP || nMessage == WM_NCRBUTTONDOWN;
        CPoint ptCursor;
        if (bRight && !::GetCursorPos(&ptCursor))
            return false;
        if (!TrackMdiChildSystemMenu(bRight ? &ptCursor : nullptr, false))
            return false;
        lResult = 0;
        return true;
    }
    if (nMessage == WM_NCLBUTTONUP && wParam == HTCAPTION && bMinimized) {
        lResult = 0;
        return true;
    }
    if ((nMessage == WM_NCLBUTTONDOWN || nMessage == WM_NCRBUTTONDOWN) && wParam == HTSYSMENU) {
        if ((m_nOptionBits & OPT_TRACK_CHILD_SYSMENU) == 0)
            return false;
        lResult = 0;
        return true;
    }
    if (!PreTranslateHooked(hWndHooked, nMessage, wParam, lParam))
        return false;
    lResult = 0;
    return true;
}
