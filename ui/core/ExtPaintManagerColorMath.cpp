// Colour arithmetic, gradients, dither patterns and colour icons.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int PALETTE_DISPLAY_BITS = 8;
constexpr int MIN_PALETTE_BAND = 4;
constexpr int PATTERN_SIZE = 16;
constexpr int ICON_SIZE = 16;
constexpr int PERCENT = 100;
constexpr int PER_MILLE = 1000;

// Rounded, not cut: a colour taken to hue, saturation and lightness and back comes back whole.
BYTE ToByte(double v) { return static_cast<BYTE>(std::clamp(static_cast<int>(v * 255.0 + 0.5), 0, 255)); }

double Adjust(double v, double d)
{
    if (d > 0.0)
        v += d * (1.0 - v);
    else if (d < 0.0)
        v *= 1.0 + d;
    return std::clamp(v, 0.0, 1.0);
}

// An icon of the colour where the mask rectangle minus the hole is opaque.
HICON MakeColorIcon(COLORREF clr, const RECT& rcOpaque, const RECT* prcHole)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, ICON_SIZE, ICON_SIZE);
    ::ReleaseDC(nullptr, hScreen);
    HBITMAP hMask = ::CreateBitmap(ICON_SIZE, ICON_SIZE, 1, 1, nullptr);
    HICON hIcon = nullptr;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    if (hColor != nullptr && hMask != nullptr && hDC != nullptr) {
        const RECT rcAll{0, 0, ICON_SIZE, ICON_SIZE};
        HGDIOBJ hOld = ::SelectObject(hDC, hMask);
        // Mask: white is transparent, black opaque.
        ::FillRect(hDC, &rcAll, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FillRect(hDC, &rcOpaque, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        if (prcHole != nullptr)
            ::FillRect(hDC, prcHole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SelectObject(hDC, hColor);
        ::FillRect(hDC, &rcAll, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FillRect(hDC, &rcOpaque, hBrush);
        ::DeleteObject(hBrush);
        if (prcHole != nullptr)
            ::FillRect(hDC, prcHole, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SelectObject(hDC, hOld);
        ICONINFO ii{};
        ii.fIcon = TRUE;
        ii.hbmMask = hMask;
        ii.hbmColor = hColor;
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
} // namespace

COLORREF CExtPaintManager::InvertColor(COLORREF clr)
{
    return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

double CExtPaintManager::HueToRgbComponent(double m1, double m2, double dHue)
{
    if (dHue < 0.0)
        dHue += 1.0;
    if (dHue > 1.0)
        dHue -= 1.0;
    if (6.0 * dHue < 1.0)
        return m1 + (m2 - m1) * 6.0 * dHue;
    if (2.0 * dHue < 1.0)
        return m2;
    if (3.0 * dHue < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - dHue) * 6.0;
    return m1;
}

COLORREF CExtPaintManager::HueLightSatToColor(double dHue, double dLightness, double dSaturation)
{
    if (dSaturation == 0.0) {
        const BYTE v = ToByte(dLightness);
        return RGB(v, v, v);
    }
    const double m2 = dLightness <= 0.5 ? dLightness * (1.0 + dSaturation)
                                        : dLightness + dSaturation - dLightness * dSaturation;
    const double m1 = 2.0 * dLightness - m2;
    return RGB(ToByte(HueToRgbComponent(m1, m2, dHue + 1.0 / 3.0)), ToByte(HueToRgbComponent(m1, m2, dHue)),
               ToByte(HueToRgbComponent(m1, m2, dHue - 1.0 / 3.0)));
}

void CExtPaintManager::ColorToHueSatLight(COLORREF clr, double* pHue, double* pSaturation, double* pLightness)
{
    const double r = GetRValue(clr) / 255.0;
    const double g = GetGValue(clr) / 255.0;
    const double b = GetBValue(clr) / 255.0;
    const double dMax = std::max({r, g, b});
    const double dMin = std::min({r, g, b});
    const double l = (dMax + dMin) / 2.0;
    double h = 0.0;
    double s = 0.0;
    if (dMax != dMin) {
        const double d = dMax - dMin;
        s = l < 0.5 ? d / (dMax + dMin) : d / (2.0 - dMax - dMin);
        if (r == dMax)
            h = (g - b) / d;
        else if (g == dMax)
            h = 2.0 + (b - r) / d;
        else
            h = 4.0 + (r - g) / d;
        h /= 6.0;
        if (h < 0.0)
            h += 1.0;
    }
    if (pHue != nullptr)
        *pHue = h;
    if (pSaturation != nullptr)
        *pSaturation = s;
    if (pLightness != nullptr)
        *pLightness = l;
}

float CExtPaintManager::HueDegreesToRgbComponent(float m1, float m2, float fHue)
{
    if (fHue > 360.0f)
        fHue -= 360.0f;
    else if (fHue < 0.0f)
        fHue += 360.0f;
    float v = m1;
    if (fHue < 60.0f)
        v = m1 + (m2 - m1) * fHue / 60.0f;
    else if (fHue < 180.0f)
        v = m2;
    else if (fHue < 240.0f)
        v = m1 + (m2 - m1) * (240.0f - fHue) / 60.0f;
    return v * 255.0f;
}

COLORREF CExtPaintManager::HueDegreesLightSatToColor(double dHue, double dLightness, double dSaturation)
{
    const float l = static_cast<float>(dLightness);
    const float s = static_cast<float>(dSaturation);
    if (s == 0.0f) {
        const BYTE v = static_cast<BYTE>(static_cast<int>(l * 255.0f) & 0xFF);
        return RGB(v, v, v);
    }
    const float m2 = l <= 0.5f ? l * (1.0f + s) : l + s - l * s;
    const float m1 = 2.0f * l - m2;
    const float h = static_cast<float>(dHue);
    auto component = [&](float fHue) {
        return static_cast<BYTE>(static_cast<int>(HueDegreesToRgbComponent(m1, m2, fHue)) & 0xFF);
    };
    return RGB(component(h + 120.0f), component(h), component(h - 120.0f));
}

COLORREF CExtPaintManager::AdjustColorHLS(COLORREF clr, double dHue, double dLightness, double dSaturation)
{
    double h = 0.0, s = 0.0, l = 0.0;
    ColorToHueSatLight(clr, &h, &s, &l);
    return HueLightSatToColor(Adjust(h, dHue), Adjust(l, dLightness), Adjust(s, dSaturation));
}

COLORREF CExtPaintManager::MixColors(COLORREF clrA, COLORREF clrB, int nWeight)
{
    const int nScale = nWeight < PERCENT ? PERCENT : PER_MILLE;
    auto channel = [&](int a, int b) { return (nWeight * a + (nScale - nWeight) * b + nScale / 2) / nScale; };
    return RGB(channel(GetRValue(clrA), GetRValue(clrB)), channel(GetGValue(clrA), GetGValue(clrB)),
               channel(GetBValue(clrA), GetBValue(clrB)));
}

void CExtPaintManager::FillGradientRect(CDC& dc, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, bool bVertical,
                                        UINT nSteps)
{
    if (g_PaintManagerHolder.m_pfnGradientFill != nullptr && g_PaintManagerHolder.IsWinNT()) {
        TRIVERTEX v[2]{};
        const COLORREF clrFirst = bVertical ? clrTo : clrFrom;
        const COLORREF clrSecond = bVertical ? clrFrom : clrTo;
        v[0].x = rc.left;
        v[0].y = rc.top;
        v[0].Red = static_cast<COLOR16>(GetRValue(clrFirst) << 8);
        v[0].Green = static_cast<COLOR16>(GetGValue(clrFirst) << 8);
        v[0].Blue = static_cast<COLOR16>(GetBValue(clrFirst) << 8);
        v[1].x = rc.right;
        v[1].y = rc.bottom;
        v[1].Red = static_cast<COLOR16>(GetRValue(clrSecond) << 8);
        v[1].Green = static_cast<COLOR16>(GetGValue(clrSecond) << 8);
        v[1].Blue = static_cast<COLOR16>(GetBValue(clrSecond) << 8);
        GRADIENT_RECT gr{0, 1};
        g_PaintManagerHolder.m_pfnGradientFill(dc.m_hDC, v, 2, &gr, 1,
                                               bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    const int nExtent = bVertical ? rc.bottom - rc.top : rc.right - rc.left;
    int nCount = std::min<int>(static_cast<int>(std::min<UINT>(nSteps, INT_MAX)), nExtent);
    const bool bPaletteDevice = dc.GetDeviceCaps(BITSPIXEL) <= PALETTE_DISPLAY_BITS;
    if (nCount > 0 && bPaletteDevice && nExtent / nCount < MIN_PALETTE_BAND)
        nCount = nExtent / MIN_PALETTE_BAND;
    if (nCount <= 0)
        return;
    int nPrevEdge = bVertical ? rc.bottom : rc.left;
    for (int i = 0; i < nCount; ++i) {
        auto channel = [&](int a, int b) { return (a * (nCount - i) + b * i) / nCount; };
        const COLORREF clr = RGB(channel(GetRValue(clrFrom), GetRValue(clrTo)),
                                 channel(GetGValue(clrFrom), GetGValue(clrTo)),
                                 channel(GetBValue(clrFrom), GetBValue(clrTo)));
        RECT band = rc;
        const bool bLast = i == nCount - 1;
        if (bVertical) {
            band.bottom = nPrevEdge;
            band.top = bLast ? rc.top : rc.bottom - ::MulDiv(i, nExtent, nCount) - 1;
            nPrevEdge = band.top;
        } else {
            band.left = nPrevEdge;
            band.right = bLast ? rc.right : rc.left + ::MulDiv(i, nExtent, nCount) + 1;
            nPrevEdge = band.right;
        }
        if (bPaletteDevice) {
            HBRUSH hBrush = ::CreateSolidBrush(clr);
            ::FillRect(dc.m_hDC, &band, hBrush);
            ::DeleteObject(hBrush);
        } else {
            dc.FillSolidRect(&band, clr);
        }
    }
}

void CExtPaintManager::FillTwoPartGradient(CDC& dc, const RECT& rc, COLORREF clr1, COLORREF clr2, COLORREF clr3,
                                           bool bVertical, int nNum, int nDen, UINT nSteps)
{
    RECT first = rc;
    RECT second = rc;
    if (bVertical) {
        first.bottom = second.top = rc.top + ::MulDiv(rc.bottom - rc.top, nNum, nDen);
        // The vertical gradient runs from its second colour at the top.
        FillGradientRect(dc, first, clr2, clr1, true, nSteps);
        FillGradientRect(dc, second, clr3, clr2, true, nSteps);
    } else {
        first.right = second.left = rc.left + ::MulDiv(rc.right - rc.left, nNum, nDen);
        FillGradientRect(dc, first, clr1, clr2, false, nSteps);
        FillGradientRect(dc, second, clr2, clr3, false, nSteps);
    }
}

HBITMAP CExtPaintManager::CreateDitherBitmap(COLORREF clrA, COLORREF clrB, int nMaskX, int nMaskY, int nGapX,
                                             int nGapY, COLORREF clrGap)
{
    if (clrA == COLORREF(-1))
        clrA = ::GetSysColor(COLOR_BTNFACE);
    if (clrB == COLORREF(-1))
        clrB = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (clrGap == COLORREF(-1))
        clrGap = clrA;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, PATTERN_SIZE, PATTERN_SIZE);
    ::ReleaseDC(nullptr, hScreen);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    if (hBitmap == nullptr || hDC == nullptr) {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        if (hDC != nullptr)
            ::DeleteDC(hDC);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < PATTERN_SIZE; ++y)
        for (int x = 0; x < PATTERN_SIZE; ++x) {
            COLORREF clr = clrB;
            if ((nGapX & x) != 0 || (nGapY & y) != 0)
                clr = clrGap;
            else if (((nMaskY & y) != 0) == ((nMaskX & x) != 0))
                clr = clrA;
            ::SetPixelV(hDC, x, y, clr);
        }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

HICON CExtPaintManager::CreateSolidColorIcon(COLORREF clr)
{
    return MakeColorIcon(clr, RECT{0, 0, ICON_SIZE, ICON_SIZE}, nullptr);
}

HICON CExtPaintManager::CreateColorFrameIcon(COLORREF clr)
{
    const RECT rcHole{3, 4, 13, 12};
    return MakeColorIcon(clr, RECT{1, 2, 15, 14}, &rcHole);
}
