#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

namespace {
constexpr int LinearColorCount = 2;
}

LinearGradientBrush::LinearGradientBrush(const RectF& rect, const Color& color1, const Color& color2,
                                         LinearGradientMode mode)
    : Brush(nullptr, Ok)
{
    GpLineGradient* native = nullptr;
    SetStatus(DllExports::GdipCreateLineBrushFromRect(ToNative(&rect), color1.GetValue(), color2.GetValue(), mode,
                                                      WrapModeTile, &native));
    nativeBrush = native;
}

LinearGradientBrush::LinearGradientBrush(const Rect& rect, const Color& color1, const Color& color2,
                                         LinearGradientMode mode)
    : Brush(nullptr, Ok)
{
    GpLineGradient* native = nullptr;
    SetStatus(DllExports::GdipCreateLineBrushFromRectI(ToNative(&rect), color1.GetValue(), color2.GetValue(), mode,
                                                       WrapModeTile, &native));
    nativeBrush = native;
}

LinearGradientBrush::LinearGradientBrush(GpBrush* native, Status status) : Brush(native, status) {}

LinearGradientBrush* LinearGradientBrush::Clone() const
{
    return static_cast<LinearGradientBrush*>(Brush::Clone());
}

Brush* LinearGradientBrush::Wrap(GpBrush* native, Status status) const
{
    return new LinearGradientBrush(native, status);
}

Status LinearGradientBrush::GetLinearColors(Color* colors) const
{
    if (!colors)
        return SetStatus(InvalidParameter);
    ARGB argb[LinearColorCount] = {};
    const Status status = SetStatus(DllExports::GdipGetLineColors(Native(), argb));
    if (status == Ok) {
        colors[0].SetValue(argb[0]);
        colors[1].SetValue(argb[1]);
    }
    return status;
}

Status LinearGradientBrush::SetLinearColors(const Color& color1, const Color& color2)
{
    return SetStatus(DllExports::GdipSetLineColors(Native(), color1.GetValue(), color2.GetValue()));
}

Status LinearGradientBrush::GetRectangle(RectF* rect) const
{
    return SetStatus(DllExports::GdipGetLineRect(Native(), ToNative(rect)));
}

Status LinearGradientBrush::GetRectangle(Rect* rect) const
{
    return SetStatus(DllExports::GdipGetLineRectI(Native(), ToNative(rect)));
}

INT LinearGradientBrush::GetBlendCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetLineBlendCount(Native(), &count));
    return count;
}

Status LinearGradientBrush::GetBlend(REAL* factors, REAL* positions, INT count) const
{
    return SetStatus(DllExports::GdipGetLineBlend(Native(), factors, positions, count));
}

Status LinearGradientBrush::SetBlend(const REAL* factors, const REAL* positions, INT count)
{
    return SetStatus(DllExports::GdipSetLineBlend(Native(), factors, positions, count));
}

INT LinearGradientBrush::GetInterpolationColorCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetLinePresetBlendCount(Native(), &count));
    return count;
}

Status LinearGradientBrush::GetInterpolationColors(Color* colors, REAL* positions, INT count) const
{
    return SetStatus(DllExports::GdipGetLinePresetBlend(Native(), ToNative(colors), positions, count));
}

Status LinearGradientBrush::SetInterpolationColors(const Color* colors, const REAL* positions, INT count)
{
    return SetStatus(DllExports::GdipSetLinePresetBlend(Native(), ToNative(colors), positions, count));
}

WrapMode LinearGradientBrush::GetWrapMode() const
{
    WrapMode mode = WrapModeTile;
    SetStatus(DllExports::GdipGetLineWrapMode(Native(), &mode));
    return mode;
}

Status LinearGradientBrush::SetWrapMode(WrapMode mode)
{
    return SetStatus(DllExports::GdipSetLineWrapMode(Native(), mode));
}

Status LinearGradientBrush::GetTransform(Matrix* matrix) const
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipGetLineTransform(Native(), matrix->nativeMatrix));
}

Status LinearGradientBrush::SetTransform(const Matrix* matrix)
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipSetLineTransform(Native(), matrix->nativeMatrix));
}

Status LinearGradientBrush::ResetTransform()
{
    return SetStatus(DllExports::GdipResetLineTransform(Native()));
}

Status LinearGradientBrush::MultiplyTransform(const Matrix* matrix, MatrixOrder order)
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipMultiplyLineTransform(Native(), matrix->nativeMatrix, order));
}

Status LinearGradientBrush::TranslateTransform(REAL dx, REAL dy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipTranslateLineTransform(Native(), dx, dy, order));
}

Status LinearGradientBrush::ScaleTransform(REAL sx, REAL sy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipScaleLineTransform(Native(), sx, sy, order));
}

Status LinearGradientBrush::RotateTransform(REAL angle, MatrixOrder order)
{
    return SetStatus(DllExports::GdipRotateLineTransform(Native(), angle, order));
}

} // namespace Gdiplus
