#pragma once
// The four frame sides as the drag code walks them: always top, bottom, left, right.
#include "platform/mfc/Afx.h"

namespace ExtDragSides
{
struct Side
{
    UINT nDockBarId;   // the side's dock-bar id
    DWORD dwAlign;     // the CBRS_ALIGN_ bit a bar needs to dock there
    bool bHorizontal;  // rows run along a horizontal edge
};

constexpr Side SIDES[4] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, true},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, true},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, false},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, false},
};
constexpr int TOP = 0;
constexpr int BOTTOM = 1;
constexpr int LEFT = 2;
constexpr int RIGHT = 3;

// The side index of a dock-bar id, -1 for the floating id or any other.
inline int IndexOfId(UINT nId)
{
    for (int i = 0; i < 4; ++i)
        if (SIDES[i].nDockBarId == nId)
            return i;
    return -1;
}

// A band of the given thickness along one edge of the rectangle, inside it.
inline CRect EdgeBand(const CRect& rc, int nSide, int nThickness)
{
    CRect band(rc);
    switch (nSide) {
    case TOP: band.bottom = band.top + nThickness; break;
    case BOTTOM: band.top = band.bottom - nThickness; break;
    case LEFT: band.right = band.left + nThickness; break;
    default: band.left = band.right - nThickness; break;
    }
    return band;
}
} // namespace ExtDragSides
