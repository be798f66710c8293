#include "ui/core/ExtEdit.h"

#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdItemUI.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace
{
constexpr UINT CMD_UNDO = 0xE12B;
constexpr UINT CMD_CUT = 0xE123;
constexpr UINT CMD_COPY = 0xE122;
constexpr UINT CMD_PASTE = 0xE125;
constexpr UINT CMD_CLEAR = 0xE120;
constexpr UINT CMD_SELECT_ALL = 0xE12A;
const RECT EDIT_RECT = {10, 10, 210, 34};

class EditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Topmost: other test programs share the display.
        LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, lpszClass, "edits", WS_POPUP | WS_VISIBLE, 0, 0, 300, 150, nullptr,
                                      nullptr));
        m_profile = "EditTest" + std::to_string(::GetCurrentProcessId());
    }
    void TearDown() override
    {
        g_CmdManager->DetachProfileWindow(m_parent.m_hWnd, true);
        m_parent.DestroyWindow();
    }
    // Each edit command's enabled state as the framework's update reports it.
    std::map<UINT, bool> States(CExtEditBase& edit)
    {
        std::map<UINT, bool> states;
        for (UINT nCmdId : {CMD_UNDO, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_CLEAR, CMD_SELECT_ALL})
        {
            CExtCmdItem item(nCmdId);
            CExtCmdItemUI cmdUI(&item);
            EXPECT_TRUE(edit.OnCmdMsg(nCmdId, -1, &cmdUI, nullptr));
            states[nCmdId] = item.IsEnabled();
        }
        return states;
    }

    CWnd m_parent;
    std::string m_profile;
};

TEST_F(EditTest, ContextMenuCommandStates)
{
    // Something on the clipboard, so that only the style decides about pasting.
    ASSERT_TRUE(::OpenClipboard(m_parent.m_hWnd));
    ::EmptyClipboard();
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(::GlobalLock(hText), "abc", 4);
    ::GlobalUnlock(hText);
    ::SetClipboardData(CF_TEXT, hText);
    ::CloseClipboard();

    struct StateCase
    {
        const char* pszWhat;
        DWORD dwStyle;
        const char* pszText;
        int nSelStart, nSelEnd;
        bool bUndo, bCut, bCopy, bPaste, bClear, bSelectAll;
    };
    const StateCase cases[] = {
        {"empty", 0, "", 0, 0, false, false, false, true, false, false},
        {"text, no selection", 0, "Stage", 2, 2, false, false, false, true, false, true},
        {"part selected", 0, "Stage", 1, 3, false, true, true, true, true, true},
        {"all selected", 0, "Stage", 0, -1, false, true, true, true, true, false},
        {"read-only, part selected", ES_READONLY, "Stage", 1, 3, false, false, true, false, false, true},
        {"read-only, no selection", ES_READONLY, "Stage", 0, 0, false, false, false, false, false, true},
    };
    for (const StateCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CExtEdit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | c.dwStyle, EDIT_RECT, &m_parent, 1));
        edit.SetWindowText(c.pszText);
        edit.SetSel(c.nSelStart, c.nSelEnd);
        std::map<UINT, bool> states = States(edit);
        EXPECT_EQ(c.bUndo, states[CMD_UNDO]);
        EXPECT_EQ(c.bCut, states[CMD_CUT]);
        EXPECT_EQ(c.bCopy, states[CMD_COPY]);
        EXPECT_EQ(c.bPaste, states[CMD_PASTE]);
        EXPECT_EQ(c.bClear, states[CMD_CLEAR]);
        EXPECT_EQ(c.bSelectAll, states[CMD_SELECT_ALL]);
    }
}

TEST_F(EditTest, CommandsRunOnTheEdit)
{
    CExtEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, EDIT_RECT, &m_parent, 1));
    edit.SetWindowText("Stage one");
    EXPECT_TRUE(edit.OnCmdMsg(CMD_SELECT_ALL, 0, nullptr, nullptr));
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(9, nEnd);
    EXPECT_TRUE(edit.OnCmdMsg(CMD_CLEAR, 0, nullptr, nullptr));
    EXPECT_EQ(0, ::GetWindowTextLengthA(edit.m_hWnd));
    // With the handling switched off, the commands take the normal route.
    edit.m_nEditFlags = 0;
    EXPECT_FALSE(edit.OnCmdMsg(CMD_SELECT_ALL, 0, nullptr, nullptr));
}

TEST_F(EditTest, ContextMenuTextsComeFromTheProfile)
{
    CExtEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, EDIT_RECT, &m_parent, 1));
    EXPECT_FALSE(edit.PrepareContextMenuCommands()); // no profile for the window yet
    ASSERT_TRUE(g_CmdManager->CreateProfile(m_profile.c_str(), m_parent.m_hWnd));
    CExtCmdItem* pCut = g_CmdManager->AllocateCommand(m_profile.c_str(), CMD_CUT);
    pCut->m_sMenuText = "Snip";
    ASSERT_TRUE(edit.PrepareContextMenuCommands());
    struct TextCase
    {
        UINT nCmdId;
        const char* pszText;
    };
    const TextCase cases[] = {
        {CMD_CUT, "Snip"},        // its own text is kept
        {CMD_COPY, "Copy text"},  // from the string table, after the last LF
        {CMD_UNDO, "&Undo"},      // the default text
        {CMD_SELECT_ALL, "Select &All"},
    };
    for (const TextCase& c : cases)
    {
        const CExtCmdItem* pItem = g_CmdManager->FindCommand(m_profile.c_str(), c.nCmdId);
        ASSERT_NE(nullptr, pItem) << c.nCmdId;
        EXPECT_STREQ(c.pszText, pItem->m_sMenuText);
        EXPECT_TRUE(pItem->IsBasic());
    }
}

// What the tracked menu showed, seen from a timer while the menu's own loop runs; then it ends.
struct ShownMenu
{
    std::vector<UINT> commands;
    CRect rect;
    HWND focus = nullptr;
};
ShownMenu g_shownMenu;

void CALLBACK LookAtTrackedMenuAndEnd(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const CExtPopupMenuWnd* pPopup = g_PopupMenuTrackingState.m_pTrackedPopup;
    if (pPopup == nullptr || pPopup->GetSafeHwnd() == nullptr)
        return;
    ::KillTimer(nullptr, nTimer);
    for (int i = 0; i < pPopup->CountItems(); ++i)
        g_shownMenu.commands.push_back(pPopup->CommandIdAt(i));
    ::GetWindowRect(pPopup->GetSafeHwnd(), &g_shownMenu.rect);
    g_shownMenu.focus = ::GetFocus();
    CExtPopupMenuWnd::EndActiveTracking();
}

// The menu key (or a right click) opens the framework's menu of the edit commands, at the edit's
// middle for the key, with the focus on the edit; its commands come back to the edit.
TEST_F(EditTest, ContextMenuIsTheFrameworksAndRunsOnTheEdit)
{
    CExtEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, EDIT_RECT, &m_parent, 1));
    edit.SetWindowText("Stage one");
    ASSERT_TRUE(g_CmdManager->CreateProfile(m_profile.c_str(), m_parent.m_hWnd));
    g_shownMenu = ShownMenu();
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, &LookAtTrackedMenuAndEnd);
    edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.m_hWnd), MAKELPARAM(-1, -1));
    ::KillTimer(nullptr, nTimer);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());

    const std::vector<UINT> expected = {CMD_UNDO, 0, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_CLEAR, 0, CMD_SELECT_ALL};
    EXPECT_EQ(expected, g_shownMenu.commands);
    CRect rcEdit;
    edit.GetClientRect(&rcEdit);
    edit.ClientToScreen(&rcEdit);
    EXPECT_EQ(rcEdit.CenterPoint().x, g_shownMenu.rect.left);
    EXPECT_EQ(edit.m_hWnd, g_shownMenu.focus);

    edit.SendMessage(WM_COMMAND, CMD_SELECT_ALL);
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(9, nEnd);
}

// The hot look comes only while the edit's window is the active one, and ends when the mouse leaves.
TEST_F(EditTest, TheHotLookEndsWhenTheMouseLeaves)
{
    CExtEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, EDIT_RECT, &m_parent, 1));
    POINT pt = {20, 10};
    ::ClientToScreen(edit.m_hWnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
    auto pumpFor = [](DWORD dwMs) {
        const DWORD dwStart = ::GetTickCount();
        while (::GetTickCount() - dwStart < dwMs)
        {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
            ::Sleep(5);
        }
    };
    HWND hOther = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 400, 300, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
    ::SetActiveWindow(hOther);
    edit.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    pumpFor(150);
    EXPECT_FALSE(edit.IsHovered()) << "another window is active";
    ::DestroyWindow(hOther);
    m_parent.SetActiveWindow();
    edit.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    pumpFor(150);
    EXPECT_TRUE(edit.IsHovered());
    ::SetCursorPos(280, 140);
    pumpFor(150);
    EXPECT_FALSE(edit.IsHovered());
}
} // namespace
