#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// Actions run when the frame is shown.
class C_SWF_Tag_DoAction : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    std::vector<C_SWF_ActionRecord> actions;
    uint8_t actionEndFlag = 0;
};
