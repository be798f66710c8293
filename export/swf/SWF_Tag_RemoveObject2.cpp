#include "export/swf/SWF_Tag_RemoveObject2.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_RemoveObject2::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(depth);
}
