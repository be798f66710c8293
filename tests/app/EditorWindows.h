#pragma once
// The editor program's windows as a test outside its process finds them: the document windows,
// their timeline and stage panes, where the stage lies in its pane and where the "Tools" bar's
// buttons are.
#include <windows.h>

#include <string>

namespace EditorWindows {

// What the editor makes of a new document.
constexpr int kStageWidth = 550;
constexpr int kStageHeight = 400;

// The "Tools" bar's buttons, by their place in it.
constexpr int kTextButton = 5;
constexpr int kOvalButton = 6;
constexpr int kRectangleButton = 7;

RECT WindowRect(HWND window);
POINT ClientToScreenPoint(HWND window, POINT point);
POINT Offset(POINT point, POINT by);
COLORREF ScreenPixel(POINT screen);

HWND MdiClient(HWND main);
// The visible document window whose title holds the text, or null.
HWND DocumentWindow(HWND main, const std::string& titlePart = "");

// The document window's two panes: the timeline above, the stage below, told apart by place.
struct CPanes {
    HWND timeline = nullptr;
    HWND stage = nullptr;
};
CPanes Panes(HWND document);

// What a started editor shows of its new document: the document window, its panes and the shown
// "Tools" bar.
struct CNewDocument {
    HWND window = nullptr;
    CPanes panes;
    HWND tools = nullptr;
};
// Waits until the editor's main window shows them; false after the time-out.
bool WaitForNewDocument(HWND main, CNewDocument& found, DWORD timeoutMs);

// The stage's top left corner in the view's client area. The view puts its scroll position at
// the client area's centre and opens a document scrolled by half the stage; Wine answers no
// other process's questions about a window's scroll bars, so the opening position stands in.
POINT StageOrigin(HWND stage);

// The centre of the tool button at the index, in screen pixels.
POINT ToolButtonCentre(HWND tools, int index);

// A point of a tool button's face beside its picture, from the button's centre.
constexpr POINT kFaceBesidePicture = {-12, 0};
// Clicks the tool's button until it shows pressed beside another, unpressed button: the bar shows
// the chosen tool at its next idle update, and input made before the tool is taken goes to the
// tool before it. False when it never shows pressed.
bool ChooseTool(HWND tools, int button, int unpressedButton);

} // namespace EditorWindows
