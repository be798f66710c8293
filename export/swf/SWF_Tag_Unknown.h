#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// A tag of a code without a class of its own, kept as its raw body.
class C_SWF_Tag_Unknown : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    std::vector<uint8_t> data;
};
