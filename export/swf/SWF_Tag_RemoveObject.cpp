#include "export/swf/SWF_Tag_RemoveObject.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_RemoveObject::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(characterId);
    stream.SerializeUI16(depth);
}
