#include "export/swf/SWF_Tag_PlaceObject.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_PlaceObject::Serialize(C_SWF_BitStream& stream)
{
    const uint32_t bodyStart = stream.GetBytePosition();
    stream.SerializeUI16(characterId);
    stream.SerializeUI16(depth);
    stream.SerializeMatrix(matrix);
    if (stream.IsReading())
        hasColorTransform = BodyBytesLeft(stream, bodyStart) > 0;
    if (hasColorTransform)
        stream.SerializeCXForm(colorTransform);
}
