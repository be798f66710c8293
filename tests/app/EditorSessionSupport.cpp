#include "EditorSessionSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"

#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/CmdUI.h"
#include "platform/mfc/MDIChildWnd.h"
#include "platform/mfc/UnixFileName.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

CSessionApp g_app;

// The Unix root as Wine shows it.
constexpr const char* kUnixDrive = "Z:";
// File name boxes of the file dialog: the edit of the explorer-style dialog and its combo.
constexpr int kFileNameControls[] = {0x480, 0x47c};
constexpr DWORD kDialogPollMs = 50;
// The first file dialog of a prefix takes long to appear.
constexpr int kDialogAttempts = 1200;

constexpr CLSID kEncoderPng = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// Starts the editor once, before the first test, and shuts it down after the last.
class CSessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
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
    void SetCheck(int) override {}
    CCommandState m_state;
};

std::u16string Wide(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

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

void SaveWindowImage(HWND window, const char* name)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    std::filesystem::create_directories(SCREENS_DIR);
    std::string path = std::string(kUnixDrive) + SCREENS_DIR + "/" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        image.Save(reinterpret_cast<const WCHAR*>(Wide(path).c_str()), &kEncoderPng);
    }
    ::DeleteObject(bitmap);
}
