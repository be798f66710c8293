// Message dispatch: the window procedure, message-map lookup, commands, notifications and
// their reflection to the child controls that sent them.
#include "platform/mfc/Wnd.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/Exception.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/ScrollBar.h"
#include "platform/mfc/UserException.h"
#include "platform/mfc/WaitCursor.h"
#include "platform/mfc/WndInternal.h"

#include <cstdio>
#include <exception>

using WndInternal::FromHandleOrNull;

namespace
{
// The message being processed on the user-interface thread, for Default() and reflection.
MSG g_lastSentMsg = {};

// Asks a command's update handler whether the command is enabled, changing nothing.
class CTestCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}

    BOOL m_bEnabled = TRUE;
};

// What the user sees when a handler fails with anything but a framework exception.
constexpr char kInternalFailure[] = "Internal application error.";

// A handler's fault is shown and traced rather than lost, and the program goes on.
void ReportHandlerFault(HWND hWnd, UINT nMsg, const char* pszWhat)
{
    char trace[512];
    std::snprintf(trace, sizeof trace, "Unhandled exception in the handler of message 0x%04X for window %p: %s\n",
                  nMsg, static_cast<void*>(hWnd), pszWhat);
    ::OutputDebugStringA(trace);
    AfxMessageBox(kInternalFailure, MB_OK | MB_ICONSTOP);
}

// The answer to a message whose handler failed: a failed creation, and a window painted so that
// the failure is not repeated at once.
LRESULT AbandonMessage(HWND hWnd, UINT nMsg)
{
    if (nMsg == WM_PAINT)
        ::ValidateRect(hWnd, nullptr);
    return nMsg == WM_CREATE ? -1 : 0;
}
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MSG oldState = g_lastSentMsg;
    g_lastSentMsg.hwnd = hWnd;
    g_lastSentMsg.message = nMsg;
    g_lastSentMsg.wParam = wParam;
    g_lastSentMsg.lParam = lParam;
    g_lastSentMsg.time = GetMessageTime();
    DWORD dwPos = GetMessagePos();
    g_lastSentMsg.pt.x = static_cast<SHORT>(LOWORD(dwPos));
    g_lastSentMsg.pt.y = static_cast<SHORT>(HIWORD(dwPos));

    LRESULT lResult = 0;
    // Exceptions must not unwind through the system's window procedures.
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        e->Delete();
        lResult = AbandonMessage(hWnd, nMsg);
    }
    catch (const std::exception& e)
    {
        ReportHandlerFault(hWnd, nMsg, e.what());
        lResult = AbandonMessage(hWnd, nMsg);
    }
    catch (...)
    {
        ReportHandlerFault(hWnd, nMsg, "an exception of unknown type");
        lResult = AbandonMessage(hWnd, nMsg);
    }
    g_lastSentMsg = oldState;
    return lResult;
}

const MSG* CWnd::GetCurrentMessage()
{
    return &g_lastSentMsg;
}

MSG* CWnd::GetCurrentMessageRecord()
{
    return &g_lastSentMsg;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_lastSentMsg.message, g_lastSentMsg.wParam, g_lastSentMsg.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (*lplpfn != nullptr)
        return CallWindowProcA(*lplpfn, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

namespace
{
const AFX_MSGMAP_ENTRY* FindWindowMessageEntry(const AFX_MSGMAP* pMessageMap, UINT message)
{
    for (; pMessageMap != nullptr;
         pMessageMap = pMessageMap->pfnGetBaseMap != nullptr ? pMessageMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* lpEntry = pMessageMap->lpEntries; lpEntry->nSig != AfxSig_end; ++lpEntry)
        {
            if (lpEntry->nMessage == 0xC000)
            {
                // A registered message: the entry points at the variable holding its number.
                if (*reinterpret_cast<const UINT*>(lpEntry->nSig) == message)
                    return lpEntry;
                continue;
            }
            if (lpEntry->nMessage == message && lpEntry->nCode == 0 && lpEntry->nID == 0 && lpEntry->nLastID == 0 &&
                lpEntry->nSig >= AfxSig_vv)
                return lpEntry;
        }
    }
    return nullptr;
}

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam)));
}
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (OnCommand(wParam, lParam))
        {
            lResult = 1;
            if (pResult != nullptr)
                *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR->hwndFrom != nullptr && OnNotify(wParam, lParam, &lResult))
        {
            if (pResult != nullptr)
                *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }

    // While a wait cursor shows, it stays whatever window the mouse is over.
    if (message == WM_SETCURSOR && AfxIsWaitCursorShowing())
    {
        AfxWaitCursorCount(0);
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }

    // The control-colour messages share one entry, WM_CTLCOLOR.
    UINT nLookup = message;
    AFX_CTLCOLOR ctlColor = {};
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        nLookup = WM_CTLCOLOR;
        ctlColor.hDC = reinterpret_cast<HDC>(wParam);
        ctlColor.hWnd = reinterpret_cast<HWND>(lParam);
        ctlColor.nCtlType = message - WM_CTLCOLORMSGBOX;
    }

    const AFX_MSGMAP_ENTRY* lpEntry = FindWindowMessageEntry(GetMessageMap(), nLookup);
    if (lpEntry == nullptr)
    {
        // Items of owner-drawn list and combo boxes that no entry handles go back to the control.
        if (message == WM_COMPAREITEM || message == WM_DELETEITEM || message == WM_VKEYTOITEM ||
            message == WM_CHARTOITEM)
        {
            HWND hWndChild = message == WM_COMPAREITEM   ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem
                             : message == WM_DELETEITEM ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem
                                                         : reinterpret_cast<HWND>(lParam);
            if (ReflectLastMsg(hWndChild, pResult))
                return TRUE;
        }
        return FALSE;
    }

    AFX_PMSG pfn = lpEntry->pfn;
    UINT_PTR nSig = lpEntry->nMessage == 0xC000 ? static_cast<UINT_PTR>(AfxSig_lwl) : lpEntry->nSig;
    CPoint point = PointFromLParam(lParam);
    switch (nSig)
    {
    case AfxSig_vv:
        (this->*AfxHandlerCast<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_bv:
        lResult = (this->*AfxHandlerCast<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_wv:
        lResult = (this->*AfxHandlerCast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_lv:
        lResult = (this->*AfxHandlerCast<LRESULT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_hv:
        lResult = reinterpret_cast<LRESULT>((this->*AfxHandlerCast<HCURSOR (CWnd::*)()>(pfn))());
        break;
    case AfxSig_lwl:
        lResult = (this->*AfxHandlerCast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_is:
        lResult = (this->*AfxHandlerCast<int (CWnd::*)(LPCREATESTRUCTA)>(pfn))(
            reinterpret_cast<LPCREATESTRUCTA>(lParam));
        break;
    case AfxSig_bs:
        lResult = (this->*AfxHandlerCast<BOOL (CWnd::*)(LPCREATESTRUCTA)>(pfn))(
            reinterpret_cast<LPCREATESTRUCTA>(lParam));
        break;
    case AfxSig_vwii:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, int, int)>(pfn))(
            static_cast<UINT>(wParam), static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam)));
        break;
    case AfxSig_vii:
        (this->*AfxHandlerCast<void (CWnd::*)(int, int)>(pfn))(static_cast<SHORT>(LOWORD(lParam)),
                                                                  static_cast<SHORT>(HIWORD(lParam)));
        break;
    case AfxSig_bD:
        lResult = (this->*AfxHandlerCast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_vt:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_vwp:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), point);
        break;
    case AfxSig_bwsp:
        lResult = (this->*AfxHandlerCast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
        // An unhandled wheel message goes on to the default processing (and the parent).
        if (!lResult)
            return FALSE;
        break;
    case AfxSig_lp:
        lResult = (this->*AfxHandlerCast<LRESULT (CWnd::*)(CPoint)>(pfn))(point);
        break;
    case AfxSig_vbN:
        (this->*AfxHandlerCast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(
            static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_bb:
        lResult = (this->*AfxHandlerCast<BOOL (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_vwww:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(
            static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*AfxHandlerCast<void (CWnd::*)(CWnd*)>(pfn))(
            FromHandleOrNull(reinterpret_cast<HWND>(message == WM_KILLFOCUS || message == WM_SETFOCUS ? wParam
                                                    : message == WM_PALETTECHANGED                 ? wParam
                                                                                                    : lParam)));
        break;
    case AfxSig_vWp:
        (this->*AfxHandlerCast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandleOrNull(reinterpret_cast<HWND>(wParam)),
                                                                       point);
        break;
    case AfxSig_bWww:
        lResult = (this->*AfxHandlerCast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandleOrNull(reinterpret_cast<HWND>(wParam)), static_cast<SHORT>(LOWORD(lParam)), HIWORD(lParam));
        break;
    case AfxSig_iWww:
        lResult = (this->*AfxHandlerCast<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandleOrNull(reinterpret_cast<HWND>(wParam)), static_cast<SHORT>(LOWORD(lParam)), HIWORD(lParam));
        break;
    case AfxSig_vPOS:
        (this->*AfxHandlerCast<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_vMMI:
        (this->*AfxHandlerCast<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_vbw:
        (this->*AfxHandlerCast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_vwWb:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), FromHandleOrNull(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
        break;
    case AfxSig_vbh:
        (this->*AfxHandlerCast<void (CWnd::*)(BOOL, DWORD)>(pfn))(static_cast<BOOL>(wParam),
                                                                     static_cast<DWORD>(lParam));
        break;
    case AfxSig_vbWW:
    {
        // A child receives (deactivated, activated); the client's message is addressed differently.
        HWND hWndActivate = reinterpret_cast<HWND>(lParam);
        HWND hWndDeactivate = reinterpret_cast<HWND>(wParam);
        (this->*AfxHandlerCast<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(
            m_hWnd == hWndActivate, FromHandleOrNull(hWndActivate), FromHandleOrNull(hWndDeactivate));
        break;
    }
    case AfxSig_vws:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, LPCSTR)>(pfn))(static_cast<UINT>(wParam),
                                                                      reinterpret_cast<LPCSTR>(lParam));
        break;
    case AfxSig_vwl:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_vb:
        (this->*AfxHandlerCast<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_vwwX:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)),
            static_cast<CScrollBar*>(FromHandleOrNull(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_hDWw:
    {
        HBRUSH hBrush = (this->*AfxHandlerCast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(ctlColor.hDC), FromHandleOrNull(ctlColor.hWnd), ctlColor.nCtlType);
        lResult = reinterpret_cast<LRESULT>(hBrush);
        break;
    }
    case AfxSig_vOWNER:
        (this->*AfxHandlerCast<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                               reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_vMEASURE:
        (this->*AfxHandlerCast<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_vMwb:
        (this->*AfxHandlerCast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwwh:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                           reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig_vwSTYLE:
        (this->*AfxHandlerCast<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                            reinterpret_cast<LPSTYLESTRUCT>(lParam));
        break;
    case AfxSig_bHELPINFO:
        lResult = (this->*AfxHandlerCast<BOOL (CWnd::*)(HELPINFO*)>(pfn))(reinterpret_cast<HELPINFO*>(lParam));
        break;
    case AfxSig_vHDROP:
        (this->*AfxHandlerCast<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam));
        break;
    case AfxSig_hDw:
    {
        // A reflected control colour: a null brush leaves the colour to the parent.
        auto* pCtl = reinterpret_cast<AFX_CTLCOLOR*>(lParam);
        HBRUSH hBrush = (this->*AfxHandlerCast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(CDC::FromHandle(pCtl->hDC),
                                                                                     pCtl->nCtlType);
        if (hBrush == nullptr)
            return FALSE;
        lResult = reinterpret_cast<LRESULT>(hBrush);
        break;
    }
    case AfxSig_vDRAW:
        (this->*AfxHandlerCast<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_vMEASURE_R:
        (this->*AfxHandlerCast<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))(
            reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_vww:
        (this->*AfxHandlerCast<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr)
    {
        // Menu items and accelerators: a disabled command is not carried out.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        // The control may handle its own notification first.
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    int nCode = static_cast<int>(pNMHDR->code);
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr))
        {
            if (pResult != nullptr)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {pResult, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, MAKELONG(static_cast<int>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                    nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl = {m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
            return CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), pResult);
        }
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    return OnChildNotify(g_lastSentMsg.message, g_lastSentMsg.wParam, g_lastSentMsg.lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    // Windows with tool tips feed the mouse messages to the shared tip control.
    if (m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS))
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    bool bKey = lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST;
    bool bMouse = lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST;
    if (!bKey && !bMouse)
        return FALSE;
    return IsDialogMessage(lpMsg);
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg)
{
    return ::IsDialogMessageA(m_hWnd, lpMsg);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendNotifyMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        if (!bOnlyPerm)
        {
            ::SendMessageA(hWndChild, message, wParam, lParam);
        }
        else if (CWnd* pWnd = FromHandlePermanent(hWndChild))
        {
            // Straight to the object: the message need not pass through Win32.
            AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}
