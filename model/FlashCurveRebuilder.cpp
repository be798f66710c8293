#include "model/FlashCurveRebuilder.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashCloseFigureOp.h"
#include "model/FlashCurve.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashShape.h"
#include "model/GeometryHelpers.h"
#include "model/geometry/FlashCurveFitter.h"
#include "model/geometry/PolygonGeometry.h"

#include <algorithm>
#include <cmath>
#include <memory>

CFlashCurveRebuilder g_CurveRebuilder(&g_CurveFitter);

namespace {

// IsPointNearBezier: coarse samples every 0.01 (a little past the end), a coarse hit within 10,
// then samples every 0.001 around the closest coarse one, a fine hit within 60.
constexpr int kCoarseSampleCount = 102;
constexpr double kCoarseStep = 0.01;
constexpr double kCoarseHitDistance = 10.0;
constexpr int kFineSampleCount = 21;
constexpr double kFineStep = 0.001;
constexpr double kFineHitDistance = 60.0;
// Source pieces are located on their curve by samples every 0.01.
constexpr int kPieceSampleCount = 101;
// Horizontal edges get a vertex every 50 twips, so that pieces of source curves running along
// them are found.
constexpr double kHorizontalStep = 50.0;
// Edges that would need more vertices than this (far beyond any stage) are left whole.
constexpr double kMaxHorizontalVertices = 100000.0;
// Curves shorter than this are absorbed by their neighbours.
constexpr double kGapDistance = 50.0;
// Refitting needs this many curves in the target.
constexpr int kMinCurvesToRefit = 4;

void CubicAt(const POINT (&cubic)[4], double t, double& x, double& y)
{
    const double s = 1.0 - t;
    const double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
    x = b0 * cubic[0].x + b1 * cubic[1].x + b2 * cubic[2].x + b3 * cubic[3].x;
    y = b0 * cubic[0].y + b1 * cubic[1].y + b2 * cubic[2].y + b3 * cubic[3].y;
}

POINT TruncatedCubicAt(const POINT (&cubic)[4], double t)
{
    double x = 0.0, y = 0.0;
    CubicAt(cubic, t, x, y);
    return {LONG(std::trunc(x)), LONG(std::trunc(y))};
}

Gdiplus::Point ToPoint(const POINT& point)
{
    return Gdiplus::Point(point.x, point.y);
}

// Start, first control point, second control point and end of a Bezier curve.
void CubicOf(const CFlashCurve& curve, POINT (&cubic)[4])
{
    cubic[0] = curve.GetStartPoint();
    curve.GetPoint(2, cubic[1]);
    curve.GetPoint(3, cubic[2]);
    cubic[3] = curve.GetEndPoint();
}

bool IsStraight(const CFlashCurve& curve)
{
    if (curve.GetKind() == kCurveKindStraightLine)
        return true;
    if (curve.GetKind() != kCurveKindBezier)
        return false;
    POINT cubic[4];
    CubicOf(curve, cubic);
    return AreCollinear(ToPoint(cubic[0]), ToPoint(cubic[1]), ToPoint(cubic[2]))
        && AreCollinear(ToPoint(cubic[0]), ToPoint(cubic[1]), ToPoint(cubic[3]));
}

// Moves one point of the curve (0 start, 1 end, 2 and 3 the control points) by the amounts.
void MovePoint(CFlashCurve& curve, int index, LONG dx, LONG dy)
{
    POINT point = {0, 0};
    curve.GetPoint(index, point);
    curve.SetPoint(index, {point.x + dx, point.y + dy});
}

// A straight cubic from start to end, its control points at thirds of the segment.
CFlashBezierCurve* NewStraightBezier(const POINT& start, const POINT& end)
{
    auto curve = std::make_unique<CFlashBezierCurve>(start.x, start.y, 0, 0, end.x, end.y);
    const LONG dx = end.x - start.x, dy = end.y - start.y;
    curve->SetPoint(2, {start.x + dx / 3, start.y + dy / 3});
    curve->SetPoint(3, {start.x + 2 * dx / 3, start.y + 2 * dy / 3});
    return curve.release();
}

} // namespace

bool IsPointNearBezier(double x, double y, const POINT& start, const POINT& control1, const POINT& control2,
                       const POINT& end)
{
    if ((x == start.x && y == start.y) || (x == end.x && y == end.y))
        return true;
    const POINT cubic[4] = {start, control1, control2, end};
    auto distanceAt = [&](double t) {
        double px = 0.0, py = 0.0;
        CubicAt(cubic, t, px, py);
        return std::hypot(px - x, py - y);
    };
    double closestT = 0.0, closestDistance = 0.0;
    for (int k = 0; k < kCoarseSampleCount; ++k) {
        const double t = k * kCoarseStep;
        const double distance = distanceAt(t);
        if (distance < kCoarseHitDistance)
            return true;
        if (k == 0 || distance < closestDistance) {
            closestDistance = distance;
            closestT = t;
        }
    }
    for (int k = 0; k < kFineSampleCount; ++k)
        if (distanceAt(closestT - kCoarseStep + k * kFineStep) < kFineHitDistance)
            return true;
    return false;
}

bool SplitBezierSegment(const POINT (&cubic)[4], double a, double b, double c, double d, POINT (&piece)[4])
{
    if (b == a)
        return false;
    const double s1 = (c - a) / (b - a), s2 = (d - a) / (b - a);
    auto basis = [](double s, double (&w)[4]) {
        const double r = 1.0 - s;
        w[0] = r * r * r;
        w[1] = 3 * r * r * s;
        w[2] = 3 * r * s * s;
        w[3] = s * s * s;
    };
    double w1[4], w2[4];
    basis(s1, w1);
    basis(s2, w2);
    const double determinant = w1[1] * w2[2] - w1[2] * w2[1];
    if (determinant == 0.0)
        return false;
    const POINT start = TruncatedCubicAt(cubic, a), end = TruncatedCubicAt(cubic, b);
    const POINT atC = TruncatedCubicAt(cubic, c), atD = TruncatedCubicAt(cubic, d);
    // w[1] q1 + w[2] q2 = p - w[0] start - w[3] end at both parameters, per coordinate.
    auto solve = [&](double p1, double p2, double from, double to, LONG& q1, LONG& q2) {
        const double r1 = p1 - w1[0] * from - w1[3] * to;
        const double r2 = p2 - w2[0] * from - w2[3] * to;
        q1 = LONG(std::trunc((r1 * w2[2] - r2 * w1[2]) / determinant));
        q2 = LONG(std::trunc((w1[1] * r2 - w2[1] * r1) / determinant));
    };
    piece[0] = start;
    piece[3] = end;
    solve(atC.x, atD.x, start.x, end.x, piece[1].x, piece[2].x);
    solve(atC.y, atD.y, start.y, end.y, piece[1].y, piece[2].y);
    return true;
}

CFlashCurveRebuilder::CFlashCurveRebuilder(CFlashCurveFitter* fitter) : m_pFitter(fitter) {}

void CFlashCurveRebuilder::RebuildFromPolygonSet(CFlashShape* target, const CFlashPolygonSet& set,
                                                 const CFlashShape* shapeA,
                                                 const CFlashEditorFrameShapeTransform* placementA,
                                                 const CFlashShape* shapeB,
                                                 const CFlashEditorFrameShapeTransform* placementB, int offsetX,
                                                 int offsetY, double scale, int indexOffset, bool reversedB)
{
    if (!target)
        return;
    m_pTarget = target;
    m_pShapeA = shapeA;
    m_pPlacementA = placementA;
    m_pShapeB = shapeB;
    m_pPlacementB = placementB;
    m_nOffsetX = offsetX;
    m_nOffsetY = offsetY;
    m_dScale = scale;
    m_nIndexOffset = indexOffset;
    m_bReversedB = reversedB;
    // A closed source outline comes back from the clipper the other way round.
    m_bBackward = IsShapeAClosed();
    m_nFirstCurve = target->GetCurveCount();
    m_markers.assign(m_nFirstCurve, kRebuiltFittedCurve);
    try {
        for (int i = 0; i < set.GetContourCount(); ++i)
            RebuildContour(set, i);
    } catch (...) {
        target->TruncateCurves(m_nFirstCurve);
        m_markers.resize(m_nFirstCurve);
        throw;
    }
}

void CFlashCurveRebuilder::SmoothShape(CFlashShape* shape)
{
    if (!shape)
        return;
    // Worked on a copy, so that a failure leaves the shape as it was.
    std::unique_ptr<CFlashShape> work(shape->Clone());
    work->CopyCurvesFrom(*shape);
    m_pTarget = work.get();
    m_pShapeA = work.get();
    m_pPlacementA = nullptr;
    m_pShapeB = nullptr;
    m_pPlacementB = nullptr;
    m_nOffsetX = m_nOffsetY = 0;
    m_dScale = 1.0;
    m_nIndexOffset = 0;
    m_bReversedB = false;
    m_nContourIndex = 0;
    m_bHole = false;
    m_bBackward = IsShapeAClosed();
    m_nFirstCurve = 0;
    m_markers.assign(work->GetCurveCount(), kRebuiltStraightSegment);
    RemoveZeroLengthCurves();
    RefitNewRuns();
    shape->SwapCurves(*work);
    m_pTarget = nullptr;
    m_pShapeA = nullptr;
}

void CFlashCurveRebuilder::RebuildContour(const CFlashPolygonSet& set, int contour)
{
    m_vertices = set.GetContour(contour).vertices;
    m_nContourIndex = contour;
    m_bHole = set.GetHoleFlag(contour) != 0;
    if (m_vertices.size() < 2)
        return;
    SplitHorizontalEdges();
    ChooseStartVertex();
    WalkContour();
    RemoveZeroLengthCurves();
    RefitNewRuns();
    RemoveZeroLengthCurves();
    MergeStraightRunsAndCloseGaps();
    RemoveZeroLengthCurves();
    int first = 0, last = -1;
    FindContourCurveRange(first, last);
    // A contour that lost all its curves leaves nothing behind, not even a close-figure operation.
    if (IsTargetClosed() && last >= first)
        AppendCurve(new CFlashCloseFigureOp, kRebuiltFittedCurve);
}

void CFlashCurveRebuilder::SplitHorizontalEdges()
{
    const int count = int(m_vertices.size());
    std::vector<CFlashPolygonVertex> split, closing;
    split.reserve(m_vertices.size());
    for (int i = 0; i < count; ++i) {
        const CFlashPolygonVertex& from = m_vertices[i];
        const CFlashPolygonVertex& to = m_vertices[(i + 1) % count];
        split.push_back(from);
        // An open outline has no closing edge: vertices on it would draw one.
        if (from.y != to.y || (i + 1 == count && !IsTargetClosed()))
            continue;
        const double added = std::trunc(std::fabs(to.x - from.x) / kHorizontalStep - 1.0);
        if (!(added <= kMaxHorizontalVertices))
            continue;
        const double step = from.x > to.x ? -kHorizontalStep : kHorizontalStep;
        // The closing edge's vertices go in front of vertex 0.
        std::vector<CFlashPolygonVertex>& out = i + 1 == count ? closing : split;
        for (int k = 1; k <= added; ++k) {
            CFlashPolygonVertex vertex(from.x + k * step, from.y);
            vertex.nSourceIndex = SourceIndexAt(vertex);
            out.push_back(vertex);
        }
    }
    closing.insert(closing.end(), split.begin(), split.end());
    m_vertices.swap(closing);
}

void CFlashCurveRebuilder::ChooseStartVertex()
{
    const int count = int(m_vertices.size());
    if (!IsTargetClosed()) {
        m_nStartVertex = 0;
        m_nEndVertex = count - 1;
        return;
    }
    // The lowest tagged vertex, past the other vertices of its run.
    int best = 0;
    int bestIndex = m_vertices[0].nSourceIndex;
    for (int i = 1; i < count; ++i) {
        const int index = m_vertices[i].nSourceIndex;
        if (bestIndex == CFlashPolygonVertex::kNoSource || (index >= 0 && index < bestIndex)) {
            best = i;
            bestIndex = index;
        }
    }
    if (bestIndex != CFlashPolygonVertex::kNoSource)
        while (best + 1 < count && m_vertices[best + 1].nSourceIndex == bestIndex)
            ++best;
    if (m_vertices[(best + 1) % count].nSourceIndex == CFlashPolygonVertex::kNoSource)
        best = (best + 1) % count;
    m_nStartVertex = best;
    m_nEndVertex = -1;
}

void CFlashCurveRebuilder::WalkContour()
{
    auto curveOf = [](int index) { return index >= 0 ? index / 3 : -1; };
    const int start = m_nStartVertex;
    int run = start, previous = start, current = Next(start);
    int runCurve = curveOf(m_vertices[start].nSourceIndex);
    bool wrapped = false;
    for (;;) {
        if (!IsTargetClosed() && current == m_nEndVertex)
            wrapped = true;
        if (current == start && !IsShapeAClosed())
            break;
        const int previousIndex = m_vertices[previous].nSourceIndex;
        const int currentIndex = m_vertices[current].nSourceIndex;
        if (previousIndex < 0 && currentIndex < 0) {
            AddStraightSegment(previous, current);
            run = current;
            runCurve = -1;
        } else if (previousIndex < 0) {
            // An untagged vertex followed by a tagged one: the run of the tagged curve may begin
            // at the untagged vertex when it lies on that curve.
            const CFlashCurve* source = SourceCurveForIndex(currentIndex);
            const bool startsOnCurve = currentIndex % 3 != 0 && !wrapped && source
                                    && IsVertexOnCurve(m_vertices[previous], *source, PlacementForIndex(currentIndex));
            if (startsOnCurve) {
                run = previous;
            } else {
                AddStraightSegment(previous, current);
                run = current;
            }
            runCurve = curveOf(currentIndex);
        } else {
            const int currentCurve = curveOf(currentIndex);
            if (currentCurve != runCurve || current == start || wrapped) {
                // The run ends: a piece of its curve up to this vertex when it lies on the curve,
                // else up to the previous vertex and a straight segment on.
                const int tagged = m_vertices[run].nSourceIndex >= 0 ? run : Next(run);
                const int index = m_vertices[tagged].nSourceIndex;
                const CFlashCurve* source = SourceCurveForIndex(index);
                const CFlashEditorFrameShapeTransform* placement = PlacementForIndex(index);
                if (!source) {
                    for (int v = run; v != previous; v = Next(v))
                        AddStraightSegment(v, Next(v));
                    AddStraightSegment(previous, current);
                } else {
                    const bool endsOnCurve = IsVertexOnCurve(m_vertices[current], *source, placement);
                    AddSourceCurvePiece(run, endsOnCurve ? current : previous, source->Clone(IsReversedIndex(index)),
                                        placement);
                    if (!endsOnCurve)
                        AddStraightSegment(previous, current);
                }
                run = current;
                runCurve = currentCurve;
            }
        }
        if (current == start)
            break;
        previous = current;
        current = Next(current);
    }
}

void CFlashCurveRebuilder::RemoveZeroLengthCurves()
{
    int first = 0, last = -1;
    FindContourCurveRange(first, last);
    if (last < first)
        return;
    if (first == last && IsTargetClosed()) {
        RemoveCurveAt(first);
        return;
    }
    for (int i = last; i >= first; --i) {
        const CFlashCurve* curve = m_pTarget->GetCurve(i);
        if (curve->GetStartPoint().x == curve->GetEndPoint().x && curve->GetStartPoint().y == curve->GetEndPoint().y)
            RemoveCurveAt(i);
    }
}

void CFlashCurveRebuilder::RefitNewRuns()
{
    if (!m_pFitter || m_pTarget->GetCurveCount() < kMinCurvesToRefit)
        return;
    const bool closed = IsTargetClosed();
    for (;;) {
        int first = 0, last = -1;
        FindContourCurveRange(first, last);
        // An open outline's last curve is never refitted; a closed one's runs may wrap round.
        const int end = closed ? last : last - 1;
        const int length = end - first + 1;
        if (length < 2)
            return;
        auto refittable = [&](int offset) { return m_markers[first + offset] == kRebuiltStraightSegment; };
        // Scanned from just after a curve that is not refittable (in a closed contour) or from
        // the first curve (in an open one), so that every run found is whole.
        int base = -1;
        if (closed) {
            base = 0;
            while (base < length && refittable(base))
                ++base;
        }
        int runStart = 0, runLength = 0;
        if (base == length) {
            runLength = length;
        } else {
            int n = 0;
            for (int step = 1; step <= length; ++step) {
                const int offset = (base + step) % length;
                if (refittable(offset)) {
                    if (n++ == 0)
                        runStart = offset;
                } else if (n >= 2) {
                    break;
                } else {
                    n = 0;
                }
            }
            runLength = n;
        }
        if (runLength < 2)
            return;

        std::vector<int> positions;
        for (int k = 0; k < runLength; ++k)
            positions.push_back(first + (runStart + k) % length);
        m_pFitter->Reset();
        for (int position : positions) {
            const POINT& point = m_pTarget->GetCurve(position)->GetStartPoint();
            m_pFitter->AddPoint(point.x, point.y);
        }
        const POINT& runEnd = m_pTarget->GetCurve(positions.back())->GetEndPoint();
        m_pFitter->AddPoint(runEnd.x, runEnd.y);
        m_pFitter->Fit();
        const std::vector<Gdiplus::Point>& controls = m_pFitter->GetControlPoints();
        const int segments = m_pFitter->GetSegmentCount();
        if (segments == 0 || int(controls.size()) != 3 * segments + 1) {
            // Nothing fitted: the run stays as it is.
            for (int position : positions)
                m_markers[position] = kRebuiltFittedCurve;
            continue;
        }
        std::vector<std::unique_ptr<CFlashBezierCurve>> fitted;
        for (int s = 0; s < segments; ++s) {
            const Gdiplus::Point* p = &controls[3 * s];
            auto curve = std::make_unique<CFlashBezierCurve>(p[0].X, p[0].Y, 0, 0, p[3].X, p[3].Y);
            curve->SetPoint(2, {p[1].X, p[1].Y});
            curve->SetPoint(3, {p[2].X, p[2].Y});
            fitted.push_back(std::move(curve));
        }
        // A run that wraps round goes back in at the end of the contour's curves.
        int insertAt = positions.front();
        std::vector<int> descending = positions;
        std::sort(descending.rbegin(), descending.rend());
        for (int position : descending) {
            RemoveCurveAt(position);
            if (position < positions.front())
                --insertAt;
        }
        for (auto& curve : fitted) {
            m_markers.insert(m_markers.begin() + insertAt, kRebuiltFittedCurve);
            try {
                m_pTarget->InsertCurve(curve.release(), m_bHole, m_nContourIndex, insertAt);
            } catch (...) {
                m_markers.erase(m_markers.begin() + insertAt);
                throw;
            }
            ++insertAt;
        }
    }
}

void CFlashCurveRebuilder::MergeStraightRunsAndCloseGaps()
{
    int first = 0, last = -1;
    FindContourCurveRange(first, last);
    for (int i = first; i < last;) {
        CFlashCurve& merged = *m_pTarget->GetCurve(i);
        CFlashCurve& following = *m_pTarget->GetCurve(i + 1);
        if (IsStraight(merged) && IsStraight(following)
            && AreCollinear(ToPoint(merged.GetStartPoint()), ToPoint(following.GetStartPoint()),
                            ToPoint(following.GetEndPoint()))) {
            following.SetPoint(0, merged.GetStartPoint());
            following.Recalc();
            RemoveCurveAt(i);
            --last;
        } else {
            ++i;
        }
    }

    const bool closed = IsTargetClosed();
    for (bool removed = true; removed;) {
        removed = false;
        FindContourCurveRange(first, last);
        // The last curve of a contour is never removed: there would be no neighbour left to
        // take its end, only the curve itself.
        for (int i = first; i <= last && last > first;) {
            const CFlashCurve& curve = *m_pTarget->GetCurve(i);
            const POINT start = curve.GetStartPoint(), end = curve.GetEndPoint();
            if (PointDistance(ToPoint(start), ToPoint(end)) >= kGapDistance) {
                ++i;
                continue;
            }
            if (!closed && i == first) {
                CFlashCurve& next = *m_pTarget->GetCurve(i + 1);
                const POINT nextStart = next.GetStartPoint();
                if (next.GetKind() == kCurveKindBezier)
                    MovePoint(next, 2, start.x - nextStart.x, start.y - nextStart.y);
                next.SetPoint(0, start);
                next.Recalc();
            } else {
                CFlashCurve& previous = *m_pTarget->GetCurve(i == first ? last : i - 1);
                const POINT previousEnd = previous.GetEndPoint();
                if (previous.GetKind() == kCurveKindBezier)
                    MovePoint(previous, 3, end.x - previousEnd.x, end.y - previousEnd.y);
                previous.SetPoint(1, end);
                previous.Recalc();
            }
            RemoveCurveAt(i);
            --last;
            removed = true;
        }
    }
}

void CFlashCurveRebuilder::AddStraightSegment(int from, int to)
{
    AppendCurve(NewStraightBezier(Map(m_vertices[from]), Map(m_vertices[to])), kRebuiltStraightSegment);
}

void CFlashCurveRebuilder::AddSourceCurvePiece(int from, int to, CFlashCurve* clone,
                                               const CFlashEditorFrameShapeTransform* placement)
{
    std::unique_ptr<CFlashCurve> curve(clone);
    const POINT start = Map(m_vertices[from]), end = Map(m_vertices[to]);
    if (curve->GetKind() == kCurveKindBezier) {
        POINT cubic[4];
        FitSourceCurvePiece(*curve, start, end, cubic, placement);
        curve->SetPoint(2, cubic[1]);
        curve->SetPoint(3, cubic[2]);
    }
    curve->SetPoint(1, end);
    curve->SetPoint(0, start);
    AppendCurve(curve.release(), kRebuiltSourcePiece);
}

void CFlashCurveRebuilder::FitSourceCurvePiece(const CFlashCurve& source, const POINT& start, const POINT& end,
                                               POINT (&cubic)[4],
                                               const CFlashEditorFrameShapeTransform* placement) const
{
    POINT curve[4];
    CubicOf(source, curve);
    TransformPoints(placement ? placement->GetMatrix() : nullptr, curve, 4);
    // The parameters of the samples closest to the piece's ends (the first on ties).
    double startT = 0.0, endT = 0.0, startDistance = 0.0, endDistance = 0.0;
    for (int k = 0; k < kPieceSampleCount; ++k) {
        const double t = k * kCoarseStep;
        const Gdiplus::Point sample = ToPoint(TruncatedCubicAt(curve, t));
        const double toStart = PointDistance(sample, ToPoint(start)), toEnd = PointDistance(sample, ToPoint(end));
        if (k == 0 || toStart < startDistance) {
            startDistance = toStart;
            startT = t;
        }
        if (k == 0 || toEnd < endDistance) {
            endDistance = toEnd;
            endT = t;
        }
    }
    const double third = (endT - startT) / 3;
    if (startT < endT && SplitBezierSegment(curve, startT, endT, startT + third, startT + 2 * third, cubic))
        return;
    cubic[0] = start;
    cubic[1] = {(2 * start.x + end.x) / 3, (2 * start.y + end.y) / 3};
    cubic[2] = {(start.x + 2 * end.x) / 3, (start.y + 2 * end.y) / 3};
    cubic[3] = end;
}

bool CFlashCurveRebuilder::IsVertexOnCurve(const CFlashPolygonVertex& vertex, const CFlashCurve& curve,
                                           const CFlashEditorFrameShapeTransform* placement) const
{
    const Gdiplus::Matrix* matrix = placement ? placement->GetMatrix() : nullptr;
    if (curve.GetLastPointIndex() == 1) {
        POINT ends[2] = {curve.GetStartPoint(), curve.GetEndPoint()};
        TransformPoints(matrix, ends, 2);
        return IsPointNearSegment(Gdiplus::Point(INT(std::trunc(vertex.x)), INT(std::trunc(vertex.y))),
                                  ToPoint(ends[0]), ToPoint(ends[1]));
    }
    if (curve.GetKind() != kCurveKindBezier)
        return false;
    POINT cubic[4];
    CubicOf(curve, cubic);
    TransformPoints(matrix, cubic, 4);
    return IsPointNearBezier(vertex.x, vertex.y, cubic[0], cubic[1], cubic[2], cubic[3]);
}

int CFlashCurveRebuilder::SourceIndexAt(const CFlashPolygonVertex& vertex) const
{
    if (m_pShapeA)
        for (int j = 0; j < m_pShapeA->GetCurveCount(); ++j)
            if (IsVertexOnCurve(vertex, *m_pShapeA->GetCurve(j), m_pPlacementA))
                return 3 * j + 1;
    if (m_pShapeB) {
        const int count = m_pShapeB->GetCurveCount();
        for (int k = 0; k < count; ++k)
            if (IsVertexOnCurve(vertex, *m_pShapeB->GetCurve(k), m_pPlacementB))
                return m_nIndexOffset + 3 * (m_bReversedB ? count - k : k) + 1;
    }
    return CFlashPolygonVertex::kNoSource;
}

const CFlashCurve* CFlashCurveRebuilder::SourceCurveForIndex(int index) const
{
    if (index < 0)
        return nullptr;
    const bool ofA = m_nIndexOffset <= 0 || index < m_nIndexOffset;
    const CFlashShape* shape = ofA ? m_pShapeA : m_pShapeB;
    if (!shape)
        return nullptr;
    int curve = ofA ? index / 3 : (index - m_nIndexOffset) / 3;
    if (!ofA && m_bReversedB)
        curve = shape->GetCurveCount() - curve;
    // Tags that name no curve with geometry (damaged or foreign input) give no source curve.
    if (curve < 0 || curve >= shape->GetCurveCount() || shape->GetCurve(curve)->GetLastPointIndex() == 0)
        return nullptr;
    return shape->GetCurve(curve);
}

const CFlashEditorFrameShapeTransform* CFlashCurveRebuilder::PlacementForIndex(int index) const
{
    return m_nIndexOffset <= 0 || index < m_nIndexOffset ? m_pPlacementA : m_pPlacementB;
}

bool CFlashCurveRebuilder::IsReversedIndex(int index) const
{
    return m_nIndexOffset > 0 && index >= m_nIndexOffset && m_bReversedB;
}

void CFlashCurveRebuilder::FindContourCurveRange(int& first, int& last) const
{
    first = m_pTarget->GetCurveCount();
    last = -1;
    for (int i = m_nFirstCurve; i < m_pTarget->GetCurveCount(); ++i)
        if (m_pTarget->GetContourId(i) == m_nContourIndex && m_pTarget->GetCurve(i)->GetLastPointIndex() != 0) {
            first = std::min(first, i);
            last = i;
        }
}

POINT CFlashCurveRebuilder::Map(const CFlashPolygonVertex& vertex) const
{
    return {LONG(std::trunc(m_dScale * (vertex.x - m_nOffsetX))), LONG(std::trunc(m_dScale * (vertex.y - m_nOffsetY)))};
}

int CFlashCurveRebuilder::Next(int vertex) const
{
    const int count = int(m_vertices.size());
    return m_bBackward ? (vertex + count - 1) % count : (vertex + 1) % count;
}

bool CFlashCurveRebuilder::IsTargetClosed() const
{
    return m_pTarget->IsClosed();
}

bool CFlashCurveRebuilder::IsShapeAClosed() const
{
    // Without a source shape the target's own outline decides.
    return m_pShapeA ? m_pShapeA->IsClosed() : m_pTarget->IsClosed();
}

void CFlashCurveRebuilder::AppendCurve(CFlashCurve* curve, int marker)
{
    std::unique_ptr<CFlashCurve> owned(curve);
    // Room for the marker first, so that curves and markers stay in step.
    if (m_markers.size() == m_markers.capacity())
        m_markers.reserve(std::max<size_t>(16, 2 * m_markers.size()));
    const bool closeFigure = curve->GetLastPointIndex() == 0;
    m_pTarget->InsertCurve(owned.release(), closeFigure ? false : m_bHole, closeFigure ? 0 : m_nContourIndex);
    m_markers.push_back(marker);
}

void CFlashCurveRebuilder::RemoveCurveAt(int index)
{
    m_pTarget->RemoveCurve(index);
    m_markers.erase(m_markers.begin() + index);
}
