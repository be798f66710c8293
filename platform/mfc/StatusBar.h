#pragma once
// The frame's status line over the common status control: panes of id, style, width and text,
// the frame's prompts in the pane of id 0 (they arrive as WM_SETTEXT), and the panes' idle
// command updates (enabled, text).
#include "platform/mfc/AfxRes.h"
#include "platform/mfc/ControlBar.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/String.h"

#include <vector>

// Pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_OWNERDRAW = 0x1000;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// Flags of a pane record: its text waits to be given to the control.
constexpr UINT SBPF_UPDATE = 0x0001;

struct AFX_STATUSPANE
{
    UINT nID = 0;
    UINT nStyle = SBPS_NORMAL;
    UINT nFlags = 0;
    int cxText = 0;
    CString strText;
};

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    // The room a pane keeps beside its text.
    static constexpr int CX_PANE_BORDER = 6;

    CStatusBar();
    ~CStatusBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // The control styles (SBARS_) come with dwCtrlStyle; a resizable parent adds the gripper.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                          UINT nID = AFX_IDW_STATUS_BAR);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // The index of the first pane with the id, -1 when none has it.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in client coordinates; empty for a bad index.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    // FALSE for a bad index; with bUpdate the control shows the text at once, else at the next
    // UpdateAllPanes.
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    // Gives the control the panes' right edges (the stretching panes share what is left over)
    // and the texts waiting for it (a disabled pane shows none).
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Keeps the control's styles: they share bits with the bar styles that CreateEx has set.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // Pane records for the count, all empty; FALSE when they cannot be had.
    BOOL AllocElements(int nElements);
    AFX_STATUSPANE* GetPanePtr(int nIndex);
    const AFX_STATUSPANE* GetPanePtr(int nIndex) const;

    int m_nMinHeight = 0;

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<AFX_STATUSPANE> m_panes;
    CFont m_fontStatus;
};
