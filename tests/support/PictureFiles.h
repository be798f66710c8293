#pragma once
// Pictures made on the fly: device bitmaps, and files in the temporary folder under names of the
// test program's own.
#include <windows.h>

#include <string>

// A device bitmap of the size filled with the colour (the caller frees it).
HBITMAP MakeDeviceBitmap(int width, int height, COLORREF color);
// A picture file of the format ("bmp", "gif", "tif", "jpg", "png", "ico") of one colour; its
// path. Empty when the format cannot be written.
std::string WritePictureFile(const char* extension, int width, int height, COLORREF color);
// A file of the bytes under the name; its path, empty when it cannot be written.
std::string WriteTestFile(const std::string& name, const std::string& bytes);
