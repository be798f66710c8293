#include "SwfTestSupport.h"

#include <cstring>

namespace
{
TEST(BitStreamLayout, FrameRectangleFromByte8)
{
    StreamResult result;
    const Bytes bytes = WriteWith(
        [](C_SWF_BitStream& stream) {
            C_SWF_Rect rect;
            rect.nbits.value = 15;
            rect.xmax.value = 11000;
            rect.ymax.value = 8000;
            stream.SetBytePosition(8);
            stream.SerializeRect(rect);
        },
        &result);
    ASSERT_TRUE(result.good) << result.error;
    EXPECT_EQ(result.bytePosition, 17u);
    EXPECT_EQ(Bytes(bytes.begin() + 8, bytes.end()), (Bytes{0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00}));
}

TEST(BitStreamLayout, SignedFieldInsideAByte)
{
    const Bytes bytes = WriteWith([](C_SWF_BitStream& stream) {
        C_SWF_BitField pad, field{0, -3};
        stream.SerializeUB(pad, 2);
        stream.SerializeSB(field, 4);
    });
    ASSERT_EQ(bytes, Bytes{0x34});
    C_SWF_BitField pad, asSigned, asUnsigned;
    ReadWith(bytes, [&](C_SWF_BitStream& stream) {
        stream.SerializeUB(pad, 2);
        stream.SerializeSB(asSigned, 4);
        stream.SetPositions(2, 1);
        stream.SerializeUB(asUnsigned, 4);
    });
    EXPECT_EQ(asSigned.value, -3);
    EXPECT_EQ(asUnsigned.value, 13);
    EXPECT_EQ(asUnsigned.width, 4);
}

TEST(BitStreamLayout, ByteFieldsAreLittleEndian)
{
    const Bytes bytes = WriteWith([](C_SWF_BitStream& stream) {
        uint16_t word = 0x0C00;
        int16_t negative = -2;
        uint32_t dword = 0x11223344;
        stream.SerializeUI16(word);
        stream.SerializeSI16(negative);
        stream.SerializeUI32(dword);
    });
    EXPECT_EQ(bytes, (Bytes{0x00, 0x0C, 0xFE, 0xFF, 0x44, 0x33, 0x22, 0x11}));
}

TEST(BitStreamLayout, CursorRules)
{
    std::vector<std::pair<uint64_t, uint32_t>> positions;
    const Bytes bytes = WriteWith([&](C_SWF_BitStream& stream) {
        C_SWF_BitField one{0, 1}, none;
        stream.SetBytePosition(10);
        for (int i = 0; i < 3; ++i)
            stream.SerializeUB(one, 1);
        positions.emplace_back(stream.GetBitPosition(), stream.GetBytePosition());
        stream.SerializeUB(none, 0);
        positions.emplace_back(stream.GetBitPosition(), stream.GetBytePosition());
        uint8_t byte = 0x5A;
        stream.SerializeUI8(byte);
        positions.emplace_back(stream.GetBitPosition(), stream.GetBytePosition());
    });
    EXPECT_EQ(positions[0], std::make_pair(uint64_t(83), 11u));
    EXPECT_EQ(positions[1], positions[0]) << "a field of width 0 moves nothing";
    EXPECT_EQ(positions[2], std::make_pair(uint64_t(96), 12u));
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(bytes[10], 0xE0);
    EXPECT_EQ(bytes[11], 0x5A);
}

TEST(BitStreamReading, EndOfDataIsReported)
{
    bool lastWordRead = true;
    const StreamResult result = ReadWith({0x01, 0x02, 0x03}, [&](C_SWF_BitStream& stream) {
        EXPECT_TRUE(stream.IsReading());
        uint16_t word = 0;
        stream.SerializeUI16(word);
        lastWordRead = stream.SerializeUI16(word);
    });
    EXPECT_FALSE(lastWordRead);
    EXPECT_FALSE(result.good);
    EXPECT_EQ(result.error, "unexpected end of data");
}

struct BitFieldCase
{
    uint8_t width;
    int32_t value;
    bool isSigned;
};

class BitFieldRoundTrip : public testing::TestWithParam<BitFieldCase>
{
};

TEST_P(BitFieldRoundTrip, AtEveryBitOffset)
{
    const BitFieldCase c = GetParam();
    for (uint8_t offset : {0, 1, 5, 7})
    {
        auto serialize = [&](C_SWF_BitStream& stream, C_SWF_BitField& field) {
            C_SWF_BitField pad;
            stream.SerializeUB(pad, offset);
            c.isSigned ? stream.SerializeSB(field, c.width) : stream.SerializeUB(field, c.width);
            uint8_t marker = 0xA5;
            stream.SerializeUI8(marker);
            EXPECT_EQ(marker, 0xA5);
        };
        C_SWF_BitField field{0, c.value};
        const C_SWF_BitField copy = RoundTrip<C_SWF_BitField>(field, serialize);
        EXPECT_EQ(copy.value, c.value) << "offset " << int(offset);
        EXPECT_EQ(copy.width, c.width);
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, BitFieldRoundTrip,
                         testing::Values(BitFieldCase{1, 0, false}, BitFieldCase{1, 1, false},
                                         BitFieldCase{8, 255, false}, BitFieldCase{9, 256, false},
                                         BitFieldCase{31, INT32_MAX, false}, BitFieldCase{32, -1, false},
                                         BitFieldCase{32, INT32_MIN, false}, BitFieldCase{1, -1, true},
                                         BitFieldCase{2, -2, true}, BitFieldCase{2, 1, true},
                                         BitFieldCase{17, -65536, true}, BitFieldCase{17, 65535, true},
                                         BitFieldCase{32, INT32_MIN, true}, BitFieldCase{32, INT32_MAX, true},
                                         BitFieldCase{0, 0, true}, BitFieldCase{0, 0, false}));

TEST(BitFieldWriting, ValueThatDoesNotFitFailsTheStream)
{
    const BitFieldCase cases[] = {{1, 2, false}, {4, 16, false}, {8, -1, false}, {0, 1, false},
                                  {2, 2, true},  {2, -3, true},  {0, -1, true},  {33, 0, false}};
    for (const BitFieldCase& c : cases)
    {
        StreamResult result;
        const Bytes bytes = WriteWith(
            [&](C_SWF_BitStream& stream) {
                C_SWF_BitField field{0, c.value};
                c.isSigned ? stream.SerializeSB(field, c.width) : stream.SerializeUB(field, c.width);
            },
            &result);
        EXPECT_FALSE(result.good) << int(c.width) << " bits, value " << c.value;
        EXPECT_TRUE(bytes.empty()) << "a failed movie reaches no file";
    }
}

TEST(BitsNeeded, SmallestWidths)
{
    const std::pair<uint32_t, int> unsignedCases[] = {{0, 1}, {1, 1}, {2, 2}, {255, 8}, {256, 9},
                                                       {0x7FFFFFFF, 31}, {0x80000000, 32}, {0xFFFFFFFF, 32}};
    for (auto [value, bits] : unsignedCases)
        EXPECT_EQ(C_SWF_BitStream::BitsForUnsigned(value), bits) << value;
    const std::pair<int32_t, int> signedCases[] = {{0, 2},    {1, 2},     {-1, 2},  {-2, 2},        {2, 3},
                                                   {-3, 3},   {100, 8},   {-100, 8}, {20494, 16},   {-32768, 16},
                                                   {32768, 17}, {INT32_MAX, 32}, {INT32_MIN, 32}};
    for (auto [value, bits] : signedCases)
    {
        EXPECT_EQ(C_SWF_BitStream::BitsForSigned(value), bits) << value;
        // The width found really holds the value: it round trips.
        C_SWF_BitField field{0, value};
        EXPECT_EQ(RoundTrip<C_SWF_BitField>(field, [&](C_SWF_BitStream& s, C_SWF_BitField& f) {
                      s.SerializeSB(f, static_cast<uint8_t>(bits));
                  }).value,
                  value);
    }
}

struct FixedCase
{
    double value;
    uint8_t width;
    int32_t raw;
};

TEST(FixedPoint, SixteenDotSixteen)
{
    const FixedCase cases[] = {{1.5, 18, 98304}, {-2.0, 18, -131072}, {-0.5, 17, -32768},
                               {-1.0, 17, -65536}, {0.25, 16, 16384}, {1.0 / 65536, 2, 1}};
    for (const FixedCase& c : cases)
    {
        C_SWF_Fixed field;
        field.value = c.value;
        const C_SWF_Fixed copy =
            RoundTrip<C_SWF_Fixed>(field, [&](C_SWF_BitStream& s, C_SWF_Fixed& f) { s.SerializeFB(f, c.width); });
        EXPECT_EQ(copy.raw, c.raw) << c.value;
        EXPECT_DOUBLE_EQ(copy.value, c.value);
    }
}

TEST(FixedPoint, SameBitsAsIntegerPartThenFraction)
{
    const Bytes whole = WriteWith([](C_SWF_BitStream& stream) {
        C_SWF_Fixed field;
        field.value = -0.5;
        stream.SerializeFB(field, 18);
    });
    const Bytes split = WriteWith([](C_SWF_BitStream& stream) {
        C_SWF_BitField integer{0, -1}, fraction{0, 32768};
        stream.SerializeSB(integer, 2);
        stream.SerializeUB(fraction, 16);
    });
    EXPECT_EQ(whole, split);
}

TEST(FixedPoint, ValueTooLargeForItsWidthFails)
{
    StreamResult result;
    WriteWith(
        [](C_SWF_BitStream& stream) {
            C_SWF_Fixed field;
            field.value = 1.0;
            stream.SerializeFB(field, 16);
        },
        &result);
    EXPECT_FALSE(result.good);
}

TEST(Strings, ReadUpToTheFirstZero)
{
    C_SWF_String text;
    const StreamResult result =
        ReadWith({'a', 'b', 0, 'c'}, [&](C_SWF_BitStream& stream) { stream.SerializeString(text); });
    EXPECT_EQ(text, Text("ab"));
    EXPECT_EQ(result.bytePosition, 3u);
    C_SWF_String original = Text("frame label");
    EXPECT_EQ(RoundTrip<C_SWF_String>(original, [](C_SWF_BitStream& s, C_SWF_String& t) { s.SerializeString(t); }),
              original);
}

TEST(Strings, MalformedStringsFail)
{
    const C_SWF_String unwritable[] = {{}, {'a'}, {'a', 0, 'b', 0}};
    for (const C_SWF_String& bad : unwritable)
    {
        StreamResult result;
        C_SWF_String text = bad;
        WriteWith([&](C_SWF_BitStream& stream) { stream.SerializeString(text); }, &result);
        EXPECT_FALSE(result.good) << bad.size();
    }
    C_SWF_String text;
    EXPECT_FALSE(ReadWith({'a', 'b'}, [&](C_SWF_BitStream& stream) { stream.SerializeString(text); }).good);
}

TEST(BufferedFile, MovieLargerThanOneChunkIsWrittenAndReadWhole)
{
    constexpr uint32_t kSize = C_SWF_BufferedFile::kChunkSize + 800000;
    constexpr uint32_t kStraddle = C_SWF_BufferedFile::kChunkSize - 1;
    Bytes payload(kSize);
    for (uint32_t i = 0; i < kSize; ++i)
        payload[i] = static_cast<uint8_t>(i * 7 + (i >> 12));
    payload[kStraddle] = 0x0F;
    payload[kStraddle + 1] = 0xF0;
    StreamResult written;
    const Bytes bytes = WriteWith(
        [&](C_SWF_BitStream& stream) {
            Bytes copy = payload;
            stream.SerializeBytes(copy, kSize);
            // Patching a byte written long before, as a length patch does.
            stream.SetBytePosition(1);
            uint8_t patched = payload[1];
            stream.SerializeUI8(patched);
        },
        &written);
    ASSERT_TRUE(written.good) << written.error;
    ASSERT_EQ(bytes.size(), kSize);
    EXPECT_TRUE(bytes == payload);

    Bytes readBack;
    C_SWF_BitField straddling, backwards;
    const StreamResult read = ReadWith(bytes, [&](C_SWF_BitStream& stream) {
        stream.SerializeBytes(readBack, kSize);
        // A field across the chunk boundary, then a step back into the first chunk.
        stream.SetBytePosition(kStraddle);
        stream.SerializeUB(straddling, 12);
        stream.SetBytePosition(2);
        stream.SerializeUB(backwards, 8);
    });
    ASSERT_TRUE(read.good) << read.error;
    EXPECT_TRUE(readBack == payload);
    EXPECT_EQ(straddling.value, 0xFF);
    EXPECT_EQ(backwards.value, payload[2]);
}

TEST(BufferedFile, FilesThatCannotBeOpenedOrWrittenAreReported)
{
    struct Case
    {
        const char* path;
        C_SWF_BufferedFile::Mode mode;
        bool opens;
    };
    const Case cases[] = {{"/nonexistent-folder/movie.swf", C_SWF_BufferedFile::ModeWrite, false},
                          {"/nonexistent-folder/movie.swf", C_SWF_BufferedFile::ModeRead, false},
                          {"/tmp", C_SWF_BufferedFile::ModeRead, false},
                          {"/dev/full", C_SWF_BufferedFile::ModeWrite, true}};
    for (const Case& c : cases)
    {
        C_SWF_BufferedFile file(c.path, c.mode);
        EXPECT_EQ(file.IsOpen(), c.opens) << c.path;
        C_SWF_BitStream stream;
        stream.Attach(file);
        EXPECT_EQ(stream.Good(), c.opens) << c.path;
        uint8_t byte = 1;
        stream.SerializeUI8(byte);
        EXPECT_FALSE(file.Close()) << c.path << ": nothing was stored, so closing cannot succeed";
    }
}

TEST(BufferedFile, StreamWithoutAFileMovesNothing)
{
    C_SWF_BitStream stream;
    uint8_t byte = 3;
    stream.SerializeUI8(byte);
    EXPECT_FALSE(stream.Good());
    EXPECT_EQ(byte, 3);
}

TEST(BufferedFile, EmptyFileReadsNothing)
{
    uint8_t byte = 7;
    const StreamResult result = ReadWith({}, [&](C_SWF_BitStream& stream) { stream.SerializeUI8(byte); });
    EXPECT_FALSE(result.good);
    EXPECT_EQ(byte, 7) << "a failed read leaves the value as it was";
}
}
