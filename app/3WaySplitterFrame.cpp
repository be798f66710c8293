#include "app/3WaySplitterFrame.h"

#include "timeline/MovieControlGridView.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/CreateContext.h"
#include "platform/mfc/View.h"

IMPLEMENT_DYNCREATE(C3WaySplitterFrame, CMDIChildWnd)

CWnd* CViewExSplitWnd::GetActivePane(int*, int*)
{
    // The row and column stay unset, as callers of this splitter only need the window.
    if (CFrameWnd* pFrame = GetParentFrame())
    {
        if (CView* pView = pFrame->GetActiveView())
            return pView;
    }
    return CWnd::FromHandle(::GetFocus());
}

BOOL C3WaySplitterFrame::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext)
{
    if (pContext == nullptr)
        return FALSE;
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    m_bSplitterCreated = true;
    if (!m_wndSplitter.CreateView(kStageRow, 0, pContext->m_pNewViewClass, CSize(0, 100), pContext))
        return FALSE;
    if (!m_wndSplitter.CreateView(kTimelineRow, 0, RUNTIME_CLASS(CMovieControlGridView), CSize(0, kTimelineHeight),
                                  pContext))
        return FALSE;
    m_wndSplitter.SetRowInfo(kTimelineRow, kTimelineHeight, 0);
    return TRUE;
}

CWnd* C3WaySplitterFrame::GetRowPane(int row) const
{
    if (!m_bSplitterCreated || m_wndSplitter.GetSafeHwnd() == nullptr)
        return nullptr;
    return m_wndSplitter.GetPane(row, 0);
}
