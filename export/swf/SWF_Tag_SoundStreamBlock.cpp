#include "export/swf/SWF_Tag_SoundStreamBlock.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_SoundStreamBlock::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeBytes(data, BodyBytesLeft(stream, stream.GetBytePosition()));
}
