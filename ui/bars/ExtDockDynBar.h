#pragma once
// The dock bar inside a container bar: it arranges the container's bars in rows (a top id) or
// columns (a left id) and dissolves the container when it holds one bar or none.
#include "ui/bars/ExtDockBar.h"

#include <vector>

class CExtControlBar;

class CExtDockDynBar : public CExtDockBar
{
    DECLARE_DYNCREATE(CExtDockDynBar)
public:
    // One row (a column in a left container) of visible bars.
    struct VisibleLayoutItem_t
    {
        std::vector<CExtControlBar*> m_arrBars;
        int m_nCrossExtent = 0;    // the first bar's cross size
        int m_nCrossMinimum = 0;   // the first bar's minimal cross size
        int m_nAlongExtent = 0;    // the bars' sizes along the row, summed
    };
    // Every row, with the sums the layout and the minimal size use.
    struct VisibleLayout_t
    {
        std::vector<VisibleLayoutItem_t> m_rows;
        int m_nCrossTotal = 0;         // the rows' cross extents, summed
        int m_nCrossMinimumTotal = 0;  // the smallest cross minimum of each row, summed
        int m_nAlongMinimumMax = 0;    // the largest sum of minimal extents along a row
        int m_nBarCount = 0;
    };

    CExtDockDynBar();
    explicit CExtDockDynBar(UINT nRing);
    ~CExtDockDynBar() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CExtDynAutoHideArea* GetAutoHideArea() const override;
    void SetLayoutLocked(bool bLocked) override;
    void UpdateNestedLayout() override;
    void CollapseRedundantContainers() override;

    // Every bar entry: no row breaks, no placeholders.
    void CollectBars(CArray<CExtControlBar*, CExtControlBar*>& arrBars) const;
    bool IsHorizontalRows() const;
    void CollectVisibleLayout(VisibleLayout_t& layout) const;
    // Spreads a difference one pixel at a time over the sizes in turn, pass after pass; when
    // shrinking, sizes at their minimum are skipped and a pass that skipped them all ends it.
    // The part of the difference that could not be spread.
    static int SpreadDifference(std::vector<int>& sizes, const std::vector<int>& minimums, int nDifference);

    bool m_bLeftFrameList : 1;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // Fits the rows to the client area and places the bars.
    void LayoutRows();
    // Shows and hides its bars as ShowControlBar asked with a delay.
    void ApplyDelayedShows();
    CControlBar* ContainerBar() const;
};
