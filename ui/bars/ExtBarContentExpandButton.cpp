// The chevron: a narrow button at the far end of a docked tool bar whose menu lists what the
// bar could not show, and the frame's bars.
#include "ui/bars/ExtBarContentExpandButton.h"

#include "platform/mfc/FrameWnd.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include <cstring>

namespace
{
constexpr UINT kIdsWhereAreButtons = 30045;
constexpr UINT kIdsShowHidePanels = 30009;
constexpr SHORT kEventChevronMenu = CExtControlBar::POPUP_MENU_EVENT_DATA::CONTROLBAR_NCBTNMENU_TOP;
constexpr SHORT kEventBarsSubmenu = CExtControlBar::POPUP_MENU_EVENT_DATA::CONTROLBAR_NCBTNMENU_BARS;
constexpr SHORT kEventBarsList = CExtControlBar::POPUP_MENU_EVENT_DATA::CONTROLBAR_NCBTNMENU_BARS_LIST;
const POINT kNoPoint{-1, -1};
} // namespace

IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar) : CExtBarButton(pBar, CMD_ID, 0) {}

CSize CExtBarContentExpandButton::CalculateLayout(CDC&, CSize sizePreset, bool bHorz)
{
    m_size = bHorz ? CSize(EXTENT, sizePreset.cy) : CSize(sizePreset.cx, EXTENT);
    return m_size;
}

bool CExtBarContentExpandButton::PutToPopupMenu(CExtPopupMenuWnd*) { return false; }

bool CExtBarContentExpandButton::IsNoCtrlButton() { return false; }

void CExtBarContentExpandButton::Paint(CDC& dc, bool bHorz)
{
    if (m_rc.IsRectEmpty() || m_pBar == nullptr)
        return;
    const bool bFrameOnly = m_pBar->IsDockedInFrameOnly();
    const bool bEnabled = !IsDisabled() || bFrameOnly;
    const bool bNothing = m_arrHiddenButtons.IsEmpty() && !m_pBar->IsShowBarsSubmenu();
    const bool bPushed = bEnabled && !bNothing && IsPressed() && !bFrameOnly;
    const bool bHot = bEnabled && !bNothing && IsHover() && !bFrameOnly &&
                      !CExtToolControlBar::g_bButtonMenuTracking && !CExtPopupMenuWnd::IsTrackingActive();
    g_PaintManagerHolder->DrawChevronButton(dc, m_rc, bHorz, m_arrHiddenButtons.IsEmpty(), bEnabled && !bNothing,
                                            bPushed, bHot, this, 0, !bPushed && !bHot);
}

void CExtBarContentExpandButton::OnClick(CPoint point, bool bDown)
{
    if (!bDown || m_pBar == nullptr || m_pBar->IsDockedInFrameOnly())
        return;
    CExtToolControlBar::g_bMenuExpanded = false;
    OnTrackPopup(point, false, false);
}

INT_PTR CExtBarContentExpandButton::OnToolHitTest(CPoint, TOOLINFOA* pTI)
{
    if (pTI == nullptr)
        return -1;
    const CString sTip = g_ResourceManagerHolder->LoadStringOrDefault(kIdsWhereAreButtons, "Where are buttons?");
    pTI->rect = m_rc;
    pTI->uId = TIP_ID;
    pTI->hwnd = m_pBar != nullptr ? m_pBar->GetSafeHwnd() : nullptr;
    const size_t nLength = static_cast<size_t>(sTip.GetLength()) + 1;
    auto* pszCopy = static_cast<char*>(::malloc(nLength));
    if (pszCopy != nullptr)
        std::memcpy(pszCopy, sTip.GetString(), nLength);
    pTI->lpszText = pszCopy != nullptr ? pszCopy : LPSTR_TEXTCALLBACKA;
    return TIP_ID;
}

bool CExtBarContentExpandButton::AppendBarsSubmenu(CExtPopupMenuWnd* pPopup, CFrameWnd* pFrame)
{
    auto* pBarsMenu = new CExtPopupMenuWnd;
    if (!pBarsMenu->PrepareEmptyPopup(pFrame->GetSafeHwnd()) ||
        !CExtControlBar::BuildFrameBarsMenu(pFrame, pBarsMenu, kEventBarsList, m_pBar, WM_NCLBUTTONDOWN, this) ||
        pBarsMenu->CountItems() == 0) {
        delete pBarsMenu;
        return false;
    }
    const CString sCaption = g_ResourceManagerHolder->LoadStringOrDefault(kIdsShowHidePanels, "&Show/hide panels");
    if (!pPopup->InsertSubmenuItem(pBarsMenu, -1, sCaption)) {
        delete pBarsMenu;
        return false;
    }
    return true;
}

int CExtBarContentExpandButton::OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst)
{
    if (m_pBar == nullptr || m_pBar->IsDockedInFrameOnly() || IsDisabled())
        return -1;
    const int nIndex = m_pBar->FindButtonIndex(this);
    if (CExtToolControlBar::g_bButtonMenuTracking && m_pBar->GetMenuTrackingButton() == nIndex)
        return -1;
    const bool bBarsSubmenu = m_pBar->IsShowBarsSubmenu() && !m_pBar->m_bInDialog;
    if (!m_pBar->IsShowBarsSubmenu() && m_arrHiddenButtons.IsEmpty())
        return -1;
    const bool bWasTracking = CExtToolControlBar::g_bButtonMenuTracking;
    CExtToolControlBar::CancelAllBarsMenuTracking();
    CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;
    RaiseFloatingBar();
    CWnd* pTarget = GetCmdTargetWnd();
    auto* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->PrepareEmptyPopup(pTarget != nullptr ? pTarget->GetSafeHwnd() : nullptr)) {
        delete pPopup;
        return -1;
    }
    CExtControlBar::POPUP_MENU_EVENT_DATA event(kEventChevronMenu, pPopup, m_pBar, kNoPoint, WM_NCLBUTTONDOWN, this);
    if (!event.NotifyTargetFrame(false)) {
        bool bAdded = false;
        for (INT_PTR i = 0; i < m_arrHiddenButtons.GetSize(); ++i) {
            if (i == 0 && m_arrHiddenButtons[i]->IsSeparator())
                continue;
            if (m_arrHiddenButtons[i]->IsSeparator())
                bAdded = pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SEPARATOR) || bAdded;
            else
                bAdded = m_arrHiddenButtons[i]->PutToPopupMenu(pPopup) || bAdded;
        }
        CFrameWnd* pFrame = m_pBar->GetDockSiteOrFrame();
        if (bBarsSubmenu && pFrame != nullptr) {
            if (bAdded)
                pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SEPARATOR);
            CExtControlBar::POPUP_MENU_EVENT_DATA barsEvent(kEventBarsSubmenu, pPopup, m_pBar, kNoPoint,
                                                            WM_NCLBUTTONDOWN, this);
            if (!barsEvent.NotifyTargetFrame(false) && !AppendBarsSubmenu(pPopup, pFrame) && bAdded)
                pPopup->DeleteItemAt(pPopup->CountItems() - 1);
            barsEvent.NotifyTargetFrame(true);
        }
    }
    event.NotifyTargetFrame(true);
    if (pPopup->CountItems() == 0) {
        delete pPopup;
        return -1;
    }
    TrackButtonPopup(pPopup, point, bKeyboardStyle, bSelectFirst);
    return -1;
}
