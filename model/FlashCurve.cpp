#include "model/FlashCurve.h"

#include "model/FlashEditorFrameShapeTransform.h"
#include "model/GeometryHelpers.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr Gdiplus::ARGB kHandleColor = 0xff0000c8;
}

void CFlashCurve::DrawHandles(Gdiplus::Graphics& graphics, double zoom) const
{
    if (GetLastPointIndex() == 0)
        return;
    const double half = std::trunc(2.0 * zoom) / (zoom * 0.05);
    Gdiplus::Pen pen(Gdiplus::Color(kHandleColor), 1.0f);
    for (const POINT& centre : {m_ptStart, m_ptEnd})
        graphics.DrawRectangle(&pen, Gdiplus::RectF(Gdiplus::REAL(centre.x - half), Gdiplus::REAL(centre.y - half),
                                                    Gdiplus::REAL(2 * half), Gdiplus::REAL(2 * half)));
}

void CFlashCurve::Transform(const CFlashEditorFrameShapeTransform* placement)
{
    if (!placement)
        return;
    POINT points[2] = {m_ptStart, m_ptEnd};
    TransformPoints(placement->GetMatrix(), points, 2);
    m_ptStart = points[0];
    m_ptEnd = points[1];
}

std::vector<Gdiplus::PointF> CFlashCurve::GetPointList() const
{
    return {Gdiplus::PointF(Gdiplus::REAL(m_ptStart.x), Gdiplus::REAL(m_ptStart.y)),
            Gdiplus::PointF(Gdiplus::REAL(m_ptEnd.x), Gdiplus::REAL(m_ptEnd.y))};
}

std::vector<POINT> CFlashCurve::GetPolyline() const
{
    return {m_ptStart, m_ptEnd};
}

int CFlashCurve::GetControlPoints(std::vector<POINT>& points) const
{
    points = {m_ptStart, m_ptEnd};
    return kControlPointsStraight;
}

void CFlashCurve::SetPoint(int index, const POINT& point)
{
    if (index == 0)
        m_ptStart = point;
    else if (index == 1)
        m_ptEnd = point;
}

void CFlashCurve::GetPoint(int index, POINT& point) const
{
    if (index == 0)
        point = m_ptStart;
    else if (index == 1)
        point = m_ptEnd;
}

bool CFlashCurve::HitTestSegment(const POINT& a, const POINT& b, const POINT& point)
{
    // Quick rejection by the segment's box grown by the tolerance.
    const double tolerance = kCurveHitTolerance;
    if (std::max(a.x, b.x) < point.x - tolerance || std::min(a.x, b.x) > point.x + tolerance
        || std::max(a.y, b.y) < point.y - tolerance || std::min(a.y, b.y) > point.y + tolerance)
        return false;
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double px = double(point.x) - a.x, py = double(point.y) - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    // A zero-length segment is hit by the distance to its start.
    const double t = lengthSquared > 0.0 ? std::clamp((dx * px + dy * py) / lengthSquared, 0.0, 1.0) : 0.0;
    const double footX = std::trunc(dx * t), footY = std::trunc(dy * t);
    return std::hypot(px - footX, py - footY) < tolerance;
}
