#include "ui/core/ExtPaintGlyph.h"

#include <utility>

CExtPaintGlyph::CExtPaintGlyph(int nWidth, int nHeight, int nColors, const char* pszPicture)
    : m_nWidth(nWidth)
    , m_nHeight(nHeight)
    , m_nColors(nColors)
    , m_pixels(static_cast<size_t>(nWidth) * nHeight, 0)
{
    for (size_t i = 0; i < m_pixels.size() && pszPicture[i] != '\0'; ++i) {
        const char c = pszPicture[i];
        m_pixels[i] = (c >= '1' && c <= '9') ? static_cast<UINT>(c - '0') : 0;
    }
}

void CExtPaintGlyph::CopyFrom(const CExtPaintGlyph& other)
{
    if (&other == this)
        return;
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_nColors = other.m_nColors;
    m_pixels = other.m_pixels;
}

void CExtPaintGlyph::Rotate(int nAngle)
{
    if (nAngle != 90 && nAngle != 180 && nAngle != 270)
        return;
    const int w = m_nWidth;
    const int h = m_nHeight;
    const bool bSwap = nAngle != 180;
    const int nNewWidth = bSwap ? h : w;
    std::vector<UINT> turned(m_pixels.size(), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int nx = 0, ny = 0;
            if (nAngle == 90) {
                nx = h - 1 - y;
                ny = x;
            } else if (nAngle == 180) {
                nx = w - 1 - x;
                ny = h - 1 - y;
            } else {
                nx = y;
                ny = w - 1 - x;
            }
            turned[static_cast<size_t>(ny) * nNewWidth + nx] = GetPixel(x, y);
        }
    m_pixels.swap(turned);
    if (bSwap) {
        m_nWidth = h;
        m_nHeight = w;
    }
}
