// The bar context-menu protocol: the event record sent twice to the frame, the right-button menus
// of a bar and the bar-list builder.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

using namespace ExtBarDetail;

namespace
{
constexpr UINT kBarMenuTrackFlags = 0x800;
constexpr POINT kNoPoint{-1000, -1000};

bool IsSeparatorAt(const CExtPopupMenuWnd* pPopup, int nIndex)
{
    return pPopup->CommandIdAt(nIndex) == CExtPopupMenuWnd::ID_SEPARATOR && pPopup->GetSubmenuAt(nIndex) == nullptr;
}
} // namespace

CExtControlBar::POPUP_MENU_EVENT_DATA::POPUP_MENU_EVENT_DATA(SHORT nEventKind, CExtPopupMenuWnd* pPopupMenu,
                                                             CWnd* pSrcWnd, const POINT& ptScreen, UINT nSrcMessage,
                                                             CObject* pExtra)
    : m_nEventKind(nEventKind), m_pPopupMenu(pPopupMenu), m_pSrcWnd(pSrcWnd), m_nSrcMessage(nSrcMessage),
      m_pExtra(pExtra), m_pTargetFrame(nullptr), m_bPostNotification(false), m_ptScreen(ptScreen)
{
    if (m_ptScreen.x < 0 || m_ptScreen.y < 0) {
        if (!::GetCursorPos(&m_ptScreen))
            m_ptScreen = POINT{0, 0};
    }
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::IsBarsListMenu() const
{
    return (m_nEventKind >= DOCKBAR_CTX && m_nEventKind <= MENUBAR_CTX) || m_nEventKind == NCBTNMENU_BARS
        || m_nEventKind == CONTROLBAR_NCBTNMENU_BARS_LIST;
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::NotifyTargetFrame(bool bPostNotification)
{
    m_bPostNotification = bPostNotification;
    if (m_pTargetFrame == nullptr && m_pSrcWnd != nullptr && m_pSrcWnd->GetSafeHwnd() != nullptr) {
        if (CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, m_pSrcWnd))
            m_pTargetFrame = pBar->m_pDockSite;
        if (m_pTargetFrame == nullptr)
            m_pTargetFrame = FrameSkippingFloating(m_pSrcWnd);
        if (m_pTargetFrame == nullptr)
            m_pTargetFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pSrcWnd->GetParent());
    }
    if (m_pTargetFrame == nullptr || m_pTargetFrame->GetSafeHwnd() == nullptr)
        return false;
    return ::SendMessageA(m_pTargetFrame->GetSafeHwnd(), g_nMsgConstructPopupMenu, reinterpret_cast<WPARAM>(this), 0)
        != 0;
}

CExtControlBar::POPUP_MENU_EVENT_DATA* CExtControlBar::POPUP_MENU_EVENT_DATA::PassThroughArgument(WPARAM wParam)
{
    return reinterpret_cast<POPUP_MENU_EVENT_DATA*>(wParam);
}

bool CExtControlBar::BuildFrameBarsMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, SHORT nEventKind,
                                        CWnd* pSrcWnd, UINT nSrcMessage, CObject* pExtra)
{
    if (pFrame == nullptr || pPopup == nullptr)
        return false;
    POPUP_MENU_EVENT_DATA data(nEventKind, pPopup, pSrcWnd, CPoint(-1, -1), nSrcMessage, pExtra);
    if (!data.NotifyTargetFrame(false)) {
        CArray<CExtControlBar*, CExtControlBar*> arrBars;
        QueryFrameBars(nullptr, pFrame, arrBars, QFB_ALL, kNoPoint);
        const bool bInPlaceActive = IsFrameOleInPlaceActive(pFrame);
        LPCSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(pFrame->GetSafeHwnd());
        CExtControlBar* pGroupLeader = nullptr;
        for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
            CExtControlBar* pBar = arrBars[i];
            if (pBar->GetSafeHwnd() == nullptr || !::IsWindow(pBar->GetSafeHwnd()))
                continue;
            if (IsKindOfNamed(pBar, kDynControlBar))
                continue;
            if ((pBar->m_nStateFlags & CControlBar::tempHide) != 0)
                continue;
            if (bInPlaceActive && (pBar->m_dwStyle & CBRS_HIDE_INPLACE) != 0)
                continue;
            CString sText;
            pBar->GetWindowText(sText);
            if (sText.IsEmpty())
                continue;
            if (pGroupLeader != nullptr && pGroupLeader->IsFixedSizeMode() != pBar->IsFixedSizeMode())
                pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SEPARATOR, -1);
            CExtCmdItem item(static_cast<UINT>(pBar->GetDlgCtrlID()));
            item.m_sMenuText = sText;
            item.LoadTipsFromStringTable();
            if (lpszProfile != nullptr)
                g_CmdManagerHolder->SetupCommand(lpszProfile, item, false);
            if (pBar->InsertIntoBarsMenu(pPopup))
                pGroupLeader = pBar;
        }
    }
    for (int i = pPopup->CountItems() - 1; i > 0; --i)
        if (IsSeparatorAt(pPopup, i) && IsSeparatorAt(pPopup, i - 1))
            pPopup->DeleteItemAt(i);
    data.NotifyTargetFrame(true);
    const int nLast = pPopup->CountItems() - 1;
    if (nLast >= 0 && IsSeparatorAt(pPopup, nLast))
        pPopup->DeleteItemAt(nLast);
    if (pPopup->CountItems() > 0 && IsSeparatorAt(pPopup, 0))
        pPopup->DeleteItemAt(0);
    return true;
}

void CExtControlBar::HandleBarContextMenu(SHORT nEventKind, UINT nMessage)
{
    if (m_bInDialog)
        return;
    CFrameWnd* pFrame = m_pDockSite != nullptr ? m_pDockSite : FrameSkippingFloating(this);
    if (pFrame == nullptr || IsFrameInHelpMode(this))
        return;
    CPoint ptCursor;
    if (!::GetCursorPos(&ptCursor))
        return;
    const HWND hWndOwner = OwnerOrParent(m_hWnd);
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    pPopup->PrepareEmptyPopup(hWndOwner);
    if (!BuildFrameBarsMenu(pFrame, pPopup, nEventKind, this, nMessage, nullptr) || pPopup->CountItems() == 0) {
        delete pPopup;
        return;
    }
    if (nEventKind == POPUP_MENU_EVENT_DATA::CONTROLBAR_CTX) {
        if (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD))
            ::SetFocus(hWndChild);
    } else if (hWndOwner != nullptr) {
        ::SetFocus(hWndOwner);
    }
    if (!pPopup->StartTracking(kBarMenuTrackFlags, ptCursor.x, ptCursor.y))
        delete pPopup;
}

void CExtControlBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_bInDialog) {
        CControlBar::OnRButtonUp(nFlags, point);
        return;
    }
    HandleBarContextMenu(POPUP_MENU_EVENT_DATA::CONTROLBAR_CTX, WM_RBUTTONUP);
}

void CExtControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point)
{
    if (m_bInDialog) {
        CControlBar::OnNcRButtonUp(nHitTest, point);
        return;
    }
    HandleBarContextMenu(POPUP_MENU_EVENT_DATA::CONTROLBAR_NC_CTX, WM_RBUTTONUP);
}

void CExtControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (m_bInDialog) {
        CControlBar::OnContextMenu(pWnd, point);
        return;
    }
    HandleBarContextMenu(POPUP_MENU_EVENT_DATA::CONTROLBAR_CTX, WM_RBUTTONUP);
}
