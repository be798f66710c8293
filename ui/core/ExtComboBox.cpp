#include "ui/core/ExtComboBox.h"

#include "platform/mfc/ClientDC.h"
#include "platform/mfc/PaintDC.h"
#include "platform/mfc/WindowDC.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtTipText.h"

#include <memory>
#include <string>

IMPLEMENT_DYNCREATE(CExtComboBox, CComboBox)

namespace
{
constexpr DWORD EDGE_STYLES = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;

CExtPaintManager* PaintManager()
{
    if (g_PaintManagerHolder.GetFirstMember() == nullptr)
        g_PaintManagerHolder.ReplaceManager(nullptr);
    return g_PaintManagerHolder.GetFirstMember();
}

bool IsDropDownStyle(DWORD dwStyle)
{
    const DWORD dwType = dwStyle & 0x3;
    return dwType == CBS_DROPDOWN || dwType == CBS_DROPDOWNLIST;
}
} // namespace

CExtComboBox::~CExtComboBox()
{
    if (m_tip.m_hWnd != nullptr)
        m_tip.DestroyWindow();
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

int CExtComboBox::GetTooltipMaxWidth() const { return TOOLTIP_MAX_WIDTH; }

void CExtComboBox::ShowToolTipText(LPCSTR lpszText, bool bActivate)
{
    SetWindowTipText(m_tip, this, lpszText, bActivate, GetTooltipMaxWidth());
}

INT_PTR CExtComboBox::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    auto* pThis = const_cast<CExtComboBox*>(this);
    if (TakeToolBarTip(pThis->m_tip, pThis, point, GetTooltipMaxWidth()))
        return -1;
    return CComboBox::OnToolHitTest(point, pTI);
}

void CExtComboBox::ActivateToolTip(bool bActivate)
{
    if (m_tip.m_hWnd != nullptr && m_tip.GetToolCount() != 0)
        m_tip.Activate(bActivate ? TRUE : FALSE);
}

void CExtComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    SubclassEditPart();
}

void CExtComboBox::SubclassEditPart()
{
    if (m_edit.m_hWnd != nullptr || m_hWnd == nullptr)
        return;
    HWND hEdit = ::GetWindow(m_hWnd, GW_CHILD);
    if (hEdit == nullptr)
        return;
    char szClass[16] = {};
    ::GetClassNameA(hEdit, szClass, sizeof szClass);
    if (::lstrcmpiA(szClass, "EDIT") != 0)
        return;
    m_edit.m_nEditFlags = (m_nFlags & FLAG_EDIT_CONTEXT_MENU) != 0 ? CExtEditBase::FLAG_HANDLE_COMMANDS : 0;
    m_edit.SubclassWindow(hEdit);
}

void CExtComboBox::OnCbnEditUpdate()
{
    if ((m_nFlags & FLAG_AUTO_COMPLETE) == 0 || (m_nFlags & FLAG_COMPLETION_ARMED) == 0)
        return;
    CString typed;
    GetWindowText(typed);
    const int nTyped = typed.GetLength();
    const DWORD dwSel = static_cast<DWORD>(SendMessage(CB_GETEDITSEL));
    const bool bSelValid = dwSel != static_cast<DWORD>(CB_ERR);
    const int nSelStart = bSelValid ? LOWORD(dwSel) : -1;
    const int nSelEnd = bSelValid ? HIWORD(dwSel) : -1;
    if (SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed.GetString())) == CB_ERR)
    {
        SetWindowText(typed);
        if (bSelValid)
            SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nSelStart, nSelEnd));
        return;
    }
    if (!bSelValid || nSelEnd >= nTyped)
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nTyped, -1));
    else
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nSelStart, nSelEnd));
}

BOOL CExtComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITUPDATE)
        OnCbnEditUpdate();
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

void CExtComboBox::EnsureToolTip()
{
    if (m_tip.m_hWnd == nullptr && m_tip.Create(this))
        m_tip.Activate(FALSE);
}

BOOL CExtComboBox::PreTranslateMessage(MSG* pMsg)
{
    // A tracked menu owns the mouse: its moves are no hover over the combo.
    if (!CExtPopupMenuWnd::IsTrackingActive())
    {
        EnsureToolTip();
        if (m_tip.m_hWnd != nullptr)
            m_tip.RelayEvent(pMsg);
    }
    if ((m_nFlags & FLAG_AUTO_COMPLETE) != 0)
    {
        if (pMsg->message == WM_SYSCHAR)
            return TRUE;
        if (pMsg->message == WM_KEYDOWN)
        {
            m_nFlags |= FLAG_COMPLETION_ARMED;
            if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK)
                m_nFlags &= ~FLAG_COMPLETION_ARMED;
        }
    }
    else
        m_nFlags &= ~FLAG_COMPLETION_ARMED;
    if (pMsg->message == WM_MOUSEMOVE && (m_nFlags & (FLAG_REPAINT_PENDING | FLAG_TIMER_RUNNING)) == 0 &&
        (pMsg->hwnd == m_hWnd || (IsDropDownStyle(GetStyle()) && pMsg->hwnd == ::GetWindow(m_hWnd, GW_CHILD))) &&
        IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true))
    {
        m_nFlags |= FLAG_REPAINT_PENDING;
        StartHoverTimer();
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CExtComboBox::StartHoverTimer()
{
    if ((m_nFlags & FLAG_TIMER_RUNNING) != 0)
        return;
    m_nFlags |= FLAG_TIMER_RUNNING;
    ::SetTimer(m_hWnd, m_nHoverTimerId, m_nHoverTimerPeriod, nullptr);
}

void CExtComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nHoverTimerId)
    {
        Default();
        return;
    }
    POINT pt;
    if (!::GetCursorPos(&pt))
        return;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    const bool bInside = ::PtInRect(&rc, pt) != FALSE;
    if (bInside && (m_nFlags & FLAG_REPAINT_PENDING) == 0)
        return;
    m_nFlags &= ~FLAG_REPAINT_PENDING;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
    if (bInside)
        return;
    m_nFlags &= ~FLAG_TIMER_RUNNING;
    ::KillTimer(m_hWnd, m_nHoverTimerId);
    // Hand the hover look to the combo box that holds the focus or lies under the cursor.
    for (HWND hCandidate : {::GetFocus(), ::WindowFromPoint(pt)})
    {
        for (HWND h : {hCandidate, hCandidate != nullptr ? ::GetParent(hCandidate) : nullptr})
        {
            CWnd* pWnd = h != nullptr && h != m_hWnd ? CWnd::FromHandlePermanent(h) : nullptr;
            if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtComboBox)))
            {
                auto* pCombo = static_cast<CExtComboBox*>(pWnd);
                pCombo->m_nFlags |= FLAG_REPAINT_PENDING;
                pCombo->StartHoverTimer();
                return;
            }
        }
    }
}

void CExtComboBox::PaintComboFrame(bool bPushed, bool bHover, CDC* pDC)
{
    CExtPaintManager* pPM = PaintManager();
    if (pPM == nullptr || m_hWnd == nullptr)
        return;
    if (::GetCapture() != nullptr)
        bHover = false;
    std::unique_ptr<CWindowDC> pOwnDC;
    if (pDC == nullptr)
    {
        pOwnDC = std::make_unique<CWindowDC>(this);
        pDC = pOwnDC.get();
    }
    const bool bEnabled = IsWindowEnabled() != FALSE;
    bPushed = bPushed || SendMessage(CB_GETDROPPEDSTATE) != 0;
    const HWND hFocus = ::GetFocus();
    // A tracked menu has the user's attention: no combo box shows as hot meanwhile.
    const bool bHighlighted =
        !CExtPopupMenuWnd::IsTrackingActive() &&
        ((bEnabled && bHover) || hFocus == m_hWnd || (hFocus != nullptr && ::IsChild(m_hWnd, hFocus)));
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CExtDrawComboFrameArgs args(this, rcClient, bHighlighted, bEnabled && bPushed, bEnabled);
    pPM->PaintComboFrame(*pDC, args);
}

void CExtComboBox::PaintCombo(bool bPushed, bool bHover)
{
    const DWORD dwStyle = GetStyle();
    if ((dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0)
    {
        Default();
        CClientDC dc(this);
        PaintComboFrame(bPushed, bHover, &dc);
        return;
    }
    CPaintDC dcPaint(this);
    CExtPaintManager::ClipOutChildWindows(dcPaint.m_hDC, m_hWnd);
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    PaintComboFrame(bPushed, bHover, &dc);
}

void CExtComboBox::OnPaint()
{
    // The paint manager draws the frame: the system's edges would show around it.
    if ((GetExStyle() & EDGE_STYLES) != 0)
    {
        ModifyStyleEx(EDGE_STYLES, 0);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    POINT pt;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    PaintCombo(false, ::GetCursorPos(&pt) && ::PtInRect(&rc, pt));
}

LRESULT CExtComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
    {
        const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        SubclassEditPart();
        return lResult;
    }
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        if (message == WM_KILLFOCUS && SendMessage(CB_GETDROPPEDSTATE) != 0)
            SendMessage(CB_SHOWDROPDOWN, FALSE);
        PaintComboFrame(SendMessage(CB_GETDROPPEDSTATE) != 0, message == WM_SETFOCUS);
        return lResult;
    }
    case WM_ENABLE:
        if (m_edit.m_hWnd != nullptr)
        {
            // The edit part stays enabled so that its text can be read and copied.
            ::EnableWindow(m_edit.m_hWnd, TRUE);
            ::SendMessageA(m_edit.m_hWnd, EM_SETREADONLY, wParam == FALSE, 0);
        }
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        {
            const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
            if (m_edit.m_hWnd != nullptr)
                ::EnableWindow(m_edit.m_hWnd, TRUE);
            return lResult;
        }
    case WM_NOTIFY:
    {
        const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        if (pHeader != nullptr && m_tip.m_hWnd != nullptr && pHeader->hwndFrom == m_tip.m_hWnd &&
            pHeader->code == TTN_SHOW)
            ::SetWindowPos(m_tip.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
        break;
    }
    case WM_MOUSEMOVE:
        if (!IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true))
            break;
        m_nFlags |= FLAG_REPAINT_PENDING;
        if ((m_nFlags & FLAG_TIMER_RUNNING) == 0)
        {
            StartHoverTimer();
            OnTimer(m_nHoverTimerId);
        }
        break;
    case WM_LBUTTONDOWN:
    {
        if (!IsDropDownStyle(GetStyle()))
            break;
        const HWND hWnd = m_hWnd;
        if (HWND hParent = ::GetParent(hWnd))
            ::SendMessageA(hParent, WM_CANCELMODE, 0, 0);
        // The parent may have destroyed the combo in its reaction: touch nothing then.
        if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
            return 1;
        const bool bDropped = SendMessage(CB_GETDROPPEDSTATE) != 0;
        ::SetFocus(hWnd);
        if (!bDropped)
            PaintComboFrame(true, true);
        ::PostMessageA(hWnd, CB_SHOWDROPDOWN, bDropped ? FALSE : TRUE, 0);
        return 1;
    }
    case WM_LBUTTONUP:
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        break;
    default:
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
