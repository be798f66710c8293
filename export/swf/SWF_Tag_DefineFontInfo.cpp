#include "export/swf/SWF_Tag_DefineFontInfo.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineFontInfo::SerializeNameAndFlags(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(fontId);
    stream.SerializeCount8(fontNameLen, fontName.size());
    stream.SerializeBytes(fontName, fontNameLen);
    stream.SerializeUB(fontFlagsReserved, 2);
    for (C_SWF_BitField* flag : {&fontFlagsSmallText, &fontFlagsShiftJIS, &fontFlagsANSI, &fontFlagsItalic,
                                 &fontFlagsBold, &fontFlagsWideCodes})
        stream.SerializeUB(*flag, 1);
}

void C_SWF_Tag_DefineFontInfo::SerializeCodeTable(C_SWF_BitStream& stream, bool wideCodes)
{
    stream.SerializeList(codeTable, stream.GetFontGlyphCount(), wideCodes ? 16 : 8,
                         [&](uint16_t& code) { stream.SerializeUI8OrUI16(code, wideCodes); });
}

void C_SWF_Tag_DefineFontInfo::Serialize(C_SWF_BitStream& stream)
{
    SerializeNameAndFlags(stream);
    SerializeCodeTable(stream, fontFlagsWideCodes.value != 0);
}
