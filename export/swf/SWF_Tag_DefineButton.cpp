#include "export/swf/SWF_Tag_DefineButton.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineButton::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(buttonId);
    stream.SerializeEndFlagList(characters, characterEndFlag,
                                [&](C_SWF_ButtonRecord& record) { stream.SerializeButtonRecord(record, 1); });
    stream.SerializeActionList(actions, actionEndFlag);
}
