#include "export/swf/SWF_Tag_ScriptLimits.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_ScriptLimits::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(maxRecursionDepth);
    stream.SerializeUI16(scriptTimeoutSeconds);
}
