#include "model/geometry/BezierPolylineFit.h"
#include "model/geometry/EllipticalArc.h"
#include "model/geometry/FlashCurveFitter.h"
#include "model/geometry/PolygonClipper.h"
#include "tests/model/geometry/PolygonTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Cubic {
    double p[4][2];

    CFlashDoublePoint At(double t) const
    {
        const double s = 1 - t;
        const double w[4] = {s * s * s, 3 * s * s * t, 3 * s * t * t, t * t * t};
        CFlashDoublePoint q{0, 0};
        for (int i = 0; i < 4; ++i) {
            q.x += w[i] * p[i][0];
            q.y += w[i] * p[i][1];
        }
        return q;
    }
};

Cubic FromFit(const CFlashCubicBezier& c)
{
    return Cubic{{{c[0].x, c[0].y}, {c[1].x, c[1].y}, {c[2].x, c[2].y}, {c[3].x, c[3].y}}};
}

// Distance from a point to a cubic, by dense sampling.
double DistanceToCubic(const Cubic& cubic, double x, double y, int samples = 400)
{
    double best = 1e300;
    for (int i = 0; i <= samples; ++i) {
        const CFlashDoublePoint q = cubic.At(double(i) / samples);
        best = std::fmin(best, std::hypot(q.x - x, q.y - y));
    }
    return best;
}

std::vector<Cubic> FittedCubics(const CFlashCurveFitter& fitter)
{
    const std::vector<Gdiplus::Point>& c = fitter.GetControlPoints();
    std::vector<Cubic> cubics;
    for (size_t i = 0; i + 3 < c.size(); i += 3)
        cubics.push_back(Cubic{{{double(c[i].X), double(c[i].Y)},
                                {double(c[i + 1].X), double(c[i + 1].Y)},
                                {double(c[i + 2].X), double(c[i + 2].Y)},
                                {double(c[i + 3].X), double(c[i + 3].Y)}}});
    return cubics;
}

TEST(FitBezierCurvesToPolyline, RecoversASampledCubic)
{
    const Cubic source{{{0, 0}, {100, 60}, {200, 60}, {300, 0}}};
    std::vector<CFlashDoublePoint> points;
    for (int i = 0; i <= 60; ++i)
        points.push_back(source.At(i / 60.0));
    CFlashCubicBezier curve;
    int degree = -1;
    // The tolerance bounds the squared distance of each point from its place on the curve.
    constexpr double kTolerance = 4.0;
    ASSERT_TRUE(FitBezierCurvesToPolyline(points.data(), int(points.size()), kTolerance, curve, degree));
    EXPECT_EQ(3, degree);
    const Cubic fitted = FromFit(curve);
    for (const CFlashDoublePoint& p : points)
        EXPECT_LT(DistanceToCubic(fitted, p.x, p.y), std::sqrt(kTolerance));
    EXPECT_DOUBLE_EQ(0.0, curve[0].x);
    EXPECT_DOUBLE_EQ(300.0, curve[3].x);
}

TEST(FitBezierCurvesToPolyline, TwoPointsMakeAStraightCubic)
{
    // 100 apart at tolerance 4: resampled to six points 20 apart, fitted by a straight cubic.
    const CFlashDoublePoint points[] = {{0, 0}, {100, 0}};
    CFlashCubicBezier curve;
    int degree = 0;
    ASSERT_TRUE(FitBezierCurvesToPolyline(points, 2, 4.0, curve, degree));
    EXPECT_NEAR(100.0 / 3, curve[1].x, 1e-9);
    EXPECT_NEAR(200.0 / 3, curve[2].x, 1e-9);
    EXPECT_NEAR(0.0, curve[1].y, 1e-9);
    EXPECT_NEAR(0.0, curve[2].y, 1e-9);
}

TEST(FitBezierCurvesToPolyline, FailsWhereNoSingleCubicFits)
{
    const CFlashDoublePoint zigzag[] = {{0, 0}, {10, 40}, {20, 0}, {30, 40}, {40, 0}, {50, 40}, {60, 0}};
    const CFlashDoublePoint point[] = {{5, 5}};
    CFlashCubicBezier curve;
    int degree = 3;
    EXPECT_FALSE(FitBezierCurvesToPolyline(zigzag, 7, 2.0, curve, degree));
    EXPECT_EQ(0, degree);
    EXPECT_FALSE(FitBezierCurvesToPolyline(point, 1, 2.0, curve, degree));
    EXPECT_FALSE(FitBezierCurvesToPolyline(zigzag, 2, 0.0, curve, degree)) << "no tolerance";
}

TEST(FitBezierCurvesToPolyline, FitsAnyNumberOfPoints)
{
    // A long straight stroke: one cubic, whatever the number of points.
    std::vector<CFlashDoublePoint> points;
    constexpr int kCount = 100000;
    for (int i = 0; i < kCount; ++i)
        points.push_back(CFlashDoublePoint{2.0 * i, 1.0 * i});
    CFlashCubicBezier curve;
    int degree = 0;
    ASSERT_TRUE(FitBezierCurvesToPolyline(points.data(), kCount, 2.0, curve, degree));
    EXPECT_NEAR(points.back().x / 3, curve[1].x, 1.0);
    EXPECT_NEAR(points.back().y / 3, curve[1].y, 1.0);
}

TEST(CurveFitter, FewerThanThreePointsFitNothing)
{
    CFlashCurveFitter fitter;
    for (int count : {0, 1, 2}) {
        fitter.Reset();
        for (int i = 0; i < count; ++i)
            fitter.AddPoint(10 * i, 5);
        fitter.Fit();
        EXPECT_EQ(0, fitter.GetSegmentCount()) << count;
        EXPECT_EQ(0, fitter.GetControlPointCount()) << count;
    }
}

TEST(CurveFitter, ThreeCollinearPointsMakeOneSegment)
{
    CFlashCurveFitter fitter;
    fitter.AddPoint(0, 0);
    fitter.AddPoint(10, 0);
    fitter.AddPoint(20, 0);
    EXPECT_EQ(20, fitter.GetLastPoint().X);
    fitter.Fit();
    ASSERT_EQ(1, fitter.GetSegmentCount());
    const CFlashCurveFitter::Segment& s = fitter.GetSegments()[0];
    EXPECT_NEAR(0.35 * 20, s.c1x, 1e-9);
    EXPECT_NEAR(0.65 * 20, s.c2x, 1e-9);
    EXPECT_NEAR(0.0, s.c1y, 1e-9);
    EXPECT_NEAR(0.0, s.c2y, 1e-9);
    const std::vector<Gdiplus::Point>& c = fitter.GetControlPoints();
    ASSERT_EQ(4, fitter.GetControlPointCount());
    EXPECT_EQ(0, c[0].X);
    EXPECT_EQ(7, c[1].X);
    EXPECT_EQ(13, c[2].X); // 13.0 rounds half up from the double 13.000...
    EXPECT_EQ(20, c[3].X);
}

// A wave sampled every few units: fitted by few segments, all within reach of every point.
void ExpectWaveFitted(int count, double wavelength, int maxSegmentsPerWave)
{
    CFlashCurveFitter fitter;
    for (int i = 0; i < count; ++i)
        fitter.AddPoint(3 * i, int(std::lround(100 * std::sin(2 * M_PI * 3 * i / wavelength))));
    fitter.Fit();
    const double waves = 3.0 * count / wavelength;
    ASSERT_GT(fitter.GetSegmentCount(), 0);
    EXPECT_LE(fitter.GetSegmentCount(), maxSegmentsPerWave * std::ceil(waves));
    EXPECT_EQ(3 * fitter.GetSegmentCount() + 1, fitter.GetControlPointCount());

    const std::vector<Cubic> cubics = FittedCubics(fitter);
    const std::vector<CFlashCurveFitter::Segment>& segments = fitter.GetSegments();
    EXPECT_EQ(0, segments.front().x0);
    EXPECT_EQ(3 * (count - 1), segments.back().x1);
    // Segments run through input points, one after the other; every input point lies close to
    // the segment spanning it (the bound is measured along the point's normal, plus rounding).
    const std::vector<Gdiplus::Point>& input = fitter.GetInputPoints();
    size_t segment = 0;
    for (int i = 0; i < count; ++i) {
        while (segment + 1 < segments.size() && input[i].X > segments[segment].x1)
            ++segment;
        EXPECT_LT(DistanceToCubic(cubics[segment], input[i].X, input[i].Y, 200), 2 * fitter.GetDeviationBound() + 1)
            << "point " << i;
    }
}

TEST(CurveFitter, FitsASampledWaveWithFewSegments)
{
    ExpectWaveFitted(400, 600, 8);
}

TEST(CurveFitter, FitsAVeryLongRun)
{
    ExpectWaveFitted(100000, 600, 8);
}

TEST(CurveFitter, SweepsTheBrushAlongTheStroke)
{
    CFlashCurveFitter fitter;
    const std::vector<Gdiplus::Point> square{Gdiplus::Point(-5, -5), Gdiplus::Point(5, -5), Gdiplus::Point(5, 5),
                                             Gdiplus::Point(-5, 5)};
    CFlashPolygonSet outline;
    fitter.AddPoint(0, 0);
    fitter.SweepOutline(square, outline);
    EXPECT_TRUE(outline.IsEmpty()) << "one point sweeps nothing";

    fitter.AddPoint(100, 0);
    fitter.AddPoint(100, 50);
    fitter.SweepOutline(square, outline);
    ASSERT_EQ(1, outline.GetContourCount());
    EXPECT_EQ(0, outline.GetHoleFlag(0));
    EXPECT_NEAR(110 * 10 + 10 * 50, CoveredArea(outline), 1e-6);

    // The contours come out in the reverse order of the clipper's own.
    CFlashPolygonSet stamp = MakeSet({MakeRectangle(-5, -5, 105, 5)});
    CFlashPolygonSet clipped;
    ClipPolygonSets(kClipUnion, stamp, CFlashPolygonSet(), clipped);
    EXPECT_LT(SignedArea(outline.GetContour(0)) * SignedArea(clipped.GetContour(0)), 0.0);

    fitter.SweepOutline({}, outline);
    EXPECT_TRUE(outline.IsEmpty()) << "no brush";
}

TEST(EllipticalArc, EightQuadraticSegmentsAroundTheEllipse)
{
    const CFlashEllipticalArc arc(100, 100, 50, 30, 0);
    const std::vector<CFlashQuadraticSegment> segments = arc.ApproximateByQuadratics();
    ASSERT_EQ(8u, segments.size());
    EXPECT_EQ(150, segments[0].x0);
    EXPECT_EQ(100, segments[0].y0);
    EXPECT_EQ(50, segments[3].x1);
    EXPECT_EQ(100, segments[3].y1);
    for (size_t i = 0; i < segments.size(); ++i) {
        const double u = (segments[i].qx - 100) / 50;
        const double v = (segments[i].qy - 100) / 30;
        EXPECT_GT(u * u + v * v, 1.0) << "control point " << i << " lies outside the ellipse";
        if (i > 0) {
            EXPECT_EQ(segments[i - 1].x1, segments[i].x0);
            EXPECT_EQ(segments[i - 1].y1, segments[i].y0);
        }
    }
}

// Distance from a point to the ellipse, along the ray from its centre (an upper bound).
double DistanceToEllipse(double cx, double cy, double a, double b, double theta, double x, double y)
{
    const double dx = x - cx, dy = y - cy;
    const double u = (dx * std::cos(theta) + dy * std::sin(theta)) / a;
    const double v = (-dx * std::sin(theta) + dy * std::cos(theta)) / b;
    const double r = std::hypot(u, v);
    return std::hypot(dx, dy) * std::fabs(1.0 - 1.0 / r);
}

TEST(EllipticalArc, CubicArcsStayCloseToTheEllipse)
{
    struct Case {
        double cx, cy, a, b, theta;
    } cases[] = {
        {100, 100, 50, 30, 0},
        {5000, 4000, 3000, 1200, 0},
        {-2000, 700, 4000, 4000, 0},
        {0, 0, 2500, 800, 0.5},
    };
    for (const Case& c : cases) {
        const CFlashEllipticalArc arc(c.cx, c.cy, c.a, c.b, c.theta);
        const double tolerance = 0.004 * std::fmax(c.a, c.b) + 2.0;
        for (const CFlashQuadraticSegment& s : arc.ApproximateByQuadratics()) {
            const Gdiplus::Point start(s.x0, s.y0), end(s.x1, s.y1);
            const Gdiplus::Point q(int(s.qx), int(s.qy));
            std::vector<Gdiplus::Point> controls;
            QuadraticToCubicControls(start, q, end, controls);
            ASSERT_EQ(2u, controls.size());
            const Cubic cubic{{{double(start.X), double(start.Y)},
                               {double(controls[0].X), double(controls[0].Y)},
                               {double(controls[1].X), double(controls[1].Y)},
                               {double(end.X), double(end.Y)}}};
            for (int i = 0; i <= 20; ++i) {
                const CFlashDoublePoint p = cubic.At(i / 20.0);
                EXPECT_LT(DistanceToEllipse(c.cx, c.cy, c.a, c.b, c.theta, p.x, p.y), tolerance)
                    << "ellipse " << c.a << "x" << c.b << " at " << p.x << "," << p.y;
            }
        }
    }
}

TEST(QuadraticToCubicControls, TwoThirdsTowardsTheControlPointTruncated)
{
    struct Case {
        Gdiplus::Point start, q, end, c1, c2;
    } cases[] = {
        {Gdiplus::Point(0, 0), Gdiplus::Point(3, 3), Gdiplus::Point(6, 0), Gdiplus::Point(2, 2), Gdiplus::Point(4, 2)},
        {Gdiplus::Point(0, 0), Gdiplus::Point(-1, -1), Gdiplus::Point(0, 0), Gdiplus::Point(0, 0), Gdiplus::Point(0, 0)},
        {Gdiplus::Point(10, 0), Gdiplus::Point(0, 0), Gdiplus::Point(0, 10), Gdiplus::Point(4, 0), Gdiplus::Point(0, 4)},
    };
    for (const Case& c : cases) {
        std::vector<Gdiplus::Point> points{Gdiplus::Point(99, 99)};
        QuadraticToCubicControls(c.start, c.q, c.end, points);
        ASSERT_EQ(3u, points.size());
        EXPECT_EQ(c.c1.X, points[1].X);
        EXPECT_EQ(c.c1.Y, points[1].Y);
        EXPECT_EQ(c.c2.X, points[2].X);
        EXPECT_EQ(c.c2.Y, points[2].Y);
    }
}

} // namespace
