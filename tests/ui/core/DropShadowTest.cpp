#include "tests/ui/core/TestSupport.h"
#include "ui/core/ExtDropShadow.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF NO_TINT = COLORREF(-1);
const CRect SHADED(10, 10, 70, 50);
constexpr UINT SIZE = 4;

bool DrawPopupShadow(CExtDropShadow& shadow, CDC& dc, const RECT& rc, UINT nSize, bool bCache = true)
{
    return shadow.Draw(dc, rc, CRect(), CRect(), nSize, CExtDropShadow::POPUP_MIN_LIGHTNESS,
                       CExtDropShadow::POPUP_MAX_LIGHTNESS, bCache, false, false);
}

TEST(DropShadow, NothingToShadeSucceedsAndPaintsNothing)
{
    const struct { CRect rc; UINT nSize; } cases[] = {
        {SHADED, 0},
        {CRect(10, 10, 10, 50), SIZE},
        {CRect(10, 10, 70, 10), SIZE},
    };
    for (const auto& c : cases) {
        CPixelCanvas canvas(100, 80);
        CExtDropShadow shadow;
        EXPECT_TRUE(DrawPopupShadow(shadow, canvas.dc(), c.rc, c.nSize));
        for (COLORREF clr : canvas.Pixels())
            ASSERT_EQ(WHITE, clr);
        EXPECT_FALSE(shadow.HasCachedStrips());
    }
}

TEST(DropShadow, DarkestNextToTheRectangleAndFadingOutward)
{
    CPixelCanvas canvas(100, 80);
    CExtDropShadow shadow;
    ASSERT_TRUE(DrawPopupShadow(shadow, canvas.dc(), SHADED, SIZE));
    // Lightness per distance i: 75 + i x 25 / 4 percent of white (integer steps 75, 81, 87, 93).
    const struct { int x, y; BYTE level; } cases[] = {
        {70, 30, 191}, {71, 30, 206}, {72, 30, 221}, {73, 30, 237},  // right strip
        {40, 50, 191}, {40, 51, 206}, {40, 53, 237},                 // bottom strip
        {74, 30, 255}, {40, 54, 255},                                // past the shadow
        {69, 30, 255}, {40, 49, 255}, {30, 30, 255},                 // the rectangle itself
        {70, 11, 255}, {11, 50, 255},                                // the strips start 2S in
    };
    for (const auto& c : cases)
        EXPECT_EQ(RGB(c.level, c.level, c.level), canvas.Pixel(c.x, c.y)) << c.x << "," << c.y;
}

TEST(DropShadow, RepaintRestoresInsteadOfDarkeningAgain)
{
    CPixelCanvas canvas(100, 80);
    CExtDropShadow shadow;
    ASSERT_TRUE(DrawPopupShadow(shadow, canvas.dc(), SHADED, SIZE));
    ASSERT_TRUE(shadow.HasCachedStrips());
    const std::vector<COLORREF> first = canvas.Pixels();
    ASSERT_TRUE(shadow.Paint(canvas.dc(), false));
    EXPECT_EQ(first, canvas.Pixels());

    // Without the cache each paint darkens the strips once more.
    CExtDropShadow uncached;
    ASSERT_TRUE(DrawPopupShadow(uncached, canvas.dc(), SHADED, SIZE, false));
    EXPECT_LT(GetRValue(canvas.Pixel(70, 30)), GetRValue(first[30 * 100 + 70]));

    // After a reset the next paint computes from what lies under it again.
    shadow.Reset();
    EXPECT_FALSE(shadow.HasCachedStrips());
}

TEST(DropShadow, TintLightensBrightChannels)
{
    const struct { COLORREF clr; UINT nLight; COLORREF tint; COLORREF expected; } cases[] = {
        {RGB(200, 100, 40), 75, NO_TINT, RGB(150, 75, 30)},
        {RGB(200, 100, 40), 100, NO_TINT, RGB(200, 100, 40)},
        {RGB(200, 200, 200), 75, RGB(255, 0, 0), RGB(200, 150, 150)},
        {RGB(200, 200, 200), 75, RGB(0, 0, 0), RGB(150, 150, 150)},
        {RGB(200, 200, 200), 50, RGB(0, 128, 255), RGB(100, 150, 200)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CExtDropShadow::DarkenColor(c.clr, c.nLight, c.tint));
}

TEST(DropShadow, JointWithTheOpeningButtonLengthensTheStrip)
{
    // A menu below the button that opened it, sharing its left edge: the menu's right strip
    // runs up to the joint instead of starting 2S below it.
    CPixelCanvas canvas(100, 100);
    CExtDropShadow shadow;
    const CRect menu(10, 30, 70, 80);
    const CRect button(10, 10, 70, 30);
    ASSERT_TRUE(shadow.Draw(canvas.dc(), menu, menu, button, SIZE, 75, 100, true, false, false));
    EXPECT_EQ(RGB(191, 191, 191), canvas.Pixel(70, 31));
    CPixelCanvas alone(100, 100);
    CExtDropShadow single;
    ASSERT_TRUE(DrawPopupShadow(single, alone.dc(), menu, SIZE));
    EXPECT_EQ(WHITE, alone.Pixel(70, 31));
}

} // namespace
