#include "ui/bars/ExtControlBarDragState.h"

#include "ui/bars/ExtDynDockHighlightWnd.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include <algorithm>

CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateOld;
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateNew;

CExtControlBar::InternalDraggingState_t::InternalDraggingState_t(CExtControlBar* pBar)
    : m_bEmpty(true), m_bAlternate(false), m_pBar(pBar)
{
    m_rcTrack.SetRectEmpty();
}

CExtControlBar::InternalDraggingState_t::InternalDraggingState_t(const InternalDraggingState_t& other)
    : CObject(), m_bEmpty(other.m_bEmpty), m_bAlternate(other.m_bAlternate), m_nCode(other.m_nCode),
      m_nCursorHint(other.m_nCursorHint), m_nRing(other.m_nRing), m_rcTrack(other.m_rcTrack), m_pBar(other.m_pBar),
      m_pTarget(other.m_pTarget), m_nTabIndex(other.m_nTabIndex)
{
}

CExtControlBar::InternalDraggingState_t&
CExtControlBar::InternalDraggingState_t::operator=(const InternalDraggingState_t& other)
{
    Assign(other);
    return *this;
}

CExtControlBar::InternalDraggingState_t::~InternalDraggingState_t() = default;

bool CExtControlBar::InternalDraggingState_t::IsEqual(const InternalDraggingState_t& other) const
{
    return m_bEmpty == other.m_bEmpty && m_nCode == other.m_nCode && m_nRing == other.m_nRing &&
           m_rcTrack == other.m_rcTrack && m_pBar == other.m_pBar && m_pTarget == other.m_pTarget &&
           m_bAlternate == other.m_bAlternate && m_nTabIndex == other.m_nTabIndex;
}

void CExtControlBar::InternalDraggingState_t::Assign(const InternalDraggingState_t& other)
{
    if (this == &other)
        return;
    if (m_pTarget != other.m_pTarget)
        CExtDynTabControlBar::DropTemporaryTabsOf(m_pTarget);
    m_bEmpty = other.m_bEmpty;
    m_bAlternate = other.m_bAlternate;
    m_nCode = other.m_nCode;
    m_nCursorHint = other.m_nCursorHint;
    m_nRing = other.m_nRing;
    m_rcTrack = other.m_rcTrack;
    m_pBar = other.m_pBar;
    m_pTarget = other.m_pTarget;
    m_nTabIndex = other.m_nTabIndex;
}

CWnd* CExtControlBar::InternalDraggingState_t::SetTarget(CWnd* pTarget, bool)
{
    CWnd* pOld = m_pTarget;
    m_pTarget = pTarget;
    m_nTabIndex = 0;
    return pOld;
}

int CExtControlBar::InternalDraggingState_t::HitTestTargetTabs(POINT ptScreen)
{
    // Only a tabbed group's visible tab strip has tabs to hit; without one the first tab is meant.
    m_nTabIndex = 0;
    if (CExtDynTabControlBar* pGroup = CExtDynTabControlBar::FromDragTarget(m_pTarget))
        if (pGroup->m_wndTabSwitcher.IsWindowVisible())
            m_nTabIndex = std::max(0, pGroup->m_wndTabSwitcher.TabIndexFromScreenPoint(ptScreen));
    return m_nTabIndex;
}

void CExtControlBar::InternalDraggingState_t::SetTrackingRect(const RECT& rc)
{
    m_rcTrack = rc;
}

int CExtControlBar::InternalDraggingState_t::GetTabIndex() const
{
    return (m_nCode == CODE_TAB_AT_INDEX || m_nCode == CODE_TAB_AT_INDEX_MARKER) ? m_nTabIndex : -1;
}

void CExtControlBar::InternalDraggingState_t::Reset()
{
    // Analysis clears the target at every step; only the drag's end drops the proposal's tab.
    CExtDynTabControlBar::DropTemporaryTabsOf(m_pTarget);
    SetTarget(nullptr);
    m_bEmpty = true;
    m_nTabIndex = 0;
    m_nCursorHint = 0;
    m_rcTrack.SetRectEmpty();
}

void CExtControlBar::InternalDraggingState_t::FloatBarAt(int x, int y)
{
    g_DragStateNew.m_nCursorHint = 0;
    CExtControlBar* pBar = m_pBar;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    const int t = std::min(pBar->m_rcCaption.Width(), pBar->m_rcCaption.Height());
    x -= t;
    y -= t / 2;
    auto takeCaptureBack = [pBar]() {
        if (::GetCapture() != pBar->GetSafeHwnd())
            pBar->SetMouseCapture(pBar->GetSafeHwnd());
    };
    if (pBar->IsInFloatingFrame()) {
        CFrameWnd* pFrame = pBar->GetParentFrame();
        if (pFrame == nullptr)
            return;
        CRect rcFrame;
        pFrame->GetWindowRect(&rcFrame);
        const CPoint corner(x - pBar->m_ptGrabFloating.x, y - pBar->m_ptGrabFloating.y);
        pFrame->MoveWindow(corner.x, corner.y, rcFrame.Width(), rcFrame.Height(), TRUE);
        if (!pBar->IsDockedInFrameOnly())
            pFrame->BringWindowToTop();
        pFrame->DelayRecalcLayout();
        if (pBar->m_pDockContext != nullptr)
            pBar->m_pDockContext->m_ptMRUFloatPos = corner;
        takeCaptureBack();
        return;
    }
    pBar->m_ptFloatPos = CPoint(x, y);
    takeCaptureBack();
    pBar->FloatAt(x, y, CBRS_ALIGN_TOP);
    if (pBar->m_pDockContext != nullptr)
        pBar->m_pDockContext->m_ptMRUFloatPos = pBar->m_ptFloatPos;
    takeCaptureBack();
}

// --- Tracked areas ----------------------------------------------------------------------------

void CExtControlBar::TrackedArea_t::DrawTrackedArea(CBrush* pBrush, DWORD dwRop)
{
    if (m_pDC == nullptr || m_rcArea.IsRectEmpty())
        return;
    CBrush* pOldBrush = pBrush != nullptr ? m_pDC->SelectObject(pBrush) : nullptr;
    if (m_nAreaKind == KIND_BAND || m_nAreaKind == KIND_RECT) {
        m_pDC->PatBlt(m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), dwRop);
    } else {
        const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
        const int cyFrame = ::GetSystemMetrics(SM_CYFRAME);
        CRgn rgn;
        rgn.CreateRectRgnIndirect(&m_rcArea);
        auto cutOut = [&rgn](const CRect& rcHole) {
            if (rcHole.IsRectEmpty())
                return;
            CRgn hole;
            hole.CreateRectRgnIndirect(&rcHole);
            rgn.CombineRgn(&rgn, &hole, RGN_DIFF);
        };
        if (m_nAreaKind == KIND_FRAME) {
            CRect rcInside(m_rcArea);
            rcInside.DeflateRect(cxFrame, cyFrame);
            cutOut(rcInside);
        } else {
            CWnd* pSite = m_pBar != nullptr ? reinterpret_cast<CWnd*>(m_pBar->m_pDockSite) : nullptr;
            const bool bRtl = pSite != nullptr && (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
            RECT body{}, tab{};
            CExtDynDockHighlightWnd::CalcTabShape(m_rcArea, bRtl, cxFrame + CExtDynDockHighlightWnd::TAB_INDENT,
                                                  body, tab);
            const CRect rcBody(body), rcTab(tab);
            CRect rcBodyInside(rcBody);
            rcBodyInside.DeflateRect(cxFrame, cyFrame);
            cutOut(rcBodyInside);
            // The strip beside the tab; the tab's inside opens into the body's.
            cutOut(CRect(m_rcArea.left, rcBody.bottom, rcTab.left, m_rcArea.bottom));
            cutOut(CRect(rcTab.right, rcBody.bottom, m_rcArea.right, m_rcArea.bottom));
            cutOut(CRect(rcTab.left + cxFrame, rcBody.bottom - cyFrame, rcTab.right - cxFrame, rcTab.bottom - cyFrame));
        }
        m_pDC->SelectClipRgn(&rgn);
        m_pDC->PatBlt(m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), dwRop);
        m_pDC->SelectClipRgn(nullptr);
    }
    if (pOldBrush != nullptr)
        m_pDC->SelectObject(pOldBrush);
}

bool CExtControlBar::TrackedArea_t::OfferToFrame()
{
    m_bDrawnByFrame = false;
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return false;
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return false;
    pFrame->SendMessage(g_nMsgDrawTackedArea, reinterpret_cast<WPARAM>(this), 0);
    return m_bDrawnByFrame;
}

void CExtControlBar::TrackedArea_t::DrawOrOffer()
{
    if (OfferToFrame())
        return;
    DrawTrackedArea(CDC::GetHalftoneBrush(), PATINVERT);
}
