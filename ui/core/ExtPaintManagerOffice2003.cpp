#include "ui/core/ExtPaintManagerOffice2003.h"

#include "ui/core/ExtPaintGlyphSet.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPaintManagerOffice2003, CExtPaintManagerXP)

namespace {
constexpr int OFFICE2003_THEME_ID = 3;
constexpr int PALETTE_DISPLAY_BITS = 8;
constexpr double DISABLED_ICON_LIGHTNESS = 0.7;
constexpr int BUTTON_REDRAW_MARGIN = 4;
constexpr int FACE_GRADIENT_MAX_WIDTH = 686;
constexpr int GRIPPER_DOT_ROWS = 3;
constexpr COLORREF WHITE = RGB(255, 255, 255);

COLORREF H(COLORREF c, double h, double l, double s) { return CExtPaintManager::AdjustColorHLS(c, h, l, s); }

// Per-scheme constant: blue, olive, silver.
COLORREF ByScheme(int nScheme, COLORREF blue, COLORREF olive, COLORREF silver)
{
    return nScheme == 2 ? olive : nScheme == 3 ? silver : blue;
}

} // namespace

CExtPaintManagerOffice2003::CExtPaintManagerOffice2003()
{
    m_bHoverLift = false;
    m_chevronGlyphs = ChevronGlyphs{CExtPaintGlyphSet::ChevronBarArrowH, CExtPaintGlyphSet::ChevronBarArrowV,
                                    CExtPaintGlyphSet::ChevronNarrowDoubleH, CExtPaintGlyphSet::ChevronNarrowDoubleV,
                                    true};
    m_nIdxClrMlaNormLeft = 3015;
    m_nIdxClrMlaNormMiddle = 3016;
    m_nIdxClrMlaNormRight = 3017;
    m_nIdxClrMlaRarelyLeft = 3018;
    m_nIdxClrMlaRarelyMiddle = 3019;
    m_nIdxClrMlaRarelyRight = 3020;
}

bool CExtPaintManagerOffice2003::GetStateGradient(bool bHover, bool bPushed, int& nFirst, int& nSecond) const
{
    if (bHover && bPushed) {
        nFirst = m_nIdxClrBtnHovPresLeft;
        nSecond = m_nIdxClrBtnHovPresRight;
    } else if (bPushed) {
        nFirst = m_nIdxClrBtnPressedLeft;
        nSecond = m_nIdxClrBtnPressedRight;
    } else if (bHover) {
        nFirst = m_nIdxClrBtnHoverLeft;
        nSecond = m_nIdxClrBtnHoverRight;
    } else {
        return false;
    }
    return nFirst >= 0 && nSecond >= 0;
}

COLORREF CExtPaintManagerOffice2003::LunaLightFace(COLORREF clrFace)
{
    // The face lightened toward white, then warmed: red more than green.
    const COLORREF y = H(clrFace, 0, 0.95, -0.05);
    const int r = GetRValue(y) + ::MulDiv(255 - GetRValue(y), 40, 100);
    const int g = GetGValue(y) + ::MulDiv(255 - GetGValue(y), 20, 100);
    return RGB(r, g, GetBValue(y));
}

COLORREF CExtPaintManagerOffice2003::LunaSeparatorFace(COLORREF clrFace)
{
    return RGB(GetRValue(clrFace) * 857 / 1000, GetGValue(clrFace) * 857 / 1000, GetBValue(clrFace) * 857 / 1000);
}

COLORREF CExtPaintManagerOffice2003::LunaRarelyUsedFace(COLORREF clrFace)
{
    return RGB(GetRValue(clrFace) * 999 / 1000, GetGValue(clrFace) * 995 / 1000, GetBValue(clrFace) * 995 / 1000);
}

int CExtPaintManagerOffice2003::GetThemeId() const { return OFFICE2003_THEME_ID; }

bool CExtPaintManagerOffice2003::IsLunaThemeUsable() const
{
    const int nScheme = GetColorSchemeId();
    return g_PaintManagerHolder.g_ThemeApi.IsAppThemed() && g_PaintManagerHolder.HasTaskbandColors() && nScheme >= 1
        && nScheme <= 3;
}

bool CExtPaintManagerOffice2003::GetTaskbandBaseColors(COLORREF* pFace, COLORREF* pAccent) const
{
    if (!IsLunaThemeUsable())
        return false;
    const COLORREF* band = g_PaintManagerHolder.m_clrTaskband;
    if (pFace != nullptr) {
        double h = 0, s = 0, l0 = 0, l2 = 0, unused = 0;
        ColorToHueSatLight(band[5], &h, &s, &unused);
        ColorToHueSatLight(band[0], nullptr, nullptr, &l0);
        ColorToHueSatLight(band[2], nullptr, nullptr, &l2);
        *pFace = HueLightSatToColor(h, (l0 + l2) / 2.0, s);
    }
    if (pAccent != nullptr)
        *pAccent = H(band[6], 0.01, 0, 0);
    return true;
}

COLORREF CExtPaintManagerOffice2003::GetShadowTintColor()
{
    COLORREF clrFace = 0;
    if (!GetTaskbandBaseColors(&clrFace, nullptr))
        return COLORREF(-1);
    return H(clrFace, 0, -0.6, 0.5);
}

int CExtPaintManagerOffice2003::GetMenuCheckHeight() const
{
    return std::max(CExtPaintManagerXP::GetMenuCheckHeight(), MIN_MENU_CHECK_HEIGHT);
}

SIZE CExtPaintManagerOffice2003::GetToolbarButtonShift(bool bShift) const { return SIZE{0, bShift ? -1 : 0}; }

COLORREF CExtPaintManagerOffice2003::GetDisabledIconBlendColor() const
{
    return g_PaintManagerHolder.IsWin2000OrLater() ? ColorByIndex(COLOR_BTNFACE) : COLORREF(-1);
}

double CExtPaintManagerOffice2003::GetDisabledIconLightness() const { return DISABLED_ICON_LIGHTNESS; }

SIZE CExtPaintManagerOffice2003::GetButtonRedrawMargin() const
{
    return SIZE{BUTTON_REDRAW_MARGIN, BUTTON_REDRAW_MARGIN};
}

bool CExtPaintManagerOffice2003::HasBackgroundBehindControls(CObject*, LPARAM)
{
    return !IsPaletteDisplay();
}

void CExtPaintManagerOffice2003::SetLunaGradientIds(bool bLuna)
{
    m_nIdxClrBtnHoverLeft = bLuna ? 3021 : -1;
    m_nIdxClrBtnHoverRight = bLuna ? 3022 : -1;
    m_nIdxClrBtnPressedLeft = bLuna ? 3023 : -1;
    m_nIdxClrBtnPressedRight = bLuna ? 3024 : -1;
    m_nIdxClrBtnHovPresLeft = bLuna ? 3025 : -1;
    m_nIdxClrBtnHovPresRight = bLuna ? 3026 : -1;
    m_nIdxClrTbFillMargin = bLuna ? 3005 : -1;
}

void CExtPaintManagerOffice2003::InstallColors(std::initializer_list<std::pair<int, COLORREF>> colors)
{
    for (const auto& [nId, clr] : colors)
        MapColor(nId, InstallColor(clr));
}

void CExtPaintManagerOffice2003::InitTranslatedColors()
{
    SetLunaGradientIds(false);
    g_PaintManagerHolder.DetectVisualStyle();
    CExtPaintManagerXP::InitTranslatedColors();
    if (IsPaletteDisplay()) {
        InstallColors({{3014, ColorByIndex(COLOR_BTNSHADOW)}});
        return;
    }
    COLORREF clrFace = 0, clrAccent = 0;
    if (!IsLunaThemeUsable() || !GetTaskbandBaseColors(&clrFace, &clrAccent)) {
        InstallPlainColors();
        return;
    }
    InstallLunaColors(clrFace, clrAccent);
}

void CExtPaintManagerOffice2003::InstallPlainColors()
{
    auto C = [this](int n) { return ColorByIndex(n); };
    InstallColors({{3000, MixColors(C(COLOR_BTNFACE), C(COLOR_WINDOW), 222)}});
    MapColor(3001, COLOR_BTNFACE);
    MapColor(3002, COLOR_WINDOW);
    InstallColors({{3003, H(C(COLOR_BTNSHADOW), 0, 0.2, 0)},
                   {3004, H(C(COLOR_BTNSHADOW), 0, 0.7, 0.1)},
                   {3005, H(C(COLOR_BTNSHADOW), 0, -0.05, 0)}});
    // Hover and pushed pairs each share one colour.
    const int nHover = InstallColor(H(C(XPCLR_PUSHED_HOVER_FILL), 0, 0.3, 0));
    MapColor(3006, nHover);
    MapColor(3007, nHover);
    const int nPushed = InstallColor(H(C(XPCLR_PUSHED_HOVER_FILL), 0, 0.6, 0));
    MapColor(3008, nPushed);
    MapColor(3009, nPushed);
    InstallColors({{3010, WHITE}, {3011, H(C(COLOR_WINDOW), 0, -0.36, -0.8)}});
    MapColor(3012, COLOR_WINDOW);
    MapColor(3013, COLOR_BTNTEXT);
    MapColor(3014, COLOR_BTNSHADOW);
    InstallColors({{3015, C(XPCLR_MENU_FILL)},
                   {3016, H(C(XPCLR_FIRST), 0, 0.4, 0)},
                   {3017, H(C(XPCLR_FIRST), 0, -0.04, 0)},
                   {3018, MixColors(C(COLOR_WINDOW), C(XPCLR_FIRST), 500)}});
    InstallColors({{3019, H(C(3017), 0, 0.3, 0)}, {3020, H(C(3017), 0, -0.04, 0)}});
    InstallColors({{3027, C(COLOR_BTNSHADOW)}, {3028, C(COLOR_3DLIGHT)}, {3029, C(COLOR_BTNSHADOW)},
                   {3030, C(COLOR_BTNHIGHLIGHT)}, {3031, C(COLOR_3DLIGHT)}, {3032, C(COLOR_BTNHIGHLIGHT)},
                   {3033, C(COLOR_3DLIGHT)}, {3034, C(XPCLR_MENU_FILL)},
                   {3035, MixColors(C(COLOR_WINDOW), C(COLOR_BTNFACE), 550)}});
}

void CExtPaintManagerOffice2003::InstallLunaColors(COLORREF F, COLORREF A)
{
    const int nScheme = GetColorSchemeId();
    const bool bSilver = nScheme == 3;
    const COLORREF X = LunaLightFace(F);
    const COLORREF D = LunaSeparatorFace(F);
    const COLORREF G = LunaRarelyUsedFace(F);
    const COLORREF face = H(F, 0, 0.2, 0);
    const COLORREF edge = H(F, 0, -0.25, 0);
    InstallColors({{1000, face}, {1001, H(A, 0.02, 0.6, 0.45)}});
    for (int nId = 1002; nId <= 1009; ++nId)
        InstallColors({{nId, edge}});
    MapColor(1010, COLOR_WINDOWTEXT);
    MapColor(1011, COLOR_WINDOWTEXT);
    InstallColors({{2000, face}, {2001, H(X, 0, 0.06, 0.05)}, {2002, D}, {2003, H(A, 0, -0.3, 0.45)},
                   {2004, H(H(face, 0, -0.25, 0.1), 0, -0.5, 0)}, {2005, G}});
    MapColor(2006, COLOR_BTNTEXT);
    InstallColors({{2007, ByScheme(nScheme, RGB(0, 45, 150), RGB(117, 141, 94), RGB(124, 124, 148))},
                   {2008, edge}, {2009, H(F, 0, 0.5, 0)}});
    MapColor(2010, COLOR_BTNFACE);
    InstallColors({{2011, D},
                   {3000, bSilver ? H(F, 0, 0.845, 0.1) : H(F, 0, 0.43, 0)},
                   {3001, bSilver ? H(F, 0, 0.45, 0.1) : H(F, 0.02, 0.07, 0)},
                   {3002, H(F, 0, 0.95, 0)}, {3003, H(F, 0, -0.6, 0)}, {3004, H(F, 0, -0.1, 0)},
                   {3005, H(F, 0, -0.6, 0)}, {3006, H(A, 0, 0.85, 0)}, {3007, H(A, 0, -0.05, 0)},
                   {3008, H(A, 0, 0.3, 0)}, {3009, H(A, 0, -0.3, 0)}, {3010, H(F, 0, 0.98, 0)},
                   {3011, H(F, 0, -0.45, 0)}, {3012, H(F, 0, 0.97, 0)}, {3013, H(F, 0, -0.97, 0)}});
    MapColor(3014, COLOR_BTNSHADOW);
    InstallColors({{3015, ByScheme(nScheme, RGB(227, 239, 255), RGB(255, 255, 237), RGB(249, 249, 255))},
                   {3016, ByScheme(nScheme, RGB(202, 225, 252), RGB(206, 219, 167), RGB(225, 226, 236))},
                   {3017, ByScheme(nScheme, RGB(135, 173, 228), RGB(184, 199, 146), RGB(159, 157, 185))},
                   {3018, ByScheme(nScheme, RGB(203, 221, 246), RGB(230, 230, 209), RGB(215, 215, 226))},
                   {3019, ByScheme(nScheme, RGB(161, 196, 248), RGB(186, 200, 143), RGB(184, 185, 202))},
                   {3020, ByScheme(nScheme, RGB(121, 161, 220), RGB(164, 180, 120), RGB(128, 126, 158))},
                   {3021, H(A, 0.05, 0.75, 0)}, {3022, H(A, -0.05, -0.02, 0)}, {3023, H(A, 0.02, 0.4, 0)},
                   {3024, H(A, -0.07, -0.31, 0)}, {3025, H(A, -0.07, -0.31, 0)}, {3026, H(A, 0.02, 0.4, 0)},
                   {3027, H(F, 0.1, -0.55, 0)}, {3028, H(F, 0.02, -0.23, -0.25)}, {3029, H(F, 0.05, -0.6, 0)},
                   {3030, H(F, 0, 0.45, 0)}, {3031, H(F, 0, 0, 0)}, {3032, H(F, 0, 0.55, 0.2)},
                   {3033, H(F, 0, -0.13, -0.15)}});
    InstallColors({{3034, ColorByIndex(3015)}, {3035, ColorByIndex(3017)}});
    SetLunaGradientIds(true);
    // The system entries take the scheme's face until the next colour reload.
    m_colors[COLOR_BTNFACE] = F;
    m_colors[COLOR_3DLIGHT] = H(F, 0, 0.45, 0.1);
    m_colors[COLOR_BTNHIGHLIGHT] = H(F, 0, 0.75, 0);
    m_colors[COLOR_BTNSHADOW] = H(F, 0, -0.45, 0.1);
    m_colors[COLOR_3DDKSHADOW] = H(F, 0, -0.75, 0);
}

bool CExtPaintManagerOffice2003::FillFaceBackground(bool, CDC& dc, const RECT& rc, const RECT&, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return true;
    const COLORREF from = ColorByIndex(3001, nullptr, lParam);
    const COLORREF to = ColorByIndex(3000, nullptr, lParam);
    CRect gradient(rc);
    const bool bMirrored = (dc.GetLayout() & LAYOUT_RTL) != 0;
    if (gradient.Width() > FACE_GRADIENT_MAX_WIDTH) {
        CRect rest(rc);
        if (bMirrored) {
            gradient.left = gradient.right - FACE_GRADIENT_MAX_WIDTH;
            rest.right = gradient.left;
        } else {
            gradient.right = gradient.left + FACE_GRADIENT_MAX_WIDTH;
            rest.left = gradient.right;
        }
        dc.FillSolidRect(&rest, to);
    }
    if (bMirrored)
        FillGradientRect(dc, gradient, to, from, false);
    else
        FillGradientRect(dc, gradient, from, to, false);
    return true;
}

void CExtPaintManagerOffice2003::DrawToolbarBackground(CDC& dc, CObject*, LPARAM lParam, const RECT& rc)
{
    if (IsVisible(dc, rc))
        FillGradientRect(dc, rc, ColorByIndex(3017, nullptr, lParam), ColorByIndex(3010, nullptr, lParam), true);
}

void CExtPaintManagerOffice2003::DrawBarBorders(CDC& dc, CExtDrawBarBordersArgs& args)
{
    if (args.m_nBorderKind != CExtDrawBarBordersArgs::BORDER_3D_PANE) {
        CExtPaintManagerXP::DrawBarBorders(dc, args);
        return;
    }
    if (IsVisible(dc, args.m_rc)) {
        const COLORREF clr = ColorByIndex(3014, args.m_pBar, args.m_lParam);
        dc.Draw3dRect(&args.m_rc, clr, clr);
    }
}

void CExtPaintManagerOffice2003::DrawSizeGripper(CDC& dc, const RECT& rc, CWnd* pOwner, LPARAM lParam)
{
    if (IsPaletteDisplay()) {
        CExtPaintManagerXP::DrawSizeGripper(dc, rc, pOwner, lParam);
        return;
    }
    if (!IsVisible(dc, rc))
        return;
    const COLORREF light = ColorByIndex(3002, pOwner, lParam);
    const COLORREF dark = ColorByIndex(3003, pOwner, lParam);
    // A triangle of dots in the corner: one in the top row, up to three in the bottom one.
    for (int row = 0; row < GRIPPER_DOT_ROWS; ++row)
        for (int col = GRIPPER_DOT_ROWS - 1 - row; col < GRIPPER_DOT_ROWS; ++col) {
            const int x = rc.right - 4 * (GRIPPER_DOT_ROWS - col);
            const int y = rc.bottom - 4 * (GRIPPER_DOT_ROWS - row);
            dc.FillSolidRect(x + 1, y + 1, 2, 2, light);
            dc.FillSolidRect(x, y, 2, 2, dark);
        }
}

void CExtPaintManagerOffice2003::DrawCalendarBorder(CDC& dc, const RECT& rc)
{
    if (IsVisible(dc, rc)) {
        const COLORREF clr = ColorByIndex(3027);
        dc.Draw3dRect(&rc, clr, clr);
    }
}

void CExtPaintManagerOffice2003::DrawCalendarCaptionArea(CDC& dc, const RECT& rc, LPCSTR pszText)
{
    if (IsPaletteDisplay()) {
        CExtPaintManagerXP::DrawCalendarCaptionArea(dc, rc, pszText);
        return;
    }
    if (!IsVisible(dc, rc))
        return;
    // 3029 at the top to 3028 at the bottom: a vertical gradient starts from its second colour.
    FillGradientRect(dc, rc, ColorByIndex(3028), ColorByIndex(3029), true);
    DrawLargeLabelText(dc, rc, pszText);
}

void CExtPaintManagerOffice2003::PaintCalendarBorder(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc)) {
        const COLORREF clr = ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam);
        dc.Draw3dRect(&rc, clr, clr);
    }
}

void CExtPaintManagerOffice2003::PaintCalendarMonthHeader(CDC& dc, const RECT&, const RECT& rcFill, CObject* pOwner,
                                                          LPARAM lParam)
{
    if (IsVisible(dc, rcFill))
        dc.FillSolidRect(&rcFill, ColorByIndex(CLRID_FACE, pOwner, lParam));
}

namespace {
constexpr int BALL_SIZE = 16;
constexpr BYTE BALL_TRANSPARENT = 255;
// A disc lit from the upper left: row by row, 255 transparent, 0 the darkest shade.
constexpr BYTE BALL_SHADES[BALL_SIZE][BALL_SIZE] = {
    {255, 255, 255, 255, 255, 234, 234, 198, 198, 198, 198, 255, 255, 255, 255, 255},
    {255, 255, 255, 234, 252, 252, 234, 234, 198, 180, 144, 144, 198, 255, 255, 255},
    {255, 255, 234, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 180, 255, 255},
    {255, 234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 108, 198, 255},
    {255, 234, 252, 252, 252, 252, 234, 198, 198, 180, 144, 126, 108, 90, 90, 255},
    {234, 234, 234, 234, 234, 234, 234, 198, 180, 180, 144, 126, 108, 90, 72, 180},
    {198, 234, 234, 234, 234, 234, 198, 198, 180, 144, 126, 108, 90, 90, 72, 108},
    {180, 198, 198, 198, 198, 198, 180, 180, 144, 126, 126, 108, 90, 72, 72, 72},
    {180, 180, 180, 180, 180, 180, 144, 144, 126, 126, 108, 90, 90, 72, 54, 54},
    {180, 144, 144, 144, 144, 144, 144, 126, 126, 108, 108, 90, 72, 54, 36, 90},
    {198, 126, 126, 126, 126, 126, 126, 126, 108, 90, 72, 54, 54, 36, 36, 126},
    {255, 126, 108, 108, 108, 108, 108, 72, 72, 54, 54, 36, 36, 18, 18, 255},
    {255, 198, 90, 90, 90, 72, 72, 54, 54, 36, 36, 18, 18, 0, 108, 255},
    {255, 255, 144, 54, 54, 54, 36, 36, 18, 18, 18, 0, 0, 54, 255, 255},
    {255, 255, 255, 126, 36, 36, 18, 18, 18, 0, 0, 0, 72, 255, 255, 255},
    {255, 255, 255, 255, 255, 90, 36, 18, 0, 0, 54, 255, 255, 255, 255, 255},
};
} // namespace

void CExtPaintManagerOffice2003::DrawMenuExpandButton(CDC& dc, const RECT& rcIn, bool bHover, bool bReserved,
                                                      CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rcIn))
        return;
    if (IsPaletteDisplay()) {
        CExtPaintManagerXP::DrawMenuExpandButton(dc, rcIn, bHover, bReserved, pOwner, lParam);
        return;
    }
    CRect rc(rcIn);
    rc.DeflateRect(1, 0);
    DrawExpandButtonFace(dc, rc, rcIn, bHover, pOwner);
    if ((rc.Width() % 2) != 0)
        --rc.right;
    // Shade 255 would give the first colour, 0 the second.
    const COLORREF clrLit = ColorByIndex(3034, pOwner, lParam);
    const COLORREF clrShade = ColorByIndex(3035, pOwner, lParam);
    const int x0 = rc.left + (rc.Width() - BALL_SIZE) / 2;
    const int y0 = rc.top + (rc.Height() - BALL_SIZE) / 2;
    for (int y = 0; y < BALL_SIZE; ++y)
        for (int x = 0; x < BALL_SIZE; ++x) {
            const int m = BALL_SHADES[y][x];
            if (m == BALL_TRANSPARENT)
                continue;
            auto channel = [m](int s, int l) { return s - ((s - l) * m) / 255; };
            dc.SetPixel(x0 + x, y0 + y, RGB(channel(GetRValue(clrShade), GetRValue(clrLit)),
                                            channel(GetGValue(clrShade), GetGValue(clrLit)),
                                            channel(GetBValue(clrShade), GetBValue(clrLit))));
        }
    const COLORREF palette[] = {0, ColorByIndex(CLRID_TEXT, pOwner, lParam)};
    DrawGlyphCentred(dc, rc, g_PaintGlyphSet[CExtPaintGlyphSet::ChevronDoubleV], palette);
}

void CExtPaintManagerOffice2003::DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args)
{
    // The gradient captions and grippers belong to docked framework bars and the auto-hide
    // slider; everything else keeps the XP look.
    const bool bSlider = IsAutoHideSliderKind(args.m_pOwner);
    const bool bDockedBar = IsFrameworkBar(args.m_pOwner) && !IsBarFloating(args.m_pOwner);
    if (args.m_bFloating || !(bSlider || bDockedBar) || IsPaletteDisplay()) {
        CExtPaintManagerXP::DrawBarCaption(dc, args);
        return;
    }
    if (!args.m_bBarCaption && !bSlider) {
        // The gripper of a fixed-size bar; menu and panel bars show only its dots.
        if (!IsMenuBarKind(args.m_pOwner) && !IsPanelBarKind(args.m_pOwner))
            PaintGripperBackground(dc, args);
        PaintGripperDots(dc, args);
        return;
    }
    if (args.m_bActive)
        args.m_nPainted &= static_cast<BYTE>(~CExtDrawBarCaptionArgs::PAINTED_BACKGROUND);
    else
        args.m_nPainted |= CExtDrawBarCaptionArgs::PAINTED_BACKGROUND;
    if (!args.m_bActive || bSlider) {
        COLORREF from = ColorByIndex(3000, args.m_pOwner, args.m_lParam);
        COLORREF to = ColorByIndex(3001, args.m_pOwner, args.m_lParam);
        if (args.IsRightToLeft())
            std::swap(from, to);
        CRect rcFill(args.m_rcCaption);
        rcFill.bottom = CaptionBottomInClient(args);
        FillGradientRect(dc, rcFill, from, to, false);
    }
    CExtPaintManagerXP::DrawBarCaption(dc, args);
}

void CExtPaintManagerOffice2003::GetDockHighlightShape(DWORD* pBits, int cx, int cy, bool bTabShaped,
                                                       const RECT& rcBody, const RECT& rcTab, COLORREF clrFill,
                                                       COLORREF clrBorder, int nBorderWidth)
{
    if (clrFill == COLORREF(-1) && !IsPaletteDisplay()) {
        switch (GetColorSchemeId()) {
        case 1: clrFill = RGB(0, 0, 128); break;
        case 2: clrFill = RGB(170, 187, 131); break;
        case 3: clrFill = RGB(96, 96, 144); break;
        default: break;
        }
    }
    CExtPaintManagerXP::GetDockHighlightShape(pBits, cx, cy, bTabShaped, rcBody, rcTab, clrFill, clrBorder,
                                              nBorderWidth);
}
