#include "export/gif/RasterImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
uint32_t Rgb(RGBQUAD color)
{
    return (static_cast<uint32_t>(color.rgbRed) << 16) | (color.rgbGreen << 8) | color.rgbBlue;
}

RGBQUAD Quad(uint32_t rgb)
{
    return RGBQUAD{static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8),
                   static_cast<BYTE>(rgb >> 16), 0};
}

// The first palette entry at the smallest squared distance, searched independently of the image.
BYTE ReferenceNearest(const CRasterImage& image, uint32_t rgb)
{
    long best = -1;
    BYTE bestIndex = 0;
    for (DWORD i = 0; i < image.GetNumColors(); ++i)
    {
        const RGBQUAD entry = image.GetPaletteColor(static_cast<BYTE>(i));
        const long dr = entry.rgbRed - static_cast<long>((rgb >> 16) & 0xFF);
        const long dg = entry.rgbGreen - static_cast<long>((rgb >> 8) & 0xFF);
        const long db = entry.rgbBlue - static_cast<long>(rgb & 0xFF);
        const long distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < best)
            best = distance, bestIndex = static_cast<BYTE>(i);
    }
    return bestIndex;
}

// A 24-bit image whose pixel (x, y) has colour f(x, y).
template <typename F> void Fill24(CRasterImage& image, DWORD width, DWORD height, F colorAt)
{
    ASSERT_NE(nullptr, image.Create(width, height, 24, CRasterImage::kTypePlain));
    for (DWORD y = 0; y < height; ++y)
        for (DWORD x = 0; x < width; ++x)
            image.SetPixelColor(x, y, Quad(colorAt(x, y)));
}

// A device bitmap of the screen's format, painted by the callback.
template <typename F> HBITMAP MakeScreenBitmap(int width, int height, F paint)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    paint(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void FillRectColor(HDC dc, int left, int top, int right, int bottom, COLORREF color)
{
    RECT rect{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}
} // namespace

TEST(RasterImageCreate, SizesFollowTheBitCount)
{
    struct Case
    {
        DWORD width, height, bits;
        DWORD bpp, rowWidth, colors;
    };
    const Case cases[] = {
        {550, 400, 32, 24, 1652, 0},
        {550, 400, 24, 24, 1652, 0},
        {550, 400, 8, 8, 552, 256},
        {550, 400, 5, 8, 552, 256},
        {33, 2, 4, 4, 20, 16},
        {33, 2, 1, 1, 8, 2},
        {1, 1, 0, 1, 4, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bits);
        CRasterImage image;
        ASSERT_NE(nullptr, image.Create(c.width, c.height, c.bits, CRasterImage::kTypePlain));
        EXPECT_EQ(c.bpp, image.GetBpp());
        EXPECT_EQ(c.rowWidth, image.GetEffWidth());
        EXPECT_EQ(c.colors, image.GetNumColors());
        EXPECT_EQ(c.rowWidth * c.height, image.GetHeader().biSizeImage);
        EXPECT_EQ(3780, image.GetHeader().biXPelsPerMeter);
    }
}

TEST(RasterImageCreate, RefusesEmptyAndOversizedImages)
{
    struct Case
    {
        DWORD width, height, bits;
        const char* error;
    };
    const char* const kZero = "CRasterImage::Create : width and height must be greater than zero";
    const char* const kMemory = "CRasterImage::Create can't allocate memory";
    const Case cases[] = {
        {0, 400, 8, kZero},
        {550, 0, 24, kZero},
        {0x10000, 0x10000, 24, kMemory},
        {0xFFFFFFFF, 0xFFFFFFFF, 24, kMemory},
        {0xFFFFFFFF, 1, 32, kMemory},
        {1, 0xFFFFFFFF, 8, kMemory},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bits);
        CRasterImage image;
        EXPECT_EQ(nullptr, image.Create(c.width, c.height, c.bits, CRasterImage::kTypePlain));
        EXPECT_STREQ(c.error, image.GetLastError());
        EXPECT_FALSE(image.IsValid());
    }
}

TEST(RasterImagePalette, StandardPaletteMapsColoursToTheFirstNearestEntry)
{
    CRasterImage image;
    ASSERT_NE(nullptr, image.Create(1, 1, 8, CRasterImage::kTypePlain));
    image.SetStdPalette();
    struct Case
    {
        uint32_t color;
        BYTE index;
    };
    const Case cases[] = {
        {0x000000, 0},   {0xFFFFFF, 255}, {0xFF0000, 249}, {0xFE0000, 40},
        {0x800000, 1},   {0xC0DCC0, 8},   {0x002573, 128}, {0xFFFBF0, 246},
        {0xA0A0A4, 247}, {0x010101, 0},   {0xF3F3F3, 226}, {0x0E0E0F, 245},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::hex << c.color);
        EXPECT_EQ(c.index, image.GetNearestIndex(Quad(c.color)));
        EXPECT_EQ(c.index, ReferenceNearest(image, c.color));
    }
}

TEST(RasterImagePalette, TiesGoToTheFirstEntryAndImportantColoursLimitTheSearch)
{
    CRasterImage image;
    ASSERT_NE(nullptr, image.Create(1, 1, 8, CRasterImage::kTypePlain));
    image.SetPaletteColor(0, 0, 0, 0);
    image.SetPaletteColor(1, 200, 0, 0);
    image.SetPaletteColor(2, 200, 0, 0);
    image.SetPaletteColor(3, 250, 0, 0);
    EXPECT_EQ(3, image.GetNearestIndex(Quad(0xF00000)));
    image.SetColorsImportant(3);
    // The cached answer for the same colour must not survive the change of search range.
    EXPECT_EQ(1, image.GetNearestIndex(Quad(0xF00000)));
}

TEST(RasterImagePalette, ColoursImportantAreClampedToTheBitCount)
{
    struct Case
    {
        DWORD bits, requested, stored;
    };
    const Case cases[] = {{8, 300, 0}, {8, 256, 256}, {8, 20, 20}, {4, 20, 16}, {4, 0, 0}, {1, 5, 2}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.requested);
        CRasterImage image;
        ASSERT_NE(nullptr, image.Create(4, 4, c.bits, CRasterImage::kTypePlain));
        image.SetColorsImportant(c.requested);
        EXPECT_EQ(c.stored, image.GetColorsImportant());
    }
}

TEST(RasterImagePixels, IndexesPackedAtEveryPaletteDepth)
{
    for (DWORD bits : {1u, 4u, 8u})
    {
        SCOPED_TRACE(bits);
        CRasterImage image;
        ASSERT_NE(nullptr, image.Create(13, 3, bits, CRasterImage::kTypePlain));
        const DWORD mask = (1u << bits) - 1;
        for (long y = 0; y < 3; ++y)
            for (long x = 0; x < 13; ++x)
                image.SetPixelIndex(x, y, static_cast<BYTE>((x * 7 + y * 3) & mask));
        for (long y = 0; y < 3; ++y)
            for (long x = 0; x < 13; ++x)
                ASSERT_EQ((x * 7 + y * 3) & mask, image.GetPixelIndex(x, y)) << x << "," << y;
    }
}

TEST(RasterImagePixels, OutsideTheImageReadsTheTransparentOrFirstPixel)
{
    CRasterImage image;
    ASSERT_NE(nullptr, image.Create(4, 4, 8, CRasterImage::kTypePlain));
    image.SetStdPalette();
    for (long y = 0; y < 4; ++y)
        for (long x = 0; x < 4; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>(10 + x + 4 * y));
    EXPECT_EQ(10, image.GetPixelIndex(-1, 0));
    EXPECT_EQ(Rgb(image.GetPaletteColor(10)), Rgb(image.GetPixelColor(4, 4)));
    image.SetPixelIndex(9, 9, 99); // ignored
    image.SetTransIndex(250);
    EXPECT_EQ(250, image.GetPixelIndex(0, 100));
    EXPECT_EQ(0x00FF00u, Rgb(image.GetPixelColor(100, 0)));
}

TEST(RasterImageReduce, FewColoursKeepTheirExactPaletteEntries)
{
    // Colours of the standard palette come back exactly, whether the palette is given or not.
    const uint32_t colors[] = {0xFF0000, 0x000000, 0xFFFFFF, 0x808080, 0x0055FF};
    CRasterImage image;
    Fill24(image, 20, 10, [&](DWORD x, DWORD y) { return colors[(x / 4 + y) % 5]; });
    ASSERT_TRUE(image.ReduceColorDepth(8));
    ASSERT_EQ(8u, image.GetBpp());
    for (DWORD y = 0; y < 10; ++y)
        for (DWORD x = 0; x < 20; ++x)
            ASSERT_EQ(colors[(x / 4 + y) % 5], Rgb(image.GetPixelColor(x, y))) << x << "," << y;
    EXPECT_EQ(249, image.GetPixelIndex(0, 0));

    // A palette of the image's own colours, none of them standard, maps every pixel exactly.
    std::vector<RGBQUAD> own(256, Quad(0x000000));
    const uint32_t odd[] = {0x123456, 0x654321, 0xABCDEF, 0x0F0F0F};
    for (int i = 0; i < 4; ++i)
        own[i] = Quad(odd[i]);
    CRasterImage custom;
    Fill24(custom, 16, 16, [&](DWORD x, DWORD y) { return odd[(x + y) % 4]; });
    ASSERT_TRUE(custom.ReduceColorDepth(8, false, own.data()));
    for (DWORD y = 0; y < 16; ++y)
        for (DWORD x = 0; x < 16; ++x)
            ASSERT_EQ((x + y) % 4, custom.GetPixelIndex(x, y));
}

TEST(RasterImageReduce, ManyColoursMapToTheNearestStandardEntry)
{
    // Far more distinct colours than the look-up memory holds, so collisions are exercised.
    CRasterImage image;
    auto colorAt = [](DWORD x, DWORD y) { return ((x * 37) % 256) << 16 | ((y * 11) % 256) << 8 | ((x * y) % 256); };
    Fill24(image, 256, 200, colorAt);
    ASSERT_TRUE(image.ReduceColorDepth(8));
    ASSERT_EQ(8u, image.GetBpp());
    ASSERT_EQ(256u, image.GetNumColors());
    const std::pair<BYTE, uint32_t> entries[] = {{0, 0x000000}, {9, 0xA6CAF0}, {100, 0x5500FF},
                                                 {183, 0x25FF25}, {247, 0xA0A0A4}, {255, 0xFFFFFF}};
    for (const auto& [index, rgb] : entries)
        EXPECT_EQ(rgb, Rgb(image.GetPaletteColor(index))) << int(index);
    for (DWORD y = 0; y < 200; ++y)
        for (DWORD x = 0; x < 256; ++x)
            ASSERT_EQ(ReferenceNearest(image, colorAt(x, y)), image.GetPixelIndex(x, y))
                << x << "," << y;
}

TEST(RasterImageReduce, SixteenColourAndTwoColourReductions)
{
    struct Case
    {
        DWORD bits;
        uint32_t color;
        BYTE index;
    };
    const Case cases[] = {{4, 0xFF0000, 9}, {4, 0xC8C8C8, 7}, {4, 0x7F7F7F, 8},
                          {1, 0x202020, 0}, {1, 0xE0E0E0, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.bits << " bits " << std::hex << c.color);
        CRasterImage image;
        Fill24(image, 3, 2, [&](DWORD, DWORD) { return c.color; });
        ASSERT_TRUE(image.ReduceColorDepth(c.bits));
        EXPECT_EQ(c.bits, image.GetBpp());
        EXPECT_EQ(c.index, image.GetPixelIndex(2, 1));
    }
}

TEST(RasterImageReduce, EdgeCases)
{
    struct Case
    {
        const char* name;
        DWORD fromBits, toBits, important;
        bool result;
        DWORD bppAfter;
    };
    const Case cases[] = {
        {"same depth, nothing asked", 8, 8, 0, true, 8},
        {"to more bits", 8, 24, 0, false, 8},
        {"unsupported depth", 24, 2, 0, false, 24},
        {"24 to 24", 24, 24, 0, true, 24},
        {"with important colours", 24, 8, 16, true, 8},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CRasterImage image;
        ASSERT_NE(nullptr, image.Create(5, 5, c.fromBits, CRasterImage::kTypePlain));
        image.SetStdPalette();
        for (long y = 0; y < 5; ++y)
            for (long x = 0; x < 5; ++x)
                image.SetPixelColor(x, y, Quad(0xFFFFFF));
        EXPECT_EQ(c.result, image.ReduceColorDepth(c.toBits, false, nullptr, c.important));
        EXPECT_EQ(c.bppAfter, image.GetBpp());
    }
    CRasterImage empty;
    EXPECT_FALSE(empty.ReduceColorDepth(8));
}

TEST(RasterImageReduce, ImportantColoursRestrictTheResult)
{
    CRasterImage image;
    Fill24(image, 8, 8, [](DWORD, DWORD) { return 0xFFFFFFu; });
    ASSERT_TRUE(image.ReduceColorDepth(8, false, nullptr, 16));
    // White is entry 255; among the first 16 standard entries the nearest is 0xFFF0D4 (10).
    EXPECT_EQ(10, image.GetPixelIndex(3, 3));
}

TEST(RasterImageReduce, ReductionKeepsDelayAndTransparency)
{
    CRasterImage image;
    Fill24(image, 4, 4, [](DWORD, DWORD) { return 0u; });
    image.SetAnimationDelay(100 / 12);
    image.SetTransIndex(7);
    ASSERT_TRUE(image.ReduceColorDepth(8));
    EXPECT_EQ(8u, image.GetAnimationDelay());
    EXPECT_EQ(7, image.GetTransIndex());
}

TEST(RasterImageReduce, ErrorDiffusionKeepsTheAverageColour)
{
    // A grey between palette entries becomes a mix whose average is closer than a flat mapping.
    constexpr uint32_t kGrey = 0x7A7A7A + 0x030303;
    auto averageRed = [](const CRasterImage& image) {
        double sum = 0;
        for (long y = 0; y < 32; ++y)
            for (long x = 0; x < 32; ++x)
                sum += image.GetPixelColor(x, y).rgbRed;
        return sum / (32 * 32);
    };
    CRasterImage flat, diffused;
    Fill24(flat, 32, 32, [](DWORD, DWORD) { return kGrey; });
    Fill24(diffused, 32, 32, [](DWORD, DWORD) { return kGrey; });
    ASSERT_TRUE(flat.ReduceColorDepth(8, false));
    ASSERT_TRUE(diffused.ReduceColorDepth(8, true));
    const double target = kGrey & 0xFF;
    EXPECT_LT(std::abs(averageRed(diffused) - target), std::abs(averageRed(flat) - target));
    EXPECT_LT(std::abs(averageRed(diffused) - target), 1.5);
}

TEST(RasterImageLoad, DeviceBitmapBecomesABottomUpImage)
{
    HBITMAP bitmap = MakeScreenBitmap(30, 20, [](HDC dc) {
        FillRectColor(dc, 0, 0, 30, 20, RGB(255, 255, 255));
        FillRectColor(dc, 0, 0, 10, 5, RGB(255, 0, 0)); // top left
        FillRectColor(dc, 20, 15, 30, 20, RGB(0, 0, 255)); // bottom right
    });
    CRasterImage image;
    ASSERT_TRUE(image.LoadFromHBITMAP(bitmap));
    DeleteObject(bitmap);
    EXPECT_EQ(30u, image.GetWidth());
    EXPECT_EQ(20u, image.GetHeight());
    EXPECT_EQ(24u, image.GetBpp());
    EXPECT_EQ(0xFF0000u, Rgb(image.GetPixelColor(0, 19)));
    EXPECT_EQ(0x0000FFu, Rgb(image.GetPixelColor(29, 0)));
    EXPECT_EQ(0xFFFFFFu, Rgb(image.GetPixelColor(15, 10)));
    ASSERT_TRUE(image.ReduceColorDepth(8));
    EXPECT_EQ(249, image.GetPixelIndex(0, 19));
    EXPECT_EQ(252, image.GetPixelIndex(29, 0));
    EXPECT_EQ(255, image.GetPixelIndex(15, 10));
}

TEST(RasterImageLoad, PaletteBitmapKeepsItsColourTable)
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 6;
    info.header.biHeight = -3; // top-down section
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    for (int i = 0; i < 256; ++i)
        info.colors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 17, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, section);
    BYTE* rows = static_cast<BYTE*>(bits);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            rows[y * 8 + x] = static_cast<BYTE>(y * 6 + x + 100);
    CRasterImage image;
    ASSERT_TRUE(image.LoadFromHBITMAP(section));
    DeleteObject(section);
    ASSERT_EQ(8u, image.GetBpp());
    EXPECT_EQ(3u, image.GetHeight());
    EXPECT_EQ(100, image.GetPixelIndex(0, 2)); // the section's first row is the top
    EXPECT_EQ(117, image.GetPixelIndex(5, 0));
    EXPECT_EQ((17u << 16) | (138u << 8) | 117u, Rgb(image.GetPixelColor(5, 0)));
}

TEST(RasterImageLoad, RefusesMissingBitmaps)
{
    CRasterImage image;
    EXPECT_FALSE(image.LoadFromHBITMAP(nullptr));
    EXPECT_FALSE(image.LoadFromHBITMAP(reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(0xDEAD))));
    EXPECT_FALSE(image.IsValid());
}
