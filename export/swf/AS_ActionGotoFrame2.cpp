#include "export/swf/AS_ActionGotoFrame2.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionGotoFrame2::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeUB(reserved, 6);
    stream.SerializeUB(sceneBiasFlag, 1);
    stream.SerializeUB(playFlag, 1);
    if (sceneBiasFlag.value)
        stream.SerializeUI16(sceneBias);
}
