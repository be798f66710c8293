#include "TestSupport.h"
#include "ui/core/ExtPaintManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr COLORREF KEY = RGB(0, 255, 0);
constexpr COLORREF INK = RGB(200, 30, 60);

// A 24-bit bitmap of the key colour with an ink rectangle at (2, 1)-(6, 4).
HBITMAP MakeKeyedBitmap(int cx = 8, int cy = 6)
{
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    dc.FillSolidRect(0, 0, cx, cy, KEY);
    dc.FillSolidRect(2, 1, 4, 3, INK);
    ::SelectObject(dc.m_hDC, hOld);
    return hBitmap;
}

COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    const COLORREF clr = dc.GetPixel(x, y);
    ::SelectObject(dc.m_hDC, hOld);
    return clr;
}

// The BMP file image of a bitmap, as stored through an archive.
std::vector<BYTE> StoreToBytes(HBITMAP hBitmap)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(CExtPaintManager::SerializeBitmap(ar, &hBitmap));
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

template <typename T> void Poke(std::vector<BYTE>& bytes, size_t offset, T value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

TEST(BitmapRoutinesTest, StoredImageLoadsBackPixelForPixel)
{
    HBITMAP hBitmap = MakeKeyedBitmap();
    const std::vector<BYTE> bytes = StoreToBytes(hBitmap);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ('B', bytes[0]);
    EXPECT_EQ('M', bytes[1]);
    HBITMAP hLoaded = CExtPaintManager::LoadBitmapFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
    ASSERT_NE(nullptr, hLoaded);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(PixelOf(hBitmap, x, y), PixelOf(hLoaded, x, y)) << x << "," << y;
    ::DeleteObject(hLoaded);
    ::DeleteObject(hBitmap);
}

TEST(BitmapRoutinesTest, DamagedImagesLoadAsNothing)
{
    HBITMAP hBitmap = MakeKeyedBitmap();
    const std::vector<BYTE> good = StoreToBytes(hBitmap);
    ::DeleteObject(hBitmap);
    // Offsets: file header 0..13 (size at 2, bits offset at 10), info header from 14.
    struct Case { const char* what; std::function<void(std::vector<BYTE>&)> damage; };
    const Case cases[] = {
        {"file size of an empty image", [](auto& b) { Poke<DWORD>(b, 2, 14); }},
        {"not a BMP", [](auto& b) { b[0] = 'X'; }},
        {"truncated data", [](auto& b) { b.resize(b.size() - 10); }},
        {"truncated header", [](auto& b) { b.resize(20); }},
        {"header below 40 bytes", [](auto& b) { Poke<DWORD>(b, 14, 12); }},
        {"header beyond the data", [](auto& b) { Poke<DWORD>(b, 14, 100000); }},
        {"zero width", [](auto& b) { Poke<LONG>(b, 18, 0); }},
        {"huge height", [](auto& b) { Poke<LONG>(b, 22, 0x7FFFFFF0); }},
        {"more rows than data", [](auto& b) { Poke<LONG>(b, 22, 60); }},
        {"two planes", [](auto& b) { Poke<WORD>(b, 26, 2); }},
        {"odd bit count", [](auto& b) { Poke<WORD>(b, 28, 7); }},
        {"compressed", [](auto& b) { Poke<DWORD>(b, 30, BI_RLE8); }},
        {"colour table beyond the data", [](auto& b) { Poke<WORD>(b, 28, 8); Poke<DWORD>(b, 46, 256); }},
        {"too many colours", [](auto& b) { Poke<WORD>(b, 28, 8); Poke<DWORD>(b, 46, 100000); }},
        {"bits offset beyond the data", [](auto& b) { Poke<DWORD>(b, 10, 0x7FFFFFFF); }},
        {"bits offset inside the header", [](auto& b) { Poke<DWORD>(b, 10, 20); }},
        {"file size beyond the data", [](auto& b) { Poke<DWORD>(b, 2, 0xFFFFFFF0); }},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = good;
        c.damage(bytes);
        HBITMAP hLoaded = CExtPaintManager::LoadBitmapFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
        EXPECT_EQ(nullptr, hLoaded) << c.what;
        if (hLoaded != nullptr)
            ::DeleteObject(hLoaded);
    }
    EXPECT_EQ(nullptr, CExtPaintManager::LoadBitmapFromMemory(nullptr, 100));
}

TEST(BitmapRoutinesTest, ShortArchiveRaisesAnArchiveError)
{
    BYTE header[6] = {'B', 'M', 100, 0, 0, 0};
    CMemFile file(header, sizeof(header));
    CArchive ar(&file, CArchive::load);
    HBITMAP hBitmap = reinterpret_cast<HBITMAP>(1);
    bool bArchiveError = false;
    try {
        CExtPaintManager::SerializeBitmap(ar, &hBitmap);
    } catch (CArchiveException* e) {
        bArchiveError = true;
        e->Delete();
    }
    EXPECT_TRUE(bArchiveError);
    EXPECT_EQ(nullptr, hBitmap);
}

TEST(BitmapRoutinesTest, PackedDibDescribesTheBitmap)
{
    HBITMAP hBitmap = MakeKeyedBitmap(5, 3);
    HGLOBAL hBlock = CExtPaintManager::BitmapToPackedDib(hBitmap);
    ASSERT_NE(nullptr, hBlock);
    const auto* pInfo = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hBlock));
    EXPECT_EQ(5, pInfo->biWidth);
    EXPECT_EQ(3, pInfo->biHeight);
    EXPECT_EQ(1, pInfo->biPlanes);
    // 24-bit rows of 5 pixels are padded to 16 bytes.
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + 16 * 3, ::GlobalSize(hBlock));
    ::GlobalUnlock(hBlock);
    ::GlobalFree(hBlock);
    ::DeleteObject(hBitmap);
    EXPECT_EQ(nullptr, CExtPaintManager::BitmapToPackedDib(nullptr));
}

TEST(BitmapRoutinesTest, RegionCoversWhatIsNotKey)
{
    HBITMAP hBitmap = MakeKeyedBitmap();
    HRGN hRgn = CExtPaintManager::BitmapToRegion(hBitmap, KEY);
    ASSERT_NE(nullptr, hRgn);
    RECT box{};
    ::GetRgnBox(hRgn, &box);
    const RECT expected{2, 1, 6, 4};
    EXPECT_TRUE(::EqualRect(&expected, &box)) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    ::DeleteObject(hRgn);
    ::DeleteObject(hBitmap);

    // A large picture of alternating pixels passes the 2,000-rectangle flush many times.
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), 200, 100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hStripes = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    auto* px = static_cast<DWORD*>(pBits);
    for (int i = 0; i < 200 * 100; ++i)
        px[i] = (i % 2) != 0 ? 0x00FF0000 : 0x0000FF00;   // red and key green
    hRgn = CExtPaintManager::BitmapToRegion(hStripes, KEY);
    ASSERT_NE(nullptr, hRgn);
    EXPECT_TRUE(::PtInRegion(hRgn, 1, 50));
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 50));
    EXPECT_TRUE(::PtInRegion(hRgn, 199, 99));
    ::DeleteObject(hRgn);
    ::DeleteObject(hStripes);
}

TEST(BitmapRoutinesTest, HlsAdjustmentSparesTheKey)
{
    HBITMAP hBitmap = MakeKeyedBitmap();
    EXPECT_EQ(nullptr, CExtPaintManager::AdjustBitmapHLS(hBitmap, KEY, 0, 0, 0, 0));
    HBITMAP hLight = CExtPaintManager::AdjustBitmapHLS(hBitmap, KEY, 0, 0, 1.0, 0);
    ASSERT_NE(nullptr, hLight);
    EXPECT_EQ(KEY, PixelOf(hLight, 0, 0));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(hLight, 3, 2));
    ::DeleteObject(hLight);

    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    EXPECT_TRUE(CExtPaintManager::AdjustBitmapHLSInPlace(bitmap, KEY, 0, 0, -1.0, 0));
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(static_cast<HBITMAP>(bitmap.GetSafeHandle()), 3, 2));
    CBitmap none;
    EXPECT_FALSE(CExtPaintManager::AdjustBitmapHLSInPlace(none, KEY, 0, 0, 0.5, 0));
    EXPECT_TRUE(CExtPaintManager::AdjustBitmapHLSInPlace(none, KEY, 0, 0, 0, 0));
}

TEST(BitmapRoutinesTest, IconFromBitmapIsTransparentWhereTheKeyWas)
{
    HBITMAP hBitmap = MakeKeyedBitmap();
    const RECT part{1, 0, 7, 5};
    HICON hIcon = CExtPaintManager::CreateIconFromBitmap(hBitmap, KEY, &part, false);
    ASSERT_NE(nullptr, hIcon);
    CPixelCanvas canvas(6, 5, RGB(1, 2, 3));
    ::DrawIconEx(canvas.dc().m_hDC, 0, 0, hIcon, 6, 5, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(0, 0));
    EXPECT_EQ(INK, canvas.Pixel(1, 1));
    ::DestroyIcon(hIcon);
    ::DeleteObject(hBitmap);
    EXPECT_EQ(nullptr, CExtPaintManager::CreateIconFromBitmap(nullptr, KEY, nullptr, false));
}

} // namespace

namespace {

TEST(DrawingHelpersTest, TransparentBlitLeavesTheKeyAndTheRestOfTheTarget)
{
    HBITMAP hBitmap = MakeKeyedBitmap();
    CDC src;
    src.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(src.m_hDC, hBitmap);
    CPixelCanvas canvas(40, 20, RGB(1, 2, 3));
    // Doubled, at an offset: the working copies must not land on the target's corner.
    CExtPaintManager::TransparentBltByMask(canvas.dc().m_hDC, 20, 4, 16, 12, src.m_hDC, 0, 0, 8, 6, KEY);
    ::SelectObject(src.m_hDC, hOld);
    ::DeleteObject(hBitmap);
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(21, 5));   // key
    EXPECT_EQ(INK, canvas.Pixel(26, 8));
}

TEST(DrawingHelpersTest, TextMeasuresAndColourInventories)
{
    CPixelCanvas canvas(8, 8);
    EXPECT_TRUE(CExtPaintManager::MeasureText(canvas.dc(), nullptr, CString(), DT_SINGLELINE).IsRectEmpty());
    EXPECT_GT(CExtPaintManager::MeasureTextWidth(canvas.dc(), nullptr, CString("Wide text")), 10);

    // A 4-bit bitmap whose palette repeats one entry.
    struct { BITMAPINFOHEADER h; RGBQUAD colors[16]; } info{};
    info.h = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 4, BI_RGB, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i)
        info.colors[i] = RGBQUAD{static_cast<BYTE>(i * 10), 0, 0, 0};
    info.colors[15] = info.colors[0];
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pBits, nullptr, 0);
    std::vector<COLORREF> colors;
    EXPECT_EQ(4, CExtPaintManager::CollectBitmapColors(hBitmap, colors, false));
    EXPECT_EQ(16u, colors.size());
    CExtPaintManager::CollectBitmapColors(hBitmap, colors, true);
    EXPECT_EQ(15u, colors.size());
    ::DeleteObject(hBitmap);
    EXPECT_EQ(0, CExtPaintManager::CollectBitmapColors(nullptr, colors, true));
}

TEST(DrawingHelpersTest, ChildControlsThatShowTheirParentsBackground)
{
    HWND hParent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hParent);
    struct Case { const char* cls; DWORD style; bool expected; };
    const Case cases[] = {
        {"Static", 0, true},
        {"msctls_trackbar32", 0, true},
        {"Button", BS_GROUPBOX, true},
        {"Button", BS_OWNERDRAW, false},   // no visual-style colours here
        {"Button", BS_PUSHBUTTON, true},
        {"Edit", 0, false},
    };
    for (const Case& c : cases) {
        HWND hChild = ::CreateWindowExA(0, c.cls, "", WS_CHILD | c.style, 0, 0, 10, 10, hParent, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, hChild) << c.cls;
        EXPECT_EQ(c.expected, CExtPaintManager::IsTransparentChildControl(hChild)) << c.cls << " " << c.style;
        EXPECT_EQ(c.expected ? TRUE : FALSE, CExtPaintManager::TransparentChildFilter(nullptr, hParent, hChild, 0));
        ::DestroyWindow(hChild);
    }
    ::DestroyWindow(hParent);
}

} // namespace
