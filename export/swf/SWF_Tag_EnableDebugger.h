#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// Raw body.
class C_SWF_Tag_EnableDebugger : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    std::vector<uint8_t> data;
};
