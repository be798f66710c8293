// The docking operations of a bar: nesting beside another bar in a container, docking into a
// ring, floating, tabbing, showing, and keeping containers' visibility in step with their bars.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtControlBarDragSides.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDockDynBar.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

CExtControlBar* CExtControlBar::g_pBarBeingFloated = nullptr;

namespace {

constexpr int FULL_PERCENT = 100;
// The container's style: the target's, without the gripper and floating bits, with every border
// and the tool tips.
constexpr DWORD CONTAINER_STYLE_REMOVED = CBRS_GRIPPER | CBRS_FLOATING;
constexpr DWORD CONTAINER_STYLE_ADDED = CBRS_BORDER_ANY | CBRS_TOOLTIPS;

CExtControlBar* AsBar(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar))) ? static_cast<CExtControlBar*>(pWnd)
                                                                            : nullptr;
}

CExtDockBar* AsExtDockBar(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtDockBar))) ? static_cast<CExtDockBar*>(pWnd) : nullptr;
}

// Size handling stays off on the bars while windows are moved between parents.
class SizeHandlingSuspender
{
public:
    explicit SizeHandlingSuspender(std::initializer_list<CExtControlBar*> bars)
    {
        for (CExtControlBar* pBar : bars) {
            if (pBar == nullptr)
                continue;
            const bool bWas = pBar->m_bNoSizeHandling;
            m_bars.emplace_back(pBar, bWas);
            pBar->m_bNoSizeHandling = true;
        }
    }
    ~SizeHandlingSuspender()
    {
        for (auto& saved : m_bars)
            saved.first->m_bNoSizeHandling = saved.second;
    }
    SizeHandlingSuspender(const SizeHandlingSuspender&) = delete;
    SizeHandlingSuspender& operator=(const SizeHandlingSuspender&) = delete;

private:
    std::vector<std::pair<CExtControlBar*, bool>> m_bars;
};

// Takes the bar out of its dock bar the way that dock bar wants.
void LeaveDockBar(CControlBar* pBar, int nPlaceholderMode)
{
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld == nullptr)
        return;
    if (CExtDockBar* pExt = AsExtDockBar(pOld))
        pExt->RemoveControlBarEx(pBar, -1, nPlaceholderMode, false);
    else
        pOld->RemoveControlBar(pBar, -1, nPlaceholderMode);
    pBar->m_pDockBar = nullptr;
}

void LayOutFrameOf(HWND hFrame, bool bAtOnce)
{
    if (hFrame == nullptr || !::IsWindow(hFrame))
        return;
    CWnd* pWnd = CWnd::FromHandlePermanent(hFrame);
    if (pWnd == nullptr || !pWnd->IsFrameWnd())
        return;
    auto* pFrame = static_cast<CFrameWnd*>(pWnd);
    if (bAtOnce || pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame->RecalcLayout();
    else
        pFrame->DelayRecalcLayout();
}

} // namespace

bool CExtControlBar::NestBarBeside(CExtControlBar* pBar, UINT nSide, int nPercent)
{
    if (pBar == nullptr || pBar == this || m_pDockBar == nullptr || m_pDockSite == nullptr || GetSafeHwnd() == nullptr)
        return false;
    const int nSideIndex = ExtDragSides::IndexOfId(nSide);
    if (nSideIndex < 0)
        return false;
    nPercent = std::clamp(nPercent, 0, FULL_PERCENT);
    CRect rcWhole;
    GetWindowRect(&rcWhole);
    CRect rcNew(rcWhole), rcKept(rcWhole);
    const int nHeightPart = ::MulDiv(rcWhole.Height(), nPercent, FULL_PERCENT);
    const int nWidthPart = ::MulDiv(rcWhole.Width(), nPercent, FULL_PERCENT);
    switch (nSideIndex) {
    case ExtDragSides::TOP: rcNew.bottom = rcKept.top = rcWhole.top + nHeightPart; break;
    case ExtDragSides::BOTTOM: rcNew.top = rcKept.bottom = rcWhole.bottom - nHeightPart; break;
    case ExtDragSides::LEFT: rcNew.right = rcKept.left = rcWhole.left + nWidthPart; break;
    default: rcNew.left = rcKept.right = rcWhole.right - nWidthPart; break;
    }
    // Bars split top and bottom stand in a column, split left and right in a row.
    const UINT nContainerId = ExtDragSides::SIDES[nSideIndex].bHorizontal ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;

    auto* pContainer = new CExtDynControlBar;
    pContainer->m_sizeDockedHorz = m_sizeDockedHorz;
    pContainer->m_sizeDockedVert = m_sizeDockedVert;
    DWORD dwStyle = (GetStyle() & ~STYLE_KEPT_MASK) | (m_dwStyle & STYLE_KEPT_MASK);
    dwStyle = (dwStyle & ~CONTAINER_STYLE_REMOVED) | (m_dwStyle & CBRS_ALIGN_ANY) | CONTAINER_STYLE_ADDED;
    if (!pContainer->CreateBarWindow(nullptr, m_pDockSite, nContainerId, dwStyle)) {
        if (pContainer->GetSafeHwnd() == nullptr)
            delete pContainer;
        return false;
    }
    CExtDockDynBar* pInner = pContainer->m_pWndDynDockBar;
    CDockBar* pOuter = m_pDockBar;
    pContainer->m_pDockSite = m_pDockSite;
    pContainer->m_pDockBar = pOuter;
    pContainer->EnableDocking(CBRS_ALIGN_ANY);
    const int nEntry = pOuter->FindBar(this);
    if (nEntry >= 0)
        pOuter->m_arrBars[nEntry] = pContainer;
    pInner->m_bFloating = FALSE;
    if (pOuter->m_bFloating)
        pContainer->m_dwStyle |= CBRS_FLOATING;
    pInner->m_dwStyle &= ~CBRS_FLOATING;
    m_dwStyle &= ~CBRS_FLOATING;
    pBar->m_dwStyle &= ~CBRS_FLOATING;

    {
        SizeHandlingSuspender suspend{pContainer, this, pBar};
        pContainer->SetParent(pOuter);
        SetParent(pInner);
        // Reparented before it leaves: a floating frame left empty goes, and must not take it.
        pBar->SetParent(pInner);
        if (pBar->m_pDockBar != nullptr)
            LeaveDockBar(pBar, 0);
        m_pDockBar = pInner;
        pBar->m_pDockBar = pInner;
        pBar->m_pDockSite = m_pDockSite;

        const bool bNewFirst = nSideIndex == ExtDragSides::TOP || nSideIndex == ExtDragSides::LEFT;
        pInner->m_arrBars.RemoveAll();
        pInner->m_arrBars.Add(nullptr);
        pInner->m_arrBars.Add(bNewFirst ? static_cast<void*>(pBar) : static_cast<void*>(this));
        pInner->m_arrBars.Add(bNewFirst ? static_cast<void*>(this) : static_cast<void*>(pBar));
        pInner->m_arrBars.Add(nullptr);

        pBar->m_sizeDockedHorz = pBar->m_sizeDockedVert = rcNew.Size();
        m_sizeDockedHorz = m_sizeDockedVert = rcKept.Size();
        const UINT nMove = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
        pBar->SetWindowPos(nullptr, rcNew.left - rcWhole.left, rcNew.top - rcWhole.top, rcNew.Width(), rcNew.Height(),
                           nMove | SWP_SHOWWINDOW);
        SetWindowPos(nullptr, rcKept.left - rcWhole.left, rcKept.top - rcWhole.top, rcKept.Width(), rcKept.Height(),
                     nMove);
        pContainer->m_sizeFloating = rcWhole.Size();
        CRect rcInOuter(rcWhole);
        pOuter->ScreenToClient(&rcInOuter);
        pContainer->SetWindowPos(nullptr, rcInOuter.left, rcInOuter.top, rcInOuter.Width(), rcInOuter.Height(),
                                 nMove | SWP_SHOWWINDOW);
    }
    CExtDockBar::RemoveEmptyRings(m_pDockSite);
    m_pDockSite->RecalcLayout();
    if (CFrameWnd* pFloating = pContainer->GetParentFrame(); pFloating != nullptr && pFloating != m_pDockSite)
        pFloating->RecalcLayout();
    pContainer->FitChildToClient(-1, -1, true);
    pContainer->CreateNcButtons();
    pContainer->LayoutNcButtons();
    pInner->UpdateNestedLayout();
    RefreshControlContainerFlags(m_pDockSite);
    return true;
}

bool CExtControlBar::DockNextToBar(int nPercent, CExtControlBar* pTarget, UINT nSide, CFrameWnd* pFrame, bool bRecalc)
{
    if (pTarget == nullptr || pTarget == this)
        return false;
    CFrameWnd* pOldFrame = GetParentFrame();
    if (pOldFrame != nullptr && pOldFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)) && GetDraggedBar() == this &&
        GetEffectiveDockingStyle() == 1)
        pOldFrame->ShowWindow(SW_HIDE);
    if (CExtControlBar* pGroup = AsBar(pTarget->GetTabbedGroupContainer()))
        pTarget = pGroup;
    const HWND hOldFrame = pOldFrame != nullptr ? pOldFrame->GetSafeHwnd() : nullptr;
    if (!pTarget->NestBarBeside(this, nSide, nPercent))
        return false;
    CFrameWnd* pTargetFrame = pTarget->GetParentFrame();
    if (pTargetFrame != nullptr)
        pTargetFrame->RecalcLayout();
    if (hOldFrame != nullptr && (pTargetFrame == nullptr || hOldFrame != pTargetFrame->GetSafeHwnd()))
        LayOutFrameOf(hOldFrame, true);
    CFrameWnd* pSite = pFrame != nullptr ? pFrame : pTarget->m_pDockSite;
    if (pSite != nullptr && bRecalc)
        pSite->RecalcLayout();
    else if (pSite != nullptr)
        pSite->DelayRecalcLayout();
    RefreshControlContainerFlags(pSite);
    return true;
}

bool CExtControlBar::DockIntoDockBar(UINT nSideId, UINT nRing, CFrameWnd* pFrame, bool bRecalc)
{
    if (pFrame == nullptr)
        pFrame = m_pDockSite;
    if (pFrame == nullptr)
        return false;
    CExtDockBar* pDockBar = AsExtDockBar(pFrame->GetControlBar(nSideId));
    if (pDockBar != nullptr && nRing != 0)
        pDockBar = CExtDockBar::GoToRing(pDockBar, nRing);
    if (pDockBar == nullptr)
        return false;
    pDockBar->AppendBarAsRow(this, true);
    if (bRecalc)
        pFrame->RecalcLayout();
    RefreshControlContainerFlags(pFrame);
    return true;
}

bool CExtControlBar::FloatAt(int x, int y, DWORD dwStyle)
{
    if (GetSafeHwnd() == nullptr)
        return false;
    CExtControlBar* pWasFloated = g_pBarBeingFloated;
    g_pBarBeingFloated = this;
    struct Restore
    {
        CExtControlBar*& ref;
        CExtControlBar* value;
        ~Restore() { ref = value; }
    } restore{g_pBarBeingFloated, pWasFloated};

    CDockBar* pOldDockBar = m_pDockBar;
    if (pOldDockBar != nullptr && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ptFloatPos = CPoint(x, y);
        return true;
    }
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if ((dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0)
            dwStyle = (dwStyle & ~(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) | CBRS_ALIGN_TOP;
    }
    const bool bWasVisible = IsVisible() != FALSE;
    const bool bOldFloating = pOldDockBar != nullptr && pOldDockBar->m_bFloating;
    CFrameWnd* pOldFrame = GetParentFrame();
    const HWND hOldFrame = pOldFrame != nullptr ? pOldFrame->GetSafeHwnd() : nullptr;
    CFrameWnd* pSite = m_pDockSite;

    CExtMiniDockFrameWnd* pFloating = CreateFloatingFrame(dwStyle);
    pFloating->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        SizeHandlingSuspender suspend{this};
        SetParent(&pFloating->m_wndDockBar);
        LeaveDockBar(this, 0);
        pFloating->m_wndDockBar.DockControlBar(this);
    }
    pFloating->RecalcLayout(TRUE);
    if (bWasVisible) {
        pFloating->ShowWindow(SW_SHOWNA);
        pFloating->UpdateWindow();
    }
    m_ptFloatPos = CPoint(x, y);

    if (pOldDockBar != nullptr && !bOldFloating && ::IsWindow(pOldDockBar->GetSafeHwnd())) {
        if (CExtDockBar* pOldExt = AsExtDockBar(pOldDockBar))
            pOldExt->CollapseRedundantContainers();
    }
    if (hOldFrame != nullptr && hOldFrame != pFloating->GetSafeHwnd())
        LayOutFrameOf(hOldFrame, false);
    if (pSite != nullptr) {
        for (int i = 0; i < 4; ++i)
            if (CExtDockBar* pSide = AsExtDockBar(pSite->GetControlBar(ExtDragSides::SIDES[i].nDockBarId)))
                pSide->RemovePlaceholder(this, true, nullptr);
        CExtDockBar::RemoveEmptyRings(pSite);
        pSite->RecalcLayout();
    }
    FitChildToClient(-1, -1, true);
    RefreshControlContainerFlags(pSite);
    return true;
}

CExtMiniDockFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD dwStyle)
{
    CFrameWnd* pSite = m_pDockSite != nullptr ? m_pDockSite : GetDragFrame();
    if (pSite == nullptr)
        AfxThrowResourceException();
    // The frame deletes itself with its window; a creation that fails has taken it already.
    auto* pFrame = new CExtMiniDockFrameWnd;
    if (!pFrame->Create(pSite, dwStyle))
        AfxThrowResourceException();
    return pFrame;
}

void CExtControlBar::ToggleVisibility(bool bAllowHide)
{
    CFrameWnd* pSite = GetDockSiteOrFrame();
    if (pSite == nullptr || GetSafeHwnd() == nullptr)
        return;
    const bool bVisible = IsVisible() != FALSE && !IsHiddenByContainer();
    if (IsFixedSizeMode() || (bVisible && bAllowHide)) {
        pSite->ShowControlBar(this, bVisible ? FALSE : TRUE, FALSE);
        return;
    }
    if (m_bAutoHidden) {
        SlideOutFromArea();
        return;
    }
    if (!bVisible) {
        ShowWithContainers();
        if (IsInFloatingFrame()) {
            SyncContainerVisibility(this);
            if (CFrameWnd* pFloating = GetParentFrame())
                pFloating->RecalcLayout();
        }
    }
    if (IsInFloatingFrame()) {
        if (CFrameWnd* pFloating = GetParentFrame())
            pFloating->BringWindowToTop();
    }
    SetFocus();
}

CExtControlBar* CExtControlBar::HoldingContainer() const
{
    if (m_pDockBar == nullptr || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
        return nullptr;
    return AsBar(m_pDockBar->GetParent());
}

bool CExtControlBar::IsHiddenByContainer() const
{
    for (const CExtControlBar* pContainer = HoldingContainer(); pContainer != nullptr;
         pContainer = pContainer->HoldingContainer())
        if (!pContainer->IsShownNow())
            return true;
    return false;
}

bool CExtControlBar::IsShownNow() const
{
    // A pending hide counts: a hidden container never lays out, so it may never be carried out.
    return (GetStyle() & WS_VISIBLE) != 0 && IsVisible();
}

void CExtControlBar::ShowWithContainers()
{
    CFrameWnd* pSite = GetDockSiteOrFrame();
    if (pSite == nullptr || GetSafeHwnd() == nullptr)
        return;
    pSite->ShowControlBar(this, TRUE, FALSE);
    // A closed container (a tabbed group, or the column holding it) keeps its bars unseen: each
    // one up to the dock site shows, at once, since a delayed show waits for a layout that never
    // reaches a hidden container.
    for (CExtControlBar* pContainer = HoldingContainer(); pContainer != nullptr;
         pContainer = pContainer->HoldingContainer())
        if (!pContainer->IsShownNow())
            pSite->ShowControlBar(pContainer, TRUE, FALSE);
    if (auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, GetTabbedGroupContainer()))
        pGroup->OnMemberVisibilityChanged(this);
}

void CExtControlBar::SyncContainerVisibility(CExtControlBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    const int nReclaim = pBar->m_nReclaimExtent;
    pBar->m_nReclaimExtent = 0;
    if ((pBar->m_pDockBar == nullptr && !pBar->m_bInDialog) || pBar->m_bAutoHidden)
        return;
    if (GetDraggedBar() != nullptr || g_pBarBeingFloated != nullptr || pBar->IsFixedSizeBar() ||
        pBar->IsFixedSizeMode() || pBar->m_pDockSite == nullptr || pBar->m_pDockBar == nullptr ||
        pBar->IsDockSiteInPrintPreview() || pBar->m_bNoSizeHandling)
        return;
    pBar->m_nReclaimExtent = nReclaim;
    CFrameWnd* pSite = pBar->m_pDockSite;
    const bool bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    if (auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar->GetTabbedGroupContainer()))
        pGroup->OnMemberVisibilityChanged(pBar);
    if (pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar))) {
        auto* pContainer = AsBar(pBar->m_pDockBar->GetParent());
        if (pContainer != nullptr) {
            const bool bContainerVisible = (pContainer->GetStyle() & WS_VISIBLE) != 0;
            if (bVisible && !bContainerVisible)
                pSite->ShowControlBar(pContainer, TRUE, TRUE);
            else if (!bVisible && bContainerVisible && pBar->m_pDockBar->GetDockedVisibleCount() == 0)
                pSite->ShowControlBar(pContainer, FALSE, TRUE);
        }
    }
    if (!bVisible && pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar))) {
        auto* pContainer = static_cast<CExtDynControlBar*>(pBar);
        if (pContainer->m_pWndDynDockBar != nullptr) {
            CArray<CExtControlBar*, CExtControlBar*> bars;
            pContainer->m_pWndDynDockBar->CollectBars(bars);
            for (INT_PTR i = 0; i < bars.GetSize(); ++i)
                if (bars[i]->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
                    bars[i]->m_nStateFlags &= ~CControlBar::delayShow;
        }
    }
    if (pBar->IsInFloatingFrame()) {
        if (CFrameWnd* pFloating = pBar->GetParentFrame())
            pFloating->RecalcLayout();
    }
}
