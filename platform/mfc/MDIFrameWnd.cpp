#include "platform/mfc/MDIFrameWnd.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/DocTemplate.h"
#include "platform/mfc/Document.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/MDIChildWnd.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/View.h"

namespace
{
constexpr const char* kCommandFailed = "Failed to open a new window on the document.";
constexpr UINT kSysCommandMask = 0xF000;

// The document shown by the frame: its active view's, or any view's inside it.
CDocument* FrameDocument(CFrameWnd* pFrame)
{
    if (CDocument* pDocument = pFrame->GetActiveDocument())
        return pDocument;
    CWnd* pView = pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    auto* pFirstView = dynamic_cast<CView*>(pView);
    return pFirstView != nullptr ? pFirstView->GetDocument() : nullptr;
}
}

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext*)
{
    HMENU hWindowMenu = GetWindowMenuPopup(m_hMenuDefault);
    return CreateClient(lpcs, hWindowMenu != nullptr ? CMenu::FromHandle(hWindowMenu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTA, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = HmenuOf(pWindowMenu);
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // The sunken edge belongs to the client, not to the frame.
    DWORD dwExStyle = 0;
    if (GetExStyle() & WS_EX_CLIENTEDGE)
    {
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        dwExStyle = WS_EX_CLIENTEDGE;
    }
    m_hWndMDIClient = ::CreateWindowExA(dwExStyle, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES,
                                        0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return nullptr;
    // The last popup holding one of the Window commands.
    for (int iItem = ::GetMenuItemCount(hMenuBar) - 1; iItem >= 0; --iItem)
    {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, iItem);
        if (hMenuPop == nullptr)
            continue;
        for (int iSub = ::GetMenuItemCount(hMenuPop) - 1; iSub >= 0; --iSub)
        {
            UINT nID = ::GetMenuItemID(hMenuPop, iSub);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
                return hMenuPop;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == nullptr)
    {
        if (pbMaximized != nullptr)
            *pbMaximized = FALSE;
        return nullptr;
    }
    BOOL bMaximized = FALSE;
    auto hWnd = reinterpret_cast<HWND>(
        ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized != nullptr)
        *pbMaximized = hWnd != nullptr && bMaximized;
    return dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(hWnd));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(HwndOf(pWndActivate)), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, FALSE);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, TRUE);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(HwndOf(pWnd)), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(HwndOf(pWnd)), 0);
}

void CMDIFrameWnd::MDITile()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    auto hOld = reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                       reinterpret_cast<WPARAM>(HmenuOf(pFrameMenu)),
                                                       reinterpret_cast<LPARAM>(HmenuOf(pWindowMenu))));
    return hOld != nullptr ? CMenu::FromHandle(hOld) : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr)
        return pActiveChild;
    return this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The active child sees the message first, so that its own window procedure may take it.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && AfxCallWndProc(pActiveChild, pActiveChild->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
        return TRUE;
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Window-menu entries of the children and system commands belong to the default frame procedure.
    if (lParam == 0 && (LOWORD(wParam) & kSysCommandMask) == kSysCommandMask)
    {
        // A minimised document chosen from the window list comes back restored.
        const HWND hWndChild = LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD
                                   ? ::GetDlgItem(m_hWndMDIClient, LOWORD(wParam))
                                   : nullptr;
        if (hWndChild != nullptr && ::IsIconic(hWndChild))
            ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hWndChild), 0);
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && pActiveChild->PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        if (m_hAccelTable != nullptr && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
            return TRUE;
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && m_hWndMDIClient != nullptr &&
            ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return FALSE;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    // A maximised child shows its name in the frame's caption by itself.
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive(&bMaximized);
    CDocument* pDocument = pActiveChild != nullptr && !bMaximized ? pActiveChild->GetActiveDocument() : nullptr;
    if (bAddToTitle && pDocument != nullptr)
    {
        CString strDoc = pDocument->GetTitle();
        UpdateFrameTitleForDocument(strDoc);
        return;
    }
    CString strTitle = pActiveChild != nullptr && !bMaximized ? pActiveChild->GetTitle() : CString();
    UpdateFrameTitleForDocument(strTitle.IsEmpty() ? nullptr : static_cast<LPCSTR>(strTitle));
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr)
    {
        pActiveChild->OnUpdateFrameMenu(TRUE, pActiveChild, hMenuAlt);
        return;
    }
    HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
    if (hMenu != nullptr && m_hWndMDIClient != nullptr)
        ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                       reinterpret_cast<LPARAM>(GetWindowMenuPopup(hMenu)));
    DrawMenuBar();
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != nullptr ? FrameDocument(pActiveChild) : nullptr;
    CDocTemplate* pTemplate = pDocument != nullptr ? pDocument->GetDocTemplate() : nullptr;
    CFrameWnd* pFrame = pTemplate != nullptr ? pTemplate->CreateNewFrame(pDocument, pActiveChild) : nullptr;
    if (pFrame == nullptr)
    {
        AfxMessageBox(kCommandFailed, MB_ICONEXCLAMATION);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}
