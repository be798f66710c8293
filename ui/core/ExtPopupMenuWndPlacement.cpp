// Where a popup menu lies on the screen beside the area that opened it.
#include "ui/core/ExtPopupMenuWnd.h"

namespace {

// The overlap of a combined menu's border with its exclude area: one pixel below or right of
// it, the shadow as well above or left of it (the shadow falls on the area then).
int CombinedOverlap(int nAlign, int nShadow)
{
    return nAlign == CExtPopupMenuWnd::ALIGN_LEFT || nAlign == CExtPopupMenuWnd::ALIGN_ABOVE ? nShadow + 1 : 1;
}

void MoveTo(CRect& rc, int x, int y)
{
    rc.OffsetRect(x - rc.left, y - rc.top);
}

int FindCombinedSide(const CRect& rc, const CRect& rcExclude, int nShadow)
{
    if (rc.top == rcExclude.bottom - 1)
        return CExtPopupBaseWnd::SIDE_BELOW;
    if (rc.bottom == rcExclude.top + nShadow + 1)
        return CExtPopupBaseWnd::SIDE_ABOVE;
    if (rc.right == rcExclude.left + nShadow + 1)
        return CExtPopupBaseWnd::SIDE_LEFT;
    if (rc.left == rcExclude.right - 1)
        return CExtPopupBaseWnd::SIDE_RIGHT;
    return CExtPopupBaseWnd::SIDE_NONE;
}

} // namespace

CExtPopupMenuWnd::PlacementResult CExtPopupMenuWnd::PlaceMenu(const PlacementInput& in)
{
    PlacementResult out{};
    out.bExcludeGiven = in.bExcludeGiven;
    out.bCombined = in.bCombined && in.bExcludeGiven;
    const CRect area = in.rcArea;
    const CRect rcExclude = in.rcExclude;
    const int w = in.size.cx;
    const int h = in.size.cy;
    const int overlap = out.bCombined ? CombinedOverlap(in.nAlign, in.nShadow) : 0;

    CRect rc(in.ptTrack, in.size);
    if (out.bCombined) {
        switch (in.nAlign) {
        case ALIGN_RIGHT: rc.OffsetRect(-overlap, 0); break;
        case ALIGN_BELOW: rc.OffsetRect(0, -overlap); break;
        case ALIGN_LEFT: rc.OffsetRect(overlap, 0); break;
        case ALIGN_ABOVE: rc.OffsetRect(0, overlap); break;
        default: break;
        }
    }
    if (in.bRightToLeft && (in.nAlign == ALIGN_BELOW || in.nAlign == ALIGN_ABOVE) && out.bExcludeGiven)
        rc.OffsetRect(rcExclude.right - (rc.right - in.nShadow), 0);

    if (rc.bottom > area.bottom) {
        if (out.bExcludeGiven) {
            // In line with the bottom of the item a submenu opened beside.
            rc.OffsetRect(0, -(h - rcExclude.Height() - in.nShadow - (out.bCombined ? 0 : in.nBorder)));
            if (rc.bottom > area.bottom)
                rc.OffsetRect(0, area.bottom - rc.bottom);
        } else {
            rc.OffsetRect(0, -h);
        }
    }
    if (rc.top < area.top)
        rc.OffsetRect(0, area.top - rc.top);

    if (rc.right > area.right) {
        if (in.bSubmenu && out.bExcludeGiven) {
            const int gap = rc.left - rcExclude.right;
            rc.OffsetRect((rcExclude.left - gap) - rc.right, 0);
        } else if (!out.bExcludeGiven) {
            rc.OffsetRect(-w, 0);
        }
        if (rc.right > area.right)
            rc.OffsetRect(area.right - rc.right, 0);
    } else if (rc.left < area.left && in.bSubmenu && out.bExcludeGiven) {
        const int gap = rcExclude.left - rc.right;
        rc.OffsetRect((rcExclude.right + gap) - rc.left, 0);
    }
    if (rc.left < area.left)
        rc.OffsetRect(area.left - rc.left, 0);

    CRect rcMeet;
    if (out.bExcludeGiven && (out.bCombined || rcMeet.IntersectRect(&rc, &rcExclude))) {
        switch (in.nAlign) {
        case ALIGN_RIGHT:
            if (area.right - rcExclude.right >= w)
                MoveTo(rc, rcExclude.right - overlap, rc.top);
            break;
        case ALIGN_LEFT:
            if (rcExclude.left - area.left >= w)
                MoveTo(rc, rcExclude.left + overlap - w, rc.top);
            break;
        case ALIGN_BELOW:
            if (area.bottom - rcExclude.bottom >= h) {
                MoveTo(rc, rc.left, rcExclude.bottom - overlap);
            } else {
                PlacementInput above = in;
                above.nAlign = ALIGN_ABOVE;
                above.ptTrack = CPoint(rcExclude.left, rcExclude.top - h);
                return PlaceMenu(above);
            }
            break;
        case ALIGN_ABOVE:
            if (rcExclude.top - area.top >= h)
                MoveTo(rc, rc.left, rcExclude.top + overlap - h);
            break;
        default:
            break;
        }
    }

    const CRect rcBeforeClamp = rc;
    if (rc.right > area.right)
        rc.OffsetRect(area.right - rc.right, 0);
    if (rc.left < area.left)
        rc.OffsetRect(area.left - rc.left, 0);
    if (rc.bottom > area.bottom)
        rc.OffsetRect(0, area.bottom - rc.bottom);
    if (rc.top < area.top)
        rc.OffsetRect(0, area.top - rc.top);
    if (rc.Height() > area.Height()) {
        rc.top = area.top;
        rc.bottom = area.bottom;
        out.bScrolling = true;
    }
    if (rc != rcBeforeClamp && in.bTopLevel) {
        out.bExcludeGiven = false;
        out.bCombined = false;
    }

    if (!out.bCombined) {
        out.rcWindow = rc;
        out.rcMenu = CRect(0, 0, rc.Width() - in.nShadow, rc.Height() - in.nShadow);
        return out;
    }
    out.nSide = FindCombinedSide(rc, rcExclude, in.nShadow);
    if (out.nSide == SIDE_NONE) {
        PlacementInput apart = in;
        apart.bCombined = false;
        return PlaceMenu(apart);
    }
    // The exclude area takes the shadow on the sides that stay open.
    CRect rcJoined = rcExclude;
    if (out.nSide != SIDE_LEFT)
        rcJoined.right += in.nShadow;
    if (out.nSide != SIDE_ABOVE)
        rcJoined.bottom += in.nShadow;
    CRect rcWindow;
    rcWindow.UnionRect(&rc, &rcJoined);
    out.rcWindow = rcWindow;
    CRect rcMenu(0, 0, rc.Width() - in.nShadow, rc.Height() - in.nShadow);
    rcMenu.OffsetRect(rc.left - rcWindow.left, rc.top - rcWindow.top);
    out.rcMenu = rcMenu;
    CRect rcExcludeClient = rcExclude;
    rcExcludeClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    out.rcExcludeClient = rcExcludeClient;
    return out;
}
