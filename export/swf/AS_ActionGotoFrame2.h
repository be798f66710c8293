#pragma once

#include "export/swf/AS_ActionRecord.h"
#include "export/swf/SWF_Records.h"

#include <cstdint>

// Goes to the frame named on the stack, optionally offset by a scene bias.
class C_AS_ActionGotoFrame2 : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    C_SWF_BitField reserved, sceneBiasFlag, playFlag;
    uint16_t sceneBias = 0;
};
