// The menu bar from the keyboard, with keys sent through the system's input queue: Alt and
// keyboard mode, arrows that wrap, Escape, Alt+letter with and without a match, Left and Right
// between open popups and on to the frame's system menu, F10 left to the frame's accelerators,
// and keys ignored while the frame is disabled.
#include "MenuBarTestFrame.h"
#include "MenuBarTestResources.h"
#include "tests/support/ScreenImage.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr int kFileButton = 0;
constexpr int kEditButton = 1;
constexpr int kHelpButton = 3;

// The bar's client area as painted on the screen, 0x00RRGGBB per pixel, rows from the top.
std::vector<DWORD> CaptureClient(CWnd* pWnd, CSize& size)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    size = rc.Size();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hDib = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hDib);
    HDC hWindow = ::GetDC(pWnd->GetSafeHwnd());
    ::BitBlt(hMem, 0, 0, size.cx, size.cy, hWindow, 0, 0, SRCCOPY);
    ::ReleaseDC(pWnd->GetSafeHwnd(), hWindow);
    std::vector<DWORD> pixels(static_cast<const DWORD*>(pBits), static_cast<const DWORD*>(pBits) + size.cx * size.cy);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hDib);
    ::ReleaseDC(nullptr, hScreen);
    return pixels;
}

// How many pixels inside the rectangle differ between two captures.
int ChangedPixels(const std::vector<DWORD>& before, const std::vector<DWORD>& after, CSize size, const CRect& rc)
{
    int nChanged = 0;
    for (int y = std::max<LONG>(0, rc.top); y < std::min<LONG>(size.cy, rc.bottom); ++y)
        for (int x = std::max<LONG>(0, rc.left); x < std::min<LONG>(size.cx, rc.right); ++x)
            nChanged += before[static_cast<size_t>(y * size.cx + x)] != after[static_cast<size_t>(y * size.cx + x)];
    return nChanged;
}

// One frame serves the whole suite (a top-level window takes long to go away); each test starts
// with the frame active, enabled, out of keyboard mode and with no popup up.
class MenuBarKeys : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_pScene = new CMenuBarScene(IDR_MENUBAR_FRAME); }
    static void TearDownTestSuite()
    {
        delete s_pScene;
        s_pScene = nullptr;
    }
    void SetUp() override
    {
        s_pScene->Activate();
        ASSERT_EQ(s_pScene->Frame()->GetSafeHwnd(), ::GetForegroundWindow());
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::EndActiveTracking();
        CExtToolControlBar::CancelAllBarsMenuTracking();
        s_pScene->Frame()->EnableWindow(TRUE);
        if (Bar()->IsKeyboardMode()) {
            MSG escape{s_pScene->Frame()->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
            Bar()->PreTranslateFrameMessage(&escape);
        }
        s_pScene->Frame()->m_commands.clear();
        CExtMenuControlBar::g_bIgnoreNextAltUp = false;
        PumpTranslated(30);
    }
    CCountingMenuBar* Bar() const { return s_pScene->Bar(); }
    CMenuBarTestFrame* Frame() const { return s_pScene->Frame(); }
    // The popup opened from the bar is up, from the given button (-1: a system menu).
    void ExpectOpenFrom(int nButton) const
    {
        EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
        EXPECT_EQ(nButton, Bar()->GetMenuTrackingButton());
        if (nButton < 0) {
            EXPECT_TRUE(Bar()->IsPopupFromBarUp());
        }
    }

    static CMenuBarScene* s_pScene;
};

CMenuBarScene* MenuBarKeys::s_pScene = nullptr;

// The highlight shows on the screen: the first item's pixels change, the second's do not, and
// leaving puts the first back as it was.
TEST_F(MenuBarKeys, AltHighlightsTheFirstItemAndAltAgainLeaves)
{
    CSize size;
    const std::vector<DWORD> plain = CaptureClient(Bar(), size);
    SendKeyStrokes(Press(VK_MENU));
    ASSERT_TRUE(Bar()->IsKeyboardMode());
    EXPECT_EQ(kFileButton, Bar()->GetKeyboardIndex());
    EXPECT_TRUE(Bar()->GetButtonByIndex(kFileButton)->IsPressed());
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    const std::vector<DWORD> highlighted = CaptureClient(Bar(), size);
    EXPECT_GT(ChangedPixels(plain, highlighted, size, Bar()->GetButtonRect(kFileButton)), 0);
    EXPECT_EQ(0, ChangedPixels(plain, highlighted, size, Bar()->GetButtonRect(kEditButton)));
    SendKeyStrokes(Press(VK_MENU));
    EXPECT_FALSE(Bar()->IsKeyboardMode());
    EXPECT_FALSE(Bar()->GetButtonByIndex(kFileButton)->IsPressed());
    EXPECT_EQ(0, ChangedPixels(plain, CaptureClient(Bar(), size), size, Bar()->GetButtonRect(kFileButton)));
}

// Each row: the arrow keys pressed after Alt and the highlighted button after them.
TEST_F(MenuBarKeys, ArrowsMoveTheHighlightAndWrap)
{
    const struct
    {
        std::vector<WORD> keys;
        int nExpected;
    } cases[] = {
        {{VK_RIGHT}, kEditButton},
        {{VK_RIGHT, VK_RIGHT, VK_RIGHT}, kHelpButton},
        {{VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT}, kFileButton},
        {{VK_LEFT}, kHelpButton},
        {{VK_LEFT, VK_RIGHT, VK_RIGHT}, kEditButton},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nExpected);
        std::vector<KeyStroke> strokes = Press(VK_MENU);
        for (WORD vk : c.keys)
            for (const KeyStroke& stroke : Press(vk))
                strokes.push_back(stroke);
        SendKeyStrokes(strokes);
        ASSERT_TRUE(Bar()->IsKeyboardMode());
        EXPECT_EQ(c.nExpected, Bar()->GetKeyboardIndex());
        for (int i = 0; i < Bar()->GetButtonCount(); ++i)
            EXPECT_EQ(i == c.nExpected, Bar()->GetButtonByIndex(i)->IsPressed()) << i;
        SendKeyStrokes(Press(VK_ESCAPE));
        EXPECT_FALSE(Bar()->IsKeyboardMode());
    }
}

TEST_F(MenuBarKeys, DownOpensTheHighlightedItemsPopup)
{
    std::vector<KeyStroke> strokes = Press(VK_MENU);
    for (WORD vk : {VK_RIGHT, VK_DOWN})
        for (const KeyStroke& stroke : Press(vk))
            strokes.push_back(stroke);
    SendKeyStrokes(strokes);
    EXPECT_FALSE(Bar()->IsKeyboardMode());
    ExpectOpenFrom(kEditButton);
    SendKeyStrokes(Press(VK_ESCAPE));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(MenuBarKeys, AltLetterOpensTheItemWithThatMnemonic)
{
    SendKeyStrokes(Chord(VK_MENU, 'E'));
    ExpectOpenFrom(kEditButton);
    EXPECT_FALSE(Bar()->IsKeyboardMode());
    const CRect rcBar = s_pScene->ButtonOnScreen(kFileButton);
    CRect rcShot(rcBar.left - 8, rcBar.top - 8, rcBar.left + 320, rcBar.top + 160);
    SaveScreenRectPng(rcShot, "menu-bar-popup.png");
}

// A letter no item has passes on, and the release of Alt that follows highlights nothing.
TEST_F(MenuBarKeys, AltLetterWithoutMatchOpensNothing)
{
    SendKeyStrokes(Chord(VK_MENU, 'Q'));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(Bar()->IsKeyboardMode());
    EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
}

TEST_F(MenuBarKeys, LeftAndRightMoveBetweenPopupsAndOnToTheSystemMenu)
{
    SendKeyStrokes(Chord(VK_MENU, 'F'));
    ExpectOpenFrom(kFileButton);
    const struct
    {
        WORD vk;
        int nOpenFrom;
    } steps[] = {
        {VK_RIGHT, kEditButton},
        {VK_LEFT, kFileButton},
        // Left of the first item: the frame's system menu.
        {VK_LEFT, -1},
        // Right of the system menu: the first item again.
        {VK_RIGHT, kFileButton},
        {VK_LEFT, -1},
        {VK_LEFT, kHelpButton},
        // Right of the last item: the frame's system menu.
        {VK_RIGHT, -1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.nOpenFrom);
        SendKeyStrokes(Press(step.vk));
        ExpectOpenFrom(step.nOpenFrom);
    }
    SendKeyStrokes(Press(VK_ESCAPE));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(MenuBarKeys, AltSpaceOpensTheFramesSystemMenu)
{
    SendKeyStrokes(Chord(VK_MENU, VK_SPACE));
    ExpectOpenFrom(-1);
    SendKeyStrokes(Press(VK_ESCAPE));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

// F10 is not the menu bar's: the frame's accelerator turns it into the About command.
TEST_F(MenuBarKeys, F10ReachesTheFramesAboutCommand)
{
    SendKeyStrokes(Press(VK_F10));
    auto& commands = Frame()->m_commands;
    EXPECT_NE(commands.end(), std::find(commands.begin(), commands.end(), ID_MB_APP_ABOUT));
    EXPECT_FALSE(Bar()->IsKeyboardMode());
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

// The frame's own messages as the frame's PreTranslateMessage offers them; a disabled frame
// leaves every key alone.
TEST_F(MenuBarKeys, KeysAreIgnoredWhileTheFrameIsDisabled)
{
    const HWND hWndFrame = Frame()->GetSafeHwnd();
    const auto offer = [&](UINT nMessage, WPARAM vk, bool bAlt) {
        MSG msg{hWndFrame, nMessage, vk, bAlt ? static_cast<LPARAM>(KF_ALTDOWN) << 16 : 0, 0, {0, 0}};
        return Bar()->PreTranslateFrameMessage(&msg);
    };
    for (bool bEnabled : {false, true}) {
        SCOPED_TRACE(bEnabled);
        Frame()->EnableWindow(bEnabled);
        EXPECT_FALSE(offer(WM_SYSKEYDOWN, VK_MENU, true));
        EXPECT_EQ(bEnabled, offer(WM_SYSKEYUP, VK_MENU, false));
        PumpTranslated(30);
        EXPECT_EQ(bEnabled, Bar()->IsKeyboardMode());
        EXPECT_EQ(bEnabled, offer(WM_KEYDOWN, VK_RIGHT, false));
        EXPECT_EQ(bEnabled ? kEditButton : -1, Bar()->GetKeyboardIndex());
    }
    offer(WM_KEYDOWN, VK_ESCAPE, false);
    EXPECT_FALSE(Bar()->IsKeyboardMode());
}

// A mouse click anywhere in the frame leaves keyboard mode.
TEST_F(MenuBarKeys, AMouseClickLeavesKeyboardMode)
{
    SendKeyStrokes(Press(VK_MENU));
    ASSERT_TRUE(Bar()->IsKeyboardMode());
    MSG click{Frame()->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200), 0, {0, 0}};
    EXPECT_FALSE(Bar()->PreTranslateFrameMessage(&click));
    EXPECT_FALSE(Bar()->IsKeyboardMode());
    EXPECT_FALSE(Bar()->GetButtonByIndex(kFileButton)->IsPressed());
}

// Activation messages (Alt+Tab and the like) make the next Alt release highlight nothing.
TEST_F(MenuBarKeys, AltReleaseAfterActivationHighlightsNothing)
{
    const HWND hWndFrame = Frame()->GetSafeHwnd();
    MSG down{hWndFrame, WM_SYSKEYDOWN, VK_MENU, static_cast<LPARAM>(KF_ALTDOWN) << 16, 0, {0, 0}};
    MSG activate{hWndFrame, WM_ACTIVATE, WA_ACTIVE, 0, 0, {0, 0}};
    MSG up{hWndFrame, WM_SYSKEYUP, VK_MENU, 0, 0, {0, 0}};
    Bar()->PreTranslateFrameMessage(&down);
    Bar()->PreTranslateFrameMessage(&activate);
    EXPECT_FALSE(Bar()->PreTranslateFrameMessage(&up));
    PumpTranslated(30);
    EXPECT_FALSE(Bar()->IsKeyboardMode());
}
} // namespace

namespace
{
// Items without a popup run their command from the keyboard: by Enter on the highlight, or by
// their mnemonic.
TEST(MenuBarCommandKeys, ItemsWithoutPopupRunTheirCommand)
{
    const struct
    {
        const char* pszName;
        std::vector<std::vector<KeyStroke>> strokes;
        UINT nCommand;
    } cases[] = {
        {"enter", {Press(VK_MENU), Press(VK_RIGHT), Press(VK_RETURN)}, ID_MB_RUN},
        {"enter after the separator", {Press(VK_MENU), Press(VK_LEFT), Press(VK_RETURN)}, ID_MB_STOP},
        {"mnemonic", {Chord(VK_MENU, 'S')}, ID_MB_STOP},
    };
    CMenuBarScene scene(IDR_MENUBAR_COMMANDS);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        scene.Frame()->m_commands.clear();
        scene.Activate();
        std::vector<KeyStroke> all;
        for (const auto& part : c.strokes)
            all.insert(all.end(), part.begin(), part.end());
        SendKeyStrokes(all);
        EXPECT_EQ(std::vector<UINT>{c.nCommand}, scene.Frame()->m_commands);
        EXPECT_FALSE(scene.Bar()->IsKeyboardMode());
    }
}

// In an MDI frame with an active child, Left from the first item opens the child's system menu.
TEST(MenuBarMdiKeys, LeftFromTheFirstItemOpensTheChildsSystemMenu)
{
    CMdiMenuBarScene scene;
    CMDIChildWnd* pChild = scene.AddChild("One", nullptr);
    ASSERT_NE(nullptr, pChild);
    scene.Frame()->SetForegroundWindow();
    PumpTranslated(50);
    SendKeyStrokes(Chord(VK_MENU, 'F'));
    ASSERT_EQ(0, scene.Bar()->GetMenuTrackingButton());
    SendKeyStrokes(Press(VK_LEFT));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(-1, scene.Bar()->GetMenuTrackingButton());
    EXPECT_TRUE(scene.Bar()->IsPopupFromBarUp());
    // Right from the child's system menu opens the first item again.
    SendKeyStrokes(Press(VK_RIGHT));
    EXPECT_EQ(0, scene.Bar()->GetMenuTrackingButton());
    SendKeyStrokes(Press(VK_ESCAPE));
}
} // namespace
