#include "export/swf/SWF_Tag_DoAction.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DoAction::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeActionList(actions, actionEndFlag);
}
