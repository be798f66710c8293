#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// The movie background; its alpha stays 255 and is not moved.
class C_SWF_Tag_SetBackgroundColor : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    C_SWF_RGBA backgroundColor;
};
