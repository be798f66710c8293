#include "app/FlashEditorControlBar.h"

#include "app/FlashEditorMainFrame.h"
#include "stage/FlashEditorView.h"

namespace {

constexpr UINT kFirstApplicationMessage = 0x8000;

} // namespace

IMPLEMENT_DYNAMIC(CFlashEditorControlBar, CExtControlBar)

LRESULT CFlashEditorControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= kFirstApplicationMessage)
    {
        // Only a document window's stage: the MDI frame itself is no source of panes.
        auto* pFrame = dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd());
        CFlashEditorView* pView = pFrame != nullptr ? pFrame->GetActiveStageView() : nullptr;
        if (pView != nullptr && pView->GetSafeHwnd() != nullptr)
            return ::SendMessageA(pView->GetSafeHwnd(), message, wParam, lParam);
    }
    return CExtControlBar::WindowProc(message, wParam, lParam);
}

IMPLEMENT_DYNAMIC(CFlashEditorPanelControlBar, CExtPanelControlBar)

CFlashEditorPanelControlBar::CFlashEditorPanelControlBar()
{
    SetTopMargin(true);
}

void CFlashEditorPanelControlBar::SetTopMargin(bool bTopMargin)
{
    m_rcMargins.SetRect(0, bTopMargin ? kTopMargin : 0, 0, 0);
}
