#pragma once
// The editor's main window: an MDI frame with the main and drawing tool bars, the status bar
// and the docking bars of the tool option panels, laid out as the last session left them (or
// docked by default at first start). It finds the active document window's panes, carries the
// stage's notifications on to the tool panels, and opens what the shell sends by DDE.
#include "app/FlashEditorControlBar.h"
#include "app/panels/BrushTool.h"
#include "app/panels/EraserTool.h"
#include "app/panels/FontTool.h"
#include "app/panels/LibraryTool.h"
#include "app/panels/ObjectInspectorTool.h"
#include "app/panels/QuickColorTool.h"
#include "app/panels/ShapeTool.h"

#include "ui/bars/ExtMenuControlBar.h"
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
    // The last document window went: every panel lets go of what it showed of its document.
    void NotifyNoDocument();
    // The Brush and Eraser bars follow the active stage's tool; the Shape bar opens for the
    // line, ellipse, rectangle and pencil tools.
    void UpdateToolOptionBars();
    // The same for the stage of a document window being activated; null when the last closes.
    void ShowToolOptionBarsFor(CFlashEditorView* pView);
    // The bars hide while the active document window (null: none) shows a print preview and
    // come back as they were after it.
    void UpdateBarsForPrintPreview(CFrameWnd* pActiveChild);

    // The command text of a DDE execute block: false when the block cannot be read or holds
    // kMaxDDECommand characters or more. Reads within the block only.
    static bool ReadDDECommand(HGLOBAL hData, CString& command);

    // The panels whose choices the stage's brush and eraser tools use.
    CBrushTool& GetBrushPanel() { return m_wndBrushTool; }
    CEraserTool& GetEraserPanel() { return m_wndEraserTool; }

    // Saves the bar layout and window placement before the window goes.
    BOOL DestroyWindow() override;
    // The menu bar's keys and mouse first.
    BOOL PreTranslateMessage(MSG* pMsg) override;
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
    bool CreateMenuAndToolBars();
    bool CreatePanelBars();
    void EnableBarDocking();
    void DockBarsByDefault();

    // Filled by the saved layout; a non-zero show command marks it pending until the first
    // activation has applied it.
    WINDOWPLACEMENT m_wpSaved{};
    bool m_bBarsHiddenForPreview = false;
    CExtMenuControlBar m_wndMenuBar;
    CExtStatusControlBar m_wndStatusBar;
    CExtToolControlBar m_wndToolBar;
    CExtToolControlBar m_wndDrawingBar;
    // Panels after their bars: the panel list holds them in this order.
    CFlashEditorPanelControlBar m_wndColorsBar;
    CQuickColorTool m_wndColorsTool;
    CFlashEditorControlBar m_wndShapeBar;
    CShapeTool m_wndShapeTool;
    CFlashEditorPanelControlBar m_wndFontBar;
    CFontTool m_wndFontTool;
    CFlashEditorControlBar m_wndLibraryBar;
    CLibraryTool m_wndLibraryTool;
    CFlashEditorControlBar m_wndObjectInspectorBar;
    CObjectInspectorTool m_wndObjectInspectorTool;
    CFlashEditorPanelControlBar m_wndBrushBar;
    CBrushTool m_wndBrushTool;
    CFlashEditorPanelControlBar m_wndEraserBar;
    CEraserTool m_wndEraserTool;
};
