#include "ArchiveTestSupport.h"

#include "model/archive/GdiplusRecords.h"
#include "model/archive/GdiplusSerialization.h"
#include "model/archive/LogicalFont.h"

#include <boost/serialization/extended_type_info.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

using ArchiveTest::kHeader;
using ArchiveTest::ReadText;
using ArchiveTest::Tokens;
using ArchiveTest::Written;
using namespace Gdiplus;

namespace {

constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kBlue = 0xFF0000FF;

// The face as its 32 signed character values, zeros after it.
std::string FaceTokens(const std::string& face)
{
    std::string tokens = "32";
    for (int i = 0; i < 32; ++i)
        tokens += " " + std::to_string(i < int(face.size()) ? int(face[std::size_t(i)]) : 0);
    return tokens;
}

// The 3 x 2 pixel record: rows of 12 bytes (three blue, green, red triples and padding).
const std::string kPixelTokens = "3 2 12 137224 3 2 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 6 5 4 0 0 0";

ARGB ValueOf(const Color& color)
{
    return color.GetValue();
}

// A 3 x 2 bitmap with a transparent pixel at (0, 0) and an opaque one at (2, 1).
std::unique_ptr<Bitmap> SampleBitmap()
{
    auto bitmap = std::make_unique<Bitmap>(3, 2, PixelFormat32bppARGB);
    for (INT y = 0; y < 2; ++y)
        for (INT x = 0; x < 3; ++x)
            bitmap->SetPixel(x, y, Color(0xFF000000));
    bitmap->SetPixel(0, 0, Color(0, 1, 2, 3));
    bitmap->SetPixel(2, 1, Color(255, 4, 5, 6));
    return bitmap;
}

void ExpectSamplePixels(Bitmap& bitmap)
{
    ASSERT_EQ(3u, bitmap.GetWidth());
    ASSERT_EQ(2u, bitmap.GetHeight());
    Color color;
    bitmap.GetPixel(0, 0, &color);
    EXPECT_EQ(0xFF010203, ValueOf(color)) << "transparency is not kept";
    bitmap.GetPixel(2, 1, &color);
    EXPECT_EQ(0xFF040506, ValueOf(color));
    bitmap.GetPixel(1, 0, &color);
    EXPECT_EQ(0xFF000000, ValueOf(color));
}

struct CStops {
    std::vector<ARGB> colors;
    std::vector<REAL> positions;
};

template <class Gradient>
CStops StopsOf(const Gradient& brush)
{
    const INT count = brush.GetInterpolationColorCount();
    std::vector<Color> colors(std::size_t(count > 0 ? count : 0));
    CStops stops;
    stops.positions.resize(colors.size());
    if (count > 0)
        brush.GetInterpolationColors(colors.data(), stops.positions.data(), count);
    for (const Color& color : colors)
        stops.colors.push_back(color.GetValue());
    return stops;
}

template <class Gradient>
void SetStops(Gradient& brush, const CStops& stops)
{
    std::vector<Color> colors(stops.colors.begin(), stops.colors.end());
    ASSERT_EQ(Ok, brush.SetInterpolationColors(colors.data(), stops.positions.data(), INT(colors.size())));
}

template <class Archive>
void RegisterGdiplusTypes(Archive& ar)
{
    ar.template register_type<Pen>();
    ar.template register_type<Brush>();
    ar.template register_type<SolidBrush>();
    ar.template register_type<LinearGradientBrush>();
    ar.template register_type<PathGradientBrush>();
    ar.template register_type<TextureBrush>();
    ar.template register_type<Color>();
    ar.template register_type<Font>();
    ar.template register_type<Bitmap>();
    if constexpr (std::is_same_v<Archive, CDocumentIArchive>)
        ar.template DeclareSubclasses<Brush, SolidBrush, LinearGradientBrush, PathGradientBrush, TextureBrush>();
}

// A record that loads into something checkable, and saves that back.
struct CRecordFixture {
    const char* name;
    std::string tokens;
    // Loads the record, checks the result and writes it again.
    std::function<void(CDocumentIArchive&, CDocumentOArchive&)> loadCheckSave;
};

void ExpectFixture(const CRecordFixture& fixture)
{
    SCOPED_TRACE(fixture.name);
    std::ostringstream os;
    {
        CDocumentOArchive out(os);
        ReadText(kHeader + " " + fixture.tokens, [&](CDocumentIArchive& in) {
            fixture.loadCheckSave(in, out);
            EXPECT_EQ(0u, in.RemainingInput() > 2 ? in.RemainingInput() : 0u) << "record not read to its end";
        });
    }
    EXPECT_EQ(kHeader + " " + fixture.tokens, Tokens(os.str()));
}

std::unique_ptr<Brush> LoadSavedBrush(const Brush* brush)
{
    std::unique_ptr<Brush> loaded;
    ReadText(Written([&](CDocumentOArchive& ar) { SaveBrush(ar, brush); }),
             [&](CDocumentIArchive& ar) { loaded = LoadBrush(ar); });
    return loaded;
}

} // namespace

TEST(GdiplusRecords, HandWrittenRecordsLoadAndSaveToTheSameTokens)
{
    const CRecordFixture fixtures[] = {
        {"colour", "200 10 20 30",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const Color color = LoadColor(in);
             EXPECT_EQ(0xC80A141Eu, ValueOf(color));
             SaveColor(out, color);
         }},
        {"pen", "55 255 0 0 255 2.5 1",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             Pen pen(Color(Color::Black), 1.0f);
             LoadPen(in, pen);
             Color color;
             pen.GetColor(&color);
             EXPECT_EQ(kBlue, ValueOf(color));
             EXPECT_EQ(2.5f, pen.GetWidth());
             EXPECT_EQ(DashStyleDash, pen.GetDashStyle());
             SavePen(out, pen);
         }},
        {"no fill", "0",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Brush> fill = LoadBrush(in);
             EXPECT_EQ(nullptr, fill);
             SaveBrush(out, fill.get());
         }},
        {"solid fill", "1 0 128 1 2 3",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Brush> fill = LoadBrush(in);
             auto* solid = dynamic_cast<SolidBrush*>(fill.get());
             ASSERT_NE(nullptr, solid);
             Color color;
             solid->GetColor(&color);
             EXPECT_EQ(0x80010203u, ValueOf(color));
             SaveBrush(out, fill.get());
         }},
        {"linear gradient with two stops: count 2, no stops written", "1 4 0 0 100 50 255 255 0 0 255 0 0 255 2",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Brush> fill = LoadBrush(in);
             auto* linear = dynamic_cast<LinearGradientBrush*>(fill.get());
             ASSERT_NE(nullptr, linear);
             const CStops stops = StopsOf(*linear);
             EXPECT_EQ((std::vector<ARGB>{kRed, kBlue}), stops.colors);
             EXPECT_EQ((std::vector<REAL>{0.0f, 1.0f}), stops.positions);
             EXPECT_EQ(WrapModeTile, linear->GetWrapMode());
             SaveBrush(out, fill.get());
         }},
        {"linear gradient with four stops: the two inner ones written",
         "1 4 10 20 100 50 255 255 0 0 255 0 0 255 4 255 0 255 0 0.25 255 255 255 0 0.75",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Brush> fill = LoadBrush(in);
             auto* linear = dynamic_cast<LinearGradientBrush*>(fill.get());
             ASSERT_NE(nullptr, linear);
             Rect rect;
             linear->GetRectangle(&rect);
             EXPECT_EQ(10, rect.X);
             EXPECT_EQ(100, rect.Width);
             const CStops stops = StopsOf(*linear);
             EXPECT_EQ((std::vector<ARGB>{kRed, 0xFF00FF00, 0xFFFFFF00, kBlue}), stops.colors);
             EXPECT_EQ((std::vector<REAL>{0.0f, 0.25f, 0.75f, 1.0f}), stops.positions);
             SaveBrush(out, fill.get());
         }},
        {"linear gradient without preset colours", "1 4 0 0 30 40 255 1 2 3 128 4 5 6 0",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Brush> fill = LoadBrush(in);
             auto* linear = dynamic_cast<LinearGradientBrush*>(fill.get());
             ASSERT_NE(nullptr, linear);
             Color colors[2];
             linear->GetLinearColors(colors);
             EXPECT_EQ(0xFF010203u, ValueOf(colors[0]));
             EXPECT_EQ(0x80040506u, ValueOf(colors[1]));
             SaveBrush(out, fill.get());
         }},
        {"path gradient with three stops", "1 3 255 1 2 3 128 4 5 6 3 255 7 8 9 0.5",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Brush> fill = LoadBrush(in);
             auto* path = dynamic_cast<PathGradientBrush*>(fill.get());
             ASSERT_NE(nullptr, path);
             Color center;
             path->GetCenterColor(&center);
             EXPECT_EQ(0xFF010203u, ValueOf(center));
             EXPECT_EQ((std::vector<ARGB>{0xFF010203, 0xFF070809, 0x80040506}), StopsOf(*path).colors);
             SaveBrush(out, fill.get());
         }},
        {"texture fill", "1 2 " + kPixelTokens,
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Brush> fill = LoadBrush(in);
             auto* texture = dynamic_cast<TextureBrush*>(fill.get());
             ASSERT_NE(nullptr, texture);
             std::unique_ptr<Image> image(texture->GetImage());
             auto* bitmap = dynamic_cast<Bitmap*>(image.get());
             ASSERT_NE(nullptr, bitmap);
             ExpectSamplePixels(*bitmap);
             SaveBrush(out, fill.get());
         }},
        {"font", FaceTokens("Liberation Sans") + " -20 700 1",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             const std::unique_ptr<Font> font = LoadFont(in);
             ASSERT_NE(nullptr, font);
             EXPECT_EQ(Ok, font->GetLastStatus());
             EXPECT_EQ(FontStyleBoldItalic, font->GetStyle());
             SaveFont(out, *font);
         }},
        {"pixels of a 3 x 2 bitmap: stride 12, 24 bytes", kPixelTokens,
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             CBitmapPixels pixels = LoadBitmapPixels(in);
             ASSERT_NE(nullptr, pixels.bitmap);
             ASSERT_NE(nullptr, pixels.pixels);
             ExpectSamplePixels(*pixels.bitmap);
             SaveBitmapPixels(out, *pixels.bitmap);
         }},
        {"pointer records in registration order",
         "0 0 0 2 0 0 128 1 2 3 3 0 0 0 0 100 50 255 255 0 0 255 0 0 255 0 0 0 4 0 0 255 1 2 3 128 4 5 6 0 5 0 0 "
             + kPixelTokens + " 6 1 0 0 1 2 3 4 7 0 0 " + FaceTokens("Liberation Sans") + " -20 400 0 8 0 0 "
             + kPixelTokens + " -1",
         [](CDocumentIArchive& in, CDocumentOArchive& out) {
             RegisterGdiplusTypes(in);
             RegisterGdiplusTypes(out);
             Pen* pen = nullptr;
             Brush* brushes[4] = {};
             Color* color = nullptr;
             Font* font = nullptr;
             Bitmap* bitmap = nullptr;
             Brush* none = reinterpret_cast<Brush*>(1);
             in >> pen >> brushes[0] >> brushes[1] >> brushes[2] >> brushes[3] >> color >> font >> bitmap >> none;
             ASSERT_NE(nullptr, pen);
             EXPECT_EQ(20.0f, pen->GetWidth());
             EXPECT_NE(nullptr, dynamic_cast<SolidBrush*>(brushes[0]));
             EXPECT_NE(nullptr, dynamic_cast<LinearGradientBrush*>(brushes[1]));
             EXPECT_NE(nullptr, dynamic_cast<PathGradientBrush*>(brushes[2]));
             EXPECT_NE(nullptr, dynamic_cast<TextureBrush*>(brushes[3]));
             ASSERT_NE(nullptr, color);
             EXPECT_EQ(0x01020304u, ValueOf(*color));
             ASSERT_NE(nullptr, font);
             ASSERT_NE(nullptr, bitmap);
             ExpectSamplePixels(*bitmap);
             EXPECT_EQ(nullptr, none);
             out << pen << brushes[0] << brushes[1] << brushes[2] << brushes[3] << color << font << bitmap << none;
             delete pen;
             for (Brush* brush : brushes)
                 delete brush;
             delete color;
             delete font;
             delete bitmap;
         }},
    };
    for (const CRecordFixture& fixture : fixtures)
        ExpectFixture(fixture);
}

TEST(GdiplusRecords, FillsOfOtherTypesComeBackAsNoFill)
{
    const HatchBrush hatch(HatchStyleCross, Color(kRed), Color(kBlue));
    EXPECT_EQ(kHeader + " 1 1", Tokens(Written([&](CDocumentOArchive& ar) { SaveBrush(ar, &hatch); })));
    for (const char* tokens : {" 1 1", " 1 -1", " 1 9"})
        ReadText(kHeader + tokens, [&](CDocumentIArchive& ar) { EXPECT_EQ(nullptr, LoadBrush(ar)) << tokens; });
}

TEST(GdiplusRecords, EveryBrushKindRoundTrips)
{
    const SolidBrush solid(Color(0x80112233));
    const std::unique_ptr<Brush> solidBack = LoadSavedBrush(&solid);
    Color color;
    ASSERT_NE(nullptr, dynamic_cast<SolidBrush*>(solidBack.get()));
    static_cast<SolidBrush&>(*solidBack).GetColor(&color);
    EXPECT_EQ(0x80112233u, ValueOf(color));

    LinearGradientBrush linear(Rect(5, 6, 70, 80), Color(kRed), Color(kBlue), LinearGradientModeHorizontal);
    const CStops linearStops{{kRed, 0xFF00FF00, 0xFF102030, kBlue}, {0.0f, 0.3f, 0.6f, 1.0f}};
    SetStops(linear, linearStops);
    const std::unique_ptr<Brush> linearBack = LoadSavedBrush(&linear);
    auto* linearLoaded = dynamic_cast<LinearGradientBrush*>(linearBack.get());
    ASSERT_NE(nullptr, linearLoaded);
    Rect rect;
    linearLoaded->GetRectangle(&rect);
    EXPECT_TRUE(rect.Equals(Rect(5, 6, 70, 80)));
    EXPECT_EQ(linearStops.colors, StopsOf(*linearLoaded).colors);
    EXPECT_EQ(linearStops.positions, StopsOf(*linearLoaded).positions);

    // Several surround colours come back as one, the first.
    GraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 10, 10);
    PathGradientBrush path(&ellipse);
    path.SetCenterColor(Color(0xFF445566));
    std::vector<Color> surround(std::size_t(path.GetPointCount()), Color(kBlue));
    surround.front() = Color(kRed);
    INT count = INT(surround.size());
    ASSERT_EQ(Ok, path.SetSurroundColors(surround.data(), &count));
    const std::unique_ptr<Brush> pathBack = LoadSavedBrush(&path);
    auto* pathLoaded = dynamic_cast<PathGradientBrush*>(pathBack.get());
    ASSERT_NE(nullptr, pathLoaded);
    pathLoaded->GetCenterColor(&color);
    EXPECT_EQ(0xFF445566u, ValueOf(color));
    INT loadedCount = pathLoaded->GetSurroundColorCount();
    std::vector<Color> loadedSurround(std::size_t(loadedCount > 0 ? loadedCount : 0));
    ASSERT_EQ(Ok, pathLoaded->GetSurroundColors(loadedSurround.data(), &loadedCount));
    for (const Color& each : loadedSurround)
        EXPECT_EQ(kRed, ValueOf(each));

    const std::unique_ptr<Bitmap> picture = SampleBitmap();
    const TextureBrush texture(picture.get());
    const std::unique_ptr<Brush> textureBack = LoadSavedBrush(&texture);
    auto* textureLoaded = dynamic_cast<TextureBrush*>(textureBack.get());
    ASSERT_NE(nullptr, textureLoaded);
    std::unique_ptr<Image> image(textureLoaded->GetImage());
    ASSERT_NE(nullptr, dynamic_cast<Bitmap*>(image.get()));
    ExpectSamplePixels(static_cast<Bitmap&>(*image));
    EXPECT_EQ(WrapModeTile, textureLoaded->GetWrapMode());

    EXPECT_EQ(nullptr, LoadSavedBrush(nullptr));
}

TEST(GdiplusRecords, BitmapPixelsRoundTripWithRowPadding)
{
    // Five pixels make 15 bytes, padded to rows of 16.
    Bitmap bitmap(5, 3, PixelFormat24bppRGB);
    for (INT y = 0; y < 3; ++y)
        for (INT x = 0; x < 5; ++x)
            bitmap.SetPixel(x, y, Color(255, BYTE(x * 50), BYTE(y * 80), BYTE(x * y * 10)));
    const std::string text = Written([&](CDocumentOArchive& ar) { SaveBitmapPixels(ar, bitmap); });
    EXPECT_EQ(0u, Tokens(text).find(kHeader + " 5 3 16 137224 "));
    CBitmapPixels loaded;
    ReadText(text, [&](CDocumentIArchive& ar) { loaded = LoadBitmapPixels(ar); });
    ASSERT_NE(nullptr, loaded.bitmap);
    for (INT y = 0; y < 3; ++y)
        for (INT x = 0; x < 5; ++x) {
            Color expected;
            Color actual;
            bitmap.GetPixel(x, y, &expected);
            loaded.bitmap->GetPixel(x, y, &actual);
            EXPECT_EQ(ValueOf(expected), ValueOf(actual)) << x << "," << y;
        }
}

TEST(GdiplusRecords, PensRoundTripColourWidthAndDash)
{
    struct Case {
        ARGB color;
        REAL width;
        DashStyle dash;
    };
    const Case cases[] = {
        {0xFF000000, 1.0f, DashStyleSolid},   {0x80FF8040, 0.5f, DashStyleDash},
        {0xFF00FF00, 12.25f, DashStyleDot},   {0x01020304, 3.0f, DashStyleDashDot},
        {0xFFFFFFFF, 100.0f, DashStyleDashDotDot},
    };
    for (const Case& c : cases) {
        Pen pen(Color(c.color), c.width);
        pen.SetDashStyle(c.dash);
        Pen loaded(Color(Color::Black), 1.0f);
        ReadText(Written([&](CDocumentOArchive& ar) { SavePen(ar, pen); }),
                 [&](CDocumentIArchive& ar) { LoadPen(ar, loaded); });
        Color color;
        loaded.GetColor(&color);
        EXPECT_EQ(c.color, ValueOf(color));
        EXPECT_EQ(c.width, loaded.GetWidth());
        EXPECT_EQ(c.dash, loaded.GetDashStyle());
    }
}

// A font given by family and pixel size is written with the logical font the platform reports:
// the face it draws with and the size as the character height.
TEST(GdiplusRecords, FontsAreWrittenWithThePlatformsLogicalFont)
{
    struct Case {
        const char16_t* family;
        REAL size;
        INT style;
        const char* tokens;
    };
    const Case cases[] = {
        {u"Arial", 16.0f, FontStyleRegular, " -16 400 0"},
        {u"Times New Roman", 30.0f, FontStyleBold, " -30 700 0"},
        {u"Courier New", 11.0f, FontStyleItalic, " -11 400 1"},
    };
    for (const Case& c : cases) {
        const FontFamily family(c.family);
        WCHAR face[LF_FACESIZE] = {};
        family.GetFamilyName(face);
        std::string narrow;
        for (const WCHAR* ch = face; *ch != 0; ++ch)
            narrow += char(*ch);
        const Font font(&family, c.size, c.style, UnitPixel);
        const std::string text = Written([&](CDocumentOArchive& ar) { SaveFont(ar, font); });
        EXPECT_EQ(kHeader + " " + FaceTokens(narrow) + c.tokens, Tokens(text));
    }
}

// A logical font read from a record is written back unchanged, whatever the platform makes of
// it: the height it was stored with and the face as named, bytes after the name included.
TEST(GdiplusRecords, LogicalFontsAreWrittenBackAsRead)
{
    const std::string records[] = {
        FaceTokens("Arial") + " -12 400 0",
        FaceTokens("Times New Roman") + " -13 400 0",
        FaceTokens("Times New Roman") + " -14 700 1",
        FaceTokens("Courier New") + " 12 400 0",
        FaceTokens(std::string("Courier New\0\7\7\7", 15)) + " -9 400 0",
    };
    for (const std::string& record : records) {
        SCOPED_TRACE(record);
        CLogicalFont font;
        ReadText(kHeader + " " + record, [&](CDocumentIArchive& ar) { font = LoadLogicalFont(ar); });
        const std::unique_ptr<Font> made = font.MakeFont();
        ASSERT_NE(nullptr, made);
        EXPECT_EQ(Ok, made->GetLastStatus());
        EXPECT_EQ(kHeader + " " + record,
                  Tokens(Written([&](CDocumentOArchive& ar) { SaveLogicalFont(ar, font); })));
    }
}

// The face read back ends at the name's terminating zero, and a name that fills all 32 characters
// loses its last one to the terminator; the font is made with that face.
TEST(GdiplusRecords, FaceNamesReadBackEndAtTheirTerminator)
{
    const struct {
        std::string tokens;
        std::string face;
        const char16_t* family;
    } cases[] = {
        {FaceTokens(std::string(32, 'A')), std::string(31, 'A'), nullptr},
        {FaceTokens(std::string("Courier New") + '\0' + std::string(20, 'A')), "Courier New", u"Courier New"},
        {FaceTokens("Times New Roman"), "Times New Roman", u"Times New Roman"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        CLogicalFont font;
        std::unique_ptr<Font> loaded;
        const std::string record = kHeader + " " + c.tokens + " -12 400 0";
        ReadText(record, [&](CDocumentIArchive& ar) { font = LoadLogicalFont(ar); });
        ReadText(record, [&](CDocumentIArchive& ar) { loaded = LoadFont(ar); });
        EXPECT_EQ(c.face, font.GetFaceName());
        EXPECT_EQ(c.face, std::string(font.ToLogFont().lfFaceName));
        if (c.family == nullptr)
            continue;
        // The platform draws the named face with the family it stands for.
        const FontFamily expected(c.family);
        WCHAR expectedName[LF_FACESIZE] = {};
        expected.GetFamilyName(expectedName);
        FontFamily family;
        WCHAR name[LF_FACESIZE] = {};
        ASSERT_NE(nullptr, loaded);
        ASSERT_EQ(Ok, loaded->GetFamily(&family));
        family.GetFamilyName(name);
        EXPECT_EQ(std::u16string(expectedName), std::u16string(name));
    }
}

// A value the platform cannot give is no value to write: the save fails instead of writing a
// made-up colour or an all-zero font.
TEST(GdiplusRecords, PensAndFontsThatCannotBeReadFailTheSave)
{
    LinearGradientBrush gradient(Rect(0, 0, 10, 10), Color(kRed), Color(kBlue), LinearGradientModeHorizontal);
    const Pen brushPen(&gradient, 2.0f);
    const Font missing(u"No Such Family Anywhere", 12.0f, FontStyleRegular, UnitPixel);
    const struct {
        const char* name;
        std::function<void(CDocumentOArchive&)> write;
    } cases[] = {
        {"pen drawn with a gradient", [&](CDocumentOArchive& ar) { SavePen(ar, brushPen); }},
        {"font the platform never made", [&](CDocumentOArchive& ar) { SaveFont(ar, missing); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Written(c.write);
            ADD_FAILURE() << "written";
        } catch (const boost::archive::archive_exception& e) {
            EXPECT_EQ(boost::archive::archive_exception::output_stream_error, e.code);
        }
    }
}

TEST(GdiplusRecords, UnregisteredClassesAreNamedByTheirKeysWithoutNamespace)
{
    const std::unique_ptr<Bitmap> picture = SampleBitmap();
    LinearGradientBrush linear(Rect(0, 0, 10, 10), Color(kRed), Color(kBlue), LinearGradientModeHorizontal);
    GraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 10, 10);
    PathGradientBrush path(&ellipse);
    const SolidBrush solid{Color(kRed)};
    const TextureBrush texture(picture.get());
    struct Case {
        const char* key;
        const Brush* brush;
        std::function<bool(const Brush*)> isLoadedClass;
    };
    const Case cases[] = {
        {"10 SolidBrush", &solid, [](const Brush* b) { return dynamic_cast<const SolidBrush*>(b) != nullptr; }},
        {"19 LinearGradientBrush", &linear,
         [](const Brush* b) { return dynamic_cast<const LinearGradientBrush*>(b) != nullptr; }},
        {"17 PathGradientBrush", &path,
         [](const Brush* b) { return dynamic_cast<const PathGradientBrush*>(b) != nullptr; }},
        {"12 TextureBrush", &texture, [](const Brush* b) { return dynamic_cast<const TextureBrush*>(b) != nullptr; }},
    };
    for (const Case& c : cases) {
        const std::string text = Written([&](CDocumentOArchive& ar) { ar << c.brush; });
        EXPECT_NE(std::string::npos, text.find(c.key)) << text;
        Brush* loaded = nullptr;
        ReadText(text, [&](CDocumentIArchive& ar) {
            ar.DeclareSubclasses<Brush, SolidBrush, LinearGradientBrush, PathGradientBrush, TextureBrush>();
            ar >> loaded;
        });
        EXPECT_TRUE(c.isLoadedClass(loaded)) << c.key;
        delete loaded;
    }
    for (const char* key : {"Pen", "Brush", "SolidBrush", "LinearGradientBrush", "PathGradientBrush", "TextureBrush",
                            "Font", "Bitmap"})
        EXPECT_NE(nullptr, boost::serialization::extended_type_info::find(key)) << key;
    EXPECT_EQ(nullptr, boost::serialization::extended_type_info::find("Gdiplus::Pen"));
}

TEST(GdiplusRecords, ColourChannelsKeepTheirLowEightBits)
{
    const struct {
        const char* tokens;
        ARGB expected;
    } cases[] = {
        {"256 0 0 0", 0x00000000u},
        {"255 0 -1 0", 0xFF00FF00u},
        {"511 300 -256 65535", 0xFF2C00FFu},
    };
    for (const auto& c : cases) {
        Color color;
        ReadText(kHeader + " " + c.tokens, [&](CDocumentIArchive& ar) { color = LoadColor(ar); });
        EXPECT_EQ(c.expected, ValueOf(color)) << c.tokens;
    }
}

TEST(GdiplusRecords, DamagedRecordsRaiseTheArchiveError)
{
    const auto color = [](CDocumentIArchive& ar) { LoadColor(ar); };
    const auto pen = [](CDocumentIArchive& ar) {
        Pen target(Color(Color::Black), 1.0f);
        LoadPen(ar, target);
    };
    const auto fill = [](CDocumentIArchive& ar) { LoadBrush(ar); };
    const auto font = [](CDocumentIArchive& ar) { LoadFont(ar); };
    const auto pixels = [](CDocumentIArchive& ar) { LoadBitmapPixels(ar); };
    const auto pointers = [](CDocumentIArchive& ar) {
        RegisterGdiplusTypes(ar);
        Brush* brush = nullptr;
        ar >> brush;
    };
    const std::string linear = "1 4 0 0 100 50 255 255 0 0 255 0 0 255 ";
    const std::string face = FaceTokens("Liberation Sans");
    struct Case {
        const char* name;
        std::string tokens;
        std::function<void(CDocumentIArchive&)> read;
    };
    const Case cases[] = {
        {"colour cut short", "255 0 0", color},
        {"unknown dash style", "55 255 0 0 0 1 9", pen},
        {"negative dash style", "55 255 0 0 0 1 -1", pen},
        {"width not a number", "55 255 0 0 0 x 0", pen},
        {"fill presence other than 0 or 1", "2 0 255 0 0 0", fill},
        {"negative blend count", linear + "-1", fill},
        {"blend count beyond the input", linear + "1000000000 255 0 0 0 0.5", fill},
        {"empty gradient rectangle", "1 4 0 0 0 0 255 255 0 0 255 0 0 255 0", fill},
        {"face count above 32", "33" + face.substr(2) + " 0 -16 400 0", font},
        {"absurd face count", "4294967296 65 -16 400 0", font},
        {"face character out of range", "32 200" + face.substr(5) + " -16 400 0", font},
        {"italic out of range", face + " -16 400 256", font},
        {"zero width", "0 2 12 137224", pixels},
        {"zero height", "3 0 12 137224", pixels},
        {"stride not a multiple of 4", "3 2 10 137224 " + std::string(40, '1'), pixels},
        {"stride shorter than a row", "3 2 8 137224 1 2 3 4 5 6 7 8 1 2 3 4 5 6 7 8", pixels},
        {"negative stride", "3 2 -12 137224", pixels},
        {"other pixel format", "3 2 12 2498570 " + std::string(48, '1'), pixels},
        {"pixel rows beyond the input", "100000 100000 300000 137224 1 2 3", pixels},
        {"width beyond int", "4294967295 1 12 137224 1 2 3", pixels},
        {"pixel byte above 255", "1 1 4 137224 1 2 256 0", pixels},
        {"pixel bytes cut short", "3 2 12 137224 1 2 3", pixels},
        {"texture with a bad pixel record", "1 2 3 2 12 137224 1 2", fill},
        {"brush of no concrete class", "1 0 0", pointers},
        {"unregistered brush class", "9 0 0", pointers},
    };
    for (const Case& c : cases) {
        ArchiveTest::ResetLargestAllocation();
        bool raised = false;
        try {
            ReadText(kHeader + " " + c.tokens, c.read);
        } catch (const boost::archive::archive_exception&) {
            raised = true;
        }
        EXPECT_TRUE(raised) << c.name;
        EXPECT_LT(ArchiveTest::LargestAllocation(), ArchiveTest::kSmallInputAllocationLimit) << c.name;
    }
}

TEST(GdiplusRecords, RecordsCutAnywhereRaiseTheArchiveError)
{
    const std::unique_ptr<Bitmap> picture = SampleBitmap();
    LinearGradientBrush linear(Rect(0, 0, 10, 10), Color(kRed), Color(kBlue), LinearGradientModeHorizontal);
    SetStops(linear, {{kRed, 0xFF00FF00, kBlue}, {0.0f, 0.5f, 1.0f}});
    const FontFamily family(u"Arial");
    const Font typeface(&family, 12.0f, FontStyleRegular, UnitPixel);
    const std::string text = Written([&](CDocumentOArchive& ar) {
        RegisterGdiplusTypes(ar);
        SavePen(ar, Pen(Color(kRed), 2.0f));
        SaveBrush(ar, &linear);
        SaveFont(ar, typeface);
        SaveBitmapPixels(ar, *picture);
        Brush* solid = new SolidBrush(Color(kBlue));
        Bitmap* bitmap = picture.get();
        ar << solid << bitmap;
        delete solid;
    });
    // The pointers being read: null again after any failure, never storage of an unbuilt object.
    Brush* solid = nullptr;
    Bitmap* bitmap = nullptr;
    const auto read = [&](CDocumentIArchive& ar) {
        RegisterGdiplusTypes(ar);
        Pen pen(Color(Color::Black), 1.0f);
        LoadPen(ar, pen);
        LoadBrush(ar);
        LoadFont(ar);
        LoadBitmapPixels(ar);
        ar >> solid >> bitmap;
    };
    ReadText(text, read);
    ASSERT_NE(nullptr, solid);
    ASSERT_NE(nullptr, bitmap);
    delete solid;
    delete bitmap;
    // Every cut before the last value leaves a record without its end.
    const std::size_t lastValue = text.find_last_of(' ') + 1;
    for (std::size_t cut = 0; cut < lastValue; ++cut) {
        solid = nullptr;
        bitmap = nullptr;
        bool raised = false;
        try {
            ReadText(text.substr(0, cut), read);
        } catch (const boost::archive::archive_exception&) {
            raised = true;
        }
        EXPECT_TRUE(raised) << "cut at " << cut;
        EXPECT_EQ(nullptr, bitmap) << "cut at " << cut;
        if (cut < text.find(" 2 0 0 ", text.find("137224")))
            EXPECT_EQ(nullptr, solid) << "cut at " << cut;
        else
            delete solid;
    }
}

TEST(GdiplusRecords, GradientStopsMustRiseFromZeroToOne)
{
    // Presence, type and the body up to the blend count of each gradient kind.
    const std::string linear = "1 4 0 0 100 50 255 255 0 0 255 0 0 255 ";
    const std::string path = "1 3 255 255 0 0 255 0 0 255 ";
    const std::string red = " 255 255 0 0 ";
    const struct {
        const char* name;
        std::string blend;
        bool loads;
    } cases[] = {
        {"no blend", "0", true},
        {"first and last stops only", "2", true},
        {"one inner stop", "3" + red + "0.5", true},
        {"rising inner stops", "4" + red + "0.25" + red + "0.75", true},
        {"inner stops on the ends", "4" + red + "0" + red + "1", true},
        {"two stops at one position", "4" + red + "0.5" + red + "0.5", true},
        {"a single stop", "1", false},
        {"inner stops falling", "4" + red + "0.75" + red + "0.25", false},
        {"inner stop before the first", "3" + red + "-0.5", false},
        {"inner stop after the last", "3" + red + "1.5", false},
    };
    for (const auto& c : cases) {
        for (const std::string& gradient : {linear, path}) {
            SCOPED_TRACE(c.name + std::string(gradient == linear ? " (linear)" : " (path)"));
            std::unique_ptr<Brush> loaded;
            bool raised = false;
            try {
                ReadText(kHeader + " " + gradient + c.blend, [&](CDocumentIArchive& ar) { loaded = LoadBrush(ar); });
            } catch (const boost::archive::archive_exception&) {
                raised = true;
            }
            EXPECT_EQ(!c.loads, raised);
            if (!c.loads)
                continue;
            ASSERT_NE(nullptr, loaded);
            // What loads is written back as it was read.
            const std::string saved = Written([&](CDocumentOArchive& ar) { SaveBrush(ar, loaded.get()); });
            EXPECT_EQ(ArchiveTest::Tokens(kHeader + " " + gradient + c.blend), ArchiveTest::Tokens(saved));
        }
    }
}
