#include "export/swf/SWF_Tag_DefineShape.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineShape::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(shapeId);
    stream.SerializeRect(shapeBounds);
    stream.SerializeShapeWithStyle(shapes, shapeVersion);
}
