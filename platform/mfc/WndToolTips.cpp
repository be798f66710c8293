// Tool tips: one control for the thread, fed the mouse messages of windows that enable tips.
#include "platform/mfc/Wnd.h"

#include "platform/mfc/ToolTipCtrl.h"
#include "platform/mfc/WndInternal.h"

#include <cstdlib>

namespace
{
// One tool-tip control serves every window of the thread.
CToolTipCtrl* g_pToolTip = nullptr;
CWnd* g_pLastHit = nullptr;
INT_PTR g_nLastHit = -1;
TOOLINFOA g_lastInfo = {};

void DestroyThreadToolTip()
{
    if (g_pToolTip != nullptr)
    {
        g_pToolTip->DestroyWindow();
        delete g_pToolTip;
    }
    g_pToolTip = nullptr;
    g_pLastHit = nullptr;
    g_nLastHit = -1;
    g_lastInfo = TOOLINFOA{};
}

void RelayToolTipMessage(CToolTipCtrl* pToolTip, const MSG* pMsg)
{
    MSG msg = *pMsg;
    msg.hwnd = reinterpret_cast<HWND>(pToolTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&msg.pt)));
    CPoint point = pMsg->pt;
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
        ::ScreenToClient(msg.hwnd, &point);
    msg.lParam = MAKELPARAM(point.x, point.y);
    pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

bool IsMouseButtonDown()
{
    return GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0;
}
}

void WndInternal::ReleaseThreadToolTip(CWnd* pWnd)
{
    if (g_pToolTip != nullptr && (g_pToolTip->GetOwner() == pWnd || g_pLastHit == pWnd))
        DestroyThreadToolTip();
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bWasEnabled = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
    {
        m_nFlags |= WF_TOOLTIPS;
    }
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        if (g_pToolTip != nullptr && g_pToolTip->GetOwner() == this)
            DestroyThreadToolTip();
    }
    return bWasEnabled;
}

BOOL CWnd::EnableTrackingToolTips(BOOL bEnable)
{
    BOOL bWasEnabled = (m_nFlags & WF_TRACKINGTOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TRACKINGTOOLTIPS;
    else
        m_nFlags &= ~WF_TRACKINGTOOLTIPS;
    return bWasEnabled;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    // The visible child control under the point, with its text asked for later (TTN_NEEDTEXT).
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == nullptr || hWndChild == m_hWnd)
        return -1;
    INT_PTR nHit = ::GetDlgCtrlID(hWndChild);
    if (pTI != nullptr && pTI->cbSize >= TTTOOLINFOA_V1_SIZE)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        if ((::SendMessageA(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0)
            pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
    }
    return nHit;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT message = pMsg->message;
    bool bMouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
                  message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    if (!bMouse || IsMouseButtonDown())
    {
        bool bKeys = (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                     (message >= WM_SYSKEYDOWN && message <= WM_SYSDEADCHAR);
        bool bButtonDown = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
                           message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK ||
                           message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK ||
                           message == WM_NCRBUTTONDOWN || message == WM_NCRBUTTONDBLCLK ||
                           message == WM_NCMBUTTONDOWN || message == WM_NCMBUTTONDBLCLK;
        if (bKeys || bButtonDown)
            CancelToolTips(bKeys);
        return;
    }

    // Only the nearest window with tips enabled handles the message.
    CWnd* pWnd = FromHandle(pMsg->hwnd);
    while (pWnd != nullptr && !(pWnd->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)))
        pWnd = pWnd->GetParent();
    if (pWnd != this)
        return;

    CWnd* pOwner = GetParentOwner();
    if (pOwner == nullptr)
        pOwner = this;
    if (g_pToolTip != nullptr && HwndOf(g_pToolTip->GetOwner()) != pOwner->m_hWnd)
        DestroyThreadToolTip();
    if (g_pToolTip == nullptr)
    {
        g_pToolTip = new CToolTipCtrl;
        if (!g_pToolTip->Create(pOwner, TTS_ALWAYSTIP))
        {
            delete g_pToolTip;
            g_pToolTip = nullptr;
            return;
        }
        g_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    }

    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFOA tiHit = {};
    tiHit.cbSize = sizeof(TOOLINFOA);
    INT_PTR nHit = OnToolHitTest(point, &tiHit);
    if (g_nLastHit != nHit || g_pLastHit != pWnd)
    {
        if (nHit != -1)
        {
            TOOLINFOA ti = tiHit;
            ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
            if (m_nFlags & WF_TRACKINGTOOLTIPS)
                ti.uFlags |= TTF_TRACK;
            g_pToolTip->SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
            g_pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            if (m_nFlags & WF_TRACKINGTOOLTIPS)
                g_pToolTip->SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
            ::SetWindowPos(g_pToolTip->m_hWnd, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
        }
        else
        {
            g_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        }
        RelayToolTipMessage(g_pToolTip, pMsg);
        // The old tool goes only after the new one took over the relayed message.
        if (g_lastInfo.cbSize != 0)
            g_pToolTip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&g_lastInfo));
        g_pLastHit = pWnd;
        g_nLastHit = nHit;
        g_lastInfo = nHit != -1 ? tiHit : TOOLINFOA{};
        g_lastInfo.lpszText = nullptr;
    }
    else if (nHit != -1)
    {
        if (m_nFlags & WF_TRACKINGTOOLTIPS)
        {
            POINT ptScreen = pMsg->pt;
            g_pToolTip->SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
        }
        else
        {
            RelayToolTipMessage(g_pToolTip, pMsg);
        }
    }
    // Texts given by OnToolHitTest were allocated for us; the control has its own copy now.
    if (tiHit.lpszText != LPSTR_TEXTCALLBACKA && tiHit.hinst == nullptr)
        std::free(tiHit.lpszText);
}

void CWnd::CancelToolTips(BOOL)
{
    if (HwndOf(g_pToolTip) != nullptr)
        g_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
}
