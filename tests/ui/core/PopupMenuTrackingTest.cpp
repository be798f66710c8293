#include "tests/ui/core/PopupTestSupport.h"
#include "tests/support/ScreenImage.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtItemCoveringNotification.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtSoundPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace {

constexpr UINT ID_OPEN = 0x9001;
constexpr UINT ID_SAVE = 0x9002;
constexpr UINT ID_CUT = 0x9003;
constexpr UINT ID_COPY = 0x9004;
constexpr UINT ID_EXIT = 0x9005;
constexpr UINT ID_SEND = 0x9006;
constexpr COLORREF BACKDROP = RGB(40, 160, 220);
const CRect OWNER_RECT(0, 0, 700, 560);
const CPoint MENU_POINT(120, 100);
constexpr DWORD COMMAND_TIMEOUT_MS = 1500;

int g_nDeleted = 0;
std::vector<UINT> g_commands;
int g_nClosedNotices = 0;
// Covering notices as (item, kind, flags).
struct Notice
{
    int nItem, nKind, nFlags;
    bool operator==(const Notice& other) const
    {
        return nItem == other.nItem && nKind == other.nKind && nFlags == other.nFlags;
    }
};
std::vector<Notice> g_notices;
bool g_bCancelPrepare = false;

class CCountedPopup : public CExtPopupMenuWnd
{
public:
    ~CCountedPopup() override { ++g_nDeleted; }
    using CExtPopupMenuWnd::ItemDataAt;
    const RECT& MenuRect() const { return m_rcMenu; }
};

// The owner of the menus: one colour, records the commands it receives.
class COwner
{
public:
    COwner()
    {
        m_hWnd = CreateOwnerWindow("PopupMenuTrackingOwner", &WndProc, OWNER_RECT, ::CreateSolidBrush(BACKDROP));
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_hWnd);
        PumpMessagesFor(50);
        g_commands.clear();
    }
    ~COwner()
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND)
            g_commands.push_back(LOWORD(wParam));
        if (message == CExtPopupMenuWnd::g_nMsgItemCoveringNotification && wParam != 0) {
            const auto* pNotice = reinterpret_cast<const CExtItemCoveringNotification*>(wParam);
            if (pNotice->m_pPopup != nullptr && pNotice->m_pButton == nullptr)
                g_notices.push_back({pNotice->m_nItemIndex, pNotice->m_nKind, pNotice->m_nFlags});
        }
        if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed)
            ++g_nClosedNotices;
        if (message == CExtPopupMenuWnd::g_nMsgPrepareMenu && g_bCancelPrepare)
            reinterpret_cast<CExtPopupMenuWnd::MsgPrepareMenuData*>(wParam)->dwFlags |=
                CExtPopupMenuWnd::MsgPrepareMenuData::CANCEL;
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
};

bool WaitForCommand(DWORD dwTimeout = COMMAND_TIMEOUT_MS)
{
    const DWORD dwStart = ::GetTickCount();
    while (g_commands.empty() && ::GetTickCount() - dwStart < dwTimeout)
        PumpMessagesFor(20);
    return !g_commands.empty();
}

// Open, Save, a separator, Edit > (Cut, Copy), Exit, Send.
CCountedPopup* MakeMenu(HWND hWndOwner)
{
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuA(hEdit, MF_STRING, ID_CUT, "Cu&t");
    ::AppendMenuA(hEdit, MF_STRING, ID_COPY, "&Copy");
    ::AppendMenuA(hMenu, MF_STRING, ID_OPEN, "&Open\tCtrl+O");
    ::AppendMenuA(hMenu, MF_STRING, ID_SAVE, "&Save");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hEdit), "&Edit");
    ::AppendMenuA(hMenu, MF_STRING, ID_EXIT, "E&xit");
    ::AppendMenuA(hMenu, MF_STRING, ID_SEND, "&Send");
    auto* pPopup = new CCountedPopup;
    CMenu menu;
    menu.Attach(hMenu);
    const bool bOk = pPopup->FillFromMenu(hWndOwner, &menu, false, true, true);
    menu.DestroyMenu();
    if (!bOk) {
        delete pPopup;
        return nullptr;
    }
    return pPopup;
}

// Keys sent from a timer while StartTracking waits.
std::deque<WORD> g_timedKeys;
void CALLBACK SendNextTimedKey(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_timedKeys.empty())
        return;
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = g_timedKeys.front();
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    g_timedKeys.pop_front();
    ::SendInput(2, in, sizeof(INPUT));
}

HWND g_hWndToDestroy = nullptr;
void CALLBACK DestroyWindowLater(HWND, UINT, UINT_PTR, DWORD)
{
    ::DestroyWindow(g_hWndToDestroy);
}

class PopupMenuTracking : public ::testing::Test
{
protected:
    // One owner for the suite: destroying the foreground window costs seconds under Wine.
    static void SetUpTestSuite() { s_pOwner = new COwner; }
    static void TearDownTestSuite()
    {
        delete s_pOwner;
        s_pOwner = nullptr;
    }
    static COwner& Owner()
    {
        ::SetForegroundWindow(s_pOwner->m_hWnd);
        // Input left from an earlier case, or a cursor resting where the menu opens, must not
        // reach the next menu.
        ::SetCursorPos(OWNER_RECT.right - 20, OWNER_RECT.bottom - 20);
        PumpMessagesFor(60);
        g_commands.clear();
        return *s_pOwner;
    }
    static COwner* s_pOwner;

    void SetUp() override
    {
        g_nDeleted = 0;
        g_bCancelPrepare = false;
    }
    void TearDown() override
    {
        EndPopupTracking();
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    }
    CInstantPopups m_instantPopups;
};

COwner* PopupMenuTracking::s_pOwner = nullptr;

// Each sequence against the command the owner receives (0 for Escape and Alt).
TEST_F(PopupMenuTracking, KeySequencesPostTheChosenCommand)
{
    const struct
    {
        const char* name;
        std::vector<WORD> keys;
        UINT nExpected;
    } cases[] = {
        {"down enter takes the first", {VK_DOWN, VK_RETURN}, ID_OPEN},
        {"down down enter", {VK_DOWN, VK_DOWN, VK_RETURN}, ID_SAVE},
        {"up starts at the first, then wraps to the last", {VK_UP, VK_UP, VK_RETURN}, ID_SEND},
        {"separator is skipped", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, ID_EXIT},
        {"right opens the submenu on its first item", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN},
         ID_COPY},
        {"left closes the submenu again", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN},
         ID_EXIT},
        {"unique accelerator chooses at once", {'O'}, ID_OPEN},
        {"accelerator inside the submenu", {'E', 'C'}, ID_COPY},
        {"escape", {VK_ESCAPE}, 0},
        {"alt", {VK_MENU}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_nDeleted = 0;
        COwner& owner = Owner();
        CRecordingSoundPlayer sounds;
        CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
        ASSERT_NE(pPopup, nullptr);
        ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
        PumpMessagesFor(50);
        for (WORD vk : c.keys)
            PressKey(vk);
        ASSERT_TRUE(WaitForCommand());
        EXPECT_EQ(g_commands, std::vector<UINT>{c.nExpected});
        PumpMessagesFor(50);
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_EQ(g_nDeleted, 1);
        EXPECT_NE(std::count(sounds.m_sounds.begin(), sounds.m_sounds.end(), CExtSoundPlayer::SOUND_MENU_COMMAND), 0);
    }
}

TEST_F(PopupMenuTracking, SharedAcceleratorMovesBetweenItemsWithoutChoosing)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(50);
    // Save and Send share S; the key 0 matches nothing.
    PressKey('S');
    EXPECT_EQ(pPopup->GetCurrentItemIndex(), 1);
    PressKey('S');
    EXPECT_EQ(pPopup->GetCurrentItemIndex(), 5);
    PressKey('0');
    EXPECT_EQ(pPopup->GetCurrentItemIndex(), 5);
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(pPopup->FindItemByAccelChar('0'), -1);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForCommand());
    EXPECT_EQ(g_commands, std::vector<UINT>{ID_SEND});
}

// The owner hears of every item that gains or loses the highlight, and of a submenu about to open.
TEST_F(PopupMenuTracking, HighlightChangesAreToldToTheOwner)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(50);
    g_notices.clear();
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    pPopup->ScheduleSubmenuOpen(3);
    const int KEYBOARD = CExtItemCoveringNotification::FLAG_BY_KEYBOARD;
    const std::vector<Notice> expected = {
        {0, CExtItemCoveringNotification::KIND_COVERED, KEYBOARD},
        {0, CExtItemCoveringNotification::KIND_LEFT, 0},
        {1, CExtItemCoveringNotification::KIND_COVERED, KEYBOARD},
        {3, CExtItemCoveringNotification::KIND_SUBMENU_PENDING, 0},
    };
    EXPECT_EQ(expected, g_notices);
    pPopup->ScheduleSubmenuOpen(-1);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForCommand());
}

// The owner hears once that the tracked menu closed; a submenu closing is no such notice.
TEST_F(PopupMenuTracking, ClosingTheMenuTellsItsOwnerOnce)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    g_nClosedNotices = 0;
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(50);
    for (WORD vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT})
        PressKey(vk);
    EXPECT_EQ(g_nClosedNotices, 0);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForCommand());
    EXPECT_EQ(g_nClosedNotices, 1);
}

TEST_F(PopupMenuTracking, StoreOnlyFlagWritesTheResultWhileWaiting)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    g_timedKeys = {VK_DOWN, VK_DOWN, VK_RETURN};
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 80, &SendNextTimedKey);
    UINT nResult = 1234;
    EXPECT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_WAIT |
                                          CExtPopupMenuWnd::TRACK_STORE_ONLY,
                                      MENU_POINT.x, MENU_POINT.y, nullptr, nullptr, nullptr, &nResult));
    ::KillTimer(nullptr, nTimer);
    EXPECT_EQ(nResult, ID_SAVE);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(g_nDeleted, 1);
    PumpMessagesFor(50);
    EXPECT_TRUE(g_commands.empty());
}

// Without waiting the caller's variable is not remembered: the command goes to the owner only.
TEST_F(PopupMenuTracking, ResultIsNotWrittenAfterANonWaitingStart)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    UINT nResult = 1234;
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y, nullptr,
                                      nullptr, nullptr, &nResult));
    EXPECT_EQ(nResult, 0u);
    nResult = 1234;
    PumpMessagesFor(50);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForCommand());
    EXPECT_EQ(nResult, 1234u);
    EXPECT_EQ(g_commands, std::vector<UINT>{ID_OPEN});
}

TEST_F(PopupMenuTracking, FailedStartLeavesThePopupToItsCaller)
{
    COwner& owner = Owner();
    g_bCancelPrepare = true;
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_FALSE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(30);
    EXPECT_EQ(g_nDeleted, 0);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
    delete pPopup;
    EXPECT_EQ(g_nDeleted, 1);
}

TEST_F(PopupMenuTracking, QuitWhileWaitingEndsTheTrackingAndIsPostedAgain)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    ::PostQuitMessage(7);
    EXPECT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_WAIT,
                                      MENU_POINT.x, MENU_POINT.y));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(g_nDeleted, 1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(PopupMenuTracking, OwnerDestroyedWhileWaitingEndsTheTree)
{
    auto* pOwner = new COwner;
    g_hWndToDestroy = pOwner->m_hWnd;
    CCountedPopup* pPopup = MakeMenu(pOwner->m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    const UINT_PTR nTimer =
        ::SetTimer(nullptr, 0, 150, &DestroyWindowLater);
    EXPECT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_WAIT,
                                      MENU_POINT.x, MENU_POINT.y));
    ::KillTimer(nullptr, nTimer);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(g_nDeleted, 1);
    delete pOwner;
}

TEST_F(PopupMenuTracking, SecondStartEndsTheFirstTree)
{
    COwner& owner = Owner();
    CCountedPopup* pFirst = MakeMenu(owner.m_hWnd);
    CCountedPopup* pSecond = MakeMenu(owner.m_hWnd);
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);
    ASSERT_TRUE(pFirst->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    EXPECT_FALSE(pFirst->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    ASSERT_TRUE(pSecond->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, 300, 200));
    EXPECT_EQ(g_nDeleted, 1);
    EXPECT_EQ(g_PopupMenuTrackingState.m_pTrackedPopup, pSecond);
}

TEST_F(PopupMenuTracking, SubmenuOpensAfterTheMouseRests)
{
    const struct
    {
        const char* name;
        bool bLeaveEarly;
    } cases[] = {{"rests", false}, {"leaves before the delay", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COwner& owner = Owner();
        CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
        ASSERT_NE(pPopup, nullptr);
        ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
        PumpMessagesFor(50);
        CRect rcEdit;
        ASSERT_TRUE(pPopup->GetItemRect(3, &rcEdit, false));
        ::ClientToScreen(pPopup->GetSafeHwnd(), reinterpret_cast<POINT*>(&rcEdit.left));
        ::ClientToScreen(pPopup->GetSafeHwnd(), reinterpret_cast<POINT*>(&rcEdit.right));
        ::SetCursorPos(rcEdit.CenterPoint().x, rcEdit.CenterPoint().y);
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        ::SendInput(1, &in, sizeof(INPUT));
        PumpMessagesFor(250);
        CExtPopupMenuWnd* pChild = pPopup->GetSubmenuAt(3);
        ASSERT_NE(pChild, nullptr);
        EXPECT_EQ(pChild->GetSafeHwnd(), nullptr);
        if (c.bLeaveEarly) {
            CRect rcOpen;
            pPopup->GetItemRect(0, &rcOpen, false);
            ::ClientToScreen(pPopup->GetSafeHwnd(), reinterpret_cast<POINT*>(&rcOpen.left));
            ::SetCursorPos(rcOpen.left + 5, rcOpen.top + 5);
            ::SendInput(1, &in, sizeof(INPUT));
        }
        PumpMessagesFor(500);
        const bool bOpen = pChild->GetSafeHwnd() != nullptr && ::IsWindowVisible(pChild->GetSafeHwnd());
        EXPECT_EQ(bOpen, !c.bLeaveEarly);
        if (bOpen) {
            // The picture of a menu with its open submenu and both shadows.
            CRect rcParent, rcChild;
            ::GetWindowRect(pPopup->GetSafeHwnd(), &rcParent);
            ::GetWindowRect(pChild->GetSafeHwnd(), &rcChild);
            CRect rcBoth;
            rcBoth.UnionRect(rcParent, rcChild);
            rcBoth.InflateRect(10, 10);
            SaveScreenRectPng(rcBoth, "popup-menu-submenu.png");
        }
        PressKey(VK_ESCAPE);
        PressKey(VK_ESCAPE);
        CExtPopupMenuWnd::EndActiveTracking();
    }
}

// The shadow darkens what lay under the menu, right of and below it, and a second paint does
// not darken it again.
TEST_F(PopupMenuTracking, ShadowDarkensTheBackdropOnce)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(150);
    const int nShadow = pPopup->GetShadowSize();
    if (nShadow == 0)
        GTEST_SKIP() << "shadows are off in this theme";
    CRect rcMenu(pPopup->MenuRect());
    ::ClientToScreen(pPopup->GetSafeHwnd(), reinterpret_cast<POINT*>(&rcMenu.left));
    ::ClientToScreen(pPopup->GetSafeHwnd(), reinterpret_cast<POINT*>(&rcMenu.right));
    const POINT probes[] = {{rcMenu.right + 1, rcMenu.CenterPoint().y}, {rcMenu.CenterPoint().x, rcMenu.bottom + 1}};
    std::vector<COLORREF> first;
    for (const POINT& pt : probes) {
        const COLORREF clr = ScreenPixel(pt.x, pt.y);
        first.push_back(clr);
        EXPECT_LT(GetRValue(clr) + GetGValue(clr) + GetBValue(clr),
                  GetRValue(BACKDROP) + GetGValue(BACKDROP) + GetBValue(BACKDROP));
        EXPECT_GT(GetRValue(clr) + GetGValue(clr) + GetBValue(clr), 0) << "black, not a shadow";
    }
    pPopup->Invalidate(FALSE);
    pPopup->UpdateWindow();
    PumpMessagesFor(50);
    for (size_t i = 0; i < std::size(probes); ++i)
        EXPECT_TRUE(ColorNear(ScreenPixel(probes[i].x, probes[i].y), first[i], 2));
}

TEST_F(PopupMenuTracking, LayoutKeepsMinimumSizesAndFlipsAtTheEdge)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(50);
    for (int i = 0; i < pPopup->CountItems(); ++i) {
        CRect rc;
        if (!pPopup->GetItemRect(i, &rc, true) || pPopup->CommandIdAt(i) == 0)
            continue;
        EXPECT_GE(rc.Height(), CExtPopupMenuWnd::MENUITEMDATA::MIN_ITEM_HEIGHT) << i;
    }
    EXPECT_GE(pPopup->GetContentSize().cx, 80);
    CExtPopupMenuWnd::EndActiveTracking();

    // A menu opened near the right and bottom edges stays on the monitor.
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, cxScreen - 5, cyScreen - 5));
    CRect rcWindow;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rcWindow);
    EXPECT_LE(rcWindow.right, cxScreen);
    EXPECT_LE(rcWindow.bottom, cyScreen);
    EXPECT_GE(rcWindow.left, 0);
}

TEST_F(PopupMenuTracking, EmptyAndSeparatorOnlyMenusShowNothing)
{
    COwner& owner = Owner();
    const struct
    {
        const char* name;
        int nSeparators;
    } cases[] = {{"empty", 0}, {"separators only", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_nDeleted = 0;
        auto* pPopup = new CCountedPopup;
        ASSERT_TRUE(pPopup->PrepareEmptyPopup(owner.m_hWnd));
        for (int i = 0; i < c.nSeparators; ++i)
            pPopup->InsertCustomItem(0, -1, nullptr, nullptr, CExtCmdIcon());
        EXPECT_FALSE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
        EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
        EXPECT_EQ(g_nDeleted, 0);
        delete pPopup;
    }
}

// Down on the last shown item of a menu with hidden rarely used items expands it and moves to
// the first item that was hidden after it; the owner gets that item's command.
TEST_F(PopupMenuTracking, DownAtTheEndExpandsTheMenu)
{
    constexpr char PROFILE[] = "PopupTrackingExpand";
    COwner& owner = Owner();
    const bool bHide = CExtPopupBaseWnd::g_bHideRarelyUsedItems;
    CExtPopupBaseWnd::g_bHideRarelyUsedItems = true;
    ASSERT_TRUE(g_CmdManager->CreateProfile(PROFILE, owner.m_hWnd));
    const struct
    {
        UINT nId;
        const char* text;
        bool bBasic;
    } commands[] = {{ID_OPEN, "&Open", true}, {ID_EXIT, "E&xit", true}, {ID_SAVE, "&Save", false}};
    auto* pPopup = new CCountedPopup;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(owner.m_hWnd));
    for (const auto& cmd : commands) {
        CExtCmdItem* pCmd = g_CmdManager->AllocateCommand(PROFILE, cmd.nId);
        ASSERT_NE(pCmd, nullptr);
        pCmd->m_sMenuText = cmd.text;
        pCmd->SetBasic(cmd.bBasic);
        ASSERT_TRUE(pPopup->InsertCommandItem(cmd.nId));
    }
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_NO_CMD_UI,
                                      MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(50);
    EXPECT_FALSE(pPopup->IsItemDisplayed(2));
    CRect rcBefore;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rcBefore);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(pPopup->GetCurrentItemIndex(), 1);
    PressKey(VK_DOWN);
    EXPECT_TRUE(pPopup->IsItemDisplayed(2));
    EXPECT_EQ(pPopup->GetCurrentItemIndex(), 2);
    CRect rcAfter;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rcAfter);
    EXPECT_GT(rcAfter.Height(), rcBefore.Height() - 1);
    // Keys wait for the six ticks of the expand animation.
    PumpMessagesFor(400);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitForCommand());
    EXPECT_EQ(g_commands, std::vector<UINT>{ID_SAVE});
    g_CmdManager->RemoveAllCommands(PROFILE);
    g_CmdManager->DetachProfileWindow(owner.m_hWnd, true);
    CExtPopupBaseWnd::g_bHideRarelyUsedItems = bHide;
}

// A menu combined with the button below which it opens, for the picture.
TEST_F(PopupMenuTracking, CombinedMenuSharesItsButtonsOutline)
{
    COwner& owner = Owner();
    CCountedPopup* pPopup = MakeMenu(owner.m_hWnd);
    ASSERT_NE(pPopup, nullptr);
    const CRect rcButton(200, 60, 260, 84);
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_COMBINE |
                                          CExtPopupMenuWnd::ALIGN_BELOW,
                                      0, 0, &rcButton));
    PumpMessagesFor(150);
    EXPECT_EQ(pPopup->GetCombinedSide(), CExtPopupBaseWnd::SIDE_BELOW);
    CRect rcWindow;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rcWindow);
    EXPECT_EQ(rcWindow.top, rcButton.top);
    EXPECT_EQ(rcWindow.left, rcButton.left);
    rcWindow.InflateRect(10, 10);
    SaveScreenRectPng(rcWindow, "popup-menu-combined.png");
}

// Window commands take their state from the window they act on.
TEST_F(PopupMenuTracking, WindowCommandsFollowTheTargetsStyles)
{
    COwner& owner = Owner();
    HWND hWndFrame = ::CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                       0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hWndFrame, nullptr);
    const struct
    {
        UINT nId;
        bool bEnabled;
    } cases[] = {{SC_MINIMIZE, true}, {SC_MAXIMIZE, false}, {SC_RESTORE, false}, {SC_MOVE, true},
                 {SC_CONTEXTHELP, false}, {SC_CLOSE, true}};
    auto* pPopup = new CCountedPopup;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(owner.m_hWnd));
    for (const auto& c : cases)
        ASSERT_TRUE(pPopup->InsertCustomItem(c.nId, -1, "Window command", nullptr, CExtCmdIcon(),
                                             CExtPopupMenuWnd::CUSTOM_PLAIN, hWndFrame));
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i)
        EXPECT_EQ(pPopup->ItemDataAt(i)->IsEnabled(), cases[i].bEnabled) << std::hex << cases[i].nId;
    CExtPopupMenuWnd::EndActiveTracking();
    ::DestroyWindow(hWndFrame);
}

// A menu taller than the screen scrolls: it fits the monitor and shows the scroll-down button;
// Page Down and Up move through it without leaving the window.
TEST_F(PopupMenuTracking, TwoHundredItemsScrollInsideTheScreen)
{
    COwner& owner = Owner();
    auto* pPopup = new CCountedPopup;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(owner.m_hWnd));
    constexpr int ITEMS = 200;
    for (int i = 0; i < ITEMS; ++i)
        ASSERT_TRUE(pPopup->InsertCustomItem(0xA000u + static_cast<UINT>(i), -1, "Item", nullptr, CExtCmdIcon()));
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, MENU_POINT.x, MENU_POINT.y));
    PumpMessagesFor(50);
    CRect rcWindow;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rcWindow);
    EXPECT_LE(rcWindow.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GE(rcWindow.top, 0);
    CRect rcDown;
    EXPECT_TRUE(pPopup->GetItemRect(CExtPopupMenuWnd::SCROLL_DOWN_INDEX, &rcDown, false));
    PressKey(VK_UP);
    PressKey(VK_UP);
    EXPECT_EQ(pPopup->GetCurrentItemIndex(), ITEMS - 1);
    // The last item was scrolled into the menu, where the scroll-down button no longer shows.
    CRect rcLast;
    ASSERT_TRUE(pPopup->GetItemRect(ITEMS - 1, &rcLast, false));
    EXPECT_GT(rcLast.top, rcDown.top - rcLast.Height());
    EXPECT_LE(rcLast.bottom, pPopup->MenuRect().bottom);
    EXPECT_GE(pPopup->GetMinScrollPos(), -ITEMS * 40);
}

}  // namespace
