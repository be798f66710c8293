#pragma once
namespace Gdiplus {

// A raster picture.
class Bitmap : public Image {
public:
    explicit Bitmap(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
    // The picture the stream holds, decoded.
    explicit Bitmap(IStream* stream, BOOL useEmbeddedColorManagement = FALSE);
    Bitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);
    // Uses the caller's pixel memory, which must outlive the bitmap; with scan0 null the bitmap
    // owns its memory.
    Bitmap(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0);
    // A copy of the device bitmap's pixels.
    Bitmap(HBITMAP hbm, HPALETTE hpal);

    static Bitmap* FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
    static Bitmap* FromStream(IStream* stream, BOOL useEmbeddedColorManagement = FALSE);
    static Bitmap* FromHBITMAP(HBITMAP hbm, HPALETTE hpal);

    Bitmap* Clone() const override;

    Status LockBits(const Rect* rect, UINT flags, PixelFormat format, BitmapData* lockedData);
    Status UnlockBits(BitmapData* lockedData);
    Status GetPixel(INT x, INT y, Color* color) const;
    Status SetPixel(INT x, INT y, const Color& color);
    // A new device bitmap (owned by the caller) of the picture over the background colour.
    Status GetHBITMAP(const Color& background, HBITMAP* hbm) const;

protected:
    Bitmap(GpBitmap* native, Status status);
    Image* Wrap(GpImage* native, Status status) const override;

private:
    friend class Image;
    GpBitmap* Native() const { return static_cast<GpBitmap*>(nativeImage); }
};

} // namespace Gdiplus
