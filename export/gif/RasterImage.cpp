#include "export/gif/RasterImage.h"

#include <algorithm>
#include <new>

namespace
{
constexpr DWORD kHeaderSize = sizeof(BITMAPINFOHEADER);
// 96 dots per inch, as pixels per metre: floor(96 x 39.37007874015748 + 0.5).
constexpr LONG kPixelsPerMetre = 3780;
// Header, palette and rows must stay addressable by GDI's int counts and DWORD sizes.
constexpr uint64_t kMaxBlockBytes = 0x7FFFFFFF;
// Above the largest squared distance between two colours (3 x 255 x 255).
constexpr DWORD kFarthest = 200000;

constexpr uint32_t kStandard16[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

constexpr uint32_t kStandard256[256] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0xC0DCC0, 0xA6CAF0, 0xFFF0D4, 0xFFE2B1, 0xFFD48E, 0xFFC66B, 0xFFB848, 0xFFAA25,
    0xFFAA00, 0xDC9200, 0xB97A00, 0x966200, 0x734A00, 0x503200, 0xFFE3D4, 0xFFC7B1,
    0xFFAB8E, 0xFF8F6B, 0xFF7348, 0xFF5725, 0xFF5500, 0xDC4900, 0xB93D00, 0x963100,
    0x732500, 0x501900, 0xFFD4D4, 0xFFB1B1, 0xFF8E8E, 0xFF6B6B, 0xFF4848, 0xFF2525,
    0xFE0000, 0xDC0000, 0xB90000, 0x960000, 0x730000, 0x500000, 0xFFD4E3, 0xFFB1C7,
    0xFF8EAB, 0xFF6B8F, 0xFF4873, 0xFF2557, 0xFF0055, 0xDC0049, 0xB9003D, 0x960031,
    0x730025, 0x500019, 0xFFD4F0, 0xFFB1E2, 0xFF8ED4, 0xFF6BC6, 0xFF48B8, 0xFF25AA,
    0xFF00AA, 0xDC0092, 0xB9007A, 0x960062, 0x73004A, 0x500032, 0xFFD4FF, 0xFFB1FF,
    0xFF8EFF, 0xFF6BFF, 0xFF48FF, 0xFF25FF, 0xFE00FE, 0xDC00DC, 0xB900B9, 0x960096,
    0x730073, 0x500050, 0xF0D4FF, 0xE2B1FF, 0xD48EFF, 0xC66BFF, 0xB848FF, 0xAA25FF,
    0xAA00FF, 0x9200DC, 0x7A00B9, 0x620096, 0x4A0073, 0x320050, 0xE3D4FF, 0xC7B1FF,
    0xAB8EFF, 0x8F6BFF, 0x7348FF, 0x5725FF, 0x5500FF, 0x4900DC, 0x3D00B9, 0x310096,
    0x250073, 0x190050, 0xD4D4FF, 0xB1B1FF, 0x8E8EFF, 0x6B6BFF, 0x4848FF, 0x2525FF,
    0x0000FE, 0x0000DC, 0x0000B9, 0x000096, 0x000073, 0x000050, 0xD4E3FF, 0xB1C7FF,
    0x8EABFF, 0x6B8FFF, 0x4873FF, 0x2557FF, 0x0055FF, 0x0049DC, 0x003DB9, 0x003196,
    0x002573, 0x001950, 0xD4F0FF, 0xB1E2FF, 0x8ED4FF, 0x6BC6FF, 0x48B8FF, 0x25AAFF,
    0x00AAFF, 0x0092DC, 0x007AB9, 0x006296, 0x004A73, 0x003250, 0xD4FFFF, 0xB1FFFF,
    0x8EFFFF, 0x6BFFFF, 0x48FFFF, 0x25FFFF, 0x00FEFE, 0x00DCDC, 0x00B9B9, 0x009696,
    0x007373, 0x005050, 0xD4FFF0, 0xB1FFE2, 0x8EFFD4, 0x6BFFC6, 0x48FFB8, 0x25FFAA,
    0x00FFAA, 0x00DC92, 0x00B97A, 0x009662, 0x00734A, 0x005032, 0xD4FFE3, 0xB1FFC7,
    0x8EFFAB, 0x6BFF8F, 0x48FF73, 0x25FF57, 0x00FF55, 0x00DC49, 0x00B93D, 0x009631,
    0x007325, 0x005019, 0xD4FFD4, 0xB1FFB1, 0x8EFF8E, 0x6BFF6B, 0x48FF48, 0x25FF25,
    0x00FE00, 0x00DC00, 0x00B900, 0x009600, 0x007300, 0x005000, 0xE3FFD4, 0xC7FFB1,
    0xABFF8E, 0x8FFF6B, 0x73FF48, 0x57FF25, 0x55FF00, 0x49DC00, 0x3DB900, 0x319600,
    0x257300, 0x195000, 0xF0FFD4, 0xE2FFB1, 0xD4FF8E, 0xC6FF6B, 0xB8FF48, 0xAAFF25,
    0xAAFF00, 0x92DC00, 0x7AB900, 0x629600, 0x4A7300, 0x325000, 0xFFFFD4, 0xFFFFB1,
    0xFFFF8E, 0xFFFF6B, 0xFFFF48, 0xFFFF25, 0xFEFE00, 0xDCDC00, 0xB9B900, 0x969600,
    0x737300, 0x505000, 0xF2F2F2, 0xE6E6E6, 0xDADADA, 0xCECECE, 0xC2C2C2, 0xB6B6B6,
    0xAAAAAA, 0x9E9E9E, 0x929292, 0x868686, 0x7A7A7A, 0x6E6E6E, 0x626262, 0x565656,
    0x4A4A4A, 0x3E3E3E, 0x323232, 0x262626, 0x1A1A1A, 0x0E0E0E, 0xFFFBF0, 0xA0A0A4,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

constexpr uint32_t kBlackAndWhite[2] = {0x000000, 0xFFFFFF};

RGBQUAD MakeQuad(uint32_t rgb)
{
    return RGBQUAD{static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8),
                   static_cast<BYTE>(rgb >> 16), 0};
}

uint32_t PackRgb(RGBQUAD color)
{
    return (static_cast<uint32_t>(color.rgbRed) << 16) | (color.rgbGreen << 8) | color.rgbBlue;
}

BYTE AddClamped(BYTE channel, int delta)
{
    return static_cast<BYTE>(std::clamp(channel + delta, 0, 255));
}
} // namespace

bool CRasterImage::NearestColorCache::Find(uint32_t rgb, BYTE& index) const
{
    if (m_keys.empty())
        return false;
    const uint32_t slot = Slot(rgb);
    if (m_keys[slot] != (rgb | kValid))
        return false;
    index = m_indexes[slot];
    return true;
}

void CRasterImage::NearestColorCache::Store(uint32_t rgb, BYTE index)
{
    if (m_keys.empty())
    {
        m_keys.assign(kSlots, 0);
        m_indexes.assign(kSlots, 0);
    }
    const uint32_t slot = Slot(rgb);
    m_keys[slot] = rgb | kValid;
    m_indexes[slot] = index;
}

uint32_t CRasterImage::NearestColorCache::Slot(uint32_t rgb)
{
    // Multiplicative hashing spreads neighbouring shades of anti-aliased edges over the slots.
    return (rgb * 2654435761u) >> (32 - kSlotBits);
}

CRasterImage::CRasterImage(DWORD imageType) : m_type(imageType)
{
}

void CRasterImage::FreeImageData()
{
    m_block.reset();
    m_pixels = nullptr;
}

BYTE* CRasterImage::Create(DWORD width, DWORD height, DWORD bitCount, DWORD imageType)
{
    FreeImageData();
    if (width == 0 || height == 0)
    {
        SetLastError("CRasterImage::Create : width and height must be greater than zero");
        return nullptr;
    }
    WORD bits = 24;
    DWORD colors = 0;
    if (bitCount <= 1)
        bits = 1, colors = 2;
    else if (bitCount <= 4)
        bits = 4, colors = 16;
    else if (bitCount <= 8)
        bits = 8, colors = 256;

    const uint64_t rowWidth = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t imageSize = rowWidth * height;
    const uint64_t paletteSize = colors * sizeof(RGBQUAD);
    // The checks on width and height first keep the products below from overflowing 64 bits.
    if (width > kMaxBlockBytes || height > kMaxBlockBytes ||
        kHeaderSize + paletteSize + imageSize > kMaxBlockBytes)
    {
        SetLastError("CRasterImage::Create can't allocate memory");
        return nullptr;
    }
    const size_t blockSize = static_cast<size_t>(kHeaderSize + paletteSize + imageSize);
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[blockSize]);
    if (!block)
    {
        SetLastError("CRasterImage::Create can't allocate memory");
        return nullptr;
    }

    m_header = BITMAPINFOHEADER{};
    m_header.biSize = kHeaderSize;
    m_header.biWidth = static_cast<LONG>(width);
    m_header.biHeight = static_cast<LONG>(height);
    m_header.biPlanes = 1;
    m_header.biBitCount = bits;
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = static_cast<DWORD>(imageSize);
    m_header.biXPelsPerMeter = kPixelsPerMetre;
    m_header.biYPelsPerMeter = kPixelsPerMetre;
    m_header.biClrUsed = colors;
    m_header.biClrImportant = 0;
    m_rowWidth = static_cast<DWORD>(rowWidth);
    m_type = imageType;

    m_block = std::move(block);
    std::copy_n(reinterpret_cast<const BYTE*>(&m_header), kHeaderSize, m_block.get());
    std::fill_n(m_block.get() + kHeaderSize, paletteSize, BYTE{0});
    m_pixels = m_block.get() + kHeaderSize + paletteSize;
    m_nearest.Clear();
    return m_pixels;
}

bool CRasterImage::LoadFromHBITMAP(HBITMAP bitmap, HPALETTE palette)
{
    FreeImageData();
    if (!bitmap)
        return false;
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info))
        return false;
    // A bottom-up or top-down bitmap is read bottom-up; a non-positive size fails in Create.
    const DWORD width = info.bmWidth > 0 ? static_cast<DWORD>(info.bmWidth) : 0;
    const DWORD height = info.bmHeight < 0 ? 0u - static_cast<DWORD>(info.bmHeight)
                                            : static_cast<DWORD>(info.bmHeight);
    if (!Create(width, height, info.bmBitsPixel, kTypePlain))
        return false;

    HDC screen = GetDC(nullptr);
    HPALETTE previous = nullptr;
    if (palette)
    {
        previous = SelectPalette(screen, palette, TRUE);
        RealizePalette(screen);
    }
    const int rows = GetDIBits(screen, bitmap, 0, height, m_pixels,
                               reinterpret_cast<BITMAPINFO*>(m_block.get()), DIB_RGB_COLORS);
    if (previous)
        SelectPalette(screen, previous, TRUE);
    ReleaseDC(nullptr, screen);
    m_nearest.Clear();
    if (rows != static_cast<int>(height))
    {
        SetLastError("GetDIBits failed");
        return false;
    }
    return true;
}

bool CRasterImage::ReduceColorDepth(DWORD bitCount, bool errorDiffusion, const RGBQUAD* palette,
                                    DWORD colorsImportant)
{
    if (!IsValid() || GetBpp() < bitCount)
        return false;
    if (GetBpp() == bitCount &&
        (colorsImportant == 0 ||
         (GetColorsImportant() != 0 && GetColorsImportant() < colorsImportant)))
        return true;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8)
        return false;

    CRasterImage reduced(kTypePlain);
    reduced.m_transIndex = m_transIndex;
    reduced.m_frameDelay = m_frameDelay;
    if (!reduced.Create(GetWidth(), GetHeight(), bitCount, m_type))
    {
        SetLastError(reduced.m_lastError);
        return false;
    }
    if (palette)
        reduced.SetPalette(palette, reduced.GetNumColors());
    else
        reduced.SetStdPalette();
    if (colorsImportant)
        reduced.SetColorsImportant(colorsImportant);

    const bool wasBlackAndWhite = GetBpp() == 1;
    const long width = static_cast<long>(GetWidth());
    const long height = static_cast<long>(GetHeight());
    for (long y = 0; y < height; ++y)
    {
        for (long x = 0; x < width; ++x)
        {
            const RGBQUAD color = GetPixelColor(x, y);
            reduced.SetPixelColor(x, y, color);
            if (!errorDiffusion)
                continue;
            const RGBQUAD taken = reduced.GetPaletteColor(reduced.GetPixelIndex(x, y));
            const int error[3] = {color.rgbRed - taken.rgbRed, color.rgbGreen - taken.rgbGreen,
                                  color.rgbBlue - taken.rgbBlue};
            // Floyd-Steinberg weights in sixteenths.
            struct Share
            {
                long dx, dy;
                int sixteenths;
            };
            constexpr Share kShares[] = {{1, 0, 7}, {-1, 1, 2}, {0, 1, 4}, {1, 1, 1}};
            for (const Share& share : kShares)
            {
                const long nx = x + share.dx, ny = y + share.dy;
                if (!IsInside(nx, ny))
                    continue;
                RGBQUAD next = GetPixelColor(nx, ny);
                next.rgbRed = AddClamped(next.rgbRed, error[0] * share.sixteenths / 16);
                next.rgbGreen = AddClamped(next.rgbGreen, error[1] * share.sixteenths / 16);
                next.rgbBlue = AddClamped(next.rgbBlue, error[2] * share.sixteenths / 16);
                SetPixelColor(nx, ny, next);
            }
        }
    }
    if (wasBlackAndWhite)
        reduced.SetStdPalette();
    TakeOver(reduced);
    return true;
}

void CRasterImage::SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE reserved)
{
    if (!IsValid() || index >= GetNumColors())
        return;
    Palette()[index] = RGBQUAD{blue, green, red, reserved};
    m_nearest.Clear();
}

RGBQUAD CRasterImage::GetPaletteColor(BYTE index) const
{
    if (!IsValid() || index >= GetNumColors())
        return RGBQUAD{};
    return Palette()[index];
}

void CRasterImage::SetPalette(const RGBQUAD* colors, DWORD count)
{
    if (!IsValid() || !colors)
        return;
    std::copy_n(colors, std::min(count, GetNumColors()), Palette());
    m_nearest.Clear();
}

void CRasterImage::SetStdPalette()
{
    switch (GetBpp())
    {
    case 1:
        SetPaletteRgb(kBlackAndWhite, 2);
        break;
    case 4:
        SetPaletteRgb(kStandard16, 16);
        break;
    case 8:
        SetPaletteRgb(kStandard256, 256);
        break;
    default:
        break;
    }
}

void CRasterImage::SetPaletteRgb(const uint32_t* rgb, DWORD count)
{
    if (!IsValid())
        return;
    RGBQUAD* palette = Palette();
    for (DWORD i = 0; i < std::min(count, GetNumColors()); ++i)
        palette[i] = MakeQuad(rgb[i]);
    m_nearest.Clear();
}

void CRasterImage::SetColorsImportant(DWORD count)
{
    if (!IsValid())
        return;
    constexpr DWORD kMaxColors = 256;
    if (count > kMaxColors)
        count = 0;
    count = std::min(count, GetNumColors());
    m_header.biClrImportant = count;
    reinterpret_cast<BITMAPINFOHEADER*>(m_block.get())->biClrImportant = count;
    m_nearest.Clear();
}

BYTE CRasterImage::GetNearestIndex(RGBQUAD color)
{
    if (!IsValid() || GetNumColors() == 0)
        return 0;
    const uint32_t rgb = PackRgb(color);
    BYTE index = 0;
    if (m_nearest.Find(rgb, index))
        return index;
    index = SearchNearestIndex(color);
    m_nearest.Store(rgb, index);
    return index;
}

BYTE CRasterImage::SearchNearestIndex(RGBQUAD color) const
{
    const DWORD count = GetColorsImportant() ? GetColorsImportant() : GetNumColors();
    const RGBQUAD* palette = Palette();
    DWORD best = kFarthest;
    BYTE bestIndex = 0;
    for (DWORD i = 0; i < count; ++i)
    {
        const int dr = palette[i].rgbRed - color.rgbRed;
        const int dg = palette[i].rgbGreen - color.rgbGreen;
        const int db = palette[i].rgbBlue - color.rgbBlue;
        const DWORD distance = static_cast<DWORD>(dr * dr + dg * dg + db * db);
        if (distance < best)
        {
            best = distance;
            bestIndex = static_cast<BYTE>(i);
            if (distance == 0)
                break;
        }
    }
    return bestIndex;
}

bool CRasterImage::IsInside(long x, long y) const
{
    return IsValid() && x >= 0 && y >= 0 && x < m_header.biWidth && y < m_header.biHeight;
}

BYTE* CRasterImage::Pixel(long x, long y) const
{
    return m_pixels + static_cast<size_t>(y) * m_rowWidth +
           static_cast<size_t>(x) * GetBpp() / 8;
}

RGBQUAD* CRasterImage::Palette() const
{
    return reinterpret_cast<RGBQUAD*>(m_block.get() + kHeaderSize);
}

BYTE CRasterImage::GetPixelIndex(long x, long y) const
{
    if (!IsValid())
        return 0;
    if (!IsInside(x, y))
        return m_transIndex >= 0 ? static_cast<BYTE>(m_transIndex) : m_pixels[0];
    const BYTE* pixel = Pixel(x, y);
    switch (GetBpp())
    {
    case 8:
        return *pixel;
    case 4:
        return (x & 1) ? (*pixel & 0x0F) : (*pixel >> 4);
    case 1:
        return (*pixel >> (7 - (x & 7))) & 1;
    default:
        return 0;
    }
}

void CRasterImage::SetPixelIndex(long x, long y, BYTE index)
{
    if (!IsInside(x, y))
        return;
    BYTE* pixel = Pixel(x, y);
    switch (GetBpp())
    {
    case 8:
        *pixel = index;
        break;
    case 4:
        *pixel = (x & 1) ? static_cast<BYTE>((*pixel & 0xF0) | (index & 0x0F))
                         : static_cast<BYTE>((*pixel & 0x0F) | (index << 4));
        break;
    case 1:
    {
        const BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
        *pixel = (index & 1) ? (*pixel | mask) : static_cast<BYTE>(*pixel & ~mask);
        break;
    }
    default:
        break;
    }
}

RGBQUAD CRasterImage::GetPixelColor(long x, long y) const
{
    if (!IsValid())
        return RGBQUAD{};
    if (!IsInside(x, y))
    {
        if (m_transIndex < 0)
            return GetPixelColor(0, 0);
        // Beyond the picture is the transparent colour, or the (black) background of a 24-bit image.
        return GetBpp() < 24 ? GetPaletteColor(static_cast<BYTE>(m_transIndex)) : RGBQUAD{};
    }
    if (GetBpp() < 24)
        return GetPaletteColor(GetPixelIndex(x, y));
    const BYTE* pixel = Pixel(x, y);
    return RGBQUAD{pixel[0], pixel[1], pixel[2], 0};
}

void CRasterImage::SetPixelColor(long x, long y, RGBQUAD color)
{
    if (!IsInside(x, y))
        return;
    if (GetBpp() < 24)
    {
        SetPixelIndex(x, y, GetNearestIndex(color));
        return;
    }
    BYTE* pixel = Pixel(x, y);
    pixel[0] = color.rgbBlue;
    pixel[1] = color.rgbGreen;
    pixel[2] = color.rgbRed;
}

void CRasterImage::SetLastError(const std::string& text)
{
    constexpr size_t kMaxErrorText = 255;
    m_lastError = text.substr(0, kMaxErrorText);
}

void CRasterImage::TakeOver(CRasterImage& other)
{
    // Every member moves, so that one added later cannot be left behind; the pixel pointer stays
    // valid, since the block it points into moves with it. Only the last error stays ours.
    std::string lastError = std::move(m_lastError);
    *this = std::move(other);
    m_lastError = std::move(lastError);
    other.FreeImageData();
}
