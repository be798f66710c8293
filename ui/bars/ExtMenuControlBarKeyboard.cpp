// The menu bar's keyboard access: Alt and keyboard mode, mnemonics, arrow keys, Enter and
// Escape, offered every message of the frame before the frame translates it, and the mouse on
// the bar while in keyboard mode.
#include "ui/bars/ExtMenuControlBar.h"

#include "platform/mfc/ComboBox.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

namespace
{
// The window-management commands of an MDI frame: arrange, cascade, tile, next, previous.
bool IsWindowManagementCommand(UINT nCmdId)
{
    return (nCmdId >= 0xE130 && nCmdId <= 0xE135) || nCmdId == 0xE150 || nCmdId == 0xE151;
}

bool IsMdiManagementMessage(UINT nMessage)
{
    switch (nMessage) {
    case WM_MDIACTIVATE:
    case WM_MDIRESTORE:
    case WM_MDINEXT:
    case WM_MDIMAXIMIZE:
    case WM_MDITILE:
    case WM_MDICASCADE:
    case WM_MDIICONARRANGE:
        return true;
    default:
        return false;
    }
}

bool IsNavigationKey(UINT nKey)
{
    return nKey == VK_LEFT || nKey == VK_RIGHT || nKey == VK_UP || nKey == VK_DOWN || nKey == VK_RETURN ||
           nKey == VK_ESCAPE;
}

bool IsKeyDown(int nVirtualKey) { return (::GetKeyState(nVirtualKey) & 0x8000) != 0; }

// The focus window or its parent is a drop-down combo box with its list down.
HWND FindDroppedCombo()
{
    const HWND hWndFocus = ::GetFocus();
    for (HWND hWnd : {hWndFocus, hWndFocus != nullptr ? ::GetParent(hWndFocus) : nullptr}) {
        if (hWnd == nullptr || !CWnd::FromHandle(hWnd)->IsKindOf(RUNTIME_CLASS(CComboBox)))
            continue;
        const DWORD dwType = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & 0x3;
        if ((dwType == CBS_DROPDOWN || dwType == CBS_DROPDOWNLIST) && ::SendMessageA(hWnd, CB_GETDROPPEDSTATE, 0, 0))
            return hWnd;
    }
    return nullptr;
}

// The frame is where the user works: the foreground window, the top-level window above it, a
// child of the foreground window or one of its ancestors.
bool IsFrameInForeground(HWND hWndFrame, HWND hWndTop)
{
    const HWND hWndForeground = ::GetForegroundWindow();
    if (hWndForeground == nullptr)
        return false;
    if (hWndForeground == hWndFrame || hWndForeground == hWndTop || ::IsChild(hWndForeground, hWndFrame))
        return true;
    for (HWND hWnd = ::GetParent(hWndForeground); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (hWnd == hWndFrame || hWnd == hWndTop)
            return true;
    }
    return false;
}

// The character a key gives with the current keyboard state, upper-cased; 0 for none.
char MnemonicCharOf(UINT nKey)
{
    BYTE state[256] = {};
    if (!::GetKeyboardState(state))
        return 0;
    WORD wChar = 0;
    const UINT nScan = ::MapVirtualKeyA(nKey, 0);
    if (::ToAsciiEx(nKey, nScan, state, &wChar, 1, ::GetKeyboardLayout(0)) <= 0)
        return 0;
    const auto nUpper = reinterpret_cast<UINT_PTR>(
        ::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(wChar & 0xFF)))));
    return static_cast<char>(nUpper & 0xFF);
}
} // namespace

void CExtMenuControlBar::SetKeyboardMode(bool bOn, int nIndex, bool bRedraw)
{
    if (bOn) {
        m_nMenuBarState |= STATE_KEYBOARD_MODE;
        m_nKeyboardIndex = nIndex;
    } else {
        m_nMenuBarState &= ~STATE_KEYBOARD_MODE;
    }
    UpdateKeyboardHighlight(bRedraw);
}

void CExtMenuControlBar::UpdateKeyboardHighlight(bool bRedraw)
{
    if (m_nKeyboardIndex < 0 && m_nKeyboardIndexPrev < 0) {
        m_nMenuBarState &= ~STATE_KEYBOARD_MODE;
        return;
    }
    if (const HWND hWndCombo = FindDroppedCombo())
        ::SendMessageA(hWndCombo, CB_SHOWDROPDOWN, FALSE, 0);
    if (IsKeyboardMode()) {
        if (m_nKeyboardIndex == m_nKeyboardIndexPrev)
            return;
        if (CExtBarButton* pPrev = GetButtonByIndex(m_nKeyboardIndexPrev)) {
            pPrev->ModifyStyle(0, TBBS_PRESSED);
            pPrev->SetHover(false);
            if (bRedraw)
                InvalidateButton(m_nKeyboardIndexPrev);
        }
        if (CExtBarButton* pCurrent = GetButtonByIndex(m_nKeyboardIndex)) {
            pCurrent->ModifyStyle(TBBS_PRESSED);
            if (bRedraw)
                InvalidateButton(m_nKeyboardIndex);
        }
        m_nKeyboardIndexPrev = m_nKeyboardIndex;
        if (m_hWnd != nullptr)
            UpdateWindow();
        return;
    }
    const int nIndex = m_nKeyboardIndex >= 0 ? m_nKeyboardIndex : m_nKeyboardIndexPrev;
    if (CExtBarButton* pButton = GetButtonByIndex(nIndex)) {
        pButton->ModifyStyle(0, TBBS_PRESSED);
        if (bRedraw) {
            InvalidateButton(nIndex);
            if (m_hWnd != nullptr)
                UpdateWindow();
        }
    }
    m_nKeyboardIndex = m_nKeyboardIndexPrev = -1;
}

bool CExtMenuControlBar::TrackButtonMenu(int nIndex, bool, bool, bool bSelectFirst)
{
    if (g_bButtonMenuTracking && nIndex >= 0 && nIndex == m_nBtnIdxMenuTracking)
        return true;
    if (!IsShownOrShow())
        return false;
    SetKeyboardMode(false, -1, true);
    PostMessage(g_nMsgTrackButtonMenu, static_cast<WPARAM>(nIndex), bSelectFirst ? 1 : 0);
    return true;
}

CWnd* CExtMenuControlBar::GetKeyTargetWindow() const
{
    if (!m_bInDialog)
        return GetDockSiteOrFrame();
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : GetParent();
}

LRESULT CExtMenuControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam)
{
    CWnd* pTarget = GetKeyTargetWindow();
    if (pTarget == nullptr || !pTarget->IsWindowEnabled() || GetButtonCount() == 0)
        return 0;
    const int nIndex = static_cast<int>(wParam);
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr) {
        SetKeyboardMode(false, -1, true);
        CancelAllBarsMenuTracking();
        return 0;
    }
    if (pButton->CanTrackMenuEx(false) && CExtPopupMenuWnd::IsTrackingActive()) {
        CExtToolControlBar::TrackButtonMenu(nIndex, true, false, lParam != 0);
        return 0;
    }
    CancelAllBarsMenuTracking();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!IsKeyboardMode())
        CancelFocusMode();
    SetKeyboardMode(true, nIndex, true);
    return 0;
}

void CExtMenuControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!IsKeyboardMode() && m_nBtnIdxMenuTracking >= 0 && HitTest(point) == m_nBtnIdxMenuTracking)
        return;
    CExtToolControlBar::OnLButtonDown(nFlags, point);
}

void CExtMenuControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!IsKeyboardMode()) {
        CExtToolControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    SetKeyboardMode(false, -1, false);
    const HWND hWndBar = m_hWnd;
    CExtToolControlBar::OnLButtonUp(nFlags, point);
    if (::IsWindow(hWndBar))
        Invalidate();
}

bool CExtMenuControlBar::OnMouseMoveTracking(UINT nFlags, CPoint point)
{
    if (!IsKeyboardMode())
        return CExtToolControlBar::OnMouseMoveTracking(nFlags, point);
    const int nHit = HitTest(point);
    if (nHit >= 0 && nHit != m_nKeyboardIndex)
        TrackButtonMenu(nHit, false, false, false);
    return false;
}

bool CExtMenuControlBar::IsKeyInputBlocked() const
{
    CFrameWnd* pFrame = GetDockSiteOrFrame();
    return (pFrame != nullptr && IsFrameInPrintPreview(pFrame)) || FindDroppedCombo() != nullptr;
}

bool CExtMenuControlBar::PreTranslateFrameMessage(MSG* pMsg)
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || pMsg == nullptr)
        return false;
    const UINT nMessage = pMsg->message;
    if (nMessage == WM_QUERYOPEN) {
        if (m_pDockSite != nullptr)
            PostUpdateMenuBar();
        return false;
    }
    CFrameWnd* pFrame = m_bInDialog ? nullptr : GetDockSiteOrFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr || !pFrame->IsWindowEnabled())
        return false;
    switch (nMessage) {
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        g_bIgnoreNextAltUp = true;
        return false;
    default:
        break;
    }
    if (IsMdiApp() && IsFrameOleInPlace() &&
        ((nMessage == WM_COMMAND && IsWindowManagementCommand(LOWORD(pMsg->wParam))) ||
         IsMdiManagementMessage(nMessage)))
        return true;
    const bool bKeyMessage =
        nMessage == WM_KEYDOWN || nMessage == WM_KEYUP || nMessage == WM_SYSKEYDOWN || nMessage == WM_SYSKEYUP;
    if (nMessage == WM_COMMAND && HIWORD(pMsg->wParam) == 0) {
        g_bIgnoreNextAltUp = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    } else if (!bKeyMessage) {
        if (nMessage == WM_CONTEXTMENU && (g_bButtonMenuTracking || IsKeyboardMode()))
            return true;
    } else {
        return PreTranslateKey(pMsg, pFrame);
    }
    if (IsKeyboardMode() && nMessage >= WM_LBUTTONDOWN && nMessage <= WM_MOUSEWHEEL)
        SetKeyboardMode(false, -1, true);
    return false;
}

bool CExtMenuControlBar::PreTranslateKey(MSG* pMsg, CFrameWnd* pFrame)
{
    const UINT nMessage = pMsg->message;
    const UINT nKey = LOBYTE(pMsg->wParam);
    const bool bDown = nMessage == WM_KEYDOWN || nMessage == WM_SYSKEYDOWN;
    const bool bAltHeld = (HIWORD(pMsg->lParam) & KF_ALTDOWN) != 0;
    const bool bBlocked = IsKeyInputBlocked();
    const HWND hWndFrame = pFrame->GetSafeHwnd();

    if (nKey == VK_MENU && !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_SHIFT)) {
        if (bBlocked)
            return false;
        if (IsKeyboardMode()) {
            // Alt pressed again leaves keyboard mode on its release.
            if (!bDown)
                SetKeyboardMode(false, -1, true);
            return true;
        }
        if (bDown) {
            g_bIgnoreNextAltUp = false;
            return false;
        }
        if (g_bIgnoreNextAltUp)
            return false;
        if (g_bButtonMenuTracking || GetButtonCount() == 0)
            return true;
        CancelFocusMode();
        g_bMenuExpanded = false;
        CWnd* pTop = GetTopLevelNonChild(pFrame);
        if (IsFrameInForeground(hWndFrame, pTop != nullptr ? pTop->GetSafeHwnd() : nullptr))
            TrackButtonMenu(0, false, false, false);
        return true;
    }

    if (bAltHeld && (nKey == VK_SPACE || (IsMdiApp() && (nKey == VK_SUBTRACT || nKey == VK_OEM_MINUS)))) {
        if (!bDown)
            return true;
        const HWND hWndActive = ::GetActiveWindow();
        if (hWndActive == hWndFrame || (::GetWindowLongA(hWndActive, GWL_STYLE) & WS_POPUP) == 0) {
            g_bMenuExpanded = false;
            SetKeyboardMode(false, -1, true);
        }
        if (nKey == VK_SPACE)
            return TrackFrameSystemMenu(nullptr, true);
        if (nMessage != WM_SYSKEYDOWN)
            return true;
        if (GetActiveMdiChild() == nullptr) {
            g_bIgnoreNextAltUp = true;
            return true;
        }
        if (HasMdiDocButtonFirst()) {
            CancelFocusMode();
            return CExtToolControlBar::TrackButtonMenu(0, false, false, false);
        }
        return TrackMdiChildSystemMenu(nullptr, true);
    }

    if (bBlocked)
        return false;

    if (bAltHeld || (IsKeyboardMode() && !IsNavigationKey(nKey))) {
        if (!bDown)
            return true;
        const char chMnemonic = MnemonicCharOf(nKey);
        if (chMnemonic == 0) {
            g_bIgnoreNextAltUp = true;
            return IsKeyboardMode();
        }
        return OpenByMnemonic(chMnemonic, pFrame);
    }

    if (!IsKeyboardMode())
        return false;
    if (!bDown)
        return true;
    switch (nKey) {
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN: {
        CExtBarButton* pButton = GetButtonByIndex(m_nKeyboardIndex);
        if (CExtPopupMenuWnd::IsTrackingActive() || pButton == nullptr)
            break;
        if (pButton->CanTrackMenuEx(false)) {
            const int nIndex = m_nKeyboardIndex;
            SetKeyboardMode(false, -1, true);
            CExtToolControlBar::TrackButtonMenu(nIndex, true, false, (m_nOptionBits & OPT_KEYBOARD_SELECT_FIRST) != 0);
        } else if (nKey == VK_RETURN && CExtCmdManager::IsValidCommandId(pButton->GetCmdID())) {
            const CRect rc = pButton->GetRect();
            pButton->OnClick(rc.CenterPoint(), false);
        }
        break;
    }
    case VK_ESCAPE:
        SetKeyboardMode(false, -1, true);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        m_nKeyboardIndex = FindNextButtonForKeyboard(m_nKeyboardIndex, nKey == VK_RIGHT, true);
        UpdateKeyboardHighlight(true);
        break;
    default:
        UpdateKeyboardHighlight(true);
        break;
    }
    return true;
}

bool CExtMenuControlBar::OpenByMnemonic(char chMnemonic, CFrameWnd* pFrame)
{
    CArray<CExtToolControlBar*, CExtToolControlBar*> bars;
    bars.Add(this);
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar != this && pBar->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)) && pBar->GetSafeHwnd() != nullptr)
            bars.Add(static_cast<CExtToolControlBar*>(pBar));
    }
    for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
        CExtToolControlBar* pBar = bars[i];
        const int nIndex = pBar->FindButtonByMnemonic(chMnemonic);
        if (nIndex < 0)
            continue;
        CancelFocusMode();
        SetKeyboardMode(false, -1, true);
        CExtBarButton* pButton = pBar->GetButtonByIndex(nIndex);
        const bool bSelectFirst = (m_nOptionBits & OPT_KEYBOARD_SELECT_FIRST) != 0;
        if (pButton->CanTrackMenuEx(false)) {
            g_bMenuExpanded = false;
            if (pBar == this)
                CExtToolControlBar::TrackButtonMenu(nIndex, true, false, bSelectFirst);
            else
                pBar->TrackButtonMenu(nIndex, true, true, bSelectFirst);
        } else {
            g_bIgnoreNextAltUp = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
            pButton->OnDeliverCmd();
        }
        return true;
    }
    g_bIgnoreNextAltUp = true;
    return false;
}
