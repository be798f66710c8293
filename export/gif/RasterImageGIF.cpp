#include "export/gif/RasterImageGIF.h"

#include "export/gif/xIOFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace
{
constexpr size_t kMaxComment = 255;
constexpr DWORD kMaxGifSide = 0xFFFF;
constexpr WORD kMaxDelay = 0xFFFF;
constexpr BYTE kExtension = 0x21;
constexpr BYTE kControlLabel = 0xF9;
constexpr BYTE kCommentLabel = 0xFE;
constexpr BYTE kApplicationLabel = 0xFF;
constexpr BYTE kImageSeparator = 0x2C;
constexpr BYTE kTrailer = 0x3B;
constexpr BYTE kNoTransparency = 0xFF;

// Byte output that remembers whether every write reached the file.
class Writer
{
public:
    explicit Writer(CxFile& file) : m_file(file) {}

    void Byte(BYTE value) { m_ok = m_file.PutC(value) && m_ok; }
    void Word(DWORD value)
    {
        Byte(static_cast<BYTE>(value));
        Byte(static_cast<BYTE>(value >> 8));
    }
    void Bytes(const void* data, size_t count)
    {
        if (count)
            m_ok = m_file.Write(data, 1, count) == count && m_ok;
    }
    void ColorTable(const CRasterImage& image)
    {
        for (DWORD i = 0; i < image.GetNumColors(); ++i)
        {
            const RGBQUAD color = image.GetPaletteColor(static_cast<BYTE>(i));
            const BYTE rgb[3] = {color.rgbRed, color.rgbGreen, color.rgbBlue};
            Bytes(rgb, sizeof rgb);
        }
    }
    void Flush() { m_ok = m_file.Flush() && m_ok; }
    bool Ok() const { return m_ok && m_file.Error() == 0; }

private:
    CxFile& m_file;
    bool m_ok = true;
};

// The GIF variant of LZW: codes of growing width packed least significant bit first into data
// sub-blocks, with an open-addressing table of (pixel, prefix) keys.
class LzwEncoder
{
public:
    LzwEncoder(Writer& out, int minimumCodeSize);
    void Encode(const CRasterImage& image);

private:
    static constexpr int kHashSize = 5003;
    static constexpr int kMaxCodes = 4096;
    static constexpr int kMaxBits = 12;
    static constexpr int kMaxPacket = 254;

    void Output(int code);
    void ClearTable();
    void FlushPacket();

    Writer& m_out;
    const int m_initialBits;
    const int m_clearCode;
    const int m_endCode;
    int m_bits;
    int m_maxCode;
    int m_nextCode;
    bool m_clearFlag = false;
    uint32_t m_accumulator = 0;
    int m_accumulatedBits = 0;
    std::array<BYTE, kMaxPacket> m_packet{};
    int m_packetSize = 0;
    std::vector<long> m_keys;
    std::vector<int> m_codes;
};

void WriteScreen(Writer& out, const CRasterImage& first)
{
    out.Bytes("GIF89a", 6);
    out.Word(first.GetWidth());
    out.Word(first.GetHeight());
    const DWORD sizeBits = first.GetBpp() - 1;
    // Global table present, colour resolution and table size from the bit count.
    out.Byte(static_cast<BYTE>((((sizeBits | 0xFC) << 5) & 0xFF) | sizeBits));
    out.Byte(0); // background colour index
    out.Byte(0); // pixel aspect ratio
    out.ColorTable(first);
}

void WriteLoopBlock(Writer& out, int repeatCount)
{
    constexpr BYTE kLoopIntro[] = {kExtension, kApplicationLabel, 0x0B};
    out.Bytes(kLoopIntro, sizeof kLoopIntro);
    out.Bytes("NETSCAPE2.0", 11);
    out.Byte(0x03);
    out.Byte(0x01);
    out.Word(static_cast<DWORD>(std::clamp(repeatCount - 1, 0, 0xFFFF)));
    out.Byte(0);
}

void WriteControlExtension(Writer& out, const CRasterImage& image, int disposal)
{
    const bool transparent = image.GetTransIndex() >= 0;
    out.Byte(kExtension);
    out.Byte(kControlLabel);
    out.Byte(4);
    out.Byte(static_cast<BYTE>(((disposal & 7) << 2) | (transparent ? 1 : 0)));
    out.Word(std::min<DWORD>(image.GetAnimationDelay(), kMaxDelay));
    out.Byte(transparent ? static_cast<BYTE>(image.GetTransIndex()) : kNoTransparency);
    out.Byte(0);
}

void WriteComment(Writer& out, const std::string& comment)
{
    if (comment.empty())
        return;
    out.Byte(kExtension);
    out.Byte(kCommentLabel);
    out.Byte(static_cast<BYTE>(comment.size()));
    out.Bytes(comment.data(), comment.size());
    out.Byte(0);
}

void WriteImage(Writer& out, const CRasterImage& image, bool localColorTable)
{
    out.Byte(kImageSeparator);
    out.Word(0); // left
    out.Word(0); // top
    out.Word(image.GetWidth());
    out.Word(image.GetHeight());
    if (localColorTable)
    {
        out.Byte(static_cast<BYTE>(0x80 | (image.GetBpp() - 1)));
        out.ColorTable(image);
    }
    else
    {
        out.Byte(0);
    }
    const int minimumCodeSize = std::max<int>(2, static_cast<int>(image.GetBpp()));
    out.Byte(static_cast<BYTE>(minimumCodeSize));
    LzwEncoder(out, minimumCodeSize).Encode(image);
    out.Byte(0);
    out.Flush();
}
} // namespace

CRasterImageGIF::CRasterImageGIF() : CRasterImage(kTypeGIF)
{
}

void CRasterImageGIF::SetCommentText(const char* text)
{
    if (text)
        m_comment.assign(text, strnlen(text, kMaxComment));
}

bool CRasterImageGIF::EncodeAnimationToFile(FILE* stream, const CRasterImage* const* images,
                                            int imageCount, bool localColorTables)
{
    if (!stream)
    {
        SetLastError("invalid file pointer");
        return false;
    }
    CxIOFile file(stream);
    return EncodeAnimation(&file, images, imageCount, localColorTables);
}

bool CRasterImageGIF::EncodeAnimation(CxFile* file, const CRasterImage* const* images,
                                      int imageCount, bool localColorTables)
{
    if (!file)
    {
        SetLastError("invalid file pointer");
        return false;
    }
    // Every image is checked before the first byte, so a refused sequence leaves no partial file.
    if (!CheckImages(images, imageCount))
        return false;

    Writer out(*file);
    const CRasterImage& first = *images[0];
    WriteScreen(out, first);
    if (m_repeatCount != 1)
        WriteLoopBlock(out, m_repeatCount);
    for (int i = 0; i < imageCount && out.Ok(); ++i)
    {
        WriteControlExtension(out, *images[i], m_disposal);
        if (i == 0)
            WriteComment(out, m_comment);
        // The first image always uses the global colour table, which is its own palette.
        WriteImage(out, *images[i], i > 0 && localColorTables);
    }
    out.Byte(kTrailer);
    out.Flush();
    if (!out.Ok())
    {
        SetLastError("error writing the GIF file");
        return false;
    }
    return true;
}

bool CRasterImageGIF::CheckImages(const CRasterImage* const* images, int imageCount)
{
    if (!images || imageCount <= 0 || !images[0])
    {
        SetLastError("multipage GIF, no images!");
        return false;
    }
    for (int i = 0; i < imageCount; ++i)
    {
        const CRasterImage* image = images[i];
        if (!image || !image->IsValid())
        {
            SetLastError("Bad image pointer");
            return false;
        }
        if (image->GetBpp() > 8)
        {
            SetLastError("GIF images need 8 bits per pixel or fewer");
            return false;
        }
        if (image->GetWidth() > kMaxGifSide || image->GetHeight() > kMaxGifSide)
        {
            SetLastError("GIF images are at most 65535 pixels wide and high");
            return false;
        }
    }
    return true;
}

LzwEncoder::LzwEncoder(Writer& out, int minimumCodeSize)
    : m_out(out), m_initialBits(minimumCodeSize + 1), m_clearCode(1 << minimumCodeSize),
      m_endCode(m_clearCode + 1), m_bits(m_initialBits), m_maxCode((1 << m_initialBits) - 1),
      m_nextCode(m_clearCode + 2), m_keys(kHashSize, -1), m_codes(kHashSize, 0)
{
}

void LzwEncoder::Encode(const CRasterImage& image)
{
    const long width = static_cast<long>(image.GetWidth());
    const long height = static_cast<long>(image.GetHeight());
    Output(m_clearCode);
    // Rows from the top of the picture, which is the last stored row.
    int prefix = image.GetPixelIndex(0, height - 1);
    bool first = true;
    for (long y = height - 1; y >= 0; --y)
    {
        for (long x = 0; x < width; ++x)
        {
            if (first)
            {
                first = false;
                continue;
            }
            const int pixel = image.GetPixelIndex(x, y);
            const long key = (static_cast<long>(pixel) << kMaxBits) + prefix;
            int slot = (pixel << 4) ^ prefix;
            if (m_keys[slot] != key && m_keys[slot] >= 0)
            {
                const int step = slot == 0 ? 1 : kHashSize - slot;
                do
                {
                    slot -= step;
                    if (slot < 0)
                        slot += kHashSize;
                } while (m_keys[slot] != key && m_keys[slot] >= 0);
            }
            if (m_keys[slot] == key)
            {
                prefix = m_codes[slot];
                continue;
            }
            Output(prefix);
            if (m_nextCode < kMaxCodes)
            {
                m_codes[slot] = m_nextCode++;
                m_keys[slot] = key;
            }
            else
            {
                ClearTable();
            }
            prefix = pixel;
        }
    }
    Output(prefix);
    Output(m_endCode);
    while (m_accumulatedBits > 0)
    {
        m_packet[m_packetSize++] = static_cast<BYTE>(m_accumulator);
        m_accumulator >>= 8;
        m_accumulatedBits -= 8;
        if (m_packetSize == kMaxPacket)
            FlushPacket();
    }
    FlushPacket();
}

void LzwEncoder::ClearTable()
{
    std::fill(m_keys.begin(), m_keys.end(), -1);
    m_nextCode = m_clearCode + 2;
    m_clearFlag = true;
    Output(m_clearCode);
}

void LzwEncoder::Output(int code)
{
    m_accumulator |= static_cast<uint32_t>(code) << m_accumulatedBits;
    m_accumulatedBits += m_bits;
    while (m_accumulatedBits >= 8)
    {
        m_packet[m_packetSize++] = static_cast<BYTE>(m_accumulator);
        m_accumulator >>= 8;
        m_accumulatedBits -= 8;
        if (m_packetSize == kMaxPacket)
            FlushPacket();
    }
    if (m_nextCode > m_maxCode || m_clearFlag)
    {
        if (m_clearFlag)
        {
            m_bits = m_initialBits;
            m_maxCode = (1 << m_bits) - 1;
            m_clearFlag = false;
        }
        else
        {
            ++m_bits;
            m_maxCode = m_bits == kMaxBits ? kMaxCodes : (1 << m_bits) - 1;
        }
    }
}

void LzwEncoder::FlushPacket()
{
    if (m_packetSize == 0)
        return;
    m_out.Byte(static_cast<BYTE>(m_packetSize));
    m_out.Bytes(m_packet.data(), static_cast<size_t>(m_packetSize));
    m_packetSize = 0;
}
