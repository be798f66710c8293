#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// Glyph outlines of a font. The first offset, twice the glyph count, fixes the number of glyphs;
// each glyph shape starts at its offset from the start of the offset table.
class C_SWF_Tag_DefineFont : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t fontId = 0;
    // One offset per glyph (a font without glyphs holds the single offset 0).
    std::vector<uint16_t> offsetTable;
    std::vector<C_SWF_Shape> glyphShapeTable;
};
