#include "ModalDialogDriver.h"

namespace {

constexpr DWORD kPollMs = 20;
constexpr int kAttempts = 500;

struct CSearch {
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<CSearch*>(lParam);
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    if (::IsWindowVisible(hWnd) && *search->title == text) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

CModalDialogDriver::CModalDialogDriver(std::string title, std::function<void(HWND)> script)
    : m_title(std::move(title)), m_script(std::move(script))
{
    m_hThread = ::CreateThread(nullptr, 0, &CModalDialogDriver::Run, this, 0, nullptr);
}

CModalDialogDriver::~CModalDialogDriver()
{
    m_bStop = true;
    if (m_hThread != nullptr) {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
    }
}

DWORD WINAPI CModalDialogDriver::Run(void* self)
{
    auto* driver = static_cast<CModalDialogDriver*>(self);
    for (int attempt = 0; attempt < kAttempts && !driver->m_bStop; ++attempt) {
        ::Sleep(kPollMs);
        CSearch search{&driver->m_title, nullptr};
        // The dialog belongs to the test's thread: look at every top-level window of the process.
        ::EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
        DWORD process = 0;
        if (search.found == nullptr)
            continue;
        ::GetWindowThreadProcessId(search.found, &process);
        if (process != ::GetCurrentProcessId())
            continue;
        driver->m_bFound = true;
        driver->m_script(search.found);
        return 0;
    }
    return 0;
}

std::string CModalDialogDriver::ControlText(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void CModalDialogDriver::SetControlText(HWND dialog, int id, const std::string& text)
{
    ::SetDlgItemTextA(dialog, id, text.c_str());
}

void CModalDialogDriver::PressEnter(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    ::PostMessageA(control, WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageA(control, WM_KEYUP, VK_RETURN, 0xC0000001);
}

void CModalDialogDriver::PressButton(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
