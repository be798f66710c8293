#pragma once

#include "export/swf/AS_ActionRecord.h"
#include "export/swf/SWF_Records.h"

#include <vector>
#include <cstdint>

// Defines the constants that Push values refer to.
class C_AS_ActionConstantPool : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    uint16_t count = 0;
    std::vector<C_SWF_String> constants;
};
