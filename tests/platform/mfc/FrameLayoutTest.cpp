#include "DocViewTestResources.h"
#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

namespace
{
constexpr UINT kBarID = AFX_IDW_CONTROLBAR_FIRST + 20;

// A bar along the top of its frame, as a control bar takes its share in the layout.
class CTopBar : public CWnd
{
public:
    int m_nHeight = 20;
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nHeight);
        pLayout->rect.top += m_nHeight;
        pLayout->sizeTotal.cy += m_nHeight;
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTopBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

class FrameLayoutTest : public ::testing::Test, public CMdiFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pMainFrame, nullptr);
        ASSERT_TRUE(m_bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pMainFrame, kBarID));
    }
    void TearDown() override { m_bar.DestroyWindow(); }

    CRect ClientPaneRect()
    {
        CRect rect;
        ::GetWindowRect(m_pMainFrame->m_hWndMDIClient, &rect);
        m_pMainFrame->ScreenToClient(&rect);
        return rect;
    }

    CTopBar m_bar;
};

TEST_F(FrameLayoutTest, BarsTakeTheirShareAndThePaneGetsTheRest)
{
    m_pMainFrame->RecalcLayout();
    CRect rectClient;
    m_pMainFrame->GetClientRect(&rectClient);
    CRect rectBar;
    m_bar.GetWindowRect(&rectBar);
    m_pMainFrame->ScreenToClient(&rectBar);
    EXPECT_EQ(rectBar, CRect(0, 0, rectClient.right, 20));
    CRect rectPane = ClientPaneRect();
    EXPECT_EQ(rectPane.top, 20);
    EXPECT_EQ(rectPane.bottom, rectClient.bottom);

    // Room kept free round the pane.
    m_pMainFrame->m_rectBorder = CRect(5, 0, 0, 7);
    m_pMainFrame->RecalcLayout();
    EXPECT_EQ(ClientPaneRect(), CRect(5, 20, rectClient.right, rectClient.bottom - 7));
    m_pMainFrame->m_rectBorder.SetRectEmpty();
}

TEST_F(FrameLayoutTest, DelayedLayoutWaitsForIdleTime)
{
    m_pMainFrame->RecalcLayout();
    m_bar.m_nHeight = 40;
    m_pMainFrame->DelayRecalcLayout();
    EXPECT_EQ(ClientPaneRect().top, 20);
    m_pMainFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(ClientPaneRect().top, 40);
    EXPECT_EQ(m_pMainFrame->m_nIdleFlags & CFrameWnd::idleLayout, 0u);
}

TEST_F(FrameLayoutTest, MenuSelectionShowsThePromptInTheStatusLine)
{
    CStatic status;
    ASSERT_TRUE(status.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), m_pMainFrame, AFX_IDW_STATUS_BAR));
    HMENU hMenu = ::GetMenu(m_pMainFrame->m_hWnd);
    m_pMainFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_VIEW_CMD, MF_STRING), reinterpret_cast<LPARAM>(hMenu));
    CString strText;
    status.GetWindowText(strText);
    EXPECT_STREQ(strText, "Runs the view's command");

    // Closing the menu brings back the idle message.
    m_pMainFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    status.GetWindowText(strText);
    EXPECT_STREQ(strText, "Ready");

    m_pMainFrame->SetMessageText("Working");
    status.GetWindowText(strText);
    EXPECT_STREQ(strText, "Working");

    // The status-bar command shows and hides it.
    m_pMainFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(status.GetStyle() & WS_VISIBLE);
    m_pMainFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(status.GetStyle() & WS_VISIBLE);
    status.DestroyWindow();
}

TEST_F(FrameLayoutTest, TilingAndCascadingArrangeTheChildren)
{
    // The MDI client arranges only windows that are on the screen.
    m_pMainFrame->ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_NE(NewDocument(), nullptr);
    m_pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
    CRect rects[2];
    int i = 0;
    for (HWND hChild = ::GetTopWindow(m_pMainFrame->m_hWndMDIClient); hChild != nullptr && i < 2;
         hChild = ::GetNextWindow(hChild, GW_HWNDNEXT))
    {
        ::GetWindowRect(hChild, &rects[i++]);
    }
    ASSERT_EQ(i, 2);
    // Tiled horizontally: one above the other, the same width, not overlapping.
    EXPECT_EQ(rects[0].Width(), rects[1].Width());
    CRect rectOverlap;
    EXPECT_FALSE(rectOverlap.IntersectRect(&rects[0], &rects[1]));

    m_pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
    i = 0;
    for (HWND hChild = ::GetTopWindow(m_pMainFrame->m_hWndMDIClient); hChild != nullptr && i < 2;
         hChild = ::GetNextWindow(hChild, GW_HWNDNEXT))
    {
        ::GetWindowRect(hChild, &rects[i++]);
    }
    EXPECT_NE(rects[0].TopLeft(), rects[1].TopLeft());
    EXPECT_TRUE(rectOverlap.IntersectRect(&rects[0], &rects[1]));
}

TEST(MiniFrameTest, FloatsWithASmallCaption)
{
    auto* pMiniFrame = new CMiniFrameWnd;
    ASSERT_TRUE(pMiniFrame->CreateEx(0, nullptr, "Palette", WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_THICKFRAME,
                                     CRect(10, 10, 200, 150)));
    EXPECT_TRUE(pMiniFrame->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(pMiniFrame->GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(pMiniFrame->IsFrameWnd());
    CString strTitle;
    pMiniFrame->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, "Palette");
    // A frame deletes itself with its window.
    pMiniFrame->DestroyWindow();
}
}
