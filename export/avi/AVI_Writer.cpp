#include "export/avi/AVI_Writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
constexpr char kErrorText[] = "Error Occured While Rendering the Movie";
constexpr char kErrorCaption[] = "Error";
constexpr char kStreamName[] = "Video Stream";
constexpr DWORD kKeyFrameEvery = 15;
// The movie's compressor first, then those the platform may have instead; none fitting, the
// frames are stored uncompressed so that the movie is still written.
constexpr DWORD kCompressors[] = {mmioFOURCC('M', 'P', 'G', '4'), mmioFOURCC('M', 'S', 'V', 'C'),
                                  mmioFOURCC('M', 'R', 'L', 'E'), mmioFOURCC('c', 'v', 'i', 'd')};
constexpr DWORD kUncompressedHandler = mmioFOURCC('D', 'I', 'B', ' ');
// Frame sizes stay within the LONG byte counts of AVIStreamWrite and GDI's int counts.
constexpr uint64_t kMaxFrameBytes = 0x7FFFFFFF;
constexpr DWORD kBufferBytesPerPixel = 4;

bool IsFrameBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Bytes of a bottom-up DIB with rows padded to four bytes, or 0 when out of range.
DWORD ImageSize(LONG width, LONG height, int bits)
{
    if (width <= 0 || height <= 0)
        return 0;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t size = rowBytes * static_cast<uint64_t>(height);
    return size <= kMaxFrameBytes ? static_cast<DWORD>(size) : 0;
}

// Room for the frame at the screen's size or the frame's, whichever is larger, at four bytes
// a pixel; 0 when out of range.
size_t FrameBufferSize(LONG width, LONG height)
{
    const uint64_t columns = std::max<int64_t>(GetSystemMetrics(SM_CXSCREEN), width);
    const uint64_t rows = std::max<int64_t>(GetSystemMetrics(SM_CYSCREEN), height);
    const uint64_t size = columns * rows * kBufferBytesPerPixel;
    return size <= kMaxFrameBytes ? static_cast<size_t>(size) : 0;
}

LONG FormatSize(const BITMAPINFOHEADER& header)
{
    return static_cast<LONG>(sizeof header + header.biClrUsed * sizeof(RGBQUAD));
}

// Where AVIFile puts the main header's frame duration: after the RIFF header, the header list's
// header and the main header chunk's header.
constexpr DWORD kFrameDurationOffset = 32;
constexpr DWORD kMicrosecondsPerSecond = 1000000;

// The platform's AVIFile writes the main header's frame duration as the rate over the scale, in
// place of its inverse, and players that read it hold each frame for seconds: the duration is
// written again from the rate, when the file starts as AVIFile lays it out.
void CorrectFrameDuration(const std::string& fileName, DWORD frameRate)
{
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char head[kFrameDurationOffset];
    DWORD read = 0;
    if (ReadFile(file, head, sizeof head, &read, nullptr) && read == sizeof head &&
        std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "AVI LIST", 8) == 0 &&
        std::memcmp(head + 20, "hdrlavih", 8) == 0)
    {
        const DWORD rate = std::max<DWORD>(frameRate, 1);
        const DWORD duration = (kMicrosecondsPerSecond + rate / 2) / rate;
        DWORD written = 0;
        WriteFile(file, &duration, sizeof duration, &written, nullptr);
    }
    CloseHandle(file);
}
} // namespace

const C_AVI_Writer::BitmapHandler C_AVI_Writer::kBitmapHandlers[kStateCount] = {
    &C_AVI_Writer::RefuseBitmap, &C_AVI_Writer::FirstBitmap, &C_AVI_Writer::AppendBitmap};
const C_AVI_Writer::RawHandler C_AVI_Writer::kRawHandlers[kStateCount] = {
    &C_AVI_Writer::RefuseRaw, &C_AVI_Writer::FirstRaw, &C_AVI_Writer::AppendRaw};

void C_AVI_Writer::ShowErrorBox(const char* text)
{
    MessageBoxA(nullptr, text, kErrorCaption, MB_OK | MB_ICONERROR);
}

C_AVI_Writer::C_AVI_Writer(const char* fileName, ErrorReporter reportError)
    : m_fileName(fileName ? fileName : ""), m_reportError(std::move(reportError))
{
    AVIFileInit();
}

C_AVI_Writer::~C_AVI_Writer()
{
    ReleaseAll();
    AVIFileExit();
}

HRESULT C_AVI_Writer::AddFrame(HBITMAP bitmap)
{
    return (this->*kBitmapHandlers[m_state])(bitmap);
}

HRESULT C_AVI_Writer::AddRawFrame(int width, int height, const void* bits, int bitsPerPixel)
{
    return (this->*kRawHandlers[m_state])(width, height, bits, bitsPerPixel);
}

HRESULT C_AVI_Writer::RefuseBitmap(HBITMAP)
{
    return E_FAIL;
}

HRESULT C_AVI_Writer::RefuseRaw(int, int, const void*, int)
{
    return E_FAIL;
}

HRESULT C_AVI_Writer::FirstBitmap(HBITMAP bitmap)
{
    if (m_frameRate == 0)
        return E_INVALIDARG;
    m_dc = CreateCompatibleDC(nullptr);
    if (!m_dc)
        return Fail();
    // A bitmap that cannot be read leaves the writer waiting for a usable first frame.
    if (!QueryBitmapFormat(bitmap, m_format))
    {
        Release();
        return E_INVALIDARG;
    }
    const size_t bufferSize = FrameBufferSize(m_format.header.biWidth, m_format.header.biHeight);
    if (bufferSize == 0)
    {
        Release();
        return E_INVALIDARG;
    }
    const HRESULT created = CreateBuffer(bufferSize);
    if (FAILED(created))
        return created;
    // Reading the pixels first also fills the colour table that the stream format carries.
    if (!ReadBitmap(bitmap))
    {
        Release();
        return E_INVALIDARG;
    }
    const HRESULT opened = CreateStream();
    if (FAILED(opened))
        return opened;
    m_state = kAppending;
    return WriteFrame(m_buffer);
}

HRESULT C_AVI_Writer::AppendBitmap(HBITMAP bitmap)
{
    if (!ReadBitmap(bitmap))
        return E_INVALIDARG;
    return WriteFrame(m_buffer);
}

HRESULT C_AVI_Writer::FirstRaw(int width, int height, const void* bits, int bitsPerPixel)
{
    if (m_frameRate == 0 || !bits || (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32))
        return E_INVALIDARG;
    const DWORD imageSize = ImageSize(width, height, bitsPerPixel);
    const size_t bufferSize = FrameBufferSize(width, height);
    if (imageSize == 0 || bufferSize == 0)
        return E_INVALIDARG;
    m_format = FrameFormat{};
    BITMAPINFOHEADER& header = m_format.header;
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = imageSize;
    // The caller's rows are written as they are; only the stream's suggested size needs this.
    m_bufferSize = bufferSize;
    const HRESULT opened = CreateStream();
    if (FAILED(opened))
        return opened;
    m_state = kAppending;
    return WriteFrame(bits);
}

HRESULT C_AVI_Writer::AppendRaw(int width, int height, const void* bits, int bitsPerPixel)
{
    const BITMAPINFOHEADER& header = m_format.header;
    if (!bits || width != header.biWidth || height != header.biHeight ||
        bitsPerPixel != header.biBitCount)
        return E_INVALIDARG;
    return WriteFrame(bits);
}

bool C_AVI_Writer::QueryBitmapFormat(HBITMAP bitmap, FrameFormat& format) const
{
    format = FrameFormat{};
    BITMAPINFOHEADER& header = format.header;
    header.biSize = sizeof header;
    if (!bitmap ||
        !GetDIBits(m_dc, bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&format),
                   DIB_RGB_COLORS))
        return false;
    // Frames are stored bottom-up as plain RGB; colour masks GDI may have reported go away.
    header.biCompression = BI_RGB;
    if (header.biHeight < 0)
        header.biHeight = header.biHeight == LONG{-0x7FFFFFFF - 1} ? 0 : -header.biHeight;
    if (!IsFrameBitCount(header.biBitCount))
        return false;
    // The fourth byte of a 32-bit pixel carries nothing, and players may take it for
    // transparency: such frames are stored as 24-bit pixels.
    if (header.biBitCount == 32)
        header.biBitCount = 24;
    header.biSizeImage = ImageSize(header.biWidth, header.biHeight, header.biBitCount);
    if (header.biSizeImage == 0)
        return false;
    header.biClrUsed = header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
    header.biClrImportant = 0;
    std::fill(std::begin(format.colors), std::end(format.colors), RGBQUAD{});
    return true;
}

bool C_AVI_Writer::ReadBitmap(HBITMAP bitmap)
{
    FrameFormat frame;
    if (!QueryBitmapFormat(bitmap, frame) || frame.header.biWidth != m_format.header.biWidth ||
        frame.header.biHeight != m_format.header.biHeight)
        return false;
    // Every frame is converted to the first frame's format; GDI rewrites the copy's colour table.
    frame = m_format;
    const int rows = GetDIBits(m_dc, bitmap, 0, static_cast<UINT>(frame.header.biHeight), m_buffer,
                               reinterpret_cast<BITMAPINFO*>(&frame), DIB_RGB_COLORS);
    if (rows != frame.header.biHeight)
        return false;
    if (m_state == kWaitingForFirstFrame)
        std::copy(std::begin(frame.colors), std::end(frame.colors), std::begin(m_format.colors));
    return true;
}

HRESULT C_AVI_Writer::CreateBuffer(size_t size)
{
    m_heap = HeapCreate(HEAP_NO_SERIALIZE, size, 0);
    if (!m_heap)
        return Fail();
    m_buffer = HeapAlloc(m_heap, HEAP_ZERO_MEMORY, size);
    if (!m_buffer)
        return Fail();
    m_bufferSize = size;
    return S_OK;
}

HRESULT C_AVI_Writer::CreateStream()
{
    // A compressor that fails after accepting the format leaves a stream whose header names it;
    // each attempt therefore starts the file afresh, and the last one stores frames uncompressed.
    std::vector<DWORD> handlers = AcceptingCompressors();
    handlers.push_back(kUncompressedHandler);
    for (DWORD handler : handlers)
    {
        if (!OpenStream(handler))
            return Fail();
        if (handler == kUncompressedHandler)
            break;
        if (AttachCompressor(handler))
            return S_OK;
        ReleaseFile();
    }
    if (AVIStreamSetFormat(m_stream, 0, &m_format, FormatSize(m_format.header)) != AVIERR_OK)
        return Fail();
    m_target = m_stream;
    return S_OK;
}

bool C_AVI_Writer::OpenStream(DWORD handler)
{
    if (AVIFileOpenA(&m_file, m_fileName.c_str(), OF_WRITE | OF_CREATE, nullptr) != AVIERR_OK)
        return false;
    m_streamInfo = AVISTREAMINFOA{};
    m_streamInfo.fccType = streamtypeVIDEO;
    m_streamInfo.fccHandler = handler;
    m_streamInfo.dwScale = 1;
    m_streamInfo.dwRate = m_frameRate;
    m_streamInfo.dwSuggestedBufferSize = static_cast<DWORD>(m_bufferSize);
    m_streamInfo.dwQuality = static_cast<DWORD>(-1); // the compressor's default
    SetRect(&m_streamInfo.rcFrame, 0, 0, m_format.header.biWidth, m_format.header.biHeight);
    strcpy(m_streamInfo.szName, kStreamName);
    return AVIFileCreateStreamA(m_file, &m_stream, &m_streamInfo) == AVIERR_OK;
}

bool C_AVI_Writer::AttachCompressor(DWORD handler)
{
    m_options = AVICOMPRESSOPTIONS{};
    m_options.fccType = streamtypeVIDEO;
    m_options.fccHandler = handler;
    m_options.dwKeyFrameEvery = kKeyFrameEvery;
    m_options.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
    if (AVIMakeCompressedStream(&m_compressed, m_stream, &m_options, nullptr) != AVIERR_OK ||
        AVIStreamSetFormat(m_compressed, 0, &m_format, FormatSize(m_format.header)) != AVIERR_OK)
        return false;
    m_target = m_compressed;
    return true;
}

std::vector<DWORD> C_AVI_Writer::AcceptingCompressors() const
{
    std::vector<DWORD> accepting;
    FrameFormat input = m_format;
    for (DWORD handler : kCompressors)
    {
        HIC compressor = ICOpen(ICTYPE_VIDEO, handler, ICMODE_COMPRESS);
        if (!compressor)
            continue;
        if (ICCompressQuery(compressor, &input, nullptr) == ICERR_OK)
            accepting.push_back(handler);
        ICClose(compressor);
    }
    return accepting;
}

HRESULT C_AVI_Writer::WriteFrame(const void* data)
{
    // Without a compressor to decide, every stored frame stands alone.
    const DWORD flags = m_compressed ? 0 : AVIIF_KEYFRAME;
    // A refused frame would leave a gap in the movie: the export fails here, told once.
    if (AVIStreamWrite(m_target, m_frameIndex, 1, const_cast<void*>(data),
                       static_cast<LONG>(m_format.header.biSizeImage), flags, nullptr,
                       nullptr) != AVIERR_OK)
        return Fail();
    ++m_frameIndex;
    return S_OK;
}

HRESULT C_AVI_Writer::Close()
{
    const State state = m_state;
    const LONG framesWritten = m_frameIndex;
    ReleaseAll();
    if (state == kFailed)
        return E_FAIL; // already reported when it failed
    if (state == kWaitingForFirstFrame)
        return S_OK;
    // The header and the index are written on release, which reports nothing: read them back.
    LONG framesRead = -1;
    PAVIFILE file = nullptr;
    if (AVIFileOpenA(&file, m_fileName.c_str(), OF_READ | OF_SHARE_DENY_WRITE, nullptr) ==
        AVIERR_OK)
    {
        PAVISTREAM stream = nullptr;
        if (AVIFileGetStream(file, &stream, streamtypeVIDEO, 0) == AVIERR_OK)
        {
            framesRead = AVIStreamLength(stream);
            AVIStreamRelease(stream);
        }
        AVIFileRelease(file);
    }
    if (framesRead != framesWritten)
    {
        m_reportError(kErrorText);
        return E_FAIL;
    }
    CorrectFrameDuration(m_fileName, m_frameRate);
    return S_OK;
}

HRESULT C_AVI_Writer::Fail()
{
    ReleaseAll();
    m_reportError(kErrorText);
    return E_FAIL;
}

void C_AVI_Writer::ReleaseAll()
{
    m_state = kFailed;
    Release();
}

void C_AVI_Writer::Release()
{
    if (m_dc)
        DeleteDC(m_dc);
    ReleaseFile();
    if (m_heap)
        HeapDestroy(m_heap); // frees the frame buffer with it
    m_dc = nullptr;
    m_heap = nullptr;
    m_buffer = nullptr;
    m_bufferSize = 0;
}

void C_AVI_Writer::ReleaseFile()
{
    if (m_compressed)
        AVIStreamRelease(m_compressed);
    if (m_stream)
        AVIStreamRelease(m_stream);
    if (m_file)
        AVIFileRelease(m_file);
    m_compressed = nullptr;
    m_stream = nullptr;
    m_target = nullptr;
    m_file = nullptr;
}
