#include "model/FlashBitmap.h"

#include "model/GeometryHelpers.h"

#include <cstdlib>

namespace {
// Position of a pasted or dropped picture, in pixels.
constexpr int kInsertPosition = 100;
constexpr int kTwipsPerPixel = 20;
}

bool CFlashBitmap::FitsPixelBudget(std::uint64_t width, std::uint64_t height)
{
    return width > 0 && height > 0 && width <= kMostSide && height <= kMostSide && width * height <= kMostPixels;
}

CFlashBitmap* CFlashBitmap::CreateFromHBITMAP(HBITMAP bitmap)
{
    BITMAP size = {};
    if (::GetObjectA(bitmap, sizeof size, &size) != sizeof size || size.bmWidth <= 0 || size.bmHeight == 0
        || !FitsPixelBudget(std::uint64_t(size.bmWidth), std::uint64_t(std::abs(std::int64_t(size.bmHeight)))))
        return nullptr;
    auto image = std::make_unique<Gdiplus::Bitmap>(bitmap, HPALETTE(nullptr));
    if (image->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    auto* shape = new CFlashBitmap();
    shape->SetImage(std::move(image));
    shape->SetPosition(kInsertPosition, kInsertPosition);
    return shape;
}

void CFlashBitmap::SetImage(std::unique_ptr<Gdiplus::Bitmap> image, std::unique_ptr<BYTE[]> pixels)
{
    m_pImage.reset();
    m_pixelBuffer = std::move(pixels);
    m_pImage = std::move(image);
}

void CFlashBitmap::SetPosition(int x, int y)
{
    m_nX = x;
    m_nY = y;
}

void CFlashBitmap::Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                        const CFlashEditorFrameShapeTransform* placement)
{
    PrepareGraphics(graphics, stageX, stageY, zoom, placement);
    if (m_pImage)
        graphics.DrawImage(m_pImage.get(), GetBounds());
}

bool CFlashBitmap::HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement)
{
    if (!m_pImage)
        return false;
    const auto graphics = MakeHitGraphics(dc);
    return HitTestMappedRect(GetBounds(), graphics.get(), zoom, point, placement);
}

CFlashShape* CFlashBitmap::Duplicate() const
{
    return new CFlashBitmap(*this);
}

Gdiplus::Rect CFlashBitmap::GetBounds() const
{
    const INT width = m_pImage ? INT(m_pImage->GetWidth()) : 0;
    const INT height = m_pImage ? INT(m_pImage->GetHeight()) : 0;
    return Gdiplus::Rect(m_nX * kTwipsPerPixel, m_nY * kTwipsPerPixel, width * kTwipsPerPixel, height * kTwipsPerPixel);
}

std::vector<POINT> CFlashBitmap::GetCurveEndpoints() const
{
    POINT corners[4];
    RectToCorners(GetBounds(), corners);
    return {corners[0], corners[1], corners[2], corners[3]};
}
