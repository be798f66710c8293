#include "LunaFake.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF SYS_INACTIVE_CAPTION = COLORREF(-3);   // stands for the system colour at test time
constexpr COLORREF SYS_ACTIVE_CAPTION = COLORREF(-4);
constexpr COLORREF ANY = COLORREF(-5);

const std::u16string LUNA = u"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles";

class ColorSchemesTest : public ::testing::Test
{
protected:
    void TearDown() override { g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP)); }
};

COLORREF Resolve(COLORREF clr)
{
    if (clr == SYS_INACTIVE_CAPTION)
        return ::GetSysColor(COLOR_INACTIVECAPTION);
    if (clr == SYS_ACTIVE_CAPTION)
        return ::GetSysColor(COLOR_ACTIVECAPTION);
    return clr;
}

TEST_F(ColorSchemesTest, StudioCaptionColoursFollowTheScheme)
{
    struct Case { const char16_t* color; int nColors; bool bUsable; COLORREF c4000, c4001, c4002, face; };
    const Case cases[] = {
        {u"NormalColor", 7, true, RGB(204, 199, 186), RGB(59, 128, 237), RGB(49, 106, 197), RGB(225, 225, 210)},
        {u"HomeStead", 7, false, RGB(204, 199, 186), RGB(182, 195, 146), RGB(145, 160, 117), ANY},
        {u"Metallic", 7, true, RGB(240, 240, 245), RGB(211, 212, 221), RGB(166, 165, 191), ANY},
        // Blue luna whose task-band colours cannot be read is no usable scheme.
        {u"NormalColor", 6, false, SYS_INACTIVE_CAPTION, SYS_ACTIVE_CAPTION, SYS_ACTIVE_CAPTION, ANY},
        {u"Royale", 7, false, SYS_INACTIVE_CAPTION, SYS_ACTIVE_CAPTION, SYS_ACTIVE_CAPTION, ANY},
    };
    for (const Case& c : cases) {
        CLunaFake fake(LUNA, c.color, true, c.nColors);
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerStudio2005)));
        CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
        const std::string what(c.color, c.color + std::char_traits<char16_t>::length(c.color));
        EXPECT_EQ(c.bUsable, pm.IsLunaThemeUsable()) << what;
        EXPECT_EQ(Resolve(c.c4000), pm.ColorByIndex(4000)) << what;
        EXPECT_EQ(Resolve(c.c4001), pm.ColorByIndex(4001)) << what;
        EXPECT_EQ(Resolve(c.c4002), pm.ColorByIndex(4002)) << what;
        if (c.face != ANY) {
            EXPECT_EQ(c.face, pm.ColorByIndex(1000)) << what;
            EXPECT_EQ(c.face, pm.ColorByIndex(COLOR_BTNFACE)) << what;
            EXPECT_EQ(RGB(49, 106, 197), pm.ColorByIndex(2004)) << what;
        }
    }
}

TEST_F(ColorSchemesTest, OfficeSchemeConstants)
{
    struct Case { int nScheme; COLORREF c2007, c3015, c3017; };
    const Case cases[] = {
        {1, RGB(0, 45, 150), RGB(227, 239, 255), RGB(135, 173, 228)},
        {2, RGB(117, 141, 94), RGB(255, 255, 237), RGB(184, 199, 146)},
        {3, RGB(124, 124, 148), RGB(249, 249, 255), RGB(159, 157, 185)},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CLunaFake> fake(CLunaFake::ForScheme(c.nScheme));
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
        auto& pm = static_cast<CExtPaintManagerOffice2003&>(*g_PaintManagerHolder.GetFirstMember());
        EXPECT_TRUE(pm.IsLunaThemeUsable()) << c.nScheme;
        EXPECT_EQ(c.c2007, pm.ColorByIndex(2007)) << c.nScheme;
        EXPECT_EQ(c.c3015, pm.ColorByIndex(3015)) << c.nScheme;
        EXPECT_EQ(c.c3017, pm.ColorByIndex(3017)) << c.nScheme;
        EXPECT_EQ(pm.ColorByIndex(3015), pm.ColorByIndex(3034)) << c.nScheme;
        EXPECT_EQ(3021, pm.m_nIdxClrBtnHoverLeft);
        EXPECT_EQ(3005, pm.m_nIdxClrTbFillMargin);
        COLORREF face = 0;
        ASSERT_TRUE(pm.GetTaskbandBaseColors(&face, nullptr));
        // The system face entry answers the scheme's face until the next reload.
        EXPECT_EQ(face, pm.ColorByIndex(COLOR_BTNFACE));
        EXPECT_NE(COLORREF(-1), pm.GetShadowTintColor());
    }
}

TEST_F(ColorSchemesTest, PlainOfficeColoursWithoutAVisualStyle)
{
    if (CExtPaintManager::GetDisplayBitsPerPixel() <= 8)
        GTEST_SKIP() << "palette display";
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
    auto& pm = static_cast<CExtPaintManagerOffice2003&>(*g_PaintManagerHolder.GetFirstMember());
    EXPECT_FALSE(pm.IsLunaThemeUsable());
    EXPECT_FALSE(pm.GetTaskbandBaseColors(nullptr, nullptr));
    EXPECT_EQ(COLORREF(-1), pm.GetShadowTintColor());
    using PM = CExtPaintManager;
    struct Case { int id; COLORREF expected; };
    const Case cases[] = {
        {3000, PM::MixColors(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW), 222)},
        {3001, ::GetSysColor(COLOR_BTNFACE)},
        {3010, RGB(255, 255, 255)},
        {3014, ::GetSysColor(COLOR_BTNSHADOW)},
        {3015, pm.ColorByIndex(2001)},
        {3007, pm.ColorByIndex(3006)},
        {3019, PM::AdjustColorHLS(pm.ColorByIndex(3017), 0, 0.3, 0)},
        {3035, PM::MixColors(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE), 550)},
        {3021, ::GetSysColor(COLOR_BTNFACE)},   // unmapped
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, pm.ColorByIndex(c.id)) << c.id;
    EXPECT_EQ(-1, pm.m_nIdxClrBtnHoverLeft);
    EXPECT_EQ(-1, pm.m_nIdxClrTbFillMargin);
}

TEST_F(ColorSchemesTest, ThemeIdentities)
{
    struct Case { CRuntimeClass* pClass; int nId; bool bXpOrNewer; int nDocking; };
    const Case cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), 1, false, 0},
        {RUNTIME_CLASS(CExtPaintManagerXP), 2, true, 0},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 3, true, 0},
        {RUNTIME_CLASS(CExtPaintManagerStudio2005), 4, true, 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(c.pClass));
        EXPECT_EQ(c.nId, g_PaintManagerHolder->GetThemeId());
        EXPECT_EQ(c.bXpOrNewer, g_PaintManagerHolder->IsXpOrNewerTheme());
        EXPECT_EQ(c.nDocking, g_PaintManagerHolder->GetDockingStyle());
        EXPECT_EQ(c.nDocking, g_PaintManagerHolder->GetAutoHideStyle());
        EXPECT_EQ(4, g_PaintManagerHolder->ShadowSize());
    }
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManagerStudio2005), CRuntimeClass::FromName("CExtPaintManagerStudio2005"));
    EXPECT_GE(g_PaintManagerHolder->GetMenuCheckHeight(), 18);
    EXPECT_EQ(-1, g_PaintManagerHolder->GetToolbarButtonShift(true).cy);
}

} // namespace

namespace {

TEST(BarAndTabMetricsTest, WithoutBarsAndTabWindowsThePlainAnswers)
{
    CExtPaintManager classic;
    RECT rc{0, 0, 100, 20};
    classic.AdjustBarClientRect(nullptr, rc);
    const RECT expected{3, 1, 97, 19};
    EXPECT_TRUE(::EqualRect(&rc, &expected));
    EXPECT_EQ(6, classic.GetToolbarGripperExtent(nullptr));
    EXPECT_FALSE(classic.IsBarBackgroundGradient(nullptr));

    struct Case { CExtPaintManager* pManager; int before, between, after; };
    CExtPaintManagerStudio2005 studio;
    CExtPaintManagerStudio2005 studioFirstStyle;
    studioFirstStyle.m_eDockMarkerStyle = 1;
    const Case cases[] = {{&classic, 4, 2, 2}, {&studio, 1, 2, 1}, {&studioFirstStyle, 0, 2, 2}};
    for (const Case& c : cases) {
        int before = -1, between = -1, after = -1;
        c.pManager->GetTabItemSpacingMetrics(nullptr, &before, &between, &after);
        EXPECT_EQ(c.before, before) << c.pManager->GetThemeId();
        EXPECT_EQ(c.between, between);
        EXPECT_EQ(c.after, after);
    }
    SIZE first{40, 17};
    studio.GetTabItemShift(nullptr, 0, false, first);
    EXPECT_EQ(52, first.cx);
    EXPECT_EQ(19, first.cy);
    SIZE middle{40, 17};
    classic.GetTabItemShift(nullptr, 0, false, middle);
    EXPECT_EQ(40, middle.cx);
}

} // namespace

namespace {

DWORD AsPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// What a black pixel becomes under a highlight colour.
DWORD Highlighted(COLORREF target)
{
    return AsPixel(CExtPaintManager::AdjustColorHLS(RGB(GetRValue(target) / 2, GetGValue(target) / 2, GetBValue(target) / 2),
                                                    0, 0.1, 0));
}

TEST(DockHighlightTest, ShapeTakesFillAndBorder)
{
    if (CExtPaintManager::GetDisplayBitsPerPixel() <= 8)
        GTEST_SKIP() << "palette display";
    constexpr int SIZE_PX = 10;
    auto pixel = [](const std::vector<DWORD>& bits, int x, int y) { return bits[(SIZE_PX - 1 - y) * SIZE_PX + x]; };
    const RECT body{0, 0, 10, 6};
    const RECT tab{2, 6, 6, 10};
    struct Case { int nStyle; bool bTab; COLORREF fill; int x, y; COLORREF expectedTarget; bool bUntouched; };
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const Case cases[] = {
        {2, false, COLORREF(-1), 5, 5, RGB(0, 64, 196), false},
        {2, false, RGB(255, 0, 0), 5, 5, RGB(0, 64, 196), false},   // the second style always fills blue
        {1, false, COLORREF(-1), 5, 5, ::GetSysColor(COLOR_HIGHLIGHT), false},
        {1, false, RGB(255, 0, 0), 0, 0, face, false},
        {1, true, RGB(255, 0, 0), 8, 8, 0, true},                    // outside body and tab
        {1, true, RGB(255, 0, 0), 3, 5, RGB(255, 0, 0), false},      // the joint has no border
        {1, true, RGB(255, 0, 0), 8, 5, face, false},
        {1, true, RGB(255, 0, 0), 3, 9, face, false},
    };
    for (const Case& c : cases) {
        CExtPaintManager pm;
        pm.m_eDockMarkerStyle = c.nStyle;
        std::vector<DWORD> bits(SIZE_PX * SIZE_PX, 0);
        pm.GetDockHighlightShape(bits.data(), SIZE_PX, SIZE_PX, c.bTab, body, tab, c.fill, COLORREF(-1), 1);
        EXPECT_EQ(c.bUntouched ? 0u : Highlighted(c.expectedTarget), pixel(bits, c.x, c.y))
            << c.nStyle << " " << c.bTab << " at " << c.x << "," << c.y;
    }
}

} // namespace
