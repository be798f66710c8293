#pragma once
namespace Gdiplus {

// A picture; its dynamic class is Bitmap for raster pictures.
class Image : public GdiplusBase {
public:
    explicit Image(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
    virtual ~Image();

    // A new image of the matching class (owned by the caller).
    static Image* FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
    // A copy of the same class, owned by the caller.
    virtual Image* Clone() const;

    ImageType GetType() const;
    UINT GetWidth() const;
    UINT GetHeight() const;
    PixelFormat GetPixelFormat() const;
    // Encodes the picture with the encoder of the given class identifier.
    Status Save(const WCHAR* filename, const CLSID* encoder, const EncoderParameters* parameters = nullptr);

protected:
    Image(GpImage* native, Status status);

    // A wrapper of this image's class around a native image.
    virtual Image* Wrap(GpImage* native, Status status) const;
    // A wrapper whose class matches the native image (Bitmap for bitmaps).
    static Image* WrapByType(GpImage* native, Status status);

    GpImage* nativeImage;

private:
    friend class Graphics;
    friend class TextureBrush;
};

} // namespace Gdiplus
