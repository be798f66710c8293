#include "export/swf/SWF_Tag_DefineSprite.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineSprite::Serialize(C_SWF_BitStream& stream)
{
    const uint32_t bodyStart = stream.GetBytePosition();
    stream.SerializeUI16(spriteId);
    stream.SerializeUI16(frameCount);
    stream.SerializeBytes(controlTags, BodyBytesLeft(stream, bodyStart));
}
