#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// Places or moves a character at a depth; its flags decide which fields follow.
class C_SWF_Tag_PlaceObject2 : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    // Decides the form of the clip actions.
    uint8_t swfVersion = 6;
    C_SWF_BitField placeFlagHasClipActions, placeFlagHasClipDepth, placeFlagHasName, placeFlagHasRatio;
    C_SWF_BitField placeFlagHasColorTransform, placeFlagHasMatrix, placeFlagHasCharacter, placeFlagMove;
    uint16_t depth = 0;
    uint16_t characterId = 0;
    C_SWF_Matrix matrix;
    C_SWF_ColorTransform colorTransform;
    uint16_t ratio = 0;
    C_SWF_String name;
    uint16_t clipDepth = 0;
    C_SWF_ClipActions clipActions;
};
