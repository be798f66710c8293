#include "export/swf/AS_ActionDefineFunction.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionDefineFunction::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeString(functionName);
    if (stream.IsWriting())
    {
        if (params.size() > INT16_MAX)
        {
            stream.Fail("a list is too long for its count field");
            return;
        }
        numParams = static_cast<int16_t>(params.size());
    }
    stream.SerializeSI16(numParams);
    stream.SerializeList(params, numParams > 0 ? numParams : 0, 8,
                         [&](C_SWF_String& text) { stream.SerializeString(text); });
    stream.SerializeSI16(codeSize);
}
