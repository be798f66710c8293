#include "model/FlashShape.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashCloseFigureOp.h"
#include "model/FlashCurve.h"
#include "model/FlashCurveRebuilder.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashStraightLine.h"
#include "model/GeometryHelpers.h"
#include "model/geometry/ContourProcessing.h"
#include "model/geometry/FlashPolygonSet.h"
#include "model/geometry/PolygonGeometry.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {
// Shared by every shape class; starts at 1 and is never stored.
int g_nShapeSerialNumber = 1;
// The edit tool of every shape class but text.
CDrawingTool* g_pShapeEditTool = nullptr;

constexpr double kTwipsToPixels = 0.05;

// Parametric intersection of segments p-q and a-b, both parameters within [0, 1]; parallel
// segments never intersect.
bool SegmentsIntersect(const POINT& p, const POINT& q, const POINT& a, const POINT& b)
{
    const double rx = double(q.x) - p.x, ry = double(q.y) - p.y;
    const double sx = double(b.x) - a.x, sy = double(b.y) - a.y;
    const double denominator = rx * sy - ry * sx;
    if (denominator == 0.0)
        return false;
    const double ax = double(a.x) - p.x, ay = double(a.y) - p.y;
    const double t = (ax * sy - ay * sx) / denominator;
    const double u = (ax * ry - ay * rx) / denominator;
    return t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0;
}

bool InsideRect(const POINT& p, const Gdiplus::Rect& r)
{
    return r.X <= p.x && p.x < r.X + r.Width && r.Y <= p.y && p.y < r.Y + r.Height;
}

template <typename T>
std::unique_ptr<T> CloneOf(const T* object)
{
    return std::unique_ptr<T>(object ? object->Clone() : nullptr);
}

// Room for one more element, grown geometrically, so that a following insert cannot fail.
template <typename Vector>
void MakeRoomForOne(Vector& vector)
{
    if (vector.size() == vector.capacity())
        vector.reserve(std::max<size_t>(8, 2 * vector.size()));
}

// Brush strokes are fitted within this tolerance (client pixels) after their edges were cut to
// this length.
constexpr double kFitTolerance = 2.0;
constexpr double kFitEdgeLength = 4.0;
// Rebuilt runs without a source shape end once a point lies this far from the run's start.
constexpr double kMergeDistance = 4.0;

// trunc(scale * (v - offset)) per coordinate.
POINT MapPoint(double x, double y, int offsetX, int offsetY, double scale)
{
    return {LONG(std::trunc(scale * (x - offsetX))), LONG(std::trunc(scale * (y - offsetY)))};
}

double VertexDistance(const CFlashPolygonVertex& a, const CFlashPolygonVertex& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Vertices where a run ends: every later vertex that lies far enough from the run's start (the
// test says how far), and the last one.
template <typename FarEnough>
std::vector<int> RunEnds(const CFlashPolygonContour& contour, FarEnough farEnough)
{
    std::vector<int> ends;
    int start = 0;
    for (int v = 1; v < contour.GetVertexCount(); ++v)
        if (farEnough(contour.vertices[start], contour.vertices[v]) || v == contour.GetVertexCount() - 1) {
            ends.push_back(v);
            start = v;
        }
    return ends;
}
}

std::unique_ptr<Gdiplus::Graphics> MakeHitGraphics(HDC dc)
{
    return dc ? std::make_unique<Gdiplus::Graphics>(dc) : nullptr;
}

CFlashShape::CFlashShape()
{
    m_nResourceTag = 1;
}

CFlashShape::CFlashShape(const CFlashShape& source)
    : CFlashResource(source), m_pPen(source.m_pPen), m_pFill(source.m_pFill), m_holeFlags(source.m_holeFlags),
      m_contourIds(source.m_contourIds)
{
    m_pOwningSpan = nullptr;
    m_curves.reserve(source.m_curves.size());
    try {
        for (const CFlashCurve* curve : source.m_curves)
            m_curves.push_back(curve->Clone(false));
    } catch (...) {
        for (CFlashCurve* curve : m_curves)
            delete curve;
        throw;
    }
}

CFlashShape* CFlashShape::Clone() const
{
    std::unique_ptr<CFlashShape> copy(Duplicate());
    copy->SetObjectId(TakeObjectId());
    copy->m_strName.clear();
    copy->m_strNamePrefix.clear();
    copy->m_nState = kResourceStateNormal;
    copy->m_nResourceTag = 0;
    copy->TruncateCurves(0);
    return copy.release();
}

CFlashShape::~CFlashShape()
{
    for (CFlashCurve* curve : m_curves)
        delete curve;
}

void CFlashShape::InitNamePrefix()
{
    m_strNamePrefix = "Shape";
}

int CFlashShape::NextSerialNumber()
{
    return g_nShapeSerialNumber++;
}

CDrawingTool* CFlashShape::GetEditTool() const
{
    return g_pShapeEditTool;
}

void CFlashShape::SetEditTool(CDrawingTool* tool)
{
    g_pShapeEditTool = tool;
}

void CFlashShape::SetKindEditTool(CDrawingTool* tool)
{
    g_pShapeEditTool = tool;
}

CDrawingTool* CFlashShape::GetKindEditTool()
{
    return g_pShapeEditTool;
}

void CFlashShape::Offset(int dx, int dy)
{
    for (CFlashCurve* curve : m_curves)
        curve->Offset(dx, dy);
}

void CFlashShape::SetColors(Gdiplus::ARGB penColor, Gdiplus::ARGB fillColor)
{
    if (m_pPen)
        m_pPen->SetColor(Gdiplus::Color(penColor));
    if (m_pFill && m_pFill->GetType() == Gdiplus::BrushTypeSolidColor)
        static_cast<Gdiplus::SolidBrush*>(m_pFill.get())->SetColor(Gdiplus::Color(fillColor));
}

Gdiplus::Rect CFlashShape::GetBounds() const
{
    Gdiplus::Rect bounds;
    bool any = false;
    for (const CFlashCurve* curve : m_curves) {
        if (curve->GetLastPointIndex() == 0)
            continue;
        Gdiplus::Rect curveBounds = curve->GetBounds();
        NormalizeRect(curveBounds);
        if (any)
            UnionRect(bounds, bounds, curveBounds);
        else
            bounds = curveBounds;
        any = true;
    }
    NormalizeRect(bounds);
    return bounds;
}

std::vector<POINT> CFlashShape::GetCurveEndpoints() const
{
    std::vector<POINT> endpoints;
    std::vector<POINT> controls;
    for (const CFlashCurve* curve : m_curves) {
        curve->GetControlPoints(controls);
        if (controls.size() >= 2) {
            endpoints.push_back(curve->GetStartPoint());
            endpoints.push_back(curve->GetEndPoint());
        }
    }
    return endpoints;
}

void CFlashShape::SetPen(const Gdiplus::Pen* pen)
{
    m_pPen = CloneOf(pen);
}

void CFlashShape::SetBrush(const Gdiplus::Brush* brush)
{
    m_pFill = CloneOf(brush);
}

void CFlashShape::SetTweenOverrides(std::unique_ptr<Gdiplus::Brush> fill, std::unique_ptr<Gdiplus::Pen> pen)
{
    m_pTweenFill = std::move(fill);
    m_pTweenPen = std::move(pen);
}

void CFlashShape::ClearTweenOverrides()
{
    m_pTweenFill.reset();
    m_pTweenPen.reset();
}

void CFlashShape::InsertCurve(CFlashCurve* curve, bool hole, int contourId, int index)
{
    if (!curve)
        return;
    std::unique_ptr<CFlashCurve> owned(curve);
    curve->Recalc();
    // Everything that can fail comes first, so that the three lists change together.
    MakeRoomForOne(m_curves);
    MakeRoomForOne(m_holeFlags);
    MakeRoomForOne(m_contourIds);
    const size_t at = index < 0 || size_t(index) > m_curves.size() ? m_curves.size() : size_t(index);
    m_curves.insert(m_curves.begin() + at, owned.release());
    m_holeFlags.insert(m_holeFlags.begin() + at, hole);
    m_contourIds.insert(m_contourIds.begin() + at, contourId);
}

void CFlashShape::RemoveCurve(int index)
{
    if (index < 0 || size_t(index) >= m_curves.size())
        return;
    delete m_curves[index];
    m_curves.erase(m_curves.begin() + index);
    m_holeFlags.erase(m_holeFlags.begin() + index);
    m_contourIds.erase(m_contourIds.begin() + index);
}

void CFlashShape::TruncateCurves(int count)
{
    while (GetCurveCount() > std::max(count, 0))
        RemoveCurve(GetCurveCount() - 1);
}

void CFlashShape::CopyCurvesFrom(const CFlashShape& shape)
{
    for (size_t i = 0; i < shape.m_curves.size(); ++i)
        InsertCurve(shape.m_curves[i]->Clone(false), shape.m_holeFlags[i], shape.m_contourIds[i]);
}

void CFlashShape::GetContourCurveRange(int contourId, int& first, int& last) const
{
    first = GetCurveCount();
    last = -1;
    for (int i = 0; i < GetCurveCount(); ++i) {
        if (m_contourIds[i] != contourId || m_curves[i]->GetLastPointIndex() == 0)
            continue;
        first = std::min(first, i);
        last = std::max(last, i);
    }
}

int CFlashShape::GetContourCount() const
{
    int largest = 0;
    for (int id : m_contourIds)
        largest = std::max(largest, id);
    return largest + 1;
}

bool CFlashShape::IntersectsRect(const Gdiplus::Rect& rect, const Gdiplus::Matrix* matrix) const
{
    // The outline as one flattened point sequence, as a path of all curves would give it.
    std::vector<Gdiplus::PointF> outline;
    for (const CFlashCurve* curve : m_curves) {
        const std::vector<Gdiplus::PointF> points = curve->GetPointList();
        outline.insert(outline.end(), points.begin(), points.end());
    }
    if (outline.size() < 2)
        return false;
    if (matrix)
        matrix->TransformPoints(outline.data(), INT(outline.size()));
    std::vector<POINT> points;
    for (const Gdiplus::PointF& p : outline)
        points.push_back({RoundToInt(p.X), RoundToInt(p.Y)});
    const INT count = INT(points.size());
    const POINT corners[4] = {{rect.X, rect.Y},
                              {rect.X + rect.Width, rect.Y},
                              {rect.X + rect.Width, rect.Y + rect.Height},
                              {rect.X, rect.Y + rect.Height}};
    for (INT i = 1; i < count; ++i) {
        const POINT& p = points[i - 1];
        const POINT& q = points[i];
        if (InsideRect(p, rect) || InsideRect(q, rect))
            return true;
        for (int edge = 0; edge < 4; ++edge)
            if (SegmentsIntersect(p, q, corners[edge], corners[(edge + 1) % 4]))
                return true;
    }
    return false;
}

void CFlashShape::CollectVertexHandles(std::vector<CFlashVertexHandle>& handles,
                                       const CFlashEditorFrameShapeTransform* placement)
{
    const Gdiplus::Matrix* matrix = placement ? placement->GetMatrix() : nullptr;
    auto incomingControl = [](CFlashVertexHandle& handle) {
        if (handle.pIncomingCurve && handle.pIncomingCurve->GetKind() == kCurveKindBezier) {
            handle.pIncomingCurve->GetPoint(3, handle.ptIncomingControl);
            handle.nIncomingControlIndex = 3;
            handle.bHasControlPoints = true;
        }
    };
    auto mapped = [matrix](CFlashVertexHandle& handle) {
        POINT points[3] = {handle.ptVertex, handle.ptIncomingControl, handle.ptOutgoingControl};
        TransformPoints(matrix, points, 3);
        handle.ptVertex = points[0];
        handle.ptIncomingControl = points[1];
        handle.ptOutgoingControl = points[2];
        return handle;
    };
    for (int contour = 0; contour < GetContourCount(); ++contour) {
        int first = 0, last = -1;
        GetContourCurveRange(contour, first, last);
        if (last < first)
            continue;
        for (int k = first; k <= last; ++k) {
            // Walks by contour skip the curves of other contours and close-figure operations.
            if (m_contourIds[k] != contour || m_curves[k]->GetLastPointIndex() == 0)
                continue;
            CFlashVertexHandle handle;
            handle.pShape = this;
            handle.pOutgoingCurve = m_curves[k];
            handle.ptVertex = m_curves[k]->GetStartPoint();
            handle.nOutgoingVertexIndex = 0;
            if (k > first) {
                int previous = k - 1;
                while (m_contourIds[previous] != contour || m_curves[previous]->GetLastPointIndex() == 0)
                    --previous;
                handle.pIncomingCurve = m_curves[previous];
            } else if (IsClosed()) {
                handle.pIncomingCurve = m_curves[last];
            }
            if (handle.pIncomingCurve)
                handle.nIncomingVertexIndex = 1;
            incomingControl(handle);
            if (m_curves[k]->GetKind() == kCurveKindBezier) {
                m_curves[k]->GetPoint(2, handle.ptOutgoingControl);
                handle.nOutgoingControlIndex = 2;
                handle.bHasControlPoints = true;
            }
            handles.push_back(mapped(handle));
        }
        if (!IsClosed()) {
            CFlashVertexHandle handle;
            handle.pShape = this;
            handle.pIncomingCurve = m_curves[last];
            handle.ptVertex = m_curves[last]->GetEndPoint();
            handle.nIncomingVertexIndex = 1;
            incomingControl(handle);
            handles.push_back(mapped(handle));
        }
    }
}

void CFlashShape::SwapCurves(CFlashShape& other) noexcept
{
    m_curves.swap(other.m_curves);
    m_holeFlags.swap(other.m_holeFlags);
    m_contourIds.swap(other.m_contourIds);
}

std::unique_ptr<CFlashPolygonSet> CFlashShape::ToPolygonSet(const CFlashEditorFrameShapeTransform* placement,
                                                           bool reversed) const
{
    auto set = std::make_unique<CFlashPolygonSet>();
    const int curveCount = GetCurveCount();
    // The ids in use, in order: a stored id may be far larger than the number of contours.
    std::vector<int> contourIds;
    std::copy_if(m_contourIds.begin(), m_contourIds.end(), std::back_inserter(contourIds), [](int id) { return id >= 0; });
    std::sort(contourIds.begin(), contourIds.end());
    contourIds.erase(std::unique(contourIds.begin(), contourIds.end()), contourIds.end());
    const Gdiplus::Matrix* matrix = placement ? placement->GetMatrix() : nullptr;
    for (int contourId : contourIds) {
        CFlashPolygonContour contour;
        bool hole = false;
        for (int j = 0; j < curveCount; ++j) {
            if (m_contourIds[j] != contourId)
                continue;
            std::vector<POINT> polyline = m_curves[j]->GetPolyline();
            if (polyline.empty())
                continue;
            // Neighbouring curves meet exactly, whatever the flattening made of the ends.
            polyline.front() = m_curves[j]->GetStartPoint();
            polyline.back() = m_curves[j]->GetEndPoint();
            hole = m_holeFlags[j];
            TransformPoints(matrix, polyline.data(), int(polyline.size()));
            const int base = 3 * (reversed ? curveCount - j : j);
            const int firstKind = reversed ? 2 : 0;
            for (size_t k = 0; k < polyline.size(); ++k) {
                const int kind = k == 0 ? firstKind : k + 1 == polyline.size() ? 2 - firstKind : 1;
                contour.vertices.emplace_back(double(polyline[k].x), double(polyline[k].y), base + kind);
            }
        }
        if (!contour.vertices.empty())
            AddContourToPolygonSet(*set, contour, hole ? 1 : 0);
    }
    return set;
}

void CFlashShape::FitCurvesToPolygonSet(const CFlashPolygonSet& source, int offsetX, int offsetY, double scale)
{
    CFlashPolygonSet set(source);
    RemoveDuplicateVertices(set);
    SubdivideLongEdges(set, kFitEdgeLength);
    RemoveDuplicateVertices(set);
    const int curveCount = GetCurveCount();
    try {
        for (int i = 0; i < set.GetContourCount(); ++i) {
            const std::vector<CFlashPolygonVertex>& vertices = set.GetContour(i).vertices;
            const int count = int(vertices.size());
            const bool hole = set.GetHoleFlag(i) != 0;
            auto emit = [&](const CFlashCubicBezier& fit) { AddFittedBezier(fit, offsetX, offsetY, scale, hole, i, -1); };
            auto fitRun = [](const std::vector<CFlashDoublePoint>& run, CFlashCubicBezier& fit) {
                int degree = 0;
                return FitBezierCurvesToPolyline(run.data(), int(run.size()), kFitTolerance, fit, degree);
            };
            // The run grows while one cubic still fits it; the last good fit is emitted when the
            // next point spoils it, and the run starts again at that fit's end.
            std::vector<CFlashDoublePoint> run;
            run.reserve(count + 1);
            CFlashCubicBezier fit{}, lastFit{};
            bool haveLastFit = false;
            int lastVertex = 0;
            for (int k = 0; k < count; ++k) {
                run.push_back({vertices[k].x, vertices[k].y});
                if (run.size() < 2)
                    continue;
                const bool fitted = fitRun(run, fit);
                const bool last = k == count - 1;
                if (fitted && !last) {
                    lastFit = fit;
                    haveLastFit = true;
                    lastVertex = k;
                    continue;
                }
                if (fitted) {
                    emit(fit);
                    continue;
                }
                if (haveLastFit)
                    emit(lastFit);
                haveLastFit = false;
                const bool onlyTwoPoints = run.size() == 2;
                run.assign(1, {vertices[lastVertex].x, vertices[lastVertex].y});
                if (onlyTwoPoints) {
                    // Nothing to fall back to: the run starts afresh at this vertex.
                    run.assign(1, {vertices[k].x, vertices[k].y});
                    lastVertex = k;
                } else if (last) {
                    run.push_back({vertices[k].x, vertices[k].y});
                    if (fitRun(run, fit))
                        emit(fit);
                } else {
                    --k;
                }
            }
            InsertCurve(new CFlashCloseFigureOp, false, 0);
        }
    } catch (...) {
        TruncateCurves(curveCount);
        throw;
    }
}

void CFlashShape::AddFittedBezier(const CFlashCubicBezier& fit, int offsetX, int offsetY, double scale, bool hole,
                                  int contourId, int index)
{
    POINT points[4];
    for (int i = 0; i < 4; ++i)
        points[i] = MapPoint(std::trunc(fit[i].x), std::trunc(fit[i].y), offsetX, offsetY, scale);
    auto curve = std::make_unique<CFlashBezierCurve>(points[0].x, points[0].y, 0, 0, points[3].x, points[3].y);
    curve->SetPoint(2, points[1]);
    curve->SetPoint(3, points[2]);
    InsertCurve(curve.release(), hole, contourId, index);
}

void CFlashShape::AddStraightLinesFromPolygonSet(const CFlashPolygonSet& source, const CFlashShape* shapeA,
                                                 const CFlashEditorFrameShapeTransform* placementA, int offsetX,
                                                 int offsetY, double scale)
{
    if (shapeA) {
        // An end tag stands for the start of the next curve, which begins at the same point.
        CFlashPolygonSet set(source);
        for (int i = 0; i < set.GetContourCount(); ++i)
            for (CFlashPolygonVertex& vertex : set.GetContour(i).vertices)
                if (vertex.nSourceIndex >= 0 && vertex.nSourceIndex % 3 == 2)
                    vertex.nSourceIndex = vertex.nSourceIndex / 3 * 3 + 3;
        g_CurveRebuilder.RebuildFromPolygonSet(this, set, shapeA, placementA, nullptr, nullptr, offsetX, offsetY,
                                               scale, -1, false);
        return;
    }
    const int curveCount = GetCurveCount();
    try {
        for (int s = 0; s < source.GetContourCount(); ++s) {
            const std::vector<CFlashPolygonVertex>& vertices = source.GetContour(s).vertices;
            const bool hole = source.GetHoleFlag(s) != 0;
            auto addLine = [&](const CFlashPolygonVertex& from, const CFlashPolygonVertex& to) {
                const POINT a = MapPoint(from.x, from.y, offsetX, offsetY, scale);
                const POINT b = MapPoint(to.x, to.y, offsetX, offsetY, scale);
                InsertCurve(new CFlashStraightLine(a.x, a.y, b.x, b.y), hole, s);
            };
            int start = 0;
            for (int end : RunEnds(source.GetContour(s), [](const CFlashPolygonVertex& from, const CFlashPolygonVertex& to) {
                     return VertexDistance(from, to) >= kMergeDistance;
                 })) {
                addLine(vertices[start], vertices[end]);
                start = end;
            }
            if (vertices.size() >= 2)
                addLine(vertices.back(), vertices.front());
            if (IsClosed())
                InsertCurve(new CFlashCloseFigureOp, false, 0);
        }
    } catch (...) {
        TruncateCurves(curveCount);
        throw;
    }
}

void CFlashShape::AddBezierSegmentsFromPolygonSet(const CFlashPolygonSet& source, const CFlashShape* shapeA,
                                                  const CFlashEditorFrameShapeTransform* placementA, int offsetX,
                                                  int offsetY, double scale, const CFlashShape* shapeB,
                                                  const CFlashEditorFrameShapeTransform* placementB, int indexOffset,
                                                  bool reversedB)
{
    if (shapeA) {
        g_CurveRebuilder.RebuildFromPolygonSet(this, source, shapeA, placementA, shapeB, placementB, offsetX, offsetY,
                                               scale, indexOffset, reversedB);
        return;
    }
    const int curveCount = GetCurveCount();
    try {
        for (int i = 0; i < source.GetContourCount(); ++i) {
            // Whole twips, so that the straight segments' control points lie on them.
            CFlashPolygonContour contour = source.GetContour(i);
            for (CFlashPolygonVertex& vertex : contour.vertices) {
                vertex.x = std::trunc(vertex.x);
                vertex.y = std::trunc(vertex.y);
            }
            const bool hole = source.GetHoleFlag(i) != 0;
            auto addSegment = [&](const CFlashPolygonVertex& from, const CFlashPolygonVertex& to) {
                const POINT a = MapPoint(from.x, from.y, offsetX, offsetY, scale);
                const POINT b = MapPoint(to.x, to.y, offsetX, offsetY, scale);
                // The quadratic control point halfway between the ends puts c1 and c2 on the segment.
                const LONG sumX = LONG(std::trunc(scale * ((to.x - offsetX) + (from.x - offsetX))));
                const LONG sumY = LONG(std::trunc(scale * ((to.y - offsetY) + (from.y - offsetY))));
                InsertCurve(new CFlashBezierCurve(a.x, a.y, sumX / 2, sumY / 2, b.x, b.y), hole, i);
            };
            int start = 0;
            for (int end : RunEnds(contour, [](const CFlashPolygonVertex& from, const CFlashPolygonVertex& to) {
                     return VertexDistance(from, to) > kMergeDistance;
                 })) {
                addSegment(contour.vertices[start], contour.vertices[end]);
                start = end;
            }
            if (contour.vertices.size() >= 2)
                addSegment(contour.vertices.back(), contour.vertices.front());
            if (IsClosed())
                InsertCurve(new CFlashCloseFigureOp, false, 0);
        }
    } catch (...) {
        TruncateCurves(curveCount);
        throw;
    }
}

void CFlashShape::PrepareGraphics(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                                  const CFlashEditorFrameShapeTransform* placement)
{
    graphics.ResetTransform();
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    if (placement) {
        const auto scale = Gdiplus::REAL(zoom * kTwipsToPixels);
        graphics.MultiplyTransform(placement->GetMatrix(), Gdiplus::MatrixOrderAppend);
        graphics.ScaleTransform(scale, scale, Gdiplus::MatrixOrderAppend);
    }
    graphics.TranslateTransform(Gdiplus::REAL(stageX), Gdiplus::REAL(stageY), Gdiplus::MatrixOrderAppend);
}

void CFlashShape::BuildPath(Gdiplus::GraphicsPath& path) const
{
    for (const CFlashCurve* curve : m_curves)
        curve->AddToPath(path);
}

void CFlashShape::DrawCurveStrokes(Gdiplus::Graphics& graphics, const Gdiplus::Pen* pen) const
{
    if (!pen)
        return;
    // Each curve a figure of its own: the path is stroked figure by figure, so the picture is the
    // one of drawing the curves one by one, at the cost of a single widening and fill. The path
    // is made from the curves' control points in one call, as a figure per curve would cost two
    // calls each; close-figure operations stroke nothing.
    std::vector<Gdiplus::Point> points;
    std::vector<BYTE> types;
    points.reserve(4 * m_curves.size());
    types.reserve(4 * m_curves.size());
    const auto add = [&points, &types](const POINT& p, Gdiplus::PathPointType type) {
        points.emplace_back(INT(p.x), INT(p.y));
        types.push_back(BYTE(type));
    };
    std::vector<POINT> control;
    for (const CFlashCurve* curve : m_curves) {
        switch (curve->GetControlPoints(control)) {
        case kControlPointsCubic: // start, end, c1, c2
            add(control[0], Gdiplus::PathPointTypeStart);
            add(control[2], Gdiplus::PathPointTypeBezier);
            add(control[3], Gdiplus::PathPointTypeBezier);
            add(control[1], Gdiplus::PathPointTypeBezier);
            break;
        case kControlPointsStraight: // start, end
            add(control[0], Gdiplus::PathPointTypeStart);
            add(control[1], Gdiplus::PathPointTypeLine);
            break;
        default:
            break;
        }
    }
    if (points.empty())
        return;
    const Gdiplus::GraphicsPath strokes(points.data(), types.data(), INT(points.size()));
    graphics.DrawPath(pen, &strokes);
}

void CFlashShape::MakeHitMatrix(Gdiplus::Matrix& matrix, double zoom, const CFlashEditorFrameShapeTransform* placement)
{
    matrix.Reset();
    if (placement)
        matrix.Multiply(placement->GetMatrix(), Gdiplus::MatrixOrderAppend);
    const auto scale = Gdiplus::REAL(zoom * kTwipsToPixels);
    matrix.Scale(scale, scale, Gdiplus::MatrixOrderAppend);
}

bool CFlashShape::HitTestMappedRect(const Gdiplus::Rect& rect, Gdiplus::Graphics* graphics, double zoom,
                                    const POINT& point, const CFlashEditorFrameShapeTransform* placement)
{
    Gdiplus::GraphicsPath path;
    path.AddRectangle(rect);
    Gdiplus::Matrix matrix;
    MakeHitMatrix(matrix, zoom, placement);
    path.Transform(&matrix);
    return path.IsVisible(INT(point.x), INT(point.y), graphics) != FALSE;
}
