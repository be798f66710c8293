#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// A JPEG image with an alpha channel.
class C_SWF_Tag_DefineBitsJPEG3 : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    // Written as the size of imageData.
    uint32_t alphaDataOffset = 0;
    std::vector<uint8_t> imageData;
    std::vector<uint8_t> bitmapAlphaData;
};
