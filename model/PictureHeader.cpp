#include "model/PictureHeader.h"

#include <cstring>
#include <limits>

namespace {

using Offset = std::uint64_t;

// Bounded reads of little- or big-endian numbers.
class CBytes {
public:
    CBytes(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Size() const { return m_size; }
    bool Has(Offset at, Offset count) const { return at <= m_size && count <= m_size - at; }
    bool Matches(Offset at, const char* text, std::size_t length) const
    {
        return Has(at, length) && std::memcmp(m_data + at, text, length) == 0;
    }
    // Callers check Has first.
    std::uint8_t Byte(Offset at) const { return m_data[at]; }
    std::uint16_t Le16(Offset at) const { return std::uint16_t(Byte(at) | Byte(at + 1) << 8); }
    std::uint32_t Le32(Offset at) const { return std::uint32_t(Le16(at)) | std::uint32_t(Le16(at + 2)) << 16; }
    std::uint16_t Be16(Offset at) const { return std::uint16_t(Byte(at) << 8 | Byte(at + 1)); }
    std::uint32_t Be32(Offset at) const { return std::uint32_t(Be16(at)) << 16 | Be16(at + 2); }
    // The part from at on, count bytes long.
    CBytes Part(Offset at, Offset count) const { return CBytes(m_data + at, std::size_t(count)); }

private:
    const unsigned char* m_data;
    std::size_t m_size;
};

bool Finish(std::uint64_t width, std::uint64_t height, CPictureSize& picture)
{
    if (width == 0 || height == 0 || width > std::numeric_limits<std::uint32_t>::max()
        || height > std::numeric_limits<std::uint32_t>::max())
        return false;
    picture.width = std::uint32_t(width);
    picture.height = std::uint32_t(height);
    picture.decodedPixels = width * height;
    return true;
}

// ---- Device-independent bitmaps: the clipboard's, a BMP file's and an icon's.

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kHeaderSizes[] = {kCoreHeaderSize, kInfoHeaderSize, 52, 56, 108, 124};
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr Offset kBitFieldMasksSize = 12;

struct CDibHeader {
    std::uint32_t headerSize = 0;
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t imageSize = 0;
    // Header, colour masks and colour table: where a packed bitmap's pixels start.
    Offset tableEnd = 0;
};

bool IsKnownHeaderSize(std::uint32_t size)
{
    for (const std::uint32_t known : kHeaderSizes)
        if (size == known)
            return true;
    return false;
}

bool ReadDibHeader(const CBytes& bytes, CDibHeader& dib)
{
    if (!bytes.Has(0, 4))
        return false;
    dib.headerSize = bytes.Le32(0);
    if (!IsKnownHeaderSize(dib.headerSize) || !bytes.Has(0, dib.headerSize))
        return false;
    Offset colors = 0;
    Offset colorSize = 4;
    if (dib.headerSize == kCoreHeaderSize) {
        dib.width = bytes.Le16(4);
        dib.height = bytes.Le16(6);
        if (bytes.Le16(8) != 1)
            return false;
        dib.bitCount = bytes.Le16(10);
        if (dib.bitCount != 1 && dib.bitCount != 4 && dib.bitCount != 8 && dib.bitCount != 24)
            return false;
        colors = dib.bitCount <= 8 ? Offset(1) << dib.bitCount : 0;
        colorSize = 3;
    } else {
        const auto width = std::int32_t(bytes.Le32(4));
        const auto height = std::int32_t(bytes.Le32(8));
        if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min() || bytes.Le16(12) != 1)
            return false;
        dib.width = std::uint64_t(width);
        dib.height = std::uint64_t(height < 0 ? -std::int64_t(height) : height);
        dib.bitCount = bytes.Le16(14);
        dib.compression = bytes.Le32(16);
        dib.imageSize = bytes.Le32(20);
        const std::uint32_t used = bytes.Le32(32);
        const std::uint32_t bits = dib.bitCount;
        const bool rle = dib.compression == kRle8 || dib.compression == kRle4;
        const bool valid = (dib.compression == kRgb && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32))
                           || (dib.compression == kRle8 && bits == 8) || (dib.compression == kRle4 && bits == 4)
                           || (dib.compression == kBitFields && (bits == 16 || bits == 32));
        // Run-length pixels go bottom up only.
        if (!valid || (rle && height < 0))
            return false;
        if (bits <= 8) {
            if (used > (1u << bits))
                return false;
            colors = used != 0 ? used : Offset(1) << bits;
        } else {
            colors = used;
        }
        if (dib.compression == kBitFields && dib.headerSize == kInfoHeaderSize)
            dib.tableEnd += kBitFieldMasksSize;
    }
    dib.tableEnd += dib.headerSize + colors * colorSize;
    return bytes.Has(0, dib.tableEnd);
}

// The bytes of rows of the width at the bit count, each row in whole 32-bit words.
Offset RowBytes(std::uint64_t width, std::uint32_t bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

// Whether the rows fit in the bytes available, without overflowing on the way.
bool RowsFit(std::uint64_t rows, Offset rowBytes, Offset available)
{
    return rows <= available / rowBytes;
}

// Whether pixels of the header's claim fit between the pixels' start and the block's end.
bool PixelsFit(const CDibHeader& dib, Offset available)
{
    if (dib.compression == kRle8 || dib.compression == kRle4)
        return dib.imageSize <= available;
    return RowsFit(dib.height, RowBytes(dib.width, dib.bitCount), available);
}

bool ReadDib(const CBytes& bytes, Offset bitsAt, CPictureSize& picture)
{
    CDibHeader dib;
    if (!ReadDibHeader(bytes, dib) || bitsAt < dib.tableEnd || bitsAt > bytes.Size())
        return false;
    return PixelsFit(dib, bytes.Size() - bitsAt) && Finish(dib.width, dib.height, picture);
}

// An icon's bitmap: its header counts the rows of the colour pixels and the mask beneath.
bool ReadIconDib(const CBytes& bytes, CPictureSize& picture)
{
    CDibHeader dib;
    if (!ReadDibHeader(bytes, dib) || dib.compression != kRgb || dib.height % 2 != 0)
        return false;
    const std::uint64_t rows = dib.height / 2;
    const Offset rowBytes = RowBytes(dib.width, dib.bitCount) + RowBytes(dib.width, 1);
    return RowsFit(rows, rowBytes, bytes.Size() - dib.tableEnd) && Finish(dib.width, rows, picture);
}

// ---- BMP: a file header, then the bitmap with its pixels where the file header says.

constexpr Offset kBmpFileHeaderSize = 14;

bool ReadBmp(const CBytes& bytes, CPictureSize& picture)
{
    if (!bytes.Has(0, kBmpFileHeaderSize))
        return false;
    const Offset bitsAt = bytes.Le32(10);
    if (bitsAt < kBmpFileHeaderSize)
        return false;
    const CBytes dib = bytes.Part(kBmpFileHeaderSize, bytes.Size() - kBmpFileHeaderSize);
    return ReadDib(dib, bitsAt - kBmpFileHeaderSize, picture);
}

// ---- PNG: the signature, then the IHDR chunk.

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kPngSignatureSize = 8;
constexpr std::uint32_t kPngHeaderLength = 13;

bool IsPngDepth(std::uint8_t colorType, std::uint8_t depth)
{
    switch (colorType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
    }
}

bool ReadPng(const CBytes& bytes, CPictureSize& picture)
{
    const Offset header = kPngSignatureSize + 8;
    if (!bytes.Has(0, header + kPngHeaderLength) || bytes.Be32(kPngSignatureSize) != kPngHeaderLength
        || !bytes.Matches(kPngSignatureSize + 4, "IHDR", 4))
        return false;
    const std::uint32_t width = bytes.Be32(header);
    const std::uint32_t height = bytes.Be32(header + 4);
    const std::uint32_t most = std::numeric_limits<std::int32_t>::max();
    if (width > most || height > most || !IsPngDepth(bytes.Byte(header + 9), bytes.Byte(header + 8))
        || bytes.Byte(header + 10) != 0 || bytes.Byte(header + 11) != 0 || bytes.Byte(header + 12) > 1)
        return false;
    return Finish(width, height, picture);
}

// ---- GIF: the logical screen, then every frame, all of which the platform decodes.

constexpr Offset kGifScreenEnd = 13;
constexpr std::uint8_t kGifExtension = 0x21;
constexpr std::uint8_t kGifImage = 0x2C;
constexpr std::uint8_t kGifTrailer = 0x3B;
constexpr std::uint8_t kGifColorTableFlag = 0x80;

Offset GifColorTableSize(std::uint8_t flags)
{
    return (flags & kGifColorTableFlag) != 0 ? 3 * (Offset(2) << (flags & 7)) : 0;
}

// Past a run of data sub-blocks, each a length byte and as many bytes, up to a zero length.
bool SkipGifSubBlocks(const CBytes& bytes, Offset& at)
{
    while (bytes.Has(at, 1)) {
        const std::uint8_t length = bytes.Byte(at);
        at += 1 + Offset(length);
        if (length == 0)
            return true;
    }
    return false;
}

bool ReadGif(const CBytes& bytes, CPictureSize& picture)
{
    if (!bytes.Has(0, kGifScreenEnd))
        return false;
    const std::uint32_t width = bytes.Le16(6);
    const std::uint32_t height = bytes.Le16(8);
    Offset at = kGifScreenEnd + GifColorTableSize(bytes.Byte(10));
    std::uint64_t decoded = 0;
    while (bytes.Has(at, 1) && bytes.Byte(at) != kGifTrailer) {
        const std::uint8_t block = bytes.Byte(at);
        if (block == kGifExtension) {
            at += 2;
        } else if (block == kGifImage && bytes.Has(at, 11)) {
            const std::uint32_t left = bytes.Le16(at + 1), top = bytes.Le16(at + 3);
            const std::uint32_t frameWidth = bytes.Le16(at + 5), frameHeight = bytes.Le16(at + 7);
            // A frame outside the logical screen is damage: the decoder would make it whole.
            if (left + frameWidth > width || top + frameHeight > height)
                return false;
            decoded += std::uint64_t(frameWidth) * frameHeight;
            // The frame's colour table, then the code size byte before the picture's blocks.
            at += 10 + GifColorTableSize(bytes.Byte(at + 9)) + 1;
        } else {
            return false;
        }
        if (!SkipGifSubBlocks(bytes, at))
            return false;
    }
    if (decoded == 0 || !Finish(width, height, picture))
        return false;
    picture.decodedPixels = decoded;
    return true;
}

// ---- JPEG: markers up to the first start of frame.

constexpr std::uint8_t kJpegMarker = 0xFF;
constexpr std::uint8_t kJpegStartOfImage = 0xD8;
constexpr std::uint8_t kJpegEndOfImage = 0xD9;
constexpr std::uint8_t kJpegStartOfScan = 0xDA;
constexpr std::uint8_t kJpegTemporary = 0x01;
constexpr std::uint8_t kJpegFirstRestart = 0xD0;
constexpr std::uint8_t kJpegLastRestart = 0xD7;
constexpr std::uint8_t kJpegMostComponents = 4;

bool IsStartOfFrame(std::uint8_t marker)
{
    // C4 defines Huffman tables, C8 is reserved and CC defines arithmetic conditioning.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool ReadJpeg(const CBytes& bytes, CPictureSize& picture)
{
    Offset at = 2;
    while (bytes.Has(at, 2)) {
        if (bytes.Byte(at) != kJpegMarker)
            return false;
        const std::uint8_t marker = bytes.Byte(at + 1);
        at += 2;
        if (marker == kJpegMarker) {
            --at; // fill byte before a marker
            continue;
        }
        if (marker == kJpegTemporary || (marker >= kJpegFirstRestart && marker <= kJpegLastRestart))
            continue;
        if (marker == kJpegStartOfImage || marker == kJpegEndOfImage || marker == kJpegStartOfScan)
            return false; // no frame before the picture data
        if (!bytes.Has(at, 2))
            return false;
        const std::uint16_t length = bytes.Be16(at);
        if (length < 2 || !bytes.Has(at, length))
            return false;
        if (IsStartOfFrame(marker)) {
            if (length < 8)
                return false;
            const std::uint8_t components = bytes.Byte(at + 7);
            if (components == 0 || components > kJpegMostComponents || length < 8 + 3 * components)
                return false;
            return Finish(bytes.Be16(at + 5), bytes.Be16(at + 3), picture);
        }
        at += length;
    }
    return false;
}

// ---- TIFF: the first image file directory, every entry's data inside the file.

constexpr std::uint16_t kTiffImageWidth = 256;
constexpr std::uint16_t kTiffImageLength = 257;
constexpr std::uint16_t kTiffShort = 3;
constexpr std::uint16_t kTiffLong = 4;
constexpr Offset kTiffEntrySize = 12;
constexpr Offset kTiffInlineData = 4;

// The bytes of one value of the entry type; types this reader does not know count one byte.
Offset TiffTypeSize(std::uint16_t type)
{
    switch (type) {
    case 3:
    case 8: return 2;
    case 4:
    case 9:
    case 11:
    case 13: return 4;
    case 5:
    case 10:
    case 12: return 8;
    default: return 1;
    }
}

bool ReadTiff(const CBytes& bytes, bool bigEndian, CPictureSize& picture)
{
    const auto u16 = [&](Offset at) { return bigEndian ? bytes.Be16(at) : bytes.Le16(at); };
    const auto u32 = [&](Offset at) { return bigEndian ? bytes.Be32(at) : bytes.Le32(at); };
    if (!bytes.Has(0, 8))
        return false;
    const Offset directory = u32(4);
    if (!bytes.Has(directory, 2))
        return false;
    const Offset count = u16(directory);
    if (count == 0 || !bytes.Has(directory + 2, count * kTiffEntrySize + 4))
        return false;
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    for (Offset i = 0; i < count; ++i) {
        const Offset entry = directory + 2 + i * kTiffEntrySize;
        const std::uint16_t tag = u16(entry);
        const std::uint16_t type = u16(entry + 2);
        const Offset values = u32(entry + 4);
        // A count the file cannot hold: the decoder would read, or allocate, that much first.
        const Offset data = values * TiffTypeSize(type);
        if (data > bytes.Size() || (data > kTiffInlineData && !bytes.Has(u32(entry + 8), data)))
            return false;
        if (tag == kTiffImageWidth || tag == kTiffImageLength) {
            if (values != 1 || (type != kTiffShort && type != kTiffLong))
                return false;
            const std::uint64_t value = type == kTiffShort ? u16(entry + 8) : u32(entry + 8);
            (tag == kTiffImageWidth ? width : height) = value;
        }
    }
    return Finish(width, height, picture);
}

// ---- ICO: a directory of bitmaps or PNG pictures, each inside the file.

constexpr Offset kIconDirectorySize = 6;
constexpr Offset kIconEntrySize = 16;
constexpr std::uint16_t kIconType = 1;

bool ReadIcon(const CBytes& bytes, CPictureSize& picture)
{
    if (!bytes.Has(0, kIconDirectorySize) || bytes.Le16(0) != 0 || bytes.Le16(2) != kIconType)
        return false;
    const Offset count = bytes.Le16(4);
    if (count == 0 || !bytes.Has(kIconDirectorySize, count * kIconEntrySize))
        return false;
    std::uint64_t decoded = 0;
    for (Offset i = 0; i < count; ++i) {
        const Offset entry = kIconDirectorySize + i * kIconEntrySize;
        const Offset size = bytes.Le32(entry + 8);
        const Offset at = bytes.Le32(entry + 12);
        if (!bytes.Has(at, size))
            return false;
        const CBytes image = bytes.Part(at, size);
        CPictureSize frame;
        const bool read = image.Matches(0, kPngSignature, kPngSignatureSize) ? ReadPng(image, frame)
                                                                               : ReadIconDib(image, frame);
        if (!read)
            return false;
        if (i == 0)
            picture = frame;
        decoded += frame.decodedPixels;
    }
    picture.decodedPixels = decoded;
    return true;
}

} // namespace

bool ReadPackedDibSize(const unsigned char* dib, std::size_t size, CPictureSize& picture)
{
    const CBytes bytes(dib, size);
    CDibHeader header;
    return ReadDibHeader(bytes, header) && ReadDib(bytes, header.tableEnd, picture);
}

bool ReadPictureFileSize(const unsigned char* file, std::size_t size, CPictureSize& picture)
{
    const CBytes bytes(file, size);
    if (bytes.Matches(0, "BM", 2))
        return ReadBmp(bytes, picture);
    if (bytes.Matches(0, kPngSignature, kPngSignatureSize))
        return ReadPng(bytes, picture);
    if (bytes.Matches(0, "GIF87a", 6) || bytes.Matches(0, "GIF89a", 6))
        return ReadGif(bytes, picture);
    if (bytes.Has(0, 2) && bytes.Byte(0) == kJpegMarker && bytes.Byte(1) == kJpegStartOfImage)
        return ReadJpeg(bytes, picture);
    if (bytes.Matches(0, "II*\0", 4))
        return ReadTiff(bytes, false, picture);
    if (bytes.Matches(0, "MM\0*", 4))
        return ReadTiff(bytes, true, picture);
    return ReadIcon(bytes, picture);
}
