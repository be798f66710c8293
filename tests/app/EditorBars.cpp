#include "EditorBars.h"

#include "EditorProcess.h"

#include "tests/support/ScreenImage.h"

#include <cstdio>

namespace EditorBars {

namespace {

// Into a caption from its start, clear of its buttons at the far end.
constexpr int kIntoCaption = 24;

struct CBarSearch {
    int id;
    HWND found;
};

constexpr const char* kBarClasses[] = {"DadeZAD-ControlBar", "msctls_statusbar32"};

// Bars are windows of the bar classes; the panels' dialogs and controls may reuse the ids.
bool IsBarWindow(HWND window, int id)
{
    if (::GetDlgCtrlID(window) != id)
        return false;
    const std::string name = EditorProcess::ClassName(window);
    for (const char* barClass : kBarClasses)
        if (name == barClass)
            return true;
    return false;
}

BOOL CALLBACK AcceptBar(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CBarSearch*>(param);
    if (!IsBarWindow(window, search->id))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK SearchFloatingFrame(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CBarSearch*>(param);
    ::EnumChildWindows(window, &AcceptBar, param);
    return search->found == nullptr;
}

} // namespace

bool operator==(const CBarLook& a, const CBarLook& b)
{
    if (a.id != b.id || a.shown != b.shown)
        return false;
    // Hidden bars show nothing to compare.
    return !a.shown || (a.floating == b.floating && ::EqualRect(&a.rect, &b.rect));
}

std::string Describe(const CBarLook& look)
{
    char text[160];
    if (!look.shown)
        std::snprintf(text, sizeof text, "bar %d hidden", look.id);
    else
        std::snprintf(text, sizeof text, "bar %d shown%s (%ld,%ld)-(%ld,%ld)", look.id,
                      look.floating ? " floating" : "", look.rect.left, look.rect.top, look.rect.right,
                      look.rect.bottom);
    return text;
}

HWND FindBar(HWND main, int id)
{
    CBarSearch search{id, nullptr};
    ::EnumChildWindows(main, &AcceptBar, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
        ::EnumThreadWindows(::GetWindowThreadProcessId(main, nullptr), &SearchFloatingFrame,
                            reinterpret_cast<LPARAM>(&search));
    return search.found;
}

CBarLook Look(HWND main, int id)
{
    CBarLook look;
    look.id = id;
    HWND bar = FindBar(main, id);
    if (bar == nullptr)
        return look;
    look.shown = ::IsWindowVisible(bar) != FALSE;
    look.floating = ::GetAncestor(bar, GA_ROOT) != main;
    const RECT frame = ScreenRect(main);
    look.rect = ScreenRect(bar);
    ::OffsetRect(&look.rect, -frame.left, -frame.top);
    return look;
}

std::vector<CBarLook> LookAll(HWND main)
{
    std::vector<CBarLook> looks;
    for (int id : kUserBars)
        looks.push_back(Look(main, id));
    return looks;
}

RECT ScreenRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

HWND MdiClient(HWND main)
{
    return EditorProcess::FindDescendant(main, [](HWND w) { return EditorProcess::ClassName(w) == "MDIClient"; });
}

RECT ClientScreenRect(HWND main)
{
    RECT rect{};
    ::GetClientRect(main, &rect);
    ::MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT GripPoint(HWND bar)
{
    const RECT window = ScreenRect(bar);
    RECT client{};
    ::GetClientRect(bar, &client);
    ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The caption or gripper is the wider of the top and left non-client margins.
    const LONG top = client.top - window.top;
    const LONG left = client.left - window.left;
    if (top >= left)
        return {window.left + kIntoCaption, window.top + top / 2};
    return {window.left + left / 2, window.top + kIntoCaption};
}

void SaveScreen(const std::string& name)
{
    SaveScreenRectPng(ScreenRect(::GetDesktopWindow()), name);
}

} // namespace EditorBars
