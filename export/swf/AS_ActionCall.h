#pragma once

#include "export/swf/AS_ActionRecord.h"

#include <cstdint>

// Calls the frame named on the stack.
class C_AS_ActionCall : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
};
