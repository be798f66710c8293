// The frame's dock bars: set-up of the outer dock bars, dock rings created, inserted, removed
// and renumbered, bars put in and taken out.
#include "BarTestSupport.h"
#include "ui/bars/ExtDockOuterBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
constexpr UINT kFirstBarId = 0x7300;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS;

const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

// A frame with the framework's docking and resizable bars made on demand.
class DockRingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "rings", WS_OVERLAPPEDWINDOW, CRect(50, 50, 750, 550)));
        ASSERT_TRUE(CExtControlBar::InstallFrameDocking(m_pFrame));
        m_pFrame->ShowWindow(SW_SHOWNA);
    }
    void TearDown() override
    {
        if (m_pFrame->GetSafeHwnd() != nullptr)
            m_pFrame->DestroyWindow();
        m_bars.clear();
        PumpBarMessages();
    }
    CTestBar* NewBar()
    {
        m_bars.push_back(std::make_unique<CTestBar>());
        CTestBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->CreateBarWindow("bar", m_pFrame, kFirstBarId + static_cast<UINT>(m_bars.size()), kBarStyle));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }
    // The rings each side's chain reaches, checking the links and window order on the way.
    std::vector<UINT> RingNumbers(UINT nSide)
    {
        std::vector<UINT> rings;
        CExtDockBar* pDockBar = CExtDockBar::FindRingBar(m_pFrame, 0, nSide, false);
        for (; pDockBar != nullptr; pDockBar = pDockBar->m_pInnerRingBar)
        {
            rings.push_back(pDockBar->m_nRing);
            if (pDockBar->m_pInnerRingBar != nullptr) {
                EXPECT_EQ(pDockBar, pDockBar->m_pInnerRingBar->m_pOuterRingBar);
            }
        }
        return rings;
    }
    UINT RingCount()
    {
        CArray<CExtDockBar*, CExtDockBar*> arrDockBars;
        CExtDockBar::CollectFrameDockBars(m_pFrame, arrDockBars);
        return static_cast<UINT>(arrDockBars.GetSize() / 4);
    }

    CFrameWnd* m_pFrame = nullptr; // deletes itself with its window
    std::vector<std::unique_ptr<CTestBar>> m_bars;
};
}

TEST_F(DockRingTest, InstallingDockingMakesOuterDockBarsOnceAndStopsAtASideNotAllowed)
{
    std::vector<CControlBar*> outer;
    for (UINT nSide : kSides)
    {
        CControlBar* pBar = m_pFrame->GetControlBar(nSide);
        ASSERT_NE(nullptr, pBar) << nSide;
        EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar))) << nSide;
        EXPECT_EQ(0U, static_cast<CExtDockBar*>(pBar)->m_nRing);
        outer.push_back(pBar);
    }
    EXPECT_TRUE(CExtControlBar::InstallFrameDocking(m_pFrame));
    for (size_t i = 0; i < std::size(kSides); ++i)
        EXPECT_EQ(outer[i], m_pFrame->GetControlBar(kSides[i])) << "a second set-up keeps the outer dock bars";

    CFrameWnd* pOther = new CFrameWnd;
    ASSERT_TRUE(pOther->Create(nullptr, "top only", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    EXPECT_FALSE(CExtControlBar::InstallFrameDocking(pOther, CBRS_ALIGN_TOP));
    EXPECT_TRUE(pOther->GetControlBar(AFX_IDW_DOCKBAR_TOP)->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
    EXPECT_EQ(nullptr, pOther->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)) << "sides after the refused one are untouched";
    pOther->DestroyWindow();
}

TEST_F(DockRingTest, DockingIntoAFarRingCreatesTheRingsBetweenInWindowOrder)
{
    NewBar();
    NewBar();
    NewBar();
    CExtDockBar* pLeft3 = CExtDockBar::FindRingBar(m_pFrame, 3, AFX_IDW_DOCKBAR_LEFT, true);
    ASSERT_NE(nullptr, pLeft3);
    EXPECT_EQ(3U, pLeft3->m_nRing);
    for (UINT nSide : kSides)
        EXPECT_EQ((std::vector<UINT>{0, 1, 2, 3}), RingNumbers(nSide)) << nSide;
    // The frame lays its children out in window order: each ring follows the previous one,
    // its sides in the order top, bottom, left, right.
    std::vector<std::pair<UINT, UINT>> order;
    for (HWND hChild = ::GetWindow(m_pFrame->m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (CWnd* pChild = CWnd::FromHandlePermanent(hChild); pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            order.emplace_back(static_cast<CExtDockBar*>(pChild)->m_nRing, static_cast<UINT>(pChild->GetDlgCtrlID()));
    std::vector<std::pair<UINT, UINT>> expected;
    for (UINT nRing = 0; nRing <= 3; ++nRing)
        for (UINT nSide : kSides)
            expected.emplace_back(nRing, nSide);
    EXPECT_EQ(expected, order);
}

TEST_F(DockRingTest, ARingBeyondWhatTheBarsCouldFillIsRefused)
{
    NewBar();
    struct Case
    {
        UINT nRing;
        bool bFound;
    } const cases[] = {{1, true}, {0xFFFFFFFF, false}, {5000, false}};
    for (const Case& c : cases)
    {
        CExtDockBar* pOuter = CExtDockBar::FindRingBar(m_pFrame, 0, AFX_IDW_DOCKBAR_TOP, false);
        EXPECT_EQ(c.bFound, CExtDockBar::GoToRing(pOuter, c.nRing) != nullptr) << c.nRing;
        EXPECT_LE(RingCount(), 2U) << "no rings were made for ring " << c.nRing;
    }
}

TEST_F(DockRingTest, EmptyRingsGoAndTheRingsInsideMoveOut)
{
    CTestBar* pBars[3] = {NewBar(), NewBar(), NewBar()};
    for (UINT nRing = 1; nRing <= 3; ++nRing)
        CExtDockBar::FindRingBar(m_pFrame, nRing, AFX_IDW_DOCKBAR_LEFT, true)->AppendBarAsRow(pBars[nRing - 1], false);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(4U, RingCount());

    // The bar of ring 2 leaves: ring 2 goes, ring 3 becomes ring 2.
    CExtDockBar* pRing2 = static_cast<CExtDockBar*>(pBars[1]->m_pDockBar);
    pRing2->RemoveControlBarEx(pBars[1]);
    CExtDockBar::RemoveEmptyRings(m_pFrame);
    EXPECT_EQ(3U, RingCount());
    for (UINT nSide : kSides)
        EXPECT_EQ((std::vector<UINT>{0, 1, 2}), RingNumbers(nSide)) << nSide;
    EXPECT_EQ(2U, static_cast<CExtDockBar*>(pBars[2]->m_pDockBar)->m_nRing);
    EXPECT_EQ(pBars[2]->m_pDockBar, CExtDockBar::FindRingBar(m_pFrame, 2, AFX_IDW_DOCKBAR_LEFT, false));

    // A locked dock bar does not keep the removal going.
    CExtDockBar* pRing1 = static_cast<CExtDockBar*>(pBars[0]->m_pDockBar);
    pRing1->SetLayoutLocked(true);
    CExtDockBar::RemoveEmptyRings(m_pFrame);
    pRing1->SetLayoutLocked(false);
    EXPECT_EQ(3U, RingCount());
}

TEST_F(DockRingTest, InsertingARingAtAnOccupiedPlaceMovesTheOthersIn)
{
    CTestBar* pBar = NewBar();
    NewBar();
    CExtDockBar::FindRingBar(m_pFrame, 1, AFX_IDW_DOCKBAR_TOP, true)->AppendBarAsRow(pBar, false);
    CExtDockBar::InsertRingAt(m_pFrame, 1);
    EXPECT_EQ(2U, static_cast<CExtDockBar*>(pBar->m_pDockBar)->m_nRing);
    EXPECT_TRUE(CExtDockBar::IsRingEmpty(m_pFrame, 1));
    for (UINT nSide : kSides)
        EXPECT_EQ((std::vector<UINT>{0, 1, 2}), RingNumbers(nSide)) << nSide;

    // An empty ring 1 is taken as it is.
    CExtDockBar::InsertRingAt(m_pFrame, 1);
    EXPECT_EQ(3U, RingCount());
}

TEST_F(DockRingTest, BarsDockedWithPlaceholdersComeBackToTheirPlace)
{
    CTestBar* pBar = NewBar();
    pBar->m_bFixedSize = true; // fixed-size bars leave placeholders
    CExtDockBar* pTop = CExtDockBar::FindRingBar(m_pFrame, 0, AFX_IDW_DOCKBAR_TOP, false);
    pTop->DockControlBarEx(pBar);
    EXPECT_EQ(pTop, pBar->m_pDockBar);
    EXPECT_EQ(1, pTop->GetDockedCount());
    // Leaving with a placeholder: the entry keeps the bar's id.
    pTop->RemoveControlBarEx(pBar, -1, 1, false);
    pBar->m_pDockBar = nullptr;
    EXPECT_EQ(0, pTop->GetDockedCount());
    EXPECT_FALSE(pTop->IsDockBarEmpty());
    bool bFound = false;
    pTop->RemovePlaceholder(pBar, true, &bFound);
    EXPECT_TRUE(bFound);
    EXPECT_TRUE(pTop->IsDockBarEmpty());
}

namespace
{
constexpr int kFixedWidth = 200;
constexpr int kFixedHeight = 24;
constexpr int kFixedMinimal = 80;

class CFixedTestBar : public CExtControlBar
{
public:
    CFixedTestBar() { m_bFixedSize = true; }
    CSize CalcDynamicLayout(int, DWORD dwMode) override
    {
        return (dwMode & LM_VERTDOCK) ? CSize(kFixedHeight, kFixedWidth) : CSize(kFixedWidth, kFixedHeight);
    }
    int GetMinimalWidth() const override { return kFixedMinimal; }
};
}

TEST_F(DockRingTest, FixedSizeBarsClippedBelowTheirMinimumStartTheNextRow)
{
    std::vector<std::unique_ptr<CFixedTestBar>> bars;
    for (int i = 0; i < 2; ++i)
    {
        bars.push_back(std::make_unique<CFixedTestBar>());
        ASSERT_TRUE(bars.back()->CreateBarWindow("fixed", m_pFrame, kFirstBarId + 50 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        bars.back()->EnableDocking(CBRS_ALIGN_ANY);
    }
    CExtDockBar* pDockBar = CExtDockBar::FindRingBar(m_pFrame, 1, AFX_IDW_DOCKBAR_TOP, true);
    ASSERT_NE(nullptr, pDockBar);
    pDockBar->DockControlBarEx(bars[0].get());
    pDockBar->DockControlBarEx(bars[1].get());
    const int nSecond = pDockBar->FindBar(bars[1].get());
    pDockBar->m_arrBars.RemoveAt(nSecond - 1); // one row
    auto layOut = [&](int nWidth) {
        pDockBar->m_rectLayout = CRect(0, 0, nWidth, 200);
        pDockBar->CalcFixedLayout(TRUE, TRUE);
        pDockBar->m_rectLayout.SetRectEmpty();
    };
    auto rectOf = [&](CExtControlBar* pBar) {
        CRect rc;
        pBar->GetWindowRect(&rc);
        pDockBar->ScreenToClient(&rc);
        return rc;
    };
    struct Case
    {
        int nWidth;
        int nSecondLeft;
        int nSecondWidth;
        bool bWrapped;
    } const cases[] = {
        {500, kFixedWidth, kFixedWidth, false},
        {300, kFixedWidth, 100, false}, // clipped, still above its minimum
        {250, 0, kFixedWidth, true},    // clipped below its minimum: the next row
    };
    for (const Case& c : cases)
    {
        layOut(c.nWidth);
        const CRect rcFirst = rectOf(bars[0].get());
        const CRect rcSecond = rectOf(bars[1].get());
        EXPECT_EQ(c.nSecondLeft, rcSecond.left) << c.nWidth;
        EXPECT_EQ(c.nSecondWidth, rcSecond.Width()) << c.nWidth;
        EXPECT_EQ(c.bWrapped ? rcFirst.bottom - 1 : rcFirst.top, rcSecond.top) << "rows overlap by a pixel at " << c.nWidth;
    }
    for (auto& pBar : bars)
        pBar->DestroyWindow();
}

TEST(DockRingLayout, ARightToLeftFramePutsTheLeftDockBarsOnTheRight)
{
    CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(nullptr, "mirrored", WS_OVERLAPPEDWINDOW, CRect(50, 50, 650, 450), nullptr, nullptr,
                               WS_EX_LAYOUTRTL));
    ASSERT_TRUE(CExtControlBar::InstallFrameDocking(pFrame));
    pFrame->ShowWindow(SW_SHOWNA);
    auto pBar = std::make_unique<CTestBar>();
    ASSERT_TRUE(pBar->CreateBarWindow("panel", pFrame, kFirstBarId + 90, kBarStyle));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    CExtDockBar::FindRingBar(pFrame, 1, AFX_IDW_DOCKBAR_LEFT, true)->AppendBarAsRow(pBar.get(), false);
    pFrame->RecalcLayout();
    CRect rcFrame, rcBar;
    pFrame->GetWindowRect(&rcFrame);
    pBar->GetWindowRect(&rcBar);
    EXPECT_GT(rcBar.CenterPoint().x, rcFrame.CenterPoint().x);
    EXPECT_GT(rcBar.Width(), 0);
    pFrame->DestroyWindow();
    pBar.reset();
    PumpBarMessages();
}
