#include "model/geometry/ContourProcessing.h"

#include "model/geometry/PolygonGeometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Far end of the ray whose clip-edge crossings tell whether a point is inside the clip region.
constexpr double kRayEnd = 1e10;

bool SamePoint(const CFlashPolygonVertex& a, const CFlashPolygonVertex& b)
{
    return a.x == b.x && a.y == b.y;
}

template <typename Visit>
void ForEachClipEdge(const CFlashPolygonSet& clip, Visit visit)
{
    for (int c = 0; c < clip.GetContourCount(); ++c) {
        const std::vector<CFlashPolygonVertex>& v = clip.GetContour(c).vertices;
        for (size_t i = 0; i < v.size(); ++i)
            visit(v[i], v[(i + 1) % v.size()]);
    }
}

bool Crosses(const CFlashPolygonVertex& p1, const CFlashPolygonVertex& p2, const CFlashPolygonVertex& p3,
             const CFlashPolygonVertex& p4, double& x, double& y)
{
    return IntersectSegments(p1.x, p1.y, p2.x, p2.y, p3.x, p3.y, p4.x, p4.y, x, y);
}

void SetInsideMarker(CFlashPolygonSet& result)
{
    result.AddContour(CFlashPolygonContour(), 1);
}

CFlashPolygonContour MakePiece(const CFlashPolygonVertex& from, const CFlashPolygonVertex& to)
{
    CFlashPolygonContour piece;
    piece.vertices.reserve(2);
    piece.vertices.push_back(from);
    piece.vertices.push_back(to);
    return piece;
}

bool LessByXThenY(const CFlashPolygonVertex& a, const CFlashPolygonVertex& b)
{
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

} // namespace

void ClipSegment(ClipOperation operation, const CFlashPolygonSet& segment, const CFlashPolygonSet& clip,
                 CFlashPolygonSet& result)
{
    CFlashPolygonSet output;
    const bool isSegment = !segment.IsEmpty() && segment.GetContour(0).GetVertexCount() >= 2;
    if (isSegment && (operation == kClipDifference || operation == kClipIntersection)) {
        const CFlashPolygonVertex& start = segment.GetContour(0).vertices[0];
        const CFlashPolygonVertex& end = segment.GetContour(0).vertices[1];

        std::vector<CFlashPolygonVertex> points;
        int rayCrossings = 0;
        const CFlashPolygonVertex rayEnd(kRayEnd, kRayEnd);
        ForEachClipEdge(clip, [&](const CFlashPolygonVertex& a, const CFlashPolygonVertex& b) {
            double x = 0.0;
            double y = 0.0;
            if (Crosses(start, end, a, b, x, y))
                points.emplace_back(x, y);
            if (Crosses(start, rayEnd, a, b, x, y))
                ++rayCrossings;
        });
        const bool startInside = rayCrossings % 2 == 1;

        if (points.empty()) {
            if (startInside)
                SetInsideMarker(output);
        } else {
            points.push_back(start);
            points.push_back(end);
            std::stable_sort(points.begin(), points.end(), LessByXThenY);
            if (LessByXThenY(end, start))
                std::reverse(points.begin(), points.end());
            bool inside = startInside;
            for (size_t i = 0; i + 1 < points.size(); ++i, inside = !inside) {
                if (inside)
                    continue;
                output.AddContour(MakePiece(points[i], points[i + 1]), 0);
            }
        }
    }
    result.Swap(output);
}

void ClipOpenContours(ClipOperation /*operation*/, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip,
                      CFlashPolygonSet& result)
{
    std::vector<CFlashPolygonContour> outlines(1);
    // Starts a fresh outline unless the current one is still empty.
    auto beginOutline = [&outlines] {
        if (!outlines.back().vertices.empty())
            outlines.emplace_back();
    };

    for (int c = 0; c < subject.GetContourCount(); ++c) {
        const std::vector<CFlashPolygonVertex>& v = subject.GetContour(c).vertices;
        if (v.size() < 2)
            continue;
        // Each outline starts outside and apart from the previous one: carrying the position
        // over would join the tail of one outline to the head of the next, or drop the head of
        // the next when the previous one ended inside the clip region.
        beginOutline();
        bool inside = false;
        for (size_t k = 1; k < v.size(); ++k) {
            CFlashPolygonSet segment;
            segment.AddContour(MakePiece(v[k - 1], v[k]), 0);
            CFlashPolygonSet pieces;
            ClipSegment(kClipDifference, segment, clip, pieces);

            if (pieces.IsEmpty()) {
                if (!inside) {
                    if (k == 1)
                        outlines.back().vertices.push_back(v[k - 1]);
                    outlines.back().vertices.push_back(v[k]);
                }
            } else if (pieces.GetHoleFlag(0)) {
                if (k == 1)
                    inside = true;
            } else {
                for (int p = 0; p < pieces.GetContourCount(); ++p) {
                    const std::vector<CFlashPolygonVertex>& piece = pieces.GetContour(p).vertices;
                    if (p > 0 || !SamePoint(piece[0], v[k - 1]))
                        beginOutline();
                    outlines.back().vertices.insert(outlines.back().vertices.end(), piece.begin(), piece.end());
                }
                const std::vector<CFlashPolygonVertex>& last = pieces.GetContour(pieces.GetContourCount() - 1).vertices;
                inside = !SamePoint(last.back(), v[k]);
            }
        }
    }
    if (outlines.back().vertices.empty())
        outlines.pop_back();

    CFlashPolygonSet output;
    if (outlines.empty())
        SetInsideMarker(output);
    for (CFlashPolygonContour& outline : outlines)
        output.AddContour(std::move(outline), 0);
    result.Swap(output);
}

void RemoveDuplicateVertices(CFlashPolygonSet& set)
{
    for (int c = 0; c < set.GetContourCount(); ++c) {
        std::vector<CFlashPolygonVertex>& v = set.GetContour(c).vertices;
        v.erase(std::unique(v.begin(), v.end(), SamePoint), v.end());
    }
}

void SubdivideLongEdges(CFlashPolygonSet& set, double maxLength)
{
    // A length that is not positive would ask for endless vertices.
    if (!(maxLength > 0.0))
        return;
    for (int c = 0; c < set.GetContourCount(); ++c) {
        std::vector<CFlashPolygonVertex>& v = set.GetContour(c).vertices;
        if (v.empty())
            continue;
        std::vector<CFlashPolygonVertex> subdivided{v[0]};
        for (size_t k = 1; k <= v.size(); ++k) {
            const CFlashPolygonVertex& from = v[k - 1];
            const CFlashPolygonVertex& to = v[k % v.size()];
            const double dx = to.x - from.x;
            const double dy = to.y - from.y;
            const double length = std::sqrt(dx * dx + dy * dy);
            if (length > maxLength) {
                for (int step = 1; step < length / maxLength; ++step) {
                    const double t = step * maxLength / length;
                    subdivided.emplace_back(from.x + t * dx, from.y + t * dy);
                }
            }
            subdivided.push_back(to);
        }
        v.swap(subdivided);
    }
}
