#include "platform/mfc/FrameWnd.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/CreateContext.h"
#include "platform/mfc/DockBar.h"
#include "platform/mfc/Document.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/MiniDockFrameWnd.h"
#include "platform/mfc/ResourceException.h"
#include "platform/mfc/View.h"
#include "platform/mfc/WinApp.h"

#include <dde.h>

namespace
{
constexpr const char* kIdleMessage = "Ready";
constexpr const char* kFrameClass = "AfxFrameOrView";
// System commands (SC_*) in menus.
constexpr UINT kFirstSysCommand = 0xF000;
}

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_DDE_INITIATE, OnDDEInitiate)
    ON_MESSAGE(WM_DDE_EXECUTE, OnDDEExecute)
    ON_MESSAGE(WM_DDE_TERMINATE, OnDDETerminate)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
    {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kFrameClass;
        if (!AfxRegisterClass(&wc))
            return FALSE;
        cs.lpszClass = kFrameClass;
    }
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
    {
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr)
            return FALSE;
    }
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : "";
    BOOL bDefault = rect.left == CW_USEDEFAULT;
    int x = bDefault ? CW_USEDEFAULT : rect.left;
    int y = bDefault ? CW_USEDEFAULT : rect.top;
    int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, HwndOf(pParentWnd), hMenu,
                  pContext))
    {
        // A window that got as far as WM_NCCREATE has destroyed its menu and deleted this object.
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFull;
    if (strFull.LoadString(nIDResource))
    {
        int nEnd = strFull.Find('\n');
        m_strTitle = nEnd < 0 ? strFull : strFull.Left(nEnd);
    }
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCSTR lpszClass = nullptr;
    if (HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource)))
        lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    LPCSTR lpszMenu = ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), reinterpret_cast<LPCSTR>(RT_MENU)) != nullptr
                          ? MAKEINTRESOURCEA(nIDResource)
                          : nullptr;
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
        return FALSE;
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    return OnCreateHelper(lpCreateStruct, static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCTA lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!(GetStyle() & WS_CHILD))
        m_hMenuDefault = ::GetMenu(m_hWnd);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    auto* pView = dynamic_cast<CWnd*>(pObject);
    if (pView == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnDestroy()
{
    // The default menu goes with the window; a shared menu set on it must not.
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        // The main window asks about every document, then closes them all.
        if (pDocument == nullptr && !pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
    }
    if (pDocument != nullptr && GetActiveDocument() == pDocument)
        pDocument->PreCloseFrame(this);
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE || bMinimized)
        return;
    CFrameWnd* pActiveFrame = GetActiveFrame();
    CView* pView = pActiveFrame != nullptr ? pActiveFrame->GetActiveView() : nullptr;
    if (pView != nullptr)
        pView->OnActivateView(TRUE, pView, pView);
}

// ---------------------------------------------------------------------------------------------
// Views and documents

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // No active view while the old one hears of its deactivation.
    m_pViewActive = nullptr;
    if (bNotify && pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = nullptr;
    if (GetActiveView() == nullptr)
    {
        pView = dynamic_cast<CView*>(GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
        if (pView != nullptr)
            SetActiveView(pView, FALSE);
    }
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != nullptr)
            pView->OnActivateFrame(WA_INACTIVE, this);
        ActivateFrame();
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != nullptr)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE)
        BringWindowToTop();
}

// ---------------------------------------------------------------------------------------------
// Layout

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
    {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(nullptr);
    }
    if (m_nIdleFlags & idleTitle)
    {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Title, menu and accelerators

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDocument = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDocument != nullptr ? static_cast<LPCSTR>(pDocument->GetTitle())
                                                                     : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName)
{
    CString strDoc;
    if (lpszDocName != nullptr)
    {
        strDoc = lpszDocName;
        if (m_nWindow > 0)
            strDoc.AppendFormat(":%d", m_nWindow);
    }
    CString strText;
    if (lpszDocName == nullptr)
        strText = m_strTitle;
    else if (GetStyle() & FWS_PREFIXTITLE)
        strText = strDoc + " - " + m_strTitle;
    else
        strText = m_strTitle + " - " + strDoc;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
    if (hMenu != nullptr && ::GetMenu(m_hWnd) != hMenu)
        ::SetMenu(m_hWnd, hMenu);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != nullptr && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pMenu == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;
        if (state.m_nID == static_cast<UINT>(-1))
        {
            // A popup is updated through its first item and never disabled for want of a handler.
            state.m_pSubMenu = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (state.m_pSubMenu == nullptr || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == static_cast<UINT>(-1))
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < kFirstSysCommand);
        }
        // A handler may have added or removed items (the recent-file list does).
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = nCount;
    }
}

// ---------------------------------------------------------------------------------------------
// Status line

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString strFull;
    if (strFull.LoadString(nID))
    {
        int nEnd = strFull.Find('\n');
        rMessage = nEnd < 0 ? strFull : strFull.Left(nEnd);
    }
    else
    {
        rMessage = nID == AFX_IDS_IDLEMESSAGE ? kIdleMessage : "";
    }
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK)))
        m_nIDTracking = 0;
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr)
    {
        CString strMessage;
        if (lParam != 0)
            strMessage = reinterpret_cast<LPCSTR>(lParam);
        else if (wParam != 0)
            GetMessageString(static_cast<UINT>(wParam), strMessage);
        pMessageBar->SetWindowText(strMessage);
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0 && lParam == 0)
        wParam = AFX_IDS_IDLEMESSAGE;
    return OnSetMessageString(wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Commands

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CWnd* pBar = GetDescendantWindow(static_cast<int>(nID), TRUE);
    if (pBar == nullptr)
        return FALSE;
    pBar->ShowWindow((pBar->GetStyle() & WS_VISIBLE) ? SW_HIDE : SW_SHOWNOACTIVATE);
    RecalcLayout();
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CWnd* pBar = GetDescendantWindow(static_cast<int>(pCmdUI->m_nID), TRUE);
    if (pBar == nullptr)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Shell open through DDE

LRESULT CFrameWnd::OnDDEInitiate(WPARAM wParam, LPARAM lParam)
{
    CWinApp* pApp = AfxGetApp();
    ATOM atomApp = LOWORD(lParam);
    ATOM atomTopic = HIWORD(lParam);
    if (pApp == nullptr || pApp->m_atomApp == 0 || atomApp != pApp->m_atomApp || atomTopic != pApp->m_atomSystemTopic)
        return 0;
    // The client deletes the atoms of the answer: give it references of its own.
    char szName[MAX_PATH];
    ::GlobalGetAtomNameA(pApp->m_atomApp, szName, MAX_PATH);
    ::GlobalAddAtomA(szName);
    ::GlobalGetAtomNameA(pApp->m_atomSystemTopic, szName, MAX_PATH);
    ::GlobalAddAtomA(szName);
    ::SendMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                   MAKELPARAM(pApp->m_atomApp, pApp->m_atomSystemTopic));
    return 0;
}

LRESULT CFrameWnd::OnDDEExecute(WPARAM wParam, LPARAM lParam)
{
    UINT_PTR uUnused = 0;
    UINT_PTR uData = 0;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &uUnused, &uData))
        return 0;
    auto hData = reinterpret_cast<HGLOBAL>(uData);
    CString strCommand;
    if (auto* lpsz = static_cast<LPCSTR>(::GlobalLock(hData)))
    {
        // Never read past the block, whatever the client put in it.
        SIZE_T nSize = ::GlobalSize(hData);
        SIZE_T nLength = 0;
        while (nLength < nSize && lpsz[nLength] != '\0')
            ++nLength;
        strCommand = CString(lpsz, static_cast<int>(nLength));
        ::GlobalUnlock(hData);
    }
    // Acknowledge before carrying the command out.
    ::PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                   ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, 0x8000, uData));
    // Not while a modal dialog has the frame disabled.
    CWinApp* pApp = AfxGetApp();
    if (IsWindowEnabled() && pApp != nullptr)
        pApp->OnDDECommand(strCommand.GetBuffer());
    return 0;
}

LRESULT CFrameWnd::OnDDETerminate(WPARAM wParam, LPARAM lParam)
{
    ::PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), lParam);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Docking

void CFrameWnd::EnableDocking(DWORD) {}
void CFrameWnd::DockControlBar(CControlBar*, UINT, LPCRECT) {}
void CFrameWnd::DockControlBar(CControlBar*, CDockBar*, LPCRECT) {}
void CFrameWnd::ReDockControlBar(CControlBar*, CDockBar*, LPCRECT) {}
void CFrameWnd::FloatControlBar(CControlBar*, CPoint, DWORD) {}
void CFrameWnd::ShowControlBar(CControlBar*, BOOL, BOOL) {}
CControlBar* CFrameWnd::GetControlBar(UINT) { return nullptr; }
CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD) { AfxThrowResourceException(); }
DWORD CFrameWnd::CanDock(CRect, DWORD, CDockBar**) { return 0; }
void CFrameWnd::AddControlBar(CControlBar*) {}
void CFrameWnd::RemoveControlBar(CControlBar*) {}
void CFrameWnd::DestroyDockBars() {}
