#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Gdiplus;

TEST(Region, SetOperationsDecideVisibility)
{
    // A = (0,0)-(20,20), B = (10,10)-(30,30); probes in A only, both, B only, neither.
    const Point onlyA(5, 5), both(15, 15), onlyB(25, 25), neither(40, 40);
    const struct {
        const char* name;
        std::function<Status(Region&, const Rect&)> combine;
        bool a, ab, b, none;
    } cases[] = {
        {"union", [](Region& r, const Rect& b) { return r.Union(b); }, true, true, true, false},
        {"intersect", [](Region& r, const Rect& b) { return r.Intersect(b); }, false, true, false, false},
        {"xor", [](Region& r, const Rect& b) { return r.Xor(b); }, true, false, true, false},
        {"exclude", [](Region& r, const Rect& b) { return r.Exclude(b); }, true, false, false, false},
        {"complement", [](Region& r, const Rect& b) { return r.Complement(b); }, false, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Region region(Rect(0, 0, 20, 20));
        ASSERT_EQ(Ok, c.combine(region, Rect(10, 10, 20, 20)));
        EXPECT_EQ(c.a, bool(region.IsVisible(onlyA)));
        EXPECT_EQ(c.ab, bool(region.IsVisible(both)));
        EXPECT_EQ(c.b, bool(region.IsVisible(onlyB)));
        EXPECT_EQ(c.none, bool(region.IsVisible(neither)));
    }
}

TEST(Region, PathsBoundsAndTransforms)
{
    GraphicsPath path;
    path.AddEllipse(0, 0, 100, 100);
    Region region(&path);
    EXPECT_TRUE(region.IsVisible(50.0f, 50.0f));
    EXPECT_FALSE(region.IsVisible(3, 3));
    Bitmap bitmap(1, 1);
    Graphics graphics(&bitmap);
    Rect bounds;
    ASSERT_EQ(Ok, region.GetBounds(&bounds, &graphics));
    EXPECT_NEAR(100, bounds.Width, 1);

    region.Translate(100, 0);
    EXPECT_TRUE(region.IsVisible(150, 50));
    const Matrix scale(0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f);
    region.Transform(&scale);
    EXPECT_TRUE(region.IsVisible(75, 25));
    EXPECT_TRUE(region.IsVisible(Rect(70, 20, 5, 5)));

    std::unique_ptr<Region> clone(region.Clone());
    EXPECT_TRUE(clone->Equals(&region, &graphics));
    clone->MakeEmpty();
    EXPECT_TRUE(clone->IsEmpty(&graphics));
    EXPECT_FALSE(region.IsEmpty(&graphics));
    clone->MakeInfinite();
    EXPECT_TRUE(clone->IsInfinite(&graphics));
    EXPECT_TRUE(Region().IsInfinite(&graphics));

    HRGN hrgn = region.GetHRGN(&graphics);
    ASSERT_NE(nullptr, hrgn);
    EXPECT_TRUE(PtInRegion(hrgn, 75, 25));
    const Region fromGdi(hrgn);
    DeleteObject(hrgn);
    EXPECT_TRUE(fromGdi.IsVisible(75, 25));
}
