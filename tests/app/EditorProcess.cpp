#include "EditorProcess.h"

namespace EditorProcess {

namespace {

constexpr DWORD kPollMs = 10;
// The file-name control of the system's file dialog: the edit of the old style, the combo box of
// the explorer style.
constexpr int kFileNameControls[] = {0x480, 0x47c};

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

struct CDescendantSearch {
    const std::function<bool(HWND)>* accept;
    HWND window;
};

BOOL CALLBACK AcceptDescendant(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CDescendantSearch*>(param);
    if (!(*search->accept)(window))
        return TRUE;
    search->window = window;
    return FALSE;
}

BOOL CALLBACK FindVisible(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<CFound*>(param);
    if (::IsWindowVisible(window) && (found->className == nullptr || found->className == ClassName(window)) &&
        Title(window).find(found->titlePart) != std::string::npos && IsEditorWindow(window))
    {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

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

bool StartEditor(const std::string& launcher, const std::string& arguments)
{
    std::string commandLine = "\"" + WindowsPath(launcher) + "\" " + arguments;
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

HWND WaitForWindow(const char* className, const std::string& titlePart, DWORD timeoutMs)
{
    CFound found = {className, titlePart, nullptr};
    WaitUntil([&] {
        ::EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&found));
        return found.window != nullptr;
    }, timeoutMs);
    return found.window;
}

HWND WaitForMainWindow(DWORD timeoutMs)
{
    return WaitForWindow(nullptr, std::string(" - ") + kMainTitle, timeoutMs);
}

bool WaitUntilGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&] { return !::IsWindow(window); }, timeoutMs);
}

void EndEditor(HWND main)
{
    DWORD processId = 0;
    if (!::IsWindow(main) || ::GetWindowThreadProcessId(main, &processId) == 0)
        return;
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId))
    {
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, kStartTimeoutMs);
        ::CloseHandle(process);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FindDescendant(HWND parent, const std::function<bool(HWND)>& accept)
{
    CDescendantSearch search{&accept, nullptr};
    ::EnumChildWindows(parent, &AcceptDescendant, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

bool AnswerFileDialog(const std::string& windowsPath, DWORD timeoutMs)
{
    HWND dialog = WaitForWindow("#32770", "", timeoutMs);
    if (dialog == nullptr)
        return false;
    bool typed = false;
    for (int control : kFileNameControls)
        if (HWND edit = ::GetDlgItem(dialog, control); edit != nullptr && ::IsWindowVisible(edit))
            typed |= ::SetWindowTextA(edit, windowsPath.c_str()) != FALSE;
    HWND ok = ::GetDlgItem(dialog, IDOK);
    return typed && ok != nullptr && ::PostMessageA(ok, BM_CLICK, 0, 0) != FALSE;
}

} // namespace EditorProcess
