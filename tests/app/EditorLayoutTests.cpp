// The main frame's bars across starts of the editor program: the default docking of a first
// start, the layout and window placement that the last session left, and a damaged layout.
#include "EditorProcess.h"

#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace EditorProcess;

namespace {

// The framework keeps the bar layout in a key of this name below the settings.
constexpr const char* kBarStateKeyName = "ControlBar";

// Bars by their window ids.
constexpr int kMainToolBar = 59392;
constexpr int kDrawingToolBar = 23374;
constexpr int kColorsBar = 32845;
constexpr int kShapeBar = 32846;
constexpr int kFontBar = 23370;
constexpr int kLibraryBar = 23371;
constexpr int kObjectInspectorBar = 32886;
constexpr int kBrushBar = 23372;
constexpr int kEraserBar = 23373;
constexpr UINT kToggleColors = 32845;
constexpr UINT kSelectionTool = 32784;
constexpr UINT kBrushTool = 32783;
constexpr UINT kEraserTool = 32866;

// The frame lays its bars out a while after it shows, later on a loaded machine: the layout counts
// as done once it looked alike this many times this far apart.
constexpr int kSteadyLooks = 5;
constexpr DWORD kSteadyLookMs = 100;
constexpr DWORD kLayoutTimeoutMs = 20000;
constexpr RECT kMovedPlacement = {60, 40, 1000, 760};

struct CBarWindow {
    HWND hwnd = nullptr;
    RECT rect{};
    bool visible = false;
};

struct CFindChild {
    int id;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param)
{
    auto* find = reinterpret_cast<CFindChild*>(param);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    const bool match = find->className != nullptr ? std::string(className) == find->className
                                                  : ::GetDlgCtrlID(window) == find->id;
    if (!match)
        return TRUE;
    find->found = window;
    return FALSE;
}

HWND Child(HWND main, int id, const char* className = nullptr)
{
    CFindChild find{id, className, nullptr};
    ::EnumChildWindows(main, FindChild, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

CBarWindow Bar(HWND main, int id)
{
    CBarWindow bar;
    bar.hwnd = Child(main, id);
    if (bar.hwnd != nullptr) {
        ::GetWindowRect(bar.hwnd, &bar.rect);
        bar.visible = ::IsWindowVisible(bar.hwnd) != FALSE;
    }
    return bar;
}

RECT ClientArea(HWND main)
{
    RECT rc{};
    ::GetWindowRect(Child(main, 0, "MDIClient"), &rc);
    return rc;
}

// The documents' area and every bar's place and visibility, as one comparable text.
std::string LayoutLook(HWND main)
{
    std::string look;
    const auto add = [&look](const RECT& rc, bool visible) {
        look += std::to_string(rc.left) + ',' + std::to_string(rc.top) + ',' + std::to_string(rc.right) + ',' +
                std::to_string(rc.bottom) + (visible ? "v;" : "h;");
    };
    add(ClientArea(main), true);
    for (int id : {kMainToolBar, kDrawingToolBar, kColorsBar, kShapeBar, kFontBar, kLibraryBar, kObjectInspectorBar,
                   kBrushBar, kEraserBar}) {
        const CBarWindow bar = Bar(main, id);
        add(bar.rect, bar.visible);
    }
    return look;
}

bool WaitForSteadyLayout(HWND main)
{
    std::string last;
    int alike = 0;
    return WaitUntil(
        [&] {
            ::Sleep(kSteadyLookMs);
            const std::string now = LayoutLook(main);
            alike = now == last ? alike + 1 : 0;
            last = now;
            return alike >= kSteadyLooks;
        },
        kLayoutTimeoutMs);
}

// Every REG_BINARY value below the key gets its bytes inverted.
void DamageBinaryValues(HKEY key)
{
    char name[256];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        if (type != REG_BINARY)
            continue;
        for (DWORD b = 0; b < dataSize; ++b)
            data[b] = BYTE(~data[b]);
        ::RegSetValueExA(key, name, 0, type, data, dataSize);
    }
    for (DWORD i = 0;; ++i) {
        char sub[256];
        DWORD subSize = sizeof sub;
        if (::RegEnumKeyExA(key, i, sub, &subSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (::RegOpenKeyExA(key, sub, 0, KEY_ALL_ACCESS, &child) == ERROR_SUCCESS) {
            DamageBinaryValues(child);
            ::RegCloseKey(child);
        }
    }
}

// Finds the bar-state keys below the key and damages what they hold; the number found.
int DamageBarState(HKEY key)
{
    int found = 0;
    for (DWORD i = 0;; ++i) {
        char sub[256];
        DWORD subSize = sizeof sub;
        if (::RegEnumKeyExA(key, i, sub, &subSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (::RegOpenKeyExA(key, sub, 0, KEY_ALL_ACCESS, &child) != ERROR_SUCCESS)
            continue;
        if (std::string(sub) == kBarStateKeyName) {
            DamageBinaryValues(child);
            ++found;
        } else {
            found += DamageBarState(child);
        }
        ::RegCloseKey(child);
    }
    return found;
}

class EditorLayout : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }

    HWND Start()
    {
        if (!StartEditor(EDITOR_LAUNCHER, ""))
            return nullptr;
        HWND main = WaitForMainWindow();
        if (main != nullptr && !WaitForSteadyLayout(main))
            return nullptr;
        return main;
    }
    static bool Close(HWND main)
    {
        ::PostMessageA(main, WM_CLOSE, 0, 0);
        return WaitUntilGone(main);
    }
    // The first start's docking, with the Colors bar shown or not.
    static void ExpectDefaultDocking(HWND main)
    {
        const RECT client = ClientArea(main);
        const CBarWindow tools = Bar(main, kDrawingToolBar);
        const CBarWindow colors = Bar(main, kColorsBar);
        const CBarWindow mainBar = Bar(main, kMainToolBar);
        const CBarWindow font = Bar(main, kFontBar);
        const CBarWindow shape = Bar(main, kShapeBar);
        const CBarWindow inspector = Bar(main, kObjectInspectorBar);
        ASSERT_TRUE(tools.visible && colors.visible && mainBar.visible && font.visible && shape.visible &&
                    inspector.visible);
        EXPECT_LE(mainBar.rect.bottom, client.top) << "main tool bar above the documents";
        EXPECT_EQ(font.rect.top, mainBar.rect.top) << "Font in the main tool bar's row";
        EXPECT_GE(font.rect.left, mainBar.rect.right);
        EXPECT_LE(tools.rect.right, client.left) << "Tools at the left";
        EXPECT_GT(tools.rect.bottom - tools.rect.top, 2 * (tools.rect.right - tools.rect.left))
            << "two columns of tools";
        EXPECT_GE(colors.rect.top, tools.rect.bottom) << "Colors below Tools";
        EXPECT_LE(colors.rect.right, client.left);
        EXPECT_GE(shape.rect.left, client.right) << "Shape at the right";
        EXPECT_EQ(inspector.rect.left, shape.rect.left);
        EXPECT_GE(inspector.rect.top, shape.rect.bottom - 1) << "ObjectInspector below Shape";
        EXPECT_LT(inspector.rect.bottom - inspector.rect.top, shape.rect.bottom - shape.rect.top);
        for (int hidden : {kBrushBar, kEraserBar, kLibraryBar})
            EXPECT_FALSE(Bar(main, hidden).visible) << hidden;
    }
};

TEST_F(EditorLayout, FirstStartDocksTheBarsByDefault)
{
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    ExpectDefaultDocking(main);
    EXPECT_TRUE(Close(main));
}

TEST_F(EditorLayout, NextStartRestoresLayoutAndPlacementUnlessTheLayoutIsDamaged)
{
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    const RECT& moved = kMovedPlacement;
    ::SetWindowPos(main, nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageA(main, WM_COMMAND, kToggleColors, 0);
    ASSERT_TRUE(WaitForSteadyLayout(main));
    ASSERT_FALSE(Bar(main, kColorsBar).visible);
    ASSERT_TRUE(Close(main));

    main = Start();
    ASSERT_NE(main, nullptr);
    RECT placed{};
    ::GetWindowRect(main, &placed);
    EXPECT_EQ(placed.left, moved.left);
    EXPECT_EQ(placed.top, moved.top);
    EXPECT_EQ(placed.right, moved.right);
    EXPECT_EQ(placed.bottom, moved.bottom);
    EXPECT_FALSE(Bar(main, kColorsBar).visible) << "closed at the last exit";
    EXPECT_TRUE(Bar(main, kDrawingToolBar).visible);
    ASSERT_TRUE(Close(main));

    HKEY settings = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &settings), ERROR_SUCCESS);
    const int damaged = DamageBarState(settings);
    ::RegCloseKey(settings);
    ASSERT_GT(damaged, 0);

    main = Start();
    ASSERT_NE(main, nullptr);
    ExpectDefaultDocking(main);
    EXPECT_TRUE(Close(main));
}

TEST_F(EditorLayout, BrushAndEraserBarsShowBelowColorsAndLeaveTheDocumentsInPlace)
{
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    const RECT documents = ClientArea(main);
    const CBarWindow colors = Bar(main, kColorsBar);
    for (auto [tool, barId, screen] : {std::tuple{kEraserTool, kEraserBar, "editor-eraser-bar.png"},
                                       std::tuple{kBrushTool, kBrushBar, "editor-brush-bar.png"}}) {
        SCOPED_TRACE(barId);
        ::PostMessageA(main, WM_COMMAND, tool, 0);
        CBarWindow bar;
        ASSERT_TRUE(WaitUntil([&] { return (bar = Bar(main, barId)).visible; }, kStartTimeoutMs));
        ASSERT_TRUE(WaitForSteadyLayout(main));
        bar = Bar(main, barId);
        EXPECT_EQ(bar.rect.left, colors.rect.left) << "in the Colors column";
        EXPECT_GE(bar.rect.top, colors.rect.bottom - 1) << "below Colors";
        const RECT now = ClientArea(main);
        EXPECT_EQ(now.left, documents.left) << "the documents do not move";
        EXPECT_EQ(now.right, documents.right);
        RECT window{};
        ::GetWindowRect(main, &window);
        EXPECT_TRUE(SaveScreenRectPng(window, screen));
        ::PostMessageA(main, WM_COMMAND, kSelectionTool, 0);
        ASSERT_TRUE(WaitUntil([&] { return !Bar(main, barId).visible; }, kStartTimeoutMs));
    }
    EXPECT_TRUE(Close(main));
}

} // namespace
