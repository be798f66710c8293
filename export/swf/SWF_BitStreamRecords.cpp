// The compound records of C_SWF_BitStream: one routine per record, the field order and widths
// the same in both directions.

#include "export/swf/SWF_BitStream.h"

#include <cstdio>

namespace
{
constexpr uint8_t kRectBitsWidth = 5;
constexpr uint8_t kMatrixBitsWidth = 5;
constexpr uint8_t kCXFormBitsWidth = 4;
constexpr uint8_t kIndexBitsWidth = 4;
constexpr uint8_t kMoveBitsWidth = 5;
constexpr uint8_t kEdgeBitsWidth = 4;
constexpr uint8_t kEdgeBitsBias = 2;
constexpr uint8_t kCondKeyPressWidth = 7;
constexpr uint8_t kSwfVersionWithWideClipEvents = 6;

constexpr uint8_t kFillSolid = 0x00;
constexpr uint8_t kFillLinearGradient = 0x10;
constexpr uint8_t kFillRadialGradient = 0x12;
constexpr uint8_t kFillFirstBitmap = 0x40;
constexpr uint8_t kFillLastBitmap = 0x43;

bool IsGradientFill(uint8_t type) { return type == kFillLinearGradient || type == kFillRadialGradient; }
bool IsBitmapFill(uint8_t type) { return type >= kFillFirstBitmap && type <= kFillLastBitmap; }
}

bool C_SWF_ShapeRecord::IsEndRecord() const
{
    return typeFlag.value == 0 && stateNewStyles.value == 0 && stateLineStyle.value == 0 &&
           stateFillStyle1.value == 0 && stateFillStyle0.value == 0 && stateMoveTo.value == 0;
}

void C_SWF_BitStream::SerializeRGB(C_SWF_RGBA& color)
{
    SerializeUI8(color.red);
    SerializeUI8(color.green);
    SerializeUI8(color.blue);
}

void C_SWF_BitStream::SerializeRGBA(C_SWF_RGBA& color)
{
    SerializeRGB(color);
    SerializeUI8(color.alpha);
}

void C_SWF_BitStream::SerializeStyleColor(C_SWF_RGBA& color, uint8_t shapeVersion)
{
    if (shapeVersion >= kShapeVersion3)
    {
        SerializeRGBA(color);
        return;
    }
    SerializeRGB(color);
    if (IsReading())
        color.alpha = 255;
}

void C_SWF_BitStream::SerializeRect(C_SWF_Rect& rect)
{
    AlignBitPosition();
    SerializeUB(rect.nbits, kRectBitsWidth);
    const uint8_t bits = static_cast<uint8_t>(rect.nbits.value);
    for (C_SWF_BitField* field : {&rect.xmin, &rect.xmax, &rect.ymin, &rect.ymax})
        SerializeSB(*field, bits);
}

void C_SWF_BitStream::SerializeMatrix(C_SWF_Matrix& matrix)
{
    AlignBitPosition();
    SerializeFlag(matrix.hasScale);
    if (matrix.hasScale.value)
    {
        SerializeUB(matrix.nScaleBits, kMatrixBitsWidth);
        SerializeFB(matrix.scaleX, static_cast<uint8_t>(matrix.nScaleBits.value));
        SerializeFB(matrix.scaleY, static_cast<uint8_t>(matrix.nScaleBits.value));
    }
    SerializeFlag(matrix.hasRotate);
    if (matrix.hasRotate.value)
    {
        SerializeUB(matrix.nRotateBits, kMatrixBitsWidth);
        SerializeFB(matrix.rotateSkew0, static_cast<uint8_t>(matrix.nRotateBits.value));
        SerializeFB(matrix.rotateSkew1, static_cast<uint8_t>(matrix.nRotateBits.value));
    }
    SerializeUB(matrix.nTranslateBits, kMatrixBitsWidth);
    SerializeSB(matrix.translateX, static_cast<uint8_t>(matrix.nTranslateBits.value));
    SerializeSB(matrix.translateY, static_cast<uint8_t>(matrix.nTranslateBits.value));
}

void C_SWF_BitStream::SerializeColorTransform(C_SWF_ColorTransform& transform, bool withAlpha)
{
    AlignBitPosition();
    SerializeFlag(transform.hasAddTerms);
    SerializeFlag(transform.hasMultTerms);
    SerializeUB(transform.nbits, kCXFormBitsWidth);
    const uint8_t bits = static_cast<uint8_t>(transform.nbits.value);
    if (transform.hasMultTerms.value)
    {
        SerializeSB(transform.redMultTerm, bits);
        SerializeSB(transform.greenMultTerm, bits);
        SerializeSB(transform.blueMultTerm, bits);
        if (withAlpha)
            SerializeSB(transform.alphaMultTerm, bits);
    }
    if (transform.hasAddTerms.value)
    {
        SerializeSB(transform.redAddTerm, bits);
        SerializeSB(transform.greenAddTerm, bits);
        SerializeSB(transform.blueAddTerm, bits);
        if (withAlpha)
            SerializeSB(transform.alphaAddTerm, bits);
    }
}

void C_SWF_BitStream::SerializeCXForm(C_SWF_ColorTransform& transform)
{
    SerializeColorTransform(transform, false);
}

void C_SWF_BitStream::SerializeCXFormWithAlpha(C_SWF_ColorTransform& transform)
{
    SerializeColorTransform(transform, true);
}

void C_SWF_BitStream::SerializeGradient(C_SWF_Gradient& gradient, uint8_t shapeVersion)
{
    SerializeCount8(gradient.numGradients, gradient.records.size());
    const uint64_t recordBits = shapeVersion >= kShapeVersion3 ? 40 : 32;
    SerializeList(gradient.records, gradient.numGradients, recordBits, [&](C_SWF_GradRecord& record) {
        SerializeUI8(record.ratio);
        SerializeStyleColor(record.color, shapeVersion);
    });
}

void C_SWF_BitStream::SerializeFillStyle(C_SWF_FillStyle& style, uint8_t shapeVersion)
{
    SerializeUI8(style.fillStyleType);
    if (!Good())
        return;
    if (style.fillStyleType == kFillSolid)
    {
        SerializeStyleColor(style.color, shapeVersion);
    }
    else if (IsGradientFill(style.fillStyleType))
    {
        SerializeMatrix(style.gradientMatrix);
        SerializeGradient(style.gradient, shapeVersion);
    }
    else if (IsBitmapFill(style.fillStyleType))
    {
        SerializeUI16(style.bitmapId);
        SerializeMatrix(style.bitmapMatrix);
    }
    else
    {
        Fail("unsupported fill style type");
    }
}

uint32_t C_SWF_BitStream::SerializeEscapedCount(uint8_t& count, uint16_t& extended, size_t size)
{
    constexpr uint8_t kEscape = 255;
    if (IsWriting())
    {
        if (size > UINT16_MAX)
        {
            Fail("a list is too long for its count field");
            return 0;
        }
        count = static_cast<uint8_t>(size >= kEscape ? kEscape : size);
        extended = static_cast<uint16_t>(size >= kEscape ? size : 0);
    }
    SerializeUI8(count);
    if (count == kEscape)
        SerializeUI16(extended);
    else if (IsReading())
        extended = 0;
    return count == kEscape ? extended : count;
}

void C_SWF_BitStream::SerializeFillStyleArray(C_SWF_FillStyleArray& styles, uint8_t shapeVersion)
{
    const uint32_t count =
        SerializeEscapedCount(styles.fillStyleCount, styles.fillStyleCountExtended, styles.fillStyles.size());
    SerializeList(styles.fillStyles, count, 8,
                  [&](C_SWF_FillStyle& style) { SerializeFillStyle(style, shapeVersion); });
}

void C_SWF_BitStream::SerializeLineStyle(C_SWF_LineStyle& style, uint8_t shapeVersion)
{
    SerializeUI16(style.width);
    SerializeStyleColor(style.color, shapeVersion);
}

void C_SWF_BitStream::SerializeLineStyleArray(C_SWF_LineStyleArray& styles, uint8_t shapeVersion)
{
    const uint32_t count =
        SerializeEscapedCount(styles.lineStyleCount, styles.lineStyleCountExtended, styles.lineStyles.size());
    const uint64_t styleBits = shapeVersion >= kShapeVersion3 ? 48 : 40;
    SerializeList(styles.lineStyles, count, styleBits,
                  [&](C_SWF_LineStyle& style) { SerializeLineStyle(style, shapeVersion); });
}

void C_SWF_BitStream::SerializeIndexWidths(C_SWF_BitField& numFillBits, C_SWF_BitField& numLineBits)
{
    SerializeUB(numFillBits, kIndexBitsWidth);
    SerializeUB(numLineBits, kIndexBitsWidth);
    m_fillIndexBits = static_cast<uint8_t>(numFillBits.value);
    m_lineIndexBits = static_cast<uint8_t>(numLineBits.value);
}

void C_SWF_BitStream::SerializeShapeRecord(C_SWF_ShapeRecord& record, uint8_t shapeVersion)
{
    SerializeFlag(record.typeFlag);
    if (record.typeFlag.value == 0)
    {
        SerializeFlag(record.stateNewStyles);
        SerializeFlag(record.stateLineStyle);
        SerializeFlag(record.stateFillStyle1);
        SerializeFlag(record.stateFillStyle0);
        SerializeFlag(record.stateMoveTo);
        if (record.IsEndRecord())
        {
            AlignToByte();
            return;
        }
        if (record.stateMoveTo.value)
        {
            SerializeUB(record.moveBits, kMoveBitsWidth);
            SerializeSB(record.moveDeltaX, static_cast<uint8_t>(record.moveBits.value));
            SerializeSB(record.moveDeltaY, static_cast<uint8_t>(record.moveBits.value));
        }
        // The index widths in force were set by the shape header or the last new styles.
        if (record.stateFillStyle0.value)
            SerializeUB(record.fillStyle0, m_fillIndexBits);
        if (record.stateFillStyle1.value)
            SerializeUB(record.fillStyle1, m_fillIndexBits);
        if (record.stateLineStyle.value)
            SerializeUB(record.lineStyle, m_lineIndexBits);
        if (record.stateNewStyles.value)
        {
            AlignToByte();
            SerializeFillStyleArray(record.fillStyles, shapeVersion);
            SerializeLineStyleArray(record.lineStyles, shapeVersion);
            SerializeIndexWidths(record.numFillBits, record.numLineBits);
        }
        return;
    }
    SerializeFlag(record.straightFlag);
    SerializeUB(record.numBits, kEdgeBitsWidth);
    const uint8_t bits = static_cast<uint8_t>(record.numBits.value + kEdgeBitsBias);
    if (record.straightFlag.value)
    {
        SerializeFlag(record.generalLineFlag);
        if (record.generalLineFlag.value)
        {
            SerializeSB(record.deltaX, bits);
            SerializeSB(record.deltaY, bits);
            return;
        }
        SerializeFlag(record.vertLineFlag);
        SerializeSB(record.vertLineFlag.value ? record.deltaY : record.deltaX, bits);
        return;
    }
    SerializeSB(record.controlDeltaX, bits);
    SerializeSB(record.controlDeltaY, bits);
    SerializeSB(record.anchorDeltaX, bits);
    SerializeSB(record.anchorDeltaY, bits);
}

void C_SWF_BitStream::SerializeShapeRecords(std::vector<C_SWF_ShapeRecord>& records, uint8_t shapeVersion)
{
    if (IsWriting())
    {
        // Without its end record as the last element the shape would run into the next data.
        for (size_t i = 0; i < records.size(); ++i)
        {
            if (records[i].IsEndRecord() != (i + 1 == records.size()))
            {
                Fail("a shape's records must close with one end record");
                return;
            }
        }
        if (records.empty())
        {
            Fail("a shape's records must close with one end record");
            return;
        }
        for (C_SWF_ShapeRecord& record : records)
            SerializeShapeRecord(record, shapeVersion);
        return;
    }
    records.clear();
    while (Good())
    {
        records.emplace_back();
        SerializeShapeRecord(records.back(), shapeVersion);
        if (records.back().IsEndRecord())
            return;
    }
}

void C_SWF_BitStream::SerializeShape(C_SWF_Shape& shape, uint8_t shapeVersion)
{
    AlignBitPosition();
    SerializeIndexWidths(shape.numFillBits, shape.numLineBits);
    SerializeShapeRecords(shape.records, shapeVersion);
}

void C_SWF_BitStream::SerializeShapeWithStyle(C_SWF_ShapeWithStyle& shape, uint8_t shapeVersion)
{
    SerializeFillStyleArray(shape.fillStyles, shapeVersion);
    SerializeLineStyleArray(shape.lineStyles, shapeVersion);
    SerializeShape(shape.shape, shapeVersion);
}

void C_SWF_BitStream::SerializeMorphGradRecord(C_SWF_MorphGradRecord& record)
{
    SerializeUI8(record.startRatio);
    SerializeRGBA(record.startColor);
    SerializeUI8(record.endRatio);
    SerializeRGBA(record.endColor);
}

void C_SWF_BitStream::SerializeMorphGradient(C_SWF_MorphGradient& gradient)
{
    SerializeCount8(gradient.numGradients, gradient.records.size());
    SerializeList(gradient.records, gradient.numGradients, 80,
                  [&](C_SWF_MorphGradRecord& record) { SerializeMorphGradRecord(record); });
}

void C_SWF_BitStream::SerializeMorphFillStyle(C_SWF_MorphFillStyle& style)
{
    SerializeUI8(style.fillStyleType);
    if (!Good())
        return;
    if (style.fillStyleType == kFillSolid)
    {
        SerializeRGBA(style.startColor);
        SerializeRGBA(style.endColor);
    }
    else if (IsGradientFill(style.fillStyleType))
    {
        SerializeMatrix(style.startGradientMatrix);
        SerializeMatrix(style.endGradientMatrix);
        SerializeMorphGradient(style.gradient);
    }
    else if (IsBitmapFill(style.fillStyleType))
    {
        SerializeUI16(style.bitmapId);
        SerializeMatrix(style.startBitmapMatrix);
        SerializeMatrix(style.endBitmapMatrix);
    }
    else
    {
        Fail("unsupported fill style type");
    }
}

void C_SWF_BitStream::SerializeMorphFillStyleArray(C_SWF_MorphFillStyleArray& styles)
{
    const uint32_t count =
        SerializeEscapedCount(styles.fillStyleCount, styles.fillStyleCountExtended, styles.fillStyles.size());
    SerializeList(styles.fillStyles, count, 8,
                  [&](C_SWF_MorphFillStyle& style) { SerializeMorphFillStyle(style); });
}

void C_SWF_BitStream::SerializeMorphLineStyle(C_SWF_MorphLineStyle& style)
{
    SerializeUI16(style.startWidth);
    SerializeUI16(style.endWidth);
    SerializeRGBA(style.startColor);
    SerializeRGBA(style.endColor);
}

void C_SWF_BitStream::SerializeMorphLineStyleArray(C_SWF_MorphLineStyleArray& styles)
{
    const uint32_t count =
        SerializeEscapedCount(styles.lineStyleCount, styles.lineStyleCountExtended, styles.lineStyles.size());
    SerializeList(styles.lineStyles, count, 96,
                  [&](C_SWF_MorphLineStyle& style) { SerializeMorphLineStyle(style); });
}

void C_SWF_BitStream::SerializeTextRecord(C_SWF_TextRecord& record, uint8_t glyphBits, uint8_t advanceBits)
{
    SerializeFlag(record.textRecordType);
    SerializeUB(record.styleFlagsReserved, 3);
    SerializeFlag(record.styleFlagsHasFont);
    SerializeFlag(record.styleFlagsHasColor);
    SerializeFlag(record.styleFlagsHasYOffset);
    SerializeFlag(record.styleFlagsHasXOffset);
    if (record.styleFlagsHasFont.value)
        SerializeUI16(record.fontId);
    if (record.styleFlagsHasColor.value)
    {
        SerializeRGB(record.textColor);
        if (IsReading())
            record.textColor.alpha = 255;
    }
    if (record.styleFlagsHasXOffset.value)
        SerializeSI16(record.xOffset);
    if (record.styleFlagsHasYOffset.value)
        SerializeSI16(record.yOffset);
    if (record.styleFlagsHasFont.value)
        SerializeUI16(record.textHeight);
    SerializeCount8(record.glyphCount, record.glyphEntries.size());
    SerializeList(record.glyphEntries, record.glyphCount, uint64_t(glyphBits) + advanceBits,
                  [&](C_SWF_GlyphEntry& entry) {
                      SerializeUB(entry.glyphIndex, glyphBits);
                      SerializeSB(entry.glyphAdvance, advanceBits);
                  });
}

void C_SWF_BitStream::SerializeSoundInfo(C_SWF_SoundInfo& info)
{
    SerializeUB(info.reserved, 2);
    SerializeFlag(info.syncStop);
    SerializeFlag(info.syncNoMultiple);
    SerializeFlag(info.hasEnvelope);
    SerializeFlag(info.hasLoops);
    SerializeFlag(info.hasOutPoint);
    SerializeFlag(info.hasInPoint);
    if (info.hasInPoint.value)
        SerializeUI32(info.inPoint);
    if (info.hasOutPoint.value)
        SerializeUI32(info.outPoint);
    if (info.hasLoops.value)
        SerializeUI16(info.loopCount);
    if (info.hasEnvelope.value)
    {
        SerializeCount8(info.envPoints, info.envelopeRecords.size());
        SerializeList(info.envelopeRecords, info.envPoints, 64, [&](C_SWF_SoundEnvelope& point) {
            SerializeUI32(point.pos44);
            SerializeUI16(point.leftLevel);
            SerializeUI16(point.rightLevel);
        });
    }
}

void C_SWF_BitStream::SerializeButtonRecord(C_SWF_ButtonRecord& record, uint8_t buttonVersion)
{
    AlignBitPosition();
    SerializeUB(record.buttonReserved, 4);
    SerializeFlag(record.buttonStateHitTest);
    SerializeFlag(record.buttonStateDown);
    SerializeFlag(record.buttonStateOver);
    SerializeFlag(record.buttonStateUp);
    SerializeUI16(record.characterId);
    SerializeUI16(record.placeDepth);
    SerializeMatrix(record.placeMatrix);
    if (buttonVersion >= 2)
        SerializeCXFormWithAlpha(record.colorTransform);
}

void C_SWF_BitStream::SerializeButtonCondAction(C_SWF_ButtonCondAction& action)
{
    SerializeUI16(action.condActionSize);
    for (C_SWF_BitField* flag : {&action.condIdleToOverDown, &action.condOutDownToIdle,
                                 &action.condOutDownToOverDown, &action.condOverDownToOutDown,
                                 &action.condOverDownToOverUp, &action.condOverUpToOverDown,
                                 &action.condOverUpToIdle, &action.condIdleToOverUp})
        SerializeFlag(*flag);
    SerializeUB(action.condKeyPress, kCondKeyPressWidth);
    SerializeFlag(action.condOverDownToIdle);
    SerializeActionList(action.actions, action.actionEndFlag);
}

void C_SWF_BitStream::SerializeClipEventFlags(C_SWF_ClipEventFlags& flags, uint8_t swfVersion)
{
    for (C_SWF_BitField* flag : {&flags.keyUp, &flags.keyDown, &flags.mouseUp, &flags.mouseDown,
                                 &flags.mouseMove, &flags.unload, &flags.enterFrame, &flags.load,
                                 &flags.dragOver, &flags.rollOut, &flags.rollOver, &flags.releaseOutside,
                                 &flags.release, &flags.press, &flags.initialize, &flags.data})
        SerializeFlag(*flag);
    if (swfVersion < kSwfVersionWithWideClipEvents)
        return;
    SerializeUB(flags.reserved1, 5);
    SerializeFlag(flags.construct);
    SerializeFlag(flags.keyPress);
    SerializeFlag(flags.dragOut);
    SerializeUB(flags.reserved2, 8);
}

void C_SWF_BitStream::SerializeClipActionRecord(C_SWF_ClipActionRecord& record, uint8_t swfVersion)
{
    SerializeClipEventFlags(record.eventFlags, swfVersion);
    SerializeUI32(record.actionRecordSize);
    const uint32_t start = m_bytePosition;
    if (!CanHold(record.actionRecordSize, 8))
        return;
    const uint32_t end = start + record.actionRecordSize;
    if (record.eventFlags.keyPress.value)
        SerializeUI8(record.keyCode);
    if (IsWriting())
    {
        for (C_SWF_ActionRecord& action : record.actions)
            SerializeActionRecord(action);
    }
    else
    {
        record.actions.clear();
        while (Good() && m_bytePosition < end)
        {
            record.actions.emplace_back();
            SerializeActionRecord(record.actions.back());
        }
    }
    if (Good() && m_bytePosition != end)
        Fail("clip actions do not fill their declared size");
}

void C_SWF_BitStream::SerializeClipActions(C_SWF_ClipActions& actions, uint8_t swfVersion)
{
    const bool wideEndFlag = swfVersion >= kSwfVersionWithWideClipEvents;
    SerializeUI16(actions.reserved);
    SerializeClipEventFlags(actions.allEventFlags, swfVersion);
    uint32_t endFlag = 0;
    if (IsWriting())
    {
        for (C_SWF_ClipActionRecord& record : actions.clipActionRecords)
            SerializeClipActionRecord(record, swfVersion);
        SerializeUI16OrUI32(endFlag, wideEndFlag);
        return;
    }
    actions.clipActionRecords.clear();
    while (Good())
    {
        const uint32_t start = m_bytePosition;
        SerializeUI16OrUI32(endFlag, wideEndFlag);
        if (!Good() || endFlag == 0)
            return;
        SetBytePosition(start);
        actions.clipActionRecords.emplace_back();
        SerializeClipActionRecord(actions.clipActionRecords.back(), swfVersion);
    }
}

void C_SWF_BitStream::SerializeKerningRecord(C_SWF_KerningRecord& record, bool wideCodes)
{
    SerializeUI8OrUI16(record.fontKerningCode1, wideCodes);
    SerializeUI8OrUI16(record.fontKerningCode2, wideCodes);
    SerializeSI16(record.fontKerningAdjustment);
}

void C_SWF_BitStream::SerializeExportEntry(C_SWF_ExportEntry& entry)
{
    SerializeUI16(entry.tag);
    SerializeString(entry.name);
}

void C_SWF_BitStream::SerializeActionRecord(C_SWF_ActionRecord& record)
{
    SerializeUI8(record.actionCode);
    if (!Good())
        return;
    if (IsReading())
        record.action = C_SWF_ActionRecord::CreateAction(record.actionCode);
    if (!record.action)
    {
        char message[64];
        std::snprintf(message, sizeof message, "Unimplemented ActionCode %d", record.actionCode);
        Fail(message);
        return;
    }
    record.action->Serialize(*this);
}

void C_SWF_BitStream::SerializeActionList(std::vector<C_SWF_ActionRecord>& actions, uint8_t& actionEndFlag)
{
    SerializeEndFlagList(actions, actionEndFlag, [&](C_SWF_ActionRecord& record) { SerializeActionRecord(record); });
}
