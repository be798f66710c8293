#include "TestSupport.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF KEY = RGB(255, 0, 255);
constexpr COLORREF INK = RGB(10, 120, 200);
constexpr COLORREF BACK = RGB(255, 255, 255);

// A 16 x 16 picture: key colour with an ink square at (4, 4)-(12, 12).
HBITMAP MakePicture(int cx = 16, int cy = 16)
{
    CPixelCanvas canvas(cx, cy, KEY);
    canvas.dc().FillSolidRect(4, 4, 8, 8, INK);
    return canvas.CopyBitmap();
}

HICON MakeIcon(DWORD hotX, DWORD hotY, int cx = 16, int cy = 16)
{
    HBITMAP hColor = MakePicture(cx, cy);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    ICONINFO ii{FALSE, hotX, hotY, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// What an icon draws over a white square.
COLORREF DrawnAt(CExtCmdIcon& icon, int x, int y, int nState = CExtCmdIcon::STATE_NORMAL, HBRUSH hBrush = nullptr)
{
    CPixelCanvas canvas(32, 32, BACK);
    icon.DrawWithState(canvas.dc().m_hDC, POINT{0, 0}, nState, hBrush);
    return canvas.Pixel(x, y);
}

TEST(CmdIconTest, EmptyIcons)
{
    CExtCmdIcon fromNull(static_cast<HBITMAP>(nullptr), KEY);
    EXPECT_TRUE(fromNull.HasNoImage());
    EXPECT_EQ(CSize(0, 0), fromNull.GetImageSize());
    CPixelCanvas canvas(8, 8);
    EXPECT_FALSE(fromNull.DrawWithState(canvas.dc().m_hDC, POINT{0, 0}, CExtCmdIcon::STATE_NORMAL));
    EXPECT_EQ(nullptr, fromNull.ReleaseAsHICON());
    EXPECT_FALSE(fromNull.ScaleFrom(CExtCmdIcon(), 16, 16));
}

TEST(CmdIconTest, BitmapPictureDrawsWithoutItsKey)
{
    HBITMAP hBitmap = MakePicture();
    CExtCmdIcon icon(hBitmap, KEY);
    ::DeleteObject(hBitmap);
    ASSERT_FALSE(icon.HasNoImage());
    EXPECT_TRUE(icon.IsBitmapBased());
    EXPECT_EQ(CSize(16, 16), icon.GetImageSize());
    EXPECT_EQ(INK, DrawnAt(icon, 6, 6));
    EXPECT_EQ(BACK, DrawnAt(icon, 1, 1));
    // The HICON made from the bitmap is kept, not rebuilt per paint.
    HICON hFirst = icon.MakeHICON();
    EXPECT_EQ(hFirst, icon.MakeHICON());
    HICON hReleased = icon.ReleaseAsHICON();
    EXPECT_NE(nullptr, hReleased);
    EXPECT_TRUE(icon.HasNoImage());
    ::DestroyIcon(hReleased);
}

// Every pixel of a plain drawing is the picture's, or the background's where the picture has its
// key: widths that end inside a byte and cross a word of the mask, at an offset, over a pattern.
TEST(CmdIconTest, PlainDrawingShowsEveryPixelOfThePicture)
{
    constexpr int OFFSET_X = 3;
    constexpr int OFFSET_Y = 4;
    constexpr int CANVAS = 48;
    auto pictureAt = [](int x, int y) {
        return (x + 2 * y) % 5 == 0 ? KEY : RGB(7 * x + 1, 9 * y + 2, 201);
    };
    auto backgroundAt = [](int x, int y) { return (x + y) % 2 == 0 ? RGB(30, 40, 50) : RGB(250, 240, 230); };
    for (SIZE size : {SIZE{13, 11}, SIZE{16, 16}, SIZE{33, 7}}) {
        CPixelCanvas picture(size.cx, size.cy, KEY);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                picture.dc().SetPixel(x, y, pictureAt(x, y));
        HBITMAP hBitmap = picture.CopyBitmap();
        CExtCmdIcon icon(hBitmap, KEY);
        ::DeleteObject(hBitmap);
        CPixelCanvas canvas(CANVAS, CANVAS);
        for (int y = 0; y < CANVAS; ++y)
            for (int x = 0; x < CANVAS; ++x)
                canvas.dc().SetPixel(x, y, backgroundAt(x, y));
        // Twice: the first drawing builds what the second reuses.
        for (int nRound = 0; nRound < 2; ++nRound)
            ASSERT_TRUE(icon.DrawWithState(canvas.dc().m_hDC, POINT{OFFSET_X, OFFSET_Y}, CExtCmdIcon::STATE_NORMAL));
        int nWrong = 0;
        for (int y = 0; y < CANVAS; ++y)
            for (int x = 0; x < CANVAS; ++x) {
                const int px = x - OFFSET_X, py = y - OFFSET_Y;
                const bool bInside = px >= 0 && py >= 0 && px < size.cx && py < size.cy;
                const COLORREF clrPicture = bInside ? pictureAt(px, py) : KEY;
                const COLORREF expected = clrPicture == KEY ? backgroundAt(x, y) : clrPicture;
                if (canvas.Pixel(x, y) != expected && nWrong++ < 3)
                    ADD_FAILURE() << size.cx << "x" << size.cy << " pixel " << x << "," << y;
            }
        EXPECT_EQ(0, nWrong) << size.cx << "x" << size.cy;
    }
}

// A 32-bit icon: a pattern of colours, its mask transparent on a diagonal band; with alpha the
// opaque part carries full alpha.
HICON MakeThirtyTwoBitIcon(bool bAlpha)
{
    constexpr int SIZE = 16;
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), SIZE, -SIZE, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pvBits = nullptr;
    HBITMAP hColor = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pvBits, nullptr, 0);
    auto* pBits = static_cast<DWORD*>(pvBits);
    std::vector<BYTE> mask(static_cast<size_t>(2 * SIZE), 0);
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            const bool bClear = (x + y) % 7 < 2;
            if (bClear)
                mask[static_cast<size_t>(2 * y + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
            const DWORD alpha = bAlpha && !bClear ? 0xFF000000 : 0;
            pBits[y * SIZE + x] = bClear ? alpha : alpha | static_cast<DWORD>((x * 15) << 16 | (y * 15) << 8 | 90);
        }
    HBITMAP hMask = ::CreateBitmap(SIZE, SIZE, 1, 1, mask.data());
    ICONINFO ii{TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// Icons drawn in their plain state look exactly as the system draws them, whether the drawing
// keeps its own images (no alpha) or leaves blending to the system.
TEST(CmdIconTest, PlainIconsDrawAsTheSystemDrawsThem)
{
    constexpr int CANVAS = 24;
    auto paintBackground = [](CPixelCanvas& canvas) {
        for (int y = 0; y < CANVAS; ++y)
            for (int x = 0; x < CANVAS; ++x)
                canvas.dc().SetPixel(x, y, (x + y) % 2 == 0 ? RGB(30, 40, 50) : RGB(250, 240, 230));
    };
    for (const bool bAlpha : {false, true}) {
        HICON hIcon = MakeThirtyTwoBitIcon(bAlpha);
        ASSERT_NE(nullptr, hIcon);
        CPixelCanvas bySystem(CANVAS, CANVAS), byIcon(CANVAS, CANVAS);
        paintBackground(bySystem);
        paintBackground(byIcon);
        ::DrawIconEx(bySystem.dc().m_hDC, 3, 4, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
        CExtCmdIcon icon(hIcon, true);
        // Twice: the first drawing builds what the second reuses.
        for (int nRound = 0; nRound < 2; ++nRound)
            ASSERT_TRUE(icon.DrawWithState(byIcon.dc().m_hDC, POINT{3, 4}, CExtCmdIcon::STATE_NORMAL));
        EXPECT_EQ(bySystem.Pixels(), byIcon.Pixels()) << (bAlpha ? "with alpha" : "without alpha");
        ::DestroyIcon(hIcon);
    }
}

TEST(CmdIconTest, IconSizeComesFromTheHotSpot)
{
    struct Case { DWORD hotX, hotY; int cx, cy; CSize expected; };
    const Case cases[] = {{8, 8, 16, 16, CSize(16, 16)}, {0, 0, 24, 20, CSize(24, 20)}, {10, 0, 24, 20, CSize(24, 20)}};
    for (const Case& c : cases) {
        CExtCmdIcon icon(MakeIcon(c.hotX, c.hotY, c.cx, c.cy), false);
        EXPECT_EQ(c.expected, icon.GetImageSize()) << c.hotX << "," << c.hotY;
    }
}

TEST(CmdIconTest, TakingItsOwnIconAsACopyKeepsAWorkingIcon)
{
    CExtCmdIcon icon(MakeIcon(8, 8), false);
    icon.TakeHICON(icon.MakeHICON(), true);
    ASSERT_FALSE(icon.HasNoImage());
    EXPECT_EQ(CSize(16, 16), icon.GetImageSize());
    EXPECT_EQ(INK, DrawnAt(icon, 6, 6));
}

TEST(CmdIconTest, CopiesAreDeep)
{
    HBITMAP hBitmap = MakePicture();
    CExtCmdIcon original(hBitmap, KEY);
    ::DeleteObject(hBitmap);
    original.SetDisabledBlendColor(RGB(1, 2, 3));
    CExtCmdIcon copy(original);
    EXPECT_NE(original.GetBitmap(), copy.GetBitmap());
    EXPECT_EQ(RGB(1, 2, 3), copy.GetDisabledBlendColor());
    original.Clear();
    EXPECT_EQ(INK, DrawnAt(copy, 6, 6));
    copy = copy;
    EXPECT_FALSE(copy.HasNoImage());
}

TEST(CmdIconTest, TransparentColourOfABitmapCopyIsOneThePictureLacks)
{
    CPixelCanvas canvas(4, 1, RGB(255, 0, 255));
    canvas.dc().SetPixelV(1, 0, RGB(0, 255, 0));
    canvas.dc().SetPixelV(2, 0, RGB(192, 192, 192));
    canvas.dc().SetPixelV(3, 0, RGB(0, 0, 0));
    CExtCmdIcon icon(canvas.CopyBitmap(), RGB(0, 0, 0), nullptr, false);
    HBITMAP hCopy = nullptr;
    COLORREF clrTransparent = 0;
    COLORREF* pBits = nullptr;
    std::vector<COLORREF> colors;
    ASSERT_TRUE(icon.MakeBitmapCopy(&hCopy, &clrTransparent, &colors, &pBits));
    EXPECT_EQ(COLORREF(0x000001), clrTransparent);
    ASSERT_FALSE(colors.empty());
    EXPECT_EQ(clrTransparent, colors.front());
    // The old transparent black is repainted in the new colour (red 1, in pixel order).
    EXPECT_EQ(0x010000u, pBits[3] & 0x00FFFFFF);
    ::DeleteObject(hCopy);
}

TEST(CmdIconTest, ScalingCases)
{
    HBITMAP hBitmap = MakePicture();
    CExtCmdIcon source(hBitmap, KEY);
    ::DeleteObject(hBitmap);
    CExtCmdIcon same;
    EXPECT_TRUE(same.ScaleFrom(source, 16, 16));
    EXPECT_EQ(CSize(16, 16), same.GetImageSize());
    CExtCmdIcon failed;
    EXPECT_FALSE(failed.ScaleFrom(source, 0, 5));
    CExtCmdIcon doubled;
    ASSERT_TRUE(doubled.ScaleFrom(source, 32, 32));
    EXPECT_EQ(INK, DrawnAt(doubled, 16, 16));
    EXPECT_EQ(BACK, DrawnAt(doubled, 2, 2));
    // Scaling an icon from itself works on a copy of the picture.
    ASSERT_TRUE(source.ScaleFrom(source, 24, 24));
    EXPECT_EQ(CSize(24, 24), source.GetImageSize());
    EXPECT_EQ(INK, DrawnAt(source, 12, 12));
    CExtCmdIcon fromIcon(MakeIcon(8, 8), false);
    ASSERT_TRUE(fromIcon.ScaleFrom(fromIcon, 8, 8));
    EXPECT_FALSE(fromIcon.IsBitmapBased());
}

TEST(CmdIconTest, DisabledImageCacheFollowsBlendSettings)
{
    HBITMAP hBitmap = MakePicture();
    CExtCmdIcon icon(hBitmap, KEY);
    ::DeleteObject(hBitmap);
    EXPECT_EQ(nullptr, icon.GetDisabledHICON());   // no blend colour
    icon.SetDisabledBlendColor(RGB(200, 200, 200));
    HICON hFirst = icon.GetDisabledHICON();
    ASSERT_NE(nullptr, hFirst);
    icon.SetDisabledBlendColor(RGB(200, 200, 200));
    icon.SetDisabledLightness(CExtCmdIcon::DEFAULT_DISABLED_LIGHTNESS);
    EXPECT_EQ(hFirst, icon.GetDisabledHICON());
    icon.SetDisabledLightness(0.7);
    HICON hSecond = icon.GetDisabledHICON();
    EXPECT_NE(nullptr, hSecond);
    // Drawn greyed where the ink was, untouched elsewhere.
    const COLORREF grey = DrawnAt(icon, 6, 6, CExtCmdIcon::STATE_DISABLED_IMAGE);
    EXPECT_NE(INK, grey);
    EXPECT_EQ(BACK, DrawnAt(icon, 1, 1, CExtCmdIcon::STATE_DISABLED_IMAGE));
    // Without a blend colour state 3 paints the brush's silhouette.
    icon.SetDisabledBlendColor(COLORREF(-1));
    HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 128, 0));
    EXPECT_EQ(RGB(0, 128, 0), DrawnAt(icon, 6, 6, CExtCmdIcon::STATE_DISABLED_IMAGE, hBrush));
    ::DeleteObject(hBrush);
}

TEST(CmdIconTest, OfficeThemeGivesIconsTheirDisabledBlend)
{
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerStudio2005)));
    CExtCmdIcon icon;
    icon.OnSysColorChange();
    EXPECT_EQ(g_PaintManagerHolder->ColorByIndex(COLOR_BTNFACE), icon.GetDisabledBlendColor());
    EXPECT_DOUBLE_EQ(0.7, icon.GetDisabledLightness());
    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
    icon.OnSysColorChange();
    EXPECT_EQ(COLORREF(-1), icon.GetDisabledBlendColor());
}

TEST(CmdIconTest, GeneratedPictures)
{
    struct Case { int kind; COLORREF glyph, background; COLORREF expectedTransparent; };
    const Case cases[] = {
        {1, RGB(0, 0, 0), COLORREF(-1), KEY},
        {1, KEY, COLORREF(-1), 0x80FF80},
        {2, COLORREF(-1), RGB(1, 2, 3), RGB(1, 2, 3)},
        {0, COLORREF(-1), COLORREF(-1), KEY},
    };
    for (const Case& c : cases) {
        CExtCmdIcon icon;
        COLORREF* pBits = nullptr;
        bool bOk = false;
        if (c.kind == 1)
            bOk = icon.CreateCheckMarkImage(c.glyph, c.background, 24, 16, &pBits);
        else if (c.kind == 2)
            bOk = icon.CreateRadioDotImage(c.glyph, c.background, 24, 16, &pBits);
        else
            bOk = icon.CreateEmptyImage(c.background, 24, 16, &pBits);
        ASSERT_TRUE(bOk) << c.kind;
        EXPECT_NE(nullptr, pBits);
        EXPECT_EQ(c.expectedTransparent, icon.GetTransparentColor()) << c.kind;
        EXPECT_EQ(CSize(24, 16), icon.GetImageSize());
    }
    CExtCmdIcon icon;
    EXPECT_FALSE(icon.CreateCheckMarkImage(COLORREF(-1), COLORREF(-1), 0, 16));
}

std::vector<BYTE> Store(CExtCmdIcon& icon)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        icon.ArchiveImage(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads into the icon; true when the archive raised an error.
bool Load(CExtCmdIcon& icon, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try {
        icon.ArchiveImage(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(CmdIconTest, ArchiveRoundTrips)
{
    CExtCmdIcon empty;
    const std::vector<BYTE> emptyBytes = Store(empty);
    EXPECT_EQ(std::vector<BYTE>{0}, emptyBytes);

    HBITMAP hBitmap = MakePicture();
    CExtCmdIcon bitmapIcon(hBitmap, KEY);
    ::DeleteObject(hBitmap);
    CExtCmdIcon hiconIcon(MakeIcon(8, 8), false);
    for (CExtCmdIcon* pIcon : {&bitmapIcon, &hiconIcon}) {
        CExtCmdIcon loaded(MakeIcon(8, 8), false);
        EXPECT_FALSE(Load(loaded, Store(*pIcon)));
        EXPECT_EQ(pIcon->IsBitmapBased(), loaded.IsBitmapBased());
        EXPECT_EQ(pIcon->GetImageSize(), loaded.GetImageSize());
        EXPECT_EQ(INK, DrawnAt(loaded, 6, 6));
    }
    CExtCmdIcon loaded(MakeIcon(8, 8), false);
    EXPECT_FALSE(Load(loaded, emptyBytes));
    EXPECT_TRUE(loaded.HasNoImage());
}

TEST(CmdIconTest, DamagedArchivesGiveEmptyIcons)
{
    HBITMAP hBitmap = MakePicture();
    CExtCmdIcon bitmapIcon(hBitmap, KEY);
    ::DeleteObject(hBitmap);
    const std::vector<BYTE> good = Store(bitmapIcon);
    struct Case { const char* what; size_t keep; size_t pokeAt; BYTE value; bool bArchiveError; };
    const Case cases[] = {
        {"cut in the header", 10, 0, 0, true},
        {"cut in the pixels", good.size() - 20, 0, 0, true},
        {"cut before the key colour", good.size() - 2, 0, 0, true},
        {"not a BMP", good.size(), 1, 'X', false},
        {"width of zero", good.size(), 1 + 14 + 4, 0, false},
        {"unknown kind", good.size(), 0, 0x80, false},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes(good.begin(), good.begin() + static_cast<long>(c.keep));
        if (c.pokeAt != 0 || c.value != 0) {
            bytes[c.pokeAt] = c.value;
            if (c.pokeAt == 1 + 14 + 4)
                bytes[c.pokeAt + 1] = 0;
        }
        CExtCmdIcon loaded(MakeIcon(8, 8), false);
        EXPECT_EQ(c.bArchiveError, Load(loaded, bytes)) << c.what;
        EXPECT_TRUE(loaded.HasNoImage()) << c.what;
    }
}

} // namespace
