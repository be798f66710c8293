#include "export/swf/SWF_Tag_DefineMorphShape.h"

#include "export/swf/SWF_BitStream.h"

namespace
{
constexpr uint32_t kOffsetFieldSize = 4;
}

void C_SWF_Tag_DefineMorphShape::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(characterId);
    stream.SerializeRect(startBounds);
    stream.SerializeRect(endBounds);
    const uint32_t offsetAt = stream.GetBytePosition();
    stream.SerializeUI32(offset);
    stream.SerializeMorphFillStyleArray(morphFillStyles);
    stream.SerializeMorphLineStyleArray(morphLineStyles);
    stream.SerializeShape(startEdges, C_SWF_BitStream::kShapeVersion3);
    if (stream.IsWriting() && stream.Good())
    {
        // The offset is where the end edges start, counted from the end of its own field, so a
        // writer learns it only once the styles and start edges are written.
        const uint32_t endEdgesAt = stream.GetBytePosition();
        offset = endEdgesAt - offsetAt - kOffsetFieldSize;
        stream.SetBytePosition(offsetAt);
        stream.SerializeUI32(offset);
        stream.SetBytePosition(endEdgesAt);
    }
    stream.SerializeShape(endEdges, C_SWF_BitStream::kShapeVersion3);
}
