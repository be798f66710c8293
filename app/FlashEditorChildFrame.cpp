#include "app/FlashEditorChildFrame.h"

#include "app/FlashEditorMainFrame.h"
#include "resources/app/AppResources.h"
#include "stage/FlashEditorView.h"
#include "timeline/MovieControlGridView.h"

#include "platform/mfc/WinApp.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr UINT kTimelineCommands[] = {ID_CONTROL_PLAY, ID_CONTROL_REWIND, ID_CONTROL_GO_TO_END, ID_TOUCH_ALL_SHAPES};

// Every tool is offered whichever pane has the focus: a tool is picked before anything is
// selected on the stage.
constexpr UINT kStageCommands[] = {
    ID_TOOL_SELECTION, ID_TOOL_SUBSELECTION, ID_TOOL_FREE_TRANSFORM, ID_TOOL_LINE, ID_TOOL_RECTANGLE, ID_TOOL_FILLED_RECTANGLE, ID_TOOL_ELLIPSE,
    ID_TOOL_OVAL, ID_TOOL_TEXT, ID_TOOL_PENCIL, ID_TOOL_BRUSH, ID_TOOL_ERASER, ID_TOOL_LASSO,
    ID_TOOL_PAINT_BUCKET, ID_TOOL_INK_BOTTLE, ID_TOOL_EYEDROPPER, ID_ZOOM_STEP_DOWN, ID_ZOOM_STEP_UP,
    ID_MODIFY_DOCUMENT, ID_INSERT_BITMAP, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_INSERT_INTERSECTION,
    ID_INSERT_UNION, ID_INSERT_DIFFERENCE};

// Next Pane as sent by its accelerator: the command id with the accelerator's notification code.
constexpr WPARAM kNextPaneFromAccelerator = MAKEWPARAM(ID_NEXT_PANE, 1);

// Application-defined and registered messages start here.
constexpr UINT kFirstApplicationMessage = 0x8000;

template <std::size_t N>
bool Contains(const UINT (&ids)[N], UINT nID)
{
    return std::find(std::begin(ids), std::end(ids), nID) != std::end(ids);
}

} // namespace

IMPLEMENT_DYNCREATE(CFlashEditorChildFrame, C3WaySplitterFrame)

BEGIN_MESSAGE_MAP(CFlashEditorChildFrame, C3WaySplitterFrame)
    ON_WM_ACTIVATE()
    ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

bool CFlashEditorChildFrame::IsTimelineCommand(UINT nID)
{
    return Contains(kTimelineCommands, nID);
}

bool CFlashEditorChildFrame::IsStageCommand(UINT nID)
{
    return Contains(kStageCommands, nID);
}

CMovieControlGridView* CFlashEditorChildFrame::GetTimelineView() const
{
    return dynamic_cast<CMovieControlGridView*>(GetRowPane(kTimelineRow));
}

CFlashEditorView* CFlashEditorChildFrame::GetStageView() const
{
    return dynamic_cast<CFlashEditorView*>(GetRowPane(kStageRow));
}

BOOL CFlashEditorChildFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The pane's own handlers and update handlers answer, as if it had the focus.
    CWnd* pPane = nullptr;
    if (IsTimelineCommand(nID))
        pPane = GetTimelineView();
    else if (IsStageCommand(nID))
        pPane = GetStageView();
    if (pPane != nullptr && pPane->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return C3WaySplitterFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CFlashEditorChildFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A preview closed with its window gives the main frame's bars back.
    if (message == WM_DESTROY && GetMDIFrame() != nullptr && GetMDIFrame()->MDIGetActive() == this)
        UpdateMainFrameBars(nullptr);
    if (message >= kFirstApplicationMessage && message <= 0xFFFF)
    {
        if (CFlashEditorView* pStage = GetStageView())
            return ::SendMessageA(pStage->GetSafeHwnd(), message, wParam, lParam);
    }
    return C3WaySplitterFrame::WindowProc(message, wParam, lParam);
}

BOOL CFlashEditorChildFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // F6 does not move the focus between the panes.
    if (message == WM_COMMAND && wParam == kNextPaneFromAccelerator)
        return TRUE;
    return C3WaySplitterFrame::OnWndMsg(message, wParam, lParam, pResult);
}

void CFlashEditorChildFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    C3WaySplitterFrame::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE)
        NotifyPanelsOfActivation();
}

void CFlashEditorChildFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    C3WaySplitterFrame::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (bActivate)
        NotifyPanelsOfActivation();
    else if (pActivateWnd == nullptr)
        NotifyPanelsOfLastWindow();
    if (bActivate || pActivateWnd == nullptr)
        UpdateMainFrameBars(bActivate ? this : nullptr);
}

void CFlashEditorChildFrame::RecalcLayout(BOOL bNotify)
{
    C3WaySplitterFrame::RecalcLayout(bNotify);
    // A print preview starting or ending lays the frame out again.
    CMDIFrameWnd* pMain = GetMDIFrame();
    if (pMain != nullptr && pMain->MDIGetActive() == this)
        UpdateMainFrameBars(this);
}

void CFlashEditorChildFrame::UpdateMainFrameBars(CFrameWnd* pActiveChild)
{
    if (auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(GetMDIFrame()))
        pMain->UpdateBarsForPrintPreview(pActiveChild);
}

void CFlashEditorChildFrame::NotifyPanelsOfLastWindow()
{
    if (auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd())) {
        pMain->NotifyNoDocument();
        pMain->ShowToolOptionBarsFor(nullptr);
    }
}

void CFlashEditorChildFrame::NotifyPanelsOfActivation()
{
    if (auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd())) {
        pMain->NotifyDocumentChanged(GetStageView());
        // The option bars follow the tool of the stage that becomes active.
        pMain->ShowToolOptionBarsFor(GetStageView());
    }
}
