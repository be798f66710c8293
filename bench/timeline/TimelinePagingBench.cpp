// Pages down a large timeline and times each redraw: 100 layers of 1,000 frames with mixed
// spans, tweens and shapes, in the view's usual 1,000 x 200 pane and in a 1,600 x 900 one.
// Beside it, the cost of working out the visible rows' states with two span searches per
// column, the way the states were found before the grid walked each row's spans once.
#include "TimelineTestSupport.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "platform/gdiplus/GdiPlus.h"

#include <algorithm>
#include <cstdio>

using namespace TimelineTest;

namespace
{
constexpr int kLayers = 100;
constexpr int kFrames = 1000;
constexpr int kPages = 50;

double Now()
{
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

std::unique_ptr<CFlashEditorDoc> MakeBigDocument()
{
    auto doc = MakeDocument(kLayers);
    for (int layer = 1; layer <= kLayers; ++layer) {
        std::vector<SpanLayout> spans;
        int first = 1;
        int i = layer;
        while (first <= kFrames) {
            const int length = 1 + (i * 7) % 13;
            const int last = std::min(kFrames, first + length - 1);
            spans.push_back({first, last, (i % 3) == 0, (i % 4) != 1});
            first = last + 1;
            ++i;
        }
        BuildSpans(*doc, *doc->GetLayer(layer), spans);
    }
    return doc;
}

// The per-column searches the states once took, over the visible rows of every page.
double OldStateSearches(CFlashEditorDoc& doc, int firstRow, int lastRow, int columns)
{
    const double start = Now();
    volatile int sink = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        CFlashEditorLayer* layer = doc.GetLayer(row);
        if (!layer)
            continue;
        for (int col = 1; col < columns; ++col) {
            const CFlashEditorFrame* span = layer->FindSpan(col);
            const CFlashEditorFrame* next = layer->GetNextSpan(col);
            sink = sink + (span ? 1 : 0) + (next ? 1 : 0);
            if (span)
                sink = sink + (layer->IsTweenValid(span) ? 1 : 0) + (span->IsEmpty() ? 1 : 0);
        }
    }
    return Now() - start;
}

void Run(CFlashEditorDoc& doc, int width, int height)
{
    CGridHost host(&doc, true, width, height);
    CGridCtrl& grid = host.Grid();
    grid.SetColumnCount(kFrames + 101);
    for (int col = 1; col < grid.GetColumnCount(); ++col)
        grid.SetColumnWidth(col, kFrameWidth);
    grid.ResetScrollBars();
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    double total = 0, worst = 0, oldTotal = 0, drawTotal = 0, drawWorst = 0;
    for (int page = 0; page < kPages; ++page) {
        const int before = grid.GetFirstScrollableCell().row;
        const double start = Now();
        grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        if (grid.GetFirstScrollableCell().row == before)
            grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const double elapsed = Now() - start;
        total += elapsed;
        worst = std::max(worst, elapsed);
        const double drawStart = Now();
        grid.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMem), PRF_CLIENT);
        const double drawn = Now() - drawStart;
        drawTotal += drawn;
        drawWorst = std::max(drawWorst, drawn);
        const CGridCellRange visible = grid.GetVisibleScrollableRange();
        oldTotal += OldStateSearches(doc, visible.GetMinRow(), visible.GetMaxRow(), grid.GetColumnCount());
    }
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    std::printf("%4d x %3d over %d pages (target 16 ms):\n"
                "  page down and redraw on screen: mean %.2f ms, worst %.2f ms\n"
                "  the grid's drawing alone (memory context): mean %.2f ms, worst %.2f ms\n"
                "  two span searches per column, as the states were once found: %.2f ms a page more\n",
                width, height, kPages, total / kPages, worst, drawTotal / kPages, drawWorst, oldTotal / kPages);
}
}  // namespace

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    {
        auto doc = MakeBigDocument();
        Run(*doc, 1000, 200);
        Run(*doc, 1600, 900);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
