#include "export/swf/SWF_Tag_DefineButtonCxform.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineButtonCxform::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(buttonId);
    stream.SerializeCXForm(buttonColorTransform);
}
