// Times RecalcLayout of a frame with twelve docked bars: six fixed-size bars in the outer rows
// (two rows at the top, one at the bottom), six resizable bars in two inner rings (left and
// right in ring 1, top and bottom in ring 2), with every window moved on each pass.
#include "ui/bars/ExtDockOuterBar.h"
// After the platform headers: the timing headers pull in the C library's time types first otherwise.
#include "bench/support/BenchTimes.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace
{
constexpr int kRuns = 200;
constexpr UINT kFirstBarId = 0x7600;
constexpr int kToolWidth = 180;
constexpr int kToolHeight = 26;

class CToolLikeBar : public CExtControlBar
{
public:
    CToolLikeBar() { m_bFixedSize = true; }
    CSize CalcDynamicLayout(int, DWORD dwMode) override
    {
        return (dwMode & LM_VERTDOCK) ? CSize(kToolHeight, kToolWidth) : CSize(kToolWidth, kToolHeight);
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override
    {
        return bHorz ? CSize(kToolWidth, kToolHeight) : CSize(kToolHeight, kToolWidth);
    }
    FixedBarPlacement_t* GetFixedBarPlacement() override { return &m_placement; }
    FixedBarPlacement_t m_placement;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}
}

int main()
{
    CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
    if (!pFrame->Create(nullptr, "layout", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 800)) ||
        !CExtControlBar::InstallFrameDocking(pFrame))
    {
        std::printf("no frame\n");
        return 1;
    }
    pFrame->ShowWindow(SW_SHOWNA);
    std::vector<std::unique_ptr<CExtControlBar>> bars;
    UINT nId = kFirstBarId;
    // Outer rows: three tool bars and two in two top rows, one at the bottom.
    struct ToolPlace
    {
        UINT nSide;
        bool bNewRow;
    } const tools[] = {{AFX_IDW_DOCKBAR_TOP, true},  {AFX_IDW_DOCKBAR_TOP, false}, {AFX_IDW_DOCKBAR_TOP, false},
                       {AFX_IDW_DOCKBAR_TOP, true},  {AFX_IDW_DOCKBAR_TOP, false}, {AFX_IDW_DOCKBAR_BOTTOM, true}};
    for (const ToolPlace& place : tools)
    {
        auto pBar = std::make_unique<CToolLikeBar>();
        pBar->CreateBarWindow("tools", pFrame, nId++, WS_CHILD | WS_VISIBLE | CBRS_TOP);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        auto* pOuter = static_cast<CExtDockBar*>(pFrame->GetControlBar(place.nSide));
        pOuter->DockControlBarEx(pBar.get());
        if (!place.bNewRow)
        {
            const int nAt = pOuter->FindBar(pBar.get());
            if (pOuter->m_arrBars[nAt - 1] == nullptr)
                pOuter->m_arrBars.RemoveAt(nAt - 1);
        }
        bars.push_back(std::move(pBar));
    }
    // Inner rings: resizable bars, each a row of its own.
    struct PanelPlace
    {
        UINT nRing;
        UINT nSide;
    } const panels[] = {{1, AFX_IDW_DOCKBAR_LEFT},  {1, AFX_IDW_DOCKBAR_LEFT},   {1, AFX_IDW_DOCKBAR_RIGHT},
                        {2, AFX_IDW_DOCKBAR_TOP}, {2, AFX_IDW_DOCKBAR_BOTTOM}, {2, AFX_IDW_DOCKBAR_RIGHT}};
    // Created before they dock: a ring further in than the frame has bars is refused.
    for (size_t i = 0; i < std::size(panels); ++i)
    {
        auto pBar = std::make_unique<CExtControlBar>();
        pBar->CreateBarWindow("panel", pFrame, nId++, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        bars.push_back(std::move(pBar));
    }
    for (size_t i = 0; i < std::size(panels); ++i)
        if (CExtDockBar* pDockBar = CExtDockBar::FindRingBar(pFrame, panels[i].nRing, panels[i].nSide, true))
            pDockBar->AppendBarAsRow(bars[std::size(tools) + i].get(), false);
    pFrame->RecalcLayout();
    Pump();

    // Alternating widths make every pass move the bars. The frame is resized untimed, its own
    // layout on WM_SIZE held back, so that only the layout is timed.
    CBenchTimes times;
    for (int nPass = 0; nPass < kRuns; ++nPass)
    {
        const int cx = (nPass % 2) != 0 ? 1200 : 1100;
        pFrame->m_bInRecalcLayout = TRUE;
        pFrame->SetWindowPos(nullptr, 0, 0, cx, 800, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        pFrame->m_bInRecalcLayout = FALSE;
        const CBenchStopwatch stopwatch;
        pFrame->RecalcLayout();
        times.Add(stopwatch.Milliseconds());
    }
    std::printf("RecalcLayout, 12 docked bars (6 in outer rows, 6 in rings 1 and 2): best %.3f ms, median %.3f ms "
                "(target under 5 ms)\n",
                times.Best(), times.Median());
    pFrame->DestroyWindow();
    bars.clear();
    return 0;
}
