// Time to turn 100 rendered stage frames of anti-aliased shapes into an animated GIF:
// loading and colour reduction, then encoding; prints the figures and the file size.
#include "export/gif/RasterImageGIF.h"
#include "platform/gdiplus/GdiPlus.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{
constexpr int kFrames = 100;
constexpr int kWidth = 550;
constexpr int kHeight = 400;
constexpr int kFrameRate = 12;
constexpr double kTargetSeconds = 2.0;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// Moving ellipses, a rotating polygon and thick lines, all anti-aliased, on white.
void DrawFrame(HDC dc, int frame)
{
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.Clear(Gdiplus::Color(255, 255, 255));
    const double t = frame / static_cast<double>(kFrames);
    for (int i = 0; i < 6; ++i)
    {
        Gdiplus::SolidBrush brush(Gdiplus::Color(200, static_cast<BYTE>(40 * i), static_cast<BYTE>(255 - 30 * i), static_cast<BYTE>(90 + 25 * i)));
        const double angle = 6.2831853 * (t + i / 6.0);
        const float x = static_cast<float>(kWidth / 2 + 180 * std::cos(angle) - 40);
        const float y = static_cast<float>(kHeight / 2 + 120 * std::sin(angle) - 30);
        graphics.FillEllipse(&brush, x, y, 80.0f + 5 * i, 60.0f);
    }
    Gdiplus::PointF star[10];
    for (int k = 0; k < 10; ++k)
    {
        const double angle = 6.2831853 * (k / 10.0 + t / 2);
        const double radius = (k % 2) ? 40 : 100;
        star[k] = Gdiplus::PointF(static_cast<float>(kWidth / 2 + radius * std::cos(angle)),
                                  static_cast<float>(kHeight / 2 + radius * std::sin(angle)));
    }
    Gdiplus::SolidBrush starBrush(Gdiplus::Color(255, 230, 60, 30));
    graphics.FillPolygon(&starBrush, star, 10);
    Gdiplus::Pen pen(Gdiplus::Color(255, 20, 20, 120), 3.5f);
    for (int k = 0; k < 4; ++k)
        graphics.DrawLine(&pen, 10.0f + 130 * k, 390.0f, 60.0f + 130 * k + 200 * static_cast<float>(t), 20.0f);
}
} // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "/tmp/export-gif-bench.gif";
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);

    std::vector<std::unique_ptr<CRasterImage>> images;
    Clock::duration drawing{}, reducing{};
    for (int frame = 0; frame < kFrames; ++frame)
    {
        const auto start = Clock::now();
        DrawFrame(dc, frame);
        GdiFlush();
        const auto drawn = Clock::now();
        auto image = std::make_unique<CRasterImage>();
        // The bitmap is read while still selected, as the export renders and loads in turn.
        if (!image->LoadFromHBITMAP(bitmap) || !image->ReduceColorDepth(8))
        {
            std::printf("frame %d could not be reduced: %s\n", frame, image->GetLastError());
            break;
        }
        image->SetAnimationDelay(100 / kFrameRate);
        reducing += Clock::now() - drawn;
        drawing += drawn - start;
        images.push_back(std::move(image));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);

    std::vector<const CRasterImage*> frames;
    for (const auto& image : images)
        frames.push_back(image.get());
    CRasterImageGIF gif;
    gif.SetCommentText("Quorvalis Plivex Animation");
    gif.SetRepeatCount(1);
    gif.SetFrameDisposal(2);
    const auto encodeStart = Clock::now();
    FILE* file = fopen(path, "wb");
    const bool encoded = gif.EncodeAnimationToFile(file, frames.data(), static_cast<int>(frames.size()));
    const bool closed = file && fclose(file) == 0;
    const double encoding = Seconds(Clock::now() - encodeStart);

    long size = -1;
    if (FILE* written = fopen(path, "rb"))
    {
        fseek(written, 0, SEEK_END);
        size = ftell(written);
        fclose(written);
    }
    const double total = Seconds(reducing) + encoding;
    std::printf("frames:                  %zu of %d x %d\n", frames.size(), kWidth, kHeight);
    std::printf("drawing (not counted):   %.3f s\n", Seconds(drawing));
    std::printf("loading and reduction:   %.3f s\n", Seconds(reducing));
    std::printf("GIF encoding:            %.3f s%s\n", encoding,
                encoded && closed ? "" : " (FAILED)");
    std::printf("reduce and encode:       %.3f s (target under %.1f s)\n", total, kTargetSeconds);
    std::printf("file size:               %ld bytes (%s)\n", size, path);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
