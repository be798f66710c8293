#pragma once
// Fixtures of the editor's in-process session: the application object started once for the
// whole program (its messages recorded instead of shown), pumping of its messages, the update
// state of a command, a helper that answers the next file dialog, and window captures.
#include "app/FlashEditorApp.h"
#include "resources/app/AppResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CFlashEditorDoc;
class CFlashEditorMainFrame;

class CSessionApp : public CFlashEditorApp {
public:
    int DoMessageBox(LPCSTR lpszPrompt, UINT, UINT) override
    {
        m_messages.emplace_back(lpszPrompt != nullptr ? lpszPrompt : "");
        return IDOK;
    }
    std::vector<std::string> m_messages;
};

CSessionApp& SessionApp();
CFlashEditorMainFrame* MainFrame();
// The document of the active document window, or null.
CFlashEditorDoc* ActiveDocument();
int DocumentWindowCount();
void PumpMessages();
void SendCommand(UINT id);

// What the update handlers say of a command, as a menu item would show it.
struct CCommandState {
    bool handled = false;
    bool enabled = false;
    bool checked = false;
    std::string text;
};
CCommandState QueryCommand(UINT id);

// Types a path into the next file dialog of this process and presses its OK button.
class CFileDialogAnswer {
public:
    explicit CFileDialogAnswer(std::string windowsPath);
    ~CFileDialogAnswer();
    bool Answered() const { return m_bAnswered; }

private:
    // A Win32 thread: threads the C++ library starts are unknown to Wine and may not call it.
    static DWORD WINAPI Run(void* self);
    std::string m_path;
    HANDLE m_hThread = nullptr;
    volatile bool m_bAnswered = false;
    volatile bool m_bStop = false;
};

std::string TempPath(const char* name);
std::string UnixPath(const std::string& windowsPath);

// Leaves one new, unmodified document open: the state every test starts from.
class EditorSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        SessionApp().CloseAllDocuments(FALSE);
        SendCommand(ID_FILE_NEW);
        SessionApp().m_messages.clear();
        ASSERT_NE(ActiveDocument(), nullptr);
    }
};
