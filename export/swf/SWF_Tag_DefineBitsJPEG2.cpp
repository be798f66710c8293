#include "export/swf/SWF_Tag_DefineBitsJPEG2.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineBitsJPEG2::Serialize(C_SWF_BitStream& stream)
{
    const uint32_t bodyStart = stream.GetBytePosition();
    stream.SerializeUI16(characterId);
    stream.SerializeBytes(data, BodyBytesLeft(stream, bodyStart));
}
