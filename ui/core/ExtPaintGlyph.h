#pragma once
// A small indexed-colour picture: index 0 is transparent, index n is painted with entry n of a
// palette given at paint time.
#include <windows.h>

#include <vector>

class CExtPaintGlyph
{
public:
    CExtPaintGlyph() = default;
    // Rows from the top, one character per pixel: '.' or ' ' is index 0, '1' to '9' the
    // palette entries.
    CExtPaintGlyph(int nWidth, int nHeight, int nColors, const char* pszPicture);

    void CopyFrom(const CExtPaintGlyph& other);
    // Turns the picture clockwise by 90, 180 or 270 degrees; other angles change nothing.
    void Rotate(int nAngle);

    SIZE GetSize() const { return SIZE{m_nWidth, m_nHeight}; }
    int GetColorCount() const { return m_nColors; }
    UINT GetPixel(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_nWidth + x]; }
    bool IsEmpty() const { return m_pixels.empty(); }

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nColors = 0;
    std::vector<UINT> m_pixels;
};
