#include "export/swf/AS_ActionGetURL2.h"

#include "export/swf/SWF_BitStream.h"

void C_AS_ActionGetURL2::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    stream.SerializeUB(sendVarsMethod, 2);
    stream.SerializeUB(reserved, 4);
    stream.SerializeUB(loadTargetFlag, 1);
    stream.SerializeUB(loadVariablesFlag, 1);
}
