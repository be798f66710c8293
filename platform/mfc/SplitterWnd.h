#pragma once
// A window split into a static grid of panes (usually views) separated by split bars the user
// drags to resize rows and columns.
#include "platform/mfc/AfxRes.h"
#include "platform/mfc/Size.h"
#include "platform/mfc/Wnd.h"

#include <vector>

class CDC;

class CSplitterWnd : public CWnd
{
    DECLARE_DYNCREATE(CSplitterWnd)
public:
    // What OnDrawSplitter draws.
    enum ESplitType
    {
        splitBox,
        splitBar,
        splitIntersection,
        splitBorder
    };

    CSplitterWnd();
    ~CSplitterWnd() override;

    // A grid of nRows x nCols panes (at most 16 each), created by CreateView afterwards.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // The pane (row, col) as a new object of pViewClass; sizeInit gives the column width and row height.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    // The pane window, or null while it does not exist.
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    // The frame's active view when it is one of the panes, else the focus window.
    virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);

    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    // Sizes the rows and columns (each its ideal size, the last one the rest) and moves the panes.
    virtual void RecalcLayout();
    BOOL IsTracking() const { return m_bTracking; }

    // Drawing hooks: pDC null asks for an invalidation only.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    // Inverts the drag tracker (given in client coordinates); twice restores the screen.
    virtual void OnInvertTracker(const CRect& rect);
    // Borders round the panes and the bars between them.
    virtual void DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Commands go to the parent frame, which routes them to the active pane.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    // Size of a row or column.
    struct CRowColInfo
    {
        int nMinSize;
        int nIdealSize;
        int nCurSize;
    };

    int m_nMaxRows = 0;
    int m_nMaxCols = 0;
    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<CRowColInfo> m_pRowInfo;
    std::vector<CRowColInfo> m_pColInfo;
    int m_cxSplitter;     // width of a split bar
    int m_cySplitter;
    int m_cxSplitterGap;  // distance between two panes
    int m_cySplitterGap;
    int m_cxBorder;       // border drawn round each pane
    int m_cyBorder;
    BOOL m_bTracking = FALSE;
    int m_htTrack = 0;    // the bar being dragged (hit-test code)
    CRect m_rectTracker;
    CRect m_rectLimit;
    CPoint m_ptTrackOffset;

    // Hit-test codes of the split bars: vertical drag of row bar n is vSplitterBar1 + n.
    enum HitTestValue
    {
        noHit = 0,
        vSplitterBar1 = 101,
        hSplitterBar1 = 201,
        splitterIntersection1 = 301
    };

    DECLARE_MESSAGE_MAP()

protected:
    int HitTest(CPoint pt) const;
    void StartTracking(int ht);
    void StopTracking(BOOL bAccept);
    // The inside area (client less the outer border).
    void GetInsideRect(CRect& rect) const;
    // The tracker of a hit-test code at its current place, and the limits it may move in.
    void GetHitRect(int ht, CRect& rectHit) const;
};
