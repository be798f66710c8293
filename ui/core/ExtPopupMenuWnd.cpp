#include "ui/core/ExtPopupMenuWnd.h"

#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupServices.h"

IMPLEMENT_DYNAMIC(CExtPopupMenuWnd, CExtPopupBaseWnd)

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
    ON_WM_TIMER()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CExtPopupMenuWnd::CExtPopupMenuWnd() = default;

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    CloseTree(true);
    // Deletes the submenus the items own.
    BuildItemsFromMenu(nullptr);
    CExtPopupMenuTrackingState* pState = GetTrackingState();
    // Whatever the state still remembers of this popup would dangle.
    if (pState->m_pCurrentPopup == this)
        pState->m_pCurrentPopup = nullptr;
    if (pState->m_pAnimatingPopup == this)
        pState->m_pAnimatingPopup = nullptr;
    if (pState->m_pTrackedPopup == this)
        pState->m_pTrackedPopup = nullptr;
}

CExtPopupMenuTrackingState* CExtPopupMenuWnd::GetTrackingState() const
{
    return &g_PopupMenuTrackingState;
}

bool CExtPopupMenuWnd::IsTrackingActive()
{
    return g_PopupMenuTrackingState.m_pTrackedPopup != nullptr;
}

void CExtPopupMenuWnd::EndActiveTracking()
{
    if (IsTrackingActive() && !g_PopupMenuTrackingState.IsEnding())
        g_PopupMenuTrackingState.EndTracking();
}

void CExtPopupMenuWnd::PumpPendingMessages(bool bRunIdle)
{
    // Each message is removed before it is handled: a thread hook may eat the message a peek
    // saw, and a blocking get would then wait for input that never comes.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (!bRunIdle)
        return;
    CWinThread* pThread = AfxGetThread();
    for (LONG lCount = 0; pThread != nullptr && pThread->OnIdle(lCount); ++lCount) {
    }
}

void CExtPopupMenuWnd::MakeCurrent()
{
    GetTrackingState()->m_pCurrentPopup = IsWindowAlive() ? this : nullptr;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetCurrentPopup() const
{
    return GetTrackingState()->m_pCurrentPopup;
}

void CExtPopupMenuWnd::ReleaseCurrent()
{
    CExtPopupMenuTrackingState* pState = GetTrackingState();
    if (IsTrackingActive() && !pState->IsEnding() && pState->m_pCurrentPopup == this)
        pState->m_pCurrentPopup = nullptr;
}

bool CExtPopupMenuWnd::IsInputIgnored() const
{
    const CExtPopupMenuTrackingState* pState = GetTrackingState();
    return !IsAnimationFinished() || pState->IsEnding() || pState->m_pTrackedPopup == nullptr ||
           pState->m_pAnimatingPopup != nullptr;
}

bool CExtPopupMenuWnd::HandleMouseWheel(WPARAM /*wParam*/, LPARAM /*lParam*/, bool* /*pPassThrough*/)
{
    return true;
}

void CExtPopupMenuWnd::CloseTree(bool bKeepWindow)
{
    PopupShowIdlePrompt(m_hWndCmdReceiver);
    if (!IsNonTrackingMode()) {
        HideTip(false);
        DiscardPaintCaches();
        ReleaseCurrent();
    }
    for (MENUITEMDATA& item : m_items) {
        item.nFlagsA &= static_cast<BYTE>(~MENUITEMDATA::A_HIGHLIGHTED);
        if (item.pChild != nullptr && item.pChild->IsWindowAlive())
            item.pChild->CloseTree(false);
    }
    m_nCurrentItem = -1;
    m_nHoverItem = -1;
    if (bKeepWindow || !IsWindowAlive())
        return;
    ShowWindow(SW_HIDE);
    KillTimer(SUBMENU_OPEN_TIMER_ID);
    m_nPendingSubmenuItem = -1;
    DestroyWindow();
}

void CExtPopupMenuWnd::DiscardPaintCaches()
{
    m_shadowPopup.Reset();
    m_shadowExclude.Reset();
    FreeAnimationStorage();
    if (IsWindowAlive())
        KillTimer(ANIMATION_TIMER_ID);
}

bool CExtPopupMenuWnd::IsPointInWindow(CPoint point) const
{
    if (!IsWindowAlive())
        return false;
    POINT pt = point;
    ::ClientToScreen(m_hWnd, &pt);
    return ::WindowFromPoint(pt) == m_hWnd;
}

bool CExtPopupMenuWnd::IsTipShown() const
{
    return !IsNonTrackingMode() && GetCurrentPopup() == this && m_wndTip.GetSafeHwnd() != nullptr &&
           ::IsWindowVisible(m_wndTip.GetSafeHwnd());
}

void CExtPopupMenuWnd::HideTip(bool bFinishAnimation)
{
    if (m_wndTip.GetSafeHwnd() == nullptr)
        return;
    if (bFinishAnimation && GetTrackingState()->m_pAnimatingPopup == nullptr) {
        // One immediate step repaints what the balloon covered.
        m_nAnimationType = ANIMATION_IMMEDIATE;
        CExtPopupBaseWnd::BeginOpenAnimation();
    }
    m_wndTip.Hide();
}

void CExtPopupMenuWnd::BeginOpenAnimation()
{
    if (IsNonTrackingMode())
        return;
    if (IsWindowAlive())
        KillTimer(SUBMENU_OPEN_TIMER_ID);
    m_nPendingSubmenuItem = -1;
    HideTip(false);
    CExtPopupBaseWnd::BeginOpenAnimation();
    if (IsWindowAlive())
        GetTrackingState()->m_pAnimatingPopup = IsAnimationFinished() ? nullptr : this;
}

void CExtPopupMenuWnd::OnAnimationFinished()
{
    CExtPopupBaseWnd::OnAnimationFinished();
    Invalidate(FALSE);
    MakeCurrent();
}

void CExtPopupMenuWnd::PaintAnimationFrame(CDC& dc)
{
    PaintAnimationFrames(dc, m_nCombinedSide);
}

BOOL CExtPopupMenuWnd::DestroyWindow()
{
    if (m_wndTip.GetSafeHwnd() != nullptr)
        m_wndTip.DestroyWindow();
    DestroyInplaceEdits();
    m_bDestroying = true;
    const BOOL bResult = CExtPopupBaseWnd::DestroyWindow();
    m_bDestroying = false;
    if (m_bEndTrackingAfterDestroy) {
        m_bEndTrackingAfterDestroy = false;
        // Deletes this popup: nothing may touch it afterwards.
        GetTrackingState()->EndTracking();
    }
    return bResult;
}

void CExtPopupMenuWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SUBMENU_OPEN_TIMER_ID || nIDEvent == SCROLL_TIMER_ID || nIDEvent == EXPAND_HOVER_TIMER_ID) {
        OnMenuTimer(nIDEvent);
        return;
    }
    CExtPopupBaseWnd::OnTimer(nIDEvent);
    if (nIDEvent != ANIMATION_TIMER_ID || !IsAnimationFinished())
        return;
    CExtPopupMenuTrackingState* pState = GetTrackingState();
    if (pState->m_pAnimatingPopup == this)
        pState->m_pAnimatingPopup = nullptr;
}

void CExtPopupMenuWnd::OnCancelMode()
{
    if (!IsNonTrackingMode())
        GetTrackingState()->EndTracking();
}

void CExtPopupMenuWnd::PostNcDestroy()
{
    // The tracking state deletes the tree: never delete here.
    CExtPopupMenuTrackingState* pState = GetTrackingState();
    if (!IsTopLevel() || IsNonTrackingMode() || pState->m_pTrackedPopup != this)
        return;
    // Whoever opened the menu (a menu bar keeps a popup-up state) learns that it closed.
    if (HWND hWndTarget = GetCommandTargetWindow(); ::IsWindow(hWndTarget))
        ::SendMessageA(hWndTarget, g_nMsgNotifyMenuClosed, 0, reinterpret_cast<LPARAM>(this));
    if (pState->IsEnding())
        return;
    if (m_bDestroying)
        m_bEndTrackingAfterDestroy = true;
    else
        pState->EndTracking();
}
