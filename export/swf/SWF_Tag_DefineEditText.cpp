#include "export/swf/SWF_Tag_DefineEditText.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineEditText::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(characterId);
    stream.SerializeRect(bounds);
    stream.AlignBitPosition();
    for (C_SWF_BitField* flag : {&hasText, &wordWrap, &multiline, &password, &readOnly, &hasTextColor,
                                 &hasMaxLength, &hasFont, &reserved1, &autoSize, &hasLayout, &noSelect,
                                 &border, &reserved2, &html, &useOutlines})
        stream.SerializeUB(*flag, 1);
    if (hasFont.value)
    {
        stream.SerializeUI16(fontId);
        stream.SerializeUI16(fontHeight);
    }
    if (hasTextColor.value)
        stream.SerializeRGBA(textColor);
    if (hasMaxLength.value)
        stream.SerializeUI16(maxLength);
    if (hasLayout.value)
    {
        stream.SerializeUI8(align);
        stream.SerializeUI16(leftMargin);
        stream.SerializeUI16(rightMargin);
        stream.SerializeUI16(indent);
        stream.SerializeUI16(leading);
    }
    stream.SerializeString(variableName);
    if (hasText.value)
        stream.SerializeString(initialText);
}
