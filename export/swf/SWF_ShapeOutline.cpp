#include "export/swf/SWF_ShapeOutline.h"

#include "export/swf/SWF_BitStream.h"
#include "model/FlashBezierCurve.h"
#include "model/FlashShape.h"
#include "platform/gdiplus/GdiPlus.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
// An edge delta takes at most 17 bits (NumBits has 4 bits and counts from 2).
constexpr int64_t kMaxEdgeDelta = 65535;
constexpr uint8_t kEdgeBitsBias = 2;
// Distance (twips) a quadratic piece may stray from the cubic curve it stands for.
constexpr double kCubicTolerance = 2.0;
constexpr int kMaxCubicPieces = 32;

bool FitsEdge(int64_t delta) { return delta >= -kMaxEdgeDelta && delta <= kMaxEdgeDelta; }

int32_t RoundToCoordinate(double value)
{
    return static_cast<int32_t>(std::lround(std::clamp(value, double(INT32_MIN), double(INT32_MAX))));
}

uint8_t EdgeBits(std::initializer_list<int32_t> deltas)
{
    uint8_t bits = 2;
    for (int32_t delta : deltas)
        bits = std::max(bits, C_SWF_BitStream::BitsForSigned(delta));
    return bits;
}

// The control point of a cubic built from a quadratic one, as the curve computes it.
int64_t DerivedControl(int64_t end, int64_t quad) { return end + 2 * (quad - end) / 3; }
}

C_SWF_ShapeOutline::C_SWF_ShapeOutline(uint32_t fillStyle, uint32_t lineStyle)
    : m_fillStyle(fillStyle), m_lineStyle(lineStyle)
{
}

void C_SWF_ShapeOutline::Begin(std::vector<C_SWF_ShapeRecord>& records, bool filled, bool strokedBridges)
{
    m_records = &records;
    m_filled = filled;
    m_strokedBridges = strokedBridges;
    m_inFigure = false;
    m_pen = {0, 0};
    m_currentFill = 0;
    m_currentLine = 0;
}

void C_SWF_ShapeOutline::End()
{
    CloseFigure(true);
    m_records->emplace_back(); // the end record: type 0 and no state flags
    m_records = nullptr;
}

void C_SWF_ShapeOutline::AddShape(const CFlashShape& shape, std::vector<C_SWF_ShapeRecord>& records)
{
    // An open path is stroked as one path, which joins its curves and strokes its closings.
    Begin(records, shape.IsFilled(), !shape.IsFilled() && !shape.IsClosed());
    for (int i = 0; i < shape.GetCurveCount(); ++i)
        AddCurve(*shape.GetCurve(i));
    End();
}

void C_SWF_ShapeOutline::AddRectangle(const Gdiplus::Rect& rect, std::vector<C_SWF_ShapeRecord>& records)
{
    Begin(records, true, false);
    const int32_t right = RoundToCoordinate(double(rect.X) + rect.Width);
    const int32_t bottom = RoundToCoordinate(double(rect.Y) + rect.Height);
    MoveTo({rect.X, rect.Y});
    m_figureStart = m_pen;
    m_inFigure = true;
    AddLine({right, rect.Y}, true);
    AddLine({right, bottom}, true);
    AddLine({rect.X, bottom}, true);
    End();
}

void C_SWF_ShapeOutline::AddFilledPath(const Gdiplus::GraphicsPath& path, std::vector<C_SWF_ShapeRecord>& records)
{
    Begin(records, true, false);
    const INT count = path.GetPointCount();
    std::vector<Gdiplus::PointF> points(size_t(std::max(count, 0)));
    std::vector<BYTE> types(points.size());
    if (count <= 0 || path.GetPathPoints(points.data(), count) != Gdiplus::Ok ||
        path.GetPathTypes(types.data(), count) != Gdiplus::Ok)
    {
        End();
        return;
    }
    auto at = [&](INT i) { return Point{RoundToCoordinate(points[i].X), RoundToCoordinate(points[i].Y)}; };
    for (INT i = 0; i < count; ++i)
    {
        const BYTE type = types[i] & Gdiplus::PathPointTypePathTypeMask;
        if (type == Gdiplus::PathPointTypeStart)
        {
            CloseFigure(false);
            MoveTo(at(i));
            m_figureStart = m_pen;
            m_inFigure = true;
        }
        else if (type == Gdiplus::PathPointTypeBezier && i + 2 < count)
        {
            SetStyles(true);
            AddCubic(m_pen, at(i), at(i + 1), at(i + 2));
            i += 2;
        }
        else
        {
            AddLine(at(i), true);
        }
        if (types[i] & Gdiplus::PathPointTypeCloseSubpath)
            CloseFigure(false);
    }
    End();
}

void C_SWF_ShapeOutline::AddCurve(const CFlashCurve& curve)
{
    const int kind = curve.GetKind();
    if (kind == kCurveKindCloseFigure)
    {
        CloseFigure(false);
        return;
    }
    if (kind != kCurveKindStraightLine && kind != kCurveKindBezier)
        return;
    const Point start{curve.GetStartPoint().x, curve.GetStartPoint().y};
    const Point end{curve.GetEndPoint().x, curve.GetEndPoint().y};
    if (!m_inFigure)
    {
        MoveTo(start);
        m_figureStart = start;
        m_inFigure = true;
    }
    else if (start != m_pen)
    {
        // A path joins a curve that starts elsewhere with a line; a hollow shape draws its
        // curves one by one.
        if (m_filled || m_strokedBridges)
            AddLine(start, m_strokedBridges);
        else
            MoveTo(start);
    }
    if (kind == kCurveKindStraightLine)
    {
        AddLine(end, true);
        return;
    }
    SetStyles(true);
    const auto& bezier = static_cast<const CFlashBezierCurve&>(curve);
    const Point quad{bezier.GetQuadraticControlPoint().x, bezier.GetQuadraticControlPoint().y};
    const Point c1{bezier.GetControlPoint1().x, bezier.GetControlPoint1().y};
    const Point c2{bezier.GetControlPoint2().x, bezier.GetControlPoint2().y};
    const bool fromQuadratic = c1.x == DerivedControl(start.x, quad.x) && c1.y == DerivedControl(start.y, quad.y) &&
                               c2.x == DerivedControl(end.x, quad.x) && c2.y == DerivedControl(end.y, quad.y);
    if (fromQuadratic)
        AddQuadratic(start, quad, end);
    else
        AddCubic(start, c1, c2, end);
}

void C_SWF_ShapeOutline::CloseFigure(bool atShapeEnd)
{
    if (!m_inFigure)
        return;
    m_inFigure = false;
    // A fill closes every figure without stroking the closing line; a stroked path closes only
    // the figures that a close-figure operation ends.
    const bool close = m_filled || (m_strokedBridges && !atShapeEnd);
    if (close && m_pen != m_figureStart)
        AddLine(m_figureStart, m_strokedBridges);
}

void C_SWF_ShapeOutline::MoveTo(const Point& point)
{
    C_SWF_ShapeRecord record;
    record.stateMoveTo.value = 1;
    record.moveBits.value = std::max(C_SWF_BitStream::BitsForSigned(point.x), C_SWF_BitStream::BitsForSigned(point.y));
    record.moveDeltaX.value = point.x;
    record.moveDeltaY.value = point.y;
    m_records->push_back(record);
    m_pen = point;
}

void C_SWF_ShapeOutline::SetStyles(bool stroked)
{
    const uint32_t line = stroked ? m_lineStyle : 0;
    if (line != m_currentLine)
    {
        C_SWF_ShapeRecord record;
        record.stateLineStyle.value = 1;
        record.lineStyle.value = static_cast<int32_t>(line);
        m_records->push_back(record);
        m_currentLine = line;
    }
    if (m_fillStyle != m_currentFill)
    {
        C_SWF_ShapeRecord record;
        record.stateFillStyle0.value = 1;
        record.fillStyle0.value = static_cast<int32_t>(m_fillStyle);
        m_records->push_back(record);
        m_currentFill = m_fillStyle;
    }
}

void C_SWF_ShapeOutline::AddLine(const Point& to, bool stroked)
{
    SetStyles(stroked);
    const int64_t dx = int64_t(to.x) - m_pen.x;
    const int64_t dy = int64_t(to.y) - m_pen.y;
    const int64_t longest = std::max(std::llabs(dx), std::llabs(dy));
    const int64_t pieces = std::max<int64_t>(1, (longest + kMaxEdgeDelta - 1) / kMaxEdgeDelta);
    const Point from = m_pen;
    for (int64_t k = 1; k <= pieces; ++k)
    {
        const Point next{static_cast<int32_t>(from.x + dx * k / pieces), static_cast<int32_t>(from.y + dy * k / pieces)};
        C_SWF_ShapeRecord record;
        record.typeFlag.value = 1;
        record.straightFlag.value = 1;
        record.generalLineFlag.value = 1;
        record.deltaX.value = next.x - m_pen.x;
        record.deltaY.value = next.y - m_pen.y;
        record.numBits.value = EdgeBits({record.deltaX.value, record.deltaY.value}) - kEdgeBitsBias;
        m_records->push_back(record);
        m_pen = next;
    }
}

void C_SWF_ShapeOutline::AddQuadratic(const Point& from, const Point& control, const Point& to)
{
    const int64_t cdx = int64_t(control.x) - from.x, cdy = int64_t(control.y) - from.y;
    const int64_t adx = int64_t(to.x) - control.x, ady = int64_t(to.y) - control.y;
    if (!FitsEdge(cdx) || !FitsEdge(cdy) || !FitsEdge(adx) || !FitsEdge(ady))
    {
        // Halves of the curve (de Casteljau at 0.5) until every delta fits its record.
        auto mid = [](const Point& a, const Point& b) {
            return Point{static_cast<int32_t>((int64_t(a.x) + b.x) / 2), static_cast<int32_t>((int64_t(a.y) + b.y) / 2)};
        };
        const Point left = mid(from, control), right = mid(control, to), middle = mid(left, right);
        AddQuadratic(from, left, middle);
        AddQuadratic(middle, right, to);
        return;
    }
    C_SWF_ShapeRecord record;
    record.typeFlag.value = 1;
    record.controlDeltaX.value = static_cast<int32_t>(cdx);
    record.controlDeltaY.value = static_cast<int32_t>(cdy);
    record.anchorDeltaX.value = static_cast<int32_t>(adx);
    record.anchorDeltaY.value = static_cast<int32_t>(ady);
    record.numBits.value = EdgeBits({record.controlDeltaX.value, record.controlDeltaY.value, record.anchorDeltaX.value,
                                     record.anchorDeltaY.value}) - kEdgeBitsBias;
    m_records->push_back(record);
    m_pen = to;
}

void C_SWF_ShapeOutline::AddCubic(const Point& from, const Point& c1, const Point& c2, const Point& to)
{
    // The midpoint quadratic strays from the cubic by at most |p3 - 3 c2 + 3 c1 - p0| * sqrt(3) / 36;
    // n pieces divide that by n cubed.
    const double ex = double(to.x) - 3.0 * c2.x + 3.0 * c1.x - from.x;
    const double ey = double(to.y) - 3.0 * c2.y + 3.0 * c1.y - from.y;
    const double error = std::hypot(ex, ey) * std::sqrt(3.0) / 36.0;
    const int pieces = std::clamp(int(std::ceil(std::cbrt(error / kCubicTolerance))), 1, kMaxCubicPieces);
    const double p[4][2] = {{double(from.x), double(from.y)}, {double(c1.x), double(c1.y)},
                            {double(c2.x), double(c2.y)}, {double(to.x), double(to.y)}};
    auto at = [&](double t, int axis) {
        const double s = 1.0 - t;
        return s * s * s * p[0][axis] + 3 * s * s * t * p[1][axis] + 3 * s * t * t * p[2][axis] + t * t * t * p[3][axis];
    };
    auto slope = [&](double t, int axis) {
        const double s = 1.0 - t;
        return 3 * s * s * (p[1][axis] - p[0][axis]) + 6 * s * t * (p[2][axis] - p[1][axis]) +
               3 * t * t * (p[3][axis] - p[2][axis]);
    };
    Point start = from;
    for (int k = 0; k < pieces; ++k)
    {
        const double t0 = double(k) / pieces, t1 = double(k + 1) / pieces, h = t1 - t0;
        Point control, end = to;
        int32_t* controlAxis[2] = {&control.x, &control.y};
        int32_t* endAxis[2] = {&end.x, &end.y};
        for (int axis = 0; axis < 2; ++axis)
        {
            const double a = at(t0, axis), b = at(t1, axis);
            // The quadratic through the piece's ends whose control point is the mean of the two
            // cubic control points' extensions.
            *controlAxis[axis] = RoundToCoordinate((2.0 * (a + b) + h * (slope(t0, axis) - slope(t1, axis))) / 4.0);
            if (k + 1 < pieces)
                *endAxis[axis] = RoundToCoordinate(b);
        }
        AddQuadratic(start, control, end);
        start = end;
    }
}
