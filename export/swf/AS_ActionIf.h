#pragma once

#include "export/swf/AS_ActionRecord.h"

#include <cstdint>

// Branches when the value on the stack is true.
class C_AS_ActionIf : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    int16_t branchOffset = 0;
};
