#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// The sounds a DefineButton plays on its four state transitions.
class C_SWF_Tag_DefineButtonSound : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    static constexpr int kStateCount = 4;

    uint16_t buttonId = 0;
    // Idle, over-up, over-down and over-up-to-idle, in this order; no sound info when the
    // character is 0.
    uint16_t buttonSoundChar[kStateCount] = {};
    C_SWF_SoundInfo buttonSoundInfo[kStateCount];
};
