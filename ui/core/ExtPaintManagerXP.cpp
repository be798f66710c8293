#include "ui/core/ExtPaintManagerXP.h"

#include "ui/core/ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)

namespace {
constexpr int XP_THEME_ID = 2;
constexpr int XP_SEPARATOR_HEIGHT = 1;
constexpr int XP_MENU_BORDER = 1;
constexpr int PALETTE_DISPLAY_BITS = 8;

COLORREF Sys(int nIndex) { return ::GetSysColor(nIndex); }

// Three parts of the button shadow to one of the dark shadow.
COLORREF FlatBorder()
{
    const COLORREF s = Sys(COLOR_BTNSHADOW);
    const COLORREF d = Sys(COLOR_3DDKSHADOW);
    return RGB((3 * GetRValue(s) + GetRValue(d)) / 4, (3 * GetGValue(s) + GetGValue(d)) / 4,
               (3 * GetBValue(s) + GetBValue(d)) / 4);
}
} // namespace

int CExtPaintManagerXP::GetThemeId() const { return XP_THEME_ID; }
int CExtPaintManagerXP::GetMenuSeparatorHeight() const { return XP_SEPARATOR_HEIGHT; }
COLORREF CExtPaintManagerXP::GetControlFaceColor(CObject* pOwner, LPARAM lParam)
{
    return ColorByIndex(XPCLR_MENU_FILL, pOwner, lParam);
}
SIZE CExtPaintManagerXP::GetPressedShift() const { return SIZE{0, 0}; }
int CExtPaintManagerXP::GetMenuBorderMetric() const { return XP_MENU_BORDER; }
bool CExtPaintManagerXP::IsXpOrNewerTheme() const { return true; }

bool CExtPaintManagerXP::IsLunaThemeUsable() const
{
    return g_PaintManagerHolder.g_ThemeApi.IsAppThemed() && GetColorSchemeId() != 0;
}

void CExtPaintManagerXP::InitTranslatedColors()
{
    m_dwDisabledTextStyle = XP_DISABLED_TEXT_STYLE;
    CExtPaintManager::InitTranslatedColors();
    const bool bBlend = GetDisplayBitsPerPixel() > PALETTE_DISPLAY_BITS;
    auto pick = [bBlend](COLORREF clrBlended, COLORREF clrPlain) { return bBlend ? clrBlended : clrPlain; };
    const COLORREF face = Sys(COLOR_BTNFACE);
    const COLORREF shadow = Sys(COLOR_BTNSHADOW);
    const COLORREF window = Sys(COLOR_WINDOW);
    const COLORREF highlight = Sys(COLOR_HIGHLIGHT);

    const COLORREF clrFace = pick(MixColors(window, face, 165), face);
    const COLORREF clrMenuFill = pick(MixColors(face, window, 143), window);
    const COLORREF clrSeparator = pick(MixColors(shadow, window, 70), shadow);

    const int nFace = InstallColor(clrFace);
    MapColor(1000, nFace);
    MapColor(1001, InstallColor(pick(MixColors(highlight, window, 30), face)));
    MapColor(2000, COLOR_BTNFACE);
    const int nBorder = InstallColor(pick(FlatBorder(), shadow));
    for (int nId : {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2002, 2004, 2006, 2008})
        MapColor(nId, nBorder);
    MapColor(1010, COLOR_WINDOWTEXT);
    MapColor(1011, InstallColor(pick(RGB(0, 0, 0), Sys(COLOR_BTNHIGHLIGHT))));
    MapColor(2010, COLOR_BTNFACE);
    MapColor(2011, InstallColor(clrSeparator));
    MapColor(2006, COLOR_HIGHLIGHTTEXT);
    MapColor(2000, InstallColor(pick(clrFace, face)));
    MapColor(2001, InstallColor(clrMenuFill));
    MapColor(2002, InstallColor(clrSeparator));
    MapColor(2003, InstallColor(pick(MixColors(highlight, window, 50), shadow)));
    MapColor(2004, InstallColor(pick(highlight, Sys(COLOR_BTNTEXT))));
    MapColor(2005, InstallColor(pick(MixColors(face, shadow, 90), shadow)));
    MapColor(2007, InstallColor(MixColors(Sys(COLOR_BTNTEXT), shadow, 20)));
    MapColor(2008, InstallColor(clrMenuFill));
    MapColor(2009, InstallColor(pick(clrFace, face)));
}
