#include "EditorBars.h"

#include "EditorInput.h"
#include "EditorProcess.h"

#include "tests/support/ScreenImage.h"

#include <cstdio>

namespace EditorBars {

namespace {

// Into a caption from its start, clear of its buttons at the far end.
constexpr int kIntoCaption = 24;
// Caption buttons stand at the caption's right end, this far apart, the last one's centre this
// far in from the end.
constexpr int kCaptionButtonPitch = 15;
constexpr int kLastCaptionButton = 9;
constexpr const char* kMarkerClass = "DadeZAD-DynDockMarker";
constexpr DWORD kMarkerTimeoutMs = 20000;
constexpr DWORD kNudgeMs = 250;
constexpr DWORD kSettleTimeoutMs = 10000;
constexpr DWORD kSteadyLookMs = 250;
// The markers light up on a hover poll.
constexpr DWORD kHoverMs = 300;

struct CMarkerSearch {
    POINT aim;
    POINT best;
    long long bestDistance;
};

BOOL CALLBACK FindNearestMarker(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CMarkerSearch*>(param);
    if (!::IsWindowVisible(window) || EditorProcess::ClassName(window) != kMarkerClass)
        return TRUE;
    const RECT rect = ScreenRect(window);
    const POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    const long long dx = centre.x - search->aim.x;
    const long long dy = centre.y - search->aim.y;
    if (search->bestDistance < 0 || dx * dx + dy * dy < search->bestDistance) {
        search->bestDistance = dx * dx + dy * dy;
        search->best = centre;
    }
    return TRUE;
}

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

bool NearestMarker(HWND main, POINT aim, POINT& centre)
{
    CMarkerSearch search{aim, {}, -1};
    ::EnumThreadWindows(::GetWindowThreadProcessId(main, nullptr), &FindNearestMarker,
                        reinterpret_cast<LPARAM>(&search));
    centre = search.best;
    return search.bestDistance >= 0;
}

bool DropOnMarker(HWND main, int id, POINT hover, POINT aim, const std::function<void()>& beforeRelease)
{
    HWND bar = FindBar(main, id);
    if (bar == nullptr)
        return false;
    const POINT grip = GripPoint(Look(main, id).floating ? ::GetAncestor(bar, GA_ROOT) : bar);
    EditorInput::Press(grip);
    EditorInput::MoveInSteps(grip, hover);
    POINT marker{};
    // A loaded machine may take the whole drag in before its loop runs: the pointer is nudged, as
    // a person's hand would, until the markers show.
    int nudges = 0;
    const bool shown = EditorProcess::WaitUntil(
        [&] {
            if (NearestMarker(main, aim, marker))
                return true;
            ::Sleep(kNudgeMs);
            EditorInput::MoveTo({hover.x + (++nudges % 2), hover.y});
            return false;
        },
        kMarkerTimeoutMs);
    if (shown) {
        EditorInput::MoveInSteps(hover, marker);
        ::Sleep(kHoverMs);
        if (beforeRelease)
            beforeRelease();
    }
    EditorInput::Release();
    return shown;
}

POINT CaptionButtonPoint(HWND bar, int fromRight)
{
    const RECT window = ScreenRect(bar);
    const POINT caption = GripPoint(bar);
    return {window.right - kLastCaptionButton - fromRight * kCaptionButtonPitch, caption.y};
}

HWND StartFresh()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, EditorProcess::kSettingsKey);
    return StartAgain();
}

HWND StartAgain()
{
    if (!EditorProcess::StartEditor(EDITOR_LAUNCHER, ""))
        return nullptr;
    HWND main = EditorProcess::WaitForMainWindow();
    if (main != nullptr)
        SteadyLooks(main);
    return main;
}

std::vector<CBarLook> SteadyLooks(HWND main)
{
    std::vector<CBarLook> last = LookAll(main);
    EditorProcess::WaitUntil(
        [&] {
            ::Sleep(kSteadyLookMs);
            std::vector<CBarLook> now = LookAll(main);
            const bool same = now == last;
            last = std::move(now);
            return same;
        },
        kSettleTimeoutMs);
    return last;
}

bool Close(HWND main)
{
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    return EditorProcess::WaitUntilGone(main);
}

void SaveScreen(const std::string& name)
{
    SaveScreenRectPng(ScreenRect(::GetDesktopWindow()), name);
}

} // namespace EditorBars
