#include "TestSupport.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool Near(COLORREF a, COLORREF b, int tolerance = 1)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Runs a block without the system gradient, as on systems that lack it.
class WithoutSystemGradient
{
public:
    WithoutSystemGradient() : m_pfn(g_PaintManagerHolder.m_pfnGradientFill) { g_PaintManagerHolder.m_pfnGradientFill = nullptr; }
    ~WithoutSystemGradient() { g_PaintManagerHolder.m_pfnGradientFill = m_pfn; }

private:
    CExtPaintManagerHolder::PFN_GradientFill m_pfn;
};

TEST(ColorRoutinesTest, HueLightSatConversions)
{
    struct Case { double h, l, s; COLORREF expected; };
    const Case cases[] = {
        {0.0, 0.5, 1.0, RGB(255, 0, 0)},
        {1.0 / 3.0, 0.5, 1.0, RGB(0, 255, 0)},
        {2.0 / 3.0, 0.5, 1.0, RGB(0, 0, 255)},
        {0.3, 1.0, 0.0, RGB(255, 255, 255)},
        {0.7, 0.0, 0.0, RGB(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CExtPaintManager::HueLightSatToColor(c.h, c.l, c.s)) << c.h << " " << c.l << " " << c.s;
    EXPECT_EQ(RGB(255, 0, 0), CExtPaintManager::HueDegreesLightSatToColor(0.0, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 255, 0), CExtPaintManager::HueDegreesLightSatToColor(120.0, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), CExtPaintManager::HueDegreesLightSatToColor(240.0, 0.5, 1.0));

    double h = -1, s = -1, l = -1;
    CExtPaintManager::ColorToHueSatLight(RGB(0, 0, 255), &h, &s, &l);
    EXPECT_DOUBLE_EQ(2.0 / 3.0, h);
    EXPECT_DOUBLE_EQ(1.0, s);
    EXPECT_DOUBLE_EQ(0.5, l);
}

TEST(ColorRoutinesTest, AdjustColorHlsMovesTowardTheLimits)
{
    const COLORREF colors[] = {RGB(10, 200, 30), RGB(128, 64, 192), RGB(250, 250, 5), RGB(90, 90, 90)};
    for (COLORREF c : colors) {
        // A round trip through the model keeps the colour (within truncation).
        EXPECT_TRUE(Near(c, CExtPaintManager::AdjustColorHLS(c, 0, 0, 0))) << std::hex << c;
        EXPECT_EQ(RGB(255, 255, 255), CExtPaintManager::AdjustColorHLS(c, 0, 1.0, 0));
        EXPECT_EQ(RGB(0, 0, 0), CExtPaintManager::AdjustColorHLS(c, 0, -1.0, 0));
        const COLORREF grey = CExtPaintManager::AdjustColorHLS(c, 0, 0, -1.0);
        EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey)) << std::hex << grey;
    }
    // Half a step of lightness from black lands half way to white.
    EXPECT_TRUE(Near(RGB(127, 127, 127), CExtPaintManager::AdjustColorHLS(RGB(0, 0, 0), 0, 0.5, 0)));
}

TEST(ColorRoutinesTest, MixColorsWeighsInPercentOrPerMille)
{
    struct Case { COLORREF a, b; int weight; COLORREF expected; };
    const Case cases[] = {
        {RGB(255, 255, 255), RGB(0, 0, 0), 50, RGB(128, 128, 128)},
        {RGB(255, 255, 255), RGB(0, 0, 0), 143, RGB(36, 36, 36)},
        {RGB(200, 100, 0), RGB(0, 100, 200), 30, RGB(60, 100, 140)},
        {RGB(200, 100, 0), RGB(0, 100, 200), 0, RGB(0, 100, 200)},
        {RGB(255, 0, 0), RGB(0, 0, 255), 1000, RGB(255, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CExtPaintManager::MixColors(c.a, c.b, c.weight)) << c.weight;
    EXPECT_EQ(RGB(255, 0, 127), CExtPaintManager::InvertColor(RGB(0, 255, 128)));
}

TEST(ColorRoutinesTest, BandGradientWithoutSystemGradient)
{
    WithoutSystemGradient noGradient;
    CPixelCanvas canvas(12, 4);
    const COLORREF from = RGB(0, 0, 0);
    const COLORREF to = RGB(200, 100, 50);
    CExtPaintManager::FillGradientRect(canvas.dc(), RECT{1, 0, 11, 4}, from, to, false, 256);
    // Ten pixels, ten bands of one pixel each, colour i / 10 of the way.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(RGB(200 * i / 10, 100 * i / 10, 50 * i / 10), canvas.Pixel(1 + i, 2)) << i;
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(11, 2));

    // Vertical bands run from the bottom up: "from" at the bottom.
    canvas.Fill(RGB(255, 255, 255));
    CExtPaintManager::FillGradientRect(canvas.dc(), RECT{0, 0, 12, 4}, from, to, true, 2);
    EXPECT_EQ(from, canvas.Pixel(5, 3));
    EXPECT_EQ(RGB(100, 50, 25), canvas.Pixel(5, 0));

    // An empty rectangle paints nothing.
    canvas.Fill(RGB(255, 255, 255));
    CExtPaintManager::FillGradientRect(canvas.dc(), RECT{5, 0, 5, 4}, from, to, false, 256);
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, 1));
}

TEST(ColorRoutinesTest, TwoPartGradientRunsThroughThreeColours)
{
    for (bool bSystemGradient : {true, false}) {
        CExtPaintManagerHolder::PFN_GradientFill pfn = g_PaintManagerHolder.m_pfnGradientFill;
        if (!bSystemGradient)
            g_PaintManagerHolder.m_pfnGradientFill = nullptr;
        CPixelCanvas canvas(100, 100);
        const COLORREF c1 = RGB(255, 0, 0), c2 = RGB(0, 255, 0), c3 = RGB(0, 0, 255);
        CExtPaintManager::FillTwoPartGradient(canvas.dc(), RECT{0, 0, 100, 10}, c1, c2, c3, false, 1, 2);
        EXPECT_TRUE(Near(c1, canvas.Pixel(0, 5), 6)) << bSystemGradient;
        EXPECT_TRUE(Near(c2, canvas.Pixel(50, 5), 6)) << bSystemGradient;
        EXPECT_TRUE(Near(c3, canvas.Pixel(99, 5), 6)) << bSystemGradient;
        CExtPaintManager::FillTwoPartGradient(canvas.dc(), RECT{0, 0, 10, 100}, c1, c2, c3, true, 1, 2);
        EXPECT_TRUE(Near(c1, canvas.Pixel(5, 0), 6)) << bSystemGradient;
        EXPECT_TRUE(Near(c2, canvas.Pixel(5, 50), 6)) << bSystemGradient;
        EXPECT_TRUE(Near(c3, canvas.Pixel(5, 99), 6)) << bSystemGradient;
        g_PaintManagerHolder.m_pfnGradientFill = pfn;
    }
}

TEST(ColorRoutinesTest, DitherPatterns)
{
    struct Case { int maskX, maskY, gapX, gapY; int expectedA; };
    const COLORREF a = RGB(255, 0, 0), b = RGB(0, 0, 255), gap = RGB(0, 255, 0);
    // Count of 'a' pixels per 16 x 16 pattern.
    const Case cases[] = {{1, 1, 0, 0, 128}, {0, 0, 1, 1, 64}, {0, 0, 3, 1, 32}};
    for (const Case& c : cases) {
        HBITMAP hBitmap = CExtPaintManager::CreateDitherBitmap(a, b, c.maskX, c.maskY, c.gapX, c.gapY, gap);
        ASSERT_NE(nullptr, hBitmap);
        CPixelCanvas canvas(16, 16);
        CDC src;
        src.CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(src.m_hDC, hBitmap);
        canvas.dc().BitBlt(0, 0, 16, 16, &src, 0, 0, SRCCOPY);
        ::SelectObject(src.m_hDC, hOld);
        ::DeleteObject(hBitmap);
        int nA = 0;
        for (COLORREF px : canvas.Pixels())
            nA += px == a;
        EXPECT_EQ(c.expectedA, nA) << c.maskX << c.maskY << c.gapX << c.gapY;
        EXPECT_EQ(a, canvas.Pixel(0, 0));
    }
}

TEST(ColorRoutinesTest, ColourIconsHaveTheirOpaqueShapes)
{
    struct Case { HICON (*make)(COLORREF); POINT opaque; POINT clear; };
    const Case cases[] = {
        {CExtPaintManager::CreateSolidColorIcon, {0, 0}, {-1, -1}},
        {CExtPaintManager::CreateColorFrameIcon, {1, 2}, {7, 7}},
        {CExtPaintManager::CreateColorFrameIcon, {14, 13}, {0, 0}},
    };
    const COLORREF clr = RGB(200, 20, 40);
    for (const Case& c : cases) {
        HICON hIcon = c.make(clr);
        ASSERT_NE(nullptr, hIcon);
        CPixelCanvas canvas(16, 16, RGB(255, 255, 255));
        ::DrawIconEx(canvas.dc().m_hDC, 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(hIcon);
        EXPECT_EQ(clr, canvas.Pixel(c.opaque.x, c.opaque.y));
        if (c.clear.x >= 0) {
            EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(c.clear.x, c.clear.y));
        }
    }
}

TEST(ColorRoutinesTest, FitRectToMonitor)
{
    CExtMonitorRects mr;
    CExtPaintManager::QueryMonitorRects(mr, RECT{0, 0, 10, 10});
    const RECT area = mr.m_rcMonitor;
    const int width = area.right - area.left;
    struct Case { RECT in; bool keepInside; RECT expected; };
    const Case cases[] = {
        {{area.right + 50, 10, area.right + 150, 60}, false, {area.right - 100, 10, area.right, 60}},
        {{area.left - 300, 10, area.left - 200, 60}, false, {area.left, 10, area.left + 100, 60}},
        {{area.left - 10, 10, area.left + width + 30, 60}, true, {area.left, 10, area.left + width + 40, 60}},
        {{area.left + 20, 20, area.left + 120, 70}, true, {area.left + 20, 20, area.left + 120, 70}},
    };
    for (const Case& c : cases) {
        const RECT out = CExtPaintManager::FitRectToMonitor(c.in, false, c.keepInside);
        EXPECT_TRUE(::EqualRect(&out, &c.expected))
            << out.left << "," << out.top << "," << out.right << "," << out.bottom;
    }
}

TEST(ColorRoutinesTest, PendingPaintDispatchHandsTheQuitMessageBack)
{
    ::PostQuitMessage(7);
    CExtPaintManager::DispatchPendingPaintMessages();
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

} // namespace
