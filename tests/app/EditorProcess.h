#pragma once
// The editor program started as its own process, the way the shell starts it, and its
// top-level windows found by class and title.
#include <windows.h>

#include <functional>
#include <string>

namespace EditorProcess {

constexpr const char* kMainTitle = "Quorvalis Plivex Light";
// The editor's settings below HKEY_CURRENT_USER; without them it starts as on a fresh machine.
constexpr const char* kSettingsKey = "Software\\Quorvalis";
constexpr DWORD kStartTimeoutMs = 60000;

// The Unix path as Wine's Z: drive names it.
std::string WindowsPath(const std::string& unixPath);
std::string Title(HWND window);

// Starts the launcher with the arguments; false when the process could not be made.
bool StartEditor(const std::string& launcher, const std::string& arguments);

// A visible top-level window of an editor process, of the class (any when null), whose title
// holds the text; null after the time-out.
HWND WaitForWindow(const char* className, const std::string& titlePart, DWORD timeoutMs = kStartTimeoutMs);
// The editor's main window, once it shows a document.
HWND WaitForMainWindow(DWORD timeoutMs = kStartTimeoutMs);
bool WaitUntilGone(HWND window, DWORD timeoutMs = kStartTimeoutMs);
// Ends the process of the editor's window at once.
void EndEditor(HWND main);
// Polls the condition until it holds; false after the time-out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

std::string ClassName(HWND window);
// The first window below the parent, at any depth, that the test accepts; null when none.
HWND FindDescendant(HWND parent, const std::function<bool(HWND)>& accept);
// Answers the editor's next file dialog as a user would: types the path into its file-name
// control and presses its OK button. False when no dialog showed in time.
bool AnswerFileDialog(const std::string& windowsPath, DWORD timeoutMs = kStartTimeoutMs);

} // namespace EditorProcess
