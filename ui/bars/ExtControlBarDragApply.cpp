// Carrying out a drop proposal, and docking a bar beside another without a drag.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtControlBarDragSides.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"
#include "ui/core/ExtPaintManager.h"

using ExtDragSides::SIDES;
using State = CExtControlBar::InternalDraggingState_t;

namespace {

constexpr int NEST_PERCENT = 50;

CExtControlBar* AsBar(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar))) ? static_cast<CExtControlBar*>(pWnd)
                                                                            : nullptr;
}

// The neighbour in the row that takes over a floated bar's extent: the next visible resizable
// bar after it, else the previous one.
CExtControlBar* RowHeir(CExtControlBar* pBar)
{
    CArray<CExtControlBar*, CExtControlBar*> row;
    int nIndex = -1;
    pBar->GetRowInfo(row, nullptr, &nIndex);
    INT_PTR nSelf = -1;
    for (INT_PTR i = 0; i < row.GetSize(); ++i)
        if (row[i] == pBar)
            nSelf = i;
    if (nSelf < 0)
        return nullptr;
    auto usable = [pBar](CExtControlBar* p) {
        return p != pBar && p->GetSafeHwnd() != nullptr && p->IsVisible() && !p->IsFixedSizeBar();
    };
    for (INT_PTR i = nSelf + 1; i < row.GetSize(); ++i)
        if (usable(row[i]))
            return row[i];
    for (INT_PTR i = nSelf - 1; i >= 0; --i)
        if (usable(row[i]))
            return row[i];
    return nullptr;
}

} // namespace

bool CExtControlBar::ApplyDragResult(InternalDraggingState_t& state, bool bFinal)
{
    CExtDynDockMarkerWnd::ResetAllHighlights(true);
    if (state.m_bEmpty || IsFixedSizeBar())
        return false;
    const int nCode = state.m_nCode;
    CExtControlBar* pTarget = AsBar(state.m_pTarget);
    CFrameWnd* pSite = GetDragFrame();

    if (bFinal && State::IsMarkerCode(nCode)) {
        if (nCode <= State::CODE_FRAME_OUTER_RIGHT) {
            DockToFrameSide(SIDES[nCode - State::CODE_FRAME_OUTER_TOP].nDockBarId, false);
        } else if (nCode <= State::CODE_FRAME_INNER_RIGHT) {
            DockToFrameSide(SIDES[nCode - State::CODE_FRAME_INNER_TOP].nDockBarId, true);
        } else if (nCode <= State::CODE_MARKER_NEST_RIGHT) {
            if (pTarget == nullptr || !::IsWindow(pTarget->GetSafeHwnd()))
                return false;
            DockNextToBar(NEST_PERCENT, pTarget, SIDES[nCode - State::CODE_MARKER_NEST_TOP].nDockBarId);
        } else {
            if (pTarget == nullptr || !::IsWindow(pTarget->GetSafeHwnd()))
                return false;
            pTarget->DockIntoTabbedGroup(this, -1);
        }
        return true;
    }

    if (nCode == State::CODE_FLOAT) {
        if (!IsInFloatingFrame() && m_pDockBar != nullptr) {
            if (CExtControlBar* pHeir = RowHeir(this)) {
                CRect rcSelf;
                GetWindowRect(&rcSelf);
                if (IsDockedAtTopOrBottom())
                    pHeir->m_sizeDockedHorz.cx += rcSelf.Width();
                else
                    pHeir->m_sizeDockedVert.cy += rcSelf.Height();
            }
        }
        const CPoint corner = state.m_rcTrack.TopLeft();
        FloatAt(corner.x, corner.y, CBRS_ALIGN_TOP);
        if (m_pDockContext != nullptr)
            m_pDockContext->m_ptMRUFloatPos = corner;
        if (IsShowContentWhenDragging()) {
            CExtDynAutoHideArea* apAreas[4];
            CExtDynAutoHideArea::GetFrameAreas(pSite, &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]);
            for (CExtDynAutoHideArea* pArea : apAreas)
                if (pArea != nullptr)
                    pArea->InvalidateLayout(true);
        } else if (pSite != nullptr) {
            pSite->RecalcLayout();
        }
        return true;
    }
    if (nCode >= State::CODE_NEST_TOP && nCode <= State::CODE_NEST_RIGHT) {
        if (pTarget == nullptr || !::IsWindow(pTarget->GetSafeHwnd()))
            return false;
        DockNextToBar(NEST_PERCENT, pTarget, SIDES[nCode - State::CODE_NEST_TOP].nDockBarId);
        return true;
    }
    if (nCode >= State::CODE_CLIENT_TOP && nCode <= State::CODE_EDGE_RIGHT) {
        if (pSite == nullptr)
            return false;
        const bool bClient = nCode <= State::CODE_CLIENT_RIGHT;
        const int nSide = nCode - (bClient ? State::CODE_CLIENT_TOP : State::CODE_EDGE_TOP);
        if (bClient) {
            if (SIDES[nSide].bHorizontal)
                m_sizeDockedHorz.cy = state.m_rcTrack.Height();
            else
                m_sizeDockedVert.cx = state.m_rcTrack.Width();
        } else if (!SIDES[nSide].bHorizontal) {
            CExtDockBar::InsertRingAt(pSite, 1);
        }
        CWnd* pOuterWnd = pSite->GetControlBar(SIDES[nSide].nDockBarId);
        if (pOuterWnd == nullptr || !pOuterWnd->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            return false;
        auto* pDockBar = static_cast<CExtDockBar*>(pOuterWnd);
        const UINT nRing = bClient ? static_cast<UINT>(state.m_nRing) : 1U;
        if (nRing > 0)
            pDockBar = CExtDockBar::GoToRing(pDockBar, nRing);
        if (pDockBar == nullptr)
            return false;
        const bool bHadDockBar = m_pDockBar != nullptr;
        CFrameWnd* pOldFrame = GetParentFrame();
        const HWND hOldFrame = pOldFrame != nullptr ? pOldFrame->GetSafeHwnd() : nullptr;
        pDockBar->AppendBarAsRow(this, bClient);
        if (bHadDockBar) {
            pSite->RecalcLayout();
            if (hOldFrame != nullptr && hOldFrame != pSite->GetSafeHwnd() && ::IsWindow(hOldFrame)) {
                CWnd* pOld = CWnd::FromHandlePermanent(hOldFrame);
                if (pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
                    static_cast<CFrameWnd*>(pOld)->RecalcLayout();
                else if (pOld != nullptr && pOld->IsFrameWnd())
                    static_cast<CFrameWnd*>(pOld)->DelayRecalcLayout();
            }
        }
        if (GetSafeHwnd() != nullptr)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return true;
    }
    if (nCode == State::CODE_NO_CHANGE) {
        if (pSite != nullptr)
            pSite->DelayRecalcLayout();
        return true;
    }
    if (State::IsMarkerCode(nCode)) {
        CPoint pt;
        ::GetCursorPos(&pt);
        CExtDynDockMarkerWnd* pMarker = CExtDynDockMarkerWnd::FromScreenPoint(pt);
        if (pMarker != nullptr && pMarker->GetMarkerImageId() == nCode)
            pMarker->Highlight(true);
        return true;
    }
    if (nCode >= State::CODE_TAB_INTO_BAR && nCode <= State::CODE_TAB_AT_INDEX_MARKER) {
        if (pTarget == nullptr || !::IsWindow(pTarget->GetSafeHwnd()))
            return false;
        pTarget->DockIntoTabbedGroup(this, state.GetTabIndex(), pSite, bFinal);
        return true;
    }
    return false;
}

bool CExtControlBar::DockBarBesideThis(CExtControlBar* pBar, bool bAlongRow, bool bSecond, CFrameWnd* pFrame,
                                       bool bRecalc)
{
    if (pBar == nullptr || pBar == this)
        return false;
    if (CWnd* pGroup = GetTabbedGroupContainer()) {
        if (CExtControlBar* pGroupBar = AsBar(pGroup))
            return pGroupBar->DockBarBesideThis(pBar, bAlongRow, bSecond, pFrame, bRecalc);
    }
    // Codes by this bar's side: [side][along row][second].
    static constexpr int CODES[4][2][2] = {
        {{1, 2}, {4, 3}}, // top
        {{2, 1}, {4, 3}}, // bottom
        {{3, 4}, {2, 1}}, // left
        {{4, 3}, {2, 1}}, // right or floating
    };
    int nSide = ExtDragSides::IndexOfId(GetDockBarId());
    if (nSide < 0)
        nSide = ExtDragSides::RIGHT;
    State state(pBar);
    state.m_bEmpty = false;
    state.m_nCode = CODES[nSide][bAlongRow ? 1 : 0][bSecond ? 1 : 0];
    state.SetTarget(this);
    GetWindowRect(&state.m_rcTrack);
    const bool bResult = pBar->ApplyDragResult(state, true);
    CFrameWnd* pSite = pFrame != nullptr ? pFrame : m_pDockSite;
    if (pSite != nullptr) {
        if (bRecalc)
            pSite->RecalcLayout();
        else
            pSite->DelayRecalcLayout();
        RefreshControlContainerFlags(pSite);
    }
    return bResult;
}
