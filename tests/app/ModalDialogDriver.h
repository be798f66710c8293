#pragma once
// Works a modal dialog of this process from a second thread while the test's thread runs the
// dialog's loop: waits for the dialog with the title, then hands its window to the script.
#include <windows.h>

#include <functional>
#include <string>

class CModalDialogDriver {
public:
    CModalDialogDriver(std::string title, std::function<void(HWND dialog)> script);
    // Waits for the script to end.
    ~CModalDialogDriver();
    bool Found() const { return m_bFound; }

    // Helpers for scripts: a control's text, and setting it without moving the focus.
    static std::string ControlText(HWND dialog, int id);
    static void SetControlText(HWND dialog, int id, const std::string& text);
    // Enter on the control as its keyboard would send it, through the dialog's message loop.
    static void PressEnter(HWND dialog, int id);
    static void PressButton(HWND dialog, int id);

private:
    // A Win32 thread: threads the C++ library starts are unknown to Wine and may not call it.
    static DWORD WINAPI Run(void* self);
    std::string m_title;
    std::function<void(HWND)> m_script;
    HANDLE m_hThread = nullptr;
    volatile bool m_bFound = false;
    volatile bool m_bStop = false;
};
