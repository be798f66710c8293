#pragma once
// One of a frame's side bars that holds docked bars; its window id names the side
// (AFX_IDW_DOCKBAR_TOP, _LEFT, _RIGHT, _BOTTOM or _FLOAT).
#include "platform/mfc/ControlBar.h"

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    CDockBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nSideId);
    BOOL IsDockBar() const override;
    // The side id given at creation (the window id), 0 without a window.
    UINT GetDockSide() const;
};
