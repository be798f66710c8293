#include "export/swf/SWF_Tag_SoundStreamHead.h"

#include "export/swf/SWF_BitStream.h"

namespace
{
constexpr int32_t kCompressionMP3 = 2;
}

void C_SWF_Tag_SoundStreamHead::Serialize(C_SWF_BitStream& stream)
{
    stream.AlignBitPosition();
    stream.SerializeUB(reserved, 4);
    stream.SerializeUB(playbackSoundRate, 2);
    stream.SerializeUB(playbackSoundSize, 1);
    stream.SerializeUB(playbackSoundType, 1);
    stream.SerializeUB(streamSoundCompression, 4);
    stream.SerializeUB(streamSoundRate, 2);
    stream.SerializeUB(streamSoundSize, 1);
    stream.SerializeUB(streamSoundType, 1);
    stream.SerializeUI16(streamSoundSampleCount);
    if (streamSoundCompression.value == kCompressionMP3)
        stream.SerializeSI16(latencySeek);
}
