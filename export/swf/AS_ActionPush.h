#pragma once

#include "export/swf/AS_ActionRecord.h"
#include "export/swf/SWF_Records.h"

#include <cstdint>
#include <vector>

// One pushed value; its type decides which of the fields it uses.
struct C_AS_PushValue
{
    uint8_t type = 0;
    C_SWF_String string;       // 0
    uint8_t byteValue = 0;     // 4 register, 5 boolean, 8 constant index
    uint16_t wordValue = 0;    // 9 constant index
    uint32_t firstWord = 0;    // 1 float bits, 7 integer, 6 first word of a double
    uint32_t secondWord = 0;   // 6 second word of a double
};

class C_AS_ActionPush : public C_AS_ActionRecord
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    // The values fill exactly length bytes.
    uint16_t length = 0;
    std::vector<C_AS_PushValue> values;

private:
    static void SerializeValue(C_SWF_BitStream& stream, C_AS_PushValue& value);
};
