#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// The colour transform of a DefineButton.
class C_SWF_Tag_DefineButtonCxform : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t buttonId = 0;
    C_SWF_ColorTransform buttonColorTransform;
};
