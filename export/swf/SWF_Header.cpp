#include "export/swf/SWF_Header.h"

#include "export/swf/SWF_BitStream.h"

namespace
{
constexpr uint8_t kUncompressedSignature[3] = {'F', 'W', 'S'};
}

void C_SWF_Header::Serialize(C_SWF_BitStream& stream)
{
    for (uint8_t& byte : signature)
        stream.SerializeUI8(byte);
    if (stream.IsReading() && stream.Good() &&
        (signature[0] != kUncompressedSignature[0] || signature[1] != kUncompressedSignature[1] ||
         signature[2] != kUncompressedSignature[2]))
    {
        stream.Fail("not an uncompressed SWF file");
        return;
    }
    stream.SerializeUI8(version);
    stream.SerializeUI32(fileLength);
    if (stream.IsReading() && stream.Good() && fileLength > stream.GetReadLimit())
    {
        stream.Fail("the file is shorter than its header says");
        return;
    }
    stream.SerializeRect(frameSize);
    stream.SerializeUI16(frameRate);
    stream.SerializeUI16(frameCount);
}
