#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace
{
constexpr SIZE kTotal = {1000, 800};

class DocViewScrollTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "scroll", WS_POPUP, 0, 0, 300, 200,
                                      nullptr, nullptr));
        m_pView = new CTestView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 160), &m_parent, 1));
        m_pView->SendMessage(WM_INITIALUPDATE);
        CRect rect;
        m_pView->GetClientRect(&rect);
        m_sizeClient = rect.Size();
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
    CTestView* m_pView = nullptr;
    CSize m_sizeClient;
};

TEST_F(DocViewScrollTest, DeviceContextMapsDeviceToLogicalPoints)
{
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(kTotal));
    EXPECT_TRUE(m_pView->GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(m_pView->GetStyle() & WS_HSCROLL);
    m_pView->ScrollToPosition(CPoint(300, 200));
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(300, 200));

    CClientDC dc(m_pView);
    m_pView->OnPrepareDC(&dc);
    CPoint point(10, 15);
    dc.DPtoLP(&point);
    EXPECT_EQ(point, CPoint(310, 215));

    // Printing ignores the scroll position.
    CClientDC dcPrint(m_pView);
    dcPrint.m_bPrinting = TRUE;
    m_pView->OnPrepareDC(&dcPrint);
    CPoint pointPrint(10, 15);
    dcPrint.DPtoLP(&pointPrint);
    EXPECT_EQ(pointPrint, CPoint(10, 15));
}

TEST_F(DocViewScrollTest, PositionsStayWithinTheScrollRange)
{
    m_pView->ScrollToPosition(CPoint(5000, -40));
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(kTotal.cx - m_sizeClient.cx, 0));
    EXPECT_FALSE(m_pView->OnScrollBy(CSize(10, -10)));
    EXPECT_TRUE(m_pView->OnScrollBy(CSize(-50, 30)));
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(kTotal.cx - m_sizeClient.cx - 50, 30));
}

TEST_F(DocViewScrollTest, BarsAndWheelScrollByLinesAndPages)
{
    int nMapMode = 0;
    SIZE sizeTotal;
    SIZE sizePage;
    SIZE sizeLine;
    m_pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    EXPECT_EQ(nMapMode, MM_TEXT);
    EXPECT_EQ(sizePage.cy, kTotal.cy / 10);
    EXPECT_EQ(sizeLine.cy, sizePage.cy / 10);

    m_pView->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(m_pView->GetScrollPosition().y, sizeLine.cy);
    m_pView->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(m_pView->GetScrollPosition().y, sizeLine.cy + sizePage.cy);
    m_pView->SendMessage(WM_HSCROLL, SB_BOTTOM);
    EXPECT_EQ(m_pView->GetScrollPosition().x, kTotal.cx - m_sizeClient.cx);
    m_pView->SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(m_pView->GetScrollPosition().y, 0);

    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    m_pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    int nExpected = nLines == WHEEL_PAGESCROLL ? sizePage.cy
                                               : std::min(static_cast<int>(nLines) * static_cast<int>(sizeLine.cy),
                                                          static_cast<int>(sizePage.cy));
    EXPECT_EQ(m_pView->GetScrollPosition().y, nExpected);
    // Ctrl+wheel belongs to others (zoom).
    m_pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(m_pView->GetScrollPosition().y, nExpected);
}
}
