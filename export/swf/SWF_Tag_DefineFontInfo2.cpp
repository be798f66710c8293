#include "export/swf/SWF_Tag_DefineFontInfo2.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineFontInfo2::Serialize(C_SWF_BitStream& stream)
{
    SerializeNameAndFlags(stream);
    stream.SerializeUI8(languageCode);
    SerializeCodeTable(stream, true);
}
