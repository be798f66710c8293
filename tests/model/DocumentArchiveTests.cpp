#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/ClipboardBag.h"
#include "model/DocumentArchive.h"
#include "model/FlashBitmap.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashHollowShape.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashStraightLine.h"
#include "model/FlashSymbol.h"
#include "model/FlashTextShape.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"

#include <boost/archive/archive_exception.hpp>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <sstream>

using namespace Gdiplus;

namespace {

// Header tokens, then the document's class information and object identifier: the stored
// identifier counter follows.
constexpr std::size_t kCounterToken = 6;
constexpr int kFixtureCounter = 100;
constexpr int kFixtureLayers = 2;
// Seven placed shapes, a symbol member and the library's symbol.
constexpr int kFixtureShapes = 9;

std::string FixtureText()
{
    return ReadFile(std::string(MODEL_FIXTURES_DIR) + "/document-v3.qpd");
}

// The tokens of a saved document without the identifier counter, which is process-wide.
std::vector<std::string> ContentTokens(const std::string& text)
{
    std::vector<std::string> tokens = Tokens(text);
    if (tokens.size() > kCounterToken)
        tokens[kCounterToken] = "<counter>";
    return tokens;
}

// Where two token lists first differ, with the tokens around it; empty when they are equal.
std::string FirstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    if (at == expected.size() && at == actual.size())
        return "";
    std::ostringstream out;
    out << "token " << at << ":";
    for (const auto* list : {&expected, &actual}) {
        out << "\n ";
        for (std::size_t i = at >= 8 ? at - 8 : 0; i < std::min(list->size(), at + 8); ++i)
            out << (i == at ? " [" : " ") << (*list)[i] << (i == at ? "]" : "");
    }
    return out.str();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

CFlashShape* OnlyShape(const CFlashEditorFrame* span)
{
    std::vector<CFlashShape*> shapes;
    span->CollectShapes(shapes);
    EXPECT_EQ(1u, shapes.size());
    return shapes.empty() ? nullptr : shapes[0];
}

// Opens a file through the document and returns the message shown, empty when none.
std::string OpenAndTakeMessage(CFlashEditorDoc& doc, const std::string& unixPath, BOOL& result)
{
    TestApp().m_messages.clear();
    result = doc.OnOpenDocument(WindowsPath(unixPath).c_str());
    std::string message;
    if (!TestApp().m_messages.empty()) {
        message = TestApp().m_messages.back().text;
        EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), TestApp().m_messages.back().type);
    }
    return message;
}

// A file removed when the test ends.
class CTemporaryFile {
public:
    explicit CTemporaryFile(const std::string& name) : m_path(TemporaryUnixPath(name)) {}
    ~CTemporaryFile() { unlink(m_path.c_str()); }
    const std::string& Path() const { return m_path; }
    std::string Windows() const { return WindowsPath(m_path); }

private:
    std::string m_path;
};

} // namespace

TEST(DocumentArchive, HandWrittenFixtureLoadsAndSavesToTheSameTokens)
{
    const std::string fixture = FixtureText();
    ASSERT_FALSE(fixture.empty());
    CFlashEditorDoc doc;
    LoadText(doc, fixture);

    EXPECT_EQ(24, doc.GetFrameRate());
    ASSERT_EQ(kFixtureLayers, doc.GetLayerCount());
    EXPECT_EQ(2, doc.GetCurrentLayerIndex());
    const CFlashEditorLayer* first = doc.GetLayer(1);
    const CFlashEditorLayer* second = doc.GetLayer(2);
    EXPECT_EQ("Layer 1", const_cast<CFlashEditorLayer*>(first)->GetName());
    EXPECT_EQ(10, first->GetObjectId());
    EXPECT_EQ(&doc, first->GetDocument());
    EXPECT_TRUE(second->IsLocked());
    EXPECT_FALSE(second->IsVisible());
    ASSERT_EQ(2, first->GetSpanCount());
    EXPECT_TRUE(first->GetSpanByIndex(1)->IsMotionTween());
    EXPECT_EQ(first, first->GetSpanByIndex(2)->GetLayer());

    const CFlashShape* tweened = OnlyShape(first->GetSpanByIndex(1));
    ASSERT_NE(nullptr, tweened);
    EXPECT_EQ(first->GetSpanByIndex(1), tweened->GetOwningSpan());
    EXPECT_EQ(tweened, first->GetSpanByIndex(1)->GetShapeById(11));
    const int kinds[] = {kCurveKindStraightLine, kCurveKindBezier, kCurveKindStraightLine, kCurveKindStraightLine,
                         kCurveKindCloseFigure};
    ASSERT_EQ(5, tweened->GetCurveCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(kinds[i], tweened->GetCurve(i)->GetKind()) << "curve " << i;
    ASSERT_NE(nullptr, tweened->GetPen());
    EXPECT_EQ(1.5f, tweened->GetPen()->GetWidth());
    EXPECT_EQ(BrushTypeLinearGradient, OnlyShape(first->GetSpanByIndex(2))->GetBrush()->GetType());

    ASSERT_EQ(5, second->GetSpanCount());
    EXPECT_NE(nullptr, dynamic_cast<CFlashHollowShape*>(OnlyShape(second->GetSpanByIndex(1))));
    EXPECT_EQ(BrushTypePathGradient, OnlyShape(second->GetSpanByIndex(2))->GetBrush()->GetType());
    const auto* text = dynamic_cast<CFlashTextShape*>(OnlyShape(second->GetSpanByIndex(3)));
    ASSERT_NE(nullptr, text);
    EXPECT_EQ("Hello", text->GetText());
    ASSERT_NE(nullptr, text->GetFont());
    const auto* bitmap = dynamic_cast<CFlashBitmap*>(OnlyShape(second->GetSpanByIndex(4)));
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(BrushTypeTextureFill, bitmap->GetBrush()->GetType());
    ASSERT_NE(nullptr, bitmap->GetImage());
    Color pixel;
    bitmap->GetImage()->GetPixel(0, 0, &pixel);
    EXPECT_EQ(0xFF0000FFu, pixel.GetValue());
    EXPECT_EQ(100, bitmap->GetX());

    const CFlashLibraryFolder& root = doc.GetLibrary().GetRootFolder();
    EXPECT_EQ("ROOT", root.GetName());
    ASSERT_EQ(1u, root.GetFolders().size());
    const std::vector<CFlashLibraryEntry*>& entries = root.GetFolders()[0]->GetEntries();
    ASSERT_EQ(3u, entries.size());
    ASSERT_NE(nullptr, entries[0]->GetBitmap());
    EXPECT_EQ(2u, entries[0]->GetBitmap()->GetWidth());
    EXPECT_EQ(nullptr, entries[1]->GetBitmap()) << "an entry with neither bitmap nor symbol";
    EXPECT_EQ(nullptr, entries[1]->GetSymbol());
    ASSERT_NE(nullptr, entries[2]->GetSymbol());
    EXPECT_EQ("Star", entries[2]->GetSymbol()->GetSymbolName());

    EXPECT_EQ("", FirstDifference(ContentTokens(fixture), ContentTokens(SaveText(doc))));
}

TEST(DocumentArchive, SaveOpenSaveGivesTheSameContent)
{
    TestApp();
    CFlashEditorDoc source;
    LoadText(source, FixtureText());
    // A layer of its own keeps the new shape alone in its span, so no two placements need ordering.
    source.SetCurrentLayer(source.AddLayer());
    source.SetStageWidth(640);
    source.AddShape(MakeSolidRect(10, 20, 300, 400, kOpaqueGreen));
    CTemporaryFile file("round.qpd");
    source.SetModifiedFlag(TRUE);
    ASSERT_TRUE(source.OnSaveDocument(file.Windows().c_str()));
    EXPECT_FALSE(source.IsModified());
    EXPECT_EQ(0, access(file.Path().c_str(), F_OK));
    const std::string written = ReadFile(file.Path());
    EXPECT_EQ(0u, written.find("22 serialization::archive 3 "));
    EXPECT_NE(std::string::npos, written.find("\r\n")) << "lines end in CR LF";
    EXPECT_NE(0, access((file.Path() + ".saving~").c_str(), F_OK)) << "no temporary file left";

    CFlashEditorDoc reopened;
    BOOL opened = FALSE;
    EXPECT_EQ("", OpenAndTakeMessage(reopened, file.Path(), opened));
    ASSERT_TRUE(opened);
    EXPECT_EQ(640, reopened.GetStageWidth());
    EXPECT_EQ("", FirstDifference(ContentTokens(SaveText(source)), ContentTokens(SaveText(reopened))));
}

TEST(DocumentArchive, EmptyLayerRoundTripsAsStored)
{
    CFlashEditorDoc source;
    CFlashEditorLayer* layer = source.GetLayer(1);
    layer->SetName("Background");
    layer->SetLocked(true);
    layer->SetVisible(false);
    CFlashEditorDoc loaded;
    LoadText(loaded, SaveText(source));
    ASSERT_EQ(1, loaded.GetLayerCount());
    CFlashEditorLayer* back = loaded.GetLayer(1);
    EXPECT_EQ(1, back->GetSpanCount()) << "no span added beyond the one read";
    EXPECT_EQ("Background", back->GetName());
    EXPECT_EQ(layer->GetObjectId(), back->GetObjectId());
    EXPECT_EQ(1, back->GetCurrentFrame());
    EXPECT_TRUE(back->IsLocked());
    EXPECT_FALSE(back->IsVisible());
}

TEST(DocumentArchive, ShapeReadWithoutPlacementIsDropped)
{
    const std::string text = Replaced(FixtureText(), "7 1 0 0 1 100 200 1 0 0 1 1 0", "-1");
    CFlashEditorDoc doc;
    LoadText(doc, text);
    const CFlashEditorFrame* span = doc.GetLayer(2)->GetSpanByIndex(1);
    EXPECT_TRUE(span->GetTransformRange().empty());
    EXPECT_EQ(nullptr, span->GetShapeById(13));
    EXPECT_EQ(1u, doc.GetLayer(2)->GetSpanByIndex(2)->GetTransformRange().size()) << "the next span reads on";
}

TEST(DocumentArchive, EditedEndMarkersOpenTheSame)
{
    const std::string fixture = FixtureText();
    std::string edited = fixture;
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"Layer 1 55", "Layer 1 7"},
             {"1 55 255 0 0 0 1.5 0", "1 -4 255 0 0 0 1.5 0"},
             {"\n55\n", "\n123456\n"},
             {"1 11 55", "1 11 0"},
             {"1 2 55", "1 2 56"}})
        edited = Replaced(edited, from, to);
    CFlashEditorDoc plain;
    CFlashEditorDoc marked;
    LoadText(plain, fixture);
    LoadText(marked, edited);
    EXPECT_EQ("", FirstDifference(ContentTokens(SaveText(plain)), ContentTokens(SaveText(marked))));
}

TEST(DocumentArchive, SelectedShapeOpensUnselectedAndPenlessStaysPenless)
{
    CFlashEditorDoc source;
    CFlashShape* shape = MakeSolidRect(0, 0, 100, 100, kOpaqueRed);
    ASSERT_TRUE(source.AddShape(shape));
    shape->SetState(kResourceStateSelected);
    ASSERT_EQ(nullptr, shape->GetPen());
    CFlashEditorDoc loaded;
    LoadText(loaded, SaveText(source));
    const CFlashShape* back = OnlyShape(loaded.GetLayer(1)->GetSpanByIndex(1));
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(kResourceStateNormal, back->GetState());
    EXPECT_EQ(nullptr, back->GetPen());
    EXPECT_EQ(shape->GetObjectId(), back->GetObjectId());
}

TEST(DocumentArchive, OpeningNeverLowersTheIdentifierCounter)
{
    const int before = CNamedObject::GetObjectIdCounter();
    CFlashEditorDoc doc;
    LoadText(doc, FixtureText());
    const int floor = std::max(before, kFixtureCounter);
    EXPECT_GE(CNamedObject::GetObjectIdCounter(), floor + kFixtureLayers + kFixtureShapes);

    // A stored counter far above the current one raises it.
    const std::string raised = Replaced(FixtureText(), "\n100 550 400", "\n900000 550 400");
    LoadText(doc, raised);
    EXPECT_GE(CNamedObject::GetObjectIdCounter(), 900000 + kFixtureLayers + kFixtureShapes);
}

TEST(DocumentArchive, ClipboardBagRoundTrips)
{
    CClipboardBag bag;
    auto placement = std::make_unique<CFlashEditorFrameShapeTransform>();
    placement->GetMatrix()->Translate(20.0f, 40.0f);
    bag.Add(std::unique_ptr<CFlashShape>(MakeSolidRect(0, 0, 10, 10, kOpaqueRed)), std::move(placement));
    bag.Add(std::unique_ptr<CFlashShape>(new CFlashHollowShape(nullptr)),
            std::make_unique<CFlashEditorFrameShapeTransform>());
    std::ostringstream os;
    {
        CDocumentOArchive ar(os);
        RegisterArchiveTypes(ar);
        ar << static_cast<const CClipboardBag&>(bag);
    }
    EXPECT_EQ("1111", Tokens(os.str()).back());
    CClipboardBag back;
    {
        std::istringstream is(os.str());
        CDocumentIArchive ar(is);
        RegisterArchiveTypes(ar);
        ar >> back;
    }
    ASSERT_EQ(2u, back.GetShapes().size());
    ASSERT_EQ(2u, back.GetPlacements().size());
    EXPECT_EQ(4, back.GetShapes()[0]->GetCurveCount());
    EXPECT_NE(nullptr, dynamic_cast<CFlashHollowShape*>(back.GetShapes()[1]));
    REAL elements[6];
    back.GetPlacements()[0]->GetMatrix()->GetElements(elements);
    EXPECT_EQ(20.0f, elements[4]);
    EXPECT_EQ(40.0f, elements[5]);
}

TEST(DocumentArchive, HandWrittenClipboardBagLoadsAndSavesToTheSameTokens)
{
    const std::string text = "22 serialization::archive 3 0 0 "
                             "0 0 1 9 0 0 0 0 0 0 0 0 5 6 Shape9 1 1 1 0 255 0 0 255 0 0 0 0 0 0 55 "
                             "0 0 1 7 0 0 1 0 0 1 20 40 1 0 0 1 1 0 1111";
    CClipboardBag bag;
    {
        std::istringstream is(text);
        CDocumentIArchive ar(is);
        RegisterArchiveTypes(ar);
        ar >> bag;
    }
    ASSERT_EQ(1u, bag.GetShapes().size());
    EXPECT_EQ(5, bag.GetShapes()[0]->GetObjectId());
    std::ostringstream os;
    {
        CDocumentOArchive ar(os);
        RegisterArchiveTypes(ar);
        ar << static_cast<const CClipboardBag&>(bag);
    }
    EXPECT_EQ("", FirstDifference(Tokens(text), Tokens(os.str())));

    const std::string unpaired = Replaced(text, "0 0 1 7 0 0 1 0 0 1 20 40 1 0 0 1 1 0", "0 0 0");
    std::istringstream is(unpaired);
    CDocumentIArchive ar(is);
    RegisterArchiveTypes(ar);
    CClipboardBag broken;
    EXPECT_THROW(ar >> broken, boost::archive::archive_exception) << "a shape without its placement";
}

TEST(DocumentArchive, DamagedFilesGiveTheirMessageAndLeaveTheDocumentAsItWas)
{
    const std::string fixture = FixtureText();
    const std::string kOpen = "Error openning file %s!";
    const std::string kRead = "Error reading file %s!";
    struct Case {
        const char* name;
        std::string text;
        std::string message;
    };
    std::vector<Case> cases = {
        {"not an archive", "Hello, this is a letter.\n", kOpen},
        {"empty file", "", kOpen},
        {"wrong signature", Replaced(fixture, "serialization::archive", "serialization::archivX"), kOpen},
        {"library version 2", Replaced(fixture, "archive 3", "archive 2"), kOpen},
        {"library version 19", Replaced(fixture, "archive 3", "archive 19"), kOpen},
        {"unknown class id", Replaced(fixture, "12 0 0 15 6 Shape4", "99 0 0 15 6 Shape4"), kRead},
        {"class id of a wrong class", Replaced(fixture, "12 0 0 15 6 Shape4", "5 0 0 15 6 Shape4"), kRead},
        {"absurd layer count", Replaced(fixture, "0 0 2\n5 0 0", "0 0 4000000000\n5 0 0"), kRead},
        {"absurd curve count", Replaced(fixture, "0 0 5\n", "0 0 999999999\n"), kRead},
        {"absurd name length", Replaced(fixture, "6 Shape1 1 1\n1 0", "2000000000 Shape1 1 1\n1 0"), kRead},
        {"face count above 32", Replaced(fixture, "\n32 76", "\n33 76"), kRead},
        {"pixel format", Replaced(fixture, "1 1 4 137224 255", "1 1 4 137223 255"), kRead},
        {"absurd picture size", Replaced(fixture, "1 1 4 137224 255", "100000 100000 300000 137224 255"), kRead},
        {"pixel byte above 255", Replaced(fixture, "1 1 4 137224 255 0 0 0", "1 1 4 137224 256 0 0 0"), kRead},
        {"zero stage width", Replaced(fixture, "\n100 550 400", "\n100 0 400"), kRead},
        {"contour ids missing a curve", Replaced(fixture, "5 0 0 0 0 0\n5", "4 0 0 0 0\n5"), kRead},
        {"malformed number", Replaced(fixture, "1 4 1 1", "1 x 1 1"), kRead},
        {"bool out of range", Replaced(fixture, "1 0 1\n5 12", "1 0 7\n5 12"), kRead},
        {"file ending inside a shape record", fixture.substr(0, fixture.find("5 Hello")), kRead},
    };
    // Cut after every token.
    const std::vector<std::string> tokens = Tokens(fixture);
    std::size_t offset = 0;
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        offset = fixture.find(tokens[i], offset) + tokens[i].size();
        cases.push_back({"truncated", fixture.substr(0, offset), i < 2 ? kOpen : kRead});
    }

    CTemporaryFile file("damaged.qpd");
    CFlashEditorDoc doc;
    doc.AddShape(MakeSolidRect(0, 0, 100, 100, kOpaqueRed));
    doc.AddLayer();
    const std::vector<std::string> before = ContentTokens(SaveText(doc));
    const CFlashEditorLayer* layer = doc.GetLayer(1);
    int index = 0;
    for (const Case& c : cases) {
        WriteFile(file.Path(), c.text);
        BOOL result = TRUE;
        char expected[512];
        std::snprintf(expected, sizeof(expected), c.message.c_str(), file.Windows().c_str());
        EXPECT_EQ(expected, OpenAndTakeMessage(doc, file.Path(), result)) << c.name << " " << index;
        EXPECT_FALSE(result) << c.name << " " << index;
        // The reader's own error, never an allocation failure from a count it believed.
        CFlashEditorDoc scratch;
        EXPECT_THROW(LoadText(scratch, c.text), boost::archive::archive_exception) << c.name << " " << index;
        ++index;
    }
    EXPECT_EQ("", FirstDifference(before, ContentTokens(SaveText(doc))));
    EXPECT_EQ(layer, doc.GetLayer(1)) << "the layers are the same objects";
    EXPECT_EQ(&doc, layer->GetDocument());

    BOOL result = TRUE;
    const std::string missing = TemporaryUnixPath("missing.qpd");
    EXPECT_EQ("Error openning file " + WindowsPath(missing) + "!", OpenAndTakeMessage(doc, missing, result));
    EXPECT_FALSE(result);
}

TEST(DocumentArchive, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    TestApp();
    CTemporaryFile file("kept.qpd");
    WriteFile(file.Path(), "the old document");
    // A folder where the temporary file would go makes writing fail.
    const std::string blocker = file.Path() + ".saving~";
    ASSERT_EQ(0, mkdir(blocker.c_str(), 0700));
    CFlashEditorDoc doc;
    doc.SetModifiedFlag(TRUE);
    TestApp().m_messages.clear();
    EXPECT_FALSE(doc.OnSaveDocument(file.Windows().c_str()));
    EXPECT_EQ(0, rmdir(blocker.c_str())) << "what blocked the save is left alone";
    ASSERT_EQ(1u, TestApp().m_messages.size());
    EXPECT_EQ("Error openning file " + file.Windows() + "!", TestApp().m_messages[0].text);
    EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), TestApp().m_messages[0].type);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ("the old document", ReadFile(file.Path()));

    const std::string nowhere = WindowsPath("/tmp/no-such-folder-for-doc-tests/a.qpd");
    EXPECT_FALSE(doc.OnSaveDocument(nowhere.c_str()));
    EXPECT_TRUE(doc.IsModified());

    EXPECT_TRUE(doc.OnSaveDocument(file.Windows().c_str()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(0u, ReadFile(file.Path()).find("22 serialization::archive 3"));
}

// A shape whose pen colour or font the platform cannot give makes the save fail, before the
// file is touched.
TEST(DocumentArchive, UnreadablePenOrFontFailsTheSaveAndKeepsTheOldFile)
{
    TestApp();
    LinearGradientBrush gradient(Rect(0, 0, 10, 10), Color(kOpaqueRed), Color(kOpaqueBlue),
                                 LinearGradientModeHorizontal);
    const Pen brushPen(&gradient, 2.0f);
    const Font missing(u"No Such Family Anywhere", 12.0f, FontStyleRegular, UnitPixel);
    const struct {
        const char* name;
        std::function<CFlashShape*()> make;
    } cases[] = {
        {"pen drawn with a gradient",
         [&] {
             CFlashShape* shape = MakeSolidRect(0, 0, 100, 100, kOpaqueRed);
             shape->SetPen(&brushPen);
             return shape;
         }},
        {"font the platform never made", [&] { return new CFlashTextShape(&missing, nullptr, nullptr); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTemporaryFile file("unreadable.qpd");
        WriteFile(file.Path(), "the old document");
        CFlashEditorDoc doc;
        ASSERT_TRUE(doc.AddShape(c.make()));
        doc.SetModifiedFlag(TRUE);
        TestApp().m_messages.clear();
        EXPECT_FALSE(doc.OnSaveDocument(file.Windows().c_str()));
        EXPECT_EQ(1u, TestApp().m_messages.size());
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ("the old document", ReadFile(file.Path()));
    }
}
