#pragma once
// The base of every bar a frame lays out along its sides: the least the framework's bars need,
// for the docking code to extend.
#include "platform/mfc/Wnd.h"

class CDockBar;
class CFrameWnd;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;

    // TRUE only for the frame's side bars that hold other bars.
    virtual BOOL IsDockBar() const;

    CFrameWnd* m_pDockSite = nullptr; // the frame the bar docks in; null while it has none
    CDockBar* m_pDockBar = nullptr;   // the dock bar holding the bar; null while floating alone
};
