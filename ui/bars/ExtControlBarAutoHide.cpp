// The docking side of auto-hide: a frame's slider and areas, and a bar moving into and out of
// its side's area.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/bars/ExtDynAutoHideSlider.h"
#include "ui/core/ExtPaintManager.h"

#include "platform/mfc/FrameWnd.h"

bool CExtControlBar::InstallFrameAutoHideAreas(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return false;
    // Both window kinds delete themselves with their windows; a failed creation leaves the object.
    auto* pSlider = new CExtDynAutoHideSlider;
    if (!pSlider->Create(pFrame)) {
        if (pSlider->GetSafeHwnd() == nullptr)
            delete pSlider;
        return false;
    }
    for (UINT nSideId : {DOCKBAR_TOP, DOCKBAR_BOTTOM, DOCKBAR_LEFT, DOCKBAR_RIGHT}) {
        auto* pArea = new CExtDynAutoHideArea;
        if (!pArea->Create(pFrame, pSlider, nSideId)) {
            if (pArea->GetSafeHwnd() == nullptr)
                delete pArea;
            return false;
        }
    }
    pFrame->DelayRecalcLayout(TRUE);
    return true;
}

bool CExtControlBar::SetAutoHideMode(CExtControlBar* pBar, bool bAutoHide, bool bReserved, bool bRecalc,
                                     bool bCloseSlider)
{
    if (pBar == nullptr)
        return false;
    if ((bAutoHide || pBar->m_bAutoHidden) && (pBar->IsFixedSizeBar() || pBar->IsFixedSizeMode()))
        return false;
    if (pBar->IsInFloatingFrame())
        return false;
    if (pBar->m_bAutoHidden == bAutoHide)
        return true;
    // A page parks with its whole group (a group answers itself as its container).
    if (auto* pGroup = DYNAMIC_DOWNCAST(CExtControlBar, pBar->GetTabbedGroupContainer()); pGroup != nullptr && pGroup != pBar) {
        pGroup->m_nReclaimExtent = 0;
        return SetAutoHideMode(pGroup, bAutoHide, bReserved, bRecalc, bCloseSlider || bAutoHide);
    }
    auto* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
    CExtDynAutoHideArea* pArea = pDockBar != nullptr ? pDockBar->GetAutoHideArea() : nullptr;
    CFrameWnd* pSite = pBar->m_pDockSite;
    if (pArea == nullptr || pSite == nullptr)
        return false;
    if (bAutoHide) {
        if (pBar->IsVisible())
            pSite->ShowControlBar(pBar, FALSE, TRUE);
        pSite->DelayRecalcLayout();
        pArea->AppendBar(pBar, bCloseSlider);
    } else {
        pSite->DelayRecalcLayout();
        pArea->RemoveBar(pBar, bCloseSlider);
        if (bCloseSlider)
            for (CWnd* pSibling = pArea->GetParent()->GetWindow(GW_CHILD); pSibling != nullptr;
                 pSibling = pSibling->GetWindow(GW_HWNDNEXT)) {
                char szClass[64] = {};
                ::GetClassNameA(pSibling->GetSafeHwnd(), szClass, sizeof(szClass));
                if (lstrcmpA(szClass, CExtDynAutoHideSlider::WINDOW_CLASS_NAME) == 0) {
                    pSibling->SendMessage(WM_CANCELMODE);
                    break;
                }
            }
    }
    pBar->m_bAutoHidden = bAutoHide;
    RefreshControlContainerFlags(pSite);
    if (!bRecalc)
        return true;
    pBar->m_bAutoHidden = false;
    const BOOL bWasInLayout = pSite->m_bInRecalcLayout;
    pSite->m_bInRecalcLayout = TRUE;
    SyncContainerVisibility(pBar);
    pSite->m_bInRecalcLayout = bWasInLayout;
    pBar->m_bAutoHidden = bAutoHide;
    pSite->RecalcLayout();
    if (!bAutoHide) {
        pBar->LayoutNcButtons();
        pBar->SendMessage(WM_NCPAINT);
        pBar->PostMessage(WM_TIMER, TIMER_FULL_REDRAW);
    }
    CExtPaintManager::DispatchPendingPaintMessages();
    return true;
}

void CExtControlBar::SlideOutFromArea()
{
    auto* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
    CExtDynAutoHideArea* pArea = pDockBar != nullptr ? pDockBar->GetAutoHideArea() : nullptr;
    if (pArea == nullptr)
        return;
    CExtDynAutoHideSlider* pSlider = pArea->GetSlider();
    if (pSlider != nullptr && pSlider->IsShown() && pSlider->GetShownBar() == this)
        return;
    const int nIndex = pArea->FindItemByLParam(reinterpret_cast<LPARAM>(this), -1, true, true);
    if (nIndex < 0)
        return;
    pArea->SetSelectedItem(nIndex, true, true);
    if (pSlider != nullptr && pSlider->GetSafeHwnd() != nullptr)
        pSlider->SetFocus();
}
