#pragma once
// The size a picture claims in its own header, read without decoding it. The platform's
// decoders take time and memory in proportion to the size claimed, whatever the file holds:
// the editor checks this first, and refuses a header that claims more than its bytes can carry.
#include <cstddef>
#include <cstdint>

struct CPictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // The pixels the platform decodes on loading: an animation's or an icon's every frame,
    // although only the first one is inserted.
    std::uint64_t decodedPixels = 0;
};

// A packed device-independent bitmap of size bytes (header, colour masks and table, pixels),
// as the clipboard holds one. False when the header is damaged, or claims a layout the block
// cannot hold.
bool ReadPackedDibSize(const unsigned char* dib, std::size_t size, CPictureSize& picture);

// A picture file's bytes: BMP, PNG, GIF, JPEG, TIFF or ICO. False for any other file, and for
// a header that is damaged or claims data beyond the file's end.
bool ReadPictureFileSize(const unsigned char* file, std::size_t size, CPictureSize& picture);
