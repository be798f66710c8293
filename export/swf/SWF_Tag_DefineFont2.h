#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// A font with its glyphs, codes and optional layout in one tag. The glyph shapes follow each
// other; the offsets are moved as held.
class C_SWF_Tag_DefineFont2 : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t fontId = 0;
    C_SWF_BitField fontFlagsHasLayout, fontFlagsShiftJIS, fontFlagsSmallText, fontFlagsANSI;
    C_SWF_BitField fontFlagsWideOffsets, fontFlagsWideCodes, fontFlagsItalic, fontFlagsBold;
    uint8_t languageCode = 0;
    uint8_t fontNameLen = 0;
    std::vector<uint8_t> fontName;
    uint16_t numGlyphs = 0;
    std::vector<uint32_t> offsetTable;
    uint32_t codeTableOffset = 0;
    std::vector<C_SWF_Shape> glyphShapeTable;
    std::vector<uint16_t> codeTable;
    int16_t fontAscent = 0;
    int16_t fontDescent = 0;
    int16_t fontLeading = 0;
    std::vector<int16_t> fontAdvanceTable;
    std::vector<C_SWF_Rect> fontBoundsTable;
    uint16_t kerningCount = 0;
    std::vector<C_SWF_KerningRecord> fontKerningTable;
};
