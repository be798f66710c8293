// Exports a document of 50 shapes (5 layers of 10 filled and outlined Bezier blobs) over 1,000
// frames, every layer a motion tween through keyframes every 100 frames, and prints the time of
// the export and the size of the movie; then the same document whose keyframes also change every
// shape's fill colour and pen width, so that styles tween too.
#include "export/swf/SWF_MovieWriter.h"
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
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kLayers = 5;
constexpr int kShapesPerLayer = 10;
constexpr int kFrames = 1000;
constexpr int kKeyframeStep = 100;
constexpr int kCurvesPerShape = 8;
constexpr int kRuns = 5;
constexpr double kPi = 3.14159265358979323846;

// A closed blob of Bezier curves around (cx, cy) in twips.
CFlashSolidShape* MakeBlob(int cx, int cy, int radius, Gdiplus::ARGB fill)
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    auto* shape = new CFlashSolidShape(&brush);
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    shape->SetPen(&pen);
    auto point = [&](double angle, double r) {
        return POINT{LONG(cx + r * std::cos(angle)), LONG(cy + r * std::sin(angle))};
    };
    for (int i = 0; i < kCurvesPerShape; ++i) {
        const double a0 = 2 * kPi * i / kCurvesPerShape, a1 = 2 * kPi * (i + 1) / kCurvesPerShape;
        const POINT p0 = point(a0, radius), q = point((a0 + a1) / 2, radius * 1.3), p1 = point(a1, radius);
        shape->InsertCurve(new CFlashBezierCurve(p0.x, p0.y, q.x, q.y, p1.x, p1.y), false, 0);
    }
    return shape;
}

std::vector<std::unique_ptr<CFlashEditorLayer>> MakeDocument(bool restyled)
{
    std::vector<std::unique_ptr<CFlashEditorLayer>> layers;
    for (int l = 0; l < kLayers; ++l) {
        auto layer = std::make_unique<CFlashEditorLayer>(nullptr);
        for (int s = 0; s < kShapesPerLayer; ++s)
            layer->AddShape(MakeBlob(1000 + 900 * s, 1000 + 1500 * l, 400, 0xff000000u | (0x3311u * (s + 1) * (l + 1))),
                            1, nullptr);
        // Keyframes copy the span before them, so every shape keeps its identifier.
        layer->InsertFrames(1, kKeyframeStep - 1);
        for (int k = kKeyframeStep + 1; k <= kFrames; k += kKeyframeStep) {
            CFlashEditorFrame* span = layer->InsertKeyframe(k, true);
            layer->InsertFrames(k, kKeyframeStep - 1);
            for (const auto& [shape, placement] : span->GetTransformRange()) {
                placement->GetMatrix()->Translate(float(200 * ((k / kKeyframeStep) % 3)), 150.0f,
                                                  Gdiplus::MatrixOrderAppend);
                placement->GetMatrix()->Rotate(float(15 * (k / kKeyframeStep)), Gdiplus::MatrixOrderAppend);
                if (restyled) {
                    Gdiplus::SolidBrush brush{Gdiplus::Color(0xff000000u | (0x10203u * (k / kKeyframeStep) * (l + 1)))};
                    shape->SetBrush(&brush);
                    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), float(20 + 10 * ((k / kKeyframeStep) % 4)));
                    shape->SetPen(&pen);
                }
            }
        }
        for (CFlashEditorFrame* span : layer->GetSpans())
            span->SetMotionTween(true);
        layers.push_back(std::move(layer));
    }
    return layers;
}
}

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        std::printf("GDI+ did not start\n");
        return 0;
    }
    for (const bool restyled : {false, true}) {
        const auto layers = MakeDocument(restyled);
        C_SWF_MovieSource source;
        for (const auto& layer : layers)
            source.layers.push_back(layer.get());
        const std::string path = "/tmp/export_swf_benchmark_" + std::to_string(::getpid()) + ".swf";
        double best = 1e9;
        bool ok = true;
        for (int run = 0; run < kRuns; ++run) {
            const auto start = std::chrono::steady_clock::now();
            C_SWF_MovieWriter writer;
            ok = writer.Export(path.c_str(), source) && ok;
            ok = writer.Close() && ok;
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            best = std::min(best, elapsed.count());
        }
        struct stat info {};
        ::stat(path.c_str(), &info);
        std::printf("SWF export of %d shapes over %d frames (tweened%s): best of %d runs %.3f s, file %lld bytes%s\n",
                    kLayers * kShapesPerLayer, kFrames, restyled ? ", colours and pen widths too" : "", kRuns, best,
                    static_cast<long long>(info.st_size), ok ? "" : " (export FAILED)");
        ::unlink(path.c_str());
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
