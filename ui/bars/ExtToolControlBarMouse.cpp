// The tool bar's mouse: hit tests, the hot button, presses under capture, and the drop-down
// menus opened from its buttons, with sliding from one open drop-down to the next.
#include "ui/bars/ExtToolControlBar.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/FrameWnd.h"
#include "ui/bars/ExtBarContentExpandButton.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtMenuControlBar.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"

#include <cmath>

namespace
{
// Distance a nearest-button search starts from: a farther button never wins.
constexpr int kFarthest = 32767;
// Answers of the context-help hit tests.
constexpr int kHelpHitNoHelp = -2;
constexpr int kHelpHitNone = -3;
// Help ids of the window-management system commands.
constexpr int kSysCommandHelpBase = 0x1EF00;
constexpr UINT kSysCommandBase = 0xF000;
// The signed client point of a mouse message.
CPoint MousePoint(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}
constexpr UINT kSysCommandsWithHelp[] = {SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_NEXTWINDOW,
                                         SC_PREVWINDOW, SC_CLOSE, SC_RESTORE, SC_TASKLIST};

// The popups end the bars' tracking through this when a menu tree closes.
struct CancellerInstaller
{
    CancellerInstaller() { PopupSetBarsMenuTrackingCanceller(&CExtToolControlBar::CancelAllBarsMenuTracking); }
    ~CancellerInstaller() { PopupSetBarsMenuTrackingCanceller(nullptr); }
} g_CancellerInstaller;
} // namespace

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

int CExtToolControlBar::HitTest(CPoint point) const { return HitTestImpl(point, 0, TBBS_SEPARATOR, false); }

int CExtToolControlBar::HitTestImpl(CPoint point, DWORD dwRequiredStyle, DWORD dwExcludedStyle, bool bNearest) const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return -1;
    if (!bNearest && ::GetCapture() == m_hWnd) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (::WindowFromPoint(ptScreen) != m_hWnd)
            return -1;
    }
    const bool bRowsAlongX = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nBest = -1;
    int nBestDistance = kFarthest;
    bool bBestCovers = false;
    for (int i = 0; i < GetButtonCount(); ++i) {
        const CExtBarButton* pButton = m_buttons[i];
        const DWORD dwStyle = pButton->GetStyle();
        if (!pButton->IsVisible() || !IsCountedButton(i) || (dwStyle & dwRequiredStyle) != dwRequiredStyle ||
            (dwStyle & dwExcludedStyle) != 0)
            continue;
        const CRect rc = pButton->GetRect();
        if (rc.PtInRect(point))
            return i;
        if (!bNearest)
            continue;
        const bool bCovers = bRowsAlongX ? (point.y >= rc.top && point.y < rc.bottom)
                                         : (point.x >= rc.left && point.x < rc.right);
        const CPoint ptCentre = rc.CenterPoint();
        const int nDistance = static_cast<int>(std::hypot(double(point.x - ptCentre.x), double(point.y - ptCentre.y)));
        if ((bCovers && !bBestCovers) || (bCovers == bBestCovers && nDistance < nBestDistance)) {
            nBest = i;
            nBestDistance = nDistance;
            bBestCovers = bCovers;
        }
    }
    return nBest;
}

bool CExtToolControlBar::UpdateHoverButton(CPoint point)
{
    if (point.x < 0 || point.y < 0) {
        if (!::GetCursorPos(&point))
            return false;
        ScreenToClient(&point);
    }
    // Buttons light up only in the window the user works in, or over an open menu's bar.
    const bool bHoverAllowed = IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true) ||
                               CExtPopupMenuWnd::IsTrackingActive();
    int nHit = bHoverAllowed ? HitTest(point) : -1;
    // In context-help mode only the buttons that open a menu become hot.
    if (CExtBarButton* pHit = GetButtonByIndex(nHit);
        pHit != nullptr && m_pDockSite != nullptr && IsFrameInHelpMode(m_pDockSite) && !pHit->CanTrackMenuEx(false))
        nHit = -1;
    if (nHit == m_nBtnIdxHover)
        return false;
    if (CExtBarButton* pOld = GetButtonByIndex(m_nBtnIdxHover)) {
        const int nOld = m_nBtnIdxHover;
        m_nBtnIdxHover = -1;
        pOld->SetHover(false);
        InvalidateButton(nOld);
        UpdateWindow();
        pOld->OnHover(point, false);
    }
    m_nBtnIdxHover = nHit;
    CExtBarButton* pNew = GetButtonByIndex(nHit);
    if (pNew == nullptr || m_hWnd == nullptr)
        return true;
    if ((ExtBarDetail::IsKindOfNamed(pNew, "CExtBarMdiRightButton") || pNew->IsDisabled()) && g_bButtonMenuTracking)
        return true;
    pNew->SetHover(true);
    InvalidateButton(nHit);
    UpdateWindow();
    pNew->OnHover(point, true);
    return true;
}

void CExtToolControlBar::SetTrackingButton(int nIndex)
{
    if (CExtBarButton* pOld = GetButtonByIndex(m_nBtnIdxMenuTracking)) {
        pOld->ModifyStyle(0, TBBS_CHECKED | TBBS_PRESSED | TBBS_INDETERMINATE);
        pOld->ClearPressedHighlight();
        InvalidateButton(m_nBtnIdxMenuTracking);
    }
    m_nBtnIdxMenuTracking = nIndex;
    if (CExtBarButton* pNew = GetButtonByIndex(nIndex)) {
        pNew->ModifyStyle(TBBS_PRESSED, TBBS_CHECKED | TBBS_INDETERMINATE);
        pNew->SetPressedHighlight();
        InvalidateButton(nIndex);
    } else {
        m_nBtnIdxMenuTracking = -1;
    }
    if (m_hWnd != nullptr)
        UpdateWindow();
}

void CExtToolControlBar::CancelAllBarsMenuTracking()
{
    g_bButtonMenuTracking = false;
    {
        CSingleLock lock(&g_csBars, TRUE);
        for (INT_PTR i = 0; i < g_AllBars.GetSize(); ++i) {
            CExtControlBar* pBar = g_AllBars[i];
            if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)))
                static_cast<CExtToolControlBar*>(pBar)->SetTrackingButton(-1);
        }
    }
    if (CExtPopupMenuWnd::IsTrackingActive())
        CExtPopupMenuWnd::EndActiveTracking();
    CWnd::CancelToolTips();
}

void CExtToolControlBar::PaintTrackedButtonCallback(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                                    const RECT* pExcludeArea, int)
{
    auto* pBar = static_cast<CExtToolControlBar*>(pCookie);
    CExtBarButton* pButton = pBar != nullptr ? pBar->GetButtonByIndex(pBar->m_nBtnIdxMenuTracking) : nullptr;
    if (pButton == nullptr || pExcludeArea == nullptr || ::IsRectEmpty(pExcludeArea) || pBar->GetSafeHwnd() == nullptr)
        return;
    // Over a gradient background the open chevron is left to the bar's own picture.
    if (pButton == pBar->GetContentExpandButton() && !pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar)) &&
        !pBar->m_bInDialog && g_PaintManagerHolder->HasBackgroundBehindControls(pBar, 0) &&
        !g_PaintManagerHolder->IsPaletteDisplay())
        return;
    const DWORD dwStyle = pButton->GetStyle();
    const bool bHover = pButton->IsHover();
    pButton->SetHover(false);
    pButton->SetStyle(dwStyle & ~(TBBS_CHECKED | TBBS_PRESSED | TBBS_CHECKBOX));
    CPoint ptBar(0, 0);
    pBar->ClientToScreen(&ptBar);
    CPoint ptPopup(0, 0);
    ::ClientToScreen(popup.GetSafeHwnd(), &ptPopup);
    const CPoint ptOldOrg = dc.OffsetViewportOrg(ptBar.x - ptPopup.x, ptBar.y - ptPopup.y);
    g_PaintManagerHolder->DrawToolbarGradient(dc, pButton, 0);
    pButton->Paint(dc, !pBar->IsDockedAtLeftOrRight());
    dc.SetViewportOrg(ptOldOrg.x, ptOldOrg.y);
    pButton->SetHover(bHover);
    pButton->SetStyle(dwStyle);
}

bool CExtToolControlBar::TrackButtonMenu(int nIndex, bool bKeyboardStyle, bool bPost, bool bSelectFirst)
{
    if (IsDockedInFrameOnly())
        return false;
    if (g_bButtonMenuTracking && m_nBtnIdxMenuTracking == nIndex && nIndex >= 0)
        return true;
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (!IsShownOrShow() || pButton == nullptr || (pButton->GetStyle() & (TBBS_HIDDEN | TBBS_DISABLED)) != 0 ||
        !pButton->CanTrackMenuEx(false))
        return false;
    CPoint point;
    if (!::GetCursorPos(&point))
        return false;
    if (bPost) {
        PostMessage(g_nMsgTrackButtonMenu, static_cast<WPARAM>(nIndex), bSelectFirst ? 1 : 0);
        return true;
    }
    ScreenToClient(&point);
    pButton->OnTrackPopup(point, bKeyboardStyle, bSelectFirst);
    return true;
}

LRESULT CExtToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam)
{
    CWnd* pTarget = m_bInDialog ? (GetOwner() != nullptr ? GetOwner() : GetParent())
                                : (m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : GetParentFrame());
    if (pTarget == nullptr || !pTarget->IsWindowEnabled() || GetButtonCount() == 0)
        return 0;
    CExtBarButton* pButton = GetButtonByIndex(static_cast<int>(wParam));
    if (pButton == nullptr) {
        CancelAllBarsMenuTracking();
        return 0;
    }
    if (pButton->CanTrackMenuEx(false) && CExtPopupMenuWnd::IsTrackingActive()) {
        TrackButtonMenu(static_cast<int>(wParam), true, false, lParam != 0);
        return 0;
    }
    CancelAllBarsMenuTracking();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return 0;
}

INT_PTR CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (!IsTooltipsOption() || m_nBtnIdxMenuTracking >= 0 || CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    const int nIndex = HitTest(point);
    const INT_PTR nHit = nIndex >= 0 ? m_buttons[nIndex]->OnToolHitTest(point, pTI) : -1;
    return nHit != -1 ? nHit : CExtControlBar::OnToolHitTest(point, pTI);
}

void CExtToolControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point);
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr) {
        CExtControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    m_nBtnIdxCapture = nIndex;
    UpdateButtonCmdUI(nIndex);
    if ((g_bButtonMenuTracking && m_nBtnIdxMenuTracking == nIndex) ||
        (pButton->IsDisabled() && !pButton->CanTrackMenu())) {
        m_nBtnIdxCapture = -1;
        return;
    }
    const HWND hWndBar = m_hWnd;
    pButton->ModifyStyle(TBBS_PRESSED);
    pButton->SetPressedHighlight();
    InvalidateButton(nIndex);
    UpdateWindow();
    pButton->OnClick(point, true);
    if (!::IsWindow(hWndBar))
        return;
    CWnd* pCtrl = pButton->GetCtrl();
    const bool bCtrlAbsentOrHidden =
        pCtrl == nullptr || !::IsWindow(pCtrl->GetSafeHwnd()) || !pCtrl->IsWindowVisible();
    if (m_nBtnIdxMenuTracking < 0 && bCtrlAbsentOrHidden)
        SetCapture();
    else
        m_nBtnIdxCapture = -1;
}

void CExtToolControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CExtBarButton* pButton = GetButtonByIndex(HitTestImpl(point, 0, 0, false));
    if (pButton == nullptr) {
        if (IsFloating())
            CExtControlBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (pButton->OnDblClick(point))
        return;
    if (IsFloating() || !pButton->IsSeparator()) {
        // A second click in quick succession is another press.
        SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
        if (m_hWnd != nullptr)
            SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        return;
    }
    ToggleDockedFloating();
}

void CExtToolControlBar::ReleasePress(int nIndex)
{
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr)
        return;
    if (nIndex != m_nBtnIdxMenuTracking)
        SetButtonStyleAt(nIndex, pButton->GetStyle() & ~TBBS_PRESSED);
    pButton->ClearPressedHighlight();
    InvalidateButton(nIndex);
}

void CExtToolControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    const int nCaptured = m_nBtnIdxCapture;
    CExtBarButton* pButton = GetButtonByIndex(nCaptured);
    if (pButton == nullptr) {
        CExtControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    m_nBtnIdxCapture = -1;
    pButton->ClearPressedHighlight();
    InvalidateButton(nCaptured);
    const bool bOver = HitTest(point) == nCaptured;
    // Only the press goes: checked, disabled, check-box and hidden bits stand until the next update.
    DWORD dwNewStyle = pButton->GetStyle() & ~TBBS_PRESSED;
    if (bOver) {
        UpdateButtonCmdUI(nCaptured);
        const DWORD dwUpdated = pButton->GetStyle();
        if ((dwUpdated & TBBS_DISABLED) == 0 && (dwUpdated & TBBS_CHECKBOX) != 0)
            dwNewStyle = (dwNewStyle & ~TBBS_INDETERMINATE) ^ TBBS_CHECKED;
    }
    const HWND hWndBar = m_hWnd;
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
    if (bOver && GetButtonByIndex(nCaptured) == pButton) {
        pButton->OnClick(point, false);
        if (!::IsWindow(hWndBar))
            return;
    }
    if (m_nBtnIdxMenuTracking < 0 && GetButtonByIndex(nCaptured) == pButton) {
        SetButtonStyleAt(nCaptured, dwNewStyle);
        UpdateButtonCmdUI(nCaptured);
    }
}

void CExtToolControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nBtnIdxCapture >= 0) {
        // Moving off shows the button raised, moving back shows it pressed again.
        CExtBarButton* pButton = m_buttons[m_nBtnIdxCapture];
        const bool bOver = HitTest(point) == m_nBtnIdxCapture;
        if (bOver != ((pButton->GetStyle() & TBBS_PRESSED) != 0)) {
            pButton->ModifyStyle(bOver ? TBBS_PRESSED : 0, bOver ? 0 : TBBS_PRESSED);
            InvalidateButton(m_nBtnIdxCapture);
        }
        return;
    }
    if (UpdateHoverButton(point) && m_nBtnIdxHover >= 0) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    CExtControlBar::OnMouseMove(nFlags, point);
}

void CExtToolControlBar::OnCancelMode()
{
    CExtControlBar::OnCancelMode();
    const int nCaptured = m_nBtnIdxCapture;
    const int nHover = m_nBtnIdxHover;
    m_nBtnIdxCapture = -1;
    ReleasePress(nCaptured);
    if (CExtBarButton* pHot = GetButtonByIndex(nHover)) {
        m_nBtnIdxHover = -1;
        pHot->SetHover(false);
        CPoint pt(-1, -1);
        if (::GetCursorPos(&pt))
            ScreenToClient(&pt);
        pHot->OnHover(pt, false);
    }
    if (nCaptured < 0 && nHover < 0)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CExtToolControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if ((m_nBtnIdxCapture >= 0 || m_nBtnIdxHover >= 0) && (pWnd == nullptr || pWnd->GetSafeHwnd() != m_hWnd))
        SendMessage(WM_CANCELMODE);
    CExtControlBar::OnCaptureChanged(pWnd);
}

int CExtToolControlBar::HitTestForHelp(int x, int y)
{
    CExtBarButton* pButton = GetButtonByIndex(HitTest(CPoint(x, y)));
    if (pButton == nullptr)
        return CExtControlBar::HitTestForHelp(x, y);
    const int nHit = pButton->OnHelpHitTest(CPoint(x, y));
    return nHit == -1 || nHit == kHelpHitNoHelp ? kHelpHitNoHelp : nHit;
}

int CExtToolControlBar::RunHelpMenuLoop()
{
    if (m_pDockSite == nullptr || !IsFrameInHelpMode(m_pDockSite) || g_bHelpMenuLoopActive)
        return kHelpHitNone;
    g_bHelpMenuLoopActive = true;
    const HWND hWndSite = m_pDockSite->GetSafeHwnd();
    const HWND hWndBar = m_hWnd;
    int nResult = kHelpHitNone;
    for (;;) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!::IsWindow(hWndSite) || !::IsWindow(hWndBar) || !IsFrameInHelpMode(m_pDockSite))
                break;
            ::WaitMessage();
            continue;
        }
        auto* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(msg.hwnd));
        if (msg.message == WM_LBUTTONDOWN && pBar != nullptr) {
            const int nHit = pBar->HitTestForHelp(MousePoint(msg.lParam).x, MousePoint(msg.lParam).y);
            if (nHit > 0) {
                ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
                nResult = nHit;
                break;
            }
        } else if (msg.message == WM_MOUSEMOVE && pBar != nullptr) {
            if (pBar->OnMouseMoveTracking(static_cast<UINT>(msg.wParam), MousePoint(msg.lParam))) {
                ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
                continue;
            }
        } else if (msg.message == WM_COMMAND && HIWORD(msg.wParam) <= 1) {
            ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
            nResult = LOWORD(msg.wParam);
            break;
        } else if (msg.message == WM_SYSCOMMAND) {
            ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
            const UINT nCode = static_cast<UINT>(msg.wParam) & 0xFFF0;
            nResult = static_cast<int>(msg.wParam);
            for (UINT nWithHelp : kSysCommandsWithHelp)
                if (nCode == nWithHelp)
                    nResult = kSysCommandHelpBase + static_cast<int>((nCode - kSysCommandBase) >> 4);
            break;
        }
        if (!AfxPumpMessage()) {
            // The pump took a WM_QUIT: it belongs to the application's own loop.
            const MSG* pQuit = AfxGetCurrentMessage();
            ::PostQuitMessage(pQuit != nullptr ? static_cast<int>(pQuit->wParam) : 0);
            break;
        }
    }
    g_bHelpMenuLoopActive = false;
    return nResult;
}
