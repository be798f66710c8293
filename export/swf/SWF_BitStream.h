#pragma once

#include "export/swf/SWF_BufferedFile.h"
#include "export/swf/SWF_Records.h"

#include <cstdint>
#include <string>
#include <vector>

// The one codec of every SWF record: each Serialize operation writes its record when the stream
// is attached to a file in write mode and reads it back in read mode.
//
// A failure (reading past the data, an unsupported code, a count the data cannot hold, a value
// that does not fit its bit field) is kept as the stream's error; from then on every operation
// leaves its values as they are, and lists stop.
class C_SWF_BitStream
{
public:
    // Shape versions of the style records.
    static constexpr uint8_t kShapeVersion1 = 1;
    static constexpr uint8_t kShapeVersion2 = 2;
    static constexpr uint8_t kShapeVersion3 = 3;

    void Attach(C_SWF_BufferedFile& file);

    bool IsWriting() const { return m_mode == C_SWF_BufferedFile::ModeWrite; }
    bool IsReading() const { return m_mode == C_SWF_BufferedFile::ModeRead; }
    bool Good() const { return !m_failed; }
    const std::string& GetError() const { return m_error; }
    // Keeps the first failure only.
    void Fail(const std::string& message);

    uint32_t GetBytePosition() const { return m_bytePosition; }
    uint64_t GetBitPosition() const { return m_bitPosition; }
    // Both cursors at a byte boundary.
    void SetBytePosition(uint32_t position);
    void SetPositions(uint64_t bitPosition, uint32_t bytePosition);
    // Byte position = bit position / 8 rounded up.
    void AlignToByte();
    // Bit position = byte position * 8: the start of a byte-aligned record.
    void AlignBitPosition();

    // Writing: zeroes bytes already written so that bit fields can be written there again.
    void ClearWritten(uint32_t from, uint32_t to);

    // Reading: the offset one past the last byte the stream may read (the file size unless a
    // caller narrows it to one tag body).
    uint32_t GetReadLimit() const { return m_readLimit; }
    void SetReadLimit(uint32_t limit);
    uint32_t GetBytesLeft() const;
    // Reading: fails unless count elements of at least minBits bits each fit in the data left.
    bool CanHold(uint64_t count, uint64_t minBits);

    // Smallest widths that hold a value as UB (1 to 32) and as SB (2 to 32).
    static uint8_t BitsForUnsigned(uint32_t value);
    static uint8_t BitsForSigned(int32_t value);

    void SerializeUI8(uint8_t& value);
    bool SerializeUI16(uint16_t& value);
    bool SerializeSI16(int16_t& value);
    void SerializeUI32(uint32_t& value);
    void SerializeUB(C_SWF_BitField& field, uint8_t width);
    void SerializeSB(C_SWF_BitField& field, uint8_t width);
    void SerializeFB(C_SWF_Fixed& field, uint8_t width);
    // A code or offset held wide: moved as the wider field when wide, else as the narrower one,
    // which must hold it when writing.
    void SerializeUI8OrUI16(uint16_t& value, bool wide);
    void SerializeUI16OrUI32(uint32_t& value, bool wide);
    void SerializeString(C_SWF_String& text);
    // Reading: count raw bytes; writing: the bytes held.
    void SerializeBytes(std::vector<uint8_t>& bytes, uint32_t count);

    void SerializeRGB(C_SWF_RGBA& color);
    void SerializeRGBA(C_SWF_RGBA& color);
    void SerializeRect(C_SWF_Rect& rect);
    void SerializeMatrix(C_SWF_Matrix& matrix);
    void SerializeCXForm(C_SWF_ColorTransform& transform);
    void SerializeCXFormWithAlpha(C_SWF_ColorTransform& transform);
    void SerializeGradient(C_SWF_Gradient& gradient, uint8_t shapeVersion);
    void SerializeFillStyle(C_SWF_FillStyle& style, uint8_t shapeVersion);
    void SerializeFillStyleArray(C_SWF_FillStyleArray& styles, uint8_t shapeVersion);
    void SerializeLineStyle(C_SWF_LineStyle& style, uint8_t shapeVersion);
    void SerializeLineStyleArray(C_SWF_LineStyleArray& styles, uint8_t shapeVersion);
    void SerializeShapeRecord(C_SWF_ShapeRecord& record, uint8_t shapeVersion);
    void SerializeShape(C_SWF_Shape& shape, uint8_t shapeVersion);
    void SerializeShapeWithStyle(C_SWF_ShapeWithStyle& shape, uint8_t shapeVersion);
    void SerializeMorphGradRecord(C_SWF_MorphGradRecord& record);
    void SerializeMorphGradient(C_SWF_MorphGradient& gradient);
    void SerializeMorphFillStyle(C_SWF_MorphFillStyle& style);
    void SerializeMorphFillStyleArray(C_SWF_MorphFillStyleArray& styles);
    void SerializeMorphLineStyle(C_SWF_MorphLineStyle& style);
    void SerializeMorphLineStyleArray(C_SWF_MorphLineStyleArray& styles);
    void SerializeTextRecord(C_SWF_TextRecord& record, uint8_t glyphBits, uint8_t advanceBits);
    void SerializeSoundInfo(C_SWF_SoundInfo& info);
    void SerializeButtonRecord(C_SWF_ButtonRecord& record, uint8_t buttonVersion);
    void SerializeButtonCondAction(C_SWF_ButtonCondAction& action);
    void SerializeClipEventFlags(C_SWF_ClipEventFlags& flags, uint8_t swfVersion);
    void SerializeClipActionRecord(C_SWF_ClipActionRecord& record, uint8_t swfVersion);
    void SerializeClipActions(C_SWF_ClipActions& actions, uint8_t swfVersion);
    void SerializeKerningRecord(C_SWF_KerningRecord& record, bool wideCodes);
    void SerializeExportEntry(C_SWF_ExportEntry& entry);
    void SerializeActionRecord(C_SWF_ActionRecord& record);
    // Action records followed by the 0 end byte.
    void SerializeActionList(std::vector<C_SWF_ActionRecord>& actions, uint8_t& actionEndFlag);

    // A list that ends with a 0 byte: reading peeks the next byte and reads an element while it
    // is not 0; writing writes every element, then the end byte.
    template <class T, class F>
    void SerializeEndFlagList(std::vector<T>& items, uint8_t& endFlag, F serializeOne)
    {
        if (IsWriting())
        {
            for (T& item : items)
                if (Good())
                    serializeOne(item);
            endFlag = 0;
            SerializeUI8(endFlag);
            return;
        }
        items.clear();
        while (Good())
        {
            const uint32_t start = m_bytePosition;
            SerializeUI8(endFlag);
            if (!Good() || endFlag == 0)
                return;
            SetBytePosition(start);
            items.emplace_back();
            serializeOne(items.back());
        }
    }

    // A list of count elements of at least minBits bits each. Reading sizes the list when the
    // data can hold it; writing requires the list to hold count elements.
    template <class T, class F>
    void SerializeList(std::vector<T>& items, uint64_t count, uint64_t minBits, F serializeOne)
    {
        if (IsReading())
        {
            items.clear();
            if (!CanHold(count, minBits))
                return;
            items.resize(count);
        }
        else if (items.size() != count)
        {
            Fail("a list does not hold the number of elements its count says");
            return;
        }
        for (T& item : items)
            if (Good())
                serializeOne(item);
    }

    // A UI8 count: writing takes it from the list size.
    void SerializeCount8(uint8_t& count, size_t size);
    // A UI16 count: writing takes it from the list size.
    void SerializeCount16(uint16_t& count, size_t size);

    // Codec state between records: the glyph count of the last DefineFont.
    uint16_t GetFontGlyphCount() const { return m_fontGlyphCount; }
    void SetFontGlyphCount(uint16_t count) { m_fontGlyphCount = count; }

private:
    bool TransferByte(uint8_t& byte);
    void TransferBits(C_SWF_BitField& field, uint8_t width, bool isSigned);
    // A UI8 count with the 255 escape to UI16; returns the count in force.
    uint32_t SerializeEscapedCount(uint8_t& count, uint16_t& extended, size_t size);
    void SerializeStyleColor(C_SWF_RGBA& color, uint8_t shapeVersion);
    void SerializeColorTransform(C_SWF_ColorTransform& transform, bool withAlpha);
    void SerializeIndexWidths(C_SWF_BitField& numFillBits, C_SWF_BitField& numLineBits);
    void SerializeShapeRecords(std::vector<C_SWF_ShapeRecord>& records, uint8_t shapeVersion);
    void SerializeFlag(C_SWF_BitField& flag) { SerializeUB(flag, 1); }

    C_SWF_BufferedFile* m_file = nullptr;
    C_SWF_BufferedFile::Mode m_mode = C_SWF_BufferedFile::ModeRead;
    uint32_t m_bytePosition = 0;
    uint64_t m_bitPosition = 0;
    uint32_t m_readLimit = 0;
    // Nothing can move before a file is attached.
    bool m_failed = true;
    std::string m_error = "no file attached";
    // The fill- and line-index widths in force for the shape records that follow.
    uint8_t m_fillIndexBits = 0;
    uint8_t m_lineIndexBits = 0;
    uint16_t m_fontGlyphCount = 0;
};
