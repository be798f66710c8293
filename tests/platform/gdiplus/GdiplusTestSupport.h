#pragma once
// Helpers shared by the GDI+ class tests: a started GDI+ for the whole program, pixel checks
// and temporary files.
#include "platform/gdiplus/GdiPlus.h"

#include <string>

namespace GdiplusTest {

// Whether two colour channels differ by at most the tolerance.
bool Near(BYTE a, BYTE b, int tolerance);
// Whether the colours' red, green and blue channels differ by at most the tolerance each.
bool NearRgb(const Gdiplus::Color& a, const Gdiplus::Color& b, int tolerance);
// The pixel's colour; opaque magenta when it cannot be read (never a colour the tests draw).
Gdiplus::Color PixelAt(const Gdiplus::Bitmap& bitmap, INT x, INT y);
// A path in the temporary folder, as UTF-16 for the GDI+ file functions.
std::u16string TempPath(const char* fileName);
// Writes bytes to a file; false on failure.
bool WriteFileBytes(const std::u16string& path, const std::string& bytes);

} // namespace GdiplusTest
