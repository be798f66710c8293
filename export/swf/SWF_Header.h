#pragma once

#include "export/swf/SWF_Records.h"

#include <cstdint>

class C_SWF_BitStream;

// The SWF file header. Reading accepts only uncompressed files ("FWS") whose declared length
// the data can hold.
class C_SWF_Header
{
public:
    void Serialize(C_SWF_BitStream& stream);

    uint8_t signature[3] = {};
    uint8_t version = 0;
    uint32_t fileLength = 0;
    C_SWF_Rect frameSize;
    // 8.8 fixed point, frames per second.
    uint16_t frameRate = 0;
    uint16_t frameCount = 0;
};
