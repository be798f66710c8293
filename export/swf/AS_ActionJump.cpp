#include "export/swf/AS_ActionJump.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionJump::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeSI16(branchOffset);
}
