// Copy and paste through the real clipboard: the application's own format both ways, pictures
// and text on paste, damaged payloads, and a clipboard that cannot be emptied.
#include "AllocationFailureSupport.h"
#include "ClipboardTestSupport.h"
#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/FlashBitmap.h"
#include "model/FlashClipboard.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashLibrary.h"
#include "model/FlashLibraryFolder.h"
#include "model/FlashTextShape.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

constexpr char kCannotRead[] = "Error reading clipboard data!";

// The whole block held under the format, GlobalSize bytes.
std::string GetBlock(UINT format)
{
    std::string bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (HANDLE block = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

void EmptyTheClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

std::vector<Gdiplus::REAL> Elements(const CFlashEditorFrameShapeTransform* placement)
{
    std::vector<Gdiplus::REAL> m(6);
    if (placement != nullptr)
        placement->GetMatrix()->GetElements(m.data());
    return m;
}

std::vector<CFlashShape*> CurrentShapes(const CFlashEditorDoc& doc)
{
    std::vector<CFlashShape*> shapes;
    doc.GetCurrentLayer()->GetCurrentFrameShapes(shapes);
    return shapes;
}

class ClipboardTest : public ClipboardSuite {
protected:
    ClipboardTest()
    {
        TestApp().m_messages.clear();
        m_source.OnNewDocument();
        m_target.OnNewDocument();
        EmptyTheClipboard();
    }

    // A shape of the source document placed with a translation (twips).
    CFlashShape* AddPlacedRect(int x, int y, int width, int height, float dx, float dy)
    {
        CFlashShape* shape = MakeSolidRect(x, y, width, height, kOpaqueBlue);
        auto placement = std::make_unique<CFlashEditorFrameShapeTransform>();
        placement->GetMatrix()->Translate(dx, dy);
        EXPECT_TRUE(m_source.AddShape(shape, std::move(placement)));
        return shape;
    }

    CClipboardPaste Paste(bool centre)
    {
        return CFlashClipboard::Paste(m_target, centre, s_format, nullptr, CClipboardTextStyle());
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& message : TestApp().m_messages)
            texts.push_back(message.text);
        return texts;
    }

    CFlashEditorDoc m_source;
    CFlashEditorDoc m_target;
};


}

TEST_F(ClipboardTest, FormatIsRegisteredUnderTheApplicationsName)
{
    ASSERT_NE(s_format, 0u);
    char name[64] = {};
    GetClipboardFormatNameA(s_format, name, sizeof name);
    EXPECT_STREQ(name, "DUZAZOZAREVUVAD_ORAREDIDUD");
}

// Copied shapes come back with their curves, bounds and placements and new identifiers, each
// paste its own set; centring moves the group's joint bounds to the stage centre.
TEST_F(ClipboardTest, CopiedShapesPasteBackAsNewObjects)
{
    struct CCase {
        bool centre;
        float dx;
        float dy;
    };
    // Joint placed bounds (100, 0, 3900, 1200) on a 550 x 400 pixel stage.
    const CCase cases[] = {{false, 0.0f, 0.0f}, {true, 3450.0f, 3400.0f}};
    std::vector<CFlashShape*> copied{AddPlacedRect(0, 0, 2000, 1000, 100.0f, 200.0f),
                                     AddPlacedRect(3000, 0, 1000, 1000, 0.0f, 0.0f)};
    ASSERT_TRUE(CFlashClipboard::CopyShapes(m_source, copied, s_format, nullptr));

    std::set<int> ids{copied[0]->GetObjectId(), copied[1]->GetObjectId()};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.centre ? "centred" : "in place");
        const CClipboardPaste pasted = Paste(c.centre);
        ASSERT_EQ(pasted.shapes.size(), copied.size());
        EXPECT_TRUE(pasted.replacesSelection);
        for (std::size_t i = 0; i < copied.size(); ++i) {
            const CFlashShape* shape = pasted.shapes[i];
            EXPECT_EQ(typeid(*shape), typeid(*copied[i]));
            EXPECT_EQ(shape->GetCurveCount(), copied[i]->GetCurveCount());
            EXPECT_TRUE(shape->GetBounds().Equals(copied[i]->GetBounds()));
            EXPECT_TRUE(ids.insert(shape->GetObjectId()).second) << "identifier reused";
            std::vector<Gdiplus::REAL> expected = Elements(m_source.GetShapeTransform(copied[i]));
            expected[4] += c.dx;
            expected[5] += c.dy;
            EXPECT_EQ(Elements(m_target.GetShapeTransform(shape)), expected);
        }
    }
    EXPECT_EQ(CurrentShapes(m_target).size(), 2 * copied.size());
    EXPECT_EQ(CurrentShapes(m_source).size(), copied.size());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ClipboardTest, PayloadIsTheArchiveTextFollowedByCrLfAndTwoZeroBytes)
{
    ASSERT_TRUE(CFlashClipboard::CopyShapes(m_source, {AddPlacedRect(0, 0, 100, 100, 0, 0)}, s_format, nullptr));
    const std::string block = GetBlock(s_format);
    const std::size_t textLength = std::strlen(block.c_str());

    ASSERT_GE(block.size(), 4u);
    EXPECT_EQ(block.size(), textLength + 2);
    EXPECT_EQ(block.compare(0, 25, "22 serialization::archive"), 0) << block.substr(0, 40);
    EXPECT_EQ(block.substr(block.size() - 6), std::string("\r\n\r\n\0\0", 6));
}

// The copy carries the shapes as they are: identifier, name, state and tag of each in its
// record (identifier, name length, name, state, tag).
TEST_F(ClipboardTest, CopyWritesTheShapesThemselves)
{
    struct CCase {
        int id;
        const char* name;
        int state;
        unsigned tag;
    };
    const CCase cases[] = {{4242, "Shape7", kResourceStateSelected, 7}, {4243, "Outline", kResourceStateNormal, 0},
                           {4244, "Hidden", kResourceStateHidden, 3}};
    std::vector<CFlashShape*> copied;
    for (const CCase& c : cases) {
        CFlashShape* shape = AddPlacedRect(0, 0, 100, 100, 0, 0);
        shape->SetObjectId(c.id);
        shape->SetName(c.name);
        shape->SetState(c.state);
        shape->SetResourceTag(c.tag);
        copied.push_back(shape);
    }
    ASSERT_TRUE(CFlashClipboard::CopyShapes(m_source, copied, s_format, nullptr));
    const std::string text = GetBlock(s_format);
    for (const CCase& c : cases) {
        const std::string record = " " + std::to_string(c.id) + " " + std::to_string(std::strlen(c.name)) + " " +
                                   c.name + " " + std::to_string(c.state) + " " + std::to_string(c.tag) + " ";
        EXPECT_NE(text.find(record), std::string::npos) << record << " in " << text;
    }
}

// Whatever allocation fails while the copy is written, even the last one, made when the archive
// passes on its closing line end: the clipboard gets the whole text or keeps what it held.
TEST_F(ClipboardTest, CopyPutsTheWholeTextOrNothing)
{
    const std::vector<CFlashShape*> copied{AddPlacedRect(0, 0, 2000, 1000, 100.0f, 200.0f),
                                           AddPlacedRect(3000, 0, 1000, 1000, 0.0f, 0.0f)};
    ASSERT_TRUE(CFlashClipboard::CopyShapes(m_source, copied, s_format, nullptr));
    const std::string whole = GetBlock(s_format);
    const std::string previous = "what the clipboard held";
    int failures = 0;
    for (long n = 0;; ++n) {
        PutBlock(s_format, previous);
        FailAllocationAfter(n);
        const bool put = CFlashClipboard::CopyShapes(m_source, copied, s_format, nullptr);
        const bool failed = AllocationFailed();
        FailAllocationAfter(-1);
        ASSERT_EQ(GetBlock(s_format), put ? whole : previous) << "allocation " << n;
        if (!failed)
            break;
        failures += put ? 0 : 1;
    }
    EXPECT_GT(failures, 10);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ClipboardTest, EmptySelectionPastesNothingAndEmptiesTheSelection)
{
    ASSERT_TRUE(CFlashClipboard::CopyShapes(m_source, {}, s_format, nullptr));
    const CClipboardPaste pasted = Paste(true);
    EXPECT_TRUE(pasted.shapes.empty());
    EXPECT_TRUE(pasted.replacesSelection);
    EXPECT_TRUE(CurrentShapes(m_target).empty());
    EXPECT_TRUE(Messages().empty());
}

// A payload that is not a whole bag is reported once and pastes nothing; the text read never
// goes past the block, whether or not it holds a NUL.
TEST_F(ClipboardTest, DamagedPayloadIsReportedAndPastesNothing)
{
    ASSERT_TRUE(CFlashClipboard::CopyShapes(m_source, {AddPlacedRect(0, 0, 100, 100, 0, 0)}, s_format, nullptr));
    const std::string good = GetBlock(s_format);
    const std::string text = good.substr(0, std::strlen(good.c_str()));
    struct CCase {
        const char* name;
        std::string bytes;
    };
    const CCase cases[] = {
        {"not an archive", std::string("hello, world\r\n", 15)},
        {"no NUL in the block", std::string(64, 'A')},
        {"empty block", std::string(1, '\0')},
        {"cut inside the shape", text.substr(0, text.size() / 2) + std::string(2, '\0')},
        {"archive with the NUL moved early", text.substr(0, 40) + std::string(1, '\0') + text.substr(40)},
        {"unknown class identifier", "22 serialization::archive 3 0 0 0 0 1 0 99 0 0\r\n" + std::string(1, '\0')},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp().m_messages.clear();
        PutBlock(s_format, c.bytes);
        const CClipboardPaste pasted = Paste(false);
        EXPECT_TRUE(pasted.shapes.empty());
        EXPECT_FALSE(pasted.replacesSelection);
        EXPECT_TRUE(CurrentShapes(m_target).empty());
        ASSERT_EQ(TestApp().m_messages.size(), 1u);
        EXPECT_EQ(TestApp().m_messages[0].text, kCannotRead);
        EXPECT_EQ(TestApp().m_messages[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
    }

    // The whole archive text as the block, without the NUL: read to the block's end.
    PutBlock(s_format, text);
    EXPECT_EQ(Paste(false).shapes.size(), 1u);
}

namespace {

// A message-only window that owns the clipboard and, while asked, closes it when told that
// the clipboard is being emptied, so that the emptying fails.
class CUncooperativeOwner {
public:
    CUncooperativeOwner()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        if (m_window != nullptr && OpenClipboard(m_window)) {
            EmptyClipboard();
            CloseClipboard();
        }
        s_closeOnDestroy = true;
    }
    ~CUncooperativeOwner()
    {
        s_closeOnDestroy = false;
        EmptyTheClipboard();
        DestroyWindow(m_window);
    }
    CUncooperativeOwner(const CUncooperativeOwner&) = delete;
    CUncooperativeOwner& operator=(const CUncooperativeOwner&) = delete;
    HWND Window() const { return m_window; }

private:
    static constexpr char kClassName[] = "ClipboardTestOwner";
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_DESTROYCLIPBOARD && s_closeOnDestroy)
            CloseClipboard();
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static bool s_closeOnDestroy;
    HWND m_window;
};

bool CUncooperativeOwner::s_closeOnDestroy = false;

}

TEST_F(ClipboardTest, ClipboardThatCannotBeEmptiedIsReported)
{
    CUncooperativeOwner owner;
    ASSERT_NE(owner.Window(), nullptr);
    EXPECT_FALSE(CFlashClipboard::CopyShapes(m_source, {AddPlacedRect(0, 0, 100, 100, 0, 0)}, s_format, nullptr));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Cannot empty the clipboard!"});
    EXPECT_TRUE(GetBlock(s_format).empty());
}

namespace {

// Puts a device bitmap of the size on the clipboard, with text beside it when asked.
void PutBitmap(int width, int height, const char* text)
{
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const bool put = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (text != nullptr) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
        std::strcpy(static_cast<char*>(GlobalLock(block)), text);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
    ASSERT_TRUE(put);
}

}

// A picture is preferred over text beside it, becomes a picture shape at (100, 100) pixels and a
// library entry, and leaves the selection alone.
TEST_F(ClipboardTest, DeviceBitmapPastesAsPictureAndLibraryEntry)
{
    struct CCase {
        bool centre;
        float dx;
        float dy;
    };
    // A 100 x 50 picture at (2000, 2000) twips centred on a 550 x 400 pixel stage.
    for (const CCase& c : {CCase{false, 0.0f, 0.0f}, CCase{true, 2500.0f, 1500.0f}}) {
        SCOPED_TRACE(c.centre ? "centred" : "in place");
        CFlashEditorDoc doc;
        doc.OnNewDocument();
        PutBitmap(100, 50, "text beside it");
        const CClipboardPaste pasted = CFlashClipboard::Paste(doc, c.centre, s_format, nullptr, CClipboardTextStyle());

        ASSERT_EQ(pasted.shapes.size(), 1u);
        EXPECT_FALSE(pasted.replacesSelection);
        const auto* picture = dynamic_cast<const CFlashBitmap*>(pasted.shapes[0]);
        ASSERT_NE(picture, nullptr);
        EXPECT_TRUE(picture->GetBounds().Equals(Gdiplus::Rect(2000, 2000, 2000, 1000)));
        const std::vector<Gdiplus::REAL> expected{1, 0, 0, 1, c.dx, c.dy};
        EXPECT_EQ(Elements(doc.GetShapeTransform(picture)), expected);
        EXPECT_EQ(CurrentShapes(doc).size(), 1u);
        EXPECT_EQ(doc.GetLibrary().GetRootFolder().GetEntries().size(), 1u);
    }
}

// Text becomes a text shape in the view's style with the fixed box, and the new selection.
TEST_F(ClipboardTest, TextPastesAsTextShapeInTheGivenStyle)
{
    struct CCase {
        const char* name;
        std::string bytes;
        std::string expected;
    };
    std::string longest;
    for (int line = 1; longest.size() < CFlashClipboard::kMaxPastedText; ++line)
        longest += "Line " + std::to_string(line) + "\r\n";
    longest.resize(CFlashClipboard::kMaxPastedText);
    const CCase cases[] = {
        {"terminated", std::string("Hello\0ignored", 14), "Hello"},
        {"two lines", std::string("Line 1\r\nLine 2", 15), "Line 1\r\nLine 2"},
        {"as long as is taken", longest + '\0', longest},
        {"longer, cut", longest + "cut off\r\n" + '\0', longest},
    };
    Gdiplus::FontFamily family(u"Arial");
    Gdiplus::Font font(&family, 12.0f);
    Gdiplus::Pen pen(Gdiplus::Color(kOpaqueRed), 20.0f);
    Gdiplus::SolidBrush fill{Gdiplus::Color(kOpaqueGreen)};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFlashEditorDoc doc;
        doc.OnNewDocument();
        PutBlock(CF_TEXT, c.bytes);
        const CClipboardPaste pasted =
            CFlashClipboard::Paste(doc, false, s_format, nullptr, CClipboardTextStyle{&font, &pen, &fill});

        ASSERT_EQ(pasted.shapes.size(), 1u);
        EXPECT_TRUE(pasted.replacesSelection);
        const auto* text = dynamic_cast<const CFlashTextShape*>(pasted.shapes[0]);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetText().size(), c.expected.size());
        EXPECT_TRUE(text->GetText() == c.expected);
        EXPECT_TRUE(text->GetRect().Equals(Gdiplus::Rect(1000, 1000, 1000, 1000)));
        EXPECT_NE(text->GetFont(), nullptr);
        EXPECT_NE(text->GetPen(), nullptr);
        EXPECT_NE(text->GetBrush(), nullptr);
        EXPECT_EQ(CurrentShapes(doc).size(), 1u);
    }
}

// Inside a motion tween the copy carries the placement seen at the current frame, so pasting in
// place puts the shape where it was seen.
TEST_F(ClipboardTest, CopyInsideAMotionTweenCarriesTheInterpolatedPlacement)
{
    CFlashShape* shape = AddPlacedRect(0, 0, 500, 500, 0.0f, 0.0f);
    CFlashEditorLayer* layer = m_source.GetCurrentLayer();
    CFlashEditorFrame* last = layer->InsertKeyframe(11, true);
    ASSERT_NE(last, nullptr);
    CFlashEditorFrame* first = layer->FindSpan(1);
    first->SetMotionTween(true);
    last->SetMotionTween(true);
    last->TranslateShape(last->GetShapeById(shape->GetObjectId()), 1000.0f, 400.0f);
    // Frame 6 lies half way through the span [1, 10].
    m_source.SetCurrentFrame(6);

    ASSERT_TRUE(CFlashClipboard::CopyShapes(m_source, {shape}, s_format, nullptr));
    const CClipboardPaste pasted = Paste(false);
    ASSERT_EQ(pasted.shapes.size(), 1u);
    const std::vector<Gdiplus::REAL> expected{1, 0, 0, 1, 500, 200};
    EXPECT_EQ(Elements(m_target.GetShapeTransform(pasted.shapes[0])), expected);
}
