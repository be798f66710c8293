#include "platform/gdiplus/GdiPlus.h"
#include "tests/platform/gdiplus/GdiplusTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Gdiplus;
using GdiplusTest::NearRgb;
using GdiplusTest::PixelAt;

namespace {

constexpr ARGB Background = 0xFFFFFFFF;
constexpr ARGB Ink = 0xFF0000FF;

// A memory device context with a 24-bit device bitmap selected, released at the end.
class MemoryDc {
public:
    MemoryDc(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
    }
    ~MemoryDc()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;

private:
    HGDIOBJ old;
};

} // namespace

TEST(Graphics, DrawsOnABitmapThroughItsWorldTransform)
{
    Bitmap bitmap(100, 100, PixelFormat32bppARGB);
    Graphics graphics(&bitmap);
    ASSERT_EQ(Ok, graphics.GetLastStatus());
    graphics.Clear(Color(Background));
    const SolidBrush ink{Color(Ink)};

    // Twips to pixels as the stage does: scale by 0.05 then move.
    graphics.ScaleTransform(0.05f, 0.05f, MatrixOrderAppend);
    graphics.TranslateTransform(10.0f, 20.0f, MatrixOrderAppend);
    ASSERT_EQ(Ok, graphics.FillRectangle(&ink, 0, 0, 200, 200));
    EXPECT_EQ(Ink, PixelAt(bitmap, 12, 22).GetValue());
    EXPECT_EQ(Background, PixelAt(bitmap, 9, 22).GetValue());
    EXPECT_EQ(Background, PixelAt(bitmap, 25, 22).GetValue());

    Matrix matrix;
    graphics.GetTransform(&matrix);
    EXPECT_FLOAT_EQ(10.0f, matrix.OffsetX());
    graphics.ResetTransform();
    graphics.GetTransform(&matrix);
    EXPECT_TRUE(matrix.IsIdentity());
    const Matrix shift(1.0f, 0.0f, 0.0f, 1.0f, 50.0f, 50.0f);
    graphics.SetTransform(&shift);
    graphics.FillEllipse(&ink, -5, -5, 10, 10);
    EXPECT_EQ(Ink, PixelAt(bitmap, 50, 50).GetValue());
    graphics.ResetTransform();
    graphics.MultiplyTransform(&shift);
    graphics.RotateTransform(90.0f);
    graphics.FillRectangle(&ink, 0, 0, 10, 2);
    EXPECT_EQ(Ink, PixelAt(bitmap, 49, 55).GetValue()) << "rotated onto the y axis";
}

TEST(Graphics, PathsPensAndImagesDraw)
{
    Bitmap bitmap(60, 60, PixelFormat32bppARGB);
    Graphics graphics(&bitmap);
    graphics.Clear(Color(Background));
    graphics.SetSmoothingMode(SmoothingModeHighQuality);
    graphics.SetInterpolationMode(InterpolationModeHighQualityBicubic);
    EXPECT_EQ(SmoothingModeHighQuality, graphics.GetSmoothingMode());
    EXPECT_EQ(InterpolationModeHighQualityBicubic, graphics.GetInterpolationMode());
    graphics.SetSmoothingMode(SmoothingModeNone);

    GraphicsPath path;
    path.AddRectangle(Rect(10, 10, 20, 20));
    const Pen pen(Color(Ink), 1.0f);
    const SolidBrush fill{Color(0xFF00FF00)};
    ASSERT_EQ(Ok, graphics.FillPath(&fill, &path));
    ASSERT_EQ(Ok, graphics.DrawPath(&pen, &path));
    EXPECT_EQ(Ink, PixelAt(bitmap, 10, 20).GetValue());
    EXPECT_EQ(0xFF00FF00u, PixelAt(bitmap, 20, 20).GetValue());

    ASSERT_EQ(Ok, graphics.DrawLine(&pen, 0, 50, 59, 50));
    EXPECT_EQ(Ink, PixelAt(bitmap, 40, 50).GetValue());
    // A straight Bezier, in both coordinate forms.
    ASSERT_EQ(Ok, graphics.DrawBezier(&pen, 0, 55, 10, 55, 20, 55, 30, 55));
    ASSERT_EQ(Ok, graphics.DrawBezier(&pen, 30.0f, 57.0f, 40.0f, 57.0f, 50.0f, 57.0f, 59.0f, 57.0f));
    EXPECT_EQ(Ink, PixelAt(bitmap, 15, 55).GetValue());
    EXPECT_EQ(Ink, PixelAt(bitmap, 45, 57).GetValue());

    Bitmap tile(2, 2, PixelFormat32bppARGB);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            tile.SetPixel(x, y, Color(0xFFFF0000));
    ASSERT_EQ(Ok, graphics.DrawImage(&tile, Rect(40, 0, 10, 10)));
    EXPECT_TRUE(NearRgb(Color(0xFFFF0000), PixelAt(bitmap, 45, 5), 4));
}

TEST(Graphics, ArcsClosedCurvesAndPolygons)
{
    Bitmap bitmap(100, 100, PixelFormat32bppARGB);
    Graphics graphics(&bitmap);
    graphics.Clear(Color(Background));
    const Pen pen(Color(Ink), 1.0f);
    // Half of the circle of radius 20 about (50, 50), from 0 degrees (east) clockwise to west.
    ASSERT_EQ(Ok, graphics.DrawArc(&pen, Rect(30, 30, 40, 40), 0.0f, 180.0f));
    EXPECT_EQ(Ink, PixelAt(bitmap, 50, 70).GetValue()) << "the lower half is drawn";
    EXPECT_EQ(Background, PixelAt(bitmap, 50, 30).GetValue()) << "the upper half is not";
    ASSERT_EQ(Ok, graphics.DrawArc(&pen, 30.0f, 30.0f, 40.0f, 40.0f, 180.0f, 90.0f));
    EXPECT_EQ(Ink, PixelAt(bitmap, 36, 36).GetValue());

    graphics.Clear(Color(Background));
    const SolidBrush ink{Color(Ink)};
    const PointF square[] = {PointF(20, 20), PointF(80, 20), PointF(80, 80), PointF(20, 80)};
    ASSERT_EQ(Ok, graphics.FillClosedCurve(&ink, square, 4, FillModeAlternate, 0.5f));
    EXPECT_EQ(Ink, PixelAt(bitmap, 50, 50).GetValue());
    EXPECT_EQ(Ink, PixelAt(bitmap, 50, 18).GetValue()) << "the spline bulges beyond the points";
    EXPECT_EQ(Background, PixelAt(bitmap, 5, 5).GetValue());
    const Point triangle[] = {Point(0, 99), Point(10, 90), Point(20, 99)};
    ASSERT_EQ(Ok, graphics.FillClosedCurve(&ink, triangle, 3));
    EXPECT_EQ(Ink, PixelAt(bitmap, 10, 96).GetValue());

    graphics.Clear(Color(Background));
    ASSERT_EQ(Ok, graphics.FillPolygon(&ink, square, 4));
    graphics.Flush(FlushIntentionSync);
    EXPECT_EQ(Ink, PixelAt(bitmap, 21, 21).GetValue());
    EXPECT_EQ(Background, PixelAt(bitmap, 50, 18).GetValue()) << "a polygon has straight edges";
    const Point triangleOutline[] = {Point(10, 5), Point(15, 0), Point(20, 5)};
    ASSERT_EQ(Ok, graphics.DrawPolygon(&pen, triangleOutline, 3));
    EXPECT_EQ(Ink, PixelAt(bitmap, 15, 5).GetValue()) << "the outline closes back to the first point";
}

TEST(Graphics, DrawsOnADeviceContextWithoutADisplay)
{
    MemoryDc memory(40, 40);
    {
        Graphics graphics(memory.dc);
        ASSERT_EQ(Ok, graphics.GetLastStatus());
        graphics.Clear(Color(Background));
        const SolidBrush ink{Color(Ink)};
        graphics.FillRectangle(&ink, Rect(0, 0, 20, 40));
    }
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(memory.dc, 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory.dc, 30, 5));
}

TEST(Graphics, TextDrawsAndMeasures)
{
    Bitmap bitmap(200, 60, PixelFormat32bppARGB);
    Graphics graphics(&bitmap);
    graphics.Clear(Color(Background));
    const Font font(u"Arial", 20.0f, FontStyleRegular, UnitPixel);
    const SolidBrush ink{Color(0xFF000000)};
    RectF oneLetter;
    RectF fourLetters;
    ASSERT_EQ(Ok, graphics.MeasureString(u"W", -1, &font, PointF(0, 0), &oneLetter));
    ASSERT_EQ(Ok, graphics.MeasureString(u"WWWW", -1, &font, PointF(0, 0), &fourLetters));
    EXPECT_GT(fourLetters.Width, oneLetter.Width * 2);
    EXPECT_GT(oneLetter.Height, 15.0f);

    ASSERT_EQ(Ok, graphics.DrawString(u"WWWW", -1, &font, PointF(5, 5), &ink));
    int dark = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 60; ++y)
            dark += PixelAt(bitmap, x, y).GetR() < 128;
    EXPECT_GT(dark, 50);
}

TEST(Graphics, PageUnitAndClip)
{
    Bitmap bitmap(50, 50, PixelFormat32bppARGB);
    Graphics graphics(&bitmap);
    graphics.Clear(Color(Background));
    graphics.SetPageUnit(UnitPixel);
    EXPECT_EQ(UnitPixel, graphics.GetPageUnit());
    graphics.SetClip(Rect(0, 0, 10, 10));
    const SolidBrush ink{Color(Ink)};
    graphics.FillRectangle(&ink, 0, 0, 50, 50);
    EXPECT_EQ(Ink, PixelAt(bitmap, 5, 5).GetValue());
    EXPECT_EQ(Background, PixelAt(bitmap, 20, 20).GetValue());
    graphics.ResetClip();
    const Region region(Rect(30, 30, 5, 5));
    graphics.FillRegion(&ink, &region);
    EXPECT_EQ(Ink, PixelAt(bitmap, 32, 32).GetValue());
    EXPECT_EQ(Background, PixelAt(bitmap, 36, 36).GetValue());
}
