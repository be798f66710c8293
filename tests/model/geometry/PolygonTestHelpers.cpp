#include "tests/model/geometry/PolygonTestHelpers.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

namespace {

// An edge going up, from the set it belongs to (0 a, 1 b).
struct RisingEdge {
    double x0, y0, x1, y1;
    int set;

    double XAt(double y) const { return x0 + (x1 - x0) * (y - y0) / (y1 - y0); }
};

bool Covered(ClipOperation operation, bool inA, bool inB)
{
    switch (operation) {
    case kClipDifference:
        return inA && !inB;
    case kClipIntersection:
        return inA && inB;
    case kClipExclusiveOr:
        return inA != inB;
    case kClipUnion:
        return inA || inB;
    }
    return false;
}

} // namespace

double AreaBySlabs(ClipOperation operation, const CFlashPolygonSet& a, const CFlashPolygonSet& b)
{
    std::vector<RisingEdge> edges;
    std::vector<double> cuts;
    for (int set = 0; set < 2; ++set) {
        const CFlashPolygonSet& polygons = set == 0 ? a : b;
        for (int c = 0; c < polygons.GetContourCount(); ++c) {
            const auto& v = polygons.GetContour(c).vertices;
            for (size_t i = 0; i < v.size(); ++i) {
                const auto& p = v[i];
                const auto& q = v[(i + 1) % v.size()];
                cuts.push_back(p.y);
                // Horizontal edges bound no slab's interior.
                if (p.y < q.y)
                    edges.push_back({p.x, p.y, q.x, q.y, set});
                else if (q.y < p.y)
                    edges.push_back({q.x, q.y, p.x, p.y, set});
            }
        }
    }
    for (size_t i = 0; i < edges.size(); ++i) {
        for (size_t j = i + 1; j < edges.size(); ++j) {
            const RisingEdge& e = edges[i];
            const RisingEdge& f = edges[j];
            const double low = std::max(e.y0, f.y0);
            const double high = std::min(e.y1, f.y1);
            if (low >= high)
                continue;
            // The gap between the two changes linearly over their common heights.
            const double gapLow = e.XAt(low) - f.XAt(low);
            const double gapHigh = e.XAt(high) - f.XAt(high);
            if ((gapLow < 0 && gapHigh > 0) || (gapLow > 0 && gapHigh < 0))
                cuts.push_back(low + (high - low) * gapLow / (gapLow - gapHigh));
        }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    double area = 0.0;
    std::vector<std::pair<double, int>> crossings;
    for (size_t k = 0; k + 1 < cuts.size(); ++k) {
        const double middle = (cuts[k] + cuts[k + 1]) / 2;
        crossings.clear();
        for (const RisingEdge& e : edges)
            if (e.y0 < middle && e.y1 > middle)
                crossings.emplace_back(e.XAt(middle), e.set);
        std::sort(crossings.begin(), crossings.end());
        bool inside[2] = {false, false};
        double width = 0.0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            inside[crossings[i].second] = !inside[crossings[i].second];
            if (Covered(operation, inside[0], inside[1]))
                width += crossings[i + 1].first - crossings[i].first;
        }
        area += width * (cuts[k + 1] - cuts[k]);
    }
    return area;
}
