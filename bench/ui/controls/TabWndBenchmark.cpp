// Times a strip of 50 tabs with icons and texts repainted 200 times, plain and in group mode,
// with the layout kept and with it redone before every repaint. Target: under 5 ms a repaint.
#include "ui/controls/ExtTabWnd.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"
#include "ui/core/ExtPaintManagerXP.h"

#include "bench/support/BenchHostWindow.h"
#include "bench/support/BenchStopwatch.h"

#include <cstdio>

namespace {
constexpr int TABS = 50;
constexpr int REPAINTS = 200;
constexpr int GROUP_SIZE = 5;

// A 16 x 16 picture on a 24-bit bitmap with a transparent key, as command icons are kept.
HBITMAP MakeIconBitmap(COLORREF clr)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const RECT rcAll{0, 0, 16, 16}, rcBody{2, 2, 14, 14};
    HBRUSH hKey = ::CreateSolidBrush(RGB(255, 0, 255));
    HBRUSH hBody = ::CreateSolidBrush(clr);
    ::FillRect(hDC, &rcAll, hKey);
    ::FillRect(hDC, &rcBody, hBody);
    ::DeleteObject(hKey);
    ::DeleteObject(hBody);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}

// Milliseconds per repaint of the whole strip, painted before the call returns. Icons are
// bitmap-based like command icons, or 32-bit icons that the system draws.
double RepaintMs(HWND hHost, bool bGrouped, bool bDirtyLayout, bool bSystemIcons)
{
    CExtTabWnd strip;
    DWORD dwStyle = CExtTabWnd::STYLE_ORIENT_TOP | CExtTabWnd::STYLE_CLOSE | CExtTabWnd::STYLE_CLOSE_ENABLED |
                    CExtTabWnd::STYLE_TAB_LIST | CExtTabWnd::STYLE_TAB_LIST_ENABLED | CExtTabWnd::STYLE_BOLD_SELECTION;
    if (bGrouped)
        dwStyle |= CExtTabWnd::STYLE_GROUPED;
    strip.CreateTabWnd(CWnd::FromHandle(hHost), RECT{0, 0, 800, 40}, 1, WS_CHILD | WS_VISIBLE, dwStyle);
    for (int i = 0; i < TABS; ++i) {
        char szText[32];
        std::snprintf(szText, sizeof(szText), "Document %d", i + 1);
        const COLORREF clr = RGB(40 * (i % 6), 200 - 30 * (i % 5), 120);
        const DWORD dwFlags = (bGrouped && i % GROUP_SIZE == 0) ? CExtTabWnd::ITEM_GROUP_START : 0;
        HICON hIcon = bSystemIcons ? CExtPaintManager::CreateSolidColorIcon(clr) : nullptr;
        CExtTabWnd::TAB_ITEM_INFO* pItem = strip.InsertTabItem(szText, hIcon, false, dwFlags, -1, 0, false);
        if (!bSystemIcons)
            pItem->GetOwnIcon().TakeHBITMAP(MakeIconBitmap(clr), RGB(255, 0, 255), nullptr, false);
    }
    strip.SetSelectedItem(3, true, true);
    PumpBenchMessages();
    CBenchStopwatch watch;
    for (int i = 0; i < REPAINTS; ++i) {
        if (bDirtyLayout)
            strip.InvalidateLayout(false);
        strip.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    const double ms = watch.Milliseconds() / REPAINTS;
    strip.DestroyWindow();
    return ms;
}
} // namespace

int main()
{
    const HWND hHost = MakeBenchHost("TabBenchHost", 800, 100);
    PumpBenchMessages();
    struct Theme
    {
        const char* name;
        CRuntimeClass* pClass;
    };
    const Theme themes[] = {{"Studio 2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)},
                            {"XP", RUNTIME_CLASS(CExtPaintManagerXP)}};
    std::printf("%d tabs with icons and texts, %d repaints (target under 5 ms a repaint)\n", TABS, REPAINTS);
    for (const Theme& theme : themes) {
        g_PaintManagerHolder.ReplaceByClass(theme.pClass);
        for (bool bSystemIcons : {false, true})
            for (bool bGrouped : {false, true})
                for (bool bDirty : {false, true})
                    std::printf("%-12s %-13s %-6s layout %-6s %7.3f ms a repaint\n", theme.name,
                                bSystemIcons ? "32-bit icons" : "bitmap icons", bGrouped ? "groups" : "plain",
                                bDirty ? "dirty" : "clean", RepaintMs(hHost, bGrouped, bDirty, bSystemIcons));
    }
    ::DestroyWindow(hHost);
    return 0;
}
