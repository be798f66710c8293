#include "app/FlashEditorMainFrame.h"

#include "app/FlashEditorChildFrame.h"
#include "resources/app/AppResources.h"

#include "platform/mfc/WinApp.h"

#include <dde.h>

namespace {

// Next Pane and Previous Pane as their accelerators send them (notification code 1).
constexpr WPARAM kNextPaneFromAccelerator = MAKEWPARAM(ID_NEXT_PANE, 1);
constexpr WPARAM kPrevPaneFromAccelerator = MAKEWPARAM(ID_PREV_PANE, 1);

constexpr WORD kDDEAckPositive = 0x8000;
constexpr WORD kDDEAckNegative = 0x0000;

} // namespace

IMPLEMENT_DYNAMIC(CFlashEditorMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CFlashEditorMainFrame, CMDIFrameWnd)
    ON_MESSAGE(WM_DDE_EXECUTE, OnDDEExecute)
END_MESSAGE_MAP()

CFlashEditorChildFrame* CFlashEditorMainFrame::GetActiveChildFrame() const
{
    // Only a document window counts: the MDI frame itself is no source of panes.
    return dynamic_cast<CFlashEditorChildFrame*>(MDIGetActive());
}

CFlashEditorView* CFlashEditorMainFrame::GetActiveStageView() const
{
    CFlashEditorChildFrame* pChild = GetActiveChildFrame();
    return pChild != nullptr ? pChild->GetStageView() : nullptr;
}

CMovieControlGridView* CFlashEditorMainFrame::GetActiveTimelineView() const
{
    CFlashEditorChildFrame* pChild = GetActiveChildFrame();
    return pChild != nullptr ? pChild->GetTimelineView() : nullptr;
}

CFlashEditorView* CFlashEditorMainFrame::ResolveView(CFlashEditorView* pView) const
{
    return pView != nullptr ? pView : GetActiveStageView();
}

void CFlashEditorMainFrame::NotifySelectionChanged(CFlashEditorView* pView)
{
    if (ResolveView(pView) == nullptr)
        return;
    // No panel is docked in this frame yet; the panel list joins with the docking bars.
}

void CFlashEditorMainFrame::NotifyDocumentChanged(CFlashEditorView* pView)
{
    NotifySelectionChanged(pView);
}

void CFlashEditorMainFrame::NotifyStyleChanged(CFlashEditorView* pView)
{
    NotifySelectionChanged(pView);
}

void CFlashEditorMainFrame::UpdateToolOptionBars()
{
    // The Brush, Eraser and Shape bars follow the stage's tool once the docking bars exist.
}

LRESULT CFlashEditorMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // F6 and Shift+F6 do not move between panes.
    if (message == WM_COMMAND && (wParam == kNextPaneFromAccelerator || wParam == kPrevPaneFromAccelerator))
        return 1;
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

bool CFlashEditorMainFrame::ReadDDECommand(HGLOBAL hData, CString& command)
{
    const auto* text = static_cast<const char*>(::GlobalLock(hData));
    if (text == nullptr)
        return false;
    const SIZE_T size = ::GlobalSize(hData);
    SIZE_T length = 0;
    while (length < size && length < SIZE_T(kMaxDDECommand) && text[length] != '\0')
        ++length;
    // An unterminated block is read up to its end only.
    const bool accepted = length < SIZE_T(kMaxDDECommand);
    if (accepted)
        command = CString(text, int(length));
    ::GlobalUnlock(hData);
    return accepted;
}

LRESULT CFlashEditorMainFrame::OnDDEExecute(WPARAM wParam, LPARAM lParam)
{
    UINT_PTR unused = 0;
    UINT_PTR data = 0;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &unused, &data))
        return 0;
    auto hData = reinterpret_cast<HGLOBAL>(data);
    CString command;
    // Not while a modal dialog has the frame disabled. The client hears whether the command was
    // carried out: a refused or unknown one is answered negatively.
    bool carriedOut = false;
    if (ReadDDECommand(hData, command) && IsWindowEnabled())
    {
        if (CWinApp* pApp = AfxGetApp())
            carriedOut = pApp->OnDDECommand(command.GetBuffer()) != FALSE;
    }
    ::PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(GetSafeHwnd()),
                   ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK,
                                    carriedOut ? kDDEAckPositive : kDDEAckNegative, data));
    return 0;
}
