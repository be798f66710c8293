#include "export/swf/AS_ActionSetTarget.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionSetTarget::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeString(targetName);
}
