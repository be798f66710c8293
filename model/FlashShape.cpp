#include "model/FlashShape.h"

#include "model/FlashCurve.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/GeometryHelpers.h"

#include <algorithm>

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
}

std::unique_ptr<Gdiplus::Graphics> MakeHitGraphics(HDC dc)
{
    return dc ? std::make_unique<Gdiplus::Graphics>(dc) : nullptr;
}

CFlashShape::CFlashShape()
{
    m_nResourceTag = 1;
}

CFlashShape::CFlashShape(const CFlashShape& source, StyleCopy)
    : m_pPen(CloneOf(source.m_pPen.get())), m_pFill(CloneOf(source.m_pFill.get()))
{
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
    const size_t at = index < 0 || size_t(index) > m_curves.size() ? m_curves.size() : size_t(index);
    m_curves.insert(m_curves.begin() + at, curve);
    m_holeFlags.insert(m_holeFlags.begin() + at, hole);
    m_contourIds.insert(m_contourIds.begin() + at, contourId);
    curve->Recalc();
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
