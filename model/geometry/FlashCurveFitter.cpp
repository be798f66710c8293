#include "model/geometry/FlashCurveFitter.h"

#include "model/geometry/PolygonClipper.h"
#include "model/geometry/PolygonGeometry.h"

#include <algorithm>
#include <cmath>

CFlashCurveFitter g_CurveFitter;

namespace {

constexpr double kTangentNearWeight = 0.7;
constexpr double kTangentFarWeight = 0.3;
constexpr int kMaxNewtonSteps = 6;
constexpr double kNewtonTolerance = 0.0001;

struct Cubic {
    double p[4][2];

    void At(double t, double& x, double& y) const
    {
        const double s = 1.0 - t;
        const double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
        x = b0 * p[0][0] + b1 * p[1][0] + b2 * p[2][0] + b3 * p[3][0];
        y = b0 * p[0][1] + b1 * p[1][1] + b2 * p[2][1] + b3 * p[3][1];
    }

    void Derivative(double t, double& x, double& y) const
    {
        const double s = 1.0 - t;
        const double d0 = 3 * s * s, d1 = 6 * s * t, d2 = 3 * t * t;
        x = d0 * (p[1][0] - p[0][0]) + d1 * (p[2][0] - p[1][0]) + d2 * (p[3][0] - p[2][0]);
        y = d0 * (p[1][1] - p[0][1]) + d1 * (p[2][1] - p[1][1]) + d2 * (p[3][1] - p[2][1]);
    }
};

Cubic ToCubic(const CFlashCurveFitter::Segment& s)
{
    return Cubic{{{double(s.x0), double(s.y0)}, {s.c1x, s.c1y}, {s.c2x, s.c2y}, {double(s.x1), double(s.y1)}}};
}

int RoundHalfUp(double value)
{
    return int(std::floor(value + 0.5));
}

} // namespace

void CFlashCurveFitter::Reset()
{
    m_inputPoints.clear();
    m_segments.clear();
    m_controlPoints.clear();
}

void CFlashCurveFitter::AddPoint(int x, int y)
{
    m_inputPoints.emplace_back(x, y);
    m_lastPoint = Gdiplus::Point(x, y);
}

// Input point k, reflected through the first or last point beyond the ends of the run.
CFlashCurveFitter::Vector2 CFlashCurveFitter::PointAt(int k) const
{
    const int n = GetInputPointCount();
    auto at = [this](int i) { return Vector2{double(m_inputPoints[i].X), double(m_inputPoints[i].Y)}; };
    if (k >= 0 && k < n)
        return at(k);
    if (k < 0 && -k < n)
        return Vector2{2 * at(0).x - at(-k).x, 2 * at(0).y - at(-k).y};
    const int mirrored = 2 * n - 2 - k;
    if (k >= n && mirrored >= 0 && mirrored < n)
        return Vector2{2 * at(n - 1).x - at(mirrored).x, 2 * at(n - 1).y - at(mirrored).y};
    return Vector2{0.0, 0.0};
}

CFlashCurveFitter::Vector2 CFlashCurveFitter::TangentAt(int k) const
{
    auto unit = [](Vector2 a, Vector2 b) {
        Vector2 d{a.x - b.x, a.y - b.y};
        const double length = std::hypot(d.x, d.y);
        return length > 0.0 ? Vector2{d.x / length, d.y / length} : d;
    };
    const Vector2 d1 = unit(PointAt(k + 1), PointAt(k - 1));
    const Vector2 d2 = unit(PointAt(k + 2), PointAt(k - 2));
    return Vector2{kTangentNearWeight * d1.x + kTangentFarWeight * d2.x,
                   kTangentNearWeight * d1.y + kTangentFarWeight * d2.y};
}

CFlashCurveFitter::Segment CFlashCurveFitter::MakeSegment(int a, int b) const
{
    const Vector2 start = PointAt(a);
    const Vector2 end = PointAt(b);
    const double arm = m_controlLength * 0.01 * std::hypot(end.x - start.x, end.y - start.y) * 0.5;
    const Vector2 t0 = TangentAt(a);
    const Vector2 t1 = TangentAt(b);
    return Segment{m_inputPoints[a].X, m_inputPoints[a].Y, m_inputPoints[b].X, m_inputPoints[b].Y,
                   start.x + arm * t0.x, start.y + arm * t0.y, end.x - arm * t1.x, end.y - arm * t1.y};
}

// Whether some interior point of a..b lies as far as the deviation bound from the segment,
// measured along the normal of the point's own direction.
bool CFlashCurveFitter::DeviationReaches(const Segment& segment, int a, int b) const
{
    if (b - a < 2)
        return false;
    const Cubic cubic = ToCubic(segment);
    for (int k = a + 1; k < b; ++k) {
        const Vector2 p = PointAt(k);
        const Vector2 next = PointAt(k + 1);
        const Vector2 prev = PointAt(k - 1);
        Vector2 dir{next.x - prev.x, next.y - prev.y};
        const double length = std::hypot(dir.x, dir.y);
        if (length > 0.0)
            dir = Vector2{dir.x / length, dir.y / length};

        const double start = double(k - a) / double(b - a);
        double t = start;
        bool converged = false;
        for (int step = 0;; ++step) {
            double x, y;
            cubic.At(t, x, y);
            const double projection = (x - p.x) * dir.x + (y - p.y) * dir.y;
            if (std::fabs(projection) <= kNewtonTolerance) {
                converged = true;
                break;
            }
            double dx, dy;
            cubic.Derivative(t, dx, dy);
            const double slope = dx * dir.x + dy * dir.y;
            if (step == kMaxNewtonSteps || slope == 0.0)
                break;
            t -= projection / slope;
        }
        if (!converged)
            t = start;
        double x, y;
        cubic.At(t, x, y);
        if (std::hypot(x - p.x, y - p.y) >= m_deviationBound)
            return true;
    }
    return false;
}

void CFlashCurveFitter::Fit()
{
    const int n = GetInputPointCount();
    if (n < 3)
        return;
    std::vector<Segment> segments;
    for (int a = 0; a != n - 1;) {
        int b = std::min(a + 1, n - 1);
        Segment segment = MakeSegment(a, b);
        while (b < n - 1 && !DeviationReaches(segment, a, b))
            segment = MakeSegment(a, ++b);
        segments.push_back(segment);
        a = b;
    }

    std::vector<Gdiplus::Point> controlPoints;
    controlPoints.reserve(3 * segments.size() + 1);
    controlPoints.emplace_back(segments.front().x0, segments.front().y0);
    for (const Segment& s : segments) {
        controlPoints.emplace_back(RoundHalfUp(s.c1x), RoundHalfUp(s.c1y));
        controlPoints.emplace_back(RoundHalfUp(s.c2x), RoundHalfUp(s.c2y));
        controlPoints.emplace_back(s.x1, s.y1);
    }
    m_segments.swap(segments);
    m_controlPoints.swap(controlPoints);
}

void CFlashCurveFitter::SweepOutline(const std::vector<Gdiplus::Point>& brush, CFlashPolygonSet& outline) const
{
    CFlashPolygonSet swept;
    std::vector<Gdiplus::Point> stamp(2 * brush.size());
    std::vector<Gdiplus::Point> hull(2 * stamp.size());
    for (int i = 0; i + 1 < GetInputPointCount(); ++i) {
        for (size_t j = 0; j < brush.size(); ++j) {
            stamp[j] = brush[j] + m_inputPoints[i];
            stamp[brush.size() + j] = brush[j] + m_inputPoints[i + 1];
        }
        std::sort(stamp.begin(), stamp.end(), [](const Gdiplus::Point& a, const Gdiplus::Point& b) {
            return a.X < b.X || (a.X == b.X && a.Y < b.Y);
        });
        const int hullCount = ConvexHullOfSortedPoints(stamp.data(), int(stamp.size()), hull.data());
        if (hullCount == 0)
            continue;
        CFlashPolygonContour contour;
        contour.vertices.reserve(hullCount);
        for (int k = 0; k < hullCount; ++k)
            contour.vertices.emplace_back(hull[k].X, hull[k].Y);
        CFlashPolygonSet stampSet;
        stampSet.AddContour(std::move(contour), 0);
        ClipPolygonSets(kClipUnion, stampSet, swept, swept);
    }
    for (int c = 0; c < swept.GetContourCount(); ++c) {
        std::vector<CFlashPolygonVertex>& v = swept.GetContour(c).vertices;
        std::reverse(v.begin(), v.end());
    }
    outline.Swap(swept);
}
