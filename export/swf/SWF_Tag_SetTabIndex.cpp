#include "export/swf/SWF_Tag_SetTabIndex.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_SetTabIndex::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(depth);
    stream.SerializeUI16(tabIndex);
}
