#pragma once
// The editor's main window: a plain MDI frame with the menu and accelerators of resource 128.
// It finds the active document window's panes, carries the stage's notifications on to the
// tool panels, and opens what the shell sends by DDE.
#include "platform/mfc/MDIFrameWnd.h"

class CFlashEditorChildFrame;
class CFlashEditorView;
class CMovieControlGridView;

// The longest DDE command text accepted, terminator included.
constexpr int kMaxDDECommand = 520;

class CFlashEditorMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CFlashEditorMainFrame)
public:
    // The panes of the active document window; null when none is active or its splitter does
    // not exist yet.
    CFlashEditorChildFrame* GetActiveChildFrame() const;
    CFlashEditorView* GetActiveStageView() const;
    CMovieControlGridView* GetActiveTimelineView() const;

    // The tool option panels re-read the view (the active stage view when null); nothing
    // happens without one. The panels join with the docking bars.
    void NotifySelectionChanged(CFlashEditorView* pView);
    void NotifyDocumentChanged(CFlashEditorView* pView);
    void NotifyStyleChanged(CFlashEditorView* pView);
    void UpdateToolOptionBars();

    // The command text of a DDE execute block: false when the block cannot be read or holds
    // kMaxDDECommand characters or more. Reads within the block only.
    static bool ReadDDECommand(HGLOBAL hData, CString& command);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CFlashEditorView* ResolveView(CFlashEditorView* pView) const;
};
