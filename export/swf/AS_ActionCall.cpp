#include "export/swf/AS_ActionCall.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionCall::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
}
