#include "export/swf/SWF_Tag_DefineFont2.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineFont2::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(fontId);
    for (C_SWF_BitField* flag : {&fontFlagsHasLayout, &fontFlagsShiftJIS, &fontFlagsSmallText, &fontFlagsANSI,
                                 &fontFlagsWideOffsets, &fontFlagsWideCodes, &fontFlagsItalic, &fontFlagsBold})
        stream.SerializeUB(*flag, 1);
    stream.SerializeUI8(languageCode);
    stream.SerializeCount8(fontNameLen, fontName.size());
    stream.SerializeBytes(fontName, fontNameLen);
    stream.SerializeCount16(numGlyphs, glyphShapeTable.size());
    const bool wideOffsets = fontFlagsWideOffsets.value != 0;
    const bool wideCodes = fontFlagsWideCodes.value != 0;
    stream.SerializeList(offsetTable, numGlyphs, wideOffsets ? 32 : 16,
                         [&](uint32_t& offset) { stream.SerializeUI16OrUI32(offset, wideOffsets); });
    stream.SerializeUI16OrUI32(codeTableOffset, wideOffsets);
    stream.SerializeList(glyphShapeTable, numGlyphs, 8, [&](C_SWF_Shape& shape) {
        stream.SerializeShape(shape, C_SWF_BitStream::kShapeVersion2);
    });
    stream.SerializeList(codeTable, numGlyphs, wideCodes ? 16 : 8,
                         [&](uint16_t& code) { stream.SerializeUI8OrUI16(code, wideCodes); });
    if (!fontFlagsHasLayout.value)
        return;
    stream.SerializeSI16(fontAscent);
    stream.SerializeSI16(fontDescent);
    stream.SerializeSI16(fontLeading);
    stream.SerializeList(fontAdvanceTable, numGlyphs, 16, [&](int16_t& advance) { stream.SerializeSI16(advance); });
    stream.SerializeList(fontBoundsTable, numGlyphs, 5, [&](C_SWF_Rect& bounds) { stream.SerializeRect(bounds); });
    stream.SerializeCount16(kerningCount, fontKerningTable.size());
    stream.SerializeList(fontKerningTable, kerningCount, wideCodes ? 48 : 32, [&](C_SWF_KerningRecord& record) {
        stream.SerializeKerningRecord(record, wideCodes);
    });
}
