#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// An event sound: format fields and raw sample data.
class C_SWF_Tag_DefineSound : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t soundId = 0;
    C_SWF_BitField soundFormat, soundRate, soundSize, soundType;
    uint32_t soundSampleCount = 0;
    std::vector<uint8_t> soundData;
};
