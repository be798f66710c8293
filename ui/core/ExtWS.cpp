#include "ui/core/ExtWS.h"

#include "platform/mfc/PaintDC.h"
#include "platform/mfc/WinApp.h"
#include "ui/core/ExtADLG.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
constexpr char PLACEMENT_FORMAT[] = "%d,%d,%d,%d,%d,%d";
constexpr char PLACEMENT_SCAN_FORMAT[] = "%d,%d,%d,%d,%d,%d%n";
constexpr int PLACEMENT_FIELDS = 6;
constexpr UINT RESTORE_REDRAW_FLAGS = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
constexpr LPARAM ALT_CONTEXT_BIT = 1 << 29;
constexpr int PALETTE_BITS_PER_PIXEL = 8;
constexpr int CLASS_NAME_LENGTH = 260;
constexpr UINT SYSMENU_TRACK = 4;
constexpr UINT SYSMENU_TRACK_RTL = 3;
constexpr UINT SYSMENU_TRACK_KEYBOARD = 0x40;
constexpr UINT SYSMENU_TIMER_MS = 20;
constexpr UINT PLACEMENT_FLAGS_KEPT = WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED | 0x0004; // async placement

// Keeps the dialog's own painting off the visible children that paint their own background.
void ClipOutOpaqueChildren(HWND hWnd, HDC hDC)
{
    CExtPaintManager::ClipOutChildWindows(hDC, hWnd, CExtPaintManager::TransparentChildFilter);
}

CExtPaintManager* PaintManager()
{
    if (g_PaintManagerHolder.GetFirstMember() == nullptr)
        g_PaintManagerHolder.ReplaceManager(nullptr);
    return g_PaintManagerHolder.GetFirstMember();
}

// Backgrounds behind controls are painted only where the screen shows more than a palette.
bool PaintsBackgroundBehind(CObject* pOwner)
{
    CExtPaintManager* pPM = PaintManager();
    return pPM != nullptr && pPM->HasBackgroundBehindControls(pOwner, 0) &&
           CExtPaintManager::GetDisplayBitsPerPixel() > PALETTE_BITS_PER_PIXEL;
}

// A window counts as a dialog when it is one of ours or its class is the system's dialog class.
bool IsDialogWindow(CWnd* pWnd)
{
    if (pWnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        return true;
    char szClass[CLASS_NAME_LENGTH] = {};
    ::GetClassNameA(pWnd->m_hWnd, szClass, CLASS_NAME_LENGTH);
    return std::strchr(szClass, '#') != nullptr;
}

// One brush of the control face for every dialog, made again when the colour changes.
HBRUSH ControlFaceBrush()
{
    static HBRUSH s_hBrush = nullptr;
    static COLORREF s_clrBrush = COLORREF(-1);
    CExtPaintManager* pPM = PaintManager();
    const COLORREF clr =
        pPM != nullptr ? pPM->ColorByIndex(CExtPaintManager::CLRID_FACE) : ::GetSysColor(COLOR_BTNFACE);
    if (s_hBrush == nullptr || clr != s_clrBrush)
    {
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        if (hBrush == nullptr)
            return s_hBrush;
        if (s_hBrush != nullptr)
            ::DeleteObject(s_hBrush);
        s_hBrush = hBrush;
        s_clrBrush = clr;
    }
    return s_hBrush;
}
} // namespace

template <class TBase, UINT nSysMenuTimerId>
void CExtWS<TBase, nSysMenuTimerId>::ShowSizeGripper(bool bShow)
{
    if (bShow == IsSizeGripperShown())
        return;
    m_nWsFlags = static_cast<BYTE>(bShow ? (m_nWsFlags | FLAG_GRIPPER) : (m_nWsFlags & ~FLAG_GRIPPER));
    if (this->m_hWnd != nullptr)
        ::InvalidateRect(this->m_hWnd, &m_rcGripper, TRUE);
}

template <class TBase, UINT nSysMenuTimerId>
bool CExtWS<TBase, nSysMenuTimerId>::ParsePlacement(LPCSTR lpszText, WINDOWPLACEMENT& wp)
{
    if (lpszText == nullptr)
        return false;
    int values[PLACEMENT_FIELDS] = {};
    int nConsumed = 0;
    // Six numbers and nothing after them.
    if (std::sscanf(lpszText, PLACEMENT_SCAN_FORMAT, &values[0], &values[1], &values[2], &values[3], &values[4],
                    &values[5], &nConsumed) != PLACEMENT_FIELDS ||
        lpszText[nConsumed] != '\0')
        return false;
    const RECT rc = {values[0], values[1], values[2], values[3]};
    if (rc.right <= rc.left || rc.bottom <= rc.top || values[4] < SW_HIDE || values[4] > SW_MAX)
        return false;
    wp.rcNormalPosition = rc;
    wp.showCmd = static_cast<UINT>(values[4]);
    wp.flags = static_cast<UINT>(values[5]) & PLACEMENT_FLAGS_KEPT;
    return true;
}

template <class TBase, UINT nSysMenuTimerId>
void CExtWS<TBase, nSysMenuTimerId>::SavePlacement()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || this->m_hWnd == nullptr)
        return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (!::GetWindowPlacement(this->m_hWnd, &wp))
        return;
    CString text;
    text.Format(PLACEMENT_FORMAT, static_cast<int>(wp.rcNormalPosition.left), static_cast<int>(wp.rcNormalPosition.top),
                static_cast<int>(wp.rcNormalPosition.right), static_cast<int>(wp.rcNormalPosition.bottom),
                static_cast<int>(wp.showCmd), static_cast<int>(wp.flags));
    pApp->WriteProfileString(m_sPlacementSection, m_sPlacementEntry, text);
}

template <class TBase, UINT nSysMenuTimerId>
void CExtWS<TBase, nSysMenuTimerId>::RestorePlacement(bool bHidden)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || this->m_hWnd == nullptr)
        return;
    const CString text = pApp->GetProfileString(m_sPlacementSection, m_sPlacementEntry);
    if (text.IsEmpty())
        return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (::GetWindowPlacement(this->m_hWnd, &wp) && ParsePlacement(text, wp))
    {
        // A placement saved on a monitor that is gone comes back onto the nearest work area.
        HMONITOR hMonitor = ::MonitorFromRect(&wp.rcNormalPosition, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        RECT rcVisible;
        if (hMonitor != nullptr && ::GetMonitorInfoA(hMonitor, &info) &&
            !::IntersectRect(&rcVisible, &wp.rcNormalPosition, &info.rcWork))
        {
            const LONG cx = wp.rcNormalPosition.right - wp.rcNormalPosition.left;
            const LONG cy = wp.rcNormalPosition.bottom - wp.rcNormalPosition.top;
            const LONG x = std::max(info.rcWork.left, std::min(wp.rcNormalPosition.left, info.rcWork.right - cx));
            const LONG y = std::max(info.rcWork.top, std::min(wp.rcNormalPosition.top, info.rcWork.bottom - cy));
            wp.rcNormalPosition = {x, y, x + cx, y + cy};
        }
        if (bHidden)
            wp.showCmd = SW_HIDE;
        ::SetWindowPlacement(this->m_hWnd, &wp);
    }
    ::RedrawWindow(this->m_hWnd, nullptr, nullptr, RESTORE_REDRAW_FLAGS);
}

template <class TBase, UINT nSysMenuTimerId>
void CExtWS<TBase, nSysMenuTimerId>::EnablePlacementPersistence(LPCSTR lpszSection, LPCSTR lpszEntry, bool bHidden)
{
    m_sPlacementSection = lpszSection != nullptr ? lpszSection : "";
    m_sPlacementEntry = lpszEntry != nullptr ? lpszEntry : "";
    m_nWsFlags |= FLAG_PERSISTENT;
    if (this->m_hWnd != nullptr)
        RestorePlacement(bHidden);
}

template <class TBase, UINT nSysMenuTimerId>
bool CExtWS<TBase, nSysMenuTimerId>::ShowSystemMenu(const POINT* pPoint, bool bFromKeyboard)
{
    if (this->m_hWnd == nullptr || (this->GetStyle() & WS_POPUP) == 0)
        return false;
    CExtPopupMenuWnd::EndActiveTracking();
    m_nWsFlags &= ~FLAG_SYSMENU_TRACKING;
    CMenu* pSysMenu = this->GetSystemMenu(FALSE);
    auto* pPopup = new CExtPopupMenuWnd;
    if (pSysMenu == nullptr || !pPopup->PrepareEmptyPopup(this->m_hWnd) ||
        !pPopup->FillFromMenu(this->m_hWnd, pSysMenu, false, true, false))
    {
        delete pPopup;
        return false;
    }
    const bool bRightToLeft = (this->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    POINT pt = {0, 0};
    if (pPoint != nullptr)
        pt = *pPoint;
    else
    {
        // Under the caption, at the inner edge of the frame.
        RECT rcWindow;
        this->GetWindowRect(&rcWindow);
        POINT ptClientTop = {0, 0};
        this->ClientToScreen(&ptClientTop);
        const int cxFrame = this->IsZoomed() ? 0 : ::GetSystemMetrics(SM_CXFRAME);
        pt.y = ptClientTop.y;
        pt.x = bRightToLeft ? rcWindow.right - cxFrame + pPopup->GetShadowSize() : rcWindow.left + cxFrame;
    }
    UINT nFlags = bRightToLeft ? SYSMENU_TRACK_RTL : SYSMENU_TRACK;
    if (bFromKeyboard)
        nFlags |= SYSMENU_TRACK_KEYBOARD;
    const HWND hFocus = ::GetFocus();
    if (hFocus != this->m_hWnd && !::IsChild(this->m_hWnd, hFocus))
        this->SetFocus();
    const RECT rcExclude = {pt.x, pt.y, pt.x, pt.y};
    if (!pPopup->StartTracking(nFlags, pt.x, pt.y, &rcExclude))
    {
        delete pPopup;
        return false;
    }
    m_nWsFlags |= FLAG_SYSMENU_TRACKING;
    this->SetTimer(nSysMenuTimerId, SYSMENU_TIMER_MS, nullptr);
    return true;
}

template <class TBase, UINT nSysMenuTimerId>
BOOL CExtWS<TBase, nSysMenuTimerId>::PreTranslateMessage(MSG* pMsg)
{
    const bool bAltSpace = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN ||
                            pMsg->message == WM_SYSKEYUP) &&
                           (pMsg->lParam & ALT_CONTEXT_BIT) != 0 && pMsg->wParam == VK_SPACE;
    if (bAltSpace && this->m_hWnd != nullptr && (this->GetStyle() & WS_POPUP) != 0)
    {
        if (pMsg->message != WM_SYSKEYUP && (this->GetStyle() & WS_SYSMENU) != 0)
        {
            HWND hActive = ::GetActiveWindow();
            const bool bPopupActive = hActive != nullptr && (::GetWindowLongA(hActive, GWL_STYLE) & WS_POPUP) != 0;
            if (hActive == this->m_hWnd || (hActive != nullptr && !bPopupActive))
                ShowSystemMenu(nullptr, true);
        }
        return TRUE;
    }
    return TBase::PreTranslateMessage(pMsg);
}

template <class TBase, UINT nSysMenuTimerId>
void CExtWS<TBase, nSysMenuTimerId>::PostNcDestroy()
{
    m_nWsFlags &= ~FLAG_ALIVE;
    TBase::PostNcDestroy();
}

template <class TBase, UINT nSysMenuTimerId>
void CExtWS<TBase, nSysMenuTimerId>::OnWsPaint()
{
    CPaintDC dc(this);
    CExtPaintManager* pPM = PaintManager();
    if (pPM == nullptr)
        return;
    if (pPM->HasBackgroundBehindControls(this, 0))
    {
        const int nSaved = dc.SaveDC();
        ClipOutOpaqueChildren(this->m_hWnd, dc.m_hDC);
        pPM->DrawBackgroundBehind(true, dc, this);
        dc.RestoreDC(nSaved);
    }
    if (IsSizeGripperShown() && !this->IsZoomed())
    {
        pPM->DrawSizeGripper(dc, m_rcGripper, this);
        pPM->NotifyPaintDone(this, 0);
    }
}

template <class TBase, UINT nSysMenuTimerId>
LRESULT CExtWS<TBase, nSysMenuTimerId>::OnWsSize(WPARAM wParam, LPARAM lParam)
{
    // A background painted behind the controls depends on the whole client size: repaint all.
    const bool bRepaint = this->IsWindowVisible() && PaintsBackgroundBehind(this);
    if (IsSizeGripperShown() && !bRepaint)
        ::InvalidateRect(this->m_hWnd, &m_rcGripper, TRUE);
    const LRESULT lResult = TBase::WindowProc(WM_SIZE, wParam, lParam);
    RECT rcClient = {0, 0, 0, 0};
    ::GetClientRect(this->m_hWnd, &rcClient);
    m_rcGripper = {rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL),
                   rcClient.bottom - ::GetSystemMetrics(SM_CYHSCROLL), rcClient.right, rcClient.bottom};
    if (bRepaint)
        ::InvalidateRect(this->m_hWnd, nullptr, TRUE);
    else if (IsSizeGripperShown())
        ::InvalidateRect(this->m_hWnd, &m_rcGripper, TRUE);
    if (!bRepaint)
        return lResult;
    if (IsDialogWindow(this))
    {
        for (HWND hChild = ::GetWindow(this->m_hWnd, GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            if (!::IsWindowVisible(hChild))
                continue;
            ::InvalidateRect(hChild, nullptr, TRUE);
            RECT rcWindow, rcChildClient;
            ::GetWindowRect(hChild, &rcWindow);
            ::GetClientRect(hChild, &rcChildClient);
            if (rcWindow.right - rcWindow.left != rcChildClient.right ||
                rcWindow.bottom - rcWindow.top != rcChildClient.bottom)
                ::PostMessageA(hChild, WM_NCPAINT, 0, 0);
        }
    }
    CExtPaintManager::DispatchPendingPaintMessages();
    return lResult;
}

template <class TBase, UINT nSysMenuTimerId>
LRESULT CExtWS<TBase, nSysMenuTimerId>::OnWsCtlColor(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hControl = reinterpret_cast<HWND>(lParam);
    if (message == WM_CTLCOLORSTATIC)
    {
        // Statics of other classes (edits shown read-only among them) keep the system's colours.
        char szClass[CLASS_NAME_LENGTH] = {};
        ::GetClassNameA(hControl, szClass, CLASS_NAME_LENGTH);
        if (::lstrcmpiA(szClass, "static") != 0)
            return TBase::WindowProc(message, wParam, lParam);
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        CExtPaintManager* pPM = PaintManager();
        if ((this->GetStyle() & WS_CHILD) != 0 && pPM != nullptr && pPM->HasBackgroundBehindControls(this, 0))
            return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<LRESULT>(ControlFaceBrush());
}

template <class TBase, UINT nSysMenuTimerId>
LRESULT CExtWS<TBase, nSysMenuTimerId>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DESTROY:
        if ((m_nWsFlags & FLAG_PERSISTENT) != 0)
            SavePlacement();
        break;
    case WM_SIZE:
        return OnWsSize(wParam, lParam);
    case WM_WINDOWPOSCHANGED:
    {
        const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
        if (this->IsWindowVisible() && PaintsBackgroundBehind(this))
            ::InvalidateRect(this->m_hWnd, nullptr, TRUE);
        return lResult;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return OnWsCtlColor(message, wParam, lParam);
    case WM_PAINT:
        OnWsPaint();
        return 0;
    case WM_ERASEBKGND:
    {
        CExtPaintManager* pPM = PaintManager();
        if ((this->GetStyle() & WS_CLIPCHILDREN) != 0 && pPM != nullptr && pPM->HasBackgroundBehindControls(this, 0))
            return 1;
        const HDC hDC = reinterpret_cast<HDC>(wParam);
        const int nSaved = ::SaveDC(hDC);
        ClipOutOpaqueChildren(this->m_hWnd, hDC);
        const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
        ::RestoreDC(hDC, nSaved);
        return lResult;
    }
    case WM_NCHITTEST:
    {
        if (IsSizeGripperShown() && !this->IsZoomed())
        {
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ScreenToClient(this->m_hWnd, &pt);
            if (::PtInRect(&m_rcGripper, pt))
                return (this->GetExStyle() & WS_EX_LAYOUTRTL) != 0 ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
        }
        break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        if (wParam == HTSYSMENU)
            return 0;
        if (message == WM_NCRBUTTONDOWN && wParam == HTCAPTION)
        {
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ShowSystemMenu(&pt, false);
        }
        break;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
        if (wParam == HTSYSMENU)
            ShowSystemMenu(nullptr, false);
        else if (message == WM_NCRBUTTONUP && wParam == HTCAPTION)
        {
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ShowSystemMenu(&pt, false);
        }
        break;
    case WM_TIMER:
        if (wParam == nSysMenuTimerId)
        {
            if (CExtPopupMenuWnd::IsTrackingActive())
                return 0;
            m_nWsFlags &= ~FLAG_SYSMENU_TRACKING;
            ::KillTimer(this->m_hWnd, nSysMenuTimerId);
            return 0;
        }
        break;
    default:
        break;
    }
    return TBase::WindowProc(message, wParam, lParam);
}

// The framework's dialogs use the layer over the resource dialog with the system-menu timer 301.
template class CExtWS<CExtADLG<CExtResDlg>, 301>;
