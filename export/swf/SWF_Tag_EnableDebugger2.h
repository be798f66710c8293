#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// Enables debugging; a reserved word, then the raw password hash.
class C_SWF_Tag_EnableDebugger2 : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t reserved = 0;
    std::vector<uint8_t> data;
};
