#pragma once
// Pictures for a person to look at, written as PNG into the build's screens folder. Each writer
// answers false when nothing was written (empty size, no PNG encoder, no folder).
#include <windows.h>

#include <string>

// The screens folder as a Windows path, made when missing.
std::string ScreensFolder();

bool SaveBitmapPng(HBITMAP hBitmap, const std::string& name);
bool SaveScreenRectPng(const RECT& rcScreen, const std::string& name);
// The whole window, frame included, as it shows on the screen.
bool SaveWindowPng(HWND hWnd, const std::string& name);
// Rows from the top, each pixel 0x00RRGGBB as a 32-bit DIB holds it.
bool SavePixelsPng(const DWORD* pPixels, int cx, int cy, const std::string& name);
