#include "platform/mfc/Wnd.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/DialogTemplate.h"
#include "platform/mfc/Exception.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/HandleMap.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/ResourceException.h"
#include "platform/mfc/Rgn.h"
#include "platform/mfc/ScrollBar.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "platform/mfc/UserException.h"
#include "platform/mfc/WaitCursor.h"
#include "platform/mfc/WinThread.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace
{
CHandleMap<HWND, CWnd>& WindowMap()
{
    static CHandleMap<HWND, CWnd> map([](HWND hWnd) { return new CWnd(hWnd); },
                                      [](CWnd* pWnd) { pWnd->m_hWnd = nullptr; });
    return map;
}

// Per-thread state of the user-interface thread.
CWnd* g_pWndInit = nullptr;
HHOOK g_hHookCbt = nullptr;
MSG g_lastSentMsg = {};

LRESULT CALLBACK CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pWndInit != nullptr)
    {
        // Attach before the window's first message, then route its messages through the framework.
        CWnd* pWndInit = g_pWndInit;
        g_pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWndInit->Attach(hWnd);
        pWndInit->PreSubclassWindow();
        WNDPROC oldWndProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (oldWndProc != &AfxWndProc)
            *pWndInit->GetSuperWndProcAddr() = oldWndProc;
    }
    return CallNextHookEx(g_hHookCbt, nCode, wParam, lParam);
}

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

CWnd* FromHandleOrNull(HWND hWnd)
{
    return hWnd != nullptr ? CWnd::FromHandle(hWnd) : nullptr;
}
}

// ---------------------------------------------------------------------------------------------
// Handle map, attachment and creation

CWnd::CWnd() : m_hWnd(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(-1)
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(-1)
{
}

CWnd::~CWnd()
{
    // A window outliving its object would send messages to freed memory: destroy it first.
    if (m_hWnd != nullptr && this != &wndTop && this != &wndBottom && this != &wndTopMost &&
        this != &wndNoTopMost && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

HWND CWnd::GetSafeHwnd() const
{
    return this != nullptr ? m_hWnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return WindowMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? WindowMap().LookupPermanent(hWnd) : nullptr;
}

void CWnd::DeleteTempMap()
{
    WindowMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    WindowMap().SetPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && FromHandlePermanent(hWnd) == this)
        WindowMap().RemovePermanent(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    // The hook stays installed for the thread; only the window to attach changes.
    if (g_hHookCbt == nullptr)
        g_hHookCbt = SetWindowsHookExA(WH_CBT, &CbtFilterHook, nullptr, GetCurrentThreadId());
    g_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    if (g_pWndInit != nullptr)
    {
        g_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing = {};
    if (GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return RegisterClassA(lpWndClass) != 0;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // Names are kept for the life of the process so the returned pointer stays valid.
    static std::set<std::string> names;
    char name[128];
    std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    const std::string& stored = *names.insert(name).first;
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = stored.c_str();
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
    return stored.c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
    {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = AFX_WND_CLASS;
        if (!AfxRegisterClass(&wc))
            return FALSE;
        cs.lpszClass = AFX_WND_CLASS;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr)
    {
        // Creation failed after the object was attached: WM_NCDESTROY has detached it already.
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window that was not attached (or was destroyed without WM_NCDESTROY reaching us) lets go here.
    if (m_hWnd == hWnd && FromHandlePermanent(hWnd) != this)
        m_hWnd = nullptr;
    return bResult;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldWndProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (oldWndProc != &AfxWndProc)
        *GetSuperWndProcAddr() = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (*lplpfn != nullptr)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*lplpfn));
    *lplpfn = nullptr;
    return Detach();
}

// ---------------------------------------------------------------------------------------------
// Message processing

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
        lResult = nMsg == WM_CREATE ? -1 : 0;
        if (nMsg == WM_PAINT)
            ValidateRect(hWnd, nullptr);
    }
    catch (...)
    {
        lResult = nMsg == WM_CREATE ? -1 : 0;
        if (nMsg == WM_PAINT)
            ValidateRect(hWnd, nullptr);
    }
    g_lastSentMsg = oldState;
    return lResult;
}

const MSG* CWnd::GetCurrentMessage()
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

// ---------------------------------------------------------------------------------------------
// Modal loops

int CWnd::RunModalLoop(DWORD dwFlags)
{
    bool bIdle = true;
    LONG lIdleCount = 0;
    bool bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG msg = {};

    while (ContinueModal())
    {
        // Idle: show the window once, tell the owner, let the window update its controls.
        while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = false;
        }
        do
        {
            if (!AfxPumpMessage())
            {
                // WM_QUIT: end the loop and repost it for the outer loop.
                ::PostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            // The blinking caret's timer or a system key shows a window waiting for idle time.
            const MSG* pMsg = AfxGetCurrentMessage();
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if (!ContinueModal())
                break;
            if (AfxIsIdleMessage(AfxGetCurrentMessage()))
            {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop up so that it sees the flag.
        PostMessage(WM_NULL);
    }
}

// ---------------------------------------------------------------------------------------------
// Tool tips

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
    if (g_pToolTip != nullptr && g_pToolTip->GetOwner()->GetSafeHwnd() != pOwner->m_hWnd)
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
    if (g_pToolTip != nullptr && g_pToolTip->GetSafeHwnd() != nullptr)
        g_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
}

// ---------------------------------------------------------------------------------------------
// Frames and layout

BOOL CWnd::IsFrameWnd() const
{
    return const_cast<CWnd*>(this)->AsFrameWnd() != nullptr;
}

CFrameWnd* CWnd::AsFrameWnd()
{
    return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* pParent = GetParent(); pParent != nullptr; pParent = pParent->GetParent())
    {
        if (CFrameWnd* pFrame = pParent->AsFrameWnd())
            return pFrame;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    // The outermost frame among this window and its parents.
    CFrameWnd* pFrame = nullptr;
    for (CWnd* pWnd = const_cast<CWnd*>(this); pWnd->GetSafeHwnd() != nullptr; pWnd = pWnd->GetParent())
    {
        if (CFrameWnd* pFound = pWnd->AsFrameWnd())
            pFrame = pFound;
        if (pWnd->GetParent() == nullptr)
            break;
    }
    return pFrame;
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    for (HWND hWndT = hWndParent; hWndT != nullptr; hWndT = ::GetParent(hWndT))
    {
        hWndParent = hWndT;
        if (!(::GetWindowLongA(hWndT, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndOwner = m_hWnd;
    for (HWND hWndT = ::GetWindow(hWndOwner, GW_OWNER); hWndT != nullptr; hWndT = ::GetWindow(hWndOwner, GW_OWNER))
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    // The parent of a child, the owner of a pop-up, up to the first window that is not a child.
    HWND hWndParent = m_hWnd;
    HWND hWndT = nullptr;
    while ((::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    if (lpLayout != nullptr && lpLayout->hDWP == nullptr)
        return;
    CRect rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    UINT nMode = nFlags & ~reposNoPosLeftOver;
    layout.hDWP = nMode != reposQuery ? ::BeginDeferWindowPos(8) : nullptr;

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nMode == reposQuery)
    {
        if (lpRectParam != nullptr)
        {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != nullptr)
    {
        if (nMode == reposExtra && lpRectParam != nullptr)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlags & reposNoPosLeftOver))
        {
            FromHandle(hWndLeftOver)->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    // A stand-in object for each control, attached to nothing.
    CWnd wndTemp;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        wndTemp.m_hWnd = hWndChild;
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        state.m_pOther = &wndTemp;

        // The control's own reflected update handler, then the window's, then the target's.
        CWnd* pWnd = FromHandlePermanent(hWndChild);
        if (pWnd != nullptr &&
            pWnd->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, nullptr))
            continue;
        if (CCmdTarget::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;

        // Only command buttons are disabled for want of a handler.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp)
        {
            if ((wndTemp.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) == 0)
            {
                bDisableTemp = FALSE;
            }
            else
            {
                UINT nStyle = wndTemp.GetStyle() & 0x0F;
                if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                    nStyle == BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = nullptr;
}

BOOL CWnd::ExecuteDlgInit(LPCSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return TRUE;
    constexpr WORD kDlgInitResourceType = 240;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(kDlgInitResourceType));
    if (hResource == nullptr)
        return TRUE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hResource);
    DWORD dwSize = ::SizeofResource(hInst, hResource);
    if (hGlobal == nullptr || dwSize == 0)
        return TRUE;
    // The block is copied and terminated so that a damaged resource cannot be read past its end.
    std::vector<BYTE> block(static_cast<const BYTE*>(::LockResource(hGlobal)),
                            static_cast<const BYTE*>(::LockResource(hGlobal)) + dwSize);
    block.insert(block.end(), sizeof(WORD) + 1, 0);
    for (size_t nOffset = 0; nOffset + 8 <= dwSize; )
    {
        DWORD dwLen = *reinterpret_cast<const DWORD*>(&block[nOffset + 4]);
        if (*reinterpret_cast<const WORD*>(&block[nOffset]) == 0)
            break;
        if (dwLen > dwSize - nOffset - 8)
        {
            // A record running past the end ends the list there.
            block[nOffset] = block[nOffset + 1] = 0;
            break;
        }
        nOffset += 8 + dwLen;
    }
    return ExecuteDlgInit(block.data());
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    constexpr WORD kLegacyListBoxAddString = 0x0403;
    constexpr WORD kLegacyComboBoxAddString = 0x0443;
    constexpr WORD kComboBoxExInsertItem = 0x1234;
    if (lpResource == nullptr)
        return TRUE;
    const BYTE* lpnRes = static_cast<const BYTE*>(lpResource);
    BOOL bSuccess = TRUE;
    for (;;)
    {
        WORD nIDC = *reinterpret_cast<const WORD*>(lpnRes);
        if (nIDC == 0)
            break;
        WORD nMsg = *reinterpret_cast<const WORD*>(lpnRes + 2);
        DWORD dwLen = *reinterpret_cast<const DWORD*>(lpnRes + 4);
        const char* lpData = reinterpret_cast<const char*>(lpnRes + 8);
        if (nMsg == kLegacyListBoxAddString || nMsg == kLegacyComboBoxAddString)
        {
            UINT nMessage = nMsg == kLegacyListBoxAddString ? LB_ADDSTRING : CB_ADDSTRING;
            LRESULT lResult = SendDlgItemMessage(nIDC, nMessage, 0, reinterpret_cast<LPARAM>(lpData));
            if (lResult == LB_ERR || lResult == LB_ERRSPACE)
                bSuccess = FALSE;
        }
        else if (nMsg == kComboBoxExInsertItem)
        {
            COMBOBOXEXITEMA item = {};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = const_cast<char*>(lpData);
            if (SendDlgItemMessage(nIDC, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) == -1)
                bSuccess = FALSE;
        }
        lpnRes += 8 + dwLen;
    }
    return bSuccess;
}

// ---------------------------------------------------------------------------------------------
// Thin wrappers of USER

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

namespace
{
BOOL ModifyStyleLong(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, nStyleOffset));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, nStyleOffset, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }

CWnd* CWnd::GetParent() const { return FromHandleOrNull(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* pWndNewParent) { return FromHandleOrNull(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
CWnd* CWnd::GetOwner() const { return FromHandleOrNull(::GetWindow(m_hWnd, GW_OWNER)); }
void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pOwnerWnd->GetSafeHwnd()));
}
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandleOrNull(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetTopWindow() const { return FromHandleOrNull(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetLastActivePopup() const { return FromHandleOrNull(::GetLastActivePopup(m_hWnd)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandleOrNull(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID)); }

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    // Direct children first (the usual case), then depth first.
    if (HWND hWndChild = ::GetDlgItem(hWnd, nID))
    {
        // A child with its parent's id comes first: the first pane of a splitter that is itself
        // its frame's first pane.
        if (::GetTopWindow(hWndChild) != nullptr)
        {
            if (CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm))
                return pWnd;
        }
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
        if (pWnd != nullptr)
            return pWnd;
    }
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        if (CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm))
            return pWnd;
    }
    return nullptr;
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandleOrNull(::ChildWindowFromPoint(m_hWnd, point)); }
CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandleOrNull(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandleOrNull(::WindowFromPoint(point)); }
CWnd* CWnd::FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName)
{
    return FromHandleOrNull(::FindWindowA(lpszClassName, lpszWindowName));
}
CWnd* CWnd::GetDesktopWindow() { return FromHandleOrNull(::GetDesktopWindow()); }
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandleOrNull(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandleOrNull(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetRedraw(BOOL bRedraw) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
BOOL CWnd::LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
void CWnd::UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn != nullptr ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr, bErase);
}
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, pRgn != nullptr ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate != nullptr ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr,
                          flags);
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}
int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                            prgnUpdate != nullptr ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr,
                            lpRectUpdate, flags);
}
BOOL CWnd::FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
int CWnd::GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    // Over the owner (or the alternate one) when it is visible, else over the work area,
    // kept inside the work area.
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == nullptr)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(dwStyle & WS_CHILD))
    {
        if (hWndCenter != nullptr && (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
            hWndCenter = nullptr;
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoA(::MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                          &mi);
        rcArea = mi.rcWork;
        if (hWndCenter != nullptr)
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    else
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    }
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount); }
void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLength), nLength + 1);
    rString.ReleaseBuffer();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}
CFont* CWnd::GetFont() const
{
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    return hFont != nullptr ? CFont::FromHandle(hFont) : nullptr;
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        ::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const { return static_cast<int>(::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount)); }
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (hWndItem == nullptr)
        return 0;
    int nLength = ::GetWindowTextLengthA(hWndItem);
    ::GetWindowTextA(hWndItem, rString.GetBufferSetLength(nLength), nLength + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID)
    {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

CWnd* CWnd::SetFocus() { return FromHandleOrNull(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandleOrNull(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandleOrNull(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandleOrNull(::GetCapture()); }
CWnd* CWnd::SetActiveWindow() { return FromHandleOrNull(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandleOrNull(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetForegroundWindow() { return FromHandleOrNull(::GetForegroundWindow()); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, prgnClip != nullptr ? static_cast<HRGN>(prgnClip->GetSafeHandle()) : nullptr, flags));
}
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nMax;
    if (info.nPage > 0)
        nLimit -= static_cast<int>(info.nPage) - 1;
    return nLimit < info.nMin ? info.nMin : nLimit;
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow); }
CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(), nType);
}
void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ModifyStyleEx(bAccept ? 0 : WS_EX_ACCEPTFILES, bAccept ? WS_EX_ACCEPTFILES : 0);
}

// ---------------------------------------------------------------------------------------------
// Default handlers

int CWnd::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCTA) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy()
{
    if (CWinThread* pThread = AfxGetThread())
    {
        if (pThread->m_pMainWnd == this)
        {
            // The main window's end ends the thread's message loop.
            ::PostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }
    if (g_pToolTip != nullptr && (g_pToolTip->GetOwner() == this || g_pLastHit == this))
        DestroyThreadToolTip();

    WNDPROC pfnWndProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    Default();
    // Restore the original procedure unless someone subclassed the window after us.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == pfnWndProc)
    {
        WNDPROC pfnSuper = *GetSuperWndProcAddr();
        if (pfnSuper != nullptr)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnSuper));
    }
    Detach();
    PostNcDestroy();
}

void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnSettingChange(UINT, LPCSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnDisplayChange(UINT, int, int) { Default(); }
LRESULT CWnd::OnThemeChanged() { return Default(); }
void CWnd::OnTimeChange() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnEnable(BOOL) { Default(); }

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU)
    {
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild != nullptr && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    // Creation and destruction of a child go back to the child.
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

BOOL CWnd::OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
void CWnd::OnDropFiles(HDROP) { Default(); }

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------
// Dialog data exchange and dialog creation

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CException* e)
    {
        // A failed validation has already told the user (CUserException); others are reported here.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        e->Delete();
        return FALSE;
    }
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, pWnd);
    return pDialog != nullptr ? pDialog->OnInitDialog() : TRUE;
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == nullptr)
        return FALSE;
    if (hInst == nullptr)
        hInst = AfxGetResourceHandle();

    // A template without a font gets the system's dialog font, as the platform's dialogs do.
    CDialogTemplate dlgTemp(lpDialogTemplate);
    if (!dlgTemp.HasFont())
    {
        dlgTemp.SetSystemFont();
        lpDialogTemplate = dlgTemp.GetTemplate();
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    HWND hWnd = nullptr;
    try
    {
        AfxHookWindowCreate(this);
        hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
    }
    catch (CException* e)
    {
        e->Delete();
        m_nModalResult = -1;
    }
    AfxUnhookWindowCreate();
    // A dialog that ended during its initialisation goes at once.
    if (hWnd != nullptr && !(m_nFlags & WF_CONTINUEMODAL))
    {
        ::DestroyWindow(hWnd);
        hWnd = nullptr;
    }
    return hWnd != nullptr;
}
