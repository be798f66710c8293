// Bitmap copying, BMP images, colour-keyed adjustments and regions.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <climits>
#include <commctrl.h>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {
constexpr WORD BMP_FILE_TYPE = 0x4D42;   // "BM"
constexpr DWORD FILE_HEADER_SIZE = 14;
constexpr DWORD INFO_HEADER_SIZE = sizeof(BITMAPINFOHEADER);
constexpr DWORD BITFIELD_MASKS_SIZE = 3 * sizeof(DWORD);
// Larger images are refused rather than allocated from untrusted sizes.
constexpr uint64_t MAX_IMAGE_BYTES = 256ull * 1024 * 1024;
constexpr UINT ARCHIVE_BUFFER_SIZE = 4096;
constexpr DWORD REGION_HEADER_SIZE = sizeof(RGNDATAHEADER);
constexpr DWORD REGION_GROW_RECTS = 200;
constexpr DWORD REGION_FLUSH_RECTS = 2000;

uint64_t RowBytes(int64_t nWidth, int nBitCount) { return static_cast<uint64_t>((nWidth * nBitCount + 31) / 32) * 4; }

// Colour-table bytes that follow the header, or -1 when the header does not describe a
// bitmap this routine can make.
int64_t ColorTableBytes(const BITMAPINFOHEADER& bih)
{
    switch (bih.biBitCount) {
    case 1: case 4: case 8: {
        const DWORD nMax = 1u << bih.biBitCount;
        if (bih.biCompression != BI_RGB || bih.biClrUsed > nMax)
            return -1;
        return static_cast<int64_t>(bih.biClrUsed != 0 ? bih.biClrUsed : nMax) * sizeof(RGBQUAD);
    }
    case 16: case 24: case 32: {
        if (bih.biClrUsed > 256)
            return -1;
        int64_t n = static_cast<int64_t>(bih.biClrUsed) * sizeof(RGBQUAD);
        if (bih.biCompression == BI_BITFIELDS && bih.biBitCount != 24 && bih.biSize == INFO_HEADER_SIZE)
            n += BITFIELD_MASKS_SIZE;
        else if (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS)
            return -1;
        return n;
    }
    default:
        return -1;
    }
}

// A 32-bit top-down copy of the bitmap's pixels, one DWORD per pixel.
struct Pixels32
{
    HBITMAP hSection = nullptr;
    DWORD* pBits = nullptr;
    int cx = 0;
    int cy = 0;
};

bool CopyTo32(HBITMAP hBitmap, Pixels32& out)
{
    COLORREF* pBits = nullptr;
    out.hSection = CExtPaintManager::CopyBitmapPart(hBitmap, nullptr, &pBits);
    if (out.hSection == nullptr)
        return false;
    BITMAP bm{};
    ::GetObjectA(out.hSection, sizeof(bm), &bm);
    out.pBits = reinterpret_cast<DWORD*>(pBits);
    out.cx = bm.bmWidth;
    out.cy = bm.bmHeight;
    return true;
}

// Key bounds per byte of a 32-bit pixel, compared as the pixel's bytes 0, 1, 2.
struct KeyBounds
{
    BYTE lo[3];
    BYTE hi[3];
    KeyBounds(COLORREF clrFrom, COLORREF clrRange)
    {
        const BYTE from[3] = {GetRValue(clrFrom), GetGValue(clrFrom), GetBValue(clrFrom)};
        const BYTE range[3] = {GetRValue(clrRange), GetGValue(clrRange), GetBValue(clrRange)};
        for (int i = 0; i < 3; ++i) {
            lo[i] = from[i];
            hi[i] = static_cast<BYTE>(std::min(255, from[i] + range[i]));
        }
    }
    bool Contains(DWORD px) const
    {
        for (int i = 0; i < 3; ++i) {
            const BYTE c = static_cast<BYTE>(px >> (8 * i));
            if (c < lo[i] || c > hi[i])
                return false;
        }
        return true;
    }
};
} // namespace

HBITMAP CExtPaintManager::CopyBitmapPart(HBITMAP hBitmap, const RECT* pPart, COLORREF** ppBits)
{
    if (ppBits != nullptr)
        *ppBits = nullptr;
    BITMAP bm{};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
        return nullptr;
    RECT rc = pPart != nullptr ? *pPart : RECT{0, 0, bm.bmWidth, bm.bmHeight};
    const int cx = rc.right - rc.left;
    const int cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    HBITMAP hCopy = nullptr;
    void* pBits = nullptr;
    if (ppBits != nullptr) {
        BITMAPINFOHEADER bih{};
        bih.biSize = INFO_HEADER_SIZE;
        bih.biWidth = cx;
        bih.biHeight = cy;
        bih.biPlanes = 1;
        bih.biBitCount = 32;
        bih.biCompression = BI_RGB;
        bih.biSizeImage = static_cast<DWORD>(cx) * static_cast<DWORD>(cy);
        hCopy = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    } else {
        HDC hScreen = ::GetDC(nullptr);
        hCopy = ::CreateCompatibleBitmap(hScreen, cx, cy);
        ::ReleaseDC(nullptr, hScreen);
    }
    HDC hSrc = ::CreateCompatibleDC(nullptr);
    HDC hDst = ::CreateCompatibleDC(nullptr);
    bool bOk = hCopy != nullptr && hSrc != nullptr && hDst != nullptr && (ppBits == nullptr || pBits != nullptr);
    if (bOk) {
        HGDIOBJ hOldSrc = ::SelectObject(hSrc, hBitmap);
        HGDIOBJ hOldDst = ::SelectObject(hDst, hCopy);
        bOk = ::BitBlt(hDst, 0, 0, cx, cy, hSrc, rc.left, rc.top, SRCCOPY) != FALSE;
        ::SelectObject(hSrc, hOldSrc);
        ::SelectObject(hDst, hOldDst);
    }
    if (hSrc != nullptr)
        ::DeleteDC(hSrc);
    if (hDst != nullptr)
        ::DeleteDC(hDst);
    if (!bOk) {
        if (hCopy != nullptr)
            ::DeleteObject(hCopy);
        return nullptr;
    }
    ::GdiFlush();
    if (ppBits != nullptr)
        *ppBits = static_cast<COLORREF*>(pBits);
    return hCopy;
}

HGLOBAL CExtPaintManager::BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette)
{
    BITMAP bm{};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
        return nullptr;
    if (hPalette == nullptr)
        hPalette = static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    BITMAPINFOHEADER bih{};
    bih.biSize = INFO_HEADER_SIZE;
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel);
    bih.biCompression = BI_RGB;
    const DWORD nColors = bih.biBitCount <= 8 ? (1u << bih.biBitCount) : 0;
    const DWORD nHeaderBytes = INFO_HEADER_SIZE + nColors * sizeof(RGBQUAD);

    HDC hDC = ::CreateCompatibleDC(nullptr);
    if (hDC == nullptr)
        return nullptr;
    HPALETTE hOldPalette = ::SelectPalette(hDC, hPalette, FALSE);
    ::RealizePalette(hDC);
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_FIXED, nHeaderBytes);
    bool bOk = hBlock != nullptr;
    if (bOk) {
        auto* pInfo = static_cast<BITMAPINFOHEADER*>(::GlobalLock(hBlock));
        *pInfo = bih;
        ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(bm.bmHeight), nullptr, reinterpret_cast<BITMAPINFO*>(pInfo),
                    DIB_RGB_COLORS);
        bih = *pInfo;
        ::GlobalUnlock(hBlock);
        if (bih.biSizeImage == 0)
            bih.biSizeImage = static_cast<DWORD>(RowBytes(bm.bmWidth, bih.biBitCount) * std::abs(bm.bmHeight));
        HGLOBAL hGrown = ::GlobalReAlloc(hBlock, nHeaderBytes + bih.biSizeImage, GMEM_MOVEABLE);
        bOk = hGrown != nullptr;
        if (bOk) {
            hBlock = hGrown;
            auto* pGrown = static_cast<BYTE*>(::GlobalLock(hBlock));
            auto* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(pGrown);
            *pHeader = bih;
            bOk = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(bm.bmHeight), pGrown + nHeaderBytes,
                              reinterpret_cast<BITMAPINFO*>(pHeader), DIB_RGB_COLORS) != 0;
            ::GlobalUnlock(hBlock);
        }
    }
    ::SelectPalette(hDC, hOldPalette, FALSE);
    ::DeleteDC(hDC);
    if (!bOk && hBlock != nullptr) {
        ::GlobalFree(hBlock);
        hBlock = nullptr;
    }
    return hBlock;
}

bool CExtPaintManager::SerializeBitmap(CArchive& ar, HBITMAP* phBitmap, DWORD dwResourceSize)
{
    if (phBitmap == nullptr)
        return false;
    if (ar.IsStoring()) {
        HGLOBAL hBlock = BitmapToPackedDib(*phBitmap);
        if (hBlock == nullptr)
            return false;
        const DWORD nBlock = static_cast<DWORD>(::GlobalSize(hBlock));
        const auto* pBlock = static_cast<const BYTE*>(::GlobalLock(hBlock));
        const auto* pInfo = reinterpret_cast<const BITMAPINFOHEADER*>(pBlock);
        const DWORD nColors = pInfo->biBitCount <= 8 ? (pInfo->biClrUsed != 0 ? pInfo->biClrUsed : 1u << pInfo->biBitCount) : 0;
        BITMAPFILEHEADER bfh{};
        bfh.bfType = BMP_FILE_TYPE;
        bfh.bfSize = nBlock + FILE_HEADER_SIZE;
        bfh.bfOffBits = pInfo->biSize + nColors * sizeof(RGBQUAD) + FILE_HEADER_SIZE;
        ar.Write(&bfh.bfType, sizeof(bfh.bfType));
        ar.Write(&bfh.bfSize, sizeof(bfh.bfSize));
        ar.Write(&bfh.bfReserved1, sizeof(bfh.bfReserved1));
        ar.Write(&bfh.bfReserved2, sizeof(bfh.bfReserved2));
        ar.Write(&bfh.bfOffBits, sizeof(bfh.bfOffBits));
        ar.Write(pBlock, nBlock);
        ::GlobalUnlock(hBlock);
        ::GlobalFree(hBlock);
        return true;
    }

    *phBitmap = nullptr;
    auto readExact = [&ar](void* p, UINT n) {
        if (ar.Read(p, n) != n)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    };
    uint64_t nBlock = dwResourceSize;
    int64_t nBitsOffset = -1;   // from the block's start; -1: right after the colour table
    if (dwResourceSize == 0) {
        BYTE header[FILE_HEADER_SIZE];
        readExact(header, FILE_HEADER_SIZE);
        WORD bfType = 0;
        DWORD bfSize = 0;
        DWORD bfOffBits = 0;
        std::memcpy(&bfType, header, sizeof(bfType));
        std::memcpy(&bfSize, header + 2, sizeof(bfSize));
        std::memcpy(&bfOffBits, header + 10, sizeof(bfOffBits));
        if (bfType != BMP_FILE_TYPE || bfSize <= FILE_HEADER_SIZE || bfOffBits < FILE_HEADER_SIZE)
            return false;
        nBlock = bfSize - FILE_HEADER_SIZE;
        nBitsOffset = static_cast<int64_t>(bfOffBits) - FILE_HEADER_SIZE;
    }
    if (nBlock < INFO_HEADER_SIZE || nBlock > MAX_IMAGE_BYTES)
        return false;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[nBlock]);
    if (!block)
        return false;
    readExact(block.get(), static_cast<UINT>(nBlock));

    BITMAPINFOHEADER bih{};
    std::memcpy(&bih, block.get(), INFO_HEADER_SIZE);
    if (bih.biSize < INFO_HEADER_SIZE || bih.biSize > nBlock || bih.biWidth <= 0 || bih.biHeight == 0
        || bih.biHeight == INT32_MIN || bih.biPlanes != 1)
        return false;
    const int64_t nTable = ColorTableBytes(bih);
    if (nTable < 0)
        return false;
    const uint64_t nHeaderBytes = bih.biSize + static_cast<uint64_t>(nTable);
    const uint64_t nImage = RowBytes(bih.biWidth, bih.biBitCount) * static_cast<uint64_t>(std::abs(bih.biHeight));
    if (nBitsOffset < 0)
        nBitsOffset = static_cast<int64_t>(nHeaderBytes);
    if (nHeaderBytes > nBlock || static_cast<uint64_t>(nBitsOffset) < nHeaderBytes || nImage > MAX_IMAGE_BYTES
        || static_cast<uint64_t>(nBitsOffset) + nImage > nBlock)
        return false;

    void* pBits = nullptr;
    HBITMAP hSection = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(block.get()), DIB_RGB_COLORS, &pBits,
                                          nullptr, 0);
    if (hSection == nullptr || pBits == nullptr) {
        if (hSection != nullptr)
            ::DeleteObject(hSection);
        return false;
    }
    DIBSECTION ds{};
    if (::GetObjectA(hSection, sizeof(ds), &ds) != sizeof(ds)
        || static_cast<uint64_t>(ds.dsBm.bmWidthBytes) * static_cast<uint64_t>(ds.dsBm.bmHeight) < nImage) {
        ::DeleteObject(hSection);
        return false;
    }
    std::memcpy(pBits, block.get() + nBitsOffset, static_cast<size_t>(nImage));
    *phBitmap = hSection;
    return true;
}

namespace {
HBITMAP LoadThroughArchive(BYTE* pData, DWORD dwSize, DWORD dwResourceSize)
{
    HBITMAP hBitmap = nullptr;
    try {
        CMemFile file(pData, dwSize);
        CArchive ar(&file, CArchive::load, ARCHIVE_BUFFER_SIZE);
        if (!CExtPaintManager::SerializeBitmap(ar, &hBitmap, dwResourceSize))
            hBitmap = nullptr;
    } catch (CException* e) {
        e->Delete();
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        hBitmap = nullptr;
    }
    return hBitmap;
}
} // namespace

HBITMAP CExtPaintManager::LoadBitmapFromResource(HINSTANCE hInstance, HRSRC hResource)
{
    if (hResource == nullptr)
        return nullptr;
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const DWORD dwSize = ::SizeofResource(hInstance, hResource);
    auto* pData = static_cast<BYTE*>(hData != nullptr ? ::LockResource(hData) : nullptr);
    if (pData == nullptr || dwSize == 0)
        return nullptr;
    return LoadThroughArchive(pData, dwSize, dwSize);
}

HBITMAP CExtPaintManager::LoadBitmapFromMemory(const BYTE* pImage, DWORD dwSize)
{
    if (pImage == nullptr || dwSize == 0)
        return nullptr;
    // The memory file only reads; it never writes through the pointer.
    return LoadThroughArchive(const_cast<BYTE*>(pImage), dwSize, 0);
}

HBITMAP CExtPaintManager::AdjustBitmapHLS(HBITMAP hBitmap, COLORREF clrKeyFrom, COLORREF clrKeyRange, double dHue,
                                          double dLightness, double dSaturation)
{
    if (dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0)
        return nullptr;
    Pixels32 px;
    if (!CopyTo32(hBitmap, px))
        return nullptr;
    const KeyBounds key(clrKeyFrom, clrKeyRange);
    const size_t nCount = static_cast<size_t>(px.cx) * static_cast<size_t>(px.cy);
    for (size_t i = 0; i < nCount; ++i)
        if (!key.Contains(px.pBits[i]))
            px.pBits[i] = AdjustColorHLS(px.pBits[i] & 0x00FFFFFF, dHue, dLightness, dSaturation);
    return px.hSection;
}

bool CExtPaintManager::AdjustBitmapHLSInPlace(CBitmap& bitmap, COLORREF clrKeyFrom, COLORREF clrKeyRange,
                                              double dHue, double dLightness, double dSaturation)
{
    if (dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0)
        return true;
    if (bitmap.GetSafeHandle() == nullptr)
        return false;
    HBITMAP hAdjusted = AdjustBitmapHLS(static_cast<HBITMAP>(bitmap.GetSafeHandle()), clrKeyFrom, clrKeyRange, dHue,
                                        dLightness, dSaturation);
    if (hAdjusted == nullptr)
        return false;
    bitmap.DeleteObject();
    bitmap.Attach(hAdjusted);
    return true;
}

HRGN CExtPaintManager::BitmapToRegion(HBITMAP hBitmap, COLORREF clrKeyFrom, COLORREF clrKeyRange)
{
    Pixels32 px;
    if (!CopyTo32(hBitmap, px))
        return nullptr;
    const KeyBounds key(clrKeyFrom, clrKeyRange);
    HRGN hResult = nullptr;
    DWORD nCapacity = REGION_GROW_RECTS;
    std::vector<BYTE> data(REGION_HEADER_SIZE + nCapacity * sizeof(RECT));
    auto header = [&data]() { return reinterpret_cast<RGNDATAHEADER*>(data.data()); };
    auto resetHeader = [&]() {
        RGNDATAHEADER* h = header();
        h->dwSize = REGION_HEADER_SIZE;
        h->iType = RDH_RECTANGLES;
        h->nCount = 0;
        h->nRgnSize = 0;
        ::SetRect(&h->rcBound, INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    };
    auto flush = [&]() {
        if (header()->nCount == 0)
            return;
        HRGN hPart = ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                       reinterpret_cast<const RGNDATA*>(data.data()));
        if (hPart != nullptr) {
            if (hResult == nullptr) {
                hResult = hPart;
            } else {
                ::CombineRgn(hResult, hResult, hPart, RGN_OR);
                ::DeleteObject(hPart);
            }
        }
        resetHeader();
    };
    resetHeader();
    // The section is bottom-up: row 0 of the picture is the last in memory.
    for (int y = 0; y < px.cy; ++y) {
        const DWORD* pRow = px.pBits + static_cast<size_t>(px.cy - 1 - y) * px.cx;
        for (int x = 0; x < px.cx; ++x) {
            if (key.Contains(pRow[x]))
                continue;
            const int x0 = x;
            while (x < px.cx && !key.Contains(pRow[x]))
                ++x;
            if (header()->nCount >= nCapacity) {
                nCapacity += REGION_GROW_RECTS;
                data.resize(REGION_HEADER_SIZE + nCapacity * sizeof(RECT));
            }
            RGNDATAHEADER* h = header();
            RECT* pRects = reinterpret_cast<RECT*>(data.data() + REGION_HEADER_SIZE);
            ::SetRect(&pRects[h->nCount], x0, y, x, y + 1);
            h->rcBound.left = std::min<LONG>(h->rcBound.left, x0);
            h->rcBound.top = std::min<LONG>(h->rcBound.top, y);
            h->rcBound.right = std::max<LONG>(h->rcBound.right, x);
            h->rcBound.bottom = std::max<LONG>(h->rcBound.bottom, y + 1);
            ++h->nCount;
            if (h->nCount == REGION_FLUSH_RECTS)
                flush();
        }
    }
    flush();
    ::DeleteObject(px.hSection);
    return hResult;
}

void CExtPaintManager::MapSysColorsInPixels(COLORREF* pBits, size_t nCount, COLORREF clrTransparent)
{
    // Pixels of a section are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    auto toPixel = [](COLORREF c) { return static_cast<COLORREF>(RGB(GetBValue(c), GetGValue(c), GetRValue(c))); };
    const COLORREF transparentPixel = toPixel(clrTransparent);
    const std::pair<COLORREF, int> mapping[] = {
        {RGB(128, 128, 128), COLOR_BTNSHADOW}, {RGB(192, 192, 192), COLOR_BTNFACE}, {RGB(223, 223, 223), COLOR_3DLIGHT}};
    bool bAnyDiffers = false;
    for (const auto& [fixed, index] : mapping)
        bAnyDiffers |= ::GetSysColor(index) != fixed;
    if (!bAnyDiffers)
        return;
    for (size_t i = 0; i < nCount; ++i) {
        const COLORREF px = pBits[i] & 0x00FFFFFF;
        if (px == transparentPixel)
            continue;
        for (const auto& [fixed, index] : mapping)
            if (fixed != clrTransparent && px == toPixel(fixed)) {
                pBits[i] = toPixel(::GetSysColor(index));
                break;
            }
    }
}

HICON CExtPaintManager::CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart,
                                             bool bMapSysColors)
{
    COLORREF* pBits = nullptr;
    HBITMAP hCopy = CopyBitmapPart(hBitmap, pPart, &pBits);
    if (hCopy == nullptr)
        return nullptr;
    BITMAP bm{};
    ::GetObjectA(hCopy, sizeof(bm), &bm);
    const size_t nCount = static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight);
    // Pixels of the section are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    auto toPixel = [](COLORREF c) { return static_cast<COLORREF>(RGB(GetBValue(c), GetGValue(c), GetRValue(c))); };
    const COLORREF transparentPixel = toPixel(clrTransparent);
    if (bMapSysColors)
        MapSysColorsInPixels(pBits, nCount, clrTransparent);
    HICON hIcon = nullptr;
    if (g_PaintManagerHolder.IsWin9x() || !g_PaintManagerHolder.IsWin2000OrLater()) {
        HBITMAP hMask = ::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
        HDC hDC = ::CreateCompatibleDC(nullptr);
        if (hMask != nullptr && hDC != nullptr) {
            HGDIOBJ hOld = ::SelectObject(hDC, hMask);
            for (int y = 0; y < bm.bmHeight; ++y)
                for (int x = 0; x < bm.bmWidth; ++x) {
                    COLORREF& px = pBits[static_cast<size_t>(bm.bmHeight - 1 - y) * bm.bmWidth + x];
                    const bool bTransparent = (px & 0x00FFFFFF) == transparentPixel;
                    ::SetPixelV(hDC, x, y, bTransparent ? RGB(255, 255, 255) : RGB(0, 0, 0));
                    if (bTransparent)
                        px = 0;
                }
            ::SelectObject(hDC, hOld);
            ICONINFO ii{TRUE, 0, 0, hMask, hCopy};
            hIcon = ::CreateIconIndirect(&ii);
        }
        if (hDC != nullptr)
            ::DeleteDC(hDC);
        if (hMask != nullptr)
            ::DeleteObject(hMask);
    } else {
        HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
        if (hList != nullptr) {
            if (ImageList_AddMasked(hList, hCopy, clrTransparent) >= 0)
                hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
            ImageList_Destroy(hList);
        }
    }
    ::DeleteObject(hCopy);
    return hIcon;
}
