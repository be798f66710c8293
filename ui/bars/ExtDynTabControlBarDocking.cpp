// Tabbing a bar into a tabbed group: into an existing group, or a new group built around the
// target bar.
#include "ui/bars/ExtDynTabControlBar.h"

#include "ui/bars/ExtControlBarDragSides.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

namespace {

// The group's window: the target's style without its lowest bit, with the target's alignment,
// the gripper, every border and the tool tips.
constexpr DWORD GROUP_STYLE_REMOVED = 0x1;
constexpr DWORD GROUP_STYLE_ADDED = CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_TOOLTIPS;

CExtControlBar* AsBar(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar))) ? static_cast<CExtControlBar*>(pWnd)
                                                                            : nullptr;
}

// Size handling stays off on the bars while they change parents.
class NoSizeHandling
{
public:
    NoSizeHandling(CExtControlBar* pFirst, CExtControlBar* pSecond) : m_bars{pFirst, pSecond}
    {
        for (int i = 0; i < 2; ++i) {
            m_hWnds[i] = m_bars[i]->GetSafeHwnd();
            m_bWas[i] = m_bars[i]->m_bNoSizeHandling;
            m_bars[i]->m_bNoSizeHandling = true;
        }
    }
    ~NoSizeHandling()
    {
        for (int i = 0; i < 2; ++i)
            // A group that joined another is gone by now.
            if (::IsWindow(m_hWnds[i]) && CWnd::FromHandlePermanent(m_hWnds[i]) == m_bars[i])
                m_bars[i]->m_bNoSizeHandling = m_bWas[i];
    }
    NoSizeHandling(const NoSizeHandling&) = delete;
    NoSizeHandling& operator=(const NoSizeHandling&) = delete;

private:
    CExtControlBar* m_bars[2];
    HWND m_hWnds[2]{};
    bool m_bWas[2]{};
};

void LayOutFrame(HWND hFrame, bool bAtOnce)
{
    CWnd* pWnd = hFrame != nullptr && ::IsWindow(hFrame) ? CWnd::FromHandlePermanent(hFrame) : nullptr;
    if (pWnd == nullptr || !pWnd->IsFrameWnd())
        return;
    auto* pFrame = static_cast<CFrameWnd*>(pWnd);
    if (bAtOnce || pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame->RecalcLayout();
    else
        pFrame->DelayRecalcLayout();
}

HWND FrameHandleOf(CWnd* pWnd)
{
    CFrameWnd* pFrame = pWnd->GetParentFrame();
    return pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr;
}

} // namespace

bool CExtControlBar::DockIntoTabbedGroup(CExtControlBar* pBar, int nTabIndex, CFrameWnd* pFrame, bool bRecalc)
{
    if (pBar == nullptr || pBar == this || !CanBeTabbedWith(pBar) || !pBar->CanBeTabbedWith(this) ||
        IsFixedSizeBar() || IsFixedSizeMode() || m_pDockBar == nullptr || m_pDockSite == nullptr)
        return false;
    if (CExtControlBar* pGroup = AsBar(GetTabbedGroupContainer()))
        return pGroup->DockIntoTabbedGroup(pBar, nTabIndex, pFrame, bRecalc);

    // The frame may give a group of its own class.
    CExtDynTabControlBar* pGroup = nullptr;
    m_pDockSite->SendMessage(g_nMsgCreateTabbedBar, reinterpret_cast<WPARAM>(&pGroup), 0);
    if (pGroup == nullptr)
        pGroup = new CExtDynTabControlBar;
    DWORD dwStyle = (GetStyle() & ~STYLE_KEPT_MASK) | (m_dwStyle & STYLE_KEPT_MASK);
    dwStyle = (dwStyle & ~GROUP_STYLE_REMOVED) | (m_dwStyle & CBRS_ALIGN_ANY) | GROUP_STYLE_ADDED;
    CDockBar* pOuter = m_pDockBar;
    if (!pGroup->CreateBarWindow(nullptr, m_pDockSite, static_cast<UINT>(pOuter->GetDlgCtrlID()), dwStyle)) {
        if (pGroup->GetSafeHwnd() == nullptr)
            delete pGroup;
        return false;
    }
    CExtDockDynTabBar* pInner = pGroup->GetTabDockBar();
    CFrameWnd* pOldFrame = pBar->GetParentFrame();
    const HWND hOldFrame = pOldFrame != nullptr ? pOldFrame->GetSafeHwnd() : nullptr;
    CRect rcWhole;
    GetWindowRect(&rcWhole);
    pGroup->m_pDockSite = m_pDockSite;
    pGroup->m_pDockBar = pOuter;
    pGroup->EnableDocking(CBRS_ALIGN_ANY);
    pGroup->m_sizeDockedHorz = m_sizeDockedHorz;
    pGroup->m_sizeDockedVert = m_sizeDockedVert;
    pGroup->m_sizeFloating = m_sizeFloating;
    const int nEntry = pOuter->FindBar(this);
    if (nEntry >= 0)
        pOuter->m_arrBars[nEntry] = pGroup;
    pInner->m_bFloating = FALSE;
    if (pOuter->m_bFloating)
        pGroup->m_dwStyle |= CBRS_FLOATING;
    pInner->m_dwStyle &= ~CBRS_FLOATING;
    m_dwStyle &= ~CBRS_FLOATING;
    {
        NoSizeHandling suspend(this, pBar);
        pGroup->SetParent(pOuter);
        CRect rcInOuter(rcWhole);
        pOuter->ScreenToClient(&rcInOuter);
        pGroup->SetWindowPos(nullptr, rcInOuter.left, rcInOuter.top, rcInOuter.Width(), rcInOuter.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
        SetParent(pInner);
        m_pDockBar = pInner;
        pInner->m_arrBars.RemoveAll();
        pInner->m_arrBars.Add(nullptr);
        pInner->m_arrBars.Add(this);
        pInner->m_arrBars.Add(nullptr);
        CRect rcClient;
        pGroup->GetClientRect(&rcClient);
        SetWindowPos(nullptr, 0, 0, rcClient.Width(), rcClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        pGroup->m_wndTabSwitcher.InsertBarTab(this, -1, false, false);
        pGroup->InsertBar(pBar, -1, false);
    }
    for (const auto& side : ExtDragSides::SIDES) {
        if (CWnd* pSide = m_pDockSite->GetControlBar(side.nDockBarId);
            pSide != nullptr && pSide->IsKindOf(RUNTIME_CLASS(CExtDockBar))) {
            static_cast<CExtDockBar*>(pSide)->RemovePlaceholder(this, true, nullptr);
            static_cast<CExtDockBar*>(pSide)->RemovePlaceholder(pBar, true, nullptr);
        }
    }
    CExtDockBar::RemoveEmptyRings(m_pDockSite);
    pInner->LayoutMembers(true);
    pGroup->SelectVisibleTab(0, true, false);
    CFrameWnd* pGroupFrame = pGroup->GetParentFrame();
    const bool bFloatingGroup = pGroupFrame != nullptr && pGroupFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
    if (bFloatingGroup || bRecalc) {
        pGroup->CreateNcButtons();
        pGroup->LayoutNcButtons();
        if (pGroupFrame != nullptr)
            LayOutFrame(pGroupFrame->GetSafeHwnd(), false);
        if (pGroupFrame != m_pDockSite)
            LayOutFrame(m_pDockSite->GetSafeHwnd(), false);
        if (bRecalc && hOldFrame != nullptr && (pGroupFrame == nullptr || hOldFrame != pGroupFrame->GetSafeHwnd()))
            LayOutFrame(hOldFrame, false);
    }
    pGroup->FitChildToClient(-1, -1, true);
    RefreshControlContainerFlags(pFrame != nullptr ? pFrame : m_pDockSite);
    return true;
}

bool CExtDynTabControlBar::DockIntoTabbedGroup(CExtControlBar* pBar, int nTabIndex, CFrameWnd* pFrame, bool bRecalc)
{
    if (pBar == nullptr || pBar == this || !CanBeTabbedWith(pBar) || !pBar->CanBeTabbedWith(this) ||
        m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return false;
    const HWND hOldFrame = FrameHandleOf(pBar);
    const bool bGroupJoins = pBar->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar));
    {
        NoSizeHandling suspend(this, pBar);
        if (!pBar->IsInFloatingFrame() && pBar->m_pDockSite != nullptr)
            pBar->m_pDockSite->DelayRecalcLayout();
        InsertBar(pBar, nTabIndex, false);
    }
    SelectVisibleTab(nTabIndex < 0 ? m_wndTabSwitcher.GetItemCount() - 1 : nTabIndex, true, false);
    FitChildToClient(-1, -1, false);
    const HWND hGroupFrame = FrameHandleOf(this);
    LayOutFrame(hGroupFrame, bRecalc);
    if (bGroupJoins) {
        // Its pages are here now: the emptied group goes.
        if (pBar->m_pDockBar != nullptr) {
            if (pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
                static_cast<CExtDockBar*>(pBar->m_pDockBar)->RemoveControlBarEx(pBar, -1, 0, true);
            else
                pBar->m_pDockBar->RemoveControlBar(pBar);
        }
        if (pBar->m_pDockSite != nullptr)
            pBar->m_pDockSite->RemoveControlBar(pBar);
        pBar->DestroyWindow();
    } else {
        pBar->FitChildToClient(-1, -1, true);
    }
    if (bRecalc) {
        CExtDockBar::RemoveEmptyRings(m_pDockSite);
        if (hOldFrame != hGroupFrame)
            LayOutFrame(hOldFrame, true);
    }
    RefreshControlContainerFlags(pFrame != nullptr ? pFrame : m_pDockSite);
    return true;
}

// --- Drags ------------------------------------------------------------------------------------

CExtDynTabControlBar* CExtDynTabControlBar::FromDragTarget(CWnd* pTarget)
{
    if (pTarget == nullptr)
        return nullptr;
    // A target may have gone during the drag (a group dissolved or joined another): only a
    // registered bar is looked at.
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_AllBars.GetSize(); ++i) {
        CExtControlBar* pBar = g_AllBars[i];
        if (pBar == pTarget)
            return (pBar->GetSafeHwnd() != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
                       ? static_cast<CExtDynTabControlBar*>(pBar)
                       : nullptr;
    }
    return nullptr;
}

void CExtDynTabControlBar::DropTemporaryTabsOf(CWnd* pTarget)
{
    if (CExtDynTabControlBar* pGroup = FromDragTarget(pTarget))
        pGroup->m_wndTabSwitcher.RemoveTemporaryTabs(true);
}

void CExtDynTabControlBar::ShowDragProposalTab(const InternalDraggingState_t& state)
{
    CExtDynTabControlBar* pGroup = FromDragTarget(state.m_pTarget);
    CExtControlBar* pBar = state.m_pBar;
    if (pGroup == nullptr || pBar == nullptr)
        return;
    if (GetEffectiveDockingStyle() == 1 && pBar->IsInFloatingFrame())
        if (CFrameWnd* pFloating = pBar->GetParentFrame())
            pFloating->ShowWindow(SW_HIDE);
    if (state.m_nCode != InternalDraggingState_t::CODE_TAB_INTO_GROUP)
        pGroup->m_wndTabSwitcher.RemoveTemporaryTabs(false);
    pGroup->InsertTemporaryBar(pBar, state.GetTabIndex(), true);
}

void CExtDynTabControlBar::OnPageDragStart(CExtControlBar* pBar)
{
    auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar->GetTabbedGroupContainer());
    if (pGroup == nullptr || pGroup->m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return;
    pGroup->m_wndTabSwitcher.m_nDragStartTabIndex =
        pGroup->m_wndTabSwitcher.FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
}

void CExtDynTabControlBar::OnPageDragStop(CExtControlBar* pBar, CWnd* pTarget, bool bCancel)
{
    auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar->GetTabbedGroupContainer());
    if (pGroup != nullptr && pGroup->m_wndTabSwitcher.GetSafeHwnd() != nullptr) {
        CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
        // The page's own tab stays: a drop that moves nothing must not leave it without one,
        // and a page that leaves takes its tab with it.
        for (int i = strip.GetItemCount() - 1; i >= 0; --i) {
            const CExtTabWnd::TAB_ITEM_INFO* pItem = strip.GetItemAt(i);
            if ((pItem->GetFlags() & CExtTabWnd::ITEM_TEMPORARY) == 0)
                continue;
            if (pItem->GetItemLParam() == reinterpret_cast<LPARAM>(pBar))
                strip.GetItemAt(i)->ChangeFlags(CExtTabWnd::ITEM_TEMPORARY, 0);
            else
                strip.RemoveTabItems(i, 1, false);
        }
        strip.InvalidateLayout(true);
        if (bCancel) {
            strip.RestoreBarTabPosition(pBar);
            pGroup->SelectBar(pBar);
        }
    }
    if (bCancel)
        DropTemporaryTabsOf(pTarget);
}
