#include "model/geometry/EllipticalArc.h"

#include <cmath>

namespace {

constexpr double kFullTurn = 6.283185307;

} // namespace

CFlashEllipticalArc::CFlashEllipticalArc(double cx, double cy, double a, double b, double theta)
    : m_cx(cx), m_cy(cy), m_a(a), m_b(b), m_cosTheta(std::cos(theta)), m_sinTheta(std::sin(theta)),
      m_startAngle(0.0), m_endAngle(kFullTurn)
{
}

void CFlashEllipticalArc::PointAt(double eta, double& x, double& y) const
{
    const double c = std::cos(eta);
    const double s = std::sin(eta);
    x = m_cx + m_a * c * m_cosTheta - m_b * s * m_sinTheta;
    y = m_cy + m_a * c * m_sinTheta + m_b * s * m_cosTheta;
}

void CFlashEllipticalArc::DerivativeAt(double eta, double& dx, double& dy) const
{
    const double c = std::cos(eta);
    const double s = std::sin(eta);
    dx = -m_a * s * m_cosTheta - m_b * c * m_sinTheta;
    dy = -m_a * s * m_sinTheta + m_b * c * m_cosTheta;
}

std::vector<CFlashQuadraticSegment> CFlashEllipticalArc::ApproximateByQuadratics() const
{
    const double step = (m_endAngle - m_startAngle) / kSegmentCount;
    std::vector<CFlashQuadraticSegment> segments;
    segments.reserve(kSegmentCount);
    for (int i = 0; i < kSegmentCount; ++i) {
        double xA, yA, dxA, dyA, xB, yB, dxB, dyB;
        PointAt(m_startAngle + i * step, xA, yA);
        DerivativeAt(m_startAngle + i * step, dxA, dyA);
        PointAt(m_startAngle + (i + 1) * step, xB, yB);
        DerivativeAt(m_startAngle + (i + 1) * step, dxB, dyB);
        const double k = (dyB * (xB - xA) - dxB * (yB - yA)) / (dxA * dyB - dyA * dxB);
        segments.push_back(CFlashQuadraticSegment{int(xA), int(yA), int(xB), int(yB), xA + k * dxA, yA + k * dyA});
    }
    return segments;
}

void QuadraticToCubicControls(const Gdiplus::Point& start, const Gdiplus::Point& q, const Gdiplus::Point& end,
                              std::vector<Gdiplus::Point>& points)
{
    points.emplace_back(start.X + 2 * (q.X - start.X) / 3, start.Y + 2 * (q.Y - start.Y) / 3);
    points.emplace_back(end.X + 2 * (q.X - end.X) / 3, end.Y + 2 * (q.Y - end.Y) / 3);
}
