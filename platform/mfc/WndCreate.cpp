// Creation, subclassing and the end of a window: the object is attached to its HWND before the
// window's first message and let go at WM_NCDESTROY.
#include "platform/mfc/Wnd.h"

#include "platform/mfc/Dialog.h"
#include "platform/mfc/DialogTemplate.h"
#include "platform/mfc/Exception.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/ResourceException.h"
#include "platform/mfc/WinThread.h"
#include "platform/mfc/WndInternal.h"

#include <cstdio>
#include <set>
#include <string>

namespace
{
// Per-thread state of the user-interface thread.
CWnd* g_pWndInit = nullptr;
HHOOK g_hHookCbt = nullptr;

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
                    rect.right - rect.left, rect.bottom - rect.top, HwndOf(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, HwndOf(pParentWnd),
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
    HWND hWndControl = ::GetDlgItem(HwndOf(pParent), static_cast<int>(nID));
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
    WndInternal::ReleaseThreadToolTip(this);

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

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, pWnd);
    if (pDialog == nullptr)
        return TRUE;
    RECT rcBefore{};
    ::GetWindowRect(hWnd, &rcBefore);
    const BOOL bResult = pDialog->OnInitDialog();
    RECT rcAfter{};
    if (pDialog->m_bCenterWhenInitialised && ::IsWindow(hWnd) && ::GetWindowRect(hWnd, &rcAfter) &&
        rcAfter.left == rcBefore.left && rcAfter.top == rcBefore.top)
        pDialog->CenterWindow();
    return bResult;
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

    if (CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, this))
        pDialog->m_bCenterWhenInitialised = CDialogTemplate::IsUnplacedTopLevel(lpDialogTemplate) != FALSE;
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    HWND hWnd = nullptr;
    try
    {
        AfxHookWindowCreate(this);
        hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, HwndOf(pParentWnd), &AfxDlgProc, 0);
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
