#pragma once

#include "export/swf/SWF_Tag_DefineFontInfo.h"

#include <cstdint>

// DefineFontInfo with a language code; its character codes are always 16-bit.
class C_SWF_Tag_DefineFontInfo2 : public C_SWF_Tag_DefineFontInfo
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint8_t languageCode = 0;
};
