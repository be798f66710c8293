// Colour conversions the picker relies on: hue/saturation/lightness round trips and fixed points.
#include "ui/core/ExtPaintManager.h"

#include <gtest/gtest.h>

#include <iomanip>

namespace {
COLORREF RoundTrip(COLORREF clr)
{
    double h = 0, s = 0, l = 0;
    CExtPaintManager::ColorToHueSatLight(clr, &h, &s, &l);
    return CExtPaintManager::HueLightSatToColor(h, l, s);
}

TEST(ColorConversionTest, EveryColourOfALatticeSurvivesHueSaturationLightness)
{
    constexpr int STEP = 15;
    int nLost = 0;
    for (int r = 0; r <= 255; r += STEP)
        for (int g = 0; g <= 255; g += STEP)
            for (int b = 0; b <= 255; b += STEP)
                if (RoundTrip(RGB(r, g, b)) != RGB(r, g, b) && ++nLost <= 5)
                    ADD_FAILURE() << r << "," << g << "," << b << " came back as " << std::hex << RoundTrip(RGB(r, g, b));
    EXPECT_EQ(0, nLost);
}

TEST(ColorConversionTest, FixedPoints)
{
    struct Case
    {
        double h, l, s;
        COLORREF clr;
    };
    const Case cases[] = {
        {0.0, 0.5, 1.0, RGB(255, 0, 0)},   {0.5, 0.5, 1.0, RGB(0, 255, 255)}, {0.0, 0.5, 0.0, RGB(128, 128, 128)},
        {0.0, 1.0, 0.0, RGB(255, 255, 255)}, {0.0, 0.0, 0.0, RGB(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.clr, CExtPaintManager::HueLightSatToColor(c.h, c.l, c.s)) << c.h << " " << c.l << " " << c.s;
    // The colour that used to lose a step.
    EXPECT_EQ(RGB(0, 128, 255), RoundTrip(RGB(0, 128, 255)));
}
} // namespace
