#include "export/swf/AS_ActionGoToLabel.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionGoToLabel::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeString(label);
}
