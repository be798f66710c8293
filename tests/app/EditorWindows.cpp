#include "EditorWindows.h"

#include "EditorInput.h"
#include "EditorProcess.h"

#include <algorithm>
#include <vector>

namespace EditorWindows {

namespace {

// The "Tools" bar: sixteen buttons in two columns, each holding its 16-pixel picture with the
// face's padding on each side, the rows apart by the gripper's extent.
constexpr int kToolColumns = 2;
constexpr SIZE kToolButtonSize = {28, 22};
constexpr int kToolRowGap = 6;
constexpr int kToolLeftBorder = 3;
// A click that a loaded editor loses is made again, after this long without an answer.
constexpr int kClickAttempts = 3;
constexpr DWORD kClickAnswerMs = 10000;

} // namespace

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

POINT ClientToScreenPoint(HWND window, POINT point)
{
    ::ClientToScreen(window, &point);
    return point;
}

POINT Offset(POINT point, POINT by)
{
    return {point.x + by.x, point.y + by.y};
}

COLORREF ScreenPixel(POINT screen)
{
    HDC dc = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(dc, screen.x, screen.y);
    ::ReleaseDC(nullptr, dc);
    return colour;
}

HWND MdiClient(HWND main)
{
    return EditorProcess::FindDescendant(main, [](HWND w) { return EditorProcess::ClassName(w) == "MDIClient"; });
}

HWND DocumentWindow(HWND main, const std::string& titlePart)
{
    HWND client = MdiClient(main);
    for (HWND child = ::GetWindow(client, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child) && EditorProcess::Title(child).find(titlePart) != std::string::npos)
            return child;
    return nullptr;
}

CPanes Panes(HWND document)
{
    CPanes panes;
    HWND splitter = ::GetWindow(document, GW_CHILD);
    std::vector<HWND> views;
    for (HWND w = ::GetWindow(splitter, GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT))
        if (::IsWindowVisible(w))
            views.push_back(w);
    if (views.size() != 2)
        return panes;
    std::sort(views.begin(), views.end(), [](HWND a, HWND b) { return WindowRect(a).top < WindowRect(b).top; });
    panes.timeline = views[0];
    panes.stage = views[1];
    return panes;
}

POINT StageOrigin(HWND stage)
{
    RECT client{};
    ::GetClientRect(stage, &client);
    return {client.right / 2 - kStageWidth / 2, client.bottom / 2 - kStageHeight / 2};
}

POINT ToolButtonCentre(HWND tools, int index)
{
    const int row = index / kToolColumns;
    const int column = index % kToolColumns;
    return ClientToScreenPoint(tools, {kToolLeftBorder + column * kToolButtonSize.cx + kToolButtonSize.cx / 2,
                                       row * (kToolButtonSize.cy + kToolRowGap) + kToolButtonSize.cy / 2});
}

bool WaitForNewDocument(HWND main, CNewDocument& found, DWORD timeoutMs)
{
    return EditorProcess::WaitUntil(
        [&] {
            found.window = DocumentWindow(main, "Untitled-1");
            found.panes = found.window != nullptr ? Panes(found.window) : CPanes{};
            found.tools = EditorProcess::FindDescendant(
                main, [](HWND w) { return EditorProcess::Title(w) == "Tools" && ::IsWindowVisible(w); });
            return found.panes.stage != nullptr && found.tools != nullptr;
        },
        timeoutMs);
}

bool ChooseTool(HWND tools, int button, int unpressedButton)
{
    const POINT centre = ToolButtonCentre(tools, button);
    const POINT face = Offset(centre, kFaceBesidePicture);
    const POINT otherFace = Offset(ToolButtonCentre(tools, unpressedButton), kFaceBesidePicture);
    for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
        EditorInput::Click(centre);
        if (EditorProcess::WaitUntil([&] { return ScreenPixel(face) != ScreenPixel(otherFace); }, kClickAnswerMs))
            return true;
    }
    return false;
}

} // namespace EditorWindows
