#pragma once

#include "export/swf/SWF_Tag.h"

#include <cstdint>

// The tab order of the object at a depth.
class C_SWF_Tag_SetTabIndex : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t depth = 0;
    uint16_t tabIndex = 0;
};
