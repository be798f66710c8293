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
    // The caption reaches 4 pixels into the owner's client area when the owner is a window.
    auto* pWnd = dynamic_cast<CWnd*>(args.m_pOwner);
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
        CRect client;
        pWnd->GetClientRect(&client);
        pWnd->ClientToScreen(&client);
        CRect window;
        pWnd->GetWindowRect(&window);
        area.bottom = client.top - window.top + 4;
    }
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
