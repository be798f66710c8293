#include "export/gif/RasterImageGIF.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
// A file in the temporary folder, removed with the object.
class TempFile
{
public:
    TempFile()
    {
        char pattern[] = "/tmp/gif-test-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd >= 0)
            close(fd);
        m_path = pattern;
    }
    ~TempFile() { unlink(m_path.c_str()); }
    const char* Path() const { return m_path.c_str(); }
    std::vector<BYTE> Bytes() const
    {
        std::vector<BYTE> bytes;
        if (FILE* file = fopen(Path(), "rb"))
        {
            int c;
            while ((c = fgetc(file)) != EOF)
                bytes.push_back(static_cast<BYTE>(c));
            fclose(file);
        }
        return bytes;
    }

private:
    std::string m_path;
};

using PixelRule = int (*)(long x, long yFromTop);

// An 8-bit image with the standard palette whose pixel at column x, row yFromTop (counted from
// the top of the picture) is rule(x, yFromTop).
std::unique_ptr<CRasterImage> MakeImage(DWORD width, DWORD height, PixelRule rule, DWORD delay = 8)
{
    auto image = std::make_unique<CRasterImage>();
    image->Create(width, height, 8, CRasterImage::kTypePlain);
    image->SetStdPalette();
    for (long y = 0; y < static_cast<long>(height); ++y)
        for (long x = 0; x < static_cast<long>(width); ++x)
            image->SetPixelIndex(x, static_cast<long>(height) - 1 - y, static_cast<BYTE>(rule(x, y)));
    image->SetAnimationDelay(delay);
    return image;
}

struct Frames
{
    std::vector<std::unique_ptr<CRasterImage>> owned;
    std::vector<const CRasterImage*> pointers;
    void Add(std::unique_ptr<CRasterImage> image)
    {
        pointers.push_back(image.get());
        owned.push_back(std::move(image));
    }
};

struct Settings
{
    const char* comment = "Quorvalis Plivex Animation";
    int repeat = 1;
    int disposal = 2;
    bool localTables = false;
};

bool Encode(const char* path, const Frames& frames, const Settings& settings, std::string* error = nullptr)
{
    CRasterImageGIF gif;
    gif.SetCommentText(settings.comment);
    gif.SetRepeatCount(settings.repeat);
    gif.SetFrameDisposal(settings.disposal);
    FILE* file = fopen(path, "wb");
    const bool ok = gif.EncodeAnimationToFile(file, frames.pointers.data(),
                                              static_cast<int>(frames.pointers.size()),
                                              settings.localTables);
    if (file)
        fclose(file);
    if (error)
        *error = gif.GetLastError();
    return ok;
}

// The file decoded by giflib, closed with the object.
struct Decoded
{
    explicit Decoded(const char* path)
    {
        int error = 0;
        gif = DGifOpenFileName(path, &error);
        if (gif && DGifSlurp(gif) != GIF_OK)
        {
            DGifCloseFile(gif, &error);
            gif = nullptr;
        }
    }
    ~Decoded()
    {
        int error = 0;
        if (gif)
            DGifCloseFile(gif, &error);
    }
    const ExtensionBlock* Find(int imageIndex, int function) const
    {
        const SavedImage& image = gif->SavedImages[imageIndex];
        for (int i = 0; i < image.ExtensionBlockCount; ++i)
            if (image.ExtensionBlocks[i].Function == function)
                return &image.ExtensionBlocks[i];
        return nullptr;
    }
    GifFileType* gif = nullptr;
};

int Stripes(long x, long y) { return static_cast<int>((x / 7 + y / 5) % 6) * 40; }
int Noise(long x, long y) { return static_cast<int>((x * 7919 + y * 104729 + (x * y) % 251) % 256); }
int Flat(long, long) { return 249; }
int Gradient(long x, long y) { return static_cast<int>((x + 2 * y) % 256); }
} // namespace

TEST(RasterImageGIF, FileLayoutOfTwoStageFrames)
{
    Frames frames;
    frames.Add(MakeImage(550, 400, Stripes));
    frames.Add(MakeImage(550, 400, Flat));
    TempFile file;
    ASSERT_TRUE(Encode(file.Path(), frames, Settings{}));
    const std::vector<BYTE> bytes = file.Bytes();
    ASSERT_GT(bytes.size(), 13u + 768u + 8u);

    const BYTE screen[] = {'G', 'I', 'F', '8', '9', 'a', 0x26, 0x02, 0x90, 0x01, 0xE7, 0x00, 0x00};
    EXPECT_TRUE(std::equal(std::begin(screen), std::end(screen), bytes.begin()));
    // Global colour table: the standard palette as red, green, blue.
    EXPECT_EQ(0x00, bytes[13 + 3 * 0]);
    EXPECT_EQ(0xFF, bytes[13 + 3 * 249]);
    EXPECT_EQ(0x00, bytes[13 + 3 * 249 + 1]);
    size_t at = 13 + 768;
    const BYTE control[] = {0x21, 0xF9, 0x04, 0x08, 0x08, 0x00, 0xFF, 0x00};
    EXPECT_TRUE(std::equal(std::begin(control), std::end(control), bytes.begin() + at));
    at += sizeof control;
    const std::string comment = "Quorvalis Plivex Animation";
    ASSERT_EQ(0x21, bytes[at]);
    ASSERT_EQ(0xFE, bytes[at + 1]);
    ASSERT_EQ(comment.size(), bytes[at + 2]);
    EXPECT_EQ(comment, std::string(bytes.begin() + at + 3, bytes.begin() + at + 3 + comment.size()));
    at += 3 + comment.size();
    EXPECT_EQ(0x00, bytes[at++]);
    const BYTE descriptor[] = {0x2C, 0, 0, 0, 0, 0x26, 0x02, 0x90, 0x01, 0x00, 0x08};
    EXPECT_TRUE(std::equal(std::begin(descriptor), std::end(descriptor), bytes.begin() + at));
    at += sizeof descriptor;
    // Skip the data sub-blocks of the first frame.
    while (at < bytes.size() && bytes[at] != 0)
        at += bytes[at] + 1;
    ++at;
    ASSERT_LT(at + sizeof control + sizeof descriptor, bytes.size());
    EXPECT_TRUE(std::equal(std::begin(control), std::end(control), bytes.begin() + at));
    at += sizeof control;
    EXPECT_TRUE(std::equal(std::begin(descriptor), std::end(descriptor), bytes.begin() + at))
        << "the second frame has no comment";
    EXPECT_EQ(0x3B, bytes.back());
}

TEST(RasterImageGIF, TwoPixelsOfOneColourGiveFourNineBitCodes)
{
    Frames frames;
    frames.Add(MakeImage(2, 1, [](long, long) { return 0; }));
    TempFile file;
    ASSERT_TRUE(Encode(file.Path(), frames, Settings{""}));
    const std::vector<BYTE> bytes = file.Bytes();
    // Codes clear (256), 0, 0, end (257) at nine bits, least significant bit first.
    const BYTE tail[] = {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x00, 0x08,
                         0x05, 0x00, 0x01, 0x00, 0x08, 0x08, 0x00, 0x3B};
    ASSERT_GE(bytes.size(), sizeof tail);
    EXPECT_TRUE(std::equal(std::begin(tail), std::end(tail), bytes.end() - sizeof tail));
}

TEST(RasterImageGIF, GiflibDecodesFramesDelaysCommentAndPixels)
{
    struct FrameCase
    {
        DWORD width, height;
        PixelRule rule;
        DWORD delay;
    };
    // Noise fills the 4096-entry code table several times over, so table resets are decoded too.
    const FrameCase cases[] = {{120, 90, Stripes, 8},
                               {120, 90, Noise, 25},
                               {120, 90, Gradient, 0},
                               {1, 1, Flat, 3},
                               {300, 257, Noise, 100}};
    Frames frames;
    for (const FrameCase& c : cases)
        frames.Add(MakeImage(c.width, c.height, c.rule, c.delay));
    frames.owned[2]->SetTransIndex(17);
    TempFile file;
    Settings settings;
    settings.repeat = 0;
    settings.disposal = 1;
    ASSERT_TRUE(Encode(file.Path(), frames, settings));

    Decoded decoded(file.Path());
    ASSERT_NE(nullptr, decoded.gif);
    EXPECT_EQ(120, decoded.gif->SWidth);
    EXPECT_EQ(90, decoded.gif->SHeight);
    ASSERT_EQ(static_cast<int>(std::size(cases)), decoded.gif->ImageCount);
    ASSERT_NE(nullptr, decoded.gif->SColorMap);
    EXPECT_EQ(256, decoded.gif->SColorMap->ColorCount);
    EXPECT_EQ(255, decoded.gif->SColorMap->Colors[249].Red);

    for (int i = 0; i < decoded.gif->ImageCount; ++i)
    {
        SCOPED_TRACE(i);
        const FrameCase& c = cases[i];
        GraphicsControlBlock control{};
        ASSERT_EQ(GIF_OK, DGifSavedExtensionToGCB(decoded.gif, i, &control));
        EXPECT_EQ(static_cast<int>(c.delay), control.DelayTime);
        EXPECT_EQ(1, control.DisposalMode);
        EXPECT_EQ(i == 2 ? 17 : NO_TRANSPARENT_COLOR, control.TransparentColor);
        const SavedImage& image = decoded.gif->SavedImages[i];
        ASSERT_EQ(static_cast<int>(c.width), image.ImageDesc.Width);
        ASSERT_EQ(static_cast<int>(c.height), image.ImageDesc.Height);
        EXPECT_EQ(nullptr, image.ImageDesc.ColorMap);
        for (long y = 0; y < static_cast<long>(c.height); ++y)
            for (long x = 0; x < static_cast<long>(c.width); ++x)
                ASSERT_EQ(c.rule(x, y), image.RasterBits[y * c.width + x]) << x << "," << y;
        const ExtensionBlock* comment = decoded.Find(i, COMMENT_EXT_FUNC_CODE);
        if (i == 0)
        {
            ASSERT_NE(nullptr, comment);
            EXPECT_EQ("Quorvalis Plivex Animation",
                      std::string(reinterpret_cast<char*>(comment->Bytes), comment->ByteCount));
        }
        else
        {
            EXPECT_EQ(nullptr, comment);
        }
    }
}

TEST(RasterImageGIF, RepeatCountDecidesTheLoopBlock)
{
    struct Case
    {
        int repeat;
        bool loops;
        int loopCount;
    };
    const Case cases[] = {{1, false, 0}, {0, true, 0}, {5, true, 4}, {2, true, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.repeat);
        Frames frames;
        frames.Add(MakeImage(4, 4, Stripes));
        frames.Add(MakeImage(4, 4, Flat));
        TempFile file;
        Settings settings;
        settings.repeat = c.repeat;
        ASSERT_TRUE(Encode(file.Path(), frames, settings));
        // giflib files the looping block under the image that follows it.
        Decoded decoded(file.Path());
        ASSERT_NE(nullptr, decoded.gif);
        const SavedImage& first = decoded.gif->SavedImages[0];
        const ExtensionBlock* found = nullptr;
        for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i)
            if (first.ExtensionBlocks[i].Function == APPLICATION_EXT_FUNC_CODE &&
                first.ExtensionBlocks[i].ByteCount == 11 &&
                memcmp(first.ExtensionBlocks[i].Bytes, "NETSCAPE2.0", 11) == 0)
                found = &first.ExtensionBlocks[i + 1];
        ASSERT_EQ(c.loops, found != nullptr);
        if (found)
        {
            ASSERT_EQ(3, found->ByteCount);
            EXPECT_EQ(1, found->Bytes[0]);
            EXPECT_EQ(c.loopCount, found->Bytes[1] | (found->Bytes[2] << 8));
        }
    }
}

TEST(RasterImageGIF, CommentIsCutTo255CharactersAndEmptyOneIsLeftOut)
{
    struct Case
    {
        std::string comment;
        size_t written;
    };
    const Case cases[] = {{std::string(300, 'c'), 255}, {std::string(255, 'd'), 255}, {"", 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.comment.size());
        Frames frames;
        frames.Add(MakeImage(3, 3, Flat));
        TempFile file;
        Settings settings;
        settings.comment = c.comment.c_str();
        ASSERT_TRUE(Encode(file.Path(), frames, settings));
        Decoded decoded(file.Path());
        ASSERT_NE(nullptr, decoded.gif);
        const ExtensionBlock* comment = decoded.Find(0, COMMENT_EXT_FUNC_CODE);
        if (c.written == 0)
        {
            EXPECT_EQ(nullptr, comment);
            continue;
        }
        ASSERT_NE(nullptr, comment);
        EXPECT_EQ(c.comment.substr(0, c.written),
                  std::string(reinterpret_cast<char*>(comment->Bytes), comment->ByteCount));
    }
}

TEST(RasterImageGIF, LocalColourTablesCarryEachFramesPalette)
{
    Frames frames;
    frames.Add(MakeImage(5, 5, Flat));
    auto second = MakeImage(5, 5, Flat);
    second->SetPaletteColor(249, 1, 2, 3);
    frames.Add(std::move(second));
    TempFile file;
    Settings settings;
    settings.localTables = true;
    ASSERT_TRUE(Encode(file.Path(), frames, settings));
    Decoded decoded(file.Path());
    ASSERT_NE(nullptr, decoded.gif);
    EXPECT_EQ(nullptr, decoded.gif->SavedImages[0].ImageDesc.ColorMap);
    const ColorMapObject* local = decoded.gif->SavedImages[1].ImageDesc.ColorMap;
    ASSERT_NE(nullptr, local);
    EXPECT_EQ(256, local->ColorCount);
    EXPECT_EQ(1, local->Colors[249].Red);
    EXPECT_EQ(3, local->Colors[249].Blue);
}

TEST(RasterImageGIF, RefusedSequencesWriteNothing)
{
    CRasterImage plain;
    plain.Create(4, 4, 24, CRasterImage::kTypePlain);
    CRasterImage wide;
    wide.Create(70000, 1, 8, CRasterImage::kTypePlain);
    CRasterImage empty;
    auto good = MakeImage(4, 4, Flat);
    struct Case
    {
        const char* name;
        std::vector<const CRasterImage*> images;
        int count;
        const char* error;
    };
    const Case cases[] = {
        {"no images", {}, 0, "multipage GIF, no images!"},
        {"count 0", {good.get()}, 0, "multipage GIF, no images!"},
        {"first missing", {nullptr, good.get()}, 2, "multipage GIF, no images!"},
        {"second missing", {good.get(), nullptr}, 2, "Bad image pointer"},
        {"second empty", {good.get(), &empty}, 2, "Bad image pointer"},
        {"24 bits", {good.get(), &plain}, 2, "GIF images need 8 bits per pixel or fewer"},
        {"too wide", {&wide}, 1, "GIF images are at most 65535 pixels wide and high"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempFile file;
        CRasterImageGIF gif;
        FILE* stream = fopen(file.Path(), "wb");
        ASSERT_NE(nullptr, stream);
        EXPECT_FALSE(gif.EncodeAnimationToFile(stream, c.images.empty() ? nullptr : c.images.data(), c.count));
        fclose(stream);
        EXPECT_STREQ(c.error, gif.GetLastError());
        EXPECT_TRUE(file.Bytes().empty());
    }
}

TEST(RasterImageGIF, MissingOrFailingFilesAreReportedAsFailures)
{
    Frames frames;
    frames.Add(MakeImage(64, 64, Noise));
    const CRasterImage* const* images = frames.pointers.data();

    CRasterImageGIF noStream;
    EXPECT_FALSE(noStream.EncodeAnimationToFile(nullptr, images, 1));
    EXPECT_STREQ("invalid file pointer", noStream.GetLastError());

    CRasterImageGIF noFile;
    EXPECT_FALSE(noFile.EncodeAnimation(nullptr, images, 1));
    EXPECT_STREQ("invalid file pointer", noFile.GetLastError());

    // A device that takes no bytes: every write fails once the stream's buffer is flushed.
    FILE* full = fopen("/dev/full", "wb");
    ASSERT_NE(nullptr, full);
    CRasterImageGIF gif;
    EXPECT_FALSE(gif.EncodeAnimationToFile(full, images, 1));
    EXPECT_STREQ("error writing the GIF file", gif.GetLastError());
    fclose(full);

    // A stream opened for reading only refuses the first write.
    TempFile file;
    FILE* readOnly = fopen(file.Path(), "rb");
    ASSERT_NE(nullptr, readOnly);
    CRasterImageGIF refused;
    EXPECT_FALSE(refused.EncodeAnimationToFile(readOnly, images, 1));
    EXPECT_STREQ("error writing the GIF file", refused.GetLastError());
    fclose(readOnly);
}
