#include "platform/gdiplus/GdiPlus.h"
#include "platform/gdiplus/FlatApiExtras.h"

namespace Gdiplus {

PathGradientBrush::PathGradientBrush(const PointF* points, INT count, WrapMode wrapMode) : Brush(nullptr, Ok)
{
    GpPathGradient* native = nullptr;
    SetStatus(DllExports::GdipCreatePathGradient(points, count, wrapMode, &native));
    nativeBrush = native;
}

PathGradientBrush::PathGradientBrush(const Point* points, INT count, WrapMode wrapMode) : Brush(nullptr, Ok)
{
    GpPathGradient* native = nullptr;
    SetStatus(DllExports::GdipCreatePathGradientI(points, count, wrapMode, &native));
    nativeBrush = native;
}

PathGradientBrush::PathGradientBrush(const GraphicsPath* path) : Brush(nullptr, Ok)
{
    if (!path) {
        SetStatus(InvalidParameter);
        return;
    }
    GpPathGradient* native = nullptr;
    SetStatus(DllExports::GdipCreatePathGradientFromPath(path->nativePath, &native));
    nativeBrush = native;
}

PathGradientBrush::PathGradientBrush(GpBrush* native, Status status) : Brush(native, status) {}

PathGradientBrush* PathGradientBrush::Clone() const
{
    return static_cast<PathGradientBrush*>(Brush::Clone());
}

Brush* PathGradientBrush::Wrap(GpBrush* native, Status status) const
{
    return new PathGradientBrush(native, status);
}

Status PathGradientBrush::GetCenterColor(Color* color) const
{
    return QueryColor(color, [this](ARGB* argb) { return DllExports::GdipGetPathGradientCenterColor(Native(), argb); });
}

Status PathGradientBrush::SetCenterColor(const Color& color)
{
    return SetStatus(DllExports::GdipSetPathGradientCenterColor(Native(), color.GetValue()));
}

Status PathGradientBrush::GetCenterPoint(PointF* point) const
{
    return SetStatus(DllExports::GdipGetPathGradientCenterPoint(Native(), point));
}

Status PathGradientBrush::GetCenterPoint(Point* point) const
{
    return SetStatus(DllExports::GdipGetPathGradientCenterPointI(Native(), point));
}

Status PathGradientBrush::SetCenterPoint(const PointF& point)
{
    PointF center = point;
    return SetStatus(DllExports::GdipSetPathGradientCenterPoint(Native(), &center));
}

Status PathGradientBrush::SetCenterPoint(const Point& point)
{
    Point center = point;
    return SetStatus(DllExports::GdipSetPathGradientCenterPointI(Native(), &center));
}

INT PathGradientBrush::GetPointCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetPathGradientPointCount(Native(), &count));
    return count;
}

INT PathGradientBrush::GetSurroundColorCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetPathGradientSurroundColorCount(Native(), &count));
    return count;
}

Status PathGradientBrush::GetSurroundColors(Color* colors, INT* count) const
{
    if (!colors || !count)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipGetPathGradientSurroundColorsWithCount(Native(), ToNative(colors), count));
}

Status PathGradientBrush::SetSurroundColors(const Color* colors, INT* count)
{
    if (!colors || !count)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipSetPathGradientSurroundColorsWithCount(Native(), ToNative(colors), count));
}

Status PathGradientBrush::GetRectangle(RectF* rect) const
{
    return SetStatus(DllExports::GdipGetPathGradientRect(Native(), ToNative(rect)));
}

Status PathGradientBrush::GetRectangle(Rect* rect) const
{
    return SetStatus(DllExports::GdipGetPathGradientRectI(Native(), ToNative(rect)));
}

INT PathGradientBrush::GetBlendCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetPathGradientBlendCount(Native(), &count));
    return count;
}

Status PathGradientBrush::GetBlend(REAL* factors, REAL* positions, INT count) const
{
    return SetStatus(DllExports::GdipGetPathGradientBlend(Native(), factors, positions, count));
}

Status PathGradientBrush::SetBlend(const REAL* factors, const REAL* positions, INT count)
{
    return SetStatus(DllExports::GdipSetPathGradientBlend(Native(), factors, positions, count));
}

INT PathGradientBrush::GetInterpolationColorCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetPathGradientPresetBlendCount(Native(), &count));
    return count;
}

Status PathGradientBrush::GetInterpolationColors(Color* colors, REAL* positions, INT count) const
{
    return SetStatus(DllExports::GdipGetPathGradientPresetBlend(Native(), ToNative(colors), positions, count));
}

Status PathGradientBrush::SetInterpolationColors(const Color* colors, const REAL* positions, INT count)
{
    return SetStatus(DllExports::GdipSetPathGradientPresetBlend(Native(), ToNative(colors), positions, count));
}

WrapMode PathGradientBrush::GetWrapMode() const
{
    WrapMode mode = WrapModeClamp;
    SetStatus(DllExports::GdipGetPathGradientWrapMode(Native(), &mode));
    return mode;
}

Status PathGradientBrush::SetWrapMode(WrapMode mode)
{
    return SetStatus(DllExports::GdipSetPathGradientWrapMode(Native(), mode));
}

Status PathGradientBrush::GetTransform(Matrix* matrix) const
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipGetPathGradientTransform(Native(), matrix->nativeMatrix));
}

Status PathGradientBrush::SetTransform(const Matrix* matrix)
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipSetPathGradientTransform(Native(), matrix->nativeMatrix));
}

Status PathGradientBrush::ResetTransform()
{
    return SetStatus(DllExports::GdipResetPathGradientTransform(Native()));
}

Status PathGradientBrush::MultiplyTransform(const Matrix* matrix, MatrixOrder order)
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipMultiplyPathGradientTransform(Native(), matrix->nativeMatrix, order));
}

Status PathGradientBrush::TranslateTransform(REAL dx, REAL dy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipTranslatePathGradientTransform(Native(), dx, dy, order));
}

Status PathGradientBrush::ScaleTransform(REAL sx, REAL sy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipScalePathGradientTransform(Native(), sx, sy, order));
}

Status PathGradientBrush::RotateTransform(REAL angle, MatrixOrder order)
{
    return SetStatus(DllExports::GdipRotatePathGradientTransform(Native(), angle, order));
}

} // namespace Gdiplus
