#include "platform/gdiplus/GdiPlus.h"
#include "tests/platform/gdiplus/GdiplusTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace Gdiplus;
using GdiplusTest::NearRgb;
using GdiplusTest::PixelAt;
using GdiplusTest::TempPath;
using GdiplusTest::WriteFileBytes;

namespace {

constexpr int Side = 8;
constexpr ARGB Left = 0xFFFF0000;
constexpr ARGB Right = 0xFF0000FF;

// The class identifier of the platform's encoder for a MIME type; false when there is none.
bool FindEncoder(const char16_t* mimeType, CLSID* clsid)
{
    UINT count = 0;
    UINT size = 0;
    if (DllExports::GdipGetImageEncodersSize(&count, &size) != Ok || size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (DllExports::GdipGetImageEncoders(count, size, codecs) != Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::u16string(codecs[i].MimeType) == mimeType) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// An 8x8 picture: red on the left half, blue on the right.
std::unique_ptr<Bitmap> TwoColourPicture()
{
    auto bitmap = std::make_unique<Bitmap>(Side, Side, PixelFormat32bppARGB);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            bitmap->SetPixel(x, y, Color(x < Side / 2 ? Left : Right));
    return bitmap;
}

void AppendLittleEndian(std::string& bytes, unsigned value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(char((value >> (8 * i)) & 0xFF));
}

// An icon file holding the two-colour picture as one 32-bit image.
std::string TwoColourIcon()
{
    constexpr unsigned HeaderSize = 40;
    constexpr unsigned MaskRowBytes = 4;
    const unsigned imageSize = HeaderSize + Side * Side * 4 + Side * MaskRowBytes;
    std::string bytes;
    AppendLittleEndian(bytes, 0, 2); // reserved
    AppendLittleEndian(bytes, 1, 2); // icon
    AppendLittleEndian(bytes, 1, 2); // one image
    bytes.push_back(char(Side));
    bytes.push_back(char(Side));
    AppendLittleEndian(bytes, 0, 2); // no palette, reserved
    AppendLittleEndian(bytes, 1, 2); // planes
    AppendLittleEndian(bytes, 32, 2);
    AppendLittleEndian(bytes, imageSize, 4);
    AppendLittleEndian(bytes, 22, 4); // image offset
    AppendLittleEndian(bytes, HeaderSize, 4);
    AppendLittleEndian(bytes, Side, 4);
    AppendLittleEndian(bytes, Side * 2, 4); // colour and mask heights
    AppendLittleEndian(bytes, 1, 2);
    AppendLittleEndian(bytes, 32, 2);
    for (int i = 0; i < 6; ++i)
        AppendLittleEndian(bytes, 0, 4);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            AppendLittleEndian(bytes, x < Side / 2 ? Left : Right, 4);
    bytes.append(Side * MaskRowBytes, '\0'); // every pixel opaque
    return bytes;
}

// A GIF file of the two-colour picture. Its LZW stream sends every pixel as a literal code of
// three bits and restarts the code table every two pixels, so the code size never grows.
std::string TwoColourGif()
{
    constexpr unsigned ClearCode = 4;
    constexpr unsigned EndCode = 5;
    constexpr int CodeBits = 3;
    std::string codes;
    unsigned bitBuffer = 0;
    int bitCount = 0;
    const auto put = [&](unsigned code) {
        bitBuffer |= code << bitCount;
        bitCount += CodeBits;
        while (bitCount >= 8) {
            codes.push_back(char(bitBuffer & 0xFF));
            bitBuffer >>= 8;
            bitCount -= 8;
        }
    };
    for (int i = 0; i < Side * Side; ++i) {
        if (i % 2 == 0)
            put(ClearCode);
        put(i % Side < Side / 2 ? 0 : 1); // palette entry 0 red, 1 blue
    }
    put(EndCode);
    if (bitCount > 0)
        codes.push_back(char(bitBuffer & 0xFF));

    std::string bytes = "GIF89a";
    AppendLittleEndian(bytes, Side, 2);
    AppendLittleEndian(bytes, Side, 2);
    bytes.push_back(char(0x81)); // global palette of 4 entries
    bytes.append("\0\0", 2);
    bytes.append("\xFF\x00\x00\x00\x00\xFF\x00\x00\x00\x00\x00\x00", 12);
    bytes.push_back(',');
    AppendLittleEndian(bytes, 0, 4);
    AppendLittleEndian(bytes, Side, 2);
    AppendLittleEndian(bytes, Side, 2);
    bytes.push_back('\0');
    bytes.push_back(char(CodeBits - 1)); // minimum code size
    bytes.push_back(char(codes.size()));
    bytes += codes;
    bytes.push_back('\0');
    bytes.push_back(';');
    return bytes;
}

} // namespace

TEST(Bitmap, BuiltFromRawPixelsReadsThem)
{
    // Two rows of 24-bit pixels (blue, green, red), each row padded to 8 bytes.
    constexpr INT Stride = 8;
    BYTE pixels[2 * Stride] = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0, 0xFF, 0x00, 0x00, 0x10, 0x20, 0x30, 0, 0};
    const Bitmap bitmap(2, 2, Stride, PixelFormat24bppRGB, pixels);
    ASSERT_EQ(Ok, bitmap.GetLastStatus());
    EXPECT_EQ(2u, bitmap.GetWidth());
    EXPECT_EQ(2u, bitmap.GetHeight());
    EXPECT_EQ(PixelFormat24bppRGB, bitmap.GetPixelFormat());
    EXPECT_EQ(0xFFFF0000u, PixelAt(bitmap, 0, 0).GetValue());
    EXPECT_EQ(0xFF00FF00u, PixelAt(bitmap, 1, 0).GetValue());
    EXPECT_EQ(0xFF0000FFu, PixelAt(bitmap, 0, 1).GetValue());
    EXPECT_EQ(0xFF302010u, PixelAt(bitmap, 1, 1).GetValue());
}

TEST(Bitmap, ClonesAndTexturesOfARawPixelBitmapOwnTheirPixels)
{
    constexpr INT Stride = 4;
    auto pixels = std::make_unique<BYTE[]>(Stride);
    const BYTE red[Stride] = {0x00, 0x00, 0xFF, 0x00};
    std::memcpy(pixels.get(), red, Stride);
    auto bitmap = std::make_unique<Bitmap>(1, 1, Stride, PixelFormat24bppRGB, pixels.get());
    std::unique_ptr<Bitmap> clone(bitmap->Clone());
    const TextureBrush texture(bitmap.get());
    bitmap.reset();
    std::memset(pixels.get(), 0, Stride);
    pixels.reset();

    EXPECT_EQ(0xFFFF0000u, PixelAt(*clone, 0, 0).GetValue());
    std::unique_ptr<Image> image(texture.GetImage());
    auto* textureBitmap = dynamic_cast<Bitmap*>(image.get());
    ASSERT_NE(nullptr, textureBitmap);
    EXPECT_EQ(0xFFFF0000u, PixelAt(*textureBitmap, 0, 0).GetValue());
}

TEST(Bitmap, LockBitsExposesTheRowsInTheRequestedFormat)
{
    auto bitmap = TwoColourPicture();
    const Rect all(0, 0, Side, Side);
    BitmapData data = {};
    ASSERT_EQ(Ok, bitmap->LockBits(&all, ImageLockModeRead, PixelFormat24bppRGB, &data));
    EXPECT_EQ(UINT(Side), data.Width);
    EXPECT_GE(data.Stride, Side * 3);
    const BYTE* row = static_cast<const BYTE*>(data.Scan0) + data.Stride * 3;
    EXPECT_EQ(0xFF, row[2]) << "red of the first pixel";
    EXPECT_EQ(0x00, row[0]);
    EXPECT_EQ(0xFF, row[(Side - 1) * 3]) << "blue of the last pixel";
    ASSERT_EQ(Ok, bitmap->UnlockBits(&data));

    ASSERT_EQ(Ok, bitmap->LockBits(&all, ImageLockModeWrite, PixelFormat32bppARGB, &data));
    static_cast<ARGB*>(data.Scan0)[0] = 0xFF00FF00;
    bitmap->UnlockBits(&data);
    EXPECT_EQ(0xFF00FF00u, PixelAt(*bitmap, 0, 0).GetValue());
}

TEST(Bitmap, RoundTripsThroughADeviceBitmap)
{
    auto bitmap = TwoColourPicture();
    HBITMAP device = nullptr;
    ASSERT_EQ(Ok, bitmap->GetHBITMAP(Color(0xFF000000), &device));
    ASSERT_NE(nullptr, device);
    BITMAP info = {};
    GetObjectA(device, sizeof info, &info);
    EXPECT_EQ(Side, info.bmWidth);

    std::unique_ptr<Bitmap> copy(Bitmap::FromHBITMAP(device, nullptr));
    DeleteObject(device);
    ASSERT_EQ(Ok, copy->GetLastStatus());
    EXPECT_EQ(Right, PixelAt(*copy, Side - 1, 0).GetValue());
    EXPECT_EQ(Left, PixelAt(*copy, 0, Side - 1).GetValue());
}

TEST(Bitmap, LoadsEveryPictureFormatTheSystemInserts)
{
    const struct {
        const char* fileName;
        const char16_t* mimeType; // encoded by the platform, else written by hand
        std::string (*handMade)();
        int tolerance;
    } cases[] = {
        {"picture.bmp", u"image/bmp", nullptr, 0},     {"picture.tif", u"image/tiff", nullptr, 0},
        {"picture.jpg", u"image/jpeg", nullptr, 40},   {"picture.png", u"image/png", nullptr, 0},
        {"picture.gif", nullptr, TwoColourGif, 0},      {"picture.ico", nullptr, TwoColourIcon, 0},
    };
    const auto source = TwoColourPicture();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const std::u16string path = TempPath(c.fileName);
        if (c.mimeType) {
            CLSID encoder;
            ASSERT_TRUE(FindEncoder(c.mimeType, &encoder));
            ASSERT_EQ(Ok, source->Save(path.c_str(), &encoder));
        } else {
            ASSERT_TRUE(WriteFileBytes(path, c.handMade()));
        }

        std::unique_ptr<Bitmap> loaded(Bitmap::FromFile(path.c_str()));
        ASSERT_EQ(Ok, loaded->GetLastStatus());
        EXPECT_EQ(UINT(Side), loaded->GetWidth());
        EXPECT_EQ(UINT(Side), loaded->GetHeight());
        EXPECT_TRUE(NearRgb(Color(Left), PixelAt(*loaded, 1, 1), c.tolerance));
        EXPECT_TRUE(NearRgb(Color(Right), PixelAt(*loaded, Side - 2, Side - 2), c.tolerance));

        std::unique_ptr<Image> image(Image::FromFile(path.c_str()));
        EXPECT_EQ(ImageTypeBitmap, image->GetType());
        EXPECT_NE(nullptr, dynamic_cast<Bitmap*>(image.get()));
        loaded.reset();
        image.reset();
        const std::string narrow(path.begin(), path.end());
        DeleteFileA(narrow.c_str());
    }
}

TEST(Bitmap, AFileThatIsNoPictureFails)
{
    const std::u16string path = TempPath("not-a-picture.png");
    ASSERT_TRUE(WriteFileBytes(path, "plain text, no picture"));
    const Bitmap bitmap(path.c_str());
    EXPECT_NE(Ok, bitmap.GetLastStatus());
    const Bitmap missing(TempPath("missing.bmp").c_str());
    EXPECT_NE(Ok, missing.GetLastStatus());
    const std::string narrow(path.begin(), path.end());
    DeleteFileA(narrow.c_str());
}

TEST(Bitmap, CloneIsAnIndependentBitmap)
{
    auto bitmap = TwoColourPicture();
    std::unique_ptr<Bitmap> clone(bitmap->Clone());
    ASSERT_EQ(Ok, clone->GetLastStatus());
    clone->SetPixel(0, 0, Color(0xFF00FF00));
    EXPECT_EQ(Left, PixelAt(*bitmap, 0, 0).GetValue());
    EXPECT_EQ(0xFF00FF00u, PixelAt(*clone, 0, 0).GetValue());

    const Image& asImage = *bitmap;
    std::unique_ptr<Image> imageClone(asImage.Clone());
    EXPECT_NE(nullptr, dynamic_cast<Bitmap*>(imageClone.get())) << "cloning through the base keeps the class";
}
