#include "ui/bars/ExtDockDynBar.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtDynControlBar.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CExtDockDynBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockDynBar, CExtDockBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

bool IsPlaceholder(void* p)
{
    return p != nullptr && reinterpret_cast<UINT_PTR>(p) < AFX_DOCKBAR_PLACEHOLDER_LIMIT;
}

CExtControlBar* AsFrameworkBar(void* p)
{
    if (p == nullptr || IsPlaceholder(p))
        return nullptr;
    auto* pBar = static_cast<CControlBar*>(p);
    return pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? static_cast<CExtControlBar*>(pBar) : nullptr;
}

} // namespace

CExtDockDynBar::CExtDockDynBar() : CExtDockDynBar(0)
{
}

CExtDockDynBar::CExtDockDynBar(UINT nRing) : CExtDockBar(nRing), m_bLeftFrameList(false)
{
    m_bAutoDelete = TRUE;
}

CExtDockDynBar::~CExtDockDynBar() = default;

BOOL CExtDockDynBar::PreTranslateMessage(MSG* pMsg)
{
    // The plain window's handling: the container bar above does the bar's.
    return CWnd::PreTranslateMessage(pMsg);
}

CControlBar* CExtDockDynBar::ContainerBar() const
{
    CWnd* pParent = GetParent();
    return (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) ? static_cast<CControlBar*>(pParent)
                                                                                : nullptr;
}

bool CExtDockDynBar::IsHorizontalRows() const
{
    const UINT nId = static_cast<UINT>(GetDlgCtrlID());
    return nId == AFX_IDW_DOCKBAR_TOP || nId == AFX_IDW_DOCKBAR_BOTTOM;
}

void CExtDockDynBar::CollectBars(CArray<CExtControlBar*, CExtControlBar*>& arrBars) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CExtControlBar* pBar = AsFrameworkBar(m_arrBars[i]))
            arrBars.Add(pBar);
}

void CExtDockDynBar::CollectVisibleLayout(VisibleLayout_t& layout) const
{
    layout = VisibleLayout_t{};
    const bool bHorz = IsHorizontalRows();
    VisibleLayoutItem_t row;
    int nRowCrossMin = 0;
    int nRowAlongMin = 0;
    auto closeRow = [&]() {
        if (row.m_arrBars.empty())
            return;
        layout.m_nCrossTotal += row.m_nCrossExtent;
        layout.m_nCrossMinimumTotal += nRowCrossMin;
        layout.m_nAlongMinimumMax = std::max(layout.m_nAlongMinimumMax, nRowAlongMin);
        layout.m_rows.push_back(row);
        row = VisibleLayoutItem_t{};
        nRowCrossMin = 0;
        nRowAlongMin = 0;
    };
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (p == nullptr) {
            closeRow();
            continue;
        }
        CExtControlBar* pBar = AsFrameworkBar(p);
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || !pBar->IsVisible())
            continue;
        const int nCross = bHorz ? pBar->m_sizeDockedHorz.cy : pBar->m_sizeDockedVert.cx;
        const int nCrossMin = bHorz ? pBar->GetMinimalHeight() : pBar->GetMinimalWidth();
        const int nAlongMin = bHorz ? pBar->GetMinimalWidth() : pBar->GetMinimalHeight();
        if (row.m_arrBars.empty()) {
            row.m_nCrossExtent = nCross;
            row.m_nCrossMinimum = nCrossMin;
            nRowCrossMin = nCrossMin;
        } else {
            nRowCrossMin = std::min(nRowCrossMin, nCrossMin);
        }
        row.m_arrBars.push_back(pBar);
        row.m_nAlongExtent += bHorz ? pBar->m_sizeDockedHorz.cx : pBar->m_sizeDockedVert.cy;
        nRowAlongMin += nAlongMin;
        ++layout.m_nBarCount;
    }
    closeRow();
}

int CExtDockDynBar::SpreadDifference(std::vector<int>& sizes, const std::vector<int>& minimums, int nDifference)
{
    const int nStep = nDifference > 0 ? 1 : -1;
    const size_t n = sizes.size();
    while (nDifference != 0) {
        // Whole passes at once: every size that may move takes the same share.
        std::vector<size_t> movable;
        for (size_t i = 0; i < n; ++i)
            if (nStep > 0 || sizes[i] > minimums[i])
                movable.push_back(i);
        if (movable.empty())
            break;
        const int nShare = std::abs(nDifference) / static_cast<int>(movable.size());
        if (nShare == 0) {
            for (size_t i : movable) {
                if (nDifference == 0)
                    break;
                sizes[i] += nStep;
                nDifference -= nStep;
            }
            continue;
        }
        for (size_t i : movable) {
            const int nRoom = nStep > 0 ? nShare : std::min(nShare, sizes[i] - minimums[i]);
            sizes[i] += nStep * nRoom;
            nDifference -= nStep * nRoom;
        }
    }
    return nDifference;
}

void CExtDockDynBar::LayoutRows()
{
    VisibleLayout_t layout;
    CollectVisibleLayout(layout);
    if (layout.m_nBarCount == 0)
        return;
    const bool bHorz = IsHorizontalRows();
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nClientCross = bHorz ? rcClient.Height() : rcClient.Width();
    const int nClientAlong = bHorz ? rcClient.Width() : rcClient.Height();
    auto crossOf = [bHorz](CExtControlBar* pBar) -> LONG& {
        return bHorz ? pBar->m_sizeDockedHorz.cy : pBar->m_sizeDockedVert.cx;
    };
    auto alongOf = [bHorz](CExtControlBar* pBar) -> LONG& {
        return bHorz ? pBar->m_sizeDockedHorz.cx : pBar->m_sizeDockedVert.cy;
    };

    if (nClientCross != layout.m_nCrossTotal) {
        std::vector<int> sizes, minimums;
        for (const auto& row : layout.m_rows) {
            sizes.push_back(row.m_nCrossExtent);
            minimums.push_back(row.m_nCrossMinimum);
        }
        SpreadDifference(sizes, minimums, nClientCross - layout.m_nCrossTotal);
        // Bars of one row keep their differences.
        for (size_t r = 0; r < layout.m_rows.size(); ++r) {
            const int nDelta = sizes[r] - layout.m_rows[r].m_nCrossExtent;
            for (CExtControlBar* pBar : layout.m_rows[r].m_arrBars)
                crossOf(pBar) += nDelta;
            layout.m_rows[r].m_nCrossExtent = sizes[r];
        }
    } else {
        for (const auto& row : layout.m_rows)
            for (CExtControlBar* pBar : row.m_arrBars)
                crossOf(pBar) = row.m_nCrossExtent;
    }

    for (auto& row : layout.m_rows) {
        std::vector<int> sizes, minimums;
        for (CExtControlBar* pBar : row.m_arrBars) {
            sizes.push_back(alongOf(pBar));
            minimums.push_back(bHorz ? pBar->GetMinimalWidth() : pBar->GetMinimalHeight());
        }
        SpreadDifference(sizes, minimums, nClientAlong - row.m_nAlongExtent);
        for (size_t i = 0; i < row.m_arrBars.size(); ++i)
            alongOf(row.m_arrBars[i]) = sizes[i];
    }

    constexpr UINT MOVE_FLAGS = SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    HDWP hDwp = ::BeginDeferWindowPos(layout.m_nBarCount);
    int nCross = 0;
    for (const auto& row : layout.m_rows) {
        int nAlong = 0;
        for (CExtControlBar* pBar : row.m_arrBars) {
            const CSize size = bHorz ? pBar->m_sizeDockedHorz : pBar->m_sizeDockedVert;
            const CPoint pt = bHorz ? CPoint(nAlong, nCross) : CPoint(nCross, nAlong);
            if (hDwp != nullptr)
                hDwp = ::DeferWindowPos(hDwp, pBar->GetSafeHwnd(), nullptr, pt.x, pt.y, size.cx, size.cy, MOVE_FLAGS);
            if (hDwp == nullptr)
                pBar->SetWindowPos(nullptr, pt.x, pt.y, size.cx, size.cy, MOVE_FLAGS);
            nAlong += bHorz ? size.cx : size.cy;
        }
        nCross += crossOf(row.m_arrBars[0]);
    }
    if (hDwp != nullptr)
        ::EndDeferWindowPos(hDwp);
    for (const auto& row : layout.m_rows)
        for (CExtControlBar* pBar : row.m_arrBars)
            pBar->FitChildToClient(-1, -1, true);
}

void CExtDockDynBar::ApplyDelayedShows()
{
    // The frame's layout never reaches the bars of a container, so their pending shows and hides
    // are applied here, as a frame's dock bar applies those of its own bars.
    CArray<CExtControlBar*, CExtControlBar*> bars;
    CollectBars(bars);
    for (INT_PTR i = 0; i < bars.GetSize(); ++i)
        if (bars[i]->GetSafeHwnd() != nullptr)
            bars[i]->RecalcDelayShow(nullptr);
}

CSize CExtDockDynBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    bool bAnyBar = false;
    for (INT_PTR i = 1; i < m_arrBars.GetSize() && !bAnyBar; ++i)
        bAnyBar = m_arrBars[i] != nullptr && !IsPlaceholder(m_arrBars[i]);
    CRect rcWindow(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr)
        GetWindowRect(&rcWindow);
    if (bAnyBar && bStretch && !rcWindow.IsRectEmpty()) {
        ApplyDelayedShows();
        LayoutRows();
    }
    return rcWindow.Size();
}

CExtDynAutoHideArea* CExtDockDynBar::GetAutoHideArea() const
{
    CControlBar* pContainer = ContainerBar();
    CDockBar* pHolder = pContainer != nullptr ? pContainer->m_pDockBar : nullptr;
    if (pHolder == nullptr || pHolder == this || !pHolder->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        return nullptr;
    return static_cast<CExtDockBar*>(pHolder)->GetAutoHideArea();
}

void CExtDockDynBar::SetLayoutLocked(bool bLocked)
{
    CExtDockBar::SetLayoutLocked(bLocked);
    CControlBar* pContainer = ContainerBar();
    CDockBar* pHolder = pContainer != nullptr ? pContainer->m_pDockBar : nullptr;
    if (pHolder != nullptr && pHolder != this && pHolder->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        static_cast<CExtDockBar*>(pHolder)->SetLayoutLocked(bLocked);
}

void CExtDockDynBar::UpdateNestedLayout()
{
    if (m_bLayoutLocked || m_bInNestedUpdate)
        return;
    CalcFixedLayout(TRUE, IsHorizontalRows());
    CExtDockBar::UpdateNestedLayout();
}

void CExtDockDynBar::CollapseRedundantContainers()
{
    if (m_bLayoutLocked)
        return;
    int nBars = 0;
    int nPlaceholders = 0;
    CControlBar* pOnly = nullptr;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (p == nullptr)
            continue;
        if (IsPlaceholder(p)) {
            ++nPlaceholders;
        } else {
            ++nBars;
            pOnly = static_cast<CControlBar*>(p);
        }
    }
    if (!(nBars == 0 || (nBars == 1 && nPlaceholders == 0))) {
        CExtDockBar::CollapseRedundantContainers();
        return;
    }
    CControlBar* pContainer = ContainerBar();
    CDockBar* pHolder = pContainer != nullptr ? pContainer->m_pDockBar : nullptr;
    CFrameWnd* pSite = m_pDockSite;
    if (pContainer == nullptr || pHolder == nullptr || pHolder == this)
        return;
    CFrameWnd* pMyFrame = GetParentFrame();
    const bool bInFloatingFrame = pMyFrame != nullptr && pMyFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
    if (bInFloatingFrame)
        pMyFrame->DelayRecalcLayout();
    if (pSite != nullptr && !m_bLeftFrameList)
        pSite->RemoveControlBar(this);
    if (nBars == 1) {
        const INT_PTR nEntry = pHolder->FindBar(pContainer);
        if (nEntry >= 0)
            pHolder->m_arrBars[nEntry] = pOnly;
        CRect rcContainer;
        pContainer->GetWindowRect(&rcContainer);
        if (pOnly->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !static_cast<CExtControlBar*>(pOnly)->IsFixedSizeBar()) {
            auto* pBar = static_cast<CExtControlBar*>(pOnly);
            if ((pHolder->m_dwStyle & CBRS_ORIENT_HORZ) != 0)
                pBar->m_sizeDockedHorz = rcContainer.Size();
            else
                pBar->m_sizeDockedVert = rcContainer.Size();
            pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) |
                              (pContainer->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
        }
        m_arrBars.RemoveAll();
        m_arrBars.Add(nullptr);
        pHolder->ScreenToClient(&rcContainer);
        pOnly->SetParent(pHolder);
        pOnly->m_pDockBar = pHolder;
        pOnly->SetWindowPos(nullptr, rcContainer.left, rcContainer.top, rcContainer.Width(), rcContainer.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        pHolder->RemoveControlBar(pContainer, -1, 0);
    }
    if (pSite != nullptr)
        pSite->RemoveControlBar(pContainer);
    // The container takes this dock bar with it: nothing of this object is touched after.
    pContainer->DestroyWindow();
    if (pHolder->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        static_cast<CExtDockBar*>(pHolder)->CollapseRedundantContainers();
    if (!bInFloatingFrame && pSite != nullptr)
        pSite->DelayRecalcLayout();
}

void CExtDockDynBar::OnSize(UINT nType, int cx, int cy)
{
    CExtDockBar::OnSize(nType, cx, cy);
    if (m_bLeftFrameList || m_pDockSite == nullptr)
        return;
    // The frame's own layout never places a container's dock bar.
    if (m_pDockSite->m_listControlBars.Find(this) != nullptr)
        m_pDockSite->RemoveControlBar(this);
    m_bLeftFrameList = true;
}
