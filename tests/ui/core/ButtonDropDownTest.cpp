#include "tests/ui/core/PopupTestSupport.h"
#include "ui/core/ExtButton.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

const char* const PROFILE = "ButtonDropDownTest";
constexpr UINT ID_BUTTON = 700;
constexpr UINT ID_FIRST = 0x9301;
constexpr UINT ID_SECOND = 0x9302;
const RECT BUTTON_RECT = {30, 30, 130, 58};

// Records the commands its children send.
class CCommandParent : public CWnd
{
public:
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

class CTestButton : public CExtButton
{
public:
    void SetMenuChoosesCommand() { m_nFlags |= FLAG_MENU_CHOOSES_COMMAND; }
};

// Keys played from a timer while the menu is tracked (a waiting menu blocks the click). A key goes
// only once the menu takes input, and the next one only once the last moved the highlight: a key
// that came earlier would be ignored, or given to the button.
std::deque<WORD> g_timedKeys;
int g_nItemBeforeKey = -2;
void CALLBACK PlayNextKey(HWND, UINT, UINT_PTR, DWORD)
{
    const CExtPopupMenuTrackingState& state = g_PopupMenuTrackingState;
    const CExtPopupMenuWnd* pPopup = state.m_pTrackedPopup;
    if (g_timedKeys.empty() || pPopup == nullptr || !::IsWindowVisible(pPopup->GetSafeHwnd()) ||
        !pPopup->IsAnimationFinished() || state.m_pAnimatingPopup != nullptr || state.IsEnding())
        return;
    if (g_nItemBeforeKey != -2 && pPopup->GetCurrentItemIndex() == g_nItemBeforeKey)
        return;
    g_nItemBeforeKey = pPopup->GetCurrentItemIndex();
    SendKey(g_timedKeys.front());
    g_timedKeys.pop_front();
}

class ButtonDropDown : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // As the application runs: no hiding of the commands nobody has used yet.
        m_bHideRarely = CExtPopupBaseWnd::g_bHideRarelyUsedItems;
        CExtPopupBaseWnd::g_bHideRarelyUsedItems = false;
        LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, lpszClass, "drop-down", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                      nullptr, nullptr));
        ASSERT_TRUE(g_CmdManager->CreateProfile(PROFILE, m_parent.m_hWnd));
        ASSERT_TRUE(m_button.Create("Pick", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, BUTTON_RECT, &m_parent, ID_BUTTON));
        HMENU hBar = ::CreateMenu();
        HMENU hDrop = ::CreatePopupMenu();
        ::AppendMenuA(hDrop, MF_STRING, ID_FIRST, "&First");
        ::AppendMenuA(hDrop, MF_STRING, ID_SECOND, "&Second");
        ::AppendMenuA(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hDrop), "Drop");
        m_button.m_menu.Attach(hBar);
        ::SetForegroundWindow(m_parent.m_hWnd);
        ::SetCursorPos(380, 280);
        PumpMessagesFor(60);
        g_timedKeys.clear();
    }
    void TearDown() override
    {
        EndPopupTracking();
        m_button.DestroyWindow();
        g_CmdManager->RemoveAllCommands(PROFILE);
        g_CmdManager->DetachProfileWindow(m_parent.m_hWnd, true);
        m_parent.DestroyWindow();
        CExtPopupBaseWnd::g_bHideRarelyUsedItems = m_bHideRarely;
    }

    CCommandParent m_parent;
    CTestButton m_button;
    CInstantPopups m_instantPopups;
    bool m_bHideRarely = true;
};

}  // namespace

// The drop-down menu opens from the button and its command reaches the button's parent; a button
// whose menu chooses its command takes the command's id and text and reports it once.
TEST_F(ButtonDropDown, MenuCommandReachesTheParent)
{
    const struct
    {
        const char* name;
        bool bChooses;
        std::deque<WORD> keys;
        UINT nCommand;
    } cases[] = {
        {"first item", false, {VK_DOWN, VK_RETURN}, ID_FIRST},
        {"second item", false, {VK_DOWN, VK_DOWN, VK_RETURN}, ID_SECOND},
        {"menu chooses the command", true, {VK_DOWN, VK_DOWN, VK_RETURN}, ID_SECOND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_parent.m_commands.clear();
        m_button.SetDlgCtrlID(ID_BUTTON);
        if (c.bChooses) {
            m_button.SetMenuChoosesCommand();
            m_button.m_nOptions |= CExtButton::OPTION_TAKE_CHOSEN_COMMAND;
        }
        g_timedKeys = c.keys;
        g_nItemBeforeKey = -2;
        const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 120, &PlayNextKey);
        m_button.OnClick(false, false);
        if (!c.bChooses)
            EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_TRUE(PumpMessagesUntil([&] {
            return g_timedKeys.empty() && !CExtPopupMenuWnd::IsTrackingActive() && !m_parent.m_commands.empty();
        }));
        ::KillTimer(nullptr, nTimer);
        PumpMessagesFor(60);
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
        ASSERT_EQ(m_parent.m_commands.size(), 1u);
        EXPECT_EQ(m_parent.m_commands[0], c.nCommand);
        if (c.bChooses) {
            EXPECT_EQ(static_cast<UINT>(m_button.GetDlgCtrlID()), c.nCommand);
            CString sText;
            m_button.GetWindowText(sText);
            EXPECT_STREQ(sText, "&Second");
        }
    }
}

// The button joins a popup as a submenu made of its drop-down menu, under its own text.
TEST_F(ButtonDropDown, PutToPopupMenuAddsTheDropDownAsSubmenu)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.PrepareEmptyPopup(m_parent.m_hWnd));
    ASSERT_TRUE(m_button.PutToPopupMenu(&popup));
    ASSERT_EQ(popup.CountItems(), 1);
    EXPECT_EQ(popup.CommandIdAt(0), CExtPopupMenuWnd::ID_SUBMENU);
    CString sText;
    popup.GetItemText(sText, 0);
    EXPECT_STREQ(sText, "Pick");
    CExtPopupMenuWnd* pChild = popup.GetSubmenuAt(0);
    ASSERT_NE(pChild, nullptr);
    ASSERT_EQ(pChild->CountItems(), 2);
    EXPECT_EQ(pChild->CommandIdAt(1), ID_SECOND);

    m_button.m_menu.DestroyMenu();
    EXPECT_FALSE(m_button.PutToPopupMenu(&popup));
    EXPECT_EQ(popup.CountItems(), 1);
}
