// The bar-state site: which bars a saved layout captures, and the order in which a loaded layout
// is brought back.
#include "ui/bars/ExtControlBarState.h"

#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDockDynBar.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/DockContext.h"
#include "platform/mfc/FrameWnd.h"

#include <vector>

namespace
{
using StateBar = CExtControlBar::InternalDockStateBar;

constexpr UINT IDLE_PROMPT = 0xE001;
constexpr UINT FRAME_SIZE_ONLY = SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                                 SWP_NOSENDCHANGING;
constexpr UINT TOP_LEVEL_MOVE = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

std::vector<CControlBar*> FrameBars(CFrameWnd* pFrame)
{
    std::vector<CControlBar*> bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
        bars.push_back(static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
    return bars;
}

// The dock bar holding the bar is an inner ring of the frame (not a container's, not a floating
// frame's).
bool IsInInnerRing(const CControlBar& bar)
{
    auto* pDockBar = dynamic_cast<CExtDockBar*>(bar.m_pDockBar);
    return pDockBar != nullptr && dynamic_cast<CExtDockDynBar*>(pDockBar) == nullptr && !pDockBar->m_bFloating &&
           pDockBar->m_nRing >= 1;
}

bool IsInContainer(const CControlBar& bar)
{
    return dynamic_cast<CExtDockDynBar*>(bar.m_pDockBar) != nullptr;
}

bool IsFixedKind(const CControlBar& bar)
{
    auto* pExtBar = dynamic_cast<const CExtControlBar*>(&bar);
    return pExtBar == nullptr || pExtBar->IsFixedSizeBar();
}

UINT SideOfAlignment(DWORD dwStyle)
{
    if ((dwStyle & CBRS_ALIGN_BOTTOM) != 0)
        return AFX_IDW_DOCKBAR_BOTTOM;
    if ((dwStyle & CBRS_ALIGN_LEFT) != 0)
        return AFX_IDW_DOCKBAR_LEFT;
    if ((dwStyle & CBRS_ALIGN_RIGHT) != 0)
        return AFX_IDW_DOCKBAR_RIGHT;
    return AFX_IDW_DOCKBAR_TOP;
}

bool IsWorkAreaShowCommand(UINT showCmd)
{
    return showCmd == SW_HIDE || showCmd == SW_SHOWMINIMIZED || showCmd == SW_SHOWMAXIMIZED ||
           showCmd == SW_SHOWMINNOACTIVE || showCmd == SW_FORCEMINIMIZE;
}
}  // namespace

// Capture -----------------------------------------------------------------------------------------

void CExtControlBar::InternalDockStateSite::Capture()
{
    Clear();
    CExtDockBar::RemoveEmptyRings(m_pFrame);
    if (CWnd* pTop = GetTopLevelNonChild(m_pFrame))
        ::GetWindowPlacement(pTop->GetSafeHwnd(), &m_wp);
    if ((m_nFlags & FLAG_RESIZABLE) != 0)
        CaptureResizable();
    if ((m_nFlags & FLAG_FIXED) != 0)
        CaptureFixed();
}

void CExtControlBar::InternalDockStateSite::CaptureResizable()
{
    for (CControlBar* pBar : FrameBars(m_pFrame)) {
        if (pBar->IsFloating() && !pBar->IsDockBar()) {
            if (auto* pContainer = dynamic_cast<CExtDynControlBar*>(pBar)) {
                auto* pRecord = new InternalDockStateBar;
                m_arrBarStates.Add(pRecord);
                pRecord->CaptureFromBar(pContainer, nullptr);
            }
            continue;
        }
        auto* pDockBar = dynamic_cast<CExtDockBar*>(pBar);
        if (pDockBar == nullptr || dynamic_cast<CExtDockDynBar*>(pDockBar) != nullptr || pDockBar->m_bFloating ||
            pDockBar->m_nRing < 1)
            continue;
        bool bRowBreak = false;
        bool bFirst = true;
        for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i) {
            void* pEntry = pDockBar->m_arrBars[i];
            if (pEntry == nullptr) {
                bRowBreak = true;
                continue;
            }
            if (reinterpret_cast<UINT_PTR>(pEntry) < AFX_DOCKBAR_PLACEHOLDER_LIMIT)
                continue;
            auto* pDocked = dynamic_cast<CExtControlBar*>(static_cast<CControlBar*>(pEntry));
            if (pDocked == nullptr)
                continue;
            auto* pRecord = new InternalDockStateBar;
            m_arrBarStates.Add(pRecord);
            pRecord->CaptureFromBar(pDocked, nullptr);
            if (bRowBreak && !bFirst)
                pRecord->m_dwRecordFlags |= InternalDockStateBar::FLAG_NEW_ROW;
            bRowBreak = false;
            bFirst = false;
        }
    }
    // Parked bars: the active tab of each group in the four areas, in tab order.
    CExtDynAutoHideArea* apAreas[4];
    CExtDynAutoHideArea::GetFrameAreas(m_pFrame, &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]);
    for (CExtDynAutoHideArea* pArea : apAreas) {
        if (pArea == nullptr)
            continue;
        for (int i = 0; i < pArea->GetItemCount(); ++i) {
            CExtControlBar* pBar = pArea->GetBarAt(i);
            if (pArea->GetItemAt(i)->IsInGroupActive() && pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
                m_arrAutoHiddenIds.Add(static_cast<UINT>(pBar->GetDlgCtrlID()));
        }
    }
}

void CExtControlBar::InternalDockStateSite::CaptureFixed()
{
    m_pDockState->Clear();
    m_arrOuterItems.RemoveAll();
    for (CControlBar* pBar : FrameBars(m_pFrame)) {
        if (dynamic_cast<CExtDynControlBar*>(pBar) != nullptr || dynamic_cast<CExtDockDynBar*>(pBar) != nullptr ||
            IsInContainer(*pBar))
            continue;
        if (auto* pDockBar = dynamic_cast<CExtDockBar*>(pBar)) {
            if (!pDockBar->m_bFloating && pDockBar->m_nRing >= 1)
                continue;
            bool bHoldsContainer = false;
            if (pDockBar->m_bFloating)
                for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize() && !bHoldsContainer; ++i) {
                    void* pEntry = pDockBar->m_arrBars[i];
                    bHoldsContainer = reinterpret_cast<UINT_PTR>(pEntry) >= AFX_DOCKBAR_PLACEHOLDER_LIMIT &&
                                      dynamic_cast<CExtDynControlBar*>(static_cast<CControlBar*>(pEntry)) != nullptr;
                }
            if (bHoldsContainer)
                continue;
        }
        auto* pExtBar = dynamic_cast<CExtControlBar*>(pBar);
        if (pExtBar != nullptr && !pExtBar->IsFixedSizeBar() && !pExtBar->IsFloating() &&
            (pExtBar->m_pDockBar == nullptr || IsInInnerRing(*pExtBar)))
            continue;

        auto* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        if (pExtBar != nullptr && !pExtBar->IsDockBar()) {
            OuterItemData_t item;
            item.m_nBarID = pExtBar->GetDlgCtrlID();
            item.m_ptFloatPos = pExtBar->m_ptFloatPos;
            item.m_sizeDockedHorz = pExtBar->m_sizeDockedHorz;
            item.m_sizeDockedVert = pExtBar->m_sizeDockedVert;
            item.m_sizeFloating = pExtBar->m_sizeFloating;
            if (const FixedBarPlacement_t* pPlacement = pExtBar->GetFixedBarPlacement())
                item.m_placement = *pPlacement;
            if (pExtBar->IsFloating())
                if (CFrameWnd* pFloatingFrame = pExtBar->GetParentFrame()) {
                    CRect rcFrame, rcBar;
                    pFloatingFrame->GetWindowRect(&rcFrame);
                    pExtBar->GetWindowRect(&rcBar);
                    item.m_ptFloatPos = rcFrame.TopLeft();
                    item.m_bFloating = true;
                    if (pExtBar->IsFixedSizeBar()) {
                        item.m_sizeFloating.cx += rcFrame.Width() - rcBar.Width();
                        item.m_sizeFloating.cy += rcFrame.Height() - rcBar.Height();
                        pInfo->m_nMRUWidth = static_cast<UINT>(item.m_sizeFloating.cx);
                    }
                }
            m_arrOuterItems.Add(item);
        }
        m_pDockState->m_arrBarInfo.Add(pInfo);
    }
}

// Apply -------------------------------------------------------------------------------------------

void CExtControlBar::InternalDockStateSite::TakeBarsOutOfLayout()
{
    const bool bFixed = (m_nFlags & FLAG_FIXED) != 0;
    const bool bResizable = (m_nFlags & FLAG_RESIZABLE) != 0;
    std::vector<CControlBar*> floating;
    for (CControlBar* pBar : FrameBars(m_pFrame)) {
        if (pBar->IsDockBar() || (IsFixedKind(*pBar) ? !bFixed : !bResizable))
            continue;
        auto* pExtBar = dynamic_cast<CExtControlBar*>(pBar);
        if (pExtBar != nullptr && dynamic_cast<CExtDynControlBar*>(pExtBar) == nullptr &&
            dynamic_cast<CMiniDockFrameWnd*>(pExtBar->GetParentFrame()) != nullptr) {
            floating.push_back(pBar);
            continue;
        }
        if (pBar->m_pDockSite == nullptr || pBar->m_pDockContext == nullptr)
            continue;
        if (pBar->m_pDockBar == nullptr)
            m_pFrame->DockControlBar(pBar);
        if (pExtBar != nullptr && !pExtBar->IsFixedSizeBar()) {
            if (!IsInInnerRing(*pExtBar) && !IsInContainer(*pExtBar))
                continue;
            if (pExtBar->m_bAutoHidden)
                SetAutoHideMode(pExtBar, false, false, false, true);
        }
        m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    }
    for (CControlBar* pBar : floating) {
        const UINT nSide = SideOfAlignment(pBar->m_dwStyle);
        auto* pExtBar = static_cast<CExtControlBar*>(pBar);
        if (pExtBar->IsFixedSizeBar()) {
            m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
            m_pFrame->DockControlBar(pBar, nSide);
        } else {
            pExtBar->DockIntoDockBar(nSide, 1, m_pFrame, false);
        }
        m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    }
}

void CExtControlBar::InternalDockStateSite::Apply(bool bApplyPlacement)
{
    CFrameWnd* pFrame = m_pFrame;
    CWnd* pTop = GetTopLevelNonChild(pFrame);
    if (bApplyPlacement && pTop != nullptr) {
        CRect rcTarget(m_wp.rcNormalPosition);
        if (IsWorkAreaShowCommand(m_wp.showCmd)) {
            MONITORINFO mi{};
            mi.cbSize = sizeof mi;
            if (::GetMonitorInfoA(::MonitorFromRect(&m_wp.rcNormalPosition, MONITOR_DEFAULTTONEAREST), &mi))
                rcTarget = mi.rcWork;
        }
        if (pTop != pFrame) {
            pFrame->SetWindowPos(nullptr, 0, 0, rcTarget.Width(), rcTarget.Height(), FRAME_SIZE_ONLY);
            pTop->SetWindowPos(nullptr, rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(),
                               TOP_LEVEL_MOVE);
        } else {
            pFrame->SetWindowPos(nullptr, rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(),
                                 TOP_LEVEL_MOVE | SWP_NOREDRAW);
        }
    }
    TakeBarsOutOfLayout();
    CExtDockBar::RemoveEmptyRings(pFrame);
    pFrame->RecalcLayout();

    const bool bResizable = (m_nFlags & FLAG_RESIZABLE) != 0;
    if (bResizable) {
        // The frame's own layout waits while the records rebuild the rings and containers.
        const BOOL bWasInLayout = pFrame->m_bInRecalcLayout;
        pFrame->m_bInRecalcLayout = TRUE;
        for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); ++i)
            m_arrBarStates[i]->ApplyStructure(pFrame, nullptr);
        pFrame->m_bInRecalcLayout = bWasInLayout;
        for (INT_PTR i = 0; i < m_arrAutoHiddenIds.GetSize(); ++i) {
            auto* pBar = dynamic_cast<CExtControlBar*>(pFrame->GetControlBar(m_arrAutoHiddenIds[i]));
            if (pBar == nullptr || !SetAutoHideMode(pBar, true, false, false, true))
                continue;
            // A page parks with its group; the saved page is its group's active tab again.
            int nTab = -1;
            if (CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAreaOfBar(pBar, &nTab))
                pArea->MarkActiveInGroup(nTab);
        }
    }
    if ((m_nFlags & FLAG_FIXED) != 0)
        ApplyFrameDockState(pFrame, *m_pDockState, m_arrOuterItems);
    if (bResizable) {
        for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); ++i)
            m_arrBarStates[i]->ApplyValues(pFrame, nullptr);
        pFrame->RecalcLayout();
        for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); ++i) {
            InternalDockStateBar& record = *m_arrBarStates[i];
            record.ApplyFinish(pFrame, nullptr);
            CExtControlBar* pBar = record.m_pRestoredBar;
            if (pBar == nullptr || (record.m_dwRecordFlags & InternalDockStateBar::FLAG_FLOATING) == 0)
                continue;
            pBar->RecalcNonClient();
            pBar->FitChildToClient(-1, -1, true);
            if (CFrameWnd* pFloatingFrame = pBar->GetParentFrame())
                pFloatingFrame->RecalcLayout();
        }
    }
    for (CControlBar* pBar : FrameBars(pFrame)) {
        auto* pExtBar = dynamic_cast<CExtControlBar*>(pBar);
        if (pExtBar == nullptr || pExtBar->IsDockBar() || !pExtBar->IsFixedSizeBar())
            continue;
        pExtBar->RecalcNonClient();
        if (pExtBar->IsFloating())
            pExtBar->RequestFrameLayout();
    }
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    pFrame->SendMessage(WM_SETMESSAGESTRING, IDLE_PROMPT);
}
