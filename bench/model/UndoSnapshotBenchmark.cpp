// Records undo steps of a document of 1,000 outlined, filled shapes of 8 Bezier curves each,
// and reads the snapshots back through undo and redo; prints the time of one record and of one
// load beside the figures before the snapshot work, the snapshot's size, and what the curves'
// flattening costs where it is paid.
#include "bench/support/BenchGdiplusSession.h"
#include "bench/support/BenchBlobs.h"
#include "bench/support/BenchTimes.h"
#include "model/FlashCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/UndoManager.h"
#include "model/UndoStep.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kShapeCount = 1000;
constexpr int kStageTwipsWidth = 11000;
constexpr int kStageTwipsHeight = 8000;
constexpr int kRuns = 20;
constexpr char kTarget[] = ", target 10 ms";
// Best of 10 on the same machine before the snapshot work (record, load, curve recalculation).
constexpr double kRecordBefore = 6.2;
constexpr double kLoadBefore = 11.3;
constexpr double kRecalcBefore = 5.0;

// Blobs drawn around the origin and moved into place by their placements.
void Fill(CFlashEditorDoc& doc)
{
    const Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    for (const CBenchBlob& blob : ScatterBlobs(kShapeCount, kStageTwipsWidth, kStageTwipsHeight)) {
        auto placement = std::make_unique<CFlashEditorFrameShapeTransform>();
        placement->GetMatrix()->Translate(Gdiplus::REAL(blob.centreX), Gdiplus::REAL(blob.centreY));
        doc.AddShape(MakeBlobShape(0, 0, blob.radius, blob.fill, pen).release(), std::move(placement));
    }
}

std::vector<CFlashShape*> CurrentShapes(const CFlashEditorDoc& doc)
{
    std::vector<CFlashShape*> shapes;
    doc.GetCurrentLayer()->GetCurrentFrameShapes(shapes);
    return shapes;
}

// Every curve's bounds, as the first hit test or bounds query after a load asks for them.
void TouchBounds(const std::vector<CFlashShape*>& shapes)
{
    int sum = 0;
    for (CFlashShape* shape : shapes)
        for (int k = 0; k < shape->GetCurveCount(); ++k)
            sum += shape->GetCurve(k)->GetBounds().Width;
    volatile int sink = sum;
    (void)sink;
}

void PrintRow(const char* what, double now, double before, const char* note = "")
{
    std::printf("%-34s %8.2f ms   (before %5.1f ms%s)\n", what, now, before, note);
}
}

int main()
{
    const CBenchGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    CFlashEditorDoc doc;
    doc.OnNewDocument();
    Fill(doc);
    CUndoManager undo;
    undo.SetOwner(&doc);
    undo.ResetHistory();

    bool ok = true;
    const CBenchTimes record = TimeRuns(kRuns, [&] { ok = undo.AddUndoStep("Move", nullptr, true) && ok; });
    // Each undo reads the snapshot before the last step, each redo the last one; the curves'
    // flattening waits for their first use, which is timed apart.
    bool undoing = true;
    CBenchTimes load;
    CBenchTimes firstUse;
    for (int run = 0; run < kRuns; ++run) {
        const CBenchStopwatch loading;
        ok = (undoing ? undo.Undo() : undo.Redo()) && ok;
        load.Add(loading.Milliseconds());
        undoing = !undoing;
        const std::vector<CFlashShape*> shapes = CurrentShapes(doc);
        const CBenchStopwatch touching;
        TouchBounds(shapes);
        firstUse.Add(touching.Milliseconds());
    }
    // The same work on curves already flattened: what every load used to pay.
    const std::vector<CFlashShape*> shapes = CurrentShapes(doc);
    const CBenchTimes recalc = TimeRuns(kRuns, [&] {
        for (CFlashShape* shape : shapes)
            for (int k = 0; k < shape->GetCurveCount(); ++k)
                shape->GetCurve(k)->Recalc();
    });

    std::printf("%d shapes of %d Bezier curves, best of %d runs%s\n", kShapeCount, kBlobCurves, kRuns,
                ok ? "" : " (an undo step FAILED)");
    PrintRow("record one step:", record.Best(), kRecordBefore);
    PrintRow("load one step:", load.Best(), kLoadBefore);
    PrintRow("record + load:", record.Best() + load.Best(), kRecordBefore + kLoadBefore, kTarget);
    PrintRow("recalculating every curve:", recalc.Best(), kRecalcBefore);
    std::printf("%-34s %8.2f ms   (paid in the load before)\n", "first use of all bounds after it:", firstUse.Best());
    std::printf("snapshot size: %zu bytes\n", undo.GetLastStep()->GetSnapshotSize());
    return 0;
}
