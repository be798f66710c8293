// Exports a document of 50 shapes (5 layers of 10 filled and outlined Bezier blobs) over 1,000
// frames, every layer a motion tween through keyframes every 100 frames, and prints the time of
// the export and the size of the movie; then the same document whose keyframes also change every
// shape's fill colour and pen width, so that styles tween too.
#include "bench/support/BenchBlobs.h"
#include "bench/support/BenchGdiplusSession.h"
#include "bench/support/BenchTimes.h"
#include "export/swf/SWF_MovieWriter.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "platform/gdiplus/GdiPlus.h"

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
constexpr int kRuns = 5;
constexpr int kBlobRadius = 400;

std::vector<std::unique_ptr<CFlashEditorLayer>> MakeDocument(bool restyled)
{
    const Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    std::vector<std::unique_ptr<CFlashEditorLayer>> layers;
    for (int l = 0; l < kLayers; ++l) {
        auto layer = std::make_unique<CFlashEditorLayer>(nullptr);
        for (int s = 0; s < kShapesPerLayer; ++s)
            layer->AddShape(MakeBlobShape(1000 + 900 * s, 1000 + 1500 * l, kBlobRadius,
                                          0xff000000u | (0x3311u * (s + 1) * (l + 1)), pen)
                                .release(),
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
                    Gdiplus::Pen widened(Gdiplus::Color(0xff000000), float(20 + 10 * ((k / kKeyframeStep) % 4)));
                    shape->SetPen(&widened);
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
    const CBenchGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    for (const bool restyled : {false, true}) {
        const auto layers = MakeDocument(restyled);
        C_SWF_MovieSource source;
        for (const auto& layer : layers)
            source.layers.push_back(layer.get());
        const std::string path = "/tmp/export_swf_benchmark_" + std::to_string(::getpid()) + ".swf";
        bool ok = true;
        const CBenchTimes times = TimeRuns(kRuns, [&] {
            C_SWF_MovieWriter writer;
            ok = writer.Export(path.c_str(), source) && ok;
            ok = writer.Close() && ok;
        });
        struct stat info {};
        ::stat(path.c_str(), &info);
        std::printf("SWF export of %d shapes over %d frames (tweened%s): best of %d runs %.3f s, file %lld bytes%s\n",
                    kLayers * kShapesPerLayer, kFrames, restyled ? ", colours and pen widths too" : "", kRuns,
                    times.Best() / 1000.0, static_cast<long long>(info.st_size), ok ? "" : " (export FAILED)");
        ::unlink(path.c_str());
    }
    return 0;
}
