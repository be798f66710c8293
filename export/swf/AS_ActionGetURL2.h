#pragma once

#include "export/swf/AS_ActionRecord.h"
#include "export/swf/SWF_Records.h"

#include <cstdint>

// Loads the URL named on the stack.
class C_AS_ActionGetURL2 : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    C_SWF_BitField sendVarsMethod, reserved, loadTargetFlag, loadVariablesFlag;
};
