#include "SwfTestSupport.h"

#include "export/swf/AS_ActionPlay.h"

#include <cmath>

namespace
{
C_SWF_BitField F(int32_t value)
{
    return {0, value};
}

C_SWF_RGBA Color(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255)
{
    return {red, green, blue, alpha};
}

template <class T>
using Serializer = std::function<void(C_SWF_BitStream&, T&)>;

// Bytes written for a record, and whether the stream stayed good.
template <class T>
Bytes Written(T record, const Serializer<T>& serialize, bool* good = nullptr)
{
    StreamResult result;
    Bytes bytes = WriteWith([&](C_SWF_BitStream& stream) { serialize(stream, record); }, &result);
    if (good)
        *good = result.good;
    return bytes;
}

C_SWF_ShapeRecord EndRecord()
{
    return {};
}

C_SWF_ShapeRecord MoveTo(int32_t x, int32_t y)
{
    C_SWF_ShapeRecord record;
    record.stateMoveTo = F(1);
    record.moveBits = F(std::max(C_SWF_BitStream::BitsForSigned(x), C_SWF_BitStream::BitsForSigned(y)));
    record.moveDeltaX = F(x);
    record.moveDeltaY = F(y);
    return record;
}

C_SWF_ShapeRecord Styles(int32_t fill0, int32_t fill1, int32_t line)
{
    C_SWF_ShapeRecord record;
    record.stateFillStyle0 = F(fill0 != 0);
    record.stateFillStyle1 = F(fill1 != 0);
    record.stateLineStyle = F(line != 0);
    record.fillStyle0 = F(fill0);
    record.fillStyle1 = F(fill1);
    record.lineStyle = F(line);
    return record;
}

// A straight edge: general when both deltas are set, else vertical or horizontal.
C_SWF_ShapeRecord Line(int32_t dx, int32_t dy, int32_t numBits)
{
    C_SWF_ShapeRecord record;
    record.typeFlag = F(1);
    record.straightFlag = F(1);
    record.numBits = F(numBits);
    record.generalLineFlag = F(dx != 0 && dy != 0);
    record.vertLineFlag = F(dx == 0);
    record.deltaX = F(dx);
    record.deltaY = F(dy);
    return record;
}

C_SWF_ShapeRecord Curve(int32_t cx, int32_t cy, int32_t ax, int32_t ay, int32_t numBits)
{
    C_SWF_ShapeRecord record;
    record.typeFlag = F(1);
    record.numBits = F(numBits);
    record.controlDeltaX = F(cx);
    record.controlDeltaY = F(cy);
    record.anchorDeltaX = F(ax);
    record.anchorDeltaY = F(ay);
    return record;
}

// The width that holds the integer part of a 16.16 value, plus the fraction.
int32_t FixedBits(double value)
{
    return C_SWF_BitStream::BitsForSigned(static_cast<int32_t>(std::floor(value))) + 16;
}

C_SWF_Matrix Matrix(double scale, double skew, int32_t tx, int32_t ty)
{
    C_SWF_Matrix matrix;
    matrix.hasScale = F(scale != 0);
    matrix.nScaleBits = F(FixedBits(scale));
    matrix.scaleX.value = scale;
    matrix.scaleY.value = scale;
    matrix.hasRotate = F(skew != 0);
    matrix.nRotateBits = F(std::max(FixedBits(skew), FixedBits(-skew)));
    matrix.rotateSkew0.value = skew;
    matrix.rotateSkew1.value = -skew;
    matrix.nTranslateBits = F(std::max(C_SWF_BitStream::BitsForSigned(tx), C_SWF_BitStream::BitsForSigned(ty)));
    matrix.translateX = F(tx);
    matrix.translateY = F(ty);
    return matrix;
}

C_SWF_ColorTransform Transform(bool add, bool mult, int32_t nbits, int32_t value)
{
    C_SWF_ColorTransform transform;
    transform.hasAddTerms = F(add);
    transform.hasMultTerms = F(mult);
    transform.nbits = F(nbits);
    for (C_SWF_BitField* term : {&transform.redMultTerm, &transform.greenMultTerm, &transform.blueMultTerm,
                                 &transform.alphaMultTerm})
        *term = F(value);
    for (C_SWF_BitField* term :
         {&transform.redAddTerm, &transform.greenAddTerm, &transform.blueAddTerm, &transform.alphaAddTerm})
        *term = F(-value);
    return transform;
}

C_SWF_FillStyle Solid(C_SWF_RGBA color)
{
    C_SWF_FillStyle style;
    style.color = color;
    return style;
}

C_SWF_FillStyle Gradient()
{
    C_SWF_FillStyle style;
    style.fillStyleType = 0x12;
    style.gradientMatrix = Matrix(0.5, 0, -100, 100);
    style.gradient.records = {{0, Color(255, 0, 0, 128)}, {255, Color(0, 0, 255, 64)}};
    return style;
}

C_SWF_FillStyle BitmapFill()
{
    C_SWF_FillStyle style;
    style.fillStyleType = 0x41;
    style.bitmapId = 7;
    style.bitmapMatrix = Matrix(20, 0.25, 0, 0);
    return style;
}

TEST(ColorTransformRecord, TermsMoveOnlyWithTheirFlag)
{
    const Serializer<C_SWF_ColorTransform> plain = [](C_SWF_BitStream& s, C_SWF_ColorTransform& t) {
        s.SerializeCXForm(t);
    };
    const Serializer<C_SWF_ColorTransform> withAlpha = [](C_SWF_BitStream& s, C_SWF_ColorTransform& t) {
        s.SerializeCXFormWithAlpha(t);
    };
    struct Case
    {
        bool add, mult, alpha;
        size_t bytes;
    };
    // Six flag bits, then 3 or 4 terms of 9 bits per kind.
    const Case cases[] = {{false, false, false, 1}, {true, false, false, 5}, {false, true, false, 5},
                          {true, true, false, 8},   {true, false, true, 6},  {true, true, true, 10}};
    for (const Case& c : cases)
    {
        C_SWF_ColorTransform transform = Transform(c.add, c.mult, 9, 255);
        Bytes bytes;
        const C_SWF_ColorTransform copy = RoundTrip(transform, c.alpha ? withAlpha : plain, &bytes);
        EXPECT_EQ(bytes.size(), c.bytes) << c.add << c.mult << c.alpha;
        EXPECT_EQ(copy.redMultTerm.value, c.mult ? 255 : 0);
        EXPECT_EQ(copy.blueAddTerm.value, c.add ? -255 : 0);
        EXPECT_EQ(copy.alphaAddTerm.value, c.add && c.alpha ? -255 : 0);
    }
}

TEST(ColorTransformRecord, StartsOnTheByteAfterAMatrix)
{
    // Matrix: 7 flag and count bits and two 2-bit translations use two bytes.
    const Bytes bytes = WriteWith([](C_SWF_BitStream& stream) {
        C_SWF_Matrix matrix = Matrix(0, 0, 1, -1);
        C_SWF_ColorTransform transform = Transform(true, true, 2, 1);
        stream.SerializeMatrix(matrix);
        EXPECT_EQ(stream.GetBytePosition(), 2u);
        stream.SerializeCXForm(transform);
    });
    // 1 1 0010, multiply terms 01 01 01, add terms 11 11 11, padding.
    EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.end()), (Bytes{0xC9, 0x5F, 0xC0}));
}

TEST(MatrixRecord, ScaleRotateAndTranslateRoundTrip)
{
    const C_SWF_Matrix cases[] = {Matrix(1.0, 0, 0, 0), Matrix(-1.5, 0.75, 20494, -337), Matrix(0, -1.0, -1, 1)};
    for (C_SWF_Matrix matrix : cases)
    {
        const C_SWF_Matrix copy =
            RoundTrip<C_SWF_Matrix>(matrix, [](C_SWF_BitStream& s, C_SWF_Matrix& m) { s.SerializeMatrix(m); });
        EXPECT_EQ(copy.hasScale.value, matrix.hasScale.value);
        EXPECT_DOUBLE_EQ(copy.scaleX.value, matrix.hasScale.value ? matrix.scaleX.value : 0.0);
        EXPECT_DOUBLE_EQ(copy.rotateSkew1.value, matrix.hasRotate.value ? matrix.rotateSkew1.value : 0.0);
        EXPECT_EQ(copy.translateX.value, matrix.translateX.value);
        EXPECT_EQ(copy.translateY.value, matrix.translateY.value);
        EXPECT_EQ(copy.translateY.width, matrix.nTranslateBits.value);
    }
}

TEST(StyleArrays, CountEscapesAt255)
{
    const Serializer<C_SWF_FillStyleArray> fills = [](C_SWF_BitStream& s, C_SWF_FillStyleArray& a) {
        s.SerializeFillStyleArray(a, 3);
    };
    const std::pair<size_t, Bytes> cases[] = {{3, {3}}, {254, {254}}, {255, {255, 255, 0}}, {300, {255, 44, 1}}};
    for (const auto& [count, prefix] : cases)
    {
        C_SWF_FillStyleArray styles;
        styles.fillStyles.assign(count, Solid(Color(1, 2, 3, 4)));
        Bytes bytes;
        const C_SWF_FillStyleArray copy = RoundTrip(styles, fills, &bytes);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + prefix.size()), prefix) << count;
        EXPECT_EQ(copy.fillStyles.size(), count);
        EXPECT_EQ(bytes.size(), prefix.size() + count * 5);
    }
}

TEST(StyleRecords, AlphaMovesOnlyForVersion3)
{
    for (uint8_t version : {1, 2, 3})
    {
        C_SWF_LineStyle line{20, Color(10, 20, 30, 40)};
        Bytes bytes;
        const C_SWF_LineStyle copy = RoundTrip<C_SWF_LineStyle>(
            line, [&](C_SWF_BitStream& s, C_SWF_LineStyle& l) { s.SerializeLineStyle(l, version); }, &bytes);
        EXPECT_EQ(bytes.size(), version == 3 ? 6u : 5u);
        EXPECT_EQ(copy.color.alpha, version == 3 ? 40 : 255);
        EXPECT_EQ(copy.width, 20);

        C_SWF_FillStyleArray fills;
        fills.fillStyles = {Solid(Color(1, 2, 3, 4)), Gradient(), BitmapFill()};
        const C_SWF_FillStyleArray fillCopy = RoundTrip<C_SWF_FillStyleArray>(
            fills, [&](C_SWF_BitStream& s, C_SWF_FillStyleArray& a) { s.SerializeFillStyleArray(a, version); });
        ASSERT_EQ(fillCopy.fillStyles.size(), 3u);
        EXPECT_EQ(fillCopy.fillStyles[0].color.alpha, version == 3 ? 4 : 255);
        EXPECT_EQ(fillCopy.fillStyles[1].gradient.records[1].color.alpha, version == 3 ? 64 : 255);
        EXPECT_EQ(fillCopy.fillStyles[2].bitmapId, 7);
        EXPECT_DOUBLE_EQ(fillCopy.fillStyles[2].bitmapMatrix.rotateSkew0.value, 0.25);
    }
}

TEST(ShapeRecords, EndRecordLeavesNoPartialByte)
{
    const Bytes bytes = WriteWith([](C_SWF_BitStream& stream) {
        C_SWF_Shape shape;
        shape.numFillBits = F(1);
        shape.numLineBits = F(1);
        shape.records = {EndRecord()};
        stream.SerializeShape(shape, 3);
        uint8_t after = 0xAB;
        stream.SerializeUI8(after);
    });
    EXPECT_EQ(bytes, (Bytes{0x11, 0x00, 0xAB}));
}

TEST(ShapeRecords, EdgeKindsMoveOnlyTheirDeltas)
{
    struct Case
    {
        C_SWF_ShapeRecord edge;
        size_t bits;
    };
    // TypeFlag, StraightFlag, NumBits (4) and the flags, then deltas of NumBits + 2 bits.
    const Case cases[] = {{Line(0, -5, 2), 8 + 4}, {Line(7, 0, 2), 8 + 4}, {Line(3, -4, 2), 7 + 8},
                          {Line(65535, -65536, 15), 7 + 34}, {Curve(1, 2, -3, -4, 1), 6 + 12}};
    for (const Case& c : cases)
    {
        C_SWF_Shape shape;
        shape.records = {c.edge, EndRecord()};
        Bytes bytes;
        const C_SWF_Shape copy = RoundTrip<C_SWF_Shape>(
            shape, [](C_SWF_BitStream& s, C_SWF_Shape& sh) { s.SerializeShape(sh, 1); }, &bytes);
        EXPECT_EQ(bytes.size(), (8 + c.bits + 6 + 7) / 8);
        ASSERT_EQ(copy.records.size(), 2u);
        const C_SWF_ShapeRecord& edge = copy.records[0];
        EXPECT_EQ(edge.deltaX.value, c.edge.deltaX.value);
        EXPECT_EQ(edge.deltaY.value, c.edge.deltaY.value);
        EXPECT_EQ(edge.anchorDeltaY.value, c.edge.anchorDeltaY.value);
    }
}

TEST(ShapeRecords, ShapeWithStylesAndNewStylesRoundTrips)
{
    for (uint8_t version : {1, 3})
    {
        C_SWF_ShapeWithStyle shape;
        shape.fillStyles.fillStyles = {Solid(Color(255, 0, 0)), Gradient(), BitmapFill()};
        shape.lineStyles.lineStyles = {{20, Color(0, 0, 0)}};
        shape.shape.numFillBits = F(2);
        shape.shape.numLineBits = F(1);
        C_SWF_ShapeRecord newStyles = Styles(1, 0, 1);
        newStyles.stateNewStyles = F(1);
        newStyles.fillStyles.fillStyles.assign(9, Solid(Color(0, 255, 0)));
        newStyles.lineStyles.lineStyles = {{40, Color(1, 1, 1)}, {60, Color(2, 2, 2)}};
        newStyles.numFillBits = F(4);
        newStyles.numLineBits = F(2);
        shape.shape.records = {MoveTo(-400, 1000), Styles(3, 2, 1), Line(100, 0, 6), newStyles,
                               Styles(9, 0, 2), Curve(-8, 8, 8, 8, 3), Line(-92, -1000, 9), EndRecord()};
        const C_SWF_ShapeWithStyle copy = RoundTrip<C_SWF_ShapeWithStyle>(
            shape, [&](C_SWF_BitStream& s, C_SWF_ShapeWithStyle& sh) { s.SerializeShapeWithStyle(sh, version); });
        ASSERT_EQ(copy.shape.records.size(), shape.shape.records.size());
        EXPECT_EQ(copy.shape.records[0].moveDeltaX.value, -400);
        EXPECT_EQ(copy.shape.records[1].fillStyle0.width, 2) << "the header's index width";
        EXPECT_EQ(copy.shape.records[4].fillStyle0.value, 9);
        EXPECT_EQ(copy.shape.records[4].fillStyle0.width, 4) << "the width the new styles set";
        EXPECT_EQ(copy.shape.records[4].lineStyle.width, 2);
        EXPECT_EQ(copy.shape.records[3].fillStyles.fillStyles.size(), 9u);
    }
}

TEST(ShapeRecords, WritingRequiresOneClosingEndRecord)
{
    const std::vector<C_SWF_ShapeRecord> bad[] = {{}, {Line(1, 1, 0)}, {EndRecord(), Line(1, 1, 0), EndRecord()}};
    for (const auto& records : bad)
    {
        C_SWF_Shape shape;
        shape.records = records;
        bool good = true;
        Written<C_SWF_Shape>(shape, [](C_SWF_BitStream& s, C_SWF_Shape& sh) { s.SerializeShape(sh, 1); }, &good);
        EXPECT_FALSE(good) << records.size() << " records";
    }
}

TEST(MorphRecords, StylesRoundTrip)
{
    C_SWF_MorphFillStyleArray fills;
    fills.fillStyles.resize(3);
    fills.fillStyles[0].startColor = Color(1, 2, 3, 4);
    fills.fillStyles[0].endColor = Color(5, 6, 7, 8);
    fills.fillStyles[1].fillStyleType = 0x10;
    fills.fillStyles[1].startGradientMatrix = Matrix(2, 0, 1, 1);
    fills.fillStyles[1].endGradientMatrix = Matrix(0, 1, -1, -1);
    fills.fillStyles[1].gradient.records = {{0, Color(0, 0, 0, 0), 255, Color(9, 9, 9, 9)}};
    fills.fillStyles[2].fillStyleType = 0x43;
    fills.fillStyles[2].bitmapId = 3;
    const C_SWF_MorphFillStyleArray fillCopy = RoundTrip<C_SWF_MorphFillStyleArray>(
        fills, [](C_SWF_BitStream& s, C_SWF_MorphFillStyleArray& a) { s.SerializeMorphFillStyleArray(a); });
    ASSERT_EQ(fillCopy.fillStyles.size(), 3u);
    EXPECT_EQ(fillCopy.fillStyles[0].endColor.alpha, 8);
    EXPECT_EQ(fillCopy.fillStyles[1].gradient.records[0].endColor.blue, 9);

    C_SWF_MorphLineStyleArray lines;
    lines.lineStyles = {{20, 40, Color(1, 1, 1, 1), Color(2, 2, 2, 2)}};
    Bytes bytes;
    RoundTrip<C_SWF_MorphLineStyleArray>(
        lines, [](C_SWF_BitStream& s, C_SWF_MorphLineStyleArray& a) { s.SerializeMorphLineStyleArray(a); }, &bytes);
    EXPECT_EQ(bytes.size(), 1u + 12u);
}

TEST(TextRecord, OptionalFieldsAndGlyphEntries)
{
    C_SWF_TextRecord record;
    record.textRecordType = F(1);
    record.styleFlagsHasFont = F(1);
    record.styleFlagsHasColor = F(1);
    record.styleFlagsHasXOffset = F(1);
    record.fontId = 4;
    record.textColor = Color(10, 20, 30, 99);
    record.xOffset = -40;
    record.textHeight = 240;
    record.glyphEntries = {{F(0), F(-64)}, {F(31), F(63)}, {F(17), F(0)}};
    Bytes bytes;
    const C_SWF_TextRecord copy = RoundTrip<C_SWF_TextRecord>(
        record, [](C_SWF_BitStream& s, C_SWF_TextRecord& r) { s.SerializeTextRecord(r, 5, 7); }, &bytes);
    // Flags, font id, RGB, x offset, height, count, then 3 glyphs of 12 bits.
    EXPECT_EQ(bytes.size(), 1u + 2 + 3 + 2 + 2 + 1 + 5);
    EXPECT_EQ(copy.textColor.alpha, 255);
    EXPECT_EQ(copy.yOffset, 0);
    ASSERT_EQ(copy.glyphEntries.size(), 3u);
    EXPECT_EQ(copy.glyphEntries[0].glyphAdvance.value, -64);
    EXPECT_EQ(copy.glyphEntries[1].glyphIndex.value, 31);
}

TEST(SoundInfoRecord, EveryOptionalField)
{
    C_SWF_SoundInfo info;
    info.syncStop = F(1);
    info.hasEnvelope = F(1);
    info.hasLoops = F(1);
    info.hasOutPoint = F(1);
    info.hasInPoint = F(1);
    info.inPoint = 44100;
    info.outPoint = 88200;
    info.loopCount = 3;
    info.envelopeRecords = {{0, 32768, 0}, {44100, 0, 32768}};
    Bytes bytes;
    const C_SWF_SoundInfo copy = RoundTrip<C_SWF_SoundInfo>(
        info, [](C_SWF_BitStream& s, C_SWF_SoundInfo& i) { s.SerializeSoundInfo(i); }, &bytes);
    EXPECT_EQ(bytes.size(), 1u + 4 + 4 + 2 + 1 + 16);
    EXPECT_EQ(copy.envelopeRecords[1].rightLevel, 32768);
    EXPECT_EQ(copy.outPoint, 88200u);
}

TEST(ButtonRecords, ColorTransformOnlyInVersion2)
{
    for (uint8_t version : {1, 2})
    {
        C_SWF_ButtonRecord record;
        record.buttonStateUp = F(1);
        record.buttonStateHitTest = F(1);
        record.characterId = 12;
        record.placeDepth = 3;
        record.placeMatrix = Matrix(0, 0, 20, 20);
        record.colorTransform = Transform(false, true, 9, 128);
        Bytes bytes;
        const C_SWF_ButtonRecord copy = RoundTrip<C_SWF_ButtonRecord>(
            record, [&](C_SWF_BitStream& s, C_SWF_ButtonRecord& r) { s.SerializeButtonRecord(r, version); }, &bytes);
        EXPECT_EQ(bytes.size(), version == 1 ? 1u + 4 + 3 : 1u + 4 + 3 + 6);
        EXPECT_EQ(copy.colorTransform.greenMultTerm.value, version == 1 ? 0 : 128);
    }
}

TEST(ButtonCondActionRecord, ActionsEndWithTheEndByte)
{
    C_SWF_ButtonCondAction action;
    action.condOverDownToOverUp = F(1);
    action.condKeyPress = F(127);
    action.actions.resize(2);
    for (C_SWF_ActionRecord& record : action.actions)
    {
        record.actionCode = 0x06;
        record.action = std::make_unique<C_AS_ActionPlay>();
    }
    Bytes bytes;
    const C_SWF_ButtonCondAction copy = RoundTrip<C_SWF_ButtonCondAction>(
        action, [](C_SWF_BitStream& s, C_SWF_ButtonCondAction& a) { s.SerializeButtonCondAction(a); }, &bytes);
    EXPECT_EQ(bytes, (Bytes{0x00, 0x00, 0x08, 0xFE, 0x06, 0x06, 0x00}));
    EXPECT_EQ(copy.actions.size(), 2u);
    EXPECT_EQ(copy.condKeyPress.value, 127);
}

TEST(ClipActions, EventFlagsWidthFollowsTheVersion)
{
    for (const auto& [version, size] : {std::pair<uint8_t, size_t>{5, 2}, {6, 4}})
    {
        C_SWF_ClipEventFlags flags;
        flags.keyUp = F(1);
        flags.data = F(1);
        if (version > 5)
            flags.dragOut = F(1);
        Bytes bytes;
        const C_SWF_ClipEventFlags copy = RoundTrip<C_SWF_ClipEventFlags>(
            flags, [&](C_SWF_BitStream& s, C_SWF_ClipEventFlags& f) { s.SerializeClipEventFlags(f, version); },
            &bytes);
        EXPECT_EQ(bytes.size(), size);
        EXPECT_EQ(copy.data.value, 1);
    }
}

TEST(ClipActions, RecordsAndEndFlagRoundTrip)
{
    for (uint8_t version : {5, 6})
    {
        C_SWF_ClipActions actions;
        actions.allEventFlags.load = F(1);
        actions.clipActionRecords.resize(2);
        actions.clipActionRecords[0].eventFlags.load = F(1);
        actions.clipActionRecords[0].actionRecordSize = 2;
        actions.clipActionRecords[0].actions.resize(2);
        for (C_SWF_ActionRecord& record : actions.clipActionRecords[0].actions)
        {
            record.actionCode = 0x06;
            record.action = std::make_unique<C_AS_ActionPlay>();
        }
        actions.clipActionRecords[1].eventFlags.press = F(1);
        if (version > 5)
        {
            actions.clipActionRecords[1].eventFlags.keyPress = F(1);
            actions.clipActionRecords[1].keyCode = 13;
            actions.clipActionRecords[1].actionRecordSize = 1;
        }
        const C_SWF_ClipActions copy = RoundTrip<C_SWF_ClipActions>(
            actions, [&](C_SWF_BitStream& s, C_SWF_ClipActions& a) { s.SerializeClipActions(a, version); });
        ASSERT_EQ(copy.clipActionRecords.size(), 2u);
        EXPECT_EQ(copy.clipActionRecords[0].actions.size(), 2u);
        EXPECT_EQ(copy.clipActionRecords[1].keyCode, version > 5 ? 13 : 0);
    }
}

TEST(ClipActions, SizeThatDisagreesWithTheActionsFails)
{
    C_SWF_ClipActions actions;
    actions.clipActionRecords.resize(1);
    actions.clipActionRecords[0].actionRecordSize = 5;
    bool good = true;
    Written<C_SWF_ClipActions>(
        std::move(actions), [](C_SWF_BitStream& s, C_SWF_ClipActions& a) { s.SerializeClipActions(a, 6); }, &good);
    EXPECT_FALSE(good);
}

TEST(KerningRecord, NarrowAndWideCodes)
{
    for (bool wide : {false, true})
    {
        C_SWF_KerningRecord record{65, 86, -120};
        Bytes bytes;
        const C_SWF_KerningRecord copy = RoundTrip<C_SWF_KerningRecord>(
            record, [&](C_SWF_BitStream& s, C_SWF_KerningRecord& r) { s.SerializeKerningRecord(r, wide); }, &bytes);
        EXPECT_EQ(bytes.size(), wide ? 6u : 4u);
        EXPECT_EQ(copy.fontKerningAdjustment, -120);
    }
    bool good = true;
    Written<C_SWF_KerningRecord>({300, 1, 0},
                                 [](C_SWF_BitStream& s, C_SWF_KerningRecord& r) { s.SerializeKerningRecord(r, false); },
                                 &good);
    EXPECT_FALSE(good) << "a wide code cannot be written narrow";
}

TEST(DamagedRecords, AreReportedNotTrusted)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
        StreamAction read;
    };
    const Case cases[] = {
        {"fill style count beyond the data", {0xFF, 0xFF, 0xFF, 0x00, 1, 2, 3},
         [](C_SWF_BitStream& s) { C_SWF_FillStyleArray a; s.SerializeFillStyleArray(a, 1); }},
        {"line style count beyond the data", {0x02, 0x14, 0x00, 1, 2, 3},
         [](C_SWF_BitStream& s) { C_SWF_LineStyleArray a; s.SerializeLineStyleArray(a, 1); }},
        {"unknown fill style type", {0x01, 0x05, 0, 0, 0},
         [](C_SWF_BitStream& s) { C_SWF_FillStyleArray a; s.SerializeFillStyleArray(a, 1); }},
        {"gradient longer than the data", {0x10, 0x00, 0x08, 1, 2, 3, 4},
         [](C_SWF_BitStream& s) { C_SWF_FillStyle f; s.SerializeFillStyle(f, 1); }},
        {"glyph fields wider than 32 bits", {0x80, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
         [](C_SWF_BitStream& s) { C_SWF_TextRecord r; s.SerializeTextRecord(r, 40, 1); }},
        {"shape without its end record", {0x11, 0xFF, 0xFF},
         [](C_SWF_BitStream& s) { C_SWF_Shape sh; s.SerializeShape(sh, 1); }},
        {"clip action size beyond the data", {0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00},
         [](C_SWF_BitStream& s) { C_SWF_ClipActions a; s.SerializeClipActions(a, 6); }},
        {"envelope longer than the data", {0x08, 0xFF, 0, 0},
         [](C_SWF_BitStream& s) { C_SWF_SoundInfo i; s.SerializeSoundInfo(i); }},
    };
    for (const Case& c : cases)
    {
        const StreamResult result = ReadWith(c.bytes, c.read);
        EXPECT_FALSE(result.good) << c.what;
        EXPECT_FALSE(result.error.empty()) << c.what;
    }
}
}
