// The menu bar in an MDI frame: hooking the MDI client and the active child, following the menu
// the active child sets, deferred re-hooks and rebuilds, and the MDI buttons' places.
#include "ui/bars/ExtMenuControlBar.h"

#include "platform/mfc/MDIChildWnd.h"
#include "platform/mfc/MDIFrameWnd.h"
#include "ui/bars/ExtBarMdiRightButton.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace
{
constexpr const char* kMdiDocButton = "CExtBarMdiDocButton";
constexpr const char* kMdiRightButton = "CExtBarMdiRightButton";
constexpr int kClassNameChars = 512;
constexpr UINT kClientFrameChangedFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                                          SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
constexpr UINT kBarMenuTrackFlags = 0x800;
// The right button ends this far before the client area's far edge.
constexpr int kRightButtonEdgeGap = 1;

bool IsMdiClientClass(HWND hWnd)
{
    char szClass[kClassNameChars] = {};
    ::GetClassNameA(hWnd, szClass, kClassNameChars);
    std::string sClass(szClass);
    std::transform(sClass.begin(), sClass.end(), sClass.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return sClass.find("mdiclient") != std::string::npos;
}
} // namespace

HWND CExtMenuControlBar::FindMdiClient() const
{
    if (m_bInDialog)
        return nullptr;
    CFrameWnd* pFrame = GetDockSiteOrFrame();
    if (pFrame == nullptr)
        return nullptr;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return static_cast<CMDIFrameWnd*>(pFrame)->m_hWndMDIClient;
    for (HWND hWnd = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (IsMdiClientClass(hWnd))
            return hWnd;
    return nullptr;
}

bool CExtMenuControlBar::HookMdiClient(HWND hWndMdiClient)
{
    if (!HookWindow(hWndMdiClient))
        return false;
    ::SetWindowPos(hWndMdiClient, nullptr, 0, 0, 0, 0, kClientFrameChangedFlags);
    RehookActiveMdiChild();
    return true;
}

HWND CExtMenuControlBar::GetActiveMdiChild(BOOL* pbMaximized)
{
    if (pbMaximized != nullptr)
        *pbMaximized = FALSE;
    if (!IsMdiApp())
        return nullptr;
    const HWND hWndClient = FindMdiClient();
    if (hWndClient == nullptr)
        return nullptr;
    BOOL bMaximized = FALSE;
    const HWND hWndChild =
        reinterpret_cast<HWND>(::SendMessageA(hWndClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (hWndChild == nullptr)
        return nullptr;
    if ((::GetWindowLongA(hWndChild, GWL_STYLE) & WS_VISIBLE) == 0) {
        // A hidden child still counts under an MDI frame, unless it brings a menu of its own.
        auto* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWndChild));
        const bool bOwnMenu = pChild != nullptr && pChild->m_hMenuShared != nullptr;
        if (!GetDockSiteOrFrame()->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) || bOwnMenu)
            return nullptr;
    }
    if (pbMaximized != nullptr)
        *pbMaximized = bMaximized;
    return hWndChild;
}

bool CExtMenuControlBar::RehookActiveMdiChild()
{
    if (m_bInDialog || GetDraggedBar() != nullptr || m_hWnd == nullptr || (GetStyle() & WS_VISIBLE) == 0)
        return true;
    const HWND hWndActive = GetActiveMdiChild();
    if (hWndActive == m_hWndHooked)
        return true;
    if (m_hWndHooked != nullptr && ::IsWindow(m_hWndHooked))
        HookWindow(m_hWndHooked, true);
    m_hWndHooked = hWndActive;
    if (m_hWndHooked != nullptr)
        HookWindow(m_hWndHooked);
    RequestFrameLayout();
    return true;
}

void CExtMenuControlBar::PostRehookActiveMdiChild()
{
    if ((m_nOptionBits & (OPT_REHOOK_PENDING | OPT_REBUILD_PENDING)) != 0 || m_hWnd == nullptr)
        return;
    m_nOptionBits |= OPT_REHOOK_PENDING;
    PostMessage(WM_TIMER, TIMER_REHOOK, 0);
}

void CExtMenuControlBar::PostUpdateMenuBar()
{
    if ((m_nOptionBits & OPT_REBUILD_PENDING) != 0 || m_hWnd == nullptr)
        return;
    // The rebuild re-hooks too: a pending re-hook is dropped.
    m_nOptionBits = static_cast<BYTE>((m_nOptionBits & ~OPT_REHOOK_PENDING) | OPT_REBUILD_PENDING);
    PostMessage(WM_TIMER, TIMER_REBUILD, 0);
}

bool CExtMenuControlBar::IsFrameOleInPlace() const
{
    return !m_bInDialog && IsFrameOleInPlaceActive(GetDockSiteOrFrame());
}

void CExtMenuControlBar::RemoveFrameWin32Menu()
{
    if (m_bInDialog || IsFrameOleInPlace())
        return;
    CFrameWnd* pFrame = GetDockSiteOrFrame();
    if (pFrame == nullptr || ::GetMenu(pFrame->GetSafeHwnd()) == nullptr)
        return;
    ::SetMenu(pFrame->GetSafeHwnd(), nullptr);
    PostUpdateMenuBar();
}

bool CExtMenuControlBar::HasMdiDocButtonFirst() const
{
    return ExtBarDetail::IsKindOfNamed(GetButtonByIndex(0), kMdiDocButton);
}

bool CExtMenuControlBar::SyncMdiButtons(bool bRecalc)
{
    if (!IsMdiButtonsVisible()) {
        if (bRecalc)
            RequestFrameLayout();
        return true;
    }
    if (GetDraggedBar() != nullptr)
        return false;
    BOOL bMaximized = FALSE;
    const HWND hWndChild = GetActiveMdiChild(&bMaximized);
    if (GetButtonCount() == 0 && hWndChild == nullptr)
        return false;
    const int nLast = GetButtonCount() - 1;
    CExtBarButton* pDocButton = HasMdiDocButtonFirst() ? GetButtonByIndex(0) : nullptr;
    CExtBarButton* pRightButton =
        ExtBarDetail::IsKindOfNamed(GetButtonByIndex(nLast), kMdiRightButton) ? GetButtonByIndex(nLast) : nullptr;
    bool bChanged = false;
    if (bMaximized) {
        if (m_nMdiButtonsCmdId == 0) {
            CExtCmdItem* pCmd =
                g_CmdManagerHolder->AllocateCommand(g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd), 0);
            if (pCmd == nullptr)
                return false;
            pCmd->SetBasic(true);
            m_nMdiButtonsCmdId = pCmd->m_nCmdId;
        }
        if (pRightButton == nullptr) {
            pRightButton = new CExtBarMdiRightButton(this, m_nMdiButtonsCmdId);
            if (!InsertSpecButton(-1, pRightButton, false))
                return false;
            bChanged = true;
        }
        HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
        if (pDocButton == nullptr && hSysMenu != nullptr && ::IsMenu(hSysMenu)) {
            auto* pNewDoc = new CExtBarMdiDocButton(this, m_nMdiButtonsCmdId);
            pNewDoc->SetSysMenuIcon((m_nOptionBits & OPT_DOC_BUTTON_SYSMENU_ICON) != 0);
            pNewDoc->SetMenu(hSysMenu, false, false);
            if (InsertSpecButton(0, pNewDoc, false)) {
                pDocButton = pNewDoc;
                bChanged = true;
            }
        }
        for (CExtBarButton* pButton : {pDocButton, pRightButton})
            if (auto* pMdiButton = DYNAMIC_DOWNCAST(CExtBarMdiDocButton, pButton))
                pMdiButton->SetMdiChildHwnd(hWndChild);
    } else {
        if (pRightButton != nullptr) {
            RemoveButton(FindButtonIndex(pRightButton), false);
            bChanged = true;
        }
        if (pDocButton != nullptr) {
            RemoveButton(FindButtonIndex(pDocButton), false);
            bChanged = true;
        }
    }
    if (bRecalc) {
        RequestFrameLayout();
        return false;
    }
    return bChanged;
}

void CExtMenuControlBar::RecalcButtonPositions()
{
    CExtToolControlBar::RecalcButtonPositions();
    const int nCount = GetButtonCount();
    if (IsFloating() || nCount < 2 || m_hWnd == nullptr)
        return;
    CExtBarButton* pRight = GetButtonByIndex(nCount - 1);
    if (!ExtBarDetail::IsKindOfNamed(pRight, kMdiRightButton) || !pRight->IsVisible())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rc = pRight->GetRect();
    const bool bAlongX = IsDockedAtTopOrBottom() || (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nShift = bAlongX ? rcClient.right - kRightButtonEdgeGap - rc.right
                               : rcClient.bottom - kRightButtonEdgeGap - rc.bottom;
    if (nShift <= 0)
        return;
    rc.OffsetRect(bAlongX ? nShift : 0, bAlongX ? 0 : nShift);
    pRight->SetRect(rc);
}

bool CExtMenuControlBar::DispatchMdiClientMessage(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM)
{
    switch (nMessage) {
    case WM_MDISETMENU: {
        const HMENU hOld = m_menuDoc.Detach();
        const auto hNew = reinterpret_cast<HMENU>(wParam);
        if (hNew != nullptr)
            m_menuDoc.Attach(hNew);
        CFrameWnd* pFrame = GetDockSiteOrFrame();
        if (IsFrameOleInPlace()) {
            ::SetMenu(pFrame->GetSafeHwnd(), hNew);
        } else {
            if (pFrame != nullptr && ::GetMenu(pFrame->GetSafeHwnd()) != nullptr)
                ::SetMenu(pFrame->GetSafeHwnd(), nullptr);
            PostUpdateMenuBar();
        }
        CallSavedProcWithParams(0, 0);
        lResult = reinterpret_cast<LRESULT>(hOld);
        RehookActiveMdiChild();
        m_nOptionBits &= ~OPT_REHOOK_PENDING;
        return true;
    }
    case WM_MDIREFRESHMENU:
        CallSavedProcWithParams(0, 0);
        RehookActiveMdiChild();
        m_nOptionBits &= ~OPT_REHOOK_PENDING;
        lResult = 0;
        return true;
    case WM_MDIACTIVATE:
    case WM_MDIDESTROY:
    case WM_MDINEXT:
        PostRehookActiveMdiChild();
        return false;
    case WM_CONTEXTMENU: {
        CFrameWnd* pFrame = GetDockSiteOrFrame();
        if (pFrame == nullptr || IsFrameInHelpMode(pFrame))
            return false;
        lResult = 0;
        CPoint ptCursor;
        if (!::GetCursorPos(&ptCursor))
            return true;
        auto* pPopup = new CExtPopupMenuWnd;
        pPopup->PrepareEmptyPopup(pFrame->GetSafeHwnd());
        if (!BuildFrameBarsMenu(pFrame, pPopup, POPUP_MENU_EVENT_DATA::MENUBAR_CTX, this, WM_CONTEXTMENU, nullptr) ||
            pPopup->CountItems() == 0) {
            delete pPopup;
            return true;
        }
        pFrame->SetFocus();
        if (!pPopup->StartTracking(kBarMenuTrackFlags, ptCursor.x, ptCursor.y))
            delete pPopup;
        return true;
    }
    case WM_PARENTNOTIFY:
        if (!CExtPopupMenuWnd::IsTrackingActive())
            return false;
        lResult = 0;
        return true;
    default:
        return false;
    }
}

DWORD CExtMenuControlBar::GetMdiButtonsInfo(CExtBarMdiRightButton::MdiButtonsInfo_t& info, CExtBarButton* pButton,
                                            bool bHorz)
{
    using Info = CExtBarMdiRightButton::MdiButtonsInfo_t;
    info.Init();
    CWnd* pChild = pButton != nullptr ? pButton->GetCmdTargetWnd() : nullptr;
    if (pChild == nullptr || pChild->GetSafeHwnd() == nullptr)
        return 0;
    info.m_pWndMdiChild = pChild;
    info.m_pBar = this;
    const DWORD dwStyle = pChild->GetStyle();
    if (CExtBarMdiDocButton::IsCloseEnabled(pChild->GetSafeHwnd()))
        info.m_dwFlags |= Info::FLAG_CLOSE;
    if ((dwStyle & WS_MAXIMIZEBOX) != 0) {
        info.m_dwFlags |= Info::FLAG_MAXIMIZE_BOX;
        if ((pChild->GetExStyle() & WS_EX_CONTEXTHELP) != 0)
            info.m_dwFlags |= Info::FLAG_HELP;
    }
    if ((dwStyle & WS_MINIMIZEBOX) != 0)
        info.m_dwFlags |= Info::FLAG_MINIMIZE_BOX;
    // Along the bar: a gap, then each caption button with its gap; across: one button and a gap.
    const int nAlong = bHorz ? info.m_cxButton : info.m_cyButton;
    const int nStep = nAlong + Info::BUTTON_GAP;
    int nLength = Info::BUTTON_GAP;
    if ((info.m_dwFlags & Info::FLAG_MINIMIZE_BOX) != 0)
        nLength += 2 * nStep;
    else if ((info.m_dwFlags & Info::FLAG_MAXIMIZE_BOX) != 0)
        nLength += nStep;
    if ((info.m_dwFlags & Info::FLAG_HELP) != 0)
        nLength += nStep;
    if ((info.m_dwFlags & Info::FLAG_CLOSE) != 0)
        nLength += nStep;
    const int nAcross = (bHorz ? info.m_cyButton : info.m_cxButton) + Info::BUTTON_GAP;
    info.m_cxTotal = bHorz ? nLength : nAcross;
    info.m_cyTotal = bHorz ? nAcross : nLength;
    info.m_dwFlags |= Info::FLAG_VALID;
    return info.m_dwFlags;
}
