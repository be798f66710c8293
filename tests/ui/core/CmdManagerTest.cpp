#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtCmdProfile.h"

#include "platform/mfc/ControlBar.h"
#include "platform/mfc/DockBar.h"
#include "platform/mfc/FrameWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
const RECT CHILD_RECT = {0, 0, 20, 20};

// A frame, a child of it, a tool bar docked in its dock bar, and a floating frame holding a
// second bar of the same dock site with a control in it.
class CmdManagerWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pManager = std::make_unique<CExtCmdManager>();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW));
        ASSERT_TRUE(m_child.Create("STATIC", "", WS_CHILD, CHILD_RECT, m_pFrame, 1));
        ASSERT_TRUE(m_dockBar.Create(m_pFrame, WS_VISIBLE, AFX_IDW_DOCKBAR_TOP));
        ASSERT_TRUE(m_dockedBar.Create("STATIC", "", WS_CHILD, CHILD_RECT, &m_dockBar, 2));
        m_dockedBar.m_pDockSite = m_pFrame;
        m_dockedBar.m_pDockBar = &m_dockBar;
        ASSERT_TRUE(m_floatingFrame.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "floating", WS_POPUP, 0, 0, 50,
                                             50, nullptr, nullptr));
        ASSERT_TRUE(m_floatingBar.Create("STATIC", "", WS_CHILD, CHILD_RECT, &m_floatingFrame, 3));
        m_floatingBar.m_pDockSite = m_pFrame;
        ASSERT_TRUE(m_floatingControl.Create("STATIC", "", WS_CHILD, CHILD_RECT, &m_floatingBar, 4));
    }
    void TearDown() override
    {
        m_floatingFrame.DestroyWindow();
        if (m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();
    }

    std::unique_ptr<CExtCmdManager> m_pManager;
    CFrameWnd* m_pFrame = nullptr; // deletes itself with its window
    CWnd m_child;
    CDockBar m_dockBar;
    CControlBar m_dockedBar;
    CWnd m_floatingFrame;
    CControlBar m_floatingBar;
    CWnd m_floatingControl;
};

TEST_F(CmdManagerWindowTest, WindowsFindTheirFramesProfile)
{
    ASSERT_TRUE(m_pManager->CreateProfile("A", m_pFrame->m_hWnd));
    struct WindowCase
    {
        const char* pszWhat;
        HWND hWnd;
        const char* pszProfile; // null: none
    };
    const WindowCase cases[] = {
        {"the frame", m_pFrame->m_hWnd, "A"},
        {"a child of the frame", m_child.m_hWnd, "A"},
        {"a bar in a dock bar", m_dockedBar.m_hWnd, "A"},
        {"a control in a floating bar", m_floatingControl.m_hWnd, "A"},
        {"the floating frame itself", m_floatingFrame.m_hWnd, nullptr},
        {"no window", nullptr, nullptr},
    };
    for (const WindowCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        LPCSTR pszFound = m_pManager->FindProfileNameForWindow(c.hWnd);
        if (c.pszProfile == nullptr)
        {
            EXPECT_EQ(nullptr, pszFound);
        }
        else
        {
            EXPECT_STREQ(c.pszProfile, pszFound);
        }
    }
}

TEST_F(CmdManagerWindowTest, BindingAndDroppingProfiles)
{
    // An empty name is the default profile, which already exists.
    ASSERT_TRUE(m_pManager->CreateProfile("", m_child.m_hWnd));
    EXPECT_STREQ("default", m_pManager->FindProfileNameForWindow(m_child.m_hWnd));

    ASSERT_TRUE(m_pManager->CreateProfile("A", m_pFrame->m_hWnd));
    ASSERT_TRUE(m_pManager->CreateProfile("B"));
    // A window already bound keeps its profile.
    EXPECT_TRUE(m_pManager->AttachProfileWindow("B", m_pFrame->m_hWnd));
    EXPECT_STREQ("A", m_pManager->FindProfileNameForWindow(m_pFrame->m_hWnd));
    EXPECT_FALSE(m_pManager->AttachProfileWindow("missing", m_floatingFrame.m_hWnd));
    EXPECT_FALSE(m_pManager->AttachProfileWindow("B", nullptr));
    // Creating an existing profile keeps its commands.
    m_pManager->SetupCommand("A", CExtCmdItem(300));
    ASSERT_TRUE(m_pManager->CreateProfile("A"));
    EXPECT_NE(nullptr, m_pManager->FindCommand("A", 300));

    struct DetachCase
    {
        const char* pszWhat;
        HWND hWnd;
        bool bDrop;
        bool bResult;
        bool bRemoved;
        const char* pszProfileAfter; // checked to exist (or not) afterwards
        bool bExistsAfter;
    };
    ASSERT_TRUE(m_pManager->AttachProfileWindow("A", m_floatingFrame.m_hWnd));
    const DetachCase cases[] = {
        {"an unbound window", m_dockBar.m_hWnd, true, false, false, "A", true},
        {"a profile still bound elsewhere", m_pFrame->m_hWnd, true, true, false, "A", true},
        {"the last window of a profile", m_floatingFrame.m_hWnd, true, true, true, "A", false},
        {"the default profile is never dropped", m_child.m_hWnd, true, true, false, "default", true},
        {"no window", nullptr, true, false, false, "default", true},
    };
    for (const DetachCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        bool bRemoved = true;
        EXPECT_EQ(c.bResult, m_pManager->DetachProfileWindow(c.hWnd, c.bDrop, &bRemoved));
        EXPECT_EQ(c.bRemoved, bRemoved);
        EXPECT_EQ(c.bExistsAfter, m_pManager->FindProfile(c.pszProfileAfter) != nullptr);
    }
    EXPECT_EQ(nullptr, m_pManager->FindCommand("A", 300));
}

TEST(CmdManagerTest, OperationsReachTheNamedProfile)
{
    CExtCmdManager manager;
    ASSERT_NE(nullptr, manager.FindProfile(nullptr));
    EXPECT_STREQ("default", manager.FindProfile(nullptr)->m_sName);
    ASSERT_TRUE(manager.CreateProfile("Named"));
    bool bAdded = false;
    EXPECT_TRUE(manager.SetupCommand("Named", CExtCmdItem(400), false, &bAdded));
    EXPECT_TRUE(bAdded);
    EXPECT_NE(nullptr, manager.FindCommand("Named", 400));
    EXPECT_EQ(nullptr, manager.FindCommand(nullptr, 400));
    // Names are compared exactly.
    EXPECT_FALSE(manager.SetupCommand("named", CExtCmdItem(400), false, &bAdded));
    EXPECT_FALSE(bAdded);
    EXPECT_EQ(nullptr, manager.AllocateCommand("nobody"));
    EXPECT_NE(nullptr, manager.AllocateCommand(nullptr, 401));
    const UINT basics[] = {401, 0};
    EXPECT_TRUE(manager.MarkBasicCommands(nullptr, basics));
    EXPECT_TRUE(manager.FindCommand(nullptr, 401)->IsBasic());
    bool bRemoved = false;
    EXPECT_TRUE(manager.RemoveCommand("Named", 400, &bRemoved));
    EXPECT_TRUE(bRemoved);
    EXPECT_EQ(nullptr, manager.GetCommandHICON(nullptr, 401));
    manager.RemoveAllCommands(nullptr);
    EXPECT_EQ(nullptr, manager.FindCommand(nullptr, 401));

    struct IdCase
    {
        UINT nCmdId;
        bool bValid;
        bool bSystem;
        bool bFramework;
    };
    const IdCase ids[] = {
        {0, false, false, false},       {1, true, false, false},       {0x7FFFFFFF, true, false, false},
        {0x80000000u, false, false, false}, {0xF000, true, true, true}, {0xF1EF, true, true, true},
        {0xF1F0, true, false, false},   {0xE110, true, false, true},   {0xE11F, true, false, true},
        {0xE210, true, false, true},    {0xE21F, true, false, true},   {0xFF09, true, false, true},
        {0xFF0A, true, false, false},
    };
    for (const IdCase& c : ids)
    {
        SCOPED_TRACE(c.nCmdId);
        EXPECT_EQ(c.bValid, CExtCmdManager::IsValidCommandId(c.nCmdId));
        EXPECT_EQ(c.bSystem, CExtCmdManager::IsSystemCommandId(c.nCmdId));
        EXPECT_EQ(c.bFramework, CExtCmdManager::IsFrameworkCommandId(c.nCmdId));
    }
}

TEST(CmdManagerTest, TheProcessWideManagerHasTheDefaultProfile)
{
    ASSERT_NE(nullptr, g_CmdManager.GetManager());
    EXPECT_EQ(g_CmdManagerHolder.GetManager(), g_CmdManager.GetManager());
    EXPECT_NE(nullptr, g_CmdManager->FindProfile("default"));
}
} // namespace
