#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// A raw body: the tag of a code without a class of its own, and the base of the tags whose
// body is kept as it stands.
class C_SWF_Tag_Unknown : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    std::vector<uint8_t> data;
};
