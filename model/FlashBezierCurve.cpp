#include "model/FlashBezierCurve.h"

#include "model/FlashEditorFrameShapeTransform.h"
#include "model/GeometryHelpers.h"
#include "platform/gdiplus/BezierFlattening.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
POINT ControlPointFrom(const POINT& end, const POINT& quad)
{
    return {end.x + (2 * (quad.x - end.x)) / 3, end.y + (2 * (quad.y - end.y)) / 3};
}

POINT Truncated(const Gdiplus::PointF& point)
{
    return {LONG(point.X), LONG(point.Y)};
}
}

CFlashBezierCurve::CFlashBezierCurve(int x0, int y0, int qx, int qy, int x1, int y1)
    : CFlashCurve({x0, y0}, {x1, y1}), m_ptQuad{qx, qy}
{
    m_ptC1 = ControlPointFrom(m_ptStart, m_ptQuad);
    m_ptC2 = ControlPointFrom(m_ptEnd, m_ptQuad);
    Recalc();
}

void CFlashBezierCurve::AddToPath(Gdiplus::GraphicsPath& path) const
{
    path.AddBezier(INT(m_ptStart.x), INT(m_ptStart.y), INT(m_ptC1.x), INT(m_ptC1.y), INT(m_ptC2.x), INT(m_ptC2.y),
                   INT(m_ptEnd.x), INT(m_ptEnd.y));
}

void CFlashBezierCurve::Draw(Gdiplus::Graphics& graphics, const Gdiplus::Pen* pen) const
{
    if (pen)
        graphics.DrawBezier(pen, INT(m_ptStart.x), INT(m_ptStart.y), INT(m_ptC1.x), INT(m_ptC1.y), INT(m_ptC2.x),
                            INT(m_ptC2.y), INT(m_ptEnd.x), INT(m_ptEnd.y));
}

const Gdiplus::Rect& CFlashBezierCurve::GetBounds() const
{
    CatchUp();
    return m_rcBounds;
}

bool CFlashBezierCurve::HitTest(const POINT& point) const
{
    CatchUp();
    for (size_t i = 1; i < m_flatPoints.size(); ++i)
        if (HitTestSegment(Truncated(m_flatPoints[i - 1]), Truncated(m_flatPoints[i]), point))
            return true;
    return false;
}

void CFlashBezierCurve::Offset(int dx, int dy)
{
    for (POINT* point : {&m_ptStart, &m_ptEnd, &m_ptQuad, &m_ptC1, &m_ptC2}) {
        point->x += dx;
        point->y += dy;
    }
    Recalc();
}

void CFlashBezierCurve::Transform(const CFlashEditorFrameShapeTransform* placement)
{
    if (!placement)
        return;
    POINT points[5] = {m_ptStart, m_ptEnd, m_ptQuad, m_ptC1, m_ptC2};
    TransformPoints(placement->GetMatrix(), points, 5);
    m_ptStart = points[0];
    m_ptEnd = points[1];
    m_ptQuad = points[2];
    m_ptC1 = points[3];
    m_ptC2 = points[4];
}

void CFlashBezierCurve::Recalc()
{
    UpdateCache();
}

void CFlashBezierCurve::UpdateCache() const
{
    m_bRecalcDeferred = false;
    // The points are gathered in a buffer kept for the next curve, so that the cache is
    // allocated once, at its size, instead of growing point by point.
    thread_local std::vector<Gdiplus::PointF> flattened;
    Flatten(flattened);
    m_flatPoints.assign(flattened.begin(), flattened.end());
    Gdiplus::REAL left = m_flatPoints.front().X, right = left;
    Gdiplus::REAL top = m_flatPoints.front().Y, bottom = top;
    for (const Gdiplus::PointF& p : m_flatPoints) {
        left = std::min(left, p.X);
        right = std::max(right, p.X);
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    // Each extreme rounds to its nearest twip: truncating the extent instead loses a twip
    // whenever the extremes fall between whole twips, and towards zero on negative coordinates.
    const int x = RoundToInt(left);
    const int y = RoundToInt(top);
    m_rcBounds = Gdiplus::Rect(x, y, RoundToInt(right) - x, RoundToInt(bottom) - y);
}

void CFlashBezierCurve::Flatten(std::vector<Gdiplus::PointF>& points) const
{
    auto toPointF = [](const POINT& p) { return Gdiplus::PointF(Gdiplus::REAL(p.x), Gdiplus::REAL(p.y)); };
    points.assign(1, toPointF(m_ptStart));
    Gdiplus::FlattenBezierSegment(points.front(), toPointF(m_ptC1), toPointF(m_ptC2), toPointF(m_ptEnd), kFlatness,
                                  points);
}

std::vector<Gdiplus::PointF> CFlashBezierCurve::GetPointList() const
{
    CatchUp();
    return m_flatPoints;
}

std::vector<POINT> CFlashBezierCurve::GetPolyline() const
{
    std::vector<Gdiplus::PointF> flattened;
    Flatten(flattened);
    std::vector<POINT> points;
    points.reserve(flattened.size());
    for (const Gdiplus::PointF& p : flattened)
        points.push_back({RoundToInt(p.X), RoundToInt(p.Y)});
    return points;
}

int CFlashBezierCurve::GetControlPoints(std::vector<POINT>& points) const
{
    points = {m_ptStart, m_ptEnd, m_ptC1, m_ptC2};
    return kControlPointsCubic;
}

void CFlashBezierCurve::SetPoint(int index, const POINT& point)
{
    if (index == 2)
        m_ptC1 = point;
    else if (index == 3)
        m_ptC2 = point;
    else
        CFlashCurve::SetPoint(index, point);
    Recalc();
}

void CFlashBezierCurve::GetPoint(int index, POINT& point) const
{
    if (index == 2)
        point = m_ptC1;
    else if (index == 3)
        point = m_ptC2;
    else
        CFlashCurve::GetPoint(index, point);
}

CFlashCurve* CFlashBezierCurve::Clone(bool reversed) const
{
    auto* copy = new CFlashBezierCurve(*this);
    if (reversed) {
        std::swap(copy->m_ptStart, copy->m_ptEnd);
        std::swap(copy->m_ptC1, copy->m_ptC2);
        copy->Recalc();
    }
    return copy;
}
