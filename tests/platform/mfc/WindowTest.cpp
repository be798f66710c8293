#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr UINT ID_FIRST = 100;
constexpr UINT ID_SECOND = 101;
constexpr UINT ID_RANGE_FIRST = 200;
constexpr UINT ID_RANGE_LAST = 205;
constexpr UINT ID_UNHANDLED = 300;
constexpr UINT ID_CONTINUED = 301;
constexpr UINT WM_APP_PING = WM_APP + 1;
UINT g_nRegisteredPing = RegisterWindowMessageA("WindowTest::g_nRegisteredPing");

// Records what reached which handler.
std::vector<std::string> g_log;

class CBaseWnd : public CWnd
{
public:
    afx_msg void OnFirst() { g_log.push_back("base:first"); }
    afx_msg void OnSecond() { g_log.push_back("base:second"); }
    afx_msg void OnUpdateSecond(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        g_log.push_back("size:" + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(nType, cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_COMMAND(ID_FIRST, OnFirst)
    ON_COMMAND(ID_SECOND, OnSecond)
    ON_UPDATE_COMMAND_UI(ID_SECOND, OnUpdateSecond)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd
{
public:
    int m_nCreates = 0;
    CPoint m_ptLastClick;
    UINT m_nTimerFired = 0;

    afx_msg void OnFirst() { g_log.push_back("derived:first"); }
    afx_msg void OnRange(UINT nID) { g_log.push_back("range:" + std::to_string(nID)); }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->SetCheck(pCmdUI->m_nID == ID_RANGE_FIRST + 1); }
    afx_msg void OnUpdateContinued(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct)
    {
        ++m_nCreates;
        return CBaseWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnLButtonDown(UINT, CPoint point) { m_ptLastClick = point; }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    afx_msg LRESULT OnRegisteredPing(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        m_nTimerFired = static_cast<UINT>(nIDEvent);
        KillTimer(nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_COMMAND(ID_FIRST, OnFirst)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnUpdateRange)
    ON_UPDATE_COMMAND_UI(ID_CONTINUED, OnUpdateContinued)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_MESSAGE(WM_APP_PING, OnPing)
    ON_REGISTERED_MESSAGE(g_nRegisteredPing, OnRegisteredPing)
END_MESSAGE_MAP()

// A command UI that only records what an update handler asked for.
class CRecordingCmdUI : public CCmdUI
{
public:
    int m_nEnabled = -1;
    int m_nChecked = -1;
    void Enable(BOOL bOn) override
    {
        m_nEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { m_nChecked = nCheck; }
};

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                   nullptr, nullptr));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    CDerivedWnd m_wnd;
};
}

TEST_F(WindowTest, ObjectIsAttachedBeforeTheFirstMessage)
{
    EXPECT_EQ(1, m_wnd.m_nCreates);
    EXPECT_EQ(&m_wnd, CWnd::FromHandlePermanent(m_wnd.m_hWnd));
    EXPECT_EQ(&m_wnd, CWnd::FromHandle(m_wnd.m_hWnd));
    EXPECT_TRUE(m_wnd.IsKindOf(RUNTIME_CLASS(CWnd)));
}

TEST_F(WindowTest, CommandsRouteToTheMostDerivedHandler)
{
    struct Case
    {
        UINT nID;
        BOOL bHandled;
        const char* logged;
    } const cases[] = {
        {ID_FIRST, TRUE, "derived:first"},
        {ID_SECOND, TRUE, "base:second"},
        {ID_RANGE_FIRST + 3, TRUE, "range:203"},
        {ID_RANGE_LAST, TRUE, "range:205"},
        {ID_RANGE_LAST + 1, FALSE, nullptr},
        {ID_UNHANDLED, FALSE, nullptr},
    };
    for (const Case& c : cases)
    {
        g_log.clear();
        EXPECT_EQ(c.bHandled, m_wnd.OnCmdMsg(c.nID, CN_COMMAND, nullptr, nullptr)) << c.nID;
        if (c.logged != nullptr)
            EXPECT_EQ(std::vector<std::string>{c.logged}, g_log) << c.nID;
        else
            EXPECT_TRUE(g_log.empty()) << c.nID;
    }
}

TEST_F(WindowTest, WmCommandSkipsDisabledCommands)
{
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SECOND, 0), 0);
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 0), 0);
    EXPECT_EQ(std::vector<std::string>{"derived:first"}, g_log) << "the update handler disables ID_SECOND";
}

TEST_F(WindowTest, UpdateHandlersSetStateAndMissingHandlersDisable)
{
    struct Case
    {
        UINT nID;
        BOOL bDisableIfNoHndler;
        int nEnabled;
        int nChecked;
    } const cases[] = {
        {ID_SECOND, TRUE, FALSE, -1},           // its update handler disables it
        {ID_FIRST, TRUE, TRUE, -1},             // no update handler, but a command handler
        {ID_UNHANDLED, TRUE, FALSE, -1},        // no handler at all
        {ID_UNHANDLED, FALSE, -1, -1},          // ... left alone when asked to
        {ID_RANGE_FIRST + 1, TRUE, TRUE, 1},    // range update handler checks it
        {ID_RANGE_FIRST + 2, TRUE, TRUE, 0},
        {ID_CONTINUED, TRUE, FALSE, -1},        // the update routing continues and finds no handler
    };
    for (const Case& c : cases)
    {
        CRecordingCmdUI state;
        state.m_nID = c.nID;
        state.DoUpdate(&m_wnd, c.bDisableIfNoHndler);
        EXPECT_EQ(c.nEnabled, state.m_nEnabled) << c.nID;
        EXPECT_EQ(c.nChecked, state.m_nChecked) << c.nID;
    }
}

TEST_F(WindowTest, WindowMessagesReachTheirCrackedHandlers)
{
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 17));
    EXPECT_EQ(CPoint(-5, 17), m_wnd.m_ptLastClick);
    EXPECT_EQ(7, m_wnd.SendMessage(WM_APP_PING, 3, 4));
    EXPECT_EQ(10, m_wnd.SendMessage(g_nRegisteredPing, 5, 0));
    g_log.clear();
    m_wnd.SetWindowPos(nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
    CRect rect;
    m_wnd.GetClientRect(&rect);
    ASSERT_FALSE(g_log.empty());
    EXPECT_EQ("size:" + std::to_string(rect.Width()) + "x" + std::to_string(rect.Height()), g_log.back());
}

TEST_F(WindowTest, DestroyDetachesAndTemporaryObjectsGoAtIdle)
{
    CWnd* pTemporary = CWnd::FromHandle(GetDesktopWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(GetDesktopWindow()));
    EXPECT_EQ(pTemporary, CWnd::FromHandle(GetDesktopWindow())) << "one temporary per handle until idle";
    CWnd::DeleteTempMap();

    HWND hWnd = m_wnd.m_hWnd;
    m_wnd.DestroyWindow();
    EXPECT_EQ(nullptr, m_wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST_F(WindowTest, WaitCursorSurvivesSetCursor)
{
    HCURSOR hWait = LoadCursorA(nullptr, IDC_WAIT);
    {
        CWaitCursor wait;
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        EXPECT_EQ(TRUE, m_wnd.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_wnd.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(hWait, GetCursor());
    }
    EXPECT_FALSE(AfxIsWaitCursorShowing());
    EXPECT_NE(hWait, GetCursor()) << "the cursor from before the wait comes back";
}

// A null window, device context or drawing object passed where the platform accepts none stands
// for none: the screen, no source, no region.
TEST_F(WindowTest, NullArgumentsStandForNone)
{
    CPoint mapped(3, 4);
    m_wnd.MapWindowPoints(nullptr, &mapped, 1);
    CPoint onScreen(3, 4);
    m_wnd.ClientToScreen(&onScreen);
    EXPECT_EQ(onScreen, mapped) << "no target window: the screen";

    EXPECT_FALSE(m_wnd.IsChild(nullptr));

    CClientDC screen(nullptr);
    ASSERT_NE(nullptr, screen.m_hDC) << "no window: the screen's DC";
    CWindowDC screenWindow(nullptr);
    EXPECT_NE(nullptr, screenWindow.m_hDC);

    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 4, 4));
    CBitmap* pOld = memory.SelectObject(&bitmap);
    EXPECT_TRUE(memory.BitBlt(0, 0, 4, 4, nullptr, 0, 0, WHITENESS)) << "a raster operation without a source";
    EXPECT_EQ(RGB(255, 255, 255), memory.GetPixel(1, 1));
    EXPECT_EQ(SIMPLEREGION, memory.SelectClipRgn(nullptr)) << "no region: clipping removed";
    memory.SelectObject(pOld);
}
