// The writer and the reader share one routine per record, so round trips prove only that the
// two agree. These encodings were worked out by hand from the format's published bit layouts.
#include "SwfTestSupport.h"

#include "export/swf/SWF_Tag_DefineMorphShape.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"

#include <string>

namespace
{
C_SWF_BitField Field(int32_t value) { return {0, value}; }

C_SWF_Matrix Translation(uint8_t bits, int32_t x, int32_t y)
{
    C_SWF_Matrix m;
    m.nTranslateBits = Field(bits);
    m.translateX = Field(x);
    m.translateY = Field(y);
    return m;
}

C_SWF_ShapeRecord StraightEdge(uint8_t numBits, bool general, bool vertical, int32_t dx, int32_t dy)
{
    C_SWF_ShapeRecord record;
    record.typeFlag = Field(1);
    record.straightFlag = Field(1);
    record.numBits = Field(numBits);
    record.generalLineFlag = Field(general);
    record.vertLineFlag = Field(vertical);
    record.deltaX = Field(dx);
    record.deltaY = Field(dy);
    return record;
}

struct LayoutCase
{
    const char* what;
    StreamAction write;
    Bytes expected;
};

TEST(RecordLayout, EncodingsMatchThePublishedBitLayouts)
{
    const LayoutCase cases[] = {
        // HasScale 0, HasRotate 0, NTranslateBits 6, TranslateX 10, TranslateY -20.
        {"matrix, translation only",
         [](C_SWF_BitStream& s) {
             C_SWF_Matrix m = Translation(6, 10, -20);
             s.SerializeMatrix(m);
         },
         {0x0C, 0x55, 0x80}},
        // HasScale 1, NScaleBits 18, 1.0 and -0.5; HasRotate 1, NRotateBits 17, 0.25 and -0.25;
        // NTranslateBits 2, 1 and -1.
        {"matrix, scale, rotation and translation",
         [](C_SWF_BitStream& s) {
             C_SWF_Matrix m = Translation(2, 1, -1);
             m.hasScale = Field(1);
             m.nScaleBits = Field(18);
             m.scaleX.value = 1.0;
             m.scaleY.value = -0.5;
             m.hasRotate = Field(1);
             m.nRotateBits = Field(17);
             m.rotateSkew0.value = 0.25;
             m.rotateSkew1.value = -0.25;
             s.SerializeMatrix(m);
         },
         {0xC9, 0x00, 0x00, 0xE0, 0x00, 0x31, 0x20, 0x00, 0x70, 0x00, 0x04, 0xE0}},
        // TypeFlag 1, StraightFlag 1, NumBits 6 (8 bits), GeneralLineFlag 1, 100, -50.
        {"straight edge, general line",
         [](C_SWF_BitStream& s) {
             C_SWF_ShapeRecord r = StraightEdge(6, true, false, 100, -50);
             s.SerializeShapeRecord(r, C_SWF_BitStream::kShapeVersion3);
         },
         {0xDA, 0xC9, 0x9C}},
        // GeneralLineFlag 0, VertLineFlag 1, DeltaY -3 in 3 bits.
        {"straight edge, vertical line",
         [](C_SWF_BitStream& s) {
             C_SWF_ShapeRecord r = StraightEdge(1, false, true, 0, -3);
             s.SerializeShapeRecord(r, C_SWF_BitStream::kShapeVersion3);
         },
         {0xC5, 0xA0}},
        // GeneralLineFlag 0, VertLineFlag 0, DeltaX 5 in 4 bits.
        {"straight edge, horizontal line",
         [](C_SWF_BitStream& s) {
             C_SWF_ShapeRecord r = StraightEdge(2, false, false, 5, 0);
             s.SerializeShapeRecord(r, C_SWF_BitStream::kShapeVersion3);
         },
         {0xC8, 0x50}},
        // TypeFlag 1, StraightFlag 0, NumBits 3 (5 bits), control (10, 0), anchor (10, 5).
        {"curved edge",
         [](C_SWF_BitStream& s) {
             C_SWF_ShapeRecord r;
             r.typeFlag = Field(1);
             r.numBits = Field(3);
             r.controlDeltaX = Field(10);
             r.anchorDeltaX = Field(10);
             r.anchorDeltaY = Field(5);
             s.SerializeShapeRecord(r, C_SWF_BitStream::kShapeVersion3);
         },
         {0x8D, 0x40, 0x51, 0x40}},
        // NumFillBits 1, NumLineBits 1; a style change with StateLineStyle, StateFillStyle0 and
        // StateMoveTo: MoveBits 7, (20, 40), FillStyle0 1, LineStyle 1; the end record.
        {"style change and end record",
         [](C_SWF_BitStream& s) {
             C_SWF_Shape shape;
             shape.numFillBits = Field(1);
             shape.numLineBits = Field(1);
             C_SWF_ShapeRecord change;
             change.stateLineStyle = Field(1);
             change.stateFillStyle0 = Field(1);
             change.stateMoveTo = Field(1);
             change.moveBits = Field(7);
             change.moveDeltaX = Field(20);
             change.moveDeltaY = Field(40);
             change.fillStyle0 = Field(1);
             change.lineStyle = Field(1);
             shape.records = {change, C_SWF_ShapeRecord{}};
             s.SerializeShape(shape, C_SWF_BitStream::kShapeVersion3);
         },
         {0x11, 0x2C, 0xE5, 0x14, 0x60, 0x00}},
        // Count 1; solid type 0x00 with RGBA (DefineShape3).
        {"solid fill style",
         [](C_SWF_BitStream& s) {
             C_SWF_FillStyleArray fills;
             fills.fillStyleCount = 1;
             C_SWF_FillStyle fill;
             fill.color = {0x12, 0x34, 0x56, 0x78};
             fills.fillStyles = {fill};
             s.SerializeFillStyleArray(fills, C_SWF_BitStream::kShapeVersion3);
         },
         {0x01, 0x00, 0x12, 0x34, 0x56, 0x78}},
        // Type 0x10, a matrix with no fields, NumGradients 2, then ratio and RGBA per stop.
        {"linear gradient fill style",
         [](C_SWF_BitStream& s) {
             C_SWF_FillStyle fill;
             fill.fillStyleType = 0x10;
             fill.gradient.numGradients = 2;
             fill.gradient.records = {{0, {0xFF, 0, 0, 0xFF}}, {255, {0, 0, 0xFF, 0x80}}};
             s.SerializeFillStyle(fill, C_SWF_BitStream::kShapeVersion3);
         },
         {0x10, 0x00, 0x02, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x80}},
        // Type 0x41 (clipped bitmap), BitmapId 7, a matrix scaling by 20: NScaleBits 22.
        {"clipped bitmap fill style",
         [](C_SWF_BitStream& s) {
             C_SWF_FillStyle fill;
             fill.fillStyleType = 0x41;
             fill.bitmapId = 7;
             fill.bitmapMatrix.hasScale = Field(1);
             fill.bitmapMatrix.nScaleBits = Field(22);
             fill.bitmapMatrix.scaleX.value = 20.0;
             fill.bitmapMatrix.scaleY.value = 20.0;
             s.SerializeFillStyle(fill, C_SWF_BitStream::kShapeVersion3);
         },
         {0x41, 0x07, 0x00, 0xD9, 0x40, 0x00, 0x05, 0x00, 0x00, 0x00}},
        // Count 1; width 20 as UI16, then RGBA (DefineShape3).
        {"line style",
         [](C_SWF_BitStream& s) {
             C_SWF_LineStyleArray lines;
             lines.lineStyleCount = 1;
             C_SWF_LineStyle line;
             line.width = 20;
             line.color = {0xAA, 0xBB, 0xCC, 0xDD};
             lines.lineStyles = {line};
             s.SerializeLineStyleArray(lines, C_SWF_BitStream::kShapeVersion3);
         },
         {0x01, 0x14, 0x00, 0xAA, 0xBB, 0xCC, 0xDD}},
        // Flags HasRatio, HasMatrix, HasCharacter, Move (0x17); Depth 1, CharacterId 2, an empty
        // matrix, Ratio 0x8000.
        {"PlaceObject2 moving a morph",
         [](C_SWF_BitStream& s) {
             C_SWF_Tag_PlaceObject2 place;
             place.placeFlagHasRatio = Field(1);
             place.placeFlagHasMatrix = Field(1);
             place.placeFlagHasCharacter = Field(1);
             place.placeFlagMove = Field(1);
             place.depth = 1;
             place.characterId = 2;
             place.ratio = 0x8000;
             place.Serialize(s);
         },
         {0x17, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x80}},
        {"PlaceObject2 placing with a translation",
         [](C_SWF_BitStream& s) {
             C_SWF_Tag_PlaceObject2 place;
             place.placeFlagHasMatrix = Field(1);
             place.placeFlagHasCharacter = Field(1);
             place.depth = 0x0102;
             place.characterId = 3;
             place.matrix = Translation(6, 10, -20);
             place.Serialize(s);
         },
         {0x06, 0x02, 0x01, 0x03, 0x00, 0x0C, 0x55, 0x80}},
        // Id 1, empty bounds, Offset 16 (fill count, one line style of 13 bytes, start edges of
        // 2 bytes), no fills, widths 20 and 60, red to blue, start edges with NumLineBits 1,
        // empty end edges.
        {"DefineMorphShape offset to the end edges",
         [](C_SWF_BitStream& s) {
             C_SWF_Tag_DefineMorphShape morph;
             morph.characterId = 1;
             morph.morphLineStyles.lineStyleCount = 1;
             morph.morphLineStyles.lineStyles = {{20, 60, {0xFF, 0, 0, 0xFF}, {0, 0, 0xFF, 0xFF}}};
             morph.startEdges.numLineBits = Field(1);
             morph.startEdges.records = {C_SWF_ShapeRecord{}};
             morph.endEdges.records = {C_SWF_ShapeRecord{}};
             morph.Serialize(s);
         },
         {0x01, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x01, 0x14, 0x00, 0x3C, 0x00, 0xFF, 0x00, 0x00, 0xFF,
          0x00, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}},
    };
    for (const LayoutCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        StreamResult result;
        const Bytes bytes = WriteWith(c.write, &result);
        ASSERT_TRUE(result.good) << result.error;
        EXPECT_EQ(c.expected, bytes);
    }
}
}
