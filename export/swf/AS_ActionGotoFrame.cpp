#include "export/swf/AS_ActionGotoFrame.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionGotoFrame::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeUI16(frame);
}
