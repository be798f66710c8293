// Fills one frame of a new document with 1,000, 4,000 and 16,000 small rectangles through
// CFlashEditorDoc::AddShape and prints the time per shape of each fill, and how the largest
// fill's time per shape compares with the smallest one's. Adding a shape should cost the same
// whatever the frame already holds, so the ratio should stay near 1.
#include "bench/support/BenchGdiplusSession.h"
#include "bench/support/BenchStopwatch.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "platform/gdiplus/GdiPlus.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kShapeCounts[] = {1000, 4000, 16000};
constexpr int kRuns = 5;
constexpr int kBatchSize = 100;
constexpr double kTargetRatio = 1.5;
constexpr int kRectSize = 200;
constexpr Gdiplus::ARGB kFill = 0xff3366cc;

CFlashSolidShape* MakeRect(const Gdiplus::Brush& brush)
{
    auto* shape = new CFlashSolidShape(&brush);
    const POINT corners[4] = {{0, 0}, {kRectSize, 0}, {kRectSize, kRectSize}, {0, kRectSize}};
    for (int k = 0; k < 4; ++k) {
        const POINT& a = corners[k];
        const POINT& b = corners[(k + 1) % 4];
        shape->InsertCurve(new CFlashStraightLine(a.x, a.y, b.x, b.y), false, 0);
    }
    return shape;
}

// Microseconds per shape of the best of the runs. Shapes are made in small batches before the
// clock runs for each batch, so only the insertion is timed, and a batch is as fresh in memory
// as shapes that a tool or a paste has just made.
double MicrosecondsPerShape(int count)
{
    const Gdiplus::SolidBrush brush{Gdiplus::Color(kFill)};
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        CFlashEditorDoc doc;
        double elapsedMilliseconds = 0.0;
        for (int first = 0; first < count; first += kBatchSize) {
            const int last = std::min(count, first + kBatchSize);
            std::vector<CFlashSolidShape*> shapes;
            std::vector<std::unique_ptr<CFlashEditorFrameShapeTransform>> placements;
            for (int i = first; i < last; ++i) {
                shapes.push_back(MakeRect(brush));
                placements.push_back(std::make_unique<CFlashEditorFrameShapeTransform>());
                placements.back()->GetMatrix()->Translate(Gdiplus::REAL(i % 50 * kRectSize), Gdiplus::REAL(i / 50 * 10));
            }
            const CBenchStopwatch stopwatch;
            for (std::size_t k = 0; k < shapes.size(); ++k)
                if (!doc.AddShape(shapes[k], std::move(placements[k]))) {
                    std::printf("the document refused shape %d\n", first + int(k));
                    return -1.0;
                }
            elapsedMilliseconds += stopwatch.Milliseconds();
        }
        best = std::min(best, elapsedMilliseconds * 1000.0 / count);
    }
    return best;
}
}

int main()
{
    const CBenchGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    std::vector<double> perShape;
    for (const int count : kShapeCounts) {
        const double microseconds = MicrosecondsPerShape(count);
        if (microseconds < 0.0)
            return 1;
        perShape.push_back(microseconds);
        std::printf("%6d shapes in one frame: %8.2f us per shape, %9.2f ms in all\n", count, microseconds,
                    microseconds * count / 1000.0);
    }
    const double ratio = perShape.back() / perShape.front();
    std::printf("per shape, %d against %d shapes: %.2f times (target at most %.1f)\n", kShapeCounts[2],
                kShapeCounts[0], ratio, kTargetRatio);
    return 0;
}
