#include "export/swf/SWF_Tag_DefineBitsJPEG3.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineBitsJPEG3::Serialize(C_SWF_BitStream& stream)
{
    const uint32_t bodyStart = stream.GetBytePosition();
    stream.SerializeUI16(characterId);
    if (stream.IsWriting())
        alphaDataOffset = static_cast<uint32_t>(imageData.size());
    stream.SerializeUI32(alphaDataOffset);
    stream.SerializeBytes(imageData, alphaDataOffset);
    stream.SerializeBytes(bitmapAlphaData, BodyBytesLeft(stream, bodyStart));
}
