#include "platform/mfc/MDIChildWnd.h"

#include "platform/mfc/CreateContext.h"
#include "platform/mfc/Document.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/MDIFrameWnd.h"
#include "platform/mfc/MultiDocTemplate.h"
#include "platform/mfc/View.h"
#include "platform/mfc/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, LPCSTR, DWORD dwExStyle, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
    if (pMDIFrame == nullptr || pMDIFrame->m_hWndMDIClient == nullptr)
        return FALSE;

    // A new child follows a maximised active one.
    BOOL bMaximized = FALSE;
    pMDIFrame->MDIGetActive(&bMaximized);
    if (bMaximized)
        dwStyle |= WS_MAXIMIZE;

    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : "";
    BOOL bDefault = rect.left == CW_USEDEFAULT;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = bDefault ? CW_USEDEFAULT : rect.left;
    cs.y = bDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pMDIFrame->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    // Created hidden and shown below, so that activation happens once the window is complete.
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    HWND hWndClient = pMDIFrame->m_hWndMDIClient;
    AfxHookWindowCreate(this);
    auto hWnd = reinterpret_cast<HWND>(::SendMessageA(hWndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    AfxUnhookWindowCreate();
    if (hWnd == nullptr)
        return FALSE;

    if (cs.style & WS_VISIBLE)
    {
        ::BringWindowToTop(hWnd);
        ::ShowWindow(hWnd, (cs.style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                           : (cs.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                      : SW_SHOWNORMAL);
        pMDIFrame->MDIActivate(this);
        ::SendMessageA(hWndClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    dwDefaultStyle |= WS_CHILD;
    // The menu and accelerators shared by every frame of the template.
    auto* pTemplate = pContext != nullptr ? dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate) : nullptr;
    if (pTemplate != nullptr)
    {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    CString strFull;
    CString strTitle;
    if (strFull.LoadString(nIDResource))
    {
        int nEnd = strFull.Find('\n');
        strTitle = nEnd < 0 ? strFull : strFull.Left(nEnd);
    }
    LPCSTR lpszClass = nullptr;
    if (HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)))
        lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    return Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    // The creation context travels in the MDI creation record.
    auto* lpmcs = static_cast<MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
    auto* pContext = lpmcs != nullptr ? reinterpret_cast<CCreateContext*>(lpmcs->lParam) : nullptr;
    return OnCreateHelper(lpCreateStruct, pContext);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    // The MDI client destroys its children; this object is gone afterwards.
    MDIDestroy();
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(FromHandlePermanent(::GetParent(hWndClient)));
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1 && pFrame != nullptr)
    {
        BOOL bMaximized = FALSE;
        pFrame->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (pFrame == nullptr)
        return;
    if (pFrame->MDIGetActive() != this)
        MDIActivate();
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    pFrame->DrawMenuBar();
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The child's accelerators send their commands to the MDI frame, which routes them back here.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        CMDIFrameWnd* pFrame = GetMDIFrame();
        HACCEL hAccel = GetDefaultAccelerator();
        return pFrame != nullptr && hAccel != nullptr && ::TranslateAcceleratorA(pFrame->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDocument = GetActiveDocument();
    if (!bAddToTitle || pDocument == nullptr)
        return;
    CString strText = pDocument->GetTitle();
    if (m_nWindow > 0)
        strText.AppendFormat(":%d", m_nWindow);
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    HMENU hMenu = nullptr;
    if (bActivate)
        hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuShared;
    else if (pActivateWnd == nullptr)
        hMenu = pFrame->m_hMenuDefault;  // the last child is going: the frame's own menu comes back
    if (hMenu != nullptr)
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                       reinterpret_cast<LPARAM>(pFrame->GetWindowMenuPopup(hMenu)));
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView != nullptr)
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
    OnUpdateFrameTitle(bActivate || pActivateWnd != nullptr);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate && pActiveView != nullptr && pFrame != nullptr && ::GetActiveWindow() == pFrame->m_hWnd)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (pFrame != nullptr)
        pFrame->DrawMenuBar();
}
