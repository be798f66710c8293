#pragma once

#include "export/swf/AS_ActionRecord.h"

#include <cstdint>

// Goes to a frame by index.
class C_AS_ActionGotoFrame : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    uint16_t frame = 0;
};
