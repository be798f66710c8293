// Paints a 40-button tool bar and a 30-item popup menu through each theme into a memory DC over
// a window, and prints the time per paint of each.
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr int BUTTONS = 40;
constexpr int BUTTONS_PER_GROUP = 5;
constexpr int BUTTON_SIZE = 23;
constexpr int SEPARATOR_WIDTH = 6;
constexpr int CHEVRON_WIDTH = 13;
constexpr int GRIPPER_WIDTH = 6;
constexpr int MENU_ITEMS = 30;
constexpr int MENU_ITEM_HEIGHT = 22;
constexpr int MENU_WIDTH = 220;
constexpr int MENU_BAND = 24;
constexpr int EXPAND_HEIGHT = 14;
constexpr int WARM_UP = 20;
constexpr int RUNS = 300;
constexpr int BATCHES = 5;
constexpr double TARGET_MS = 2.0;

std::vector<CExtCmdIcon> MakeIcons()
{
    std::vector<CExtCmdIcon> icons(BUTTONS);
    for (int i = 0; i < BUTTONS; ++i) {
        BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), 16, 16, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits,
                                             nullptr, 0);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
        dc.FillSolidRect(2 + i % 5, 2, 10, 12, RGB(40 * (i % 6), 90, 200 - 4 * i));
        ::SelectObject(dc.m_hDC, hOld);
        icons[i].TakeHBITMAP(hBitmap, RGB(255, 0, 255), nullptr, false);
    }
    return icons;
}

void PaintToolBar(CExtPaintManager& pm, CDC& dc, std::vector<CExtCmdIcon>& icons, const RECT& rcBar)
{
    pm.FillFaceBackground(false, dc, rcBar, rcBar);
    pm.DrawToolbarBackground(dc, nullptr, 0, rcBar);
    // The gripper's place is filled like a separator until bars bring their own.
    pm.DrawSeparatorLine(dc, RECT{rcBar.left, rcBar.top + 2, rcBar.left + GRIPPER_WIDTH, rcBar.bottom - 2}, true, true);
    int x = rcBar.left + GRIPPER_WIDTH;
    for (int i = 0; i < BUTTONS; ++i) {
        if (i > 0 && i % BUTTONS_PER_GROUP == 0) {
            pm.DrawSeparatorLine(dc, RECT{x, rcBar.top + 2, x + SEPARATOR_WIDTH, rcBar.bottom - 2}, true, true);
            x += SEPARATOR_WIDTH;
        }
        const bool bHover = i == 7;
        const bool bPushed = i == 12;
        CExtDrawPushButtonArgs args(nullptr, true, RECT{x, rcBar.top + 1, x + BUTTON_SIZE, rcBar.bottom - 1}, "",
                                    &icons[i], true, bHover, bPushed, false, i != 30, true, false,
                                    DT_CENTER | DT_VCENTER, nullptr, false, 0, false, true);
        pm.DrawPushButton(dc, args);
        x += BUTTON_SIZE;
    }
    pm.DrawChevronButton(dc, RECT{rcBar.right - CHEVRON_WIDTH, rcBar.top, rcBar.right, rcBar.bottom}, true, false,
                         true, false, false);
}

void PaintMenu(CExtPaintManager& pm, CDC& dc, std::vector<CExtCmdIcon>& icons, const RECT& rcMenu)
{
    pm.DrawMenuBorder(dc, rcMenu);
    const int border = pm.GetMenuBorderMetric() + 1;
    int y = rcMenu.top + border;
    char text[32];
    char accel[16];
    for (int i = 0; i < MENU_ITEMS; ++i) {
        std::snprintf(text, sizeof text, "Menu command %d", i + 1);
        std::snprintf(accel, sizeof accel, "Ctrl+%c", 'A' + i % 26);
        const RECT rcItem{rcMenu.left + border, y, rcMenu.right - border, y + MENU_ITEM_HEIGHT};
        CExtDrawMenuItemArgs args(nullptr, rcItem, rcItem, MENU_BAND, text, accel, i == 3 ? nullptr : &icons[i],
                                  i == 20, i == 9, i == 3, false, false, i != 25);
        pm.DrawMenuItem(dc, args);
        y += MENU_ITEM_HEIGHT;
    }
    pm.DrawMenuExpandButton(dc, RECT{rcMenu.left + border, y, rcMenu.right - border, y + EXPAND_HEIGHT}, false, false);
}

// The best of a few batches: other processes on the machine only ever add time.
template <typename Paint> double MillisecondsPerPaint(CWnd& wnd, const RECT& rc, Paint paint)
{
    CClientDC client(&wnd);
    for (int i = 0; i < WARM_UP; ++i) {
        CExtMemoryDC dc(&client, &rc);
        paint(dc);
    }
    double best = 0;
    for (int nBatch = 0; nBatch < BATCHES; ++nBatch) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < RUNS; ++i) {
            CExtMemoryDC dc(&client, &rc);
            paint(dc);
        }
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        const double perPaint = elapsed.count() / RUNS;
        if (nBatch == 0 || perPaint < best)
            best = perPaint;
    }
    return best;
}
} // namespace

int main()
{
    const int barWidth = GRIPPER_WIDTH + BUTTONS * BUTTON_SIZE + (BUTTONS / BUTTONS_PER_GROUP) * SEPARATOR_WIDTH
        + CHEVRON_WIDTH;
    const RECT rcBar{0, 0, barWidth, BUTTON_SIZE + 3};
    const RECT rcMenu{0, 40, MENU_WIDTH, 40 + MENU_ITEMS * MENU_ITEM_HEIGHT + EXPAND_HEIGHT + 8};
    CWnd wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "paint benchmark", WS_POPUP | WS_VISIBLE,
                      CRect(0, 0, barWidth, rcMenu.bottom), nullptr, 0)) {
        std::printf("no window could be created\n");
        return 1;
    }
    std::vector<CExtCmdIcon> icons = MakeIcons();
    struct Theme { const char* name; CRuntimeClass* pClass; };
    const Theme themes[] = {
        {"classic", RUNTIME_CLASS(CExtPaintManager)},
        {"XP", RUNTIME_CLASS(CExtPaintManagerXP)},
        {"Office 2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
        {"Studio 2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)},
    };
    std::printf("%-12s %14s %14s   (target under %.1f ms per paint, best of %d batches of %d paints)\n", "theme",
                "tool bar ms", "menu ms", TARGET_MS, BATCHES, RUNS);
    for (const Theme& theme : themes) {
        g_PaintManagerHolder.ReplaceByClass(theme.pClass);
        CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
        const double bar = MillisecondsPerPaint(wnd, rcBar, [&](CDC& dc) { PaintToolBar(pm, dc, icons, rcBar); });
        const double menu = MillisecondsPerPaint(wnd, rcMenu, [&](CDC& dc) { PaintMenu(pm, dc, icons, rcMenu); });
        std::printf("%-12s %14.3f %14.3f\n", theme.name, bar, menu);
    }
    wnd.DestroyWindow();
    return 0;
}
