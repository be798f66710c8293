#include "ModelTestSupport.h"

#include "model/GradientMarker.h"

#include <gtest/gtest.h>

namespace {
const std::vector<CGradientMarker> kTwoStops = {{0.0, RGB(255, 0, 0)}, {1.0, RGB(0, 0, 255)}};
const std::vector<CGradientMarker> kThreeStops = {{0.0, RGB(255, 0, 0)}, {0.25, RGB(0, 255, 0)}, {1.0, RGB(0, 0, 255)}};

void ExpectStops(const std::vector<CGradientMarker>& expected, const std::vector<CGradientMarker>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(expected[i].m_dPosition, actual[i].m_dPosition, 1e-6) << i;
        EXPECT_EQ(expected[i].m_clrColor, actual[i].m_clrColor) << i;
    }
}
}

TEST(GradientMarkers, LinearBrushRoundTripsItsStops)
{
    for (const auto* stops : {&kTwoStops, &kThreeStops}) {
        const auto brush = CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 100, 10), *stops);
        ASSERT_NE(nullptr, brush);
        EXPECT_EQ(Gdiplus::WrapModeTile, brush->GetWrapMode());
        EXPECT_EQ(stops->size() >= 3 ? INT(stops->size()) : 0, brush->GetInterpolationColorCount());
        std::vector<CGradientMarker> read;
        ReadLinearGradientMarkers(*brush, read);
        ExpectStops(*stops, read);
    }
}

TEST(GradientMarkers, RadialBrushRoundTripsItsStops)
{
    for (const auto* stops : {&kTwoStops, &kThreeStops}) {
        const auto brush = CreateRadialGradientBrush(Gdiplus::Rect(0, 0, 100, 100), *stops);
        ASSERT_NE(nullptr, brush);
        std::vector<CGradientMarker> read;
        ReadPathGradientMarkers(*brush, read);
        ExpectStops(*stops, read);
    }
}

TEST(GradientMarkers, FewerThanTwoStopsMakeNoBrush)
{
    EXPECT_EQ(nullptr, CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 1, 1), {{0.0, 0}}));
    EXPECT_EQ(nullptr, CreateRadialGradientBrush(Gdiplus::Rect(0, 0, 1, 1), {}));
}

TEST(GradientMarkers, LinearBrushPaintsFromTheFirstColourToTheLast)
{
    const auto brush = CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 200, 10), kTwoStops);
    CTestCanvas canvas;
    canvas.Graphics().FillRectangle(brush.get(), 0, 0, 200, 10);
    const Gdiplus::Color left(canvas.Pixel(1, 5)), right(canvas.Pixel(198, 5));
    EXPECT_GT(left.GetR(), 240);
    EXPECT_LT(left.GetB(), 15);
    EXPECT_GT(right.GetB(), 240);
    EXPECT_LT(right.GetR(), 15);
}
