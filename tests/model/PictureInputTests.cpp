// Pictures from files and from the clipboard, damaged as real ones get damaged or larger than the
// document can carry: each is refused quickly, before the platform decodes anything, or accepted
// as a picture shape that saves and reopens.
#include "ClipboardTestSupport.h"
#include "DocumentTestSupport.h"

#include "model/FlashBitmap.h"
#include "model/FlashClipboard.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashLibrary.h"
#include "model/FlashLibraryFolder.h"
#include "model/PictureFile.h"
#include "model/PictureHeader.h"
#include "platform/mfc/UnixFileName.h"
#include "tests/support/PictureFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr char kCannotRead[] = "Error reading clipboard data!";
// Far longer than a refusal from the header takes, far shorter than any decoding of the claims.
constexpr DWORD kQuickRefusalMs = 1000;
constexpr COLORREF kRed = RGB(255, 0, 0);

// The processor time this thread has spent, in milliseconds: the times below are the work's
// own, which the clock is not while a loaded machine runs other programs.
DWORD ThreadProcessorMs()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return DWORD((ticks(kernel) + ticks(user)) / 10000);
}

std::string Le16(std::uint32_t v)
{
    return {char(v & 0xFF), char((v >> 8) & 0xFF)};
}

std::string Le32(std::uint32_t v)
{
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

std::string Be16(std::uint32_t v)
{
    return {char((v >> 8) & 0xFF), char(v & 0xFF)};
}

std::string Be32(std::uint32_t v)
{
    return Be16(v >> 16) + Be16(v & 0xFFFF);
}

// A packed bitmap: the 40-byte header, a colour table of grey entries, then the pixel bytes.
std::string Dib(std::int32_t width, std::int32_t height, int bitCount, std::uint32_t compression,
                std::uint32_t colorsUsed, std::uint32_t tableEntries, const std::string& pixels)
{
    std::string dib = Le32(40) + Le32(std::uint32_t(width)) + Le32(std::uint32_t(height)) + Le16(1)
                      + Le16(std::uint32_t(bitCount)) + Le32(compression) + Le32(std::uint32_t(pixels.size()))
                      + Le32(2835) + Le32(2835) + Le32(colorsUsed) + Le32(0);
    for (std::uint32_t i = 0; i < tableEntries; ++i)
        dib += std::string{char(i), char(i), char(i), 0};
    return dib + pixels;
}

std::string BmpFile(const std::string& dib, std::uint32_t tableEntries)
{
    const std::uint32_t bitsAt = 14 + 40 + 4 * tableEntries;
    return "BM" + Le32(std::uint32_t(14 + dib.size())) + Le32(0) + Le32(bitsAt) + dib;
}

// A 4-bit run-length picture of 40 x rows, the first 23 rows each one run of one colour.
std::string Rle4Bmp(std::int32_t rows)
{
    std::string runs;
    for (int row = 0; row < 23; ++row)
        runs += std::string{40, 0x11, 0, 0};
    runs += std::string{0, 1};
    return BmpFile(Dib(40, rows, 4, BI_RLE4, 16, 16, runs), 16);
}

// An 8-bit palette TIFF of 4 x 2 pixels whose colour map claims the count of entries.
std::string PaletteTiff(std::uint32_t colorMapCount)
{
    const std::string pixels = {0, 1, 2, 3, 4, 5, 6, 7};
    std::string colorMap;
    for (int i = 0; i < 768; ++i)
        colorMap += Le16(std::uint32_t(i * 257) & 0xFFFF);
    const std::uint32_t pixelsAt = 8;
    const std::uint32_t mapAt = pixelsAt + std::uint32_t(pixels.size());
    const std::uint32_t directoryAt = mapAt + std::uint32_t(colorMap.size());
    const auto entry = [](std::uint32_t tag, std::uint32_t type, std::uint32_t count, std::uint32_t value) {
        return Le16(tag) + Le16(type) + Le32(count) + Le32(value);
    };
    const std::string entries = entry(256, 3, 1, 4) + entry(257, 3, 1, 2) + entry(258, 3, 1, 8) + entry(259, 3, 1, 1)
                                + entry(262, 3, 1, 3) + entry(273, 4, 1, pixelsAt) + entry(277, 3, 1, 1)
                                + entry(278, 3, 1, 2) + entry(279, 4, 1, 8) + entry(320, 3, colorMapCount, mapAt);
    return "II*" + std::string(1, '\0') + Le32(directoryAt) + pixels + colorMap + Le16(10) + entries + Le32(0);
}

// The signature and header chunk of a PNG of the size; what follows is never read.
std::string PngHeader(std::uint32_t width, std::uint32_t height)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height)
           + std::string{8, 2, 0, 0, 0} + Be32(0);
}

// The start of a baseline JPEG of the size, up to its frame header.
std::string JpegHeader(std::uint32_t width, std::uint32_t height)
{
    const std::string quantisation = "\xFF\xDB" + Be16(67) + std::string(1, '\0') + std::string(64, '\1');
    return "\xFF\xD8" + quantisation + "\xFF\xC0" + Be16(11) + std::string(1, 8) + Be16(height) + Be16(width)
           + std::string{1, 1, 0x11, 0};
}

// A GIF whose screen has the size, with frames of the given placement and size, each holding
// only a clear code and the end code.
std::string Gif(std::uint32_t width, std::uint32_t height, int frames, std::uint32_t left, std::uint32_t frameWidth,
                std::uint32_t frameHeight)
{
    std::string gif = "GIF89a" + Le16(width) + Le16(height) + std::string{char(0x80), 0, 0} + std::string(6, '\0');
    for (int i = 0; i < frames; ++i)
        gif += "\x2C" + Le16(left) + Le16(0) + Le16(frameWidth) + Le16(frameHeight) + std::string{0, 2, 1, 0x2C, 0};
    return gif + "\x3B";
}

// An icon directory of one entry whose picture lies past the file's end.
std::string IconPastItsEnd()
{
    return Le16(0) + Le16(1) + Le16(1) + std::string{16, 16, 0, 0} + Le16(1) + Le16(32) + Le32(1128) + Le32(22);
}

struct CPictureCase {
    const char* name;
    std::string bytes;
};

struct CRefusedFile {
    const char* name;
    std::string bytes;
    // Refused for its header; otherwise read, and over the budget.
    bool damaged;
};

// Damaged and oversized picture files, each refused from its header alone.
std::vector<CRefusedFile> RefusedFiles()
{
    std::string flipped = Rle4Bmp(23);
    flipped[14 + 8 + 2] ^= 0x80; // bit 23 of the height: 8,388,631 rows
    return {
        {"RLE BMP whose height has one bit flipped", flipped, false},
        {"TIFF whose colour map claims 2^31-1 entries", PaletteTiff(0x7FFFFFFF), true},
        {"PNG of 16384 x 16384", PngHeader(16384, 16384), false},
        {"PNG one row past the pixel budget", PngHeader(2048, 1025), false},
        {"JPEG of 6000 x 6000", JpegHeader(6000, 6000), false},
        {"JPEG whose segment runs past the end", "\xFF\xD8\xFF\xE0" + Be16(5000) + "JFIF", true},
        {"GIF frame outside its screen", Gif(16, 16, 1, 8, 16, 16), true},
        {"GIF animation decoding 33 screens of half the pixel budget", Gif(1024, 1024, 33, 0, 1024, 1024), false},
        {"BMP whose pixels end early", BmpFile(Dib(100, 100, 24, BI_RGB, 0, 0, std::string(10, '\0')), 0), true},
        {"BMP with more colours than its bits count", BmpFile(Dib(2, 2, 1, BI_RGB, 3, 3, std::string(8, '\0')), 3),
         true},
        {"ICO whose picture lies past the end", IconPastItsEnd(), true},
        {"text named as a picture", "no picture here", true},
    };
}

// A document holding the one picture saves and reopens with a picture of the same size.
void ExpectSavedAndReopened(CFlashEditorDoc& doc, std::uint32_t width, std::uint32_t height)
{
    const std::string path = WindowsPath(TemporaryUnixPath("picture.qpd"));
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    CFlashEditorDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
    ::DeleteFileA(path.c_str());
    std::vector<CFlashShape*> shapes;
    reopened.GetCurrentLayer()->GetCurrentFrameShapes(shapes);
    ASSERT_EQ(1u, shapes.size());
    const auto* picture = dynamic_cast<const CFlashBitmap*>(shapes[0]);
    ASSERT_TRUE(picture != nullptr && picture->GetImage() != nullptr);
    EXPECT_EQ(width, picture->GetImage()->GetWidth());
    EXPECT_EQ(height, picture->GetImage()->GetHeight());
}

// Loads the file as Insert Bitmap does and inserts it into a new document that saves and
// reopens; the processor milliseconds it took.
DWORD InsertSaveAndReopen(const std::string& path, std::uint32_t width, std::uint32_t height)
{
    const DWORD start = ThreadProcessorMs();
    HBITMAP bitmap = CPictureFile::Load(path.c_str());
    EXPECT_NE(nullptr, bitmap);
    if (bitmap == nullptr)
        return 0;
    CFlashEditorDoc doc;
    doc.OnNewDocument();
    EXPECT_TRUE(doc.AddShape(CFlashBitmap::CreateFromHBITMAP(bitmap)));
    ::DeleteObject(bitmap);
    ExpectSavedAndReopened(doc, width, height);
    return ThreadProcessorMs() - start;
}

} // namespace

TEST(PictureFile, DamagedAndOversizedFilesAreRefusedBeforeDecoding)
{
    for (const CRefusedFile& c : RefusedFiles()) {
        SCOPED_TRACE(c.name);
        CPictureSize size;
        const bool read = ReadPictureFileSize(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(), size);
        EXPECT_EQ(!c.damaged, read);
        if (read) {
            EXPECT_FALSE(CFlashBitmap::FitsPixelBudget(size.width, size.height)
                         && size.decodedPixels <= CPictureFile::kMostDecodedPixels);
        }
        const std::string path = WriteTestFile("refused", c.bytes);
        ASSERT_FALSE(path.empty());
        const DWORD start = ThreadProcessorMs();
        HBITMAP bitmap = CPictureFile::Load(path.c_str());
        EXPECT_LT(ThreadProcessorMs() - start, kQuickRefusalMs);
        EXPECT_EQ(nullptr, bitmap);
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        ::DeleteFileA(path.c_str());
    }
}

TEST(PictureFile, EveryFormatInsertsSavesAndReopens)
{
    for (const char* extension : {"bmp", "gif", "tif", "jpg", "png", "ico"}) {
        SCOPED_TRACE(extension);
        const std::string path = WritePictureFile(extension, 24, 16, kRed);
        ASSERT_FALSE(path.empty());
        InsertSaveAndReopen(path, 24, 16);
        ::DeleteFileA(path.c_str());
    }
    // Written here: run-length pixels and a colour map, as the refused ones above before damage.
    for (const CPictureCase& c : {CPictureCase{"RLE BMP", Rle4Bmp(23)}, CPictureCase{"palette TIFF", PaletteTiff(768)}}) {
        SCOPED_TRACE(c.name);
        const std::string path = WriteTestFile("accepted", c.bytes);
        CPictureSize size;
        ASSERT_TRUE(ReadPictureFileSize(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(), size));
        InsertSaveAndReopen(path, size.width, size.height);
        ::DeleteFileA(path.c_str());
    }
}

// Copies of sound files with bits flipped in their headers, or cut short, as files get damaged:
// each is refused or decoded, quickly, and never to more than the budget.
TEST(PictureFile, DamagedCopiesOfEveryFormatAreRefusedOrReadQuickly)
{
    constexpr unsigned kSeed = 20261212;
    constexpr int kCopiesPerFormat = 150;
    // Headers, directories and the first segments lie in the first bytes.
    constexpr std::size_t kDamagedPrefix = 160;
    std::mt19937 random(kSeed);
    for (const char* extension : {"bmp", "gif", "tif", "jpg", "png", "ico"}) {
        SCOPED_TRACE(extension);
        const std::string written = WritePictureFile(extension, 24, 16, kRed);
        ASSERT_FALSE(written.empty());
        const std::string sound = ReadFile(std::string(AfxGetUnixFileName(written.c_str())));
        ::DeleteFileA(written.c_str());
        for (int copy = 0; copy < kCopiesPerFormat; ++copy) {
            std::string damaged = sound;
            if (copy % 4 == 0) {
                damaged.resize(random() % sound.size());
            } else {
                for (unsigned flips = 1 + random() % 3; flips > 0; --flips)
                    damaged[random() % std::min(kDamagedPrefix, damaged.size())] ^= char(1u << (random() % 8));
            }
            const std::string path = WriteTestFile("damaged", damaged);
            const DWORD start = ThreadProcessorMs();
            HBITMAP bitmap = CPictureFile::Load(path.c_str());
            EXPECT_LT(ThreadProcessorMs() - start, kQuickRefusalMs) << "copy " << copy;
            if (bitmap != nullptr) {
                BITMAP size = {};
                ::GetObjectA(bitmap, sizeof size, &size);
                EXPECT_TRUE(CFlashBitmap::FitsPixelBudget(std::uint64_t(size.bmWidth), std::uint64_t(size.bmHeight)));
                ::DeleteObject(bitmap);
            }
            ::DeleteFileA(path.c_str());
        }
    }
}

// The largest picture the budget lets in still inserts, saves and reopens in a few seconds.
TEST(PictureFile, APictureAtThePixelBudgetRoundTripsInAFewSeconds)
{
    constexpr DWORD kFewSecondsMs = 10000;
    const std::string path = WritePictureFile("png", 2048, 1024, kRed);
    ASSERT_FALSE(path.empty());
    EXPECT_LT(InsertSaveAndReopen(path, 2048, 1024), kFewSecondsMs);
    ::DeleteFileA(path.c_str());
}

TEST(PictureBudget, BoundsSidesAndPixels)
{
    const struct {
        std::uint64_t width;
        std::uint64_t height;
        bool fits;
    } cases[] = {
        {1, 1, true},       {1920, 1080, true}, {2048, 1024, true},   {16384, 128, true}, {0, 10, false},
        {2048, 1025, false}, {16385, 1, false}, {37, 1048576, false}, {6000, 6000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.fits, CFlashBitmap::FitsPixelBudget(c.width, c.height)) << c.width << " x " << c.height;
}

class ClipboardPictureTest : public ClipboardSuite {
protected:
    // Puts the packed bitmap on the clipboard and pastes it into a new document.
    CClipboardPaste PasteDib(const std::string& dib)
    {
        PutBlock(CF_DIB, dib);
        m_doc = std::make_unique<CFlashEditorDoc>();
        m_doc->OnNewDocument();
        TestApp().m_messages.clear();
        return CFlashClipboard::Paste(*m_doc, false, s_format, nullptr, CClipboardTextStyle());
    }

    std::unique_ptr<CFlashEditorDoc> m_doc;
};

// A packed bitmap on the clipboard is checked against its block and the pixel budget before
// the platform makes a device bitmap of it: a refused one pastes nothing and says so.
TEST_F(ClipboardPictureTest, DamagedAndOversizedBitmapsPasteNothingAndSaySo)
{
    const struct {
        const char* name;
        std::string dib;
    } cases[] = {
        // 2 KB of header, colours and an end-of-picture code.
        {"RLE8 of 37 x 1,048,576", Dib(37, 1048576, 8, BI_RLE8, 0, 256, std::string(998, '\0') + std::string{0, 1})},
        {"colour table past the block's end", Dib(8, 8, 8, BI_RGB, 0, 16, "")},
        {"rows past the block's end", Dib(100, 100, 24, BI_RGB, 0, 0, std::string(100, '\0'))},
        {"unknown header size", Le32(41) + Dib(8, 8, 24, BI_RGB, 0, 0, std::string(8 * 24, '\0')).substr(4)},
        {"compressed as a JPEG", Dib(8, 8, 0, BI_JPEG, 0, 0, std::string(100, '\0'))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DWORD start = ThreadProcessorMs();
        const CClipboardPaste pasted = PasteDib(c.dib);
        EXPECT_LT(ThreadProcessorMs() - start, kQuickRefusalMs);
        EXPECT_TRUE(pasted.shapes.empty());
        ASSERT_EQ(1u, TestApp().m_messages.size());
        EXPECT_EQ(kCannotRead, TestApp().m_messages[0].text);
        EXPECT_TRUE(m_doc->GetLibrary().GetRootFolder().GetEntries().empty());
    }
}

TEST_F(ClipboardPictureTest, SoundBitmapsPasteSaveAndReopen)
{
    const struct {
        const char* name;
        std::string dib;
        std::uint32_t width;
        std::uint32_t height;
    } cases[] = {
        {"24-bit", Dib(8, 4, 24, BI_RGB, 0, 0, std::string(8 * 3 * 4, '\x40')), 8, 4},
        {"RLE8", Dib(8, 2, 8, BI_RLE8, 0, 256, std::string{8, 1, 0, 0, 8, 2, 0, 1}), 8, 2},
        {"top-down 32-bit", Dib(4, -4, 32, BI_RGB, 0, 0, std::string(4 * 4 * 4, '\x7F')), 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(1u, PasteDib(c.dib).shapes.size());
        EXPECT_TRUE(TestApp().m_messages.empty());
        ExpectSavedAndReopened(*m_doc, c.width, c.height);
    }
}
