#pragma once

#include "export/swf/AS_ActionRecord.h"
#include "export/swf/SWF_Records.h"

#include <cstdint>

// Loads a URL into a target.
class C_AS_ActionGetURL : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t length = 0;
    C_SWF_String urlString;
    C_SWF_String targetString;
};
