#pragma once

#include "export/swf/AS_ActionRecord.h"
#include "export/swf/SWF_Records.h"

#include <vector>
#include <cstdint>

// Defines a function; its body follows as further records of the same list.
class C_AS_ActionDefineFunction : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    C_SWF_String functionName;
    int16_t numParams = 0;
    std::vector<C_SWF_String> params;
    int16_t codeSize = 0;
};
