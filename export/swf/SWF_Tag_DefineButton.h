#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// A button: its character records, then the actions run when it is clicked.
class C_SWF_Tag_DefineButton : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t buttonId = 0;
    std::vector<C_SWF_ButtonRecord> characters;
    uint8_t characterEndFlag = 0;
    std::vector<C_SWF_ActionRecord> actions;
    uint8_t actionEndFlag = 0;
};
