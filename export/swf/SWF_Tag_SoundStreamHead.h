#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// SoundStreamHead; SoundStreamHead2 has the same body.
class C_SWF_Tag_SoundStreamHead : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    C_SWF_BitField reserved, playbackSoundRate, playbackSoundSize, playbackSoundType;
    C_SWF_BitField streamSoundCompression, streamSoundRate, streamSoundSize, streamSoundType;
    uint16_t streamSoundSampleCount = 0;
    // Only for MP3 streams.
    int16_t latencySeek = 0;
};
