// Times one drag step (drop analysis and feedback) per mouse move while a bar crosses a frame
// with docked bars, in the tracking-frame style and in the marker style (where the floating
// frame follows the cursor and the markers update).
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"
#include "ui/core/ExtPaintManagerHolder.h"
// After the platform headers: the timing headers pull in the C library's time types first otherwise.
#include "bench/support/BenchTimes.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const CRect FRAME_RECT(40, 40, 840, 640);
constexpr int PATH_STEP = 6;
constexpr double TARGET_MS = 16.0;
constexpr DWORD BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC | CBRS_ALIGN_TOP;
const UINT SIDES[] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                      AFX_IDW_DOCKBAR_RIGHT};

class CBenchBar : public CExtControlBar
{
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A frame with bars on three sides and a view area.
// The frame deletes itself with its window.
struct CBenchFrame
{
    CFrameWnd& frame = *new CFrameWnd;
    CWnd view;
    std::vector<CBenchBar*> bars;

    bool Open()
    {
        if (!frame.Create(nullptr, "Drag benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, FRAME_RECT))
            return false;
        view.Create(AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))), "",
                    WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, AFX_IDW_PANE_FIRST);
        if (!CExtControlBar::InstallFrameDocking(&frame, CBRS_ALIGN_ANY, true))
            return false;
        UINT nId = 0x3000;
        for (UINT nSide : SIDES) {
            auto* pBar = new CBenchBar;
            if (!pBar->CreateBarWindow("Bar", &frame, nId++, BAR_STYLE))
                return false;
            pBar->m_sizeDockedHorz = pBar->m_sizeDockedVert = pBar->m_sizeFloating = CSize(160, 120);
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            pBar->DockIntoDockBar(nSide, 1, &frame, true);
            bars.push_back(pBar);
        }
        frame.RecalcLayout();
        Pump();
        return true;
    }
};

// The cursor's way across the frame, left to right through the middle, then down.
std::vector<CPoint> Path()
{
    std::vector<CPoint> path;
    const CPoint centre = FRAME_RECT.CenterPoint();
    for (int x = FRAME_RECT.left + 10; x < FRAME_RECT.right - 10; x += PATH_STEP)
        path.emplace_back(x, centre.y);
    for (int y = FRAME_RECT.top + 40; y < FRAME_RECT.bottom - 10; y += PATH_STEP)
        path.emplace_back(centre.x + 37, y);
    return path;
}

struct DragTimes
{
    CBenchTimes times;
    double dWorstMs = 0;
};

DragTimes TimeDrag(CBenchBar* pBar, int nStyle)
{
    CExtControlBar::g_nDockingStyleOverride = nStyle;
    if (nStyle == 1)
        pBar->FloatAt(FRAME_RECT.left + 200, FRAME_RECT.top + 200, CBRS_ALIGN_TOP);
    Pump();
    CExtControlBar::g_DragStateOld.m_pBar = pBar;
    CExtControlBar::g_DragStateOld.Reset();
    CExtControlBar::g_DragStateNew.m_pBar = pBar;
    CExtControlBar::g_DragStateNew.Reset();
    CExtControlBar::g_DragStateNew.m_bEmpty = false;
    pBar->m_bDragging = true;
    if (nStyle == 1) {
        CExtControlBar::BuildOuterMarkers(pBar->m_pDockSite, false);
        CExtDynDockMarkerWnd::ShowAllMarkers(true);
    }
    DragTimes result;
    for (const CPoint& pt : Path()) {
        ::SetCursorPos(pt.x, pt.y);
        const CBenchStopwatch stopwatch;
        pBar->DragStep(pt, false);
        const double dMs = stopwatch.Milliseconds();
        result.times.Add(dMs);
        result.dWorstMs = std::max(result.dWorstMs, dMs);
        Pump();
    }
    pBar->EndDrag(true);
    Pump();
    return result;
}

} // namespace

int main()
{
    CBenchFrame bench;
    if (!bench.Open()) {
        std::printf("drag benchmark: the frame could not be made\n");
        return 1;
    }
    const char* names[] = {"tracking frame (style 0)", "markers (style 1)"};
    for (int nStyle : {0, 1}) {
        const DragTimes result = TimeDrag(bench.bars.front(), nStyle);
        std::printf("DragStep per move, %s: median %.3f ms, best %.3f ms, worst %.3f ms (target under %.0f ms)\n",
                    names[nStyle], result.times.Median(), result.times.Best(), result.dWorstMs, TARGET_MS);
    }
    bench.frame.DestroyWindow();
    return 0;
}
