#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// Static text: glyph records of a font, each on a byte boundary.
class C_SWF_Tag_DefineText : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    C_SWF_Rect textBounds;
    C_SWF_Matrix textMatrix;
    uint8_t glyphBits = 0;
    uint8_t advanceBits = 0;
    std::vector<C_SWF_TextRecord> textRecords;
    uint8_t endOfRecordsFlag = 0;
};
