#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// A button with colour transforms and actions per state transition.
class C_SWF_Tag_DefineButton2 : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t buttonId = 0;
    C_SWF_BitField reservedFlags, trackAsMenu;
    // From its own position to the first condition action; 0 when there is none.
    uint16_t actionOffset = 0;
    std::vector<C_SWF_ButtonRecord> characters;
    uint8_t characterEndFlag = 0;
    // Each one's CondActionSize leads to the next; the last one's is 0.
    std::vector<C_SWF_ButtonCondAction> actions;
};
