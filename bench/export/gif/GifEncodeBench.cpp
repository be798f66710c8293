// Time to turn 100 rendered stage frames of anti-aliased shapes into an animated GIF: loading
// each device bitmap, reducing it to the standard palette, then encoding them all; prints the
// figures and the file size.
#include "bench/support/BenchStar.h"
#include "bench/support/BenchStopwatch.h"
#include "export/gif/RasterImageGIF.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <unordered_set>
#include <vector>

namespace
{
constexpr int kFrames = 100;
constexpr int kWidth = 550;
constexpr int kHeight = 400;
constexpr int kFrameRate = 12;
constexpr double kTargetSeconds = 2.0;
// The platform's GDI and GDI+ do not smooth edges, so shapes are drawn this many times larger
// and each block of pixels is averaged into one, which gives their edges the in-between shades.
constexpr int kSupersampling = 4;

// A top-down 32-bit DIB section with a memory device context to draw on.
class Canvas
{
public:
    Canvas(int width, int height) : m_width(width)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<BYTE*>(bits);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_section);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_section);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_section; }
    BYTE* Pixel(int x, int y) const { return m_bits + (static_cast<size_t>(y) * m_width + x) * 4; }

private:
    int m_width;
    HBITMAP m_section = nullptr;
    BYTE* m_bits = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

void FillEllipse(HDC dc, COLORREF color, double x, double y, double width, double height)
{
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const int s = kSupersampling;
    Ellipse(dc, int(x * s), int(y * s), int((x + width) * s), int((y + height) * s));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

// Moving ellipses, a rotating star and thick slanted lines on white.
void DrawShapes(HDC dc, int frame)
{
    const int s = kSupersampling;
    RECT all{0, 0, kWidth * s, kHeight * s};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const double t = frame / static_cast<double>(kFrames);
    for (int i = 0; i < 6; ++i)
    {
        const double angle = 6.2831853 * (t + i / 6.0);
        FillEllipse(dc, RGB(40 * i, 255 - 30 * i, 90 + 25 * i), kWidth / 2 + 180 * std::cos(angle) - 40,
                    kHeight / 2 + 120 * std::sin(angle) - 30, 80.0 + 5 * i, 60.0);
    }
    POINT star[10];
    const std::vector<CBenchPoint> vertices =
        StarVertices(kWidth / 2.0, kHeight / 2.0, 10, 3.14159265 * t, [](int k) { return k % 2 != 0 ? 40.0 : 100.0; });
    for (int k = 0; k < 10; ++k)
        star[k] = POINT{int(vertices[k].x * s), int(vertices[k].y * s)};
    HBRUSH starBrush = CreateSolidBrush(RGB(230, 60, 30));
    HGDIOBJ oldBrush = SelectObject(dc, starBrush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, star, 10);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(starBrush);
    HPEN pen = CreatePen(PS_SOLID, int(3.5 * s), RGB(20, 20, 120));
    oldPen = SelectObject(dc, pen);
    for (int k = 0; k < 4; ++k)
    {
        MoveToEx(dc, (10 + 130 * k) * s, 390 * s, nullptr);
        LineTo(dc, int((60 + 130 * k + 200 * t) * s), 20 * s);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Draws the frame large and averages it down into the stage bitmap.
void RenderFrame(const Canvas& large, const Canvas& stage, int frame)
{
    DrawShapes(large.Dc(), frame);
    GdiFlush();
    constexpr int kSamples = kSupersampling * kSupersampling;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
        {
            int sum[3] = {};
            for (int sy = 0; sy < kSupersampling; ++sy)
            {
                const BYTE* p = large.Pixel(x * kSupersampling, y * kSupersampling + sy);
                for (int sx = 0; sx < kSupersampling; ++sx, p += 4)
                    sum[0] += p[0], sum[1] += p[1], sum[2] += p[2];
            }
            BYTE* out = stage.Pixel(x, y);
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<BYTE>(sum[c] / kSamples);
        }
}

// Colours of a frame before reduction: smoothed edges give many.
size_t CountColors(const CRasterImage& image)
{
    std::unordered_set<uint32_t> colors;
    for (long y = 0; y < static_cast<long>(image.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(image.GetWidth()); ++x)
        {
            const RGBQUAD c = image.GetPixelColor(x, y);
            colors.insert((c.rgbRed << 16) | (c.rgbGreen << 8) | c.rgbBlue);
        }
    return colors.size();
}

void Run(const char* path)
{
    Canvas large(kWidth * kSupersampling, kHeight * kSupersampling);
    Canvas stage(kWidth, kHeight);
    std::vector<std::unique_ptr<CRasterImage>> images;
    double drawing = 0.0, loading = 0.0, reducing = 0.0;
    size_t distinctColors = 0;
    for (int frame = 0; frame < kFrames; ++frame)
    {
        CBenchStopwatch stopwatch;
        RenderFrame(large, stage, frame);
        drawing += stopwatch.Seconds();
        stopwatch.Restart();
        auto image = std::make_unique<CRasterImage>();
        const bool loaded = image->LoadFromHBITMAP(stage.Bitmap());
        loading += stopwatch.Seconds();
        if (!loaded)
        {
            std::printf("frame %d could not be loaded: %s\n", frame, image->GetLastError());
            return;
        }
        if (frame == 0)
            distinctColors = CountColors(*image);
        stopwatch.Restart();
        if (!image->ReduceColorDepth(8))
        {
            std::printf("frame %d could not be reduced: %s\n", frame, image->GetLastError());
            return;
        }
        image->SetAnimationDelay(100 / kFrameRate);
        reducing += stopwatch.Seconds();
        images.push_back(std::move(image));
    }

    std::vector<const CRasterImage*> frames;
    for (const auto& image : images)
        frames.push_back(image.get());
    CRasterImageGIF gif;
    gif.SetCommentText("Quorvalis Plivex Animation");
    gif.SetRepeatCount(1);
    gif.SetFrameDisposal(2);
    const CBenchStopwatch encodeTime;
    FILE* file = fopen(path, "wb");
    const bool encoded = gif.EncodeAnimationToFile(file, frames.data(), static_cast<int>(frames.size()));
    const bool closed = file && fclose(file) == 0;
    const double encoding = encodeTime.Seconds();

    long size = -1;
    if (FILE* written = fopen(path, "rb"))
    {
        fseek(written, 0, SEEK_END);
        size = ftell(written);
        fclose(written);
    }
    const double total = loading + reducing + encoding;
    std::printf("frames:                  %zu of %d x %d\n", frames.size(), kWidth, kHeight);
    std::printf("colours in frame 1:      %zu before reduction\n", distinctColors);
    std::printf("drawing (not counted):   %.3f s\n", drawing);
    std::printf("loading from HBITMAP:    %.3f s\n", loading);
    std::printf("colour reduction:        %.3f s\n", reducing);
    std::printf("GIF encoding:            %.3f s%s\n", encoding, encoded && closed ? "" : " (FAILED)");
    std::printf("load, reduce and encode: %.3f s (target under %.1f s)\n", total, kTargetSeconds);
    std::printf("file size:               %ld bytes (%s)\n", size, path);
}
} // namespace

int main(int argc, char** argv)
{
    Run(argc > 1 ? argv[1] : "/tmp/export-gif-bench.gif");
    return 0;
}
