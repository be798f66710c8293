// Containers: nesting a bar beside another, dissolving, hiding with their bars, and the
// container dock bar's spreading of extents.
#include "DockingTestFrame.h"
#include "DragInputScript.h"

#include "ui/bars/ExtDockDynBar.h"
#include "ui/bars/ExtDynControlBar.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const CRect FRAME_RECT(60, 60, 700, 520);

CExtDynControlBar* ContainerOf(CExtControlBar* pBar)
{
    CWnd* pDockBar = pBar->GetParent();
    CWnd* pContainer = pDockBar != nullptr ? pDockBar->GetParent() : nullptr;
    return (pContainer != nullptr && pContainer->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
               ? static_cast<CExtDynControlBar*>(pContainer)
               : nullptr;
}

class DynControlBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = std::make_unique<CDockTestFrame>();
        ASSERT_TRUE(m_frame->Open(FRAME_RECT));
        m_pTarget = m_frame->AddBar("Target", AFX_IDW_DOCKBAR_LEFT, 1, CSize(180, 300));
        m_pOther = m_frame->AddBar("Other", AFX_IDW_DOCKBAR_RIGHT, 1, CSize(150, 200));
        ASSERT_NE(nullptr, m_pTarget);
        ASSERT_NE(nullptr, m_pOther);
    }
    void TearDown() override
    {
        m_frame.reset();
        PumpMessagesFor(50);
    }
    std::unique_ptr<CDockTestFrame> m_frame;
    CDockTestBar* m_pTarget = nullptr;
    CDockTestBar* m_pOther = nullptr;
};

TEST_F(DynControlBarTest, NestingSplitsTheTargetByThePercentOnTheChosenSide)
{
    const struct
    {
        UINT nSide;
        int nPercent;
        bool bVertical;   // split across the height
        bool bNewFirst;   // the nested bar takes the top or left part
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP, 50, true, true},
        {AFX_IDW_DOCKBAR_TOP, 30, true, true},
        {AFX_IDW_DOCKBAR_BOTTOM, 30, true, false},
        {AFX_IDW_DOCKBAR_LEFT, 30, false, true},
        {AFX_IDW_DOCKBAR_RIGHT, 50, false, false},
    };
    for (const auto& c : cases) {
        SetUp();
        const CRect rcWhole = CDockTestFrame::WindowRectOf(m_pTarget);
        ASSERT_TRUE(m_pTarget->NestBarBeside(m_pOther, c.nSide, c.nPercent));
        CExtDynControlBar* pContainer = ContainerOf(m_pTarget);
        ASSERT_NE(nullptr, pContainer);
        EXPECT_EQ(pContainer, ContainerOf(m_pOther));
        // Right after nesting the container holds the target's old rectangle exactly.
        EXPECT_EQ(rcWhole, CDockTestFrame::WindowRectOf(pContainer));
        // The two bars share the container's client area by the percent; its border takes a few
        // pixels off both.
        const CRect rcNew = CDockTestFrame::WindowRectOf(m_pOther);
        const CRect rcKept = CDockTestFrame::WindowRectOf(m_pTarget);
        CRect rcClient;
        pContainer->GetClientRect(&rcClient);
        const int nWhole = c.bVertical ? rcClient.Height() : rcClient.Width();
        const int nNew = c.bVertical ? rcNew.Height() : rcNew.Width();
        EXPECT_NEAR(::MulDiv(nWhole, c.nPercent, 100), nNew, 2) << c.nSide << " " << c.nPercent;
        EXPECT_EQ(nWhole, nNew + (c.bVertical ? rcKept.Height() : rcKept.Width()));
        EXPECT_EQ(c.bNewFirst, c.bVertical ? rcNew.top < rcKept.top : rcNew.left < rcKept.left);
        TearDown();
    }
}

TEST_F(DynControlBarTest, RemovingOneOfTwoNestedBarsDissolvesTheContainer)
{
    ASSERT_TRUE(m_pTarget->NestBarBeside(m_pOther, AFX_IDW_DOCKBAR_TOP, 50));
    m_frame->Settle();
    CExtDynControlBar* pContainer = ContainerOf(m_pTarget);
    ASSERT_NE(nullptr, pContainer);
    const HWND hContainer = pContainer->GetSafeHwnd();
    const CRect rcContainer = CDockTestFrame::WindowRectOf(pContainer);
    ASSERT_TRUE(m_pOther->FloatAt(FRAME_RECT.left + 300, FRAME_RECT.top + 100, CBRS_ALIGN_TOP));
    m_frame->Settle();
    EXPECT_FALSE(::IsWindow(hContainer));
    EXPECT_EQ(nullptr, ContainerOf(m_pTarget));
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), m_pTarget->GetDockBarId());
    EXPECT_EQ(rcContainer.Width(), CDockTestFrame::WindowRectOf(m_pTarget).Width());
    EXPECT_TRUE(m_pOther->IsInFloatingFrame());
}

TEST_F(DynControlBarTest, AContainerHidesWithItsLastVisibleBarAndShowsWithTheFirst)
{
    ASSERT_TRUE(m_pTarget->NestBarBeside(m_pOther, AFX_IDW_DOCKBAR_TOP, 50));
    m_frame->Settle();
    CExtDynControlBar* pContainer = ContainerOf(m_pTarget);
    ASSERT_NE(nullptr, pContainer);
    m_frame->ShowControlBar(m_pTarget, FALSE, FALSE);
    m_frame->Settle();
    EXPECT_TRUE(pContainer->IsWindowVisible()) << "one bar still shows";
    m_frame->ShowControlBar(m_pOther, FALSE, FALSE);
    m_frame->Settle();
    EXPECT_FALSE(pContainer->IsWindowVisible());
    EXPECT_EQ(CSize(0, 0), pContainer->CalcDynamicLayout(-1, LM_VERTDOCK));
    m_frame->ShowControlBar(m_pOther, TRUE, FALSE);
    m_frame->Settle();
    EXPECT_TRUE(pContainer->IsWindowVisible());
}

TEST_F(DynControlBarTest, DockingABarBesideAnotherNestsItOnTheSideItsDockSideAsks)
{
    // A bar docked at the left takes a neighbour across the column above or below it, along
    // the column to its right or left.
    const struct
    {
        bool bAlongRow;
        bool bSecond;
        bool bBelowOrRight;
        bool bVertical;
    } cases[] = {{false, false, false, false}, {false, true, true, false}, {true, false, true, true},
                 {true, true, false, true}};
    for (const auto& c : cases) {
        SetUp();
        ASSERT_TRUE(m_pTarget->DockBarBesideThis(m_pOther, c.bAlongRow, c.bSecond, m_frame.get(), true));
        m_frame->Settle();
        ASSERT_NE(nullptr, ContainerOf(m_pOther));
        EXPECT_EQ(ContainerOf(m_pTarget), ContainerOf(m_pOther));
        const CRect rcTarget = CDockTestFrame::WindowRectOf(m_pTarget);
        const CRect rcOther = CDockTestFrame::WindowRectOf(m_pOther);
        const bool bAfter = c.bVertical ? rcOther.top > rcTarget.top : rcOther.left > rcTarget.left;
        EXPECT_EQ(c.bBelowOrRight, bAfter) << c.bAlongRow << c.bSecond;
        TearDown();
    }
}

TEST(DockDynBarTest, SpreadingADifferenceGoesRoundTheSizesAndStopsAtTheMinimums)
{
    const struct
    {
        std::vector<int> sizes;
        std::vector<int> minimums;
        int nDifference;
        std::vector<int> expected;
        int nLeft;
    } cases[] = {
        {{100, 100}, {10, 10}, 11, {106, 105}, 0},
        {{100, 100, 100}, {10, 10, 10}, -30, {90, 90, 90}, 0},
        // A size at its minimum is skipped; the rest takes the whole difference.
        {{20, 100}, {20, 10}, -30, {20, 70}, 0},
        // Everything at the minimum: what is left stays unspread.
        {{25, 15}, {20, 10}, -20, {20, 10}, -10},
        {{}, {}, 5, {}, 5},
    };
    for (const auto& c : cases) {
        std::vector<int> sizes = c.sizes;
        EXPECT_EQ(c.nLeft, CExtDockDynBar::SpreadDifference(sizes, c.minimums, c.nDifference));
        EXPECT_EQ(c.expected, sizes);
    }
}

} // namespace
