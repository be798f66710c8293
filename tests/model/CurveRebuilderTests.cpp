#include "ModelTestSupport.h"
#include "PolygonTestSupport.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashCurveRebuilder.h"
#include "model/FlashStraightLine.h"
#include "model/geometry/FlashPolygonSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace {

constexpr int kNone = CFlashPolygonVertex::kNoSource;

// A closed shape of straight lines through the points (curve i from point i to point i + 1).
std::unique_ptr<CFlashShape> MakeSolidPolygon(const std::vector<POINT>& points)
{
    auto shape = std::make_unique<CFlashSolidShape>(nullptr);
    for (size_t i = 0; i < points.size(); ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % points.size()];
        shape->InsertCurve(new CFlashStraightLine(a.x, a.y, b.x, b.y), false, 0);
    }
    return shape;
}

std::unique_ptr<CFlashShape> MakeEmptySolid()
{
    return std::make_unique<CFlashSolidShape>(nullptr);
}

std::unique_ptr<CFlashShape> MakeEmptyPath()
{
    const Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), 1.0f);
    return std::make_unique<CFlashContinuousPathShape>(&pen);
}

// An open path of one line from (0, 0) to (3000, 0).
std::unique_ptr<CFlashShape> MakeLinePath()
{
    std::unique_ptr<CFlashShape> path = MakeEmptyPath();
    path->InsertCurve(new CFlashStraightLine(0, 0, 3000, 0), false, 0);
    return path;
}

std::unique_ptr<CFlashShape> MakeRect2000By1000()
{
    return MakeSolidPolygon({{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}});
}

std::unique_ptr<CFlashShape> MakeBottomLine()
{
    return MakeSolidPolygon({{0, 0}, {1000, 0}, {500, -800}});
}

// A regular polygon around (5000, 5000) of radius 2000, without source tags.
std::vector<CFlashPolygonVertex> UntaggedPolygon(int corners)
{
    std::vector<CFlashPolygonVertex> vertices;
    for (int k = 0; k < corners; ++k) {
        const double angle = 2 * 3.14159265358979 * k / corners;
        vertices.emplace_back(std::trunc(5000 + 2000 * std::cos(angle)), std::trunc(5000 + 2000 * std::sin(angle)));
    }
    return vertices;
}

} // namespace

TEST(CurveRebuilder, PointNearBezierWithinTheRefinedTolerance)
{
    // The curve's apex is (500, 750), where its normal is vertical.
    const POINT start = {0, 0}, c1 = {0, 1000}, c2 = {1000, 1000}, end = {1000, 0};
    const struct {
        double x, y;
        bool onCurve;
    } cases[] = {
        {0, 0, true}, {1000, 0, true}, {500, 755, true}, {500, 805, true}, {500, 820, false}, {500, 680, false},
        {1000.5, 0, true}, {3000, 3000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.onCurve, IsPointNearBezier(c.x, c.y, start, c1, c2, end)) << c.x << "," << c.y;
}

TEST(CurveRebuilder, SplitBezierSegmentFollowsTheSourceCurve)
{
    const POINT cubic[4] = {{0, 0}, {0, 3000}, {3000, 3000}, {3000, 0}};
    auto at = [](const POINT (&c)[4], double t, double& x, double& y) {
        const double s = 1 - t;
        x = s * s * s * c[0].x + 3 * s * s * t * c[1].x + 3 * s * t * t * c[2].x + t * t * t * c[3].x;
        y = s * s * s * c[0].y + 3 * s * s * t * c[1].y + 3 * s * t * t * c[2].y + t * t * t * c[3].y;
    };
    const struct {
        double a, b;
    } cases[] = {{0.0, 1.0}, {0.25, 0.75}, {0.1, 0.4}, {0.6, 1.0}};
    for (const auto& c : cases) {
        POINT piece[4];
        ASSERT_TRUE(SplitBezierSegment(cubic, c.a, c.b, c.a + (c.b - c.a) / 3, c.a + 2 * (c.b - c.a) / 3, piece));
        for (double s = 0.0; s <= 1.0; s += 0.125) {
            double px = 0, py = 0, sx = 0, sy = 0;
            at(piece, s, px, py);
            at(cubic, c.a + s * (c.b - c.a), sx, sy);
            EXPECT_NEAR(sx, px, 3.0) << c.a << ".." << c.b << " at " << s;
            EXPECT_NEAR(sy, py, 3.0) << c.a << ".." << c.b << " at " << s;
        }
    }
    POINT untouched[4] = {{7, 7}, {7, 7}, {7, 7}, {7, 7}};
    EXPECT_FALSE(SplitBezierSegment(cubic, 0.5, 0.5, 0.5, 0.5, untouched));
    EXPECT_EQ(7, untouched[1].x);
}

// Contours as the clipper gives them back: a closed source outline runs the other way round.
TEST(CurveRebuilder, RebuildsContoursIntoSourcePiecesStraightAndFittedCurves)
{
    const struct {
        const char* name;
        std::unique_ptr<CFlashShape> (*makeSource)();
        std::vector<std::vector<CFlashPolygonVertex>> contours;
        const char* kinds;   // regular expression over KindsOf
        const char* markers; // regular expression over MarkersOf
        bool sourceGiven = true;
    } cases[] = {
        {"untagged polygon is refitted", MakeEmptySolid, {UntaggedPolygon(12)}, "B{2,8}C", "f+"},
        {"tagged rectangle corners give back its lines", MakeRect2000By1000,
         {{{0, 0, 0}, {0, 1000, 9}, {2000, 1000, 6}, {2000, 0, 3}}}, "LLLLC", "ppppf"},
        // A vertex is added 50 along the 120 edge and found on the source line.
        {"horizontal edge of 120 is split", MakeBottomLine, {{{0, 0, kNone}, {120, 0, kNone}, {60, 500, kNone}}},
         "LBBC", "pssf"},
        {"horizontal edge of 99 is not split", MakeBottomLine, {{{0, 0, kNone}, {99, 0, kNone}, {60, 500, kNone}}},
         "BBBC", "sssf"},
        // The 40-twip side goes; its neighbours meet. (No horizontal edge: those are split.)
        {"short segment is absorbed", MakeEmptySolid, {{{0, 0, kNone}, {2000, 100, kNone}, {2000, 140, kNone}}},
         "BBC", "ssf"},
        {"one close-figure operation per contour", MakeEmptySolid,
         {{{0, 0, kNone}, {3000, 0, kNone}, {0, 3000, kNone}}, {{5000, 5000, kNone}, {9000, 5000, kNone}, {5000, 9000, kNone}}},
         "B+CB+C", "f+"},
        // Closing gaps never hands a curve's end to itself: the last curve stays, and a closed
        // contour that shrinks to it is dropped.
        {"closed contour of short sides is dropped", MakeEmptySolid, {{{0, 0, kNone}, {30, 0, kNone}, {0, 30, kNone}}}, "", ""},
        {"open outline of short pieces becomes one curve", MakeEmptyPath,
         {{{0, 0, kNone}, {30, 0, kNone}, {60, 10, kNone}, {90, 0, kNone}}}, "B", "s"},
        {"open outline of one short piece keeps it", MakeEmptyPath, {{{0, 0, kNone}, {30, 0, kNone}}}, "B", "s"},
        // An open outline has no closing edge to split, and its last segment is made once.
        {"open outline with a horizontal gap between its ends", MakeEmptyPath,
         {{{0, 1000, kNone}, {500, 1500, kNone}, {3000, 1000, kNone}}}, "BB", "ss"},
        {"open outline ending on a tagged vertex off its curve", MakeLinePath, {{{0, 500, kNone}, {1000, 0, 1}}}, "B", "s"},
        // Without a source shape the target's closedness decides: the closing side is made.
        {"no source shape", MakeEmptySolid, {{{0, 0, kNone}, {2000, 100, kNone}, {1000, 1500, kNone}}}, "BBBC", "sssf",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CFlashShape> source = c.makeSource();
        const std::unique_ptr<CFlashShape> target(source->Clone());
        CFlashPolygonSet set;
        for (const auto& vertices : c.contours) {
            CFlashPolygonContour contour;
            contour.vertices = vertices;
            set.AddContour(contour, 0);
        }
        const CFlashPolygonSet original(set);
        g_CurveRebuilder.RebuildFromPolygonSet(target.get(), set, c.sourceGiven ? source.get() : nullptr, nullptr,
                                               nullptr, nullptr, 0, 0, 1.0, 0, false);
        const std::string kinds = KindsOf(*target), markers = MarkersOf(g_CurveRebuilder.GetMarkers());
        EXPECT_TRUE(std::regex_match(kinds, std::regex(c.kinds))) << kinds;
        EXPECT_TRUE(std::regex_match(markers, std::regex(c.markers))) << markers;
        ExpectClosedContours(*target);
        for (int i = 0; i < target->GetCurveCount(); ++i)
            if (target->GetCurve(i)->GetKind() == kCurveKindCloseFigure) {
                EXPECT_EQ(0, target->GetContourId(i)) << "curve " << i;
            }
        EXPECT_EQ(original.GetContour(0).GetVertexCount(), set.GetContour(0).GetVertexCount()) << "the set is not changed";
    }
}

TEST(CurveRebuilder, RebuiltPiecesKeepTheSourceEndsAndAbsorbShortSides)
{
    const std::unique_ptr<CFlashShape> source = MakeRect2000By1000();
    const std::unique_ptr<CFlashShape> target(source->Clone());
    CFlashPolygonSet set;
    CFlashPolygonContour contour;
    contour.vertices = {{0, 0, 0}, {0, 1000, 9}, {2000, 1000, 6}, {2000, 0, 3}};
    set.AddContour(contour, 0);
    g_CurveRebuilder.RebuildFromPolygonSet(target.get(), set, source.get(), nullptr, nullptr, nullptr, 0, 0, 1.0, 0, false);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(HasLine(*target, source->GetCurve(i)->GetStartPoint(), source->GetCurve(i)->GetEndPoint())) << i;

    const std::unique_ptr<CFlashShape> sliver(MakeEmptySolid()->Clone());
    CFlashPolygonSet triangle;
    CFlashPolygonContour corners;
    corners.vertices = {{0, 0}, {2000, 100}, {2000, 140}};
    triangle.AddContour(corners, 0);
    g_CurveRebuilder.RebuildFromPolygonSet(sliver.get(), triangle, sliver.get(), nullptr, nullptr, nullptr, 0, 0, 1.0, 0, false);
    ASSERT_EQ(3, sliver->GetCurveCount());
    for (int i = 0; i < 2; ++i)
        EXPECT_GE(std::hypot(sliver->GetCurve(i)->GetEndPoint().x - sliver->GetCurve(i)->GetStartPoint().x,
                             sliver->GetCurve(i)->GetEndPoint().y - sliver->GetCurve(i)->GetStartPoint().y),
                  50.0);
}

TEST(CurveRebuilder, SmoothShapeRefitsLassoOutlines)
{
    const struct {
        const char* name;
        std::vector<POINT> points;
        const char* kinds;
    } cases[] = {
        // A repeated point makes a zero-length line; three curves are too few to refit.
        {"three lines", {{0, 0}, {1000, 0}, {1000, 0}}, "LL"},
        // Ten lines; the closing line of the open outline is never refitted.
        {"ten lines", {{0, 0}, {800, -100}, {1500, 0}, {2000, 400}, {2200, 1000}, {2000, 1600}, {1500, 2000},
                       {800, 2100}, {200, 1800}, {-100, 1000}},
         "B{1,5}L"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CFlashShape> lasso = MakeEmptyPath();
        for (size_t i = 0; i < c.points.size(); ++i) {
            const POINT& a = c.points[i];
            const POINT& b = c.points[(i + 1) % c.points.size()];
            lasso->InsertCurve(new CFlashStraightLine(a.x, a.y, b.x, b.y), false, 0);
        }
        g_CurveRebuilder.SmoothShape(lasso.get());
        const std::string kinds = KindsOf(*lasso);
        EXPECT_TRUE(std::regex_match(kinds, std::regex(c.kinds))) << kinds;
        ExpectClosedContours(*lasso);
        EXPECT_TRUE(SamePoint(c.points.front(), lasso->GetCurve(0)->GetStartPoint()));
        EXPECT_TRUE(SamePoint(c.points.front(), lasso->GetCurve(lasso->GetCurveCount() - 1)->GetEndPoint()));
    }
}
