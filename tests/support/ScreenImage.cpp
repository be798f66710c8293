#include "tests/support/ScreenImage.h"

#include "platform/gdiplus/GdiPlus.h"

#include <vector>

namespace {

bool FindPngEncoder(CLSID* pClsid)
{
    UINT nCount = 0, nSize = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&nCount, &nSize) != Gdiplus::Ok || nSize == 0)
        return false;
    std::vector<BYTE> buffer(nSize);
    auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::DllExports::GdipGetImageEncoders(nCount, nSize, pCodecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < nCount; ++i)
        if (std::u16string(pCodecs[i].MimeType) == u"image/png") {
            *pClsid = pCodecs[i].Clsid;
            return true;
        }
    return false;
}

bool SaveImagePng(Gdiplus::Image& image, const std::string& name)
{
    CLSID png{};
    if (!FindPngEncoder(&png))
        return false;
    const std::string full = ScreensFolder() + "/" + name;
    const std::u16string path(full.begin(), full.end());
    return image.Save(path.c_str(), &png) == Gdiplus::Ok;
}

} // namespace

std::string ScreensFolder()
{
    // SCREENS_DIR is under the build folder, as Wine sees it (drive Z is the Unix root).
    ::CreateDirectoryA(SCREENS_DIR, nullptr);
    return SCREENS_DIR;
}

bool SaveBitmapPng(HBITMAP hBitmap, const std::string& name)
{
    if (hBitmap == nullptr)
        return false;
    Gdiplus::Bitmap bitmap(hBitmap, nullptr);
    return SaveImagePng(bitmap, name);
}

bool SaveScreenRectPng(const RECT& rcScreen, const std::string& name)
{
    const int cx = rcScreen.right - rcScreen.left, cy = rcScreen.bottom - rcScreen.top;
    if (cx <= 0 || cy <= 0)
        return false;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rcScreen.left, rcScreen.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    const bool bSaved = SaveBitmapPng(hBitmap, name);
    ::DeleteObject(hBitmap);
    return bSaved;
}

bool SaveWindowPng(HWND hWnd, const std::string& name)
{
    RECT rc{};
    return ::GetWindowRect(hWnd, &rc) && SaveScreenRectPng(rc, name);
}

bool SavePixelsPng(const DWORD* pPixels, int cx, int cy, const std::string& name)
{
    if (pPixels == nullptr || cx <= 0 || cy <= 0)
        return false;
    // Opaque: a capture carries no alpha, and a PNG viewer would show zero alpha as see-through.
    std::vector<DWORD> argb(pPixels, pPixels + static_cast<size_t>(cx) * cy);
    for (DWORD& p : argb)
        p |= 0xFF000000;
    Gdiplus::Bitmap bitmap(cx, cy, cx * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(argb.data()));
    return SaveImagePng(bitmap, name);
}
