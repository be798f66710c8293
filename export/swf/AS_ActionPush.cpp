#include "export/swf/AS_ActionPush.h"

#include "export/swf/SWF_BitStream.h"

namespace
{
enum PushType : uint8_t
{
    kString = 0,
    kFloat = 1,
    kNull = 2,
    kUndefined = 3,
    kRegister = 4,
    kBoolean = 5,
    kDouble = 6,
    kInteger = 7,
    kConstant8 = 8,
    kConstant16 = 9,
};
}

void C_AS_ActionPush::SerializeValue(C_SWF_BitStream& stream, C_AS_PushValue& value)
{
    stream.SerializeUI8(value.type);
    switch (value.type)
    {
    case kString: stream.SerializeString(value.string); break;
    case kFloat:
    case kInteger: stream.SerializeUI32(value.firstWord); break;
    case kNull: break;
    case kUndefined: stream.Fail("Undefined ActionPush type!"); break;
    case kRegister:
    case kBoolean:
    case kConstant8: stream.SerializeUI8(value.byteValue); break;
    case kDouble:
        stream.SerializeUI32(value.firstWord);
        stream.SerializeUI32(value.secondWord);
        break;
    case kConstant16: stream.SerializeUI16(value.wordValue); break;
    default: stream.Fail("unsup type"); break;
    }
}

void C_AS_ActionPush::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(length);
    const uint32_t end = stream.GetBytePosition() + length;
    if (stream.IsWriting())
    {
        for (C_AS_PushValue& value : values)
            SerializeValue(stream, value);
    }
    else
    {
        values.clear();
        while (stream.Good() && stream.GetBytePosition() < end)
        {
            values.emplace_back();
            SerializeValue(stream, values.back());
        }
    }
    // A length that disagrees with the values would misplace every following record.
    if (stream.Good() && stream.GetBytePosition() != end)
        stream.Fail("a Push's values do not fill its length");
}
