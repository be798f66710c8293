#include "platform/gdiplus/GdiPlus.h"

#include "platform/gdiplus/BezierFlattening.h"

#include <vector>

namespace Gdiplus {


GraphicsPath::GraphicsPath(FillMode fillMode) : nativePath(nullptr)
{
    SetStatus(DllExports::GdipCreatePath(fillMode, &nativePath));
}

GraphicsPath::GraphicsPath(const PointF* points, const BYTE* types, INT count, FillMode fillMode)
    : nativePath(nullptr)
{
    SetStatus(DllExports::GdipCreatePath2(points, types, count, fillMode, &nativePath));
}

GraphicsPath::GraphicsPath(const Point* points, const BYTE* types, INT count, FillMode fillMode)
    : nativePath(nullptr)
{
    SetStatus(DllExports::GdipCreatePath2I(points, types, count, fillMode, &nativePath));
}

GraphicsPath::GraphicsPath(GpPath* native, Status status) : GdiplusBase(status), nativePath(native) {}

GraphicsPath::~GraphicsPath()
{
    DllExports::GdipDeletePath(nativePath);
}

GraphicsPath* GraphicsPath::Clone() const
{
    GpPath* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipClonePath(nativePath, &clone));
    return new GraphicsPath(clone, status);
}

Status GraphicsPath::Reset()
{
    return SetStatus(DllExports::GdipResetPath(nativePath));
}

FillMode GraphicsPath::GetFillMode() const
{
    FillMode fillMode = FillModeAlternate;
    SetStatus(DllExports::GdipGetPathFillMode(nativePath, &fillMode));
    return fillMode;
}

Status GraphicsPath::SetFillMode(FillMode fillMode)
{
    return SetStatus(DllExports::GdipSetPathFillMode(nativePath, fillMode));
}

Status GraphicsPath::StartFigure()
{
    return SetStatus(DllExports::GdipStartPathFigure(nativePath));
}

Status GraphicsPath::CloseFigure()
{
    return SetStatus(DllExports::GdipClosePathFigure(nativePath));
}

Status GraphicsPath::CloseAllFigures()
{
    return SetStatus(DllExports::GdipClosePathFigures(nativePath));
}

Status GraphicsPath::AddLine(const PointF& pt1, const PointF& pt2)
{
    return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status GraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2)
{
    return SetStatus(DllExports::GdipAddPathLine(nativePath, x1, y1, x2, y2));
}

Status GraphicsPath::AddLine(const Point& pt1, const Point& pt2)
{
    return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status GraphicsPath::AddLine(INT x1, INT y1, INT x2, INT y2)
{
    return SetStatus(DllExports::GdipAddPathLineI(nativePath, x1, y1, x2, y2));
}

Status GraphicsPath::AddLines(const PointF* points, INT count)
{
    return SetStatus(DllExports::GdipAddPathLine2(nativePath, points, count));
}

Status GraphicsPath::AddLines(const Point* points, INT count)
{
    return SetStatus(DllExports::GdipAddPathLine2I(nativePath, points, count));
}

Status GraphicsPath::AddBezier(const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4)
{
    return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status GraphicsPath::AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4)
{
    return SetStatus(DllExports::GdipAddPathBezier(nativePath, x1, y1, x2, y2, x3, y3, x4, y4));
}

Status GraphicsPath::AddBezier(const Point& pt1, const Point& pt2, const Point& pt3, const Point& pt4)
{
    return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status GraphicsPath::AddBezier(INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4)
{
    return SetStatus(DllExports::GdipAddPathBezierI(nativePath, x1, y1, x2, y2, x3, y3, x4, y4));
}

Status GraphicsPath::AddBeziers(const PointF* points, INT count)
{
    return SetStatus(DllExports::GdipAddPathBeziers(nativePath, points, count));
}

Status GraphicsPath::AddBeziers(const Point* points, INT count)
{
    return SetStatus(DllExports::GdipAddPathBeziersI(nativePath, points, count));
}

Status GraphicsPath::AddRectangle(const RectF& rect)
{
    return SetStatus(DllExports::GdipAddPathRectangle(nativePath, rect.X, rect.Y, rect.Width, rect.Height));
}

Status GraphicsPath::AddRectangle(const Rect& rect)
{
    return SetStatus(DllExports::GdipAddPathRectangleI(nativePath, rect.X, rect.Y, rect.Width, rect.Height));
}

Status GraphicsPath::AddEllipse(const RectF& rect)
{
    return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height);
}

Status GraphicsPath::AddEllipse(REAL x, REAL y, REAL width, REAL height)
{
    return SetStatus(DllExports::GdipAddPathEllipse(nativePath, x, y, width, height));
}

Status GraphicsPath::AddEllipse(const Rect& rect)
{
    return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height);
}

Status GraphicsPath::AddEllipse(INT x, INT y, INT width, INT height)
{
    return SetStatus(DllExports::GdipAddPathEllipseI(nativePath, x, y, width, height));
}

Status GraphicsPath::AddPolygon(const PointF* points, INT count)
{
    return SetStatus(DllExports::GdipAddPathPolygon(nativePath, points, count));
}

Status GraphicsPath::AddPolygon(const Point* points, INT count)
{
    return SetStatus(DllExports::GdipAddPathPolygonI(nativePath, points, count));
}

Status GraphicsPath::AddPath(const GraphicsPath* addingPath, BOOL connect)
{
    if (!addingPath)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipAddPathPath(nativePath, addingPath->nativePath, connect));
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                               const PointF& origin, const StringFormat* format)
{
    // A point origin is an unbounded layout rectangle.
    return AddString(string, length, family, style, emSize, RectF(origin.X, origin.Y, 0.0f, 0.0f), format);
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                               const RectF& layoutRect, const StringFormat* format)
{
    // Wine's flat API rejects a missing format where the platform lays out with the default one.
    const StringFormat defaultFormat;
    return SetStatus(DllExports::GdipAddPathString(nativePath, string, length,
                                                   family ? family->nativeFamily : nullptr, style, emSize,
                                                   ToNative(&layoutRect),
                                                   (format ? format : &defaultFormat)->nativeFormat));
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                               const Point& origin, const StringFormat* format)
{
    return AddString(string, length, family, style, emSize, Rect(origin.X, origin.Y, 0, 0), format);
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                               const Rect& layoutRect, const StringFormat* format)
{
    const StringFormat defaultFormat;
    return SetStatus(DllExports::GdipAddPathStringI(nativePath, string, length,
                                                    family ? family->nativeFamily : nullptr, style, emSize,
                                                    ToNative(&layoutRect),
                                                    (format ? format : &defaultFormat)->nativeFormat));
}

Status GraphicsPath::Flatten(const Matrix* matrix, REAL flatness)
{
    // Wine's GdipFlattenPath recurses without end on ordinary curves at twip coordinates, so the
    // Bezier segments are flattened here (after the matrix, as the platform does) and the path's
    // data replaced.
    INT count = 0;
    Status status = SetStatus(DllExports::GdipGetPointCount(nativePath, &count));
    if (status != Ok || count == 0)
        return status;
    std::vector<PointF> points(count);
    std::vector<BYTE> types(count);
    if ((status = GetPathPoints(points.data(), count)) != Ok || (status = GetPathTypes(types.data(), count)) != Ok)
        return status;
    if (matrix && (status = SetStatus(DllExports::GdipTransformMatrixPoints(matrix->nativeMatrix, points.data(),
                                                                           count))) != Ok)
        return status;

    std::vector<PointF> flatPoints;
    std::vector<BYTE> flatTypes;
    flatPoints.reserve(count);
    flatTypes.reserve(count);
    auto asLine = [](BYTE type) { return BYTE((type & ~PathPointTypePathTypeMask) | PathPointTypeLine); };
    for (INT i = 0; i < count; ++i) {
        const bool bezier = (types[i] & PathPointTypePathTypeMask) == PathPointTypeBezier;
        if (!bezier || i == 0 || i + 2 >= count) {
            flatPoints.push_back(points[i]);
            flatTypes.push_back(bezier ? asLine(types[i]) : types[i]);
            continue;
        }
        // The curve's chords become lines; its end point keeps its flags.
        FlattenBezierSegment(points[i - 1], points[i], points[i + 1], points[i + 2], flatness, flatPoints);
        flatTypes.resize(flatPoints.size(), BYTE(PathPointTypeLine));
        flatTypes.back() = asLine(types[i + 2]);
        i += 2;
    }

    FillMode fillMode = FillModeAlternate;
    GpPath* flattened = nullptr;
    if ((status = SetStatus(DllExports::GdipGetPathFillMode(nativePath, &fillMode))) != Ok
        || (status = SetStatus(DllExports::GdipCreatePath2(flatPoints.data(), flatTypes.data(), INT(flatPoints.size()),
                                                           fillMode, &flattened))) != Ok)
        return status;
    DllExports::GdipDeletePath(nativePath);
    nativePath = flattened;
    return Ok;
}

Status GraphicsPath::Widen(const Pen* pen, const Matrix* matrix, REAL flatness)
{
    if (!pen)
        return SetStatus(InvalidParameter);
    // Wine widens through the same unbounded flattening; a path of lines never reaches it.
    const Status status = Flatten(matrix, flatness);
    if (status != Ok)
        return status;
    return SetStatus(DllExports::GdipWidenPath(nativePath, pen->nativePen, nullptr, flatness));
}

Status GraphicsPath::Transform(const Matrix* matrix)
{
    if (!matrix)
        return Ok;
    return SetStatus(DllExports::GdipTransformPath(nativePath, matrix->nativeMatrix));
}

Status GraphicsPath::GetBounds(RectF* bounds, const Matrix* matrix, const Pen* pen) const
{
    return SetStatus(DllExports::GdipGetPathWorldBounds(nativePath, ToNative(bounds), matrix ? matrix->nativeMatrix : nullptr,
                                                        pen ? pen->nativePen : nullptr));
}

Status GraphicsPath::GetBounds(Rect* bounds, const Matrix* matrix, const Pen* pen) const
{
    return SetStatus(DllExports::GdipGetPathWorldBoundsI(nativePath, ToNative(bounds), matrix ? matrix->nativeMatrix : nullptr,
                                                         pen ? pen->nativePen : nullptr));
}

INT GraphicsPath::GetPointCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetPointCount(nativePath, &count));
    return count;
}

Status GraphicsPath::GetPathPoints(PointF* points, INT count) const
{
    return SetStatus(DllExports::GdipGetPathPoints(nativePath, points, count));
}

Status GraphicsPath::GetPathPoints(Point* points, INT count) const
{
    return SetStatus(DllExports::GdipGetPathPointsI(nativePath, points, count));
}

Status GraphicsPath::GetPathTypes(BYTE* types, INT count) const
{
    return SetStatus(DllExports::GdipGetPathTypes(nativePath, types, count));
}

Status GraphicsPath::GetLastPoint(PointF* lastPoint) const
{
    return SetStatus(DllExports::GdipGetPathLastPoint(nativePath, lastPoint));
}

BOOL GraphicsPath::IsVisible(REAL x, REAL y, const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsVisiblePathPoint(nativePath, x, y, graphics ? graphics->nativeGraphics : nullptr,
                                                 &result));
    return result;
}

BOOL GraphicsPath::IsVisible(const PointF& point, const Graphics* graphics) const
{
    return IsVisible(point.X, point.Y, graphics);
}

BOOL GraphicsPath::IsVisible(INT x, INT y, const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsVisiblePathPointI(nativePath, x, y, graphics ? graphics->nativeGraphics : nullptr,
                                                  &result));
    return result;
}

BOOL GraphicsPath::IsVisible(const Point& point, const Graphics* graphics) const
{
    return IsVisible(point.X, point.Y, graphics);
}

BOOL GraphicsPath::IsOutlineVisible(REAL x, REAL y, const Pen* pen, const Graphics* graphics) const
{
    if (!pen) {
        SetStatus(InvalidParameter);
        return FALSE;
    }
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsOutlineVisiblePathPoint(nativePath, x, y, pen->nativePen,
                                                        graphics ? graphics->nativeGraphics : nullptr, &result));
    return result;
}

BOOL GraphicsPath::IsOutlineVisible(const PointF& point, const Pen* pen, const Graphics* graphics) const
{
    return IsOutlineVisible(point.X, point.Y, pen, graphics);
}

BOOL GraphicsPath::IsOutlineVisible(INT x, INT y, const Pen* pen, const Graphics* graphics) const
{
    if (!pen) {
        SetStatus(InvalidParameter);
        return FALSE;
    }
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsOutlineVisiblePathPointI(nativePath, x, y, pen->nativePen,
                                                         graphics ? graphics->nativeGraphics : nullptr, &result));
    return result;
}

BOOL GraphicsPath::IsOutlineVisible(const Point& point, const Pen* pen, const Graphics* graphics) const
{
    return IsOutlineVisible(point.X, point.Y, pen, graphics);
}

} // namespace Gdiplus
