#pragma once

// In-memory forms of the SWF compound records. Each record holds every field it can have; its
// flags decide which fields C_SWF_BitStream moves.

#include "export/swf/AS_ActionRecord.h"

#include <cstdint>
#include <vector>

// A UB[n] or SB[n] field: its width and its value.
struct C_SWF_BitField
{
    uint8_t width = 0;
    int32_t value = 0;
};

// An FB[n] field: 16.16 fixed point.
struct C_SWF_Fixed
{
    uint8_t width = 0;
    int32_t raw = 0;
    double value = 0.0;
};

// A STRING, terminating zero included.
using C_SWF_String = std::vector<uint8_t>;

struct C_SWF_RGBA
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

struct C_SWF_Rect
{
    C_SWF_BitField nbits, xmin, xmax, ymin, ymax;
};

struct C_SWF_Matrix
{
    C_SWF_BitField hasScale, nScaleBits;
    C_SWF_Fixed scaleX, scaleY;
    C_SWF_BitField hasRotate, nRotateBits;
    C_SWF_Fixed rotateSkew0, rotateSkew1;
    C_SWF_BitField nTranslateBits, translateX, translateY;
};

// CXFORM and CXFORMWITHALPHA; the alpha terms move only with the latter.
struct C_SWF_ColorTransform
{
    C_SWF_BitField hasAddTerms, hasMultTerms, nbits;
    C_SWF_BitField redMultTerm, greenMultTerm, blueMultTerm, alphaMultTerm;
    C_SWF_BitField redAddTerm, greenAddTerm, blueAddTerm, alphaAddTerm;
};

struct C_SWF_GradRecord
{
    uint8_t ratio = 0;
    C_SWF_RGBA color;
};

struct C_SWF_Gradient
{
    uint8_t numGradients = 0;
    std::vector<C_SWF_GradRecord> records;
};

struct C_SWF_FillStyle
{
    uint8_t fillStyleType = 0;
    C_SWF_RGBA color;
    C_SWF_Matrix gradientMatrix;
    C_SWF_Gradient gradient;
    uint16_t bitmapId = 0;
    C_SWF_Matrix bitmapMatrix;
};

struct C_SWF_FillStyleArray
{
    uint8_t fillStyleCount = 0;
    uint16_t fillStyleCountExtended = 0;
    std::vector<C_SWF_FillStyle> fillStyles;
};

struct C_SWF_LineStyle
{
    uint16_t width = 0;
    C_SWF_RGBA color;
};

struct C_SWF_LineStyleArray
{
    uint8_t lineStyleCount = 0;
    uint16_t lineStyleCountExtended = 0;
    std::vector<C_SWF_LineStyle> lineStyles;
};

// Style-change, end and edge records in one form.
struct C_SWF_ShapeRecord
{
    C_SWF_BitField typeFlag;
    C_SWF_BitField stateNewStyles, stateLineStyle, stateFillStyle1, stateFillStyle0, stateMoveTo;
    C_SWF_BitField moveBits, moveDeltaX, moveDeltaY;
    C_SWF_BitField fillStyle0, fillStyle1, lineStyle;
    C_SWF_FillStyleArray fillStyles;
    C_SWF_LineStyleArray lineStyles;
    C_SWF_BitField numFillBits, numLineBits;
    C_SWF_BitField straightFlag, numBits, generalLineFlag, vertLineFlag;
    C_SWF_BitField deltaX, deltaY;
    C_SWF_BitField controlDeltaX, controlDeltaY, anchorDeltaX, anchorDeltaY;

    bool IsEndRecord() const;
};

// SHAPE; the record list ends with its end record.
struct C_SWF_Shape
{
    C_SWF_BitField numFillBits, numLineBits;
    std::vector<C_SWF_ShapeRecord> records;
};

struct C_SWF_ShapeWithStyle
{
    C_SWF_FillStyleArray fillStyles;
    C_SWF_LineStyleArray lineStyles;
    C_SWF_Shape shape;
};

struct C_SWF_MorphGradRecord
{
    uint8_t startRatio = 0;
    C_SWF_RGBA startColor;
    uint8_t endRatio = 0;
    C_SWF_RGBA endColor;
};

struct C_SWF_MorphGradient
{
    uint8_t numGradients = 0;
    std::vector<C_SWF_MorphGradRecord> records;
};

struct C_SWF_MorphFillStyle
{
    uint8_t fillStyleType = 0;
    C_SWF_RGBA startColor, endColor;
    C_SWF_Matrix startGradientMatrix, endGradientMatrix;
    C_SWF_MorphGradient gradient;
    uint16_t bitmapId = 0;
    C_SWF_Matrix startBitmapMatrix, endBitmapMatrix;
};

struct C_SWF_MorphFillStyleArray
{
    uint8_t fillStyleCount = 0;
    uint16_t fillStyleCountExtended = 0;
    std::vector<C_SWF_MorphFillStyle> fillStyles;
};

struct C_SWF_MorphLineStyle
{
    uint16_t startWidth = 0;
    uint16_t endWidth = 0;
    C_SWF_RGBA startColor, endColor;
};

struct C_SWF_MorphLineStyleArray
{
    uint8_t lineStyleCount = 0;
    uint16_t lineStyleCountExtended = 0;
    std::vector<C_SWF_MorphLineStyle> lineStyles;
};

struct C_SWF_GlyphEntry
{
    C_SWF_BitField glyphIndex, glyphAdvance;
};

struct C_SWF_TextRecord
{
    C_SWF_BitField textRecordType, styleFlagsReserved;
    C_SWF_BitField styleFlagsHasFont, styleFlagsHasColor, styleFlagsHasYOffset, styleFlagsHasXOffset;
    uint16_t fontId = 0;
    C_SWF_RGBA textColor;
    int16_t xOffset = 0;
    int16_t yOffset = 0;
    uint16_t textHeight = 0;
    uint8_t glyphCount = 0;
    std::vector<C_SWF_GlyphEntry> glyphEntries;
};

struct C_SWF_SoundEnvelope
{
    uint32_t pos44 = 0;
    uint16_t leftLevel = 0;
    uint16_t rightLevel = 0;
};

struct C_SWF_SoundInfo
{
    C_SWF_BitField reserved, syncStop, syncNoMultiple, hasEnvelope, hasLoops, hasOutPoint, hasInPoint;
    uint32_t inPoint = 0;
    uint32_t outPoint = 0;
    uint16_t loopCount = 0;
    uint8_t envPoints = 0;
    std::vector<C_SWF_SoundEnvelope> envelopeRecords;
};

struct C_SWF_ButtonRecord
{
    C_SWF_BitField buttonReserved, buttonStateHitTest, buttonStateDown, buttonStateOver, buttonStateUp;
    uint16_t characterId = 0;
    uint16_t placeDepth = 0;
    C_SWF_Matrix placeMatrix;
    C_SWF_ColorTransform colorTransform;
};

struct C_SWF_ButtonCondAction
{
    uint16_t condActionSize = 0;
    C_SWF_BitField condIdleToOverDown, condOutDownToIdle, condOutDownToOverDown, condOverDownToOutDown;
    C_SWF_BitField condOverDownToOverUp, condOverUpToOverDown, condOverUpToIdle, condIdleToOverUp;
    C_SWF_BitField condKeyPress, condOverDownToIdle;
    std::vector<C_SWF_ActionRecord> actions;
    uint8_t actionEndFlag = 0;
};

struct C_SWF_ClipEventFlags
{
    C_SWF_BitField keyUp, keyDown, mouseUp, mouseDown, mouseMove, unload, enterFrame, load;
    C_SWF_BitField dragOver, rollOut, rollOver, releaseOutside, release, press, initialize, data;
    C_SWF_BitField reserved1, construct, keyPress, dragOut, reserved2;
};

struct C_SWF_ClipActionRecord
{
    C_SWF_ClipEventFlags eventFlags;
    uint32_t actionRecordSize = 0;
    uint8_t keyCode = 0;
    std::vector<C_SWF_ActionRecord> actions;
};

struct C_SWF_ClipActions
{
    uint16_t reserved = 0;
    C_SWF_ClipEventFlags allEventFlags;
    std::vector<C_SWF_ClipActionRecord> clipActionRecords;
};

struct C_SWF_KerningRecord
{
    uint16_t fontKerningCode1 = 0;
    uint16_t fontKerningCode2 = 0;
    int16_t fontKerningAdjustment = 0;
};

struct C_SWF_ExportEntry
{
    uint16_t tag = 0;
    C_SWF_String name;
};
