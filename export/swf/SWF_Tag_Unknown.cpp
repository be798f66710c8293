#include "export/swf/SWF_Tag_Unknown.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_Unknown::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeBytes(data, BodyBytesLeft(stream, stream.GetBytePosition()));
}
