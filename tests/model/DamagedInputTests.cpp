// Documents and clipboard blocks damaged as real ones get damaged (pointer records naming other
// classes, text cut short, numbers and lines changed by hand or by another program): each one
// opens or pastes, or is refused with its message and leaves the open document as it was; and
// whatever reading built is freed again, read or refused.
#include "AllocationFailureSupport.h"
#include "ClipboardTestSupport.h"
#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/ClipboardBag.h"
#include "model/DocumentArchive.h"
#include "model/FlashClipboard.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"

#include <boost/archive/archive_exception.hpp>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

constexpr char kOpenError[] = "Error openning file %s!";
constexpr char kReadError[] = "Error reading file %s!";
constexpr char kClipboardError[] = "Error reading clipboard data!";
// What follows the archive text in a clipboard block.
const std::string kBlockEnd("\r\n\0\0", 4);
// The token after the header and the document's class information: the identifier counter,
// which every open raises.
constexpr std::size_t kCounterToken = 6;
// A class identifier no archive has: read where a class identifier belongs, it is refused as
// naming no class, and anywhere else it is read as a number or refused otherwise.
constexpr char kProbeClassId[] = "-12345";

// Where a blank-separated token of a text starts, and its length.
struct CToken {
    std::size_t at;
    std::size_t size;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

std::vector<CToken> TokensOf(const std::string& text)
{
    std::vector<CToken> tokens;
    for (std::size_t i = 0; i < text.size();) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        tokens.push_back({start, i - start});
    }
    return tokens;
}

std::string Spliced(const std::string& text, const CToken& token, const std::string& value)
{
    return text.substr(0, token.at) + value + text.substr(token.at + token.size);
}

// The tokens of a document's archive text without the identifier counter.
std::vector<std::string> ContentOf(const CFlashEditorDoc& doc)
{
    std::vector<std::string> tokens = Tokens(SaveText(doc));
    if (tokens.size() > kCounterToken)
        tokens[kCounterToken].clear();
    return tokens;
}

// The text with its one occurrence of from replaced by to.
std::string Edited(const std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_TRUE(at != std::string::npos && text.find(from, at + 1) == std::string::npos) << from;
    return at == std::string::npos ? text : text.substr(0, at) + to + text.substr(at + from.size());
}

// Each placed shape of every span as its class, bounds, curve count and placement, in a fixed
// order: what the document shows, whatever identifiers reading gives.
std::vector<std::string> PlacedShapesOf(const CFlashEditorDoc& doc)
{
    std::vector<std::string> shapes;
    for (int i = 1; i <= doc.GetLayerCount(); ++i) {
        for (const CFlashEditorFrame* span : doc.GetLayer(i)->GetSpans()) {
            for (const auto& [shape, placement] : span->GetTransformRange()) {
                const Gdiplus::Rect bounds = shape->GetBounds();
                Gdiplus::REAL m[6] = {};
                placement->GetMatrix()->GetElements(m);
                char text[256];
                std::snprintf(text, sizeof text, "layer %d frames %d-%d: %s (%d %d %d %d) %d curves, %.9g %.9g %.9g %.9g %.9g %.9g",
                              i, span->GetStartFrame(), span->GetEndFrame(), typeid(*shape).name(), bounds.X,
                              bounds.Y, bounds.Width, bounds.Height, shape->GetCurveCount(), m[0], m[1], m[2], m[3],
                              m[4], m[5]);
                shapes.push_back(text);
            }
        }
    }
    std::sort(shapes.begin(), shapes.end());
    return shapes;
}

std::string DocumentFixture()
{
    return ReadFile(std::string(MODEL_FIXTURES_DIR) + "/document-v3.qpd");
}

// Every placed shape of the fixture with its placement, as the clipboard carries them.
std::string BagFixture()
{
    CFlashEditorDoc doc;
    LoadText(doc, DocumentFixture());
    std::vector<std::pair<const CFlashShape*, const CFlashEditorFrameShapeTransform*>> placed;
    for (int i = 1; i <= doc.GetLayerCount(); ++i)
        for (const CFlashEditorFrame* span : doc.GetLayer(i)->GetSpans())
            placed.insert(placed.end(), span->GetTransformRange().begin(), span->GetTransformRange().end());
    // In identifier order, so that the text does not follow heap addresses.
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first->GetObjectId() < b.first->GetObjectId(); });
    CClipboardBag bag;
    for (const auto& [shape, placement] : placed) {
        std::unique_ptr<CFlashShape> copy(shape->Clone());
        copy->CopyCurvesFrom(*shape);
        bag.Add(std::move(copy), std::make_unique<CFlashEditorFrameShapeTransform>(*placement));
    }
    std::ostringstream os;
    {
        CDocumentOArchive ar(os);
        RegisterArchiveTypes(ar);
        const CClipboardBag& root = bag;
        ar << root;
    }
    return os.str();
}

// The archive error reading the text as a document raises, or no_exception. The objects read
// live in a document destroyed at once: every block allocated meanwhile must be freed again.
boost::archive::archive_exception::exception_code DocumentReadError(const std::string& text)
{
    auto error = boost::archive::archive_exception::no_exception;
    const long before = LiveAllocationBlocks();
    {
        CFlashEditorDoc scratch;
        try {
            LoadText(scratch, text);
        } catch (const boost::archive::archive_exception& e) {
            error = e.code;
        }
    }
    EXPECT_EQ(before, LiveAllocationBlocks()) << "blocks left allocated by reading";
    return error;
}

// The same for the text read as a clipboard bag.
boost::archive::archive_exception::exception_code BagReadError(const std::string& text)
{
    auto error = boost::archive::archive_exception::no_exception;
    const long before = LiveAllocationBlocks();
    try {
        std::istringstream is(text);
        CDocumentIArchive ar(is);
        RegisterArchiveTypes(ar);
        CClipboardBag bag;
        ar >> bag;
    } catch (const boost::archive::archive_exception& e) {
        error = e.code;
    }
    EXPECT_EQ(before, LiveAllocationBlocks()) << "blocks left allocated by reading";
    return error;
}

// Draws the first frames of every layer and writes the document: what was read must be usable,
// not only readable.
void Use(CFlashEditorDoc& doc)
{
    // The fixture's spans cover five frames; damaged ones may claim any number.
    constexpr int kFramesDrawn = 6;
    constexpr int kPictureSize = 64;
    // A thumbnail's zoom: a damaged shape may reach far off the stage, and the platform takes
    // time in proportion to the size drawn.
    constexpr double kZoom = 0.001;
    const CTestDC dc;
    HBITMAP picture = CreateCompatibleBitmap(dc.Get(), kPictureSize, kPictureSize);
    const HGDIOBJ old = SelectObject(dc.Get(), picture);
    for (int frame = 1; frame <= kFramesDrawn; ++frame)
        doc.RenderFrameToDC(dc.Get(), picture, frame, kZoom);
    SelectObject(dc.Get(), old);
    DeleteObject(picture);
    SaveText(doc);
}

enum class CKind { Document, Bag };

// A fixture text and what reads it.
struct CSource {
    const char* name;
    CKind kind;
    std::string text;
};

boost::archive::archive_exception::exception_code ReadError(CKind kind, const std::string& text)
{
    return kind == CKind::Document ? DocumentReadError(text) : BagReadError(text);
}

class DamagedInputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_clipboard = new CPrivateClipboard;
        s_format = CFlashClipboard::RegisterFormat();
    }
    static void TearDownTestSuite()
    {
        delete s_clipboard;
        s_clipboard = nullptr;
    }

    DamagedInputTest() : m_path(TemporaryUnixPath("damaged.qpd"))
    {
        TestApp();
        m_open.AddShape(MakeSolidRect(0, 0, 100, 100, kOpaqueRed));
        m_open.AddLayer();
    }
    ~DamagedInputTest() override { unlink(m_path.c_str()); }

    std::vector<CSource> Sources() const
    {
        return {{"document", CKind::Document, DocumentFixture()}, {"clipboard block", CKind::Bag, BagFixture()}};
    }

    // Reads the text directly, then opens or pastes it: either that succeeds without a
    // message, or the error is the one named and the document is as it was. True when read.
    bool ReadOrRefuse(const CSource& source, const std::string& text)
    {
        const bool read = ReadError(source.kind, text) == boost::archive::archive_exception::no_exception;
        const bool used = source.kind == CKind::Document ? OpenOrRefuse(text, HeaderOf(text) == HeaderOf(source.text))
                                                         : PasteOrRefuse(text);
        EXPECT_EQ(read, used) << "read directly and through the " << source.name << " differently";
        return read;
    }

    static std::string HeaderOf(const std::string& text) { return text.substr(0, text.find('\n')); }

    // A file whose header is intact gives the read error; one whose header is damaged may give
    // the open error instead.
    bool OpenOrRefuse(const std::string& text, bool headerIntact)
    {
        WriteFile(m_path, text);
        const std::vector<std::string> before = ContentOf(m_open);
        const CFlashEditorLayer* layer = m_open.GetLayer(1);
        TestApp().m_messages.clear();
        const std::string path = WindowsPath(m_path);
        const bool opened = m_open.OnOpenDocument(path.c_str()) != FALSE;
        if (opened) {
            EXPECT_TRUE(TestApp().m_messages.empty());
            Use(m_open);
            return true;
        }
        char readError[512];
        std::snprintf(readError, sizeof readError, kReadError, path.c_str());
        char openError[512];
        std::snprintf(openError, sizeof openError, kOpenError, path.c_str());
        EXPECT_EQ(1u, TestApp().m_messages.size());
        if (!TestApp().m_messages.empty()) {
            const std::string& shown = TestApp().m_messages[0].text;
            EXPECT_TRUE(shown == readError || (!headerIntact && shown == openError)) << shown;
        }
        EXPECT_EQ(layer, m_open.GetLayer(1)) << "the open layers stay the same objects";
        EXPECT_TRUE(before == ContentOf(m_open)) << "the open document changed";
        return false;
    }

    bool PasteOrRefuse(const std::string& text)
    {
        PutBlock(s_format, text + kBlockEnd);
        CFlashEditorDoc target;
        target.OnNewDocument();
        const std::vector<std::string> before = ContentOf(target);
        TestApp().m_messages.clear();
        const CClipboardPaste pasted = CFlashClipboard::Paste(target, false, s_format, nullptr, CClipboardTextStyle());
        if (TestApp().m_messages.empty()) {
            Use(target);
            return true;
        }
        EXPECT_EQ(1u, TestApp().m_messages.size());
        EXPECT_EQ(kClipboardError, TestApp().m_messages[0].text);
        EXPECT_TRUE(pasted.shapes.empty());
        EXPECT_TRUE(before == ContentOf(target)) << "the document changed";
        return false;
    }

    // Pastes the block in place and centred; each paste that succeeds must save, and reopen
    // with the same content. True when both pasted.
    bool PasteSaveAndReopen(const std::string& text)
    {
        bool pastedBoth = true;
        for (const bool centre : {false, true}) {
            SCOPED_TRACE(centre ? "centred" : "in place");
            PutBlock(s_format, text + kBlockEnd);
            CFlashEditorDoc target;
            target.OnNewDocument();
            TestApp().m_messages.clear();
            const CClipboardPaste pasted = CFlashClipboard::Paste(target, centre, s_format, nullptr, CClipboardTextStyle());
            if (!TestApp().m_messages.empty() || pasted.shapes.empty()) {
                pastedBoth = false;
                continue;
            }
            const std::string path = WindowsPath(m_path);
            EXPECT_TRUE(target.OnSaveDocument(path.c_str()));
            CFlashEditorDoc reopened;
            EXPECT_TRUE(reopened.OnOpenDocument(path.c_str()));
            EXPECT_TRUE(TestApp().m_messages.empty()) << TestApp().m_messages.front().text;
            EXPECT_EQ(PlacedShapesOf(target), PlacedShapesOf(reopened));
        }
        return pastedBoth;
    }

    static CPrivateClipboard* s_clipboard;
    static UINT s_format;
    const std::string m_path;
    CFlashEditorDoc m_open;
};

CPrivateClipboard* DamagedInputTest::s_clipboard = nullptr;
UINT DamagedInputTest::s_format = 0;

// Copies of a text damaged as real ones get damaged: numbers replaced or inflated, lines and
// runs of tokens dropped or repeated.
class CMutator {
public:
    explicit CMutator(unsigned seed) : m_random(seed) {}

    std::string Mutate(std::string text)
    {
        const std::size_t mutations = 1 + Pick(kMostMutationsPerCopy);
        for (std::size_t m = 0; m < mutations; ++m) {
            const std::vector<CToken> tokens = TokensOf(text);
            if (tokens.empty())
                break;
            const std::size_t index = Pick(tokens.size());
            const CToken& token = tokens[index];
            const std::string value = text.substr(token.at, token.size);
            switch (Pick(4)) {
            case 0:
                text = Spliced(text, token, kNumbers[Pick(std::size(kNumbers))]);
                break;
            case 1:
                if (value.find_first_not_of("0123456789") == std::string::npos && value.size() < kLongestInflated)
                    text = Spliced(text, token, std::to_string(std::stoul(value) * kInflation + 1));
                break;
            case 2: {
                // The whole line around the token.
                const std::size_t lineStart = text.rfind('\n', token.at);
                const std::size_t lineEnd = text.find('\n', token.at);
                DropOrRepeat(text, lineStart == std::string::npos ? 0 : lineStart + 1,
                             lineEnd == std::string::npos ? text.size() : lineEnd + 1);
                break;
            }
            default: {
                // A run of tokens, as long as a placement record at most.
                const CToken& last = tokens[std::min(tokens.size() - 1, index + Pick(kLongestRun))];
                DropOrRepeat(text, token.at, last.at + last.size);
                break;
            }
            }
        }
        return text;
    }

private:
    static constexpr unsigned kMostMutationsPerCopy = 3;
    // Numbers another program may write where a small one belongs: 2^31 and 2^63 overflow the
    // types the records use.
    static constexpr const char* kNumbers[] = {"0", "-1", "2147483648", "9223372036854775808"};
    // A count inflated: the number times this, plus one.
    static constexpr unsigned long kInflation = 1000;
    static constexpr std::size_t kLongestInflated = 9;
    static constexpr std::size_t kLongestRun = 13;

    std::size_t Pick(std::size_t count) { return std::size_t(m_random() % count); }

    // Drops the characters from start to end, or repeats them.
    void DropOrRepeat(std::string& text, std::size_t start, std::size_t end)
    {
        const std::string run = text.substr(start, end - start);
        text.replace(start, end - start, Pick(2) == 0 ? std::string() : run + run);
    }

    std::mt19937 m_random;
};

// The tokens of the text that are read as class identifiers (pointer records).
std::vector<CToken> ClassIdentifiers(const CSource& source)
{
    std::vector<CToken> found;
    for (const CToken& token : TokensOf(source.text)) {
        if (ReadError(source.kind, Spliced(source.text, token, kProbeClassId))
            == boost::archive::archive_exception::unregistered_class)
            found.push_back(token);
    }
    return found;
}

} // namespace

TEST_F(DamagedInputTest, PointerRecordsNamingAnyClassAreReadOrRefused)
{
    // Every registered class, the first identifiers the archive gives to object-only
    // classes, one no archive gives, and the null pointer.
    constexpr int kRegisteredClasses = 27;
    std::vector<std::string> substitutes = {"27", "28", "99", "-1"};
    for (int id = 0; id < kRegisteredClasses; ++id)
        substitutes.push_back(std::to_string(id));
    // The pointer records of the fixtures: the library's folder, entries, bitmap and symbol,
    // layers, spans, shapes, placements, curves and symbol members.
    constexpr std::size_t kFewestPointerRecords = 20;

    for (const CSource& source : Sources()) {
        SCOPED_TRACE(source.name);
        ASSERT_TRUE(ReadOrRefuse(source, source.text));
        const std::vector<CToken> pointers = ClassIdentifiers(source);
        EXPECT_GE(pointers.size(), kFewestPointerRecords);
        int refused = 0;
        for (const CToken& pointer : pointers) {
            for (const std::string& id : substitutes) {
                SCOPED_TRACE("class " + id + " at offset " + std::to_string(pointer.at));
                if (!ReadOrRefuse(source, Spliced(source.text, pointer, id)))
                    ++refused;
                if (HasFailure())
                    return;
            }
        }
        // Most substitutes name a class that does not belong where they stand.
        EXPECT_GT(refused, int(pointers.size() * substitutes.size() / 2));
    }
}

TEST_F(DamagedInputTest, TextsCutAfterAnyTokenAreRefused)
{
    // The document fixture has a record on each line; the writer puts a clipboard block on
    // one line. Cutting after every token cuts at every line end too.
    for (const CSource& source : Sources()) {
        SCOPED_TRACE(source.name);
        const std::vector<CToken> tokens = TokensOf(source.text);
        for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
            const std::size_t cut = tokens[i].at + tokens[i].size;
            SCOPED_TRACE("cut after offset " + std::to_string(cut));
            EXPECT_FALSE(ReadOrRefuse(source, source.text.substr(0, cut)));
            if (HasFailure())
                return;
        }
    }
}

TEST_F(DamagedInputTest, MutatedCopiesAreReadOrRefused)
{
    constexpr unsigned kSeed = 20261210;
    constexpr int kCopiesPerSource = 200;
    CMutator mutator(kSeed);
    for (const CSource& source : Sources()) {
        SCOPED_TRACE(source.name);
        int read = 0;
        for (int copy = 0; copy < kCopiesPerSource; ++copy) {
            SCOPED_TRACE("copy " + std::to_string(copy));
            if (ReadOrRefuse(source, mutator.Mutate(source.text)))
                ++read;
            if (HasFailure())
                return;
        }
        // The copies differ from the fixture: few of them still read.
        EXPECT_LT(read, kCopiesPerSource / 2);
    }
}

// Whatever pastes, in place or centred, is what the file reader takes back: the document saves
// and reopens with the same shapes.
TEST_F(DamagedInputTest, PastedBlocksSaveAndReopenWithTheSameShapes)
{
    constexpr unsigned kSeed = 20261211;
    constexpr int kMutatedCopies = 150;
    const std::string bag = BagFixture();
    // The placement moved by (100, 200) twips, among the bag's seven.
    const std::string placed = " 1 0 0 1 100 200 ";
    const auto placedAs = [&](const std::string& elements) { return Edited(bag, placed, " " + elements + " "); };
    const struct {
        const char* name;
        std::string block;
        bool pastes;
    } cases[] = {
        {"as copied", bag, true},
        {"moved to the least offset", placedAs("1 0 0 1 100 -2147483648"), true},
        {"moved to the greatest offset", placedAs("1 0 0 1 2147483648 200"), true},
        {"moved past the greatest offset", placedAs("1 0 0 1 2147483904 200"), false},
        {"scaled 65536 times", placedAs("65536 0 0 -65536 100 200"), true},
        {"scaled past 65536 times", placedAs("65537 0 0 1 100 200"), false},
        {"scaled by infinity", placedAs("inf 0 0 1 100 200"), false},
        {"moved by not a number", placedAs("1 0 0 1 nan 200"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.pastes, PasteSaveAndReopen(c.block));
    }
    CMutator mutator(kSeed);
    int pasted = 0;
    for (int copy = 0; copy < kMutatedCopies; ++copy) {
        SCOPED_TRACE("copy " + std::to_string(copy));
        if (PasteSaveAndReopen(mutator.Mutate(bag)))
            ++pasted;
        if (HasFailure())
            return;
    }
    EXPECT_GT(pasted, 0) << "no mutated copy pasted: the table tells nothing";
}

TEST_F(DamagedInputTest, RecordsTheModelCannotHoldAreRefused)
{
    const std::string fixture = DocumentFixture();
    // Two shapes of one span, the second then given the first one's identifier.
    CFlashEditorDoc pair;
    CFlashShape* first = MakeSolidRect(0, 0, 100, 100, kOpaqueRed);
    CFlashShape* second = MakeSolidRect(200, 0, 100, 100, kOpaqueBlue);
    ASSERT_TRUE(pair.AddShape(first) && pair.AddShape(second));
    const std::string name = second->GetName();
    const std::string named = std::to_string(name.size()) + " " + name + " ";
    const std::string pairText = SaveText(pair);
    const std::string source = " " + std::to_string(second->GetObjectId()) + " " + named;
    const std::string duplicate = " " + std::to_string(first->GetObjectId()) + " " + named;

    // Records replaced by the null pointer: a whole layer (the last one), span (the last one of
    // the last layer), library folder (with its entries) and library entry, a curve and a
    // symbol's member shape.
    const std::size_t lastLayer = fixture.find("5 12 7 Layer 2 55");
    const std::size_t lastSpan = fixture.find("6 5 5 1 0\n");
    const std::size_t folder = fixture.find("4 8 Pictures");
    const std::size_t folderEnd = fixture.find('\n', fixture.find("4 Star 0 0 0")) + 1;
    // The last layer's current frame and flags, then the document's current frame and layer.
    const std::string ending = "1 1 0\n1 2 55\n";
    ASSERT_EQ(fixture.size() - ending.size(), fixture.rfind(ending));

    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"a null layer", fixture.substr(0, lastLayer) + "-1\n" + ending.substr(ending.find('\n') + 1)},
        {"a null span", fixture.substr(0, lastSpan) + "-1\n" + ending},
        {"a null library folder", fixture.substr(0, folder) + "-1\n" + fixture.substr(folderEnd)},
        {"a null library entry", Edited(fixture, "\n3 5 empty -1 -1\n", "\n-1\n")},
        {"a null curve", Edited(fixture, "\n16 0 0 0 0 0 0 0 0\n", "\n-1\n")},
        {"a null symbol member", Edited(fixture, "\n9 17 0  1 1 0 0 0 0 0 55\n", "\n-1\n")},
        {"two shapes of a span under one identifier", Edited(pairText, source, duplicate)},
        {"span starting at frame 0", Edited(fixture, "\n6 1 1 1 0\n", "\n6 0 1 1 0\n")},
        {"span ending before it starts", Edited(fixture, "\n6 3 3 1 0\n", "\n6 3 2 1 0\n")},
        {"span ending on the last frame an int holds", Edited(fixture, "\n6 2 2 1 0\n", "\n6 2 2147483647 1 0\n")},
        {"gradient stop past the last one", Edited(fixture, " 255 0 255 0 0.5\n", " 255 0 255 0 1.5\n")},
        {"placement scaled 2^63 times", Edited(fixture, "\n7 1 0 0 1 100 200 1", "\n7 1 0 0 9223372036854775808 100 200 1")},
        {"placement moved past the twips an int counts",
         Edited(fixture, "\n7 1 0 0 1 100 200 1", "\n7 1 0 0 1 100 4294967296 1")},
    };
    const CSource document{"document", CKind::Document, fixture};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ReadOrRefuse(document, c.text));
    }
    // Undamaged, the two shapes are read.
    EXPECT_TRUE(ReadOrRefuse(document, pairText));
}

TEST_F(DamagedInputTest, PointersNamingAnotherClassAreRefusedAsSuch)
{
    const std::string fixture = DocumentFixture();
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"a layer where a shape is expected", Edited(fixture, "\n12 0 0 15 6 Shape4", "\n5 0 0 15 6 Shape4")},
        {"the document inside a span", Edited(fixture, "\n12 0 0 15 6 Shape4", "\n0 0 0 15 6 Shape4")},
        {"a library folder where an entry is expected", Edited(fixture, "\n3 5 empty -1 -1\n", "\n4 5 empty -1 -1\n")},
        {"a curve where a shape is expected", Edited(fixture, "\n12 0 0 15 6 Shape4", "\n17 0 0 15 6 Shape4")},
        {"a shape where a curve is expected", Edited(fixture, "\n16 0 0 0 0 0 0 0 0\n", "\n9 0 0 0 0 0 0 0 0\n")},
        {"a brush where a library bitmap is expected", Edited(fixture, " 5 photo 26 0 0 ", " 5 photo 20 0 0 ")},
    };
    const CSource document{"document", CKind::Document, fixture};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Refused for the class named, before anything of it is read.
        EXPECT_EQ(boost::archive::archive_exception::unregistered_cast, DocumentReadError(c.text));
        EXPECT_FALSE(ReadOrRefuse(document, c.text));
    }
}
