#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

Bitmap::Bitmap(const WCHAR* filename, BOOL useEmbeddedColorManagement) : Image(nullptr, Ok)
{
    GpBitmap* native = nullptr;
    SetStatus(useEmbeddedColorManagement ? DllExports::GdipCreateBitmapFromFileICM(filename, &native)
                                         : DllExports::GdipCreateBitmapFromFile(filename, &native));
    nativeImage = native;
}

Bitmap::Bitmap(IStream* stream, BOOL useEmbeddedColorManagement) : Image(nullptr, Ok)
{
    GpBitmap* native = nullptr;
    SetStatus(useEmbeddedColorManagement ? DllExports::GdipCreateBitmapFromStreamICM(stream, &native)
                                         : DllExports::GdipCreateBitmapFromStream(stream, &native));
    nativeImage = native;
}

Bitmap::Bitmap(INT width, INT height, PixelFormat format) : Bitmap(width, height, 0, format, nullptr) {}

Bitmap::Bitmap(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0) : Image(nullptr, Ok)
{
    GpBitmap* native = nullptr;
    SetStatus(DllExports::GdipCreateBitmapFromScan0(width, height, stride, format, scan0, &native));
    nativeImage = native;
}

Bitmap::Bitmap(HBITMAP hbm, HPALETTE hpal) : Image(nullptr, Ok)
{
    GpBitmap* native = nullptr;
    SetStatus(DllExports::GdipCreateBitmapFromHBITMAP(hbm, hpal, &native));
    nativeImage = native;
}

Bitmap::Bitmap(GpBitmap* native, Status status) : Image(native, status) {}

Bitmap* Bitmap::FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement)
{
    return new Bitmap(filename, useEmbeddedColorManagement);
}

Bitmap* Bitmap::FromStream(IStream* stream, BOOL useEmbeddedColorManagement)
{
    return new Bitmap(stream, useEmbeddedColorManagement);
}

Bitmap* Bitmap::FromHBITMAP(HBITMAP hbm, HPALETTE hpal)
{
    return new Bitmap(hbm, hpal);
}

Bitmap* Bitmap::Clone() const
{
    return static_cast<Bitmap*>(Image::Clone());
}

Image* Bitmap::Wrap(GpImage* native, Status status) const
{
    return new Bitmap(static_cast<GpBitmap*>(native), status);
}

Status Bitmap::LockBits(const Rect* rect, UINT flags, PixelFormat format, BitmapData* lockedData)
{
    return SetStatus(DllExports::GdipBitmapLockBits(Native(), ToNative(rect), flags, format, lockedData));
}

Status Bitmap::UnlockBits(BitmapData* lockedData)
{
    return SetStatus(DllExports::GdipBitmapUnlockBits(Native(), lockedData));
}

Status Bitmap::GetPixel(INT x, INT y, Color* color) const
{
    return QueryColor(color, [this, x, y](ARGB* argb) { return DllExports::GdipBitmapGetPixel(Native(), x, y, argb); });
}

Status Bitmap::SetPixel(INT x, INT y, const Color& color)
{
    return SetStatus(DllExports::GdipBitmapSetPixel(Native(), x, y, color.GetValue()));
}

Status Bitmap::GetHBITMAP(const Color& background, HBITMAP* hbm) const
{
    return SetStatus(DllExports::GdipCreateHBITMAPFromBitmap(Native(), hbm, background.GetValue()));
}

} // namespace Gdiplus
