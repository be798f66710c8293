// The drop analysis: what releasing the dragged bar at a cursor position would do.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtControlBarDragSides.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDockOuterBar.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include <algorithm>
#include <climits>

using ExtDragSides::SIDES;
using State = CExtControlBar::InternalDraggingState_t;

namespace {

constexpr int MIN_DRAG_EXTENT = 8;

CRect WindowRectOf(const CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc;
}
// Bands over a target bar: caption (tab), upper, lower, left and right.
constexpr int TARGET_BAND = 32;
// A target is split across only while both minimal sizes stay this small.
constexpr int SMALL_TARGET_LIMIT = 64;
// The frame-edge zone just inside the outer dock bars.
constexpr int FRAME_EDGE_GROW = 12;
constexpr int FRAME_EDGE_BAND = 16;
// The client-area zone.
constexpr int CLIENT_REACH = 32;
constexpr int CLIENT_BAND = 12;
// The docked cross size of a client-area drop is at most this part of the free area.
constexpr int CLIENT_SHARE_NUM = 3;
constexpr int CLIENT_SHARE_DEN = 4;
// The ring counted for a floating bar: beyond every ring.
constexpr int RING_FLOATING = INT_MAX / 2;
// Fixed-size bars: the frame's reach and each outer dock bar's zone.
constexpr int FIXED_ZONE_GROW = 12;
constexpr int FIXED_HIT_GROW = FIXED_ZONE_GROW * 3 / 2;

bool IsCtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

CExtDockBar* AsExtDockBar(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtDockBar))) ? static_cast<CExtDockBar*>(pWnd) : nullptr;
}

// The outer (ring 0) dock bar of a frame side.
CExtDockBar* OuterDockBar(CFrameWnd* pFrame, int nSide)
{
    return pFrame != nullptr ? AsExtDockBar(pFrame->GetControlBar(SIDES[nSide].nDockBarId)) : nullptr;
}

// The dock bar of one side in a ring, walking in from the outer one; null when the ring has none.
CExtDockBar* RingDockBar(CFrameWnd* pFrame, int nSide, UINT nRing)
{
    CExtDockBar* pBar = OuterDockBar(pFrame, nSide);
    while (pBar != nullptr && pBar->m_nRing < nRing)
        pBar = pBar->m_pInnerRingBar;
    return (pBar != nullptr && pBar->m_nRing == nRing) ? pBar : nullptr;
}

bool IsTargetHorizontal(CExtControlBar* pTarget)
{
    return pTarget->IsDockedAtTopOrBottom() || pTarget->IsInFloatingFrame();
}

} // namespace

CFrameWnd* CExtControlBar::GetDragFrame() const
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == nullptr) {
        pFrame = GetParentFrame();
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            pFrame = pFrame->GetParentFrame();
    }
    return pFrame;
}

CRect CExtControlBar::CalcFloatingTrackRect(CPoint pt) const
{
    int t = std::min(m_rcCaption.Width(), m_rcCaption.Height());
    CSize size = m_sizeFloating;
    if (IsInFloatingFrame()) {
        CRect rcFrame;
        GetParentFrame()->GetWindowRect(&rcFrame);
        size = rcFrame.Size();
    }
    const CPoint topLeft(pt.x - m_ptGrabFloating.x - t, pt.y - m_ptGrabFloating.y - t / 2);
    return CRect(topLeft, size);
}

void CExtControlBar::AnalyzeDrop(InternalDraggingState_t& state, CPoint pt, bool bForceFloat, CPoint ptLast)
{
    if (IsFixedSizeBar() || IsFixedSizeMode())
        AnalyzeDropFixed(state, pt, bForceFloat, ptLast);
    else
        AnalyzeDropResizable(state, pt, bForceFloat);
}

bool CExtControlBar::AnalyzeMarkerDrop(InternalDraggingState_t& state, CPoint pt)
{
    CExtDynDockMarkerWnd* pMarker = CExtDynDockMarkerWnd::FromScreenPoint(pt);
    if (pMarker == nullptr || !pMarker->IsDockingKind())
        return false;
    state.m_nCode = pMarker->GetMarkerImageId();
    if (state.m_nCode == State::CODE_FLOAT)
        return false;
    if (pMarker->m_hWndTarget != nullptr && !::IsWindow(pMarker->m_hWndTarget)) {
        state.m_nCode = State::CODE_FLOAT;
        return true;
    }
    CWnd* pTargetWnd = pMarker->m_hWndTarget != nullptr ? CWnd::FromHandlePermanent(pMarker->m_hWndTarget) : nullptr;
    auto* pTargetBar = (pTargetWnd != nullptr && pTargetWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
                           ? static_cast<CExtControlBar*>(pTargetWnd)
                           : nullptr;
    if (state.m_nCode >= State::CODE_MARKER_NEST_TOP && state.m_nCode <= State::CODE_MARKER_NEST_RIGHT) {
        if (pTargetBar == nullptr) {
            state.m_nCode = State::CODE_FLOAT;
            return true;
        }
        state.SetTarget(pTargetBar);
        pTargetBar->GetWindowRect(&state.m_rcTrack);
    } else if (state.m_nCode == State::CODE_MARKER_TAB) {
        if (pTargetBar == nullptr || !pTargetBar->CanBeTabbedWith(this)) {
            state.m_nCode = State::CODE_FLOAT;
            return true;
        }
        state.SetTarget(pTargetBar);
        pTargetBar->GetWindowRect(&state.m_rcTrack);
        // A tabbed group showing its strip takes the tab at the strip's start.
        if (CExtDynTabControlBar* pGroup = CExtDynTabControlBar::FromDragTarget(pTargetBar);
            pGroup != nullptr && pGroup->m_wndTabSwitcher.IsWindowVisible()) {
            const CRect rcStrip = WindowRectOf(pGroup->m_wndTabSwitcher);
            state.m_nCode = State::CODE_TAB_AT_INDEX_MARKER;
            state.HitTestTargetTabs(CPoint(rcStrip.left + 2, rcStrip.CenterPoint().y));
        }
    }
    return true;
}

bool CExtControlBar::AnalyzeTargetBands(InternalDraggingState_t& state, CPoint pt, CExtControlBar* pTarget,
                                        const CRect& rcTarget, bool bFloatingTarget, int nMinW, int nMinH)
{
    const int nTargetMinW = std::max(MIN_DRAG_EXTENT, pTarget->GetMinimalWidth());
    const int nTargetMinH = std::max(MIN_DRAG_EXTENT, pTarget->GetMinimalHeight());
    const bool bTabs = CanBeTabbedWith(pTarget) && pTarget->CanBeTabbedWith(this);
    const bool bHorizontal = IsTargetHorizontal(pTarget);
    const bool bShowContent = IsShowContentWhenDragging();
    const bool bGroup = ExtBarDetail::IsKindOfNamed(pTarget, ExtBarDetail::kDynTabControlBar);
    CRect rcDockBar(rcTarget);
    if (pTarget->m_pDockBar != nullptr && pTarget->m_pDockBar->GetSafeHwnd() != nullptr)
        pTarget->m_pDockBar->GetWindowRect(&rcDockBar);
    const CRect upper(rcTarget.left, rcTarget.top, rcTarget.right, rcTarget.top + rcTarget.Height() / 2);
    const CRect lower(rcTarget.left, upper.bottom, rcTarget.right, rcTarget.bottom);
    const CRect left(rcTarget.left, rcTarget.top, rcTarget.left + rcTarget.Width() / 2, rcTarget.bottom);
    const CRect right(left.right, rcTarget.top, rcTarget.right, rcTarget.bottom);

    const bool bRowsFit = bFloatingTarget
                              ? (rcTarget.Width() >= nMinW && rcTarget.Height() / 2 >= std::max(nMinH, nTargetMinH))
                              : (rcTarget.Width() >= nMinW && nMinH <= SMALL_TARGET_LIMIT &&
                                 nTargetMinH <= SMALL_TARGET_LIMIT);
    const bool bColumnsFit = bFloatingTarget
                                 ? (rcTarget.Height() >= nMinH && rcTarget.Width() / 2 >= std::max(nMinW, nTargetMinW))
                                 : (rcTarget.Height() >= nMinH && nMinW <= SMALL_TARGET_LIMIT &&
                                    nTargetMinW <= SMALL_TARGET_LIMIT);
    if (!rcTarget.PtInRect(pt) || (!bRowsFit && !bColumnsFit))
        return false;

    int nBandTop = rcTarget.top;
    if (bRowsFit) {
        if (bTabs) {
            if (pt.y < nBandTop + TARGET_BAND) {
                state.m_nCode = bGroup ? State::CODE_TAB_INTO_GROUP : State::CODE_TAB_INTO_BAR;
                state.m_rcTrack = rcTarget;
                return true;
            }
            nBandTop += TARGET_BAND;
        }
        // Over a group's tab strip: a tab at the index under the cursor.
        if (CExtDynTabControlBar* pGroup = bTabs ? CExtDynTabControlBar::FromDragTarget(pTarget) : nullptr;
            pGroup != nullptr && pGroup->m_wndTabSwitcher.IsWindowVisible() &&
            WindowRectOf(pGroup->m_wndTabSwitcher).PtInRect(pt)) {
            state.m_nCode = State::CODE_TAB_AT_INDEX;
            state.m_rcTrack = rcTarget;
            state.SetTarget(pTarget);
            state.HitTestTargetTabs(pt);
            return true;
        }
        if (!CanDockBeside(pTarget) || !pTarget->CanDockBeside(this))
            return false;
        if (!(bShowContent && bHorizontal && !bFloatingTarget)) {
            if (pt.y >= nBandTop && pt.y < nBandTop + TARGET_BAND) {
                state.m_nCode = State::CODE_NEST_TOP;
                state.m_rcTrack = upper;
            } else if (pt.y >= rcTarget.bottom - TARGET_BAND) {
                state.m_nCode = State::CODE_NEST_TOP + 1;
                state.m_rcTrack = lower;
            }
            if (state.m_nCode != State::CODE_FLOAT && (bFloatingTarget || bHorizontal)) {
                state.m_rcTrack.left = rcDockBar.left;
                state.m_rcTrack.right = rcDockBar.right;
            }
        }
    } else if (!CanDockBeside(pTarget) || !pTarget->CanDockBeside(this)) {
        return false;
    }
    if (state.m_nCode == State::CODE_FLOAT && bColumnsFit && !(bShowContent && !bHorizontal && !bFloatingTarget)) {
        if (pt.x < rcTarget.left + TARGET_BAND) {
            state.m_nCode = State::CODE_NEST_TOP + 2;
            state.m_rcTrack = left;
        } else if (pt.x >= rcTarget.right - TARGET_BAND) {
            state.m_nCode = State::CODE_NEST_RIGHT;
            state.m_rcTrack = right;
        }
        if (state.m_nCode != State::CODE_FLOAT && (bFloatingTarget || !bHorizontal)) {
            state.m_rcTrack.top = rcDockBar.top;
            state.m_rcTrack.bottom = rcDockBar.bottom;
        }
    }
    if (state.m_nCode == State::CODE_FLOAT)
        return false;
    state.SetTarget(pTarget);
    // Nesting beside a target in a floating frame or a foreign dock bar takes the other way.
    state.m_bAlternate = state.m_nCode >= State::CODE_NEST_TOP && state.m_nCode <= State::CODE_NEST_RIGHT;
    return true;
}

void CExtControlBar::AnalyzeDropResizable(InternalDraggingState_t& state, CPoint pt, bool bForceFloat)
{
    state.m_rcTrack.SetRectEmpty();
    state.m_nCode = State::CODE_FLOAT;
    state.m_nRing = 0;
    state.m_bAlternate = false;
    state.SetTarget(nullptr);
    const int nMinW = std::max(MIN_DRAG_EXTENT, GetMinimalWidth());
    const int nMinH = std::max(MIN_DRAG_EXTENT, GetMinimalHeight());
    CFrameWnd* pFrame = GetDragFrame();
    const bool bStyle1 = GetEffectiveDockingStyle() == 1;
    const bool bFloating = IsInFloatingFrame();
    bool bStopped = false;

    if (!bForceFloat && bFloating) {
        if (bStyle1) {
            if (AnalyzeMarkerDrop(state, pt)) {
                if (state.m_nCode == State::CODE_FLOAT)
                    state.m_rcTrack = CalcFloatingTrackRect(pt);
                return;
            }
        } else if (IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) || !IsShowContentWhenDragging()) {
            CRect rcOwnFrame;
            GetParentFrame()->GetWindowRect(&rcOwnFrame);
            bStopped = rcOwnFrame.PtInRect(pt) != FALSE;
        }
    }

    if (!bForceFloat && !IsCtrlHeld() && !bStopped && pFrame != nullptr) {
        const DWORD dwAlign = m_dwDockStyle & CBRS_ALIGN_ANY;
        // a. A floating bar under the cursor.
        if (CanBeDockedToFrame() && dwAlign != 0) {
            CArray<CExtControlBar*, CExtControlBar*> bars;
            QueryFrameBars(this, pFrame, bars, QUERY_FLOATING_TARGET, pt);
            if (bars.GetSize() > 0 && bars[0]->GetParentFrame() != nullptr) {
                CRect rcTarget;
                bars[0]->GetParentFrame()->GetWindowRect(&rcTarget);
                AnalyzeTargetBands(state, pt, bars[0], rcTarget, true, nMinW, nMinH);
            }
        }
        // b. Just inside the outer dock bars.
        if (state.m_nCode == State::CODE_FLOAT)
            AnalyzeFrameEdges(state, pt, pFrame);
        // c. The free client area.
        if (state.m_nCode == State::CODE_FLOAT) {
            if (AnalyzeClientArea(state, pt, pFrame, bStyle1) && state.m_nCode == State::CODE_NO_CHANGE)
                return;
        }
        // d. A docked bar under the cursor.
        if (state.m_nCode == State::CODE_FLOAT)
            AnalyzeDockedTarget(state, pt, pFrame, nMinW, nMinH);
        if (state.m_nCode == State::CODE_NO_CHANGE)
            return;
        // e. Halves smaller than the bar take no nesting.
        if (state.m_nCode >= State::CODE_NEST_TOP && state.m_nCode <= State::CODE_NEST_RIGHT &&
            (state.m_rcTrack.Width() < nMinW || state.m_rcTrack.Height() < nMinH))
            state.m_nCode = State::CODE_FLOAT;
    }
    // In the marker style only the markers dock; tab strips still take tabs.
    if (bStyle1 && state.m_nCode != State::CODE_FLOAT && !State::IsTabCode(state.m_nCode))
        state.m_nCode = State::CODE_FLOAT;
    if (state.m_nCode == State::CODE_FLOAT) {
        state.SetTarget(nullptr);
        state.m_bAlternate = false;
        state.m_rcTrack = CalcFloatingTrackRect(pt);
    }
}

void CExtControlBar::AnalyzeFrameEdges(InternalDraggingState_t& state, CPoint pt, CFrameWnd* pFrame)
{
    CRect rcInside;
    pFrame->GetClientRect(&rcInside);
    pFrame->ClientToScreen(&rcInside);
    // The outer dock bars' inner edges, from the last layout.
    CExtDockBar* pOuter[4];
    for (int i = 0; i < 4; ++i)
        pOuter[i] = OuterDockBar(pFrame, i);
    if (pOuter[0] != nullptr && !pOuter[0]->m_rcInnerEdge.IsRectNull())
        rcInside.top = pOuter[0]->m_rcInnerEdge.top;
    if (pOuter[1] != nullptr && !pOuter[1]->m_rcInnerEdge.IsRectNull())
        rcInside.bottom = pOuter[1]->m_rcInnerEdge.bottom;
    if (pOuter[2] != nullptr && !pOuter[2]->m_rcInnerEdge.IsRectNull())
        rcInside.left = pOuter[2]->m_rcInnerEdge.left;
    if (pOuter[3] != nullptr && !pOuter[3]->m_rcInnerEdge.IsRectNull())
        rcInside.right = pOuter[3]->m_rcInnerEdge.right;
    CRect rcZone(rcInside);
    rcZone.InflateRect(FRAME_EDGE_GROW, FRAME_EDGE_GROW);
    if (!rcZone.PtInRect(pt))
        return;
    for (int i = 0; i < 4; ++i) {
        if ((m_dwDockStyle & SIDES[i].dwAlign) == 0 || !ExtDragSides::EdgeBand(rcZone, i, FRAME_EDGE_BAND).PtInRect(pt))
            continue;
        const int nCross = SIDES[i].bHorizontal ? m_sizeDockedHorz.cy : m_sizeDockedVert.cx;
        state.m_nCode = State::CODE_EDGE_TOP + i;
        state.m_nRing = 1;
        state.m_rcTrack = ExtDragSides::EdgeBand(rcInside, i, nCross);
        return;
    }
}

bool CExtControlBar::AnalyzeClientArea(InternalDraggingState_t& state, CPoint pt, CFrameWnd* pFrame, bool bStyle1)
{
    CRect rcReach;
    pFrame->GetWindowRect(&rcReach);
    rcReach.InflateRect(CLIENT_REACH, CLIENT_REACH);
    if (!rcReach.PtInRect(pt))
        return false;
    CRect rcClient, rcFree;
    pFrame->GetClientRect(&rcClient);
    rcFree = rcClient;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcFree, &rcClient);
    pFrame->ClientToScreen(&rcFree);
    if (!rcFree.PtInRect(pt))
        return false;
    const CExtDockBar* pOwnDockBar = AsExtDockBar(m_pDockBar);
    const int nOwnRing = (pOwnDockBar != nullptr && !pOwnDockBar->m_bFloating) ? static_cast<int>(pOwnDockBar->m_nRing)
                                                                             : RING_FLOATING;
    for (int i = 0; i < 4; ++i) {
        if ((m_dwDockStyle & SIDES[i].dwAlign) == 0)
            continue;
        CExtDockBar* pOuter = OuterDockBar(pFrame, i);
        if (bStyle1 && pOuter != nullptr && m_pDockBar == pOuter) {
            CRect rcOuter;
            pOuter->GetWindowRect(&rcOuter);
            if (rcOuter.PtInRect(pt)) {
                state.m_nCode = State::CODE_NO_CHANGE;
                return true;
            }
        }
        if (!ExtDragSides::EdgeBand(rcFree, i, CLIENT_BAND).PtInRect(pt))
            continue;
        const bool bHorz = SIDES[i].bHorizontal;
        const int nLimit = (bHorz ? rcFree.Height() : rcFree.Width()) * CLIENT_SHARE_NUM / CLIENT_SHARE_DEN;
        const int nCross = std::min(static_cast<int>(bHorz ? m_sizeDockedHorz.cy : m_sizeDockedVert.cx), nLimit);
        state.m_nCode = State::CODE_CLIENT_TOP + i;
        state.m_rcTrack = ExtDragSides::EdgeBand(rcFree, i, nCross);
        // A ring well inside the bar's own that is empty across is reused; otherwise a new one.
        CExtDockBar* pInnermost = pOuter != nullptr ? pOuter->GetInnermostRingBar() : nullptr;
        const int r = pInnermost != nullptr ? static_cast<int>(pInnermost->m_nRing) : 0;
        bool bReuse = nOwnRing != RING_FLOATING && r > nOwnRing + 2;
        for (int k = bHorz ? ExtDragSides::LEFT : ExtDragSides::TOP; bReuse && k <= (bHorz ? 3 : 1); ++k) {
            CExtDockBar* pPerpendicular = RingDockBar(pFrame, k, static_cast<UINT>(r));
            bReuse = pPerpendicular != nullptr && pPerpendicular->IsDockBarEmpty();
        }
        state.m_nRing = bReuse ? r : r + 1;
        return true;
    }
    return false;
}

void CExtControlBar::AnalyzeDockedTarget(InternalDraggingState_t& state, CPoint pt, CFrameWnd* pFrame, int nMinW,
                                         int nMinH)
{
    CArray<CExtControlBar*, CExtControlBar*> bars;
    QueryFrameBars(nullptr, pFrame, bars, QUERY_DOCKED_TARGET, pt);
    if (bars.GetSize() != 1)
        return;
    CExtControlBar* pTarget = bars[0];
    if (pTarget == this) {
        state.m_nCode = State::CODE_NO_CHANGE;
        return;
    }
    const CExtDockBar* pTargetDockBar = AsExtDockBar(pTarget->m_pDockBar);
    if (!pTarget->CanBeDockedToFrame() && !(pTargetDockBar != nullptr && pTargetDockBar->m_nRing == 0))
        return;
    const int nSide = ExtDragSides::IndexOfId(pTarget->GetDockBarId());
    if (nSide < 0 || (m_dwDockStyle & SIDES[nSide].dwAlign) == 0 || (m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
        return;
    CRect rcTarget;
    pTarget->GetWindowRect(&rcTarget);
    AnalyzeTargetBands(state, pt, pTarget, rcTarget, false, nMinW, nMinH);
}

void CExtControlBar::AnalyzeDropFixed(InternalDraggingState_t& state, CPoint pt, bool bForceFloat, CPoint ptLast)
{
    state.m_rcTrack.SetRectEmpty();
    CFrameWnd* pFrame = GetDragFrame();
    CRect rcReach;
    if (pFrame != nullptr)
        pFrame->GetWindowRect(&rcReach);
    rcReach.InflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
    if (!bForceFloat && !IsCtrlHeld() && pFrame != nullptr && rcReach.PtInRect(pt)) {
        CRect rcFrameClient;
        pFrame->GetClientRect(&rcFrameClient);
        pFrame->ClientToScreen(&rcFrameClient);
        struct Zone
        {
            CExtDockOuterBar* pBar = nullptr;
            CRect rcHit;
            bool bCurrent = false;
            bool bVisible = false;
        } zones[4];
        for (int i = 0; i < 4; ++i) {
            CWnd* pWnd = pFrame->GetControlBar(SIDES[i].nDockBarId);
            if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
                continue;
            Zone& z = zones[i];
            z.pBar = static_cast<CExtDockOuterBar*>(pWnd);
            z.bCurrent = m_pDockBar == z.pBar;
            z.bVisible = z.pBar->IsWindowVisible() != FALSE;
            CRect rc = ExtDragSides::EdgeBand(rcFrameClient, i, 0);
            if (z.bVisible)
                z.pBar->GetWindowRect(&rc);
            // Reaching a little further in from the frame's inside.
            switch (i) {
            case ExtDragSides::TOP: rc.top = rcFrameClient.top; rc.bottom += FIXED_ZONE_GROW; break;
            case ExtDragSides::BOTTOM: rc.bottom = rcFrameClient.bottom; rc.top -= FIXED_ZONE_GROW; break;
            case ExtDragSides::LEFT: rc.left = rcFrameClient.left; rc.right += FIXED_ZONE_GROW; break;
            default: rc.right = rcFrameClient.right; rc.left -= FIXED_ZONE_GROW; break;
            }
            rc.InflateRect(FIXED_HIT_GROW, FIXED_HIT_GROW);
            z.rcHit = rc;
        }
        auto tryZone = [&](Zone& z) {
            return z.pBar != nullptr && z.rcHit.PtInRect(pt) &&
                   z.pBar->DragFixedBar(this, pt, ptLast, &g_DragStateNew.m_nCursorHint);
        };
        for (Zone& z : zones)
            if (z.bCurrent && tryZone(z))
                return;
        for (Zone& z : zones)
            if (!z.bCurrent && z.bVisible && tryZone(z))
                return;
        for (Zone& z : zones)
            if (!z.bCurrent && !z.bVisible && tryZone(z))
                return;
    }
    state.FloatBarAt(pt.x, pt.y);
}
