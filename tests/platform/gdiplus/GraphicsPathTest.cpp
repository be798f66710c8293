#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using Gdiplus::GraphicsPath;
using Gdiplus::Matrix;
using Gdiplus::Pen;
using Gdiplus::Point;
using Gdiplus::PointF;
using Gdiplus::Rect;
using Gdiplus::RectF;

namespace {

constexpr BYTE StartType = 0;
constexpr BYTE LineType = 1;
constexpr BYTE BezierType = 3;
constexpr BYTE MarkerFlag = 0x20;
constexpr BYTE CloseFlag = 0x80;

std::vector<BYTE> TypesOf(const GraphicsPath& path)
{
    std::vector<BYTE> types(path.GetPointCount());
    path.GetPathTypes(types.data(), INT(types.size()));
    return types;
}

std::vector<PointF> PointsOf(const GraphicsPath& path)
{
    std::vector<PointF> points(path.GetPointCount());
    path.GetPathPoints(points.data(), INT(points.size()));
    return points;
}

double DistanceToSegment(double px, double py, const PointF& a, const PointF& b)
{
    const double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t = lengthSquared > 0.0 ? std::clamp(((px - a.X) * dx + (py - a.Y) * dy) / lengthSquared, 0.0, 1.0)
                                         : 0.0;
    return std::hypot(px - (a.X + t * dx), py - (a.Y + t * dy));
}

double DistanceToPolyline(double px, double py, const std::vector<PointF>& polyline)
{
    double best = std::hypot(px - polyline.front().X, py - polyline.front().Y);
    for (size_t i = 1; i < polyline.size(); ++i)
        best = std::min(best, DistanceToSegment(px, py, polyline[i - 1], polyline[i]));
    return best;
}

// The larger of the two one-sided distances between the true cubic and the polyline, from dense
// samples of both.
double CurveToPolylineDistance(const PointF (&bezier)[4], const std::vector<PointF>& polyline)
{
    constexpr int kSamples = 2000;
    auto at = [&bezier](double t, double& x, double& y) {
        const double s = 1.0 - t;
        const double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
        x = b0 * bezier[0].X + b1 * bezier[1].X + b2 * bezier[2].X + b3 * bezier[3].X;
        y = b0 * bezier[0].Y + b1 * bezier[1].Y + b2 * bezier[2].Y + b3 * bezier[3].Y;
    };
    std::vector<PointF> curve;
    double worst = 0.0;
    for (int i = 0; i <= kSamples; ++i) {
        double x = 0.0, y = 0.0;
        at(double(i) / kSamples, x, y);
        curve.emplace_back(Gdiplus::REAL(x), Gdiplus::REAL(y));
        worst = std::max(worst, DistanceToPolyline(x, y, polyline));
    }
    for (size_t i = 1; i < polyline.size(); ++i)
        for (int k = 0; k <= 10; ++k) {
            const double t = k / 10.0;
            const double x = polyline[i - 1].X + t * (polyline[i].X - polyline[i - 1].X);
            const double y = polyline[i - 1].Y + t * (polyline[i].Y - polyline[i - 1].Y);
            worst = std::max(worst, DistanceToPolyline(x, y, curve));
        }
    return worst;
}

} // namespace

TEST(GraphicsPath, FlatteningTurnsABezierIntoLines)
{
    GraphicsPath path;
    path.AddBezier(PointF(0, 0), PointF(0, 100), PointF(100, 100), PointF(100, 0));
    ASSERT_EQ(4, path.GetPointCount());
    EXPECT_EQ((std::vector<BYTE>{StartType, BezierType, BezierType, BezierType}), TypesOf(path));

    ASSERT_EQ(Gdiplus::Ok, path.Flatten(nullptr, 0.25f));
    const INT count = path.GetPointCount();
    ASSERT_GT(count, 4);
    const std::vector<BYTE> types = TypesOf(path);
    EXPECT_EQ(StartType, types[0]);
    for (INT i = 1; i < count; ++i)
        EXPECT_EQ(LineType, types[i]) << "point " << i;

    std::vector<Point> points(count);
    ASSERT_EQ(Gdiplus::Ok, path.GetPathPoints(points.data(), count));
    EXPECT_EQ(0, points.front().X);
    EXPECT_EQ(100, points.back().X);
    EXPECT_EQ(0, points.back().Y);
    for (const Point& point : points) {
        EXPECT_GE(point.Y, 0);
        EXPECT_LE(point.Y, 75) << "the curve peaks at three quarters of its control height";
    }
}

TEST(GraphicsPath, FlattenAppliesTheMatrixFirst)
{
    GraphicsPath path;
    path.AddLine(PointF(0, 0), PointF(10, 0));
    const Matrix scale(3.0f, 0.0f, 0.0f, 3.0f, 1.0f, 2.0f);
    ASSERT_EQ(Gdiplus::Ok, path.Flatten(&scale));
    PointF points[2];
    ASSERT_EQ(2, path.GetPointCount());
    path.GetPathPoints(points, 2);
    EXPECT_FLOAT_EQ(1.0f, points[0].X);
    EXPECT_FLOAT_EQ(2.0f, points[0].Y);
    EXPECT_FLOAT_EQ(31.0f, points[1].X);
}

// Beziers at stage-sized twip coordinates, where the platform's own flattening never converges.
TEST(GraphicsPath, FlattenAtStageCoordinatesStaysWithinTheFlatness)
{
    const struct {
        PointF bezier[4];
        Gdiplus::REAL flatness;
    } cases[] = {
        {{{6259, 3618}, {6300, 3720}, {6269, 3794}, {6167, 3837}}, 0.25f},
        {{{9000, 7000}, {10100, 7000}, {11000, 7900}, {11000, 9000}}, 0.25f},
        {{{0, 0}, {4000, 8000}, {-4000, 8000}, {200, 0}}, 0.25f},
        {{{10000, 8000}, {10000, 8000}, {10000, 8000}, {10000, 8000}}, 0.25f},
        {{{5000, 5000}, {5400, 5000}, {5000, 5000}, {5001, 5000}}, 0.1f},
        {{{100, 100}, {180, 300}, {300, 20}, {400, 100}}, 2.0f},
    };
    for (const auto& c : cases) {
        GraphicsPath path;
        path.AddBezier(c.bezier[0], c.bezier[1], c.bezier[2], c.bezier[3]);
        ASSERT_EQ(Gdiplus::Ok, path.Flatten(nullptr, c.flatness)) << c.bezier[0].X << "," << c.bezier[0].Y;
        const std::vector<PointF> points = PointsOf(path);
        const std::vector<BYTE> types = TypesOf(path);
        ASSERT_GE(points.size(), 2u);
        EXPECT_EQ(StartType, types.front());
        EXPECT_TRUE(std::all_of(types.begin() + 1, types.end(), [](BYTE type) { return type == LineType; }));
        EXPECT_FLOAT_EQ(c.bezier[0].X, points.front().X);
        EXPECT_FLOAT_EQ(c.bezier[3].Y, points.back().Y);
        EXPECT_LE(CurveToPolylineDistance(c.bezier, points), c.flatness + 0.01)
            << c.bezier[0].X << "," << c.bezier[0].Y << " in " << points.size() << " points";
    }
}

TEST(GraphicsPath, FlattenKeepsFigureStartsClosesAndMarkers)
{
    // A closed figure of a Bezier and a line, then a figure of a line with a marker on its end
    // and a Bezier, closed.
    const PointF points[] = {{6000, 4000}, {6400, 4000}, {6400, 4400}, {6000, 4400}, {5900, 4200},
                             {0, 0},       {50, 0},      {80, 40},     {120, 40},    {150, 0}};
    const BYTE types[] = {StartType, BezierType, BezierType, BezierType, BYTE(LineType | CloseFlag),
                          StartType, BYTE(LineType | MarkerFlag), BezierType, BezierType,
                          BYTE(BezierType | CloseFlag)};
    GraphicsPath path(points, types, 10, Gdiplus::FillModeWinding);
    ASSERT_EQ(types[9], TypesOf(path)[9]);

    const Matrix shift(1.0f, 0.0f, 0.0f, 1.0f, 1000.0f, 0.0f);
    ASSERT_EQ(Gdiplus::Ok, path.Flatten(&shift, 0.25f));
    const std::vector<BYTE> flatTypes = TypesOf(path);
    const std::vector<PointF> flat = PointsOf(path);
    std::vector<size_t> starts, closes, markers;
    for (size_t i = 0; i < flatTypes.size(); ++i) {
        const BYTE kind = flatTypes[i] & 0x07;
        EXPECT_TRUE(kind == StartType || kind == LineType) << "point " << i;
        if (kind == StartType)
            starts.push_back(i);
        if (flatTypes[i] & CloseFlag)
            closes.push_back(i);
        if (flatTypes[i] & MarkerFlag)
            markers.push_back(i);
    }
    ASSERT_EQ(2u, starts.size());
    ASSERT_EQ(2u, closes.size());
    ASSERT_EQ(1u, markers.size());
    EXPECT_EQ(0u, starts[0]);
    EXPECT_EQ(starts[1] - 1, closes[0]) << "the first figure closes on its last point";
    EXPECT_EQ(flatTypes.size() - 1, closes[1]);
    EXPECT_EQ(starts[1] + 1, markers[0]) << "the marker stays on the point it was set on";
    EXPECT_FLOAT_EQ(7000.0f, flat[0].X) << "the matrix is applied before flattening";
    EXPECT_FLOAT_EQ(6900.0f, flat[closes[0]].X);
    EXPECT_FLOAT_EQ(1000.0f, flat[starts[1]].X);
    EXPECT_FLOAT_EQ(1150.0f, flat.back().X);
    EXPECT_GT(closes[0] - starts[0], 5u) << "the first Bezier became several lines";
    EXPECT_EQ(Gdiplus::FillModeWinding, path.GetFillMode());
}

TEST(GraphicsPath, IsVisibleFollowsTheFillMode)
{
    // Two nested squares: alternate fill leaves a hole, winding fills it.
    GraphicsPath path;
    path.AddRectangle(Rect(0, 0, 100, 100));
    path.AddRectangle(Rect(25, 25, 50, 50));
    const struct {
        Gdiplus::FillMode mode;
        INT x, y;
        bool inside;
    } cases[] = {
        {Gdiplus::FillModeAlternate, 10, 10, true}, {Gdiplus::FillModeAlternate, 50, 50, false},
        {Gdiplus::FillModeAlternate, 150, 50, false}, {Gdiplus::FillModeWinding, 50, 50, true},
        {Gdiplus::FillModeWinding, 10, 90, true},     {Gdiplus::FillModeWinding, -1, 50, false},
    };
    for (const auto& c : cases) {
        path.SetFillMode(c.mode);
        EXPECT_EQ(c.mode, path.GetFillMode());
        EXPECT_EQ(c.inside, bool(path.IsVisible(c.x, c.y))) << c.mode << ": " << c.x << "," << c.y;
        EXPECT_EQ(c.inside, bool(path.IsVisible(PointF(Gdiplus::REAL(c.x), Gdiplus::REAL(c.y)))));
    }
}

TEST(GraphicsPath, FlattenedEllipseKeepsItsInside)
{
    GraphicsPath path;
    path.AddEllipse(0, 0, 200, 100);
    path.Flatten(nullptr, FlatnessDefault);
    const struct {
        Gdiplus::REAL x, y;
        bool inside;
    } cases[] = {{100, 50, true}, {5, 50, true}, {195, 50, true}, {10, 10, false}, {190, 90, false}, {100, 105, false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.inside, bool(path.IsVisible(c.x, c.y))) << c.x << "," << c.y;
}

TEST(GraphicsPath, OutlineHitTestHonoursThePenWidth)
{
    GraphicsPath path;
    path.AddLine(Point(0, 50), Point(200, 50));
    const struct {
        Gdiplus::REAL width;
        INT distance;
        bool hit;
    } cases[] = {
        {2.0f, 0, true}, {2.0f, 3, false}, {10.0f, 3, true}, {10.0f, 4, true}, {10.0f, 7, false}, {40.0f, 18, true},
        {40.0f, 25, false},
    };
    for (const auto& c : cases) {
        const Pen pen(Gdiplus::Color::Black, c.width);
        EXPECT_EQ(c.hit, bool(path.IsOutlineVisible(100, 50 + c.distance, &pen)))
            << "width " << c.width << ", distance " << c.distance;
        EXPECT_EQ(c.hit, bool(path.IsOutlineVisible(PointF(100.0f, 50.0f - c.distance), &pen)));
    }
}

TEST(GraphicsPath, FiguresCloseAndStartAgain)
{
    GraphicsPath path;
    const Point triangle[] = {Point(0, 0), Point(10, 0), Point(10, 10)};
    path.AddLines(triangle, 3);
    path.CloseFigure();
    path.StartFigure();
    path.AddLine(20, 20, 30, 30);
    EXPECT_EQ((std::vector<BYTE>{StartType, LineType, LineType | CloseFlag, StartType, LineType}), TypesOf(path));
    PointF last;
    path.GetLastPoint(&last);
    EXPECT_FLOAT_EQ(30.0f, last.X);

    ASSERT_EQ(Gdiplus::Ok, path.Reset());
    EXPECT_EQ(0, path.GetPointCount());
    EXPECT_EQ(Gdiplus::FillModeAlternate, path.GetFillMode());
}

TEST(GraphicsPath, BoundsTransformAndAddedPaths)
{
    GraphicsPath path;
    path.AddRectangle(RectF(10, 20, 30, 40));
    Rect bounds;
    ASSERT_EQ(Gdiplus::Ok, path.GetBounds(&bounds));
    EXPECT_TRUE(bounds.Equals(Rect(10, 20, 30, 40)));

    const Matrix move(1.0f, 0.0f, 0.0f, 1.0f, 100.0f, 0.0f);
    path.Transform(&move);
    RectF moved;
    path.GetBounds(&moved);
    EXPECT_FLOAT_EQ(110.0f, moved.X);

    GraphicsPath other;
    other.AddEllipse(Rect(0, 0, 10, 10));
    other.AddPath(&path, FALSE);
    other.GetBounds(&bounds);
    EXPECT_TRUE(bounds.Equals(Rect(0, 0, 140, 60)));

    const Pen wide(Gdiplus::Color::Black, 10.0f);
    RectF widened;
    path.GetBounds(&widened, nullptr, &wide);
    EXPECT_LT(widened.X, 110.0f) << "a pen widens the bounds";
}

TEST(GraphicsPath, WidenMakesTheStrokeOutline)
{
    GraphicsPath path;
    path.AddLine(0, 0, 100, 0);
    const Pen pen(Gdiplus::Color::Black, 10.0f);
    ASSERT_EQ(Gdiplus::Ok, path.Widen(&pen));
    EXPECT_TRUE(path.IsVisible(50, 4));
    EXPECT_FALSE(path.IsVisible(50, 8));
}

TEST(GraphicsPath, WidenAtStageCoordinatesAppliesTheMatrixFirst)
{
    GraphicsPath path;
    path.AddBezier(PointF(6259, 3618), PointF(6300, 3720), PointF(6269, 3794), PointF(6167, 3837));
    const Pen pen(Gdiplus::Color::Black, 20.0f);
    const Matrix shift(1.0f, 0.0f, 0.0f, 1.0f, 1000.0f, 0.0f);
    ASSERT_EQ(Gdiplus::Ok, path.Widen(&pen, &shift, 0.25f));
    EXPECT_TRUE(path.IsVisible(7259.0f, 3618.0f)) << "the curve's start, moved";
    EXPECT_TRUE(path.IsVisible(7167.0f, 3837.0f)) << "the curve's end, moved";
    EXPECT_FALSE(path.IsVisible(6259.0f, 3618.0f));
    EXPECT_FALSE(path.IsVisible(7230.0f, 3700.0f)) << "beside the curve, beyond the pen";
}

TEST(GraphicsPath, TextBecomesGlyphOutlines)
{
    const Gdiplus::FontFamily family(u"Arial");
    ASSERT_TRUE(family.IsAvailable());
    GraphicsPath path;
    const RectF box(100.0f, 50.0f, 400.0f, 100.0f);
    ASSERT_EQ(Gdiplus::Ok, path.AddString(u"Hello", -1, &family, Gdiplus::FontStyleRegular, 40.0f, box, nullptr));
    ASSERT_GT(path.GetPointCount(), 20);
    RectF bounds;
    path.GetBounds(&bounds);
    EXPECT_GE(bounds.X, box.X);
    EXPECT_GE(bounds.Y, box.Y);
    EXPECT_LE(bounds.GetRight(), box.GetRight());
    EXPECT_GT(bounds.Height, 20.0f);
    EXPECT_LT(bounds.Height, 45.0f);

    // Centred text in the same box moves right.
    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    GraphicsPath centredPath;
    centredPath.AddString(u"Hello", 5, &family, Gdiplus::FontStyleBold, 40.0f, box, &centred);
    RectF centredBounds;
    centredPath.GetBounds(&centredBounds);
    EXPECT_GT(centredBounds.X, bounds.X + 50.0f);

    // A point origin lays the text out from that point.
    GraphicsPath fromOrigin;
    fromOrigin.AddString(u"Hi", -1, &family, Gdiplus::FontStyleRegular, 20.0f, PointF(300.0f, 300.0f), nullptr);
    fromOrigin.GetBounds(&bounds);
    EXPECT_GE(bounds.X, 300.0f);
    EXPECT_GE(bounds.Y, 300.0f);
}

TEST(GraphicsPath, CloneIsIndependent)
{
    GraphicsPath path(Gdiplus::FillModeWinding);
    path.AddLine(0, 0, 10, 10);
    std::unique_ptr<GraphicsPath> clone(path.Clone());
    ASSERT_EQ(Gdiplus::Ok, clone->GetLastStatus());
    clone->AddLine(20, 20, 30, 30);
    EXPECT_EQ(2, path.GetPointCount());
    EXPECT_EQ(4, clone->GetPointCount());
    EXPECT_EQ(Gdiplus::FillModeWinding, clone->GetFillMode());
}
