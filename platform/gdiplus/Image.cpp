#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

Image::Image(const WCHAR* filename, BOOL useEmbeddedColorManagement) : nativeImage(nullptr)
{
    SetStatus(useEmbeddedColorManagement ? DllExports::GdipLoadImageFromFileICM(filename, &nativeImage)
                                         : DllExports::GdipLoadImageFromFile(filename, &nativeImage));
}

Image::Image(GpImage* native, Status status) : GdiplusBase(status), nativeImage(native) {}

Image::~Image()
{
    DllExports::GdipDisposeImage(nativeImage);
}

Image* Image::FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement)
{
    GpImage* native = nullptr;
    const Status status = useEmbeddedColorManagement ? DllExports::GdipLoadImageFromFileICM(filename, &native)
                                                     : DllExports::GdipLoadImageFromFile(filename, &native);
    return WrapByType(native, status);
}

Image* Image::Clone() const
{
    GpImage* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipCloneImage(nativeImage, &clone));
    return Wrap(clone, status);
}

Image* Image::Wrap(GpImage* native, Status status) const
{
    return new Image(native, status);
}

Image* Image::WrapByType(GpImage* native, Status status)
{
    ImageType type = ImageTypeUnknown;
    if (native)
        DllExports::GdipGetImageType(native, &type);
    if (type == ImageTypeBitmap)
        return new Bitmap(static_cast<GpBitmap*>(native), status);
    return new Image(native, status);
}

ImageType Image::GetType() const
{
    ImageType type = ImageTypeUnknown;
    SetStatus(DllExports::GdipGetImageType(nativeImage, &type));
    return type;
}

UINT Image::GetWidth() const
{
    UINT width = 0;
    SetStatus(DllExports::GdipGetImageWidth(nativeImage, &width));
    return width;
}

UINT Image::GetHeight() const
{
    UINT height = 0;
    SetStatus(DllExports::GdipGetImageHeight(nativeImage, &height));
    return height;
}

PixelFormat Image::GetPixelFormat() const
{
    PixelFormat format = PixelFormatUndefined;
    SetStatus(DllExports::GdipGetImagePixelFormat(nativeImage, &format));
    return format;
}

Status Image::Save(const WCHAR* filename, const CLSID* encoder, const EncoderParameters* parameters)
{
    return SetStatus(DllExports::GdipSaveImageToFile(nativeImage, filename, encoder, parameters));
}

} // namespace Gdiplus
