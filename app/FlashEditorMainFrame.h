#pragma once
// The editor's main window: an MDI frame with the main and drawing tool bars, the status bar
// and the docking bars of the tool option panels, laid out as the last session left them (or
// docked by default at first start). It finds the active document window's panes, carries the
// stage's notifications on to the tool panels, and opens what the shell sends by DDE.
#include "app/FlashEditorControlBar.h"

#include "ui/bars/ExtStatusControlBar.h"
#include "ui/bars/ExtToolControlBar.h"

#include "platform/mfc/MDIFrameWnd.h"

class CFlashEditorChildFrame;
class CFlashEditorTool;
class CFlashEditorView;
class CMovieControlGridView;

// The longest DDE command text accepted, terminator included.
constexpr int kMaxDDECommand = 520;

class CFlashEditorMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CFlashEditorMainFrame)
public:
    // Every bar but the status bar: child, visible, gripper, top, bottom border, tooltips,
    // fly-by, hidden in place, dynamic size.
    static constexpr DWORD kBarStyle = 0x5040283C;
    static constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
    static constexpr COLORREF kToolBarMask = RGB(192, 192, 192);

    CFlashEditorMainFrame();

    // The panes of the active document window; null when none is active or its splitter does
    // not exist yet.
    CFlashEditorChildFrame* GetActiveChildFrame() const;
    CFlashEditorView* GetActiveStageView() const;
    CMovieControlGridView* GetActiveTimelineView() const;

    // Every tool option panel re-reads the view (the active stage view when null), in panel
    // list order; nothing happens without a view.
    void NotifySelectionChanged(CFlashEditorView* pView);
    void NotifyDocumentChanged(CFlashEditorView* pView);
    void NotifyStyleChanged(CFlashEditorView* pView);
    // The Brush and Eraser bars follow the active stage's tool; the Shape bar opens for the
    // line, ellipse, rectangle and pencil tools.
    void UpdateToolOptionBars();
    // The bars hide while the active document window (null: none) shows a print preview and
    // come back as they were after it.
    void UpdateBarsForPrintPreview(CFrameWnd* pActiveChild);

    // The command text of a DDE execute block: false when the block cannot be read or holds
    // kMaxDDECommand characters or more. Reads within the block only.
    static bool ReadDDECommand(HGLOBAL hData, CString& command);

    // Saves the bar layout and window placement before the window goes.
    BOOL DestroyWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The first activation applies the placement saved by the last session.
    void ActivateFrame(int nCmdShow = -1) override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateBarCheck(CCmdUI* pCmdUI);
    afx_msg LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnConstructPopupMenu(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CFlashEditorView* ResolveView(CFlashEditorView* pView) const;
    void NotifyPanels(CFlashEditorView* pView, void (CFlashEditorTool::*notify)(CFlashEditorView*));
    bool CreateToolBars();
    bool CreatePanelBars();
    void EnableBarDocking();
    void DockBarsByDefault();

    // Filled by the saved layout; a non-zero show command marks it pending until the first
    // activation has applied it.
    WINDOWPLACEMENT m_wpSaved{};
    bool m_bBarsHiddenForPreview = false;
    CExtStatusControlBar m_wndStatusBar;
    CExtToolControlBar m_wndToolBar;
    CExtToolControlBar m_wndDrawingBar;
    CFlashEditorPanelControlBar m_wndColorsBar;
    CFlashEditorControlBar m_wndShapeBar;
    CFlashEditorPanelControlBar m_wndFontBar;
    CFlashEditorControlBar m_wndLibraryBar;
    CFlashEditorControlBar m_wndObjectInspectorBar;
    CFlashEditorPanelControlBar m_wndBrushBar;
    CFlashEditorPanelControlBar m_wndEraserBar;
};
