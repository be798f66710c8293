// Times the colour picker: one drag step (mouse move to repainted control) in the modes whose
// drag re-renders a gradient, and a re-render after a resize, at the Shape panel's and the
// colour dialog's sizes. Beside it, the same panel set pixel by pixel with SetPixelV.
#include "ui/controls/ExtColorCtrl.h"
#include "ui/core/ExtPaintManager.h"

#include "bench/support/BenchHostWindow.h"

#include <cstdio>

namespace {
constexpr char HOST_CLASS[] = "ColorBenchHost";
constexpr int STEPS = 40;

double NowMs()
{
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

struct DragCase
{
    const char* what;
    int mode;
    bool slider;  // drag along the slider, else across the panel
};

// Milliseconds per drag step: a move with the button down, the control repainted before return.
double DragStep(HWND hHost, const DragCase& c, int cx, int cy)
{
    CExtColorCtrl ctrl(c.mode);
    HWND hChild = ::CreateWindowExA(0, HOST_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, cx, cy, hHost, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ctrl.SubclassWindow(hChild);
    ctrl.SetCurrentColor(RGB(40, 160, 220), false);
    ctrl.RedrawCurrentMode(true);
    PumpBenchMessages();
    const int y = c.slider ? cy - 14 : cy / 3;
    ::SendMessageA(hChild, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
    const double t0 = NowMs();
    for (int i = 0; i < STEPS; ++i)
        ::SendMessageA(hChild, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(8 + (i * (cx - 16)) / STEPS, y));
    const double t = (NowMs() - t0) / STEPS;
    ::SendMessageA(hChild, WM_LBUTTONUP, 0, MAKELPARAM(8, y));
    ctrl.DestroyWindow();
    return t;
}

double Resize(HWND hHost, int nMode, int cx, int cy)
{
    CExtColorCtrl ctrl(nMode);
    HWND hChild = ::CreateWindowExA(0, HOST_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, cx, cy, hHost, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ctrl.SubclassWindow(hChild);
    PumpBenchMessages();
    const double t0 = NowMs();
    for (int i = 0; i < STEPS / 4; ++i)
        ::SetWindowPos(hChild, nullptr, 0, 0, cx - (i % 2), cy, SWP_NOZORDER | SWP_NOACTIVATE);
    const double t = (NowMs() - t0) / (STEPS / 4);
    ctrl.DestroyWindow();
    return t;
}

// The mixer panel written pixel by pixel with SetPixelV into a compatible bitmap.
double SetPixelPanel(int cx, int cy)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const double t0 = NowMs();
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            ::SetPixelV(hDC, x, y, CExtPaintManager::HueLightSatToColor(double(x) / cx, 0.5, double(cy - y - 1) / cy));
    const double t = NowMs() - t0;
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    return t;
}
} // namespace

int main()
{
    HWND hHost = MakeBenchHost(HOST_CLASS, 400, 400);
    PumpBenchMessages();
    const DragCase drags[] = {
        {"mode 2 panel", 2, false},
        {"mode 2 slider (re-renders the panel)", 2, true},
        {"mode 1 slider", 1, true},
        {"mode 3 slider", 3, true},
        {"mode 9 panel (axis)", 9, false},
        {"mode 12 slider (axis, re-renders the panel)", 12, true},
    };
    const SIZE sizes[] = {{150, 150}, {300, 260}};
    for (const SIZE& s : sizes) {
        std::printf("picker %d x %d\n", static_cast<int>(s.cx), static_cast<int>(s.cy));
        for (const DragCase& c : drags)
            std::printf("  drag step, %-45s %7.2f ms\n", c.what, DragStep(hHost, c, s.cx, s.cy));
        for (int nMode : {3, 4, 7})
            std::printf("  resize and re-render, mode %-26d %7.2f ms\n", nMode, Resize(hHost, nMode, s.cx, s.cy));
        std::printf("  mixer panel with SetPixelV per pixel              %7.2f ms\n",
                    SetPixelPanel(s.cx - 8, s.cy - 32));
    }
    ::DestroyWindow(hHost);
    return 0;
}
