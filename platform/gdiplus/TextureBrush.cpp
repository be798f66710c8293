#include "platform/gdiplus/GdiPlus.h"
#include "platform/gdiplus/FlatApiExtras.h"

namespace Gdiplus {

TextureBrush::TextureBrush(Image* image, WrapMode wrapMode) : Brush(nullptr, Ok)
{
    if (!image) {
        SetStatus(InvalidParameter);
        return;
    }
    GpTexture* native = nullptr;
    SetStatus(DllExports::GdipCreateTexture(image->nativeImage, wrapMode, &native));
    nativeBrush = native;
}

TextureBrush::TextureBrush(GpBrush* native, Status status) : Brush(native, status) {}

TextureBrush* TextureBrush::Clone() const
{
    return static_cast<TextureBrush*>(Brush::Clone());
}

Brush* TextureBrush::Wrap(GpBrush* native, Status status) const
{
    return new TextureBrush(native, status);
}

Image* TextureBrush::GetImage() const
{
    GpImage* image = nullptr;
    const Status status = SetStatus(DllExports::GdipGetTextureImage(Native(), &image));
    return Image::WrapByType(image, status);
}

WrapMode TextureBrush::GetWrapMode() const
{
    WrapMode mode = WrapModeTile;
    SetStatus(DllExports::GdipGetTextureWrapMode(Native(), &mode));
    return mode;
}

Status TextureBrush::SetWrapMode(WrapMode mode)
{
    return SetStatus(DllExports::GdipSetTextureWrapMode(Native(), mode));
}

Status TextureBrush::GetTransform(Matrix* matrix) const
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipGetTextureTransform(Native(), matrix->nativeMatrix));
}

Status TextureBrush::SetTransform(const Matrix* matrix)
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipSetTextureTransform(Native(), matrix->nativeMatrix));
}

Status TextureBrush::ResetTransform()
{
    return SetStatus(DllExports::GdipResetTextureTransform(Native()));
}

Status TextureBrush::MultiplyTransform(const Matrix* matrix, MatrixOrder order)
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipMultiplyTextureTransform(Native(), matrix->nativeMatrix, order));
}

Status TextureBrush::TranslateTransform(REAL dx, REAL dy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipTranslateTextureTransform(Native(), dx, dy, order));
}

Status TextureBrush::ScaleTransform(REAL sx, REAL sy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipScaleTextureTransform(Native(), sx, sy, order));
}

Status TextureBrush::RotateTransform(REAL angle, MatrixOrder order)
{
    return SetStatus(DllExports::GdipRotateTextureTransform(Native(), angle, order));
}

} // namespace Gdiplus
