#pragma once
// A dock bar of the framework: one side of one dock ring of a frame. Ring 0 (the outer dock
// bars) holds the fixed-size bars; each ring further in holds resizable bars in rows (top,
// bottom) or columns (left, right). The frame lays its dock bars out in window order, so each
// ring takes its room inside the previous one; rings come when a bar docks into one that is
// missing and go when all four of their dock bars are empty.
#include "platform/mfc/Afx.h"

class CExtControlBar;
class CExtDynAutoHideArea;

class CExtDockBar : public CDockBar
{
    DECLARE_DYNAMIC(CExtDockBar)
public:
    static constexpr const char* WINDOW_CLASS_NAME = "DadeZAD-DockBar";
    // Window style of every framework dock bar, besides its side's alignment bits.
    static constexpr DWORD DOCKBAR_WINDOW_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

    explicit CExtDockBar(UINT nRing = 0);
    ~CExtDockBar() override;

    bool m_bLayoutLocked = false;           // layout requests, nested updates and collapsing are ignored
    UINT m_nRing;                           // the dock ring; outer dock bars 0
    CExtDockBar* m_pOuterRingBar = nullptr; // this side's dock bar of the next outer ring
    CExtDockBar* m_pInnerRingBar = nullptr; // this side's dock bar of the next inner ring
    CRect m_rcInnerEdge;                    // screen line of the inner edge after the last layout
    CExtDynAutoHideArea* m_pAutoHideArea = nullptr; // the side's auto-hide area, shared by its rings
    bool m_bInNestedUpdate = false;         // re-entry guard of UpdateNestedLayout

    void PreSubclassWindow() override;
    // Gives the bars back to the dock site first.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    // The platform's creation, then a zero-thickness line on the parent's edge of the side.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) override;

    virtual CExtDynAutoHideArea* GetAutoHideArea() const;
    virtual void SetLayoutLocked(bool bLocked);
    // Nested containers among the bars lay their own dock bars out again.
    virtual void UpdateNestedLayout();
    // Nested containers among the bars dissolve when they hold one bar or none.
    virtual void CollapseRedundantContainers();

    // Rings of a frame.
    // A new innermost ring; answers its number (0 when the frame has no dock bars to build on).
    static UINT CreateInnerRing(CFrameWnd* pFrame);
    // Ring nRing becomes a fresh empty ring, the rings from there inward moving one further in.
    static void InsertRingAt(CFrameWnd* pFrame, UINT nRing);
    // Removes every ring whose four dock bars are empty and dissolves empty containers.
    static void RemoveEmptyRings(CFrameWnd* pFrame);
    static CExtDockBar* FindRingBar(CFrameWnd* pFrame, UINT nRing, UINT nSideId, bool bCreate);
    // The same side's dock bar of ring nRing, inner rings created as needed; null for a ring
    // further in than the frame's bars could ever fill.
    static CExtDockBar* GoToRing(CExtDockBar* pFrom, UINT nRing);
    // The dock bar of pDockBar's ring on another side.
    static CExtDockBar* SameRingBar(CExtDockBar* pDockBar, UINT nSideId, bool bCreate);
    // No bar and no placeholder.
    bool IsDockBarEmpty() const;
    // The ring's dock bars of all four sides are empty.
    static bool IsRingEmpty(CFrameWnd* pFrame, UINT nRing);
    // This side's dock bar of the innermost ring (this one when it has no inner ring).
    CExtDockBar* GetInnermostRingBar();
    // A row break (a null entry) at the index of the bar array.
    void InsertRowBreak(int nIndex);

    // Putting bars in and taking them out.
    void DockControlBarEx(CControlBar* pBar, const RECT* pRectScreen = nullptr, bool bReserved = false);
    // nPlaceholderMode: 1 leaves the bar's id behind, -1 keeps its other placeholders, 0 neither.
    bool RemoveControlBarEx(CControlBar* pBar, int nIndex = -1, int nPlaceholderMode = 0, bool bDelayedLayout = true);
    void RemovePlaceholder(UINT nBarId, bool bSearchOtherDockBars, bool* pbFound = nullptr);
    void RemovePlaceholder(CControlBar* pBar, bool bSearchOtherDockBars, bool* pbFound = nullptr);
    void RemoveAllPlaceholders(bool bSearchOtherDockBars);
    // Every bar goes back to the dock site (on destruction).
    void ReleaseAllBars();
    // The bar as a row of its own: the first row for the right and bottom dock bars with
    // bClientSideFirst, else the last.
    void AppendBarAsRow(CExtControlBar* pBar, bool bClientSideFirst);

    // The frame's framework dock bars (not containers'), in the frame's bar list order.
    static void CollectFrameDockBars(CFrameWnd* pFrame, CArray<CExtDockBar*, CExtDockBar*>& arrDockBars);

    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    // The frame's client rectangle when the layout offers no room of its own.
    CSize AvailableLayoutSize() const;
    // Unlinks this dock bar from its ring neighbours.
    void UnlinkRing();
    // The frame this dock bar lays out in (its dock site).
    CFrameWnd* DockSiteFrame() const;
};
