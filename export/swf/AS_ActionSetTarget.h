#pragma once

#include "export/swf/AS_ActionRecord.h"
#include "export/swf/SWF_Records.h"

#include <cstdint>

// Makes the named clip the target of the actions that follow.
class C_AS_ActionSetTarget : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    C_SWF_String targetName;
};
