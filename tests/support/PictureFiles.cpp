#include "tests/support/PictureFiles.h"

#include "platform/gdiplus/GdiPlus.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr CLSID kEncoderBmp = {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr CLSID kEncoderJpeg = {0x557cf401, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr CLSID kEncoderTiff = {0x557cf405, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr CLSID kEncoderPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

std::u16string Wide(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

// The temporary folder with a prefix of this process: test programs run side by side.
std::string TestFilePath(const std::string& name)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "picture-" + std::to_string(::GetCurrentProcessId()) + "-" + name;
}

// Writes through Windows, which knows the drive letters of the paths.
bool WriteBytes(const std::string& path, const void* bytes, std::size_t size)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes, DWORD(size), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == size;
}

// An icon file of one 32-bit image, written by hand: GDI+ has no icon encoder.
bool WriteIconFile(const std::string& path, int width, int height, COLORREF color)
{
    const int pixelBytes = width * height * 4;
    const int maskStride = ((width + 31) / 32) * 4;
    const DWORD imageBytes = DWORD(sizeof(BITMAPINFOHEADER)) + DWORD(pixelBytes + maskStride * height);
    std::vector<BYTE> out = {0, 0, 1, 0, 1, 0, BYTE(width), BYTE(height), 0, 0, 1, 0, 32, 0};
    for (DWORD value : {imageBytes, DWORD(22)})
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(BYTE(value >> shift));
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height * 2;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const BYTE* header = reinterpret_cast<const BYTE*>(&info);
    out.insert(out.end(), header, header + sizeof info);
    for (int index = 0; index < width * height; ++index)
        out.insert(out.end(), {GetBValue(color), GetGValue(color), GetRValue(color), 0xFF});
    out.insert(out.end(), size_t(maskStride * height), 0);
    return WriteBytes(path, out.data(), out.size());
}

// A one-colour GIF written by hand: Wine's encoder leaves the image data out. Codes are three
// bits wide; a clear code before every two pixels keeps them so.
bool WriteGifFile(const std::string& path, int width, int height, COLORREF color)
{
    std::vector<BYTE> out = {'G', 'I', 'F', '8', '9', 'a', BYTE(width), BYTE(width >> 8), BYTE(height),
                             BYTE(height >> 8), 0x80, 0, 0, GetRValue(color), GetGValue(color), GetBValue(color),
                             0, 0, 0, 0x2C, 0, 0, 0, 0, BYTE(width), BYTE(width >> 8), BYTE(height),
                             BYTE(height >> 8), 0, 2};
    constexpr int kClear = 4;
    constexpr int kEnd = 5;
    std::vector<BYTE> codes;
    unsigned buffer = 0;
    int bits = 0;
    auto put = [&](int code) {
        buffer |= unsigned(code) << bits;
        bits += 3;
        while (bits >= 8) {
            codes.push_back(BYTE(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 2 == 0)
            put(kClear);
        put(0);
    }
    put(kEnd);
    if (bits > 0)
        codes.push_back(BYTE(buffer));
    for (size_t at = 0; at < codes.size(); at += 255) {
        size_t length = std::min<size_t>(255, codes.size() - at);
        out.push_back(BYTE(length));
        out.insert(out.end(), codes.begin() + std::ptrdiff_t(at), codes.begin() + std::ptrdiff_t(at + length));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return WriteBytes(path, out.data(), out.size());
}

} // namespace

HBITMAP MakeDeviceBitmap(int width, int height, COLORREF color)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

std::string WritePictureFile(const char* extension, int width, int height, COLORREF color)
{
    std::string path = TestFilePath(std::string("written.") + extension);
    if (std::strcmp(extension, "ico") == 0)
        return WriteIconFile(path, width, height, color) ? path : std::string();
    if (std::strcmp(extension, "gif") == 0)
        return WriteGifFile(path, width, height, color) ? path : std::string();
    const CLSID* encoder = nullptr;
    if (std::strcmp(extension, "bmp") == 0)
        encoder = &kEncoderBmp;
    else if (std::strcmp(extension, "jpg") == 0)
        encoder = &kEncoderJpeg;
    else if (std::strcmp(extension, "tif") == 0)
        encoder = &kEncoderTiff;
    else if (std::strcmp(extension, "png") == 0)
        encoder = &kEncoderPng;
    if (encoder == nullptr)
        return {};
    HBITMAP device = MakeDeviceBitmap(width, height, color);
    Gdiplus::Status status;
    {
        Gdiplus::Bitmap bitmap(device, nullptr);
        status = bitmap.Save(reinterpret_cast<const WCHAR*>(Wide(path).c_str()), encoder);
    }
    ::DeleteObject(device);
    return status == Gdiplus::Ok ? path : std::string();
}

std::string WriteTestFile(const std::string& name, const std::string& bytes)
{
    const std::string path = TestFilePath(name);
    return WriteBytes(path, bytes.data(), bytes.size()) ? path : std::string();
}
