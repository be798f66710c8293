#pragma once
// The outermost dock bar of a frame side (ring 0): fixed-size bars in rows (columns at the left
// and right). Each bar keeps a preferred place and size in its row; a row that grows short first
// closes gaps and shrinks its bars to their minimal sizes, then wraps; when room comes back the
// preferred sizes and places return in priority order. A bar dragged along its row slides,
// pushes and swaps its neighbours.
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtDockBar.h"

#include <vector>

class CExtDockOuterBar : public CExtDockBar
{
    DECLARE_DYNAMIC(CExtDockOuterBar)
public:
    // One bar of the row being laid out.
    struct OuterLayoutItemData
    {
        CControlBar* m_pBar = nullptr;
        bool m_bVisible = false;
        CSize m_size;       // what the bar asks for
        CSize m_sizeMin;    // its non-client extent plus, for framework bars, its minimal size
        CRect m_rcLayout;   // the place this layout gives it (dock-bar client coordinates)
        CRect m_rcCurrent;  // its window when the layout started (dock-bar client coordinates)
    };
    using OuterItems = std::vector<OuterLayoutItemData>;

    CExtDockOuterBar();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void UpdateNestedLayout() override;
    void CollapseRedundantContainers() override;

    // Lays one row out from position (advanced past the rows it took); rowCount counts the rows
    // it needed, changed tells whether it had to wrap or compress.
    void LayoutRow(CSize& sizeTotal, SIZE sizeAvail, POINT& ptPosition, bool bHorz, AFX_SIZEPARENTPARAMS* pLayout,
                   OuterItems& items, int* pnRowCount, bool* pbChanged);
    // Fits items [nFirst, nLast] into [0, nLength]: gaps closed first, then bars shrunk down to
    // their minimal extents from the last back. FALSE (nothing changed) when they cannot fit.
    bool CompressRow(OuterItems& items, int nFirst, int nLast, int nLength, bool bHorz, bool* pbExactFit,
                     bool* pbChanged);
    // Moves the bar along its row by nDelta, pushing and swapping its neighbours.
    void SlideBarInRow(CExtControlBar* pBar, int nDelta, bool* pbChanged);
    // Moves the bar into a row of its own before or after the reference bar's row.
    void InsertBarInNewRow(CExtControlBar* pReference, CExtControlBar* pBar, bool bBefore);
    // Puts the bar into the row of rowBars at offset along it, when the row has room for it.
    bool MoveBarIntoRow(CExtControlBar* pBar, const CArray<CControlBar*, CControlBar*>& rowBars, int nOffset);
    // The moved bar gets key 1, the other bars of its row 2, 3, ... in their old order.
    void RankPlacements(CExtControlBar* pMovedBar);
    // One step of a fixed-size bar's drag over this dock bar with the cursor at ptCursor (it was
    // at ptLastCursor): within its row the bar slides, across rows it changes rows, from
    // elsewhere it docks here. FALSE when the bar may not dock at this side. pnCursorHint gets
    // the drag's cursor: 1 sizing across, 2 sizing up and down, 0 the default.
    bool DragFixedBar(CExtControlBar* pBar, const POINT& ptCursor, const POINT& ptLastCursor, int* pnCursorHint);
    // Places the bar by its placement record (its preferred place in the row).
    void ApplyBarPlacement(CExtControlBar* pBar, const CExtControlBar::FixedBarPlacement_t& placement);

    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy);
    afx_msg LRESULT OnThemeChanged();
    DECLARE_MESSAGE_MAP()

private:
    // The bars of the row around entry nIndex as layout items.
    OuterItems RowItems(int nIndex, bool bHorz);
    // Lays the row of the bar out for real and repaints it.
    void RelayoutRow(int nIndex, bool bHorz);
};
