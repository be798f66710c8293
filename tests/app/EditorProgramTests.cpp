// The editor program itself, started as its own process the way the shell starts it: its main
// window shows, a file that cannot be opened on the command line leaves a new document, and it
// closes cleanly.
#include "EditorProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace EditorProcess;

namespace {

// The text of a message box is its static control with this id.
constexpr int kMessageBoxText = 0xFFFF;

TEST(EditorProgram, OpensANewDocumentAndClosesCleanly)
{
    ASSERT_TRUE(StartEditor(EDITOR_LAUNCHER, ""));
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_NE(Title(main).find("Untitled-1"), std::string::npos) << Title(main);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(main));
}

TEST(EditorProgram, FileThatCannotBeOpenedLeavesANewDocument)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    struct Case {
        const char* what;
        std::string argument;
    };
    const Case cases[] = {
        {"a missing file", WindowsPath(folder + "/quorvalis-missing.qpd")},
        {"a folder", WindowsPath(folder)},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(StartEditor(EDITOR_LAUNCHER, "\"" + c.argument + "\""));
        HWND box = WaitForWindow("#32770", kMainTitle);
        ASSERT_NE(box, nullptr) << c.what;
        char text[512] = {};
        ::GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
        EXPECT_EQ(std::string(text), "Error openning file " + c.argument + "!") << c.what;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);

        HWND main = WaitForMainWindow();
        ASSERT_NE(main, nullptr) << c.what;
        EXPECT_NE(Title(main).find("Untitled-1"), std::string::npos) << Title(main);
        ::PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntilGone(main)) << c.what;
    }
}

} // namespace
