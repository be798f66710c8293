// Times the popups' own work: opening a popup of a 30-row menu's size with the animation off
// until its first paint ends (a bare popup, and a real 30-item menu through StartTracking with
// its items, shadow and placement), composing one fade frame, and computing a popup's drop shadow.
#include "ui/core/ExtDropShadow.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupBaseWnd.h"
#include "ui/core/ExtPopupMenuWnd.h"
// After the platform headers: the timing headers pull in the C library's time types first otherwise.
#include "bench/support/BenchTimes.h"

#include <cstdio>

namespace {

constexpr int ROWS = 30;
constexpr int ROW_HEIGHT = 22;
constexpr int MENU_WIDTH = 220;
constexpr int MENU_HEIGHT = ROWS * ROW_HEIGHT + 8;
constexpr int OPEN_RUNS = 50;
constexpr int FRAME_RUNS = 200;
constexpr int SHADOW_RUNS = 50;
constexpr double OPEN_TARGET_MS = 16.0;
constexpr double FRAME_TARGET_MS = 5.0;

class CBenchPopup : public CExtPopupBaseWnd
{
public:
    bool Open(int nType)
    {
        m_nAnimationType = nType;
        const CRect rc(100, 100, 100 + MENU_WIDTH, 100 + MENU_HEIGHT);
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, GetPopupWindowClass(), "", WS_POPUP, rc, nullptr, 0))
            return false;
        ShowWindow(SW_SHOWNA);
        BeginOpenAnimation();
        return true;
    }
    void PaintContent(CDC& dc, bool) override
    {
        CRect rc;
        GetContentRect(&rc);
        dc.FillSolidRect(&rc, RGB(250, 250, 250));
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
        ::SetBkMode(dc.GetSafeHdc(), TRANSPARENT);
        for (int row = 0; row < ROWS; ++row) {
            CRect rcRow(28, 4 + row * ROW_HEIGHT, MENU_WIDTH - 8, 4 + (row + 1) * ROW_HEIGHT);
            ::DrawTextA(dc.GetSafeHdc(), "Menu command", -1, &rcRow, DT_SINGLELINE | DT_VCENTER);
        }
        ::SelectObject(dc.GetSafeHdc(), hOld);
    }
    void PaintAnimationFrame(CDC& dc) override { PaintAnimationFrames(dc, SIDE_NONE); }
    void SetStep(int nStep) { m_nAnimationStep = nStep; }
};

void Report(const char* pszWhat, const CBenchTimes& times, double dTarget)
{
    std::printf("%-58s median %7.3f ms  best %7.3f ms  (target under %.0f ms)\n", pszWhat, times.Median(),
                times.Best(), dTarget);
}

} // namespace

int main()
{
    const CBenchTimes open = TimeRuns(OPEN_RUNS, [] {
        CBenchPopup popup;
        if (popup.Open(CExtPopupBaseWnd::ANIMATION_NONE))
            popup.UpdateWindow();
        popup.DestroyWindow();
    });
    Report("open a 30-row popup, animation off, to its first paint", open, OPEN_TARGET_MS);

    HWND hWndOwner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                       nullptr, nullptr);
    const CBenchTimes menu = TimeRuns(OPEN_RUNS, [&] {
        auto* pPopup = new CExtPopupMenuWnd;
        pPopup->PrepareEmptyPopup(hWndOwner);
        for (int row = 0; row < ROWS; ++row)
            pPopup->InsertCustomItem(0x8000u + static_cast<UINT>(row), -1, "Menu &command", "Ctrl+M", CExtCmdIcon());
        if (!pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, 100, 100)) {
            delete pPopup;
            return;
        }
        if (HWND hWnd = pPopup->GetSafeHwnd())
            ::UpdateWindow(hWnd);
        CExtPopupMenuWnd::EndActiveTracking();
    });
    ::DestroyWindow(hWndOwner);
    Report("StartTracking a 30-item menu, animation off, to its first paint", menu, OPEN_TARGET_MS);

    CBenchPopup fading;
    if (fading.Open(CExtPopupBaseWnd::ANIMATION_FADE)) {
        fading.KillTimer(CExtPopupBaseWnd::ANIMATION_TIMER_ID);
        fading.UpdateWindow();  // grabs the background and draws the final image once
        int nStep = 0;
        const CBenchTimes frames = TimeRuns(FRAME_RUNS, [&] {
            nStep = nStep % 100 + 1;
            fading.SetStep(nStep);
            fading.ComposeFrame();
        });
        Report("compose one fade frame (220 x 668)", frames, FRAME_TARGET_MS);
        fading.DestroyWindow();
    }

    HDC hScreen = ::GetDC(nullptr);
    const CBenchTimes shadows = TimeRuns(SHADOW_RUNS, [&] {
        CDC dc;
        dc.Attach(hScreen);
        CExtDropShadow shadow;
        const CRect rc(100, 100, 100 + MENU_WIDTH, 100 + MENU_HEIGHT);
        shadow.Draw(dc, rc, CRect(), CRect(), 4, CExtDropShadow::POPUP_MIN_LIGHTNESS,
                    CExtDropShadow::POPUP_MAX_LIGHTNESS, true, true, false);
        dc.Detach();
    });
    ::ReleaseDC(nullptr, hScreen);
    Report("compute and cache a popup's drop shadow", shadows, FRAME_TARGET_MS);
    return 0;
}
