#include "TagSamples.h"

#include "export/swf/SWF_Tag_DefineBitsJPEG3.h"
#include "export/swf/SWF_Tag_DefineButton2.h"
#include "export/swf/SWF_Tag_DefineButtonSound.h"
#include "export/swf/SWF_Tag_DefineEditText.h"
#include "export/swf/SWF_Tag_DefineFont.h"
#include "export/swf/SWF_Tag_DefineFont2.h"
#include "export/swf/SWF_Tag_DefineFontInfo2.h"
#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_DefineText.h"
#include "export/swf/SWF_Tag_DoAction.h"
#include "export/swf/SWF_Tag_PlaceObject.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"
#include "export/swf/SWF_Tag_SoundStreamHead.h"
#include "export/swf/SWF_Tag_Unknown.h"

#include <typeinfo>

namespace
{
// The n-th tag (0-based) of a list.
C_SWF_Tag* TagAt(const C_SWF_TagList& tags, size_t index)
{
    C_SWF_Tag* tag = tags.GetHead();
    while (tag && index--)
        tag = tag->next;
    return tag;
}

template <class T>
T* FirstTag(const C_SWF_TagList& tags)
{
    for (C_SWF_Tag* tag = tags.GetHead(); tag; tag = tag->next)
        if (auto* found = dynamic_cast<T*>(tag))
            return found;
    return nullptr;
}

// Reads a movie of raw bodies and returns its first tag of class T.
template <class T>
T* ReadSingle(ReadMovieResult& movie, uint16_t code, const Bytes& body)
{
    movie = ReadMovie(MovieFromBodies({{code, body}, {0, {}}}));
    EXPECT_TRUE(movie.stream.good) << movie.stream.error;
    return FirstTag<T>(*movie.tags);
}

TEST(TagCatalogue, EveryTagRoundTripsThroughAMovie)
{
    std::unique_ptr<C_SWF_TagList> original = EveryTagMovie();
    const Bytes bytes = WriteMovie(*original);
    ReadMovieResult movie = ReadMovie(bytes);
    ASSERT_TRUE(movie.stream.good) << movie.stream.error;
    EXPECT_EQ(movie.stream.bytePosition, bytes.size());
    EXPECT_EQ(movie.header.fileLength, bytes.size());
    ASSERT_EQ(TagCount(*movie.tags), TagCount(*original));
    for (size_t i = 0; i < TagCount(*original); ++i)
    {
        const C_SWF_Tag& expected = *TagAt(*original, i);
        const C_SWF_Tag& read = *TagAt(*movie.tags, i);
        EXPECT_EQ(read.tagCode, expected.tagCode) << i;
        EXPECT_EQ(typeid(read), typeid(expected)) << "tag " << i << " code " << expected.tagCode;
        EXPECT_EQ(read.length, expected.length) << "tag " << i << " code " << expected.tagCode;
    }
    EXPECT_EQ(movie.tags->GetBackgroundColor().green, 20);
    EXPECT_EQ(WriteMovie(*movie.tags), bytes) << "what was read writes the same movie";
}

TEST(TagCatalogue, ReadTagsKeepTheirFields)
{
    const Bytes bytes = WriteMovie(*EveryTagMovie());
    ReadMovieResult movie = ReadMovie(bytes);
    ASSERT_TRUE(movie.stream.good) << movie.stream.error;
    const C_SWF_TagList& tags = *movie.tags;

    auto* shape = FirstTag<C_SWF_Tag_DefineShape3>(tags);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->shapeVersion, 3);
    EXPECT_EQ(shape->longHeader, 1);
    EXPECT_EQ(shape->shapeBounds.xmax.value, 20494);
    EXPECT_EQ(shape->shapes.fillStyles.fillStyles[0].color.alpha, 200);
    auto* text = FirstTag<C_SWF_Tag_DefineText>(tags);
    ASSERT_EQ(text->textRecords.size(), 2u);
    EXPECT_EQ(text->textRecords[0].glyphEntries[2].glyphAdvance.value, 255);
    EXPECT_EQ(text->textRecords[1].glyphEntries.size(), 2u);
    auto* place = FirstTag<C_SWF_Tag_PlaceObject2>(tags);
    EXPECT_EQ(place->name, Text("clip"));
    ASSERT_EQ(place->clipActions.clipActionRecords.size(), 2u);
    EXPECT_EQ(place->clipActions.clipActionRecords[1].keyCode, 32);
    EXPECT_EQ(place->clipActions.clipActionRecords[1].actions.size(), 2u);
    auto* button = FirstTag<C_SWF_Tag_DefineButton2>(tags);
    ASSERT_EQ(button->actions.size(), 2u);
    EXPECT_EQ(button->actions[1].condKeyPress.value, 13);
    auto* info = FirstTag<C_SWF_Tag_DefineFontInfo2>(tags);
    EXPECT_EQ(info->codeTable, (std::vector<uint16_t>{0x3042, 0x3044}));
    auto* font2 = FirstTag<C_SWF_Tag_DefineFont2>(tags);
    EXPECT_EQ(font2->fontKerningTable[0].fontKerningAdjustment, -20);
    EXPECT_EQ(font2->fontBoundsTable[1].xmin.value, -5);
    auto* jpeg3 = FirstTag<C_SWF_Tag_DefineBitsJPEG3>(tags);
    EXPECT_EQ(jpeg3->alphaDataOffset, 50u);
    EXPECT_EQ(jpeg3->bitmapAlphaData.size(), 50u);
}

TEST(PlaceObjectTag, ColorTransformOnlyWhenTheBodyHoldsOne)
{
    // Character 1, depth 2, a matrix without scale or rotation (translation bits 0).
    const Bytes withoutTransform = {1, 0, 2, 0, 0x00};
    ReadMovieResult movie;
    auto* place = ReadSingle<C_SWF_Tag_PlaceObject>(movie, 4, withoutTransform);
    ASSERT_NE(place, nullptr);
    EXPECT_FALSE(place->hasColorTransform);
    Bytes withTransform = withoutTransform;
    withTransform.push_back(0x00);
    place = ReadSingle<C_SWF_Tag_PlaceObject>(movie, 4, withTransform);
    ASSERT_NE(place, nullptr);
    EXPECT_TRUE(place->hasColorTransform);
    // The colour transform is written back, not dropped.
    EXPECT_EQ(WriteMovie(*movie.tags), MovieFromBodies({{4, withTransform}, {0, {}}}));
}

TEST(TagBodies, EdgeCasesReadAsDescribed)
{
    ReadMovieResult movie;
    auto* doAction = ReadSingle<C_SWF_Tag_DoAction>(movie, 12, {0x00});
    ASSERT_NE(doAction, nullptr);
    EXPECT_TRUE(doAction->actions.empty());

    // A font whose first offset is 2 has one glyph; 0 none.
    auto* font = ReadSingle<C_SWF_Tag_DefineFont>(movie, 10, {1, 0, 2, 0, 0x10, 0x00});
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->glyphShapeTable.size(), 1u);
    font = ReadSingle<C_SWF_Tag_DefineFont>(movie, 10, {1, 0, 0, 0});
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->glyphShapeTable.empty());

    Bytes jpeg3 = {1, 0, 50, 0, 0, 0};
    jpeg3.resize(106, 0xEE);
    auto* bits = ReadSingle<C_SWF_Tag_DefineBitsJPEG3>(movie, 35, jpeg3);
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(bits->imageData.size(), 50u);
    EXPECT_EQ(bits->bitmapAlphaData.size(), 50u);

    // Bounds with Nbits 0, then only HasText set: variable name and initial text follow.
    auto* edit = ReadSingle<C_SWF_Tag_DefineEditText>(movie, 37, {1, 0, 0x00, 0x80, 0x00, 'v', 0, 'h', 'i', 0});
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->variableName, Text("v"));
    EXPECT_EQ(edit->initialText, Text("hi"));

    // Characters 0, 5, 0, 0: only the second state has sound info.
    auto* sound = ReadSingle<C_SWF_Tag_DefineButtonSound>(movie, 17, {1, 0, 0, 0, 5, 0, 0x04, 3, 0, 0, 0, 0, 0});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->buttonSoundChar[1], 5);
    EXPECT_EQ(sound->buttonSoundInfo[1].loopCount, 3);

    for (const auto& [compression, body] :
         {std::pair<uint8_t, Bytes>{0x20, {0, 0x20, 0, 4, 0xFB, 0xFF}}, {0x10, {0, 0x10, 0, 4}}})
    {
        auto* head = ReadSingle<C_SWF_Tag_SoundStreamHead>(movie, 18, body);
        ASSERT_NE(head, nullptr);
        EXPECT_EQ(head->latencySeek, compression == 0x20 ? -5 : 0);
    }
}

TEST(TagBodies, DamagedBodiesAreReported)
{
    struct Case
    {
        const char* what;
        uint16_t code;
        Bytes body;
        const char* error;
    };
    const Case cases[] = {
        {"glyph offset back into the offset table", 10, {1, 0, 4, 0, 1, 0, 0x10, 0x00}, "error loading shape record array\n"},
        {"glyph count beyond the data", 10, {1, 0, 0xFE, 0xFF, 0x10, 0x00}, "a count exceeds the data left"},
        {"condition action size leading back", 34,
         {1, 0, 0, 3, 0, 0x00, 1, 0, 0x00, 0x00, 0x06, 0x00}, "a button's action offsets point back into its own data"},
        {"action offset leading back", 34, {1, 0, 0, 1, 0, 0x00}, "a button's action offsets point back into its own data"},
        {"bitmap format without a layout", 20, {1, 0, 6, 1, 0, 1, 0, 0}, "unsupported bitmap format"},
        {"alpha offset beyond the body", 35, {1, 0, 0xFF, 0, 0, 0, 1, 2}, "a count exceeds the data left"},
        {"font name longer than the body", 13, {1, 0, 9, 'a'}, "a count exceeds the data left"},
        {"export count beyond the body", 56, {0xFF, 0xFF, 1, 0, 'a', 0}, "a count exceeds the data left"},
    };
    for (const Case& c : cases)
    {
        const ReadMovieResult movie = ReadMovie(MovieFromBodies({{c.code, c.body}, {0, {}}}));
        EXPECT_FALSE(movie.stream.good) << c.what;
        EXPECT_EQ(movie.stream.error, c.error) << c.what;
    }
}

TEST(TagWriting, InconsistentTagsAreRefused)
{
    struct Case
    {
        const char* what;
        std::function<void(C_SWF_TagList&)> add;
    };
    const Case cases[] = {
        {"font offsets disagree with the glyphs",
         [](C_SWF_TagList& list) {
             auto font = std::make_unique<C_SWF_Tag_DefineFont>();
             font->tagCode = 10;
             font->offsetTable = {4, 20};
             font->glyphShapeTable = {SampleGlyph(1)};
             list.Append(std::move(font));
         }},
        {"font glyph offset overlapping the previous glyph",
         [](C_SWF_TagList& list) {
             auto font = std::make_unique<C_SWF_Tag_DefineFont>();
             font->tagCode = 10;
             font->offsetTable = {4, 5};
             font->glyphShapeTable = {SampleGlyph(100), SampleGlyph(100)};
             list.Append(std::move(font));
         }},
        {"button actions without an offset",
         [](C_SWF_TagList& list) {
             auto button = std::make_unique<C_SWF_Tag_DefineButton2>();
             button->tagCode = 34;
             button->actions.resize(1);
             list.Append(std::move(button));
         }},
        {"font info codes without the font's glyph count",
         [](C_SWF_TagList& list) {
             auto info = std::make_unique<C_SWF_Tag_DefineFontInfo>();
             info->tagCode = 13;
             info->codeTable = {1, 2, 3};
             list.Append(std::move(info));
         }},
    };
    for (const Case& c : cases)
    {
        C_SWF_TagList list(6);
        c.add(list);
        StreamResult result;
        WriteWith([&](C_SWF_BitStream& stream) { EXPECT_FALSE(list.Serialize(stream)) << c.what; }, &result);
        EXPECT_FALSE(result.good) << c.what;
    }
}
}
