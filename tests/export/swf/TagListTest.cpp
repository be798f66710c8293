#include "TagSamples.h"

#include "export/swf/SWF_Tag_DefineButtonCxform.h"
#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_End.h"
#include "export/swf/SWF_Tag_Protect.h"
#include "export/swf/SWF_Tag_SetBackgroundColor.h"
#include "export/swf/SWF_Tag_ShowFrame.h"
#include "export/swf/SWF_Tag_Unknown.h"

#include <random>

namespace
{
constexpr size_t kHeaderSize = 21;

// The bytes of a tag list written alone.
Bytes WriteList(C_SWF_TagList& list, StreamResult* result = nullptr)
{
    return WriteWith([&](C_SWF_BitStream& stream) { list.Serialize(stream); }, result);
}

template <class T>
T* Add(C_SWF_TagList& list, uint16_t code, uint8_t longHeader = 0)
{
    auto tag = std::make_unique<T>();
    tag->tagCode = code;
    tag->longHeader = longHeader;
    return static_cast<T*>(list.Append(std::move(tag)));
}

TEST(RecordHeaders, ShortAndLongForms)
{
    struct Case
    {
        const char* what;
        std::function<void(C_SWF_TagList&)> add;
        Bytes header;
        uint8_t longHeader;
    };
    const Case cases[] = {
        {"show frame", [](C_SWF_TagList& l) { Add<C_SWF_Tag_ShowFrame>(l, 1); }, {0x40, 0x00}, 0},
        {"end", [](C_SWF_TagList& l) { Add<C_SWF_Tag_End>(l, 0); }, {0x00, 0x00}, 0},
        {"background", [](C_SWF_TagList& l) { Add<C_SWF_Tag_SetBackgroundColor>(l, 9)->backgroundColor = {1, 2, 3, 255}; },
         {0x43, 0x02}, 0},
        {"62 bytes fit the short form", [](C_SWF_TagList& l) { Add<C_SWF_Tag_Protect>(l, 24)->data.assign(62, 7); },
         {0x3E, 0x06}, 0},
        {"63 bytes take the long form", [](C_SWF_TagList& l) { Add<C_SWF_Tag_Protect>(l, 24)->data.assign(63, 7); },
         {0x3F, 0x06, 63, 0, 0, 0}, 1},
        {"long flag on a short body", [](C_SWF_TagList& l) { Add<C_SWF_Tag_Protect>(l, 24, 1)->data.assign(20, 7); },
         {0x3F, 0x06, 20, 0, 0, 0}, 1},
        {"70 000 bytes", [](C_SWF_TagList& l) { Add<C_SWF_Tag_Protect>(l, 24)->data.assign(70000, 7); },
         {0x3F, 0x06, 0x70, 0x11, 0x01, 0x00}, 1},
        // Six bits of colour transform after the button id: the partial byte counts.
        {"body ending in bit fields", [](C_SWF_TagList& l) { Add<C_SWF_Tag_DefineButtonCxform>(l, 23); },
         {0xC3, 0x05}, 0},
    };
    for (const Case& c : cases)
    {
        C_SWF_TagList list(6);
        c.add(list);
        StreamResult result;
        const Bytes bytes = WriteList(list, &result);
        ASSERT_TRUE(result.good) << c.what << ": " << result.error;
        ASSERT_GE(bytes.size(), c.header.size()) << c.what;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.header.size()), c.header) << c.what;
        EXPECT_EQ(list.GetHead()->length, bytes.size() - c.header.size()) << c.what;
        EXPECT_EQ(list.GetHead()->longHeader, c.longHeader) << c.what;
        if (c.header.size() > 2 && bytes.size() > c.header.size())
        {
            EXPECT_EQ(bytes[c.header.size()], 7) << c.what << ": the body follows the grown header intact";
        }
    }
}

TEST(RecordHeaders, DefineShape3WithLongFlag)
{
    C_SWF_TagList list(6);
    auto* shape = Add<C_SWF_Tag_DefineShape3>(list, 32, 1);
    shape->shapeBounds.nbits.value = 1;
    shape->shapes.shape.records.resize(1);
    Add<C_SWF_Tag_ShowFrame>(list, 1);
    const Bytes bytes = WriteList(list);
    // Id 2, bounds 2 (nine bits), no styles 2, index widths 1, end record 1.
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{0x3F, 0x08, 8, 0, 0, 0}));
    EXPECT_EQ(Bytes(bytes.end() - 2, bytes.end()), (Bytes{0x40, 0x00}));
}

TEST(Header, MovesEveryFieldInOrder)
{
    C_SWF_Header header;
    const Bytes bytes = WriteWith([&](C_SWF_BitStream& stream) {
        header.signature[0] = 'F';
        header.signature[1] = 'W';
        header.signature[2] = 'S';
        header.version = 6;
        header.fileLength = 21;
        header.frameSize.nbits.value = 15;
        header.frameSize.xmax.value = 11000;
        header.frameSize.ymax.value = 8000;
        header.frameRate = 0x0C00;
        header.frameCount = 3;
        header.Serialize(stream);
    });
    EXPECT_EQ(bytes, (Bytes{'F', 'W', 'S', 6, 21, 0, 0, 0, 0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00, 0x00,
                            0x0C, 3, 0}));
    C_SWF_Header copy;
    ASSERT_TRUE(ReadWith(bytes, [&](C_SWF_BitStream& stream) { copy.Serialize(stream); }).good);
    EXPECT_EQ(copy.frameSize.ymax.value, 8000);
    EXPECT_EQ(copy.frameCount, 3);
}

TEST(TagListReading, UnknownCodes)
{
    // Code 25 has no class but can be written back; code 50 is read the same way but refused.
    ReadMovieResult movie = ReadMovie(MovieFromBodies({{25, {1, 2, 3, 4, 5}}, {0, {}}}));
    ASSERT_TRUE(movie.stream.good) << movie.stream.error;
    auto* unknown = dynamic_cast<C_SWF_Tag_Unknown*>(movie.tags->GetHead());
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->data, (Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(WriteMovie(*movie.tags), MovieFromBodies({{25, {1, 2, 3, 4, 5}}, {0, {}}}));

    movie = ReadMovie(MovieFromBodies({{1, {}}, {50, {9, 9}}, {1, {}}, {0, {}}}));
    ASSERT_TRUE(movie.stream.good) << movie.stream.error;
    ASSERT_EQ(TagCount(*movie.tags), 4u);
    StreamResult result;
    const Bytes bytes = WriteList(*movie.tags, &result);
    EXPECT_FALSE(result.good);
    EXPECT_EQ(result.error, "un-supported tag type: 50\n");
    EXPECT_EQ(bytes, (Bytes{0x40, 0x00})) << "the tags before the refused one";
}

TEST(TagListReading, SequenceWithoutEndIsReportedButKept)
{
    const ReadMovieResult movie = ReadMovie(MovieFromBodies({{1, {}}, {9, {1, 2, 3}}}));
    EXPECT_FALSE(movie.stream.good);
    EXPECT_EQ(movie.stream.error, "the tag sequence ends without its End tag");
    EXPECT_EQ(TagCount(*movie.tags), 2u);
    EXPECT_EQ(movie.tags->GetBackgroundColor().blue, 3);
}

TEST(TagListReading, DamagedMoviesAreReported)
{
    struct Case
    {
        const char* what;
        Bytes movie;
        const char* error;
    };
    Bytes compressed = MovieFromBodies({{0, {}}});
    compressed[0] = 'C';
    Bytes longer = MovieFromBodies({{0, {}}});
    longer[4] += 1;
    // The End tag asks for a long length the file does not hold.
    Bytes tagPastTheEnd = MovieFromBodies({{1, {}}, {0, {}}});
    tagPastTheEnd[tagPastTheEnd.size() - 2] = 0x3F;
    // A single byte where the next record header should be.
    Bytes oddByte = MovieFromBodies({{1, {}}});
    oddByte.push_back(0x40);
    oddByte[4] += 1;
    Bytes lengthPastTheEnd = MovieFromBodies({{9, {1, 2, 3, 4, 5}}});
    lengthPastTheEnd.resize(lengthPastTheEnd.size() - 2);
    lengthPastTheEnd[4] -= 2;
    Bytes hugeLength = MovieFromBodies({{24, Bytes(70, 1)}, {0, {}}});
    hugeLength[kHeaderSize + 5] = 0x7F;
    const Case cases[] = {
        {"compressed movie", compressed, "not an uncompressed SWF file"},
        {"header longer than the file", longer, "the file is shorter than its header says"},
        {"odd byte for a record header", oddByte, "unexpected end of data"},
        {"length past the end", lengthPastTheEnd, "error loading current tag 1\n"},
        {"long length past the end", hugeLength, "error loading current tag 1\n"},
        {"body shorter than its fields", MovieFromBodies({{28, {1}}, {0, {}}}), "unexpected end of data"},
        {"body longer than its fields", MovieFromBodies({{9, {1, 2, 3, 4}}, {0, {}}}), "error loading current tag 1\n"},
        {"second tag longer than its fields", MovieFromBodies({{1, {}}, {28, {1, 0, 0}}, {0, {}}}),
         "error loading current tag 2\n"},
        {"unimplemented action", MovieFromBodies({{12, {0x0A, 0x00}}, {0, {}}}), "Unimplemented ActionCode 10"},
        {"header code without its length", tagPastTheEnd, nullptr},
    };
    for (const Case& c : cases)
    {
        const ReadMovieResult read = ReadMovie(c.movie);
        EXPECT_FALSE(read.stream.good) << c.what;
        EXPECT_FALSE(read.stream.error.empty()) << c.what;
        if (c.error)
        {
            EXPECT_EQ(read.stream.error, c.error) << c.what;
        }
    }
}

TEST(TagListReading, TruncationAtEveryOffsetIsReported)
{
    const Bytes movie = WriteMovie(*EveryTagMovie());
    for (size_t size = 0; size < movie.size(); ++size)
    {
        Bytes truncated(movie.begin(), movie.begin() + size);
        EXPECT_FALSE(ReadMovie(truncated).stream.good) << "truncated to " << size;
        // With its declared length made to agree, the tag reader itself must notice.
        if (size >= 8)
        {
            for (int i = 0; i < 4; ++i)
                truncated[4 + i] = static_cast<uint8_t>(size >> (8 * i));
            const ReadMovieResult read = ReadMovie(truncated);
            EXPECT_FALSE(read.stream.good) << "truncated to " << size;
            EXPECT_FALSE(read.stream.error.empty());
        }
    }
}

TEST(TagListReading, CorruptedBytesNeverCrashOrHang)
{
    const Bytes movie = WriteMovie(*EveryTagMovie());
    std::mt19937 random(20261210);
    std::uniform_int_distribution<size_t> offset(kHeaderSize, movie.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int failures = 0;
    for (int round = 0; round < 1500; ++round)
    {
        Bytes damaged = movie;
        for (int flips = 1 + round % 3; flips > 0; --flips)
            damaged[offset(random)] = static_cast<uint8_t>(byte(random));
        const ReadMovieResult read = ReadMovie(damaged);
        if (!read.stream.good)
        {
            ++failures;
            EXPECT_FALSE(read.stream.error.empty());
        }
    }
    EXPECT_GT(failures, 0);
}

TEST(TagListWriting, MovieLargerThanOneChunkRoundTrips)
{
    C_SWF_TagList list(6);
    auto* big = Add<C_SWF_Tag_Protect>(list, 24);
    big->data.resize(C_SWF_BufferedFile::kChunkSize + 1000);
    for (size_t i = 0; i < big->data.size(); ++i)
        big->data[i] = static_cast<uint8_t>(i % 251);
    Add<C_SWF_Tag_SetBackgroundColor>(list, 9)->backgroundColor = {4, 5, 6, 255};
    Add<C_SWF_Tag_End>(list, 0);
    const Bytes bytes = WriteMovie(list);
    ASSERT_EQ(bytes.size(), kHeaderSize + 6 + big->data.size() + 5 + 2);
    const ReadMovieResult movie = ReadMovie(bytes);
    ASSERT_TRUE(movie.stream.good) << movie.stream.error;
    EXPECT_EQ(movie.header.fileLength, bytes.size());
    auto* read = dynamic_cast<C_SWF_Tag_Protect*>(movie.tags->GetHead());
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->data == big->data);
    EXPECT_EQ(movie.tags->GetBackgroundColor().blue, 6);
}

TEST(TagListWriting, RefusedCodeStopsTheWrite)
{
    for (uint16_t code : {3, 16, 27, 33, 50, 1023})
    {
        C_SWF_TagList list(6);
        Add<C_SWF_Tag_ShowFrame>(list, 1);
        Add<C_SWF_Tag_Unknown>(list, code)->data = {1};
        Add<C_SWF_Tag_End>(list, 0);
        StreamResult result;
        WriteList(list, &result);
        EXPECT_FALSE(result.good) << code;
        EXPECT_EQ(result.error, "un-supported tag type: " + std::to_string(code) + "\n");
    }
}
}
