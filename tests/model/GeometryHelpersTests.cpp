#include "ModelTestSupport.h"

#include "model/GeometryHelpers.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(GeometryHelpers, RoundToIntRoundsToNearestOnBothSides)
{
    const struct {
        double value;
        int expected;
    } cases[] = {{2.2, 2}, {2.5, 3}, {2.7, 3}, {0.0, 0}, {-0.4, 0}, {-2.2, -2}, {-2.5, -2}, {-2.7, -3}, {-3.5, -3}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, RoundToInt(c.value)) << c.value;
}

TEST(GeometryHelpers, ClampAndCeil)
{
    EXPECT_EQ(5, Clamp(3, 5, 10));
    EXPECT_EQ(10, Clamp(12, 5, 10));
    EXPECT_EQ(7, Clamp(7, 5, 10));
    EXPECT_EQ(3, CeilToInt(2.1));
    EXPECT_EQ(-2, CeilToInt(-2.9));
}

TEST(GeometryHelpers, RectangleArithmetic)
{
    Gdiplus::Rect rect(100, 100, -50, -20);
    NormalizeRect(rect);
    EXPECT_TRUE(rect.Equals(Gdiplus::Rect(50, 80, 50, 20)));

    Gdiplus::Rect both;
    EXPECT_TRUE(UnionRect(both, Gdiplus::Rect(0, 0, 10, 10), Gdiplus::Rect(20, 5, 10, 20)));
    EXPECT_TRUE(both.Equals(Gdiplus::Rect(0, 0, 30, 25)));
    EXPECT_FALSE(UnionRect(both, Gdiplus::Rect(0, 0, 10, 0), Gdiplus::Rect(20, 0, 10, 0)));

    Gdiplus::Rect scaled;
    ScaleRect(scaled, Gdiplus::Rect(10, 20, 30, 41), 0.5f);
    EXPECT_TRUE(scaled.Equals(Gdiplus::Rect(5, 10, 15, 20)));

    POINT corners[4];
    RectToCorners(Gdiplus::Rect(1, 2, 10, 20), corners);
    EXPECT_EQ(11, corners[2].x);
    EXPECT_EQ(22, corners[2].y);
    EXPECT_EQ(1, corners[3].x);
    EXPECT_EQ(22, corners[3].y);
}

TEST(GeometryHelpers, TransformRectBoundsTakesTheBoxOfTheMappedCorners)
{
    Gdiplus::Matrix rotation;
    rotation.Rotate(90.0f);
    Gdiplus::Rect rect(0, 0, 100, 50);
    TransformRectBounds(rect, &rotation);
    EXPECT_TRUE(rect.Equals(Gdiplus::Rect(-50, 0, 50, 100))) << rect.X << "," << rect.Y << "," << rect.Width << ","
                                                              << rect.Height;
}

TEST(GeometryHelpers, DecomposeMatrixRecoversScaleAndAngle)
{
    Gdiplus::Matrix matrix;
    matrix.Scale(2.0f, 3.0f);
    matrix.Rotate(30.0f, Gdiplus::MatrixOrderAppend);
    double sx = 0, sy = 0, angle = 0;
    DecomposeMatrix(&matrix, sx, sy, angle);
    EXPECT_NEAR(2.0, sx, 1e-5);
    EXPECT_NEAR(3.0, sy, 1e-5);
    EXPECT_NEAR(30.0 * std::atan(1.0) / 45.0, angle, 1e-5);
}

TEST(GeometryHelpers, LerpColorIsOpaqueAndTruncates)
{
    Gdiplus::ARGB color = 0;
    LerpColor(color, kOpaqueRed, kOpaqueBlue, 0.5);
    EXPECT_EQ(Gdiplus::Color::MakeARGB(255, 127, 0, 127), color);
    LerpColor(color, 0x00000000, 0x80ffffff, 1.0);
    EXPECT_EQ(0xffffffffu, color);
}
