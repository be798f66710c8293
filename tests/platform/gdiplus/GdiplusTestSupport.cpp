#include "tests/platform/gdiplus/GdiplusTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace GdiplusTest {

bool Near(BYTE a, BYTE b, int tolerance)
{
    return std::abs(int(a) - int(b)) <= tolerance;
}

bool NearRgb(const Gdiplus::Color& a, const Gdiplus::Color& b, int tolerance)
{
    return Near(a.GetR(), b.GetR(), tolerance) && Near(a.GetG(), b.GetG(), tolerance)
        && Near(a.GetB(), b.GetB(), tolerance);
}

Gdiplus::Color PixelAt(const Gdiplus::Bitmap& bitmap, INT x, INT y)
{
    Gdiplus::Color color(0xFFFF00FF);
    bitmap.GetPixel(x, y, &color);
    return color;
}

std::u16string TempPath(const char* fileName)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "gdiplus-test-" + std::to_string(GetCurrentProcessId()) + "-"
        + fileName;
    return std::u16string(path.begin(), path.end());
}

bool WriteFileBytes(const std::u16string& path, const std::string& bytes)
{
    const std::string narrow(path.begin(), path.end());
    HANDLE file = CreateFileA(narrow.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

} // namespace GdiplusTest
