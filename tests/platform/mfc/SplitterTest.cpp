#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kTopRowHeight = 200;

// Counts tracker inversions: every one drawn is drawn again to erase it.
class CCountingSplitter : public CSplitterWnd
{
public:
    int m_nInversions = 0;
    void OnInvertTracker(const CRect& rect) override
    {
        ++m_nInversions;
        CSplitterWnd::OnInvertTracker(rect);
    }
};

// A frame split in two rows as the document windows are: the lower view first, the top row sized.
class CSplitFrame : public CFrameWnd
{
public:
    CCountingSplitter m_splitter;
    BOOL OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 2, 1) &&
               m_splitter.CreateView(1, 0, pContext->m_pNewViewClass, CSize(0, 100), pContext) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(CTestView), CSize(0, kTopRowHeight), pContext) &&
               (m_splitter.SetRowInfo(0, kTopRowHeight, 0), TRUE);
    }
};

class SplitterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
        m_pFrame = new CSplitFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 600), nullptr, nullptr,
                                     0, &context));
        m_pFrame->InitialUpdateFrame(nullptr, FALSE);
        m_pSplitter = &m_pFrame->m_splitter;
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

    CRect PaneRect(int row)
    {
        CRect rect;
        m_pSplitter->GetPane(row, 0)->GetWindowRect(&rect);
        m_pSplitter->ScreenToClient(&rect);
        return rect;
    }
    void Mouse(UINT message, int y)
    {
        m_pSplitter->SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(50, y));
    }

    CSplitFrame* m_pFrame = nullptr;
    CCountingSplitter* m_pSplitter = nullptr;
};

TEST_F(SplitterTest, StaticSplitterLaysOutTwoRows)
{
    EXPECT_EQ(m_pSplitter->GetRowCount(), 2);
    EXPECT_EQ(m_pSplitter->GetColumnCount(), 1);
    EXPECT_EQ(m_pSplitter->IdFromRowCol(1, 0), AFX_IDW_PANE_FIRST + 16);
    EXPECT_EQ(m_pSplitter->GetPane(2, 0), nullptr);
    ASSERT_NE(m_pSplitter->GetPane(0, 0), nullptr);
    ASSERT_NE(m_pSplitter->GetPane(1, 0), nullptr);

    // The top row is as high as asked; the bottom one takes the rest below the bar.
    CRect rectClient;
    m_pSplitter->GetClientRect(&rectClient);
    CRect rectTop = PaneRect(0);
    CRect rectBottom = PaneRect(1);
    EXPECT_EQ(rectTop.Height(), kTopRowHeight);
    EXPECT_EQ(rectBottom.top, rectTop.bottom + m_pSplitter->m_cySplitterGap);
    EXPECT_EQ(rectBottom.bottom, rectClient.bottom - m_pSplitter->m_cyBorder);
    int cyCur = 0;
    int cyMin = 0;
    m_pSplitter->GetRowInfo(0, cyCur, cyMin);
    EXPECT_EQ(cyCur, kTopRowHeight);

    // The splitter fills the frame's client area; its first pane is the frame's active view.
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    EXPECT_EQ(rectClient.Size(), rectFrame.Size());
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pSplitter->GetPane(0, 0));
    EXPECT_EQ(m_pSplitter->GetActivePane(), m_pSplitter->GetPane(0, 0));
}

TEST_F(SplitterTest, DraggingTheBarResizesTheRows)
{
    int yBar = PaneRect(0).bottom + 2;
    Mouse(WM_LBUTTONDOWN, yBar);
    EXPECT_TRUE(m_pSplitter->IsTracking());
    Mouse(WM_MOUSEMOVE, yBar + 50);
    Mouse(WM_LBUTTONUP, yBar + 50);
    EXPECT_FALSE(m_pSplitter->IsTracking());
    EXPECT_EQ(PaneRect(0).Height(), kTopRowHeight + 50);
    // Every tracker drawn was erased.
    EXPECT_GT(m_pSplitter->m_nInversions, 0);
    EXPECT_EQ(m_pSplitter->m_nInversions % 2, 0);

    // Escape leaves the rows as they were.
    yBar = PaneRect(0).bottom + 2;
    Mouse(WM_LBUTTONDOWN, yBar);
    Mouse(WM_MOUSEMOVE, yBar - 80);
    m_pSplitter->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(m_pSplitter->IsTracking());
    EXPECT_EQ(PaneRect(0).Height(), kTopRowHeight + 50);

    // The bar stops at the top of the upper pane.
    Mouse(WM_LBUTTONDOWN, yBar);
    Mouse(WM_MOUSEMOVE, -500);
    Mouse(WM_LBUTTONUP, -500);
    EXPECT_EQ(PaneRect(0).Height(), 0);
}

TEST_F(SplitterTest, PanesFollowTheFrameSize)
{
    m_pFrame->SetWindowPos(nullptr, 0, 0, 400, 800, SWP_NOMOVE | SWP_NOZORDER);
    CRect rectClient;
    m_pSplitter->GetClientRect(&rectClient);
    EXPECT_EQ(PaneRect(0).Height(), kTopRowHeight);
    EXPECT_EQ(PaneRect(1).bottom, rectClient.bottom - m_pSplitter->m_cyBorder);
    // Too small for the ideal height: the top row takes what there is, the bottom one nothing.
    m_pSplitter->SetRowInfo(0, 5000, 0);
    m_pSplitter->RecalcLayout();
    EXPECT_EQ(PaneRect(1).Height(), 0);
}
}
