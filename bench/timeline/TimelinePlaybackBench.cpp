// Plays a 100-shape document at 24 frames a second and a 1,000-shape one at 12 for ten seconds
// each: the timeline view drives the frames from its timer, the stage view paints each one.
// Prints the distinct frames the stage showed per second against the document's rate, how soon
// the first frame and the first change showed after the command, and the stage's render time.
#include "bench/support/BenchBlobs.h"
#include "bench/support/BenchGdiplusSession.h"
#include "bench/support/BenchStopwatch.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/UndoManager.h"
#include "platform/mfc/Afx.h"
#include "platform/mfc/CreateContext.h"
#include "stage/FlashEditorView.h"
#include "timeline/MovieControlGridView.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {

// Shapes and frame rate of each document played.
struct CPlaybackCase {
    int shapes;
    int frameRate;
};
constexpr CPlaybackCase kCases[] = {{100, 24}, {1000, 12}};
constexpr int kSeconds = 10;
constexpr int kStageWidth = 1024;
constexpr int kStageHeight = 768;
constexpr int kTimelineWidth = 1000;
constexpr int kTimelineHeight = 200;
// How far the tween carries every shape, in twips.
constexpr float kTweenDx = 3000.0f;
constexpr float kTweenDy = 1500.0f;
// Playback that has not ended this long after its last frame is reported as stuck.
constexpr DWORD kGraceMs = 5000;

// The stage view, timing each paint and noting the frame it showed.
class CTimedStageView : public CFlashEditorView {
public:
    void OnDraw(CDC* pDC) override
    {
        CBenchStopwatch watch;
        CFlashEditorView::OnDraw(pDC);
        m_renderMs.push_back(watch.Milliseconds());
        CFlashEditorDoc* document = GetDocument();
        if (!document || !m_pSincePlay)
            return;
        const int frame = document->GetCurrentFrame();
        if (m_frames.empty())
            m_firstFrameMs = m_pSincePlay->Milliseconds();
        if (m_firstChangeMs < 0 && frame != 1)
            m_firstChangeMs = m_pSincePlay->Milliseconds();
        m_frames.insert(frame);
    }

    std::vector<double> m_renderMs;
    std::set<int> m_frames;
    // Set while playing: the time since the command.
    const CBenchStopwatch* m_pSincePlay = nullptr;
    double m_firstFrameMs = -1;
    double m_firstChangeMs = -1;
};

// Every blob on frame 1, carried across the stage by a motion tween to a copy at the last frame,
// ten seconds of frames later.
void FillDocument(CFlashEditorDoc& document, const CPlaybackCase& c)
{
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    for (const CBenchBlob& blob : ScatterBlobs(c.shapes, 550 * 20, 400 * 20)) {
        std::unique_ptr<CFlashSolidShape> shape = MakeBlobShape(blob.centreX, blob.centreY, blob.radius, blob.fill, pen);
        if (document.AddShape(shape.get()))
            shape.release();
    }
    CFlashEditorLayer* layer = document.GetCurrentLayer();
    CFlashEditorFrame* last = layer ? layer->InsertKeyframe(1 + c.frameRate * kSeconds, true) : nullptr;
    if (!last)
        return;
    std::vector<CFlashShape*> shapes;
    last->CollectShapes(shapes);
    for (const CFlashShape* shape : shapes)
        last->TranslateShape(shape, kTweenDx, kTweenDy);
    if (CFlashEditorFrame* first = layer->FindSpan(1))
        first->SetMotionTween(true);
    document.GetUndoManager().ResetHistory();
}

// Runs this thread's messages until the view stops playing or the time is up.
double PlayToTheEnd(CMovieControlGridView& timeline, CTimedStageView& stage)
{
    CBenchStopwatch watch;
    stage.m_pSincePlay = &watch;
    timeline.SendMessage(WM_COMMAND, ID_TIMELINE_PLAY, 0);
    const DWORD limit = DWORD(kSeconds) * 1000 + kGraceMs;
    while (timeline.IsPlaying() && watch.Milliseconds() < limit) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    stage.m_pSincePlay = nullptr;
    return watch.Seconds();
}

void Report(const CPlaybackCase& c, const CTimedStageView& stage, const CFlashEditorDoc& document, double seconds,
            bool stopped)
{
    std::vector<double> times = stage.m_renderMs;
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times)
        total += t;
    const double mean = times.empty() ? 0 : total / double(times.size());
    const double median = times.empty() ? 0 : times[times.size() / 2];
    const double worst = times.empty() ? 0 : times.back();
    const int lastFrame = 1 + c.frameRate * kSeconds;
    std::printf("%d shapes, frames 1 to %d at %d fps, stage %d x %d\n", c.shapes, lastFrame, c.frameRate, kStageWidth,
                kStageHeight);
    std::printf("  played %.2f s (%s at frame %d; expected %.2f s)\n", seconds, stopped ? "stopped" : "still playing",
                document.GetCurrentFrame(), double(lastFrame - 1) / c.frameRate);
    std::printf("  distinct frames shown: %zu of %d, %.2f per second against %d\n", stage.m_frames.size(), lastFrame,
                double(stage.m_frames.size()) / std::max(seconds, 1e-9), c.frameRate);
    std::printf("  first frame shown %.1f ms after the command, first change %.1f ms (due %.1f ms)\n",
                stage.m_firstFrameMs, stage.m_firstChangeMs, 1000.0 / c.frameRate);
    std::printf("  stage paints: %zu; render per frame mean %.2f ms, median %.2f ms, worst %.2f ms (budget %.1f ms)\n",
                times.size(), mean, median, worst, 1000.0 / c.frameRate);
}

} // namespace

// Windows and documents need an application object; the measurement runs from main.
CWinApp g_app("TimelinePlaybackBench");

int main()
{
    CBenchGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    for (const CPlaybackCase& c : kCases) {
        auto* document = new CFlashEditorDoc;
        document->m_bAutoDelete = FALSE;
        document->SetFrameRate(c.frameRate);
        FillDocument(*document, c);

        CCreateContext context;
        context.m_pCurrentDoc = document;
        CWnd stageHost, timelineHost;
        // Popups: no window manager is asked about them. Only the stage is shown: it must paint.
        stageHost.CreateEx(0, AfxRegisterWndClass(0), "Stage", WS_POPUP, 0, 0, kStageWidth, kStageHeight, nullptr,
                           nullptr);
        timelineHost.CreateEx(0, AfxRegisterWndClass(0), "Timeline", WS_POPUP, 0, 0, kTimelineWidth, kTimelineHeight,
                              nullptr, nullptr);
        auto* stage = new CTimedStageView;
        auto* timeline = new CMovieControlGridView;
        const bool created =
            stageHost.GetSafeHwnd() && timelineHost.GetSafeHwnd() &&
            stage->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, kStageWidth, kStageHeight), &stageHost, 1,
                          &context) &&
            timeline->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, kTimelineWidth, kTimelineHeight),
                             &timelineHost, 1, &context);
        if (created) {
            stage->SendMessage(WM_INITIALUPDATE);
            timeline->SendMessage(WM_INITIALUPDATE);
            stageHost.ShowWindow(SW_SHOWNOACTIVATE);
            stage->UpdateWindow();
            stage->m_renderMs.clear();
            stage->m_frames.clear();
            const double seconds = PlayToTheEnd(*timeline, *stage);
            Report(c, *stage, *document, seconds, !timeline->IsPlaying());
        } else {
            std::printf("the stage and timeline windows could not be created\n");
        }
        if (stageHost.GetSafeHwnd())
            stageHost.DestroyWindow();
        if (timelineHost.GetSafeHwnd())
            timelineHost.DestroyWindow();
        delete document;
    }
    // The C runtime of a Winelib program may not flush at exit.
    std::fflush(stdout);
    return 0;
}
