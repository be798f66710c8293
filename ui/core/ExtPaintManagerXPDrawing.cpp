// Drawing slots the XP look paints flat.
#include "ui/core/ExtPaintManagerXP.h"

#include "ui/core/ExtPaintGlyphSet.h"

namespace {
constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr int EDIT_WINDOW_RINGS = 3;
constexpr int SEPARATOR_GAP_AFTER_BAND = 3;
constexpr int GLYPH_SHADOW_OFFSET = 2;
constexpr int GRIPPER_STRIP = 3;

void Frame(CDC& dc, const RECT& rc, COLORREF clr) { dc.Draw3dRect(&rc, clr, clr); }
} // namespace

void CExtPaintManagerXP::DrawSystemCommandGlyph(CDC& dc, UINT nSysCmd, const RECT& rc, bool bHover, bool bPushed,
                                                bool bEnabled)
{
    const int nGlyph = GlyphForSystemCommand(nSysCmd);
    if (nGlyph < 0 || !IsVisible(dc, rc))
        return;
    const CExtPaintGlyph& glyph = g_PaintGlyphSet[nGlyph];
    if (!bEnabled) {
        const COLORREF palette[] = {0, ColorByIndex(COLOR_BTNSHADOW)};
        DrawGlyphCentred(dc, rc, glyph, palette);
        return;
    }
    if (m_bHoverLift && bHover && !bPushed) {
        const COLORREF shadow[] = {0, ColorByIndex(COLOR_BTNSHADOW)};
        CRect rcShadow(rc);
        rcShadow.OffsetRect(GLYPH_SHADOW_OFFSET, GLYPH_SHADOW_OFFSET);
        DrawGlyphCentred(dc, rcShadow, glyph, shadow);
    }
    const COLORREF palette[] = {0, ColorByIndex(CLRID_TEXT)};
    DrawGlyphCentred(dc, rc, glyph, palette);
}

void CExtPaintManagerXP::DrawBarCaptionButton(CDC& dc, CExtDrawCaptionButtonArgs& args)
{
    if (!IsVisible(dc, args.m_rc))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    int nGlyph = args.m_nGlyph;
    if (nGlyph == CExtPaintGlyphSet::Close && args.m_bBarCaption && !args.m_bFloating)
        nGlyph = CExtPaintGlyphSet::ThinClose;
    CRect r(args.m_rc);
    COLORREF clrGlyph = BLACK;
    if (args.m_bEnabled && (args.m_bHover || args.m_bPushed)) {
        CRect fill(r);
        fill.DeflateRect(1, 1);
        dc.FillSolidRect(&fill, clr(args.m_bPushed ? XPCLR_PUSHED_HOVER_FILL : CLRID_FACE_ALT));
        Frame(dc, r, clr(args.m_bCaptionActive ? XPCLR_PUSHED_HOVER_FILL : XPCLR_HOVER_BORDER));
    } else if (!args.m_bEnabled) {
        clrGlyph = clr(COLOR_BTNSHADOW);
    } else {
        clrGlyph = clr((args.m_bBarCaption && !args.m_bCaptionActive) ? COLOR_3DDKSHADOW : COLOR_HIGHLIGHTTEXT);
    }
    const COLORREF palette[] = {0, clrGlyph};
    DrawGlyphCentred(dc, r, g_PaintGlyphSet[nGlyph], palette);
}

void CExtPaintManagerXP::DrawSeparatorLine(CDC& dc, const RECT& rc, bool bHorizontalBar, bool bTransparent,
                                           CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    if (!bTransparent)
        dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE, pOwner, lParam));
    const COLORREF line = ColorByIndex(XPCLR_SEPARATOR, pOwner, lParam);
    if (bHorizontalBar)
        dc.FillSolidRect((rc.left + rc.right) / 2, rc.top + 1, 1, rc.bottom - rc.top - 2, line);
    else
        dc.FillSolidRect(rc.left + 1, (rc.top + rc.bottom) / 2, rc.right - rc.left - 2, 1, line);
}

void CExtPaintManagerXP::DrawMenuSeparator(CDC& dc, const RECT& rc, int nIconBandWidth, bool bRarelyUsed,
                                           CWnd* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    CRect band(rc);
    band.right = band.left + nIconBandWidth;
    CRect rest(rc);
    rest.left = band.right;
    dc.FillSolidRect(&band, ColorByIndex(bRarelyUsed ? XPCLR_RARELY_BAND : CLRID_FACE, pOwner, lParam));
    dc.FillSolidRect(&rest, ColorByIndex(XPCLR_MENU_FILL, pOwner, lParam));
    const int x = rest.left + SEPARATOR_GAP_AFTER_BAND;
    dc.FillSolidRect(x, (rc.top + rc.bottom) / 2, rc.right - x, 1, ColorByIndex(XPCLR_SEPARATOR, pOwner, lParam));
}

void CExtPaintManagerXP::DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args)
{
    if (!IsVisible(dc, args.m_rcOuter))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    dc.ExcludeClipRect(&args.m_rcClient);
    CRect r(args.m_rcOuter);
    dc.FillSolidRect(&r, clr(args.m_bFloating ? 2009 : CLRID_FACE));
    if (args.m_bFloating) {
        Frame(dc, r, clr(COLOR_BTNSHADOW));
        r.DeflateRect(1, 1);
        Frame(dc, r, clr(COLOR_BTNSHADOW));
        // The corner pixels round the inner frame off.
        dc.SetPixel(r.left, r.top, clr(COLOR_BTNSHADOW));
        dc.SetPixel(r.right - 1, r.top, clr(COLOR_BTNSHADOW));
        dc.SetPixel(r.left, r.bottom - 1, clr(COLOR_BTNSHADOW));
        dc.SetPixel(r.right - 1, r.bottom - 1, clr(COLOR_BTNSHADOW));
    } else if (!args.m_bResizable) {
        Frame(dc, r, clr(COLOR_BTNFACE));
    }
    dc.IntersectClipRect(&args.m_rcOuter);
}

void CExtPaintManagerXP::DrawBarBorders(CDC& dc, CExtDrawBarBordersArgs& args)
{
    if (args.m_nBorderKind != CExtDrawBarBordersArgs::BORDER_3D_PANE) {
        CExtPaintManager::DrawBarBorders(dc, args);
        return;
    }
    if (IsVisible(dc, args.m_rc))
        Frame(dc, args.m_rc, ColorByIndex(COLOR_BTNSHADOW, args.m_pBar, args.m_lParam));
}

void CExtPaintManagerXP::DrawClientEdge(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc))
        Frame(dc, rc, ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam));
}

void CExtPaintManagerXP::DrawEditFrame(CDC& dc, CExtDrawEditFrameArgs& args)
{
    CRect r(args.m_rc);
    CRect outer(r);
    outer.InflateRect(EDIT_WINDOW_RINGS + 2, EDIT_WINDOW_RINGS + 2);
    if (!IsVisible(dc, outer))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    for (int i = 0; i < EDIT_WINDOW_RINGS; ++i) {
        Frame(dc, r, clr(COLOR_WINDOW));
        r.InflateRect(1, 1);
    }
    const bool bEither = args.m_bEnabled && (args.m_bHighlight || args.m_bFocused);
    const bool bBoth = args.m_bEnabled && args.m_bHighlight && args.m_bFocused;
    Frame(dc, r, clr(bEither ? XPCLR_HOVER_BORDER : CLRID_FACE));
    r.InflateRect(1, 1);
    Frame(dc, r, clr(bBoth ? XPCLR_HOVER_BORDER : CLRID_FACE));
}

void CExtPaintManagerXP::DrawMenuBorder(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    CRect r(rc);
    Frame(dc, r, ColorByIndex(XPCLR_MENU_BORDER, pOwner, lParam));
    for (int i = 0; i < 2; ++i) {
        r.DeflateRect(1, 1);
        Frame(dc, r, ColorByIndex(XPCLR_MENU_FILL, pOwner, lParam));
    }
}

void CExtPaintManagerXP::DrawMenuBorderOpenSide(CDC& dc, const RECT& rc, const RECT& rcExclude, int nSide,
                                                CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    dc.SelectClipRgn(nullptr);
    CRect r(rc);
    dc.FillSolidRect(&r, ColorByIndex(XPCLR_FIRST, pOwner, lParam));
    CRect ex(rcExclude);
    if (nSide == 1 || nSide == 2)
        ex.DeflateRect(1, 0);
    else
        ex.DeflateRect(0, 1);
    dc.ExcludeClipRect(&ex);
    const COLORREF border = ColorByIndex(XPCLR_MENU_BORDER, pOwner, lParam);
    if (nSide != 2)
        dc.FillSolidRect(r.left, r.top, r.Width(), 1, border);
    if (nSide != 3)
        dc.FillSolidRect(r.left, r.top, 1, r.Height(), border);
    if (nSide != 4)
        dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), border);
    if (nSide != 1)
        dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, border);
    dc.SelectClipRgn(nullptr);
}

bool CExtPaintManagerXP::DrawBackgroundBehind(bool, CDC&, CWnd*, LPARAM) { return false; }

void CExtPaintManagerXP::FillPopupClientArea(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc))
        dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE, pOwner, lParam));
}

void CExtPaintManagerXP::DrawCalendarBorder(CDC& dc, const RECT& rc)
{
    if (IsVisible(dc, rc))
        Frame(dc, rc, ColorByIndex(COLOR_BTNSHADOW));
}

void CExtPaintManagerXP::DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args)
{
    CRect rc(args.m_rcCaption);
    if (!IsVisible(dc, rc))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    if (args.m_bBarCaption || args.m_bFloating) {
        if (!args.IsBackgroundDone()) {
            const int nFill = args.m_bBarCaption ? (args.m_bActive ? COLOR_HIGHLIGHT : XPCLR_FIRST) : COLOR_BTNSHADOW;
            dc.FillSolidRect(&rc, clr(nFill));
            if (args.m_bBarCaption && !args.m_bActive && !args.m_bFloating)
                Frame(dc, rc, clr(COLOR_BTNSHADOW));
        }
        const bool bCaptionText = args.m_bActive || !args.m_bBarCaption;
        DrawBarCaptionText(dc, args, rc, clr(bCaptionText ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT), !args.m_bBarCaption);
        return;
    }
    // A gripper: a strip of fine lines over the face.
    CRect face(rc);
    face.DeflateRect(1, 1);
    dc.FillSolidRect(&face, clr(CLRID_FACE));
    constexpr int PATTERN = 8;
    CBitmap pattern;
    if (!IsPaletteDisplay()) {
        const COLORREF f = clr(COLOR_BTNFACE), s = clr(COLOR_BTNSHADOW);
        const COLORREF line = dc.GetNearestColor(RGB((2 * GetRValue(f) + GetRValue(s)) / 3,
                                                     (2 * GetGValue(f) + GetGValue(s)) / 3,
                                                     (2 * GetBValue(f) + GetBValue(s)) / 3));
        CDC patternDC;
        patternDC.CreateCompatibleDC(&dc);
        pattern.CreateCompatibleBitmap(&dc, PATTERN, PATTERN);
        CBitmap* pOld = patternDC.SelectObject(&pattern);
        patternDC.FillSolidRect(0, 0, PATTERN, PATTERN, clr(CLRID_FACE));
        for (int i = 0; i < PATTERN; i += 2) {
            if (args.m_bSideCaption)
                patternDC.FillSolidRect(0, i, PATTERN, 1, line);
            else
                patternDC.FillSolidRect(i, 0, 1, PATTERN, line);
        }
        patternDC.SelectObject(pOld);
    } else {
        WORD bits[PATTERN];
        for (int i = 0; i < PATTERN; ++i)
            bits[i] = static_cast<WORD>(args.m_bSideCaption ? ((i % 2) != 0 ? 0xFF : 0x00) : 0x55);
        pattern.CreateBitmap(PATTERN, PATTERN, 1, 1, bits);
    }
    CBrush brush;
    brush.CreatePatternBrush(&pattern);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    const COLORREF clrOldBk = dc.SetBkColor(clr(XPCLR_MENU_FILL));
    constexpr DWORD ROP_AND_PATTERN = 0x00A000C9;
    if (args.m_bSideCaption)
        dc.PatBlt(rc.left + 6, rc.top + 2, GRIPPER_STRIP, rc.Height() - 4, ROP_AND_PATTERN);
    else
        dc.PatBlt(rc.left + 3, rc.top + 6, rc.Width() - 4, GRIPPER_STRIP, ROP_AND_PATTERN);
    dc.SetBkColor(clrOldBk);
    dc.SelectObject(pOldBrush);
}

void CExtPaintManagerXP::PaintComboFrame(CDC& dc, CExtDrawComboFrameArgs& args)
{
    CRect r(args.m_rc);
    if (!IsVisible(dc, r))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bHot = args.m_bHover || args.m_bPushed;
    if (!args.m_bNoOuterFrame)
        Frame(dc, r, clr(COLOR_WINDOW));
    r.DeflateRect(1, 1);
    Frame(dc, r, bHot ? clr(XPCLR_HOVER_BORDER) : clr(XPCLR_MENU_FILL));
    CRect button(r);
    button.DeflateRect(1, 1);
    button.left = button.right - ::GetSystemMetrics(SM_CXHTHUMB);
    if (bHot) {
        dc.FillSolidRect(&button, clr(args.m_bPushed ? XPCLR_PUSHED_HOVER_FILL : CLRID_FACE_ALT));
        Frame(dc, CRect(button.left - 1, r.top, r.right, r.bottom), clr(XPCLR_HOVER_BORDER));
    } else {
        dc.FillSolidRect(&button, clr(CLRID_FACE));
    }
    const COLORREF palette[] = {0, clr(args.m_bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW)};
    DrawGlyphCentred(dc, button, g_PaintGlyphSet[CExtPaintGlyphSet::ChevronTriangleH], palette);
}

void CExtPaintManagerXP::PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR pszText, CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    dc.FillSolidRect(&rc, GetControlFaceColor(pOwner, lParam));
    DrawUndoRedoCaptionText(dc, CRect(rc), pszText);
}

CExtPaintManager::TabItemColors CExtPaintManagerXP::GetTabItemColors(bool bSelected, bool bGroupedMode) const
{
    TabItemColors c = CExtPaintManager::GetTabItemColors(bSelected, bGroupedMode);
    c.text = ColorByIndex((bSelected || bGroupedMode) ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
    c.fill = ColorByIndex(bGroupedMode ? COLOR_BTNFACE : XPCLR_FIRST);
    c.divider = ColorByIndex(COLOR_BTNSHADOW);
    return c;
}

void CExtPaintManagerXP::DrawChevronGlyphs(CDC& dc, const RECT& rc, bool bHorizontal, bool bWithDouble,
                                           COLORREF clrGlyph, COLORREF clrShadow)
{
    const ChevronGlyphPlaces places = PlaceChevronGlyphs(rc, bHorizontal, m_chevronGlyphs, CHEVRON_GLYPH_MARGIN);
    auto draw = [&](const CExtPaintGlyph& glyph, POINT pt) {
        if (clrShadow != COLORREF(-1)) {
            const COLORREF shadow[] = {0, clrShadow};
            DrawGlyph(dc, pt.x + 1, pt.y + 1, glyph, shadow);
        }
        const COLORREF palette[] = {0, clrGlyph};
        DrawGlyph(dc, pt.x, pt.y, glyph, palette);
    };
    draw(*places.pArrow, places.ptArrow);
    if (bWithDouble)
        draw(*places.pDouble, places.ptDouble);
}

void CExtPaintManagerXP::DrawChevronButton(CDC& dc, const RECT& rcIn, bool bHorizontal, bool bNoHiddenItems,
                                           bool bEnabled, bool bPushed, bool bHover, CObject* pOwner, LPARAM lParam,
                                           bool bTransparent)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (!IsVisible(dc, rc))
        return;
    CExtDrawPushButtonArgs args(this, bHorizontal, rc, "", nullptr, true, bHover, bPushed, false, bEnabled, true, false,
                                DT_CENTER | DT_VCENTER, nullptr, false, 0, false, bTransparent, lParam);
    DrawPushButton(dc, args);
    // A disabled chevron shows only its arrow.
    DrawChevronGlyphs(dc, rc, bHorizontal, bEnabled && !bNoHiddenItems,
                      ColorByIndex(bEnabled ? CLRID_TEXT : COLOR_BTNSHADOW, pOwner, lParam), COLORREF(-1));
}

void CExtPaintManagerXP::DrawTabStripArea(CDC& dc, const RECT& rcWhole, int, const RECT& rcInner, int nSide,
                                          bool bGroupMode, CWnd* pOwner, LPARAM lParam)
{
    // Flat: one face and a single shadow line along the window body, on every side.
    FillTabStripArea(dc, rcWhole, rcInner, nSide, bGroupMode,
                     ColorByIndex(bGroupMode ? COLOR_BTNFACE : CLRID_FACE, pOwner, lParam),
                     ColorByIndex(CLRID_FACE, pOwner, lParam), ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam));
}

