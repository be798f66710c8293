#include "export/swf/SWF_Tag.h"

#include "export/swf/SWF_BitStream.h"

namespace
{
constexpr uint16_t kLongLengthMark = 63;
constexpr uint16_t kCodeShift = 6;
}

void C_SWF_Tag::Serialize(C_SWF_BitStream&)
{
}

void C_SWF_Tag::WriteRecordHeader(C_SWF_BitStream& stream)
{
    const bool longForm = longHeader != 0 || length > kMaxShortLength;
    uint16_t codeAndLength = static_cast<uint16_t>(tagCode << kCodeShift | (longForm ? kLongLengthMark : length));
    stream.SerializeUI16(codeAndLength);
    if (longForm)
        stream.SerializeUI32(length);
}

uint32_t C_SWF_Tag::BodyBytesLeft(const C_SWF_BitStream& stream, uint32_t bodyStart) const
{
    const uint32_t used = stream.GetBytePosition() - bodyStart;
    return used < length ? length - used : 0;
}
