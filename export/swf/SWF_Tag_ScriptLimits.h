#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>

// Limits for the action interpreter.
class C_SWF_Tag_ScriptLimits : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t maxRecursionDepth = 0;
    uint16_t scriptTimeoutSeconds = 0;
};
