#pragma once
// The document window: timeline above, stage below. Playback commands go to the timeline and the
// tool, zoom, document, bitmap and shape-combination commands to the stage, whichever pane has
// the focus; application-range messages go to the stage.
#include "app/3WaySplitterFrame.h"

class CFlashEditorView;
class CMovieControlGridView;

class CFlashEditorChildFrame : public C3WaySplitterFrame
{
    DECLARE_DYNCREATE(CFlashEditorChildFrame)
public:
    CMovieControlGridView* GetTimelineView() const;
    CFlashEditorView* GetStageView() const;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

    // Whether the command goes to the timeline pane, or to the stage pane, whatever the focus.
    static bool IsTimelineCommand(UINT nID);
    static bool IsStageCommand(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    void NotifyPanelsOfActivation();
    // No document window is left once this one goes: the panels forget its document.
    void NotifyPanelsOfLastWindow();
    // The main frame's bars hide while the active document window shows a print preview.
    void UpdateMainFrameBars(CFrameWnd* pActiveChild);
};
