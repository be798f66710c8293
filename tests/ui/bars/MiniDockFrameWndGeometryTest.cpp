// The floating frame's own border hit tests and resize arithmetic.
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

namespace {

TEST(MiniDockFrameWndGeometryTest, BorderHitTestsFollowStripsCaptionAndCorners)
{
    const int f = ::GetSystemMetrics(SM_CXFRAME);
    const int fy = ::GetSystemMetrics(SM_CYFRAME);
    const int cap = ::GetSystemMetrics(SM_CYSMCAPTION);
    const CRect rc(100, 100, 400, 300);
    const struct
    {
        int x, y;
        UINT nExpected;
    } cases[] = {
        {rc.left + 150, rc.top, HTTOP},
        {rc.left + 150, rc.bottom - 1, HTBOTTOM},
        {rc.left, rc.top + 100, HTLEFT},
        {rc.right - 1, rc.top + 100, HTRIGHT},
        {rc.left + 150, rc.top + fy + 1, HTCAPTION},
        {rc.left + 150, rc.top + fy + cap + 1, HTCLIENT},
        // Along the top strip the left corner reaches a caption's height in, the right one a frame's.
        {rc.left + cap - 1, rc.top, HTTOPLEFT},
        {rc.right - fy, rc.top, HTTOPRIGHT},
        {rc.left + cap - 1, rc.bottom - 1, HTBOTTOMLEFT},
        {rc.right - 1, rc.bottom - 1, HTBOTTOMRIGHT},
        // Down the sides the corners reach a caption's height.
        {rc.left, rc.top + cap - 1, HTTOPLEFT},
        {rc.left + f - 1, rc.bottom - cap, HTBOTTOMLEFT},
        {rc.right - 1, rc.top + cap - 1, HTTOPRIGHT},
        {rc.left - 1, rc.top + 50, HTNOWHERE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, CExtMiniDockFrameWnd::HitTestFrameBorder(rc, CPoint(c.x, c.y)))
            << c.x - rc.left << "," << c.y - rc.top;
}

TEST(MiniDockFrameWndGeometryTest, ResizedRectFollowsTheDraggedEdgesAndStopsAtTheMinimum)
{
    const CRect start(100, 100, 300, 250);
    const CSize minimum(80, 60);
    const struct
    {
        UINT nHit;
        CPoint delta;
        CRect expected;
    } cases[] = {
        {HTRIGHT, CPoint(50, 9), CRect(100, 100, 350, 250)},
        {HTLEFT, CPoint(-20, 0), CRect(80, 100, 300, 250)},
        {HTBOTTOMRIGHT, CPoint(10, 20), CRect(100, 100, 310, 270)},
        {HTTOPLEFT, CPoint(5, 5), CRect(105, 105, 300, 250)},
        // Never smaller than the minimum; the kept edges stay put.
        {HTRIGHT, CPoint(-500, 0), CRect(100, 100, 180, 250)},
        {HTLEFT, CPoint(500, 0), CRect(220, 100, 300, 250)},
        {HTTOP, CPoint(0, 500), CRect(100, 190, 300, 250)},
        {HTBOTTOM, CPoint(0, -500), CRect(100, 100, 300, 160)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CExtMiniDockFrameWnd::CalcResizedRect(start, c.nHit, c.delta, minimum)) << c.nHit;
}

TEST(MiniDockFrameWndGeometryTest, CaptionAndCloseButtonSitInsideTheFrame)
{
    const CRect rcWindow(0, 0, 240, 160);
    const CRect caption = CExtMiniDockFrameWnd::CalcCaptionRect(rcWindow);
    EXPECT_EQ(::GetSystemMetrics(SM_CXFRAME), caption.left);
    EXPECT_EQ(::GetSystemMetrics(SM_CYFRAME), caption.top);
    EXPECT_EQ(240 - ::GetSystemMetrics(SM_CXFRAME), caption.right);
    const CRect close = CExtMiniDockFrameWnd::CalcCloseButtonRect(caption);
    EXPECT_EQ(caption.right - 3, close.right);
    EXPECT_LT(close.left, close.right);
    EXPECT_EQ(caption.top + 2, close.top);
}

} // namespace
