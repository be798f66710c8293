#pragma once
// What the themed splitter asks a notebook-style MDI tab strip standing beside the document
// windows: the colour of the tab of a document frame, so that the frame's split bars continue
// the face of its tab.
#include <windows.h>

class CExtMdiTabColorSource
{
public:
    virtual ~CExtMdiTabColorSource() = default;
    // The colour of the tab that stands for the frame window; false when none does.
    virtual bool GetFrameTabColor(HWND hWndFrame, COLORREF& clrTab) const = 0;
};
