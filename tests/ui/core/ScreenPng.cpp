#include "tests/ui/core/ScreenPng.h"

#include "platform/gdiplus/GdiPlus.h"

#include <string>
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
    for (UINT i = 0; i < nCount; ++i) {
        if (std::u16string(pCodecs[i].MimeType) == u"image/png") {
            *pClsid = pCodecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool SaveScreenRectPng(const RECT& rc, const char* pszName)
{
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    CLSID clsid{};
    if (cx <= 0 || cy <= 0 || !FindPngEncoder(&clsid))
        return false;
    // The build folder, as a path Wine understands (drive Z is the Unix root).
    std::string folder = __FILE__;
    for (int i = 0; i < 4; ++i)
        folder = folder.substr(0, folder.find_last_of('/'));
    folder = "Z:" + folder + "/build/screens";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    bool bSaved = false;
    {
        Gdiplus::Bitmap bitmap(hBitmap, nullptr);
        const std::string path = folder + "/" + pszName;
        const std::u16string wide(path.begin(), path.end());
        bSaved = bitmap.Save(wide.c_str(), &clsid) == Gdiplus::Ok;
    }
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return bSaved;
}
