// The two resizes of docked bars: the row resize (the splitter between the bar's row and the
// next) and the in-row resize (the splitter between two bars of one row), their modal loop and
// their trackers.
#include "ui/bars/ExtControlBar.h"

#include "platform/mfc/DockBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtPaintManager.h"

using namespace ExtBarDetail;

namespace
{
constexpr UINT kDockBarRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
constexpr DWORD kTrackerDcFlags = DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE;

// Messages that cancel a running resize, besides the keys and the right and middle buttons.
bool IsResizeCancelMessage(UINT message, bool bRowResize)
{
    if (message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR)
        return true;
    switch (message) {
    case WM_ACTIVATEAPP:
    case WM_CANCELMODE:
    case WM_CONTEXTMENU:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    case WM_NCLBUTTONUP:
        return bRowResize;
    case WM_NCLBUTTONDOWN:
        return !bRowResize;
    default:
        return false;
    }
}

// The tracked-area record a frame may draw a tracker band with itself.
struct TrackedArea
{
    CExtControlBar* m_pBar;
    CDC* m_pDC;
    int m_nAreaKind;
    RECT m_rcArea;
    BYTE m_nFlags;
};
constexpr int kAreaBand = 0;
constexpr BYTE kAreaErase = 0x01;
constexpr BYTE kAreaDrawnByFrame = 0x02;
} // namespace

void CExtControlBar::RowResizingStart()
{
    CWnd::CancelToolTips(TRUE);
    m_bRowResizing = true;
    SetMouseCapture(m_hWnd);
    m_nTrackValue = GetRowThickness();
    if (!IsShowContentWhenRowResizing()) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        m_nTrackPos = IsDockedAtLeftOrRight() ? ptCursor.x : ptCursor.y;
        DrawRowResizeTracker(false);
    }
    RunResizeLoop(true);
}

void CExtControlBar::RowResizingUpdateState()
{
    if (!m_bRowResizing || m_pDockSite == nullptr)
        return;
    CRect rcSite;
    m_pDockSite->GetWindowRect(&rcSite);
    const int nMaxH = rcSite.Height() - GetMinimalHeight();
    const int nMaxW = rcSite.Width() - GetMinimalWidth();
    if (nMaxH <= 0 || nMaxW <= 0)
        return;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    int nThickness = 0;
    int nRaw = 0;
    if (IsDockedAtTopOrBottom()) {
        const int y = ptCursor.y - rcWnd.top;
        const int nHalf = m_rcRowSplitter.Height() / 2;
        nThickness = IsDockedAtBottom() ? m_sizeDockedHorz.cy + nHalf - y : nHalf + y;
        nThickness = std::min(std::max(nThickness, 2 * GetMinimalHeight()), nMaxH);
        nRaw = ptCursor.y;
    } else {
        const int x = ptCursor.x - rcWnd.left;
        const int nHalf = m_rcRowSplitter.Width() / 2;
        nThickness = IsDockedAtRight() ? m_sizeDockedVert.cx + nHalf - x : nHalf + x;
        nThickness = std::min(std::max(nThickness, 2 * GetMinimalWidth()), nMaxW);
        nRaw = ptCursor.x;
    }
    if (IsShowContentWhenRowResizing()) {
        if (nThickness == GetRowThickness())
            return;
        SetRowThicknessOfRow(nThickness);
        m_pDockSite->RecalcLayout(TRUE);
        RelayoutDockBar(m_pDockSite, m_pDockBar);
        CExtPaintManager::DispatchPendingPaintMessages(true, true, true);
        return;
    }
    if (nThickness == m_nTrackValue && nRaw == m_nTrackPos)
        return;
    m_nTrackValue = nThickness;
    DrawRowResizeTracker(true);
    m_nTrackPos = nRaw;
    DrawRowResizeTracker(false);
}

void CExtControlBar::RowResizingStop(bool bCancel)
{
    if (!m_bRowResizing)
        return;
    m_bRowResizing = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (IsShowContentWhenRowResizing())
        return;
    DrawRowResizeTracker(true);
    const int nOldThickness = FirstResizableThicknessOfRow();
    if (!bCancel && m_nTrackValue != GetRowThickness()) {
        SetRowThicknessOfRow(m_nTrackValue);
        // The neighbour row on the frame's centre side gives or takes the difference.
        const bool bNext = !(IsDockedAtBottom() || IsDockedAtRight());
        CArray<CExtControlBar*, CExtControlBar*> arrNeighbours;
        GetAdjacentRowInfo(bNext, arrNeighbours);
        const int nDelta = nOldThickness - m_nTrackValue;
        for (INT_PTR i = 0; i < arrNeighbours.GetSize(); ++i)
            if (!arrNeighbours[i]->IsFixedSizeBar())
                arrNeighbours[i]->SetRowThickness(arrNeighbours[i]->GetRowThickness() + nDelta);
        if (m_pDockSite != nullptr)
            m_pDockSite->RecalcLayout(TRUE);
    }
    if (m_pDockBar != nullptr && m_pDockBar->GetSafeHwnd() != nullptr)
        m_pDockBar->RedrawWindow(nullptr, nullptr, kDockBarRedraw);
}

int CExtControlBar::FirstResizableThicknessOfRow() const
{
    CArray<CExtControlBar*, CExtControlBar*> arrRow;
    GetRowInfo(arrRow);
    for (INT_PTR i = 0; i < arrRow.GetSize(); ++i)
        if (!arrRow[i]->IsFixedSizeBar())
            return arrRow[i]->GetRowThickness();
    return GetRowThickness();
}

void CExtControlBar::SetRowThicknessOfRow(int nThickness)
{
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0) {
        SetRowThickness(nThickness);
        return;
    }
    const RowSpan row = RowAround(m_pDockBar, nThis);
    for (int i = row.nFirst; i <= row.nLast; ++i)
        if (CExtControlBar* pBar = AsResizableBar(BarAt(m_pDockBar, i)))
            pBar->SetRowThickness(nThickness);
}

void CExtControlBar::RowRecalcingStart()
{
    CWnd::CancelToolTips(TRUE);
    m_bRowRecalcing = true;
    SetMouseCapture(m_hWnd);
    if (!IsShowContentWhenRowRecalcing()) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        m_nTrackPos = IsDockedAtLeftOrRight() ? ptCursor.y : ptCursor.x;
        m_nTrackValue = 0;
        DrawRowRecalcTracker(false);
    }
    RunResizeLoop(false);
}

void CExtControlBar::RowRecalcingUpdateState()
{
    if (!m_bRowRecalcing)
        return;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    const bool bHorz = !IsDockedAtLeftOrRight();
    const int nPos = bHorz ? ptCursor.x - rcWnd.left : ptCursor.y - rcWnd.top;
    const int nOldExtent = GetRowExtent();
    const CRect& rcSplitter = m_bTrackingLeadSplitter ? m_rcLeadSplitter : m_rcInRowSplitter;
    const int nHalf = (bHorz ? rcSplitter.Width() : rcSplitter.Height()) / 2;
    int nNewExtent = m_bTrackingLeadSplitter ? nOldExtent + nHalf - nPos : nPos + nHalf;
    nNewExtent = std::max(nNewExtent, GetMinimalExtent());
    const int nValue = nOldExtent - nNewExtent;
    if (IsShowContentWhenRowRecalcing()) {
        if (nValue == 0)
            return;
        m_nTrackValue = nValue;
        SetRowExtent(nNewExtent);
        GiveExtentToNeighbour(nValue);
        if (m_pDockSite != nullptr) {
            m_pDockSite->RecalcLayout(TRUE);
            RelayoutDockBar(m_pDockSite, m_pDockBar);
        }
        return;
    }
    if (nValue == m_nTrackValue)
        return;
    m_nTrackValue = nValue;
    int nLower = 0;
    int nUpper = 0;
    GetRecalcTrackerLimits(nLower, nUpper);
    DrawRowRecalcTracker(true);
    const int nCursor = bHorz ? ptCursor.x : ptCursor.y;
    m_nTrackPos = std::min(std::max(nCursor, nLower), nUpper);
    DrawRowRecalcTracker(false);
}

void CExtControlBar::GetRecalcTrackerLimits(int& nLower, int& nUpper) const
{
    const bool bHorz = !IsDockedAtLeftOrRight();
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CRect rcDock(rcWnd);
    if (m_pDockBar != nullptr)
        m_pDockBar->GetWindowRect(&rcDock);
    const int nThis = FindBarIndex(m_pDockBar, this);
    const RowSpan row = RowAround(m_pDockBar, nThis);
    auto minimalOf = [bHorz](CControlBar* pBar) {
        CExtControlBar* pResizable = AsResizableBar(pBar);
        if (pResizable != nullptr)
            return pResizable->GetMinimalExtent();
        CRect rc;
        pBar->GetWindowRect(&rc);
        return bHorz ? rc.Width() : rc.Height();
    };
    if (m_bTrackingLeadSplitter) {
        nLower = bHorz ? rcDock.left : rcDock.top;
        for (int i = row.nFirst; i <= nThis && nThis >= 0; ++i)
            if (CControlBar* pBar = BarAt(m_pDockBar, i); IsVisibleInRow(pBar))
                nLower += minimalOf(pBar);
        nUpper = (bHorz ? rcWnd.right : rcWnd.bottom) - GetMinimalExtent();
    } else {
        nLower = (bHorz ? rcWnd.left : rcWnd.top) + GetMinimalExtent();
        nUpper = bHorz ? rcDock.right : rcDock.bottom;
        for (int i = nThis + 1; i <= row.nLast && nThis >= 0; ++i)
            if (CControlBar* pBar = BarAt(m_pDockBar, i); IsVisibleInRow(pBar))
                nUpper -= minimalOf(pBar);
    }
}

void CExtControlBar::GiveExtentToNeighbour(int nValue)
{
    CExtControlBar* pNeighbour = NeighbourInRow(m_bTrackingLeadSplitter ? -1 : 1, true);
    if (pNeighbour == nullptr)
        return;
    const int nMin = pNeighbour->GetMinimalExtent();
    int nExtent = pNeighbour->GetRowExtent() + nValue;
    if (nExtent < nMin) {
        // The neighbour stops at its minimal extent and this bar keeps the rest.
        SetRowExtent(GetRowExtent() - (nMin - nExtent));
        nExtent = nMin;
    }
    pNeighbour->SetRowExtent(nExtent);
}

void CExtControlBar::RowRecalcingStop(bool bCancel)
{
    if (!m_bRowRecalcing)
        return;
    m_bRowRecalcing = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (IsShowContentWhenRowRecalcing())
        return;
    DrawRowRecalcTracker(true);
    if (bCancel || m_nTrackValue == 0)
        return;
    SetRowExtent(std::max(GetRowExtent() - m_nTrackValue, GetMinimalExtent()));
    GiveExtentToNeighbour(m_nTrackValue);
    if (CFrameWnd* pFrame = GetDockSiteOrFrame())
        pFrame->RecalcLayout(TRUE);
}

void CExtControlBar::RunResizeLoop(bool bRowResize)
{
    auto running = [this, bRowResize]() { return bRowResize ? m_bRowResizing : m_bRowRecalcing; };
    auto cancel = [this, bRowResize]() {
        if (bRowResize)
            RowResizingStop(true);
        else
            RowRecalcingStop(true);
    };
    while (running() && ::IsWindow(m_hWnd)) {
        ::WaitMessage();
        MSG msg{};
        while (running() && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_QUIT) {
                // The quit stays queued for the main loop; the resize ends cancelled.
                cancel();
                return;
            }
            if (IsResizeCancelMessage(msg.message, bRowResize)) {
                cancel();
                break;
            }
            if (!AfxPumpMessage()) {
                cancel();
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
        }
    }
    if (running())
        cancel();
}

void CExtControlBar::DrawRowResizeTracker(bool bErase)
{
    if (m_pDockBar == nullptr || m_pDockBar->GetSafeHwnd() == nullptr)
        return;
    CRect rcBand;
    m_pDockBar->GetWindowRect(&rcBand);
    if (IsDockedAtLeftOrRight()) {
        const int nThick = std::max(1, m_rcRowSplitter.Width());
        rcBand.left = m_nTrackPos - nThick / 2;
        rcBand.right = rcBand.left + nThick;
    } else {
        const int nThick = std::max(1, m_rcRowSplitter.Height());
        rcBand.top = m_nTrackPos - nThick / 2;
        rcBand.bottom = rcBand.top + nThick;
    }
    DrawTrackerBand(rcBand, bErase);
}

void CExtControlBar::DrawRowRecalcTracker(bool bErase)
{
    CRect rcBand;
    GetWindowRect(&rcBand);
    const CRect& rcSplitter = m_bTrackingLeadSplitter ? m_rcLeadSplitter : m_rcInRowSplitter;
    if (IsDockedAtLeftOrRight()) {
        const int nThick = std::max(1, rcSplitter.Height());
        rcBand.top = m_nTrackPos - nThick / 2;
        rcBand.bottom = rcBand.top + nThick;
    } else {
        const int nThick = std::max(1, rcSplitter.Width());
        rcBand.left = m_nTrackPos - nThick / 2;
        rcBand.right = rcBand.left + nThick;
    }
    DrawTrackerBand(rcBand, bErase);
}

void CExtControlBar::DrawTrackerBand(const CRect& rcScreen, bool bErase)
{
    CFrameWnd* pFrame = GetDockSiteOrFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    const HWND hWndFrame = pFrame->GetSafeHwnd();
    const HDC hDC = ::GetDCEx(hWndFrame, nullptr, kTrackerDcFlags);
    if (hDC == nullptr)
        return;
    const DWORD dwOldLayout = ::GetLayout(hDC);
    ::SetLayout(hDC, 0);
    CRect rcFrame;
    ::GetWindowRect(hWndFrame, &rcFrame);
    CRect rcArea(rcScreen);
    rcArea.OffsetRect(-rcFrame.left, -rcFrame.top);
    CDC* pDC = CDC::FromHandle(hDC);
    TrackedArea area{this, pDC, kAreaBand, rcArea, static_cast<BYTE>(bErase ? kAreaErase : 0)};
    ::SendMessageA(hWndFrame, g_nMsgDrawTackedArea, reinterpret_cast<WPARAM>(&area), 0);
    if ((area.m_nFlags & kAreaDrawnByFrame) == 0) {
        CBrush* pBrush = CDC::GetHalftoneBrush();
        const HGDIOBJ hOldBrush = pBrush != nullptr ? ::SelectObject(hDC, pBrush->m_hObject) : nullptr;
        ::PatBlt(hDC, rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(), PATINVERT);
        if (hOldBrush != nullptr)
            ::SelectObject(hDC, hOldBrush);
    }
    ::SetLayout(hDC, dwOldLayout);
    ::ReleaseDC(hWndFrame, hDC);
}
