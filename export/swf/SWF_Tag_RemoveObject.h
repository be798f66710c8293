#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>

// Removes a character from a depth.
class C_SWF_Tag_RemoveObject : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    uint16_t depth = 0;
};
