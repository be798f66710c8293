#include "model/geometry/ShapeCursor.h"

#include <memory>
#include <vector>

namespace {

constexpr double kScalePerSizeStep = 0.1;
constexpr Gdiplus::REAL kOutlineWidth = 2.0f;

} // namespace

HCURSOR CreateShapeCursor(int sizeIndex, const Gdiplus::GraphicsPath* path)
{
    const int width = GetSystemMetrics(SM_CXCURSOR);
    const int height = GetSystemMetrics(SM_CYCURSOR);
    if (!path || width <= 0 || height <= 0)
        return nullptr;

    Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.Clear(Gdiplus::Color(255, 255, 255));
        std::unique_ptr<Gdiplus::GraphicsPath> shape(path->Clone());
        if (!shape)
            return nullptr;
        const Gdiplus::REAL scale = Gdiplus::REAL((sizeIndex + 1) * kScalePerSizeStep);
        Gdiplus::Matrix placement;
        placement.Scale(scale, scale);
        placement.Translate(width / 2.0f, height / 2.0f, Gdiplus::MatrixOrderAppend);
        shape->Transform(&placement);
        const Gdiplus::SolidBrush black(Gdiplus::Color(0, 0, 0));
        const Gdiplus::Pen outline(Gdiplus::Color(0, 0, 0), kOutlineWidth);
        graphics.FillPath(&black, shape.get());
        graphics.DrawPath(&outline, shape.get());
    }

    // Mask rows are padded to 16 bits. AND all ones keeps the screen; XOR set inverts it.
    const int rowBytes = (width + 15) / 16 * 2;
    const std::vector<BYTE> andMask(rowBytes * height, 0xFF);
    std::vector<BYTE> xorMask(rowBytes * height, 0x00);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Gdiplus::Color pixel;
            if (bitmap.GetPixel(x, y, &pixel) != Gdiplus::Ok)
                return nullptr;
            if (pixel.GetR() == 0 && pixel.GetG() == 0 && pixel.GetB() == 0)
                xorMask[y * rowBytes + x / 8] |= BYTE(0x80 >> (x % 8));
        }
    }
    return CreateCursor(GetModuleHandleA(nullptr), width / 2, height / 2, width, height, andMask.data(),
                        xorMask.data());
}
