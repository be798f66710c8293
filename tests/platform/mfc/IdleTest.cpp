#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

namespace
{
constexpr UINT ID_WITH_UPDATE = 1001;
constexpr UINT ID_WITH_COMMAND = 1002;
constexpr UINT ID_WITHOUT_HANDLER = 1003;
constexpr UINT ID_AUTO_CHECK = 1004;
constexpr UINT WM_APP_FINISH = WM_APP + 20;

// A main window whose controls take their state from its handlers at idle time.
class CPanelWnd : public CWnd
{
public:
    int m_nIdleUpdates = 0;
    int m_nKeysEaten = 0;
    int m_nExitCodeOnIdle = -1;  // when set, the first idle update ends the message loop
    CButton m_buttons[4];

    BOOL CreatePanel()
    {
        if (!CreateEx(0, AfxRegisterWndClass(0), "panel", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr))
            return FALSE;
        const UINT ids[] = {ID_WITH_UPDATE, ID_WITH_COMMAND, ID_WITHOUT_HANDLER, ID_AUTO_CHECK};
        for (int i = 0; i < 4; ++i)
        {
            DWORD dwStyle = WS_CHILD | WS_VISIBLE | (ids[i] == ID_AUTO_CHECK ? BS_AUTOCHECKBOX : BS_CHECKBOX);
            if (!m_buttons[i].Create("b", dwStyle, CRect(10, 10 + 30 * i, 100, 35 + 30 * i), this, ids[i]))
                return FALSE;
        }
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5)
        {
            ++m_nKeysEaten;
            return TRUE;
        }
        return CWnd::PreTranslateMessage(pMsg);
    }
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_nIdleUpdates;
        UpdateDialogControls(this, TRUE);
        if (m_nExitCodeOnIdle >= 0)
            PostMessage(WM_APP_FINISH, static_cast<WPARAM>(m_nExitCodeOnIdle));
        return 0;
    }
    afx_msg void OnUpdateWithUpdate(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnWithCommand() {}
    afx_msg LRESULT OnFinish(WPARAM wParam, LPARAM)
    {
        PostQuitMessage(static_cast<int>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPanelWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_WITH_UPDATE, OnUpdateWithUpdate)
    ON_COMMAND(ID_WITH_COMMAND, OnWithCommand)
    ON_MESSAGE(WM_APP_FINISH, OnFinish)
END_MESSAGE_MAP()

class IdleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pThread = AfxGetThread();
        ASSERT_NE(nullptr, m_pThread);
        ASSERT_TRUE(m_panel.CreatePanel());
        m_panel.ShowWindow(SW_SHOWNA);
        m_pThread->m_pMainWnd = &m_panel;
    }
    void TearDown() override
    {
        m_pThread->m_pMainWnd = nullptr;
        m_panel.DestroyWindow();
        // Leaves no quit request behind for the next test.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
        }
    }
    CWinThread* m_pThread = nullptr;
    CPanelWnd m_panel;
};
}

TEST_F(IdleTest, FirstIdlePassUpdatesControlsFromHandlers)
{
    EXPECT_TRUE(m_pThread->OnIdle(0)) << "more idle work follows";
    EXPECT_EQ(1, m_panel.m_nIdleUpdates);
    struct Case
    {
        int nButton;
        BOOL bEnabled;
        int nCheck;
    } const cases[] = {
        {0, TRUE, BST_CHECKED},     // update handler sets the check, enables by default
        {1, TRUE, BST_UNCHECKED},   // a command handler keeps it enabled
        {2, FALSE, BST_UNCHECKED},  // no handler: disabled
        {3, TRUE, BST_UNCHECKED},   // auto check boxes are never disabled for want of a handler
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.bEnabled, m_panel.m_buttons[c.nButton].IsWindowEnabled()) << c.nButton;
        EXPECT_EQ(c.nCheck, m_panel.m_buttons[c.nButton].GetCheck()) << c.nButton;
    }
    EXPECT_FALSE(m_pThread->OnIdle(1)) << "the second pass frees temporaries and ends idle work";
}

TEST_F(IdleTest, RunPreTranslatesAlongTheParentChainAndIdlesBetweenMessages)
{
    HWND hButton = m_panel.m_buttons[1].m_hWnd;
    PostMessageA(hButton, WM_KEYDOWN, VK_F5, 0);
    PostMessageA(hButton, WM_KEYDOWN, VK_F6, 0);
    m_panel.m_nExitCodeOnIdle = 17;
    EXPECT_EQ(17, m_pThread->CWinThread::Run());
    EXPECT_EQ(1, m_panel.m_nKeysEaten) << "the key for the button reached the main window's PreTranslateMessage";
    EXPECT_EQ(1, m_panel.m_nIdleUpdates) << "idle time came once the queue was empty";
    EXPECT_FALSE(m_panel.m_buttons[2].IsWindowEnabled());
}

TEST_F(IdleTest, DestroyingTheMainWindowEndsTheLoop)
{
    m_panel.PostMessage(WM_CLOSE);
    EXPECT_EQ(0, m_pThread->CWinThread::Run());
    EXPECT_EQ(nullptr, m_panel.m_hWnd);
    EXPECT_EQ(nullptr, m_pThread->m_pMainWnd);
}
