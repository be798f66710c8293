#include "export/swf/AS_ActionGetURL.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionGetURL::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeString(urlString);
    stream.SerializeString(targetString);
}
