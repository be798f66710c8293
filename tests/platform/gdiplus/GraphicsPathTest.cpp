#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

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
constexpr BYTE CloseFlag = 0x80;

std::vector<BYTE> TypesOf(const GraphicsPath& path)
{
    std::vector<BYTE> types(path.GetPointCount());
    path.GetPathTypes(types.data(), INT(types.size()));
    return types;
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
