// The editor program itself, started as its own process the way the shell starts it: its main
// window shows, a file that cannot be opened on the command line leaves a new document, and it
// closes cleanly.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kMainTitle = "Quorvalis Plivex Light";
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kPollMs = 50;
// The text of a message box is its static control with this id.
constexpr int kMessageBoxText = 0xFFFF;

std::string WindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string Title(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

struct CFound {
    const char* className;
    std::string titlePart;
    HWND window;
};

// Whether the window belongs to an editor program (not to another test showing the editor).
bool IsEditorWindow(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return false;
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const BOOL known = ::QueryFullProcessImageNameA(process, 0, image, &size);
    ::CloseHandle(process);
    return known && std::string(image).find("Quorvalis") != std::string::npos;
}

BOOL CALLBACK FindVisible(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<CFound*>(param);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (::IsWindowVisible(window) && (found->className == nullptr || found->className == std::string(className)) &&
        Title(window).find(found->titlePart) != std::string::npos && IsEditorWindow(window))
    {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the class (any when null) whose title holds the text.
HWND WaitForWindow(const char* className, const std::string& titlePart, DWORD timeoutMs = kStartTimeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs)
    {
        CFound found = {className, titlePart, nullptr};
        ::EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&found));
        if (found.window != nullptr)
            return found.window;
        ::Sleep(kPollMs);
    }
    return nullptr;
}

bool WaitUntilGone(HWND window)
{
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window))
    {
        if (::GetTickCount() - start > kStartTimeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

// Starts the editor through its launcher, as the shell would.
bool StartEditor(const std::string& arguments)
{
    std::string commandLine = "\"" + WindowsPath(EDITOR_LAUNCHER) + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    if (process.hThread != nullptr)
        ::CloseHandle(process.hThread);
    if (process.hProcess != nullptr)
        ::CloseHandle(process.hProcess);
    return true;
}

TEST(EditorProgram, OpensANewDocumentAndClosesCleanly)
{
    ASSERT_TRUE(StartEditor(""));
    HWND main = WaitForWindow(nullptr, std::string(" - ") + kMainTitle);
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
        ASSERT_TRUE(StartEditor("\"" + c.argument + "\""));
        HWND box = WaitForWindow("#32770", kMainTitle);
        ASSERT_NE(box, nullptr) << c.what;
        char text[512] = {};
        ::GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
        EXPECT_EQ(std::string(text), "Error openning file " + c.argument + "!") << c.what;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);

        HWND main = WaitForWindow(nullptr, std::string(" - ") + kMainTitle);
        ASSERT_NE(main, nullptr) << c.what;
        EXPECT_NE(Title(main).find("Untitled-1"), std::string::npos) << Title(main);
        ::PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntilGone(main)) << c.what;
    }
}

} // namespace
