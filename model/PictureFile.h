#pragma once
// Picture files read for Insert Bitmap. The file's own header is checked before the platform
// decodes anything, since its decoders take time and memory in proportion to the size a header
// claims, whatever the file holds.
#include "model/FlashBitmap.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

class CPictureFile {
public:
    // A picture within the bitmap shapes' pixel budget takes at most 8 bytes a pixel, in a
    // 16-bit-per-channel file left uncompressed: 16 MB, with room to spare for what files carry
    // beside.
    static constexpr std::size_t kMostBytes = std::size_t(64) << 20;
    // An animation or an icon is decoded whole, though only its first picture is inserted.
    static constexpr std::uint64_t kMostDecodedPixels = 16 * CFlashBitmap::kMostPixels;

    // The picture (BMP, PNG, GIF, JPEG, TIFF or ICO) as a device bitmap the caller frees; null
    // when the file cannot be read, is no such picture, claims a size its bytes cannot hold, or
    // is over the bitmap shapes' pixel budget.
    static HBITMAP Load(const char* path);
};
