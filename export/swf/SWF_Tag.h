#pragma once

#include <cstdint>

class C_SWF_BitStream;

// An SWF tag: its record header fields and, in each subclass, its body. A tag list owns its tags
// and links them through next.
class C_SWF_Tag
{
public:
    // Bodies longer than this need the long record header.
    static constexpr uint32_t kMaxShortLength = 62;

    virtual ~C_SWF_Tag() = default;

    // Moves the body (everything after the record header) in the stream's direction. The base
    // has no body.
    virtual void Serialize(C_SWF_BitStream& stream);

    // Short form: code * 64 + length; long form (length above 62 or longHeader set):
    // code * 64 + 63, then the length as UI32.
    void WriteRecordHeader(C_SWF_BitStream& stream);

    uint16_t tagCode = 0;
    uint32_t length = 0;
    uint8_t longHeader = 0;
    C_SWF_Tag* next = nullptr;

protected:
    // Reading: the bytes of the body after those moved since bodyStart, by the body length.
    uint32_t BodyBytesLeft(const C_SWF_BitStream& stream, uint32_t bodyStart) const;
};
