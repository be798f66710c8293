// The non-client area of a docked bar: caption and splitter strips laid out, painted and hit
// tested, caption-button tracking and the idle caption state.
#include "ui/bars/ExtControlBar.h"

#include "platform/mfc/DockBar.h"
#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDynAutoHideSlider.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

using namespace ExtBarDetail;

namespace
{
constexpr int kControlFaceColorId = 1000;

bool IsLayoutRightToLeft()
{
    return (g_ResourceManagerHolder->GetLayout() & 1) != 0;
}
} // namespace

CExtControlBar::SplitterEdges CExtControlBar::QuerySplitterEdges() const
{
    SplitterEdges edges;
    if (IsFixedSizeBar() || m_pDockSite == nullptr || !IsKindOfNamed(m_pDockBar, kDockBar))
        return edges;
    if (IsKindOfNamed(m_pDockBar, kDockDynTabBar)) {
        edges.bLeft = edges.bTop = edges.bRight = false;
        return edges;
    }
    int nEntries = 0;
    for (int i = 0; i < m_pDockBar->m_arrBars.GetSize(); ++i)
        if (m_pDockBar->m_arrBars[i] != nullptr)
            ++nEntries;
    if (nEntries == 1)
        return edges;
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return edges;
    const RowSpan row = RowAround(m_pDockBar, nThis);
    const bool bHasPrevInRow = HasVisibleBar(m_pDockBar, row.nFirst, nThis - 1);
    const bool bHasNextInRow = HasVisibleBar(m_pDockBar, nThis + 1, row.nLast);
    const UINT nDockId = static_cast<UINT>(m_pDockBar->GetDlgCtrlID());
    const bool bRows = nDockId == DOCKBAR_TOP || nDockId == DOCKBAR_BOTTOM;
    if (IsKindOfNamed(m_pDockBar, kDockDynBar)) {
        const bool bEarlierRow = HasVisibleBar(m_pDockBar, 0, row.nFirst - 1);
        const bool bLaterRow = HasVisibleBar(m_pDockBar, row.nLast + 1, static_cast<int>(m_pDockBar->m_arrBars.GetSize()) - 1);
        if (bRows) {
            edges.bTop = bEarlierRow;
            edges.bBottom = bLaterRow;
            edges.bLeft = bHasPrevInRow;
            edges.bRight = bHasNextInRow;
        } else {
            edges.bLeft = bEarlierRow;
            edges.bRight = bLaterRow;
            edges.bTop = bHasPrevInRow;
            edges.bBottom = bHasNextInRow;
        }
        return edges;
    }
    // A frame's dock bar: the strip towards the frame's centre stays; the in-row strip goes
    // when no visible bar follows in the row.
    if (!bHasNextInRow) {
        if (bRows)
            edges.bRight = false;
        else
            edges.bBottom = false;
    }
    return edges;
}

bool CExtControlBar::HasLeadSplitter() const
{
    // Directly after a fixed-size (or foreign) bar, with a resizable bar earlier in the row.
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return false;
    const RowSpan row = RowAround(m_pDockBar, nThis);
    int nPrev = nThis - 1;
    while (nPrev >= row.nFirst && !IsVisibleInRow(BarAt(m_pDockBar, nPrev)))
        --nPrev;
    if (nPrev < row.nFirst || AsResizableBar(BarAt(m_pDockBar, nPrev)) != nullptr)
        return false;
    for (int i = nPrev - 1; i >= row.nFirst; --i) {
        CControlBar* pBar = BarAt(m_pDockBar, i);
        if (IsVisibleInRow(pBar) && AsResizableBar(pBar) != nullptr)
            return true;
    }
    return false;
}

void CExtControlBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    if (m_pDockBar == nullptr && !m_bInDialog)
        return;
    CRect& rcClient = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
    if (IsFloating()) {
        if (!IsFixedSizeBar())
            rcClient.DeflateRect(1, 1);
        return;
    }
    const CRect rcWindow(rcClient);
    m_rcCaption.SetRectEmpty();
    m_rcRowSplitter.SetRectEmpty();
    m_rcInRowSplitter.SetRectEmpty();
    m_rcLeadSplitter.SetRectEmpty();
    m_nNcWidth = m_nSplitterWidth;
    m_nNcHeight = m_nSplitterHeight;
    bool bAlongTop = false;
    const bool bCaption = QueryGripper(&bAlongTop, nullptr);
    const UINT nDockId = GetDockBarId();
    if (IsFixedSizeBar()) {
        g_PaintManagerHolder->AdjustBarClientRect(this, rcClient);
    } else {
        const SplitterEdges edges = QuerySplitterEdges();
        const bool bLead = HasLeadSplitter();
        // Strips in window coordinates; each is cut off the client rectangle.
        auto cut = [&](CRect& rcField, bool bHorizontalStrip, bool bAtStart) {
            CRect rc(rcClient);
            if (bHorizontalStrip) {
                if (bAtStart) {
                    rc.bottom = rc.top + m_nSplitterHeight;
                    rcClient.top += m_nSplitterHeight;
                } else {
                    rc.top = rc.bottom - m_nSplitterHeight;
                    rcClient.bottom -= m_nSplitterHeight;
                }
            } else {
                if (bAtStart) {
                    rc.right = rc.left + m_nSplitterWidth;
                    rcClient.left += m_nSplitterWidth;
                } else {
                    rc.left = rc.right - m_nSplitterWidth;
                    rcClient.right -= m_nSplitterWidth;
                }
            }
            rc.OffsetRect(-rcWindow.left, -rcWindow.top);
            rcField = rc;
        };
        switch (nDockId) {
        case DOCKBAR_TOP:
        case DOCKBAR_BOTTOM: {
            const bool bTop = nDockId == DOCKBAR_TOP;
            if (bTop ? edges.bBottom : edges.bTop)
                cut(m_rcRowSplitter, true, !bTop);
            if (edges.bRight)
                cut(m_rcInRowSplitter, false, false);
            if (bLead && edges.bLeft)
                cut(m_rcLeadSplitter, false, true);
            break;
        }
        case DOCKBAR_LEFT:
        case DOCKBAR_RIGHT: {
            const bool bLeft = nDockId == DOCKBAR_LEFT;
            if (bLeft ? edges.bRight : edges.bLeft)
                cut(m_rcRowSplitter, false, !bLeft);
            if (edges.bBottom)
                cut(m_rcInRowSplitter, true, false);
            if (bLead && edges.bTop)
                cut(m_rcLeadSplitter, true, true);
            break;
        }
        default:
            break;
        }
        // The row splitter spans the whole proposed window across the row.
        if (!m_rcRowSplitter.IsRectEmpty()) {
            if (m_rcRowSplitter.Height() == m_nSplitterHeight && nDockId != DOCKBAR_LEFT && nDockId != DOCKBAR_RIGHT) {
                m_rcRowSplitter.left = 0;
                m_rcRowSplitter.right = rcWindow.Width();
            } else {
                m_rcRowSplitter.top = 0;
                m_rcRowSplitter.bottom = rcWindow.Height();
            }
        }
    }
    if (bCaption) {
        m_rcCaption = rcClient;
        m_rcCaption.OffsetRect(-rcWindow.left, -rcWindow.top);
        if (bAlongTop) {
            m_rcCaption.bottom = m_rcCaption.top + m_nCaptionHeight;
            m_nNcHeight += m_nCaptionHeight;
            if (IsFixedSizeBar())
                m_rcCaption.DeflateRect(1, 0);
        } else {
            m_rcCaption.right = m_rcCaption.left + m_nCaptionHeight;
            m_nNcWidth += m_nCaptionHeight;
            if (IsFixedSizeBar())
                m_rcCaption.DeflateRect(0, 1);
        }
        if (IsFixedSizeBar()) {
            // A fixed-size bar's caption keeps one pixel away from the dock edge.
            switch (nDockId) {
            case DOCKBAR_LEFT: m_rcCaption.left += 1; break;
            case DOCKBAR_TOP: m_rcCaption.top += 1; break;
            case DOCKBAR_RIGHT: m_rcCaption.right -= 1; break;
            case DOCKBAR_BOTTOM: m_rcCaption.bottom -= 1; break;
            default: break;
            }
        }
    }
    CreateNcButtons();
    LayoutNcButtons();
    if (bCaption) {
        if (bAlongTop)
            rcClient.top += m_nCaptionHeight + 1;
        else
            rcClient.left += m_nCaptionWidth + 1;
    }
    if (rcClient.bottom < rcClient.top)
        rcClient.bottom = rcClient.top;
    if (rcClient.right < rcClient.left)
        rcClient.right = rcClient.left;
}

void CExtControlBar::GetCaptionTextRect(RECT& rc) const
{
    if (m_arrNcButtons.GetSize() == 0)
        return;
    CExtControlBar* pThis = const_cast<CExtControlBar*>(this);
    bool bAlongTop = false;
    const bool bFloating = IsFloating() != FALSE;
    if (!bFloating && !pThis->QueryGripper(&bAlongTop, nullptr))
        return;
    const bool bVertical = !bFloating && IsDockedAtTopOrBottom() && !m_bCaptionAlongTop;
    const CExtBarNcAreaButton* pLast = nullptr;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i)
        if (m_arrNcButtons[i]->OnQueryVisibility())
            pLast = m_arrNcButtons[i];
    if (pLast == nullptr)
        return;
    if (bVertical) {
        rc.top = std::min<LONG>(pLast->m_rc.bottom + 1, rc.bottom);
    } else if (IsLayoutRightToLeft()) {
        rc.left = pLast->m_rc.right + 1;
        if (rc.right < rc.left)
            rc.right = rc.left;
    } else {
        rc.right = pLast->m_rc.left - 1;
        if (rc.left > rc.right)
            rc.left = rc.right;
    }
}

void CExtControlBar::CreateNcButtons()
{
    if (m_arrNcButtons.GetSize() != 0)
        return;
    m_arrNcButtons.Add(new CExtBarNcAreaButtonClose(this));
    m_arrNcButtons.Add(new CExtBarNcAreaButtonAutoHide(this));
    m_arrNcButtons.Add(new CExtBarNcAreaButtonMenu(this));
}

void CExtControlBar::LayoutNcButtons()
{
    CExtBarNcAreaButton* pPrevVisible = nullptr;
    CExtBarNcAreaButton* pFirstVisible = nullptr;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
        CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
        pButton->OnNcAreaReposition(pPrevVisible);
        if (pButton->OnQueryVisibility()) {
            pPrevVisible = pButton;
            if (pFirstVisible == nullptr)
                pFirstVisible = pButton;
        }
    }
    if (pFirstVisible == nullptr || !IsLayoutRightToLeft())
        return;
    CRect rcCaption;
    if (!pFirstVisible->GetNcAreaInfo(&rcCaption, nullptr))
        return;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
        CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
        if (!pButton->OnQueryVisibility())
            continue;
        const int nWidth = pButton->m_rc.Width();
        pButton->m_rc.left = rcCaption.left + rcCaption.right - pButton->m_rc.right;
        pButton->m_rc.right = pButton->m_rc.left + nWidth;
    }
}

void CExtControlBar::PaintNcButtons(CDC& dc)
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i)
        if (m_arrNcButtons[i]->OnQueryVisibility())
            m_arrNcButtons[i]->OnNcDraw(dc);
}

void CExtControlBar::OnNcPaint()
{
    if ((m_pDockBar == nullptr && !m_bInDialog) || IsFloating())
        return;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
    rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
    const HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == nullptr)
        return;
    ::ExcludeClipRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    CDC* pWindowDC = CDC::FromHandle(hDC);
    {
        CExtMemoryDC dc(pWindowDC, &rcWnd, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
        if (!(g_PaintManagerHolder->HasBackgroundBehindControls(this, 0)
              && g_PaintManagerHolder->DrawBackgroundBehind(false, dc, this)))
            dc.FillSolidRect(&rcWnd, g_PaintManagerHolder->ColorByIndex(kControlFaceColorId, this));
        CExtDrawBarFrameArgs frameArgs(this, rcWnd, rcClient, false, !IsFixedSizeBar(), IsFixedSizeBar());
        g_PaintManagerHolder->DrawBarFrame(dc, frameArgs);
        bool bAlongTop = false;
        if (QueryGripper(&bAlongTop, nullptr)) {
            CRect rcText(m_rcCaption);
            if (IsDockedAtLeftOrRight() || m_bCaptionAlongTop) {
                rcText.InflateRect(-2, 0);
            } else {
                rcText.InflateRect(0, -2);
                rcText.OffsetRect(-2, 0);
            }
            GetCaptionTextRect(rcText);
            CString sText;
            GetCaptionText(0, sText);
            CRgn rgnClip;
            rgnClip.CreateRectRgnIndirect(&m_rcCaption);
            dc.SelectClipRgn(&rgnClip);
            const bool bVerticalText = IsDockedAtTopOrBottom() && !bAlongTop;
            CExtDrawBarCaptionArgs captionArgs(this, m_rcCaption, rcText, m_bCaptionActive, false, bVerticalText,
                                               !IsFixedSizeBar(), sText.IsEmpty() ? nullptr : (LPCSTR)sText);
            if (IsLayoutRightToLeft())
                captionArgs.m_nPainted |= CExtDrawBarCaptionArgs::PAINTED_RIGHT_TO_LEFT;
            g_PaintManagerHolder->DrawBarCaption(dc, captionArgs);
            PaintNcButtons(dc);
            dc.SelectClipRgn(nullptr);
        }
    }
    ::ReleaseDC(m_hWnd, hDC);
    g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

UINT CExtControlBar::HitTestNcButtons(int xScreen, int yScreen, CExtBarNcAreaButton** ppButton)
{
    if (ppButton != nullptr)
        *ppButton = nullptr;
    HWND hWndReference = m_hWnd;
    if (IsFloating()) {
        CFrameWnd* pFrame = GetParentFrame();
        if (!IsKindOfNamed(pFrame, kMiniDockFrameWnd))
            return HTCLIENT;
        hWndReference = pFrame->GetSafeHwnd();
    } else if (m_bAutoHidden) {
        // An auto-hidden bar's buttons lie in the caption of the slider showing it.
        CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::FindShowingSlider(this);
        if (pSlider == nullptr || !pSlider->IsWindowVisible())
            return HTCLIENT;
        hWndReference = pSlider->GetSafeHwnd();
    }
    if (GetDraggedBar() != nullptr || CExtPopupMenuWnd::IsTrackingActive() || m_arrNcButtons.GetSize() == 0)
        return HTCLIENT;
    CRect rcReference;
    ::GetWindowRect(hWndReference, &rcReference);
    const CPoint ptWnd(xScreen - rcReference.left, yScreen - rcReference.top);
    const bool bTracking = m_bDragging || m_bRowResizing || m_bRowRecalcing;
    bool bRepaint = false;
    UINT nResult = HTCLIENT;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
        CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
        if (!pButton->OnQueryVisibility())
            continue;
        if ((pButton->m_bHover || pButton->m_bPushed) && ppButton == nullptr && bTracking) {
            pButton->m_bHover = false;
            pButton->m_bPushed = false;
            bRepaint = true;
            continue;
        }
        const UINT nHit = pButton->OnNcAreaHitTest(ptWnd);
        if (nHit == HTCLIENT)
            continue;
        if (ppButton != nullptr) {
            *ppButton = pButton;
            return nHit;
        }
        bRepaint = true;
        nResult = nHit;
    }
    if (bRepaint)
        ::SendMessageA(hWndReference, WM_NCPAINT, 0, 0);
    return nResult;
}

void CExtControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/)
{
    if (m_bInDialog || m_bRowResizing || m_bRowRecalcing || m_bDragging || GetDraggedBar() != nullptr
        || !IsWindowVisible())
        return;
    CPoint ptCursor;
    if (!::GetCursorPos(&ptCursor))
        return;
    const bool bOldHover = m_bNcButtonHover;
    const bool bOldActive = m_bCaptionActive;
    m_bNcButtonHover = HitTestNcButtons(ptCursor.x, ptCursor.y, nullptr) != HTCLIENT;
    const HWND hWndFocus = ::GetFocus();
    m_bCaptionActive = hWndFocus != nullptr && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    if (bOldHover != m_bNcButtonHover || bOldActive != m_bCaptionActive) {
        SendMessage(WM_NCPAINT);
        if (HWND hWndParent = ::GetParent(m_hWnd))
            ::SendMessageA(hWndParent, WM_NCPAINT, 0, 0);
    }
}

LRESULT CExtControlBar::OnNcHitTest(CPoint point)
{
    if (GetDraggedBar() != nullptr)
        return HTNOWHERE;
    const UINT nButtonHit = HitTestNcButtons(point.x, point.y, nullptr);
    if (nButtonHit != HTCLIENT) {
        m_bNcButtonHover = true;
        return nButtonHit;
    }
    if (m_bNcButtonHover)
        ::PostMessageA(m_hWnd, WM_NCPAINT, 0, 0);
    m_bNcButtonHover = false;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (IsFixedSizeBar() || IsFloating() || rcWnd == rcClient)
        return HTCLIENT;
    const CPoint ptWnd(point.x - rcWnd.left, point.y - rcWnd.top);
    const bool bTopOrBottom = IsDockedAtTopOrBottom();
    if (m_rcRowSplitter.PtInRect(ptWnd))
        return bTopOrBottom ? HTBOTTOM : HTRIGHT;
    if (m_rcInRowSplitter.PtInRect(ptWnd) && !IsLastVisibleInRow(true) && IsInRowSplitterActive())
        return bTopOrBottom ? HTRIGHT : HTBOTTOM;
    if (m_rcLeadSplitter.PtInRect(ptWnd) && !IsFirstVisibleInRow(true) && IsLeadSplitterActive())
        return bTopOrBottom ? HTLEFT : HTTOP;
    return HTCLIENT;
}

void CExtControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsFixedSizeBar() || IsFloating())
        return;
    if (nHitTest != HTLEFT && nHitTest != HTBOTTOM && !IsCollapsedInRow()) {
        CExtBarNcAreaButton* pButton = nullptr;
        HitTestNcButtons(point.x, point.y, &pButton);
        if (pButton == nullptr)
            SetFocus();
    }
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (rcWnd == rcClient)
        return;
    const CPoint ptWnd(point.x - rcWnd.left, point.y - rcWnd.top);
    if (m_rcRowSplitter.PtInRect(ptWnd)) {
        RowResizingStart();
    } else if (m_rcInRowSplitter.PtInRect(ptWnd)) {
        m_bTrackingLeadSplitter = false;
        if (IsInRowSplitterActive())
            RowRecalcingStart();
    } else if (m_rcLeadSplitter.PtInRect(ptWnd) && IsLeadSplitterActive()) {
        m_bTrackingLeadSplitter = true;
        RowRecalcingStart();
    }
}

void CExtControlBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (m_bNcButtonHover) {
        CRect rcWnd;
        GetWindowRect(&rcWnd);
        const CPoint ptWnd(point.x - rcWnd.left, point.y - rcWnd.top);
        for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
            CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
            if (pButton->OnQueryVisibility() && pButton->OnNcAreaClicked(ptWnd))
                break;
        }
        return;
    }
    if (m_bRowResizing)
        RowResizingStop(false);
    else if (m_bRowRecalcing)
        RowRecalcingStop(false);
    if (!m_bDragging)
        CControlBar::OnNcLButtonUp(nHitTest, point);
}

void CExtControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION && m_pDockBar != nullptr && !IsFloating()) {
        ToggleDockedFloating();
        return;
    }
    CControlBar::OnNcLButtonDblClk(nHitTest, point);
}
