#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

TEST(Rect, GeometryAndCorners)
{
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(100, rect.Width());
    EXPECT_EQ(50, rect.Height());
    EXPECT_EQ(CSize(100, 50), rect.Size());
    EXPECT_EQ(CPoint(60, 45), rect.CenterPoint());
    rect.BottomRight() = CPoint(30, 40);
    EXPECT_EQ(CRect(10, 20, 30, 40), rect);
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(30, 20))) << "right edge is exclusive";
}

TEST(Rect, Operations)
{
    struct Case
    {
        const char* name;
        CRect actual;
        CRect expected;
    };
    CRect base(0, 0, 10, 10);
    CRect inflated = base;
    inflated.InflateRect(2, 3);
    CRect deflated = base;
    deflated.DeflateRect(1, 2, 3, 4);
    CRect moved = base;
    moved.MoveToXY(5, 6);
    CRect normal(10, 10, 0, 0);
    normal.NormalizeRect();
    const Case cases[] = {
        {"inflate", inflated, CRect(-2, -3, 12, 13)},
        {"deflate", deflated, CRect(1, 2, 7, 6)},
        {"move", moved, CRect(5, 6, 15, 16)},
        {"offset", base + CPoint(1, 1), CRect(1, 1, 11, 11)},
        {"normalize", normal, CRect(0, 0, 10, 10)},
        {"intersect", base & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10)},
        {"disjoint", base & CRect(20, 20, 30, 30), CRect(0, 0, 0, 0)},
        {"union", base | CRect(5, 5, 20, 20), CRect(0, 0, 20, 20)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.actual) << c.name;
}

TEST(Rect, EmptinessAndPointArithmetic)
{
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_EQ(CSize(3, -4), CPoint(5, 1) - CPoint(2, 5));
    EXPECT_EQ(CPoint(7, 3), CPoint(5, 1) + CSize(2, 2));
    EXPECT_EQ(CPoint(-3, 7), CPoint(MAKELPARAM(-3, 7)));
}
