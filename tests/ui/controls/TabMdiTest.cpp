// MDI tab strips on a test MDI frame: tabs follow the children, choosing a tab activates its
// child, and the MDI client's border joins the strip.
#include "TabTestSupport.h"
#include "ui/bars/ExtControlBar.h"
#include "ui/controls/ExtTabMdiWnd.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {
using T = CExtTabWnd;
constexpr UINT STRIP_ID = AFX_IDW_CONTROLBAR_FIRST + 40;
constexpr DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
constexpr UINT ID_MENU_COMMAND = 0x8123;
using MenuEvent = CExtControlBar::POPUP_MENU_EVENT_DATA;

// A frame that answers the bars' context-menu protocol and records what it is asked and sent.
class CMenuFrame : public CMDIFrameWnd
{
public:
    struct Notification
    {
        SHORT nKind;
        CWnd* pSrcWnd;
        UINT nSrcMessage;
        POINT ptScreen;
        bool bPost;
    };
    bool m_bFillMenu = false;
    bool m_bClaimStep = false;
    std::vector<Notification> m_notifications;
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID != ID_MENU_COMMAND)
            return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == CN_UPDATE_COMMAND_UI)
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
        else if (nCode == CN_COMMAND && pHandlerInfo == nullptr)
            m_commands.push_back(nID);
        return TRUE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != CExtControlBar::g_nMsgConstructPopupMenu)
            return CMDIFrameWnd::WindowProc(message, wParam, lParam);
        MenuEvent* pData = MenuEvent::PassThroughArgument(wParam);
        m_notifications.push_back({pData->m_nEventKind, pData->m_pSrcWnd, pData->m_nSrcMessage, pData->m_ptScreen,
                                   pData->m_bPostNotification});
        if (!pData->m_bPostNotification && m_bFillMenu)
            pData->m_pPopupMenu->InsertCustomItem(ID_MENU_COMMAND, -1, "Close all", nullptr, CExtCmdIcon());
        return m_bClaimStep ? 1 : 0;
    }
};

// The frame lives inside the shared host: top-level frames cost seconds under Xvfb.
template <class TStrip, class TFrame = CMDIFrameWnd>
class CMdiScene
{
public:
    explicit CMdiScene(HWND hHost)
    {
        m_pFrame = new TFrame;
        m_bOk = m_pFrame->Create(nullptr, "frame", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 400, 260),
                                 CWnd::FromHandle(hHost)) != FALSE;
        if (m_bOk)
            m_bOk = m_strip.CreateTabWnd(m_pFrame, CRect(0, 0, 0, 0), STRIP_ID,
                                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                         T::STYLE_ORIENT_TOP | T::STYLE_CLOSE | T::STYLE_CLOSE_ENABLED) != FALSE;
    }
    ~CMdiScene()
    {
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        PumpMessages();
    }
    CMDIChildWnd* AddChild(const char* pszTitle, int nWindow)
    {
        auto* pChild = new CMDIChildWnd;
        if (!pChild->Create(nullptr, pszTitle, CHILD_STYLE, CRect(10, 10, 200, 150), m_pFrame)) {
            delete pChild;
            return nullptr;
        }
        pChild->m_nWindow = nWindow;
        return pChild;
    }
    // The synchronisation timer runs, then the frame lays the strip out.
    void Settle()
    {
        PumpFor(60);
        m_pFrame->RecalcLayout();
        PumpMessages();
    }
    int TabOf(CWnd* pChild) const { return m_strip.FindTabByWindow(pChild->GetSafeHwnd()); }
    HWND Client() const { return m_pFrame->m_hWndMDIClient; }
    // Window minus client size of the MDI client.
    SIZE ClientBorders() const
    {
        CRect rcWindow, rcClient;
        ::GetWindowRect(Client(), &rcWindow);
        ::GetClientRect(Client(), &rcClient);
        return SIZE{rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height()};
    }

    TFrame* m_pFrame = nullptr;
    TStrip m_strip;
    bool m_bOk = false;
};

class TabMdi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pHost = &CTestHostWindow::Shared(420, 280, 0);
        ::SetForegroundWindow(m_pHost->Handle());
    }
    CTestHostWindow* m_pHost = nullptr;
};

TEST_F(TabMdi, TabsFollowTheChildrenAndNameThemAfterTheirDocumentWindow)
{
    CMdiScene<CExtTabMdiWnd> scene(m_pHost->Handle());
    ASSERT_TRUE(scene.m_bOk);
    EXPECT_TRUE(scene.m_strip.IsHookingWindow(scene.Client()));
    scene.Settle();
    EXPECT_FALSE(scene.m_strip.IsWindowVisible()) << "no children, no strip";
    CMDIChildWnd* pFirst = scene.AddChild("Drawing", 1);
    CMDIChildWnd* pSecond = scene.AddChild("Drawing", 2);
    CMDIChildWnd* pPlain = scene.AddChild("Notes", 0);
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr && pPlain != nullptr);
    scene.Settle();
    ASSERT_EQ(3, scene.m_strip.GetItemCount());
    std::set<std::string> texts;
    for (int i = 0; i < 3; ++i)
        texts.insert(static_cast<LPCSTR>(scene.m_strip.GetItemAt(i)->GetText()));
    EXPECT_EQ((std::set<std::string>{"Drawing:1", "Drawing:2", "Notes"}), texts);
    EXPECT_TRUE(scene.m_strip.IsWindowVisible());
    EXPECT_EQ(scene.TabOf(pPlain), scene.m_strip.GetSelectedIndex()) << "the active child's tab";

    // Closing removes the tab at once, before the timer's synchronisation.
    pSecond->MDIDestroy();
    EXPECT_EQ(2, scene.m_strip.GetItemCount());
    EXPECT_EQ(-1, scene.m_strip.FindTabByWindow(nullptr));
    scene.Settle();
    EXPECT_EQ(2, scene.m_strip.GetItemCount());
}

TEST_F(TabMdi, ChoosingATabActivatesItsChildAndActivationSelectsItsTab)
{
    CMdiScene<CExtTabMdiWnd> scene(m_pHost->Handle());
    ASSERT_TRUE(scene.m_bOk);
    CMDIChildWnd* pFirst = scene.AddChild("One", 0);
    CMDIChildWnd* pSecond = scene.AddChild("Two", 0);
    scene.Settle();
    ASSERT_EQ(2, scene.m_strip.GetItemCount());
    ASSERT_EQ(pSecond, scene.m_pFrame->MDIGetActive());

    // A click on a tab activates its child.
    const HWND hStrip = scene.m_strip.GetSafeHwnd();
    POINT pt = ScreenPoint(hStrip, Centre(scene.m_strip.GetItemClientRect(scene.TabOf(pFirst))));
    PlayMouseSteps({{0, pt}, {MOUSEEVENTF_LEFTDOWN, pt}, {MOUSEEVENTF_LEFTUP, pt}, {0, POINT{pt.x, pt.y + 200}}});
    EXPECT_EQ(pFirst, scene.m_pFrame->MDIGetActive());
    EXPECT_EQ(scene.TabOf(pFirst), scene.m_strip.GetSelectedIndex());

    // Activation through the client selects the tab.
    scene.m_pFrame->MDIActivate(pSecond);
    PumpMessages();
    EXPECT_EQ(scene.TabOf(pSecond), scene.m_strip.GetSelectedIndex());
    EXPECT_EQ(pSecond, scene.m_pFrame->MDIGetActive());

}

// A right click selects its tab and offers the frame a menu; the menu shows only when the frame
// filled it and said so, and nothing at all happens in context-help mode.
TEST_F(TabMdi, TheContextMenuIsWhatTheFrameBuilds)
{
    struct Case
    {
        const char* name;
        bool bHelpMode;
        bool bFill;
        bool bClaim;
        size_t nNotifications;
        bool bMenuShown;
    };
    const Case cases[] = {
        {"frame fills and claims", false, true, true, 2, true},
        {"frame claims an empty menu", false, false, true, 2, false},
        {"frame fills without claiming", false, true, false, 2, false},
        {"help mode", true, true, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMdiScene<CExtTabMdiWnd, CMenuFrame> scene(m_pHost->Handle());
        ASSERT_TRUE(scene.m_bOk);
        CMDIChildWnd* pFirst = scene.AddChild("One", 0);
        CMDIChildWnd* pSecond = scene.AddChild("Two", 0);
        scene.Settle();
        ASSERT_EQ(scene.TabOf(pSecond), scene.m_strip.GetSelectedIndex());
        scene.m_pFrame->m_bFillMenu = c.bFill;
        scene.m_pFrame->m_bClaimStep = c.bClaim;
        scene.m_pFrame->m_bHelpMode = c.bHelpMode ? TRUE : FALSE;

        const POINT pt =
            ScreenPoint(scene.m_strip.GetSafeHwnd(), Centre(scene.m_strip.GetItemClientRect(scene.TabOf(pFirst))));
        // Down and Enter choose the menu's item when it shows; Escape ends whatever is left.
        PlayMouseSteps({{0, pt},
                        {MOUSEEVENTF_RIGHTDOWN, pt},
                        {MOUSEEVENTF_RIGHTUP, pt, 400},  // the menu opens animated and ignores keys meanwhile
                        {0, pt, 60, VK_DOWN},
                        {0, pt, 60, VK_RETURN},
                        {0, pt, 60, VK_ESCAPE}});
        scene.m_pFrame->m_bHelpMode = FALSE;
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());

        const auto& notes = scene.m_pFrame->m_notifications;
        ASSERT_EQ(c.nNotifications, notes.size());
        for (size_t i = 0; i < notes.size(); ++i) {
            EXPECT_EQ(MenuEvent::MDITABS_CTX, notes[i].nKind);
            EXPECT_EQ(static_cast<CWnd*>(&scene.m_strip), notes[i].pSrcWnd);
            EXPECT_EQ(static_cast<UINT>(WM_CONTEXTMENU), notes[i].nSrcMessage);
            EXPECT_EQ(pt.x, notes[i].ptScreen.x);
            EXPECT_EQ(pt.y, notes[i].ptScreen.y);
            EXPECT_EQ(i == 1, notes[i].bPost) << "first the offer, then its completion";
        }
        EXPECT_EQ(c.bMenuShown ? std::vector<UINT>{ID_MENU_COMMAND} : std::vector<UINT>{},
                  scene.m_pFrame->m_commands);
        CWnd* pSelected = c.bHelpMode ? pSecond : pFirst;
        EXPECT_EQ(scene.TabOf(pSelected), scene.m_strip.GetSelectedIndex());
        EXPECT_EQ(pSelected, scene.m_pFrame->MDIGetActive());
    }
}

// The frame asking what room its bars leave does not count the MDI strip, which lies inside
// that room; real layout passes and other parents still see it.
TEST_F(TabMdi, RoomQueriesLeaveTheStripOut)
{
    using Query = CExtControlBar::REPOSITION_QUERY_DATA;
    CMdiScene<CExtTabMdiWnd> scene(m_pHost->Handle());
    ASSERT_TRUE(scene.m_bOk);
    scene.AddChild("Drawing", 0);
    scene.Settle();
    ASSERT_TRUE(scene.m_strip.IsWindowVisible());
    CTestTabWnd plain;
    ASSERT_TRUE(plain.Create(scene.m_pFrame->GetSafeHwnd(), CRect(0, 0, 100, 20), T::STYLE_ORIENT_TOP));

    struct Case
    {
        const char* name;
        CWnd* pStrip;
        UINT nKind;
        CWnd* pParent;
        bool bExcluded;
    };
    const Case cases[] = {
        {"MDI strip, query, frame", &scene.m_strip, Query::KIND_QUERY, scene.m_pFrame, true},
        {"MDI strip, layout pass", &scene.m_strip, Query::KIND_NORMAL, scene.m_pFrame, false},
        {"MDI strip, extra pass", &scene.m_strip, Query::KIND_EXTRA, scene.m_pFrame, false},
        {"MDI strip, query, no frame", &scene.m_strip, Query::KIND_QUERY, CWnd::FromHandle(m_pHost->Handle()), false},
        {"plain strip, query, frame", &plain, Query::KIND_QUERY, scene.m_pFrame, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Query query(c.nKind, c.pParent, 0, 0xFFFF, AFX_IDW_PANE_FIRST, nullptr, nullptr, true);
        c.pStrip->SendMessage(CExtControlBar::g_nMsgQueryRepositionCalcEffect, reinterpret_cast<WPARAM>(&query));
        EXPECT_EQ(c.bExcluded, query.IsExcluded());
    }
    plain.DestroyWindow();

    // A query pass over the frame answers its whole client area despite the visible strip.
    CRect rcRoom, rcClient;
    CExtControlBar::RepositionFrameBars(scene.m_pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, Query::KIND_QUERY, &rcRoom,
                                        nullptr, true);
    scene.m_pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient, rcRoom);
}

TEST_F(TabMdi, TheCloseButtonClosesTheSelectedChild)
{
    CMdiScene<CExtTabMdiWnd> scene(m_pHost->Handle());
    ASSERT_TRUE(scene.m_bOk);
    scene.AddChild("One", 0);
    CMDIChildWnd* pSecond = scene.AddChild("Two", 0);
    const HWND hSecond = pSecond->GetSafeHwnd();
    scene.Settle();
    const POINT pt = ScreenPoint(scene.m_strip.GetSafeHwnd(), Centre(scene.m_strip.GetButtonRect(T::HT_CLOSE)));
    PlayMouseSteps({{0, pt}, {MOUSEEVENTF_LEFTDOWN, pt}, {MOUSEEVENTF_LEFTUP, pt}, {0, POINT{pt.x, pt.y + 200}}});
    scene.Settle();
    EXPECT_FALSE(::IsWindow(hSecond));
    EXPECT_EQ(1, scene.m_strip.GetItemCount());
}

TEST_F(TabMdi, TheClientBorderOpensTowardsTheStrip)
{
    struct Case
    {
        const char* name;
        bool notebook;
        SIZE withStrip;
    };
    // Plain: 2 pixels on three sides; notebook: 2 more of the selected tab's colour.
    const Case cases[] = {{"plain", false, SIZE{4, 2}}, {"notebook", true, SIZE{8, 4}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CMdiScene<CExtTabMdiWnd>> plain;
        std::unique_ptr<CMdiScene<CExtTabMdiOneNoteWnd>> notebook;
        SIZE borders{}, bordersWithoutTabs{};
        if (c.notebook) {
            notebook = std::make_unique<CMdiScene<CExtTabMdiOneNoteWnd>>(m_pHost->Handle());
            ASSERT_TRUE(notebook->m_bOk);
            CMDIChildWnd* pChild = notebook->AddChild("Drawing", 0);
            notebook->Settle();
            borders = notebook->ClientBorders();
            const CWindowPixels pixels(m_pHost->Handle());
            EXPECT_TRUE(pixels.SavePng("tab-window-mdi-notebook.png"));
            COLORREF clrPage = 0;
            notebook->m_strip.GetItemColors(0, false, false, nullptr, nullptr, nullptr, &clrPage);
            CRect rcClient;
            ::GetWindowRect(notebook->Client(), &rcClient);
            ::MapWindowPoints(nullptr, m_pHost->Handle(), reinterpret_cast<POINT*>(&rcClient), 2);
            EXPECT_EQ(clrPage, pixels.At(rcClient.left + 2, rcClient.CenterPoint().y)) << "the margin";
            // The split bars of the child's panes continue its tab's colour.
            COLORREF clrTab = 0;
            EXPECT_TRUE(notebook->m_strip.GetFrameTabColor(pChild->GetSafeHwnd(), clrTab));
            EXPECT_EQ(clrPage, clrTab);
            EXPECT_FALSE(notebook->m_strip.GetFrameTabColor(m_pHost->Handle(), clrTab));
            pChild->MDIDestroy();
            notebook->Settle();
            bordersWithoutTabs = notebook->ClientBorders();
        } else {
            plain = std::make_unique<CMdiScene<CExtTabMdiWnd>>(m_pHost->Handle());
            ASSERT_TRUE(plain->m_bOk);
            CMDIChildWnd* pChild = plain->AddChild("Drawing", 0);
            plain->Settle();
            borders = plain->ClientBorders();
            const CWindowPixels pixels(m_pHost->Handle());
            EXPECT_TRUE(pixels.SavePng("tab-window-mdi.png"));
            pChild->MDIDestroy();
            plain->Settle();
            bordersWithoutTabs = plain->ClientBorders();
        }
        EXPECT_EQ(c.withStrip.cx, borders.cx);
        EXPECT_EQ(c.withStrip.cy, borders.cy);
        EXPECT_EQ(4, bordersWithoutTabs.cx);
        EXPECT_EQ(4, bordersWithoutTabs.cy);
    }
}

TEST_F(TabMdi, DestroyingTheStripUnhooksTheClient)
{
    CMdiScene<CExtTabMdiWnd> scene(m_pHost->Handle());
    ASSERT_TRUE(scene.m_bOk);
    const HWND hClient = scene.Client();
    scene.m_strip.DestroyWindow();
    EXPECT_FALSE(scene.m_strip.IsHookingWindow(hClient));
    // The client goes on working without the strip.
    CMDIChildWnd* pChild = scene.AddChild("Drawing", 0);
    ASSERT_NE(nullptr, pChild);
    PumpFor(30);
    EXPECT_EQ(pChild, scene.m_pFrame->MDIGetActive());
}
TEST_F(TabMdi, PrintPreviewHidesTheStripUntilItEnds)
{
    CMdiScene<CExtTabMdiWnd> scene(m_pHost->Handle());
    ASSERT_TRUE(scene.m_bOk);
    scene.AddChild("Drawing", 0);
    scene.Settle();
    ASSERT_TRUE(scene.m_strip.IsWindowVisible());
    CPreviewView preview;
    scene.m_pFrame->SetActiveView(&preview, FALSE);
    scene.m_pFrame->RecalcLayout();
    EXPECT_FALSE(scene.m_strip.IsWindowVisible());
    EXPECT_EQ(-1, scene.m_strip.GetFirstVisibleIndex());
    scene.m_pFrame->SetActiveView(nullptr, FALSE);
    scene.m_pFrame->RecalcLayout();
    EXPECT_TRUE(scene.m_strip.IsWindowVisible());
}
} // namespace
