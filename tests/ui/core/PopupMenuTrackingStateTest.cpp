#include "tests/ui/core/PopupTestSupport.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int g_nDeletedPopups = 0;

// A popup menu that records the input the hooks route to it.
class CRecordingPopup : public CExtPopupMenuWnd
{
public:
    ~CRecordingPopup() override { ++g_nDeletedPopups; }
    bool Open(const RECT& rc, HWND hWndOwner = nullptr)
    {
        m_nAnimationType = ANIMATION_NONE;
        PickAnimationType();
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, GetPopupWindowClass(), "", WS_POPUP, rc,
                      CWnd::FromHandle(hWndOwner), 0))
            return false;
        ShowWindow(SW_SHOWNA);
        return true;
    }
    bool HandleKeyDown(UINT nChar, UINT, UINT, bool*) override
    {
        m_keys.push_back(nChar);
        return true;
    }
    bool HandleMouseClick(UINT message, CPoint, bool*) override
    {
        m_clicks.push_back(message);
        return false;
    }
    bool ShowTip(LPCSTR lpszText, const RECT& rcItem)
    {
        m_wndTip.SetText(lpszText);
        return m_wndTip.Show(this, &rcItem);
    }
    bool IsNonTrackingMode() const override { return m_bNonTracking; }
    std::vector<UINT> m_keys;
    std::vector<UINT> m_clicks;
    bool m_bNonTracking = false;
};

// A foreground window that counts the button presses reaching it.
class CClickTarget
{
public:
    explicit CClickTarget(const RECT& rc)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &WndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = HBRUSH(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "PopupTrackingClickTarget";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                                   rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_hWnd);
        PumpMessagesFor(50);
        g_nPresses = 0;
    }
    ~CClickTarget() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd = nullptr;
    static int g_nPresses;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_LBUTTONDOWN)
            ++g_nPresses;
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
};
int CClickTarget::g_nPresses = 0;

const CRect TARGET_RECT(0, 0, 600, 500);
const CRect POPUP_RECT(100, 100, 300, 300);

class PopupMenuTrackingState : public ::testing::Test
{
protected:
    void SetUp() override { g_nDeletedPopups = 0; }
    void TearDown() override
    {
        g_PopupMenuTrackingState.EndTracking();
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    }
    CRecordingPopup* Track(const RECT& rc = POPUP_RECT, HWND hWndOwner = nullptr)
    {
        auto* pPopup = new CRecordingPopup;
        if (!pPopup->Open(rc, hWndOwner)) {
            delete pPopup;
            return nullptr;
        }
        g_PopupMenuTrackingState.SetTrackedPopup(pPopup);
        pPopup->MakeCurrent();
        return pPopup;
    }
};

TEST_F(PopupMenuTrackingState, EndTrackingDeletesTheTreeOnceAndUnhooks)
{
    CRecordingPopup* pPopup = Track();
    ASSERT_NE(nullptr, pPopup);
    const HWND hWnd = pPopup->GetSafeHwnd();
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(g_PopupMenuTrackingState.IsHookInstalled());
    // The same popup again changes nothing.
    g_PopupMenuTrackingState.SetTrackedPopup(pPopup);
    EXPECT_EQ(0, g_nDeletedPopups);
    EXPECT_EQ(pPopup, g_PopupMenuTrackingState.m_pTrackedPopup);

    g_PopupMenuTrackingState.EndTracking();
    EXPECT_EQ(1, g_nDeletedPopups);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    EXPECT_FALSE(g_PopupMenuTrackingState.IsEnding());
    g_PopupMenuTrackingState.EndTracking();
    EXPECT_EQ(1, g_nDeletedPopups);
}

TEST_F(PopupMenuTrackingState, TrackingAnotherPopupEndsTheFirst)
{
    CRecordingPopup* pFirst = Track();
    ASSERT_NE(nullptr, pFirst);
    CRecordingPopup* pSecond = Track(CRect(320, 100, 420, 200));
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(1, g_nDeletedPopups);
    EXPECT_EQ(pSecond, g_PopupMenuTrackingState.m_pTrackedPopup);
    EXPECT_TRUE(g_PopupMenuTrackingState.IsHookInstalled());
}

TEST_F(PopupMenuTrackingState, ClosingOrLosingTheWindowEndsTheTrackingCleanly)
{
    // Closed from the popup itself: the end waits until the window code is done with it.
    CRecordingPopup* pClosed = Track();
    ASSERT_NE(nullptr, pClosed);
    pClosed->CloseTree(false);
    EXPECT_EQ(1, g_nDeletedPopups);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());

    // The owner destroyed under a tracked menu takes the menu's window along.
    CBackdropWindow owner(CRect(0, 0, 50, 50), RGB(255, 255, 255));
    CRecordingPopup* pOwned = Track(POPUP_RECT, owner.GetHwnd());
    ASSERT_NE(nullptr, pOwned);
    ::DestroyWindow(owner.GetHwnd());
    EXPECT_EQ(2, g_nDeletedPopups);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
}

TEST_F(PopupMenuTrackingState, KeyUpsAreEatenAndCloseKeyDownsDropped)
{
    CClickTarget target(TARGET_RECT);
    CRecordingPopup* pPopup = Track();
    ASSERT_NE(nullptr, pPopup);
    SendKeys({{VK_DOWN, false}, {VK_DOWN, true}});
    PumpMessagesFor(60);
    SendKeys({{VK_UP, false}, {VK_RIGHT, false}});
    PumpMessagesFor(60);
    SendKeys({{VK_UP, true}, {VK_RIGHT, true}, {VK_LEFT, false}, {VK_LEFT, true}});
    PumpMessagesFor(60);
    // Down passes, its release never does; Right followed Up within the interval.
    EXPECT_EQ((std::vector<UINT>{VK_DOWN, VK_UP, VK_LEFT}), pPopup->m_keys);
}

TEST_F(PopupMenuTrackingState, PressOutsideClosesTheMenuAndReachesTheWindowBelow)
{
    const struct { bool bSwallow; } cases[] = {{true}, {false}};
    for (const auto& c : cases) {
        CExtPopupBaseWnd::g_bSwallowOutsideClicks = c.bSwallow;
        CClickTarget target(TARGET_RECT);
        g_nDeletedPopups = 0;
        CRecordingPopup* pPopup = Track();
        ASSERT_NE(nullptr, pPopup);
        ClickAt(CPoint(450, 400));
        PumpMessagesFor(80);
        EXPECT_EQ(1, g_nDeletedPopups) << c.bSwallow;
        EXPECT_EQ(1, CClickTarget::g_nPresses) << c.bSwallow;
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    }
    CExtPopupBaseWnd::g_bSwallowOutsideClicks = true;
}

TEST_F(PopupMenuTrackingState, PressInsideStaysWithTheMenu)
{
    CClickTarget target(TARGET_RECT);
    CRecordingPopup* pPopup = Track();
    ASSERT_NE(nullptr, pPopup);
    ClickAt(CPoint(150, 150));
    PumpMessagesFor(80);
    EXPECT_EQ(0, g_nDeletedPopups);
    EXPECT_EQ((std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}), pPopup->m_clicks);
    EXPECT_EQ(0, CClickTarget::g_nPresses);
}

TEST_F(PopupMenuTrackingState, TipCountsAsShownOnlyOnTheCurrentTrackingPopup)
{
    CRecordingPopup* pPopup = Track();
    ASSERT_NE(nullptr, pPopup);
    ASSERT_TRUE(pPopup->ShowTip("Pastes the clipboard", CRect(110, 120, 290, 140)));
    EXPECT_FALSE(pPopup->IsTipShown()) << "shown only once the delay has passed";
    const HWND hTip = pPopup->GetTipWnd().GetSafeHwnd();
    ::SendMessageA(hTip, WM_TIMER, CExtPopupBaseWnd::DELAYED_SHOW_TIMER_ID, 0);
    EXPECT_TRUE(pPopup->IsTipShown());
    pPopup->m_bNonTracking = true;
    EXPECT_FALSE(pPopup->IsTipShown());
    pPopup->m_bNonTracking = false;
    pPopup->ReleaseCurrent();
    EXPECT_FALSE(pPopup->IsTipShown());
    pPopup->MakeCurrent();
    pPopup->HideTip(false);
    EXPECT_FALSE(pPopup->IsTipShown());
    EXPECT_FALSE(::IsWindowVisible(hTip));
}

TEST(PopupHover, ModifierKeysAndAltContext)
{
    constexpr LPARAM ALT_CONTEXT = LPARAM(1) << 29;
    EXPECT_TRUE(IsModifierKeyDown(ALT_CONTEXT));
    EXPECT_FALSE(IsModifierKeyDown(0));
}

TEST(PopupHover, AllowedOnlyUnderTheActiveWindow)
{
    CBackdropWindow frame(CRect(0, 0, 200, 200), RGB(255, 255, 255));
    CBackdropWindow other(CRect(300, 0, 400, 100), RGB(255, 255, 255));
    HWND hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, frame.GetHwnd(), nullptr,
                                    nullptr, nullptr);
    HWND hHidden = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 20, 20, frame.GetHwnd(), nullptr, nullptr,
                                     nullptr);
    const struct { HWND hWnd; HWND hActive; bool bVisible; bool bExpected; } cases[] = {
        {hChild, frame.GetHwnd(), true, true},
        {hChild, other.GetHwnd(), true, false},
        {nullptr, frame.GetHwnd(), true, false},
        {hChild, nullptr, true, false},
        {hHidden, frame.GetHwnd(), true, false},
        {hHidden, frame.GetHwnd(), false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bExpected, IsHoverAllowedForActiveWindow(c.hWnd, c.hActive, true, c.bVisible, true));
    ::DestroyWindow(hChild);
    ::DestroyWindow(hHidden);
}

} // namespace
