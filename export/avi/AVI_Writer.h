#pragma once
// Writes device bitmaps, or raw pixel buffers, as the frames of an AVI video through AVIFile.
#include <windows.h>
#include <vfw.h>

#include <functional>
#include <string>
#include <vector>

class C_AVI_Writer
{
public:
    // Shows the failure of the file or stream to the user; tests give their own.
    using ErrorReporter = std::function<void(const char* text)>;
    static void ShowErrorBox(const char* text);

    explicit C_AVI_Writer(const char* fileName, ErrorReporter reportError = ShowErrorBox);
    ~C_AVI_Writer();
    C_AVI_Writer(const C_AVI_Writer&) = delete;
    C_AVI_Writer& operator=(const C_AVI_Writer&) = delete;

    // Frames per second of the stream; set before the first frame.
    void SetFrameRate(DWORD framesPerSecond) { m_frameRate = framesPerSecond; }

    // The first frame creates the file and fixes the format of all frames. E_INVALIDARG for a
    // frame that cannot be read or does not match the first one's size; E_FAIL when the file
    // or stream fails, a frame's write included, and for every frame after (reported to the
    // user once).
    HRESULT AddFrame(HBITMAP bitmap);
    // Rows bottom-up, each padded to four bytes; 16, 24 or 32 bits per pixel.
    HRESULT AddRawFrame(int width, int height, const void* bits, int bitsPerPixel);

    // Releases the streams and the file, which writes its header and index. S_OK when the
    // file reads back with every frame written, else E_FAIL (reported to the user).
    HRESULT Close();
    void ReleaseAll();

private:
    enum State
    {
        kFailed,
        kWaitingForFirstFrame,
        kAppending,
        kStateCount
    };
    using BitmapHandler = HRESULT (C_AVI_Writer::*)(HBITMAP);
    using RawHandler = HRESULT (C_AVI_Writer::*)(int, int, const void*, int);
    static const BitmapHandler kBitmapHandlers[kStateCount];
    static const RawHandler kRawHandlers[kStateCount];

    // The frame format with room for the colour table of 8 bits per pixel or fewer.
    struct FrameFormat
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    };

    HRESULT RefuseBitmap(HBITMAP);
    HRESULT RefuseRaw(int, int, const void*, int);
    HRESULT FirstBitmap(HBITMAP bitmap);
    HRESULT AppendBitmap(HBITMAP bitmap);
    HRESULT FirstRaw(int width, int height, const void* bits, int bitsPerPixel);
    HRESULT AppendRaw(int width, int height, const void* bits, int bitsPerPixel);

    bool QueryBitmapFormat(HBITMAP bitmap, FrameFormat& format) const;
    bool ReadBitmap(HBITMAP bitmap);
    HRESULT CreateBuffer(size_t size);
    HRESULT CreateStream();
    bool OpenStream(DWORD handler);
    bool AttachCompressor(DWORD handler);
    std::vector<DWORD> AcceptingCompressors() const;
    HRESULT WriteFrame(const void* data);
    // Releases everything, tells the user and leaves the writer failed.
    HRESULT Fail();
    void Release();
    void ReleaseFile();

    std::string m_fileName;
    ErrorReporter m_reportError;
    State m_state = kWaitingForFirstFrame;
    DWORD m_frameRate = 15;
    HDC m_dc = nullptr;
    HANDLE m_heap = nullptr;
    void* m_buffer = nullptr;
    size_t m_bufferSize = 0;
    LONG m_frameIndex = 0;
    FrameFormat m_format{};
    PAVIFILE m_file = nullptr;
    PAVISTREAM m_stream = nullptr;
    PAVISTREAM m_compressed = nullptr;
    // The stream frames go to: the compressed one, or the plain one when no compressor fits.
    PAVISTREAM m_target = nullptr;
    AVISTREAMINFOA m_streamInfo{};
    AVICOMPRESSOPTIONS m_options{};
};
