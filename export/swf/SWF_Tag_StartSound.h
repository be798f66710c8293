#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// Starts or stops an event sound.
class C_SWF_Tag_StartSound : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t soundId = 0;
    C_SWF_SoundInfo soundInfo;
};
