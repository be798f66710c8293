#include "model/geometry/PolygonGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Gdiplus::Point;

TEST(PolygonGeometry, PointDistance)
{
    EXPECT_DOUBLE_EQ(5.0, PointDistance(Point(0, 0), Point(3, 4)));
    EXPECT_DOUBLE_EQ(0.0, PointDistance(Point(-7, 2), Point(-7, 2)));
}

TEST(PolygonGeometry, IntersectSegments)
{
    struct Case {
        const char* name;
        double s[8];
        bool crosses;
        bool stored;
        double x, y;
    } cases[] = {
        {"crossing diagonals", {0, 0, 10, 10, 0, 10, 10, 0}, true, true, 5, 5},
        {"meeting at an end", {0, 0, 10, 0, 10, -5, 10, 5}, true, true, 10, 0},
        {"lines meet beyond the segments", {0, 0, 1, 1, 10, 0, 11, -1}, false, true, 5, 5},
        {"vertical segment measured in y", {5, -5, 5, 5, 0, 0, 10, 0}, true, true, 5, 0},
        {"vertical segment missed in y", {5, 1, 5, 5, 0, 0, 10, 0}, false, true, 5, 0},
        {"parallel", {0, 0, 10, 0, 0, 1, 10, 1}, false, false, 0, 0},
        {"collinear overlap is parallel", {0, 0, 10, 0, 5, 0, 15, 0}, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        double x = -1, y = -1;
        EXPECT_EQ(c.crosses, IntersectSegments(c.s[0], c.s[1], c.s[2], c.s[3], c.s[4], c.s[5], c.s[6], c.s[7], x, y))
            << c.name;
        if (c.stored) {
            EXPECT_NEAR(c.x, x, 1e-9) << c.name;
            EXPECT_NEAR(c.y, y, 1e-9) << c.name;
        } else {
            EXPECT_EQ(-1.0, x) << c.name;
        }
    }
}

TEST(PolygonGeometry, IsPointNearSegment)
{
    const Point a(0, 0), b(100, 0);
    struct Case {
        Point p;
        bool isNear;
    } cases[] = {
        {Point(50, 4), true},    // beside the middle
        {Point(50, -4), true},
        {Point(50, 5), false},   // "less than 5"
        {Point(0, 3), true},     // at an end
        {Point(-1, 0), false},   // beyond the start
        {Point(101, 0), false},  // beyond the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.isNear, IsPointNearSegment(c.p, a, b)) << c.p.X << "," << c.p.Y;
    EXPECT_FALSE(IsPointNearSegment(Point(3, 3), Point(3, 3), Point(3, 3))) << "a zero-length segment is never near";
}

TEST(PolygonGeometry, AreCollinear)
{
    struct Case {
        Point a, b, c;
        bool collinear;
    } cases[] = {
        {Point(0, 0), Point(0, 10), Point(0, 20), true},
        {Point(0, 0), Point(10, 0), Point(20, 1), false},
        {Point(0, 0), Point(10, 0), Point(20, 0), true},
        {Point(0, 0), Point(10, 10), Point(20, 0), false},
        {Point(0, 0), Point(10, 10), Point(-30, -30), true},
        {Point(0, 0), Point(100, 1000), Point(200, 2001), true}, // inverse slopes 0.1 and 0.09995
        {Point(0, 0), Point(10, 100), Point(30, 100), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.collinear, AreCollinear(c.a, c.b, c.c))
            << c.c.X << "," << c.c.Y;
}

TEST(PolygonGeometry, ConvexHullOfSortedPoints)
{
    struct Case {
        const char* name;
        std::vector<Point> sorted;
        std::vector<Point> hull;
    } cases[] = {
        {"square with an inner point",
         {Point(0, 0), Point(0, 10), Point(5, 5), Point(10, 0), Point(10, 10)},
         {Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10), Point(0, 0)}},
        {"collinear points on the edge are left out",
         {Point(0, 0), Point(5, 0), Point(10, 0), Point(10, 10)},
         {Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 0)}},
        {"all on one vertical", {Point(3, 0), Point(3, 4), Point(3, 9)}, {Point(3, 0), Point(3, 9), Point(3, 0)}},
    };
    for (const Case& c : cases) {
        std::vector<Point> out(2 * c.sorted.size());
        const int count = ConvexHullOfSortedPoints(c.sorted.data(), int(c.sorted.size()), out.data());
        ASSERT_EQ(int(c.hull.size()), count) << c.name;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(c.hull[i].X, out[i].X) << c.name << " point " << i;
            EXPECT_EQ(c.hull[i].Y, out[i].Y) << c.name << " point " << i;
        }
    }
}

} // namespace
