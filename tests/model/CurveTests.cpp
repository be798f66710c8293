#include "ModelTestSupport.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashCloseFigureOp.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashStraightLine.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {
bool Same(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}
}

TEST(StraightLine, HitTestAllowsTheToleranceAroundTheSegment)
{
    const CFlashStraightLine horizontal(0, 0, 1000, 0);
    const CFlashStraightLine diagonal(0, 0, 1000, 1000);
    const CFlashStraightLine point(300, 300, 300, 300);
    const struct {
        const CFlashStraightLine& line;
        POINT p;
        bool hit;
    } cases[] = {
        {horizontal, {500, 99}, true},   // within the tolerance beside the line
        {horizontal, {500, -99}, true},
        {horizontal, {500, 100}, false}, // at the tolerance: outside
        {horizontal, {1050, 0}, true},   // beyond the end, near the end point
        {horizontal, {1100, 0}, false},
        {horizontal, {-100, 0}, false},
        {diagonal, {500, 500}, true},
        {diagonal, {570, 430}, true},    // 99 twips off the line
        {diagonal, {1080, 1080}, false}, // on the extension, 113 twips from the end
        {point, {300, 399}, true},       // a zero-length line is hit around its start
        {point, {300, 400}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, c.line.HitTest(c.p)) << c.p.x << "," << c.p.y;
}

TEST(StraightLine, WeightFavoursAxisAlignedLines)
{
    const struct {
        int x1, y1;
        double weight;
    } cases[] = {{0, 1000, 4.0}, {1000, 0, 4.0}, {100, 100, 1.0}, {-100, 100, 1.0}};
    for (const auto& c : cases)
        EXPECT_NEAR(c.weight, CFlashStraightLine(0, 0, c.x1, c.y1).GetWeight(), 1e-9) << c.x1 << "," << c.y1;
}

TEST(StraightLine, PolylineHasOnePointPer80TwipsEvenlySpaced)
{
    const struct {
        int length;
        size_t count;
    } cases[] = {{400, 6}, {50, 2}, {0, 2}, {81, 3}, {160, 3}};
    for (const auto& c : cases) {
        const auto points = CFlashStraightLine(10, 20, 10 + c.length, 20).GetPolyline();
        ASSERT_EQ(c.count, points.size()) << c.length;
        EXPECT_TRUE(Same(points.front(), POINT{10, 20}));
        EXPECT_TRUE(Same(points.back(), POINT{10 + c.length, 20}));
    }
    const auto points = CFlashStraightLine(0, 0, 400, 0).GetPolyline();
    for (size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(LONG(i * 80), points[i].x);
}

TEST(StraightLine, BoundsKeepTheSignOfTheDirection)
{
    const CFlashStraightLine line(100, 200, 40, 250);
    EXPECT_TRUE(line.GetBounds().Equals(Gdiplus::Rect(100, 200, -60, 50)));
}

TEST(BezierCurve, CubicControlPointsComeFromTheQuadraticOne)
{
    const struct {
        POINT start, quad, end, c1, c2;
    } cases[] = {
        {{0, 0}, {300, 300}, {600, 0}, {200, 200}, {400, 200}},
        {{0, 0}, {-1, -1}, {0, 0}, {0, 0}, {0, 0}}, // truncation towards zero
        {{0, 0}, {100, 0}, {100, 0}, {66, 0}, {100, 0}},
    };
    for (const auto& c : cases) {
        const CFlashBezierCurve curve(c.start.x, c.start.y, c.quad.x, c.quad.y, c.end.x, c.end.y);
        EXPECT_TRUE(Same(c.c1, curve.GetControlPoint1())) << curve.GetControlPoint1().x;
        EXPECT_TRUE(Same(c.c2, curve.GetControlPoint2())) << curve.GetControlPoint2().x;
    }
}

TEST(BezierCurve, FlattenedCurveGivesBoundsHitsAndPolyline)
{
    const CFlashBezierCurve curve(0, 0, 300, 300, 600, 0);
    // The curve peaks at (300, 150).
    const Gdiplus::Rect& bounds = curve.GetBounds();
    EXPECT_EQ(0, bounds.X);
    EXPECT_EQ(0, bounds.Y);
    EXPECT_NEAR(600, bounds.Width, 1);
    EXPECT_NEAR(150, bounds.Height, 1);

    EXPECT_TRUE(curve.HitTest({300, 150}));
    EXPECT_TRUE(curve.HitTest({300, 240}));
    EXPECT_FALSE(curve.HitTest({300, 260}));
    EXPECT_FALSE(curve.HitTest({300, -60}));

    const auto polyline = curve.GetPolyline();
    ASSERT_GE(polyline.size(), 3u);
    EXPECT_TRUE(Same(polyline.front(), POINT{0, 0}));
    EXPECT_TRUE(Same(polyline.back(), POINT{600, 0}));
    EXPECT_GE(curve.GetPointList().size(), 3u);
}

// Symmetric curves peak at the middle of the flattening, 501.75 twips from their chord.
TEST(BezierCurve, BoundsRoundTheExtremesToTheNearestTwip)
{
    struct Case {
        POINT start, quad, end;
        Gdiplus::Rect bounds;
    };
    const Case cases[] = {
        {{0, 0}, {1000, 1004}, {2000, 0}, {0, 0, 2000, 502}},
        {{0, 0}, {1000, -1004}, {2000, 0}, {0, -502, 2000, 502}},
        {{-2000, 0}, {-1000, 1004}, {0, 0}, {-2000, 0, 2000, 502}},
        {{0, 0}, {1004, 1000}, {0, 2000}, {0, 0, 502, 2000}},
        {{0, 0}, {-1004, 1000}, {0, 2000}, {-502, 0, 502, 2000}},
    };
    for (const Case& c : cases) {
        const CFlashBezierCurve curve(c.start.x, c.start.y, c.quad.x, c.quad.y, c.end.x, c.end.y);
        const Gdiplus::Rect& bounds = curve.GetBounds();
        EXPECT_TRUE(bounds.X == c.bounds.X && bounds.Y == c.bounds.Y && bounds.Width == c.bounds.Width &&
                    bounds.Height == c.bounds.Height)
            << "through " << c.quad.x << "," << c.quad.y << ": " << bounds.X << "," << bounds.Y << " "
            << bounds.Width << "x" << bounds.Height;
    }
}

TEST(BezierCurve, CurvesAtStageCoordinatesFlattenWithinTheFlatness)
{
    // Stage-sized twip coordinates, where single-precision flattening never converges.
    const CFlashBezierCurve curve(6259, 3618, 6330, 3740, 6167, 3837);
    const auto points = curve.GetPointList();
    ASSERT_GE(points.size(), 3u);
    EXPECT_FLOAT_EQ(6259.0f, points.front().X);
    EXPECT_FLOAT_EQ(3837.0f, points.back().Y);
    // Every flattened point lies on the curve: within the flatness of some curve parameter.
    const auto& c1 = curve.GetControlPoint1();
    const auto& c2 = curve.GetControlPoint2();
    for (const auto& p : points) {
        double nearest = 1e9;
        for (int i = 0; i <= 2000; ++i) {
            const double t = i / 2000.0, u = 1 - t;
            const double x = u * u * u * 6259 + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * 6167;
            const double y = u * u * u * 3618 + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * 3837;
            nearest = std::min(nearest, std::hypot(p.X - x, p.Y - y));
        }
        EXPECT_LE(nearest, 0.3) << p.X << "," << p.Y;
    }
    EXPECT_TRUE(curve.HitTest({6259, 3618}));
    EXPECT_EQ(curve.GetPolyline().size(), points.size());
}

TEST(BezierCurve, SetPointMovesControlPointsAndRecalculates)
{
    CFlashBezierCurve curve(0, 0, 300, 300, 600, 0);
    curve.SetPoint(2, {0, -600});
    curve.SetPoint(3, {600, -600});
    EXPECT_TRUE(Same(POINT{300, 300}, curve.GetQuadraticControlPoint()));
    EXPECT_LT(curve.GetBounds().Y, -400);
    POINT point = {7, 7};
    curve.GetPoint(4, point);
    EXPECT_TRUE(Same(POINT{7, 7}, point));
    curve.GetPoint(3, point);
    EXPECT_TRUE(Same(POINT{600, -600}, point));
}

TEST(Curves, ClonesReverseEndsAndControlPoints)
{
    const CFlashBezierCurve curve(0, 0, 300, 300, 600, 0);
    const std::unique_ptr<CFlashCurve> reversed(curve.Clone(true));
    ASSERT_EQ(kCurveKindBezier, reversed->GetKind());
    const auto& back = static_cast<const CFlashBezierCurve&>(*reversed);
    EXPECT_TRUE(Same(curve.GetEndPoint(), back.GetStartPoint()));
    EXPECT_TRUE(Same(curve.GetStartPoint(), back.GetEndPoint()));
    EXPECT_TRUE(Same(curve.GetControlPoint2(), back.GetControlPoint1()));
    EXPECT_TRUE(Same(curve.GetControlPoint1(), back.GetControlPoint2()));

    const CFlashStraightLine line(1, 2, 3, 4);
    const std::unique_ptr<CFlashCurve> lineBack(line.Clone(true));
    EXPECT_EQ(kCurveKindStraightLine, lineBack->GetKind());
    EXPECT_TRUE(Same(POINT{3, 4}, lineBack->GetStartPoint()));
    EXPECT_TRUE(Same(POINT{1, 2}, lineBack->GetEndPoint()));
}

TEST(Curves, CloseFigureCarriesNoGeometry)
{
    CFlashCloseFigureOp close;
    std::vector<POINT> controls = {{1, 1}};
    EXPECT_EQ(kCurveKindCloseFigure, close.GetKind());
    EXPECT_FALSE(close.HitTest({0, 0}));
    EXPECT_TRUE(close.GetBounds().Equals(Gdiplus::Rect(0, 0, 0, 0)));
    EXPECT_TRUE(close.GetPointList().empty());
    EXPECT_TRUE(close.GetPolyline().empty());
    EXPECT_EQ(kControlPointsNone, close.GetControlPoints(controls));
    EXPECT_TRUE(controls.empty());
    EXPECT_EQ(0, close.GetLastPointIndex());
}

TEST(Curves, TransformMapsAllPointsThroughThePlacement)
{
    CFlashEditorFrameShapeTransform placement;
    placement.GetMatrix()->Translate(100.0f, 50.0f);
    CFlashBezierCurve curve(0, 0, 300, 300, 600, 0);
    curve.Transform(&placement);
    EXPECT_TRUE(Same(POINT{100, 50}, curve.GetStartPoint()));
    EXPECT_TRUE(Same(POINT{400, 350}, curve.GetQuadraticControlPoint()));
    EXPECT_TRUE(Same(POINT{300, 250}, curve.GetControlPoint1()));
    curve.Transform(nullptr);
    EXPECT_TRUE(Same(POINT{100, 50}, curve.GetStartPoint()));
}

TEST(Curves, HandlesAreFourPixelsPerZoomUnitWide)
{
    for (const double zoom : {1.0, 2.0}) {
        CTestCanvas canvas;
        // End point at (1000, 1000) twips = (50, 50) pixels times the zoom.
        const CFlashStraightLine line(1000, 1000, 1000, 1000);
        CFlashShape::PrepareGraphics(canvas.Graphics(), 0, 0, zoom, nullptr);
        canvas.Graphics().ScaleTransform(Gdiplus::REAL(zoom * 0.05), Gdiplus::REAL(zoom * 0.05));
        canvas.Graphics().SetSmoothingMode(Gdiplus::SmoothingModeNone);
        line.DrawHandles(canvas.Graphics(), zoom);
        const int centre = int(50 * zoom), half = int(2 * zoom);
        EXPECT_NE(kOpaqueWhite, canvas.Pixel(centre - half, centre)) << zoom;
        EXPECT_NE(kOpaqueWhite, canvas.Pixel(centre + half, centre)) << zoom;
        EXPECT_EQ(kOpaqueWhite, canvas.Pixel(centre + half + 2, centre)) << zoom;
        EXPECT_EQ(kOpaqueWhite, canvas.Pixel(centre, centre)) << zoom;
    }
}
