#pragma once

#include "export/swf/SWF_BitStream.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// DefineShape; DefineShape2 and DefineShape3 differ only by their shape version.
class C_SWF_Tag_DefineShape : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint8_t shapeVersion = C_SWF_BitStream::kShapeVersion1;
    uint16_t shapeId = 0;
    C_SWF_Rect shapeBounds;
    C_SWF_ShapeWithStyle shapes;
};
