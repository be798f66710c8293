#include "export/swf/SWF_Tag_DefineBitsLossless.h"

#include "export/swf/SWF_BitStream.h"

namespace
{
constexpr uint8_t kColorMapped = 3;
constexpr uint8_t kFormat15Bit = 4;
constexpr uint8_t kFormat24Bit = 5;
}

void C_SWF_Tag_DefineBitsLossless::Serialize(C_SWF_BitStream& stream)
{
    const uint32_t bodyStart = stream.GetBytePosition();
    stream.SerializeUI16(characterId);
    stream.SerializeUI8(bitmapFormat);
    if (stream.Good() && bitmapFormat != kColorMapped && bitmapFormat != kFormat15Bit && bitmapFormat != kFormat24Bit)
    {
        stream.Fail("unsupported bitmap format");
        return;
    }
    stream.SerializeUI16(bitmapWidth);
    stream.SerializeUI16(bitmapHeight);
    if (bitmapFormat == kColorMapped)
        stream.SerializeUI8(bitmapColorTableSize);
    stream.SerializeBytes(data, BodyBytesLeft(stream, bodyStart));
}
