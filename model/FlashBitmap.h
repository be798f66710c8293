#pragma once
#include "model/EmptyOnCopy.h"
#include "model/FlashShape.h"

#include <cstdint>

// A picture placed at a pixel position; one picture pixel covers 20 twips.
class CFlashBitmap : public CFlashShape {
public:
    // The largest picture a bitmap shape takes, from a file, the clipboard or a drop: a full
    // screen of 1920 x 1080 fits. The document stores every pixel as text, up to ten bytes of
    // it, in the file and in the snapshot every later edit takes: some 21 MB, written in about
    // half a second.
    static constexpr std::uint64_t kMostPixels = std::uint64_t(1) << 21;
    static constexpr std::uint64_t kMostSide = 16384;
    static bool FitsPixelBudget(std::uint64_t width, std::uint64_t height);

    // No image (archive loading).
    CFlashBitmap() = default;

    // A new bitmap shape at (100, 100) pixels holding a copy of the device bitmap; null when
    // the device bitmap cannot be read or is over the pixel budget.
    static CFlashBitmap* CreateFromHBITMAP(HBITMAP bitmap);

    Gdiplus::Bitmap* GetImage() const { return m_pImage.get(); }
    // Takes the image and, for an image built over a pixel block, that block: it lives as long
    // as the image.
    void SetImage(std::unique_ptr<Gdiplus::Bitmap> image, std::unique_ptr<BYTE[]> pixels = nullptr);
    int GetX() const { return m_nX; }
    int GetY() const { return m_nY; }
    void SetPosition(int x, int y);

    void Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
              const CFlashEditorFrameShapeTransform* placement) override;
    // Inside the picture rectangle; never without an image.
    bool HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement) override;
    CFlashShape* Duplicate() const override;
    bool IsClosed() const override { return false; }
    // (x, y, width, height) in twips.
    Gdiplus::Rect GetBounds() const override;
    // The corners of the bounds: top left, top right, bottom right, bottom left.
    std::vector<POINT> GetCurveEndpoints() const override;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    // A copy's image is a clone of the whole image in its own pixel format, owning its pixels.
    CFlashBitmap(const CFlashBitmap&) = default;

    // Declared before the image, which may be built over it and is destroyed first.
    CEmptyOnCopy<std::unique_ptr<BYTE[]>> m_pixelBuffer;
    CClonedPtr<Gdiplus::Bitmap> m_pImage;
    int m_nX = 0;
    int m_nY = 0;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashBitmap)
