#include "export/swf/SWF_Tag_FrameLabel.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_FrameLabel::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeString(name);
}
