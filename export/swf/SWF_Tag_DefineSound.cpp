#include "export/swf/SWF_Tag_DefineSound.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineSound::Serialize(C_SWF_BitStream& stream)
{
    const uint32_t bodyStart = stream.GetBytePosition();
    stream.SerializeUI16(soundId);
    stream.SerializeUB(soundFormat, 4);
    stream.SerializeUB(soundRate, 2);
    stream.SerializeUB(soundSize, 1);
    stream.SerializeUB(soundType, 1);
    stream.SerializeUI32(soundSampleCount);
    stream.SerializeBytes(soundData, BodyBytesLeft(stream, bodyStart));
}
