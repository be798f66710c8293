// The about box and the splash window: the box's saved placement comes back only when it is
// usable, Enter closes it, and the splash window shows the picture centred with its status line.
#include "EditorSessionSupport.h"
#include "PanelTestSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "app/dialogs/AboutDlg.h"
#include "app/dialogs/ViziRevuzeSplashWnd.h"
#include "resources/dialogs/AboutResources.h"
#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

namespace {

constexpr int kPictureWidth = 500;
constexpr int kPictureHeight = 400;

RECT NormalPosition(HWND hWnd)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ::GetWindowPlacement(hWnd, &wp);
    return wp.rcNormalPosition;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class AboutBoxTest : public ::testing::Test
{
protected:
    void SetUp() override { SessionApp().WriteProfileString(CAboutDlg::kPlacementSection, CAboutDlg::kPlacementEntry, nullptr); }
    void TearDown() override { SetUp(); }

    // Opens a box modelessly, lets the caller act on it, closes it; answers its normal position.
    template <class Act>
    RECT OpenBox(Act act)
    {
        CAboutDlg box;
        EXPECT_TRUE(box.Create(IDD_ABOUTBOX, MainFrame()));
        PumpMessages();
        const RECT rc = NormalPosition(box.m_hWnd);
        act(box);
        box.DestroyWindow();
        PumpMessages();
        return rc;
    }
};

TEST_F(AboutBoxTest, MovedAndResizedBoxOpensWhereItWasLeft)
{
    const RECT rcDefault = OpenBox([](CAboutDlg&) {});
    const RECT moved = {rcDefault.left + 30, rcDefault.top + 20, rcDefault.right + 90, rcDefault.bottom + 60};
    OpenBox([&](CAboutDlg& box) {
        box.SetWindowPos(nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    });
    EXPECT_TRUE(SameRect(OpenBox([](CAboutDlg&) {}), moved));
}

TEST_F(AboutBoxTest, UnusableSavedPlacementsGiveTheDefaultPlace)
{
    const RECT rcDefault = OpenBox([](CAboutDlg&) {});
    SetUp();
    const struct
    {
        const char* what;
        const char* saved;
    } cases[] = {
        {"malformed", "10,20,abc,400,1,0"},
        {"too few numbers", "10,20,600,400"},
        {"empty rectangle", "100,100,100,400,1,0"},
        {"smaller than the box", "10,10,60,50,1,0"},
        {"off every monitor", "30000,30000,30700,30600,1,0"},
        {"far to the left", "-9000,10,-8300,610,1,0"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        SessionApp().WriteProfileString(CAboutDlg::kPlacementSection, CAboutDlg::kPlacementEntry, c.saved);
        EXPECT_TRUE(SameRect(OpenBox([](CAboutDlg&) {}), rcDefault));
    }
}

// Presses Enter in the about box once it shows.
DWORD WINAPI PressEnterInAboutBox(void*)
{
    for (int attempt = 0; attempt < 200; ++attempt)
    {
        HWND hBox = ::FindWindowA(nullptr, "About");
        if (hBox != nullptr && ::IsWindowVisible(hBox))
        {
            ::PostMessageA(::GetDlgItem(hBox, IDOK), WM_KEYDOWN, VK_RETURN, 1);
            return 1;
        }
        ::Sleep(25);
    }
    return 0;
}

TEST_F(AboutBoxTest, EnterClosesTheModalBox)
{
    HANDLE hThread = ::CreateThread(nullptr, 0, PressEnterInAboutBox, nullptr, 0, nullptr);
    CAboutDlg box;
    EXPECT_EQ(box.DoModal(), IDOK);
    ::WaitForSingleObject(hThread, INFINITE);
    ::CloseHandle(hThread);
}

TEST_F(AboutBoxTest, ShowsThePictureAndTheOkButton)
{
    OpenBox([](CAboutDlg& box) {
        box.ShowWindow(SW_SHOW);
        PumpMessages();
        EXPECT_FALSE(box.IsSizeGripperShown());
        EXPECT_NE(box.SendMessage(WM_GETICON, ICON_SMALL, 0), 0);
        SaveWindowPng(box.m_hWnd, "about-box.png");
    });
}

// Counts the paints a splash window receives.
class CCountingSplash : public CViziRevuzeSplashWnd
{
public:
    using CViziRevuzeSplashWnd::CViziRevuzeSplashWnd;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_nPaints;
        return CViziRevuzeSplashWnd::WindowProc(message, wParam, lParam);
    }
    int m_nPaints = 0;
};

TEST(SplashWindow, ShowsThePictureCentredOnTheParentsWorkArea)
{
    CViziRevuzeSplashWnd splash(MainFrame(), IDB_APP_PICTURE);
    ASSERT_NE(splash.m_hWnd, nullptr);
    EXPECT_TRUE(splash.IsWindowVisible());
    EXPECT_NE(::GetActiveWindow(), splash.m_hWnd) << "the splash window takes no activation";
    char className[64] = {};
    ::GetClassNameA(splash.m_hWnd, className, sizeof className);
    EXPECT_STREQ(className, CViziRevuzeSplashWnd::kClassName);
    EXPECT_EQ(::GetClassLongA(splash.m_hWnd, GCL_STYLE), 0x4A03);
    EXPECT_EQ(splash.GetStyle() & (WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME), static_cast<DWORD>(WS_POPUP));

    HMONITOR hMonitor = ::MonitorFromWindow(MainFrame()->m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetMonitorInfoA(hMonitor, &info));
    RECT rc;
    splash.GetWindowRect(&rc);
    EXPECT_TRUE(SameRect(rc, CViziRevuzeSplashWnd::CentredRect(info.rcWork, kPictureWidth, kPictureHeight)));
    RECT client;
    splash.GetClientRect(&client);
    EXPECT_EQ(client.right, kPictureWidth);
    EXPECT_EQ(client.bottom, kPictureHeight);

    // Closing is refused; the whole window is client area.
    splash.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(splash.m_hWnd));
    EXPECT_EQ(splash.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left + 1, rc.top + 1)), HTCLIENT);

    splash.SetStatusText("Docking panels: project management ...");
    const CWindowPixels pixels = CaptureWindow(splash.m_hWnd);
    SaveWindowPng(splash.m_hWnd, "splash-window.png");
    // The picture's light band holds black text in the status line, and nothing above it.
    int textPixels = 0;
    for (int y = kPictureHeight - 76; y < kPictureHeight - 12; ++y)
        for (int x = 16; x < kPictureWidth - 16; ++x)
            textPixels += pixels.At(x, y) == 0x000000 ? 1 : 0;
    EXPECT_GT(textPixels, 20);
    EXPECT_EQ(pixels.At(2, kPictureHeight - 2), 0xF2F4F8u);
}

TEST(SplashWindow, CentringTruncatesTowardZero)
{
    const struct
    {
        RECT work;
        int width;
        int height;
        RECT expected;
    } cases[] = {
        {{0, 0, 1024, 768}, 500, 400, {262, 184, 762, 584}},
        {{0, 0, 1023, 767}, 500, 400, {261, 183, 761, 583}},
        {{-1280, 0, 0, 1024}, 500, 400, {-890, 312, -390, 712}},
        {{1920, 30, 3200, 1054}, 500, 400, {2310, 342, 2810, 742}},
        {{0, 0, 401, 301}, 500, 400, {-49, -49, 451, 351}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(SameRect(CViziRevuzeSplashWnd::CentredRect(c.work, c.width, c.height), c.expected))
            << c.work.left << "," << c.work.top;
}

TEST(SplashWindow, TheSameStatusTextRepaintsOnce)
{
    CCountingSplash splash(MainFrame(), IDB_APP_PICTURE);
    ASSERT_NE(splash.m_hWnd, nullptr);
    PumpMessages();
    const int before = splash.m_nPaints;
    splash.SetStatusText("Docking panels: project management ...");
    EXPECT_EQ(splash.m_nPaints, before + 1);
    splash.SetStatusText("Docking panels: project management ...");
    EXPECT_EQ(splash.m_nPaints, before + 1);
    splash.SetStatusText(nullptr);
    EXPECT_EQ(splash.GetStatusText(), "");
    EXPECT_EQ(splash.m_nPaints, before + 2);
}

TEST(SplashWindow, AMissingPictureLeavesNoWindow)
{
    CViziRevuzeSplashWnd splash(MainFrame(), 0x7FF0);
    EXPECT_EQ(splash.m_hWnd, nullptr);
}

} // namespace
