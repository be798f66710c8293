#include "export/swf/SWF_Tag_SetBackgroundColor.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_SetBackgroundColor::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeRGB(backgroundColor);
}
