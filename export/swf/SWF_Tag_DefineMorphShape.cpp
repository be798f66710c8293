#include "export/swf/SWF_Tag_DefineMorphShape.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineMorphShape::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(characterId);
    stream.SerializeRect(startBounds);
    stream.SerializeRect(endBounds);
    stream.SerializeUI32(offset);
    stream.SerializeMorphFillStyleArray(morphFillStyles);
    stream.SerializeMorphLineStyleArray(morphLineStyles);
    stream.SerializeShape(startEdges, C_SWF_BitStream::kShapeVersion3);
    stream.SerializeShape(endEdges, C_SWF_BitStream::kShapeVersion3);
}
