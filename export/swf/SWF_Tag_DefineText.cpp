#include "export/swf/SWF_Tag_DefineText.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineText::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(characterId);
    stream.SerializeRect(textBounds);
    stream.SerializeMatrix(textMatrix);
    stream.SerializeUI8(glyphBits);
    stream.SerializeUI8(advanceBits);
    stream.SerializeEndFlagList(textRecords, endOfRecordsFlag, [&](C_SWF_TextRecord& record) {
        stream.AlignBitPosition();
        stream.SerializeTextRecord(record, glyphBits, advanceBits);
    });
}
