#pragma once
// The floating frame of docking bars: a small tool window owned by the frame, whose one dock bar
// (id AFX_IDW_DOCKBAR_FLOAT) holds the bars; it sizes itself to them.
#include "platform/mfc/DockBar.h"
#include "platform/mfc/MiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    CDockBar m_wndDockBar;

    // A hidden pop-up owned by pParent; dwBarStyle gives the dock bar's orientation and sizing.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    using CMiniFrameWnd::Create;
    // Takes the title of the dock bar (its first bar's) before laying out.
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Closing hides the bars instead of destroying them.
    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

protected:
    // The first bar the dock bar holds, null when none.
    CControlBar* GetFirstBar() const;

    DECLARE_MESSAGE_MAP()
};
