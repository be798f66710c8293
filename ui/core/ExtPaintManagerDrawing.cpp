// Classic drawing of glyphs, buttons, separators, frames and backgrounds.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtPaintGlyphSet.h"

#include <algorithm>

namespace {
constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr int EDIT_WINDOW_RINGS = 3;
constexpr int GRIPPER_GROUPS = 3;
constexpr int GRIPPER_GROUP_STEP = 4;
constexpr int GRIPPER_CORNER_GAP = 2;

CRect Normalized(const RECT& rc)
{
    CRect r(rc);
    r.NormalizeRect();
    return r;
}

} // namespace

int CExtPaintManager::GlyphForSystemCommand(UINT nSysCmd)
{
    switch (nSysCmd) {
    case SC_CLOSE: return CExtPaintGlyphSet::Close;
    case SC_MINIMIZE: return CExtPaintGlyphSet::Minimize;
    case SC_MAXIMIZE: return CExtPaintGlyphSet::Maximize;
    case SC_RESTORE: return CExtPaintGlyphSet::Restore;
    case SC_CONTEXTHELP: return CExtPaintGlyphSet::ContextHelp;
    default: return -1;
    }
}

bool CExtPaintManager::IsVisible(CDC& dc, const RECT& rc)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return false;
    return dc.RectVisible(&rc) != FALSE;
}

void CExtPaintManager::DrawGlyph(CDC& dc, int x, int y, const CExtPaintGlyph& glyph, const COLORREF* pPalette)
{
    if (pPalette == nullptr || glyph.IsEmpty())
        return;
    const SIZE size = glyph.GetSize();
    for (int row = 0; row < size.cy; ++row)
        for (int col = 0; col < size.cx; ++col) {
            const UINT n = glyph.GetPixel(col, row);
            if (n != 0)
                dc.SetPixel(x + col, y + row, pPalette[n]);
        }
}

void CExtPaintManager::DrawGlyphCentred(CDC& dc, const RECT& rc, const CExtPaintGlyph& glyph, const COLORREF* pPalette)
{
    const CRect r = Normalized(rc);
    if (r.IsRectEmpty())
        return;
    const SIZE size = glyph.GetSize();
    DrawGlyph(dc, r.left + (r.Width() - size.cx) / 2, r.top + (r.Height() - size.cy) / 2, glyph, pPalette);
}

void CExtPaintManager::DrawSystemCommandGlyph(CDC& dc, UINT nSysCmd, const RECT& rc, bool bHover, bool bPushed,
                                              bool bEnabled)
{
    const int nGlyph = GlyphForSystemCommand(nSysCmd);
    if (nGlyph < 0 || !IsVisible(dc, rc))
        return;
    CRect r(rc);
    if (bPushed) {
        const SIZE shift = GetPressedShift();
        r.OffsetRect(shift.cx, shift.cy);
    }
    const CExtPaintGlyph& glyph = g_PaintGlyphSet[nGlyph];
    if (bEnabled) {
        const COLORREF palette[] = {0, ColorByIndex(bHover ? COLOR_HIGHLIGHTTEXT : CLRID_TEXT)};
        DrawGlyphCentred(dc, r, glyph, palette);
        return;
    }
    const COLORREF light[] = {0, ColorByIndex(CLRID_HILIGHT)};
    const COLORREF dark[] = {0, ColorByIndex(CLRID_SHADOW)};
    CRect embossed(r);
    embossed.OffsetRect(1, 1);
    DrawGlyphCentred(dc, embossed, glyph, light);
    DrawGlyphCentred(dc, r, glyph, dark);
}

void CExtPaintManager::DrawScrollArrowButton(CDC& dc, bool bHorizontal, const RECT& rc, bool bTowardStart,
                                             bool bHover, bool bPushed, CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    CRect r(rc);
    dc.FillSolidRect(&r, ColorByIndex(COLOR_BTNFACE, pOwner, lParam));
    const int nGlyph = bHorizontal ? (bTowardStart ? CExtPaintGlyphSet::TriangleLeft : CExtPaintGlyphSet::TriangleRight)
                                   : (bTowardStart ? CExtPaintGlyphSet::TriangleUp : CExtPaintGlyphSet::TriangleDown);
    const COLORREF palette[] = {0, ColorByIndex(COLOR_BTNTEXT, pOwner, lParam)};
    CRect rcGlyph(r);
    if (bPushed)
        rcGlyph.OffsetRect(1, 1);
    DrawGlyphCentred(dc, rcGlyph, g_PaintGlyphSet[nGlyph], palette);
    struct Pair { int a, b; };
    Pair outer{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    Pair inner{COLOR_BTNFACE, COLOR_BTNFACE};
    if (bPushed) {
        outer = {COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT};
        inner = {COLOR_BTNSHADOW, COLOR_BTNFACE};
    } else if (bHover) {
        outer = {COLOR_BTNFACE, COLOR_3DDKSHADOW};
        inner = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    }
    dc.Draw3dRect(&r, ColorByIndex(outer.a, pOwner, lParam), ColorByIndex(outer.b, pOwner, lParam));
    r.DeflateRect(1, 1);
    dc.Draw3dRect(&r, ColorByIndex(inner.a, pOwner, lParam), ColorByIndex(inner.b, pOwner, lParam));
}

void CExtPaintManager::DrawBarCaptionButton(CDC& dc, CExtDrawCaptionButtonArgs& args)
{
    if (!IsVisible(dc, args.m_rc))
        return;
    const COLORREF F = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF S = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF D = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF H = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    CRect r = Normalized(args.m_rc);
    if ((r.Width() % 2) != 0)
        ++r.left;
    if ((r.Height() % 2) != 0)
        ++r.top;
    const int nGlyph = args.m_nGlyph == CExtPaintGlyphSet::Close ? CExtPaintGlyphSet::SmallClose : args.m_nGlyph;
    if (!args.m_bFloating)
        r.InflateRect(1, 1);
    r.left -= 1;
    r.top -= 1;
    dc.FillSolidRect(&r, F);
    const COLORREF palette[] = {0, args.m_bEnabled ? BLACK : S};
    CRect rcGlyph(r);
    if (args.m_bPushed)
        rcGlyph.OffsetRect(1, 1);
    DrawGlyphCentred(dc, rcGlyph, g_PaintGlyphSet[nGlyph], palette);
    if (args.m_bEnabled && args.m_bPushed) {
        dc.Draw3dRect(&r, S, H);
    } else if (args.m_bEnabled && args.m_bHover) {
        dc.Draw3dRect(&r, F, D);
        r.DeflateRect(1, 1);
        dc.Draw3dRect(&r, H, S);
    } else {
        dc.Draw3dRect(&r, H, S);
    }
}

void CExtPaintManager::DrawSeparatorLine(CDC& dc, const RECT& rc, bool bHorizontalBar, bool bTransparent,
                                         CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    if (!bTransparent)
        dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE, pOwner, lParam));
    CRect line(rc);
    if (bHorizontalBar) {
        const int mid = (line.left + line.right) / 2;
        line.left = mid - 1;
        line.right = mid + 1;
        --line.bottom;
    } else {
        const int mid = (line.top + line.bottom) / 2;
        line.top = mid - 1;
        line.bottom = mid + 1;
        --line.right;
    }
    dc.Draw3dRect(&line, ColorByIndex(CLRID_SHADOW, pOwner, lParam), ColorByIndex(CLRID_HILIGHT, pOwner, lParam));
}

void CExtPaintManager::DrawMenuSeparator(CDC& dc, const RECT& rc, int, bool bRarelyUsed, CWnd* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    if (bRarelyUsed)
        dc.FillRect(&rc, &m_brushBlend[0]);
    else
        dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE, pOwner, lParam));
    CRect line(rc);
    line.DeflateRect(::GetSystemMetrics(SM_CXSMICON) / 2, 0);
    line.top += (line.Height() - 2) / 2;
    line.bottom = line.top + 2;
    dc.Draw3dRect(&line, ColorByIndex(bRarelyUsed ? CLRID_FACE : CLRID_SHADOW, pOwner, lParam),
                  ColorByIndex(CLRID_HILIGHT, pOwner, lParam));
}

void CExtPaintManager::DrawDropMarker(CDC& dc, const RECT& rc, bool bBefore, bool bHorizontal)
{
    if (rc.right < rc.left || rc.bottom < rc.top)
        return;
    const COLORREF clr = ColorByIndex(COLOR_BTNTEXT);
    CRect r(rc);
    if (bHorizontal) {
        r.InflateRect(0, 1);
        const int x = bBefore ? r.left - 1 : r.right - 1;
        dc.FillSolidRect(x, r.top, 2, r.Height(), clr);
        dc.FillSolidRect(x - 2, r.top, 6, 1, clr);
        dc.FillSolidRect(x - 1, r.top + 1, 4, 1, clr);
        dc.FillSolidRect(x - 2, r.bottom - 1, 6, 1, clr);
        dc.FillSolidRect(x - 1, r.bottom - 2, 4, 1, clr);
    } else {
        r.InflateRect(1, 0);
        const int y = bBefore ? r.top - 1 : r.bottom - 1;
        if (!bBefore)
            --r.right;
        dc.FillSolidRect(r.left, y, r.Width(), 2, clr);
        dc.FillSolidRect(r.left, y - 2, 1, 6, clr);
        dc.FillSolidRect(r.left + 1, y - 1, 1, 4, clr);
        dc.FillSolidRect(r.right - 1, y - 2, 1, 6, clr);
        dc.FillSolidRect(r.right - 2, y - 1, 1, 4, clr);
    }
}

void CExtPaintManager::DrawDragSourceFrame(CDC& dc, const RECT& rc)
{
    if (!IsVisible(dc, rc))
        return;
    const COLORREF clr = ColorByIndex(COLOR_BTNTEXT);
    CRect r(rc);
    dc.Draw3dRect(&r, clr, clr);
    r.DeflateRect(1, 1);
    dc.Draw3dRect(&r, clr, clr);
}

void CExtPaintManager::DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args)
{
    if (!IsVisible(dc, args.m_rcOuter))
        return;
    dc.ExcludeClipRect(&args.m_rcClient);
    CRect r(args.m_rcOuter);
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    dc.FillSolidRect(&r, clr(CLRID_FACE));
    if (args.m_bFloating) {
        dc.Draw3dRect(&r, clr(CLRID_FACE), clr(CLRID_DKSHADOW));
        r.DeflateRect(1, 1);
        dc.Draw3dRect(&r, clr(CLRID_HILIGHT), clr(CLRID_SHADOW));
    } else if (!args.m_bResizable) {
        dc.Draw3dRect(&r, clr(CLRID_HILIGHT), clr(CLRID_SHADOW));
    }
    dc.IntersectClipRect(&args.m_rcOuter);
}

void CExtPaintManager::DrawBarBorderLines(CDC& dc, const RECT& rcIn, DWORD dwStyle, COLORREF clrOuter, COLORREF clrInner)
{
    if ((dwStyle & CExtDrawBarBordersArgs::SIDES) == 0)
        return;
    CRect rc(rcIn);
    rc.OffsetRect(-rc.left, -rc.top);
    const int b = 2 * ::GetSystemMetrics(SM_CYBORDER);
    const bool bSecond = (dwStyle & CExtDrawBarBordersArgs::SECOND_LINE) != 0;
    const int y0 = (dwStyle & CExtDrawBarBordersArgs::SIDE_TOP) != 0 ? b : 0;
    const int y1 = rc.bottom - ((dwStyle & CExtDrawBarBordersArgs::SIDE_BOTTOM) != 0 ? b : 0);
    const int nInset = bSecond ? 1 : 0;
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_LEFT) != 0)
        dc.FillSolidRect(0, y0, 1, y1 - y0, clrOuter);
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_TOP) != 0)
        dc.FillSolidRect(0, 0, rc.right, 1, clrOuter);
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_RIGHT) != 0)
        dc.FillSolidRect(rc.right - 1 - nInset, y0, 1, y1 - y0, clrOuter);
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_BOTTOM) != 0)
        dc.FillSolidRect(0, rc.bottom - 1 - nInset, rc.right, 1, clrOuter);
    if (!bSecond)
        return;
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_LEFT) != 0)
        dc.FillSolidRect(1, y0, 1, y1 - y0, clrInner);
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_TOP) != 0)
        dc.FillSolidRect(0, 1, rc.right, 1, clrInner);
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_RIGHT) != 0)
        dc.FillSolidRect(rc.right - 1, y0, 1, y1 - y0, clrInner);
    if ((dwStyle & CExtDrawBarBordersArgs::SIDE_BOTTOM) != 0)
        dc.FillSolidRect(0, rc.bottom - 1, rc.right, 1, clrInner);
}

void CExtPaintManager::DrawBarBorders(CDC& dc, CExtDrawBarBordersArgs& args)
{
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pBar, args.m_lParam); };
    if (args.m_nBorderKind == CExtDrawBarBordersArgs::BORDER_3D_PANE) {
        if (IsVisible(dc, args.m_rc))
            dc.Draw3dRect(&args.m_rc, clr(CLRID_SHADOW), clr(CLRID_HILIGHT));
        return;
    }
    DrawBarBorderLines(dc, args.m_rc, args.m_dwStyle, clr(CLRID_FACE), clr(CLRID_FACE));
}

void CExtPaintManager::DrawClientEdge(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc))
        dc.Draw3dRect(&rc, ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam), ColorByIndex(COLOR_BTNHIGHLIGHT, pOwner, lParam));
}

void CExtPaintManager::DrawSplitterEdge(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    DrawClientEdge(dc, rc, pOwner, lParam);
}

void CExtPaintManager::DrawEditFrame(CDC& dc, CExtDrawEditFrameArgs& args)
{
    CRect r(args.m_rc);
    CRect outer(r);
    outer.InflateRect(EDIT_WINDOW_RINGS + 2, EDIT_WINDOW_RINGS + 2);
    if (!IsVisible(dc, outer))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const COLORREF w = clr(COLOR_WINDOW);
    for (int i = 0; i < EDIT_WINDOW_RINGS; ++i) {
        dc.Draw3dRect(&r, w, w);
        r.InflateRect(1, 1);
    }
    const COLORREF c = clr(CLRID_FACE);
    COLORREF ring[2] = {c, c};
    COLORREF outerRing[2] = {c, c};
    if (args.m_bEnabled && args.m_bHighlight && args.m_bFocused) {
        ring[0] = clr(COLOR_3DDKSHADOW);
        ring[1] = clr(COLOR_BTNFACE);
        outerRing[0] = clr(COLOR_BTNSHADOW);
        outerRing[1] = clr(COLOR_BTNHIGHLIGHT);
    } else if (args.m_bEnabled && (args.m_bHighlight || args.m_bFocused)) {
        ring[0] = clr(COLOR_BTNSHADOW);
        ring[1] = clr(COLOR_BTNHIGHLIGHT);
    }
    dc.Draw3dRect(&r, ring[0], ring[1]);
    r.InflateRect(1, 1);
    dc.Draw3dRect(&r, outerRing[0], outerRing[1]);
}

void CExtPaintManager::DrawMenuBorder(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, pOwner, lParam); };
    CRect r(rc);
    const std::pair<int, int> rings[] = {
        {CLRID_FACE, CLRID_DKSHADOW}, {CLRID_HILIGHT, CLRID_SHADOW}, {CLRID_FACE, CLRID_FACE}, {CLRID_FACE, CLRID_FACE}};
    for (const auto& [a, b] : rings) {
        dc.Draw3dRect(&r, clr(a), clr(b));
        r.DeflateRect(1, 1);
    }
}

void CExtPaintManager::DrawMenuBorderOpenSide(CDC& dc, const RECT& rc, const RECT& rcExclude, int nSide,
                                              CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, pOwner, lParam); };
    dc.SelectClipRgn(nullptr);
    const int k = GetMenuBorderMetric() - 1;
    CRect r(rc);
    auto extend = [&r, nSide](int n) {
        switch (nSide) {
        case 1: r.bottom += n; break;
        case 2: r.top -= n; break;
        case 3: r.left -= n; break;
        default: r.right += n; break;
        }
    };
    extend(k);
    dc.FillSolidRect(&r, clr(CLRID_FACE));
    extend(k);
    CRect ex(rcExclude);
    if (nSide == 1 || nSide == 2)
        ex.DeflateRect(k, 0);
    else
        ex.DeflateRect(0, k);
    dc.ExcludeClipRect(&ex);
    auto lines = [&](const CRect& box, COLORREF clrTopLeft, COLORREF clrBottomRight) {
        if (nSide != 2)
            dc.FillSolidRect(box.left, box.top, box.Width(), 1, clrTopLeft);
        if (nSide != 3)
            dc.FillSolidRect(box.left, box.top, 1, box.Height(), clrTopLeft);
        if (nSide != 4)
            dc.FillSolidRect(box.right - 1, box.top, 1, box.Height(), clrBottomRight);
        if (nSide != 1)
            dc.FillSolidRect(box.left, box.bottom - 1, box.Width(), 1, clrBottomRight);
    };
    lines(r, clr(CLRID_FACE), clr(CLRID_SHADOW));
    CRect inner(r);
    inner.DeflateRect(1, 1);
    lines(inner, clr(CLRID_HILIGHT), clr(CLRID_DKSHADOW));
    dc.SelectClipRgn(nullptr);
}

void CExtPaintManager::DrawSizeGripper(CDC& dc, const RECT& rc, CWnd* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    const COLORREF light = ColorByIndex(COLOR_WINDOW, pOwner, lParam);
    const COLORREF shadow = ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam);
    CPen penLight, penShadow;
    penLight.CreatePen(PS_SOLID, 1, light);
    penShadow.CreatePen(PS_SOLID, 1, shadow);
    CPen* pOld = dc.SelectObject(&penShadow);
    for (int g = 0; g < GRIPPER_GROUPS; ++g)
        for (int k = 0; k < 3; ++k) {
            const int d = GRIPPER_CORNER_GAP + g * GRIPPER_GROUP_STEP + k;
            dc.SelectObject(k == 0 ? &penLight : &penShadow);
            dc.MoveTo(rc.right - d, rc.bottom - 1);
            dc.LineTo(rc.right, rc.bottom - 1 - d);
        }
    dc.SelectObject(pOld);
}

bool CExtPaintManager::FillFaceBackground(bool, CDC& dc, const RECT& rc, const RECT&, LPARAM lParam)
{
    dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE, nullptr, lParam));
    return false;
}

bool CExtPaintManager::DrawBackgroundBehind(bool bClientArea, CDC& dc, CWnd* pWnd, LPARAM lParam)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return false;
    CRect r;
    if (bClientArea) {
        pWnd->GetClientRect(&r);
    } else {
        pWnd->GetWindowRect(&r);
        r.OffsetRect(-r.left, -r.top);
    }
    dc.FillSolidRect(&r, ColorByIndex(CLRID_FACE, pWnd, lParam));
    return false;
}

void CExtPaintManager::DrawBarClientArea(CDC& dc, const RECT& rc, CWnd* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc))
        dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE, pOwner, lParam));
}

void CExtPaintManager::FillDockAreaBackground(CDC& dc, const RECT& rc, CWnd* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc))
        dc.FillSolidRect(&rc, ColorByIndex(COLOR_BTNFACE, pOwner, lParam));
}

void CExtPaintManager::FillPopupClientArea(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc))
        dc.FillSolidRect(&rc, ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam));
}

void CExtPaintManager::DrawToolbarBackground(CDC&, CObject*, LPARAM, const RECT&) {}
void CExtPaintManager::DrawToolbarGradient(CDC&, CObject*, LPARAM) {}

void CExtPaintManager::DrawRoundedFrame(CDC& dc, int x, int y, int cx, int cy, COLORREF clrTopLeft,
                                        COLORREF clrBottomRight)
{
    dc.FillSolidRect(x + 1, y, cx - 2, 1, clrTopLeft);
    dc.FillSolidRect(x, y + 1, 1, cy - 2, clrTopLeft);
    dc.FillSolidRect(x + cx - 1, y + 1, 1, cy - 2, clrBottomRight);
    dc.FillSolidRect(x + 1, y + cy - 1, cx - 2, 1, clrBottomRight);
}

void CExtPaintManager::DrawRoundedFrame(CDC& dc, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    DrawRoundedFrame(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, clrTopLeft, clrBottomRight);
}

void CExtPaintManager::DrawRadioDot(CDC& dc, int x, int y, COLORREF clr)
{
    constexpr int DOT = 6;
    auto ellipse = [&dc](int ex, int ey, COLORREF c) {
        CBrush brush;
        brush.CreateSolidBrush(c);
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, c);
        CBrush* pOldBrush = dc.SelectObject(&brush);
        CPen* pOldPen = dc.SelectObject(&pen);
        dc.Ellipse(ex, ey, ex + DOT, ey + DOT);
        dc.SelectObject(pOldPen);
        dc.SelectObject(pOldBrush);
    };
    ellipse(x + 1, y + 1, dc.GetNearestColor(InvertColor(clr)));
    ellipse(x, y, clr);
}

void CExtPaintManager::DrawCheckMark(CDC& dc, int x, int y, COLORREF clr)
{
    const COLORREF shadow = dc.GetNearestColor(InvertColor(clr));
    for (int i = 0; i < 3; ++i) {
        dc.SetPixel(x + i, y + i + 2, clr);
        dc.SetPixel(x + i, y + i + 3, clr);
        dc.SetPixel(x + i, y + i + 4, shadow);
    }
    for (int i = 0; i < 4; ++i) {
        dc.SetPixel(x + i + 3, y - i + 3, clr);
        dc.SetPixel(x + i + 3, y - i + 4, clr);
        dc.SetPixel(x + i + 3, y - i + 5, shadow);
    }
}

void CExtPaintManager::PaintComboFrame(CDC& dc, CExtDrawComboFrameArgs& args)
{
    CRect r(args.m_rc);
    if (!IsVisible(dc, r))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bHot = args.m_bHover || args.m_bPushed;
    const bool bForced = args.m_clrForceButton != COLORREF(-1) && !bHot;
    const COLORREF outerRest = args.m_clrForceFrameOuter != COLORREF(-1) ? args.m_clrForceFrameOuter : clr(CLRID_FACE);
    const COLORREF outerA = bHot ? clr(1007) : outerRest;
    const COLORREF outerB = bHot ? clr(1005) : outerRest;
    const COLORREF L = bForced ? args.m_clrForceButton : clr(CLRID_HILIGHT);
    const COLORREF G = bForced ? args.m_clrForceButton : clr(CLRID_FACE);
    const COLORREF fill = bForced ? args.m_clrForceButton : clr(args.m_bEnabled ? COLOR_WINDOW : COLOR_BTNFACE);
    if (!args.m_bNoOuterFrame)
        dc.Draw3dRect(&r, outerA, outerB);
    r.DeflateRect(1, 1);
    const COLORREF inner = args.m_bEnabled ? G : L;
    dc.Draw3dRect(&r, inner, inner);
    CRect button(r);
    button.left = button.right - ::GetSystemMetrics(SM_CXHTHUMB);
    dc.Draw3dRect(&button, G, G);
    button.DeflateRect(1, 1);
    dc.Draw3dRect(&button, L, L);
    dc.FillSolidRect(button.left - 4, r.top + 1, 3, r.Height() - 2, args.m_bEnabled ? fill : G);
    if (bHot)
        dc.FillSolidRect(&button, G);
    ++button.left;
    // The drop arrow is the glyph font's "6" at six points, so it follows the device's resolution.
    LOGFONTA lf{};
    m_FontMarlett.GetLogFont(&lf);
    lf.lfHeight = -::MulDiv(60, 96, 10 * 72);
    lf.lfHeight = ::MulDiv(lf.lfHeight, 96, std::max(1, dc.GetDeviceCaps(LOGPIXELSX)));
    lf.lfWidth = 0;
    CFont font;
    font.CreateFontIndirect(&lf);
    CExtDrawPushButtonArgs push(args.m_pOwner, true, button, "6", nullptr, true, args.m_bHover && !args.m_bPushed,
                                args.m_bPushed, false, args.m_bEnabled, false, false, DT_CENTER | DT_VCENTER,
                                static_cast<HFONT>(font.GetSafeHandle()), false, 0, false, true, args.m_lParam);
    DrawPushButton(dc, push);
    if (!bHot)
        dc.Draw3dRect(&button, L, L);
}
