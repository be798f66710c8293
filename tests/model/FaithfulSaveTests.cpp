// Saves that say what was opened or built, and say it the same way every time: stored files
// written back byte for byte, fonts with the face and height they were given, curve bounds that
// do not wander, and record order independent of where objects live in memory.
#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/FlashTextShape.h"
#include "model/archive/DrawableFont.h"
#include "tests/support/InstalledFonts.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// The blank-separated token that holds the process-wide identifier counter: after the header
// and the document's class information and object identifier.
constexpr std::size_t kCounterToken = 6;

// The text on one line: each line end becomes the blank the writer puts between items, so that
// a stored file laid out in lines by hand compares with what the writer produces.
std::string OnOneLine(const std::string& text)
{
    std::string line;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            continue;
        line += text[at] == '\n' ? ' ' : text[at];
    }
    return line;
}

// The offset and length of the token at the index.
std::pair<std::size_t, std::size_t> TokenSpan(const std::string& text, std::size_t index)
{
    std::size_t begin = 0;
    for (std::size_t i = 0;; ++i) {
        begin = text.find_first_not_of(" \r\n", begin);
        const std::size_t end = std::min(text.find_first_of(" \r\n", begin), text.size());
        if (i == index || begin == std::string::npos)
            return {begin, end - begin};
        begin = end;
    }
}

// The text with its counter token replaced by the other text's.
std::string WithCounterOf(std::string text, const std::string& other)
{
    const auto [at, length] = TokenSpan(text, kCounterToken);
    const auto [otherAt, otherLength] = TokenSpan(other, kCounterToken);
    return text.replace(at, length, other.substr(otherAt, otherLength));
}

// Where two texts part, with a little of each from there; empty when they are equal.
std::string Mismatch(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return "";
    const auto parted = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const std::size_t at = std::size_t(parted.first - expected.begin());
    const std::size_t from = at > 30 ? at - 30 : 0;
    return "at " + std::to_string(at) + ":\n  [" + expected.substr(from, 60) + "]\n  [" + actual.substr(from, 60) + "]";
}

std::vector<std::string> FixturePaths()
{
    std::vector<std::string> paths;
    if (DIR* folder = opendir(MODEL_FIXTURES_DIR)) {
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".qpd") == 0)
                paths.push_back(std::string(MODEL_FIXTURES_DIR) + "/" + name);
        }
        closedir(folder);
    }
    return paths;
}

std::string Resaved(const std::string& text)
{
    CFlashEditorDoc doc;
    LoadText(doc, text);
    return SaveText(doc);
}

// Quadratic curves in every direction, with control points that put the extremes between
// whole twips, closed into one shape.
CFlashSolidShape* MakeCurvedShape(int x, int y)
{
    Gdiplus::SolidBrush fill{Gdiplus::Color(kOpaqueBlue)};
    auto* shape = new CFlashSolidShape(&fill);
    const POINT points[] = {{x, y}, {x + 1001, y - 337}, {x + 1999, y + 3}, {x + 2417, y + 1333},
                            {x + 1500, y + 1999}, {x - 7, y + 2251}, {x - 555, y + 1001}};
    const int count = int(std::size(points));
    for (int i = 0; i + 2 < count; i += 2)
        shape->InsertCurve(new CFlashBezierCurve(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y,
                                                 points[i + 2].x, points[i + 2].y),
                           false, 0);
    shape->InsertCurve(new CFlashBezierCurve(points[count - 1].x, points[count - 1].y, x - 333, y - 251, x, y),
                       false, 0);
    return shape;
}

CFlashTextShape* MakeText(const CLogicalFont& font, const std::string& text)
{
    Gdiplus::SolidBrush fill{Gdiplus::Color(kOpaqueRed)};
    auto* shape = new CFlashTextShape(nullptr, nullptr, &fill);
    shape->SetLogicalFont(font);
    shape->SetText(text);
    shape->SetRect(Gdiplus::Rect(100, 100, 3000, 800));
    return shape;
}

// The one text shape of the document's first span.
const CFlashTextShape* OnlyText(const CFlashEditorDoc& doc)
{
    std::vector<CFlashShape*> shapes;
    doc.GetLayer(1)->GetSpanByIndex(1)->CollectShapes(shapes);
    return shapes.size() == 1 ? dynamic_cast<const CFlashTextShape*>(shapes[0]) : nullptr;
}

} // namespace

// Stored files hold no selected shapes, so only the counter may differ; blanks count, since a
// string is its length, a blank and its bytes, and an empty one leaves two blanks in a row.
TEST(FaithfulSave, EveryFixtureSavesBackAsItWasStored)
{
    const std::vector<std::string> paths = FixturePaths();
    ASSERT_FALSE(paths.empty());
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const std::string stored = ReadFile(path);
        const std::string saved = Resaved(stored);
        const std::string again = Resaved(saved);
        EXPECT_EQ("", Mismatch(WithCounterOf(saved, again), again)) << "a second round trip changes the file";
        EXPECT_EQ("", Mismatch(WithCounterOf(OnOneLine(stored), saved), OnOneLine(saved)));
    }
}

TEST(FaithfulSave, BuiltDocumentSavesTheSameAfterEveryRoundTrip)
{
    CFlashEditorDoc doc;
    doc.AddShape(MakeCurvedShape(0, 0));
    doc.AddShape(MakeCurvedShape(-3001, 777));
    auto rotated = std::make_unique<CFlashEditorFrameShapeTransform>();
    rotated->GetMatrix()->Rotate(33.3f);
    rotated->GetMatrix()->Translate(1000.0313f, -12.34567f);
    doc.AddShape(MakeCurvedShape(5, 5), std::move(rotated));
    doc.AddShape(MakeText(CLogicalFont("Times New Roman", -13, FW_BOLD, true), "Times"));
    // A text given a font object alone is stored with the logical font the platform reports.
    const Gdiplus::Font serif(u"Times New Roman", 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    doc.AddShape(new CFlashTextShape(&serif, nullptr, nullptr));
    const std::string first = SaveText(doc);
    std::string saved = first;
    for (int trip = 1; trip <= 3; ++trip) {
        saved = Resaved(saved);
        EXPECT_EQ("", Mismatch(WithCounterOf(first, saved), saved)) << "round trip " << trip;
    }
}

// The font record says what was chosen: the face the user named, not the family the platform
// draws it with, and the height as asked for, which the platform may turn into one a pixel off.
TEST(FaithfulSave, TextComesBackWithTheFaceAndHeightItWasGiven)
{
    const CLogicalFont fonts[] = {
        {"Arial", -12, FW_NORMAL, false},        {"Arial", -16, FW_BOLD, false},
        {"Times New Roman", -13, FW_NORMAL, false}, {"Times New Roman", -14, FW_NORMAL, true},
        {"Courier New", -9, FW_NORMAL, false},   {"Arial", 12, FW_NORMAL, false},
    };
    for (const CLogicalFont& font : fonts) {
        SCOPED_TRACE(font.GetFaceName() + " " + std::to_string(font.height));
        CFlashEditorDoc doc;
        doc.AddShape(MakeText(font, "Hello"));
        const std::string saved = SaveText(doc);
        CFlashEditorDoc opened;
        LoadText(opened, saved);
        const CFlashTextShape* text = OnlyText(opened);
        ASSERT_NE(nullptr, text);
        ASSERT_TRUE(text->GetLogicalFont().has_value());
        EXPECT_EQ(font.GetFaceName(), text->GetLogicalFont()->GetFaceName());
        EXPECT_EQ(font.height, text->GetLogicalFont()->height);
        EXPECT_EQ(font.weight, text->GetLogicalFont()->weight);
        EXPECT_EQ(font.italic, text->GetLogicalFont()->italic);
        ASSERT_NE(nullptr, text->GetFont());
        EXPECT_EQ(Gdiplus::Ok, text->GetFont()->GetLastStatus());
        EXPECT_EQ(font.italic ? Gdiplus::FontStyleItalic : 0, text->GetFont()->GetStyle() & Gdiplus::FontStyleItalic);
        const std::string again = SaveText(opened);
        EXPECT_EQ("", Mismatch(WithCounterOf(saved, again), again));
        // A copy of the text keeps the font as chosen too.
        std::unique_ptr<CFlashShape> copy(text->Clone());
        EXPECT_EQ(font.GetFaceName(), static_cast<CFlashTextShape&>(*copy).GetLogicalFont()->GetFaceName());
    }
}

// GDI+ draws TrueType outlines only. A text that names a face in another format keeps the name
// through every save, and is drawn as the same text in the replacement face.
TEST(FaithfulSave, ATextInAFaceGdiplusCannotDrawKeepsItsFaceAndDrawsInTheReplacement)
{
    const std::string face = InstalledUndrawableFace();
    ASSERT_FALSE(face.empty()) << kNoUndrawableFace;
    auto rendered = [](CFlashEditorDoc& doc, CTestCanvas& canvas) {
        doc.GetLayer(1)->RenderCurrentFrame(canvas.Graphics(), 0, 0, 1.0, kRenderAllStates);
    };
    CFlashEditorDoc doc;
    doc.AddShape(MakeText(CLogicalFont(face, -24, FW_BOLD, false), "Hello"));
    const std::string saved = SaveText(doc);
    CFlashEditorDoc opened;
    LoadText(opened, saved);
    const CFlashTextShape* text = OnlyText(opened);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(face, text->GetLogicalFont()->GetFaceName());
    const std::string again = SaveText(opened);
    EXPECT_EQ("", Mismatch(WithCounterOf(saved, again), again));

    CFlashEditorDoc replaced;
    replaced.AddShape(MakeText(CLogicalFont(CDrawableFont::kReplacementFace, -24, FW_BOLD, false), "Hello"));
    CTestCanvas drawn;
    CTestCanvas expected;
    rendered(opened, drawn);
    rendered(replaced, expected);
    const CPictureDifference difference = ComparePictures(drawn, expected);
    EXPECT_GT(difference.inked, 100);
    EXPECT_EQ(difference.differing, 0);
}

// A span's records follow its stacking order, wherever its shapes were allocated.
TEST(FaithfulSave, SavesDoNotDependOnWhereShapesLive)
{
    constexpr int kShapes = 6;
    const auto build = [](bool reversed) {
        auto doc = std::make_unique<CFlashEditorDoc>();
        CFlashEditorLayer* layer = doc->GetLayer(1);
        layer->SetObjectId(500);
        layer->SetName("Layer 1");
        std::vector<std::unique_ptr<CFlashShape>> shapes(kShapes);
        // Allocated in opposite orders, with blocks between them to spread the addresses.
        std::vector<std::unique_ptr<char[]>> spacers;
        for (int n = 0; n < kShapes; ++n) {
            const int i = reversed ? kShapes - 1 - n : n;
            shapes[std::size_t(i)].reset(MakeSolidRect(i * 100, 0, 50, 50, kOpaqueGreen));
            spacers.emplace_back(new char[std::size_t(64 + 32 * n)]);
            shapes[std::size_t(i)]->SetObjectId(1000 + i);
            shapes[std::size_t(i)]->SetName("Shape" + std::to_string(i));
        }
        for (auto& shape : shapes)
            EXPECT_TRUE(doc->AddShape(shape.release()));
        return doc;
    };
    const std::unique_ptr<CFlashEditorDoc> forwards = build(false);
    const std::unique_ptr<CFlashEditorDoc> backwards = build(true);

    // The two documents differ in address order, or the comparison below would prove nothing.
    const auto addressOrder = [](const CFlashEditorDoc& doc) {
        std::vector<int> ids;
        for (const auto& [shape, placement] : doc.GetLayer(1)->GetSpanByIndex(1)->GetTransformRange())
            ids.push_back(shape->GetObjectId());
        return ids;
    };
    ASSERT_NE(addressOrder(*forwards), addressOrder(*backwards));
    const std::string a = SaveText(*forwards);
    const std::string b = SaveText(*backwards);
    EXPECT_EQ("", Mismatch(WithCounterOf(a, b), b));
    // Topmost first: the last shape added leads the span's records.
    EXPECT_LT(a.find("6 Shape5"), a.find("6 Shape0"));
}
