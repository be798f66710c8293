#include "ui/core/ExtDropShadow.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cmath>

namespace {

// Pattern AND destination: the checkered shadow of palette displays.
constexpr DWORD ROP_PATTERN_AND_DEST = 0xA000C9;
constexpr int PATTERN_SHADOW_MAX_WIDTH = 4;
constexpr WORD SHADOW_PATTERN_ROWS[8] = {0x55, 0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA, 0xFF};
constexpr int PALETTE_DISPLAY_MAX_BPP = 8;

bool IsEmptyRect(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

} // namespace

CExtDropShadow::CExtDropShadow() = default;

CExtDropShadow::~CExtDropShadow()
{
    Reset();
}

void CExtDropShadow::Reset()
{
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
    m_rgnClip.DeleteObject();
    m_rcShaded.SetRectEmpty();
    m_nFlags = 0;
}

bool CExtDropShadow::Draw(CDC& dc, const RECT& rcShaded, const RECT& rcScreen, const RECT& rcOther,
                          UINT nShadowSize, UINT nMinLightness, UINT nMaxLightness, bool bCache, bool bTint,
                          bool bBuffered)
{
    m_rcShaded = rcShaded;
    m_rcScreen = rcScreen;
    m_rcOther = rcOther;
    m_nShadowSize = nShadowSize;
    m_nMinLightness = nMinLightness;
    m_nMaxLightness = nMaxLightness;
    m_nFlags = BYTE((bCache ? FLAG_CACHE : 0) | (bTint ? FLAG_TINT : 0));
    return Paint(dc, bBuffered);
}

void CExtDropShadow::BuildClipRegion()
{
    const int s = int(m_nShadowSize);
    const CRect& r = m_rcShaded;
    if (!m_rgnClip.CreateRectRgn(r.right, r.top, r.right + s, r.bottom + s))
        return;
    CRgn rgnBottom;
    if (!rgnBottom.CreateRectRgn(r.left, r.bottom, r.right + s, r.bottom + s)) {
        m_rgnClip.DeleteObject();
        return;
    }
    ::CombineRgn(HRGN(m_rgnClip.GetSafeHandle()), HRGN(m_rgnClip.GetSafeHandle()),
                 HRGN(rgnBottom.GetSafeHandle()), RGN_OR);
}

bool CExtDropShadow::Paint(CDC& dc, bool bBuffered)
{
    if (m_nShadowSize == 0 || m_rcShaded.IsRectEmpty())
        return true;
    if (m_rgnClip.GetSafeHandle() == nullptr && !IsEmptyRect(m_rcScreen) && !IsEmptyRect(m_rcOther))
        BuildClipRegion();
    const int nSavedDC = dc.SaveDC();
    if (m_rgnClip.GetSafeHandle() != nullptr)
        dc.SelectClipRgn(&m_rgnClip);
    bool bOk = RestoreSavedBits(dc);
    if (!bOk) {
        // Buffering makes no difference here: both ways compose off screen and copy back once.
        (void)bBuffered;
        bOk = CExtPaintManager::GetDisplayBitsPerPixel() <= PALETTE_DISPLAY_MAX_BPP ? PaintPatternShadow(dc)
                                                                                   : PaintBlendedShadow(dc);
        if (bOk && (m_nFlags & FLAG_CACHE) != 0)
            SaveBackground(dc);
    }
    dc.RestoreDC(nSavedDC);
    return bOk;
}

bool CExtDropShadow::RestoreSavedBits(CDC& dc)
{
    if (!HasCachedStrips())
        return false;
    const int s = int(m_nShadowSize);
    const int w = m_rcShaded.Width();
    const int h = m_rcShaded.Height();
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    if (hMem == nullptr)
        return false;
    HGDIOBJ hOld = ::SelectObject(hMem, m_bmpRight.GetSafeHandle());
    ::BitBlt(dc.GetSafeHdc(), m_rcShaded.right, m_rcShaded.top, s, h + s, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, m_bmpBottom.GetSafeHandle());
    ::BitBlt(dc.GetSafeHdc(), m_rcShaded.left, m_rcShaded.bottom, w + s, s, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return true;
}

void CExtDropShadow::SaveBackground(CDC& dc)
{
    const int s = int(m_nShadowSize);
    const int w = m_rcShaded.Width();
    const int h = m_rcShaded.Height();
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HBITMAP hRight = ::CreateCompatibleBitmap(dc.GetSafeHdc(), s, h + s);
    HBITMAP hBottom = ::CreateCompatibleBitmap(dc.GetSafeHdc(), w + s, s);
    if (hMem == nullptr || hRight == nullptr || hBottom == nullptr) {
        // An empty cache only means the next paint computes the shadow again.
        if (hRight != nullptr)
            ::DeleteObject(hRight);
        if (hBottom != nullptr)
            ::DeleteObject(hBottom);
        if (hMem != nullptr)
            ::DeleteDC(hMem);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hMem, hRight);
    ::BitBlt(hMem, 0, 0, s, h + s, dc.GetSafeHdc(), m_rcShaded.right, m_rcShaded.top, SRCCOPY);
    ::SelectObject(hMem, hBottom);
    ::BitBlt(hMem, 0, 0, w + s, s, dc.GetSafeHdc(), m_rcShaded.left, m_rcShaded.bottom, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
    m_bmpRight.Attach(hRight);
    m_bmpBottom.Attach(hBottom);
}

bool CExtDropShadow::PaintPatternShadow(CDC& dc)
{
    const int s = std::min(int(m_nShadowSize), PATTERN_SHADOW_MAX_WIDTH);
    const int w = m_rcShaded.Width() + int(m_nShadowSize);
    const int h = m_rcShaded.Height() + int(m_nShadowSize);
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, SHADOW_PATTERN_ROWS);
    HBRUSH hBrush = hPattern != nullptr ? ::CreatePatternBrush(hPattern) : nullptr;
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HBITMAP hArea = ::CreateCompatibleBitmap(dc.GetSafeHdc(), w, h);
    bool bOk = hBrush != nullptr && hMem != nullptr && hArea != nullptr;
    if (bOk) {
        HGDIOBJ hOldBmp = ::SelectObject(hMem, hArea);
        HPALETTE hPal = HPALETTE(g_PaintManagerHolder->m_PaletteWide.GetSafeHandle());
        HPALETTE hOldPal = hPal != nullptr ? ::SelectPalette(hMem, hPal, FALSE) : nullptr;
        if (hPal != nullptr)
            ::RealizePalette(hMem);
        ::BitBlt(hMem, 0, 0, w, h, dc.GetSafeHdc(), m_rcShaded.left, m_rcShaded.top, SRCCOPY);
        HGDIOBJ hOldBrush = ::SelectObject(hMem, hBrush);
        const int cw = m_rcShaded.Width();
        const int ch = m_rcShaded.Height();
        ::PatBlt(hMem, s, ch, cw, s, ROP_PATTERN_AND_DEST);
        ::PatBlt(hMem, cw, s, s, ch - s, ROP_PATTERN_AND_DEST);
        ::SelectObject(hMem, hOldBrush);
        ::BitBlt(dc.GetSafeHdc(), m_rcShaded.left, m_rcShaded.top, w, h, hMem, 0, 0, SRCCOPY);
        if (hPal != nullptr)
            ::SelectPalette(hMem, hOldPal, FALSE);
        ::SelectObject(hMem, hOldBmp);
    }
    if (hArea != nullptr)
        ::DeleteObject(hArea);
    if (hMem != nullptr)
        ::DeleteDC(hMem);
    if (hBrush != nullptr)
        ::DeleteObject(hBrush);
    if (hPattern != nullptr)
        ::DeleteObject(hPattern);
    return bOk;
}

COLORREF CExtDropShadow::DarkenColor(COLORREF clr, UINT nLightness, COLORREF clrTint)
{
    const int l = int(nLightness);
    auto channel = [&](int c, int t) {
        if (clrTint == COLORREF(-1))
            return c * l / 100;
        const int f = std::min(100, l + ::MulDiv(100 - l, t, 255));
        return c * f / 100;
    };
    return RGB(channel(GetRValue(clr), GetRValue(clrTint)), channel(GetGValue(clr), GetGValue(clrTint)),
               channel(GetBValue(clr), GetBValue(clrTint)));
}

void CExtDropShadow::DarkenPixel(UINT nLightness, int x, int y, COLORREF clrTint)
{
    const int nAreaHeight = m_rcShaded.Height() + int(m_nShadowSize);
    if (x < 0 || y < 0 || x >= m_nPixelsWidth || y >= nAreaHeight)
        return;
    RGBQUAD& q = m_pPixels[size_t(y) * size_t(m_nPixelsWidth) + size_t(x)];
    const COLORREF clr = DarkenColor(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue), nLightness, clrTint);
    q.rgbRed = GetRValue(clr);
    q.rgbGreen = GetGValue(clr);
    q.rgbBlue = GetBValue(clr);
}

CExtDropShadow::StripPlan CExtDropShadow::PlanStrips(int i) const
{
    const int s = int(m_nShadowSize);
    const int w = m_rcShaded.Width();
    const int h = m_rcShaded.Height();
    StripPlan p{2 * s + 1, h - 1, 2 * s + 1, w - 1, 0, 0, true, true, true};
    if (IsEmptyRect(m_rcScreen) || IsEmptyRect(m_rcOther))
        return p;
    const CRect& a = m_rcScreen;
    const CRect& b = m_rcOther;
    if (a.right == b.right) {
        if (a.top < b.top) {
            p.bCornerBottomRight = false;
            p.nRightTo = h - 1 + s;
        } else {
            p.bCornerRightStart = false;
            p.nRightFrom = s + 1;
        }
    }
    if (a.left == b.left) {
        if (b.bottom >= a.top - 1 && b.top < a.top && b.Width() >= a.Width()) {
            p.bCornerRightStart = false;
            p.nRightFrom = i + 1;
        } else if (a.top < b.top && b.Width() <= a.Width()) {
            p.nBottomFrom = (b.right - a.left) + i + 1;
            p.bCornerBottomStart = false;
        }
    }
    if (a.bottom == b.bottom) {
        if (a.left < b.left) {
            p.nBottomTo = w - 1 + s;
            p.bCornerBottomRight = false;
        } else {
            p.nBottomFrom = s + 1;
            p.bCornerBottomStart = false;
        }
    }
    if (a.right == b.left + 1) {
        p.nRightGapFrom = b.bottom - a.top;
        p.nRightGapCount = i;
    }
    if (b.right == a.left + 1) {
        p.bCornerBottomStart = false;
        p.nBottomFrom = i + 1;
    }
    return p;
}

bool CExtDropShadow::PaintBlendedShadow(CDC& dc)
{
    const int s = int(m_nShadowSize);
    const int w = m_rcShaded.Width();
    const int h = m_rcShaded.Height();
    const int aw = w + s;
    const int ah = h + s;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = aw;
    bmi.bmiHeader.biHeight = -ah;  // top-down: row y starts at y x width
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hDib = ::CreateDIBSection(dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hMem = hDib != nullptr ? ::CreateCompatibleDC(dc.GetSafeHdc()) : nullptr;
    if (hMem == nullptr) {
        if (hDib != nullptr)
            ::DeleteObject(hDib);
        return false;
    }
    HGDIOBJ hOld = ::SelectObject(hMem, hDib);
    ::BitBlt(hMem, 0, 0, aw, ah, dc.GetSafeHdc(), m_rcShaded.left, m_rcShaded.top, SRCCOPY);
    ::GdiFlush();
    m_pPixels = static_cast<RGBQUAD*>(pBits);
    m_nPixelsWidth = aw;

    const COLORREF clrTint =
        (m_nFlags & FLAG_TINT) != 0 ? g_PaintManagerHolder->GetShadowTintColor() : COLORREF(-1);
    const int nMin = int(m_nMinLightness);
    const int nRange = int(m_nMaxLightness) - nMin;
    for (int i = 0; i < s; ++i) {
        const UINT nLight = UINT(nMin + i * nRange / s);
        const StripPlan p = PlanStrips(i);
        for (int x = p.nBottomFrom; x <= p.nBottomTo; ++x)
            DarkenPixel(nLight, x, h + i, clrTint);
        for (int y = p.nRightFrom; y <= p.nRightTo; ++y) {
            if (y >= p.nRightGapFrom && y < p.nRightGapFrom + p.nRightGapCount)
                continue;
            DarkenPixel(nLight, w + i, y, clrTint);
        }
        for (int k = 0; k < s; ++k) {
            if (i * i + k * k > s * s)
                continue;
            const int d = int(std::sqrt(double(i * i + k * k)));
            const UINT nCornerLight = UINT(nMin + d * nRange / s);
            if (p.bCornerBottomRight)
                DarkenPixel(nCornerLight, w + i, h + k, clrTint);
            if (p.bCornerBottomStart)
                DarkenPixel(nCornerLight, 2 * s - i, h + k, clrTint);
            if (p.bCornerRightStart)
                DarkenPixel(nCornerLight, w + i, 2 * s - k, clrTint);
        }
    }
    ::GdiFlush();
    ::BitBlt(dc.GetSafeHdc(), m_rcShaded.left, m_rcShaded.top, aw, ah, hMem, 0, 0, SRCCOPY);
    m_pPixels = nullptr;
    m_nPixelsWidth = 0;
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hDib);
    return true;
}
