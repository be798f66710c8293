#include "export/swf/AS_ActionConstantPool.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionConstantPool::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeCount16(count, constants.size());
    stream.SerializeList(constants, count, 8, [&](C_SWF_String& text) { stream.SerializeString(text); });
}
