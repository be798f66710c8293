// The marker sets of a drag in the marker style: the frame's outer markers and the inner
// markers over the bar or view area under the cursor.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDockDynBar.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"

namespace {

// Marker set kinds of the paint manager: the four frame markers, the cross over a window, the
// cross with a tab marker over a bar.
constexpr int MARKER_SET_FRAME = 5;
constexpr int MARKER_SET_WINDOW = 6;
constexpr int MARKER_SET_BAR = 7;
// Visible, not collapsed resizable bars, docked or floating, the first under the point.
constexpr DWORD QUERY_INNER_TARGET = 0x8000 | 0x400 | 0x100 | 0xF8 | 0x4;

bool IsPlainContainer(const CObject* pBar)
{
    return pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) &&
           !ExtBarDetail::IsKindOfNamed(pBar, ExtBarDetail::kDynTabControlBar);
}

bool IsTargetCandidate(CExtControlBar* pBar, CExtControlBar* pDragged)
{
    return pBar != pDragged && !pBar->IsDockBar() && !pBar->IsFixedSizeBar() && !pBar->IsFixedSizeMode() &&
           pBar->GetSafeHwnd() != nullptr && pBar->IsVisible();
}

// A page of a tabbed group is targeted as its group.
HWND TargetWindowOf(CExtControlBar* pBar)
{
    CWnd* pGroup = pBar->GetTabbedGroupContainer();
    return pGroup != nullptr ? pGroup->GetSafeHwnd() : pBar->GetSafeHwnd();
}

} // namespace

HWND CExtControlBar::FindBarInContainerAt(CExtDynControlBar* pContainer, POINT ptScreen)
{
    if (pContainer == nullptr || pContainer->m_pWndDynDockBar == nullptr)
        return nullptr;
    CArray<CExtControlBar*, CExtControlBar*> bars;
    pContainer->m_pWndDynDockBar->CollectBars(bars);
    for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
        CExtControlBar* pBar = bars[i];
        if (pBar->IsFixedSizeBar() || pBar->IsFixedSizeMode() || pBar->GetSafeHwnd() == nullptr || !pBar->IsVisible())
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        if (!rc.PtInRect(ptScreen))
            continue;
        if (IsPlainContainer(pBar)) {
            if (HWND hFound = FindBarInContainerAt(static_cast<CExtDynControlBar*>(pBar), ptScreen))
                return hFound;
            continue;
        }
        return TargetWindowOf(pBar);
    }
    return nullptr;
}

void CExtControlBar::BuildOuterMarkers(CFrameWnd* pFrame, bool bShow)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    CRect rcFree;
    pFrame->GetClientRect(&rcFree);
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = nullptr;
    layout.rect = rcFree;
    layout.bStretch = TRUE;
    REPOSITION_QUERY_DATA query(REPOSITION_QUERY_DATA::KIND_QUERY, pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, &layout,
                                &layout.rect, true);
    for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (static_cast<UINT>(::GetDlgCtrlID(hChild)) == AFX_IDW_PANE_FIRST)
            continue;
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        // The inner rings lie inside the free area the markers frame.
        if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CExtDockBar)) &&
            static_cast<CExtDockBar*>(pChild)->m_nRing > 0)
            break;
        query.SetExcluded(false);
        ::SendMessageA(hChild, g_nMsgQueryRepositionCalcEffect, reinterpret_cast<WPARAM>(&query), 0);
        if (query.IsExcluded())
            continue;
        ::SendMessageA(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    rcFree = layout.rect;
    pFrame->ClientToScreen(&rcFree);
    CExtDynDockMarkerWnd::PrepareMarkerSet(nullptr, MARKER_SET_FRAME, rcFree, g_arrOuterMarkers);
    CExtDynDockMarkerWnd::ShowMarkers(g_arrOuterMarkers, bShow, false);
}

void CExtControlBar::UpdateInnerMarkers(CFrameWnd* pFrame, bool bShow)
{
    CExtControlBar* pDragged = GetDraggedBar();
    if (pFrame == nullptr || pDragged == nullptr)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    if (CExtDynDockMarkerWnd::FromScreenPoint(pt) != nullptr)
        return;

    HWND hTarget = nullptr;
    bool bViewTarget = false;
    CArray<CExtControlBar*, CExtControlBar*> bars;
    QueryFrameBars(pDragged, pFrame, bars, QUERY_INNER_TARGET, pt);
    for (INT_PTR i = 0; i < bars.GetSize() && hTarget == nullptr; ++i) {
        CExtControlBar* pBar = bars[i];
        if (!IsTargetCandidate(pBar, pDragged))
            continue;
        hTarget = IsPlainContainer(pBar) ? FindBarInContainerAt(static_cast<CExtDynControlBar*>(pBar), pt)
                                         : TargetWindowOf(pBar);
    }
    if (hTarget == nullptr) {
        CPoint ptClient(pt);
        pFrame->ScreenToClient(&ptClient);
        CWnd* pChild = pFrame->ChildWindowFromPoint(ptClient, CWP_SKIPINVISIBLE);
        if (pChild != nullptr && pChild != pFrame) {
            if (static_cast<UINT>(pChild->GetDlgCtrlID()) == AFX_IDW_PANE_FIRST) {
                hTarget = pChild->GetSafeHwnd();
                bViewTarget = true;
            } else if (pChild->IsKindOf(RUNTIME_CLASS(CExtDockBar)) && static_cast<CExtDockBar*>(pChild)->m_nRing > 0) {
                for (HWND h = ::GetWindow(pChild->GetSafeHwnd(), GW_CHILD); h != nullptr && hTarget == nullptr;
                     h = ::GetWindow(h, GW_HWNDNEXT)) {
                    CWnd* pWnd = CWnd::FromHandlePermanent(h);
                    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar)) || !::IsWindowVisible(h))
                        continue;
                    CRect rc;
                    ::GetWindowRect(h, &rc);
                    auto* pBar = static_cast<CExtControlBar*>(pWnd);
                    if (!rc.PtInRect(pt) || !IsTargetCandidate(pBar, pDragged))
                        continue;
                    hTarget = IsPlainContainer(pBar) ? FindBarInContainerAt(static_cast<CExtDynControlBar*>(pBar), pt)
                                                     : TargetWindowOf(pBar);
                }
            }
        }
    }

    HWND& hCurrent = CExtDynDockMarkerWnd::g_hWndInnerTarget;
    if (hCurrent != nullptr && !::IsWindow(hCurrent))
        hCurrent = nullptr;
    if (hTarget == hCurrent) {
        if (hTarget == nullptr)
            CExtDynDockMarkerWnd::DestroyMarkerArray(g_arrInnerMarkers, true);
        return;
    }
    CExtDynDockMarkerWnd::DestroyMarkerArray(g_arrInnerMarkers, true);
    if (hTarget == nullptr) {
        hCurrent = nullptr;
        return;
    }
    CWnd* pTargetWnd = CWnd::FromHandle(hTarget);
    if (!bViewTarget) {
        auto* pTargetBar = pTargetWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? static_cast<CExtControlBar*>(pTargetWnd)
                                                                               : nullptr;
        const bool bTabs =
            pTargetBar != nullptr && pDragged->CanBeTabbedWith(pTargetBar) && pTargetBar->CanBeTabbedWith(pDragged);
        const bool bBeside =
            pTargetBar != nullptr && pDragged->CanDockBeside(pTargetBar) && pTargetBar->CanDockBeside(pDragged);
        if (!bTabs && !bBeside) {
            hCurrent = nullptr;
            return;
        }
    }
    hCurrent = hTarget;
    CRect rcTarget;
    pTargetWnd->GetWindowRect(&rcTarget);
    CExtDynDockMarkerWnd::PrepareMarkerSet(pTargetWnd, bViewTarget ? MARKER_SET_WINDOW : MARKER_SET_BAR, rcTarget,
                                           g_arrInnerMarkers);
    CExtDynDockMarkerWnd::ShowMarkers(g_arrInnerMarkers, bShow, true);
}
