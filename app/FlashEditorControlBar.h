#pragma once
// The main frame's two kinds of panel bar: a resizable docking bar whose application-range
// messages belong to the active document's stage, and a fixed-size bar around one panel.
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtPanelControlBar.h"

class CFlashEditorControlBar : public CExtControlBar
{
    DECLARE_DYNAMIC(CFlashEditorControlBar)
public:
    // Messages from 0x8000 up (application and registered ones) are answered by the active
    // document window's stage view; without one, by the bar itself.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CFlashEditorPanelControlBar : public CExtPanelControlBar
{
    DECLARE_DYNAMIC(CFlashEditorPanelControlBar)
public:
    static constexpr int kTopMargin = 16;

    CFlashEditorPanelControlBar();

    // The panel starts kTopMargin below the bar's top (true) or fills the bar (false).
    void SetTopMargin(bool bTopMargin);
};
