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
// Room offered to the bars when a snapping frame measures them.
constexpr int kSnapMeasureExtent = 32767;
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
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
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
    DestroyDockBars();
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
    // FWS_SNAPTOBARS shares its bit with WS_MINIMIZEBOX: only the small frames of floating bars,
    // which have no such box, read it.
    if ((GetStyle() & FWS_SNAPTOBARS) && IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    {
        // A frame that snaps to its bars takes the size they ask for.
        CRect rect(0, 0, kSnapMeasureExtent, kSnapMeasureExtent);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
    ApplyShowDelay();
}

void CFrameWnd::ApplyShowDelay()
{
    if (m_nShowDelay == -1)
        return;
    const int nCmdShow = m_nShowDelay;
    m_nShowDelay = -1;
    ShowWindow(nCmdShow);
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
    ApplyShowDelay();
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
    if (CControlBar* pControlBar = GetControlBar(nID))
    {
        ShowControlBar(pControlBar, (pControlBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
        return TRUE;
    }
    CWnd* pBar = GetDescendantWindow(static_cast<int>(nID), TRUE);
    if (pBar == nullptr)
        return FALSE;
    pBar->ShowWindow((pBar->GetStyle() & WS_VISIBLE) ? SW_HIDE : SW_SHOWNOACTIVATE);
    RecalcLayout();
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    if (CControlBar* pControlBar = GetControlBar(pCmdUI->m_nID))
    {
        pCmdUI->SetCheck((pControlBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
        return;
    }
    CWnd* pBar = GetDescendantWindow(static_cast<int>(pCmdUI->m_nID), TRUE);
    if (pBar == nullptr)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = 0;
    switch (pCmdUI->m_nID)
    {
    case ID_INDICATOR_CAPS: nVirtKey = VK_CAPITAL; break;
    case ID_INDICATOR_NUM: nVirtKey = VK_NUMLOCK; break;
    case ID_INDICATOR_SCRL: nVirtKey = VK_SCROLL; break;
    default: pCmdUI->ContinueRouting(); return;
    }
    // The indicator shows while its lock is on (the low bit of the key state toggles).
    pCmdUI->Enable((::GetKeyState(nVirtKey) & 1) != 0);
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

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    if (m_pFloatingFrameClass == nullptr)
        m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const AFX_DOCKBAR_SIDE& side : afxDockBarMap)
    {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.nID) != nullptr)
            continue;
        CDockBar* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.dwStyle, side.nID))
            delete pDockBar; // no window: nothing deletes it otherwise
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nullptr;
    if (nDockBarID != 0)
    {
        CControlBar* pFound = GetControlBar(nDockBarID);
        if (pFound == nullptr || !pFound->IsDockBar())
            return;
        pDockBar = static_cast<CDockBar*>(pFound);
    }
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr)
        return;
    if (pDockBar == nullptr)
    {
        // The side the bar is aligned to when it may dock there, else the first side it may.
        const DWORD dwCurrent = pBar->m_dwStyle & CBRS_ALIGN_ANY;
        for (int nPass = 0; nPass < 2 && pDockBar == nullptr; ++nPass)
            for (const AFX_DOCKBAR_SIDE& side : afxDockBarMap)
            {
                const DWORD dwSide = side.dwStyle & CBRS_ALIGN_ANY;
                if (!(dwSide & pBar->m_dwDockStyle) || (nPass == 0 && dwSide != dwCurrent))
                    continue;
                CControlBar* pFound = GetControlBar(side.nID);
                if (pFound != nullptr && pFound->IsDockBar())
                {
                    pDockBar = static_cast<CDockBar*>(pFound);
                    break;
                }
            }
        if (pDockBar == nullptr)
            return;
    }
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pDockBar == nullptr)
        return;
    pDockBar->ReDockControlBar(pBar, lpRect);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar != nullptr && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1 &&
        (dwStyle & pOldDockBar->m_dwStyle & CBRS_ALIGN_ANY) != 0)
    {
        // Floating alone in that orientation already: only the frame moves.
        if (CWnd* pOldFrame = pOldDockBar->GetParent())
        {
            pOldFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (CFrameWnd* pFrame = pOldFrame->AsFrameWnd())
                pFrame->RecalcLayout(TRUE);
            pOldFrame->UpdateWindow();
        }
        return;
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        // A dynamic bar floats horizontally and wraps itself.
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
    pDockFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcLayout(TRUE);
    if (pBar->GetStyle() & WS_VISIBLE)
    {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == nullptr)
        pParentFrame = this;
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    }
    else
    {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        // Clears a delayed show or hide that says otherwise.
        pBar->DelayShow(bShow);
        if (bShow || !pBar->IsFloating())
            pParentFrame->RecalcLayout(FALSE);
    }
    if (!pBar->IsFloating())
        return;
    // The floating frame shows while one of its bars does.
    const int nVisible = pBar->m_pDockBar != nullptr ? pBar->m_pDockBar->GetDockedVisibleCount() : (bShow ? 1 : 0);
    if (nVisible == 1 && bShow)
    {
        pParentFrame->m_nShowDelay = -1;
        if (bDelay)
        {
            pParentFrame->m_nShowDelay = SW_SHOWNA;
            pParentFrame->RecalcLayout(FALSE);
        }
        else
            pParentFrame->ShowWindow(SW_SHOWNA);
    }
    else if (nVisible == 0)
    {
        pParentFrame->m_nShowDelay = -1;
        if (bDelay)
            pParentFrame->m_nShowDelay = SW_HIDE;
        else
            pParentFrame->ShowWindow(SW_HIDE);
    }
    else if (!bDelay)
        pParentFrame->RecalcLayout(FALSE);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    {
        delete pObject;
        AfxThrowResourceException();
    }
    CMiniDockFrameWnd* pFrame = static_cast<CMiniDockFrameWnd*>(pObject);
    if (!pFrame->Create(this, dwStyle))
    {
        // Without a window the frame never deletes itself.
        if (pFrame->m_hWnd == nullptr)
            delete pFrame;
        else
            pFrame->DestroyWindow();
        AfxThrowResourceException();
    }
    return pFrame;
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar() || pBar->m_hWnd == nullptr || pBar->IsFloating() ||
            !(pBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        // An empty dock bar is a line at the frame's edge: it still catches what touches it.
        if (rcBar.Width() == 0)
            ++rcBar.right;
        if (rcBar.Height() == 0)
            ++rcBar.bottom;
        RECT rcHit;
        if (::IntersectRect(&rcHit, &rcBar, &rect))
        {
            if (ppDockBar != nullptr)
                *ppDockBar = static_cast<CDockBar*>(pBar);
            return pBar->m_dwStyle & dwDockStyle;
        }
    }
    return 0;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != nullptr && m_listControlBars.Find(pBar) == nullptr)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::DestroyDockBars()
{
    // Destroying a dock bar changes the list: collect first. Floating frames go whole.
    CPtrArray arrDockBars;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar())
            arrDockBars.Add(pBar);
    }
    for (INT_PTR i = 0; i < arrDockBars.GetSize(); ++i)
    {
        CDockBar* pDockBar = static_cast<CDockBar*>(arrDockBars[i]);
        if (m_listControlBars.Find(pDockBar) == nullptr || pDockBar->m_hWnd == nullptr)
            continue;
        CWnd* pTarget = pDockBar;
        if (pDockBar->m_bFloating)
            if (CWnd* pParent = pDockBar->GetParent())
                pTarget = pParent;
        pTarget->DestroyWindow();
    }
}
