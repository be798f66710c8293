#pragma once

#include <cstdint>
#include <memory>

class C_SWF_BitStream;

// Base of the ActionScript actions: moves the action's fields (everything after its code)
// through the stream in the stream's direction.
class C_AS_ActionRecord
{
public:
    virtual ~C_AS_ActionRecord() = default;
    virtual void Serialize(C_SWF_BitStream& stream);
};

// One element of an action list: the code and the action object made for it.
struct C_SWF_ActionRecord
{
    uint8_t actionCode = 0;
    std::unique_ptr<C_AS_ActionRecord> action;

    // The action object for a supported code, or null.
    static std::unique_ptr<C_AS_ActionRecord> CreateAction(uint8_t code);
};
