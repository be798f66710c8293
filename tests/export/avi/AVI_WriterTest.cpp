#include "export/avi/AVI_Writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
// A path in the temporary folder for a movie, removed with the object.
class TempMovie
{
public:
    TempMovie()
    {
        char pattern[] = "/tmp/avi-test-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd >= 0)
            close(fd);
        m_path = pattern;
        unlink(m_path.c_str());
        m_path += ".avi";
    }
    ~TempMovie() { unlink(m_path.c_str()); }
    const char* Path() const { return m_path.c_str(); }
    bool Exists() const { return access(m_path.c_str(), F_OK) == 0; }

private:
    std::string m_path;
};

// Counts the failures the writer would show to the user.
struct Reports
{
    int count = 0;
    std::string text;
    C_AVI_Writer::ErrorReporter Reporter()
    {
        return [this](const char* message) {
            ++count;
            text = message;
        };
    }
};

COLORREF FrameColor(int frame)
{
    const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 128, 255), RGB(40, 200, 90), RGB(250, 250, 10)};
    return colors[frame % 4];
}

// A screen-format device bitmap: the frame's colour with a white square at the top left.
HBITMAP MakeFrame(int width, int height, int frame)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH fill = CreateSolidBrush(FrameColor(frame));
    FillRect(dc, &all, fill);
    DeleteObject(fill);
    RECT corner{0, 0, 8, 8};
    FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// An 8-bit DIB section with a small palette: index (x / 4 + y / 4 + frame) % 4.
HBITMAP MakePaletteFrame(int width, int height, int frame)
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    for (int i = 0; i < 4; ++i)
    {
        const COLORREF c = FrameColor(i);
        info.colors[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    }
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    const int stride = (width + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            static_cast<BYTE*>(bits)[y * stride + x] = static_cast<BYTE>((x / 4 + y / 4 + frame) % 4);
    return section;
}

// The movie read back through AVIFile's reading functions.
class MovieReader
{
public:
    explicit MovieReader(const char* path)
    {
        AVIFileInit();
        if (AVIFileOpenA(&m_file, path, OF_READ | OF_SHARE_DENY_WRITE, nullptr) != AVIERR_OK)
            return;
        if (AVIFileGetStream(m_file, &m_stream, streamtypeVIDEO, 0) != AVIERR_OK)
            return;
        AVIStreamInfoA(m_stream, &info, sizeof info);
        m_frames = AVIStreamGetFrameOpen(m_stream, nullptr);
    }
    ~MovieReader()
    {
        if (m_frames)
            AVIStreamGetFrameClose(m_frames);
        if (m_stream)
            AVIStreamRelease(m_stream);
        if (m_file)
            AVIFileRelease(m_file);
        AVIFileExit();
    }
    bool Opened() const { return m_stream != nullptr; }
    bool Decodes() const { return m_frames != nullptr; }
    LONG Length() const { return AVIStreamLength(m_stream); }
    std::string Handler() const
    {
        const DWORD h = info.fccHandler;
        return std::string{char(h), char(h >> 8), char(h >> 16), char(h >> 24)};
    }
    // The stored frames' format: the header's handler must name what the data holds.
    BITMAPINFOHEADER Format() const
    {
        struct
        {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } format{};
        LONG size = sizeof format;
        if (AVIStreamReadFormat(m_stream, 0, &format, &size) != AVIERR_OK)
            return BITMAPINFOHEADER{};
        return format.header;
    }
    // Colour of pixel (x, yFromTop) of a frame as 0xRRGGBB, or -1 when it cannot be decoded.
    long Pixel(LONG frame, int x, int yFromTop) const
    {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(m_frames, frame));
        if (!header)
            return -1;
        const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
        const int row = header->biHeight < 0 ? yFromTop : height - 1 - yFromTop;
        const int stride = (header->biWidth * header->biBitCount + 31) / 32 * 4;
        const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(
            reinterpret_cast<const BYTE*>(header) + header->biSize);
        const DWORD tableSize = header->biBitCount <= 8
                                    ? (header->biClrUsed ? header->biClrUsed : 1u << header->biBitCount)
                                    : (header->biCompression == BI_BITFIELDS ? 3 : 0);
        const BYTE* bits = reinterpret_cast<const BYTE*>(table + tableSize) + row * stride;
        switch (header->biBitCount)
        {
        case 8:
        {
            const RGBQUAD c = table[bits[x]];
            return (c.rgbRed << 16) | (c.rgbGreen << 8) | c.rgbBlue;
        }
        case 24:
        case 32:
        {
            const BYTE* p = bits + x * header->biBitCount / 8;
            return (p[2] << 16) | (p[1] << 8) | p[0];
        }
        default:
            return -1;
        }
    }
    AVISTREAMINFOA info{};

private:
    PAVIFILE m_file = nullptr;
    PAVISTREAM m_stream = nullptr;
    PGETFRAME m_frames = nullptr;
};

long Rgb(COLORREF c)
{
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Channel-wise difference, for compressors that are not lossless.
int Distance(long a, long b)
{
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

constexpr int kTolerance = 8;

void ExpectHandlerMatchesData(const MovieReader& reader)
{
    const DWORD compression = reader.Format().biCompression;
    if (reader.Handler() == "DIB ")
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), compression);
    else if (reader.Handler() == "MRLE")
        EXPECT_EQ(static_cast<DWORD>(BI_RLE8), compression);
    else
        EXPECT_NE(static_cast<DWORD>(BI_RGB), compression) << reader.Handler();
}
} // namespace

TEST(AVI_Writer, ScreenBitmapsBecomeAPlayableMovie)
{
    TempMovie movie;
    Reports reports;
    {
        C_AVI_Writer writer(movie.Path(), reports.Reporter());
        writer.SetFrameRate(24);
        for (int frame = 0; frame < 3; ++frame)
        {
            HBITMAP bitmap = MakeFrame(64, 48, frame);
            EXPECT_EQ(S_OK, writer.AddFrame(bitmap)) << frame;
            DeleteObject(bitmap);
        }
        EXPECT_EQ(S_OK, writer.Close());
    }
    EXPECT_EQ(0, reports.count);

    MovieReader reader(movie.Path());
    ASSERT_TRUE(reader.Opened());
    std::printf("[ compressor for 32-bit frames: '%s' ]\n", reader.Handler().c_str());
    ExpectHandlerMatchesData(reader);
    EXPECT_EQ(24, reader.Format().biBitCount) << "no unused fourth byte a player could take for alpha";
    EXPECT_EQ(3, reader.Length());
    EXPECT_EQ(24u, reader.info.dwRate);
    EXPECT_EQ(1u, reader.info.dwScale);
    EXPECT_EQ(64, reader.info.rcFrame.right - reader.info.rcFrame.left);
    EXPECT_EQ(48, reader.info.rcFrame.bottom - reader.info.rcFrame.top);
    ASSERT_TRUE(reader.Decodes());
    // Samples follow the order of the calls: each frame has its own colour.
    for (int frame = 0; frame < 3; ++frame)
    {
        SCOPED_TRACE(frame);
        EXPECT_LE(Distance(Rgb(FrameColor(frame)), reader.Pixel(frame, 40, 30)), kTolerance);
        EXPECT_LE(Distance(0xFFFFFF, reader.Pixel(frame, 2, 2)), kTolerance);
    }
}

TEST(AVI_Writer, PaletteFramesKeepTheirColourTable)
{
    TempMovie movie;
    Reports reports;
    {
        C_AVI_Writer writer(movie.Path(), reports.Reporter());
        writer.SetFrameRate(12);
        for (int frame = 0; frame < 4; ++frame)
        {
            HBITMAP bitmap = MakePaletteFrame(37, 21, frame);
            EXPECT_EQ(S_OK, writer.AddFrame(bitmap)) << frame;
            DeleteObject(bitmap);
        }
        EXPECT_EQ(S_OK, writer.Close());
    }
    EXPECT_EQ(0, reports.count);

    MovieReader reader(movie.Path());
    ASSERT_TRUE(reader.Opened());
    std::printf("[ compressor for 8-bit frames: '%s' ]\n", reader.Handler().c_str());
    ExpectHandlerMatchesData(reader);
    EXPECT_EQ(4, reader.Length());
    EXPECT_EQ(12u, reader.info.dwRate);
    ASSERT_TRUE(reader.Decodes());
    for (int frame : {0, 3})
        for (int y : {0, 9, 20})
            for (int x : {0, 5, 36})
            {
                // The section is bottom-up: its row y is picture row height - 1 - y.
                const int index = (x / 4 + y / 4 + frame) % 4;
                EXPECT_EQ(Rgb(FrameColor(index)), reader.Pixel(frame, x, 20 - y))
                    << frame << ": " << x << "," << y;
            }
}

TEST(AVI_Writer, RawFramesAreWrittenWithPaddedRows)
{
    TempMovie movie;
    Reports reports;
    constexpr int kWidth = 3, kHeight = 2, kStride = 12;
    {
        C_AVI_Writer writer(movie.Path(), reports.Reporter());
        writer.SetFrameRate(10);
        for (int frame = 0; frame < 2; ++frame)
        {
            std::vector<BYTE> bits(kStride * kHeight, 0);
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                {
                    BYTE* p = &bits[y * kStride + x * 3];
                    p[0] = static_cast<BYTE>(10 * x);       // blue
                    p[1] = static_cast<BYTE>(100 + 50 * y); // green
                    p[2] = static_cast<BYTE>(200 + frame);  // red
                }
            EXPECT_EQ(S_OK, writer.AddRawFrame(kWidth, kHeight, bits.data(), 24));
        }
        EXPECT_EQ(E_INVALIDARG, writer.AddRawFrame(kWidth + 1, kHeight, "", 24));
        EXPECT_EQ(S_OK, writer.Close());
    }
    EXPECT_EQ(0, reports.count);
    MovieReader reader(movie.Path());
    ASSERT_TRUE(reader.Opened());
    EXPECT_EQ(2, reader.Length());
    EXPECT_EQ(10u, reader.info.dwRate);
    ASSERT_TRUE(reader.Decodes());
    // Raw rows are bottom-up too: buffer row 1 is the top of the picture.
    EXPECT_EQ((201 << 16) | (150 << 8) | 20, reader.Pixel(1, 2, 0));
    EXPECT_EQ((200 << 16) | (100 << 8) | 0, reader.Pixel(0, 0, 1));
}

TEST(AVI_Writer, FramesThatDoNotFitAreRefusedWithoutEndingTheMovie)
{
    TempMovie movie;
    Reports reports;
    {
        C_AVI_Writer writer(movie.Path(), reports.Reporter());
        // An unreadable first frame leaves the writer waiting for a usable one.
        EXPECT_EQ(E_INVALIDARG, writer.AddFrame(nullptr));
        EXPECT_FALSE(movie.Exists());
        HBITMAP first = MakeFrame(32, 32, 0);
        HBITMAP larger = MakeFrame(640, 480, 1);
        HBITMAP smaller = MakeFrame(16, 32, 2);
        EXPECT_EQ(S_OK, writer.AddFrame(first));
        EXPECT_EQ(E_INVALIDARG, writer.AddFrame(larger));
        EXPECT_EQ(E_INVALIDARG, writer.AddFrame(smaller));
        EXPECT_EQ(E_INVALIDARG, writer.AddFrame(nullptr));
        EXPECT_EQ(S_OK, writer.AddFrame(first));
        DeleteObject(first);
        DeleteObject(larger);
        DeleteObject(smaller);
        EXPECT_EQ(S_OK, writer.Close());
    }
    EXPECT_EQ(0, reports.count);
    MovieReader reader(movie.Path());
    ASSERT_TRUE(reader.Opened());
    EXPECT_EQ(2, reader.Length());
}

TEST(AVI_Writer, FileFailureIsReportedOnceAndStopsTheMovie)
{
    Reports reports;
    HBITMAP bitmap = MakeFrame(16, 16, 0);
    {
        C_AVI_Writer writer("/no/such/folder/movie.avi", reports.Reporter());
        EXPECT_EQ(E_FAIL, writer.AddFrame(bitmap));
        EXPECT_EQ(E_FAIL, writer.AddFrame(bitmap));
        EXPECT_EQ(E_FAIL, writer.AddRawFrame(4, 4, "0123456789abcdef0123456789abcdef0123456789abcdef", 24));
        EXPECT_EQ(E_FAIL, writer.Close());
    }
    DeleteObject(bitmap);
    EXPECT_EQ(1, reports.count);
    EXPECT_EQ("Error Occured While Rendering the Movie", reports.text);
}

TEST(AVI_Writer, RefusesUnusableRawFrames)
{
    struct Case
    {
        const char* name;
        int width, height, bits;
        bool buffer;
    };
    const Case cases[] = {
        {"no buffer", 4, 4, 24, false},     {"zero width", 0, 4, 24, true},
        {"negative height", 4, -4, 24, true}, {"8 bits without palette", 4, 4, 8, true},
        {"odd bit count", 4, 4, 12, true},  {"huge", 0x7FFFFFFF, 0x7FFFFFFF, 32, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempMovie movie;
        Reports reports;
        C_AVI_Writer writer(movie.Path(), reports.Reporter());
        const BYTE pixels[64] = {};
        EXPECT_EQ(E_INVALIDARG, writer.AddRawFrame(c.width, c.height, c.buffer ? pixels : nullptr, c.bits));
        EXPECT_EQ(0, reports.count);
        EXPECT_FALSE(movie.Exists());
    }
}

TEST(AVI_Writer, WriteFailureIsReportedWhenTheMovieIsClosed)
{
    // A device that takes no bytes. AVIFile accepts the frames and writes the header and index
    // when the file is released, telling nobody; the movie must not pass for written.
    Reports reports;
    HBITMAP bitmap = MakeFrame(16, 16, 0);
    {
        C_AVI_Writer writer("/dev/full", reports.Reporter());
        writer.AddFrame(bitmap);
        writer.AddFrame(bitmap);
        EXPECT_EQ(E_FAIL, writer.Close());
    }
    DeleteObject(bitmap);
    EXPECT_EQ(1, reports.count);
    EXPECT_EQ("Error Occured While Rendering the Movie", reports.text);
}
