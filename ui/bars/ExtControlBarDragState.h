#pragma once
// One drop proposal of a bar drag: what the release would do, where and with which target.
#include "ui/bars/ExtControlBar.h"

class CExtControlBar::InternalDraggingState_t : public CObject
{
public:
    explicit InternalDraggingState_t(CExtControlBar* pBar = nullptr);

    void SetTrackingRect(const RECT& rc);
    // The tab index of a drop into a tabbed group's tab strip, else -1.
    int GetTabIndex() const;

    bool m_bEmpty : 1;
    bool m_bAlternate : 1;
    int m_nCode;
    int m_nCursorHint;
    int m_nRing;
    CRect m_rcTrack;
    CExtControlBar* m_pBar;
    CWnd* m_pTarget;
    int m_nTabIndex;
};
