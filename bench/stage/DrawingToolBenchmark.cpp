// Times the freehand tools on a 1,024 x 768 stage view: a 2,000-point pencil stroke fitted into a
// shape, a 2,000-point brush stroke (the feedback of its last move, then the release) and an
// eraser stroke across 500 overlapping shapes. Targets as a user feels them: a feedback step
// under 16 ms, a pencil release under 100 ms, a brush or eraser release under 250 ms.
#include "model/FlashBezierCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashSolidShape.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/Afx.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashStageHost.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kClientWidth = 1024;
constexpr int kClientHeight = 768;
constexpr int kStrokePoints = 2000;
constexpr int kErasedShapes = 500;
constexpr UINT kPencilCommand = 32782;
constexpr UINT kBrushCommand = 32783;
constexpr UINT kEraserCommand = 32866;
constexpr double kPi = 3.14159265358979323846;

// A brush of radius 5 and an eraser square of 12 pixels, as the panels would hand them out.
class CBenchStageHost : public CFlashStageHost {
public:
    CBenchStageHost() { m_eraser.AddRectangle(Gdiplus::Rect(-6, -6, 12, 12)); }
    void NotifySelectionChanged(CFlashEditorView*) override {}
    void NotifyStyleChanged(CFlashEditorView*) override {}
    void NotifyDocumentChanged(CFlashEditorView*) override {}
    void UpdateToolOptionBars() override {}
    Gdiplus::GraphicsPath* GetBrushPath() override
    {
        auto* path = new Gdiplus::GraphicsPath;
        path->AddEllipse(-5, -5, 10, 10);
        return path;
    }
    HCURSOR GetBrushCursor() override { return nullptr; }
    const Gdiplus::GraphicsPath* GetEraserPath() override { return &m_eraser; }
    HCURSOR GetEraserCursor() override { return nullptr; }
    HBITMAP ImportPictureFile() override { return nullptr; }
    void EditDocumentProperties(CFlashEditorDoc*) override {}

private:
    Gdiplus::GraphicsPath m_eraser;
};

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A wave across the stage, a point for each step, in client pixels.
std::vector<CPoint> Stroke(const CFlashEditorView& view)
{
    POINT offset = view.GetStageOffset();
    std::vector<CPoint> points;
    for (int i = 0; i < kStrokePoints; ++i) {
        double t = double(i) / (kStrokePoints - 1);
        points.emplace_back(offset.x + 10 + int(530 * t), offset.y + 200 + int(std::lround(150 * std::sin(t * 6 * kPi))));
    }
    return points;
}

struct CStrokeTimes {
    double lastFeedback;
    double release;
};

CStrokeTimes PlayStroke(CFlashEditorView& view, UINT command)
{
    view.SendMessage(WM_COMMAND, command, 0);
    std::vector<CPoint> stroke = Stroke(view);
    view.DispatchMouseMove(0, stroke.front());
    view.DispatchLButtonDown(MK_LBUTTON, stroke.front());
    for (size_t i = 1; i + 1 < stroke.size(); ++i)
        view.DispatchMouseMove(MK_LBUTTON, stroke[i]);
    auto start = std::chrono::steady_clock::now();
    view.DispatchMouseMove(MK_LBUTTON, stroke.back());
    CStrokeTimes times{Since(start), 0.0};
    start = std::chrono::steady_clock::now();
    view.DispatchLButtonUp(0, stroke.back());
    times.release = Since(start);
    return times;
}

// Overlapping blobs along the stroke's path.
void AddBlobs(CFlashEditorDoc& document)
{
    unsigned seed = 4321;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % range);
    };
    for (int i = 0; i < kErasedShapes; ++i) {
        double t = double(i) / kErasedShapes;
        int cx = (10 + int(530 * t)) * 20;
        int cy = (200 + int(150 * std::sin(t * 6 * kPi)) + next(60) - 30) * 20;
        int radius = 300 + next(400);
        Gdiplus::SolidBrush brush{Gdiplus::Color(0xff000000u | unsigned(next(0x1000000)))};
        auto* shape = new CFlashSolidShape(&brush);
        for (int k = 0; k < 8; ++k) {
            auto at = [&](double step, double reach) {
                double angle = 2 * kPi * step / 8;
                return POINT{LONG(cx + reach * std::cos(angle)), LONG(cy + reach * std::sin(angle))};
            };
            POINT a = at(k, radius), q = at(k + 0.5, radius * 1.2), b = at(k + 1, radius);
            shape->InsertCurve(new CFlashBezierCurve(a.x, a.y, q.x, q.y, b.x, b.y), false, 0);
        }
        if (!document.AddShape(shape))
            delete shape;
    }
}

} // namespace

CWinApp g_app("DrawingToolBenchmark");

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    {
        CBenchStageHost host;
        CFlashEditorView::SetStageHost(&host);
        auto* document = new CFlashEditorDoc;
        document->m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CFlashEditorView);
        context.m_pCurrentDoc = document;
        auto* frame = new CFrameWnd;
        RECT rect = {0, 0, kClientWidth, kClientHeight};
        ::AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
        rect = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
        if (frame->Create(nullptr, "Stage", WS_POPUP, rect, nullptr, nullptr, 0, &context)) {
            frame->InitialUpdateFrame(document, FALSE);
            frame->ShowWindow(SW_SHOWNOACTIVATE);
            frame->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
            if (auto* view = dynamic_cast<CFlashEditorView*>(frame->GetActiveView())) {
                view->UpdateStageOffset();
                std::printf("%d-point strokes, client %d x %d\n", kStrokePoints, kClientWidth, kClientHeight);
                CStrokeTimes pencil = PlayStroke(*view, kPencilCommand);
                std::printf("pencil: last feedback %8.2f ms, release %8.2f ms\n", pencil.lastFeedback, pencil.release);
                CStrokeTimes brush = PlayStroke(*view, kBrushCommand);
                std::printf("brush:  last feedback %8.2f ms, release %8.2f ms\n", brush.lastFeedback, brush.release);
                AddBlobs(*document);
                CStrokeTimes eraser = PlayStroke(*view, kEraserCommand);
                std::printf("eraser across %d shapes: last feedback %8.2f ms, release %8.2f ms\n", kErasedShapes,
                            eraser.lastFeedback, eraser.release);
            }
            frame->DestroyWindow();
        }
        delete document;
        CFlashEditorView::SetStageHost(nullptr);
    }
    Gdiplus::GdiplusShutdown(token);
    // The C runtime of a Winelib program may not flush at exit.
    std::fflush(stdout);
    return 0;
}
