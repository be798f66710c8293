#include "model/FlashStraightLine.h"

#include <cmath>
#include <utility>

namespace {
constexpr double kPolylineStepTwips = 80.0;
constexpr double kQuarterPi = 0.78539816339744830962;
}

CFlashStraightLine::CFlashStraightLine(int x0, int y0, int x1, int y1) : CFlashCurve({x0, y0}, {x1, y1})
{
    Recalc();
}

void CFlashStraightLine::AddToPath(Gdiplus::GraphicsPath& path) const
{
    path.AddLine(INT(m_ptStart.x), INT(m_ptStart.y), INT(m_ptEnd.x), INT(m_ptEnd.y));
}

void CFlashStraightLine::Draw(Gdiplus::Graphics& graphics, const Gdiplus::Pen* pen) const
{
    if (pen)
        graphics.DrawLine(pen, INT(m_ptStart.x), INT(m_ptStart.y), INT(m_ptEnd.x), INT(m_ptEnd.y));
}

bool CFlashStraightLine::HitTest(const POINT& point) const
{
    return HitTestSegment(m_ptStart, m_ptEnd, point);
}

void CFlashStraightLine::Offset(int dx, int dy)
{
    m_ptStart.x += dx;
    m_ptStart.y += dy;
    m_ptEnd.x += dx;
    m_ptEnd.y += dy;
    Recalc();
}

void CFlashStraightLine::Recalc()
{
    const int dx = m_ptEnd.x - m_ptStart.x, dy = m_ptEnd.y - m_ptStart.y;
    m_rcBounds = Gdiplus::Rect(m_ptStart.x, m_ptStart.y, dx, dy);
    m_dWeight = std::fabs(std::atan2(std::abs(dy), std::abs(dx)) - kQuarterPi) / kQuarterPi * 3.0 + 1.0;
}

std::vector<POINT> CFlashStraightLine::GetPolyline() const
{
    const double dx = double(m_ptEnd.x) - m_ptStart.x, dy = double(m_ptEnd.y) - m_ptStart.y;
    const double count = std::ceil(std::hypot(dx, dy) / kPolylineStepTwips) + 1.0;
    const int n = count > 2.0 ? int(count) : 2;
    std::vector<POINT> points(n);
    for (int i = 0; i < n; ++i)
        points[i] = {LONG(i * dx / (n - 1) + m_ptStart.x), LONG(i * dy / (n - 1) + m_ptStart.y)};
    return points;
}

CFlashCurve* CFlashStraightLine::Clone(bool reversed) const
{
    auto* copy = new CFlashStraightLine(*this);
    if (reversed) {
        std::swap(copy->m_ptStart, copy->m_ptEnd);
        copy->Recalc();
    }
    return copy;
}
