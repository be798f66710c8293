// Typing a text in the editor program driven from outside through the window system: the keys
// that edit the text reach the stage's text editor and not the frame's accelerators, the editor
// made by a click grows with what is typed, Escape drops a text being typed, and the saved
// document holds the one text that was committed.
#include "EditorInput.h"
#include "EditorProcess.h"
#include "EditorWindows.h"
#include "FreshEditorTest.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashTextShape.h"
#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace EditorProcess;
using namespace EditorInput;
using namespace EditorWindows;

namespace {

constexpr DWORD kStateTimeoutMs = 10000;
// Where the texts are started, in pixels from the stage's top left corner: both inside the part of
// the stage that the new document's window shows.
constexpr POINT kFirstText = {150, 160};
constexpr POINT kSecondText = {150, 250};
// The editor opened by a click is this wide before anything is typed.
constexpr int kClickedEditorWidth = 25;

std::string EditText(HWND edit)
{
    char buffer[256] = {};
    ::SendMessageA(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// The stage's text editor once it shows, or null.
HWND ShownEditor(HWND stage)
{
    return FindDescendant(stage, [](HWND w) { return ClassName(w) == "Edit" && ::IsWindowVisible(w); });
}

void TypeLetters(const char* letters)
{
    for (const char* c = letters; *c != '\0'; ++c)
        Chord(0, WORD(*c));
}

class EditorTextInput : public CFreshEditorTest<> {};

TEST_F(EditorTextInput, EditingKeysEditTheTypedTextAndEscapeDropsIt)
{
    const std::string document = (std::filesystem::temp_directory_path() / "quorvalis-text-input.qpd").string();
    std::filesystem::remove(document);
    HWND main = m_main;
    CNewDocument shown;
    ASSERT_TRUE(WaitForNewDocument(main, shown, kStateTimeoutMs));
    const CPanes& panes = shown.panes;
    ASSERT_TRUE(ChooseTool(shown.tools, kTextButton, kOvalButton));
    const POINT origin = StageOrigin(panes.stage);
    auto onStage = [&](POINT at) { return ClientToScreenPoint(panes.stage, {origin.x + at.x, origin.y + at.y}); };

    Click(onStage(kFirstText));
    HWND editor = nullptr;
    if (!WaitUntil([&] { return (editor = ShownEditor(panes.stage)) != nullptr; }, kStateTimeoutMs)) {
        SaveScreenRectPng(WindowRect(main), "editor-text-not-shown.png");
        FAIL() << "no text editor after a click with the Text tool";
    }
    TypeLetters("HELLO");
    ASSERT_TRUE(WaitUntil([&] { return EditText(editor) == "hello"; }, kStateTimeoutMs)) << EditText(editor);
    const RECT grown = WindowRect(editor);
    EXPECT_GT(grown.right - grown.left, kClickedEditorWidth) << "the editor widens as the text grows";
    EXPECT_TRUE(SaveScreenRectPng(WindowRect(panes.stage), "editor-text-typed.png"));

    Chord(0, VK_HOME);
    Chord(0, VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return EditText(editor) == "ello"; }, kStateTimeoutMs)) << EditText(editor);
    Chord(VK_CONTROL, 'Z');
    ::Sleep(kEventGapMs * 4);
    EXPECT_TRUE(::IsWindowVisible(editor)) << "no Undo of the frame ended the typing";

    // Another text, typed and dropped with Escape.
    Click(onStage(kSecondText));
    ASSERT_TRUE(WaitUntil([&] { return ShownEditor(panes.stage) != nullptr && EditText(editor).empty(); },
                          kStateTimeoutMs));
    TypeLetters("ZZ");
    Chord(0, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return ShownEditor(panes.stage) == nullptr; }, kStateTimeoutMs));

    Chord(VK_CONTROL, 'S');
    ASSERT_TRUE(AnswerFileDialog(WindowsPath(document)));
    ASSERT_TRUE(WaitUntil([&] { return DocumentWindow(main, "quorvalis-text-input") != nullptr; }, kStateTimeoutMs));
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(main));

    CFlashEditorDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(WindowsPath(document).c_str()));
    std::vector<CFlashShape*> shapes;
    loaded.GetLayer(1)->FindSpan(1)->CollectShapes(shapes);
    ASSERT_EQ(shapes.size(), 1u) << "the dropped text is not in the document";
    auto* text = dynamic_cast<CFlashTextShape*>(shapes[0]);
    ASSERT_NE(text, nullptr);
    // Delete took the first letter; the edit's own undo may have put it back.
    const std::string typed = text->GetText();
    EXPECT_TRUE(typed == "ello" || typed == "hello") << typed;
}

} // namespace
