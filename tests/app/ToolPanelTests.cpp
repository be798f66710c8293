// The tool option panels' list and the notifications of the main frame that walk it, and the
// panel bars that hand application messages to the active stage.
#include "EditorSessionSupport.h"

#include "app/FlashEditorControlBar.h"
#include "app/FlashEditorChildFrame.h"
#include "app/FlashEditorMainFrame.h"
#include "app/panels/FlashEditorTool.h"
#include "stage/DrawRectangleTool.h"
#include "stage/FlashEditorView.h"
#include "stage/FreeTransformTool.h"
#include "stage/SubselectionTool.h"
#include "timeline/MovieControlGridView.h"
#include "platform/mfc/StatusBar.h"
#include "ui/bars/ExtToolControlBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct CNotice {
    int panel;
    std::string kind;
    CFlashEditorView* view;
    bool operator==(const CNotice& other) const
    {
        return panel == other.panel && kind == other.kind && view == other.view;
    }
};

// Records what reaches it; the base's forwarding to RefreshFromView is what it records.
class CRecordingPanel : public CFlashEditorTool {
public:
    CRecordingPanel(int nPanel, std::vector<CNotice>& log) : CFlashEditorTool(0, nullptr), m_nPanel(nPanel), m_log(log) {}
    void RefreshFromView(CFlashEditorView* pView) override { m_log.push_back({m_nPanel, m_kind, pView}); }
    void OnSelectionChanged(CFlashEditorView* pView) override { Record("selection", pView); }
    void OnDocumentChanged(CFlashEditorView* pView) override { Record("document", pView); }
    void OnStyleChanged(CFlashEditorView* pView) override { Record("style", pView); }

private:
    void Record(const char* kind, CFlashEditorView* pView)
    {
        m_kind = kind;
        CFlashEditorTool::OnSelectionChanged(pView);
    }
    int m_nPanel;
    std::vector<CNotice>& m_log;
    std::string m_kind;
};

bool Listed(const CFlashEditorTool* pPanel)
{
    return std::find(g_ToolPanels.begin(), g_ToolPanels.end(), pPanel) != g_ToolPanels.end();
}

TEST(ToolPanelList, HoldsLivePanelsInConstructionOrder)
{
    std::vector<CNotice> log;
    const size_t before = g_ToolPanels.size();
    CRecordingPanel first(1, log);
    auto* pGone = new CRecordingPanel(2, log);
    CRecordingPanel last(3, log);
    ASSERT_EQ(g_ToolPanels.size(), before + 3);
    EXPECT_EQ(g_ToolPanels[before], &first);
    EXPECT_EQ(g_ToolPanels[before + 2], &last);
    EXPECT_FALSE(first.updating);

    delete pGone;
    EXPECT_FALSE(Listed(pGone));
    ASSERT_EQ(g_ToolPanels.size(), before + 2);
    EXPECT_EQ(g_ToolPanels[before + 1], &last);
}

TEST_F(EditorSession, NotificationsReachEveryPanelInListOrder)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    CFlashEditorView* pActive = pMain->GetActiveStageView();
    ASSERT_NE(pActive, nullptr);
    std::vector<CNotice> log;
    CRecordingPanel first(1, log);
    { CRecordingPanel gone(9, log); }
    CRecordingPanel second(2, log);

    struct Case {
        void (CFlashEditorMainFrame::*notify)(CFlashEditorView*);
        const char* kind;
    };
    const Case cases[] = {
        {&CFlashEditorMainFrame::NotifySelectionChanged, "selection"},
        {&CFlashEditorMainFrame::NotifyDocumentChanged, "document"},
        {&CFlashEditorMainFrame::NotifyStyleChanged, "style"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        log.clear();
        // Null stands for the active stage view.
        (pMain->*c.notify)(nullptr);
        const std::vector<CNotice> expected = {{1, c.kind, pActive}, {2, c.kind, pActive}};
        EXPECT_EQ(log, expected);
    }

    log.clear();
    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    const std::vector<CNotice> forgotten = {{1, "document", nullptr}, {2, "document", nullptr}};
    EXPECT_EQ(log, forgotten) << "the last document window gone, the panels let go of it";
    log.clear();
    for (const Case& c : cases)
        (pMain->*c.notify)(nullptr);
    EXPECT_TRUE(log.empty()) << "no view, no notification";
}

// The windows a message was sent to, from a hook on this thread.
class CSentMessageLog {
public:
    explicit CSentMessageLog(UINT message)
    {
        s_message = message;
        s_windows.clear();
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CSentMessageLog() { ::UnhookWindowsHookEx(m_hHook); }
    const std::vector<HWND>& Windows() const { return s_windows; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && pMsg->message == s_message)
            s_windows.push_back(pMsg->hwnd);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline UINT s_message = 0;
    static inline std::vector<HWND> s_windows;
    HHOOK m_hHook = nullptr;
};

TEST_F(EditorSession, RegisteredMessageToAPanelBarReachesTheActiveStageOnly)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    auto* pBar = dynamic_cast<CFlashEditorControlBar*>(pMain->GetControlBar(ID_VIEW_SHAPE));
    ASSERT_NE(pBar, nullptr);
    const UINT message = ::RegisterWindowMessageA("QuorvalisPanelProbe");
    const HWND hStage = pMain->GetActiveStageView()->GetSafeHwnd();
    {
        CSentMessageLog sent(message);
        pBar->SendMessage(message, 1, 2);
        const std::vector<HWND> expected = {pBar->GetSafeHwnd(), hStage};
        EXPECT_EQ(sent.Windows(), expected);
    }

    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    CSentMessageLog sent(message);
    pBar->SendMessage(message, 1, 2);
    const std::vector<HWND> expected = {pBar->GetSafeHwnd()};
    EXPECT_EQ(sent.Windows(), expected) << "without a document window the bar answers itself";
}

TEST_F(EditorSession, BarTogglesFollowTheBarsAndTheLibraryStaysDisabled)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    // Fixed-size bars: the item is checked while the bar shows and hides or shows it.
    const UINT fixedToggles[] = {ID_VIEW_TOOLBAR, ID_VIEW_DRAWING_TOOLBAR, ID_VIEW_COLORS, ID_VIEW_FONT,
                                 ID_VIEW_BRUSH, ID_VIEW_ERASER};
    for (UINT id : fixedToggles) {
        SCOPED_TRACE(id);
        CControlBar* pBar = pMain->GetControlBar(id == ID_VIEW_TOOLBAR ? AFX_IDW_TOOLBAR : id);
        ASSERT_NE(pBar, nullptr);
        const bool visible = pBar->IsWindowVisible() != FALSE;
        CCommandState state = QueryCommand(id);
        EXPECT_TRUE(state.enabled);
        EXPECT_EQ(state.checked, visible);
        for (bool expected : {!visible, visible}) {
            SendCommand(id);
            PumpMessages();
            EXPECT_EQ(pBar->IsWindowVisible() != FALSE, expected);
            EXPECT_EQ(QueryCommand(id).checked, expected);
        }
    }
    // Resizable bars: the item brings the bar up and never hides it, so it carries no check.
    for (UINT id : {ID_VIEW_SHAPE, ID_VIEW_OBJECT_INSPECTOR}) {
        SCOPED_TRACE(id);
        CControlBar* pBar = pMain->GetControlBar(id);
        ASSERT_NE(pBar, nullptr);
        pMain->ShowControlBar(pBar, FALSE, FALSE);
        for (int i = 0; i < 2; ++i) {
            SendCommand(id);
            PumpMessages();
            EXPECT_TRUE(pBar->IsWindowVisible());
            const CCommandState state = QueryCommand(id);
            EXPECT_TRUE(state.enabled);
            EXPECT_FALSE(state.checked);
        }
    }
    EXPECT_FALSE(QueryCommand(ID_VIEW_LIBRARY).enabled);
    EXPECT_FALSE(pMain->GetControlBar(ID_VIEW_LIBRARY)->IsWindowVisible());
}

TEST_F(EditorSession, ToolChangesShowTheBrushEraserAndShapeBars)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    CControlBar* pBrush = pMain->GetControlBar(ID_VIEW_BRUSH);
    CControlBar* pEraser = pMain->GetControlBar(ID_VIEW_ERASER);
    CControlBar* pShape = pMain->GetControlBar(ID_VIEW_SHAPE);
    ASSERT_TRUE(pBrush != nullptr && pEraser != nullptr && pShape != nullptr);
    SendCommand(ID_TOOL_SELECTION);
    pMain->ShowControlBar(pShape, FALSE, FALSE);
    struct Step {
        UINT tool;
        bool brush;
        bool eraser;
        bool shape;
    };
    const Step steps[] = {
        {ID_TOOL_LINE, false, false, true},  // a tool that draws with the Shape bar's pen opens it
        {ID_TOOL_BRUSH, true, false, true},
        {ID_TOOL_LINE, false, false, true},
        {ID_TOOL_ERASER, false, true, true},
        {ID_TOOL_SELECTION, false, false, true},  // Shape is never closed here
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.tool);
        SendCommand(step.tool);
        PumpMessages();
        EXPECT_EQ(pBrush->IsWindowVisible() != FALSE, step.brush);
        EXPECT_EQ(pEraser->IsWindowVisible() != FALSE, step.eraser);
        EXPECT_EQ(pShape->IsWindowVisible() != FALSE, step.shape);
    }
}

TEST_F(EditorSession, TheTransformToolsArePickedWithNothingSelectedWhicheverPaneIsActive)
{
    CFlashEditorChildFrame* pChild = MainFrame()->GetActiveChildFrame();
    ASSERT_NE(pChild, nullptr);
    CFlashEditorView* pStage = pChild->GetStageView();
    ASSERT_TRUE(pStage->GetSelection().empty());
    const struct {
        UINT command;
        const CDrawingTool* tool;
    } tools[] = {
        {ID_TOOL_FREE_TRANSFORM, pStage->GetFreeTransformTool()},
        {ID_TOOL_SUBSELECTION, pStage->GetSubselectionTool()},
    };
    for (CView* pActive : {static_cast<CView*>(pChild->GetTimelineView()), static_cast<CView*>(pStage)}) {
        pChild->SetActiveView(pActive);
        for (const auto& t : tools) {
            SCOPED_TRACE(t.command);
            SendCommand(ID_TOOL_SELECTION);
            EXPECT_TRUE(QueryCommand(t.command).enabled);
            SendCommand(t.command);
            EXPECT_EQ(pStage->GetCurrentTool(), t.tool);
        }
    }
}

TEST_F(EditorSession, AToolButtonsPromptLeavesTheStatusBarWithThePointer)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    pMain->ShowWindow(SW_SHOW);
    auto* pTools = dynamic_cast<CExtToolControlBar*>(pMain->GetControlBar(ID_VIEW_DRAWING_TOOLBAR));
    auto* pStatus = dynamic_cast<CStatusBar*>(CWnd::FromHandlePermanent(::GetDlgItem(pMain->m_hWnd, AFX_IDW_STATUS_BAR)));
    ASSERT_TRUE(pTools != nullptr && pStatus != nullptr);
    pMain->SetMessageText(AFX_IDS_IDLEMESSAGE);
    PumpMessages();
    const CString idle = pStatus->GetPaneText(0);
    const CRect button = pTools->GetButtonRect(0);
    CPoint centre = button.CenterPoint();
    CPoint screen = centre;
    pTools->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    pTools->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    PumpMessages();
    EXPECT_NE(pStatus->GetPaneText(0), idle) << "the prompt shows while the pointer is over the button";
    ::SetCursorPos(0, 0);
    pTools->SendMessage(WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(pStatus->GetPaneText(0), idle);
}

TEST_F(EditorSession, OptionBarsFollowTheToolOfTheActiveDocument)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    CControlBar* pBrush = pMain->GetControlBar(ID_VIEW_BRUSH);
    ASSERT_NE(pBrush, nullptr);
    SendCommand(ID_TOOL_BRUSH);
    PumpMessages();
    ASSERT_TRUE(pBrush->IsWindowVisible());
    CFlashEditorChildFrame* pFirst = pMain->GetActiveChildFrame();

    SendCommand(ID_FILE_NEW);
    PumpMessages();
    ASSERT_NE(pMain->GetActiveChildFrame(), pFirst);
    EXPECT_FALSE(pBrush->IsWindowVisible()) << "the new document's tool is not the brush";

    pMain->MDIActivate(pFirst);
    PumpMessages();
    EXPECT_TRUE(pBrush->IsWindowVisible()) << "back to the document that paints";

    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    EXPECT_FALSE(pBrush->IsWindowVisible()) << "no document, no tool";
}

TEST_F(EditorSession, EveryShownBarShowsItsPanel)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    pMain->ShowWindow(SW_SHOW);
    for (CFlashEditorTool* pPanel : g_ToolPanels) {
        CWnd* pBar = pPanel->GetParent();
        ASSERT_NE(pBar, nullptr);
        if (pBar->GetDlgCtrlID() == ID_VIEW_LIBRARY)
            continue;
        pMain->ShowControlBar(static_cast<CControlBar*>(pBar), TRUE, FALSE);
        PumpMessages();
        CString caption;
        pBar->GetWindowText(caption);
        EXPECT_TRUE(pBar->IsWindowVisible()) << caption.GetString();
        EXPECT_TRUE(pPanel->IsWindowVisible()) << caption.GetString();
    }
}

TEST_F(EditorSession, DrawingToolBarOffersTheFourteenToolsInTwoColumns)
{
    auto* pTools = dynamic_cast<CExtToolControlBar*>(MainFrame()->GetControlBar(ID_VIEW_DRAWING_TOOLBAR));
    ASSERT_NE(pTools, nullptr);
    const UINT expected[] = {ID_TOOL_SELECTION, ID_TOOL_SUBSELECTION, ID_TOOL_LINE, ID_TOOL_LASSO,
                             ID_INSERT_BITMAP, ID_TOOL_TEXT, ID_TOOL_OVAL, ID_TOOL_FILLED_RECTANGLE,
                             ID_TOOL_PENCIL, ID_TOOL_BRUSH, ID_TOOL_FREE_TRANSFORM, ID_TOOL_UNUSED,
                             ID_TOOL_INK_BOTTLE, ID_TOOL_PAINT_BUCKET, ID_TOOL_EYEDROPPER, ID_TOOL_ERASER};
    ASSERT_GE(pTools->GetButtonCount(), int(std::size(expected)));
    for (int i = 0; i < int(std::size(expected)); ++i)
        EXPECT_EQ(pTools->GetButtonID(i), expected[i]) << i;

    // The Rectangle button makes the rectangle tool the stage's tool.
    CFlashEditorView* pStage = MainFrame()->GetActiveStageView();
    SendCommand(ID_TOOL_FILLED_RECTANGLE);
    EXPECT_EQ(static_cast<void*>(pStage->GetCurrentTool()), static_cast<void*>(pStage->GetRectangleTool()));
    SendCommand(ID_TOOL_SELECTION);
}

} // namespace
