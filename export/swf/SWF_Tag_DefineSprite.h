#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// A movie clip with its own frames.
class C_SWF_Tag_DefineSprite : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t spriteId = 0;
    uint16_t frameCount = 0;
    // The sprite's own tags, kept unparsed.
    std::vector<uint8_t> controlTags;
};
