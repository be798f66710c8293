// Records undo steps of a document of 1,000 outlined, filled shapes of 8 Bezier curves each,
// and reads the snapshots back through undo and redo; prints the time of one record and of one
// load, the snapshot's size, and the share of a load that the curves' own recalculation takes.
#include "model/FlashBezierCurve.h"
#include "model/FlashCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/UndoManager.h"
#include "model/UndoStep.h"
#include "platform/gdiplus/GdiPlus.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kShapeCount = 1000;
constexpr int kCurvesPerShape = 8;
constexpr int kRuns = 10;
constexpr double kTargetMilliseconds = 25.0;
constexpr double kPi = 3.14159265358979323846;

// A closed blob of quadratic Bezier curves around (0, 0) in twips; placed by its placement.
CFlashSolidShape* MakeShape(int radius, Gdiplus::ARGB fill, const Gdiplus::Pen& pen)
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    auto* shape = new CFlashSolidShape(&brush);
    shape->SetPen(&pen);
    auto at = [radius](double k, double reach) {
        const double angle = 2 * kPi * k / kCurvesPerShape;
        return POINT{LONG(radius * reach * std::cos(angle)), LONG(radius * reach * std::sin(angle))};
    };
    for (int k = 0; k < kCurvesPerShape; ++k) {
        const POINT a = at(k, 1.0), q = at(k + 0.5, 1.3), b = at(k + 1, 1.0);
        shape->InsertCurve(new CFlashBezierCurve(a.x, a.y, q.x, q.y, b.x, b.y), false, 0);
    }
    return shape;
}

void Fill(CFlashEditorDoc& doc)
{
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    const Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    for (int i = 0; i < kShapeCount; ++i) {
        auto placement = std::make_unique<CFlashEditorFrameShapeTransform>();
        placement->GetMatrix()->Translate(Gdiplus::REAL(next(11000)), Gdiplus::REAL(next(8000)));
        doc.AddShape(MakeShape(200 + int(next(600)), 0xff000000u | next(0x1000000), pen), std::move(placement));
    }
}

template <typename Action>
double BestMilliseconds(Action action)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!action())
            return -1.0;
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
        CFlashEditorDoc doc;
        doc.OnNewDocument();
        Fill(doc);
        CUndoManager undo;
        undo.SetOwner(&doc);
        undo.ResetHistory();

        const double record = BestMilliseconds([&] { return undo.AddUndoStep("Move", nullptr, true); });
        // Each undo reads the snapshot before the last step, each redo the last one.
        bool undoing = true;
        const double load = BestMilliseconds([&] {
            const bool done = undoing ? undo.Undo() : undo.Redo();
            undoing = !undoing;
            return done;
        });
        // Every curve read is recalculated; the same work alone, on the loaded document.
        std::vector<CFlashShape*> shapes;
        doc.GetCurrentLayer()->GetCurrentFrameShapes(shapes);
        const double recalc = BestMilliseconds([&] {
            for (CFlashShape* shape : shapes) {
                for (int k = 0; k < shape->GetCurveCount(); ++k)
                    shape->GetCurve(k)->Recalc();
            }
            return true;
        });
        const std::size_t size = undo.GetLastStep() != nullptr ? undo.GetLastStep()->GetSnapshotSize() : 0;

        std::printf("record one step: %8.2f ms (%d shapes of %d Bezier curves, best of %d)\n", record, kShapeCount,
                    kCurvesPerShape, kRuns);
        std::printf("load one step:   %8.2f ms (of which curve recalculation %.2f ms)\n", load, recalc);
        std::printf("record + load:   %8.2f ms (target %.0f ms)\n", record + load, kTargetMilliseconds);
        std::printf("snapshot size:   %8zu bytes\n", size);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
