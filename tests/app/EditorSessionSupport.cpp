#include "EditorSessionSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/MDIChildWnd.h"
#include "platform/mfc/UnixFileName.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

CSessionApp g_app;

// File name boxes of the file dialog: the edit of the explorer-style dialog and its combo.
constexpr int kFileNameControls[] = {0x480, 0x47c};
constexpr DWORD kDialogPollMs = 50;
// The first file dialog of a prefix takes long to appear.
constexpr int kDialogAttempts = 1200;

// Starts the editor once, before the first test, and shuts it down after the last.
class CSessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // Every run starts as a first start: the bars docked by default.
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvalis");
        g_app.SetCurrentHandles(::GetModuleHandleA(nullptr), const_cast<LPSTR>(""), SW_SHOW);
        ASSERT_TRUE(g_app.InitInstance());
        PumpMessages();
    }
    void TearDown() override
    {
        if (CWnd* pMain = g_app.m_pMainWnd)
        {
            g_app.CloseAllDocuments(FALSE);
            pMain->DestroyWindow();
        }
        g_app.ExitInstance();
    }
};

const auto* g_environment = ::testing::AddGlobalTestEnvironment(new CSessionEnvironment);

// Records what the update handlers set.
class CStateCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_state.enabled = bOn != FALSE;
    }
    void SetText(LPCSTR lpszText) override { m_state.text = lpszText != nullptr ? lpszText : ""; }
    void SetCheck(int nCheck) override { m_state.checked = nCheck != 0; }
    CCommandState m_state;
};

} // namespace

CSessionApp& SessionApp()
{
    return g_app;
}

CFlashEditorMainFrame* MainFrame()
{
    return dynamic_cast<CFlashEditorMainFrame*>(g_app.m_pMainWnd);
}

CFlashEditorDoc* ActiveDocument()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    CFrameWnd* pChild = pMain != nullptr ? pMain->MDIGetActive() : nullptr;
    return pChild != nullptr ? dynamic_cast<CFlashEditorDoc*>(pChild->GetActiveDocument()) : nullptr;
}

int DocumentWindowCount()
{
    CFlashEditorMainFrame* pMain = MainFrame();
    int count = 0;
    for (HWND child = ::GetWindow(pMain->m_hWndMDIClient, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

void PumpMessages()
{
    MSG msg;
    for (int round = 0; round < 3; ++round)
    {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!g_app.PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        g_app.OnIdle(0);
    }
}

void SendCommand(UINT id)
{
    MainFrame()->SendMessage(WM_COMMAND, id, 0);
    PumpMessages();
}

CCommandState QueryCommand(UINT id)
{
    CStateCmdUI state;
    state.m_nID = id;
    state.m_state.handled = MainFrame()->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) != FALSE;
    return state.m_state;
}

CFileDialogAnswer::CFileDialogAnswer(std::string windowsPath) : m_path(std::move(windowsPath))
{
    m_hThread = ::CreateThread(nullptr, 0, &CFileDialogAnswer::Run, this, 0, nullptr);
}

DWORD WINAPI CFileDialogAnswer::Run(void* self)
{
    auto* answer = static_cast<CFileDialogAnswer*>(self);
    const DWORD process = ::GetCurrentProcessId();
    for (int attempt = 0; attempt < kDialogAttempts && !answer->m_bStop; ++attempt)
    {
        ::Sleep(kDialogPollMs);
        HWND dialog = ::FindWindowA("#32770", nullptr);
        DWORD owner = 0;
        if (dialog == nullptr || !::IsWindowVisible(dialog))
            continue;
        ::GetWindowThreadProcessId(dialog, &owner);
        if (owner != process)
            continue;
        for (int control : kFileNameControls)
            ::SetDlgItemTextA(dialog, control, answer->m_path.c_str());
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        answer->m_bAnswered = true;
        return 0;
    }
    return 0;
}

CFileDialogAnswer::~CFileDialogAnswer()
{
    m_bStop = true;
    if (m_hThread != nullptr)
    {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
    }
}

std::string TempPath(const char* name)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::string UnixPath(const std::string& windowsPath)
{
    return AfxGetUnixFileName(windowsPath.c_str()).GetString();
}

