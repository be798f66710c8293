#include "platform/gdiplus/BezierFlattening.h"

#include <algorithm>

namespace Gdiplus {

namespace {

struct PointD {
    double x, y;
};

PointD Midpoint(const PointD& a, const PointD& b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// Squared distance of p from the segment a-b. Every point of a cubic is a convex combination of
// its control points, so the cubic lies within the larger control-point distance of its chord.
double SquaredDistanceFromChord(const PointD& p, const PointD& a, const PointD& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t = lengthSquared > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0)
                                         : 0.0;
    const double ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return ex * ex + ey * ey;
}

// Each level halves a curve's deviation from its chord twice over: 16 levels bring curves far
// larger than any stage within the flatness, and bound the work on absurd input.
constexpr int kMaxSubdivisionDepth = 16;

// Halves the curve until its control points lie within the flatness of the chord. Double
// precision: Wine's own test is single precision and never converges at coordinates of several
// thousand.
void SubdivideBezier(const PointD& p0, const PointD& c1, const PointD& c2, const PointD& p3,
                     double squaredFlatness, int depth, std::vector<PointF>& points)
{
    const bool flat =
        std::max(SquaredDistanceFromChord(c1, p0, p3), SquaredDistanceFromChord(c2, p0, p3)) <= squaredFlatness;
    if (flat || depth >= kMaxSubdivisionDepth) {
        points.emplace_back(REAL(p3.x), REAL(p3.y));
        return;
    }
    const PointD a = Midpoint(p0, c1), b = Midpoint(c1, c2), c = Midpoint(c2, p3);
    const PointD ab = Midpoint(a, b), bc = Midpoint(b, c);
    const PointD middle = Midpoint(ab, bc);
    SubdivideBezier(p0, a, ab, middle, squaredFlatness, depth + 1, points);
    SubdivideBezier(middle, bc, c, p3, squaredFlatness, depth + 1, points);
}

PointD ToDouble(const PointF& p)
{
    return {p.X, p.Y};
}

} // namespace

void FlattenBezierSegment(const PointF& p0, const PointF& c1, const PointF& c2, const PointF& p3, REAL flatness,
                          std::vector<PointF>& points)
{
    const double tolerance = flatness;
    SubdivideBezier(ToDouble(p0), ToDouble(c1), ToDouble(c2), ToDouble(p3), tolerance * tolerance, 0, points);
    points.back() = p3;
}

} // namespace Gdiplus
