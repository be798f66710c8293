#include "export/swf/SWF_Tag_DefineFont.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineFont::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(fontId);
    const uint32_t tableStart = stream.GetBytePosition();
    if (stream.IsWriting() && offsetTable.empty())
    {
        stream.Fail("a font needs its offset table");
        return;
    }
    uint16_t firstOffset = stream.IsWriting() ? offsetTable[0] : 0;
    stream.SerializeUI16(firstOffset);
    if (!stream.Good())
        return;
    const uint16_t glyphCount = firstOffset / 2;
    stream.SetFontGlyphCount(glyphCount);
    const size_t offsetCount = glyphCount > 1 ? glyphCount : 1;
    if (stream.IsReading())
    {
        offsetTable.assign(1, firstOffset);
        if (!stream.CanHold(offsetCount - 1, 16))
            return;
        offsetTable.resize(offsetCount);
        glyphShapeTable.clear();
        glyphShapeTable.resize(glyphCount);
    }
    else if (offsetTable.size() != offsetCount || glyphShapeTable.size() != glyphCount)
    {
        stream.Fail("a font's offsets and glyphs disagree with its first offset");
        return;
    }
    for (size_t i = 1; i < offsetCount; ++i)
        stream.SerializeUI16(offsetTable[i]);
    for (size_t i = 0; i < glyphCount && stream.Good(); ++i)
    {
        // An offset leading back would read or write the same bytes again.
        const uint32_t glyphStart = tableStart + offsetTable[i];
        if (glyphStart < stream.GetBytePosition())
        {
            stream.Fail("error loading shape record array\n");
            return;
        }
        stream.SetBytePosition(glyphStart);
        stream.SerializeShape(glyphShapeTable[i], C_SWF_BitStream::kShapeVersion2);
    }
}
