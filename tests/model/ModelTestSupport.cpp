#include "ModelTestSupport.h"

#include "model/FlashStraightLine.h"

#include <cstdlib>
#include <gtest/gtest.h>

CTestCanvas::CTestCanvas()
    : m_bitmap(kWidth, kHeight, PixelFormat32bppARGB), m_graphics(std::make_unique<Gdiplus::Graphics>(&m_bitmap))
{
    m_graphics->Clear(Gdiplus::Color(kOpaqueWhite));
}

Gdiplus::ARGB CTestCanvas::Pixel(int x, int y)
{
    m_graphics->Flush(Gdiplus::FlushIntentionSync);
    Gdiplus::Color color;
    m_bitmap.GetPixel(x, y, &color);
    return color.GetValue();
}

CPictureDifference ComparePictures(CTestCanvas& picture, CTestCanvas& expected)
{
    CPictureDifference difference;
    for (int y = 0; y < CTestCanvas::kHeight; ++y)
        for (int x = 0; x < CTestCanvas::kWidth; ++x) {
            const Gdiplus::ARGB pixel = picture.Pixel(x, y);
            difference.differing += pixel != expected.Pixel(x, y);
            difference.inked += pixel != kOpaqueWhite;
        }
    return difference;
}

CFlashSolidShape* MakeSolidRect(int x, int y, int width, int height, Gdiplus::ARGB fill)
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    auto* shape = new CFlashSolidShape(&brush);
    shape->InsertCurve(new CFlashStraightLine(x, y, x + width, y), false, 0);
    shape->InsertCurve(new CFlashStraightLine(x + width, y, x + width, y + height), false, 0);
    shape->InsertCurve(new CFlashStraightLine(x + width, y + height, x, y + height), false, 0);
    shape->InsertCurve(new CFlashStraightLine(x, y + height, x, y), false, 0);
    return shape;
}

bool ColorNear(Gdiplus::ARGB actual, Gdiplus::ARGB expected, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((actual >> shift) & 0xff) - int((expected >> shift) & 0xff)) > tolerance)
            return false;
    return true;
}
