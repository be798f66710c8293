#pragma once
// Fixtures of the panel tests: a top-level window that hosts a panel the way a docking bar
// will, input posted to a panel's controls, and the pixels of a window as the screen shows it.
#include "platform/mfc/Afx.h"

#include <string>
#include <vector>

class CFlashEditorDoc;
class CFlashEditorView;

// A topmost pop-up window at a fixed place on the screen, made once for the whole program
// (top-level windows take long to go under Xvfb) and sized for each use.
CWnd* PanelHost(int width, int height);

// Left click at the centre of a control, the pointer moved there first (buttons look at it).
void ClickControl(CWnd& parent, int id);
// Replaces a focused edit's text by typed characters.
void TypeText(HWND hEdit, const std::string& text);
// A key pressed and released in a focused control, through the message loop.
void PressKey(HWND hWnd, WORD vk);

// The window's pixels (0x00RRGGBB, rows from the top) as the screen shows them.
struct CWindowPixels
{
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
CWindowPixels CaptureWindow(HWND hWnd);

// The name of the document's last undo step.
std::string LastStepName(CFlashEditorDoc* document);
