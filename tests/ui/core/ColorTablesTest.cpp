#include "TestSupport.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A manager built and initialised as the holder would, but not installed.
template <typename Manager> std::unique_ptr<Manager> MakeReady()
{
    auto manager = std::make_unique<Manager>();
    manager->ReloadSystemColors();
    manager->InitTranslatedColors();
    manager->CreateHalftoneBrushes();
    return manager;
}

COLORREF Sys(int n) { return ::GetSysColor(n); }

TEST(ColorTablesTest, ClassicIdsFollowTheSystemColours)
{
    auto manager = MakeReady<CExtPaintManager>();
    struct Case { int id; int sysIndex; };
    const Case cases[] = {
        {1000, COLOR_BTNFACE}, {1001, COLOR_BTNFACE}, {2000, COLOR_BTNFACE},
        {1002, COLOR_3DLIGHT}, {1003, COLOR_3DLIGHT}, {2002, COLOR_3DLIGHT},
        {1004, COLOR_BTNHIGHLIGHT}, {1005, COLOR_BTNHIGHLIGHT}, {2004, COLOR_BTNHIGHLIGHT},
        {1006, COLOR_BTNSHADOW}, {1007, COLOR_BTNSHADOW}, {2006, COLOR_BTNSHADOW},
        {1008, COLOR_3DDKSHADOW}, {1009, COLOR_3DDKSHADOW}, {2008, COLOR_3DDKSHADOW},
        {1010, COLOR_WINDOWTEXT}, {1011, COLOR_WINDOWTEXT}, {2010, COLOR_BTNSHADOW},
        // Unmapped ids, indexes beyond the table and negative ones answer the face.
        {2001, COLOR_BTNFACE}, {1500, COLOR_BTNFACE}, {999, COLOR_BTNFACE}, {-3, COLOR_BTNFACE},
        {COLOR_WINDOW, COLOR_WINDOW}, {COLOR_HIGHLIGHT, COLOR_HIGHLIGHT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sys(c.sysIndex), manager->ColorByIndex(c.id)) << c.id;
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), manager->BrushByIndex(2001));
    EXPECT_EQ(::GetSysColorBrush(COLOR_WINDOW), manager->BrushByIndex(COLOR_WINDOW));
    EXPECT_EQ(50u, manager->m_colors.size());
}

TEST(ColorTablesTest, XpIdsAboveEightBitsPerPixel)
{
    if (CExtPaintManager::GetDisplayBitsPerPixel() <= 8)
        GTEST_SKIP() << "palette display";
    auto manager = MakeReady<CExtPaintManagerXP>();
    const COLORREF shadow = Sys(COLOR_BTNSHADOW), dark = Sys(COLOR_3DDKSHADOW);
    const COLORREF flat = RGB((3 * GetRValue(shadow) + GetRValue(dark)) / 4, (3 * GetGValue(shadow) + GetGValue(dark)) / 4,
                              (3 * GetBValue(shadow) + GetBValue(dark)) / 4);
    using PM = CExtPaintManager;
    const COLORREF face = PM::MixColors(Sys(COLOR_WINDOW), Sys(COLOR_BTNFACE), 165);
    const COLORREF menu = PM::MixColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 143);
    const COLORREF separator = PM::MixColors(shadow, Sys(COLOR_WINDOW), 70);
    struct Case { int id; COLORREF expected; };
    const Case cases[] = {
        {1000, face}, {1001, PM::MixColors(Sys(COLOR_HIGHLIGHT), Sys(COLOR_WINDOW), 30)},
        {1002, flat}, {1005, flat}, {1009, flat},
        {1010, Sys(COLOR_WINDOWTEXT)}, {1011, RGB(0, 0, 0)},
        {2000, face}, {2001, menu}, {2002, separator},
        {2003, PM::MixColors(Sys(COLOR_HIGHLIGHT), Sys(COLOR_WINDOW), 50)},
        {2004, Sys(COLOR_HIGHLIGHT)}, {2005, PM::MixColors(Sys(COLOR_BTNFACE), shadow, 90)},
        {2006, Sys(COLOR_HIGHLIGHTTEXT)}, {2007, PM::MixColors(Sys(COLOR_BTNTEXT), shadow, 20)},
        {2008, menu}, {2009, face}, {2010, Sys(COLOR_BTNFACE)}, {2011, separator},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, manager->ColorByIndex(c.id)) << c.id;
    EXPECT_EQ(menu, manager->GetControlFaceColor());
    EXPECT_EQ(DWORD(DSS_MONO), manager->m_dwDisabledTextStyle);
}

TEST(ColorTablesTest, RebuildsDoNotGrowTheTable)
{
    auto manager = MakeReady<CExtPaintManagerXP>();
    const size_t nSize = manager->m_colors.size();
    EXPECT_GT(nSize, 50u);
    for (int i = 0; i < 5; ++i)
        manager->HandleSysColorChange();
    EXPECT_EQ(nSize, manager->m_colors.size());
    // Every mapped id stays inside the table.
    for (const auto& [nId, nIndex] : manager->m_mapColorTranslate)
        EXPECT_LT(static_cast<size_t>(nIndex), nSize) << nId;
}

TEST(ColorTablesTest, LookupsBeforeTheFirstRebuildAnswerTheFace)
{
    CExtPaintManagerXP manager;
    EXPECT_EQ(Sys(COLOR_BTNFACE), manager.ColorByIndex(1000));
    EXPECT_EQ(Sys(COLOR_BTNFACE), manager.ColorByIndex(COLOR_WINDOW));
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), manager.BrushByIndex(COLOR_WINDOW));
}

TEST(ColorTablesTest, FontsAreDerivedFromTheMenuFont)
{
    auto manager = MakeReady<CExtPaintManager>();
    auto describe = [](CFont& font) {
        LOGFONTA lf{};
        EXPECT_NE(0, font.GetLogFont(&lf));
        return lf;
    };
    const LOGFONTA normal = describe(manager->m_FontNormal);
    EXPECT_EQ(900, describe(manager->m_FontBold).lfWeight);
    EXPECT_EQ(2700, describe(manager->m_FontNormalVert).lfEscapement);
    EXPECT_EQ(900, describe(manager->m_FontNormalVertX).lfEscapement);
    EXPECT_EQ(900, describe(manager->m_FontBoldVert).lfWeight);
    const LOGFONTA glyphs = describe(manager->m_FontMarlett);
    EXPECT_EQ(SYMBOL_CHARSET, glyphs.lfCharSet);
    EXPECT_STREQ("Marlett", glyphs.lfFaceName);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, glyphs.lfHeight);
    for (CFont* pSmall : {&manager->m_FontNormalBC, &manager->m_FontBoldVertXBC}) {
        const LONG nHeight = describe(*pSmall).lfHeight;
        EXPECT_TRUE(nHeight >= -11) << nHeight;
        if (normal.lfHeight >= -11) {
            EXPECT_EQ(normal.lfHeight, nHeight);
        }
    }
    EXPECT_EQ(manager->GetTextHeight(true), manager->GetTextHeight(false));
    EXPECT_GT(manager->GetTextHeight(false), 2);
}

TEST(ColorTablesTest, FirstBlendBrushIsHalfwayBetweenFaceAndLight)
{
    if (CExtPaintManager::GetDisplayBitsPerPixel() <= 8)
        GTEST_SKIP() << "palette display";
    auto manager = MakeReady<CExtPaintManager>();
    CPixelCanvas canvas(4, 4);
    const RECT rc{0, 0, 4, 4};
    ::FillRect(canvas.dc().m_hDC, &rc, static_cast<HBRUSH>(manager->m_brushBlend[0].GetSafeHandle()));
    const COLORREF face = Sys(COLOR_BTNFACE), light = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF expected = RGB(GetRValue(face) + (GetRValue(light) - GetRValue(face)) / 2,
                                  GetGValue(face) + (GetGValue(light) - GetGValue(face)) / 2,
                                  GetBValue(face) + (GetBValue(light) - GetBValue(face)) / 2);
    EXPECT_EQ(expected, canvas.Pixel(1, 1));
    EXPECT_EQ(expected, canvas.Pixel(2, 1));
    for (const CBrush& brush : manager->m_brushBlend)
        EXPECT_NE(nullptr, brush.GetSafeHandle());
}

TEST(ColorTablesTest, ClassicAndXpMetrics)
{
    auto classic = MakeReady<CExtPaintManager>();
    auto xp = MakeReady<CExtPaintManagerXP>();
    struct Case { const char* what; int classic; int xp; };
    const Case cases[] = {
        {"theme id", classic->GetThemeId(), xp->GetThemeId()},
        {"separator height", classic->GetMenuSeparatorHeight(), xp->GetMenuSeparatorHeight()},
        {"pressed shift", classic->GetPressedShift().cx, xp->GetPressedShift().cx},
        {"menu border", classic->GetMenuBorderMetric(), xp->GetMenuBorderMetric()},
        {"xp or newer", classic->IsXpOrNewerTheme(), xp->IsXpOrNewerTheme()},
        {"disabled text style", static_cast<int>(classic->m_dwDisabledTextStyle), static_cast<int>(xp->m_dwDisabledTextStyle)},
    };
    const int expected[][2] = {{1, 2}, {6, 1}, {1, 0}, {2, 1}, {0, 1}, {DSS_DISABLED, DSS_MONO}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(expected[i][0], cases[i].classic) << cases[i].what;
        EXPECT_EQ(expected[i][1], cases[i].xp) << cases[i].what;
    }
    RECT margins{};
    classic->GetDockHighlightMargins(margins);
    EXPECT_EQ(5, margins.left);
    EXPECT_EQ(5, margins.bottom);
    EXPECT_EQ(COLORREF(-1), classic->GetShadowTintColor());
}

} // namespace
