// Dragging a bar: the drag state, the drag loop, the drop analysis and applying the drop.
#include "ui/bars/ExtControlBarDragState.h"

namespace
{
// Codes of a drop into a tabbed group's tab strip.
constexpr int kCodeTabStripFirst = 29;
constexpr int kCodeTabStripLast = 30;
} // namespace

CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateOld;
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateNew;

CExtControlBar::InternalDraggingState_t::InternalDraggingState_t(CExtControlBar* pBar)
    : m_bEmpty(true), m_bAlternate(false), m_nCode(0), m_nCursorHint(0), m_nRing(0), m_rcTrack(0, 0, 0, 0),
      m_pBar(pBar), m_pTarget(nullptr), m_nTabIndex(0)
{
}

void CExtControlBar::InternalDraggingState_t::SetTrackingRect(const RECT& rc)
{
    m_rcTrack = rc;
}

int CExtControlBar::InternalDraggingState_t::GetTabIndex() const
{
    return m_nCode >= kCodeTabStripFirst && m_nCode <= kCodeTabStripLast ? m_nTabIndex : -1;
}

bool CExtControlBar::ApplyDragResult(InternalDraggingState_t& /*state*/, bool /*bFinal*/)
{
    return false;
}

void CExtControlBar::BeginDrag(const POINT& /*ptScreen*/, const POINT& /*ptGrabOffset*/, int /*nThresholdX*/,
                               int /*nThresholdY*/)
{
}

void CExtControlBar::EndDrag(bool /*bCancel*/)
{
    m_bDragging = false;
}

void CExtControlBar::DragStep(const POINT& /*ptScreen*/, bool /*bForceFloat*/) {}
