#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// Name, style and character codes of the glyphs of the last DefineFont moved through the stream.
class C_SWF_Tag_DefineFontInfo : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t fontId = 0;
    uint8_t fontNameLen = 0;
    std::vector<uint8_t> fontName;
    C_SWF_BitField fontFlagsReserved, fontFlagsSmallText, fontFlagsShiftJIS, fontFlagsANSI;
    C_SWF_BitField fontFlagsItalic, fontFlagsBold, fontFlagsWideCodes;
    // One code per glyph.
    std::vector<uint16_t> codeTable;

protected:
    void SerializeNameAndFlags(C_SWF_BitStream& stream);
    void SerializeCodeTable(C_SWF_BitStream& stream, bool wideCodes);
};
