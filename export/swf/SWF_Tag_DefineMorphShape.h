#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// A shape morphing from its start edges to its end edges.
class C_SWF_Tag_DefineMorphShape : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    C_SWF_Rect startBounds, endBounds;
    // Bytes from the end of this field to the end edges; a write sets it.
    uint32_t offset = 0;
    C_SWF_MorphFillStyleArray morphFillStyles;
    C_SWF_MorphLineStyleArray morphLineStyles;
    C_SWF_Shape startEdges, endEdges;
};
