#include "tests/ui/core/PopupTestSupport.h"
#include "tests/support/ScreenImage.h"
#include "ui/core/ExtPopupColorMenuWnd.h"
#include "ui/core/ExtPopupMenuTrackingState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace {

constexpr COLORREF BACKDROP = RGB(40, 160, 220);
const CRect OWNER_RECT(0, 0, 640, 480);
const CPoint POPUP_POINT(100, 80);
constexpr LPARAM COOKIE = 0x5A5A;

struct Notice
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Notice> g_notices;

bool IsColorMessage(UINT message)
{
    return message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
           message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally ||
           message == CExtPopupColorMenuWnd::g_nMsgNotifyCustColor;
}

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsColorMessage(message) || message == WM_COMMAND)
        g_notices.push_back({message, wParam, lParam});
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

std::vector<Notice> NoticesOf(UINT message)
{
    std::vector<Notice> out;
    for (const Notice& n : g_notices)
        if (n.message == message)
            out.push_back(n);
    return out;
}

void MoveMouseTo(POINT ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(INPUT));
}

void ClickLeft()
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
}

// Input played from a timer while StartTracking waits.
std::deque<std::function<void()>> g_timedInput;
void CALLBACK PlayNextInput(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_timedInput.empty())
        return;
    auto next = g_timedInput.front();
    g_timedInput.pop_front();
    next();
}

class CTestColorPopup : public CExtPopupColorMenuWnd
{
public:
    using CExtPopupColorMenuWnd::m_rcMenu;
};

class ColorPopup : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        s_hWndOwner = CreateOwnerWindow("ColorPopupOwner", &OwnerProc, OWNER_RECT, ::CreateSolidBrush(BACKDROP));
    }
    static void TearDownTestSuite() { ::DestroyWindow(s_hWndOwner); }

protected:
    void SetUp() override
    {
        ActivateOwner(s_hWndOwner, OWNER_RECT);
        g_notices.clear();
        g_timedInput.clear();
    }
    void TearDown() override
    {
        EndPopupTracking();
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    }

    static CTestColorPopup* MakePopup(COLORREF clrInitial = static_cast<COLORREF>(-1))
    {
        auto* pPopup = new CTestColorPopup;
        pPopup->PrepareEmptyPopup(s_hWndOwner);
        pPopup->m_lParamCookie = COOKIE;
        pPopup->m_clrDefault = RGB(1, 2, 3);
        pPopup->m_clrInitial = clrInitial;
        return pPopup;
    }
    static bool Open(CTestColorPopup* pPopup, UINT nExtraFlags = 0)
    {
        const bool bOk = pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | nExtraFlags, POPUP_POINT.x,
                                               POPUP_POINT.y);
        PumpMessagesFor(80);
        return bOk;
    }
    static POINT ScreenCentreOf(const CExtPopupColorMenuWnd& popup, int nPart)
    {
        RECT rc;
        popup.GetPartRect(nPart, &rc);
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(popup.GetSafeHwnd(), &pt);
        return pt;
    }

    static HWND s_hWndOwner;
    CInstantPopups m_instantPopups;
};
HWND ColorPopup::s_hWndOwner = nullptr;

}  // namespace

// Where the buttons and the cells go for the metrics the palette is laid out with.
TEST(ColorPopupLayout, ButtonsShapeThePalette)
{
    using Popup = CExtPopupColorMenuWnd;
    const struct
    {
        const char* name;
        Popup::LayoutInput in;
        CSize size;
        RECT rcDefault;
        RECT rcCustom;
        int nCellsTop;
    } cases[] = {
        // border, shadow, separator, text height, default and custom caption widths, shown.
        {"no buttons", {2, 4, 6, 13, 60, 70, false, false}, {168, 108}, {}, {}, 4},
        {"both buttons", {2, 4, 6, 13, 60, 70, true, true}, {168, 159}, {5, 5, 159, 18}, {5, 134, 159, 147}, 29},
        {"default only", {2, 4, 6, 13, 60, 70, true, false}, {168, 133}, {5, 5, 159, 18}, {}, 29},
        {"custom only", {1, 0, 1, 16, 60, 70, false, true}, {162, 126}, {}, {4, 107, 158, 123}, 3},
        // A caption wider than the palette widens the popup; the default button keeps the width
        // reached before the custom caption was measured.
        {"wide captions", {2, 4, 6, 13, 180, 200, true, true}, {206, 159}, {5, 5, 177, 18}, {5, 134, 197, 147}, 29},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Popup::Layout layout = Popup::ComputeLayout(c.in);
        EXPECT_EQ(layout.sizeContent, c.size);
        EXPECT_TRUE(::EqualRect(&layout.rcDefault, &c.rcDefault));
        EXPECT_TRUE(::EqualRect(&layout.rcCustom, &c.rcCustom));
        EXPECT_EQ(layout.nCellsTop, c.nCellsTop);
    }
    const struct
    {
        int nCell;
        RECT rc;
    } cells[] = {{0, {4, 10, 20, 26}}, {7, {144, 10, 160, 26}}, {8, {4, 30, 20, 46}}, {39, {144, 90, 160, 106}}};
    for (const auto& c : cells) {
        const RECT rc = Popup::CellRect(c.nCell, 2, 10);
        EXPECT_TRUE(::EqualRect(&rc, &c.rc)) << "cell " << c.nCell;
    }
}

TEST(ColorPopupLayout, PaletteKeepsItsColoursAndNames)
{
    const struct
    {
        int nCell;
        COLORREF clr;
        const char* name;
    } cases[] = {{0, RGB(0, 0, 0), "Black"},          {9, RGB(255, 104, 32), "Orange"},
                 {23, RGB(127, 127, 127), "Grey - 40"}, {35, RGB(152, 251, 152), "Pale green "},
                 {39, RGB(255, 255, 255), "White"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CExtPopupColorMenuWnd::g_palette[c.nCell].clr, c.clr) << c.nCell;
        EXPECT_STREQ(CExtPopupColorMenuWnd::g_palette[c.nCell].lpszName, c.name);
    }
}

// Arrow keys from no hot cell start at cell 0, then wrap within the row or the column; every
// move previews the cell's colour with the cookie.
TEST_F(ColorPopup, ArrowKeysWrapWithinRowAndColumn)
{
    const struct
    {
        const char* name;
        std::vector<WORD> keys;
        int nHot;
    } cases[] = {
        {"first key selects cell 0", {VK_LEFT}, 0},
        {"left of 0 is 7", {VK_DOWN, VK_UP, VK_DOWN, VK_LEFT}, 7},
        {"right of 7 is 0, not 8", {VK_LEFT, VK_LEFT, VK_RIGHT}, 0},
        {"up of 0 is 32", {VK_UP, VK_UP}, 32},
        {"down of 35 is 3", {VK_UP, VK_UP, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTestColorPopup* pPopup = MakePopup();
        ASSERT_TRUE(Open(pPopup));
        g_notices.clear();
        for (WORD vk : c.keys)
            PressKey(vk);
        EXPECT_EQ(pPopup->GetHotIndex(), c.nHot);
        const auto previews = NoticesOf(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged);
        ASSERT_EQ(previews.size(), c.keys.size());
        EXPECT_EQ(previews.back().wParam, CExtPopupColorMenuWnd::g_palette[c.nHot].clr);
        EXPECT_EQ(previews.back().lParam, COOKIE);
        CExtPopupMenuWnd::EndActiveTracking();
    }
}

// Enter reports the hot colour to the owner and through the result pointer, but only while the
// tracking waits: without waiting the caller's variable is gone when the colour is chosen.
TEST_F(ColorPopup, EnterReportsTheColourAndWritesOnlyAWaitingResult)
{
    for (bool bWait : {true, false}) {
        SCOPED_TRACE(bWait ? "waiting" : "not waiting");
        CRecordingSoundPlayer sounds;
        g_notices.clear();
        COLORREF clrResult = RGB(9, 9, 9);
        CTestColorPopup* pPopup = MakePopup();
        pPopup->m_pClrResult = &clrResult;
        g_timedInput = {[] { SendKey(VK_RIGHT); }, [] { SendKey(VK_RIGHT); }, [] { SendKey(VK_RETURN); }};
        const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 100, &PlayNextInput);
        ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION |
                                              (bWait ? CExtPopupMenuWnd::TRACK_WAIT : 0),
                                          POPUP_POINT.x, POPUP_POINT.y));
        if (!bWait)
            PumpMessagesFor(600);
        PumpMessagesFor(50);
        ::KillTimer(nullptr, nTimer);
        const auto finals = NoticesOf(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally);
        ASSERT_EQ(finals.size(), 1u);
        EXPECT_EQ(finals[0].wParam, CExtPopupColorMenuWnd::g_palette[1].clr);
        EXPECT_EQ(finals[0].lParam, COOKIE);
        EXPECT_EQ(clrResult, bWait ? CExtPopupColorMenuWnd::g_palette[1].clr : RGB(9, 9, 9));
        EXPECT_NE(std::find(sounds.m_sounds.begin(), sounds.m_sounds.end(), CExtSoundPlayer::SOUND_MENU_COMMAND),
                  sounds.m_sounds.end());
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    }
}

// Hovering the custom button previews nothing; choosing it stores the custom mark and asks the
// owner for the dialog.
TEST_F(ColorPopup, CustomButtonAsksTheOwnerForTheDialog)
{
    COLORREF clrResult = 0;
    CTestColorPopup* pPopup = MakePopup();
    pPopup->m_pClrResult = &clrResult;
    g_timedInput = {[&] {
                        MoveMouseTo(ScreenCentreOf(*pPopup, CExtPopupColorMenuWnd::HOT_CUSTOM));
                    },
                    [] {},
                    [&] {
                        EXPECT_EQ(pPopup->GetHotIndex(), CExtPopupColorMenuWnd::HOT_CUSTOM);
                        EXPECT_TRUE(NoticesOf(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged).empty());
                        ClickLeft();
                    }};
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 100, &PlayNextInput);
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_WAIT,
                                      POPUP_POINT.x, POPUP_POINT.y));
    ::KillTimer(nullptr, nTimer);
    PumpMessagesFor(50);
    EXPECT_EQ(clrResult, CExtPopupColorMenuWnd::CUSTOM_CHOSEN);
    const auto asks = NoticesOf(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor);
    ASSERT_EQ(asks.size(), 1u);
    EXPECT_EQ(asks[0].wParam, 0u);
    EXPECT_EQ(asks[0].lParam, COOKIE);
    EXPECT_TRUE(NoticesOf(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally).empty());
}

// The initial colour marks its cell; one not in the palette marks none. Each cell shows its colour.
TEST_F(ColorPopup, InitialColourMarksItsCellAndCellsShowTheirColours)
{
    const struct
    {
        COLORREF clrInitial;
        int nSelected;
    } cases[] = {{CExtPopupColorMenuWnd::g_palette[12].clr, 12}, {RGB(1, 2, 3), -1}, {COLORREF(-1), -1}};
    for (const auto& c : cases) {
        CTestColorPopup* pPopup = MakePopup(c.clrInitial);
        ASSERT_TRUE(Open(pPopup));
        EXPECT_EQ(pPopup->GetSelectedIndex(), c.nSelected);
        for (int nCell : {0, 9, 26, 39}) {
            const POINT pt = ScreenCentreOf(*pPopup, nCell);
            EXPECT_TRUE(ColorNear(ScreenPixel(pt.x, pt.y), CExtPopupColorMenuWnd::g_palette[nCell].clr, 8))
                << "cell " << nCell;
        }
        CExtPopupMenuWnd::EndActiveTracking();
    }
}

// The tip of a cell names its colour (the balloon trims the trailing blank of "Pale green ").
TEST_F(ColorPopup, HoveredCellShowsItsNameInTheTip)
{
    const bool bTips = CExtPopupBaseWnd::g_bPopupItemTips;
    CExtPopupBaseWnd::g_bPopupItemTips = true;
    CTestColorPopup* pPopup = MakePopup(CExtPopupColorMenuWnd::g_palette[20].clr);
    ASSERT_TRUE(Open(pPopup));
    MoveMouseTo(ScreenCentreOf(*pPopup, 35));
    PumpMessagesFor(1200);
    EXPECT_EQ(pPopup->GetHotIndex(), 35);
    EXPECT_STREQ(pPopup->GetTipWnd().GetText(), "Pale green");
    const auto previews = NoticesOf(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged);
    ASSERT_FALSE(previews.empty());
    EXPECT_EQ(previews.back().wParam, CExtPopupColorMenuWnd::g_palette[35].clr);
    CRect rc;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rc);
    if (HWND hTip = pPopup->GetTipWnd().GetSafeHwnd(); hTip != nullptr && ::IsWindowVisible(hTip)) {
        CRect rcTip;
        ::GetWindowRect(hTip, &rcTip);
        rc.UnionRect(rc, rcTip);
    }
    rc.InflateRect(8, 8);
    EXPECT_TRUE(SaveScreenRectPng(rc, "color-popup.png"));
    CExtPopupMenuWnd::EndActiveTracking();
    CExtPopupBaseWnd::g_bPopupItemTips = bTips;
}

// Escape in a colour submenu hands the input back to the parent menu, which stays open.
TEST_F(ColorPopup, EscapeInASubmenuReturnsToTheParent)
{
    auto* pMenu = new CExtPopupMenuWnd;
    ASSERT_TRUE(pMenu->PrepareEmptyPopup(s_hWndOwner));
    CTestColorPopup* pColors = MakePopup();
    ASSERT_TRUE(pMenu->InsertSubmenuItem(pColors, -1, "&Colors"));
    ASSERT_TRUE(pMenu->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_SELECT_FIRST,
                                     POPUP_POINT.x, POPUP_POINT.y));
    PumpMessagesFor(80);
    PressKey(VK_RIGHT);
    ASSERT_NE(pColors->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pMenu->GetCurrentPopup(), pColors);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(pMenu->GetCurrentPopup(), pMenu);
    EXPECT_TRUE(pColors->GetSafeHwnd() == nullptr || !::IsWindowVisible(pColors->GetSafeHwnd()));
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

// A colour submenu opens when the mouse rests on its item; a click on a cell reports the colour
// and ends the whole menu.
TEST_F(ColorPopup, ClickInAColourSubmenuEndsTheWholeMenu)
{
    auto* pMenu = new CExtPopupMenuWnd;
    ASSERT_TRUE(pMenu->PrepareEmptyPopup(s_hWndOwner));
    CTestColorPopup* pColors = MakePopup();
    ASSERT_TRUE(pMenu->InsertSubmenuItem(pColors, -1, "&Colors"));
    ASSERT_TRUE(pMenu->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, POPUP_POINT.x, POPUP_POINT.y));
    PumpMessagesFor(80);
    CRect rcItem;
    ASSERT_TRUE(pMenu->GetItemRect(0, &rcItem, true));
    POINT pt = rcItem.CenterPoint();
    ::ClientToScreen(pMenu->GetSafeHwnd(), &pt);
    MoveMouseTo(pt);
    PumpMessagesFor(700);
    ASSERT_NE(pColors->GetSafeHwnd(), nullptr);
    ASSERT_TRUE(::IsWindowVisible(pColors->GetSafeHwnd()));
    const POINT ptCell = ScreenCentreOf(*pColors, 5);
    MoveMouseTo(ptCell);
    PumpMessagesFor(80);
    EXPECT_EQ(pColors->GetHotIndex(), 5);
    g_notices.clear();
    ClickLeft();
    PumpMessagesFor(120);
    const auto finals = NoticesOf(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally);
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].wParam, CExtPopupColorMenuWnd::g_palette[5].clr);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}
