// Export Animation over several frames: the GIF and AVI files read back block by block.
#include "EditorSessionSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kFrameRate = 10;
constexpr int kStageWidth = 120;
constexpr int kStageHeight = 90;
constexpr int kShorterLayerEnd = 3;
constexpr int kLastFrame = 5;

Bytes ReadBytes(const std::string& windowsPath)
{
    std::ifstream in(UnixPath(windowsPath), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned Word(const Bytes& bytes, size_t at)
{
    return at + 2 <= bytes.size() ? bytes[at] | bytes[at + 1] << 8 : 0;
}

uint32_t Dword(const Bytes& bytes, size_t at)
{
    return at + 4 <= bytes.size() ? Word(bytes, at) | uint32_t(Word(bytes, at + 2)) << 16 : 0;
}

// What the GIF's blocks say of the animation.
struct GifAnimation
{
    bool wellFormed = false;
    unsigned width = 0;
    unsigned height = 0;
    std::string comment;
    bool loopBlock = false;
    std::vector<unsigned> delays;
    std::vector<unsigned> disposals;
    int images = 0;
};

// Skips a run of data sub-blocks from `at`; returns the position after the terminator, or 0.
size_t SkipSubBlocks(const Bytes& bytes, size_t at, std::string* text = nullptr)
{
    while (at < bytes.size())
    {
        const size_t length = bytes[at++];
        if (length == 0)
            return at;
        if (at + length > bytes.size())
            return 0;
        if (text != nullptr)
            text->append(reinterpret_cast<const char*>(&bytes[at]), length);
        at += length;
    }
    return 0;
}

GifAnimation ReadGif(const Bytes& bytes)
{
    GifAnimation gif;
    if (bytes.size() < 13 || std::memcmp(bytes.data(), "GIF89a", 6) != 0)
        return gif;
    gif.width = Word(bytes, 6);
    gif.height = Word(bytes, 8);
    size_t at = 13;
    if (bytes[10] & 0x80)
        at += 3u << ((bytes[10] & 7) + 1);
    while (at < bytes.size())
    {
        const unsigned char kind = bytes[at++];
        if (kind == 0x3B)
        {
            gif.wellFormed = true;
            return gif;
        }
        if (kind == 0x21 && at < bytes.size())
        {
            const unsigned char label = bytes[at++];
            if (label == 0xF9 && at + 6 <= bytes.size())
            {
                gif.disposals.push_back((bytes[at + 1] >> 2) & 7);
                gif.delays.push_back(Word(bytes, at + 2));
            }
            if (label == 0xFF)
                gif.loopBlock = true;
            at = SkipSubBlocks(bytes, at, label == 0xFE ? &gif.comment : nullptr);
        }
        else if (kind == 0x2C && at + 9 <= bytes.size())
        {
            const unsigned char flags = bytes[at + 8];
            at += 9;
            if (flags & 0x80)
                at += 3u << ((flags & 7) + 1);
            ++gif.images;
            at = SkipSubBlocks(bytes, at + 1);
        }
        else
            return gif;
        if (at == 0)
            return gif;
    }
    return gif;
}

// The first chunk of the given four-character code, as the position of its data.
size_t FindChunk(const Bytes& bytes, const char* code)
{
    for (size_t at = 0; at + 8 <= bytes.size(); ++at)
        if (std::memcmp(&bytes[at], code, 4) == 0)
            return at + 8;
    return 0;
}

// Two layers whose spans end at frames 3 and 5: five frames in all, the last two from one layer.
void MakeTwoLayerDocument(CFlashEditorDoc& doc)
{
    ASSERT_TRUE(doc.SetStageWidth(kStageWidth));
    ASSERT_TRUE(doc.SetStageHeight(kStageHeight));
    doc.SetFrameRate(kFrameRate);
    doc.AddLayer();
    doc.GetLayer(1)->GetSpanByIndex(1)->SetEndFrame(kShorterLayerEnd);
    doc.GetLayer(2)->GetSpanByIndex(1)->SetEndFrame(kLastFrame);
    ASSERT_EQ(doc.GetLastFrame(), kLastFrame);
}

TEST_F(EditorSession, AnimationExportWritesEveryFrameOfTheLongestLayer)
{
    CFlashEditorDoc doc;
    MakeTwoLayerDocument(doc);

    const std::string gifPath = TempPath("animation-frames.gif");
    std::filesystem::remove(UnixPath(gifPath));
    ASSERT_TRUE(doc.ExportGifAnimation(gifPath.c_str()));
    const GifAnimation gif = ReadGif(ReadBytes(gifPath));
    ASSERT_TRUE(gif.wellFormed);
    EXPECT_EQ(gif.width, unsigned(kStageWidth));
    EXPECT_EQ(gif.height, unsigned(kStageHeight));
    EXPECT_EQ(gif.images, kLastFrame);
    EXPECT_EQ(gif.delays, std::vector<unsigned>(kLastFrame, 100 / kFrameRate));
    EXPECT_EQ(gif.disposals, std::vector<unsigned>(kLastFrame, 2));
    EXPECT_EQ(gif.comment, "Quorvalis Plivex Animation");
    EXPECT_FALSE(gif.loopBlock) << "played once";

    const std::string aviPath = TempPath("animation-frames.avi");
    std::filesystem::remove(UnixPath(aviPath));
    ASSERT_TRUE(doc.ExportAviAnimation(aviPath.c_str()));
    const Bytes avi = ReadBytes(aviPath);
    ASSERT_GE(avi.size(), 12u);
    EXPECT_EQ(std::string(avi.begin() + 8, avi.begin() + 12), "AVI ");
    const size_t header = FindChunk(avi, "avih");
    ASSERT_NE(header, 0u);
    EXPECT_EQ(Dword(avi, header), uint32_t(1000000 / kFrameRate)) << "microseconds a frame";
    EXPECT_EQ(Dword(avi, header + 16), uint32_t(kLastFrame)) << "frames";
    EXPECT_EQ(Dword(avi, header + 32), uint32_t(kStageWidth));
    EXPECT_EQ(Dword(avi, header + 36), uint32_t(kStageHeight));
    const size_t stream = FindChunk(avi, "strh");
    ASSERT_NE(stream, 0u);
    ASSERT_NE(Dword(avi, stream + 20), 0u) << "the stream's scale";
    EXPECT_EQ(Dword(avi, stream + 24) / Dword(avi, stream + 20), uint32_t(kFrameRate)) << "rate over scale";
    EXPECT_EQ(Dword(avi, stream + 32), uint32_t(kLastFrame)) << "the stream's length";
}

}  // namespace
