// Rows of docked bars: how long each resizable bar is along its row, how thick the row is, the
// row queries docking uses, and collapsing, expanding and reclaiming room inside a row.
#include "ui/bars/ExtControlBar.h"

#include <cstdlib>

#include "platform/mfc/DockBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtPaintManager.h"

using namespace ExtBarDetail;

namespace
{
// An entry below this value is the id of a hidden bar kept as a placeholder.
constexpr UINT_PTR kPlaceholderLimit = 0x10000;
constexpr int kStretchExtent = 0x7FFF;
constexpr int kFallbackAvailable = 3;
constexpr UINT kMoveOnly = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

bool IsHorizontalDockBar(const CDockBar* pDockBar)
{
    const UINT nId = static_cast<UINT>(::GetDlgCtrlID(pDockBar->GetSafeHwnd()));
    if (nId == CExtControlBar::DOCKBAR_TOP || nId == CExtControlBar::DOCKBAR_BOTTOM)
        return true;
    if (nId == CExtControlBar::DOCKBAR_LEFT || nId == CExtControlBar::DOCKBAR_RIGHT)
        return false;
    return (pDockBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

int WindowExtent(const CControlBar* pBar, bool bHorz)
{
    CRect rc;
    ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
    return bHorz ? rc.Width() : rc.Height();
}

// The dock bar's available extent along its rows: the running layout's rectangle, else its
// client area; never 0 or less.
int AvailableExtent(const CDockBar* pDockBar, bool bHorz)
{
    CRect rc(pDockBar->m_rectLayout);
    if (rc.IsRectEmpty())
        ::GetClientRect(pDockBar->GetSafeHwnd(), &rc);
    const int nExtent = bHorz ? rc.Width() : rc.Height();
    return nExtent > 0 ? nExtent : kFallbackAvailable;
}
} // namespace

namespace ExtBarDetail
{
CControlBar* BarAt(const CDockBar* pDockBar, int nIndex)
{
    if (pDockBar == nullptr || nIndex < 0 || nIndex >= pDockBar->m_arrBars.GetSize())
        return nullptr;
    void* pEntry = pDockBar->m_arrBars[nIndex];
    if (reinterpret_cast<UINT_PTR>(pEntry) < kPlaceholderLimit)
        return nullptr;
    return static_cast<CControlBar*>(pEntry);
}

int FindBarIndex(const CDockBar* pDockBar, const CControlBar* pBar)
{
    if (pDockBar == nullptr || pBar == nullptr)
        return -1;
    for (int i = 0; i < pDockBar->m_arrBars.GetSize(); ++i)
        if (pDockBar->m_arrBars[i] == pBar)
            return i;
    return -1;
}

RowSpan RowAround(const CDockBar* pDockBar, int nIndex)
{
    RowSpan span{nIndex, nIndex - 1};
    if (pDockBar == nullptr || nIndex < 0 || nIndex >= pDockBar->m_arrBars.GetSize())
        return span;
    int nFirst = nIndex;
    while (nFirst > 0 && pDockBar->m_arrBars[nFirst - 1] != nullptr)
        --nFirst;
    int nLast = nIndex;
    while (nLast + 1 < pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[nLast + 1] != nullptr)
        ++nLast;
    span.nFirst = nFirst;
    span.nLast = pDockBar->m_arrBars[nIndex] == nullptr ? nIndex - 1 : nLast;
    return span;
}

bool IsVisibleInRow(const CControlBar* pBar)
{
    return pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsVisible();
}

CExtControlBar* AsResizableBar(CControlBar* pBar)
{
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    return pExtBar != nullptr && !pExtBar->IsFixedSizeBar() ? pExtBar : nullptr;
}

bool HasVisibleBar(const CDockBar* pDockBar, int nFirst, int nLast)
{
    for (int i = nFirst; i <= nLast; ++i)
        if (IsVisibleInRow(BarAt(pDockBar, i)))
            return true;
    return false;
}
} // namespace ExtBarDetail

int CExtControlBar::GetMinimalExtent() const
{
    return IsDockedAtLeftOrRight() ? GetMinimalHeight() : GetMinimalWidth();
}

int CExtControlBar::GetRowExtent() const
{
    return IsDockedAtLeftOrRight() ? m_sizeDockedVert.cy : m_sizeDockedHorz.cx;
}

void CExtControlBar::SetRowExtent(int nExtent)
{
    if (IsDockedAtLeftOrRight())
        m_sizeDockedVert.cy = nExtent;
    else
        m_sizeDockedHorz.cx = nExtent;
}

int CExtControlBar::GetRowThickness() const
{
    return IsDockedAtLeftOrRight() ? m_sizeDockedVert.cx : m_sizeDockedHorz.cy;
}

void CExtControlBar::SetRowThickness(int nThickness)
{
    if (IsDockedAtLeftOrRight())
        m_sizeDockedVert.cx = nThickness;
    else
        m_sizeDockedHorz.cy = nThickness;
}

CSize CExtControlBar::GetDesiredSize(bool bHorz, bool bStretch)
{
    if (IsFloating())
        return m_sizeFloating;
    if (bHorz) {
        if (bStretch)
            return CSize(kStretchExtent, m_sizeDockedHorz.cy);
        m_sizeDockedHorz.cy = std::max<int>(m_sizeDockedHorz.cy, GetMinimalWidth());
        return m_sizeDockedHorz;
    }
    if (bStretch)
        return CSize(m_sizeDockedHorz.cx, kStretchExtent);
    m_sizeDockedVert.cx = std::max<int>(m_sizeDockedVert.cx, GetMinimalHeight());
    return m_sizeDockedVert;
}

bool CExtControlBar::IsCollapsedInRow() const
{
    if (m_pDockBar == nullptr || IsFloating() || IsFixedSizeBar())
        return false;
    if (IsDockedAtTopOrBottom())
        return GetMinimalWidth() == m_sizeDockedHorz.cx;
    if (IsDockedAtLeftOrRight())
        return GetMinimalHeight() == m_sizeDockedVert.cy;
    return false;
}

CSize CExtControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    const bool bHorzMode = (dwMode & LM_HORZ) != 0;
    if ((dwMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0 || IsFloating()) {
        if (nLength > 0) {
            if ((dwMode & LM_LENGTHY) != 0)
                m_sizeFloating.cy = nLength;
            else
                m_sizeFloating.cx = nLength;
        }
        if ((dwMode & (LM_MRUWIDTH | LM_COMMIT)) != 0)
            return m_sizeFloating;
        return GetDesiredSize(bHorzMode, false);
    }
    CDockBar* pDockBar = m_pDockBar;
    if (nLength >= 0 || pDockBar == nullptr || pDockBar->m_bLayoutQuery)
        return GetDesiredSize(bHorzMode, false);
    const bool bHorz = IsHorizontalDockBar(pDockBar);
    int nAvail = AvailableExtent(pDockBar, bHorz);
    LayoutRow(pDockBar, bHorz, nAvail);
    return GetDesiredSize(bHorzMode, false);
}

void CExtControlBar::LayoutRow(CDockBar* pDockBar, bool bHorz, int nAvail)
{
    const int nThis = FindBarIndex(pDockBar, this);
    if (nThis < 0)
        return;
    RowSpan row = RowAround(pDockBar, nThis);
    // Only the first visible resizable bar of a row lays the row out.
    int nMaxThickness = 0;
    int nVisible = 0;
    CArray<CExtControlBar*, CExtControlBar*> arrResizable;
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CControlBar* pBar = BarAt(pDockBar, i);
        if (!IsVisibleInRow(pBar))
            continue;
        ++nVisible;
        CExtControlBar* pResizable = AsResizableBar(pBar);
        if (pResizable == nullptr)
            continue;
        if (i < nThis)
            return;
        arrResizable.Add(pResizable);
        nMaxThickness = std::max(nMaxThickness, pResizable->GetRowThickness());
    }
    if (nVisible == 1) {
        SetRowExtent(std::max(nAvail, GetMinimalExtent()));
        PlaceRow(pDockBar, row, bHorz);
        return;
    }
    // Fit pass: minimal extents first; what does not fit starts a new row.
    int nSum = 2 * (bHorz ? ::GetSystemMetrics(SM_CYBORDER) : ::GetSystemMetrics(SM_CXBORDER));
    int nUsed = 0;
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CControlBar* pBar = BarAt(pDockBar, i);
        if (!IsVisibleInRow(pBar))
            continue;
        CExtControlBar* pResizable = AsResizableBar(pBar);
        if (pResizable != nullptr) {
            const int nMin = pResizable->GetMinimalExtent();
            if (pResizable->GetRowExtent() < nMin)
                pResizable->SetRowExtent(nMin);
            nSum += nMin;
        } else {
            nSum += WindowExtent(pBar, bHorz);
        }
        if (nSum > nAvail) {
            if (i < nThis) {
                pDockBar->m_arrBars.InsertAt(i + 1, static_cast<void*>(nullptr));
                return;
            }
            if (i == nThis) {
                SetRowExtent(std::max(nAvail, GetMinimalExtent()));
                row.nLast = i;
                if (i + 1 < pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[i + 1] != nullptr)
                    pDockBar->m_arrBars.InsertAt(i + 1, static_cast<void*>(nullptr));
                break;
            }
            pDockBar->m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
            row.nLast = i - 1;
            break;
        }
        if (pResizable != nullptr)
            nUsed += pResizable->GetRowExtent();
        else
            nAvail -= WindowExtent(pBar, bHorz);
    }
    arrResizable.RemoveAll();
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CExtControlBar* pResizable = AsResizableBar(BarAt(pDockBar, i));
        if (pResizable != nullptr && IsVisibleInRow(pResizable))
            arrResizable.Add(pResizable);
    }
    SpreadRowExtent(arrResizable, nAvail - nUsed, nMaxThickness);
    PlaceRow(pDockBar, row, bHorz);
}

void CExtControlBar::SpreadRowExtent(CArray<CExtControlBar*, CExtControlBar*>& arrResizable, int nDiff,
                                     int nMaxThickness)
{
    const INT_PTR nCount = arrResizable.GetSize();
    if (nCount == 0)
        return;
    int nCollapsed = 0;
    for (INT_PTR i = 0; i < nCount; ++i)
        if (arrResizable[i]->IsCollapsedInRow())
            ++nCollapsed;
    if (nCollapsed == nCount) {
        CExtControlBar* pLast = arrResizable[nCount - 1];
        pLast->SetRowExtent(pLast->GetRowExtent() + nDiff);
        return;
    }
    const int nRounds = 2 * std::abs(nDiff);
    for (int nRound = 0; nRound < nRounds && nDiff != 0 && nCollapsed < nCount; ++nRound) {
        for (INT_PTR i = 0; i < nCount && nDiff != 0; ++i) {
            CExtControlBar* pBar = arrResizable[i];
            pBar->SetRowThickness(nMaxThickness);
            const int nMin = pBar->GetMinimalExtent();
            const int nExtent = pBar->GetRowExtent();
            // Collapsed bars never grow here.
            if (nExtent <= nMin)
                continue;
            pBar->SetRowExtent(nExtent + (nDiff > 0 ? 1 : -1));
            nDiff += nDiff > 0 ? -1 : 1;
            if (pBar->GetRowExtent() <= nMin)
                ++nCollapsed;
        }
    }
}

void CExtControlBar::PlaceRow(CDockBar* pDockBar, const ExtBarDetail::RowSpan& row, bool bHorz)
{
    HDWP hDwp = ::BeginDeferWindowPos(row.nLast - row.nFirst + 1);
    int nPos = 0;
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CControlBar* pBar = BarAt(pDockBar, i);
        if (!IsVisibleInRow(pBar))
            continue;
        CRect rc;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
        pDockBar->ScreenToClient(&rc);
        CSize size = rc.Size();
        if (CExtControlBar* pResizable = AsResizableBar(pBar))
            size = bHorz ? pResizable->m_sizeDockedHorz : pResizable->m_sizeDockedVert;
        CRect rcNew(rc.TopLeft(), size);
        if (bHorz)
            rcNew.OffsetRect(nPos - rcNew.left, 0);
        else
            rcNew.OffsetRect(0, nPos - rcNew.top);
        if (rcNew != rc && hDwp != nullptr)
            hDwp = ::DeferWindowPos(hDwp, pBar->GetSafeHwnd(), nullptr, rcNew.left, rcNew.top, rcNew.Width(),
                                    rcNew.Height(), kMoveOnly);
        nPos += bHorz ? size.cx : size.cy;
    }
    if (hDwp != nullptr)
        ::EndDeferWindowPos(hDwp);
}

bool CExtControlBar::IsSingleVisibleInRow(bool bFixedOnly, bool bFilter) const
{
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return false;
    const RowSpan row = RowAround(m_pDockBar, nThis);
    int nCount = 0;
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CControlBar* pBar = BarAt(m_pDockBar, i);
        if (!IsVisibleInRow(pBar))
            continue;
        if (bFilter) {
            const bool bResizable = AsResizableBar(pBar) != nullptr;
            if (bFixedOnly == bResizable)
                continue;
        }
        ++nCount;
    }
    return nCount == 1;
}

CExtControlBar* CExtControlBar::NeighbourInRow(int nStep, bool bResizableOnly) const
{
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return nullptr;
    const RowSpan row = RowAround(m_pDockBar, nThis);
    for (int i = nThis + nStep; i >= row.nFirst && i <= row.nLast; i += nStep) {
        CControlBar* pBar = BarAt(m_pDockBar, i);
        if (!IsVisibleInRow(pBar))
            continue;
        CExtControlBar* pExtBar = bResizableOnly ? AsResizableBar(pBar) : DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExtBar != nullptr)
            return pExtBar;
        if (!bResizableOnly)
            return const_cast<CExtControlBar*>(this); // a foreign bar stands there
    }
    return nullptr;
}

bool CExtControlBar::IsFirstVisibleInRow(bool bResizableOnly) const
{
    return FindBarIndex(m_pDockBar, this) >= 0 && NeighbourInRow(-1, bResizableOnly) == nullptr;
}

bool CExtControlBar::IsLastVisibleInRow(bool bResizableOnly) const
{
    return FindBarIndex(m_pDockBar, this) >= 0 && NeighbourInRow(1, bResizableOnly) == nullptr;
}

CExtControlBar* CExtControlBar::GetLastBarOfRow() const
{
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return nullptr;
    const RowSpan row = RowAround(m_pDockBar, nThis);
    for (int i = row.nLast; i >= row.nFirst; --i) {
        CExtControlBar* pBar = AsResizableBar(BarAt(m_pDockBar, i));
        if (IsVisibleInRow(pBar))
            return pBar;
    }
    return nullptr;
}

void CExtControlBar::CollectRow(const RowSpan& row, CArray<CExtControlBar*, CExtControlBar*>& arrBars,
                                RECT* pRcUnion, bool* pbHasResizable, bool* pbFull) const
{
    CRect rcUnion(0, 0, 0, 0);
    int nSum = 0;
    bool bHasResizable = false;
    bool bFull = false;
    const bool bHorz = m_pDockBar != nullptr && IsHorizontalDockBar(m_pDockBar);
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CControlBar* pBar = BarAt(m_pDockBar, i);
        if (!IsVisibleInRow(pBar))
            continue;
        CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExtBar == nullptr)
            continue;
        arrBars.Add(pExtBar);
        CRect rc;
        pBar->GetWindowRect(&rc);
        rcUnion.UnionRect(&rcUnion, &rc);
        nSum += bHorz ? rc.Width() : rc.Height();
        bHasResizable = bHasResizable || !pExtBar->IsFixedSizeBar();
        bFull = bFull || pExtBar->IsFullRowBar();
    }
    if (m_pDockBar != nullptr && arrBars.GetSize() > 0) {
        CRect rcDock;
        m_pDockBar->GetWindowRect(&rcDock);
        bFull = bFull || nSum >= (bHorz ? rcDock.Width() : rcDock.Height()) - 1;
    }
    if (pRcUnion != nullptr)
        *pRcUnion = rcUnion;
    if (pbHasResizable != nullptr)
        *pbHasResizable = bHasResizable;
    if (pbFull != nullptr)
        *pbFull = bFull;
}

namespace
{
void ResetRowOutputs(CArray<CExtControlBar*, CExtControlBar*>& arrBars, RECT* pRcUnion, int* pIndex,
                     bool* pbHasResizable, bool* pbFull)
{
    arrBars.RemoveAll();
    if (pRcUnion != nullptr)
        ::SetRectEmpty(pRcUnion);
    if (pIndex != nullptr)
        *pIndex = -1;
    if (pbHasResizable != nullptr)
        *pbHasResizable = false;
    if (pbFull != nullptr)
        *pbFull = false;
}
} // namespace

void CExtControlBar::GetRowInfo(CArray<CExtControlBar*, CExtControlBar*>& arrBars, RECT* pRcUnion, int* pIndex,
                                bool* pbHasResizable, bool* pbFull) const
{
    ResetRowOutputs(arrBars, pRcUnion, pIndex, pbHasResizable, pbFull);
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return;
    CollectRow(RowAround(m_pDockBar, nThis), arrBars, pRcUnion, pbHasResizable, pbFull);
    for (INT_PTR i = 0; pIndex != nullptr && i < arrBars.GetSize(); ++i)
        if (arrBars[i] == this)
            *pIndex = static_cast<int>(i);
}

void CExtControlBar::GetAdjacentRowInfo(bool bNext, CArray<CExtControlBar*, CExtControlBar*>& arrBars,
                                        RECT* pRcUnion, int* pIndex, bool* pbHasResizable, bool* pbFull) const
{
    ResetRowOutputs(arrBars, pRcUnion, pIndex, pbHasResizable, pbFull);
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return;
    const RowSpan row = RowAround(m_pDockBar, nThis);
    // The row break after this row (or before it) leads to the neighbour row.
    const int nBreak = bNext ? row.nLast + 1 : row.nFirst - 1;
    const int nStart = bNext ? nBreak + 1 : nBreak - 1;
    if (nBreak < 0 || nStart < 0 || nStart >= m_pDockBar->m_arrBars.GetSize()
        || m_pDockBar->m_arrBars[nStart] == nullptr)
        return;
    CollectRow(RowAround(m_pDockBar, nStart), arrBars, pRcUnion, pbHasResizable, pbFull);
}

void CExtControlBar::GetRowInfoAt(CArray<CExtControlBar*, CExtControlBar*>& arrBars, int nRow, RECT* pRcUnion,
                                  int* pIndex, bool* pbHasResizable, bool* pbFull) const
{
    ResetRowOutputs(arrBars, pRcUnion, pIndex, pbHasResizable, pbFull);
    if (m_pDockBar == nullptr || nRow < 0)
        return;
    int nCurrentRow = 0;
    for (int i = 1; i < m_pDockBar->m_arrBars.GetSize(); ++i) {
        if (m_pDockBar->m_arrBars[i] == nullptr) {
            ++nCurrentRow;
            continue;
        }
        if (nCurrentRow == nRow) {
            CollectRow(RowAround(m_pDockBar, i), arrBars, pRcUnion, pbHasResizable, pbFull);
            return;
        }
    }
}

bool CExtControlBar::IsInRowSplitterActive()
{
    return IsSplitterActiveTowards(1);
}

bool CExtControlBar::IsLeadSplitterActive()
{
    return IsSplitterActiveTowards(-1);
}

bool CExtControlBar::IsSplitterActiveTowards(int nStep) const
{
    const CExtControlBar* pFrom = this;
    if (!IsVisibleInRow(this)) {
        // A hidden bar answers for the last visible resizable bar before it.
        pFrom = NeighbourInRow(-1, true);
        if (pFrom == nullptr)
            return true;
    }
    CExtControlBar* pNeighbour = pFrom->NeighbourInRow(nStep, true);
    if (pNeighbour == nullptr)
        return true;
    return !(pFrom->IsCollapsedInRow() && pNeighbour->IsCollapsedInRow());
}

void CExtControlBar::ExpandInRow()
{
    if (IsFloating() || m_pDockBar == nullptr || IsSingleVisibleInRow(false, false))
        return;
    const int nThis = FindBarIndex(m_pDockBar, this);
    const RowSpan row = RowAround(m_pDockBar, nThis);
    int nGained = 0;
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CExtControlBar* pBar = AsResizableBar(BarAt(m_pDockBar, i));
        if (pBar == nullptr || pBar == this || !IsVisibleInRow(pBar))
            continue;
        const int nMin = pBar->GetMinimalExtent();
        nGained += pBar->GetRowExtent() - nMin;
        pBar->SetRowExtent(nMin);
    }
    SetRowExtent(GetRowExtent() + nGained);
    if (CFrameWnd* pFrame = GetDockSiteOrFrame())
        pFrame->RecalcLayout(TRUE);
}

int CExtControlBar::TakeExtentFromRow(int nWanted)
{
    const int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0 || nWanted <= 0)
        return 0;
    const RowSpan row = RowAround(m_pDockBar, nThis);
    CArray<CExtControlBar*, CExtControlBar*> arrGivers;
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CExtControlBar* pBar = AsResizableBar(BarAt(m_pDockBar, i));
        if (pBar != nullptr && pBar != this && IsVisibleInRow(pBar) && pBar->GetRowExtent() > pBar->GetMinimalExtent())
            arrGivers.Add(pBar);
    }
    int nTaken = 0;
    // One pixel from each giver in turn, so that the room comes evenly from every neighbour.
    while (nTaken < nWanted && arrGivers.GetSize() > 0) {
        for (INT_PTR i = 0; i < arrGivers.GetSize() && nTaken < nWanted;) {
            CExtControlBar* pGiver = arrGivers[i];
            pGiver->SetRowExtent(pGiver->GetRowExtent() - 1);
            ++nTaken;
            if (pGiver->GetRowExtent() <= pGiver->GetMinimalExtent())
                arrGivers.RemoveAt(i);
            else
                ++i;
        }
    }
    return nTaken;
}

void CExtControlBar::ReclaimRowExtent()
{
    if (IsFloating() || m_bAutoHidden || IsFixedSizeBar() || IsKindOfNamed(this, kDynControlBar)
        || m_pDockBar == nullptr || m_hWnd == nullptr)
        return;
    if (!IsVisible()) {
        if (GetRowExtent() > 0)
            m_nReclaimExtent = GetRowExtent();
        return;
    }
    if (m_nReclaimExtent == 0)
        return;
    const int nWanted = m_nReclaimExtent;
    m_nReclaimExtent = 0;
    TakeExtentFromRow(nWanted);
}

void CExtControlBar::MakeRoomInRow()
{
    if (IsVisible() || m_pDockBar == nullptr || IsFloating())
        return;
    int nWanted = GetRowExtent();
    if (nWanted == 0)
        nWanted = GetMinimalExtent();
    const int nThis = FindBarIndex(m_pDockBar, this);
    const RowSpan row = RowAround(m_pDockBar, nThis);
    for (int i = row.nFirst; i <= row.nLast; ++i) {
        CExtControlBar* pBar = AsResizableBar(BarAt(m_pDockBar, i));
        if (pBar != nullptr && pBar != this && IsVisibleInRow(pBar)) {
            SetRowThickness(pBar->GetRowThickness());
            break;
        }
    }
    TakeExtentFromRow(nWanted);
}

void CExtControlBar::MoveToOwnRow()
{
    CFrameWnd* pFrame = GetDockSiteOrFrame();
    if (pFrame == nullptr || m_pDockBar == nullptr)
        return;
    pFrame->RecalcLayout(TRUE);
    int nThis = FindBarIndex(m_pDockBar, this);
    if (nThis < 0)
        return;
    if (BarAt(m_pDockBar, nThis - 1) != nullptr) {
        m_pDockBar->m_arrBars.InsertAt(nThis, static_cast<void*>(nullptr));
        ++nThis;
    }
    if (BarAt(m_pDockBar, nThis + 1) != nullptr)
        m_pDockBar->m_arrBars.InsertAt(nThis + 1, static_cast<void*>(nullptr));
    SetRowExtent(kStretchExtent);
    pFrame->RecalcLayout(TRUE);
}

void CExtControlBar::MoveRowPastRow(CControlBar* pBar, CControlBar* pReference)
{
    if (pBar == nullptr || pReference == nullptr || pBar->m_pDockBar == nullptr
        || pBar->m_pDockBar != pReference->m_pDockBar)
        return;
    CDockBar* pDockBar = pBar->m_pDockBar;
    const int nBar = FindBarIndex(pDockBar, pBar);
    const int nRef = FindBarIndex(pDockBar, pReference);
    if (nBar < 0 || nRef < 0)
        return;
    const RowSpan barRow = RowAround(pDockBar, nBar);
    const RowSpan refRow = RowAround(pDockBar, nRef);
    if (barRow.nFirst == refRow.nFirst)
        return;
    pDockBar->Invalidate();
    pBar->Invalidate();
    pReference->Invalidate();
    CPtrArray arrRow;
    for (int i = barRow.nFirst; i <= barRow.nLast; ++i)
        arrRow.Add(pDockBar->m_arrBars[i]);
    // The row goes out with the row break that ends it.
    int nCut = barRow.nLast - barRow.nFirst + 1;
    if (barRow.nLast + 1 < pDockBar->m_arrBars.GetSize())
        ++nCut;
    pDockBar->m_arrBars.RemoveAt(barRow.nFirst, nCut);
    int nInsert = 0;
    if (barRow.nFirst < refRow.nFirst) {
        const int nRefLast = refRow.nLast - nCut;
        nInsert = nRefLast + 2;
    } else {
        nInsert = std::max(1, refRow.nFirst);
    }
    nInsert = std::min<int>(nInsert, static_cast<int>(pDockBar->m_arrBars.GetSize()));
    for (INT_PTR i = 0; i < arrRow.GetSize(); ++i)
        pDockBar->m_arrBars.InsertAt(nInsert + static_cast<int>(i), arrRow[i]);
    pDockBar->m_arrBars.InsertAt(nInsert + static_cast<int>(arrRow.GetSize()), static_cast<void*>(nullptr));
}

void CExtControlBar::RelayoutDockBar(CFrameWnd* pFrame, CDockBar* pDockBar)
{
    if (pFrame == nullptr || pDockBar == nullptr || pDockBar->GetSafeHwnd() == nullptr)
        return;
    pDockBar->Invalidate();
    if (!pDockBar->IsWindowVisible()) {
        pFrame->RecalcLayout(TRUE);
        return;
    }
    CRect rcDock;
    pDockBar->GetWindowRect(&rcDock);
    const bool bHorz = IsHorizontalDockBar(pDockBar);
    const BOOL bOldQuery = pDockBar->m_bLayoutQuery;
    const CRect rcOldLayout = pDockBar->m_rectLayout;
    pDockBar->m_bLayoutQuery = TRUE;
    pDockBar->m_rectLayout = rcDock;
    const CSize sizeQuery = pDockBar->CalcFixedLayout(TRUE, bHorz);
    if (sizeQuery == rcDock.Size()) {
        pDockBar->m_bLayoutQuery = FALSE;
        pDockBar->CalcFixedLayout(TRUE, bHorz);
    }
    pDockBar->m_bLayoutQuery = bOldQuery;
    pDockBar->m_rectLayout = rcOldLayout;
    if (sizeQuery != rcDock.Size())
        pFrame->RecalcLayout(TRUE);
    CExtPaintManager::DispatchPendingPaintMessages(true, true, true);
}
