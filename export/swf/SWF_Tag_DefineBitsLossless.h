#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// DefineBitsLossless; DefineBitsLossless2 has the same body.
class C_SWF_Tag_DefineBitsLossless : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    uint8_t bitmapFormat = 0;
    uint16_t bitmapWidth = 0;
    uint16_t bitmapHeight = 0;
    // Only for colour-mapped images (format 3).
    uint8_t bitmapColorTableSize = 0;
    // Kept compressed.
    std::vector<uint8_t> data;
};
