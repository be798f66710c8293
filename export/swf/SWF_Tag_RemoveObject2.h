#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>

// Removes whatever is at a depth.
class C_SWF_Tag_RemoveObject2 : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t depth = 0;
};
