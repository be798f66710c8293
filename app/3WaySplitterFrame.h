#pragma once
// A document window whose client area is a static splitter of two rows: the timeline view on
// top, the stage view below.
#include "platform/mfc/MDIChildWnd.h"
#include "platform/mfc/SplitterWnd.h"

// The splitter of a document window. Its active pane is the frame's active view, or else the
// window with the keyboard focus.
class CViewExSplitWnd : public CSplitterWnd
{
public:
    CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr) override;
};

class C3WaySplitterFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(C3WaySplitterFrame)
public:
    // Height of the timeline row, in pixels.
    static constexpr int kTimelineHeight = 200;
    static constexpr int kTimelineRow = 0;
    static constexpr int kStageRow = 1;

    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override;

protected:
    // The pane at (row, 0), or null until the splitter exists.
    CWnd* GetRowPane(int row) const;

    CViewExSplitWnd m_wndSplitter;
    bool m_bSplitterCreated = false;
};
