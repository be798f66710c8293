#include "tests/model/geometry/PolygonTestHelpers.h"

#include <cmath>

CFlashPolygonContour MakeContour(PointList points, int sourceIndex)
{
    CFlashPolygonContour contour;
    for (const auto& p : points)
        contour.vertices.emplace_back(p.first, p.second, sourceIndex);
    return contour;
}

CFlashPolygonContour MakeRectangle(double left, double top, double right, double bottom)
{
    return MakeContour({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

CFlashPolygonSet MakeSet(std::initializer_list<CFlashPolygonContour> contours)
{
    CFlashPolygonSet set;
    for (const CFlashPolygonContour& contour : contours)
        set.AddContour(contour, 0);
    return set;
}

double SignedArea(const CFlashPolygonContour& contour)
{
    double twice = 0.0;
    const auto& v = contour.vertices;
    for (size_t i = 0; i < v.size(); ++i) {
        const auto& a = v[i];
        const auto& b = v[(i + 1) % v.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

double CoveredArea(const CFlashPolygonSet& set)
{
    double area = 0.0;
    for (int i = 0; i < set.GetContourCount(); ++i) {
        const double a = std::fabs(SignedArea(set.GetContour(i)));
        area += set.GetHoleFlag(i) ? -a : a;
    }
    return area;
}

bool ContainsPoint(const CFlashPolygonSet& set, double x, double y)
{
    bool inside = false;
    for (int c = 0; c < set.GetContourCount(); ++c) {
        const auto& v = set.GetContour(c).vertices;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            if ((v[i].y > y) != (v[j].y > y)
                && x < (v[j].x - v[i].x) * (y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
                inside = !inside;
        }
    }
    return inside;
}

bool IsOnBoundary(const CFlashPolygonSet& set, double x, double y, double distance)
{
    for (int c = 0; c < set.GetContourCount(); ++c) {
        const auto& v = set.GetContour(c).vertices;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            const double dx = v[i].x - v[j].x;
            const double dy = v[i].y - v[j].y;
            const double length2 = dx * dx + dy * dy;
            double t = length2 > 0 ? ((x - v[j].x) * dx + (y - v[j].y) * dy) / length2 : 0.0;
            t = t < 0 ? 0 : (t > 1 ? 1 : t);
            if (std::hypot(v[j].x + t * dx - x, v[j].y + t * dy - y) <= distance)
                return true;
        }
    }
    return false;
}
