#include "ui/core/ExtPaintManagerStudio2005.h"

#include "ui/core/ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerStudio2005, CExtPaintManagerOffice2003)

namespace {
constexpr int STUDIO2005_THEME_ID = 4;
constexpr int PALETTE_DISPLAY_BITS = 8;
constexpr COLORREF BLUE_FACE = RGB(225, 225, 210);
constexpr COLORREF BLUE_ACCENT = RGB(49, 106, 197);
constexpr COLORREF CAPTION_INACTIVE = RGB(204, 199, 186);

COLORREF H(COLORREF c, double h, double l, double s) { return CExtPaintManager::AdjustColorHLS(c, h, l, s); }
} // namespace

int CExtPaintManagerStudio2005::GetThemeId() const { return STUDIO2005_THEME_ID; }
int CExtPaintManagerStudio2005::GetDockingStyle() const { return 1; }
int CExtPaintManagerStudio2005::GetAutoHideStyle() const { return 1; }

bool CExtPaintManagerStudio2005::IsLunaThemeUsable() const
{
    const int nScheme = GetColorSchemeId();
    return g_PaintManagerHolder.g_ThemeApi.IsAppThemed() && g_PaintManagerHolder.HasTaskbandColors()
        && (nScheme == 1 || nScheme == 3);
}

bool CExtPaintManagerStudio2005::GetTaskbandBaseColors(COLORREF* pFace, COLORREF* pAccent) const
{
    if (GetColorSchemeId() != 1 || !IsLunaThemeUsable())
        return CExtPaintManagerOffice2003::GetTaskbandBaseColors(pFace, pAccent);
    if (pFace != nullptr)
        *pFace = BLUE_FACE;
    if (pAccent != nullptr)
        *pAccent = BLUE_ACCENT;
    return true;
}

void CExtPaintManagerStudio2005::InitTranslatedColors()
{
    CExtPaintManagerOffice2003::InitTranslatedColors();
    if (GetDisplayBitsPerPixel() <= PALETTE_DISPLAY_BITS)
        return;
    const int nScheme = GetColorSchemeId();
    if (!IsLunaThemeUsable() && nScheme != 2) {
        MapColor(4000, COLOR_INACTIVECAPTION);
        MapColor(4001, COLOR_ACTIVECAPTION);
        MapColor(4002, COLOR_ACTIVECAPTION);
        return;
    }
    COLORREF F = BLUE_FACE, A = BLUE_ACCENT;
    GetTaskbandBaseColors(&F, &A);
    if (nScheme == 2) {
        InstallColors({{4000, RGB(204, 199, 186)}, {4001, RGB(182, 195, 146)}, {4002, RGB(145, 160, 117)}});
        return;
    }
    if (nScheme == 3) {
        InstallColors({{4000, RGB(240, 240, 245)}, {4001, RGB(211, 212, 221)}, {4002, RGB(166, 165, 191)}});
        return;
    }
    const COLORREF X = LunaLightFace(F);
    const COLORREF D = LunaSeparatorFace(F);
    const COLORREF G = LunaRarelyUsedFace(F);
    InstallColors({{1000, F}, {1001, H(A, 0, 0.7, 0)}});
    for (int nId = 1002; nId <= 1009; ++nId)
        InstallColors({{nId, X}});
    MapColor(1010, COLOR_WINDOWTEXT);
    MapColor(1011, COLOR_WINDOWTEXT);
    InstallColors({{2000, F}, {2001, X}, {2002, D}, {2003, H(A, 0, 0.5, 0)}, {2004, A}, {2005, G}});
    MapColor(2006, COLOR_BTNTEXT);
    InstallColors({{2007, RGB(138, 134, 122)}, {2008, X}, {2009, F}});
    MapColor(2010, COLOR_BTNFACE);
    const COLORREF hover = H(A, 0, 0.7, 0);
    const COLORREF pushed = H(A, 0, 0.5, 0);
    InstallColors({{2011, D}, {3000, H(F, 0, 0.8, 0)}, {3001, H(F, 0, 0.15, 0)}, {3002, H(F, 0, 0.95, 0)},
                   {3003, H(F, 0, -0.2, 0)}, {3004, H(F, 0, 0.6, 0)}, {3005, H(F, 0, -0.4, -0.4)},
                   {3006, hover}, {3007, hover}, {3008, pushed}, {3009, pushed}, {3010, H(F, 0, 0.98, 0)},
                   {3011, H(F, 0, -0.4, 0)}, {3012, H(F, 0, 0.97, 0)}, {3013, H(F, 0, -0.97, 0)}});
    MapColor(3014, COLOR_BTNSHADOW);
    InstallColors({{3015, RGB(252, 252, 249)}, {3016, RGB(246, 244, 236)}, {3017, RGB(186, 186, 160)},
                   {3018, RGB(245, 245, 241)}, {3019, RGB(222, 222, 209)}, {3020, RGB(165, 165, 127)},
                   {3021, hover}, {3022, hover}, {3023, pushed}, {3024, pushed}, {3025, pushed}, {3026, pushed}});
    InstallColors({{3034, ColorByIndex(3015)}, {3035, ColorByIndex(3017)}});
    SetLunaGradientIds(true);
    m_colors[COLOR_BTNFACE] = F;
    m_colors[COLOR_3DLIGHT] = H(F, 0, 0.1, 0);
    m_colors[COLOR_BTNHIGHLIGHT] = H(F, 0, 0.95, 0);
    m_colors[COLOR_BTNSHADOW] = H(F, 0, -0.3, -0.5);
    m_colors[COLOR_3DDKSHADOW] = H(F, 0, -0.7, -0.5);
    InstallColors({{4000, CAPTION_INACTIVE}, {4001, RGB(59, 128, 237)}, {4002, RGB(49, 106, 197)}});
}

void CExtPaintManagerStudio2005::DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args)
{
    if (m_eDockMarkerStyle == 1) {
        if (args.m_bBarCaption)
            CExtPaintManager::DrawBarCaption(dc, args);
        else
            CExtPaintManagerOffice2003::DrawBarCaption(dc, args);
        return;
    }
    if (m_eDockMarkerStyle != 2)
        AfxThrowNotSupportedException();
    if (!args.m_bBarCaption) {
        CExtPaintManagerOffice2003::DrawBarCaption(dc, args);
        return;
    }
    CRect area(args.m_rcCaption);
    if (!IsVisible(dc, area))
        return;
    area.bottom = CaptionBottomInClient(args);
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    if (IsPaletteDisplay())
        dc.FillSolidRect(&area, clr(args.m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    else if (args.m_bActive)
        FillGradientRect(dc, area, clr(4002), clr(4001), !args.m_bSideCaption);
    else
        dc.FillSolidRect(&area, clr(4000));
    args.m_nPainted |= CExtDrawBarCaptionArgs::PAINTED_BACKGROUND;
    if (IsLunaThemeUsable())
        CExtPaintManagerXP::DrawBarCaption(dc, args);
    else
        CExtPaintManager::DrawBarCaption(dc, args);
}

namespace {
constexpr int TAB_POINTS = 10;
constexpr int TAB_SLANT = 6;
constexpr COLORREF TAB_WHITE = RGB(255, 255, 255);

struct TabOutline
{
    POINT o[TAB_POINTS];   // outline
    POINT f[TAB_POINTS];   // fill region
    POINT h[TAB_POINTS];   // light line
};

// The slanted tab of a strip along the bottom (attached edge at the top) or, turned, along the
// right (attached edge at the left), with the cuts its neighbours ask for.
TabOutline MakeTabOutline(const CRect& r, bool bHorizontal, const CExtPaintManager::TabNeighbours& n, bool bCutStart)
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    TabOutline t{};
    if (bHorizontal) {
        const POINT o[] = {{R + 6, T}, {R, B - 6}, {R - 5, B - 1}, {R - 6, B - 1}, {R - 7, B}, {L + 7, B}, {L + 6, B - 1}, {L + 5, B - 1}, {L, B - 6}, {L - 6, T}};
        const POINT f[] = {{R + 5, T}, {R - 2, B - 5}, {R - 5, B - 2}, {R - 6, B - 2}, {R - 7, B - 1}, {L + 7, B - 1}, {L + 6, B - 2}, {L + 5, B - 2}, {L + 2, B - 6}, {L - 5, T}};
        const POINT h[] = {{R + 5, T}, {R - 1, B - 6}, {R - 5, B - 2}, {R - 6, B - 2}, {R - 7, B - 1}, {L + 7, B - 1}, {L + 6, B - 2}, {L + 5, B - 2}, {L + 1, B - 6}, {L - 5, T}};
        std::copy(std::begin(o), std::end(o), t.o);
        std::copy(std::begin(f), std::end(f), t.f);
        std::copy(std::begin(h), std::end(h), t.h);
        if (n.bBeforeSelected) {
            t.o[0] = {R - 6, T};
            t.f[0] = {R - 6, T};
            t.f[1] = {R, B - 7};
            t.h[0] = {R - 1, B - 7};
        }
        if (bCutStart) {
            t.o[9] = {L + 6, T};
            t.f[8] = {L + 1, B - 7};
            t.f[9] = {L + 7, T};
            t.h[9] = {L + 1, B - 7};
        }
    } else {
        const POINT o[] = {{L, B + 6}, {R - 6, B}, {R - 1, B - 5}, {R - 1, B - 6}, {R, B - 7}, {R, T + 7}, {R - 1, T + 6}, {R - 1, T + 5}, {R - 6, T}, {L, T - 6}};
        const POINT f[] = {{L, B + 5}, {R - 5, B - 2}, {R - 2, B - 5}, {R - 2, B - 6}, {R - 1, B - 7}, {R - 1, T + 7}, {R - 2, T + 6}, {R - 2, T + 5}, {R - 5, T + 2}, {L, T - 5}};
        const POINT h[] = {{L, B + 5}, {R - 6, B - 1}, {R - 2, B - 5}, {R - 2, B - 6}, {R - 1, B - 7}, {R - 1, T + 7}, {R - 2, T + 6}, {R - 2, T + 5}, {R - 6, T + 1}, {L, T - 5}};
        std::copy(std::begin(o), std::end(o), t.o);
        std::copy(std::begin(f), std::end(f), t.f);
        std::copy(std::begin(h), std::end(h), t.h);
        if (n.bBeforeSelected) {
            t.o[0] = {L, B - 6};
            t.f[0] = {L, B - 7};
            t.f[1] = {R - 7, B - 1};
            t.h[0] = {L, B - 5};
        }
        if (bCutStart) {
            t.o[9] = {L, T + 6};
            t.f[8] = {R - 7, T + 1};
            t.f[9] = {L, T + 7};
            t.h[9] = {L, T + 7};
        }
    }
    return t;
}

// The fill region of the mirrored forms has lists of its own so that it covers the pixels inside
// the mirrored outline.
void MirroredFill(POINT* f, const CRect& r, bool bHorizontal, const CExtPaintManager::TabNeighbours& n, bool bCutStart)
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    if (bHorizontal) {
        const POINT top[] = {{R + 5, B + 1}, {R - 1, T + 7}, {R - 4, T + 3}, {R - 5, T + 3}, {R - 6, T + 2}, {L + 7, T + 2}, {L + 6, T + 3}, {L + 5, T + 3}, {L + 1, T + 7}, {L - 5, B + 1}};
        std::copy(std::begin(top), std::end(top), f);
        if (n.bBeforeSelected) {
            f[0] = {R - 6, B};
            f[1] = {R - 1, T + 7};
        }
        if (bCutStart) {
            f[8] = {L + 1, T + 7};
            f[9] = {L + 7, B};
        }
    } else {
        const POINT left[] = {{R + 1, B + 5}, {L + 6, B - 2}, {L + 3, B - 5}, {L + 3, B - 6}, {L + 2, B - 7}, {L + 2, T + 7}, {L + 3, T + 6}, {L + 3, T + 5}, {L + 6, T + 2}, {R + 1, T - 5}};
        std::copy(std::begin(left), std::end(left), f);
        if (n.bBeforeSelected) {
            f[0] = {R + 1, B - 7};
            f[1] = {L + 7, B - 1};
        }
        if (bCutStart) {
            f[8] = {L + 7, T + 1};
            f[9] = {R + 1, T + 7};
        }
    }
}

void Polyline(CDC& dc, const POINT* pts, int nFrom, int nTo, COLORREF clr)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    CPen* pOld = dc.SelectObject(&pen);
    dc.Polyline(pts + nFrom, nTo - nFrom + 1);
    dc.SelectObject(pOld);
}
} // namespace

void CExtPaintManagerStudio2005::DrawTabItem(CDC& dc, const RECT& rcTabItemsArea, bool bTopLeft, bool bHorizontal,
                                             bool bSelected, bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                                             bool bInvertedVerticalText, const RECT& rcEntireItem, SIZE sizeTextMeasured,
                                             CFont* pFont, const CString& strText, CExtCmdIcon* pIcon, CObject* pTabWnd,
                                             int nItemIndex)
{
    if (m_eDockMarkerStyle != 2) {
        CExtPaintManagerOffice2003::DrawTabItem(dc, rcTabItemsArea, bTopLeft, bHorizontal, bSelected, bCenteredText,
                                                bGroupedMode, bInGroupActive, bInvertedVerticalText, rcEntireItem,
                                                sizeTextMeasured, pFont, strText, pIcon, pTabWnd, nItemIndex);
        return;
    }
    const CRect r(rcEntireItem);
    if (r.IsRectEmpty())
        return;
    TabNeighbours n = QueryTabNeighbours(pTabWnd, nItemIndex);
    if (bGroupedMode)
        n.bBeforeSelected = false;
    const bool bCutStart = (n.bAfterSelected || bGroupedMode) && !n.bFirst && !n.bFirstInGroup;
    TabOutline t = MakeTabOutline(r, bHorizontal, n, bCutStart);
    // Top and left strips mirror the bottom and right forms; group mode swaps the forms.
    const bool bMirrored = bTopLeft != bGroupedMode;
    if (bMirrored) {
        for (int i = 0; i < TAB_POINTS; ++i) {
            if (bHorizontal) {
                t.o[i].y = r.top + r.bottom - t.o[i].y;
                t.h[i].y = r.top + r.bottom - t.h[i].y;
            } else {
                t.o[i].x = r.left + r.right - t.o[i].x;
                t.h[i].x = r.left + r.right - t.h[i].x;
            }
        }
        MirroredFill(t.f, r, bHorizontal, n, bCutStart);
    }
    for (POINT* pts : {t.o, t.f, t.h}) {
        if (n.bFirst)
            for (int i = 5; i < TAB_POINTS; ++i)
                (bHorizontal ? pts[i].x : pts[i].y) += TAB_SLANT;
        if (n.bLast && !n.bFirst)
            for (int i = 0; i < 5; ++i)
                (bHorizontal ? pts[i].x : pts[i].y) -= TAB_SLANT;
    }
    const bool bSelectedLook = bSelected && !bGroupedMode;

    CRgn region;
    region.CreatePolygonRgn(t.f, TAB_POINTS, ALTERNATE);
    const int nSaved = dc.SaveDC();
    dc.SelectClipRgn(&region, RGN_AND);
    if (bSelectedLook || IsPaletteDisplay()) {
        dc.FillSolidRect(&rcTabItemsArea, bSelectedLook ? TAB_WHITE : ColorByIndex(COLOR_BTNFACE));
    } else {
        const COLORREF outer = ColorByIndex(COLOR_BTNHIGHLIGHT);
        const COLORREF inner = ColorByIndex(COLOR_3DLIGHT);
        // The highlight lies at a top or left strip's outer edge, else at the bottom or right.
        const bool bHighlightFirst = bTopLeft && !bGroupedMode;
        if (bHorizontal)
            FillGradientRect(dc, rcTabItemsArea, bHighlightFirst ? inner : outer, bHighlightFirst ? outer : inner, true);
        else
            FillGradientRect(dc, rcTabItemsArea, bHighlightFirst ? outer : inner, bHighlightFirst ? inner : outer, false);
    }
    dc.RestoreDC(nSaved);

    Polyline(dc, t.o, 0, TAB_POINTS - 1, ColorByIndex(COLOR_BTNSHADOW));
    Polyline(dc, t.o, 8, 9, ColorByIndex(COLOR_BTNSHADOW));
    const bool bLongLight = bMirrored && bGroupedMode;
    Polyline(dc, t.h, 0, bLongLight ? 6 : 5, bSelectedLook ? TAB_WHITE : ColorByIndex(COLOR_BTNFACE));
    Polyline(dc, t.h, bLongLight ? 6 : 4, TAB_POINTS - 1, TAB_WHITE);
    if (bSelectedLook) {
        // Merges the tab with the window body.
        POINT line[2];
        if (bHorizontal) {
            const int y = bMirrored ? r.bottom + 1 : r.top - 1;
            line[0] = {t.o[0].x, y};
            line[1] = {t.o[9].x - 1, y};
        } else {
            const int x = bMirrored ? r.right + 1 : r.left - 1;
            line[0] = {x, t.o[0].y};
            line[1] = {x, t.o[9].y - 1};
        }
        Polyline(dc, line, 0, 1, TAB_WHITE);
    }

    CRect content(r.left + (bHorizontal ? 3 : 2), r.top + (bHorizontal ? 2 : 3), r.right - (bHorizontal ? 1 : 2),
                  r.bottom - (bHorizontal ? 2 : 1));
    if (n.bFirst) {
        if (bHorizontal)
            content.SetRect(r.left + 9, r.top + 2, r.right - 7, r.bottom - 2);
        else
            content.SetRect(r.left + 2, r.top + 9, r.right - 2, r.bottom - 7);
    }
    DrawTabItemContent(dc, content, bHorizontal, bCenteredText, bGroupedMode, bInGroupActive, bInvertedVerticalText,
                       sizeTextMeasured, pFont, strText, pIcon, ColorByIndex(COLOR_BTNTEXT));
}

void CExtPaintManagerStudio2005::GetTabItemSpacingMetrics(CObject*, int* pnBefore, int* pnBetween, int* pnAfter) const
{
    const bool bSecondStyle = m_eDockMarkerStyle == 2;
    if (pnBefore != nullptr)
        *pnBefore = bSecondStyle ? 1 : 0;
    if (pnBetween != nullptr)
        *pnBetween = 2;
    if (pnAfter != nullptr)
        *pnAfter = bSecondStyle ? 1 : 2;
}

void CExtPaintManagerStudio2005::GetTabItemShift(CObject* pTabWnd, int nItemIndex, bool, SIZE& size) const
{
    constexpr int END_TAB_GROWTH = 12;
    constexpr int SLANTED_TAB_EXTENT = 19;
    if (m_eDockMarkerStyle != 2)
        return;
    const TabNeighbours n = QueryTabNeighbours(pTabWnd, nItemIndex);
    if (n.bFirst || n.bLast)
        (n.bHorizontal ? size.cx : size.cy) += END_TAB_GROWTH;
    (n.bHorizontal ? size.cy : size.cx) = SLANTED_TAB_EXTENT;
}

void CExtPaintManagerStudio2005::GetTabColorsOneNote(bool bSelected, bool bHot, COLORREF& clrBorderLight,
                                                     COLORREF& clrBorderDark, COLORREF& clrFillFrom,
                                                     COLORREF& clrFillTo, COLORREF& clrText)
{
    // Flat notebook tabs: white when selected, the frame's face otherwise, outlined in shadow.
    clrBorderLight = ColorByIndex(bHot ? XPCLR_HOVER_BORDER : COLOR_BTNSHADOW);
    clrBorderDark = ColorByIndex(COLOR_WINDOW);
    clrText = ColorByIndex(CLRID_TEXT);
    if (bSelected) {
        clrFillFrom = clrFillTo = ColorByIndex(COLOR_WINDOW);
    } else if (bHot) {
        clrFillFrom = ColorByIndex(3006);
        clrFillTo = ColorByIndex(3007);
    } else {
        clrFillFrom = ColorByIndex(3001);
        clrFillTo = ColorByIndex(3000);
    }
}

void CExtPaintManagerStudio2005::DrawBarCaptionButton(CDC& dc, CExtDrawCaptionButtonArgs& args)
{
    // Floating bar captions keep the raised classic buttons, except an options button that
    // offers its menu.
    if (args.m_bBarCaption && args.m_bFloating && !IsAvailableCaptionOptionsButton(args.m_pOwner))
        CExtPaintManager::DrawBarCaptionButton(dc, args);
    else
        CExtPaintManagerXP::DrawBarCaptionButton(dc, args);
}

void CExtPaintManagerStudio2005::DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args)
{
    if (!IsDockedGradientBar(args.m_pOwner) && (args.m_bFloating || args.m_bResizable))
        CExtPaintManager::DrawBarFrame(dc, args);
    else
        CExtPaintManagerOffice2003::DrawBarFrame(dc, args);
}
