#pragma once

#include "export/swf/AS_ActionRecord.h"

#include <cstdint>

// Branches unconditionally.
class C_AS_ActionJump : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    int16_t branchOffset = 0;
};
