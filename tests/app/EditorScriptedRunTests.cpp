// A session of the editor program driven from outside as a user drives it: a rectangle drawn with
// the Tools bar, a keyframe inserted from the timeline's menu, the document saved, closed,
// reopened from the recent list and exported as a movie; the files are then read back here.
#include "EditorInput.h"
#include "EditorProcess.h"
#include "EditorWindows.h"
#include "FreshEditorTest.h"

#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "tests/export/swf/SwfTestSupport.h"
#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

using namespace EditorProcess;
using namespace EditorInput;
using namespace EditorWindows;

namespace {

constexpr DWORD kStateTimeoutMs = 30000;
constexpr int kSmallestMenu = 40;
constexpr DWORD kMenuLeavesDisplayMs = 300;
// A popup adds its shadow a timer tick after its animation's last picture, and only then takes
// keys: on a loaded machine that tick comes late, so steady means unchanged for half a second.
constexpr DWORD kSteadyLookMs = 100;
constexpr int kSteadyLooks = 5;
constexpr int kInputAttempts = 3;
constexpr DWORD kMenuShowsTimeoutMs = 10000;
constexpr DWORD kMenuAnswerTimeoutMs = 5000;
// The empty display.
constexpr COLORREF kUnpainted = RGB(0, 0, 0);

// The timeline's grid: the layer names' column, then a column per frame, under the header row.
constexpr int kNameColumnWidth = 150;
constexpr int kFrameColumnWidth = 10;
constexpr int kRowHeight = 22;
constexpr int kKeyframe = 5;
// "Insert Keyframe" is reached from the menu's top by this many Down presses: the two tween items
// and "Insert Layer" come first ("Remove Layer" is disabled while the document has one layer).
constexpr int kInsertKeyframeDownPresses = 4;

// The drag on the stage, in pixels from the stage's top left corner; the view starts at zoom 1,
// where a pixel is 20 twips.
constexpr POINT kDragFrom = {200, 140};
constexpr POINT kDragTo = {330, 240};
constexpr int kTwipsPerPixel = 20;
// Synthesized pointer positions may land a pixel off.
constexpr int kToleranceTwips = 2 * kTwipsPerPixel;

// What the editor makes of a new document.
constexpr int kFrameRate = 12;

constexpr uint16_t kShowFrameCode = 1;
constexpr uint16_t kPlaceObject2Code = 26;
constexpr uint16_t kDefineShape3Code = 32;

// Alt and a menu's letter open it from the menu bar.
constexpr WORD kFileMenuKey = 'F';
constexpr WORD kExportFlashMovieKey = 'F';
constexpr WORD kFirstRecentFileKey = '1';

std::string TempUnixPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

struct CPopupSearch {
    HWND main;
    HWND found;
};

BOOL CALLBACK AcceptPopup(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CPopupSearch*>(param);
    DWORD editor = 0;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(search->main, &editor);
    ::GetWindowThreadProcessId(window, &owner);
    if (window == search->main || owner != editor || !::IsWindowVisible(window) ||
        (::GetWindowLongA(window, GWL_STYLE) & WS_POPUP) == 0)
        return TRUE;
    // Menu shadows and tips are thin or small.
    const RECT rect = WindowRect(window);
    if (rect.right - rect.left < kSmallestMenu || rect.bottom - rect.top < kSmallestMenu)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A visible top-level window of the editor that is not the main window: a popup menu.
HWND ShownPopup(HWND main)
{
    CPopupSearch search{main, nullptr};
    ::EnumWindows(&AcceptPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the display shows in the rectangle, as one number.
size_t ScreenHash(const RECT& rect)
{
    const int cx = rect.right - rect.left;
    const int cy = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    size_t hash = 0;
    if (bitmap != nullptr)
    {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, cx, cy, screen, rect.left, rect.top, SRCCOPY);
        ::SelectObject(memory, old);
        hash = std::hash<std::string_view>()(std::string_view(static_cast<const char*>(bits), size_t(cx) * cy * 4));
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return hash;
}

// The menu that shows, once its opening animation has ended (it takes no keys before): its
// picture stays the same over a few looks.
HWND WaitForSteadyMenu(HWND main, DWORD timeoutMs)
{
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = ShownPopup(main)) != nullptr; }, timeoutMs))
        return nullptr;
    size_t last = 0;
    int alike = 0;
    const bool steady = WaitUntil(
        [&] {
            ::Sleep(kSteadyLookMs);
            const size_t now = ScreenHash(WindowRect(menu));
            alike = now == last ? alike + 1 : 0;
            last = now;
            return alike >= kSteadyLooks;
        },
        kStateTimeoutMs);
    return steady ? menu : nullptr;
}

// Opens a menu by the input that open sends and picks an item by its keys; true once the menu
// closed. A loaded editor can miss the opening input or, holding the opening animation's last
// picture long enough to look steady, ignore the first key: each is sent again until the menu
// answers (it shows; its picture changes or it closes), and only then the rest of the keys.
bool ChooseFromMenu(HWND main, const std::function<void()>& open, const std::vector<WORD>& itemKeys)
{
    HWND menu = nullptr;
    for (int attempt = 0; attempt < kInputAttempts && menu == nullptr; ++attempt)
    {
        open();
        menu = WaitForSteadyMenu(main, kMenuShowsTimeoutMs);
    }
    if (menu == nullptr || itemKeys.empty())
    {
        SaveScreenRectPng(WindowRect(main), "editor-menu-not-shown.png");
        return false;
    }
    bool answered = false;
    for (int attempt = 0; attempt < kInputAttempts && !answered; ++attempt)
    {
        const size_t before = ScreenHash(WindowRect(menu));
        Chord(0, itemKeys.front());
        answered = WaitUntil([&] { return ShownPopup(main) == nullptr || ScreenHash(WindowRect(menu)) != before; },
                             kMenuAnswerTimeoutMs);
    }
    if (!answered)
        return false;
    for (size_t i = 1; i < itemKeys.size(); ++i)
        Chord(0, itemKeys[i]);
    return WaitUntil([&] { return ShownPopup(main) == nullptr; }, kStateTimeoutMs);
}

// The rectangle's corners, from the ends of its curves, in twips.
RECT CurveBounds(const CFlashShape& shape)
{
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const POINT& p : shape.GetCurveEndpoints())
    {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    return bounds;
}

// The size is the drag's to the pixel; the place may be a pixel or two off.
void ExpectDragged(const RECT& actual, const RECT& expected, int frame)
{
    EXPECT_EQ(actual.right - actual.left, expected.right - expected.left) << "frame " << frame;
    EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top) << "frame " << frame;
    EXPECT_NEAR(actual.left, expected.left, kToleranceTwips) << "frame " << frame;
    EXPECT_NEAR(actual.top, expected.top, kToleranceTwips) << "frame " << frame;
}

class EditorScriptedRun : public CFreshEditorTest<> {};

TEST_F(EditorScriptedRun, DrawKeyframeSaveReopenAndExport)
{
    const std::string document = TempUnixPath("quorvalis-scripted-run.qpd");
    const std::string movie = TempUnixPath("quorvalis-scripted-run.swf");
    std::filesystem::remove(document);
    std::filesystem::remove(movie);
    HWND main = m_main;
    CNewDocument shown;
    ASSERT_TRUE(WaitForNewDocument(main, shown, kStateTimeoutMs));
    const CPanes& panes = shown.panes;

    // The Rectangle button of the "Tools" bar; its pressed look tells that the tool is chosen.
    HWND tools = shown.tools;
    const POINT rectangleButton = ToolButtonCentre(tools, kRectangleButton);
    const POINT ovalButton = ToolButtonCentre(tools, kOvalButton);
    // The window shows on the display a while after it says it is visible: until then clicks
    // reach nothing.
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(Offset(ovalButton, kFaceBesidePicture)) != kUnpainted; },
                          kStateTimeoutMs));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return ScreenPixel(Offset(rectangleButton, kFaceBesidePicture)) ==
                   ScreenPixel(Offset(ovalButton, kFaceBesidePicture));
        },
        kStateTimeoutMs))
        << "neither tool chosen yet";
    ASSERT_TRUE(ChooseTool(tools, kRectangleButton, kOvalButton))
        << "the Rectangle button shows pressed beside the Oval button";

    // The drag on the stage, from the stage-to-screen mapping that the view's geometry gives.
    const POINT origin = StageOrigin(panes.stage);
    Drag(ClientToScreenPoint(panes.stage, {origin.x + kDragFrom.x, origin.y + kDragFrom.y}),
         ClientToScreenPoint(panes.stage, {origin.x + kDragTo.x, origin.y + kDragTo.y}));

    // Frame 5 of "Layer 1": a click makes it the focus cell, a right click opens the menu there.
    HWND grid = ::GetWindow(panes.timeline, GW_CHILD);
    ASSERT_NE(grid, nullptr);
    const POINT cell = ClientToScreenPoint(
        grid, {kNameColumnWidth + (kKeyframe - 1) * kFrameColumnWidth + kFrameColumnWidth / 2, kRowHeight + kRowHeight / 2});
    Click(cell);
    std::vector<WORD> keys(kInsertKeyframeDownPresses, VK_DOWN);
    keys.push_back(VK_RETURN);
    ASSERT_TRUE(ChooseFromMenu(main, [&] { Click(cell, true); }, keys)) << "Insert Keyframe from the timeline's menu";
    // The menu's window leaves the display a moment after it is hidden.
    ::Sleep(kMenuLeavesDisplayMs);
    EXPECT_TRUE(SaveScreenRectPng(WindowRect(main), "editor-after-drawing.png"));

    // Save: the system's file dialog takes the name; the window's title follows the file.
    Chord(VK_CONTROL, 'S');
    ASSERT_TRUE(AnswerFileDialog(WindowsPath(document)));
    ASSERT_TRUE(WaitUntil([&] { return DocumentWindow(main, "quorvalis-scripted-run") != nullptr; }, kStateTimeoutMs))
        << "saved";
    ASSERT_TRUE(std::filesystem::exists(document));

    // Close, then reopen from the File menu's recent list.
    Chord(VK_CONTROL, VK_F4);
    ASSERT_TRUE(WaitUntil([&] { return DocumentWindow(main) == nullptr; }, kStateTimeoutMs)) << "document closed";
    const auto openFileMenu = [] { Chord(VK_MENU, kFileMenuKey); };
    ASSERT_TRUE(ChooseFromMenu(main, openFileMenu, {kFirstRecentFileKey}));
    ASSERT_TRUE(WaitUntil([&] { return DocumentWindow(main, "quorvalis-scripted-run") != nullptr; }, kStateTimeoutMs))
        << "reopened";

    // Export the movie through its file dialog; the file is complete once its header's length
    // matches its size.
    ASSERT_TRUE(ChooseFromMenu(main, openFileMenu, {kExportFlashMovieKey}));
    ASSERT_TRUE(AnswerFileDialog(WindowsPath(movie)));
    Bytes bytes;
    ReadMovieResult read;
    ASSERT_TRUE(WaitUntil(
        [&] {
            std::ifstream in(movie, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (bytes.size() < 8)
                return false;
            read = ReadMovie(bytes);
            return read.stream.good && read.header.fileLength == bytes.size();
        },
        kStateTimeoutMs))
        << read.stream.error;

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(main));

    // The saved document: the rectangle at the dragged bounds in the keyframes at 1 and 5.
    const RECT dragged = {kDragFrom.x * kTwipsPerPixel, kDragFrom.y * kTwipsPerPixel, kDragTo.x * kTwipsPerPixel,
                          kDragTo.y * kTwipsPerPixel};
    CFlashEditorDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(WindowsPath(document).c_str()));
    EXPECT_EQ(loaded.GetStageWidth(), kStageWidth) << "the stage the drag was aimed at";
    EXPECT_EQ(loaded.GetStageHeight(), kStageHeight);
    EXPECT_EQ(loaded.GetLastFrame(), kKeyframe);
    const CFlashEditorLayer* layer = loaded.GetLayer(1);
    ASSERT_NE(layer, nullptr);
    for (int frame : {1, kKeyframe})
    {
        const CFlashEditorFrame* span = layer->FindSpan(frame);
        ASSERT_NE(span, nullptr) << frame;
        EXPECT_EQ(span->GetStartFrame(), frame);
        std::vector<CFlashShape*> shapes;
        span->CollectShapes(shapes);
        ASSERT_EQ(shapes.size(), 1u) << frame;
        EXPECT_EQ(shapes[0]->GetCurveCount(), 4) << frame;
        ExpectDragged(CurveBounds(*shapes[0]), dragged, frame);
    }

    // The movie: the stage size, 12 frames a second, the rectangle defined and placed, a frame
    // for each of the document's frames.
    const C_SWF_Header& header = read.header;
    EXPECT_EQ(header.frameSize.xmax.value, kStageWidth * kTwipsPerPixel);
    EXPECT_EQ(header.frameSize.ymax.value, kStageHeight * kTwipsPerPixel);
    EXPECT_EQ(header.frameRate, kFrameRate << 8);
    EXPECT_EQ(header.frameCount, loaded.GetLastFrame());
    std::vector<const C_SWF_Tag_DefineShape3*> definitions;
    std::vector<const C_SWF_Tag_PlaceObject2*> placements;
    int shownFrames = 0;
    for (const C_SWF_Tag* tag = read.tags->GetHead(); tag != nullptr; tag = tag->next)
    {
        if (tag->tagCode == kDefineShape3Code)
            definitions.push_back(static_cast<const C_SWF_Tag_DefineShape3*>(tag));
        else if (tag->tagCode == kPlaceObject2Code)
            placements.push_back(static_cast<const C_SWF_Tag_PlaceObject2*>(tag));
        shownFrames += tag->tagCode == kShowFrameCode;
    }
    EXPECT_EQ(shownFrames, loaded.GetLastFrame());
    // The same rectangle in both keyframes is one definition; its bounds take in half the pen.
    ASSERT_EQ(definitions.size(), 1u);
    ASSERT_FALSE(placements.empty());
    for (const C_SWF_Tag_PlaceObject2* placement : placements)
        EXPECT_EQ(placement->characterId, definitions[0]->shapeId);
    const C_SWF_Rect& bounds = definitions[0]->shapeBounds;
    EXPECT_NEAR(bounds.xmin.value, dragged.left, kToleranceTwips);
    EXPECT_NEAR(bounds.ymin.value, dragged.top, kToleranceTwips);
    EXPECT_NEAR(bounds.xmax.value, dragged.right, kToleranceTwips);
    EXPECT_NEAR(bounds.ymax.value, dragged.bottom, kToleranceTwips);
}

} // namespace
