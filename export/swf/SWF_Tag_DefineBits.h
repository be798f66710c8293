#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// JPEG image data that uses the JPEGTables of the movie.
class C_SWF_Tag_DefineBits : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    std::vector<uint8_t> data;
};
