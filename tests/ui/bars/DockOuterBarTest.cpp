// Rows of fixed-size bars in an outer dock bar: shrinking before wrapping, preferred sizes and
// places coming back, sliding and swapping, full-row bars, new rows.
#include "BarTestSupport.h"
#include "ui/bars/ExtDockOuterBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
constexpr UINT kFirstBarId = 0x7400;
constexpr int kBarWidth = 200;
constexpr int kBarMinimal = 80;
constexpr int kBarHeight = 24;

// A tool-bar-like bar: a fixed size, a smaller minimal width and a placement record.
class COuterTestBar : public CExtControlBar
{
public:
    COuterTestBar() { m_bFixedSize = true; }
    CSize CalcDynamicLayout(int, DWORD dwMode) override
    {
        return (dwMode & LM_VERTDOCK) ? CSize(kBarHeight, kBarWidth) : CSize(kBarWidth, kBarHeight);
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override
    {
        return bHorz ? CSize(kBarWidth, kBarHeight) : CSize(kBarHeight, kBarWidth);
    }
    CSize GetMinimalSize() const override { return CSize(kBarMinimal, kBarHeight); }
    FixedBarPlacement_t* GetFixedBarPlacement() override { return &m_placement; }
    bool IsFullRowBar() const override { return m_bFullRow; }
    bool IsFloatingWithCaption() const override { return true; }

    FixedBarPlacement_t m_placement;
    bool m_bFullRow = false;
};

class DockOuterRowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "outer rows", WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 540)));
        ASSERT_TRUE(CExtControlBar::InstallFrameDocking(m_pFrame));
        m_pFrame->ShowWindow(SW_SHOWNA);
        m_pTop = static_cast<CExtDockOuterBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
        ASSERT_NE(nullptr, m_pTop);
    }
    void TearDown() override
    {
        if (m_pFrame->GetSafeHwnd() != nullptr)
            m_pFrame->DestroyWindow();
        m_bars.clear();
        PumpBarMessages();
    }
    COuterTestBar* DockBar()
    {
        m_bars.push_back(std::make_unique<COuterTestBar>());
        COuterTestBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->CreateBarWindow("tool", m_pFrame, kFirstBarId + static_cast<UINT>(m_bars.size()),
                                          WS_CHILD | WS_VISIBLE | CBRS_TOP));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }
    // Two bars in the first row of the top dock bar.
    void DockTwoInARow()
    {
        COuterTestBar* pFirst = DockBar();
        COuterTestBar* pSecond = DockBar();
        m_pTop->DockControlBarEx(pFirst);
        m_pTop->DockControlBarEx(pSecond);
        // One row: drop the break between them.
        const int nAt = m_pTop->FindBar(pSecond);
        if (m_pTop->m_arrBars[nAt - 1] == nullptr)
            m_pTop->m_arrBars.RemoveAt(nAt - 1);
    }
    // Lays the dock bar out as the frame would with nWidth pixels of room.
    void LayOut(int nWidth)
    {
        m_pTop->m_rectLayout = CRect(0, 0, nWidth, 200);
        m_pTop->m_bLayoutQuery = FALSE;
        m_pTop->CalcFixedLayout(TRUE, TRUE);
        m_pTop->m_rectLayout.SetRectEmpty();
    }
    CRect BarRect(int i)
    {
        CRect rc;
        m_bars[static_cast<size_t>(i)]->GetWindowRect(&rc);
        m_pTop->ScreenToClient(&rc);
        return rc;
    }

    CFrameWnd* m_pFrame = nullptr; // deletes itself with its window
    CExtDockOuterBar* m_pTop = nullptr;
    std::vector<std::unique_ptr<COuterTestBar>> m_bars;
};
}

TEST_F(DockOuterRowTest, ShortRowsShrinkTheLastBarFirstThenWrapAndWideningGivesSizesBack)
{
    DockTwoInARow();
    // A bar's minimal extent is its own plus its non-client frame.
    LayOut(450);
    CRect rcWindow, rcClient;
    m_bars[0]->GetWindowRect(&rcWindow);
    m_bars[0]->GetClientRect(&rcClient);
    const int nMinimal = kBarMinimal + rcWindow.Width() - rcClient.Width();
    struct Case
    {
        int nWidth;
        int nFirstWidth;
        int nSecondWidth;
        bool bWrapped;
    } const cases[] = {
        {450, kBarWidth, kBarWidth, false},
        {350, kBarWidth, 150, false},                        // the right one gives 50
        {250, 250 - nMinimal, nMinimal, false},              // the right one at its minimum, then the left one
        {150, 150, 150, true},                               // no more to give: the row wraps
        {450, kBarWidth, kBarWidth, false},                  // room again: preferred sizes come back
    };
    for (const Case& c : cases)
    {
        LayOut(c.nWidth);
        EXPECT_EQ(c.nFirstWidth, BarRect(0).Width()) << c.nWidth;
        EXPECT_EQ(c.nSecondWidth, BarRect(1).Width()) << c.nWidth;
        EXPECT_EQ(c.bWrapped, BarRect(1).top > BarRect(0).top) << c.nWidth;
        if (!c.bWrapped) {
            EXPECT_GE(BarRect(1).left, BarRect(0).right) << "bars never overlap at " << c.nWidth;
        }
    }
}

TEST_F(DockOuterRowTest, SlidingKeepsTheGapBehindAndPassingANeighbourSwapsThem)
{
    DockTwoInARow();
    LayOut(700);
    ASSERT_EQ(0, BarRect(0).left);
    ASSERT_EQ(kBarWidth, BarRect(1).left);
    bool bChanged = false;
    m_pTop->SlideBarInRow(m_bars[1].get(), 60, &bChanged);
    LayOut(700);
    EXPECT_TRUE(bChanged);
    EXPECT_EQ(kBarWidth + 60, BarRect(1).left) << "the gap it left stays";
    EXPECT_EQ(1U, m_bars[1]->m_placement.m_dwHasPlacement) << "the moved bar ranks first";

    // The first bar dragged past the second's end: they change places.
    m_pTop->SlideBarInRow(m_bars[0].get(), kBarWidth + 100, &bChanged);
    LayOut(700);
    EXPECT_LT(m_pTop->FindBar(m_bars[1].get()), m_pTop->FindBar(m_bars[0].get()));
    EXPECT_LT(BarRect(1).left, BarRect(0).left);
}

TEST_F(DockOuterRowTest, AFullRowBarSpansItsRowAlone)
{
    COuterTestBar* pMenu = DockBar();
    pMenu->m_bFullRow = true;
    COuterTestBar* pTool = DockBar();
    m_pTop->DockControlBarEx(pTool);
    m_pTop->DockControlBarEx(pMenu);
    LayOut(640);
    EXPECT_EQ(640, BarRect(0).Width());
    const int nAt = m_pTop->FindBar(pMenu);
    EXPECT_EQ(nullptr, m_pTop->m_arrBars[nAt - 1]);
    EXPECT_EQ(nullptr, m_pTop->m_arrBars[nAt + 1]);
}

TEST_F(DockOuterRowTest, ABarThatSharesItsRowMovesIntoANewRowBelow)
{
    DockTwoInARow();
    LayOut(700);
    m_pTop->InsertBarInNewRow(m_bars[0].get(), m_bars[1].get(), false);
    LayOut(700);
    const int nFirst = m_pTop->FindBar(m_bars[0].get());
    const int nSecond = m_pTop->FindBar(m_bars[1].get());
    ASSERT_GT(nSecond, nFirst);
    EXPECT_EQ(nullptr, m_pTop->m_arrBars[nFirst + 1]) << "a row break after the first bar";
    EXPECT_GT(BarRect(1).top, BarRect(0).top);
}

TEST_F(DockOuterRowTest, DragStepsSlideInTheRowMoveAcrossRowsAndDockFromElsewhere)
{
    DockTwoInARow();
    m_bars[0]->EnableDocking(CBRS_ALIGN_ANY);
    LayOut(700);
    auto screenOf = [this](CPoint pt) {
        m_pTop->ClientToScreen(&pt);
        return pt;
    };
    struct Step
    {
        const char* pszWhat;
        int nBar;
        CPoint ptFrom; // dock-bar client coordinates
        CPoint ptTo;
        int nHint;
    } const steps[] = {
        {"along its own row: the bar slides, sizing cursor", 1, CPoint(kBarWidth + 10, 10), CPoint(kBarWidth + 50, 10), 1},
        {"below its shared row: a row of its own", 1, CPoint(kBarWidth + 50, 10), CPoint(kBarWidth + 50, 3 * kBarHeight), 0},
    };
    for (const Step& s : steps)
    {
        int nHint = -1;
        EXPECT_TRUE(m_pTop->DragFixedBar(m_bars[static_cast<size_t>(s.nBar)].get(), screenOf(s.ptTo), screenOf(s.ptFrom), &nHint))
            << s.pszWhat;
        EXPECT_EQ(s.nHint, nHint) << s.pszWhat;
        LayOut(700);
    }
    EXPECT_GT(BarRect(1).top, BarRect(0).top) << "the second bar moved into a row below";

    // A bar from the bottom dock bar docks here with its grab offset at the cursor.
    auto* pBottom = static_cast<CExtDockOuterBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
    COuterTestBar* pThird = DockBar();
    pBottom->DockControlBarEx(pThird);
    EXPECT_TRUE(m_pTop->DragFixedBar(pThird, screenOf(CPoint(400, 5)), screenOf(CPoint(400, 5)), nullptr));
    EXPECT_EQ(m_pTop, pThird->m_pDockBar);

    // A side the bar may not dock at refuses it.
    pThird->EnableDocking(CBRS_ALIGN_LEFT);
    EXPECT_FALSE(pBottom->DragFixedBar(pThird, screenOf(CPoint(10, 10)), screenOf(CPoint(10, 10)), nullptr));
}
