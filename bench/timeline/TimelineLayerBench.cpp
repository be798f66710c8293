// Times Insert Layer and Remove Layer and the Undo and Redo of each, as the commands run in the
// editor (the document's handlers, the timeline view rebuilding through the document host, the
// undo snapshot, the repaint), on documents of 1, 10 and 100 layers of two tweened shapes.
#include "bench/support/BenchBlobs.h"
#include "bench/support/BenchGdiplusSession.h"
#include "bench/support/BenchTimes.h"

#include "model/FlashDocumentHost.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/UndoManager.h"
#include "platform/mfc/Afx.h"
#include "platform/mfc/CreateContext.h"
#include "timeline/MovieControlGridView.h"

#include <cstdio>
#include <functional>

namespace {

constexpr int kLayerCounts[] = {1, 10, 100};
constexpr int kRuns = 5;
constexpr int kTweenEnd = 20;
constexpr int kTimelineWidth = 1000;
constexpr int kTimelineHeight = 200;
constexpr double kTargetMs = 100.0;

// The application's side of the commands, reduced to the timeline view.
class CTimelineOnlyHost : public CFlashDocumentHost {
public:
    explicit CTimelineOnlyHost(CMovieControlGridView& timeline) : m_timeline(timeline) {}
    void NotifyDocumentChanged() override {}
    bool HasActiveStageView() const override { return false; }
    void ClearStageSelection() override {}
    void ReplaceSelectedShape(CFlashShape*, CFlashShape*) override {}
    bool IsStageView(const CView*) const override { return false; }
    void RebuildTimeline() override { m_timeline.RebuildGrid(); }
    CUndoEvent* GetTimelineUndoEvent() override { return &m_timeline; }

private:
    CMovieControlGridView& m_timeline;
};

// Two shapes per layer on frame 1, moved by a tween to a keyframe at frame 20.
void FillDocument(CFlashEditorDoc& document, int layers)
{
    while (document.GetLayerCount() < layers)
        document.AddLayer();
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    const std::vector<CBenchBlob> blobs = ScatterBlobs(2 * layers, 550 * 20, 400 * 20);
    for (int index = 1; index <= layers; ++index) {
        CFlashEditorLayer* layer = document.GetLayer(index);
        for (int i = 0; i < 2; ++i) {
            const CBenchBlob& blob = blobs[std::size_t(2 * (index - 1) + i)];
            auto shape = MakeBlobShape(blob.centreX, blob.centreY, blob.radius, blob.fill, pen);
            if (layer->AddShape(shape.get(), 1, nullptr))
                shape.release();
        }
        layer->InsertKeyframe(kTweenEnd, true);
        if (CFlashEditorFrame* first = layer->FindSpan(1))
            first->SetMotionTween(true);
    }
    document.GetUndoManager().ResetHistory();
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Print(const char* name, const CBenchTimes& times)
{
    std::printf("  %-20s best %8.2f ms, median %8.2f ms, worst %8.2f ms%s\n", name, times.Best(), times.Median(),
                times.Worst(), times.Worst() < kTargetMs ? "" : "  (over target)");
}

void Run(int layers)
{
    auto* document = new CFlashEditorDoc;
    document->m_bAutoDelete = FALSE;
    FillDocument(*document, layers);

    CCreateContext context;
    context.m_pCurrentDoc = document;
    CWnd timelineHost;
    timelineHost.CreateEx(0, AfxRegisterWndClass(0), "Timeline", WS_POPUP, 0, 0, kTimelineWidth, kTimelineHeight,
                          nullptr, nullptr);
    auto* timeline = new CMovieControlGridView;
    if (!timelineHost.GetSafeHwnd() ||
        !timeline->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, kTimelineWidth, kTimelineHeight),
                          &timelineHost, 1, &context)) {
        std::printf("the timeline window could not be created\n");
        delete document;
        return;
    }
    timeline->SendMessage(WM_INITIALUPDATE);
    timelineHost.ShowWindow(SW_SHOWNOACTIVATE);
    PumpMessages();
    CTimelineOnlyHost host(*timeline);
    CFlashEditorDoc::SetDocumentHost(&host);

    std::printf("%d layer%s (target %.0f ms):\n", layers, layers == 1 ? "" : "s", kTargetMs);
    CBenchTimes insert, insertUndo, insertRedo, remove, removeUndo, removeRedo;
    auto once = [&](CBenchTimes& into, const std::function<void()>& command) {
        const CBenchStopwatch stopwatch;
        command();
        timeline->GetGrid()->UpdateWindow();
        PumpMessages();
        into.Add(stopwatch.Milliseconds());
    };
    // Each run removes the layer it inserted, so that every run starts from the same document.
    for (int run = 0; run < kRuns; ++run) {
        once(insert, [&] { document->OnInsertLayer(); });
        once(insertUndo, [&] { document->OnEditUndo(); });
        once(insertRedo, [&] { document->OnEditRedo(); });
        document->SetCurrentLayer(document->GetLayerCount());
        once(remove, [&] { document->OnRemoveLayer(); });
        once(removeUndo, [&] { document->OnEditUndo(); });
        once(removeRedo, [&] { document->OnEditRedo(); });
    }
    Print("Insert Layer", insert);
    Print("  its Undo", insertUndo);
    Print("  its Redo", insertRedo);
    Print("Remove Layer", remove);
    Print("  its Undo", removeUndo);
    Print("  its Redo", removeRedo);

    CFlashEditorDoc::SetDocumentHost(nullptr);
    timelineHost.DestroyWindow();
    delete document;
}

} // namespace

// Windows and documents need an application object; the measurement runs from main.
CWinApp g_app("TimelineLayerBench");

int main()
{
    CBenchGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    for (int layers : kLayerCounts)
        Run(layers);
    // The C runtime of a Winelib program may not flush at exit.
    std::fflush(stdout);
    return 0;
}
