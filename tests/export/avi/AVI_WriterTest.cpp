#include "export/avi/AVI_Writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
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

std::string FourCC(DWORD code)
{
    return std::string{char(code), char(code >> 8), char(code >> 16), char(code >> 24)};
}

// The main header's frame duration, read from the file's bytes (AVIFile's reader derives its own).
uint32_t MainHeaderFrameDuration(const char* path)
{
    unsigned char head[36] = {};
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return 0;
    const bool read = std::fread(head, 1, sizeof head, file) == sizeof head;
    std::fclose(file);
    if (!read || std::memcmp(head + 24, "avih", 4) != 0)
        return 0;
    return head[32] | head[33] << 8 | head[34] << 16 | uint32_t(head[35]) << 24;
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
    std::string Handler() const { return FourCC(info.fccHandler); }
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

// Whether this machine's AVIFile builds a compressed video stream with the handler for frames of
// the format, with a key frame every 15 frames as movies are written: a compressor may take
// the format and still fail there (one that needs the previous frame decoded, for instance).
bool MachineCompresses(DWORD handler, const BITMAPINFOHEADER& input, LONG formatSize)
{
    HIC compressor = ICOpen(ICTYPE_VIDEO, handler, ICMODE_COMPRESS);
    if (!compressor)
        return false;
    const bool takes = ICCompressQuery(compressor, &input, nullptr) == ICERR_OK;
    ICClose(compressor);
    if (!takes)
        return false;
    TempMovie scratch;
    AVIFileInit();
    PAVIFILE file = nullptr;
    PAVISTREAM stream = nullptr;
    PAVISTREAM compressed = nullptr;
    bool built = false;
    if (AVIFileOpenA(&file, scratch.Path(), OF_WRITE | OF_CREATE, nullptr) == AVIERR_OK)
    {
        AVISTREAMINFOA info{};
        info.fccType = streamtypeVIDEO;
        info.fccHandler = handler;
        info.dwScale = 1;
        info.dwRate = 15;
        SetRect(&info.rcFrame, 0, 0, input.biWidth, input.biHeight);
        AVICOMPRESSOPTIONS options{};
        options.fccType = streamtypeVIDEO;
        options.fccHandler = handler;
        options.dwKeyFrameEvery = 15;
        options.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
        built = AVIFileCreateStreamA(file, &stream, &info) == AVIERR_OK &&
                AVIMakeCompressedStream(&compressed, stream, &options, nullptr) == AVIERR_OK &&
                AVIStreamSetFormat(compressed, 0, const_cast<BITMAPINFOHEADER*>(&input), formatSize) == AVIERR_OK;
    }
    if (compressed)
        AVIStreamRelease(compressed);
    if (stream)
        AVIStreamRelease(stream);
    if (file)
        AVIFileRelease(file);
    AVIFileExit();
    return built;
}

// The handler the writer must name on this machine: the first of its compressors, in its order
// of preference, that the machine has and that compresses frames of this format; with none,
// the frames are stored uncompressed ('DIB ').
std::string ExpectedHandler(int width, int height, int bits)
{
    const DWORD preference[] = {mmioFOURCC('M', 'P', 'G', '4'), mmioFOURCC('M', 'S', 'V', 'C'),
                                mmioFOURCC('M', 'R', 'L', 'E'), mmioFOURCC('c', 'v', 'i', 'd')};
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } input{};
    input.header.biSize = sizeof input.header;
    input.header.biWidth = width;
    input.header.biHeight = height;
    input.header.biPlanes = 1;
    input.header.biBitCount = static_cast<WORD>(bits);
    input.header.biCompression = BI_RGB;
    input.header.biSizeImage = static_cast<DWORD>((width * bits + 31) / 32 * 4 * height);
    input.header.biClrUsed = bits <= 8 ? 1u << bits : 0;
    const LONG formatSize = static_cast<LONG>(sizeof input.header + input.header.biClrUsed * sizeof(RGBQUAD));
    for (DWORD handler : preference)
    {
        if (MachineCompresses(handler, input.header, formatSize))
            return FourCC(handler);
    }
    return "DIB ";
}

// The stream names the compressor the machine offers, and its frames hold what that names.
void ExpectHandlerFor(const MovieReader& reader, int width, int height, int bits)
{
    const std::string expected = ExpectedHandler(width, height, bits);
    std::printf("[ compressor for %d-bit frames: '%s' ]\n", bits, expected.c_str());
    EXPECT_EQ(expected, reader.Handler());
    const DWORD compression = reader.Format().biCompression;
    if (expected == "DIB ")
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), compression);
    else if (expected == "MRLE")
        EXPECT_EQ(static_cast<DWORD>(BI_RLE8), compression);
    else
        EXPECT_NE(static_cast<DWORD>(BI_RGB), compression) << expected;
}

// A compressor installed for this process only under the movie's handler: it stores the frames'
// bytes as they are and refuses the frame numbered refuseFrame (none when -1), as a real codec
// does when it runs out of memory or meets data it cannot take.
class RefusingCompressor
{
public:
    static constexpr DWORD kHandler = mmioFOURCC('M', 'P', 'G', '4');

    explicit RefusingCompressor(LONG refuseFrame)
    {
        s_refuseFrame = refuseFrame;
        s_compressed = 0;
        m_installed = ICInstall(ICTYPE_VIDEO, kHandler, reinterpret_cast<LPARAM>(&DriverProc), nullptr,
                                ICINSTALL_FUNCTION);
    }
    ~RefusingCompressor()
    {
        if (m_installed)
            ICRemove(ICTYPE_VIDEO, kHandler, 0);
    }
    bool Installed() const { return m_installed; }
    static LONG Compressed() { return s_compressed; }

private:
    static LRESULT CALLBACK DriverProc(DWORD_PTR, HDRVR, UINT msg, LPARAM lParam1, LPARAM lParam2)
    {
        switch (msg)
        {
        case ICM_GETINFO:
        {
            auto* info = reinterpret_cast<ICINFO*>(lParam1);
            *info = ICINFO{};
            info->dwSize = sizeof(ICINFO);
            info->fccType = ICTYPE_VIDEO;
            info->fccHandler = kHandler;
            // Every frame stands alone: no previous frame to decompress while compressing.
            info->dwFlags = VIDCF_FASTTEMPORALC;
            return sizeof(ICINFO);
        }
        case ICM_COMPRESS_QUERY:
        case ICM_COMPRESS_BEGIN:
        case ICM_COMPRESS_END:
            return ICERR_OK;
        case ICM_COMPRESS_GET_FORMAT:
            if (lParam2 != 0)
            {
                auto* output = reinterpret_cast<BITMAPINFOHEADER*>(lParam2);
                *output = *reinterpret_cast<const BITMAPINFOHEADER*>(lParam1);
                output->biCompression = kHandler;
                output->biClrUsed = 0;
            }
            return sizeof(BITMAPINFOHEADER);
        case ICM_COMPRESS_GET_SIZE:
            return reinterpret_cast<const BITMAPINFOHEADER*>(lParam1)->biSizeImage;
        case ICM_COMPRESS:
        {
            auto* icc = reinterpret_cast<ICCOMPRESS*>(lParam1);
            if (icc->lFrameNum == s_refuseFrame)
                return ICERR_ERROR;
            std::memcpy(icc->lpOutput, icc->lpInput, icc->lpbiInput->biSizeImage);
            icc->lpbiOutput->biSizeImage = icc->lpbiInput->biSizeImage;
            if (icc->lpdwFlags != nullptr)
                *icc->lpdwFlags = AVIIF_KEYFRAME;
            ++s_compressed;
            return ICERR_OK;
        }
        default:
            // The driver's own messages (load, open, close, free) succeed; other codec requests
            // are not supported.
            return msg < DRV_USER ? 1 : ICERR_UNSUPPORTED;
        }
    }
    static LONG s_refuseFrame;
    static LONG s_compressed;
    bool m_installed = false;
};
LONG RefusingCompressor::s_refuseFrame = -1;
LONG RefusingCompressor::s_compressed = 0;
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
    // Screen frames are stored at 24 bits a pixel.
    ExpectHandlerFor(reader, 64, 48, 24);
    EXPECT_EQ(24, reader.Format().biBitCount) << "no unused fourth byte a player could take for alpha";
    EXPECT_EQ(3, reader.Length());
    EXPECT_EQ(24u, reader.info.dwRate);
    EXPECT_EQ(1u, reader.info.dwScale);
    EXPECT_EQ(41667u, MainHeaderFrameDuration(movie.Path())) << "microseconds, for players that read it";
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
    ExpectHandlerFor(reader, 37, 21, 8);
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


TEST(AVI_Writer, TheMovieNamesTheCompressorTheMachineHas)
{
    TempMovie movie;
    Reports reports;
    RefusingCompressor compressor(-1);
    ASSERT_TRUE(compressor.Installed());
    HBITMAP bitmap = MakeFrame(32, 32, 0);
    {
        C_AVI_Writer writer(movie.Path(), reports.Reporter());
        for (int frame = 0; frame < 3; ++frame)
            EXPECT_EQ(S_OK, writer.AddFrame(bitmap)) << frame;
        EXPECT_EQ(S_OK, writer.Close());
    }
    DeleteObject(bitmap);
    EXPECT_EQ(0, reports.count);
    EXPECT_EQ(3, RefusingCompressor::Compressed());
    MovieReader reader(movie.Path());
    ASSERT_TRUE(reader.Opened());
    EXPECT_EQ("MPG4", ExpectedHandler(32, 32, 24));
    EXPECT_EQ("MPG4", reader.Handler());
    EXPECT_EQ(mmioFOURCC('M', 'P', 'G', '4'), reader.Format().biCompression);
    EXPECT_EQ(3, reader.Length());
}

TEST(AVI_Writer, RefusedFrameFailsTheMovie)
{
    TempMovie movie;
    Reports reports;
    RefusingCompressor compressor(2);
    ASSERT_TRUE(compressor.Installed());
    HBITMAP bitmap = MakeFrame(32, 32, 0);
    {
        C_AVI_Writer writer(movie.Path(), reports.Reporter());
        EXPECT_EQ(S_OK, writer.AddFrame(bitmap));
        EXPECT_EQ(S_OK, writer.AddFrame(bitmap));
        EXPECT_EQ(2, RefusingCompressor::Compressed()) << "the frames went through the movie's compressor";
        EXPECT_EQ(E_FAIL, writer.AddFrame(bitmap)) << "the refused frame";
        EXPECT_EQ(1, reports.count);
        EXPECT_EQ(E_FAIL, writer.AddFrame(bitmap)) << "no frame after a gap";
        EXPECT_EQ(E_FAIL, writer.Close());
    }
    DeleteObject(bitmap);
    EXPECT_EQ(1, reports.count) << "told once";
    EXPECT_EQ("Error Occured While Rendering the Movie", reports.text);
}
