// Redraws a 1,024 x 768 stage view of 1,000 filled, outlined 8-curve shapes at 100% and 400%,
// beside the model's own render of that frame into a client-size bitmap, and prints both times
// and their ratio.
#include "model/FlashBezierCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashSolidShape.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/Afx.h"
#include "stage/FlashEditorView.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kShapeCount = 1000;
constexpr int kCurvesPerShape = 8;
constexpr int kClientWidth = 1024;
constexpr int kClientHeight = 768;
constexpr int kRuns = 7;
constexpr double kPi = 3.14159265358979323846;

// Closed blobs of quadratic-controlled Bezier curves spread over the 550 x 400 stage.
void FillDocument(CFlashEditorDoc& document)
{
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % range);
    };
    Gdiplus::Pen pen(Gdiplus::Color(0xff000000), 20.0f);
    for (int i = 0; i < kShapeCount; ++i) {
        int cx = next(550 * 20), cy = next(400 * 20), radius = 200 + next(600);
        Gdiplus::SolidBrush brush{Gdiplus::Color(0xff000000u | unsigned(next(0x1000000)))};
        auto* shape = new CFlashSolidShape(&brush);
        shape->SetPen(&pen);
        auto at = [&](double k, double reach) {
            double angle = 2 * kPi * k / kCurvesPerShape;
            return POINT{LONG(cx + reach * std::cos(angle)), LONG(cy + reach * std::sin(angle))};
        };
        for (int k = 0; k < kCurvesPerShape; ++k) {
            POINT a = at(k, radius), q = at(k + 0.5, radius * 1.3), b = at(k + 1, radius);
            shape->InsertCurve(new CFlashBezierCurve(a.x, a.y, q.x, q.y, b.x, b.y), false, 0);
        }
        if (!document.AddShape(shape))
            delete shape;
    }
}

template <typename Work>
double BestMilliseconds(Work work)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void Measure(CFlashEditorView& view, CFlashEditorDoc& document, float zoom)
{
    view.SetZoom(zoom);
    double redraw = BestMilliseconds([&] { view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
    CRect client;
    view.GetClientRect(&client);
    view.UpdateStageOffset();
    POINT offset = view.GetStageOffset();
    HDC screen = ::GetDC(view.GetSafeHwnd());
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    double model = BestMilliseconds(
        [&] { document.RenderCurrentFrame(memory, offset.x, offset.y, zoom, kRenderAllStates); });
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(view.GetSafeHwnd(), screen);
    std::printf("zoom %3.0f%%: view redraw %8.2f ms, model render %8.2f ms, ratio %.2f\n", zoom * 100.0, redraw,
                model, redraw / model);
}

} // namespace

// Windows and documents need an application object; the measurement runs from main.
CWinApp g_app("StageRedrawBenchmark");

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    {
        auto* document = new CFlashEditorDoc;
        document->m_bAutoDelete = FALSE;
        FillDocument(*document);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CFlashEditorView);
        context.m_pCurrentDoc = document;
        auto* frame = new CFrameWnd;
        RECT rect = {0, 0, kClientWidth, kClientHeight};
        // A popup: no window manager is asked about it.
        ::AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
        rect = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
        if (frame->Create(nullptr, "Stage", WS_POPUP, rect, nullptr, nullptr, 0, &context)) {
            frame->InitialUpdateFrame(document, FALSE);
            frame->ShowWindow(SW_SHOWNOACTIVATE);
            frame->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
            if (auto* view = dynamic_cast<CFlashEditorView*>(frame->GetActiveView())) {
                std::printf("%d shapes of %d curves, client %d x %d\n", kShapeCount, kCurvesPerShape,
                            kClientWidth, kClientHeight);
                Measure(*view, *document, 1.0f);
                Measure(*view, *document, 4.0f);
            }
            frame->DestroyWindow();
        }
        delete document;
    }
    Gdiplus::GdiplusShutdown(token);
    // The C runtime of a Winelib program may not flush at exit.
    std::fflush(stdout);
    return 0;
}
