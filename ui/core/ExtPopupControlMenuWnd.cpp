#include "ui/core/ExtPopupControlMenuWnd.h"

#include "ui/core/ExtPopupMenuTrackingState.h"

IMPLEMENT_DYNCREATE(CExtPopupControlMenuWnd, CExtPopupMenuWnd)

const UINT CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate =
    ::RegisterWindowMessageA("CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate");

CExtPopupControlMenuWnd::CExtPopupControlMenuWnd() = default;

void CExtPopupControlMenuWnd::AdjustAnimationType(int* pType)
{
    // One tick and the control shows: animating it frame by frame would hide it. A popup opened
    // without animation keeps none, else its content would wait for a tick that never comes.
    if (pType != nullptr && *pType != ANIMATION_NONE)
        *pType = ANIMATION_IMMEDIATE;
}

bool CExtPopupControlMenuWnd::IsShadowAllowed() const
{
    return false;
}

bool CExtPopupControlMenuWnd::IsEveryItemHidden() const
{
    return false;
}

CSize CExtPopupControlMenuWnd::MeasureContent() const
{
    const int nBorder = GetBorderSize();
    const int nShadow = GetShadowSize();
    return CSize(m_nControlWidth + 2 * nBorder + nShadow + m_nLeftBandWidth,
                 m_nControlHeight + 2 * nBorder + nShadow);
}

CRect CExtPopupControlMenuWnd::GetControlRect() const
{
    CRect rcContent;
    GetContentRect(&rcContent);
    const int nBorder = GetBorderSize();
    CRect rc(0, 0, m_nControlWidth, m_nControlHeight);
    rc.OffsetRect(rcContent.left + m_nLeftBandWidth + nBorder, rcContent.top + nBorder);
    return rc;
}

HWND CExtPopupControlMenuWnd::CreateChildControl(const RECT& /*rcControl*/)
{
    return nullptr;
}

bool CExtPopupControlMenuWnd::CreatePopupWindow(CWnd* pWndOwner)
{
    if (!CExtPopupMenuWnd::CreatePopupWindow(pWndOwner))
        return false;
    m_rcControl = GetControlRect();
    OnControlRectChanged();
    m_hWndControl = CreateChildControl(m_rcControl);
    // The control reads the same way as the popup around it.
    if (m_hWndControl != nullptr && IsRightToLeft())
        CWnd::ModifyStyleEx(m_hWndControl, 0, WS_EX_LAYOUTRTL, SWP_FRAMECHANGED);
    return true;
}

void CExtPopupControlMenuWnd::ComputeServiceButtonRects()
{
    CExtPopupMenuWnd::ComputeServiceButtonRects();
    if (!IsControlAlive())
        return;
    const CRect rc = GetControlRect();
    if (rc == CRect(m_rcControl))
        return;
    m_rcControl = rc;
    OnControlRectChanged();
    ::SetWindowPos(m_hWndControl, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    if (IsWindowAlive() && ::IsWindowVisible(m_hWnd)) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }
}

bool CExtPopupControlMenuWnd::IsTrackingInterrupted() const
{
    const CExtPopupMenuTrackingState* pState = GetTrackingState();
    return pState->IsEnding() || pState->m_pTrackedPopup == nullptr || pState->m_pAnimatingPopup != nullptr;
}

bool CExtPopupControlMenuWnd::IsControlAlive() const
{
    return m_hWndControl != nullptr && ::IsWindow(m_hWndControl);
}

bool CExtPopupControlMenuWnd::IsInsideControl(HWND hWnd) const
{
    if (hWnd == nullptr || !IsControlAlive() || (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return false;
    return hWnd == m_hWndControl || ::IsChild(m_hWndControl, hWnd);
}

bool CExtPopupControlMenuWnd::IsInputForControl(CPoint ptClient) const
{
    POINT ptScreen = ptClient;
    ::ClientToScreen(m_hWnd, &ptScreen);
    return IsInsideControl(::WindowFromPoint(ptScreen)) || IsInsideControl(::GetFocus()) ||
           IsInsideControl(::GetCapture());
}

LRESULT CExtPopupControlMenuWnd::SendControlInput(ControlInputData& data)
{
    if (!IsControlAlive())
        return 0;
    data.m_pPopup = this;
    return ::SendMessageA(m_hWndControl, g_nMsgControlInputRetranslate, reinterpret_cast<WPARAM>(&data), 0);
}

bool CExtPopupControlMenuWnd::HandleMouseWheel(WPARAM wParam, LPARAM lParam, bool* pPassThrough)
{
    if (IsTrackingInterrupted())
        return true;
    if (IsControlAlive()) {
        // The hook hands on the delta and the point; the control reads them as the hook's record.
        MOUSEHOOKSTRUCTEX hook{};
        hook.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        hook.hwnd = ::WindowFromPoint(hook.pt);
        hook.mouseData = static_cast<DWORD>(HIWORD(wParam)) << 16;
        ControlInputData data;
        data.m_nKind = INPUT_MOUSE_WHEEL;
        data.m_pPassOn = pPassThrough;
        data.m_wParamWheel = wParam;
        data.m_pWheelHook = &hook;
        return SendControlInput(data) != 0;
    }
    return true;
}

std::optional<bool> CExtPopupControlMenuWnd::RouteMouseInside(int nKind, UINT message, CPoint point,
                                                              bool* pPassThrough)
{
    if (IsTrackingInterrupted())
        return true;
    if (!IsWindowAlive())
        return false;
    if (IsInputForControl(point)) {
        *pPassThrough = true;
        return false;
    }
    if (!IsPointInWindow(point))
        return std::nullopt;
    ControlInputData data;
    data.m_nKind = nKind;
    data.m_nFlags = message;
    data.m_x = point.x;
    data.m_y = point.y;
    data.m_pPassOn = pPassThrough;
    return SendControlInput(data) != 0;
}

CExtPopupMenuWnd* CExtPopupControlMenuWnd::LiveParentMenu(CPoint point, CPoint* pptParent) const
{
    CExtPopupMenuWnd* pParent = m_pWndParentMenu;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr || !::IsWindow(pParent->GetSafeHwnd()))
        return nullptr;
    *pptParent = point;
    ::ClientToScreen(m_hWnd, pptParent);
    ::ScreenToClient(pParent->GetSafeHwnd(), pptParent);
    return pParent;
}

bool CExtPopupControlMenuWnd::HandleMouseMove(UINT message, CPoint point, bool* pPassThrough)
{
    if (const std::optional<bool> settled = RouteMouseInside(INPUT_MOUSE_MOVE, message, point, pPassThrough))
        return *settled;
    CPoint ptParent;
    CExtPopupMenuWnd* pParent = LiveParentMenu(point, &ptParent);
    if (pParent == nullptr)
        return false;
    if (!pParent->HandleMouseMove(message, ptParent, pPassThrough) || *pPassThrough)
        return false;
    CloseTree(true);
    return true;
}

bool CExtPopupControlMenuWnd::HandleMouseClick(UINT message, CPoint point, bool* pPassThrough)
{
    if (const std::optional<bool> settled = RouteMouseInside(INPUT_MOUSE_BUTTON, message, point, pPassThrough))
        return *settled;
    CPoint ptParent;
    CExtPopupMenuWnd* pParent = LiveParentMenu(point, &ptParent);
    if (pParent == nullptr) {
        if (message == WM_LBUTTONUP || message == WM_RBUTTONUP)
            return true;
        CloseTree(true);
        return false;
    }
    const int nHit = pParent->HitTestItem(ptParent);
    const MENUITEMDATA* pItem = pParent->ItemDataAt(nHit);
    if (pItem != nullptr && pItem->pChild == this) {
        // A click on the item that opened this popup keeps it open, and in charge of the input:
        // with the parent current, the control would hear no keys and the parent would close
        // this popup as soon as the mouse came back to it.
        pParent->MakeCurrent();
        pParent->HighlightItem(nHit, false, true, false);
        if (!::IsWindowVisible(m_hWnd)) {
            const CRect rcWindow = ComputePlacement();
            ::SetWindowPos(m_hWnd, nullptr, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        MakeCurrent();
        return true;
    }
    if (!pParent->HandleMouseClick(message, ptParent, pPassThrough) || *pPassThrough)
        return false;
    if (IsWindowAlive())
        MakeCurrent();
    return true;
}

bool CExtPopupControlMenuWnd::HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags, bool* pPassThrough)
{
    if (IsTrackingInterrupted())
        return true;
    if ((m_dwControlFlags & FLAG_HANDLES_ESCAPE) == 0 || nChar != VK_ESCAPE) {
        ControlInputData data;
        data.m_nKind = INPUT_KEY_DOWN;
        data.m_nFlags = nFlags;
        data.m_pPassOn = pPassThrough;
        data.m_nChar = nChar;
        data.m_nRepCnt = nRepCnt;
        return SendControlInput(data) != 0;
    }
    *pPassThrough = false;
    if (!ReturnToParentPopup())
        FinishWithCommand(0, nullptr);
    return true;
}

bool CExtPopupControlMenuWnd::ReturnToParentPopup()
{
    CExtPopupMenuWnd* pParent = m_pWndParentMenu;
    if (pParent == nullptr)
        return false;
    const int nParentItem = pParent->GetCurrentItemIndex();
    pParent->MakeCurrent();
    // Closes this popup's window: only the parent is touched from here on.
    pParent->ReleaseCurrentItem(false);
    if (pParent->GetSafeHwnd() != nullptr && ::IsWindow(pParent->GetSafeHwnd()))
        pParent->HighlightItem(nParentItem, false, true, true);
    pParent->MakeCurrent();
    return true;
}

LRESULT CExtPopupControlMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
    case WM_DESTROY:
        m_hWndControl = nullptr;
        break;
    case WM_DRAWITEM: {
        // Owner-drawn controls draw and measure their items themselves.
        LRESULT lResult = 0;
        const auto* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (pDraw != nullptr && ReflectLastMsg(pDraw->hwndItem, &lResult))
            return lResult;
        break;
    }
    case WM_MEASUREITEM: {
        // The control measures while it is created, before its handle is stored.
        LRESULT lResult = 0;
        const auto* pMeasure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        HWND hWndChild = pMeasure != nullptr ? ::GetDlgItem(m_hWnd, static_cast<int>(pMeasure->CtlID)) : nullptr;
        if (hWndChild == nullptr)
            hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
        if (hWndChild != nullptr && ReflectLastMsg(hWndChild, &lResult))
            return lResult;
        break;
    }
    default:
        break;
    }
    return CExtPopupMenuWnd::WindowProc(message, wParam, lParam);
}
