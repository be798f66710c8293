#pragma once
// The colour dialog behind a colour button's custom colour lives above the framework core: the
// application installs the routine that runs it, and the button calls it through here.
#include <windows.h>

class CExtCustomColorDialog
{
public:
    // Runs the dialog owned by the window, starting at the colour; true with the accepted colour.
    using Runner = bool (*)(HWND hWndParent, COLORREF clrCurrent, COLORREF& clrChosen);

    // Answers the routine installed before.
    static Runner Install(Runner pfnRunner);
    static Runner GetInstalled();
    // False when nothing is installed or the user cancelled: the caller keeps its colour.
    static bool Run(HWND hWndParent, COLORREF clrCurrent, COLORREF& clrChosen);
};
