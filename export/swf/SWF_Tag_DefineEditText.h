#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>

// A text field; its flags decide which fields follow.
class C_SWF_Tag_DefineEditText : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t characterId = 0;
    C_SWF_Rect bounds;
    C_SWF_BitField hasText, wordWrap, multiline, password, readOnly, hasTextColor, hasMaxLength, hasFont;
    C_SWF_BitField reserved1, autoSize, hasLayout, noSelect, border, reserved2, html, useOutlines;
    uint16_t fontId = 0;
    uint16_t fontHeight = 0;
    C_SWF_RGBA textColor;
    uint16_t maxLength = 0;
    uint8_t align = 0;
    uint16_t leftMargin = 0;
    uint16_t rightMargin = 0;
    uint16_t indent = 0;
    uint16_t leading = 0;
    C_SWF_String variableName;
    C_SWF_String initialText;
};
