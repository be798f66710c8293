#pragma once
// The editor's bars as the screen shows them, read from outside its process: where each bar
// stands, whether it shows, whether it floats in a frame of its own, and the status bar.
#include "resources/app/AppResources.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace EditorBars {

// Bars by their window ids: the ids of the View commands that toggle them.
constexpr int kMenuBar = ID_VIEW_MENU_BAR;
constexpr int kMainToolBar = AFX_IDW_TOOLBAR;
constexpr int kStatusBar = AFX_IDW_STATUS_BAR;
constexpr int kDrawingToolBar = ID_VIEW_DRAWING_TOOLBAR;
constexpr int kColorsBar = ID_VIEW_COLORS;
constexpr int kShapeBar = ID_VIEW_SHAPE;
constexpr int kFontBar = ID_VIEW_FONT;
constexpr int kObjectInspectorBar = ID_VIEW_OBJECT_INSPECTOR;

// Every bar the user can show.
constexpr int kUserBars[] = {kMainToolBar, kDrawingToolBar, kColorsBar, kShapeBar,
                             kFontBar,     kObjectInspectorBar, kStatusBar};

struct CBarLook {
    int id = 0;
    bool shown = false;
    bool floating = false;
    // On the screen, relative to the main window's top left corner.
    RECT rect{};
};

bool operator==(const CBarLook& a, const CBarLook& b);
std::string Describe(const CBarLook& look);

// The bar's window in the main window or in one of the editor's floating frames; null when none.
HWND FindBar(HWND main, int id);
CBarLook Look(HWND main, int id);
std::vector<CBarLook> LookAll(HWND main);

RECT ScreenRect(HWND window);
HWND MdiClient(HWND main);
// The main window's client area on the screen.
RECT ClientScreenRect(HWND main);

// A point of the bar's caption (resizable bars) or gripper (tool bars), on the screen.
POINT GripPoint(HWND bar);
// The centre of the shown docking marker nearest to the point; false when no marker shows.
bool NearestMarker(HWND main, POINT aim, POINT& centre);
// Drags the bar by its caption (its floating frame's when it floats) to `hover` until the
// docking markers show, then onto the marker nearest to `aim`, and releases there; false when no
// marker showed. `beforeRelease` runs while the button is held over the marker.
bool DropOnMarker(HWND main, int id, POINT hover, POINT aim, const std::function<void()>& beforeRelease = {});
// A point of the caption's button at the position from its right end (0: the last, Close).
POINT CaptionButtonPoint(HWND bar, int fromRight);

// The editor started on fresh settings, its main window once it shows a document; null when it
// did not show in time.
HWND StartFresh();
// Starts the editor on the settings the last run left; returns once its bars stand still.
HWND StartAgain();
// The bars' looks once two looks in a row agree.
std::vector<CBarLook> SteadyLooks(HWND main);
bool Close(HWND main);

// The whole display, floating frames included, written under the screens folder.
void SaveScreen(const std::string& name);

} // namespace EditorBars
