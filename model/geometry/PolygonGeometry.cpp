#include "model/geometry/PolygonGeometry.h"

#include <cmath>

namespace {

constexpr double kNearSegmentDistance = 5.0;
constexpr double kCollinearSlopeTolerance = 0.01;

// Parameter of (x, y) along the segment from (x1, y1) to (x2, y2), measured in x, or in y for a
// vertical segment; false for a segment of no extent.
bool SegmentParameter(double x1, double y1, double x2, double y2, double x, double y, double& t)
{
    if (x2 != x1) {
        t = (x - x1) / (x2 - x1);
        return true;
    }
    if (y2 != y1) {
        t = (y - y1) / (y2 - y1);
        return true;
    }
    return false;
}

long long Cross(const Gdiplus::Point& o, const Gdiplus::Point& a, const Gdiplus::Point& b)
{
    return (long long)(a.X - o.X) * (b.Y - o.Y) - (long long)(a.Y - o.Y) * (b.X - o.X);
}

} // namespace

double PointDistance(const Gdiplus::Point& a, const Gdiplus::Point& b)
{
    const double dx = double(b.X) - a.X;
    const double dy = double(b.Y) - a.Y;
    return std::sqrt(dx * dx + dy * dy);
}

bool IntersectSegments(double x1, double y1, double x2, double y2,
                       double x3, double y3, double x4, double y4, double& x, double& y)
{
    const double det = (x2 - x1) * (y4 - y3) - (y2 - y1) * (x4 - x3);
    if (det == 0.0)
        return false;
    const double s = ((x3 - x1) * (y4 - y3) - (y3 - y1) * (x4 - x3)) / det;
    x = x1 + s * (x2 - x1);
    y = y1 + s * (y2 - y1);
    double t1 = 0.0;
    double t2 = 0.0;
    if (!SegmentParameter(x1, y1, x2, y2, x, y, t1) || !SegmentParameter(x3, y3, x4, y4, x, y, t2))
        return false;
    return t1 >= 0.0 && t1 <= 1.0 && t2 >= 0.0 && t2 <= 1.0;
}

bool IsPointNearSegment(const Gdiplus::Point& p, const Gdiplus::Point& a, const Gdiplus::Point& b)
{
    const double abx = double(b.X) - a.X;
    const double aby = double(b.Y) - a.Y;
    const double lengthSquared = abx * abx + aby * aby;
    if (lengthSquared == 0.0)
        return false;
    const double t = ((double(p.X) - a.X) * abx + (double(p.Y) - a.Y) * aby) / lengthSquared;
    if (t < 0.0 || t > 1.0)
        return false;
    const double footX = std::trunc(a.X + t * abx);
    const double footY = std::trunc(a.Y + t * aby);
    return std::hypot(p.X - footX, p.Y - footY) < kNearSegmentDistance;
}

bool AreCollinear(const Gdiplus::Point& a, const Gdiplus::Point& b, const Gdiplus::Point& c)
{
    if (b.Y == a.Y)
        return c.Y == a.Y;
    if (c.Y == a.Y)
        return false;
    const double inverseSlopeC = double(c.X - a.X) / double(c.Y - a.Y);
    const double inverseSlopeB = double(b.X - a.X) / double(b.Y - a.Y);
    return std::fabs(inverseSlopeC - inverseSlopeB) < kCollinearSlopeTolerance;
}

int ConvexHullOfSortedPoints(const Gdiplus::Point* points, int count, Gdiplus::Point* hull)
{
    int k = 0;
    for (int i = 0; i < count; ++i) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    const int lowerEnd = k + 1;
    for (int i = count - 2; i >= 0; --i) {
        while (k >= lowerEnd && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    return k;
}
