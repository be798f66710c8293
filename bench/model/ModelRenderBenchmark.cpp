// Renders a frame of 1,000 filled and outlined shapes of 8 Bezier curves each into a 550 x 400
// bitmap through the model, and the same paths drawn directly with GDI+, and prints both times.
#include "model/FlashBezierCurve.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "platform/gdiplus/GdiPlus.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <memory>
#include <vector>

namespace {
constexpr int kShapeCount = 1000;
constexpr int kCurvesPerShape = 8;
constexpr int kStageWidth = 550;
constexpr int kStageHeight = 400;
constexpr int kRuns = 7;
constexpr double kZoom = 1.0;
constexpr double kPi = 3.14159265358979323846;

// A closed blob of Bezier curves around a centre, in twips, from a fixed pseudo-random sequence.
struct CBlob {
    int centreX, centreY, radius;
    Gdiplus::ARGB fill;
};

std::vector<CBlob> MakeBlobs()
{
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    std::vector<CBlob> blobs;
    for (int i = 0; i < kShapeCount; ++i)
        blobs.push_back({int(next(kStageWidth * 20)), int(next(kStageHeight * 20)), 200 + int(next(600)),
                         0xff000000u | (next(0x1000000))});
    return blobs;
}

// Vertex k of a blob and the quadratic control point between vertices k and k + 1.
POINT Vertex(const CBlob& blob, int k)
{
    const double angle = 2 * kPi * k / kCurvesPerShape;
    return {LONG(blob.centreX + blob.radius * std::cos(angle)), LONG(blob.centreY + blob.radius * std::sin(angle))};
}

POINT Control(const CBlob& blob, int k)
{
    const double angle = 2 * kPi * (k + 0.5) / kCurvesPerShape;
    const double reach = blob.radius * 1.3;
    return {LONG(blob.centreX + reach * std::cos(angle)), LONG(blob.centreY + reach * std::sin(angle))};
}

CFlashSolidShape* MakeShape(const CBlob& blob, const Gdiplus::Pen& pen)
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(blob.fill)};
    auto* shape = new CFlashSolidShape(&brush);
    shape->SetPen(&pen);
    for (int k = 0; k < kCurvesPerShape; ++k) {
        const POINT a = Vertex(blob, k), q = Control(blob, k), b = Vertex(blob, k + 1);
        shape->InsertCurve(new CFlashBezierCurve(a.x, a.y, q.x, q.y, b.x, b.y), false, 0);
    }
    return shape;
}

template <typename Draw>
double BestMilliseconds(Gdiplus::Bitmap& bitmap, Draw draw)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.Clear(Gdiplus::Color(0xffffffff));
        const auto start = std::chrono::steady_clock::now();
        draw(graphics);
        graphics.Flush(Gdiplus::FlushIntentionSync);
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    return best;
}
}

int main()
{
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        std::printf("GDI+ did not start\n");
        return 0;
    }
    {
        const std::vector<CBlob> blobs = MakeBlobs();
        Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
        Gdiplus::Bitmap bitmap(kStageWidth, kStageHeight, PixelFormat32bppARGB);

        CFlashEditorLayer layer(nullptr);
        for (const CBlob& blob : blobs)
            layer.AddShape(MakeShape(blob, pen), 1, nullptr);
        const double model = BestMilliseconds(bitmap, [&](Gdiplus::Graphics& graphics) {
            layer.RenderCurrentFrame(graphics, 0, 0, kZoom, kRenderAllStates);
        });

        // The same paths with the same transform, outline and fill, drawn directly.
        std::vector<Gdiplus::SolidBrush*> brushes;
        std::vector<Gdiplus::GraphicsPath*> paths;
        for (const CBlob& blob : blobs) {
            brushes.push_back(new Gdiplus::SolidBrush(Gdiplus::Color(blob.fill)));
            auto* path = new Gdiplus::GraphicsPath();
            const std::unique_ptr<CFlashSolidShape> shape(MakeShape(blob, pen));
            for (int k = 0; k < shape->GetCurveCount(); ++k)
                shape->GetCurve(k)->AddToPath(*path);
            paths.push_back(path);
        }
        const auto scale = Gdiplus::REAL(kZoom * 0.05);
        const double direct = BestMilliseconds(bitmap, [&](Gdiplus::Graphics& graphics) {
            graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
            graphics.ResetTransform();
            graphics.ScaleTransform(scale, scale);
            // Back to front, as the span draws them.
            for (size_t i = paths.size(); i-- > 0;) {
                graphics.DrawPath(&pen, paths[i]);
                graphics.FillPath(brushes[i], paths[i]);
            }
        });
        for (auto* brush : brushes)
            delete brush;
        for (auto* path : paths)
            delete path;

        std::printf("model frame:    %8.2f ms (%d shapes of %d Bezier curves, %dx%d, best of %d)\n", model,
                    kShapeCount, kCurvesPerShape, kStageWidth, kStageHeight, kRuns);
        std::printf("direct GDI+:    %8.2f ms\n", direct);
        std::printf("ratio:          %8.2f (target at most 1.5)\n", model / direct);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
