#include "model/geometry/ShapeCursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ShapeCursorTest : public ::testing::Test {
protected:
    // The AND and XOR planes of a monochrome cursor, stacked as in its mask bitmap.
    static std::vector<BYTE> MaskBits(HCURSOR cursor, int& width, int& height, POINT& hotSpot)
    {
        ICONINFO info = {};
        EXPECT_TRUE(GetIconInfo(cursor, &info));
        BITMAP mask = {};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        width = mask.bmWidth;
        height = mask.bmHeight / 2;
        hotSpot = POINT{LONG(info.xHotspot), LONG(info.yHotspot)};
        std::vector<BYTE> bits(mask.bmWidthBytes * mask.bmHeight);
        GetBitmapBits(info.hbmMask, LONG(bits.size()), bits.data());
        m_rowBytes = mask.bmWidthBytes;
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        return bits;
    }

    static bool Bit(const std::vector<BYTE>& bits, int x, int y)
    {
        return (bits[y * m_rowBytes + x / 8] & (0x80 >> (x % 8))) != 0;
    }

    static inline int m_rowBytes = 0;
};

TEST_F(ShapeCursorTest, InvertsTheScaledShapeAroundTheCentre)
{
    Gdiplus::GraphicsPath square;
    square.AddRectangle(Gdiplus::Rect(-30, -30, 60, 60));
    // Size index 1 scales by 0.2: a square of 12 pixels around the centre.
    HCURSOR cursor = CreateShapeCursor(1, &square);
    ASSERT_NE(nullptr, cursor);
    int width = 0, height = 0;
    POINT hotSpot = {};
    const std::vector<BYTE> bits = MaskBits(cursor, width, height, hotSpot);
    EXPECT_EQ(GetSystemMetrics(SM_CXCURSOR), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYCURSOR), height);
    EXPECT_EQ(width / 2, hotSpot.x);
    EXPECT_EQ(height / 2, hotSpot.y);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_TRUE(Bit(bits, x, y)) << "the AND plane keeps the screen everywhere";
    EXPECT_TRUE(Bit(bits, width / 2, height + height / 2)) << "centre inverts";
    EXPECT_TRUE(Bit(bits, width / 2 - 5, height + height / 2 + 5));
    EXPECT_FALSE(Bit(bits, 1, height + 1)) << "corner is transparent";
    EXPECT_FALSE(Bit(bits, width / 2 + 10, height + height / 2)) << "outside the square";
    DestroyCursor(cursor);
}

TEST_F(ShapeCursorTest, NoPathNoCursor)
{
    EXPECT_EQ(nullptr, CreateShapeCursor(3, nullptr));
}

} // namespace
