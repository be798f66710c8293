// Transparent blits, text measuring, letter icons, bitmap colour inventories and the test of
// child controls that show their parent's background.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace {
constexpr int LETTER_ICON_SIZE = 16;
constexpr RECT LETTER_AREA{0, 0, 16, 12};
constexpr RECT COLOR_BAR{2, 13, 14, 16};
constexpr int CLASS_NAME_LENGTH = 260;
} // namespace

void CExtPaintManager::TransparentBltByMask(HDC hDC, int x, int y, int cx, int cy, HDC hSrcDC, int xSrc, int ySrc,
                                            int cxSrc, int cySrc, COLORREF clrTransparent)
{
    CDC* pDC = CDC::FromHandle(hDC);
    if (pDC == nullptr || hSrcDC == nullptr)
        return;
    const int w = cx < 0 ? cxSrc : cx;
    const int h = cy < 0 ? cySrc : cy;
    if (w <= 0 || h <= 0)
        return;
    const RECT rcWork{0, 0, w, h};
    CExtMemoryDC image(pDC, &rcWork, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
    CExtMemoryDC mask(pDC, &rcWork, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_MONOCHROME);
    if (!image.IsBuffering() || !mask.IsBuffering()) {
        // The working copies are the result's ingredients only: never copied onto the target.
        image.End(false);
        mask.End(false);
        return;
    }
    if ((cx == cxSrc && cy == cySrc) || cx < 0 || cy < 0)
        ::BitBlt(image.m_hDC, 0, 0, w, h, hSrcDC, xSrc, ySrc, SRCCOPY);
    else
        ::StretchBlt(image.m_hDC, 0, 0, w, h, hSrcDC, xSrc, ySrc, cxSrc, cySrc, SRCCOPY);
    ::SetBkColor(image.m_hDC, clrTransparent);
    ::BitBlt(mask.m_hDC, 0, 0, w, h, image.m_hDC, 0, 0, SRCCOPY);
    ::SetBkColor(image.m_hDC, RGB(0, 0, 0));
    ::SetTextColor(image.m_hDC, RGB(255, 255, 255));
    ::BitBlt(image.m_hDC, 0, 0, w, h, mask.m_hDC, 0, 0, SRCAND);
    const COLORREF clrOldBk = ::SetBkColor(hDC, RGB(255, 255, 255));
    const COLORREF clrOldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    ::BitBlt(hDC, x, y, w, h, mask.m_hDC, 0, 0, SRCAND);
    ::BitBlt(hDC, x, y, w, h, image.m_hDC, 0, 0, SRCPAINT);
    ::SetBkColor(hDC, clrOldBk);
    ::SetTextColor(hDC, clrOldText);
    image.End(false);
    mask.End(false);
}

CRect CExtPaintManager::MeasureText(CDC& dc, CFont* pFont, const CString& strText, UINT nFormat)
{
    CRect rc(0, 0, 0, 0);
    if (strText.IsEmpty())
        return rc;
    CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    if (std::strchr(static_cast<LPCSTR>(strText), '\t') != nullptr)
        nFormat |= DT_EXPANDTABS;
    dc.DrawText(strText, &rc, nFormat | DT_CALCRECT);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    rc.OffsetRect(-rc.left, -rc.top);
    return rc;
}

int CExtPaintManager::MeasureTextWidth(CDC& dc, CFont* pFont, const CString& strText)
{
    return MeasureText(dc, pFont, strText, DT_SINGLELINE).Width();
}

HICON CExtPaintManager::CreateLetterColorIcon(COLORREF clr, HFONT hFont, char chLetter)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, LETTER_ICON_SIZE, LETTER_ICON_SIZE);
    ::ReleaseDC(nullptr, hScreen);
    HBITMAP hMask = ::CreateBitmap(LETTER_ICON_SIZE, LETTER_ICON_SIZE, 1, 1, nullptr);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HICON hIcon = nullptr;
    if (hColor != nullptr && hMask != nullptr && hDC != nullptr) {
        const RECT rcAll{0, 0, LETTER_ICON_SIZE, LETTER_ICON_SIZE};
        const char text[2] = {chLetter, '\0'};
        auto drawLetter = [&](HBITMAP hBitmap, HBRUSH hBackground) {
            HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
            ::FillRect(hDC, &rcAll, hBackground);
            HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
            ::SetBkMode(hDC, TRANSPARENT);
            ::SetTextColor(hDC, RGB(0, 0, 0));
            RECT rcLetter = LETTER_AREA;
            ::DrawTextA(hDC, text, 1, &rcLetter, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            if (hOldFont != nullptr)
                ::SelectObject(hDC, hOldFont);
            return hOld;
        };
        HGDIOBJ hOld = drawLetter(hColor, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        HBRUSH hBar = ::CreateSolidBrush(clr);
        ::FillRect(hDC, &COLOR_BAR, hBar);
        ::DeleteObject(hBar);
        ::SelectObject(hDC, hOld);
        hOld = drawLetter(hMask, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FillRect(hDC, &COLOR_BAR, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SelectObject(hDC, hOld);
        ICONINFO ii{TRUE, 0, 0, hMask, hColor};
        hIcon = ::CreateIconIndirect(&ii);
    }
    if (hDC != nullptr)
        ::DeleteDC(hDC);
    if (hColor != nullptr)
        ::DeleteObject(hColor);
    if (hMask != nullptr)
        ::DeleteObject(hMask);
    return hIcon;
}

int CExtPaintManager::CountBitmapColors(HBITMAP hBitmap, std::unordered_map<COLORREF, DWORD>& counts)
{
    counts.clear();
    BITMAP bm{};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
        return 0;
    COLORREF* pBits = nullptr;
    HBITMAP hCopy = CopyBitmapPart(hBitmap, nullptr, &pBits);
    if (hCopy == nullptr)
        return 0;
    const size_t nCount = static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight);
    for (size_t i = 0; i < nCount; ++i) {
        const DWORD px = pBits[i];
        ++counts[RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF)];
    }
    ::DeleteObject(hCopy);
    return bm.bmBitsPixel * bm.bmPlanes;
}

int CExtPaintManager::CollectBitmapColors(HBITMAP hBitmap, std::vector<COLORREF>& colors, bool bUnique)
{
    colors.clear();
    BITMAP bm{};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
        return 0;
    const int nBits = bm.bmBitsPixel * bm.bmPlanes;
    if (nBits > 8) {
        std::unordered_map<COLORREF, DWORD> counts;
        if (CountBitmapColors(hBitmap, counts) == 0)
            return 0;
        for (const auto& entry : counts)
            colors.push_back(entry.first);
        return nBits;
    }
    HGLOBAL hBlock = BitmapToPackedDib(hBitmap);
    if (hBlock == nullptr)
        return 0;
    const auto* pBlock = static_cast<const BYTE*>(::GlobalLock(hBlock));
    const auto* pTable = reinterpret_cast<const RGBQUAD*>(pBlock + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < (1 << nBits); ++i) {
        const COLORREF clr = RGB(pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue);
        if (!bUnique || std::find(colors.begin(), colors.end(), clr) == colors.end())
            colors.push_back(clr);
    }
    ::GlobalUnlock(hBlock);
    ::GlobalFree(hBlock);
    return nBits;
}

bool CExtPaintManager::IsTransparentChildControl(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return false;
    char szClass[CLASS_NAME_LENGTH] = {};
    ::GetClassNameA(hWnd, szClass, CLASS_NAME_LENGTH);
    std::string name(szClass);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (name == "static" || name == "systabcontrol32" || name == "msctls_trackbar32")
        return true;
    if (name != "button")
        return false;
    if (g_PaintManagerHolder.HasTaskbandColors())
        return true;
    // Without the visual style's colours, owner-drawn and user buttons paint their own face.
    const LONG_PTR nType = ::GetWindowLongPtrA(hWnd, GWL_STYLE) & 0x0F;
    return !(nType == 8 || (nType >= 10 && nType <= 15));
}

BOOL CExtPaintManager::TransparentChildFilter(HDC, HWND, HWND hWndChild, LPARAM)
{
    return IsTransparentChildControl(hWndChild) ? TRUE : FALSE;
}
