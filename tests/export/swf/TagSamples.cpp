#include "TagSamples.h"

#include "export/swf/AS_ActionPlay.h"
#include "export/swf/AS_ActionStop.h"
#include "export/swf/SWF_Tag_DefineBits.h"
#include "export/swf/SWF_Tag_DefineBitsJPEG2.h"
#include "export/swf/SWF_Tag_DefineBitsJPEG3.h"
#include "export/swf/SWF_Tag_DefineBitsLossless.h"
#include "export/swf/SWF_Tag_DefineBitsLossless2.h"
#include "export/swf/SWF_Tag_DefineButton.h"
#include "export/swf/SWF_Tag_DefineButton2.h"
#include "export/swf/SWF_Tag_DefineButtonCxform.h"
#include "export/swf/SWF_Tag_DefineButtonSound.h"
#include "export/swf/SWF_Tag_DefineEditText.h"
#include "export/swf/SWF_Tag_DefineFont.h"
#include "export/swf/SWF_Tag_DefineFont2.h"
#include "export/swf/SWF_Tag_DefineFontInfo.h"
#include "export/swf/SWF_Tag_DefineFontInfo2.h"
#include "export/swf/SWF_Tag_DefineMorphShape.h"
#include "export/swf/SWF_Tag_DefineShape.h"
#include "export/swf/SWF_Tag_DefineShape2.h"
#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_DefineSound.h"
#include "export/swf/SWF_Tag_DefineSprite.h"
#include "export/swf/SWF_Tag_DefineText.h"
#include "export/swf/SWF_Tag_DoAction.h"
#include "export/swf/SWF_Tag_EnableDebugger.h"
#include "export/swf/SWF_Tag_EnableDebugger2.h"
#include "export/swf/SWF_Tag_End.h"
#include "export/swf/SWF_Tag_ExportAssets.h"
#include "export/swf/SWF_Tag_FrameLabel.h"
#include "export/swf/SWF_Tag_JPEGTables.h"
#include "export/swf/SWF_Tag_PlaceObject.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"
#include "export/swf/SWF_Tag_Protect.h"
#include "export/swf/SWF_Tag_RemoveObject.h"
#include "export/swf/SWF_Tag_RemoveObject2.h"
#include "export/swf/SWF_Tag_ScriptLimits.h"
#include "export/swf/SWF_Tag_SetBackgroundColor.h"
#include "export/swf/SWF_Tag_SetTabIndex.h"
#include "export/swf/SWF_Tag_ShowFrame.h"
#include "export/swf/SWF_Tag_SoundStreamBlock.h"
#include "export/swf/SWF_Tag_SoundStreamHead.h"
#include "export/swf/SWF_Tag_SoundStreamHead2.h"
#include "export/swf/SWF_Tag_StartSound.h"
#include "export/swf/SWF_Tag_Unknown.h"

namespace
{
C_SWF_BitField F(int32_t value)
{
    return {0, value};
}

C_SWF_Rect Rect(int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax)
{
    C_SWF_Rect rect;
    rect.nbits = F(16);
    rect.xmin = F(xmin);
    rect.xmax = F(xmax);
    rect.ymin = F(ymin);
    rect.ymax = F(ymax);
    return rect;
}

C_SWF_Matrix Translation(int32_t x, int32_t y)
{
    C_SWF_Matrix matrix;
    matrix.hasScale = F(1);
    matrix.nScaleBits = F(18);
    matrix.scaleX.value = 1.0;
    matrix.scaleY.value = -0.5;
    matrix.nTranslateBits = F(16);
    matrix.translateX = F(x);
    matrix.translateY = F(y);
    return matrix;
}

C_SWF_ColorTransform Transform()
{
    C_SWF_ColorTransform transform;
    transform.hasMultTerms = F(1);
    transform.hasAddTerms = F(1);
    transform.nbits = F(10);
    transform.redMultTerm = F(256);
    transform.alphaMultTerm = F(128);
    transform.blueAddTerm = F(-255);
    return transform;
}

C_SWF_ShapeRecord ShapeRecord(std::initializer_list<std::pair<C_SWF_BitField C_SWF_ShapeRecord::*, int32_t>> fields)
{
    C_SWF_ShapeRecord record;
    for (const auto& [field, value] : fields)
        record.*field = F(value);
    return record;
}

std::vector<C_SWF_ShapeRecord> Outline(int32_t size)
{
    using R = C_SWF_ShapeRecord;
    return {ShapeRecord({{&R::stateMoveTo, 1}, {&R::moveBits, 12}, {&R::moveDeltaX, -size}, {&R::moveDeltaY, size},
                         {&R::stateLineStyle, 1}, {&R::lineStyle, 1}, {&R::stateFillStyle0, 1}, {&R::fillStyle0, 1}}),
            ShapeRecord({{&R::typeFlag, 1}, {&R::straightFlag, 1}, {&R::numBits, 10}, {&R::generalLineFlag, 1},
                         {&R::deltaX, 2 * size}, {&R::deltaY, -size}}),
            ShapeRecord({{&R::typeFlag, 1}, {&R::straightFlag, 1}, {&R::numBits, 10}, {&R::vertLineFlag, 1},
                         {&R::deltaY, size}}),
            ShapeRecord({{&R::typeFlag, 1}, {&R::numBits, 10}, {&R::controlDeltaX, -size}, {&R::controlDeltaY, 7},
                         {&R::anchorDeltaX, -size}, {&R::anchorDeltaY, -7}}),
            C_SWF_ShapeRecord{}};
}

C_SWF_ActionRecord Play()
{
    C_SWF_ActionRecord record;
    record.actionCode = 0x06;
    record.action = std::make_unique<C_AS_ActionPlay>();
    return record;
}

C_SWF_ActionRecord Stop()
{
    C_SWF_ActionRecord record;
    record.actionCode = 0x07;
    record.action = std::make_unique<C_AS_ActionStop>();
    return record;
}

C_SWF_ButtonRecord Button(uint16_t character)
{
    C_SWF_ButtonRecord record;
    record.buttonStateUp = F(1);
    record.buttonStateOver = F(1);
    record.characterId = character;
    record.placeDepth = 1;
    record.placeMatrix = Translation(10, 20);
    record.colorTransform = Transform();
    return record;
}

C_SWF_SoundInfo Loop()
{
    C_SWF_SoundInfo info;
    info.hasLoops = F(1);
    info.loopCount = 4;
    return info;
}

Bytes Raw(size_t size, uint8_t seed)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 31);
    return bytes;
}

size_t SizeOf(const StreamAction& action)
{
    return WriteWith(action).size();
}

template <class T>
T* Add(C_SWF_TagList& list, uint16_t code, uint8_t longHeader = 0)
{
    auto tag = std::make_unique<T>();
    tag->tagCode = code;
    tag->longHeader = longHeader;
    return static_cast<T*>(list.Append(std::move(tag)));
}
}

C_SWF_Shape SampleGlyph(int32_t size)
{
    C_SWF_Shape shape;
    shape.numFillBits = F(1);
    shape.numLineBits = F(1);
    shape.records = Outline(size);
    return shape;
}

C_SWF_ShapeWithStyle SampleShape()
{
    C_SWF_ShapeWithStyle shape;
    C_SWF_FillStyle fill;
    fill.color = {255, 128, 0, 200};
    shape.fillStyles.fillStyles = {fill};
    shape.lineStyles.lineStyles = {{20, {0, 0, 0, 255}}};
    shape.shape = SampleGlyph(300);
    return shape;
}

std::unique_ptr<C_SWF_TagList> EveryTagMovie()
{
    auto list = std::make_unique<C_SWF_TagList>(6);
    Add<C_SWF_Tag_SetBackgroundColor>(*list, 9)->backgroundColor = {10, 20, 30, 255};
    Add<C_SWF_Tag_DefineShape>(*list, 2)->shapes = SampleShape();
    Add<C_SWF_Tag_DefineShape2>(*list, 22)->shapes = SampleShape();
    auto* shape3 = Add<C_SWF_Tag_DefineShape3>(*list, 32, 1);
    shape3->shapeId = 3;
    shape3->shapeBounds = Rect(337, 20494, 213, 15589);
    shape3->shapes = SampleShape();

    auto* place = Add<C_SWF_Tag_PlaceObject>(*list, 4);
    place->characterId = 3;
    place->depth = 3;
    place->matrix = Translation(-100, 100);
    auto* placeColored = Add<C_SWF_Tag_PlaceObject>(*list, 4);
    placeColored->characterId = 3;
    placeColored->depth = 4;
    placeColored->matrix = Translation(1, 2);
    placeColored->hasColorTransform = true;
    placeColored->colorTransform = Transform();

    auto* remove = Add<C_SWF_Tag_RemoveObject>(*list, 5);
    remove->characterId = 3;
    remove->depth = 4;
    Add<C_SWF_Tag_JPEGTables>(*list, 8)->data = Raw(70, 1);
    auto* bits = Add<C_SWF_Tag_DefineBits>(*list, 6);
    bits->characterId = 5;
    bits->data = Raw(10, 2);

    auto* button = Add<C_SWF_Tag_DefineButton>(*list, 7);
    button->buttonId = 6;
    button->characters.push_back(Button(3));
    button->characters.push_back(Button(2));
    button->actions.push_back(Play());

    auto* font = Add<C_SWF_Tag_DefineFont>(*list, 10);
    font->fontId = 7;
    font->glyphShapeTable = {SampleGlyph(100), SampleGlyph(-50)};
    const size_t firstGlyph = SizeOf([&](C_SWF_BitStream& s) { s.SerializeShape(font->glyphShapeTable[0], 2); });
    font->offsetTable = {4, static_cast<uint16_t>(4 + firstGlyph)};

    auto* info = Add<C_SWF_Tag_DefineFontInfo>(*list, 13);
    info->fontId = 7;
    info->fontName = {'S', 'a', 'n', 's'};
    info->fontFlagsBold = F(1);
    info->codeTable = {'A', 'B'};
    auto* info2 = Add<C_SWF_Tag_DefineFontInfo2>(*list, 62);
    info2->fontId = 7;
    info2->fontName = {'S'};
    info2->fontFlagsWideCodes = F(1);
    info2->languageCode = 1;
    info2->codeTable = {0x3042, 0x3044};

    auto* text = Add<C_SWF_Tag_DefineText>(*list, 11);
    text->characterId = 8;
    text->textBounds = Rect(0, 2000, -200, 200);
    text->textMatrix = Translation(0, 0);
    text->glyphBits = 2;
    text->advanceBits = 9;
    text->textRecords.resize(2);
    for (C_SWF_TextRecord& record : text->textRecords)
    {
        record.textRecordType = F(1);
        record.styleFlagsHasFont = F(1);
        record.styleFlagsHasColor = F(1);
        record.styleFlagsHasYOffset = F(1);
        record.fontId = 7;
        record.textColor = {0, 0, 255, 255};
        record.yOffset = 240;
        record.textHeight = 480;
        record.glyphEntries = {{F(0), F(200)}, {F(1), F(-30)}, {F(0), F(255)}};
    }
    text->textRecords[1].glyphEntries.pop_back();

    auto* doAction = Add<C_SWF_Tag_DoAction>(*list, 12);
    doAction->actions.push_back(Stop());
    doAction->actions.push_back(Play());

    auto* sound = Add<C_SWF_Tag_DefineSound>(*list, 14);
    sound->soundId = 9;
    sound->soundFormat = F(2);
    sound->soundRate = F(3);
    sound->soundSize = F(1);
    sound->soundType = F(1);
    sound->soundSampleCount = 44100;
    sound->soundData = Raw(100, 3);
    auto* start = Add<C_SWF_Tag_StartSound>(*list, 15);
    start->soundId = 9;
    start->soundInfo = Loop();
    auto* buttonSound = Add<C_SWF_Tag_DefineButtonSound>(*list, 17);
    buttonSound->buttonId = 6;
    buttonSound->buttonSoundChar[0] = 9;
    buttonSound->buttonSoundInfo[0] = Loop();
    buttonSound->buttonSoundChar[2] = 9;
    buttonSound->buttonSoundInfo[2].syncStop = F(1);

    auto* head = Add<C_SWF_Tag_SoundStreamHead>(*list, 18);
    head->playbackSoundRate = F(3);
    head->streamSoundCompression = F(2);
    head->streamSoundSampleCount = 1152;
    head->latencySeek = -5;
    auto* head2 = Add<C_SWF_Tag_SoundStreamHead2>(*list, 45);
    head2->streamSoundCompression = F(1);
    head2->streamSoundType = F(1);
    head2->latencySeek = 0;
    Add<C_SWF_Tag_SoundStreamBlock>(*list, 19)->data = Raw(30, 4);

    auto* lossless = Add<C_SWF_Tag_DefineBitsLossless>(*list, 20);
    lossless->characterId = 10;
    lossless->bitmapFormat = 3;
    lossless->bitmapWidth = 16;
    lossless->bitmapHeight = 8;
    lossless->bitmapColorTableSize = 15;
    lossless->data = Raw(40, 5);
    auto* lossless2 = Add<C_SWF_Tag_DefineBitsLossless2>(*list, 36);
    lossless2->characterId = 11;
    lossless2->bitmapFormat = 5;
    lossless2->data = Raw(64, 6);
    auto* jpeg2 = Add<C_SWF_Tag_DefineBitsJPEG2>(*list, 21);
    jpeg2->characterId = 12;
    jpeg2->data = Raw(20, 7);
    auto* jpeg3 = Add<C_SWF_Tag_DefineBitsJPEG3>(*list, 35);
    jpeg3->characterId = 13;
    jpeg3->imageData = Raw(50, 8);
    jpeg3->bitmapAlphaData = Raw(50, 9);

    auto* cxform = Add<C_SWF_Tag_DefineButtonCxform>(*list, 23);
    cxform->buttonId = 6;
    cxform->buttonColorTransform = Transform();
    Add<C_SWF_Tag_Protect>(*list, 24)->data = Raw(5, 10);
    Add<C_SWF_Tag_Unknown>(*list, 25)->data = Raw(5, 11);

    auto* place2 = Add<C_SWF_Tag_PlaceObject2>(*list, 26);
    for (C_SWF_BitField* flag : {&place2->placeFlagHasClipActions, &place2->placeFlagHasClipDepth,
                                 &place2->placeFlagHasName, &place2->placeFlagHasRatio,
                                 &place2->placeFlagHasColorTransform, &place2->placeFlagHasMatrix,
                                 &place2->placeFlagHasCharacter, &place2->placeFlagMove})
        *flag = F(1);
    place2->depth = 20;
    place2->characterId = 3;
    place2->matrix = Translation(400, -400);
    place2->colorTransform = Transform();
    place2->ratio = 1000;
    place2->name = Text("clip");
    place2->clipDepth = 21;
    place2->clipActions.allEventFlags.enterFrame = F(1);
    place2->clipActions.allEventFlags.keyPress = F(1);
    place2->clipActions.clipActionRecords.resize(2);
    place2->clipActions.clipActionRecords[0].eventFlags.enterFrame = F(1);
    place2->clipActions.clipActionRecords[0].actions.push_back(Stop());
    place2->clipActions.clipActionRecords[0].actionRecordSize = 1;
    place2->clipActions.clipActionRecords[1].eventFlags.keyPress = F(1);
    place2->clipActions.clipActionRecords[1].keyCode = 32;
    place2->clipActions.clipActionRecords[1].actions.push_back(Play());
    place2->clipActions.clipActionRecords[1].actions.push_back(Play());
    place2->clipActions.clipActionRecords[1].actionRecordSize = 3;
    Add<C_SWF_Tag_RemoveObject2>(*list, 28)->depth = 20;

    auto* button2 = Add<C_SWF_Tag_DefineButton2>(*list, 34);
    button2->buttonId = 14;
    button2->trackAsMenu = F(1);
    button2->characters = {Button(3)};
    button2->actions.resize(2);
    button2->actions[0].condIdleToOverUp = F(1);
    button2->actions[0].actions.push_back(Play());
    button2->actions[1].condKeyPress = F(13);
    button2->actions[1].actions.push_back(Stop());
    const size_t characters = SizeOf([&](C_SWF_BitStream& s) {
        s.SerializeEndFlagList(button2->characters, button2->characterEndFlag,
                               [&](C_SWF_ButtonRecord& record) { s.SerializeButtonRecord(record, 2); });
    });
    button2->actionOffset = static_cast<uint16_t>(2 + characters);
    button2->actions[0].condActionSize =
        static_cast<uint16_t>(SizeOf([&](C_SWF_BitStream& s) { s.SerializeButtonCondAction(button2->actions[0]); }));

    auto* edit = Add<C_SWF_Tag_DefineEditText>(*list, 37);
    edit->characterId = 15;
    edit->bounds = Rect(-40, 4000, -40, 400);
    for (C_SWF_BitField* flag : {&edit->hasText, &edit->wordWrap, &edit->multiline, &edit->hasTextColor,
                                 &edit->hasMaxLength, &edit->hasFont, &edit->hasLayout, &edit->border, &edit->html})
        *flag = F(1);
    edit->fontId = 7;
    edit->fontHeight = 240;
    edit->textColor = {1, 2, 3, 4};
    edit->maxLength = 80;
    edit->align = 2;
    edit->leftMargin = 5;
    edit->indent = 6;
    edit->leading = 7;
    edit->variableName = Text("name");
    edit->initialText = Text("<b>hello</b>");

    auto* sprite = Add<C_SWF_Tag_DefineSprite>(*list, 39);
    sprite->spriteId = 16;
    sprite->frameCount = 1;
    sprite->controlTags = {0x40, 0x00, 0x00, 0x00};
    Add<C_SWF_Tag_FrameLabel>(*list, 43)->name = Text("start");

    auto* morph = Add<C_SWF_Tag_DefineMorphShape>(*list, 46);
    morph->characterId = 17;
    morph->startBounds = Rect(0, 100, 0, 100);
    morph->endBounds = Rect(0, 200, 0, 200);
    morph->offset = 12;
    morph->morphFillStyles.fillStyles.resize(1);
    morph->morphFillStyles.fillStyles[0].startColor = {255, 0, 0, 255};
    morph->morphLineStyles.lineStyles = {{20, 40, {0, 0, 0, 255}, {9, 9, 9, 9}}};
    morph->startEdges = SampleGlyph(50);
    morph->endEdges = SampleGlyph(100);

    auto* font2 = Add<C_SWF_Tag_DefineFont2>(*list, 48);
    font2->fontId = 18;
    font2->fontFlagsHasLayout = F(1);
    font2->fontFlagsWideOffsets = F(1);
    font2->fontName = {'M', 'o', 'n', 'o'};
    font2->glyphShapeTable = {SampleGlyph(10), SampleGlyph(20)};
    font2->offsetTable = {12, 40};
    font2->codeTableOffset = 70;
    font2->codeTable = {'a', 'b'};
    font2->fontAscent = 900;
    font2->fontDescent = 200;
    font2->fontLeading = -10;
    font2->fontAdvanceTable = {500, -1};
    font2->fontBoundsTable = {Rect(0, 10, 0, 10), Rect(-5, 5, -5, 5)};
    font2->fontKerningTable = {{'a', 'b', -20}};

    auto* exports = Add<C_SWF_Tag_ExportAssets>(*list, 56);
    exports->entries = {{3, Text("shape")}, {17, Text("morph")}};
    Add<C_SWF_Tag_EnableDebugger>(*list, 58)->data = Text("password-hash");
    auto* debugger2 = Add<C_SWF_Tag_EnableDebugger2>(*list, 64);
    debugger2->data = Text("hash");
    auto* limits = Add<C_SWF_Tag_ScriptLimits>(*list, 65);
    limits->maxRecursionDepth = 256;
    limits->scriptTimeoutSeconds = 15;
    auto* tabIndex = Add<C_SWF_Tag_SetTabIndex>(*list, 66);
    tabIndex->depth = 20;
    tabIndex->tabIndex = 3;
    Add<C_SWF_Tag_ShowFrame>(*list, 1);
    Add<C_SWF_Tag_End>(*list, 0);
    return list;
}

Bytes MovieFromBodies(const std::vector<std::pair<uint16_t, Bytes>>& tags)
{
    Bytes movie = {'F', 'W', 'S', 6, 0, 0, 0, 0, 0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00, 0x00, 0x0C, 0, 0};
    for (const auto& [code, body] : tags)
    {
        const bool longForm = body.size() > 62;
        const uint16_t word = static_cast<uint16_t>(code << 6 | (longForm ? 63 : body.size()));
        movie.push_back(static_cast<uint8_t>(word));
        movie.push_back(static_cast<uint8_t>(word >> 8));
        if (longForm)
            for (int i = 0; i < 4; ++i)
                movie.push_back(static_cast<uint8_t>(body.size() >> (8 * i)));
        movie.insert(movie.end(), body.begin(), body.end());
    }
    for (int i = 0; i < 4; ++i)
        movie[4 + i] = static_cast<uint8_t>(movie.size() >> (8 * i));
    return movie;
}
