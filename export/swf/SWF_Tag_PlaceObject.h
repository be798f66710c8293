#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// Places a character at a depth with a matrix and an optional colour transform.
class C_SWF_Tag_PlaceObject : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    uint16_t depth = 0;
    C_SWF_Matrix matrix;
    // Set by reading when the body holds bytes after the matrix; tells the writer to move it.
    bool hasColorTransform = false;
    C_SWF_ColorTransform colorTransform;
};
