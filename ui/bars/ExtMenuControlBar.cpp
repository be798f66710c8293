// The menu bar's construction, creation and destruction, its buttons built from the menu to show,
// and the tool-bar behaviour it overrides.
#include "ui/bars/ExtMenuControlBar.h"

#include "platform/mfc/MDIFrameWnd.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include <string>

namespace
{
constexpr SIZE kMenuBarButtonSize{23, 20};
// Room for one menu item's text.
constexpr int kItemTextChars = 1024;
constexpr UINT kFrameChangedFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                                    SWP_NOOWNERZORDER;
constexpr UINT kFindMdiClientPeriodMs = 10;

CString WithoutAmpersands(LPCSTR lpszText)
{
    std::string out;
    for (const char* p = lpszText != nullptr ? lpszText : ""; *p != '\0'; ++p)
        if (*p != '&')
            out += *p;
    return CString(out.c_str());
}
} // namespace

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

const UINT CExtMenuControlBar::g_nMsgPrepareSystemMenu =
    ::RegisterWindowMessageA("CExtMenuControlBar::g_nMsgPrepareSystemMenu");
bool CExtMenuControlBar::g_bIgnoreNextAltUp = false;

// clang-format off
BEGIN_MESSAGE_MAP(CExtMenuControlBar, CExtToolControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()
// clang-format on

CExtMenuControlBar::CExtMenuControlBar() : CExtHookSink(true) {}

CExtMenuControlBar::~CExtMenuControlBar()
{
    // The sink's overrides must still be there while it leaves its windows.
    UnhookAllWindows();
    RemoveAllButtons();
    // The document menu belongs to whoever set it (a document template, or the frame itself).
    m_menuDoc.Detach();
    m_menuFrame.DestroyMenu();
}

void CExtMenuControlBar::ModifyOptionBits(BYTE nAdd, BYTE nRemove)
{
    m_nOptionBits = static_cast<BYTE>((m_nOptionBits & ~nRemove) | nAdd);
}

// --- creation and destruction ------------------------------------------------------------------

void CExtMenuControlBar::HookHostWindow()
{
    m_bInDialog = true;
    if (m_hWndHooked == nullptr)
        m_hWndHooked = ::GetParent(m_hWnd);
    if (m_hWndHooked != nullptr && !IsHookingWindow(m_hWndHooked))
        HookWindow(m_hWndHooked);
}

int CExtMenuControlBar::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CExtToolControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CFrameWnd* pFrame = GetDockSiteOrFrame();
    if (pFrame == nullptr) {
        HookHostWindow();
        return 0;
    }
    const HWND hWndFrame = pFrame->GetSafeHwnd();
    if ((pFrame->GetStyle() & WS_CHILD) == 0) {
        if (HMENU hMenu = ::GetMenu(hWndFrame)) {
            m_menuFrame.DestroyMenu();
            m_menuFrame.Attach(hMenu);
            UpdateMenuBar(false);
            ::SetMenu(hWndFrame, nullptr);
        }
    }
    CWnd* pTop = GetTopLevelNonChild(pFrame);
    bool bHooked = pTop != nullptr && HookWindow(pTop->GetSafeHwnd());
    if (bHooked && pTop->GetSafeHwnd() != hWndFrame)
        bHooked = HookWindow(hWndFrame);
    if (!bHooked)
        return 0;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
        m_nOptionBits |= OPT_MDI_APP;
        const HWND hWndClient = FindMdiClient();
        if (hWndClient != nullptr)
            HookMdiClient(hWndClient);
        else
            SetTimer(TIMER_FIND_MDI_CLIENT, kFindMdiClientPeriodMs, nullptr);
    }
    CExtPopupMenuWnd::PumpPendingMessages(false);
    return 0;
}

void CExtMenuControlBar::PreSubclassWindow()
{
    CExtToolControlBar::PreSubclassWindow();
    if (GetDockSiteOrFrame() == nullptr)
        HookHostWindow();
}

void CExtMenuControlBar::OnDestroy()
{
    if (m_nMdiButtonsCmdId != 0) {
        g_CmdManagerHolder->RemoveCommand(g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd), m_nMdiButtonsCmdId);
        m_nMdiButtonsCmdId = 0;
    }
    UnhookAllWindows();
    // A frame that put its own menu back owns it again: destroying it here would pull it from
    // under the frame.
    if (CFrameWnd* pFrame = GetDockSiteOrFrame(); pFrame != nullptr && m_menuFrame.GetSafeHmenu() != nullptr &&
                                                  ::GetMenu(pFrame->GetSafeHwnd()) == m_menuFrame.GetSafeHmenu())
        m_menuFrame.Detach();
    CExtToolControlBar::OnDestroy();
}

void CExtMenuControlBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case TIMER_REHOOK:
        KillTimer(TIMER_REHOOK);
        if ((m_nOptionBits & OPT_REHOOK_PENDING) != 0) {
            m_nOptionBits &= ~OPT_REHOOK_PENDING;
            RehookActiveMdiChild();
        }
        return;
    case TIMER_REBUILD:
        KillTimer(TIMER_REBUILD);
        if ((m_nOptionBits & OPT_REBUILD_PENDING) != 0) {
            m_nOptionBits &= ~OPT_REBUILD_PENDING;
            UpdateMenuBar(true);
        }
        return;
    case TIMER_FIND_MDI_CLIENT:
        KillTimer(TIMER_FIND_MDI_CLIENT);
        if (const HWND hWndClient = FindMdiClient())
            HookMdiClient(hWndClient);
        return;
    default:
        CExtToolControlBar::OnTimer(nIDEvent);
    }
}

// --- the menu and its buttons ------------------------------------------------------------------

void CExtMenuControlBar::SetWindowMenuCaption(LPCSTR lpszCaption) { m_sWindowMenuCaption = WithoutAmpersands(lpszCaption); }

bool CExtMenuControlBar::LoadMenuBar(UINT nResourceId)
{
    m_menuDoc.Detach();
    m_menuFrame.DestroyMenu();
    if (m_pDockSite != nullptr && m_hWnd == nullptr)
        return false;
    if (!g_ResourceManagerHolder->LoadMenuForLanguage(m_menuFrame, nResourceId))
        return false;
    if (!g_CmdManagerHolder->ImportMenu(g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd),
                                        m_menuFrame.GetSafeHmenu())) {
        m_menuFrame.DestroyMenu();
        return false;
    }
    return UpdateMenuBar(true);
}

CMenu* CExtMenuControlBar::GetMenuToShow()
{
    if (m_menuDoc.GetSafeHmenu() != nullptr)
        return &m_menuDoc;
    if (m_menuFrame.GetSafeHmenu() != nullptr)
        return &m_menuFrame;
    return nullptr;
}

bool CExtMenuControlBar::IsMdiApp() const { return (m_nOptionBits & OPT_MDI_APP) != 0; }

bool CExtMenuControlBar::IsMdiButtonsVisible() const { return true; }

bool CExtMenuControlBar::UpdateMenuBar(bool bRedraw)
{
    AssignButtonIds(nullptr, 0);
    LPCSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd);
    g_CmdManagerHolder->RemoveCommandsByFlags(lpszProfile, CExtCmdItem::STATE_TEMPORARY);
    CMenu* pMenu = GetMenuToShow();
    const int nItems = pMenu != nullptr ? static_cast<int>(pMenu->GetMenuItemCount()) : 0;
    const bool bRightToLeft = g_ResourceManagerHolder->IsRightToLeftLanguage();
    for (int nPos = 0; nPos < nItems; ++nPos) {
        char szText[kItemTextChars + 1] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        info.dwTypeData = szText;
        info.cch = kItemTextChars;
        if (!::GetMenuItemInfoA(pMenu->GetSafeHmenu(), static_cast<UINT>(nPos), TRUE, &info))
            continue;
        const bool bSeparator = (info.fType & MFT_SEPARATOR) != 0 || (info.hSubMenu == nullptr && info.wID == 0);
        bool bWindowList = false;
        UINT nCmdId = 0;
        CExtCmdItem* pCmd = nullptr;
        if (info.hSubMenu != nullptr) {
            pCmd = g_CmdManagerHolder->AllocateCommand(lpszProfile, 0);
            if (pCmd == nullptr)
                return false;
            pCmd->SetBasic(true);
            pCmd->SetTemporary(true);
            bWindowList = IsMdiApp() && !m_sWindowMenuCaption.IsEmpty() &&
                          WithoutAmpersands(szText) == m_sWindowMenuCaption;
        } else if (!bSeparator) {
            pCmd = g_CmdManagerHolder->FindCommand(lpszProfile, info.wID);
            if (pCmd == nullptr) {
                // A top-level command the profile never heard of: set it up from the item.
                CExtCmdItem item(info.wID);
                g_CmdManagerHolder->SetupCommand(lpszProfile, item);
                pCmd = g_CmdManagerHolder->FindCommand(lpszProfile, info.wID);
                if (pCmd == nullptr)
                    return false;
            }
        }
        if (pCmd != nullptr) {
            nCmdId = pCmd->m_nCmdId;
            if (pCmd->m_sMenuText.IsEmpty())
                pCmd->m_sMenuText = szText;
            if (pCmd->m_sToolbarText.IsEmpty())
                pCmd->m_sToolbarText = szText;
        }
        const int nIndex = bRightToLeft ? 0 : GetButtonCount();
        if (!InsertButton(nIndex, nCmdId, false))
            return false;
        if (info.hSubMenu != nullptr)
            SetButtonMenu(nIndex, info.hSubMenu, false, false, false);
        if (bWindowList)
            SetButtonAppendMdiWindows(nIndex);
    }
    if (IsMdiApp()) {
        if (!IsFrameOleInPlace() && SyncMdiButtons(false))
            bRedraw = true;
        RehookActiveMdiChild();
    }
    if (bRedraw && m_hWnd != nullptr) {
        Invalidate();
        RequestFrameLayout();
        UpdateWindow();
        if (m_pDockSite != nullptr && ExtBarDetail::IsKindOfNamed(GetParentFrame(), ExtBarDetail::kMiniDockFrameWnd))
            GetParentFrame()->SetWindowPos(nullptr, 0, 0, 0, 0, kFrameChangedFlags);
    }
    return true;
}

// --- tool-bar behaviour ------------------------------------------------------------------------

CExtBarContentExpandButton* CExtMenuControlBar::CreateContentExpandButton() { return nullptr; }

bool CExtMenuControlBar::IsRightToLeftLayout() const { return g_ResourceManagerHolder->IsRightToLeftLanguage(); }

bool CExtMenuControlBar::IsRightToLeftButtonOrder() const { return g_ResourceManagerHolder->IsRightToLeftLanguage(); }

CSize CExtMenuControlBar::GetDefaultButtonSize() const { return kMenuBarButtonSize; }

bool CExtMenuControlBar::IsFitToDockArea() const
{
    if (m_bInDialog || m_pDockSite == nullptr || IsFloating())
        return false;
    return (m_nOptionBits & OPT_NO_CHEVRON_WRAP) != 0;
}

void CExtMenuControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CExtToolControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

int CExtMenuControlBar::HitTestForHelp(int x, int y) { return CExtToolControlBar::HitTestForHelp(x, y); }

BOOL CExtMenuControlBar::PreTranslateMessage(MSG* pMsg) { return CExtControlBar::PreTranslateMessage(pMsg); }

void CExtMenuControlBar::RequestFrameLayout()
{
    CExtToolControlBar::RequestFrameLayout();
    if (m_hWnd == nullptr || m_pDockSite == nullptr || !IsFloating())
        return;
    CFrameWnd* pSite = m_pDockSite;
    if (!pSite->IsWindowVisible() || pSite->m_bInRecalcLayout || IsFrameBarStateBusy(pSite))
        return;
    CWnd* pTop = GetTopLevelNonChild(pSite);
    if (pTop != nullptr && pTop->IsIconic())
        return;
    pSite->RecalcLayout(TRUE);
}

void CExtMenuControlBar::OnDragStart()
{
    SetKeyboardMode(false, -1, true);
    CancelAllBarsMenuTracking();
    CExtToolControlBar::OnDragStart();
}

void CExtMenuControlBar::OnDragStop(LPARAM lReserved, InternalDraggingState_t* pState, bool bCancel)
{
    CExtToolControlBar::OnDragStop(lReserved, pState, bCancel);
    if (IsMdiApp() && m_hWnd != nullptr) {
        SyncMdiButtons(true);
        RecalcButtonPositions();
    }
}
