#include "ui/core/ExtPopupMenuTrackingState.h"

#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"

CExtPopupMenuTrackingState g_PopupMenuTrackingState;
DWORD CExtPopupMenuTrackingState::g_dwLastKeyTime = 0;

namespace {

constexpr LPARAM KEY_UP_TRANSITION = LPARAM(1) << 31;
constexpr LPARAM KEY_ALT_CONTEXT = LPARAM(1) << 29;

bool IsButtonMessage(UINT message)
{
    switch (message) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

bool IsButtonDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsLive(const CExtPopupMenuWnd* pPopup)
{
    return pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr && ::IsWindow(pPopup->GetSafeHwnd());
}

} // namespace

CExtPopupMenuTrackingState::~CExtPopupMenuTrackingState()
{
    EndTracking();
}

void CExtPopupMenuTrackingState::SetTrackedPopup(CExtPopupMenuWnd* pPopup)
{
    if (m_pTrackedPopup == pPopup && pPopup != nullptr)
        return;
    if (m_pTrackedPopup != nullptr)
        EndTracking();
    if (pPopup == nullptr)
        return;
    m_pTrackedPopup = pPopup;
    // A hook that cannot be installed is tried again at the next tracking.
    const DWORD dwThreadId = ::GetCurrentThreadId();
    if (m_hMouseHook == nullptr)
        m_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, &MouseHookProc, nullptr, dwThreadId);
    if (m_hKeyboardHook == nullptr)
        m_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, &KeyboardHookProc, nullptr, dwThreadId);
}

void CExtPopupMenuTrackingState::EndTracking()
{
    const BYTE nOldFlags = m_nFlags;
    m_nFlags |= FLAG_ENDING;
    m_pCurrentPopup = nullptr;
    m_pAnimatingPopup = nullptr;
    m_pResultCmdId = nullptr;
    if (CExtPopupMenuWnd* pPopup = m_pTrackedPopup) {
        pPopup->BuildItemsFromMenu(nullptr);
        if (IsLive(pPopup)) {
            HWND hWndOwner = ::GetWindow(pPopup->GetSafeHwnd(), GW_OWNER);
            if (hWndOwner == nullptr)
                hWndOwner = ::GetParent(pPopup->GetSafeHwnd());
            PopupShowIdlePrompt(hWndOwner);
            pPopup->DestroyWindow();
            CExtPopupMenuWnd::PumpPendingMessages(false);
        }
        // The pump may have ended a nested tracking of the same popup already.
        if (m_pTrackedPopup == pPopup) {
            m_pTrackedPopup = nullptr;
            delete pPopup;
        }
    }
    if (m_hMouseHook != nullptr) {
        ::UnhookWindowsHookEx(m_hMouseHook);
        m_hMouseHook = nullptr;
    }
    if (m_hKeyboardHook != nullptr) {
        ::UnhookWindowsHookEx(m_hKeyboardHook);
        m_hKeyboardHook = nullptr;
    }
    // A nested end leaves the outer one's flag in place.
    m_nFlags = BYTE(nOldFlags & FLAG_ENDING ? m_nFlags : m_nFlags & ~FLAG_ENDING);
    // A menu opened from a bar button ends the bars' tracking with it.
    if (PopupIsBarMenuTracking())
        PopupCancelBarsMenuTracking();
}

bool CExtPopupMenuTrackingState::IsPointInPopupChain(POINT ptScreen) const
{
    for (const CExtPopupMenuWnd* pPopup = m_pCurrentPopup; pPopup != nullptr; pPopup = pPopup->GetParentMenuWnd()) {
        if (!IsLive(pPopup))
            continue;
        POINT ptClient = ptScreen;
        ::ScreenToClient(pPopup->GetSafeHwnd(), &ptClient);
        if (pPopup->IsPointInWindow(ptClient))
            return true;
        const HWND hTip = pPopup->GetTipWnd().GetSafeHwnd();
        RECT rcTip{};
        if (hTip != nullptr && ::IsWindowVisible(hTip) && ::GetWindowRect(hTip, &rcTip) && ::PtInRect(&rcTip, ptScreen))
            return true;
    }
    return false;
}

LRESULT CALLBACK CExtPopupMenuTrackingState::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    // Nothing may unwind through the system's hook frames.
    try {
        return g_PopupMenuTrackingState.HandleMouse(nCode, wParam, lParam);
    } catch (...) {
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
}

LRESULT CALLBACK CExtPopupMenuTrackingState::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    try {
        return g_PopupMenuTrackingState.HandleKeyboard(nCode, wParam, lParam);
    } catch (...) {
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
}

LRESULT CExtPopupMenuTrackingState::HandleMouse(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION || m_pTrackedPopup == nullptr || IsEnding())
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    CExtPopupMenuWnd* pCurrent = m_pCurrentPopup;
    if (!IsLive(pCurrent))
        return 1;
    const UINT message = UINT(wParam);
    const auto* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    const HWND hWndCurrent = pCurrent->GetSafeHwnd();
    POINT ptClient = pHook->pt;
    ::ScreenToClient(hWndCurrent, &ptClient);
    if (IsButtonMessage(message)) {
        bool bPassThrough = false;
        const bool bHandled = pCurrent->HandleMouseClick(message, ptClient, &bPassThrough);
        if (bHandled || !::IsWindow(hWndCurrent))
            return 1;
        if (bPassThrough)
            return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
        if (IsPointInPopupChain(pHook->pt))
            return 1;
        if (m_pTrackedPopup != nullptr && !IsEnding())
            m_pTrackedPopup->CloseTree(false);
        // The press reaches the window under the cursor; the other half of the click is the
        // menu's.
        if (IsButtonDown(message) || !CExtPopupBaseWnd::g_bSwallowOutsideClicks)
            return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
        return 1;
    }
    if (message == WM_MOUSEMOVE) {
        bool bPassThrough = false;
        if (pCurrent->HandleMouseMove(message, ptClient, &bPassThrough))
            return 1;
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    if (message == WM_MOUSEWHEEL) {
        bool bPassThrough = false;
        const auto* pWheel = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam);
        const WPARAM wWheel = MAKEWPARAM(0, HIWORD(pWheel->mouseData));
        if (pCurrent->HandleMouseWheel(wWheel, MAKELPARAM(pHook->pt.x, pHook->pt.y), &bPassThrough) || !bPassThrough)
            return 1;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CExtPopupMenuTrackingState::HandleKeyboard(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION)
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    CExtPopupMenuWnd* pCurrent = m_pCurrentPopup;
    if (m_pTrackedPopup != nullptr && !IsEnding() && IsLive(pCurrent)) {
        if ((lParam & KEY_UP_TRANSITION) != 0)
            return 1;
        const DWORD dwNow = ::GetTickCount();
        const HWND hFocus = ::GetFocus();
        const HWND hFocusParent = hFocus != nullptr ? ::GetParent(hFocus) : nullptr;
        const bool bInPlaceEdit = hFocus != nullptr && (::GetWindowLongA(hFocus, GWL_STYLE) & WS_CHILD) != 0 &&
                                  hFocusParent != nullptr &&
                                  CWnd::FromHandlePermanent(hFocusParent) != nullptr &&
                                  CWnd::FromHandlePermanent(hFocusParent)->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd));
        if (dwNow - g_dwLastKeyTime < MIN_KEY_INTERVAL_MS && !bInPlaceEdit)
            return 1;
        g_dwLastKeyTime = dwNow;
        bool bPassThrough = false;
        const bool bHandled = pCurrent->HandleKeyDown(UINT(wParam), LOWORD(lParam), HIWORD(lParam), &bPassThrough);
        if (!bHandled && bPassThrough)
            return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
        return 1;
    }
    if (PopupIsBarMenuTracking() || !IsModifierKeyDown(lParam) || (lParam & KEY_UP_TRANSITION) == 0)
        return 1;
    if (m_pTrackedPopup != nullptr && !IsEnding())
        EndTracking();
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

bool IsHoverAllowedForActiveWindow(HWND hWnd, HWND hWndActive, bool bNeedEnabled, bool bNeedVisible,
                                   bool bFailWhileMenuTracked)
{
    if (bFailWhileMenuTracked && CExtPopupMenuWnd::IsTrackingActive())
        return false;
    if (hWnd == nullptr || hWndActive == nullptr || !::IsWindow(hWnd) || !::IsWindow(hWndActive))
        return false;
    if (bNeedEnabled && (!::IsWindowEnabled(hWnd) || !::IsWindowEnabled(hWndActive)))
        return false;
    if (bNeedVisible && ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) == 0 ||
                         (::GetWindowLongA(hWndActive, GWL_STYLE) & WS_VISIBLE) == 0))
        return false;
    auto isCandidate = [](HWND h) { return (::GetWindowLongA(h, GWL_STYLE) & (WS_VISIBLE | WS_POPUP)) != 0; };
    for (HWND hAncestor = ::GetParent(hWnd); hAncestor != nullptr; hAncestor = ::GetParent(hAncestor)) {
        if (!isCandidate(hAncestor))
            continue;
        if (hAncestor == hWndActive)
            return true;
        for (HWND hUp = ::GetParent(hWndActive); hUp != nullptr; hUp = ::GetParent(hUp))
            if (hUp == hAncestor && isCandidate(hUp))
                return true;
    }
    return false;
}

bool IsModifierKeyDown(LPARAM lParam)
{
    if ((lParam & KEY_ALT_CONTEXT) != 0)
        return true;
    for (int nKey : {VK_MENU, VK_RMENU, VK_LMENU, VK_CONTROL, VK_RCONTROL, VK_LCONTROL, VK_SHIFT, VK_RSHIFT, VK_LSHIFT})
        if ((::GetKeyState(nKey) & 0x8000) != 0)
            return true;
    return false;
}
