#include "export/swf/AS_ActionIf.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionIf::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeSI16(branchOffset);
}
