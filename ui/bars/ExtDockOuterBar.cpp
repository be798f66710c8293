#include "ui/bars/ExtDockOuterBar.h"

#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <climits>
#include <numeric>

using namespace ExtBarDetail;

namespace
{
// Rows overlap by one pixel; the dock bar's border adds one to what it asks for.
constexpr int kRowOverlap = 1;
constexpr int kBorderExtent = 1;
// A placement's first flag bit: the placement is only provisional.
constexpr DWORD kProvisionalPlacement = 0x1;

// Coordinates along and across a row: horizontal rows run along x, vertical ones along y.
struct RowAxis
{
    bool bHorz;
    int Start(const RECT& rc) const { return bHorz ? rc.left : rc.top; }
    int End(const RECT& rc) const { return bHorz ? rc.right : rc.bottom; }
    int CrossStart(const RECT& rc) const { return bHorz ? rc.top : rc.left; }
    int CrossEnd(const RECT& rc) const { return bHorz ? rc.bottom : rc.right; }
    int Along(SIZE size) const { return bHorz ? size.cx : size.cy; }
    int Across(SIZE size) const { return bHorz ? size.cy : size.cx; }
    void SetAlong(RECT& rc, int nStart, int nLength) const
    {
        (bHorz ? rc.left : rc.top) = nStart;
        (bHorz ? rc.right : rc.bottom) = nStart + nLength;
    }
    void SetCross(RECT& rc, int nStart, int nLength) const
    {
        (bHorz ? rc.top : rc.left) = nStart;
        (bHorz ? rc.bottom : rc.right) = nStart + nLength;
    }
    int Extent(const RECT& rc) const { return End(rc) - Start(rc); }
};

CExtControlBar* AsExtBar(CControlBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? static_cast<CExtControlBar*>(pBar) : nullptr;
}

// The placement record's first word is the bar's priority key in its row (1 the highest, 0 none
// yet: an empty record); its last word holds flags, bit 0 marking a provisional placement.
DWORD& PriorityKey(CExtControlBar::FixedBarPlacement_t& placement) { return placement.m_dwHasPlacement; }
bool IsProvisional(const CExtControlBar::FixedBarPlacement_t& placement)
{
    return (placement.m_dwPriority & kProvisionalPlacement) != 0;
}

CExtControlBar::FixedBarPlacement_t* PlacementOf(CControlBar* pBar)
{
    CExtControlBar* pExtBar = AsExtBar(pBar);
    return pExtBar != nullptr ? pExtBar->GetFixedBarPlacement() : nullptr;
}

bool IsResizableExtBar(CControlBar* pBar)
{
    CExtControlBar* pExtBar = AsExtBar(pBar);
    return pExtBar != nullptr && !pExtBar->IsFixedSizeBar();
}

// Items [nFirst, nLast] of a segment take one cross size, the largest (bars that float with a
// caption only, segments of two or more).
void EqualizeCross(CExtDockOuterBar::OuterItems& items, int nFirst, int nLast, const RowAxis& axis)
{
    if (nLast - nFirst < 1)
        return;
    int nCross = 0;
    for (int i = nFirst; i <= nLast; ++i)
        nCross = std::max(nCross, axis.CrossEnd(items[i].m_rcLayout) - axis.CrossStart(items[i].m_rcLayout));
    for (int i = nFirst; i <= nLast; ++i)
    {
        CExtControlBar* pExtBar = AsExtBar(items[i].m_pBar);
        if (pExtBar != nullptr && pExtBar->IsFloatingWithCaption())
            axis.SetCross(items[i].m_rcLayout, axis.CrossStart(items[i].m_rcLayout), nCross);
    }
}

// Moves item i towards nTarget along the row, pushing its neighbours: to the end no further
// than nLength, to the start no further than 0.
void PushItem(CExtDockOuterBar::OuterItems& items, int i, int nTarget, int nLength, const RowAxis& axis)
{
    const int n = static_cast<int>(items.size());
    int nDelta = nTarget - axis.Start(items[i].m_rcLayout);
    if (nDelta > 0)
    {
        int nSlack = nLength - axis.End(items[n - 1].m_rcLayout);
        for (int j = i + 1; j < n; ++j)
            nSlack += axis.Start(items[j].m_rcLayout) - axis.End(items[j - 1].m_rcLayout);
        nDelta = std::min(nDelta, std::max(0, nSlack));
        int nEdge = axis.Start(items[i].m_rcLayout) + nDelta;
        for (int j = i; j < n; ++j)
        {
            const int nStart = std::max(axis.Start(items[j].m_rcLayout), nEdge);
            const int nExtent = axis.Extent(items[j].m_rcLayout);
            axis.SetAlong(items[j].m_rcLayout, nStart, nExtent);
            nEdge = nStart + nExtent;
        }
    }
    else if (nDelta < 0)
    {
        int nSlack = axis.Start(items[0].m_rcLayout);
        for (int j = 1; j <= i; ++j)
            nSlack += axis.Start(items[j].m_rcLayout) - axis.End(items[j - 1].m_rcLayout);
        nDelta = std::max(nDelta, -std::max(0, nSlack));
        int nEdge = axis.End(items[i].m_rcLayout) + nDelta;
        for (int j = i; j >= 0; --j)
        {
            const int nExtent = axis.Extent(items[j].m_rcLayout);
            const int nEnd = std::min(axis.End(items[j].m_rcLayout), nEdge);
            axis.SetAlong(items[j].m_rcLayout, nEnd - nExtent, nExtent);
            nEdge = nEnd - nExtent;
        }
    }
}
}

IMPLEMENT_DYNAMIC(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_DISPLAYCHANGE()
    ON_WM_THEMECHANGED()
END_MESSAGE_MAP()

CExtDockOuterBar::CExtDockOuterBar() : CExtDockBar(0) {}

void CExtDockOuterBar::UpdateNestedLayout() { CExtDockBar::UpdateNestedLayout(); }

void CExtDockOuterBar::CollapseRedundantContainers() { CExtDockBar::CollapseRedundantContainers(); }

CExtDockOuterBar::OuterItems CExtDockOuterBar::RowItems(int nIndex, bool bHorz)
{
    OuterItems items;
    int nFirst = nIndex;
    while (nFirst > 1 && m_arrBars[nFirst - 1] != nullptr)
        --nFirst;
    for (int i = nFirst; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr)
            continue;
        OuterLayoutItemData item;
        item.m_pBar = pBar;
        item.m_bVisible = pBar->IsVisible() != FALSE;
        if (!item.m_bVisible)
        {
            items.push_back(item);
            continue;
        }
        item.m_size = pBar->CalcDynamicLayout(-1, CDockBar::LayoutModeOf(pBar));
        CRect rcWindow, rcClient;
        pBar->GetWindowRect(&rcWindow);
        pBar->GetClientRect(&rcClient);
        item.m_sizeMin = CSize(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
        if (CExtControlBar* pExtBar = AsExtBar(pBar))
        {
            if (pExtBar->IsFullRowBar())
            {
                const CSize sizeAvail = AvailableLayoutSize();
                (bHorz ? item.m_size.cx : item.m_size.cy) = bHorz ? sizeAvail.cx : sizeAvail.cy;
            }
            const CSize sizeMin = pExtBar->GetMinimalSize();
            item.m_sizeMin.cx += sizeMin.cx;
            item.m_sizeMin.cy += sizeMin.cy;
        }
        else
            item.m_sizeMin = item.m_size; // a plain bar cannot shrink
        item.m_rcCurrent = rcWindow;
        ScreenToClient(&item.m_rcCurrent);
        items.push_back(item);
    }
    return items;
}

CSize CExtDockOuterBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeTotal = CControlBar::CalcFixedLayout(bStretch, bHorz);
    (bHorz ? sizeTotal.cy : sizeTotal.cx) = 0;
    if (!bStretch)
        (bHorz ? sizeTotal.cx : sizeTotal.cy) = 0;
    const CSize sizeAvail = AvailableLayoutSize();
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    POINT ptPosition = {0, 0};
    for (int i = 1; i < m_arrBars.GetSize();)
    {
        // One row: the entries up to the next row break.
        OuterItems items = RowItems(i, bHorz != FALSE);
        while (i < m_arrBars.GetSize() && m_arrBars[i] != nullptr)
            ++i;
        ++i;
        if (items.empty())
            continue;
        int nRows = 0;
        bool bChanged = false;
        LayoutRow(sizeTotal, sizeAvail, ptPosition, bHorz != FALSE, &layout, items, &nRows, &bChanged);
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    if (sizeTotal.cx != 0 && sizeTotal.cx < 32767)
        sizeTotal.cx += kBorderExtent;
    if (sizeTotal.cy != 0 && sizeTotal.cy < 32767)
        sizeTotal.cy += kBorderExtent;
    if (!m_bLayoutQuery)
        UpdateNestedLayout();
    return sizeTotal;
}

void CExtDockOuterBar::LayoutRow(CSize& sizeTotal, SIZE sizeAvail, POINT& ptPosition, bool bHorz,
                                 AFX_SIZEPARENTPARAMS* pLayout, OuterItems& items, int* pnRowCount, bool* pbChanged)
{
    const RowAxis axis{bHorz};
    const int nAvail = axis.Along(sizeAvail);
    bool bChangedLocal = false;
    bool& bChanged = pbChanged != nullptr ? *pbChanged : bChangedLocal;
    OuterItems visible;
    for (OuterLayoutItemData& item : items)
    {
        if (item.m_bVisible)
            visible.push_back(item);
        else
            item.m_pBar->RecalcDelayShow(pLayout);
    }
    items.swap(visible);
    if (pnRowCount != nullptr)
        *pnRowCount = items.empty() ? 0 : 1;
    if (items.empty())
        return;
    const int n = static_cast<int>(items.size());

    // Priorities: bars without a key yet come after all others; preferred values start from now.
    DWORD dwMaxKey = 0;
    for (OuterLayoutItemData& item : items)
        if (CExtControlBar::FixedBarPlacement_t* pPlacement = PlacementOf(item.m_pBar))
            dwMaxKey = std::max(dwMaxKey, PriorityKey(*pPlacement));
    for (OuterLayoutItemData& item : items)
    {
        CExtControlBar::FixedBarPlacement_t* pPlacement = PlacementOf(item.m_pBar);
        if (pPlacement == nullptr)
            continue;
        if (PriorityKey(*pPlacement) == 0)
            PriorityKey(*pPlacement) = ++dwMaxKey;
        if (::IsRectEmpty(&pPlacement->m_rcPreferred))
            pPlacement->m_rcPreferred = item.m_rcCurrent;
        LONG& nPreferred = bHorz ? pPlacement->m_sizePreferred.cx : pPlacement->m_sizePreferred.cy;
        if (nPreferred == 0)
            nPreferred = axis.Extent(item.m_rcCurrent);
        nPreferred = std::min<LONG>(nPreferred, axis.Along(item.m_size));
    }

    const int nRowStart = axis.Start(CRect(CPoint(ptPosition), CSize(0, 0)));
    int nCross = bHorz ? ptPosition.y : ptPosition.x;
    int nPos = nRowStart;
    int nSegment = 0;
    int nRows = 1;
    bool bWrapped = false;
    bool bEqualizeLast = true;
    for (int i = 0; i < n; ++i)
    {
        OuterLayoutItemData& item = items[i];
        int nStart = nPos;
        // Gaps the user left stay.
        if (axis.Start(item.m_rcCurrent) > nStart && !m_bFloating)
            nStart = axis.Start(item.m_rcCurrent);
        axis.SetAlong(item.m_rcLayout, nStart, axis.Along(item.m_size));
        axis.SetCross(item.m_rcLayout, nCross, axis.Across(item.m_size));
        nPos = axis.End(item.m_rcLayout);
        if (nPos <= nAvail || IsResizableExtBar(item.m_pBar))
            continue;
        bool bExact = false;
        if (CompressRow(items, nSegment, i, nAvail, bHorz, &bExact, &bChanged))
        {
            nPos = axis.End(items[i].m_rcLayout);
            bEqualizeLast = true;
            continue;
        }
        if (i == nSegment)
            continue; // one bar longer than the row: nothing to wrap
        ++nRows;
        bChanged = true;
        bWrapped = true;
        bEqualizeLast = false;
        EqualizeCross(items, nSegment, i - 1, axis);
        int nSegmentCross = 0;
        for (int j = nSegment; j < i; ++j)
            nSegmentCross = std::max(nSegmentCross, axis.CrossEnd(items[j].m_rcLayout) - nCross);
        nCross += nSegmentCross - kRowOverlap;
        nSegment = i;
        axis.SetAlong(item.m_rcLayout, nRowStart, axis.Along(item.m_size));
        axis.SetCross(item.m_rcLayout, nCross, axis.Across(item.m_size));
        // A bar longer than the whole row shrinks as far as it can in its new row.
        if (axis.End(item.m_rcLayout) > nAvail && CompressRow(items, i, i, nAvail, bHorz, &bExact, &bChanged))
            bEqualizeLast = true;
        nPos = axis.End(item.m_rcLayout);
    }
    if (bEqualizeLast)
        EqualizeCross(items, nSegment, n - 1, axis);

    if (!bWrapped)
    {
        // Preferred places return, the highest priority last so that it wins.
        std::vector<int> order(static_cast<size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        auto priorityOf = [&](int i) {
            CExtControlBar::FixedBarPlacement_t* pPlacement = PlacementOf(items[i].m_pBar);
            return pPlacement != nullptr ? PriorityKey(*pPlacement) : MAXDWORD;
        };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return priorityOf(a) > priorityOf(b); });
        auto preferredStart = [&](int i, int* pnStart) {
            CExtControlBar::FixedBarPlacement_t* pPlacement = PlacementOf(items[i].m_pBar);
            if (pPlacement == nullptr || ::IsRectEmpty(&pPlacement->m_rcPreferred))
                return false;
            *pnStart = axis.Start(pPlacement->m_rcPreferred);
            return *pnStart != axis.Start(items[i].m_rcLayout);
        };
        for (int i : order)
            if (int nTarget = 0; preferredStart(i, &nTarget))
                PushItem(items, i, nTarget, nAvail, axis);
        for (int i : order)
        {
            int nTarget = 0;
            if (!preferredStart(i, &nTarget))
                continue;
            const int nExtent = axis.Extent(items[i].m_rcLayout);
            const int nLow = i > 0 ? axis.End(items[i - 1].m_rcLayout) : nRowStart;
            const int nHigh = (i + 1 < n ? axis.Start(items[i + 1].m_rcLayout) : nAvail) - nExtent;
            if (nHigh >= nLow)
                axis.SetAlong(items[i].m_rcLayout, std::clamp(nTarget, nLow, nHigh), nExtent);
        }
    }

    int nRowCross = 0;
    for (OuterLayoutItemData& item : items)
    {
        (bHorz ? sizeTotal.cx : sizeTotal.cy) = std::max<LONG>(bHorz ? sizeTotal.cx : sizeTotal.cy, axis.End(item.m_rcLayout));
        nRowCross = std::max(nRowCross, axis.CrossEnd(item.m_rcLayout));
        if (pLayout != nullptr && pLayout->hDWP != nullptr && item.m_rcLayout != item.m_rcCurrent)
        {
            AfxRepositionWindow(pLayout, item.m_pBar->m_hWnd, &item.m_rcLayout);
            if (!(item.m_pBar->m_dwStyle & CBRS_FLOATING) && item.m_pBar->m_pDockContext != nullptr)
                item.m_pBar->m_pDockContext->m_rectMRUDockPos = item.m_rcLayout;
        }
        if (pLayout != nullptr)
            item.m_pBar->RecalcDelayShow(pLayout);
    }
    (bHorz ? sizeTotal.cy : sizeTotal.cx) = std::max<LONG>(bHorz ? sizeTotal.cy : sizeTotal.cx, nRowCross);
    (bHorz ? ptPosition.y : ptPosition.x) = nRowCross - kRowOverlap;
    if (pnRowCount != nullptr)
        *pnRowCount = nRows;
}

bool CExtDockOuterBar::CompressRow(OuterItems& items, int nFirst, int nLast, int nLength, bool bHorz, bool* pbExactFit,
                                   bool* pbChanged)
{
    const RowAxis axis{bHorz};
    if (pbExactFit != nullptr)
        *pbExactFit = false;
    std::vector<CRect> rects;
    for (int i = nFirst; i <= nLast; ++i)
        rects.push_back(items[i].m_rcLayout);
    const int nCount = static_cast<int>(rects.size());
    // Gaps close first, from the end back.
    int nLimit = nLength;
    for (int i = nCount - 1; i >= 0; --i)
    {
        const int nExtent = axis.Extent(rects[i]);
        if (axis.End(rects[i]) > nLimit)
            axis.SetAlong(rects[i], nLimit - nExtent, nExtent);
        nLimit = axis.Start(rects[i]);
    }
    if (axis.Start(rects[0]) < 0)
    {
        // Then the bars shrink, the last first, each down to its minimal extent.
        int nOverflow = -nLength;
        for (const CRect& rc : rects)
            nOverflow += axis.Extent(rc);
        nLimit = nLength;
        for (int i = nCount - 1; i >= 0; --i)
        {
            const int nExtent = axis.Extent(rects[i]);
            const int nMinimal = axis.Along(items[nFirst + i].m_sizeMin);
            const int nShrink = std::clamp(std::min(nOverflow, nExtent - nMinimal), 0, nExtent);
            nOverflow -= nShrink;
            axis.SetAlong(rects[i], nLimit - (nExtent - nShrink), nExtent - nShrink);
            nLimit = axis.Start(rects[i]);
        }
        if (nOverflow > 0 || axis.Start(rects[0]) < 0)
            return false;
    }
    const bool bFillsSegment = axis.Start(rects[0]) == 0 && axis.End(rects[nCount - 1]) == nLength;
    if (bFillsSegment && nCount > 1)
    {
        // Bars below their preferred extent take it back from lower-priority bars, highest first.
        std::vector<int> order(static_cast<size_t>(nCount));
        std::iota(order.begin(), order.end(), 0);
        auto priorityOf = [&](int i) {
            CExtControlBar::FixedBarPlacement_t* pPlacement = PlacementOf(items[nFirst + i].m_pBar);
            return pPlacement != nullptr ? PriorityKey(*pPlacement) : MAXDWORD;
        };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return priorityOf(a) < priorityOf(b); });
        bool bTaken = false;
        for (size_t k = 0; k + 1 < order.size(); ++k)
        {
            const int i = order[k];
            CExtControlBar::FixedBarPlacement_t* pPlacement = PlacementOf(items[nFirst + i].m_pBar);
            if (pPlacement == nullptr)
                continue;
            int nWanted = axis.Along(pPlacement->m_sizePreferred) - axis.Extent(rects[i]);
            for (size_t m = order.size() - 1; m > k && nWanted > 0; --m)
            {
                const int j = order[m];
                const int nGive = std::min(nWanted, axis.Extent(rects[j]) - axis.Along(items[nFirst + j].m_sizeMin));
                if (nGive <= 0)
                    continue;
                axis.SetAlong(rects[j], axis.Start(rects[j]), axis.Extent(rects[j]) - nGive);
                axis.SetAlong(rects[i], axis.Start(rects[i]), axis.Extent(rects[i]) + nGive);
                nWanted -= nGive;
                bTaken = true;
            }
        }
        if (bTaken)
        {
            int nEdge = 0;
            for (CRect& rc : rects)
            {
                const int nExtent = axis.Extent(rc);
                axis.SetAlong(rc, nEdge, nExtent);
                nEdge += nExtent;
            }
        }
    }
    if (pbExactFit != nullptr)
        *pbExactFit = nFirst == 0 && nLast == static_cast<int>(items.size()) - 1 && axis.Start(rects[0]) == 0 &&
                      axis.End(rects[nCount - 1]) == nLength;
    for (int i = 0; i < nCount; ++i)
    {
        if (rects[i] != items[nFirst + i].m_rcLayout && pbChanged != nullptr)
            *pbChanged = true;
        items[nFirst + i].m_rcLayout = rects[i];
    }
    return true;
}

void CExtDockOuterBar::RankPlacements(CExtControlBar* pMovedBar)
{
    const int nIndex = FindBar(pMovedBar);
    if (nIndex <= 0)
        return;
    int nFirst = nIndex;
    while (nFirst > 1 && m_arrBars[nFirst - 1] != nullptr)
        --nFirst;
    std::vector<CExtControlBar::FixedBarPlacement_t*> others;
    for (int i = nFirst; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr || pBar == pMovedBar)
            continue;
        if (CExtControlBar::FixedBarPlacement_t* pPlacement = PlacementOf(pBar))
            others.push_back(pPlacement);
    }
    // Bars without a key yet count after all others.
    const DWORD dwNone = static_cast<DWORD>(4 * m_arrBars.GetSize());
    auto keyOf = [dwNone](CExtControlBar::FixedBarPlacement_t* p) {
        return PriorityKey(*p) == 0 ? dwNone : PriorityKey(*p);
    };
    std::stable_sort(others.begin(), others.end(), [&](auto* a, auto* b) { return keyOf(a) < keyOf(b); });
    if (CExtControlBar::FixedBarPlacement_t* pMoved = pMovedBar->GetFixedBarPlacement())
        PriorityKey(*pMoved) = 1;
    DWORD dwKey = 2;
    for (auto* pPlacement : others)
        PriorityKey(*pPlacement) = dwKey++;
}

void CExtDockOuterBar::RelayoutRow(int nIndex, bool bHorz)
{
    OuterItems items = RowItems(nIndex, bHorz);
    if (items.empty())
        return;
    // The row keeps its place across the dock bar.
    const RowAxis axis{bHorz};
    int nCross = INT_MAX;
    for (const OuterLayoutItemData& item : items)
        if (item.m_bVisible)
            nCross = std::min(nCross, axis.CrossStart(item.m_rcCurrent));
    POINT ptPosition = {bHorz ? 0 : (nCross == INT_MAX ? 0 : nCross), bHorz ? (nCross == INT_MAX ? 0 : nCross) : 0};
    CSize sizeTotal(0, 0);
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(static_cast<int>(items.size()));
    int nRows = 0;
    bool bChanged = false;
    LayoutRow(sizeTotal, AvailableLayoutSize(), ptPosition, bHorz, &layout, items, &nRows, &bChanged);
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    for (const OuterLayoutItemData& item : items)
        item.m_pBar->RedrawWindow(nullptr, nullptr,
                                  RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME);
}

void CExtDockOuterBar::SlideBarInRow(CExtControlBar* pBar, int nDelta, bool* pbChanged)
{
    if (pbChanged != nullptr)
        *pbChanged = false;
    const int nIndex = FindBar(pBar);
    if (nDelta == 0 || nIndex <= 0)
        return;
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const RowAxis axis{bHorz};
    const int nAvail = axis.Along(AvailableLayoutSize());
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    ScreenToClient(&rcBar);
    CExtControlBar::FixedBarPlacement_t* pPlacement = pBar->GetFixedBarPlacement();
    CRect rcPreferred = pPlacement != nullptr && !::IsRectEmpty(&pPlacement->m_rcPreferred) ? CRect(pPlacement->m_rcPreferred) : rcBar;
    const int nExtent = axis.Extent(rcPreferred);
    const int nNewStart = std::clamp(axis.Start(rcPreferred) + nDelta, 0, std::max(0, nAvail - nExtent));
    axis.SetAlong(rcPreferred, nNewStart, nExtent);
    if (pPlacement != nullptr)
    {
        pPlacement->m_rcPreferred = rcPreferred;
        RankPlacements(pBar);
    }
    // Swap with the neighbour the bar passed: towards the start the previous bar once the new
    // start is no longer past its start, towards the end the next one once its end is passed.
    const int nNeighbour = nDelta < 0 ? nIndex - 1 : nIndex + 1;
    CControlBar* pOther = GetDockedControlBar(nNeighbour);
    if (pOther != nullptr && pOther->IsVisible())
    {
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        ScreenToClient(&rcOther);
        const bool bSwap = nDelta < 0 ? nNewStart <= axis.Start(rcOther) + 1 : nNewStart + nExtent > axis.End(rcOther);
        if (bSwap)
        {
            m_arrBars[nIndex] = pOther;
            m_arrBars[nNeighbour] = pBar;
            if (CExtControlBar::FixedBarPlacement_t* pOtherPlacement = PlacementOf(pOther))
            {
                // The neighbour takes the place the bar left.
                CRect rcOtherPreferred = rcOther;
                axis.SetAlong(rcOtherPreferred, nDelta < 0 ? nNewStart + nExtent : axis.Start(rcBar), axis.Extent(rcOther));
                pOtherPlacement->m_rcPreferred = rcOtherPreferred;
            }
        }
    }
    else if (pPlacement == nullptr)
    {
        // Without a placement the window itself moves; the layout keeps it there.
        pBar->SetWindowPos(nullptr, bHorz ? nNewStart : rcBar.left, bHorz ? rcBar.top : nNewStart, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RelayoutRow(FindBar(pBar), bHorz);
    CRect rcAfter;
    pBar->GetWindowRect(&rcAfter);
    ScreenToClient(&rcAfter);
    if (pbChanged != nullptr)
        *pbChanged = rcAfter != rcBar || GetDockedControlBar(nIndex) != pBar;
}

void CExtDockOuterBar::InsertBarInNewRow(CExtControlBar* pReference, CExtControlBar* pBar, bool bBefore)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    const int nReference = pReference != nullptr ? FindBar(pReference) : -1;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    CFrameWnd* pOldFrame = pBar->GetParentFrame();
    if (pBar->IsWindowVisible())
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    TakeBarStyle(pBar);
    if (pOldDockBar == this)
        RemoveEntry(FindBar(pBar));
    else if (pOldDockBar != nullptr && pOldDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        static_cast<CExtDockBar*>(pOldDockBar)->RemoveControlBarEx(pBar, -1, 0, false);
    else if (pOldDockBar != nullptr)
        pOldDockBar->RemoveControlBar(pBar);
    // The row boundary before or after the reference bar's row.
    int nAt = static_cast<int>(m_arrBars.GetSize());
    const int nRefNow = pReference != nullptr ? FindBar(pReference) : -1;
    if (nReference > 0 && nRefNow > 0)
    {
        nAt = nRefNow;
        if (bBefore)
            while (nAt > 1 && m_arrBars[nAt - 1] != nullptr)
                --nAt;
        else
        {
            while (nAt < m_arrBars.GetSize() && m_arrBars[nAt] != nullptr)
                ++nAt;
            ++nAt; // past the row break
        }
    }
    nAt = std::clamp(nAt, 1, static_cast<int>(m_arrBars.GetSize()));
    m_arrBars.InsertAt(nAt, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(nAt, pBar);
    if (m_arrBars[nAt - 1] != nullptr)
        m_arrBars.InsertAt(nAt, static_cast<void*>(nullptr));
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != nullptr)
        pBar->m_pDockContext->m_uMRUDockID = GetDockSide();
    // A floating frame the bar left goes once it is empty.
    if (pOldFrame != nullptr && pOldFrame != m_pDockSite && pOldFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) &&
        pOldDockBar != nullptr && pOldDockBar != this && ::IsWindow(pOldFrame->m_hWnd))
    {
        if (pOldDockBar->GetDockedCount() > 0)
            pOldFrame->ShowWindow(SW_HIDE);
        else
            pOldFrame->DestroyWindow();
    }
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    UpdateNestedLayout();
    if (!m_bFloating && !m_bLayoutLocked)
        RemoveEmptyRings(DockSiteFrame());
}

bool CExtDockOuterBar::MoveBarIntoRow(CExtControlBar* pBar, const CArray<CControlBar*, CControlBar*>& rowBars, int nOffset)
{
    if (pBar == nullptr || rowBars.GetSize() == 0)
        return false;
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const RowAxis axis{bHorz};
    const int nAvail = axis.Along(AvailableLayoutSize());
    int nMinimalOthers = 0;
    for (INT_PTR i = 0; i < rowBars.GetSize(); ++i)
    {
        CControlBar* pOther = rowBars[i];
        if (pOther == pBar || !pOther->IsVisible())
            continue;
        CExtControlBar* pExtOther = AsExtBar(pOther);
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        nMinimalOthers += pExtOther != nullptr ? axis.Along(pExtOther->GetMinimalSize()) : axis.Extent(rcOther);
    }
    if (nAvail - nMinimalOthers < axis.Along(pBar->GetMinimalSize()))
        return false;
    // Before the first bar that starts at or after the offset, or whose middle lies beyond it;
    // else after the row's last bar. Bars, not indexes: taking the bar out moves the entries.
    CControlBar* pBefore = nullptr;
    CControlBar* pAfter = nullptr;
    for (INT_PTR i = 0; i < rowBars.GetSize() && pBefore == nullptr; ++i)
    {
        CControlBar* pOther = rowBars[i];
        if (pOther == pBar)
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        ScreenToClient(&rcOther);
        if (axis.Start(rcOther) >= nOffset || (axis.Start(rcOther) + axis.End(rcOther)) / 2 > nOffset)
            pBefore = pOther;
        pAfter = pOther;
    }
    if (pBefore == nullptr && pAfter == nullptr)
        return false;
    if (pBar->m_pDockBar == this)
        RemoveEntry(FindBar(pBar));
    else
    {
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        TakeBarStyle(pBar);
        if (CDockBar* pOld = pBar->m_pDockBar)
        {
            if (pOld->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
                static_cast<CExtDockBar*>(pOld)->RemoveControlBarEx(pBar, -1, 0, false);
            else
                pOld->RemoveControlBar(pBar);
        }
        pBar->m_pDockBar = this;
    }
    const int nInsertAt = pBefore != nullptr ? FindBar(pBefore) : FindBar(pAfter) + 1;
    if (nInsertAt <= 0)
        return false;
    m_arrBars.InsertAt(nInsertAt, pBar);
    if (CExtControlBar::FixedBarPlacement_t* pPlacement = pBar->GetFixedBarPlacement())
    {
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        ScreenToClient(&rcBar);
        axis.SetAlong(rcBar, std::max(0, nOffset), axis.Extent(rcBar));
        pPlacement->m_rcPreferred = rcBar;
        RankPlacements(pBar);
    }
    return true;
}

namespace
{
// Visible bars of the row around entry nIndex, and the row's rectangle (dock-bar client coordinates).
void RowOf(CExtDockOuterBar* pDockBar, int nIndex, CArray<CControlBar*, CControlBar*>& rowBars, CRect& rcRow)
{
    rowBars.RemoveAll();
    rcRow.SetRectEmpty();
    int nFirst = nIndex;
    while (nFirst > 1 && pDockBar->m_arrBars[nFirst - 1] != nullptr)
        --nFirst;
    for (int i = nFirst; i < pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[i] != nullptr; ++i)
    {
        CControlBar* pBar = pDockBar->GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        pDockBar->ScreenToClient(&rc);
        rowBars.Add(pBar);
        if (rcRow.IsRectEmpty())
            rcRow = rc;
        else
            ::UnionRect(&rcRow, &rcRow, &rc);
    }
}

// The first entry of the row next to the one around nIndex (nStep -1 before, 1 after), -1 when none.
int NeighbourRowEntry(const CExtDockOuterBar* pDockBar, int nIndex, int nStep)
{
    const int nSize = static_cast<int>(pDockBar->m_arrBars.GetSize());
    int i = nIndex;
    while (i > 0 && i < nSize && pDockBar->m_arrBars[i] != nullptr)
        i += nStep;
    // Past the row break, and past empty rows, to the next bar.
    for (i += nStep; i > 0 && i < nSize; i += nStep)
        if (pDockBar->GetDockedControlBar(i) != nullptr)
            return i;
    return -1;
}
}

bool CExtDockOuterBar::DragFixedBar(CExtControlBar* pBar, const POINT& ptCursor, const POINT& ptLastCursor,
                                    int* pnCursorHint)
{
    if (pnCursorHint != nullptr)
        *pnCursorHint = 0;
    if (pBar == nullptr || pBar->m_hWnd == nullptr || !(m_dwStyle & pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
        return false;
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const RowAxis axis{bHorz};
    const UINT nSide = GetDockSide();
    const bool bNearStart = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
    CPoint pt(ptCursor);
    ScreenToClient(&pt);
    const int nCross = bHorz ? pt.y : pt.x;
    const int nMove = bHorz ? ptCursor.x - ptLastCursor.x : ptCursor.y - ptLastCursor.y;
    CFrameWnd* pFrame = DockSiteFrame();
    CExtControlBar::FixedBarPlacement_t* pPlacement = pBar->GetFixedBarPlacement();
    const int nIndex = FindBar(pBar);
    if (nIndex <= 0)
    {
        // From elsewhere: docked with the grab offset at the cursor.
        const CPoint ptGrab = bHorz ? pBar->m_ptGrabDockedHorz : pBar->m_ptGrabDockedVert;
        const CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
        const CRect rc(CPoint(ptCursor.x - ptGrab.x, ptCursor.y - ptGrab.y), size);
        if (pPlacement != nullptr)
            pPlacement->Reset();
        DockControlBarEx(pBar, &rc);
        pBar->ApplyFixedBarPlacement();
        if (pFrame != nullptr)
            pFrame->RecalcLayout();
        return true;
    }
    CArray<CControlBar*, CControlBar*> rowBars;
    CRect rcRow;
    RowOf(this, nIndex, rowBars, rcRow);
    const int nRowStart = axis.CrossStart(rcRow) - 1 - (bNearStart ? 2 : 0);
    const int nRowEnd = axis.CrossEnd(rcRow) + 1 + (bNearStart ? 0 : 2);
    if (nCross >= nRowStart && nCross < nRowEnd)
    {
        CRect rcClient, rcBar;
        GetClientRect(&rcClient);
        pBar->GetWindowRect(&rcBar);
        if (pPlacement != nullptr && !pBar->IsFullRowBar() &&
            (IsProvisional(*pPlacement) || (bHorz && rcBar.Width() >= rcClient.Width())))
            pPlacement->Reset();
        if (pPlacement != nullptr && PriorityKey(*pPlacement) == 0)
            RankPlacements(pBar);
        bool bChanged = false;
        SlideBarInRow(pBar, nMove, &bChanged);
        if (bChanged && pnCursorHint != nullptr)
            *pnCursorHint = bHorz ? 1 : 2;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) && msg.message == WM_PAINT)
            ::DispatchMessageA(&msg);
        return true;
    }
    const bool bBefore = nCross < nRowStart;
    if (rowBars.GetSize() > 1)
    {
        // Sharing its row: a new row of its own on the cursor's side.
        if (pPlacement != nullptr)
            pPlacement->Reset();
        CControlBar* pReference = rowBars[0] != pBar ? rowBars[0] : rowBars[1];
        InsertBarInNewRow(AsExtBar(pReference), pBar, bBefore);
        pBar->ApplyFixedBarPlacement();
        pBar->ApplyFixedBarPlacement();
        if (pFrame != nullptr)
            pFrame->RecalcLayout();
        return true;
    }
    const int nNeighbour = NeighbourRowEntry(this, nIndex, bBefore ? -1 : 1);
    if (nNeighbour < 0)
        return true;
    CArray<CControlBar*, CControlBar*> neighbourBars;
    CRect rcNeighbour;
    RowOf(this, nNeighbour, neighbourBars, rcNeighbour);
    const bool bPassed = bBefore ? nCross < axis.CrossStart(rcNeighbour) : nCross >= axis.CrossEnd(rcNeighbour);
    int nNeighbourExtent = 0;
    for (INT_PTR i = 0; i < neighbourBars.GetSize(); ++i)
    {
        CRect rc;
        neighbourBars[i]->GetWindowRect(&rc);
        nNeighbourExtent += axis.Extent(rc);
    }
    const int nAvail = axis.Along(AvailableLayoutSize());
    const bool bRoom = nNeighbourExtent + axis.Along(pBar->GetMinimalSize()) <= nAvail;
    CExtControlBar* pNeighbourRef = AsExtBar(neighbourBars.GetSize() > 0 ? neighbourBars[0] : nullptr);
    bool bMoved = false;
    if (!pBar->IsDockedInFrameOnly() && bRoom)
    {
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        ScreenToClient(&rcBar);
        bMoved = MoveBarIntoRow(pBar, neighbourBars, axis.Start(rcBar) + nMove);
    }
    if (!bMoved && bPassed && pNeighbourRef != nullptr)
        InsertBarInNewRow(pNeighbourRef, pBar, bBefore);
    if (pFrame != nullptr)
        pFrame->RecalcLayout();
    return true;
}

void CExtDockOuterBar::ApplyBarPlacement(CExtControlBar* pBar, const CExtControlBar::FixedBarPlacement_t& placement)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || placement.IsEmpty() || ::IsRectEmpty(&placement.m_rcPreferred))
        return;
    // The layout keeps a bar where it stands when that is further along than the row's packing.
    pBar->SetWindowPos(nullptr, placement.m_rcPreferred.left, placement.m_rcPreferred.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void CExtDockOuterBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (CExtControlBar::IsFrameInHelpMode(this))
        return;
    CControlBar::OnLButtonDblClk(nFlags, point);
}

void CExtDockOuterBar::OnSysColorChange()
{
    CExtDockBar::OnSysColorChange();
    g_CmdManagerHolder.RelaySysColorChange(this);
    g_PaintManagerHolder.RelaySysColorChange(this);
}

void CExtDockOuterBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CExtDockBar::OnSettingChange(uFlags, lpszSection);
    g_CmdManagerHolder.RelaySettingChange(this, uFlags, reinterpret_cast<LPARAM>(lpszSection));
    g_PaintManagerHolder.RelaySettingChange(this, uFlags, reinterpret_cast<LPARAM>(lpszSection));
}

void CExtDockOuterBar::OnDisplayChange(UINT nBitsPerPixel, int cx, int cy)
{
    Default();
    g_CmdManagerHolder.RelayDisplayChange(this, static_cast<int>(nBitsPerPixel), cx, cy);
    g_PaintManagerHolder.RelayDisplayChange(this, static_cast<int>(nBitsPerPixel), cx, cy);
}

LRESULT CExtDockOuterBar::OnThemeChanged()
{
    const LRESULT lResult = Default();
    g_CmdManagerHolder.RelayThemeChanged(this, 0, 0);
    g_PaintManagerHolder.RelayThemeChanged(this, 0, 0);
    return lResult;
}
