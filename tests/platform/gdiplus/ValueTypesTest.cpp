#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

using Gdiplus::ARGB;
using Gdiplus::Color;
using Gdiplus::Point;
using Gdiplus::Rect;
using Gdiplus::RectF;
using Gdiplus::Size;

TEST(Color, ChannelsComposeAndSplitTheArgbValue)
{
    const Color color(0x12, 0x34, 0x56, 0x78);
    EXPECT_EQ(0x12345678u, color.GetValue());
    EXPECT_EQ(0x12, color.GetA());
    EXPECT_EQ(0x34, color.GetR());
    EXPECT_EQ(0x56, color.GetG());
    EXPECT_EQ(0x78, color.GetB());
    EXPECT_EQ(0xFF345678u, Color(0x34, 0x56, 0x78).GetValue());
    EXPECT_EQ(0xFF000000u, Color().GetValue());
    EXPECT_EQ(0x80FF0000u, Color::MakeARGB(0x80, 0xFF, 0, 0));
}

TEST(Color, CopiesAreIndependentValues)
{
    Color original(0xFF112233);
    Color copy = original;
    copy.SetValue(0x80445566);
    EXPECT_EQ(0xFF112233u, original.GetValue());
    EXPECT_EQ(0x80445566u, copy.GetValue());
}

TEST(Color, ConvertsToAndFromColorref)
{
    Color color(0x40102030);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), color.ToCOLORREF());
    color.SetFromCOLORREF(RGB(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(0xFFAABBCCu, color.GetValue()) << "a COLORREF becomes an opaque colour";
}

TEST(Color, NamedColoursHaveTheirArgbValues)
{
    const struct {
        ARGB named;
        ARGB value;
    } cases[] = {
        {Color::Black, 0xFF000000}, {Color::White, 0xFFFFFFFF},          {Color::Red, 0xFFFF0000},
        {Color::Gray, 0xFF808080},  {Color::SkyBlue, 0xFF87CEEB},        {Color::RosyBrown, 0xFFBC8F8F},
        {Color::CornflowerBlue, 0xFF6495ED}, {Color::GreenYellow, 0xFFADFF2F},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, Color(c.named).GetValue());
}

TEST(Rect, EdgesAndContainmentExcludeTheFarEdges)
{
    const Rect rect(10, 20, 30, 40);
    EXPECT_EQ(10, rect.GetLeft());
    EXPECT_EQ(20, rect.GetTop());
    EXPECT_EQ(40, rect.GetRight());
    EXPECT_EQ(60, rect.GetBottom());
    const struct {
        INT x, y;
        bool inside;
    } cases[] = {{10, 20, true}, {39, 59, true}, {40, 30, false}, {20, 60, false}, {9, 30, false}, {25, 19, false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.inside, bool(rect.Contains(c.x, c.y))) << c.x << "," << c.y;
    EXPECT_TRUE(rect.Contains(Rect(10, 20, 30, 40)));
    EXPECT_FALSE(rect.Contains(Rect(11, 20, 30, 40)));
}

TEST(Rect, IntersectAndUnionCombineRectangles)
{
    const struct {
        Rect a, b;
        Rect intersection;
        bool overlaps;
        Rect unionRect;
    } cases[] = {
        {Rect(0, 0, 10, 10), Rect(5, 5, 10, 10), Rect(5, 5, 5, 5), true, Rect(0, 0, 15, 15)},
        {Rect(0, 0, 10, 10), Rect(20, 0, 5, 5), Rect(20, 0, -10, 5), false, Rect(0, 0, 25, 10)},
        {Rect(0, 0, 10, 10), Rect(10, 0, 5, 5), Rect(10, 0, 0, 5), false, Rect(0, 0, 15, 10)},
    };
    for (const auto& c : cases) {
        Rect result;
        EXPECT_EQ(c.overlaps, bool(Rect::Intersect(result, c.a, c.b)));
        EXPECT_TRUE(result.Equals(c.intersection)) << result.X << "," << result.Y << "," << result.Width << ","
                                                   << result.Height;
        EXPECT_EQ(c.overlaps, bool(c.a.IntersectsWith(c.b)));
        EXPECT_TRUE(Rect::Union(result, c.a, c.b));
        EXPECT_TRUE(result.Equals(c.unionRect));
        Rect self = c.a;
        EXPECT_EQ(c.overlaps, bool(self.Intersect(c.b)));
    }
}

TEST(Rect, OffsetInflateAndEmptiness)
{
    Rect rect(1, 2, 3, 4);
    rect.Offset(10, 20);
    EXPECT_TRUE(rect.Equals(Rect(11, 22, 3, 4)));
    rect.Inflate(1, 2);
    EXPECT_TRUE(rect.Equals(Rect(10, 20, 5, 8)));
    EXPECT_FALSE(rect.IsEmptyArea());
    EXPECT_TRUE(Rect(0, 0, 0, 5).IsEmptyArea());
    EXPECT_TRUE(Rect(0, 0, 5, -1).IsEmptyArea());

    Point location;
    Size size;
    Rect bounds;
    rect.GetLocation(&location);
    rect.GetSize(&size);
    rect.GetBounds(&bounds);
    EXPECT_EQ(10, location.X);
    EXPECT_EQ(20, location.Y);
    EXPECT_EQ(5, size.Width);
    EXPECT_EQ(8, size.Height);
    EXPECT_TRUE(bounds.Equals(rect));
    EXPECT_TRUE(Rect(location, size).Equals(rect));
}

TEST(RectF, SharesTheRectangleOperationsInFloatingPoint)
{
    RectF rect(0.5f, 1.5f, 2.0f, 3.0f);
    EXPECT_FLOAT_EQ(2.5f, rect.GetRight());
    EXPECT_FLOAT_EQ(4.5f, rect.GetBottom());
    EXPECT_TRUE(rect.Contains(2.4f, 4.4f));
    EXPECT_FALSE(rect.Contains(2.5f, 2.0f));
    RectF result;
    EXPECT_TRUE(RectF::Union(result, rect, RectF(-1.0f, 0.0f, 1.0f, 1.0f)));
    EXPECT_TRUE(result.Equals(RectF(-1.0f, 0.0f, 3.5f, 4.5f)));
    RectF* clone = rect.Clone();
    EXPECT_TRUE(clone->Equals(rect));
    delete clone;
}
