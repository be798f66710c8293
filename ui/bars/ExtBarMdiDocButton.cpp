#include "ui/bars/ExtBarMdiDocButton.h"

#include "ui/bars/ExtMenuControlBar.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

IMPLEMENT_DYNCREATE(CExtBarMdiDocButton, CExtBarButton)

namespace
{
constexpr UINT kIdsActiveDocument = 30003;
constexpr LPCSTR kActiveDocumentDefault = "Active document";
constexpr UINT kAlignLeft = 1;
constexpr UINT kAlignRight = 3;
constexpr UINT kTrackSelectFirst = 0x8000;

// The first icon the window or its class offers, not a copy; null when none.
HICON FindWindowIcon(HWND hWnd)
{
    if (HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, CExtControlBar::g_nMsgQueryIcon, 0, 0)))
        return hIcon;
    if (HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0)))
        return hIcon;
    if (HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0)))
        return hIcon;
    if (HICON hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM)))
        return hIcon;
    return reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICON));
}
} // namespace

CExtBarMdiDocButton::CExtBarMdiDocButton(CExtToolControlBar* pBar, UINT nCmdId, DWORD dwStyle)
    : CExtBarButton(pBar, nCmdId, dwStyle & ~TBBS_DISABLED)
{
}

HWND CExtBarMdiDocButton::GetMdiChildHwnd() const
{
    if (m_hWndChild != nullptr && ::IsWindow(m_hWndChild))
        return m_hWndChild;
    CExtMenuControlBar* pMenuBar = GetMenuBar();
    return pMenuBar != nullptr ? pMenuBar->GetActiveMdiChild(nullptr) : nullptr;
}

void CExtBarMdiDocButton::SetMdiChildHwnd(HWND hWndChild)
{
    if (hWndChild == m_hWndChild)
        return;
    m_hWndChild = hWndChild;
    m_icon.Clear();
}

void CExtBarMdiDocButton::LoadWindowIcon(HWND hWnd, CExtCmdIcon& icon)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return;
    HICON hIcon = FindWindowIcon(hWnd);
    if (hIcon == nullptr)
        return;
    // The window keeps its icon: the wrapper lends the handle and gives it back undestroyed.
    CExtCmdIcon borrowed;
    borrowed.TakeHICON(hIcon, false);
    icon.ScaleFrom(borrowed, ICON_SIZE, ICON_SIZE);
    borrowed.ReleaseAsHICON(false);
}

DWORD CExtBarMdiDocButton::GetStyle() const { return CExtBarButton::GetStyle() & ~TBBS_DISABLED; }

void CExtBarMdiDocButton::SetStyle(DWORD dwStyle) { CExtBarButton::SetStyle(dwStyle & ~TBBS_DISABLED); }

void CExtBarMdiDocButton::ModifyStyle(DWORD dwAdd, DWORD dwRemove)
{
    CExtBarButton::ModifyStyle(dwAdd & ~TBBS_DISABLED, dwRemove);
}

CSize CExtBarMdiDocButton::CalculateLayout(CDC&, CSize, bool)
{
    CExtCmdIcon* pIcon = GetIcon();
    if (pIcon == nullptr || pIcon->HasNoImage())
        m_size = CSize(EMPTY_SIZE, EMPTY_SIZE);
    else
        m_size = pIcon->GetImageSize() + CSize(ICON_MARGIN, ICON_MARGIN);
    return m_size;
}

CExtCmdIcon* CExtBarMdiDocButton::GetIcon()
{
    if (m_hWndChild != nullptr && ::IsWindow(m_hWndChild) && !m_icon.HasNoImage())
        return &m_icon;
    HWND hWndChild = GetMdiChildHwnd();
    if (hWndChild == nullptr)
        return nullptr;
    LoadWindowIcon(hWndChild, m_icon);
    return &m_icon;
}

CWnd* CExtBarMdiDocButton::GetCmdTargetWnd() const
{
    HWND hWndChild = GetMdiChildHwnd();
    if (hWndChild == nullptr)
        return nullptr;
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    return pChild != nullptr ? pChild : CWnd::FromHandle(hWndChild);
}

bool CExtBarMdiDocButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    HWND hWndChild = GetMdiChildHwnd();
    HMENU hSysMenu = hWndChild != nullptr ? ::GetSystemMenu(hWndChild, FALSE) : nullptr;
    if (pPopup == nullptr || hSysMenu == nullptr || !::IsMenu(hSysMenu))
        return false;
    const CString sCaption = g_ResourceManagerHolder->LoadStringOrDefault(kIdsActiveDocument, kActiveDocumentDefault);
    CExtCmdIcon* pIcon = GetIcon();
    auto* pSubmenu = new CExtPopupMenuWnd;
    if (!pPopup->InsertSubmenuItem(pSubmenu, -1, sCaption,
                                   pIcon != nullptr && !pIcon->HasNoImage() ? pIcon->MakeHICON() : nullptr)) {
        delete pSubmenu;
        return false;
    }
    if (!pSubmenu->FillFromMenu(m_pBar->GetSafeHwnd(), CMenu::FromHandle(hSysMenu), false, false, false))
        return false;
    pSubmenu->SetCommandItemsValue(hWndChild, false);
    pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SEPARATOR);
    return true;
}

int CExtBarMdiDocButton::OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst)
{
    CExtMenuControlBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr) {
        CExtBarButton::OnTrackPopup(point, bKeyboardStyle, bSelectFirst);
        return -1;
    }
    const int nIndex = pMenuBar->FindButtonIndex(this);
    if (CExtToolControlBar::g_bButtonMenuTracking && pMenuBar->GetMenuTrackingButton() == nIndex)
        return -1;
    const bool bWasTracking = CExtToolControlBar::g_bButtonMenuTracking;
    CExtToolControlBar::CancelAllBarsMenuTracking();
    RaiseFloatingBar();
    CWnd* pChild = GetCmdTargetWnd();
    if (pChild == nullptr)
        return -1;
    UINT nAlign = GetTrackPopupAlignment();
    if ((pChild->GetExStyle() & WS_EX_LAYOUTRTL) != 0 && (nAlign == kAlignLeft || nAlign == kAlignRight))
        nAlign = nAlign == kAlignLeft ? kAlignRight : kAlignLeft;
    if (bSelectFirst)
        nAlign |= kTrackSelectFirst;
    CRect rcButton = m_rc;
    pMenuBar->ClientToScreen(&rcButton);
    CPoint ptCentre = rcButton.CenterPoint();
    CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;
    pMenuBar->SetTrackingButton(nIndex);
    const HWND hWndBar = pMenuBar->GetSafeHwnd();
    const bool bTracked = pMenuBar->TrackSystemMenu(pChild, &ptCentre, true, &rcButton, nAlign, !m_bSysMenuIcon);
    if (::IsWindow(hWndBar))
        pMenuBar->SetPopupFromBarUp(bTracked);
    CExtToolControlBar::g_bButtonMenuTracking = true;
    return -1;
}

bool CExtBarMdiDocButton::OnDblClick(CPoint point)
{
    HWND hWndChild = GetMdiChildHwnd();
    if (IsDisabled() || !m_bSysMenuIcon || hWndChild == nullptr)
        return false;
    if (IsCloseEnabled(hWndChild)) {
        m_pBar->ClientToScreen(&point);
        ::PostMessageA(hWndChild, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(point.x, point.y));
    }
    return true;
}

CExtMenuControlBar* CExtBarMdiDocButton::GetMenuBar() const { return DYNAMIC_DOWNCAST(CExtMenuControlBar, m_pBar); }

bool CExtBarMdiDocButton::IsCloseEnabled(HWND hWndChild)
{
    HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
    if (hSysMenu == nullptr)
        return false;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    return ::GetMenuItemInfoA(hSysMenu, SC_CLOSE, FALSE, &info) && (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
}
