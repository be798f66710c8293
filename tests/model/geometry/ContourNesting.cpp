#include "tests/model/geometry/ContourNesting.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

struct Box {
    double xmin, ymin, xmax, ymax;

    bool Contains(double x, double y, double margin) const
    {
        return x >= xmin - margin && x <= xmax + margin && y >= ymin - margin && y <= ymax + margin;
    }
};

Box BoundsOf(const std::vector<CFlashPolygonVertex>& v)
{
    Box box{v[0].x, v[0].y, v[0].x, v[0].y};
    for (const CFlashPolygonVertex& p : v) {
        box.xmin = std::min(box.xmin, p.x);
        box.ymin = std::min(box.ymin, p.y);
        box.xmax = std::max(box.xmax, p.x);
        box.ymax = std::max(box.ymax, p.y);
    }
    return box;
}

// Maps a coordinate range onto a fixed number of cells, clamping outside values to the ends.
struct Cells {
    double origin;
    double size;
    int count;

    Cells(double low, double high, int cellCount)
        : origin(low), size(std::max(high - low, 1e-300) / cellCount), count(cellCount) {}
    int Of(double value) const { return std::clamp(int((value - origin) / size), 0, count - 1); }
};

// One contour with its edges sorted into horizontal bands, so that a point test reads only the
// edges of the point's band: the results of large spiky operands have tens of thousands of edges.
class BandedContour {
public:
    explicit BandedContour(const std::vector<CFlashPolygonVertex>& vertices)
        : m_v(vertices), m_box(BoundsOf(vertices)),
          m_bands(m_box.ymin, m_box.ymax, std::max(1, int(std::sqrt(double(vertices.size()))))),
          m_edges(m_bands.count)
    {
        const int n = int(m_v.size());
        for (int i = 0; i < n; ++i) {
            const CFlashPolygonVertex& a = m_v[i];
            const CFlashPolygonVertex& b = m_v[(i + 1) % n];
            for (int band = m_bands.Of(std::min(a.y, b.y)); band <= m_bands.Of(std::max(a.y, b.y)); ++band)
                m_edges[band].push_back(i);
        }
    }

    const Box& Bounds() const { return m_box; }

    // Even-odd rule, by a ray towards increasing x.
    bool Contains(double x, double y) const
    {
        if (!m_box.Contains(x, y, 0.0))
            return false;
        bool inside = false;
        for (int i : m_edges[m_bands.Of(y)]) {
            const CFlashPolygonVertex& a = m_v[i];
            const CFlashPolygonVertex& b = m_v[(i + 1) % m_v.size()];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    }

    bool IsNear(double x, double y, double distance) const
    {
        if (!m_box.Contains(x, y, distance))
            return false;
        for (int band = m_bands.Of(y - distance); band <= m_bands.Of(y + distance); ++band) {
            for (int i : m_edges[band]) {
                const CFlashPolygonVertex& a = m_v[i];
                const CFlashPolygonVertex& b = m_v[(i + 1) % m_v.size()];
                const double dx = b.x - a.x;
                const double dy = b.y - a.y;
                const double length2 = dx * dx + dy * dy;
                const double t = length2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
                if (std::hypot(a.x + t * dx - x, a.y + t * dy - y) <= distance)
                    return true;
            }
        }
        return false;
    }

private:
    const std::vector<CFlashPolygonVertex>& m_v;
    Box m_box;
    Cells m_bands;
    std::vector<std::vector<int>> m_edges;
};

// Taken about the first vertex, so that slivers far from the origin keep the sign of their area.
double SignedArea(const std::vector<CFlashPolygonVertex>& v)
{
    double twice = 0.0;
    for (size_t i = 1; i + 1 < v.size(); ++i)
        twice += (v[i].x - v[0].x) * (v[i + 1].y - v[0].y) - (v[i + 1].x - v[0].x) * (v[i].y - v[0].y);
    return twice / 2.0;
}

} // namespace

NestingReport CheckHoleFlagsAgainstNesting(const CFlashPolygonSet& set, double tolerance)
{
    NestingReport report;
    std::vector<int> indices;
    std::vector<BandedContour> contours;
    for (int c = 0; c < set.GetContourCount(); ++c) {
        if (set.GetContour(c).GetVertexCount() >= 3) {
            indices.push_back(c);
            contours.emplace_back(set.GetContour(c).vertices);
        }
    }
    if (contours.empty())
        return report;

    // A coarse grid over the whole set lists the contours whose bounds reach each cell.
    constexpr int kGridCells = 64;
    Box all = contours[0].Bounds();
    for (const BandedContour& contour : contours) {
        all.xmin = std::min(all.xmin, contour.Bounds().xmin);
        all.ymin = std::min(all.ymin, contour.Bounds().ymin);
        all.xmax = std::max(all.xmax, contour.Bounds().xmax);
        all.ymax = std::max(all.ymax, contour.Bounds().ymax);
    }
    const Cells columns(all.xmin, all.xmax, kGridCells);
    const Cells rows(all.ymin, all.ymax, kGridCells);
    std::vector<std::vector<int>> grid(kGridCells * kGridCells);
    for (int k = 0; k < int(contours.size()); ++k) {
        const Box& b = contours[k].Bounds();
        for (int row = rows.Of(b.ymin - tolerance); row <= rows.Of(b.ymax + tolerance); ++row)
            for (int column = columns.Of(b.xmin - tolerance); column <= columns.Of(b.xmax + tolerance); ++column)
                grid[row * kGridCells + column].push_back(k);
    }

    // Areas below this are too thin for their sign to mean anything.
    constexpr double kOrientedArea = 1e-9;
    int outerSense = 0;
    for (int k = 0; k < int(contours.size()); ++k) {
        const std::vector<CFlashPolygonVertex>& v = set.GetContour(indices[k]).vertices;
        const int n = int(v.size());
        const int holeFlag = set.GetHoleFlag(indices[k]);
        const double area = SignedArea(v);
        if (std::fabs(area) > kOrientedArea) {
            const int sense = (area > 0) == (holeFlag == 0) ? 1 : -1;
            if (outerSense == 0)
                outerSense = sense;
            if (sense != outerSense)
                report.misoriented.push_back(indices[k]);
        }

        auto length = [&](int i) { return std::hypot(v[(i + 1) % n].x - v[i].x, v[(i + 1) % n].y - v[i].y); };
        std::vector<int> edges(n);
        std::iota(edges.begin(), edges.end(), 0);
        std::sort(edges.begin(), edges.end(), [&](int a, int b) { return length(a) > length(b); });

        bool probed = false;
        for (int i : edges) {
            const double x = (v[i].x + v[(i + 1) % n].x) / 2;
            const double y = (v[i].y + v[(i + 1) % n].y) / 2;
            const std::vector<int>& nearby = grid[rows.Of(y) * kGridCells + columns.Of(x)];
            if (std::any_of(nearby.begin(), nearby.end(),
                            [&](int j) { return j != k && contours[j].IsNear(x, y, tolerance); }))
                continue;
            const int enclosing = int(std::count_if(nearby.begin(), nearby.end(),
                                                    [&](int j) { return j != k && contours[j].Contains(x, y); }));
            if (holeFlag != enclosing % 2)
                report.mismatches.push_back({indices[k], holeFlag, enclosing, n, area});
            probed = true;
            break;
        }
        report.unprobed += int(!probed);
    }
    return report;
}
