// Times the repaint of a docked tool bar of 40 buttons (icons, separators, one drop-down) through
// WM_PAINT, and the layout pass (size calculation and button positions) beside it.
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/ClientDC.h"
#include "ui/bars/ExtDockOuterBar.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
// After the platform headers: the timing headers pull in the C library's time types first otherwise.
#include "bench/support/BenchTimes.h"

#include <cstdio>
#include <vector>

namespace
{
constexpr int kRuns = 300;
constexpr int kButtons = 40;
constexpr int kSeparatorEvery = 6;
constexpr UINT kFirstCmd = 41001;
constexpr UINT kBarId = 0x7700;
constexpr int kIconSize = 16;
constexpr LPCSTR kProfile = "tool bar benchmark";

HICON MakeIcon(COLORREF clr)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, kIconSize, kIconSize);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hColor);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    const RECT rc{2, 2, kIconSize - 2, kIconSize - 2};
    ::FillRect(hMem, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    std::vector<BYTE> mask(kIconSize * kIconSize / 8, 0);
    HBITMAP hMask = ::CreateBitmap(kIconSize, kIconSize, 1, 1, mask.data());
    ICONINFO info{TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    return hIcon;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}
} // namespace

int main()
{
    CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
    if (!pFrame->Create(nullptr, "tool bar", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1400, 300)) ||
        !CExtControlBar::InstallFrameDocking(pFrame)) {
        std::printf("no frame\n");
        return 1;
    }
    g_CmdManagerHolder->CreateProfile(kProfile, pFrame->GetSafeHwnd());
    pFrame->ShowWindow(SW_SHOWNA);
    std::vector<UINT> ids;
    for (int i = 0; i < kButtons; ++i) {
        const UINT nId = kFirstCmd + static_cast<UINT>(i);
        CExtCmdItem item(nId);
        item.m_sTipTool = "tip";
        g_CmdManagerHolder->SetupCommand(kProfile, item, true);
        HICON hIcon = MakeIcon(RGB(40 * (i % 6), 90, 200 - 4 * i));
        g_CmdManagerHolder->SetCommandIconFromHICON(kProfile, nId, hIcon, true);
        ::DestroyIcon(hIcon);
        ids.push_back(nId);
        if (i % kSeparatorEvery == kSeparatorEvery - 1)
            ids.push_back(0);
    }
    CExtToolControlBar bar;
    bar.CreateBarWindow("tools", pFrame, kBarId, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC | CBRS_GRIPPER);
    bar.AssignButtonIds(ids.data(), static_cast<int>(ids.size()));
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, kFirstCmd + 100, "item");
    bar.SetButtonMenu(3, hMenu);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    static_cast<CExtDockBar*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBarEx(&bar);
    pFrame->RecalcLayout();
    Pump();

    const CBenchTimes paint = TimeRuns(kRuns, [&] {
        bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    // The same painting into an off-screen DC: the bar's own drawing without the display's part.
    CClientDC dcBar(&bar);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcBar);
    CRect rcClient;
    bar.GetClientRect(&rcClient);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcBar, rcClient.Width(), rcClient.Height());
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    const CBenchTimes offscreen = TimeRuns(kRuns, [&] { bar.DoPaint(&dcMem); });
    dcMem.SelectObject(pOldBitmap);
    const CBenchTimes layout = TimeRuns(kRuns, [&] {
        bar.CalcFixedLayout(FALSE, TRUE);
        bar.RecalcButtonPositions();
    });
    std::printf("Tool bar of %d buttons (%d with separators, one drop-down), docked at the top:\n", kButtons,
                static_cast<int>(ids.size()));
    std::printf("  repaint (WM_PAINT): best %.3f ms, median %.3f ms (target under 2 ms)\n", paint.Best(),
                paint.Median());
    std::printf("  painting into an off-screen DC: best %.3f ms, median %.3f ms\n", offscreen.Best(),
                offscreen.Median());
    std::printf("  layout pass (size and positions): best %.3f ms, median %.3f ms\n", layout.Best(), layout.Median());
    bar.DestroyWindow();
    pFrame->DestroyWindow();
    return 0;
}
