#pragma once
// A device-independent bitmap in memory (1, 4, 8 or 24 bits per pixel) with its palette, loaded
// from a device bitmap and reduced to a palette image for the GIF encoder.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CRasterImage
{
public:
    static constexpr DWORD kTypePlain = 0;
    static constexpr DWORD kTypeGIF = 2;

    explicit CRasterImage(DWORD imageType = kTypePlain);
    virtual ~CRasterImage() = default;
    CRasterImage(const CRasterImage&) = delete;
    CRasterImage& operator=(const CRasterImage&) = delete;

    void FreeImageData();
    // Pixel rows of the new image (not cleared), or null with the last error set.
    BYTE* Create(DWORD width, DWORD height, DWORD bitCount, DWORD imageType);
    bool LoadFromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr);
    // Reduces to 1, 4 or 8 bits against the given palette (2, 16 or 256 entries) or the
    // standard one; colorsImportant 0 searches every palette entry.
    bool ReduceColorDepth(DWORD bitCount, bool errorDiffusion = false,
                          const RGBQUAD* palette = nullptr, DWORD colorsImportant = 0);

    void SetAnimationDelay(DWORD hundredths) { m_frameDelay = hundredths; }
    DWORD GetAnimationDelay() const { return m_frameDelay; }
    // Palette index shown transparent, -1 for none.
    void SetTransIndex(long index) { m_transIndex = index; }
    long GetTransIndex() const { return m_transIndex; }

    bool IsValid() const { return m_block != nullptr; }
    DWORD GetType() const { return m_type; }
    DWORD GetWidth() const { return static_cast<DWORD>(m_header.biWidth); }
    DWORD GetHeight() const { return static_cast<DWORD>(m_header.biHeight); }
    DWORD GetBpp() const { return m_header.biBitCount; }
    DWORD GetNumColors() const { return m_header.biClrUsed; }
    DWORD GetColorsImportant() const { return m_header.biClrImportant; }
    DWORD GetEffWidth() const { return m_rowWidth; }
    const BITMAPINFOHEADER& GetHeader() const { return m_header; }
    const char* GetLastError() const { return m_lastError.c_str(); }

    void SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE reserved = 0);
    RGBQUAD GetPaletteColor(BYTE index) const;
    void SetPalette(const RGBQUAD* colors, DWORD count);
    void SetStdPalette();
    void SetColorsImportant(DWORD count);
    BYTE GetNearestIndex(RGBQUAD color);

    // (x, y) with y = 0 the bottom row.
    BYTE GetPixelIndex(long x, long y) const;
    void SetPixelIndex(long x, long y, BYTE index);
    RGBQUAD GetPixelColor(long x, long y) const;
    void SetPixelColor(long x, long y, RGBQUAD color);

protected:
    void SetLastError(const std::string& text);

private:
    // Remembers palette look-ups of the current palette; the search is exact, this only skips
    // repeating it for colours already seen.
    class NearestColorCache
    {
    public:
        void Clear() { m_keys.clear(); }
        bool Find(uint32_t rgb, BYTE& index) const;
        void Store(uint32_t rgb, BYTE index);

    private:
        static constexpr unsigned kSlotBits = 12;
        static constexpr uint32_t kSlots = 1u << kSlotBits;
        // Marks a used slot; colours are 24-bit.
        static constexpr uint32_t kValid = 1u << 24;
        static uint32_t Slot(uint32_t rgb);
        std::vector<uint32_t> m_keys;
        std::vector<BYTE> m_indexes;
    };

    bool IsInside(long x, long y) const;
    BYTE* Pixel(long x, long y) const;
    RGBQUAD* Palette() const;
    void SetPaletteRgb(const uint32_t* rgb, DWORD count);
    BYTE SearchNearestIndex(RGBQUAD color) const;
    void TakeOver(CRasterImage& other);
    CRasterImage& operator=(CRasterImage&&) = default;

    // Header, palette and pixel rows in one block, the layout GDI reads and writes.
    std::unique_ptr<BYTE[]> m_block;
    BITMAPINFOHEADER m_header{};
    BYTE* m_pixels = nullptr;
    DWORD m_rowWidth = 0;
    DWORD m_type;
    std::string m_lastError;
    long m_transIndex = -1;
    DWORD m_frameDelay = 0;
    NearestColorCache m_nearest;
};
