// The slider's thread hooks while a bar is slid out: caption-button tracking and clicks, the
// resizing edge, and the keys the area switches tabs with.
#include "ui/bars/ExtDynAutoHideSlider.h"

#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtDynAutoHideArea.h"

#include "platform/mfc/FrameWnd.h"

#include <algorithm>

namespace
{
constexpr UINT kResizeMove = SWP_NOZORDER | SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
// The key data's transition bit: the key is being released.
constexpr LPARAM kKeyUpBit = 0x80000000;

// std::clamp with a range that may be empty: the lower bound wins.
int Clip(int nValue, int nLow, int nHigh)
{
    return std::max(nLow, std::min(nValue, nHigh));
}

bool IsResizeCode(LRESULT nCode)
{
    return nCode == HTLEFT || nCode == HTRIGHT || nCode == HTTOP || nCode == HTBOTTOM;
}

// A click on these buttons moves the bar elsewhere (hidden or docked again), so the slider
// hides before the click runs; the options menu opens over the slider as it stands.
bool ClickHidesSlider(const CExtBarNcAreaButton* pButton)
{
    return !pButton->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonMenu));
}

bool IsHookedSliderActive()
{
    CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::g_pHookedSlider;
    return pSlider != nullptr && pSlider->GetSafeHwnd() != nullptr && pSlider->IsShown() &&
           pSlider->IsWindowVisible();
}
} // namespace

void CExtDynAutoHideSlider::InstallHooks()
{
    const DWORD dwThread = ::GetCurrentThreadId();
    if (g_hMouseHook == nullptr)
        g_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, nullptr, dwThread);
    if (g_hKeyboardHook == nullptr)
        g_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, nullptr, dwThread);
}

void CExtDynAutoHideSlider::RemoveHooks()
{
    if (g_pHookedSlider != this)
        return;
    if (g_hMouseHook != nullptr)
        ::UnhookWindowsHookEx(g_hMouseHook);
    if (g_hKeyboardHook != nullptr)
        ::UnhookWindowsHookEx(g_hKeyboardHook);
    g_hMouseHook = nullptr;
    g_hKeyboardHook = nullptr;
    g_pHookedSlider = nullptr;
}

LRESULT CALLBACK CExtDynAutoHideSlider::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && IsHookedSliderActive()) {
        CExtDynAutoHideSlider* pSlider = g_pHookedSlider;
        POINT pt{};
        const bool bHavePoint = ::GetCursorPos(&pt) != FALSE;
        switch (wParam) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (bHavePoint && pSlider->TrackResize(pt))
                return 1;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP: {
            if (!bHavePoint)
                return 1;
            const bool bLeft = wParam == WM_LBUTTONDOWN || wParam == WM_LBUTTONUP || wParam == WM_NCLBUTTONDOWN ||
                               wParam == WM_NCLBUTTONUP;
            const bool bDown = wParam == WM_LBUTTONDOWN || wParam == WM_RBUTTONDOWN ||
                               wParam == WM_NCLBUTTONDOWN || wParam == WM_NCRBUTTONDOWN;
            const bool bNonClient = wParam >= WM_NCMOUSEMOVE && wParam <= WM_NCMBUTTONDBLCLK;
            if (pSlider->OnHookMouseButton(bLeft ? 1 : 2, bDown, bNonClient, pt))
                return 1;
            break;
        }
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONUP:
            pSlider->m_pPressedButton = nullptr;
            break;
        default:
            break;
        }
    }
    return ::CallNextHookEx(g_hMouseHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtDynAutoHideSlider::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && IsHookedSliderActive() &&
        g_pHookedSlider->OnHookKey(static_cast<UINT>(wParam), lParam))
        return 1;
    return ::CallNextHookEx(g_hKeyboardHook, nCode, wParam, lParam);
}

bool CExtDynAutoHideSlider::OnHookKey(UINT nVirtKey, LPARAM lKeyData)
{
    MSG msg{};
    msg.hwnd = m_hWnd;
    msg.message = (lKeyData & kKeyUpBit) != 0 ? WM_KEYUP : WM_KEYDOWN;
    msg.wParam = nVirtKey;
    msg.lParam = lKeyData;
    return PreTranslateMessage(&msg) != FALSE;
}

BOOL CExtDynAutoHideSlider::PreTranslateMessage(MSG* pMsg)
{
    if (m_pArea != nullptr && m_pArea->GetSafeHwnd() != nullptr && m_pArea->PreTranslateMessage(pMsg))
        return TRUE;
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

bool CExtDynAutoHideSlider::OnHookMouseButton(int nButton, bool bDown, bool /*bNonClient*/, POINT ptScreen)
{
    if (!IsShown() || !IsWindowVisible() || !IsLive())
        return false;
    const HWND hUnder = ::WindowFromPoint(ptScreen);
    const bool bOverSlider = hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    const bool bOverWindow = rcWnd.PtInRect(ptScreen) != FALSE;
    if (nButton == 1 && bDown) {
        if (bOverSlider && !IsResizing()) {
            const LRESULT nHit = SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
            if (IsResizeCode(nHit)) {
                CPoint ptFrame(ptScreen);
                GetParent()->ScreenToClient(&ptFrame);
                m_nResizeEdge = static_cast<int>(nHit);
                m_nResizeStart = m_nResizePos = (nHit == HTLEFT || nHit == HTRIGHT) ? ptFrame.x : ptFrame.y;
                // The release must reach this thread wherever it happens.
                SetCapture();
                return true;
            }
        }
        if (!bOverWindow) {
            m_pPressedButton = nullptr;
            return false;
        }
        CRect rcCaption;
        CalcNcRects(nullptr, nullptr, nullptr, &rcCaption);
        rcCaption.OffsetRect(rcWnd.TopLeft());
        const bool bInCaption = rcCaption.PtInRect(ptScreen) != FALSE;
        if (bInCaption) {
            CWnd* pContent = GetWindow(GW_CHILD);
            (pContent != nullptr ? pContent : this)->SetFocus();
        }
        SendMessage(WM_NCPAINT);
        CExtBarNcAreaButton* pButton = nullptr;
        m_pBar->HitTestNcButtons(ptScreen.x, ptScreen.y, &pButton);
        m_pPressedButton = pButton;
        return pButton != nullptr || bInCaption;
    }
    if (nButton == 1 && !bDown) {
        if (IsResizing()) {
            EndResize();
            return true;
        }
        if (bOverWindow && m_pPressedButton != nullptr) {
            CExtBarNcAreaButton* pPressed = m_pPressedButton;
            m_pPressedButton = nullptr;
            CExtBarNcAreaButton* pHit = nullptr;
            m_pBar->HitTestNcButtons(ptScreen.x, ptScreen.y, &pHit);
            if (pHit != pPressed) {
                SendMessage(WM_NCPAINT);
                return false;
            }
            const CPoint ptWnd(ptScreen.x - rcWnd.left, ptScreen.y - rcWnd.top);
            if (ClickHidesSlider(pPressed))
                SlideBar(m_pBar, false, false);
            pPressed->OnNcAreaClicked(ptWnd);
            return true;
        }
    }
    if (nButton == 2 && bDown && bOverSlider) {
        if (!IsFocusInSlider())
            SetFocus();
        return false;
    }
    m_pPressedButton = nullptr;
    return false;
}

bool CExtDynAutoHideSlider::TrackResize(POINT ptScreen)
{
    if (!IsShown() || !IsWindowVisible())
        return false;
    if (!IsResizing()) {
        UpdateNcHover(ptScreen);
        return false;
    }
    CWnd* pFrame = GetParent();
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    pFrame->ScreenToClient(&rcWnd);
    CPoint ptFrame(ptScreen);
    pFrame->ScreenToClient(&ptFrame);
    CRect rcAllowed(m_rcLimit);
    rcAllowed.DeflateRect(MIN_EXTENT, MIN_EXTENT);
    CRect rcNew(rcWnd);
    switch (m_nResizeEdge) {
    case HTBOTTOM:
        rcNew.bottom = m_nResizePos = Clip(ptFrame.y, rcAllowed.top, rcAllowed.bottom);
        break;
    case HTTOP:
        rcNew.top = m_nResizePos = Clip(ptFrame.y, rcAllowed.top, rcAllowed.bottom);
        break;
    case HTRIGHT:
        rcNew.right = m_nResizePos = Clip(ptFrame.x, rcAllowed.left, rcAllowed.right);
        break;
    default:
        rcNew.left = m_nResizePos = Clip(ptFrame.x, rcAllowed.left, rcAllowed.right);
        break;
    }
    if (rcNew != rcWnd) {
        ::SetWindowPos(m_hWnd, nullptr, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), kResizeMove);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawAll);
    }
    return true;
}

void CExtDynAutoHideSlider::EndResize()
{
    if (!IsResizing())
        return;
    m_nResizeEdge = NOT_RESIZING;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}
